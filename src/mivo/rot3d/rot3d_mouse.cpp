// TRot3D mouse interaction: drags rotate (about x and z, or x and y with
// three-axis rotation), zoom or pan the view, measured from the anchors taken
// while no button is down and at every press.
#include <algorithm>
#include <cstdint>

#include "mivo/rot3d/rot3d.h"

namespace mivo {

namespace {

constexpr double kFullTurn = 360;
// The centre stays within this many pixels however often the user pans.
constexpr std::int64_t kMaxCentre = 1 << 28;

std::int32_t PanTo(std::int32_t anchor, std::int32_t pos, std::int32_t mouseAnchor) {
  return std::int32_t(std::clamp<std::int64_t>(std::int64_t(anchor) + pos - mouseAnchor, -kMaxCentre, kMaxCentre));
}

}  // namespace

void TRot3D::DragRotate(std::int32_t x, std::int32_t y) {
  // The vertical term carries a full turn, which leaves the view unchanged.
  const double horz = double(std::int64_t(MouseAnchorX) - x) * kFullTurn / FWidth;
  const double vert = double(std::int64_t(FHeight) + y - MouseAnchorY) * kFullTurn / FHeight;
  if (FRotMat3D) {
    FViewAngle[0] = FAngleAnchor[0] + horz;
    FViewAngle[1] = FAngleAnchor[1] + vert;
  } else {
    FViewAngle[2] = FAngleAnchor[2] + horz;
    FViewAngle[0] = FAngleAnchor[0] + vert;
  }
  CalcRotMatrix();
  Redraw();
}

void TRot3D::DragZoom(std::int32_t y) {
  const double f = (kMaxMagnification - kMinMagnification) * double(std::int64_t(MouseAnchorY) - y) / FHeight;
  FMagnify = MagnifyDivisor(FMagAnchor + f, FMagnify);
  Redraw();
}

void TRot3D::TakeDragAnchors(std::int32_t x, std::int32_t y) {
  MouseAnchorX = x;
  MouseAnchorY = y;
  FCentXAnchor = FCentX;
  FCentYAnchor = FCentY;
  FMagAnchor = Magnification();
  FAngleAnchor = FViewAngle;
}

void TRot3D::MouseDown(TMouseButton button, TShiftState shift, std::int32_t x, std::int32_t y) {
  TCustomControl::MouseDown(button, shift, x, y);
  TakeDragAnchors(x, y);
}

void TRot3D::MouseMove(TShiftState shift, std::int32_t x, std::int32_t y) {
  TCustomControl::MouseMove(shift, x, y);
  const bool left = shift.Contains(TShiftStateItem::ssLeft);
  const bool right = shift.Contains(TShiftStateItem::ssRight);
  if (!left && !right) TakeDragAnchors(x, y);
  // A control without area has nothing to drag across.
  if (FWidth <= 0 || FHeight <= 0) return;
  if (x < 0 || x > FWidth || y < 0 || y > FHeight) return;
  switch (FMouseAction) {
    case TMouseActMode::maRotate:
      if (left) DragRotate(x, y);
      break;
    case TMouseActMode::maZoom:
      if (left) DragZoom(y);
      break;
    case TMouseActMode::maPan:
      if (left) {
        FCentX = PanTo(FCentXAnchor, x, MouseAnchorX);
        FCentY = PanTo(FCentYAnchor, y, MouseAnchorY);
        Redraw();
      }
      break;
    case TMouseActMode::maRotAndZoom:
      if (left) DragRotate(x, y);
      else if (right) DragZoom(y);
      break;
    default:
      break;
  }
}

}  // namespace mivo
