// Conversions between impedance and reflection coefficient, label levels,
// texts and offsets of the Smith chart.
#include "mivo/charts/smith_math.h"

#include <cmath>
#include <limits>

#include "mivo/base/number_format.h"
#include "mivo/base/univconst.h"

namespace mivo {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Pixels between a point on the unit circle and the centre of its label.
constexpr double kLabelDistance = 10;
// A fractional part up to this magnitude is written without decimals.
constexpr double kWholeLabelTolerance = 0.01;

// The label density thresholds: above Span[i] pixels the level is i + 2.
constexpr std::array<double, 4> kLevelSpans{300, 500, 750, 900};

}  // namespace

// With a = 1/(R + 1) and t = X a, G = 1 - 2a/(1 + t^2) + j 2ta/(1 + t^2).
// The forms keep away from overflow: t^2 may become Inf (the parts then go
// to their limits 1 and 0), 1 + t^2 never becomes 0.
double SmithReflectionReal(double resistance, double reactance) {
  if (std::isnan(resistance) || std::isnan(reactance)) return kNaN;
  if (std::isinf(resistance) || std::isinf(reactance)) return 1;
  const double s = resistance + 1;
  if (s == 0) return reactance == 0 ? kNaN : 1;  // (-2 + jX)/(jX) = 1 + 2j/X
  const double a = 1 / s, t = reactance * a;
  return 1 - 2 * a / (1 + t * t);
}

double SmithReflectionImag(double resistance, double reactance) {
  if (std::isnan(resistance) || std::isnan(reactance)) return kNaN;
  if (std::isinf(resistance) || std::isinf(reactance)) return 0;
  const double s = resistance + 1;
  if (s == 0) return reactance == 0 ? kNaN : 2 / reactance;
  if (reactance == 0) return 0;
  const double a = 1 / s, t = reactance * a;
  if (std::fabs(t) > 1) return 2 * a / (t + 1 / t);
  return 2 * t * a / (1 + t * t);
}

namespace {

// |G - 1|^2, the denominator of both inverse conversions; false for the open
// circuit, whose denominator vanishes or has lost all precision.
bool InverseDenominator(double reflReal, double reflImag, double& a, double& b) {
  a = reflReal - 1;
  b = a * a + reflImag * reflImag;
  return !(b < std::numeric_limits<double>::min());
}

}  // namespace

double SmithResistance(double reflReal, double reflImag) {
  if (std::isnan(reflReal) || std::isnan(reflImag)) return kNaN;
  if (std::isinf(reflReal) || std::isinf(reflImag)) return -1;
  double a = 0, b = 0;
  if (!InverseDenominator(reflReal, reflImag, a, b)) return uc_MaxReal;
  return -1 - 2 * a / b;
}

double SmithReactance(double reflReal, double reflImag) {
  if (std::isnan(reflReal) || std::isnan(reflImag)) return kNaN;
  if (std::isinf(reflReal) || std::isinf(reflImag)) return 0;
  double a = 0, b = 0;
  if (!InverseDenominator(reflReal, reflImag, a, b)) return uc_MaxReal;
  return 2 * reflImag / b;
}

std::int32_t SmithLabelLevel(double span) {
  std::int32_t level = 1;
  for (double s : kLevelSpans)
    if (span > s) ++level;
  return level;
}

std::string SmithLabelText(double value) {
  const double frac = value - std::trunc(value);
  return RCSpecStrf(value, 1, std::fabs(frac) <= kWholeLabelTolerance ? 0 : 1);
}

TPoint SmithLabelOffset(std::int64_t dx, std::int64_t dy) {
  const auto d = std::int32_t(kLabelDistance);
  if (dx == 0 && dy == 0) return {0, 0};
  if (dx == 0) return {0, dy < 0 ? -d : d};
  if (dy == 0) return {dx < 0 ? -d : d, 0};
  const double s = double(dy) / double(dx);
  const std::int32_t ox = RoundToInt(kLabelDistance / std::sqrt(s * s + 1));
  const std::int32_t oy = RoundToInt(kLabelDistance / std::sqrt(1 / (s * s) + 1));
  return {dx < 0 ? -ox : ox, dy < 0 ? -oy : oy};
}

}  // namespace mivo
