// Published properties of TColorScale (and of its crosshair), for form files,
// and the palette registration.
#include <cmath>
#include <string>
#include <utility>

#include "mivo/colorscale/colorscale.h"
#include "mivo/colorscale/colorscale_internal.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/properties.h"

namespace mivo {

namespace {
constexpr std::int32_t kDefaultWidth = 300;
constexpr std::int32_t kDefaultHeight = 75;

// A crosshair coordinate whose non-finite values a form file cannot set.
TPropInfo FinitePos(std::string name, double (TCrossHair::*get)() const, void (TCrossHair::*set)(double)) {
  return PropFn<TCrossHair, double>(
      std::move(name), [get](const TCrossHair& c) { return (c.*get)(); },
      [set](TCrossHair& c, const double& v) {
        if (std::isfinite(v)) (c.*set)(v);
      },
      0.0);
}
}  // namespace

void TColorScale::RegisterProperties() {
  static const bool registered = [] {
    mivo::RegisterProperties<detail::TColorScaleCrossHair>(
        "TColorScaleCrossHair",
        {
            FinitePos("PosX", &TCrossHair::PosX, &TCrossHair::SetPosX),
            FinitePos("PosY", &TCrossHair::PosY, &TCrossHair::SetPosY),
            Prop("Layer", &TCrossHair::Layer, &TCrossHair::SetLayer, 1),
            Prop("Color", &TCrossHair::Color, &TCrossHair::SetColor, TColor(clRed)),
            Prop("Mode", &TCrossHair::Mode, &TCrossHair::SetMode, TCrossHMode::chBoth).Range(0, 5),
            Prop("LineType", &TCrossHair::LineType, &TCrossHair::SetLineType, TPenStyle::psDot).Range(0, 6),
            Prop("LineWidth", &TCrossHair::LineWidth, &TCrossHair::SetLineWidth, 1),
        });
    using CrossHairGetter = TCrossHair& (TColorScale::*)();
    return mivo::RegisterProperties<TColorScale>(
        "TColorScale", "TCustomControl",
        {
            NewDefault("Width", kDefaultWidth),
            NewDefault("Height", kDefaultHeight),
            Prop("Caption", &TColorScale::Caption, &TColorScale::SetCaption, std::string()),
            Prop("CaptionColor", &TColorScale::CaptionColor, &TColorScale::SetCaptionColor, TColor(clBlack)),
            Prop("CaptionPosX", &TColorScale::CaptionPosX, &TColorScale::SetCaptionPosX, 10),
            Prop("CaptionPosY", &TColorScale::CaptionPosY, &TColorScale::SetCaptionPosY, 10),
            Prop("CaptionSize", &TColorScale::CaptionSize, &TColorScale::SetCaptionSize, 12),
            Prop("CaptionStyle", &TColorScale::CaptionStyle, &TColorScale::SetCaptionStyle,
                 TFontStyles{TFontStyle::fsBold}),
            Prop("ColorSclBkgd", &TColorScale::ColorSclBkgd, &TColorScale::SetColorSclBkgd, TColor(0xC0C0C0)),
            Prop("ColorOfScale", &TColorScale::ColorOfScale, &TColorScale::SetColorOfScale, TColor(clBlack)),
            Prop("ColorScheme", &TColorScale::ColorScheme, &TColorScale::SetColorScheme, TColorScheme::csBWG)
                .Range(0, 2),
            SubObject("CrossHair", static_cast<CrossHairGetter>(&TColorScale::CrossHair)),
            Prop("FrameStyle", &TColorScale::FrameStyle, &TColorScale::SetFrameStyle, TFrameStyle::fsLowered)
                .Range(0, 5),
            Prop("ScaleRangeLow", &TColorScale::ScaleRangeLow, &TColorScale::SetScaleRangeLow, -10.0),
            Prop("ScaleRangeHigh", &TColorScale::ScaleRangeHigh, &TColorScale::SetScaleRangeHigh, 10.0),
            Prop("ColorLow", &TColorScale::ColorLow, &TColorScale::SetColorLow, -10.0),
            Prop("ColorHigh", &TColorScale::ColorHigh, &TColorScale::SetColorHigh, 10.0),
            Prop("ExtendColors", &TColorScale::ExtendColors, &TColorScale::SetExtendColors, false),
            Prop("FramedColorScale", &TColorScale::FramedColorScale, &TColorScale::SetFramedColorScale, true),
            Prop("MarginTop", &TColorScale::MarginTop, &TColorScale::SetMarginTop, 8),
            Prop("MarginBottom", &TColorScale::MarginBottom, &TColorScale::SetMarginBottom, 22),
            Prop("MarginLeft", &TColorScale::MarginLeft, &TColorScale::SetMarginLeft, 16),
            Prop("MarginRight", &TColorScale::MarginRight, &TColorScale::SetMarginRight, 16),
            Prop("MinTicks", &TColorScale::MinTicks, &TColorScale::SetMinTicks, 3),
            Prop("MouseAction", &TColorScale::MouseAction, &TColorScale::SetMouseAction, TMouseActMode::maNone)
                .Range(0, 18),
            Prop("Orientation", &TColorScale::Orientation, &TColorScale::SetOrientation,
                 TColScaleOrientation::csoHorizontal)
                .Range(0, 1),
        });
  }();
  (void)registered;
}

void RegisterColorScale() {
  TColorScale::RegisterProperties();
  RegisterComponents("Mivo", {"TColorScale"});
}

}  // namespace mivo
