// The rotatable 3D plot sheets: a scatter of a few thousand marks in three
// clusters, curves (a helix, a spiral of line items, a trefoil knot), marks
// with labels from OnLblRequest and character marks, every box style, and
// black-and-white output. Each panel is a TRot3D rendered headless and drawn
// onto the sheet under a title saying what it shows.

#include <cmath>
#include <functional>
#include <numbers>
#include <random>
#include <string>

#include "gallery.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"
#include "mivo/rot3d/rot3d.h"

namespace {

using namespace mivo;

constexpr std::int32_t kPanelW = 420;
constexpr std::int32_t kPanelH = 360;
constexpr std::int32_t kTitleHeight = 18;
constexpr std::int32_t kGap = 10;
constexpr double kTwoPi = 2 * std::numbers::pi;

struct TPanelOptions {
  bool BlackAndWhite = false;
};

void Panel(TBitmap& sheet, std::int32_t col, std::int32_t row, const std::string& title,
           const std::function<void(TRot3D&)>& setup, TPanelOptions options = {}) {
  const std::int32_t x = kGap + col * (kPanelW + kGap);
  const std::int32_t y = kGap + row * (kPanelH + kTitleHeight + kGap);
  TCanvas& c = sheet.Canvas();
  c.Brush.Style = TBrushStyle::bsClear;
  c.Font.Color = clNavy;
  c.TextOut(x, y, title);
  TRot3D p;
  p.SetBounds(0, 0, kPanelW, kPanelH);
  p.SetCentX(kPanelW / 2);
  p.SetCentY(kPanelH / 2);
  setup(p);
  TBitmap bmp;
  p.CopyToBitmap(bmp, true, options.BlackAndWhite);
  c.Draw(x, y + kTitleHeight, bmp);
}

void Sheet(TBitmap& bmp, std::int32_t cols, std::int32_t rows) {
  bmp.SetSize(kGap + cols * (kPanelW + kGap), kGap + rows * (kPanelH + kTitleHeight + kGap));
  bmp.Clear(clWhite);
}

// Three Gaussian clusters of 1500 marks each, in red, green and blue.
void Clusters(TRot3D& p, std::uint8_t mark) {
  std::mt19937 rng(7);
  std::normal_distribution<double> g;
  const struct {
    double x, y, z, spread;
    TColor color;
  } clusters[] = {{-2, -1, 0, 0.6, clRed}, {1.5, 1, 1, 0.8, clGreen}, {0.5, -1.5, -1.5, 0.5, clBlue}};
  for (const auto& k : clusters) {
    p.SetColorData(k.color);
    for (int i = 0; i < 1500; ++i)
      p.MarkAt(k.x + k.spread * g(rng), k.y + k.spread * g(rng), k.z + k.spread * g(rng), mark);
  }
  p.SetAxNameX("x [m]");
  p.SetAxNameY("y [m]");
  p.SetAxNameZ("z [m]");
  p.MakeVisible();
}

// A helix of five turns, drawn as one polyline.
void Helix(TRot3D& p, double turns, std::int32_t width) {
  const int n = 600;
  p.SetLineWidth(width);
  for (int i = 0; i <= n; ++i) {
    const double t = turns * kTwoPi * i / n;
    if (i == 0)
      p.Moveto(std::cos(t), std::sin(t), t / kTwoPi);
    else
      p.Drawto(std::cos(t), std::sin(t), t / kTwoPi);
  }
}

void RenderScatter(TBitmap& bmp) {
  Sheet(bmp, 2, 2);
  Panel(bmp, 0, 0, "4500 marks in three clusters (default view 110, 150, 210)",
        [](TRot3D& p) { Clusters(p, 1); });
  Panel(bmp, 1, 0, "the same, view 60, 0, 30, magnification 1.0", [](TRot3D& p) {
    Clusters(p, 1);
    p.SetViewAngles(60, 0, 30);
    p.SetMagnification(1.0);
  });
  Panel(bmp, 0, 1, "IsoMetric: one scale factor for all axes", [](TRot3D& p) {
    Clusters(p, 0);
    p.SetIsoMetric(true);
  });
  Panel(bmp, 1, 1, "three-angle rotation 100, 30, 200, right-handed", [](TRot3D& p) {
    Clusters(p, 12);
    p.SetMouseRot3Axes(true);
    p.SetAxDir(TAxDir::adRightHanded);
    p.SetViewAngles(100, 30, 200);
  });
}

void RenderCurves(TBitmap& bmp) {
  Sheet(bmp, 3, 1);
  Panel(bmp, 0, 0, "helix, five turns (Moveto + Drawto)", [](TRot3D& p) {
    p.SetColorData(clNavy);
    Helix(p, 5, 2);
    p.MakeVisible();
  });
  Panel(bmp, 1, 0, "staircase of Line items, six colours by height", [](TRot3D& p) {
    const TColor bands[] = {clBlue, clTeal, clGreen, clOlive, clMaroon, clRed};
    p.SetLineWidth(2);
    for (int i = 0; i < 60; ++i) {
      const double t = i * 0.3;
      p.SetColorData(bands[i / 10]);
      p.Line(0, 0, i / 30.0, std::cos(t), std::sin(t), i / 30.0);
    }
    p.MakeVisible();
  });
  Panel(bmp, 2, 0, "trefoil knot with marks at every 25th point", [](TRot3D& p) {
    const int n = 500;
    p.SetColorData(clMaroon);
    p.SetLineWidth(2);
    for (int i = 0; i <= n; ++i) {
      const double t = kTwoPi * i / n;
      const double x = std::sin(t) + 2 * std::sin(2 * t), y = std::cos(t) - 2 * std::cos(2 * t),
                   z = -std::sin(3 * t);
      if (i == 0)
        p.Moveto(x, y, z);
      else
        p.Drawto(x, y, z);
      if (i % 25 == 0) {
        p.SetColorData(clTeal);
        p.MarkAt(x, y, z, 13);
        p.Moveto(x, y, z);
        p.SetColorData(clMaroon);
      }
    }
    p.SetIsoMetric(true);
    p.MakeVisible();
  });
}

void RenderLabels(TBitmap& bmp) {
  Sheet(bmp, 2, 1);
  Panel(bmp, 0, 0, "labels from OnLblRequest (every 5th mark, right of it)", [](TRot3D& p) {
    p.SetColorData(clPurple);
    for (int i = 0; i < 40; ++i) {
      const double t = kTwoPi * i / 40;
      p.MarkAt(std::cos(t), std::sin(t), std::sin(2 * t) * 0.5, 9);
    }
    p.MakeVisible();
    p.OnLblRequest = [](TObject&, std::int32_t obj, std::string& text, std::int32_t& dx, std::int32_t&,
                        TAlignment& hAlign, TVerticalAlignment&, TFont& font) {
      if (obj % 5 != 0) return;
      text = "P" + std::to_string(obj);
      dx = 6;
      hAlign = TAlignment::taLeftJustify;
      font.Color = clMaroon;
      font.Style = TFontStyles{TFontStyle::fsBold};
    };
  });
  Panel(bmp, 1, 0, "character marks: digits (200 ... 209) and letters", [](TRot3D& p) {
    p.SetTextMarkSize(12);
    p.SetTextFontStyle(TFontStyles{TFontStyle::fsBold});
    for (int i = 0; i < 10; ++i) {
      p.SetColorData(i % 2 ? clBlue : clRed);
      const double t = kTwoPi * i / 10;
      p.MarkAt(std::cos(t), std::sin(t), 0, std::uint8_t(200 + i));
      p.SetColorData(clGreen);
      p.MarkAt(0.5 * std::cos(t), 0.5 * std::sin(t), 1, std::uint8_t('A' + i));
    }
    p.MakeVisible();
  });
}

void RenderBoxes(TBitmap& bmp) {
  Sheet(bmp, 3, 1);
  auto helix = [](TRot3D& p) {
    p.SetColorData(clNavy);
    Helix(p, 3, 1);
    p.MakeVisible();
  };
  Panel(bmp, 0, 0, "BoundBoxStyle 2: shaded faces", helix);
  Panel(bmp, 1, 0, "BoundBoxStyle 1: outlined faces", [&](TRot3D& p) {
    helix(p);
    p.SetBoundBoxStyle(TBoundingBox::bbFrame);
  });
  Panel(bmp, 2, 0, "BoundBoxStyle 0: no box, axes only", [&](TRot3D& p) {
    helix(p);
    p.SetBoundBoxStyle(TBoundingBox::bbNone);
  });
}

void RenderBlackWhite(TBitmap& bmp) {
  Sheet(bmp, 2, 1);
  Panel(bmp, 0, 0, "colour", [](TRot3D& p) {
    Clusters(p, 8);
    p.SetColorChart(RGBToColor(255, 250, 235));
  });
  Panel(
      bmp, 1, 0, "black and white (CopyToBitmap)",
      [](TRot3D& p) {
        Clusters(p, 8);
        p.SetColorChart(RGBToColor(255, 250, 235));
      },
      TPanelOptions{true});
}

}  // namespace

MIVO_GALLERY_SCENE("rot3d-scatter.png", RenderScatter);
MIVO_GALLERY_SCENE("rot3d-curves.png", RenderCurves);
MIVO_GALLERY_SCENE("rot3d-labels.png", RenderLabels);
MIVO_GALLERY_SCENE("rot3d-boxes.png", RenderBoxes);
MIVO_GALLERY_SCENE("rot3d-blackwhite.png", RenderBlackWhite);
