#include "mivo/scale/scale_datetime.h"

#include <cmath>
#include <limits>

#include "mivo/platform/datetime.h"
#include "mivo/platform/mivo_types.h"

namespace mivo {

namespace {

constexpr double kNever = -std::numeric_limits<double>::infinity();
constexpr double kAlways = std::numeric_limits<double>::infinity();
constexpr double kDaysPerMonth = 30.4375;
constexpr double kDaysPerYear = 365.25;
constexpr std::int32_t kLastYear = 9999;

// The unit table: the first row whose bound is not below the interval wins.
const std::vector<TDateUnitRow> kUnitTable = {
    {TDateTimeUnit::dtuNone, 1.1574e-5, 1.1574074074074074e-7, 0, {}, {}},
    {TDateTimeUnit::dtuHundredths, kNever, 1.1574074074074073e-5, 8640000, {1, 2, 5, 10, 20, 50}, {1, 1, 1, 5, 10, 10}},
    {TDateTimeUnit::dtuSeconds, 6.9444e-4, 6.944444444444445e-4, 86400, {1, 2, 5, 10, 20, 30}, {1, 1, 1, 2, 5, 10}},
    {TDateTimeUnit::dtuMinutes, 0.041667, 0.041667, 1440, {1, 2, 5, 10, 20, 30}, {1, 1, 1, 2, 5, 10}},
    {TDateTimeUnit::dtuHours, 1, 1, 24, {1, 2, 3, 6, 8, 12}, {1, 1, 1, 2, 2, 3}},
    {TDateTimeUnit::dtuDays, 30, 30, 0, {1, 2, 3, 7, 14, 28}, {1, 1, 1, 1, 7, 7}},
    {TDateTimeUnit::dtuMonths, 366, 366, 0, {1, 2, 3, 4, 6, 12}, {1, 1, 1, 1, 1, 1}},
    {TDateTimeUnit::dtuYears, kAlways, kAlways, 0, {}, {}},
};

const TDateUnitRow& RowOf(TDateTimeUnit unit) {
  for (const auto& r : kUnitTable)
    if (r.Unit == unit) return r;
  return kUnitTable.front();
}

// Time label formats by unit (hundredths, seconds, minutes, hours) and time
// format; '%' stands for the quoted time separator.
struct TTimeFormats {
  TDateTimeUnit Unit;
  std::array<const char*, 3> ByTimeFormat;
};
const std::array<TTimeFormats, 4> kTimeFormats = {{
    {TDateTimeUnit::dtuHours, {"hh%nn", "h\"h\"", "ham/pm"}},
    {TDateTimeUnit::dtuMinutes, {"hh%nn", "h\"h\"nn", "h%nnam/pm"}},
    {TDateTimeUnit::dtuSeconds, {"hh%nn%ss", "h\"h\"nn%ss", "h%nn\".\"ssam/pm"}},
    {TDateTimeUnit::dtuHundredths, {"hh%nn%ss.zz", "h\"h\"nn%ss.zz", "h%nn\".\"ss.zzam/pm"}},
}};

// Date formats: 'M' month, 'Y' year, 'D' day, '%' the quoted date separator.
// Date row by date order, with and without a year; day and month labels by
// date order (the separator stays when the year is empty).
constexpr std::array<const char*, 3> kDateRowWithYear = {"M%D%Y", "D%M%Y", "Y%M%D"};
constexpr std::array<const char*, 3> kDateRowNoYear = {"M%D", "D%M", "M%D"};
constexpr std::array<const char*, 3> kDayLabel = {"M%D%Y", "D%M%Y", "Y%M%D"};
constexpr std::array<const char*, 3> kMonthLabel = {"M%Y", "M%Y", "Y%M"};

std::string QuotedChar(char c) {
  if (c == '\0') return "";
  if (c == '"') return "'\"'";
  return std::string("\"") + c + "\"";
}

std::int32_t ClampOrdinal(std::int32_t v, std::int32_t hi) { return v < 0 ? 0 : (v > hi ? hi : v); }

std::string YearPart(const TDateLabelSettings& fmt) {
  switch (ClampOrdinal(fmt.YearLength, 2)) {
    case 0: return "";
    case 1: return "yy";
    default: return "yyyy";
  }
}

std::string ExpandDate(const char* tmpl, const TDateLabelSettings& fmt) {
  std::string out;
  for (const char* p = tmpl; *p; ++p) {
    switch (*p) {
      case 'M': out += fmt.MonthName ? "mmm" : "mm"; break;
      case 'Y': out += YearPart(fmt); break;
      case 'D': out += "dd"; break;
      case '%': out += QuotedChar(fmt.DateSeparator); break;
      default: out += *p;
    }
  }
  return out;
}

// Whole day of a moment, with a moment just before midnight taken as the next day.
std::int64_t DayOf(double v) { return TruncToInt64(std::floor(v + kDateTimeEps)); }

struct TWalk {
  const TDateTimeInput& In;
  TTickLayout& Out;
  void Add(double pos, bool isLong) {
    TScaleTick t;
    t.Value = pos;
    t.Long = isLong;
    t.Recorded = true;
    t.Labelled = isLong;
    Out.Ticks.push_back(std::move(t));
  }
};

// Largest candidate not above x (the first when none is).
std::size_t PickStep(const std::array<std::int32_t, 6>& steps, double x) {
  std::size_t idx = 0;
  for (std::size_t i = 0; i < steps.size(); ++i)
    if (steps[i] <= x) idx = i;
  return idx;
}

void WalkSubDay(const TDateUnitRow& row, double interval, TWalk& w) {
  const double rl = w.In.RangeLow, rh = w.In.RangeHigh;
  const double u = row.UnitsPerDay;
  const std::size_t idx = PickStep(row.Steps, interval * u);
  const std::int64_t step = row.Steps[idx];
  const std::int64_t shortStep = row.ShortSteps[idx];
  const double day0 = std::floor(rl);
  const std::int64_t units = TruncToInt64(std::ceil((rl - day0) * u - kDateTimeEps * u));
  std::int64_t n = (units + step - 1) / step * step;
  auto posOf = [&](std::int64_t k) { return day0 + double(k) / u; };
  std::int64_t inc = step;
  if (w.In.ShortTicks) {
    inc = shortStep;
    for (std::int32_t g = 0; g < kMaxTickWalkSteps && posOf(n) > rl; ++g) n -= shortStep;
  }
  for (std::int32_t g = 0; g < kMaxTickWalkSteps; ++g, n += inc) {
    const double pos = posOf(n);
    // Midnight after 31 December 9999 has no calendar date: the walk ends before it.
    if (!(pos - rh < kDateTimeEps) || pos > MaxDateTime + 1 - kDateTimeEps) break;
    if (pos < rl - kDateTimeEps) continue;
    const double r = double(n) / double(step);
    const bool isLong = !w.In.ShortTicks || std::fabs(r - std::nearbyint(r)) <= kDateUnitLongTolerance;
    w.Add(pos, isLong);
  }
}

void WalkDays(const TDateUnitRow& row, double interval, TWalk& w) {
  const double rl = w.In.RangeLow, rh = w.In.RangeHigh;
  const std::size_t idx = PickStep(row.Steps, interval);
  const std::int64_t step = row.Steps[idx];
  const std::int64_t inc = w.In.ShortTicks ? row.ShortSteps[idx] : step;
  std::int32_t y = 0, m = 0, d = 0;
  DecodeDate(std::floor(rl), y, m, d);
  TDateTime jan1 = 0;
  if (!TryEncodeDate(y, 1, 1, jan1)) return;
  const std::int64_t whole = TruncToInt64(rl - jan1);
  const std::int64_t first = TruncToInt64(jan1) + (whole >= 0 ? whole / step * step : 0);
  std::int64_t day = first;
  for (std::int32_t g = 0; g < kMaxTickWalkSteps; ++g, day += inc) {
    const double pos = double(day);
    if (!(pos - rh < kDateTimeEps) || pos > MaxDateTime) break;
    if (pos < rl - kDateTimeEps) continue;
    const bool isLong = !w.In.ShortTicks || (day - first) % step == 0;
    w.Add(pos, isLong);
  }
}

void WalkMonths(const TDateUnitRow& row, double interval, TWalk& w) {
  const double rl = w.In.RangeLow, rh = w.In.RangeHigh;
  const std::int32_t step = row.Steps[PickStep(row.Steps, interval / kDaysPerMonth)];
  std::int32_t y = 0, m = 0, d = 0;
  DecodeDate(std::floor(rl), y, m, d);
  auto advance = [&](std::int32_t by) {
    m += by;
    while (m > 12) {
      m -= 12;
      ++y;
    }
  };
  if (step > 1 && !w.In.ShortTicks) {
    for (std::int32_t g = 0; g < 12; ++g) {
      advance(1);
      if (m % step == 1) break;
    }
  }
  const std::int32_t inc = w.In.ShortTicks ? 1 : step;
  for (std::int32_t g = 0; g < kMaxTickWalkSteps && y <= kLastYear; ++g, advance(inc)) {
    TDateTime pos = 0;
    if (!TryEncodeDate(y, m, 1, pos)) break;
    if (!(pos - rh < kDateTimeEps)) break;
    if (pos < rl - kDateTimeEps) continue;
    const bool isLong = !(w.In.ShortTicks && step > 1 && m % step != 1);
    w.Add(pos, isLong);
  }
}

void WalkYears(double interval, TWalk& w) {
  const double rl = w.In.RangeLow, rh = w.In.RangeHigh;
  double years = interval / kDaysPerYear;
  if (!(years >= 1)) years = 1;
  const double p = std::pow(10.0, std::floor(std::log10(years)));
  const double f = years / p;
  const std::int32_t series = f < 2 ? 1 : (f < 5 ? 2 : 5);
  std::int64_t step = TruncToInt64(std::nearbyint(series * p));
  if (step < 1) step = 1;
  std::int64_t shortStep = step;
  if (w.In.ShortTicks && step != 1) {
    shortStep = TruncToInt64(std::nearbyint(double(step) / (series == 5 ? 5 : 2)));
    if (shortStep < 1) shortStep = 1;
  }
  std::int32_t ry = 0, rm = 0, rd = 0;
  DecodeDate(std::floor(rl), ry, rm, rd);
  std::int64_t year = (std::int64_t(ry) + shortStep - 1) / shortStep * shortStep;
  TDateTime jan1 = 0;
  if (year == ry && TryEncodeDate(ry, 1, 1, jan1) && rl > jan1 + kDateTimeEps) year += shortStep;
  for (std::int32_t g = 0; g < kMaxTickWalkSteps; ++g, year += shortStep) {
    const bool capped = year > kLastYear;
    const std::int64_t shownYear = capped ? kLastYear : year;
    const double pos = capped ? MaxDateTime : EncodeDate(std::int32_t(year), 1, 1);
    if (!(pos - rh < kDateTimeEps)) break;
    if (capped && pos < rl - kDateTimeEps) break;  // the range lies beyond the calendar
    w.Add(pos, !(w.In.ShortTicks && shownYear % step != 0));
    if (capped) break;
  }
}

}  // namespace

const std::vector<TDateUnitRow>& DateUnitTable() { return kUnitTable; }

TDateTimeUnit ChooseDateTimeUnit(double interval, bool vertical) {
  for (const auto& r : kUnitTable) {
    const double bound = vertical ? r.MaxIntervalVert : r.MaxIntervalHorz;
    if (interval <= bound) return r.Unit;
  }
  return TDateTimeUnit::dtuYears;
}

double DateTimeForFormatter(double v) {
  if (std::fabs(v) < kDateTimeEps) return 0;
  if (v >= 0) return v;
  const double d = std::floor(v);
  const double t = v - d;
  if (t > 1 - kDateTimeEps) return d + 1;
  return d - t;
}

std::string TimeLabelFormat(TDateTimeUnit unit, const TDateLabelSettings& fmt) {
  for (const auto& row : kTimeFormats) {
    if (row.Unit != unit) continue;
    std::string out;
    for (const char* p = row.ByTimeFormat[std::size_t(ClampOrdinal(fmt.TimeFormat, 2))]; *p; ++p) {
      if (*p == '%')
        out += QuotedChar(fmt.TimeSeparator);
      else
        out += *p;
    }
    return out;
  }
  return "";
}

std::string DateRowFormat(const TDateLabelSettings& fmt) {
  const std::size_t order = std::size_t(ClampOrdinal(fmt.DateOrder, 2));
  return ExpandDate(ClampOrdinal(fmt.YearLength, 2) == 0 ? kDateRowNoYear[order] : kDateRowWithYear[order], fmt);
}

std::string DayLabelFormat(const TDateLabelSettings& fmt) {
  return ExpandDate(kDayLabel[std::size_t(ClampOrdinal(fmt.DateOrder, 2))], fmt);
}

std::string MonthLabelFormat(const TDateLabelSettings& fmt) {
  return ExpandDate(kMonthLabel[std::size_t(ClampOrdinal(fmt.DateOrder, 2))], fmt);
}

std::string DateTimeLabel(TDateTimeUnit unit, double value, const TDateLabelSettings& fmt) {
  const double v = DateTimeForFormatter(value);
  switch (unit) {
    case TDateTimeUnit::dtuNone: return "";
    case TDateTimeUnit::dtuDays: return FormatDateTime(DayLabelFormat(fmt), v);
    case TDateTimeUnit::dtuMonths: return FormatDateTime(MonthLabelFormat(fmt), v);
    case TDateTimeUnit::dtuYears: {
      const std::int32_t yl = ClampOrdinal(fmt.YearLength, 2);
      if (yl == 0) return "";
      if (yl == 1) return FormatDateTime("yy", v);
      std::string s = FormatDateTime("yyyy", v);
      const std::size_t nz = s.find_first_not_of('0');
      return nz == std::string::npos ? "0" : s.substr(nz);
    }
    default: return FormatDateTime(TimeLabelFormat(unit, fmt), v);
  }
}

std::string DateRowLabel(double value, const TDateLabelSettings& fmt) {
  return FormatDateTime(DateRowFormat(fmt), DateTimeForFormatter(value));
}

std::vector<std::string> DateTimeMessageLines(const std::string& message) {
  if (message == kMsgInvalidDateTime) return {"invalid", "DateTime", "scale"};
  if (message == kMsgBelowOneSecond) return {"DateTime", "range is", "below 1", "second"};
  return {message};
}

TTickLayout DateTimeTicks(const TDateTimeInput& in) {
  TTickLayout out;
  out.Kind = TTickLayoutKind::tlkDateTime;
  const double rl = in.RangeLow, rh = in.RangeHigh;
  if (!(rh >= rl && rl >= kDateTimeRangeMin && rh <= kDateTimeRangeMax)) {
    out.Message = kMsgInvalidDateTime;
    return out;
  }
  const double interval = (rh - rl) / EffectiveMinTicks(in.MinTicks);
  const TDateTimeUnit unit = ChooseDateTimeUnit(interval, in.Vertical);
  if (unit == TDateTimeUnit::dtuNone) {
    out.Message = kMsgBelowOneSecond;
    return out;
  }
  TWalk w{in, out};
  switch (unit) {
    case TDateTimeUnit::dtuDays: WalkDays(RowOf(unit), interval, w); break;
    case TDateTimeUnit::dtuMonths: WalkMonths(RowOf(unit), interval, w); break;
    case TDateTimeUnit::dtuYears: WalkYears(interval, w); break;
    default: WalkSubDay(RowOf(unit), interval, w); break;
  }

  // Labels, and the date row under time labels.
  const bool timeUnit = unit == TDateTimeUnit::dtuHundredths || unit == TDateTimeUnit::dtuSeconds ||
                        unit == TDateTimeUnit::dtuMinutes || unit == TDateTimeUnit::dtuHours;
  const std::int32_t dateForTime = ClampOrdinal(in.Format.DateForTime, 3);
  bool firstLabel = true;
  bool haveDatedDay = false;
  std::int64_t lastDatedDay = 0;
  std::int32_t n = 0;
  for (auto& t : out.Ticks) {
    if (!t.Labelled) continue;
    t.LabelIndex = ++n;
    t.Label = DateTimeLabel(unit, t.Value, in.Format);
    if (timeUnit && dateForTime != 0) {
      const std::int64_t day = DayOf(t.Value);
      bool dated = false;
      switch (dateForTime) {
        case 1: dated = firstLabel; break;
        case 2: dated = !haveDatedDay || day != lastDatedDay; break;
        default: dated = true; break;
      }
      if (dated) {
        t.HasDateRow = true;
        t.DateRow = DateRowLabel(t.Value, in.Format);
        haveDatedDay = true;
        lastDatedDay = day;
      }
    }
    firstLabel = false;
  }
  return out;
}

}  // namespace mivo
