// Published properties of TContourPlot, for form files, and its palette entry.
#include <utility>
#include <vector>

#include "mivo/contour/contour_plot.h"
#include "mivo/platform/properties.h"

namespace mivo {

namespace {

// The grid size of a new plot follows its control size, so no single class
// default stands for it: always stored.
TPropInfo AlwaysStored(TPropInfo p) {
  p.Default = TJson();
  return p;
}

}  // namespace

void TContourPlot::RegisterProperties() {
  static const bool registered = [] {
    TCustomRChart::RegisterProperties();
    using C = TContourPlot;
    std::vector<TPropInfo> props{
        // The chart's defaults that the contour plot's reset changes.
        NewDefault("GridStyle", GridStyleType::gsPoints),
        Prop("PlotMode", &C::PlotMode, &C::SetPlotMode, TContourPlotMode::cpmColorSurface).Range(0, 3),
        // IsoLow before IsoHigh: each keeps the pair ordered as it loads.
        Prop("IsoLow", &C::IsoLow, &C::SetIsoLow, -1.0),
        Prop("IsoHigh", &C::IsoHigh, &C::SetIsoHigh, 1.0),
        Prop("IsoDist", &C::IsoDist, &C::SetIsoDist, 0.1),
        AlwaysStored(Prop("NumPivotsX", &C::NumPivotsX, &C::SetNumPivotsX, 2)),
        AlwaysStored(Prop("NumPivotsY", &C::NumPivotsY, &C::SetNumPivotsY, 2)),
        Prop("EstimateEnabled", &C::EstimateEnabled, &C::SetEstimateEnabled, true),
    };
    mivo::RegisterProperties<C>("TContourPlot", "TCustomRChart", std::move(props));
    RegisterComponents("Mivo", {"TContourPlot"});
    return true;
  }();
  (void)registered;
}

}  // namespace mivo
