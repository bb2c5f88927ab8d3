#pragma once
// CalcScalePars: the classic "nice step" tick layout used by every linear axis.

#include <cstdint>

namespace mivo {

// Lays out ticks over the range low ... high (either order) with at least
// `minTicks` intervals (0 is treated as 1; values above 10 as 10):
//   firstTick  the first tick at or beyond `low`, walking towards `high`;
//   distTicks  the tick distance, 1, 2 or 5 times a power of ten, carrying the
//              sign of high - low;
//   numSubTicks  short-tick intervals per tick interval (>= 1).
// Non-finite input, an empty range, or a range too wide for a finite step
// gives distTicks = 0 (nothing is drawn).
void CalcScalePars(std::int32_t minTicks, double low, double high, double& firstTick, double& distTicks,
                   std::uint16_t& numSubTicks);

}  // namespace mivo
