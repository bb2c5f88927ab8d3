#include "mivo/platform/bitmap.h"

#include <algorithm>

#include "mivo/platform/colors.h"
#include "mivo/platform/errors.h"
#include "mivo/platform/pixel_fill_internal.h"
#include "mivo/platform/raster_canvas.h"

namespace mivo {

TBitmap::TBitmap() = default;

TBitmap::TBitmap(std::int32_t width, std::int32_t height) { SetSize(width, height); }

TBitmap::TBitmap(const TBitmap& other) : FWidth(other.FWidth), FHeight(other.FHeight), FPixels(other.FPixels) {}

TBitmap& TBitmap::operator=(const TBitmap& other) {
  if (this != &other) {
    FWidth = other.FWidth;
    FHeight = other.FHeight;
    FPixels = other.FPixels;
  }
  return *this;
}

// The canvas refers to its bitmap, so it never moves with the pixels.
TBitmap::TBitmap(TBitmap&& other) noexcept
    : FWidth(other.FWidth), FHeight(other.FHeight), FPixels(std::move(other.FPixels)) {
  other.FWidth = other.FHeight = 0;
}

TBitmap& TBitmap::operator=(TBitmap&& other) noexcept {
  if (this != &other) {
    FWidth = other.FWidth;
    FHeight = other.FHeight;
    FPixels = std::move(other.FPixels);
    other.FWidth = other.FHeight = 0;
    other.FPixels.clear();
  }
  return *this;
}

TBitmap::~TBitmap() = default;

void TBitmap::SetSize(std::int32_t width, std::int32_t height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width > MaxSide || height > MaxSide)
    RaiseMivoError("Bitmap size " + std::to_string(width) + " x " + std::to_string(height) +
                   " exceeds the largest supported side of " + std::to_string(MaxSide) + " pixels");
  if (width == FWidth && height == FHeight) return;
  FPixels.assign(std::size_t(width) * std::size_t(height), TRGB32{});
  FWidth = width;
  FHeight = height;
}

TCanvas& TBitmap::Canvas() { return RasterCanvas(); }

TRasterCanvas& TBitmap::RasterCanvas() {
  if (!FCanvas) FCanvas = std::make_unique<TRasterCanvas>(*this);
  return *FCanvas;
}

void TBitmap::Clear(TColor color) { detail::FillPixels(FPixels.data(), FPixels.size(), ToRGB32(ColorToRGB(color))); }

}  // namespace mivo
