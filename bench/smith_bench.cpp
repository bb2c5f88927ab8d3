// A full paint of a 1000 x 1000 Smith chart (frame, background, unit circle,
// 20 resistance circles, 38 reactance arcs, the labels of its density level,
// the copies into the chart bitmap and onto the screen) beside its floor in
// the same run: the same primitives, recorded once from the chart and
// replayed each time with plain canvas calls on a data bitmap, the frame
// filled and the two copies made as Paint makes them.
//   BM_SmithPaint / BM_SmithFloor     goal: at most 1.3
#include <benchmark/benchmark.h>

#include <cstdio>

#include "mivo/charts/smith_chart.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/recording_canvas.h"
#include "ratio_reporter.h"

namespace {

using mivo::TBitmap;
using mivo::TSmithChart;

constexpr std::int32_t kSide = 1000;

void SetUp(TSmithChart& c) {
  c.SetBounds(0, 0, kSide, kSide);
  c.SetSuppressPaint(false);
}

void BM_SmithPaint(benchmark::State& state) {
  TSmithChart c;
  SetUp(c);
  for (auto _ : state) {
    c.Paint();
    benchmark::DoNotOptimize(c.Surface().ScanLine(kSide / 2)[kSide / 2]);
  }
}
BENCHMARK(BM_SmithPaint)->Unit(benchmark::kMillisecond);

void BM_SmithFloor(benchmark::State& state) {
  TSmithChart c;
  SetUp(c);
  mivo::TRecordingCanvas grid;
  c.InitGraf(grid, 0, 0, c.DataAreaWidth(), c.DataAreaHeight());
  TBitmap data, whole, screen;
  data.SetSize(c.DataAreaWidth(), c.DataAreaHeight());
  whole.SetSize(kSide, kSide);
  screen.SetSize(kSide, kSide);
  for (auto _ : state) {
    whole.Canvas().Brush.Color = c.WindColor();
    whole.Canvas().FillRect(mivo::Rect(0, 0, kSide, kSide));
    grid.Replay(data.Canvas());
    whole.Canvas().Draw(c.MarginLeft(), c.MarginTop(), data);
    screen.Canvas().Draw(0, 0, whole);
    benchmark::DoNotOptimize(screen.ScanLine(kSide / 2)[kSide / 2]);
  }
}
BENCHMARK(BM_SmithFloor)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  mivo::bench::TRatioReporter reporter;
  if (!mivo::bench::RunBenchmarks(argc, argv, reporter)) return 1;
  double r = 0;
  if (reporter.Ratio("BM_SmithPaint", "BM_SmithFloor", r)) std::printf("\nSmith paint / floor: %.2f (goal: at most 1.3)\n", r);
  return 0;
}
