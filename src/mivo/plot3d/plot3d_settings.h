#pragma once
// The settings of a 3D plot as one value with its defaults: what a new plot
// starts from and what Assign copies from another plot (the colour array
// IsoColors, an object of its own, is copied beside it).
//
// The plot derives from it privately, so its code reads these as its own
// fields (hence the field-style names); nothing outside the plot sees them.

#include <array>
#include <cstdint>
#include <string>

#include "mivo/base/enums.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/export.h"
#include "mivo/plot3d/plot3d_projection.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

struct TPlot3DSettings {
  TColor FFrameCol = clBlack;
  TFrameStyle FFrameStyle = TFrameStyle::fsLowered;
  TMouseActMode FMouseAction = TMouseActMode::maRotate;
  double FRangeLowX = -1, FRangeHighX = 1, FRangeLowY = -1, FRangeHighY = 1, FRangeLowZ = -1, FRangeHighZ = 1;

  // Axes and the bounding box.
  TColor FColorXAx = clRed, FColorYAx = clBlue, FColorZAx = clBlack;
  TColor FColorCubeFrame = 0x404040, FColorCubeHidLin = 0xB0B0B0, FColorCubeFaceHi = 0xFEEFEE,
         FColorCubeFaceLo = 0xC0C0C0;
  std::string FCaptX = "X", FCaptY = "Y", FCaptZ = "Z";
  std::int32_t FLabDistX = 40, FLabDistY = 40, FLabDistZ = 20;
  std::int32_t FDecPlaceX = 1, FDecPlaceY = 1, FDecPlaceZ = -2;
  TBoundingBox FBoundBox = TBoundingBox::bbFaces;
  bool FVisibleXax = true, FVisibleYax = true, FVisibleZax = true;
  std::array<std::int32_t, 3> FNTicks{3, 3, 3};

  // The surface and its colours.
  TColor FColorBakGnd = clWhite;
  TMeshKind FMeshKind = TMeshKind::mkMesh;
  bool FMeshVisible = true;
  TColor FColorMesh = clBlack, FColorFillHigh = clYellow, FColorFillMid = clBlue, FColorFillLow = clBlack;
  double FColorScaleLow = 0, FColorScaleHigh = 100;
  TColorCodingMode FColorCodingMode = TColorCodingMode::ccmTwoColors;
  TColorScheme FColorScheme = TColorScheme::csSystem;
  bool FColorCodeAvg = false;

  // The view: angles about x, y, z in degrees (element 1, y, is always 0),
  // magnification, the centre (kept at the middle of the control while
  // FAutoCenter is on) and the scale factors of the three axes.
  std::array<double, 3> FViewAngle{60, 0, 15};
  double FMagnify = 1;
  bool FAutoCenter = true;
  std::int32_t FCentX = 0, FCentY = 0;
  double FSclXIntern = 1, FSclYIntern = 1, FSclZIntern = 1;
};

}  // namespace mivo
MIVO_PUBLIC_END
