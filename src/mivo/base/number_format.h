#pragma once
// Number formatting shared by the scales, the charts and the data table: every
// numeric label of the library is built by these functions.
//
// Non-finite values never crash a formatter: NaN is written "NaN", +Inf "Inf"
// and -Inf "-Inf" (right-aligned where a width is given). No formatter ever
// writes "-0": a value that rounds to zero is written without a sign.

#include <cstdint>
#include <string>

#include "mivo/platform/export.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

// Largest number of decimals the fixed formats write; more are clamped.
inline constexpr std::int32_t kMaxFormatDecimals = 20;
// Largest field width of strff and RCSpecStrf; wider requests are clamped.
inline constexpr std::int32_t kMaxFormatWidth = 255;

// Fixed-point with exactly `decimals` digits after the point (negative counts
// as 0, above kMaxFormatDecimals as kMaxFormatDecimals), no leading blanks:
// FormatFixed(3.14159, 2) == "3.14", FormatFixed(-0.001, 2) == "0.00".
// The binary value is rounded exactly (ties to even).
std::string FormatFixed(double x, std::int32_t decimals);

// Exponent notation with two significant digits, eight characters:
//   sign (a blank for x >= 0, "-" otherwise), one digit, ".", one digit, "E",
//   the exponent's sign and two exponent digits: " 1.5E+03", "-2.0E-05",
//   " 0.0E+00".
// It is the four-digit form " 1.5E+0003" with the exponent's leading "00"
// removed; an exponent of 100 or more in magnitude (first two digits not
// "00") turns the whole label into "********". NaN, Inf, -Inf as above.
std::string FormatExponent(double x);

// Automatic format used for decimals = -2 by strff:
//   0                          -> "0"
//   1e-3 <= |x| < 1e6          -> fixed, six significant digits, trailing
//                                 zeros (and a bare ".") removed:
//                                 "12.3457", "0.5", "100", "0.00123457"
//   otherwise                  -> exponent notation with up to five significant
//                                 digits, trailing mantissa zeros removed but one
//                                 decimal kept, exponent with at least two
//                                 digits: "2.0E+06", "-1.2346E+07", "3.5E-05",
//                                 "1.0E+300"
// The text never exceeds 12 characters, so a width of 12 always holds it.
std::string FormatAuto(double x);

// The general number formatter, right-aligned in `width` characters (a longer
// text is never cut; width is clamped to 0 ... kMaxFormatWidth):
//   decimals >= 0: FormatFixed(x, decimals);
//   decimals == -1: FormatExponent(x) (eight characters, or stars);
//   decimals <= -2: FormatAuto(x).
std::string strff(double x, std::int32_t width, std::int32_t decimals);

// The 2D chart's fixed-width formatter:
//   decimals >= 0: as strff (fixed, right-aligned in width);
//   decimals < 0: scientific notation built in width + 2 characters - sign
//     (blank or "-"), one digit, ".", max(1, width - 7) digits, "E", the
//     exponent's sign and four exponent digits - from which the exponent's two
//     leading digits are removed, giving `width` characters (more when width
//     is below 8): RCSpecStrf(1234.6, 10, -1) == " 1.235E+03". When the
//     removed digits are not "00" the whole text becomes "*" of its length.
std::string RCSpecStrf(double x, std::int32_t width, std::int32_t decimals);

namespace detail {
// "NaN", "Inf", "-Inf" for non-finite x; empty for finite x.
std::string NonFiniteText(double x);
// Pads `s` with blanks on the left to `width` characters.
std::string PadLeft(std::string s, std::int32_t width);
}  // namespace detail

}  // namespace mivo
MIVO_PUBLIC_END
