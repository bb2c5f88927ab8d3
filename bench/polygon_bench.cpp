// Polygon fill of the raster canvas beside its floor, on a 1000 x 700 surface:
//   - random polygons: vertices uniform over the surface, so long edges cross
//     each other everywhere and a row meets about a third of them;
//   - the area under a noisy random-walk series: one vertex per sample from
//     left to right, closed along the bottom row, as the 2D chart fills it;
// each at 10^3 ... 10^6 vertices. The floor is a plain sort-per-row fill
// (edges by first row, for each row every crossing of every edge spanning it,
// std::sort, spans filled with a plain loop) with the same pixel rule.
// The canvas draws with a clear pen, so both do the fill alone. At the end
// the ratios canvas / floor (of CPU time, as the machine may be shared) are
// printed; before that, each workload's pixels are checked to agree.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"
#include "ratio_reporter.h"

namespace {

constexpr int W = 1000, H = 700;
constexpr std::uint32_t Fill = 0x000000FF;  // clBlue as a pixel word (0xAARRGGBB)
const std::int64_t Sizes[] = {1000, 10000, 100000, 1000000};

using TPoints = std::vector<mivo::TPoint>;

TPoints RandomPolygon(std::int64_t n) {
  std::mt19937 rng{std::uint32_t(n)};
  std::uniform_int_distribution<int> x(0, W - 1), y(0, H - 1);
  TPoints p(std::size_t(n), mivo::TPoint{});
  for (mivo::TPoint& q : p) q = {x(rng), y(rng)};
  return p;
}

// n - 2 samples of a random walk with noise on top, then the two corners of
// the bottom row.
TPoints SeriesArea(std::int64_t n) {
  std::mt19937 rng{std::uint32_t(n) + 1};
  std::uniform_int_distribution<int> step(-3, 3), noise(-25, 25);
  TPoints p;
  p.reserve(std::size_t(n));
  const std::int64_t samples = n - 2;
  int walk = H / 2;
  for (std::int64_t i = 0; i < samples; ++i) {
    walk = std::clamp(walk + step(rng), 40, H - 40);
    p.push_back({int(i * (W - 1) / (samples - 1)), std::clamp(walk + noise(rng), 0, H - 1)});
  }
  p.push_back({W - 1, H - 1});
  p.push_back({0, H - 1});
  return p;
}

const TPoints& Workload(bool series, std::int64_t n) {
  static std::map<std::pair<bool, std::int64_t>, TPoints> cache;
  auto it = cache.find({series, n});
  if (it == cache.end()) it = cache.emplace(std::pair{series, n}, series ? SeriesArea(n) : RandomPolygon(n)).first;
  return it->second;
}

// ---- the floor ------------------------------------------------------------------

struct TFloorEdge {
  std::int64_t Top, Bottom;  // rows Top .. Bottom - 1
  std::int64_t Xa, Ya, Dx, Dy;
};

std::int64_t FloorDivide(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return (a % b != 0 && a < 0) ? q - 1 : q;
}

// Pixel (px, py) is inside when an odd number of edges cross row py left of
// px + 1/2: the pixels right of a crossing start at floor((N - dy) / (2 dy)) + 1
// with N = 2 xa dy + dx (2 py + 1 - 2 ya).
void FloorFill(std::uint32_t* buf, const TPoints& pts, std::vector<TFloorEdge>& edges, std::vector<std::size_t>& active,
               std::vector<std::int64_t>& xs) {
  edges.clear();
  const std::size_t n = pts.size();
  for (std::size_t i = 0; i < n; ++i) {
    mivo::TPoint a = pts[i], b = pts[(i + 1) % n];
    if (a.y == b.y) continue;
    if (a.y > b.y) std::swap(a, b);
    const std::int64_t top = std::max(a.y, 0), bottom = std::min(b.y, H);
    if (top < bottom) edges.push_back({top, bottom, a.x, a.y, std::int64_t(b.x) - a.x, std::int64_t(b.y) - a.y});
  }
  std::sort(edges.begin(), edges.end(), [](const TFloorEdge& p, const TFloorEdge& q) { return p.Top < q.Top; });
  active.clear();
  std::size_t next = 0;
  for (std::int64_t y = 0; y < H; ++y) {
    while (next < edges.size() && edges[next].Top == y) active.push_back(next++);
    xs.clear();
    std::size_t keep = 0;
    for (const std::size_t k : active) {
      const TFloorEdge& e = edges[k];
      if (e.Bottom <= y) continue;
      const std::int64_t num = 2 * e.Xa * e.Dy + e.Dx * (2 * y + 1 - 2 * e.Ya) - e.Dy;
      xs.push_back(FloorDivide(num, 2 * e.Dy) + 1);
      active[keep++] = k;
    }
    active.resize(keep);
    std::sort(xs.begin(), xs.end());
    std::uint32_t* row = buf + y * W;
    for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
      const std::int64_t l = std::max<std::int64_t>(xs[i], 0), r = std::min<std::int64_t>(xs[i + 1], W);
      for (std::int64_t x = l; x < r; ++x) row[x] = Fill;
    }
  }
}

void CanvasFill(mivo::TBitmap& bmp, const TPoints& pts) {
  mivo::TCanvas& c = bmp.Canvas();
  c.Pen.Style = mivo::TPenStyle::psClear;
  c.Brush.Color = mivo::clBlue;
  c.Polygon(pts);
}

void BM_Canvas(benchmark::State& state, bool series) {
  mivo::TBitmap bmp(W, H);
  const TPoints& pts = Workload(series, state.range(0));
  for (auto _ : state) {
    CanvasFill(bmp, pts);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Floor(benchmark::State& state, bool series) {
  std::vector<std::uint32_t> buf(std::size_t(W) * H);
  std::vector<TFloorEdge> edges;
  std::vector<std::size_t> active;
  std::vector<std::int64_t> xs;
  const TPoints& pts = Workload(series, state.range(0));
  for (auto _ : state) {
    FloorFill(buf.data(), pts, edges, active, xs);
    benchmark::DoNotOptimize(buf.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void Register() {
  for (const bool series : {false, true}) {
    const std::string what = series ? "Series" : "Random";
    for (const char* who : {"Canvas", "Floor"}) {
      auto* b = benchmark::RegisterBenchmark(("BM_" + what + "_" + who).c_str(), std::string(who) == "Canvas" ? BM_Canvas : BM_Floor,
                                             series);
      for (const std::int64_t n : Sizes) b->Arg(n);
      b->Unit(benchmark::kMillisecond);
    }
  }
}

// The two fills must agree pixel for pixel, or the comparison means nothing.
bool SamePixels(bool series, std::int64_t n) {
  const TPoints& pts = Workload(series, n);
  mivo::TBitmap bmp(W, H);
  bmp.Clear(mivo::clBlack);
  CanvasFill(bmp, pts);
  std::vector<std::uint32_t> buf(std::size_t(W) * H);
  std::vector<TFloorEdge> edges;
  std::vector<std::size_t> active;
  std::vector<std::int64_t> xs;
  FloorFill(buf.data(), pts, edges, active, xs);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      const mivo::TRGB32 p = bmp.ScanLine(y)[x];
      const std::uint32_t word = std::uint32_t(p.R) << 16 | std::uint32_t(p.G) << 8 | p.B;
      if (word != buf[std::size_t(y) * W + std::size_t(x)]) {
        std::printf("%s %lld: canvas and floor differ at (%d, %d)\n", series ? "series" : "random", (long long)n, x, y);
        return false;
      }
    }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  bool agree = true;
  for (const bool series : {false, true})
    for (const std::int64_t n : {Sizes[0], Sizes[1]}) agree = SamePixels(series, n) && agree;
  Register();
  mivo::bench::TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  std::printf("\nratios canvas / floor\n");
  for (const char* what : {"Random", "Series"})
    for (const std::int64_t n : Sizes) {
      const std::string suffix = "/" + std::to_string(n);
      double r = 0;
      if (reporter.Ratio(std::string("BM_") + what + "_Canvas" + suffix, std::string("BM_") + what + "_Floor" + suffix, r))
        std::printf("%s %8lld  %6.2f\n", what, (long long)n, r);
    }
  return agree ? 0 : 1;
}
