// Pans, drag zoom and wheel zoom through queued mouse messages: every step
// measured from the anchors of the pick-up, history pushed on release only.
#include <gtest/gtest.h>

#include <cmath>

#include "rchart_mouse_test_util.h"

namespace mivo {
namespace {

using namespace test;

void ExpectRanges(const TCustomRChart& c, std::int32_t layer, double xLo, double yLo, double xHi, double yHi) {
  const TRanges r = RangesOf(c, layer);
  const double want[] = {xLo, yLo, xHi, yHi}, got[] = {r.xLo, r.yLo, r.xHi, r.yHi};
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(got[i], want[i], 1e-9 * (1 + std::fabs(want[i]))) << "bound " << i;
}

TEST(RChartMousePan, AnchoredPansOnLinearAndLogAxes) {
  TCustomRChart c;
  MouseReady(c);
  c.SetMouseAction(TMouseActMode::maPan);
  std::int32_t zoomPans = 0;
  c.OnZoomPan = [&](TObject&) { ++zoomPans; };
  const std::int32_t poi = c.ZoomStackPointer();
  Down(c, 100, 100);
  Drag(c, 110, 90);  // the pick-up moves nothing
  ExpectRanges(c, 1, 0, 0, 220, 152);
  Drag(c, 132, 70);  // 22 right, 20 up: the content follows the mouse
  ExpectRanges(c, 1, -22, -20, 198, 132);
  Drag(c, 121, 95);  // from the anchor again
  ExpectRanges(c, 1, -11, 5, 209, 157);
  Drag(c, 400, 95);  // outside the data area
  ExpectRanges(c, 1, -11, 5, 209, 157);
  EXPECT_EQ(zoomPans, 2);
  EXPECT_EQ(c.ZoomStackPointer(), poi);
  Up(c, 121, 95);
  EXPECT_EQ(c.ZoomStackPointer(), poi + 1);
  EXPECT_DOUBLE_EQ(c.ZoomStack(1, 0).Left, -11);
  // The next drag takes fresh anchors even with no move between release and press.
  Down(c, 121, 95);
  Drag(c, 60, 30);
  Drag(c, 71, 30);
  ExpectRanges(c, 1, -22, 5, 198, 157);
  Up(c, 71, 30);

  // One-axis modes; layer 2 follows with its own span when it is mouse-affected.
  c.SetRange(2, 0, 0, 22, 15.2);
  c.SetMouseAffectsLayer(2, true);
  c.SetMouseAction(TMouseActMode::maPanHoriz);
  Drag(c, 100, 100);
  Drag(c, 110, 110);
  ExpectRanges(c, 1, -32, 5, 188, 157);
  ExpectRanges(c, 2, -1, 0, 21, 15.2);
  Up(c, 110, 110);
  c.SetMouseAction(TMouseActMode::maPanVert);
  Drag(c, 100, 100);
  Drag(c, 110, 110);
  ExpectRanges(c, 1, -32, 15, 188, 167);
  ExpectRanges(c, 2, -1, 1, 21, 16.2);
  Up(c, 110, 110);

  // Logarithmic axes shift by factors of the current span.
  c.SetRange(1, 1, 1, 1000, 100);
  c.ScalePropsX(1).SetLogarithmic(true);
  c.ScalePropsY(1).SetLogarithmic(true);
  c.SetMouseAction(TMouseActMode::maPan);
  Drag(c, 100, 100);
  Drag(c, 122, 138);
  const double f = std::exp(std::log(1000.0) * -22 / 220), g = std::exp(std::log(100.0) * 38 / 152);
  ExpectRanges(c, 1, f, g, 1000 * f, 100 * g);
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
  c.SetPanGridDx(0);  // no snapping at 0, below or not finite
  c.SetPanGridDy(std::nan(""));
  Drag(c, 100, 100);
  Drag(c, 107, 103);
  ExpectRanges(c, 1, 3, 8, 223, 160);
  Up(c, 107, 103);
  c.ScalePropsX(1).SetLogarithmic(true);  // a layer with a log axis is left alone
  Drag(c, 100, 100);
  Drag(c, 130, 130);
  ExpectRanges(c, 1, 3, 8, 223, 160);
}

TEST(RChartMouseDragZoom, FactorsOverTheControlSizeAndNeverAFlip) {
  TCustomRChart c;
  MouseReady(c);
  c.SetMouseAction(TMouseActMode::maZoomDrag);
  std::int32_t zoomPans = 0;
  c.OnZoomPan = [&](TObject&) { ++zoomPans; };
  const std::int32_t poi = c.ZoomStackPointer();
  Down(c, 100, 100);
  Drag(c, 100, 100);
  Drag(c, 128, 80);  // gx = 1 - 28/280, gy = 1 - 20/200: 0.9 about the centres
  ExpectRanges(c, 1, 11, 76 - 68.4, 209, 76 + 68.4);
  Drag(c, 72, 150);  // gx = 1.1, gy = 1.25, still from the anchor ranges
  ExpectRanges(c, 1, -11, -19, 231, 171);
  EXPECT_EQ(zoomPans, 2);
  Up(c, 72, 150);
  EXPECT_EQ(c.ZoomStackPointer(), poi + 1);

  // Isometric: the horizontal factor on both axes.
  c.SetIsometric(true);
  const TRanges a = RangesOf(c, 1);
  Drag(c, 100, 100);
  Drag(c, 128, 150);
  const double cx = (a.xLo + a.xHi) / 2, cy = (a.yLo + a.yHi) / 2, w = a.xHi - a.xLo, h = a.yHi - a.yLo;
  ExpectRanges(c, 1, cx - w * 0.45, cy - h * 0.45, cx + w * 0.45, cy + h * 0.45);
  Up(c, 128, 150);

  // Picked up far left of the control, gx = 1 - 600/280 would flip the axis: skipped.
  const TRanges b = RangesOf(c, 1);
  Drag(c, -400, 100);
  Drag(c, 200, 100);
  ExpectRanges(c, 1, b.xLo, b.yLo, b.xHi, b.yHi);
  EXPECT_EQ(zoomPans, 3);
}

TEST(RChartMouseWheel, ZoomsAboutThePointerWithOneHistoryEntryPerBurst) {
  TCustomRChart c;
  MouseReady(c);
  double px = 0, py = 0;
  c.M2R(1, 160, 60, px, py);
  Wheel(c, 160, 60, 120);  // off by default
  ExpectRanges(c, 1, 0, 0, 220, 152);
  c.SetMouseWheelZoom(true);
  const std::int32_t poi = c.ZoomStackPointer();
  Wheel(c, 160, 60, 120);  // one notch in: 0.8 of the ranges about the pointer
  ExpectRanges(c, 1, px * 0.2, py * 0.2, px + (220 - px) * 0.8, py + (152 - py) * 0.8);
  Wheel(c, 160, 60, 120);
  Wheel(c, 160, 60, -240);  // two notches out: back where it started
  ExpectRanges(c, 1, 0, 0, 220, 152);
  EXPECT_EQ(c.ZoomStackPointer(), poi + 1);
  Drag(c, 161, 60, 0);  // a move to another pixel ends the burst
  Wheel(c, 161, 60, 120);
  EXPECT_EQ(c.ZoomStackPointer(), poi + 2);
  const TRanges r = RangesOf(c, 1);
  Wheel(c, 10, 10, 120);  // outside the data area
  ExpectRanges(c, 1, r.xLo, r.yLo, r.xHi, r.yHi);
}

}  // namespace
}  // namespace mivo
