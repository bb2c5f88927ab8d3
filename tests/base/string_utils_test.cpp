#include "mivo/base/string_utils.h"

#include <gtest/gtest.h>

#include "mivo/base/math_utils.h"

namespace mivo {
namespace {

TEST(StringUtilsTest, AbbrevCenterMulti) {
  EXPECT_EQ(AbbrevString("Temperature [K]", 11), "Temperatur~");
  EXPECT_EQ(AbbrevString("short", 12), "short");
  EXPECT_EQ(AbbrevString("abc", 1), "a");
  EXPECT_EQ(AbbrevString("abc", 0), "");
  EXPECT_EQ(AbbrevString("\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F", 3), "\xC3\xA4\xC3\xB6~");  // never splits a character
  EXPECT_EQ(CenterString("ab", 5), " ab  ");
  EXPECT_EQ(CenterString("abc", 7), "  abc  ");
  EXPECT_EQ(CenterString("toolong", 3), "toolong");
  EXPECT_EQ(CenterString("\xC3\xA4", 3), " \xC3\xA4 ");
  EXPECT_EQ(CenterString("x", -4), "x");
  EXPECT_EQ(MultiChar('-', 3), "---");
  EXPECT_EQ(MultiChar('-', -3), "");
  EXPECT_EQ(MultiChar('*', 2147483647).size(), size_t(kMaxMultiChar));
  EXPECT_EQ(Utf8Length("a\xC3\xA4\x80"), 3u);  // a stray continuation byte counts alone
}

TEST(StringUtilsTest, ProcessHexChars) {
  struct Row {
    const char* in;
    std::string out;
  };
  const Row rows[] = {
      {"Line 1\\x0ALine 2", "Line 1\nLine 2"},
      {"\\x41\\x62C", "AbC"},
      {"\\X7e", "~"},
      {"a\\x00b", "ab"},
      {"\\x4", "\\x4"},
      {"\\x4G", "\\x4G"},
      {"\\\\x41", "\\A"},
      {"back\\slash", "back\\slash"},
      {"end\\", "end\\"},
      {"", ""},
  };
  for (const Row& r : rows) EXPECT_EQ(ProcessHexChars(r.in), r.out) << r.in;
}

TEST(MathUtilsTest, SignsSwapsAndIntNeg) {
  double a = 1, b = 2;
  ExChange(a, b);
  EXPECT_EQ(a, 2);
  int i = 3, j = 4;
  ExChange(i, j);
  EXPECT_EQ(i, 4);
  EXPECT_EQ(IntNeg(2.7), 2);
  EXPECT_EQ(IntNeg(-2.3), -3);
  EXPECT_EQ(IntNeg(-2.0), -2);
  EXPECT_TRUE(std::isnan(IntNeg(std::nan(""))));
  EXPECT_EQ(Signum(-0.5), -1);
  EXPECT_EQ(Signum(0.0), 0);
  EXPECT_EQ(Signum(std::nan("")), 0);
  EXPECT_EQ(Signum(7), 1);
}

TEST(MathUtilsTest, GRandomIsStandardNormalAndReproducible) {
  GRandomize(42);
  const double first = GRandom();
  GRandomize(42);
  EXPECT_EQ(GRandom(), first);
  const int n = 20000;
  double sum = 0, sum2 = 0;
  int within1 = 0;
  for (int k = 0; k < n; ++k) {
    const double x = GRandom();
    ASSERT_TRUE(std::isfinite(x));
    sum += x;
    sum2 += x * x;
    within1 += std::fabs(x) < 1;
  }
  const double mean = sum / n, var = sum2 / n - mean * mean;
  EXPECT_NEAR(mean, 0, 0.05);
  EXPECT_NEAR(var, 1, 0.05);
  EXPECT_NEAR(double(within1) / n, 0.6827, 0.02);
  EXPECT_NEAR(GRandom(100, 0), 100, 0);
}

}  // namespace
}  // namespace mivo
