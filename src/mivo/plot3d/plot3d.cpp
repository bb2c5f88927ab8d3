// TPlot3D: construction, the model and the property setters.
#include "mivo/plot3d/plot3d.h"

#include <algorithm>
#include <cmath>

#include "mivo/base/unit_cube.h"
#include "mivo/platform/colors.h"

namespace mivo {

namespace {

constexpr std::int32_t kDefaultWidth = 650;
constexpr std::int32_t kDefaultHeight = 500;
constexpr double kMagnifyLow = 0.1;
constexpr double kMagnifyHigh = 5.0;
constexpr std::int32_t kDecPlaceLow = -2;
constexpr std::int32_t kDecPlaceHigh = 12;
constexpr std::int32_t kTicksLow = 2;
constexpr std::int32_t kTicksHigh = 20;

}  // namespace

TPlot3D::TPlot3D(TComponent* owner) : TCustomControl(owner) {
  RegisterProperties();
  FSuppressPaint = true;
  TCustomControl::SetBounds(FLeft, FTop, kDefaultWidth, kDefaultHeight);
  FGrafBmp.SetSize(kDefaultWidth - 2, kDefaultHeight - 2);
  FCentX = FWidth / 2;
  FCentY = FHeight / 2;
  GridMat.OnChange = [this](TObject& sender) { GridMatChanged(sender); };
  OnResize = [this](TObject& sender) { ProcessResize(sender); };
  SetCubeCorners();
  CalcRotMatrix();
  FSuppressPaint = false;
}

TPlot3D::~TPlot3D() { GridMat.OnChange = nullptr; }

bool TPlot3D::IsLoading() const { return ComponentState().Contains(TComponentStateItem::csLoading); }
bool TPlot3D::IsDesigning() const { return ComponentState().Contains(TComponentStateItem::csDesigning); }

void TPlot3D::Redraw() {
  if (FSuppressPaint || IsLoading()) return;
  Repaint();
}

template <typename T>
void TPlot3D::SetAndRedraw(T& field, const T& v) {
  field = v;
  Redraw();
}

// ---------------------------------------------------------------- model

void TPlot3D::Clear() {
  GridMat.Fill(0);
  Redraw();
}

void TPlot3D::Reset() {
  FCentX = FWidth / 2;
  FCentY = FHeight / 2;
  FSclXIntern = FSclYIntern = FSclZIntern = 1;
  FViewAngle = {66, 0, 135};
  FMagnify = 1;
  CalcRotMatrix();
  Redraw();
}

void TPlot3D::AutoScale() {
  const std::int32_t nc = GridMat.NrOfColumns(), nr = GridMat.NrOfRows();
  // An empty grid has no shape to adapt to: the x and y factors stay.
  if (nc > 0 && nr > 0) {
    const double m = std::max(nc, nr);
    FSclXIntern = m / nc;
    FSclYIntern = m / nr;
  }
  const double lo = MinZ(), hi = MaxZ();
  const double z = (FRangeHighZ - FRangeLowZ) / (hi - lo);
  // A spread beyond the doubles would flatten the surface to nothing: keep 1.
  FSclZIntern = hi != lo && std::isfinite(z) && z != 0 ? z : 1;
  Redraw();
}

void TPlot3D::SetRange(double xLow, double xHigh, double yLow, double yHigh, double zLow, double zHigh) {
  for (double v : {xLow, xHigh, yLow, yHigh, zLow, zHigh})
    if (!std::isfinite(v)) return;
  auto widen = [](double& lo, double& hi) {
    if (lo == hi) {
      lo -= 0.5;
      hi += 0.5;
    }
  };
  widen(xLow, xHigh);
  widen(yLow, yHigh);
  widen(zLow, zHigh);
  FRangeLowX = xLow;
  FRangeHighX = xHigh;
  FRangeLowY = yLow;
  FRangeHighY = yHigh;
  FRangeLowZ = zLow;
  FRangeHighZ = zHigh;
  AdjustScaling();
  Redraw();
}

void TPlot3D::SetViewAngles(double vax, double vaz) {
  if (!std::isfinite(vax) || !std::isfinite(vaz)) return;
  if (vax == FViewAngle[0] && vaz == FViewAngle[2]) return;
  FViewAngle[0] = NormalizeViewAngle(vax);
  FViewAngle[2] = NormalizeViewAngle(vaz);
  CalcRotMatrix();
  Redraw();
}

double TPlot3D::GetRotMat(std::int32_t ix, std::int32_t iy) const {
  if (ix < 1 || ix > 3 || iy < 1 || iy > 3) return 0;
  return FRotMat[std::size_t(ix - 1)][std::size_t(iy - 1)];
}

void TPlot3D::CalcRotMatrix() {
  FViewAngle[1] = 0;
  FRotMat = mivo::CalcRotMatrix(FViewAngle[0], FViewAngle[2]);
}

void TPlot3D::SetCubeCorners() {
  for (std::int32_t i = 0; i < kCubeCorners; ++i)
    FCubeCorners[std::size_t(i)] = {CubeCornerSign(i, 0) * kCubeHalf, CubeCornerSign(i, 1) * kCubeHalf,
                                    CubeCornerSign(i, 2) * kCubeHalf};
}

void TPlot3D::AdjustScaling() {
  const double k = kCubeEdge / (FRangeHighZ - FRangeLowZ);
  const double d = -kCubeHalf - FRangeLowZ * k;
  // A span the doubles cannot divide by keeps the last usable calibration.
  if (!std::isfinite(k) || !std::isfinite(d) || k == 0) return;
  FCalibZk = k;
  FCalibZd = d;
}

void TPlot3D::GridMatChanged(TObject&) {
  if (FSuppressPaint) return;
  FStatisticsStale = true;
  const std::int32_t nc = GridMat.NrOfColumns(), nr = GridMat.NrOfRows();
  // A change of elements only (the node maps have the grid's size already)
  // affects nothing else: this is the path of every SetElem.
  const auto sized = [nc, nr](const TIntMatrix& m) { return m.NrOfColumns() == nc && m.NrOfRows() == nr; };
  if (sized(ProjMapX) && sized(ProjMapY) && sized(ProjMapZ)) return;
  SetCubeCorners();
  ProjMapX.Resize(nc, nr);
  ProjMapY.Resize(nc, nr);
  ProjMapZ.Resize(nc, nr);
}

void TPlot3D::RefreshStatistics() const {
  if (!FStatisticsStale) return;
  double lo = 0, hi = 0;
  GridMat.MinMax(1, 1, GridMat.NrOfColumns(), GridMat.NrOfRows(), lo, hi);
  FMinZ = lo;
  FMaxZ = hi;
  FStatisticsStale = false;
}

double TPlot3D::MinZ() const {
  RefreshStatistics();
  return FMinZ;
}

double TPlot3D::MaxZ() const {
  RefreshStatistics();
  return FMaxZ;
}

void TPlot3D::ProcessResize(TObject&) {
  if (FAutoCenter) {
    FCentX = FWidth / 2;
    FCentY = FHeight / 2;
  }
}

void TPlot3D::SetSuppressPaint(bool b) {
  if (b == FSuppressPaint) return;
  FSuppressPaint = b;
  if (!b) {
    GridMatChanged(*this);
    Redraw();
  }
}

TProjection TPlot3D::Projection() const {
  TProjection p;
  p.R = FRotMat;
  p.SclX = FSclXIntern;
  p.SclY = FSclYIntern;
  p.SclZ = FSclZIntern;
  p.Magnify = FMagnify;
  p.CentX = FCentX;
  p.CentY = FCentY;
  return p;
}

TPoint TPlot3D::ProjectModel(double x, double y, double z) const { return Projection().Project(x, y, z); }

// ---------------------------------------------------------------- setters

void TPlot3D::SetAutoCenter(bool b) {
  if (b == FAutoCenter) return;
  FAutoCenter = b;
  if (b) {
    FCentX = FWidth / 2;
    FCentY = FHeight / 2;
  }
}

void TPlot3D::SetBoundBoxStyle(TBoundingBox b) {
  if (b != FBoundBox) SetAndRedraw(FBoundBox, b);
}

void TPlot3D::SetCaptionX(const std::string& s) {
  if (s != FCaptX) SetAndRedraw(FCaptX, s);
}
void TPlot3D::SetCaptionY(const std::string& s) {
  if (s != FCaptY) SetAndRedraw(FCaptY, s);
}
void TPlot3D::SetCaptionZ(const std::string& s) {
  if (s != FCaptZ) SetAndRedraw(FCaptZ, s);
}

void TPlot3D::SetCentX(std::int32_t v) {
  if (FAutoCenter) {
    FCentX = FWidth / 2;
    FCentY = FHeight / 2;
    return;
  }
  if (v == FCentX) return;
  FCentX = std::clamp(v, -FWidth, 2 * FWidth);
  Redraw();
}

void TPlot3D::SetCentY(std::int32_t v) {
  if (FAutoCenter) {
    FCentX = FWidth / 2;
    FCentY = FHeight / 2;
    return;
  }
  if (v == FCentY) return;
  FCentY = std::clamp(v, -FHeight, 2 * FHeight);
  Redraw();
}

void TPlot3D::SetColorFrame(TColor c) { SetAndRedraw(FFrameCol, c); }
void TPlot3D::SetColorBakGnd(TColor c) { SetAndRedraw(FColorBakGnd, c); }
void TPlot3D::SetColorCodeAvg(bool b) {
  if (b != FColorCodeAvg) SetAndRedraw(FColorCodeAvg, b);
}
void TPlot3D::SetColorCubeFrame(TColor c) { SetAndRedraw(FColorCubeFrame, c); }
void TPlot3D::SetColorCubeHidLin(TColor c) { SetAndRedraw(FColorCubeHidLin, c); }
void TPlot3D::SetColorCubeFaceLow(TColor c) { SetAndRedraw(FColorCubeFaceLo, c); }
void TPlot3D::SetColorCubeFaceHigh(TColor c) { SetAndRedraw(FColorCubeFaceHi, c); }
void TPlot3D::SetColorXCoords(TColor c) { SetAndRedraw(FColorXAx, c); }
void TPlot3D::SetColorYCoords(TColor c) { SetAndRedraw(FColorYAx, c); }
void TPlot3D::SetColorZCoords(TColor c) { SetAndRedraw(FColorZAx, c); }
void TPlot3D::SetColorMesh(TColor c) { SetAndRedraw(FColorMesh, c); }
void TPlot3D::SetColorHigh(TColor c) { SetAndRedraw(FColorFillHigh, c); }
void TPlot3D::SetColorMid(TColor c) { SetAndRedraw(FColorFillMid, c); }
void TPlot3D::SetColorLow(TColor c) { SetAndRedraw(FColorFillLow, c); }

void TPlot3D::SetColorScaleHigh(double v) {
  // While a form loads, the ends arrive one by one; Loaded checks the pair.
  if (IsLoading()) {
    FColorScaleHigh = v;
    return;
  }
  if (v > FColorScaleLow && std::isfinite(v)) SetAndRedraw(FColorScaleHigh, v);
}

void TPlot3D::SetColorScaleLow(double v) {
  if (IsLoading()) {
    FColorScaleLow = v;
    return;
  }
  if (v < FColorScaleHigh && std::isfinite(v)) SetAndRedraw(FColorScaleLow, v);
}

void TPlot3D::SetColorCodingMode(TColorCodingMode m) {
  if (m != FColorCodingMode) SetAndRedraw(FColorCodingMode, m);
}
void TPlot3D::SetColorScheme(TColorScheme s) {
  if (s != FColorScheme) SetAndRedraw(FColorScheme, s);
}

void TPlot3D::SetIntClamped(std::int32_t& field, std::int32_t v, std::int32_t lo, std::int32_t hi) {
  v = std::clamp(v, lo, hi);
  if (v != field) SetAndRedraw(field, v);
}

void TPlot3D::SetDecPlaceX(std::int32_t n) { SetIntClamped(FDecPlaceX, n, kDecPlaceLow, kDecPlaceHigh); }
void TPlot3D::SetDecPlaceY(std::int32_t n) { SetIntClamped(FDecPlaceY, n, kDecPlaceLow, kDecPlaceHigh); }
void TPlot3D::SetDecPlaceZ(std::int32_t n) { SetIntClamped(FDecPlaceZ, n, kDecPlaceLow, kDecPlaceHigh); }
void TPlot3D::SetFrameStyle(TFrameStyle s) {
  if (s != FFrameStyle) SetAndRedraw(FFrameStyle, s);
}
void TPlot3D::SetLabDistX(std::int32_t v) {
  if (v != FLabDistX) SetAndRedraw(FLabDistX, v);
}
void TPlot3D::SetLabDistY(std::int32_t v) {
  if (v != FLabDistY) SetAndRedraw(FLabDistY, v);
}
void TPlot3D::SetLabDistZ(std::int32_t v) {
  if (v != FLabDistZ) SetAndRedraw(FLabDistZ, v);
}
void TPlot3D::SetMeshVisible(bool b) {
  if (b != FMeshVisible) SetAndRedraw(FMeshVisible, b);
}
void TPlot3D::SetMeshKind(TMeshKind k) {
  if (k != FMeshKind) SetAndRedraw(FMeshKind, k);
}

void TPlot3D::SetMagnification(double m) {
  if (std::isnan(m)) return;
  SetAndRedraw(FMagnify, std::clamp(m, kMagnifyLow, kMagnifyHigh));
}

void TPlot3D::SetNTicksX(std::int32_t n) { SetIntClamped(FNTicks[0], n, kTicksLow, kTicksHigh); }
void TPlot3D::SetNTicksY(std::int32_t n) { SetIntClamped(FNTicks[1], n, kTicksLow, kTicksHigh); }
void TPlot3D::SetNTicksZ(std::int32_t n) { SetIntClamped(FNTicks[2], n, kTicksLow, kTicksHigh); }

void TPlot3D::SetRangeEnd(double& field, double other, double v, bool low) {
  if (!std::isfinite(v)) return;
  // While a form loads, the ends arrive one by one; Loaded separates equal ends.
  if (!IsLoading() && v == other) {
    const double moved = low ? v - 1 : v + 1;
    // So large that one unit is lost in rounding: move by the value's own spacing.
    v = moved != v ? moved : (low ? std::nextafter(v, -INFINITY) : std::nextafter(v, INFINITY));
    if (!std::isfinite(v)) return;
  }
  field = v;
  AdjustScaling();
  Redraw();
}

void TPlot3D::SetRangeXLow(double v) { SetRangeEnd(FRangeLowX, FRangeHighX, v, true); }
void TPlot3D::SetRangeXHigh(double v) { SetRangeEnd(FRangeHighX, FRangeLowX, v, false); }
void TPlot3D::SetRangeYLow(double v) { SetRangeEnd(FRangeLowY, FRangeHighY, v, true); }
void TPlot3D::SetRangeYHigh(double v) { SetRangeEnd(FRangeHighY, FRangeLowY, v, false); }
void TPlot3D::SetRangeZLow(double v) { SetRangeEnd(FRangeLowZ, FRangeHighZ, v, true); }
void TPlot3D::SetRangeZHigh(double v) { SetRangeEnd(FRangeHighZ, FRangeLowZ, v, false); }

void TPlot3D::SetScaleFactX(double v) {
  if (std::isfinite(v)) SetAndRedraw(FSclXIntern, v);
}
void TPlot3D::SetScaleFactY(double v) {
  if (std::isfinite(v)) SetAndRedraw(FSclYIntern, v);
}
void TPlot3D::SetScaleFactZ(double v) {
  if (std::isfinite(v)) SetAndRedraw(FSclZIntern, v);
}

void TPlot3D::SetViewAngleX(double v) {
  if (!std::isfinite(v)) return;
  v = NormalizeViewAngle(v);
  if (v == FViewAngle[0]) return;
  FViewAngle[0] = v;
  CalcRotMatrix();
  Redraw();
}

void TPlot3D::SetViewAngleZ(double v) {
  if (!std::isfinite(v)) return;
  v = NormalizeViewAngle(v);
  if (v == FViewAngle[2]) return;
  FViewAngle[2] = v;
  CalcRotMatrix();
  Redraw();
}

void TPlot3D::SetVisibleXCoords(bool b) { SetAndRedraw(FVisibleXax, b); }
void TPlot3D::SetVisibleYCoords(bool b) { SetAndRedraw(FVisibleYax, b); }
void TPlot3D::SetVisibleZCoords(bool b) { SetAndRedraw(FVisibleZax, b); }

void TPlot3D::Loaded() {
  TCustomControl::Loaded();
  // Ends that a form stored one by one may meet now: separate them as the setters do.
  auto separate = [](double& lo, double& hi) {
    if (lo == hi) lo = lo - 1 != lo ? lo - 1 : std::nextafter(lo, -INFINITY);
  };
  separate(FRangeLowX, FRangeHighX);
  separate(FRangeLowY, FRangeHighY);
  separate(FRangeLowZ, FRangeHighZ);
  if (!(FColorScaleLow < FColorScaleHigh)) {
    FColorScaleLow = 0;
    FColorScaleHigh = 100;
  }
  if (FAutoCenter) ProcessResize(*this);
  CalcRotMatrix();
  AdjustScaling();
  Redraw();
}

// ---------------------------------------------------------------- Assign

void TPlot3D::CopySettingsFrom(const TPlot3D& s) {
  static_cast<TPlot3DSettings&>(*this) = static_cast<const TPlot3DSettings&>(s);
  SetAntialiased(s.Antialiased());
  if (FAutoCenter) ProcessResize(*this);
  IsoColors.Assign(s.IsoColors);
  AdjustScaling();
  CalcRotMatrix();
}

void TPlot3D::Assign(const TPersistent& source) {
  if (const auto* s = dynamic_cast<const TPlot3D*>(&source)) {
    if (s == this) return;
    CopySettingsFrom(*s);
    Redraw();
    return;
  }
  TCustomControl::Assign(source);
}

void TPlot3D::AssignTo(TPersistent& dest) const {
  if (auto* d = dynamic_cast<TPlot3D*>(&dest)) {
    d->Assign(*this);
    return;
  }
  TCustomControl::AssignTo(dest);
}

}  // namespace mivo
