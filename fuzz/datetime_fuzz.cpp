// libFuzzer target: the date/time formatter and calendar on arbitrary format
// strings and day counts (any bit pattern, NaN and infinities included). Any
// value decodes to a valid calendar date and time; a date decoded from a
// finite day count in range encodes back to the same day.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "mivo/platform/datetime.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < sizeof(double)) return 0;
  double v;
  std::memcpy(&v, data, sizeof v);
  const std::string_view format(reinterpret_cast<const char*>(data) + sizeof v, size - sizeof v);
  const mivo::TDateParts p = mivo::DecodeDateTime(v);
  if (p.Year < 1 || p.Year > 9999 || p.Month < 1 || p.Month > 12 || p.Day < 1 ||
      p.Day > mivo::DaysInMonth(p.Year, p.Month) || p.Hour < 0 || p.Hour > 23 || p.Minute < 0 || p.Minute > 59 ||
      p.Second < 0 || p.Second > 59 || p.MilliSecond < 0 || p.MilliSecond > 999)
    std::abort();
  if (std::isfinite(v) && v >= mivo::MinDateTime && v < mivo::MaxDateTime) {
    const double day = mivo::EncodeDate(p.Year, p.Month, p.Day);
    if (std::fabs(day - std::trunc(v)) > 1) std::abort();  // 1: a time rounding up to midnight
  }
  const std::string s = mivo::FormatDateTime(format, v);
  // Every token produces at most 9 characters ("September") per format byte.
  if (s.size() > 9 * format.size() + 1) std::abort();
  return 0;
}
