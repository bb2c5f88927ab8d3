#include "mivo/base/matrix.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "mivo/base/statistics.h"
#include "mivo/platform/errors.h"

namespace mivo {
namespace {

// Independent R-7 reference: full sort, then the textbook 1-based formula.
double ReferencePercentile(std::vector<double> v, double p) {
  std::sort(v.begin(), v.end());
  const double h = (double(v.size()) - 1) * p + 1;
  const auto fl = static_cast<std::size_t>(std::floor(h));
  if (fl >= v.size()) return v.back();
  return v[fl - 1] + (h - double(fl)) * (v[fl] - v[fl - 1]);
}

TEST(StatisticsTest, PercentileMatchesSortedReference) {
  const std::vector<std::vector<double>> tables = {
      {7}, {3, 1}, {1, 2, 3, 4}, {15, 20, 35, 40, 50}, {-5, 2.5, 2.5, 9, 100, -30, 0.25}, {4, 4, 4, 4}};
  for (const auto& t : tables) {
    for (double p : {0.0, 0.1, 0.25, 0.4, 0.5, 0.75, 0.9, 1.0}) {
      std::vector<double> work = t;
      EXPECT_NEAR(PercentileInPlace(work, p), ReferencePercentile(t, p), 1e-12) << t.size() << " p=" << p;
    }
  }
  // Hand-checked values: quartiles of 15, 20, 35, 40, 50 are 20, 35, 40.
  std::vector<double> v = {50, 15, 40, 20, 35};
  EXPECT_DOUBLE_EQ(PercentileInPlace(v, 0.25), 20);
  EXPECT_DOUBLE_EQ(PercentileInPlace(v, 0.5), 35);
  EXPECT_DOUBLE_EQ(PercentileInPlace(v, 0.1), 17);  // h = 1.4: 15 + 0.4 * 5
}

TEST(StatisticsTest, PercentileEdgeInputs) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  std::vector<double> empty;
  EXPECT_EQ(PercentileInPlace(empty, 0.5), 0.0);
  std::vector<double> onlyNaN = {nan, nan};
  EXPECT_EQ(PercentileInPlace(onlyNaN, 0.5), 0.0);
  std::vector<double> withNaN = {nan, 3, nan, 1, 2};
  EXPECT_EQ(PercentileInPlace(withNaN, 0.5), 2.0);
  std::vector<double> v = {1, 2, 3};
  EXPECT_EQ(PercentileInPlace(v, -4), 1.0);
  EXPECT_EQ(PercentileInPlace(v, 7), 3.0);
  EXPECT_EQ(PercentileInPlace(v, nan), 1.0);
  std::vector<double> huge = {-1.7e308, 1.7e308};
  EXPECT_EQ(PercentileInPlace(huge, 0.5), 0.0);  // no overflow in the interpolation
  std::vector<double> inf2 = {-inf, 1, inf};
  EXPECT_EQ(PercentileInPlace(inf2, 0.25), -inf);
  EXPECT_EQ(PercentileInPlace(inf2, 0.5), 1.0);
}

TEST(MatrixTest, OneBasedAccessAndQuietOutOfRange) {
  TMatrix m(3, 2);
  EXPECT_EQ(m.NrOfColumns(), 3);
  EXPECT_EQ(m.NrOfRows(), 2);
  m.SetElem(3, 2, 7.5);
  m.SetElem(1, 1, -1);
  EXPECT_EQ(m.Elem(3, 2), 7.5);
  EXPECT_EQ(m.Data()[5], 7.5);  // row-major
  for (auto [c, r] : {std::pair{0, 1}, {4, 1}, {1, 0}, {1, 3}, {-2147483647 - 1, 1}, {2147483647, 2147483647}}) {
    m.SetElem(c, r, 99);  // ignored
    EXPECT_EQ(m.Elem(c, r), 0.0);
  }
  double mn, mx;
  EXPECT_TRUE(m.MinMax(mn, mx));
  EXPECT_EQ(mn, -1);
  EXPECT_EQ(mx, 7.5);
}

TEST(MatrixTest, ResizeKeepsOverlapAndChecksSize) {
  TIntMatrix m(2, 2);
  m.SetElem(1, 1, 11);
  m.SetElem(2, 2, 22);
  m.Resize(3, 1);
  EXPECT_EQ(m.Elem(1, 1), 11);
  EXPECT_EQ(m.Elem(3, 1), 0);
  m.Resize(3, 3);
  EXPECT_EQ(m.Elem(2, 2), 0);
  EXPECT_THROW(m.Resize(100000, 100000), EMivoError);
  EXPECT_THROW(m.Resize(2147483647, 2147483647), EMivoError);
  EXPECT_EQ(m.NrOfColumns(), 3);  // unchanged after the failure
  EXPECT_EQ(m.Elem(1, 1), 11);
  m.Resize(-5, 4);
  EXPECT_EQ(m.NrOfColumns(), 0);
  EXPECT_EQ(m.Elem(1, 1), 0);
  int mn = 5, mx = 5;
  EXPECT_FALSE(m.MinMax(mn, mx));
  EXPECT_EQ(mn, 0);
}

TEST(MatrixTest, SubRangeMinMaxAndPercentile) {
  TMatrix m(4, 3);
  std::vector<double> block;
  for (int r = 1; r <= 3; ++r)
    for (int c = 1; c <= 4; ++c) {
      const double v = (c * 7 + r * 13) % 11 - 5.0;
      m.SetElem(c, r, v);
      if (c >= 2 && c <= 3 && r >= 1 && r <= 2) block.push_back(v);
    }
  double mn, mx;
  // Reversed and over-wide bounds are clamped and ordered.
  EXPECT_TRUE(m.MinMax(3, 2, 2, 1, mn, mx));
  EXPECT_EQ(mn, *std::min_element(block.begin(), block.end()));
  EXPECT_EQ(mx, *std::max_element(block.begin(), block.end()));
  EXPECT_DOUBLE_EQ(m.Percentile(0.3, 2, 1, 3, 2), ReferencePercentile(block, 0.3));
  EXPECT_DOUBLE_EQ(m.Percentile(0.5, -10, -10, 100, 100), m.Percentile(0.5));
  EXPECT_EQ(m.Percentile(0.5, 5, 1, 9, 3), 0.0);  // entirely outside
  m.SetElem(1, 1, std::numeric_limits<double>::quiet_NaN());
  EXPECT_TRUE(m.MinMax(1, 1, 1, 1, mn, mx) == false);
}

TEST(MatrixTest, NotifiesOnRealChangesOnly) {
  TByteMatrix m(2, 2);
  int count = 0;
  m.OnChange = [&](TObject& sender) {
    EXPECT_EQ(&sender, &m);
    ++count;
  };
  m.SetElem(1, 1, 0);  // already 0
  m.Fill(0);
  m.Resize(2, 2);
  m.SetElem(5, 5, 1);  // outside
  EXPECT_EQ(count, 0);
  m.SetElem(1, 1, 255);
  m.Fill(3);
  m.Resize(3, 2);
  EXPECT_EQ(count, 3);
  m.BeginUpdate();
  for (int c = 1; c <= 3; ++c) m.SetElem(c, 2, std::uint8_t(c));
  EXPECT_EQ(count, 3);
  m.EndUpdate();
  EXPECT_EQ(count, 4);
  m.BeginUpdate();
  m.EndUpdate();  // nothing changed: no notification
  m.EndUpdate();  // unmatched: ignored
  EXPECT_EQ(count, 4);

  TMatrix d(1, 1);
  int dc = 0;
  d.OnChange = [&](TObject&) { ++dc; };
  d.SetElem(1, 1, std::numeric_limits<double>::quiet_NaN());
  d.SetElem(1, 1, std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(dc, 1);
  TMatrix copy;
  copy.Assign(d);
  EXPECT_EQ(copy.NrOfColumns(), 1);
  EXPECT_TRUE(std::isnan(copy.Elem(1, 1)));
}

TEST(VectorTest, AccessStatisticsAndNotifications) {
  TVector v(5);
  int count = 0;
  v.OnChange = [&](TObject&) { ++count; };
  const double values[] = {4, -1, 9, 2, 2};
  for (int i = 1; i <= 5; ++i) v.SetElem(i, values[i - 1]);
  EXPECT_EQ(count, 5);
  v.SetElem(3, 9);  // unchanged
  EXPECT_EQ(count, 5);
  v.SetElem(0, 1);
  v.SetElem(6, 1);
  EXPECT_EQ(v.Elem(6), 0.0);
  double mn, mx;
  EXPECT_TRUE(v.MinMax(4, 2, mn, mx));
  EXPECT_EQ(mn, -1);
  EXPECT_EQ(mx, 9);
  EXPECT_DOUBLE_EQ(v.Percentile(0.5), 2);
  EXPECT_DOUBLE_EQ(v.Percentile(0.75, 1, 3), ReferencePercentile({4, -1, 9}, 0.75));
  v.Resize(2);
  EXPECT_EQ(v.NrOfElem(), 2);
  EXPECT_EQ(v.Elem(2), -1);
  EXPECT_THROW(v.Resize(2147483647), EMivoError);
  EXPECT_EQ(v.NrOfElem(), 2);
}

}  // namespace
}  // namespace mivo

namespace mivo {
namespace {

// Several percentiles in one call equal one call each, on seeded random data
// with ties, infinities and NaNs, for sizes around the interpolation edges.
TEST(Statistics, PercentilesAtOnceEqualOneAtATime) {
  std::mt19937_64 gen(7);
  std::uniform_int_distribution<int> pick(0, 19);
  const std::vector<double> probs = {0.1, 0.25, 0.5, 0.75, 0.9, 0.0, 1.0, 0.5, -1, 2, std::nan(""),
                                     0.33, 0.01, 0.99, 0.6, 0.4, 0.2, 0.8};  // more than one group
  for (std::size_t n : {0u, 1u, 2u, 3u, 5u, 10u, 11u, 101u, 1000u}) {
    std::vector<double> data(n);
    for (double& x : data) {
      const int k = pick(gen);
      x = k == 0 ? std::nan("") : k == 1 ? HUGE_VAL : k == 2 ? -HUGE_VAL : k == 3 ? 1e308 : double(k % 7);
    }
    std::vector<double> work = data, results(probs.size());
    PercentilesInPlace(work, probs, results);
    for (std::size_t i = 0; i < probs.size(); ++i) {
      std::vector<double> one = data;
      const double expected = PercentileInPlace(one, probs[i]);
      EXPECT_EQ(results[i], expected) << "n=" << n << " p=" << probs[i];
    }
  }
}

}  // namespace
}  // namespace mivo
