// The item renderer: walks the display list once and draws marks, lines and
// line-to chains, the chains batched into polylines. Canvas attributes are
// set only when they change.
#include <algorithm>
#include <array>
#include <cmath>

#include "mivo/base/marks.h"
#include "mivo/rchart/rchart.h"
#include "mivo/rchart/rchart_internal.h"

namespace mivo {

using detail::Sat32;

namespace {

constexpr std::int32_t kItemPixelLimit = 30000;
constexpr std::size_t kPolyBatch = 200;

std::int32_t ClampItemPixel(std::int32_t p) { return std::clamp(p, -kItemPixelLimit, kItemPixelLimit); }

bool WithinRange(double v, double a, double b) { return a <= b ? (v >= a && v <= b) : (v >= b && v <= a); }

// Canvas state as the renderer last set it, and the polyline being built.
class TItemPainter {
 public:
  TItemPainter(TCanvas& canvas, TPoint start) : FCanvas(canvas), FCurrent(start) {}

  void Flush() {
    if (FCount == 0) return;
    if (FCount > 1) FCanvas.Polyline(std::span<const TPoint>(FPoly.data(), FCount));
    FCurrent = FPoly[FCount - 1];
    FCanvas.MoveTo(FCurrent.x, FCurrent.y);
    FCount = 0;
  }
  void Append(TPoint p) {
    if (FCount == 0) FPoly[FCount++] = FCurrent;
    FPoly[FCount++] = p;
    if (FCount == kPolyBatch) Flush();
  }
  void MoveTo(TPoint p) {
    Flush();
    FCurrent = p;
    FCanvas.MoveTo(p.x, p.y);
  }
  void SetPen(TColor color, TPenStyle style) {
    if (color != FPenColor) FCanvas.Pen.Color = FPenColor = color;
    if (style != FPenStyle) FCanvas.Pen.Style = FPenStyle = style;
  }
  void SetBrushColor(TColor color) {
    if (color != FBrushColor) FCanvas.Brush.Color = FBrushColor = color;
  }
  void SetPenWidth(std::int32_t w) {
    if (w != FPenWidth) FCanvas.Pen.Width = FPenWidth = w;
  }
  void Init(std::int32_t width, TColor color) {
    FCanvas.Pen.Width = FPenWidth = width;
    FCanvas.Pen.Color = FPenColor = color;
    FCanvas.Pen.Style = FPenStyle = TPenStyle::psSolid;
    FCanvas.Pen.Mode = TPenMode::pmCopy;
    FCanvas.Brush.Color = FBrushColor = color;
    FCanvas.TextAlign = TTextAlign{};
    FCanvas.MoveTo(FCurrent.x, FCurrent.y);
  }
  bool PenDiffers(TColor color, TPenStyle style, TColor brush) const {
    return color != FPenColor || style != FPenStyle || brush != FBrushColor;
  }
  std::int32_t PenWidth() const { return FPenWidth; }
  TCanvas& Canvas() { return FCanvas; }

 private:
  TCanvas& FCanvas;
  TPoint FCurrent;
  std::array<TPoint, kPolyBatch> FPoly{};
  std::size_t FCount = 0;
  TColor FPenColor = 0, FBrushColor = 0;
  TPenStyle FPenStyle = TPenStyle::psSolid;
  std::int32_t FPenWidth = 1;
};

}  // namespace

void TCustomRChart::RenderItems(TCanvas& canvas, std::int32_t offsetX, std::int32_t offsetY, bool mono,
                                std::int32_t startItem) {
  const std::array<detail::TLayerMapping, 2> maps = {detail::LayerMapping(*this, 1), detail::LayerMapping(*this, 2)};
  const std::int64_t shiftX = std::int64_t(offsetX) - RcLRim, shiftY = std::int64_t(offsetY) - RcTRim;
  auto place = [&](const detail::TLayerMapping& m, double x, double y) {
    return TPoint{Sat32(ClampItemPixel(m.MapX(x)) + shiftX), Sat32(ClampItemPixel(m.MapY(y)) + shiftY)};
  };
  auto visible = [&](const TrcChartItem& it) {
    return FItClassVisib[it.ItemClass] && FLayerVisib[LayerIx(it.Layer)];
  };
  const TrcChartItem* items = FDataContainer.Data();
  const std::int32_t first = std::clamp(startItem, 0, FNumChartItems);

  // A later start continues the chain from the last visible point before it.
  TPoint start{offsetX, offsetY};
  for (std::int32_t i = first - 1; i >= 0; --i) {
    const TrcChartItem& it = items[i];
    if (!visible(it)) continue;
    if (it.ItemKind == TrcItem::tkMoveTo || it.ItemKind == TrcItem::tkLineto) {
      start = place(maps[LayerIx(it.Layer)], it.x, it.y);
      break;
    }
  }
  TItemPainter p(canvas, start);
  p.Init(RcLineWid, RcChartCol);

  for (std::int32_t i = first; i < FNumChartItems; ++i) {
    const TrcChartItem& it = items[i];
    if (!visible(it)) continue;
    const TColor v = mono ? 0 : it.Color;
    if (it.LWid != p.PenWidth()) {
      p.Flush();
      p.SetPenWidth(it.LWid);
    }
    const detail::TLayerMapping& m = maps[LayerIx(it.Layer)];
    switch (it.ItemKind) {
      case TrcItem::tkLineto: {
        const TPoint pt = place(m, it.x, it.y);
        if (p.PenDiffers(v, it.PenStyle, it.FillColor)) {
          p.Flush();
          p.SetPen(v, it.PenStyle);
          p.SetBrushColor(it.FillColor);
        }
        p.Append(pt);
        break;
      }
      case TrcItem::tkMoveTo:
        p.MoveTo(place(m, it.x, it.y));
        break;
      case TrcItem::tkMarkAt: {
        p.Flush();
        const TScaleProps& px = ScalePropsX(it.Layer);
        const TScaleProps& py = ScalePropsY(it.Layer);
        if (!WithinRange(it.x, px.RangeLow(), px.RangeHigh()) || !WithinRange(it.y, py.RangeLow(), py.RangeHigh()))
          break;
        p.SetPen(v, it.PenStyle);
        const TPoint pt = place(m, it.x, it.y);
        DrawMarkOnCanvas(canvas, it.MarkOrAlign, pt.x, pt.y);
        break;
      }
      case TrcItem::tkLine: {
        p.Flush();
        p.SetPen(v, it.PenStyle);
        p.SetBrushColor(it.FillColor);
        const TPoint a = place(m, it.x, it.y), b = place(m, it.x2, it.y2);
        if (a == b) {
          canvas.SetPixel(a.x, a.y, v);
        } else {
          canvas.MoveTo(a.x, a.y);
          canvas.LineTo(b.x, b.y);
        }
        break;
      }
      default:
        // The other kinds are drawn by renderers still to come.
        p.Flush();
        break;
    }
  }
  p.Flush();
  p.SetPenWidth(1);
}

}  // namespace mivo
