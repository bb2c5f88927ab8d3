#pragma once
// PNG encoding to memory: files are written from it, and writers embed it (SVG).

#include <cstdint>
#include <vector>

namespace mivo {
class TBitmap;
namespace detail {

// The bitmap as an 8-bit RGB PNG file image. Raises EMivoError for an empty
// bitmap or when libpng fails.
std::vector<std::uint8_t> EncodePng(const TBitmap& bmp, double dpi = 0);

}  // namespace detail
}  // namespace mivo
