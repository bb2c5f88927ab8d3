#pragma once
// The pure computations of the 3D surface plot: view angles, the rotation
// matrix, grid geometry in model space, the projection to pixels, the choice of
// box corners and face shades, the drawing order of the cells, colour coding,
// the axis tick walk with its labels and the cell search under the pointer.
// Nothing here draws; the renderer (plot3d_render.cpp, plot3d_axes.cpp) and the
// mouse handling consume these results.
//
// Model space: the bounding box is the cube -kCubeHalf ... +kCubeHalf on all
// three axes; an NC x NR grid spans it in x and y.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "mivo/base/color_array.h"
#include "mivo/base/matrix.h"
#include "mivo/platform/export.h"
#include "mivo/platform/mivo_types.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

enum class TColorCodingMode : std::uint8_t { ccmTwoColors, ccmThreeColors, ccmColorArray };
enum class TMeshKind : std::uint8_t { mkMesh, mkWaterfallHorz, mkWaterfallVert, mkWaterfallDiag, mkGrid };
enum class TP3ScaleKind : std::uint8_t { p3skX, p3skY, p3skZ };

inline constexpr double kCubeHalf = 150;
inline constexpr double kCubeEdge = 2 * kCubeHalf;
// Projected pixels are clamped to +/- this bound, so that the integer
// arithmetic of filling and of the cell search (cross products in 64 bits)
// cannot overflow however large the data or the magnification.
inline constexpr std::int32_t kMaxProjectedPixel = 1 << 28;
// Rotation-matrix elements smaller than this in magnitude are stored as 0.
inline constexpr double kRotMatZero = 1e-6;
// Tick walks stop after this many ticks whatever the range says.
inline constexpr std::int32_t kMaxAxisTicks = 1000;
// Tick labels are cut to this many characters.
inline constexpr std::size_t kMaxTickLabelLength = 14;

// Rotation matrix, R[row][column] with 0-based indices: row 0 gives screen x,
// row 1 screen y (downwards), row 2 the depth used for ordering.
using TRotMatrix = std::array<std::array<double, 3>, 3>;

// A view angle brought into 0 ... 360: above 360 the remainder of the division
// by 360; below 0 the remainder plus 360 (so -360 gives 360, and 360 stays).
double NormalizeViewAngle(double v);

// R = Rx(angleX) * Rz(angleZ), angles in degrees, tiny elements set to 0.
TRotMatrix CalcRotMatrix(double angleX, double angleZ);

// Distance of neighbouring grid nodes in model units: 300 / (n - 1), or 1 for
// a grid of one node (or none) in that direction.
double GridCellSize(std::int32_t n);
// Model coordinate of node `index` (1-based) of n along one grid direction.
double GridNodeCoord(std::int32_t index, std::int32_t n);

// The projection of model points to pixels.
struct TProjection {
  TRotMatrix R{};
  double SclX = 1, SclY = 1, SclZ = 1;
  double Magnify = 1;
  std::int32_t CentX = 0, CentY = 0;
  // Nearest pixel (halves to even), clamped to +/- kMaxProjectedPixel; a
  // coordinate that is not a number goes to the centre.
  TPoint Project(double x, double y, double z) const;
};

// Depth d(i) and screen-x value e(i) of unit-cube corner i: the sum of the
// elements of matrix row 2 (resp. 0), each signed by the corner's side.
double CornerDepth(const TRotMatrix& r, std::int32_t corner);
double CornerScreenX(const TRotMatrix& r, std::int32_t corner);
// The corner farthest from the viewer (smallest depth; the first on ties).
std::int32_t FarthestCorner(const TRotMatrix& r);
// The corner whose screen-x value is largest (the first on ties).
std::int32_t RightmostCorner(const TRotMatrix& r);
// Shade of a face from the depth sum of its four corners: 0 (edge-on) ... 200
// (square-on), and its colour between `low` (0) and `high` (200), each channel
// low + (high - low) * shade div 200.
std::int32_t FaceShade(double depthSum);
TColor FaceColor(TColor low, TColor high, std::int32_t shade);

// Which way the cells are walked so that nearer cells come later.
struct TCellOrder {
  bool RowsAscending = true;
  bool ColumnsAscending = true;
};
TCellOrder CellDrawOrder(double viewAngleX, double viewAngleZ);

// Colour coding of a value.
struct TColorCoding {
  TColorCodingMode Mode = TColorCodingMode::ccmTwoColors;
  double Low = 0, High = 100;
  TColor ColorLow = 0, ColorMid = 0, ColorHigh = 0;
  const TColorArray* IsoColors = nullptr;  // for ccmColorArray
  // The colour of v, v clamped to Low ... High. A value that is not a number,
  // and every value of an empty range, takes the low end.
  TColor Calc(double v) const;
};

// Decimals of the tick labels: `decPlace` unless it is -2 (automatic), which
// gives -2 for spans of at least 1e6 or at most 1e-4, 0 from 100 on, else
// 2 - nearest(ln span / 2.5).
std::int32_t AxisDecimals(std::int32_t decPlace, double low, double high);

// One tick of an axis: its value and where it lies between the ends (0 at
// `low`, 1 at `high`).
struct TAxisTick {
  double Value = 0;
  double Fraction = 0;
};
// The ticks of an axis from `low` to `high` with at least `minTicks`
// intervals; the first tick is always there, the walk continues while the next
// tick lies no further than a thousandth of a step beyond `high`. An empty or
// non-finite range has no ticks.
std::vector<TAxisTick> AxisTicks(std::int32_t minTicks, double low, double high);
// The label of tick `t`: a tick within 1e-14 of the span from zero is written
// as zero; at most kMaxTickLabelLength characters.
std::string AxisTickLabel(double t, double low, double high, std::int32_t decimals);

// The cell under the pointer: among the cells (i, j), i < NC, j < NR, whose
// projected quadrilateral (corners (i, j), (i, j+1), (i+1, j+1), (i+1, j))
// holds (mx, my) inside or on its border, the one whose node (i, j) has the
// largest draw-order rank. `skip`, when not empty, holds one flag per cell
// (row-major, (j - 1) * (NC - 1) + (i - 1)) for cells that were left out.
struct TCellHit {
  bool Found = false;
  std::int32_t CellX = 0, CellY = 0;
};
TCellHit FindCellAt(const TIntMatrix& projX, const TIntMatrix& projY, const TIntMatrix& projZ, std::int32_t mx,
                    std::int32_t my, const std::vector<std::uint8_t>& skip = {});

}  // namespace mivo
MIVO_PUBLIC_END
