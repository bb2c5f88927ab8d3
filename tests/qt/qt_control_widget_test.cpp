// TQtControlWidget: the control's surface reaches the widget's pixels, and
// Qt's input events reach the control's handlers as window messages, in order.

#include "mivo/qt/qt_control_widget.h"

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QWheelEvent>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/host.h"
#include "mivo/qt/qt_host.h"
#include "mivo/scale/scale.h"
#include "qt_grab.h"
#include "support/image_compare.h"

namespace mivo {
namespace {

using test::Grab;

std::int32_t CountDark(const TBitmap& b) {
  std::int32_t n = 0;
  for (std::int32_t y = 0; y < b.Height(); ++y)
    for (std::int32_t x = 0; x < b.Width(); ++x) {
      const TRGB32 p = b.ScanLine(y)[x];
      n += p.R < 64 && p.G < 64 && p.B < 64;
    }
  return n;
}

// ---------------------------------------------------------------- painting

TEST(QtControlWidget, ShowsTheScaleSurfacePixelForPixel) {
  auto owned = std::make_unique<TScale>();
  owned->SetBounds(0, 0, 320, 60);
  owned->SetScaleType(TScaleType::sctHorzDown);
  TQtControlWidget w(std::move(owned));
  TScale* scale = w.ControlAs<TScale>();
  ASSERT_NE(scale, nullptr);
  EXPECT_EQ(w.size(), QSize(320, 60));

  const TBitmap first = Grab(w);
  ASSERT_EQ(scale->Surface().Width(), 320);
  EXPECT_TRUE(test::ImagesEqual(scale->Surface(), first, "qt_widget_scale"));
  EXPECT_GT(CountDark(first), 50);  // ticks and labels, not an empty surface

  // A property change repaints the surface; the widget shows the new picture.
  scale->SetRange(-1000, 1000);
  const TBitmap second = Grab(w);
  EXPECT_TRUE(test::ImagesEqual(scale->Surface(), second, "qt_widget_scale_changed"));
  EXPECT_GT(test::DiffImages(first, second).Pixels, 0);
}

TEST(QtControlWidget, ResizeReachesTheControl) {
  TScale scale;
  scale.SetBounds(0, 0, 100, 50);
  TQtControlWidget w(scale);
  w.show();
  w.resize(260, 70);
  QApplication::processEvents();
  EXPECT_EQ(scale.Width(), 260);
  EXPECT_EQ(scale.Height(), 70);
  const TBitmap shot = Grab(w);
  EXPECT_EQ(shot.Width(), 260);
  EXPECT_TRUE(test::ImagesEqual(scale.Surface(), shot, "qt_widget_resized"));
  // A zero size is harmless.
  w.resize(0, 0);
  QApplication::processEvents();
  EXPECT_EQ(scale.Width(), 0);
  (void)w.grab();
}

// Records the handlers the window messages reach.
class TRecorder : public TCustomControl {
 public:
  std::vector<std::string> Log;
  std::int32_t Paints = 0;

 protected:
  static std::string Shift(TShiftState s) {
    std::string r;
    const std::pair<TShiftStateItem, char> items[] = {
        {TShiftStateItem::ssShift, 'S'}, {TShiftStateItem::ssCtrl, 'C'},   {TShiftStateItem::ssAlt, 'A'},
        {TShiftStateItem::ssLeft, 'L'},  {TShiftStateItem::ssRight, 'R'},  {TShiftStateItem::ssMiddle, 'M'},
        {TShiftStateItem::ssDouble, 'D'}};
    for (const auto& [item, c] : items)
      if (s.Contains(item)) r += c;
    return r;
  }
  static char Button(TMouseButton b) {
    return b == TMouseButton::mbLeft ? 'L' : b == TMouseButton::mbRight ? 'R' : 'M';
  }
  void Paint() override {
    ++Paints;
    TCustomControl::Paint();
  }
  void MouseDown(TMouseButton b, TShiftState s, std::int32_t x, std::int32_t y) override {
    Log.push_back(std::string("down ") + Button(b) + " " + Shift(s) + " " + std::to_string(x) + "," +
                  std::to_string(y));
  }
  void MouseUp(TMouseButton b, TShiftState s, std::int32_t x, std::int32_t y) override {
    Log.push_back(std::string("up ") + Button(b) + " " + Shift(s) + " " + std::to_string(x) + "," +
                  std::to_string(y));
  }
  void MouseMove(TShiftState s, std::int32_t x, std::int32_t y) override {
    Log.push_back("move " + Shift(s) + " " + std::to_string(x) + "," + std::to_string(y));
  }
  void Click() override { Log.push_back("click"); }
  void DblClick() override { Log.push_back("dblclick"); }
  void MouseEnter() override { Log.push_back("enter"); }
  void MouseLeave() override { Log.push_back("leave"); }
  bool DoMouseWheel(TShiftState s, std::int32_t delta, TPoint p) override {
    Log.push_back("wheel " + Shift(s) + " " + std::to_string(delta) + " " + std::to_string(p.x) + "," +
                  std::to_string(p.y));
    return true;
  }
  void KeyDown(std::uint16_t& key, TShiftState s) override {
    Log.push_back("keydown " + std::to_string(key) + " " + Shift(s));
  }
  void KeyUp(std::uint16_t& key, TShiftState s) override {
    Log.push_back("keyup " + std::to_string(key) + " " + Shift(s));
  }
  void KeyPress(char& key) override { Log.push_back(std::string("char ") + key); }
};

void SendMouse(QWidget& w, QEvent::Type type, QPointF pos, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QMouseEvent e(type, pos, w.mapToGlobal(pos), button, buttons, mods);
  QCoreApplication::sendEvent(&w, &e);
}

TEST(QtControlWidget, DoubleClickArrivesAsDownUpDoubleUp) {
  TRecorder rec;
  rec.SetBounds(0, 0, 100, 80);
  TQtControlWidget w(rec);
  const QPointF p(10, 5);
  SendMouse(w, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
  SendMouse(w, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton, Qt::ShiftModifier);
  SendMouse(w, QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton);
  SendMouse(w, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
  const std::vector<std::string> expected = {"down L SL 10,5", "click", "up L S 10,5", "dblclick",
                                             "down L LD 10,5", "up L  10,5"};
  EXPECT_EQ(rec.Log, expected);
}

TEST(QtControlWidget, MouseWheelEnterLeaveAndModifiersArrive) {
  TRecorder rec;
  rec.SetBounds(0, 0, 100, 80);
  TQtControlWidget w(rec);
  QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), w.mapToGlobal(QPointF(1, 1)));
  QCoreApplication::sendEvent(&w, &enter);
  SendMouse(w, QEvent::MouseMove, QPointF(20.4, 30.6), Qt::NoButton, Qt::NoButton);
  SendMouse(w, QEvent::MouseButtonPress, QPointF(20, 31), Qt::RightButton, Qt::RightButton, Qt::ControlModifier);
  SendMouse(w, QEvent::MouseMove, QPointF(25, 33), Qt::NoButton, Qt::RightButton, Qt::ControlModifier);
  SendMouse(w, QEvent::MouseButtonRelease, QPointF(25, 33), Qt::RightButton, Qt::NoButton);
  SendMouse(w, QEvent::MouseButtonPress, QPointF(5, 5), Qt::MiddleButton, Qt::MiddleButton, Qt::AltModifier);
  SendMouse(w, QEvent::MouseButtonRelease, QPointF(5, 5), Qt::MiddleButton, Qt::NoButton);
  // Buttons Qt has no message for are ignored.
  SendMouse(w, QEvent::MouseButtonPress, QPointF(5, 5), Qt::BackButton, Qt::BackButton);
  QWheelEvent wheel(QPointF(7, 8), w.mapToGlobal(QPointF(7, 8)), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::ShiftModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(&w, &wheel);
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(&w, &leave);
  const std::vector<std::string> expected = {
      "enter",          "move  20,31",      "down R CR 20,31", "move CR 25,33", "up R  25,33",
      "down M AM 5,5", "up M  5,5",         "wheel S -120 7,8", "leave"};
  EXPECT_EQ(rec.Log, expected);
}

TEST(QtControlWidget, KeysArriveAsKeyDownCharAndKeyUp) {
  TRecorder rec;
  rec.SetBounds(0, 0, 50, 50);
  TQtControlWidget w(rec);
  const auto send = [&w](QEvent::Type t, int key, Qt::KeyboardModifiers mods, const QString& text,
                         bool autoRepeat = false) {
    QKeyEvent e(t, key, mods, text, autoRepeat);
    QCoreApplication::sendEvent(&w, &e);
  };
  send(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
  send(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, "a");
  send(QEvent::KeyPress, Qt::Key_Left, Qt::ShiftModifier, "");
  send(QEvent::KeyPress, Qt::Key_Left, Qt::ShiftModifier, "", true);
  send(QEvent::KeyRelease, Qt::Key_Left, Qt::ShiftModifier, "", true);  // auto-repeat: no key-up
  send(QEvent::KeyRelease, Qt::Key_Left, Qt::ShiftModifier, "");
  send(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier, QString(QChar(3)));  // no character with Ctrl
  send(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
  send(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier, "");
  const std::vector<std::string> expected = {
      "keydown 65 ",  "char a",      "keyup 65 ",     "keydown 37 S", "keydown 37 S",
      "keyup 37 S",   "keydown 67 C", "keydown 27 ",  "char \x1b",    "keydown 116 "};
  EXPECT_EQ(rec.Log, expected);
}

TEST(QtControlWidget, DisabledControlIgnoresInputButStillPaints) {
  TRecorder rec;
  rec.SetBounds(0, 0, 40, 30);
  rec.SetColor(0x00FF00);
  rec.SetEnabled(false);
  TQtControlWidget w(rec);
  SendMouse(w, QEvent::MouseButtonPress, QPointF(3, 3), Qt::LeftButton, Qt::LeftButton);
  EXPECT_TRUE(rec.Log.empty());
  const TBitmap shot = Grab(w);
  EXPECT_EQ(FromRGB32(shot.ScanLine(10)[10]), 0x00FF00u);
  EXPECT_GE(rec.Paints, 1);
}

TEST(QtControlWidget, InvalidateBringsOnePaintMessage) {
  TRecorder rec;
  rec.SetBounds(0, 0, 40, 30);
  TQtControlWidget w(rec);
  (void)w.grab();
  const std::int32_t before = rec.Paints;
  (void)w.grab();  // nothing changed: the surface is shown as it is
  EXPECT_EQ(rec.Paints, before);
  rec.Invalidate();
  (void)w.grab();
  EXPECT_EQ(rec.Paints, before + 1);
}

// ---------------------------------------------------------------- lifetimes and cursors

TEST(QtControlWidget, DestroyedControlLeavesAnEmptyWidget) {
  auto rec = std::make_unique<TRecorder>();
  rec->SetBounds(0, 0, 30, 20);
  TQtControlWidget w(*rec);
  EXPECT_EQ(TQtControlWidget::ForControl(rec->ControlId()), &w);
  rec.reset();
  EXPECT_EQ(w.Control(), nullptr);
  SendMouse(w, QEvent::MouseButtonPress, QPointF(3, 3), Qt::LeftButton, Qt::LeftButton);
  const TBitmap shot = Grab(w);
  EXPECT_EQ(shot.Width(), 30);
  EXPECT_TRUE(w.SurfaceImage().isNull());
}

TEST(QtControlWidget, ControlOutlivingItsWidgetIsForgotten) {
  TRecorder rec;
  rec.SetBounds(0, 0, 30, 20);
  {
    TQtControlWidget w(rec);
    EXPECT_EQ(TQtControlWidget::ForControl(rec.ControlId()), &w);
  }
  EXPECT_EQ(TQtControlWidget::ForControl(rec.ControlId()), nullptr);
  rec.Invalidate();
  rec.Repaint();
  rec.SetCursor(crCross);
  EXPECT_EQ(rec.Cursor(), crCross);
}

TEST(QtControlWidget, ControlCursorIsAppliedToTheWidget) {
  LoadChartCursors();
  TRecorder rec;
  rec.SetBounds(0, 0, 30, 20);
  TQtControlWidget w(rec);
  EXPECT_FALSE(w.testAttribute(Qt::WA_SetCursor));
  rec.SetCursor(1);
  EXPECT_TRUE(w.testAttribute(Qt::WA_SetCursor));
  EXPECT_EQ(w.cursor().shape(), Qt::BitmapCursor);
  EXPECT_EQ(w.cursor().hotSpot(), QPoint(12, 3));
  rec.SetCursor(crCross);
  EXPECT_EQ(w.cursor().shape(), Qt::CrossCursor);
  rec.SetCursor(crDefault);
  EXPECT_EQ(w.cursor().shape(), Qt::ArrowCursor);
}

TEST(QtControlWidget, KeyAndButtonTranslation) {
  EXPECT_EQ(QtKeysToMK(Qt::LeftButton | Qt::MiddleButton, Qt::ShiftModifier | Qt::AltModifier),
            MK_LBUTTON | MK_MBUTTON | MK_SHIFT | MK_ALT);
  EXPECT_EQ(QtKeysToMK(Qt::RightButton, Qt::ControlModifier), MK_RBUTTON | MK_CONTROL);
  EXPECT_EQ(QtKeyToVK(Qt::Key_Z), 'Z');
  EXPECT_EQ(QtKeyToVK(Qt::Key_7), '7');
  EXPECT_EQ(QtKeyToVK(Qt::Key_F1), 0x70);
  EXPECT_EQ(QtKeyToVK(Qt::Key_Delete), VK_DELETE);
  EXPECT_EQ(QtKeyToVK(Qt::Key_PageDown), VK_NEXT);
  EXPECT_EQ(QtKeyToVK(Qt::Key_unknown), 0);
}

}  // namespace
}  // namespace mivo
