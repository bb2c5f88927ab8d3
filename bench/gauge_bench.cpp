// Paint of a 300 x 75 gauge (the default size) beside floors measured in the
// same run:
//   - Copy: clearing a 300 x 75 bitmap and copying it to another, the least a
//     picture composed off-screen costs;
//   - Dial: the inner dial alone drawn onto such a bitmap (ticks and labels),
//     the part of a gauge that text rendering dominates.
// The gauge is painted for every index kind with a fixed dial, and for a
// moving dial whose range changes on every paint (a gauge fed new values).
// Goal: each paint under 0.1 ms, so that 1000 updates a second cost under
// 10 % of a core. At the end the ratios gauge / floor (CPU time) and each
// paint's share of a core at 1000 paints a second are printed.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "mivo/gauge/gauge.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/colors.h"
#include "mivo/scale/scale.h"
#include "ratio_reporter.h"

namespace {

constexpr int W = 300, H = 75;

void BM_Floor_Copy(benchmark::State& state) {
  mivo::TBitmap a(W, H), b(W, H);
  for (auto _ : state) {
    a.Clear(mivo::clWhite);
    b.Canvas().Draw(0, 0, a);
    benchmark::DoNotOptimize(b.Data());
  }
}
BENCHMARK(BM_Floor_Copy);

void BM_Floor_Dial(benchmark::State& state) {
  mivo::TBitmap bmp(W, H);
  mivo::TScale s;
  s.SetBounds(0, 0, W, H);
  s.SetRange(-10, 10);
  s.SetMarginLeft(20);
  s.SetMarginRight(10);
  s.SetMarginTop(10);
  s.SetMarginBottom(30);
  s.SetTransparent(true);
  s.SetIsHelper(true);
  s.UseForeignCanvas(&bmp.Canvas(), 0, 0);
  for (auto _ : state) {
    s.ForcePaint();
    benchmark::DoNotOptimize(bmp.Data());
  }
}
BENCHMARK(BM_Floor_Dial);

void BM_Gauge_Fixed(benchmark::State& state) {
  mivo::TScaleGauge g;
  g.SetIndexMode(mivo::TGaugeIndexMode(state.range(0)));
  g.SetValue(4.2);
  g.Paint();
  for (auto _ : state) {
    g.Paint();
    benchmark::DoNotOptimize(g.GrafBmp().Data());
  }
}
BENCHMARK(BM_Gauge_Fixed)->DenseRange(0, 6);

void BM_Gauge_Moving(benchmark::State& state) {
  mivo::TScaleGauge g;
  g.SetFixedDial(false);
  g.SetIndexMode(mivo::TGaugeIndexMode::gimThreadTwoTriangles);
  g.Paint();
  double v = -5;
  for (auto _ : state) {
    v = v > 5 ? -5 : v + 0.01;
    g.SetValue(v);  // repaints
    benchmark::DoNotOptimize(g.GrafBmp().Data());
  }
}
BENCHMARK(BM_Gauge_Moving);

}  // namespace

int main(int argc, char** argv) {
  mivo::bench::TRatioReporter reporter;
  if (!mivo::bench::RunBenchmarks(argc, argv, reporter)) return 1;
  std::printf("\n%-22s %10s %10s %16s\n", "gauge paint", "/ copy", "/ dial", "core @ 1000/s");
  std::string names[8];
  for (int m = 0; m < 7; ++m) names[m] = "BM_Gauge_Fixed/" + std::to_string(m);
  names[7] = "BM_Gauge_Moving";
  for (const std::string& n : names) {
    double rc = 0, rd = 0;
    if (!reporter.Ratio(n, "BM_Floor_Copy", rc) || !reporter.Ratio(n, "BM_Floor_Dial", rd)) continue;
    // CPU time in ns per paint; at 1000 paints a second the share of a core is t * 1000 / 1e9.
    const double ns = reporter.Times.at(n);
    std::printf("%-22s %10.2f %10.2f %15.2f%%\n", n.c_str(), rc, rd, ns * 1000 / 1e9 * 100);
  }
  return 0;
}
