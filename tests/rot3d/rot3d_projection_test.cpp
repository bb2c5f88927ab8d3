// The pure rules of the rotatable 3D plot: integer rotation matrices, the
// projection and its clamping, magnification and box-size rules, the box
// corner choice and face shades, the colour table and the snapshot into the
// integer model space.
#include "mivo/rot3d/rot3d_projection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "mivo/base/unit_cube.h"

namespace mivo {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

using Row = std::array<std::int32_t, 3>;

TEST(R3RotMatrix, DefaultViewRowThreeAndBoxCorners) {
  const TR3RotMatrix r = CalcRotMatrix_2Ax(110, 210, TAxDir::adLeftHanded);
  EXPECT_EQ(r[2], (Row{-470, -814, -342}));
  const std::int32_t s = NearestBoxCorner(r);
  EXPECT_EQ(s, 7);
  // Faces z = +, x = +, y = + are drawn; the hidden edges start at corner 0.
  EXPECT_EQ(CubeCornerFaces[std::size_t(s)], (std::array<std::uint8_t, 3>{0, 4, 1}));
  EXPECT_EQ(7 - s, 0);
  EXPECT_EQ(CornerDepth(r, 7), -470 - 814 - 342);
  EXPECT_EQ(CornerDepth(r, 0), 470 + 814 + 342);
}

TEST(R3RotMatrix, TwoAndThreeAxisMatricesWithHandedness) {
  struct Case {
    const char* name;
    TR3RotMatrix r;
    TR3RotMatrix expected;
  };
  const Case cases[] = {
      {"2Ax identity", CalcRotMatrix_2Ax(0, 0, TAxDir::adLeftHanded), {{{1000, 0, 0}, {0, 1000, 0}, {0, 0, 1000}}}},
      {"2Ax c=90", CalcRotMatrix_2Ax(0, 90, TAxDir::adLeftHanded), {{{0, -1000, 0}, {1000, 0, 0}, {0, 0, 1000}}}},
      {"2Ax c=90 right-handed", CalcRotMatrix_2Ax(0, 90, TAxDir::adRightHanded),
       {{{-1000, 0, 0}, {0, 1000, 0}, {0, 0, 1000}}}},
      {"2Ax a=90", CalcRotMatrix_2Ax(90, 0, TAxDir::adLeftHanded), {{{1000, 0, 0}, {0, 0, -1000}, {0, 1000, 0}}}},
      {"2Ax full turns", CalcRotMatrix_2Ax(360, -720, TAxDir::adLeftHanded),
       {{{1000, 0, 0}, {0, 1000, 0}, {0, 0, 1000}}}},
      {"3Ax identity", CalcRotMatrix_3Ax(0, 0, 0, TAxDir::adLeftHanded), {{{1000, 0, 0}, {0, 1000, 0}, {0, 0, 1000}}}},
      {"3Ax a=90", CalcRotMatrix_3Ax(90, 0, 0, TAxDir::adLeftHanded), {{{1000, 0, 0}, {0, 0, -1000}, {0, 1000, 0}}}},
      {"3Ax b=90", CalcRotMatrix_3Ax(0, 90, 0, TAxDir::adLeftHanded), {{{0, 0, 1000}, {0, 1000, 0}, {-1000, 0, 0}}}},
      {"3Ax b=90 right-handed", CalcRotMatrix_3Ax(0, 90, 0, TAxDir::adRightHanded),
       {{{0, 0, 1000}, {1000, 0, 0}, {0, -1000, 0}}}},
      {"3Ax c=30", CalcRotMatrix_3Ax(0, 0, 30, TAxDir::adLeftHanded), {{{866, -500, 0}, {500, 866, 0}, {0, 0, 1000}}}},
      {"2Ax NaN", CalcRotMatrix_2Ax(kNaN, kInf, TAxDir::adLeftHanded), {}},
      {"3Ax NaN", CalcRotMatrix_3Ax(kNaN, 0, 0, TAxDir::adLeftHanded), {{{1000, 0, 0}, {0, 0, 0}, {0, 0, 0}}}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.r, c.expected) << c.name;
}

TEST(R3RotMatrix, ElementsReadInThousandthsAndZeroOutside) {
  const TR3RotMatrix r = CalcRotMatrix_2Ax(110, 210, TAxDir::adLeftHanded);
  EXPECT_DOUBLE_EQ(RotMatElement(r, 3, 1), -0.470);
  EXPECT_DOUBLE_EQ(RotMatElement(r, 3, 3), -0.342);
  for (auto [ix, iy] : {std::pair{0, 1}, {1, 0}, {4, 1}, {1, 4}, {-1, -1}}) EXPECT_EQ(RotMatElement(r, ix, iy), 0);
}

TEST(R3Projection, TruncatesTowardZeroAndClampsTo30000) {
  const TR3RotMatrix id = CalcRotMatrix_2Ax(0, 0, TAxDir::adLeftHanded);
  struct Case {
    std::int32_t x, y, z, magnify;
    std::int64_t sx, sy;
    TPoint clamped;
  };
  const Case cases[] = {
      {500, -500, 7, 5000, 200 + 100, 50 - 100, {300, -50}},
      {4, -4, 0, 5000, 200, 50, {200, 50}},  // 4000 / 5000 truncates to 0 on both sides
      {-7, 7, 0, 1000, 193, 57, {193, 57}},
      {INT32_MAX, INT32_MIN, INT32_MAX, 800, 200 + 2684354558LL, 50 - 2684354560LL, {30000, -30000}},
      {1, 1, 1, 0, 1200, 1050, {1200, 1050}},  // a divisor below 1 counts as 1
  };
  for (const Case& c : cases) {
    const TR3ScreenPoint p = ProjectModelPoint(id, c.magnify, 200, 50, c.x, c.y, c.z);
    EXPECT_EQ(p.X, c.sx) << c.x;
    EXPECT_EQ(p.Y, c.sy) << c.x;
    EXPECT_EQ(ProjectClamped(id, c.magnify, 200, 50, c.x, c.y, c.z), c.clamped) << c.x;
  }
}

TEST(R3Rules, MagnificationBoxAndAxisSizes) {
  struct Mag {
    double m;
    std::int32_t divisor;
  };
  for (const Mag& c : {Mag{2, 2000}, {0.05, 40000}, {0.1, 40000}, {10, 800}, {0.8, 5000}, {3, 1333}, {kInf, 800},
                       {-kInf, 40000}, {kNaN, 1234}})
    EXPECT_EQ(MagnifyDivisor(c.m, 1234), c.divisor) << c.m;
  EXPECT_DOUBLE_EQ(MagnificationOf(kDefaultMagnify), 0.8);
  EXPECT_DOUBLE_EQ(MagnificationOf(0), 4000);

  struct Box {
    std::int32_t size, half;
  };
  for (const Box& c : {Box{801, 400}, {800, 400}, {-5, 0}, {5000, 2000}, {INT32_MIN, 0}, {INT32_MAX, 2000}, {7, 3}})
    EXPECT_EQ(BoxHalfEdge(c.size, 400), c.half) << c.size;
  EXPECT_EQ(ClampAxSize(-1), 0);
  EXPECT_EQ(ClampAxSize(4001), 4000);
  EXPECT_EQ(ClampAxSize(700), 700);

  const TR3CubeCorners corners = BoxCorners(400);
  EXPECT_EQ(corners[0], (Row{-400, -400, -400}));
  EXPECT_EQ(corners[5], (Row{400, -400, 400}));
  EXPECT_EQ(corners[7], (Row{400, 400, 400}));
}

TEST(R3Rules, FaceShadesAndColours) {
  const TR3RotMatrix id = CalcRotMatrix_2Ax(0, 0, TAxDir::adLeftHanded);
  // Looking along z: the z = - face (depth -1000 at each corner) is square-on.
  EXPECT_EQ(BoxFaceShade(id, 2), 400);
  EXPECT_EQ(BoxFaceShade(id, 4), 0);  // edge-on
  EXPECT_EQ(BoxFaceShade(id, 0), 0);  // turned away: kept in range
  EXPECT_EQ(BoxFaceShade(id, 6), 0);
  EXPECT_EQ(BoxFaceColor(0xC0C0C0, 0xEEEEEE, 0), 0xC0C0C0u);
  EXPECT_EQ(BoxFaceColor(0xC0C0C0, 0xEEEEEE, 400), 0xEEEEEEu);
  // Each channel truncates toward zero: red falls 255 -> 128, blue rises 0 -> 127.
  EXPECT_EQ(BoxFaceColor(0x0000FF, 0xFF0000, 200), 0x7F0080u);
  EXPECT_EQ(BoxFaceColor(0x000000, 0xFFFFFF, 1000), 0xFFFFFFu);
}

TEST(R3ColorTable, FixedColoursThenSixteenSlotsThenTheLast) {
  TR3ItemColors colors = InitialItemColors();
  EXPECT_EQ(colors[1], 0x000080u);
  EXPECT_EQ(colors[15], 0xFFFFFFu);
  EXPECT_EQ(colors[16], 0u);
  TR3ColorAllocator alloc(colors);
  EXPECT_EQ(alloc.IndexOf(0xFF0000), 12);
  for (TColor c = 1; c <= 16; ++c) EXPECT_EQ(alloc.IndexOf(c), 15 + c) << c;
  EXPECT_EQ(colors[16], 1u);
  EXPECT_EQ(colors[31], 16u);
  EXPECT_EQ(alloc.IndexOf(17), 31);
  EXPECT_EQ(alloc.IndexOf(5), 20);
  EXPECT_EQ(alloc.IndexOf(0), 0);

  // Runs and alternations of new colours keep the index each one first got.
  TR3ItemColors fresh = InitialItemColors();
  TR3ColorAllocator again(fresh);
  const TColor a = 0x010203, b = 0x040506;
  EXPECT_EQ(again.IndexOf(a), 16);
  EXPECT_EQ(again.IndexOf(a), 16);
  EXPECT_EQ(again.IndexOf(b), 17);
  EXPECT_EQ(again.IndexOf(a), 16);
  EXPECT_EQ(again.IndexOf(0xFFFFFF), 15);
  EXPECT_EQ(again.IndexOf(b), 17);
}

// Items from the adders, snapshotted with the given placement.
struct Snapshot {
  bool built = false;
  TR3Placement place;
  TR3ItemColors colors = InitialItemColors();
  TR3RenderObjects objects;
  std::int32_t skipped = -1;
};

Snapshot Take(const TR3ItemStore& s, TR3Placement place = {}) {
  Snapshot out;
  out.place = place;
  out.built = BuildRenderObjects(s.Items(), s.NumItems(), out.place, out.colors, out.objects, out.skipped, "R3");
  return out;
}

TEST(R3Snapshot, TenMarksOnALine) {
  TR3ItemStore s;
  for (int i = 0; i < 10; ++i) s.MarkAt(i, 0, 0, 3);
  const Snapshot r = Take(s);
  ASSERT_TRUE(r.built);
  EXPECT_EQ(r.place.Origin, (std::array<double, 3>{4.5, 0, 0}));
  EXPECT_DOUBLE_EQ(r.place.ScaleFact[0], 1000.0 / 9);
  EXPECT_EQ(r.place.ScaleFact[1], 1);
  EXPECT_EQ(r.place.ScaleFact[2], 1);
  EXPECT_EQ(r.place.MinCoord, (Row{-500, 0, 0}));
  EXPECT_EQ(r.place.MaxCoord, (Row{500, 0, 0}));
  ASSERT_EQ(r.objects.NRotObj, 10);
  EXPECT_EQ(r.objects.FRotDataX.front(), -500);
  EXPECT_EQ(r.objects.FRotDataX.back(), 500);
  EXPECT_EQ(r.objects.FRotDataX[4], -56);  // -0.5 * 1000/9
  for (std::int32_t i = 0; i < 10; ++i) {
    EXPECT_EQ(r.objects.FBackLink[std::size_t(i)], i);
    EXPECT_EQ(r.objects.FRotProp[std::size_t(i)], kR3Mark | 0);
    EXPECT_EQ(r.objects.FRotMark[std::size_t(i)], 3);
  }
  EXPECT_EQ(r.skipped, 0);
}

TEST(R3Snapshot, ScaleFactorsByMode) {
  TR3ItemStore s;
  s.Moveto(0, 0, 0);
  s.Drawto(10, 20, 5);
  struct Case {
    bool iso, autoScale;
    std::array<double, 3> given, expected;
  };
  const Case cases[] = {
      {false, true, {7, 7, 7}, {100, 50, 200}},
      {true, true, {7, 7, 7}, {50, 50, 50}},
      {false, false, {2, 3, 4}, {2, 3, 4}},
      {true, false, {2, 3, 4}, {2, 2, 2}},
  };
  for (const Case& c : cases) {
    TR3Placement p;
    p.IsoMetric = c.iso;
    p.AutoScale = c.autoScale;
    p.ScaleFact = c.given;
    const Snapshot r = Take(s, p);
    EXPECT_EQ(r.place.ScaleFact, c.expected) << c.iso << c.autoScale;
  }
  // A single item: empty spans, factors of 1.
  TR3ItemStore one;
  one.MarkAt(3, 4, 5, 1);
  const Snapshot r = Take(one);
  EXPECT_EQ(r.place.ScaleFact, (std::array<double, 3>{1, 1, 1}));
  EXPECT_EQ(r.place.Origin, (std::array<double, 3>{3, 4, 5}));
  EXPECT_EQ(r.objects.FRotDataX[0], 0);
}

TEST(R3Snapshot, FixedOriginAndLines) {
  TR3ItemStore s;
  s.SetLineWidth(4);
  s.SetColorData(0x0000FF);
  s.Line(10, 10, 10, 12, 12, 12);
  TR3Placement p;
  p.AutoOrigin = false;
  p.AutoScale = false;
  p.Origin = {10, 10, 10};
  const Snapshot fixed = Take(s, p);
  ASSERT_EQ(fixed.objects.NRotObj, 2);
  EXPECT_EQ(fixed.place.Origin, p.Origin);
  EXPECT_EQ(fixed.objects.FRotDataX, (std::vector<std::int32_t>{0, 2}));
  EXPECT_EQ(fixed.objects.FRotProp, (std::vector<std::uint8_t>{kR3MoveTo | 9, kR3DrawTo | 9}));
  EXPECT_EQ(fixed.objects.FLineWid[1], 4);
  EXPECT_EQ(fixed.objects.FBackLink, (std::vector<std::int32_t>{0, 0}));
  // Auto origin: the centroid of both ends.
  const Snapshot centred = Take(s);
  EXPECT_EQ(centred.place.Origin, (std::array<double, 3>{11, 11, 11}));
  EXPECT_EQ(centred.objects.FRotDataZ, (std::vector<std::int32_t>{-500, 500}));
}

TEST(R3Snapshot, SeventeenNewColoursShareTheLastSlot) {
  TR3ItemStore s;
  for (TColor c = 1; c <= 17; ++c) {
    s.SetColorData(c);
    s.MarkAt(c, 0, 0, 1);
  }
  const Snapshot r = Take(s);
  for (std::int32_t i = 0; i < 16; ++i) EXPECT_EQ(r.objects.FRotProp[std::size_t(i)] & kR3ColorMask, 16 + i);
  EXPECT_EQ(r.objects.FRotProp[16] & kR3ColorMask, 31);
  EXPECT_EQ(r.colors[31], 16u);
}

TEST(R3Snapshot, NothingToShowLeavesEverythingAlone) {
  TR3ItemStore s;
  TR3Placement p;
  p.Origin = {1, 2, 3};
  Snapshot r = Take(s, p);
  EXPECT_FALSE(r.built);
  EXPECT_EQ(r.place.Origin, p.Origin);
  EXPECT_EQ(r.skipped, 0);
  // Non-finite records stored by hand are skipped and counted.
  s.MarkAt(1, 1, 1, 1);
  Tr3ChartItem bad = s.GetChartItem(0);
  Tr3ChartItem items[3] = {bad, bad, bad};
  items[0].x = kNaN;
  items[1].ItemKind = Tr3Item::tkLine;
  items[1].y2 = kInf;
  TR3RenderObjects objects;
  TR3ItemColors colors = InitialItemColors();
  ASSERT_TRUE(BuildRenderObjects(items, 3, p, colors, objects, r.skipped, "R3"));
  EXPECT_EQ(r.skipped, 2);
  EXPECT_EQ(objects.NRotObj, 1);
  EXPECT_EQ(objects.FBackLink[0], 2);
  EXPECT_FALSE(BuildRenderObjects(items, 2, p, colors, objects, r.skipped, "R3"));
  EXPECT_EQ(objects.NRotObj, 1);
  EXPECT_FALSE(BuildRenderObjects(items, -3, p, colors, objects, r.skipped, "R3"));
}

TEST(R3Snapshot, HugeDataAndScaleFactorsStayInRange) {
  TR3ItemStore s;
  s.MarkAt(1.7e308, -1.7e308, 0, 1);
  s.MarkAt(-1.7e308, 1.7e308, 1e-300, 1);
  const Snapshot r = Take(s);
  ASSERT_TRUE(r.built);
  EXPECT_EQ(r.place.Origin[0], 0);
  EXPECT_EQ(r.objects.FRotDataX, (std::vector<std::int32_t>{500, -500}));
  EXPECT_EQ(r.objects.FRotDataY, (std::vector<std::int32_t>{-500, 500}));
  // A span of 1e-300 counts as empty: factor 1.
  EXPECT_EQ(r.objects.FRotDataZ, (std::vector<std::int32_t>{0, 0}));
  TR3Placement p;
  p.AutoScale = false;
  p.ScaleFact = {1e300, kNaN, -kInf};
  const Snapshot big = Take(s, p);
  EXPECT_EQ(big.objects.FRotDataX, (std::vector<std::int32_t>{INT32_MAX, -INT32_MAX}));
  EXPECT_EQ(big.objects.FRotDataY, (std::vector<std::int32_t>{0, 0}));
}

}  // namespace
}  // namespace mivo
