#include "mivo/platform/picture_file.h"

#include <cctype>
#include <filesystem>
#include <algorithm>
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
