// Tick walks: positions, long/short, labels and recording rules, without a canvas.
#include "mivo/scale/scale_ticks.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <vector>

namespace mivo {
namespace {

TTickInput Input(double lo, double hi, std::int32_t minTicks, bool shortTicks, bool vertical) {
  TTickInput in;
  in.RangeLow = lo;
  in.RangeHigh = hi;
  in.MinTicks = minTicks;
  in.ShortTicks = shortTicks;
  in.Vertical = vertical;
  return in;
}

std::vector<double> Values(const TTickLayout& l, bool wantLong) {
  std::vector<double> v;
  for (const auto& t : l.Ticks)
    if (t.Long == wantLong && t.Drawn) v.push_back(t.Value);
  return v;
}

std::vector<double> Range(double from, double to, double step) {
  std::vector<double> v;
  for (double x = from; x <= to + step * 1e-9; x += step) v.push_back(x);
  return v;
}

void ExpectNear(const std::vector<double>& actual, const std::vector<double>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) EXPECT_NEAR(actual[i], expected[i], 1e-9) << "index " << i;
}

TEST(LinearTicks, ShortTicksThenLongTicksWithLabelIndices) {
  const TTickLayout l = LinearTicks(Input(0, 100, 3, true, false));
  ExpectNear(Values(l, false), Range(0, 100, 5));
  ExpectNear(Values(l, true), Range(0, 100, 20));
  std::int32_t expectedIndex = 1;
  for (const auto& t : l.Ticks) {
    if (!t.Long) continue;
    EXPECT_TRUE(t.Labelled);
    EXPECT_EQ(t.LabelIndex, expectedIndex++);
  }
}

// Which values a drawing records: horizontal scales record the long ticks only
// without short ticks; vertical scales always record them (twice with short ticks).
struct RecordCase {
  bool Vertical, ShortTicks;
  std::size_t Count;
  double Last;
};
class LinearRecording : public ::testing::TestWithParam<RecordCase> {};
TEST_P(LinearRecording, RecordsPerOrientation) {
  const RecordCase c = GetParam();
  const auto rec = RecordedValues(LinearTicks(Input(0, 100, 3, c.ShortTicks, c.Vertical)));
  EXPECT_EQ(rec.size(), c.Count);
  ASSERT_FALSE(rec.empty());
  EXPECT_NEAR(rec.back(), c.Last, 1e-9);
}
INSTANTIATE_TEST_SUITE_P(Rows, LinearRecording,
                         ::testing::Values(RecordCase{false, true, 21, 100}, RecordCase{false, false, 6, 100},
                                           RecordCase{true, true, 27, 100}, RecordCase{true, false, 6, 100}));

TEST(LinearTicks, ReversedRangeWalksDownAndLabelsOffMeansNoLabel) {
  TTickInput in = Input(100, 0, 3, false, false);
  in.Labels = false;
  const TTickLayout l = LinearTicks(in);
  ExpectNear(Values(l, true), {100, 80, 60, 40, 20, 0});
  for (const auto& t : l.Ticks) EXPECT_FALSE(t.Labelled);
}

TEST(LinearTicks, TickWithinAThousandthOfAStepBeyondTheEndIsDrawn) {
  const TTickLayout l = LinearTicks(Input(0, 99.99, 3, false, false));
  EXPECT_NEAR(Values(l, true).back(), 100, 1e-9);
  const TTickLayout l2 = LinearTicks(Input(0, 99.9, 3, false, false));
  EXPECT_NEAR(Values(l2, true).back(), 80, 1e-9);
}

TEST(LogTicks, DecadesWithIntermediateTicks) {
  const TTickLayout l = LogTicks(Input(1, 1000, 10, true, false));
  EXPECT_EQ(l.Kind, TTickLayoutKind::tlkLogarithmic);
  std::vector<double> labelled;
  for (const auto& t : l.Ticks)
    if (t.Labelled) labelled.push_back(t.Value);
  ExpectNear(labelled, {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000});
  EXPECT_EQ(RecordedValues(l).size(), 28u);  // 1..9, 10..90, 100..900, 1000
}

struct LogCase {
  bool Vertical, ShortTicks;
  std::size_t Entries, Recorded;
  bool UnlabelledLong, UnlabelledDrawn;
};
class LogRecording : public ::testing::TestWithParam<LogCase> {};
TEST_P(LogRecording, UnlabelledTicksPerOrientation) {
  const LogCase c = GetParam();
  const TTickLayout l = LogTicks(Input(1, 100, 5, c.ShortTicks, c.Vertical));
  EXPECT_EQ(l.Ticks.size(), c.Entries);
  EXPECT_EQ(RecordedValues(l).size(), c.Recorded);
  for (const auto& t : l.Ticks) {
    if (t.Labelled) {
      EXPECT_TRUE(t.Long && t.Drawn && t.Recorded);
    } else {
      EXPECT_EQ(t.Long, c.UnlabelledLong);
      EXPECT_EQ(t.Drawn, c.UnlabelledDrawn);
    }
  }
}
// 1 ... 100 has 19 positions, 7 of them labelled (1 2 5 10 20 50 100).
INSTANTIATE_TEST_SUITE_P(Rows, LogRecording,
                         ::testing::Values(LogCase{false, true, 19, 19, false, true},
                                           LogCase{false, false, 19, 7, false, false},
                                           LogCase{true, true, 19, 19, true, true},
                                           LogCase{true, false, 7, 7, false, false}));

TEST(LogTicks, FewDecadesNoIntermediatesAndUnderADecadeIsLinear) {
  const TTickLayout l = LogTicks(Input(1, 10000, 3, true, false));
  std::vector<double> v;
  for (const auto& t : l.Ticks) v.push_back(t.Value);
  ExpectNear(v, {1, 10, 100, 1000, 10000});
  EXPECT_EQ(LogTicks(Input(2, 9, 3, true, false)).Kind, TTickLayoutKind::tlkLinear);
  EXPECT_EQ(LogTicks(Input(9, 2, 3, true, false)).Kind, TTickLayoutKind::tlkLinear);
}

TEST(LogTicks, NonPositiveEndGivesNoTicks) {
  EXPECT_TRUE(LogTicks(Input(0, 100, 3, true, false)).Ticks.empty());
  EXPECT_TRUE(LogTicks(Input(-5, 100, 3, true, true)).Ticks.empty());
}

TEST(TimeSpanTicks, MinutesAroundZero) {
  TTickLayout l;
  ASSERT_TRUE(TimeSpanTicks(Input(-90, 90, 3, true, false), l));
  EXPECT_EQ(l.TimeSpanIndex, 16);
  EXPECT_FALSE(l.TimeSpanMillis);
  ExpectNear(Values(l, true), {-60, 0, 60});
  ExpectNear(Values(l, false), Range(-90, 90, 10));
  // With short ticks the short positions are recorded, the long copies not.
  EXPECT_EQ(RecordedValues(l).size(), 19u);
  ASSERT_TRUE(TimeSpanTicks(Input(-90, 90, 3, false, false), l));
  ExpectNear(RecordedValues(l), {-60, 0, 60});
}

TEST(TimeSpanTicks, ReversedRangeKeepsTicksOnBothEnds) {
  // Both ends are multiples of the 30 s step (six sub-divisions), the walk
  // starting a full step before the low end on some rows; the short ticks
  // still reach both ends whichever way the scale runs.
  struct Row {
    double Lo, Hi;
  };
  for (Row r : {Row{0, 100}, Row{100, 0}, Row{-100, 0}, Row{0, -100}, Row{-120, -30}, Row{-30, -120}}) {
    TTickLayout l;
    ASSERT_TRUE(TimeSpanTicks(Input(r.Lo, r.Hi, 3, true, false), l)) << r.Lo << " " << r.Hi;
    const std::vector<double> shorts = Values(l, false);
    ASSERT_FALSE(shorts.empty());
    EXPECT_NEAR(std::fmin(shorts.front(), shorts.back()), std::fmin(r.Lo, r.Hi), 1e-9) << r.Lo << " " << r.Hi;
    EXPECT_NEAR(std::fmax(shorts.front(), shorts.back()), std::fmax(r.Lo, r.Hi), 1e-9) << r.Lo << " " << r.Hi;
  }
}

// Far from zero the layout depends on the step, not on the magnitude of the
// values: one second of Unix time gets the ticks of 0 ... 1 s, and a range
// near -1e12 admits no tick outside it (before, none at all and 34 labels
// piled at the left edge).
TEST(TimeSpanTicks, FarFromZeroLikeNearZero) {
  struct Row {
    double Lo, Hi;
  };
  for (Row r : {Row{1.7e9, 1.7e9 + 1}, Row{1.7e9 + 1, 1.7e9}, Row{-1e12 - 100, -1e12}, Row{-1e12, -1e12 - 100},
                Row{4e12, 4e12 + 3600}}) {
    const double width = std::fabs(r.Hi - r.Lo);
    // The same range moved by whole days lines up with the same steps.
    const double shift = std::round(r.Lo / 86400) * 86400;
    TTickLayout near, far;
    ASSERT_TRUE(TimeSpanTicks(Input(r.Lo - shift, r.Hi - shift, 3, true, false), near));
    ASSERT_TRUE(TimeSpanTicks(Input(r.Lo, r.Hi, 3, true, false), far)) << r.Lo;
    EXPECT_EQ(far.TimeSpanIndex, near.TimeSpanIndex) << r.Lo;
    EXPECT_EQ(Values(far, true).size(), Values(near, true).size()) << r.Lo;
    EXPECT_EQ(Values(far, false).size(), Values(near, false).size()) << r.Lo;
    const double slack = width * 1e-9 + std::fabs(r.Lo) * 1e-15;
    for (const auto& t : far.Ticks) {
      EXPECT_GE(t.Value, std::fmin(r.Lo, r.Hi) - slack) << r.Lo;
      EXPECT_LE(t.Value, std::fmax(r.Lo, r.Hi) + slack) << r.Lo;
    }
  }
}

// Where a double holds only eighths of a second (near 1e15), no tick lies
// outside the range and the ticks are those of the same range near zero.
TEST(TimeSpanTicks, AtTheEdgeOfPrecisionNoTickLeavesTheRange) {
  struct Row {
    double Lo, Hi;
  };
  for (Row r : {Row{-1e15, -1e15 + 1}, Row{-1e15 + 1, -1e15}, Row{1e15, 1e15 + 10}, Row{-4e15, -4e15 + 60}}) {
    TTickLayout near, far;
    ASSERT_TRUE(TimeSpanTicks(Input(0, r.Hi - r.Lo, 3, true, false), near));
    ASSERT_TRUE(TimeSpanTicks(Input(r.Lo, r.Hi, 3, true, false), far)) << r.Lo;
    EXPECT_EQ(Values(far, true).size(), Values(near, true).size()) << r.Lo;
    EXPECT_EQ(Values(far, false).size(), Values(near, false).size()) << r.Lo;
    for (const auto& t : far.Ticks) {
      EXPECT_GE(t.Value, std::fmin(r.Lo, r.Hi)) << r.Lo;
      EXPECT_LE(t.Value, std::fmax(r.Lo, r.Hi)) << r.Lo;
    }
  }
}

struct SpanCase {
  double Lo, Hi;
  std::int32_t MinTicks;
  bool Applies;
  std::int32_t Index;
};
class TimeSpanChoice : public ::testing::TestWithParam<SpanCase> {};
TEST_P(TimeSpanChoice, StepIndexOrDecline) {
  const SpanCase c = GetParam();
  TTickLayout l;
  EXPECT_EQ(TimeSpanTicks(Input(c.Lo, c.Hi, c.MinTicks, true, false), l), c.Applies);
  if (c.Applies) {
    EXPECT_EQ(l.TimeSpanIndex, c.Index);
    EXPECT_EQ(l.TimeSpanMillis, c.Index <= 9);
  }
}
INSTANTIATE_TEST_SUITE_P(Rows, TimeSpanChoice,
                         ::testing::Values(SpanCase{0, 0.9, 3, true, 8}, SpanCase{0, 3, 3, true, 10},
                                           SpanCase{0, 0.003, 3, true, 1}, SpanCase{0, 0.0029, 3, false, 0},
                                           SpanCase{0, 86400 * 3 - 1, 3, true, 27},
                                           SpanCase{0, 86400 * 3, 3, false, 0}, SpanCase{10, 0, 2, true, 12},
                                           SpanCase{0, 100, 0, true, 16}));

// No range, however extreme, hangs or crashes a walk; every result is bounded.
class ExtremeRanges : public ::testing::TestWithParam<std::pair<double, double>> {};
TEST_P(ExtremeRanges, WalksAreBounded) {
  const auto [lo, hi] = GetParam();
  for (bool vertical : {false, true})
    for (bool shortTicks : {false, true})
      for (std::int32_t minTicks : {0, 3, 10}) {
        const TTickInput in = Input(lo, hi, minTicks, shortTicks, vertical);
        const std::size_t bound = 3 * std::size_t(kMaxTickWalkSteps);
        EXPECT_LE(LinearTicks(in).Ticks.size(), bound);
        EXPECT_LE(LogTicks(in).Ticks.size(), bound * 9);
        TTickLayout l;
        TimeSpanTicks(in, l);
        EXPECT_LE(l.Ticks.size(), bound);
        EXPECT_LE(RecordedValues(LogTicks(in)).size(), std::size_t(kMaxRecordedTicks));
      }
}
INSTANTIATE_TEST_SUITE_P(
    Rows, ExtremeRanges,
    ::testing::Values(std::pair{0.0, 1e-300}, std::pair{1.0, 1.0 + 1e-15}, std::pair{-1e300, 1e300},
                      std::pair{1e300, -1e300}, std::pair{0.0, 2147483647.0}, std::pair{5e-324, 1e-323},
                      std::pair{-DBL_MAX, DBL_MAX}, std::pair{1e-300, 1e300}, std::pair{1e20, 1e20 + 1e5},
                      std::pair{NAN, 1.0}, std::pair{1.0, INFINITY}, std::pair{3.0, 3.0}));

TEST(LogTicks, ManyDecadesRecordOnly250) {
  const TTickLayout l = LogTicks(Input(1e-300, 1e300, 3, true, false));
  EXPECT_GT(l.Ticks.size(), 250u);
  const auto rec = RecordedValues(l);
  ASSERT_EQ(rec.size(), 250u);
  EXPECT_NEAR(std::log10(rec.back()), -51, 1e-6);
}

}  // namespace
}  // namespace mivo
