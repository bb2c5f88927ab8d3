// TRot3D export and print: the picture as a bitmap (clipboard, BMP, PNG), as a
// vector document (SVG, replayed from the recording canvas) and on the host's
// printer, where black and white is the plot's own monochrome rendering.
#include <algorithm>
#include <cmath>
#include <limits>

#include "mivo/base/frames.h"
#include "mivo/platform/host.h"
#include "mivo/platform/recording_canvas.h"
#include "mivo/platform/svg_writer.h"
#include "mivo/rot3d/rot3d.h"

namespace mivo {

namespace {

constexpr double kScreenPixelsPerInch = 96;
constexpr double kMinPrintScale = 0.01;
constexpr double kMaxPrintScale = 100;

std::int32_t ToInt32(std::int64_t v) {
  return std::int32_t(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

void TRot3D::RenderPicture(TCanvas& canvas, bool includeFrame, bool blkWhite) {
  InitGraf(canvas, blkWhite);
  canvas.Font = Font();
  ConstructDataBmp(canvas, blkWhite);
  if (includeFrame)
    DrawFrame(canvas, FFrameStyle, 0, 0, FWidth - 1, FHeight - 1, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x000000,
              blkWhite ? 0x000000 : FFrameCol);
}

void TRot3D::CopyToBitmap(TBitmap& bmp, bool includeFrame, bool blkWhite) {
  bmp.SetSize(std::clamp(FWidth, 0, MaxSurfaceSide), std::clamp(FHeight, 0, MaxSurfaceSide));
  RenderPicture(bmp.Canvas(), includeFrame, blkWhite);
}

void TRot3D::CopyToClipboard(bool includeFrame) {
  TBitmap bmp;
  CopyToBitmap(bmp, includeFrame);
  Host().SetClipboardBitmap(bmp);
}

void TRot3D::CopyToBMP(const std::string& fName, bool includeFrame) {
  TBitmap bmp;
  CopyToBitmap(bmp, includeFrame);
  bmp.SaveToBMP(fName);  // always BMP, whatever the name
}

void TRot3D::CopyToPNG(const std::string& fName, bool includeFrame) {
  TBitmap bmp;
  CopyToBitmap(bmp, includeFrame);
  bmp.SaveToPNG(fName);
}

void TRot3D::CopyToWMF(const std::string& fName, bool includeFrame) {
  TRecordingCanvas rc(TSize{FWidth, FHeight});
  RenderPicture(rc, includeFrame, false);
  SaveRecordingToSvg(rc, fName);
}

void TRot3D::CopyToClipboardWMF(bool includeFrame) {
  TRecordingCanvas rc(TSize{FWidth, FHeight});
  RenderPicture(rc, includeFrame, false);
  Host().SetClipboardData("image/svg+xml", RecordingToSvg(rc));
}

void TRot3D::CopyToOpenPrinter(std::int32_t& x, std::int32_t& y, double scaleF, bool blkWhite, bool includeFrame) {
  TPrinter& printer = Host().Printer();
  scaleF = std::isfinite(scaleF) ? std::clamp(scaleF, kMinPrintScale, kMaxPrintScale) : 1.0;
  TBitmap bmp;
  CopyToBitmap(bmp, includeFrame, blkWhite);
  const double f = scaleF * printer.PixelsPerInch() / kScreenPixelsPerInch;
  const std::int64_t right = std::int64_t(x) + RoundToInt(bmp.Width() * f);
  const std::int64_t bottom = std::int64_t(y) + RoundToInt(bmp.Height() * f);
  printer.Canvas().StretchDraw(Rect(x, y, ToInt32(right), ToInt32(bottom)), bmp);
  x = ToInt32(right);
  y = ToInt32(bottom);
}

void TRot3D::PrintIt(double scaleF, bool blkWhite, bool includeFrame) {
  TPrinter& printer = Host().Printer();
  printer.BeginDoc();
  std::int32_t x = 0, y = 0;
  try {
    CopyToOpenPrinter(x, y, scaleF, blkWhite, includeFrame);
  } catch (...) {
    printer.Abort();
    throw;
  }
  printer.EndDoc();
}

}  // namespace mivo
