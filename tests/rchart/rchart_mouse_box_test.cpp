// The blocking MouseBox: its states, the ordered world corners, the aborts,
// and its ends when no input comes, when it is nested or when the chart goes.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "mivo/rchart/rchart.h"
#include "rchart_mouse_test_util.h"

namespace mivo {
namespace {

using namespace test;

// Makes the host give up quickly on a loop that waits for nothing.
class TShortIdle {
 public:
  TShortIdle() : FSaved(Headless().IdleLimit) { Headless().IdleLimit = 20; }
  ~TShortIdle() {
    Headless().IdleLimit = FSaved;
    Headless().OnIdle = nullptr;
  }

 private:
  std::int32_t FSaved;
};

TEST(RChartMouseBox, ReturnsOrderedCornersOfTheUnclampedPressAndRelease) {
  TShortIdle shortIdle;
  TCustomRChart c;
  MouseReady(c);
  const TBitmap before = c.Surface();
  std::vector<TMouseBoxState> seen;
  c.OnMouseDown = [&](TObject&, TMouseButton, TShiftState, std::int32_t, std::int32_t) {
    seen.push_back(c.MouseBoxState());
  };
  c.OnMouseUp = [&](TObject&, TMouseButton, TShiftState, std::int32_t, std::int32_t) {
    seen.push_back(c.MouseBoxState());
  };
  bool figureShown = false;
  c.OnMouseMove = [&](TObject&, TShiftState, std::int32_t, std::int32_t) {
    figureShown = figureShown || !SamePixels(c.Surface(), before);
  };
  Post(c, TMessageKind::mkMouseDown, 200, 140, MK_LBUTTON);
  Post(c, TMessageKind::mkMouseMove, 150, 60, MK_LBUTTON);
  Post(c, TMessageKind::mkMouseMove, 120, 40, MK_LBUTTON);
  Post(c, TMessageKind::mkMouseUp, 10, 5);  // outside the data area: not clamped
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  c.M2R(1, 200, 140, x1, y1);
  c.M2R(1, 10, 5, x2, y2);
  double xLo = 0, yLo = 0, xHi = 0, yHi = 0;
  ASSERT_TRUE(c.MouseBox(xLo, yLo, xHi, yHi));
  EXPECT_DOUBLE_EQ(xLo, x2);
  EXPECT_DOUBLE_EQ(xHi, x1);
  EXPECT_DOUBLE_EQ(yLo, y1);
  EXPECT_DOUBLE_EQ(yHi, y2);
  EXPECT_EQ(c.MouseBoxState(), TMouseBoxState::mbsIdle);
  // OnMouseDown runs before the box takes the press, OnMouseUp after it took
  // the release.
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], TMouseBoxState::mbsWaiting);
  EXPECT_EQ(seen[1], TMouseBoxState::mbsDone);
  EXPECT_TRUE(figureShown);
  EXPECT_TRUE(SamePixels(c.Surface(), before)) << "the rectangle is erased";

  // The active layer's mapping is used.
  c.SetRange(2, 0, 0, 10, 10);
  c.SetActiveLayer(2);
  Post(c, TMessageKind::mkMouseDown, 100, 100, MK_LBUTTON);
  Post(c, TMessageKind::mkMouseUp, 150, 50);
  c.M2R(2, 100, 100, x1, y1);
  ASSERT_TRUE(c.MouseBox(xLo, yLo, xHi, yHi));
  EXPECT_DOUBLE_EQ(xLo, x1);
  EXPECT_DOUBLE_EQ(yLo, y1);
}

TEST(RChartMouseBox, RightButtonAbortAndHostEndReturnFalse) {
  TShortIdle shortIdle;
  TCustomRChart c;
  MouseReady(c);
  const TBitmap before = c.Surface();
  double xLo = 1, yLo = 2, xHi = 3, yHi = 4;
  // Right press while waiting.
  Post(c, TMessageKind::mkMouseDown, 100, 100, MK_RBUTTON, TMouseButton::mbRight);
  EXPECT_FALSE(c.MouseBox(xLo, yLo, xHi, yHi));
  // Right release while dragging (after a left press).
  Post(c, TMessageKind::mkMouseUp, 100, 100, 0, TMouseButton::mbRight);  // the release of the last press
  Deliver();
  Post(c, TMessageKind::mkMouseDown, 100, 100, MK_LBUTTON);
  Post(c, TMessageKind::mkMouseMove, 150, 120, MK_LBUTTON);
  Post(c, TMessageKind::mkMouseUp, 150, 120, 0, TMouseButton::mbRight);
  EXPECT_FALSE(c.MouseBox(xLo, yLo, xHi, yHi));
  EXPECT_TRUE(SamePixels(c.Surface(), before));
  // Nothing comes: the host's idle limit ends the loop.
  EXPECT_FALSE(c.MouseBox(xLo, yLo, xHi, yHi));
  EXPECT_EQ(c.MouseBoxState(), TMouseBoxState::mbsIdle);
  // The host ends the loop in the middle of a drag: the figure goes too.
  Post(c, TMessageKind::mkMouseDown, 100, 100, MK_LBUTTON);
  Post(c, TMessageKind::mkMouseMove, 150, 120, MK_LBUTTON);
  EXPECT_FALSE(c.MouseBox(xLo, yLo, xHi, yHi));
  EXPECT_TRUE(SamePixels(c.Surface(), before));
  Up(c, 150, 120);
  // MouseBoxAbort from a handler.
  c.OnMouseMove = [&](TObject&, TShiftState, std::int32_t, std::int32_t) { c.MouseBoxAbort(); };
  Post(c, TMessageKind::mkMouseDown, 100, 100, MK_LBUTTON);
  Post(c, TMessageKind::mkMouseMove, 150, 120, MK_LBUTTON);
  Post(c, TMessageKind::mkMouseUp, 150, 120);
  EXPECT_FALSE(c.MouseBox(xLo, yLo, xHi, yHi));
  EXPECT_TRUE(SamePixels(c.Surface(), before));
  EXPECT_EQ(xLo, 1);
  EXPECT_EQ(yHi, 4);
}

TEST(RChartMouseBox, ASecondBoxWhileOneWaitsAndADestroyedChartReturnFalse) {
  TShortIdle shortIdle;
  {
    TCustomRChart c;
    MouseReady(c);
    double a = 0, b = 0, d = 0, e = 0;
    std::vector<bool> nested;
    c.OnMouseDown = [&](TObject&, TMouseButton, TShiftState, std::int32_t, std::int32_t) {
      nested.push_back(c.MouseBox(a, b, d, e));
    };
    Post(c, TMessageKind::mkMouseDown, 100, 100, MK_LBUTTON);
    Post(c, TMessageKind::mkMouseUp, 150, 50);
    double xLo = 0, yLo = 0, xHi = 0, yHi = 0;
    EXPECT_TRUE(c.MouseBox(xLo, yLo, xHi, yHi));
    ASSERT_EQ(nested.size(), 1u);
    EXPECT_FALSE(nested[0]);
    EXPECT_LT(xLo, xHi);
  }
  {
    auto c = std::make_unique<TCustomRChart>();
    MouseReady(*c);
    Headless().OnIdle = [&] { c.reset(); };
    double xLo = 0, yLo = 0, xHi = 0, yHi = 0;
    TCustomRChart* raw = c.get();
    EXPECT_FALSE(raw->MouseBox(xLo, yLo, xHi, yHi));
    Headless().OnIdle = nullptr;
    EXPECT_EQ(c, nullptr);
  }
}

TEST(RChartMouseBox, ShrunkChartsReportOnlyFiniteBoxes) {
  TShortIdle shortIdle;
  for (const std::int32_t margin : {0, 10000}) {
    TCustomRChart c;
    MouseReady(c);
    c.SetBounds(0, 0, 0, 0);  // the chart keeps room for its margins
    c.SetLRim(margin);
    c.SetBRim(margin);
    Post(c, TMessageKind::mkMouseDown, 0, 0, MK_LBUTTON);
    Post(c, TMessageKind::mkMouseMove, 5, 5, MK_LBUTTON);
    Post(c, TMessageKind::mkMouseUp, 9, 9);
    double xLo = 0, yLo = 0, xHi = 0, yHi = 0;
    if (c.MouseBox(xLo, yLo, xHi, yHi)) {
      EXPECT_TRUE(std::isfinite(xLo) && std::isfinite(yLo) && std::isfinite(xHi) && std::isfinite(yHi));
      EXPECT_LE(xLo, xHi);
      EXPECT_LE(yLo, yHi);
    }
    EXPECT_EQ(c.MouseBoxState(), TMouseBoxState::mbsIdle);
  }
}

}  // namespace
}  // namespace mivo
