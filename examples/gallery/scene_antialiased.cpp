// The antialiased mode side by side with the exact pixels: one chart, one
// surface and one scatter, each drawn exact, antialiased, and at twice the
// resolution (SaveToFile at 192 dpi, exact pixels) for comparison.

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <numbers>
#include <random>
#include <string>

#include "gallery.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"
#include "mivo/plot3d/plot3d.h"
#include "mivo/rchart/rchart.h"
#include "mivo/rot3d/rot3d.h"

namespace {

using namespace mivo;

constexpr std::int32_t kPanelW = 300;
constexpr std::int32_t kPanelH = 240;
constexpr std::int32_t kTitleHeight = 18;
constexpr std::int32_t kGap = 10;

// The three renderings of one component: its surface painted exact and
// antialiased, and its 192 dpi picture file.
struct TSubject {
  std::function<void(bool antialiased, TBitmap& out)> Picture;
  std::function<void(const std::string& png)> Save2x;
};

void Chart(TCustomRChart& c, bool antialiased) {
  c.SetSuppressPaint(true);
  c.SetBounds(0, 0, kPanelW, kPanelH);
  c.SetRange(1, 0, -1.2, 10, 1.2);
  c.SetAntialiased(antialiased);
  c.SetDataCol(clNavy);
  c.MoveTo(0, 0);
  for (int i = 1; i <= 400; ++i) {
    const double x = i * 0.025;
    c.DrawTo(x, std::sin(x * 2.1) * std::exp(-0.15 * x));
  }
  c.SetDataCol(clRed);
  c.SetLineWid(2);
  c.Line(0.5, -1.0, 9.5, 1.0);
  c.SetDataCol(clGreen);
  for (int k = 0; k < 8; ++k) c.MarkAt(0.6 + 1.2 * k, -0.8 + 0.1 * k, std::uint8_t(k + 1));
  c.SetSuppressPaint(false);
}

void Surface(TPlot3D& p, bool antialiased) {
  p.SetSuppressPaint(true);
  p.SetBounds(0, 0, kPanelW, kPanelH);
  p.SetRange(-3, 3, -3, 3, -1, 1.2);
  p.SetMagnification(0.36);
  p.SetColorScaleLow(-0.6);
  p.SetColorScaleHigh(1.0);
  p.SetColorLow(RGBToColor(20, 40, 160));
  p.SetColorHigh(RGBToColor(255, 230, 60));
  p.SetAntialiased(antialiased);
  const std::int32_t n = 21;
  p.GridMat.BeginUpdate();
  p.GridMat.Resize(n, n);
  for (std::int32_t col = 1; col <= n; ++col)
    for (std::int32_t row = 1; row <= n; ++row) {
      const double x = 6.0 * (col - 1) / (n - 1) - 3, y = 6.0 * (row - 1) / (n - 1) - 3;
      const double d = std::sqrt(x * x + y * y);
      p.GridMat.SetElem(col, row, std::cos(2.2 * d) * std::exp(-0.35 * d));
    }
  p.GridMat.EndUpdate();
  p.SetSuppressPaint(false);
}

void Scatter(TRot3D& p, bool antialiased) {
  p.SetBounds(0, 0, kPanelW, kPanelH);
  p.SetCentX(kPanelW / 2);
  p.SetCentY(kPanelH / 2);
  p.SetAntialiased(antialiased);
  std::mt19937 rng(3);
  std::normal_distribution<double> g;
  const TColor colors[] = {clRed, clBlue};
  for (int k = 0; k < 2; ++k) {
    p.SetColorData(colors[k]);
    for (int i = 0; i < 150; ++i) p.MarkAt(k * 2 - 1 + 0.6 * g(rng), 0.6 * g(rng), k - 0.5 + 0.6 * g(rng), 1);
  }
  p.SetColorData(clGreen);
  for (int i = 0; i <= 200; ++i) {
    const double t = 4 * std::numbers::pi * i / 200;
    if (i == 0) p.Moveto(std::cos(t), std::sin(t), t / 6 - 1);
    else p.Drawto(std::cos(t), std::sin(t), t / 6 - 1);
  }
  p.MakeVisible();
}

std::vector<TSubject> Subjects() {
  return {
      {[](bool aa, TBitmap& out) {
         TCustomRChart c;
         Chart(c, aa);
         c.CopyToBitmap(out, false);
       },
       [](const std::string& png) {
         TCustomRChart c;
         Chart(c, false);
         c.SaveToFile(png, 192);
       }},
      {[](bool aa, TBitmap& out) {
         TPlot3D p;
         Surface(p, aa);
         p.CopyToBitmap(out, true);
       },
       [](const std::string& png) {
         TPlot3D p;
         Surface(p, false);
         p.SaveToFile(png, 192);
       }},
      {[](bool aa, TBitmap& out) {
         TRot3D p;
         Scatter(p, aa);
         p.CopyToBitmap(out, true);
       },
       [](const std::string& png) {
         TRot3D p;
         Scatter(p, false);
         p.SaveToFile(png, 192);
       }},
  };
}

void Title(TBitmap& sheet, std::int32_t x, std::int32_t y, const std::string& text) {
  TCanvas& c = sheet.Canvas();
  c.Brush.Style = TBrushStyle::bsClear;
  c.Font = TFont{};
  c.Font.Color = clNavy;
  c.TextOut(x, y, text);
}

void RenderAntialiased(TBitmap& bmp) {
  const std::int32_t rowH = kTitleHeight + 2 * kPanelH + kGap;
  bmp.SetSize(kGap + 4 * (kPanelW + kGap), kGap + 3 * rowH);
  bmp.Clear(clWhite);
  const char* names[] = {"TRChart", "TPlot3D surface", "TRot3D scatter"};
  const auto subjects = Subjects();
  const std::string png =
      (std::filesystem::temp_directory_path() / ("mivo_gallery_aa_" + std::to_string(::getpid()) + ".png")).string();
  for (std::size_t i = 0; i < subjects.size(); ++i) {
    const std::int32_t y = kGap + std::int32_t(i) * rowH;
    std::int32_t x = kGap;
    for (bool aa : {false, true}) {
      Title(bmp, x, y, std::string(names[i]) + (aa ? ", Antialiased" : ", exact (default)"));
      TBitmap pic;
      subjects[i].Picture(aa, pic);
      bmp.Canvas().Draw(x, y + kTitleHeight, pic);
      x += kPanelW + kGap;
    }
    Title(bmp, x, y, std::string(names[i]) + ", 2x: SaveToFile at 192 dpi");
    TBitmap twice;
    try {
      subjects[i].Save2x(png);
      twice.LoadFromPNG(png);
    } catch (const std::exception& e) {
      Title(bmp, x, y + kTitleHeight + 4, std::string("error: ") + e.what());
    }
    bmp.Canvas().Draw(x, y + kTitleHeight, twice);
  }
  std::error_code ec;
  std::filesystem::remove(png, ec);
}

}  // namespace

MIVO_GALLERY_SCENE("antialiased.png", RenderAntialiased);
