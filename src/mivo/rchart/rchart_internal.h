#pragma once
// Helpers shared by the chart's source files; private to the rchart module.

#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "mivo/base/univconst.h"
#include "mivo/rchart/rchart.h"

namespace mivo::detail {

// Holds painting off for a scope: sets the flag and restores the value it had,
// also when an exception leaves the scope. Release() ends the hold with the
// flag still set and gives the saved value, for callers that restore it
// through SetSuppressPaint (which paints when painting becomes enabled).
class TPaintHold {
 public:
  explicit TPaintHold(bool& flag) : FFlag(&flag), FSaved(flag) { flag = true; }
  TPaintHold(const TPaintHold&) = delete;
  TPaintHold& operator=(const TPaintHold&) = delete;
  ~TPaintHold() {
    if (FFlag) *FFlag = FSaved;
  }
  bool Release() {
    FFlag = nullptr;
    return FSaved;
  }

 private:
  bool* FFlag;
  bool FSaved;
};

// Holds back the change notification of a settings object for a scope (or
// until Restore), so that the chart can redraw once, or not at all.
class TMuted {
 public:
  explicit TMuted(TNotifyEvent& event) : FEvent(&event), FSaved(std::move(event)) { event = nullptr; }
  TMuted(const TMuted&) = delete;
  TMuted& operator=(const TMuted&) = delete;
  ~TMuted() { Restore(); }
  void Restore() {
    if (!FEvent) return;
    *FEvent = std::move(FSaved);
    FEvent = nullptr;
  }

 private:
  TNotifyEvent* FEvent;
  TNotifyEvent FSaved;
};

// Copies a settings object's values into `own` without its notification.
template <typename T>
void AssignMuted(T& own, const TPersistent& source) {
  TMuted muted(own.OnChange);
  own.Assign(source);
}

// 64-bit pixel arithmetic saturated to the 32-bit range.
inline std::int32_t Sat32(std::int64_t v) {
  if (v > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (v < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return std::int32_t(v);
}

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

// One linear coordinate as ExtendedLinearPixel gives it. With |p| and |d|
// below 1e9 the double result p lies within 2e-6 of the extended one, so away
// from a half it rounds to the same pixel; values near a half, large pixels
// and non-finite input take the extended path.
inline std::int32_t LinearPixel(const long double& k, const long double& d, double kd, double dd, double v) {
  const double p = kd * v + dd;
  if (std::fabs(p) < 1e9 && std::fabs(dd) < 1e9) {  // false for NaN
    const auto t = static_cast<std::int32_t>(p);
    const double f = p - t;
    if (std::fabs(std::fabs(f) - 0.5) > 1e-5) return t + (f > 0.5) - (f < -0.5);
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

// Widens lo ... hi by `margin` percent at each end: linearly, or on a
// logarithmic axis by that share of the logarithmic span (ln(hi) alone when
// lo is not positive).
inline void ApplyMargin(double& lo, double& hi, bool logarithmic, double margin) {
  const double m = margin / 100;
  if (!logarithmic) {
    const double d = m * (hi - lo);
    lo -= d;
    hi += d;
    return;
  }
  const double q = lo > 0 ? std::log(hi / lo) : std::log(hi);
  lo *= std::exp(-m * q);
  hi *= std::exp(m * q);
}

// Widens lo ... hi to at least minRange percent of its (signed) centre.
inline void ApplyMinRange(double& lo, double& hi, double minRange) {
  const double c = minRange * ((lo + hi) / 2) / 100;
  if (c > std::fabs(hi - lo)) {
    lo -= c;
    hi += c;
  }
}

}  // namespace mivo::detail

namespace mivo {
using detail::TPaintHold;
}
