#include "mivo/base/statistics.h"

#include <algorithm>
#include <cmath>

namespace mivo {

double PercentileInPlace(std::span<double> values, double prob) {
  // NaNs to the back, then ignore them: nth_element needs a strict weak order.
  const auto end = std::partition(values.begin(), values.end(), [](double v) { return !std::isnan(v); });
  const std::size_t n = static_cast<std::size_t>(end - values.begin());
  if (n == 0) return 0.0;
  const double p = std::isnan(prob) ? 0.0 : std::clamp(prob, 0.0, 1.0);
  const double h = double(n - 1) * p;  // 0-based position
  const std::size_t lo = std::min(static_cast<std::size_t>(std::floor(h)), n - 1);
  const double frac = h - double(lo);
  std::nth_element(values.begin(), values.begin() + std::ptrdiff_t(lo), end);
  const double a = values[lo];
  if (frac <= 0.0 || lo + 1 >= n) return a;
  // The next order statistic is the smallest value above position lo.
  const double b = *std::min_element(values.begin() + std::ptrdiff_t(lo) + 1, end);
  if (a == b) return a;
  if (std::isinf(a) || std::isinf(b)) return std::isinf(a) ? a : b;  // an infinite end wins
  return (1.0 - frac) * a + frac * b;  // never overflows, unlike a + frac * (b - a)
}

}  // namespace mivo
