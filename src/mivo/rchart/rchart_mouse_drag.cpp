// TCustomRChart mouse drags: panning, drag zoom, zoom and selection windows,
// crosshair and text-label dragging, and the wheel zoom. Every step of a pan
// or drag zoom starts from the anchors taken when the drag was picked up.
#include <algorithm>
#include <cmath>
#include <limits>

#include "mivo/platform/host.h"
#include "mivo/rchart/rchart.h"
#include "mivo/rchart/rchart_internal.h"

namespace mivo {

namespace {

// One wheel notch (120 units) shrinks the ranges to this share.
constexpr long double kWheelZoomStep = 0.8L;
constexpr long double kWheelNotch = 120.0L;
// Bursts beyond this many notches in one message count as this many.
constexpr long double kWheelMaxNotches = 50.0L;

// The low bound snapped to the pan grid: truncated toward zero to a multiple
// of the step; no snapping for a step that is not positive and finite.
long double SnapToGrid(long double v, double step) {
  if (!(step > 0) || !std::isfinite(step)) return v;
  const long double q = std::trunc(v / step) * step;
  return std::isfinite(q) ? q : v;
}

bool IsFinite(long double a, long double b, long double c, long double d) {
  return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

// Moves a crosshair or text label without its change notification: the
// caller paints once.
template <typename T>
void SetPosSilently(T& object, double x, double y) {
  detail::TMuted muted(object.OnChange);
  object.SetPos(x, y);
}

// The horizontal and vertical extents of the data area used by the drags
// (without the +1 of the bitmap size).
struct TDataSpan {
  std::int64_t w, h;
};

}  // namespace

void TCustomRChart::RecordMouseAnchors(std::int32_t x, std::int32_t y) {
  for (std::int32_t i = 1; i <= kNumLayers; ++i) {
    const std::size_t k = LayerIx(i);
    FDrag.AnchorScrX[k] = x;
    FDrag.AnchorScrY[k] = y;
    FDrag.AnchorLoX[k] = ScalePropsX(i).RangeLow();
    FDrag.AnchorHiX[k] = ScalePropsX(i).RangeHigh();
    FDrag.AnchorLoY[k] = ScalePropsY(i).RangeLow();
    FDrag.AnchorHiY[k] = ScalePropsY(i).RangeHigh();
  }
}

// ---------------------------------------------------------------- pan

void TCustomRChart::MousePan(std::int32_t x, std::int32_t y) {
  if (!InDataArea(x, y)) return;
  const TDataSpan d{std::int64_t(Width()) - RcLRim - RcRRim - F3DRim,
                    std::int64_t(Height()) - RcTRim - RcBRim - F3DRim};
  if (d.w <= 0 || d.h <= 0) return;
  const TMouseActMode mode = RcMouseAction;
  TPaintHold hold(FSuppressPaint);
  for (std::int32_t i = 1; i <= kNumLayers; ++i) {
    if (!GetMAffLayer(i)) continue;
    const std::size_t k = LayerIx(i);
    const TScaleProps& px = ScalePropsX(i);
    const TScaleProps& py = ScalePropsY(i);
    if (mode == TMouseActMode::maPanGrid && (px.Logarithmic() || py.Logarithmic())) continue;
    const long double loX = px.RangeLow(), hiX = px.RangeHigh();
    const long double loY = py.RangeLow(), hiY = py.RangeHigh();
    long double nLoX = loX, nHiX = hiX, nLoY = loY, nHiY = hiY;
    if (mode != TMouseActMode::maPanVert) {
      if (px.Logarithmic()) {
        const long double f = std::exp(std::log(hiX / loX) * (std::int64_t(FDrag.AnchorScrX[k]) - x) / d.w);
        nLoX = FDrag.AnchorLoX[k] * f;
        nHiX = FDrag.AnchorHiX[k] * f;
      } else {
        const long double s = (hiX - loX) * (std::int64_t(x) - FDrag.AnchorScrX[k]) / d.w;
        nLoX = FDrag.AnchorLoX[k] - s;
        nHiX = FDrag.AnchorHiX[k] - s;
      }
    }
    if (mode != TMouseActMode::maPanHoriz) {
      if (py.Logarithmic()) {
        const long double g = std::exp(std::log(hiY / loY) * (std::int64_t(y) - FDrag.AnchorScrY[k]) / d.h);
        nLoY = FDrag.AnchorLoY[k] * g;
        nHiY = FDrag.AnchorHiY[k] * g;
      } else {
        const long double t = (hiY - loY) * (std::int64_t(y) - FDrag.AnchorScrY[k]) / d.h;
        nLoY = FDrag.AnchorLoY[k] + t;
        nHiY = FDrag.AnchorHiY[k] + t;
      }
    }
    if (mode == TMouseActMode::maPanGrid) {
      nLoX = SnapToGrid(nLoX, FPanGridDx);
      nHiX = nLoX + (static_cast<long double>(FDrag.AnchorHiX[k]) - FDrag.AnchorLoX[k]);
      nLoY = SnapToGrid(nLoY, FPanGridDy);
      nHiY = nLoY + (static_cast<long double>(FDrag.AnchorHiY[k]) - FDrag.AnchorLoY[k]);
    }
    ForceRange(i, nLoX, nLoY, nHiX, nHiY, false, true);
  }
  SetSuppressPaint(hold.Release());
  DoZoomPanEvent();
}

// ---------------------------------------------------------------- drag zoom

void TCustomRChart::MouseDragZoom(std::int32_t x, std::int32_t y) {
  if (!InDataArea(x, y) || Width() <= 0 || Height() <= 0) return;
  const std::size_t k0 = LayerIx(1);
  const long double gx = 1 - static_cast<long double>(std::int64_t(x) - FDrag.AnchorScrX[k0]) / Width();
  const long double gy = FIsometric ? gx : 1 + static_cast<long double>(std::int64_t(y) - FDrag.AnchorScrY[k0]) / Height();
  // A drag picked up far outside the control could ask for a factor of zero
  // or below, which would flip or collapse the axes: such a step is skipped.
  if (!(gx > 0) || !(gy > 0)) return;
  TPaintHold hold(FSuppressPaint);
  for (std::int32_t i = 1; i <= kNumLayers; ++i) {
    if (!GetMAffLayer(i)) continue;
    const std::size_t k = LayerIx(i);
    const long double cx = (static_cast<long double>(FDrag.AnchorLoX[k]) + FDrag.AnchorHiX[k]) / 2;
    const long double cy = (static_cast<long double>(FDrag.AnchorLoY[k]) + FDrag.AnchorHiY[k]) / 2;
    const long double hx = (static_cast<long double>(FDrag.AnchorHiX[k]) - FDrag.AnchorLoX[k]) * gx / 2;
    const long double hy = (static_cast<long double>(FDrag.AnchorHiY[k]) - FDrag.AnchorLoY[k]) * gy / 2;
    ForceRange(i, cx - hx, cy - hy, cx + hx, cy + hy, false, true);
  }
  SetSuppressPaint(hold.Release());
  DoZoomPanEvent();
}

// ---------------------------------------------------------------- windows

void TCustomRChart::MouseMoveWindow(std::int32_t& x, std::int32_t& y) {
  if (RcMouseAction == TMouseActMode::maRubberBand) {
    ClampToDataArea(x, y);
  } else {
    std::int32_t unusedY = RcTRim;
    ClampToDataArea(x, unusedY);
    const bool zoom =
        RcMouseAction == TMouseActMode::maZoomWind || RcMouseAction == TMouseActMode::maZoomWindAligned;
    if (zoom && FIsometric) {
      const std::int64_t ddx = std::int64_t(x) - FDrag.WindAnchorX;
      const std::int64_t ddy = std::int64_t(y) - FDrag.WindAnchorY;
      y = detail::Sat32(ddx * ddy < 1 ? std::int64_t(FDrag.WindAnchorY) - ddx : std::int64_t(FDrag.WindAnchorY) + ddx);
    }
    std::int32_t unusedX = RcLRim;
    ClampToDataArea(unusedX, y);
  }
  if (FDrag.WindFigureShown) XorWindowFigure();
  FDrag.WindOldCornerX = x;
  FDrag.WindOldCornerY = y;
  XorWindowFigure();
}

void TCustomRChart::MouseWindowReleased(TMouseButton button) {
  FDrag.ZoomState = TZoomState::zsIdle;
  // Erased on every release, so no figure stays behind when nothing repaints.
  if (FDrag.WindFigureShown) XorWindowFigure();
  if (button != TMouseButton::mbLeft) return;
  if (FDrag.WindAnchorX == FDrag.WindOldCornerX || FDrag.WindAnchorY == FDrag.WindOldCornerY) return;
  const TMouseActMode mode = RcMouseAction;
  TPaintHold hold(FSuppressPaint);
  for (std::int32_t i = 1; i <= kNumLayers; ++i) {
    if (!GetMAffLayer(i)) continue;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    M2R(i, FDrag.WindAnchorX, FDrag.WindAnchorY, x1, y1);
    M2R(i, FDrag.WindOldCornerX, FDrag.WindOldCornerY, x2, y2);
    if (!IsFinite(x1, y1, x2, y2)) continue;
    if (mode == TMouseActMode::maZoomWindAligned || mode == TMouseActMode::maSelectRect) {
      const bool ascX = ScalePropsX(i).RangeHigh() >= ScalePropsX(i).RangeLow();
      const bool ascY = ScalePropsY(i).RangeHigh() >= ScalePropsY(i).RangeLow();
      if ((x1 > x2 && ascX) || (x1 < x2 && !ascX)) std::swap(x1, x2);
      if ((y1 > y2 && ascY) || (y1 < y2 && !ascY)) std::swap(y1, y2);
    }
    switch (mode) {
      case TMouseActMode::maRubberBand: DoRubberBandEvent(i, x1, y1, x2, y2); break;
      case TMouseActMode::maSelectRect: DoSelectRectEvent(i, x1, y1, x2, y2); break;
      default: ForceRange(i, x1, y1, x2, y2, true, false); break;
    }
  }
  DoZoomPanEvent();
  SetSuppressPaint(hold.Release());
}

// ---------------------------------------------------------------- crosshairs

void TCustomRChart::MouseMoveCrossHair(std::int32_t x, std::int32_t y) {
  if (!FDrag.LButtonWasDown) {
    FDrag.CrossHairNext = 1;
    double best = std::numeric_limits<double>::infinity();
    std::int32_t bestPx = 0, bestPy = 0;
    for (std::int32_t c = 1; c <= kNumCrossHairs; ++c) {
      const TCrossHair& ch = CrossHair(c);
      std::int32_t px = 0, py = 0;
      R2M(ch.Layer(), ch.PosX(), ch.PosY(), px, py);
      if (c == 1) {
        bestPx = px;
        bestPy = py;
      }
      const double dx = double(px) - x, dy = double(py) - y;
      const bool vertical = detail::ShowsVerticalLine(ch.Mode());
      const bool horizontal = detail::ShowsHorizontalLine(ch.Mode());
      for (const double dist : {vertical ? dx * dx : best, horizontal ? dy * dy : best}) {
        if (dist < best) {
          best = dist;
          FDrag.CrossHairNext = c;
          bestPx = px;
          bestPy = py;
        }
      }
    }
    bool allowMove = true;
    if (OnBeforeCrossHairMove)
      OnBeforeCrossHairMove(*this, CrossHair(FDrag.CrossHairNext), detail::Sat32(std::int64_t(x) - bestPx),
                            detail::Sat32(std::int64_t(y) - bestPy), allowMove);
    if (allowMove) {
      RecordMouseAnchors(x, y);
      FDrag.LButtonWasDown = true;
    }
    return;
  }
  TCrossHair& ch = CrossHair(FDrag.CrossHairNext);
  double wx = 0, wy = 0;
  M2R(ch.Layer(), x, y, wx, wy);
  if (!std::isfinite(wx) || !std::isfinite(wy)) return;
  SetPosSilently(ch, wx, wy);
  Paint();
  DoCrossHMoveEvent(ch);
}

// ---------------------------------------------------------------- text labels

void TCustomRChart::MouseMoveTextLabel(std::int32_t x, std::int32_t y) {
  if (!FDrag.LButtonWasDown) {
    RecordMouseAnchors(x, y);
    FDrag.TextLabelNext = 1;
    double best = std::numeric_limits<double>::infinity();
    for (std::int32_t l = 1; l <= kNumTextLabels; ++l) {
      const TTextLabel& tl = TextLabels(l);
      if (!tl.Visible() || tl.Mode() == TTxtLblMode::tlOff) continue;
      std::int32_t wx = 0, wy = 0;
      R2M(tl.Layer(), tl.PosX(), tl.PosY(), wx, wy);
      std::int32_t px = RoundToInt(tl.PosX(), std::int32_t(kPixelClamp));
      std::int32_t py = RoundToInt(tl.PosY(), std::int32_t(kPixelClamp));
      const TTxtLblAttachMode a = tl.AttachToData();
      if (a == TTxtLblAttachMode::tamXOnly || a == TTxtLblAttachMode::tamBoth) px = wx;
      if (a == TTxtLblAttachMode::tamYOnly || a == TTxtLblAttachMode::tamBoth) py = wy;
      const double dx = double(px) - x, dy = double(py) - y;
      const double dist = dx * dx + dy * dy;
      if (dist < best) {
        best = dist;
        FDrag.TextLabelNext = l;
      }
    }
    FDrag.LButtonWasDown = true;
    return;
  }
  TTextLabel& tl = TextLabels(FDrag.TextLabelNext);
  double wx = 0, wy = 0;
  M2R(tl.Layer(), x, y, wx, wy);
  double nx = tl.PosX(), ny = tl.PosY();
  switch (tl.AttachToData()) {
    case TTxtLblAttachMode::tamNone:
      nx = x;
      ny = y;
      break;
    case TTxtLblAttachMode::tamXOnly:
      nx = wx;
      ny = y;
      break;
    case TTxtLblAttachMode::tamYOnly:
      nx = x;
      ny = wy;
      break;
    case TTxtLblAttachMode::tamBoth:
      nx = wx;
      ny = wy;
      break;
  }
  if (!std::isfinite(nx) || !std::isfinite(ny)) return;
  SetPosSilently(tl, nx, ny);
  Paint();
  DoTxtLblMoveEvent(tl);
}

// ---------------------------------------------------------------- wheel

bool TCustomRChart::DoMouseWheel(TShiftState shift, std::int32_t wheelDelta, TPoint mousePos) {
  const bool handled = TCustomControl::DoMouseWheel(shift, wheelDelta, mousePos);
  if (handled || !FMouseWheelZoom || wheelDelta == 0 || !InDataArea(mousePos.x, mousePos.y)) return handled;
  WheelZoom(wheelDelta, mousePos.x, mousePos.y);
  return true;
}

void TCustomRChart::WheelZoom(std::int32_t wheelDelta, std::int32_t x, std::int32_t y) {
  const long double notches = std::clamp(wheelDelta / kWheelNotch, -kWheelMaxNotches, kWheelMaxNotches);
  const long double f = std::pow(kWheelZoomStep, notches);
  // Ranges shrink (or grow) toward the world point under the pointer, in log
  // space on a logarithmic axis, so that point stays under the pointer.
  const auto scaleAxis = [f](const TScaleProps& p, long double at, long double& lo, long double& hi) {
    lo = p.RangeLow();
    hi = p.RangeHigh();
    if (p.Logarithmic()) {
      if (!(at > 0) || !(lo > 0) || !(hi > 0)) return;
      lo = at * std::pow(lo / at, f);
      hi = at * std::pow(hi / at, f);
    } else {
      lo = at + (lo - at) * f;
      hi = at + (hi - at) * f;
    }
  };
  TPaintHold hold(FSuppressPaint);
  for (std::int32_t i = 1; i <= kNumLayers; ++i) {
    if (!GetMAffLayer(i)) continue;
    double wx = 0, wy = 0;
    M2R(i, x, y, wx, wy);
    if (!std::isfinite(wx) || !std::isfinite(wy)) continue;
    long double xLo = 0, xHi = 0, yLo = 0, yHi = 0;
    scaleAxis(ScalePropsX(i), wx, xLo, xHi);
    scaleAxis(ScalePropsY(i), wy, yLo, yHi);
    ForceRange(i, xLo, yLo, xHi, yHi, false, true);
  }
  // One history entry per burst: later turns of the same burst rewrite the
  // entry of the first, unless something else was recorded meanwhile.
  if (FDrag.WheelBurst && FZoomHistory.Pointer() == FDrag.WheelStackPoi) FZoomHistory.StepBack();
  ZoomStateOnStack();
  FDrag.WheelStackPoi = FZoomHistory.Pointer();
  FDrag.WheelBurst = true;
  SetSuppressPaint(hold.Release());
  DoZoomPanEvent();
}

}  // namespace mivo
