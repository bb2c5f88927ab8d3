#pragma once
// Private: the stroking stage of the raster canvas, shared by lines,
// rectangles and polygons.
//
// Thin lines (width 1) are Bresenham lines: a line from P0 to P1 visits n =
// max(|dx|, |dy|) pixels (the end pixel is left out); pixel i lies i steps
// along the major axis and m(i) = floor((2*i*dminor + n) / (2*n)) steps along
// the minor one (ties round away from the start; equal |dx| and |dy| count as
// x-major). The visible index range is found in closed form, so a line with
// 32-bit end points costs what its visible part costs, and the walk starts
// from the exact error term of its first visible pixel.
//
// Wide lines (width w > 1) are capsules: every pixel whose centre lies within
// w/2 of the segment (for even w the segment runs through the pixel corner
// up-left of its end points, so a horizontal line covers exactly w rows).
// Consecutive capsules share their end discs: round ends and joins.

#include <cmath>
#include <cstdint>

#include "mivo/platform/raster_internal.h"

namespace mivo::detail {

// Strokes the thin line from (x0, y0) to (x1, y1) without its end pixel.
// `phase` is the dash pattern position of the first pixel; the position after
// the line is returned.
template <typename Sink>
std::int64_t ThinLine(Sink& sink, std::int32_t W, std::int32_t H, std::int64_t x0, std::int64_t y0, std::int64_t x1,
                      std::int64_t y1, const TResolvedPen& pen, std::int64_t phase) {
  const std::int64_t dx = x1 - x0, dy = y1 - y0;
  const std::int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  const bool xMajor = adx >= ady;
  const std::int64_t n = xMajor ? adx : ady;
  if (n == 0) return phase;
  const std::int64_t period = pen.Dash.Count > 0 ? pen.Dash.Period : 1;
  const std::int64_t nextPhase = pen.Dash.Count > 0 ? (phase + n % period) % period : 0;
  const std::int64_t dm = xMajor ? ady : adx;
  const int sM = (xMajor ? dx : dy) > 0 ? 1 : -1;
  const int sm = (xMajor ? dy : dx) >= 0 ? 1 : -1;
  const std::int64_t M0 = xMajor ? x0 : y0, m0 = xMajor ? y0 : x0;
  const std::int64_t Mlim = xMajor ? W : H, mlim = xMajor ? H : W;
  std::int64_t iLo = 0, iHi = n - 1, m = 0, err = n;
  if (x0 < 0 || y0 < 0 || x1 < 0 || y1 < 0 || x0 >= W || y0 >= H || x1 >= W || y1 >= H) {
    // Visible range of i along the major axis.
    if (sM > 0) {
      iLo = std::max(iLo, -M0);
      iHi = std::min(iHi, Mlim - 1 - M0);
    } else {
      iLo = std::max(iLo, M0 - (Mlim - 1));
      iHi = std::min(iHi, M0);
    }
    if (iLo > iHi) return nextPhase;
    // ... and along the minor axis: m(i) in [lo, hi].
    std::int64_t lo, hi;
    if (sm > 0) {
      lo = -m0;
      hi = mlim - 1 - m0;
    } else {
      lo = m0 - (mlim - 1);
      hi = m0;
    }
    if (hi < 0) return nextPhase;
    if (dm == 0) {
      if (lo > 0) return nextPhase;
    } else {
      // m(i) >= t  <=>  2*i*dm + n >= 2*n*t  <=>  i >= ceil((2*n*t - n) / (2*dm))
      if (lo > 0) iLo = std::max(iLo, Clamp64(CeilDiv128(i128(2 * n) * lo - n, i128(2 * dm)), 0, n));
      iHi = std::min(iHi, Clamp64(CeilDiv128(i128(2 * n) * (i128(hi) + 1) - n, i128(2 * dm)) - 1, -1, n));
    }
    if (iLo > iHi) return nextPhase;
    const i128 num = i128(2) * iLo * dm + n;
    m = std::int64_t(FloorDiv128(num, i128(2 * n)));
    err = std::int64_t(num - i128(m) * (2 * n));  // in [0, 2n)
  }
  const std::int64_t twoN = 2 * n, twoDm = 2 * dm;
  std::int32_t M = std::int32_t(M0 + sM * iLo), mm = std::int32_t(m0 + sm * m);
  std::int64_t count = iHi - iLo + 1;

  if (pen.Dash.Count == 0) {
    if (xMajor) {
      for (; count > 0; --count) {
        sink.Pixel(M, mm, 0);
        M += sM;
        err += twoDm;
        if (err >= twoN) {
          err -= twoN;
          mm += sm;
        }
      }
    } else {
      for (; count > 0; --count) {
        sink.Pixel(mm, M, 0);
        M += sM;
        err += twoDm;
        if (err >= twoN) {
          err -= twoN;
          mm += sm;
        }
      }
    }
    return nextPhase;
  }

  // Styled: walk the pattern runs alongside.
  std::int64_t pos = (phase + iLo % period) % period;
  std::int32_t run = 0;
  std::int64_t left = pos;
  while (left >= pen.Dash.Runs[run]) {
    left -= pen.Dash.Runs[run];
    run = (run + 1) % pen.Dash.Count;
  }
  std::int64_t inRun = pen.Dash.Runs[run] - left;  // pixels left in the current run
  for (; count > 0; --count) {
    const bool on = (run & 1) == 0;
    if (on || pen.GapsInBrush) {
      if (xMajor)
        sink.Pixel(M, mm, on ? 0 : 1);
      else
        sink.Pixel(mm, M, on ? 0 : 1);
    }
    if (--inRun == 0) {
      run = (run + 1) % pen.Dash.Count;
      inRun = pen.Dash.Runs[run];
    }
    M += sM;
    err += twoDm;
    if (err >= twoN) {
      err -= twoN;
      mm += sm;
    }
  }
  return nextPhase;
}

// Fills the capsule of radius w/2 around the segment (x0, y0)-(x1, y1) with
// slot `slot`, clipped to the surface, one span per row.
template <typename Sink>
void Capsule(Sink& sink, std::int32_t W, std::int32_t H, std::int64_t x0, std::int64_t y0, std::int64_t x1,
             std::int64_t y1, std::int32_t w, int slot) {
  // Doubled coordinates: pixel centres are even, an even-width spine is odd.
  const std::int64_t sh = (w % 2 == 0) ? -1 : 0;
  double ax = double(2 * x0 + sh), ay = double(2 * y0 + sh), bx = double(2 * x1 + sh), by = double(2 * y1 + sh);
  const double R = double(w);
  // Clip the spine to the surface grown by the radius: the shape inside the
  // surface is unchanged and the arithmetic below stays small.
  {
    const double m = R + 4.0;
    const double xmin = -m, xmax = 2.0 * W + m, ymin = -m, ymax = 2.0 * H + m;
    double t0 = 0.0, t1 = 1.0;
    const double ddx = bx - ax, ddy = by - ay;
    auto clip = [&](double p, double q) {  // p*t <= q
      if (p == 0.0) return q >= 0.0;
      const double r = q / p;
      if (p < 0.0) {
        if (r > t1) return false;
        if (r > t0) t0 = r;
      } else {
        if (r < t0) return false;
        if (r < t1) t1 = r;
      }
      return true;
    };
    if (!clip(-ddx, ax - xmin) || !clip(ddx, xmax - ax) || !clip(-ddy, ay - ymin) || !clip(ddy, ymax - ay)) return;
    const double nax = ax + t0 * ddx, nay = ay + t0 * ddy;
    bx = ax + t1 * ddx;
    by = ay + t1 * ddy;
    ax = nax;
    ay = nay;
  }
  const double ddx = bx - ax, ddy = by - ay;
  const double len2 = ddx * ddx + ddy * ddy, len = std::sqrt(len2);
  const double R2 = R * R;
  constexpr double eps = 1e-9;
  const double top = std::min(ay, by) - R, bottom = std::max(ay, by) + R;
  const std::int64_t py0 = std::max<std::int64_t>(0, std::int64_t(std::ceil(std::max(top, -2.0) / 2.0 - eps)));
  const std::int64_t py1 =
      std::min<std::int64_t>(H - 1, std::int64_t(std::floor(std::min(bottom, 2.0 * H + 2.0) / 2.0 + eps)));
  for (std::int64_t py = py0; py <= py1; ++py) {
    const double Y = double(2 * py);
    double lo = INFINITY, hi = -INFINITY;
    auto disc = [&](double cx, double cy) {
      const double q = R2 - (Y - cy) * (Y - cy);
      if (q < 0) return;
      const double half = std::sqrt(q);
      lo = std::min(lo, cx - half);
      hi = std::max(hi, cx + half);
    };
    disc(ax, ay);
    disc(bx, by);
    if (len2 > 0) {
      // |cross| <= R*len and 0 <= dot <= len2, each linear in X.
      double blo = -INFINITY, bhi = INFINITY;
      const double ry = Y - ay;
      bool ok = true;
      if (ddy != 0.0) {
        double a = (ddx * ry - R * len) / ddy, b = (ddx * ry + R * len) / ddy;
        if (a > b) std::swap(a, b);
        blo = std::max(blo, ax + a);
        bhi = std::min(bhi, ax + b);
      } else if (std::fabs(ddx * ry) > R * len) {
        ok = false;
      }
      if (ddx != 0.0) {
        double a = (-ddy * ry) / ddx, b = (len2 - ddy * ry) / ddx;
        if (a > b) std::swap(a, b);
        blo = std::max(blo, ax + a);
        bhi = std::min(bhi, ax + b);
      } else {
        const double dot = ddy * ry;
        if (dot < 0 || dot > len2) ok = false;
      }
      if (ok && blo <= bhi) {
        lo = std::min(lo, blo);
        hi = std::max(hi, bhi);
      }
    }
    if (!(lo <= hi)) continue;
    // Pixel centres 2*px within [lo, hi].
    const double l = std::max(lo / 2.0 - eps, -1.0), r = std::min(hi / 2.0 + eps, double(W));
    const std::int64_t px0 = std::max<std::int64_t>(0, std::int64_t(std::ceil(l)));
    const std::int64_t px1 = std::min<std::int64_t>(W - 1, std::int64_t(std::floor(r)));
    if (px0 <= px1) sink.Span(std::int32_t(py), std::int32_t(px0), std::int32_t(px1 + 1), slot);
  }
}

// Strokes connected points with the pen: thin lines leave out the very last
// pixel and draw inner joints once; a closed path returns to its first point.
template <typename Sink>
void StrokePath(Sink& sink, std::int32_t W, std::int32_t H, const TPoint* pts, std::size_t n, bool closed,
                const TResolvedPen& pen) {
  if (pen.Clear || n == 0) return;
  const std::size_t segs = closed ? n : n - 1;
  if (pen.Wide) {
    if (n == 1) {
      Capsule(sink, W, H, pts[0].x, pts[0].y, pts[0].x, pts[0].y, pen.Width, 0);
      return;
    }
    for (std::size_t i = 0; i < segs; ++i) {
      const TPoint a = pts[i], b = pts[(i + 1) % n];
      Capsule(sink, W, H, a.x, a.y, b.x, b.y, pen.Width, 0);
    }
    return;
  }
  std::int64_t phase = 0;
  for (std::size_t i = 0; i < segs; ++i) {
    const TPoint a = pts[i], b = pts[(i + 1) % n];
    phase = ThinLine(sink, W, H, a.x, a.y, b.x, b.y, pen, phase);
  }
}

}  // namespace mivo::detail
