#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "mivo/platform/colors.h"
#include "mivo/platform/errors.h"
#include "mivo/platform/fonts.h"
#include "mivo/platform/svg_writer.h"

namespace mivo {
namespace {

std::size_t Occurrences(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t pos = text.find(what); pos != std::string::npos; pos = text.find(what, pos + 1)) ++n;
  return n;
}

TEST(SvgWriter, WritesEachPrimitiveAsItsElement) {
  TRecordingCanvas c(TSize{200, 100});
  c.Pen.Color = clRed;
  c.MoveTo(0, 0);
  c.LineTo(10, 0);
  const TPoint pts[] = {{0, 0}, {5, 5}, {9, 2}};
  c.Polyline(pts);
  c.Brush.Color = clLime;
  c.Polygon(pts);
  c.Rectangle(10, 10, 20, 30);
  c.Ellipse(0, 0, 11, 21);
  c.FillRect(Rect(1, 2, 4, 6));
  c.FrameRect(Rect(1, 2, 4, 6));
  c.Arc(0, 0, 21, 21, 20, 10, 10, 0);
  c.SetPixel(3, 4, clBlue);
  TBitmap bmp(2, 2);
  c.Draw(50, 50, bmp);
  const std::string svg = RecordingToSvg(c);

  EXPECT_EQ(svg.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg ", 0), 0u);
  EXPECT_NE(svg.find("width=\"200\" height=\"100\" viewBox=\"0 0 200 100\""), std::string::npos);
  EXPECT_NE(svg.find("<line x1=\"0.5\" y1=\"0.5\" x2=\"10.5\" y2=\"0.5\" stroke=\"#ff0000\" stroke-width=\"1\"/>"),
            std::string::npos);
  EXPECT_NE(svg.find("<polyline points=\"0.5,0.5 5.5,5.5 9.5,2.5\" fill=\"none\""), std::string::npos);
  EXPECT_NE(svg.find("<polygon points=\"0.5,0.5 5.5,5.5 9.5,2.5\" fill-rule=\"evenodd\" fill=\"#00ff00\""),
            std::string::npos);
  // Box rule: the outline runs through the outer pixels of (10,10)-(20,30).
  EXPECT_NE(svg.find("<rect x=\"10.5\" y=\"10.5\" width=\"9\" height=\"19\" fill=\"#00ff00\""), std::string::npos);
  EXPECT_NE(svg.find("<ellipse cx=\"5.5\" cy=\"10.5\" rx=\"5\" ry=\"10\""), std::string::npos);
  EXPECT_NE(svg.find("<rect x=\"1\" y=\"2\" width=\"3\" height=\"4\" fill=\"#00ff00\"/>"), std::string::npos);
  EXPECT_NE(svg.find("<rect x=\"1.5\" y=\"2.5\" width=\"2\" height=\"3\" fill=\"none\" stroke=\"#00ff00\""),
            std::string::npos);
  // A quarter from the right radial to the top one, counter-clockwise.
  EXPECT_NE(svg.find("<path d=\"M20.5,10.5 A10,10 0 0 0 10.5,0.5\""), std::string::npos) << svg;
  EXPECT_NE(svg.find("<rect x=\"3\" y=\"4\" width=\"1\" height=\"1\" fill=\"#0000ff\"/>"), std::string::npos);
  EXPECT_NE(svg.find("data:image/png;base64,iVBORw0KGgo"), std::string::npos);
  EXPECT_EQ(svg.substr(svg.size() - 12), "</g>\n</svg>\n");
}

TEST(SvgWriter, PenStylesArcsAndOptions) {
  TRecordingCanvas c;
  c.Pen.Style = TPenStyle::psClear;
  c.LineTo(10, 10);
  c.Pen.Style = TPenStyle::psDash;
  c.LineTo(20, 10);
  c.Pen.Style = TPenStyle::psSolid;
  c.Pen.Mode = TPenMode::pmNop;
  c.LineTo(30, 10);
  c.Pen.Mode = TPenMode::pmCopy;
  c.Pen.Width = 4;
  c.LineTo(40, 10);
  c.Pen.Width = 1;
  c.Arc(0, 0, 21, 21, 20, 10, 20, 10);  // equal radials: full ellipse
  TBitmap bmp(3, 3);
  c.StretchDraw(Rect(0, 0, 300, 40), bmp);
  TSvgOptions options;
  options.Background = clWhite;
  options.EmbedBitmaps = false;
  const std::string svg = RecordingToSvg(c, options);
  EXPECT_EQ(Occurrences(svg, "<line "), 2u);
  EXPECT_NE(svg.find("stroke-dasharray=\"18,6\""), std::string::npos);
  EXPECT_NE(svg.find("stroke-width=\"4\" stroke-linecap=\"round\" stroke-linejoin=\"round\""), std::string::npos);
  EXPECT_EQ(Occurrences(svg, " A10,10 0 0 0 "), 2u);
  // Unbounded canvas: the drawing's extent sets the size.
  EXPECT_NE(svg.find("width=\"300\" height=\"40\""), std::string::npos);
  EXPECT_NE(svg.find("<rect x=\"0\" y=\"0\" width=\"300\" height=\"40\" fill=\"#ffffff\"/>"), std::string::npos);
  EXPECT_NE(svg.find("<!-- bitmap 3x3 at 0,0 -->"), std::string::npos);
  EXPECT_EQ(svg.find("<image"), std::string::npos);
}

TEST(SvgWriter, TextIsEscapedAndStyled) {
  TRecordingCanvas c(TSize{100, 50});
  c.Font.Name = "Deja\"Vu' Sans";
  c.Font.Style = {TFontStyle::fsBold, TFontStyle::fsItalic, TFontStyle::fsUnderline};
  c.Font.Color = clRed;
  c.Brush.Style = TBrushStyle::bsClear;
  c.TextAlign = {TTextHAlign::taRight, TTextVAlign::taTop};
  c.TextOut(90, 5, "a<b & \"c\" \xFF\x01 \xC2\xB5");
  const std::string svg = RecordingToSvg(c);
  const TFontMetrics m = GetFontMetrics(c.Font);
  EXPECT_NE(svg.find("<text x=\"90\" y=\"" + std::to_string(5 + m.Ascent) + "\" text-anchor=\"end\""),
            std::string::npos)
      << svg;
  EXPECT_NE(svg.find("font-family=\"&apos;DejaVu Sans&apos;, sans-serif\" font-size=\"11px\""), std::string::npos);
  EXPECT_NE(svg.find("font-weight=\"bold\" font-style=\"italic\" text-decoration=\"underline\" fill=\"#ff0000\""),
            std::string::npos);
  EXPECT_NE(svg.find(">a&lt;b &amp; &quot;c&quot; \xEF\xBF\xBD\xEF\xBF\xBD \xC2\xB5</text>"), std::string::npos)
      << svg;
  EXPECT_EQ(svg.find("<rect"), std::string::npos);  // clear brush: no text cell

  // A solid brush paints the cell behind the text first.
  TRecordingCanvas solid(TSize{100, 50});
  solid.Brush.Color = clYellow;
  solid.TextOut(4, 6, "x");
  const std::string svg2 = RecordingToSvg(solid);
  EXPECT_NE(svg2.find("<rect x=\"4\" y=\"6\" width=\"" + std::to_string(solid.TextWidth("x")) + "\" height=\"" +
                      std::to_string(solid.TextHeight("x")) + "\" fill=\"#ffff00\"/>"),
            std::string::npos)
      << svg2;
}

TEST(SvgWriter, SavesToAFile) {
  TRecordingCanvas c(TSize{10, 10});
  c.LineTo(5, 5);
  const auto path = std::filesystem::temp_directory_path() / "mivo_svg_writer_test.svg";
  SaveRecordingToSvg(c, path.string());
  std::ifstream in(path);
  std::stringstream content;
  content << in.rdbuf();
  EXPECT_EQ(content.str(), RecordingToSvg(c));
  std::filesystem::remove(path);
  EXPECT_THROW(SaveRecordingToSvg(c, "/nonexistent/dir/x.svg"), EMivoError);
}

}  // namespace
}  // namespace mivo
