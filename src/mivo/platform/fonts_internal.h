#pragma once
// Internals of the font engine shared with the platform's own code and tests:
// UTF-8 decoding and a view of the caches.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mivo::detail {

inline constexpr char32_t ReplacementChar = 0xFFFD;

// Decodes the code point starting at text[pos] and advances pos past it.
// Malformed input (a stray continuation byte, an overlong form, a surrogate,
// a value above U+10FFFF, a sequence cut short) yields U+FFFD and consumes
// the maximal invalid prefix, at least one byte. Requires pos < text.size().
inline char32_t DecodeUtf8(std::string_view text, std::size_t& pos) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  const std::uint8_t b0 = byte(pos);
  if (b0 < 0x80) {
    ++pos;
    return b0;
  }
  std::size_t need;
  char32_t cp;
  std::uint8_t lo = 0x80, hi = 0xBF;  // allowed range of the second byte
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    need = 1;
    cp = b0 & 0x1F;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    need = 2;
    cp = b0 & 0x0F;
    if (b0 == 0xE0) lo = 0xA0;  // overlong
    if (b0 == 0xED) hi = 0x9F;  // surrogates
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    need = 3;
    cp = b0 & 0x07;
    if (b0 == 0xF0) lo = 0x90;  // overlong
    if (b0 == 0xF4) hi = 0x8F;  // above U+10FFFF
  } else {
    ++pos;
    return ReplacementChar;
  }
  ++pos;
  for (std::size_t k = 0; k < need; ++k) {
    if (pos >= text.size()) return ReplacementChar;
    const std::uint8_t b = byte(pos);
    if (b < lo || b > hi) return ReplacementChar;
    lo = 0x80;
    hi = 0xBF;
    cp = (cp << 6) | (b & 0x3F);
    ++pos;
  }
  return cp;
}

// Appends the UTF-8 form of a code point (U+FFFD for invalid ones).
inline void AppendUtf8(std::string& out, char32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = ReplacementChar;
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xF0 | (cp >> 18));
    out += char(0x80 | ((cp >> 12) & 0x3F));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

// The font file fontconfig (or the fallback chain) chose for a request.
struct TResolvedFont {
  std::string Path;
  int Index = 0;
  bool SyntheticBold = false;    // no bold face: outlines are emboldened
  bool SyntheticItalic = false;  // no italic face: outlines are sheared
};
TResolvedFont ResolveFont(const std::string& name, bool bold, bool italic);
// The fallback chain behind ResolveFont: each family through fontconfig, then
// each file as it is; raises EMivoError (saying what to install) when none
// of them can be used.
TResolvedFont ResolveFontChain(const std::vector<std::string>& families, const std::vector<std::string>& files,
                               bool bold, bool italic);

// What the font caches hold, and what they did since they were last cleared.
// Glyph bitmaps are kept within a byte budget (least recently used first out);
// measuring loads metrics only, never bitmaps.
struct TFontCacheStats {
  std::size_t Faces = 0;
  std::size_t Glyphs = 0;        // cached glyph bitmaps
  std::size_t GlyphBytes = 0;    // what they count against GlyphBudget
  std::size_t GlyphBudget = 0;
  std::size_t Metrics = 0;       // cached metrics of characters beyond ASCII
  std::size_t MetricsBytes = 0;
  std::uint64_t MetricLoads = 0;    // glyphs loaded for their advance and ink box
  std::uint64_t BitmapRenders = 0;  // glyph bitmaps rendered
  std::uint64_t DirectDraws = 0;    // glyphs rasterised straight into a surface, uncached
};
TFontCacheStats FontCacheStats();
// Drops every cached face and glyph (the name resolutions are kept) and
// resets the counters.
void ClearFontCaches();
// Sets the byte budget of the glyph bitmap cache, evicting what no longer
// fits, and returns the previous budget. Glyphs whose bitmap would exceed a
// sixteenth of it are drawn without being cached.
std::size_t SetGlyphCacheBudget(std::size_t bytes);

// Underline and strike-out rows of a font relative to the baseline (positive
// is below it) and their thickness, as RenderText draws them.
struct TFontDecorations {
  std::int32_t UnderlineOffset = 0;
  std::int32_t UnderlineThickness = 1;
  std::int32_t StrikeOffset = 0;
  std::int32_t StrikeThickness = 1;
};

}  // namespace mivo::detail

namespace mivo {
struct TFont;
namespace detail {
TFontDecorations GetFontDecorations(const TFont& font);
// The width of text summed from the advances of its rendered glyph bitmaps
// (rendered anew, not cached): what measuring must agree with.
std::int32_t RenderedTextWidth(const TFont& font, std::string_view text);
}  // namespace detail
}  // namespace mivo
