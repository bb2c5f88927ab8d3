// What a window shows follows the control: drawing outside a paint message
// (a live chart's appends, range changes, pans) reaches the screen at the next
// frame, once per frame however much was drawn. The screen is read from the
// window's backing store and paint events are counted after processEvents;
// nothing here forces a paint.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QApplication>
#include <QBackingStore>
#include <QElapsedTimer>
#include <QEvent>
#include <QImage>
#include <QTimer>

#include "mivo/colorscale/colorscale.h"
#include "mivo/gauge/gauge.h"
#include "mivo/platform/bitmap.h"
#include "mivo/plot3d/plot3d.h"
#include "mivo/qt/qt_control_widget.h"
#include "mivo/rchart/rchart.h"
#include "mivo/rot3d/rot3d.h"
#include "mivo/scale/scale.h"
#include "qt_component_cases.h"
#include "qt_grab.h"
#include "support/image_compare.h"

namespace mivo {
namespace {

// Counts the paint events a widget receives.
class TPaintCounter : public QObject {
 public:
  explicit TPaintCounter(QWidget& w) { w.installEventFilter(this); }
  std::int32_t Count = 0;

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++Count;
    return false;
  }
};

// What the screen shows of a top-level widget: its backing store, as the
// window system was last given it.
TBitmap Screen(QWidget& w) {
  QBackingStore* store = w.backingStore();
  if (!store || !store->paintDevice() || store->paintDevice()->devType() != QInternal::Image) return {};
  const QImage& img = *static_cast<QImage*>(store->paintDevice());
  return test::FromQImage(img.copy(0, 0, w.width(), w.height()));
}

void Frames(int n = 3) {
  for (int i = 0; i < n; ++i) QApplication::processEvents();
}

struct TComponentCase {
  const char* Name;
  std::function<std::unique_ptr<TCustomControl>()> Make;
  std::function<void(TCustomControl&)> Change;  // redraws outside a paint message
};

using test::Change;
using test::Make;

void Diagonal(TCustomRChart& c) {
  c.SetRange(1, 0, 0, 10, 10);
  c.MoveTo(1, 1);
  c.DrawTo(9, 9);
}

std::vector<TComponentCase> Cases() {
  using R = TCustomRChart;
  return {
      {"TCustomRChart ShowGraf", Make<R>(300, 200, [](R& c) { c.SetRange(1, 0, 0, 10, 10); }),
       Change<R>([](R& c) { Diagonal(c); c.ShowGraf(); })},
      {"TCustomRChart SetRange", Make<R>(300, 200, Diagonal),
       Change<R>([](R& c) { c.SetRange(1, -50, -50, 20, 20); })},
      {"TCustomRChart AutoRange", Make<R>(300, 200, Diagonal), Change<R>([](R& c) { c.AutoRange(1, 0); })},
      {"TScale", Make<TScale>(300, 60), Change<TScale>([](TScale& c) { c.SetRange(-1000, 1000); })},
      {"TColorScale", Make<TColorScale>(80, 240),
       Change<TColorScale>([](TColorScale& c) { c.SetScaleRange(-500, 500); })},
      {"TScaleGauge", Make<TScaleGauge>(240, 120), Change<TScaleGauge>([](TScaleGauge& c) { c.SetValue(80); })},
      {"TPlot3D", Make<TPlot3D>(240, 200,
                                [](TPlot3D& c) {
                                  c.GridMat.Resize(5, 5);
                                  for (std::int32_t i = 1; i <= 5; ++i)
                                    for (std::int32_t j = 1; j <= 5; ++j) c.GridMat.SetElem(i, j, i * j);
                                  c.SetSuppressPaint(false);
                                }),
       Change<TPlot3D>([](TPlot3D& c) { c.SetViewAngles(40, 120); })},
      {"TRot3D", Make<TRot3D>(240, 200), Change<TRot3D>([](TRot3D& c) { c.SetViewAngles(30, 10, 70); })},
  };
}

TEST(QtPresent, EveryComponentsRedrawReachesTheScreenWithoutAForcedPaint) {
  for (const TComponentCase& k : Cases()) {
    SCOPED_TRACE(k.Name);
    TQtControlWidget w(k.Make());
    TPaintCounter paints(w);
    w.show();
    Frames();
    TCustomControl* c = w.Control();
    ASSERT_NE(c, nullptr);
    ASSERT_GE(paints.Count, 1);
    const TBitmap first = Screen(w);
    ASSERT_EQ(first.Width(), c->Width());
    EXPECT_TRUE(test::ImagesEqual(c->Surface(), first, std::string("qt_present_first_") + k.Name));

    const std::int32_t before = paints.Count;
    k.Change(*c);
    Frames();
    EXPECT_GT(paints.Count, before) << "the window was never updated";
    const TBitmap after = Screen(w);
    EXPECT_GT(test::DiffImages(first, after).Pixels, 0) << "the screen still shows the old picture";
    EXPECT_TRUE(test::ImagesEqual(c->Surface(), after, std::string("qt_present_after_") + k.Name));
  }
}

// A live chart appending far faster than the screen: many appends between two
// frames are one update, and every frame with an append is one update.
// A chart over 0 ... xHigh by -1.5 ... 1.5 in a shown window, its line
// started at the origin and on the screen.
struct TLiveWindow {
  TCustomRChart Chart;
  TQtControlWidget W{Chart};
  TPaintCounter Paints{W};
  TLiveWindow(std::int32_t width, std::int32_t height, double xHigh) {
    Chart.SetBounds(0, 0, width, height);
    Chart.SetRange(1, 0, -1.5, xHigh, 1.5);
    W.resize(width, height);
    W.show();
    Frames();
    Chart.MoveTo(0, 0);
    Chart.ShowGraf();
    Frames();
  }
};

TEST(QtPresent, AppendsAreOneScreenUpdatePerFrame) {
  TLiveWindow live(400, 240, 500);
  TCustomRChart& chart = live.Chart;
  TPaintCounter& paints = live.Paints;
  QWidget& w = live.W;

  std::int32_t before = paints.Count;
  for (int i = 1; i <= 200; ++i) {
    chart.DrawTo(i, (i % 20) / 10.0 - 1);
    chart.ShowGrafNewOnly();
  }
  Frames();
  EXPECT_EQ(paints.Count, before + 1);
  EXPECT_TRUE(test::ImagesEqual(chart.Surface(), Screen(w), "qt_present_burst"));

  before = paints.Count;
  for (int i = 201; i <= 250; ++i) {
    chart.DrawTo(i, 0.5);
    chart.ShowGrafNewOnly();
    QApplication::processEvents();
  }
  EXPECT_EQ(paints.Count, before + 50);
  EXPECT_TRUE(test::ImagesEqual(chart.Surface(), Screen(w), "qt_present_each"));
}

// The live window of the issue: a point every 20 ms from a timer for two
// seconds. The rate is measured and reported, not asserted (a loaded machine
// may delay timers); what must hold is that no update is lost or doubled:
// one screen update per tick that drew, at most.
TEST(QtPresent, TimerDrivenLiveChartUpdatesOncePerAppend) {
  TLiveWindow live(500, 300, 120);
  TCustomRChart& chart = live.Chart;
  QWidget& w = live.W;
  const std::int32_t before = live.Paints.Count;
  std::int32_t appends = 0;
  QTimer timer;
  timer.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer, &QTimer::timeout, [&] {
    ++appends;
    chart.DrawTo(appends, (appends % 25) / 12.5 - 1);
    chart.ShowGrafNewOnly();
  });
  QElapsedTimer clock;
  clock.start();
  timer.start(20);
  while (clock.elapsed() < 2000) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  timer.stop();
  Frames();
  const double seconds = double(clock.elapsed()) / 1000;
  const std::int32_t updates = live.Paints.Count - before;
  RecordProperty("appends_per_second", std::to_string(appends / seconds));
  RecordProperty("screen_updates_per_second", std::to_string(updates / seconds));
  std::printf("live chart: %d appends, %d screen updates in %.2f s (%.1f updates/s)\n", appends, updates, seconds,
              updates / seconds);
  EXPECT_GT(appends, 0);
  EXPECT_GE(updates, 1);
  EXPECT_LE(updates, appends + 1);
  EXPECT_TRUE(test::ImagesEqual(chart.Surface(), Screen(w), "qt_present_live"));
}

}  // namespace
}  // namespace mivo
