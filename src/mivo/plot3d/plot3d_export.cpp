// TPlot3D export and print: the picture as a bitmap (clipboard, BMP, PNG), as
// a vector document (SVG, replayed from the recording canvas) and on the
// host's printer.
#include <algorithm>
#include <cmath>

#include "mivo/base/export_util.h"
#include "mivo/base/scaled_canvas.h"
#include "mivo/base/frames.h"
#include "mivo/platform/host.h"
#include "mivo/platform/picture_file.h"
#include "mivo/platform/recording_canvas.h"
#include "mivo/platform/svg_writer.h"
#include "mivo/plot3d/plot3d.h"

namespace mivo {

namespace {

// Grey levels of the picture (ITU-R BT.601 weights), for black-and-white output.
void ToGrey(TBitmap& bmp) {
  for (std::int32_t y = 0; y < bmp.Height(); ++y) {
    TRGB32* row = bmp.ScanLine(y);
    for (std::int32_t x = 0; x < bmp.Width(); ++x) {
      const auto g = std::uint8_t(std::lround(0.299 * row[x].R + 0.587 * row[x].G + 0.114 * row[x].B));
      row[x].R = row[x].G = row[x].B = g;
    }
  }
}

}  // namespace

void TPlot3D::RenderPicture(TCanvas& canvas, bool includeFrame, bool withData) {
  const TAntialiasScope antialias(Antialiased());
  canvas.Font = Font();
  InitGraf(canvas);
  if (withData) ConstructDataBmp(canvas);
  if (includeFrame)
    DrawFrame(canvas, FFrameStyle, 0, 0, FWidth - 1, FHeight - 1, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x000000,
              FFrameCol);
}

void TPlot3D::CopyToBitmap(TBitmap& bmp, bool includeFrame) const {
  bmp.SetSize(std::clamp(FWidth, 0, MaxSurfaceSide), std::clamp(FHeight, 0, MaxSurfaceSide));
  // Rendering refreshes the node maps as painting does; the picture is the same.
  const_cast<TPlot3D*>(this)->RenderPicture(bmp.Canvas(), includeFrame, !IsDesigning());
}

void TPlot3D::CopyToClipboard(bool includeFrame) {
  TBitmap bmp;
  CopyToBitmap(bmp, includeFrame);
  Host().SetClipboardBitmap(bmp);
}

void TPlot3D::CopyToBMP(const std::string& fName, bool includeFrame) {
  TBitmap bmp;
  CopyToBitmap(bmp, includeFrame);
  bmp.SaveToBMP(fName);  // always BMP, whatever the name
}

void TPlot3D::CopyToPNG(const std::string& fName, bool includeFrame) {
  TBitmap bmp;
  CopyToBitmap(bmp, includeFrame);
  bmp.SaveToPNG(fName);
}

void TPlot3D::CopyToWMF(const std::string& fName, bool includeFrame) {
  SaveVectorPictureFile(fName, TSize{FWidth, FHeight}, [&](TRecordingCanvas& rc, std::vector<TClipRun>&) {
    RenderPicture(rc, includeFrame, !IsDesigning());
  });
}

void TPlot3D::PaintScaled(TBitmap& bmp, double f) {
  if (FSuppressPaint || IsLoading() || !Visible() || FPainting) return;
  TScaledCanvas scaled(bmp.Canvas(), f, 0, 0);
  RenderPicture(scaled, true, !IsDesigning());
}

void TPlot3D::SaveToFile(const std::string& fileName) { SaveToFile(fileName, ScreenDpi); }

void TPlot3D::SaveToFile(const std::string& fileName, double dpi) {
  TPictureSource source;
  source.Raster = [&](TBitmap& bmp) { CopyToBitmap(bmp, true); };
  source.Size = TSize{FWidth, FHeight};
  source.Vector = [&](TRecordingCanvas& rc, std::vector<TClipRun>&) {
    RenderPicture(rc, true, !IsDesigning());
  };
  // Drawn as on a printer of that resolution: text at its point size,
  // lines and marks scaled, the layout of the screen.
  source.RasterAt = [&](TBitmap& bmp, double f, double atDpi) {
    PrepareScaledBitmap(bmp, source.Size, f, atDpi);
    TScaledCanvas scaled(bmp.Canvas(), f, 0, 0);
    RenderPicture(scaled, true, !IsDesigning());
  };
  SavePictureFile(fileName, source, dpi);
}

void TPlot3D::CopyToClipboardWMF(bool includeFrame) {
  TRecordingCanvas rc(TSize{FWidth, FHeight});
  RenderPicture(rc, includeFrame, !IsDesigning());
  Host().SetClipboardData("image/svg+xml", RecordingToSvg(rc));
}

void TPlot3D::CopyToOpenPrinter(std::int32_t& x, std::int32_t& y, double scaleF, bool blkWhite, bool includeFrame) {
  TPrinter& printer = Host().Printer();
  TBitmap bmp;
  CopyToBitmap(bmp, includeFrame);
  if (blkWhite) ToGrey(bmp);
  // The screen picture at the printer's resolution, times scaleF.
  StretchOntoPrinter(printer, bmp, PrinterPixelScale(printer, scaleF), x, y);
}

void TPlot3D::PrintIt(double scaleF, bool blkWhite, bool includeFrame) {
  PrintAsJob(Host().Printer(), [&](std::int32_t& x, std::int32_t& y) {
    CopyToOpenPrinter(x, y, scaleF, blkWhite, includeFrame);
  });
}

}  // namespace mivo
