// The range pipeline SetRange -> SetRangeIntern -> ForceRange ->
// ForceRngIntern, autorange, confinement and the 16-entry zoom history.
#include <algorithm>
#include <cmath>

#include "mivo/rchart/rchart.h"
#include "mivo/rchart/rchart_internal.h"

namespace mivo {

namespace {

// A request narrower than this share of an axis' MinRange is dropped.
constexpr long double kMinRangeShare = 0.99L;
constexpr long double kLogDegenerateFactor = 1.1L;

bool IsPanX(TMouseActMode m) { return m == TMouseActMode::maPan || m == TMouseActMode::maPanHoriz; }
bool IsPanY(TMouseActMode m) { return m == TMouseActMode::maPan || m == TMouseActMode::maPanVert; }

}  // namespace

// ---------------------------------------------------------------- ForceRngIntern

void TCustomRChart::ConfineAxis(long double& lo, long double& hi, long double zmin, long double zmax,
                                bool panning) const {
  const long double d = hi - lo;
  if (lo < zmin) {
    if (panning) hi = zmin + d;
    lo = zmin;
  }
  if (lo > zmax) {
    if (panning) hi = zmax + d;
    lo = zmax;
  }
  if (hi < zmin) {
    if (panning) lo = zmin - d;
    hi = zmin;
  }
  if (hi > zmax) {
    if (panning) lo = zmax - d;
    hi = zmax;
  }
}

bool TCustomRChart::WriteAxis(TScaleProps& props, long double lo, long double hi) {
  const double l = double(lo), h = double(hi);
  // Non-finite bounds never reach the scales or the pixel mapping.
  if (!std::isfinite(l) || !std::isfinite(h)) return false;
  if (kMinRangeShare * props.MinRange() > std::fabs(hi - lo)) return false;
  double newLo = props.RangeLow(), newHi = props.RangeHigh();
  bool wrote = false;
  if (props.Logarithmic()) {
    if (l >= kLogAxisMin) {
      newLo = l;
      wrote = true;
    }
    if (h >= kLogAxisMin) {
      newHi = h;
      wrote = true;
    }
  } else {
    newLo = l;
    newHi = h;
    wrote = true;
  }
  // Whatever the request, no axis is left with an empty range.
  if (!wrote || newLo == newHi) return false;
  props.WriteRange(newLo, newHi);
  return true;
}

void TCustomRChart::ForceRngIntern(std::int32_t layer, long double xLo, long double yLo, long double xHi,
                                   long double yHi, bool pushZoomState, bool confine) {
  if (layer < 1 || layer > kNumLayers) return;
  const bool confined = FZoomRange[0] != 0 || FZoomRange[1] != 0 || FZoomRange[2] != 0 || FZoomRange[3] != 0;
  if (confine && confined) {
    ConfineAxis(xLo, xHi, FZoomRange[0], FZoomRange[2], IsPanX(RcMouseAction));
    ConfineAxis(yLo, yHi, FZoomRange[1], FZoomRange[3], IsPanY(RcMouseAction));
  }
  bool changed = WriteAxis(ScalePropsX(layer), xLo, xHi);
  changed = WriteAxis(ScalePropsY(layer), yLo, yHi) || changed;
  ScalesFollowSettings(layer);
  if (pushZoomState && changed) ZoomStateOnStack();
  AdjustScaling();
}

// ---------------------------------------------------------------- ForceRange

void TCustomRChart::ForceRange(std::int32_t layer, long double xLo, long double yLo, long double xHi,
                               long double yHi, bool pushZoomState, bool confine) {
  if (layer < 1 || layer > kNumLayers) return;
  TPaintHold hold(FSuppressPaint);
  // An axis controlled by another layer never changes through its own layer.
  if (FJointLayers->GetControlledLayerX(layer) != layer) {
    xLo = ScalePropsX(layer).RangeLow();
    xHi = ScalePropsX(layer).RangeHigh();
  }
  if (FJointLayers->GetControlledLayerY(layer) != layer) {
    yLo = ScalePropsY(layer).RangeLow();
    yHi = ScalePropsY(layer).RangeHigh();
  }
  ForceRngIntern(layer, xLo, yLo, xHi, yHi, pushZoomState, confine);
  for (std::int32_t other = 1; other <= kNumLayers; ++other) {
    if (other == layer) continue;
    const std::int32_t cx = FJointLayers->GetControlledLayerX(other);
    const std::int32_t cy = FJointLayers->GetControlledLayerY(other);
    if (cx != layer && cy != layer) continue;
    // The followers record the history only when the call itself does, so
    // that restoring an entry never pushes one.
    ForceRngIntern(other, ScalePropsX(cx).RangeLow(), ScalePropsY(cy).RangeLow(), ScalePropsX(cx).RangeHigh(),
                   ScalePropsY(cy).RangeHigh(), pushZoomState, false);
  }
  SetSuppressPaint(hold.Release());
}

// ---------------------------------------------------------------- SetRangeIntern and SetRange

void TCustomRChart::SetRangeIntern(std::int32_t layer, long double xLo, long double yLo, long double xHi,
                                   long double yHi, bool pushZoomState, bool confine) {
  if (layer < 1 || layer > kNumLayers) return;
  const auto widen = [](const TScaleProps& p, long double& lo, long double& hi) {
    if (lo != hi) return;
    if (p.Logarithmic()) {
      hi *= kLogDegenerateFactor;
      lo /= kLogDegenerateFactor;
    } else {
      hi += p.MinRange() / 2;
      lo -= p.MinRange() / 2;
    }
  };
  widen(ScalePropsX(layer), xLo, xHi);
  widen(ScalePropsY(layer), yLo, yHi);
  long double half = 0;
  if (FIsometric && IsoHalfHeight(xLo, xHi, half)) {
    const long double centre = (yLo + yHi) / 2;
    yLo = centre - half;
    yHi = centre + half;
  }
  ForceRange(layer, xLo, yLo, xHi, yHi, pushZoomState, confine);
}

void TCustomRChart::SetRange(std::int32_t layer, long double xLo, long double yLo, long double xHi,
                             long double yHi) {
  if (layer == 0) {
    SetRangeIntern(1, xLo, yLo, xHi, yHi, true, false);
    SetRangeIntern(2, xLo, yLo, xHi, yHi, true, false);
  } else {
    SetRangeIntern(layer, xLo, yLo, xHi, yHi, true, false);
  }
  if (!IsLoading()) Redraw();
}

// ---------------------------------------------------------------- equal ranges

void TCustomRChart::EqualRanges(TLayerSet layers, bool doX, bool doY) {
  long double xLo = uc_MaxDouble, yLo = uc_MaxDouble, xHi = -uc_MaxDouble, yHi = -uc_MaxDouble;
  bool any = false;
  for (std::int32_t l = 1; l <= kNumLayers; ++l) {
    if (!layers.Contains(LayerNum(l))) continue;
    any = true;
    xLo = std::min<long double>(xLo, ScalePropsX(l).RangeLow());
    xHi = std::max<long double>(xHi, ScalePropsX(l).RangeHigh());
    yLo = std::min<long double>(yLo, ScalePropsY(l).RangeLow());
    yHi = std::max<long double>(yHi, ScalePropsY(l).RangeHigh());
  }
  if (!any) return;
  // An axis left out keeps each layer's own range.
  for (std::int32_t l = 1; l <= kNumLayers; ++l) {
    if (!layers.Contains(LayerNum(l))) continue;
    const TScaleProps& px = ScalePropsX(l);
    const TScaleProps& py = ScalePropsY(l);
    SetRangeIntern(l, doX ? xLo : px.RangeLow(), doY ? yLo : py.RangeLow(), doX ? xHi : px.RangeHigh(),
                   doY ? yHi : py.RangeHigh(), true, false);
  }
}

void TCustomRChart::SetEqualRange(TLayerSet layers) { EqualRanges(layers, true, true); }
void TCustomRChart::SetEqualRangeXOnly(TLayerSet layers) { EqualRanges(layers, true, false); }
void TCustomRChart::SetEqualRangeYOnly(TLayerSet layers) { EqualRanges(layers, false, true); }

// ---------------------------------------------------------------- autorange

namespace {

struct TAxisExt {
  double lo = 0, hi = 0;
};

void WidenEqual(TAxisExt& a) {
  if (a.lo == a.hi) {
    a.lo -= 1;
    a.hi += 1;
  }
}

void Unite(TAxisExt& into, const TAxisExt& from) {
  into.lo = std::min(into.lo, from.lo);
  into.hi = std::max(into.hi, from.hi);
}

}  // namespace

void TCustomRChart::AutoRangeAxes(std::int32_t layer, double margin, double minRange, bool doX, bool doY) {
  if (layer == 0) {
    // All layers: plain extents, joined layers widen their controllers, then
    // the +-1 widening and (for a positive margin) margin and minimum range.
    std::array<TAxisExt, 2> ex, ey;
    for (std::int32_t l = 1; l <= kNumLayers; ++l) {
      auto& x = ex[LayerIx(l)];
      auto& y = ey[LayerIx(l)];
      LLCalcExtents(l, 0, 0, x.lo, y.lo, x.hi, y.hi);
    }
    for (std::int32_t j = 1; j <= kNumLayers; ++j) {
      if (!FLayerVisib[LayerIx(j)]) continue;
      const std::int32_t cx = FJointLayers->GetControlledLayerX(j), cy = FJointLayers->GetControlledLayerY(j);
      if (doX && cx != j) Unite(ex[LayerIx(cx)], ex[LayerIx(j)]);
      if (doY && cy != j) Unite(ey[LayerIx(cy)], ey[LayerIx(j)]);
    }
    for (std::int32_t k = 1; k <= kNumLayers; ++k) {
      auto& x = ex[LayerIx(k)];
      auto& y = ey[LayerIx(k)];
      if (doX) {
        WidenEqual(x);
        if (margin > 0) {
          detail::ApplyMargin(x.lo, x.hi, ScalePropsX(k).Logarithmic(), margin);
          detail::ApplyMinRange(x.lo, x.hi, minRange);
        }
      }
      if (doY) {
        WidenEqual(y);
        if (margin > 0) {
          detail::ApplyMargin(y.lo, y.hi, ScalePropsY(k).Logarithmic(), margin);
          detail::ApplyMinRange(y.lo, y.hi, minRange);
        }
      }
    }
    for (std::int32_t i = 1; i <= kNumLayers; ++i) {
      const TAxisExt& x = ex[LayerIx(FJointLayers->GetControlledLayerX(i))];
      const TAxisExt& y = ey[LayerIx(FJointLayers->GetControlledLayerY(i))];
      const TScaleProps& px = ScalePropsX(i);
      const TScaleProps& py = ScalePropsY(i);
      ForceRngIntern(i, doX ? x.lo : px.RangeLow(), doY ? y.lo : py.RangeLow(), doX ? x.hi : px.RangeHigh(),
                     doY ? y.hi : py.RangeHigh(), false, true);
    }
    Redraw();
    return;
  }
  if (layer < 1 || layer > kNumLayers) return;
  if (!(doX && doY)) FIsometric = false;
  TAxisExt x, y;
  LLCalcExtents(layer, margin, minRange, x.lo, y.lo, x.hi, y.hi);
  WidenEqual(x);
  WidenEqual(y);
  long double yLo = y.lo, yHi = y.hi, half = 0;
  if (doX && doY && FIsometric && IsoHalfHeight(x.lo, x.hi, half)) {
    const long double centre = (yLo + yHi) / 2;
    yLo = centre - half;
    yHi = centre + half;
  }
  const TScaleProps& px = ScalePropsX(layer);
  const TScaleProps& py = ScalePropsY(layer);
  ForceRange(layer, doX ? x.lo : px.RangeLow(), doY ? yLo : py.RangeLow(), doX ? x.hi : px.RangeHigh(),
             doY ? yHi : py.RangeHigh(), true, false);
  Redraw();
}

void TCustomRChart::AutoRange(std::int32_t layer, double margin, double minRange) {
  AutoRangeAxes(layer, margin, minRange, true, true);
}

void TCustomRChart::AutoRangeXOnly(std::int32_t layer, double margin, double minRange) {
  AutoRangeAxes(layer, margin, minRange, true, false);
}

void TCustomRChart::AutoRangeYOnly(std::int32_t layer, double margin, double minRange) {
  AutoRangeAxes(layer, margin, minRange, false, true);
}

// ---------------------------------------------------------------- confinement and history

void TCustomRChart::ConfineZoomRange(double xLo, double yLo, double xHi, double yHi) {
  if (!std::isfinite(xLo) || !std::isfinite(yLo) || !std::isfinite(xHi) || !std::isfinite(yHi)) return;
  FZoomRange = {xLo, yLo, xHi, yHi};
}

void TCustomRChart::ZoomStateOnStack() {
  if (IsLoading()) return;
  for (std::int32_t l = 1; l <= kNumLayers; ++l) {
    const TScaleProps& px = ScalePropsX(l);
    const TScaleProps& py = ScalePropsY(l);
    FZoomHistory.Write(LayerIx(l), {px.RangeLow(), py.RangeHigh(), px.RangeHigh(), py.RangeLow()});
  }
  FZoomHistory.Advance();
}

void TCustomRChart::ZoomHistory(std::int32_t index) {
  if (!TZoomHistory::ValidIndex(index)) return;
  for (std::int32_t l = 1; l <= kNumLayers; ++l) {
    const auto s = FZoomHistory.At(LayerIx(l), index);
    if (TZoomHistory::IsEmpty(s)) continue;
    ForceRange(l, s[0], s[3], s[2], s[1], false, false);
  }
  Paint();
}

void TCustomRChart::ClearZoomHistory() {
  FZoomHistory.Clear();
  ZoomStateOnStack();
}

TRectDouble TCustomRChart::GetZoomStackEntry(std::int32_t layer, std::int32_t stackIx) const {
  if (layer < 1 || layer > kNumLayers || !TZoomHistory::ValidIndex(stackIx)) return TRectDouble{};
  const auto& s = FZoomHistory.At(LayerIx(layer), stackIx);
  return TRectDouble{s[0], s[1], s[2], s[3]};
}

}  // namespace mivo
