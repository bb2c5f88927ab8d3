#pragma once
// Small arithmetic helpers of the math package.

#include <cmath>
#include <cstdint>
#include <random>
#include <utility>

#include "mivo/platform/export.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

// Swaps two values (doubles, integers, anything movable).
template <typename T>
inline void ExChange(T& a, T& b) noexcept(noexcept(std::swap(a, b))) {
  std::swap(a, b);
}

// The integral part of x rounded towards minus infinity: IntNeg(2.7) == 2,
// IntNeg(-2.3) == -3 (where a plain truncation gives -2), IntNeg(-2) == -2.
// NaN and +/-Inf are returned unchanged.
inline double IntNeg(double x) { return std::floor(x); }

// -1, 0 or +1 by the sign of x; NaN and both zeros give 0.
inline std::int32_t Signum(double x) { return (x > 0) - (x < 0); }
inline std::int32_t Signum(std::int64_t x) { return (x > 0) - (x < 0); }
inline std::int32_t Signum(std::int32_t x) { return (x > 0) - (x < 0); }

// Normally distributed random numbers (Box-Muller on a 64-bit Mersenne
// twister). GRandom() draws from N(0, 1); GRandom(mean, stdDev) from
// N(mean, stdDev^2). The generator is one per thread, seeded with a fixed
// default (5489) so that runs are reproducible; GRandomize seeds it anew.
double GRandom();
double GRandom(double mean, double stdDev);
void GRandomize(std::uint64_t seed);

// The same transform on a caller's generator (any UniformRandomBitGenerator).
template <typename URBG>
double GRandom(URBG& gen) {
  std::uniform_real_distribution<double> uni(0.0, 1.0);
  double u1 = uni(gen);
  while (u1 <= 0.0) u1 = uni(gen);  // log(0) excluded; terminates with probability 1
  const double u2 = uni(gen);
  return std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * 3.14159265358979323846 * u2);
}

}  // namespace mivo
MIVO_PUBLIC_END
