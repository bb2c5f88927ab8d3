// The Smith chart's conversions, label levels, texts and offsets.
#include "mivo/charts/smith_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <random>
#include <vector>

#include "mivo/base/univconst.h"

namespace mivo {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct TImpedanceRow {
  double R, X;    // normalised impedance
  double Re, Im;  // its reflection coefficient
  bool Inverse;   // the row holds from G back to z as well
};

TEST(SmithConversions, KnownLoadsAndReflectionCoefficientsMatch) {
  const std::vector<TImpedanceRow> rows = {
      {1, 0, 0, 0, true},            // matched load
      {0, 0, -1, 0, true},           // short circuit
      {0, 1, 0, 1, true},            // G = j
      {0, -1, 0, -1, true},          // G = -j
      {3, 0, 0.5, 0, true},          // (3 - 1)/(3 + 1)
      {1, 1, 0.2, 0.4, true},        // j/(2 + j)
      {-1, 2, 1, 1, true},           // the pole of R + 1 along X = 2: 1 + 2j/X
      {kInf, 0, 1, 0, false},        // open circuit
      {5, kInf, 1, 0, false},
      {1e300, 1e300, 1, 0, false},   // huge values stay finite
      {-1, 0, kInf, 0, true},        // G at infinity is z = -1 ...
      {-1, 0, 1e300, -1e300, true},  // ... and so is a huge G
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(testing::Message() << "z = " << r.R << " + j" << r.X << ", G = " << r.Re << " + j" << r.Im);
    if (std::isfinite(r.Re) && std::fabs(r.Re) < 2) {
      EXPECT_NEAR(SmithReflectionReal(r.R, r.X), r.Re, 1e-12);
      EXPECT_NEAR(SmithReflectionImag(r.R, r.X), r.Im, 1e-12);
    }
    if (r.Inverse) {
      EXPECT_NEAR(SmithResistance(r.Re, r.Im), r.R, 1e-12);
      EXPECT_NEAR(SmithReactance(r.Re, r.Im), r.X, 1e-12);
    }
  }
}

TEST(SmithConversions, RoundTripMatchesComplexArithmetic) {
  std::mt19937_64 rng(21);
  std::uniform_real_distribution<double> logMag(-3, 3), sign(-1, 1);
  for (int i = 0; i < 2000; ++i) {
    const double R = std::pow(10.0, logMag(rng));
    const double X = (sign(rng) < 0 ? -1 : 1) * std::pow(10.0, logMag(rng));
    const std::complex<double> z(R, X), g = (z - 1.0) / (z + 1.0);
    const double re = SmithReflectionReal(R, X), im = SmithReflectionImag(R, X);
    ASSERT_NEAR(re, g.real(), 1e-12) << R << " " << X;
    ASSERT_NEAR(im, g.imag(), 1e-12) << R << " " << X;
    ASSERT_NEAR(SmithResistance(re, im), R, 1e-6 * std::max(1.0, R * R)) << R << " " << X;
    ASSERT_NEAR(SmithReactance(re, im), X, 1e-6 * std::max(1.0, X * X + R * R)) << R << " " << X;
  }
}

TEST(SmithConversions, OpenCircuitAndItsNeighboursNeverOverflow) {
  // G = 1 exactly, and points so close to it that |G - 1|^2 underflows to 0
  // or to a subnormal number.
  for (const auto& g : std::vector<std::pair<double, double>>{{1, 0}, {1, 1e-170}, {1, 1e-155}, {1, 4e-324}}) {
    SCOPED_TRACE(testing::Message() << g.first - 1 << " " << g.second);
    EXPECT_EQ(SmithResistance(g.first, g.second), uc_MaxReal);
    EXPECT_EQ(SmithReactance(g.first, g.second), uc_MaxReal);
  }
  // Close to G = 1 with a normal denominator: large and finite (1 - d exact).
  for (double d : {std::ldexp(1.0, -20), std::ldexp(1.0, -40), std::ldexp(1.0, -52)}) {
    const double r = SmithResistance(1 - d, 0);
    EXPECT_TRUE(std::isfinite(r));
    EXPECT_NEAR(r, 2 / d - 1, (2 / d) * 1e-12) << d;
  }
  for (double d : {1e-10, 1e-100, 1e-150}) {
    const double x = SmithReactance(1, d);
    EXPECT_TRUE(std::isfinite(x));
    EXPECT_NEAR(x, 2 / d, (2 / d) * 1e-12) << d;
  }
}

TEST(SmithConversions, NaNInGivesNaNOutAndThePoleGivesNaN) {
  for (const auto& a : std::vector<std::pair<double, double>>{{kNaN, 0}, {0, kNaN}, {kNaN, kInf}, {kInf, kNaN}}) {
    EXPECT_TRUE(std::isnan(SmithReflectionReal(a.first, a.second)));
    EXPECT_TRUE(std::isnan(SmithReflectionImag(a.first, a.second)));
    EXPECT_TRUE(std::isnan(SmithResistance(a.first, a.second)));
    EXPECT_TRUE(std::isnan(SmithReactance(a.first, a.second)));
  }
  // z = -1 itself: G is infinite, no finite limit.
  EXPECT_TRUE(std::isnan(SmithReflectionReal(-1, 0)));
  EXPECT_TRUE(std::isnan(SmithReflectionImag(-1, 0)));
  // Infinite impedances go to the open circuit from every direction.
  for (double r : {kInf, -kInf, 0.0, 1e308})
    for (double x : {kInf, -kInf}) {
      EXPECT_EQ(SmithReflectionReal(r, x), 1) << r << " " << x;
      EXPECT_EQ(SmithReflectionImag(r, x), 0) << r << " " << x;
    }
}

TEST(SmithLabels, LevelGrowsWithTheUnitCircleSpan) {
  const std::vector<std::pair<double, std::int32_t>> rows = {
      {0, 1}, {300, 1}, {300.5, 2}, {301, 2}, {500, 2}, {501, 3}, {750, 3},
      {751, 4}, {900, 4}, {901, 5}, {1e9, 5}, {-50, 1}, {kNaN, 1}, {kInf, 5}};
  for (const auto& [span, level] : rows) EXPECT_EQ(SmithLabelLevel(span), level) << span;
}

TEST(SmithLabels, TextsHaveADecimalOnlyWhenTheFractionNeedsIt) {
  const std::vector<std::pair<double, const char*>> rows = {
      {0, "0"}, {0.1, "0.1"}, {2, "2"}, {-0.5, "-0.5"}, {10, "10"}, {-10, "-10"},
      {1.2, "1.2"}, {2.5, "2.5"}, {7, "7"}, {1.005, "1"}, {0.99, "1.0"}};
  for (const auto& [v, text] : rows) EXPECT_EQ(SmithLabelText(v), text) << v;
}

TEST(SmithLabels, OffsetsMoveTenPixelsAwayFromTheCentre) {
  struct TRow {
    std::int64_t dx, dy;
    TPoint offset;
  };
  const std::vector<TRow> rows = {
      {0, -100, {0, -10}},    // straight up
      {0, 100, {0, 10}},      // straight down
      {100, 0, {10, 0}},      // level with the centre: straight right
      {-100, 0, {-10, 0}},    // and left
      {50, -50, {7, -7}},     // 45 degrees: 10/sqrt(2) rounded
      {-50, 50, {-7, 7}},
      {100, -50, {9, -4}},    // slope -1/2: 8.94 and 4.47
      {-3, -4, {-6, -8}},
      {0, 0, {0, 0}},
      {1, 3000000000LL, {0, 10}},
  };
  for (const auto& r : rows) {
    const TPoint o = SmithLabelOffset(r.dx, r.dy);
    EXPECT_EQ(o.x, r.offset.x) << r.dx << " " << r.dy;
    EXPECT_EQ(o.y, r.offset.y) << r.dx << " " << r.dy;
  }
}

}  // namespace
}  // namespace mivo
