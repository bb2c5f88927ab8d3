// TBoxPlot: construction, the data table and its listener, the statistics,
// painting control, the published setters and the text export.
#include "mivo/charts/box_plot.h"

#include <algorithm>
#include <cmath>

#include "mivo/base/math_utils.h"
#include "mivo/base/string_utils.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/file_replace.h"

namespace mivo {

namespace {

constexpr std::int32_t kDemoRows = 100;
constexpr std::int32_t kBoxPlotMarginBottom = 24;

}  // namespace

// ---------------------------------------------------------------- label template

TBoxPlotLabel::TBoxPlotLabel() {
  SetColorBkg(0xC0C0C0);
  SetColorBorder(clBlack);
  SetColorShadow(0x808080);
  SetFontColor(clBlack);
  SetShadowDx(3);
  SetShadowDy(2);
  SetTransparent(false);
  SetMode(TTxtLblMode::tlShadow);
  SetVisible(true);
}

void TBoxPlotLabel::SetPosition(std::int32_t v) {
  if (v == FLabelPos) return;
  FLabelPos = v;
  Changed();
}

void TBoxPlotLabel::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TCustomTextLabel*>(&source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  bool changed = AssignLabelSettings(*other);
  if (const auto* box = dynamic_cast<const TBoxPlotLabel*>(other); box && box->FLabelPos != FLabelPos) {
    FLabelPos = box->FLabelPos;
    changed = true;
  }
  if (changed) Changed();
}

// ---------------------------------------------------------------- life

TBoxPlot::TBoxPlot(TComponent* owner) : TCustomRChart(owner) {
  RegisterProperties();
  TCustomRChart::SetSuppressPaint(true);  // until the window exists
  FLabels = std::make_unique<TBoxPlotLabel>();
  MakeOwnTable(true);
  // A new look of the labels needs no new statistics.
  FLabels->OnChange = [this](TObject&) { Refresh(); };
  Scale1X().SetVisible(false);
  TCustomRChart::SetRange(1, 0, -1, 2, 1);
  SetBRim(kBoxPlotMarginBottom);
  SetChartCaption("BoxPlot");
  // The labels stand where the final margins put them.
  UpdateCaptions();
  PlaceLabels();
  FReady = true;
}

TBoxPlot::~TBoxPlot() {
  FLabels->OnChange = nullptr;
  StopListening();
}

void TBoxPlot::MakeOwnTable(bool demoData) {
  FOwnData = std::make_unique<TDataTable>();
  if (demoData) {
    FOwnData->Resize(1, kDemoRows);
    FOwnData->SetColName(1, "Gaussian");
    for (std::int32_t r = 1; r <= kDemoRows; ++r) FOwnData->SetElem(1, r, GRandom());
  }
  FData = FOwnData.get();
  FExtMatAssigned = false;
  FStatsValid = false;
  Listen(*FData);
}

void TBoxPlot::Listen(TDataTable& table) {
  FListenerId = table.AddListener([this](TObject& sender) { DataChanged(sender); }, [this] { ExternalTableGone(); });
}

void TBoxPlot::StopListening() {
  if (FData && FListenerId != 0) FData->RemoveListener(FListenerId);
  FListenerId = 0;
}

void TBoxPlot::ExternalTableGone() {
  // Called from the table's destructor: the table must not be touched.
  FListenerId = 0;
  FData = nullptr;
  MakeOwnTable(false);
  DataChanged();
}


void TBoxPlot::AssignAnotherDataTable(TDataTable& dtab) {
  if (&dtab != FData) {
    StopListening();
    FData = &dtab;
    FExtMatAssigned = &dtab != FOwnData.get();
    if (FExtMatAssigned) FOwnData.reset();
    FStatsValid = false;
    Listen(dtab);
  }
  DataChanged();
}

// ---------------------------------------------------------------- statistics

void TBoxPlot::CommitChangedData() {
  ComputeTableStats(*FData, FStats, FScratch);
  FStatsValid = true;
}

void TBoxPlot::EnsureStats() {
  if (!FStatsValid) CommitChangedData();
}

TBoxStats TBoxPlot::ColumnStats(std::int32_t column) const {
  if (column < 1 || column > NumColumns()) return {};
  return FStats[std::size_t(column - 1)];
}

void TBoxPlot::UpdateCaptions() {
  const std::int32_t n = std::min(FData->NrOfColumns(), kMaxLabels);
  for (std::int32_t i = 1; i <= n; ++i) TextLabels(i).SetCaption(ProcessHexChars(FData->GetColName(i)));
}

void TBoxPlot::DataChanged(TObject&) {
  FStatsValid = false;
  Refresh();
}

void TBoxPlot::Refresh() {
  // While a rebuild runs (a change from an OnBeforeBoxDraw handler) the
  // statistics are only marked stale: they are computed with the next rebuild.
  if (SuppressPaint() || FBuilding) return;
  TCustomRChart::SetSuppressPaint(true);
  RebuildSuppressed();
  TCustomRChart::SetSuppressPaint(false);  // the one paint
}

void TBoxPlot::RebuildSuppressed() {
  EnsureStats();
  UpdateCaptions();
  BuildChart();
}

// ---------------------------------------------------------------- painting control

void TBoxPlot::SetSuppressPaint(bool on) {
  if (on == SuppressPaint()) return;
  if (on) {
    TCustomRChart::SetSuppressPaint(true);
    return;
  }
  // Painting is allowed again: rebuild while still suppressed, then paint
  // once. The rebuild restores the flag through the chart's setter, so it
  // never comes back here.
  if (!FBuilding) RebuildSuppressed();
  TCustomRChart::SetSuppressPaint(false);
}

void TBoxPlot::Paint() { TCustomRChart::Paint(); }

void TBoxPlot::CreateWnd() {
  TCustomRChart::CreateWnd();
  DataChanged();
}

void TBoxPlot::Loaded() {
  // The chart's own Loaded paints: hold that back until the boxes stand.
  const bool saved = SuppressPaint();
  TCustomRChart::SetSuppressPaint(true);
  TCustomRChart::Loaded();
  ShowValueScale();
  RebuildSuppressed();  // captions, boxes and labels
  TCustomRChart::SetSuppressPaint(saved);
}

void TBoxPlot::SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
  TCustomRChart::SetBounds(left, top, width, height);
  if (!FReady) return;
  const bool saved = SuppressPaint();
  TCustomRChart::SetSuppressPaint(true);
  ShowValueScale();
  PlaceLabels();
  TCustomRChart::SetSuppressPaint(saved);  // paints when painting is allowed
}

// ---------------------------------------------------------------- published setters

void TBoxPlot::Rebuild() {
  if (!IsLoading()) CreateChart();
}

void TBoxPlot::SetSymbol(std::uint8_t& field, std::uint8_t v) {
  if (v > kMaxSymbol) return;
  SetAndRebuild(field, v);
}

void TBoxPlot::SetBoxWidth(double v) {
  if (std::isnan(v)) return;
  SetAndRebuild(FBPlotWidth, std::clamp(v, 0.0, 1.0));
}

void TBoxPlot::SetLabels(const TBoxPlotLabel& v) {
  if (&v == FLabels.get()) return;
  FLabels->Assign(v);  // the template's notification rebuilds when anything changed
}

// ---------------------------------------------------------------- text export

void TBoxPlot::SaveDataASC(const std::string& fName) {
  EnsureStats();
  std::vector<std::string> names;
  names.reserve(FStats.size());
  for (std::int32_t c = 1; c <= NumColumns(); ++c) names.push_back(FData->GetColName(c));
  const std::string text = FData->ExportAsText(-2) + BoxParametersText(names, FStats);
  WriteFileReplacing(fName, reinterpret_cast<const std::uint8_t*>(text.data()), text.size(),
                     "Saving the box plot data");
}

}  // namespace mivo
