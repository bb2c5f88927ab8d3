// TCustomRChart freehand mouse trace: up to kMaxMTrace points in world units
// of the active layer, drawn live on the control's canvas while the mouse
// moves and again into the data bitmap by every Paint.
#include <cmath>

#include "mivo/platform/host.h"
#include "mivo/rchart/rchart.h"
#include "mivo/rchart/rchart_internal.h"

namespace mivo {

namespace {

constexpr std::int16_t kTraceStrokeEnd = 1;
constexpr std::int16_t kTraceXor = 2;

}  // namespace

void TCustomRChart::MouseTraceStep(std::int32_t& x, std::int32_t& y) {
  ClampToDataArea(x, y);
  if (FNumMTrace >= kMaxMTrace) return;
  double wx = 0, wy = 0;
  M2R(FActiveLayer, x, y, wx, wy);
  // A chart without a data area has no world position to record.
  if (!std::isfinite(wx) || !std::isfinite(wy)) return;
  TColoredPoint& p = FMTrace[std::size_t(FNumMTrace)];
  p.X = wx;
  p.Y = wy;
  p.Color = FMTraceColor;
  p.Flags = FMTraceInvert ? kTraceXor : 0;
  ++FNumMTrace;
  if (FNumMTrace < 2) return;
  const TColoredPoint& prev = FMTrace[std::size_t(FNumMTrace - 2)];
  if (prev.Flags & kTraceStrokeEnd) return;
  std::int32_t px = 0, py = 0;
  R2M(FActiveLayer, prev.X, prev.Y, px, py);
  TCanvas& c = Canvas();
  const TPen pen = c.Pen;
  c.Pen.Color = FMTraceColor;
  c.Pen.Width = 1;
  c.Pen.Style = TPenStyle::psSolid;
  c.Pen.Mode = FMTraceInvert ? TPenMode::pmXor : TPenMode::pmCopy;
  c.MoveTo(px, py);
  c.LineTo(x, y);
  c.Pen = pen;
  c.Pen.Mode = TPenMode::pmCopy;
  Host().Present(*this);
}

TColoredPoint TCustomRChart::GetMTracePoint(std::int32_t idx) const {
  if (idx < 1 || idx > FNumMTrace) {
    TColoredPoint none;
    none.Flags = -1;
    return none;
  }
  return FMTrace[std::size_t(idx - 1)];
}

void TCustomRChart::DrawMouseTrace(std::int32_t dx, std::int32_t dy, TBitmap& bmp) {
  DrawMouseTrace(dx, dy, bmp.Canvas());
}

void TCustomRChart::DrawMouseTrace(std::int32_t dx, std::int32_t dy, TCanvas& c) {
  if (FNumMTrace <= 0) return;
  const TPen pen = c.Pen;
  const TBrushStyle brushStyle = c.Brush.Style;
  const std::int64_t ox = std::int64_t(dx) - RcLRim;
  const std::int64_t oy = std::int64_t(dy) - RcTRim;
  const detail::TLayerMapping m = detail::LayerMapping(*this, FActiveLayer);
  c.Pen.Width = 1;
  c.Pen.Style = TPenStyle::psSolid;
  std::int32_t prevX = m.MapX(FMTrace[0].X), prevY = m.MapY(FMTrace[0].Y);
  for (std::int32_t k = 1; k < FNumMTrace; ++k) {
    const TColoredPoint& prev = FMTrace[std::size_t(k - 1)];
    const TColoredPoint& p = FMTrace[std::size_t(k)];
    const std::int32_t x = m.MapX(p.X), y = m.MapY(p.Y);
    if (!(prev.Flags & kTraceStrokeEnd)) {
      c.Pen.Color = p.Color;
      c.Pen.Mode = (p.Flags & kTraceXor) ? TPenMode::pmXor : TPenMode::pmCopy;
      c.MoveTo(detail::Sat32(prevX + ox), detail::Sat32(prevY + oy));
      c.LineTo(detail::Sat32(x + ox), detail::Sat32(y + oy));
    }
    prevX = x;
    prevY = y;
  }
  c.Pen = pen;
  c.Brush.Style = brushStyle;
}

}  // namespace mivo
