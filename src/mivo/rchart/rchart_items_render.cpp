// The item renderer: walks the display list once and draws every visible item
// by kind, the line-to chains batched into polylines. Canvas attributes are
// set only when they change. The shapes and texts are in
// rchart_items_shapes.cpp.
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <new>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "mivo/base/marks.h"
#include "mivo/platform/raster_canvas.h"
#include "mivo/platform/recording_canvas.h"
#include "mivo/rchart/item_store.h"
#include "mivo/rchart/rchart.h"
#include "mivo/rchart/rchart_internal.h"
#include "mivo/rchart/rchart_items_painter_internal.h"

namespace mivo {

using detail::ClampItemPixel;
using detail::Sat32;

namespace detail {

// ---------------------------------------------------------------- painter

TItemPainter::TItemPainter(TCanvas& canvas, TPoint start, bool reduceChains)
    : FCanvas(canvas), FCurrent(start), FReduceChains(reduceChains) {}

void TItemPainter::Init(std::int32_t width, TColor color) {
  FCanvas.Pen.Width = FPenWidth = width;
  FCanvas.Pen.Color = FPenColor = color;
  FCanvas.Pen.Style = FPenStyle = TPenStyle::psSolid;
  FCanvas.Pen.Mode = TPenMode::pmCopy;
  FCanvas.Brush.Color = FBrushColor = color;
  FCanvas.TextAlign = TTextAlign{};
  FCanvas.MoveTo(FCurrent.x, FCurrent.y);
}

void TItemPainter::Emit(TPoint p) {
  if (Culled(FCount > 0 ? FPoly[FCount - 1] : FCurrent, p)) {
    DrawBuffer();
    FCurrent = p;
    FCanvas.MoveTo(p.x, p.y);
    return;
  }
  if (FCount == 0) FPoly[FCount++] = FCurrent;
  FPoly[FCount++] = p;
  if (FCount == kPolyBatch) DrawBuffer();
}

void TItemPainter::EmitDistinct(TPoint p) {
  const TPoint last = FCount > 0 ? FPoly[FCount - 1] : FCurrent;
  if (p != last) Emit(p);
}

void TItemPainter::EmitRun() {
  FRunActive = false;
  const std::int32_t x = FRunX;
  EmitDistinct({x, FRunFirst});
  if (FRunSingle) return;
  // The extreme visited second must differ from the last point, so that the
  // last step keeps its start pixel inside [lo, hi].
  const std::int32_t second = FRunLast == FRunHi ? FRunLo : FRunHi;
  const std::int32_t first = second == FRunLo ? FRunHi : FRunLo;
  EmitDistinct({x, first});
  EmitDistinct({x, second});
  EmitDistinct({x, FRunLast});
}

void TItemPainter::DrawBuffer() {
  if (FCount == 0) return;
  if (FCount > 1) FCanvas.Polyline(std::span<const TPoint>(FPoly.data(), FCount));
  FCurrent = FPoly[FCount - 1];
  FCanvas.MoveTo(FCurrent.x, FCurrent.y);
  FCount = 0;
}

void TItemPainter::Flush() {
  if (FRunActive) EmitRun();
  // A reduced chain of repeats alone has nothing to draw, but its pen still
  // ends at the chain's last point.
  if (FChainOpen && FCount == 0 && FReduceChains) FCanvas.MoveTo(FCurrent.x, FCurrent.y);
  FChainOpen = false;
  DrawBuffer();
}

void TItemPainter::Append(TPoint p) {
  FChainOpen = true;
  if (!Reducing()) {
    Emit(p);
    return;
  }
  if (!FRunActive) {
    // A new chain, or the continuation after a batch, starts at the current
    // position; a run is open from then on until the chain is flushed.
    const TPoint from = FCount > 0 ? FPoly[FCount - 1] : FCurrent;
    FRunActive = true;
    FRunSingle = true;
    FRunX = from.x;
    FRunFirst = FRunLast = from.y;
  }
  if (p.x == FRunX) {
    if (p.y == FRunLast) return;  // a step of length zero draws nothing
    if (FRunSingle) {
      FRunLo = FRunHi = FRunLast;
      FRunSingle = false;
    } else {
      FRunLo = std::min(FRunLo, FRunLast);
      FRunHi = std::max(FRunHi, FRunLast);
    }
    FRunLast = p.y;
    return;
  }
  EmitRun();
  FRunActive = true;
  FRunSingle = true;
  FRunX = p.x;
  FRunFirst = FRunLast = p.y;
}

void TItemPainter::MoveTo(TPoint p) {
  Flush();
  FCurrent = p;
  FCanvas.MoveTo(p.x, p.y);
}

void TItemPainter::SetPen(TColor color, TPenStyle style) {
  if (color != FPenColor) FCanvas.Pen.Color = FPenColor = color;
  if (style != FPenStyle) FCanvas.Pen.Style = FPenStyle = style;
}

void TItemPainter::SetBrushColor(TColor color) {
  if (color != FBrushColor) FCanvas.Brush.Color = FBrushColor = color;
}

void TItemPainter::SetBrushStyle(TBrushStyle style) { FCanvas.Brush.Style = style; }

void TItemPainter::SetPenWidth(std::int32_t w) {
  if (w != FPenWidth) FCanvas.Pen.Width = FPenWidth = w;
}

void TItemPainter::SetFont(TColor color, TFontStyles style, std::int32_t points) {
  if (!FFontSet || color != FFontColor) FCanvas.Font.Color = FFontColor = color;
  if (!FFontSet || style != FFontStyle) FCanvas.Font.Style = FFontStyle = style;
  if (!FFontSet || points != FFontPoints) {
    FCanvas.Font.PixelsPerInch = FCanvas.PixelsPerInch() > 0 ? FCanvas.PixelsPerInch() : 96;
    FCanvas.Font.Size = FFontPoints = points;
  }
  FFontSet = true;
}

// ---------------------------------------------------------------- duplicate marks

void TDupMarkGrid::Allocate(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height,
                            std::int32_t d) {
  FD = std::clamp(d, 1, 3);
  FLeft = std::int64_t(left) - FD;
  FTop = std::int64_t(top) - FD;
  FWidth = std::int64_t(std::max(width, 0)) + 2 * FD;
  FHeight = std::int64_t(std::max(height, 0)) + 2 * FD;
  FCells.clear();
  if (FWidth * FHeight > kMaxCells) return;
  try {
    FCells.assign(std::size_t(FWidth * FHeight), std::int16_t(-1));
  } catch (const std::bad_alloc&) {
    FCells = {};  // without the grid every mark is drawn
  }
}

bool TDupMarkGrid::Admit(TPoint pixel, std::uint8_t kind) {
  const std::int64_t cx = pixel.x - FLeft, cy = pixel.y - FTop;
  if (FCells.empty() || cx < 0 || cy < 0 || cx >= FWidth || cy >= FHeight) return true;
  if (FCells[std::size_t(cy * FWidth + cx)] == kind) return false;
  const std::int64_t x0 = std::max<std::int64_t>(cx - FD, 0), x1 = std::min<std::int64_t>(cx + FD, FWidth - 1);
  const std::int64_t y0 = std::max<std::int64_t>(cy - FD, 0), y1 = std::min<std::int64_t>(cy + FD, FHeight - 1);
  for (std::int64_t y = y0; y <= y1; ++y)
    std::fill_n(FCells.begin() + std::ptrdiff_t(y * FWidth + x0), std::size_t(x1 - x0 + 1), std::int16_t(kind));
  return true;
}

// ---------------------------------------------------------------- mark stamps

const TPixelStamp& TMarkStamps::For(std::uint8_t kind, const TCanvas& canvas) {
  TPixelStamp& stamp = FStamps[kind];
  if (FRecorded[kind] != FRun) {
    // A wide pen reaches half its width beyond the shape; the stamp refuses
    // itself if the drawing still reaches the edge of its box.
    const std::int32_t reach = MarkReach(kind) + std::clamp(canvas.Pen.Width, 1, 64) + 1;
    stamp.Record(canvas, reach, [kind](TCanvas& c, std::int32_t x, std::int32_t y) { DrawMarkOnCanvas(c, kind, x, y); });
    FRecorded[kind] = FRun;
  }
  return stamp;
}

}  // namespace detail

namespace {

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

  const detail::TLayerMapping& Map(std::int32_t layer) const { return Maps[layer <= 1 ? 0 : 1]; }  // as the chart picks a layer
  // The control pixel, clamped, of (x, y) moved by (dx, dy) pixels.
  TPoint Chart(std::int32_t layer, double x, double y, std::int64_t dx = 0, std::int64_t dy = 0) const {
    const detail::TLayerMapping& m = Map(layer);
    return {ClampItemPixel(m.MapX(x) + dx), ClampItemPixel(m.MapY(y) + dy)};
  }
  TPoint Chart(const TrcChartItem& it, double x, double y, std::int64_t dx = 0, std::int64_t dy = 0) const {
    return Chart(it.Layer, x, y, dx, dy);
  }
  TPoint Shift(TPoint p) const { return {Sat32(p.x + ShiftX), Sat32(p.y + ShiftY)}; }
  TPoint Place(std::int32_t layer, double x, double y) const { return Shift(Chart(layer, x, y)); }
  TPoint Place(const TrcChartItem& it, double x, double y, std::int64_t dx = 0, std::int64_t dy = 0) const {
    return Shift(Chart(it.Layer, x, y, dx, dy));
  }
};

TPoint Offset(TPoint p, double dx, double dy) {
  return {Sat32(std::int64_t(p.x) + RoundToInt(dx)), Sat32(std::int64_t(p.y) + RoundToInt(dy))};
}

bool Finite(double x, double y) { return std::isfinite(x) && std::isfinite(y); }

// The line-to chain across the items: the painter and whether the chain is
// broken by a point that is not finite.
struct TChain {
  detail::TItemPainter& P;
  bool Gap = false;
};

// The part of the canvas a zoomed segment is walked for: columns lo ... hi
// of the chart. Off for canvases where a chain's invisible steps still count.
struct TSkipWindow {
  bool On = false;
  std::int64_t Lo = 0, Hi = 0;
};

// Consecutive chain points of one pixel column, handed to the painter as the
// first, the extremes of all but the last, and the last.
struct TColumnGroup {
  std::int32_t N = 0;
  TPoint First, Last;
  std::int32_t Lo = 0, Hi = 0;

  void Add(detail::TItemPainter& p, TPoint pt) {
    if (N > 0 && pt.x == First.x) {
      if (pt.y == Last.y) return;  // a step of length zero, as the painter drops it
      Lo = std::min(Lo, Last.y);
      Hi = std::max(Hi, Last.y);
      Last = pt;
      ++N;
      return;
    }
    Hand(p);
    N = 1;
    First = Last = pt;
    Lo = Hi = pt.y;
  }
  void Hand(detail::TItemPainter& p) {
    if (N == 0) return;
    p.Append(First);
    if (N > 2) {
      // Each extreme followed by another row, so that the painter's run
      // counts it among the points before the last.
      const bool lastIsHi = Last.y == Hi;
      p.Append({First.x, lastIsHi ? Hi : Lo});
      p.Append({First.x, lastIsHi ? Lo : Hi});
    }
    if (N > 1) p.Append(Last);
    N = 0;
  }
};

// Whether a point is inside the open column's x span, with a finite y.
inline bool InSpan(double x, double y, double xa, double xb) {
  return x >= xa && x <= xb && std::fabs(y) <= std::numeric_limits<double>::max();
}

// Folds slots j, j + 1 ... into the world y extremes lo, hi while their x lies
// in xa ... xb and their y is finite; gives the first slot that does not.
// Everything in locals, two points a step, so that the loop runs in
// registers without waiting on itself.
std::size_t FoldColumn(const double* xs, const double* ys, std::size_t j, std::size_t to, double xa, double xb,
                       double& lo, double& hi) {
  double lo0 = lo, hi0 = hi, lo1 = lo, hi1 = hi;
  for (; j + 1 < to; j += 2) {
    const double y0 = ys[j], y1 = ys[j + 1];
    if (!InSpan(xs[j], y0, xa, xb) || !InSpan(xs[j + 1], y1, xa, xb)) break;
    lo0 = std::min(lo0, y0);
    hi0 = std::max(hi0, y0);
    lo1 = std::min(lo1, y1);
    hi1 = std::max(hi1, y1);
  }
  for (; j < to && InSpan(xs[j], ys[j], xa, xb); ++j) {
    lo0 = std::min(lo0, ys[j]);
    hi0 = std::max(hi0, ys[j]);
  }
  lo = std::min(lo0, lo1);
  hi = std::max(hi0, hi1);
  return j;
}

// Folds ys[from ... to - 1] into lo, hi, in locals and two points a step (a
// loop that does not wait on itself); gives whether all of them were finite.
// Where the processor has them, eight points a step in vector registers first:
// a zoomed signal folds a hundred points or more per pixel column. What the
// vector minimum gives for NaN does not matter, as the caller then does not
// use lo and hi.
bool FoldRange(const double* ys, std::size_t from, std::size_t to, double& lo, double& hi) {
  std::size_t i = from;
  bool finite = true;
#if defined(__SSE2__)
  if (from + 8 <= to) {
    const __m128d magnitude = _mm_castsi128_pd(_mm_set1_epi64x(0x7FFFFFFFFFFFFFFF));
    const __m128d largest = _mm_set1_pd(std::numeric_limits<double>::max());
    __m128d l0 = _mm_set1_pd(lo), l1 = l0, l2 = l0, l3 = l0;
    __m128d h0 = _mm_set1_pd(hi), h1 = h0, h2 = h0, h3 = h0;
    __m128d ok = _mm_cmpeq_pd(largest, largest);
    for (; i + 8 <= to; i += 8) {
      const __m128d a = _mm_loadu_pd(ys + i), b = _mm_loadu_pd(ys + i + 2);
      const __m128d c = _mm_loadu_pd(ys + i + 4), d = _mm_loadu_pd(ys + i + 6);
      const __m128d okAB = _mm_and_pd(_mm_cmple_pd(_mm_and_pd(a, magnitude), largest),
                                      _mm_cmple_pd(_mm_and_pd(b, magnitude), largest));
      const __m128d okCD = _mm_and_pd(_mm_cmple_pd(_mm_and_pd(c, magnitude), largest),
                                      _mm_cmple_pd(_mm_and_pd(d, magnitude), largest));
      ok = _mm_and_pd(ok, _mm_and_pd(okAB, okCD));
      l0 = _mm_min_pd(a, l0);
      l1 = _mm_min_pd(b, l1);
      l2 = _mm_min_pd(c, l2);
      l3 = _mm_min_pd(d, l3);
      h0 = _mm_max_pd(a, h0);
      h1 = _mm_max_pd(b, h1);
      h2 = _mm_max_pd(c, h2);
      h3 = _mm_max_pd(d, h3);
    }
    finite = _mm_movemask_pd(ok) == 3;
    const __m128d l = _mm_min_pd(_mm_min_pd(l0, l1), _mm_min_pd(l2, l3));
    const __m128d h = _mm_max_pd(_mm_max_pd(h0, h1), _mm_max_pd(h2, h3));
    lo = std::min(_mm_cvtsd_f64(l), _mm_cvtsd_f64(_mm_unpackhi_pd(l, l)));
    hi = std::max(_mm_cvtsd_f64(h), _mm_cvtsd_f64(_mm_unpackhi_pd(h, h)));
  }
#endif
  double lo0 = lo, hi0 = hi, lo1 = lo, hi1 = hi;
  for (; i + 1 < to; i += 2) {
    const double y0 = ys[i], y1 = ys[i + 1];
    finite &= std::fabs(y0) <= std::numeric_limits<double>::max();
    finite &= std::fabs(y1) <= std::numeric_limits<double>::max();
    lo0 = std::min(lo0, y0);
    hi0 = std::max(hi0, y0);
    lo1 = std::min(lo1, y1);
    hi1 = std::max(hi1, y1);
  }
  for (; i < to; ++i) {
    finite &= std::fabs(ys[i]) <= std::numeric_limits<double>::max();
    lo0 = std::min(lo0, ys[i]);
    hi0 = std::max(hi0, ys[i]);
  }
  lo = std::min(lo0, lo1);
  hi = std::max(hi0, hi1);
  return finite;
}

// Steps t back over the slots t - 1, t - 2 ... (down to from + 1) whose y lies
// in wa ... wb, four a step in vector registers where the processor has them;
// the caller finishes the scan one slot at a time from where this stops. On a
// zoomed signal the last points of a column often share the last's pixel row
// by the dozen.
std::size_t SkipBackInside(const double* ys, std::size_t from, std::size_t t, double wa, double wb) {
#if defined(__SSE2__)
  const __m128d a = _mm_set1_pd(wa), b = _mm_set1_pd(wb);
  while (t >= from + 5) {
    const __m128d p = _mm_loadu_pd(ys + t - 4), q = _mm_loadu_pd(ys + t - 2);
    const __m128d in = _mm_and_pd(_mm_and_pd(_mm_cmpge_pd(p, a), _mm_cmple_pd(p, b)),
                                  _mm_and_pd(_mm_cmpge_pd(q, a), _mm_cmple_pd(q, b)));
    if (_mm_movemask_pd(in) != 3) break;
    t -= 4;
  }
#else
  (void)ys;
  (void)from;
  (void)wa;
  (void)wb;
#endif
  return t;
}

// FoldColumn for slots whose x never falls (so every slot from j on lies at or
// right of xa): the end of the span is found by search over x, and y is folded
// without looking at x - most points are then two comparisons. The search
// first tries `hint` slots (the last column's count: with evenly spaced x two
// probes find the end), then gallops and halves. A y that is not finite hands
// the column back to FoldColumn.
std::size_t FoldSortedColumn(const double* xs, const double* ys, std::size_t j, std::size_t to, double xa, double xb,
                             double& lo, double& hi, std::size_t& hint) {
  // [j, a) lies in the span; while a < to, slot b - 1 (b > a) lies beyond it.
  std::size_t a = j, b = j;
  const std::size_t guess = std::min(j + std::max<std::size_t>(hint, 1), to);
  if (xs[guess - 1] <= xb) {
    a = guess;
    for (std::size_t step = 1; a < to; step *= 2) {
      b = std::min(a + step, to);
      if (!(xs[b - 1] <= xb)) break;
      a = b;
    }
  } else {
    b = guess;
  }
  if (a < to) {
    std::size_t last = b - 1;
    while (a < last) {
      const std::size_t mid = a + (last - a) / 2;
      if (xs[mid] <= xb)
        a = mid + 1;
      else
        last = mid;
    }
  }
  hint = a - j;
  double l = lo, h = hi;
  if (!FoldRange(ys, j, a, l, h)) return FoldColumn(xs, ys, j, to, xa, xb, lo, hi);
  lo = l;
  hi = h;
  return a;
}

// Walks the slots from ... to - 1 of a chain whose pen the painter reduces
// per pixel column, with a linear y axis; gives whether the chain ends
// broken. The y mapping keeps order (rounding and limiting never reverse
// it), so a column's pixel extremes are those of its extremes in world y:
// points are followed by x alone, and y is mapped when a column ends. What
// the painter is handed for a column is what TColumnGroup hands it for the
// same points: the first, the extremes of all points before the last ones
// that share the last's pixel, and the last. `sorted`: x never falls over the
// slots, and a column's span is found by search.
bool WalkColumns(detail::TItemPainter& p, const double* xs, const double* ys, std::size_t from, std::size_t to,
                 const detail::TLayerMapping& mapping, std::int64_t shiftX, std::int64_t shiftY, bool gap,
                 bool sorted) {
  const detail::TLayerMapping m = mapping;
  const double kxd = m.kxd, dxd = m.dxd;
  const bool logX = m.logX;
  const auto pixelX = [&](double x) {
    return Sat32(ClampItemPixel(logX ? m.MapX(x) : detail::LinearPixel(m.kx, m.dx, kxd, dxd, x)) + shiftX);
  };
  const auto pixelY = [&](double y) { return Sat32(ClampItemPixel(m.MapY(y)) + shiftY); };
  // The open column: pixel x, its first slot, its world y extremes, and world x
  // values xa ... xb known to land on it (both ends map to it, and the
  // mapping keeps order in between).
  bool open = false;
  std::int32_t cx = 0;
  std::size_t c0 = 0, hint = 1;
  double lo = 0, hi = 0, xa = 0, xb = 0;
  const auto columnSpan = [&](double x0) {
    xa = xb = x0;
    if (logX || kxd == 0) return;
    // Just inside the column's edges, checked through the mapping itself.
    const double raw = double(detail::LinearPixel(m.kx, m.dx, kxd, dxd, x0));
    const double e1 = (raw - 0.49 - dxd) / kxd, e2 = (raw + 0.49 - dxd) / kxd;
    const double a = std::min(e1, e2), b = std::max(e1, e2);
    if (a < x0 && std::isfinite(a) && pixelX(a) == cx) xa = a;
    if (b > x0 && std::isfinite(b) && pixelX(b) == cx) xb = b;
  };
  const auto close = [&](std::size_t end) {
    if (!open) return;
    open = false;
    const double yLast = ys[end - 1];
    const std::int32_t last = pixelY(yLast);
    // The last ones on the last's pixel: steps of length zero among them draw
    // nothing, so they do not count among the points before the last. World
    // values wa ... wb are known to land on that pixel (both ends map to it,
    // and the mapping keeps order), so most of the scan compares doubles.
    double wa = yLast, wb = yLast;
    if (m.kyd != 0) {
      const double raw = double(detail::LinearPixel(m.ky, m.dy, m.kyd, m.dyd, yLast));
      const double e1 = (raw - 0.49 - m.dyd) / m.kyd, e2 = (raw + 0.49 - m.dyd) / m.kyd;
      const double a = std::min(e1, e2), b = std::max(e1, e2);
      if (a < yLast && std::isfinite(a) && pixelY(a) == last) wa = a;
      if (b > yLast && std::isfinite(b) && pixelY(b) == last) wb = b;
    }
    std::size_t t = SkipBackInside(ys, c0, end - 1, wa, wb);
    while (t > c0) {
      const double y = ys[t - 1];
      if (!(y >= wa && y <= wb) && pixelY(y) != last) break;
      --t;
    }
    p.Append({cx, pixelY(ys[c0])});
    if (t == c0) return;
    std::int32_t a = pixelY(lo), b = pixelY(hi);
    if (a == last || b == last) {
      // An extreme may lie among those last ones only: the extremes of the
      // points before them.
      lo = hi = ys[c0];
      FoldRange(ys, c0 + 1, t, lo, hi);
      a = pixelY(lo);
      b = pixelY(hi);
    }
    const std::int32_t pLo = std::min(a, b), pHi = std::max(a, b);
    // Each extreme followed by another row, so that the painter's run counts
    // it among the points before the last.
    const bool lastIsHi = last == pHi;
    p.Append({cx, lastIsHi ? pHi : pLo});
    p.Append({cx, lastIsHi ? pLo : pHi});
    p.Append({cx, last});
  };
  for (std::size_t j = from; j < to; ++j) {
    if (open) {
      j = sorted ? FoldSortedColumn(xs, ys, j, to, xa, xb, lo, hi, hint) : FoldColumn(xs, ys, j, to, xa, xb, lo, hi);
      if (j == to) break;
    }
    const double x = xs[j], y = ys[j];
    if (!Finite(x, y)) {
      close(j);
      p.Flush();
      gap = true;
      continue;
    }
    const std::int32_t px = pixelX(x);
    if (open && px == cx) {
      lo = std::min(lo, y);
      hi = std::max(hi, y);
      continue;
    }
    close(j);
    if (gap) {
      p.MoveTo({px, pixelY(y)});
      gap = false;
      continue;
    }
    open = true;
    cx = px;
    c0 = j;
    lo = hi = y;
    columnSpan(x);
  }
  close(to);
  return gap;
}

// Draws the line-to slots s ... e - 1 of one drawing state (`style`), all
// visible, in one tight loop: each point mapped and handed to the painter,
// which reduces the pixel columns of thin solid lines. When the slots' x never
// falls (`sorted`) and the axis maps them left to right, only the slots
// around the visible columns are walked: the chain jumps over the slots whose
// steps lie wholly left of them, and over those wholly right of them, to
// where the full walk would have left it. With a solid pen and a margin of
// its width that changes no pixel of the canvas.
void DrawLineRun(TChain& chain, const detail::TItemStore& st, std::size_t s, std::size_t e, bool sorted,
                 const TPlacer& pl, const detail::TItemStyle& style, TColor v, const TSkipWindow& window) {
  detail::TItemPainter& p = chain.P;
  const std::int32_t layer = st.Head(s).Layer;
  // Copies of what the loop reads, so that the painter's calls do not make it
  // load them again.
  const detail::TLayerMapping m = pl.Map(layer);
  const std::int64_t shiftX = pl.ShiftX, shiftY = pl.ShiftY;
  const double *xs = st.X(), *ys = st.Y();
  if (style.LWid != p.PenWidth()) {
    p.Flush();
    p.SetPenWidth(style.LWid);
  }
  bool penReady = !p.PenDiffers(v, style.PenStyle, style.FillColor);
  // Where the painter reduces pixel columns, consecutive points of one column
  // reach it as at most four: the first, the lowest and highest of all but the
  // last, and the last. Its own reduction keeps exactly those, so the
  // pixels are the same; most points then cost a comparison instead of a call.
  // With a linear y axis WalkColumns takes over once the pen is set: it maps
  // only x per point. A logarithmic y maps every point below it, as values at
  // or below the axis minimum break the order of the mapping.
  bool columns = penReady && p.Reducing();
  TColumnGroup group;
  const auto walk = [&](std::size_t from, std::size_t to) {
    bool gap = chain.Gap;
    std::size_t j = from;
    for (; j < to && !(columns && !m.logY); ++j) {
      const double x = xs[j], y = ys[j];
      if (!Finite(x, y)) {
        group.Hand(p);
        p.Flush();
        gap = true;
        continue;
      }
      const TPoint pt{Sat32(ClampItemPixel(m.MapX(x)) + shiftX), Sat32(ClampItemPixel(m.MapY(y)) + shiftY)};
      if (gap) {
        p.MoveTo(pt);
        gap = false;
        continue;
      }
      if (!penReady) {
        p.Flush();
        p.SetPen(v, style.PenStyle);
        p.SetBrushColor(style.FillColor);
        penReady = true;
        columns = p.Reducing();
      }
      if (columns)
        group.Add(p, pt);
      else
        p.Append(pt);
    }
    group.Hand(p);
    chain.Gap = j < to ? WalkColumns(p, xs, ys, j, to, m, shiftX, shiftY, gap, sorted) : gap;
  };
  // The chain as walking slots from ... to would leave it: at the last finite
  // point among them, broken when slot `to` itself is not finite.
  const auto jump = [&](std::size_t from, std::size_t to) {
    p.Flush();
    for (std::size_t j = to + 1; j-- > from;) {
      if (!Finite(xs[j], ys[j])) continue;
      p.MoveTo(pl.Place(layer, xs[j], ys[j]));
      break;
    }
    chain.Gap = !Finite(xs[to], ys[to]);
  };
  if (!sorted || !window.On || e - s < 64 || style.PenStyle != TPenStyle::psSolid || m.logX || !(m.kxd > 0) ||
      style.LWid > detail::kCullPenWidth) {
    walk(s, e);
    return;
  }
  const std::int64_t margin = std::int64_t(style.LWid) + 4;
  const std::int64_t lo = window.Lo - margin, hi = window.Hi + margin;
  const auto column = [&](std::size_t j) { return std::int64_t(ClampItemPixel(m.MapX(xs[j]))); };
  // The columns rise with the slots: the first slot at or right of lo, and
  // the first one right of hi.
  std::size_t a = s, b = e;
  while (a < b) {
    const std::size_t mid = a + (b - a) / 2;
    if (column(mid) < lo)
      a = mid + 1;
    else
      b = mid;
  }
  std::size_t c = a;
  b = e;
  while (c < b) {
    const std::size_t mid = c + (b - c) / 2;
    if (column(mid) <= hi)
      c = mid + 1;
    else
      b = mid;
  }
  // The step into the first slot comes from outside the run: it is walked.
  std::size_t from = s + 1;
  walk(s, from);
  if (a > from + 1) {
    jump(from, a - 1);
    from = a;
  }
  if (c + 2 < e) {
    walk(from, c + 1);
    jump(c + 1, e - 1);
  } else {
    walk(from, e);
  }
}

#if defined(__SSE2__)
// One linear axis mapping two coordinates at once, as LinearPixel maps them
// on its double path and ClampItemPixel limits them. A lane that LinearPixel
// would hand to its extended path (large, non-finite, or near a half) is left
// out of the mask Map gives, for the caller to map one at a time.
class TLinearPair {
 public:
  TLinearPair(double kd, double dd)
      : FK(_mm_set1_pd(kd)), FD(_mm_set1_pd(dd)), FUsable(std::fabs(dd) < detail::kLinearDoubleLimit) {}
  int Map(__m128d v, std::int32_t out[2]) const {
    const __m128d magnitude = _mm_castsi128_pd(_mm_set1_epi64x(0x7FFFFFFFFFFFFFFF));
    const __m128d half = _mm_set1_pd(0.5), one = _mm_set1_pd(1.0);
    const __m128d p = _mm_add_pd(_mm_mul_pd(FK, v), FD);
    const __m128d limitP = _mm_set1_pd(detail::kLinearDoubleLimit);
    const __m128d small = _mm_cmplt_pd(_mm_and_pd(p, magnitude), limitP);  // false for NaN
    const __m128d t = _mm_cvtepi32_pd(_mm_cvttpd_epi32(p));
    const __m128d f = _mm_sub_pd(p, t);
    const __m128d clear =
        _mm_cmpgt_pd(_mm_and_pd(_mm_sub_pd(_mm_and_pd(f, magnitude), half), magnitude),
                     _mm_set1_pd(detail::kLinearNearHalf));
    __m128d r = _mm_add_pd(t, _mm_and_pd(_mm_cmpgt_pd(f, half), one));
    r = _mm_sub_pd(r, _mm_and_pd(_mm_cmplt_pd(f, _mm_set1_pd(-0.5)), one));
    const double limit = detail::kItemPixelLimit;
    r = _mm_min_pd(_mm_max_pd(r, _mm_set1_pd(-limit)), _mm_set1_pd(limit));
    const __m128i ri = _mm_cvttpd_epi32(r);
    out[0] = _mm_cvtsi128_si32(ri);
    out[1] = _mm_cvtsi128_si32(_mm_shuffle_epi32(ri, 1));
    return FUsable ? _mm_movemask_pd(_mm_and_pd(small, clear)) : 0;
  }

 private:
  __m128d FK, FD;
  bool FUsable;
};
#endif

// The shortest run of marks drawn as stamps.
constexpr std::size_t kMinStampedRun = 32;

// What a run of marks needs besides its slots: where they may land, the
// duplicate test and, on a bitmap, the stamps and the bitmap.
struct TMarkRunContext {
  double XLo, XHi, YLo, YHi;  // the layer's ranges, either order
  detail::TDupMarkGrid& Dup;
  detail::TMarkStamps* Stamps;
  TRasterCanvas* Raster;
};

// Draws the mark slots s ... e - 1 of one drawing state, all visible, a block
// at a time: first each point inside the ranges mapped and passed through the
// duplicate test, in a loop that keeps the mapping in registers; then the
// block's marks drawn in order - on a bitmap, where the pen and modes allow,
// as the stamp of their kind.
void DrawMarkRun(detail::TItemPainter& p, const detail::TItemStore& st, std::size_t s, std::size_t e,
                 const TPlacer& pl, const detail::TItemStyle& style, TColor v, const TMarkRunContext& run) {
  const std::int32_t layer = st.Head(s).Layer;
  p.Flush();
  if (style.LWid != p.PenWidth()) p.SetPenWidth(style.LWid);
  TCanvas& canvas = p.Canvas();
  const detail::TLayerMapping m = pl.Map(layer);
  const std::int64_t shiftX = pl.ShiftX, shiftY = pl.ShiftY;
  const double *xs = st.X(), *ys = st.Y();
  const double xlo = run.XLo, xhi = run.XHi, ylo = run.YLo, yhi = run.YHi;
  const bool dup = run.Dup.Active();
  bool penSet = false, stamping = false;
  const TPixelStamp* stamp = nullptr;
  std::int32_t stampKind = -1;
#if defined(__SSE2__)
  // WithinRange as one interval per axis: a NaN end admits nothing either way.
  const __m128d xmin = _mm_set1_pd(xlo <= xhi ? xlo : xhi), xmax = _mm_set1_pd(xlo <= xhi ? xhi : xlo);
  const __m128d ymin = _mm_set1_pd(ylo <= yhi ? ylo : yhi), ymax = _mm_set1_pd(ylo <= yhi ? yhi : ylo);
  const TLinearPair pairX(m.kxd, m.dxd), pairY(m.kyd, m.dyd);
#endif
  constexpr std::size_t kBlock = 256;
  std::array<TPoint, kBlock> pts;
  std::array<std::uint8_t, kBlock> kinds;
  for (std::size_t b = s; b < e; b += kBlock) {
    const std::size_t end = std::min(e, b + kBlock);
    std::size_t n = 0;
    const auto keep = [&](std::size_t j, TPoint chart) {
      const std::uint8_t kind = st.Head(j).Mark;
      if (dup && !run.Dup.Admit(chart, kind)) return;
      pts[n] = {Sat32(chart.x + shiftX), Sat32(chart.y + shiftY)};
      kinds[n++] = kind;
    };
    std::size_t j = b;
#if defined(__SSE2__)
    // Two points a step on linear axes; a point the pair cannot map exactly
    // is mapped alone below.
    if (!m.logX && !m.logY) {
      for (; j + 1 < end; j += 2) {
        const __m128d x = _mm_loadu_pd(xs + j), y = _mm_loadu_pd(ys + j);
        const int inside = _mm_movemask_pd(
            _mm_and_pd(_mm_and_pd(_mm_cmpge_pd(x, xmin), _mm_cmple_pd(x, xmax)),
                       _mm_and_pd(_mm_cmpge_pd(y, ymin), _mm_cmple_pd(y, ymax))));
        if (inside == 0) continue;
        std::int32_t px[2], py[2];
        const int exact = pairX.Map(x, px) & pairY.Map(y, py);
        for (int lane = 0; lane < 2; ++lane) {
          if (!(inside >> lane & 1)) continue;
          const std::size_t k = j + std::size_t(lane);
          keep(k, exact >> lane & 1 ? TPoint{px[lane], py[lane]}
                                    : TPoint{ClampItemPixel(m.MapX(xs[k])), ClampItemPixel(m.MapY(ys[k]))});
        }
      }
    }
#endif
    for (; j < end; ++j) {
      const double x = xs[j], y = ys[j];
      if (!WithinRange(x, xlo, xhi) || !WithinRange(y, ylo, yhi)) continue;
      keep(j, TPoint{ClampItemPixel(m.MapX(x)), ClampItemPixel(m.MapY(y))});
    }
    if (n > 0 && !penSet) {
      // The pen is set by the first mark drawn, as each mark would set it.
      p.SetPen(v, style.PenStyle);
      penSet = true;
      // Recording a stamp costs about as much as drawing a few dozen marks:
      // short runs (a colour per point) draw them directly.
      stamping = e - s >= kMinStampedRun && run.Stamps != nullptr && run.Raster != nullptr &&
                 TPixelStamp::Applies(canvas);
      if (stamping) run.Stamps->NewRun();
    }
    for (std::size_t k = 0; k < n; ++k) {
      const TPoint pt = pts[k];
      const std::uint8_t kind = kinds[k];
      if (stamping && kind <= kMaxMarkKind) {
        if (kind != stampKind) {
          stamp = &run.Stamps->For(kind, canvas);
          stampKind = kind;
        }
        if (stamp->Put(run.Raster->Target(), pt.x, pt.y)) continue;
      }
      DrawMarkOnCanvas(canvas, kind, pt.x, pt.y);
    }
  }
}

}  // namespace

void TCustomRChart::RenderItems(TCanvas& canvas, std::int32_t offsetX, std::int32_t offsetY, bool mono,
                                std::int32_t startItem) {
  TPlacer pl;
  pl.Maps = {detail::LayerMapping(*this, 1), detail::LayerMapping(*this, 2)};
  pl.ShiftX = std::int64_t(offsetX) - RcLRim;
  pl.ShiftY = std::int64_t(offsetY) - RcTRim;
  const auto visible = [&](const detail::TItemHead& h) {
    return FItClassVisib[h.Class] && FLayerVisib[std::size_t(LayerIx(h.Layer))];
  };
  // Items exist only with a store.
  const detail::TItemStore* store = FDataContainer.Get();
  const std::int32_t first = std::clamp(startItem, 0, FNumChartItems);

  detail::TDupMarkGrid dupGrid;
  if (FAvoidDupMarks) dupGrid.Allocate(RcLRim, RcTRim, DataAreaWidth(), DataAreaHeight(), FDupMarksMinD);

  // A point that is not finite (NaN, an infinity) has no place: it ends the
  // line, and the next finite line-to starts a new one from its own point.
  auto finite = [](const TrcChartItem& it) { return Finite(it.x, it.y); };
  bool startGap = false;
  // A later start continues the chain from the last visible point before it.
  TPoint start{offsetX, offsetY};
  for (std::int32_t i = first - 1; i >= 0; --i) {
    const detail::TItemHead& h = store->Head(std::size_t(i));
    if (!visible(h)) continue;
    if (h.Kind == TrcItem::tkMoveTo || h.Kind == TrcItem::tkLineto) {
      const double x = store->X()[i], y = store->Y()[i];
      start = pl.Place(h.Layer, x, y);
      startGap = !Finite(x, y);
      break;
    }
  }
  // Column reduction keeps the pixels of a raster canvas exactly, and those
  // of a vector document at the same pixels (a recording bound to a surface,
  // as the exports make): what the screen would not show is left out there
  // too. Unbounded recordings and printing get the chains point by point.
  const TSize surface = canvas.SurfaceSize();
  TRasterCanvas* const rasterCanvas = dynamic_cast<TRasterCanvas*>(&canvas);
  const bool raster = rasterCanvas != nullptr;
  const bool document = dynamic_cast<TRecordingCanvas*>(&canvas) != nullptr && surface.cx > 0 && surface.cy > 0;
  detail::TItemPainter p(canvas, start, document || raster);
  TChain chain{p, startGap};
  bool& gap = chain.Gap;
  if (document) {
    // The data area where the items land, widened by the widest pen's reach.
    constexpr std::int64_t margin = 2 * detail::kCullPenWidth + 4;
    p.SetCullRect(TRect{Sat32(offsetX - margin), Sat32(offsetY - margin),
                        Sat32(std::int64_t(offsetX) + DataAreaWidth() + margin),
                        Sat32(std::int64_t(offsetY) + DataAreaHeight() + margin)});
  }
  // A bitmap shows the chart columns that land on it.
  TSkipWindow window;
  if (raster) window = {true, -pl.ShiftX, std::int64_t(surface.cx) - 1 - pl.ShiftX};
  p.Init(RcLineWid, RcChartCol);
  const detail::TItemTextStyle textStyle{FTextFontStyle, FTextBkStyle, FTextBkColor};

  for (std::int32_t i = first; i < FNumChartItems;) {
    const detail::TItemHead& h = store->Head(std::size_t(i));
    if (!visible(h)) {
      ++i;
      continue;
    }
    if (h.Kind == TrcItem::tkLineto && store->IsPlain(std::size_t(i))) {
      // A run of line-to items drawn alike: its known segment, or as far as
      // the slots look alike.
      std::size_t e = std::min(store->SegmentEnd(std::size_t(i)), std::size_t(FNumChartItems));
      const bool sorted = e > std::size_t(i);
      if (!sorted) {
        e = std::size_t(i) + 1;
        while (e < std::size_t(FNumChartItems)) {
          const detail::TItemHead& n = store->Head(e);
          if (n.Kind != h.Kind || n.Ref != h.Ref || n.Layer != h.Layer || n.Class != h.Class) break;
          ++e;
        }
      }
      const detail::TItemStyle& style = store->Style(h.Ref);
      DrawLineRun(chain, *store, std::size_t(i), e, sorted, pl, style, mono ? TColor(0) : style.Color, window);
      i = std::int32_t(e);
      continue;
    }
    if (h.Kind == TrcItem::tkMarkAt && store->IsPlain(std::size_t(i))) {
      // Marks need no more than the head, the point and the drawing state: a
      // run of them drawn alike goes in one loop.
      std::size_t e = std::size_t(i) + 1;
      while (e < std::size_t(FNumChartItems) && store->IsPlain(e)) {
        const detail::TItemHead& n = store->Head(e);
        if (n.Kind != h.Kind || n.Ref != h.Ref || n.Layer != h.Layer || n.Class != h.Class) break;
        ++e;
      }
      const TScaleProps& px = ScalePropsX(h.Layer);
      const TScaleProps& py = ScalePropsY(h.Layer);
      if (raster && !FMarkStamps) FMarkStamps = std::make_unique<detail::TMarkStamps>();
      const TMarkRunContext run{px.RangeLow(), px.RangeHigh(), py.RangeLow(), py.RangeHigh(), dupGrid,
                                FMarkStamps.get(), rasterCanvas};
      const detail::TItemStyle& style = store->Style(h.Ref);
      DrawMarkRun(p, *store, std::size_t(i), e, pl, style, mono ? TColor(0) : style.Color, run);
      i = std::int32_t(e);
      continue;
    }
    const TrcChartItem it = store->Get(std::size_t(i++));
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
        const TScaleProps& px = ScalePropsX(it.Layer);
        const TScaleProps& py = ScalePropsY(it.Layer);
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
        const TScaleProps& sx = ScalePropsX(it.Layer);
        const TScaleProps& sy = ScalePropsY(it.Layer);
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

}  // namespace mivo
