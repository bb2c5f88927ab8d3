// The box plot's statistics, value range, label places and parameter listing.
#include "mivo/charts/box_plot_model.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "mivo/base/data_table.h"
#include "mivo/base/number_format.h"
#include "mivo/base/statistics.h"
#include "mivo/base/string_utils.h"

namespace mivo {

namespace {

constexpr std::int32_t kCellWidth = 12;
constexpr std::array<double, 5> kProbs = {0.10, 0.25, 0.50, 0.75, 0.90};

// The mean without overflow: the plain sum when it stays finite (the data
// table's result), otherwise the sum of the values divided first.
double MeanOf(std::span<const double> v, double sum) {
  const double n = double(v.size());
  if (std::isfinite(sum)) return sum / n;
  double scaled = 0;
  for (double x : v) scaled += x / n;
  return scaled;
}

}  // namespace

TBoxStats ComputeBoxStats(std::span<double> values) {
  const auto end = std::partition(values.begin(), values.end(), [](double x) { return !std::isnan(x); });
  const std::span<double> v = values.first(std::size_t(end - values.begin()));
  TBoxStats s;
  if (v.empty()) return s;
  s.Count = static_cast<std::int32_t>(std::min<std::size_t>(v.size(), std::numeric_limits<std::int32_t>::max()));
  double mn = v[0], mx = v[0], sum = 0;
  for (double x : v) {
    mn = std::min(mn, x);
    mx = std::max(mx, x);
    sum += x;
  }
  s.Min = mn;
  s.Max = mx;
  s.Mean = MeanOf(v, sum);
  std::array<double, kProbs.size()> r{};
  PercentilesInPlace(v, kProbs, r);
  s.P10 = r[0];
  s.Q1 = r[1];
  s.Median = r[2];
  s.Q3 = r[3];
  s.P90 = r[4];
  return s;
}

void ComputeTableStats(const TDataTable& table, std::vector<TBoxStats>& stats,
                       std::vector<std::vector<double>>& scratch) {
  table.NumCellsOfColumns(scratch);
  stats.resize(scratch.size());
  for (std::size_t c = 0; c < scratch.size(); ++c) stats[c] = ComputeBoxStats(scratch[c]);
}

bool BoxValueRange(std::span<const TBoxStats> stats, double margin, double& lo, double& hi) {
  constexpr double kMax = std::numeric_limits<double>::max();
  double a = kMax, b = -kMax;
  bool any = false;
  for (const TBoxStats& s : stats) {
    if (s.Count == 0) continue;
    for (double x : {s.Min, s.Max}) {
      if (!std::isfinite(x)) continue;
      a = std::min(a, x);
      b = std::max(b, x);
      any = true;
    }
  }
  if (!any) return false;
  if (!std::isfinite(margin) || margin < 0) margin = 0;
  // In long double: the span of two values near the largest double overflows a double.
  const long double e = (static_cast<long double>(b) - a) * margin / 100;
  lo = double(std::max<long double>(a - e, -kMax));
  hi = double(std::min<long double>(b + e, kMax));
  return true;
}

TBoxLabelPlace PlaceBoxLabel(TBoxPlotOrientation orientation, std::int32_t p, std::int32_t width,
                             std::int32_t height, std::int32_t marginLeft, std::int32_t marginRight,
                             std::int32_t marginTop, std::int32_t marginBottom) {
  TBoxLabelPlace place;
  // In 64 bits: margins and positions are any int32 a host may give.
  if (orientation == TBoxPlotOrientation::bpltVertical) {
    place.Attach = TTxtLblAttachMode::tamXOnly;
    place.Alignment = TAlignment::taCenter;
    if (p < 0) {
      place.PixelPos = double(std::int64_t(marginTop) - p);
      place.VerticalAlignment = TVerticalAlignment::vaTop;
    } else {
      place.PixelPos = double(std::int64_t(height) - p - marginBottom);
      place.VerticalAlignment = TVerticalAlignment::vaBottom;
    }
  } else {
    place.Attach = TTxtLblAttachMode::tamYOnly;
    place.VerticalAlignment = TVerticalAlignment::vaCenter;
    if (p < 0) {
      place.PixelPos = double(std::int64_t(marginLeft) - p);
      place.Alignment = TAlignment::taLeftJustify;
    } else {
      place.PixelPos = double(std::int64_t(width) - p - marginRight);
      place.Alignment = TAlignment::taRightJustify;
    }
  }
  return place;
}

std::string BoxParametersText(std::span<const std::string> names, std::span<const TBoxStats> stats) {
  const std::size_t n = std::min(names.size(), stats.size());
  std::string out = "\n";
  out += std::string(30, '-') + " Box Parameters " + std::string(30, '-') + "\n\n";
  out += std::string(6, ' ');
  for (std::size_t c = 0; c < n; ++c)
    out.append(" ").append(CenterString(AbbrevString(names[c], kCellWidth), kCellWidth));
  out += "\n";
  struct TRow {
    const char* Label;
    double TBoxStats::* Field;
  };
  static constexpr TRow kRows[] = {
      {"Mean: ", &TBoxStats::Mean}, {" Min: ", &TBoxStats::Min},    {" P10: ", &TBoxStats::P10},
      {"  Q1: ", &TBoxStats::Q1},   {"  Q2: ", &TBoxStats::Median}, {"  Q3: ", &TBoxStats::Q3},
      {" P90: ", &TBoxStats::P90},  {" Max: ", &TBoxStats::Max},
  };
  for (const TRow& row : kRows) {
    out += row.Label;
    for (std::size_t c = 0; c < n; ++c) out.append(" ").append(strff(stats[c].*row.Field, kCellWidth, -2));
    out += "\n";
  }
  return out;
}

}  // namespace mivo
