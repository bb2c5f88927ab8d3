// Published properties, defaults, form files, palette entry, assignment and
// the attached colour bar of TContourPlot.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "contour_test_util.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/errors.h"
#include "mivo/platform/properties.h"
#include "mivo/rchart/trchart.h"

namespace mivo {
namespace {

TJson DefaultOf(const std::string& name) {
  for (const auto& p : ClassProperties("TContourPlot"))
    if (p.Name == name) return p.Default;
  ADD_FAILURE() << "no property " << name;
  return TJson();
}

TEST(ContourProperties, FreshPlotHasEveryRegisteredDefault) {
  TContourPlot p;
  // Only nested settings that differ between a chart's scales and crosshairs,
  // and the grid size that follows the control size, differ from a class default.
  for (const std::string& d : CheckDefaults(p))
    EXPECT_TRUE(d.find('.') != std::string::npos || d == "NumPivotsX" || d == "NumPivotsY") << d;
  struct Row {
    const char* Name;
    TJson Default;
  };
  for (const Row& r : {Row{"PlotMode", 2}, Row{"IsoLow", -1.0}, Row{"IsoHigh", 1.0}, Row{"IsoDist", 0.1},
                       Row{"EstimateEnabled", true}, Row{"GridStyle", 1}, Row{"Enabled", true}})
    EXPECT_EQ(DefaultOf(r.Name), r.Default) << r.Name;
  EXPECT_EQ(p.Scale1X().RangeLow(), -5.2);
  EXPECT_EQ(p.Scale1Y().RangeHigh(), 5.2);
  EXPECT_FALSE(p.Scale2X().Visible());
  EXPECT_FALSE(p.Scale2Y().Visible());
  EXPECT_EQ(p.NumPivotsX(), (p.Width() - p.MarginLeft() - p.MarginRight()) / 5);
  EXPECT_EQ(p.NumPivotsY(), (p.Height() - p.MarginTop() - p.MarginBottom()) / 5);
  EXPECT_TRUE(p.InvalidDataBmp());
  EXPECT_EQ(p.OnZoomPan, nullptr);  // the host's to use
}

TEST(ContourProperties, FormFileRoundTrip) {
  TContourPlot a;
  a.SetName("Contour1");
  a.SetBounds(0, 0, 500, 300);
  a.SetPlotMode(TContourPlotMode::cpmColorSurfNoIp);
  a.SetIsoParams(3, 9, 0.25);
  a.SetNumPivotsX(33);
  a.SetNumPivotsY(17);
  a.SetEstimateEnabled(false);
  a.SetChartColor(0x102030);
  a.SetRange(-1.0, -2.0, 3.0, 4.0);
  const std::string text = WriteComponentToString(a);
  TContourPlot b;
  ReadComponentFromString(b, text);
  EXPECT_EQ(b.PlotMode(), TContourPlotMode::cpmColorSurfNoIp);
  EXPECT_EQ(b.IsoLow(), 3);
  EXPECT_EQ(b.IsoHigh(), 9);
  EXPECT_EQ(b.IsoDist(), 0.25);
  EXPECT_EQ(b.NumPivotsX(), 33);
  EXPECT_EQ(b.NumPivotsY(), 17);
  EXPECT_FALSE(b.EstimateEnabled());
  EXPECT_EQ(b.ChartColor(), 0x102030u);
  EXPECT_EQ(b.Scale1X().RangeHigh(), 3);
  EXPECT_EQ(WriteComponentToString(b), text);
  // Levels below the defaults load in either order.
  a.SetIsoParams(-30, -20, 1);
  ReadComponentFromString(b, WriteComponentToString(a));
  EXPECT_EQ(b.IsoLow(), -30);
  EXPECT_EQ(b.IsoHigh(), -20);
}

TEST(ContourProperties, GarbageIsRefusedOrCorrected) {
  TContourPlot p;
  const std::int32_t nx = p.NumPivotsX();
  EXPECT_THROW(ReadComponentFromString(p, R"({"class": "TContourPlot", "name": "C", "properties": {"PlotMode": 4}})"),
               EMivoError);
  EXPECT_THROW(ReadComponentFromString(
                   p, R"({"class": "TContourPlot", "name": "C", "properties": {"NumPivotsX": 100000000}})"),
               EMivoError);
  EXPECT_EQ(p.NumPivotsX(), nx);
  ReadComponentFromString(p, R"({"class": "TContourPlot", "name": "C", "properties":
      {"NumPivotsY": -5, "IsoLow": "NaN", "IsoHigh": "Inf", "IsoDist": -1}})");
  EXPECT_EQ(p.NumPivotsY(), 2);
  EXPECT_EQ(p.IsoLow(), -1);
  EXPECT_EQ(p.IsoHigh(), 1);
  EXPECT_EQ(p.NumIsoLevels(), 0);
  // A spacing without levels still makes a form that reads back.
  for (const double dist : {0.0, HUGE_VAL, std::nan("")}) {
    p.SetIsoDist(dist);
    TContourPlot q;
    ReadComponentFromString(q, WriteComponentToString(p));
    EXPECT_EQ(q.NumIsoLevels(), 0) << dist;
  }
}

TEST(ContourProperties, IsoLevelsStayOrdered) {
  TContourPlot p;
  p.SetIsoLow(5);
  EXPECT_EQ(p.IsoHigh(), 6);
  p.SetIsoParams(-1, 1, 0.1);
  p.SetIsoHigh(-3);
  EXPECT_EQ(p.IsoLow(), -4);
  p.SetIsoLow(std::nan(""));
  p.SetIsoHigh(-HUGE_VAL);
  EXPECT_EQ(p.IsoLow(), -4);
  EXPECT_EQ(p.IsoHigh(), -3);
  p.SetIsoParams(10, 2, 0.5);  // the high end wins
  EXPECT_EQ(p.IsoLow(), 1);
  EXPECT_EQ(p.IsoHigh(), 2);
}

TEST(ContourProperties, PaletteEntryAndFactory) {
  TContourPlot::RegisterProperties();
  const auto names = PaletteComponents("Mivo");
  EXPECT_EQ(std::count(names.begin(), names.end(), "TContourPlot"), 1);
  const auto made = ReadForm(R"({"components": [{"class": "TContourPlot", "name": "P", "properties": {}}]})");
  ASSERT_EQ(made.size(), 1u);
  EXPECT_EQ(made[0]->ClassName(), "TContourPlot");
}

TEST(ContourColourBar, AttachedBarShowsTheColoursAndRange) {
  TContourPlot p;
  TColorScale cs;
  p.SetIsoParams(-4, 12, 1);
  p.SetAttachedColorScale(&cs);
  EXPECT_EQ(cs.ColorArray.Size(), kDefaultIsoColors);
  EXPECT_EQ(cs.ScaleRangeLow(), -4);
  EXPECT_EQ(cs.ScaleRangeHigh(), 12);
  p.IsoColors.SetSize(3);
  p.IsoColors.SetColorElem(2, 0x00AA00);
  EXPECT_EQ(cs.ColorArray.Size(), 3);
  EXPECT_EQ(cs.ColorArray.GetColorElem(2), 0x00AA00u);
  p.SetIsoHigh(20);
  EXPECT_EQ(cs.ScaleRangeHigh(), 20);
  p.SetAttachedColorScale(nullptr);
  p.SetIsoHigh(30);
  EXPECT_EQ(cs.ScaleRangeHigh(), 20);
}

TEST(ContourAssign, CopiesTheModelAndShowsTheCopiedPivots) {
  TContourPlot a;
  test::UsePaintingContour(a);
  a.SetNumPivotsX(7);
  a.SetNumPivotsY(5);
  a.SetPlotMode(TContourPlotMode::cpmDots);
  a.SetIsoParams(0, 5, 0.5);
  test::TCountingField f;
  a.OnEstimateZVal = f.Handler();
  a.SetMaskVal(2, 2, 9);
  a.DrawPlot();
  TContourPlot b;
  test::UsePaintingContour(b);
  const std::int32_t calls = f.Calls;
  b.Assign(a);
  EXPECT_EQ(b.PlotMode(), TContourPlotMode::cpmDots);
  EXPECT_EQ(b.NumPivotsX(), 7);
  EXPECT_EQ(b.IsoDist(), 0.5);
  EXPECT_EQ(b.GetMaskVal(2, 2), 9);
  EXPECT_EQ(b.GetPivotVal(7, 5), a.GetPivotVal(7, 5));
  EXPECT_EQ(b.MaxPivot(), a.MaxPivot());
  EXPECT_EQ(f.Calls, calls);  // shown from the copied pivots
  b.DrawPlot();
  EXPECT_EQ(f.Calls, calls + 35);  // the copied handler serves later rebuilds
  TContourPlot c;
  c.Assign(c);
  TRChart other;
  b.Assign(other);  // a plain chart: the chart's part only
  EXPECT_EQ(b.NumPivotsX(), 7);
}

}  // namespace
}  // namespace mivo
