// The data area, world <-> pixel mapping, item extents, margins, isometric
// correction and the standard layouts.
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

#include "mivo/rchart/item_store.h"
#include "mivo/rchart/rchart.h"
#include "mivo/rchart/rchart_internal.h"

namespace mivo {

using detail::Sat32;

namespace {

const char* const kLogAxisNegative = "Logarithmic axis must not be negative.";

// Slope and offset that map lo to pixel `first` and hi to pixel `last`
// (logarithmically when `logarithmic`). A range the mapping cannot represent
// (equal or non-finite bounds) gives slope 0 and the offset `centre`.
void AxisCoefficients(long double lo, long double hi, bool logarithmic, long double first, long double last,
                      long double centre, long double& k, long double& d) {
  long double span = hi - lo, a = lo, b = hi;
  if (logarithmic) {
    if (hi <= 0 || lo <= 0) RaiseError<EMivoRChartError>(kLogAxisNegative);
    a = std::log(lo);
    b = std::log(hi);
    span = b - a;
  }
  if (span != 0) {
    k = (last - first) / span;
    d = (b * first - a * last) / span;
  }
  if (span == 0 || !std::isfinite(k) || !std::isfinite(d)) {
    k = 0;
    d = centre;
  }
}

struct TScaleLayout {
  std::uint8_t Location;  // horizontal: 0 top, 1 bottom; vertical: 0 left, 1 right
  std::int32_t CapX, CapY;
  TAlignment Align;
  TScaleUnitAnchor Anchor;
  std::int32_t Pos;
  bool Visible;
};

struct TChartLayout {
  std::int32_t L, R, T, B;
  std::int32_t CapX, CapY;
  TAlignment Align;
  TCaptionAnchorHoriz AnchorX;
  TCaptionAnchorVert AnchorY;
  TScaleLayout X1, X2, Y1, Y2;
};

constexpr auto L = TAlignment::taLeftJustify;
constexpr auto R = TAlignment::taRightJustify;
constexpr auto C = TAlignment::taCenter;
constexpr auto A0 = TScaleUnitAnchor::uaSclTopLft;
constexpr auto A1 = TScaleUnitAnchor::uaSclCenter;
constexpr std::uint8_t kTop = 0, kBottom = 1, kLeft = 0, kRight = 1;

// The five standard layouts, in the order of TrcLayout.
constexpr TChartLayout kLayouts[5] = {
    {50, 20, 20, 40, 0, -16, R, TCaptionAnchorHoriz::cahChartRight, TCaptionAnchorVert::cavChartTop,
     {kBottom, 0, 22, C, A1, 0, true}, {kBottom, 10, 100, C, A1, 0, false},
     {kLeft, 0, -16, L, A0, 0, true}, {kLeft, 10, 100, R, A0, 0, false}},
    {100, 20, 24, 40, 0, -16, R, TCaptionAnchorHoriz::cahChartRight, TCaptionAnchorVert::cavChartTop,
     {kBottom, 0, 22, C, A1, 0, true}, {kBottom, 10, 100, C, A1, 0, false},
     {kLeft, 0, -23, R, A0, 0, true}, {kLeft, 0, -23, R, A0, 50, true}},
    {50, 50, 24, 40, 0, -20, C, TCaptionAnchorHoriz::cahChartCenter, TCaptionAnchorVert::cavChartTop,
     {kBottom, 0, 22, C, A1, 0, true}, {kBottom, 10, 100, C, A1, 0, false},
     {kLeft, 0, -23, R, A0, 0, true}, {kRight, 0, -23, L, A0, 0, true}},
    {100, 20, 24, 70, 0, -16, R, TCaptionAnchorHoriz::cahChartRight, TCaptionAnchorVert::cavChartTop,
     {kBottom, -20, 7, R, A0, 0, true}, {kBottom, -20, 7, R, A0, 30, true},
     {kLeft, 0, -23, R, A0, 0, true}, {kLeft, 0, -23, R, A0, 50, true}},
    {50, 50, 64, 40, 0, -60, C, TCaptionAnchorHoriz::cahChartCenter, TCaptionAnchorVert::cavChartTop,
     {kBottom, 0, 20, C, A1, 0, true}, {kTop, 0, -40, C, A1, 0, true},
     {kLeft, 0, -40, R, A0, 0, true}, {kRight, 0, -40, L, A0, 0, true}},
};

void ApplyScaleLayout(TScaleProps& p, const TScaleLayout& s) {
  if (auto* h = dynamic_cast<TScalePropsHoriz*>(&p))
    h->SetScaleLoc(s.Location == kTop ? TScaleLocationHoriz::slTop : TScaleLocationHoriz::slBottom);
  else if (auto* v = dynamic_cast<TScalePropsVert*>(&p))
    v->SetScaleLoc(s.Location == kLeft ? TScaleLocationVert::slLeft : TScaleLocationVert::slRight);
  p.SetCaptionPosX(s.CapX);
  p.SetCaptionPosY(s.CapY);
  p.SetCaptionAlignment(s.Align);
  p.SetCaptionAnchor(s.Anchor);
  p.SetScalePos(s.Pos);
  p.SetVisible(s.Visible);
}

}  // namespace

// ---------------------------------------------------------------- mapping

void TCustomRChart::AdjustScaling() {
  if (IsLoading()) return;
  const long double w = static_cast<long double>(Width()) - RcLRim - RcRRim - F3DRim;
  const long double h = static_cast<long double>(Height()) - RcTRim - RcBRim - F3DRim;
  const long double right = static_cast<long double>(Width()) - RcRRim - F3DRim;
  const long double bottom = static_cast<long double>(Height()) - RcBRim - F3DRim;
  for (std::size_t i = 0; i < 2; ++i) {
    const TScaleProps& px = *FScalePropsX[i];
    const TScaleProps& py = *FScalePropsY[i];
    if (w <= 0) {
      FCpkx[i] = 0;
      FCpdx[i] = static_cast<long double>(Width()) / 2;
    } else {
      AxisCoefficients(px.RangeLow(), px.RangeHigh(), px.Logarithmic(), RcLRim, right,
                       static_cast<long double>(Width()) / 2, FCpkx[i], FCpdx[i]);
    }
    if (h <= 0) {
      FCpky[i] = 0;
      FCpdy[i] = static_cast<long double>(Height()) / 2;
    } else {
      AxisCoefficients(py.RangeLow(), py.RangeHigh(), py.Logarithmic(), bottom, RcTRim,
                       static_cast<long double>(Height()) / 2, FCpky[i], FCpdy[i]);
    }
  }
}

void TCustomRChart::R2M(std::int32_t layer, double x, double y, std::int32_t& xpix, std::int32_t& ypix) const {
  const detail::TLayerMapping m = detail::LayerMapping(*this, layer);
  xpix = m.MapX(x);
  ypix = m.MapY(y);
}

void TCustomRChart::M2R(std::int32_t layer, std::int32_t xpix, std::int32_t ypix, double& x, double& y) const {
  const std::size_t i = LayerIx(layer);
  long double vx = (xpix - FCpdx[i]) / FCpkx[i];
  long double vy = (ypix - FCpdy[i]) / FCpky[i];
  if (FScalePropsX[i]->Logarithmic()) vx = std::exp(vx);
  if (FScalePropsY[i]->Logarithmic()) vy = std::exp(vy);
  x = double(vx);
  y = double(vy);
}

// ---------------------------------------------------------------- extents

namespace {

// Running minimum and maximum of one axis over finite values.
struct TExtent {
  double lo = uc_MaxDouble, hi = -uc_MaxDouble;
  bool any = false;
  void Include(double v) {
    if (!std::isfinite(v)) return;
    if (v < lo) lo = v;
    if (v > hi) hi = v;
    any = true;
  }
};

}  // namespace

void TCustomRChart::LLCalcExtents(std::int32_t layer, double margin, double minRange, double& xmin, double& ymin,
                                  double& xmax, double& ymax) const {
  TExtent ex, ey;
  bool found = false;
  const detail::TItemStore* st = FNumChartItems > 0 ? FDataContainer.Get() : nullptr;
  for (std::int32_t i = 0; st && i < FNumChartItems; ++i) {
    const detail::TItemHead& h = st->Head(std::size_t(i));
    if (h.Layer != layer) continue;
    found = true;
    const TrcItem k = h.Kind;
    const double x = st->X()[i], y = st->Y()[i];
    if (!IsRelPixKind(k)) {
      ex.Include(x);
      ey.Include(y);
    }
    // A plain item's second point is (0, 0).
    const detail::TItemExtra* e = st->Extra(std::size_t(i));
    const double x2 = e ? e->x2 : 0, y2 = e ? e->y2 : 0;
    if (HasSecondPoint(k)) {
      ex.Include(x2);
      ey.Include(y2);
    } else if (k == TrcItem::tkEllipse || k == TrcItem::tkArc) {
      ex.Include(x - x2);
      ey.Include(y - y2);
      ex.Include(x + x2);
      ey.Include(y + y2);
    }
  }
  xmin = ymin = xmax = ymax = 0;
  if (!found) return;
  // An axis without a single finite coordinate behaves as an empty layer.
  if (ex.any) {
    xmin = ex.lo;
    xmax = ex.hi;
    detail::ApplyMargin(xmin, xmax, ScalePropsX(layer).Logarithmic(), margin);
    detail::ApplyMinRange(xmin, xmax, minRange);
  }
  if (ey.any) {
    ymin = ey.lo;
    ymax = ey.hi;
    detail::ApplyMargin(ymin, ymax, ScalePropsY(layer).Logarithmic(), margin);
    detail::ApplyMinRange(ymin, ymax, minRange);
  }
}

void TCustomRChart::LLCalcMinMax(std::int32_t layer, double xlo, double ylo, double xhi, double yhi, double& xmin,
                                 double& ymin, double& xmax, double& ymax) const {
  xmin = ymin = uc_MaxDouble;
  xmax = ymax = -uc_MaxDouble;
  const auto take = [&](double px, double py) {
    if (!(xlo < px && px < xhi && ylo < py && py < yhi)) return;
    xmin = std::min(xmin, px);
    xmax = std::max(xmax, px);
    ymin = std::min(ymin, py);
    ymax = std::max(ymax, py);
  };
  const detail::TItemStore* st = FNumChartItems > 0 ? FDataContainer.Get() : nullptr;
  for (std::int32_t i = 0; st && i < FNumChartItems; ++i) {
    const detail::TItemHead& h = st->Head(std::size_t(i));
    if (layer != 0 && h.Layer != layer) continue;
    if (!IsRelPixKind(h.Kind)) take(st->X()[i], st->Y()[i]);
    if (HasSecondPoint(h.Kind)) {
      const detail::TItemExtra* e = st->Extra(std::size_t(i));
      take(e ? e->x2 : 0, e ? e->y2 : 0);
    }
  }
}

// ---------------------------------------------------------------- data area

std::int32_t TCustomRChart::DataAreaWidth() const {
  const std::int64_t w = std::int64_t(Width()) - RcLRim - RcRRim - F3DRim + 1;
  return std::int32_t(std::clamp<std::int64_t>(w, 0, TCustomControl::MaxSurfaceSide));
}

std::int32_t TCustomRChart::DataAreaHeight() const {
  const std::int64_t h = std::int64_t(Height()) - RcTRim - RcBRim - F3DRim + 1;
  return std::int32_t(std::clamp<std::int64_t>(h, 0, TCustomControl::MaxSurfaceSide));
}

void TCustomRChart::ResizeGrafBmp() {
  // A new size clears the data bitmap: the picture keeps what it showed.
  if (FGrafBmp.Width() != DataAreaWidth() || FGrafBmp.Height() != DataAreaHeight()) SyncChartBmp();
  FGrafBmp.SetSize(DataAreaWidth(), DataAreaHeight());
}

void TCustomRChart::ApplyScaleMargins(bool left, bool right, bool top, bool bottom) {
  for (std::size_t i = 0; i < 2; ++i) {
    if (left) FScalesX[i]->SetMarginLeft(RcLRim);
    if (right) FScalesX[i]->SetMarginRight(Sat32(std::int64_t(RcRRim) + F3DRim - 1));
    if (top) FScalesY[i]->SetMarginTop(RcTRim);
    if (bottom) FScalesY[i]->SetMarginBottom(Sat32(std::int64_t(RcBRim) + F3DRim - 1));
  }
}

void TCustomRChart::KeepLayoutOnFailure(const std::function<void()>& change) {
  const std::array<std::int32_t, 5> rims{RcLRim, RcRRim, RcTRim, RcBRim, F3DRim};
  const bool isometric = FIsometric;
  const std::array<std::int32_t, 4> bounds{Left(), Top(), Width(), Height()};
  std::array<TScalePropsHoriz, kNumLayers> xs;
  std::array<TScalePropsVert, kNumLayers> ys;
  for (std::int32_t layer = 1; layer <= kNumLayers; ++layer) {
    xs[std::size_t(layer - 1)].Assign(ScalePropsX(layer));
    ys[std::size_t(layer - 1)].Assign(ScalePropsY(layer));
  }
  try {
    change();
  } catch (...) {
    // Best effort: the old layout worked before, so this should not raise;
    // if it does, the first error is the one worth reporting.
    try {
      TPaintHold hold(FSuppressPaint);
      RcLRim = rims[0];
      RcRRim = rims[1];
      RcTRim = rims[2];
      RcBRim = rims[3];
      F3DRim = rims[4];
      FIsometric = isometric;
      TCustomControl::SetBounds(bounds[0], bounds[1], bounds[2], bounds[3]);
      ResizeGrafBmp();
      for (std::int32_t layer = 1; layer <= kNumLayers; ++layer) {
        ScalePropsX(layer).Assign(xs[std::size_t(layer - 1)]);
        ScalePropsY(layer).Assign(ys[std::size_t(layer - 1)]);
        ScaleX(layer).SetBounds(0, 0, Width(), Height());
        ScaleY(layer).SetBounds(0, 0, Width(), Height());
      }
      ApplyScaleMargins(true, true, true, true);
      AdjustScaling();
    } catch (...) {
    }
    throw;
  }
}

void TCustomRChart::SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
  if (!FConstructed) {
    TCustomControl::SetBounds(left, top, width, height);
    return;
  }
  KeepLayoutOnFailure([&] {
    TPaintHold hold(FSuppressPaint);
    height = std::max(height, Sat32(std::int64_t(RcTRim) + RcBRim + F3DRim + 20));
    width = std::max(width, Sat32(std::int64_t(RcLRim) + RcRRim + F3DRim + 80));
    TCustomControl::SetBounds(left, top, width, height);
    for (std::int32_t layer = 1; layer <= kNumLayers; ++layer) {
      if (FIsometric) IsoCorrectLayer(layer);
      TScale& sx = ScaleX(layer);
      SetScaleProps(sx, ScalePropsX(layer));
      sx.SetBounds(0, 0, Width(), Height());
      TScale& sy = ScaleY(layer);
      SetScaleProps(sy, ScalePropsY(layer));
      sy.SetBounds(0, 0, Width(), Height());
    }
    ApplyScaleMargins(true, true, true, true);
    TCustomControl::SetBounds(left, top, width, height);
    AdjustScaling();
  });
}

// ---------------------------------------------------------------- isometric

bool TCustomRChart::IsoHalfHeight(long double xLo, long double xHi, long double& half) const {
  const long double wd = static_cast<long double>(Width()) - RcLRim - RcRRim - F3DRim + 1;
  const long double hd = static_cast<long double>(Height()) - RcTRim - RcBRim - F3DRim + 1;
  // Without a data area or a pixel aspect there is nothing to keep equal.
  if (wd <= 0 || hd <= 0 || Fxasp <= 0 || Fyasp <= 0) return false;
  half = (xHi - xLo) * hd / wd * Fyasp / Fxasp / 2;
  return std::isfinite(half);
}

void TCustomRChart::IsoCorrectLayer(std::int32_t layer) {
  const TScaleProps& px = ScalePropsX(layer);
  TScaleProps& py = ScalePropsY(layer);
  long double half = 0;
  if (!IsoHalfHeight(px.RangeLow(), px.RangeHigh(), half)) return;
  const long double mid = (static_cast<long double>(py.RangeHigh()) + py.RangeLow()) / 2;
  py.SetRangeHigh(double(mid + half));
  py.SetRangeLow(double(mid - half));
}

void TCustomRChart::SetIsoMetric(bool on) {
  KeepLayoutOnFailure([&] {
    FIsometric = on;
    if (!on) return;
    {
      TPaintHold hold(FSuppressPaint);
      for (std::int32_t layer = 1; layer <= kNumLayers; ++layer) IsoCorrectLayer(layer);
    }
    ZoomStateOnStack();
    Redraw();
  });
}

// ---------------------------------------------------------------- margins

void TCustomRChart::SetRim(std::int32_t& field, std::int32_t v, bool left, bool right, bool top, bool bottom) {
  KeepLayoutOnFailure([&] {
    field = v;
    DataAreaChanged();
    ResizeGrafBmp();
    {
      TPaintHold hold(FSuppressPaint);
      for (std::int32_t layer = 1; layer <= kNumLayers; ++layer) {
        if (FIsometric) IsoCorrectLayer(layer);
        ScalesFollowSettings(layer);
      }
      ApplyScaleMargins(left, right, top, bottom);
      AdjustScaling();
    }
    Redraw();
  });
}

void TCustomRChart::SetLRim(std::int32_t v) { SetRim(RcLRim, v, true, false, false, false); }
void TCustomRChart::SetRRim(std::int32_t v) { SetRim(RcRRim, v, false, true, false, false); }
void TCustomRChart::SetTRim(std::int32_t v) { SetRim(RcTRim, v, false, false, true, false); }
void TCustomRChart::SetBRim(std::int32_t v) { SetRim(RcBRim, v, false, false, false, true); }

void TCustomRChart::SetF3DRim(std::int32_t v) {
  KeepLayoutOnFailure([&] {
    F3DRim = std::clamp(v, 0, 32);
    DataAreaChanged();
    ResizeGrafBmp();
    {
      TPaintHold hold(FSuppressPaint);
      ScalesFollowSettings();
      ApplyScaleMargins(false, true, false, true);
      AdjustScaling();
    }
    Redraw();
  });
}

// ---------------------------------------------------------------- standard layouts

void TCustomRChart::SetStdLayout(TrcLayout layout) {
  const auto ix = std::size_t(layout);
  if (ix >= std::size(kLayouts)) return;
  const TChartLayout& c = kLayouts[ix];
  TPaintHold hold(FSuppressPaint);
  SetLRim(c.L);
  SetRRim(c.R);
  SetTRim(c.T);
  SetBRim(c.B);
  SetCaptPosX(c.CapX);
  SetCaptPosY(c.CapY);
  SetCaptAlignment(c.Align);
  SetCaptAnchorX(c.AnchorX);
  SetCaptAnchorY(c.AnchorY);
  ApplyScaleLayout(ScalePropsX(1), c.X1);
  ApplyScaleLayout(ScalePropsX(2), c.X2);
  ApplyScaleLayout(ScalePropsY(1), c.Y1);
  ApplyScaleLayout(ScalePropsY(2), c.Y2);
  ScalesFollowSettings();
  FStdLayout = layout;
  SetSuppressPaint(hold.Release());
}

}  // namespace mivo
