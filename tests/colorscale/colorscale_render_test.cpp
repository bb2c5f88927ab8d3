// TColorScale painting, read back from the raster bitmap: bar columns and
// rows with their colour entries, extension strips, the outline on the axis
// line, crosshair extents, frame, caption, the OnDataRendered hook and
// CopyToBitMap.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "mivo/colorscale/colorscale.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/colors.h"

namespace mivo {
namespace {

constexpr TColor kBkgd = 0xC0C0C0;
constexpr TColor kOutline = 0x00FF00;
constexpr TColor kCross = 0x0000FF;

TColor Entry(std::int32_t i) { return RGB(std::uint8_t(20 * i), 100, 200); }

TColor Px(const TBitmap& b, std::int32_t x, std::int32_t y) { return FromRGB32(b.ScanLine(y)[x]); }

// Entry of bar pixel `pos` when b and c are the pixels of ColorLow and ColorHigh.
std::int32_t Expected(std::int32_t pos, std::int32_t b, std::int32_t c) {
  const double e = std::nearbyint((double(pos) - b) / (double(c) - b) * 10);
  return std::int32_t(std::fmin(std::fmax(e, 1), 10));
}

// A colour scale with ten colours, painting; no crosshair, frame or outline
// unless a test asks for them.
struct Painted {
  TColorScale CS;
  explicit Painted(bool vertical = false) {
    CS.ColorArray.SetSize(10);
    for (std::int32_t i = 1; i <= 10; ++i) CS.ColorArray.SetColorElem(i, Entry(i));
    CS.CrossHair().SetMode(TCrossHMode::chOff);
    CS.SetFrameStyle(TFrameStyle::fsNone);
    CS.SetFramedColorScale(false);
    CS.SetColorOfScale(kOutline);
    if (vertical) {
      CS.SetBounds(0, 0, 80, 400);
      CS.SetOrientation(TColScaleOrientation::csoVertical);
    }
    CS.SetSuppPaint(false);
  }
  TColor At(std::int32_t x, std::int32_t y) const { return Px(CS.GrafBmp(), x, y); }
};

TEST(ColorScaleRender, HorizontalBarColumnsCarryTheirEntries) {
  Painted p;
  const TBitmap& bmp = p.CS.GrafBmp();
  ASSERT_EQ(bmp.Width(), 300);
  ASSERT_EQ(bmp.Height(), 75);
  for (std::int32_t x = 16; x <= 283; ++x) {
    const TColor want = Entry(Expected(x, 16, 283));
    ASSERT_EQ(p.At(x, 30), want) << x;
    ASSERT_EQ(p.At(x, 8), want) << x;   // first bar row: MarginTop
    ASSERT_EQ(p.At(x, 52), want) << x;  // last bar row: Height - MarginBottom - 1
  }
  EXPECT_EQ(p.At(16, 30), Entry(1));
  EXPECT_EQ(p.At(283, 30), Entry(10));
  EXPECT_EQ(p.At(100, 7), kBkgd);
  EXPECT_EQ(p.At(15, 30), kBkgd);
  EXPECT_EQ(p.At(284, 30), kBkgd);
  EXPECT_EQ(p.At(100, 53), kOutline);  // the axis line in ColorOfScale
}

TEST(ColorScaleRender, OutlineLowerEdgeOnTheAxisLine) {
  Painted p;
  p.CS.SetFramedColorScale(true);
  for (std::int32_t y = 8; y <= 53; ++y) {
    EXPECT_EQ(p.At(16, y), kOutline) << y;
    EXPECT_EQ(p.At(283, y), kOutline) << y;
  }
  for (std::int32_t x = 16; x <= 283; ++x) {
    EXPECT_EQ(p.At(x, 8), kOutline) << x;
    EXPECT_EQ(p.At(x, 53), kOutline) << x;
  }
  EXPECT_EQ(p.At(17, 9), Entry(1));
  EXPECT_EQ(p.At(282, 52), Entry(10));
  EXPECT_EQ(p.At(15, 30), kBkgd);
  EXPECT_EQ(p.At(284, 30), kBkgd);
}

TEST(ColorScaleRender, NarrowColourRangeWithAndWithoutExtension) {
  Painted p;
  p.CS.SetColorLow(-5);
  p.CS.SetColorHigh(5);
  const std::int32_t b = p.CS.ValueToPixel(-5), c = p.CS.ValueToPixel(5);
  ASSERT_EQ(b, 83);   // 16 + 5 * 13.35
  ASSERT_EQ(c, 216);  // 16 + 15 * 13.35
  EXPECT_EQ(p.At(82, 30), kBkgd);
  EXPECT_EQ(p.At(83, 30), Entry(1));
  EXPECT_EQ(p.At(150, 30), Entry(Expected(150, b, c)));
  EXPECT_EQ(p.At(216, 30), Entry(10));
  EXPECT_EQ(p.At(217, 30), kBkgd);
  EXPECT_EQ(p.At(16, 30), kBkgd);

  p.CS.SetExtendColors(true);
  for (std::int32_t x = 16; x < b; ++x) ASSERT_EQ(p.At(x, 30), Entry(1)) << x;
  for (std::int32_t x = c + 1; x <= 283; ++x) ASSERT_EQ(p.At(x, 30), Entry(10)) << x;
  EXPECT_EQ(p.At(150, 30), Entry(Expected(150, b, c)));
  // The strips stay on the bar: nothing beyond its last column or row.
  EXPECT_EQ(p.At(284, 30), kBkgd);
  EXPECT_EQ(p.At(15, 30), kBkgd);
  EXPECT_EQ(p.At(100, 7), kBkgd);

  // A colour range wholly beyond the axis: no stray column at the bar's end,
  // and with the strips the whole bar takes the end colour of its side.
  p.CS.SetExtendColors(false);
  p.CS.SetColorLow(20);
  p.CS.SetColorHigh(30);
  for (std::int32_t x = 16; x <= 283; ++x) ASSERT_EQ(p.At(x, 30), kBkgd) << x;
  p.CS.SetExtendColors(true);
  for (std::int32_t x = 16; x <= 283; ++x) ASSERT_EQ(p.At(x, 30), Entry(1)) << x;
}

TEST(ColorScaleRender, ReversedAxisDrawsTheBarReversed) {
  Painted p;
  p.CS.SetScaleRangeHigh(-10.5);
  p.CS.SetScaleRangeLow(10);
  p.CS.SetScaleRangeHigh(-10);
  ASSERT_EQ(p.CS.ScaleRangeLow(), 10);
  ASSERT_EQ(p.CS.ScaleRangeHigh(), -10);
  EXPECT_EQ(p.At(283, 30), Entry(1));  // ColorLow = -10 lies at the right now
  EXPECT_EQ(p.At(16, 30), Entry(10));
  for (std::int32_t x = 16; x <= 283; ++x) ASSERT_EQ(p.At(x, 30), Entry(Expected(x, 283, 16))) << x;
}

TEST(ColorScaleRender, VerticalBarRowsOutlineAndStrips) {
  Painted p(true);
  const std::int32_t b = p.CS.ValueToPixel(-10), c = p.CS.ValueToPixel(10);
  ASSERT_EQ(b, 377);  // Height - MarginBottom - 1: low values at the bottom
  ASSERT_EQ(c, 8);
  for (std::int32_t y = 8; y <= 377; ++y) {
    ASSERT_EQ(p.At(16, y), Entry(Expected(y, b, c))) << y;
    ASSERT_EQ(p.At(63, y), Entry(Expected(y, b, c))) << y;
  }
  EXPECT_EQ(p.At(15, 200), kBkgd);
  EXPECT_EQ(p.At(40, 7), kBkgd);
  EXPECT_EQ(p.At(40, 378), kBkgd);
  EXPECT_EQ(p.At(64, 200), kOutline);  // the axis line at Width - MarginRight

  p.CS.SetFramedColorScale(true);
  for (std::int32_t y = 8; y <= 377; ++y) {
    EXPECT_EQ(p.At(16, y), kOutline) << y;
    EXPECT_EQ(p.At(64, y), kOutline) << y;  // right edge on the axis line
  }
  for (std::int32_t x = 16; x <= 64; ++x) {
    EXPECT_EQ(p.At(x, 8), kOutline) << x;
    EXPECT_EQ(p.At(x, 377), kOutline) << x;
  }
  EXPECT_EQ(p.At(40, 378), kBkgd);

  p.CS.SetFramedColorScale(false);
  p.CS.SetColorLow(-5);
  p.CS.SetColorHigh(5);
  const std::int32_t lo = p.CS.ValueToPixel(-5), hi = p.CS.ValueToPixel(5);
  ASSERT_EQ(lo, 285);
  ASSERT_EQ(hi, 100);
  EXPECT_EQ(p.At(40, lo + 1), kBkgd);
  EXPECT_EQ(p.At(40, hi - 1), kBkgd);
  EXPECT_EQ(p.At(40, lo), Entry(1));
  EXPECT_EQ(p.At(40, hi), Entry(10));
  p.CS.SetExtendColors(true);
  for (std::int32_t y = lo + 1; y <= 377; ++y) ASSERT_EQ(p.At(40, y), Entry(1)) << y;
  for (std::int32_t y = 8; y < hi; ++y) ASSERT_EQ(p.At(40, y), Entry(10)) << y;
  EXPECT_EQ(p.At(40, 378), kBkgd);
}

TEST(ColorScaleRender, CrossHairLineExtents) {
  for (bool vertical : {false, true}) {
    Painted p(vertical);
    TCrossHair& ch = p.CS.CrossHair();
    ch.SetColor(kCross);
    ch.SetLineType(TPenStyle::psSolid);
    ch.SetMode(TCrossHMode::chBoth);
    ch.SetPos(2, 2);
    const std::int32_t at = p.CS.ValueToPixel(2);
    // Horizontal: rows MarginTop + 1 ... Height - MarginBottom - 1 of column `at`;
    // vertical: columns MarginLeft + 1 ... Width - MarginRight - 1 of row `at`.
    const std::int32_t from = vertical ? 17 : 9;
    const std::int32_t to = vertical ? 63 : 52;
    auto px = [&](std::int32_t along, std::int32_t across) {
      return vertical ? p.At(across, along) : p.At(along, across);
    };
    for (std::int32_t i = from; i <= to; ++i) EXPECT_EQ(px(at, i), kCross) << vertical << " " << i;
    EXPECT_NE(px(at, from - 1), kCross) << vertical;
    EXPECT_NE(px(at, to + 1), kCross) << vertical;
    EXPECT_NE(px(at - 1, 30), kCross) << vertical;

    // Width 3 runs from MarginTop + 2 to Height - MarginBottom - 1 (or across);
    // its round caps reach one pixel further: the top row stays free, the
    // cap at the far end touches the axis line.
    ch.SetLineWidth(3);
    EXPECT_NE(px(at, from - 1), kCross);
    EXPECT_NE(px(at, to + 2), kCross);
    for (std::int32_t i = from; i <= to + 1; ++i) EXPECT_EQ(px(at, i), kCross) << i;
    EXPECT_EQ(px(at - 1, 30), kCross);
    EXPECT_EQ(px(at + 1, 30), kCross);

    // Dotted: the gaps show the white brush.
    ch.SetLineWidth(1);
    ch.SetLineType(TPenStyle::psDot);
    bool red = false, white = false;
    for (std::int32_t i = from; i <= to; ++i) {
      const TColor c = px(at, i);
      red |= c == kCross;
      white |= c == clWhite;
      EXPECT_TRUE(c == kCross || c == clWhite) << i;
    }
    EXPECT_TRUE(red && white);
  }
}

TEST(ColorScaleRender, CrossHairOffOrNotFiniteIsNotDrawn) {
  Painted p;
  auto anyCross = [&] {
    for (std::int32_t y = 0; y < 75; ++y)
      for (std::int32_t x = 0; x < 300; ++x)
        if (p.At(x, y) == kCross) return true;
    return false;
  };
  TCrossHair& ch = p.CS.CrossHair();
  ch.SetColor(kCross);
  ch.SetLineType(TPenStyle::psSolid);
  EXPECT_FALSE(anyCross());
  ch.SetMode(TCrossHMode::chVert);
  EXPECT_TRUE(anyCross());
  for (double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
    ch.SetPosX(bad);
    EXPECT_FALSE(anyCross()) << bad;
  }
  ch.SetPosX(1e300);  // far beyond the bar: clipped away
  EXPECT_FALSE(anyCross());
}

TEST(ColorScaleRender, FrameKeepsItsFixedColoursAndCaptionIsWritten) {
  Painted p;
  p.CS.SetFrameStyle(TFrameStyle::fsLowered);
  for (TColorScheme scheme : {TColorScheme::csBWG, TColorScheme::csSystem}) {
    p.CS.SetColorScheme(scheme);
    EXPECT_EQ(p.At(0, 30), 0x808080u);
    EXPECT_EQ(p.At(1, 30), 0x000000u);
    EXPECT_EQ(p.At(299, 30), 0xFFFFFFu);
    EXPECT_EQ(p.At(298, 30), 0xC0C0C0u);
  }
  p.CS.SetCaptionColor(clFuchsia);
  p.CS.SetCaption("Hot");
  bool found = false;
  for (std::int32_t y = 10; y < 40; ++y)
    for (std::int32_t x = 10; x < 60; ++x) found |= p.At(x, y) == TColor(clFuchsia);
  EXPECT_TRUE(found);
  for (std::int32_t y = 0; y < 75; ++y) EXPECT_NE(p.At(5, y), TColor(clFuchsia));
}

TEST(ColorScaleRender, DataRenderedSeesThePictureBeforeCrossHairAndFrame) {
  Painted p;
  p.CS.SetFrameStyle(TFrameStyle::fsRaised);
  p.CS.CrossHair().SetLineType(TPenStyle::psSolid);
  p.CS.CrossHair().SetColor(kCross);
  const std::int32_t at = p.CS.ValueToPixel(0);
  std::int32_t calls = 0;
  p.CS.OnDataRendered = [&](TObject& sender, TCanvas& c) {
    EXPECT_EQ(&sender, &p.CS);
    EXPECT_EQ(c.Pixel(0, 30), kBkgd);
    EXPECT_NE(c.Pixel(at, 30), kCross);
    c.SetPixel(150, 70, clRed);  // drawn on the picture
    ++calls;
  };
  p.CS.CrossHair().SetMode(TCrossHMode::chBoth);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(p.At(at, 30), kCross);
  EXPECT_EQ(p.At(150, 70), TColor(clRed));
  // The window shows the same picture.
  EXPECT_EQ(Px(p.CS.Surface(), 150, 70), TColor(clRed));
  EXPECT_EQ(Px(p.CS.Surface(), 100, 30), p.At(100, 30));
}

TEST(ColorScaleRender, EmptyColourArrayLeavesTheBackground) {
  Painted p;
  p.CS.ColorArray.SetSize(0);
  p.CS.SetExtendColors(true);
  for (std::int32_t x = 16; x <= 283; ++x) ASSERT_EQ(p.At(x, 30), kBkgd) << x;
  p.CS.ColorArray.SetSize(1);
  p.CS.ColorArray.SetColorElem(1, Entry(4));
  for (std::int32_t x = 16; x <= 283; ++x) ASSERT_EQ(p.At(x, 30), Entry(4)) << x;
}

TEST(ColorScaleRender, CopyToBitMap) {
  Painted p;
  p.CS.CopyToBitMap(nullptr, 0, 0);  // nothing happens
  TBitmap sized(10, 10);
  p.CS.CopyToBitMap(&sized, -1, 5);  // resized to the picture, copied to (0, 0)
  ASSERT_EQ(sized.Width(), 300);
  ASSERT_EQ(sized.Height(), 75);
  EXPECT_EQ(Px(sized, 100, 30), p.At(100, 30));
  EXPECT_EQ(Px(sized, 0, 0), p.At(0, 0));
  TBitmap big(400, 100);
  big.Clear(clBlack);
  big.Canvas().CopyMode = TCopyMode::cmSrcInvert;
  p.CS.CopyToBitMap(&big, 5, 6);
  EXPECT_EQ(Px(big, 105, 36), p.At(100, 30));
  EXPECT_EQ(Px(big, 4, 6), 0u);
  EXPECT_EQ(big.Canvas().CopyMode, TCopyMode::cmSrcInvert);
  p.CS.CopyToBitMap(&big, 100000, 5);  // off the target: clipped
}

// Extreme settings never crash, hang or map NaN to a pixel.
TEST(ColorScaleRender, ExtremeSettingsPaint) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  for (bool vertical : {false, true}) {
    Painted p(vertical);
    TColorScale& cs = p.CS;
    cs.SetExtendColors(true);
    cs.SetFramedColorScale(true);
    cs.SetFrameStyle(TFrameStyle::fsEngraved);
    cs.CrossHair().SetMode(TCrossHMode::chBoth);
    cs.CrossHair().SetLineWidth(1000);
    cs.SetCaption("caption");
    for (std::int32_t size : {-5, 0, 1000, kMin}) cs.SetCaptionSize(size);
    for (auto [w, h] : std::vector<std::pair<std::int32_t, std::int32_t>>{
             {0, 0}, {1, 1}, {3, 40}, {40, 3}, {20000, 30}, {30, 20000}, {300, 75}}) {
      cs.SetBounds(0, 0, w, h);
      for (std::int32_t m : {kMin, -100, 0, 50, kMax}) {
        cs.SetMarginLeft(m);
        cs.SetMarginTop(m);
        cs.SetMarginRight(m);
        cs.SetMarginBottom(m);
      }
      for (auto [lo, hi] : std::vector<std::pair<double, double>>{
               {-1e308, 0}, {0, 1e-300}, {5e-324, 1e-323}, {1e300, -1e300}, {-1, 1}}) {
        cs.SetScaleRange(lo, hi);
        cs.SetColorLow(lo / 3);
        cs.SetColorHigh(hi * 3);
        cs.CrossHair().SetPos(hi, lo);
      }
    }
    cs.SetMarginLeft(16);
    cs.SetMarginRight(16);
    cs.SetMarginTop(8);
    cs.SetMarginBottom(22);
  }
}

}  // namespace
}  // namespace mivo
