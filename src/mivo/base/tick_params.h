#pragma once
// CalcScalePars: the classic "nice step" tick layout used by every linear axis.

#include <cstdint>

#include "mivo/platform/export.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

// Lays out ticks over the range low ... high (either order) with at least
// `minTicks` intervals (0 is treated as 1; values above 10 as 10):
//   firstTick  the first tick at or beyond `low`, walking towards `high`;
//   distTicks  the tick distance, 1, 2 or 5 times a power of ten, carrying the
//              sign of high - low;
//   numSubTicks  short-tick intervals per tick interval (>= 1): 5 for steps
//              of 1 x 10^k, 4 for 2 x 10^k, 5 for 5 x 10^k.
// distTicks is the largest such step that fits at least minTicks times into
// |high - low|, so at most 25 intervals result. A tick within 1e-9 of a step
// before `low` counts as lying at `low`; firstTick is never -0.
// Non-finite input, an empty range (also one narrower than about 1e-14 of its
// magnitude, where doubles no longer resolve the ticks), or a range so wide
// that a walk one step beyond either end would overflow gives distTicks = 0
// (nothing is drawn), numSubTicks = 1 and a finite firstTick.
void CalcScalePars(std::int32_t minTicks, double low, double high, double& firstTick, double& distTicks,
                   std::uint16_t& numSubTicks);

}  // namespace mivo
MIVO_PUBLIC_END
