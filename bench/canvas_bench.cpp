// The raster canvas on its two hot paths, each beside two yardsticks:
//   - the floor: a plain loop doing the same work with no canvas (Bresenham
//     into a raw row buffer, plain row fills of run-time lengths, as the
//     canvas gets its boxes at run time) — what the canvas cannot beat;
//   - cairo with antialiasing off on an image surface of the same size.
// Work: on a 1000 x 700 surface, one polyline of 1,000,000 random-walk points,
// and 100,000 rectangles of 5 x 5 pixels with pen outline and brush interior;
// and clearing the surface beside memset / std::fill of the same bytes.
// At the end the ratios canvas / floor and cairo / canvas (of CPU time, as
// the machine may be shared) are printed.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"
#include "ratio_reporter.h"

#ifdef MIVO_HAVE_CAIRO
#include <cairo.h>
#endif

namespace {

constexpr int W = 1000, H = 700;
constexpr int NumPoints = 1000000, NumRects = 100000;

const std::vector<mivo::TPoint>& WalkPoints() {
  static const std::vector<mivo::TPoint> pts = [] {
    std::vector<mivo::TPoint> p;
    p.reserve(NumPoints);
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> step(-8, 8);
    int x = W / 2, y = H / 2;
    for (int i = 0; i < NumPoints; ++i) {
      x += step(rng);
      y += step(rng);
      if (x < 0) x = -x;
      if (y < 0) y = -y;
      if (x >= W) x = 2 * (W - 1) - x;
      if (y >= H) y = 2 * (H - 1) - y;
      p.push_back({x, y});
    }
    return p;
  }();
  return pts;
}

const std::vector<mivo::TPoint>& RectCorners() {
  static const std::vector<mivo::TPoint> pts = [] {
    std::vector<mivo::TPoint> p;
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> x(0, W - 5), y(0, H - 5);
    for (int i = 0; i < NumRects; ++i) p.push_back({x(rng), y(rng)});
    return p;
  }();
  return pts;
}

// The rectangle side, opaque to the optimiser like the canvas's arguments.
__attribute__((noinline)) int Side() { return 5; }

// ---- polyline -----------------------------------------------------------------

void BM_Polyline_Canvas(benchmark::State& state) {
  mivo::TBitmap bmp(W, H);
  mivo::TCanvas& c = bmp.Canvas();
  c.Pen.Color = mivo::clNavy;
  const auto& pts = WalkPoints();
  for (auto _ : state) {
    c.Polyline(pts);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * NumPoints);
}
BENCHMARK(BM_Polyline_Canvas)->Unit(benchmark::kMillisecond);

void BM_Polyline_Floor(benchmark::State& state) {
  std::vector<std::uint32_t> buf(std::size_t(W) * H);
  const auto& pts = WalkPoints();
  const std::uint32_t colour = 0x00000080;
  for (auto _ : state) {
    for (std::size_t k = 0; k + 1 < pts.size(); ++k) {
      int x = pts[k].x, y = pts[k].y;
      const int dx = std::abs(pts[k + 1].x - x), dy = std::abs(pts[k + 1].y - y);
      const int sx = pts[k + 1].x > x ? 1 : -1, sy = pts[k + 1].y > y ? 1 : -1;
      if (dx >= dy) {
        int err = dx;
        for (int i = 0; i < dx; ++i) {
          buf[std::size_t(y) * W + std::size_t(x)] = colour;
          x += sx;
          err += 2 * dy;
          if (err >= 2 * dx) {
            err -= 2 * dx;
            y += sy;
          }
        }
      } else {
        int err = dy;
        for (int i = 0; i < dy; ++i) {
          buf[std::size_t(y) * W + std::size_t(x)] = colour;
          y += sy;
          err += 2 * dx;
          if (err >= 2 * dy) {
            err -= 2 * dy;
            x += sx;
          }
        }
      }
    }
    benchmark::DoNotOptimize(buf.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * NumPoints);
}
BENCHMARK(BM_Polyline_Floor)->Unit(benchmark::kMillisecond);

#ifdef MIVO_HAVE_CAIRO
void BM_Polyline_Cairo(benchmark::State& state) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, W, H);
  cairo_t* cr = cairo_create(s);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_set_line_width(cr, 1.0);
  cairo_set_source_rgb(cr, 0, 0, 0.5);
  const auto& pts = WalkPoints();
  for (auto _ : state) {
    cairo_move_to(cr, pts[0].x + 0.5, pts[0].y + 0.5);
    for (std::size_t k = 1; k < pts.size(); ++k) cairo_line_to(cr, pts[k].x + 0.5, pts[k].y + 0.5);
    cairo_stroke(cr);
    cairo_surface_flush(s);
  }
  state.SetItemsProcessed(state.iterations() * NumPoints);
  cairo_destroy(cr);
  cairo_surface_destroy(s);
}
BENCHMARK(BM_Polyline_Cairo)->Unit(benchmark::kMillisecond);
#endif

// ---- rectangles -----------------------------------------------------------------

void BM_Rects_Canvas(benchmark::State& state) {
  mivo::TBitmap bmp(W, H);
  mivo::TCanvas& c = bmp.Canvas();
  c.Pen.Color = mivo::clBlack;
  c.Brush.Color = mivo::clYellow;
  const auto& pts = RectCorners();
  for (auto _ : state) {
    for (const mivo::TPoint& p : pts) c.Rectangle(p.x, p.y, p.x + Side(), p.y + Side());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * NumRects);
}
BENCHMARK(BM_Rects_Canvas)->Unit(benchmark::kMillisecond);

void BM_Rects_Floor(benchmark::State& state) {
  std::vector<std::uint32_t> buf(std::size_t(W) * H);
  const std::uint32_t pen = 0, brush = 0x00FFFF00;
  const auto& pts = RectCorners();
  for (auto _ : state) {
    for (const mivo::TPoint& p : pts) {
      // The box as the canvas gets it: corners known only at run time.
      const int l = p.x, t = p.y, r = p.x + Side(), b = p.y + Side();
      std::uint32_t* row = buf.data() + std::size_t(t) * W;
      std::fill_n(row + l, r - l, pen);
      for (int y = t + 1; y < b - 1; ++y) {
        row += W;
        row[l] = pen;
        std::fill_n(row + l + 1, r - l - 2, brush);
        row[r - 1] = pen;
      }
      std::fill_n(row + W + l, r - l, pen);
    }
    benchmark::DoNotOptimize(buf.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * NumRects);
}
BENCHMARK(BM_Rects_Floor)->Unit(benchmark::kMillisecond);

#ifdef MIVO_HAVE_CAIRO
void BM_Rects_Cairo(benchmark::State& state) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, W, H);
  cairo_t* cr = cairo_create(s);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_set_line_width(cr, 1.0);
  const auto& pts = RectCorners();
  for (auto _ : state) {
    for (const mivo::TPoint& p : pts) {
      // Pixel centres of the outline: the same 5 x 5 pixels as the canvas.
      cairo_rectangle(cr, p.x + 0.5, p.y + 0.5, 4, 4);
      cairo_set_source_rgb(cr, 0, 1, 1);
      cairo_fill_preserve(cr);
      cairo_set_source_rgb(cr, 0, 0, 0);
      cairo_stroke(cr);
    }
    cairo_surface_flush(s);
  }
  state.SetItemsProcessed(state.iterations() * NumRects);
  cairo_destroy(cr);
  cairo_surface_destroy(s);
}
BENCHMARK(BM_Rects_Cairo)->Unit(benchmark::kMillisecond);
#endif

// ---- clearing and full-surface fills ------------------------------------------
// Every chart paint starts with one, so they must run at memory speed: beside
// memset and std::fill of 32-bit words over a buffer of the same size. A colour
// with three different bytes cannot take the memset path.

constexpr mivo::TColor kOddColor = 0x336699;  // bytes 0x99, 0x66, 0x33

void BM_Clear_Bitmap(benchmark::State& state) {
  mivo::TBitmap bmp(W, H);
  for (auto _ : state) {
    bmp.Clear(kOddColor);
    benchmark::DoNotOptimize(bmp.Data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Clear_Bitmap)->Unit(benchmark::kMicrosecond);

void BM_Clear_FillRect(benchmark::State& state) {
  mivo::TBitmap bmp(W, H);
  mivo::TCanvas& c = bmp.Canvas();
  c.Brush.Color = kOddColor;
  for (auto _ : state) {
    c.FillRect({0, 0, W, H});
    benchmark::DoNotOptimize(bmp.Data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Clear_FillRect)->Unit(benchmark::kMicrosecond);

void BM_Clear_Memset(benchmark::State& state) {
  std::vector<std::uint32_t> buf(std::size_t(W) * H);
  for (auto _ : state) {
    std::memset(buf.data(), 0x66, buf.size() * 4);
    benchmark::DoNotOptimize(buf.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Clear_Memset)->Unit(benchmark::kMicrosecond);

void BM_Clear_FillWords(benchmark::State& state) {
  std::vector<std::uint32_t> buf(std::size_t(W) * H);
  for (auto _ : state) {
    std::fill(buf.begin(), buf.end(), 0x00336699u);
    benchmark::DoNotOptimize(buf.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Clear_FillWords)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  mivo::bench::TRatioReporter reporter;
  if (!mivo::bench::RunBenchmarks(argc, argv, reporter)) return 1;
  auto ratio = [&](const char* what, const std::string& a, const std::string& b) {
    double r = 0;
    if (reporter.Ratio(a, b, r)) std::printf("%-34s %6.2f\n", what, r);
  };
  std::printf("\nratios\n");
  ratio("polyline: canvas / floor", "BM_Polyline_Canvas", "BM_Polyline_Floor");
  ratio("polyline: cairo / canvas", "BM_Polyline_Cairo", "BM_Polyline_Canvas");
  ratio("rectangles: canvas / floor", "BM_Rects_Canvas", "BM_Rects_Floor");
  ratio("rectangles: cairo / canvas", "BM_Rects_Cairo", "BM_Rects_Canvas");
  ratio("clear: bitmap / memset", "BM_Clear_Bitmap", "BM_Clear_Memset");
  ratio("clear: bitmap / fill words", "BM_Clear_Bitmap", "BM_Clear_FillWords");
  ratio("full FillRect / memset", "BM_Clear_FillRect", "BM_Clear_Memset");
  return 0;
}
