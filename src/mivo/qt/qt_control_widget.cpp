#include "mivo/qt/qt_control_widget.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <unordered_map>

#include <QEnterEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/mivo_types.h"
#include "mivo/qt/qt_host.h"

namespace mivo {

namespace {

// Control id -> the widget showing it (the latest one when several do).
std::unordered_map<std::uint64_t, TQtControlWidget*>& Widgets() {
  static auto* widgets = new std::unordered_map<std::uint64_t, TQtControlWidget*>;
  return *widgets;
}

bool ToMouseButton(Qt::MouseButton b, TMouseButton& out) {
  switch (b) {
    case Qt::LeftButton: out = TMouseButton::mbLeft; return true;
    case Qt::RightButton: out = TMouseButton::mbRight; return true;
    case Qt::MiddleButton: out = TMouseButton::mbMiddle; return true;
    default: return false;
  }
}

// The control pixel of a position in control pixels. On a screen of device
// pixel ratio r, Qt gives a device pixel d as d / r: the control pixel is the
// one under the device pixel's centre, so at r = 2 both 100 and 100.5 are
// pixel 100. At r = 1 the position is rounded to the nearest pixel.
std::int32_t ToPixel(qreal v, qreal r) {
  if (r == 1) return RoundToInt(double(v), 0);
  const double f = std::floor(double(v) + 0.5 / double(r));
  return std::isfinite(f) ? std::int32_t(std::clamp(f, -2147483648.0, 2147483647.0)) : 0;
}

// Device pixels of a control side at scale f, as the control sizes its
// scaled picture.
std::int32_t ScaledSide(std::int32_t side, double f) {
  return std::int32_t(std::min<long long>(std::llround(std::max(side, 0) * f), TCustomControl::MaxSurfaceSide));
}

}  // namespace

std::uint32_t QtKeysToMK(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  std::uint32_t keys = 0;
  if (buttons & Qt::LeftButton) keys |= MK_LBUTTON;
  if (buttons & Qt::RightButton) keys |= MK_RBUTTON;
  if (buttons & Qt::MiddleButton) keys |= MK_MBUTTON;
  if (modifiers & Qt::ShiftModifier) keys |= MK_SHIFT;
  if (modifiers & Qt::ControlModifier) keys |= MK_CONTROL;
  if (modifiers & Qt::AltModifier) keys |= MK_ALT;
  return keys;
}

std::uint16_t QtKeyToVK(int qtKey) {
  // Letters and digits: Qt uses the upper-case ASCII codes, as virtual keys do.
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
    return std::uint16_t(qtKey);
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return std::uint16_t(0x70 + (qtKey - Qt::Key_F1));
  switch (qtKey) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return 0x12;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Plus: return 0xBB;   // VK_OEM_PLUS
    case Qt::Key_Minus: return 0xBD;  // VK_OEM_MINUS
    default: return 0;
  }
}

TQtControlWidget::TQtControlWidget(TCustomControl& control, QWidget* parent)
    : QWidget(parent), FControlId(control.ControlId()) {
  Init();
}

TQtControlWidget::TQtControlWidget(std::unique_ptr<TCustomControl> control, QWidget* parent)
    : QWidget(parent), FControlId(control ? control->ControlId() : 0), FOwned(std::move(control)) {
  Init();
}

TQtControlWidget::~TQtControlWidget() {
  auto& widgets = Widgets();
  const auto it = widgets.find(FControlId);
  if (it != widgets.end() && it->second == this) widgets.erase(it);
  // The owned control dies here, after the widget left the registry, so the
  // host's notifications during its destruction find no widget.
  FOwned.reset();
}

void TQtControlWidget::Init() {
  if (FControlId != 0) Widgets()[FControlId] = this;
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  // The surface covers the widget; what it does not cover is filled in paintEvent.
  setAttribute(Qt::WA_OpaquePaintEvent);
  if (TCustomControl* c = Control()) {
    if (c->Width() > 0 && c->Height() > 0) resize(c->Width(), c->Height());
  }
  ApplyControlCursor();
}

TCustomControl* TQtControlWidget::Control() const {
  return FControlId == 0 ? nullptr : dynamic_cast<TCustomControl*>(FindControl(FControlId));
}

TQtControlWidget* TQtControlWidget::ForControl(std::uint64_t controlId) {
  const auto& widgets = Widgets();
  const auto it = widgets.find(controlId);
  return it == widgets.end() ? nullptr : it->second;
}

void TQtControlWidget::ControlInvalidated() {
  FNeedsPaint = true;
  update();
}

void TQtControlWidget::ControlPresented() {
  // During paintEvent the surface is drawn right after the paint message.
  // At a device scale, drawing on the surface outside a paint is not in the
  // scaled picture unless the control drew it there too: paintEvent asks.
  if (!FInPaint) update();
}

void TQtControlWidget::ApplyControlCursor() {
  const TCustomControl* c = Control();
  const std::int32_t id = c ? c->Cursor() : crDefault;
  if (id == crDefault) {
    unsetCursor();
    return;
  }
  if (const TQtHost* host = QtHost())
    setCursor(host->QtCursor(id));
  else
    unsetCursor();
}

QImage TQtControlWidget::SurfaceImage() const {
  TCustomControl* c = Control();
  if (!c || !c->HandleAllocated()) return {};
  const double r = c->DeviceScale();
  const TBitmap& s = r == 1 ? c->Surface() : c->ScaledSurface();
  if (s.Width() <= 0 || s.Height() <= 0) return {};
  // Format_RGB32 is 0xffRRGGBB per pixel: on a little-endian machine the bytes
  // B, G, R, A of TRGB32, with A ignored.
  static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "the surface rows are B, G, R, A bytes");
  QImage img(reinterpret_cast<const uchar*>(s.Data()), s.Width(), s.Height(), qsizetype(s.Width()) * 4,
             QImage::Format_RGB32);
  if (r != 1) img.setDevicePixelRatio(r);
  return img;
}

QSize TQtControlWidget::sizeHint() const {
  if (const TCustomControl* c = Control(); c && c->Width() > 0 && c->Height() > 0)
    return {c->Width(), c->Height()};
  return QWidget::sizeHint();
}

bool TQtControlWidget::Deliver(const TMessage& msg) {
  TCustomControl* c = Control();
  if (!c) return false;
  try {
    c->Dispatch(msg);
  } catch (const std::exception& e) {
    qWarning("mivo: %s while handling a window message", e.what());
  } catch (...) {
    qWarning("mivo: unknown exception while handling a window message");
  }
  return true;
}

void TQtControlWidget::SyncDeviceScale() {
  TCustomControl* c = Control();
  if (!c) return;
  // Compared after the control took it: a ratio it clamps stays one change.
  const double before = c->DeviceScale();
  c->SetDeviceScale(devicePixelRatioF());
  if (c->DeviceScale() != before) FNeedsPaint = true;
}

bool TQtControlWidget::PictureOutdated(TCustomControl& c) const {
  if (!c.HandleAllocated()) return true;
  const double r = c.DeviceScale();
  if (r == 1)
    return c.Surface().Width() != std::min(c.Width(), TCustomControl::MaxSurfaceSide) ||
           c.Surface().Height() != std::min(c.Height(), TCustomControl::MaxSurfaceSide);
  return !c.ScaledSurfaceCurrent() || c.ScaledSurface().Width() != ScaledSide(c.Width(), r) ||
         c.ScaledSurface().Height() != ScaledSide(c.Height(), r);
}

void TQtControlWidget::paintEvent(QPaintEvent*) {
  SyncDeviceScale();
  if (TCustomControl* c = Control(); c && (FNeedsPaint || PictureOutdated(*c))) {
    FNeedsPaint = false;
    FInPaint = true;
    Deliver(TMessage{TMessageKind::mkPaint});
    FInPaint = false;
  }
  QPainter p(this);
  const QImage img = SurfaceImage();  // looked up again: painting may destroy the control
  // Whatever the picture does not cover (no control, or a widget larger than
  // the largest surface) gets the window colour; filled first, as at a
  // fractional device scale the picture may end inside a control pixel.
  const QSizeF covered = img.deviceIndependentSize();
  const QRegion rest =
      QRegion(rect()) - QRegion(0, 0, int(std::floor(covered.width())), int(std::floor(covered.height())));
  for (const QRect& r : rest) p.fillRect(r, palette().window());
  if (!img.isNull()) p.drawImage(QPointF(0, 0), img);
}

bool TQtControlWidget::event(QEvent* event) {
  // A move to a screen of another device pixel ratio.
  switch (event->type()) {
    case QEvent::ScreenChangeInternal:
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    case QEvent::DevicePixelRatioChange:
#endif
      SyncDeviceScale();
      update();
      break;
    default: break;
  }
  return QWidget::event(event);
}

void TQtControlWidget::resizeEvent(QResizeEvent* event) {
  TMessage m{TMessageKind::mkSize};
  m.X = event->size().width();
  m.Y = event->size().height();
  // Qt repeats resize events of hidden widgets (grab, show); only a new size
  // needs a new picture.
  if (const TCustomControl* c = Control(); c && (c->Width() != m.X || c->Height() != m.Y)) FNeedsPaint = true;
  Deliver(m);
  QWidget::resizeEvent(event);
}

void TQtControlWidget::MouseMessage(TMessageKind kind, QMouseEvent* event) {
  TMessage m{kind};
  if (kind != TMessageKind::mkMouseMove && !ToMouseButton(event->button(), m.Button)) return;
  m.Keys = QtKeysToMK(event->buttons(), event->modifiers());
  m.X = ToPixel(event->position().x(), devicePixelRatioF());
  m.Y = ToPixel(event->position().y(), devicePixelRatioF());
  if (Deliver(m)) event->accept();
}

void TQtControlWidget::mousePressEvent(QMouseEvent* event) { MouseMessage(TMessageKind::mkMouseDown, event); }

void TQtControlWidget::mouseReleaseEvent(QMouseEvent* event) { MouseMessage(TMessageKind::mkMouseUp, event); }

// Qt delivers a double click as press, release, double-click, release: the
// double-click event stands for the second press.
void TQtControlWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  MouseMessage(TMessageKind::mkDoubleClick, event);
}

void TQtControlWidget::mouseMoveEvent(QMouseEvent* event) { MouseMessage(TMessageKind::mkMouseMove, event); }

void TQtControlWidget::wheelEvent(QWheelEvent* event) {
  TMessage m{TMessageKind::mkMouseWheel};
  const QPoint delta = event->angleDelta();
  m.WheelDelta = delta.y() != 0 ? delta.y() : delta.x();
  if (m.WheelDelta == 0) return;
  m.Keys = QtKeysToMK(event->buttons(), event->modifiers());
  m.X = ToPixel(event->position().x(), devicePixelRatioF());
  m.Y = ToPixel(event->position().y(), devicePixelRatioF());
  if (Deliver(m)) event->accept();
}

void TQtControlWidget::enterEvent(QEnterEvent*) { Deliver(TMessage{TMessageKind::mkMouseEnter}); }

void TQtControlWidget::leaveEvent(QEvent*) { Deliver(TMessage{TMessageKind::mkMouseLeave}); }

void TQtControlWidget::keyPressEvent(QKeyEvent* event) {
  const std::uint32_t keys = QtKeysToMK(Qt::NoButton, event->modifiers());
  bool delivered = false;
  if (const std::uint16_t vk = QtKeyToVK(event->key())) {
    TMessage m{TMessageKind::mkKeyDown};
    m.Key = vk;
    m.Keys = keys;
    delivered = Deliver(m);
  }
  // The character follows the key, one message per character (Latin-1; others
  // become '?'). Ctrl and Alt combinations carry no character.
  if (!(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
    const QString text = event->text();
    for (qsizetype i = 0; i < text.size() && i < 16; ++i) {
      const char16_t u = text.at(i).unicode();
      TMessage m{TMessageKind::mkChar};
      m.Char = u < 256 ? char(u) : '?';
      m.Keys = keys;
      delivered = Deliver(m) || delivered;
    }
  }
  if (delivered)
    event->accept();
  else
    QWidget::keyPressEvent(event);
}

void TQtControlWidget::keyReleaseEvent(QKeyEvent* event) {
  // A held key repeats its key-down messages only, as on the desktop.
  if (event->isAutoRepeat()) {
    event->accept();
    return;
  }
  const std::uint16_t vk = QtKeyToVK(event->key());
  TMessage m{TMessageKind::mkKeyUp};
  m.Key = vk;
  m.Keys = QtKeysToMK(Qt::NoButton, event->modifiers());
  if (vk != 0 && Deliver(m))
    event->accept();
  else
    QWidget::keyReleaseEvent(event);
}

}  // namespace mivo
