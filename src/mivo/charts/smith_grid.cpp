// The Smith grid: drawn by InitGraf over the chart's background. Every world
// point goes through the linear mapping of layer 1 moved to the canvas' data
// area. Circles are handed to the canvas' Arc, which runs counter-clockwise
// on the screen from its start radial to its end radial; the world plane has
// y up, so a world arc that runs counter-clockwise runs so on the screen too
// (and the radials are swapped when one axis is reversed).
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "mivo/charts/smith_chart.h"
#include "mivo/charts/smith_grid_internal.h"

namespace mivo {

namespace detail {

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;
// Length in pixels of the radials handed to Arc: long enough that their
// rounding turns a direction by less than 1/4000 radian.
constexpr long double kRadialLength = 4096;
// Samples of the visible part of a big circle, at most.
constexpr std::int32_t kMaxBigArcSteps = 256;
// Pixels added around the data area when a big circle's visible part is sought.
constexpr long double kBigCircleMargin = 4;

std::int32_t Pix(long double v) {
  if (std::isnan(v)) return 0;
  return RoundToInt(double(std::clamp<long double>(v, -2147483647.0L, 2147483647.0L)));
}

std::int32_t Sat(std::int64_t v) {
  return std::int32_t(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

// A circle of the reflection plane, centre (U, V) and radius R, and the part
// of it to draw: from the direction angle Start counter-clockwise (in the
// world, y up) by Sweep radians; the whole circle when Full.
struct TWorldArc {
  long double U, V, R;
  long double Start = 0, Sweep = 0;
  bool Full = true;
};

class TGridPainter {
 public:
  TGridPainter(TCanvas& canvas, const TSmithGridMap& m, const TRect& area) : C(canvas), M(m), A(area) {}

  long double X(long double re) const { return M.Kx * re + M.Dx; }
  long double Y(long double im) const { return M.Ky * im + M.Dy; }
  std::int32_t PX(long double re) const { return Pix(X(re)); }
  std::int32_t PY(long double im) const { return Pix(Y(im)); }

  // The outline of the arc with the current pen; with `fill` the whole disc
  // is filled with the current brush first (Ellipse).
  void Draw(const TWorldArc& a, bool fill) {
    const long double x1 = X(a.U - a.R), x2 = X(a.U + a.R), y1 = Y(a.V - a.R), y2 = Y(a.V + a.R);
    const bool big = std::max({std::fabs(x1), std::fabs(x2), std::fabs(y1), std::fabs(y2)}) > kSmithBigCircle;
    if (big) {
      if (fill) FillBigDisc(a);
      DrawBigArc(a);
      return;
    }
    const std::int32_t l = Pix(x1), r = Pix(x2), t = Pix(y1), b = Pix(y2);
    if (fill) {
      C.Ellipse(l, t, r, b);
      if (a.Full) return;
    }
    // The radials start at the box centre, as the canvas measures angles.
    const long double cx = (static_cast<long double>(l) + r) / 2, cy = (static_cast<long double>(t) + b) / 2;
    if (a.Full) {
      const std::int32_t px = Pix(cx + kRadialLength), py = Pix(cy);
      C.Arc(l, t, r, b, px, py, px, py);  // equal radials: the whole circle
      return;
    }
    TPoint s = Radial(cx, cy, a.Start), e = Radial(cx, cy, a.Start + a.Sweep);
    if ((M.Kx > 0) == (M.Ky > 0)) std::swap(s, e);  // one axis reversed: the screen sees the mirror image
    C.Arc(l, t, r, b, s.x, s.y, e.x, e.y);
  }

 private:
  // The point kRadialLength pixels from (cx, cy) in the screen direction of
  // the world direction `angle`.
  TPoint Radial(long double cx, long double cy, long double angle) const {
    const long double dx = M.Kx * std::cos(angle), dy = M.Ky * std::sin(angle);
    const long double n = std::hypot(dx, dy);
    if (!(n > 0)) return {Pix(cx + kRadialLength), Pix(cy)};
    return {Pix(cx + kRadialLength * dx / n), Pix(cy + kRadialLength * dy / n)};
  }

  // The world angle window around the part of a big circle that can be
  // visible; false when no part of it comes near the data area.
  bool VisibleWindow(const TWorldArc& a, long double& t0, long double& half) const {
    const long double kmin = std::min(std::fabs(M.Kx), std::fabs(M.Ky));
    if (!(kmin > 0)) return false;
    const long double acx = (static_cast<long double>(A.Left) + A.Right) / 2;
    const long double acy = (static_cast<long double>(A.Top) + A.Bottom) / 2;
    const long double diag = std::hypot(static_cast<long double>(A.Width()), static_cast<long double>(A.Height())) / 2 +
                             kBigCircleMargin;
    const long double wx = (acx - M.Dx) / M.Kx - a.U, wy = (acy - M.Dy) / M.Ky - a.V;
    const long double dist = std::hypot(wx, wy);
    if (!std::isfinite(dist) || std::fabs(dist - a.R) * kmin > diag) return false;
    t0 = std::atan2(wy, wx);
    // Points of the circle within `diag` of the centre of the area lie within
    // this angle of the nearest one.
    half = std::min(kPi, 4 * diag / (kmin * a.R));
    return std::isfinite(t0) && std::isfinite(half);
  }

  // The visible part as polylines whose chords stay within a quarter pixel
  // of the circle.
  void DrawBigArc(const TWorldArc& a) {
    long double t0 = 0, half = 0;
    if (!VisibleWindow(a, t0, half)) return;
    const long double rpix = a.R * std::max(std::fabs(M.Kx), std::fabs(M.Ky));
    const long double step = std::sqrt(2 / rpix);
    const long double s0 = a.Full ? t0 - half : a.Start, s1 = a.Full ? t0 + half : a.Start + a.Sweep;
    for (int k = -1; k <= 1; ++k) {
      const long double lo = std::max(t0 - half + 2 * kPi * k, s0), hi = std::min(t0 + half + 2 * kPi * k, s1);
      if (!(lo < hi)) continue;
      const std::int32_t n =
          std::clamp<std::int32_t>(std::int32_t(std::ceil((hi - lo) / step)), 1, kMaxBigArcSteps);
      std::array<TPoint, kMaxBigArcSteps + 1> pts;
      for (std::int32_t i = 0; i <= n; ++i) {
        const long double t = lo + (hi - lo) * i / n;
        pts[std::size_t(i)] = {PX(a.U + a.R * std::cos(t)), PY(a.V + a.R * std::sin(t))};
      }
      C.Polyline(std::span<const TPoint>(pts.data(), std::size_t(n) + 1));
    }
  }

  // The disc row by row over the data area, in the brush colour.
  void FillBigDisc(const TWorldArc& a) {
    if (M.Kx == 0 || M.Ky == 0) return;
    for (std::int32_t y = A.Top; y < A.Bottom; ++y) {
      const long double dy = (y - M.Dy) / M.Ky - a.V;
      if (!(std::fabs(dy) <= a.R)) continue;
      const long double h = std::sqrt(a.R * a.R - dy * dy);
      long double xa = X(a.U - h), xb = X(a.U + h);
      if (xa > xb) std::swap(xa, xb);
      const std::int32_t l = std::max(A.Left, Pix(xa)), r = std::min(A.Right, Sat(std::int64_t(Pix(xb)) + 1));
      if (l < r) C.FillRect(Rect(l, y, r, y + 1));
    }
  }

  TCanvas& C;
  const TSmithGridMap& M;
  const TRect& A;
};

// Text centred on (x, y), integer halves.
void CentredText(TCanvas& c, std::int64_t x, std::int64_t y, const std::string& text) {
  const TSize sz = c.TextExtent(text);
  c.TextOut(Sat(x - sz.cx / 2), Sat(y - sz.cy / 2), text);
}

}  // namespace

void DrawSmithGrid(TCanvas& canvas, const TSmithGridMap& m, const TRect& area, const TSmithGridStyle& style) {
  if (m.Kx == 0 || m.Ky == 0) return;
  TGridPainter p(canvas, m, area);
  canvas.Pen = TPen{};
  canvas.Pen.Color = style.Dark;
  canvas.Brush = TBrush{style.Diagram, TBrushStyle::bsSolid};
  canvas.CopyMode = TCopyMode::cmSrcCopy;
  canvas.TextAlign = TTextAlign{};

  // The unit circle, filled, and the real axis.
  const std::int32_t xc = p.PX(0), yc = p.PY(0);
  p.Draw(TWorldArc{0, 0, 1}, true);
  canvas.MoveTo(p.PX(-1), yc);
  canvas.LineTo(p.PX(1), yc);
  const std::int32_t level = SmithLabelLevel(double(std::int64_t(p.PX(1)) - p.PX(-1)));
  const auto labelled = [&](const TSmithGridRow& row) { return style.Labels && level >= row.Level; };

  // Resistance circles, centre r/(r+1), radius 1/(r+1): counter-clockwise
  // from the direction +gap to -gap, leaving a gap of +-gap around G = 1
  // where they all touch; a gap of pi or more leaves none.
  canvas.Brush.Style = TBrushStyle::bsClear;
  for (const TSmithGridRow& row : kSmithGrid) {
    canvas.Pen.Color = row.Dark ? style.Dark : style.Light;
    const long double r = row.Value, v = 1 / (r + 1);
    TWorldArc a{r * v, 0, v};
    if (row.Gap < kPi) {
      a.Full = false;
      a.Start = row.Gap;
      a.Sweep = 2 * kPi - 2 * row.Gap;
    }
    p.Draw(a, false);
  }

  // Reactance arcs, circle centre (1, +-1/x), radius 1/x. The upper arc runs
  // counter-clockwise from its meeting point P with the unit circle inwards to
  // the ray from its centre through (stop, 0); the lower arc, its mirror
  // image, from that ray counter-clockwise out to P'. Each end on the unit
  // circle carries the label of +-x, 10 pixels out from the centre.
  for (std::size_t i = 1; i < kSmithGrid.size(); ++i) {
    const TSmithGridRow& row = kSmithGrid[i];
    canvas.Pen.Color = row.Dark ? style.Dark : style.Light;
    const long double v = 1 / static_cast<long double>(row.Value), q = 1 + v * v;
    const long double pr = (1 - v * v) / q, pi = 2 * v / q;  // P = (pr, pi), P' = (pr, -pi)
    const long double atP = std::atan2(pi - v, pr - 1);       // direction of P from (1, v)
    const long double atStop = std::atan2(-v, static_cast<long double>(row.Stop) - 1);
    // From P (near pi, left of the centre) down to the stop ray (below it).
    long double sweep = atStop - atP;
    if (sweep < 0) sweep += 2 * kPi;
    p.Draw(TWorldArc{1, v, v, atP, sweep, false}, false);
    const std::string text = SmithLabelText(row.Value);
    const auto label = [&](long double im, const std::string& t) {
      const std::int32_t x = p.PX(pr), y = p.PY(im);
      const TPoint o = SmithLabelOffset(std::int64_t(x) - xc, std::int64_t(y) - yc);
      CentredText(canvas, std::int64_t(x) + o.x, std::int64_t(y) + o.y, t);
    };
    if (labelled(row)) label(pi, text);
    // The mirror image: from the mirrored stop ray to P'.
    p.Draw(TWorldArc{1, -v, v, -atStop, sweep, false}, false);
    if (labelled(row)) label(-pi, SmithLabelText(-row.Value));
  }

  // Resistance labels where each circle crosses the real axis on the left.
  canvas.Brush = TBrush{style.Diagram, TBrushStyle::bsSolid};
  for (const TSmithGridRow& row : kSmithGrid) {
    if (!labelled(row)) continue;
    const long double r = row.Value;
    CentredText(canvas, p.PX((r - 1) / (r + 1)), yc, SmithLabelText(row.Value));
  }
}

}  // namespace detail

void TSmithChart::InitGraf(TCanvas& canvas, std::int32_t left, std::int32_t top, std::int32_t width,
                           std::int32_t height) {
  TCustomRChart::InitGraf(canvas, left, top, width, height);
  // The grid lives in a linear plane.
  if (ScalePropsX(1).Logarithmic() || ScalePropsY(1).Logarithmic()) return;
  detail::TSmithGridMap m;
  m.Kx = Cpkx(1);
  m.Dx = Cpdx(1) - MarginLeft() + left;
  m.Ky = Cpky(1);
  m.Dy = Cpdy(1) - MarginTop() + top;
  canvas.Font = Font();
  // On a printer the control's point size is kept at the printer's resolution.
  if (canvas.IsPrinter()) canvas.Font.PixelsPerInch = canvas.PixelsPerInch();
  const TRect area =
      Rect(left, top, detail::Sat(std::int64_t(left) + width), detail::Sat(std::int64_t(top) + height));
  detail::DrawSmithGrid(canvas, m, area, detail::TSmithGridStyle{FGridColLight, FGridColDark, FDiagramColor, true});
  // The background's outline in the frame colour stays on top of a unit
  // circle that reaches beyond the data area.
  if (BackGroundImg().Name().empty()) {
    canvas.Pen = TPen{};
    canvas.Pen.Color = ChartFrameColor();
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Rectangle(area);
  }
}

}  // namespace mivo
