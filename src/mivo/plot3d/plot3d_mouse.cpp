// TPlot3D mouse interaction: dragging rotates, zooms or pans the view by
// MouseAction; every move looks for the cell under the pointer.
#include <algorithm>
#include <cmath>

#include "mivo/plot3d/plot3d.h"

namespace mivo {

namespace {

constexpr double kMagnifyLow = 0.1;
constexpr double kMagnifyHigh = 5.0;

// One turn added or taken away to bring a dragged angle back towards 0 ... 360.
double WrapAngle(double v) {
  if (v > 360) v -= 360;
  if (v < 0) v += 360;
  return v;
}

// a - b for pixel positions, which may lie anywhere in 32 bits (a press far
// outside the control).
double Delta(std::int32_t a, std::int32_t b) { return double(std::int64_t(a) - b); }

// The centre moved by the drag, kept inside the projected pixel range however
// often the user pans in one direction.
std::int32_t PanTo(std::int32_t anchor, std::int32_t pos, std::int32_t mouseAnchor) {
  const std::int64_t v = std::int64_t(anchor) + pos - mouseAnchor;
  return std::int32_t(std::clamp<std::int64_t>(v, -kMaxProjectedPixel, kMaxProjectedPixel));
}

}  // namespace

void TPlot3D::Dispatch(const TMessage& msg) {
  TCustomControl::Dispatch(msg);
  // The cell search follows the framework's handling of the same message
  // (which ignores input while the control is disabled or hidden).
  if (msg.Kind == TMessageKind::mkMouseMove && Enabled() && Visible()) WMMouseMoveOverPlot(msg);
}

void TPlot3D::MouseActionMove(std::int32_t& centerX, std::int32_t& centerY, double& rotXAngle, double& rotZAngle,
                              double& magnification, TShiftState shift) {
  if (!OnMouseAction) return;
  const double ax = rotXAngle, az = rotZAngle, mag = magnification;
  OnMouseAction(*this, centerX, centerY, rotXAngle, rotZAngle, magnification, shift);
  // Values no view can use are taken back.
  if (!std::isfinite(rotXAngle)) rotXAngle = ax;
  if (!std::isfinite(rotZAngle)) rotZAngle = az;
  if (!std::isfinite(magnification) || magnification <= 0) magnification = mag;
}

void TPlot3D::DoZoomPanEvent() {
  if (OnZoomPan) OnZoomPan(*this);
}

void TPlot3D::MouseMoveOverPlot(bool overPlot, TShiftState shift, std::int32_t mouseCellX, std::int32_t mouseCellY) {
  if (OnMouseMoveOverPlot) OnMouseMoveOverPlot(*this, overPlot, shift, mouseCellX, mouseCellY);
}

void TPlot3D::MouseMove(TShiftState shift, std::int32_t x, std::int32_t y) {
  TCustomControl::MouseMove(shift, x, y);
  const bool left = shift.Contains(TShiftStateItem::ssLeft);
  const bool right = shift.Contains(TShiftStateItem::ssRight);
  if (!left && !right) {
    MouseAnchorX = x;
    MouseAnchorY = y;
    FCentXAnchor = FCentX;
    FCentYAnchor = FCentY;
    FMagAnchor = FMagnify;
    FAngleAnchor[0] = FViewAngle[0];
    FAngleAnchor[2] = FViewAngle[2];
  }
  if (x < 0 || x > FWidth || y < 0 || y > FHeight || FWidth <= 0 || FHeight <= 0) return;
  const double w = FWidth, h = FHeight;

  auto rotate = [&](bool clampToLimits) {
    FViewAngle[2] = WrapAngle(Delta(MouseAnchorX, x) * 360.0 / w + FAngleAnchor[2]);
    FViewAngle[0] = WrapAngle(Delta(MouseAnchorY, y) * 360.0 / h + FAngleAnchor[0]);
    FViewAngle[1] = 0;
    if (clampToLimits) {
      FViewAngle[0] = std::clamp(FViewAngle[0], FViewAngLimLow[0], FViewAngLimHigh[0]);
      FViewAngle[2] = std::clamp(FViewAngle[2], FViewAngLimLow[2], FViewAngLimHigh[2]);
    }
  };
  auto zoom = [&]() {
    const double f = (kMagnifyHigh - kMagnifyLow) * Delta(MouseAnchorY, y) / h / 2;
    FMagnify = std::clamp(FMagAnchor + f, kMagnifyLow, kMagnifyHigh);
  };
  auto finish = [&](bool zoomPan) {
    MouseActionMove(FCentX, FCentY, FViewAngle[0], FViewAngle[2], FMagnify, shift);
    if (zoomPan) DoZoomPanEvent();
    CalcRotMatrix();
    Redraw();
  };

  switch (FMouseAction) {
    case TMouseActMode::maRotate:
      if (!left) return;
      rotate(true);
      finish(false);
      break;
    case TMouseActMode::maRotXOnly:
      if (!left) return;
      FViewAngle[0] = WrapAngle(Delta(y, MouseAnchorY) * 360.0 / h + FAngleAnchor[0]);
      FViewAngle[1] = 0;
      finish(false);
      break;
    case TMouseActMode::maRotZOnly:
      if (!left) return;
      FViewAngle[2] = WrapAngle(Delta(MouseAnchorX, x) * 360.0 / w + FAngleAnchor[2]);
      FViewAngle[1] = 0;
      finish(false);
      break;
    case TMouseActMode::maZoom:
      if (!left) return;
      zoom();
      finish(true);
      break;
    case TMouseActMode::maPan:
      if (!left) return;
      FCentX = PanTo(FCentXAnchor, x, MouseAnchorX);
      FCentY = PanTo(FCentYAnchor, y, MouseAnchorY);
      finish(true);
      break;
    case TMouseActMode::maRotAndZoom:
      if (left) {
        rotate(false);
        finish(false);
      } else if (right) {
        zoom();
        finish(true);
      }
      break;
    default:
      break;
  }
}

void TPlot3D::WMMouseMoveOverPlot(const TMessage& msg) {
  const TCellHit hit = FindCellAt(ProjMapX, ProjMapY, ProjMapZ, msg.X, msg.Y, FCellSkipped);
  MouseMoveOverPlot(hit.Found, KeysToShiftState(msg.Keys), hit.CellX, hit.CellY);
}

}  // namespace mivo
