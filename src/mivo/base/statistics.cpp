#include "mivo/base/statistics.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace mivo {

namespace {

// The NaN values moved to the back; returns the number of the others.
std::size_t DropNaNs(std::span<double> values) {
  const auto end = std::partition(values.begin(), values.end(), [](double v) { return !std::isnan(v); });
  return static_cast<std::size_t>(end - values.begin());
}

// The 0-based position below the percentile and the fraction towards the next.
std::size_t PercentilePos(std::size_t n, double prob, double& frac) {
  const double p = std::isnan(prob) ? 0.0 : std::clamp(prob, 0.0, 1.0);
  const double h = double(n - 1) * p;
  const std::size_t lo = std::min(static_cast<std::size_t>(std::floor(h)), n - 1);
  frac = h - double(lo);
  return lo;
}

// Between the order statistics a <= b at fraction frac.
double Interpolate(double a, double b, double frac) {
  if (frac <= 0.0 || a == b) return a;
  if (std::isinf(a) || std::isinf(b)) return std::isinf(a) ? a : b;  // an infinite end wins
  return (1.0 - frac) * a + frac * b;  // never overflows, unlike a + frac * (b - a)
}

// Puts the order statistics at the sorted positions pos[0 .. count) of
// values[first .. last) in place: a selection at the middle position splits
// the range, and each side is searched only for its own positions.
void SelectPositions(std::span<double> values, std::size_t first, std::size_t last, const std::size_t* pos,
                     std::size_t count) {
  while (count > 0 && last - first > 1) {
    const std::size_t mid = count / 2;
    const std::size_t k = pos[mid];
    std::nth_element(values.begin() + std::ptrdiff_t(first), values.begin() + std::ptrdiff_t(k),
                     values.begin() + std::ptrdiff_t(last));
    SelectPositions(values, first, k, pos, mid);  // depth log2(count)
    first = k + 1;
    pos += mid + 1;
    count -= mid + 1;
  }
}

}  // namespace

void PercentilesInPlace(std::span<double> values, std::span<const double> probs, std::span<double> results) {
  const std::size_t m = std::min(probs.size(), results.size());
  const std::size_t n = DropNaNs(values);
  if (n == 0) {
    std::fill_n(results.begin(), m, 0.0);
    return;
  }
  const std::span<double> v = values.first(n);
  // In groups, so that the positions fit a small array on the stack.
  constexpr std::size_t kGroup = 16;
  for (std::size_t g = 0; g < m; g += kGroup) {
    const std::size_t cnt = std::min(kGroup, m - g);
    std::array<std::size_t, 2 * kGroup> pos{};
    std::size_t np = 0;
    for (std::size_t i = 0; i < cnt; ++i) {
      double frac = 0;
      const std::size_t lo = PercentilePos(n, probs[g + i], frac);
      pos[np++] = lo;
      if (frac > 0.0 && lo + 1 < n) pos[np++] = lo + 1;
    }
    std::sort(pos.begin(), pos.begin() + std::ptrdiff_t(np));
    np = std::size_t(std::unique(pos.begin(), pos.begin() + std::ptrdiff_t(np)) - pos.begin());
    SelectPositions(v, 0, n, pos.data(), np);
    for (std::size_t i = 0; i < cnt; ++i) {
      double frac = 0;
      const std::size_t lo = PercentilePos(n, probs[g + i], frac);
      results[g + i] = lo + 1 < n ? Interpolate(v[lo], v[lo + 1], frac) : v[lo];
    }
  }
}

double PercentileInPlace(std::span<double> values, double prob) {
  // NaNs to the back, then ignore them: nth_element needs a strict weak order.
  const std::size_t n = DropNaNs(values);
  if (n == 0) return 0.0;
  double frac = 0;
  const std::size_t lo = PercentilePos(n, prob, frac);
  const auto end = values.begin() + std::ptrdiff_t(n);
  std::nth_element(values.begin(), values.begin() + std::ptrdiff_t(lo), end);
  const double a = values[lo];
  if (frac <= 0.0 || lo + 1 >= n) return a;
  // The next order statistic is the smallest value above position lo.
  return Interpolate(a, *std::min_element(values.begin() + std::ptrdiff_t(lo) + 1, end), frac);
}

}  // namespace mivo
