#include <gtest/gtest.h>

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
  EXPECT_LT(stats.Glyphs, 1500u);  // the cache was dropped on the way
  detail::ClearFontCaches();
  EXPECT_EQ(detail::FontCacheStats().Faces, 0u);
}

}  // namespace
}  // namespace mivo
