// TCustomRChart mouse hooks: the press, move and release handlers that route
// input to the drag modes, the mouse-move-in-chart message, cursors, events,
// the XOR drag figures and the blocking MouseBox.
#include <algorithm>
#include <cmath>

#include "mivo/platform/host.h"
#include "mivo/rchart/rchart.h"
#include "mivo/rchart/rchart_internal.h"

namespace mivo {

namespace {

constexpr TColor kXorFigureColor = 0xFFFFFF;

bool IsWindowMode(TMouseActMode m) {
  return m == TMouseActMode::maRubberBand || m == TMouseActMode::maZoomWind ||
         m == TMouseActMode::maZoomWindAligned || m == TMouseActMode::maSelectRect;
}

bool IsPanOrDragZoom(TMouseActMode m) {
  return m == TMouseActMode::maPan || m == TMouseActMode::maPanHoriz || m == TMouseActMode::maPanVert ||
         m == TMouseActMode::maPanGrid || m == TMouseActMode::maZoomDrag;
}

// Clears a flag when the scope ends, unless the chart was destroyed meanwhile.
class TControlFlagGuard {
 public:
  TControlFlagGuard(TControl& control, bool& flag) : FId(control.ControlId()), FFlag(flag) { flag = true; }
  TControlFlagGuard(const TControlFlagGuard&) = delete;
  TControlFlagGuard& operator=(const TControlFlagGuard&) = delete;
  ~TControlFlagGuard() {
    if (FindControl(FId)) FFlag = false;
  }

 private:
  std::uint64_t FId;
  bool& FFlag;
};

}  // namespace

// ---------------------------------------------------------------- geometry

bool TCustomRChart::InDataArea(std::int32_t x, std::int32_t y) const {
  const std::int64_t right = std::int64_t(Width()) - RcRRim - F3DRim;
  const std::int64_t bottom = std::int64_t(Height()) - RcBRim - F3DRim;
  return x >= RcLRim && x <= right && y >= RcTRim && y <= bottom;
}

void TCustomRChart::ClampToDataArea(std::int32_t& x, std::int32_t& y) const {
  // With an empty data area the low edge wins, so the result stays defined.
  const std::int32_t right = detail::Sat32(std::int64_t(Width()) - RcRRim - F3DRim);
  const std::int32_t bottom = detail::Sat32(std::int64_t(Height()) - RcBRim - F3DRim);
  x = std::max(std::min(x, right), RcLRim);
  y = std::max(std::min(y, bottom), RcTRim);
}

// ---------------------------------------------------------------- XOR figures

void TCustomRChart::XorFigure(bool line, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  XorFigureOn(Canvas(), line, x1, y1, x2, y2);
  Host().Present(*this);
}

void TCustomRChart::XorFigureOn(TCanvas& c, bool line, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                std::int32_t y2) {
  const TPen pen = c.Pen;
  const TBrush brush = c.Brush;
  c.Pen.Color = kXorFigureColor;
  c.Pen.Width = 1;
  c.Pen.Style = TPenStyle::psSolid;
  c.Pen.Mode = TPenMode::pmXor;
  c.Brush.Style = TBrushStyle::bsClear;
  if (line) {
    c.MoveTo(x1, y1);
    c.LineTo(x2, y2);
  } else {
    c.Rectangle(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
  }
  c.Pen = pen;
  c.Pen.Mode = TPenMode::pmCopy;
  c.Brush = brush;
  c.Brush.Style = TBrushStyle::bsSolid;
}

void TCustomRChart::XorWindowFigure() {
  XorFigure(FDrag.WindFigureLine, FDrag.WindAnchorX, FDrag.WindAnchorY, FDrag.WindOldCornerX, FDrag.WindOldCornerY);
  FDrag.WindFigureShown = !FDrag.WindFigureShown;
}

void TCustomRChart::XorMouseBoxFigure() {
  XorFigure(false, FDrag.MouseBoxX1, FDrag.MouseBoxY1, FDrag.MouseBoxX2, FDrag.MouseBoxY2);
  FDrag.BoxFigureShown = !FDrag.BoxFigureShown;
}

void TCustomRChart::RedrawDragFigures() {
  // The paint replaced the canvas, figures included: they are drawn again so
  // that the next XOR move still removes exactly what is on the screen.
  if (FDrag.WindFigureShown) XorFigure(FDrag.WindFigureLine, FDrag.WindAnchorX, FDrag.WindAnchorY, FDrag.WindOldCornerX, FDrag.WindOldCornerY);
  if (FDrag.BoxFigureShown) XorFigure(false, FDrag.MouseBoxX1, FDrag.MouseBoxY1, FDrag.MouseBoxX2, FDrag.MouseBoxY2);
}

void TCustomRChart::DrawDragFigures(TCanvas& canvas) {
  if (FDrag.WindFigureShown)
    XorFigureOn(canvas, FDrag.WindFigureLine, FDrag.WindAnchorX, FDrag.WindAnchorY, FDrag.WindOldCornerX, FDrag.WindOldCornerY);
  if (FDrag.BoxFigureShown) XorFigureOn(canvas, false, FDrag.MouseBoxX1, FDrag.MouseBoxY1, FDrag.MouseBoxX2, FDrag.MouseBoxY2);
}

// ---------------------------------------------------------------- events

void TCustomRChart::DoZoomPanEvent() {
  if (OnZoomPan) OnZoomPan(*this);
}

void TCustomRChart::DoRubberBandEvent(std::int32_t layer, double x1, double y1, double x2, double y2) {
  if (OnRubberBand) OnRubberBand(*this, layer, x1, y1, x2, y2);
}

void TCustomRChart::DoSelectRectEvent(std::int32_t layer, double x1, double y1, double x2, double y2) {
  if (OnSelectRect) OnSelectRect(*this, layer, x1, y1, x2, y2);
}

void TCustomRChart::DoCrossHMoveEvent(TCrossHair& crossHair) {
  if (OnCrossHairMove) OnCrossHairMove(*this, crossHair);
}

void TCustomRChart::DoTxtLblMoveEvent(TTextLabel& label) {
  if (OnTextLabelMove) OnTextLabelMove(*this, label);
}

void TCustomRChart::MouseMoveInChart(bool inChart, TShiftState shift, double rMousePosX, double rMousePosY) {
  if (OnMouseMoveInChart) OnMouseMoveInChart(*this, inChart, shift, rMousePosX, rMousePosY);
}

// ---------------------------------------------------------------- messages

void TCustomRChart::Dispatch(const TMessage& msg) {
  if (msg.Kind == TMessageKind::mkMouseMove) {
    WMMouseMoveInChart(msg);
    return;
  }
  TCustomControl::Dispatch(msg);
}

void TCustomRChart::WMMouseMoveInChart(const TMessage& msg) {
  if (MouseMoveActive || !Enabled() || !Visible()) return;
  const std::uint64_t id = ControlId();
  TControlFlagGuard guard(*this, MouseMoveActive);
  TCustomControl::Dispatch(msg);
  if (!FindControl(id)) return;
  double x = 0, y = 0;
  M2R(FActiveLayer, msg.X, msg.Y, x, y);
  MouseMoveInChart(InDataArea(msg.X, msg.Y), KeysToShiftState(msg.Keys), x, y);
}

void TCustomRChart::DblClick() {
  FDrag.WasDblClk = true;
  TCustomControl::DblClick();
}

void TCustomRChart::MouseLeave() {
  EndWheelBurst();
  // The mode cursor is the application's cursor: it ends with the pointer's
  // stay over the data area, also when no move outside comes in between.
  if (!FMCurFixed && InDataArea(FDrag.LastMouseX, FDrag.LastMouseY)) Host().SetScreenCursor(crDefault);
  TCustomControl::MouseLeave();
}

void TCustomRChart::MouseDown(TMouseButton button, TShiftState shift, std::int32_t x, std::int32_t y) {
  EndWheelBurst();
  if (FDrag.WasDblClk) {
    FDrag.WasDblClk = false;
    return;
  }
  TCustomControl::MouseDown(button, shift, x, y);
  if (FDrag.MouseBoxState == TMouseBoxState::mbsWaiting) {
    if (button == TMouseButton::mbRight) {
      FDrag.MouseBoxState = TMouseBoxState::mbsIdle;
    } else {
      FDrag.MouseBoxX1 = FDrag.MouseBoxX2 = x;
      FDrag.MouseBoxY1 = FDrag.MouseBoxY2 = y;
      FDrag.WindOldCornerX = x;
      FDrag.WindOldCornerY = y;
      FDrag.MouseBoxState = TMouseBoxState::mbsDragging;
      XorMouseBoxFigure();
    }
  }
  if (IsWindowMode(RcMouseAction) && FDrag.ZoomState == TZoomState::zsIdle && button == TMouseButton::mbLeft &&
      InDataArea(x, y)) {
    FDrag.ZoomState = TZoomState::zsDragging;
    FDrag.WindFigureLine = RcMouseAction == TMouseActMode::maRubberBand;
    FDrag.WindAnchorX = FDrag.WindOldCornerX = x;
    FDrag.WindAnchorY = FDrag.WindOldCornerY = y;
    // The figure is on the screen from the press on (a point), so every later
    // XOR step removes exactly what was drawn.
    XorWindowFigure();
  }
}

void TCustomRChart::MouseMove(TShiftState shift, std::int32_t x, std::int32_t y) {
  if (x != FDrag.LastMouseX || y != FDrag.LastMouseY) EndWheelBurst();
  FDrag.LastMouseX = x;
  FDrag.LastMouseY = y;
  TCustomControl::MouseMove(shift, x, y);
  if (FDrag.MouseBoxState == TMouseBoxState::mbsDragging) {
    ClampToDataArea(x, y);
    if (FDrag.BoxFigureShown) XorMouseBoxFigure();
    FDrag.MouseBoxX2 = x;
    FDrag.MouseBoxY2 = y;
    XorMouseBoxFigure();
  }
  const bool left = shift.Contains(TShiftStateItem::ssLeft);
  switch (RcMouseAction) {
    case TMouseActMode::maPan:
    case TMouseActMode::maPanHoriz:
    case TMouseActMode::maPanVert:
    case TMouseActMode::maPanGrid:
    case TMouseActMode::maZoomDrag:
      if (!left) {
        FDrag.LButtonWasDown = false;
      } else if (!FDrag.LButtonWasDown) {
        RecordMouseAnchors(x, y);
        FDrag.LButtonWasDown = true;
      } else if (RcMouseAction == TMouseActMode::maZoomDrag) {
        MouseDragZoom(x, y);
      } else {
        MousePan(x, y);
      }
      break;
    case TMouseActMode::maRubberBand:
    case TMouseActMode::maZoomWind:
    case TMouseActMode::maZoomWindAligned:
    case TMouseActMode::maSelectRect:
      if (FDrag.ZoomState == TZoomState::zsDragging) MouseMoveWindow(x, y);
      break;
    case TMouseActMode::maMoveCrossHair:
      if (left)
        MouseMoveCrossHair(x, y);
      else
        FDrag.LButtonWasDown = false;
      break;
    case TMouseActMode::maMoveTextLabel:
      if (left)
        MouseMoveTextLabel(x, y);
      else
        FDrag.LButtonWasDown = false;
      break;
    case TMouseActMode::maMouseTrace:
      if (FDrag.ZoomState == TZoomState::zsIdle && left) MouseTraceStep(x, y);
      break;
    default: break;
  }
  if (InDataArea(x, y)) {
    double wx = 0, wy = 0;
    M2R(FActiveLayer, x, y, wx, wy);
    FDrag.MousePosX = wx;
    FDrag.MousePosY = wy;
  }
  SetMouseCursor(x, y);
}

void TCustomRChart::MouseUp(TMouseButton button, TShiftState shift, std::int32_t x, std::int32_t y) {
  EndWheelBurst();
  if (FDrag.WasDblClk) {
    FDrag.WasDblClk = false;
    return;
  }
  if (FDrag.MouseBoxState == TMouseBoxState::mbsDragging) {
    if (FDrag.BoxFigureShown) XorMouseBoxFigure();
    if (button == TMouseButton::mbRight) {
      FDrag.MouseBoxState = TMouseBoxState::mbsIdle;
    } else {
      FDrag.MouseBoxX2 = x;
      FDrag.MouseBoxY2 = y;
      FDrag.MouseBoxState = TMouseBoxState::mbsDone;
    }
  }
  if (RcMouseAction == TMouseActMode::maMouseTrace && FNumMTrace > 0)
    FMTrace[std::size_t(FNumMTrace - 1)].Flags |= 1;
  if (IsWindowMode(RcMouseAction) && FDrag.ZoomState == TZoomState::zsDragging) MouseWindowReleased(button);
  if (IsPanOrDragZoom(RcMouseAction)) ZoomStateOnStack();
  // The drag is over: the next one takes fresh anchors even when no move
  // without the button comes in between.
  if (button == TMouseButton::mbLeft) FDrag.LButtonWasDown = false;
  TCustomControl::MouseUp(button, shift, x, y);
}

void TCustomRChart::SetMouseAction(TMouseActMode m) {
  if (m != RcMouseAction) {
    if (FDrag.WindFigureShown) XorWindowFigure();
    FDrag.ZoomState = TZoomState::zsIdle;
    FDrag.LButtonWasDown = false;
  }
  RcMouseAction = m;
}

// ---------------------------------------------------------------- cursor

void TCustomRChart::SetMouseCursor(std::int32_t x, std::int32_t y) {
  if (FMCurFixed || !InDataArea(x, y)) {
    Host().SetScreenCursor(crDefault);
    return;
  }
  switch (RcMouseAction) {
    case TMouseActMode::maNone: Host().SetScreenCursor(crCross); break;
    case TMouseActMode::maPan:
    case TMouseActMode::maPanHoriz:
    case TMouseActMode::maPanVert:
    case TMouseActMode::maPanGrid: Host().SetScreenCursor(crChartHand); break;
    case TMouseActMode::maZoomWind: Host().SetScreenCursor(crChartZoomWindow); break;
    case TMouseActMode::maZoomDrag: Host().SetScreenCursor(crChartZoomDrag); break;
    case TMouseActMode::maZoomWindAligned: Host().SetScreenCursor(crChartZoomAligned); break;
    case TMouseActMode::maRubberBand:
    case TMouseActMode::maMoveCrossHair:
    case TMouseActMode::maMoveTextLabel:
    case TMouseActMode::maSelectRect: Host().SetScreenCursor(crDefault); break;
    default: break;  // the trace and the other components' modes leave it
  }
}

// ---------------------------------------------------------------- mouse box

bool TCustomRChart::MouseBox(double& xLo, double& yLo, double& xHi, double& yHi) {
  if (FDrag.MouseBoxState != TMouseBoxState::mbsIdle) return false;
  FDrag.MouseBoxState = TMouseBoxState::mbsWaiting;
  const std::uint64_t id = ControlId();
  for (;;) {
    Host().ProcessMessages();
    // A handler may have destroyed the chart: nothing of it may be touched.
    if (!FindControl(id)) return false;
    if (FDrag.MouseBoxState == TMouseBoxState::mbsDone || FDrag.MouseBoxState == TMouseBoxState::mbsIdle) break;
    if (Host().Terminated()) break;
  }
  const bool done = FDrag.MouseBoxState == TMouseBoxState::mbsDone;
  if (FDrag.BoxFigureShown) XorMouseBoxFigure();
  FDrag.MouseBoxState = TMouseBoxState::mbsIdle;
  if (!done) return false;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  M2R(FActiveLayer, FDrag.MouseBoxX1, FDrag.MouseBoxY1, x1, y1);
  M2R(FActiveLayer, FDrag.MouseBoxX2, FDrag.MouseBoxY2, x2, y2);
  // A chart without a data area has no mapping to report.
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return false;
  xLo = std::min(x1, x2);
  xHi = std::max(x1, x2);
  yLo = std::min(y1, y2);
  yHi = std::max(y1, y2);
  return true;
}

void TCustomRChart::MouseBoxAbort() {
  if (FDrag.BoxFigureShown) XorMouseBoxFigure();
  if (FDrag.WindFigureShown) XorWindowFigure();
  FDrag.MouseBoxState = TMouseBoxState::mbsIdle;
  FDrag.ZoomState = TZoomState::zsIdle;
}

}  // namespace mivo
