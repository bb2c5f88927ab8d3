// The colour scale's pure computations: value <-> entry, margin limit, bar
// layout and entries, and the pan/zoom drag.
#include "mivo/colorscale/colorscale_map.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace mivo {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(ColorScaleMap, ValueToColorIndex) {
  struct Row {
    double V, Low, High;
    std::int32_t N, Index;
  };
  for (const Row& r : std::vector<Row>{
           {-20, -10, 10, 10, 1},   // below the colour range
           {20, -10, 10, 10, 10},   // above it
           {0, -10, 10, 10, 5},
           {-9, -10, 10, 10, 1},    // 0.5 is limited to 1 before rounding
           {-7, -10, 10, 10, 2},    // 1.5 rounds to even
           {-5, -10, 10, 10, 2},    // 2.5 rounds to even
           {-3, -10, 10, 10, 4},    // 3.5
           {3, 3, 3, 5, 2},         // empty colour range: N / 2 = 2.5, rounded to even
           {-1e300, 3, 3, 10, 5},
           {7, 3, 3, 1, 1},         // 0.5 limited to 1
           {10, 10, -10, 10, 1},    // reversed colour range
           {-10, 10, -10, 10, 10},
           {5, 10, -10, 10, 2},
           {kInf, -10, 10, 10, 10},
           {-kInf, -10, 10, 10, 1},
           {1e308, -1e308, 0, 10, 10},
           {kNaN, -10, 10, 10, 0},  // no colour for NaN
           {0, -10, 10, 0, 0},      // empty array
           {0, -10, 10, -3, 0},
       }) {
    EXPECT_EQ(ValueToColorIndex(r.V, r.Low, r.High, r.N), r.Index) << r.V << " in " << r.Low << ".." << r.High;
  }
}

TEST(ColorScaleMap, ColorIndexToValueAndMarginLimit) {
  EXPECT_DOUBLE_EQ(ColorIndexToValue(5, 10, -10, 10), 0);
  EXPECT_DOUBLE_EQ(ColorIndexToValue(10, 10, -10, 10), 10);
  EXPECT_DOUBLE_EQ(ColorIndexToValue(1, 4, 0, 8), 2);
  EXPECT_DOUBLE_EQ(ColorIndexToValue(0, 0, -10, 10), -10);  // empty array: no division by zero

  struct Row {
    std::int32_t Value, Size, Opposite, Stored;
  };
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  for (const Row& r : std::vector<Row>{{500, 300, 16, 283},
                                       {283, 300, 16, 283},
                                       {10, 300, 16, 10},
                                       {-50, 300, 16, -50},  // no lower limit
                                       {5, 0, 0, -1},
                                       {kMax, 0, kMin, kMax},
                                       {kMax, kMax, kMin, kMax},
                                       {0, 0, kMax, kMin}}) {
    EXPECT_EQ(LimitMargin(r.Value, r.Size, r.Opposite), r.Stored) << r.Value << " " << r.Size << " " << r.Opposite;
  }
}

// Bar 16 ... 283 (a 300 pixel control with margins of 16), ten colours.
TEST(ColorScaleMap, BarEntriesFullNarrowReversedAndBeyond) {
  struct Row {
    const char* What;
    std::int32_t PixLow, PixHigh;
    bool Extend, LowAtFirst;
    std::int32_t Pos, Entry;
  };
  for (const Row& r : std::vector<Row>{
           {"full: first pixel", 16, 283, false, true, 16, 1},
           {"full: last pixel", 16, 283, false, true, 283, 10},
           {"full: middle", 16, 283, false, true, 150, 5},  // 134 / 267 * 10 = 5.02
           {"off the bar", 16, 283, true, true, 15, 0},
           {"off the bar", 16, 283, true, true, 284, 0},
           {"narrow: before", 100, 200, false, true, 99, 0},
           {"narrow: after", 100, 200, false, true, 201, 0},
           {"narrow: low end", 100, 200, false, true, 100, 1},
           {"narrow: high end", 100, 200, false, true, 200, 10},
           {"narrow: 3.5 rounds to 4", 100, 200, false, true, 135, 4},
           {"narrow extended: before", 100, 200, true, true, 16, 1},
           {"narrow extended: after", 100, 200, true, true, 283, 10},
           {"reversed: low end", 200, 100, false, true, 200, 1},
           {"reversed: high end", 200, 100, false, true, 100, 10},
           {"reversed extended: beyond the low end", 200, 100, true, true, 250, 1},
           {"reversed extended: beyond the high end", 200, 100, true, true, 50, 10},
           {"clipped at the ends", -1000, 1000, false, true, 16, 5},
           {"wholly right of the bar", 300, 400, false, true, 283, 0},
           {"wholly right, extended", 300, 400, true, true, 283, 1},
           {"wholly left, extended", -50, 0, true, true, 16, 10},
           {"touching the first pixel", -50, 16, false, true, 16, 10},
           {"one pixel", 150, 150, false, true, 150, 5},
           {"one pixel, extended below", 150, 150, true, true, 100, 1},
           {"one pixel, extended above", 150, 150, true, true, 200, 10},
           {"one pixel, values growing the other way", 150, 150, true, false, 100, 10},
           {"saturated pixels", std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(),
            false, true, 150, 5},
       }) {
    const TColorBarLayout l = ColorBarLayout(16, 283, r.PixLow, r.PixHigh, 10, r.Extend, r.LowAtFirst);
    EXPECT_EQ(ColorBarEntry(l, r.Pos), r.Entry) << r.What;
  }
}

TEST(ColorScaleMap, BarEntriesSmallArraysAndEmptyBars) {
  // One colour: the single entry everywhere, also for a one-pixel range.
  EXPECT_EQ(ColorBarEntry(ColorBarLayout(0, 9, 5, 5, 1, false, true), 5), 1);
  EXPECT_EQ(ColorBarEntry(ColorBarLayout(0, 9, 0, 9, 1, false, true), 0), 1);
  // No colours: nothing is drawn.
  EXPECT_EQ(ColorBarEntry(ColorBarLayout(0, 9, 0, 9, 0, true, true), 4), 0);
  // A bar without pixels (margins wider than the control).
  const TColorBarLayout empty = ColorBarLayout(20, 10, 12, 18, 10, true, true);
  for (std::int32_t p = 0; p < 30; ++p) EXPECT_EQ(ColorBarEntry(empty, p), 0) << p;
  // Vertical bar 8 ... 52 with the low end at the bottom.
  const TColorBarLayout v = ColorBarLayout(8, 52, 52, 8, 10, false, false);
  EXPECT_EQ(ColorBarEntry(v, 52), 1);
  EXPECT_EQ(ColorBarEntry(v, 8), 10);
  EXPECT_EQ(ColorBarEntry(v, 30), 5);
}

TEST(ColorScaleMap, PressZonesOfTheBar) {
  // Horizontal bar from 16, 268 pixels: p1 = round(112.56) = 113, p2 = round(155.44) = 155.
  struct Row {
    bool Horizontal;
    std::int32_t Pos, Start, Length;
    TZoomPanMode Mode;
  };
  using Z = TZoomPanMode;
  for (const Row& r : std::vector<Row>{{true, 16, 16, 268, Z::zpmColZoomLeft},
                                       {true, 128, 16, 268, Z::zpmColZoomLeft},
                                       {true, 129, 16, 268, Z::zpmPan},
                                       {true, 171, 16, 268, Z::zpmPan},
                                       {true, 172, 16, 268, Z::zpmColZoomRight},
                                       {true, -5000, 16, 268, Z::zpmColZoomLeft},
                                       // Vertical bar from 8, 45 pixels: p1 = 19, p2 = 26; the top holds high values.
                                       {false, 26, 8, 45, Z::zpmColZoomRight},
                                       {false, 27, 8, 45, Z::zpmPan},
                                       {false, 34, 8, 45, Z::zpmPan},
                                       {false, 35, 8, 45, Z::zpmColZoomLeft},
                                       // No bar at all: every press pans.
                                       {true, 16, 16, 0, Z::zpmPan},
                                       {true, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(), 268, Z::zpmColZoomLeft}}) {
    EXPECT_EQ(ZoomPanModeAt(r.Horizontal, r.Pos, r.Start, r.Length), r.Mode) << r.Pos;
  }
}

TEST(ColorScaleMap, DragRanges) {
  const double s = ZoomPanShift(20, 134, 268);
  EXPECT_DOUBLE_EQ(s, 10);
  EXPECT_EQ(ZoomPanShift(20, 134, 0), 0);
  EXPECT_EQ(ZoomPanShift(20, 134, -5), 0);
  const TValueRange pan = ZoomPanRange(TZoomPanMode::zpmPan, -10, 10, 2);
  EXPECT_EQ(pan.Low, -12);
  EXPECT_EQ(pan.High, 8);
  const TValueRange left = ZoomPanRange(TZoomPanMode::zpmColZoomLeft, -10, 10, 2);
  EXPECT_EQ(left.Low, -12);
  EXPECT_EQ(left.High, 10);
  const TValueRange right = ZoomPanRange(TZoomPanMode::zpmColZoomRight, -10, 10, -3);
  EXPECT_EQ(right.Low, -10);
  EXPECT_EQ(right.High, 13);
}

}  // namespace
}  // namespace mivo
