#pragma once
// The component model: TObject <- TPersistent <- TComponent <- TControl <-
// TCustomControl. A host (host.h) delivers window messages through
// TControl::Dispatch; the overridable handlers are reached only through it.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "mivo/platform/canvas.h"
#include "mivo/platform/export.h"
#include "mivo/platform/mivo_types.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

class TBitmap;

class TObject {
 public:
  virtual ~TObject() = default;
  // Class name for messages ("TScale").
  virtual std::string ClassName() const { return "TObject"; }
};

class TPersistent : public TObject {
 public:
  std::string ClassName() const override { return "TPersistent"; }
  // Copies the settings of `source` into this object. The default asks the
  // source's AssignTo and raises EMivoError "Cannot assign a <source class> to
  // a <this class>" when neither side knows the other.
  virtual void Assign(const TPersistent& source);

 protected:
  // Copies this object's settings into `dest`; the default raises the error above.
  virtual void AssignTo(TPersistent& dest) const;
};

enum class TComponentStateItem : std::uint8_t { csLoading, csDesigning, csDestroying };
using TComponentState = TSet<TComponentStateItem>;

// A component knows its owner but does not own it; whoever creates a component
// owns it (by value or std::unique_ptr).
class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* owner = nullptr) : FOwner(owner) {}
  std::string ClassName() const override { return "TComponent"; }

  const std::string& Name() const { return FName; }
  virtual void SetName(const std::string& name) { FName = name; }
  TComponent* Owner() const { return FOwner; }
  TComponentState ComponentState() const { return FComponentState; }
  void SetDesigning(bool b);

  // Form-file loading protocol (see properties.h): BeginLoading sets the
  // loading state; the loader applies properties and then calls Loaded, which
  // clears it.
  void BeginLoading() { FComponentState.Include(TComponentStateItem::csLoading); }
  virtual void Loaded() { FComponentState.Exclude(TComponentStateItem::csLoading); }

 protected:
  TComponentState FComponentState;

 private:
  std::string FName;
  TComponent* FOwner = nullptr;
};

enum class TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };
enum class TShiftStateItem : std::uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

// Raw key-state bits of a mouse message (the desktop's MK_* flags).
inline constexpr std::uint32_t MK_LBUTTON = 0x0001;
inline constexpr std::uint32_t MK_RBUTTON = 0x0002;
inline constexpr std::uint32_t MK_SHIFT = 0x0004;
inline constexpr std::uint32_t MK_CONTROL = 0x0008;
inline constexpr std::uint32_t MK_MBUTTON = 0x0010;
inline constexpr std::uint32_t MK_ALT = 0x0020;  // our own bit for the Alt key
TShiftState KeysToShiftState(std::uint32_t keys);

// Virtual key codes used by the components.
inline constexpr std::uint16_t VK_BACK = 0x08, VK_TAB = 0x09, VK_RETURN = 0x0D, VK_SHIFT = 0x10,
                               VK_CONTROL = 0x11, VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_PRIOR = 0x21,
                               VK_NEXT = 0x22, VK_END = 0x23, VK_HOME = 0x24, VK_LEFT = 0x25, VK_UP = 0x26,
                               VK_RIGHT = 0x27, VK_DOWN = 0x28, VK_INSERT = 0x2D, VK_DELETE = 0x2E;

// One window message as a host delivers it.
enum class TMessageKind : std::uint8_t {
  mkPaint,
  mkSize,          // X, Y: new width and height
  mkMouseDown,     // Button, Keys, X, Y
  mkMouseUp,       // Button, Keys, X, Y
  mkDoubleClick,   // Button, Keys, X, Y (sent between the first up and the second up)
  mkMouseMove,     // Keys, X, Y
  mkMouseWheel,    // Keys, WheelDelta (120 per notch), X, Y
  mkMouseEnter,
  mkMouseLeave,
  mkKeyDown,       // Key, Keys (shift/ctrl/alt bits)
  mkKeyUp,         // Key, Keys
  mkChar,          // Char, Keys
};

struct TMessage {
  TMessageKind Kind = TMessageKind::mkPaint;
  TMouseButton Button = TMouseButton::mbLeft;
  std::uint32_t Keys = 0;  // MK_* bits
  std::int32_t X = 0;
  std::int32_t Y = 0;
  std::int32_t WheelDelta = 0;
  std::uint16_t Key = 0;
  char Char = 0;
};

using TNotifyEvent = std::function<void(TObject& sender)>;
using TMouseEvent =
    std::function<void(TObject& sender, TMouseButton button, TShiftState shift, std::int32_t x, std::int32_t y)>;
using TMouseMoveEvent = std::function<void(TObject& sender, TShiftState shift, std::int32_t x, std::int32_t y)>;
using TMouseWheelEvent = std::function<void(TObject& sender, TShiftState shift, std::int32_t wheelDelta,
                                            TPoint mousePos, bool& handled)>;
using TKeyEvent = std::function<void(TObject& sender, std::uint16_t& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject& sender, char& key)>;

enum class TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner = nullptr);
  ~TControl() override;
  std::string ClassName() const override { return "TControl"; }

  std::int32_t Left() const { return FLeft; }
  std::int32_t Top() const { return FTop; }
  std::int32_t Width() const { return FWidth; }
  std::int32_t Height() const { return FHeight; }
  // Negative sizes become 0.
  virtual void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height);
  void SetLeft(std::int32_t v) { SetBounds(v, FTop, FWidth, FHeight); }
  void SetTop(std::int32_t v) { SetBounds(FLeft, v, FWidth, FHeight); }
  void SetWidth(std::int32_t v) { SetBounds(FLeft, FTop, v, FHeight); }
  void SetHeight(std::int32_t v) { SetBounds(FLeft, FTop, FWidth, v); }
  TRect ClientRect() const { return {0, 0, FWidth, FHeight}; }

  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool b);
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool b) { FEnabled = b; }
  TFont& Font() { return FFont; }
  const TFont& Font() const { return FFont; }
  virtual void SetFont(const TFont& f) { FFont = f; }
  TColor Color() const { return FColor; }
  virtual void SetColor(TColor c) { FColor = c; }
  // Screen cursor shown over the control: 0 default, 1-4 the registered chart cursors.
  std::int32_t Cursor() const { return FCursor; }
  void SetCursor(std::int32_t c);
  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign a) { FAlign = a; }
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& h) { FHint = h; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool b) { FShowHint = b; }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool b) { FParentFont = b; }
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool b) { FParentShowHint = b; }

  // Entry point of every window message. Mouse, wheel and key messages are
  // ignored while the control is disabled or invisible.
  virtual void Dispatch(const TMessage& msg);

  // A number that identifies this control for its whole life and is never
  // reused; hosts keep ids instead of pointers (see FindControl).
  std::uint64_t ControlId() const { return FControlId; }

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TMouseWheelEvent OnMouseWheel;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnResize;

 protected:
  // Handlers; each default calls its On... event.
  virtual void MouseDown(TMouseButton button, TShiftState shift, std::int32_t x, std::int32_t y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, std::int32_t x, std::int32_t y);
  virtual void MouseMove(TShiftState shift, std::int32_t x, std::int32_t y);
  virtual void Click();
  virtual void DblClick();
  virtual void MouseEnter();
  virtual void MouseLeave();
  // Returns true when handled.
  virtual bool DoMouseWheel(TShiftState shift, std::int32_t wheelDelta, TPoint mousePos);
  virtual void KeyDown(std::uint16_t& key, TShiftState shift);
  virtual void KeyUp(std::uint16_t& key, TShiftState shift);
  virtual void KeyPress(char& key);
  virtual void Resize();

  std::int32_t FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  bool FVisible = true;
  bool FEnabled = true;
  TFont FFont;
  TColor FColor = 0xFF00000F;  // button face
  std::int32_t FCursor = 0;
  TAlign FAlign = TAlign::alNone;
  std::string FHint;
  bool FShowHint = false;
  bool FParentFont = true;
  bool FParentShowHint = true;

 private:
  bool FMouseDownSeen = false;  // a click needs a left-button down inside the control
  std::uint64_t FControlId = 0;
};

// The live control with this id, or null when it has been destroyed.
TControl* FindControl(std::uint64_t id);

// A control with a window surface of its own: a TBitmap of the control's size
// that the host presents.
class TCustomControl : public TControl {
 public:
  explicit TCustomControl(TComponent* owner = nullptr);
  ~TCustomControl() override;
  std::string ClassName() const override { return "TCustomControl"; }

  // The window surface's canvas; creates the window first when needed.
  // Whatever draws on it outside a paint message (a chart showing new data, a
  // range change, a mouse mode) is shown too: taking the canvas then asks the
  // host to present the surface at its next screen update
  // (THost::RequestPresent), so a burst of drawing costs one update.
  TCanvas& Canvas();
  // The window surface itself, for reading (hosts show it from here); drawing
  // goes through Canvas().
  TBitmap& Surface();
  // Paints the control on its surface now, as for a paint message (shown or
  // not), and returns the surface: the picture of a control drawn as a bitmap.
  const TBitmap& PaintedSurface();
  // True while the control paints in answer to a paint message or Repaint.
  bool InPaint() const { return FInPaint; }

  bool HandleAllocated() const { return FHandleAllocated; }
  // Creates the window (once): sizes the surface, calls CreateWnd and, when the
  // control is visible, invalidates it so that the host paints it (headless:
  // at the next ProcessMessages). The surface follows the control's size, at
  // most MaxSurfaceSide per side.
  void HandleNeeded();
  // Showing a control that has its window asks for a paint.
  void SetVisible(bool b) override;
  static constexpr std::int32_t MaxSurfaceSide = 8192;

  // Coverage-based edges for the lines, curves, polygons and marks the
  // control draws, on the screen and in its pictures (text is antialiased
  // either way). Off by default: the exact pixels. Changing it repaints.
  bool Antialiased() const { return FAntialiased; }
  void SetAntialiased(bool b);

  // Marks the window for repainting; the host delivers a paint message later.
  void Invalidate();
  // Paints at once when visible (Paint, then the host presents the surface).
  void Repaint();
  void Refresh() { Repaint(); }

  void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) override;
  void Dispatch(const TMessage& msg) override;

  // Device pixels per control pixel of the screen the control is shown on
  // (1.25, 1.5, 2 ... on a high-density screen). At 1, the default, the
  // surface is what the screen shows. At any other scale a paint message or
  // Repaint draws the picture that many times larger on ScaledSurface()
  // (PaintScaled) and the host shows that instead; sizes, mouse positions
  // and the surface stay in control pixels. Drawing on Canvas() outside a
  // paint leaves the scaled picture behind (ScaledSurfaceCurrent() turns
  // false), so the host asks for a paint.
  double DeviceScale() const { return FDeviceScale; }
  // A scale that is not a finite positive number counts as 1; others are
  // clamped to MinDeviceScale ... MaxDeviceScale. A change asks for a paint.
  void SetDeviceScale(double f);
  static constexpr double MinDeviceScale = 0.25, MaxDeviceScale = 8;
  // The picture at the device scale: DeviceScale() times the control's size
  // (rounded, at most MaxSurfaceSide a side); empty until painted at a scale.
  const TBitmap& ScaledSurface() const { return *FScaledSurface; }
  bool ScaledSurfaceCurrent() const { return FScaledCurrent; }

  TNotifyEvent OnPaint;

 protected:
  virtual void CreateWnd() {}
  // Draws the control on Canvas(); the default fills it with Color and calls OnPaint.
  virtual void Paint();
  // Draws the picture `f` times the control's size on `bmp`, which has that
  // size already and a canvas of f x 96 pixels per inch, as a picture saved
  // at that resolution shows it. The default paints the surface and enlarges it.
  virtual void PaintScaled(TBitmap& bmp, double f);
  // For drawing outside a paint that changes a part of the picture: the
  // picture at the device scale, to draw the same change on it, and the note
  // that it shows everything the surface does again (the host presents it).
  TBitmap& ScaledPicture() { return *FScaledSurface; }
  void ScaledPictureUpdated();

 private:
  void CreateHandle();
  // Paint for a paint message or Repaint (at the device scale when it is not
  // 1 and `surfaceOnly` is false), then the host shows the result.
  void PaintAndPresent(bool surfaceOnly = false);
  bool FHandleAllocated = false;
  bool FInPaint = false;
  bool FScaledCurrent = false;
  double FDeviceScale = 1;
  bool FAntialiased = false;
  std::unique_ptr<TBitmap> FSurface;
  std::unique_ptr<TBitmap> FScaledSurface;
};

}  // namespace mivo
MIVO_PUBLIC_END
