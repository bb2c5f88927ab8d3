#pragma once
// The chart's zoom history: a ring of the last kZoomStackSize range sets, one
// entry per layer in each. The write pointer is 1-based and names the slot
// the next record goes into; entries are read relative to it, 0 the newest
// and -(kZoomStackSize - 1) the oldest. An all-zero entry is an empty slot.

#include <array>
#include <cstddef>
#include <cstdint>

#include "mivo/platform/export.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

inline constexpr std::int32_t kZoomStackSize = 16;

class TZoomHistory {
 public:
  static constexpr std::size_t kLayers = 2;
  // A layer's ranges as xLo, yHi, xHi, yLo.
  using TEntry = std::array<double, 4>;

  static bool IsEmpty(const TEntry& e) { return e[0] == 0 && e[1] == 0 && e[2] == 0 && e[3] == 0; }
  static bool ValidIndex(std::int32_t index) { return index >= -(kZoomStackSize - 1) && index <= 0; }

  std::int32_t Pointer() const { return FPointer; }
  // Writes the entry of `layer` (0-based) into the slot the pointer names;
  // Advance moves on once every layer is written.
  void Write(std::size_t layer, const TEntry& e) { FSlots[layer][std::size_t(FPointer - 1)] = e; }
  void Advance() { FPointer = FPointer % kZoomStackSize + 1; }
  // Moves the pointer back one slot, so that the next record replaces the newest.
  void StepBack() { FPointer = FPointer == 1 ? kZoomStackSize : FPointer - 1; }
  // The entry of `layer` `index` records back; `index` must be ValidIndex.
  const TEntry& At(std::size_t layer, std::int32_t index) const {
    std::int32_t slot = FPointer - 1 + index;
    if (slot < 1) slot += kZoomStackSize;
    return FSlots[layer][std::size_t(slot - 1)];
  }
  void Clear() { *this = {}; }

 private:
  std::array<std::array<TEntry, kZoomStackSize>, kLayers> FSlots{};
  std::int32_t FPointer = 1;
};

}  // namespace mivo
MIVO_PUBLIC_END
