// The 2D chart's crosshairs and text labels: the five crosshair modes over a
// curve, the four label styles (opaque and transparent), multi-line labels in
// each alignment, and labels pinned to data points next to ones placed in
// pixels. Each chart paints itself and its window is copied onto the sheet.

#include <cmath>
#include <functional>
#include <string>

#include "gallery.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"
#include "mivo/rchart/rchart.h"

namespace {

using namespace mivo;

constexpr std::int32_t kTitleHeight = 16;
constexpr std::int32_t kChartW = 420, kChartH = 300;

void Place(TBitmap& sheet, std::int32_t x, std::int32_t y, const std::string& title,
           const std::function<void(TCustomRChart&)>& setup) {
  TCanvas& c = sheet.Canvas();
  c.Brush.Style = TBrushStyle::bsClear;
  c.Font = TFont{};
  c.Font.Color = clNavy;
  c.TextOut(x, y, title);
  TCustomRChart chart;
  chart.SetBounds(0, 0, kChartW, kChartH);
  // Both layers alike: crosshair i maps through layer i.
  chart.SetRange(1, 0, -1.2, 10, 1.2);
  chart.SetRange(2, 0, -1.2, 10, 1.2);
  chart.MoveTo(0, 0);
  for (std::int32_t i = 1; i <= 200; ++i) chart.DrawTo(i * 0.05, std::sin(i * 0.05));
  setup(chart);
  chart.SetSuppressPaint(false);
  c.Draw(x, y + kTitleHeight, chart.Surface());
}

void RenderOverlays(TBitmap& bmp) {
  bmp.SetSize(2 * kChartW + 30, 2 * (kChartH + kTitleHeight) + 30);
  bmp.Clear(clWhite);

  Place(bmp, 10, 10, "crosshairs: lines (1, 2), small cross, square, a 3-pixel line", [](TCustomRChart& c) {
    c.CrossHairSetup(1, clRed, TCrossHMode::chBoth, TPenStyle::psDashDotDot, 1);
    c.CrossHairSetPos(1, 2.5, std::sin(2.5));
    c.CrossHairSetup(2, clGreen, TCrossHMode::chSmallCross, TPenStyle::psSolid, 1);
    c.CrossHairSetPos(2, 5, std::sin(5.0));
    c.CrossHairSetup(3, clBlue, TCrossHMode::chMarkSquare, TPenStyle::psSolid, 2);
    c.CrossHairSetPos(3, 7.5, std::sin(7.5));
    c.CrossHairSetup(4, clPurple, TCrossHMode::chVert, TPenStyle::psDash, 3);
    c.CrossHairSetPos(4, 9, 0);
  });

  Place(bmp, 20 + kChartW, 10, "label styles 1-4, opaque (left) and transparent (right)", [](TCustomRChart& c) {
    const char* names[] = {"plain box", "framed box", "underlined", "shadowed"};
    for (std::int32_t m = 1; m <= 4; ++m) {
      for (std::int32_t t = 0; t < 2; ++t) {
        const std::int32_t ix = c.AddTextLabel(2.5 + 5 * t, 1.0 - 0.5 * m, clBlack, names[m - 1], 0);
        TTextLabel& tl = c.TextLabels(ix);
        tl.SetMode(TTxtLblMode(m));
        tl.SetColorBkg(0xC0FFFF);
        tl.SetColorBorder(clNavy);
        tl.SetShadowDx(3);
        tl.SetShadowDy(3);
        tl.SetTransparent(t == 1);
      }
    }
  });

  Place(bmp, 10, 20 + kChartH + kTitleHeight, "multi-line labels: left/top, centre/middle, right/bottom",
        [](TCustomRChart& c) {
          const TAlignment aligns[] = {TAlignment::taLeftJustify, TAlignment::taCenter, TAlignment::taRightJustify};
          const TVerticalAlignment valigns[] = {TVerticalAlignment::vaTop, TVerticalAlignment::vaCenter,
                                                TVerticalAlignment::vaBottom};
          for (std::int32_t a = 0; a < 3; ++a) {
            const double x = 2 + 3 * a, y = 0.6 - 0.8 * a;
            const std::int32_t ix = c.AddTextLabel(x, y, clMaroon, "first line\nsecond\nthe third line", 0);
            TTextLabel& tl = c.TextLabels(ix);
            tl.SetMode(TTxtLblMode::tlBox);
            tl.SetAlignment(aligns[a]);
            tl.SetVerticalAlignment(valigns[a]);
          }
        });

  Place(bmp, 20 + kChartW, 20 + kChartH + kTitleHeight, "labels on data points and in pixels; a moved crosshair",
        [](TCustomRChart& c) {
          for (double x : {1.5708, 4.7124}) {
            const std::int32_t ix = c.AddTextLabel(x, std::sin(x), clBlack, x < 3 ? "maximum" : "minimum", 0);
            c.TextLabels(ix).SetMode(TTxtLblMode::tlShadow);
            c.TextLabels(ix).SetVerticalAlignment(x < 3 ? TVerticalAlignment::vaBottom : TVerticalAlignment::vaTop);
          }
          const std::int32_t ix = c.AddTextLabel(250, 40, clWhite, "pixel (250, 40)", 0);
          TTextLabel& tl = c.TextLabels(ix);
          tl.SetAttachToData(TTxtLblAttachMode::tamNone);
          tl.SetAlignment(TAlignment::taLeftJustify);
          tl.SetVerticalAlignment(TVerticalAlignment::vaTop);
          tl.SetColorBkg(clTeal);
          c.CrossHairSetup(1, clRed, TCrossHMode::chHoriz, TPenStyle::psSolid, 1);
          c.CrossHairSetPos(1, 0, 0.9);
          c.CrossHairSetPos(1, 0, -0.5);  // moved: drawn once, where it is now
        });
}

}  // namespace

MIVO_GALLERY_SCENE("rchart_overlays.png", RenderOverlays);
