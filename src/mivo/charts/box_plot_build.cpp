// TBoxPlot: the display list built from the statistics, the column labels,
// the ranges and the orientation.
#include <algorithm>
#include <cmath>

#include "mivo/charts/box_plot.h"

namespace mivo {

namespace {

bool Finite(double a, double b) { return std::isfinite(a) && std::isfinite(b); }

// Restores what a rebuild changes of the host's drawing state.
class TDrawStateKeeper {
 public:
  explicit TDrawStateKeeper(TCustomRChart& c) : FChart(c), FData(c.DataColor()), FFill(c.FillColor()) {}
  TDrawStateKeeper(const TDrawStateKeeper&) = delete;
  TDrawStateKeeper& operator=(const TDrawStateKeeper&) = delete;
  ~TDrawStateKeeper() {
    FChart.SetDataCol(FData);
    FChart.SetFillCol(FFill);
  }

 private:
  TCustomRChart& FChart;
  TColor FData, FFill;
};

// Marks a scope as a rebuild (the flag is restored even when a handler throws).
class TBuildingFlag {
 public:
  explicit TBuildingFlag(bool& flag) : FFlag(flag), FSaved(flag) { flag = true; }
  TBuildingFlag(const TBuildingFlag&) = delete;
  TBuildingFlag& operator=(const TBuildingFlag&) = delete;
  ~TBuildingFlag() { FFlag = FSaved; }

 private:
  bool& FFlag;
  bool FSaved;
};

}  // namespace

void TBoxPlot::CreateChart() {
  const bool saved = SuppressPaint();
  TCustomRChart::SetSuppressPaint(true);
  BuildChart();
  // Through the chart's setter: painting resumes without another rebuild.
  TCustomRChart::SetSuppressPaint(saved);
}

void TBoxPlot::BuildChart() {
  if (FBuilding) return;
  TBuildingFlag building(FBuilding);
  EnsureStats();
  ClearGraf();
  GridStyleType grid = GridStyleType::gsNone;
  const bool vertical = FOrientation == TBoxPlotOrientation::bpltVertical;
  if (FGridStyle == TBoxPlotGridStyle::bpgsLines)
    grid = vertical ? GridStyleType::gsHorizLines : GridStyleType::gsVertLines;
  else if (FGridStyle == TBoxPlotGridStyle::bpgsDotLines)
    grid = vertical ? GridStyleType::gsHorizDotLines : GridStyleType::gsVertDotLines;
  TCustomRChart::SetGridStyle(grid);
  {
    TDrawStateKeeper keep(*this);
    // The statistics are copied per column: a handler of OnBeforeBoxDraw may
    // change the table (which only marks the statistics stale meanwhile).
    const std::int32_t n = NumColumns();
    for (std::int32_t i = 1; i <= n && i <= NumColumns(); ++i) {
      const TBoxStats s = FStats[std::size_t(i - 1)];
      if (s.Count > 0) AddBox(i, s);
    }
  }
  const std::int32_t n = NumColumns();
  PlaceLabels();
  const TBoxPlotLabel& t = *FLabels;
  for (std::int32_t i = 1; i <= kMaxLabels; ++i) {
    TTextLabel& l = TextLabels(i);
    if (i > n) {
      l.SetVisible(false);
      continue;
    }
    l.SetVisible(t.Visible());
    l.SetTransparent(t.Transparent());
    l.SetShadowDx(t.ShadowDx());
    l.SetShadowDy(t.ShadowDy());
    l.SetMode(t.Mode());
    l.SetFont(t.Font());
    l.SetColorBkg(t.ColorBkg());
    l.SetColorBorder(t.ColorBorder());
    l.SetColorShadow(t.ColorShadow());
  }
}

void TBoxPlot::AddBox(std::int32_t column, const TBoxStats& s) {
  TColor lines = FColorLines, body = FColorBody, minMax = FColorMinMax, perc = FColor90Perc, mean = FColorMean,
         median = FColorMedian;
  TriggerBoxPlotColorsEvent(column, lines, body, minMax, perc, mean, median);
  const bool vertical = FOrientation == TBoxPlotOrientation::bpltVertical;
  const double c = column, w = FBPlotWidth;
  // Column coordinate and value to world x, y. Parts at a value that is not
  // finite (a whisker to an infinite maximum, the mean of +Inf and -Inf) are
  // left out; the others stand.
  auto line = [&](double c1, double v1, double c2, double v2) {
    if (!Finite(v1, v2)) return;
    if (vertical) Line(c1, v1, c2, v2);
    else Line(v1, c1, v2, c2);
  };
  auto mark = [&](double v, std::uint8_t kind) {
    if (!std::isfinite(v)) return;
    if (vertical) MarkAt(c, v, kind);
    else MarkAt(v, c, kind);
  };
  SetDataCol(minMax);
  line(c, s.Q1, c, s.Min);
  line(c, s.Q3, c, s.Max);
  if (FShowMinMax) {
    mark(s.Min, FMinMark);
    mark(s.Max, FMaxMark);
  }
  SetFillCol(body);
  SetDataCol(lines);
  if (Finite(s.Q1, s.Q3)) {
    if (s.Q1 == s.Q3) {
      line(c - w / 2, s.Q1, c + w / 2, s.Q1);  // a box of no height is its line
    } else if (vertical) {
      Rectangle(c - w / 2, s.Q1, c + w / 2, s.Q3);
    } else {
      Rectangle(s.Q1, c - w / 2, s.Q3, c + w / 2);
    }
  }
  if (FShow90Perc) {
    SetDataCol(perc);
    for (double v : {s.P10, s.P90}) {
      if (FPerc90Mark != 0) mark(v, FPerc90Mark);
      else line(c - w / 4, v, c + w / 4, v);
    }
  }
  auto level = [&](double v, std::uint8_t kind, TColor color) {
    SetDataCol(color);
    if (kind != 0) mark(v, kind);
    else line(c - w / 2, v, c + w / 2, v);
  };
  if (FShowMedian) level(s.Median, FMedianMark, median);
  if (FShowMean) level(s.Mean, FMeanMark, mean);
}

void TBoxPlot::TriggerBoxPlotColorsEvent(std::int32_t column, TColor& colorLines, TColor& colorBody,
                                         TColor& colorMinMax, TColor& color90Perc, TColor& colorMean,
                                         TColor& colorMedian) {
  if (OnBeforeBoxDraw)
    OnBeforeBoxDraw(*this, column, colorLines, colorBody, colorMinMax, color90Perc, colorMean, colorMedian);
}

void TBoxPlot::PlaceLabels() {
  const TBoxLabelPlace place = PlaceBoxLabel(FOrientation, FLabels->Position(), Width(), Height(), MarginLeft(),
                                             MarginRight(), MarginTop(), MarginBottom());
  const bool vertical = FOrientation == TBoxPlotOrientation::bpltVertical;
  for (std::int32_t i = 1; i <= kMaxLabels; ++i) {
    TTextLabel& l = TextLabels(i);
    if (vertical) l.SetPos(i, place.PixelPos);
    else l.SetPos(place.PixelPos, i);
    l.SetAttachToData(place.Attach);
    l.SetAlignment(place.Alignment);
    l.SetVerticalAlignment(place.VerticalAlignment);
  }
}

void TBoxPlot::ShowValueScale() {
  const bool vertical = FOrientation == TBoxPlotOrientation::bpltVertical;
  Scale1Y().SetVisible(vertical);
  Scale1X().SetVisible(!vertical);
}

void TBoxPlot::SetRange(long double xLo, long double yLo, long double xHi, long double yHi) {
  TCustomRChart::SetRange(1, xLo, yLo, xHi, yHi);
}

void TBoxPlot::AutoRange(double margin) {
  EnsureStats();
  double lo = 0, hi = 0;
  if (!BoxValueRange(FStats, margin, lo, hi)) return;  // no column with values: the ranges stay
  const double cols = double(NumColumns()) + 1;
  if (FOrientation == TBoxPlotOrientation::bpltVertical) SetRange(0, lo, cols, hi);
  else SetRange(lo, 0, hi, cols);
}

void TBoxPlot::SetOrientation(TBoxPlotOrientation v) {
  if (v == FOrientation) return;
  FOrientation = v;
  if (IsLoading()) return;  // the stored ranges are already those of this orientation
  const bool saved = SuppressPaint();
  TCustomRChart::SetSuppressPaint(true);
  const double xLo = Scale1X().RangeLow(), xHi = Scale1X().RangeHigh();
  const double yLo = Scale1Y().RangeLow(), yHi = Scale1Y().RangeHigh();
  SetRange(yLo, xLo, yHi, xHi);
  ShowValueScale();
  BuildChart();
  TCustomRChart::SetSuppressPaint(saved);
}

}  // namespace mivo
