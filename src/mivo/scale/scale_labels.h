#pragma once
// Label texts of a scale's numeric layouts: numbers with automatic or fixed
// decimals, logarithmic labels, time spans, user texts and inscriptions. The
// numbers themselves are written by the shared formatter (base/number_format.h);
// this file holds the scale's own rules around it. No canvas code. Calendar
// labels live in scale_datetime.h.

#include <cstdint>
#include <string>
#include <string_view>

#include "mivo/platform/export.h"
#include "mivo/scale/scale_ticks.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

// Numeric labels are cut to this many characters.
inline constexpr std::size_t kMaxNumericLabelLength = 14;
// Automatic decimals switch to exponent notation at these range widths.
inline constexpr double kExponentWideRange = 1000000;
inline constexpr double kExponentNarrowRange = 0.0001;
// A snapped zero on a range wider than this reads "0.0" (or "0").
inline constexpr double kZeroLabelWideRange = 100000;

// What the label stage needs of the scale.
struct TNumberLabelSettings {
  double RangeLow = 0;
  double RangeHigh = 100;
  std::int32_t DecPlaces = -2;  // -3 ... 12
  bool UserTexts = false;       // label type "user texts": labels come from UserTickText
  std::string UserTickText;
  std::string ScaleInscript;
};

// The Index-th (1-based) "|"-separated field of text; an index beyond the last
// field gives the last field (empty when text ends in "|"); an index below 1
// gives the first.
std::string ExtractUserText(std::string_view text, std::int32_t index);

// Inscription template applied to a label: "&" stands for the label, without
// "&" the label is appended. An empty label stays empty.
std::string AddScaleInscription(std::string_view label, std::string_view inscription);

// Decimals of linear labels: DecPlaces unless -2 or -3 (automatic); -1 is
// exponent notation.
std::int32_t LinearDecimals(double low, double high, std::int32_t decPlaces);
// Decimals of logarithmic labels: DecPlaces unless -2 (automatic).
std::int32_t LogDecimals(double low, double high, std::int32_t decPlaces);

// A number with n >= 0 fixed decimals, or in exponent notation for n < 0.
std::string FormatScaleNumber(double value, std::int32_t decimals);

// The label of a linear tick (before user texts and inscriptions).
std::string LinearNumberLabel(double value, const TNumberLabelSettings& s);
// The label of a labelled logarithmic tick mult x decade (before user texts
// and inscriptions).
std::string LogNumberLabel(double value, double decade, std::int32_t mult, const TNumberLabelSettings& s);
// A time span in seconds: sign (blank or "-"), hours ":" minutes ":" seconds,
// with "." and three millisecond digits when `millis`.
std::string TimeSpanLabel(double seconds, bool millis);

// Fills the Label of every labelled tick of a linear, logarithmic or
// time-span layout.
void LabelNumericTicks(TTickLayout& layout, const TNumberLabelSettings& s);

}  // namespace mivo
MIVO_PUBLIC_END
