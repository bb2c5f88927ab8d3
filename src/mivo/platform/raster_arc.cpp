// TRasterCanvas: Ellipse and Arc.
//
// The ellipse of a box [l, r) x [t, b) is rasterised as the midpoint ellipse
// of the pixel box [l, r-1] x [t, b-1]: with half sizes a = (r-1-l) div 2 and
// c = (b-1-t) div 2, row offset j (0 <= j <= c) from the centre row covers the
// columns i <= h(j), the largest i with
//     i^2 * (c^2 + c) + j^2 * (a^2 + a) < (a^2 + a) * (c^2 + c)
// (for a circle of radius r: i^2 + j^2 < r^2 + r, the pixels the midpoint
// algorithm encloses); a = 0 or c = 0 give a line.
// An even box size repeats the centre column (row): the left half hangs off
// column l + a and the right half off column r-1-a, so the shape touches all
// four sides of the box. The outline of a thin pen is the set of filled pixels
// with a 4-neighbour outside; a wide pen paints the ring between the ellipses
// of the box grown and shrunk by half the pen width (inside-frame: the box and
// the box shrunk by the width). Everything is computed per row, so huge
// ellipses cost their visible rows.
#include <algorithm>
#include <cmath>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/raster_canvas.h"
#include "mivo/platform/raster_stroke_internal.h"

namespace mivo {

using namespace detail;

namespace {

using u128 = unsigned __int128;

class TEllipseRows {
 public:
  // Box [l, r) x [t, b); empty when r <= l or b <= t.
  TEllipseRows(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b) : FT(t), FB(b) {
    FEmpty = r <= l || b <= t;
    if (FEmpty) return;
    FA = (r - 1 - l) / 2;
    FC = (b - 1 - t) / 2;
    FXL = l + FA;
    FXR = r - 1 - FA;
    FYT = t + FC;
    FYB = b - 1 - FC;
    FExact = FA < (std::int64_t(1) << 30) && FC < (std::int64_t(1) << 30);
  }

  // Filled columns [L, R] of row y; false when the row is outside.
  bool Row(std::int64_t y, std::int64_t& L, std::int64_t& R) const {
    if (FEmpty || y < FT || y >= FB) return false;
    const std::int64_t j = y <= FYT ? FYT - y : (y >= FYB ? y - FYB : 0);
    const std::int64_t h = HalfSpan(j);
    L = FXL - h;
    R = FXR + h;
    return true;
  }

  // Columns of the centre: the right half starts at XR().
  std::int64_t XR() const { return FXR; }
  std::int64_t YT() const { return FYT; }
  std::int64_t YB() const { return FYB; }

  // Centre doubled (pixel units): the angle reference of arcs.
  std::int64_t Cx2() const { return FXL + FXR; }
  std::int64_t Cy2() const { return FYT + FYB; }

 private:
  std::int64_t HalfSpan(std::int64_t j) const {
    if (FA == 0) return 0;
    if (FC == 0) return FA;
    const long double A = (long double)FA * FA + FA, C = (long double)FC * FC + FC;
    const long double k = 1.0L - ((long double)j * j) / C;
    std::int64_t i = k <= 0 ? 0 : std::int64_t(std::sqrt(A * k));
    i = std::clamp<std::int64_t>(i, 0, FA);
    if (!FExact) return i;
    const u128 a2 = u128(FA) * u128(FA) + u128(FA), c2 = u128(FC) * u128(FC) + u128(FC);
    const u128 rhs = a2 * c2, jj = u128(j) * u128(j) * a2;
    auto inside = [&](std::int64_t v) { return u128(v) * u128(v) * c2 + jj < rhs; };
    while (i > 0 && !inside(i)) --i;
    while (i < FA && inside(i + 1)) ++i;
    return i;
  }

  std::int64_t FT, FB;
  std::int64_t FA = 0, FC = 0, FXL = 0, FXR = 0, FYT = 0, FYB = 0;
  bool FEmpty = true, FExact = true;
};

// Filter of outline pixels by angle; all pass when unset.
struct TArcFilter {
  bool Active = false;
  bool Full = false;
  std::int64_t Cx2 = 0, Cy2 = 0;  // centre, doubled
  i128 Sx = 0, Sy = 0, Ex = 0, Ey = 0;  // radials in math orientation (y up), doubled
  static i128 Cross(i128 ax, i128 ay, i128 bx, i128 by) { return ax * by - ay * bx; }
  // Counter-clockwise on the screen is counter-clockwise with y pointing up.
  bool Pass(std::int64_t px, std::int64_t py) const {
    if (!Active || Full) return true;
    const i128 vx = 2 * px - Cx2, vy = -(2 * py - Cy2);
    if (vx == 0 && vy == 0) return true;
    const i128 se = Cross(Sx, Sy, Ex, Ey);
    if (se > 0) return Cross(Sx, Sy, vx, vy) >= 0 && Cross(vx, vy, Ex, Ey) >= 0;
    if (se < 0) return !(Cross(Ex, Ey, vx, vy) > 0 && Cross(vx, vy, Sx, Sy) > 0);
    // Opposite radials: the half plane to the left of the start.
    return Cross(Sx, Sy, vx, vy) >= 0;
  }
};

// Emits columns [x0, x1] of row y clipped to the surface, through the filter.
template <typename Sink>
void EmitRun(Sink& sink, std::int32_t W, std::int64_t y, std::int64_t x0, std::int64_t x1, int slot,
             const TArcFilter& f) {
  x0 = std::max<std::int64_t>(x0, 0);
  x1 = std::min<std::int64_t>(x1, W - 1);
  if (x0 > x1) return;
  if (!f.Active || f.Full) {
    sink.Span(std::int32_t(y), std::int32_t(x0), std::int32_t(x1 + 1), slot);
    return;
  }
  for (std::int64_t x = x0; x <= x1; ++x)
    if (f.Pass(x, y)) sink.Pixel(std::int32_t(x), std::int32_t(y), slot);
}

// Row y of the filled ellipse as [L, R], and its interior [il, ir]: the pixels
// whose four neighbours are all filled (il > ir when there are none). Returns
// false when the row is outside the ellipse.
inline bool RowWithInterior(const TEllipseRows& e, std::int64_t y, std::int64_t& L, std::int64_t& R,
                            std::int64_t& il, std::int64_t& ir) {
  std::int64_t La, Ra, Lb, Rb;
  if (!e.Row(y, L, R)) return false;
  il = L + 1;
  ir = R - 1;
  if (e.Row(y - 1, La, Ra)) {
    il = std::max(il, La);
    ir = std::min(ir, Ra);
  } else {
    ir = il - 1;
  }
  if (e.Row(y + 1, Lb, Rb)) {
    il = std::max(il, Lb);
    ir = std::min(ir, Rb);
  } else {
    ir = il - 1;
  }
  return true;
}

// Thin outline and interior of one ellipse.
template <typename Sink>
void ThinEllipse(Sink& sink, std::int32_t W, std::int32_t H, const TEllipseRows& e, std::int64_t t, std::int64_t b,
                 bool outline, bool fill, const TArcFilter& f) {
  const std::int64_t y0 = std::max<std::int64_t>(t, 0), y1 = std::min<std::int64_t>(b - 1, H - 1);
  for (std::int64_t y = y0; y <= y1; ++y) {
    std::int64_t L, R, il, ir;
    if (!RowWithInterior(e, y, L, R, il, ir)) continue;
    if (il > ir) {
      if (outline) EmitRun(sink, W, y, L, R, 0, f);
      continue;
    }
    if (fill) EmitRun(sink, W, y, il, ir, 1, TArcFilter{});
    if (outline) {
      EmitRun(sink, W, y, L, il - 1, 0, f);
      EmitRun(sink, W, y, ir + 1, R, 0, f);
    }
  }
}

// Wide outline (ring between two ellipses) and the interior inside it.
template <typename Sink>
void RingEllipse(Sink& sink, std::int32_t W, std::int32_t H, std::int64_t l, std::int64_t t, std::int64_t r,
                 std::int64_t b, std::int64_t w, bool fill, const TArcFilter& f) {
  const TEllipseRows outer(l, t, r, b), inner(l + w, t + w, r - w, b - w);
  const std::int64_t y0 = std::max<std::int64_t>(t, 0), y1 = std::min<std::int64_t>(b - 1, H - 1);
  for (std::int64_t y = y0; y <= y1; ++y) {
    std::int64_t L, R, iL, iR;
    if (!outer.Row(y, L, R)) continue;
    if (!inner.Row(y, iL, iR) || iL > iR) {
      EmitRun(sink, W, y, L, R, 0, f);
      continue;
    }
    if (fill) EmitRun(sink, W, y, iL, iR, 1, TArcFilter{});
    EmitRun(sink, W, y, L, iL - 1, 0, f);
    EmitRun(sink, W, y, iR + 1, R, 0, f);
  }
}

// The thin outline of row y as up to two runs: left of the centre column XR()
// and from it on. Returns false when the row is outside.
bool OutlineRuns(const TEllipseRows& e, std::int64_t y, std::int64_t run[2][2], int& count) {
  std::int64_t L, R, il, ir;
  if (!RowWithInterior(e, y, L, R, il, ir)) return false;
  count = 0;
  if (il > ir) {
    run[count][0] = L;
    run[count++][1] = R;
  } else {
    run[count][0] = L;
    run[count++][1] = il - 1;
    run[count][0] = ir + 1;
    run[count++][1] = R;
  }
  return true;
}

// A styled thin outline: the visible outline pixels in counter-clockwise
// order from the east point (right half going up, left half going down), the
// dash pattern running along them. For an arc the pattern starts where the arc
// starts. Pixels of the outline outside the surface do not advance the pattern.
template <typename Sink>
void DashedOutline(Sink& sink, std::int32_t W, std::int32_t H, const TEllipseRows& e, std::int64_t t,
                   std::int64_t b, const TArcFilter& f, const TResolvedPen& pen, TRasterScratch& s) {
  s.Points.clear();
  s.Flags.clear();
  const std::int64_t xr = e.XR();
  auto emitHalf = [&](std::int64_t y, bool right, bool descending) {
    if (y < 0 || y >= H) return;
    std::int64_t run[2][2];
    int count = 0;
    if (!OutlineRuns(e, y, run, count)) return;
    for (int k = 0; k < count; ++k) {
      const int idx = descending ? count - 1 - k : k;
      std::int64_t a = run[idx][0], z = run[idx][1];
      if (right)
        a = std::max(a, xr);
      else
        z = std::min(z, xr - 1);
      a = std::max<std::int64_t>(a, 0);
      z = std::min<std::int64_t>(z, W - 1);
      if (a > z) continue;
      for (std::int64_t i = 0; i <= z - a; ++i) {
        const std::int64_t x = descending ? z - i : a + i;
        s.Points.push_back({std::int32_t(x), std::int32_t(y)});
        s.Flags.push_back(f.Pass(x, y) ? 1 : 0);
      }
    }
  };
  const std::int64_t yb0 = e.YB() > e.YT() ? e.YB() : e.YB() + 1;  // a shared centre row counts once
  const std::int64_t u0 = std::max<std::int64_t>(t, 0), u1 = std::min<std::int64_t>(e.YT(), H - 1);
  const std::int64_t l0 = std::max<std::int64_t>(yb0, 0), l1 = std::min<std::int64_t>(b - 1, H - 1);
  for (std::int64_t y = u1; y >= u0; --y) emitHalf(y, true, true);    // upper right, going up
  for (std::int64_t y = u0; y <= u1; ++y) emitHalf(y, false, true);   // upper left, going down
  for (std::int64_t y = l0; y <= l1; ++y) emitHalf(y, false, false);  // lower left, going down
  for (std::int64_t y = l1; y >= l0; --y) emitHalf(y, true, false);   // lower right, going up
  const std::size_t n = s.Points.size();
  if (n == 0) return;
  std::size_t start = 0;
  for (std::size_t i = 0; i < n; ++i)
    if (s.Flags[i] && !s.Flags[(i + n - 1) % n]) {
      start = i;
      break;
    }
  std::int64_t pos = 0;
  for (std::size_t k = 0; k < n; ++k) {
    const std::size_t i = (start + k) % n;
    if (!s.Flags[i]) continue;
    const bool on = pen.Dash.On(pos);
    if (on || pen.GapsInBrush) sink.Pixel(s.Points[i].x, s.Points[i].y, on ? 0 : 1);
    if (++pos == pen.Dash.Period) pos = 0;
  }
}

}  // namespace

void TRasterCanvas::Ellipse(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  const std::int64_t l = std::min(x1, x2), r = std::max(x1, x2), t = std::min(y1, y2), b = std::max(y1, y2);
  if (l == r || t == b) return;
  if (AaEllipse(l, t, r, b, nullptr)) return;
  const TResolvedPen pen = ResolvedPen();
  const bool brush = Brush.Style == TBrushStyle::bsSolid;
  if (pen.Clear && !brush) return;
  const std::int32_t W = FTarget.Width(), H = FTarget.Height();
  WithSink(FTarget, *FScratch, PenOp(), BrushOp(), [&](auto& sink) {
    if (pen.Clear) {
      // The interior then covers the whole shape.
      const TEllipseRows e(l, t, r, b);
      for (std::int64_t y = std::max<std::int64_t>(t, 0); y <= std::min<std::int64_t>(b - 1, H - 1); ++y) {
        std::int64_t L, R;
        if (e.Row(y, L, R)) EmitRun(sink, W, y, L, R, 1, TArcFilter{});
      }
      return;
    }
    if (!pen.Wide) {
      const TEllipseRows rows(l, t, r, b);
      if (pen.Dash.Count > 0) {
        if (brush) ThinEllipse(sink, W, H, rows, t, b, false, true, TArcFilter{});
        DashedOutline(sink, W, H, rows, t, b, TArcFilter{}, pen, *FScratch);
        return;
      }
      ThinEllipse(sink, W, H, rows, t, b, true, brush, TArcFilter{});
      return;
    }
    const std::int64_t w = pen.Width;
    if (Pen.Style == TPenStyle::psInsideFrame)
      RingEllipse(sink, W, H, l, t, r, b, w, brush, TArcFilter{});
    else
      RingEllipse(sink, W, H, l - w / 2, t - w / 2, r + (w - 1) / 2, b + (w - 1) / 2, w, brush, TArcFilter{});
  });
}

void TRasterCanvas::Arc(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::int32_t x3,
                        std::int32_t y3, std::int32_t x4, std::int32_t y4) {
  std::int64_t l = std::min(x1, x2), r = std::max(x1, x2), t = std::min(y1, y2), b = std::max(y1, y2);
  if (l == r || t == b) return;
  const TPoint radials[2] = {{x3, y3}, {x4, y4}};
  if (AaEllipse(l, t, r, b, radials)) return;
  const TResolvedPen pen = ResolvedPen();
  if (pen.Clear) return;
  const std::int64_t w = pen.Width;
  if (pen.Wide && Pen.Style != TPenStyle::psInsideFrame) {
    l -= w / 2;
    t -= w / 2;
    r += (w - 1) / 2;
    b += (w - 1) / 2;
  }
  const TEllipseRows rows(l, t, r, b);
  TArcFilter f;
  f.Active = true;
  f.Cx2 = rows.Cx2();
  f.Cy2 = rows.Cy2();
  f.Sx = i128(2) * x3 - f.Cx2;
  f.Sy = -(i128(2) * y3 - f.Cy2);
  f.Ex = i128(2) * x4 - f.Cx2;
  f.Ey = -(i128(2) * y4 - f.Cy2);
  if (f.Sx == 0 && f.Sy == 0) f.Sx = 1;
  if (f.Ex == 0 && f.Ey == 0) f.Ex = 1;
  f.Full = TArcFilter::Cross(f.Sx, f.Sy, f.Ex, f.Ey) == 0 && f.Sx * f.Ex + f.Sy * f.Ey > 0;
  const std::int32_t W = FTarget.Width(), H = FTarget.Height();
  WithSink(FTarget, *FScratch, PenOp(), BrushOp(), [&](auto& sink) {
    if (!pen.Wide && pen.Dash.Count > 0)
      DashedOutline(sink, W, H, rows, t, b, f, pen, *FScratch);
    else if (!pen.Wide)
      ThinEllipse(sink, W, H, rows, t, b, true, false, f);
    else
      RingEllipse(sink, W, H, l, t, r, b, w, false, f);
  });
}

}  // namespace mivo
