// Painting a 1000 x 700 chart with large display lists, each beside its floor
// measured in the same run: the floor walks the same records, maps them with
// the chart's own slopes in plain double arithmetic and draws them on a
// bitmap canvas with the plain primitives (line-to chains as polylines of 200
// points), then copies the data bitmap twice as Paint does (into the chart
// bitmap and onto the screen).
//   BM_PaintDrawTo     1,000,000 DrawTo items  / BM_FloorDrawTo
//   BM_PaintMarks        100,000 marks         / BM_FloorMarks
//   BM_PaintTexts         10,000 text items    / BM_FloorTexts
//   BM_ShowGrafNewOnly  one new DrawTo on the 1,000,000-item chart / BM_FloorNewOnly
// Goals: each Paint within 1.5 times its floor; ShowGrafNewOnly under 1 ms.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

#include "mivo/base/marks.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/rchart/rchart.h"
#include "ratio_reporter.h"

namespace {

using mivo::TCustomRChart;
using mivo::TPoint;
using mivo::TrcChartItem;
using mivo::TrcItem;

constexpr std::int32_t kWidth = 1000, kHeight = 700;
constexpr std::int32_t kLines = 1000000, kMarks = 100000, kTexts = 10000;

std::unique_ptr<TCustomRChart> NewChart() {
  auto c = std::make_unique<TCustomRChart>();
  c->SetBounds(0, 0, kWidth, kHeight);
  c->SetSuppressPaint(false);
  return c;
}

// A random walk of DrawTo items over the whole x range.
std::unique_ptr<TCustomRChart> LineChart() {
  auto c = NewChart();
  std::mt19937_64 rng(11);
  std::normal_distribution<double> step;
  double y = 0;
  c->MoveTo(0, 0);
  for (std::int32_t i = 1; i < kLines; ++i) {
    y += step(rng);
    c->DrawTo(i, y);
  }
  c->AutoRange(1, 5);
  return c;
}

std::unique_ptr<TCustomRChart> MarkChart() {
  auto c = NewChart();
  std::mt19937_64 rng(12);
  std::uniform_real_distribution<double> u(0, 100);
  for (std::int32_t i = 0; i < kMarks; ++i) c->MarkAt(u(rng), u(rng), std::uint8_t(1 + i % 8));
  c->SetRange(1, 0, 0, 100, 100);
  return c;
}

std::unique_ptr<TCustomRChart> TextChart() {
  auto c = NewChart();
  std::mt19937_64 rng(13);
  std::uniform_real_distribution<double> u(0, 100);
  for (std::int32_t i = 0; i < kTexts; ++i) c->Text(u(rng), u(rng), 8, "T" + std::to_string(i));
  c->SetRange(1, 0, 0, 100, 100);
  return c;
}

TCustomRChart& Lines() {
  static const std::unique_ptr<TCustomRChart> c = LineChart();
  return *c;
}
TCustomRChart& Marks() {
  static const std::unique_ptr<TCustomRChart> c = MarkChart();
  return *c;
}
TCustomRChart& Texts() {
  static const std::unique_ptr<TCustomRChart> c = TextChart();
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
  TPoint operator()(double x, double y) const { return {Pix(kx * x + dx) + shiftX, Pix(ky * y + dy) + shiftY}; }
};

// The records of a chart, copied out once, so that the floors walk them in
// place as the renderer does.
std::vector<TrcChartItem> Records(const TCustomRChart& c) {
  std::vector<TrcChartItem> out(std::size_t(c.NumItems()));
  for (std::int32_t i = 0; i < c.NumItems(); ++i) out[std::size_t(i)] = c.GetChartItem(i);
  return out;
}

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

void PaintLoop(benchmark::State& state, TCustomRChart& c, std::int64_t items) {
  c.Paint();  // warm caches (fonts, scales)
  for (auto _ : state) c.Paint();
  state.SetItemsProcessed(state.iterations() * items);
}

void BM_PaintDrawTo(benchmark::State& state) { PaintLoop(state, Lines(), kLines); }
BENCHMARK(BM_PaintDrawTo)->Unit(benchmark::kMillisecond);

// One floor: the data bitmap cleared, `draw`(canvas, records, mapping), the
// two copies.
template <typename Draw>
void FloorLoop(benchmark::State& state, TCustomRChart& c, std::int64_t count, Draw draw) {
  c.Paint();
  const TFloorMap map(c);
  TFloorBitmaps b(c);
  const std::vector<TrcChartItem> items = Records(c);
  for (auto _ : state) {
    b.Clear();
    draw(b.data.Canvas(), items, map);
    b.Finish(c);
    benchmark::DoNotOptimize(b.screen.ScanLine(0));
  }
  state.SetItemsProcessed(state.iterations() * count);
}

using TRecords = std::vector<TrcChartItem>;

void BM_FloorDrawTo(benchmark::State& state) {
  std::array<TPoint, 200> poly{};
  FloorLoop(state, Lines(), kLines, [&poly](mivo::TCanvas& cv, const TRecords& items, const TFloorMap& map) {
    cv.Pen.Color = 0;
    std::size_t n = 0;
    TPoint cur{0, 0};
    for (const TrcChartItem& it : items) {
      const TPoint p = map(it.x, it.y);
      if (it.ItemKind != TrcItem::tkLineto) {
        if (n > 1) cv.Polyline(std::span<const TPoint>(poly.data(), n));
        n = 0;
        cur = p;
        continue;
      }
      if (n == 0) poly[n++] = cur;
      poly[n++] = p;
      if (n == poly.size()) {
        cv.Polyline(std::span<const TPoint>(poly.data(), n));
        cur = poly[n - 1];
        n = 0;
      }
    }
    if (n > 1) cv.Polyline(std::span<const TPoint>(poly.data(), n));
  });
}
BENCHMARK(BM_FloorDrawTo)->Unit(benchmark::kMillisecond);

void BM_PaintMarks(benchmark::State& state) { PaintLoop(state, Marks(), kMarks); }
BENCHMARK(BM_PaintMarks)->Unit(benchmark::kMillisecond);

void BM_FloorMarks(benchmark::State& state) {
  FloorLoop(state, Marks(), kMarks, [](mivo::TCanvas& cv, const TRecords& items, const TFloorMap& map) {
    cv.Pen.Color = 0;
    for (const TrcChartItem& it : items) {
      if (it.x < 0 || it.x > 100 || it.y < 0 || it.y > 100) continue;
      const TPoint p = map(it.x, it.y);
      mivo::DrawMarkOnCanvas(cv, it.MarkOrAlign, p.x, p.y);
    }
  });
}
BENCHMARK(BM_FloorMarks)->Unit(benchmark::kMillisecond);

void BM_PaintTexts(benchmark::State& state) { PaintLoop(state, Texts(), kTexts); }
BENCHMARK(BM_PaintTexts)->Unit(benchmark::kMillisecond);

void BM_FloorTexts(benchmark::State& state) {
  const mivo::TFont font = Texts().Font();
  FloorLoop(state, Texts(), kTexts, [&font](mivo::TCanvas& cv, const TRecords& items, const TFloorMap& map) {
    cv.Font = font;
    cv.Font.Size = 8;
    cv.Brush.Style = mivo::TBrushStyle::bsClear;
    for (const TrcChartItem& it : items) {
      const std::string s = it.Text.Bytes();
      const TPoint p = map(it.x, it.y);
      const mivo::TSize e = cv.TextExtent(s);
      cv.TextOut(p.x - e.cx / 2, p.y - e.cy / 2, s);
    }
  });
}
BENCHMARK(BM_FloorTexts)->Unit(benchmark::kMillisecond);

void BM_ShowGrafNewOnly(benchmark::State& state) {
  TCustomRChart& c = Lines();
  c.Paint();
  c.ShowGraf();
  double x = kLines;
  for (auto _ : state) {
    c.DrawTo(x, 0);
    x += 1;
    c.ShowGrafNewOnly();
  }
}
BENCHMARK(BM_ShowGrafNewOnly)->Unit(benchmark::kMicrosecond);

// One segment mapped and drawn, and the data area copied to the screen.
void BM_FloorNewOnly(benchmark::State& state) {
  TCustomRChart& c = Lines();
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
  std::printf("\nratios paint / floor (goal: at most 1.5)\n");
  const char* pairs[][2] = {{"BM_PaintDrawTo", "BM_FloorDrawTo"},
                            {"BM_PaintMarks", "BM_FloorMarks"},
                            {"BM_PaintTexts", "BM_FloorTexts"},
                            {"BM_ShowGrafNewOnly", "BM_FloorNewOnly"}};
  for (const auto& p : pairs) {
    double r = 0;
    if (reporter.Ratio(p[0], p[1], r)) std::printf("  %-20s %.2f\n", p[0], r);
  }
  const auto it = reporter.Times.find("BM_ShowGrafNewOnly");
  if (it != reporter.Times.end())
    std::printf("ShowGrafNewOnly: %.1f us (goal: under 1000 us)\n", it->second);
  return 0;
}
