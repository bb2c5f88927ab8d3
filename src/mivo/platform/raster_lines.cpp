// TRasterCanvas: LineTo and Polyline.
#include "mivo/platform/raster_canvas.h"

#include "mivo/platform/bitmap.h"
#include "mivo/platform/raster_stroke_internal.h"

namespace mivo {

using namespace detail;

void TRasterCanvas::LineTo(std::int32_t x, std::int32_t y) {
  const TPoint pts[2] = {PenPos, {x, y}};
  PenPos = {x, y};
  if (AaPath(pts, false, false)) return;
  const TResolvedPen pen = ResolvedPen();
  if (pen.Clear) return;
  const std::int32_t w = FTarget.Width(), h = FTarget.Height();
  WithSink(FTarget, *FScratch, PenOp(), BrushOp(),
           [&](auto& sink) { StrokePath(sink, w, h, pts, 2, false, pen); });
}

void TRasterCanvas::Polyline(std::span<const TPoint> points) {
  if (points.size() < 2) return;
  if (AaPath(points, false, false)) return;
  const TResolvedPen pen = ResolvedPen();
  if (pen.Clear) return;
  const std::int32_t w = FTarget.Width(), h = FTarget.Height();
  WithSink(FTarget, *FScratch, PenOp(), BrushOp(),
           [&](auto& sink) { StrokePath(sink, w, h, points.data(), points.size(), false, pen); });
}

}  // namespace mivo
