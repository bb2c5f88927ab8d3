#include "mivo/base/tick_params.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

namespace mivo {
namespace {

struct Layout {
  double First = 0, Dist = 0;
  std::uint16_t Sub = 0;
};

Layout Calc(std::int32_t minTicks, double low, double high) {
  Layout l;
  CalcScalePars(minTicks, low, high, l.First, l.Dist, l.Sub);
  return l;
}

// Mantissa of |d| when it is 1, 2 or 5 times a power of ten (relative
// tolerance for the power's rounding), else 0.
int NiceMantissa(double d) {
  const double a = std::fabs(d);
  const double k = std::floor(std::log10(a) + 1e-12);
  const double m = a / std::pow(10.0, k);
  for (int c : {1, 2, 5, 10})
    if (std::fabs(m - c) < 1e-9 * c) return c == 10 ? 1 : c;
  return 0;
}

// The whole contract for one input; returns the number of long ticks the
// caller's walk produces.
int CheckContract(std::int32_t minTicks, double low, double high) {
  const Layout l = Calc(minTicks, low, high);
  const int n = std::clamp(minTicks, 1, 10);
  SCOPED_TRACE(testing::Message() << "minTicks=" << minTicks << " low=" << low << " high=" << high
                                  << " first=" << l.First << " dist=" << l.Dist);
  EXPECT_GE(l.Sub, 1);
  if (l.Dist == 0) return 0;
  const double s = high > low ? 1.0 : -1.0;
  EXPECT_EQ(std::signbit(l.Dist), s < 0);
  EXPECT_NE(NiceMantissa(l.Dist), 0);
  const double span = std::fabs(high / 2 - low / 2) * 2;
  // At least n intervals fit, and the next larger nice step would not fit.
  EXPECT_GE(span / std::fabs(l.Dist), n * (1 - 1e-9));
  EXPECT_LT(span / std::fabs(l.Dist), n * 2.5 * (1 + 1e-9));
  // First tick at or beyond low (within a tiny fraction of a step), and the first such.
  EXPECT_GE(s * (l.First - low), -1e-9 * std::fabs(l.Dist));
  EXPECT_LT(s * (l.First - low), std::fabs(l.Dist) * (1 + 1e-9));
  // First tick is a multiple of the step.
  const double q = l.First / l.Dist;
  EXPECT_NEAR(q, std::nearbyint(q), 1e-6 * std::max(1.0, std::fabs(q)));
  // Walk as a scale does (bounded here, so a faulty step fails instead of hanging).
  int ticks = 0;
  for (int h = 0; h < 100000; ++h) {
    const double pos = l.First + h * l.Dist;
    if (s * (pos - high) > 0.001 * std::fabs(l.Dist)) break;
    ++ticks;
  }
  EXPECT_LE(ticks, 250);
  EXPECT_LE(ticks * int(l.Sub), 250);
  EXPECT_GE(ticks, 1);
  return ticks;
}

TEST(CalcScaleParsTest, ClassicRanges) {
  struct Row {
    std::int32_t n;
    double low, high, first, dist;
    std::uint16_t sub;
  };
  const Row rows[] = {
      {3, 0, 100, 0, 20, 4},        {5, 0, 1, 0, 0.2, 4},        {10, 0, 1, 0, 0.1, 5},
      {2, 0, 1, 0, 0.5, 5},         {1, 0, 1, 0, 1, 5},          {0, 0, 1, 0, 1, 5},
      {3, 100, 0, 100, -20, 4},     {3, -1, 1, -1, 0.5, 5},      {4, 0.3, 1.3, 0.4, 0.2, 4},
      {3, -7, 13, -5, 5, 5},        {3, 13, -7, 10, -5, 5},      {3, 1e6, 2e6, 1e6, 2e5, 4},
      {3, 0.1 + 0.2, 0.9, 0.4, 0.2, 4},  {10, 0.1 + 0.2, 1.3, 0.3, 0.1, 5},
      {10, 0.7, 1.7, 0.7, 0.1, 5},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.n << " " << r.low << " .. " << r.high);
    const Layout l = Calc(r.n, r.low, r.high);
    EXPECT_NEAR(l.First, r.first, 1e-12 * std::max(1.0, std::fabs(r.first)));
    EXPECT_DOUBLE_EQ(l.Dist, r.dist);
    EXPECT_EQ(l.Sub, r.sub);
    CheckContract(r.n, r.low, r.high);
  }
}

TEST(CalcScaleParsTest, FirstTickNeverNegativeZero) {
  const Layout l = Calc(3, -0.5, 10);
  EXPECT_EQ(l.First, 0.0);
  EXPECT_FALSE(std::signbit(l.First));
}

TEST(CalcScaleParsTest, DegenerateInputsDrawNothing) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double big = std::numeric_limits<double>::max();
  struct Row {
    double low, high;
  };
  const Row rows[] = {{5, 5},       {nan, 1},  {0, nan},     {-inf, 1},    {0, inf}, {inf, inf},
                      {-big, big},  {big, -big}, {1e20, 1e20 + 16384}, {-5.4164707212312399e+284, -5.4164707212312406e+284}, {0, 4.9e-324}};
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.low << " .. " << r.high);
    const Layout l = Calc(3, r.low, r.high);
    EXPECT_EQ(l.Dist, 0.0);
    EXPECT_EQ(l.Sub, 1);
    EXPECT_TRUE(std::isfinite(l.First));
  }
}

TEST(CalcScaleParsTest, WideButFiniteRangesStillGetSteps) {
  for (double hi : {1e300, 1e307, 8e307}) {
    const Layout l = Calc(3, -hi, hi);
    EXPECT_GT(l.Dist, 0.0) << hi;
    CheckContract(3, -hi, hi);
  }
}

// Thousands of generated ranges across the whole magnitude scale, both
// directions, every MinTicks value.
TEST(CalcScaleParsTest, PropertyHoldsForGeneratedRanges) {
  std::mt19937_64 rng(12345);
  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  std::uniform_int_distribution<int> expo(-300, 300);
  std::uniform_int_distribution<int> ticks(0, 10);
  int laidOut = 0;
  for (int i = 0; i < 50000; ++i) {
    const double scale = std::pow(10.0, expo(rng));
    const double width = std::pow(10.0, std::uniform_int_distribution<int>(-12, 2)(rng));
    // Centre anywhere around 0 ... a few widths away, or far away from 0.
    const double centre = (i % 3 == 0) ? unit(rng) * scale * 1e6 : unit(rng) * scale;
    double low = centre - scale * width * std::fabs(unit(rng));
    double high = centre + scale * width * std::fabs(unit(rng));
    if (i % 2) std::swap(low, high);
    if (!std::isfinite(low) || !std::isfinite(high)) continue;
    const Layout l = Calc(ticks(rng), low, high);
    if (l.Dist != 0) ++laidOut;
    CheckContract(ticks(rng), low, high);
    if (HasFailure()) break;
  }
  EXPECT_GT(laidOut, 40000);
}

// Ranges narrow against their distance from 0: low / step is near 1e13 and
// carries rounding errors of a fraction of a step.
TEST(CalcScaleParsTest, FirstTickNotBeforeLowFarFromZero) {
  CheckContract(9, -9.373445236493201e+89, -9.3734452364954648e+89);
  CheckContract(9, 5.5301802177909992e+180, 5.5301802177816776e+180);
  CheckContract(7, 9.0668906134239999e+140, 9.0668906134306828e+140);
}

TEST(CalcScaleParsTest, TinyAndHugeWidths) {
  for (double w : {1e-300, 1e-200, 1e-20, 1.0, 1e20, 1e200, 1e300}) {
    for (double base : {0.0, -w * 3.3, w * 7.7}) {
      for (int n : {0, 1, 3, 10}) {
        EXPECT_GT(CheckContract(n, base, base + w), 0);
        CheckContract(n, base + w, base);
      }
    }
  }
}

}  // namespace
}  // namespace mivo
