// TRasterCanvas: Rectangle and Polygon (span fills plus pen outlines).
#include <algorithm>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/raster_canvas.h"
#include "mivo/platform/raster_stroke_internal.h"

namespace mivo {

using namespace detail;

namespace {

// Fills [l, r) x [t, b), clipped, with `slot`.
template <typename Sink>
void FillBox(Sink& sink, std::int32_t W, std::int32_t H, std::int64_t l, std::int64_t t, std::int64_t r,
             std::int64_t b, int slot) {
  l = std::max<std::int64_t>(l, 0);
  t = std::max<std::int64_t>(t, 0);
  r = std::min<std::int64_t>(r, W);
  b = std::min<std::int64_t>(b, H);
  if (l >= r || t >= b) return;
  for (std::int64_t y = t; y < b; ++y) sink.Span(std::int32_t(y), std::int32_t(l), std::int32_t(r), slot);
}

// Even-odd fill sampled at pixel centres: pixel (px, py) is inside when the
// horizontal ray from (px + 1/2, py + 1/2) to the left crosses the outline an
// odd number of times. An edge from (xa, ya) to (xb, yb), ya < yb, crosses
// rows ya .. yb-1 at x = xa + dx * (2*py + 1 - 2*ya) / (2*dy); the pixels right
// of that crossing start at f = floor((N - dy) / (2*dy)) + 1 with
// N = 2*xa*dy + dx*(2*py + 1 - 2*ya). Pixel px is inside when an odd number of
// crossings have f <= px, so sorted f values pair up into spans [f0, f1) ...
// Each edge is set up once in 128-bit arithmetic at its first visible row and
// then stepped exactly in 64 bits.
template <typename Sink>
void FillPolygonEvenOdd(Sink& sink, std::int32_t W, std::int32_t H, const TPoint* pts, std::size_t n,
                        TRasterScratch& s) {
  s.Edges.clear();
  std::int64_t yFirst = INT64_MAX, yLast = -1;
  for (std::size_t i = 0; i < n; ++i) {
    TPoint a = pts[i], b = pts[(i + 1) % n];
    if (a.y == b.y) continue;
    if (a.y > b.y) std::swap(a, b);
    const std::int64_t y0 = std::max<std::int64_t>(a.y, 0), y1 = std::min<std::int64_t>(std::int64_t(b.y) - 1, H - 1);
    if (y0 > y1) continue;
    const std::int64_t dx = std::int64_t(b.x) - a.x, dy = std::int64_t(b.y) - a.y;
    const i128 num = i128(2) * a.x * dy + i128(dx) * (2 * y0 + 1 - 2 * std::int64_t(a.y)) - dy;
    TPolyEdge e;
    e.Y0 = y0;
    e.Y1 = y1;
    e.Den = 2 * dy;
    const i128 q = FloorDiv128(num, e.Den);
    e.Q = std::int64_t(q);
    e.R = std::int64_t(num - q * e.Den);
    e.QStep = FloorDiv(dx, dy);
    e.RStep = 2 * (dx - e.QStep * dy);
    s.Edges.push_back(e);
    yFirst = std::min(yFirst, y0);
    yLast = std::max(yLast, y1);
  }
  if (s.Edges.empty()) return;
  std::sort(s.Edges.begin(), s.Edges.end(), [](const TPolyEdge& a, const TPolyEdge& b) { return a.Y0 < b.Y0; });
  s.Active.clear();
  std::size_t next = 0;
  for (std::int64_t y = yFirst; y <= yLast; ++y) {
    while (next < s.Edges.size() && s.Edges[next].Y0 == y) s.Active.push_back(std::int32_t(next++));
    s.Crossings.clear();
    std::size_t keep = 0;
    for (std::size_t k = 0; k < s.Active.size(); ++k) {
      TPolyEdge& e = s.Edges[std::size_t(s.Active[k])];
      s.Crossings.push_back(e.Q + 1);
      if (e.Y1 == y) continue;  // ends on this row
      e.Q += e.QStep;
      e.R += e.RStep;
      if (e.R >= e.Den) {
        e.R -= e.Den;
        ++e.Q;
      }
      s.Active[keep++] = s.Active[k];
    }
    s.Active.resize(keep);
    // Nearly sorted from row to row: insertion sort.
    auto& c = s.Crossings;
    for (std::size_t i = 1; i < c.size(); ++i) {
      const std::int64_t v = c[i];
      std::size_t j = i;
      for (; j > 0 && c[j - 1] > v; --j) c[j] = c[j - 1];
      c[j] = v;
    }
    for (std::size_t i = 0; i + 1 < c.size(); i += 2) {
      const std::int64_t l = std::max<std::int64_t>(c[i], 0), r = std::min<std::int64_t>(c[i + 1], W);
      if (l < r) sink.Span(std::int32_t(y), std::int32_t(l), std::int32_t(r), 1);
    }
  }
}

}  // namespace

void TRasterCanvas::Rectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  const std::int64_t l = std::min(x1, x2), r = std::max(x1, x2), t = std::min(y1, y2), b = std::max(y1, y2);
  if (l == r || t == b) return;
  const std::int32_t W = FTarget.Width(), H = FTarget.Height();
  const bool brush = Brush.Style == TBrushStyle::bsSolid;
  if (Pen.Mode == TPenMode::pmCopy && Pen.Width <= 1 &&
      (Pen.Style == TPenStyle::psSolid || Pen.Style == TPenStyle::psInsideFrame)) {
    // The common case, straight to the rows: outline runs and the interior.
    const std::int64_t y0 = std::max<std::int64_t>(t, 0), y1 = std::min<std::int64_t>(b, H);
    const std::int64_t cl = std::max<std::int64_t>(l, 0), cr = std::min<std::int64_t>(r, W);
    if (y0 >= y1 || cl >= cr) return;
    const TRGB32 pc = ToRGB32(ResolveColor(Pen.Color)), bc = ToRGB32(ResolveColor(Brush.Color));
    const std::int64_t il = std::max<std::int64_t>(l + 1, 0), ir = std::min<std::int64_t>(r - 1, W);
    TRGB32* const base = FTarget.Data();
    const bool fillInside = brush && il < ir, leftEdge = l >= 0, rightEdge = r - 1 < W;
    for (std::int64_t y = y0; y < y1; ++y) {
      TRGB32* row = base + y * W;
      if (y == t || y == b - 1) {
        for (std::int64_t x = cl; x < cr; ++x) row[x] = pc;
        continue;
      }
      if (fillInside)
        for (std::int64_t x = il; x < ir; ++x) row[x] = bc;
      if (leftEdge) row[l] = pc;
      if (rightEdge) row[r - 1] = pc;
    }
    return;
  }
  const TPenSpec pen = PenSpec();
  WithSink(FTarget, *FScratch, PenOp(), BrushOp(), [&](auto& sink) {
    if (pen.Clear) {
      if (brush) FillBox(sink, W, H, l, t, r, b, 1);
      return;
    }
    const std::int64_t w = pen.Width;
    if (pen.Wide && Pen.Style == TPenStyle::psInsideFrame) {
      // The whole pen stays inside the box.
      if (r - l <= w || b - t <= w) {
        FillBox(sink, W, H, l, t, r, b, 0);
        return;
      }
      if (brush) FillBox(sink, W, H, l + 1, t + 1, r - 1, b - 1, 1);
      const std::int64_t il = l + w / 2, it = t + w / 2, ir = r - (w + 1) / 2, ib = b - (w + 1) / 2;
      const TPoint c[4] = {{std::int32_t(il), std::int32_t(it)},
                           {std::int32_t(ir), std::int32_t(it)},
                           {std::int32_t(ir), std::int32_t(ib)},
                           {std::int32_t(il), std::int32_t(ib)}};
      StrokePath(sink, W, H, c, 4, true, pen);
      return;
    }
    if (brush) FillBox(sink, W, H, l + 1, t + 1, r - 1, b - 1, 1);
    if (!pen.Wide && pen.Dash.Count == 0) {
      // A solid thin outline is four runs.
      FillBox(sink, W, H, l, t, r, t + 1, 0);
      FillBox(sink, W, H, l, b - 1, r, b, 0);
      FillBox(sink, W, H, l, t + 1, l + 1, b - 1, 0);
      FillBox(sink, W, H, r - 1, t + 1, r, b - 1, 0);
      return;
    }
    if (!pen.Wide && (r - l == 1 || b - t == 1)) {
      FillBox(sink, W, H, l, t, r, b, 0);
      return;
    }
    const TPoint c[4] = {{std::int32_t(l), std::int32_t(t)},
                         {std::int32_t(r - 1), std::int32_t(t)},
                         {std::int32_t(r - 1), std::int32_t(b - 1)},
                         {std::int32_t(l), std::int32_t(b - 1)}};
    StrokePath(sink, W, H, c, 4, true, pen);
  });
}

void TRasterCanvas::Polygon(std::span<const TPoint> points) {
  if (points.size() < 2) return;
  const TPenSpec pen = PenSpec();
  const bool brush = Brush.Style == TBrushStyle::bsSolid;
  const std::int32_t W = FTarget.Width(), H = FTarget.Height();
  TRasterScratch& s = *FScratch;
  WithSink(FTarget, s, PenOp(), BrushOp(), [&](auto& sink) {
    if (brush) FillPolygonEvenOdd(sink, W, H, points.data(), points.size(), s);
    StrokePath(sink, W, H, points.data(), points.size(), true, pen);
  });
}

}  // namespace mivo
