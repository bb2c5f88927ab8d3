// TScaleGauge::Paint on the raster canvas: background gradients, the seven
// index kinds in both orientations, the moving dial, cover, caption, frames and
// the disabled look, read back as pixels.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "mivo/base/color_array.h"
#include "mivo/gauge/gauge.h"
#include "mivo/platform/colors.h"

namespace mivo {
namespace {

constexpr TColor kWhite = 0xFFFFFF, kRed = 0x0000FF, kBlue = 0xFF0000, kCover = 0xC0C0C0;

// A painted gauge with a plain white window, red and blue index colours and
// no inner frame, so that the index room below (right of) the base line shows
// the index alone.
struct Painted {
  TScaleGauge G;
  explicit Painted(TGaugeOrientation o = TGaugeOrientation::goHorizontal) {
    if (o == TGaugeOrientation::goVertical) G.SetBounds(0, 0, 75, 300);
    G.SetOrientation(o);
    G.SetBackground(TGaugeBackground::gbPlain);
    G.SetColorBg1(kWhite);
    G.SetColorIndex1(kRed);
    G.SetColorIndex2(kBlue);
    G.SetFrameStyleInner(TFrameStyle::fsNone);
  }
  TColor At(std::int32_t x, std::int32_t y) {
    G.Paint();
    return G.Surface().Canvas().Pixel(x, y);
  }
  // The pixels of colour c along row y, columns x0 ... x1 (RunOf), or along
  // column x, rows y0 ... y1 (ColumnRunOf), after a paint.
  std::vector<std::int32_t> RunOf(TColor c, std::int32_t y, std::int32_t x0, std::int32_t x1) {
    return Run(c, true, y, x0, x1);
  }
  std::vector<std::int32_t> ColumnRunOf(TColor c, std::int32_t x, std::int32_t y0, std::int32_t y1) {
    return Run(c, false, x, y0, y1);
  }
  std::vector<std::int32_t> Run(TColor c, bool alongRow, std::int32_t at, std::int32_t from, std::int32_t to) {
    G.Paint();
    std::vector<std::int32_t> hits;
    for (std::int32_t i = from; i <= to; ++i)
      if ((alongRow ? G.Surface().Canvas().Pixel(i, at) : G.Surface().Canvas().Pixel(at, i)) == c) hits.push_back(i);
    return hits;
  }
};

std::vector<std::int32_t> Range(std::int32_t a, std::int32_t b) {
  std::vector<std::int32_t> v;
  for (std::int32_t i = a; i <= b; ++i) v.push_back(i);
  return v;
}

constexpr std::int32_t kBaseH = 75 - 20 - 11;   // base line row of a 300 x 75 gauge
constexpr std::int32_t kBaseV = 75 - 10 - 11;   // base line column of a 75 x 300 gauge

TEST(GaugeRender, TriangleBelowTheBaseLineInBothOrientations) {
  Painted h;
  h.G.SetValue(5);
  const std::int32_t p = h.G.Scale().R2M(5);
  EXPECT_EQ(p, 222);  // 20 + 15 * 269 / 20 = 221.75
  for (std::int32_t i = 1; i <= 10; ++i) EXPECT_EQ(h.RunOf(kRed, kBaseH + i, 20, 289), Range(p - i / 2, p + i / 2)) << i;
  EXPECT_TRUE(h.RunOf(kRed, kBaseH + 11, 0, 299).empty());  // the cover

  Painted v(TGaugeOrientation::goVertical);
  v.G.SetValue(5);
  const std::int32_t q = v.G.Scale().R2M(5);
  for (std::int32_t i = 1; i <= 10; ++i)
    EXPECT_EQ(v.ColumnRunOf(kRed, kBaseV + i, 10, 279), Range(q - i / 2, q + i / 2)) << i;
}

TEST(GaugeRender, ThreadsAndTrianglesInTheirColours) {
  Painted h;
  h.G.SetIndexMode(TGaugeIndexMode::gimThreadTwoTriangles);
  const std::int32_t p = h.G.Scale().R2M(0);
  // The thread over the window (the cover hides the rest of it).
  EXPECT_EQ(h.ColumnRunOf(kRed, p, 0, 74), Range(20, kBaseH));  // the triangles cover rows 10 ... 19 and 45 ...
  EXPECT_EQ(h.At(p, 5), kCover);
  // Lower triangle rows 45 ... 54 and upper one rows 19 ... 10 in colour 2.
  EXPECT_EQ(h.RunOf(kBlue, kBaseH + 10, 0, 299), Range(p - 5, p + 5));
  EXPECT_EQ(h.RunOf(kBlue, 19, 0, 299), Range(p, p));
  EXPECT_EQ(h.RunOf(kBlue, 10, 0, 299), Range(p - 5, p + 5));

  h.G.SetIndexMode(TGaugeIndexMode::gimThreadTriangle);
  EXPECT_EQ(h.At(p, kBaseH + 1), kRed);  // one row lower: the thread's row
  EXPECT_EQ(h.RunOf(kBlue, kBaseH + 2, 0, 299), Range(p, p));
  EXPECT_EQ(h.RunOf(kBlue, 54, 0, 299), Range(p - 4, p + 4));  // i = 9, the tenth row is under the cover

  Painted v(TGaugeOrientation::goVertical);
  v.G.SetIndexMode(TGaugeIndexMode::gimThreadTriangle);
  const std::int32_t q = v.G.Scale().R2M(0);
  EXPECT_EQ(v.RunOf(kRed, q, 0, 74), Range(20, kBaseV));
  EXPECT_EQ(v.At(kBaseV + 1, q), kBlue);  // columns B + i
  v.G.SetIndexMode(TGaugeIndexMode::gimThreadTwoTriangles);
  EXPECT_EQ(v.ColumnRunOf(kBlue, 29, 0, 299), Range(q, q));
  EXPECT_EQ(v.ColumnRunOf(kBlue, 20, 0, 299), Range(q - 5, q + 5));
}

TEST(GaugeRender, BandGradesAndDualBandTakesTheSideOfZero) {
  Painted h;
  h.G.SetIndexMode(TGaugeIndexMode::gimBand);
  h.G.SetValue(5);
  const std::int32_t p = h.G.Scale().R2M(5);
  for (std::int32_t row = kBaseH + 1; row <= kBaseH + 7; ++row) {
    EXPECT_EQ(h.At(20, row), kRed);
    EXPECT_EQ(h.At(p, row), InterpolateColor(kRed, kBlue, double(p - 20) / 270));
    EXPECT_EQ(h.At(p + 1, row), kWhite);
  }
  EXPECT_EQ(h.At(100, kBaseH + 8), kWhite);

  // GaugeZero 0: 0 ... 5 in colour 1, -5 ... 0 in colour 2.
  h.G.SetIndexMode(TGaugeIndexMode::gimDualColorBand);
  const std::int32_t z = h.G.Scale().R2M(0);
  EXPECT_EQ(h.RunOf(kRed, kBaseH + 4, 0, 299), Range(z, p));
  h.G.SetValue(-5);
  const std::int32_t n = h.G.Scale().R2M(-5);
  EXPECT_EQ(h.RunOf(kBlue, kBaseH + 7, 0, 299), Range(n, z));
  EXPECT_TRUE(h.RunOf(kRed, kBaseH + 7, 0, 299).empty());

  Painted v(TGaugeOrientation::goVertical);
  v.G.SetIndexMode(TGaugeIndexMode::gimDualColorBand);
  v.G.SetValue(5);
  const std::int32_t vz = v.G.Scale().R2M(0), vp = v.G.Scale().R2M(5);
  ASSERT_LT(vp, vz);
  EXPECT_EQ(v.ColumnRunOf(kRed, kBaseV + 1, 0, 299), Range(vp, vz));
  v.G.SetIndexMode(TGaugeIndexMode::gimBand);
  // Pure colour 1 belongs to row 280, which lies under the cover.
  EXPECT_TRUE(v.ColumnRunOf(kRed, kBaseV + 3, 0, 299).empty());
  EXPECT_EQ(v.At(kBaseV + 3, vp), InterpolateColor(kRed, kBlue, double(280 - vp) / 270));
}

TEST(GaugeRender, BarInBothOrientations) {
  Painted h;
  h.G.SetIndexMode(TGaugeIndexMode::gimBar);
  const std::int32_t p = h.G.Scale().R2M(0);
  EXPECT_EQ(h.ColumnRunOf(kRed, p, kBaseH + 1, 74), Range(kBaseH + 2, kBaseH + 10));
  EXPECT_EQ(h.ColumnRunOf(kRed, p - 1, kBaseH + 1, 74), Range(kBaseH + 3, kBaseH + 10));
  EXPECT_EQ(h.ColumnRunOf(kRed, p + 1, kBaseH + 1, 74), Range(kBaseH + 3, kBaseH + 10));
  Painted v(TGaugeOrientation::goVertical);
  v.G.SetIndexMode(TGaugeIndexMode::gimBar);
  const std::int32_t q = v.G.Scale().R2M(0);
  EXPECT_EQ(v.RunOf(kRed, q, kBaseV + 1, 74), Range(kBaseV + 2, kBaseV + 10));
  EXPECT_EQ(v.RunOf(kRed, q + 1, kBaseV + 1, 74), Range(kBaseV + 3, kBaseV + 10));
}

TEST(GaugeRender, MovingDialKeepsTheIndexInTheMiddle) {
  Painted h;
  h.G.SetFixedDial(false);
  h.G.SetValue(3);
  h.G.Paint();
  EXPECT_EQ(h.G.Scale().RangeLow(), -7);
  EXPECT_EQ(h.G.Scale().RangeHigh(), 13);
  EXPECT_EQ(h.RunOf(kRed, kBaseH + 1, 0, 299), Range(155, 155));  // 20 + 270 / 2
  h.G.SetValue(-9);
  EXPECT_EQ(h.RunOf(kRed, kBaseH + 1, 0, 299), Range(155, 155));
  // Logarithmic: 1 ... 100 centred on 50 is 5 ... 500.
  h.G.SetMin(1);
  h.G.SetMax(100);
  h.G.SetLogarithmic(true);
  h.G.SetValue(50);
  h.G.Paint();
  EXPECT_DOUBLE_EQ(h.G.Scale().RangeLow(), 5);
  EXPECT_DOUBLE_EQ(h.G.Scale().RangeHigh(), 500);
  Painted v(TGaugeOrientation::goVertical);
  v.G.SetFixedDial(false);
  EXPECT_EQ(v.ColumnRunOf(kRed, kBaseV + 1, 0, 299), Range(10 + 270 / 2, 10 + 270 / 2));
}

TEST(GaugeRender, GradientFractionsAcrossTheWindow) {
  TScaleGauge g;  // the default vertical gradient from 0x808080 to white
  g.SetFrameStyleInner(TFrameStyle::fsNone);
  g.Paint();
  TCanvas& c = g.Surface().Canvas();
  for (std::int32_t i : {0, 1, 100, 269})
    EXPECT_EQ(c.Pixel(20 + i, 15), InterpolateColor(0x808080, 0xFFFFFF, i / 270.0)) << i;
  g.SetBackground(TGaugeBackground::gbHorizGrad);
  for (std::int32_t i : {0, 5, 10}) EXPECT_EQ(c.Pixel(150, 10 + i), InterpolateColor(0x808080, 0xFFFFFF, i / 45.0)) << i;
  g.SetBackground(TGaugeBackground::gbVertMidBand);
  for (std::int32_t i : {1, 40, 135}) {
    EXPECT_EQ(c.Pixel(20 + i, 15), InterpolateColor(0x808080, 0xFFFFFF, 2 * i / 270.0)) << i;
    EXPECT_EQ(c.Pixel(290 - i, 15), c.Pixel(20 + i, 15)) << i;
  }
  g.SetBackground(TGaugeBackground::gbHorizMidBand);
  EXPECT_EQ(c.Pixel(150, 10), 0x808080u);
  EXPECT_EQ(c.Pixel(150, 12), InterpolateColor(0x808080, 0xFFFFFF, 4 / 45.0));
}

TEST(GaugeRender, CoverCaptionAndFixedFrameColours) {
  TScaleGauge g;
  g.SetColorScheme(TColorScheme::csSystem);  // the frames keep their fixed colours
  g.SetColorCover(0x00FF00);
  g.Paint();
  TCanvas& c = g.Surface().Canvas();
  // Outer raised frame: light and dark outside, highlight and shadow inside.
  EXPECT_EQ(c.Pixel(0, 30), 0xC0C0C0u);
  EXPECT_EQ(c.Pixel(1, 30), 0xFFFFFFu);
  EXPECT_EQ(c.Pixel(299, 30), 0u);
  EXPECT_EQ(c.Pixel(298, 30), 0x808080u);
  // Inner lowered frame around the window (20, 10) - (289, 54).
  EXPECT_EQ(c.Pixel(20, 30), 0x808080u);
  EXPECT_EQ(c.Pixel(21, 30), 0u);
  EXPECT_EQ(c.Pixel(289, 30), 0xFFFFFFu);
  EXPECT_EQ(c.Pixel(150, 54), 0xFFFFFFu);
  EXPECT_EQ(c.Pixel(150, 53), 0xC0C0C0u);
  // The cover strips.
  for (TPoint pt : {TPoint{10, 40}, TPoint{295, 40}, TPoint{150, 5}, TPoint{150, 65}, TPoint{2, 2}})
    EXPECT_EQ(c.Pixel(pt.x, pt.y), 0x00FF00u) << pt.x << "," << pt.y;

  // The caption is written on top of the cover in its own colour.
  g.SetCaption("Volts");
  g.SetCaptionColor(kRed);
  g.SetCaptionPosX(4);
  g.SetCaptionPosY(56);
  std::int32_t reddish = 0;
  for (std::int32_t y = 56; y < 75; ++y)
    for (std::int32_t x = 4; x < 60; ++x) {
      const TColor px = c.Pixel(x, y);
      if (GetRValue(px) > 200 && GetGValue(px) < 100) ++reddish;
    }
  EXPECT_GT(reddish, 10);
}

// The fixed dial's end labels lie in the window, not under the cover: the
// dark ink of a gauge over 0 ... 100 is the same with the cover as when the
// cover is as narrow as it gets, in the window's columns. A moving dial's
// labels slide under the cover as the dial turns.
TEST(GaugeRender, FixedDialEndLabelsStayInTheWindow) {
  Painted p;
  p.G.SetMin(0);
  p.G.SetMax(100);
  EXPECT_TRUE(p.G.Scale().LabelsWithinMargins());
  p.G.Paint();
  const TBitmap& s = p.G.Surface();
  // Columns of label ink (dark pixels above the tick lines) left and right.
  std::int32_t first = s.Width(), last = -1;
  for (std::int32_t y = 3; y < kBaseH - 8; ++y)  // inside the outer frame, above the ticks
    for (std::int32_t x = 3; x < s.Width() - 3; ++x) {
      const TRGB32 c = s.ScanLine(y)[x];
      if (c.R < 128 && c.G < 128 && c.B < 128) {
        first = std::min(first, x);
        last = std::max(last, x);
      }
    }
  EXPECT_GE(first, p.G.MarginLeft() + 2);
  EXPECT_LE(last, s.Width() - p.G.MarginRight() - 3);
  EXPECT_LT(first, p.G.MarginLeft() + 6);  // the "0" is there, whole

  p.G.SetFixedDial(false);
  EXPECT_FALSE(p.G.Scale().LabelsWithinMargins());
}

TEST(GaugeRender, DisabledGaugeIsGrey) {
  TScaleGauge g;
  g.SetCaption("Off");
  g.SetCaptionColor(kRed);
  g.SetColorIndex1(kRed);
  g.SetColorScale(kBlue);
  g.SetEnabled(false);
  g.SetFrameStyleInner(TFrameStyle::fsNone);
  g.Paint();
  TCanvas& c = g.Surface().Canvas();
  const std::int32_t p = g.Scale().R2M(0);
  EXPECT_EQ(c.Pixel(100, 15), 0xE9E9EEu);               // background
  EXPECT_EQ(c.Pixel(p, kBaseH + 1), 0x808080u);         // index
  EXPECT_EQ(c.Pixel(100, kBaseH), 0x808080u);           // the dial's base line
  EXPECT_EQ(c.Pixel(5, 40), kCover);                    // the cover keeps its colour
  bool anyRed = false;
  for (std::int32_t y = 10; y < 30; ++y)
    for (std::int32_t x = 10; x < 60; ++x) anyRed = anyRed || c.Pixel(x, y) == kRed;
  EXPECT_FALSE(anyRed);
  g.SetEnabled(true);
  EXPECT_EQ(c.Pixel(100, kBaseH), kBlue);
  EXPECT_EQ(c.Pixel(p, kBaseH + 1), kRed);
}

TEST(GaugeRender, InvisibleGaugeDrawsNothing) {
  TScaleGauge g;
  g.Paint();
  g.SetVisible(false);
  g.SetColorCover(0x123456);
  g.Paint();
  EXPECT_EQ(g.Surface().Canvas().Pixel(5, 40), kCover);
  g.SetDesigning(true);  // at design time it is drawn
  g.Paint();
  EXPECT_EQ(g.Surface().Canvas().Pixel(5, 40), 0x123456u);
}

// Sizes, ranges and values at the edges paint without fault, every kind and
// orientation (run under the sanitizers).
TEST(GaugeRender, ExtremeSettingsPaint) {
  struct Size {
    std::int32_t W, H;
  };
  for (Size sz : {Size{0, 0}, Size{1, 1}, Size{30, 30}, Size{300, 75}, Size{20000, 9}})
    for (std::int32_t o = 0; o <= 1; ++o)
      for (std::int32_t bg = 0; bg <= 4; ++bg) {
        TScaleGauge g;
        g.SetOrientation(TGaugeOrientation(o));
        g.SetBackground(TGaugeBackground(bg));
        g.SetBounds(0, 0, sz.W, sz.H);
        for (std::int32_t m = 0; m <= 6; ++m) {
          g.SetIndexMode(TGaugeIndexMode(m));
          g.SetFixedDial(m % 2 == 0);
          g.Paint();
        }
        EXPECT_EQ(g.GrafBmp().Width(), std::min(sz.W, TCustomControl::MaxSurfaceSide));
      }
  // A value far outside a range changed after it was set, reversed and
  // extreme ranges.
  TScaleGauge g;
  g.SetValue(10);
  g.SetMax(1e-300);
  g.SetMin(0);
  for (std::int32_t m = 0; m <= 6; ++m) {
    g.SetIndexMode(TGaugeIndexMode(m));
    g.Paint();
  }
  g.SetMin(DBL_MAX);
  g.SetMax(-1e300);
  g.SetValue(-DBL_MAX);
  g.SetGaugeZero(DBL_MAX);
  g.SetFixedDial(false);
  g.Paint();
  // Shrunk below its margins: no gradient, everything covered.
  g.SetBounds(0, 0, 15, 15);
  g.SetFixedDial(true);
  g.Paint();
  EXPECT_EQ(g.Surface().Canvas().Pixel(7, 7), kCover);
}

}  // namespace
}  // namespace mivo
