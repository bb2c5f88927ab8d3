#pragma once
// TBoxPlot: one box-and-whisker figure per column of a data table, drawn by
// the 2D chart from a display list that the box plot rebuilds from the
// columns' statistics (box_plot_model.h) whenever the table, the label
// template or a box setting changes.
//
// The table is the chart's own (Data(), 1 column of 100 Gaussian values at
// first) or the host's (AssignAnotherDataTable). The chart listens to the
// table beside the host's own OnChange handler, and learns when a host's table
// is destroyed: it then falls back to an empty table of its own.
//
// The box plot owns the whole display list and text labels 1 ... 30 (the
// column labels): items or labels the host sets there are replaced on every
// rebuild.
//
// Painting: a rebuild paints once at its end (when painting is allowed);
// SetSuppressPaint(false) rebuilds once. Rebuilds that follow a change of a
// setting, of the label template or of the ranges reuse the statistics; a
// change of the table computes them again.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "mivo/base/data_table.h"
#include "mivo/base/text_label.h"
#include "mivo/charts/box_plot_model.h"
#include "mivo/platform/export.h"
#include "mivo/rchart/rchart.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

// The template of the column labels: a text label with the distance of the
// labels from an edge of the data area (Position, pixels; negative values
// measure from the opposite edge, see PlaceBoxLabel). Defaults: Position 8,
// grey background ($C0C0C0), black border and font, shadow $808080 offset by
// (3, 2), opaque, shown with a shadow (Mode tlShadow, Visible true).
class TBoxPlotLabel : public TCustomTextLabel {
 public:
  TBoxPlotLabel();
  std::string ClassName() const override { return "TBoxPlotLabel"; }
  std::int32_t Position() const { return FLabelPos; }
  void SetPosition(std::int32_t v);
  // Label settings and Position from another TBoxPlotLabel (label settings
  // only from another TCustomTextLabel); one notification.
  void Assign(const TPersistent& source) override;

 private:
  std::int32_t FLabelPos = 8;
};

// Fired for every column before its box is added: the handler may change the
// six colours for this column only.
using TOnBeforeBoxDrawEvent =
    std::function<void(TObject& sender, std::int32_t column, TColor& colorLines, TColor& colorBody,
                       TColor& colorMinMax, TColor& color90Perc, TColor& colorMean, TColor& colorMedian)>;

class TBoxPlot : public TCustomRChart {
 public:
  // The largest mark kind of the Symbol... properties; larger values are ignored.
  static constexpr std::uint8_t kMaxSymbol = 51;
  // The number of columns that carry a label (the chart's text labels).
  static constexpr std::int32_t kMaxLabels = kNumTextLabels;

  explicit TBoxPlot(TComponent* owner = nullptr);
  ~TBoxPlot() override;
  std::string ClassName() const override { return "TBoxPlot"; }

  // ---- The data (box_plot.cpp) ----------------------------------------------
  // The table in use: the chart's own or the host's.
  TDataTable& Data() { return *FData; }
  const TDataTable& Data() const { return *FData; }
  // True while the table belongs to the host.
  bool ExternalData() const { return FExtMatAssigned; }
  // Uses the host's table: the chart's own table is freed, a previous host
  // table is no longer listened to (and never freed), then the chart
  // rebuilds. The table must outlive the chart or tell it of its end, which a
  // TDataTable does by itself. Passing the table already in use only rebuilds.
  void AssignAnotherDataTable(TDataTable& dtab);
  // Recomputes and rebuilds: the statistics, the column captions, CreateChart
  // (nothing while SuppressPaint is on but marking the statistics stale).
  void DataChanged(TObject& sender);
  void DataChanged() { DataChanged(*this); }
  // Recomputes the statistics of every column now.
  void CommitChangedData();
  // The statistics of column `column` (1-based) as last computed; zeros
  // outside the columns.
  TBoxStats ColumnStats(std::int32_t column) const;
  std::int32_t NumColumns() const { return static_cast<std::int32_t>(FStats.size()); }

  // ---- The display list (box_plot_build.cpp) -------------------------------
  // Rebuilds the display list and the column labels from the statistics and
  // paints once.
  void CreateChart();
  void Update() { CreateChart(); }
  // Layer 1 fits the columns: the column axis 0 ... n + 1, the value axis the
  // smallest minimum to the largest maximum of the columns with numeric cells,
  // widened by Margin percent of their span. Without any such column the
  // ranges stay; equal values leave it to the chart's range guard.
  void AutoRange(double margin);
  // SetRange of layer 1. (This and AutoRange hide the chart's per-layer
  // versions, which stay reachable as TCustomRChart::SetRange / AutoRange.)
  void SetRange(long double xLo, long double yLo, long double xHi, long double yHi);
  // Fires OnBeforeBoxDraw when assigned.
  void TriggerBoxPlotColorsEvent(std::int32_t column, TColor& colorLines, TColor& colorBody, TColor& colorMinMax,
                                 TColor& color90Perc, TColor& colorMean, TColor& colorMedian);

  // ---- The control -----------------------------------------------------------
  // The chart's SetBounds, then the value scale shown for the current
  // orientation and the labels placed again.
  void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) override;
  // Turning it off rebuilds (DataChanged) and paints once.
  void SetSuppressPaint(bool on) override;
  void Paint() override;
  void Loaded() override;
  // The table as text (ExportAsText(-2)) followed by the box parameters
  // (BoxParametersText), written through a temporary file that replaces
  // `fName` only when complete; raises EMivoError naming the file when it
  // cannot be written (a previous file stays as it was).
  void SaveDataASC(const std::string& fName);

  // ---- Published properties (box_plot.cpp) ----------------------------------
  TBoxPlotOrientation Orientation() const { return FOrientation; }
  // Swaps the x and y ranges of layer 1, shows the value scale only, places
  // the labels and rebuilds.
  void SetOrientation(TBoxPlotOrientation v);
  double BoxWidth() const { return FBPlotWidth; }
  // Clamped to 0 ... 1 (NaN is ignored).
  void SetBoxWidth(double v);
  // Mark kinds (0 ... 51; larger values are ignored). For mean, median and the
  // percentiles 0 draws a line across the box instead of a mark.
  std::uint8_t SymbolMin() const { return FMinMark; }
  std::uint8_t SymbolMax() const { return FMaxMark; }
  std::uint8_t SymbolMean() const { return FMeanMark; }
  std::uint8_t SymbolMedian() const { return FMedianMark; }
  std::uint8_t Symbol90Perc() const { return FPerc90Mark; }
  void SetSymbolMin(std::uint8_t v) { SetSymbol(FMinMark, v); }
  void SetSymbolMax(std::uint8_t v) { SetSymbol(FMaxMark, v); }
  void SetSymbolMean(std::uint8_t v) { SetSymbol(FMeanMark, v); }
  void SetSymbolMedian(std::uint8_t v) { SetSymbol(FMedianMark, v); }
  void SetSymbol90Perc(std::uint8_t v) { SetSymbol(FPerc90Mark, v); }
  // The label template; SetLabels copies another template's settings into it.
  TBoxPlotLabel& Labels() { return *FLabels; }
  const TBoxPlotLabel& Labels() const { return *FLabels; }
  void SetLabels(const TBoxPlotLabel& v);
  TColor ColorBody() const { return FColorBody; }
  TColor ColorLines() const { return FColorLines; }
  TColor ColorMedian() const { return FColorMedian; }
  TColor ColorMean() const { return FColorMean; }
  TColor Color90Perc() const { return FColor90Perc; }
  TColor ColorMinMax() const { return FColorMinMax; }
  void SetColorBody(TColor v) { SetAndRebuild(FColorBody, v); }
  void SetColorLines(TColor v) { SetAndRebuild(FColorLines, v); }
  void SetColorMedian(TColor v) { SetAndRebuild(FColorMedian, v); }
  void SetColorMean(TColor v) { SetAndRebuild(FColorMean, v); }
  void SetColor90Perc(TColor v) { SetAndRebuild(FColor90Perc, v); }
  void SetColorMinMax(TColor v) { SetAndRebuild(FColorMinMax, v); }
  bool Show90Perc() const { return FShow90Perc; }
  bool ShowMedian() const { return FShowMedian; }
  bool ShowMean() const { return FShowMean; }
  bool ShowMinMax() const { return FShowMinMax; }
  void SetShow90Perc(bool v) { SetAndRebuild(FShow90Perc, v); }
  void SetShowMedian(bool v) { SetAndRebuild(FShowMedian, v); }
  void SetShowMean(bool v) { SetAndRebuild(FShowMean, v); }
  void SetShowMinMax(bool v) { SetAndRebuild(FShowMinMax, v); }
  // GridStyle is the box plot's own setting (the one form files store); it
  // hides the chart's GridStyle of type GridStyleType. The chart's grid,
  // which every rebuild derives from it (lines across the value axis), is
  // ChartGridStyle().
  TBoxPlotGridStyle GridStyle() const { return FGridStyle; }
  void SetGridStyle(TBoxPlotGridStyle v) { SetAndRebuild(FGridStyle, v); }
  GridStyleType ChartGridStyle() const { return TCustomRChart::GridStyle(); }

  TOnBeforeBoxDrawEvent OnBeforeBoxDraw;

  // Registers the published properties and places the class on the "Mivo"
  // palette page (once; the constructor calls it).
  static void RegisterProperties();

 protected:
  // The window exists: painting is allowed and the chart builds its picture.
  void CreateWnd() override;

 private:
  // The own table with its demonstration data.
  void MakeOwnTable(bool demoData);
  void Listen(TDataTable& table);
  void StopListening();
  // The host's table is being destroyed: an empty table of the chart's own.
  void ExternalTableGone();
  // Captions, display list and labels again, painted once (nothing while
  // painting is suppressed or a rebuild runs).
  void Refresh();
  // Statistics up to date with the table.
  void EnsureStats();
  void UpdateCaptions();
  // Labels 1 ... 30 where PlaceBoxLabel puts them, for the current size.
  void PlaceLabels();
  void ShowValueScale();
  void SetSymbol(std::uint8_t& field, std::uint8_t v);
  template <typename T>
  void SetAndRebuild(T& field, T v) {
    if (field == v) return;
    field = v;
    Rebuild();
  }
  // CreateChart unless loading (Loaded rebuilds).
  void Rebuild();
  // The display list and the labels from the statistics; no painting (the
  // caller holds painting back).
  void BuildChart();
  // Statistics, captions and BuildChart, with painting held back.
  void RebuildSuppressed();
  // Adds the figure of one column (box_plot_build.cpp).
  void AddBox(std::int32_t column, const TBoxStats& s);

  TBoxPlotOrientation FOrientation = TBoxPlotOrientation::bpltVertical;
  double FBPlotWidth = 0.5;
  std::uint8_t FMinMark = 26, FMaxMark = 26, FMeanMark = 5, FMedianMark = 0, FPerc90Mark = 0;
  std::unique_ptr<TBoxPlotLabel> FLabels;
  TColor FColorBody = 0xE9E9E9;
  TColor FColorLines = 0x000000;
  TColor FColorMedian = 0x000000;
  TColor FColorMean = 0xFF0000;
  TColor FColor90Perc = 0xFF0000;
  TColor FColorMinMax = 0x000000;
  bool FShow90Perc = false, FShowMedian = true, FShowMean = true, FShowMinMax = true;
  TBoxPlotGridStyle FGridStyle = TBoxPlotGridStyle::bpgsNone;
  bool FExtMatAssigned = false;

  std::unique_ptr<TDataTable> FOwnData;  // null while the host's table is in use
  TDataTable* FData = nullptr;
  TChangeNotifier::TListenerId FListenerId = 0;
  // Per-column statistics (minimum, maximum, quartiles, 10th and 90th
  // percentile, mean) and the values of the columns while they are computed.
  std::vector<TBoxStats> FStats;
  std::vector<std::vector<double>> FScratch;
  bool FStatsValid = false;
  bool FBuilding = false;
  // Set from the end of construction: SetBounds then places the labels.
  bool FReady = false;
};

}  // namespace mivo
MIVO_PUBLIC_END
