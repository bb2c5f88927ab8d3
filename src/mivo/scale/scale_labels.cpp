#include "mivo/scale/scale_labels.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>

#include "mivo/base/number_format.h"
#include "mivo/platform/mivo_types.h"

namespace mivo {

namespace {

std::string CutNumeric(std::string s) {
  if (s.size() > kMaxNumericLabelLength) s.resize(kMaxNumericLabelLength);
  return s;
}

// "2.50" -> "2.5", "20.0" -> "20"; untouched without "." or with an exponent.
std::string TrimTrailingZeros(std::string s) {
  if (s.find('.') == std::string::npos || s.find_first_of("eE") != std::string::npos) return s;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  return s;
}

std::string ApplyUserTextOrInscription(std::string label, std::int32_t index, const TNumberLabelSettings& s) {
  if (s.UserTexts) return ExtractUserText(s.UserTickText, index);
  return AddScaleInscription(label, s.ScaleInscript);
}

}  // namespace

std::string ExtractUserText(std::string_view text, std::int32_t index) {
  if (index < 1) index = 1;
  std::size_t start = 0;
  for (std::int32_t field = 1;; ++field) {
    const std::size_t bar = text.find('|', start);
    if (bar == std::string_view::npos || field == index) return std::string(text.substr(start, bar - start));
    start = bar + 1;
  }
}

std::string AddScaleInscription(std::string_view label, std::string_view inscription) {
  if (label.empty()) return "";
  const std::size_t amp = inscription.find('&');
  if (amp == std::string_view::npos) return std::string(inscription) + std::string(label);
  return std::string(inscription.substr(0, amp)) + std::string(label) + std::string(inscription.substr(amp + 1));
}

std::int32_t LinearDecimals(double low, double high, std::int32_t decPlaces) {
  if (decPlaces != -2 && decPlaces != -3) return decPlaces;
  const double d = std::fabs(high - low);
  if (!std::isfinite(d) || d >= kExponentWideRange || d <= kExponentNarrowRange) return -1;
  if (d >= 100) return 0;
  return 2 - RoundToInt(std::log(d) / 2.5);
}

std::int32_t LogDecimals(double low, double high, std::int32_t decPlaces) {
  if (decPlaces != -2) return decPlaces;
  const double lo = std::fmin(low, high);
  const double hi = std::fmax(low, high);
  const double d = hi - lo;
  if (!std::isfinite(d) || d >= kExponentWideRange || d <= kExponentNarrowRange) return -1;
  if (lo >= 1) return 0;
  return 1 - RoundToInt(std::log(std::fabs(lo)) / std::log(10.0));
}

std::string FormatScaleNumber(double value, std::int32_t decimals) {
  return decimals >= 0 ? FormatFixed(value, decimals) : FormatExponent(value);
}

std::string LinearNumberLabel(double value, const TNumberLabelSettings& s) {
  const double width = s.RangeHigh - s.RangeLow;
  const double d = std::fabs(width);
  const std::int32_t n = LinearDecimals(s.RangeLow, s.RangeHigh, s.DecPlaces);
  std::string label;
  if (std::fabs(value / width) < kZeroSnapFraction) {
    if (d <= kZeroLabelWideRange)
      label = FormatScaleNumber(0.0, n);
    else
      label = n != 0 ? "0.0" : "0";
  } else {
    label = FormatScaleNumber(value, n);
  }
  label = CutNumeric(std::move(label));
  if (s.DecPlaces == 0 && !(std::fabs(value - std::nearbyint(value)) <= kIntegerLabelTolerance)) label.clear();
  return label;
}

std::string LogNumberLabel(double value, double decade, std::int32_t mult, const TNumberLabelSettings& s) {
  std::string label;
  if (s.DecPlaces == -3) {
    if (mult == 1) label = FormatFixed(double(RoundToInt(std::log10(decade))), 0);
  } else {
    label = FormatScaleNumber(value, LogDecimals(s.RangeLow, s.RangeHigh, s.DecPlaces));
  }
  label = CutNumeric(std::move(label));
  if (s.DecPlaces == -2) label = TrimTrailingZeros(std::move(label));
  return label;
}

std::string TimeSpanLabel(double seconds, bool millis) {
  // Split into whole seconds and the fraction first (both exact), then round
  // the fraction to whole milliseconds, so a tick computed as 6.9999999999 s
  // reads 00:00:07 and never 00:00:06.1000, and a value far from zero, whose
  // milliseconds a double no longer holds exactly, keeps its seconds.
  constexpr double kLimit = 4.0e15;  // seconds; keeps the milliseconds inside int64
  if (std::isnan(seconds)) seconds = 0;
  const double magnitude = std::fmin(std::fabs(seconds), kLimit);
  double whole = std::floor(magnitude);
  double fraction = std::nearbyint((magnitude - whole) * 1000.0);
  if (fraction >= 1000) {
    whole += 1;
    fraction -= 1000;
  }
  const std::int64_t c = std::int64_t(whole) * 1000 + std::int64_t(fraction);
  const std::int64_t total = seconds < 0 ? -c : c;
  const char sign = total < 0 ? '-' : ' ';
  const std::int64_t hours = c / 3600000;
  const std::int64_t minutes = c / 60000 % 60;
  const std::int64_t secs = c / 1000 % 60;
  const std::int64_t msecs = c % 1000;
  char buf[64];
  if (millis)
    std::snprintf(buf, sizeof buf, "%c%02" PRId64 ":%02" PRId64 ":%02" PRId64 ".%03" PRId64, sign, hours, minutes,
                  secs, msecs);
  else
    std::snprintf(buf, sizeof buf, "%c%02" PRId64 ":%02" PRId64 ":%02" PRId64, sign, hours, minutes, secs);
  return buf;
}

void LabelNumericTicks(TTickLayout& layout, const TNumberLabelSettings& s) {
  for (auto& t : layout.Ticks) {
    if (!t.Labelled) continue;
    switch (layout.Kind) {
      case TTickLayoutKind::tlkTimeSpan: t.Label = TimeSpanLabel(t.Value, layout.TimeSpanMillis); break;
      case TTickLayoutKind::tlkLogarithmic:
        t.Label = ApplyUserTextOrInscription(LogNumberLabel(t.Value, t.LogDecade, t.LogMult, s), t.LabelIndex, s);
        break;
      default:
        t.Label = ApplyUserTextOrInscription(LinearNumberLabel(t.Value, s), t.LabelIndex, s);
        break;
    }
  }
}

}  // namespace mivo
