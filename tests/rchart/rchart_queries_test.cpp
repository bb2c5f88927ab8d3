// Queries and edits of the display list: nearest items, selection by class,
// removals with their kind counts, affine changes and item replacement.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "mivo/rchart/rchart.h"
#include "rchart_test_util.h"

namespace mivo {
namespace {

std::vector<double> Xs(const TCustomRChart& c) {
  std::vector<double> v;
  for (std::int32_t i = 0; i < c.NumItems(); ++i) v.push_back(c.GetChartItem(i).x);
  return v;
}

using V = std::vector<double>;

TEST(RChartNearest, WorldDistanceTiesAndSelectors) {
  TCustomRChart c;
  double d = 0;
  EXPECT_EQ(c.FindNearestItemReal(0, 0, TrcItem::tkEverything, 255, d), -1);
  EXPECT_EQ(d, std::sqrt(uc_MaxDouble));
  c.MoveTo(0, 0);                // 0: nearest, but a move
  c.MarkAt(3, 4, 1);             // 1: distance 5
  c.MarkAt(-4, 3, 1);            // 2: distance 5 as well (a tie)
  c.SetClassDefault(7);
  c.MarkAt(1, 1, 1);             // 3: class 7
  c.SetClassDefault(0);
  c.MarkAt(NAN, 0, 1);           // 4: never the nearest
  EXPECT_EQ(c.FindNearestItemReal(0, 0, TrcItem::tkNone, 255, d), -1);
  EXPECT_EQ(c.FindNearestItemReal(0, 0, TrcItem::tkEverything, 255, d), 0);
  EXPECT_EQ(d, 0);
  EXPECT_EQ(c.FindNearestItemReal(0, 0, TrcItem::tkNotMoveTo, 255, d), 3);
  EXPECT_EQ(c.FindNearestItemReal(0, 0, TrcItem::tkMarkAt, 0, d), 1);  // the first of the tie
  EXPECT_EQ(d, 5);
  EXPECT_EQ(c.FindNearestItemReal(0, 0, TrcItem::tkLine, 255, d), -1);
  // Far-away items are found without overflow.
  TCustomRChart f;
  f.MarkAt(1e300, 1e300, 1);
  EXPECT_EQ(f.FindNearestItemReal(-1e300, -1e300, TrcItem::tkMarkAt, 255, d), 0);
  EXPECT_TRUE(std::isfinite(d));
}

TEST(RChartNearest, ScreenDistanceUsesPixels) {
  TCustomRChart c;
  test::UseTestGeometry(c);
  c.SetRange(1, 0, 0, 100, 10);  // 2.2 pixels per x unit, 15.2 per y unit
  c.MarkAt(10, 5, 1);            // 5 units but 11 pixels from (5, 5)
  c.MarkAt(5, 6, 1);             // 1 unit but 15 pixels from (5, 5)
  double d = 0;
  EXPECT_EQ(c.FindNearestItemReal(5, 5, TrcItem::tkMarkAt, 255, d), 1);
  EXPECT_EQ(c.FindNearestItemScreen(5, 5, TrcItem::tkMarkAt, 255, d), 0);
  EXPECT_EQ(d, 11);
  EXPECT_EQ(c.FindNearestItemAlongAxis(9, TAxis::axX, TrcItem::tkEverything, 255, d), 0);
  EXPECT_EQ(d, 2);
  EXPECT_EQ(c.FindNearestItemAlongAxis(6.2, TAxis::axY, TrcItem::tkEverything, 255, d), 1);
  EXPECT_EQ(d, 3);
  EXPECT_EQ(c.FindNearestItemAlongAxis(9, TAxis(2), TrcItem::tkEverything, 255, d), -1);
  EXPECT_EQ(d, uc_MaxDouble);
  EXPECT_EQ(c.FindNearestItemAlongAxis(9, TAxis::axX, TrcItem::tkNone, 255, d), -1);
  EXPECT_EQ(d, uc_MaxDouble);
  EXPECT_EQ(c.FindNearestItemScreen(5, 5, TrcItem::tkMarkAt, 3, d), -1);
  EXPECT_EQ(d, std::sqrt(uc_MaxDouble));
}

TEST(RChartSelection, MarkingItemsByKindAndWindow) {
  TCustomRChart c;
  c.MarkAt(0, 0, 1);
  c.MarkAt(10, 10, 1);
  c.MarkAt(10.5, 5, 1);
  c.Line(5, 5, 50, 50);
  c.MarkAllItems(TrcItem::tkEverything, 255);
  c.MarkAllItems(TrcItem::tkNone, 3);
  for (std::int32_t i = 0; i < 4; ++i) EXPECT_EQ(c.GetChartItem(i).ItemClass, 0);
  EXPECT_EQ(c.MarkItemsInWindow(10, 10, 0, 0, TrcItem::tkMarkAt, 5), 2);
  EXPECT_EQ(c.GetChartItem(0).ItemClass, 5);
  EXPECT_EQ(c.GetChartItem(1).ItemClass, 5);
  EXPECT_EQ(c.GetChartItem(2).ItemClass, 0);
  EXPECT_EQ(c.GetChartItem(3).ItemClass, 0);  // a line, not a mark
  EXPECT_EQ(c.MarkItemsInWindow(0, 0, 100, 100, TrcItem::tkEverything, 255), 0);
  EXPECT_EQ(c.MarkItemsInWindow(NAN, 0, 100, 100, TrcItem::tkEverything, 9), 0);
  c.MarkAllItems(TrcItem::tkLine, 4);
  EXPECT_EQ(c.GetChartItem(3).ItemClass, 4);
  c.NewColorOfClassItems(0x0000FF, 5);
  EXPECT_EQ(c.GetChartItem(0).Color, 0x0000FFu);
  EXPECT_EQ(c.GetChartItem(2).Color, 0u);
  c.NewColorOfClassItems(0x00FF00, 255);
  for (std::int32_t i = 0; i < 4; ++i) EXPECT_EQ(c.GetChartItem(i).Color, 0x00FF00u);
}

TEST(RChartRemoval, SingleItemsKeepTheCountsRight) {
  TCustomRChart c;
  c.MarkAt(1, 1, 1);
  c.Line(2, 2, 3, 3);
  c.RemoveItem(0);
  EXPECT_EQ(c.GetItemCount(TrcItem::tkMarkAt), 0);
  EXPECT_EQ(c.GetItemCount(TrcItem::tkLine), 1);
  EXPECT_EQ(c.GetTypeOfFirstItem(), TrcItem::tkLine);
  c.RemoveItem(5);
  c.RemoveItem(-1);
  EXPECT_EQ(c.NumItems(), 1);
  c.RemoveItem(0);  // the only item: the list is reset
  EXPECT_EQ(c.NumItems(), 0);
  EXPECT_EQ(c.NumAllocated(), 0);
  EXPECT_EQ(c.GetItemCount(TrcItem::tkLine), 0);
  EXPECT_EQ(c.GetTypeOfFirstItem(), TrcItem::tkNone);
  EXPECT_EQ(c.GetTypeOfLastItem(), TrcItem::tkNone);
  c.RemoveLastItem();
  c.RemoveFirstItem();
  EXPECT_EQ(c.NumItems(), 0);

  for (int i = 0; i < 4; ++i) c.MarkAt(i, 0, 1);
  c.DrawTo(9, 9);
  EXPECT_EQ(c.GetTypeOfLastItem(), TrcItem::tkLineto);
  c.RemoveLastItem();
  EXPECT_EQ(c.GetItemCount(TrcItem::tkLineto), 0);
  c.RemoveFirstItem();
  EXPECT_EQ(Xs(c), (V{1, 2, 3}));
  EXPECT_EQ(c.GetItemCount(TrcItem::tkMarkAt), 3);
  c.RemoveLastItem();
  c.RemoveLastItem();
  c.RemoveLastItem();
  EXPECT_EQ(c.NumAllocated(), 0);  // emptied by removal: reset
}

TEST(RChartRemoval, ByClassAndLayerInOnePass) {
  TCustomRChart c;
  c.MarkAt(0, 0, 1);
  c.SetActiveLayer(2);
  c.Line(1, 0, 0, 0);
  c.SetActiveLayer(1);
  c.SetClassDefault(3);
  c.MarkAt(2, 0, 1);
  c.SetActiveLayer(2);
  c.MarkAt(3, 0, 1);
  c.SetActiveLayer(1);
  c.SetClassDefault(0);
  c.DrawTo(4, 0);
  EXPECT_EQ(c.FindUsedLayers(), (TLayerSet{TLayerNum::ln1, TLayerNum::ln2}));
  EXPECT_EQ(c.RemoveItemsByLayer(2), 2);
  EXPECT_EQ(Xs(c), (V{0, 2, 4}));
  EXPECT_EQ(c.GetItemCount(TrcItem::tkLine), 0);
  EXPECT_EQ(c.GetItemCount(TrcItem::tkMarkAt), 2);
  EXPECT_EQ(c.FindUsedLayers(), (TLayerSet{TLayerNum::ln1}));
  EXPECT_EQ(c.RemoveItemsByClass(3), 1);
  EXPECT_EQ(Xs(c), (V{0, 4}));
  EXPECT_EQ(c.RemoveItemsByClass(255), 0);
  EXPECT_EQ(c.RemoveItemsByClass(0), 2);
  EXPECT_EQ(c.NumItems(), 0);
  EXPECT_EQ(c.NumAllocated(), 1000);  // the array keeps its size
  EXPECT_EQ(c.GetItemCount(TrcItem::tkMarkAt), 0);
  EXPECT_TRUE(c.FindUsedLayers().Empty());
}

TEST(RChartEdits, AffineChanges) {
  TCustomRChart c;
  c.Line(1, 1, 2, 3);
  c.MoveToRelPix(4, 5);
  c.Text(1, 1, 10, "t", 6, 7, TAlignment::taCenter);
  c.SetClassDefault(2);
  c.Ellipse(1, 1, 1, 1);
  c.ScaleAllItems(2, 1, 1, 0);
  TrcChartItem line = c.GetChartItem(0);
  EXPECT_EQ((V{line.x, line.y, line.x2, line.y2}), (V{3, 1, 5, 3}));
  TrcChartItem rel = c.GetChartItem(1);
  EXPECT_EQ((V{rel.x, rel.y}), (V{4, 5}));  // pixel offsets stay
  TrcChartItem text = c.GetChartItem(2);
  EXPECT_EQ((V{text.x, text.y, text.x2, text.y2}), (V{3, 1, 6, 7}));
  c.ScaleSelectedItems(1, 0, 10, 1, 2);
  TrcChartItem e = c.GetChartItem(3);
  EXPECT_EQ((V{e.x, e.y, e.x2, e.y2}), (V{3, 11, 3, 11}));
  EXPECT_EQ(c.GetChartItem(0).y, 1);
  c.ScaleItem(0, -1, 0, 1, 0);
  EXPECT_EQ(c.GetChartItem(0).x, -3);
  c.ScaleItem(9, -1, 0, 1, 0);
  EXPECT_EQ(c.GetChartItem(0).x, -3);
}

TEST(RChartEdits, SetItemParamsMovesTheKindCount) {
  TCustomRChart c;
  c.MarkAt(1, 1, 1);
  c.MarkAt(2, 2, 1);
  TrcChartItem it = c.GetItemParams(0);
  it.ItemKind = TrcItem::tkArrow;
  it.x2 = 9;
  c.SetItemParams(0, it);
  EXPECT_EQ(c.GetItemCount(TrcItem::tkMarkAt), 1);
  EXPECT_EQ(c.GetItemCount(TrcItem::tkArrow), 1);
  EXPECT_TRUE(c.GetItemParams(0) == it);
  for (TrcItem bad : {TrcItem::tkNone, TrcItem::tkEverything, TrcItem::tkNotMoveTo, TrcItem(20), TrcItem(255)}) {
    TrcChartItem b = c.GetItemParams(1);
    b.ItemKind = bad;
    b.x = 77;
    c.SetItemParams(1, b);
    EXPECT_EQ(c.GetItemParams(1).ItemKind, TrcItem::tkMarkAt) << int(bad);
    EXPECT_EQ(c.GetItemParams(1).x, 2);
  }
  c.SetItemParams(2, it);
  c.SetItemParams(-1, it);
  EXPECT_EQ(c.NumItems(), 2);
  EXPECT_EQ(c.GetItemParams(5).ItemKind, TrcItem::tkNone);
}

}  // namespace
}  // namespace mivo
