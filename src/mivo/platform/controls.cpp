#include "mivo/platform/controls.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/errors.h"
#include "mivo/platform/host.h"
#include "mivo/platform/raster_canvas.h"

namespace mivo {

// ---------------------------------------------------------------- TPersistent

void TPersistent::Assign(const TPersistent& source) { source.AssignTo(*this); }

void TPersistent::AssignTo(TPersistent& dest) const {
  RaiseMivoError("Cannot assign a " + ClassName() + " to a " + dest.ClassName());
}

// ---------------------------------------------------------------- TComponent

void TComponent::SetDesigning(bool b) {
  if (b)
    FComponentState.Include(TComponentStateItem::csDesigning);
  else
    FComponentState.Exclude(TComponentStateItem::csDesigning);
}

// ---------------------------------------------------------------- control registry

namespace {

struct TControlRegistry {
  std::uint64_t NextId = 1;
  std::unordered_map<std::uint64_t, TControl*> Live;
};

// Deliberately never destroyed: controls with static storage may outlive any
// other static object.
TControlRegistry& Registry() {
  static auto* registry = new TControlRegistry;
  return *registry;
}

}  // namespace

TControl* FindControl(std::uint64_t id) {
  const auto& live = Registry().Live;
  const auto it = live.find(id);
  return it == live.end() ? nullptr : it->second;
}

TShiftState KeysToShiftState(std::uint32_t keys) {
  TShiftState s;
  if (keys & MK_SHIFT) s.Include(TShiftStateItem::ssShift);
  if (keys & MK_CONTROL) s.Include(TShiftStateItem::ssCtrl);
  if (keys & MK_ALT) s.Include(TShiftStateItem::ssAlt);
  if (keys & MK_LBUTTON) s.Include(TShiftStateItem::ssLeft);
  if (keys & MK_RBUTTON) s.Include(TShiftStateItem::ssRight);
  if (keys & MK_MBUTTON) s.Include(TShiftStateItem::ssMiddle);
  return s;
}

namespace {

TShiftStateItem ButtonShift(TMouseButton b) {
  switch (b) {
    case TMouseButton::mbRight: return TShiftStateItem::ssRight;
    case TMouseButton::mbMiddle: return TShiftStateItem::ssMiddle;
    case TMouseButton::mbLeft: break;
  }
  return TShiftStateItem::ssLeft;
}

bool IsInputMessage(TMessageKind k) {
  switch (k) {
    case TMessageKind::mkPaint:
    case TMessageKind::mkSize: return false;
    default: return true;
  }
}

}  // namespace

// ---------------------------------------------------------------- TControl

TControl::TControl(TComponent* owner) : TComponent(owner) {
  TControlRegistry& r = Registry();
  FControlId = r.NextId++;
  r.Live.emplace(FControlId, this);
}

TControl::~TControl() {
  Registry().Live.erase(FControlId);
  Host().ControlDestroyed(*this);
}

void TControl::SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  const bool resized = width != FWidth || height != FHeight;
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  if (resized) Resize();
}

void TControl::SetVisible(bool b) { FVisible = b; }

void TControl::SetCursor(std::int32_t c) {
  if (c == FCursor) return;
  FCursor = c;
  Host().ControlCursorChanged(*this);
}

void TControl::Dispatch(const TMessage& msg) {
  if (IsInputMessage(msg.Kind) && (!FEnabled || !FVisible)) return;
  const TShiftState keys = KeysToShiftState(msg.Keys);
  switch (msg.Kind) {
    case TMessageKind::mkPaint: break;
    case TMessageKind::mkSize: SetBounds(FLeft, FTop, msg.X, msg.Y); break;
    case TMessageKind::mkMouseDown: {
      if (msg.Button == TMouseButton::mbLeft) FMouseDownSeen = true;
      MouseDown(msg.Button, keys + TShiftState{ButtonShift(msg.Button)}, msg.X, msg.Y);
      break;
    }
    case TMessageKind::mkDoubleClick: {
      // The second press of a double click: no Click on its release.
      FMouseDownSeen = false;
      DblClick();
      MouseDown(msg.Button, keys + TShiftState{ButtonShift(msg.Button), TShiftStateItem::ssDouble}, msg.X, msg.Y);
      break;
    }
    case TMessageKind::mkMouseUp: {
      if (msg.Button == TMouseButton::mbLeft && FMouseDownSeen) {
        FMouseDownSeen = false;
        if (msg.X >= 0 && msg.Y >= 0 && msg.X < FWidth && msg.Y < FHeight) Click();
      }
      MouseUp(msg.Button, keys, msg.X, msg.Y);
      break;
    }
    case TMessageKind::mkMouseMove: MouseMove(keys, msg.X, msg.Y); break;
    case TMessageKind::mkMouseWheel: DoMouseWheel(keys, msg.WheelDelta, TPoint{msg.X, msg.Y}); break;
    case TMessageKind::mkMouseEnter: MouseEnter(); break;
    case TMessageKind::mkMouseLeave:
      FMouseDownSeen = false;
      MouseLeave();
      break;
    case TMessageKind::mkKeyDown: {
      std::uint16_t key = msg.Key;
      KeyDown(key, keys);
      break;
    }
    case TMessageKind::mkKeyUp: {
      std::uint16_t key = msg.Key;
      KeyUp(key, keys);
      break;
    }
    case TMessageKind::mkChar: {
      char c = msg.Char;
      KeyPress(c);
      break;
    }
  }
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, std::int32_t x, std::int32_t y) {
  if (OnMouseDown) OnMouseDown(*this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, std::int32_t x, std::int32_t y) {
  if (OnMouseUp) OnMouseUp(*this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, std::int32_t x, std::int32_t y) {
  if (OnMouseMove) OnMouseMove(*this, shift, x, y);
}

void TControl::Click() {
  if (OnClick) OnClick(*this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(*this);
}

void TControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(*this);
}

void TControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(*this);
}

bool TControl::DoMouseWheel(TShiftState shift, std::int32_t wheelDelta, TPoint mousePos) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(*this, shift, wheelDelta, mousePos, handled);
  return handled;
}

void TControl::KeyDown(std::uint16_t& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(*this, key, shift);
}

void TControl::KeyUp(std::uint16_t& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(*this, key, shift);
}

void TControl::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(*this, key);
}

void TControl::Resize() {
  if (OnResize) OnResize(*this);
}

// ---------------------------------------------------------------- TCustomControl

TCustomControl::TCustomControl(TComponent* owner)
    : TControl(owner), FSurface(std::make_unique<TBitmap>()), FScaledSurface(std::make_unique<TBitmap>()) {}

TCustomControl::~TCustomControl() { FComponentState.Include(TComponentStateItem::csDestroying); }

void TCustomControl::HandleNeeded() {
  if (FHandleAllocated) return;
  CreateHandle();
  // A window system sends a new visible window its first paint.
  if (FVisible) Invalidate();
}

// The window for a paint that is about to happen: no paint is asked for.
void TCustomControl::CreateHandle() {
  if (FHandleAllocated) return;
  FHandleAllocated = true;
  FSurface->SetSize(std::min(FWidth, MaxSurfaceSide), std::min(FHeight, MaxSurfaceSide));
  CreateWnd();
}

void TCustomControl::SetVisible(bool b) {
  const bool shown = b && !FVisible;
  TControl::SetVisible(b);
  if (shown && FHandleAllocated) Invalidate();
}

TCanvas& TCustomControl::Canvas() {
  HandleNeeded();
  // Drawing outside a paint message must reach the screen as well; the host
  // merges the requests of one frame into one update.
  if (!FInPaint) {
    FScaledCurrent = false;
    if (FVisible) Host().RequestPresent(*this);
  }
  TCanvas& c = FSurface->Canvas();
  c.Antialiased = FAntialiased;
  return c;
}

void TCustomControl::SetAntialiased(bool b) {
  if (b == FAntialiased) return;
  FAntialiased = b;
  if (FHandleAllocated) Invalidate();
}

TBitmap& TCustomControl::Surface() {
  HandleNeeded();
  return *FSurface;
}

void TCustomControl::Invalidate() { Host().Invalidate(*this); }

void TCustomControl::Repaint() {
  if (!FVisible) return;
  PaintAndPresent();
}

const TBitmap& TCustomControl::PaintedSurface() {
  PaintAndPresent(true);
  return *FSurface;
}

void TCustomControl::PaintAndPresent(bool surfaceOnly) {
  CreateHandle();
  struct TPainting {
    bool& Flag;
    bool Saved;
    explicit TPainting(bool& f) : Flag(f), Saved(f) { Flag = true; }
    ~TPainting() { Flag = Saved; }
  } painting(FInPaint);
  // Every bitmap the control draws on while painting follows its setting.
  const TAntialiasScope antialias(FAntialiased);
  if (surfaceOnly || FDeviceScale == 1) {
    Paint();
  } else {
    // Resized only when the size changes: a paint that draws nothing (a
    // chart inside an update) leaves the previous picture.
    const double f = FDeviceScale;
    const auto side = [f](std::int32_t s) {
      return std::int32_t(std::min<long long>(std::llround(std::max(s, 0) * f), MaxSurfaceSide));
    };
    TBitmap& bmp = *FScaledSurface;
    if (bmp.Width() != side(FWidth) || bmp.Height() != side(FHeight)) {
      bmp.SetSize(side(FWidth), side(FHeight));
      bmp.Clear(clWhite);
    }
    bmp.RasterCanvas().SetPixelsPerInch(std::max(1, RoundToInt(96 * f)));
    PaintScaled(bmp, f);
    FScaledCurrent = true;
  }
  Host().Present(*this);
}

void TCustomControl::PaintScaled(TBitmap& bmp, double f) {
  Paint();
  const TBitmap& s = *FSurface;
  bmp.Canvas().CopyMode = TCopyMode::cmSrcCopy;
  bmp.Canvas().StretchDraw(Rect(0, 0, std::int32_t(std::llround(s.Width() * f)),
                                std::int32_t(std::llround(s.Height() * f))),
                           s);
}

void TCustomControl::ScaledPictureUpdated() {
  FScaledCurrent = true;
  Host().Present(*this);
}

void TCustomControl::SetDeviceScale(double f) {
  f = std::isfinite(f) && f > 0 ? std::clamp(f, MinDeviceScale, MaxDeviceScale) : 1.0;
  if (f == FDeviceScale) return;
  FDeviceScale = f;
  FScaledCurrent = false;
  // The picture at the old scale is of no use any more.
  if (f == 1) FScaledSurface->SetSize(0, 0);
  if (FHandleAllocated && FVisible) Invalidate();
}

void TCustomControl::SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
  // The surface takes the new size before Resize runs, so OnResize may draw.
  if (FHandleAllocated)
    FSurface->SetSize(std::clamp(width, 0, MaxSurfaceSide), std::clamp(height, 0, MaxSurfaceSide));
  TControl::SetBounds(left, top, width, height);
}

void TCustomControl::Dispatch(const TMessage& msg) {
  if (msg.Kind == TMessageKind::mkPaint) {
    if (FVisible) PaintAndPresent();
    return;
  }
  TControl::Dispatch(msg);
}

void TCustomControl::Paint() {
  TCanvas& c = Canvas();
  c.Brush.Color = FColor;
  c.Brush.Style = TBrushStyle::bsSolid;
  c.FillRect(ClientRect());
  if (OnPaint) OnPaint(*this);
}

}  // namespace mivo
