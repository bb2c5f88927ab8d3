// The 2D chart's export through the Qt host: PrintIt into a PDF file by way of
// the QPrinter, rasterised and laid beside the chart's own bitmap at the scale
// the print resolution and ScaleF give; the bitmaps the clipboard copies put
// on the QClipboard; and the refusals of the printer.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/errors.h"
#include "mivo/platform/host.h"
#include "mivo/qt/qt_host.h"
#include "mivo/rchart/rchart.h"
#include "../rchart/rchart_test_util.h"
#include "support/raster_compare.h"

namespace mivo {
namespace {

using test::TempPath;

TColor At(const TBitmap& b, std::int32_t x, std::int32_t y) { return FromRGB32(b.ScanLine(y)[x]); }

// The chart's pixels as the page shows them: the page read back at `dpi`
// holds `scale` x `scale` page pixels per chart pixel, and each chart pixel
// is taken from the first quarter of its block. One-pixel lines become
// lines of whole printer pixels centred on the chart pixel's corner, so that
// is where the printer pixel of the chart pixel lies.
TBitmap Sampled(const TBitmap& page, std::int32_t scale, std::int32_t width, std::int32_t height) {
  TBitmap out(width, height);
  for (std::int32_t y = 0; y < height; ++y)
    for (std::int32_t x = 0; x < width; ++x) {
      const std::int32_t px = x * scale + scale / 4, py = y * scale + scale / 4;
      out.ScanLine(y)[x] = px < page.Width() && py < page.Height() ? page.ScanLine(py)[px] : ToRGB32(0xFFFFFF);
    }
  return out;
}

// Width and height of the box around everything that is not white paper.
TSize InkExtent(const TBitmap& page) {
  std::int32_t right = -1, bottom = -1;
  for (std::int32_t y = 0; y < page.Height(); ++y)
    for (std::int32_t x = 0; x < page.Width(); ++x)
      if (At(page, x, y) != 0xFFFFFFu) {
        right = std::max(right, x);
        bottom = std::max(bottom, y);
      }
  return {right + 1, bottom + 1};
}

// A chart with a caption, a grid, a coloured window and items of several
// kinds (one line running beyond the data area), printed through a QPrinter
// writing PDF onto a 4 x 6 inch page without margins, so the page bitmap
// starts at the paper's corner.
class QtChartExport : public ::testing::Test {
 protected:
  void SetUp() override {
    TQtHost* host = QtHost();
    ASSERT_NE(host, nullptr);
    Printer = &host->QtPrinter();
    QPrinter& q = Printer->QtPrinter();
    FKeepLayout = q.pageLayout();
    FKeepResolution = q.resolution();
    q.setOutputFormat(QPrinter::PdfFormat);
    q.setPageSize(QPageSize(QSizeF(4, 6), QPageSize::Inch));
    q.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Inch);
    Pdf = TempPath("qt_chart_print.pdf");
    q.setOutputFileName(QString::fromStdString(Pdf));

    test::UseTestGeometry(C);
    C.SetWindCol(0xD8E8F0);
    C.SetChartCaption("Printed chart");
    C.SetGridStyle(GridStyleType::gsLines);
    C.SetGridCol(0x00A000);
    C.SetRange(1, 0, 0, 10, 10);
    C.SetDataCol(0x0000FF);
    C.SetLineWid(3);
    C.MoveTo(-5, 2);
    C.DrawTo(5, 8);
    C.DrawTo(15, 3);
    C.SetLineWid(1);
    C.SetDataCol(0xFF0000);
    C.SetFillCol(0x00FFFF);
    C.Rectangle(6, 6, 9, 9);
    C.Ellipse(3, 3, 1.5, 1);
    C.Text(2, 9, 10, "Item text");
    C.SetSuppressPaint(false);
  }
  void TearDown() override {
    if (!Printer) return;
    if (Printer->Printing()) Printer->Abort();
    QPrinter& q = Printer->QtPrinter();
    q.setPageLayout(FKeepLayout);
    q.setResolution(FKeepResolution);
    q.setOutputFileName(QString());
    Printer->SyncFromQPrinter();
    std::filesystem::remove(Pdf);
  }
  void SetPrintResolution(int dpi) {
    Printer->QtPrinter().setResolution(dpi);
    Printer->SyncFromQPrinter();
    ASSERT_EQ(Printer->PixelsPerInch(), dpi);
  }
  // PrintIt into the PDF file, rasterised at `dpi`.
  TBitmap PrintedAt(double scaleF, bool blkWhite, std::int32_t dpi) {
    std::filesystem::remove(Pdf);
    C.PrintIt(scaleF, blkWhite);
    EXPECT_FALSE(Printer->Printing());
    TBitmap page;
    std::string error;
    EXPECT_TRUE(test::RasterisePdf(Pdf, dpi, page, error)) << error;
    return page;
  }

  TQtPrinter* Printer = nullptr;
  std::string Pdf;
  TCustomRChart C;

 private:
  QPageLayout FKeepLayout;
  int FKeepResolution = 0;
};

TEST_F(QtChartExport, PrintedPdfShowsTheChartAtItsSizeOnPaper) {
  if (!test::HaveTool("pdftoppm")) GTEST_SKIP() << "needs poppler-utils";
  TBitmap screen, mono;
  C.CopyToBitmap(screen, false);
  C.CopyToBitmap(mono, true);
  const std::int32_t w = screen.Width(), h = screen.Height();
  const auto chartOnPage = [&](const TBitmap& page, std::int32_t scale) { return Sampled(page, scale, w, h); };

  // At the screen's resolution and a scale of 1 the page carries the chart
  // pixel for pixel, in colour and in black and white, and nothing else.
  SetPrintResolution(96);
  for (const bool bw : {false, true}) {
    SCOPED_TRACE(bw ? "black and white" : "colour");
    const TBitmap page = PrintedAt(1, bw, 384);
    ASSERT_EQ(page.Width(), 4 * 384);
    ASSERT_EQ(page.Height(), 6 * 384);
    EXPECT_LT(test::RasterMismatches(bw ? mono : screen, chartOnPage(page, 4)), 10);
    const TSize ink = InkExtent(page);
    EXPECT_LE(ink.cx, 4 * w + 1);
    EXPECT_LE(ink.cy, 4 * h + 1);
  }
  EXPECT_EQ(C.WindColor(), 0xD8E8F0u);

  // At twice the resolution the chart keeps its size on paper and its text
  // its point size: read back at eight pixels a chart pixel it is the
  // screen's picture, text drawn at the finer resolution aside. (Read-back
  // resolutions are four times the page's or more: pdftoppm interpolates
  // pictures it enlarges less than that, which blurs one-pixel lines.)
  SetPrintResolution(192);
  const TBitmap fine = PrintedAt(1, false, 768);
  const std::int64_t fineMismatches = test::RasterMismatches(screen, chartOnPage(fine, 8));
  EXPECT_LT(fineMismatches, 400);
  EXPECT_NEAR(InkExtent(fine).cx, 8 * w, 2);
  EXPECT_NEAR(InkExtent(fine).cy, 8 * h, 2);
  // The comparison sees a chart that lost an item.
  C.SetDataCol(0x008000);
  C.SetLineWid(3);
  C.Line(6.5, 1, 9, 2.5);
  TBitmap withMore;
  C.CopyToBitmap(withMore, false);
  C.RemoveLastItem();
  EXPECT_GE(test::RasterMismatches(withMore, chartOnPage(fine, 8)), fineMismatches + 80);

  // ScaleF halves the size on paper: four pixels a chart pixel at 768.
  const TBitmap half = PrintedAt(0.5, false, 768);
  EXPECT_NEAR(InkExtent(half).cx, 4 * w, 2);
  EXPECT_NEAR(InkExtent(half).cy, 4 * h, 2);
}

TEST_F(QtChartExport, ClipboardCopiesCarryTheChartPixels) {
  C.CrossHairSetup(1, 0xFF00FF, TCrossHMode::chBoth, TPenStyle::psSolid, 1);
  C.CrossHairSetPos(1, 4, 4);
  QClipboard* cb = QGuiApplication::clipboard();
  ASSERT_NE(cb, nullptr);
  const auto sameAsClipboard = [&](const TBitmap& expected) {
    const QImage img = cb->image();
    if (img.format() != QImage::Format_RGB32 && img.format() != QImage::Format_ARGB32)
      return ::testing::AssertionFailure() << "format " << int(img.format());
    if (img.width() != expected.Width() || img.height() != expected.Height())
      return ::testing::AssertionFailure() << "size " << img.width() << " x " << img.height();
    for (std::int32_t y = 0; y < expected.Height(); ++y)
      for (std::int32_t x = 0; x < expected.Width(); ++x) {
        const QRgb p = img.pixel(x, y);
        const TColor c = TColor(qRed(p)) | TColor(qGreen(p)) << 8 | TColor(qBlue(p)) << 16;
        if (c != At(expected, x, y))
          return ::testing::AssertionFailure() << "pixel " << x << "," << y << ": " << std::hex << c << " for "
                                               << At(expected, x, y);
      }
    return ::testing::AssertionSuccess();
  };
  for (const bool bw : {false, true}) {
    TBitmap areas[2];
    for (const bool cross : {false, true}) {
      SCOPED_TRACE(::testing::Message() << "bw " << bw << " crosshairs " << cross);
      TBitmap whole;
      TBitmap& area = areas[cross];
      C.CopyToBitmap(whole, bw, cross);
      C.CopyToBitmapDAOnly(area, bw, cross);
      C.CopyToClipboard(bw, cross);
      EXPECT_TRUE(sameAsClipboard(whole));
      C.CopyToClipboardDAOnly(bw, cross);
      EXPECT_TRUE(sameAsClipboard(area));
      EXPECT_EQ(area.Width(), C.DataAreaWidth());
    }
    // The crosshair's vertical line is there exactly when asked for.
    const std::int32_t col = 4 * C.DataAreaWidth() / 10;
    EXPECT_NE(At(areas[0], col, 20), At(areas[1], col, 20)) << "bw " << bw;
    EXPECT_EQ(At(areas[0], col + 20, 20), At(areas[1], col + 20, 20)) << "bw " << bw;
  }
  EXPECT_EQ(C.WindColor(), 0xD8E8F0u);
}

TEST_F(QtChartExport, PrinterRefusalsRaiseAndLeaveTheChartAsItWas) {
  // No open job: CopyToOpenPrinter refuses and leaves the position alone.
  std::int32_t x = 5, y = 7;
  EXPECT_THROW(C.CopyToOpenPrinter(x, y, 1, false), EMivoError);
  EXPECT_EQ(x, 5);
  EXPECT_EQ(y, 7);
  // A job whose file cannot be written fails loudly, ends, and gives the
  // colours back; the next job prints.
  Printer->QtPrinter().setOutputFileName("/nonexistent-dir/mivo/chart.pdf");
  EXPECT_THROW(C.PrintIt(1, true), EMivoError);
  EXPECT_FALSE(Printer->Printing());
  EXPECT_EQ(C.WindColor(), 0xD8E8F0u);
  Printer->QtPrinter().setOutputFileName(QString::fromStdString(Pdf));
  C.PrintIt(1, false);
  EXPECT_TRUE(std::filesystem::exists(Pdf));
  // Inside a job the chart goes where asked and the position moves past it.
  Printer->BeginDoc();
  x = 10;
  y = 20;
  C.CopyToOpenPrinter(x, y, 1, false);
  EXPECT_GT(x, 10 + C.Width() * Printer->PixelsPerInch() / 96 - 2);
  EXPECT_GT(y, 20 + C.Height() * Printer->PixelsPerInch() / 96 - 2);
  Printer->Abort();
}

}  // namespace
}  // namespace mivo
