// Published properties of TPlot3D, for form files, and its palette entry.
#include "mivo/platform/colors.h"
#include "mivo/platform/properties.h"
#include "mivo/plot3d/plot3d.h"

namespace mivo {

namespace {
constexpr std::int32_t kDefaultWidth = 650;
constexpr std::int32_t kDefaultHeight = 500;
}  // namespace

void TPlot3D::RegisterProperties() {
  static const bool registered = [] {
    using P = TPlot3D;
    mivo::RegisterProperties<TPlot3D>(
        "TPlot3D", "TCustomControl",
        {
            NewDefault("Width", kDefaultWidth),
            NewDefault("Height", kDefaultHeight),
            Prop("AutoCenter", &P::AutoCenter, &P::SetAutoCenter, true),
            Prop("BoundBoxStyle", &P::BoundBoxStyle, &P::SetBoundBoxStyle, TBoundingBox::bbFaces).Range(0, 2),
            Prop("CaptionX", &P::CaptionX, &P::SetCaptionX, std::string("X")),
            Prop("CaptionY", &P::CaptionY, &P::SetCaptionY, std::string("Y")),
            Prop("CaptionZ", &P::CaptionZ, &P::SetCaptionZ, std::string("Z")),
            Prop("CentX", &P::CentX, &P::SetCentX, kDefaultWidth / 2),
            Prop("CentY", &P::CentY, &P::SetCentY, kDefaultHeight / 2),
            Prop("ColorFrame", &P::ColorFrame, &P::SetColorFrame, TColor(clBlack)),
            Prop("ColorBakGnd", &P::ColorBakGnd, &P::SetColorBakGnd, TColor(clWhite)),
            Prop("ColorCodeAvg", &P::ColorCodeAvg, &P::SetColorCodeAvg, false),
            Prop("ColorCubeFrame", &P::ColorCubeFrame, &P::SetColorCubeFrame, TColor(0x404040)),
            Prop("ColorCubeHidLin", &P::ColorCubeHidLin, &P::SetColorCubeHidLin, TColor(0xB0B0B0)),
            Prop("ColorCubeFaceLow", &P::ColorCubeFaceLow, &P::SetColorCubeFaceLow, TColor(0xC0C0C0)),
            Prop("ColorCubeFaceHigh", &P::ColorCubeFaceHigh, &P::SetColorCubeFaceHigh, TColor(0xFEEFEE)),
            Prop("ColorXCoords", &P::ColorXCoords, &P::SetColorXCoords, TColor(clRed)),
            Prop("ColorYCoords", &P::ColorYCoords, &P::SetColorYCoords, TColor(clBlue)),
            Prop("ColorZCoords", &P::ColorZCoords, &P::SetColorZCoords, TColor(clBlack)),
            Prop("ColorMesh", &P::ColorMesh, &P::SetColorMesh, TColor(clBlack)),
            Prop("ColorHigh", &P::ColorHigh, &P::SetColorHigh, TColor(clYellow)),
            Prop("ColorMid", &P::ColorMid, &P::SetColorMid, TColor(clBlue)),
            Prop("ColorLow", &P::ColorLow, &P::SetColorLow, TColor(clBlack)),
            Prop("ColorScaleHigh", &P::ColorScaleHigh, &P::SetColorScaleHigh, 100.0),
            Prop("ColorScaleLow", &P::ColorScaleLow, &P::SetColorScaleLow, 0.0),
            Prop("ColorCodingMode", &P::ColorCodingMode, &P::SetColorCodingMode, TColorCodingMode::ccmTwoColors)
                .Range(0, 2),
            Prop("ColorScheme", &P::ColorScheme, &P::SetColorScheme, TColorScheme::csSystem).Range(0, 2),
            Prop("DecPlaceX", &P::DecPlaceX, &P::SetDecPlaceX, 1),
            Prop("DecPlaceY", &P::DecPlaceY, &P::SetDecPlaceY, 1),
            Prop("DecPlaceZ", &P::DecPlaceZ, &P::SetDecPlaceZ, -2),
            Prop("FrameStyle", &P::FrameStyle, &P::SetFrameStyle, TFrameStyle::fsLowered).Range(0, 5),
            Prop("LabDistX", &P::LabDistX, &P::SetLabDistX, 40),
            Prop("LabDistY", &P::LabDistY, &P::SetLabDistY, 40),
            Prop("LabDistZ", &P::LabDistZ, &P::SetLabDistZ, 20),
            Prop("MeshVisible", &P::MeshVisible, &P::SetMeshVisible, true),
            Prop("MeshKind", &P::MeshKind, &P::SetMeshKind, TMeshKind::mkMesh).Range(0, 4),
            Prop("Magnification", &P::Magnification, &P::SetMagnification, 1.0),
            Prop("MouseAction", &P::MouseAction, &P::SetMouseAction, TMouseActMode::maRotate).Range(0, 18),
            Prop("MinTickX", &P::MinTickX, &P::SetMinTickX, 3),
            Prop("MinTickY", &P::MinTickY, &P::SetMinTickY, 3),
            Prop("MinTickZ", &P::MinTickZ, &P::SetMinTickZ, 3),
            Prop("RangeXLow", &P::RangeXLow, &P::SetRangeXLow, -1.0),
            Prop("RangeXHigh", &P::RangeXHigh, &P::SetRangeXHigh, 1.0),
            Prop("RangeYLow", &P::RangeYLow, &P::SetRangeYLow, -1.0),
            Prop("RangeYHigh", &P::RangeYHigh, &P::SetRangeYHigh, 1.0),
            Prop("RangeZLow", &P::RangeZLow, &P::SetRangeZLow, -1.0),
            Prop("RangeZHigh", &P::RangeZHigh, &P::SetRangeZHigh, 1.0),
            Prop("ScaleFactX", &P::ScaleFactX, &P::SetScaleFactX, 1.0),
            Prop("ScaleFactY", &P::ScaleFactY, &P::SetScaleFactY, 1.0),
            Prop("ScaleFactZ", &P::ScaleFactZ, &P::SetScaleFactZ, 1.0),
            Prop("ViewAngleX", &P::ViewAngleX, &P::SetViewAngleX, 60.0),
            Prop("ViewAngleZ", &P::ViewAngleZ, &P::SetViewAngleZ, 15.0),
            Prop("VisibleXCoords", &P::VisibleXCoords, &P::SetVisibleXCoords, true),
            Prop("VisibleYCoords", &P::VisibleYCoords, &P::SetVisibleYCoords, true),
            Prop("VisibleZCoords", &P::VisibleZCoords, &P::SetVisibleZCoords, true),
        });
    RegisterComponents("Mivo", {"TPlot3D"});
    return true;
  }();
  (void)registered;
}

}  // namespace mivo
