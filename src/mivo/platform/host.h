#pragma once
// The host: what a window system answers for the controls. One process-wide
// host object is active (Host()); SetHost replaces it. The headless host
// (THeadlessHost, the default) runs without any window system: it queues
// invalidations and posted input messages until a test or program flushes
// them, keeps the clipboard in memory, records message boxes and prints to
// PNG files. src/mivo/qt supplies the same interface over Qt 6 Widgets.
//
// Hosts never keep raw control pointers across calls: they keep control ids
// (TControl::ControlId) and look them up with FindControl, so a control that
// has been destroyed is simply skipped.

#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/controls.h"
#include "mivo/platform/export.h"
#include "mivo/platform/mivo_types.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

class TRasterCanvas;

// ---------------------------------------------------------------- cursors

// Screen cursor numbers: 0 and below are the platform's standard cursors,
// 1 ... are cursors registered by the program (the chart cursors are 1-4).
inline constexpr std::int32_t crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4,
                              crSizeNESW = -6, crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9,
                              crHourGlass = -11, crHandPoint = -21, crSizeAll = -22;

// A 32 x 32 monochrome cursor. Row y, column x is bit (31 - x) of the row word.
// Mask = 1: the pixel is opaque, drawn black when Shape is 1 and white when it
// is 0. Mask = 0: transparent.
struct TCursorImage {
  static constexpr std::int32_t Size = 32;
  std::string Name;
  std::array<std::uint32_t, 32> Shape{};
  std::array<std::uint32_t, 32> Mask{};
  std::int32_t HotX = 0, HotY = 0;

  enum class TPixel : std::uint8_t { Transparent, Black, White };
  TPixel Pixel(std::int32_t x, std::int32_t y) const;
  // Builds an image from 32 rows of 32 characters: 'X' black, 'o' white, any other transparent.
  static TCursorImage FromArt(const std::string& name, const std::array<const char*, 32>& rows, std::int32_t hotX,
                              std::int32_t hotY);
};

// The four chart cursors: "CURHAND" (an open hand, hot spot 12,3), "CURZOOMW"
// (a framed window with a diagonal, 7,9), "CURZOOMD" (four corner arrows
// around a square, 15,15) and "CURZOOMP" (a framed window, 7,8), in that order.
const std::array<TCursorImage, 4>& ChartCursorImages();
// Registers the chart cursors with the active host as cursors 1 to 4.
void LoadChartCursors();
// The numbers LoadChartCursors gives the chart cursors, in the order above.
inline constexpr std::int32_t crChartHand = 1, crChartZoomWindow = 2, crChartZoomDrag = 3, crChartZoomAligned = 4;

// ---------------------------------------------------------------- message box

enum class TMsgDlgType : std::uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum class TMsgDlgBtn : std::uint8_t {
  mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp, mbClose
};
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

// Modal results.
inline constexpr std::int32_t mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
                              mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10, mrClose = 11;
// The modal result of a button (mbHelp gives mrNone).
std::int32_t ModalResultOf(TMsgDlgBtn button);

// ---------------------------------------------------------------- printer

// A print job drawn page by page on a raster page. The canvas reports
// IsPrinter() and the page resolution, so components scale their sizes. A host
// derives from it to send the pages somewhere (PageDone).
class TPrinter {
 public:
  TPrinter();
  virtual ~TPrinter();
  TPrinter(const TPrinter&) = delete;
  TPrinter& operator=(const TPrinter&) = delete;

  // Starts a job with an empty (white) first page. Raises EMivoError when a job is running.
  void BeginDoc();
  // Finishes the current page and starts a new one. Raises EMivoError outside a job.
  void NewPage();
  // Finishes the last page and the job. Raises EMivoError outside a job.
  void EndDoc();
  // Drops the job without finishing the current page; harmless outside a job.
  void Abort();
  bool Printing() const { return FPrinting; }
  bool Aborted() const { return FAborted; }
  // 1-based number of the current page (0 before the first job).
  std::int32_t PageNumber() const { return FPageNumber; }
  std::string Title;

  // Page size in device pixels and the device resolution; changes take effect
  // with the next page. Default: A4 at 300 pixels per inch (2480 x 3508).
  std::int32_t PageWidth() const { return FPageWidth; }
  std::int32_t PageHeight() const { return FPageHeight; }
  std::int32_t PixelsPerInch() const { return FPixelsPerInch; }
  // Sizes are clamped to 1 ... 16384 pixels, the resolution to 1 ... 2400.
  void SetPageSize(std::int32_t width, std::int32_t height);
  void SetPixelsPerInch(std::int32_t ppi);

  // The page canvas (valid any time; outside a job it draws on a scratch page).
  TCanvas& Canvas();
  TRasterCanvas& RasterCanvas();
  const TBitmap& Page() const { return FPage; }

 protected:
  // Called with every finished page (1-based number).
  virtual void PageDone(const TBitmap& page, std::int32_t pageNumber);
  // Called when a job starts, ends or is aborted.
  virtual void DocStarted() {}
  virtual void DocDone() {}
  virtual void DocAborted() {}

 private:
  void PreparePage();
  TBitmap FPage;
  std::int32_t FPageWidth = 2480, FPageHeight = 3508, FPixelsPerInch = 300;
  std::int32_t FPageNumber = 0;
  bool FPrinting = false;
  bool FAborted = false;
};

// ---------------------------------------------------------------- host

class THost {
 public:
  virtual ~THost() = default;

  // Window surfaces. Invalidate asks for a paint message later; Present shows
  // the control's surface now. RequestPresent asks for the surface to be
  // shown at the next screen update, with no paint message: the control has
  // drawn (or is about to draw) on it outside a paint message. Requests
  // before that update are merged into it, so a burst of drawing costs one
  // update per frame. The default presents at once.
  virtual void Invalidate(TCustomControl& control) = 0;
  virtual void Present(TCustomControl& control) = 0;
  virtual void RequestPresent(TCustomControl& control) { Present(control); }
  // The control is being destroyed: forget everything about it.
  virtual void ControlDestroyed(TControl& control) { (void)control; }
  // The control's own cursor changed (shown while the mouse is over it).
  virtual void ControlCursorChanged(TControl& control) { (void)control; }

  // Cursors: images registered by number (1 ...), and the screen cursor that
  // overrides the controls' own cursors when not crDefault.
  virtual void RegisterCursor(std::int32_t id, const TCursorImage& image);
  const TCursorImage* RegisteredCursor(std::int32_t id) const;
  virtual void SetScreenCursor(std::int32_t id) { FScreenCursor = id; }
  std::int32_t ScreenCursor() const { return FScreenCursor; }

  // Delivers the pending messages (input, then paints) and returns.
  virtual void ProcessMessages() = 0;
  // True when the program is ending; nested message loops must stop then.
  virtual bool Terminated() const { return false; }

  // The modal information box; returns a modal result (mrOk ...).
  virtual std::int32_t MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) = 0;

  // Clipboard. Each Set... replaces the whole clipboard content.
  virtual void ClearClipboard() = 0;
  virtual void SetClipboardText(const std::string& text) = 0;
  virtual std::string ClipboardText() const = 0;  // "" when there is no text
  virtual void SetClipboardBitmap(const TBitmap& bmp) = 0;
  virtual bool HasClipboardBitmap() const = 0;
  // Copies the clipboard bitmap into `bmp`; false (bmp unchanged) when there is none.
  virtual bool GetClipboardBitmap(TBitmap& bmp) const = 0;
  // Other formats by MIME type ("image/svg+xml", "image/emf").
  virtual void SetClipboardData(const std::string& mimeType, const std::string& data) = 0;
  virtual std::string ClipboardData(const std::string& mimeType) const = 0;

  // The printer; raises EMivoError when there is none.
  virtual TPrinter& Printer() = 0;
  virtual bool HasPrinter() const = 0;

  // Screen device capabilities.
  virtual std::int32_t ScreenPixelsPerInch() const { return 96; }
  virtual std::int32_t ScreenAspectX() const { return 36; }
  virtual std::int32_t ScreenAspectY() const { return 36; }

 private:
  std::map<std::int32_t, TCursorImage> FCursors;
  std::int32_t FScreenCursor = crDefault;
};

// The active host (a THeadlessHost until SetHost installs another one).
THost& Host();
// Installs `host` (null installs a fresh headless host) and returns the previous one.
std::unique_ptr<THost> SetHost(std::unique_ptr<THost> host);

// ---------------------------------------------------------------- headless host

// A recorded message box.
struct TMessageBoxRecord {
  std::string Text;
  TMsgDlgType Type = TMsgDlgType::mtInformation;
  TMsgDlgButtons Buttons;
  std::int32_t Result = mrNone;
};

class THeadlessHost : public THost {
 public:
  THeadlessHost();
  ~THeadlessHost() override;

  // --- windows
  void Invalidate(TCustomControl& control) override;
  void Present(TCustomControl& control) override;
  void ControlDestroyed(TControl& control) override;
  // Queued until the next FlushInvalidations (a frame); a Present meanwhile
  // answers the request.
  void RequestPresent(TCustomControl& control) override;
  bool IsInvalidated(const TControl& control) const;
  std::size_t PendingInvalidations() const;
  bool IsPresentRequested(const TControl& control) const;
  // Delivers one paint message to every invalidated control (in the order of
  // their first invalidation), then presents the surfaces that asked for it
  // and were not painted, and returns how many were painted. Controls
  // invalidated while painting wait for the next flush.
  std::size_t FlushInvalidations();
  // How often the control's surface was presented (shown on the screen).
  std::int32_t PresentCount(const TControl& control) const;

  // --- input queue
  // Queues a message for the control; ProcessMessages delivers it.
  void PostMessage(TControl& control, const TMessage& msg);
  std::size_t PendingMessages() const;
  // Delivers the messages that were queued when it was called (messages posted
  // meanwhile wait for the next call, even when a handler destroys a control
  // and its messages with it), then flushes invalidations. A call that finds
  // nothing to do calls OnIdle.
  // A nested loop waiting for input that never comes must end instead of
  // hanging: after IdleLimit calls in a row that delivered no posted message
  // (idle, or only painting: a control that invalidates itself in its own
  // paint keeps every call busy), or once LoopTimeLimit has passed since the
  // last posted message was delivered or the first such call, whichever comes
  // first, Terminated() turns true. The next PostMessage clears it.
  void ProcessMessages() override;
  bool Terminated() const override { return FTerminated; }
  void SetTerminated(bool b) { FTerminated = b; }
  std::function<void()> OnIdle;
  std::int32_t IdleLimit = 10000;
  std::chrono::milliseconds LoopTimeLimit{5000};

  // --- message boxes
  // Records the box, prints it to stderr (unless Quiet) and answers the canned
  // answer when set (not mrNone), else the result of the first button given.
  std::int32_t MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) override;
  void SetMessageDlgAnswer(std::int32_t modalResult) { FCannedAnswer = modalResult; }
  const std::vector<TMessageBoxRecord>& MessageBoxes() const { return FMessageBoxes; }
  void ClearMessageBoxes() { FMessageBoxes.clear(); }
  bool Quiet = false;

  // --- clipboard (in memory)
  void ClearClipboard() override;
  void SetClipboardText(const std::string& text) override;
  std::string ClipboardText() const override;
  void SetClipboardBitmap(const TBitmap& bmp) override;
  bool HasClipboardBitmap() const override;
  bool GetClipboardBitmap(TBitmap& bmp) const override;
  void SetClipboardData(const std::string& mimeType, const std::string& data) override;
  std::string ClipboardData(const std::string& mimeType) const override;

  // --- printer to file
  // Pages are written as PNG files named by the pattern: "%d" (or "%0Nd",
  // N = 1 ... 9) is replaced by the page number; without one, "_<page>" is
  // inserted before the extension. An empty pattern (the default, unless the
  // environment variable MIVO_PRINT_TO names one) means there is no printer.
  void SetPrintFilePattern(const std::string& pattern);
  const std::string& PrintFilePattern() const { return FPrintPattern; }
  // File name of a page under the pattern.
  static std::string PrintFileName(const std::string& pattern, std::int32_t page);
  // Every file written by the printer, in order.
  const std::vector<std::string>& PrintedFiles() const { return FPrintedFiles; }
  TPrinter& Printer() override;
  bool HasPrinter() const override { return !FPrintPattern.empty(); }

 private:
  class TFilePrinter;
  struct TPosted {
    std::uint64_t Id;
    std::uint64_t Serial;  // order of posting: a call delivers those older than itself
    TMessage Msg;
  };
  void InputArrived();
  std::vector<std::uint64_t> FInvalid;  // control ids, first-invalidation order
  std::vector<std::uint64_t> FPresentRequests;  // control ids, first-request order
  std::map<std::uint64_t, std::int32_t> FPresents;
  std::deque<TPosted> FQueue;
  std::uint64_t FNextSerial = 0;
  std::int32_t FCallsWithoutInput = 0;
  std::chrono::steady_clock::time_point FWaitingSince{};
  bool FTerminated = false;
  std::int32_t FCannedAnswer = mrNone;
  std::vector<TMessageBoxRecord> FMessageBoxes;
  std::string FClipText;
  bool FClipHasText = false;
  std::unique_ptr<TBitmap> FClipBitmap;
  std::map<std::string, std::string> FClipData;
  std::string FPrintPattern;
  std::vector<std::string> FPrintedFiles;
  std::unique_ptr<TFilePrinter> FPrinter;
};

// The active host as a headless host, or null when another host is active.
THeadlessHost* HeadlessHost();

}  // namespace mivo
MIVO_PUBLIC_END
