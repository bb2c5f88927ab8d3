#include "mivo/platform/fonts.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <iterator>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <map>
#include <memory>
#include <mutex>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/errors.h"
#include "mivo/platform/fonts_internal.h"
#include "mivo/platform/lru_cache_internal.h"

namespace mivo {
namespace detail {
namespace {

// Pixel sizes are clamped to this range; a glyph of the largest size is a few
// megabytes of coverage.
constexpr std::int32_t MaxPixelSize = 2048;
// Cached glyph bitmaps take at most this many bytes together; the least
// recently used ones make room for new ones.
constexpr std::size_t GlyphCacheBudgetBytes = std::size_t(32) << 20;
// A glyph whose bitmap would take more than this share of the budget is never
// cached: it is rasterised straight into the surface, only where visible.
constexpr std::size_t UncachedGlyphShare = 16;
// Bitmaps up to this many bytes are cached even when mostly hidden; larger
// ones are cached only when at least half of them is visible.
constexpr std::uint64_t SmallGlyphBytes = 64 * 64;
// Cached metrics of characters beyond ASCII take at most this many bytes.
constexpr std::size_t MetricsCacheBudgetBytes = std::size_t(4) << 20;
// What a cache entry costs beyond its coverage: the entry, its hash node and
// bucket.
constexpr std::size_t CacheEntryOverhead = 48;
// FreeType renders no bitmap reaching beyond 16-bit pixel coordinates.
constexpr FT_Pos RasterMin = -0x8000;
constexpr FT_Pos RasterMax = 0x7FFF;
// Scratch coverage above this size is released after use.
constexpr std::size_t ScratchKeepBytes = std::size_t(1) << 20;
// Sized faces kept open at most; all are closed when a new one would exceed it.
constexpr std::size_t MaxSizedFaces = 48;
// Remembered font requests and name resolutions at most (each map is
// emptied when it would grow beyond this).
constexpr std::size_t MaxRequests = 1024;
// Shear of the synthetic italic (about 12 degrees), 16.16 fixed point.
constexpr FT_Fixed ObliqueShear = 0x0366A;

constexpr char NoFontMessage[] =
    "No usable font found: install the Debian packages fonts-dejavu-core and fontconfig "
    "(apt-get install fonts-dejavu-core fontconfig)";

// Last resort when fontconfig finds nothing.
constexpr std::array<const char*, 2> FallbackFiles = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
    "/usr/share/fonts/dejavu/DejaVuSans.ttf",
};

// Where a glyph moves the pen and where its ink can lie, known without
// rendering it: every pixel its bitmap covers lies in [InkLeft, InkRight) x
// [InkTop, InkBottom) relative to the pen on the baseline (y down). Blank and
// unrenderable glyphs have an empty ink box.
struct TGlyphMetrics {
  std::int32_t Advance = 0;
  std::int32_t InkLeft = 0;
  std::int32_t InkTop = 0;
  std::int32_t InkRight = 0;
  std::int32_t InkBottom = 0;
};

// One rendered glyph: antialiased coverage (one byte per pixel, rows of Width)
// whose top-left pixel lies at (pen + Left, baseline - Top).
struct TGlyph {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Width = 0;
  std::int32_t Rows = 0;
  std::int32_t Advance = 0;
  std::vector<std::uint8_t> Coverage;
};

struct TSizedFace;

// A glyph of a sized face; faces live until every cache is cleared.
struct TGlyphKey {
  TSizedFace* Face = nullptr;
  char32_t Code = 0;
  friend bool operator==(const TGlyphKey&, const TGlyphKey&) = default;
};

struct TGlyphKeyHash {
  std::size_t operator()(const TGlyphKey& k) const {
    const auto face = std::uint64_t(reinterpret_cast<std::uintptr_t>(k.Face));
    return std::hash<std::uint64_t>{}((face * 0x9E3779B97F4A7C15ull) ^ k.Code);
  }
};

// An evicted ASCII glyph is forgotten by its face's shortcut table too.
struct TForgetAsciiGlyph {
  void operator()(const TGlyphKey& key, const TGlyph&) const;
};

using TGlyphCache = TLruCache<TGlyphKey, TGlyph, TGlyphKeyHash, TForgetAsciiGlyph>;
using TMetricsCache = TLruCache<TGlyphKey, TGlyphMetrics, TGlyphKeyHash>;

// A face opened at one pixel size with its synthetic styles, and shortcuts to
// its ASCII glyphs and metrics.
struct TSizedFace {
  FT_Face Face = nullptr;
  std::int32_t PixelSize = 0;
  bool SyntheticBold = false;
  bool SyntheticItalic = false;
  FT_Pos BoldStrength = 0;  // 26.6
  TFontMetrics Metrics;
  TFontDecorations Decorations;
  // Rows that glyphs can reach above and below the baseline (from the font's
  // bounding box, with margin): text outside them is rejected at once.
  std::int32_t ReachAbove = 0;
  std::int32_t ReachBelow = 0;
  // Cached ASCII bitmaps (entries of the glyph cache, reset on eviction) and
  // ASCII metrics (kept with the face).
  std::array<TGlyphCache::TEntry*, 128> AsciiGlyphs{};
  std::array<TGlyphMetrics, 128> AsciiMetrics{};
  std::array<bool, 128> AsciiMeasured{};

  TSizedFace() = default;
  TSizedFace(const TSizedFace&) = delete;
  TSizedFace& operator=(const TSizedFace&) = delete;
  ~TSizedFace() {
    if (Face) FT_Done_Face(Face);
  }
};

void TForgetAsciiGlyph::operator()(const TGlyphKey& key, const TGlyph&) const {
  if (key.Code < key.Face->AsciiGlyphs.size()) key.Face->AsciiGlyphs[key.Code] = nullptr;
}

struct TClip {
  std::int64_t Left, Top, Right, Bottom;
};

// Blends coverage `a` of colour c (packed as in TRGB32, alpha byte 0) into
// the pixel d: round((c * a + d * (255 - a)) / 255) per channel, red and blue
// side by side in one multiply. Full coverage gives c exactly, zero keeps d;
// the alpha byte of d is kept.
inline std::uint32_t BlendPacked(std::uint32_t d, std::uint32_t c, std::uint32_t a) {
  const std::uint32_t na = 255 - a;
  std::uint32_t rb = (c & 0x00FF00FFu) * a + (d & 0x00FF00FFu) * na + 0x00800080u;
  rb = ((rb + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
  std::uint32_t g = ((c >> 8) & 0xFFu) * a + ((d >> 8) & 0xFFu) * na + 0x80u;
  g = ((g + (g >> 8)) >> 8) & 0xFFu;
  return (d & 0xFF000000u) | rb | (g << 8);
}

// Blends one coverage value into `count` pixels (a run of equal coverage), or
// a row of coverage values when `coverage` steps.
inline void BlendRow(TRGB32* dst, const std::uint8_t* coverage, std::size_t step, std::size_t count,
                     std::uint32_t color) {
  for (std::size_t i = 0; i < count; ++i, coverage += step) {
    const std::uint32_t a = *coverage;
    if (a == 0) continue;
    std::uint32_t d;
    std::memcpy(&d, static_cast<const void*>(dst + i), 4);
    d = BlendPacked(d, color, a);
    std::memcpy(static_cast<void*>(dst + i), &d, 4);
  }
}

void BlitGlyph(TBitmap& target, const TClip& clip, std::int64_t gx, std::int64_t gy, const TGlyph& g,
               std::uint32_t color) {
  const std::int64_t x0 = std::max(gx, clip.Left), x1 = std::min(gx + g.Width, clip.Right);
  const std::int64_t y0 = std::max(gy, clip.Top), y1 = std::min(gy + g.Rows, clip.Bottom);
  if (x0 >= x1 || y0 >= y1) return;
  const std::size_t count = std::size_t(x1 - x0);
  const std::uint8_t* src = g.Coverage.data() + std::size_t(y0 - gy) * std::size_t(g.Width) + std::size_t(x0 - gx);
  for (std::int64_t y = y0; y < y1; ++y, src += g.Width)
    BlendRow(target.ScanLine(std::int32_t(y)) + x0, src, 1, count, color);
}

// Where FreeType's coverage spans of a glyph go: glyph space (x right, y up,
// origin at the pen on the baseline) mapped onto the surface, cut to Visible.
struct TSpanTarget {
  TBitmap* Target = nullptr;
  TClip Visible{};
  std::int64_t Pen = 0;
  std::int64_t Baseline = 0;
  std::uint32_t Color = 0;
};

// Glyph-space row y covers [y, y + 1) above the baseline: surface row
// baseline - 1 - y.
void BlendSpans(int y, int count, const FT_Span* spans, void* user) {
  const TSpanTarget& t = *static_cast<const TSpanTarget*>(user);
  const std::int64_t row = t.Baseline - 1 - y;
  if (row < t.Visible.Top || row >= t.Visible.Bottom) return;
  TRGB32* line = t.Target->ScanLine(std::int32_t(row));
  for (int i = 0; i < count; ++i) {
    const std::int64_t x0 = std::max(t.Pen + spans[i].x, t.Visible.Left);
    const std::int64_t x1 = std::min(t.Pen + spans[i].x + spans[i].len, t.Visible.Right);
    if (x0 < x1) BlendRow(line + x0, &spans[i].coverage, 0, std::size_t(x1 - x0), t.Color);
  }
}

struct TResolveKey {
  std::string Name;
  bool Bold;
  bool Italic;
  friend bool operator<(const TResolveKey& a, const TResolveKey& b) {
    return std::tie(a.Name, a.Bold, a.Italic) < std::tie(b.Name, b.Bold, b.Italic);
  }
};

struct TFaceKey {
  std::string Path;
  int Index;
  std::int32_t PixelSize;
  bool SyntheticBold;
  bool SyntheticItalic;
  friend bool operator<(const TFaceKey& a, const TFaceKey& b) {
    return std::tie(a.Path, a.Index, a.PixelSize, a.SyntheticBold, a.SyntheticItalic) <
           std::tie(b.Path, b.Index, b.PixelSize, b.SyntheticBold, b.SyntheticItalic);
  }
};

struct TRequestKey {
  std::string Name;
  std::int32_t PixelSize;
  bool Bold;
  bool Italic;
  friend bool operator<(const TRequestKey& a, const TRequestKey& b) {
    return std::tie(a.Name, a.PixelSize, a.Bold, a.Italic) < std::tie(b.Name, b.PixelSize, b.Bold, b.Italic);
  }
};

std::int32_t ClampPixelSize(const TFont& font) { return std::clamp(font.PixelSize(), 1, MaxPixelSize); }

std::int32_t RoundScaled(double fontUnits, double scale) { return RoundToInt(fontUnits * scale); }

class TFontEngine {
 public:
  static TFontEngine& Instance() {
    // Never destroyed: text may still be measured while other statics go away.
    static TFontEngine* engine = new TFontEngine;
    return *engine;
  }

  std::mutex Lock;

  // The sized face for a font; the result stays valid until the next call of
  // Face() (which may close faces to keep the cache bounded).
  TSizedFace& Face(const TFont& font) {
    const std::int32_t px = ClampPixelSize(font);
    const bool bold = font.Style.Contains(TFontStyle::fsBold);
    const bool italic = font.Style.Contains(TFontStyle::fsItalic);
    if (FLast && FLastPixelSize == px && FLastBold == bold && FLastItalic == italic && FLastName == font.Name)
      return *FLast;
    if (FRequests.size() >= MaxRequests) FRequests.clear();
    TRequestKey request{font.Name, px, bold, italic};
    TSizedFace* face;
    if (auto it = FRequests.find(request); it != FRequests.end()) {
      face = it->second;
    } else {
      face = &Open(font.Name, px, bold, italic);
      FRequests.emplace(std::move(request), face);
    }
    FLast = face;
    FLastName = font.Name;
    FLastPixelSize = px;
    FLastBold = bold;
    FLastItalic = italic;
    return *face;
  }

  // Advance and ink box of a code point, from the glyph's outline alone.
  TGlyphMetrics Metrics(TSizedFace& face, char32_t cp) {
    if (cp < face.AsciiMetrics.size()) {
      if (!face.AsciiMeasured[cp]) {
        face.AsciiMetrics[cp] = Measure(face, cp);
        face.AsciiMeasured[cp] = true;
      }
      return face.AsciiMetrics[cp];
    }
    const TGlyphKey key{&face, cp};
    if (const TMetricsCache::TEntry* e = FMetrics.Find(key)) return e->V;
    const TGlyphMetrics m = Measure(face, cp);
    FMetrics.Insert(key, m, sizeof(TMetricsCache::TEntry) + CacheEntryOverhead);
    return m;
  }

  // The rendered glyph of a code point, cached; valid until the next Glyph()
  // call.
  const TGlyph& Glyph(TSizedFace& face, char32_t cp) {
    const bool ascii = cp < face.AsciiGlyphs.size();
    if (ascii && face.AsciiGlyphs[cp]) {
      FGlyphs.Touch(*face.AsciiGlyphs[cp]);
      return face.AsciiGlyphs[cp]->V;
    }
    const TGlyphKey key{&face, cp};
    if (const TGlyphCache::TEntry* e = FGlyphs.Find(key)) return e->V;
    TGlyph glyph;
    RenderBitmap(face, cp, glyph);
    const std::size_t bytes = glyph.Coverage.size() + sizeof(TGlyphCache::TEntry) + CacheEntryOverhead;
    if (bytes > FGlyphs.Budget()) {
      FScratch = std::move(glyph);
      return FScratch;
    }
    TGlyphCache::TEntry* e = FGlyphs.Insert(key, std::move(glyph), bytes);
    if (ascii) face.AsciiGlyphs[cp] = e;
    return e->V;
  }

  // Draws the glyph of a code point with its origin at (pen, baseline), only
  // inside `clip`. Glyphs wholly outside cost a look at their metrics; small
  // glyphs and those mostly visible come from the cache; big ones are
  // rasterised straight into the surface where visible and never cached.
  void DrawGlyph(TSizedFace& face, char32_t cp, const TGlyphMetrics& m, TBitmap& target, const TClip& clip,
                 std::int64_t pen, std::int64_t baseline, std::uint32_t color) {
    const TClip ink{pen + m.InkLeft, baseline + m.InkTop, pen + m.InkRight, baseline + m.InkBottom};
    const TClip seen{std::max(ink.Left, clip.Left), std::max(ink.Top, clip.Top), std::min(ink.Right, clip.Right),
                     std::min(ink.Bottom, clip.Bottom)};
    if (seen.Left >= seen.Right || seen.Top >= seen.Bottom) return;
    const auto area = [](const TClip& r) { return std::uint64_t(r.Right - r.Left) * std::uint64_t(r.Bottom - r.Top); };
    const std::uint64_t inkBytes = area(ink);
    const bool cacheable = inkBytes <= FGlyphs.Budget() / UncachedGlyphShare;
    if (cacheable && (inkBytes <= SmallGlyphBytes || 2 * area(seen) >= inkBytes)) {
      const TGlyph& g = Glyph(face, cp);
      if (!g.Coverage.empty()) BlitGlyph(target, clip, pen + g.Left, baseline - g.Top, g, color);
    } else {
      DrawDirect(face, cp, target, seen, pen, baseline, color);
    }
  }

  // The advance of a glyph as the rendering path sees it, rendered without
  // being cached.
  std::int32_t RenderedAdvance(TSizedFace& face, char32_t cp) {
    RenderBitmap(face, cp, FScratch);
    const std::int32_t advance = FScratch.Advance;
    ReleaseLargeScratch();
    return advance;
  }

  TResolvedFont Resolve(const std::string& name, bool bold, bool italic) {
    TResolveKey key{name, bold, italic};
    if (auto it = FResolved.find(key); it != FResolved.end()) return it->second;
    if (FResolved.size() >= MaxRequests) FResolved.clear();
    TResolvedFont resolved = ResolveUncached(name, bold, italic);
    FResolved.emplace(std::move(key), resolved);
    return resolved;
  }

  TFontCacheStats Stats() const {
    TFontCacheStats s = FCounters;
    s.Faces = FFaces.size();
    s.Glyphs = FGlyphs.Size();
    s.GlyphBytes = FGlyphs.Bytes();
    s.GlyphBudget = FGlyphs.Budget();
    s.Metrics = FMetrics.Size();
    s.MetricsBytes = FMetrics.Bytes();
    return s;
  }

  void SetGlyphBudget(std::size_t bytes) { FGlyphs.SetBudget(bytes); }

  void Clear() {
    FLast = nullptr;
    FRequests.clear();
    // The caches refer to the faces: they go first.
    FGlyphs.Clear();
    FMetrics.Clear();
    FFaces.clear();
  }

  void ResetCounters() { FCounters = {}; }

 private:
  TFontEngine() = default;

  FT_Library Library() {
    if (!FLibrary && FT_Init_FreeType(&FLibrary) != 0) {
      FLibrary = nullptr;
      RaiseMivoError("FreeType could not be initialised");
    }
    return FLibrary;
  }

  // Asks fontconfig for the best file; empty Path when it has none.
  TResolvedFont MatchFontconfig(const std::string& family, bool bold, bool italic) {
    TResolvedFont result;
    if (!FFontconfigReady) {
      FFontconfigReady = true;
      FFontconfigUsable = FcInit() == FcTrue;
      // Lets fontconfig release its configuration at exit (leak checkers watch).
      if (FFontconfigUsable) std::atexit([] { FcFini(); });
    }
    if (!FFontconfigUsable) return result;
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return result;
    if (!family.empty())
      FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult res = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &res);
    FcPatternDestroy(pattern);
    if (!match) return result;
    FcChar8* file = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file) {
      result.Path = reinterpret_cast<const char*>(file);
      int index = 0, weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
      if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch) result.Index = std::max(index, 0);
      FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
      FcPatternGetInteger(match, FC_SLANT, 0, &slant);
      // Where fontconfig's configuration synthesises a style it reports the
      // requested weight or slant and asks for emboldening or a shear instead.
      FcBool embolden = FcFalse;
      FcPatternGetBool(match, FC_EMBOLDEN, 0, &embolden);
      FcMatrix* matrix = nullptr;
      const bool sheared = FcPatternGetMatrix(match, FC_MATRIX, 0, &matrix) == FcResultMatch && matrix &&
                           matrix->xy != 0;
      result.SyntheticBold = bold && (weight < FC_WEIGHT_DEMIBOLD || embolden == FcTrue);
      result.SyntheticItalic = italic && (slant == FC_SLANT_ROMAN || sheared);
    }
    FcPatternDestroy(match);
    return result;
  }

  bool Usable(const TResolvedFont& font) {
    if (font.Path.empty()) return false;
    FT_Face face = nullptr;
    if (FT_New_Face(Library(), font.Path.c_str(), font.Index, &face) != 0) return false;
    const bool ok = FT_IS_SCALABLE(face) || face->num_fixed_sizes > 0;
    FT_Done_Face(face);
    return ok;
  }

  // The requested family, then any sans-serif face, then DejaVu Sans by name
  // and at its usual paths.
  TResolvedFont ResolveUncached(const std::string& name, bool bold, bool italic) {
    return ResolveChain({name, "sans-serif", "DejaVu Sans"}, {std::begin(FallbackFiles), std::end(FallbackFiles)}, bold,
                        italic);
  }

 public:
  // The first usable face: the families through fontconfig in order, then the
  // files as they are.
  TResolvedFont ResolveChain(const std::vector<std::string>& families, const std::vector<std::string>& files,
                             bool bold, bool italic) {
    for (const std::string& family : families) {
      TResolvedFont candidate = MatchFontconfig(family, bold, italic);
      if (Usable(candidate)) return candidate;
    }
    for (const std::string& path : files) {
      TResolvedFont candidate{path, 0, bold, italic};
      if (Usable(candidate)) return candidate;
    }
    RaiseMivoError(NoFontMessage);
  }

 private:
  TSizedFace& Open(const std::string& name, std::int32_t px, bool bold, bool italic) {
    const TResolvedFont file = Resolve(name, bold, italic);
    TFaceKey key{file.Path, file.Index, px, file.SyntheticBold, file.SyntheticItalic};
    if (auto it = FFaces.find(key); it != FFaces.end()) return *it->second;
    if (FFaces.size() >= MaxSizedFaces) Clear();
    auto face = std::make_unique<TSizedFace>();
    if (FT_New_Face(Library(), file.Path.c_str(), file.Index, &face->Face) != 0) {
      face->Face = nullptr;
      RaiseMivoError("Font file '" + file.Path + "' could not be opened. " + NoFontMessage);
    }
    face->PixelSize = px;
    face->SyntheticBold = file.SyntheticBold;
    face->SyntheticItalic = file.SyntheticItalic;
    SetUpSize(*face, px, file.Path);
    TSizedFace& result = *face;
    FFaces.emplace(std::move(key), std::move(face));
    return result;
  }

  static void SetUpSize(TSizedFace& sized, std::int32_t px, const std::string& path) {
    FT_Face face = sized.Face;
    FT_CharMap unicode = nullptr;
    for (int i = 0; i < face->num_charmaps; ++i)
      if (face->charmaps[i]->encoding == FT_ENCODING_UNICODE) unicode = face->charmaps[i];
    if (unicode) FT_Set_Charmap(face, unicode);

    bool sized_ok = false;
    if (FT_IS_SCALABLE(face)) {
      sized_ok = FT_Set_Pixel_Sizes(face, 0, FT_UInt(px)) == 0;
    } else if (face->num_fixed_sizes > 0) {
      int best = 0;
      for (int i = 1; i < face->num_fixed_sizes; ++i)
        if (std::abs(face->available_sizes[i].height - px) < std::abs(face->available_sizes[best].height - px))
          best = i;
      sized_ok = FT_Select_Size(face, best) == 0;
    }
    if (!sized_ok) RaiseMivoError("Font file '" + path + "' cannot be used at " + std::to_string(px) + " pixels");

    TFontMetrics& m = sized.Metrics;
    TFontDecorations& d = sized.Decorations;
    if (FT_IS_SCALABLE(face) && face->units_per_EM > 0) {
      const double scale = double(px) / face->units_per_EM;
      m.Ascent = std::max(RoundScaled(face->ascender, scale), 1);
      m.Descent = std::max(RoundScaled(-double(face->descender), scale), 0);
      d.UnderlineThickness = std::max(RoundScaled(face->underline_thickness, scale), 1);
      // underline_position is the centre of the stroke, negative below the baseline.
      d.UnderlineOffset = std::max(RoundScaled(-double(face->underline_position), scale) - d.UnderlineThickness / 2, 1);
      const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
      if (os2 && os2->version != 0xFFFF && os2->yStrikeoutSize > 0 && os2->yStrikeoutPosition > 0) {
        d.StrikeThickness = std::max(RoundScaled(os2->yStrikeoutSize, scale), 1);
        // yStrikeoutPosition is the top of the stroke above the baseline.
        d.StrikeOffset = -RoundScaled(os2->yStrikeoutPosition, scale);
      } else {
        d.StrikeThickness = d.UnderlineThickness;
        d.StrikeOffset = -std::max(RoundToInt(m.Ascent * 0.3), 1);
      }
      sized.ReachAbove = std::max(RoundScaled(face->bbox.yMax, scale), m.Ascent) + 2;
      sized.ReachBelow = std::max(RoundScaled(-double(face->bbox.yMin), scale), m.Descent) + 2;
    } else {
      m.Ascent = std::max(int(face->size->metrics.ascender >> 6), 1);
      m.Descent = std::max(int(-(face->size->metrics.descender >> 6)), 0);
      d.UnderlineThickness = 1;
      d.UnderlineOffset = std::max(m.Descent / 2, 1);
      d.StrikeThickness = 1;
      d.StrikeOffset = -std::max(m.Ascent / 3, 1);
      sized.ReachAbove = 2 * m.Ascent + 2;
      sized.ReachBelow = 2 * m.Descent + 2;
    }
    m.Height = m.Ascent + m.Descent;
    // Keep the underline inside the cell when the cell has room for it.
    if (d.UnderlineOffset + d.UnderlineThickness > m.Descent)
      d.UnderlineOffset = std::max(m.Descent - d.UnderlineThickness, 1);
    if (sized.SyntheticBold) sized.BoldStrength = std::max<FT_Pos>(FT_Pos(px) * 64 / 24, 16);
    // Room for emboldening and the shear, generously.
    sized.ReachAbove += 2 + px / 8;
    sized.ReachBelow += 2 + px / 8;
  }

  // Loads the glyph of a code point into the face's slot as measuring and
  // drawing both see it: hinted for the light target, emboldened and sheared
  // where the face's styles are synthetic; missing glyphs load as notdef.
  // False when nothing loads. `advance` gets the pen advance in pixels
  // (rendering leaves it alone, so measuring needs no bitmap).
  static bool LoadGlyph(TSizedFace& sized, char32_t cp, std::int32_t& advance) {
    FT_Face face = sized.Face;
    const FT_UInt index = FT_Get_Char_Index(face, FT_ULong(cp));  // 0 is the notdef glyph
    const FT_Int32 flags = FT_LOAD_DEFAULT | FT_LOAD_TARGET_LIGHT;
    advance = 0;
    if (FT_Load_Glyph(face, index, flags) != 0 && FT_Load_Glyph(face, 0, flags) != 0) return false;
    FT_GlyphSlot slot = face->glyph;
    FT_Pos pos = slot->advance.x;
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
      if (sized.SyntheticBold) {
        FT_Outline_Embolden(&slot->outline, sized.BoldStrength);
        pos += sized.BoldStrength;
      }
      if (sized.SyntheticItalic) {
        FT_Matrix shear{0x10000, ObliqueShear, 0, 0x10000};
        FT_Outline_Transform(&slot->outline, &shear);
      }
    }
    advance = std::int32_t(std::clamp<FT_Pos>((pos + 32) >> 6, 0, 4 * MaxPixelSize));
    return true;
  }

  TGlyphMetrics Measure(TSizedFace& sized, char32_t cp) {
    ++FCounters.MetricLoads;
    TGlyphMetrics m;
    if (!LoadGlyph(sized, cp, m.Advance)) return m;
    const FT_GlyphSlot slot = sized.Face->glyph;
    // The bitmap box in whole pixels (y up), as FreeType will render it.
    FT_Pos xMin, yMin, xMax, yMax;
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
      if (slot->outline.n_points <= 0) return m;
      FT_BBox box;
      FT_Outline_Get_CBox(&slot->outline, &box);
      xMin = box.xMin >> 6;
      yMin = box.yMin >> 6;
      xMax = (box.xMax + 63) >> 6;
      yMax = (box.yMax + 63) >> 6;
    } else if (slot->format == FT_GLYPH_FORMAT_BITMAP) {
      xMin = slot->bitmap_left;
      yMax = slot->bitmap_top;
      xMax = xMin + FT_Pos(slot->bitmap.width);
      yMin = yMax - FT_Pos(slot->bitmap.rows);
    } else {
      const FT_Glyph_Metrics& gm = slot->metrics;
      xMin = gm.horiBearingX >> 6;
      yMax = (gm.horiBearingY + 63) >> 6;
      xMax = (gm.horiBearingX + gm.width + 63) >> 6;
      yMin = (gm.horiBearingY - gm.height) >> 6;
    }
    if (xMin < RasterMin || xMax > RasterMax || yMin < RasterMin || yMax > RasterMax) return m;
    // One pixel of margin: FreeType widens boxes thinner than a pixel.
    m.InkLeft = std::int32_t(xMin - 1);
    m.InkRight = std::int32_t(xMax + 1);
    m.InkTop = std::int32_t(-yMax - 1);
    m.InkBottom = std::int32_t(-yMin + 1);
    return m;
  }

  void RenderBitmap(TSizedFace& sized, char32_t cp, TGlyph& glyph) {
    ++FCounters.BitmapRenders;
    glyph.Left = glyph.Top = glyph.Width = glyph.Rows = 0;
    glyph.Coverage.clear();
    if (LoadGlyph(sized, cp, glyph.Advance)) CopyRendered(sized.Face->glyph, glyph);
  }

  // Renders the loaded glyph and copies its coverage; leaves the glyph empty
  // when FreeType renders nothing usable.
  static void CopyRendered(FT_GlyphSlot slot, TGlyph& glyph) {
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return;
    const FT_Bitmap& bm = slot->bitmap;
    if (bm.width == 0 || bm.rows == 0 || !bm.buffer) return;
    if (bm.pixel_mode != FT_PIXEL_MODE_GRAY && bm.pixel_mode != FT_PIXEL_MODE_MONO &&
        bm.pixel_mode != FT_PIXEL_MODE_BGRA)
      return;
    glyph.Width = int(bm.width);
    glyph.Rows = int(bm.rows);
    glyph.Left = slot->bitmap_left;
    glyph.Top = slot->bitmap_top;
    glyph.Coverage.resize(std::size_t(bm.width) * bm.rows);
    const int pitch = bm.pitch;
    for (unsigned row = 0; row < bm.rows; ++row) {
      const std::uint8_t* src =
          pitch >= 0 ? bm.buffer + std::size_t(row) * pitch : bm.buffer + std::size_t(bm.rows - 1 - row) * -pitch;
      std::uint8_t* dst = glyph.Coverage.data() + std::size_t(row) * bm.width;
      for (unsigned col = 0; col < bm.width; ++col) {
        switch (bm.pixel_mode) {
          case FT_PIXEL_MODE_GRAY:
            dst[col] = bm.num_grays == 256 ? src[col] : std::uint8_t(src[col] * 255 / std::max(bm.num_grays - 1, 1));
            break;
          case FT_PIXEL_MODE_MONO:
            dst[col] = (src[col >> 3] >> (7 - (col & 7))) & 1 ? 255 : 0;
            break;
          default:  // BGRA colour glyphs: their alpha serves as coverage
            dst[col] = src[4 * col + 3];
            break;
        }
      }
    }
  }

  // Rasterises a glyph into the surface inside `visible` (which lies within
  // its ink box) without caching it. Outlines go through FreeType's smooth
  // rasteriser clipped to the visible box, so the cost follows what is seen,
  // with the coverage FT_Render_Glyph gives; bitmap glyphs and outlines that
  // FreeType renders oversampled are rendered whole into the scratch glyph.
  void DrawDirect(TSizedFace& sized, char32_t cp, TBitmap& target, const TClip& visible, std::int64_t pen,
                  std::int64_t baseline, std::uint32_t color) {
    ++FCounters.DirectDraws;
    std::int32_t advance;
    if (!LoadGlyph(sized, cp, advance)) return;
    FT_GlyphSlot slot = sized.Face->glyph;
    bool whole = slot->format != FT_GLYPH_FORMAT_OUTLINE;
#ifdef FT_OUTLINE_OVERLAP
    whole = whole || (slot->outline.flags & FT_OUTLINE_OVERLAP) != 0;
#endif
    if (whole) {
      FScratch.Left = FScratch.Top = FScratch.Width = FScratch.Rows = 0;
      FScratch.Coverage.clear();
      CopyRendered(slot, FScratch);
      if (!FScratch.Coverage.empty())
        BlitGlyph(target, visible, pen + FScratch.Left, baseline - FScratch.Top, FScratch, color);
      ReleaseLargeScratch();
      return;
    }
    // Moved by whole pixels to the corner of its bitmap box as FT_Render_Glyph
    // moves it: FreeType's coverage then comes out the same to the last bit.
    FT_BBox box;
    FT_Outline_Get_CBox(&slot->outline, &box);
    const FT_Pos left = box.xMin >> 6, bottom = box.yMin >> 6;
    FT_Outline_Translate(&slot->outline, -left * 64, -bottom * 64);
    TSpanTarget spans{&target, visible, pen + left, baseline - bottom, color};
    FT_Raster_Params params{};
    params.flags = FT_RASTER_FLAG_AA | FT_RASTER_FLAG_DIRECT | FT_RASTER_FLAG_CLIP;
    params.gray_spans = BlendSpans;
    params.user = &spans;
    // The visible part of the bitmap box; Measure kept it within 16-bit pixels.
    params.clip_box = {FT_Pos(visible.Left - spans.Pen), FT_Pos(spans.Baseline - visible.Bottom),
                       FT_Pos(visible.Right - spans.Pen), FT_Pos(spans.Baseline - visible.Top)};
    FT_Outline_Render(Library(), &slot->outline, &params);
  }

  void ReleaseLargeScratch() {
    if (FScratch.Coverage.capacity() > ScratchKeepBytes) FScratch.Coverage = {};
  }

  FT_Library FLibrary = nullptr;
  bool FFontconfigReady = false;
  bool FFontconfigUsable = false;
  std::map<TResolveKey, TResolvedFont> FResolved;
  std::map<TFaceKey, std::unique_ptr<TSizedFace>> FFaces;
  std::map<TRequestKey, TSizedFace*> FRequests;
  TGlyphCache FGlyphs{GlyphCacheBudgetBytes};
  TMetricsCache FMetrics{MetricsCacheBudgetBytes};
  // Glyphs drawn or measured without being kept.
  TGlyph FScratch;
  TFontCacheStats FCounters;
  // The most recent request, which text drawing repeats nearly always.
  TSizedFace* FLast = nullptr;
  std::string FLastName;
  std::int32_t FLastPixelSize = 0;
  bool FLastBold = false;
  bool FLastItalic = false;
};

std::int64_t AdvanceWidth(TFontEngine& engine, TSizedFace& face, std::string_view text) {
  std::int64_t width = 0;
  for (std::size_t pos = 0; pos < text.size();) width += engine.Metrics(face, DecodeUtf8(text, pos)).Advance;
  return width;
}

std::int32_t ClampToInt32(std::int64_t v) {
  return std::int32_t(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                               std::numeric_limits<std::int32_t>::max()));
}

void FillBand(TBitmap& target, const TClip& clip, std::int64_t x0, std::int64_t x1, std::int64_t y0, std::int64_t y1,
              std::uint32_t packed) {
  TRGB32 color;
  std::memcpy(static_cast<void*>(&color), &packed, 4);
  x0 = std::max(x0, clip.Left);
  x1 = std::min(x1, clip.Right);
  y0 = std::max(y0, clip.Top);
  y1 = std::min(y1, clip.Bottom);
  for (std::int64_t y = y0; y < y1; ++y) {
    TRGB32* row = target.ScanLine(std::int32_t(y));
    for (std::int64_t x = x0; x < x1; ++x) {
      row[x].B = color.B;
      row[x].G = color.G;
      row[x].R = color.R;
    }
  }
}

}  // namespace

TResolvedFont ResolveFont(const std::string& name, bool bold, bool italic) {
  TFontEngine& engine = TFontEngine::Instance();
  std::lock_guard guard(engine.Lock);
  return engine.Resolve(name, bold, italic);
}

TResolvedFont ResolveFontChain(const std::vector<std::string>& families, const std::vector<std::string>& files,
                               bool bold, bool italic) {
  TFontEngine& engine = TFontEngine::Instance();
  std::lock_guard guard(engine.Lock);
  return engine.ResolveChain(families, files, bold, italic);
}

TFontCacheStats FontCacheStats() {
  TFontEngine& engine = TFontEngine::Instance();
  std::lock_guard guard(engine.Lock);
  return engine.Stats();
}

void ClearFontCaches() {
  TFontEngine& engine = TFontEngine::Instance();
  std::lock_guard guard(engine.Lock);
  engine.Clear();
  engine.ResetCounters();
}

std::size_t SetGlyphCacheBudget(std::size_t bytes) {
  TFontEngine& engine = TFontEngine::Instance();
  std::lock_guard guard(engine.Lock);
  const std::size_t previous = engine.Stats().GlyphBudget;
  engine.SetGlyphBudget(bytes);
  return previous;
}

std::int32_t RenderedTextWidth(const TFont& font, std::string_view text) {
  TFontEngine& engine = TFontEngine::Instance();
  std::lock_guard guard(engine.Lock);
  TSizedFace& face = engine.Face(font);
  std::int64_t width = 0;
  for (std::size_t pos = 0; pos < text.size();) width += engine.RenderedAdvance(face, DecodeUtf8(text, pos));
  return ClampToInt32(width);
}

TFontDecorations GetFontDecorations(const TFont& font) {
  TFontEngine& engine = TFontEngine::Instance();
  std::lock_guard guard(engine.Lock);
  return engine.Face(font).Decorations;
}

}  // namespace detail

TFontMetrics GetFontMetrics(const TFont& font) {
  detail::TFontEngine& engine = detail::TFontEngine::Instance();
  std::lock_guard guard(engine.Lock);
  return engine.Face(font).Metrics;
}

std::int32_t MeasureTextWidth(const TFont& font, std::string_view text) {
  detail::TFontEngine& engine = detail::TFontEngine::Instance();
  std::lock_guard guard(engine.Lock);
  return detail::ClampToInt32(detail::AdvanceWidth(engine, engine.Face(font), text));
}

void RenderText(TBitmap& target, const TRect& clip, std::int32_t x, std::int32_t y, const TFont& font,
                std::string_view text) {
  const detail::TClip c{std::max<std::int64_t>(clip.Left, 0), std::max<std::int64_t>(clip.Top, 0),
                        std::min<std::int64_t>(clip.Right, target.Width()),
                        std::min<std::int64_t>(clip.Bottom, target.Height())};
  if (text.empty() || c.Left >= c.Right || c.Top >= c.Bottom) return;
  detail::TFontEngine& engine = detail::TFontEngine::Instance();
  std::lock_guard guard(engine.Lock);
  detail::TSizedFace& face = engine.Face(font);
  const std::int64_t baseline = std::int64_t(y) + face.Metrics.Ascent;
  if (baseline - face.ReachAbove >= c.Bottom || baseline + face.ReachBelow <= c.Top) return;
  const TRGB32 rgb = ToRGB32(ColorToRGB(font.Color));
  std::uint32_t color;
  std::memcpy(&color, static_cast<const void*>(&rgb), 4);
  std::int64_t pen = x;
  for (std::size_t pos = 0; pos < text.size();) {
    const char32_t cp = detail::DecodeUtf8(text, pos);
    const detail::TGlyphMetrics m = engine.Metrics(face, cp);
    engine.DrawGlyph(face, cp, m, target, c, pen, baseline, color);
    pen += m.Advance;
  }
  const detail::TFontDecorations& d = face.Decorations;
  if (font.Style.Contains(TFontStyle::fsUnderline))
    detail::FillBand(target, c, x, pen, baseline + d.UnderlineOffset, baseline + d.UnderlineOffset + d.UnderlineThickness,
                     color);
  if (font.Style.Contains(TFontStyle::fsStrikeOut))
    detail::FillBand(target, c, x, pen, baseline + d.StrikeOffset, baseline + d.StrikeOffset + d.StrikeThickness, color);
}

}  // namespace mivo
