#include "mivo/base/color_array.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "mivo/platform/errors.h"
#include "mivo/platform/mivo_types.h"

namespace mivo {

namespace {

std::uint8_t Channel(double v) { return static_cast<std::uint8_t>(std::clamp(RoundToInt(v), 0, 255)); }

struct THsv {
  double H = 0, S = 0, V = 0;  // H in degrees 0 ... 360, S and V in 0 ... 1
};

THsv ToHsv(TColor c) {
  const double r = GetRValue(c) / 255.0, g = GetGValue(c) / 255.0, b = GetBValue(c) / 255.0;
  const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
  THsv hsv;
  hsv.V = mx;
  const double delta = mx - mn;
  hsv.S = mx > 0 ? delta / mx : 0.0;
  if (delta > 0) {
    if (mx == r)
      hsv.H = 60.0 * std::fmod((g - b) / delta + 6.0, 6.0);
    else if (mx == g)
      hsv.H = 60.0 * ((b - r) / delta + 2.0);
    else
      hsv.H = 60.0 * ((r - g) / delta + 4.0);
  }
  return hsv;
}

TColor FromHsv(THsv hsv) {
  const double h = std::fmod(hsv.H + 360.0, 360.0) / 60.0;
  const double c = hsv.V * hsv.S;
  const double x = c * (1.0 - std::fabs(std::fmod(h, 2.0) - 1.0));
  const double m = hsv.V - c;
  double r = 0, g = 0, b = 0;
  switch (std::clamp(static_cast<int>(h), 0, 5)) {
    case 0: r = c, g = x; break;
    case 1: r = x, g = c; break;
    case 2: g = c, b = x; break;
    case 3: g = x, b = c; break;
    case 4: r = x, b = c; break;
    default: r = c, b = x; break;
  }
  return RGB(Channel((r + m) * 255.0), Channel((g + m) * 255.0), Channel((b + m) * 255.0));
}

TColor InterpolateHsv(TColor c1, TColor c2, double f) {
  THsv a = ToHsv(c1), b = ToHsv(c2);
  // A grey has no hue of its own: borrow the other end's, so black -> blue stays blue.
  if (a.S == 0) a.H = b.H;
  if (b.S == 0) b.H = a.H;
  double dh = b.H - a.H;
  if (dh > 180) dh -= 360;
  if (dh < -180) dh += 360;
  return FromHsv({a.H + f * dh, a.S + f * (b.S - a.S), a.V + f * (b.V - a.V)});
}

// Interpolates entries lo+1 ... hi-1 (0-based) between the colours at lo and hi.
void Span(std::vector<TColor>& out, std::size_t lo, std::size_t hi, std::int32_t model) {
  for (std::size_t i = lo + 1; i < hi; ++i) {
    const double f = double(i - lo) / double(hi - lo);
    out[i] = model == kColorModelHSV ? InterpolateHsv(out[lo], out[hi], f) : InterpolateColor(out[lo], out[hi], f);
  }
}

}  // namespace

TColor InterpolateColor(TColor c1, TColor c2, double fraction) {
  const TColor a = ColorToRGB(c1), b = ColorToRGB(c2);
  const double f = std::isnan(fraction) ? 0.0 : std::clamp(fraction, 0.0, 1.0);
  auto mix = [f](std::uint8_t x, std::uint8_t y) { return Channel(x + f * (double(y) - double(x))); };
  return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

void TColorArray::SetSize(std::int32_t n) {
  n = std::max(n, 0);
  if (n == Size()) return;
  if (n > kMaxColorArraySize)
    RaiseMivoError("Colour array size " + std::to_string(n) + " exceeds the limit of " +
                   std::to_string(kMaxColorArraySize));
  FColors.resize(std::size_t(n), 0);
  Changed();
}

void TColorArray::SetColorElem(std::int32_t i, TColor c) {
  if (i < 1 || i > Size()) return;
  TColor& e = FColors[std::size_t(i - 1)];
  if (e == c) return;
  e = c;
  Changed();
}

void TColorArray::Commit(std::vector<TColor>&& colors) {
  if (colors == FColors) return;
  FColors = std::move(colors);
  Changed();
}

void TColorArray::FillByInterpolation(std::int32_t colorModel, std::span<const TColor> colors) {
  const std::size_t n = FColors.size();
  const std::size_t k = colors.size();
  if (n == 0 || k == 0) return;
  std::vector<TColor> out(n, ColorToRGB(colors[0]));
  if (k > 1 && n > 1) {
    std::size_t prev = 0;
    for (std::size_t j = 1; j < k; ++j) {
      const auto at = static_cast<std::size_t>(std::nearbyint(double(j) * double(n - 1) / double(k - 1)));
      out[at] = ColorToRGB(colors[j]);
      if (at > prev) Span(out, prev, at, colorModel);
      prev = at;
    }
  }
  Commit(std::move(out));
}

void TColorArray::FillByInterpolation(std::span<const std::int32_t> indices, std::span<const TColor> colors) {
  const std::size_t n = FColors.size();
  std::vector<std::pair<std::int32_t, TColor>> anchors;
  for (std::size_t j = 0; j < std::min(indices.size(), colors.size()); ++j)
    if (indices[j] >= 1 && std::size_t(indices[j]) <= n) anchors.emplace_back(indices[j], ColorToRGB(colors[j]));
  if (anchors.empty()) return;
  std::stable_sort(anchors.begin(), anchors.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<TColor> out(n);
  const auto first = std::size_t(anchors.front().first - 1);
  const auto last = std::size_t(anchors.back().first - 1);
  std::fill(out.begin(), out.begin() + std::ptrdiff_t(first) + 1, anchors.front().second);
  std::fill(out.begin() + std::ptrdiff_t(last), out.end(), anchors.back().second);
  for (std::size_t j = 1; j < anchors.size(); ++j) {
    const auto lo = std::size_t(anchors[j - 1].first - 1), hi = std::size_t(anchors[j].first - 1);
    out[hi] = anchors[j].second;
    if (hi > lo) Span(out, lo, hi, kColorModelRGB);
  }
  Commit(std::move(out));
}

std::int32_t TColorArray::ColorToIndex(TColor c) const {
  const TColor target = ColorToRGB(c);
  std::int32_t best = 0;
  std::int64_t bestDist = std::numeric_limits<std::int64_t>::max();
  for (std::size_t i = 0; i < FColors.size(); ++i) {
    const TColor e = ColorToRGB(FColors[i]);
    const std::int64_t dr = std::int64_t(GetRValue(e)) - GetRValue(target);
    const std::int64_t dg = std::int64_t(GetGValue(e)) - GetGValue(target);
    const std::int64_t db = std::int64_t(GetBValue(e)) - GetBValue(target);
    const std::int64_t d = dr * dr + dg * dg + db * db;
    if (d < bestDist) {
      bestDist = d;
      best = static_cast<std::int32_t>(i + 1);
      if (d == 0) break;
    }
  }
  return best;
}

void TColorArray::CopyFrom(const TColorArray& source) {
  if (&source == this) return;
  std::vector<TColor> copy = source.FColors;
  Commit(std::move(copy));
}

void TColorArray::Assign(const TPersistent& source) {
  if (const auto* other = dynamic_cast<const TColorArray*>(&source)) {
    CopyFrom(*other);
    return;
  }
  TPersistent::Assign(source);
}

void TColorArray::AssignTo(TPersistent& dest) const {
  if (auto* target = dynamic_cast<TColorArray*>(&dest)) {
    target->CopyFrom(*this);
    return;
  }
  TPersistent::AssignTo(dest);
}

}  // namespace mivo
