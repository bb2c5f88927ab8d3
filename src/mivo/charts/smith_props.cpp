// Published properties of the Smith chart and its palette entry. The chart
// publishes a set of its own (not the 2D chart's whole set): the scales,
// layers and grid steps are its own business. Registration order is the
// loading order: the geometry comes before the ranges, which keep isometry
// with the size and margins already in place.
#include <vector>

#include "mivo/charts/smith_chart.h"
#include "mivo/platform/properties.h"

namespace mivo {

namespace {

// Stored whatever its value: a new chart's lower y bound follows from its size.
TPropInfo AlwaysStored(TPropInfo p) {
  p.Default = TJson();
  return p;
}

}  // namespace

void TSmithChart::RegisterProperties() {
  static const bool registered = [] {
    TCustomRChart::RegisterProperties();  // the settings classes (TCrossHair)
    using C = TSmithChart;
    using CrossHairGetter = TCrossHair& (C::*)();
    // The settings it shares with the 2D chart, with the chart's defaults.
    std::vector<TPropInfo> props{NewDefault("Width", 280), NewDefault("Height", 200)};
    const std::vector<TPropInfo> chart = ClassProperties("TCustomRChart");
    const auto take = [&](const char* name) {
      for (const TPropInfo& p : chart)
        if (p.Name == name) props.push_back(p);
    };
    for (const char* name : {"AvoidDuplicateMarks", "MinDupMarkDist", "MarginLeft", "MarginRight", "MarginTop",
                             "MarginBottom", "AllocSize", "AutoRedraw", "ClassDefault", "DataColor", "PenStyle",
                             "FillColor", "ChartColor", "ChartFrameColor", "WindColor", "LineWidth", "Caption",
                             "CaptionPosX", "CaptionPosY", "CaptionAlignment", "CaptionAnchorHoriz",
                             "CaptionAnchorVert", "MouseAction", "MouseCursorFixed", "ShadowWidth", "ShadowStyle",
                             "ShadowColor", "ShadowBakColor", "TextFontStyle", "TextBkStyle", "TextBkColor",
                             "TextAlignment"})
      take(name);
    // Its own.
    props.push_back(Prop("TransparentItems", &C::TransparentItems, &C::SetTransparentItems, false));
    props.push_back(Prop("GridColorLight", &C::GridColorLight, &C::SetGridColorLight, kSmithGridColorLight));
    props.push_back(Prop("GridColorDark", &C::GridColorDark, &C::SetGridColorDark, kSmithGridColorDark));
    props.push_back(Prop("DiagramColor", &C::DiagramColor, &C::SetDiagramColor, kSmithDiagramColor));
    props.push_back(SubObject("CrossHair", static_cast<CrossHairGetter>(&C::CrossHair)));
    // The ranges last. RangeYHigh is read-only: it follows from the rest.
    props.push_back(Prop("RangeXLow", &C::RangeXLow, &C::SetRangeXLow, -kSmithDefaultRange));
    props.push_back(Prop("RangeXHigh", &C::RangeXHigh, &C::SetRangeXHigh, kSmithDefaultRange));
    props.push_back(AlwaysStored(Prop("RangeYLow", &C::RangeYLow, &C::SetRangeYLow, -kSmithDefaultRange)));
    mivo::RegisterProperties<C>("TSmithChart", "TCustomControl", std::move(props));
    RegisterComponents("Mivo", {"TSmithChart"});
    return true;
  }();
  (void)registered;
}

}  // namespace mivo
