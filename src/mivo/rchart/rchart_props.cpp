// Published properties of the chart and of its settings objects, for form files.
// Registration order is the loading order: properties whose setters depend on
// others come after them (MinRange before the range, the range before
// Logarithmic, IncludePath before Name, the scales before Isometric).
#include <string>
#include <vector>

#include "mivo/base/crosshair.h"
#include "mivo/base/text_label.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/properties.h"
#include "mivo/rchart/rchart.h"

namespace mivo {

namespace {

// A property whose value is always written: its value after construction
// differs between the chart's instances (the four scales, the four
// crosshairs), so no single class default could stand for it.
TPropInfo AlwaysStored(TPropInfo p) {
  p.Default = TJson();
  return p;
}

// Text label ix of the chart, stored as "TextLabel1" ... "TextLabel30".
TPropInfo TextLabelSlot(std::int32_t ix) {
  TPropInfo p;
  p.Name = "TextLabel" + std::to_string(ix);
  p.Kind = TPropKind::pkObject;
  p.Sub = [ix, name = p.Name](TPersistent& obj) -> TPersistent* {
    return &detail::CastTo<TCustomRChart>(obj, name).TextLabels(ix);
  };
  return p;
}

void RegisterSettingsClasses() {
  TScale::RegisterProperties();  // registers TDTLabel
  if (!IsClassRegistered("TCrossHair")) {
    RegisterProperties<TCrossHair>(
        "TCrossHair", {
                          Prop("PosX", &TCrossHair::PosX, &TCrossHair::SetPosX, 0.0),
                          Prop("PosY", &TCrossHair::PosY, &TCrossHair::SetPosY, 0.0),
                          AlwaysStored(Prop("Layer", &TCrossHair::Layer, &TCrossHair::SetLayer, 1)),
                          Prop("Color", &TCrossHair::Color, &TCrossHair::SetColor, TColor(clRed)),
                          Prop("Mode", &TCrossHair::Mode, &TCrossHair::SetMode, TCrossHMode::chOff).Range(0, 5),
                          AlwaysStored(Prop("LineType", &TCrossHair::LineType, &TCrossHair::SetLineType,
                                            TPenStyle::psSolid)
                                           .Range(0, 6)),
                          Prop("LineWidth", &TCrossHair::LineWidth, &TCrossHair::SetLineWidth, 1),
                      });
  }
  if (!IsClassRegistered("TCustomTextLabel")) {
    using L = TCustomTextLabel;
    RegisterProperties<L>(
        "TCustomTextLabel",
        {
            Prop("PosX", &L::PosX, &L::SetPosX, 0.0),
            Prop("PosY", &L::PosY, &L::SetPosY, 0.0),
            Prop("Layer", &L::Layer, &L::SetLayer, 1),
            Prop("AttachToData", &L::AttachToData, &L::SetAttachToData, TTxtLblAttachMode::tamBoth).Range(0, 3),
            Prop("ColorBkg", &L::ColorBkg, &L::SetColorBkg, TColor(clWhite)),
            Prop("ColorBorder", &L::ColorBorder, &L::SetColorBorder, TColor(clBlack)),
            Prop("ColorShadow", &L::ColorShadow, &L::SetColorShadow, TColor(clGray)),
            Prop("ShadowDx", &L::ShadowDx, &L::SetShadowDx, 3),
            Prop("ShadowDy", &L::ShadowDy, &L::SetShadowDy, 3),
            Prop("Transparent", &L::Transparent, &L::SetTransparent, false),
            Prop("Alignment", &L::Alignment, &L::SetAlignment, TAlignment::taCenter).Range(0, 2),
            Prop("VerticalAlignment", &L::VerticalAlignment, &L::SetVerticalAlignment,
                 TVerticalAlignment::vaBottom)
                .Range(0, 2),
            Prop("Font", &L::Font, &L::SetFont, TFont()),
            Prop("Mode", &L::Mode, &L::SetMode, TTxtLblMode::tlOff).Range(0, 4),
            Prop("Caption", &L::Caption, &L::SetCaption, std::string()),
            Prop("Visible", &L::Visible, &L::SetVisible, false),
        });
    RegisterProperties<TTextLabel>("TTextLabel", "TCustomTextLabel", {});
  }
  using DateFormatGetter = TDTLabel& (TScaleProps::*)();
  RegisterProperties<TScaleProps>(
      "TScaleProps",
      {
          Prop("MinRange", &TScaleProps::MinRange, &TScaleProps::SetMinRngDiff, kDefaultMinRange),
          Prop("Caption", &TScaleProps::Caption, &TScaleProps::SetCaption, std::string()),
          AlwaysStored(Prop("CaptionPosX", &TScaleProps::CaptionPosX, &TScaleProps::SetCaptionPosX, 0)),
          AlwaysStored(Prop("CaptionPosY", &TScaleProps::CaptionPosY, &TScaleProps::SetCaptionPosY, 0)),
          AlwaysStored(Prop("CaptionAlignment", &TScaleProps::CaptionAlignment, &TScaleProps::SetCaptionAlignment,
                            TAlignment::taCenter)
                           .Range(0, 2)),
          AlwaysStored(Prop("CaptionAnchor", &TScaleProps::CaptionAnchor, &TScaleProps::SetCaptionAnchor,
                            TScaleUnitAnchor::uaSclTopLft)
                           .Range(0, 2)),
          AlwaysStored(Prop("ColorScale", &TScaleProps::ColorScale, &TScaleProps::SetColorScale, TColor(0))),
          SubObject("DateFormat", static_cast<DateFormatGetter>(&TScaleProps::DateFormat)),
          Prop("LabelType", &TScaleProps::LabelType, &TScaleProps::SetLabelType, TFigType::ftNum).Range(0, 4),
          Prop("DecPlaces", &TScaleProps::DecPlaces, &TScaleProps::SetDecPlaces, -2),
          Prop("RangeLow", &TScaleProps::RangeLow, &TScaleProps::SetRangeLow, 0.0),
          Prop("RangeHigh", &TScaleProps::RangeHigh, &TScaleProps::SetRangeHigh, 1.0),
          Prop("Logarithmic", &TScaleProps::Logarithmic, &TScaleProps::SetLogAx, false),
          Prop("Font", &TScaleProps::Font, &TScaleProps::SetScaleFont, TFont()),
          Prop("MinTicks", &TScaleProps::MinTicks, &TScaleProps::SetMinTicks, 3),
          Prop("ShortTicks", &TScaleProps::ShortTicks, &TScaleProps::SetShortTicks, true),
          Prop("ScaleInscript", &TScaleProps::ScaleInscript, &TScaleProps::SetScaleInscript, std::string()),
          Prop("UserTickText", &TScaleProps::UserTickText, &TScaleProps::SetUserTickText, std::string()),
          AlwaysStored(Prop("Visible", &TScaleProps::Visible, &TScaleProps::SetVisible, false)),
      });
  // The location (which sets the scale type) comes before ScalePos, whose
  // field follows the type.
  RegisterProperties<TScalePropsHoriz>(
      "TScalePropsHoriz", "TScaleProps",
      {
          AlwaysStored(Prop("ScaleLocation", &TScalePropsHoriz::ScaleLocation, &TScalePropsHoriz::SetScaleLoc,
                            TScaleLocationHoriz::slBottom)
                           .Range(0, 1)),
          AlwaysStored(Prop("ScalePos", &TScaleProps::ScalePos, &TScaleProps::SetScalePos, 0)),
      });
  RegisterProperties<TScalePropsVert>(
      "TScalePropsVert", "TScaleProps",
      {
          AlwaysStored(Prop("ScaleLocation", &TScalePropsVert::ScaleLocation, &TScalePropsVert::SetScaleLoc,
                            TScaleLocationVert::slLeft)
                           .Range(0, 1)),
          AlwaysStored(Prop("ScalePos", &TScaleProps::ScalePos, &TScaleProps::SetScalePos, 0)),
      });
  RegisterProperties<TJointLayers>(
      "TJointLayers",
      {
          Prop("L01xControlledBy", &TJointLayers::L01xControlledBy, &TJointLayers::SetL01xControlledBy, 1)
              .Range(1, 2),
          Prop("L01yControlledBy", &TJointLayers::L01yControlledBy, &TJointLayers::SetL01yControlledBy, 1)
              .Range(1, 2),
          Prop("L02xControlledBy", &TJointLayers::L02xControlledBy, &TJointLayers::SetL02xControlledBy, 2)
              .Range(1, 2),
          Prop("L02yControlledBy", &TJointLayers::L02yControlledBy, &TJointLayers::SetL02yControlledBy, 2)
              .Range(1, 2),
      });
  RegisterProperties<TBakGndImg>(
      "TBakGndImg",
      {
          Prop("IncludePath", &TBakGndImg::IncludePath, &TBakGndImg::SetIncldPath, false),
          Prop("Name", &TBakGndImg::Name, &TBakGndImg::SetName, std::string()),
          Prop("FillMode", &TBakGndImg::FillMode, &TBakGndImg::SetFillMode, TBkgFill::bfStretch).Range(0, 2),
          Prop("AreaMode", &TBakGndImg::AreaMode, &TBakGndImg::SetAreaMode, TBGAreaMode::bamNone).Range(0, 10),
          Prop("AreaColor", &TBakGndImg::AreaColor, &TBakGndImg::SetAreaColor, kDefaultAreaColor),
          Prop("AreaLeft", &TBakGndImg::AreaLeft, &TBakGndImg::SetAreaLeft, -1.0),
          Prop("AreaRight", &TBakGndImg::AreaRight, &TBakGndImg::SetAreaRight, 1.0),
          Prop("AreaTop", &TBakGndImg::AreaTop, &TBakGndImg::SetAreaTop, 1.0),
          Prop("AreaBottom", &TBakGndImg::AreaBottom, &TBakGndImg::SetAreaBottom, -1.0),
      });
}

}  // namespace

void TCustomRChart::RegisterProperties() {
  static const bool registered = [] {
    RegisterSettingsClasses();
    using C = TCustomRChart;
    using JointGetter = TJointLayers& (C::*)();
    using BackGetter = TBakGndImg& (C::*)();
    // The class defaults are those of a new chart.
    const TChartSettings d;
    std::vector<TPropInfo> props{
            NewDefault("Width", 280),
            NewDefault("Height", 200),
            Prop("AvoidDuplicateMarks", &C::AvoidDuplicateMarks, &C::SetAvoidDupMarks, d.FAvoidDupMarks),
            Prop("AllocSize", &C::AllocSize, &C::SetAllocSize, kDefaultAllocSize),
            Prop("AutoRedraw", &C::AutoRedraw, &C::SetAutoRedraw, d.FAutoRedraw),
            Prop("MarginLeft", &C::MarginLeft, &C::SetLRim, d.RcLRim),
            Prop("MarginRight", &C::MarginRight, &C::SetRRim, d.RcRRim),
            Prop("MarginTop", &C::MarginTop, &C::SetTRim, d.RcTRim),
            Prop("MarginBottom", &C::MarginBottom, &C::SetBRim, d.RcBRim),
            Prop("LRim", &C::MarginLeft, &C::SetLRim, d.RcLRim),
            Prop("RRim", &C::MarginRight, &C::SetRRim, d.RcRRim),
            Prop("TRim", &C::MarginTop, &C::SetTRim, d.RcTRim),
            Prop("BRim", &C::MarginBottom, &C::SetBRim, d.RcBRim),
            Prop("MinDupMarkDist", &C::MinDupMarkDist, &C::SetDupMarksMinD, d.FDupMarksMinD),
            Prop("ClassDefault", &C::ClassDefault, &C::SetClassDefault, d.RcClassDefault),
            Prop("GridStyle", &C::GridStyle, &C::SetGridStyle, d.RcGridStyle).Range(0, 7),
            Prop("GridDx", &C::GridDx, &C::SetGridDx, d.RcGridDx),
            Prop("GridDy", &C::GridDy, &C::SetGridDy, d.RcGridDy),
            Prop("DataColor", &C::DataColor, &C::SetDataCol, d.RcDataCol),
            Prop("PenStyle", &C::PenStyle, &C::SetPenStyle, d.RcPenStyle).Range(0, 6),
            Prop("ChartFrameColor", &C::ChartFrameColor, &C::SetScaleCol, d.FChartFrameCol),
            Prop("FillColor", &C::FillColor, &C::SetFillCol, d.RcFillCol),
            Prop("ChartColor", &C::ChartColor, &C::SetChartCol, d.RcChartCol),
            Prop("WindColor", &C::WindColor, &C::SetWindCol, d.RcWindCol),
            Prop("GridColor", &C::GridColor, &C::SetGridCol, d.RcGridCol),
            Prop("LineWidth", &C::LineWidth, &C::SetLineWid, d.RcLineWid),
            Prop("Caption", &C::Caption, &C::SetChartCaption, d.FChartCaption),
            Prop("CaptionPosX", &C::CaptionPosX, &C::SetCaptPosX, d.FCaptPosX),
            Prop("CaptionPosY", &C::CaptionPosY, &C::SetCaptPosY, d.FCaptPosY),
            Prop("CaptionAlignment", &C::CaptionAlignment, &C::SetCaptAlignment, d.FCaptAlignment)
                .Range(0, 2),
            Prop("CaptionAnchorHoriz", &C::CaptionAnchorHoriz, &C::SetCaptAnchorX, d.FCaptAnchorX)
                .Range(0, 4),
            Prop("CaptionAnchorVert", &C::CaptionAnchorVert, &C::SetCaptAnchorY, d.FCaptAnchorY)
                .Range(0, 4),
            Prop("MouseTraceColor", &C::MouseTraceColor, &C::SetMouseTraceColor, d.FMTraceColor),
            Prop("MouseTraceInvert", &C::MouseTraceInvert, &C::SetMouseTraceInvert, d.FMTraceInvert),
            SubObject("CrossHair1", &C::CrossHair1),
            SubObject("CrossHair2", &C::CrossHair2),
            SubObject("CrossHair3", &C::CrossHair3),
            SubObject("CrossHair4", &C::CrossHair4),
            Prop("MouseAction", &C::MouseAction, &C::SetMouseAction, d.RcMouseAction).Range(0, 18),
            Prop("MouseCursorFixed", &C::MouseCursorFixed, &C::SetMouseCursorFixed, d.FMCurFixed),
            Prop("MouseWheelZoom", &C::MouseWheelZoom, &C::SetMouseWheelZoom, d.FMouseWheelZoom),
            Prop("PanGridDx", &C::PanGridDx, &C::SetPanGridDx, d.FPanGridDx),
            Prop("PanGridDy", &C::PanGridDy, &C::SetPanGridDy, d.FPanGridDy),
            SubObject("Scale1X", &C::Scale1X),
            SubObject("Scale2X", &C::Scale2X),
            SubObject("Scale1Y", &C::Scale1Y),
            SubObject("Scale2Y", &C::Scale2Y),
            SubObject("JointLayers", static_cast<JointGetter>(&C::JointLayers)),
            SubObject("BackGroundImg", static_cast<BackGetter>(&C::BackGroundImg)),
            Prop("ShadowWidth", &C::ShadowWidth, &C::SetF3DRim, d.F3DRim),
            Prop("ShadowStyle", &C::ShadowStyle, &C::SetShadowStyle, d.RcShadowStyle).Range(0, 1),
            Prop("ShadowColor", &C::ShadowColor, &C::SetShadowColor, d.FShadowColor),
            Prop("ShadowBakColor", &C::ShadowBakColor, &C::SetShadowBakColor, d.RcShadowBakCol),
            Prop("TextFontStyle", &C::TextFontStyle, &C::SetTextFontStyle, d.FTextFontStyle),
            Prop("TextBkStyle", &C::TextBkStyle, &C::SetTextBkStyle, d.FTextBkStyle).Range(0, 1),
            Prop("TextBkColor", &C::TextBkColor, &C::SetTextBkColor, d.FTextBkColor),
            Prop("TextAlignment", &C::TextAlignment, &C::SetTextAlignment, d.FTextAlignment).Range(0, 2),
            Prop("Isometric", &C::Isometric, &C::SetIsoMetric, d.FIsometric),
    };
    for (std::int32_t i = 1; i <= kNumTextLabels; ++i) props.push_back(TextLabelSlot(i));
    return mivo::RegisterProperties<C>("TCustomRChart", "TCustomControl", std::move(props));
  }();
  (void)registered;
}

}  // namespace mivo
