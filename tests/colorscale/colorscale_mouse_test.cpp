// TColorScale mouse handling through the headless host's message queue: the
// press zones, the anchored pan/zoom of the colour range, the crosshair drag
// and the OnMouseMoveInScale report.
#include <gtest/gtest.h>

#include <vector>

#include "mivo/colorscale/colorscale.h"
#include "mivo/platform/host.h"

namespace mivo {
namespace {

THeadlessHost& H() {
  THeadlessHost* h = HeadlessHost();
  EXPECT_NE(h, nullptr);
  return *h;
}

TMessage Mouse(TMessageKind kind, std::int32_t x, std::int32_t y, std::uint32_t keys = MK_LBUTTON) {
  TMessage m;
  m.Kind = kind;
  m.Button = TMouseButton::mbLeft;
  m.Keys = keys;
  m.X = x;
  m.Y = y;
  return m;
}

void Post(TColorScale& cs, TMessageKind kind, std::int32_t x, std::int32_t y, std::uint32_t keys = MK_LBUTTON) {
  H().PostMessage(cs, Mouse(kind, x, y, keys));
}

void Drag(TColorScale& cs, TPoint from, TPoint to) {
  Post(cs, TMessageKind::mkMouseDown, from.x, from.y);
  Post(cs, TMessageKind::mkMouseMove, to.x, to.y);
  H().ProcessMessages();
}

TEST(ColorScaleMouse, PressZonesPanAndZoomTheHorizontalBar) {
  // Bar 16 ... 283, length 268: a drag of 134 pixels shifts by half the width (10).
  struct Row {
    std::int32_t PressX, MoveX;
    TZoomPanMode Mode;
    double Low, High;
  };
  for (const Row& r : std::vector<Row>{{150, 217, TZoomPanMode::zpmPan, -15, 5},
                                       {150, 83, TZoomPanMode::zpmPan, -5, 15},
                                       {20, 154, TZoomPanMode::zpmColZoomLeft, -20, 10},
                                       {128, 262, TZoomPanMode::zpmColZoomLeft, -20, 10},
                                       {129, 263, TZoomPanMode::zpmPan, -20, 0},
                                       {172, 38, TZoomPanMode::zpmColZoomRight, -10, 20},
                                       {280, 146, TZoomPanMode::zpmColZoomRight, -10, 20}}) {
    TColorScale cs;
    cs.SetMouseAction(TMouseActMode::maColorScaleZoomPan);
    std::int32_t zooms = 0;
    cs.OnZoomPan = [&](TObject& sender) {
      EXPECT_EQ(&sender, &cs);
      ++zooms;
    };
    Drag(cs, {r.PressX, 30}, {r.MoveX, 30});
    EXPECT_EQ(cs.ZoomPanMode(), r.Mode) << r.PressX;
    EXPECT_DOUBLE_EQ(cs.ScaleRangeLow(), r.Low) << r.PressX;
    EXPECT_DOUBLE_EQ(cs.ScaleRangeHigh(), r.High) << r.PressX;
    EXPECT_DOUBLE_EQ(cs.ColorLow(), r.Low);
    EXPECT_DOUBLE_EQ(cs.ColorHigh(), r.High);
    EXPECT_DOUBLE_EQ(cs.Scale().RangeLow(), r.Low);
    EXPECT_EQ(zooms, 0);
    Post(cs, TMessageKind::mkMouseUp, r.MoveX, 30, 0);
    H().ProcessMessages();
    EXPECT_EQ(zooms, 1);
  }
}

TEST(ColorScaleMouse, EveryStepIsComputedFromTheAnchors) {
  TColorScale cs;
  cs.SetMouseAction(TMouseActMode::maColorScaleZoomPan);
  Post(cs, TMessageKind::mkMouseDown, 20, 30);
  for (std::int32_t x : {40, 154, 154, 154, 300, 154}) Post(cs, TMessageKind::mkMouseMove, x, 30);
  H().ProcessMessages();
  // Repeated and roundabout moves end where a single move to 154 would.
  EXPECT_DOUBLE_EQ(cs.ScaleRangeLow(), -20);
  EXPECT_DOUBLE_EQ(cs.ScaleRangeHigh(), 10);
  Post(cs, TMessageKind::mkMouseMove, 20, 30);  // back at the anchor
  H().ProcessMessages();
  EXPECT_DOUBLE_EQ(cs.ScaleRangeLow(), -10);
  // Zooming the low end past the high end meets the equal-ends rule and
  // reverses the range instead of failing.
  Post(cs, TMessageKind::mkMouseMove, 20 - 268, 30);
  H().ProcessMessages();
  EXPECT_DOUBLE_EQ(cs.ScaleRangeLow(), 10);
  EXPECT_DOUBLE_EQ(cs.ScaleRangeHigh(), 11);
}

TEST(ColorScaleMouse, VerticalBarZonesAndDirections) {
  TColorScale cs;
  cs.SetBounds(0, 0, 80, 400);
  cs.SetOrientation(TColScaleOrientation::csoVertical);
  cs.SetMouseAction(TMouseActMode::maColorScaleZoomPan);
  // Bar 8 ... 377, length 370: p1 = 155, p2 = 215. The top zooms the high end.
  Drag(cs, {40, 100}, {40, 63});  // 37 pixels up: shift 2
  EXPECT_EQ(cs.ZoomPanMode(), TZoomPanMode::zpmColZoomRight);
  EXPECT_DOUBLE_EQ(cs.ScaleRangeLow(), -10);
  EXPECT_DOUBLE_EQ(cs.ScaleRangeHigh(), 8);
  Post(cs, TMessageKind::mkMouseUp, 40, 63, 0);
  cs.SetScaleRange(-10, 10);
  Drag(cs, {40, 300}, {40, 337});  // 37 pixels down: shift -2
  EXPECT_EQ(cs.ZoomPanMode(), TZoomPanMode::zpmColZoomLeft);
  EXPECT_DOUBLE_EQ(cs.ScaleRangeLow(), -8);
  EXPECT_DOUBLE_EQ(cs.ScaleRangeHigh(), 10);
  Post(cs, TMessageKind::mkMouseUp, 40, 337, 0);
  cs.SetScaleRange(-10, 10);
  Drag(cs, {40, 190}, {40, 153});
  EXPECT_EQ(cs.ZoomPanMode(), TZoomPanMode::zpmPan);
  EXPECT_DOUBLE_EQ(cs.ScaleRangeLow(), -12);
  EXPECT_DOUBLE_EQ(cs.ScaleRangeHigh(), 8);
  Post(cs, TMessageKind::mkMouseUp, 40, 153, 0);
  H().ProcessMessages();
}

TEST(ColorScaleMouse, OtherButtonsAndActionsLeaveTheRange) {
  TColorScale cs;
  std::int32_t zooms = 0;
  cs.OnZoomPan = [&](TObject&) { ++zooms; };
  Drag(cs, {150, 30}, {217, 30});  // maNone
  EXPECT_EQ(cs.ScaleRangeLow(), -10);
  cs.SetMouseAction(TMouseActMode::maColorScaleZoomPan);
  TMessage right = Mouse(TMessageKind::mkMouseDown, 150, 30, MK_RBUTTON);
  right.Button = TMouseButton::mbRight;
  H().PostMessage(cs, right);
  Post(cs, TMessageKind::mkMouseMove, 217, 30, MK_RBUTTON);  // no left button held
  right.Kind = TMessageKind::mkMouseUp;
  H().PostMessage(cs, right);
  H().ProcessMessages();
  EXPECT_EQ(cs.ScaleRangeLow(), -10);
  EXPECT_EQ(zooms, 0);
  // A bar without pixels: the drag changes nothing.
  cs.SetBounds(0, 0, 20, 75);
  Drag(cs, {10, 30}, {15, 30});
  EXPECT_EQ(cs.ScaleRangeLow(), -10);
  EXPECT_EQ(cs.ScaleRangeHigh(), 10);
  Post(cs, TMessageKind::mkMouseUp, 15, 30, 0);
  H().ProcessMessages();
}

TEST(ColorScaleMouse, CrossHairDragStartsWithTheSecondMove) {
  for (bool vertical : {false, true}) {
    TColorScale cs;
    if (vertical) {
      cs.SetBounds(0, 0, 80, 400);
      cs.SetOrientation(TColScaleOrientation::csoVertical);
    }
    cs.SetMouseAction(TMouseActMode::maMoveCrossHair);
    std::int32_t moves = 0;
    cs.OnCrossHairMove = [&](TObject& sender) {
      EXPECT_EQ(&sender, &cs);
      ++moves;
    };
    auto at = [&](std::int32_t p) { return vertical ? TPoint{40, p} : TPoint{p, 30}; };
    Post(cs, TMessageKind::mkMouseDown, at(100).x, at(100).y);
    Post(cs, TMessageKind::mkMouseMove, at(110).x, at(110).y);  // only marks the drag
    H().ProcessMessages();
    EXPECT_EQ(cs.CrossHair().PosX(), 0);
    EXPECT_EQ(moves, 0);
    Post(cs, TMessageKind::mkMouseMove, at(120).x, at(120).y);
    H().ProcessMessages();
    const double v = cs.Scale().ConvertPixelToScale(120);
    EXPECT_DOUBLE_EQ(cs.CrossHair().PosX(), v) << vertical;
    EXPECT_DOUBLE_EQ(cs.CrossHair().PosY(), v);
    EXPECT_EQ(moves, 1);
    // Beyond the bar: limited to the axis range.
    Post(cs, TMessageKind::mkMouseMove, at(-500).x, at(-500).y);
    H().ProcessMessages();
    EXPECT_EQ(cs.CrossHair().PosX(), vertical ? 10 : -10);
    Post(cs, TMessageKind::mkMouseMove, at(5000).x, at(5000).y);
    H().ProcessMessages();
    EXPECT_EQ(cs.CrossHair().PosX(), vertical ? -10 : 10);
    EXPECT_EQ(moves, 3);
    // A move without the button ends the drag; the next one starts again.
    Post(cs, TMessageKind::mkMouseMove, at(120).x, at(120).y, 0);
    Post(cs, TMessageKind::mkMouseMove, at(130).x, at(130).y);
    H().ProcessMessages();
    EXPECT_EQ(moves, 3);
    // A crosshair switched off does not follow.
    cs.CrossHair().SetMode(TCrossHMode::chOff);
    Post(cs, TMessageKind::mkMouseMove, at(140).x, at(140).y);
    Post(cs, TMessageKind::mkMouseMove, at(150).x, at(150).y);
    H().ProcessMessages();
    EXPECT_EQ(moves, 3);
    Post(cs, TMessageKind::mkMouseUp, at(150).x, at(150).y, 0);
    H().ProcessMessages();
  }
}

TEST(ColorScaleMouse, CrossHairOnAReversedAxisStaysInsideIt) {
  TColorScale cs;
  cs.SetScaleRange(10, -10);
  cs.SetMouseAction(TMouseActMode::maMoveCrossHair);
  Post(cs, TMessageKind::mkMouseDown, 100, 30);
  Post(cs, TMessageKind::mkMouseMove, 100, 30);
  Post(cs, TMessageKind::mkMouseMove, 150, 30);
  H().ProcessMessages();
  EXPECT_DOUBLE_EQ(cs.CrossHair().PosX(), cs.Scale().ConvertPixelToScale(150));
  EXPECT_GT(cs.CrossHair().PosX(), -10);
  EXPECT_LT(cs.CrossHair().PosX(), 10);
  Post(cs, TMessageKind::mkMouseUp, 150, 30, 0);
  H().ProcessMessages();
}

TEST(ColorScaleMouse, EveryMoveReportsPositionAndWhetherOverTheBar) {
  TColorScale cs;
  struct Report {
    bool In;
    TShiftState Shift;
    double Pos;
  };
  std::vector<Report> reports;
  cs.OnMouseMoveInScale = [&](TObject& sender, bool in, TShiftState shift, double pos) {
    EXPECT_EQ(&sender, &cs);
    reports.push_back({in, shift, pos});
  };
  struct Row {
    std::int32_t X, Y;
    bool In;
  };
  const std::vector<Row> rows{{16, 8, true},  {15, 8, false},  {16, 7, false}, {284, 53, true},
                              {285, 53, false}, {284, 54, false}, {150, 30, true}};
  for (const Row& r : rows) Post(cs, TMessageKind::mkMouseMove, r.X, r.Y, MK_SHIFT);
  H().ProcessMessages();
  ASSERT_EQ(reports.size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(reports[i].In, rows[i].In) << rows[i].X << "," << rows[i].Y;
    EXPECT_TRUE(reports[i].Shift.Contains(TShiftStateItem::ssShift));
    EXPECT_DOUBLE_EQ(reports[i].Pos, cs.Scale().ConvertPixelToScale(rows[i].X));
  }
  EXPECT_DOUBLE_EQ(reports[0].Pos, -10);
}

}  // namespace
}  // namespace mivo
