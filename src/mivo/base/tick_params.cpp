#include "mivo/base/tick_params.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace mivo {

namespace {

// The fuzzy comparisons of the tick layout, in one place.
//
// A candidate step still counts as giving `minTicks` intervals when the range
// holds minTicks * (1 - kIntervalFuzz) of them: 0 ... 1 in five intervals of
// 0.2 yields 4.999999999999999 intervals in floating point.
constexpr double kIntervalFuzz = 1e-9;
// A tick within this fraction of a step before `low` counts as lying at `low`
// (0.30000000000000004 / 0.1 must give the tick 0.3, not 0.4).
constexpr double kFirstTickFuzz = 1e-9;
// Ticks are whole multiples of the step; beyond this many steps from 0 the
// multiples are no longer resolved by a double (2^53 ~ 9e15), so such a range -
// narrower than about 1e-14 of its magnitude - counts as empty.
constexpr double kMaxStepsFromZero = 1e14;

// Short-tick intervals per tick interval for the mantissas 1, 2 and 5.
constexpr std::uint16_t kSubTicksFor1 = 5;
constexpr std::uint16_t kSubTicksFor2 = 4;
constexpr std::uint16_t kSubTicksFor5 = 5;

struct StepCandidate {
  double Mantissa;
  std::uint16_t SubTicks;
};
// Tried from the largest down, so the first one that fits is the largest nice step.
constexpr std::array<StepCandidate, 3> kCandidates{{{5.0, kSubTicksFor5}, {2.0, kSubTicksFor2}, {1.0, kSubTicksFor1}}};

void NoTicks(double low, double& firstTick, double& distTicks, std::uint16_t& numSubTicks) {
  firstTick = std::isfinite(low) ? low : 0.0;
  distTicks = 0.0;
  numSubTicks = 1;
}

}  // namespace

void CalcScalePars(std::int32_t minTicks, double low, double high, double& firstTick, double& distTicks,
                   std::uint16_t& numSubTicks) {
  const std::int32_t n = std::clamp(minTicks, 1, 10);
  if (!std::isfinite(low) || !std::isfinite(high) || low == high) {
    NoTicks(low, firstTick, distTicks, numSubTicks);
    return;
  }
  const double sign = high > low ? 1.0 : -1.0;
  // Half the span never overflows, even for -DBL_MAX ... DBL_MAX.
  const double halfSpan = std::fabs(high / 2 - low / 2);
  if (!(halfSpan > 0)) {
    NoTicks(low, firstTick, distTicks, numSubTicks);
    return;
  }
  // Decade of the raw step span / n, taken in logarithms so that it cannot overflow.
  const double log10Raw = std::log10(halfSpan) + std::log10(2.0) - std::log10(double(n));
  const int k = static_cast<int>(std::floor(log10Raw));  // |log10Raw| < 330: the cast is safe

  double step = 0.0;
  std::uint16_t subTicks = 1;
  // The decade estimate may be one off through rounding in log10; try k+1 down to k-1.
  for (int decade = k + 1; decade >= k - 1 && step == 0.0; --decade) {
    const double power = std::pow(10.0, decade);
    for (const StepCandidate& c : kCandidates) {
      const double d = c.Mantissa * power;
      if (!std::isfinite(d) || d <= 0) continue;
      // Intervals that fit: 2 * halfSpan / d, computed without overflow.
      const double intervals = (halfSpan / d) * 2.0;
      if (intervals >= n * (1.0 - kIntervalFuzz)) {
        step = d;
        subTicks = c.SubTicks;
        break;
      }
    }
  }
  if (step == 0.0) {  // the span underflows every candidate (subnormal ranges)
    NoTicks(low, firstTick, distTicks, numSubTicks);
    return;
  }
  const double d = sign * step;
  if (std::fabs(low / d) > kMaxStepsFromZero || std::fabs(high / d) > kMaxStepsFromZero) {
    NoTicks(low, firstTick, distTicks, numSubTicks);
    return;
  }
  // First multiple of d at or beyond low, walking towards high.
  double f = std::ceil(low / d - kFirstTickFuzz) * d;
  // Far from 0 the quotient low / d carries a rounding error of up to half an
  // ulp of itself, which may put f a fraction of a step before low: step on.
  if (sign * (f - low) < -kFirstTickFuzz * step) f += d;
  f += 0.0;  // no "-0"
  // The walks of the callers go one step before the first tick and up to one
  // step beyond high; all of it must stay finite and every step must move.
  const bool walkFinite = std::isfinite(f) && std::isfinite(f - d) && std::isfinite(high + d);
  if (!walkFinite || f + d == f || f - d == f) {
    NoTicks(low, firstTick, distTicks, numSubTicks);
    return;
  }
  if (d / subTicks == 0.0 || f + d / subTicks == f) subTicks = 1;
  firstTick = f;
  distTicks = d;
  numSubTicks = subTicks;
}

}  // namespace mivo
