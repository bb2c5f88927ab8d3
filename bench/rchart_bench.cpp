// 2D chart display-list benchmarks, 1,000,000 items each. Read them as ratios
// against the yardsticks measured in the same run:
//   appending DrawTo items, LLCalcExtents, FindNearestItemScreen
//       against copying the same 104 MB in memory (BM_Yardstick_Memcpy);
//   SaveData against writing the same bytes with one fwrite (BM_Yardstick_Fwrite);
//   LoadData against reading them with one fread (BM_Yardstick_Fread);
//   rendering a DrawTo chain of 1,000,000 points on a 1000 x 700 chart into a
//   bitmap (reduced per pixel column) against the same rendering through a
//   canvas that passes every point on (BM_RenderChain_EveryPoint), for a
//   random walk (/0) and for noise (/1).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/raster_canvas.h"
#include "mivo/rchart/rchart.h"
#include "mivo/rchart/rchart_datafile.h"
#include "ratio_reporter.h"

namespace {

constexpr std::int32_t kItems = 1000000;
constexpr std::size_t kBytes = std::size_t(kItems) * mivo::kRecordSize;

std::string BenchFile(const char* name) {
  return (std::filesystem::temp_directory_path() / ("rchart_bench_" + std::to_string(::getpid()) + "_" + name))
      .string();
}

// A chart holding a random walk of DrawTo items.
std::unique_ptr<mivo::TCustomRChart> FilledChart() {
  auto c = std::make_unique<mivo::TCustomRChart>();
  std::mt19937_64 rng(11);
  std::normal_distribution<double> step;
  double x = 0, y = 0;
  for (std::int32_t i = 0; i < kItems; ++i) {
    x += 1;
    y += step(rng);
    c->DrawTo(x, y);
  }
  c->AutoRange(1, 5);
  return c;
}

mivo::TCustomRChart& SharedChart() {
  static const std::unique_ptr<mivo::TCustomRChart> chart = FilledChart();
  return *chart;
}

void BM_AppendDrawTo(benchmark::State& state) {
  for (auto _ : state) {
    mivo::TCustomRChart c;
    for (std::int32_t i = 0; i < kItems; ++i) c.DrawTo(i, -i);
    benchmark::DoNotOptimize(c.NumItems());
    state.PauseTiming();  // the chart's destruction is not part of the append
    c.ClearGraf();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kItems);
}
BENCHMARK(BM_AppendDrawTo)->Unit(benchmark::kMillisecond);

void BM_Yardstick_Memcpy(benchmark::State& state) {
  std::vector<std::uint8_t> src(kBytes, 1);
  for (auto _ : state) {
    std::vector<std::uint8_t> dst(kBytes);
    std::memcpy(dst.data(), src.data(), kBytes);
    benchmark::DoNotOptimize(dst.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * std::int64_t(kBytes));
}
BENCHMARK(BM_Yardstick_Memcpy)->Unit(benchmark::kMillisecond);

void BM_LLCalcExtents(benchmark::State& state) {
  const mivo::TCustomRChart& c = SharedChart();
  double x0, y0, x1, y1;
  for (auto _ : state) {
    c.LLCalcExtents(1, 5, 0, x0, y0, x1, y1);
    benchmark::DoNotOptimize(x0 + y0 + x1 + y1);
  }
  state.SetItemsProcessed(state.iterations() * kItems);
}
BENCHMARK(BM_LLCalcExtents)->Unit(benchmark::kMillisecond);

void BM_FindNearestItemScreen(benchmark::State& state) {
  const mivo::TCustomRChart& c = SharedChart();
  double d = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(c.FindNearestItemScreen(500000, 0, mivo::TrcItem::tkEverything, 255, d));
  }
  state.SetItemsProcessed(state.iterations() * kItems);
}
BENCHMARK(BM_FindNearestItemScreen)->Unit(benchmark::kMillisecond);

void BM_SaveData(benchmark::State& state) {
  mivo::TCustomRChart& c = SharedChart();
  const std::string name = BenchFile("save.dat");
  for (auto _ : state) {
    if (!c.SaveData(name)) state.SkipWithError("SaveData failed");
  }
  std::filesystem::remove(name);
  state.SetBytesProcessed(state.iterations() * std::int64_t(kBytes));
}
BENCHMARK(BM_SaveData)->Unit(benchmark::kMillisecond);

void BM_Yardstick_Fwrite(benchmark::State& state) {
  std::vector<std::uint8_t> bytes(kBytes, 1);
  const std::string name = BenchFile("fwrite.dat");
  for (auto _ : state) {
    std::FILE* f = std::fopen(name.c_str(), "wb");
    if (!f || std::fwrite(bytes.data(), 1, kBytes, f) != kBytes) state.SkipWithError("fwrite failed");
    if (f) std::fclose(f);
  }
  std::filesystem::remove(name);
  state.SetBytesProcessed(state.iterations() * std::int64_t(kBytes));
}
BENCHMARK(BM_Yardstick_Fwrite)->Unit(benchmark::kMillisecond);

void BM_LoadData(benchmark::State& state) {
  const std::string name = BenchFile("load.dat");
  if (!SharedChart().SaveData(name)) state.SkipWithError("SaveData failed");
  mivo::TCustomRChart c;
  for (auto _ : state) {
    if (!c.LoadData(name, false)) state.SkipWithError("LoadData failed");
  }
  std::filesystem::remove(name);
  state.SetBytesProcessed(state.iterations() * std::int64_t(kBytes));
}
BENCHMARK(BM_LoadData)->Unit(benchmark::kMillisecond);

void BM_Yardstick_Fread(benchmark::State& state) {
  const std::string name = BenchFile("fread.dat");
  {
    std::vector<std::uint8_t> bytes(kBytes, 1);
    std::FILE* f = std::fopen(name.c_str(), "wb");
    if (f) {
      std::fwrite(bytes.data(), 1, kBytes, f);
      std::fclose(f);
    }
  }
  for (auto _ : state) {
    std::vector<std::uint8_t> bytes(kBytes);
    std::FILE* f = std::fopen(name.c_str(), "rb");
    if (!f || std::fread(bytes.data(), 1, kBytes, f) != kBytes) state.SkipWithError("fread failed");
    if (f) std::fclose(f);
    benchmark::DoNotOptimize(bytes.data());
  }
  std::filesystem::remove(name);
  state.SetBytesProcessed(state.iterations() * std::int64_t(kBytes));
}
BENCHMARK(BM_Yardstick_Fread)->Unit(benchmark::kMillisecond);

// Charts of 1000 x 700 pixels with 1,000,000 DrawTo items, about a thousand
// of them per pixel column: the random walk (0) or uniform noise (1), where
// every step crosses hundreds of rows.
mivo::TCustomRChart& RenderChart(std::int64_t kind) {
  auto make = [](bool noise) {
    auto c = noise ? std::make_unique<mivo::TCustomRChart>() : FilledChart();
    if (noise) {
      std::mt19937_64 rng(5);
      std::uniform_real_distribution<double> u(0, 1);
      for (std::int32_t i = 0; i < kItems; ++i) c->DrawTo(i, u(rng));
    }
    c->SetBounds(0, 0, 1000, 700);
    c->AutoRange(1, 5);
    return c;
  };
  static const std::unique_ptr<mivo::TCustomRChart> walk = make(false), noise = make(true);
  return kind == 0 ? *walk : *noise;
}

// Passes every call on to a raster canvas, as a canvas of another kind would
// get them: chains reach it point by point.
class TForwardingCanvas : public mivo::TCanvas {
 public:
  explicit TForwardingCanvas(mivo::TCanvas& target) : FT(target) {}
  void MoveTo(std::int32_t x, std::int32_t y) override {
    TCanvas::MoveTo(x, y);
    Sync().MoveTo(x, y);
  }
  void LineTo(std::int32_t x, std::int32_t y) override {
    Sync().LineTo(x, y);
    PenPos = FT.PenPos;
  }
  void Polyline(std::span<const mivo::TPoint> p) override { Sync().Polyline(p); }
  void Polygon(std::span<const mivo::TPoint> p) override { Sync().Polygon(p); }
  void Rectangle(std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d) override {
    Sync().Rectangle(a, b, c, d);
  }
  void FillRect(const mivo::TRect& r) override { Sync().FillRect(r); }
  void FrameRect(const mivo::TRect& r) override { Sync().FrameRect(r); }
  void Ellipse(std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d) override {
    Sync().Ellipse(a, b, c, d);
  }
  void Arc(std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d, std::int32_t e, std::int32_t f,
           std::int32_t g, std::int32_t h) override {
    Sync().Arc(a, b, c, d, e, f, g, h);
  }
  mivo::TColor Pixel(std::int32_t x, std::int32_t y) const override { return FT.Pixel(x, y); }
  void SetPixel(std::int32_t x, std::int32_t y, mivo::TColor c) override { Sync().SetPixel(x, y, c); }
  void TextOut(std::int32_t x, std::int32_t y, std::string_view t) override { Sync().TextOut(x, y, t); }
  void Draw(std::int32_t x, std::int32_t y, const mivo::TBitmap& b) override { Sync().Draw(x, y, b); }
  void StretchDraw(const mivo::TRect& r, const mivo::TBitmap& b) override { Sync().StretchDraw(r, b); }
  void CopyRect(const mivo::TRect& d, const mivo::TBitmap& b, const mivo::TRect& s) override {
    Sync().CopyRect(d, b, s);
  }
  mivo::TSize SurfaceSize() const override { return FT.SurfaceSize(); }

 private:
  mivo::TCanvas& Sync() {
    FT.Pen = Pen;
    FT.Brush = Brush;
    FT.Font = Font;
    FT.PenPos = PenPos;
    FT.CopyMode = CopyMode;
    FT.TextAlign = TextAlign;
    return FT;
  }
  mivo::TCanvas& FT;
};

void BM_RenderChain_Reduced(benchmark::State& state) {
  mivo::TCustomRChart& c = RenderChart(state.range(0));
  mivo::TBitmap bmp(c.DataAreaWidth(), c.DataAreaHeight());
  for (auto _ : state) {
    c.ConstructDataBmp(bmp, 0, 0, false, 0);
    benchmark::DoNotOptimize(bmp.ScanLine(0));
  }
  state.SetItemsProcessed(state.iterations() * kItems);
}
BENCHMARK(BM_RenderChain_Reduced)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_RenderChain_EveryPoint(benchmark::State& state) {
  mivo::TCustomRChart& c = RenderChart(state.range(0));
  mivo::TBitmap bmp(c.DataAreaWidth(), c.DataAreaHeight());
  TForwardingCanvas canvas(bmp.Canvas());
  for (auto _ : state) {
    c.ConstructDataBmpCanvas(canvas, 0, 0, false, 0);
    benchmark::DoNotOptimize(bmp.ScanLine(0));
  }
  state.SetItemsProcessed(state.iterations() * kItems);
}
BENCHMARK(BM_RenderChain_EveryPoint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  mivo::bench::TRatioReporter reporter;
  if (!mivo::bench::RunBenchmarks(argc, argv, reporter)) return 1;
  auto ratio = [&](const char* what, const std::string& a, const std::string& b) {
    double r = 0;
    if (reporter.Ratio(a, b, r)) std::printf("%-40s %8.3f\n", what, r);
  };
  std::printf("\nratios\n");
  ratio("append DrawTo / memcpy", "BM_AppendDrawTo", "BM_Yardstick_Memcpy");
  ratio("LLCalcExtents / memcpy", "BM_LLCalcExtents", "BM_Yardstick_Memcpy");
  ratio("FindNearestItemScreen / memcpy", "BM_FindNearestItemScreen", "BM_Yardstick_Memcpy");
  ratio("SaveData / fwrite", "BM_SaveData", "BM_Yardstick_Fwrite");
  ratio("LoadData / fread", "BM_LoadData", "BM_Yardstick_Fread");
  ratio("render walk: reduced / every point", "BM_RenderChain_Reduced/0", "BM_RenderChain_EveryPoint/0");
  ratio("render noise: reduced / every point", "BM_RenderChain_Reduced/1", "BM_RenderChain_EveryPoint/1");
  return 0;
}
