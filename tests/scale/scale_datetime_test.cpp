// Calendar layout: unit choice, walks per unit, label formats, date rows,
// messages and the end of the calendar.
#include "mivo/scale/scale_datetime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "mivo/platform/datetime.h"

namespace mivo {
namespace {

TDateTimeInput Input(double lo, double hi, std::int32_t minTicks = 3, bool shortTicks = true, bool vertical = false) {
  TDateTimeInput in;
  in.RangeLow = lo;
  in.RangeHigh = hi;
  in.MinTicks = minTicks;
  in.ShortTicks = shortTicks;
  in.Vertical = vertical;
  return in;
}

std::vector<std::string> Labels(const TTickLayout& l) {
  std::vector<std::string> out;
  for (const auto& t : l.Ticks)
    if (t.Labelled) out.push_back(t.Label);
  return out;
}

std::vector<std::string> DateRows(const TTickLayout& l) {
  std::vector<std::string> out;
  for (const auto& t : l.Ticks)
    if (t.HasDateRow) out.push_back(t.Label + " / " + t.DateRow);
  return out;
}

TEST(DateTimeUnit, ThresholdsPerOrientation) {
  struct Row {
    double Interval;
    bool Vertical;
    TDateTimeUnit Expected;
  };
  using U = TDateTimeUnit;
  for (const Row& r : std::vector<Row>{{1.1574e-5, false, U::dtuNone},
                                       {1.1575e-5, false, U::dtuSeconds},
                                       {1.1574e-5, true, U::dtuHundredths},
                                       {1.1574074074074074e-7, true, U::dtuNone},
                                       {1.2e-7, true, U::dtuHundredths},
                                       {1.1574074074074073e-5, true, U::dtuHundredths},
                                       {6.9444e-4, false, U::dtuSeconds},
                                       {6.9445e-4, false, U::dtuMinutes},
                                       {0.041667, true, U::dtuMinutes},
                                       {0.5, false, U::dtuHours},
                                       {1, false, U::dtuHours},
                                       {30, false, U::dtuDays},
                                       {366, true, U::dtuMonths},
                                       {367, false, U::dtuYears}})
    EXPECT_EQ(ChooseDateTimeUnit(r.Interval, r.Vertical), r.Expected) << r.Interval << " v" << r.Vertical;
}

TEST(DateTimeTicks, Messages) {
  EXPECT_EQ(DateTimeTicks(Input(0.5, 0.50001)).Message, kMsgBelowOneSecond);
  // Vertical: 0.288 s per interval -> steps of 20 hundredths, short ticks every 10.
  const TTickLayout v = DateTimeTicks(Input(0.5, 0.50001, 3, true, true));
  EXPECT_EQ(v.Message, "");
  EXPECT_EQ(v.Ticks.size(), 9u);
  EXPECT_EQ(Labels(v), (std::vector<std::string>{"12:00:00.00", "12:00:00.20", "12:00:00.40", "12:00:00.60",
                                                 "12:00:00.80"}));
  for (auto [lo, hi] : std::vector<std::pair<double, double>>{
           {2, 1}, {-693594, 0}, {0, 3000001}, {NAN, 1}, {0, INFINITY}}) {
    const TTickLayout l = DateTimeTicks(Input(lo, hi));
    EXPECT_EQ(l.Message, kMsgInvalidDateTime) << lo << ".." << hi;
    EXPECT_TRUE(l.Ticks.empty());
  }
  EXPECT_EQ(DateTimeMessageLines(kMsgInvalidDateTime), (std::vector<std::string>{"invalid", "DateTime", "scale"}));
  EXPECT_EQ(DateTimeMessageLines(kMsgBelowOneSecond),
            (std::vector<std::string>{"DateTime", "range is", "below 1", "second"}));
}

TEST(DateTimeTicks, OneDayInEightHourStepsWithTwoHourShortTicks) {
  const TTickLayout l = DateTimeTicks(Input(0, 1));
  ASSERT_EQ(l.Ticks.size(), 13u);
  for (std::size_t i = 0; i < l.Ticks.size(); ++i) {
    EXPECT_NEAR(l.Ticks[i].Value, double(i) * 2 / 24, 1e-12);
    EXPECT_EQ(l.Ticks[i].Long, i % 4 == 0);
    EXPECT_TRUE(l.Ticks[i].Recorded);
  }
  EXPECT_EQ(Labels(l), (std::vector<std::string>{"00:00", "08:00", "16:00", "00:00"}));
  EXPECT_EQ(DateRows(l), (std::vector<std::string>{"00:00 / 30-Dec-1899", "00:00 / 31-Dec-1899"}));
  const TTickLayout noShort = DateTimeTicks(Input(0, 1, 3, false));
  EXPECT_EQ(noShort.Ticks.size(), 4u);
}

TEST(DateTimeTicks, DateForTimeModesAcrossMidnight) {
  // 18:00 ... 06:00 next day: hours in steps of 3, long ticks 18, 21, 0, 3, 6.
  struct Row {
    std::int32_t Mode;
    std::vector<std::string> Expected;
  };
  for (const Row& r : std::vector<Row>{
           {0, {}},
           {1, {"18:00 / 30-Dec-1899"}},
           {2, {"18:00 / 30-Dec-1899", "00:00 / 31-Dec-1899"}},
           {3,
            {"18:00 / 30-Dec-1899", "21:00 / 30-Dec-1899", "00:00 / 31-Dec-1899", "03:00 / 31-Dec-1899",
             "06:00 / 31-Dec-1899"}}}) {
    TDateTimeInput in = Input(0.75, 1.25);
    in.Format.DateForTime = r.Mode;
    EXPECT_EQ(DateRows(DateTimeTicks(in)), r.Expected) << "mode " << r.Mode;
  }
}

TEST(DateTimeTicks, FirstTickIsTheNextStepMultipleAfterTheLowEnd) {
  // 10:17 ... 10:47, minutes: interval 10 min, step 10, short step 2.
  const double lo = (10 * 60 + 17) / 1440.0, hi = (10 * 60 + 47) / 1440.0;
  const TTickLayout off = DateTimeTicks(Input(lo, hi, 3, false));
  EXPECT_EQ(Labels(off), (std::vector<std::string>{"10:20", "10:30", "10:40"}));
  const TTickLayout on = DateTimeTicks(Input(lo, hi, 3, true));
  ASSERT_FALSE(on.Ticks.empty());
  EXPECT_NEAR(on.Ticks.front().Value * 1440, 10 * 60 + 18, 1e-6);  // short ticks every 2 min
  EXPECT_EQ(on.Ticks.size(), 15u);                                  // 10:18 ... 10:46
}

TEST(DateTimeTicks, DaysMonthsYears) {
  const double jan1 = EncodeDate(2024, 1, 1);
  // Days: 30 days at 3 intervals -> step 7, short step 1, long ticks counted from 1 January.
  TTickLayout l = DateTimeTicks(Input(jan1, jan1 + 30));
  EXPECT_EQ(Labels(l), (std::vector<std::string>{"01-Jan-2024", "08-Jan-2024", "15-Jan-2024", "22-Jan-2024",
                                                 "29-Jan-2024"}));
  EXPECT_EQ(l.Ticks.size(), 31u);
  // A low end inside the year keeps the weekly grid counted from 1 January.
  l = DateTimeTicks(Input(EncodeDate(2024, 1, 10) + 0.3, EncodeDate(2024, 2, 9) + 0.3, 3, false));
  EXPECT_EQ(Labels(l), (std::vector<std::string>{"15-Jan-2024", "22-Jan-2024", "29-Jan-2024", "05-Feb-2024"}));

  // Months: step 3; short ticks on every month, long where month mod 3 == 1.
  const double lo = EncodeDate(2024, 1, 15), hi = EncodeDate(2024, 12, 31);
  l = DateTimeTicks(Input(lo, hi));
  EXPECT_EQ(Labels(l), (std::vector<std::string>{"Apr-2024", "Jul-2024", "Oct-2024"}));
  EXPECT_EQ(l.Ticks.size(), 11u);  // Feb ... Dec
  l = DateTimeTicks(Input(lo, hi, 3, false));
  EXPECT_EQ(Labels(l), (std::vector<std::string>{"Apr-2024", "Jul-2024", "Oct-2024"}));
  EXPECT_EQ(l.Ticks.size(), 3u);

  // Years: 100 years at 3 intervals -> step 20, short step 10.
  l = DateTimeTicks(Input(EncodeDate(2000, 1, 1), EncodeDate(2100, 1, 1)));
  EXPECT_EQ(Labels(l), (std::vector<std::string>{"2000", "2020", "2040", "2060", "2080", "2100"}));
  EXPECT_EQ(l.Ticks.size(), 11u);
  // A low end after 1 January moves the first tick one short step on.
  l = DateTimeTicks(Input(EncodeDate(2000, 3, 1), EncodeDate(2100, 1, 1), 3, false));
  EXPECT_EQ(Labels(l).front(), "2020");
  // So does a low end later on 1 January itself: no year tick lies before the range.
  l = DateTimeTicks(Input(EncodeDate(2000, 1, 1) + 0.5, EncodeDate(2100, 1, 1), 3, false));
  EXPECT_EQ(Labels(l).front(), "2020");
  // Centuries: 5-series step with fifths as short steps.
  l = DateTimeTicks(Input(EncodeDate(1000, 1, 1), EncodeDate(2600, 1, 1)));
  EXPECT_EQ(Labels(l), (std::vector<std::string>{"1000", "1500", "2000", "2500"}));
  EXPECT_EQ(l.Ticks.size(), 17u);
}

TEST(DateTimeTicks, CalendarEndsIn9999) {
  // The year walk caps at 31 December 9999 and ends.
  TTickLayout l = DateTimeTicks(Input(EncodeDate(9000, 1, 1), 3000000, 3, false));
  ASSERT_FALSE(l.Ticks.empty());
  EXPECT_EQ(l.Ticks.back().Value, MaxDateTime);
  EXPECT_LT(l.Ticks.size(), 20u);
  // The month walk stops before passing year 9999.
  l = DateTimeTicks(Input(EncodeDate(9999, 6, 1), EncodeDate(9999, 6, 1) + 400, 2));
  ASSERT_FALSE(l.Ticks.empty());
  for (const auto& t : l.Ticks) EXPECT_LE(t.Value, MaxDateTime);
  // Time ticks on the last day stop before the midnight that would follow it
  // (that moment has no date and would read "23:59" on 31 December 9999).
  l = DateTimeTicks(Input(MaxDateTime + 0.5, MaxDateTime + 1.5));
  ASSERT_FALSE(l.Ticks.empty());
  EXPECT_NEAR(l.Ticks.back().Value, MaxDateTime + 22.0 / 24, 1e-6);
  EXPECT_EQ(Labels(l), (std::vector<std::string>{"16:00"}));
  l = DateTimeTicks(Input(MaxDateTime + 1 - 1.0 / 1440, MaxDateTime + 1 + 1.0 / 1440, 3, false, true));
  ASSERT_FALSE(l.Ticks.empty());
  EXPECT_EQ(l.Ticks.back().Label, "23:59:30");
  // Ranges wholly beyond the calendar draw nothing, for every unit.
  for (double width : {0.001, 0.3, 20.0, 300.0, 5000.0}) {
    l = DateTimeTicks(Input(3000000 - width, 3000000));
    EXPECT_TRUE(l.Ticks.empty()) << width;
  }
  // And the widest valid range is bounded.
  l = DateTimeTicks(Input(-693593, 3000000, 10, true, true));
  EXPECT_LT(l.Ticks.size(), 200u);
}

TEST(DateTimeLabels, TimeFormatsPerUnit) {
  const double t = EncodeTime(14, 5, 30, 250);
  struct Row {
    TDateTimeUnit Unit;
    std::int32_t Format;
    const char* Expected;
  };
  using U = TDateTimeUnit;
  for (const Row& r : std::vector<Row>{{U::dtuHours, 0, "14:05"},
                                       {U::dtuHours, 1, "14h"},
                                       {U::dtuHours, 2, "2pm"},
                                       {U::dtuMinutes, 0, "14:05"},
                                       {U::dtuMinutes, 1, "14h05"},
                                       {U::dtuMinutes, 2, "2:05pm"},
                                       {U::dtuSeconds, 0, "14:05:30"},
                                       {U::dtuSeconds, 1, "14h05:30"},
                                       {U::dtuSeconds, 2, "2:05.30pm"},
                                       {U::dtuHundredths, 0, "14:05:30.25"},
                                       {U::dtuHundredths, 1, "14h05:30.25"},
                                       {U::dtuHundredths, 2, "2:05.30.25pm"}}) {
    TDateLabelSettings f;
    f.TimeFormat = r.Format;
    EXPECT_EQ(DateTimeLabel(r.Unit, t, f), r.Expected) << int(r.Unit) << " tf" << r.Format;
  }
  TDateLabelSettings dot;
  dot.TimeSeparator = '.';
  EXPECT_EQ(DateTimeLabel(U::dtuSeconds, t, dot), "14.05.30");
  dot.TimeSeparator = '"';
  EXPECT_EQ(DateTimeLabel(U::dtuMinutes, t, dot), "14\"05");
}

TEST(DateTimeLabels, DatesByOrderYearLengthAndMonthNames) {
  const double d = EncodeDate(2024, 3, 7);
  struct Row {
    std::int32_t Order, YearLength;
    bool MonthName;
    const char* Row_;
    const char* Day;
    const char* Month;
  };
  for (const Row& r : std::vector<Row>{{0, 2, true, "Mar-07-2024", "Mar-07-2024", "Mar-2024"},
                                       {1, 2, true, "07-Mar-2024", "07-Mar-2024", "Mar-2024"},
                                       {2, 2, true, "2024-Mar-07", "2024-Mar-07", "2024-Mar"},
                                       {1, 1, false, "07-03-24", "07-03-24", "03-24"},
                                       {0, 0, true, "Mar-07", "Mar-07-", "Mar-"},
                                       {1, 0, true, "07-Mar", "07-Mar-", "Mar-"},
                                       {2, 0, false, "03-07", "-03-07", "-03"}}) {
    TDateLabelSettings f;
    f.DateOrder = r.Order;
    f.YearLength = r.YearLength;
    f.MonthName = r.MonthName;
    EXPECT_EQ(DateRowLabel(d, f), r.Row_) << r.Order << "/" << r.YearLength;
    EXPECT_EQ(DateTimeLabel(TDateTimeUnit::dtuDays, d, f), r.Day) << r.Order << "/" << r.YearLength;
    EXPECT_EQ(DateTimeLabel(TDateTimeUnit::dtuMonths, d, f), r.Month) << r.Order << "/" << r.YearLength;
  }
  TDateLabelSettings f;
  EXPECT_EQ(DateTimeLabel(TDateTimeUnit::dtuYears, EncodeDate(950, 1, 1), f), "950");
  f.YearLength = 1;
  EXPECT_EQ(DateTimeLabel(TDateTimeUnit::dtuYears, EncodeDate(1950, 1, 1), f), "50");
  f.YearLength = 0;
  EXPECT_EQ(DateTimeLabel(TDateTimeUnit::dtuYears, EncodeDate(1950, 1, 1), f), "");
}

TEST(DateTimeLabels, NegativeMomentsUseTheFormatterConvention) {
  EXPECT_EQ(DateTimeForFormatter(-1e-9), 0.0);
  EXPECT_DOUBLE_EQ(DateTimeForFormatter(-0.75), -1.25);
  EXPECT_DOUBLE_EQ(DateTimeForFormatter(-1.0000000001), -1.0);
  EXPECT_DOUBLE_EQ(DateTimeForFormatter(2.5), 2.5);
  TDateLabelSettings f;
  // -0.75 is 29 December 1899, 06:00 on the continuous day count.
  EXPECT_EQ(DateTimeLabel(TDateTimeUnit::dtuHours, -0.75, f), "06:00");
  EXPECT_EQ(DateRowLabel(-0.75, f), "29-Dec-1899");
}

}  // namespace
}  // namespace mivo
