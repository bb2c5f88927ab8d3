#pragma once
// The compact storage of the chart's display list.
//
// Every item keeps 24 bytes in four parallel arrays: its x and y, a head of
// kind, layer, class and mark byte, and a 32-bit reference. The reference of
// a plain item (no second point, no text, no sizes or angles: zero bits in
// all of them, as the line-to, move-to and mark adders leave them) is the
// index of its drawing state (colours, pen, width, fill, transparency, frame
// style, tag) in a table shared by all items; runs of items drawn alike share
// one entry. Any other item refers to a record of its own in a side store
// that holds those fields and the index of its drawing state.
//
// A TrcChartItem written by Set reads back bit for bit from Get, whatever its
// kind and fields: the 104-byte record is only an exchange format.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "mivo/platform/export.h"
#include "mivo/rchart/rchart_types.h"

MIVO_PUBLIC_BEGIN
namespace mivo::detail {

// The drawing state of an item: everything of the record but the position,
// the head fields and the fields of the side store.
struct TItemStyle {
  TColor Color = 0;
  TColor FillColor = 0;
  TColor ShadowColor = 0;
  TColor HiLightColor = 0;
  std::int32_t Tag = 0;
  std::int32_t LWid = 0;
  TPenStyle PenStyle = TPenStyle::psSolid;
  bool Transp = false;
  TFrameStyle FrameStyle = TFrameStyle::fsNone;
  friend bool operator==(const TItemStyle&, const TItemStyle&) = default;
};

// Kind, layer, class and mark type (MarkOrAlign) of an item, and its
// reference: a drawing-state index, or with kExtraBit set a side record.
struct TItemHead {
  TrcItem Kind = TrcItem::tkNone;
  std::uint8_t Layer = 1;
  std::uint8_t Class = 0;
  std::uint8_t Mark = 0;
  std::uint32_t Ref = 0;
};
static_assert(sizeof(TItemHead) == 8);

// The fields only some kinds use.
struct TItemExtra {
  double x2 = 0;
  double y2 = 0;
  TrcItemText Text;
  std::int32_t SizeOrAngle = 0;
  std::int32_t DepthOrAngle = 0;
  std::uint32_t Style = 0;
};

class TItemStore {
 public:
  static constexpr std::uint32_t kExtraBit = 0x80000000u;

  // Slots written so far (valid items and, beyond them, left-overs of removals).
  std::size_t Size() const { return FHeads.size(); }
  std::size_t Capacity() const { return FHeads.capacity(); }
  // Room for at least n slots, at least doubling; raises std::bad_alloc and
  // keeps the store as it was when there is no memory for them.
  void Reserve(std::size_t n);

  // Slot i (i < Size()) as a record.
  TrcChartItem Get(std::size_t i) const;
  // Writes slot i; i == Size() appends. Raises std::bad_alloc (the store as
  // it was) when there is no memory for it. The record's layer must be 1 or 2.
  void Set(std::size_t i, const TrcChartItem& it);
  // Keeps the first n slots.
  void Truncate(std::size_t n);
  // Removes slot i, moving the later ones down.
  void Erase(std::size_t i);
  // Keeps the slots i < n for which keep(head, i) holds, in order; gives how
  // many were kept.
  template <typename Keep>
  std::size_t KeepIf(std::size_t n, Keep keep);
  // A store holding a copy of the first n slots, with room for `capacity`.
  std::unique_ptr<TItemStore> Copy(std::size_t n, std::size_t capacity) const;

  // The arrays, for walks over many items.
  const double* X() const { return FX.data(); }
  const double* Y() const { return FY.data(); }
  const TItemHead* Heads() const { return FHeads.data(); }
  const TItemHead& Head(std::size_t i) const { return FHeads[i]; }
  void SetXY(std::size_t i, double x, double y) {
    FX[i] = x;
    FY[i] = y;
    SegmentsChanged();
  }
  void SetClass(std::size_t i, std::uint8_t cls) {
    FHeads[i].Class = cls;
    SegmentsChanged();
  }
  // The index of the drawing state of slot i, and that state.
  std::uint32_t StyleIndex(std::size_t i) const {
    const std::uint32_t r = FHeads[i].Ref;
    return r & kExtraBit ? FExtras[r & ~kExtraBit].Style : r;
  }
  const TItemStyle& Style(std::uint32_t s) const { return FStyles[s]; }
  bool IsPlain(std::size_t i) const { return (FHeads[i].Ref & kExtraBit) == 0; }
  const TItemExtra* Extra(std::size_t i) const {
    const std::uint32_t r = FHeads[i].Ref;
    return r & kExtraBit ? &FExtras[r & ~kExtraBit] : nullptr;
  }

  // Bytes held by the store (arrays at their capacity, tables).
  std::size_t MemoryBytes() const;

  // The end of the segment that holds slot i: segments are the longest runs
  // of slots with one kind, layer, class and reference whose x never falls
  // (NaN ends a segment on both sides). Gives 0 when the store does not know
  // (lists with very many segments), and the walker finds the end itself.
  std::size_t SegmentEnd(std::size_t i) const;

 private:
  struct TStyleHash {
    std::size_t operator()(const TItemStyle& s) const;
  };
  std::uint32_t Intern(const TItemStyle& s);
  void Release(std::uint32_t ref);
  // Drops side records no slot refers to any more once they are the most.
  void CollectExtras();

  std::vector<double> FX, FY;
  std::vector<TItemHead> FHeads;
  std::vector<TItemStyle> FStyles;
  std::unordered_map<TItemStyle, std::uint32_t, TStyleHash> FStyleIndex;
  std::uint32_t FLastStyle = 0;  // the last state interned, the usual next one
  // Whether slot i starts a new segment after slot i - 1.
  bool StartsSegment(std::size_t i) const;
  void NoteAppended(std::size_t i);
  void SegmentsChanged() { FBreaksValid = false; }
  void RebuildBreaks() const;

  std::vector<TItemExtra> FExtras;
  std::size_t FLiveExtras = 0;
  // The first slots of the segments after the first, kept while appending and
  // rebuilt on demand after other changes; dropped (FManyBreaks) once they are
  // more than an eighth of the slots.
  mutable std::vector<std::uint32_t> FBreaks;
  mutable bool FBreaksValid = true;
  mutable bool FManyBreaks = false;
};

template <typename Keep>
std::size_t TItemStore::KeepIf(std::size_t n, Keep keep) {
  std::size_t w = 0;
  for (std::size_t r = 0; r < n; ++r) {
    if (keep(FHeads[r], r)) {
      if (w != r) {
        FX[w] = FX[r];
        FY[w] = FY[r];
        FHeads[w] = FHeads[r];
      }
      ++w;
    } else {
      Release(FHeads[r].Ref);
    }
  }
  // Slots from n on were left-overs; their side records go too.
  for (std::size_t r = n; r < FHeads.size(); ++r) Release(FHeads[r].Ref);
  FX.resize(w);
  FY.resize(w);
  FHeads.resize(w);
  CollectExtras();
  SegmentsChanged();
  return w;
}

}  // namespace mivo::detail
MIVO_PUBLIC_END
