#pragma once
// Order statistics shared by the matrices, vectors and the data table.
//
// Percentiles interpolate linearly between order statistics (the definition
// known as "R-7", the one of spreadsheet PERCENTILE.INC): with the n values
// sorted as x(1) <= ... <= x(n) and probability p in [0, 1],
//   h = (n - 1) p + 1,   P = x(floor h) + (h - floor h) (x(floor h + 1) - x(floor h)).
// p = 0 gives the minimum, p = 1 the maximum, p = 0.5 the median (the mean of
// the two middle values for even n).

#include <span>

#include "mivo/platform/export.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

// Percentile of `values` at probability `prob` (clamped to 0 ... 1; NaN counts
// as 0). NaN values are ignored; with no value left the result is 0. The
// order of `values` is changed (partial sorting in linear time).
double PercentileInPlace(std::span<double> values, double prob);

// Several percentiles of the same values at once: results[i] is what
// PercentileInPlace(values, probs[i]) gives, but the partial sorts share their
// work (each selection only searches between order statistics already in
// place), so five percentiles cost little more than one. `results` must be at
// least as long as `probs`. Allocates nothing.
void PercentilesInPlace(std::span<double> values, std::span<const double> probs, std::span<double> results);

}  // namespace mivo
MIVO_PUBLIC_END
