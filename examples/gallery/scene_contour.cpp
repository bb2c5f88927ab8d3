// The contour sheet: one field, sin(x) cos(y) plus a ridge along a diagonal,
// in the four plot modes; the surface with a masked region in palette colours
// and an inverted one; and the surface beside an attached colour bar. Each
// plot paints headless and is copied onto the sheet under a title saying what
// it shows.

#include <cmath>
#include <functional>
#include <string>

#include "gallery.h"
#include "mivo/colorscale/colorscale.h"
#include "mivo/contour/contour_plot.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"

namespace {

using namespace mivo;

constexpr std::int32_t kTitleHeight = 16;
constexpr std::int32_t kPlotW = 330, kPlotH = 260;

double Field(double x, double y) {
  const double ridge = 1.2 * std::exp(-std::pow((x - y) / 0.8, 2));
  return std::sin(x) * std::cos(y) + ridge - 0.4;
}

void Title(TBitmap& sheet, std::int32_t x, std::int32_t y, const std::string& title) {
  TCanvas& c = sheet.Canvas();
  c.Brush.Style = TBrushStyle::bsClear;
  c.Font = TFont{};
  c.Font.Color = clNavy;
  c.TextOut(x, y, title);
}

void Panel(TBitmap& sheet, std::int32_t x, std::int32_t y, const std::string& title,
           const std::function<void(TContourPlot&)>& setup) {
  Title(sheet, x, y, title);
  TContourPlot p;
  p.SetBounds(0, 0, kPlotW, kPlotH);
  p.SetNumPivotsX(60);
  p.SetNumPivotsY(45);
  p.SetIsoParams(-1.2, 1.6, 0.2);
  p.OnEstimateZVal = [](TObject&, double wx, double wy, std::int32_t, std::int32_t, double& z, std::uint8_t&) {
    z = Field(wx, wy);
  };
  setup(p);
  p.SetSuppressPaint(false);
  TBitmap out;
  p.CopyToBitmap(out, false);
  sheet.Canvas().CopyMode = TCopyMode::cmSrcCopy;
  sheet.Canvas().Draw(x, y + kTitleHeight, out);
}

void RenderContours(TBitmap& bmp) {
  bmp.SetSize(3 * (kPlotW + 20) + 10, 2 * (kPlotH + kTitleHeight + 20) + 10);
  bmp.Clear(clWhite);
  const std::int32_t c1 = 10, c2 = c1 + kPlotW + 20, c3 = c2 + kPlotW + 20;
  const std::int32_t r1 = 10, r2 = r1 + kPlotH + kTitleHeight + 20;

  Panel(bmp, c1, r1, "Colour surface (default ramp, 64 colours)", [](TContourPlot&) {});
  Panel(bmp, c2, r1, "Blocks without interpolation, 30 x 22 pivots", [](TContourPlot& p) {
    p.SetPlotMode(TContourPlotMode::cpmColorSurfNoIp);
    p.SetNumPivotsX(30);
    p.SetNumPivotsY(22);
  });
  Panel(bmp, c3, r1, "Iso-level dots, levels -1.2 ... 1.4 step 0.2", [](TContourPlot& p) {
    p.SetPlotMode(TContourPlotMode::cpmDots);
  });
  Panel(bmp, c1, r2, "Mono dots on a grey chart colour", [](TContourPlot& p) {
    p.SetPlotMode(TContourPlotMode::cpmMonoDots);
    p.SetChartColor(0xE0E0E0);
    p.IsoColors.SetColorElem(1, clNavy);
  });
  Panel(bmp, c2, r2, "Mask: palette 3 (blue) and 12 (lime); 255 inverts", [](TContourPlot& p) {
    for (std::int32_t a = 8; a <= 20; ++a)
      for (std::int32_t b = 8; b <= 16; ++b) p.SetMaskVal(a, b, 3);
    for (std::int32_t a = 24; a <= 30; ++a)
      for (std::int32_t b = 30; b <= 40; ++b) p.SetMaskVal(a, b, 12);
    for (std::int32_t a = 38; a <= 55; ++a)
      for (std::int32_t b = 5; b <= 25; ++b) p.SetMaskVal(a, b, 255);
  });

  // The surface with its colour bar beside it.
  Title(bmp, c3, r2, "Surface with an attached colour bar");
  TColorScale cs;
  cs.SetBounds(0, 0, 100, kPlotH);
  cs.SetOrientation(TColScaleOrientation::csoVertical);
  cs.SetMarginRight(50);
  cs.CrossHair().SetMode(TCrossHMode::chOff);
  Panel(bmp, c3, r2, "", [&](TContourPlot& p) {
    p.SetBounds(0, 0, kPlotW - 100, kPlotH);
    p.IsoColors.SetSize(24);
    p.IsoColors.FillByInterpolation(kColorModelRGB, {clNavy, clAqua, clWhite, clYellow, clMaroon});
    p.SetAttachedColorScale(&cs);
  });
  cs.SetSuppPaint(false);
  cs.CopyToBitMap(&bmp, c3 + kPlotW - 100, r2 + kTitleHeight);
}

MIVO_GALLERY_SCENE("contour.png", RenderContours);

}  // namespace
