// Published properties of TScale (and of its date settings), for form files.
#include "mivo/scale/scale.h"

#include "mivo/platform/colors.h"
#include "mivo/platform/properties.h"

namespace mivo {

namespace {
constexpr std::int32_t kDefaultSize = 400;
}

void TScale::RegisterProperties() {
  static const bool registered = [] {
    if (!IsClassRegistered("TDTLabel")) {
      mivo::RegisterProperties<TDTLabel>(
          "TDTLabel",
          {
              Prop("TimeFormat", &TDTLabel::TimeFormat, &TDTLabel::SetTimeFormat, TTimeFormat::tfHHMM).Range(0, 2),
              Prop("DateSeparator", &TDTLabel::DateSeparator, &TDTLabel::SetDateSeparator, '-'),
              Prop("TimeSeparator", &TDTLabel::TimeSeparator, &TDTLabel::SetTimeSeparator, ':'),
              Prop("YearLength", &TDTLabel::YearLength, &TDTLabel::SetYearLength, TYearLength::ylYYYY).Range(0, 2),
              Prop("MonthName", &TDTLabel::MonthName, &TDTLabel::SetMonthName, true),
              Prop("DateOrder", &TDTLabel::DateOrder, &TDTLabel::SetDAteOrder, TDateOrder::doDMY).Range(0, 2),
              Prop("DateForTime", &TDTLabel::DateForTime, &TDTLabel::SetDateForTime, TDateForTime::dtOnDayChange)
                  .Range(0, 3),
          });
    }
    using DateFormatGetter = TDTLabel& (TScale::*)();
    return mivo::RegisterProperties<TScale>(
        "TScale", "TCustomControl",
        {
            NewDefault("Width", kDefaultSize),
            NewDefault("Height", kDefaultSize),
            Prop("RangeLow", &TScale::RangeLow, &TScale::SetRangeLow, 0.0),
            Prop("RangeHigh", &TScale::RangeHigh, &TScale::SetRangeHigh, 100.0),
            Prop("Logarithmic", &TScale::Logarithmic, &TScale::SetLogarithmic, false),
            Prop("MinTicks", &TScale::MinTicks, &TScale::SetMinTicks, 3),
            Prop("ShortTicks", &TScale::ShortTicks, &TScale::SetShortTicks, true),
            Prop("DecPlaces", &TScale::DecPlaces, &TScale::SetDecPlaces, -2),
            Prop("LabelType", &TScale::LabelType, &TScale::SetLabelType, TFigType::ftNum).Range(0, 4),
            Prop("ScaleType", &TScale::ScaleType, &TScale::SetScaleType, TScaleType::sctHorzUp).Range(0, 3),
            SubObject("DateFormat", static_cast<DateFormatGetter>(&TScale::DateFormat)),
            Prop("UserTickText", &TScale::UserTickText, &TScale::SetUserTickText, std::string()),
            Prop("ScaleInscript", &TScale::ScaleInscript, &TScale::SetScaleInscript, std::string()),
            Prop("Caption", &TScale::Caption, &TScale::SetCaption, std::string()),
            Prop("CaptionPosX", &TScale::CaptionPosX, &TScale::SetCaptionPosX, 4),
            Prop("CaptionPosY", &TScale::CaptionPosY, &TScale::SetCaptionPosY, 4),
            Prop("CaptionAlignment", &TScale::CaptionAlignment, &TScale::SetCaptionAlignment, TAlignment::taCenter)
                .Range(0, 2),
            Prop("CaptionAnchor", &TScale::CaptionAnchor, &TScale::SetCaptionAnchor,
                 TScaleUnitAnchor::uaSclTopLft)
                .Range(0, 2),
            Prop("MarginTop", &TScale::MarginTop, &TScale::SetMarginTop, 20),
            Prop("MarginBottom", &TScale::MarginBottom, &TScale::SetMarginBottom, 20),
            Prop("MarginLeft", &TScale::MarginLeft, &TScale::SetMarginLeft, 20),
            Prop("MarginRight", &TScale::MarginRight, &TScale::SetMarginRight, 20),
            Prop("ShowBaseLine", &TScale::ShowBaseLine, &TScale::SetShowBaseLine, true),
            Prop("Transparent", &TScale::Transparent, &TScale::SetTransparent, false),
            Prop("ColorScale", &TScale::ColorScale, &TScale::SetColorScale, TColor(clBlack)),
            Prop("ColorBackGnd", &TScale::ColorBackGnd, &TScale::SetColorBackGnd, TColor(clBtnFace)),
            Prop("ColorScheme", &TScale::ColorScheme, &TScale::SetColorScheme, TColorScheme::csBWG).Range(0, 2),
            Prop("FrameStyle", &TScale::FrameStyle, &TScale::SetFrameStyle, TFrameStyle::fsLowered).Range(0, 5),
        });
  }();
  (void)registered;
}

}  // namespace mivo
