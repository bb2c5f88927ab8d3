// The gauge sheet: the seven index kinds horizontally and vertically, the five
// backgrounds, a moving dial, a disabled gauge, a logarithmic one and a
// dual-colour band on both sides of zero. Each gauge paints itself and its
// window is copied onto the sheet under a title saying what it shows.

#include <functional>
#include <string>

#include "gallery.h"
#include "mivo/gauge/gauge.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"

namespace {

using namespace mivo;

constexpr std::int32_t kTitleHeight = 16;

void Place(TBitmap& sheet, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, const std::string& title,
           const std::function<void(TScaleGauge&)>& setup) {
  TCanvas& c = sheet.Canvas();
  c.Brush.Style = TBrushStyle::bsClear;
  c.Font = TFont{};
  c.Font.Color = clNavy;
  c.TextOut(x, y, title);
  TScaleGauge g;
  g.SetBounds(0, 0, w, h);
  setup(g);
  g.Paint();
  c.Draw(x, y + kTitleHeight, g.Surface());
}

const char* const kIndexNames[] = {"gimThread", "gimTriangle", "gimThreadTriangle", "gimThreadTwoTriangles",
                                   "gimBand", "gimDualColorBand", "gimBar"};
const char* const kBackgroundNames[] = {"gbPlain", "gbVertGrad", "gbHorizGrad", "gbVertMidBand", "gbHorizMidBand"};

void RenderGauges(TBitmap& bmp) {
  bmp.SetSize(1270, 800);
  bmp.Clear(clWhite);
  const std::int32_t row = 97;

  // Index kinds on horizontal gauges, value 4.2.
  for (std::int32_t m = 0; m < 7; ++m)
    Place(bmp, 10, 10 + m * row, 300, 75, std::string(kIndexNames[m]) + ", value 4.2", [m](TScaleGauge& g) {
      g.SetIndexMode(TGaugeIndexMode(m));
      g.SetValue(4.2);
    });

  // Backgrounds, then the special cases.
  for (std::int32_t b = 0; b < 5; ++b)
    Place(bmp, 330, 10 + b * row, 300, 75, kBackgroundNames[b], [b](TScaleGauge& g) {
      g.SetBackground(TGaugeBackground(b));
      g.SetColorBg1(0xFFE0C0);
      g.SetColorBg2(0x4080FF);
      g.SetValue(-3);
    });
  Place(bmp, 330, 10 + 5 * row, 300, 75, "moving dial: value 3, index stays in the middle", [](TScaleGauge& g) {
    g.SetFixedDial(false);
    g.SetIndexMode(TGaugeIndexMode::gimThreadTwoTriangles);
    g.SetValue(3);
  });
  Place(bmp, 330, 10 + 6 * row, 300, 75, "disabled, with caption", [](TScaleGauge& g) {
    g.SetCaption("Off");
    g.SetCaptionPosX(240);
    g.SetCaptionPosY(54);
    g.SetValue(6);
    g.SetEnabled(false);
  });
  Place(bmp, 10, 10 + 7 * row, 300, 75, "logarithmic 1 ... 10000, value 300, band", [](TScaleGauge& g) {
    g.SetMin(1);
    g.SetMax(10000);
    g.SetLogarithmic(true);
    g.SetValue(300);
    g.SetIndexMode(TGaugeIndexMode::gimBand);
    g.SetColorIndex1(clLime);
    g.SetColorIndex2(clRed);
  });
  Place(bmp, 330, 10 + 7 * row, 300, 75, "logarithmic moving dial, value 50, caption", [](TScaleGauge& g) {
    g.SetMin(1);
    g.SetMax(100);
    g.SetLogarithmic(true);
    g.SetFixedDial(false);
    g.SetValue(50);
    g.SetCaption("Hz");
    g.SetCaptionPosX(262);
    g.SetCaptionPosY(54);
    g.SetCaptionColor(clNavy);
  });

  // Index kinds on vertical gauges; the dual band once above and once below zero.
  for (std::int32_t m = 0; m < 7; ++m)
    Place(bmp, 650 + m * 88, 10, 75, 300, std::to_string(m), [m](TScaleGauge& g) {
      g.SetOrientation(TGaugeOrientation::goVertical);
      g.SetIndexMode(TGaugeIndexMode(m));
      g.SetBackground(TGaugeBackground::gbHorizGrad);
      g.SetValue(4.2);
    });
  Place(bmp, 650, 340, 75, 300, "5: below zero", [](TScaleGauge& g) {
    g.SetOrientation(TGaugeOrientation::goVertical);
    g.SetIndexMode(TGaugeIndexMode::gimDualColorBand);
    g.SetValue(-6);
  });
  Place(bmp, 738, 340, 75, 300, "moving", [](TScaleGauge& g) {
    g.SetOrientation(TGaugeOrientation::goVertical);
    g.SetFixedDial(false);
    g.SetIndexMode(TGaugeIndexMode::gimBar);
    g.SetValue(-2.5);
  });
  TCanvas& c = bmp.Canvas();
  c.Font = TFont{};
  c.Font.Color = clNavy;
  c.Brush.Style = TBrushStyle::bsClear;
  std::int32_t y = 360;
  for (std::int32_t m = 0; m < 7; ++m, y += 16)
    c.TextOut(840, y, std::to_string(m) + ": " + kIndexNames[m] + (m == 5 ? " (GaugeZero 0)" : ""));
}

MIVO_GALLERY_SCENE("gauge.png", RenderGauges);

}  // namespace
