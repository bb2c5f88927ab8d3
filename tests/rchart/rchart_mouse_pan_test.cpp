// Panning, drag zoom and wheel zoom driven by queued mouse messages: every
// step measured from the anchors taken when the drag was picked up, history
// entries pushed on release only.
#include <gtest/gtest.h>

#include <cmath>

#include "mivo/rchart/rchart.h"
#include "rchart_mouse_test_util.h"

namespace mivo {
namespace {

using namespace test;

void ExpectRanges(const TCustomRChart& c, std::int32_t layer, double xLo, double yLo, double xHi, double yHi) {
  const TRanges r = RangesOf(c, layer);
  EXPECT_NEAR(r.xLo, xLo, 1e-9 * (1 + std::fabs(xLo)));
  EXPECT_NEAR(r.yLo, yLo, 1e-9 * (1 + std::fabs(yLo)));
  EXPECT_NEAR(r.xHi, xHi, 1e-9 * (1 + std::fabs(xHi)));
  EXPECT_NEAR(r.yHi, yHi, 1e-9 * (1 + std::fabs(yHi)));
}

TEST(RChartMousePan, LinearPanIsAnchoredAndPushesHistoryOnRelease) {
  TCustomRChart c;
  MouseReady(c);
  c.SetMouseAction(TMouseActMode::maPan);
  std::int32_t zoomPans = 0;
  c.OnZoomPan = [&](TObject&) { ++zoomPans; };
  const std::int32_t poi = c.ZoomStackPointer();

  Down(c, 100, 100);
  Drag(c, 110, 90);  // picks the drag up: nothing moves yet
  ExpectRanges(c, 1, 0, 0, 220, 152);
  EXPECT_EQ(zoomPans, 0);
  Drag(c, 132, 70);  // 22 px right, 20 px up: the content follows the mouse
  ExpectRanges(c, 1, -22, -20, 198, 132);
  Drag(c, 121, 95);  // measured from the anchor again, not from the last step
  ExpectRanges(c, 1, -11, 5, 209, 157);
  EXPECT_EQ(zoomPans, 2);
  EXPECT_EQ(c.ZoomStackPointer(), poi) << "moves push no history";
  Drag(c, 400, 95);  // outside the data area: nothing moves
  ExpectRanges(c, 1, -11, 5, 209, 157);
  EXPECT_EQ(zoomPans, 2);

  Up(c, 121, 95);
  EXPECT_EQ(c.ZoomStackPointer(), poi + 1);
  const TRectDouble e = c.ZoomStack(1, 0);
  EXPECT_DOUBLE_EQ(e.Left, -11);
  EXPECT_DOUBLE_EQ(e.Right, 209);
  EXPECT_DOUBLE_EQ(e.Top, 157);
  EXPECT_DOUBLE_EQ(e.Bottom, 5);

  // A new drag takes fresh anchors even without a move between release and press.
  Down(c, 121, 95);
  Drag(c, 60, 30);
  ExpectRanges(c, 1, -11, 5, 209, 157);
  Drag(c, 71, 30);
  ExpectRanges(c, 1, -22, 5, 198, 157);
  // The right button alone does not pan, but its release still records the state.
  Up(c, 71, 30);
  Drag(c, 100, 100, MK_RBUTTON);
  Drag(c, 150, 100, MK_RBUTTON);
  ExpectRanges(c, 1, -22, 5, 198, 157);
  const std::int32_t before = c.ZoomStackPointer();
  Up(c, 150, 100, TMouseButton::mbRight);
  EXPECT_EQ(c.ZoomStackPointer(), before % kZoomStackSize + 1);
}

TEST(RChartMousePan, OneAxisModesLogAxesAndAffectedLayers) {
  {
    TCustomRChart c;
    MouseReady(c);
    c.SetMouseAction(TMouseActMode::maPanHoriz);
    Down(c, 100, 100);
    Drag(c, 100, 100);
    Drag(c, 144, 62);
    ExpectRanges(c, 1, -44, 0, 176, 152);
    Up(c, 144, 62);
    c.SetMouseAction(TMouseActMode::maPanVert);
    Drag(c, 100, 100);
    Drag(c, 144, 62);
    ExpectRanges(c, 1, -44, -38, 176, 114);
    Up(c, 144, 62);
  }
  {
    // Logarithmic axes shift by factors: x by exp(ln(1000) * -22/220), y by exp(ln(100) * 38/152).
    TCustomRChart c;
    MouseReady(c);
    c.SetRange(1, 1, 1, 1000, 100);
    c.ScalePropsX(1).SetLogarithmic(true);
    c.ScalePropsY(1).SetLogarithmic(true);
    c.SetMouseAction(TMouseActMode::maPan);
    Down(c, 100, 100);
    Drag(c, 100, 100);
    Drag(c, 122, 138);
    const double f = std::exp(std::log(1000.0) * -22 / 220);
    const double g = std::exp(std::log(100.0) * 38 / 152);
    ExpectRanges(c, 1, f, g, 1000 * f, 100 * g);
    Up(c, 122, 138);
  }
  {
    // Layer 2 follows the mouse with its own span; MouseAffectsLayer is 1 and 2 only.
    TCustomRChart c;
    MouseReady(c);
    c.SetRange(2, 0, 0, 22, 15.2);
    c.SetMouseAffectsLayer(2, true);
    c.SetMouseAffectsLayer(3, true);
    EXPECT_FALSE(c.MouseAffectsLayer(0));
    EXPECT_FALSE(c.MouseAffectsLayer(3));
    c.SetMouseAction(TMouseActMode::maPan);
    Down(c, 100, 100);
    Drag(c, 100, 100);
    Drag(c, 110, 110);
    ExpectRanges(c, 1, -10, 10, 210, 162);
    ExpectRanges(c, 2, -1, 1, 21, 16.2);
    Up(c, 110, 110);
    c.SetMouseAffectsLayer(1, false);
    Drag(c, 100, 100);
    Drag(c, 110, 110);
    ExpectRanges(c, 1, -10, 10, 210, 162);
    ExpectRanges(c, 2, -2, 2, 20, 17.2);
  }
}

TEST(RChartMousePan, PanGridSnapsTheLowBoundTowardZero) {
  TCustomRChart c;
  MouseReady(c);
  c.SetMouseAction(TMouseActMode::maPanGrid);
  c.SetPanGridDx(5);
  c.SetPanGridDy(5);
  Down(c, 100, 100);
  Drag(c, 100, 100);
  Drag(c, 107, 103);  // lows -7 and 3 snap to -5 and 0; highs keep the anchor width
  ExpectRanges(c, 1, -5, 0, 215, 152);
  Drag(c, 88, 109);  // 12 and 9 snap to 10 and 5
  ExpectRanges(c, 1, 10, 5, 230, 157);
  Up(c, 88, 109);

  // A step of 0 (or below, or not finite) switches snapping off on that axis.
  c.SetPanGridDx(0);
  c.SetPanGridDy(std::nan(""));
  c.SetRange(1, 0, 0, 220, 152);
  Drag(c, 100, 100);
  Drag(c, 107, 103);
  ExpectRanges(c, 1, -7, 3, 213, 155);
  Up(c, 107, 103);

  // A layer with a logarithmic axis is left alone.
  c.SetRange(1, 1, 0, 1000, 152);
  c.ScalePropsX(1).SetLogarithmic(true);
  Drag(c, 100, 100);
  Drag(c, 130, 130);
  ExpectRanges(c, 1, 1, 0, 1000, 152);
}

TEST(RChartMousePan, PanningSlidesBackInsideTheConfinementWindow) {
  TCustomRChart c;
  MouseReady(c);
  c.ConfineZoomRange(0, 0, 230, 152);
  c.SetMouseAction(TMouseActMode::maPan);
  Down(c, 100, 100);
  Drag(c, 100, 100);
  Drag(c, 80, 100);  // asks for 20 ... 240: slides back to 10 ... 230, width kept
  ExpectRanges(c, 1, 10, 0, 230, 152);
}

TEST(RChartMouseDragZoom, FactorsFollowTheDragDistanceOverTheControlSize) {
  TCustomRChart c;
  MouseReady(c);
  c.SetMouseAction(TMouseActMode::maZoomDrag);
  std::int32_t zoomPans = 0;
  c.OnZoomPan = [&](TObject&) { ++zoomPans; };
  const std::int32_t poi = c.ZoomStackPointer();
  Down(c, 100, 100);
  Drag(c, 100, 100);
  // Right and up zoom in: gx = 1 - 28/280 = 0.9, gy = 1 - 20/200 = 0.9 about the anchor centres.
  Drag(c, 128, 80);
  ExpectRanges(c, 1, 11, 76 - 68.4, 209, 76 + 68.4);
  // Left and down zoom out, still from the anchor ranges: gx = 1.1, gy = 1.25.
  Drag(c, 72, 150);
  ExpectRanges(c, 1, 110 - 121, 76 - 95, 110 + 121, 76 + 95);
  EXPECT_EQ(zoomPans, 2);
  EXPECT_EQ(c.ZoomStackPointer(), poi);
  Up(c, 72, 150);
  EXPECT_EQ(c.ZoomStackPointer(), poi + 1);

  // Isometric charts use the horizontal factor on both axes.
  c.SetIsometric(true);
  const TRanges a = RangesOf(c, 1);
  Drag(c, 100, 100);
  Drag(c, 128, 150);
  const double cx = (a.xLo + a.xHi) / 2, cy = (a.yLo + a.yHi) / 2;
  ExpectRanges(c, 1, cx - (a.xHi - a.xLo) * 0.45, cy - (a.yHi - a.yLo) * 0.45, cx + (a.xHi - a.xLo) * 0.45,
               cy + (a.yHi - a.yLo) * 0.45);
  Up(c, 128, 150);
}

TEST(RChartMouseDragZoom, ADragPickedUpFarOutsideNeverFlipsTheAxes) {
  TCustomRChart c;
  MouseReady(c);
  c.SetMouseAction(TMouseActMode::maZoomDrag);
  std::int32_t zoomPans = 0;
  c.OnZoomPan = [&](TObject&) { ++zoomPans; };
  Drag(c, -400, 100);  // anchor far left of the control
  Drag(c, 200, 100);   // gx = 1 - 600/280 < 0: the step is skipped
  ExpectRanges(c, 1, 0, 0, 220, 152);
  EXPECT_EQ(zoomPans, 0);
  Drag(c, 100, 100, 0);
  Drag(c, 100, 100);
  Drag(c, 100, -300 + 100);  // outside the data area: nothing either
  ExpectRanges(c, 1, 0, 0, 220, 152);
}

TEST(RChartMouseWheel, ZoomsAboutThePointerWithOneHistoryEntryPerBurst) {
  TCustomRChart c;
  MouseReady(c);
  double px = 0, py = 0;
  c.M2R(1, 160, 60, px, py);
  Wheel(c, 160, 60, 120);  // off by default
  ExpectRanges(c, 1, 0, 0, 220, 152);

  c.SetMouseWheelZoom(true);
  std::int32_t zoomPans = 0;
  c.OnZoomPan = [&](TObject&) { ++zoomPans; };
  const std::int32_t poi = c.ZoomStackPointer();
  Wheel(c, 160, 60, 120);  // one notch in: ranges shrink to 0.8 about the pointer
  ExpectRanges(c, 1, px - px * 0.8, py - py * 0.8, px + (220 - px) * 0.8, py + (152 - py) * 0.8);
  Wheel(c, 160, 60, 120);
  Wheel(c, 160, 60, -240);  // two notches out: back where it started
  ExpectRanges(c, 1, 0, 0, 220, 152);
  double qx = 0, qy = 0;
  c.M2R(1, 160, 60, qx, qy);
  EXPECT_NEAR(qx, px, 1e-9);
  EXPECT_NEAR(qy, py, 1e-9);
  EXPECT_EQ(zoomPans, 3);
  EXPECT_EQ(c.ZoomStackPointer(), poi + 1) << "one entry for the burst";
  EXPECT_DOUBLE_EQ(c.ZoomStack(1, 0).Right, RangesOf(c, 1).xHi);

  // A move to another pixel ends the burst; outside the data area the wheel does nothing.
  Drag(c, 161, 60, 0);
  Wheel(c, 161, 60, 120);
  EXPECT_EQ(c.ZoomStackPointer(), poi + 2);
  const TRanges r = RangesOf(c, 1);
  Wheel(c, 10, 10, 120);
  Wheel(c, 160, 60, 1 << 30);  // a huge delta stays finite
  EXPECT_TRUE(std::isfinite(RangesOf(c, 1).xLo));
  EXPECT_TRUE(std::isfinite(RangesOf(c, 1).xHi));
  EXPECT_LE(RangesOf(c, 1).xHi - RangesOf(c, 1).xLo, r.xHi - r.xLo);
}

}  // namespace
}  // namespace mivo
