// Cost of the contour plot's picture: rebuilding the colour surface of a
// 400 x 300 data area from a 200 x 150 pivot grid (cell pass and mask pass,
// the pivots already calculated), and a repaint of the data area that reuses
// the cached image (copy, labels, hook, frame). Each beside a floor measured in
// the same run: the same grid interpolated bilinearly into a plain pixel
// buffer, and one copy of the cached image. Goals: rebuild within 1.5x of its
// floor, cached repaint within 1.2x of the copy.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "mivo/contour/contour_plot.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"
#include "ratio_reporter.h"

namespace {

using namespace mivo;

constexpr std::int32_t kNX = 200, kNY = 150, kW = 400, kH = 300;

double Field(double x, double y) { return std::sin(x) * std::cos(y) + std::exp(-(x - y) * (x - y)); }

// A plot whose data area is 400 x 300 with its pivots calculated.
void Setup(TContourPlot& p) {
  p.SetBounds(0, 0, 50 + 10 + kW - 1, 16 + 44 + kH - 1);
  p.SetLRim(50);
  p.SetRRim(10);
  p.SetTRim(16);
  p.SetBRim(44);
  p.SetNumPivotsX(kNX);
  p.SetNumPivotsY(kNY);
  p.SetIsoParams(-1.2, 1.6, 0.1);
  p.OnEstimateZVal = [](TObject&, double x, double y, std::int32_t, std::int32_t, double& z, std::uint8_t&) {
    z = Field(x, y);
  };
  p.SetSuppressPaint(false);
  p.Paint();
}

void BM_RebuildSurface(benchmark::State& state) {
  TContourPlot p;
  Setup(p);
  TBitmap bmp(p.DataAreaWidth(), p.DataAreaHeight());
  for (auto _ : state) {
    p.RenderFromPivotPoints(bmp, 0, 0);
    benchmark::DoNotOptimize(bmp.Data());
  }
}

// The plain way: every pixel of the buffer interpolated from its cell's four
// pivots and looked up in the colour table.
void BM_InterpolateFloor(benchmark::State& state) {
  TContourPlot p;
  Setup(p);
  const std::span<const double> z = p.PivotMatrix().Data();
  std::vector<TColor> lut(std::size_t(p.IsoColors.Size()) + 1);
  for (std::int32_t i = 1; i <= p.IsoColors.Size(); ++i) lut[std::size_t(i)] = p.IsoColors.GetColorElem(i);
  const double low = p.IsoLow(), scale = p.IsoColors.Size() / (p.IsoHigh() - p.IsoLow());
  const std::int32_t top = p.IsoColors.Size();
  std::vector<TRGB32> buffer(std::size_t(kW) * kH);
  for (auto _ : state) {
    for (std::int32_t py = 0; py < kH; ++py) {
      const double gy = double(kH - 1 - py) * (kNY - 1) / (kH - 1);
      const std::int32_t b = std::min(std::int32_t(gy), kNY - 2);
      const double fy = gy - b;
      for (std::int32_t px = 0; px < kW; ++px) {
        const double gx = double(px) * (kNX - 1) / (kW - 1);
        const std::int32_t a = std::min(std::int32_t(gx), kNX - 2);
        const double fx = gx - a;
        const std::size_t i = std::size_t(b) * kNX + std::size_t(a);
        const double lo = z[i] + (z[i + 1] - z[i]) * fx;
        const double hi = z[i + kNX] + (z[i + kNX + 1] - z[i + kNX]) * fx;
        const double v = lo + (hi - lo) * fy;
        const std::int32_t e = std::clamp(std::int32_t(std::lround((v - low) * scale)), 1, top);
        buffer[std::size_t(py) * kW + std::size_t(px)] = ToRGB32(lut[std::size_t(e)]);
      }
    }
    benchmark::DoNotOptimize(buffer.data());
  }
}

void BM_CachedRepaint(benchmark::State& state) {
  TContourPlot p;
  Setup(p);
  TBitmap graf(p.DataAreaWidth(), p.DataAreaHeight());
  for (auto _ : state) {
    p.ConstructDataBmp(graf, 0, 0, false, 0);
    benchmark::DoNotOptimize(graf.Data());
  }
}

void BM_CopyFloor(benchmark::State& state) {
  TContourPlot p;
  Setup(p);
  TBitmap graf(p.DataAreaWidth(), p.DataAreaHeight());
  for (auto _ : state) {
    graf.Canvas().Draw(0, 0, p.DataImage());
    benchmark::DoNotOptimize(graf.Data());
  }
}

}  // namespace

BENCHMARK(BM_RebuildSurface)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_InterpolateFloor)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CachedRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CopyFloor)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  mivo::bench::TRatioReporter reporter;
  if (!mivo::bench::RunBenchmarks(argc, argv, reporter)) return 1;
  std::printf("\nratios (CPU time)\n");
  double r = 0;
  if (reporter.Ratio("BM_RebuildSurface", "BM_InterpolateFloor", r))
    std::printf("rebuild / interpolation floor  %6.2f (goal 1.5)\n", r);
  if (reporter.Ratio("BM_CachedRepaint", "BM_CopyFloor", r))
    std::printf("cached repaint / copy          %6.2f (goal 1.2)\n", r);
  return 0;
}
