#pragma once
// Records and enumerations of the 2D chart: the display-list item and its
// kinds, layouts, caption anchors, grid styles and the chart's error type.
// Ordinals are fixed: data files and form files store them as numbers.

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "mivo/base/enums.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/errors.h"
#include "mivo/platform/export.h"
#include "mivo/platform/mivo_types.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

// Errors raised by the 2D chart (joins, logarithmic axes over non-positive ranges).
class EMivoRChartError : public EMivoError {
 public:
  explicit EMivoRChartError(const std::string& msg) : EMivoError(msg) {}
};

// Kind of a display-list item. tkEverything and tkNotMoveTo never stand in a
// stored item: they select all kinds, or all kinds but tkMoveTo, in queries.
enum class TrcItem : std::uint8_t {
  tkNone,
  tkMarkAt,
  tkLine,
  tkLineto,
  tkRect,
  tkRectFrame,
  tk3DBar,
  tkText,
  tkMoveTo,
  tkEllipse,
  tkEverything,
  tkNotMoveTo,
  tkMoveRelPix,
  tkLineRelPix,
  tkArrow,
  tkTextOfs,
  tkRectRelPix,
  tkMarkEBar,
  tkLineOffs,
  tkArc,
};
inline constexpr std::size_t kNumItemKinds = 20;

// True for the kinds that adders store (every kind but tkNone, tkEverything
// and tkNotMoveTo).
constexpr bool IsStoredKind(TrcItem k) {
  return k != TrcItem::tkNone && k != TrcItem::tkEverything && k != TrcItem::tkNotMoveTo &&
         std::size_t(k) < kNumItemKinds;
}
// True for the kinds whose second point (x2, y2) is a world position.
constexpr bool HasSecondPoint(TrcItem k) {
  return k == TrcItem::tkLine || k == TrcItem::tkRect || k == TrcItem::tkRectFrame || k == TrcItem::tk3DBar ||
         k == TrcItem::tkArrow || k == TrcItem::tkLineOffs;
}
// True for the kinds whose (x, y) is a pixel offset rather than a world position.
constexpr bool IsRelPixKind(TrcItem k) { return k == TrcItem::tkMoveRelPix || k == TrcItem::tkLineRelPix; }

// Maximum number of characters of an item text.
inline constexpr std::size_t kItemTextMax = 15;

// The text of an item: a length byte and up to 15 single-byte (Windows-1252)
// characters. Bytes beyond the length carry no meaning.
struct TrcItemText {
  std::uint8_t Length = 0;
  std::array<char, kItemTextMax> Chars{};
  // The stored bytes (Windows-1252), at most 15 of them.
  std::string Bytes() const { return std::string(Chars.data(), Length <= kItemTextMax ? Length : kItemTextMax); }
  friend bool operator==(const TrcItemText&, const TrcItemText&) = default;
};

// One display-list item; a plain value copied whole.
struct TrcChartItem {
  double x = 0;
  double y = 0;
  double x2 = 0;
  double y2 = 0;
  TColor Color = 0;
  TColor FillColor = 0;
  TColor ShadowColor = 0;
  TColor HiLightColor = 0;
  TPenStyle PenStyle = TPenStyle::psSolid;
  std::int32_t Tag = 0;
  std::int32_t LWid = 0;
  std::uint8_t ItemClass = 0;
  TrcItem ItemKind = TrcItem::tkNone;
  std::int32_t Layer = 0;
  bool Transp = false;
  TFrameStyle FrameStyle = TFrameStyle::fsNone;
  TrcItemText Text;
  std::int32_t SizeOrAngle = 0;
  std::int32_t DepthOrAngle = 0;
  std::uint8_t MarkOrAlign = 0;
  friend bool operator==(const TrcChartItem&, const TrcChartItem&) = default;
};

// True for an item the display list may hold, which is exactly what the data
// file can hold: a stored kind, layer 1 or 2 and a text of at most 15 bytes.
constexpr bool IsStorableItem(const TrcChartItem& it) {
  return IsStoredKind(it.ItemKind) && (it.Layer == 1 || it.Layer == 2) && it.Text.Length <= kItemTextMax;
}

// The five standard layouts of margins, caption and scales.
enum class TrcLayout : std::uint8_t {
  rcl_X1Bottom_Y1Left,
  rcl_X1Bottom_Y2Left,
  rcl_X1Bottom_Y2Both,
  rcl_X2Bottom_Y2Left,
  rcl_X2Both_Y2Both,
};

enum class TCaptionAnchorHoriz : std::uint8_t {
  cahControlLeft,
  cahChartLeft,
  cahChartCenter,
  cahChartRight,
  cahControlRight
};
enum class TCaptionAnchorVert : std::uint8_t {
  cavControlTop,
  cavChartTop,
  cavChartCenter,
  cavChartBottom,
  cavControlBottom
};

// Grid steps of a logarithmic axis, given in place of a positive step: lines
// at the decades, at 1, 2 and 5 in each decade, or at every digit 1 ... 9.
inline constexpr double kGridLogDecades = -1, kGridLog125 = -2, kGridLogEveryDigit = -3;

enum class GridStyleType : std::uint8_t {
  gsNone,
  gsPoints,
  gsVertLines,
  gsHorizLines,
  gsLines,
  gsHorizDotLines,
  gsVertDotLines,
  gsDotLines
};

// Background of text items.
enum class TTextBkg : std::uint8_t { tbClear, tbSolid };

// A set of layer numbers (1 and 2).
enum class TLayerNum : std::uint8_t { ln0, ln1, ln2 };
using TLayerSet = TSet<TLayerNum>;
inline constexpr TLayerNum LayerNum(std::int32_t layer) { return TLayerNum(layer); }

}  // namespace mivo
MIVO_PUBLIC_END
