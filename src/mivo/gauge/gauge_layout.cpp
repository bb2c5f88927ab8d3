// Gauge geometry: limits, the moving dial's range and the boxes of the
// background, index and cover, clipped to the picture.
#include "mivo/gauge/gauge_layout.h"

#include <algorithm>
#include <cmath>

#include "mivo/base/color_array.h"

namespace mivo {

namespace {

// Half widths of the triangles: rows (columns) 1 ... 10 away from their tip.
constexpr std::int32_t kTriangleRows = 10;
// The bands cover rows (columns) 1 ... 7 beyond the base line.
constexpr std::int64_t kBandFrom = 1, kBandTo = 7;
// The bar: its middle line from 2, its two side lines from 3, both to 10.
constexpr std::int64_t kBarMidFrom = 2, kBarSideFrom = 3, kBarTo = 10;

// Appends the box clipped to the picture; nothing when nothing of it is left.
void Add(TGaugeBoxes& out, const TGaugeFrame& f, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
         TColor color) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  x1 = std::max<std::int64_t>(x1, 0);
  y1 = std::max<std::int64_t>(y1, 0);
  x2 = std::min<std::int64_t>(x2, std::int64_t(f.ClipWidth) - 1);
  y2 = std::min<std::int64_t>(y2, std::int64_t(f.ClipHeight) - 1);
  if (x1 > x2 || y1 > y2) return;
  out.push_back({std::int32_t(x1), std::int32_t(y1), std::int32_t(x2), std::int32_t(y2), color});
}

// One line across the gauge: a full-height column x (horizontal) or a
// full-width row y (vertical).
void AddCross(TGaugeBoxes& out, const TGaugeFrame& f, bool horizontal, std::int64_t at, TColor color) {
  if (horizontal)
    Add(out, f, at, 0, at, std::int64_t(f.Height) - 1, color);
  else
    Add(out, f, 0, at, std::int64_t(f.Width) - 1, at, color);
}

// A box given along the dial (from, to) and across it (acrossFrom, acrossTo).
void AddAlong(TGaugeBoxes& out, const TGaugeFrame& f, bool horizontal, std::int64_t from, std::int64_t to,
              std::int64_t acrossFrom, std::int64_t acrossTo, TColor color) {
  if (horizontal)
    Add(out, f, from, acrossFrom, to, acrossTo, color);
  else
    Add(out, f, acrossFrom, from, acrossTo, to, color);
}

// A triangle with its tip at `tip` across the dial, opening towards `dir`
// (+1 away from the dial's labels, -1 towards them), centred on p.
void AddTriangle(TGaugeBoxes& out, const TGaugeFrame& f, bool horizontal, std::int64_t p, std::int64_t tip,
                 std::int64_t dir, TColor color) {
  for (std::int64_t i = 1; i <= kTriangleRows; ++i) {
    const std::int64_t across = tip + dir * (i - 1);
    AddAlong(out, f, horizontal, p - i / 2, p + i / 2, across, across, color);
  }
}

// Inclusive index range [lo, hi] of the i in [0, n] whose line `start + i`
// lies on the picture's 0 ... limit - 1.
bool VisibleSteps(std::int64_t start, std::int64_t n, std::int64_t limit, std::int64_t& lo, std::int64_t& hi) {
  lo = std::max<std::int64_t>(0, -start);
  hi = std::min<std::int64_t>(n, limit - 1 - start);
  return lo <= hi;
}

}  // namespace

double LimitGaugeValue(double value, double min, double max) {
  const double lo = std::min(min, max), hi = std::max(min, max);
  return std::clamp(value, lo, hi);
}

std::int32_t LimitGaugeMargin(std::int32_t margin, std::int32_t size, std::int32_t opposite) {
  const std::int64_t limit = std::int64_t(size) - opposite - kGaugeMinWindow;
  return std::int32_t(std::max<std::int64_t>(0, std::min<std::int64_t>(margin, limit)));
}

bool MovingDialRange(double value, double min, double max, bool logarithmic, double& lo, double& hi) {
  double a, b;
  if (logarithmic) {
    const double r = std::sqrt(max / min);
    a = value / r;
    b = value * r;
  } else {
    const double d = std::fabs(max - min) / 2;
    a = value - d;
    b = value + d;
  }
  if (!std::isfinite(a) || !std::isfinite(b)) return false;
  lo = a;
  hi = b;
  return true;
}

std::int64_t GaugeBaseLine(const TGaugeFrame& f, TGaugeOrientation o) {
  if (o == TGaugeOrientation::goHorizontal) return std::int64_t(f.Height) - f.MarginBottom - kGaugeIndexRoom - 1;
  return std::int64_t(f.Width) - f.MarginRight - kGaugeIndexRoom - 1;
}

std::int64_t GaugeWindowMiddle(const TGaugeFrame& f, TGaugeOrientation o) {
  if (o == TGaugeOrientation::goHorizontal) return f.MarginLeft + f.WindowWidth() / 2;
  return f.MarginTop + f.WindowHeight() / 2;
}

void GaugeBackgroundBoxes(TGaugeBackground kind, const TGaugeFrame& f, TColor c1, TColor c2, TGaugeBoxes& out) {
  const std::int64_t w = f.WindowWidth(), h = f.WindowHeight();
  std::int64_t lo = 0, hi = 0;
  switch (kind) {
    case TGaugeBackground::gbPlain: Add(out, f, 0, 0, std::int64_t(f.Width) - 1, std::int64_t(f.Height) - 1, c1); break;
    case TGaugeBackground::gbVertGrad:
      if (w > 0 && VisibleSteps(f.MarginLeft, w, f.ClipWidth, lo, hi))
        for (std::int64_t i = lo; i <= hi; ++i)
          AddCross(out, f, true, f.MarginLeft + i, InterpolateColor(c1, c2, double(i) / double(w)));
      break;
    case TGaugeBackground::gbHorizGrad:
      if (h > 0 && VisibleSteps(f.MarginTop, h, f.ClipHeight, lo, hi))
        for (std::int64_t i = lo; i <= hi; ++i)
          AddCross(out, f, false, f.MarginTop + i, InterpolateColor(c1, c2, double(i) / double(h)));
      break;
    case TGaugeBackground::gbVertMidBand:
    case TGaugeBackground::gbHorizMidBand: {
      // Lines from both sides towards the middle, each pair in one colour.
      const bool vert = kind == TGaugeBackground::gbVertMidBand;
      const std::int64_t n = vert ? w : h;
      if (n <= 0) break;
      const std::int64_t near = vert ? f.MarginLeft : f.MarginTop;
      const std::int64_t far = vert ? std::int64_t(f.Width) - f.MarginRight : std::int64_t(f.Height) - f.MarginBottom;
      const std::int64_t limit = vert ? f.ClipWidth : f.ClipHeight;
      const std::int64_t half = n / 2;
      // Only the steps whose near or far line lies on the picture.
      std::int64_t nearLo = 0, nearHi = -1, farLo = 0, farHi = -1;
      VisibleSteps(near, half, limit, nearLo, nearHi);
      farLo = std::max<std::int64_t>(0, far - (limit - 1));
      farHi = std::min<std::int64_t>(half, far);
      auto colorAt = [&](std::int64_t i) { return InterpolateColor(c1, c2, double(2 * i) / double(n)); };
      for (std::int64_t i = nearLo; i <= nearHi; ++i) AddCross(out, f, vert, near + i, colorAt(i));
      for (std::int64_t i = farLo; i <= farHi; ++i) AddCross(out, f, vert, far - i, colorAt(i));
      break;
    }
  }
}

void GaugeIndexBoxes(const TGaugeIndexInput& in, const TGaugeFrame& f, TGaugeBoxes& out) {
  const bool horz = in.Orientation == TGaugeOrientation::goHorizontal;
  const std::int64_t p = in.P;
  const std::int64_t b = GaugeBaseLine(f, in.Orientation);
  const TColor c1 = in.Color1, c2 = in.Color2;
  switch (in.Mode) {
    case TGaugeIndexMode::gimThread: AddCross(out, f, horz, p, c1); break;
    case TGaugeIndexMode::gimTriangle: AddTriangle(out, f, horz, p, b + 1, 1, c1); break;
    case TGaugeIndexMode::gimThreadTriangle:
      AddCross(out, f, horz, p, c1);
      // One row lower on a horizontal gauge; at the base line's side on a vertical one.
      AddTriangle(out, f, horz, p, horz ? b + 2 : b + 1, 1, c2);
      break;
    case TGaugeIndexMode::gimThreadTwoTriangles: {
      AddCross(out, f, horz, p, c1);
      AddTriangle(out, f, horz, p, b + 1, 1, c2);
      const std::int64_t upperTip = std::int64_t(horz ? f.MarginTop : f.MarginLeft) + kTriangleRows - 1;
      AddTriangle(out, f, horz, p, upperTip, -1, c2);
      break;
    }
    case TGaugeIndexMode::gimBand: {
      const std::int64_t w = f.WindowWidth(), h = f.WindowHeight();
      if (horz) {
        if (p < f.MarginLeft) break;
        const std::int64_t from = std::max<std::int64_t>(f.MarginLeft, 0);
        const std::int64_t to = std::min<std::int64_t>(p, std::int64_t(f.ClipWidth) - 1);
        for (std::int64_t x = from; x <= to; ++x) {
          const double frac = w > 0 ? double(x - f.MarginLeft) / double(w) : 0.0;
          AddAlong(out, f, true, x, x, b + kBandFrom, b + kBandTo, InterpolateColor(c1, c2, frac));
        }
      } else {
        const std::int64_t bottom = std::int64_t(f.Height) - f.MarginBottom;
        if (p > bottom) break;
        const std::int64_t from = std::min<std::int64_t>(bottom, std::int64_t(f.ClipHeight) - 1);
        const std::int64_t to = std::max<std::int64_t>(p, 0);
        for (std::int64_t y = from; y >= to; --y) {
          const double frac = h > 0 ? double(bottom - y) / double(h) : 0.0;
          AddAlong(out, f, false, y, y, b + kBandFrom, b + kBandTo, InterpolateColor(c1, c2, frac));
        }
      }
      break;
    }
    case TGaugeIndexMode::gimDualColorBand: {
      // Along the dial's direction of growth from the zero to the value (at or
      // above zero) or from the value to the zero (below); nothing when the
      // two lie the other way round.
      const std::int64_t z = in.Z;
      std::int64_t first = in.AtOrAboveZero ? z : p, second = in.AtOrAboveZero ? p : z;
      if (!horz) std::swap(first, second);  // values grow upwards: rows from the larger down to the smaller
      if (first > second) break;
      AddAlong(out, f, horz, first, second, b + kBandFrom, b + kBandTo, in.AtOrAboveZero ? c1 : c2);
      break;
    }
    case TGaugeIndexMode::gimBar:
      AddAlong(out, f, horz, p, p, b + kBarMidFrom, b + kBarTo, c1);
      AddAlong(out, f, horz, p - 1, p - 1, b + kBarSideFrom, b + kBarTo, c1);
      AddAlong(out, f, horz, p + 1, p + 1, b + kBarSideFrom, b + kBarTo, c1);
      break;
  }
}

void GaugeCoverBoxes(const TGaugeFrame& f, TColor color, TGaugeBoxes& out) {
  const std::int64_t w = f.Width, h = f.Height;
  if (f.MarginLeft > 0) Add(out, f, 0, 0, std::int64_t(f.MarginLeft) - 1, h - 1, color);
  if (f.MarginRight > 0) Add(out, f, w - f.MarginRight, 0, w - 1, h - 1, color);
  if (f.MarginTop > 0) Add(out, f, 0, 0, w - 1, std::int64_t(f.MarginTop) - 1, color);
  if (f.MarginBottom > 0) Add(out, f, 0, h - f.MarginBottom, w - 1, h - 1, color);
}

bool PointInGaugeDial(std::int32_t x, std::int32_t y, std::int32_t dialLeft, std::int32_t dialRight,
                      std::int32_t dialTop, std::int32_t dialBottom, std::int32_t width, std::int32_t height) {
  return x >= dialLeft && std::int64_t(x) <= std::int64_t(width) - dialRight && y >= dialTop &&
         std::int64_t(y) <= std::int64_t(height) - dialBottom;
}

}  // namespace mivo
