// The PDF writer: a valid document of the picture's size, text kept as text,
// and garbage text that cannot break the document.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/errors.h"
#include "mivo/platform/pdf_writer.h"
#include "mivo/platform/recording_canvas.h"

namespace mivo {
namespace {

std::string TempName(const std::string& name) {
  const char* dir = std::getenv("MIVO_TEST_OUTPUT");
  const std::string base = dir ? dir : "/tmp";
  std::filesystem::create_directories(base);
  return base + "/pdf_" + std::to_string(::getpid()) + "_" + name;
}

std::string ReadAll(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every primitive kind once, with text in a few styles and a bitmap.
void DrawSampler(TRecordingCanvas& c) {
  c.Pen.Color = 0x0000FF;
  c.MoveTo(5, 5);
  c.LineTo(100, 5);
  c.Pen.Style = TPenStyle::psDashDot;
  const TPoint poly[] = {{5, 20}, {50, 40}, {90, 20}};
  c.Polyline(poly);
  c.Pen.Style = TPenStyle::psSolid;
  c.Pen.Width = 3;
  c.Brush.Color = 0x00FF00;
  c.Polygon(poly);
  c.Pen.Width = 1;
  c.Rectangle(10, 50, 60, 80);
  c.FillRect(Rect(70, 50, 90, 60));
  c.FrameRect(Rect(70, 65, 90, 80));
  c.Ellipse(100, 50, 140, 80);
  c.Arc(100, 10, 140, 40, 140, 25, 100, 25);
  c.SetPixel(3, 3, 0xFF00FF);
  c.Font.Size = 12;
  c.Font.Style = TFontStyles{TFontStyle::fsBold, TFontStyle::fsUnderline};
  c.Brush.Style = TBrushStyle::bsClear;
  c.TextOut(10, 90, "Plain words");
  c.TextAlign.Horz = TTextHAlign::taRight;
  c.Font.Style = TFontStyles{TFontStyle::fsItalic, TFontStyle::fsStrikeOut};
  c.TextOut(190, 110, "Right side");
  TBitmap bmp(4, 3);
  bmp.Clear(0x123456);
  c.Draw(150, 50, bmp);
  c.StretchDraw(Rect(150, 60, 170, 70), bmp);
  c.CopyRect(Rect(150, 75, 160, 85), bmp, Rect(1, 1, 3, 3));
}

TEST(PdfWriter, DocumentHasThePageSizeAndTextStaysText) {
  TRecordingCanvas c(TSize{200, 150});
  DrawSampler(c);
  const std::string pdf = RecordingToPdf(c);
  ASSERT_EQ(pdf.substr(0, 5), "%PDF-");
  // 200 x 150 pixels at 96 per inch are 150 x 112.5 points.
  EXPECT_NE(pdf.find("/MediaBox [ 0 0 150 112.5 ]"), std::string::npos);

  const std::string name = TempName("text.pdf");
  SaveRecordingToPdf(c, name);
  if (std::system("command -v pdftotext >/dev/null 2>&1") != 0) GTEST_SKIP() << "needs poppler-utils";
  const std::string txt = TempName("text.txt");
  ASSERT_EQ(std::system(("pdftotext '" + name + "' '" + txt + "'").c_str()), 0);
  const std::string text = ReadAll(txt);
  EXPECT_NE(text.find("Plain words"), std::string::npos) << text;
  EXPECT_NE(text.find("Right side"), std::string::npos) << text;
  std::filesystem::remove(name);
  std::filesystem::remove(txt);
}

TEST(PdfWriter, GarbageInputStillGivesADocument) {
  TRecordingCanvas c;  // unbounded: the page takes the drawing's extent
  c.Font.Name = "no such family \x01";
  c.TextOut(0, 0, std::string("bad \xFF\xFE utf-8 \x01\x02 and \xE2\x82", 20));
  c.Font.Size = 3000;
  c.TextOut(10, 10, "huge");
  c.Pen.Width = -5;
  c.MoveTo(-2147483647, 5);
  c.LineTo(2147483647, 5);
  c.Ellipse(0, 0, 0, 0);
  c.Arc(0, 0, 10, 10, 5, 5, 5, 5);
  const TPoint one[] = {{1, 1}};
  c.Polygon(one);
  TBitmap empty;
  c.StretchDraw(Rect(0, 0, 10, 10), empty);
  const std::string pdf = RecordingToPdf(c);
  EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
}

}  // namespace
}  // namespace mivo
