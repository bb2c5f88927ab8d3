// One pan step of the 2D chart: a mouse-move message queued on the headless
// host and delivered, the new ranges and the repaint they cause, on a
// 1000 x 700 chart holding 100,000 DrawTo items. Read it against two floors
// measured in the same run:
//   BM_Paint       a plain Paint of the same chart (the repaint alone);
//   BM_PlainLoops  clearing a bitmap of the data area's size, mapping the
//                  same points with one multiply-add per coordinate and
//                  drawing them as one polyline.
// The goal of a pan step is less than 16 ms (one frame at 60 Hz).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/host.h"
#include "mivo/rchart/rchart.h"
#include "ratio_reporter.h"

namespace {

constexpr std::int32_t kItems = 100000;
constexpr std::int32_t kWidth = 1000, kHeight = 700;

struct TWalk {
  std::vector<double> X, Y;
};

const TWalk& Walk() {
  static const TWalk walk = [] {
    TWalk w;
    std::mt19937_64 rng(5);
    std::normal_distribution<double> step;
    double y = 0;
    for (std::int32_t i = 0; i < kItems; ++i) {
      y += step(rng);
      w.X.push_back(i);
      w.Y.push_back(y);
    }
    return w;
  }();
  return walk;
}

std::unique_ptr<mivo::TCustomRChart> MakeChart() {
  auto c = std::make_unique<mivo::TCustomRChart>();
  c->SetBounds(0, 0, kWidth, kHeight);
  const TWalk& w = Walk();
  c->MoveTo(w.X[0], w.Y[0]);
  for (std::int32_t i = 1; i < kItems; ++i) c->DrawTo(w.X[i], w.Y[i]);
  c->SetSuppressPaint(false);
  c->AutoRange(1, 5);
  return c;
}

void Post(mivo::TControl& c, mivo::TMessageKind kind, std::int32_t x, std::int32_t y, std::uint32_t keys) {
  mivo::TMessage m;
  m.Kind = kind;
  m.X = x;
  m.Y = y;
  m.Keys = keys;
  mivo::HeadlessHost()->PostMessage(c, m);
}

void BM_PanStep(benchmark::State& state) {
  mivo::THeadlessHost* host = mivo::HeadlessHost();
  if (!host) {
    state.SkipWithError("the headless host is not active");
    return;
  }
  const auto chart = MakeChart();
  chart->SetMouseAction(mivo::TMouseActMode::maPan);
  const std::int32_t y = kHeight / 2;
  Post(*chart, mivo::TMessageKind::mkMouseDown, 500, y, mivo::MK_LBUTTON);
  Post(*chart, mivo::TMessageKind::mkMouseMove, 500, y, mivo::MK_LBUTTON);  // picks the drag up
  host->ProcessMessages();
  std::int64_t steps = 0;
  chart->OnZoomPan = [&steps](mivo::TObject&) { ++steps; };
  bool right = true;
  for (auto _ : state) {
    // Twenty pixels to the right of the anchor and back: every step moves the view.
    Post(*chart, mivo::TMessageKind::mkMouseMove, right ? 520 : 500, y + (right ? 7 : 0), mivo::MK_LBUTTON);
    host->ProcessMessages();
    right = !right;
  }
  if (steps != std::int64_t(state.iterations())) state.SkipWithError("a move did not pan the chart");
  Post(*chart, mivo::TMessageKind::mkMouseUp, 500, y, 0);
  host->ProcessMessages();
  state.SetItemsProcessed(state.iterations() * kItems);
}

void BM_Paint(benchmark::State& state) {
  const auto chart = MakeChart();
  for (auto _ : state) chart->Paint();
  state.SetItemsProcessed(state.iterations() * kItems);
}

void BM_PlainLoops(benchmark::State& state) {
  const auto chart = MakeChart();
  const std::int32_t w = chart->DataAreaWidth(), h = chart->DataAreaHeight();
  const double xLo = chart->ScalePropsX(1).RangeLow(), xHi = chart->ScalePropsX(1).RangeHigh();
  const double yLo = chart->ScalePropsY(1).RangeLow(), yHi = chart->ScalePropsY(1).RangeHigh();
  const double kx = (w - 1) / (xHi - xLo), ky = -(h - 1) / (yHi - yLo);
  const double dx = -xLo * kx, dy = (h - 1) - yLo * ky;
  const TWalk& walk = Walk();
  std::vector<mivo::TPoint> pts(kItems);
  mivo::TBitmap bmp(w, h);
  mivo::TCanvas& c = bmp.Canvas();
  for (auto _ : state) {
    bmp.Clear(mivo::clWhite);
    for (std::int32_t i = 0; i < kItems; ++i)
      pts[std::size_t(i)] = mivo::TPoint{std::int32_t(walk.X[std::size_t(i)] * kx + dx + 0.5),
                                         std::int32_t(walk.Y[std::size_t(i)] * ky + dy + 0.5)};
    c.Pen.Color = mivo::clBlack;
    c.Polyline(std::span<const mivo::TPoint>(pts.data(), pts.size()));
    benchmark::DoNotOptimize(bmp.ScanLine(h / 2));
  }
  state.SetItemsProcessed(state.iterations() * kItems);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RegisterBenchmark("BM_PanStep", BM_PanStep)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_Paint", BM_Paint)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_PlainLoops", BM_PlainLoops)->Unit(benchmark::kMillisecond);
  mivo::bench::TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  std::printf("\npan step of %d DrawTo items on %d x %d\n", kItems, kWidth, kHeight);
  double r = 0;
  if (reporter.Ratio("BM_PanStep", "BM_Paint", r)) std::printf("  pan step / plain Paint:  %.2f\n", r);
  if (reporter.Ratio("BM_PanStep", "BM_PlainLoops", r)) std::printf("  pan step / plain loops:  %.2f\n", r);
  const auto it = reporter.Times.find("BM_PanStep");
  if (it != reporter.Times.end())
    std::printf("  pan step: %.2f ms (goal: under 16 ms) %s\n", it->second, it->second < 16 ? "met" : "NOT met");
  return 0;
}
