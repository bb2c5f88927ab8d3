// TScaleGauge mouse handling: every move reports the dial's value under the
// pointer and whether the pointer lies within the dial's margins.
#include "mivo/gauge/gauge.h"

namespace mivo {

void TScaleGauge::MouseMove(TShiftState shift, std::int32_t x, std::int32_t y) {
  const TScale& s = *FScale;
  const bool horizontal = FGaugeOrient == TGaugeOrientation::goHorizontal;
  const bool inGauge =
      PointInGaugeDial(x, y, s.MarginLeft(), s.MarginRight(), s.MarginTop(), s.MarginBottom(), s.Width(), FHeight);
  MouseMoveInGauge(inGauge, shift, s.ConvertPixelToScale(horizontal ? x : y));
  TCustomControl::MouseMove(shift, x, y);
}

}  // namespace mivo
