// The box plot over 30 columns of 100,000 values beside the floor measured
// in the same run:
//   - Floor: the same statistics (minimum, maximum, mean, 10th, 25th, 50th,
//     75th and 90th percentile by interpolation between order statistics)
//     computed the plain way from 30 arrays of doubles: copy a column, one
//     pass for minimum, maximum and sum, std::nth_element for each
//     percentile's order statistic and std::min_element for the next one.
// Measured: the statistics from the chart's data table (CommitChangedData),
// the table read alone, the rebuild of the display list (CreateChart), a paint of 480 x 320, and a
// cell change that runs all three (what a host's edit costs).
// Goal: statistics within 1.5 x the floor. At the end the ratios to the floor
// (CPU time) are printed.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "mivo/charts/box_plot.h"
#include "ratio_reporter.h"

namespace {

constexpr int kCols = 30, kRows = 100000;

const std::vector<std::vector<double>>& Columns() {
  static const std::vector<std::vector<double>> cols = [] {
    std::mt19937_64 gen(30);
    std::lognormal_distribution<double> dist(0, 1);
    std::vector<std::vector<double>> c(kCols, std::vector<double>(kRows));
    for (auto& col : c)
      for (double& x : col) x = dist(gen);
    return c;
  }();
  return cols;
}

void FillTable(mivo::TDataTable& t) {
  t.BeginUpdate();
  t.Resize(kCols, kRows);
  for (int c = 0; c < kCols; ++c)
    for (int r = 0; r < kRows; ++r) t.SetElem(c + 1, r + 1, Columns()[std::size_t(c)][std::size_t(r)]);
  t.EndUpdate();
}

void BM_Floor_NthElement(benchmark::State& state) {
  const auto& cols = Columns();
  std::vector<double> work(kRows);
  constexpr std::array<double, 5> probs = {0.1, 0.25, 0.5, 0.75, 0.9};
  for (auto _ : state) {
    double acc = 0;
    for (const auto& col : cols) {
      std::copy(col.begin(), col.end(), work.begin());
      double mn = work[0], mx = work[0], sum = 0;
      for (double x : work) {
        mn = std::min(mn, x);
        mx = std::max(mx, x);
        sum += x;
      }
      acc += mn + mx + sum / double(work.size());
      for (double p : probs) {
        const double h = double(work.size() - 1) * p;
        const auto lo = std::size_t(std::floor(h));
        std::nth_element(work.begin(), work.begin() + std::ptrdiff_t(lo), work.end());
        const double a = work[lo];
        const double b = lo + 1 < work.size() ? *std::min_element(work.begin() + std::ptrdiff_t(lo) + 1, work.end()) : a;
        acc += a + (h - double(lo)) * (b - a);
      }
    }
    benchmark::DoNotOptimize(acc);
  }
}
BENCHMARK(BM_Floor_NthElement)->Unit(benchmark::kMillisecond);

// A box plot with its window over the 30 columns.
struct TChart {
  mivo::TBoxPlot Box;
  TChart() {
    Box.SetBounds(0, 0, 480, 320);
    Box.HandleNeeded();
    FillTable(Box.Data());
    Box.AutoRange(5);
  }
};

void BM_BoxPlot_Stats(benchmark::State& state) {
  TChart c;
  for (auto _ : state) {
    c.Box.CommitChangedData();
    benchmark::DoNotOptimize(c.Box.ColumnStats(1));
  }
}
BENCHMARK(BM_BoxPlot_Stats)->Unit(benchmark::kMillisecond);

// The part of the statistics that reads the table: the numeric cells of the
// columns into reused lists.
void BM_BoxPlot_TableRead(benchmark::State& state) {
  TChart c;
  std::vector<std::vector<double>> values;
  for (auto _ : state) {
    c.Box.Data().NumCellsOfColumns(values);
    benchmark::DoNotOptimize(values.data());
  }
}
BENCHMARK(BM_BoxPlot_TableRead)->Unit(benchmark::kMillisecond);

void BM_BoxPlot_Rebuild(benchmark::State& state) {
  TChart c;
  c.Box.SetSuppressPaint(true);
  for (auto _ : state) {
    c.Box.CreateChart();
    benchmark::DoNotOptimize(c.Box.NumItems());
  }
}
BENCHMARK(BM_BoxPlot_Rebuild)->Unit(benchmark::kMicrosecond);

void BM_BoxPlot_Paint(benchmark::State& state) {
  TChart c;
  for (auto _ : state) {
    c.Box.Paint();
    benchmark::DoNotOptimize(c.Box.ChartBmp().Data());
  }
}
BENCHMARK(BM_BoxPlot_Paint)->Unit(benchmark::kMicrosecond);

void BM_BoxPlot_CellEdit(benchmark::State& state) {
  TChart c;
  double v = 0;
  for (auto _ : state) {
    v = v > 5 ? 0 : v + 0.5;
    c.Box.Data().SetElem(1, 1, v);  // statistics, rebuild and paint
    benchmark::DoNotOptimize(c.Box.ChartBmp().Data());
  }
}
BENCHMARK(BM_BoxPlot_CellEdit)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  mivo::bench::TRatioReporter reporter;
  if (!mivo::bench::RunBenchmarks(argc, argv, reporter)) return 1;
  std::printf("\n%-22s %12s\n", "30 x 100000 values", "/ floor");
  for (const char* n : {"BM_BoxPlot_Stats", "BM_BoxPlot_TableRead", "BM_BoxPlot_CellEdit"}) {
    double r = 0;
    if (reporter.Ratio(n, "BM_Floor_NthElement", r)) std::printf("%-22s %12.2f\n", n, r);
  }
  return 0;
}
