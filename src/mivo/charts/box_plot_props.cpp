// Published properties of the box plot and of its label template, and the
// palette entry.
#include <string>
#include <utility>
#include <vector>

#include "mivo/charts/box_plot.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/properties.h"

namespace mivo {

namespace {

// Layer 1's range bound, always written: the box plot starts from ranges
// (x 0 ... 2, y -1 ... 1) other than the scale settings' defaults, so a bound
// equal to such a default would otherwise be missing from the form and the
// loaded chart would keep its own starting value. Read after the scales.
TPropInfo RangeBound(const char* name, bool x, bool high) {
  TPropInfo p = PropFn<TBoxPlot, double>(
      name,
      [x, high](const TBoxPlot& b) {
        const TScaleProps& s = x ? static_cast<const TScaleProps&>(b.ScalePropsX(1)) : b.ScalePropsY(1);
        return high ? s.RangeHigh() : s.RangeLow();
      },
      [x, high](TBoxPlot& b, const double& v) {
        TScaleProps& s = x ? static_cast<TScaleProps&>(b.Scale1X()) : b.Scale1Y();
        if (high) s.SetRangeHigh(v);
        else s.SetRangeLow(v);
      },
      0.0);
  p.Default = TJson();
  return p;
}

}  // namespace

void TBoxPlot::RegisterProperties() {
  static const bool registered = [] {
    TCustomRChart::RegisterProperties();  // registers TCustomTextLabel
    using L = TBoxPlotLabel;
    // The template publishes the label settings with its own defaults.
    mivo::RegisterProperties<L>("TBoxPlotLabel", "TCustomTextLabel",
                                {
                                    NewDefault("ColorBkg", TColor(0xC0C0C0)),
                                    NewDefault("ShadowDy", 2),
                                    NewDefault("Mode", TTxtLblMode::tlShadow),
                                    NewDefault("Visible", true),
                                    Prop("Position", &L::Position, &L::SetPosition, 8),
                                });
    using C = TBoxPlot;
    using LabelsGetter = TBoxPlotLabel& (C::*)();
    std::vector<TPropInfo> props{
        NewDefault("MarginBottom", 24),
        NewDefault("BRim", 24),
        NewDefault("Caption", "BoxPlot"),
        // The box plot's grid setting takes the place of the chart's.
        Prop("GridStyle", &C::GridStyle, &C::SetGridStyle, TBoxPlotGridStyle::bpgsNone).Range(0, 2),
        Prop("Orientation", &C::Orientation, &C::SetOrientation, TBoxPlotOrientation::bpltVertical).Range(0, 1),
        Prop("BoxWidth", &C::BoxWidth, &C::SetBoxWidth, 0.5),
        Prop("SymbolMin", &C::SymbolMin, &C::SetSymbolMin, std::uint8_t(26)),
        Prop("SymbolMax", &C::SymbolMax, &C::SetSymbolMax, std::uint8_t(26)),
        Prop("SymbolMean", &C::SymbolMean, &C::SetSymbolMean, std::uint8_t(5)),
        Prop("SymbolMedian", &C::SymbolMedian, &C::SetSymbolMedian, std::uint8_t(0)),
        Prop("Symbol90Perc", &C::Symbol90Perc, &C::SetSymbol90Perc, std::uint8_t(0)),
        SubObject("Labels", static_cast<LabelsGetter>(&C::Labels)),
        Prop("ColorBody", &C::ColorBody, &C::SetColorBody, TColor(0xE9E9E9)),
        Prop("ColorLines", &C::ColorLines, &C::SetColorLines, TColor(clBlack)),
        Prop("ColorMedian", &C::ColorMedian, &C::SetColorMedian, TColor(clBlack)),
        Prop("ColorMean", &C::ColorMean, &C::SetColorMean, TColor(0xFF0000)),
        Prop("Color90Perc", &C::Color90Perc, &C::SetColor90Perc, TColor(0xFF0000)),
        Prop("ColorMinMax", &C::ColorMinMax, &C::SetColorMinMax, TColor(clBlack)),
        Prop("Show90Perc", &C::Show90Perc, &C::SetShow90Perc, false),
        Prop("ShowMedian", &C::ShowMedian, &C::SetShowMedian, true),
        Prop("ShowMean", &C::ShowMean, &C::SetShowMean, true),
        Prop("ShowMinMax", &C::ShowMinMax, &C::SetShowMinMax, true),
        RangeBound("RangeLowX", true, false),
        RangeBound("RangeHighX", true, true),
        RangeBound("RangeLowY", false, false),
        RangeBound("RangeHighY", false, true),
    };
    mivo::RegisterProperties<C>("TBoxPlot", "TCustomRChart", std::move(props));
    RegisterComponents("Mivo", {"TBoxPlot"});
    return true;
  }();
  (void)registered;
}

}  // namespace mivo
