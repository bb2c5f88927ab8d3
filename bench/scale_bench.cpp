// Cost of painting scales: an opaque 400 x 60 numeric scale (off-screen bitmap,
// frame, copy), the same scale transparent (drawn straight onto the target),
// an opaque calendar scale, and the tick walks alone. Compare the figures as
// ratios: the walks against a whole paint, transparent against opaque.
#include <benchmark/benchmark.h>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/datetime.h"
#include "mivo/scale/scale.h"
#include "mivo/scale/scale_datetime.h"
#include "mivo/scale/scale_ticks.h"

namespace {

using namespace mivo;

struct Setup {
  TBitmap Target{400, 60};
  TScale Scale;
  explicit Setup(bool transparent) {
    Scale.SetBounds(0, 0, 400, 60);
    Scale.SetScaleType(TScaleType::sctHorzDown);
    Scale.SetTransparent(transparent);
    Scale.UseForeignCanvas(&Target.Canvas(), 0, 0);
  }
};

void BM_PaintOpaqueNumeric(benchmark::State& state) {
  Setup s(false);
  s.Scale.SetRange(-3.5, 127.25);
  for (auto _ : state) s.Scale.ForcePaint();
  state.counters["ticks"] = s.Scale.NumTicks();
}
BENCHMARK(BM_PaintOpaqueNumeric);

void BM_PaintTransparentNumeric(benchmark::State& state) {
  Setup s(true);
  s.Scale.SetRange(-3.5, 127.25);
  for (auto _ : state) {
    s.Target.Clear(0xFFFFFF);
    s.Scale.ForcePaint();
  }
}
BENCHMARK(BM_PaintTransparentNumeric);

void BM_PaintOpaqueCalendar(benchmark::State& state) {
  Setup s(false);
  s.Scale.SetLabelType(TFigType::ftDateTime);
  const double day = EncodeDate(2026, 12, 7);
  s.Scale.SetRange(day + 0.6, day + 1.4);  // hours across midnight, with a date row
  for (auto _ : state) s.Scale.ForcePaint();
}
BENCHMARK(BM_PaintOpaqueCalendar);

void BM_LinearWalkAndLabels(benchmark::State& state) {
  Setup s(false);
  s.Scale.SetRange(-3.5, 127.25);
  for (auto _ : state) benchmark::DoNotOptimize(s.Scale.BuildTickLayout());
}
BENCHMARK(BM_LinearWalkAndLabels);

void BM_CalendarWalkAndLabels(benchmark::State& state) {
  TDateTimeInput in;
  const double day = EncodeDate(2026, 12, 7);
  in.RangeLow = day + 0.6;
  in.RangeHigh = day + 1.4;
  for (auto _ : state) benchmark::DoNotOptimize(DateTimeTicks(in));
}
BENCHMARK(BM_CalendarWalkAndLabels);

}  // namespace

BENCHMARK_MAIN();
