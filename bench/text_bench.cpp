// Text drawing and measuring, two loads:
//
// Short numeric labels, the bulk of what the charts draw: 10,000 TextOut of
// "12.5" in DejaVu Sans 8 pt at 96 pixels per inch on a 1000 x 700 surface.
// Yardsticks in the same program:
//   Floor - the same glyph coverage, rendered once with FreeType and blended
//           by a plain loop: what any cache-based text path must pay at least.
//   Cairo - cairo_show_text at the same pixel size with antialiasing off.
// Compare the times of BM_CanvasTextOut with both.
//
// Big text, where the glyph cache cannot hold every glyph:
//   ManyGlyphs - one string of 1,766 distinct code points at 300 pt (400 px);
//   Long1300pt - a 5,600-character text of ~70 distinct glyphs at 1300 pt.
// TextWidth of each is compared with FreeType's own FT_Get_Advance loop over
// the same characters (BM_FloorAdvance*). TextOut of the long text on the
// 1000 x 700 surface is compared with rendering each of its distinct glyphs
// once (BM_FloorRender*); TextOut of the many glyphs, one glyph per call so that
// every one is visible, with rendering each of them once.

#include <benchmark/benchmark.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H

#include <array>
#include <set>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"

#ifdef MIVO_HAVE_CAIRO
#include <cairo.h>
#endif

namespace {

constexpr int SurfaceWidth = 1000;
constexpr int SurfaceHeight = 700;
constexpr int Labels = 10000;
constexpr const char* Label = "12.5";

// Spread the labels over the surface the same way for every contender.
struct TPos {
  int x, y;
};
const std::vector<TPos>& Positions() {
  static const std::vector<TPos> positions = [] {
    std::vector<TPos> p(Labels);
    for (int i = 0; i < Labels; ++i) p[i] = {(i * 37) % (SurfaceWidth - 40), (i * 53) % (SurfaceHeight - 20)};
    return p;
  }();
  return positions;
}

// A white surface whose canvas writes DejaVu Sans of a size on a clear brush.
struct TTextSurface {
  mivo::TBitmap Bitmap{SurfaceWidth, SurfaceHeight};
  explicit TTextSurface(int points) {
    Bitmap.Clear(mivo::clWhite);
    mivo::TCanvas& canvas = Bitmap.Canvas();
    canvas.Brush.Style = mivo::TBrushStyle::bsClear;
    canvas.Font.Name = "DejaVu Sans";
    canvas.Font.Size = points;
  }
};

void BM_CanvasTextOut(benchmark::State& state) {
  TTextSurface surface(8);
  mivo::TCanvas& canvas = surface.Bitmap.Canvas();
  const auto& positions = Positions();
  for (auto _ : state) {
    for (const TPos& p : positions) canvas.TextOut(p.x, p.y, Label);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * Labels);
}
BENCHMARK(BM_CanvasTextOut)->Unit(benchmark::kMicrosecond);

// ---- the floor ---------------------------------------------------------------

struct TCoverage {
  int Left = 0, Top = 0, Width = 0, Rows = 0, Advance = 0;
  std::vector<std::uint8_t> Alpha;
};

std::string DejaVuFile() {
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("DejaVu Sans"));
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  std::string file;
  FcChar8* path = nullptr;
  if (match && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) file = reinterpret_cast<char*>(path);
  if (match) FcPatternDestroy(match);
  FcPatternDestroy(pattern);
  return file;
}

// The same exact per-channel blend the library uses.
inline std::uint32_t BlendPacked(std::uint32_t d, std::uint32_t c, std::uint32_t a) {
  const std::uint32_t na = 255 - a;
  std::uint32_t rb = (c & 0x00FF00FFu) * a + (d & 0x00FF00FFu) * na + 0x00800080u;
  rb = ((rb + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
  std::uint32_t g = ((c >> 8) & 0xFFu) * a + ((d >> 8) & 0xFFu) * na + 0x80u;
  g = ((g + (g >> 8)) >> 8) & 0xFFu;
  return (d & 0xFF000000u) | rb | (g << 8);
}

void BM_FloorCachedBlit(benchmark::State& state) {
  FT_Library lib;
  FT_Face face;
  if (FT_Init_FreeType(&lib) || FT_New_Face(lib, DejaVuFile().c_str(), 0, &face)) {
    state.SkipWithError("no DejaVu Sans");
    return;
  }
  FT_Set_Pixel_Sizes(face, 0, 11);  // 8 pt at 96 ppi
  std::array<TCoverage, 128> glyphs;
  for (const char* c = Label; *c; ++c) {
    TCoverage& g = glyphs[std::uint8_t(*c)];
    FT_Load_Char(face, FT_ULong(*c), FT_LOAD_DEFAULT | FT_LOAD_TARGET_LIGHT);
    FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL);
    const FT_Bitmap& b = face->glyph->bitmap;
    g = {face->glyph->bitmap_left, face->glyph->bitmap_top, int(b.width), int(b.rows),
         int((face->glyph->advance.x + 32) >> 6), {}};
    for (unsigned r = 0; r < b.rows; ++r) g.Alpha.insert(g.Alpha.end(), b.buffer + r * b.pitch, b.buffer + r * b.pitch + b.width);
  }
  const int ascent = 10;
  mivo::TBitmap bmp(SurfaceWidth, SurfaceHeight);
  bmp.Clear(mivo::clWhite);
  const std::uint32_t color = 0;  // black
  const auto& positions = Positions();
  for (auto _ : state) {
    for (const TPos& p : positions) {
      int pen = p.x;
      for (const char* c = Label; *c; ++c) {
        const TCoverage& g = glyphs[std::uint8_t(*c)];
        const int x0 = pen + g.Left, y0 = p.y + ascent - g.Top;
        for (int r = 0; r < g.Rows; ++r) {
          mivo::TRGB32* dst = bmp.ScanLine(y0 + r) + x0;
          const std::uint8_t* src = g.Alpha.data() + r * g.Width;
          for (int i = 0; i < g.Width; ++i) {
            const std::uint32_t a = src[i];
            if (a == 0) continue;
            std::uint32_t d;
            std::memcpy(&d, static_cast<const void*>(dst + i), 4);
            d = BlendPacked(d, color, a);
            std::memcpy(static_cast<void*>(dst + i), &d, 4);
          }
        }
        pen += g.Advance;
      }
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * Labels);
  FT_Done_Face(face);
  FT_Done_FreeType(lib);
}
BENCHMARK(BM_FloorCachedBlit)->Unit(benchmark::kMicrosecond);

// ---- big text ----------------------------------------------------------------

constexpr int ManyGlyphsPoints = 300;
constexpr int LongTextPoints = 1300;
constexpr int LongTextChars = 5600;

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

// Latin, Greek, Cyrillic, arrows, maths, box drawing: ranges DejaVu Sans covers.
const std::vector<char32_t>& ManyCodePoints() {
  static const std::vector<char32_t> cps = [] {
    std::vector<char32_t> v;
    const std::pair<char32_t, char32_t> ranges[] = {{0x21, 0x7F},     {0xA1, 0x250},    {0x391, 0x3CA},
                                                    {0x400, 0x530},   {0x1E00, 0x1F00}, {0x2190, 0x2200},
                                                    {0x2200, 0x2300}, {0x2500, 0x2600}};
    for (const auto& [first, last] : ranges)
      for (char32_t cp = first; cp < last; ++cp) v.push_back(cp);
    return v;
  }();
  return cps;
}

std::string ManyGlyphsText() {
  std::string s;
  for (char32_t cp : ManyCodePoints()) AppendUtf8(s, cp);
  return s;
}

// Prose-like text: words of a pangram and digits in a scrambled order.
const std::string& LongText() {
  static const std::string text = [] {
    const char32_t alphabet[] = U"The quick brown fox jumps over the lazy dog. 0123456789 "
                                U"PACK MY BOX WITH FIVE DOZEN LIQUOR JUGS! \u00C4\u00D6\u00DC\u00E4\u00F6\u00FC\u00DF";
    const std::size_t n = std::size(alphabet) - 1;
    std::string s;
    std::uint32_t state = 12345;
    for (int i = 0; i < LongTextChars; ++i) {
      state = state * 1103515245u + 12345u;
      AppendUtf8(s, alphabet[(state >> 16) % n]);
    }
    return s;
  }();
  return text;
}

std::vector<char32_t> CodePointsOf(const std::string& text) {
  std::vector<char32_t> cps;
  for (std::size_t i = 0; i < text.size();) {
    const auto b = std::uint8_t(text[i]);
    const int len = b < 0x80 ? 1 : b < 0xE0 ? 2 : 3;
    char32_t cp = len == 1 ? b : len == 2 ? b & 0x1F : b & 0x0F;
    for (int k = 1; k < len; ++k) cp = (cp << 6) | (std::uint8_t(text[i + k]) & 0x3F);
    cps.push_back(cp);
    i += std::size_t(len);
  }
  return cps;
}

int PixelsOf(int points) { return (points * 96 + 36) / 72; }

void CanvasTextWidth(benchmark::State& state, const std::string& text, int points) {
  mivo::TBitmap bmp(8, 8);
  mivo::TCanvas& canvas = bmp.Canvas();
  canvas.Font.Name = "DejaVu Sans";
  canvas.Font.Size = points;
  for (auto _ : state) benchmark::DoNotOptimize(canvas.TextWidth(text));
  state.SetItemsProcessed(state.iterations() * std::int64_t(CodePointsOf(text).size()));
}

void BM_CanvasTextWidthManyGlyphs(benchmark::State& state) {
  CanvasTextWidth(state, ManyGlyphsText(), ManyGlyphsPoints);
}
BENCHMARK(BM_CanvasTextWidthManyGlyphs)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

void BM_CanvasTextWidthLong1300pt(benchmark::State& state) { CanvasTextWidth(state, LongText(), LongTextPoints); }
BENCHMARK(BM_CanvasTextWidthLong1300pt)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

// Every glyph of the string in its own TextOut, on a grid of the surface, so
// that all of them are visible.
void BM_CanvasTextOutManyGlyphs(benchmark::State& state) {
  TTextSurface surface(ManyGlyphsPoints);
  mivo::TCanvas& canvas = surface.Bitmap.Canvas();
  std::vector<std::string> glyphs;
  for (char32_t cp : ManyCodePoints()) AppendUtf8(glyphs.emplace_back(), cp);
  const int px = PixelsOf(ManyGlyphsPoints);
  for (auto _ : state) {
    for (std::size_t i = 0; i < glyphs.size(); ++i)
      canvas.TextOut(int(i * 97 % std::size_t(SurfaceWidth - px / 2)), int(i * 31 % std::size_t(SurfaceHeight - px)),
                     glyphs[i]);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * std::int64_t(glyphs.size()));
}
BENCHMARK(BM_CanvasTextOutManyGlyphs)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

void BM_CanvasTextOutLong1300pt(benchmark::State& state) {
  TTextSurface surface(LongTextPoints);
  mivo::TCanvas& canvas = surface.Bitmap.Canvas();
  for (auto _ : state) {
    canvas.TextOut(-200, -300, LongText());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * LongTextChars);
}
BENCHMARK(BM_CanvasTextOutLong1300pt)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// FreeType with the DejaVu Sans face at a pixel size, or an error on `state`.
struct TFreeTypeFace {
  FT_Library Lib = nullptr;
  FT_Face Face = nullptr;
  TFreeTypeFace(benchmark::State& state, int pixels) {
    if (FT_Init_FreeType(&Lib) || FT_New_Face(Lib, DejaVuFile().c_str(), 0, &Face) ||
        FT_Set_Pixel_Sizes(Face, 0, FT_UInt(pixels))) {
      state.SkipWithError("no DejaVu Sans");
      Face = nullptr;
    }
  }
  ~TFreeTypeFace() {
    if (Face) FT_Done_Face(Face);
    if (Lib) FT_Done_FreeType(Lib);
  }
};

void FloorAdvance(benchmark::State& state, const std::string& text, int points) {
  TFreeTypeFace ft(state, PixelsOf(points));
  if (!ft.Face) return;
  const std::vector<char32_t> cps = CodePointsOf(text);
  for (auto _ : state) {
    FT_Fixed width = 0;
    for (char32_t cp : cps) {
      FT_Fixed advance = 0;
      FT_Get_Advance(ft.Face, FT_Get_Char_Index(ft.Face, cp), FT_LOAD_DEFAULT | FT_LOAD_TARGET_LIGHT, &advance);
      width += advance;
    }
    benchmark::DoNotOptimize(width);
  }
  state.SetItemsProcessed(state.iterations() * std::int64_t(cps.size()));
}

void BM_FloorAdvanceManyGlyphs(benchmark::State& state) { FloorAdvance(state, ManyGlyphsText(), ManyGlyphsPoints); }
BENCHMARK(BM_FloorAdvanceManyGlyphs)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

void BM_FloorAdvanceLong1300pt(benchmark::State& state) { FloorAdvance(state, LongText(), LongTextPoints); }
BENCHMARK(BM_FloorAdvanceLong1300pt)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

// Renders each distinct glyph of the text once.
void FloorRender(benchmark::State& state, const std::string& text, int points) {
  TFreeTypeFace ft(state, PixelsOf(points));
  if (!ft.Face) return;
  const std::vector<char32_t> all = CodePointsOf(text);
  const std::set<char32_t> distinct(all.begin(), all.end());
  for (auto _ : state) {
    for (char32_t cp : distinct) {
      FT_Load_Char(ft.Face, cp, FT_LOAD_DEFAULT | FT_LOAD_TARGET_LIGHT);
      FT_Render_Glyph(ft.Face->glyph, FT_RENDER_MODE_NORMAL);
      benchmark::DoNotOptimize(ft.Face->glyph->bitmap.buffer);
    }
  }
  state.SetItemsProcessed(state.iterations() * std::int64_t(distinct.size()));
}

void BM_FloorRenderManyGlyphs(benchmark::State& state) { FloorRender(state, ManyGlyphsText(), ManyGlyphsPoints); }
BENCHMARK(BM_FloorRenderManyGlyphs)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

void BM_FloorRenderLong1300pt(benchmark::State& state) { FloorRender(state, LongText(), LongTextPoints); }
BENCHMARK(BM_FloorRenderLong1300pt)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// ---- cairo -------------------------------------------------------------------

#ifdef MIVO_HAVE_CAIRO
void BM_CairoShowText(benchmark::State& state) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, SurfaceWidth, SurfaceHeight);
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, 8.0 * 96.0 / 72.0);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_NONE);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
  cairo_font_extents_t extents;
  cairo_font_extents(cr, &extents);
  const auto& positions = Positions();
  for (auto _ : state) {
    for (const TPos& p : positions) {
      cairo_move_to(cr, p.x, p.y + extents.ascent);
      cairo_show_text(cr, Label);
    }
    cairo_surface_flush(surface);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * Labels);
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
}
BENCHMARK(BM_CairoShowText)->Unit(benchmark::kMicrosecond);
#endif

}  // namespace

BENCHMARK_MAIN();
