// Export and print: the chart as a bitmap (host bitmap, clipboard, BMP file),
// as a vector document (SVG or PDF, replayed from the recording canvas) and on
// the host's printer. Black and white switches the colour set for the time of
// the export (restored also when the export fails) and draws the items in the
// renderer's monochrome mode.
//
// Bitmaps are composed as Paint composes the screen: the frame, then the data
// area rendered into a bitmap of its own (which cuts off what lies beyond it)
// and copied in. Printing draws the same way at the printer's resolution
// through a canvas that scales the chart's pixel coordinates, with text set at
// its point size on the printer.
#include <algorithm>
#include <cmath>
#include <vector>

#include "mivo/base/export_util.h"
#include "mivo/base/scaled_canvas.h"
#include "mivo/platform/errors.h"
#include "mivo/platform/fonts.h"
#include "mivo/platform/host.h"
#include "mivo/platform/picture_file.h"
#include "mivo/platform/raster_canvas.h"
#include "mivo/platform/recording_canvas.h"
#include "mivo/platform/svg_writer.h"
#include "mivo/rchart/rchart.h"
#include "mivo/rchart/rchart_internal.h"

namespace mivo {

using detail::Sat32;

namespace {

// Black and white for the time of one export; the colours come back however
// the export ends.
class TBlackWhiteScope {
 public:
  TBlackWhiteScope(TCustomRChart& chart, bool on) : FChart(on ? &chart : nullptr) {
    if (FChart) FChart->BackupColorsAndMakeBW();
  }
  TBlackWhiteScope(const TBlackWhiteScope&) = delete;
  TBlackWhiteScope& operator=(const TBlackWhiteScope&) = delete;
  ~TBlackWhiteScope() {
    if (FChart) FChart->ReloadBackupColors();
  }

 private:
  TCustomRChart* FChart;
};

TPrinter& ChartPrinter() {
  if (!Host().HasPrinter()) RaiseMivoError("Chart print: no printer is available");
  return Host().Printer();
}

void PutBitmapOnClipboard(const TBitmap& bmp) {
  Host().SetClipboardBitmap(bmp);
  if (!Host().HasClipboardBitmap()) RaiseMivoError("Chart copy to the clipboard: no clipboard is available");
}

// The whole chart as primitives; gives the run of primitives that the data
// area drew, with its rectangle, which the data bitmap would cut them to.
TClipRun RecordChart(TCustomRChart& c, TRecordingCanvas& rc, bool mono) {
  c.ConstructChartBmp(rc);
  TClipRun area;
  area.First = rc.Size();
  area.Clip = Rect(c.MarginLeft(), c.MarginTop(), Sat32(std::int64_t(c.MarginLeft()) + c.DataAreaWidth()),
                   Sat32(std::int64_t(c.MarginTop()) + c.DataAreaHeight()));
  c.InitGraf(rc, c.MarginLeft(), c.MarginTop(), c.DataAreaWidth(), c.DataAreaHeight());
  c.ConstructDataBmpCanvas(rc, c.MarginLeft(), c.MarginTop(), mono, 0);
  area.Last = rc.Size();
  return area;
}

}  // namespace

// ---------------------------------------------------------------- rendering

void TCustomRChart::ExportCrossHairs(TCanvas& canvas, std::int32_t x, std::int32_t y, bool includeCrossHairs) {
  // The one place where exports draw the crosshairs: (x, y) is the canvas'
  // position in control pixels, as DrawFinish takes it.
  if (includeCrossHairs) DrawCrossHairs(x, y, canvas);
}

void TCustomRChart::RenderExportBitmap(TBitmap& bmp, bool dataAreaOnly, bool blkWhite, bool includeCrossHairs) {
  const TAntialiasScope antialias(Antialiased());
  TBlackWhiteScope bw(*this, blkWhite);
  // The mapping first: a range it refuses raises before the bitmap is touched.
  AdjustScaling();
  // The frame first: painting the scales records the ticks the grid is drawn
  // at, which are stale or missing until the scales have been painted for the
  // current range (a freshly set-up chart has none).
  TBitmap whole;
  whole.SetSize(std::clamp(Width(), 0, TBitmap::MaxSide), std::clamp(Height(), 0, TBitmap::MaxSide));
  ConstructChartBmp(whole.Canvas());
  TBitmap data;
  data.SetSize(std::min(DataAreaWidth(), TBitmap::MaxSide), std::min(DataAreaHeight(), TBitmap::MaxSide));
  InitGraf(data.Canvas(), 0, 0, data.Width(), data.Height());
  ConstructDataBmp(data, 0, 0, blkWhite, 0);
  if (dataAreaOnly) {
    ExportCrossHairs(data.Canvas(), RcLRim, RcTRim, includeCrossHairs);
    bmp.SetSize(data.Width(), data.Height());
    bmp.Canvas().CopyMode = TCopyMode::cmSrcCopy;
    bmp.Canvas().Draw(0, 0, data);
    return;
  }
  whole.Canvas().CopyMode = TCopyMode::cmSrcCopy;
  whole.Canvas().Draw(RcLRim, RcTRim, data);
  ExportCrossHairs(whole.Canvas(), 0, 0, includeCrossHairs);
  bmp.SetSize(whole.Width(), whole.Height());
  bmp.Canvas().CopyMode = TCopyMode::cmSrcCopy;
  bmp.Canvas().Draw(0, 0, whole);
}

// ---------------------------------------------------------------- bitmaps

void TCustomRChart::CopyToBitmap(TBitmap& bmp, bool blkWhite, bool includeCrossHairs) {
  RenderExportBitmap(bmp, false, blkWhite, includeCrossHairs);
}

void TCustomRChart::CopyToBitmapDAOnly(TBitmap& bmp, bool blkWhite, bool includeCrossHairs) {
  RenderExportBitmap(bmp, true, blkWhite, includeCrossHairs);
}

void TCustomRChart::CopyToClipboard(bool blkWhite, bool includeCrossHairs) {
  TBitmap bmp;
  RenderExportBitmap(bmp, false, blkWhite, includeCrossHairs);
  PutBitmapOnClipboard(bmp);
}

void TCustomRChart::CopyToClipboardDAOnly(bool blkWhite, bool includeCrossHairs) {
  TBitmap bmp;
  RenderExportBitmap(bmp, true, blkWhite, includeCrossHairs);
  PutBitmapOnClipboard(bmp);
}

void TCustomRChart::CopyToBMP(const std::string& fName, bool blkWhite) {
  TBitmap bmp;
  RenderExportBitmap(bmp, false, blkWhite, true);
  bmp.SaveToBMP(fName);  // BMP whatever the name
}

// ---------------------------------------------------------------- vector documents

void TCustomRChart::CopyToWMF(const std::string& fName, bool blkWhite) {
  PictureFormatOf(fName, true);  // an unsupported name is refused before the colours change
  TBlackWhiteScope bw(*this, blkWhite);
  SaveVectorPictureFile(fName, TSize{std::max(Width(), 0), std::max(Height(), 0)},
                        [&](TRecordingCanvas& rc, std::vector<TClipRun>& clips) {
                          clips.push_back(RecordChart(*this, rc, blkWhite));
                          ExportCrossHairs(rc, 0, 0, true);
                        });
}

void TCustomRChart::SaveToFile(const std::string& fileName) { SaveToFile(fileName, ScreenDpi); }

void TCustomRChart::SaveToFile(const std::string& fileName, double dpi) {
  TPictureSource source;
  source.Raster = [&](TBitmap& bmp) { RenderExportBitmap(bmp, false, false, true); };
  source.RasterAt = [&](TBitmap& bmp, double f, double atDpi) {
    PrepareScaledBitmap(bmp, TSize{Width(), Height()}, f, atDpi);
    std::int32_t x = 0, y = 0;
    DrawScaledPicture(bmp.Canvas(), TSize{bmp.Width(), bmp.Height()}, x, y, f, false);
  };
  source.Size = TSize{std::max(Width(), 0), std::max(Height(), 0)};
  source.Vector = [&](TRecordingCanvas& rc, std::vector<TClipRun>& clips) {
    clips.push_back(RecordChart(*this, rc, false));
    ExportCrossHairs(rc, 0, 0, true);
  };
  SavePictureFile(fileName, source, dpi);
}

void TCustomRChart::CopyToClipboardWMF(bool blkWhite) {
  TRecordingCanvas rc(TSize{std::max(Width(), 0), std::max(Height(), 0)});
  TSvgOptions options;
  TBlackWhiteScope bw(*this, blkWhite);
  options.Clips.push_back(RecordChart(*this, rc, blkWhite));
  ExportCrossHairs(rc, 0, 0, true);
  const std::string svg = RecordingToSvg(rc, options);
  Host().SetClipboardData("image/svg+xml", svg);
  if (Host().ClipboardData("image/svg+xml").empty())
    RaiseMivoError("Chart copy to the clipboard: no clipboard is available");
}

// ---------------------------------------------------------------- printer

void TCustomRChart::CopyToOpenPrinter(std::int32_t& x, std::int32_t& y, double scaleF, bool blkWhite) {
  TPrinter& printer = ChartPrinter();
  if (!printer.Printing()) RaiseMivoError("printer: no print job is open");
  DrawScaledPicture(printer.Canvas(), TSize{printer.PageWidth(), printer.PageHeight()}, x, y,
                    PrinterPixelScale(printer, scaleF), blkWhite);
}

void TCustomRChart::DrawScaledPicture(TCanvas& page, TSize pageSize, std::int32_t& x, std::int32_t& y, double f,
                                      bool blkWhite, bool screen) {
  const TAntialiasScope antialias(Antialiased());
  TBlackWhiteScope bw(*this, blkWhite);
  AdjustScaling();
  // Frame and scales straight onto the page.
  TScaledCanvas framed(page, f, x, y);
  ConstructChartBmp(framed);
  // The data area through a bitmap at the page's resolution, which cuts off
  // what lies beyond it, as on the screen; only its part on the page is made.
  const std::int64_t dl = std::int64_t(x) + RoundToInt(RcLRim * f);
  const std::int64_t dt = std::int64_t(y) + RoundToInt(RcTRim * f);
  const std::int64_t dr = std::int64_t(x) + RoundToInt((std::int64_t(RcLRim) + DataAreaWidth()) * f);
  const std::int64_t db = std::int64_t(y) + RoundToInt((std::int64_t(RcTRim) + DataAreaHeight()) * f);
  const std::int64_t vl = std::max<std::int64_t>(dl, 0), vt = std::max<std::int64_t>(dt, 0);
  const std::int64_t vr = std::min<std::int64_t>(dr, pageSize.cx);
  const std::int64_t vb = std::min<std::int64_t>(db, pageSize.cy);
  TBitmap data;
  if (vl < vr && vt < vb) {
    data.SetSize(std::int32_t(vr - vl), std::int32_t(vb - vt));
    data.RasterCanvas().SetPixelsPerInch(page.PixelsPerInch());
    data.RasterCanvas().SetIsPrinter(page.IsPrinter());
    TScaledCanvas area(data.Canvas(), f, Sat32(x - vl), Sat32(y - vt));
    InitGraf(area, RcLRim, RcTRim, DataAreaWidth(), DataAreaHeight());
    ConstructDataBmpCanvas(area, RcLRim, RcTRim, blkWhite, 0);
    if (screen) DrawMouseTrace(RcLRim, RcTRim, area);
  }
  page.CopyMode = TCopyMode::cmSrcCopy;
  if (data.Width() > 0) page.Draw(std::int32_t(vl), std::int32_t(vt), data);
  ExportCrossHairs(framed, 0, 0, true);
  if (screen) DrawDragFigures(framed);
  x = Sat32(std::int64_t(x) + RoundToInt(Width() * f));
  y = Sat32(std::int64_t(y) + RoundToInt(Height() * f));
}

void TCustomRChart::PaintScaled(TBitmap& bmp, double f) {
  if (!PaintAllowed()) return;
  std::int32_t x = 0, y = 0;
  DrawScaledPicture(bmp.Canvas(), TSize{bmp.Width(), bmp.Height()}, x, y, f, false, true);
}

void TCustomRChart::PrintIt(double scaleF, bool blkWhite) {
  PrintAsJob(ChartPrinter(), [&](std::int32_t& x, std::int32_t& y) { CopyToOpenPrinter(x, y, scaleF, blkWhite); });
}

}  // namespace mivo
