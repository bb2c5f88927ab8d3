// The box plot's computations without a canvas: column statistics against
// the data table's own, the fitted value range, label places and the
// parameter listing.
#include "mivo/charts/box_plot_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "box_plot_test_util.h"
#include "mivo/base/data_table.h"

namespace mivo {
namespace {

constexpr double kBig = 1e308;
const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

// The statistics the data table gives for column 1.
TBoxStats TableStats(const TDataTable& t) {
  TBoxStats s;
  const std::int32_t rows = t.NrOfRows();
  double var = 0;
  s.Count = t.MinMaxOfNumCells(1, 1, 1, rows, s.Min, s.Max);
  t.MeanVarOfNumCells(1, 1, 1, rows, s.Mean, var);
  t.QuartilesOfNumCells(1, 1, 1, rows, s.Q1, s.Median, s.Q3);
  s.P10 = t.PercentileOfNumCells(1, 1, 1, rows, 10);
  s.P90 = t.PercentileOfNumCells(1, 1, 1, rows, 90);
  return s;
}

TEST(BoxStats, EqualTheDataTableStatisticsOfTheNumericCells) {
  std::mt19937_64 gen(11);
  std::lognormal_distribution<double> skewed(0, 1);
  std::vector<std::vector<double>> columns = {
      {5},
      {2, 9},
      {3, 1, 4, 1, 5, 9, 2, 6, 5, 3},
      {7, 7, 7, 7},
      {-1, kBig, -kBig, 0},
  };
  std::vector<double> many(1000);
  for (double& x : many) x = skewed(gen);
  columns.push_back(many);
  for (const auto& col : columns) {
    TDataTable t;
    test::FillColumns(t, {col});
    std::vector<double> work = col;
    EXPECT_EQ(ComputeBoxStats(work), TableStats(t)) << col.size();
  }
}

TEST(BoxStats, TextEmptyAndNaNCellsAreNotNumeric) {
  TDataTable t(2, 5);
  t.SetElem(1, 1, 4.0);
  t.SetElem(1, 2, "text");
  t.SetElem(1, 3, kNaN);
  t.SetElem(1, 5, 8.0);
  t.SetElem(2, 1, "only text");
  std::vector<TBoxStats> stats;
  std::vector<std::vector<double>> scratch;
  ComputeTableStats(t, stats, scratch);
  ASSERT_EQ(stats.size(), 2u);
  EXPECT_EQ(stats[0].Count, 2);
  EXPECT_EQ(stats[0].Min, 4);
  EXPECT_EQ(stats[0].Max, 8);
  EXPECT_EQ(stats[0].Mean, 6);
  EXPECT_EQ(stats[0].Median, 6);
  EXPECT_EQ(stats[1], TBoxStats{});  // nothing numeric: zeros, no stale values
}

TEST(BoxStats, MeanStaysFiniteForHugeValues) {
  struct TRow {
    std::vector<double> Values;
    double Mean;
  };
  const std::vector<TRow> rows = {
      {{kBig, kBig, kBig}, kBig},
      {{-kBig, -kBig}, -kBig},
      {{kBig, -kBig}, 0},
      {{1.7e308, 1.7e308, 0}, 1.7e308 / 3 * 2},
  };
  for (const TRow& r : rows) {
    std::vector<double> v = r.Values;
    const TBoxStats s = ComputeBoxStats(v);
    EXPECT_TRUE(std::isfinite(s.Mean));
    EXPECT_NEAR(s.Mean, r.Mean, std::abs(r.Mean) * 1e-15) << r.Values.size();
  }
}

TEST(BoxStats, AMillionValuesMatchTheTable) {
  TDataTable t(1, 1000000);
  std::mt19937_64 gen(3);
  std::normal_distribution<double> normal(10, 2);
  t.BeginUpdate();
  for (std::int32_t r = 1; r <= t.NrOfRows(); ++r) t.SetElem(1, r, normal(gen));
  t.EndUpdate();
  std::vector<TBoxStats> stats;
  std::vector<std::vector<double>> scratch;
  ComputeTableStats(t, stats, scratch);
  ASSERT_EQ(stats.size(), 1u);
  EXPECT_EQ(stats[0], TableStats(t));
}

TEST(BoxValueRange, SpansTheColumnsWithValuesOnly) {
  auto col = [](double mn, double mx) {
    TBoxStats s;
    s.Count = 1;
    s.Min = mn;
    s.Max = mx;
    return s;
  };
  TBoxStats empty;  // a column without numeric cells, whatever its fields hold
  empty.Min = -500;
  empty.Max = 500;
  struct TRow {
    std::vector<TBoxStats> Stats;
    double Margin;
    bool Ok;
    double Lo, Hi;
  };
  const double max = std::numeric_limits<double>::max();
  const std::vector<TRow> rows = {
      {{col(1, 3), col(-2, 2), col(0, 5)}, 0, true, -2, 5},
      {{col(0, 10)}, 10, true, -1, 11},
      {{col(0, 10), empty}, 0, true, 0, 10},
      {{col(4, 4), col(4, 4)}, 10, true, 4, 4},     // equal values: the chart's guard widens
      {{col(0, 10)}, -50, true, 0, 10},              // negative margin counts as 0
      {{col(0, 10)}, kNaN, true, 0, 10},
      {{col(-kBig, kBig)}, 50, true, -max, max},      // stays finite
      {{col(-kInf, 3), col(1, kInf)}, 0, true, 1, 3}, // infinite ends are left out
      {{empty}, 0, false, 0, 0},
      {{}, 0, false, 0, 0},
      {{col(kInf, kInf)}, 0, false, 0, 0},
  };
  for (std::size_t i = 0; i < rows.size(); ++i) {
    double lo = 77, hi = 88;
    ASSERT_EQ(BoxValueRange(rows[i].Stats, rows[i].Margin, lo, hi), rows[i].Ok) << i;
    if (rows[i].Ok) {
      EXPECT_EQ(lo, rows[i].Lo) << i;
      EXPECT_EQ(hi, rows[i].Hi) << i;
    } else {
      EXPECT_EQ(lo, 77) << i;  // untouched
      EXPECT_EQ(hi, 88) << i;
    }
  }
}

TEST(BoxLabelPlace, MeasuresFromTheEdgeThatTheSignOfPositionNames) {
  using O = TBoxPlotOrientation;
  struct TRow {
    O Orientation;
    std::int32_t P;
    double Pos;
    TTxtLblAttachMode Attach;
    TAlignment Align;
    TVerticalAlignment VAlign;
  };
  // 300 x 240, margins left 50, right 10, top 16, bottom 24.
  const std::vector<TRow> rows = {
      {O::bpltVertical, 8, 240 - 24 - 8, TTxtLblAttachMode::tamXOnly, TAlignment::taCenter,
       TVerticalAlignment::vaBottom},
      {O::bpltVertical, 0, 240 - 24, TTxtLblAttachMode::tamXOnly, TAlignment::taCenter,
       TVerticalAlignment::vaBottom},
      {O::bpltVertical, -5, 16 + 5, TTxtLblAttachMode::tamXOnly, TAlignment::taCenter, TVerticalAlignment::vaTop},
      {O::bpltHorizontal, 8, 300 - 10 - 8, TTxtLblAttachMode::tamYOnly, TAlignment::taRightJustify,
       TVerticalAlignment::vaCenter},
      {O::bpltHorizontal, -5, 50 + 5, TTxtLblAttachMode::tamYOnly, TAlignment::taLeftJustify,
       TVerticalAlignment::vaCenter},
  };
  for (const TRow& r : rows) {
    const TBoxLabelPlace p = PlaceBoxLabel(r.Orientation, r.P, 300, 240, 50, 10, 16, 24);
    EXPECT_EQ(p.PixelPos, r.Pos) << r.P;
    EXPECT_EQ(p.Attach, r.Attach) << r.P;
    EXPECT_EQ(p.Alignment, r.Align) << r.P;
    EXPECT_EQ(p.VerticalAlignment, r.VAlign) << r.P;
  }
  // Extreme inputs do not overflow.
  const std::int32_t imin = std::numeric_limits<std::int32_t>::min();
  EXPECT_EQ(PlaceBoxLabel(O::bpltVertical, imin, 0, 0, 0, 0, std::numeric_limits<std::int32_t>::max(), 0).PixelPos,
            double(std::numeric_limits<std::int32_t>::max()) - imin);
}

TEST(BoxParametersText, LinesUpWithTheTableColumns) {
  const std::vector<std::string> names = {"Pressure", "A much too long name"};
  TBoxStats a;
  a.Count = 3;
  a.Mean = 2.5;
  a.Min = -1;
  a.Max = 1e7;
  TBoxStats b;
  const std::vector<TBoxStats> stats = {a, b};
  const std::string text = BoxParametersText(names, stats);
  std::istringstream in(text);
  std::vector<std::string> lines;
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], std::string(30, '-') + " Box Parameters " + std::string(30, '-'));
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3], std::string(9, ' ') + "Pressure" + std::string(3, ' ') + "A much too ~");
  const char* labels[] = {"Mean: ", " Min: ", " P10: ", "  Q1: ", "  Q2: ", "  Q3: ", " P90: ", " Max: "};
  for (std::size_t i = 0; i < 8; ++i) {
    EXPECT_EQ(lines[3 + 1 + i].size(), 6u + 2 * 13) << i;
    EXPECT_EQ(lines[4 + i].substr(0, 6), labels[i]);
  }
  EXPECT_EQ(lines[4], "Mean: " + std::string(10, ' ') + "2.5" + std::string(12, ' ') + "0");
  EXPECT_EQ(lines[11], " Max: " + std::string(6, ' ') + "1.0E+07" + std::string(12, ' ') + "0");
}

}  // namespace
}  // namespace mivo
