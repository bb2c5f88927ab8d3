#include "mivo/platform/colors.h"

namespace mivo {

const std::array<TColor, SysColorCount>& DefaultSystemColors() {
  // The classic desktop scheme.
  static const std::array<TColor, SysColorCount> table = {
      RGB(200, 200, 200),  // scroll bar
      RGB(0, 0, 0),        // background
      RGB(153, 180, 209),  // active caption
      RGB(191, 205, 219),  // inactive caption
      RGB(240, 240, 240),  // menu
      RGB(255, 255, 255),  // window
      RGB(100, 100, 100),  // window frame
      RGB(0, 0, 0),        // menu text
      RGB(0, 0, 0),        // window text
      RGB(0, 0, 0),        // caption text
      RGB(180, 180, 180),  // active border
      RGB(244, 247, 252),  // inactive border
      RGB(171, 171, 171),  // application work space
      RGB(0, 120, 215),    // highlight
      RGB(255, 255, 255),  // highlight text
      RGB(240, 240, 240),  // button face
      RGB(160, 160, 160),  // button shadow
      RGB(109, 109, 109),  // grey text
      RGB(0, 0, 0),        // button text
      RGB(0, 0, 0),        // inactive caption text
      RGB(255, 255, 255),  // button highlight
      RGB(105, 105, 105),  // 3D dark shadow
      RGB(227, 227, 227),  // 3D light
      RGB(0, 0, 0),        // info text
      RGB(255, 255, 225),  // info background
  };
  return table;
}

namespace {
std::array<TColor, SysColorCount>& ActiveTable() {
  static std::array<TColor, SysColorCount> table = DefaultSystemColors();
  return table;
}
}  // namespace

const std::array<TColor, SysColorCount>& SystemColors() { return ActiveTable(); }

void SetSystemColors(const std::array<TColor, SysColorCount>& table) { ActiveTable() = table; }

TColor ColorToRGB(TColor c) {
  if (!IsSystemColor(c)) return c & 0x00FFFFFFu;
  const unsigned index = c & 0xFFu;
  if (index >= unsigned(SysColorCount) || (c & 0x00FFFF00u) != 0) return clBlack;
  return ActiveTable()[index] & 0x00FFFFFFu;
}

TRGB32 ColorToRGBA(TColor c) {
  const TColor rgb = ColorToRGB(c);
  return TRGB32{GetBValue(rgb), GetGValue(rgb), GetRValue(rgb), 255};
}

}  // namespace mivo
