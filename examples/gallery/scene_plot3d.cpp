// The 3D surface sheets: the mesh kinds, colour-coded surfaces with their
// colour-scale ranges, the bounding-box styles, four view angles and a
// waterfall. Each panel is a TPlot3D rendered headless and drawn onto the
// sheet under a title saying what it shows.

#include <cmath>
#include <functional>
#include <string>

#include "gallery.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"
#include "mivo/plot3d/plot3d.h"

namespace {

using namespace mivo;

constexpr std::int32_t kPanelW = 420;
constexpr std::int32_t kPanelH = 380;
constexpr std::int32_t kTitleHeight = 18;
constexpr std::int32_t kGap = 10;

// A damped ripple with a bump: values about -0.6 ... 1 over an n x n grid.
void FillRipple(TPlot3D& p, std::int32_t n) {
  p.GridMat.BeginUpdate();
  p.GridMat.Resize(n, n);
  for (std::int32_t c = 1; c <= n; ++c)
    for (std::int32_t r = 1; r <= n; ++r) {
      const double x = 6.0 * (c - 1) / (n - 1) - 3, y = 6.0 * (r - 1) / (n - 1) - 3;
      const double d = std::sqrt(x * x + y * y);
      p.GridMat.SetElem(c, r, std::cos(2.2 * d) * std::exp(-0.35 * d) + 0.25 * std::exp(-((x - 1.5) * (x - 1.5))));
    }
  p.GridMat.EndUpdate();
}

void Panel(TBitmap& sheet, std::int32_t col, std::int32_t row, const std::string& title,
           const std::function<void(TPlot3D&)>& setup) {
  const std::int32_t x = kGap + col * (kPanelW + kGap);
  const std::int32_t y = kGap + row * (kPanelH + kTitleHeight + kGap);
  TCanvas& c = sheet.Canvas();
  c.Brush.Style = TBrushStyle::bsClear;
  c.Font.Color = clNavy;
  c.TextOut(x, y, title);
  TPlot3D p;
  p.SetSuppressPaint(true);
  p.SetBounds(0, 0, kPanelW, kPanelH);
  p.SetRange(-3, 3, -3, 3, -1, 1.2);
  p.SetMagnification(0.55);
  p.SetColorScaleLow(-0.6);
  p.SetColorScaleHigh(1.0);
  p.SetColorLow(RGBToColor(20, 40, 160));
  p.SetColorHigh(RGBToColor(255, 230, 60));
  FillRipple(p, 25);
  setup(p);
  p.SetSuppressPaint(false);
  TBitmap bmp;
  p.CopyToBitmap(bmp, true);
  c.Draw(x, y + kTitleHeight, bmp);
}

void Sheet(TBitmap& bmp, std::int32_t cols, std::int32_t rows) {
  bmp.SetSize(kGap + cols * (kPanelW + kGap), kGap + rows * (kPanelH + kTitleHeight + kGap));
  bmp.Clear(clWhite);
}

void RenderMeshes(TBitmap& bmp) {
  Sheet(bmp, 3, 2);
  Panel(bmp, 0, 0, "mkMesh, mesh visible", [](TPlot3D& p) { p.SetMeshKind(TMeshKind::mkMesh); });
  Panel(bmp, 1, 0, "mkMesh, MeshVisible off", [](TPlot3D& p) { p.SetMeshVisible(false); });
  Panel(bmp, 2, 0, "mkWaterfallHorz", [](TPlot3D& p) { p.SetMeshKind(TMeshKind::mkWaterfallHorz); });
  Panel(bmp, 0, 1, "mkWaterfallVert", [](TPlot3D& p) { p.SetMeshKind(TMeshKind::mkWaterfallVert); });
  Panel(bmp, 1, 1, "mkWaterfallDiag", [](TPlot3D& p) { p.SetMeshKind(TMeshKind::mkWaterfallDiag); });
  Panel(bmp, 2, 1, "mkGrid (mesh nodes as pixels)", [](TPlot3D& p) {
    p.SetMeshKind(TMeshKind::mkGrid);
    p.SetColorMesh(clRed);
  });
}

void RenderColorCoding(TBitmap& bmp) {
  Sheet(bmp, 3, 2);
  Panel(bmp, 0, 0, "two colours, scale -0.6 ... 1", [](TPlot3D&) {});
  Panel(bmp, 1, 0, "two colours, scale 0 ... 0.5 (clipped)", [](TPlot3D& p) {
    p.SetColorScaleHigh(0.5);
    p.SetColorScaleLow(0);
  });
  Panel(bmp, 2, 0, "three colours (low, mid, high)", [](TPlot3D& p) {
    p.SetColorCodingMode(TColorCodingMode::ccmThreeColors);
    p.SetColorMid(clWhite);
  });
  Panel(bmp, 0, 1, "colour array of 64, HSV", [](TPlot3D& p) {
    p.IsoColors.SetSize(64);
    p.IsoColors.FillByInterpolation(kColorModelHSV, {clBlue, clLime, clRed});
    p.SetColorCodingMode(TColorCodingMode::ccmColorArray);
    p.SetMeshVisible(false);
  });
  Panel(bmp, 1, 1, "cell colour from the corner average", [](TPlot3D& p) {
    p.SetColorCodeAvg(true);
    p.SetMeshVisible(false);
  });
  Panel(bmp, 2, 1, "OnBeforeRenderPolygon paints a band", [](TPlot3D& p) {
    p.OnBeforeRenderPolygon = [](TObject&, TCanvas&, bool&, std::int32_t x, std::int32_t, TQuad, TColor& c) {
      if (x == 12) c = clRed;
    };
  });
}

void RenderBoxes(TBitmap& bmp) {
  Sheet(bmp, 3, 1);
  Panel(bmp, 0, 0, "BoundBoxStyle 2: shaded faces", [](TPlot3D&) {});
  Panel(bmp, 1, 0, "BoundBoxStyle 1: outlines", [](TPlot3D& p) { p.SetBoundBoxStyle(TBoundingBox::bbFrame); });
  Panel(bmp, 2, 0, "BoundBoxStyle 0: no box", [](TPlot3D& p) {
    p.SetBoundBoxStyle(TBoundingBox::bbNone);
  });
}

void RenderViews(TBitmap& bmp) {
  Sheet(bmp, 2, 2);
  Panel(bmp, 0, 0, "view 60, 15 (default)", [](TPlot3D&) {});
  Panel(bmp, 1, 0, "view 66, 135 (Reset)", [](TPlot3D& p) { p.SetViewAngles(66, 135); });
  Panel(bmp, 0, 1, "view 120, 240", [](TPlot3D& p) { p.SetViewAngles(120, 240); });
  Panel(bmp, 1, 1, "view 30, 300, magnified", [](TPlot3D& p) {
    p.SetViewAngles(30, 300);
    p.SetMagnification(0.8);
  });
}

void RenderWaterfall(TBitmap& bmp) {
  Sheet(bmp, 2, 1);
  // A spectrum drifting over time: one row per time step.
  auto spectra = [](TPlot3D& p) {
    const std::int32_t nc = 60, nr = 24;
    p.GridMat.BeginUpdate();
    p.GridMat.Resize(nc, nr);
    for (std::int32_t r = 1; r <= nr; ++r)
      for (std::int32_t c = 1; c <= nc; ++c) {
        const double f = double(c) / nc, peak = 0.3 + 0.4 * r / nr;
        p.GridMat.SetElem(c, r, std::exp(-std::pow((f - peak) / 0.05, 2)) + 0.3 * std::exp(-std::pow((f - 0.8) / 0.03, 2)));
      }
    p.GridMat.EndUpdate();
    p.SetRange(0, 1000, 0, 24, 0, 1.3);
    p.SetColorScaleLow(0);
    p.SetColorScaleHigh(1);
    p.SetCaptionX("f [Hz]");
    p.SetCaptionY("t [s]");
    p.SetCaptionZ("A");
    p.SetDecPlaceX(0);
    p.SetDecPlaceY(0);
  };
  Panel(bmp, 0, 0, "waterfall, one line per row (mkWaterfallVert)", [&](TPlot3D& p) {
    spectra(p);
    p.SetMeshKind(TMeshKind::mkWaterfallVert);
  });
  Panel(bmp, 1, 0, "waterfall, view 50, 200", [&](TPlot3D& p) {
    spectra(p);
    p.SetMeshKind(TMeshKind::mkWaterfallVert);
    p.SetViewAngles(50, 200);
  });
}

}  // namespace

MIVO_GALLERY_SCENE("plot3d-meshes.png", RenderMeshes);
MIVO_GALLERY_SCENE("plot3d-colorcoding.png", RenderColorCoding);
MIVO_GALLERY_SCENE("plot3d-boxes.png", RenderBoxes);
MIVO_GALLERY_SCENE("plot3d-views.png", RenderViews);
MIVO_GALLERY_SCENE("plot3d-waterfall.png", RenderWaterfall);
