// 2D chart display-list benchmarks, 1,000,000 items each. Read them as ratios
// against the yardsticks measured in the same run:
//   appending DrawTo items, LLCalcExtents, FindNearestItemScreen
//       against copying the same 104 MB in memory (BM_Yardstick_Memcpy);
//   SaveData against writing the same bytes with one fwrite (BM_Yardstick_Fwrite);
//   LoadData against reading them with one fread (BM_Yardstick_Fread).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "mivo/rchart/rchart.h"
#include "mivo/rchart/rchart_datafile.h"

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

}  // namespace

BENCHMARK_MAIN();
