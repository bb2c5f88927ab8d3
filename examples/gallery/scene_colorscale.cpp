// The colour-bar sheet: horizontal and vertical bars, a narrow colour range
// with and without extended colours, crosshairs in both orientations, a
// reversed axis, a single colour and the frame styles. Each colour scale paints
// headless and is copied onto the sheet with CopyToBitMap, under a title
// saying what it shows.

#include <functional>
#include <string>

#include "gallery.h"
#include "mivo/colorscale/colorscale.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"

namespace {

using namespace mivo;

constexpr std::int32_t kTitleHeight = 16;

// Blue - cyan - green - yellow - red over 64 entries.
void Rainbow(TColorScale& cs) {
  cs.ColorArray.SetSize(64);
  cs.ColorArray.FillByInterpolation(kColorModelRGB, {clBlue, clAqua, clLime, clYellow, clRed});
}

void Panel(TBitmap& sheet, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, const std::string& title,
           const std::function<void(TColorScale&)>& setup) {
  TCanvas& c = sheet.Canvas();
  c.Brush.Style = TBrushStyle::bsClear;
  c.Font = TFont{};
  c.Font.Color = clNavy;
  c.TextOut(x, y, title);
  TColorScale cs;
  cs.SetBounds(0, 0, w, h);
  Rainbow(cs);
  cs.CrossHair().SetMode(TCrossHMode::chOff);
  setup(cs);
  cs.SetSuppPaint(false);
  cs.CopyToBitMap(&sheet, x, y + kTitleHeight);
}

void RenderColorScales(TBitmap& bmp) {
  bmp.SetSize(1040, 650);
  bmp.Clear(clWhite);
  const std::int32_t c1 = 10, c2 = 360, c3 = 710;
  std::int32_t y = 10;
  const std::int32_t row = 110;

  Panel(bmp, c1, y, 320, 75, "Horizontal, -10 ... 10, defaults", [](TColorScale&) {});
  Panel(bmp, c2, y, 320, 75, "Colour range -4 ... 6 on -10 ... 10", [](TColorScale& cs) {
    cs.SetColorLow(-4);
    cs.SetColorHigh(6);
  });
  Panel(bmp, c3, y, 320, 75, "The same with ExtendColors", [](TColorScale& cs) {
    cs.SetColorLow(-4);
    cs.SetColorHigh(6);
    cs.SetExtendColors(true);
  });
  y += row;
  Panel(bmp, c1, y, 320, 75, "Crosshair at 2.5 (dotted, red)", [](TColorScale& cs) {
    cs.CrossHair().SetMode(TCrossHMode::chBoth);
    cs.CrossHair().SetPosX(2.5);
  });
  Panel(bmp, c2, y, 320, 75, "Crosshair 3 px solid, caption, no outline", [](TColorScale& cs) {
    cs.CrossHair().SetMode(TCrossHMode::chBoth);
    cs.CrossHair().SetPosX(-6);
    cs.CrossHair().SetLineWidth(3);
    cs.CrossHair().SetLineType(TPenStyle::psSolid);
    cs.CrossHair().SetColor(clBlack);
    cs.SetFramedColorScale(false);
    cs.SetMarginTop(28);
    cs.SetCaptionPosY(6);
    cs.SetCaptionSize(10);
    cs.SetCaption("Pressure / kPa");
  });
  Panel(bmp, c3, y, 320, 75, "Reversed axis 10 ... -10, grey ramp", [](TColorScale& cs) {
    cs.ColorArray.FillByInterpolation(kColorModelRGB, {clBlack, clWhite});
    cs.SetScaleRange(10, -10);
    cs.SetColorLow(-10);
    cs.SetColorHigh(10);
  });
  y += row;
  Panel(bmp, c1, y, 320, 75, "Frame raised, background white, 0 ... 1000", [](TColorScale& cs) {
    cs.SetFrameStyle(TFrameStyle::fsRaised);
    cs.SetColorSclBkgd(clWhite);
    cs.SetScaleRange(0, 1000);
  });
  Panel(bmp, c2, y, 320, 75, "Frame embossed, axis colour navy", [](TColorScale& cs) {
    cs.SetFrameStyle(TFrameStyle::fsEmbossed);
    cs.SetColorOfScale(clNavy);
  });
  Panel(bmp, c3, y, 320, 75, "Frame engraved, HSV ramp, 7 ticks", [](TColorScale& cs) {
    cs.SetFrameStyle(TFrameStyle::fsEngraved);
    cs.ColorArray.FillByInterpolation(kColorModelHSV, {clRed, clBlue});
    cs.SetMinTicks(7);
  });
  y += row;

  // Vertical bars.
  const std::int32_t vh = 280;
  Panel(bmp, c1, y, 100, vh, "Vertical", [](TColorScale& cs) {
    cs.SetOrientation(TColScaleOrientation::csoVertical);
    cs.SetMarginRight(46);
  });
  Panel(bmp, c1 + 120, y, 100, vh, "Narrow", [](TColorScale& cs) {
    cs.SetOrientation(TColScaleOrientation::csoVertical);
    cs.SetMarginRight(46);
    cs.SetColorLow(-4);
    cs.SetColorHigh(6);
  });
  Panel(bmp, c1 + 240, y, 100, vh, "Extended", [](TColorScale& cs) {
    cs.SetOrientation(TColScaleOrientation::csoVertical);
    cs.SetMarginRight(46);
    cs.SetColorLow(-4);
    cs.SetColorHigh(6);
    cs.SetExtendColors(true);
  });
  Panel(bmp, c2 + 10, y, 100, vh, "Crosshair", [](TColorScale& cs) {
    cs.SetOrientation(TColScaleOrientation::csoVertical);
    cs.SetMarginRight(46);
    cs.CrossHair().SetMode(TCrossHMode::chBoth);
    cs.CrossHair().SetPosY(4);
  });
  Panel(bmp, c2 + 130, y, 100, vh, "One colour", [](TColorScale& cs) {
    cs.SetOrientation(TColScaleOrientation::csoVertical);
    cs.SetMarginRight(46);
    cs.ColorArray.SetSize(1);
    cs.ColorArray.SetColorElem(1, clTeal);
  });
  Panel(bmp, c2 + 250, y, 100, vh, "No frame", [](TColorScale& cs) {
    cs.SetOrientation(TColScaleOrientation::csoVertical);
    cs.SetMarginRight(46);
    cs.SetFrameStyle(TFrameStyle::fsNone);
    cs.SetFramedColorScale(false);
    cs.SetScaleRange(0, 1);
  });
  Panel(bmp, c3 + 20, y, 280, vh, "Wide vertical, caption", [](TColorScale& cs) {
    cs.SetOrientation(TColScaleOrientation::csoVertical);
    cs.SetMarginLeft(120);
    cs.SetMarginRight(110);
    cs.SetMarginTop(30);
    cs.SetCaption("Depth / m");
    cs.SetCaptionPosY(6);
    cs.SetScaleRange(-4000, 0);
  });
}

MIVO_GALLERY_SCENE("colorscale.png", RenderColorScales);

}  // namespace
