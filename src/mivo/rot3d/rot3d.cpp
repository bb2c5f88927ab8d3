// TRot3D: construction, the model, the snapshot and the property setters.
#include "mivo/rot3d/rot3d.h"

#include <algorithm>
#include <cmath>

#include "mivo/base/univconst.h"
#include "mivo/platform/host.h"

namespace mivo {

namespace {

constexpr std::int32_t kDefaultWidth = 450;
constexpr std::int32_t kDefaultHeight = 300;

bool AllFinite(double a, double b, double c) { return std::isfinite(a) && std::isfinite(b) && std::isfinite(c); }

}  // namespace

TRot3D::TRot3D(TComponent* owner) : TCustomControl(owner) {
  RegisterProperties();
  TCustomControl::SetBounds(FLeft, FTop, kDefaultWidth, kDefaultHeight);
  FCentX = FWidth / 2;
  FCentY = FHeight / 2;
  FCubeCorners = BoxCorners(FBBSize);
  FMagAnchor = Magnification();
  CalcRotMatrix();
}

void TRot3D::Redraw() {
  if (ComponentState().Contains(TComponentStateItem::csLoading)) return;
  Repaint();
}

void TRot3D::CalcRotMatrix() {
  FRotMat = FRotMat3D ? CalcRotMatrix_3Ax(FViewAngle[0], FViewAngle[1], FViewAngle[2], FAxDir)
                      : CalcRotMatrix_2Ax(FViewAngle[0], FViewAngle[2], FAxDir);
}

void TRot3D::MakeVisible() {
  if (!BuildRenderObjects(FItems.Items(), FItems.NumItems(), FPlace, FItemColors, FObjects, FNumSkipped, Name()))
    return;
  Redraw();
}

void TRot3D::Clear() {
  FItems.Clear();
  InitGraf(FGrafBmp.Canvas(), false);
  if (HandleAllocated() && Visible()) {
    Canvas().Draw(0, 0, FGrafBmp);
    Host().Present(*this);
  }
}

std::int32_t TRot3D::FindNearestItemScreen(std::int32_t mx, std::int32_t my, Tr3Item itemID, double& dist) const {
  std::int32_t found = -1;
  double best = uc_MaxDouble;
  for (std::int32_t i = 0; i < FObjects.NRotObj; ++i) {
    const std::size_t o = std::size_t(i);
    const std::int32_t item = FObjects.FBackLink[o];
    // The snapshot outlives Clear and removals: never name an item that is gone.
    if (item >= FItems.NumItems()) continue;
    if (itemID != Tr3Item::tkEverything && FItems.GetChartItem(item).ItemKind != itemID) continue;
    const TR3ScreenPoint p = ProjectModelPoint(FRotMat, FMagnify, FCentX, FCentY, FObjects.FRotDataX[o],
                                               FObjects.FRotDataY[o], FObjects.FRotDataZ[o]);
    const double dx = double(p.X - mx), dy = double(p.Y - my);
    const double d2 = dx * dx + dy * dy;
    if (d2 < best) {
      best = d2;
      found = item;
    }
  }
  dist = std::sqrt(best);
  return found;
}

void TRot3D::SetViewAngles(double vax, double vay, double vaz) {
  if (!AllFinite(vax, vay, vaz)) return;
  if (vax == FViewAngle[0] && vay == FViewAngle[1] && vaz == FViewAngle[2]) return;
  FViewAngle = FAngleAnchor = {vax, vay, vaz};
  CalcRotMatrix();
  Redraw();
}

void TRot3D::SetViewAngle(std::size_t k, double v) {
  if (!std::isfinite(v) || v == FViewAngle[k]) return;
  FViewAngle[k] = FAngleAnchor[k] = v;
  CalcRotMatrix();
  Redraw();
}

void TRot3D::SetOrigins(double x, double y, double z) {
  if (!AllFinite(x, y, z)) return;
  if (x == FPlace.Origin[0] && y == FPlace.Origin[1] && z == FPlace.Origin[2]) return;
  FPlace.Origin = {x, y, z};
  Redraw();
}

void TRot3D::SetScaleFactors(double sfx, double sfy, double sfz) {
  if (!AllFinite(sfx, sfy, sfz)) return;
  if (sfx == FPlace.ScaleFact[0] && sfy == FPlace.ScaleFact[1] && sfz == FPlace.ScaleFact[2]) return;
  FPlace.ScaleFact = {sfx, sfy, sfz};
  Redraw();
}

void TRot3D::SetCentX(std::int32_t v) {
  v = std::clamp(v, 0, std::max(FWidth, 0));
  if (v != FCentX) SetAndRedraw(FCentX, v);
}

void TRot3D::SetCentY(std::int32_t v) {
  v = std::clamp(v, 0, std::max(FHeight, 0));
  if (v != FCentY) SetAndRedraw(FCentY, v);
}

void TRot3D::SetIsoMetric(bool v) {
  if (v == FPlace.IsoMetric) return;
  FPlace.IsoMetric = v;
  MakeVisible();
}

void TRot3D::SetAutoOrigin(bool v) {
  if (v == FPlace.AutoOrigin) return;
  FPlace.AutoOrigin = v;
  MakeVisible();
}

void TRot3D::SetAutoScale(bool v) {
  if (v == FPlace.AutoScale) return;
  FPlace.AutoScale = v;
  MakeVisible();
}

void TRot3D::SetMagnification(double v) {
  FMagnify = MagnifyDivisor(v, FMagnify);
  Redraw();
}

void TRot3D::SetMouseRot3Axes(bool v) {
  if (v == FRotMat3D) return;
  FRotMat3D = v;
  CalcRotMatrix();
  Redraw();
}

void TRot3D::SetBoundBoxSize(std::int32_t v) {
  if (std::int64_t(v) == 2 * std::int64_t(FBBSize)) return;
  FBBSize = BoxHalfEdge(v, FBBSize);
  FCubeCorners = BoxCorners(FBBSize);
  Redraw();
}

void TRot3D::SetAxDir(TAxDir v) {
  if (v == FAxDir) return;
  FAxDir = v;
  CalcRotMatrix();
  Redraw();
}

void TRot3D::SetAxSize(std::int32_t v) {
  v = ClampAxSize(v);
  if (v != FAxSize) SetAndRedraw(FAxSize, v);
}

}  // namespace mivo
