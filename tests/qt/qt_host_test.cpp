// TQtHost on Qt's offscreen platform: cursors, clipboard, message boxes,
// printing to PDF. The QApplication and the Qt host live for the whole program
// (see QtTestEnvironment below).

#include "mivo/qt/qt_host.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QBitmap>
#include <QMessageBox>
#include <QPrinter>
#include <QTimer>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/errors.h"
#include "qt_host_test_env.h"

namespace mivo {
namespace {

TQtHost& QHost() {
  TQtHost* h = QtHost();
  if (!h) throw std::runtime_error("the Qt host is not installed");
  return *h;
}

// ---------------------------------------------------------------- cursors

TEST(QtHost, ChartCursorsBecomeBitmapCursorsWithTheirImages) {
  LoadChartCursors();
  const auto& images = ChartCursorImages();
  for (std::int32_t id = 1; id <= 4; ++id) {
    SCOPED_TRACE(images[std::size_t(id - 1)].Name);
    const TCursorImage& img = images[std::size_t(id - 1)];
    ASSERT_TRUE(QHost().HasQtCursor(id));
    ASSERT_NE(QHost().RegisteredCursor(id), nullptr);
    const QCursor c = QHost().QtCursor(id);
    EXPECT_EQ(c.shape(), Qt::BitmapCursor);
    EXPECT_EQ(c.hotSpot(), QPoint(img.HotX, img.HotY));
    const QImage shape = c.bitmap().toImage();
    const QImage mask = c.mask().toImage();
    ASSERT_EQ(shape.size(), QSize(32, 32));
    ASSERT_EQ(mask.size(), QSize(32, 32));
    std::int32_t opaque = 0, mismatches = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const auto p = img.Pixel(x, y);
        // Bit 1 (Qt::color1) reads back as black.
        const bool maskBit = mask.pixel(x, y) == QColor(Qt::black).rgb();
        const bool shapeBit = shape.pixel(x, y) == QColor(Qt::black).rgb();
        opaque += maskBit;
        if (maskBit != (p != TCursorImage::TPixel::Transparent) || shapeBit != (p == TCursorImage::TPixel::Black))
          ++mismatches;
      }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(opaque, 20);
  }
}

TEST(QtHost, StandardCursorNumbersMapToQtShapes) {
  const struct {
    std::int32_t Id;
    Qt::CursorShape Shape;
  } cases[] = {
      {crDefault, Qt::ArrowCursor},   {crArrow, Qt::ArrowCursor},         {crNone, Qt::BlankCursor},
      {crCross, Qt::CrossCursor},     {crIBeam, Qt::IBeamCursor},         {crSizeNS, Qt::SizeVerCursor},
      {crSizeWE, Qt::SizeHorCursor},  {crHourGlass, Qt::WaitCursor},      {crHandPoint, Qt::PointingHandCursor},
      {crSizeAll, Qt::SizeAllCursor}, {-1000, Qt::ArrowCursor},           {77, Qt::ArrowCursor},  // unregistered
  };
  for (const auto& c : cases) EXPECT_EQ(QHost().QtCursor(c.Id).shape(), c.Shape) << c.Id;
}

TEST(QtHost, ScreenCursorOverridesAndRestores) {
  QHost().SetScreenCursor(crHourGlass);
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
  QHost().SetScreenCursor(crCross);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
  QHost().SetScreenCursor(crDefault);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QHost().ScreenCursor(), crDefault);
}

// ---------------------------------------------------------------- clipboard

TEST(QtHost, ClipboardTextRoundTripsUtf8AndClears) {
  for (const std::string text : {"plain", "x = 1.5e-3\ny = \xCE\xA9 \xC3\xA4", ""}) {
    QHost().SetClipboardText(text);
    EXPECT_EQ(QHost().ClipboardText(), text);
  }
  QHost().SetClipboardText("gone soon");
  QHost().ClearClipboard();
  EXPECT_EQ(QHost().ClipboardText(), "");
  EXPECT_FALSE(QHost().HasClipboardBitmap());
}

TEST(QtHost, ClipboardBitmapRoundTripsPixelsAndReplacesText) {
  TBitmap bmp(3, 2);
  const TColor colors[6] = {0x0000FF, 0x00FF00, 0xFF0000, 0x123456, 0xFFFFFF, 0x000000};
  for (int i = 0; i < 6; ++i) bmp.ScanLine(i / 3)[i % 3] = ToRGB32(colors[i]);
  QHost().SetClipboardText("text first");
  QHost().SetClipboardBitmap(bmp);
  ASSERT_TRUE(QHost().HasClipboardBitmap());
  EXPECT_EQ(QHost().ClipboardText(), "");
  TBitmap back(1, 1);
  ASSERT_TRUE(QHost().GetClipboardBitmap(back));
  ASSERT_EQ(back.Width(), 3);
  ASSERT_EQ(back.Height(), 2);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(FromRGB32(back.ScanLine(i / 3)[i % 3]), colors[i]) << i;

  // Without a bitmap the target stays as it was.
  QHost().ClearClipboard();
  TBitmap keep(2, 2);
  EXPECT_FALSE(QHost().GetClipboardBitmap(keep));
  EXPECT_EQ(keep.Width(), 2);
  // An empty bitmap clears the clipboard instead of storing a null image.
  QHost().SetClipboardText("x");
  QHost().SetClipboardBitmap(TBitmap());
  EXPECT_FALSE(QHost().HasClipboardBitmap());
}

TEST(QtHost, ClipboardDataByMimeType) {
  const std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\"/>\n";
  const std::string binary("\x01\x00\xFF", 3);
  QHost().SetClipboardData("image/svg+xml", svg);
  EXPECT_EQ(QHost().ClipboardData("image/svg+xml"), svg);
  EXPECT_EQ(QHost().ClipboardData("image/emf"), "");
  QHost().SetClipboardData("image/emf", binary);
  EXPECT_EQ(QHost().ClipboardData("image/emf"), binary);
  EXPECT_EQ(QHost().ClipboardData("image/svg+xml"), "");
}

// ---------------------------------------------------------------- message box

// Answers the next modal message box from inside its loop.
void AnswerNextBox(std::function<void(QMessageBox&)> answer) {
  QTimer::singleShot(0, [answer] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) {
      ADD_FAILURE() << "no modal message box";
      return;
    }
    answer(*box);
  });
}

TEST(QtHost, MessageDlgMapsButtonsToModalResults) {
  const TMsgDlgButtons yesNoCancel{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel};
  AnswerNextBox([](QMessageBox& box) {
    EXPECT_EQ(box.text(), "Replace the data?");
    EXPECT_EQ(box.icon(), QMessageBox::Question);
    EXPECT_EQ(box.buttons().size(), 3);
    box.button(QMessageBox::No)->click();
  });
  EXPECT_EQ(QHost().MessageDlg("Replace the data?", TMsgDlgType::mtConfirmation, yesNoCancel), mrNo);

  AnswerNextBox([](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); });
  EXPECT_EQ(QHost().MessageDlg("Again?", TMsgDlgType::mtConfirmation, yesNoCancel), mrYes);

  // "All" has no standard Qt button: a custom one.
  AnswerNextBox([](QMessageBox& box) {
    for (QAbstractButton* b : box.buttons())
      if (b->text() == "All") b->click();
  });
  EXPECT_EQ(QHost().MessageDlg("Which?", TMsgDlgType::mtInformation, {TMsgDlgBtn::mbAll, TMsgDlgBtn::mbNoToAll}),
            mrAll);

  // Closed without a button; no buttons at all gives an OK button.
  AnswerNextBox([](QMessageBox& box) {
    EXPECT_EQ(box.buttons().size(), 1);
    box.reject();
  });
  const std::int32_t closed = QHost().MessageDlg("Shared data refused", TMsgDlgType::mtWarning, {});
  EXPECT_TRUE(closed == mrCancel || closed == mrOk) << closed;
}

// ---------------------------------------------------------------- printer

std::string ReadFile(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

TEST(QtHost, PrintsPagesToPdf) {
  ASSERT_TRUE(QHost().HasPrinter());
  TQtPrinter& printer = QHost().QtPrinter();
  const auto path = std::filesystem::temp_directory_path() / "mivo_qt_print_test.pdf";
  std::filesystem::remove(path);
  printer.QtPrinter().setOutputFormat(QPrinter::PdfFormat);
  printer.QtPrinter().setOutputFileName(QString::fromStdString(path.string()));
  printer.SyncFromQPrinter();
  EXPECT_LE(printer.PixelsPerInch(), TQtPrinter::MaxPixelsPerInch);
  // A4 minus the margins, portrait.
  EXPECT_GT(printer.PageHeight(), printer.PageWidth());
  EXPECT_GT(printer.PageWidth(), 1500);

  printer.Title = "Mivo test";
  printer.BeginDoc();
  printer.Canvas().Brush.Color = 0x0000FF;
  printer.Canvas().FillRect(TRect{100, 100, 600, 400});
  printer.NewPage();
  printer.Canvas().TextOut(100, 100, "page 2");
  printer.EndDoc();
  EXPECT_FALSE(printer.Printing());
  const std::string pdf = ReadFile(path);
  ASSERT_GT(pdf.size(), 100u);
  EXPECT_EQ(pdf.substr(0, 4), "%PDF");
  EXPECT_NE(pdf.find("/Count 2"), std::string::npos);
  std::filesystem::remove(path);
}

TEST(QtHost, FailedPrintJobRaisesAndEnds) {
  TQtPrinter& printer = QHost().QtPrinter();
  printer.QtPrinter().setOutputFormat(QPrinter::PdfFormat);
  printer.QtPrinter().setOutputFileName("/nonexistent-dir/mivo/out.pdf");
  printer.BeginDoc();
  EXPECT_THROW(printer.EndDoc(), EMivoError);
  EXPECT_FALSE(printer.Printing());
  // The next job starts cleanly.
  const auto path = std::filesystem::temp_directory_path() / "mivo_qt_print_test2.pdf";
  printer.QtPrinter().setOutputFileName(QString::fromStdString(path.string()));
  printer.BeginDoc();
  printer.Abort();
  EXPECT_FALSE(printer.Printing());
  EXPECT_TRUE(printer.Aborted());
  std::filesystem::remove(path);
}

TEST(QtHost, ScreenCapabilitiesAreSane) {
  EXPECT_GE(QHost().ScreenPixelsPerInch(), 24);
  EXPECT_LE(QHost().ScreenPixelsPerInch(), 1200);
  EXPECT_GT(QHost().ScreenAspectX(), 0);
  EXPECT_EQ(QHost().ScreenAspectY(), 36);
}

}  // namespace
}  // namespace mivo
