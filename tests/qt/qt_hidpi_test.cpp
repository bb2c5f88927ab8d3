// A control on a high-density screen: the window shows the control's own
// picture at the screen's device pixel ratio r (what the component saves at
// r x 96 dpi), pixel for pixel in the window's backing store, and the mouse
// lands on the control pixel it lands on at r = 1. Run with QT_SCALE_FACTOR
// set (ctest: qt_hidpi at 2, qt_hidpi_fractional at 1.5); at r = 1 the same
// checks hold with the screen picture.

#include <cmath>
#include <cstdio>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QApplication>
#include <QBackingStore>
#include <QImage>
#include <QMouseEvent>
#include <QWheelEvent>

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
#include "../rchart/rchart_test_util.h"
#include "support/image_compare.h"

namespace mivo {
namespace {

void Frames(int n = 3) {
  for (int i = 0; i < n; ++i) QApplication::processEvents();
}

std::int32_t DeviceSide(std::int32_t side, double r) { return std::int32_t(std::llround(side * r)); }

// What the window system was last given of a top-level widget, in device
// pixels: the control's part of the backing store.
TBitmap DeviceScreen(QWidget& w) {
  QBackingStore* store = w.backingStore();
  if (!store || !store->paintDevice() || store->paintDevice()->devType() != QInternal::Image) return {};
  const QImage& img = *static_cast<QImage*>(store->paintDevice());
  const double r = w.devicePixelRatioF();
  return test::FromQImage(img.copy(0, 0, DeviceSide(w.width(), r), DeviceSide(w.height(), r)));
}

// The picture a component saves at r x 96 dpi.
TBitmap SavedAt(const std::function<void(const std::string&, double)>& save, double r, const std::string& stem) {
  const std::string path = test::TempPath("hidpi_" + stem + ".png");
  save(path, 96 * r);
  TBitmap bmp;
  bmp.LoadFromPNG(path);
  std::remove(path.c_str());
  return bmp;
}

struct TCase {
  const char* Name;
  std::function<std::unique_ptr<TCustomControl>()> Make;
  std::function<void(TCustomControl&)> Change;  // draws outside a paint message
  std::function<void(TCustomControl&, const std::string&, double)> Save;
  bool Sharp;  // draws at the device scale itself (not its screen picture enlarged)
};

using test::Change;
using test::Make;

template <class T>
std::function<void(TCustomControl&, const std::string&, double)> Save() {
  return [](TCustomControl& c, const std::string& path, double dpi) { dynamic_cast<T&>(c).SaveToFile(path, dpi); };
}

void Chart(TCustomRChart& c) {
  test::UsePaintingTestChart(c);
  c.SetCaption("HiDPI");
  c.MoveTo(10, 2);
  c.DrawTo(60, 9);
  c.DrawTo(95, 1);
  c.MarkAt(40, 5, 3);
}

std::vector<TCase> Cases() {
  using R = TCustomRChart;
  return {
      {"chart", Make<R>(280, 200, Chart), Change<R>([](R& c) {
         c.DrawTo(20, 8);
         c.ShowGraf();
       }),
       Save<R>(), true},
      {"plot3d", Make<TPlot3D>(240, 200,
                               [](TPlot3D& c) {
                                 c.GridMat.Resize(5, 5);
                                 for (std::int32_t i = 1; i <= 5; ++i)
                                   for (std::int32_t j = 1; j <= 5; ++j) c.GridMat.SetElem(i, j, i * j);
                                 c.SetSuppressPaint(false);
                               }),
       Change<TPlot3D>([](TPlot3D& c) { c.SetViewAngles(40, 120); }), Save<TPlot3D>(), true},
      {"rot3d", Make<TRot3D>(240, 200), Change<TRot3D>([](TRot3D& c) { c.SetViewAngles(30, 10, 70); }),
       Save<TRot3D>(), true},
      {"scale", Make<TScale>(300, 60), Change<TScale>([](TScale& c) { c.SetRange(-1000, 1000); }), Save<TScale>(),
       false},
      {"colorscale", Make<TColorScale>(80, 240),
       Change<TColorScale>([](TColorScale& c) { c.SetScaleRange(-500, 500); }), Save<TColorScale>(), false},
      {"gauge", Make<TScaleGauge>(240, 120), Change<TScaleGauge>([](TScaleGauge& c) { c.SetValue(80); }),
       Save<TScaleGauge>(), false},
  };
}

TEST(QtHiDpi, TheWindowShowsTheComponentsOwnPictureAtTheDeviceRatio) {
  for (const TCase& k : Cases()) {
    SCOPED_TRACE(k.Name);
    TQtControlWidget w(k.Make());
    w.show();
    Frames();
    TCustomControl* c = w.Control();
    ASSERT_NE(c, nullptr);
    const double r = w.devicePixelRatioF();
    EXPECT_EQ(c->DeviceScale(), r);
    const auto save = [&](const std::string& path, double dpi) { k.Save(*c, path, dpi); };
    const std::string stem = std::string(k.Name) + "_" + std::to_string(int(r * 100));

    const TBitmap first = DeviceScreen(w);
    ASSERT_EQ(first.Width(), DeviceSide(c->Width(), r));
    EXPECT_TRUE(test::ImagesEqual(SavedAt(save, r, stem), first, "qt_hidpi_first_" + stem));
    if (r != 1 && k.Sharp) {
      // Drawn anew at the device scale: not the screen picture enlarged.
      TBitmap enlarged(first.Width(), first.Height());
      enlarged.Canvas().StretchDraw(Rect(0, 0, first.Width(), first.Height()), c->PaintedSurface());
      EXPECT_GT(test::DiffImages(enlarged, first).Pixels, 0) << "the picture is the screen picture enlarged";
    }

    // Drawing outside a paint message reaches the screen at the device scale.
    k.Change(*c);
    Frames();
    const TBitmap after = DeviceScreen(w);
    EXPECT_GT(test::DiffImages(first, after).Pixels, 0) << "the screen still shows the old picture";
    EXPECT_TRUE(test::ImagesEqual(SavedAt(save, r, stem), after, "qt_hidpi_after_" + stem));
  }
}

// Counts the pictures drawn whole at the device scale.
class TCountingChart : public TCustomRChart {
 public:
  std::int32_t Scaled = 0;
  void PaintScaled(TBitmap& bmp, double f) override {
    ++Scaled;
    TCustomRChart::PaintScaled(bmp, f);
  }
};

// A live chart's appends are drawn on the scaled picture as they are on the
// surface, without a whole new picture, and show what the saved picture
// shows; with a crosshair over the data each frame is drawn whole.
TEST(QtHiDpi, AppendsReachTheScaledPictureWithoutAWholePaint) {
  for (const bool crosshair : {false, true}) {
    SCOPED_TRACE(crosshair);
    TCountingChart chart;
    test::UsePaintingTestChart(chart);
    if (crosshair) {
      chart.CrossHair(1).SetMode(TCrossHMode::chBoth);
      chart.CrossHair(1).SetPos(30, 4);
    }
    TQtControlWidget w(chart);
    w.show();
    chart.MoveTo(0, 5);
    chart.ShowGraf();
    Frames();
    const double r = w.devicePixelRatioF();
    const std::int32_t before = chart.Scaled;
    for (int i = 1; i <= 40; ++i) {
      chart.DrawTo(i * 2.5, 5 + 4 * std::sin(i * 0.4));
      chart.ShowGrafNewOnly();
      if (i % 10 == 0) Frames();
    }
    Frames();
    if (r != 1) {
      EXPECT_EQ(chart.Scaled > before, crosshair) << "whole pictures: " << chart.Scaled - before;
    }
    EXPECT_TRUE(test::ImagesEqual(
        SavedAt([&](const std::string& p, double dpi) { chart.SaveToFile(p, dpi); }, r, "appended"),
        DeviceScreen(w), "qt_hidpi_appended"));
  }
}

void Send(QWidget& w, QEvent::Type type, QPointF pos, Qt::MouseButton button, Qt::MouseButtons buttons) {
  QMouseEvent e(type, pos, w.mapToGlobal(pos), button, buttons, Qt::NoModifier);
  QCoreApplication::sendEvent(&w, &e);
}

void Wheel(QWidget& w, QPointF pos, int delta) {
  QWheelEvent e(pos, w.mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(&w, &e);
}

std::vector<double> Ranges(const TCustomRChart& c) {
  return {c.ScalePropsX(1).RangeLow(), c.ScalePropsY(1).RangeLow(), c.ScalePropsX(1).RangeHigh(),
          c.ScalePropsY(1).RangeHigh()};
}

// A chart over 0 ... 220 by 0 ... 152, a unit a pixel, in the test geometry.
void ZoomChart(TCustomRChart& c) {
  test::UseTestGeometry(c);
  c.SetSuppressPaint(false);
  c.SetRange(1, 0, 0, 220, 152);
  c.ClearZoomHistory();
  c.SetMouseWheelZoom(true);
}

TMessage Mouse(TMessageKind kind, std::int32_t x, std::int32_t y, std::uint32_t keys) {
  TMessage m{kind};
  m.X = x;
  m.Y = y;
  m.Keys = keys;
  return m;
}

// The positions Qt gives the device pixels of control pixel x at ratio r
// (d / r for every device pixel d whose centre lies in x), the first `n`,
// repeating the last.
std::vector<double> DevicePositions(std::int32_t x, double r, std::size_t n) {
  std::vector<double> out;
  for (auto d = std::int64_t(std::floor(x * r)) - 1; d <= std::int64_t(std::ceil((x + 1) * r)); ++d)
    if (std::floor((double(d) + 0.5) / r) == x) out.push_back(double(d) / r);
  while (out.size() < n) out.push_back(out.back());
  return out;
}

// Every device pixel of a control pixel reports that control pixel: a zoom
// window dragged, and a wheel turn, from anywhere inside the pixels of the
// same corners give the ranges the messages at those pixels give at r = 1,
// and the figure of the drag shows while it lasts.
TEST(QtHiDpi, MousePositionsLandOnTheControlPixelsOfRatioOne) {
  TCustomRChart reference;
  ZoomChart(reference);
  reference.SetMouseAction(TMouseActMode::maZoomWind);
  reference.Dispatch(Mouse(TMessageKind::mkMouseDown, 70, 150, MK_LBUTTON));
  reference.Dispatch(Mouse(TMessageKind::mkMouseMove, 170, 60, MK_LBUTTON));
  reference.Dispatch(Mouse(TMessageKind::mkMouseUp, 170, 60, 0));
  TMessage wheel = Mouse(TMessageKind::mkMouseWheel, 101, 77, 0);
  wheel.WheelDelta = 120;
  reference.Dispatch(wheel);
  const std::vector<double> want = Ranges(reference);
  ASSERT_NE(want, (std::vector<double>{0, 0, 220, 152})) << "the reference did not zoom";

  constexpr std::size_t kTries = 3;
  for (std::size_t k = 0; k < kTries; ++k) {
    SCOPED_TRACE(k);
    TCustomRChart chart;
    ZoomChart(chart);
    chart.SetMouseAction(TMouseActMode::maZoomWind);
    TQtControlWidget w(chart);
    w.show();
    Frames();
    const double r = w.devicePixelRatioF();
    const auto at = [&](std::int32_t x, std::int32_t y) {
      return QPointF(DevicePositions(x, r, kTries)[k], DevicePositions(y, r, kTries)[k]);
    };
    const TBitmap before = DeviceScreen(w);
    Send(w, QEvent::MouseButtonPress, at(70, 150), Qt::LeftButton, Qt::LeftButton);
    Send(w, QEvent::MouseMove, at(170, 60), Qt::NoButton, Qt::LeftButton);
    Frames();
    EXPECT_GT(test::DiffImages(before, DeviceScreen(w)).Pixels, 0) << "the zoom window does not show";
    Send(w, QEvent::MouseButtonRelease, at(170, 60), Qt::LeftButton, Qt::NoButton);
    Wheel(w, at(101, 77), 120);
    const std::vector<double> got = Ranges(chart);
    for (std::size_t i = 0; i < want.size(); ++i)
      EXPECT_NEAR(got[i], want[i], 1e-9 * (1 + std::fabs(want[i]))) << "bound " << i;
    Frames();
    EXPECT_TRUE(test::ImagesEqual(
        SavedAt([&](const std::string& p, double dpi) { chart.SaveToFile(p, dpi); }, r, "zoomed"), DeviceScreen(w),
        "qt_hidpi_zoomed"));
  }
}

// Sizes the scaled picture cannot have: a widget of no size, and one larger
// than the largest surface, paint without trouble (the chart keeps a least
// size of its own).
TEST(QtHiDpi, EmptyAndHugeWidgetsPaint) {
  for (const bool chart : {false, true})
    for (const std::int32_t side : {0, 1, TCustomControl::MaxSurfaceSide - 3}) {
      SCOPED_TRACE(testing::Message() << (chart ? "chart " : "control ") << side);
      std::unique_ptr<TCustomControl> c = std::make_unique<TCustomControl>();
      if (chart) {
        auto rc = std::make_unique<TCustomRChart>();
        test::UsePaintingTestChart(*rc);
        c = std::move(rc);
      }
      QWidget window;
      window.resize(300, 200);
      TQtControlWidget w(std::move(c), &window);
      w.setGeometry(0, 0, side, side == 0 ? 0 : 2);
      window.show();
      Frames();
      w.repaint();
      const QImage img = w.SurfaceImage();
      const double r = w.devicePixelRatioF();
      const TCustomControl& shown = *w.Control();
      if (w.width() == 0) {
        // Qt paints no empty widget; the control shows nothing.
        if (shown.Width() == 0) {
          EXPECT_TRUE(img.isNull());
        }
      } else {
        EXPECT_EQ(img.width(), std::min(DeviceSide(shown.Width(), r), TCustomControl::MaxSurfaceSide));
        EXPECT_EQ(img.devicePixelRatio(), r);
      }
    }
}

}  // namespace
}  // namespace mivo
