#include "mivo/platform/datetime.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "mivo/platform/errors.h"

namespace mivo {

namespace {

constexpr std::int64_t MSecsPerDay = 86400000;
// Day count of 1 January 1970 on our scale (day 0 = 30 December 1899).
constexpr std::int64_t UnixEpochDay = 25569;

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
constexpr std::int64_t DaysFromCivil(std::int64_t y, std::int64_t m, std::int64_t d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

struct TCivil {
  std::int32_t Year, Month, Day;
};

constexpr TCivil CivilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const std::int64_t d = doy - (153 * mp + 2) / 5 + 1;
  const std::int64_t m = mp < 10 ? mp + 3 : mp - 9;
  const std::int64_t y = yoe + era * 400 + (m <= 2);
  return {std::int32_t(y), std::int32_t(m), std::int32_t(d)};
}

static_assert(DaysFromCivil(1899, 12, 30) + UnixEpochDay == 0);
static_assert(DaysFromCivil(1, 1, 1) + UnixEpochDay == -693593);
static_assert(DaysFromCivil(9999, 12, 31) + UnixEpochDay == 2958465);

constexpr std::array<std::string_view, 12> ShortMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::array<std::string_view, 12> LongMonths = {"January", "February", "March",     "April",
                                                         "May",     "June",     "July",      "August",
                                                         "September", "October", "November", "December"};

// Whole day and milliseconds of the day, clamped to the calendar's ends.
struct TDayMs {
  std::int64_t Day;
  std::int64_t Ms;
};

TDayMs SplitDateTime(TDateTime dt) {
  const auto kMin = std::int64_t(MinDateTime), kMax = std::int64_t(MaxDateTime);
  if (std::isnan(dt)) return {0, 0};
  const double whole = std::trunc(dt);
  if (whole < MinDateTime) return {kMin, 0};
  if (whole > MaxDateTime) return {kMax, MSecsPerDay - 1};
  std::int64_t day = std::int64_t(whole);
  std::int64_t ms = std::llround(std::fabs(dt - whole) * double(MSecsPerDay));
  if (ms >= MSecsPerDay) {  // rounds up to midnight: next calendar day
    ms = 0;
    ++day;
    if (day > kMax) return {kMax, MSecsPerDay - 1};
  }
  return {day, ms};
}

}  // namespace

bool IsLeapYear(std::int32_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

std::int32_t DaysInMonth(std::int32_t year, std::int32_t month) {
  static constexpr std::array<std::int32_t, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1 || year > 9999 || month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[std::size_t(month - 1)];
}

bool TryEncodeDate(std::int32_t year, std::int32_t month, std::int32_t day, TDateTime& result) {
  if (day < 1 || day > DaysInMonth(year, month)) return false;
  result = double(DaysFromCivil(year, month, day) + UnixEpochDay);
  return true;
}

TDateTime EncodeDate(std::int32_t year, std::int32_t month, std::int32_t day) {
  TDateTime r = 0;
  if (!TryEncodeDate(year, month, day, r))
    RaiseMivoError("Invalid date: year " + std::to_string(year) + ", month " + std::to_string(month) + ", day " +
                   std::to_string(day));
  return r;
}

bool TryEncodeTime(std::int32_t hour, std::int32_t min, std::int32_t sec, std::int32_t msec, TDateTime& result) {
  if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 || msec > 999) return false;
  const std::int64_t ms = ((std::int64_t(hour) * 60 + min) * 60 + sec) * 1000 + msec;
  result = double(ms) / double(MSecsPerDay);
  return true;
}

TDateTime EncodeTime(std::int32_t hour, std::int32_t min, std::int32_t sec, std::int32_t msec) {
  TDateTime r = 0;
  if (!TryEncodeTime(hour, min, sec, msec, r))
    RaiseMivoError("Invalid time: " + std::to_string(hour) + ":" + std::to_string(min) + ":" + std::to_string(sec) +
                   "." + std::to_string(msec));
  return r;
}

TDateParts DecodeDateTime(TDateTime dt) {
  const TDayMs s = SplitDateTime(dt);
  const TCivil c = CivilFromDays(s.Day - UnixEpochDay);
  TDateParts p;
  p.Year = c.Year;
  p.Month = c.Month;
  p.Day = c.Day;
  p.Hour = std::int32_t(s.Ms / 3600000);
  p.Minute = std::int32_t(s.Ms / 60000 % 60);
  p.Second = std::int32_t(s.Ms / 1000 % 60);
  p.MilliSecond = std::int32_t(s.Ms % 1000);
  return p;
}

void DecodeDate(TDateTime dt, std::int32_t& year, std::int32_t& month, std::int32_t& day) {
  const TDateParts p = DecodeDateTime(dt);
  year = p.Year;
  month = p.Month;
  day = p.Day;
}

void DecodeTime(TDateTime dt, std::int32_t& hour, std::int32_t& min, std::int32_t& sec, std::int32_t& msec) {
  const TDateParts p = DecodeDateTime(dt);
  hour = p.Hour;
  min = p.Minute;
  sec = p.Second;
  msec = p.MilliSecond;
}

std::int32_t DayOfWeek(TDateTime dt) {
  // Day 0 was a Saturday.
  const std::int64_t day = SplitDateTime(dt).Day;
  return std::int32_t(((day + 6) % 7 + 7) % 7 + 1);
}

std::string_view ShortMonthName(std::int32_t month) {
  return month >= 1 && month <= 12 ? ShortMonths[std::size_t(month - 1)] : std::string_view();
}

std::string_view LongMonthName(std::int32_t month) {
  return month >= 1 && month <= 12 ? LongMonths[std::size_t(month - 1)] : std::string_view();
}

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

// True when `format` continues at `pos` with `token` (ASCII, case-insensitive).
bool StartsWithCI(std::string_view format, std::size_t pos, std::string_view token) {
  if (format.size() - pos < token.size()) return false;
  for (std::size_t i = 0; i < token.size(); ++i)
    if (Lower(format[pos + i]) != token[i]) return false;
  return true;
}

void AppendNum(std::string& out, std::int64_t v, int width) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%0*lld", width, static_cast<long long>(v));
  out += buf;
}

// The format tokens, longest first where they share a prefix.
enum class TToken : std::uint8_t {
  Year4, Year2, MonthLong, MonthShort, Month2, Month1, Day2, Day1, Hour2, Hour1, Min2, Min1, Sec2, Sec1,
  MSec3, MSec2, MSec1, AmPm, AP, None
};
struct TTokenText {
  std::string_view Text;
  TToken Kind;
};
constexpr std::array<TTokenText, 19> Tokens = {{
    {"yyyy", TToken::Year4}, {"yy", TToken::Year2},     {"mmmm", TToken::MonthLong}, {"mmm", TToken::MonthShort},
    {"mm", TToken::Month2},  {"m", TToken::Month1},     {"dd", TToken::Day2},        {"d", TToken::Day1},
    {"hh", TToken::Hour2},   {"h", TToken::Hour1},      {"nn", TToken::Min2},        {"n", TToken::Min1},
    {"ss", TToken::Sec2},    {"s", TToken::Sec1},       {"zzz", TToken::MSec3},      {"zz", TToken::MSec2},
    {"z", TToken::MSec1},    {"am/pm", TToken::AmPm},   {"a/p", TToken::AP},
}};

TTokenText MatchToken(std::string_view format, std::size_t pos) {
  for (const TTokenText& t : Tokens)
    if (StartsWithCI(format, pos, t.Text)) return t;
  return {"", TToken::None};
}

// Whether an am/pm or a/p token occurs outside quoted text.
bool HasAmPm(std::string_view format) {
  std::size_t i = 0;
  while (i < format.size()) {
    const char c = format[i];
    if (c == '"' || c == '\'') {
      const std::size_t close = format.find(c, i + 1);
      i = close == std::string_view::npos ? format.size() : close + 1;
      continue;
    }
    const TTokenText t = MatchToken(format, i);
    if (t.Kind == TToken::AmPm || t.Kind == TToken::AP) return true;
    i += t.Kind == TToken::None ? 1 : t.Text.size();
  }
  return false;
}

}  // namespace

std::string FormatDateTime(std::string_view format, TDateTime dt) {
  const TDateParts p = DecodeDateTime(dt);
  const bool twelveHour = HasAmPm(format);
  std::int32_t hour = p.Hour;
  if (twelveHour) {
    hour %= 12;
    if (hour == 0) hour = 12;
  }
  const bool pm = p.Hour >= 12;

  std::string out;
  out.reserve(format.size() + 16);
  std::size_t i = 0;
  while (i < format.size()) {
    const char c = format[i];
    if (c == '"' || c == '\'') {  // quoted literal; an unterminated one runs to the end
      std::size_t close = format.find(c, i + 1);
      if (close == std::string_view::npos) close = format.size();
      out.append(format.substr(i + 1, close - i - 1));
      i = close + 1;
      continue;
    }
    const TTokenText t = MatchToken(format, i);
    switch (t.Kind) {
      case TToken::Year4: AppendNum(out, p.Year, 4); break;
      case TToken::Year2: AppendNum(out, p.Year % 100, 2); break;
      case TToken::MonthLong: out += LongMonthName(p.Month); break;
      case TToken::MonthShort: out += ShortMonthName(p.Month); break;
      case TToken::Month2: AppendNum(out, p.Month, 2); break;
      case TToken::Month1: AppendNum(out, p.Month, 1); break;
      case TToken::Day2: AppendNum(out, p.Day, 2); break;
      case TToken::Day1: AppendNum(out, p.Day, 1); break;
      case TToken::Hour2: AppendNum(out, hour, 2); break;
      case TToken::Hour1: AppendNum(out, hour, 1); break;
      case TToken::Min2: AppendNum(out, p.Minute, 2); break;
      case TToken::Min1: AppendNum(out, p.Minute, 1); break;
      case TToken::Sec2: AppendNum(out, p.Second, 2); break;
      case TToken::Sec1: AppendNum(out, p.Second, 1); break;
      case TToken::MSec3: AppendNum(out, p.MilliSecond, 3); break;
      case TToken::MSec2: AppendNum(out, p.MilliSecond / 10, 2); break;
      case TToken::MSec1: AppendNum(out, p.MilliSecond / 100, 1); break;
      case TToken::AmPm:  // keeps the letter case of the format: "AM/PM" gives "PM"
        out.append(pm ? format.substr(i + 3, 2) : format.substr(i, 2));
        break;
      case TToken::AP: out += pm ? format[i + 2] : format[i]; break;
      case TToken::None: out += c; break;
    }
    i += t.Kind == TToken::None ? 1 : t.Text.size();
  }
  return out;
}

// ---------------------------------------------------------------- clocks

namespace {

constexpr double SecsPerDay = 86400.0;

// Days since day 0 on a straight line (-0.75 is 29 December 1899, 06:00) from
// the day count, whose negative values keep the time of day positive (-1.25).
double LinearDays(TDateTime dt) {
  if (!(dt < 0) || !std::isfinite(dt)) return dt;
  const double day = std::trunc(dt);
  return day + (day - dt);
}

TDateTime FromLinearDays(double days) {
  if (!(days < 0) || !std::isfinite(days)) return days;
  const double day = std::floor(days);
  return day - (days - day);
}

}  // namespace

TDateTime DateTimeFromUnixSeconds(double seconds) {
  return FromLinearDays(double(UnixEpochDay) + seconds / SecsPerDay);
}

double UnixSecondsFromDateTime(TDateTime dt) { return (LinearDays(dt) - double(UnixEpochDay)) * SecsPerDay; }

TDateTime DateTimeFromTimePoint(std::chrono::system_clock::time_point tp) {
  using namespace std::chrono;
  // Whole seconds and the rest apart, so that nanosecond clocks keep their precision.
  const auto whole = floor<seconds>(tp);
  const double rest = duration<double>(tp - whole).count();
  return DateTimeFromUnixSeconds(double(whole.time_since_epoch().count()) + rest);
}

std::chrono::system_clock::time_point TimePointFromDateTime(TDateTime dt) {
  using namespace std::chrono;
  using clock = system_clock;
  const double secs = UnixSecondsFromDateTime(dt);
  const double lo = duration<double>(clock::time_point::min().time_since_epoch()).count();
  const double hi = duration<double>(clock::time_point::max().time_since_epoch()).count();
  // A margin of a second keeps the conversion below away from the clock's ends.
  if (!(secs > lo + 1 && secs < hi - 1)) {
    char buf[96];
    std::snprintf(buf, sizeof buf, "The day count %g is not a moment the system clock can hold.", dt);
    RaiseMivoError(buf);
  }
  const double whole = std::floor(secs);
  return clock::time_point(duration_cast<clock::duration>(seconds(std::int64_t(whole)) +
                                                           duration<double>(secs - whole)));
}

}  // namespace mivo
