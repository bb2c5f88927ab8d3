#pragma once
// The item renderer as it was when the display list was an array of records:
// one loop over the records, each drawn by kind. The chart's own renderer must
// give the same pixels; the tests keep this one as the reference.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "mivo/base/marks.h"
#include "mivo/platform/raster_canvas.h"
#include "mivo/platform/recording_canvas.h"
#include "mivo/rchart/rchart.h"
#include "mivo/rchart/rchart_items_painter_internal.h"
#include "mivo/rchart/rchart_layer_mapping.h"

namespace mivo::test {

namespace reference_detail {

using detail::ClampItemPixel;
using detail::Sat32;

bool WithinRange(double v, double a, double b) { return a <= b ? (v >= a && v <= b) : (v >= b && v <= a); }

// Whether [lo, hi] meets the range between a and b (either order).
bool Overlaps(double lo, double hi, double a, double b) {
  const double rlo = std::min(a, b), rhi = std::max(a, b);
  return lo <= rhi && hi >= rlo;
}

bool IsFilledKind(TrcItem k) {
  return k == TrcItem::tkRect || k == TrcItem::tkRectRelPix || k == TrcItem::tkEllipse || k == TrcItem::tk3DBar ||
         k == TrcItem::tkArrow || k == TrcItem::tkRectFrame;
}

// Item coordinates to canvas pixels through the item's layer.
struct TPlacer {
  std::array<detail::TLayerMapping, 2> Maps;
  std::int64_t ShiftX = 0, ShiftY = 0;

  // The control pixel, clamped, of (x, y) moved by (dx, dy) pixels.
  TPoint Chart(const TrcChartItem& it, double x, double y, std::int64_t dx = 0, std::int64_t dy = 0) const {
    const detail::TLayerMapping& m = Maps[it.Layer <= 1 ? 0 : 1];  // as the chart picks a layer
    return {ClampItemPixel(m.MapX(x) + dx), ClampItemPixel(m.MapY(y) + dy)};
  }
  TPoint Shift(TPoint p) const { return {Sat32(p.x + ShiftX), Sat32(p.y + ShiftY)}; }
  TPoint Place(const TrcChartItem& it, double x, double y, std::int64_t dx = 0, std::int64_t dy = 0) const {
    return Shift(Chart(it, x, y, dx, dy));
  }
};

TPoint Offset(TPoint p, double dx, double dy) {
  return {Sat32(std::int64_t(p.x) + RoundToInt(dx)), Sat32(std::int64_t(p.y) + RoundToInt(dy))};
}

}  // namespace reference_detail

// Draws `items` as the chart `c` shows them (its mapping, visibility and text
// settings), record by record.
inline void ReferenceRenderItems(const TCustomRChart& c, const std::vector<TrcChartItem>& items, TCanvas& canvas,
                                 std::int32_t offsetX, std::int32_t offsetY, bool mono, std::int32_t startItem) {
  using namespace reference_detail;
  const auto FNumChartItems = std::int32_t(items.size());
  TPlacer pl;
  pl.Maps = {detail::LayerMapping(c, 1), detail::LayerMapping(c, 2)};
  pl.ShiftX = std::int64_t(offsetX) - c.MarginLeft();
  pl.ShiftY = std::int64_t(offsetY) - c.MarginTop();
  auto visible = [&](const TrcChartItem& it) {
    return c.GetClassVisib(it.ItemClass) && c.GetLayerVisib(it.Layer);
  };
  const std::int32_t first = std::clamp(startItem, 0, FNumChartItems);

  detail::TDupMarkGrid dupGrid;
  if (c.AvoidDuplicateMarks())
    dupGrid.Allocate(c.MarginLeft(), c.MarginTop(), c.DataAreaWidth(), c.DataAreaHeight(), c.MinDupMarkDist());

  // A point that is not finite (NaN, an infinity) has no place: it ends the
  // line, and the next finite line-to starts a new one from its own point.
  auto finite = [](const TrcChartItem& it) { return std::isfinite(it.x) && std::isfinite(it.y); };
  bool gap = false;
  // A later start continues the chain from the last visible point before it.
  TPoint start{offsetX, offsetY};
  for (std::int32_t i = first - 1; i >= 0; --i) {
    const TrcChartItem& it = items[i];
    if (!visible(it)) continue;
    if (it.ItemKind == TrcItem::tkMoveTo || it.ItemKind == TrcItem::tkLineto) {
      start = pl.Place(it, it.x, it.y);
      gap = !finite(it);
      break;
    }
  }
  // Column reduction keeps the pixels of a raster canvas exactly, and those
  // of a vector document at the same pixels (a recording bound to a surface,
  // as the exports make): what the screen would not show is left out there
  // too. Unbounded recordings and printing get the chains point by point.
  const TSize surface = canvas.SurfaceSize();
  const bool document = dynamic_cast<TRecordingCanvas*>(&canvas) != nullptr && surface.cx > 0 && surface.cy > 0;
  detail::TItemPainter p(canvas, start, document || dynamic_cast<TRasterCanvas*>(&canvas) != nullptr);
  if (document) {
    // The data area where the items land, widened by the widest pen's reach.
    constexpr std::int64_t margin = 2 * detail::kCullPenWidth + 4;
    p.SetCullRect(TRect{Sat32(offsetX - margin), Sat32(offsetY - margin),
                        Sat32(std::int64_t(offsetX) + c.DataAreaWidth() + margin),
                        Sat32(std::int64_t(offsetY) + c.DataAreaHeight() + margin)});
  }
  p.Init(c.LineWidth(), c.ChartColor());
  const detail::TItemTextStyle textStyle{c.TextFontStyle(), c.TextBkStyle(), c.TextBkColor()};

  for (std::int32_t i = first; i < FNumChartItems; ++i) {
    const TrcChartItem& it = items[i];
    if (!visible(it)) continue;
    detail::TItemInk ink{mono ? TColor(0) : it.Color, it.FillColor};
    if (IsFilledKind(it.ItemKind) && mono) ink.F = clSilver;
    if (it.LWid != p.PenWidth()) {
      p.Flush();
      p.SetPenWidth(it.LWid);
    }
    if (it.ItemKind != TrcItem::tkLineto) p.Flush();
    switch (it.ItemKind) {
      case TrcItem::tkLineto: {
        if (!finite(it)) {
          p.Flush();
          gap = true;
          break;
        }
        const TPoint pt = pl.Place(it, it.x, it.y);
        if (gap) {
          p.MoveTo(pt);
          gap = false;
          break;
        }
        if (p.PenDiffers(ink.V, it.PenStyle, it.FillColor)) {
          p.Flush();
          p.SetPen(ink.V, it.PenStyle);
          p.SetBrushColor(it.FillColor);
        }
        p.Append(pt);
        break;
      }
      case TrcItem::tkMoveTo:
        p.MoveTo(pl.Place(it, it.x, it.y));
        gap = !finite(it);
        break;
      case TrcItem::tkMoveRelPix:
        // The chain goes on from the new position.
        p.MoveTo(Offset(canvas.PenPos, it.x, it.y));
        gap = false;
        break;
      case TrcItem::tkLineRelPix: {
        p.SetPen(ink.V, it.PenStyle);
        p.SetBrushColor(it.FillColor);
        const TPoint from = canvas.PenPos, to = Offset(from, it.x, it.y);
        canvas.LineTo(to.x, to.y);
        canvas.SetPixel(to.x, to.y, ink.V);
        // The chain goes on from the end of the relative line.
        p.MoveTo(to);
        gap = false;
        break;
      }
      case TrcItem::tkMarkAt: {
        const TScaleProps& px = c.ScalePropsX(it.Layer);
        const TScaleProps& py = c.ScalePropsY(it.Layer);
        if (!WithinRange(it.x, px.RangeLow(), px.RangeHigh()) || !WithinRange(it.y, py.RangeLow(), py.RangeHigh()))
          break;
        const TPoint chart = pl.Chart(it, it.x, it.y);
        if (dupGrid.Active() && !dupGrid.Admit(chart, it.MarkOrAlign)) break;
        p.SetPen(ink.V, it.PenStyle);
        const TPoint pt = pl.Shift(chart);
        DrawMarkOnCanvas(canvas, it.MarkOrAlign, pt.x, pt.y);
        break;
      }
      case TrcItem::tkMarkEBar: {
        const double e1 = std::fabs(it.x2), e2 = std::fabs(it.y2);
        const TScaleProps& sx = c.ScalePropsX(it.Layer);
        const TScaleProps& sy = c.ScalePropsY(it.Layer);
        if (!Overlaps(it.x - e1, it.x + e2, sx.RangeLow(), sx.RangeHigh()) ||
            !Overlaps(it.y - e1, it.y + e2, sy.RangeLow(), sy.RangeHigh()))
          break;
        p.SetPen(ink.V, it.PenStyle);
        p.SetBrushColor(it.FillColor);
        const TPoint mk = pl.Place(it, it.x, it.y);
        const bool vertical = it.SizeOrAngle == 0;
        const TPoint ends[2] = {vertical ? pl.Place(it, it.x, it.y - e1) : pl.Place(it, it.x - e1, it.y),
                                vertical ? pl.Place(it, it.x, it.y + e2) : pl.Place(it, it.x + e2, it.y)};
        for (const TPoint e : ends) {
          canvas.MoveTo(mk.x, mk.y);
          canvas.LineTo(e.x, e.y);
          // Caps of 7 pixels across the end.
          const std::int32_t dx = vertical ? 1 : 0, dy = vertical ? 0 : 1;
          canvas.MoveTo(Sat32(e.x - 3LL * dx), Sat32(e.y - 3LL * dy));
          canvas.LineTo(Sat32(e.x + 4LL * dx), Sat32(e.y + 4LL * dy));
        }
        DrawMarkOnCanvas(canvas, it.MarkOrAlign, mk.x, mk.y);
        break;
      }
      case TrcItem::tkLine:
      case TrcItem::tkLineOffs: {
        if (!finite(it) || !std::isfinite(it.x2) || !std::isfinite(it.y2)) break;  // no end to draw to
        p.SetPen(ink.V, it.PenStyle);
        p.SetBrushColor(it.FillColor);
        const bool offs = it.ItemKind == TrcItem::tkLineOffs;
        const std::int64_t dx = offs ? it.SizeOrAngle : 0, dy = offs ? it.DepthOrAngle : 0;
        detail::DrawSegment(canvas, pl.Place(it, it.x, it.y, dx, dy), pl.Place(it, it.x2, it.y2, dx, dy), ink.V);
        break;
      }
      case TrcItem::tkRect:
        detail::DrawRectItem(p, it, pl.Place(it, it.x, it.y), pl.Place(it, it.x2, it.y2), ink, false);
        break;
      case TrcItem::tkRectRelPix: {
        const TPoint c = pl.Place(it, it.x, it.y);
        detail::DrawRectItem(p, it, Offset(c, -it.x2, -it.y2), Offset(c, it.x2, it.y2), ink, false);
        break;
      }
      case TrcItem::tkEllipse:
      case TrcItem::tkArc: {
        const TPoint a = pl.Place(it, it.x - it.x2, it.y + it.y2), b = pl.Place(it, it.x + it.x2, it.y - it.y2);
        if (it.ItemKind == TrcItem::tkEllipse)
          detail::DrawRectItem(p, it, a, b, ink, true);
        else
          detail::DrawArcItem(p, it, a, b, ink.V);
        break;
      }
      case TrcItem::tk3DBar:
        detail::DrawBar3DItem(p, it, pl.Place(it, it.x, it.y), pl.Place(it, it.x2, it.y2), ink);
        break;
      case TrcItem::tkArrow:
        detail::DrawArrowItem(p, it, pl.Place(it, it.x, it.y), pl.Place(it, it.x2, it.y2), ink);
        break;
      case TrcItem::tkRectFrame:
        detail::DrawRectFrameItem(p, it, pl.Place(it, it.x, it.y), pl.Place(it, it.x2, it.y2), ink);
        break;
      case TrcItem::tkText:
        detail::DrawTextItem(p, it, pl.Place(it, it.x, it.y), ink.V, textStyle);
        break;
      case TrcItem::tkTextOfs:
        detail::DrawTextItem(p, it, pl.Place(it, it.x, it.y, RoundToInt(it.x2), RoundToInt(it.y2)), ink.V,
                             textStyle);
        break;
      default:
        // tkNone and the query selectors draw nothing.
        break;
    }
  }
  p.Flush();
  p.SetPenWidth(1);
}

}  // namespace mivo::test
