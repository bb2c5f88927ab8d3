#include "mivo/base/matrix.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <type_traits>

#include "mivo/base/statistics.h"
#include "mivo/platform/errors.h"

namespace mivo {

namespace {

// Equality for change detection: NaN equals NaN, so storing NaN over NaN is
// no change (and does not notify).
template <typename T>
bool SameValue(T a, T b) {
  if constexpr (std::is_floating_point_v<T>) {
    if (std::isnan(a) && std::isnan(b)) return true;
  }
  return a == b;
}

template <typename T>
bool IsNaN(T v) {
  if constexpr (std::is_floating_point_v<T>)
    return std::isnan(v);
  else
    return false;
}

// Widens [minimum, maximum] by the non-NaN values of data[0 .. n); `found`
// says whether any value has been taken yet.
template <typename T>
void AccumulateMinMax(const T* data, std::int64_t n, bool& found, T& minimum, T& maximum) {
  for (std::int64_t i = 0; i < n; ++i) {
    const T v = data[i];
    if (IsNaN(v)) continue;
    if (!found) {
      minimum = maximum = v;
      found = true;
    } else {
      minimum = std::min(minimum, v);
      maximum = std::max(maximum, v);
    }
  }
}

void CheckSize(std::int64_t elements, const char* what) {
  if (elements > kMaxMatrixElements)
    RaiseMivoError(std::string(what) + ": " + std::to_string(elements) + " elements exceed the limit of " +
                   std::to_string(kMaxMatrixElements));
}

// Clamps an index range given in either order to 1 ... n; false when empty.
bool ClampRange(std::int32_t& a, std::int32_t& b, std::int32_t n) {
  if (a > b) std::swap(a, b);
  a = std::max(a, 1);
  b = std::min(b, n);
  return a <= b;
}

}  // namespace

namespace detail {

template <typename T>
void TMatrixT<T>::Resize(std::int32_t nc, std::int32_t nr) {
  nc = std::max(nc, 0);
  nr = std::max(nr, 0);
  if (nc == FNumCols && nr == FNumRows) return;
  CheckSize(std::int64_t(nc) * nr, "Matrix");
  std::vector<T> data(std::size_t(nc) * std::size_t(nr), T(0));
  const std::int32_t keepCols = std::min(nc, FNumCols);
  const std::int32_t keepRows = std::min(nr, FNumRows);
  for (std::int32_t r = 1; r <= keepRows; ++r)
    std::copy_n(FData.begin() + std::ptrdiff_t(Index(1, r)), keepCols,
                data.begin() + std::ptrdiff_t(std::size_t(r - 1) * std::size_t(nc)));
  FData.swap(data);
  FNumCols = nc;
  FNumRows = nr;
  Changed();
}

template <typename T>
void TMatrixT<T>::SetElem(std::int32_t col, std::int32_t row, T value) {
  if (!Inside(col, row)) return;
  T& e = FData[Index(col, row)];
  if (SameValue(e, value)) return;
  e = value;
  Changed();
}

template <typename T>
void TMatrixT<T>::Fill(T value) {
  bool changed = false;
  for (T& e : FData) {
    if (!SameValue(e, value)) {
      e = value;
      changed = true;
    }
  }
  if (changed) Changed();
}

template <typename T>
bool TMatrixT<T>::MinMax(std::int32_t c1, std::int32_t r1, std::int32_t c2, std::int32_t r2, T& minimum,
                         T& maximum) const {
  minimum = maximum = T(0);
  if (!ClampRange(c1, c2, FNumCols) || !ClampRange(r1, r2, FNumRows)) return false;
  bool found = false;
  for (std::int32_t r = r1; r <= r2; ++r)
    AccumulateMinMax(FData.data() + Index(c1, r), std::int64_t(c2) - c1 + 1, found, minimum, maximum);
  return found;
}

template <typename T>
double TMatrixT<T>::Percentile(double prob, std::int32_t c1, std::int32_t r1, std::int32_t c2,
                               std::int32_t r2) const {
  if (!ClampRange(c1, c2, FNumCols) || !ClampRange(r1, r2, FNumRows)) return 0.0;
  std::vector<double> values;
  values.reserve(std::size_t(c2 - c1 + 1) * std::size_t(r2 - r1 + 1));
  for (std::int32_t r = r1; r <= r2; ++r)
    for (std::int32_t c = c1; c <= c2; ++c) values.push_back(double(FData[Index(c, r)]));
  return PercentileInPlace(values, prob);
}

template <typename T>
void TMatrixT<T>::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TMatrixT<T>*>(&source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  const bool same = FNumCols == other->FNumCols && FNumRows == other->FNumRows &&
                    std::equal(FData.begin(), FData.end(), other->FData.begin(), [](T a, T b) { return SameValue(a, b); });
  if (same) return;
  FData = other->FData;
  FNumCols = other->FNumCols;
  FNumRows = other->FNumRows;
  Changed();
}

template <typename T>
void TMatrixT<T>::AssignTo(TPersistent& dest) const {
  if (auto* target = dynamic_cast<TMatrixT<T>*>(&dest)) {
    target->Assign(*this);
    return;
  }
  TPersistent::AssignTo(dest);
}

template class TMatrixT<double>;
template class TMatrixT<std::int32_t>;
template class TMatrixT<std::uint8_t>;

}  // namespace detail

void TVector::Resize(std::int32_t n) {
  n = std::max(n, 0);
  if (n == NrOfElem()) return;
  CheckSize(n, "Vector");
  FData.resize(std::size_t(n), 0.0);
  Changed();
}

void TVector::SetElem(std::int32_t i, double value) {
  if (!Inside(i)) return;
  double& e = FData[std::size_t(i - 1)];
  if (SameValue(e, value)) return;
  e = value;
  Changed();
}

void TVector::Fill(double value) {
  bool changed = false;
  for (double& e : FData) {
    if (!SameValue(e, value)) {
      e = value;
      changed = true;
    }
  }
  if (changed) Changed();
}

bool TVector::MinMax(std::int32_t i1, std::int32_t i2, double& minimum, double& maximum) const {
  minimum = maximum = 0.0;
  if (!ClampRange(i1, i2, NrOfElem())) return false;
  bool found = false;
  AccumulateMinMax(FData.data() + (i1 - 1), std::int64_t(i2) - i1 + 1, found, minimum, maximum);
  return found;
}

double TVector::Percentile(double prob, std::int32_t i1, std::int32_t i2) const {
  if (!ClampRange(i1, i2, NrOfElem())) return 0.0;
  std::vector<double> values(FData.begin() + (i1 - 1), FData.begin() + i2);
  return PercentileInPlace(values, prob);
}

void TVector::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TVector*>(&source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  const bool same = FData.size() == other->FData.size() &&
                    std::equal(FData.begin(), FData.end(), other->FData.begin(), SameValue<double>);
  if (same) return;
  FData = other->FData;
  Changed();
}

void TVector::AssignTo(TPersistent& dest) const {
  if (auto* target = dynamic_cast<TVector*>(&dest)) {
    target->Assign(*this);
    return;
  }
  TPersistent::AssignTo(dest);
}

}  // namespace mivo
