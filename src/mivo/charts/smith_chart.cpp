// TSmithChart: construction, assignment, painting stage, grid colours and the
// isometric range properties.
#include "mivo/charts/smith_chart.h"

#include <cmath>

#include "mivo/platform/colors.h"

namespace mivo {

namespace {

// The minor circles of a black-and-white rendering.
constexpr TColor kSmithBWGridLight = 0xA0A0A0;

// Holds painting off while `change` runs; painting is enabled again (which
// paints once) only when it was enabled before.
template <typename F>
void ChangeThenPaint(TCustomRChart& chart, F&& change) {
  const bool was = chart.SuppressPaint();
  chart.SetSuppressPaint(true);
  try {
    change();
  } catch (...) {
    try {
      chart.SetSuppressPaint(was);
    } catch (...) {
    }
    throw;
  }
  chart.SetSuppressPaint(was);
}

}  // namespace

TSmithChart::TSmithChart(TComponent* owner) : TCustomRChart(owner) {
  RegisterProperties();
  // The base constructor leaves painting suppressed until the window exists.
  for (std::int32_t i = 1; i <= kNumLayers; ++i) {
    ScalePropsX(i).SetVisible(false);
    ScalePropsY(i).SetVisible(false);
  }
  SetGridStyle(GridStyleType::gsPoints);
  SetGridDx(0);
  SetGridDy(0);
  SetPanGridDx(1.0);
  SetPanGridDy(1.0);
  SetIsometric(true);
  TCustomRChart::SetRange(1, -kSmithDefaultRange, -kSmithDefaultRange, kSmithDefaultRange, kSmithDefaultRange);
  ClearZoomHistory();
}

void TSmithChart::CreateWnd() { TCustomRChart::CreateWnd(); }

void TSmithChart::PaintDataArea(TBitmap& grafBmp) {
  InitGraf(grafBmp.Canvas(), 0, 0, grafBmp.Width(), grafBmp.Height());
  ConstructDataBmp(grafBmp, 0, 0, false, 0);
}

void TSmithChart::Assign(const TPersistent& source) {
  TCustomRChart::Assign(source);
  if (const auto* s = dynamic_cast<const TSmithChart*>(&source); s && s != this) {
    FGridColLight = s->FGridColLight;
    FGridColDark = s->FGridColDark;
    FDiagramColor = s->FDiagramColor;
    Paint();
  }
}

void TSmithChart::AssignTo(TPersistent& dest) const {
  if (auto* d = dynamic_cast<TSmithChart*>(&dest)) {
    d->Assign(*this);
    return;
  }
  TCustomRChart::AssignTo(dest);
}

// ---------------------------------------------------------------- colours

void TSmithChart::StoreColorAndPaint(TColor& field, TColor c) {
  if (field == c) return;
  field = c;
  Paint();
}

void TSmithChart::SetGridColorLight(TColor c) { StoreColorAndPaint(FGridColLight, c); }
void TSmithChart::SetGridColorDark(TColor c) { StoreColorAndPaint(FGridColDark, c); }
void TSmithChart::SetDiagramColor(TColor c) { StoreColorAndPaint(FDiagramColor, c); }

void TSmithChart::BackupColorsAndMakeBW() {
  TCustomRChart::BackupColorsAndMakeBW();
  FColBakLight = FGridColLight;
  FColBakDark = FGridColDark;
  FColBakDiagram = FDiagramColor;
  FGridColLight = kSmithBWGridLight;
  FGridColDark = clBlack;
  FDiagramColor = clWhite;
}

void TSmithChart::ReloadBackupColors() {
  TCustomRChart::ReloadBackupColors();
  FGridColLight = FColBakLight;
  FGridColDark = FColBakDark;
  FDiagramColor = FColBakDiagram;
}

// ---------------------------------------------------------------- ranges

void TSmithChart::ReapplyIsometry() { SetIsometric(true); }

void TSmithChart::SetRangeXLow(double v) {
  ChangeThenPaint(*this, [&] {
    if (std::isfinite(v)) ScalePropsX(1).SetRangeLow(v);
    ReapplyIsometry();
  });
}

void TSmithChart::SetRangeXHigh(double v) {
  ChangeThenPaint(*this, [&] {
    if (std::isfinite(v)) ScalePropsX(1).SetRangeHigh(v);
    ReapplyIsometry();
  });
}

void TSmithChart::SetRangeYLow(double v) {
  ChangeThenPaint(*this, [&] {
    ReapplyIsometry();
    if (!std::isfinite(v)) return;
    // The isometric height stays; the range is asked for from v upwards (its
    // centre then lies half that height above v).
    const double height = RangeYHigh() - RangeYLow();
    SetRange(RangeXLow(), v, RangeXHigh(), v + height);
  });
}

void TSmithChart::CenterChart() {
  const double hx = RangeXHigh() / 2 - RangeXLow() / 2;
  const double hy = RangeYHigh() / 2 - RangeYLow() / 2;
  SetRange(-hx, -hy, hx, hy);
}

}  // namespace mivo
