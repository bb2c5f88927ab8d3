#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/errors.h"
#include "mivo/platform/fonts.h"
#include "mivo/platform/fonts_internal.h"

namespace mivo {
namespace {

TFont DefaultFont() { return TFont{}; }

TFont WithStyle(TFontStyles style) {
  TFont f;
  f.Style = style;
  return f;
}

TEST(Utf8, DecodesAndReplacesMalformedInput) {
  struct Case {
    std::string Text;
    std::vector<char32_t> Expected;
  };
  const Case cases[] = {
      {"a1", {'a', '1'}},
      {"\xC3\xA9", {0xE9}},
      {"\xE2\x82\xAC", {0x20AC}},
      {"\xF0\x9F\x98\x80", {0x1F600}},
      {"\xFF", {0xFFFD}},                        // never valid
      {"\x80x", {0xFFFD, 'x'}},                  // stray continuation byte
      {"\xC0\xAF", {0xFFFD, 0xFFFD}},            // overlong lead
      {"\xE0\x80\x80", {0xFFFD, 0xFFFD, 0xFFFD}},  // overlong three-byte form
      {"\xED\xA0\x80", {0xFFFD, 0xFFFD, 0xFFFD}},  // surrogate
      {"\xF4\x90\x80\x80", {0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD}},  // above U+10FFFF
      {"\xE2\x82", {0xFFFD}},                    // cut short at the end
      {"\xE2\x82z", {0xFFFD, 'z'}},              // cut short before ASCII
  };
  for (const Case& c : cases) {
    std::vector<char32_t> got;
    for (std::size_t pos = 0; pos < c.Text.size();) got.push_back(detail::DecodeUtf8(c.Text, pos));
    EXPECT_EQ(got, c.Expected) << "input of " << c.Text.size() << " bytes";
  }
}

TEST(Fonts, DefaultFontMetricsArePlausibleAndScaleWithResolution) {
  const TFontMetrics m = GetFontMetrics(DefaultFont());
  EXPECT_EQ(m.Height, m.Ascent + m.Descent);
  EXPECT_GE(m.Height, 10);
  EXPECT_LE(m.Height, 14);
  EXPECT_GT(m.Ascent, m.Descent);

  TFont big = DefaultFont();
  big.PixelsPerInch = 192;
  const TFontMetrics m2 = GetFontMetrics(big);
  EXPECT_NEAR(m2.Height, 2 * m.Height, 2);
  const double w1 = MeasureTextWidth(DefaultFont(), "12.5 kHz"), w2 = MeasureTextWidth(big, "12.5 kHz");
  EXPECT_NEAR(w2 / w1, 2.0, 0.15);
}

TEST(Fonts, WidthGrowsWithTextAndBoldIsNotNarrower) {
  const TFont f = DefaultFont();
  EXPECT_EQ(MeasureTextWidth(f, ""), 0);
  std::int32_t last = 0;
  for (const char* text : {"1", "12", "12.", "12.5", "12.5e+03", "12.5e+03 WWW"}) {
    const std::int32_t w = MeasureTextWidth(f, text);
    EXPECT_GT(w, last) << text;
    last = w;
  }
  const std::string sample = "Frequency 12.5 kHz";
  EXPECT_EQ(MeasureTextWidth(f, sample + sample), 2 * MeasureTextWidth(f, sample));
  EXPECT_GE(MeasureTextWidth(WithStyle({TFontStyle::fsBold}), sample), MeasureTextWidth(f, sample));
  EXPECT_GT(MeasureTextWidth(WithStyle({TFontStyle::fsItalic}), sample), 0);
  // Invalid bytes measure as the replacement character.
  EXPECT_EQ(MeasureTextWidth(f, "\xFF"), MeasureTextWidth(f, "\xEF\xBF\xBD"));
}

TEST(Fonts, OddFontsStillMeasure) {
  TFont unknown;
  unknown.Name = "No Such Family 12345";
  EXPECT_GT(MeasureTextWidth(unknown, "abc"), 0);
  TFont empty;
  empty.Name = "";
  EXPECT_GT(GetFontMetrics(empty).Height, 0);
  for (std::int32_t size : {0, -5, INT_MIN, INT_MAX}) {
    TFont f;
    f.Size = size;
    const TFontMetrics m = GetFontMetrics(f);
    EXPECT_GT(m.Height, 0) << size;
    EXPECT_GE(MeasureTextWidth(f, "x"), 0) << size;
  }
  TFont noPpi;
  noPpi.PixelsPerInch = 0;
  EXPECT_GT(GetFontMetrics(noPpi).Height, 0);
}

TEST(Fonts, BoldUsesTheBoldFace) {
  const detail::TResolvedFont regular = detail::ResolveFont("DejaVu Sans", false, false);
  const detail::TResolvedFont bold = detail::ResolveFont("DejaVu Sans", true, false);
  EXPECT_NE(regular.Path, bold.Path);
  EXPECT_FALSE(bold.SyntheticBold);
}

TEST(Fonts, NoUsableFontSaysWhatToInstall) {
  try {
    detail::ResolveFontChain({}, {"/nonexistent/font.ttf", "/etc/hostname"}, false, false);
    ADD_FAILURE() << "resolved a font from nothing";
  } catch (const EMivoError& e) {
    EXPECT_NE(std::string(e.what()).find("install the Debian packages fonts-dejavu-core and fontconfig"),
              std::string::npos)
        << e.what();
  }
  const detail::TResolvedFont direct =
      detail::ResolveFontChain({}, {"/nonexistent/font.ttf", detail::ResolveFont("DejaVu Sans", false, false).Path},
                               false, false);
  EXPECT_FALSE(direct.Path.empty());
}

TEST(Fonts, CanvasTextExtentMatchesWidthAndHeight) {
  TBitmap bmp(10, 10);
  TCanvas& canvas = bmp.Canvas();
  for (const char* text : {"", "0", "-1.25e-3", "\xC2\xB5s"}) {
    const TSize ext = canvas.TextExtent(text);
    EXPECT_EQ(ext.cx, canvas.TextWidth(text));
    EXPECT_EQ(ext.cy, canvas.TextHeight(text));
    EXPECT_EQ(ext.cy, GetFontMetrics(canvas.Font).Height);
  }
}

constexpr TRGB32 Guard{1, 2, 3, 0};

void FillGuard(TBitmap& bmp) {
  for (std::int32_t y = 0; y < bmp.Height(); ++y)
    for (std::int32_t x = 0; x < bmp.Width(); ++x) bmp.ScanLine(y)[x] = Guard;
}

TEST(Fonts, RenderTextNeverWritesOutsideTheClip) {
  TBitmap bmp(64, 40);
  const TRect clip{10, 8, 50, 30};
  TFont font;
  font.Size = 14;
  font.Color = clWhite;
  font.Style = {TFontStyle::fsUnderline, TFontStyle::fsStrikeOut, TFontStyle::fsItalic};
  const std::int32_t positions[] = {INT_MIN, INT_MIN + 1, -100000, -30, -5, 0, 3, 12, 20, 45, 63, 70, INT_MAX - 1, INT_MAX};
  bool drewInside = false;
  for (std::int32_t x : positions) {
    for (std::int32_t y : positions) {
      FillGuard(bmp);
      RenderText(bmp, clip, x, y, font, "Wjg\xC3\xA9|\xE2\x96\x88");
      for (std::int32_t py = 0; py < bmp.Height(); ++py)
        for (std::int32_t px = 0; px < bmp.Width(); ++px) {
          const bool inside = px >= clip.Left && px < clip.Right && py >= clip.Top && py < clip.Bottom;
          if (!inside) {
            ASSERT_EQ(bmp.ScanLine(py)[px], Guard) << "text at " << x << "," << y << " wrote " << px << "," << py;
          } else if (!(bmp.ScanLine(py)[px] == Guard)) {
            drewInside = true;
          }
        }
    }
  }
  EXPECT_TRUE(drewInside);
  // A clip reaching beyond the bitmap is cut to it; an inverted one draws nothing.
  FillGuard(bmp);
  RenderText(bmp, TRect{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, -3, -3, font, "WWWWWWWWWWWWWWWW");
  FillGuard(bmp);
  RenderText(bmp, TRect{50, 30, 10, 8}, 12, 10, font, "WWW");
  for (std::int32_t py = 0; py < bmp.Height(); ++py)
    for (std::int32_t px = 0; px < bmp.Width(); ++px) ASSERT_EQ(bmp.ScanLine(py)[px], Guard);
}

TEST(Fonts, FullCoverageTakesTheFontColourExactly) {
  // U+2588 FULL BLOCK covers whole pixels; its inner pixels are fully covered.
  const std::string block = "\xE2\x96\x88";
  TFont font;
  font.Size = 20;
  TBitmap ref(40, 40), bmp(40, 40);
  ref.Clear(clWhite);
  font.Color = clBlack;
  RenderText(ref, TRect{0, 0, 40, 40}, 4, 4, font, block);
  for (TColor color : {RGB(200, 30, 90), clWindowText, clHighlight}) {
    bmp.Clear(clWhite);
    font.Color = color;
    RenderText(bmp, TRect{0, 0, 40, 40}, 4, 4, font, block);
    int full = 0;
    for (std::int32_t y = 0; y < 40; ++y)
      for (std::int32_t x = 0; x < 40; ++x) {
        const TRGB32 r = ref.ScanLine(y)[x];
        if (r.R == 0 && r.G == 0 && r.B == 0) {
          ++full;
          EXPECT_EQ(FromRGB32(bmp.ScanLine(y)[x]), ColorToRGB(color)) << x << "," << y;
        } else if (r.R == 255) {
          EXPECT_EQ(FromRGB32(bmp.ScanLine(y)[x]), clWhite) << x << "," << y;
        }
      }
    EXPECT_GT(full, 50);
  }
}

TEST(Fonts, UnderlineSpansTheAdvanceWidthBelowTheBaseline) {
  TFont font;
  font.Style = {TFontStyle::fsUnderline};
  const TFontMetrics m = GetFontMetrics(font);
  const std::int32_t width = MeasureTextWidth(font, "....");
  TBitmap bmp(60, 30);
  bmp.Clear(clWhite);
  RenderText(bmp, TRect{0, 0, 60, 30}, 5, 5, font, "....");
  const detail::TFontDecorations d = detail::GetFontDecorations(font);
  EXPECT_GE(d.UnderlineThickness, 1);
  EXPECT_GE(d.StrikeThickness, 1);
  EXPECT_LT(d.StrikeOffset, 0);
  const std::int32_t row = 5 + m.Ascent + d.UnderlineOffset;
  ASSERT_LT(row, 5 + m.Height);
  for (std::int32_t x = 0; x < 60; ++x)
    EXPECT_EQ(FromRGB32(bmp.ScanLine(row)[x]), x >= 5 && x < 5 + width ? clBlack : clWhite) << x;
}

TEST(Fonts, GlyphCacheStaysBounded) {
  detail::ClearFontCaches();
  TFont font;
  font.Size = 300;
  std::int32_t total = 0;
  for (char32_t cp = 0x4E00; cp < 0x4E00 + 1500; ++cp) {
    std::string s;
    detail::AppendUtf8(s, cp);
    total += MeasureTextWidth(font, s);
  }
  EXPECT_GT(total, 0);
  const detail::TFontCacheStats stats = detail::FontCacheStats();
  EXPECT_LE(stats.GlyphBytes, std::size_t(40) << 20);
  EXPECT_LT(stats.Glyphs, 1500u);  // measuring renders no bitmaps
  detail::ClearFontCaches();
  EXPECT_EQ(detail::FontCacheStats().Faces, 0u);
}

// Restores the glyph cache budget when a test leaves.
class TGlyphBudget {
 public:
  explicit TGlyphBudget(std::size_t bytes) : FPrevious(detail::SetGlyphCacheBudget(bytes)) {}
  ~TGlyphBudget() { detail::SetGlyphCacheBudget(FPrevious); }
  TGlyphBudget(const TGlyphBudget&) = delete;
  TGlyphBudget& operator=(const TGlyphBudget&) = delete;

 private:
  std::size_t FPrevious;
};

std::string Utf8Of(char32_t first, char32_t last) {
  std::string s;
  for (char32_t cp = first; cp < last; ++cp) detail::AppendUtf8(s, cp);
  return s;
}

std::vector<TRGB32> Pixels(TBitmap& bmp) {
  std::vector<TRGB32> px;
  for (std::int32_t y = 0; y < bmp.Height(); ++y) px.insert(px.end(), bmp.ScanLine(y), bmp.ScanLine(y) + bmp.Width());
  return px;
}

// A family without a bold or italic face gets its outlines emboldened or
// sheared, however fontconfig reports the face it chose.
TEST(Fonts, MissingStylesAreSynthesised) {
  struct Case {
    const char* Family;
    bool Bold, Italic;
    bool SyntheticBold, SyntheticItalic;
  };
  const Case cases[] = {
      {"DejaVu Sans", true, true, false, false},          // real bold oblique face
      {"DejaVu Sans Light", false, false, false, false},  // no style asked
      {"DejaVu Sans Light", true, false, true, false},
      {"DejaVu Math TeX Gyre", false, true, false, true},
      {"DejaVu Math TeX Gyre", true, true, true, true},
  };
  for (const Case& c : cases) {
    const detail::TResolvedFont font = detail::ResolveFont(c.Family, c.Bold, c.Italic);
    EXPECT_EQ(font.SyntheticBold, c.SyntheticBold) << c.Family << " " << c.Bold << c.Italic;
    EXPECT_EQ(font.SyntheticItalic, c.SyntheticItalic) << c.Family << " " << c.Bold << c.Italic;
  }
  // Emboldening widens the text; the shear leaves advances alone.
  TFont plain;
  plain.Name = "DejaVu Math TeX Gyre";
  plain.Size = 24;
  TFont bold = plain, italic = plain;
  bold.Style = {TFontStyle::fsBold};
  italic.Style = {TFontStyle::fsItalic};
  const std::string text = "Synthetic 0123";
  EXPECT_GT(MeasureTextWidth(bold, text), MeasureTextWidth(plain, text));
  EXPECT_EQ(MeasureTextWidth(italic, text), MeasureTextWidth(plain, text));
  TBitmap upright(200, 40), slanted(200, 40);
  upright.Clear(clWhite);
  slanted.Clear(clWhite);
  RenderText(upright, TRect{0, 0, 200, 40}, 2, 2, plain, text);
  RenderText(slanted, TRect{0, 0, 200, 40}, 2, 2, italic, text);
  EXPECT_FALSE(Pixels(upright) == Pixels(slanted));
}

// Families resolved here: a regular face with real bold and italic faces, one
// with no bold face (emboldened outlines) and one with neither (emboldened and
// sheared).
TEST(Fonts, MeasuredWidthsEqualRenderedAdvances) {
  const char* families[] = {"DejaVu Sans", "DejaVu Serif", "DejaVu Sans Light", "DejaVu Math TeX Gyre"};
  const TFontStyles styles[] = {
      {}, {TFontStyle::fsBold}, {TFontStyle::fsItalic}, {TFontStyle::fsBold, TFontStyle::fsItalic}};
  const std::int32_t sizes[] = {1, 6, 8, 11, 17, 36, 150};
  const std::string texts[] = {"12.5 kHz", "Wjg\xC3\xA9|\xE2\x96\x88", "AV To, fi ffl", "\xFF\xC0",
                               Utf8Of(0x391, 0x3AA) + Utf8Of(0x2190, 0x21A0), "\xE4\xB8\x80\xF0\x9F\x98\x80"};
  for (const char* family : families)
    for (const TFontStyles& style : styles)
      for (std::int32_t size : sizes) {
        TFont font;
        font.Name = family;
        font.Style = style;
        font.Size = size;
        for (const std::string& text : texts) {
          const std::uint64_t renders = detail::FontCacheStats().BitmapRenders;
          const std::int32_t measured = MeasureTextWidth(font, text);
          EXPECT_EQ(detail::FontCacheStats().BitmapRenders, renders) << "measuring rendered a bitmap";
          EXPECT_EQ(measured, detail::RenderedTextWidth(font, text))
              << family << " " << size << " pt, style " << int(style.Contains(TFontStyle::fsBold))
              << int(style.Contains(TFontStyle::fsItalic)) << ", text of " << text.size() << " bytes";
        }
      }
}

// Where the bitmap cache steps aside (budget zero: every glyph is rasterised
// straight into the surface), text looks exactly as it does from the cache.
TEST(Fonts, DirectRasterisationMatchesCachedBitmaps) {
  const std::string text = "Wjg\xC3\xA9|\xE2\x96\x88 12.5 AV@";
  const std::int32_t sizes[] = {6, 8, 13, 40};
  const TFontStyles styles[] = {{}, {TFontStyle::fsBold, TFontStyle::fsItalic}};
  const TPoint positions[] = {{3, 2}, {-9, -4}, {30, 20}};
  const TRect clip{2, 3, 90, 45};
  int inked = 0, cases = 0;
  for (const char* family : {"DejaVu Sans", "DejaVu Math TeX Gyre"})
    for (std::int32_t size : sizes)
      for (const TFontStyles& style : styles)
        for (const TPoint& at : positions) {
          TFont font;
          font.Name = family;
          font.Size = size;
          font.Style = style;
          font.Color = RGB(20, 90, 200);
          TBitmap cached(96, 48), direct(96, 48);
          cached.Clear(clWhite);
          direct.Clear(clWhite);
          RenderText(cached, clip, at.x, at.y, font, text);
          {
            TGlyphBudget none(0);
            RenderText(direct, clip, at.x, at.y, font, text);
          }
          const std::vector<TRGB32> pixels = Pixels(direct);
          EXPECT_TRUE(Pixels(cached) == pixels) << family << " " << size << " pt at " << at.x << "," << at.y;
          ++cases;
          inked += std::any_of(pixels.begin(), pixels.end(), [](TRGB32 p) { return FromRGB32(p) != clWhite; });
        }
  EXPECT_EQ(inked, cases);
}

// More distinct glyphs than the budget holds: the least recently used make
// room, ASCII shortcuts to evicted glyphs are forgotten, and every pass draws
// and measures the same as with room for all.
TEST(Fonts, GlyphCacheEvictsWithinItsBudgetAndDrawsTheSame) {
  detail::ClearFontCaches();
  std::vector<std::string> glyphs;
  for (char32_t cp = 0x21; cp < 0x7F; ++cp) detail::AppendUtf8(glyphs.emplace_back(), cp);
  for (char32_t cp = 0x391; cp < 0x3CA; ++cp) detail::AppendUtf8(glyphs.emplace_back(), cp);
  for (char32_t cp = 0x410; cp < 0x450; ++cp) detail::AppendUtf8(glyphs.emplace_back(), cp);
  TFont font;
  font.Size = 30;
  const std::int32_t px = font.PixelSize(), columns = 16;
  const std::int32_t rows = std::int32_t(glyphs.size() + columns - 1) / columns;
  const auto drawAll = [&](bool reverse) {
    TBitmap bmp(columns * px, rows * px * 5 / 4);
    bmp.Clear(clWhite);
    std::size_t maxBytes = 0;
    for (std::size_t k = 0; k < glyphs.size(); ++k) {
      const std::size_t i = reverse ? glyphs.size() - 1 - k : k;
      const std::int32_t x = std::int32_t(i % columns) * px, y = std::int32_t(i / columns) * (px * 5 / 4);
      RenderText(bmp, TRect{0, 0, bmp.Width(), bmp.Height()}, x, y, font, glyphs[i]);
      maxBytes = std::max(maxBytes, detail::FontCacheStats().GlyphBytes);
    }
    return std::make_pair(Pixels(bmp), maxBytes);
  };
  const auto reference = drawAll(false);
  const std::size_t allGlyphs = detail::FontCacheStats().Glyphs;
  EXPECT_EQ(allGlyphs, glyphs.size());

  const std::size_t budget = 48 << 10;
  TGlyphBudget small(budget);
  EXPECT_LE(detail::FontCacheStats().GlyphBytes, budget);
  const std::uint64_t rendersBefore = detail::FontCacheStats().BitmapRenders;
  for (bool reverse : {false, true, false}) {
    const auto pass = drawAll(reverse);
    EXPECT_TRUE(pass.first == reference.first) << "reverse " << reverse;
    EXPECT_LE(pass.second, budget);
  }
  const detail::TFontCacheStats stats = detail::FontCacheStats();
  EXPECT_LT(stats.Glyphs, glyphs.size() / 2);
  EXPECT_GT(stats.BitmapRenders - rendersBefore, glyphs.size());
  EXPECT_EQ(stats.DirectDraws, 0u);
  std::string all;
  for (const std::string& g : glyphs) all += g;
  EXPECT_EQ(MeasureTextWidth(font, all), detail::RenderedTextWidth(font, all));
}

// 32767 pt is clamped to the largest pixel size, where one glyph bitmap is
// megabytes: such text is rasterised where visible, never cached, and each
// clipped view equals the same region of the whole text drawn on a surface
// big enough to hold it (through the cache, budget permitting).
TEST(Fonts, HugeTextIsRasterisedWhereVisibleWithoutCaching) {
  detail::ClearFontCaches();
  TFont font;
  font.Size = 32767;
  font.Color = RGB(200, 30, 90);
  font.Style = {TFontStyle::fsUnderline};
  const std::string text = "\xE2\x96\x88g";
  const TPoint origin{100, 100};
  TBitmap whole(2700, 2600);
  whole.Clear(clWhite);
  {
    TGlyphBudget room(std::size_t(1) << 30);
    RenderText(whole, TRect{0, 0, whole.Width(), whole.Height()}, origin.x, origin.y, font, text);
    ASSERT_EQ(detail::FontCacheStats().DirectDraws, 0u);
    ASSERT_GT(detail::FontCacheStats().Glyphs, 0u);
  }
  detail::ClearFontCaches();
  const TPoint views[] = {{0, 0}, {150, 900}, {1000, 1500}, {1300, 2000}, {2500, 2300}, {2580, 2500}};
  int inked = 0;
  for (const TPoint& view : views) {
    TBitmap part(120, 90);
    part.Clear(clWhite);
    RenderText(part, TRect{0, 0, 120, 90}, origin.x - view.x, origin.y - view.y, font, text);
    bool ink = false;
    for (std::int32_t y = 0; y < part.Height(); ++y)
      for (std::int32_t x = 0; x < part.Width(); ++x) {
        const TRGB32 got = part.ScanLine(y)[x];
        ASSERT_EQ(got, whole.ScanLine(view.y + y)[view.x + x])
            << "view " << view.x << "," << view.y << " pixel " << x << "," << y;
        ink = ink || FromRGB32(got) != clWhite;
      }
    inked += ink;
  }
  EXPECT_GE(inked, 3);
  const detail::TFontCacheStats stats = detail::FontCacheStats();
  EXPECT_EQ(stats.Glyphs, 0u);
  EXPECT_EQ(stats.GlyphBytes, 0u);
  EXPECT_EQ(stats.BitmapRenders, 0u);
  EXPECT_GT(stats.DirectDraws, 0u);
}

// Measuring long text at a big size loads each distinct glyph's metrics once
// and renders nothing.
TEST(Fonts, MeasuringLoadsMetricsOnceAndRendersNothing) {
  detail::ClearFontCaches();
  TFont font;
  font.Size = 1300;
  std::string text;
  for (int i = 0; i < 40; ++i) text += Utf8Of(0x41, 0x5B) + Utf8Of(0x3B1, 0x3CA) + " 0123456789";
  const std::int32_t width = MeasureTextWidth(font, text);
  detail::TFontCacheStats stats = detail::FontCacheStats();
  EXPECT_EQ(stats.MetricLoads, 26u + 25u + 11u);
  EXPECT_EQ(stats.BitmapRenders, 0u);
  EXPECT_EQ(stats.Glyphs, 0u);
  EXPECT_EQ(stats.Metrics, 25u);  // beyond ASCII
  EXPECT_EQ(MeasureTextWidth(font, text), width);
  EXPECT_EQ(detail::FontCacheStats().MetricLoads, stats.MetricLoads);
  // Drawing it where only its first glyphs are seen renders only those.
  TBitmap bmp(300, 200);
  bmp.Canvas().Font = font;
  bmp.Canvas().TextOut(-100, -100, text);
  stats = detail::FontCacheStats();
  EXPECT_LE(stats.BitmapRenders + stats.DirectDraws, 2u);
  EXPECT_EQ(stats.MetricLoads, 26u + 25u + 11u);
}

}  // namespace
}  // namespace mivo
