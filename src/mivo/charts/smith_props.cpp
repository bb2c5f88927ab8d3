// Published properties of the Smith chart and its palette entry. The chart
// publishes a set of its own (not the 2D chart's whole set): the scales,
// layers and grid steps are its own business. Registration order is the
// loading order: the geometry comes before the ranges, which keep isometry
// with the size and margins already in place.
#include <vector>

#include "mivo/charts/smith_chart.h"
#include "mivo/platform/colors.h"
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
    std::vector<TPropInfo> props{
        NewDefault("Width", 280),
        NewDefault("Height", 200),
        Prop("AvoidDuplicateMarks", &C::AvoidDuplicateMarks, &C::SetAvoidDupMarks, false),
        Prop("MinDupMarkDist", &C::MinDupMarkDist, &C::SetDupMarksMinD, 1),
        Prop("MarginLeft", &C::MarginLeft, &C::SetLRim, 50),
        Prop("MarginRight", &C::MarginRight, &C::SetRRim, 20),
        Prop("MarginTop", &C::MarginTop, &C::SetTRim, 20),
        Prop("MarginBottom", &C::MarginBottom, &C::SetBRim, 40),
        Prop("AllocSize", &C::AllocSize, &C::SetAllocSize, kDefaultAllocSize),
        Prop("AutoRedraw", &C::AutoRedraw, &C::SetAutoRedraw, true),
        Prop("ClassDefault", &C::ClassDefault, &C::SetClassDefault, std::uint8_t(0)),
        Prop("GridColorLight", &C::GridColorLight, &C::SetGridColorLight, kSmithGridColorLight),
        Prop("GridColorDark", &C::GridColorDark, &C::SetGridColorDark, kSmithGridColorDark),
        Prop("DataColor", &C::DataColor, &C::SetDataCol, TColor(clBlack)),
        Prop("PenStyle", &C::PenStyle, &C::SetPenStyle, TPenStyle::psSolid).Range(0, 6),
        Prop("FillColor", &C::FillColor, &C::SetFillCol, kDefaultFillColor),
        Prop("ChartColor", &C::ChartColor, &C::SetChartCol, TColor(clWhite)),
        Prop("ChartFrameColor", &C::ChartFrameColor, &C::SetScaleCol, TColor(clBlack)),
        Prop("WindColor", &C::WindColor, &C::SetWindCol, TColor(clBtnFace)),
        Prop("DiagramColor", &C::DiagramColor, &C::SetDiagramColor, kSmithDiagramColor),
        Prop("LineWidth", &C::LineWidth, &C::SetLineWid, std::uint8_t(1)),
        SubObject("CrossHair", static_cast<CrossHairGetter>(&C::CrossHair)),
        Prop("Caption", &C::Caption, &C::SetChartCaption, std::string()),
        Prop("CaptionPosX", &C::CaptionPosX, &C::SetCaptPosX, 0),
        Prop("CaptionPosY", &C::CaptionPosY, &C::SetCaptPosY, -16),
        Prop("CaptionAlignment", &C::CaptionAlignment, &C::SetCaptAlignment, TAlignment::taRightJustify).Range(0, 2),
        Prop("CaptionAnchorHoriz", &C::CaptionAnchorHoriz, &C::SetCaptAnchorX, TCaptionAnchorHoriz::cahChartRight)
            .Range(0, 4),
        Prop("CaptionAnchorVert", &C::CaptionAnchorVert, &C::SetCaptAnchorY, TCaptionAnchorVert::cavChartTop)
            .Range(0, 4),
        Prop("MouseAction", &C::MouseAction, &C::SetMouseAction, TMouseActMode::maNone).Range(0, 18),
        Prop("MouseCursorFixed", &C::MouseCursorFixed, &C::SetMouseCursorFixed, true),
        Prop("ShadowWidth", &C::ShadowWidth, &C::SetF3DRim, 0),
        Prop("ShadowStyle", &C::ShadowStyle, &C::SetShadowStyle, TShadowStyle::ssFlying).Range(0, 1),
        Prop("ShadowColor", &C::ShadowColor, &C::SetShadowColor, TColor(clGrayText)),
        Prop("ShadowBakColor", &C::ShadowBakColor, &C::SetShadowBakColor, TColor(clBtnFace)),
        Prop("TextFontStyle", &C::TextFontStyle, &C::SetTextFontStyle, TFontStyles()),
        Prop("TextBkStyle", &C::TextBkStyle, &C::SetTextBkStyle, TTextBkg::tbClear).Range(0, 1),
        Prop("TextBkColor", &C::TextBkColor, &C::SetTextBkColor, TColor(clWhite)),
        Prop("TextAlignment", &C::TextAlignment, &C::SetTextAlignment, TAlignment::taCenter).Range(0, 2),
        Prop("TransparentItems", &C::TransparentItems, &C::SetTransparentItems, false),
        // The ranges last. RangeYHigh is read-only: it follows from the rest.
        Prop("RangeXLow", &C::RangeXLow, &C::SetRangeXLow, -kSmithDefaultRange),
        Prop("RangeXHigh", &C::RangeXHigh, &C::SetRangeXHigh, kSmithDefaultRange),
        AlwaysStored(Prop("RangeYLow", &C::RangeYLow, &C::SetRangeYLow, -kSmithDefaultRange)),
    };
    mivo::RegisterProperties<C>("TSmithChart", "TCustomControl", std::move(props));
    RegisterComponents("Mivo", {"TSmithChart"});
    return true;
  }();
  (void)registered;
}

}  // namespace mivo
