// A paint message on a high-density screen against the same paint at device
// scale 1, in the same run: every control pixel becomes r x r device pixels,
// text is set at r x 96 dpi and lines and marks are scaled as in print.
//   BM_Paint<chart>/<scale x 100>: a 1000 x 700 chart of 1,000,000 DrawTo
//   items, of 100,000 marks and of 10,000 texts; a 3D surface plot of
//   60 x 60 nodes; a gauge (its screen picture enlarged)
//   BM_AppendFrame/<scale x 100>: one appended point and the frame showing it
// Goal: each paint at scale 2 within 4.5 times its paint at scale 1 (four
// times the pixels). Scale 1.5 is reported beside it.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "mivo/gauge/gauge.h"
#include "mivo/platform/controls.h"
#include "mivo/platform/host.h"
#include "mivo/plot3d/plot3d.h"
#include "mivo/rchart/rchart.h"
#include "ratio_reporter.h"

namespace {

using mivo::TCustomControl;
using mivo::TCustomRChart;

constexpr std::int32_t kWidth = 1000, kHeight = 700;

std::unique_ptr<TCustomRChart> NewChart() {
  auto c = std::make_unique<TCustomRChart>();
  c->SetBounds(0, 0, kWidth, kHeight);
  c->SetSuppressPaint(false);
  c->SetCaption("paint at a device scale");
  return c;
}

std::unique_ptr<TCustomControl> LineChart() {
  auto c = NewChart();
  std::mt19937_64 rng(11);
  std::normal_distribution<double> step;
  double y = 0;
  c->MoveTo(0, 0);
  for (std::int32_t i = 1; i < 1000000; ++i) {
    y += step(rng);
    c->DrawTo(i, y);
  }
  c->AutoRange(1, 5);
  return c;
}

std::unique_ptr<TCustomControl> MarkChart() {
  auto c = NewChart();
  std::mt19937_64 rng(12);
  std::uniform_real_distribution<double> u(0, 100);
  for (std::int32_t i = 0; i < 100000; ++i) c->MarkAt(u(rng), u(rng), std::uint8_t(1 + i % 8));
  c->SetRange(1, 0, 0, 100, 100);
  return c;
}

std::unique_ptr<TCustomControl> TextChart() {
  auto c = NewChart();
  std::mt19937_64 rng(13);
  std::uniform_real_distribution<double> u(0, 100);
  for (std::int32_t i = 0; i < 10000; ++i) c->Text(u(rng), u(rng), 8, "T" + std::to_string(i));
  c->SetRange(1, 0, 0, 100, 100);
  return c;
}

std::unique_ptr<TCustomControl> SurfacePlot() {
  auto c = std::make_unique<mivo::TPlot3D>();
  c->SetBounds(0, 0, 600, 500);
  c->GridMat.Resize(60, 60);
  for (std::int32_t i = 1; i <= 60; ++i)
    for (std::int32_t j = 1; j <= 60; ++j) c->GridMat.SetElem(i, j, std::sin(i * 0.2) * std::cos(j * 0.15));
  c->SetSuppressPaint(false);
  return c;
}

std::unique_ptr<TCustomControl> Gauge() {
  auto c = std::make_unique<mivo::TScaleGauge>();
  c->SetBounds(0, 0, 400, 120);
  c->SetValue(40);
  return c;
}

// Each control is made once and kept for the whole run.
TCustomControl& Kept(const std::string& name, const std::function<std::unique_ptr<TCustomControl>()>& make) {
  static std::vector<std::pair<std::string, std::unique_ptr<TCustomControl>>> kept;
  for (auto& [n, c] : kept)
    if (n == name) return *c;
  kept.emplace_back(name, make());
  return *kept.back().second;
}

void PaintAt(benchmark::State& state, TCustomControl& c) {
  c.SetDeviceScale(double(state.range(0)) / 100);
  const mivo::TMessage paint{mivo::TMessageKind::mkPaint};
  c.Dispatch(paint);  // warm caches (fonts, scales)
  for (auto _ : state) c.Dispatch(paint);
  c.SetDeviceScale(1);
}

void BM_PaintLines(benchmark::State& s) { PaintAt(s, Kept("lines", LineChart)); }
void BM_PaintMarks(benchmark::State& s) { PaintAt(s, Kept("marks", MarkChart)); }
void BM_PaintTexts(benchmark::State& s) { PaintAt(s, Kept("texts", TextChart)); }
void BM_PaintPlot3D(benchmark::State& s) { PaintAt(s, Kept("plot3d", SurfacePlot)); }
void BM_PaintGauge(benchmark::State& s) { PaintAt(s, Kept("gauge", Gauge)); }
BENCHMARK(BM_PaintLines)->Arg(100)->Arg(150)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintMarks)->Arg(100)->Arg(150)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintTexts)->Arg(100)->Arg(150)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintPlot3D)->Arg(100)->Arg(150)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintGauge)->Arg(100)->Arg(150)->Arg(200)->Unit(benchmark::kMillisecond);

// One appended point on the 1,000,000-item chart as the Qt host shows it:
// the new item is drawn over the picture at either scale (a frame that found
// the scaled picture out of date would paint it whole).
void BM_AppendFrame(benchmark::State& state) {
  auto& c = dynamic_cast<TCustomRChart&>(Kept("lines", LineChart));
  c.SetDeviceScale(double(state.range(0)) / 100);
  const mivo::TMessage paint{mivo::TMessageKind::mkPaint};
  c.Dispatch(paint);
  double x = 1000000;
  for (auto _ : state) {
    c.DrawTo(x, 0);
    x += 1e-3;
    c.ShowGrafNewOnly();
    if (c.DeviceScale() != 1 && !c.ScaledSurfaceCurrent()) c.Dispatch(paint);
  }
  c.SetDeviceScale(1);
}
BENCHMARK(BM_AppendFrame)->Arg(100)->Arg(200)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  mivo::bench::TRatioReporter reporter;
  if (!mivo::bench::RunBenchmarks(argc, argv, reporter)) return 1;
  std::printf("\nratios paint at a device scale / paint at scale 1 (goal at 2: at most 4.5)\n");
  for (const char* name : {"BM_PaintLines", "BM_PaintMarks", "BM_PaintTexts", "BM_PaintPlot3D", "BM_PaintGauge"}) {
    const std::string one = std::string(name) + "/100";
    double r15 = 0, r2 = 0;
    if (reporter.Ratio(std::string(name) + "/200", one, r2) && reporter.Ratio(std::string(name) + "/150", one, r15))
      std::printf("  %-16s x1.5: %.2f   x2: %.2f\n", name, r15, r2);
  }
  double append = 0;
  if (reporter.Ratio("BM_AppendFrame/200", "BM_AppendFrame/100", append))
    std::printf("  a frame with one append (no goal) x2: %.0f\n", append);
  return 0;
}
