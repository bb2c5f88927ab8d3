#pragma once
// Shared helpers of the contour plot tests.

#include <cmath>
#include <cstdint>

#include "mivo/contour/contour_plot.h"

namespace mivo::test {

// A plot of 460 x 260 with margins 50, 10, 16, 44 and no shadow: its data area
// (without the shadow) is 400 x 200 pixels, the data bitmap 401 x 201.
inline void UseContourGeometry(TContourPlot& p) {
  p.SetBounds(0, 0, 460, 260);
  p.SetLRim(50);
  p.SetRRim(10);
  p.SetTRim(16);
  p.SetBRim(44);
  p.SetF3DRim(0);
}

// The test geometry, painting on, ranges x 0 ... 10, y 0 ... 5.
inline void UsePaintingContour(TContourPlot& p) {
  UseContourGeometry(p);
  p.SetSuppressPaint(false);
  p.SetRange(0.0, 0.0, 10.0, 5.0);
}

// A field z = x + y / 2 handler that counts its calls.
struct TCountingField {
  std::int32_t Calls = 0;
  TEstimateZValEvent Handler() {
    return [this](TObject&, double x, double y, std::int32_t, std::int32_t, double& z, std::uint8_t&) {
      ++Calls;
      z = x + y / 2;
    };
  }
};

}  // namespace mivo::test
