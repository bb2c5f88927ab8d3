#include "mivo/qt/qt_host.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QBitmap>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/errors.h"
#include "mivo/platform/mivo_types.h"
#include "mivo/qt/qt_control_widget.h"

namespace mivo {

namespace {

bool HaveGuiApp() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }
bool HaveWidgetsApp() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

QClipboard* Clipboard() { return HaveGuiApp() ? QGuiApplication::clipboard() : nullptr; }

TQtControlWidget* WidgetOf(const TControl& control) { return TQtControlWidget::ForControl(control.ControlId()); }

Qt::CursorShape StandardShape(std::int32_t id) {
  switch (id) {
    case crNone: return Qt::BlankCursor;
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crHourGlass: return Qt::WaitCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
  }
}

// A copy of the bitmap as an RGB32 image (alpha bytes ignored).
QImage ToQImage(const TBitmap& bmp) {
  if (bmp.Width() <= 0 || bmp.Height() <= 0) return {};
  static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "bitmap rows are B, G, R, A bytes");
  return QImage(reinterpret_cast<const uchar*>(bmp.Data()), bmp.Width(), bmp.Height(),
                qsizetype(bmp.Width()) * 4, QImage::Format_RGB32)
      .copy();
}

}  // namespace

TQtHost* QtHost() { return dynamic_cast<TQtHost*>(&Host()); }

// ---------------------------------------------------------------- printer

struct TQtPrinter::TJob {
  QPainter Painter;
  bool Failed = false;
};

TQtPrinter::TQtPrinter() : FQPrinter(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  FQPrinter->setPageSize(QPageSize(QPageSize::A4));
  SyncFromQPrinter();
}

TQtPrinter::~TQtPrinter() {
  if (FJob && FJob->Painter.isActive()) FJob->Painter.end();
}

void TQtPrinter::SyncFromQPrinter() {
  if (Printing()) RaiseMivoError("Printing in progress: the printer settings cannot change now");
  // The page bitmap gets the paintable area at a resolution the raster canvas
  // handles comfortably; PageDone scales it to the device.
  const QPageLayout layout = FQPrinter->pageLayout();
  const QRectF paintMm = layout.paintRect(QPageLayout::Millimeter);
  const std::int32_t ppi = std::clamp(FQPrinter->resolution(), 72, MaxPixelsPerInch);
  SetPixelsPerInch(ppi);
  SetPageSize(RoundToInt(paintMm.width() / 25.4 * ppi, 1), RoundToInt(paintMm.height() / 25.4 * ppi, 1));
}

void TQtPrinter::DocStarted() {
  FJob = std::make_unique<TJob>();
  FQPrinter->setDocName(QString::fromStdString(Title));
  FQPrinter->setFullPage(false);
  FJob->Failed = !FJob->Painter.begin(FQPrinter.get());
  // Pages are pictures of lines and text: kept lossless (PDF output would
  // otherwise store them as JPEG, which blurs thin lines and small text).
  if (!FJob->Failed) FJob->Painter.setRenderHint(QPainter::LosslessImageRendering);
}

void TQtPrinter::PageDone(const TBitmap& page, std::int32_t pageNumber) {
  if (!FJob || FJob->Failed) return;
  if (pageNumber > 1 && !FQPrinter->newPage()) {
    FJob->Failed = true;
    return;
  }
  const QImage img = ToQImage(page);
  // The page fills the paintable area; its aspect ratio is that of the area.
  const QRect target(0, 0, FQPrinter->width(), FQPrinter->height());
  FJob->Painter.drawImage(target, img);
}

void TQtPrinter::DocDone() {
  std::unique_ptr<TJob> job = std::move(FJob);
  if (!job) return;
  const bool ok = job->Painter.isActive() ? job->Painter.end() && !job->Failed : false;
  if (!ok) RaiseMivoError("Printing failed: the printer \"" + FQPrinter->printerName().toStdString() +
                          "\" could not be opened or did not accept a page");
}

void TQtPrinter::DocAborted() {
  std::unique_ptr<TJob> job = std::move(FJob);
  if (job && job->Painter.isActive()) {
    FQPrinter->abort();
    job->Painter.end();
  }
}

// ---------------------------------------------------------------- host

TQtHost::TQtHost() = default;

TQtHost::~TQtHost() {
  if (FOverrideCursor && HaveGuiApp()) QGuiApplication::restoreOverrideCursor();
}

void TQtHost::Invalidate(TCustomControl& control) {
  if (TQtControlWidget* w = WidgetOf(control)) w->ControlInvalidated();
}

void TQtHost::Present(TCustomControl& control) {
  if (TQtControlWidget* w = WidgetOf(control)) w->ControlPresented();
}

void TQtHost::ControlCursorChanged(TControl& control) {
  if (TQtControlWidget* w = WidgetOf(control)) w->ApplyControlCursor();
}

QCursor TQtHost::MakeCursor(const TCursorImage& image) {
  // QCursor's bitmap/mask pairs: mask 1 and bitmap 1 black, mask 1 and bitmap
  // 0 white, mask 0 transparent. Rows as XBM-style bytes, most significant bit first.
  constexpr int n = TCursorImage::Size;
  std::vector<uchar> shape(std::size_t(n) * n / 8, 0), mask(shape.size(), 0);
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      const auto p = image.Pixel(x, y);
      const std::size_t byte = std::size_t(y) * (n / 8) + std::size_t(x / 8);
      const uchar bit = uchar(0x80u >> (x % 8));
      if (p != TCursorImage::TPixel::Transparent) mask[byte] |= bit;
      if (p == TCursorImage::TPixel::Black) shape[byte] |= bit;
    }
  const QBitmap bm = QBitmap::fromData(QSize(n, n), shape.data(), QImage::Format_Mono);
  const QBitmap mk = QBitmap::fromData(QSize(n, n), mask.data(), QImage::Format_Mono);
  return QCursor(bm, mk, std::clamp(image.HotX, 0, n - 1), std::clamp(image.HotY, 0, n - 1));
}

void TQtHost::RegisterCursor(std::int32_t id, const TCursorImage& image) {
  THost::RegisterCursor(id, image);
  // Bitmap cursors need a GUI application; without one only the image is kept.
  if (HaveGuiApp()) FQtCursors[id] = MakeCursor(image);
}

QCursor TQtHost::QtCursor(std::int32_t id) const {
  if (id > 0) {
    const auto it = FQtCursors.find(id);
    return it != FQtCursors.end() ? it->second : QCursor(Qt::ArrowCursor);
  }
  return QCursor(StandardShape(id));
}

void TQtHost::SetScreenCursor(std::int32_t id) {
  THost::SetScreenCursor(id);
  if (!HaveGuiApp()) return;
  if (id == crDefault) {
    if (FOverrideCursor) QGuiApplication::restoreOverrideCursor();
    FOverrideCursor = false;
  } else if (FOverrideCursor) {
    QGuiApplication::changeOverrideCursor(QtCursor(id));
  } else {
    QGuiApplication::setOverrideCursor(QtCursor(id));
    FOverrideCursor = true;
  }
}

void TQtHost::ProcessMessages() {
  if (QCoreApplication::instance()) QCoreApplication::processEvents();
}

bool TQtHost::Terminated() const { return !QCoreApplication::instance() || QCoreApplication::closingDown(); }

std::int32_t TQtHost::MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
  struct TButtonMap {
    TMsgDlgBtn Btn;
    QMessageBox::StandardButton Std;  // NoButton: a custom button
    const char* Text;
  };
  static constexpr TButtonMap kButtons[] = {
      {TMsgDlgBtn::mbYes, QMessageBox::Yes, nullptr},
      {TMsgDlgBtn::mbNo, QMessageBox::No, nullptr},
      {TMsgDlgBtn::mbOK, QMessageBox::Ok, nullptr},
      {TMsgDlgBtn::mbCancel, QMessageBox::Cancel, nullptr},
      {TMsgDlgBtn::mbAbort, QMessageBox::Abort, nullptr},
      {TMsgDlgBtn::mbRetry, QMessageBox::Retry, nullptr},
      {TMsgDlgBtn::mbIgnore, QMessageBox::Ignore, nullptr},
      {TMsgDlgBtn::mbAll, QMessageBox::NoButton, "All"},
      {TMsgDlgBtn::mbNoToAll, QMessageBox::NoToAll, nullptr},
      {TMsgDlgBtn::mbYesToAll, QMessageBox::YesToAll, nullptr},
      {TMsgDlgBtn::mbHelp, QMessageBox::Help, nullptr},
      {TMsgDlgBtn::mbClose, QMessageBox::Close, nullptr},
  };
  if (!HaveWidgetsApp()) {
    std::fprintf(stderr, "[message box] %s\n", text.c_str());
    for (const TButtonMap& b : kButtons)
      if (buttons.Contains(b.Btn) && ModalResultOf(b.Btn) != mrNone) return ModalResultOf(b.Btn);
    return mrOk;
  }
  QMessageBox box(QApplication::activeWindow());
  switch (type) {
    case TMsgDlgType::mtWarning: box.setIcon(QMessageBox::Warning); box.setWindowTitle("Warning"); break;
    case TMsgDlgType::mtError: box.setIcon(QMessageBox::Critical); box.setWindowTitle("Error"); break;
    case TMsgDlgType::mtInformation: box.setIcon(QMessageBox::Information); box.setWindowTitle("Information"); break;
    case TMsgDlgType::mtConfirmation: box.setIcon(QMessageBox::Question); box.setWindowTitle("Confirm"); break;
    case TMsgDlgType::mtCustom: box.setIcon(QMessageBox::NoIcon); break;
  }
  box.setText(QString::fromUtf8(text.data(), qsizetype(text.size())));
  std::vector<std::pair<QAbstractButton*, std::int32_t>> results;
  for (const TButtonMap& b : kButtons) {
    if (!buttons.Contains(b.Btn)) continue;
    QAbstractButton* qb = b.Std != QMessageBox::NoButton ? box.addButton(b.Std)
                                                         : box.addButton(QString(b.Text), QMessageBox::AcceptRole);
    results.emplace_back(qb, ModalResultOf(b.Btn));
  }
  if (results.empty()) results.emplace_back(box.addButton(QMessageBox::Ok), mrOk);
  box.exec();
  const QAbstractButton* clicked = box.clickedButton();
  for (const auto& [qb, result] : results)
    if (qb == clicked) return result;
  return mrCancel;
}

void TQtHost::ClearClipboard() {
  if (QClipboard* cb = Clipboard()) cb->clear();
}

void TQtHost::SetClipboardText(const std::string& text) {
  if (QClipboard* cb = Clipboard()) cb->setText(QString::fromUtf8(text.data(), qsizetype(text.size())));
}

std::string TQtHost::ClipboardText() const {
  const QClipboard* cb = Clipboard();
  if (!cb) return {};
  const QMimeData* md = cb->mimeData();
  if (!md || !md->hasText()) return {};
  return md->text().toStdString();
}

void TQtHost::SetClipboardBitmap(const TBitmap& bmp) {
  QClipboard* cb = Clipboard();
  if (!cb) return;
  const QImage img = ToQImage(bmp);
  if (img.isNull())
    cb->clear();
  else
    cb->setImage(img);
}

bool TQtHost::HasClipboardBitmap() const {
  const QClipboard* cb = Clipboard();
  const QMimeData* md = cb ? cb->mimeData() : nullptr;
  return md && md->hasImage();
}

bool TQtHost::GetClipboardBitmap(TBitmap& bmp) const {
  const QClipboard* cb = Clipboard();
  if (!cb) return false;
  const QImage src = cb->image();
  if (src.isNull() || src.width() > TBitmap::MaxSide || src.height() > TBitmap::MaxSide) return false;
  const QImage img = src.convertToFormat(QImage::Format_RGB32);
  TBitmap out(img.width(), img.height());
  for (int y = 0; y < img.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    TRGB32* dst = out.ScanLine(y);
    for (int x = 0; x < img.width(); ++x)
      dst[x] = TRGB32{std::uint8_t(qBlue(row[x])), std::uint8_t(qGreen(row[x])), std::uint8_t(qRed(row[x])), 0};
  }
  bmp = std::move(out);
  return true;
}

void TQtHost::SetClipboardData(const std::string& mimeType, const std::string& data) {
  QClipboard* cb = Clipboard();
  if (!cb) return;
  auto* md = new QMimeData;
  md->setData(QString::fromStdString(mimeType), QByteArray(data.data(), qsizetype(data.size())));
  cb->setMimeData(md);  // the clipboard owns it
}

std::string TQtHost::ClipboardData(const std::string& mimeType) const {
  const QClipboard* cb = Clipboard();
  const QMimeData* md = cb ? cb->mimeData() : nullptr;
  if (!md) return {};
  const QByteArray a = md->data(QString::fromStdString(mimeType));
  return std::string(a.constData(), std::size_t(a.size()));
}

TQtPrinter& TQtHost::QtPrinter() {
  if (!HaveGuiApp()) RaiseMivoError("No printer available: the Qt host needs a QApplication to print");
  if (!FPrinter) FPrinter = std::make_unique<TQtPrinter>();
  return *FPrinter;
}

TPrinter& TQtHost::Printer() { return QtPrinter(); }

// Qt can always print to a PDF file, so a GUI application always has a printer.
bool TQtHost::HasPrinter() const { return HaveGuiApp(); }

bool TQtHost::ExecPrintDialog(QWidget* parent) {
  if (!HaveWidgetsApp()) return false;
  TQtPrinter& printer = QtPrinter();
  QPrintDialog dialog(&printer.QtPrinter(), parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  printer.SyncFromQPrinter();
  return true;
}

std::int32_t TQtHost::ScreenPixelsPerInch() const {
  const QScreen* s = HaveGuiApp() ? QGuiApplication::primaryScreen() : nullptr;
  if (!s) return 96;
  return std::clamp(RoundToInt(s->logicalDotsPerInch(), 96), 24, 1200);
}

std::int32_t TQtHost::ScreenAspectX() const {
  // The relative width of a pixel, against a height of 36.
  const QScreen* s = HaveGuiApp() ? QGuiApplication::primaryScreen() : nullptr;
  if (!s) return 36;
  const double x = s->physicalDotsPerInchX(), y = s->physicalDotsPerInchY();
  if (!(x > 0) || !(y > 0)) return 36;
  return std::clamp(RoundToInt(36.0 * y / x, 36), 9, 144);
}

std::int32_t TQtHost::ScreenAspectY() const { return 36; }

}  // namespace mivo
