#include "mivo/platform/host.h"

// The four chart cursors, drawn as 32 x 32 monochrome art: 'X' black,
// 'o' white, '.' transparent. Black strokes carry a white rim so they stay
// visible on any background.

namespace mivo {

TCursorImage::TPixel TCursorImage::Pixel(std::int32_t x, std::int32_t y) const {
  if (x < 0 || y < 0 || x >= Size || y >= Size) return TPixel::Transparent;
  const std::uint32_t bit = 1u << (31 - x);
  if (!(Mask[std::size_t(y)] & bit)) return TPixel::Transparent;
  return (Shape[std::size_t(y)] & bit) ? TPixel::Black : TPixel::White;
}

TCursorImage TCursorImage::FromArt(const std::string& name, const std::array<const char*, 32>& rows,
                                   std::int32_t hotX, std::int32_t hotY) {
  TCursorImage img;
  img.Name = name;
  img.HotX = hotX;
  img.HotY = hotY;
  for (std::size_t y = 0; y < 32; ++y) {
    const char* row = rows[y];
    for (std::size_t x = 0; x < 32 && row && row[x]; ++x) {
      const std::uint32_t bit = 1u << (31 - x);
      if (row[x] == 'X') {
        img.Shape[y] |= bit;
        img.Mask[y] |= bit;
      } else if (row[x] == 'o') {
        img.Mask[y] |= bit;
      }
    }
  }
  return img;
}

namespace {

// CURHAND: hot spot (12,3).
constexpr std::array<const char*, 32> ArtCURHAND = {
    "................................",
    "................................",
    "...........XXX..................",
    "..........XXoXXXXX..............",
    ".......XXXXoooXXoXX.............",
    "......XXoXXoooXoooX.............",
    "......XoooXoooXoooXXXX..........",
    "......XoooXoooXoooXXoXX.........",
    "......XoooXoooXoooXoooX.........",
    "......XoooXoooXoooXoooX.........",
    "......XoooXoooXoooXoooX.........",
    "..XXXXXoooXoooXoooXoooX.........",
    ".XXooXXoooXoooXoooXoooX.........",
    ".XooooXoooooooooooooooX.........",
    ".XooooooooooooooooooooX.........",
    ".XXoooooooooooooooooooX.........",
    "..XXooooooooooooooooooX.........",
    "...XXoooooooooooooooooX.........",
    "....XXooooooooooooooooX.........",
    ".....XXoooooooooooooooX.........",
    "......XoooooooooooooooX.........",
    "......XoooooooooooooooX.........",
    "......XoooooooooooooooX.........",
    "......XXoooooooooooooXX.........",
    ".......XoooooooooooooX..........",
    ".......XXXXXXXXXXXXXXX..........",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
};

// CURZOOMW: hot spot (7,9).
constexpr std::array<const char*, 32> ArtCURZOOMW = {
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "......oooooooooooooooooooooo....",
    "......oXXXXXXXXXXXXXXXXXXXXo....",
    "......oXXoooooooooooooooooXo....",
    "......oXoXoo.............oXo....",
    "......oXooXooo...........oXo....",
    "......oXoooXXoo..........oXo....",
    "......oXo.oooXoo.........oXo....",
    "......oXo...ooXoo........oXo....",
    "......oXo....ooXoo.......oXo....",
    "......oXo.....ooXoo......oXo....",
    "......oXo......ooXoo.....oXo....",
    "......oXo.......ooXoo....oXo....",
    "......oXo........ooXoo...oXo....",
    "......oXo.........ooXooo.oXo....",
    "......oXo..........ooXXoooXo....",
    "......oXo...........oooXooXo....",
    "......oXo.............ooXoXo....",
    "......oXoooooooooooooooooXXo....",
    "......oXXXXXXXXXXXXXXXXXXXXo....",
    "......oooooooooooooooooooooo....",
    "................................",
    "................................",
    "................................",
    "................................",
};

// CURZOOMD: hot spot (15,15).
constexpr std::array<const char*, 32> ArtCURZOOMD = {
    "................................",
    "................................",
    "................................",
    "...ooooooo...........ooooooo....",
    "...oXXXXXo...........oXXXXXo....",
    "...oXXoooo...........ooooXXo....",
    "...oXoXoo.............ooXoXo....",
    "...oXooXoo...........ooXooXo....",
    "...oXoooXoo.........ooXoooXo....",
    "...ooo.ooXoo.......ooXoo.ooo....",
    "........ooXoo.....ooXoo.........",
    ".........ooXoooooooXoo..........",
    "..........ooXXXXXXXoo...........",
    "...........oXoooooXo............",
    "...........oXoooooXo............",
    "...........oXooXooXo............",
    "...........oXoooooXo............",
    "...........oXoooooXo............",
    "..........ooXXXXXXXoo...........",
    ".........ooXoooooooXoo..........",
    "........ooXoo.....ooXoo.........",
    "...ooo.ooXoo.......ooXoo.ooo....",
    "...oXoooXoo.........ooXoooXo....",
    "...oXooXoo...........ooXooXo....",
    "...oXoXoo.............ooXoXo....",
    "...oXXoooo...........ooooXXo....",
    "...oXXXXXo...........oXXXXXo....",
    "...ooooooo...........ooooooo....",
    "................................",
    "................................",
    "................................",
    "................................",
};

// CURZOOMP: hot spot (7,8).
constexpr std::array<const char*, 32> ArtCURZOOMP = {
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "......oooooooooooooooooooooo....",
    "......oXXXXXXXXXXXXXXXXXXXXo....",
    "......oXXXXXXXXXXXXXXXXXXXXo....",
    "......oXXXXXXXXXXXXXXXXXXXXo....",
    "......oXooooooooooooooooooXo....",
    "......oXo................oXo....",
    "......oXo................oXo....",
    "......oXo................oXo....",
    "......oXo................oXo....",
    "......oXo................oXo....",
    "......oXo................oXo....",
    "......oXo................oXo....",
    "......oXo................oXo....",
    "......oXo................oXo....",
    "......oXo................oXo....",
    "......oXo................oXo....",
    "......oXooooooooooooooooooXo....",
    "......oXXXXXXXXXXXXXXXXXXXXo....",
    "......oooooooooooooooooooooo....",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
};

}  // namespace

const std::array<TCursorImage, 4>& ChartCursorImages() {
  static const std::array<TCursorImage, 4> images = {
      TCursorImage::FromArt("CURHAND", ArtCURHAND, 12, 3),
      TCursorImage::FromArt("CURZOOMW", ArtCURZOOMW, 7, 9),
      TCursorImage::FromArt("CURZOOMD", ArtCURZOOMD, 15, 15),
      TCursorImage::FromArt("CURZOOMP", ArtCURZOOMP, 7, 8),
  };
  return images;
}

void LoadChartCursors() {
  const auto& images = ChartCursorImages();
  for (std::size_t i = 0; i < images.size(); ++i) Host().RegisterCursor(crChartHand + std::int32_t(i), images[i]);
}

}  // namespace mivo
