// The pivot grid of TContourPlot: sizing, the calculation and its
// pre-calculation rule, progress, bad values, re-entry and the mask.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "contour_test_util.h"
#include "mivo/platform/errors.h"
#include "mivo/platform/host.h"

namespace mivo {
namespace {

using test::TCountingField;
using test::UseContourGeometry;
using test::UsePaintingContour;

TEST(ContourGrid, SizesFollowTheirRules) {
  TContourPlot p;
  UseContourGeometry(p);
  p.SetPivotResolution(100);  // data area 400 x 200
  EXPECT_EQ(p.NumPivotsX(), 21);
  EXPECT_EQ(p.NumPivotsY(), 11);
  EXPECT_EQ(p.PivotResolution(), 105);
  p.ResizePivotMatrix(3, 8000);
  EXPECT_EQ(p.NumPivotsX(), 2);
  EXPECT_EQ(p.NumPivotsY(), 1000);
  p.SetNumPivotsX(-4);
  p.SetNumPivotsY(1);
  EXPECT_EQ(p.NumPivotsX(), 2);
  EXPECT_EQ(p.NumPivotsY(), 2);
  EXPECT_EQ(p.PivotMatrix().NrOfColumns(), 2);
  EXPECT_EQ(p.MaskMatrix().NrOfRows(), 2);
}

TEST(ContourGrid, ResolutionOnAControlSmallerThanItsMarginsKeepsTwoPivots) {
  TContourPlot p;
  p.SetBounds(0, 0, 20, 10);  // data area negative both ways
  p.SetPivotResolution(10);
  EXPECT_GE(p.NumPivotsX(), 2);
  EXPECT_GE(p.NumPivotsY(), 2);
  p.ResetComp();
  EXPECT_GE(p.NumPivotsX(), 2);
  EXPECT_GE(p.NumPivotsY(), 2);
}

TEST(ContourGrid, OversizedGridIsRefusedAndTheOldOneKept) {
  TContourPlot p;
  p.SetNumPivotsX(30);
  p.SetNumPivotsY(20);
  p.SetMaskVal(3, 4, 9);
  for (auto set : {+[](TContourPlot& q) { q.SetNumPivotsX(1000000); },
                   +[](TContourPlot& q) { q.SetNumPivotsY(2147483647); },
                   +[](TContourPlot& q) { q.SetPivotResolution(2147483647); }}) {
    EXPECT_THROW(set(p), EMivoError);
    EXPECT_EQ(p.NumPivotsX(), 30);
    EXPECT_EQ(p.NumPivotsY(), 20);
    EXPECT_EQ(p.GetMaskVal(3, 4), 9);
  }
  try {
    p.SetNumPivotsX(1000000);
  } catch (const EMivoError& e) {
    EXPECT_STREQ(e.what(), "Contour plot: a grid of 1000000 x 20 pivots is too large (at most 4000000 pivots)");
  }
}

TEST(ContourGrid, RebuildClearsValuesAndMask) {
  TContourPlot p;
  TCountingField f;
  p.OnEstimateZVal = f.Handler();
  p.SetNumPivotsX(5);
  p.SetNumPivotsY(4);
  p.CalculatePivotPoints(false);
  p.FillMask(3);
  EXPECT_NE(p.GetPivotVal(5, 4), 0.0);
  p.SetNumPivotsY(6);
  for (std::int32_t a = 1; a <= 5; ++a)
    for (std::int32_t b = 1; b <= 6; ++b) {
      EXPECT_EQ(p.GetPivotVal(a, b), 0.0);
      EXPECT_EQ(p.GetMaskVal(a, b), 0);
    }
}

TEST(ContourPivots, ValuesComeFromTheHandlerAtTheirPositions) {
  TContourPlot p;
  p.SetNumPivotsX(11);
  p.SetNumPivotsY(6);
  p.SetRange(0.0, 0.0, 10.0, 5.0);
  std::vector<std::uint8_t> masksSeen;
  p.SetMaskVal(2, 3, 42);
  p.OnEstimateZVal = [&](TObject&, double x, double y, std::int32_t a, std::int32_t b, double& z,
                         std::uint8_t& mask) {
    EXPECT_EQ(z, 0.0);
    EXPECT_DOUBLE_EQ(x, a - 1.0);
    EXPECT_DOUBLE_EQ(y, b - 1.0);
    if (a == 2 && b == 3) masksSeen.push_back(mask);
    if (a == 4 && b == 1) mask = 255;
    z = x * 10 + y;
  };
  p.CalculatePivotPoints(false);
  EXPECT_EQ(masksSeen, std::vector<std::uint8_t>{42});
  EXPECT_EQ(p.GetPivotVal(4, 2), 31.0);
  EXPECT_EQ(p.GetMaskVal(4, 1), 255);
  EXPECT_EQ(p.MaxPivot(), 105.0);
  EXPECT_EQ(p.MinPivot(), 0.0);
  EXPECT_DOUBLE_EQ(p.PercentilePivots(0.5), 52.5);
  // Outside the grid: 0 read, writes ignored.
  p.SetMaskVal(0, 1, 5);
  p.SetMaskVal(12, 1, 5);
  EXPECT_EQ(p.GetMaskVal(0, 1), 0);
  EXPECT_EQ(p.GetMaskVal(12, 1), 0);
  EXPECT_EQ(p.GetPivotVal(1, 7), 0.0);
}

TEST(ContourPivots, WithoutAHandlerOrWhenDisabledEveryPivotIsZero) {
  TContourPlot p;
  p.SetNumPivotsX(4);
  p.SetNumPivotsY(3);
  p.CalculatePivotPoints(false);
  EXPECT_EQ(p.MaxPivot(), 0.0);
  EXPECT_EQ(p.MinPivot(), 0.0);
  TCountingField f;
  p.OnEstimateZVal = f.Handler();
  p.SetEstimateEnabled(false);
  p.CalculatePivotPoints(false);
  EXPECT_EQ(f.Calls, 0);
  EXPECT_EQ(p.MaxPivot(), 0.0);
  EXPECT_EQ(p.GetPivotVal(4, 3), 0.0);
}

TEST(ContourPivots, ValuesWithoutDataDoNotPoisonTheExtremes) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  TContourPlot p;
  p.SetNumPivotsX(3);
  p.SetNumPivotsY(2);
  const double values[] = {std::nan(""), kInf, -kInf, 4, -2, 1e308};
  p.OnEstimateZVal = [&](TObject&, double, double, std::int32_t a, std::int32_t b, double& z, std::uint8_t&) {
    z = values[(b - 1) * 3 + (a - 1)];
  };
  p.CalculatePivotPoints(false);
  EXPECT_EQ(p.MaxPivot(), 1e308);
  EXPECT_EQ(p.MinPivot(), -2.0);
  EXPECT_TRUE(std::isnan(p.GetPivotVal(1, 1)));
  EXPECT_DOUBLE_EQ(p.PercentilePivots(0), -kInf);  // the percentile sees every number but NaN
  p.OnEstimateZVal = [](TObject&, double, double, std::int32_t, std::int32_t, double& z, std::uint8_t&) {
    z = std::nan("");
  };
  p.CalculatePivotPoints(false);
  EXPECT_EQ(p.MaxPivot(), 0.0);
  EXPECT_EQ(p.MinPivot(), 0.0);
}

TEST(ContourPivots, PreCalculatedValuesServeOneRebuild) {
  TContourPlot p;
  UsePaintingContour(p);
  p.SetNumPivotsX(8);
  p.SetNumPivotsY(5);
  TCountingField f;
  p.OnEstimateZVal = f.Handler();
  p.CalculatePivotPoints(true);
  EXPECT_EQ(f.Calls, 40);
  EXPECT_DOUBLE_EQ(p.MaxPivot(), 12.5);
  p.Paint();
  EXPECT_EQ(f.Calls, 40);  // the rebuild used them
  EXPECT_FALSE(p.InvalidDataBmp());
  p.Paint();
  EXPECT_EQ(f.Calls, 40);  // the cached image
  p.DrawPlot();
  EXPECT_EQ(f.Calls, 80);  // a new invalidation asks again
  p.DrawPlot();
  EXPECT_EQ(f.Calls, 120);
}

TEST(ContourPivots, ClearingFollowsThePreCalculationRule) {
  TContourPlot p;
  p.SetNumPivotsX(3);
  p.SetNumPivotsY(3);
  TCountingField f;
  p.OnEstimateZVal = f.Handler();
  p.CalculatePivotPoints(true);
  p.ClearPivotPoints(false);  // pre-calculated values stay, the flag goes
  EXPECT_NE(p.GetPivotVal(3, 3), 0.0);
  p.ClearPivotPoints(false);
  EXPECT_EQ(p.GetPivotVal(3, 3), 0.0);
}

TEST(ContourPivots, ProgressOfA250ColumnGridEveryOtherColumn) {
  TContourPlot p;
  p.SetNumPivotsX(250);
  p.SetNumPivotsY(2);
  std::vector<std::int32_t> percents;
  p.OnProgress = [&](TObject&, std::int32_t pc) { percents.push_back(pc); };
  p.CalculatePivotPoints(false);
  ASSERT_EQ(percents.size(), 125u);
  EXPECT_EQ(percents[0], 1);   // column 2: 0.8
  EXPECT_EQ(percents[1], 2);   // column 4: 1.6
  EXPECT_EQ(percents[2], 2);   // column 6: 2.4
  EXPECT_EQ(percents[124], 100);
}

TEST(ContourPivots, ReentrantPaintDuringTheCalculationDoesNotStartAnother) {
  TContourPlot p;
  UsePaintingContour(p);
  p.SetNumPivotsX(10);
  p.SetNumPivotsY(4);
  TCountingField f;
  p.OnEstimateZVal = f.Handler();
  std::int32_t reentries = 0;
  p.OnProgress = [&](TObject&, std::int32_t pc) {
    if (pc < 70 && reentries < 3) {
      ++reentries;
      p.Paint();  // as a paint message would
    }
  };
  p.DrawPlot();
  EXPECT_EQ(f.Calls, 40);
  EXPECT_EQ(reentries, 3);
  EXPECT_FALSE(p.InvalidDataBmp());
}

TEST(ContourPivots, GridRebuiltByAHandlerIsNotWrittenPastItsEnd) {
  TContourPlot p;
  UsePaintingContour(p);
  p.SetNumPivotsX(50);
  p.SetNumPivotsY(40);
  bool shrunk = false;
  p.OnEstimateZVal = [&](TObject&, double, double, std::int32_t a, std::int32_t, double& z, std::uint8_t& mask) {
    if (a == 20 && !shrunk) {
      shrunk = true;
      p.SetNumPivotsX(3);
      p.SetNumPivotsY(2);
    }
    z = 1;
    mask = 7;
  };
  p.DrawPlot();
  EXPECT_EQ(p.NumPivotsX(), 3);
  EXPECT_EQ(p.PivotMatrix().Data().size(), 6u);
  EXPECT_TRUE(p.InvalidDataBmp());  // built from a grid that changed: built again at the next paint
  p.OnEstimateZVal = nullptr;
  p.Paint();
  EXPECT_FALSE(p.InvalidDataBmp());
}

TEST(ContourPivots, SettingsChangedByAHandlerLeaveTheImageInvalid) {
  TContourPlot p;
  UsePaintingContour(p);
  p.SetNumPivotsX(5);
  p.SetNumPivotsY(5);
  p.OnEstimateZVal = [&](TObject&, double, double, std::int32_t a, std::int32_t b, double& z, std::uint8_t&) {
    if (a == 3 && b == 3) p.SetRange(0.0, 0.0, 20.0, 20.0);
    z = a;
  };
  p.DrawPlot();
  EXPECT_TRUE(p.InvalidDataBmp());
}

}  // namespace
}  // namespace mivo
