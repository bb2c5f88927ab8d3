#include "mivo/base/number_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace mivo {

namespace detail {

std::string NonFiniteText(double x) {
  if (std::isnan(x)) return "NaN";
  if (std::isinf(x)) return x > 0 ? "Inf" : "-Inf";
  return {};
}

std::string PadLeft(std::string s, std::int32_t width) {
  const std::size_t w = static_cast<std::size_t>(std::clamp(width, 0, kMaxFormatWidth));
  if (s.size() < w) s.insert(0, w - s.size(), ' ');
  return s;
}

}  // namespace detail

namespace {

// printf into a std::string; the buffer is sized by a first measuring call.
template <typename... Args>
std::string Print(const char* fmt, Args... args) {
  char small[64];
  const int n = std::snprintf(small, sizeof small, fmt, args...);
  if (n < 0) return {};
  if (static_cast<std::size_t>(n) < sizeof small) return std::string(small, static_cast<std::size_t>(n));
  std::vector<char> big(static_cast<std::size_t>(n) + 1);
  std::snprintf(big.data(), big.size(), fmt, args...);
  return std::string(big.data(), static_cast<std::size_t>(n));
}

// "-0", "-0.000" become "0", "0.000"; "-0.0E+00" style texts keep their sign
// handled by the callers.
void DropNegativeZero(std::string& s) {
  if (s.empty() || s[0] != '-') return;
  for (std::size_t i = 1; i < s.size(); ++i)
    if (s[i] != '0' && s[i] != '.') return;
  s.erase(0, 1);
}

// Splits a printf "%.*E" text ("-1.5E+03", "2.0E-300") into mantissa text
// (without sign), negative flag and exponent value.
struct ExpParts {
  bool Negative = false;
  std::string Mantissa;
  int Exponent = 0;
};

ExpParts SplitExponent(double x, int decimals) {
  ExpParts p;
  std::string s = Print("%.*E", decimals, x);
  if (!s.empty() && s[0] == '-') {
    p.Negative = true;
    s.erase(0, 1);
  }
  const std::size_t e = s.find('E');
  p.Mantissa = s.substr(0, e);
  if (e != std::string::npos) p.Exponent = std::atoi(s.c_str() + e + 1);
  // A mantissa of zero never carries a sign.
  if (p.Mantissa.find_first_not_of("0.") == std::string::npos) {
    p.Negative = false;
    p.Exponent = 0;
  }
  return p;
}

// Sign character, mantissa, "E", exponent sign and the exponent written with
// `digits` digits, then shortened by dropping its two leading digits; stars of
// the full length when those are not "00".
std::string ShortenedExponentText(double x, int mantissaDecimals, int digits) {
  const ExpParts p = SplitExponent(x, mantissaDecimals);
  const int absExp = std::abs(p.Exponent);
  std::string expText = std::to_string(absExp);
  if (static_cast<int>(expText.size()) < digits) expText.insert(0, digits - expText.size(), '0');
  std::string text = std::string(p.Negative ? "-" : " ") + p.Mantissa + "E" + (p.Exponent < 0 ? "-" : "+");
  if (expText.compare(0, 2, "00") == 0) return text + expText.substr(2);
  text += expText.substr(std::min<std::size_t>(2, expText.size()));
  return std::string(text.size(), '*');
}

}  // namespace

std::string FormatFixed(double x, std::int32_t decimals) {
  if (!std::isfinite(x)) return detail::NonFiniteText(x);
  const int n = std::clamp(decimals, 0, kMaxFormatDecimals);
  std::string s = Print("%.*f", n, x);
  DropNegativeZero(s);
  return s;
}

std::string FormatExponent(double x) {
  if (!std::isfinite(x)) return detail::NonFiniteText(x);
  return ShortenedExponentText(x, 1, 4);
}

std::string FormatAuto(double x) {
  if (!std::isfinite(x)) return detail::NonFiniteText(x);
  if (x == 0) return "0";
  // Six significant digits; decide on the rounded value so that 999999.7
  // goes to exponent notation rather than "1000000".
  const ExpParts rounded = SplitExponent(x, 5);
  const bool fixed = rounded.Exponent < 6 && rounded.Exponent >= -3;
  if (fixed) {
    const int decimals = std::clamp(5 - rounded.Exponent, 0, 8);
    std::string s = Print("%.*f", decimals, x);
    if (s.find('.') != std::string::npos) {
      while (!s.empty() && s.back() == '0') s.pop_back();
      if (!s.empty() && s.back() == '.') s.pop_back();
    }
    DropNegativeZero(s);
    return s;
  }
  const ExpParts p = SplitExponent(x, 4);
  std::string mant = p.Mantissa;
  while (mant.size() > 3 && mant.back() == '0') mant.pop_back();  // keep "d.d"
  std::string expText = std::to_string(std::abs(p.Exponent));
  if (expText.size() < 2) expText.insert(0, 1, '0');
  return std::string(p.Negative ? "-" : "") + mant + "E" + (p.Exponent < 0 ? "-" : "+") + expText;
}

std::string strff(double x, std::int32_t width, std::int32_t decimals) {
  std::string s;
  if (decimals >= 0)
    s = FormatFixed(x, decimals);
  else if (decimals == -1)
    s = FormatExponent(x);
  else
    s = FormatAuto(x);
  return detail::PadLeft(std::move(s), width);
}

std::string RCSpecStrf(double x, std::int32_t width, std::int32_t decimals) {
  if (decimals >= 0) return detail::PadLeft(FormatFixed(x, decimals), width);
  if (!std::isfinite(x)) return detail::PadLeft(detail::NonFiniteText(x), width);
  const int w = std::clamp(width, 0, kMaxFormatWidth);
  const int mantissaDecimals = std::clamp(w - 7, 1, kMaxFormatDecimals);
  return detail::PadLeft(ShortenedExponentText(x, mantissaDecimals, 4), width);
}

}  // namespace mivo
