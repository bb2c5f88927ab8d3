// The binary data file (104-byte little-endian records, written and read field
// by field) and the text listing of the display list.
#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "mivo/platform/errors.h"
#include "mivo/platform/file_read.h"
#include "mivo/platform/file_replace.h"
#include "mivo/rchart/item_store.h"
#include "mivo/rchart/rchart.h"
#include "mivo/rchart/rchart_datafile.h"

namespace mivo {

namespace {

void PutU32(std::uint8_t* p, std::uint32_t v) {
  p[0] = std::uint8_t(v);
  p[1] = std::uint8_t(v >> 8);
  p[2] = std::uint8_t(v >> 16);
  p[3] = std::uint8_t(v >> 24);
}

void PutF64(std::uint8_t* p, double d) {
  const auto v = std::bit_cast<std::uint64_t>(d);
  PutU32(p, std::uint32_t(v));
  PutU32(p + 4, std::uint32_t(v >> 32));
}

std::uint32_t GetU32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

double GetF64(const std::uint8_t* p) {
  return std::bit_cast<double>(std::uint64_t(GetU32(p)) | std::uint64_t(GetU32(p + 4)) << 32);
}

// Records read or written per block.
constexpr std::size_t kBlockRecords = 8192;

}  // namespace

void EncodeChartItem(const TrcChartItem& it, std::uint8_t* p) {
  std::memset(p, 0, kRecordSize);
  PutF64(p + 0, it.x);
  PutF64(p + 8, it.y);
  PutF64(p + 16, it.x2);
  PutF64(p + 24, it.y2);
  PutU32(p + 32, it.Color);
  PutU32(p + 36, it.FillColor);
  PutU32(p + 40, it.ShadowColor);
  PutU32(p + 44, it.HiLightColor);
  p[48] = std::uint8_t(it.PenStyle);
  PutU32(p + 52, std::uint32_t(it.Tag));
  PutU32(p + 56, std::uint32_t(it.LWid));
  p[60] = it.ItemClass;
  p[61] = std::uint8_t(it.ItemKind);
  PutU32(p + 64, std::uint32_t(it.Layer));
  p[68] = it.Transp ? 1 : 0;
  p[69] = std::uint8_t(it.FrameStyle);
  p[70] = std::min<std::uint8_t>(it.Text.Length, std::uint8_t(kItemTextMax));
  std::memcpy(p + 71, it.Text.Chars.data(), kItemTextMax);
  PutU32(p + 88, std::uint32_t(it.SizeOrAngle));
  PutU32(p + 92, std::uint32_t(it.DepthOrAngle));
  p[96] = it.MarkOrAlign;
}

bool DecodeChartItem(const std::uint8_t* p, TrcChartItem& it) {
  const auto kind = TrcItem(p[61]);
  const auto layer = std::int32_t(GetU32(p + 64));
  // A record that would index the kind counts, the layer flags or the text
  // out of bounds is not a record of this format.
  if (!IsStoredKind(kind) || (layer != 1 && layer != 2) || p[70] > kItemTextMax) return false;
  it.x = GetF64(p + 0);
  it.y = GetF64(p + 8);
  it.x2 = GetF64(p + 16);
  it.y2 = GetF64(p + 24);
  it.Color = GetU32(p + 32);
  it.FillColor = GetU32(p + 36);
  it.ShadowColor = GetU32(p + 40);
  it.HiLightColor = GetU32(p + 44);
  it.PenStyle = TPenStyle(p[48]);
  it.Tag = std::int32_t(GetU32(p + 52));
  it.LWid = std::int32_t(GetU32(p + 56));
  it.ItemClass = p[60];
  it.ItemKind = kind;
  it.Layer = layer;
  it.Transp = p[68] != 0;
  it.FrameStyle = TFrameStyle(p[69]);
  it.Text.Length = p[70];
  std::memcpy(it.Text.Chars.data(), p + 71, kItemTextMax);
  it.SizeOrAngle = std::int32_t(GetU32(p + 88));
  it.DepthOrAngle = std::int32_t(GetU32(p + 92));
  it.MarkOrAlign = p[96];
  return true;
}

// ---------------------------------------------------------------- binary file

bool TCustomRChart::SaveData(const std::string& fileName) {
  try {
    // Records are encoded a block at a time into one buffer: the file never
    // needs a copy of the whole list in memory.
    TReplacingFile file(fileName, "Chart data file");
    const detail::TItemStore* store = FDataContainer.Get();
    std::vector<std::uint8_t> block(std::size_t(std::min<std::int64_t>(FNumChartItems, kBlockRecords)) * kRecordSize);
    for (std::int32_t i = 0; i < FNumChartItems;) {
      const std::int32_t n = std::min<std::int32_t>(FNumChartItems - i, std::int32_t(kBlockRecords));
      for (std::int32_t k = 0; k < n; ++k)
        EncodeChartItem(store->Get(std::size_t(i + k)), block.data() + std::size_t(k) * kRecordSize);
      file.Write(block.data(), std::size_t(n) * kRecordSize);
      i += n;
    }
    file.Commit();
  } catch (const std::bad_alloc&) {
    return false;
  } catch (const EMivoError&) {
    return false;
  }
  return true;
}

bool TCustomRChart::LoadData(const std::string& fileName, bool append) {
  TRegularFileReader f(fileName);
  if (!f.IsOpen()) return false;
  const std::uint64_t size = f.Size();
  if (size % kRecordSize != 0) return false;
  const std::uint64_t n = size / kRecordSize;
  const std::int32_t base = append ? FNumChartItems : 0;
  if (n + std::uint64_t(base) > std::uint64_t(std::numeric_limits<std::int32_t>::max())) return false;
  const auto total = std::int32_t(n + std::uint64_t(base));

  // Records are decoded into storage that is not part of the list yet: a
  // fresh buffer when replacing, the slots beyond the valid items when
  // appending. The list changes only once every record has passed.
  detail::TItemBuffer fresh;
  std::array<std::int32_t, kNumItemKinds> counts{};
  try {
    detail::TItemStore* dest;
    if (append) {
      GrowTo(total);
      dest = &FDataContainer.Store();
    } else {
      fresh.Reserve(std::size_t(n));
      dest = &fresh.Store();
    }
    std::vector<std::uint8_t> block(kBlockRecords * kRecordSize);
    TrcChartItem it;
    for (std::uint64_t done = 0; done < n;) {
      const std::size_t want = std::size_t(std::min<std::uint64_t>(kBlockRecords, n - done));
      if (!f.ReadExactly(block.data(), want * kRecordSize)) return false;
      for (std::size_t r = 0; r < want; ++r) {
        if (!DecodeChartItem(block.data() + r * kRecordSize, it)) return false;
        dest->Set(std::size_t(base) + done + r, it);
        ++counts[std::size_t(it.ItemKind)];
      }
      done += want;
    }
    // The file must end where its size said it would.
    if (!f.AtEnd()) return false;
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (append) {
    for (std::size_t k = 0; k < kNumItemKinds; ++k) FItemCount[k] += counts[k];
  } else {
    FDataContainer.Swap(fresh);
    FItemCount = counts;
    FLastElemOnShow = 0;
  }
  FNumAllocated = total;
  FNumChartItems = total;
  AdjustCanInfoOfSharedCharts();
  Paint();
  return true;
}

// ---------------------------------------------------------------- text listing

namespace {

const char* const kKindNames[kNumItemKinds] = {
    nullptr,        "tkMarkAt",     "tkLine",     "tkLineTo", "tkRect",       "tkRectFrame",  "tk3DBar",
    "tkText",       "tkMoveTo",     "tkEllipse",  nullptr,    nullptr,        "tkMoveRelPix", "tkLineRelPix",
    "tkArrow",      "tkTextOfs",    "tkRectRelPix", "tkMarkEBar", "tkLineOffs", "tkArc",
};

const char* const kFrameNames[4] = {"rbLowered", "rbRaised", "rbEmbossed", "rbEngraved"};

// Fixed notation with `decimals` digits and a point, whatever the locale.
std::string Fixed(double v, int decimals) {
  char buf[400];
  const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
  return std::string(buf, r.ptr);
}

// Rounded to a whole number (halves to even), written without a point.
std::string Whole(double v) { return Fixed(std::nearbyint(v) + 0.0, 0); }

std::string Hex(std::uint32_t v, int digits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*X", digits, unsigned(v));
  return buf;
}

std::string Bool(bool b) { return b ? "TRUE" : "FALSE"; }

// "[a/b]" with four decimals each. (Built by appending: GCC 12 reports a
// false -Wrestrict on chains of string concatenation here.)
std::string Point(double a, double b) {
  std::string s("[");
  s.append(Fixed(a, 4)).append("/").append(Fixed(b, 4)).append("]");
  return s;
}

// The item text between single quotes.
std::string Quoted(const TrcChartItem& it) {
  std::string s("'");
  s.append(it.Text.Bytes()).append("'");
  return s;
}

}  // namespace

std::string ListChartItem(const TrcChartItem& it, std::int32_t index) {
  std::string s;
  const auto line = [&s](const std::string& l) {
    s += l;
    s += "\r\n";
  };
  line("");
  line("------ item " + std::to_string(index) + " ------");
  const auto kind = std::size_t(it.ItemKind);
  if (kind < kNumItemKinds && kKindNames[kind]) line(std::string(" elemtype: ") + kKindNames[kind]);
  line(" startpnt: " + Point(it.x, it.y));
  line("    color: " + Hex(it.Color, 8));
  line(" penstyle: " + Hex(std::uint8_t(it.PenStyle), 2));
  line("linewidth: " + std::to_string(it.LWid));
  line(" classnum: " + std::to_string(it.ItemClass));
  switch (it.ItemKind) {
    case TrcItem::tkMarkAt:
      line(" marktype: " + std::to_string(it.MarkOrAlign));
      break;
    case TrcItem::tkLine:
      line(" endpoint: " + Point(it.x2, it.y2));
      break;
    case TrcItem::tkRect:
      line("   corner: " + Point(it.x2, it.y2));
      line("fillcolor: " + Hex(it.FillColor, 8));
      line("  transp.: " + Bool(it.Transp));
      break;
    case TrcItem::tkRectFrame: {
      line("   corner: " + Point(it.x2, it.y2));
      line("fillcolor: " + Hex(it.FillColor, 8));
      const auto fs = std::size_t(it.FrameStyle);
      if (fs >= 2 && fs <= 5) line(std::string("frametype: ") + kFrameNames[fs - 2]);
      line("shadowcol: " + Hex(it.ShadowColor, 8));
      line("hilitecol: " + Hex(it.HiLightColor, 8));
      break;
    }
    case TrcItem::tk3DBar:
      line(" endpoint: " + Point(it.x2, it.y2));
      line("fillcolor: " + Hex(it.FillColor, 8));
      line("    depth: " + std::to_string(it.DepthOrAngle));
      line("    angle: " + std::to_string(it.SizeOrAngle));
      break;
    case TrcItem::tkText:
      line("     text: " + Quoted(it));
      line("     size: " + std::to_string(it.SizeOrAngle));
      line("    align: " + std::to_string(it.MarkOrAlign));
      break;
    case TrcItem::tkEllipse:
      line(" halfaxes: " + Fixed(it.x2, 4) + " " + Fixed(it.y2, 4));
      line("fillcolor: " + Hex(it.FillColor, 8));
      line("  transp.: " + Bool(it.Transp));
      break;
    case TrcItem::tkArrow:
      line("    arrow: " + Point(it.x2, it.y2));
      line("fillcolor: " + Hex(it.FillColor, 8));
      line("  transp.: " + Bool(it.Transp));
      line(" headsize: " + std::to_string(it.SizeOrAngle));
      break;
    case TrcItem::tkTextOfs:
      line("     text: " + Quoted(it));
      line("     size: " + std::to_string(it.SizeOrAngle));
      line("    align: " + std::to_string(it.MarkOrAlign));
      line(" offset x: '" + Whole(it.x2) + "'");
      line(" offset y: '" + Whole(it.y2) + "'");
      break;
    case TrcItem::tkRectRelPix:
      line("    dx/dy: " + Whole(it.x2) + "/" + Whole(it.y2));
      line("fillcolor: " + Hex(it.FillColor, 8));
      line("  transp.: " + Bool(it.Transp));
      break;
    case TrcItem::tkMarkEBar:
      line("   errors: " + Point(it.x2, it.y2));
      line(" marktype: " + std::to_string(it.MarkOrAlign));
      line("direction: " + std::to_string(it.SizeOrAngle));
      break;
    case TrcItem::tkLineOffs:
      line(" endpoint: " + Point(it.x2, it.y2));
      line("   offset: [" + std::to_string(it.SizeOrAngle) + "/" + std::to_string(it.DepthOrAngle) + "]");
      break;
    case TrcItem::tkArc:
      line(" halfaxes: " + Fixed(it.x2, 4) + " " + Fixed(it.y2, 4));
      line("   angles: " + Fixed(it.SizeOrAngle / kArcAngleFactor, 9) + " " +
           Fixed(it.DepthOrAngle / kArcAngleFactor, 9));
      break;
    default:
      break;
  }
  return s;
}

void TCustomRChart::SaveDataASC(const std::string& fileName) {
  std::string listing;
  for (std::int32_t i = 0; i < FNumChartItems; ++i) listing += ListChartItem(GetChartItem(i), i);
  WriteFileReplacing(fileName, reinterpret_cast<const std::uint8_t*>(listing.data()), listing.size(),
                     "Chart listing");
}

}  // namespace mivo
