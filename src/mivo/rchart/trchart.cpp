// TRChart: construction, the forwarding overrides, the indexed scale
// settings and the published properties with the palette entry.
#include "mivo/rchart/trchart.h"

#include <utility>
#include <vector>

#include "mivo/platform/properties.h"

namespace mivo {

TRChart::TRChart(TComponent* owner) : TCustomRChart(owner) { RegisterProperties(); }

void TRChart::SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
  TCustomRChart::SetBounds(left, top, width, height);
}

void TRChart::CreateWnd() { TCustomRChart::CreateWnd(); }

void TRChart::SetScalePropsX(std::int32_t sclix, const TScalePropsHoriz& props) {
  if (sclix == 1 || sclix == 2) TCustomRChart::ScalePropsX(sclix).Assign(props);
}

void TRChart::SetScalePropsY(std::int32_t sclix, const TScalePropsVert& props) {
  if (sclix == 1 || sclix == 2) TCustomRChart::ScalePropsY(sclix).Assign(props);
}

void TRChart::RegisterProperties() {
  static const bool registered = [] {
    TCustomRChart::RegisterProperties();
    // TCustomRChart registers the chart's whole published set (settings,
    // sub-objects, text labels) with the defaults a new chart has; TRChart
    // publishes it unchanged.
    std::vector<TPropInfo> props;
    // ---- Published properties that come with the chart's data sharing ------
    // One line each once TCustomRChart has them, e.g. UseDataOf (a reference
    // to another chart of the form, stored by its name).
    mivo::RegisterProperties<TRChart>("TRChart", "TCustomRChart", std::move(props));
    RegisterComponents("Mivo", {"TRChart"});
    return true;
  }();
  (void)registered;
}

}  // namespace mivo
