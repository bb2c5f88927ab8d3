// Painting a colour-coded TPlot3D surface on 800 x 600 beside its floor, for
// grids of 100 x 100 and 400 x 400 nodes, and one rotation step of the
// 100 x 100 surface (goal: well under 16.7 ms, i.e. 60 steps a second).
//
// The paint is the whole control: background, shaded box, cells in painter's
// order with colour coding and mesh outlines, node maps, axes with labels,
// frame, and the copy to the window surface. The floor projects the same nodes
// with the same matrix and fills the same quadrilaterals (same pen) with the
// canvas alone, in storage order, with one colour: no ordering, no colour
// coding, no box, no axes. At the end the ratios paint / floor (CPU time, as
// the machine may be shared) are printed, and the ratio of filling GridMat
// element by element to filling a plain vector (BM_FillGridMat below).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"
#include "mivo/plot3d/plot3d.h"
#include "ratio_reporter.h"

namespace {

constexpr int W = 800, H = 600;
const std::int64_t Sizes[] = {100, 400};

void FillRipple(mivo::TPlot3D& p, std::int32_t n) {
  p.SetSuppressPaint(true);
  p.SetBounds(0, 0, W, H);
  p.GridMat.Resize(n, n);
  for (std::int32_t c = 1; c <= n; ++c)
    for (std::int32_t r = 1; r <= n; ++r) {
      const double x = 6.0 * (c - 1) / (n - 1) - 3, y = 6.0 * (r - 1) / (n - 1) - 3;
      const double d = std::sqrt(x * x + y * y);
      p.GridMat.SetElem(c, r, std::cos(2.2 * d) * std::exp(-0.35 * d));
    }
  p.SetRange(-3, 3, -3, 3, -1, 1);
  p.SetColorScaleLow(-1);
  p.SetColorScaleHigh(1);
  p.SetMagnification(0.9);
  p.SetSuppressPaint(false);
}

void BM_Paint(benchmark::State& state) {
  mivo::TPlot3D p;
  FillRipple(p, std::int32_t(state.range(0)));
  for (auto _ : state) {
    p.Repaint();
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(0));
}

void BM_Floor(benchmark::State& state) {
  mivo::TPlot3D p;
  const std::int32_t n = std::int32_t(state.range(0));
  FillRipple(p, n);
  mivo::TBitmap bmp(W, H);
  mivo::TCanvas& c = bmp.Canvas();
  const auto values = p.GridMat.Data();
  std::vector<mivo::TPoint> pix(values.size());
  for (auto _ : state) {
    bmp.Clear(mivo::clWhite);
    for (std::int32_t r = 1; r <= n; ++r)
      for (std::int32_t col = 1; col <= n; ++col) {
        const std::size_t i = std::size_t(r - 1) * std::size_t(n) + std::size_t(col - 1);
        pix[i] = p.ProjectModel(mivo::GridNodeCoord(col, n), mivo::GridNodeCoord(r, n), p.CalcIntZ(values[i]));
      }
    c.Pen.Color = mivo::clBlack;
    c.Brush.Color = mivo::clYellow;
    c.Brush.Style = mivo::TBrushStyle::bsSolid;
    for (std::int32_t r = 0; r < n - 1; ++r)
      for (std::int32_t col = 0; col < n - 1; ++col) {
        const std::size_t a = std::size_t(r) * std::size_t(n) + std::size_t(col);
        const mivo::TPoint q[4] = {pix[a], pix[a + 1], pix[a + std::size_t(n) + 1], pix[a + std::size_t(n)]};
        c.Polygon(q);
      }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(0));
}

// One step of a mouse rotation: new angle, new matrix, full repaint.
void BM_RotateStep(benchmark::State& state) {
  mivo::TPlot3D p;
  FillRipple(p, std::int32_t(state.range(0)));
  double angle = 15;
  for (auto _ : state) {
    angle = angle >= 359 ? 0 : angle + 1;
    p.SetViewAngleZ(angle);
    benchmark::ClobberMemory();
  }
}

// Filling a 1000 x 1000 GridMat element by element on a visible plot with
// painting on (no SuppressPaint, no BeginUpdate), every element a new value,
// beside the floor: the same values written into a plain vector of doubles.
// Goal: at most 2 (each element's change notification costs a constant).
constexpr std::int32_t FillSide = 1000;

// The ripple of FillRipple at node (c, r), raised by `lift`.
double RippleAt(std::int32_t c, std::int32_t r, double lift) {
  const double x = 6.0 * (c - 1) / (FillSide - 1) - 3, y = 6.0 * (r - 1) / (FillSide - 1) - 3;
  const double d = std::sqrt(x * x + y * y);
  return std::cos(2.2 * d) * std::exp(-0.35 * d) + lift;
}

void BM_FillGridMat(benchmark::State& state) {
  mivo::TPlot3D p;
  p.SetBounds(0, 0, W, H);
  p.GridMat.Resize(FillSide, FillSide);
  double lift = 0;
  for (auto _ : state) {
    lift += 1;
    for (std::int32_t c = 1; c <= FillSide; ++c)
      for (std::int32_t r = 1; r <= FillSide; ++r) p.GridMat.SetElem(c, r, RippleAt(c, r, lift));
    benchmark::ClobberMemory();
  }
  benchmark::DoNotOptimize(p.MaxZ());
}

void BM_FillVector(benchmark::State& state) {
  std::vector<double> v(std::size_t(FillSide) * FillSide);
  double lift = 0;
  for (auto _ : state) {
    lift += 1;
    for (std::int32_t c = 1; c <= FillSide; ++c)
      for (std::int32_t r = 1; r <= FillSide; ++r)
        v[std::size_t(r - 1) * FillSide + std::size_t(c - 1)] = RippleAt(c, r, lift);
    benchmark::DoNotOptimize(v.data());
    benchmark::ClobberMemory();
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  for (const std::int64_t n : Sizes) {
    benchmark::RegisterBenchmark("BM_Paint", BM_Paint)->Arg(n)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_Floor", BM_Floor)->Arg(n)->Unit(benchmark::kMillisecond);
  }
  benchmark::RegisterBenchmark("BM_RotateStep", BM_RotateStep)->Arg(100)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_FillGridMat", BM_FillGridMat)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_FillVector", BM_FillVector)->Unit(benchmark::kMillisecond);
  mivo::bench::TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  std::printf("\nratios paint / floor (goal: at most 1.5)\n");
  for (const std::int64_t n : Sizes) {
    const std::string suffix = "/" + std::to_string(n);
    double r = 0;
    if (reporter.Ratio("BM_Paint" + suffix, "BM_Floor" + suffix, r))
      std::printf("  %lld x %lld: %.2f\n", (long long)n, (long long)n, r);
  }
  double fill = 0;
  if (reporter.Ratio("BM_FillGridMat", "BM_FillVector", fill))
    std::printf("fill 1000 x 1000 element by element, GridMat / vector (goal: at most 2): %.2f\n", fill);
  const auto it = reporter.Times.find("BM_RotateStep/100");
  if (it != reporter.Times.end())
    std::printf("rotation step 100 x 100: %.2f ms (%.0f steps a second)\n", it->second, 1000.0 / it->second);
  return 0;
}
