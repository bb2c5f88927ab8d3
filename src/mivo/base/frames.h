#pragma once
// DrawFrame: the borders of the controls, and SetCanvasFontSizeScaled.

#include <cstdint>

#include "mivo/base/enums.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/export.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

// Draws a frame around the box whose outermost pixels are the columns `left`
// and `right` and the rows `top` and `bottom` (all inclusive: a control passes
// (0, 0, Width - 1, Height - 1)). Corners may be given in either order. The
// frame lies inside the box; nothing outside it is touched. Pixels are set in
// copy mode with a solid one-pixel pen; the canvas's pen and brush are restored
// afterwards.
//
//   fsNone      nothing.
//   fsSimple    a one-pixel outline in `plainFrame`.
//   fsLowered   a two-pixel sunken bevel: the outer ring has `shadow` on the
//               top and left edges and `highlight` on the bottom and right
//               edges; the ring inside it has `dark` top/left and `light`
//               bottom/right.
//   fsRaised    the reverse: outer ring `light` top/left, `dark` bottom/right;
//               inner ring `highlight` top/left, `shadow` bottom/right.
//   fsEmbossed  a ridge, two one-pixel etched lines: `highlight` outside and
//               `shadow` inside on the top/left, `highlight` inside and `shadow`
//               outside on the bottom/right.
//   fsEngraved  a groove: as fsEmbossed with `highlight` and `shadow` exchanged.
//
// In every ring the bottom and right edges own the top-right and bottom-left
// corner pixels (the classic desktop bevel). A box too small for a second ring
// gets the outer one only.
void DrawFrame(TCanvas& canvas, TFrameStyle style, std::int32_t left, std::int32_t top, std::int32_t right,
               std::int32_t bottom, TColor highlight, TColor light, TColor shadow, TColor dark, TColor plainFrame);

// Sets the canvas font to `points` points on the canvas's device: the font is
// given the canvas's PixelsPerInch, so text is as large on a 600 dpi printer
// canvas as on a 96 dpi screen (pixels = points x PixelsPerInch / 72).
// Points below 1 are stored as 1.
void SetCanvasFontSizeScaled(TCanvas& canvas, std::int32_t points);

}  // namespace mivo
MIVO_PUBLIC_END
