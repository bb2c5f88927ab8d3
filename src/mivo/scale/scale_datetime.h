#pragma once
// Calendar layout of a date/time scale: values are days on the continuous day
// count (day 0 = 30 December 1899, fraction = time of day). The unit is chosen
// from the range per tick interval; ticks fall on calendar units and carry
// their label texts (and the date row under time labels). Ranges that cannot be
// laid out give an on-scale message instead of ticks. No canvas code.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "mivo/platform/export.h"
#include "mivo/scale/scale_ticks.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

inline constexpr const char* kMsgInvalidDateTime = "invalid DateTime scale";
inline constexpr const char* kMsgBelowOneSecond = "DateTime range is below 1 second";

// Lowest and highest day a date/time scale accepts.
inline constexpr double kDateTimeRangeMin = -693593;
inline constexpr double kDateTimeRangeMax = 3000000;

enum class TDateTimeUnit : std::uint8_t {
  dtuNone,  // below the shortest unit: the "below 1 second" message
  dtuHundredths,
  dtuSeconds,
  dtuMinutes,
  dtuHours,
  dtuDays,
  dtuMonths,
  dtuYears,
};

// The date/time label settings as the layout reads them (ordinals of
// TTimeFormat, TYearLength, TDateOrder, TDateForTime).
struct TDateLabelSettings {
  std::int32_t TimeFormat = 0;  // 0 24-hour, 1 "h" marked, 2 am/pm
  char DateSeparator = '-';
  char TimeSeparator = ':';
  std::int32_t YearLength = 2;  // 0 none, 1 two digits, 2 four digits
  bool MonthName = true;
  std::int32_t DateOrder = 1;    // 0 MDY, 1 DMY, 2 YMD
  std::int32_t DateForTime = 2;  // 0 none, 1 first, 2 at day changes, 3 every label
};

struct TDateTimeInput {
  double RangeLow = 0;
  double RangeHigh = 1;
  std::int32_t MinTicks = 3;
  bool ShortTicks = true;
  bool Vertical = false;
  TDateLabelSettings Format;
};

// One row of the unit table.
struct TDateUnitRow {
  TDateTimeUnit Unit;
  double MaxIntervalHorz;  // the unit applies up to this many days per interval
  double MaxIntervalVert;
  double UnitsPerDay;      // sub-day units; 0 for days, months, years
  std::array<std::int32_t, 6> Steps;       // long-step candidates
  std::array<std::int32_t, 6> ShortSteps;  // short step for each candidate
};
const std::vector<TDateUnitRow>& DateUnitTable();

// The unit for `interval` days per tick interval.
TDateTimeUnit ChooseDateTimeUnit(double interval, bool vertical);

// The full layout: ticks with labels and date rows, or a message.
TTickLayout DateTimeTicks(const TDateTimeInput& in);

// ---- Label texts (exposed for tests and for the renderer). ----------------

// Moves a value onto the formatter's convention: near 0 becomes 0, a negative
// moment becomes day - time of day (see datetime.h).
double DateTimeForFormatter(double v);
// Format strings in the formatter's notation.
std::string TimeLabelFormat(TDateTimeUnit unit, const TDateLabelSettings& fmt);
std::string DateRowFormat(const TDateLabelSettings& fmt);
std::string DayLabelFormat(const TDateLabelSettings& fmt);
std::string MonthLabelFormat(const TDateLabelSettings& fmt);
// The label of a labelled tick at `value` for `unit`.
std::string DateTimeLabel(TDateTimeUnit unit, double value, const TDateLabelSettings& fmt);
std::string DateRowLabel(double value, const TDateLabelSettings& fmt);

// The message split into the lines a vertical scale shows.
std::vector<std::string> DateTimeMessageLines(const std::string& message);

}  // namespace mivo
MIVO_PUBLIC_END
