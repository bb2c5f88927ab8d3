#include "mivo/scale/scale_ticks.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "mivo/base/tick_params.h"
#include "mivo/platform/mivo_types.h"

namespace mivo {

namespace {

// Seconds per long step of the time-span layout.
constexpr std::array<double, 29> kTimeSpanSteps = {
    0,   0.001, 0.002, 0.005, 0.01, 0.02, 0.05, 0.1,  0.2,  0.5,   1,     2,     5,     10,   20,
    30,  60,    120,   180,   300,  600,  1200, 1800, 3600, 7200, 14400, 21600, 43200, 86400};
// Short-tick intervals per long step, for entries 1 ... 27 (0 and 28 decline).
constexpr std::array<std::int32_t, 29> kTimeSpanSubdivisions = {
    1, 5, 4, 5, 5, 4, 5, 5, 4, 5, 5, 4, 5, 5, 4, 6, 6, 6, 6, 5, 5, 6, 6, 6, 4, 4, 6, 6, 1};

bool Finite(double x) { return std::isfinite(x); }

TScaleTick MakeTick(double value, bool isLong, bool recorded) {
  TScaleTick t;
  t.Value = value;
  t.Long = isLong;
  t.Recorded = recorded;
  return t;
}

}  // namespace

std::int32_t EffectiveMinTicks(std::int32_t minTicks) { return minTicks < 1 ? 1 : minTicks; }

double TimeSpanStep(std::int32_t index) {
  return index >= 0 && index < std::int32_t(kTimeSpanSteps.size()) ? kTimeSpanSteps[std::size_t(index)] : 0.0;
}

std::int32_t TimeSpanSubdivisions(std::int32_t index) {
  return index >= 0 && index < std::int32_t(kTimeSpanSubdivisions.size())
             ? kTimeSpanSubdivisions[std::size_t(index)]
             : 1;
}

TTickLayout LinearTicks(const TTickInput& in) {
  TTickLayout out;
  out.Kind = TTickLayoutKind::tlkLinear;
  const double low = in.RangeLow;
  const double high = in.RangeHigh;
  if (!Finite(low) || !Finite(high) || low == high) return out;

  double first = 0, dist = 0;
  std::uint16_t subTicks = 1;
  CalcScalePars(in.MinTicks, low, high, first, dist, subTicks);
  if (dist == 0 || !Finite(dist) || !Finite(first)) return out;
  if (subTicks < 1) subTicks = 1;
  const double s = high > low ? 1.0 : -1.0;

  // Short ticks: one short interval grid starting a long step before the first
  // long tick; it includes the long positions.
  if (in.ShortTicks) {
    const double e = dist / subTicks;
    const double endTol = kLinearEndFraction * std::fabs(e);
    for (std::int32_t g = 0; g < kMaxTickWalkSteps; ++g) {
      const double pos = first - dist + g * e;
      if (!(s * (pos - high) <= endTol)) break;
      if (s * low <= s * pos) out.Ticks.push_back(MakeTick(pos, false, true));
    }
  }

  const double endTol = kLinearEndFraction * std::fabs(dist);
  const bool recordLong = !in.ShortTicks || in.Vertical;
  for (std::int32_t h = 0; h < kMaxTickWalkSteps; ++h) {
    const double pos = first + h * dist;
    if (!(s * (pos - high) <= endTol)) break;
    TScaleTick t = MakeTick(pos, true, recordLong);
    t.Labelled = in.Labels;
    t.LabelIndex = h + 1;
    out.Ticks.push_back(std::move(t));
  }
  return out;
}

TTickLayout LogTicks(const TTickInput& in) {
  const double rl = in.RangeLow;
  const double rh = in.RangeHigh;
  if (!Finite(rl) || !Finite(rh) || !(rl > 0) || !(rh > 0)) {
    // A logarithmic scale with an end that is not positive has no defined
    // layout: it gets no ticks.
    TTickLayout out;
    out.Kind = TTickLayoutKind::tlkLogarithmic;
    return out;
  }
  const double q = std::log10(rh / rl);
  if (std::fabs(q) < 1) return LinearTicks(in);

  TTickLayout out;
  out.Kind = TTickLayoutKind::tlkLogarithmic;
  const bool intermediate = std::fabs(q) + 0.5 < in.MinTicks;
  const double lo = std::min(rl, rh);
  const double hi = std::max(rl, rh);
  const double decade0 = std::pow(10.0, std::floor(std::log10(lo * kTickSlack)));
  std::int32_t labelCount = 0;

  auto place = [&](double v, double decade, std::int32_t mult, bool labelled) {
    if (!(v / kTickSlack > lo && v * kTickSlack < hi)) return;
    TScaleTick t;
    t.Value = v;
    t.LogDecade = decade;
    t.LogMult = mult;
    if (labelled) {
      t.Long = true;
      t.Recorded = true;
      t.Labelled = in.Labels;
      t.LabelIndex = ++labelCount;
    } else if (in.ShortTicks) {
      // Drawn short on horizontal scales, long on vertical ones.
      t.Long = in.Vertical;
      t.Recorded = true;
    } else if (!in.Vertical) {
      // Not drawn, but horizontal scales still report it as a drawn tick.
      t.Drawn = false;
    } else {
      return;
    }
    out.Ticks.push_back(std::move(t));
  };

  double mult = 1;
  for (std::int32_t step = 0; step < kMaxTickWalkSteps; ++step) {
    const double decade = decade0 * mult;
    place(decade, decade, 1, true);
    if (intermediate) {
      for (std::int32_t k = 2; k <= 9; ++k) place(k * decade, decade, k, k == 2 || k == 5);
    }
    mult *= 10;
    if (!(kTickSlack * decade0 * mult <= hi)) break;
  }
  return out;
}

bool TimeSpanTicks(const TTickInput& in, TTickLayout& out) {
  const double low = in.RangeLow;
  const double high = in.RangeHigh;
  if (!Finite(low) || !Finite(high) || low == high) return false;
  const double perInterval = std::fabs(high - low) / EffectiveMinTicks(in.MinTicks);
  std::int32_t index = 28;
  while (index > 0 && !(kTimeSpanSteps[std::size_t(index)] <= perInterval)) --index;
  if (index == 0 || index == 28) return false;

  const double s = high > low ? 1.0 : -1.0;
  const double dist = s * kTimeSpanSteps[std::size_t(index)];
  const double e = dist / kTimeSpanSubdivisions[std::size_t(index)];
  // Counted in steps: a low end a hair below a multiple starts on it.
  const double first = std::floor(low / dist + kTimeSpanStepSlack) * dist;
  // The walk starts up to one long step before the low end; count the short
  // steps from there, so the far end is reached even with six sub-divisions.
  const std::int64_t count =
      std::min<std::int64_t>(TruncToInt64((high - first) / e) + 5, kMaxTickWalkSteps);
  // A tick is admitted by its offset from `first` (g short steps), not by its
  // position: far from zero a position is rounded to the doubles there (an
  // eighth of a second at 1e15), while offsets and the ends' distances from
  // `first` are as exact as near zero. The admitted interval is widened at
  // both ends by a sliver of a step and the rounding error of those
  // distances, never by a fraction of the values themselves.
  const double toLow = std::min(low, high) - first;
  const double toHigh = std::max(low, high) - first;
  const double widen = std::fabs(e) * kTimeSpanStepSlack +
                       std::fmax(std::fabs(toLow), std::fabs(toHigh)) * kRelativeRoundingSlack;
  const std::int32_t subdivisions = kTimeSpanSubdivisions[std::size_t(index)];

  TTickLayout result;
  result.Kind = TTickLayoutKind::tlkTimeSpan;
  result.TimeSpanIndex = index;
  result.TimeSpanMillis = index <= 9;
  for (std::int64_t g = 0; g <= count; ++g) {
    const double offset = double(g) * e;
    if (!(offset >= toLow - widen && offset <= toHigh + widen)) continue;
    // `first` is a whole number of long steps, so every subdivisions-th
    // short step is a long one.
    const bool isLong = g % subdivisions == 0;
    const double pos = first + offset;
    if (in.ShortTicks) result.Ticks.push_back(MakeTick(pos, false, true));
    if (isLong) {
      TScaleTick t = MakeTick(pos, true, !in.ShortTicks);
      t.Labelled = in.Labels;
      result.Ticks.push_back(std::move(t));
    }
  }
  std::int32_t n = 0;
  for (auto& t : result.Ticks)
    if (t.Labelled) t.LabelIndex = ++n;
  out = std::move(result);
  return true;
}

std::string LogAxisRefusal(double low, double high, bool dateTimeLabels) {
  if (dateTimeLabels) return "A date/time axis cannot be logarithmic.";
  if (low >= kLogMinPositive && high >= kLogMinPositive) return "";
  char buf[160];
  std::snprintf(buf, sizeof buf, "A logarithmic axis needs both range ends >= 1e-100; the range is %.6g ... %.6g.", low,
                high);
  return buf;
}

std::vector<double> RecordedValues(const TTickLayout& layout) {
  std::vector<double> values;
  for (const auto& t : layout.Ticks) {
    if (!t.Recorded) continue;
    if (std::int32_t(values.size()) >= kMaxRecordedTicks) break;
    values.push_back(t.Value);
  }
  return values;
}

}  // namespace mivo
