#pragma once
// Text measurement and rendering with FreeType; fontconfig resolves a family
// name to a file (falling back to a sans-serif face). Faces, glyph metrics and
// rendered glyphs are cached (the least recently used glyphs make room), so
// drawing the same short strings again costs only blits; measuring never
// renders, and glyphs too big to cache are rasterised only where visible.

#include <cstdint>
#include <string_view>

#include "mivo/platform/canvas.h"
#include "mivo/platform/export.h"
#include "mivo/platform/mivo_types.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

class TBitmap;

struct TFontMetrics {
  std::int32_t Ascent = 0;   // pixels above the baseline
  std::int32_t Descent = 0;  // pixels below the baseline
  std::int32_t Height = 0;   // full cell height = Ascent + Descent
};

// Font metrics of the face and size that `font` selects. Raises EMivoError,
// saying which package to install, when no usable font exists at all.
TFontMetrics GetFontMetrics(const TFont& font);

// Advance width of UTF-8 text in pixels (invalid bytes count as U+FFFD).
std::int32_t MeasureTextWidth(const TFont& font, std::string_view text);

// Draws UTF-8 text with its cell's top-left corner at (x, y) in font.Color,
// blending antialiased coverage into the bitmap, clipped to `clip` (which is
// itself clipped to the bitmap). Underline and strike-out lines are drawn
// across the advance width. Never touches pixels outside the clip.
void RenderText(TBitmap& target, const TRect& clip, std::int32_t x, std::int32_t y, const TFont& font,
                std::string_view text);

}  // namespace mivo
MIVO_PUBLIC_END
