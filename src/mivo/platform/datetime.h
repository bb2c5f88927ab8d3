#pragma once
// The continuous day count (TDateTime): day 0 is 30 December 1899, the
// fraction is the time of day. Negative values follow the desktop formatter's
// convention: the integer part is the day and the fraction, taken as positive,
// the time of day (-1.25 is 29 December 1899, 06:00). Calendar dates run from
// 1 January 0001 (day -693593) to 31 December 9999 (day 2958465).

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "mivo/platform/export.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

using TDateTime = double;

inline constexpr TDateTime MinDateTime = -693593.0;  // 0001-01-01
inline constexpr TDateTime MaxDateTime = 2958465.0;  // 9999-12-31

bool IsLeapYear(std::int32_t year);
// 28 ... 31; 0 for a month or year out of range.
std::int32_t DaysInMonth(std::int32_t year, std::int32_t month);

// Day count of a calendar date; false when the date does not exist.
bool TryEncodeDate(std::int32_t year, std::int32_t month, std::int32_t day, TDateTime& result);
// As above; raises EMivoError for a date that does not exist.
TDateTime EncodeDate(std::int32_t year, std::int32_t month, std::int32_t day);
// Fraction of a day; false for fields out of range (hour 0..23 ...).
bool TryEncodeTime(std::int32_t hour, std::int32_t min, std::int32_t sec, std::int32_t msec, TDateTime& result);
TDateTime EncodeTime(std::int32_t hour, std::int32_t min, std::int32_t sec, std::int32_t msec);

struct TDateParts {
  std::int32_t Year = 0, Month = 0, Day = 0;
  std::int32_t Hour = 0, Minute = 0, Second = 0, MilliSecond = 0;
};
// Splits a day count into calendar date and time of day (milliseconds rounded
// to nearest; a time that rounds up to 24:00 carries into the next day).
// Values outside MinDateTime ... MaxDateTime + 1 and infinities clamp to the
// nearest end (0001-01-01 00:00:00.000 or 9999-12-31 23:59:59.999); NaN gives
// day 0, midnight.
TDateParts DecodeDateTime(TDateTime dt);
void DecodeDate(TDateTime dt, std::int32_t& year, std::int32_t& month, std::int32_t& day);
void DecodeTime(TDateTime dt, std::int32_t& hour, std::int32_t& min, std::int32_t& sec, std::int32_t& msec);

// Conversions between the day count and the clocks a C++ program has. Unix
// seconds count from 1970-01-01 00:00 UTC (day 25569); the day count of a
// moment before day 0 follows the convention above (Unix -2209226400 is
// 29 December 1899, 06:00, day count -1.25). Non-finite values pass through
// the seconds conversions unchanged (a NaN stays a gap in a chart).
TDateTime DateTimeFromUnixSeconds(double seconds);
double UnixSecondsFromDateTime(TDateTime dt);
TDateTime DateTimeFromTimePoint(std::chrono::system_clock::time_point tp);
// Raises EMivoError for NaN, infinities and moments the clock cannot hold.
std::chrono::system_clock::time_point TimePointFromDateTime(TDateTime dt);

// 1 = Sunday ... 7 = Saturday.
std::int32_t DayOfWeek(TDateTime dt);

// English month names: "Jan" ... "Dec" and "January" ... "December" (1-based).
std::string_view ShortMonthName(std::int32_t month);
std::string_view LongMonthName(std::int32_t month);

// Formats a day count. Format letters (case-insensitive):
//   yyyy  four-digit year (zero-padded)      yy  two-digit year
//   mmmm  full month name   mmm  short name   mm  month 01-12   m  1-12
//   dd    day 01-31         d   1-31
//   hh    hour 00-23        h   0-23 (both 1-12 when am/pm appears)
//   nn    minute 00-59      n   0-59
//   ss    second 00-59      s   0-59
//   zzz   milliseconds 000-999   zz  hundredths 00-99   z  tenths 0-9
//   am/pm "am" or "pm" (and 12-hour clock)   a/p  "a" or "p"
//   "..." and '...'  literal text (an unterminated quote runs to the end)
// Tokens are matched longest first ("mmmmm" is "mmmm" then "m"); any other
// character is copied unchanged. The am/pm and a/p texts keep the letter case
// written in the format ("AM/PM" gives "PM").
std::string FormatDateTime(std::string_view format, TDateTime dt);

}  // namespace mivo
MIVO_PUBLIC_END
