#pragma once
// The computations of the box plot that need no canvas: the statistics of a
// column, the value range that fits the columns, where the column labels
// stand, and the box-parameter listing of the text export.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "mivo/base/enums.h"
#include "mivo/platform/export.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

class TDataTable;

// Vertical: columns along x, values along y; horizontal: the reverse.
enum class TBoxPlotOrientation : std::uint8_t { bpltHorizontal, bpltVertical };
// The grid across the value axis: none, solid or dotted lines.
enum class TBoxPlotGridStyle : std::uint8_t { bpgsNone, bpgsLines, bpgsDotLines };

// The figures of one column. Percentiles follow the data table's rule
// (linear interpolation between order statistics). A column without numeric
// cells has Count 0 and zeros everywhere.
struct TBoxStats {
  std::int32_t Count = 0;
  double Min = 0, Max = 0, Mean = 0;
  double Q1 = 0, Median = 0, Q3 = 0;
  double P10 = 0, P90 = 0;
  friend bool operator==(const TBoxStats&, const TBoxStats&) = default;
};

// The statistics of `values` (NaN values are ignored; the order of `values`
// changes). The mean stays finite whenever every value is finite, even for
// values near the largest double. Allocates nothing.
TBoxStats ComputeBoxStats(std::span<double> values);

// The statistics of every column of the table, reusing `scratch` for the
// values of the columns (kept for the next call, so that recomputing a table
// of the same size allocates nothing).
void ComputeTableStats(const TDataTable& table, std::vector<TBoxStats>& stats,
                       std::vector<std::vector<double>>& scratch);

// The value range that holds every column with numeric cells: lo, hi over the
// finite minima and maxima, widened by |hi - lo| * margin / 100 on each side
// (a margin that is negative or not finite counts as 0) and kept inside the
// finite doubles. False, with lo and hi untouched, when no column has a
// finite value.
bool BoxValueRange(std::span<const TBoxStats> stats, double margin, double& lo, double& hi);

// Where the label of a column stands, given the label template's Position p.
// The column coordinate (x in vertical, y in horizontal orientation) is the
// column number in world units; the other coordinate is in pixels of the
// control:
//   vertical:   p >= 0: y = height - marginBottom - p, anchored at the label's bottom;
//               p <  0: y = marginTop - p, anchored at its top; centred on the column.
//   horizontal: p >= 0: x = width - marginRight - p, right-justified;
//               p <  0: x = marginLeft - p, left-justified; centred vertically.
struct TBoxLabelPlace {
  double PixelPos = 0;  // the pixel coordinate
  TTxtLblAttachMode Attach = TTxtLblAttachMode::tamXOnly;
  TAlignment Alignment = TAlignment::taCenter;
  TVerticalAlignment VerticalAlignment = TVerticalAlignment::vaBottom;
};
TBoxLabelPlace PlaceBoxLabel(TBoxPlotOrientation orientation, std::int32_t p, std::int32_t width,
                             std::int32_t height, std::int32_t marginLeft, std::int32_t marginRight,
                             std::int32_t marginTop, std::int32_t marginBottom);

// The block the box plot appends to the table's text export (lines end in
// "\n"): an empty line, 30 '-' " Box Parameters " 30 '-', an empty line, the
// header (6 blanks, then per column a blank and the name cut to 12 and
// centred in 12 characters), then the rows "Mean: ", " Min: ", " P10: ",
// "  Q1: ", "  Q2: ", "  Q3: ", " P90: ", " Max: ", each value a blank and
// strff(x, 12, -2). `names` and `stats` are per column (the shorter decides).
std::string BoxParametersText(std::span<const std::string> names, std::span<const TBoxStats> stats);

}  // namespace mivo
MIVO_PUBLIC_END
