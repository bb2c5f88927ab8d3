#pragma once
// The Smith chart's pure computations: the conversions between normalised
// impedance z = R + jX and reflection coefficient G = (z - 1)/(z + 1), the
// grid tables, the label density level and the label texts and offsets. No
// canvas here, so all of it is tested without drawing.

#include <array>
#include <cstdint>
#include <string>

#include "mivo/platform/export.h"
#include "mivo/platform/mivo_types.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

// One row of the grid: the value (a normalised resistance, and for rows 1 ...
// 19 also a normalised reactance), whether its circles take the dark pen, the
// density level from which its labels appear, the half angle (radians) of the
// gap that its resistance circle leaves around G = 1, and the real coordinate
// of the ray at which its reactance arcs stop.
struct TSmithGridRow {
  double Value;
  bool Dark;
  std::int32_t Level;
  double Gap;
  double Stop;
};

inline constexpr std::int32_t kSmithGridRows = 20;
// Note that 5 follows 10: the rows are drawn in this order.
inline constexpr std::array<TSmithGridRow, kSmithGridRows> kSmithGrid{{
    {0.0, true, 1, 3.142, 0.0},     {0.1, false, 3, 0.829, 0.2},  {0.2, true, 1, 0.578, 0.33},
    {0.3, false, 3, 0.957, 0.498},  {0.4, false, 3, 1.019, 0.18}, {0.5, true, 1, 0.42, 0.819},
    {0.6, false, 5, 1.14, 0.15},    {0.7, false, 2, 0.801, 0.133}, {0.8, false, 5, 1.248, 0.48},
    {0.9, false, 5, 1.296, 0.084},  {1.0, true, 1, 0.395, 1.0},   {1.2, false, 3, 0.834, 0.45},
    {1.5, false, 2, 0.921, 0.645},  {2.0, true, 1, 1.073, 0.625}, {2.5, false, 4, 0.673, 0.81},
    {3.0, false, 3, 1.036, 0.558},  {4.0, false, 4, 0.92, 0.669}, {7.0, false, 4, 1.35, 0.7},
    {10.0, true, 1, 3.142, 1.0},    {5.0, true, 1, 3.142, 0.95},
}};

// Real and imaginary part of G for z = R + jX. NaN in either argument gives
// NaN. R = -1 is the pole of z + 1: with X = 0 the result is NaN, otherwise
// the finite limit 1 + 2j/X. An infinite R or X (z at infinity) gives G = 1.
double SmithReflectionReal(double resistance, double reactance);
double SmithReflectionImag(double resistance, double reactance);

// Normalised resistance and reactance of the load whose reflection
// coefficient is G. The open circuit (G = 1, or so close to it that
// |G - 1|^2 is below the smallest normal double) gives uc_MaxReal for both;
// NaN gives NaN; an infinite G (z = -1) gives R = -1, X = 0.
double SmithResistance(double reflReal, double reflImag);
double SmithReactance(double reflReal, double reflImag);

// Label density of a unit circle `span` pixels wide: 1 up to 300, 2 above
// 300, 3 above 500, 4 above 750, 5 above 900. Labels of rows whose Level is
// at most this are drawn. NaN gives 1.
std::int32_t SmithLabelLevel(double span);

// A grid label: no decimals when the fractional part is at most 0.01 in
// magnitude, one otherwise ("0", "0.1", "2", "-0.5").
std::string SmithLabelText(double value);

// Where a label of a point on the unit circle goes: 10 pixels away from the
// centre along the line through the centre and the point, given as the point's
// offset (dx, dy) from the centre in pixels (y down). A point exactly above or
// below the centre moves straight up or down, one level with it straight left
// or right; the centre itself does not move the label.
TPoint SmithLabelOffset(std::int64_t dx, std::int64_t dy);

}  // namespace mivo
MIVO_PUBLIC_END
