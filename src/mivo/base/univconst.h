#pragma once
// Universal constants of the math package.

#include <limits>
#include <numbers>

#include "mivo/platform/export.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

// The largest finite double (about 1.7976931348623157e308). Extent searches
// start from +/- uc_MaxDouble.
inline constexpr double uc_MaxDouble = std::numeric_limits<double>::max();

// A large but safe "infinite" result (the largest value of the classic 48-bit
// real type, 1.7e38): unlike uc_MaxDouble it survives further arithmetic
// (sums, squares of ratios, pixel mapping) without overflowing to Inf.
inline constexpr double uc_MaxReal = 1.7e38;

// Natural logarithm of 10.
inline constexpr double uc_ln10 = std::numbers::ln10;

}  // namespace mivo
MIVO_PUBLIC_END
