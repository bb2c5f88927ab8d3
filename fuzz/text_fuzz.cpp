// libFuzzer target: RenderText and MeasureTextWidth on arbitrary bytes as
// UTF-8, with positions, clip rectangles and font settings taken from the
// input, font sizes from tiny to huge. Pixels outside the clip (a guard
// colour) must never change.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/fonts.h"

namespace {

std::int32_t Take32(const std::uint8_t*& data, std::size_t& size) {
  std::uint32_t v = 0;
  const std::size_t n = size < 4 ? size : 4;
  std::memcpy(&v, data, n);
  data += n;
  size -= n;
  return std::int32_t(v);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  constexpr int W = 48, H = 32;
  constexpr mivo::TRGB32 guard{7, 8, 9, 10};
  static mivo::TBitmap bmp(W, H);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) bmp.ScanLine(y)[x] = guard;

  mivo::TFont font;
  const std::int32_t x = Take32(data, size) % 4096 - 2048;  // mostly near the bitmap
  const std::int32_t y = Take32(data, size);
  mivo::TRect clip{Take32(data, size) % 64, Take32(data, size) % 64, Take32(data, size) % 64, Take32(data, size) % 64};
  const std::int32_t settings = Take32(data, size);
  // Mostly small sizes, so glyphs stay cheap for many runs; bit 19 asks for
  // any 16-bit size instead (huge and negative ones, as form files allow).
  font.Size = settings & (1 << 19) ? std::int16_t(std::uint32_t(settings) >> 16) : settings % 40;
  font.Style = mivo::TFontStyles::FromBits((std::uint32_t(settings) >> 8) & 0xF);
  font.PixelsPerInch = 72 + ((std::uint32_t(settings) >> 12) & 0x7F);
  font.Color = std::uint32_t(settings) >> 20 << 4;
  const std::string_view text(reinterpret_cast<const char*>(data), size < 64 ? size : 64);

  if (mivo::MeasureTextWidth(font, text) < 0) std::abort();
  mivo::RenderText(bmp, clip, x, y, font, text);
  for (int py = 0; py < H; ++py)
    for (int px = 0; px < W; ++px) {
      const bool inside = px >= clip.Left && px < clip.Right && py >= clip.Top && py < clip.Bottom;
      if (!inside && !(bmp.ScanLine(py)[px] == guard)) std::abort();
    }
  return 0;
}
