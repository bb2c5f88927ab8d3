// TContourPlot: construction, defaults, settings, invalidation, assignment,
// the forwarders and the export wrappers.
#include "mivo/contour/contour_plot.h"

#include <algorithm>
#include <cmath>

#include "mivo/platform/colors.h"

namespace mivo {

namespace {

constexpr double kDefaultRange = 5.2;
// Side limit of the grid the reset derives from the control size, so that
// the largest control still gets a grid within kMaxPivots.
constexpr std::int32_t kResetSideMax = 2000;

}  // namespace

TContourPlot::TContourPlot(TComponent* owner) : TCustomRChart(owner) {
  RegisterProperties();
  ResetComp();
}

TContourPlot::~TContourPlot() {
  IsoColors.OnChange = nullptr;
  MaskPalette.OnChange = nullptr;
  BackGroundImg().OnChange = nullptr;
}

void TContourPlot::ResetComp() {
  const bool saved = SuppressPaint();
  TCustomRChart::SetSuppressPaint(true);
  TCustomRChart::ResetComp();
  OnEstimateZVal = nullptr;
  OnProgress = nullptr;
  OnZoomPan = nullptr;
  OnResize = nullptr;
  // The background image is part of the cached picture (the text labels,
  // drawn over it at every paint, keep the chart's handler).
  BackGroundImg().OnChange = [this](TObject& sender) { BackgroundChanged(sender); };
  IsoColors.OnChange = nullptr;
  MaskPalette.OnChange = nullptr;
  FInvalidDataBmp = true;
  FPivotPreCalc = false;
  FExtColScale = nullptr;
  FEnabled = true;
  SetDataCol(clBlack);
  MaskPalette.SetSize(255);
  MaskPalette.FillByInterpolation(kColorModelRGB, {clBlack, TColor(0xFF0000), TColor(0x008000), TColor(0x0000FF),
                                                   TColor(0x00FFFF), clWhite});
  for (std::int32_t i = 0; i < 16; ++i) MaskPalette.SetColorElem(i + 1, PredefinedColors[std::size_t(i)]);
  IsoColors.SetSize(kDefaultIsoColors);
  IsoColors.FillByInterpolation(kColorModelRGB, {TColor(0xFF0000), TColor(0xFFFF00), TColor(0x00C000),
                                                 TColor(0x00FFFF), TColor(0x0000FF)});
  IsoColors.OnChange = [this](TObject&) { ChangedIsoColorsEvent(); };
  MaskPalette.OnChange = [this](TObject&) { Changed(); };
  SetIsometric(false);
  FPlotMode = TContourPlotMode::cpmColorSurface;
  FIsoLow = -1;
  FIsoHigh = 1;
  FIsoDist = 0.1;
  SetGridStyle(GridStyleType::gsPoints);
  SetGridDx(0);
  SetGridDy(0);
  SetPanGridDx(1);
  SetPanGridDy(1);
  Scale1X().SetVisible(true);
  Scale1Y().SetVisible(true);
  Scale2X().SetVisible(false);
  Scale2Y().SetVisible(false);
  TCustomRChart::SetRange(0, -kDefaultRange, -kDefaultRange, kDefaultRange, kDefaultRange);
  ClearZoomHistory();
  const std::int32_t nx = std::clamp((Width() - MarginLeft() - MarginRight()) / 5, 2, kResetSideMax);
  const std::int32_t ny = std::clamp((Height() - MarginTop() - MarginBottom()) / 5, 2, kResetSideMax);
  RebuildGrid(nx, ny);
  FMaximum = FMinimum = 0;
  FInvalidDataBmp = true;
  TCustomRChart::SetSuppressPaint(true);
  if (!saved) TCustomRChart::SetSuppressPaint(false);
}

void TContourPlot::CreateWnd() { TCustomRChart::CreateWnd(); }

// ---------------------------------------------------------------- invalidation

void TContourPlot::InvalidateDataBmp() {
  FInvalidDataBmp = true;
  ++FInvalidations;
}

void TContourPlot::Changed() {
  InvalidateDataBmp();
  Redraw();
}

void TContourPlot::DrawPlot() {
  InvalidateDataBmp();
  Paint();
}

void TContourPlot::BackgroundChanged(TObject&) { Changed(); }

void TContourPlot::DataAreaChanged() { InvalidateDataBmp(); }

void TContourPlot::SetSuppressPaint(bool on) {
  if (on == SuppressPaint()) return;
  if (!on) InvalidateDataBmp();
  TCustomRChart::SetSuppressPaint(on);
}

void TContourPlot::SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
  if (width != Width() || height != Height()) InvalidateDataBmp();
  TCustomRChart::SetBounds(left, top, width, height);
}

// ---------------------------------------------------------------- settings

void TContourPlot::SetPlotMode(TContourPlotMode m) {
  if (m == FPlotMode) return;
  FPlotMode = m;
  Changed();
}

void TContourPlot::SetIsoLow(double v) {
  if (!std::isfinite(v) || v == FIsoLow) return;
  FIsoLow = v;
  if (!(FIsoHigh > v)) FIsoHigh = v + 1;
  InvalidateDataBmp();
  IsoColorsChanged();
  Redraw();
}

void TContourPlot::SetIsoHigh(double v) {
  if (!std::isfinite(v) || v == FIsoHigh) return;
  FIsoHigh = v;
  if (v <= FIsoLow) FIsoLow = v - 1;
  InvalidateDataBmp();
  IsoColorsChanged();
  Redraw();
}

void TContourPlot::SetIsoDist(double v) {
  if (v == FIsoDist || (std::isnan(v) && std::isnan(FIsoDist))) return;
  FIsoDist = v;
  Changed();
}

void TContourPlot::SetIsoParams(double iLow, double iHigh, double iDist) {
  if (iLow == FIsoLow && iHigh == FIsoHigh && iDist == FIsoDist) return;
  if (std::isfinite(iLow)) {
    FIsoLow = iLow;
    if (!(FIsoHigh > iLow)) FIsoHigh = iLow + 1;
  }
  if (std::isfinite(iHigh)) {
    FIsoHigh = iHigh;
    if (iHigh <= FIsoLow) FIsoLow = iHigh - 1;
  }
  FIsoDist = iDist;
  InvalidateDataBmp();
  IsoColorsChanged();
  Redraw();
}

void TContourPlot::SetEstimateEnabled(bool b) {
  if (b == FEnabled) return;
  FEnabled = b;
  Changed();
}

void TContourPlot::SetAttachedColorScale(TColorScale* cs) {
  FExtColScale = cs;
  IsoColorsChanged();
}

void TContourPlot::IsoColorsChanged() {
  if (!FExtColScale) return;
  FExtColScale->ColorArray.CopyFrom(IsoColors);
  FExtColScale->SetScaleRange(FIsoLow, FIsoHigh);
}

void TContourPlot::ChangedIsoColorsEvent() {
  IsoColorsChanged();
  Changed();
}

void TContourPlot::FeedbackProgress(std::int32_t percent) {
  if (OnProgress) OnProgress(*this, percent);
}

// ---------------------------------------------------------------- assignment

void TContourPlot::Assign(const TPersistent& source) {
  const auto* src = dynamic_cast<const TContourPlot*>(&source);
  if (!src) {
    TCustomRChart::Assign(source);
    return;
  }
  if (src == this) return;
  {
    FPlotMode = src->FPlotMode;
    FPivotMat.Assign(src->FPivotMat);
    FMaskMat.Assign(src->FMaskMat);
    FNumPivotX = src->FNumPivotX;
    FNumPivotY = src->FNumPivotY;
    FIsoLow = src->FIsoLow;
    FIsoHigh = src->FIsoHigh;
    FIsoDist = src->FIsoDist;
    FMaximum = src->FMaximum;
    FMinimum = src->FMinimum;
    OnEstimateZVal = src->OnEstimateZVal;
    OnProgress = src->OnProgress;
    ++FGridGeneration;
  }
  // The copied pivots are this plot's next picture; its own cached image
  // shows something else.
  FPivotPreCalc = true;
  InvalidateDataBmp();
  TCustomRChart::Assign(source);
  IsoColorsChanged();
  Paint();
}

void TContourPlot::AssignTo(TPersistent& dest) const {
  if (auto* plot = dynamic_cast<TContourPlot*>(&dest)) {
    plot->Assign(*this);
    return;
  }
  TCustomRChart::AssignTo(dest);
}

// ---------------------------------------------------------------- forwarders

void TContourPlot::SetRange(double xLo, double yLo, double xHi, double yHi) {
  InvalidateDataBmp();
  TCustomRChart::SetRange(1, xLo, yLo, xHi, yHi);
}

// ---------------------------------------------------------------- export

void TContourPlot::PrintIt(double scaleF, bool blkWhite) {
  InvalidateDataBmp();
  TCustomRChart::PrintIt(scaleF, blkWhite);
}

void TContourPlot::CopyToBMP(const std::string& fName, bool blkWhite) {
  InvalidateDataBmp();
  TCustomRChart::CopyToBMP(fName, blkWhite);
}

void TContourPlot::CopyToBitmap(TBitmap& bmp, bool blkWhite, bool includeCrossHairs) {
  InvalidateDataBmp();
  TCustomRChart::CopyToBitmap(bmp, blkWhite, includeCrossHairs);
}

void TContourPlot::CopyToBitmapDAOnly(TBitmap& bmp, bool blkWhite, bool includeCrossHairs) {
  InvalidateDataBmp();
  TCustomRChart::CopyToBitmapDAOnly(bmp, blkWhite, includeCrossHairs);
}

void TContourPlot::CopyToClipboard(bool blkWhite, bool includeCrossHairs) {
  InvalidateDataBmp();
  TCustomRChart::CopyToClipboard(blkWhite, includeCrossHairs);
}

void TContourPlot::CopyToClipboardDAOnly(bool blkWhite, bool includeCrossHairs) {
  InvalidateDataBmp();
  TCustomRChart::CopyToClipboardDAOnly(blkWhite, includeCrossHairs);
}

void TContourPlot::CopyToClipboardWMF(bool blkWhite) {
  InvalidateDataBmp();
  TCustomRChart::CopyToClipboardWMF(blkWhite);
}

void TContourPlot::CopyToWMF(const std::string& fName, bool blkWhite) {
  InvalidateDataBmp();
  TCustomRChart::CopyToWMF(fName, blkWhite);
}

}  // namespace mivo
