// Published properties of TRot3D, for form files, and its palette entry.
#include "mivo/platform/properties.h"
#include "mivo/rot3d/rot3d.h"

namespace mivo {

namespace {
constexpr std::int32_t kDefaultWidth = 450;
constexpr std::int32_t kDefaultHeight = 300;
}  // namespace

void TRot3D::RegisterProperties() {
  static const bool registered = [] {
    using P = TRot3D;
    mivo::RegisterProperties<TRot3D>(
        "TRot3D", "TCustomControl",
        {
            NewDefault("Width", kDefaultWidth),
            NewDefault("Height", kDefaultHeight),
            Prop("AllocSize", &P::AllocSize, &P::SetAllocSize, kR3DefaultAllocSize),
            // The flags come before the view: they take a new snapshot.
            Prop("AutoOrigin", &P::AutoOrigin, &P::SetAutoOrigin, true),
            Prop("AutoScale", &P::AutoScale, &P::SetAutoScale, true),
            Prop("IsoMetric", &P::IsoMetric, &P::SetIsoMetric, false),
            Prop("AxDir", &P::AxDir, &P::SetAxDir, TAxDir::adLeftHanded).Range(0, 1),
            Prop("AxNameX", &P::AxNameX, &P::SetAxNameX, std::string("X")),
            Prop("AxNameY", &P::AxNameY, &P::SetAxNameY, std::string("Y")),
            Prop("AxNameZ", &P::AxNameZ, &P::SetAxNameZ, std::string("Z")),
            Prop("AxSize", &P::AxSize, &P::SetAxSize, 700),
            Prop("BoundBoxSize", &P::BoundBoxSize, &P::SetBoundBoxSize, 800),
            Prop("BoundBoxStyle", &P::BoundBoxStyle, &P::SetBoundBoxStyle, TBoundingBox::bbFaces).Range(0, 2),
            Prop("CentX", &P::CentX, &P::SetCentX, kDefaultWidth / 2),
            Prop("CentY", &P::CentY, &P::SetCentY, kDefaultHeight / 2),
            Prop("ColorFrame", &P::ColorFrame, &P::SetColorFrame, TColor(0x000000)),
            Prop("ColorChart", &P::ColorChart, &P::SetColorChart, TColor(0xFFFFFF)),
            Prop("ColorCubeFrame", &P::ColorCubeFrame, &P::SetColorCubeFrame, TColor(0x404040)),
            Prop("ColorCubeHidLin", &P::ColorCubeHidLin, &P::SetColorCubeHidLin, TColor(0xB0B0B0)),
            Prop("ColorCubeFaceLow", &P::ColorCubeFaceLow, &P::SetColorCubeFaceLow, TColor(0xC0C0C0)),
            Prop("ColorCubeFaceHigh", &P::ColorCubeFaceHigh, &P::SetColorCubeFaceHigh, TColor(0xEEEEEE)),
            Prop("ColorScheme", &P::ColorScheme, &P::SetColorScheme, TColorScheme::csSystem).Range(0, 2),
            Prop("FrameStyle", &P::FrameStyle, &P::SetFrameStyle, TFrameStyle::fsLowered).Range(0, 5),
            Prop("Magnification", &P::Magnification, &P::SetMagnification, 0.8),
            Prop("MouseAction", &P::MouseAction, &P::SetMouseAction, TMouseActMode::maRotate).Range(0, 18),
            Prop("MouseRot3Axes", &P::MouseRot3Axes, &P::SetMouseRot3Axes, false),
            Prop("OriginX", &P::OriginX, &P::SetOriginX, 0.0),
            Prop("OriginY", &P::OriginY, &P::SetOriginY, 0.0),
            Prop("OriginZ", &P::OriginZ, &P::SetOriginZ, 0.0),
            Prop("ShowAxes", &P::ShowAxes, &P::SetShowAxes, true),
            Prop("TextFontStyle", &P::TextFontStyle, &P::SetTextFontStyle, TFontStyles{}),
            Prop("TextMarkSize", &P::TextMarkSize, &P::SetTextMarkSize, std::uint8_t(8)),
            Prop("ViewAngleX", &P::ViewAngleX, &P::SetViewAngleX, 110.0),
            Prop("ViewAngleY", &P::ViewAngleY, &P::SetViewAngleY, 150.0),
            Prop("ViewAngleZ", &P::ViewAngleZ, &P::SetViewAngleZ, 210.0),
        });
    RegisterComponents("Mivo", {"TRot3D"});
    return true;
  }();
  (void)registered;
}

}  // namespace mivo
