#pragma once
// The chart's data file record and the text listing of one item, as pure
// functions (no files, no chart): what SaveData, LoadData and SaveDataASC
// write and read per item.
//
// A record is 104 bytes, all numbers little-endian:
//   0 x, 8 y, 16 x2, 24 y2 (doubles); 32 Color, 36 FillColor, 40 ShadowColor,
//   44 HiLightColor (32 bit); 48 PenStyle (byte); 52 Tag, 56 LWid (int32);
//   60 ItemClass, 61 ItemKind (bytes); 64 Layer (int32); 68 Transp,
//   69 FrameStyle, 70 text length (bytes); 71 15 text bytes; 88 SizeOrAngle,
//   92 DepthOrAngle (int32); 96 MarkOrAlign (byte); the rest is padding,
//   written as zeros.

#include <cstddef>
#include <cstdint>
#include <string>

#include "mivo/platform/export.h"
#include "mivo/rchart/rchart_types.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

inline constexpr std::size_t kRecordSize = 104;

// Writes the record of `item` into p[0 ... 103].
void EncodeChartItem(const TrcChartItem& item, std::uint8_t* p);
// Reads a record; false (item partly written) when its kind is not a stored
// kind, its layer is not 1 or 2, or its text length exceeds 15.
bool DecodeChartItem(const std::uint8_t* p, TrcChartItem& item);
// The lines of the text listing for item `index`, each ended by CR LF.
std::string ListChartItem(const TrcChartItem& item, std::int32_t index);

}  // namespace mivo
MIVO_PUBLIC_END
