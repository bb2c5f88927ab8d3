// Painting a 1000 x 700 chart with large display lists, each beside its floor
// measured in the same run. A floor holds the same points in plain
// std::vector<double> x and y arrays, maps them with the chart's slopes in
// double arithmetic and draws them on a bitmap canvas: line-to chains through
// the same pixel-column reduction the chart applies (each column's y extremes
// kept in world values, polylines of 200 points), marks and texts with the plain primitives; then it copies the data
// bitmap twice as Paint does (into the chart bitmap and onto the screen).
//   BM_PaintLine        1,000,000-point line               / BM_FloorLine
//   BM_PaintMarks         100,000 7 x 7 squares            / BM_FloorMarks
//   BM_PaintMixed       the line, the squares, 10,000 labels / BM_FloorMixed
//   BM_AppendRepaint    one DrawTo more, then a full Paint  / BM_FloorAppend
//   BM_PaintZoom        1% of a sorted 10,000,000-point signal / BM_FloorZoom
//   BM_ShowGrafNewOnly  one new DrawTo on the line chart    / BM_FloorNewOnly
//   BM_PaintEmpty       the zoomed chart without items (the fixed cost of Paint)
// Goals: each Paint within 1.3 times its floor; the zoomed view under 1 ms;
// at most 24 bytes per item (printed for the 10,000,000-point signal).
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "mivo/base/marks.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/rchart/rchart.h"
#include "mivo/rchart/rchart_items_painter_internal.h"
#include "ratio_reporter.h"

namespace {

using mivo::TCustomRChart;
using mivo::TPoint;

constexpr std::int32_t kWidth = 1000, kHeight = 700;
constexpr std::int32_t kLines = 1000000, kMarks = 100000, kTexts = 10000, kSignal = 10000000;
constexpr std::uint8_t kSquare = 9;  // filled square, 7 x 7 with its outline

// The points of a workload as plain arrays.
struct TPoints {
  std::vector<double> x, y;
};

TPoints Walk(std::int32_t n, std::uint64_t seed) {
  TPoints p;
  p.x.reserve(std::size_t(n));
  p.y.reserve(std::size_t(n));
  std::mt19937_64 rng(seed);
  std::normal_distribution<double> step;
  double y = 0;
  for (std::int32_t i = 0; i < n; ++i) {
    p.x.push_back(i);
    p.y.push_back(y);
    y += step(rng);
  }
  return p;
}

TPoints Scatter(std::int32_t n, std::uint64_t seed, double lo, double hi) {
  TPoints p;
  std::mt19937_64 rng(seed);
  std::uniform_real_distribution<double> u(lo, hi);
  for (std::int32_t i = 0; i < n; ++i) {
    p.x.push_back(u(rng));
    p.y.push_back(u(rng));
  }
  return p;
}

const TPoints& LinePoints() {
  static const TPoints p = Walk(kLines, 11);
  return p;
}
const TPoints& MarkPoints() {
  static const TPoints p = Scatter(kMarks, 12, 0, kLines);
  return p;
}
const TPoints& TextPoints() {
  static const TPoints p = Scatter(kTexts, 13, 0, kLines);
  return p;
}
const std::vector<std::string>& TextStrings() {
  static const std::vector<std::string> s = [] {
    std::vector<std::string> out;
    for (std::int32_t i = 0; i < kTexts; ++i) out.push_back("T" + std::to_string(i));
    return out;
  }();
  return s;
}

std::unique_ptr<TCustomRChart> NewChart() {
  auto c = std::make_unique<TCustomRChart>();
  c->SetBounds(0, 0, kWidth, kHeight);
  c->SetSuppressPaint(false);
  return c;
}

void AddLine(TCustomRChart& c, const TPoints& p) {
  c.MoveTo(p.x[0], p.y[0]);
  for (std::size_t i = 1; i < p.x.size(); ++i) c.DrawTo(p.x[i], p.y[i]);
}

void AddMarks(TCustomRChart& c, const TPoints& p) {
  for (std::size_t i = 0; i < p.x.size(); ++i) c.MarkAt(p.x[i], p.y[i], kSquare);
}

void AddTexts(TCustomRChart& c, const TPoints& p) {
  for (std::size_t i = 0; i < p.x.size(); ++i) c.Text(p.x[i], p.y[i], 8, TextStrings()[i]);
}

// The y range of the walk, so that the squares and labels land among the line.
void RangeOverLine(TCustomRChart& c) {
  const auto [lo, hi] = std::minmax_element(LinePoints().y.begin(), LinePoints().y.end());
  c.SetRange(1, 0, *lo, kLines, *hi);
}

TCustomRChart& LineChart() {
  static const std::unique_ptr<TCustomRChart> c = [] {
    auto ch = NewChart();
    AddLine(*ch, LinePoints());
    RangeOverLine(*ch);
    return ch;
  }();
  return *c;
}

TCustomRChart& MarkChart() {
  static const std::unique_ptr<TCustomRChart> c = [] {
    auto ch = NewChart();
    AddMarks(*ch, MarkPoints());
    ch->SetRange(1, 0, 0, kLines, kLines);
    return ch;
  }();
  return *c;
}

// The squares and labels are spread over the line's y range.
TPoints OverLine(const TPoints& p) {
  const auto [lo, hi] = std::minmax_element(LinePoints().y.begin(), LinePoints().y.end());
  TPoints q = p;
  for (double& y : q.y) y = *lo + (*hi - *lo) * y / kLines;
  return q;
}

TCustomRChart& MixedChart() {
  static const std::unique_ptr<TCustomRChart> c = [] {
    auto ch = NewChart();
    AddLine(*ch, LinePoints());
    AddMarks(*ch, OverLine(MarkPoints()));
    AddTexts(*ch, OverLine(TextPoints()));
    RangeOverLine(*ch);
    return ch;
  }();
  return *c;
}

// Resident memory of the process in bytes, after the allocator has handed
// back what it no longer uses.
std::int64_t ResidentBytes() {
  ::malloc_trim(0);
  std::ifstream f("/proc/self/statm");
  std::int64_t pages = 0, resident = 0;
  f >> pages >> resident;
  return resident * ::sysconf(_SC_PAGESIZE);
}

double gBytesPerItem = 0;

// A sorted signal of 10,000,000 points, zoomed to 1% of its x range.
TCustomRChart& SignalChart() {
  static const std::unique_ptr<TCustomRChart> c = [] {
    auto ch = NewChart();
    const std::int64_t before = ResidentBytes();
    std::mt19937_64 rng(21);
    std::normal_distribution<double> step;
    double y = 0;
    ch->MoveTo(0, 0);
    for (std::int32_t i = 1; i < kSignal; ++i) {
      y += step(rng);
      ch->DrawTo(i, y);
    }
    gBytesPerItem = double(ResidentBytes() - before) / kSignal;
    ch->SetRange(1, 4500000, -3000, 4600000, 3000);
    return ch;
  }();
  return *c;
}

// The mapping of layer 1 in doubles, rounded half to even and limited as the
// renderer limits item pixels.
struct TFloorMap {
  double kx, dx, ky, dy;
  std::int32_t shiftX, shiftY;
  explicit TFloorMap(const TCustomRChart& c)
      : kx(double(c.Cpkx(1))), dx(double(c.Cpdx(1))), ky(double(c.Cpky(1))), dy(double(c.Cpdy(1))),
        shiftX(-c.MarginLeft()), shiftY(-c.MarginTop()) {}
  static std::int32_t Pix(double p) { return std::int32_t(std::nearbyint(std::clamp(p, -30000.0, 30000.0))); }
  std::int32_t X(double x) const { return Pix(kx * x + dx) + shiftX; }
  std::int32_t Y(double y) const { return Pix(ky * y + dy) + shiftY; }
  TPoint operator()(double x, double y) const { return {X(x), Y(y)}; }
};

// The bitmaps of the floor: the data area, the chart and the screen.
struct TFloorBitmaps {
  mivo::TBitmap data, chart, screen;
  explicit TFloorBitmaps(const TCustomRChart& c)
      : data(c.DataAreaWidth(), c.DataAreaHeight()), chart(kWidth, kHeight), screen(kWidth, kHeight) {}
  void Clear() {
    mivo::TCanvas& cv = data.Canvas();
    cv.Brush.Color = 0xFFFFFF;
    cv.Brush.Style = mivo::TBrushStyle::bsSolid;
    cv.FillRect(mivo::Rect(0, 0, data.Width(), data.Height()));
  }
  void Finish(const TCustomRChart& c) {
    chart.Canvas().Draw(c.MarginLeft(), c.MarginTop(), data);
    screen.Canvas().Draw(0, 0, chart);
  }
};

// Points first ... last - 1 as one chain, through the chart's column reduction:
// x mapped per point, and per pixel column the first point, the extremes of y
// and the last handed to the painter, y mapped once per column.
void FloorChain(mivo::TCanvas& cv, const TPoints& p, std::size_t first, std::size_t last, const TFloorMap& map) {
  if (first >= last) return;
  cv.Pen.Color = 0;
  mivo::detail::TItemPainter painter(cv, map(p.x[first], p.y[first]), true);
  painter.Init(1, 0);
  std::size_t c0 = first + 1;
  std::int32_t cx = 0;
  double lo = 0, hi = 0;
  const auto hand = [&](std::size_t end) {
    if (c0 >= end) return;
    const std::int32_t a = map.Y(lo), b = map.Y(hi), y1 = map.Y(p.y[end - 1]);
    const std::int32_t yLo = std::min(a, b), yHi = std::max(a, b);
    painter.Append({cx, map.Y(p.y[c0])});
    painter.Append({cx, y1 == yHi ? yHi : yLo});
    painter.Append({cx, y1 == yHi ? yLo : yHi});
    painter.Append({cx, y1});
  };
  for (std::size_t i = first + 1; i < last; ++i) {
    const double y = p.y[i];
    const std::int32_t x = map.X(p.x[i]);
    if (i > c0 && x == cx) {
      lo = std::min(lo, y);
      hi = std::max(hi, y);
      continue;
    }
    hand(i);
    c0 = i;
    cx = x;
    lo = hi = y;
  }
  hand(last);
  painter.Flush();
}

void FloorLine(mivo::TCanvas& cv, const TPoints& p, const TFloorMap& map) { FloorChain(cv, p, 0, p.x.size(), map); }

void FloorMarks(mivo::TCanvas& cv, const TPoints& p, const TFloorMap& map, double xhi, double yhi) {
  cv.Pen.Color = 0;
  cv.Brush.Color = 0;
  for (std::size_t i = 0; i < p.x.size(); ++i) {
    if (p.x[i] < 0 || p.x[i] > xhi || !(p.y[i] <= yhi)) continue;
    const TPoint q = map(p.x[i], p.y[i]);
    mivo::DrawMarkOnCanvas(cv, kSquare, q.x, q.y);
  }
}

void FloorTexts(mivo::TCanvas& cv, const TPoints& p, const TFloorMap& map, const mivo::TFont& font) {
  cv.Font = font;
  cv.Font.Size = 8;
  cv.Brush.Style = mivo::TBrushStyle::bsClear;
  for (std::size_t i = 0; i < p.x.size(); ++i) {
    const std::string& s = TextStrings()[i];
    const TPoint q = map(p.x[i], p.y[i]);
    const mivo::TSize e = cv.TextExtent(s);
    cv.TextOut(q.x - e.cx / 2, q.y - e.cy / 2, s);
  }
}

void PaintLoop(benchmark::State& state, TCustomRChart& c, std::int64_t items) {
  c.Paint();  // warm caches (fonts, scales)
  for (auto _ : state) c.Paint();
  state.SetItemsProcessed(state.iterations() * items);
}

// One floor: the data bitmap cleared, `draw`(canvas, mapping), the two copies.
template <typename Draw>
void FloorLoop(benchmark::State& state, TCustomRChart& c, std::int64_t items, Draw draw) {
  c.Paint();
  const TFloorMap map(c);
  TFloorBitmaps b(c);
  for (auto _ : state) {
    b.Clear();
    draw(b.data.Canvas(), map);
    b.Finish(c);
    benchmark::DoNotOptimize(b.screen.ScanLine(0));
  }
  state.SetItemsProcessed(state.iterations() * items);
}

void BM_PaintLine(benchmark::State& state) { PaintLoop(state, LineChart(), kLines); }
BENCHMARK(BM_PaintLine)->Unit(benchmark::kMillisecond);

void BM_FloorLine(benchmark::State& state) {
  FloorLoop(state, LineChart(), kLines,
            [](mivo::TCanvas& cv, const TFloorMap& map) { FloorLine(cv, LinePoints(), map); });
}
BENCHMARK(BM_FloorLine)->Unit(benchmark::kMillisecond);

void BM_PaintMarks(benchmark::State& state) { PaintLoop(state, MarkChart(), kMarks); }
BENCHMARK(BM_PaintMarks)->Unit(benchmark::kMillisecond);

void BM_FloorMarks(benchmark::State& state) {
  FloorLoop(state, MarkChart(), kMarks,
            [](mivo::TCanvas& cv, const TFloorMap& map) { FloorMarks(cv, MarkPoints(), map, kLines, kLines); });
}
BENCHMARK(BM_FloorMarks)->Unit(benchmark::kMillisecond);

void BM_PaintMixed(benchmark::State& state) { PaintLoop(state, MixedChart(), kLines + kMarks + kTexts); }
BENCHMARK(BM_PaintMixed)->Unit(benchmark::kMillisecond);

void BM_FloorMixed(benchmark::State& state) {
  const TPoints marks = OverLine(MarkPoints()), texts = OverLine(TextPoints());
  const mivo::TFont font = MixedChart().Font();
  FloorLoop(state, MixedChart(), kLines + kMarks + kTexts, [&](mivo::TCanvas& cv, const TFloorMap& map) {
    FloorLine(cv, LinePoints(), map);
    FloorMarks(cv, marks, map, kLines, HUGE_VAL);
    FloorTexts(cv, texts, map, font);
  });
}
BENCHMARK(BM_FloorMixed)->Unit(benchmark::kMillisecond);

void BM_AppendRepaint(benchmark::State& state) {
  TCustomRChart& c = LineChart();
  c.Paint();
  const std::int32_t n = c.NumItems();
  for (auto _ : state) {
    c.DrawTo(kLines / 2, 0);
    c.Paint();
    state.PauseTiming();
    c.RemoveLastItem();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_AppendRepaint)->Unit(benchmark::kMillisecond);

void BM_FloorAppend(benchmark::State& state) {
  TPoints p = LinePoints();
  FloorLoop(state, LineChart(), kLines, [&p](mivo::TCanvas& cv, const TFloorMap& map) {
    p.x.push_back(kLines / 2);
    p.y.push_back(0);
    FloorLine(cv, p, map);
    p.x.pop_back();
    p.y.pop_back();
  });
}
BENCHMARK(BM_FloorAppend)->Unit(benchmark::kMillisecond);

void BM_PaintZoom(benchmark::State& state) { PaintLoop(state, SignalChart(), kSignal / 100); }
BENCHMARK(BM_PaintZoom)->Unit(benchmark::kMicrosecond);

// What every Paint costs before the first item: frame, scales and copies, on
// the zoomed signal chart's ranges.
void BM_PaintEmpty(benchmark::State& state) {
  auto c = NewChart();
  c->SetRange(1, 4500000, -3000, 4600000, 3000);
  PaintLoop(state, *c, 0);
}
BENCHMARK(BM_PaintEmpty)->Unit(benchmark::kMicrosecond);

// The visible part found by binary search in the sorted x, with one point
// beyond each side.
void BM_FloorZoom(benchmark::State& state) {
  TCustomRChart& c = SignalChart();
  static const TPoints p = Walk(kSignal, 21);  // the chart's points
  const double lo = c.ScalePropsX(1).RangeLow(), hi = c.ScalePropsX(1).RangeHigh();
  FloorLoop(state, c, kSignal / 100, [&](mivo::TCanvas& cv, const TFloorMap& map) {
    const auto a = std::lower_bound(p.x.begin(), p.x.end(), lo) - p.x.begin();
    const auto b = std::upper_bound(p.x.begin(), p.x.end(), hi) - p.x.begin();
    FloorChain(cv, p, std::size_t(std::max<std::ptrdiff_t>(a - 1, 0)),
               std::size_t(std::min<std::ptrdiff_t>(b + 1, std::ptrdiff_t(p.x.size()))), map);
  });
}
BENCHMARK(BM_FloorZoom)->Unit(benchmark::kMicrosecond);

void BM_ShowGrafNewOnly(benchmark::State& state) {
  TCustomRChart& c = LineChart();
  c.Paint();
  c.ShowGraf();
  double x = kLines;
  for (auto _ : state) {
    c.DrawTo(x, 0);
    x += 1;
    c.ShowGrafNewOnly();
  }
  // Back to the line the other benchmarks draw.
  while (c.NumItems() > kLines) c.RemoveLastItem();
}
BENCHMARK(BM_ShowGrafNewOnly)->Unit(benchmark::kMicrosecond);

// One segment mapped and drawn, and the data area copied to the screen.
void BM_FloorNewOnly(benchmark::State& state) {
  TCustomRChart& c = LineChart();
  c.Paint();
  const TFloorMap map(c);
  TFloorBitmaps b(c);
  double x = kLines;
  for (auto _ : state) {
    mivo::TCanvas& cv = b.data.Canvas();
    const TPoint p = map(x - 1, 0), q = map(x, 0);
    x += 1;
    cv.MoveTo(p.x, p.y);
    cv.LineTo(q.x, q.y);
    b.screen.Canvas().Draw(c.MarginLeft(), c.MarginTop(), b.data);
    benchmark::DoNotOptimize(b.screen.ScanLine(0));
  }
}
BENCHMARK(BM_FloorNewOnly)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  mivo::bench::TRatioReporter reporter;
  if (!mivo::bench::RunBenchmarks(argc, argv, reporter)) return 1;
  std::printf("\nratios paint / floor (goal: at most 1.3)\n");
  const char* pairs[][2] = {{"BM_PaintLine", "BM_FloorLine"},         {"BM_PaintMarks", "BM_FloorMarks"},
                            {"BM_PaintMixed", "BM_FloorMixed"},       {"BM_AppendRepaint", "BM_FloorAppend"},
                            {"BM_PaintZoom", "BM_FloorZoom"},         {"BM_ShowGrafNewOnly", "BM_FloorNewOnly"}};
  for (const auto& p : pairs) {
    double r = 0;
    if (reporter.Ratio(p[0], p[1], r)) std::printf("  %-20s %.2f\n", p[0], r);
  }
  const auto zoom = reporter.Times.find("BM_PaintZoom");
  if (zoom != reporter.Times.end())
    std::printf("1%% zoom of a sorted 10,000,000-point signal: %.0f us (goal: under 1000 us)\n", zoom->second);
  const auto empty = reporter.Times.find("BM_PaintEmpty");
  if (empty != reporter.Times.end()) std::printf("Paint without items: %.0f us\n", empty->second);
  const auto newOnly = reporter.Times.find("BM_ShowGrafNewOnly");
  if (newOnly != reporter.Times.end())
    std::printf("ShowGrafNewOnly: %.1f us (goal: under 1000 us)\n", newOnly->second);
  if (gBytesPerItem > 0)
    std::printf("memory: %.1f bytes per item for %d DrawTo items (goal: at most 24)\n", gBytesPerItem, kSignal);
  return 0;
}
