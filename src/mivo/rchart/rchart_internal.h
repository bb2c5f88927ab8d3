#pragma once
// Helpers shared by the chart's source files; private to the rchart module.

#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "mivo/base/univconst.h"
#include "mivo/rchart/rchart.h"
#include "mivo/rchart/rchart_layer_mapping.h"

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

// Whether a crosshair of mode `m` shows a vertical line (grabbed by its x) or
// a horizontal one (grabbed by its y); the small cross and the square count
// as both.
inline bool ShowsVerticalLine(TCrossHMode m) { return m != TCrossHMode::chOff && m != TCrossHMode::chHoriz; }
inline bool ShowsHorizontalLine(TCrossHMode m) { return m != TCrossHMode::chOff && m != TCrossHMode::chVert; }

// 64-bit pixel arithmetic saturated to the 32-bit range.
inline std::int32_t Sat32(std::int64_t v) {
  if (v > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (v < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return std::int32_t(v);
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
