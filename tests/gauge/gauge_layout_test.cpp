// Gauge geometry without drawing: limits, the moving dial's range, and the
// boxes' counts and clipping where the pixels cannot show them (the pixel
// rules themselves are checked in gauge_render_test).
#include "mivo/gauge/gauge_layout.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "mivo/base/color_array.h"

namespace mivo {
namespace {

constexpr TColor C1 = 0x000000, C2 = 0x0000FF;

// The default gauge: 300 x 75, margins 20, 10, 10, 20.
TGaugeFrame DefaultFrame() { return TGaugeFrame{300, 75, 20, 10, 10, 20, 300, 75}; }

TEST(GaugeLayout, ValueIsLimitedWhicheverLimitIsSmaller) {
  struct Row {
    double Value, Min, Max, Out;
  };
  for (const Row& r : std::vector<Row>{{25, -10, 10, 10},
                                       {-25, -10, 10, -10},
                                       {25, 10, -10, 10},
                                       {-25, 10, -10, -10},
                                       {3, -10, 10, 3},
                                       {DBL_MAX, 0, 1, 1},
                                       {-DBL_MAX, 0, 1, 0},
                                       {7, 5, 5, 5}})
    EXPECT_EQ(LimitGaugeValue(r.Value, r.Min, r.Max), r.Out) << r.Value << " in " << r.Min << ", " << r.Max;
}

TEST(GaugeLayout, MarginKeepsTwentyPixelWindowAndStaysNonNegative) {
  struct Row {
    std::int32_t Margin, Size, Opposite, Out;
  };
  for (const Row& r : std::vector<Row>{{271, 300, 10, 270},
                                       {270, 300, 10, 270},
                                       {50, 300, 10, 50},
                                       {-5, 300, 10, 0},
                                       {10, 25, 10, 0},  // no room at all
                                       {INT32_MAX, INT32_MAX, INT32_MAX, 0},
                                       {INT32_MAX, INT32_MAX, 0, INT32_MAX - 20},
                                       {INT32_MIN, 300, INT32_MIN, 0}})
    EXPECT_EQ(LimitGaugeMargin(r.Margin, r.Size, r.Opposite), r.Out) << r.Margin << " of " << r.Size;
}

TEST(GaugeLayout, MovingDialRangeCentredOnTheValue) {
  double lo = 0, hi = 0;
  ASSERT_TRUE(MovingDialRange(3, -10, 10, false, lo, hi));
  EXPECT_EQ(lo, -7);
  EXPECT_EQ(hi, 13);
  ASSERT_TRUE(MovingDialRange(0, 10, -10, false, lo, hi));  // reversed limits: the same width
  EXPECT_EQ(lo, -10);
  EXPECT_EQ(hi, 10);
  ASSERT_TRUE(MovingDialRange(10, 1, 100, true, lo, hi));
  EXPECT_DOUBLE_EQ(lo, 1);
  EXPECT_DOUBLE_EQ(hi, 100);
  ASSERT_TRUE(MovingDialRange(50, 1, 10000, true, lo, hi));
  EXPECT_DOUBLE_EQ(lo, 0.5);
  EXPECT_DOUBLE_EQ(hi, 5000);
  // Ranges that leave the doubles are refused, the outputs untouched.
  lo = hi = 42;
  EXPECT_FALSE(MovingDialRange(DBL_MAX, -DBL_MAX, DBL_MAX, false, lo, hi));
  EXPECT_FALSE(MovingDialRange(1e300, 1e-300, 1e300, true, lo, hi));
  EXPECT_FALSE(MovingDialRange(std::nan(""), -1, 1, false, lo, hi));
  EXPECT_EQ(lo, 42);
  EXPECT_EQ(hi, 42);
}

TEST(GaugeLayout, GradientsOneLinePerWindowPixelPlusTheFarEdge) {
  const TGaugeFrame f = DefaultFrame();
  TGaugeBoxes b;
  GaugeBackgroundBoxes(TGaugeBackground::gbVertGrad, f, C1, C2, b);
  ASSERT_EQ(b.size(), 271u);  // i = 0 ... w
  EXPECT_EQ(b.front(), (TGaugeBox{20, 0, 20, 74, C1}));
  EXPECT_EQ(b.back(), (TGaugeBox{290, 0, 290, 74, C2}));
  EXPECT_EQ(b[135].Color, InterpolateColor(C1, C2, 135.0 / 270));

  b.clear();
  GaugeBackgroundBoxes(TGaugeBackground::gbHorizGrad, f, C1, C2, b);
  ASSERT_EQ(b.size(), 46u);
  EXPECT_EQ(b.front(), (TGaugeBox{0, 10, 299, 10, C1}));
  EXPECT_EQ(b.back(), (TGaugeBox{0, 55, 299, 55, C2}));

  b.clear();
  GaugeBackgroundBoxes(TGaugeBackground::gbPlain, f, C2, C1, b);
  ASSERT_EQ(b.size(), 1u);
  EXPECT_EQ(b[0], (TGaugeBox{0, 0, 299, 74, C2}));
}

TEST(GaugeLayout, EmptyWindowsDrawNoGradientAndHugeOnesStayOnThePicture) {
  for (TGaugeBackground kind : {TGaugeBackground::gbVertGrad, TGaugeBackground::gbHorizGrad,
                                TGaugeBackground::gbVertMidBand, TGaugeBackground::gbHorizMidBand}) {
    TGaugeBoxes b;
    // Shrunk until the margins meet (w = 0, h = 0) or overlap.
    GaugeBackgroundBoxes(kind, TGaugeFrame{30, 30, 20, 10, 10, 20, 30, 30}, C1, C2, b);
    GaugeBackgroundBoxes(kind, TGaugeFrame{20, 20, 20, 10, 10, 20, 20, 20}, C1, C2, b);
    GaugeBackgroundBoxes(kind, TGaugeFrame{0, 0, 0, 0, 0, 0, 0, 0}, C1, C2, b);
    EXPECT_TRUE(b.empty()) << int(kind);
    // A control far larger than its picture: only the picture's lines.
    GaugeBackgroundBoxes(kind, TGaugeFrame{INT32_MAX, INT32_MAX, 20, 10, 10, 20, 100, 50}, C1, C2, b);
    EXPECT_LE(b.size(), 200u) << int(kind);
    for (const TGaugeBox& box : b) {
      EXPECT_TRUE(box.X1 >= 0 && box.X2 < 100 && box.Y1 >= 0 && box.Y2 < 50) << int(kind);
    }
  }
}

TGaugeBoxes Index(TGaugeIndexMode mode, TGaugeOrientation o, std::int32_t p, std::int32_t z = 0, bool above = true,
                  const TGaugeFrame& f = DefaultFrame()) {
  TGaugeBoxes b;
  GaugeIndexBoxes(TGaugeIndexInput{mode, o, p, z, above, C1, C2}, f, b);
  return b;
}

TEST(GaugeLayout, DualColourBandFromZeroToValue) {
  using M = TGaugeIndexMode;
  using O = TGaugeOrientation;
  struct Row {
    O Orient;
    std::int32_t P, Z;
    bool Above;
    std::int32_t From, To;  // along the dial; -1 for nothing
    TColor Color;
  };
  for (const Row& r : std::vector<Row>{{O::goHorizontal, 200, 155, true, 155, 200, C1},
                                       {O::goHorizontal, 100, 155, false, 100, 155, C2},
                                       {O::goHorizontal, 100, 155, true, -1, -1, 0},  // value left of zero
                                       {O::goVertical, 20, 33, true, 20, 33, C1},      // higher values upwards
                                       {O::goVertical, 50, 33, false, 33, 50, C2},
                                       {O::goVertical, 50, 33, true, -1, -1, 0}}) {
    const TGaugeBoxes b = Index(M::gimDualColorBand, r.Orient, r.P, r.Z, r.Above);
    if (r.From < 0) {
      EXPECT_TRUE(b.empty()) << r.P;
      continue;
    }
    ASSERT_EQ(b.size(), 1u) << r.P;
    if (r.Orient == O::goHorizontal)
      EXPECT_EQ(b[0], (TGaugeBox{r.From, 45, r.To, 51, r.Color}));
    else
      EXPECT_EQ(b[0], (TGaugeBox{280, r.From, 286, r.To, r.Color}));
  }
}

TEST(GaugeLayout, IndexAtTheEndsOfThe32BitRangeIsClippedNotOverflowed) {
  for (std::int32_t p : {INT32_MAX, INT32_MIN, INT32_MAX - 1, INT32_MIN + 1})
    for (std::int32_t m = 0; m <= 6; ++m)
      for (TGaugeOrientation o : {TGaugeOrientation::goHorizontal, TGaugeOrientation::goVertical}) {
        const TGaugeBoxes b = Index(TGaugeIndexMode(m), o, p, p > 0 ? INT32_MIN : INT32_MAX, p > 0);
        EXPECT_LE(b.size(), 300u);
        for (const TGaugeBox& box : b) EXPECT_TRUE(box.X1 >= 0 && box.X2 < 300 && box.Y1 >= 0 && box.Y2 < 75);
      }
}

}  // namespace
}  // namespace mivo
