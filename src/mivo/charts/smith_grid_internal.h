#pragma once
// The Smith grid as drawing steps on any canvas; private to the charts module.

#include <cstdint>

#include "mivo/platform/canvas.h"
#include "mivo/platform/mivo_types.h"

namespace mivo::detail {

// The reflection plane on the canvas, unrounded: pixel x = Kx * re + Dx,
// pixel y = Ky * im + Dy.
struct TSmithGridMap {
  long double Kx = 0, Dx = 0, Ky = 0, Dy = 0;
};

struct TSmithGridStyle {
  TColor Light = 0;
  TColor Dark = 0;
  TColor Diagram = 0;
  // Without labels only the circles, arcs and the axis are drawn.
  bool Labels = true;
};

// A circle whose box reaches beyond this many pixels from the origin is drawn
// from its visible part (a polyline, and a fill row by row) instead of being
// handed to the canvas as a whole.
inline constexpr long double kSmithBigCircle = 1 << 30;

// The filled unit circle, the real axis, the resistance circles, the
// reactance arcs and (with style.Labels) their labels by density level, in
// that order, with the canvas font as it is. `area` is the data area on the
// canvas: the part a big circle is drawn for.
void DrawSmithGrid(TCanvas& canvas, const TSmithGridMap& map, const TRect& area, const TSmithGridStyle& style);

}  // namespace mivo::detail
