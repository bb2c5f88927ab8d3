#include "mivo/rot3d/rot3d_items.h"

#include <algorithm>
#include <cmath>

#include "mivo/base/univconst.h"

namespace mivo {

void TR3ItemStore::SetAllocSize(std::int32_t v) {
  if (v >= 1 && v <= kR3MaxAllocSize) FAllocSize = v;
}

void TR3ItemStore::SetLineWidth(std::int32_t w) { FLineWidth = std::clamp(w, 1, kR3MaxLineWidth); }

void TR3ItemStore::Append(const Tr3ChartItem& item) {
  if (!ItemIsFinite(item)) {
    ++FNumRefused;
    return;
  }
  if (FNumChartItems >= FNumAllocated) {
    // Grow before storing, so a failed allocation leaves the list as it was.
    const std::int64_t grown = std::int64_t(FNumAllocated) + FAllocSize;
    if (grown > std::int64_t(INT32_MAX)) return;
    FDataContainer.resize(std::size_t(grown));
    FNumAllocated = std::int32_t(grown);
  }
  FDataContainer[std::size_t(FNumChartItems)] = item;
  ++FNumChartItems;
}

void TR3ItemStore::MarkAt(double x, double y, double z, std::uint8_t mk) {
  Tr3ChartItem it;
  it.x = x, it.y = y, it.z = z;
  it.color = FDataCol, it.tag = FDataTag, it.ItemKind = Tr3Item::tkMarkAt, it.marklw = mk;
  Append(it);
}

void TR3ItemStore::Moveto(double x, double y, double z) {
  Tr3ChartItem it;
  it.x = x, it.y = y, it.z = z;
  it.color = FDataCol, it.tag = FDataTag, it.ItemKind = Tr3Item::tkMoveto;
  Append(it);
}

void TR3ItemStore::Drawto(double x, double y, double z) {
  Tr3ChartItem it;
  it.x = x, it.y = y, it.z = z;
  it.color = FDataCol, it.tag = FDataTag, it.ItemKind = Tr3Item::tkLineto;
  it.marklw = std::uint8_t(FLineWidth);
  Append(it);
}

void TR3ItemStore::Line(double x1, double y1, double z1, double x2, double y2, double z2) {
  Tr3ChartItem it;
  it.x = x1, it.y = y1, it.z = z1;
  it.x2 = x2, it.y2 = y2, it.z2 = z2;
  it.color = FDataCol, it.tag = FDataTag, it.ItemKind = Tr3Item::tkLine;
  it.marklw = std::uint8_t(FLineWidth);
  Append(it);
}

void TR3ItemStore::RemoveItem(std::int32_t index) {
  if (index < 0 || index >= FNumChartItems) return;
  if (FNumChartItems == 1) {
    Clear();
    return;
  }
  const auto first = FDataContainer.begin() + index;
  std::move(first + 1, FDataContainer.begin() + FNumChartItems, first);
  --FNumChartItems;
}

void TR3ItemStore::Clear() {
  FNumChartItems = 0;
  FNumAllocated = 0;
  std::vector<Tr3ChartItem>().swap(FDataContainer);
}

Tr3ChartItem TR3ItemStore::GetChartItem(std::int32_t idx) const {
  if (idx < 0 || idx >= FNumChartItems) return Tr3ChartItem{};
  return FDataContainer[std::size_t(idx)];
}

void TR3ItemStore::SetChartitem(std::int32_t idx, const Tr3ChartItem& item) {
  if (idx < 0 || idx >= FNumChartItems) return;
  if (!ItemIsFinite(item)) {
    ++FNumRefused;
    return;
  }
  FDataContainer[std::size_t(idx)] = item;
}

void TR3ItemStore::SetItemParams(std::int32_t item, const Tr3ChartItem& params) {
  if (params.ItemKind == Tr3Item::tkNone || params.ItemKind == Tr3Item::tkEverything) return;
  SetChartitem(item, params);
}

Tr3Item TR3ItemStore::TypeOfFirstItem() const {
  return FNumChartItems > 0 ? FDataContainer.front().ItemKind : Tr3Item::tkNone;
}

Tr3Item TR3ItemStore::TypeOfLastItem() const {
  return FNumChartItems > 0 ? FDataContainer[std::size_t(FNumChartItems - 1)].ItemKind : Tr3Item::tkNone;
}

std::int32_t TR3ItemStore::FindNearestItemReal(double mx, double my, double mz, Tr3Item kind, double& dist) const {
  std::int32_t found = -1;
  double best = uc_MaxDouble;
  if (kind != Tr3Item::tkNone) {
    for (std::int32_t i = 0; i < FNumChartItems; ++i) {
      const Tr3ChartItem& it = FDataContainer[std::size_t(i)];
      if (kind != Tr3Item::tkEverything && it.ItemKind != kind) continue;
      const double dx = it.x - mx, dy = it.y - my, dz = it.z - mz;
      const double d2 = dx * dx + dy * dy + dz * dz;
      if (d2 < best) {
        best = d2;
        found = i;
      }
    }
  }
  dist = std::sqrt(best);
  return found;
}

}  // namespace mivo
