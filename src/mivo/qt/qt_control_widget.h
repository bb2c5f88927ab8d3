#pragma once
// TQtControlWidget: a QWidget that shows one TCustomControl and delivers Qt's
// paint, resize, mouse and key events to it as window messages
// (TControl::Dispatch).
//
//   auto* w = new mivo::TQtControlWidget(std::make_unique<mivo::TScale>(), parent);
//   auto* scale = w->ControlAs<mivo::TScale>();
//
// The widget keeps the control's id, not a pointer: a control destroyed
// elsewhere leaves an empty widget behind, never a dangling pointer. The
// widget's size is the control's size; the control's surface is drawn as it
// is (QImage::Format_RGB32 over the surface's rows, no copy).
//
// On a high-density screen (devicePixelRatioF() r other than 1) the control
// paints at r times its size in device pixels (TCustomControl::DeviceScale)
// and that picture is drawn 1:1 onto the device pixels; the widget's size,
// mouse and wheel positions stay in control pixels, so everything the control
// does with them works as at r = 1. A move to a screen of another ratio
// repaints at the new one.

#include <cstdint>
#include <memory>

#include <QWidget>

#include "mivo/platform/controls.h"

class QImage;

#include "mivo/platform/export.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

class TQtControlWidget : public QWidget {
 public:
  // Shows `control`, which the caller keeps owning.
  explicit TQtControlWidget(TCustomControl& control, QWidget* parent = nullptr);
  // Shows `control` and owns it: it dies with the widget.
  explicit TQtControlWidget(std::unique_ptr<TCustomControl> control, QWidget* parent = nullptr);
  ~TQtControlWidget() override;

  // The control, or null once it has been destroyed.
  TCustomControl* Control() const;
  template <class T>
  T* ControlAs() const {
    return dynamic_cast<T*>(Control());
  }
  std::uint64_t ControlId() const { return FControlId; }

  // The widget showing the control with this id, or null.
  static TQtControlWidget* ForControl(std::uint64_t controlId);

  // Host notifications: the control wants a paint message (Invalidate) or
  // has drawn its surface (Present); its cursor changed.
  void ControlInvalidated();
  void ControlPresented();
  void ApplyControlCursor();

  // What the widget shows of the control, as an image sharing the pixels
  // (valid until the control draws or resizes): the surface, or at a device
  // scale the scaled picture with that device pixel ratio; a null image
  // without a control.
  QImage SurfaceImage() const;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void Init();
  // Gives the control this widget's device pixel ratio.
  void SyncDeviceScale();
  // True when what the control shows is not the picture of its present
  // size (and, at a device scale, of the latest drawing).
  bool PictureOutdated(TCustomControl& c) const;
  // Delivers a message; exceptions are reported with qWarning and stopped here
  // (they must not cross Qt's event loop). False when there is no control.
  bool Deliver(const TMessage& msg);
  void MouseMessage(TMessageKind kind, QMouseEvent* event);

  std::uint64_t FControlId = 0;
  std::unique_ptr<TCustomControl> FOwned;
  bool FNeedsPaint = true;
  bool FInPaint = false;
};

// Qt key and modifier translation (exposed for tests).
// MK_* bits of the buttons and modifiers.
std::uint32_t QtKeysToMK(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
// The virtual key code of a Qt key (0 when there is none).
std::uint16_t QtKeyToVK(int qtKey);

}  // namespace mivo
MIVO_PUBLIC_END
