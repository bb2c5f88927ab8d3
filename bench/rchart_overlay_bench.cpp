// The chart's overlays on an 800 x 600 chart holding 100,000 line-to items.
// Read as ratios against floors measured in the same run:
//   moving a crosshair (recomposed from the cached bitmaps) against a full
//       Paint, and against the three bitmap copies it cannot do without;
//   drawing 30 framed text labels against writing their 30 captions alone.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/rchart/rchart.h"
#include "ratio_reporter.h"

namespace {

constexpr std::int32_t kItems = 100000;
constexpr std::int32_t kLabels = 30;

std::unique_ptr<mivo::TCustomRChart> MakeChart() {
  auto c = std::make_unique<mivo::TCustomRChart>();
  c->SetBounds(0, 0, 800, 600);
  c->SetSuppressPaint(false);
  for (std::int32_t i = 0; i < kItems; ++i) c->DrawTo(i, std::sin(i * 0.001));
  c->SetRange(1, 0, -1.2, kItems, 1.2);
  c->CrossHairSetup(1, 0x0000FF, mivo::TCrossHMode::chBoth, mivo::TPenStyle::psDashDotDot, 1);
  return c;
}

mivo::TCustomRChart& Chart() {
  static const std::unique_ptr<mivo::TCustomRChart> chart = MakeChart();
  return *chart;
}

void BM_CrossHairMove(benchmark::State& state) {
  mivo::TCustomRChart& c = Chart();
  double x = 0;
  for (auto _ : state) {
    x = x > kItems ? 0 : x + 997;
    c.CrossHairSetPos(1, x, std::sin(x * 0.001));
  }
}
BENCHMARK(BM_CrossHairMove)->Unit(benchmark::kMicrosecond);

void BM_FullPaint(benchmark::State& state) {
  mivo::TCustomRChart& c = Chart();
  for (auto _ : state) c.Paint();
}
BENCHMARK(BM_FullPaint)->Unit(benchmark::kMicrosecond);

// The data bitmap into the chart bitmap, that into a scratch copy, the copy to the screen.
void BM_Floor_BitmapCopies(benchmark::State& state) {
  mivo::TBitmap chart(800, 600), data(731, 541), scratch(800, 600), screen(800, 600);
  for (auto _ : state) {
    chart.Canvas().Draw(50, 20, data);
    scratch = chart;
    screen.Canvas().Draw(0, 0, scratch);
    benchmark::DoNotOptimize(screen.Data());
  }
}
BENCHMARK(BM_Floor_BitmapCopies)->Unit(benchmark::kMicrosecond);

std::string Caption(std::int32_t i) { return "label " + std::to_string(i); }

void BM_TextLabels(benchmark::State& state) {
  mivo::TCustomRChart c;
  c.SetBounds(0, 0, 800, 600);
  for (std::int32_t i = 1; i <= kLabels; ++i) {
    c.AddTextLabel(20 + 20 * i, 30 + 15 * i, 0, Caption(i), 0);
    c.TextLabels(i).SetAttachToData(mivo::TTxtLblAttachMode::tamNone);
    c.TextLabels(i).SetMode(mivo::TTxtLblMode::tlShadow);
  }
  mivo::TBitmap bmp(800, 600);
  for (auto _ : state) c.DrawTextLabels(bmp.Canvas(), 0, 0);
}
BENCHMARK(BM_TextLabels)->Unit(benchmark::kMicrosecond);

void BM_Floor_Captions(benchmark::State& state) {
  mivo::TBitmap bmp(800, 600);
  mivo::TCanvas& canvas = bmp.Canvas();
  std::string captions[kLabels];
  for (std::int32_t i = 0; i < kLabels; ++i) captions[i] = Caption(i + 1);
  for (auto _ : state)
    for (std::int32_t i = 0; i < kLabels; ++i) canvas.TextOut(20 * i, 15 * i, captions[i]);
}
BENCHMARK(BM_Floor_Captions)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  mivo::bench::TRatioReporter reporter;
  if (!mivo::bench::RunBenchmarks(argc, argv, reporter)) return 1;
  std::printf("\nratios (CPU time)\n");
  double r = 0;
  if (reporter.Ratio("BM_CrossHairMove", "BM_FullPaint", r)) std::printf("crosshair move / full paint     %8.3f\n", r);
  if (reporter.Ratio("BM_CrossHairMove", "BM_Floor_BitmapCopies", r))
    std::printf("crosshair move / bitmap copies  %8.3f\n", r);
  if (reporter.Ratio("BM_TextLabels", "BM_Floor_Captions", r)) std::printf("30 labels / 30 captions alone   %8.3f\n", r);
  return 0;
}
