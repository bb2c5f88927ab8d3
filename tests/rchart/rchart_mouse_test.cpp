// Crosshair and text-label dragging with their pick rules, the freehand
// trace, cursors, the mouse position and the mouse events, and garbage input
// in every mode.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "mivo/platform/colors.h"
#include "mivo/rchart/rchart.h"
#include "rchart_mouse_test_util.h"

namespace mivo {
namespace {

using namespace test;

TColor PixelOf(const TBitmap& bmp, std::int32_t x, std::int32_t y) {
  const TRGB32 p = bmp.ScanLine(y)[x];
  return TColor(p.R) | TColor(p.G) << 8 | TColor(p.B) << 16;
}

TEST(RChartMouseCrossHair, PicksTheNearestLineAndHonoursTheVeto) {
  TCountingChart c;
  MouseReady(c);
  c.SetRange(2, 0, 0, 220, 152);
  c.SetMouseAction(TMouseActMode::maMoveCrossHair);
  c.CrossHair(1).SetMode(TCrossHMode::chVert);
  c.CrossHair(1).SetPos(50, 50);
  c.CrossHair(2).SetMode(TCrossHMode::chHoriz);
  c.CrossHair(2).SetPos(0, 100);
  c.CrossHair(3).SetPos(0, 0);  // off: never picked, wherever it is
  c.CrossHair(4).SetMode(TCrossHMode::chBoth);
  c.CrossHair(4).SetPos(200, 20);
  std::int32_t px1 = 0, py1 = 0, px2 = 0, py2 = 0;
  c.R2M(1, 50, 50, px1, py1);
  c.R2M(2, 0, 100, px2, py2);
  const std::int32_t x = px1 + 30, y = py2 + 2;  // 30 px from line 1, 2 px from line 2

  struct TAsk {
    TCrossHair* ch;
    std::int32_t dx, dy;
  };
  std::vector<TAsk> asks;
  c.OnBeforeCrossHairMove = [&](TObject&, TCrossHair& ch, std::int32_t dx, std::int32_t dy, bool& allow) {
    asks.push_back({&ch, dx, dy});
    allow = asks.size() > 1;  // the first pick is refused
  };
  std::vector<TCrossHair*> moved;
  c.OnCrossHairMove = [&](TObject&, TCrossHair& ch) { moved.push_back(&ch); };

  Down(c, x, y);
  Drag(c, x, y);
  Drag(c, x, y);  // refused before: picks again
  ASSERT_EQ(asks.size(), 2u);
  EXPECT_EQ(asks[0].ch, &c.CrossHair(2));
  EXPECT_EQ(asks[0].dx, x - px2);
  EXPECT_EQ(asks[0].dy, 2);
  EXPECT_TRUE(moved.empty());
  const std::int32_t paints = c.Paints;
  Drag(c, 150, 120);
  double wx = 0, wy = 0;
  c.M2R(2, 150, 120, wx, wy);
  EXPECT_DOUBLE_EQ(c.CrossHair(2).PosX(), wx);
  EXPECT_DOUBLE_EQ(c.CrossHair(2).PosY(), wy);
  EXPECT_EQ(c.Paints, paints + 1) << "one paint per step";
  Drag(c, 5, 5);  // not limited to the data area
  c.M2R(2, 5, 5, wx, wy);
  EXPECT_DOUBLE_EQ(c.CrossHair(2).PosY(), wy);
  ASSERT_EQ(moved.size(), 2u);
  EXPECT_EQ(moved[1], &c.CrossHair(2));
  EXPECT_DOUBLE_EQ(c.CrossHair(1).PosX(), 50);
  Up(c, 5, 5);

  // Equal distances: the earlier crosshair wins.
  c.OnBeforeCrossHairMove = nullptr;
  c.CrossHair(3).SetMode(TCrossHMode::chVert);
  c.CrossHair(3).SetPos(50, 0);
  c.CrossHair(3).SetLayer(1);
  Drag(c, px1 + 4, 60);
  Drag(c, px1 + 5, 60);
  EXPECT_DOUBLE_EQ(c.CrossHair(3).PosX(), 50);
  EXPECT_NE(c.CrossHair(1).PosX(), 50);
}

TEST(RChartMouseTextLabel, PicksTheNearestShownLabelAndMovesItByAttachMode) {
  TCustomRChart c;
  MouseReady(c);
  c.SetMouseAction(TMouseActMode::maMoveTextLabel);
  auto setup = [&](std::int32_t i, TTxtLblAttachMode a, double x, double y, bool visible, TTxtLblMode mode) {
    TTextLabel& tl = c.TextLabels(i);
    tl.SetAttachToData(a);
    tl.SetPos(x, y);
    tl.SetVisible(visible);
    tl.SetMode(mode);
  };
  setup(3, TTxtLblAttachMode::tamNone, 100, 100, true, TTxtLblMode::tlSimple);
  setup(5, TTxtLblAttachMode::tamXOnly, 150, 60, true, TTxtLblMode::tlBox);
  setup(7, TTxtLblAttachMode::tamNone, 103, 104, false, TTxtLblMode::tlBox);  // hidden
  setup(8, TTxtLblAttachMode::tamNone, 103, 104, true, TTxtLblMode::tlOff);   // free slot
  std::vector<TTextLabel*> moved;
  c.OnTextLabelMove = [&](TObject&, TTextLabel& tl) { moved.push_back(&tl); };

  Down(c, 103, 104);
  Drag(c, 103, 104);  // label 3 at distance 5
  Drag(c, 130, 140);
  EXPECT_EQ(c.TextLabels(3).PosX(), 130);
  EXPECT_EQ(c.TextLabels(3).PosY(), 140);
  ASSERT_EQ(moved.size(), 1u);
  EXPECT_EQ(moved[0], &c.TextLabels(3));
  Up(c, 130, 140);

  // Label 5: x in world units, y in pixels.
  std::int32_t px = 0, py = 0;
  c.R2M(1, 150, 60, px, py);
  Drag(c, px + 1, 61);
  Drag(c, 200, 90);
  double wx = 0, wy = 0;
  c.M2R(1, 200, 90, wx, wy);
  EXPECT_DOUBLE_EQ(c.TextLabels(5).PosX(), wx);
  EXPECT_EQ(c.TextLabels(5).PosY(), 90);
  Up(c, 200, 90);

  // No label qualifies: label 1 is dragged (in world units by default).
  c.TextLabels(3).SetVisible(false);
  c.TextLabels(5).SetMode(TTxtLblMode::tlOff);
  Drag(c, 60, 60);
  Drag(c, 70, 70);
  c.M2R(1, 70, 70, wx, wy);
  EXPECT_DOUBLE_EQ(c.TextLabels(1).PosX(), wx);
  EXPECT_DOUBLE_EQ(c.TextLabels(1).PosY(), wy);
}

TEST(RChartMouseTrace, StrokesLimitAndDrawing) {
  TCustomRChart c;
  MouseReady(c);
  c.SetMouseAction(TMouseActMode::maMouseTrace);
  c.SetMouseTraceInvert(false);
  c.SetMouseTraceColor(clRed);
  Down(c, 100, 100);
  Drag(c, 100, 100);
  Drag(c, 140, 100);
  EXPECT_EQ(PixelOf(c.Surface(), 120, 100), clRed) << "the segment is drawn at once";
  Drag(c, 140, 140);
  Up(c, 140, 140);
  Down(c, 200, 60);
  Drag(c, 200, 60);
  Drag(c, 400, 60);  // clamped to the data area
  Up(c, 400, 60);
  ASSERT_EQ(c.NumMTracePoints(), 5);
  double wx = 0, wy = 0;
  c.M2R(1, kDataR, 60, wx, wy);
  EXPECT_DOUBLE_EQ(c.MouseTrace(5).X, wx);
  EXPECT_EQ(c.MouseTrace(5).Color, clRed);
  const std::int16_t flags[] = {-1, 0, 0, 1, 0, 1, -1};  // points 0 ... 6; 0 and 6 do not exist
  for (std::int32_t i = 0; i <= 6; ++i) EXPECT_EQ(c.MouseTrace(i).Flags, flags[i]) << i;

  // Paint draws the strokes into the data bitmap, not the jump between them.
  c.Paint();
  EXPECT_EQ(PixelOf(c.ChartBmp(), 140, 120), clRed);
  EXPECT_EQ(PixelOf(c.ChartBmp(), 230, 60), clRed);
  EXPECT_EQ(PixelOf(c.ChartBmp(), 170, 100), clWhite);

  // Inverted segments are XORed: white becomes the complement of the colour.
  c.ClearMouseTrace();
  c.SetMouseTraceInvert(true);
  Down(c, 100, 100);
  Drag(c, 100, 100);
  Drag(c, 140, 100);
  EXPECT_EQ(PixelOf(c.Surface(), 120, 100), clWhite ^ clRed);
  Up(c, 140, 100);
  c.Paint();
  EXPECT_EQ(PixelOf(c.ChartBmp(), 120, 100), clWhite ^ clRed);

  // The 5001st point is dropped; clearing starts again.
  c.ClearMouseTrace();
  Down(c, 100, 100);
  for (std::int32_t i = 0; i <= kMaxMTrace; ++i) Drag(c, kDataL + i % 200, 100 + (i / 200) % 50);
  EXPECT_EQ(c.NumMTracePoints(), kMaxMTrace);
}

TEST(RChartMouseCursor, FixedCursorIsTheDefaultInEveryModeElseByMode) {
  TCustomRChart c;
  MouseReady(c);
  for (std::int32_t mode = 0; mode <= 18; ++mode) {
    c.SetMouseAction(TMouseActMode(mode));
    c.SetMouseCursorFixed(true);
    Host().SetScreenCursor(77);
    Drag(c, 100, 100, 0);
    EXPECT_EQ(Host().ScreenCursor(), crDefault) << mode;
    c.SetMouseCursorFixed(false);
    Drag(c, 10, 100, 0);  // outside the data area
    EXPECT_EQ(Host().ScreenCursor(), crDefault) << mode;
  }
  // Unfixed: by mode inside the data area; the trace leaves the cursor alone.
  const std::pair<TMouseActMode, std::int32_t> rows[] = {
      {TMouseActMode::maNone, crCross}, {TMouseActMode::maZoomWindAligned, 4}, {TMouseActMode::maMouseTrace, 77}};
  for (const auto& [mode, cursor] : rows) {
    c.SetMouseAction(mode);
    Host().SetScreenCursor(77);
    Drag(c, 101, 100, 0);
    EXPECT_EQ(Host().ScreenCursor(), cursor) << int(mode);
  }
  Host().SetScreenCursor(crDefault);
}

TEST(RChartMouseEvents, MoveInChartWithItsReentryGuardPositionEnterAndLeave) {
  TCustomRChart c;
  MouseReady(c);
  std::vector<double> seen;  // in-chart flag, shift flag, x, y per call
  std::int32_t moves = 0, crossings = 0;
  c.OnMouseMove = [&](TObject&, TShiftState, std::int32_t, std::int32_t) { ++moves; };
  c.OnMouseMoveInChart = [&](TObject&, bool in, TShiftState shift, double x, double y) {
    seen.insert(seen.end(), {double(in), double(shift.Contains(TShiftStateItem::ssShift)), x, y});
    Post(c, TMessageKind::mkMouseMove, 200, 50);  // arrives while this runs: not handled
    Deliver();
  };
  c.OnMouseEnter = c.OnMouseLeave = [&](TObject&) { ++crossings; };
  double ix = 0, iy = 0, ox = 0, oy = 0;
  c.M2R(1, 100, 100, ix, iy);
  c.M2R(1, 10, 190, ox, oy);
  Post(c, TMessageKind::mkMouseEnter, 0, 0);
  Drag(c, 100, 100, MK_SHIFT);
  Drag(c, 10, 190, 0);
  Post(c, TMessageKind::mkMouseLeave, 0, 0);
  Deliver();
  c.SetEnabled(false);  // a disabled chart takes no moves
  Drag(c, 120, 120, 0);
  EXPECT_EQ(seen, (std::vector<double>{1, 1, ix, iy, 0, 0, ox, oy}));
  EXPECT_EQ(moves, 2);
  EXPECT_EQ(crossings, 2);
  EXPECT_DOUBLE_EQ(c.MousePosX(), ix) << "the last position inside the data area";
  EXPECT_DOUBLE_EQ(c.MousePosY(), iy);
}

TEST(RChartMouseRobustness, GarbageInputInEveryModeAndGeometry) {
  const std::int32_t coords[][2] = {{INT_MAX, INT_MAX}, {INT_MIN, INT_MIN}, {0, 0}, {100, 100},
                                    {kDataR, kDataB}, {INT_MIN, 100}, {120, 60}};
  for (std::int32_t geometry = 0; geometry < 3; ++geometry) {
    for (std::int32_t mode = 0; mode <= 18; ++mode) {
      TCustomRChart c;
      MouseReady(c);
      if (geometry == 1) c.SetBounds(0, 0, 0, 0);
      if (geometry == 2) {
        c.SetRange(1, -1e308, -1e308, 1e308, 1e308);
        c.SetIsometric(true);
      }
      c.SetMouseAction(TMouseActMode(mode));
      c.SetMouseAffectsLayer(2, true);
      c.SetMouseWheelZoom(true);
      c.SetMouseCursorFixed(false);
      c.CrossHair(1).SetMode(TCrossHMode::chBoth);
      c.CrossHair(1).SetPos(std::nan(""), 1e308);
      c.CrossHair(2).SetMode(TCrossHMode::chSmallCross);
      c.CrossHair(2).SetPos(-1e308, std::numeric_limits<double>::infinity());
      c.TextLabels(1).SetMode(TTxtLblMode::tlSimple);
      c.TextLabels(1).SetVisible(true);
      c.TextLabels(1).SetAttachToData(TTxtLblAttachMode::tamNone);
      c.TextLabels(1).SetPos(std::nan(""), -1e308);
      c.SetPanGridDx(1e-300);
      for (const auto& a : coords) {
        Down(c, a[0], a[1]);
        for (const auto& b : coords) Drag(c, b[0], b[1]);
        Wheel(c, a[0], a[1], INT_MIN);
        Post(c, TMessageKind::mkDoubleClick, a[0], a[1], MK_LBUTTON);
        Up(c, a[0], a[1]);
        Up(c, a[0], a[1], TMouseButton::mbRight);
      }
      for (std::int32_t layer = 1; layer <= 2; ++layer) {
        const TRanges r = RangesOf(c, layer);
        EXPECT_TRUE(std::isfinite(r.xLo) && std::isfinite(r.xHi) && std::isfinite(r.yLo) && std::isfinite(r.yHi))
            << geometry << " " << mode;
      }
      EXPECT_EQ(c.ZoomState(), TZoomState::zsIdle);
    }
  }
  Host().SetScreenCursor(crDefault);
}

}  // namespace
}  // namespace mivo
