#pragma once
// Colour constants and the system colour table. A colour whose top byte is $FF
// names a system colour by its index in the low byte; ColorToRGB resolves it
// (through the active host's visual style when one is installed).

#include <array>
#include <cstdint>

#include "mivo/platform/export.h"
#include "mivo/platform/mivo_types.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

// Indices of the system colour table.
enum class TSysColor : std::uint8_t {
  scScrollBar = 0, scBackground = 1, scActiveCaption = 2, scInactiveCaption = 3, scMenu = 4,
  scWindow = 5, scWindowFrame = 6, scMenuText = 7, scWindowText = 8, scCaptionText = 9,
  scActiveBorder = 10, scInactiveBorder = 11, scAppWorkSpace = 12, scHighlight = 13,
  scHighlightText = 14, scBtnFace = 15, scBtnShadow = 16, scGrayText = 17, scBtnText = 18,
  scInactiveCaptionText = 19, scBtnHighlight = 20, sc3DDkShadow = 21, sc3DLight = 22,
  scInfoText = 23, scInfoBk = 24,
};
inline constexpr int SysColorCount = 25;

inline constexpr TColor SysColor(TSysColor c) { return 0xFF000000u | static_cast<std::uint8_t>(c); }

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;

inline constexpr TColor clBtnFace = SysColor(TSysColor::scBtnFace);          // $FF00000F
inline constexpr TColor clBtnShadow = SysColor(TSysColor::scBtnShadow);      // $FF000010
inline constexpr TColor clBtnHighlight = SysColor(TSysColor::scBtnHighlight);  // $FF000014
inline constexpr TColor clGrayText = SysColor(TSysColor::scGrayText);
inline constexpr TColor clWindow = SysColor(TSysColor::scWindow);
inline constexpr TColor clWindowText = SysColor(TSysColor::scWindowText);
inline constexpr TColor clHighlight = SysColor(TSysColor::scHighlight);
inline constexpr TColor clHighlightText = SysColor(TSysColor::scHighlightText);
inline constexpr TColor clBtnText = SysColor(TSysColor::scBtnText);
inline constexpr TColor cl3DDkShadow = SysColor(TSysColor::sc3DDkShadow);
inline constexpr TColor cl3DLight = SysColor(TSysColor::sc3DLight);
inline constexpr TColor clInfoText = SysColor(TSysColor::scInfoText);
inline constexpr TColor clInfoBk = SysColor(TSysColor::scInfoBk);

inline constexpr bool IsSystemColor(TColor c) { return (c >> 24) == 0xFF; }

// The default (classic desktop) system colour table.
const std::array<TColor, SysColorCount>& DefaultSystemColors();

// The active table; a host with a visual style (the Qt adapter) installs its own.
const std::array<TColor, SysColorCount>& SystemColors();
void SetSystemColors(const std::array<TColor, SysColorCount>& table);

// Resolves a system colour through the active table to RGB; plain colours are returned with the top byte
// cleared. An unknown system index resolves to black.
TColor ColorToRGB(TColor c);

inline constexpr std::uint8_t GetRValue(TColor c) { return c & 0xFF; }
inline constexpr std::uint8_t GetGValue(TColor c) { return (c >> 8) & 0xFF; }
inline constexpr std::uint8_t GetBValue(TColor c) { return (c >> 16) & 0xFF; }
inline constexpr TColor RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16);
}
// The same as RGB, under the name that code coming from Qt or RGB triples looks for.
inline constexpr TColor RGBToColor(std::uint8_t r, std::uint8_t g, std::uint8_t b) { return RGB(r, g, b); }

// The components of a colour, with system colours resolved (ColorToRGB).
// Mivo's colours are opaque, so A is always 255.
TRGB32 ColorToRGBA(TColor c);

}  // namespace mivo
MIVO_PUBLIC_END
