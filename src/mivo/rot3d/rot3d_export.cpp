// TRot3D export and print: the picture as a bitmap (clipboard, BMP, PNG), as a
// vector document (SVG, replayed from the recording canvas) and on the host's
// printer, where black and white is the plot's own monochrome rendering.
#include <algorithm>
#include <cmath>

#include "mivo/base/export_util.h"
#include "mivo/base/scaled_canvas.h"
#include "mivo/base/frames.h"
#include "mivo/platform/host.h"
#include "mivo/platform/picture_file.h"
#include "mivo/platform/recording_canvas.h"
#include "mivo/platform/svg_writer.h"
#include "mivo/rot3d/rot3d.h"

namespace mivo {

void TRot3D::RenderPicture(TCanvas& canvas, bool includeFrame, bool blkWhite) {
  const TAntialiasScope antialias(Antialiased());
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
  SaveVectorPictureFile(fName, TSize{FWidth, FHeight}, [&](TRecordingCanvas& rc, std::vector<TClipRun>&) {
    RenderPicture(rc, includeFrame, false);
  });
}

void TRot3D::PaintScaled(TBitmap& bmp, double f) {
  if (!Visible() || FPainting) return;
  TScaledCanvas scaled(bmp.Canvas(), f, 0, 0);
  RenderPicture(scaled, true, false);
}

void TRot3D::SaveToFile(const std::string& fileName) { SaveToFile(fileName, ScreenDpi); }

void TRot3D::SaveToFile(const std::string& fileName, double dpi) {
  TPictureSource source;
  source.Raster = [&](TBitmap& bmp) { CopyToBitmap(bmp, true); };
  source.Size = TSize{FWidth, FHeight};
  source.Vector = [&](TRecordingCanvas& rc, std::vector<TClipRun>&) {
    RenderPicture(rc, true, false);
  };
  // Drawn as on a printer of that resolution: text at its point size,
  // lines and marks scaled, the layout of the screen.
  source.RasterAt = [&](TBitmap& bmp, double f, double atDpi) {
    PrepareScaledBitmap(bmp, source.Size, f, atDpi);
    TScaledCanvas scaled(bmp.Canvas(), f, 0, 0);
    RenderPicture(scaled, true, false);
  };
  SavePictureFile(fileName, source, dpi);
}

void TRot3D::CopyToClipboardWMF(bool includeFrame) {
  TRecordingCanvas rc(TSize{FWidth, FHeight});
  RenderPicture(rc, includeFrame, false);
  Host().SetClipboardData("image/svg+xml", RecordingToSvg(rc));
}

void TRot3D::CopyToOpenPrinter(std::int32_t& x, std::int32_t& y, double scaleF, bool blkWhite, bool includeFrame) {
  TPrinter& printer = Host().Printer();
  TBitmap bmp;
  CopyToBitmap(bmp, includeFrame, blkWhite);
  StretchOntoPrinter(printer, bmp, PrinterPixelScale(printer, scaleF), x, y);
}

void TRot3D::PrintIt(double scaleF, bool blkWhite, bool includeFrame) {
  PrintAsJob(Host().Printer(), [&](std::int32_t& x, std::int32_t& y) {
    CopyToOpenPrinter(x, y, scaleF, blkWhite, includeFrame);
  });
}

}  // namespace mivo
