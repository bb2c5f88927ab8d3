// Cost of painting a colour bar: a vertical 60 x 400 TColorScale (64 colours,
// crosshair, outline, frame) and a horizontal 400 x 60 one, each beside two
// floors measured in the same run: the inner axis alone drawn onto a bitmap of
// the same size, and clearing plus copying that bitmap (what any off-screen
// paint costs). The goal is a paint under 0.1 ms; the ratios say how much of
// it the bar itself adds to the axis it cannot do without.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "mivo/colorscale/colorscale.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"
#include "ratio_reporter.h"

namespace {

using namespace mivo;

void Setup(TColorScale& cs, bool vertical) {
  cs.SetBounds(0, 0, vertical ? 60 : 400, vertical ? 400 : 60);
  if (vertical) {
    cs.SetOrientation(TColScaleOrientation::csoVertical);
    cs.SetMarginRight(30);
  }
  cs.ColorArray.SetSize(64);
  cs.ColorArray.FillByInterpolation(kColorModelRGB, {clBlue, clAqua, clLime, clYellow, clRed});
  cs.SetScaleRange(-3.5, 127.25);
  cs.CrossHair().SetPos(40, 40);
  cs.SetSuppPaint(false);
}

void BM_Paint(benchmark::State& state, bool vertical) {
  TColorScale cs;
  Setup(cs, vertical);
  for (auto _ : state) cs.Paint();
}

// The inner axis alone, transparent, on a bitmap of the control's size.
void BM_AxisFloor(benchmark::State& state, bool vertical) {
  TColorScale cs;
  Setup(cs, vertical);
  TBitmap target(cs.Width(), cs.Height());
  TScale& s = cs.Scale();
  s.UseForeignCanvas(&target.Canvas(), 0, 0);
  for (auto _ : state) {
    target.Clear(0xC0C0C0);
    s.ForcePaint();
  }
}

// Clearing an off-screen bitmap and copying it to a window surface.
void BM_CopyFloor(benchmark::State& state, bool vertical) {
  TBitmap bmp(vertical ? 60 : 400, vertical ? 400 : 60);
  TBitmap window(bmp.Width(), bmp.Height());
  for (auto _ : state) {
    bmp.Clear(0xC0C0C0);
    window.Canvas().Draw(0, 0, bmp);
    benchmark::DoNotOptimize(window.Data());
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  for (const bool vertical : {true, false}) {
    const std::string what = vertical ? "Vertical60x400" : "Horizontal400x60";
    benchmark::RegisterBenchmark(("BM_Paint_" + what).c_str(), BM_Paint, vertical)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("BM_AxisFloor_" + what).c_str(), BM_AxisFloor, vertical)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("BM_CopyFloor_" + what).c_str(), BM_CopyFloor, vertical)
        ->Unit(benchmark::kMicrosecond);
  }
  mivo::bench::TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  std::printf("\nratios paint / floor (CPU time)\n");
  for (const char* what : {"Vertical60x400", "Horizontal400x60"}) {
    const std::string paint = std::string("BM_Paint_") + what;
    double r = 0;
    if (reporter.Ratio(paint, std::string("BM_AxisFloor_") + what, r)) std::printf("%-18s paint / axis alone  %6.2f\n", what, r);
    if (reporter.Ratio(paint, std::string("BM_CopyFloor_") + what, r)) std::printf("%-18s paint / clear+copy  %6.2f\n", what, r);
    const auto it = reporter.Times.find(paint);
    if (it != reporter.Times.end())
      std::printf("%-18s paint %.1f us (goal under 100 us)\n", what, it->second);
  }
  return 0;
}
