#pragma once
// Enumerations and records shared by the components. Ordinals are fixed: files,
// form files and callers store them as numbers.

#include <cstdint>
#include <functional>

#include "mivo/platform/controls.h"
#include "mivo/platform/export.h"
#include "mivo/platform/mivo_types.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

// Colour scheme of a control's frame shades: ordinal 0 uses fixed grey and
// white, every other ordinal the system's button shadow and highlight colours.
enum class TColorScheme : std::uint8_t { csBWG, csSystem, csWindows };

enum class TFrameStyle : std::uint8_t { fsNone, fsSimple, fsLowered, fsRaised, fsEmbossed, fsEngraved };

enum class TShadowStyle : std::uint8_t { ssFlying, ssDrop };

enum class TBoundingBox : std::uint8_t { bbNone, bbFrame, bbFaces };

enum class TMouseActMode : std::uint8_t {
  maNone = 0,
  maPan = 1,
  maPanHoriz = 2,
  maPanVert = 3,
  maPanGrid = 4,
  maRubberBand = 5,
  maZoom = 6,
  maZoomWind = 7,
  maZoomWindAligned = 8,
  maZoomDrag = 9,
  maMoveCrossHair = 10,
  maMoveTextLabel = 11,
  maRotate = 12,
  maRotAndZoom = 13,
  maRotXOnly = 14,
  maRotZOnly = 15,
  maSelectRect = 16,
  maMouseTrace = 17,
  maColorScaleZoomPan = 18,
};

enum class TMouseBoxState : std::uint8_t { mbsIdle, mbsWaiting, mbsDragging, mbsDone };

enum class TZoomState : std::uint8_t { zsIdle, zsDragging };

// Placement and orientation of a scale.
//   0 horizontal, base line at the bottom of its area, ticks up (above a data area)
//   1 horizontal, base line at the top, ticks down (below a data area)
//   2 vertical, base line at the left, ticks right (right of a data area)
//   3 vertical, base line at the right, ticks left (left of a data area)
enum class TScaleType : std::uint8_t { sctHorzUp, sctHorzDown, sctVertRight, sctVertLeft };
inline bool IsHorizontal(TScaleType t) { return t == TScaleType::sctHorzUp || t == TScaleType::sctHorzDown; }
inline bool IsVertical(TScaleType t) { return t == TScaleType::sctVertRight || t == TScaleType::sctVertLeft; }

// Kind of tick labels.
enum class TFigType : std::uint8_t { ftNoFigs, ftNum, ftTime, ftDateTime, ftUserText };

enum class TAxis : std::uint8_t { axX, axY };

enum class TOrientation : std::uint8_t { orVertical, orHorizontal };

// Vertical placement of a text block relative to its anchor row: 0 the anchor
// is the top, 1 the middle, 2 the bottom of the block.
enum class TVerticalAlignment : std::uint8_t { vaTop, vaCenter, vaBottom };

enum class TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };

enum class TBkgFill : std::uint8_t { bfSimple, bfStretch, bfTile };

// Crosshair modes: off, horizontal line, vertical line, both, small cross with
// marker squares, marker square.
enum class TCrossHMode : std::uint8_t { chOff, chHoriz, chVert, chBoth, chSmallCross, chMarkSquare };

// Text-label attachment: pixels, x in world units, y in world units, both.
enum class TTxtLblAttachMode : std::uint8_t { tamNone, tamXOnly, tamYOnly, tamBoth };

// Text-label slot mode: 0 free slot; 1 plain box, 2 framed box, 3 underlined,
// 4 framed box with shadow.
enum class TTxtLblMode : std::uint8_t { tlOff, tlSimple, tlBox, tlUnderline, tlShadow };

struct TRectDouble {
  double Left = 0, Top = 0, Right = 0, Bottom = 0;
  friend bool operator==(const TRectDouble&, const TRectDouble&) = default;
};

struct TQuad {
  TPoint P[4];
};

struct TColoredPoint {
  double X = 0;
  double Y = 0;
  TColor Color = 0;
  // Bit 0: a stroke ends at this point; bit 1: the segment to it is drawn
  // with the XOR pen. -1 marks a point that does not exist.
  std::int16_t Flags = 0;
};

using TZoomPanEvent = std::function<void(TObject& sender)>;
using TSelectRectEvent = std::function<void(TObject& sender, TShiftState shift, double x1, double y1, double x2,
                                            double y2)>;
using TOnPercentDoneEvent = std::function<void(TObject& sender, std::int32_t percent)>;
// A drawing stage of the colour bar and the 3D plots is done on this canvas.
// (The 2D chart's own TRenderEvent, TCustomRChart::TRenderEvent, adds the offset.)
using TRenderEvent = std::function<void(TObject& sender, TCanvas& canvas)>;

}  // namespace mivo
MIVO_PUBLIC_END
