#include "mivo/platform/picture_file.h"

#include <cctype>
#include <filesystem>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

#include "mivo/platform/errors.h"
#include "mivo/platform/file_replace.h"
#include "mivo/platform/pdf_writer.h"

namespace mivo {

TPictureFormat PictureFormatOf(const std::string& fileName, bool vectorOnly) {
  std::string ext = std::filesystem::path(fileName).extension().string();
  for (char& ch : ext) ch = char(std::tolower(static_cast<unsigned char>(ch)));
  if (ext == ".svg") return TPictureFormat::pfSVG;
  if (ext == ".pdf") return TPictureFormat::pfPDF;
  if (!vectorOnly && ext == ".png") return TPictureFormat::pfPNG;
  if (!vectorOnly && ext == ".bmp") return TPictureFormat::pfBMP;
  RaiseMivoError("picture file '" + fileName + "': unsupported file type " +
                 (ext.empty() ? std::string("(no extension)") : "'" + ext + "'") + "; the supported ones are " +
                 (vectorOnly ? ".svg and .pdf" : ".png, .bmp, .svg and .pdf"));
}

namespace {

void SaveVector(const std::string& fileName, TPictureFormat format, TSize size, const TRecordPicture& record) {
  TRecordingCanvas rc(TSize{std::max(size.cx, 0), std::max(size.cy, 0)});
  std::vector<TClipRun> clips;
  record(rc, clips);
  if (format == TPictureFormat::pfPDF) {
    TPdfOptions options;
    options.Clips = std::move(clips);
    SaveRecordingToPdf(rc, fileName, options);
  } else {
    TSvgOptions options;
    options.Clips = std::move(clips);
    const std::string svg = RecordingToSvg(rc, options);
    WriteFileReplacing(fileName, reinterpret_cast<const std::uint8_t*>(svg.data()), svg.size(), "SVG file");
  }
}

}  // namespace

void SavePictureFile(const std::string& fileName, const TPictureSource& source) {
  const TPictureFormat format = PictureFormatOf(fileName);
  if (format == TPictureFormat::pfSVG || format == TPictureFormat::pfPDF) {
    SaveVector(fileName, format, source.Size, source.Vector);
    return;
  }
  TBitmap bmp;
  source.Raster(bmp);
  if (format == TPictureFormat::pfPNG)
    bmp.SaveToPNG(fileName);
  else
    bmp.SaveToBMP(fileName);
}

namespace {

// The largest raster picture an export draws: the bitmap's side, and the
// pixel count that the PNG reader takes back.
constexpr std::int64_t kMaxPicturePixels = std::int64_t(1) << 26;

std::string DpiText(double dpi) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%g", dpi);
  return buf;
}

std::int64_t ScaledSide(std::int32_t side, double f) { return std::llround(std::max(side, 0) * f); }

}  // namespace

double PictureDpiScale(const std::string& fileName, double dpi, TSize size) {
  if (!std::isfinite(dpi) || dpi <= 0)
    RaiseMivoError("picture file '" + fileName + "': the resolution " + DpiText(dpi) +
                   " dpi is not a positive number");
  const double f = dpi / ScreenDpi;
  // Compared in floating point first, so a huge dpi cannot overflow.
  const double w = std::max(size.cx, 0) * f, h = std::max(size.cy, 0) * f;
  if (w > TBitmap::MaxSide + 0.5 || h > TBitmap::MaxSide + 0.5 || w * h > double(kMaxPicturePixels) * 1.001 ||
      ScaledSide(size.cx, f) * ScaledSide(size.cy, f) > kMaxPicturePixels)
    RaiseMivoError("picture file '" + fileName + "': at " + DpiText(dpi) + " dpi the picture of " +
                   std::to_string(size.cx) + " x " + std::to_string(size.cy) +
                   " pixels would exceed the largest supported bitmap (" + std::to_string(TBitmap::MaxSide) +
                   " pixels a side, " + std::to_string(kMaxPicturePixels) + " pixels in all)");
  return f;
}

void SavePictureFile(const std::string& fileName, const TPictureSource& source, double dpi) {
  const TPictureFormat format = PictureFormatOf(fileName);
  if (format == TPictureFormat::pfSVG || format == TPictureFormat::pfPDF) {
    PictureDpiScale(fileName, dpi, TSize{});  // a bad dpi is refused whatever the format
    SaveVector(fileName, format, source.Size, source.Vector);
    return;
  }
  const double f = PictureDpiScale(fileName, dpi, source.Size);
  TBitmap bmp;
  if (dpi == ScreenDpi) {
    source.Raster(bmp);
  } else if (source.RasterAt) {
    source.RasterAt(bmp, f, dpi);
  } else {
    TBitmap screen;
    source.Raster(screen);
    bmp.SetSize(std::int32_t(ScaledSide(screen.Width(), f)), std::int32_t(ScaledSide(screen.Height(), f)));
    bmp.Canvas().StretchDraw(TRect{0, 0, bmp.Width(), bmp.Height()}, screen);
  }
  if (format == TPictureFormat::pfPNG)
    bmp.SaveToPNG(fileName, dpi);
  else
    bmp.SaveToBMP(fileName, dpi);
}

void SaveVectorPictureFile(const std::string& fileName, TSize size, const TRecordPicture& record) {
  SaveVector(fileName, PictureFormatOf(fileName, true), size, record);
}

TPictureSource BitmapPictureSource(const std::function<void(TBitmap& bmp)>& paint) {
  auto bmp = std::make_shared<TBitmap>();
  paint(*bmp);
  TPictureSource s;
  s.Size = TSize{bmp->Width(), bmp->Height()};
  s.Raster = [bmp](TBitmap& out) { out = *bmp; };
  s.Vector = [bmp](TRecordingCanvas& rc, std::vector<TClipRun>&) { rc.Draw(0, 0, *bmp); };
  return s;
}

}  // namespace mivo
