// TColorScale mouse handling: the crosshair drag, the anchored pan/zoom of the
// colour range and the OnMouseMoveInScale report.
#include <algorithm>
#include <cmath>

#include "mivo/colorscale/colorscale.h"

namespace mivo {

void TColorScale::MouseDown(TMouseButton button, TShiftState shift, std::int32_t x, std::int32_t y) {
  TCustomControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft || FMouseAction != TMouseActMode::maColorScaleZoomPan) return;
  FMouseAnchorX = x;
  FMouseAnchorY = y;
  FAnchorSclLow = FScale->RangeLow();
  FAnchorSclHigh = FScale->RangeHigh();
  const bool horizontal = Horizontal();
  FZoomPanMode = ZoomPanModeAt(horizontal, horizontal ? x : y, horizontal ? FMarginLeft : FMarginTop, BarLength());
}

void TColorScale::MouseMove(TShiftState shift, std::int32_t x, std::int32_t y) {
  TCustomControl::MouseMove(shift, x, y);
  const bool horizontal = Horizontal();
  if (!shift.Contains(TShiftStateItem::ssLeft)) {
    FLeftButWasDown = false;  // a move without the button ends a crosshair drag
  } else if (FMouseAction == TMouseActMode::maMoveCrossHair) {
    if (FCrossHair->Mode() != TCrossHMode::chOff) {
      if (!FLeftButWasDown) {
        FLeftButWasDown = true;  // the first move only marks the drag
      } else {
        // Limited to the axis range, whichever way round it runs.
        const double lo = std::fmin(FScale->RangeLow(), FScale->RangeHigh());
        const double hi = std::fmax(FScale->RangeLow(), FScale->RangeHigh());
        double v = FScale->ConvertPixelToScale(horizontal ? x : y);
        v = std::fmin(std::fmax(v, lo), hi);
        if (std::isfinite(v)) {
          FCrossHair->SetPos(v, v);  // repaints through the crosshair's notification
          DoCrossHMoveEvent();
        }
      }
    }
  } else if (FMouseAction == TMouseActMode::maColorScaleZoomPan) {
    // Each step is computed from the anchors alone, so repeated or coalesced
    // move messages give the same range for the same pointer position.
    const std::int64_t delta =
        horizontal ? std::int64_t(x) - FMouseAnchorX : std::int64_t(FMouseAnchorY) - y;
    const double shiftValue =
        ZoomPanShift(FAnchorSclHigh - FAnchorSclLow, std::int32_t(std::clamp<std::int64_t>(delta, INT32_MIN, INT32_MAX)),
                     BarLength());
    const TValueRange r = ZoomPanRange(FZoomPanMode, FAnchorSclLow, FAnchorSclHigh, shiftValue);
    FScale->SetRange(r.Low, r.High);  // refuses what it cannot map
    ReadBackRange();
    FColorLow = FColSclMin;
    FColorHigh = FColSclMax;
    TriggerPaint();
  }
  const bool inScale = x >= FMarginLeft && std::int64_t(x) <= std::int64_t(FWidth) - FMarginRight &&
                       y >= FMarginTop && std::int64_t(y) <= std::int64_t(FHeight) - FMarginBottom;
  MouseMoveInScale(inScale, shift, FScale->ConvertPixelToScale(horizontal ? x : y));
}

void TColorScale::MouseUp(TMouseButton button, TShiftState, std::int32_t, std::int32_t) {
  if (button == TMouseButton::mbLeft && FMouseAction == TMouseActMode::maColorScaleZoomPan) DoZoomPanEvent();
}

}  // namespace mivo
