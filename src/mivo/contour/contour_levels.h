#pragma once
// The contour plot's pure computations: iso levels, the colour entries of
// levels and values, pivot positions and the grid size for a resolution.
// Nothing here draws; the renderer consumes these numbers.
//
// Colour entries are 1-based indices into a colour array of n entries. An
// empty array (n = 0) gives entry 1, which such an array reads as black, so
// everything is drawn in that one colour.

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "mivo/platform/export.h"
#include "mivo/platform/mivo_types.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

// The most iso levels a picture draws. Spacings that would ask for more
// (a tiny IsoDist over a wide range) draw the lowest kMaxIsoLevels levels, so
// a dot picture stays bounded in time.
inline constexpr std::int32_t kMaxIsoLevels = 1000;

// The most pivots a grid may hold (NumPivotsX x NumPivotsY): 32 MB of values
// plus 4 MB of mask. Larger grids are refused.
inline constexpr std::int64_t kMaxPivots = 4000000;

// Number of levels low, low + dist, ... below high: nearest((high - low) /
// dist), at most kMaxIsoLevels; 0 when dist is not positive, when any input
// is not finite, or when high is not above low.
std::int32_t IsoLevelCount(double low, double high, double dist);

// Level k (0-based) of the spacing.
inline double IsoLevel(double low, double dist, std::int32_t k) { return low + k * dist; }

// Entry of a level's colour: nearest to (level - low) n / (high - low),
// clamped to 1 ... max(n, 1).
std::int32_t LevelColorIndex(double level, double low, double high, std::int32_t n);

// Entry of a value's colour on the surface: 1 at or below low, otherwise
// nearest to min((v - low) / (high - low) n, n), at least 1. A value that is
// not finite (no data) gives 0: its area is left unpainted.
// Inline: the surface pass evaluates it for every sub-cell.
inline std::int32_t ValueColorIndex(double v, double low, double high, std::int32_t n) {
  if (!std::isfinite(v)) return 0;
  if (v <= low) return 1;
  // The halves keep (v - low) / (high - low) from overflowing for finite inputs.
  double f = (v * 0.5 - low * 0.5) / (high * 0.5 - low * 0.5) * n;
  if (!(f < n)) f = n;  // also NaN from a degenerate range
  return std::max(RoundToInt(f), 1);
}

// Position of pivot i (1-based) of n over lo ... hi: lo + (hi - lo)(i - 1)/(n - 1).
// n below 2 counts as 2.
double PivotPosition(double lo, double hi, std::int32_t i, std::int32_t n);

// Grid size for PivotResolution r on a data area of w x h pixels: r raised to
// at least 10; along the longer side r div 5 + 1 pivots, along the shorter
// side nearest(r/5 * short/long) + 1. Sides below 1 pixel count as 1; the
// result has at least 2 pivots each way.
void PivotCountsForResolution(std::int32_t r, std::int32_t w, std::int32_t h, std::int32_t& nx, std::int32_t& ny);

}  // namespace mivo
MIVO_PUBLIC_END
