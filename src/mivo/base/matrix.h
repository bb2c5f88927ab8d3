#pragma once
// Matrices and vectors of the math package: TMatrix (double), TIntMatrix
// (32-bit integers), TByteMatrix (bytes) and TVector (double).
//
// Indices are 1-based: a matrix has columns 1 ... NrOfColumns() and rows
// 1 ... NrOfRows(); element (col, row). A vector has elements 1 ... NrOfElem().
// Out-of-range access is harmless by design: Elem returns 0 and SetElem does
// nothing (callers such as the contour plot rely on quietly ignored indices).
// Sub-range arguments are clamped to the valid indices and may be given in
// either order.
//
// Sizes: negative sizes count as 0; a matrix of more than kMaxMatrixElements
// elements (checked in 64 bits before anything is allocated) raises EMivoError
// and leaves the object unchanged. Resize keeps the elements that lie inside
// both the old and the new size; new elements are 0.
//
// Notifications (TChangeNotifier): OnChange fires after every change of size
// or content - not when a setter stores the value already there. Use
// BeginUpdate / EndUpdate around bulk writes for a single notification.
// NaN elements compare equal to NaN for this purpose.
//
// MinMax and Percentile skip NaN elements; Percentile interpolates linearly
// between order statistics (statistics.h) at a probability prob in 0 ... 1.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "mivo/base/change_notify.h"
#include "mivo/platform/controls.h"
#include "mivo/platform/export.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

inline constexpr std::int64_t kMaxMatrixElements = std::int64_t(1) << 28;

namespace detail {

template <typename T>
class TMatrixT : public TPersistent, public TChangeNotifier {
 public:
  using ValueType = T;

  TMatrixT() = default;
  TMatrixT(std::int32_t nc, std::int32_t nr) { Resize(nc, nr); }
  TMatrixT(const TMatrixT&) = delete;
  TMatrixT& operator=(const TMatrixT&) = delete;

  std::int32_t NrOfColumns() const { return FNumCols; }
  std::int32_t NrOfRows() const { return FNumRows; }

  // Resizes, keeping the overlapping elements; raises EMivoError (unchanged
  // object) above kMaxMatrixElements.
  void Resize(std::int32_t nc, std::int32_t nr);

  // Element (col, row); 0 outside the matrix.
  T Elem(std::int32_t col, std::int32_t row) const {
    return Inside(col, row) ? FData[Index(col, row)] : T(0);
  }
  // Sets element (col, row); ignored outside the matrix.
  void SetElem(std::int32_t col, std::int32_t row, T value);
  // Sets every element.
  void Fill(T value);

  // Smallest and largest element of columns c1 ... c2 and rows r1 ... r2
  // (clamped, either order). Returns false - and sets both to 0 - when the
  // sub-range holds no (non-NaN) element.
  bool MinMax(std::int32_t c1, std::int32_t r1, std::int32_t c2, std::int32_t r2, T& minimum, T& maximum) const;
  bool MinMax(T& minimum, T& maximum) const { return MinMax(1, 1, FNumCols, FNumRows, minimum, maximum); }

  // Percentile at probability prob (0 ... 1) over the sub-range or the whole
  // matrix; 0 when empty.
  double Percentile(double prob, std::int32_t c1, std::int32_t r1, std::int32_t c2, std::int32_t r2) const;
  double Percentile(double prob) const { return Percentile(prob, 1, 1, FNumCols, FNumRows); }

  // Row-major element storage: element (col, row) at (row-1) * NrOfColumns() + (col-1).
  std::span<const T> Data() const { return FData; }

  // Copies size and elements from a matrix of the same kind; notifies once
  // when anything changed.
  void Assign(const TPersistent& source) override;

  void EndUpdate() { TChangeNotifier::EndUpdate(*this); }

 protected:
  void AssignTo(TPersistent& dest) const override;
  void Changed() { Notify(*this); }

 private:
  bool Inside(std::int32_t col, std::int32_t row) const {
    return col >= 1 && col <= FNumCols && row >= 1 && row <= FNumRows;
  }
  std::size_t Index(std::int32_t col, std::int32_t row) const {
    return std::size_t(row - 1) * std::size_t(FNumCols) + std::size_t(col - 1);
  }

  std::int32_t FNumCols = 0;
  std::int32_t FNumRows = 0;
  std::vector<T> FData;
};

extern template class TMatrixT<double>;
extern template class TMatrixT<std::int32_t>;
extern template class TMatrixT<std::uint8_t>;

}  // namespace detail

class TMatrix : public detail::TMatrixT<double> {
 public:
  using TMatrixT::TMatrixT;
  std::string ClassName() const override { return "TMatrix"; }
};

class TIntMatrix : public detail::TMatrixT<std::int32_t> {
 public:
  using TMatrixT::TMatrixT;
  std::string ClassName() const override { return "TIntMatrix"; }
};

class TByteMatrix : public detail::TMatrixT<std::uint8_t> {
 public:
  using TMatrixT::TMatrixT;
  std::string ClassName() const override { return "TByteMatrix"; }
};

class TVector : public TPersistent, public TChangeNotifier {
 public:
  TVector() = default;
  explicit TVector(std::int32_t n) { Resize(n); }
  TVector(const TVector&) = delete;
  TVector& operator=(const TVector&) = delete;
  std::string ClassName() const override { return "TVector"; }

  std::int32_t NrOfElem() const { return static_cast<std::int32_t>(FData.size()); }
  // Resizes, keeping elements 1 ... min(old, new); raises EMivoError (unchanged
  // object) above kMaxMatrixElements.
  void Resize(std::int32_t n);

  // Element i; 0 outside 1 ... NrOfElem().
  double Elem(std::int32_t i) const { return Inside(i) ? FData[std::size_t(i - 1)] : 0.0; }
  // Sets element i; ignored outside.
  void SetElem(std::int32_t i, double value);
  void Fill(double value);

  // Extremes of elements i1 ... i2 (clamped, either order); false and 0, 0 when empty.
  bool MinMax(std::int32_t i1, std::int32_t i2, double& minimum, double& maximum) const;
  bool MinMax(double& minimum, double& maximum) const { return MinMax(1, NrOfElem(), minimum, maximum); }
  // Percentile at probability prob (0 ... 1) of elements i1 ... i2 or of all; 0 when empty.
  double Percentile(double prob, std::int32_t i1, std::int32_t i2) const;
  double Percentile(double prob) const { return Percentile(prob, 1, NrOfElem()); }

  std::span<const double> Data() const { return FData; }

  void Assign(const TPersistent& source) override;
  void EndUpdate() { TChangeNotifier::EndUpdate(*this); }

 protected:
  void AssignTo(TPersistent& dest) const override;
  void Changed() { Notify(*this); }

 private:
  bool Inside(std::int32_t i) const { return i >= 1 && i <= NrOfElem(); }
  std::vector<double> FData;
};

}  // namespace mivo
MIVO_PUBLIC_END
