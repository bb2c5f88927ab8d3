// TRasterCanvas: Rectangle and Polygon (span fills plus pen outlines).
#include <algorithm>
#include <bit>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/pixel_fill_internal.h"
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
// crossings have f <= px.
//
// Stages, each linear:
//   1. the edge table, ordered by first visible row with a counting sort over
//      the rows: each edge is set up once in 128-bit arithmetic at its first
//      visible row, straight into its place, and then stepped exactly in 64
//      bits;
//   2. per row, the active edges (kept compact, stepped in place) toggle one
//      bit per crossing in a bit row of columns 0 .. W. f is clamped to [0, W]
//      first: clamping is monotone, so it moves no pixel of the surface;
//   3. the set bits, read in column order, are where the parity flips: they
//      pair up into spans [f0, f1), [f2, f3) ... Equal crossings cancel.
// A row costs its crossings plus the 64-column words between its outermost
// crossings; nothing is allocated once the scratch vectors have grown.

// The edge from pts[i] to the next point, top end first, and the rows
// y0 .. y1 of the surface it crosses; false when there are none.
inline bool EdgeRows(const TPoint* pts, std::size_t n, std::size_t i, std::int32_t H, TPoint& a, TPoint& b,
                     std::int32_t& y0, std::int32_t& y1) {
  a = pts[i];
  b = pts[i + 1 == n ? 0 : i + 1];
  if (a.y == b.y) return false;
  if (a.y > b.y) std::swap(a, b);
  y0 = std::max<std::int32_t>(a.y, 0);
  y1 = std::min<std::int32_t>(b.y - 1, H - 1);
  return y0 <= y1;
}

template <typename Sink>
void FillPolygonEvenOdd(Sink& sink, std::int32_t W, std::int32_t H, const TPoint* pts, std::size_t n,
                        TRasterScratch& s) {
  TPoint a{}, b{};
  std::int32_t y0 = 0, y1 = 0, yFirst = INT32_MAX, yLast = -1;
  std::size_t count = 0;
  for (std::size_t i = 0; i < n; ++i)
    if (EdgeRows(pts, n, i, H, a, b, y0, y1)) {
      yFirst = std::min(yFirst, y0);
      yLast = std::max(yLast, y1);
      ++count;
    }
  if (count == 0) return;
  // RowStart[r + 1] counts the edges starting on row yFirst + r, then the
  // prefix sums place them; placing advances RowStart[r] to where row r ends.
  const std::size_t rows = std::size_t(yLast - yFirst) + 1;
  s.RowStart.assign(rows + 1, 0);
  for (std::size_t i = 0; i < n; ++i)
    if (EdgeRows(pts, n, i, H, a, b, y0, y1)) ++s.RowStart[std::size_t(y0 - yFirst) + 1];
  for (std::size_t r = 1; r <= rows; ++r) s.RowStart[r] += s.RowStart[r - 1];
  s.Edges.resize(count);
  for (std::size_t i = 0; i < n; ++i) {
    if (!EdgeRows(pts, n, i, H, a, b, y0, y1)) continue;
    const std::int64_t dx = std::int64_t(b.x) - a.x, dy = std::int64_t(b.y) - a.y;
    const i128 num = i128(2) * a.x * dy + i128(dx) * (2 * std::int64_t(y0) + 1 - 2 * std::int64_t(a.y)) - dy;
    TPolyEdge& e = s.Edges[s.RowStart[std::size_t(y0 - yFirst)]++];
    e.Y1 = y1;
    e.Den = 2 * dy;
    const i128 q = FloorDiv128(num, e.Den);
    e.Q = std::int64_t(q);
    e.R = std::int64_t(num - q * e.Den);
    e.QStep = FloorDiv(dx, dy);
    e.RStep = 2 * (dx - e.QStep * dy);
  }

  const std::size_t words = std::size_t(W) / 64 + 1;  // columns 0 .. W
  if (s.Crossings.size() < words) s.Crossings.resize(words, 0);
  std::uint64_t* const bits = s.Crossings.data();
  s.Active.clear();
  s.Active.reserve(count);
  std::size_t next = 0;
  for (std::size_t r = 0; r < rows; ++r) {
    const std::int32_t y = yFirst + std::int32_t(r);
    s.Active.insert(s.Active.end(), s.Edges.begin() + std::ptrdiff_t(next),
                    s.Edges.begin() + std::ptrdiff_t(s.RowStart[r]));
    next = s.RowStart[r];
    if (s.Active.empty()) continue;
    std::int64_t lo = W, hi = 0;
    std::size_t keep = 0;
    for (std::size_t k = 0; k < s.Active.size(); ++k) {
      TPolyEdge e = s.Active[k];  // a copy: stepping in place would store and reload the same bytes
      const std::int64_t f = std::clamp<std::int64_t>(e.Q + 1, 0, W);
      bits[f >> 6] ^= std::uint64_t(1) << (f & 63);
      lo = std::min(lo, f);
      hi = std::max(hi, f);
      if (e.Y1 == y) continue;  // ends on this row
      e.Q += e.QStep;
      e.R += e.RStep;
      const bool carry = e.R >= e.Den;
      e.R -= carry ? e.Den : 0;
      e.Q += carry;
      s.Active[keep++] = e;
    }
    s.Active.resize(keep);
    bool inside = false;
    std::int32_t from = 0;
    for (std::size_t w = std::size_t(lo) >> 6, wEnd = std::size_t(hi) >> 6; w <= wEnd; ++w) {
      std::uint64_t word = bits[w];
      if (word == 0) continue;
      bits[w] = 0;
      do {
        const std::int32_t x = std::int32_t(w * 64) + std::countr_zero(word);
        word &= word - 1;
        if (inside) sink.Span(y, from, x, 1);
        from = x;
        inside = !inside;
      } while (word != 0);
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
    // The top and bottom rows, then the rows between them.
    if (y0 == t) FillPixels(base + y0 * W + cl, std::size_t(cr - cl), pc);
    if (b - 1 >= y0 && b - 1 < y1 && b - 1 != t) FillPixels(base + (b - 1) * W + cl, std::size_t(cr - cl), pc);
    const std::int64_t m0 = std::max(y0, t + 1), m1 = std::min(y1, b - 1);
    for (std::int64_t y = m0; y < m1; ++y) {
      TRGB32* row = base + y * W;
      if (fillInside) FillPixels(row + il, std::size_t(ir - il), bc);
      if (leftEdge) row[l] = pc;
      if (rightEdge) row[r - 1] = pc;
    }
    return;
  }
  const TResolvedPen pen = ResolvedPen();
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
  if (AaPath(points, true, true)) return;
  const TResolvedPen pen = ResolvedPen();
  const bool brush = Brush.Style == TBrushStyle::bsSolid;
  const std::int32_t W = FTarget.Width(), H = FTarget.Height();
  TRasterScratch& s = *FScratch;
  WithSink(FTarget, s, PenOp(), BrushOp(), [&](auto& sink) {
    if (brush) FillPolygonEvenOdd(sink, W, H, points.data(), points.size(), s);
    StrokePath(sink, W, H, points.data(), points.size(), true, pen);
  });
}

}  // namespace mivo
