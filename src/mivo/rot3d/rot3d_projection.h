#pragma once
// The pure computations of the rotatable 3D plot: the integer rotation matrix
// (x 1000), the projection of integer model points to pixels, the
// magnification and box-size rules, the box corners and their depth order,
// the colour table of the rendering objects, and the snapshot that centres and
// scales the items into the integer model space. Nothing here draws; the
// control keeps the results and its renderer consumes them.
//
// Model space: the items' spans are scaled to about 1000 units (auto scale)
// around the origin; the box is the cube -BBSize ... +BBSize.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "mivo/platform/export.h"
#include "mivo/platform/mivo_types.h"
#include "mivo/rot3d/rot3d_items.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

// Rotation matrix times 1000, R[row][column] with 0-based indices: row 0 gives
// screen x, row 1 screen y (downwards), row 2 the depth of the box corners.
using TR3RotMatrix = std::array<std::array<std::int32_t, 3>, 3>;

// Angles in degrees: a about x, b about y, c about z. The two-angle matrix
// ignores b. adRightHanded exchanges the first two columns. An angle that is
// not finite gives zero elements rather than undefined conversions.
TR3RotMatrix CalcRotMatrix_2Ax(double a, double c, TAxDir dir);
TR3RotMatrix CalcRotMatrix_3Ax(double a, double b, double c, TAxDir dir);

// Element (ix, iy), 1-based, divided by 1000; 0 outside 1 ... 3.
double RotMatElement(const TR3RotMatrix& r, std::int32_t ix, std::int32_t iy);

// Pixels of the plot are clamped to +/- this bound before drawing.
inline constexpr std::int32_t kMaxScreenCoord = 30000;

// A projected point before clamping (64 bits: model coordinates reach the
// 32-bit range when the scale factors are set by hand).
struct TR3ScreenPoint {
  std::int64_t X = 0, Y = 0;
};

// sx = (X R00 + Y R01 + Z R02) div magnify + centX, likewise sy with row 1;
// the division truncates toward zero. A divisor below 1 counts as 1.
TR3ScreenPoint ProjectModelPoint(const TR3RotMatrix& r, std::int32_t magnify, std::int32_t centX,
                                 std::int32_t centY, std::int32_t x, std::int32_t y, std::int32_t z);
// The same, each coordinate clamped to +/- kMaxScreenCoord.
TPoint ProjectClamped(const TR3RotMatrix& r, std::int32_t magnify, std::int32_t centX, std::int32_t centY,
                      std::int32_t x, std::int32_t y, std::int32_t z);

// Magnification m is shown as kMagnifyScale / divisor.
inline constexpr double kMagnifyScale = 4000;
inline constexpr double kMinMagnification = 0.1;
inline constexpr double kMaxMagnification = 5.0;
inline constexpr std::int32_t kDefaultMagnify = 5000;
// The divisor for magnification m clamped to kMinMagnification ...
// kMaxMagnification (nearest integer of kMagnifyScale / m). A magnification
// that is not a number leaves `current` unchanged.
std::int32_t MagnifyDivisor(double m, std::int32_t current);
double MagnificationOf(std::int32_t magnify);

// Box size (the full edge) and axis length in model units.
inline constexpr std::int32_t kMaxBoxSize = 4000;
inline constexpr std::int32_t kMaxAxSize = 4000;
// The half edge for a requested full edge `size`: `currentHalf` when size is
// 2 * currentHalf, else size clamped to 0 ... kMaxBoxSize, halved.
std::int32_t BoxHalfEdge(std::int32_t size, std::int32_t currentHalf);
std::int32_t ClampAxSize(std::int32_t size);

// Corner i of the box: +/- half on each axis, by bits 2, 1, 0 of i.
using TR3CubeCorners = std::array<std::array<std::int32_t, 3>, 8>;
TR3CubeCorners BoxCorners(std::int32_t half);

// Depth of unit-cube corner i in thousandths: row 2 of the matrix signed by
// the corner's sides.
std::int32_t CornerDepth(const TR3RotMatrix& r, std::int32_t corner);
// The corner with the smallest depth (the first on ties): the faces meeting
// there are drawn, its edges are the front edges, and the opposite corner's
// edges are hidden.
std::int32_t NearestBoxCorner(const TR3RotMatrix& r);
// Shade of a face from the depths of its four corners, 0 ... 400, and its
// colour between `low` and `high`: each channel low + shade (high - low) div 400.
std::int32_t BoxFaceShade(const TR3RotMatrix& r, std::int32_t face);
TColor BoxFaceColor(TColor low, TColor high, std::int32_t shade);

// The colour table of the rendering objects: sixteen fixed colours, then
// sixteen slots that each snapshot fills with the colours it meets.
inline constexpr std::int32_t kItemColorCount = 32;
inline constexpr std::int32_t kFixedItemColors = 16;
using TR3ItemColors = std::array<TColor, kItemColorCount>;
TR3ItemColors InitialItemColors();

// Assigns colour-table indices during one snapshot: the last matching entry
// among those in use; an unknown colour takes the next free slot, and once all
// are taken the last slot.
class TR3ColorAllocator {
 public:
  explicit TR3ColorAllocator(TR3ItemColors& colors) : FColors(colors) {}
  std::uint8_t IndexOf(TColor c);

 private:
  std::int32_t Find(TColor c);

  TR3ItemColors& FColors;
  std::int32_t FLast = kFixedItemColors - 1;
  TColor FCachedColor = 0;
  std::int32_t FCachedIndex = -1;
};

// Rendering-object property byte: colour index and action.
inline constexpr std::uint8_t kR3ColorMask = 0x1F;
inline constexpr std::uint8_t kR3ActionMask = 0x60;
inline constexpr std::uint8_t kR3MoveTo = 0x20;
inline constexpr std::uint8_t kR3DrawTo = 0x40;
inline constexpr std::uint8_t kR3Mark = 0x60;

// The rendering objects of one snapshot, one per item and two per line.
struct TR3RenderObjects {
  std::int32_t NRotObj = 0;
  std::vector<std::int32_t> FRotDataX, FRotDataY, FRotDataZ;
  std::vector<std::int32_t> FBackLink;  // item index
  std::vector<std::uint8_t> FRotProp;   // colour index | action
  std::vector<std::uint8_t> FRotMark;   // mark kind
  std::vector<std::uint8_t> FLineWid;   // pen width
};

// How a snapshot centres and scales. Origin and ScaleFact are inputs when the
// corresponding Auto flag is off, and are replaced by what was used.
struct TR3Placement {
  bool IsoMetric = false;
  bool AutoOrigin = true;
  bool AutoScale = true;
  std::array<double, 3> Origin{0, 0, 0};
  std::array<double, 3> ScaleFact{1, 1, 1};
  std::array<std::int32_t, 3> MinCoord{0, 0, 0};
  std::array<std::int32_t, 3> MaxCoord{0, 0, 0};
};

// Auto scale gives each axis's span this many model units.
inline constexpr double kModelSpan = 1000;
// Spans up to this are treated as empty (scale factor 1).
inline constexpr double kEmptySpan = 1e-30;

// The snapshot: centres the items on their centroid (AutoOrigin) or on
// Origin, scales them (per axis to kModelSpan, the smallest factor for all
// three with IsoMetric, or the given factors without AutoScale; IsoMetric then
// uses ScaleFact[0] for all three) and builds the rendering objects in item
// order, assigning colour indices through `colors`. Items with a coordinate
// that is not finite are left out and counted in `skipped`.
//
// Returns false, leaving `objects` and `place` untouched, when no item
// qualifies. When the arrays cannot be allocated raises EMivoRot3DError
// naming `componentName`, leaving everything as it was.
bool BuildRenderObjects(const Tr3ChartItem* items, std::int32_t count, TR3Placement& place,
                        TR3ItemColors& colors, TR3RenderObjects& objects, std::int32_t& skipped,
                        const std::string& componentName);

}  // namespace mivo
MIVO_PUBLIC_END
