#pragma once
// Tick walks of a scale: pure functions from a range and a few settings to a
// list of ticks in drawing order. Nothing here draws; the renderer consumes the
// list (line, tick-drawn event, label) and records the values marked Recorded.
//
// Every walk is bounded by kMaxTickWalkSteps, whatever the range: empty,
// reversed, 1e-300 or 1e300 wide, subnormal or near the 32-bit pixel limit.

#include <cstdint>
#include <string>
#include <vector>

#include "mivo/platform/export.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

// ---- Tolerances of the walks: one home for every fuzzy comparison. --------

// Slack factor of the logarithmic and time-span walks (one part in 1e9).
inline constexpr double kTickSlack = 0.999999999;
// A linear tick within this fraction of its step beyond the high end is still drawn.
inline constexpr double kLinearEndFraction = 0.001;
// Time-span walk: the first tick and the admitted interval reach this
// fraction of a step beyond the range, plus the rounding error of the ends'
// distances from the first tick (kRelativeRoundingSlack of the larger), so
// that one second of Unix time (1.7e9 ... 1.7e9 + 1) or at -1e15 is laid out
// like 0 ... 1.
inline constexpr double kTimeSpanStepSlack = 1e-9;
inline constexpr double kRelativeRoundingSlack = 1e-15;
// Calendar walks: positions (days) closer than this to an end count as on it.
inline constexpr double kDateTimeEps = 1e-8;
// Calendar sub-day units: a position within this fraction of a step is long.
inline constexpr double kDateUnitLongTolerance = 0.1;
// A tick with |value / range width| below this is labelled as exactly 0.
inline constexpr double kZeroSnapFraction = 1e-14;
// With 0 decimals, a tick farther than this from an integer gets no label.
inline constexpr double kIntegerLabelTolerance = 1e-6;
// Smallest positive end a logarithmic scale accepts; smaller values map to the edge.
inline constexpr double kLogMinPositive = 1e-100;

// Why an axis over low ... high cannot be logarithmic, as a sentence for the
// caller ("" when it can): both ends must be at least kLogMinPositive, and
// date/time labels are never logarithmic.
std::string LogAxisRefusal(double low, double high, bool dateTimeLabels);

// Hard cap on the steps of any walk, far above the ticks a scale can show.
inline constexpr std::int32_t kMaxTickWalkSteps = 100000;
// Number of tick values a drawing records (GetTickPos).
inline constexpr std::int32_t kMaxRecordedTicks = 250;

// Which walk produced a layout.
enum class TTickLayoutKind : std::uint8_t { tlkNone, tlkLinear, tlkLogarithmic, tlkTimeSpan, tlkDateTime };

// One tick in drawing order.
struct TScaleTick {
  double Value = 0;
  bool Long = false;      // line length: long (7 horizontal, 6 vertical) or short (4)
  bool Drawn = true;      // false: no line, only the tick-drawn event fires
  bool Recorded = false;  // its value goes into the recorded tick positions
  bool Labelled = false;  // gets a label (text may still be empty)
  std::int32_t LabelIndex = 0;  // 1-based count of labelled ticks (user texts)
  // Logarithmic layout: the tick is LogMult x LogDecade (LogMult 1 ... 9).
  double LogDecade = 0;
  std::int32_t LogMult = 0;
  // Filled by the label stage.
  std::string Label;
  bool HasDateRow = false;  // calendar time labels: a date row goes under this tick
  std::string DateRow;
};

struct TTickLayout {
  TTickLayoutKind Kind = TTickLayoutKind::tlkNone;
  std::vector<TScaleTick> Ticks;
  // Time-span layout: index into the step table; labels carry milliseconds
  // when the step is below one second (index <= 9).
  std::int32_t TimeSpanIndex = 0;
  bool TimeSpanMillis = false;
  // Calendar layout: an on-scale message drawn instead of ticks ("" = none).
  std::string Message;
};

// What a walk needs of the scale.
struct TTickInput {
  double RangeLow = 0;
  double RangeHigh = 100;
  std::int32_t MinTicks = 3;
  bool ShortTicks = true;
  bool Vertical = false;  // vertical scales record and size some ticks differently
  bool Labels = true;     // false: ticks only (no label on any tick)
};

// MinTicks as the walks divide by it: 0 counts as 1.
std::int32_t EffectiveMinTicks(std::int32_t minTicks);

// Linear layout from CalcScalePars: short ticks first (when on), then the long,
// labelled ones. Horizontal scales record the long ticks only with short ticks
// off; vertical scales always record them (twice with short ticks on).
TTickLayout LinearTicks(const TTickInput& in);

// Logarithmic layout over decades; under one decade the linear layout is used.
// A range with an end that is not positive gets no ticks.
TTickLayout LogTicks(const TTickInput& in);

// Time-span layout (values are seconds). Returns false, leaving `out`
// untouched, when the step table has no fitting entry (the numeric layouts
// take over).
bool TimeSpanTicks(const TTickInput& in, TTickLayout& out);

// The step and sub-division tables of the time-span layout (29 and 29 entries;
// sub-divisions are defined for entries 1 ... 27).
double TimeSpanStep(std::int32_t index);
std::int32_t TimeSpanSubdivisions(std::int32_t index);

// Copies the values of the recorded ticks, at most kMaxRecordedTicks of them.
std::vector<double> RecordedValues(const TTickLayout& layout);

}  // namespace mivo
MIVO_PUBLIC_END
