// PNG output with libpng: 8-bit RGB, no alpha. PNG input through libpng's
// simplified reader.
//
// libpng reports errors by longjmp. The function that calls setjmp holds no
// object with a destructor, so the jump skips nothing; the caller owns the
// output and the row buffer and turns a failure into EMivoError. Files are
// encoded in memory first and then written in one piece, so a failed save
// never leaves a partial file.

#include <png.h>

#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/errors.h"
#include "mivo/platform/file_read.h"
#include "mivo/platform/file_replace.h"
#include "mivo/platform/png_internal.h"

namespace mivo {
namespace {

// A PNG file larger than this is refused before it is read.
constexpr std::uint64_t MaxPngFileSize = std::uint64_t(1) << 30;

struct TPngErrorState {
  std::jmp_buf Jump;
  char Message[256];
  std::vector<std::uint8_t>* Memory;  // the encoded file grows here
};

void PngWriteMemory(png_structp png, png_bytep data, png_size_t length) {
  auto* state = static_cast<TPngErrorState*>(png_get_error_ptr(png));
  bool failed = false;
  try {
    state->Memory->insert(state->Memory->end(), data, data + length);
  } catch (...) {
    failed = true;
  }
  if (failed) png_error(png, "not enough memory");
}

void PngFlushMemory(png_structp) {}

void PngError(png_structp png, png_const_charp message) {
  auto* state = static_cast<TPngErrorState*>(png_get_error_ptr(png));
  std::snprintf(state->Message, sizeof state->Message, "%s", message ? message : "unknown libpng error");
  std::longjmp(state->Jump, 1);
}

void PngWarning(png_structp, png_const_charp) {}

// Writes the whole image; returns false with state->Message set on failure.
// Only plain data lives in this frame.
bool WritePngRows(const TRGB32* pixels, std::uint32_t width, std::uint32_t height, std::uint8_t* row,
                  std::uint32_t pixelsPerMetre, TPngErrorState* state) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, state, PngError, PngWarning);
  if (!png) {
    std::snprintf(state->Message, sizeof state->Message, "libpng could not be initialised");
    return false;
  }
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    std::snprintf(state->Message, sizeof state->Message, "libpng could not be initialised");
    return false;
  }
  if (setjmp(state->Jump)) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, nullptr, PngWriteMemory, PngFlushMemory);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 6);
  if (pixelsPerMetre > 0) png_set_pHYs(png, info, pixelsPerMetre, pixelsPerMetre, PNG_RESOLUTION_METER);
  png_write_info(png, info);
  for (std::uint32_t y = 0; y < height; ++y) {
    const TRGB32* src = pixels + std::size_t(y) * width;
    for (std::uint32_t x = 0; x < width; ++x) {
      row[3 * x] = src[x].R;
      row[3 * x + 1] = src[x].G;
      row[3 * x + 2] = src[x].B;
    }
    png_write_row(png, row);
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

namespace detail {

std::vector<std::uint8_t> EncodePng(const TBitmap& bmp, double dpi) {
  if (bmp.Width() <= 0 || bmp.Height() <= 0)
    RaiseMivoError("cannot encode an empty bitmap (" + std::to_string(bmp.Width()) + " x " +
                   std::to_string(bmp.Height()) + " pixels) as PNG");
  std::vector<std::uint8_t> row(std::size_t(bmp.Width()) * 3);
  std::vector<std::uint8_t> out;
  TPngErrorState state{};
  state.Memory = &out;
  // The resolution goes in whole pixels per metre; none is recorded when it
  // is not a usable number.
  const double perMetre = dpi / 0.0254;
  const std::uint32_t ppm =
      std::isfinite(perMetre) && perMetre >= 1 && perMetre < 2147483647.0 ? std::uint32_t(std::lround(perMetre)) : 0;
  if (!WritePngRows(bmp.Data(), std::uint32_t(bmp.Width()), std::uint32_t(bmp.Height()), row.data(), ppm, &state))
    RaiseMivoError(std::string("PNG encoding failed: ") + state.Message);
  return out;
}

}  // namespace detail

void TBitmap::SaveToPNG(const std::string& fileName) const { SaveToPNG(fileName, 0); }

void TBitmap::SaveToPNG(const std::string& fileName, double dpi) const {
  if (FWidth <= 0 || FHeight <= 0)
    RaiseMivoError("PNG file '" + fileName + "': cannot save an empty bitmap (" + std::to_string(FWidth) + " x " +
                   std::to_string(FHeight) + " pixels)");
  const std::vector<std::uint8_t> bytes = detail::EncodePng(*this, dpi);
  WriteFileReplacing(fileName, bytes.data(), bytes.size(), "PNG file");
}

void TBitmap::LoadFromPNG(const std::string& fileName) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  const auto fail = [&](const std::string& why) {
    png_image_free(&image);
    RaiseMivoError("PNG file '" + fileName + "': " + why);
  };
  // Read whole first: the file is opened without blocking and only when it is
  // a regular file.
  const std::vector<std::uint8_t> bytes = ReadRegularFile(fileName, MaxPngFileSize, "PNG file");
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) fail(image.message);
  if (image.width == 0 || image.height == 0 || image.width > std::uint32_t(MaxSide) ||
      image.height > std::uint32_t(MaxSide) || std::uint64_t(image.width) * image.height > (std::uint64_t(1) << 26))
    fail("the image size is out of range");
  image.format = PNG_FORMAT_BGRA;
  std::vector<std::uint8_t> buf(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, buf.data(), 0, nullptr)) fail(image.message);
  TBitmap out(std::int32_t(image.width), std::int32_t(image.height));
  for (std::int32_t y = 0; y < out.Height(); ++y) {
    TRGB32* row = out.ScanLine(y);
    for (std::int32_t x = 0; x < out.Width(); ++x) {
      const std::uint8_t* p = buf.data() + (std::size_t(y) * image.width + std::size_t(x)) * 4;
      const auto over = [&](std::uint8_t c) { return std::uint8_t((c * p[3] + 255 * (255 - p[3])) / 255); };
      row[x] = TRGB32{over(p[0]), over(p[1]), over(p[2]), 0};
    }
  }
  *this = std::move(out);
}

}  // namespace mivo
