// The antialiased mode against the exact pixels, each pair in the same run:
//   BM_PaintLinesAntialiased / BM_PaintLinesExact
//       Paint of a 1000 x 700 chart of 1,000,000 DrawTo items (a random walk:
//       column reduction leaves about four points a column)
//   BM_PaintMarksAntialiased / BM_PaintMarksExact
//       Paint of the same chart with 100,000 marks of eight types
//   BM_PolylineAntialiased / BM_PolylineExact
//       one 200-point polyline of random steps within 40 pixels, width 1, on
//       a 1000 x 700 bitmap: the primitive itself, with nothing to reduce
//   BM_EllipsesAntialiased / BM_EllipsesExact
//       100 filled, outlined circles of radius 3 ... 12 (chart marks' sizes)
// Goal: the antialiased chart paint within 2 times the exact one.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/rchart/rchart.h"
#include "ratio_reporter.h"

namespace {

using mivo::TPoint;

constexpr std::int32_t kWidth = 1000, kHeight = 700, kLines = 1000000;

std::unique_ptr<mivo::TCustomRChart> LineChart() {
  auto c = std::make_unique<mivo::TCustomRChart>();
  c->SetBounds(0, 0, kWidth, kHeight);
  c->SetSuppressPaint(false);
  std::mt19937_64 rng(11);
  std::normal_distribution<double> step;
  double y = 0;
  c->MoveTo(0, 0);
  for (std::int32_t i = 1; i < kLines; ++i) {
    y += step(rng);
    c->DrawTo(i, y);
  }
  c->AutoRange(1, 5);
  return c;
}

mivo::TCustomRChart& Lines() {
  static const std::unique_ptr<mivo::TCustomRChart> c = LineChart();
  return *c;
}

void PaintLines(benchmark::State& state, bool antialiased) {
  mivo::TCustomRChart& c = Lines();
  c.SetAntialiased(antialiased);
  c.Paint();
  for (auto _ : state) c.Paint();
  state.SetItemsProcessed(state.iterations() * kLines);
}
void BM_PaintLinesExact(benchmark::State& state) { PaintLines(state, false); }
void BM_PaintLinesAntialiased(benchmark::State& state) { PaintLines(state, true); }
BENCHMARK(BM_PaintLinesExact)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintLinesAntialiased)->Unit(benchmark::kMillisecond);

std::unique_ptr<mivo::TCustomRChart> MarkChart() {
  auto c = std::make_unique<mivo::TCustomRChart>();
  c->SetBounds(0, 0, kWidth, kHeight);
  c->SetSuppressPaint(false);
  std::mt19937_64 rng(12);
  std::uniform_real_distribution<double> u(0, 100);
  for (std::int32_t i = 0; i < 100000; ++i) c->MarkAt(u(rng), u(rng), std::uint8_t(1 + i % 8));
  c->SetRange(1, 0, 0, 100, 100);
  return c;
}

void PaintMarks(benchmark::State& state, bool antialiased) {
  static const std::unique_ptr<mivo::TCustomRChart> c = MarkChart();
  c->SetAntialiased(antialiased);
  c->Paint();
  for (auto _ : state) c->Paint();
  state.SetItemsProcessed(state.iterations() * 100000);
}
void BM_PaintMarksExact(benchmark::State& state) { PaintMarks(state, false); }
void BM_PaintMarksAntialiased(benchmark::State& state) { PaintMarks(state, true); }
BENCHMARK(BM_PaintMarksExact)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintMarksAntialiased)->Unit(benchmark::kMillisecond);

std::vector<TPoint> RandomSteps(std::size_t n) {
  std::mt19937 rng(5);
  std::uniform_int_distribution<std::int32_t> d(-40, 40);
  std::vector<TPoint> pts{{500, 350}};
  while (pts.size() < n) {
    const TPoint p = pts.back();
    pts.push_back({std::clamp(p.x + d(rng), 0, kWidth - 1), std::clamp(p.y + d(rng), 0, kHeight - 1)});
  }
  return pts;
}

void Polylines(benchmark::State& state, bool antialiased) {
  mivo::TBitmap bmp(kWidth, kHeight);
  bmp.Canvas().Antialiased = antialiased;
  const std::vector<TPoint> pts = RandomSteps(200);
  for (auto _ : state) {
    bmp.Canvas().Polyline(pts);
    benchmark::DoNotOptimize(bmp.ScanLine(0));
  }
  state.SetItemsProcessed(state.iterations() * std::int64_t(pts.size()));
}
void BM_PolylineExact(benchmark::State& state) { Polylines(state, false); }
void BM_PolylineAntialiased(benchmark::State& state) { Polylines(state, true); }
BENCHMARK(BM_PolylineExact)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PolylineAntialiased)->Unit(benchmark::kMicrosecond);

void Ellipses(benchmark::State& state, bool antialiased) {
  mivo::TBitmap bmp(kWidth, kHeight);
  mivo::TCanvas& cv = bmp.Canvas();
  cv.Antialiased = antialiased;
  cv.Brush.Color = 0x00FFFF;
  for (auto _ : state) {
    for (std::int32_t i = 0; i < 100; ++i) {
      const std::int32_t r = 3 + i % 10, x = 20 + (i * 97) % 960, y = 20 + (i * 61) % 660;
      cv.Ellipse(x - r, y - r, x + r + 1, y + r + 1);
    }
    benchmark::DoNotOptimize(bmp.ScanLine(0));
  }
  state.SetItemsProcessed(state.iterations() * 100);
}
void BM_EllipsesExact(benchmark::State& state) { Ellipses(state, false); }
void BM_EllipsesAntialiased(benchmark::State& state) { Ellipses(state, true); }
BENCHMARK(BM_EllipsesExact)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EllipsesAntialiased)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  mivo::bench::TRatioReporter reporter;
  if (!mivo::bench::RunBenchmarks(argc, argv, reporter)) return 1;
  std::printf("\nratios antialiased / exact (goal for the chart paint: at most 2)\n");
  const char* pairs[][2] = {{"BM_PaintLinesAntialiased", "BM_PaintLinesExact"},
                            {"BM_PaintMarksAntialiased", "BM_PaintMarksExact"},
                            {"BM_PolylineAntialiased", "BM_PolylineExact"},
                            {"BM_EllipsesAntialiased", "BM_EllipsesExact"}};
  for (const auto& p : pairs) {
    double r = 0;
    if (reporter.Ratio(p[0], p[1], r)) std::printf("  %-26s %.2f\n", p[0], r);
  }
  return 0;
}
