#pragma once
// Shared helpers of the chart tests.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "mivo/rchart/rchart.h"

namespace mivo::test {

// A chart that counts the paints that get past the painting guards.
class TCountingChart : public TCustomRChart {
 public:
  using TCustomRChart::TCustomRChart;
  void Paint() override {
    if (PaintAllowed()) ++Paints;
    TCustomRChart::Paint();
  }
  std::int32_t Paints = 0;
};

// A chart of 280 x 200 with margins 50, 10, 16, 32 and no shadow, painting enabled.
inline void UseTestGeometry(TCustomRChart& c) {
  c.SetBounds(0, 0, 280, 200);
  c.SetLRim(50);
  c.SetRRim(10);
  c.SetTRim(16);
  c.SetBRim(32);
  c.SetF3DRim(0);
}

// The test geometry with painting enabled and both layers over x 0 ... 100 and
// y 0 ... 10: the data area is columns 50 ... 270 and rows 16 ... 168, and
// world (50, 5) lies at pixel (160, 92).
inline void UsePaintingTestChart(TCustomRChart& c) {
  UseTestGeometry(c);
  c.SetSuppressPaint(false);
  c.SetRange(1, 0, 0, 100, 10);
  c.SetRange(2, 0, 0, 100, 10);
}

// A file name in the test output folder (or /tmp) unique to this process.
inline std::string TempPath(const std::string& name) {
  const char* dir = std::getenv("MIVO_TEST_OUTPUT");
  std::string base = dir ? std::string(dir) : std::string("/tmp");
  std::error_code ec;
  std::filesystem::create_directories(base, ec);
  return base + "/rchart_" + std::to_string(::getpid()) + "_" + name;
}

}  // namespace mivo::test
