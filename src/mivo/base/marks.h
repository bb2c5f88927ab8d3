#pragma once
// DrawMarkOnCanvas: the 52 data marks, each centred on its pixel.
//
// A mark is drawn with the canvas's current pen (colour, width, style, mode)
// and - for the filled kinds - its current brush; open kinds draw the outline
// only and leave the brush as it was. Sizes suit a 96 dpi screen: "small"
// shapes span 7 x 7 pixels (half-size 3), "large" ones 11 x 11 (half-size 5);
// every kind's pixels are symmetric about the centre pixel (x, y) with a
// one-pixel pen. Wider pens thicken the strokes symmetrically.
//
//   kind  mark                           kind  mark
//    0    single pixel                    26   diamond, open, large
//    1    dot (3 x 3 block)               27   diamond, filled, large
//    2    plus, small (5 x 5)             28   triangle left, open, small
//    3    plus, large (9 x 9)             29   triangle left, filled, small
//    4    cross (x), small (5 x 5)        30   triangle left, open, large
//    5    cross (x), large (9 x 9)        31   triangle left, filled, large
//    6    star (plus and x), small        32   triangle right, open, small
//    7    star (plus and x), large        33   triangle right, filled, small
//    8    square, open, small             34   triangle right, open, large
//    9    square, filled, small           35   triangle right, filled, large
//   10    square, open, large             36   vertical bar, short (7)
//   11    square, filled, large           37   vertical bar, long (13)
//   12    circle, open, small             38   horizontal bar, short (7)
//   13    circle, filled, small           39   horizontal bar, long (13)
//   14    circle, open, large             40   square with x, small
//   15    circle, filled, large           41   square with x, large
//   16    triangle up, open, small        42   circle with plus, small
//   17    triangle up, filled, small      43   circle with plus, large
//   18    triangle up, open, large        44   hexagon, open, small
//   19    triangle up, filled, large      45   hexagon, filled, small
//   20    triangle down, open, small      46   hexagon, open, large
//   21    triangle down, filled, small    47   hexagon, filled, large
//   22    triangle down, open, large      48   circle with centre dot, small
//   23    triangle down, filled, large    49   circle with centre dot, large
//   24    diamond, open, small            50   square with centre dot, small
//   25    diamond, filled, small          51   square with centre dot, large
//
// Kinds above 51 draw nothing (callers filter their mark settings to 0 ... 51).

#include <cstdint>

#include "mivo/platform/canvas.h"
#include "mivo/platform/export.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

inline constexpr std::uint8_t kMaxMarkKind = 51;
inline constexpr std::int32_t kSmallMarkHalfSize = 3;
inline constexpr std::int32_t kLargeMarkHalfSize = 5;

void DrawMarkOnCanvas(TCanvas& canvas, std::uint8_t kind, std::int32_t x, std::int32_t y);

// How far a kind's pixels reach from its centre with a one-pixel pen (0 for
// the single pixel, 5 for the large shapes); 0 above 51.
std::int32_t MarkReach(std::uint8_t kind);

// Short name of a kind for legends and the gallery ("square, open, small");
// "" above 51.
const char* MarkKindName(std::uint8_t kind);

}  // namespace mivo
MIVO_PUBLIC_END
