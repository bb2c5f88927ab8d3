#include "mivo/colorscale/colorscale_map.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "mivo/platform/mivo_types.h"

namespace mivo {

namespace {

// Where on the bar a press stops zooming one end and starts panning, and
// where it starts zooming the other end (fractions of the bar length).
constexpr double kPanZoneStart = 0.42;
constexpr double kPanZoneEnd = 0.58;

std::int32_t LimitEntry(double position, std::int32_t n) {
  return std::clamp(RoundToInt(std::fmin(std::fmax(position, 1.0), double(n))), 1, n);
}

}  // namespace

std::int32_t ValueToColorIndex(double v, double colorLow, double colorHigh, std::int32_t n) {
  if (n <= 0 || std::isnan(v)) return 0;
  const double span = colorHigh - colorLow;
  const double position = span == 0 ? double(n) / 2 : (v - colorLow) * double(n) / span;
  if (std::isnan(position)) return 0;  // a non-finite colour range
  return LimitEntry(position, n);
}

double ColorIndexToValue(std::int32_t index, std::int32_t n, double colorLow, double colorHigh) {
  if (n <= 0) return colorLow;
  return colorLow + double(index) / double(n) * (colorHigh - colorLow);
}

std::int32_t LimitMargin(std::int32_t value, std::int32_t size, std::int32_t opposite) {
  const std::int64_t limit = std::int64_t(size) - opposite - 1;
  const std::int64_t v = std::min<std::int64_t>(value, limit);
  return std::int32_t(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                               std::numeric_limits<std::int32_t>::max()));
}

TColorBarLayout ColorBarLayout(std::int32_t barFirst, std::int32_t barLast, std::int32_t pixLow,
                               std::int32_t pixHigh, std::int32_t n, bool extend, bool lowAtFirst) {
  TColorBarLayout l;
  l.BarFirst = barFirst;
  l.BarLast = barLast;
  l.PixLow = pixLow;
  l.PixHigh = pixHigh;
  l.N = std::max(n, 0);
  l.Extend = extend;
  l.LowAtFirst = pixLow == pixHigh ? lowAtFirst : pixLow < pixHigh;
  // The part of the colour range on the bar; a range wholly beyond one end
  // leaves no gradient (the strips of Extend cover the bar then).
  l.GradFirst = std::max(std::min(pixLow, pixHigh), barFirst);
  l.GradLast = std::min(std::max(pixLow, pixHigh), barLast);
  return l;
}

std::int32_t ColorBarEntry(const TColorBarLayout& l, std::int32_t pos) {
  if (l.N <= 0 || pos < l.BarFirst || pos > l.BarLast) return 0;
  if (l.GradFirst <= l.GradLast && pos >= l.GradFirst && pos <= l.GradLast) {
    if (l.PixLow == l.PixHigh) return std::clamp(l.N / 2, 1, l.N);
    const double f = (double(pos) - l.PixLow) / (double(l.PixHigh) - l.PixLow);
    return LimitEntry(f * l.N, l.N);
  }
  if (!l.Extend) return 0;
  // Beyond the gradient: the side before it or after it (with no gradient on
  // the bar, the side the colour range lies beyond decides).
  const bool beforeRange = pos < std::min(l.PixLow, l.PixHigh);
  return beforeRange == l.LowAtFirst ? 1 : l.N;
}

TZoomPanMode ZoomPanModeAt(bool horizontal, std::int32_t pos, std::int32_t barStart, std::int32_t length) {
  const std::int64_t p1 = RoundToInt(kPanZoneStart * length);
  const std::int64_t p2 = RoundToInt(kPanZoneEnd * length);
  const std::int64_t rel = std::int64_t(pos) - barStart;
  if (rel < p1) return horizontal ? TZoomPanMode::zpmColZoomLeft : TZoomPanMode::zpmColZoomRight;
  if (rel > p2) return horizontal ? TZoomPanMode::zpmColZoomRight : TZoomPanMode::zpmColZoomLeft;
  return TZoomPanMode::zpmPan;
}

TValueRange ZoomPanRange(TZoomPanMode mode, double anchorLow, double anchorHigh, double shift) {
  switch (mode) {
    case TZoomPanMode::zpmColZoomLeft: return {anchorLow - shift, anchorHigh};
    case TZoomPanMode::zpmColZoomRight: return {anchorLow, anchorHigh - shift};
    case TZoomPanMode::zpmPan: break;
  }
  return {anchorLow - shift, anchorHigh - shift};
}

double ZoomPanShift(double width, std::int32_t delta, std::int32_t length) {
  if (length <= 0) return 0;
  return width * double(delta) / double(length);
}

}  // namespace mivo
