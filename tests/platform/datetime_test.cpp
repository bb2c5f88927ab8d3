#include "mivo/platform/datetime.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <random>

#include "mivo/platform/errors.h"

namespace mivo {
namespace {

TEST(DateTime, KnownDates) {
  struct Case {
    int y, m, d;
    double day;
  };
  const Case cases[] = {
      {1899, 12, 30, 0},     {1899, 12, 31, 1},   {1900, 1, 1, 2},         {1900, 3, 1, 61},
      {2000, 1, 1, 36526},   {2000, 2, 29, 36585}, {9999, 12, 31, 2958465}, {1, 1, 1, -693593},
      {1899, 12, 29, -1},    {1970, 1, 1, 25569}, {1600, 2, 29, -109512},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.y) + "-" + std::to_string(c.m) + "-" + std::to_string(c.d));
    EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.day);
    int y, m, d;
    DecodeDate(c.day, y, m, d);
    EXPECT_EQ(y, c.y);
    EXPECT_EQ(m, c.m);
    EXPECT_EQ(d, c.d);
  }
}

TEST(DateTime, InvalidDatesAndTimes) {
  TDateTime r = 123;
  EXPECT_FALSE(TryEncodeDate(1900, 2, 29, r));
  EXPECT_FALSE(TryEncodeDate(2023, 13, 1, r));
  EXPECT_FALSE(TryEncodeDate(0, 1, 1, r));
  EXPECT_FALSE(TryEncodeDate(10000, 1, 1, r));
  EXPECT_FALSE(TryEncodeDate(2023, 4, 31, r));
  EXPECT_FALSE(TryEncodeTime(24, 0, 0, 0, r));
  EXPECT_FALSE(TryEncodeTime(0, 60, 0, 0, r));
  EXPECT_FALSE(TryEncodeTime(0, 0, 0, 1000, r));
  EXPECT_FALSE(TryEncodeTime(-1, 0, 0, 0, r));
  EXPECT_EQ(r, 123);
  EXPECT_THROW(EncodeDate(2023, 2, 29), EMivoError);
  EXPECT_THROW(EncodeTime(25, 0, 0, 0), EMivoError);
  EXPECT_EQ(DaysInMonth(2024, 2), 29);
  EXPECT_EQ(DaysInMonth(2100, 2), 28);
  EXPECT_EQ(DaysInMonth(2024, 0), 0);
}

TEST(DateTime, RandomRoundTrips) {
  std::mt19937_64 rng(12345);
  std::uniform_int_distribution<std::int64_t> dayDist(-693593, 2958465);
  std::uniform_int_distribution<std::int32_t> msDist(0, 86399999);
  for (int i = 0; i < 20000; ++i) {
    const auto day = dayDist(rng);
    const auto ms = msDist(rng);
    int y, m, d;
    DecodeDate(double(day), y, m, d);
    ASSERT_EQ(EncodeDate(y, m, d), double(day)) << day;
    // Time of day: positive days add the fraction, negative days carry it as a positive fraction too.
    const double frac = double(ms) / 86400000.0;
    const double dt = day >= 0 ? double(day) + frac : double(day) - frac;
    const TDateParts p = DecodeDateTime(dt);
    ASSERT_EQ(p.Year, y);
    ASSERT_EQ(p.Month, m);
    ASSERT_EQ(p.Day, d);
    ASSERT_EQ(((p.Hour * 60 + p.Minute) * 60 + p.Second) * 1000 + p.MilliSecond, ms) << dt;
  }
}

TEST(DateTime, NegativeDaysTakeTheFractionAsTimeOfDay) {
  const TDateParts p = DecodeDateTime(-1.25);  // 29 Dec 1899, 06:00
  EXPECT_EQ(p.Year, 1899);
  EXPECT_EQ(p.Month, 12);
  EXPECT_EQ(p.Day, 29);
  EXPECT_EQ(p.Hour, 6);
  const TDateParts q = DecodeDateTime(-0.5);  // day 0, 12:00
  EXPECT_EQ(q.Day, 30);
  EXPECT_EQ(q.Hour, 12);
}

TEST(DateTime, MillisecondRoundingCarriesIntoNextDay) {
  TDateParts p = DecodeDateTime(EncodeDate(2000, 12, 31) + 0.9999999999);
  EXPECT_EQ(p.Year, 2001);
  EXPECT_EQ(p.Month, 1);
  EXPECT_EQ(p.Day, 1);
  EXPECT_EQ(p.Hour, 0);
  EXPECT_EQ(p.MilliSecond, 0);
  p = DecodeDateTime(EncodeTime(13, 4, 59, 999) + 0.4 / 86400000.0);
  EXPECT_EQ(p.Hour, 13);
  EXPECT_EQ(p.Second, 59);
  EXPECT_EQ(p.MilliSecond, 999);
  p = DecodeDateTime(EncodeTime(13, 4, 59, 999) + 0.6 / 86400000.0);
  EXPECT_EQ(p.Minute, 5);
  EXPECT_EQ(p.Second, 0);
  EXPECT_EQ(p.MilliSecond, 0);
}

TEST(DateTime, OutOfRangeAndNonFiniteClamp) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    double v;
    int y, m, d, h, ms;
  };
  const Case cases[] = {
      {inf, 9999, 12, 31, 23, 999},   {1e300, 9999, 12, 31, 23, 999}, {MaxDateTime + 0.9999999999, 9999, 12, 31, 23, 999},
      {-inf, 1, 1, 1, 0, 0},          {-1e300, 1, 1, 1, 0, 0},        {-693594.0, 1, 1, 1, 0, 0},
      {std::nan(""), 1899, 12, 30, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.v);
    const TDateParts p = DecodeDateTime(c.v);
    EXPECT_EQ(p.Year, c.y);
    EXPECT_EQ(p.Month, c.m);
    EXPECT_EQ(p.Day, c.d);
    EXPECT_EQ(p.Hour, c.h);
    EXPECT_EQ(p.MilliSecond, c.ms);
    EXPECT_FALSE(FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz am/pm mmmm", c.v).empty());
  }
  EXPECT_EQ(DayOfWeek(inf), DayOfWeek(MaxDateTime));
}

// Day counts from Unix seconds and the system clock, and back: the rows are
// moments a program meets (the epoch, a recent date with a time of day,
// before day 0 where the fraction counts forward from the day's start).
TEST(DateTime, UnixSecondsAndSystemClockConvert) {
  struct Row {
    double Unix;
    double Day;
  };
  const Row rows[] = {
      {0, 25569},                        // 1970-01-01 00:00
      {1700000000, 45244.9259259259},    // 2023-11-14 22:13:20
      {-2209161600, 0},                  // 1899-12-30 00:00, day 0
      {-2209226400, -1.25},              // 1899-12-29 06:00
      {-2209248000, -1.0},               // 1899-12-29 00:00
      {-62135596800, MinDateTime},       // 0001-01-01
  };
  for (const Row& r : rows) {
    EXPECT_NEAR(DateTimeFromUnixSeconds(r.Unix), r.Day, 1e-9) << r.Unix;
    EXPECT_NEAR(UnixSecondsFromDateTime(r.Day), r.Unix, 1e-4) << r.Day;
  }
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss", DateTimeFromUnixSeconds(1700000000)), "2023-11-14 22:13:20");
  EXPECT_TRUE(std::isnan(DateTimeFromUnixSeconds(std::nan(""))));
  EXPECT_TRUE(std::isnan(UnixSecondsFromDateTime(std::nan(""))));
  EXPECT_EQ(DateTimeFromUnixSeconds(HUGE_VAL), HUGE_VAL);

  using namespace std::chrono;
  const system_clock::time_point tp = sys_days{year{2024} / 2 / 29} + hours{18} + milliseconds{250};
  const TDateTime day = DateTimeFromTimePoint(tp);
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", day), "2024-02-29 18:00:00.250");
  EXPECT_LE(abs(TimePointFromDateTime(day) - tp), microseconds{1});
  const system_clock::time_point before = sys_days{year{1899} / 12 / 29} + hours{6};
  EXPECT_NEAR(DateTimeFromTimePoint(before), -1.25, 1e-12);
  EXPECT_LE(abs(TimePointFromDateTime(-1.25) - before), microseconds{1});

  // What the clock cannot hold is refused, never wrapped around.
  for (double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL, 1e300, MinDateTime})
    EXPECT_THROW(TimePointFromDateTime(bad), EMivoError) << bad;
}

TEST(DateTime, DayOfWeek) {
  EXPECT_EQ(DayOfWeek(0), 7);                         // Saturday
  EXPECT_EQ(DayOfWeek(1), 1);                         // Sunday
  EXPECT_EQ(DayOfWeek(EncodeDate(2000, 1, 1)), 7);    // Saturday
  EXPECT_EQ(DayOfWeek(EncodeDate(1, 1, 1)), 2);       // Monday (proleptic)
  EXPECT_EQ(DayOfWeek(-1.5), 6);                      // Friday 29 Dec 1899
}

TEST(DateTime, MonthNames) {
  EXPECT_EQ(ShortMonthName(1), "Jan");
  EXPECT_EQ(ShortMonthName(12), "Dec");
  EXPECT_EQ(LongMonthName(9), "September");
  EXPECT_EQ(ShortMonthName(0), "");
  EXPECT_EQ(LongMonthName(13), "");
}

TEST(DateTime, Formatter) {
  const double t1405 = EncodeDate(2023, 7, 4) + EncodeTime(14, 5, 0, 0);
  const double t0000 = EncodeDate(2023, 7, 4);
  const double t1200 = EncodeDate(2023, 7, 4) + EncodeTime(12, 0, 0, 0);
  const double tMs = EncodeDate(2023, 7, 4) + EncodeTime(9, 7, 3, 456);
  const double y950 = EncodeDate(950, 3, 9);
  struct Case {
    const char* fmt;
    double v;
    const char* expected;
  };
  const Case cases[] = {
      {"hh\":\"nn", t1405, "14:05"},
      {"h\"h\"nn", t1405, "14h05"},
      {"h\"h\"", tMs, "9h"},
      {"h\":\"nn\".\"ssam/pm", t1405, "2:05.00pm"},
      {"h\":\"nnam/pm", t1405, "2:05pm"},
      {"ham/pm", t0000, "12am"},
      {"ham/pm", t1200, "12pm"},
      {"hham/pm", tMs, "09am"},
      {"h a/p", t1405, "2 p"},
      {"h AM/PM", t1405, "2 PM"},
      {"hh\":\"nn\":\"ss.zz", tMs, "09:07:03.45"},
      {"hh:nn:ss.zzz z", tMs, "09:07:03.456 4"},
      {"n:s", tMs, "7:3"},
      {"dd\"-\"mmm\"-\"yyyy", t1405, "04-Jul-2023"},
      {"d/m/yy", t1405, "4/7/23"},
      {"mmmm d, yyyy", t1405, "July 4, 2023"},
      {"yyyy", y950, "0950"},
      {"yy", y950, "50"},
      {"'hh' \"nn\" hh", t1405, "hh nn 14"},
      {"\"dd", t1405, "dd"},        // unterminated quote
      {"x.yy!", t1405, "x.23!"},     // other characters copied
      {"YYYY-MM-DD HH:NN", t1405, "2023-07-04 14:05"},
      {"'am/pm' hh", t1405, "am/pm 14"},  // quoted am/pm does not switch to 12 hours
      {"dd-mm-yyyy hh:nn", -1.25, "29-12-1899 06:00"},
      {"", t1405, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatDateTime(c.fmt, c.v), c.expected) << c.fmt;
}

}  // namespace
}  // namespace mivo
