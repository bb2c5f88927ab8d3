// The display list a rebuild makes: the items of one box in both
// orientations, the parts that settings switch, many columns, the per-column
// colour hook, the grid, degenerate and extreme columns, and the painted
// pixels against the statistics.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "box_plot_test_util.h"
#include "mivo/charts/box_plot.h"
#include "mivo/platform/bitmap.h"

namespace mivo {
namespace {

using test::FillColumns;
using test::ShowBoxPlot;

// An item as (kind, x, y, x2, y2, colour) in the column/value frame.
struct TItem {
  TrcItem Kind;
  double C1, V1, C2, V2;
  TColor Color;
  friend bool operator==(const TItem&, const TItem&) = default;
};

std::vector<TItem> ItemsOf(const TBoxPlot& b) {
  const bool vertical = b.Orientation() == TBoxPlotOrientation::bpltVertical;
  std::vector<TItem> items;
  for (std::int32_t i = 0; i < b.NumItems(); ++i) {
    const TrcChartItem it = b.GetChartItem(i);
    if (vertical) items.push_back({it.ItemKind, it.x, it.y, it.x2, it.y2, it.Color});
    else items.push_back({it.ItemKind, it.y, it.x, it.y2, it.x2, it.Color});
  }
  return items;
}

std::int32_t CountKind(const TBoxPlot& b, TrcItem kind) {
  std::int32_t n = 0;
  for (std::int32_t i = 0; i < b.NumItems(); ++i) n += b.GetChartItem(i).ItemKind == kind;
  return n;
}

// Values 0 ... 10: min 0, Q1 2.5, median 5, Q3 7.5, max 10, mean 5, P10 1, P90 9.
const std::vector<double> kZeroToTen = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};

TEST(BoxPlotItems, OneBoxInBothOrientations) {
  TBoxPlot b;
  ShowBoxPlot(b);
  b.SetColorMinMax(0x000011);
  b.SetColorLines(0x000022);
  b.SetColorMedian(0x000033);
  b.SetColorMean(0x000044);
  b.SetShowMean(true);
  FillColumns(b.Data(), {kZeroToTen});
  const std::vector<TItem> expected = {
      {TrcItem::tkLine, 1, 2.5, 1, 0, 0x000011},       // whisker to the minimum
      {TrcItem::tkLine, 1, 7.5, 1, 10, 0x000011},      // whisker to the maximum
      {TrcItem::tkMarkAt, 1, 0, 0, 0, 0x000011},       // SymbolMin
      {TrcItem::tkMarkAt, 1, 10, 0, 0, 0x000011},      // SymbolMax
      {TrcItem::tkRect, 0.75, 2.5, 1.25, 7.5, 0x000022},
      {TrcItem::tkLine, 0.75, 5, 1.25, 5, 0x000033},   // median as a line
      {TrcItem::tkMarkAt, 1, 5, 0, 0, 0x000044},       // mean as mark 5
  };
  for (auto o : {TBoxPlotOrientation::bpltVertical, TBoxPlotOrientation::bpltHorizontal}) {
    b.SetOrientation(o);
    EXPECT_EQ(ItemsOf(b), expected) << int(o);
    EXPECT_EQ(b.GetChartItem(4).FillColor, 0xE9E9E9u);
    EXPECT_EQ(b.GetChartItem(2).MarkOrAlign, 26);
    EXPECT_EQ(b.GetChartItem(6).MarkOrAlign, 5);
  }
}

TEST(BoxPlotItems, SettingsSwitchThePartsOfTheBox) {
  TBoxPlot b;
  ShowBoxPlot(b);
  FillColumns(b.Data(), {kZeroToTen});
  b.SetShowMean(false);
  b.SetShowMinMax(false);
  b.SetShowMedian(false);
  EXPECT_EQ(ItemsOf(b).size(), 3u);  // whiskers and box
  b.SetShow90Perc(true);
  b.SetColor90Perc(0x000055);
  std::vector<TItem> items = ItemsOf(b);
  ASSERT_EQ(items.size(), 5u);
  EXPECT_EQ(items[3], (TItem{TrcItem::tkLine, 0.875, 1, 1.125, 1, 0x000055}));
  EXPECT_EQ(items[4], (TItem{TrcItem::tkLine, 0.875, 9, 1.125, 9, 0x000055}));
  b.SetSymbol90Perc(12);
  items = ItemsOf(b);
  EXPECT_EQ(items[3].Kind, TrcItem::tkMarkAt);
  EXPECT_EQ(items[4].V1, 9);
  b.SetShowMedian(true);
  b.SetSymbolMedian(52);  // ignored: still a line
  EXPECT_EQ(ItemsOf(b).back(), (TItem{TrcItem::tkLine, 0.75, 5, 1.25, 5, 0}));
  b.SetSymbolMedian(7);
  EXPECT_EQ(ItemsOf(b).back().Kind, TrcItem::tkMarkAt);
  b.SetBoxWidth(1.5);
  b.SetSymbolMedian(0);
  EXPECT_EQ(ItemsOf(b).back(), (TItem{TrcItem::tkLine, 0.5, 5, 1.5, 5, 0}));
  // The host's drawing state survives the rebuilds.
  b.SetDataCol(0x123456);
  b.SetFillCol(0x654321);
  b.CreateChart();
  EXPECT_EQ(b.DataColor(), 0x123456u);
  EXPECT_EQ(b.FillColor(), 0x654321u);
}

TEST(BoxPlotItems, ThirtyFiveColumnsDrawThirtyFiveBoxesAndThirtyLabels) {
  TBoxPlot b;
  ShowBoxPlot(b);
  std::vector<std::vector<double>> cols;
  for (int c = 0; c < 35; ++c) cols.push_back({double(c), double(c + 2), double(c + 5)});
  FillColumns(b.Data(), cols);
  EXPECT_EQ(CountKind(b, TrcItem::tkRect), 35);
  for (std::int32_t i = 1; i <= 30; ++i) {
    EXPECT_TRUE(b.TextLabels(i).Visible()) << i;
    EXPECT_EQ(b.TextLabels(i).Caption(), "C" + std::to_string(i));
    EXPECT_EQ(b.TextLabels(i).PosX(), i);
    EXPECT_EQ(b.TextLabels(i).Mode(), TTxtLblMode::tlShadow);
  }
  // Fewer columns hide the labels beyond them; captions pass hex escapes.
  FillColumns(b.Data(), {{1}, {2}});
  b.Data().SetColName(2, "a\\x0Ab");
  EXPECT_EQ(b.TextLabels(2).Caption(), "a\nb");
  EXPECT_FALSE(b.TextLabels(3).Visible());
  // The template's look reaches every label.
  TBoxPlotLabel look;
  look.SetColorBkg(0x00FFFF);
  look.SetTransparent(true);
  look.SetPosition(-4);
  b.SetLabels(look);
  EXPECT_EQ(b.TextLabels(1).ColorBkg(), 0x00FFFFu);
  EXPECT_TRUE(b.TextLabels(2).Transparent());
  EXPECT_EQ(b.TextLabels(1).PosY(), b.MarginTop() + 4);
  EXPECT_EQ(b.TextLabels(1).VerticalAlignment(), TVerticalAlignment::vaTop);
}

TEST(BoxPlotItems, TheColourHookColoursOnlyItsColumn) {
  TBoxPlot b;
  ShowBoxPlot(b);
  b.OnBeforeBoxDraw = [](TObject&, std::int32_t col, TColor&, TColor& body, TColor&, TColor&, TColor&, TColor&) {
    if (col == 2) body = 0x0000FF;
  };
  FillColumns(b.Data(), {{1, 2, 3}, {1, 2, 3}, {1, 2, 3}});
  std::vector<TColor> fills;
  for (std::int32_t i = 0; i < b.NumItems(); ++i)
    if (b.GetChartItem(i).ItemKind == TrcItem::tkRect) fills.push_back(b.GetChartItem(i).FillColor);
  EXPECT_EQ(fills, (std::vector<TColor>{0xE9E9E9, 0x0000FF, 0xE9E9E9}));
  EXPECT_EQ(b.ColorBody(), 0xE9E9E9u);
}

TEST(BoxPlotItems, GridLinesRunAcrossTheValueAxis) {
  using O = TBoxPlotOrientation;
  using G = TBoxPlotGridStyle;
  struct TRow {
    O Orientation;
    G Style;
    GridStyleType Chart;
  };
  const std::vector<TRow> rows = {
      {O::bpltVertical, G::bpgsNone, GridStyleType::gsNone},
      {O::bpltVertical, G::bpgsLines, GridStyleType::gsHorizLines},
      {O::bpltVertical, G::bpgsDotLines, GridStyleType::gsHorizDotLines},
      {O::bpltHorizontal, G::bpgsNone, GridStyleType::gsNone},
      {O::bpltHorizontal, G::bpgsLines, GridStyleType::gsVertLines},
      {O::bpltHorizontal, G::bpgsDotLines, GridStyleType::gsVertDotLines},
  };
  TBoxPlot b;
  ShowBoxPlot(b);
  for (const TRow& r : rows) {
    b.SetOrientation(r.Orientation);
    b.SetGridStyle(r.Style);
    EXPECT_EQ(b.GridStyle(), r.Style);
    EXPECT_EQ(b.ChartGridStyle(), r.Chart) << int(r.Orientation) << " " << int(r.Style);
  }
}

TEST(BoxPlotItems, DegenerateAndExtremeColumnsDrawWhatIsFinite) {
  const double inf = std::numeric_limits<double>::infinity(), nan = std::nan("");
  TBoxPlot b;
  ShowBoxPlot(b);
  b.SetShowMean(false);
  b.SetShowMedian(false);
  // Equal values: the box of no height is a line across it.
  FillColumns(b.Data(), {{3, 3, 3}});
  std::vector<TItem> items = ItemsOf(b);
  EXPECT_EQ(CountKind(b, TrcItem::tkRect), 0);
  EXPECT_NE(std::find(items.begin(), items.end(), TItem{TrcItem::tkLine, 0.75, 3, 1.25, 3, 0}), items.end());
  // No numeric cells: no box at all, the label still names the column.
  FillColumns(b.Data(), {{nan, nan}, {1, 2}});
  b.Data().SetElem(1, 1, "text");
  EXPECT_EQ(CountKind(b, TrcItem::tkRect), 1);
  EXPECT_EQ(b.GetChartItem(0).x, 2);
  EXPECT_TRUE(b.TextLabels(1).Visible());
  // Infinite, NaN and huge values: every stored coordinate is finite, and
  // painting and autoranging survive.
  b.SetShowMean(true);
  b.SetShowMedian(true);
  b.SetShow90Perc(true);
  FillColumns(b.Data(), {{inf, -inf, 1, 2}, {-1e308, 1e308}, {inf, inf}, {nan, 5}, {}});
  for (std::int32_t i = 0; i < b.NumItems(); ++i) {
    const TrcChartItem it = b.GetChartItem(i);
    EXPECT_TRUE(std::isfinite(it.x) && std::isfinite(it.y) && std::isfinite(it.x2) && std::isfinite(it.y2)) << i;
  }
  b.AutoRange(10);
  for (auto o : {TBoxPlotOrientation::bpltHorizontal, TBoxPlotOrientation::bpltVertical}) {
    b.SetOrientation(o);
    TBitmap bmp;
    b.CopyToBitmap(bmp, false);
    EXPECT_EQ(bmp.Width(), b.Width());
  }
}

TEST(BoxPlotPixels, TheBoxSpansTheQuartilesAndTheMedianSitsOnItsRow) {
  TBoxPlot b;
  ShowBoxPlot(b);
  b.SetShowMean(false);
  b.SetShowMinMax(false);
  b.SetColorBody(0x00FFFF);
  b.SetColorMedian(0xFF0000);
  FillColumns(b.Data(), {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 20}});  // Q1 2.75, median 5.5, Q3 8.25
  b.SetRange(0, -1, 2, 21);
  const TBoxStats s = b.ColumnStats(1);
  TBitmap bmp;
  b.CopyToBitmap(bmp, false);
  auto pixel = [&](std::int32_t x, std::int32_t y) { return FromRGB32(bmp.ScanLine(y)[x]); };
  std::int32_t cx = 0, yQ1 = 0, yQ3 = 0, yMed = 0, xLeft = 0, dummy = 0;
  b.R2M(1, 1, s.Q1, cx, yQ1);
  b.R2M(1, 1, s.Q3, dummy, yQ3);
  b.R2M(1, 1, s.Median, dummy, yMed);
  b.R2M(1, 0.75, 0, xLeft, dummy);
  ASSERT_GT(yQ1 - yQ3, 20);
  const std::int32_t x = (xLeft + cx) / 2;  // inside the box, off the whisker
  EXPECT_EQ(pixel(x, yMed), 0xFF0000u);
  for (std::int32_t y = yQ3 + 2; y <= yQ1 - 3; ++y) {
    if (std::abs(y - yMed) > 1) {
      EXPECT_EQ(pixel(x, y), 0x00FFFFu) << y;
    }
  }
  for (std::int32_t y : {yQ3 - 2, yQ1 + 2}) EXPECT_EQ(pixel(x, y), 0xFFFFFFu) << y;  // chart colour outside
  // The outline lies on the quartiles' rows.
  EXPECT_EQ(pixel(x, yQ3), 0u);
  EXPECT_TRUE(pixel(x, yQ1) == 0u || pixel(x, yQ1 - 1) == 0u);
}

}  // namespace
}  // namespace mivo
