#pragma once
// Picture files by name: the extension chooses the format, the same way for
// every component. ".png" and ".bmp" take a raster picture, ".svg" and ".pdf"
// a vector one (a recording replayed by the SVG or PDF writer); any other
// name raises EMivoError naming the file and the supported extensions, and
// nothing is written. Every file is written through a temporary file renamed
// into place, so a failed save leaves the previous file as it was.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/export.h"
#include "mivo/platform/recording_canvas.h"
#include "mivo/platform/svg_writer.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

enum class TPictureFormat : std::uint8_t { pfPNG, pfBMP, pfSVG, pfPDF };

// The format of a file name (the extension, in any letter case). With
// `vectorOnly` only .svg and .pdf are accepted. Raises EMivoError otherwise:
// "picture file 'p.eps': unsupported file type '.eps'; the supported ones are
// .png, .bmp, .svg and .pdf" (".svg and .pdf" with `vectorOnly`).
TPictureFormat PictureFormatOf(const std::string& fileName, bool vectorOnly = false);

// Records a picture onto `canvas` (sized to the picture) and adds the runs
// that are cut to a rectangle to `clips`.
using TRecordPicture = std::function<void(TRecordingCanvas& canvas, std::vector<TClipRun>& clips)>;

// What a component hands over to be saved: its raster picture, and its size
// and recording for the vector formats. Only the one the format needs is called.
// `RasterAt`, when given, draws the raster picture `f` times the screen's
// size for the resolution `dpi`; without it the screen picture is enlarged.
struct TPictureSource {
  std::function<void(TBitmap& bmp)> Raster;
  TSize Size;
  TRecordPicture Vector;
  std::function<void(TBitmap& bmp, double f, double dpi)> RasterAt;
};

// The screen's resolution: a raster picture saved at it is the screen picture.
inline constexpr double ScreenDpi = 96;

// Saves the picture in the format the name asks for.
void SavePictureFile(const std::string& fileName, const TPictureSource& source);
// The same at the resolution `dpi`: PNG and BMP are drawn dpi / 96 times the
// screen's size (PNG records the resolution); SVG and PDF are vector pictures
// and come out as without it. A dpi that is not a positive number, or that
// would make the raster picture larger than a bitmap can be, raises
// EMivoError and nothing is written.
void SavePictureFile(const std::string& fileName, const TPictureSource& source, double dpi);

// Pixels per screen pixel of a raster picture of `size` saved at `dpi`;
// raises EMivoError naming the file as above when the dpi cannot be used.
double PictureDpiScale(const std::string& fileName, double dpi, TSize size);
// Saves the vector picture as SVG or PDF, by the name.
void SaveVectorPictureFile(const std::string& fileName, TSize size, const TRecordPicture& record);

// A source for a control whose picture is a bitmap: the vector formats hold
// it as an embedded image. `paint` fills the bitmap.
TPictureSource BitmapPictureSource(const std::function<void(TBitmap& bmp)>& paint);

}  // namespace mivo
MIVO_PUBLIC_END
