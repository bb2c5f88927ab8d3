// The item list of the rotatable 3D plot: adders and their stamps, growth and
// release of the storage, removal, record access, refusal of non-finite
// coordinates and the nearest-item search in data units.
#include "mivo/rot3d/rot3d_items.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "mivo/base/univconst.h"

namespace mivo {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(R3ItemStore, AddersStampColourTagAndWidth) {
  TR3ItemStore s;
  s.SetColorData(0x123456);
  s.SetDataTag(7);
  s.SetLineWidth(3);
  s.MarkAt(1, 2, 3, 65);
  s.Moveto(4, 5, 6);
  s.Drawto(7, 8, 9);
  s.Line(1, 1, 1, 2, 2, 2);
  ASSERT_EQ(s.NumItems(), 4);
  const Tr3Item kinds[] = {Tr3Item::tkMarkAt, Tr3Item::tkMoveto, Tr3Item::tkLineto, Tr3Item::tkLine};
  const std::uint8_t marklw[] = {65, 0, 3, 3};
  for (std::int32_t i = 0; i < 4; ++i) {
    const Tr3ChartItem it = s.GetChartItem(i);
    EXPECT_EQ(it.ItemKind, kinds[i]) << i;
    EXPECT_EQ(it.marklw, marklw[i]) << i;
    EXPECT_EQ(it.color, 0x123456u) << i;
    EXPECT_EQ(it.tag, 7) << i;
  }
  const Tr3ChartItem line = s.GetChartItem(3);
  EXPECT_EQ(line.x2, 2);
  EXPECT_EQ(line.z2, 2);
  EXPECT_EQ(s.TypeOfFirstItem(), Tr3Item::tkMarkAt);
  EXPECT_EQ(s.TypeOfLastItem(), Tr3Item::tkLine);
}

TEST(R3ItemStore, SettersClampOrIgnore) {
  TR3ItemStore s;
  EXPECT_EQ(s.LineWidth(), 1);
  EXPECT_EQ(s.AllocSize(), 1000);
  s.SetLineWidth(0);
  EXPECT_EQ(s.LineWidth(), 1);
  s.SetLineWidth(40);
  EXPECT_EQ(s.LineWidth(), 32);
  s.SetAllocSize(0);
  EXPECT_EQ(s.AllocSize(), 1000);
  s.SetAllocSize(1000001);
  EXPECT_EQ(s.AllocSize(), 1000);
  s.SetAllocSize(1000000);
  EXPECT_EQ(s.AllocSize(), 1000000);
}

TEST(R3ItemStore, StorageGrowsByAllocSizeAndIsReleasedWithTheLastItem) {
  TR3ItemStore s;
  s.SetAllocSize(3);
  EXPECT_EQ(s.NumAllocated(), 0);
  s.MarkAt(0, 0, 0, 1);
  EXPECT_EQ(s.NumAllocated(), 3);
  for (int i = 0; i < 3; ++i) s.MarkAt(i, 0, 0, 1);
  EXPECT_EQ(s.NumItems(), 4);
  EXPECT_EQ(s.NumAllocated(), 6);
  while (s.NumItems() > 1) s.RemoveFirstItem();
  EXPECT_EQ(s.NumAllocated(), 6);
  s.RemoveLastItem();
  EXPECT_EQ(s.NumItems(), 0);
  EXPECT_EQ(s.NumAllocated(), 0);
  s.MarkAt(0, 0, 0, 1);
  s.Clear();
  EXPECT_EQ(s.NumItems(), 0);
  EXPECT_EQ(s.NumAllocated(), 0);
  EXPECT_EQ(s.TypeOfFirstItem(), Tr3Item::tkNone);
  EXPECT_EQ(s.TypeOfLastItem(), Tr3Item::tkNone);
}

TEST(R3ItemStore, RemoveItemMovesLaterItemsDownAndIgnoresBadIndices) {
  TR3ItemStore s;
  for (int i = 0; i < 5; ++i) s.MarkAt(i, 0, 0, 1);
  for (std::int32_t bad : {-1, 5, INT32_MIN, INT32_MAX}) {
    s.RemoveItem(bad);
    EXPECT_EQ(s.NumItems(), 5) << bad;
  }
  s.RemoveItem(1);
  ASSERT_EQ(s.NumItems(), 4);
  const double expected[] = {0, 2, 3, 4};
  for (std::int32_t i = 0; i < 4; ++i) EXPECT_EQ(s.GetChartItem(i).x, expected[i]);
  s.RemoveFirstItem();
  s.RemoveLastItem();
  ASSERT_EQ(s.NumItems(), 2);
  EXPECT_EQ(s.GetChartItem(0).x, 2);
  EXPECT_EQ(s.GetChartItem(1).x, 3);
}

TEST(R3ItemStore, RecordAccessOutsideTheListGivesNoneOrIsIgnored) {
  TR3ItemStore s;
  s.MarkAt(1, 2, 3, 4);
  for (std::int32_t bad : {-1, 1, 100}) EXPECT_EQ(s.GetChartItem(bad).ItemKind, Tr3Item::tkNone) << bad;
  Tr3ChartItem it = s.GetChartItem(0);
  it.x = 10;
  s.SetChartitem(1, it);
  s.SetChartitem(-1, it);
  EXPECT_EQ(s.GetChartItem(0).x, 1);
  s.SetChartitem(0, it);
  EXPECT_EQ(s.GetItemParams(0).x, 10);

  Tr3ChartItem none = it;
  none.ItemKind = Tr3Item::tkNone;
  none.x = 20;
  s.SetItemParams(0, none);
  none.ItemKind = Tr3Item::tkEverything;
  s.SetItemParams(0, none);
  EXPECT_EQ(s.GetItemParams(0).x, 10);
  it.x = 30;
  it.ItemKind = Tr3Item::tkMoveto;
  s.SetItemParams(0, it);
  EXPECT_EQ(s.GetItemParams(0).x, 30);
  EXPECT_EQ(s.GetItemParams(0).ItemKind, Tr3Item::tkMoveto);
}

TEST(R3ItemStore, NonFiniteCoordinatesAreRefusedAndCounted) {
  TR3ItemStore s;
  s.MarkAt(kNaN, 0, 0, 1);
  s.Moveto(0, kInf, 0);
  s.Drawto(0, 0, -kInf);
  s.Line(0, 0, 0, 1, kNaN, 1);
  EXPECT_EQ(s.NumItems(), 0);
  EXPECT_EQ(s.NumAllocated(), 0);
  EXPECT_EQ(s.NumRefused(), 4);
  s.Line(0, 0, 0, 1, 1, 1);
  Tr3ChartItem bad = s.GetChartItem(0);
  bad.z2 = kInf;
  s.SetChartitem(0, bad);
  EXPECT_EQ(s.GetChartItem(0).z2, 1);
  EXPECT_EQ(s.NumRefused(), 5);
  // The second point of anything but a line is not looked at.
  bad.ItemKind = Tr3Item::tkMarkAt;
  s.SetItemParams(0, bad);
  EXPECT_EQ(s.GetChartItem(0).ItemKind, Tr3Item::tkMarkAt);
  // Huge finite values are data like any other.
  s.MarkAt(1e308, -1e308, 0, 1);
  EXPECT_EQ(s.NumItems(), 2);
}

TEST(R3ItemStore, FindNearestItemReal) {
  TR3ItemStore s;
  double dist = 0;
  EXPECT_EQ(s.FindNearestItemReal(0, 0, 0, Tr3Item::tkEverything, dist), -1);
  EXPECT_EQ(dist, std::sqrt(uc_MaxDouble));
  s.MarkAt(0, 0, 0, 1);   // 0
  s.Moveto(3, 4, 0);      // 1
  s.MarkAt(0, 0, 5, 1);   // 2, as far as item 1
  s.Line(10, 0, 0, 0, 0, 0);  // 3: only the first point counts
  struct Case {
    double x, y, z;
    Tr3Item kind;
    std::int32_t index;
    double dist;
  };
  const Case cases[] = {
      {0, 0, 0, Tr3Item::tkEverything, 0, 0},
      {0, 0, 6, Tr3Item::tkMarkAt, 2, 1},
      {3, 4, 5, Tr3Item::tkEverything, 1, 5},  // items 1 and 2 tie: the earlier stays
      {0, 0, 0, Tr3Item::tkMoveto, 1, 5},
      {0, 0, 0, Tr3Item::tkLine, 3, 10},
      {0, 0, 0, Tr3Item::tkLineto, -1, std::sqrt(uc_MaxDouble)},
      {0, 0, 0, Tr3Item::tkNone, -1, std::sqrt(uc_MaxDouble)},
      {kNaN, 0, 0, Tr3Item::tkEverything, -1, std::sqrt(uc_MaxDouble)},
      {kInf, 0, 0, Tr3Item::tkEverything, -1, std::sqrt(uc_MaxDouble)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(s.FindNearestItemReal(c.x, c.y, c.z, c.kind, dist), c.index) << c.x << " " << int(c.kind);
    EXPECT_DOUBLE_EQ(dist, c.dist) << c.x << " " << int(c.kind);
  }
}

}  // namespace
}  // namespace mivo
