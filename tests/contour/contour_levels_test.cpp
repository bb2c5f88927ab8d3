// Iso levels, colour entries, pivot positions and grid sizes of the contour plot.
#include "mivo/contour/contour_levels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace mivo {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(ContourLevels, CountIsNearestQuotientAndHighIsNotALevel) {
  EXPECT_EQ(IsoLevelCount(-1, 1, 0.1), 20);
  EXPECT_DOUBLE_EQ(IsoLevel(-1, 0.1, 0), -1.0);
  EXPECT_NEAR(IsoLevel(-1, 0.1, 19), 0.9, 1e-12);
  EXPECT_EQ(IsoLevelCount(0, 1, 0.3), 3);  // 3.33 -> 3
  EXPECT_EQ(IsoLevelCount(0, 1, 0.25), 4);
}

TEST(ContourLevels, SpacingsThatCannotMakeLevelsGiveNoneOrTheCap) {
  struct Row {
    double Low, High, Dist;
    std::int32_t Expected;
  };
  for (const Row& r : {Row{-1, 1, 0, 0}, Row{-1, 1, -0.1, 0}, Row{-1, 1, kNaN, 0}, Row{-1, 1, kInf, 0},
                       Row{kNaN, 1, 0.1, 0}, Row{-1, kInf, 0.1, 0}, Row{1, 1, 0.1, 0},
                       Row{-1, 1, 1e-300, kMaxIsoLevels}, Row{-1e308, 1e308, 1e-308, kMaxIsoLevels},
                       Row{-1e308, 1e308, 1e307, 20}})
    EXPECT_EQ(IsoLevelCount(r.Low, r.High, r.Dist), r.Expected) << r.Low << " " << r.High << " " << r.Dist;
}

TEST(ContourLevels, ValueColourEntries) {
  struct Row {
    double V;
    std::int32_t N, Expected;
  };
  // Range -1 ... 1.
  for (const Row& r : {Row{-5, 10, 1}, Row{-1, 10, 1}, Row{-0.95, 10, 1}, Row{0, 10, 5}, Row{0.95, 10, 10},
                       Row{1, 10, 10}, Row{7, 10, 10}, Row{1e308, 10, 10}, Row{-1e308, 10, 1}, Row{kInf, 10, 0},
                       Row{-kInf, 10, 0}, Row{kNaN, 10, 0}, Row{0.3, 0, 1}, Row{-3, 0, 1}})
    EXPECT_EQ(ValueColorIndex(r.V, -1, 1, r.N), r.Expected) << r.V << " of " << r.N;
  // A range as wide as doubles go does not overflow.
  EXPECT_EQ(ValueColorIndex(1e308, -1e308, 1e308, 64), 64);
  EXPECT_EQ(ValueColorIndex(0, -1e308, 1e308, 64), 32);
}

TEST(ContourLevels, LevelColourEntriesAreClampedToTheArray) {
  EXPECT_EQ(LevelColorIndex(-1, -1, 1, 20), 1);  // 0 raised to 1
  EXPECT_EQ(LevelColorIndex(0, -1, 1, 20), 10);
  EXPECT_EQ(LevelColorIndex(0.9, -1, 1, 20), 19);
  EXPECT_EQ(LevelColorIndex(5, -1, 1, 20), 20);
  EXPECT_EQ(LevelColorIndex(0, -1, 1, 0), 1);
}

TEST(ContourLevels, PivotsSpanTheRangeInclusive) {
  EXPECT_DOUBLE_EQ(PivotPosition(-5.2, 5.2, 1, 27), -5.2);
  EXPECT_DOUBLE_EQ(PivotPosition(-5.2, 5.2, 27, 27), 5.2);
  EXPECT_DOUBLE_EQ(PivotPosition(0, 10, 3, 11), 2.0);
  EXPECT_DOUBLE_EQ(PivotPosition(0, 10, 2, 1), 10.0);  // a one-pivot count is taken as two
}

TEST(ContourLevels, ResolutionFollowsTheDataAreaAspect) {
  struct Row {
    std::int32_t R, W, H, NX, NY;
  };
  for (const Row& r : {Row{100, 400, 200, 21, 11}, Row{100, 200, 400, 11, 21}, Row{100, 300, 300, 21, 21},
                       Row{3, 400, 200, 3, 2}, Row{100, 0, 0, 21, 21}, Row{100, -50, 200, 2, 21},
                       Row{100, 400, -7, 21, 2}, Row{2000000000, 1 << 30, 1, 400000001, 2}})
    {
      std::int32_t nx = 0, ny = 0;
      PivotCountsForResolution(r.R, r.W, r.H, nx, ny);
      EXPECT_EQ(nx, r.NX) << r.R << " on " << r.W << " x " << r.H;
      EXPECT_EQ(ny, r.NY) << r.R << " on " << r.W << " x " << r.H;
    }
}

}  // namespace
}  // namespace mivo
