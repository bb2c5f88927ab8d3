// Queries and edits of the display list: nearest items, selection by class,
// removal, affine rescaling, recolouring and item replacement.
#include <algorithm>
#include <cmath>

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
  std::int32_t best = -1;
  double bestD = HUGE_VAL;
  for (std::int32_t i = 0; i < FNumChartItems; ++i) {
    const TrcChartItem& it = FDataContainer[std::size_t(i)];
    if (!KindMatches(kind, it.ItemKind) || (cls != kAllClasses && it.ItemClass != cls)) continue;
    const double d = std::hypot(it.x - x, it.y - y);
    if (d < bestD) {  // strictly smaller: ties keep the lower index; NaN never wins
      bestD = d;
      best = i;
    }
  }
  dist = best < 0 ? std::sqrt(uc_MaxDouble) : bestD;
  return best;
}

std::int32_t TCustomRChart::FindNearestItemScreen(double x, double y, TrcItem kind, std::uint8_t cls,
                                                  double& dist) const {
  const detail::TLayerMapping m = detail::LayerMapping(*this, FActiveLayer);
  const double px = m.MapX(x), py = m.MapY(y);
  std::int32_t best = -1;
  double bestD2 = HUGE_VAL;
  for (std::int32_t i = 0; i < FNumChartItems; ++i) {
    const TrcChartItem& it = FDataContainer[std::size_t(i)];
    if (!KindMatches(kind, it.ItemKind) || (cls != kAllClasses && it.ItemClass != cls)) continue;
    const double dx = m.MapX(it.x) - px, dy = m.MapY(it.y) - py;
    const double d2 = dx * dx + dy * dy;
    if (d2 < bestD2) {
      bestD2 = d2;
      best = i;
    }
  }
  dist = best < 0 ? std::sqrt(uc_MaxDouble) : std::sqrt(bestD2);
  return best;
}

std::int32_t TCustomRChart::FindNearestItemAlongAxis(double pos, TAxis axis, TrcItem kind, std::uint8_t cls,
                                                     double& dist) const {
  dist = uc_MaxDouble;
  if (kind == TrcItem::tkNone || (axis != TAxis::axX && axis != TAxis::axY)) return -1;
  const detail::TLayerMapping m = detail::LayerMapping(*this, FActiveLayer);
  const bool onX = axis == TAxis::axX;
  const double p = onX ? m.MapX(pos) : m.MapY(pos);
  std::int32_t best = -1;
  double bestD = HUGE_VAL;
  for (std::int32_t i = 0; i < FNumChartItems; ++i) {
    const TrcChartItem& it = FDataContainer[std::size_t(i)];
    if (!KindMatches(kind, it.ItemKind) || (cls != kAllClasses && it.ItemClass != cls)) continue;
    const double d = std::fabs((onX ? m.MapX(it.x) : m.MapY(it.y)) - p);
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
  if (cls == kAllClasses || kind == TrcItem::tkNone) return;
  for (std::int32_t i = 0; i < FNumChartItems; ++i) {
    TrcChartItem& it = FDataContainer[std::size_t(i)];
    if (KindMatches(kind, it.ItemKind)) it.ItemClass = cls;
  }
}

std::int32_t TCustomRChart::MarkItemsInWindow(double x1, double y1, double x2, double y2, TrcItem kind,
                                              std::uint8_t cls) {
  if (cls == kAllClasses || kind == TrcItem::tkNone) return 0;
  const double xlo = std::min(x1, x2), xhi = std::max(x1, x2);
  const double ylo = std::min(y1, y2), yhi = std::max(y1, y2);
  std::int32_t n = 0;
  for (std::int32_t i = 0; i < FNumChartItems; ++i) {
    TrcChartItem& it = FDataContainer[std::size_t(i)];
    if (!KindMatches(kind, it.ItemKind)) continue;
    if (it.x >= xlo && it.x <= xhi && it.y >= ylo && it.y <= yhi) {
      it.ItemClass = cls;
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
  std::int32_t w = 0;
  for (std::int32_t r = 0; r < FNumChartItems; ++r) {
    const TrcChartItem& it = FDataContainer[std::size_t(r)];
    if (keep(it)) {
      if (w != r) FDataContainer[std::size_t(w)] = it;
      ++w;
    } else {
      Uncount(FItemCount, it.ItemKind);
    }
  }
  const std::int32_t removed = FNumChartItems - w;
  FNumChartItems = w;
  AdjustCanInfoOfSharedCharts();
  return removed;
}

std::int32_t TCustomRChart::RemoveItemsByClass(std::uint8_t cls) {
  return RemoveWhere([cls](const TrcChartItem& it) { return it.ItemClass != cls; });
}

std::int32_t TCustomRChart::RemoveItemsByLayer(std::int32_t layer) {
  return RemoveWhere([layer](const TrcChartItem& it) { return it.Layer != layer; });
}

void TCustomRChart::RemoveItem(std::int32_t index) {
  if (index >= 0 && index < FNumChartItems) {
    if (FNumChartItems == 1) {
      ResetList();
    } else {
      Uncount(FItemCount, FDataContainer[std::size_t(index)].ItemKind);
      TrcChartItem* first = FDataContainer.Data() + index;
      std::copy(first + 1, FDataContainer.Data() + FNumChartItems, first);
      --FNumChartItems;
    }
  }
  AdjustCanInfoOfSharedCharts();
}

void TCustomRChart::RemoveLastItem() {
  if (FNumChartItems > 0) {
    Uncount(FItemCount, FDataContainer[std::size_t(FNumChartItems - 1)].ItemKind);
    if (--FNumChartItems == 0) ResetList();
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
  return FNumChartItems > 0 ? FDataContainer[0].ItemKind : TrcItem::tkNone;
}

TrcItem TCustomRChart::GetTypeOfLastItem() const {
  return FNumChartItems > 0 ? FDataContainer[std::size_t(FNumChartItems - 1)].ItemKind : TrcItem::tkNone;
}

// ---------------------------------------------------------------- affine changes and colours

template <typename Pick>
void TCustomRChart::ScaleWhere(double fx, double ox, double fy, double oy, Pick pick) {
  for (std::int32_t i = 0; i < FNumChartItems; ++i) {
    TrcChartItem& it = FDataContainer[std::size_t(i)];
    if (pick(it)) Affine(it, fx, ox, fy, oy);
  }
}

void TCustomRChart::ScaleItem(std::int32_t index, double factorX, double offsetX, double factorY, double offsetY) {
  if (index >= 0 && index < FNumChartItems)
    Affine(FDataContainer[std::size_t(index)], factorX, offsetX, factorY, offsetY);
}

void TCustomRChart::ScaleAllItems(double factorX, double offsetX, double factorY, double offsetY) {
  ScaleWhere(factorX, offsetX, factorY, offsetY, [](const TrcChartItem&) { return true; });
}

void TCustomRChart::ScaleSelectedItems(double factorX, double offsetX, double factorY, double offsetY,
                                       std::uint8_t cls) {
  ScaleWhere(factorX, offsetX, factorY, offsetY, [cls](const TrcChartItem& it) { return it.ItemClass == cls; });
}

void TCustomRChart::NewColorOfClassItems(TColor color, std::uint8_t cls) {
  for (std::int32_t i = 0; i < FNumChartItems; ++i) {
    TrcChartItem& it = FDataContainer[std::size_t(i)];
    if (cls == kAllClasses || it.ItemClass == cls) it.Color = color;
  }
}

void TCustomRChart::SetItemParams(std::int32_t index, const TrcChartItem& item) {
  if (index >= 0 && index < FNumChartItems && IsStorableItem(item)) {
    TrcChartItem& it = FDataContainer[std::size_t(index)];
    Uncount(FItemCount, it.ItemKind);
    ++FItemCount[std::size_t(item.ItemKind)];
    it = item;
  }
  AdjustCanInfoOfSharedCharts();
}

TLayerSet TCustomRChart::FindUsedLayers() const {
  TLayerSet used;
  for (std::int32_t i = 0; i < FNumChartItems; ++i) {
    const std::int32_t layer = FDataContainer[std::size_t(i)].Layer;
    if (layer == 1 || layer == 2) used.Include(LayerNum(layer));
  }
  return used;
}

}  // namespace mivo
