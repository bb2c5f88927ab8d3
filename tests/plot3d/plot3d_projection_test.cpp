// The pure rules of the surface plot: view angles, rotation matrix, grid
// geometry, projection, box-corner choice, face shades, drawing order, colour
// coding, axis ticks and labels, and the cell search.
#include "mivo/plot3d/plot3d_projection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "mivo/base/unit_cube.h"

namespace mivo {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(UnitCube, TablesAgreeWithTheCornerNumbering) {
  // Face f lies on the side named in the table: every corner shares that sign.
  const std::int32_t faceAxis[6] = {2, 1, 2, 1, 0, 0};
  const std::int32_t faceSign[6] = {1, 1, -1, -1, 1, -1};
  for (std::int32_t f = 0; f < kCubeFaces; ++f)
    for (std::uint8_t c : CubeFaceCorners[std::size_t(f)])
      EXPECT_EQ(CubeCornerSign(c, faceAxis[f]), faceSign[f]) << "face " << f << " corner " << int(c);
  for (std::int32_t c = 0; c < kCubeCorners; ++c) {
    for (std::uint8_t f : CubeCornerFaces[std::size_t(c)]) {
      bool onFace = false;
      for (std::uint8_t k : CubeFaceCorners[f]) onFace = onFace || k == c;
      EXPECT_TRUE(onFace) << "corner " << c << " face " << int(f);
    }
    for (std::uint8_t n : CubeCornerNeighbours[std::size_t(c)]) {
      const std::int32_t diff = c ^ n;
      EXPECT_TRUE(diff == 1 || diff == 2 || diff == 4) << "corner " << c << " neighbour " << int(n);
    }
  }
}

struct AngleCase {
  double In, Out;
};
class ViewAngleNormalisation : public ::testing::TestWithParam<AngleCase> {};
TEST_P(ViewAngleNormalisation, BringsIntoZeroTo360) {
  EXPECT_DOUBLE_EQ(NormalizeViewAngle(GetParam().In), GetParam().Out);
}
INSTANTIATE_TEST_SUITE_P(Table, ViewAngleNormalisation,
                         ::testing::Values(AngleCase{725, 5}, AngleCase{-30, 330}, AngleCase{-360, 360},
                                           AngleCase{360, 360}, AngleCase{0, 0}, AngleCase{720, 0},
                                           AngleCase{-720, 360}, AngleCase{45.5, 45.5}, AngleCase{-390, 330}));

TEST(RotationMatrix, DefaultViewRows) {
  const TRotMatrix r = CalcRotMatrix(60, 15);
  const double rad = std::numbers::pi / 180;
  EXPECT_DOUBLE_EQ(r[0][0], std::cos(15 * rad));
  EXPECT_DOUBLE_EQ(r[0][1], -std::sin(15 * rad));
  EXPECT_EQ(r[0][2], 0);
  EXPECT_NEAR(r[1][0], std::cos(60 * rad) * std::sin(15 * rad), 1e-15);
  EXPECT_NEAR(r[1][2], -std::sin(60 * rad), 1e-15);
  EXPECT_NEAR(r[2][2], std::cos(60 * rad), 1e-15);
}

TEST(RotationMatrix, TinyElementsAreExactlyZero) {
  const TRotMatrix r = CalcRotMatrix(90, 180);  // cos 90 and sin 180 are ~1e-16 in doubles
  EXPECT_EQ(r[0][1], 0.0);
  EXPECT_EQ(r[2][2], 0.0);
  EXPECT_EQ(r[1][1], 0.0);
  EXPECT_EQ(r[0][0], -1.0);
}

TEST(GridGeometry, NodesSpanTheCube) {
  EXPECT_DOUBLE_EQ(GridCellSize(11), 30);
  EXPECT_DOUBLE_EQ(GridNodeCoord(1, 11), -150);
  EXPECT_DOUBLE_EQ(GridNodeCoord(11, 11), 150);
  EXPECT_DOUBLE_EQ(GridNodeCoord(6, 11), 0);
  EXPECT_DOUBLE_EQ(GridNodeCoord(1, 2), -150);
  // One node in a direction: cell size 1, the node at 1 - 1/2 - 0.5 = 0.
  EXPECT_DOUBLE_EQ(GridCellSize(1), 1);
  EXPECT_DOUBLE_EQ(GridNodeCoord(1, 1), 0);
  EXPECT_DOUBLE_EQ(GridCellSize(0), 1);
}

TEST(Projection, RoundsHalvesToEvenAndClamps) {
  TProjection p;
  p.R = CalcRotMatrix(0, 0);  // identity: x to the right, y down
  p.CentX = 100;
  p.CentY = 50;
  EXPECT_EQ(p.Project(2.5, -3.5, 7), (TPoint{102, 46}));
  p.Magnify = 2;
  p.SclX = 0.5;
  EXPECT_EQ(p.Project(10, 10, 0), (TPoint{110, 70}));
  // Huge and non-finite coordinates stay inside the bounded pixel range.
  const TPoint huge = p.Project(1e300, -1e300, 0);
  EXPECT_EQ(huge.x, kMaxProjectedPixel);
  EXPECT_EQ(huge.y, -kMaxProjectedPixel);
  const TPoint nan = p.Project(kNaN, 0, kInf);
  EXPECT_EQ(nan.x, 100);
}

TEST(BoxCorners, DefaultViewLooksFromCornerSeven) {
  const TRotMatrix r = CalcRotMatrix(60, 15);
  EXPECT_EQ(FarthestCorner(r), 0);
  // The z axis stands at the corner farthest right, always one with z = -150.
  const std::int32_t a = RightmostCorner(r);
  EXPECT_EQ(a & 1, 0);
  EXPECT_EQ(a, 4);  // x = +150, y = -150 is rightmost for a small z turn
  EXPECT_EQ(FarthestCorner(CalcRotMatrix(60, 195)), 6);
  EXPECT_EQ(FarthestCorner(CalcRotMatrix(240, 15)), 7);
}

TEST(BoxFaces, ShadeFromDepth) {
  // Seen from straight above, the top face is square-on and the side faces edge-on.
  const TRotMatrix top = CalcRotMatrix(0, 0);
  double hTop = 0, hSide = 0;
  for (std::uint8_t c : CubeFaceCorners[0]) hTop += CornerDepth(top, c);
  for (std::uint8_t c : CubeFaceCorners[4]) hSide += CornerDepth(top, c);
  EXPECT_EQ(FaceShade(hTop), 200);
  EXPECT_EQ(FaceShade(hSide), 0);
  EXPECT_EQ(FaceColor(0xC0C0C0, 0xFEEFEE, 0), 0xC0C0C0u);
  EXPECT_EQ(FaceColor(0xC0C0C0, 0xFEEFEE, 200), 0xFEEFEEu);
  // Each channel low + (high - low) * F div 200, truncated.
  EXPECT_EQ(FaceColor(0x000000, 0x0A0B0C, 100), 0x050506u);
  EXPECT_EQ(FaceColor(0x0A0B0C, 0x000000, 100), 0x050606u);
  EXPECT_EQ(FaceShade(kNaN), 0);
  EXPECT_EQ(FaceShade(1e300), 200);
}

struct OrderCase {
  double X, Z;
  bool Rows, Cols;
};
class CellOrder : public ::testing::TestWithParam<OrderCase> {};
TEST_P(CellOrder, FollowsTheViewQuadrant) {
  const TCellOrder o = CellDrawOrder(GetParam().X, GetParam().Z);
  EXPECT_EQ(o.RowsAscending, GetParam().Rows);
  EXPECT_EQ(o.ColumnsAscending, GetParam().Cols);
}
INSTANTIATE_TEST_SUITE_P(Table, CellOrder,
                         ::testing::Values(OrderCase{60, 15, true, true}, OrderCase{60, 135, false, true},
                                           OrderCase{60, 225, false, false}, OrderCase{60, 300, true, false},
                                           OrderCase{240, 15, false, false}, OrderCase{240, 200, true, true},
                                           OrderCase{180, 90, false, true}, OrderCase{180, 270, false, false}));

TEST(ColorCoding, TwoThreeAndArrayModes) {
  TColorCoding c;
  c.ColorLow = 0x000000;
  c.ColorMid = 0xFF0000;
  c.ColorHigh = 0x00FFFF;
  EXPECT_EQ(c.Calc(0), 0x000000u);
  EXPECT_EQ(c.Calc(100), 0x00FFFFu);
  EXPECT_EQ(c.Calc(50), 0x008080u);  // 127.5 rounds to the even 128
  EXPECT_EQ(c.Calc(-1e300), 0x000000u);
  EXPECT_EQ(c.Calc(kInf), 0x00FFFFu);
  EXPECT_EQ(c.Calc(kNaN), 0x000000u);
  c.Mode = TColorCodingMode::ccmThreeColors;
  EXPECT_EQ(c.Calc(50), 0xFF0000u);
  EXPECT_EQ(c.Calc(25), 0x800000u);
  EXPECT_EQ(c.Calc(100), 0x00FFFFu);
  TColorArray iso(4);
  for (std::int32_t i = 1; i <= 4; ++i) iso.SetColorElem(i, TColor(i));
  c.Mode = TColorCodingMode::ccmColorArray;
  c.IsoColors = &iso;
  EXPECT_EQ(c.Calc(0), 1u);     // index 0 is raised to 1
  EXPECT_EQ(c.Calc(100), 4u);
  EXPECT_EQ(c.Calc(37.5), 2u);  // 1.5 rounds to the even 2
  EXPECT_EQ(c.Calc(62.5), 2u);  // 2.5 rounds to the even 2
  TColorArray empty;
  c.IsoColors = &empty;
  EXPECT_EQ(c.Calc(50), 0u);
  c.Low = c.High = 5;  // an empty range codes everything with the low end
  c.Mode = TColorCodingMode::ccmTwoColors;
  EXPECT_EQ(c.Calc(7), 0u);
}

struct DecimalCase {
  std::int32_t DecPlace;
  double Low, High;
  std::int32_t Expected;
};
class AutoDecimals : public ::testing::TestWithParam<DecimalCase> {};
TEST_P(AutoDecimals, FollowTheSpan) {
  const DecimalCase& c = GetParam();
  EXPECT_EQ(AxisDecimals(c.DecPlace, c.Low, c.High), c.Expected);
}
INSTANTIATE_TEST_SUITE_P(Table, AutoDecimals,
                         ::testing::Values(DecimalCase{-2, 0, 1, 2}, DecimalCase{-2, 0, 500, 0},
                                           DecimalCase{-2, 0, 100, 0}, DecimalCase{-2, 0, 1e6, -2},
                                           DecimalCase{-2, 0, 1e-4, -2}, DecimalCase{-2, 0, 10, 1},
                                           DecimalCase{-2, 0, 0.01, 4}, DecimalCase{-2, 1, -1, 2},
                                           DecimalCase{3, 0, 1e9, 3}, DecimalCase{-1, 0, 1, -1}));

TEST(AxisTicks, WalkToTheEndWithinAThousandthOfAStep) {
  const auto ticks = AxisTicks(3, -1, 1);
  ASSERT_EQ(ticks.size(), 5u);  // -1, -0.5, 0, 0.5, 1
  EXPECT_DOUBLE_EQ(ticks.front().Value, -1);
  EXPECT_DOUBLE_EQ(ticks.front().Fraction, 0);
  EXPECT_DOUBLE_EQ(ticks.back().Value, 1);
  EXPECT_DOUBLE_EQ(ticks.back().Fraction, 1);
  const auto reversed = AxisTicks(3, 1, -1);
  ASSERT_EQ(reversed.size(), 5u);
  EXPECT_DOUBLE_EQ(reversed.front().Value, 1);
  EXPECT_DOUBLE_EQ(reversed.back().Fraction, 1);
  for (double bad : {kNaN, kInf}) EXPECT_TRUE(AxisTicks(3, 0, bad).empty());
  EXPECT_TRUE(AxisTicks(3, 5, 5).empty());
  EXPECT_LE(AxisTicks(20, -1e300, 1e300).size(), std::size_t(kMaxAxisTicks));
}

TEST(AxisTickLabels, ZeroTicksAndLength) {
  EXPECT_EQ(AxisTickLabel(1e-16, 0, 1, 2), "0.00");
  EXPECT_EQ(AxisTickLabel(0.5, 0, 1, 2), "0.50");
  // Over a span above 100000 a zero tick is "0.0", or "0" without decimals.
  EXPECT_EQ(AxisTickLabel(0, -1e6, 1e6, -2), "0.0");
  EXPECT_EQ(AxisTickLabel(0, -1e6, 1e6, 0), "0");
  EXPECT_EQ(AxisTickLabel(0, -10, 10, -2), "0");
  EXPECT_EQ(AxisTickLabel(123456789.123456, 0, 1e9, 12).size(), kMaxTickLabelLength);
  EXPECT_EQ(AxisTickLabel(1, 1, 1, 2), "1.00");  // empty span: no zero test by division
}

// Node maps of a 3 x 2 grid whose cells are unit squares side by side.
struct Maps {
  TIntMatrix X{3, 2}, Y{3, 2}, Z{3, 2};
  Maps() {
    for (std::int32_t c = 1; c <= 3; ++c)
      for (std::int32_t r = 1; r <= 2; ++r) {
        X.SetElem(c, r, (c - 1) * 10);
        Y.SetElem(c, r, (r - 1) * 10);
        Z.SetElem(c, r, c);
      }
  }
};

TEST(CellSearch, InsideOnTheBorderAndOutside) {
  Maps m;
  EXPECT_TRUE(FindCellAt(m.X, m.Y, m.Z, 5, 5).Found);
  EXPECT_EQ(FindCellAt(m.X, m.Y, m.Z, 5, 5).CellX, 1);
  EXPECT_EQ(FindCellAt(m.X, m.Y, m.Z, 15, 5).CellX, 2);
  // On the shared edge x = 10 both cells hold the point; the later rank wins.
  const TCellHit edge = FindCellAt(m.X, m.Y, m.Z, 10, 5);
  EXPECT_TRUE(edge.Found);
  EXPECT_EQ(edge.CellX, 2);
  const TCellHit out = FindCellAt(m.X, m.Y, m.Z, 25, 5);
  EXPECT_FALSE(out.Found);
  EXPECT_EQ(out.CellX, 0);
  EXPECT_EQ(out.CellY, 0);
  // A cell marked as left out is never found.
  EXPECT_FALSE(FindCellAt(m.X, m.Y, m.Z, 15, 5, {0, 1}).Found);
}

TEST(CellSearch, OverlappingCellsReportTheLargerRank) {
  Maps m;
  // Fold cell 2 back over cell 1: the nodes of column 3 go to x = 0.
  m.X.SetElem(3, 1, 0);
  m.X.SetElem(3, 2, 0);
  EXPECT_EQ(FindCellAt(m.X, m.Y, m.Z, 5, 5).CellX, 2);
  m.Z.SetElem(2, 1, -5);  // now cell 1 ranks higher
  EXPECT_EQ(FindCellAt(m.X, m.Y, m.Z, 5, 5).CellX, 1);
}

TEST(CellSearch, EmptyMapsAndFarPixelsAreHarmless) {
  TIntMatrix x, y, z;
  EXPECT_FALSE(FindCellAt(x, y, z, 0, 0).Found);
  Maps m;
  m.X.SetElem(1, 1, -kMaxProjectedPixel);
  m.Y.SetElem(3, 2, kMaxProjectedPixel);
  (void)FindCellAt(m.X, m.Y, m.Z, 2147483647, -2147483647 - 1);
  TIntMatrix other(2, 2);
  EXPECT_FALSE(FindCellAt(m.X, m.Y, other, 5, 5).Found);  // maps of different sizes
}

}  // namespace
}  // namespace mivo
