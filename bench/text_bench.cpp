// Short numeric labels, the bulk of what the charts draw: 10,000 TextOut of
// "12.5" in DejaVu Sans 8 pt at 96 pixels per inch on a 1000 x 700 surface.
//
// Yardsticks in the same program:
//   Floor - the same glyph coverage, rendered once with FreeType and blended
//           by a plain loop: what any cache-based text path must pay at least.
//   Cairo - cairo_show_text at the same pixel size with antialiasing off.
// Compare the times of BM_CanvasTextOut with both.

#include <benchmark/benchmark.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <array>
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

void BM_CanvasTextOut(benchmark::State& state) {
  mivo::TBitmap bmp(SurfaceWidth, SurfaceHeight);
  bmp.Clear(mivo::clWhite);
  mivo::TCanvas& canvas = bmp.Canvas();
  canvas.Brush.Style = mivo::TBrushStyle::bsClear;
  canvas.Font.Name = "DejaVu Sans";
  canvas.Font.Size = 8;
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
