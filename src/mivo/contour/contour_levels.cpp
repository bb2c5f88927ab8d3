// Iso levels, colour entries and pivot positions of the contour plot.
#include "mivo/contour/contour_levels.h"

#include <algorithm>
#include <cmath>

#include "mivo/platform/mivo_types.h"

namespace mivo {

namespace {

// (v - low) / (high - low) without overflow for finite inputs: the halves of
// two doubles never overflow when subtracted.
double Fraction(double v, double low, double high) {
  return (v * 0.5 - low * 0.5) / (high * 0.5 - low * 0.5);
}

}  // namespace

std::int32_t IsoLevelCount(double low, double high, double dist) {
  if (!std::isfinite(low) || !std::isfinite(high) || !std::isfinite(dist)) return 0;
  if (!(dist > 0) || !(high > low)) return 0;
  const double q = (high * 0.5 - low * 0.5) / dist * 2;
  if (!(q < kMaxIsoLevels + 0.5)) return kMaxIsoLevels;  // also an overflow to +Inf
  return std::clamp(RoundToInt(q), 0, kMaxIsoLevels);
}

std::int32_t LevelColorIndex(double level, double low, double high, std::int32_t n) {
  const std::int32_t top = std::max(n, 1);
  const double f = Fraction(level, low, high) * n;
  return std::clamp(RoundToInt(f, 1), 1, top);
}

double PivotPosition(double lo, double hi, std::int32_t i, std::int32_t n) {
  n = std::max(n, 2);
  return lo + (hi - lo) * (i - 1) / (n - 1);
}

void PivotCountsForResolution(std::int32_t r, std::int32_t w, std::int32_t h, std::int32_t& nx, std::int32_t& ny) {
  r = std::max(r, 10);
  const double wd = std::max(w, 1), hd = std::max(h, 1);
  const std::int32_t along = r / 5 + 1;
  if (wd < hd) {
    ny = along;
    nx = RoundToInt(r / 5.0 * wd / hd) + 1;
  } else {
    nx = along;
    ny = RoundToInt(r / 5.0 * hd / wd) + 1;
  }
  nx = std::max(nx, 2);
  ny = std::max(ny, 2);
}

}  // namespace mivo
