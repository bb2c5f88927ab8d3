// Base package benchmarks. Read them as ratios: the linear-time percentile
// against a full sort, notification batching against per-element
// notifications, and marks against a plain pixel fill of the same area.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "mivo/base/marks.h"
#include "mivo/base/matrix.h"
#include "mivo/base/statistics.h"
#include "mivo/base/tick_params.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"

namespace {

std::vector<double> RandomValues(std::size_t n) {
  std::mt19937_64 rng(7);
  std::normal_distribution<double> dist;
  std::vector<double> v(n);
  for (double& x : v) x = dist(rng);
  return v;
}

void BM_PercentileInPlace(benchmark::State& state) {
  const std::vector<double> src = RandomValues(std::size_t(state.range(0)));
  std::vector<double> work;
  for (auto _ : state) {
    work = src;
    benchmark::DoNotOptimize(mivo::PercentileInPlace(work, 0.9));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PercentileInPlace)->Arg(100)->Arg(10000)->Arg(1000000);

// Reference: copy, full sort, interpolate.
void BM_PercentileFullSort(benchmark::State& state) {
  const std::vector<double> src = RandomValues(std::size_t(state.range(0)));
  std::vector<double> work;
  for (auto _ : state) {
    work = src;
    std::sort(work.begin(), work.end());
    const double h = double(work.size() - 1) * 0.9;
    const auto k = std::size_t(h);
    benchmark::DoNotOptimize(work[k] + (h - double(k)) * (work[k + 1] - work[k]));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PercentileFullSort)->Arg(100)->Arg(10000)->Arg(1000000);

void BM_CalcScalePars(benchmark::State& state) {
  const std::vector<double> ends = RandomValues(1024);
  std::size_t i = 0;
  double first = 0, dist = 0;
  std::uint16_t sub = 0;
  for (auto _ : state) {
    const double lo = ends[i % 1024] * 1e3, hi = ends[(i + 1) % 1024] * 1e5;
    mivo::CalcScalePars(std::int32_t(i % 11), lo, hi, first, dist, sub);
    benchmark::DoNotOptimize(dist);
    ++i;
  }
}
BENCHMARK(BM_CalcScalePars);

// Filling a 1000 x 1000 matrix element by element with a change handler
// attached: per-element notifications against one batched notification.
void BM_MatrixFill(benchmark::State& state) {
  const bool batched = state.range(0) != 0;
  mivo::TMatrix m(1000, 1000);
  std::int64_t notifications = 0;
  m.OnChange = [&](mivo::TObject&) { ++notifications; };
  double v = 1;
  for (auto _ : state) {
    if (batched) m.BeginUpdate();
    for (std::int32_t r = 1; r <= 1000; ++r)
      for (std::int32_t c = 1; c <= 1000; ++c) m.SetElem(c, r, v);
    if (batched) m.EndUpdate();
    v += 1;
  }
  state.counters["notifications/fill"] = double(notifications) / double(state.iterations());
  state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(BM_MatrixFill)->Arg(0)->Arg(1);

// All 52 marks once, thin pen, on a 400 x 300 bitmap.
void BM_DrawAllMarks(benchmark::State& state) {
  mivo::TBitmap bmp(400, 300);
  mivo::TCanvas& c = bmp.Canvas();
  c.Pen.Width = std::int32_t(state.range(0));
  for (auto _ : state) {
    for (int k = 0; k <= mivo::kMaxMarkKind; ++k)
      mivo::DrawMarkOnCanvas(c, std::uint8_t(k), 20 + (k % 13) * 28, 20 + (k / 13) * 28);
  }
  state.SetItemsProcessed(state.iterations() * (mivo::kMaxMarkKind + 1));
}
BENCHMARK(BM_DrawAllMarks)->Arg(1)->Arg(3);

}  // namespace

BENCHMARK_MAIN();
