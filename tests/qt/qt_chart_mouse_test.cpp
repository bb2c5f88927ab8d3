// The 2D chart inside TQtControlWidget, driven by Qt mouse and wheel events:
// a zoom window whose XOR figure reaches the widget while it is dragged, an
// anchored pan, the zoom history behind them, and the application cursor.

#include <cmath>
#include <cstdint>

#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QWheelEvent>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/host.h"
#include "mivo/qt/qt_control_widget.h"
#include "mivo/rchart/rchart.h"
#include "qt_grab.h"
#include "../rchart/rchart_test_util.h"
#include "support/image_compare.h"

namespace mivo {
namespace {

using test::Grab;

TColor PixelAt(const TBitmap& b, std::int32_t x, std::int32_t y) { return FromRGB32(b.ScanLine(y)[x]); }

void Send(QWidget& w, QEvent::Type type, QPointF pos, Qt::MouseButton button, Qt::MouseButtons buttons) {
  QMouseEvent e(type, pos, w.mapToGlobal(pos), button, buttons, Qt::NoModifier);
  QCoreApplication::sendEvent(&w, &e);
}
void Press(QWidget& w, QPointF p) { Send(w, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton); }
void DragTo(QWidget& w, QPointF p) { Send(w, QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton); }
void Hover(QWidget& w, QPointF p) { Send(w, QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton); }
void Release(QWidget& w, QPointF p) { Send(w, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton); }

// The test geometry (a data area of x 50 ... 270, y 16 ... 168), painting,
// layer 1 showing 0 ... 220 by 0 ... 152 (a unit a pixel).
void Prepare(TCustomRChart& c) {
  test::UseTestGeometry(c);
  c.SetSuppressPaint(false);
  c.SetRange(1, 0, 0, 220, 152);
  c.ClearZoomHistory();
}

void ExpectRanges(const TCustomRChart& c, double xLo, double yLo, double xHi, double yHi) {
  const double got[] = {c.ScalePropsX(1).RangeLow(), c.ScalePropsY(1).RangeLow(), c.ScalePropsX(1).RangeHigh(),
                        c.ScalePropsY(1).RangeHigh()};
  const double want[] = {xLo, yLo, xHi, yHi};
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(got[i], want[i], 1e-9 * (1 + std::fabs(want[i]))) << "bound " << i;
}

// An entry of the history as (x low, y low, x high, y high).
void ExpectEntry(const TCustomRChart& c, std::int32_t ix, double xLo, double yLo, double xHi, double yHi) {
  const TRectDouble e = c.ZoomStack(1, ix);
  EXPECT_NEAR(e.Left, xLo, 1e-9 * (1 + std::fabs(xLo))) << "entry " << ix;
  EXPECT_NEAR(e.Bottom, yLo, 1e-9 * (1 + std::fabs(yLo))) << "entry " << ix;
  EXPECT_NEAR(e.Right, xHi, 1e-9 * (1 + std::fabs(xHi))) << "entry " << ix;
  EXPECT_NEAR(e.Top, yHi, 1e-9 * (1 + std::fabs(yHi))) << "entry " << ix;
}

TEST(QtChartMouse, ZoomWindowPanWheelAndHistoryThroughQtEvents) {
  TCustomRChart chart;
  Prepare(chart);
  TQtControlWidget w(chart);
  std::int32_t zoomPans = 0;
  chart.OnZoomPan = [&](TObject&) { ++zoomPans; };
  const TBitmap start = Grab(w);
  EXPECT_TRUE(test::ImagesEqual(chart.Surface(), start, "qt_chart_start"));
  const std::int32_t poi = chart.ZoomStackPointer();

  // Zoom window from the lower left to the upper right: both axes keep their direction.
  chart.SetMouseAction(TMouseActMode::maZoomWind);
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  chart.M2R(1, 70, 150, x1, y1);
  chart.M2R(1, 170, 60, x2, y2);
  ASSERT_LT(x1, x2);
  ASSERT_LT(y1, y2);
  Press(w, {70, 150});
  EXPECT_EQ(chart.ZoomState(), TZoomState::zsDragging);
  DragTo(w, {120, 100});
  DragTo(w, {170, 60});
  const TBitmap during = Grab(w);
  EXPECT_TRUE(test::ImagesEqual(chart.Surface(), during, "qt_chart_xor_window"));
  EXPECT_NE(PixelAt(during, 70, 100), PixelAt(start, 70, 100)) << "left edge of the XOR rectangle";
  EXPECT_NE(PixelAt(during, 120, 60), PixelAt(start, 120, 60)) << "top edge of the XOR rectangle";
  EXPECT_EQ(PixelAt(during, 120, 100), PixelAt(start, 120, 100)) << "inside the rectangle";
  EXPECT_EQ(PixelAt(during, 120, 40), PixelAt(start, 120, 40)) << "beside the rectangle";
  ExpectRanges(chart, 0, 0, 220, 152);
  Release(w, {170, 60});
  EXPECT_EQ(chart.ZoomState(), TZoomState::zsIdle);
  ExpectRanges(chart, x1, y1, x2, y2);
  EXPECT_EQ(zoomPans, 1);
  EXPECT_EQ(chart.ZoomStackPointer(), poi + 1);
  ExpectEntry(chart, 0, x1, y1, x2, y2);
  ExpectEntry(chart, -1, 0, 0, 220, 152);
  const TBitmap zoomed = Grab(w);
  EXPECT_TRUE(test::ImagesEqual(chart.Surface(), zoomed, "qt_chart_zoomed"));
  EXPECT_TRUE(test::ImagesEqual(chart.ChartBmp(), zoomed, "qt_chart_no_figure_left"));

  // Pan: the first move with the button picks the drag up, the next ones
  // shift both axes from the anchors; hovering moves nothing.
  chart.SetMouseAction(TMouseActMode::maPan);
  const double spanX = x2 - x1, spanY = y2 - y1;
  Hover(w, {100, 100});
  Press(w, {100, 100});
  DragTo(w, {100, 100});
  ExpectRanges(chart, x1, y1, x2, y2);
  DragTo(w, {144, 62});  // 44 right, 38 up over a data area of 220 x 152
  const double sx = spanX * 44 / 220, sy = spanY * -38 / 152;
  ExpectRanges(chart, x1 - sx, y1 + sy, x2 - sx, y2 + sy);
  DragTo(w, {122, 100});  // again from the anchor
  const double tx = spanX * 22 / 220;
  ExpectRanges(chart, x1 - tx, y1, x2 - tx, y2);
  EXPECT_EQ(zoomPans, 3);
  EXPECT_EQ(chart.ZoomStackPointer(), poi + 1) << "moves push nothing";
  Release(w, {122, 100});
  EXPECT_EQ(chart.ZoomStackPointer(), poi + 2);
  ExpectEntry(chart, 0, x1 - tx, y1, x2 - tx, y2);
  Hover(w, {200, 130});
  Hover(w, {60, 20});
  ExpectRanges(chart, x1 - tx, y1, x2 - tx, y2);

  // Wheel zoom about the pointer: the world point under it stays put; a
  // burst of turns is one history entry.
  chart.SetMouseWheelZoom(true);
  double wx = 0, wy = 0;
  chart.M2R(1, 160, 92, wx, wy);
  const auto wheel = [&w](std::int32_t delta) {
    const QPointF p(160, 92);
    QWheelEvent e(p, w.mapToGlobal(p), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                  false);
    QCoreApplication::sendEvent(&w, &e);
  };
  wheel(120);
  wheel(120);
  const double f = 0.8 * 0.8;
  ExpectRanges(chart, wx + (x1 - tx - wx) * f, wy + (y1 - wy) * f, wx + (x2 - tx - wx) * f, wy + (y2 - wy) * f);
  EXPECT_EQ(chart.ZoomStackPointer(), poi + 3);

  // Back through the history, newest first; restoring pushes nothing.
  chart.ZoomHistory(-1);
  ExpectRanges(chart, x1 - tx, y1, x2 - tx, y2);
  chart.ZoomHistory(-2);
  ExpectRanges(chart, x1, y1, x2, y2);
  chart.ZoomHistory(-3);
  ExpectRanges(chart, 0, 0, 220, 152);
  EXPECT_EQ(chart.ZoomStackPointer(), poi + 3);
  const TBitmap restored = Grab(w);
  EXPECT_TRUE(test::ImagesEqual(chart.Surface(), restored, "qt_chart_restored"));
  EXPECT_EQ(test::DiffImages(start, restored).Pixels, 0) << "the first view is back, pixel for pixel";
}

TEST(QtChartMouse, ModeCursorLastsOnlyWhileThePointerIsOverTheDataArea) {
  LoadChartCursors();
  TCustomRChart chart;
  Prepare(chart);
  chart.SetMouseCursorFixed(false);
  chart.SetMouseAction(TMouseActMode::maPan);
  TQtControlWidget w(chart);
  Hover(w, {100, 100});
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->hotSpot(), QPoint(12, 3)) << "the hand";
  Hover(w, {20, 100});  // over the margin
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  Hover(w, {100, 100});
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  // Leaving the widget straight from the data area gives the rest of the
  // program its own cursors back.
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(&w, &leave);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(Host().ScreenCursor(), crDefault);
}

}  // namespace
}  // namespace mivo
