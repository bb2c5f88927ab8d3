#include "mivo/plot3d/plot3d_projection.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "mivo/base/number_format.h"
#include "mivo/base/tick_params.h"
#include "mivo/base/unit_cube.h"
#include "mivo/platform/colors.h"

namespace mivo {

namespace {

constexpr double kDegToRad = std::numbers::pi * (1.0 / 180);
constexpr std::int32_t kFullShade = 200;
constexpr double kShadePerDepth = 50;
// A tick this close to zero, relative to the span, is labelled as zero.
constexpr double kZeroTick = 1e-14;
// The walk goes on while the next tick lies within this part of a step beyond the end.
constexpr double kTickEndTolerance = 0.001;
// Spans whose zero tick is written with the label formatter.
constexpr double kPlainZeroSpan = 100000;

std::int32_t ClampPixel(double v, std::int32_t centre) {
  if (std::isnan(v)) return centre;
  return std::clamp(RoundToInt(v), -kMaxProjectedPixel, kMaxProjectedPixel);
}

}  // namespace

double NormalizeViewAngle(double v) {
  if (v > 360) return std::fmod(v, 360.0);
  if (v < 0) return std::fmod(v, 360.0) + 360;
  return v;
}

TRotMatrix CalcRotMatrix(double angleX, double angleZ) {
  const double ax = angleX * kDegToRad;
  const double az = angleZ * kDegToRad;
  const double sx = std::sin(ax), cx = std::cos(ax), sz = std::sin(az), cz = std::cos(az);
  TRotMatrix r{{{cz, -sz, 0}, {cx * sz, cx * cz, -sx}, {sx * sz, sx * cz, cx}}};
  for (auto& row : r)
    for (double& e : row)
      if (std::fabs(e) < kRotMatZero) e = 0;
  return r;
}

double GridCellSize(std::int32_t n) { return n > 1 ? kCubeEdge / double(n - 1) : 1.0; }

double GridNodeCoord(std::int32_t index, std::int32_t n) {
  return GridCellSize(n) * (double(index) - double(n) / 2 - 0.5);
}

TPoint TProjection::Project(double x, double y, double z) const {
  const double px = (SclX * x * R[0][0] + SclY * y * R[0][1] + SclZ * z * R[0][2]) * Magnify + CentX;
  const double py = (SclX * x * R[1][0] + SclY * y * R[1][1] + SclZ * z * R[1][2]) * Magnify + CentY;
  return {ClampPixel(px, CentX), ClampPixel(py, CentY)};
}

double CornerDepth(const TRotMatrix& r, std::int32_t corner) {
  return CubeCornerSign(corner, 0) * r[2][0] + CubeCornerSign(corner, 1) * r[2][1] + CubeCornerSign(corner, 2) * r[2][2];
}

double CornerScreenX(const TRotMatrix& r, std::int32_t corner) {
  return CubeCornerSign(corner, 0) * r[0][0] + CubeCornerSign(corner, 1) * r[0][1] + CubeCornerSign(corner, 2) * r[0][2];
}

std::int32_t FarthestCorner(const TRotMatrix& r) {
  std::int32_t best = 0;
  double smallest = 2147483647.0;
  for (std::int32_t i = 0; i < kCubeCorners; ++i) {
    const double d = CornerDepth(r, i);
    if (d < smallest) {
      smallest = d;
      best = i;
    }
  }
  return best;
}

std::int32_t RightmostCorner(const TRotMatrix& r) {
  std::int32_t best = 0;
  double largest = -2147483647.0;
  for (std::int32_t i = 0; i < kCubeCorners; ++i) {
    const double e = CornerScreenX(r, i);
    if (e > largest) {
      largest = e;
      best = i;
    }
  }
  return best;
}

std::int32_t FaceShade(double depthSum) {
  return std::clamp(RoundToInt(kShadePerDepth * depthSum), 0, kFullShade);
}

TColor FaceColor(TColor low, TColor high, std::int32_t shade) {
  const TColor lo = ColorToRGB(low), hi = ColorToRGB(high);
  const std::int32_t f = std::clamp(shade, 0, kFullShade);
  TColor result = 0;
  for (std::int32_t shift = 0; shift <= 16; shift += 8) {
    const std::int32_t l = std::int32_t((lo >> shift) & 0xFF), h = std::int32_t((hi >> shift) & 0xFF);
    result |= TColor(l + (h - l) * f / kFullShade) << shift;
  }
  return result;
}

TCellOrder CellDrawOrder(double viewAngleX, double viewAngleZ) {
  const bool flipped = viewAngleX > 180;
  return {flipped != (viewAngleZ < 90 || viewAngleZ > 270), flipped == (viewAngleZ > 180)};
}

TColor TColorCoding::Calc(double v) const {
  double t = 0;
  if (High > Low && !std::isnan(v)) {
    v = std::clamp(v, Low, High);
    t = (v - Low) / (High - Low);
    if (!std::isfinite(t)) t = 0;  // a span beyond the doubles
  }
  auto mix = [](TColor a, TColor b, double f) {
    const TColor ca = ColorToRGB(a), cb = ColorToRGB(b);
    TColor result = 0;
    for (std::int32_t shift = 0; shift <= 16; shift += 8) {
      const double ea = double((ca >> shift) & 0xFF), eb = double((cb >> shift) & 0xFF);
      result |= TColor(std::clamp(RoundToInt(ea + f * (eb - ea)), 0, 255)) << shift;
    }
    return result;
  };
  switch (Mode) {
    case TColorCodingMode::ccmThreeColors:
      return t < 0.5 ? mix(ColorLow, ColorMid, 2 * t) : mix(ColorMid, ColorHigh, 2 * (t - 0.5));
    case TColorCodingMode::ccmColorArray: {
      if (!IsoColors) return 0;
      const std::int32_t n = IsoColors->Size();
      return IsoColors->GetColorElem(std::max(1, RoundToInt(t * n)));
    }
    default:
      return mix(ColorLow, ColorHigh, t);
  }
}

std::int32_t AxisDecimals(std::int32_t decPlace, double low, double high) {
  if (decPlace != -2) return decPlace;
  const double r = std::fabs(high - low);
  if (r >= 1000000 || r <= 0.0001) return -2;
  if (r >= 100) return 0;
  return 2 - RoundToInt(std::log(r) / 2.5);
}

std::vector<TAxisTick> AxisTicks(std::int32_t minTicks, double low, double high) {
  std::vector<TAxisTick> ticks;
  double first = 0, step = 0;
  std::uint16_t sub = 1;
  CalcScalePars(minTicks, low, high, first, step, sub);
  const double span = high - low;
  if (step == 0 || !std::isfinite(step) || !std::isfinite(first) || span == 0 || !std::isfinite(span)) return ticks;
  const double dir = high > low ? 1 : -1;
  for (std::int32_t k = 0; k < kMaxAxisTicks; ++k) {
    const double t = first + k * step;
    ticks.push_back({t, (t - low) / span});
    if ((first + (k + 1) * step - high) * dir > kTickEndTolerance * step * dir) break;
  }
  return ticks;
}

std::string AxisTickLabel(double t, double low, double high, std::int32_t decimals) {
  const double span = high - low;
  std::string label;
  if (std::fabs(t / span) < kZeroTick) {
    if (std::fabs(span) <= kPlainZeroSpan)
      label = strff(0, 1, decimals);
    else
      label = decimals != 0 ? "0.0" : "0";
  } else {
    label = strff(t, 1, decimals);
  }
  if (label.size() > kMaxTickLabelLength) label.resize(kMaxTickLabelLength);
  return label;
}

TCellHit FindCellAt(const TIntMatrix& projX, const TIntMatrix& projY, const TIntMatrix& projZ, std::int32_t mx,
                    std::int32_t my, const std::vector<std::uint8_t>& skip) {
  TCellHit hit;
  const std::int32_t nc = projX.NrOfColumns(), nr = projX.NrOfRows();
  if (projY.NrOfColumns() != nc || projY.NrOfRows() != nr || projZ.NrOfColumns() != nc || projZ.NrOfRows() != nr)
    return hit;
  const bool useSkip = skip.size() == std::size_t(std::max(0, nc - 1)) * std::size_t(std::max(0, nr - 1));
  std::int64_t best = -2147483647;
  auto sign = [](std::int64_t v) -> std::int32_t { return (v > 0) - (v < 0); };
  for (std::int32_t i = 1; i < nc; ++i) {
    for (std::int32_t j = 1; j < nr; ++j) {
      if (useSkip && !skip.empty() && skip[std::size_t(j - 1) * std::size_t(nc - 1) + std::size_t(i - 1)]) continue;
      const std::int64_t x[4] = {projX.Elem(i, j), projX.Elem(i, j + 1), projX.Elem(i + 1, j + 1),
                                 projX.Elem(i + 1, j)};
      const std::int64_t y[4] = {projY.Elem(i, j), projY.Elem(i, j + 1), projY.Elem(i + 1, j + 1),
                                 projY.Elem(i + 1, j)};
      std::int32_t sum = 0;
      for (std::int32_t e = 0; e < 4; ++e) {
        const std::int32_t n = (e + 1) % 4;
        sum += sign((x[n] - x[e]) * (my - y[e]) - (y[n] - y[e]) * (mx - x[e]));
      }
      const std::int64_t rank = projZ.Elem(i, j);
      if (std::abs(sum) > 2 && rank > best) {
        best = rank;
        hit = {true, i, j};
      }
    }
  }
  return hit;
}

}  // namespace mivo
