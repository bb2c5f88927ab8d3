#pragma once
// The pure computations of TColorScale: value <-> colour-array entry, the
// layout of the colour bar along its axis, the margin limit and the zoom/pan
// drag. Nothing here draws; the control feeds these with pixels from its
// inner scale and paints what they return.

#include <cstdint>

#include "mivo/platform/export.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

enum class TColScaleOrientation : std::uint8_t { csoHorizontal, csoVertical };

// What a zoom/pan drag of the colour bar changes: the whole range, its low
// end or its high end.
enum class TZoomPanMode : std::uint8_t { zpmPan, zpmColZoomLeft, zpmColZoomRight };

// Entry (1 ... n) of the colour array that value v takes when colorLow maps to
// the start and colorHigh to the end of an n-entry array: position
// (v - colorLow) n / (colorHigh - colorLow), or n / 2 for an empty colour
// range, limited to 1 ... n and rounded half to even. A reversed colour range
// works the same way. 0 (no entry) for an empty array or a NaN value.
std::int32_t ValueToColorIndex(double v, double colorLow, double colorHigh, std::int32_t n);

// The value of entry `index` of an n-entry array: colorLow + index / n
// (colorHigh - colorLow); colorLow for an empty array.
double ColorIndexToValue(std::int32_t index, std::int32_t n, double colorLow, double colorHigh);

// A margin limited from above so that it and the opposite one leave at least
// one pixel of `size`: at most size - opposite - 1. There is no lower limit.
std::int32_t LimitMargin(std::int32_t value, std::int32_t size, std::int32_t opposite);

// The colour bar along its axis. The bar covers the pixels BarFirst ...
// BarLast; the colour range maps to PixLow (ColorLow) and PixHigh (ColorHigh),
// which may lie beyond the bar or in either order. The gradient covers the
// part of the colour range that lies on the bar, GradFirst ... GradLast
// (empty when GradLast < GradFirst); with Extend the rest of the bar takes the
// end colour of its side.
struct TColorBarLayout {
  std::int32_t BarFirst = 0, BarLast = -1;
  std::int32_t PixLow = 0, PixHigh = 0;
  std::int32_t GradFirst = 0, GradLast = -1;
  std::int32_t N = 0;
  bool Extend = false;
  // Which end of the bar the low colours lie beyond (used when PixLow and
  // PixHigh coincide and the order of the pixels cannot tell).
  bool LowAtFirst = true;
};

// `lowAtFirst` says whether values grow from BarFirst towards BarLast.
TColorBarLayout ColorBarLayout(std::int32_t barFirst, std::int32_t barLast, std::int32_t pixLow,
                               std::int32_t pixHigh, std::int32_t n, bool extend, bool lowAtFirst);

// Entry of the bar pixel `pos` (1 ... N), or 0 where the background shows:
// off the bar, beyond the gradient without Extend, or for an empty array.
// Inside the gradient: round((pos - PixLow) / (PixHigh - PixLow) N) limited to
// 1 ... N, or N / 2 (limited to 1 ... N) when PixLow = PixHigh.
std::int32_t ColorBarEntry(const TColorBarLayout& layout, std::int32_t pos);

// The drag a press starts on a bar of `length` pixels whose first pixel is
// `barStart` (MarginLeft, or MarginTop vertically): within the first 42 % of
// the bar the end shown there is zoomed, within the last 42 % the other end,
// in the middle 16 % the range pans. Horizontally the low end is at the left,
// vertically at the bottom.
TZoomPanMode ZoomPanModeAt(bool horizontal, std::int32_t pos, std::int32_t barStart, std::int32_t length);

struct TValueRange {
  double Low = 0, High = 0;
};

// The range a drag gives: the anchor range shifted by `shift` value units
// (pan), or only its low or high end moved.
TValueRange ZoomPanRange(TZoomPanMode mode, double anchorLow, double anchorHigh, double shift);

// The shift of a drag: `width` value units per `length` pixels, `delta`
// pixels moved towards higher values. 0 for a bar without pixels.
double ZoomPanShift(double width, std::int32_t delta, std::int32_t length);

}  // namespace mivo
MIVO_PUBLIC_END
