// The box plot's life with its data table: construction, the host's table
// and its end, the host's own change handler, rebuild and paint counts,
// ranges and orientation, resizing, the setters' corrections and the text
// export.
#include "mivo/charts/box_plot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "box_plot_test_util.h"
#include "mivo/platform/errors.h"

namespace mivo {
namespace {

using test::FillColumns;
using test::ShowBoxPlot;

struct TRanges {
  double XLo, XHi, YLo, YHi;
};
TRanges RangesOf(TBoxPlot& b) {
  return {b.Scale1X().RangeLow(), b.Scale1X().RangeHigh(), b.Scale1Y().RangeLow(), b.Scale1Y().RangeHigh()};
}

std::string ReadFile(const std::string& name) {
  std::ifstream f(name, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

TEST(BoxPlotLife, ANewChartShowsItsDemonstrationDataOnceItHasAWindow) {
  TBoxPlot b;
  EXPECT_FALSE(b.ExternalData());
  EXPECT_EQ(b.Data().NrOfColumns(), 1);
  EXPECT_EQ(b.Data().CountNumCells(1, 1, 1, 100), 100);
  EXPECT_EQ(b.Caption(), "BoxPlot");
  EXPECT_EQ(b.MarginBottom(), 24);
  EXPECT_FALSE(b.Scale1X().Visible());
  EXPECT_TRUE(b.Scale1Y().Visible());
  const TRanges r = RangesOf(b);
  EXPECT_EQ(r.XLo, 0);
  EXPECT_EQ(r.XHi, 2);
  EXPECT_EQ(r.YLo, -1);
  EXPECT_EQ(r.YHi, 1);
  // The labels stand where the final bottom margin puts them.
  EXPECT_EQ(b.TextLabels(1).PosY(), b.Height() - 24 - 8);
  EXPECT_EQ(b.TextLabels(1).PosX(), 1);
  EXPECT_EQ(b.TextLabels(1).AttachToData(), TTxtLblAttachMode::tamXOnly);
  // Nothing is built before the window exists.
  EXPECT_TRUE(b.SuppressPaint());
  EXPECT_EQ(b.NumItems(), 0);
  b.HandleNeeded();
  EXPECT_FALSE(b.SuppressPaint());
  EXPECT_EQ(b.NumColumns(), 1);
  EXPECT_EQ(b.ColumnStats(1).Count, 100);
  EXPECT_GT(b.NumItems(), 0);
  EXPECT_TRUE(b.TextLabels(1).Visible());
  EXPECT_EQ(b.TextLabels(1).Caption(), "Gaussian");
}

TEST(BoxPlotLife, AHostTableDestroyedFirstLeavesTheChartWithAnEmptyTableOfItsOwn) {
  TBoxPlot b;
  ShowBoxPlot(b);
  auto t = std::make_unique<TDataTable>();
  FillColumns(*t, {{1, 2, 3}, {4, 5, 6}});
  b.AssignAnotherDataTable(*t);
  EXPECT_TRUE(b.ExternalData());
  EXPECT_EQ(b.NumColumns(), 2);
  EXPECT_TRUE(b.TextLabels(2).Visible());
  t.reset();
  EXPECT_FALSE(b.ExternalData());
  EXPECT_EQ(b.Data().NrOfColumns(), 0);
  EXPECT_EQ(b.NumColumns(), 0);
  EXPECT_EQ(b.NumItems(), 0);
  EXPECT_FALSE(b.TextLabels(1).Visible());
  // The fallback table is a working table of the chart's.
  FillColumns(b.Data(), {{1, 5}});
  EXPECT_EQ(b.NumColumns(), 1);
  EXPECT_EQ(b.ColumnStats(1).Max, 5);
}

TEST(BoxPlotLife, TheChartListensBesideTheHostsHandlerAndOnlyToTheTableInUse) {
  TDataTable first, second;
  std::int32_t hostCalls = 0;
  first.OnChange = [&](TObject&) { ++hostCalls; };
  FillColumns(first, {{1, 2, 3}});
  FillColumns(second, {{10, 20}});
  hostCalls = 0;
  {
    TBoxPlot b;
    ShowBoxPlot(b);
    b.AssignAnotherDataTable(first);
    first.SetElem(1, 1, 100.0);
    EXPECT_EQ(hostCalls, 1);  // the host's handler still runs
    EXPECT_EQ(b.ColumnStats(1).Max, 100);
    b.AssignAnotherDataTable(second);
    EXPECT_EQ(b.ColumnStats(1).Max, 20);
    first.SetElem(1, 1, -7.0);  // no longer the chart's table
    EXPECT_EQ(b.ColumnStats(1).Max, 20);
    EXPECT_EQ(first.ListenerCount(), 0u);
    EXPECT_EQ(second.ListenerCount(), 1u);
  }
  // The chart went first: the tables live on, without a listener.
  EXPECT_EQ(second.ListenerCount(), 0u);
  first.SetElem(1, 2, 1.0);
  EXPECT_EQ(hostCalls, 3);
}

TEST(BoxPlotLife, OneChangeRebuildsOnceAndPaintsOnce) {
  test::TCountingBoxPlot b;
  b.SetBounds(0, 0, 300, 240);
  std::int32_t rebuilds = 0;
  b.OnBeforeBoxDraw = [&](TObject&, std::int32_t, TColor&, TColor&, TColor&, TColor&, TColor&, TColor&) {
    ++rebuilds;
  };
  // The demonstration table has one column: one event per rebuild.
  b.HandleNeeded();
  EXPECT_EQ(rebuilds, 1);
  b.SetSuppressPaint(true);
  EXPECT_EQ(rebuilds, 1);
  b.Paints = 0;
  b.SetSuppressPaint(false);
  EXPECT_EQ(rebuilds, 2);
  EXPECT_EQ(b.Paints, 1);
  b.Data().SetElem(1, 1, 50.0);
  EXPECT_EQ(rebuilds, 3);
  EXPECT_EQ(b.Paints, 2);
  b.SetColorBody(0x00FF00);
  b.SetShowMean(false);
  b.SetSymbolMin(3);
  EXPECT_EQ(rebuilds, 6);
  EXPECT_EQ(b.Paints, 5);
  b.SetColorBody(0x00FF00);  // unchanged: nothing
  EXPECT_EQ(rebuilds, 6);
  b.Labels().SetPosition(20);
  EXPECT_EQ(rebuilds, 7);
  EXPECT_EQ(b.TextLabels(1).PosY(), 240 - 24 - 20);
  // While suppressed nothing is rebuilt or painted; clearing it catches up once.
  b.SetSuppressPaint(true);
  b.Data().SetElem(1, 2, 60.0);
  b.Data().SetElem(1, 3, 70.0);
  EXPECT_EQ(rebuilds, 7);
  b.SetSuppressPaint(false);
  EXPECT_EQ(rebuilds, 8);
  EXPECT_EQ(b.ColumnStats(1).Max, 70);
}

TEST(BoxPlotLife, AHandlerThatChangesTheTableDuringARebuildDoesNotLoop) {
  TBoxPlot b;
  ShowBoxPlot(b);
  FillColumns(b.Data(), {{1, 2}, {3, 4}});
  std::int32_t calls = 0;
  b.OnBeforeBoxDraw = [&](TObject&, std::int32_t col, TColor&, TColor&, TColor&, TColor&, TColor&, TColor&) {
    ++calls;
    b.Data().SetElem(col, 1, double(calls));
  };
  b.CreateChart();
  EXPECT_EQ(calls, 2);
  // The changes are seen by the next rebuild.
  b.CreateChart();
  EXPECT_EQ(calls, 4);
  EXPECT_EQ(b.ColumnStats(1).Min, 1);
}

TEST(BoxPlotRanges, AutoRangeFitsTheColumnsInBothOrientations) {
  TBoxPlot b;
  ShowBoxPlot(b);
  FillColumns(b.Data(), {{1, 2, 3}, {-4, 0}, {10, 7, 8, 9}});
  b.AutoRange(0);
  TRanges r = RangesOf(b);
  EXPECT_EQ(r.XLo, 0);
  EXPECT_EQ(r.XHi, 4);
  EXPECT_EQ(r.YLo, -4);
  EXPECT_EQ(r.YHi, 10);
  // Switching swaps the current ranges.
  b.SetOrientation(TBoxPlotOrientation::bpltHorizontal);
  r = RangesOf(b);
  EXPECT_EQ(r.XLo, -4);
  EXPECT_EQ(r.XHi, 10);
  EXPECT_EQ(r.YLo, 0);
  EXPECT_EQ(r.YHi, 4);
  EXPECT_TRUE(b.Scale1X().Visible());
  EXPECT_FALSE(b.Scale1Y().Visible());
  b.SetRange(0, 0, 1, 1);
  b.AutoRange(10);
  r = RangesOf(b);
  EXPECT_NEAR(r.XLo, -5.4, 1e-12);
  EXPECT_NEAR(r.XHi, 11.4, 1e-12);
  EXPECT_EQ(r.YLo, 0);
  EXPECT_EQ(r.YHi, 4);
}

TEST(BoxPlotRanges, AnEmptiedColumnNoLongerStretchesTheRange) {
  TBoxPlot b;
  ShowBoxPlot(b);
  FillColumns(b.Data(), {{1, 2, 3}, {-100, 100}});
  b.AutoRange(0);
  EXPECT_EQ(RangesOf(b).YLo, -100);
  b.Data().SetElem(2, 1, "gone");
  b.Data().ClearElem(2, 2);
  b.AutoRange(0);
  const TRanges r = RangesOf(b);
  EXPECT_EQ(r.YLo, 1);
  EXPECT_EQ(r.YHi, 3);
  EXPECT_EQ(r.XHi, 3);  // the empty column keeps its place
}

TEST(BoxPlotRanges, NoValuesKeepTheRangeAndEqualValuesAreWidened) {
  TBoxPlot b;
  ShowBoxPlot(b);
  b.SetRange(0, -3, 5, 3);
  for (const std::vector<std::vector<double>>& cols :
       std::vector<std::vector<std::vector<double>>>{{}, {{}}, {{std::nan("")}}}) {
    FillColumns(b.Data(), cols);
    b.AutoRange(5);
    const TRanges r = RangesOf(b);
    EXPECT_EQ(r.XLo, 0);
    EXPECT_EQ(r.XHi, 5);
    EXPECT_EQ(r.YLo, -3);
    EXPECT_EQ(r.YHi, 3);
  }
  FillColumns(b.Data(), {{2, 2, 2}, {2}});
  b.AutoRange(0);
  const TRanges r = RangesOf(b);
  EXPECT_LT(r.YLo, 2);
  EXPECT_GT(r.YHi, 2);
  EXPECT_EQ(r.XHi, 3);
  FillColumns(b.Data(), {{-1e308, 1e308}});
  b.AutoRange(100);
  EXPECT_TRUE(std::isfinite(RangesOf(b).YLo));
  EXPECT_TRUE(std::isfinite(RangesOf(b).YHi));
}

TEST(BoxPlotControl, ResizingKeepsTheValueScaleOfTheCurrentOrientation) {
  TBoxPlot b;
  ShowBoxPlot(b);
  b.SetOrientation(TBoxPlotOrientation::bpltHorizontal);
  b.SetBounds(0, 0, 400, 300);
  EXPECT_TRUE(b.Scale1X().Visible());
  EXPECT_FALSE(b.Scale1Y().Visible());
  // The labels follow the new width: right-justified, 8 pixels left of the data area's right edge.
  EXPECT_EQ(b.TextLabels(1).PosX(), 400 - b.MarginRight() - 8);
  EXPECT_EQ(b.TextLabels(1).PosY(), 1);
  EXPECT_EQ(b.TextLabels(1).Alignment(), TAlignment::taRightJustify);
  b.SetOrientation(TBoxPlotOrientation::bpltVertical);
  b.SetBounds(0, 0, 200, 150);
  EXPECT_FALSE(b.Scale1X().Visible());
  EXPECT_TRUE(b.Scale1Y().Visible());
  EXPECT_EQ(b.TextLabels(1).PosY(), b.Height() - 24 - 8);
  // Zero and negative sizes are survived (the chart keeps a minimum size).
  b.SetBounds(0, 0, 0, 0);
  b.SetBounds(0, 0, -5, -5);
  b.Paint();
  EXPECT_GT(b.Width(), 0);
}

TEST(BoxPlotSetters, OutOfRangeValuesAreCorrectedOrIgnored) {
  TBoxPlot b;
  struct TRow {
    double In, Stored;
  };
  for (const TRow& r : std::vector<TRow>{{1.5, 1}, {-0.2, 0}, {0.3, 0.3}, {1e308, 1}, {-HUGE_VAL, 0}}) {
    b.SetBoxWidth(r.In);
    EXPECT_EQ(b.BoxWidth(), r.Stored) << r.In;
  }
  b.SetBoxWidth(std::nan(""));
  EXPECT_EQ(b.BoxWidth(), 0);
  using Setter = void (TBoxPlot::*)(std::uint8_t);
  using Getter = std::uint8_t (TBoxPlot::*)() const;
  const std::vector<std::pair<Setter, Getter>> symbols = {
      {&TBoxPlot::SetSymbolMin, &TBoxPlot::SymbolMin},       {&TBoxPlot::SetSymbolMax, &TBoxPlot::SymbolMax},
      {&TBoxPlot::SetSymbolMean, &TBoxPlot::SymbolMean},     {&TBoxPlot::SetSymbolMedian, &TBoxPlot::SymbolMedian},
      {&TBoxPlot::SetSymbol90Perc, &TBoxPlot::Symbol90Perc},
  };
  for (const auto& [set, get] : symbols) {
    (b.*set)(51);
    EXPECT_EQ((b.*get)(), 51);
    (b.*set)(52);
    (b.*set)(255);
    EXPECT_EQ((b.*get)(), 51);
    (b.*set)(0);
    EXPECT_EQ((b.*get)(), 0);
  }
}

TEST(BoxPlotExport, SaveDataASCWritesTheTableAndTheBoxParametersInOneGo) {
  TBoxPlot b;
  ShowBoxPlot(b);
  FillColumns(b.Data(), {{1, 2, 3, 4}, {10, 20}});
  const std::string name = test::TempPath("asc.txt");
  {
    std::ofstream old(name);
    old << std::string(5000, '#');  // longer than the new text: nothing of it may stay
  }
  b.SaveDataASC(name);
  const std::string text = ReadFile(name);
  EXPECT_EQ(text.find('#'), std::string::npos);
  EXPECT_EQ(text.rfind(b.Data().ExportAsText(-2), 0), 0u);
  std::istringstream in(text.substr(b.Data().ExportAsText(-2).size()));
  std::vector<std::string> lines;
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  ASSERT_EQ(lines.size(), 12u);
  for (std::size_t i = 3; i < 12; ++i) EXPECT_EQ(lines[i].size(), 6u + 2 * 13) << lines[i];
  EXPECT_EQ(lines[8], "  Q2: " + std::string(10, ' ') + "2.5" + std::string(11, ' ') + "15");
  // A file that cannot be written raises and leaves the previous one.
  EXPECT_THROW(b.SaveDataASC(test::TempPath("no_such_dir/asc.txt")), EMivoError);
  EXPECT_THROW(b.SaveDataASC(std::filesystem::path(name).parent_path().string()), EMivoError);
  EXPECT_EQ(ReadFile(name), text);
  std::filesystem::remove(name);
}

}  // namespace
}  // namespace mivo
