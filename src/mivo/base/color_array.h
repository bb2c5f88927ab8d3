#pragma once
// Colour tables for colour coding: TColorArray, InterpolateColor and the
// fixed PredefinedColors table.

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "mivo/base/change_notify.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/controls.h"
#include "mivo/platform/export.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

// The colour between c1 (fraction 0) and c2 (fraction 1), linear in each of
// red, green and blue and rounded to the nearest integer. The fraction is
// clamped to 0 ... 1 (NaN counts as 0). System colours are resolved first
// (ColorToRGB), so the result is always a plain RGB colour.
TColor InterpolateColor(TColor c1, TColor c2, double fraction);

// Sixteen distinct colours for series, layers and mask values, indexed from 0:
// black, red, blue, green, fuchsia, teal, maroon, navy, olive, purple, gray,
// lime, aqua, yellow, silver, white. Entries 0 and 1 (black, red) are the
// default colours of a chart's first and second scales.
inline constexpr std::array<TColor, 16> PredefinedColors{
    clBlack,   clRed,  clBlue, clGreen, clFuchsia, clTeal, clMaroon, clNavy,
    clOlive,   clPurple, clGray, clLime, clAqua,   clYellow, clSilver, clWhite,
};

// Colour models of FillByInterpolation.
inline constexpr std::int32_t kColorModelRGB = 0;  // linear in red, green and blue
inline constexpr std::int32_t kColorModelHSV = 1;  // linear in hue, saturation and value (shorter hue arc)

// TColorArray: N colours, entries 1 ... N (1-based, as the colour-coding
// components count them). Reading an entry outside 1 ... N gives black (0);
// writing one is ignored. Sizes above kMaxColorArraySize raise EMivoError and
// leave the array unchanged; negative sizes count as 0. OnChange fires after
// every change of size or of an entry (not when nothing changed); bulk
// operations (FillByInterpolation, CopyFrom, Assign) notify once.
class TColorArray : public TPersistent, public TChangeNotifier {
 public:
  static constexpr std::int32_t kMaxColorArraySize = 1 << 24;

  TColorArray() = default;
  explicit TColorArray(std::int32_t n) { SetSize(n); }
  TColorArray(const TColorArray&) = delete;
  TColorArray& operator=(const TColorArray&) = delete;
  std::string ClassName() const override { return "TColorArray"; }

  std::int32_t Size() const { return static_cast<std::int32_t>(FColors.size()); }
  // Resizes, keeping entries 1 ... min(old, new); new entries are black.
  void SetSize(std::int32_t n);

  TColor GetColorElem(std::int32_t i) const { return i >= 1 && i <= Size() ? FColors[std::size_t(i - 1)] : 0; }
  void SetColorElem(std::int32_t i, TColor c);

  // Spreads `colors` evenly over entries 1 ... N: colour k of K (0-based) is
  // placed at entry 1 + round(k (N - 1) / (K - 1)), and the entries between
  // two placed colours are interpolated in the given colour model
  // (kColorModelRGB or kColorModelHSV; other values count as RGB). One colour
  // fills the whole array; an empty list or an empty array changes nothing.
  void FillByInterpolation(std::int32_t colorModel, std::span<const TColor> colors);
  void FillByInterpolation(std::int32_t colorModel, std::initializer_list<TColor> colors) {
    FillByInterpolation(colorModel, std::span<const TColor>(colors.begin(), colors.size()));
  }
  // The same with explicit anchor entries: colors[k] goes to entry indices[k]
  // (the lists are paired up to the shorter one; anchors outside 1 ... N are
  // dropped; they may come in any order). Entries between two anchors are
  // interpolated linearly in RGB; entries before the first anchor take its
  // colour, entries after the last take that one.
  void FillByInterpolation(std::span<const std::int32_t> indices, std::span<const TColor> colors);

  // Entry nearest to c (Euclidean distance in RGB after resolving system
  // colours); the lowest such index on ties; 0 for an empty array.
  std::int32_t ColorToIndex(TColor c) const;

  // Copies size and entries of `source`.
  void CopyFrom(const TColorArray& source);
  void Assign(const TPersistent& source) override;

  std::span<const TColor> Colors() const { return FColors; }
  void EndUpdate() { TChangeNotifier::EndUpdate(*this); }

 protected:
  void AssignTo(TPersistent& dest) const override;
  void Changed() { Notify(*this); }

 private:
  // Replaces the entries and notifies when they differ.
  void Commit(std::vector<TColor>&& colors);
  std::vector<TColor> FColors;
};

}  // namespace mivo
MIVO_PUBLIC_END
