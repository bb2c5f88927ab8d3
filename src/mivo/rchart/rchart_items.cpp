// The display list: growth, the item adders and the item text conversion.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <type_traits>
#include <limits>
#include <new>
#include <numbers>

#include "mivo/rchart/item_store.h"
#include "mivo/rchart/rchart.h"
#include "mivo/rchart/rchart_internal.h"
#include "mivo/rchart/rchart_items_painter_internal.h"

namespace mivo {

namespace {

// Windows-1252 bytes 0x80 ... 0x9F and the characters they stand for (0 where
// the code page leaves the byte undefined).
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char ToCp1252(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return char(std::uint8_t(c));
  for (std::size_t i = 0; i < 32; ++i)
    if (kCp1252High[i] == c && c != 0) return char(std::uint8_t(0x80 + i));
  return '?';
}

// Decodes one UTF-8 character at s[i] and advances i; an invalid sequence
// gives U+FFFD for its first byte.
char32_t NextCodePoint(const std::string& s, std::size_t& i) {
  const auto b0 = std::uint8_t(s[i]);
  std::size_t len = 0;
  char32_t c = 0;
  if (b0 < 0x80) {
    ++i;
    return b0;
  }
  if ((b0 & 0xE0) == 0xC0) {
    len = 2;
    c = b0 & 0x1F;
  } else if ((b0 & 0xF0) == 0xE0) {
    len = 3;
    c = b0 & 0x0F;
  } else if ((b0 & 0xF8) == 0xF0) {
    len = 4;
    c = b0 & 0x07;
  } else {
    ++i;
    return 0xFFFD;
  }
  if (i + len > s.size()) {
    ++i;
    return 0xFFFD;
  }
  for (std::size_t k = 1; k < len; ++k) {
    const auto b = std::uint8_t(s[i + k]);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return 0xFFFD;
    }
    c = (c << 6) | (b & 0x3F);
  }
  i += len;
  return c;
}

std::int32_t EncodeArcAngle(double a) {
  if (a > std::numbers::pi) a = std::numbers::pi;
  if (a < -std::numbers::pi) a = -std::numbers::pi;
  return RoundToInt(a * kArcAngleFactor);
}

}  // namespace

TrcItemText ToItemText(const std::string& utf8) {
  TrcItemText t;
  std::size_t i = 0;
  while (i < utf8.size() && t.Length < kItemTextMax) t.Chars[t.Length++] = ToCp1252(NextCodePoint(utf8, i));
  return t;
}

std::size_t detail::ItemTextToUtf8(const TrcItemText& text, char* out) {
  std::size_t n = 0;
  const std::size_t len = std::min<std::size_t>(text.Length, kItemTextMax);
  for (std::size_t i = 0; i < len; ++i) {
    const auto b = std::uint8_t(text.Chars[i]);
    char32_t c = b;
    if (b >= 0x80 && b < 0xA0) c = kCp1252High[b - 0x80] ? kCp1252High[b - 0x80] : U'?';
    if (c < 0x80) {
      out[n++] = char(c);
    } else if (c < 0x800) {
      out[n++] = char(0xC0 | (c >> 6));
      out[n++] = char(0x80 | (c & 0x3F));
    } else {
      out[n++] = char(0xE0 | (c >> 12));
      out[n++] = char(0x80 | ((c >> 6) & 0x3F));
      out[n++] = char(0x80 | (c & 0x3F));
    }
  }
  return n;
}

// ---------------------------------------------------------------- storage

void TCustomRChart::ResetList() {
  FDataContainer.Clear();
  FNumChartItems = 0;
  FNumAllocated = 0;
  FLastElemOnShow = 0;
  FItemCount.fill(0);
}

void TCustomRChart::GrowTo(std::int64_t slots) {
  // The logical size grows by AllocSize; the storage at least doubles, so
  // appending N items moves O(N) records in all.
  FDataContainer.Reserve(std::size_t(slots));
}

TrcChartItem TCustomRChart::NewItem(TrcItem kind, double x, double y, double x2, double y2) const {
  TrcChartItem it;
  it.ItemKind = kind;
  it.x = x;
  it.y = y;
  it.x2 = x2;
  it.y2 = y2;
  it.Layer = FActiveLayer;
  it.ItemClass = RcClassDefault;
  it.Color = RcDataCol;
  it.PenStyle = RcPenStyle;
  it.Tag = FDataTag;
  it.LWid = RcLineWid;
  return it;
}

TrcChartItem TCustomRChart::NewShape(TrcItem kind, double x, double y, double x2, double y2, bool transp) const {
  TrcChartItem it = NewItem(kind, x, y, x2, y2);
  it.FillColor = RcFillCol;
  if (transp) it.Transp = FTranspItems;
  return it;
}

void TCustomRChart::CommitItem(const TrcChartItem& it) {
  if (FNumChartItems >= FNumAllocated) {
    const std::int64_t next = std::int64_t(FNumAllocated) + FAllocSize;
    if (next > std::numeric_limits<std::int32_t>::max()) throw std::bad_alloc();
    GrowTo(next);
    FNumAllocated = std::int32_t(next);
  }
  FDataContainer.Store().Set(std::size_t(FNumChartItems), it);
  ++FItemCount[std::size_t(it.ItemKind)];
  ++FNumChartItems;
  AdjustCanInfoOfSharedCharts();
}

TrcChartItem TCustomRChart::GetChartItem(std::int32_t idx) const {
  if (idx < 0 || idx >= FNumChartItems) return TrcChartItem{};
  return FDataContainer.Get()->Get(std::size_t(idx));
}

void TCustomRChart::SetChartitem(std::int32_t idx, const TrcChartItem& item) {
  if (idx >= 0 && idx < FNumChartItems && IsStorableItem(item)) FDataContainer.Store().Set(std::size_t(idx), item);
}

std::int32_t TCustomRChart::GetItemCount(TrcItem kind) const {
  return std::size_t(kind) < kNumItemKinds ? FItemCount[std::size_t(kind)] : 0;
}

void TCustomRChart::ClearGraf() {
  ResizeGrafBmp();
  ResetList();
  FNumMTrace = 0;
  AdjustCanInfoOfSharedCharts();
}

// ---------------------------------------------------------------- adders

void TCustomRChart::MarkAt(double x, double y, std::uint8_t markType) {
  TrcChartItem it = NewItem(TrcItem::tkMarkAt, x, y);
  it.MarkOrAlign = markType;
  CommitItem(it);
}

void TCustomRChart::MarkErrorBar(double x, double y, double e1, double e2, TOrientation orientation,
                                 std::uint8_t markType) {
  TrcChartItem it = NewItem(TrcItem::tkMarkEBar, x, y, e1, e2);
  it.SizeOrAngle = std::int32_t(orientation);
  it.MarkOrAlign = markType;
  CommitItem(it);
}

void TCustomRChart::Text(double x, double y, std::int32_t size, const std::string& txt) {
  TrcChartItem it = NewItem(TrcItem::tkText, x, y);
  it.SizeOrAngle = size;
  it.MarkOrAlign = std::uint8_t(FTextAlignment);
  it.Text = ToItemText(txt);
  CommitItem(it);
}

void TCustomRChart::Text(double x, double y, std::int32_t size, const std::string& txt, std::int32_t offX,
                         std::int32_t offY, TAlignment align) {
  TrcChartItem it = NewItem(TrcItem::tkTextOfs, x, y, offX, offY);
  it.SizeOrAngle = size;
  it.MarkOrAlign = std::uint8_t(align);
  it.Text = ToItemText(txt);
  CommitItem(it);
}

void TCustomRChart::MoveTo(double x, double y) {
  CommitItem(NewItem(TrcItem::tkMoveTo, x, y));
}

void TCustomRChart::MoveToRelPix(std::int32_t dx, std::int32_t dy) {
  CommitItem(NewItem(TrcItem::tkMoveRelPix, dx, dy));
}

void TCustomRChart::DrawTo(double x, double y) {
  CommitItem(NewShape(TrcItem::tkLineto, x, y, 0, 0, false));
}

void TCustomRChart::DrawToRelPix(std::int32_t dx, std::int32_t dy) {
  CommitItem(NewShape(TrcItem::tkLineRelPix, dx, dy, 0, 0, false));
}

void TCustomRChart::Line(double x1, double y1, double x2, double y2) {
  CommitItem(NewShape(TrcItem::tkLine, x1, y1, x2, y2, false));
}

void TCustomRChart::LineOffset(double x1, double y1, double x2, double y2, std::int32_t offX, std::int32_t offY) {
  TrcChartItem it = NewShape(TrcItem::tkLineOffs, x1, y1, x2, y2, false);
  it.SizeOrAngle = offX;
  it.DepthOrAngle = offY;
  CommitItem(it);
}

void TCustomRChart::Rectangle(double x1, double y1, double x2, double y2) {
  CommitItem(NewShape(TrcItem::tkRect, x1, y1, x2, y2, true));
}

void TCustomRChart::RectangleRelPix(double x, double y, std::int32_t dx, std::int32_t dy) {
  CommitItem(NewShape(TrcItem::tkRectRelPix, x, y, dx, dy, true));
}

void TCustomRChart::RectFrame(double x1, double y1, double x2, double y2, TFrameStyle frameStyle, TColor shadowCol,
                              TColor hiLightCol) {
  TrcChartItem it = NewShape(TrcItem::tkRectFrame, x1, y1, x2, y2, false);
  it.FrameStyle = frameStyle;
  it.ShadowColor = shadowCol;
  it.HiLightColor = hiLightCol;
  it.LWid = 1;
  CommitItem(it);
}

void TCustomRChart::Bar3D(double x1, double y1, double x2, double y2, std::int32_t depth, std::int32_t angle) {
  TrcChartItem it = NewShape(TrcItem::tk3DBar, x1, y1, x2, y2, false);
  it.SizeOrAngle = std::clamp(angle, 0, 180);
  it.DepthOrAngle = depth;
  CommitItem(it);
}

void TCustomRChart::Ellipse(double xc, double yc, double rx, double ry) {
  CommitItem(NewShape(TrcItem::tkEllipse, xc, yc, rx, ry, true));
}

void TCustomRChart::Arc(double xc, double yc, double rx, double ry, double startAngle, double endAngle) {
  TrcChartItem it = NewShape(TrcItem::tkArc, xc, yc, rx, ry, true);
  it.SizeOrAngle = EncodeArcAngle(startAngle);
  it.DepthOrAngle = EncodeArcAngle(endAngle);
  CommitItem(it);
}

void TCustomRChart::Arrow(double x1, double y1, double x2, double y2, std::int32_t headSize) {
  TrcChartItem it = NewShape(TrcItem::tkArrow, x1, y1, x2, y2, true);
  it.SizeOrAngle = headSize;
  CommitItem(it);
}

}  // namespace mivo
