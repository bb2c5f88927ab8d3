#pragma once
// The world-to-pixel mapping of one chart layer, copied out of the chart for
// loops over many points: the chart's own item renderer and the descendants
// that write pixels themselves (the contour plot) map exactly as R2M does.

#include <cmath>
#include <cstdint>

#include "mivo/platform/export.h"
#include "mivo/platform/mivo_types.h"
#include "mivo/rchart/rchart.h"

MIVO_PUBLIC_BEGIN
namespace mivo::detail {

// A mapped coordinate limited to +-2147483647 and rounded half to even; NaN
// gives the upper limit.
inline std::int32_t ClampPixel(long double p) {
  if (std::isnan(p)) return std::int32_t(kPixelClamp);
  if (p > kPixelClamp) p = kPixelClamp;
  if (p < -kPixelClamp) p = -kPixelClamp;
  return RoundToInt(double(p));
}

// k * v + d in extended precision, limited and rounded by ClampPixel. Kept
// out of line (and given the coefficients by reference) so that the double
// path below carries no extended arithmetic.
[[gnu::noinline]] inline std::int32_t ExtendedLinearPixel(const long double& k, const long double& d, double v) {
  return ClampPixel(k * v + d);
}

// Where LinearPixel's double path holds: pixel and offset below this size,
// and a fraction farther than kLinearNearHalf from a half (the renderer's
// vector mapping of marks keeps to the same bounds).
inline constexpr double kLinearDoubleLimit = 1e9;
inline constexpr double kLinearNearHalf = 1e-5;

// One linear coordinate as ExtendedLinearPixel gives it. With |p| and |d|
// below 1e9 the double result p lies within 2e-6 of the extended one, so away
// from a half it rounds to the same pixel; values near a half, large pixels
// and non-finite input take the extended path.
inline std::int32_t LinearPixel(const long double& k, const long double& d, double kd, double dd, double v) {
  const double p = kd * v + dd;
  if (std::fabs(p) < kLinearDoubleLimit && std::fabs(dd) < kLinearDoubleLimit) {  // false for NaN
    const auto t = static_cast<std::int32_t>(p);
    const double f = p - t;
    if (std::fabs(std::fabs(f) - 0.5) > kLinearNearHalf) return t + (f > 0.5) - (f < -0.5);
  }
  return ExtendedLinearPixel(k, d, v);
}

// The mapping of one layer, copied out of the chart for loops over many items.
struct TLayerMapping {
  long double kx = 0, dx = 0, ky = 0, dy = 0;
  double kxd = 0, dxd = 0, kyd = 0, dyd = 0;  // the same in doubles
  bool logX = false, logY = false;
  bool ascX = true, ascY = true;
  std::int32_t width = 0, height = 0;

  std::int32_t MapX(double x) const {
    if (logX) {
      if (!(x > kLogAxisMin)) return ascX ? 0 : width;
      return ClampPixel(std::log(static_cast<long double>(x)) * kx + dx);
    }
    return LinearPixel(kx, dx, kxd, dxd, x);
  }
  std::int32_t MapY(double y) const {
    if (logY) {
      if (!(y > kLogAxisMin)) return ascY ? height : 0;
      return ClampPixel(std::log(static_cast<long double>(y)) * ky + dy);
    }
    return LinearPixel(ky, dy, kyd, dyd, y);
  }
};

inline TLayerMapping LayerMapping(const TCustomRChart& c, std::int32_t layer) {
  TLayerMapping m;
  m.kx = c.Cpkx(layer);
  m.dx = c.Cpdx(layer);
  m.ky = c.Cpky(layer);
  m.dy = c.Cpdy(layer);
  m.kxd = double(m.kx);
  m.dxd = double(m.dx);
  m.kyd = double(m.ky);
  m.dyd = double(m.dy);
  const TScaleProps& px = c.ScalePropsX(layer);
  const TScaleProps& py = c.ScalePropsY(layer);
  m.logX = px.Logarithmic();
  m.logY = py.Logarithmic();
  m.ascX = px.RangeHigh() >= px.RangeLow();
  m.ascY = py.RangeHigh() >= py.RangeLow();
  m.width = c.Width();
  m.height = c.Height();
  return m;
}

}  // namespace mivo::detail
MIVO_PUBLIC_END
