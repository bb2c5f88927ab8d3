// TPlot3D model: defaults, setter corrections, ranges and calibration, view
// angles, the grid statistics kept by the matrix's change notification, and
// the operations Reset, AutoScale, SetRange and Clear.
#include "mivo/plot3d/plot3d.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "mivo/platform/host.h"

namespace mivo {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(Plot3DModel, ConstructorState) {
  TPlot3D p;
  EXPECT_EQ(p.Width(), 650);
  EXPECT_EQ(p.Height(), 500);
  EXPECT_FALSE(p.SuppressPaint());
  EXPECT_EQ(p.CentX(), 325);
  EXPECT_EQ(p.CentY(), 250);
  EXPECT_EQ(p.ViewAngleX(), 60);
  EXPECT_EQ(p.ViewAngleZ(), 15);
  EXPECT_EQ(p.CalibZk(), 150);
  EXPECT_EQ(p.CalibZd(), 0);
  EXPECT_DOUBLE_EQ(p.GetRotMat(1, 1), std::cos(15 * std::numbers::pi / 180));
  EXPECT_DOUBLE_EQ(p.GetRotMat(1, 2), -std::sin(15 * std::numbers::pi / 180));
  EXPECT_EQ(p.GetRotMat(1, 3), 0);
  EXPECT_EQ(p.GetRotMat(0, 1), 0);
  EXPECT_EQ(p.GetRotMat(2, 4), 0);
  EXPECT_EQ(p.CubeCorners()[0].x, -150);
  EXPECT_EQ(p.CubeCorners()[5].x, 150);
  EXPECT_EQ(p.CubeCorners()[5].y, -150);
  EXPECT_EQ(p.CubeCorners()[5].z, 150);
}

TEST(Plot3DModel, ResetUsesItsOwnAngles) {
  TPlot3D p;
  p.SetAutoCenter(false);
  p.SetCentX(10);
  p.SetScaleFactX(3);
  p.SetMagnification(2);
  p.Reset();
  EXPECT_EQ(p.CentX(), 325);
  EXPECT_EQ(p.ScaleFactX(), 1);
  EXPECT_EQ(p.Magnification(), 1);
  EXPECT_EQ(p.ViewAngleX(), 66);
  EXPECT_EQ(p.ViewAngleZ(), 135);
  EXPECT_DOUBLE_EQ(p.GetRotMat(1, 1), std::cos(135 * std::numbers::pi / 180));
}

TEST(Plot3DSetters, ClampsAndCorrections) {
  TPlot3D p;
  p.SetViewAngleX(725);
  EXPECT_DOUBLE_EQ(p.ViewAngleX(), 5);
  p.SetViewAngleX(-30);
  EXPECT_DOUBLE_EQ(p.ViewAngleX(), 330);
  p.SetViewAngleX(-360);
  EXPECT_DOUBLE_EQ(p.ViewAngleX(), 360);
  p.SetViewAngleZ(kNaN);
  EXPECT_DOUBLE_EQ(p.ViewAngleZ(), 15);
  p.SetMagnification(10);
  EXPECT_EQ(p.Magnification(), 5);
  p.SetMagnification(0);
  EXPECT_EQ(p.Magnification(), 0.1);
  p.SetMagnification(kNaN);
  EXPECT_EQ(p.Magnification(), 0.1);
  p.SetMinTickX(1);
  EXPECT_EQ(p.MinTickX(), 2);
  p.SetMinTickX(50);
  EXPECT_EQ(p.MinTickX(), 20);
  p.SetDecPlaceY(-7);
  EXPECT_EQ(p.DecPlaceY(), -2);
  p.SetDecPlaceY(40);
  EXPECT_EQ(p.DecPlaceY(), 12);
  p.SetColorScaleHigh(-5);  // not above the low end 0
  EXPECT_EQ(p.ColorScaleHigh(), 100);
  p.SetColorScaleLow(100);  // not below the high end
  EXPECT_EQ(p.ColorScaleLow(), 0);
  p.SetColorScaleLow(kNaN);
  EXPECT_EQ(p.ColorScaleLow(), 0);
  p.SetColorScaleLow(-5);
  EXPECT_EQ(p.ColorScaleLow(), -5);
  p.SetScaleFactZ(kInf);
  EXPECT_EQ(p.ScaleFactZ(), 1);
}

TEST(Plot3DSetters, CentreFollowsAutoCenter) {
  TPlot3D p;
  p.SetCentX(17);  // AutoCenter on: re-centres instead
  EXPECT_EQ(p.CentX(), 325);
  p.SetAutoCenter(false);
  p.SetCentX(17);
  EXPECT_EQ(p.CentX(), 17);
  p.SetCentX(5000);
  EXPECT_EQ(p.CentX(), 1300);
  p.SetCentY(-5000);
  EXPECT_EQ(p.CentY(), -500);
  p.SetBounds(0, 0, 200, 100);  // no re-centring while AutoCenter is off
  EXPECT_EQ(p.CentX(), 1300);
  p.SetAutoCenter(true);
  EXPECT_EQ(p.CentX(), 100);
  EXPECT_EQ(p.CentY(), 50);
  p.SetBounds(0, 0, 300, 301);
  EXPECT_EQ(p.CentX(), 150);
  EXPECT_EQ(p.CentY(), 150);
}

TEST(Plot3DRanges, EqualEndsAreSeparated) {
  TPlot3D p;
  p.SetRange(0, 0, 2, 3, 4, 4);
  EXPECT_EQ(p.RangeXLow(), -0.5);
  EXPECT_EQ(p.RangeXHigh(), 0.5);
  EXPECT_EQ(p.RangeYLow(), 2);
  EXPECT_EQ(p.RangeZLow(), 3.5);
  EXPECT_EQ(p.RangeZHigh(), 4.5);
  p.SetRangeZHigh(5);
  p.SetRangeZLow(5);
  EXPECT_EQ(p.RangeZLow(), 4);
  p.SetRangeZHigh(4);
  EXPECT_EQ(p.RangeZHigh(), 5);
  p.SetRangeXLow(kNaN);
  p.SetRange(0, kInf, 0, 1, 0, 1);
  EXPECT_EQ(p.RangeXLow(), -0.5);
  // At 1e300 one unit is lost in rounding: the ends still come apart.
  p.SetRangeYHigh(1e300);
  p.SetRangeYLow(1e300);
  EXPECT_LT(p.RangeYLow(), p.RangeYHigh());
}

TEST(Plot3DRanges, ZRangeMapsOntoTheCube) {
  TPlot3D p;
  p.SetRange(-1, 1, -1, 1, 10, 20);
  EXPECT_DOUBLE_EQ(p.CalibZk(), 30);
  EXPECT_DOUBLE_EQ(p.CalibZd(), -450);
  EXPECT_DOUBLE_EQ(p.CalcIntZ(10), -150);
  EXPECT_DOUBLE_EQ(p.CalcIntZ(20), 150);
  // Reversed ranges turn the surface upside down; the calibration follows.
  p.SetRange(-1, 1, -1, 1, 20, 10);
  EXPECT_DOUBLE_EQ(p.CalcIntZ(20), -150);
  // A span too wide for the doubles keeps the last usable calibration.
  p.SetRange(-1, 1, -1, 1, -1.7e308, 1.7e308);
  EXPECT_DOUBLE_EQ(p.CalcIntZ(20), -150);
}

TEST(Plot3DGrid, StatisticsFollowTheTypicalUpdateSequence) {
  TPlot3D p;
  THeadlessHost* host = HeadlessHost();
  ASSERT_NE(host, nullptr);
  p.SetSuppressPaint(true);
  p.GridMat.Resize(4, 3);
  for (std::int32_t c = 1; c <= 4; ++c)
    for (std::int32_t r = 1; r <= 3; ++r) p.GridMat.SetElem(c, r, c * 10 + r);
  // Not maintained while suppressed.
  EXPECT_EQ(p.MaxZ(), 0);
  EXPECT_EQ(p.ProjMapX.NrOfColumns(), 0);
  const std::int32_t presents = host->PresentCount(p);
  p.SetSuppressPaint(false);
  EXPECT_EQ(host->PresentCount(p), presents + 1);
  EXPECT_EQ(p.MinZ(), 11);
  EXPECT_EQ(p.MaxZ(), 43);
  EXPECT_EQ(p.ProjMapX.NrOfColumns(), 4);
  EXPECT_EQ(p.ProjMapZ.NrOfRows(), 3);
  p.AutoScale();
  EXPECT_DOUBLE_EQ(p.ScaleFactX(), 1);
  EXPECT_DOUBLE_EQ(p.ScaleFactY(), 4.0 / 3);
  EXPECT_DOUBLE_EQ(p.ScaleFactZ(), 2.0 / 32);
  // Later changes keep the statistics current without a repaint.
  const std::int32_t after = host->PresentCount(p);
  p.GridMat.SetElem(2, 2, -100);
  p.GridMat.Resize(5, 3);
  EXPECT_EQ(p.MinZ(), -100);
  EXPECT_EQ(p.ProjMapY.NrOfColumns(), 5);
  EXPECT_EQ(host->PresentCount(p), after);
  p.SetSuppressPaint(false);  // the same value again: nothing happens
  EXPECT_EQ(host->PresentCount(p), after);
}

// Element by element on a painting plot, a million cells: each change costs
// a constant (on a whole-matrix scan per change this would not finish), and
// the statistics still describe the grid whenever asked.
TEST(Plot3DGrid, ElementByElementFillKeepsTheStatisticsRight) {
  TPlot3D p;
  p.GridMat.Resize(1000, 1000);
  ASSERT_FALSE(p.SuppressPaint());
  for (std::int32_t c = 1; c <= 1000; ++c)
    for (std::int32_t r = 1; r <= 1000; ++r) p.GridMat.SetElem(c, r, 0.001 * c - 0.002 * r);
  EXPECT_DOUBLE_EQ(p.MinZ(), 0.001 - 2);
  EXPECT_DOUBLE_EQ(p.MaxZ(), 1 - 0.002);
  struct Step {
    std::int32_t C, R;
    double V, Min, Max;
  };
  const std::vector<Step> steps = {
      {5, 5, 7, 0.001 - 2, 7},         {1, 1000, 0, 0.002 - 2, 7},  // the old minimum overwritten
      {5, 5, 0, 0.002 - 2, 1 - 0.002}, {9, 9, NAN, 0.002 - 2, 1 - 0.002},  // NaN is skipped
      {3, 3, -1e300, -1e300, 1 - 0.002},
  };
  for (const Step& s : steps) {
    p.GridMat.SetElem(s.C, s.R, s.V);
    EXPECT_DOUBLE_EQ(p.MinZ(), s.Min) << s.C << "," << s.R;
    EXPECT_DOUBLE_EQ(p.MaxZ(), s.Max) << s.C << "," << s.R;
  }
}

TEST(Plot3DGrid, AutoScaleEdgeCases) {
  TPlot3D p;
  p.GridMat.Resize(3, 3);
  p.GridMat.Fill(7);  // constant data
  p.AutoScale();
  EXPECT_EQ(p.ScaleFactZ(), 1);
  p.GridMat.Resize(0, 0);  // an empty grid keeps the x and y factors
  p.SetScaleFactX(2);
  p.AutoScale();
  EXPECT_EQ(p.ScaleFactX(), 2);
  p.GridMat.Resize(2, 2);
  p.GridMat.Fill(kNaN);  // all NaN: no spread
  p.AutoScale();
  EXPECT_EQ(p.ScaleFactZ(), 1);
  p.GridMat.SetElem(1, 1, -1e308);
  p.GridMat.SetElem(2, 2, 1e308);  // a spread beyond the doubles
  p.AutoScale();
  EXPECT_EQ(p.ScaleFactZ(), 1);
}

TEST(Plot3DGrid, ClearFillsWithZero) {
  TPlot3D p;
  p.GridMat.Resize(2, 2);
  p.GridMat.Fill(3);
  p.Clear();
  EXPECT_EQ(p.GridMat.Elem(2, 2), 0);
  EXPECT_EQ(p.MaxZ(), 0);
}

TEST(Plot3DView, SetViewAnglesNormalisesBoth) {
  TPlot3D p;
  p.SetViewAngles(-90, 400);
  EXPECT_DOUBLE_EQ(p.ViewAngleX(), 270);
  EXPECT_DOUBLE_EQ(p.ViewAngleZ(), 40);
  EXPECT_DOUBLE_EQ(p.GetRotMat(2, 3), 1);  // -sin 270
  p.SetViewAngles(kNaN, 0);
  EXPECT_DOUBLE_EQ(p.ViewAngleX(), 270);
}

}  // namespace
}  // namespace mivo
