// Published properties of TScaleGauge, for form files, and its place on the
// component palette.
#include "mivo/gauge/gauge.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/properties.h"

namespace mivo {

void TScaleGauge::RegisterProperties() {
  // Order matters while a form loads: the limits come before Logarithmic
  // (which needs them positive) and before Value.
  static const bool registered = mivo::RegisterProperties<TScaleGauge>(
      "TScaleGauge", "TCustomControl",
      {
          NewDefault("Width", 300),
          NewDefault("Height", 75),
          Prop("Min", &TScaleGauge::Min, &TScaleGauge::SetMin, -10.0),
          Prop("Max", &TScaleGauge::Max, &TScaleGauge::SetMax, 10.0),
          Prop("Logarithmic", &TScaleGauge::Logarithmic, &TScaleGauge::SetLogarithmic, false),
          Prop("Value", &TScaleGauge::Value, &TScaleGauge::SetValue, 0.0),
          Prop("GaugeZero", &TScaleGauge::GaugeZero, &TScaleGauge::SetGaugeZero, 0.0),
          Prop("FixedDial", &TScaleGauge::FixedDial, &TScaleGauge::SetFixedDial, true),
          Prop("MinTicks", &TScaleGauge::MinTicks, &TScaleGauge::SetMinTicks, 3),
          Prop("ShortTicks", &TScaleGauge::ShortTicks, &TScaleGauge::SetShortTicks, true),
          Prop("Background", &TScaleGauge::Background, &TScaleGauge::SetBackground, TGaugeBackground::gbVertGrad)
              .Range(0, 4),
          Prop("IndexMode", &TScaleGauge::IndexMode, &TScaleGauge::SetIndexMode, TGaugeIndexMode::gimTriangle)
              .Range(0, 6),
          Prop("Orientation", &TScaleGauge::Orientation, &TScaleGauge::SetOrientation,
               TGaugeOrientation::goHorizontal)
              .Range(0, 1),
          Prop("ColorBg1", &TScaleGauge::ColorBg1, &TScaleGauge::SetColorBg1, TColor(0x808080)),
          Prop("ColorBg2", &TScaleGauge::ColorBg2, &TScaleGauge::SetColorBg2, TColor(0xFFFFFF)),
          Prop("ColorIndex1", &TScaleGauge::ColorIndex1, &TScaleGauge::SetColorIndex1, TColor(clBlack)),
          Prop("ColorIndex2", &TScaleGauge::ColorIndex2, &TScaleGauge::SetColorIndex2, TColor(0x0000FF)),
          Prop("ColorCover", &TScaleGauge::ColorCover, &TScaleGauge::SetColorCover, TColor(0xC0C0C0)),
          Prop("ColorScale", &TScaleGauge::ColorScale, &TScaleGauge::SetColorScale, TColor(clBlack)),
          Prop("ColorScheme", &TScaleGauge::ColorScheme, &TScaleGauge::SetColorScheme, TColorScheme::csBWG)
              .Range(0, 2),
          Prop("FrameStyleOuter", &TScaleGauge::FrameStyleOuter, &TScaleGauge::SetFrameStyleOuter,
               TFrameStyle::fsRaised)
              .Range(0, 5),
          Prop("FrameStyleInner", &TScaleGauge::FrameStyleInner, &TScaleGauge::SetFrameStyleInner,
               TFrameStyle::fsLowered)
              .Range(0, 5),
          Prop("MarginLeft", &TScaleGauge::MarginLeft, &TScaleGauge::SetMarginLeft, 20),
          Prop("MarginRight", &TScaleGauge::MarginRight, &TScaleGauge::SetMarginRight, 10),
          Prop("MarginTop", &TScaleGauge::MarginTop, &TScaleGauge::SetMarginTop, 10),
          Prop("MarginBottom", &TScaleGauge::MarginBottom, &TScaleGauge::SetMarginBottom, 20),
          Prop("Caption", &TScaleGauge::Caption, &TScaleGauge::SetCaption, std::string()),
          Prop("CaptionColor", &TScaleGauge::CaptionColor, &TScaleGauge::SetCaptionColor, TColor(clBlack)),
          Prop("CaptionPosX", &TScaleGauge::CaptionPosX, &TScaleGauge::SetCaptionPosX, 10),
          Prop("CaptionPosY", &TScaleGauge::CaptionPosY, &TScaleGauge::SetCaptionPosY, 10),
          Prop("CaptionSize", &TScaleGauge::CaptionSize, &TScaleGauge::SetCaptionSize, 12),
          Prop("CaptionStyle", &TScaleGauge::CaptionStyle, &TScaleGauge::SetCaptionStyle,
               TFontStyles{TFontStyle::fsBold}),
      });
  (void)registered;
}

void RegisterGauge() { RegisterComponents("Mivo", {"TScaleGauge"}); }

}  // namespace mivo
