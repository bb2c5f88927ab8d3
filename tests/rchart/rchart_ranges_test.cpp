// The range pipeline: explicit ranges, degenerate and too-narrow requests,
// confinement while panning, joined layers, autorange and the zoom history.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "mivo/rchart/rchart.h"
#include "rchart_test_util.h"

namespace mivo {
namespace {

std::vector<double> RangesOf(const TCustomRChart& c, std::int32_t layer) {
  return {c.ScalePropsX(layer).RangeLow(), c.ScalePropsY(layer).RangeLow(), c.ScalePropsX(layer).RangeHigh(),
          c.ScalePropsY(layer).RangeHigh()};
}

using V = std::vector<double>;

TEST(RChartRanges, SetRangeWritesOneOrBothLayers) {
  TCustomRChart c;
  c.SetRange(2, -1, -2, 3, 4);
  EXPECT_EQ(RangesOf(c, 2), (V{-1, -2, 3, 4}));
  EXPECT_EQ(RangesOf(c, 1), (V{0, 0, 1, 1}));
  c.SetRange(0, 5, 6, 7, 8);
  EXPECT_EQ(RangesOf(c, 1), (V{5, 6, 7, 8}));
  EXPECT_EQ(RangesOf(c, 2), (V{5, 6, 7, 8}));
  EXPECT_EQ(c.ScaleY(2).RangeHigh(), 8);  // the scales follow
  c.SetRange(3, 0, 0, 9, 9);              // no such layer
  EXPECT_EQ(RangesOf(c, 2), (V{5, 6, 7, 8}));
}

TEST(RChartRanges, DegenerateRequestsAreWidenedOrRefused) {
  TCustomRChart c;
  // MinRange 2: the equal bounds are spread by MinRange / 2.
  c.ScalePropsX(1).SetMinRngDiff(2);
  c.SetRange(1, 5, 0, 5, 10);
  EXPECT_EQ(RangesOf(c, 1), (V{4, 0, 6, 10}));
  // Logarithmic: by a factor of 1.1.
  TCustomRChart g;
  g.SetRange(1, 1, 1, 10, 10);
  g.ScalePropsX(1).SetLogAx(true);
  g.SetRange(1, 5, 0, 5, 10);
  EXPECT_DOUBLE_EQ(g.ScalePropsX(1).RangeLow(), 5 / 1.1);
  EXPECT_DOUBLE_EQ(g.ScalePropsX(1).RangeHigh(), 5.5);
  // Where the spread is lost (a value too large for MinRange to move) the x
  // request would leave an empty range: it is refused, the y part applies.
  TCustomRChart h;
  h.SetRange(1, 0, 0, 1, 1);
  h.SetRange(1, 1e20, 0, 1e20, 10);
  EXPECT_EQ(RangesOf(h, 1), (V{0, 0, 1, 10}));
  EXPECT_EQ(h.Cpkx(1), 210.0L);  // data area 210 pixels wide, range 0 ... 1
}

TEST(RChartRanges, RequestsNarrowerThanMinRangeAreDroppedPerAxis) {
  TCustomRChart c;
  c.ScalePropsX(1).SetMinRngDiff(1);
  c.SetRange(1, 0, 0, 0.98, 0.98);
  EXPECT_EQ(RangesOf(c, 1), (V{0, 0, 1, 0.98}));
  c.SetRange(1, 0, 0, 0.995, 1);  // 0.99 x MinRange is still accepted
  EXPECT_EQ(c.ScalePropsX(1).RangeHigh(), 0.995);
}

TEST(RChartRanges, NonFiniteBoundsAreIgnored) {
  TCustomRChart c;
  c.SetRange(1, 0, 0, 10, 10);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  c.SetRange(1, nan, 1, 5, 2);
  EXPECT_EQ(RangesOf(c, 1), (V{0, 1, 10, 2}));
  c.SetRange(1, 1, -HUGE_VAL, 2, 3);
  EXPECT_EQ(RangesOf(c, 1), (V{1, 1, 2, 2}));
  c.SetRange(1, -1e308, 0, 1e308, 1);  // the width overflows a double, not the mapping
  EXPECT_EQ(c.ScalePropsX(1).RangeHigh(), 1e308);
  std::int32_t px = 0, py = 0;
  c.R2M(1, 0, 0, px, py);
  EXPECT_EQ(px, 50 + 105);
  c.ConfineZoomRange(nan, 0, 1, 1);  // ignored
  c.ForceRngIntern(1, -5, 0, 5, 1, false, true);
  EXPECT_EQ(c.ScalePropsX(1).RangeLow(), -5);
}

TEST(RChartRanges, ConfinementClipsOrSlidesAPanningWindow) {
  struct Row {
    TMouseActMode Mode;
    double XLo, XHi, YLo, YHi;
    V Expected;  // x low, y low, x high, y high
  };
  const std::vector<Row> rows = {
      {TMouseActMode::maPan, 90, 120, 10, 20, {70, 10, 100, 20}},
      {TMouseActMode::maNone, 90, 120, 10, 20, {90, 10, 100, 20}},
      {TMouseActMode::maPan, -10, 20, -30, 50, {0, 0, 30, 80}},
      {TMouseActMode::maPanHoriz, -10, 20, -30, 50, {0, 0, 30, 50}},
      {TMouseActMode::maPanVert, -10, 20, 90, 130, {0, 60, 20, 100}},
      {TMouseActMode::maZoomWind, -50, 150, -50, 150, {0, 0, 100, 100}},
      {TMouseActMode::maPan, 150, 170, 0, 10, {80, 0, 100, 10}},
  };
  for (const Row& r : rows) {
    TCustomRChart c;
    c.ConfineZoomRange(0, 0, 100, 100);
    c.SetMouseAction(r.Mode);
    c.ForceRngIntern(1, r.XLo, r.YLo, r.XHi, r.YHi, false, true);
    EXPECT_EQ(RangesOf(c, 1), r.Expected) << int(r.Mode) << " " << r.XLo;
  }
  // Without the confine flag, or with the window off, nothing is clipped.
  TCustomRChart c;
  c.ConfineZoomRange(0, 0, 100, 100);
  c.ForceRngIntern(1, -10, 0, 200, 1, false, false);
  EXPECT_EQ(c.ScalePropsX(1).RangeHigh(), 200);
  c.ConfineZoomRange(0, 0, 0, 0);
  c.ForceRngIntern(1, -10, 0, 300, 1, false, true);
  EXPECT_EQ(c.ScalePropsX(1).RangeHigh(), 300);
}

TEST(RChartRanges, JoinedLayersFollowTheirMaster) {
  TCustomRChart c;
  c.SetRange(2, 0, -50, 1, 50);
  c.JointLayers().SetControlledLayerX(2, 1);
  c.SetRange(2, 7, -5, 8, 5);
  EXPECT_EQ(RangesOf(c, 2), (V{0, -5, 1, 5}));  // x stays with the master
  const std::int32_t before = c.ZoomStackPointer();
  c.SetRange(1, 10, 0, 20, 1);
  EXPECT_EQ(RangesOf(c, 2), (V{10, -5, 20, 5}));
  // The master's change and the follower's change are both recorded.
  EXPECT_EQ(c.ZoomStackPointer(), before + 2);
  EXPECT_EQ(c.ScaleX(2).RangeLow(), 10);
}

TEST(RChartRanges, EqualRangesUniteTheSelectedLayers) {
  TCustomRChart c;
  c.SetRange(1, 0, 0, 10, 10);
  c.SetRange(2, -5, 5, 5, 20);
  TCustomRChart d;
  d.SetRange(1, 0, 0, 10, 10);
  d.SetRange(2, -5, 5, 5, 20);
  TCustomRChart e;
  e.SetRange(1, 0, 0, 10, 10);
  e.SetRange(2, -5, 5, 5, 20);
  c.SetEqualRange(TLayerSet{TLayerNum::ln1, TLayerNum::ln2});
  EXPECT_EQ(RangesOf(c, 1), (V{-5, 0, 10, 20}));
  EXPECT_EQ(RangesOf(c, 2), (V{-5, 0, 10, 20}));
  d.SetEqualRangeXOnly(TLayerSet{TLayerNum::ln1, TLayerNum::ln2});
  EXPECT_EQ(RangesOf(d, 1), (V{-5, 0, 10, 10}));
  EXPECT_EQ(RangesOf(d, 2), (V{-5, 5, 10, 20}));
  e.SetEqualRangeYOnly(TLayerSet{TLayerNum::ln2});
  EXPECT_EQ(RangesOf(e, 2), (V{-5, 5, 5, 20}));
  e.SetEqualRange(TLayerSet{});
  EXPECT_EQ(RangesOf(e, 1), (V{0, 0, 10, 10}));
}

TEST(RChartAutoRange, EmptyLayersAndChart) {
  TCustomRChart c;
  c.AutoRange(1, 10);
  EXPECT_EQ(RangesOf(c, 1), (V{-1, -1, 1, 1}));
  TCustomRChart d;
  d.AutoRange(0, 10);
  for (std::int32_t l = 1; l <= 2; ++l) {
    const V r = RangesOf(d, l);
    EXPECT_DOUBLE_EQ(r[0], -1.2);
    EXPECT_DOUBLE_EQ(r[1], -1.2);
    EXPECT_DOUBLE_EQ(r[2], 1.2);
    EXPECT_DOUBLE_EQ(r[3], 1.2);
  }
}

TEST(RChartAutoRange, OneLayerFitsItsItems) {
  TCustomRChart c;
  c.Line(0, 0, 10, 20);
  c.SetActiveLayer(2);
  c.MarkAt(100, 100, 1);
  const std::int32_t before = c.ZoomStackPointer();
  c.AutoRange(1, 10);
  EXPECT_EQ(RangesOf(c, 1), (V{-1, -2, 11, 22}));
  EXPECT_EQ(c.ZoomStackPointer(), before + 1);  // pushed
  // The minimum range: a percentage of the centre, for one layer only when asked.
  TCustomRChart m;
  m.MarkAt(10, 10, 1);
  m.AutoRange(1, 0, 50);
  EXPECT_EQ(RangesOf(m, 1), (V{5, 5, 15, 15}));
  m.AutoRange(0, 0, 50);  // margin not positive: no minimum range
  EXPECT_EQ(RangesOf(m, 1), (V{9, 9, 11, 11}));
}

TEST(RChartAutoRange, IsometricAutorangeRecentresY) {
  TCustomRChart c;
  test::UseTestGeometry(c);
  c.MarkAt(0, 0, 1);
  c.MarkAt(100, 4, 1);
  c.SetIsoMetric(true);
  c.AutoRange(1, 0);
  const double half = 100.0 * 153 / 221 / 2;
  EXPECT_NEAR(c.ScalePropsY(1).RangeLow(), 2 - half, 1e-9);
  EXPECT_NEAR(c.ScalePropsY(1).RangeHigh(), 2 + half, 1e-9);
  // The one-axis forms switch isometric scaling off and keep the other axis.
  c.AutoRangeXOnly(1, 10);
  EXPECT_FALSE(c.Isometric());
  EXPECT_NEAR(c.ScalePropsY(1).RangeHigh(), 2 + half, 1e-9);
  EXPECT_DOUBLE_EQ(c.ScalePropsX(1).RangeLow(), -10);
  c.AutoRangeYOnly(1, 0);
  EXPECT_EQ(RangesOf(c, 1), (V{-10, 0, 110, 4}));
}

TEST(RChartAutoRange, AllLayersJoinConfineAndDoNotPush) {
  TCustomRChart c;
  c.MarkAt(0, 0, 1);
  c.MarkAt(10, 1, 1);
  c.SetActiveLayer(2);
  c.MarkAt(20, 5, 1);
  c.MarkAt(30, 6, 1);
  c.JointLayers().SetControlledLayerX(2, 1);
  const std::int32_t before = c.ZoomStackPointer();
  c.AutoRange(0, 0);
  EXPECT_EQ(RangesOf(c, 1), (V{0, 0, 30, 1}));
  EXPECT_EQ(RangesOf(c, 2), (V{0, 5, 30, 6}));
  EXPECT_EQ(c.ZoomStackPointer(), before);
  // An invisible layer does not widen its controller.
  c.SetLayerVisib(2, false);
  c.AutoRange(0, 0);
  EXPECT_EQ(RangesOf(c, 1), (V{0, 0, 10, 1}));
  EXPECT_EQ(RangesOf(c, 2), (V{0, 5, 10, 6}));
  // The confinement window applies.
  c.ConfineZoomRange(0, 0, 5, 100);
  c.AutoRange(0, 0);
  EXPECT_EQ(c.ScalePropsX(1).RangeHigh(), 5);
  // One axis only.
  c.ConfineZoomRange(0, 0, 0, 0);
  c.SetRange(1, -3, -3, 3, 3);
  c.AutoRangeYOnly(0, 0);
  EXPECT_EQ(RangesOf(c, 1), (V{-3, 0, 3, 1}));
}

TEST(RChartAutoRange, EmptyLayerOnALogarithmicAxisKeepsARange) {
  TCustomRChart c;
  c.SetRange(1, 1, 1, 10, 10);
  c.ScalePropsX(1).SetLogAx(true);
  c.AutoRange(1, 10);  // -1 ... 1: only the upper bound could be written, 1 ... 1
  EXPECT_LT(c.ScalePropsX(1).RangeLow(), c.ScalePropsX(1).RangeHigh());
  EXPECT_TRUE(std::isfinite(double(c.Cpkx(1))));
  EXPECT_NE(c.Cpkx(1), 0.0L);
  c.AutoRange(0, 10);
  EXPECT_LT(c.ScalePropsX(1).RangeLow(), c.ScalePropsX(1).RangeHigh());
  EXPECT_TRUE(std::isfinite(double(c.Cpkx(1))));
}

TEST(RChartZoomHistory, RingOfSixteenEntries) {
  test::TCountingChart c;
  c.SetSuppressPaint(false);
  c.ClearZoomHistory();
  EXPECT_EQ(c.ZoomStackPointer(), 2);
  for (int i = 1; i <= 16; ++i) c.SetRange(1, i, -i, 100 + i, 10 * i);
  EXPECT_EQ(c.ZoomStackPointer(), 2);  // wrapped around
  // Entry 0 is the 16th push, -15 the first; the cleared state is gone.
  EXPECT_EQ(c.GetZoomStackEntry(1, 0), (TRectDouble{16, 160, 116, -16}));
  EXPECT_EQ(c.GetZoomStackEntry(1, -15), (TRectDouble{1, 10, 101, -1}));
  EXPECT_EQ(c.ZoomStack(2, 0), (TRectDouble{0, 1, 1, 0}));
  c.ZoomHistory(-15);
  EXPECT_EQ(RangesOf(c, 1), (V{1, -1, 101, 10}));
  EXPECT_EQ(c.ZoomStackPointer(), 2);  // restoring does not push
  c.ZoomHistory(0);
  EXPECT_EQ(RangesOf(c, 1), (V{16, -16, 116, 160}));
  // Out-of-range indices change nothing and do not repaint.
  c.Paints = 0;
  c.ZoomHistory(1);
  c.ZoomHistory(-16);
  EXPECT_EQ(c.Paints, 0);
  EXPECT_EQ(RangesOf(c, 1), (V{16, -16, 116, 160}));
  c.ZoomHistory(-3);
  EXPECT_GE(c.Paints, 1);
  EXPECT_EQ(c.GetZoomStackEntry(0, 0), TRectDouble{});
  EXPECT_EQ(c.GetZoomStackEntry(1, 1), TRectDouble{});
  EXPECT_EQ(c.GetZoomStackEntry(3, -2), TRectDouble{});
}

TEST(RChartZoomHistory, NeverWrittenSlotsLeaveTheRanges) {
  TCustomRChart c;
  c.ClearZoomHistory();
  c.SetRange(1, 2, 2, 3, 3);
  c.ZoomHistory(-5);
  EXPECT_EQ(RangesOf(c, 1), (V{2, 2, 3, 3}));
  c.ZoomHistory(-1);  // the cleared state
  EXPECT_EQ(RangesOf(c, 1), (V{0, 0, 1, 1}));
}

TEST(RChartZoomHistory, RestoringJoinedLayersDoesNotPush) {
  TCustomRChart c;
  c.JointLayers().SetControlledLayerY(2, 1);
  c.ClearZoomHistory();
  c.SetRange(1, 0, 0, 5, 5);
  c.SetRange(1, 0, 0, 9, 9);
  const std::int32_t before = c.ZoomStackPointer();
  c.ZoomHistory(-2);
  EXPECT_EQ(c.ZoomStackPointer(), before);
  EXPECT_EQ(RangesOf(c, 1), (V{0, 0, 5, 5}));
  EXPECT_EQ(c.ScalePropsY(2).RangeHigh(), 5);
}

}  // namespace
}  // namespace mivo
