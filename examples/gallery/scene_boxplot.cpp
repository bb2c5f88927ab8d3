// The box plot sheet: skewed columns (log-normal, bimodal, with outliers) in
// both orientations, with percentile ticks and marks, a grid, a column
// coloured by the OnBeforeBoxDraw hook, many columns, and the degenerate
// cases (equal values, a column without numbers). Each chart is copied onto
// the sheet under a title saying what it shows.

#include <cmath>
#include <functional>
#include <random>
#include <string>

#include "gallery.h"
#include "mivo/charts/box_plot.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"

namespace {

using namespace mivo;

constexpr std::int32_t kTitleHeight = 16;

void Place(TBitmap& sheet, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, const std::string& title,
           const std::function<void(TBoxPlot&)>& setup) {
  TCanvas& c = sheet.Canvas();
  c.Brush.Style = TBrushStyle::bsClear;
  c.Font = TFont{};
  c.Font.Color = clNavy;
  c.TextOut(x, y, title);
  TBoxPlot b;
  b.SetBounds(0, 0, w, h);
  b.HandleNeeded();
  setup(b);
  TBitmap picture;
  b.CopyToBitmap(picture, false);
  c.Draw(x, y + kTitleHeight, picture);
}

// Log-normal, bimodal, normal with outliers and uniform columns of 400 values.
void FillSkewed(TDataTable& t) {
  std::mt19937_64 gen(2026);
  std::lognormal_distribution<double> logNormal(0.5, 0.6);
  std::normal_distribution<double> normal(0, 1);
  std::uniform_real_distribution<double> uniform(0, 8);
  std::bernoulli_distribution coin(0.4);
  const std::int32_t rows = 400;
  t.BeginUpdate();
  t.Resize(4, rows);
  t.SetColName(1, "log-normal");
  t.SetColName(2, "bimodal");
  t.SetColName(3, "outliers");
  t.SetColName(4, "uniform");
  for (std::int32_t r = 1; r <= rows; ++r) {
    t.SetElem(1, r, logNormal(gen));
    t.SetElem(2, r, coin(gen) ? 1.5 + 0.5 * normal(gen) : 6 + 0.8 * normal(gen));
    t.SetElem(3, r, r % 50 == 0 ? 12 + double(r % 7) : 4 + 0.7 * normal(gen));
    t.SetElem(4, r, uniform(gen));
  }
  t.EndUpdate();
}

void ColourSecond(TObject&, std::int32_t column, TColor&, TColor& body, TColor&, TColor&, TColor&, TColor&) {
  if (column == 2) body = 0x80C0FF;  // light orange
}

void RenderBoxPlots(TBitmap& bmp) {
  bmp.SetSize(1000, 880);
  bmp.Clear(clWhite);
  const std::int32_t w = 480, h = 260, col2 = 510, row = 290;

  Place(bmp, 10, 10, w, h, "vertical: defaults (whiskers, min/max marks, median line, mean mark)", [](TBoxPlot& b) {
    FillSkewed(b.Data());
    b.AutoRange(15);  // room for the labels inside the data area
  });
  Place(bmp, col2, 10, w, h, "horizontal: P10/P90 ticks, grid lines, column 2 coloured by the hook",
        [](TBoxPlot& b) {
          FillSkewed(b.Data());
          b.OnBeforeBoxDraw = ColourSecond;
          b.SetOrientation(TBoxPlotOrientation::bpltHorizontal);
          b.SetMarginLeft(90);
          b.Labels().SetPosition(-4);
          b.SetShow90Perc(true);
          b.SetGridStyle(TBoxPlotGridStyle::bpgsLines);
          b.SetGridColor(0xD0D0D0);
          b.AutoRange(5);
          b.SetRange(-4, 0, 19, 5);  // room for the labels at the left
        });
  Place(bmp, 10, 10 + row, w, h, "percentiles as marks (Symbol90Perc 9), median mark, wide boxes, dotted grid",
        [](TBoxPlot& b) {
          FillSkewed(b.Data());
          b.SetShow90Perc(true);
          b.SetSymbol90Perc(9);
          b.SetSymbolMedian(14);
          b.SetColorMedian(0x008000);
          b.SetBoxWidth(0.8);
          b.SetGridStyle(TBoxPlotGridStyle::bpgsDotLines);
          b.OnBeforeBoxDraw = ColourSecond;
          b.AutoRange(15);
        });
  Place(bmp, col2, 10 + row, w, h, "35 columns: 35 boxes, labels on the first 30", [](TBoxPlot& b) {
    std::mt19937_64 gen(35);
    std::normal_distribution<double> normal(0, 1);
    TDataTable& t = b.Data();
    t.BeginUpdate();
    t.Resize(35, 60);
    for (std::int32_t c = 1; c <= 35; ++c) {
      t.SetColName(c, std::to_string(c));
      for (std::int32_t r = 1; r <= 60; ++r) t.SetElem(c, r, std::sin(c / 5.0) * 3 + normal(gen) * (1 + c / 20.0));
    }
    t.EndUpdate();
    b.Labels().SetMode(TTxtLblMode::tlSimple);
    b.Labels().SetPosition(2);
    b.SetBoxWidth(0.6);
    b.SetSymbolMin(1);
    b.SetSymbolMax(1);
    b.AutoRange(5);
  });
  Place(bmp, 10, 10 + 2 * row, w, h, "degenerate: equal values (a line), one value, no numbers (no box)",
        [](TBoxPlot& b) {
          TDataTable& t = b.Data();
          t.BeginUpdate();
          t.Resize(3, 5);
          t.SetColName(1, "equal");
          t.SetColName(2, "single");
          t.SetColName(3, "text only");
          for (std::int32_t r = 1; r <= 5; ++r) {
            t.SetElem(1, r, 2.0);
            t.SetElem(3, r, "n/a");
          }
          t.SetElem(2, 1, 3.0);
          t.EndUpdate();
          b.SetRange(0, 0, 4, 4);
        });
  Place(bmp, col2, 10 + 2 * row, w, h, "horizontal, labels at the right edge, no mean, black and white look",
        [](TBoxPlot& b) {
          FillSkewed(b.Data());
          b.SetOrientation(TBoxPlotOrientation::bpltHorizontal);
          b.SetShowMean(false);
          b.SetColorBody(clWhite);
          b.Labels().SetColorBkg(clWhite);
          b.Labels().SetMode(TTxtLblMode::tlBox);
          b.SetChartColor(0xF8F8F8);
          b.AutoRange(5);
        });
}

MIVO_GALLERY_SCENE("boxplot.png", RenderBoxPlots);

}  // namespace
