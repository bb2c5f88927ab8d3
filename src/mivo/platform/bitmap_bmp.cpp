// BMP files: reading (1, 4, 8, 16, 24 and 32 bits; core, info, V2-V5 headers;
// uncompressed or with bit fields) and writing (24 bits, bottom-up).
//
// The reader checks every header field before it allocates anything, computes
// sizes in 64 bits, decodes into fresh storage and only then takes it over, so
// a bad file leaves the bitmap exactly as it was.

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <new>
#include <string>
#include <vector>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/errors.h"
#include "mivo/platform/file_read.h"
#include "mivo/platform/file_replace.h"

namespace mivo {
namespace {

constexpr std::uint32_t FileHeaderSize = 14;
constexpr std::uint32_t CoreHeaderSize = 12;
constexpr std::uint32_t InfoHeaderSize = 40;
// Whole files above this size are refused before they are read (a 32768 x
// 32768 32-bit image with headers stays below it).
constexpr std::uint64_t MaxFileSize = std::uint64_t(1) << 33;

enum : std::uint32_t { BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3, BI_JPEG = 4, BI_PNG = 5, BI_ALPHABITFIELDS = 6 };

std::uint16_t U16(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }
std::uint32_t U32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}
std::int32_t I32(const std::uint8_t* p) { return std::int32_t(U32(p)); }

void PutU16(std::uint8_t* p, std::uint32_t v) {
  p[0] = std::uint8_t(v);
  p[1] = std::uint8_t(v >> 8);
}
void PutU32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = std::uint8_t(v >> (8 * i));
}

std::string CompressionName(std::uint32_t c) {
  switch (c) {
    case BI_RLE8: return "RLE8";
    case BI_RLE4: return "RLE4";
    case BI_BITFIELDS: return "BI_BITFIELDS";
    case BI_JPEG: return "JPEG";
    case BI_PNG: return "PNG";
    case BI_ALPHABITFIELDS: return "BI_ALPHABITFIELDS";
    default: return "unknown";
  }
}

// One colour channel described by a bit mask.
struct TChannel {
  std::uint32_t Mask = 0;
  int Shift = 0;
  int Bits = 0;
  std::uint8_t Extract(std::uint32_t v) const {
    if (Bits == 0) return 0;
    const std::uint32_t raw = (v & Mask) >> Shift;
    if (Bits >= 8) return std::uint8_t(raw >> (Bits - 8));
    return std::uint8_t(raw * 255u / ((1u << Bits) - 1u));
  }
};

class TBmpDecoder {
 public:
  TBmpDecoder(const std::uint8_t* data, std::size_t size, const std::string& name)
      : FData(data), FSize(size), FName(name) {}

  void Decode(std::int32_t& width, std::int32_t& height, std::vector<TRGB32>& pixels) {
    ReadHeaders();
    try {
      pixels.assign(std::size_t(FWidth) * std::size_t(FHeight), TRGB32{});
    } catch (const std::bad_alloc&) {
      Fail("not enough memory for " + std::to_string(FWidth) + " x " + std::to_string(FHeight) + " pixels");
    }
    for (std::int64_t row = 0; row < FHeight; ++row) {
      const std::int64_t y = FTopDown ? row : FHeight - 1 - row;
      DecodeRow(FData + FPixelOffset + std::uint64_t(row) * FStride, pixels.data() + std::size_t(y) * std::size_t(FWidth));
    }
    width = std::int32_t(FWidth);
    height = std::int32_t(FHeight);
  }

 private:
  [[noreturn]] void Fail(const std::string& fault) const { RaiseMivoError("bitmap file '" + FName + "': " + fault); }

  void Need(std::uint64_t end, const char* what) const {
    if (end > FSize)
      Fail(std::string("truncated ") + what + " (needs " + std::to_string(end) + " bytes, file has " +
           std::to_string(FSize) + ")");
  }

  static TChannel Channel(std::uint32_t mask) {
    TChannel c;
    c.Mask = mask;
    if (mask == 0) return c;
    c.Shift = std::countr_zero(mask);
    c.Bits = std::popcount(mask);
    return c;
  }

  void SetMasks(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    const std::uint32_t limit = FBits == 16 ? 0xFFFFu : 0xFFFFFFFFu;
    for (std::uint32_t m : {r, g, b}) {
      const bool contiguous = m != 0 && (((m >> std::countr_zero(m)) + 1) & (m >> std::countr_zero(m))) == 0;
      if (!contiguous || m > limit) Fail("invalid colour masks");
    }
    FRed = Channel(r);
    FGreen = Channel(g);
    FBlue = Channel(b);
  }

  void ReadHeaders() {
    if (FSize >= 2 && (FData[0] != 'B' || FData[1] != 'M')) Fail("not a BMP file (no 'BM' signature)");
    Need(FileHeaderSize + 4, "file header");
    const std::uint32_t offBits = U32(FData + 10);
    const std::uint32_t headerSize = U32(FData + 14);
    std::int64_t width, height;
    std::uint32_t planes, compression = BI_RGB, colorsUsed = 0;
    std::uint32_t paletteEntrySize = 4;
    if (headerSize == CoreHeaderSize) {
      Need(FileHeaderSize + CoreHeaderSize, "bitmap header");
      const std::uint8_t* h = FData + FileHeaderSize;
      width = U16(h + 4);
      height = U16(h + 6);
      planes = U16(h + 8);
      FBits = U16(h + 10);
      paletteEntrySize = 3;
    } else if (headerSize == InfoHeaderSize || headerSize == 52 || headerSize == 56 || headerSize == 108 ||
               headerSize == 124) {
      Need(std::uint64_t(FileHeaderSize) + headerSize, "bitmap header");
      const std::uint8_t* h = FData + FileHeaderSize;
      width = I32(h + 4);
      height = I32(h + 8);
      planes = U16(h + 12);
      FBits = U16(h + 14);
      compression = U32(h + 16);
      colorsUsed = U32(h + 32);
    } else {
      Fail("unsupported header size " + std::to_string(headerSize));
    }

    if (width <= 0 || height == 0)
      Fail("invalid size " + std::to_string(width) + " x " + std::to_string(height));
    FTopDown = height < 0;
    if (height < 0) height = -height;
    if (width > TBitmap::MaxSide || height > TBitmap::MaxSide)
      Fail("size " + std::to_string(width) + " x " + std::to_string(height) + " exceeds the largest supported side of " +
           std::to_string(TBitmap::MaxSide) + " pixels");
    if (planes != 1) Fail("invalid number of planes " + std::to_string(planes));
    if (FBits != 1 && FBits != 4 && FBits != 8 && FBits != 16 && FBits != 24 && FBits != 32)
      Fail("unsupported bit depth " + std::to_string(FBits));
    if (headerSize == CoreHeaderSize && FBits != 1 && FBits != 4 && FBits != 8 && FBits != 24)
      Fail("unsupported bit depth " + std::to_string(FBits));
    FWidth = width;
    FHeight = height;

    // Where the colour table (or the masks of a 40-byte header) start.
    std::uint64_t tableStart = std::uint64_t(FileHeaderSize) + headerSize;
    if (compression == BI_RGB) {
      if (FBits == 16) SetMasks(0x7C00, 0x03E0, 0x001F);
      if (FBits == 32) SetMasks(0x00FF0000, 0x0000FF00, 0x000000FF);
    } else if (compression == BI_BITFIELDS || compression == BI_ALPHABITFIELDS) {
      if (FBits != 16 && FBits != 32)
        Fail("compression " + CompressionName(compression) + " is not supported with " + std::to_string(FBits) +
             " bits per pixel");
      const std::uint8_t* masks;
      if (headerSize == InfoHeaderSize) {
        const std::uint32_t count = compression == BI_ALPHABITFIELDS ? 4 : 3;
        Need(tableStart + 4 * count, "colour masks");
        masks = FData + tableStart;
        tableStart += 4 * count;
      } else {
        masks = FData + FileHeaderSize + InfoHeaderSize;  // inside the larger headers
      }
      SetMasks(U32(masks), U32(masks + 4), U32(masks + 8));
    } else {
      Fail("compression " + std::to_string(compression) + " (" + CompressionName(compression) +
           ") is not supported");
    }

    // The pixels never start inside the headers.
    if (offBits < tableStart)
      Fail("bad pixel data offset " + std::to_string(offBits) + " (file has " + std::to_string(FSize) + " bytes)");

    if (FBits <= 8) {
      const std::uint32_t maxColors = 1u << FBits;
      if (colorsUsed > maxColors)
        Fail("palette of " + std::to_string(colorsUsed) + " colours is too large for " + std::to_string(FBits) +
             " bits per pixel");
      std::uint32_t count = colorsUsed ? colorsUsed : maxColors;
      // Writers that leave the count at 0 but store fewer colours: the pixel
      // offset tells where the table really ends.
      count = std::uint32_t(std::min<std::uint64_t>(count, (offBits - tableStart) / paletteEntrySize));
      Need(tableStart + std::uint64_t(count) * paletteEntrySize, "palette");
      FPalette.resize(count);
      for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint8_t* e = FData + tableStart + std::uint64_t(i) * paletteEntrySize;
        FPalette[i] = TRGB32{e[0], e[1], e[2], 0};
      }
    }

    if (offBits >= FSize)
      Fail("bad pixel data offset " + std::to_string(offBits) + " (file has " + std::to_string(FSize) + " bytes)");
    FPixelOffset = offBits;
    FStride = (std::uint64_t(FWidth) * FBits + 31) / 32 * 4;
    // The padding of the last row may be missing.
    const std::uint64_t needed = FStride * std::uint64_t(FHeight - 1) + (std::uint64_t(FWidth) * FBits + 7) / 8;
    const std::uint64_t available = FSize - FPixelOffset;
    if (needed > available)
      Fail("truncated pixel data (needs " + std::to_string(needed) + " bytes, has " + std::to_string(available) + ")");
  }

  TRGB32 PaletteColor(std::uint32_t index) const {
    if (index >= FPalette.size())
      Fail("palette index " + std::to_string(index) + " out of range (palette has " +
           std::to_string(FPalette.size()) + " colours)");
    return FPalette[index];
  }

  void DecodeRow(const std::uint8_t* src, TRGB32* dst) const {
    const std::int64_t w = FWidth;
    switch (FBits) {
      case 1:
      case 4:
      case 8: {
        const unsigned perByte = 8 / FBits;
        const unsigned mask = (1u << FBits) - 1;
        for (std::int64_t x = 0; x < w; ++x) {
          const unsigned sub = unsigned(x % perByte);
          const unsigned shift = 8 - FBits * (sub + 1);
          dst[x] = PaletteColor((src[x / perByte] >> shift) & mask);
        }
        break;
      }
      case 16:
        for (std::int64_t x = 0; x < w; ++x) {
          const std::uint32_t v = U16(src + 2 * x);
          dst[x] = TRGB32{FBlue.Extract(v), FGreen.Extract(v), FRed.Extract(v), 0};
        }
        break;
      case 24:
        for (std::int64_t x = 0; x < w; ++x) dst[x] = TRGB32{src[3 * x], src[3 * x + 1], src[3 * x + 2], 0};
        break;
      case 32:
        for (std::int64_t x = 0; x < w; ++x) {
          const std::uint32_t v = U32(src + 4 * x);
          dst[x] = TRGB32{FBlue.Extract(v), FGreen.Extract(v), FRed.Extract(v), 0};
        }
        break;
      default:
        break;
    }
  }

  const std::uint8_t* FData;
  std::uint64_t FSize;
  const std::string& FName;
  std::int64_t FWidth = 0;
  std::int64_t FHeight = 0;
  unsigned FBits = 0;
  bool FTopDown = false;
  std::uint64_t FPixelOffset = 0;
  std::uint64_t FStride = 0;
  std::vector<TRGB32> FPalette;
  TChannel FRed, FGreen, FBlue;
};

}  // namespace

void TBitmap::LoadFromMemory(const std::uint8_t* data, std::size_t size, const std::string& nameForErrors) {
  if (!data) size = 0;
  static const std::uint8_t empty = 0;
  TBmpDecoder decoder(data ? data : &empty, size, nameForErrors);
  std::int32_t width = 0, height = 0;
  std::vector<TRGB32> pixels;
  decoder.Decode(width, height, pixels);
  // Nothing below can fail: the bitmap changes all at once.
  FPixels.swap(pixels);
  FWidth = width;
  FHeight = height;
}

void TBitmap::LoadFromFile(const std::string& fileName) {
  const std::vector<std::uint8_t> bytes = ReadRegularFile(fileName, MaxFileSize, "bitmap file");
  LoadFromMemory(bytes.data(), bytes.size(), fileName);
}

std::vector<std::uint8_t> TBitmap::SaveToBMPMemory() const { return SaveToBMPMemory(96); }

std::vector<std::uint8_t> TBitmap::SaveToBMPMemory(double dpi) const {
  if (FWidth <= 0 || FHeight <= 0)
    RaiseMivoError("cannot save an empty bitmap (" + std::to_string(FWidth) + " x " + std::to_string(FHeight) +
                   " pixels) as BMP");
  const std::uint64_t stride = (std::uint64_t(FWidth) * 3 + 3) / 4 * 4;
  const std::uint64_t imageSize = stride * std::uint64_t(FHeight);
  const std::uint64_t fileSize = FileHeaderSize + InfoHeaderSize + imageSize;
  if (fileSize > std::numeric_limits<std::uint32_t>::max())
    RaiseMivoError("bitmap of " + std::to_string(FWidth) + " x " + std::to_string(FHeight) +
                   " pixels is too large for a BMP file");
  std::vector<std::uint8_t> out(std::size_t(fileSize), 0);
  std::uint8_t* p = out.data();
  p[0] = 'B';
  p[1] = 'M';
  PutU32(p + 2, std::uint32_t(fileSize));
  PutU32(p + 10, FileHeaderSize + InfoHeaderSize);
  std::uint8_t* h = p + FileHeaderSize;
  PutU32(h, InfoHeaderSize);
  PutU32(h + 4, std::uint32_t(FWidth));
  PutU32(h + 8, std::uint32_t(FHeight));  // positive: bottom-up
  PutU16(h + 12, 1);
  PutU16(h + 14, 24);
  PutU32(h + 16, BI_RGB);
  PutU32(h + 20, std::uint32_t(imageSize));
  // Pixels per metre; 96 per inch when the resolution is not a usable number.
  const double perMetre = dpi / 0.0254;
  const std::uint32_t ppm =
      std::isfinite(perMetre) && perMetre >= 1 && perMetre < 2147483647.0 ? std::uint32_t(std::lround(perMetre)) : 3780;
  PutU32(h + 24, ppm);
  PutU32(h + 28, ppm);
  for (std::int32_t y = 0; y < FHeight; ++y) {
    std::uint8_t* row = p + FileHeaderSize + InfoHeaderSize + std::uint64_t(FHeight - 1 - y) * stride;
    const TRGB32* src = ScanLine(y);
    for (std::int32_t x = 0; x < FWidth; ++x) {
      row[3 * x] = src[x].B;
      row[3 * x + 1] = src[x].G;
      row[3 * x + 2] = src[x].R;
    }
  }
  return out;
}

void TBitmap::SaveToBMP(const std::string& fileName) const { SaveToBMP(fileName, 96); }

void TBitmap::SaveToBMP(const std::string& fileName, double dpi) const {
  const std::vector<std::uint8_t> bytes = SaveToBMPMemory(dpi);
  WriteFileReplacing(fileName, bytes.data(), bytes.size(), "bitmap file");
}

void TBitmap::SaveToFile(const std::string& fileName) const {
  std::string ext = std::filesystem::path(fileName).extension().string();
  for (char& ch : ext) ch = char(std::tolower(static_cast<unsigned char>(ch)));
  if (ext == ".bmp")
    SaveToBMP(fileName);
  else if (ext == ".png")
    SaveToPNG(fileName);
  else
    RaiseMivoError("bitmap file '" + fileName + "': unsupported file type " + (ext.empty() ? "(no extension)" : "'" + ext + "'") +
                   "; the supported ones are .bmp and .png");
}

}  // namespace mivo
