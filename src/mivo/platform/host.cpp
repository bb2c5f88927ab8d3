#include "mivo/platform/host.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "mivo/platform/errors.h"
#include "mivo/platform/raster_canvas.h"

namespace mivo {

// ---------------------------------------------------------------- active host

namespace {

// Never destroyed: controls with static storage may be destroyed after every
// other static object and still tell the host.
std::unique_ptr<THost>& HostSlot() {
  static auto* slot = new std::unique_ptr<THost>();
  return *slot;
}

}  // namespace

THost& Host() {
  std::unique_ptr<THost>& slot = HostSlot();
  if (!slot) slot = std::make_unique<THeadlessHost>();
  return *slot;
}

std::unique_ptr<THost> SetHost(std::unique_ptr<THost> host) {
  if (!host) host = std::make_unique<THeadlessHost>();
  std::unique_ptr<THost> previous = std::move(HostSlot());
  HostSlot() = std::move(host);
  return previous;
}

THeadlessHost* HeadlessHost() { return dynamic_cast<THeadlessHost*>(&Host()); }

// ---------------------------------------------------------------- THost

void THost::RegisterCursor(std::int32_t id, const TCursorImage& image) { FCursors[id] = image; }

const TCursorImage* THost::RegisteredCursor(std::int32_t id) const {
  const auto it = FCursors.find(id);
  return it == FCursors.end() ? nullptr : &it->second;
}

std::int32_t ModalResultOf(TMsgDlgBtn button) {
  switch (button) {
    case TMsgDlgBtn::mbYes: return mrYes;
    case TMsgDlgBtn::mbNo: return mrNo;
    case TMsgDlgBtn::mbOK: return mrOk;
    case TMsgDlgBtn::mbCancel: return mrCancel;
    case TMsgDlgBtn::mbAbort: return mrAbort;
    case TMsgDlgBtn::mbRetry: return mrRetry;
    case TMsgDlgBtn::mbIgnore: return mrIgnore;
    case TMsgDlgBtn::mbAll: return mrAll;
    case TMsgDlgBtn::mbNoToAll: return mrNoToAll;
    case TMsgDlgBtn::mbYesToAll: return mrYesToAll;
    case TMsgDlgBtn::mbClose: return mrClose;
    case TMsgDlgBtn::mbHelp: break;
  }
  return mrNone;
}

// ---------------------------------------------------------------- TPrinter

TPrinter::TPrinter() = default;
TPrinter::~TPrinter() = default;

void TPrinter::SetPageSize(std::int32_t width, std::int32_t height) {
  FPageWidth = std::clamp(width, 1, 16384);
  FPageHeight = std::clamp(height, 1, 16384);
}

void TPrinter::SetPixelsPerInch(std::int32_t ppi) { FPixelsPerInch = std::clamp(ppi, 1, 2400); }

void TPrinter::PreparePage() {
  FPage.SetSize(FPageWidth, FPageHeight);
  FPage.Clear(0xFFFFFF);
  TRasterCanvas& c = FPage.RasterCanvas();
  c.SetIsPrinter(true);
  c.SetPixelsPerInch(FPixelsPerInch);
  c.Font.PixelsPerInch = FPixelsPerInch;
}

TCanvas& TPrinter::Canvas() { return RasterCanvas(); }

TRasterCanvas& TPrinter::RasterCanvas() {
  if (FPage.Width() == 0) PreparePage();
  return FPage.RasterCanvas();
}

void TPrinter::BeginDoc() {
  if (FPrinting) RaiseMivoError("Printing in progress: EndDoc or Abort the current print job first");
  PreparePage();
  FPrinting = true;
  FAborted = false;
  FPageNumber = 1;
  DocStarted();
}

void TPrinter::NewPage() {
  if (!FPrinting) RaiseMivoError("Printer is not printing: call BeginDoc first");
  PageDone(FPage, FPageNumber);
  ++FPageNumber;
  PreparePage();
}

void TPrinter::EndDoc() {
  if (!FPrinting) RaiseMivoError("Printer is not printing: call BeginDoc first");
  FPrinting = false;  // a failing page write must not leave the job open
  PageDone(FPage, FPageNumber);
  DocDone();
}

void TPrinter::Abort() {
  if (!FPrinting) return;
  FPrinting = false;
  FAborted = true;
  DocAborted();
}

void TPrinter::PageDone(const TBitmap&, std::int32_t) {}

// ---------------------------------------------------------------- THeadlessHost

class THeadlessHost::TFilePrinter : public TPrinter {
 public:
  explicit TFilePrinter(THeadlessHost& host) : FHost(host) {}

 protected:
  void PageDone(const TBitmap& page, std::int32_t pageNumber) override {
    const std::string name = PrintFileName(FHost.FPrintPattern, pageNumber);
    page.SaveToPNG(name);
    FHost.FPrintedFiles.push_back(name);
  }

 private:
  THeadlessHost& FHost;
};

THeadlessHost::THeadlessHost() {
  if (const char* env = std::getenv("MIVO_PRINT_TO")) FPrintPattern = env;
}

THeadlessHost::~THeadlessHost() = default;

void THeadlessHost::Invalidate(TCustomControl& control) {
  const std::uint64_t id = control.ControlId();
  if (std::find(FInvalid.begin(), FInvalid.end(), id) == FInvalid.end()) FInvalid.push_back(id);
}

void THeadlessHost::Present(TCustomControl& control) {
  const std::uint64_t id = control.ControlId();
  std::erase(FPresentRequests, id);
  ++FPresents[id];
}

void THeadlessHost::RequestPresent(TCustomControl& control) {
  const std::uint64_t id = control.ControlId();
  if (std::find(FPresentRequests.begin(), FPresentRequests.end(), id) == FPresentRequests.end())
    FPresentRequests.push_back(id);
}

bool THeadlessHost::IsPresentRequested(const TControl& control) const {
  return std::find(FPresentRequests.begin(), FPresentRequests.end(), control.ControlId()) != FPresentRequests.end();
}

void THeadlessHost::ControlDestroyed(TControl& control) {
  const std::uint64_t id = control.ControlId();
  FInvalid.erase(std::remove(FInvalid.begin(), FInvalid.end(), id), FInvalid.end());
  std::erase(FPresentRequests, id);
  FPresents.erase(id);
  std::erase_if(FQueue, [id](const TPosted& p) { return p.Id == id; });
}

bool THeadlessHost::IsInvalidated(const TControl& control) const {
  return std::find(FInvalid.begin(), FInvalid.end(), control.ControlId()) != FInvalid.end();
}

std::size_t THeadlessHost::PendingInvalidations() const { return FInvalid.size(); }

std::size_t THeadlessHost::FlushInvalidations() {
  std::vector<std::uint64_t> batch;
  batch.swap(FInvalid);
  std::size_t painted = 0;
  for (std::uint64_t id : batch) {
    // Looked up one by one: painting one control may destroy another.
    if (TControl* c = FindControl(id)) {
      c->Dispatch(TMessage{TMessageKind::mkPaint});
      ++painted;
    }
  }
  // A paint above presented its control and answered its request.
  std::vector<std::uint64_t> requests;
  requests.swap(FPresentRequests);
  for (std::uint64_t id : requests)
    if (auto* c = dynamic_cast<TCustomControl*>(FindControl(id))) Present(*c);
  return painted;
}

std::int32_t THeadlessHost::PresentCount(const TControl& control) const {
  const auto it = FPresents.find(control.ControlId());
  return it == FPresents.end() ? 0 : it->second;
}

void THeadlessHost::PostMessage(TControl& control, const TMessage& msg) {
  FQueue.push_back({control.ControlId(), FNextSerial++, msg});
  InputArrived();
}

void THeadlessHost::InputArrived() {
  FTerminated = false;
  FCallsWithoutInput = 0;
}

std::size_t THeadlessHost::PendingMessages() const { return FQueue.size(); }

void THeadlessHost::ProcessMessages() {
  const std::uint64_t postedBefore = FNextSerial;
  const bool idle = FQueue.empty() && FInvalid.empty() && FPresentRequests.empty();
  bool delivered = false;
  // Each message is taken off the queue before it is delivered: a handler may
  // post, process messages again (a nested loop) or destroy controls (and
  // with them their queued messages, so the queue is judged by serial, not
  // by a count taken at the start).
  while (!FQueue.empty() && FQueue.front().Serial < postedBefore) {
    const TPosted p = FQueue.front();
    FQueue.pop_front();
    delivered = true;
    if (TControl* c = FindControl(p.Id)) c->Dispatch(p.Msg);
  }
  FlushInvalidations();
  if (idle && OnIdle) OnIdle();
  if (delivered || !FQueue.empty()) {
    FCallsWithoutInput = 0;
    return;
  }
  const auto now = std::chrono::steady_clock::now();
  if (FCallsWithoutInput++ == 0) FWaitingSince = now;
  if (FCallsWithoutInput >= IdleLimit || now - FWaitingSince >= LoopTimeLimit) FTerminated = true;
}

std::int32_t THeadlessHost::MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
  std::int32_t result = FCannedAnswer;
  if (result == mrNone) {
    for (std::uint8_t b = 0; b <= std::uint8_t(TMsgDlgBtn::mbClose); ++b)
      if (buttons.Contains(TMsgDlgBtn(b)) && ModalResultOf(TMsgDlgBtn(b)) != mrNone) {
        result = ModalResultOf(TMsgDlgBtn(b));
        break;
      }
    if (result == mrNone) result = mrOk;
  }
  FMessageBoxes.push_back({text, type, buttons, result});
  if (!Quiet) std::fprintf(stderr, "[message box] %s\n", text.c_str());
  return result;
}

void THeadlessHost::ClearClipboard() {
  FClipText.clear();
  FClipHasText = false;
  FClipBitmap.reset();
  FClipData.clear();
}

void THeadlessHost::SetClipboardText(const std::string& text) {
  ClearClipboard();
  FClipText = text;
  FClipHasText = true;
}

std::string THeadlessHost::ClipboardText() const { return FClipHasText ? FClipText : std::string(); }

void THeadlessHost::SetClipboardBitmap(const TBitmap& bmp) {
  auto copy = std::make_unique<TBitmap>(bmp);  // copy first: a failure leaves the clipboard as it was
  ClearClipboard();
  FClipBitmap = std::move(copy);
}

bool THeadlessHost::HasClipboardBitmap() const { return FClipBitmap != nullptr; }

bool THeadlessHost::GetClipboardBitmap(TBitmap& bmp) const {
  if (!FClipBitmap) return false;
  bmp = *FClipBitmap;
  return true;
}

void THeadlessHost::SetClipboardData(const std::string& mimeType, const std::string& data) {
  ClearClipboard();
  FClipData[mimeType] = data;
}

std::string THeadlessHost::ClipboardData(const std::string& mimeType) const {
  const auto it = FClipData.find(mimeType);
  return it == FClipData.end() ? std::string() : it->second;
}

void THeadlessHost::SetPrintFilePattern(const std::string& pattern) { FPrintPattern = pattern; }

std::string THeadlessHost::PrintFileName(const std::string& pattern, std::int32_t page) {
  // "%d" or "%0Nd" with one digit N.
  for (std::size_t i = 0; i + 1 < pattern.size(); ++i) {
    if (pattern[i] != '%') continue;
    std::size_t width = 0, len = 0;
    if (pattern[i + 1] == 'd') {
      len = 2;
    } else if (i + 3 < pattern.size() && pattern[i + 1] == '0' && pattern[i + 2] >= '1' && pattern[i + 2] <= '9' &&
               pattern[i + 3] == 'd') {
      width = std::size_t(pattern[i + 2] - '0');
      len = 4;
    } else {
      continue;
    }
    std::string num = std::to_string(page);
    if (num.size() < width) num.insert(0, width - num.size(), '0');
    return pattern.substr(0, i) + num + pattern.substr(i + len);
  }
  const std::size_t slash = pattern.find_last_of('/');
  std::size_t dot = pattern.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) dot = pattern.size();
  return pattern.substr(0, dot) + "_" + std::to_string(page) + pattern.substr(dot);
}

TPrinter& THeadlessHost::Printer() {
  if (!HasPrinter())
    RaiseMivoError(
        "No printer available: the headless host prints to PNG files once a file pattern is set "
        "(THeadlessHost::SetPrintFilePattern or the environment variable MIVO_PRINT_TO)");
  if (!FPrinter) FPrinter = std::make_unique<TFilePrinter>(*this);
  return *FPrinter;
}

}  // namespace mivo
