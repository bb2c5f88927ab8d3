#pragma once
// The item list of the rotatable 3D plot: the item record and its kinds, the
// plot's error type, and the growing store with its adders, queries and
// removal. Nothing here projects or draws; the plot snapshots the store into
// rendering objects (rot3d_projection.h).
//
// Ordinals are fixed: form files store them as numbers.

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "mivo/platform/errors.h"
#include "mivo/platform/export.h"
#include "mivo/platform/mivo_types.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

// Errors raised by the rotatable 3D plot (only running out of memory while
// building the rendering objects).
class EMivoRot3DError : public EMivoError {
 public:
  explicit EMivoRot3DError(const std::string& msg) : EMivoError(msg) {}
};

// Kind of an item. tkEverything never stands in a stored item: it selects
// every kind in queries.
enum class Tr3Item : std::uint8_t { tkNone, tkMarkAt, tkLineto, tkLine, tkMoveto, tkEverything };

// Handedness of the axes: the right-handed setting exchanges screen x and y
// contributions of the first two matrix columns.
enum class TAxDir : std::uint8_t { adLeftHanded, adRightHanded };

struct Tr3ChartItem {
  double x = 0, y = 0, z = 0;  // first (or only) point, data units
  TColor color = 0;
  std::int32_t tag = 0;
  Tr3Item ItemKind = Tr3Item::tkNone;
  double x2 = 0, y2 = 0, z2 = 0;  // second point, tkLine only
  std::uint8_t marklw = 0;        // mark kind (tkMarkAt) or line width (tkLineto, tkLine)
};

// True when every coordinate the item's kind uses is finite.
inline bool ItemIsFinite(const Tr3ChartItem& item) {
  const bool first = std::isfinite(item.x) && std::isfinite(item.y) && std::isfinite(item.z);
  if (item.ItemKind != Tr3Item::tkLine) return first;
  return first && std::isfinite(item.x2) && std::isfinite(item.y2) && std::isfinite(item.z2);
}

inline constexpr std::int32_t kR3DefaultAllocSize = 1000;
inline constexpr std::int32_t kR3MaxAllocSize = 1000000;
inline constexpr std::int32_t kR3MaxLineWidth = 32;

// The items in insertion order. Adders stamp the current colour, tag and (for
// draw-tos and lines) line width on the new item and never repaint. Storage
// grows by AllocSize slots whenever the count reaches the allocation, and is
// released when the last item goes.
//
// Items with a coordinate that is not finite are refused: the adder leaves the
// list unchanged and counts the refusal in NumRefused (so a stream of data
// with gaps cannot put undefined values into the integer model space).
class TR3ItemStore {
 public:
  std::int32_t NumItems() const { return FNumChartItems; }
  std::int32_t NumAllocated() const { return FNumAllocated; }
  std::int32_t NumRefused() const { return FNumRefused; }

  std::int32_t AllocSize() const { return FAllocSize; }
  // Accepted only in 1 ... kR3MaxAllocSize.
  void SetAllocSize(std::int32_t v);
  TColor ColorData() const { return FDataCol; }
  void SetColorData(TColor c) { FDataCol = c; }
  std::int32_t DataTag() const { return FDataTag; }
  void SetDataTag(std::int32_t t) { FDataTag = t; }
  std::int32_t LineWidth() const { return FLineWidth; }
  // Clamped to 1 ... kR3MaxLineWidth.
  void SetLineWidth(std::int32_t w);

  void MarkAt(double x, double y, double z, std::uint8_t mk);
  void Moveto(double x, double y, double z);
  void Drawto(double x, double y, double z);
  void Line(double x1, double y1, double z1, double x2, double y2, double z2);

  // Out-of-range indices are ignored; later items move down.
  void RemoveItem(std::int32_t index);
  void RemoveFirstItem() { RemoveItem(0); }
  void RemoveLastItem() { RemoveItem(FNumChartItems - 1); }
  // No items, storage released.
  void Clear();

  // A copy of item idx, or a tkNone record outside 0 ... NumItems - 1.
  Tr3ChartItem GetChartItem(std::int32_t idx) const;
  // Ignores an index outside 0 ... NumItems - 1 and refuses (counting it) an
  // item with a non-finite coordinate.
  void SetChartitem(std::int32_t idx, const Tr3ChartItem& item);
  Tr3ChartItem GetItemParams(std::int32_t item) const { return GetChartItem(item); }
  // As SetChartitem, and also ignores records of kind tkNone or tkEverything.
  void SetItemParams(std::int32_t item, const Tr3ChartItem& params);

  // Kind of the first / last item, tkNone when empty.
  Tr3Item TypeOfFirstItem() const;
  Tr3Item TypeOfLastItem() const;

  // Index of the item of kind `kind` (every kind for tkEverything, none for
  // tkNone) whose first point is nearest to (mx, my, mz) in data units; a
  // later item wins only when strictly nearer. `dist` is the distance, or the
  // square root of the largest double when nothing qualifies (then -1).
  std::int32_t FindNearestItemReal(double mx, double my, double mz, Tr3Item kind, double& dist) const;

  // The stored items, NumItems() of them.
  const Tr3ChartItem* Items() const { return FDataContainer.data(); }

 private:
  void Append(const Tr3ChartItem& item);

  std::int32_t FNumChartItems = 0;
  std::int32_t FNumAllocated = 0;
  std::int32_t FAllocSize = kR3DefaultAllocSize;
  std::int32_t FNumRefused = 0;
  TColor FDataCol = 0;
  std::int32_t FDataTag = 0;
  std::int32_t FLineWidth = 1;
  std::vector<Tr3ChartItem> FDataContainer;
};

}  // namespace mivo
MIVO_PUBLIC_END
