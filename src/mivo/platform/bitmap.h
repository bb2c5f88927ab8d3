#pragma once
// TBitmap: a 32-bit pixel surface with direct row access and its raster canvas.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "mivo/platform/export.h"
#include "mivo/platform/mivo_types.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

class TCanvas;
class TRasterCanvas;


inline TRGB32 ToRGB32(TColor rgb) {
  return TRGB32{std::uint8_t(rgb >> 16), std::uint8_t(rgb >> 8), std::uint8_t(rgb), 0};
}
inline TColor FromRGB32(TRGB32 p) { return TColor(p.R) | (TColor(p.G) << 8) | (TColor(p.B) << 16); }

enum class TPixelFormat : std::uint8_t { pf32bit };

class TBitmap {
 public:
  // Largest accepted side; larger sizes raise EMivoError.
  static constexpr std::int32_t MaxSide = 32768;

  TBitmap();
  TBitmap(std::int32_t width, std::int32_t height);
  TBitmap(const TBitmap& other);
  TBitmap& operator=(const TBitmap& other);
  TBitmap(TBitmap&& other) noexcept;
  TBitmap& operator=(TBitmap&& other) noexcept;
  ~TBitmap();

  std::int32_t Width() const { return FWidth; }
  std::int32_t Height() const { return FHeight; }
  // Resizes; the content is undefined afterwards except that new pixels are
  // black. Negative sizes become 0; a side above MaxSide raises EMivoError.
  void SetSize(std::int32_t width, std::int32_t height);
  void SetWidth(std::int32_t width) { SetSize(width, FHeight); }
  void SetHeight(std::int32_t height) { SetSize(FWidth, height); }
  // Always 32 bits per pixel; kept for the components that ask for it.
  void SetPixelFormat(TPixelFormat) {}

  // Row y (0 <= y < Height), contiguous Width pixels.
  TRGB32* ScanLine(std::int32_t y) { return FPixels.data() + std::size_t(y) * std::size_t(FWidth); }
  const TRGB32* ScanLine(std::int32_t y) const { return FPixels.data() + std::size_t(y) * std::size_t(FWidth); }
  TRGB32* Data() { return FPixels.data(); }
  const TRGB32* Data() const { return FPixels.data(); }

  // The raster canvas drawing on this bitmap (created on first use).
  TCanvas& Canvas();
  TRasterCanvas& RasterCanvas();

  // Fills every pixel with the RGB colour (system colours resolved).
  void Clear(TColor color);

  // BMP files: 1, 4, 8, 24 and 32 bits, top-down and bottom-up, uncompressed
  // (and BI_BITFIELDS for 32 bits). A malformed or truncated file raises
  // EMivoError naming the file and the fault and leaves the bitmap unchanged.
  void LoadFromFile(const std::string& fileName);
  void LoadFromMemory(const std::uint8_t* data, std::size_t size, const std::string& nameForErrors = "<memory>");
  // Writes the format the extension names (case does not matter): ".bmp" a
  // 24-bit bottom-up BMP, ".png" a PNG; any other raises EMivoError naming
  // the supported ones. Every save goes through a temporary file renamed into
  // place, so a failed save leaves the previous file as it was.
  void SaveToFile(const std::string& fileName) const;
  // Writes a 24-bit bottom-up BMP file, whatever the name.
  void SaveToBMP(const std::string& fileName) const;
  std::vector<std::uint8_t> SaveToBMPMemory() const;
  // The same recording `dpi` as the resolution (96 when it is not a positive
  // number).
  void SaveToBMP(const std::string& fileName, double dpi) const;
  std::vector<std::uint8_t> SaveToBMPMemory(double dpi) const;
  // Writes an 8-bit RGB PNG file with libpng.
  void SaveToPNG(const std::string& fileName) const;
  // The same, recording `dpi` as the picture's resolution (none when it is
  // not a positive number).
  void SaveToPNG(const std::string& fileName, double dpi) const;
  // Reads a PNG file of any colour type and depth; transparent parts are laid
  // over white paper. A file that cannot be read or decoded, or one larger
  // than MaxSide a side or 64 Mi pixels, raises EMivoError naming the file and leaves the bitmap
  // unchanged.
  void LoadFromPNG(const std::string& fileName);

 private:
  std::int32_t FWidth = 0;
  std::int32_t FHeight = 0;
  std::vector<TRGB32> FPixels;
  std::unique_ptr<TRasterCanvas> FCanvas;
};

}  // namespace mivo
MIVO_PUBLIC_END
