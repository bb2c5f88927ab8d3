#include "mivo/base/data_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>
#include <vector>

#include "mivo/platform/errors.h"
#include "support/hostile_files.h"

namespace mivo {
namespace {

// Textbook R-7 percentile on a sorted copy, 1-based.
double Reference(std::vector<double> v, double percent) {
  std::sort(v.begin(), v.end());
  const double h = (double(v.size()) - 1) * percent / 100 + 1;
  const auto k = static_cast<std::size_t>(std::floor(h));
  return k >= v.size() ? v.back() : v[k - 1] + (h - double(k)) * (v[k] - v[k - 1]);
}

// Column 1: numbers with a text and an empty cell in between; column 2: numbers.
void FillSample(TDataTable& t) {
  t.Resize(2, 7);
  const double col1[] = {12, 3, 0, 7, 0, 1.5, 40};
  for (int r = 1; r <= 7; ++r) t.SetElem(1, r, col1[r - 1]);
  t.SetElem(1, 3, "n/a");
  t.ClearElem(1, 5);
  for (int r = 1; r <= 7; ++r) t.SetElem(2, r, double(r * r));
  t.SetColName(1, "Pressure");
  t.SetColName(2, "Temperature [deg C]");
}

TEST(DataTableTest, CellsOfThreeKinds) {
  TDataTable t;
  FillSample(t);
  EXPECT_EQ(t.CellKind(1, 3), TCellKind::ckText);
  EXPECT_EQ(t.CellKind(1, 5), TCellKind::ckEmpty);
  EXPECT_EQ(t.CellKind(1, 1), TCellKind::ckNumber);
  EXPECT_EQ(t.GetElem(1, 3), 0.0);
  EXPECT_EQ(t.GetText(1, 3), "n/a");
  EXPECT_EQ(t.GetText(1, 6), "1.5");
  EXPECT_EQ(t.GetText(9, 9), "");
  EXPECT_EQ(t.GetColName(2), "Temperature [deg C]");
  EXPECT_EQ(t.GetColName(3), "");
  t.SetElem(0, 1, 5.0);  // outside: ignored
  t.SetElem(1, 8, "x");
  EXPECT_EQ(t.NrOfRows(), 7);
  t.Resize(1, 8);
  EXPECT_EQ(t.GetColName(1), "Pressure");
  EXPECT_EQ(t.GetElem(1, 7), 40);
  EXPECT_EQ(t.CellKind(1, 8), TCellKind::ckEmpty);
  EXPECT_THROW(t.Resize(100000, 100000), EMivoError);
  EXPECT_EQ(t.NrOfColumns(), 1);
}

TEST(DataTableTest, StatisticsOverNumericCells) {
  TDataTable t;
  FillSample(t);
  const std::vector<double> nums = {12, 3, 7, 1.5, 40};  // column 1 without text and empty cells
  EXPECT_EQ(t.CountNumCells(1, 1, 1, 7), 5);
  EXPECT_EQ(t.CountNumCells(2, 7, 1, 1), 12);  // reversed block
  double mn, mx;
  EXPECT_EQ(t.MinMaxOfNumCells(1, 1, 1, 100, mn, mx), 5);
  EXPECT_EQ(mn, 1.5);
  EXPECT_EQ(mx, 40);
  double mean, var;
  EXPECT_EQ(t.MeanVarOfNumCells(1, 1, 1, 7, mean, var), 5);
  EXPECT_DOUBLE_EQ(mean, 63.5 / 5);
  double ss = 0;
  for (double x : nums) ss += (x - mean) * (x - mean);
  EXPECT_DOUBLE_EQ(var, ss / 4);
  for (double p : {0.0, 10.0, 25.0, 50.0, 75.0, 90.0, 100.0})
    EXPECT_DOUBLE_EQ(t.PercentileOfNumCells(1, 1, 1, 7, p), Reference(nums, p)) << p;
  double q1, q2, q3;
  EXPECT_EQ(t.QuartilesOfNumCells(1, 1, 1, 7, q1, q2, q3), 5);
  EXPECT_DOUBLE_EQ(q1, 3);
  EXPECT_DOUBLE_EQ(q2, 7);
  EXPECT_DOUBLE_EQ(q3, 12);
  // Column 2 holds 1, 4, 9, ... 49: Q1 at h = 2.5 -> 6.5.
  EXPECT_EQ(t.QuartilesOfNumCells(2, 1, 2, 7, q1, q2, q3), 7);
  EXPECT_DOUBLE_EQ(q1, 6.5);
  EXPECT_DOUBLE_EQ(q2, 16);
  EXPECT_DOUBLE_EQ(q3, 30.5);
}

TEST(DataTableTest, EmptyBlocksAndNaNCells) {
  TDataTable t(2, 3);
  t.SetElem(1, 1, std::numeric_limits<double>::quiet_NaN());
  t.SetElem(1, 2, "text");
  double mn = 9, mx = 9, mean = 9, var = 9, q1 = 9, q2 = 9, q3 = 9;
  EXPECT_EQ(t.CountNumCells(1, 1, 1, 3), 0);
  EXPECT_EQ(t.MinMaxOfNumCells(1, 1, 1, 3, mn, mx), 0);
  EXPECT_EQ(t.MeanVarOfNumCells(1, 1, 1, 3, mean, var), 0);
  EXPECT_EQ(t.QuartilesOfNumCells(1, 1, 1, 3, q1, q2, q3), 0);
  EXPECT_EQ(mn, 0);
  EXPECT_EQ(mean, 0);
  EXPECT_EQ(q2, 0);
  EXPECT_EQ(t.PercentileOfNumCells(5, 5, 9, 9, 50), 0.0);
  t.SetElem(2, 2, 4.0);
  EXPECT_EQ(t.MeanVarOfNumCells(1, 1, 2, 3, mean, var), 1);
  EXPECT_EQ(var, 0.0);
}

TEST(DataTableTest, ExportLinesUpInThirteenCharacterColumns) {
  TDataTable t;
  FillSample(t);
  std::istringstream text(t.ExportAsText(-2));
  std::vector<std::string> lines;
  for (std::string line; std::getline(text, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[0], "         Pressure   Temperature~");
  EXPECT_EQ(lines[1], "   1:            12            1");
  EXPECT_EQ(lines[3], "   3:           n/a            9");
  EXPECT_EQ(lines[5], "   5:                         25");
  for (const std::string& line : lines) EXPECT_EQ(line.size(), 6u + 2 * 13) << line;

  const std::string path = testing::TempDir() + "/data_table_export.txt";
  t.ExportAsASC(path, 1);
  std::ifstream f(path);
  std::string first, second;
  std::getline(f, first);
  std::getline(f, second);
  EXPECT_EQ(second, "   1:          12.0          1.0");
  EXPECT_THROW(t.ExportAsASC("/nonexistent-dir/x.txt", 1), EMivoError);
  {
    // A full disk: the export fails and the previous file stays whole.
    const test::TFileSizeLimit limit(16);
    EXPECT_THROW(t.ExportAsASC(path, 1), EMivoError);
  }
  std::ifstream again(path);
  std::getline(again, first);
  std::getline(again, second);
  EXPECT_EQ(second, "   1:          12.0          1.0");
}

TEST(DataTableTest, NotifiesOnRealChangesOnly) {
  TDataTable t(2, 2);
  int count = 0;
  t.OnChange = [&](TObject& s) {
    EXPECT_EQ(&s, &t);
    ++count;
  };
  t.ClearElem(1, 1);
  t.Resize(2, 2);
  t.SetColName(1, "");
  t.Clear();
  EXPECT_EQ(count, 0);
  t.SetElem(1, 1, 2.0);
  t.SetElem(1, 1, 2.0);
  t.SetElem(1, 1, "2");  // a text is a different cell
  t.SetColName(1, "A");
  EXPECT_EQ(count, 3);
  t.BeginUpdate();
  for (int r = 1; r <= 2; ++r) t.SetElem(2, r, double(r));
  t.EndUpdate();
  EXPECT_EQ(count, 4);
  TDataTable copy;
  copy.Assign(t);
  EXPECT_EQ(copy.GetText(1, 1), "2");
  EXPECT_EQ(copy.GetColName(1), "A");
}

}  // namespace
}  // namespace mivo

namespace mivo {
namespace {

TEST(DataTable, NumCellsOfAColumnOrOfAllGivesTheNumericCellsTopDownIntoReusedBuffers) {
  TDataTable t;
  FillSample(t);
  t.SetElem(2, 2, std::nan(""));
  std::vector<double> v = {99, 98, 97, 96, 95, 94, 93, 92, 91};
  const double* storage = v.data();
  EXPECT_EQ(t.NumCellsOfColumn(1, v), t.CountNumCells(1, 1, 1, 7));
  std::vector<double> expected;
  for (int r = 1; r <= 7; ++r)
    if (t.IsNumber(1, r)) expected.push_back(t.GetElem(1, r));
  EXPECT_EQ(v, expected);
  EXPECT_EQ(v.data(), storage);  // no new storage for a buffer that is large enough
  EXPECT_EQ(t.NumCellsOfColumn(2, v), t.CountNumCells(2, 1, 2, 7));  // the NaN is not numeric
  for (int col : {0, 3, -1}) {
    EXPECT_EQ(t.NumCellsOfColumn(col, v), 0);
    EXPECT_TRUE(v.empty());
  }
  // All columns in one pass give the same lists, into reused storage.
  std::vector<std::vector<double>> all = {{1, 2, 3}, {4}, {5}};
  t.NumCellsOfColumns(all);
  ASSERT_EQ(all.size(), 2u);
  const double* first = all[0].data();
  for (int col = 1; col <= 2; ++col) {
    t.NumCellsOfColumn(col, v);
    EXPECT_EQ(all[std::size_t(col - 1)], v) << col;
  }
  t.NumCellsOfColumns(all);
  EXPECT_EQ(all[0].data(), first);
  TDataTable empty;
  empty.NumCellsOfColumns(all);
  EXPECT_TRUE(all.empty());
}

}  // namespace
}  // namespace mivo
