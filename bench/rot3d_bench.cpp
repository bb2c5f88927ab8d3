// TRot3D on 800 x 600 with 100,000 marks and with a polyline of 100,000
// segments: MakeVisible (the snapshot into model space, which repaints) and
// Paint, each beside a floor measured in the same run.
//
// Paint is the whole control: background, shaded box, axes, the rendering
// objects, front edges, axis names, frame and the copy to the window surface.
// Its floor projects the snapshot's model points with the same matrix and
// draws them with the canvas alone (the same marks, resp. one LineTo per
// segment, one colour) on a cleared bitmap: no box, axes, names or frame.
// MakeVisible's floor adds to that the plain arithmetic of the snapshot:
// centroid and extents of the data, and its conversion to integer model
// coordinates in arrays allocated once. At the end the ratios (CPU time, as
// the machine may be shared) are printed.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "mivo/base/marks.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"
#include "mivo/rot3d/rot3d.h"
#include "ratio_reporter.h"

namespace {

using mivo::TRot3D;

constexpr int W = 800, H = 600;
constexpr std::int32_t kPoints = 100000;
constexpr std::uint8_t kMark = 9;  // filled small square
enum TShape : std::int64_t { kMarks = 0, kPolyline = 1 };
const char* const ShapeNames[] = {"marks", "polyline"};

struct TPoint3 {
  double x, y, z;
};

// A Gaussian cloud for the marks; a random walk wound round the z axis for
// the polyline (so segments are a few pixels long, as in measured traces).
const std::vector<TPoint3>& Data(std::int64_t shape) {
  static const std::vector<TPoint3> data[2] = {
      [] {
        std::mt19937_64 rng(3);
        std::normal_distribution<double> g;
        std::vector<TPoint3> v(kPoints);
        for (auto& p : v) p = {g(rng), 2 * g(rng), 0.5 * g(rng)};
        return v;
      }(),
      [] {
        std::mt19937_64 rng(5);
        std::normal_distribution<double> g;
        std::vector<TPoint3> v(kPoints + 1);
        double r = 1;
        for (std::size_t i = 0; i < v.size(); ++i) {
          const double t = double(i) * 2e-3;
          r = std::clamp(r + 0.01 * g(rng), 0.5, 1.5);
          v[i] = {r * std::cos(t), r * std::sin(t), t * 0.01 + 0.02 * g(rng)};
        }
        return v;
      }(),
  };
  return data[shape];
}

void Fill(TRot3D& p, std::int64_t shape) {
  p.SetBounds(0, 0, W, H);
  p.SetCentX(W / 2);
  p.SetCentY(H / 2);
  p.SetMagnification(1.2);
  p.SetColorData(mivo::clNavy);
  const auto& d = Data(shape);
  if (shape == kMarks) {
    for (const auto& q : d) p.MarkAt(q.x, q.y, q.z, kMark);
  } else {
    p.Moveto(d[0].x, d[0].y, d[0].z);
    for (std::size_t i = 1; i < d.size(); ++i) p.Drawto(d[i].x, d[i].y, d[i].z);
  }
}

void BM_MakeVisible(benchmark::State& state) {
  TRot3D p;
  Fill(p, state.range(0));
  for (auto _ : state) {
    p.MakeVisible();
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}

void BM_Paint(benchmark::State& state) {
  TRot3D p;
  Fill(p, state.range(0));
  p.MakeVisible();
  for (auto _ : state) {
    p.Repaint();
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}

// Projects the snapshot's model points and draws them with the canvas alone.
void DrawFloor(const TRot3D& p, mivo::TBitmap& bmp, const std::vector<std::int32_t>& x,
               const std::vector<std::int32_t>& y, const std::vector<std::int32_t>& z, bool marks) {
  mivo::TCanvas& c = bmp.Canvas();
  bmp.Clear(mivo::clWhite);
  c.Pen.Color = mivo::clNavy;
  c.Brush.Color = mivo::clNavy;
  c.Brush.Style = mivo::TBrushStyle::bsSolid;
  for (std::size_t i = 0; i < x.size(); ++i) {
    const mivo::TPoint at = p.ProjectModel(x[i], y[i], z[i]);
    if (marks)
      mivo::DrawMarkOnCanvas(c, kMark, at.x, at.y);
    else if (i == 0)
      c.MoveTo(at.x, at.y);
    else
      c.LineTo(at.x, at.y);
  }
}

void BM_PaintFloor(benchmark::State& state) {
  TRot3D p;
  Fill(p, state.range(0));
  p.MakeVisible();
  const auto& o = p.RenderObjects();
  mivo::TBitmap bmp(W, H);
  for (auto _ : state) {
    DrawFloor(p, bmp, o.FRotDataX, o.FRotDataY, o.FRotDataZ, state.range(0) == kMarks);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}

void BM_MakeVisibleFloor(benchmark::State& state) {
  TRot3D p;
  Fill(p, state.range(0));
  p.MakeVisible();
  const auto& d = Data(state.range(0));
  const std::size_t n = d.size();
  std::vector<std::int32_t> x(n), y(n), z(n);
  mivo::TBitmap bmp(W, H);
  for (auto _ : state) {
    double lo[3] = {d[0].x, d[0].y, d[0].z}, hi[3] = {lo[0], lo[1], lo[2]}, sum[3] = {0, 0, 0};
    for (const auto& q : d) {
      const double v[3] = {q.x, q.y, q.z};
      for (int k = 0; k < 3; ++k) {
        lo[k] = std::min(lo[k], v[k]);
        hi[k] = std::max(hi[k], v[k]);
        sum[k] += v[k];
      }
    }
    double c[3], s[3];
    for (int k = 0; k < 3; ++k) {
      c[k] = sum[k] / double(n);
      s[k] = 1000 / (hi[k] - lo[k]);
    }
    for (std::size_t i = 0; i < n; ++i) {
      x[i] = std::int32_t(std::lround((d[i].x - c[0]) * s[0]));
      y[i] = std::int32_t(std::lround((d[i].y - c[1]) * s[1]));
      z[i] = std::int32_t(std::lround((d[i].z - c[2]) * s[2]));
    }
    DrawFloor(p, bmp, x, y, z, state.range(0) == kMarks);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  for (const std::int64_t shape : {kMarks, kPolyline}) {
    using TBench = void (*)(benchmark::State&);
    const std::pair<const char*, TBench> benches[] = {{"BM_MakeVisible", BM_MakeVisible},
                                                      {"BM_MakeVisibleFloor", BM_MakeVisibleFloor},
                                                      {"BM_Paint", BM_Paint},
                                                      {"BM_PaintFloor", BM_PaintFloor}};
    for (const auto& [name, fn] : benches)
      benchmark::RegisterBenchmark(name, fn)->Arg(shape)->Unit(benchmark::kMillisecond);
  }
  mivo::bench::TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  std::printf("\nratios to the floor, 100,000 points on %d x %d (goal: at most 1.5)\n", W, H);
  for (const std::int64_t shape : {kMarks, kPolyline}) {
    const std::string suffix = "/" + std::to_string(shape);
    for (const char* op : {"BM_MakeVisible", "BM_Paint"}) {
      const std::string floor = std::string(op) + "Floor";
      double r = 0;
      if (reporter.Ratio(op + suffix, floor + suffix, r))
        std::printf("  %-15s %-9s %.2f\n", op + 3, ShapeNames[shape], r);
    }
  }
  return 0;
}
