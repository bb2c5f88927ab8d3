#pragma once
// Shared helpers of the box plot tests.

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "mivo/charts/box_plot.h"

namespace mivo::test {

// A box plot that counts the paints that get past the painting guards.
class TCountingBoxPlot : public TBoxPlot {
 public:
  using TBoxPlot::TBoxPlot;
  void Paint() override {
    if (PaintAllowed()) ++Paints;
    TBoxPlot::Paint();
  }
  std::int32_t Paints = 0;
};

// Fills `t` with one column per list, named "C1", "C2" ...; shorter columns
// leave their lower cells empty.
inline void FillColumns(TDataTable& t, const std::vector<std::vector<double>>& cols) {
  std::size_t rows = 0;
  for (const auto& c : cols) rows = std::max(rows, c.size());
  t.BeginUpdate();
  t.Resize(0, 0);
  t.Resize(std::int32_t(cols.size()), std::int32_t(rows));
  for (std::size_t c = 0; c < cols.size(); ++c) {
    t.SetColName(std::int32_t(c + 1), "C" + std::to_string(c + 1));
    for (std::size_t r = 0; r < cols[c].size(); ++r) t.SetElem(std::int32_t(c + 1), std::int32_t(r + 1), cols[c][r]);
  }
  t.EndUpdate();
}

// A box plot of 300 x 240 with its window: painting enabled.
inline void ShowBoxPlot(TBoxPlot& b) {
  b.SetBounds(0, 0, 300, 240);
  b.HandleNeeded();
}

// A file name in the test output folder (or /tmp) unique to this process.
inline std::string TempPath(const std::string& name) {
  const char* dir = std::getenv("MIVO_TEST_OUTPUT");
  const std::filesystem::path base = dir ? dir : "/tmp";
  std::error_code ec;
  std::filesystem::create_directories(base, ec);
  return (base / ("boxplot_" + std::to_string(::getpid()) + "_" + name)).string();
}

}  // namespace mivo::test
