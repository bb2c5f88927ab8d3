#pragma once
// TQtHost: the host interface over Qt 6 Widgets. Install it once a
// QApplication exists:
//
//   QApplication app(argc, argv);
//   mivo::SetHost(std::make_unique<mivo::TQtHost>());
//
// Controls are shown by TQtControlWidget (qt_control_widget.h); the host finds
// the widget of a control by the control's id, so nothing here keeps a pointer
// to a control. Every Qt call is guarded against a missing application object:
// without one the host behaves like an empty window system (no widgets, no
// clipboard content, message boxes answered with their first button).

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include <QCursor>

#include "mivo/platform/host.h"

class QPrinter;
class QWidget;

#include "mivo/platform/export.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

// A print job that sends every finished page to a QPrinter, scaled to the
// printer's paintable area. The page bitmap takes the printer's page size and
// a resolution of at most MaxPixelsPerInch (see SyncFromQPrinter).
class TQtPrinter : public TPrinter {
 public:
  TQtPrinter();
  ~TQtPrinter() override;

  QPrinter& QtPrinter() { return *FQPrinter; }
  // Takes page size and resolution from the QPrinter (after a print dialog or
  // a change of its settings). Raises EMivoError during a job.
  void SyncFromQPrinter();
  static constexpr std::int32_t MaxPixelsPerInch = 300;

 protected:
  void DocStarted() override;
  void PageDone(const TBitmap& page, std::int32_t pageNumber) override;
  // Raises EMivoError when the printer could not be opened or a page failed,
  // so a failed job is never reported as done.
  void DocDone() override;
  void DocAborted() override;

 private:
  struct TJob;
  std::unique_ptr<QPrinter> FQPrinter;
  std::unique_ptr<TJob> FJob;
};

class TQtHost : public THost {
 public:
  TQtHost();
  ~TQtHost() override;

  // --- windows
  void Invalidate(TCustomControl& control) override;
  void Present(TCustomControl& control) override;
  void ControlCursorChanged(TControl& control) override;

  // --- cursors
  void RegisterCursor(std::int32_t id, const TCursorImage& image) override;
  // The screen cursor overrides every widget's cursor while not crDefault.
  void SetScreenCursor(std::int32_t id) override;
  // The Qt cursor of a cursor number: a registered bitmap cursor for 1 ...,
  // a standard shape for 0 and below (the arrow for unknown numbers).
  QCursor QtCursor(std::int32_t id) const;
  bool HasQtCursor(std::int32_t id) const { return FQtCursors.count(id) != 0; }
  // A bitmap cursor from a 32 x 32 monochrome image (needs a QGuiApplication).
  static QCursor MakeCursor(const TCursorImage& image);

  // --- messages
  void ProcessMessages() override;
  bool Terminated() const override;
  // A modal QMessageBox (parent: the active window). Closing it without a
  // button answers mrCancel; without a QApplication the first button's result.
  std::int32_t MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) override;

  // --- clipboard (QClipboard; bitmaps as QImage::Format_RGB32)
  void ClearClipboard() override;
  void SetClipboardText(const std::string& text) override;
  std::string ClipboardText() const override;
  void SetClipboardBitmap(const TBitmap& bmp) override;
  bool HasClipboardBitmap() const override;
  bool GetClipboardBitmap(TBitmap& bmp) const override;
  void SetClipboardData(const std::string& mimeType, const std::string& data) override;
  std::string ClipboardData(const std::string& mimeType) const override;

  // --- printer
  TPrinter& Printer() override;
  bool HasPrinter() const override;
  TQtPrinter& QtPrinter();
  // Shows a QPrintDialog for the printer and takes over its settings; false
  // when the user cancels.
  bool ExecPrintDialog(QWidget* parent = nullptr);

  // --- screen (the primary screen; 96 and 36:36 without one)
  std::int32_t ScreenPixelsPerInch() const override;
  std::int32_t ScreenAspectX() const override;
  std::int32_t ScreenAspectY() const override;

 private:
  std::map<std::int32_t, QCursor> FQtCursors;
  bool FOverrideCursor = false;
  std::unique_ptr<TQtPrinter> FPrinter;
};

// The active host as a Qt host, or null when another host is active.
TQtHost* QtHost();

}  // namespace mivo
MIVO_PUBLIC_END
