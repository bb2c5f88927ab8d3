// TCustomRChart: construction, defaults, painting control and the plain setters.
#include "mivo/rchart/rchart.h"

#include <algorithm>
#include <cmath>

#include "mivo/platform/colors.h"
#include "mivo/platform/host.h"
#include "mivo/rchart/rchart_internal.h"
#include "mivo/rchart/rchart_items_painter_internal.h"  // the scratch FMarkStamps points to

namespace mivo {

namespace {

constexpr std::int32_t kDefaultWidth = 280;
constexpr std::int32_t kDefaultHeight = 200;

}  // namespace

TCustomRChart::TCustomRChart(TComponent* owner) : TCustomControl(owner) {
  RegisterProperties();
  const TNotifyEvent styleChanged = [this](TObject& sender) { StyleChanged(sender); };
  for (auto& ch : FCrossHair) ch = std::make_unique<TCrossHair>();
  for (auto& tl : FTextLabels) tl = std::make_unique<TTextLabel>();
  FBakGndImg = std::make_unique<TBakGndImg>();
  FJointLayers = std::make_unique<TJointLayers>(this);
  for (std::size_t i = 0; i < 2; ++i) {
    FScalePropsX[i] = std::make_unique<TScalePropsHoriz>(this);
    FScalePropsY[i] = std::make_unique<TScalePropsVert>(this);
    FScalesX[i] = std::make_unique<TScale>(this);
    FScalesY[i] = std::make_unique<TScale>(this);
  }
  FAuxBmp.SetSize(10, 10);
  FMTrace.assign(std::size_t(kMaxMTrace), TColoredPoint{});
  TCustomControl::SetBounds(FLeft, FTop, kDefaultWidth, kDefaultHeight);
  FChartBmp.SetSize(Width(), Height());
  ResizeGrafBmp();
  FConstructed = true;
  ResetComp();
}

TCustomRChart::~TCustomRChart() {
  LeaveSharing();  // no chart of a sharing group may keep a reference to this one
  // No notification may reach a half-destroyed chart.
  for (auto& ch : FCrossHair) ch->OnChange = nullptr;
  for (auto& tl : FTextLabels) tl->OnChange = nullptr;
  FBakGndImg->OnChange = nullptr;
  FJointLayers->OnChange = nullptr;
  for (std::size_t i = 0; i < 2; ++i) {
    FScalePropsX[i]->OnChange = nullptr;
    FScalePropsY[i]->OnChange = nullptr;
    FScalePropsX[i]->DateFormat().OnChange = nullptr;
    FScalePropsY[i]->DateFormat().OnChange = nullptr;
    FScalesX[i]->OnScaleTickDrawn = nullptr;
    FScalesX[i]->OnBeforeTickLabel = nullptr;
    FScalesY[i]->OnScaleTickDrawn = nullptr;
    FScalesY[i]->OnBeforeTickLabel = nullptr;
  }
}

void TCustomRChart::ResetComp() {
  TPaintHold hold(FSuppressPaint);
  // The display list, the settings and the state of the mouse.
  ResetList();
  FAllocSize = kDefaultAllocSize;
  Settings() = TChartSettings{};
  FNumMTrace = 0;
  FDrag = {};
  LoadChartCursors();  // application cursors 1 ... 4 for panning and zooming

  // Crosshairs and text labels.
  const TNotifyEvent styleChanged = [this](TObject& sender) { StyleChanged(sender); };
  for (std::int32_t i = 0; i < kNumCrossHairs; ++i) {
    TCrossHair& ch = *FCrossHair[std::size_t(i)];
    detail::TMuted muted(ch.OnChange);
    ch.SetPos(0, 0);
    ch.SetLayer(i + 1);
    ch.SetColor(clRed);
    ch.SetMode(TCrossHMode::chOff);
    ch.SetLineType(TPenStyle::psDashDotDot);
    ch.SetLineWidth(1);
    muted.Restore();
    ch.OnChange = styleChanged;
  }
  for (auto& p : FTextLabels) {
    TTextLabel& tl = *p;
    detail::TMuted muted(tl.OnChange);
    tl.SetPos(0, 0);
    tl.SetLayer(1);
    tl.SetAlignment(TAlignment::taCenter);
    tl.SetVerticalAlignment(TVerticalAlignment::vaBottom);
    tl.SetColorBkg(clWhite);
    tl.SetColorBorder(clBlack);
    tl.SetShadowDx(3);
    tl.SetShadowDy(3);
    tl.SetColorShadow(clGray);
    tl.SetTransparent(false);
    tl.SetCaption("");
    tl.SetFont(Font());
    tl.SetVisible(false);
    tl.SetMode(TTxtLblMode::tlOff);
    muted.Restore();
    tl.OnChange = styleChanged;
  }

  // The screen's pixel aspect.
  Fxasp = FAuxBmp.Canvas().AspectX();
  Fyasp = FAuxBmp.Canvas().AspectY();

  // Settings objects and scales.
  {
    detail::TMuted mutedJoint(FJointLayers->OnChange), mutedBack(FBakGndImg->OnChange);
    FJointLayers->Reset();
    FBakGndImg->Reset();
  }
  FJointLayers->OnChange = styleChanged;
  FBakGndImg->OnChange = styleChanged;
  SetupScales();

  SetStdLayout(TrcLayout::rcl_X1Bottom_Y1Left);
  AdjustScaling();
  ClearZoomHistory();
}

void TCustomRChart::Loaded() {
  TCustomControl::Loaded();
  ScalesFollowSettings();
  for (std::int32_t i = 1; i <= kNumLayers; ++i) {
    ScalePropsX(i).SetNotYetLoaded(false);
    ScalePropsY(i).SetNotYetLoaded(false);
  }
  AdjustScaling();
  Paint();
}

bool TCustomRChart::PaintAllowed() const {
  return (Visible() || IsDesigning()) && !IsLoading() && !FSuppressPaint;
}

void TCustomRChart::SetSuppressPaint(bool on) {
  if (on == FSuppressPaint) return;
  FSuppressPaint = on;
  if (!on) Paint();
}

void TCustomRChart::Redraw() {
  if (FAutoRedraw || IsDesigning()) Paint();
}

void TCustomRChart::StyleChanged(TObject&) { Redraw(); }

void TCustomRChart::CreateWnd() {
  TCustomControl::CreateWnd();
  FSuppressPaint = false;  // a chart draws once it has a window
}

// ---------------------------------------------------------------- store setters

void TCustomRChart::SetAllocSize(std::int32_t n) {
  if (n >= 1 && n <= kMaxAllocSize) FAllocSize = n;
}

void TCustomRChart::SetActiveLayer(std::int32_t n) {
  if (n == 1 || n == 2) FActiveLayer = n;
  Redraw();
}

bool TCustomRChart::GetLayerVisib(std::int32_t layer) const {
  return layer >= 1 && layer <= kNumLayers && FLayerVisib[LayerIx(layer)];
}

void TCustomRChart::SetLayerVisib(std::int32_t layer, bool visible) {
  if (layer < 1 || layer > kNumLayers || FLayerVisib[LayerIx(layer)] == visible) return;
  FLayerVisib[LayerIx(layer)] = visible;
  Redraw();
}

void TCustomRChart::SetClassVisib(std::uint8_t cls, bool visible) {
  if (FItClassVisib[cls] == visible) return;
  FItClassVisib[cls] = visible;
  Redraw();
}

void TCustomRChart::SetClassDefault(std::uint8_t cls) {
  if (cls != 255) RcClassDefault = cls;
}

bool TCustomRChart::GetMAffLayer(std::int32_t layer) const {
  return layer >= 1 && layer <= kNumLayers && FMouseAffLayer[LayerIx(layer)];
}

void TCustomRChart::SetMAffLayer(std::int32_t layer, bool flag) {
  if (layer >= 1 && layer <= kNumLayers) FMouseAffLayer[LayerIx(layer)] = flag;
}

void TCustomRChart::SetAvoidDupMarks(bool b) {
  if (b == FAvoidDupMarks) return;
  FAvoidDupMarks = b;
  Redraw();
}

void TCustomRChart::SetDupMarksMinD(std::int32_t d) {
  if (d == FDupMarksMinD) return;
  FDupMarksMinD = std::clamp(d, 1, 3);
  Redraw();
}

template <typename T>
void TCustomRChart::StoreAndRedraw(T& field, T value) {
  field = value;
  Redraw();
}

void TCustomRChart::SetTextAlignment(TAlignment a) { StoreAndRedraw(FTextAlignment, a); }
void TCustomRChart::SetTextFontStyle(TFontStyles s) { StoreAndRedraw(FTextFontStyle, s); }
void TCustomRChart::SetTextBkStyle(TTextBkg s) { StoreAndRedraw(FTextBkStyle, s); }
void TCustomRChart::SetTextBkColor(TColor c) { StoreAndRedraw(FTextBkColor, c); }

// ---------------------------------------------------------------- frame setters

void TCustomRChart::SetWindCol(TColor c) { StoreAndRedraw(RcWindCol, c); }
void TCustomRChart::SetChartCol(TColor c) {
  RcChartCol = c;
  DataAreaChanged();
  Redraw();
}

void TCustomRChart::SetScaleCol(TColor c) {
  FChartFrameCol = c;
  DataAreaChanged();
  Redraw();
}
void TCustomRChart::SetShadowStyle(TShadowStyle s) { StoreAndRedraw(RcShadowStyle, s); }
void TCustomRChart::SetShadowColor(TColor c) { StoreAndRedraw(FShadowColor, c); }
void TCustomRChart::SetShadowBakColor(TColor c) { StoreAndRedraw(RcShadowBakCol, c); }
void TCustomRChart::SetChartCaption(const std::string& s) { StoreAndRedraw(FChartCaption, s); }
void TCustomRChart::SetCaptPosX(std::int32_t v) { StoreAndRedraw(FCaptPosX, v); }
void TCustomRChart::SetCaptPosY(std::int32_t v) { StoreAndRedraw(FCaptPosY, v); }
void TCustomRChart::SetCaptAlignment(TAlignment a) { StoreAndRedraw(FCaptAlignment, a); }
void TCustomRChart::SetCaptAnchorX(TCaptionAnchorHoriz a) { StoreAndRedraw(FCaptAnchorX, a); }
void TCustomRChart::SetCaptAnchorY(TCaptionAnchorVert a) { StoreAndRedraw(FCaptAnchorY, a); }
void TCustomRChart::SetGridStyle(GridStyleType s) { StoreAndRedraw(RcGridStyle, s); }
void TCustomRChart::SetGridCol(TColor c) { StoreAndRedraw(RcGridCol, c); }

void TCustomRChart::SetGridDx(double v) {
  if (std::isfinite(v) && v >= kGridLogEveryDigit) StoreAndRedraw(RcGridDx, v);
}

void TCustomRChart::SetGridDy(double v) {
  if (std::isfinite(v) && v >= kGridLogEveryDigit) StoreAndRedraw(RcGridDy, v);
}

void TCustomRChart::ClearMouseTrace() {
  FNumMTrace = 0;
  Paint();
}

// ---------------------------------------------------------------- sub-objects

void TCustomRChart::SetJointLayers(const TJointLayers& j) {
  if (&j == FJointLayers.get()) return;
  {
    TPaintHold hold(FSuppressPaint);
    FJointLayers->Assign(j);
    // The joined layers take their masters' ranges.
    for (std::int32_t layer = 1; layer <= kNumLayers; ++layer)
      ForceRange(layer, ScalePropsX(layer).RangeLow(), ScalePropsY(layer).RangeLow(), ScalePropsX(layer).RangeHigh(),
                 ScalePropsY(layer).RangeHigh(), false, false);
  }
  Redraw();
}

void TCustomRChart::SetBackGroundImg(const TBakGndImg& b) {
  if (&b == FBakGndImg.get()) return;
  FBakGndImg->Assign(b);
  Redraw();
}

}  // namespace mivo
