#include "mivo/base/number_format.h"

#include <gtest/gtest.h>

#include <limits>

namespace mivo {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(NumberFormatTest, FixedDecimals) {
  struct Row {
    double x;
    int decimals;
    const char* text;
  };
  const Row rows[] = {
      {3.14159, 2, "3.14"}, {-3.14159, 3, "-3.142"}, {12, 0, "12"},      {0, 1, "0.0"},
      {-0.001, 2, "0.00"},  {-0.0, 0, "0"},          {2.5, 0, "2"},       {1e6, 1, "1000000.0"},
      {0.5, -4, "0"},       {1, 99, "1.00000000000000000000"},          {kNaN, 2, "NaN"},
      {kInf, 2, "Inf"},     {-kInf, 0, "-Inf"},
  };
  for (const Row& r : rows) EXPECT_EQ(FormatFixed(r.x, r.decimals), r.text) << r.x << " " << r.decimals;
}

TEST(NumberFormatTest, ExponentTwoDigitsAndStars) {
  struct Row {
    double x;
    const char* text;
  };
  const Row rows[] = {
      {1500, " 1.5E+03"},      {-2e-5, "-2.0E-05"},     {0, " 0.0E+00"},         {-0.0, " 0.0E+00"},
      {1, " 1.0E+00"},         {9.96e99, "********"},   {1e100, "********"},     {-3e-120, "********"},
      {9.4e99, " 9.4E+99"},    {1.25e-99, " 1.2E-99"},  {kNaN, "NaN"},           {-kInf, "-Inf"},
  };
  for (const Row& r : rows) EXPECT_EQ(FormatExponent(r.x), r.text) << r.x;
}

TEST(NumberFormatTest, AutomaticFormat) {
  struct Row {
    double x;
    const char* text;
  };
  const Row rows[] = {
      {0, "0"},           {12.345678, "12.3457"},   {0.5, "0.5"},          {100, "100"},
      {-0.00123456789, "-0.00123457"},               {999999.4, "999999"},  {999999.7, "1.0E+06"},
      {2e6, "2.0E+06"},   {-12345678, "-1.2346E+07"}, {3.5e-5, "3.5E-05"},  {1e300, "1.0E+300"},
      {-1.23456789e-300, "-1.2346E-300"},            {kNaN, "NaN"},         {kInf, "Inf"},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(FormatAuto(r.x), r.text) << r.x;
    EXPECT_LE(FormatAuto(r.x).size(), 12u);
  }
}

TEST(NumberFormatTest, StrffAlignsInWidth) {
  EXPECT_EQ(strff(3.14159, 8, 2), "    3.14");
  EXPECT_EQ(strff(-3.14159, 1, 2), "-3.14");
  EXPECT_EQ(strff(1500, 10, -1), "   1.5E+03");
  EXPECT_EQ(strff(1e200, 1, -1), "********");
  EXPECT_EQ(strff(12.5, 12, -2), "        12.5");
  EXPECT_EQ(strff(kNaN, 5, 2), "  NaN");
  EXPECT_EQ(strff(1, 100000, 0).size(), size_t(kMaxFormatWidth));
  EXPECT_EQ(strff(1, -5, 0), "1");
  // Every automatic value fits a 12-character column exactly.
  for (double x : {0.0, 1e-320, -1.7e308, 123456.789, -0.000999999, 42.0})
    EXPECT_EQ(strff(x, 12, -2).size(), 12u) << x;
}

TEST(NumberFormatTest, RCSpecStrf) {
  EXPECT_EQ(RCSpecStrf(1234.6, 10, -1), " 1.235E+03");
  EXPECT_EQ(RCSpecStrf(-0.5, 12, -1), "-5.00000E-01");
  EXPECT_EQ(RCSpecStrf(1e150, 10, -1), "**********");
  EXPECT_EQ(RCSpecStrf(2.5, 6, 2), "  2.50");
  EXPECT_EQ(RCSpecStrf(1, 4, -1), " 1.0E+00");  // narrower than the minimum: one mantissa decimal
  EXPECT_EQ(RCSpecStrf(kInf, 6, -1), "   Inf");
}

}  // namespace
}  // namespace mivo
