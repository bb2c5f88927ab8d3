// What the chart draws on its window outside a paint message reaches the
// screen: every such drawing asks the host to present the surface, and the
// requests of one frame are one presentation.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "mivo/platform/host.h"
#include "mivo/rchart/rchart.h"
#include "support/image_compare.h"
#include "rchart_mouse_test_util.h"

namespace mivo {
namespace {

using test::Headless;

// A chart ready for the mouse with a line from (20, 20) to (x, y) on the screen.
void ShownLine(TCustomRChart& c, double x, double y) {
  test::MouseReady(c);
  c.MoveTo(20, 20);
  c.DrawTo(x, y);
  c.ShowGraf();
  Headless().ProcessMessages();
}

struct Op {
  const char* Name;
  std::function<void(TCustomRChart&)> Run;
};

// Each operation changes the picture; the frame after it presents the surface
// once and the surface holds the new picture (what the screen then shows).
TEST(RChartPresent, EveryRedrawOutsideAPaintReachesTheScreen) {
  const std::vector<Op> ops{
      {"ShowGraf", [](TCustomRChart& c) { c.DrawTo(200, 140); c.ShowGraf(); }},
      {"ShowGrafNewOnly", [](TCustomRChart& c) { c.DrawTo(200, 20); c.ShowGrafNewOnly(); }},
      {"ShowGraf without AutoRedraw",
       [](TCustomRChart& c) { c.SetAutoRedraw(false); c.DrawTo(10, 140); c.ShowGraf(); }},
      {"SetRange", [](TCustomRChart& c) { c.SetRange(1, 10, 10, 100, 100); }},
      {"AutoRange", [](TCustomRChart& c) { c.AutoRange(1, 0); }},
      {"crosshair move", [](TCustomRChart& c) {
         c.CrossHair(1).SetMode(TCrossHMode::chBoth);
         c.SetCrossHairPosX(1, 77);
       }},
  };
  for (const Op& op : ops) {
    SCOPED_TRACE(op.Name);
    TCustomRChart c;
    ShownLine(c, 60, 100);
    const TBitmap before = c.Surface();
    const std::int32_t shown = Headless().PresentCount(c);
    op.Run(c);
    Headless().ProcessMessages();
    EXPECT_GT(test::DiffImages(before, c.Surface()).Pixels, 0) << "the operation changed nothing";
    EXPECT_EQ(Headless().PresentCount(c), shown + 1);
  }
}

TEST(RChartPresent, PanAndWheelZoomShowEveryStep) {
  TCustomRChart c;
  ShownLine(c, 200, 140);
  c.SetMouseAction(TMouseActMode::maPan);
  test::Down(c, 100, 100);
  test::Drag(c, 110, 90);  // the pick-up moves nothing
  std::int32_t shown = Headless().PresentCount(c);
  for (const std::int32_t x : {130, 150, 170}) {
    const TBitmap before = c.Surface();
    test::Drag(c, x, 90);
    EXPECT_GT(test::DiffImages(before, c.Surface()).Pixels, 0) << x;
    EXPECT_GT(Headless().PresentCount(c), shown) << "the pan to " << x << " never reached the screen";
    shown = Headless().PresentCount(c);
  }
  test::Up(c, 170, 90);
  c.SetMouseWheelZoom(true);
  const TBitmap before = c.Surface();
  shown = Headless().PresentCount(c);
  test::Wheel(c, 150, 90, 120);
  EXPECT_GT(test::DiffImages(before, c.Surface()).Pixels, 0);
  EXPECT_GT(Headless().PresentCount(c), shown);
}

}  // namespace
}  // namespace mivo
