// Export and print: bitmaps as the screen shows them, black and white with
// the colours restored also after a failed export, files that are replaced
// whole or not at all, the printer at its resolution, and vector documents
// (SVG and PDF) that rasterise to the screen's picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include "mivo/platform/errors.h"
#include "mivo/platform/host.h"
#include "rchart_test_util.h"
#include "support/image_compare.h"
#include "support/picture_files.h"
#include "support/raster_compare.h"

namespace mivo {
namespace {

using test::TempPath;
using test::UseTestGeometry;

std::string ReadAll(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool SameRGB(const TBitmap& a, const TBitmap& b) {
  const test::TImageDiff d = test::DiffImages(a, b);
  return !d.SizeMismatch && d.Pixels == 0;
}

TColor At(const TBitmap& bmp, std::int32_t x, std::int32_t y) {
  const TRGB32 p = bmp.ScanLine(y)[x];
  return TColor(p.R) | TColor(p.G) << 8 | TColor(p.B) << 16;
}

// A chart with scales, a caption, a grid and coloured items of every common
// kind, some of them reaching beyond the data area.
class RChartExport : public ::testing::Test {
 protected:
  void SetUp() override {
    SetHost(nullptr);
    HeadlessHost()->Quiet = true;
    UseTestGeometry(C);
    C.SetChartCaption("Export test");
    C.SetGridStyle(GridStyleType::gsLines);
    C.SetGridCol(0x00C000);
    C.SetRange(1, 0, 0, 10, 10);
    C.SetDataCol(0x0000FF);
    C.SetLineWid(3);
    C.MoveTo(-5, 2);
    C.DrawTo(5, 8);
    C.DrawTo(15, 3);  // beyond the right edge
    C.SetLineWid(1);
    C.SetDataCol(0xFF0000);
    C.SetFillCol(0x00FFFF);
    C.Rectangle(6, 6, 9, 9);
    C.Ellipse(3, 3, 1.5, 1);
    C.Text(2, 9, 10, "Item text");
    C.SetSuppressPaint(false);
  }
  void TearDown() override { SetHost(nullptr); }
  TCustomRChart C;
};

TEST_F(RChartExport, BitmapsShowWhatTheScreenShows) {
  C.Paint();
  TBitmap whole, area;
  C.CopyToBitmap(whole, false);
  C.CopyToBitmapDAOnly(area, false, false);
  EXPECT_TRUE(SameRGB(whole, C.Surface()));
  EXPECT_TRUE(SameRGB(area, C.GrafBmp()));
  EXPECT_EQ(area.Width(), C.DataAreaWidth());

  // The clipboard gets the same pictures.
  C.CopyToClipboard(false);
  TBitmap clip;
  ASSERT_TRUE(Host().GetClipboardBitmap(clip));
  EXPECT_TRUE(SameRGB(clip, whole));
  C.CopyToClipboardDAOnly(false, true);
  ASSERT_TRUE(Host().GetClipboardBitmap(clip));
  EXPECT_TRUE(SameRGB(clip, area));

  // A BMP file whatever the name.
  const std::string name = TempPath("export.png");
  C.CopyToBMP(name, false);
  TBitmap back;
  back.LoadFromFile(name);
  EXPECT_EQ(ReadAll(name).substr(0, 2), "BM");
  EXPECT_TRUE(SameRGB(back, whole));
  std::filesystem::remove(name);

  // Vector documents: SVG, or PDF by the name; SVG on the clipboard.
  const std::string svg = TempPath("chart.svg"), pdf = TempPath("chart.PDF");
  C.CopyToWMF(svg, false);
  C.CopyToWMF(pdf, false);
  EXPECT_EQ(ReadAll(svg).substr(0, 5), "<?xml");
  EXPECT_EQ(ReadAll(pdf).substr(0, 5), "%PDF-");
  std::filesystem::remove(svg);
  std::filesystem::remove(pdf);
  C.CopyToClipboardWMF(false);
  EXPECT_NE(Host().ClipboardData("image/svg+xml").find("Export test"), std::string::npos);
}

// One SaveToFile for the chart (and the charts built on it): PNG and BMP hold
// the picture CopyToBitmap makes, SVG and PDF the vector document; the vector
// copy takes only .svg and .pdf and refuses anything else before it writes
// or recolours.
TEST_F(RChartExport, FilesTakeTheFormatTheExtensionNames) {
  test::ExpectSavesByExtension([&](const std::string& n) { C.SaveToFile(n); }, TempPath("saved"), C.Width(),
                               C.Height(), "TCustomRChart");
  TBitmap screen, back;
  C.CopyToBitmap(screen, false);
  const std::string png = TempPath("saved_same.png");
  C.SaveToFile(png);
  back.LoadFromPNG(png);
  EXPECT_TRUE(SameRGB(back, screen));
  std::filesystem::remove(png);

  const TColor wind = C.WindColor();
  test::ExpectVectorCopyByExtension([&](const std::string& n) { C.CopyToWMF(n, true); }, TempPath("copy"),
                                    "TCustomRChart");
  EXPECT_EQ(C.WindColor(), wind);  // a refused name leaves the colours as they were
}

TEST_F(RChartExport, BlackAndWhiteHasNoColourAndGivesTheColoursBack) {
  C.SetWindCol(0x336699);
  C.SetChartCol(0xEEDDCC);
  C.ScalePropsX(1).SetColorScale(0x0000AA);
  C.SetGridStyle(GridStyleType::gsNone);  // the grid keeps its own colour
  TBitmap bw;
  C.CopyToBitmap(bw, true);
  for (std::int32_t y = 0; y < bw.Height(); ++y)
    for (std::int32_t x = 0; x < bw.Width(); ++x) {
      const TRGB32 p = bw.ScanLine(y)[x];
      ASSERT_TRUE(p.R == p.G && p.G == p.B) << "colour at " << x << "," << y;
    }
  EXPECT_EQ(At(bw, 2, 2), 0xFFFFFFu);  // window white
  EXPECT_EQ(C.WindColor(), 0x336699u);
  EXPECT_EQ(C.ChartColor(), 0xEEDDCCu);

  // A target that cannot be written: an error naming it, no file, colours back.
  const std::string bad = TempPath("no_such_folder/chart.bmp");
  for (auto op : {+[](TCustomRChart& c, const std::string& n) { c.CopyToBMP(n, true); },
                  +[](TCustomRChart& c, const std::string& n) { c.CopyToWMF(n, true); },
                  +[](TCustomRChart& c, const std::string& n) { c.CopyToWMF(n + ".pdf", true); }}) {
    try {
      op(C, bad);
      ADD_FAILURE() << "no error for " << bad;
    } catch (const EMivoError& e) {
      EXPECT_NE(std::string(e.what()).find(bad), std::string::npos) << e.what();
    }
    EXPECT_EQ(C.WindColor(), 0x336699u);
    EXPECT_EQ(C.ScalePropsX(1).ColorScale(), 0x0000AAu);
  }
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(bad).parent_path()));
  const std::string folder = TempPath("folder_named.svg");
  std::filesystem::create_directories(folder);
  EXPECT_THROW(C.CopyToWMF(folder, true), EMivoError);
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  std::filesystem::remove_all(folder);

  // No printer: an error, and the colours come back.
  EXPECT_THROW(C.PrintIt(1, true), EMivoError);
  EXPECT_EQ(C.ChartColor(), 0xEEDDCCu);
}

TEST_F(RChartExport, PrinterPagesAtThePrinterResolution) {
  const std::string pattern = TempPath("page_%d.png");
  HeadlessHost()->SetPrintFilePattern(pattern);
  TPrinter& printer = Host().Printer();
  printer.SetPixelsPerInch(192);  // twice the screen
  TBitmap screen;
  C.CopyToBitmap(screen, false);

  printer.BeginDoc();
  std::int32_t x = 10, y = 20;
  C.CopyToOpenPrinter(x, y, 1.5, false);
  EXPECT_EQ(x, 10 + 840);
  EXPECT_EQ(y, 20 + 600);
  // Three page pixels per screen pixel: the data area's background and the
  // grid and item colours land where the screen has them.
  const TBitmap& page = printer.Page();
  const auto onPage = [&](std::int32_t sx, std::int32_t sy) { return At(page, 10 + 3 * sx + 1, 20 + 3 * sy + 1); };
  std::int32_t same = 0, total = 0;
  for (std::int32_t sy = 0; sy < screen.Height(); sy += 3)
    for (std::int32_t sx = 0; sx < screen.Width(); sx += 3) {
      ++total;
      same += onPage(sx, sy) == At(screen, sx, sy);
    }
  EXPECT_GT(same, total * 9 / 10);
  // Beyond the right edge of the data area the thick line is cut off.
  const std::int32_t right = C.MarginLeft() + C.DataAreaWidth();
  for (std::int32_t sy = C.MarginTop(); sy < C.MarginTop() + C.DataAreaHeight(); ++sy)
    EXPECT_NE(onPage(right + 3, sy), 0x0000FFu);
  printer.EndDoc();
  ASSERT_EQ(HeadlessHost()->PrintedFiles().size(), 1u);

  // Text keeps its point size: the caption is as tall at a print scale of 2
  // as at 1.
  const auto captionRows = [&](double scaleF) {
    printer.BeginDoc();
    std::int32_t px = 0, py = 0;
    C.CopyToOpenPrinter(px, py, scaleF, true);
    std::int32_t top = -1, bottom = -1;
    const double f = scaleF * 2;
    const std::int32_t x0 = RoundToInt(C.MarginLeft() * f), x1 = RoundToInt((C.Width() - C.MarginRight()) * f);
    for (std::int32_t row = 0; row < RoundToInt(C.MarginTop() * f) - 2; ++row)
      for (std::int32_t col = x0; col < x1; ++col)
        if (At(printer.Page(), col, row) != 0xFFFFFFu) {
          if (top < 0) top = row;
          bottom = row;
          break;
        }
    printer.Abort();
    return bottom - top;
  };
  const std::int32_t single = captionRows(1), twice = captionRows(2);
  EXPECT_GT(single, 10);
  EXPECT_NEAR(twice, single, 2);

  // PrintIt makes a job of its own; NaN scales print at 1.
  C.PrintIt(std::numeric_limits<double>::quiet_NaN(), false);
  EXPECT_EQ(HeadlessHost()->PrintedFiles().size(), 2u);
  for (const std::string& f : HeadlessHost()->PrintedFiles()) std::filesystem::remove(f);
  // Outside a job CopyToOpenPrinter refuses.
  std::int32_t px = 0, py = 0;
  EXPECT_THROW(C.CopyToOpenPrinter(px, py, 1, false), EMivoError);
}

// ---------------------------------------------------------------- vector output

// The vector document of the chart rasterised at 96 dpi.
TBitmap Rasterised(TCustomRChart& c, const std::string& ext) {
  const std::string doc = TempPath("vector" + ext);
  c.CopyToWMF(doc, false);
  TBitmap out;
  std::string error;
  EXPECT_TRUE(ext == ".pdf" ? test::RasterisePdf(doc, 96, out, error) : test::RasteriseSvg(doc, out, error)) << error;
  std::filesystem::remove(doc);
  return out;
}

TEST_F(RChartExport, VectorDocumentsRasteriseToTheScreenPicture) {
  if (!test::HaveTool("rsvg-convert") || !test::HaveTool("pdftoppm")) GTEST_SKIP() << "needs librsvg2-bin and poppler-utils";
  // Items of every kind the renderer draws, some beyond the data area.
  C.SetDataCol(0x800080);
  for (int k = 0; k < 12; ++k) C.MarkAt(0.8 * k, 1 + 0.7 * k, std::uint8_t(k));
  C.Line(-2, 5, 4, 9.5);
  TBitmap screen;
  C.CopyToBitmap(screen, false);

  for (const std::string ext : {".svg", ".pdf"}) {
    SCOPED_TRACE(ext);
    const TBitmap doc = Rasterised(C, ext);
    ASSERT_EQ(doc.Width(), screen.Width());
    ASSERT_EQ(doc.Height(), screen.Height());
    EXPECT_LT(test::RasterMismatches(screen, doc), 35);
  }

  // The comparison sees a missing item and text moved by four pixels.
  TBitmap withMore;
  C.SetDataCol(0x008000);
  C.SetLineWid(3);
  C.Line(6.5, 1, 9, 2.5);
  C.CopyToBitmap(withMore, false);
  C.RemoveLastItem();
  C.SetCaptPosX(C.CaptionPosX() - 4);
  TBitmap shifted;
  C.CopyToBitmap(shifted, false);
  C.SetCaptPosX(C.CaptionPosX() + 4);
  for (const std::string ext : {".svg", ".pdf"}) {
    SCOPED_TRACE(ext);
    const TBitmap doc = Rasterised(C, ext);
    EXPECT_GE(test::RasterMismatches(withMore, doc), 80);
    EXPECT_GE(test::RasterMismatches(shifted, doc), 45);
  }
}

}  // namespace
}  // namespace mivo
