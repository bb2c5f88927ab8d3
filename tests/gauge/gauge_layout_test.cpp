// Gauge geometry without drawing: limits, the moving dial's range and the
// boxes of background, index and cover, with their clipping.
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

TEST(GaugeLayout, BaseLineAndWindowMiddle) {
  const TGaugeFrame f = DefaultFrame();
  EXPECT_EQ(GaugeBaseLine(f, TGaugeOrientation::goHorizontal), 75 - 20 - 11);
  EXPECT_EQ(GaugeBaseLine(f, TGaugeOrientation::goVertical), 300 - 10 - 11);
  EXPECT_EQ(GaugeWindowMiddle(f, TGaugeOrientation::goHorizontal), 20 + 270 / 2);
  EXPECT_EQ(GaugeWindowMiddle(f, TGaugeOrientation::goVertical), 10 + 45 / 2);  // 22.5 truncated
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

TEST(GaugeLayout, MidBandsRunFromBothSidesToTheMiddle) {
  TGaugeFrame f = DefaultFrame();
  TGaugeBoxes b;
  GaugeBackgroundBoxes(TGaugeBackground::gbVertMidBand, f, C1, C2, b);
  ASSERT_EQ(b.size(), 2u * 136u);  // i = 0 ... 135 from each side
  auto colorAt = [&](std::int32_t x) {
    TColor c = 0xFFFFFFFF;
    for (const TGaugeBox& box : b)
      if (box.X1 == x) c = box.Color;
    return c;
  };
  EXPECT_EQ(colorAt(20), C1);
  EXPECT_EQ(colorAt(290), C1);
  EXPECT_EQ(colorAt(155), C2);  // both sides meet at 20 + 135
  EXPECT_EQ(colorAt(30), InterpolateColor(C1, C2, 20.0 / 270));
  EXPECT_EQ(colorAt(280), colorAt(30));

  // An odd extent: h = 45, i = 0 ... 22, rows 10 ... 32 and 55 ... 33.
  b.clear();
  GaugeBackgroundBoxes(TGaugeBackground::gbHorizMidBand, f, C1, C2, b);
  ASSERT_EQ(b.size(), 46u);
  std::vector<bool> seen(75, false);
  for (const TGaugeBox& box : b) seen[std::size_t(box.Y1)] = true;
  for (std::int32_t y = 10; y <= 55; ++y) EXPECT_TRUE(seen[std::size_t(y)]) << y;
  EXPECT_EQ(b.back().Color, InterpolateColor(C1, C2, 44.0 / 45));
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

// The boxes as a pixel grid of one colour per pixel (later boxes win).
struct Grid {
  std::int32_t W, H;
  std::vector<std::int64_t> Px;
  Grid(const TGaugeBoxes& boxes, std::int32_t w, std::int32_t h) : W(w), H(h), Px(std::size_t(w) * h, -1) {
    for (const TGaugeBox& b : boxes)
      for (std::int32_t y = b.Y1; y <= b.Y2; ++y)
        for (std::int32_t x = b.X1; x <= b.X2; ++x) Px[std::size_t(y) * W + x] = b.Color;
  }
  std::int64_t At(std::int32_t x, std::int32_t y) const { return Px[std::size_t(y) * W + x]; }
  // Columns set in row y, as [first, last]; {-1, -1} when none.
  std::pair<std::int32_t, std::int32_t> RowSpan(std::int32_t y) const {
    std::int32_t a = -1, b = -1;
    for (std::int32_t x = 0; x < W; ++x)
      if (At(x, y) >= 0) {
        if (a < 0) a = x;
        b = x;
      }
    return {a, b};
  }
  std::pair<std::int32_t, std::int32_t> ColSpan(std::int32_t x) const {
    std::int32_t a = -1, b = -1;
    for (std::int32_t y = 0; y < H; ++y)
      if (At(x, y) >= 0) {
        if (a < 0) a = y;
        b = y;
      }
    return {a, b};
  }
};

TGaugeBoxes Index(TGaugeIndexMode mode, TGaugeOrientation o, std::int32_t p, std::int32_t z = 0, bool above = true,
                  const TGaugeFrame& f = DefaultFrame()) {
  TGaugeBoxes b;
  GaugeIndexBoxes(TGaugeIndexInput{mode, o, p, z, above, C1, C2}, f, b);
  return b;
}

TEST(GaugeLayout, TrianglesWidenByOnePixelEveryOtherRow) {
  const std::int32_t B = 44;  // horizontal base line
  const Grid g(Index(TGaugeIndexMode::gimTriangle, TGaugeOrientation::goHorizontal, 100), 300, 75);
  EXPECT_EQ(g.RowSpan(B), (std::pair{-1, -1}));
  for (std::int32_t i = 1; i <= 10; ++i) EXPECT_EQ(g.RowSpan(B + i), (std::pair{100 - i / 2, 100 + i / 2})) << i;
  EXPECT_EQ(g.RowSpan(B + 11), (std::pair{-1, -1}));

  // Vertical: columns B + i, base line column 279.
  const Grid v(Index(TGaugeIndexMode::gimTriangle, TGaugeOrientation::goVertical, 30), 300, 75);
  for (std::int32_t i = 1; i <= 10; ++i) EXPECT_EQ(v.ColSpan(279 + i), (std::pair{30 - i / 2, 30 + i / 2})) << i;
  EXPECT_EQ(v.ColSpan(279), (std::pair{-1, -1}));
}

TEST(GaugeLayout, ThreadWithTrianglesPerOrientation) {
  using M = TGaugeIndexMode;
  using O = TGaugeOrientation;
  // Horizontal thread-triangle: the triangle one row lower, in colour 2.
  const Grid h(Index(M::gimThreadTriangle, O::goHorizontal, 100), 300, 75);
  EXPECT_EQ(h.ColSpan(100), (std::pair{0, 74}));
  EXPECT_EQ(h.At(100, 45), C1);  // row B + 1 is the thread's
  EXPECT_EQ(h.At(100, 46), C2);
  EXPECT_EQ(h.RowSpan(55), (std::pair{95, 105}));
  EXPECT_EQ(h.RowSpan(56), (std::pair{100, 100}));  // the thread alone
  // Vertical thread-triangle: columns B + i.
  const Grid v(Index(M::gimThreadTriangle, O::goVertical, 30), 300, 75);
  EXPECT_EQ(v.RowSpan(30), (std::pair{0, 299}));
  EXPECT_EQ(v.At(280, 30), C2);
  EXPECT_EQ(v.ColSpan(289), (std::pair{25, 35}));
  // Two triangles: the upper one's tip at row MarginTop + 9, widest at MarginTop.
  const Grid t(Index(M::gimThreadTwoTriangles, O::goHorizontal, 100), 300, 75);
  EXPECT_EQ(t.RowSpan(19), (std::pair{100, 100}));
  EXPECT_EQ(t.RowSpan(10), (std::pair{95, 105}));
  EXPECT_EQ(t.At(99, 10), C2);
  EXPECT_EQ(t.RowSpan(54), (std::pair{95, 105}));
  EXPECT_EQ(t.RowSpan(9), (std::pair{100, 100}));  // above: the thread alone
  const Grid tv(Index(M::gimThreadTwoTriangles, O::goVertical, 30), 300, 75);
  EXPECT_EQ(tv.ColSpan(29), (std::pair{30, 30}));  // MarginLeft + 10 - 1
  EXPECT_EQ(tv.ColSpan(20), (std::pair{25, 35}));
}

TEST(GaugeLayout, BarIsThreeColumnsAcrossTheIndexRoom) {
  const Grid h(Index(TGaugeIndexMode::gimBar, TGaugeOrientation::goHorizontal, 100), 300, 75);
  EXPECT_EQ(h.ColSpan(100), (std::pair{46, 54}));
  EXPECT_EQ(h.ColSpan(99), (std::pair{47, 54}));
  EXPECT_EQ(h.ColSpan(101), (std::pair{47, 54}));
  EXPECT_EQ(h.ColSpan(102), (std::pair{-1, -1}));
  const Grid v(Index(TGaugeIndexMode::gimBar, TGaugeOrientation::goVertical, 30), 300, 75);
  EXPECT_EQ(v.RowSpan(30), (std::pair{281, 289}));
  EXPECT_EQ(v.RowSpan(29), (std::pair{282, 289}));
  EXPECT_EQ(v.RowSpan(31), (std::pair{282, 289}));
}

TEST(GaugeLayout, BandGradesFromTheLowEndToTheIndex) {
  const Grid h(Index(TGaugeIndexMode::gimBand, TGaugeOrientation::goHorizontal, 155), 300, 75);
  EXPECT_EQ(h.RowSpan(45), (std::pair{20, 155}));
  EXPECT_EQ(h.RowSpan(51), (std::pair{20, 155}));
  EXPECT_EQ(h.RowSpan(52), (std::pair{-1, -1}));
  EXPECT_EQ(h.At(20, 45), C1);
  EXPECT_EQ(h.At(155, 45), InterpolateColor(C1, C2, 135.0 / 270));
  EXPECT_TRUE(Index(TGaugeIndexMode::gimBand, TGaugeOrientation::goHorizontal, 19).empty());
  // Vertical: from row Height - MarginBottom = 55 up to p, fraction by h = 45.
  const Grid v(Index(TGaugeIndexMode::gimBand, TGaugeOrientation::goVertical, 20), 300, 75);
  EXPECT_EQ(v.ColSpan(280), (std::pair{20, 55}));
  EXPECT_EQ(v.RowSpan(55), (std::pair{280, 286}));
  EXPECT_EQ(v.At(280, 55), C1);
  EXPECT_EQ(v.At(280, 20), InterpolateColor(C1, C2, 35.0 / 45));
  EXPECT_TRUE(Index(TGaugeIndexMode::gimBand, TGaugeOrientation::goVertical, 56).empty());
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

TEST(GaugeLayout, CoverStripsOverTheMargins) {
  TGaugeBoxes b;
  GaugeCoverBoxes(DefaultFrame(), 0xC0C0C0, b);
  ASSERT_EQ(b.size(), 4u);
  EXPECT_EQ(b[0], (TGaugeBox{0, 0, 19, 74, 0xC0C0C0}));
  EXPECT_EQ(b[1], (TGaugeBox{290, 0, 299, 74, 0xC0C0C0}));
  EXPECT_EQ(b[2], (TGaugeBox{0, 0, 299, 9, 0xC0C0C0}));
  EXPECT_EQ(b[3], (TGaugeBox{0, 55, 299, 74, 0xC0C0C0}));
  b.clear();
  GaugeCoverBoxes(TGaugeFrame{300, 75, 0, 0, 0, 0, 300, 75}, 0, b);
  EXPECT_TRUE(b.empty());
}

TEST(GaugeLayout, PointInDialIncludesTheMarginLines) {
  // Dial margins of the default horizontal gauge: 20, 10, 10, 30.
  struct Row {
    std::int32_t X, Y;
    bool In;
  };
  for (const Row& r : std::vector<Row>{{20, 10, true}, {290, 45, true}, {19, 20, false}, {291, 20, false},
                                       {100, 9, false}, {100, 46, false}, {INT32_MIN, INT32_MAX, false}})
    EXPECT_EQ(PointInGaugeDial(r.X, r.Y, 20, 10, 10, 30, 300, 75), r.In) << r.X << "," << r.Y;
}

}  // namespace
}  // namespace mivo
