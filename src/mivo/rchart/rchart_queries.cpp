// Queries and edits of the display list: nearest items, selection by class,
// removal, affine rescaling, recolouring and item replacement.
#include <algorithm>
#include <cmath>

#include "mivo/rchart/item_store.h"
#include "mivo/rchart/rchart.h"
#include "mivo/rchart/rchart_internal.h"

namespace mivo {

namespace {

constexpr std::uint8_t kAllClasses = 255;

// Kinds whose second point moves with the item under an affine change.
bool ScalesSecondPoint(TrcItem k) { return HasSecondPoint(k) || k == TrcItem::tkEllipse || k == TrcItem::tkArc; }

// Pixel-valued fields (the offsets of the relative-pixel kinds, sizes,
// angles) are not world coordinates and stay as they are.
void Affine(TrcChartItem& it, double fx, double ox, double fy, double oy) {
  if (!IsRelPixKind(it.ItemKind)) {
    it.x = fx * it.x + ox;
    it.y = fy * it.y + oy;
  }
  if (ScalesSecondPoint(it.ItemKind)) {
    it.x2 = fx * it.x2 + ox;
    it.y2 = fy * it.y2 + oy;
  }
}

// The item among the first n whose head `selected` accepts with the smallest
// distance(x, y): strictly smaller wins, so ties keep the lower index and NaN
// never wins; -1, with `best` left as it was, when none does.
template <typename Selected, typename Distance>
std::int32_t NearestItem(const detail::TItemStore* st, std::int32_t n, Selected selected, Distance distance,
                         double& best) {
  if (!st || n <= 0) return -1;
  std::int32_t found = -1;
  const detail::TItemHead* heads = st->Heads();
  const double *xs = st->X(), *ys = st->Y();
  for (std::int32_t i = 0; i < n; ++i) {
    if (!selected(heads[i])) continue;
    if (const double d = distance(xs[i], ys[i]); d < best) {
      best = d;
      found = i;
    }
  }
  return found;
}

}  // namespace

bool TCustomRChart::KindMatches(TrcItem selector, TrcItem kind) const {
  switch (selector) {
    case TrcItem::tkNone:
      return false;
    case TrcItem::tkEverything:
      return true;
    case TrcItem::tkNotMoveTo:
      return kind != TrcItem::tkMoveTo;
    default:
      return selector == kind;
  }
}

// ---------------------------------------------------------------- nearest items

std::int32_t TCustomRChart::FindNearestItemReal(double x, double y, TrcItem kind, std::uint8_t cls,
                                                double& dist) const {
  const auto selected = [&](const detail::TItemHead& h) {
    return KindMatches(kind, h.Kind) && (cls == kAllClasses || h.Class == cls);
  };
  double bestD = HUGE_VAL;
  const std::int32_t best =
      NearestItem(FDataContainer.Get(), FNumChartItems, selected,
                  [&](double ix, double iy) { return std::hypot(ix - x, iy - y); }, bestD);
  dist = best < 0 ? std::sqrt(uc_MaxDouble) : bestD;
  return best;
}

std::int32_t TCustomRChart::FindNearestItemScreen(double x, double y, TrcItem kind, std::uint8_t cls,
                                                  double& dist) const {
  const detail::TLayerMapping m = detail::LayerMapping(*this, FActiveLayer);
  const double px = m.MapX(x), py = m.MapY(y);
  const auto selected = [&](const detail::TItemHead& h) {
    return KindMatches(kind, h.Kind) && (cls == kAllClasses || h.Class == cls);
  };
  double bestD2 = HUGE_VAL;
  const std::int32_t best = NearestItem(
      FDataContainer.Get(), FNumChartItems, selected,
      [&](double ix, double iy) {
        const double dx = m.MapX(ix) - px, dy = m.MapY(iy) - py;
        return dx * dx + dy * dy;
      },
      bestD2);
  dist = best < 0 ? std::sqrt(uc_MaxDouble) : std::sqrt(bestD2);
  return best;
}

std::int32_t TCustomRChart::FindNearestItemAlongAxis(double pos, TAxis axis, TrcItem kind, std::uint8_t cls,
                                                     double& dist) const {
  dist = uc_MaxDouble;
  if (kind == TrcItem::tkNone || (axis != TAxis::axX && axis != TAxis::axY) || FNumChartItems <= 0) return -1;
  const detail::TLayerMapping m = detail::LayerMapping(*this, FActiveLayer);
  const bool onX = axis == TAxis::axX;
  const double p = onX ? m.MapX(pos) : m.MapY(pos);
  const detail::TItemStore& st = *FDataContainer.Get();
  const detail::TItemHead* heads = st.Heads();
  const double* vs = onX ? st.X() : st.Y();
  std::int32_t best = -1;
  double bestD = HUGE_VAL;
  for (std::int32_t i = 0; i < FNumChartItems; ++i) {
    const detail::TItemHead& h = heads[i];
    if (!KindMatches(kind, h.Kind) || (cls != kAllClasses && h.Class != cls)) continue;
    const double d = std::fabs((onX ? m.MapX(vs[i]) : m.MapY(vs[i])) - p);
    if (d < bestD) {
      bestD = d;
      best = i;
    }
  }
  if (best >= 0) dist = bestD;
  return best;
}

// ---------------------------------------------------------------- selection

void TCustomRChart::MarkAllItems(TrcItem kind, std::uint8_t cls) {
  if (cls == kAllClasses || kind == TrcItem::tkNone || FNumChartItems <= 0) return;
  detail::TItemStore& st = FDataContainer.Store();
  for (std::int32_t i = 0; i < FNumChartItems; ++i)
    if (KindMatches(kind, st.Head(std::size_t(i)).Kind)) st.SetClass(std::size_t(i), cls);
}

std::int32_t TCustomRChart::MarkItemsInWindow(double x1, double y1, double x2, double y2, TrcItem kind,
                                              std::uint8_t cls) {
  if (cls == kAllClasses || kind == TrcItem::tkNone || FNumChartItems <= 0) return 0;
  const double xlo = std::min(x1, x2), xhi = std::max(x1, x2);
  const double ylo = std::min(y1, y2), yhi = std::max(y1, y2);
  detail::TItemStore& st = FDataContainer.Store();
  const double *xs = st.X(), *ys = st.Y();
  std::int32_t n = 0;
  for (std::int32_t i = 0; i < FNumChartItems; ++i) {
    if (!KindMatches(kind, st.Head(std::size_t(i)).Kind)) continue;
    if (xs[i] >= xlo && xs[i] <= xhi && ys[i] >= ylo && ys[i] <= yhi) {
      st.SetClass(std::size_t(i), cls);
      ++n;
    }
  }
  return n;
}

// ---------------------------------------------------------------- removal

namespace {

void Uncount(std::array<std::int32_t, kNumItemKinds>& counts, TrcItem kind) {
  if (std::size_t(kind) < kNumItemKinds) --counts[std::size_t(kind)];
}

}  // namespace

template <typename Keep>
std::int32_t TCustomRChart::RemoveWhere(Keep keep) {
  if (FNumChartItems <= 0) {
    AdjustCanInfoOfSharedCharts();
    return 0;
  }
  const auto kept = std::int32_t(FDataContainer.Store().KeepIf(
      std::size_t(FNumChartItems), [&](const detail::TItemHead& h, std::size_t) {
        if (keep(h)) return true;
        Uncount(FItemCount, h.Kind);
        return false;
      }));
  const std::int32_t removed = FNumChartItems - kept;
  FNumChartItems = kept;
  AdjustCanInfoOfSharedCharts();
  return removed;
}

std::int32_t TCustomRChart::RemoveItemsByClass(std::uint8_t cls) {
  return RemoveWhere([cls](const detail::TItemHead& h) { return h.Class != cls; });
}

std::int32_t TCustomRChart::RemoveItemsByLayer(std::int32_t layer) {
  return RemoveWhere([layer](const detail::TItemHead& h) { return h.Layer != layer; });
}

void TCustomRChart::RemoveItem(std::int32_t index) {
  if (index >= 0 && index < FNumChartItems) {
    if (FNumChartItems == 1) {
      ResetList();
    } else {
      detail::TItemStore& st = FDataContainer.Store();
      Uncount(FItemCount, st.Head(std::size_t(index)).Kind);
      st.Erase(std::size_t(index));
      --FNumChartItems;
    }
  }
  AdjustCanInfoOfSharedCharts();
}

void TCustomRChart::RemoveLastItem() {
  if (FNumChartItems > 0) {
    detail::TItemStore& st = FDataContainer.Store();
    Uncount(FItemCount, st.Head(std::size_t(FNumChartItems - 1)).Kind);
    if (--FNumChartItems == 0)
      ResetList();
    else
      st.Truncate(std::size_t(FNumChartItems));
  }
  AdjustCanInfoOfSharedCharts();
}

void TCustomRChart::RemoveFirstItem() {
  if (FNumChartItems > 0)
    RemoveItem(0);
  else
    AdjustCanInfoOfSharedCharts();
}

TrcItem TCustomRChart::GetTypeOfFirstItem() const {
  return FNumChartItems > 0 ? FDataContainer.Get()->Head(0).Kind : TrcItem::tkNone;
}

TrcItem TCustomRChart::GetTypeOfLastItem() const {
  return FNumChartItems > 0 ? FDataContainer.Get()->Head(std::size_t(FNumChartItems - 1)).Kind : TrcItem::tkNone;
}

// ---------------------------------------------------------------- affine changes and colours

namespace {

// The affine change of slot i; items with a second point go through the record.
void AffineAt(detail::TItemStore& st, std::size_t i, double fx, double ox, double fy, double oy) {
  const TrcItem k = st.Head(i).Kind;
  if (ScalesSecondPoint(k)) {
    TrcChartItem it = st.Get(i);
    Affine(it, fx, ox, fy, oy);
    st.Set(i, it);
  } else if (!IsRelPixKind(k)) {
    st.SetXY(i, fx * st.X()[i] + ox, fy * st.Y()[i] + oy);
  }
}

}  // namespace

template <typename Pick>
void TCustomRChart::ScaleWhere(double fx, double ox, double fy, double oy, Pick pick) {
  if (FNumChartItems <= 0) return;
  detail::TItemStore& st = FDataContainer.Store();
  for (std::int32_t i = 0; i < FNumChartItems; ++i)
    if (pick(st.Head(std::size_t(i)))) AffineAt(st, std::size_t(i), fx, ox, fy, oy);
}

void TCustomRChart::ScaleItem(std::int32_t index, double factorX, double offsetX, double factorY, double offsetY) {
  if (index >= 0 && index < FNumChartItems)
    AffineAt(FDataContainer.Store(), std::size_t(index), factorX, offsetX, factorY, offsetY);
}

void TCustomRChart::ScaleAllItems(double factorX, double offsetX, double factorY, double offsetY) {
  ScaleWhere(factorX, offsetX, factorY, offsetY, [](const detail::TItemHead&) { return true; });
}

void TCustomRChart::ScaleSelectedItems(double factorX, double offsetX, double factorY, double offsetY,
                                       std::uint8_t cls) {
  ScaleWhere(factorX, offsetX, factorY, offsetY, [cls](const detail::TItemHead& h) { return h.Class == cls; });
}

void TCustomRChart::NewColorOfClassItems(TColor color, std::uint8_t cls) {
  if (FNumChartItems <= 0) return;
  detail::TItemStore& st = FDataContainer.Store();
  for (std::int32_t i = 0; i < FNumChartItems; ++i) {
    if (cls != kAllClasses && st.Head(std::size_t(i)).Class != cls) continue;
    if (st.Style(st.StyleIndex(std::size_t(i))).Color == color) continue;
    TrcChartItem it = st.Get(std::size_t(i));
    it.Color = color;
    st.Set(std::size_t(i), it);
  }
}

void TCustomRChart::SetItemParams(std::int32_t index, const TrcChartItem& item) {
  if (index >= 0 && index < FNumChartItems && IsStorableItem(item)) {
    detail::TItemStore& st = FDataContainer.Store();
    Uncount(FItemCount, st.Head(std::size_t(index)).Kind);
    st.Set(std::size_t(index), item);
    ++FItemCount[std::size_t(item.ItemKind)];
  }
  AdjustCanInfoOfSharedCharts();
}

TLayerSet TCustomRChart::FindUsedLayers() const {
  TLayerSet used;
  if (FNumChartItems <= 0) return used;
  const detail::TItemHead* heads = FDataContainer.Get()->Heads();
  for (std::int32_t i = 0; i < FNumChartItems; ++i) {
    const std::int32_t layer = heads[i].Layer;
    if (layer == 1 || layer == 2) used.Include(LayerNum(layer));
  }
  return used;
}

}  // namespace mivo
