// The blocking MouseBox: ordered world corners, aborts, and its ends when no
// input comes, when it is nested or when the chart is destroyed meanwhile.
#include <gtest/gtest.h>

#include <memory>

#include "rchart_mouse_test_util.h"

namespace mivo {
namespace {

using namespace test;

// The host gives up quickly on a loop that waits for nothing.
struct TShortIdle {
  TShortIdle() { Headless().IdleLimit = 20; }
  ~TShortIdle() {
    Headless().IdleLimit = 10000;
    Headless().OnIdle = nullptr;
  }
};

void PostBox(TCustomRChart& c, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
             TMouseButton release = TMouseButton::mbLeft) {
  Post(c, TMessageKind::mkMouseDown, x1, y1, MK_LBUTTON);
  Post(c, TMessageKind::mkMouseMove, (x1 + x2) / 2, (y1 + y2) / 2, MK_LBUTTON);
  Post(c, TMessageKind::mkMouseUp, x2, y2, 0, release);
}

TEST(RChartMouseBox, OrderedCornersOfTheUnclampedPressAndRelease) {
  TShortIdle shortIdle;
  TCustomRChart c;
  MouseReady(c);
  const TBitmap before = c.Surface();
  TMouseBoxState atPress = TMouseBoxState::mbsIdle;
  c.OnMouseDown = [&](TObject&, TMouseButton, TShiftState, std::int32_t, std::int32_t) {
    atPress = c.MouseBoxState();
  };
  PostBox(c, 200, 140, 10, 5);  // released outside the data area
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0, xLo = 0, yLo = 0, xHi = 0, yHi = 0;
  c.M2R(1, 200, 140, x1, y1);
  c.M2R(1, 10, 5, x2, y2);
  ASSERT_TRUE(c.MouseBox(xLo, yLo, xHi, yHi));
  EXPECT_EQ(atPress, TMouseBoxState::mbsWaiting);
  EXPECT_DOUBLE_EQ(xLo, x2);
  EXPECT_DOUBLE_EQ(xHi, x1);
  EXPECT_DOUBLE_EQ(yLo, y1);
  EXPECT_DOUBLE_EQ(yHi, y2);
  EXPECT_EQ(c.MouseBoxState(), TMouseBoxState::mbsIdle);
  EXPECT_TRUE(test::ImagesEqual(c.Surface(), before)) << "the rectangle is erased";

  // A box asked for while one waits returns false at once; the first goes on.
  bool nested = true;
  c.OnMouseDown = [&](TObject&, TMouseButton, TShiftState, std::int32_t, std::int32_t) {
    nested = c.MouseBox(x1, y1, x2, y2);
  };
  PostBox(c, 100, 100, 150, 50);
  EXPECT_TRUE(c.MouseBox(xLo, yLo, xHi, yHi));
  EXPECT_FALSE(nested);
}

TEST(RChartMouseBox, AbortsAndLoopEndsReturnFalse) {
  TShortIdle shortIdle;
  auto c = std::make_unique<TCustomRChart>();
  MouseReady(*c);
  const TBitmap before = c->Surface();
  double xLo = 1, yLo = 2, xHi = 3, yHi = 4;
  Post(*c, TMessageKind::mkMouseDown, 100, 100, MK_RBUTTON, TMouseButton::mbRight);  // right press
  EXPECT_FALSE(c->MouseBox(xLo, yLo, xHi, yHi));
  PostBox(*c, 100, 100, 150, 120, TMouseButton::mbRight);  // right release
  EXPECT_FALSE(c->MouseBox(xLo, yLo, xHi, yHi));
  EXPECT_FALSE(c->MouseBox(xLo, yLo, xHi, yHi));  // no input: the host's idle limit
  Post(*c, TMessageKind::mkMouseDown, 100, 100, MK_LBUTTON);
  Post(*c, TMessageKind::mkMouseMove, 150, 120, MK_LBUTTON);
  EXPECT_FALSE(c->MouseBox(xLo, yLo, xHi, yHi));  // the loop ends in the middle of a drag
  Up(*c, 150, 120);
  c->OnMouseMove = [&](TObject&, TShiftState, std::int32_t, std::int32_t) { c->MouseBoxAbort(); };
  PostBox(*c, 100, 100, 150, 120);
  EXPECT_FALSE(c->MouseBox(xLo, yLo, xHi, yHi));
  EXPECT_EQ(c->MouseBoxState(), TMouseBoxState::mbsIdle);
  EXPECT_TRUE(test::ImagesEqual(c->Surface(), before));
  EXPECT_EQ(xLo + yLo + xHi + yHi, 10) << "nothing written";

  Headless().OnIdle = [&] { c.reset(); };  // the chart is destroyed while its box waits
  TCustomRChart* raw = c.get();
  EXPECT_FALSE(raw->MouseBox(xLo, yLo, xHi, yHi));
  EXPECT_EQ(c, nullptr);
}

}  // namespace
}  // namespace mivo
