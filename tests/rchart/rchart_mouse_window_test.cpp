// Zoom windows, rubber bands and selection rectangles: the drag state, the
// corner order per axis direction, isometric squares, the reported values
// and the XOR figures, which leave the screen as it was.
#include <gtest/gtest.h>

#include <vector>

#include "mivo/rchart/rchart.h"
#include "rchart_mouse_test_util.h"

namespace mivo {
namespace {

using namespace test;

struct TReported {
  std::int32_t Layer;
  double x1, y1, x2, y2;
};

TEST(RChartMouseWindow, ZoomWindowCornersAsDraggedOrAlignedToTheAxes) {
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
    // From the lower right to the upper left.
    Down(c, 200, 150);
    EXPECT_EQ(c.ZoomState(), TZoomState::zsDragging);
    Drag(c, 150, 90);
    Drag(c, 100, 50);
    EXPECT_EQ(zoomPans, 0);
    Up(c, 100, 50);
    EXPECT_EQ(c.ZoomState(), TZoomState::zsIdle);
    const TRanges r = RangesOf(c, 1);
    if (mode == TMouseActMode::maZoomWind) {
      // As dragged: x low > x high, an inverted x axis.
      EXPECT_DOUBLE_EQ(r.xLo, ax);
      EXPECT_DOUBLE_EQ(r.xHi, bx);
      EXPECT_DOUBLE_EQ(r.yLo, ay);
      EXPECT_DOUBLE_EQ(r.yHi, by);
      EXPECT_GT(r.xLo, r.xHi);
    } else {
      EXPECT_DOUBLE_EQ(r.xLo, bx);
      EXPECT_DOUBLE_EQ(r.xHi, ax);
      EXPECT_DOUBLE_EQ(r.yLo, ay);
      EXPECT_DOUBLE_EQ(r.yHi, by);
    }
    EXPECT_EQ(zoomPans, 1);
    EXPECT_EQ(c.ZoomStackPointer(), poi + 1);
    EXPECT_TRUE(SamePixels(c.Surface(), c.ChartBmp())) << "no figure left on the screen";
  }
}

TEST(RChartMouseWindow, DegenerateOrAbortedWindowsChangeNothing) {
  TCustomRChart c;
  MouseReady(c);
  c.SetMouseAction(TMouseActMode::maZoomWind);
  std::int32_t zoomPans = 0;
  c.OnZoomPan = [&](TObject&) { ++zoomPans; };
  const TBitmap before = c.Surface();
  // Same x pixel at press and release.
  Down(c, 100, 100);
  Drag(c, 100, 140);
  Up(c, 100, 140);
  // Same y pixel.
  Down(c, 100, 100);
  Drag(c, 160, 100);
  Up(c, 160, 100);
  // The right button erases the figure and ends the drag.
  Down(c, 100, 100);
  Drag(c, 160, 140);
  EXPECT_FALSE(SamePixels(c.Surface(), before)) << "the figure is on the screen while dragging";
  Up(c, 160, 140, TMouseButton::mbRight);
  EXPECT_EQ(c.ZoomState(), TZoomState::zsIdle);
  // Presses outside the data area or with the right button start nothing.
  Down(c, 20, 100);
  EXPECT_EQ(c.ZoomState(), TZoomState::zsIdle);
  Down(c, 100, 100, TMouseButton::mbRight);
  EXPECT_EQ(c.ZoomState(), TZoomState::zsIdle);
  Up(c, 100, 100, TMouseButton::mbRight);
  // MouseBoxAbort ends a drag too.
  Down(c, 100, 100);
  Drag(c, 130, 130);
  c.MouseBoxAbort();
  EXPECT_EQ(c.ZoomState(), TZoomState::zsIdle);
  Up(c, 130, 130);
  // So does a change of the mode; the band started as a line is erased as one.
  c.SetMouseAction(TMouseActMode::maRubberBand);
  Down(c, 100, 100);
  Drag(c, 130, 150);
  c.SetMouseAction(TMouseActMode::maSelectRect);
  EXPECT_EQ(c.ZoomState(), TZoomState::zsIdle);
  Up(c, 130, 150);
  c.SetMouseAction(TMouseActMode::maZoomWind);

  EXPECT_EQ(zoomPans, 0);
  const TRanges r = RangesOf(c, 1);
  EXPECT_EQ(r.xLo, 0);
  EXPECT_EQ(r.xHi, 220);
  EXPECT_EQ(r.yHi, 152);
  EXPECT_TRUE(SamePixels(c.Surface(), before));
}

TEST(RChartMouseWindow, FiguresSurviveARepaintInTheMiddleOfTheDrag) {
  for (const TMouseActMode mode : {TMouseActMode::maRubberBand, TMouseActMode::maSelectRect}) {
    TCustomRChart c;
    MouseReady(c);
    c.SetMouseAction(mode);
    const TBitmap before = c.Surface();
    Down(c, 100, 100);
    Drag(c, 150, 60);
    c.Invalidate();
    Deliver();  // the host repaints while the button is down
    Drag(c, 190, 130);
    Drag(c, 500, -40);  // clamped to the data area
    Up(c, 500, -40, TMouseButton::mbRight);
    EXPECT_TRUE(SamePixels(c.Surface(), before));
    // A completed band or selection repaints the unchanged chart.
    Down(c, 100, 100);
    Drag(c, 150, 60);
    Up(c, 150, 60);
    EXPECT_TRUE(SamePixels(c.Surface(), before));
  }
}

TEST(RChartMouseWindow, RubberBandAndSelectionReportWorldCoordinatesPerLayer) {
  TCustomRChart c;
  MouseReady(c);
  c.SetRange(1, 220, 0, 0, 152);  // descending x axis
  c.SetRange(2, 0, 0, 10, 10);
  c.SetMouseAffectsLayer(2, true);
  std::vector<TReported> bands, selections;
  std::int32_t zoomPans = 0;
  c.OnRubberBand = [&](TObject&, std::int32_t l, double x1, double y1, double x2, double y2) {
    bands.push_back({l, x1, y1, x2, y2});
  };
  c.OnSelectRect = [&](TObject&, std::int32_t l, double x1, double y1, double x2, double y2) {
    selections.push_back({l, x1, y1, x2, y2});
  };
  c.OnZoomPan = [&](TObject&) { ++zoomPans; };
  double a1x = 0, a1y = 0, b1x = 0, b1y = 0, a2x = 0, a2y = 0, b2x = 0, b2y = 0;
  c.M2R(1, 120, 60, a1x, a1y);
  c.M2R(1, 270, 168, b1x, b1y);  // the release point, clamped to the data area
  c.M2R(2, 120, 60, a2x, a2y);
  c.M2R(2, 270, 168, b2x, b2y);

  c.SetMouseAction(TMouseActMode::maRubberBand);
  Down(c, 120, 60);
  Drag(c, 400, 400);
  Up(c, 400, 400);
  ASSERT_EQ(bands.size(), 2u);
  EXPECT_EQ(bands[0].Layer, 1);
  EXPECT_DOUBLE_EQ(bands[0].x1, a1x);
  EXPECT_DOUBLE_EQ(bands[0].y1, a1y);
  EXPECT_DOUBLE_EQ(bands[0].x2, b1x);
  EXPECT_DOUBLE_EQ(bands[0].y2, b1y);
  EXPECT_EQ(bands[1].Layer, 2);
  EXPECT_DOUBLE_EQ(bands[1].x2, b2x);

  // Selections are ordered like each axis: descending x of layer 1 gives x1 > x2.
  c.SetMouseAction(TMouseActMode::maSelectRect);
  Down(c, 270, 168);
  Drag(c, 120, 60);
  Up(c, 120, 60);
  ASSERT_EQ(selections.size(), 2u);
  EXPECT_DOUBLE_EQ(selections[0].x1, std::max(a1x, b1x));
  EXPECT_DOUBLE_EQ(selections[0].x2, std::min(a1x, b1x));
  EXPECT_DOUBLE_EQ(selections[0].y1, std::min(a1y, b1y));
  EXPECT_DOUBLE_EQ(selections[0].y2, std::max(a1y, b1y));
  EXPECT_DOUBLE_EQ(selections[1].x1, std::min(a2x, b2x));
  EXPECT_DOUBLE_EQ(selections[1].x2, std::max(a2x, b2x));
  EXPECT_EQ(zoomPans, 2);
  // Neither reports nor zooms changes a range.
  EXPECT_EQ(RangesOf(c, 1).xLo, 220);
  EXPECT_EQ(RangesOf(c, 2).xHi, 10);
}

TEST(RChartMouseWindow, IsometricZoomWindowsAreSquares) {
  struct Row {
    std::int32_t x, y;            // where the mouse is released
    std::int32_t cornerX, cornerY;  // the corner that is zoomed to
  };
  const Row rows[] = {
      {130, 90, 130, 70},    // (Y - AY)(X - AX) < 1: Y := AY + AX - X
      {130, 110, 130, 130},  // otherwise Y := AY + X - AX
      {70, 90, 70, 70},
      {200, 140, 200, 168},  // the square is clamped to the data area
      {400, 100, 270, 16},   // X clamped first, then the square and Y
  };
  for (const Row& row : rows) {
    TCustomRChart c;
    MouseReady(c);
    c.SetIsometric(true);
    c.SetMouseAction(TMouseActMode::maZoomWind);
    double ax = 0, ay = 0, bx = 0, by = 0;
    c.M2R(1, 100, 100, ax, ay);
    c.M2R(1, row.cornerX, row.cornerY, bx, by);
    Down(c, 100, 100);
    Drag(c, row.x, row.y);
    Up(c, row.x, row.y);
    const TRanges r = RangesOf(c, 1);
    EXPECT_DOUBLE_EQ(r.xLo, ax) << row.x << "," << row.y;
    EXPECT_DOUBLE_EQ(r.xHi, bx) << row.x << "," << row.y;
    EXPECT_DOUBLE_EQ(r.yLo, ay) << row.x << "," << row.y;
    EXPECT_DOUBLE_EQ(r.yHi, by) << row.x << "," << row.y;
  }
}

TEST(RChartMouseWindow, DoubleClickSwallowsTheSecondPressOnly) {
  TCustomRChart c;
  MouseReady(c);
  c.SetMouseAction(TMouseActMode::maZoomWind);
  std::int32_t downs = 0, ups = 0, dbl = 0;
  c.OnMouseDown = [&](TObject&, TMouseButton, TShiftState, std::int32_t, std::int32_t) { ++downs; };
  c.OnMouseUp = [&](TObject&, TMouseButton, TShiftState, std::int32_t, std::int32_t) { ++ups; };
  c.OnDblClick = [&](TObject&) { ++dbl; };
  Down(c, 100, 100);
  Up(c, 100, 100);
  Post(c, TMessageKind::mkDoubleClick, 100, 100, MK_LBUTTON);
  Deliver();
  EXPECT_EQ(dbl, 1);
  EXPECT_EQ(downs, 1);
  EXPECT_EQ(c.ZoomState(), TZoomState::zsIdle) << "the second press starts no window";
  Up(c, 100, 100);
  EXPECT_EQ(ups, 2) << "its release is handled";
  Down(c, 100, 100);
  EXPECT_EQ(downs, 2);
  EXPECT_EQ(c.ZoomState(), TZoomState::zsDragging);
  Up(c, 100, 100);
}

}  // namespace
}  // namespace mivo
