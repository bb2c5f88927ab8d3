// Zoom windows, rubber bands and selections: the drag state, corner order
// per axis direction, isometric squares, reports, and XOR figures that leave
// the screen as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "rchart_mouse_test_util.h"

namespace mivo {
namespace {

using namespace test;

TEST(RChartMouseWindow, ZoomWindowCornersAsDraggedOrAligned) {
  for (const TMouseActMode mode : {TMouseActMode::maZoomWind, TMouseActMode::maZoomWindAligned}) {
    TCustomRChart c;
    MouseReady(c);
    c.SetMouseAction(mode);
    std::int32_t zoomPans = 0;
    c.OnZoomPan = [&](TObject&) { ++zoomPans; };
    double ax = 0, ay = 0, bx = 0, by = 0;
    c.M2R(1, 200, 150, ax, ay);
    c.M2R(1, 100, 50, bx, by);
    const std::int32_t poi = c.ZoomStackPointer();
    Down(c, 200, 150);  // lower right to upper left
    EXPECT_EQ(c.ZoomState(), TZoomState::zsDragging);
    Drag(c, 100, 50);
    Up(c, 100, 50);
    EXPECT_EQ(c.ZoomState(), TZoomState::zsIdle);
    const bool asDragged = mode == TMouseActMode::maZoomWind;
    const TRanges r = RangesOf(c, 1);
    EXPECT_DOUBLE_EQ(r.xLo, asDragged ? ax : bx);  // as dragged: an inverted x axis
    EXPECT_DOUBLE_EQ(r.xHi, asDragged ? bx : ax);
    EXPECT_DOUBLE_EQ(r.yLo, ay);
    EXPECT_DOUBLE_EQ(r.yHi, by);
    EXPECT_EQ(zoomPans, 1);
    EXPECT_EQ(c.ZoomStackPointer(), poi + 1);
    EXPECT_TRUE(test::ImagesEqual(c.Surface(), c.ChartBmp())) << "no figure left behind";
  }
}

TEST(RChartMouseWindow, DegenerateAbortedAndRepaintedDragsLeaveTheScreenAsItWas) {
  for (const TMouseActMode mode :
       {TMouseActMode::maZoomWind, TMouseActMode::maRubberBand, TMouseActMode::maSelectRect}) {
    TCustomRChart c;
    MouseReady(c);
    c.SetMouseAction(mode);
    std::int32_t zoomPans = 0;
    c.OnZoomPan = [&](TObject&) { ++zoomPans; };
    const TBitmap before = c.Surface();
    const std::int32_t ends[][2] = {{100, 140}, {160, 100}};  // same x, same y as the press
    for (const auto& e : ends) {
      Down(c, 100, 100);
      Drag(c, e[0], e[1]);
      Up(c, e[0], e[1]);
    }
    EXPECT_EQ(zoomPans, 0);
    Down(c, 100, 100);
    Drag(c, 150, 60);
    EXPECT_NE(test::DiffImages(c.Surface(), before).Pixels, 0);
    c.Invalidate();
    Deliver();  // the host repaints in the middle of the drag
    Drag(c, 500, -40);  // clamped to the data area
    Up(c, 500, -40, TMouseButton::mbRight);
    EXPECT_EQ(c.ZoomState(), TZoomState::zsIdle);
    Down(c, 20, 100);  // outside the data area
    Down(c, 100, 100, TMouseButton::mbRight);
    EXPECT_EQ(c.ZoomState(), TZoomState::zsIdle);
    Up(c, 100, 100, TMouseButton::mbRight);
    Down(c, 100, 100);
    Drag(c, 130, 130);
    c.MouseBoxAbort();
    EXPECT_EQ(c.ZoomState(), TZoomState::zsIdle);
    Up(c, 130, 130);
    Down(c, 100, 100);
    Drag(c, 130, 150);
    c.SetMouseAction(mode == TMouseActMode::maRubberBand ? TMouseActMode::maSelectRect
                                                         : TMouseActMode::maRubberBand);
    EXPECT_EQ(c.ZoomState(), TZoomState::zsIdle) << "a mode change ends the drag";
    EXPECT_EQ(zoomPans, 0);
    EXPECT_EQ(RangesOf(c, 1).xHi, 220);
    EXPECT_TRUE(test::ImagesEqual(c.Surface(), before)) << int(mode);
  }
}

TEST(RChartMouseWindow, BandsAndSelectionsReportPerLayerInAxisOrder) {
  TCustomRChart c;
  MouseReady(c);
  c.SetRange(1, 220, 0, 0, 152);  // descending x axis
  c.SetRange(2, 0, 0, 10, 10);
  c.SetMouseAffectsLayer(2, true);
  struct TReport {
    std::int32_t layer;
    double x1, y1, x2, y2;
  };
  std::vector<TReport> bands, selections;
  c.OnRubberBand = [&](TObject&, std::int32_t l, double x1, double y1, double x2, double y2) {
    bands.push_back({l, x1, y1, x2, y2});
  };
  c.OnSelectRect = [&](TObject&, std::int32_t l, double x1, double y1, double x2, double y2) {
    selections.push_back({l, x1, y1, x2, y2});
  };
  double ax = 0, ay = 0, bx = 0, by = 0, a2x = 0, a2y = 0, b2x = 0, b2y = 0;
  c.M2R(1, 120, 60, ax, ay);
  c.M2R(1, kDataR, kDataB, bx, by);  // the release point clamped to the data area
  c.M2R(2, 120, 60, a2x, a2y);
  c.M2R(2, kDataR, kDataB, b2x, b2y);
  c.SetMouseAction(TMouseActMode::maRubberBand);
  Down(c, 120, 60);
  Drag(c, 400, 400);
  Up(c, 400, 400);
  ASSERT_EQ(bands.size(), 2u);
  EXPECT_EQ(bands[1].layer, 2);
  EXPECT_DOUBLE_EQ(bands[0].x1, ax);
  EXPECT_DOUBLE_EQ(bands[0].y1, ay);
  EXPECT_DOUBLE_EQ(bands[0].x2, bx);
  EXPECT_DOUBLE_EQ(bands[0].y2, by);
  c.SetMouseAction(TMouseActMode::maSelectRect);
  Down(c, kDataR, kDataB);
  Drag(c, 120, 60);
  Up(c, 120, 60);
  ASSERT_EQ(selections.size(), 2u);
  EXPECT_DOUBLE_EQ(selections[0].x1, std::max(ax, bx));  // descending: x1 > x2
  EXPECT_DOUBLE_EQ(selections[0].y1, std::min(ay, by));
  EXPECT_DOUBLE_EQ(selections[1].x1, std::min(a2x, b2x));
  EXPECT_DOUBLE_EQ(selections[1].y2, std::max(a2y, b2y));
  EXPECT_EQ(RangesOf(c, 1).xLo, 220);
}

TEST(RChartMouseWindow, IsometricZoomWindowsAreSquares) {
  // Release point, then the corner zoomed to, for a press at (100, 100).
  const std::int32_t rows[][4] = {
      {130, 90, 130, 70},    // (Y - AY)(X - AX) < 1: Y := AY + AX - X
      {130, 110, 130, 130},  // otherwise Y := AY + X - AX
      {70, 90, 70, 70},      //
      {200, 140, 200, 168},  // Y clamped to the data area
      {400, 100, 270, 16},   // X clamped first
  };
  for (const auto& row : rows) {
    TCustomRChart c;
    MouseReady(c);
    c.SetIsometric(true);
    c.SetMouseAction(TMouseActMode::maZoomWind);
    double ax = 0, ay = 0, bx = 0, by = 0;
    c.M2R(1, 100, 100, ax, ay);
    c.M2R(1, row[2], row[3], bx, by);
    Down(c, 100, 100);
    Drag(c, row[0], row[1]);
    Up(c, row[0], row[1]);
    const TRanges r = RangesOf(c, 1);
    EXPECT_DOUBLE_EQ(r.xHi, bx) << row[0] << "," << row[1];
    EXPECT_DOUBLE_EQ(r.yHi, by) << row[0] << "," << row[1];
    EXPECT_DOUBLE_EQ(r.xLo, ax);
  }
}

TEST(RChartMouseWindow, DoubleClickSwallowsTheSecondPressOnly) {
  TCustomRChart c;
  MouseReady(c);
  c.SetMouseAction(TMouseActMode::maZoomWind);
  std::int32_t downs = 0, ups = 0;
  c.OnMouseDown = [&](TObject&, TMouseButton, TShiftState, std::int32_t, std::int32_t) { ++downs; };
  c.OnMouseUp = [&](TObject&, TMouseButton, TShiftState, std::int32_t, std::int32_t) { ++ups; };
  Down(c, 100, 100);
  Up(c, 100, 100);
  Post(c, TMessageKind::mkDoubleClick, 100, 100, MK_LBUTTON);
  Deliver();
  EXPECT_EQ(downs, 1);
  EXPECT_EQ(c.ZoomState(), TZoomState::zsIdle);
  Up(c, 100, 100);
  EXPECT_EQ(ups, 2);
  Down(c, 100, 100);
  EXPECT_EQ(c.ZoomState(), TZoomState::zsDragging);
}

}  // namespace
}  // namespace mivo
