// Published properties of the chart: registered defaults and a round trip of
// a chart's settings through a form file.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "mivo/platform/properties.h"
#include "mivo/rchart/rchart.h"
#include "rchart_test_util.h"

namespace mivo {
namespace {

TJson DefaultOf(const std::string& cls, const std::string& name) {
  for (const auto& p : ClassProperties(cls))
    if (p.Name == name) return p.Default;
  ADD_FAILURE() << "no property " << cls << "." << name;
  return TJson();
}

TEST(RChartProperties, RegisteredDefaults) {
  TCustomRChart c;
  EXPECT_EQ(DefaultOf("TCustomRChart", "AllocSize"), 1000);
  EXPECT_EQ(DefaultOf("TCustomRChart", "MarginLeft"), 50);
  // The margins' defaults are those of a new chart, not 10, 16 and 32: a
  // margin set to one of those would otherwise not survive a round trip.
  EXPECT_EQ(DefaultOf("TCustomRChart", "RRim"), 20);
  EXPECT_EQ(DefaultOf("TCustomRChart", "MarginTop"), 20);
  EXPECT_EQ(DefaultOf("TCustomRChart", "BRim"), 40);
  EXPECT_EQ(DefaultOf("TCustomRChart", "FillColor"), 0xC0C0C0);
  EXPECT_EQ(DefaultOf("TCustomRChart", "WindColor"), 0xFF00000Fu);
  EXPECT_EQ(DefaultOf("TCustomRChart", "ShadowColor"), 0xFF000011u);
  EXPECT_EQ(DefaultOf("TCustomRChart", "CaptionAlignment"), 1);
  EXPECT_EQ(DefaultOf("TCustomRChart", "CaptionAnchorHoriz"), 3);
  EXPECT_EQ(DefaultOf("TCustomRChart", "PanGridDx"), 1.0);
  EXPECT_EQ(DefaultOf("TCustomRChart", "MouseTraceInvert"), true);
  EXPECT_EQ(DefaultOf("TCustomRChart", "Width"), 280);
  EXPECT_EQ(DefaultOf("TScaleProps", "MinRange"), 1e-10);
  EXPECT_EQ(DefaultOf("TScaleProps", "RangeHigh"), 1.0);
  EXPECT_TRUE(DefaultOf("TScalePropsVert", "ScaleLocation").is_null());  // always stored
  EXPECT_EQ(DefaultOf("TJointLayers", "L02yControlledBy"), 2);
  EXPECT_EQ(DefaultOf("TBakGndImg", "AreaColor"), 0xDDDDDD);
  // A fresh chart differs from the form-file defaults only in the settings
  // that differ between its scales and crosshairs, which are always stored.
  const auto diff = CheckDefaults(c);
  const auto has = [&](const std::string& n) { return std::find(diff.begin(), diff.end(), n) != diff.end(); };
  EXPECT_FALSE(has("MarginRight"));
  EXPECT_FALSE(has("TRim"));
  EXPECT_FALSE(has("MarginLeft"));
  EXPECT_FALSE(has("AllocSize"));
  EXPECT_FALSE(has("CaptionPosY"));
  EXPECT_FALSE(has("StandardLayout"));
  EXPECT_TRUE(has("Scale1X.Visible"));
  EXPECT_TRUE(has("Scale2X.ColorScale"));
  EXPECT_TRUE(has("CrossHair2.Layer"));
}

TEST(RChartProperties, FormFileRoundTrip) {
  TCustomRChart a;
  a.SetName("Chart1");
  a.SetBounds(0, 0, 400, 300);
  a.SetStdLayout(TrcLayout::rcl_X2Both_Y2Both);
  a.SetRRim(10);
  a.ScalePropsY(1).SetCaptionPosY(0);
  a.CrossHair(2).SetLayer(1);
  a.SetAllocSize(64);
  a.SetAvoidDupMarks(true);
  a.SetDupMarksMinD(2);
  a.SetClassDefault(12);
  a.SetDataCol(0x0000FF);
  a.SetPenStyle(TPenStyle::psDash);
  a.SetLineWid(4);
  a.SetFillCol(0x00FF00);
  a.SetChartCol(0x101010);
  a.SetGridStyle(GridStyleType::gsDotLines);
  a.SetGridDx(-2);
  a.SetF3DRim(6);
  a.SetShadowStyle(TShadowStyle::ssDrop);
  a.SetChartCaption("Spectrum");
  a.SetCaptAnchorY(TCaptionAnchorVert::cavChartBottom);
  a.SetTextFontStyle(TFontStyles{TFontStyle::fsBold});
  a.SetTextBkStyle(TTextBkg::tbSolid);
  a.SetMouseAction(TMouseActMode::maZoomDrag);
  a.SetPanGridDy(0.25);
  a.SetAutoRedraw(false);
  a.CrossHair(3).SetMode(TCrossHMode::chBoth);
  a.CrossHair(3).SetPos(1.5, -2);
  a.ScalePropsX(1).SetMinRngDiff(0.5);
  a.SetRange(1, 1, -10, 1000, 10);
  a.ScalePropsX(1).SetLogAx(true);
  a.ScalePropsX(1).SetCaption("f [Hz]");
  a.ScalePropsX(1).DateFormat().SetDateSeparator('/');
  a.ScalePropsY(2).SetScalePos(40);
  a.ScalePropsY(2).SetLabelType(TFigType::ftTime);
  a.ScalePropsY(2).SetDecPlaces(-2);
  a.JointLayers().SetControlledLayerX(2, 1);
  a.BackGroundImg().SetIncldPath(true);
  a.BackGroundImg().SetName("/images/back.bmp");
  a.BackGroundImg().SetAreaMode(TBGAreaMode::bamRectInv);
  const std::string text = WriteComponentToString(a);

  TCustomRChart b;
  ReadComponentFromString(b, text);
  EXPECT_FALSE(b.ComponentState().Contains(TComponentStateItem::csLoading));
  EXPECT_EQ(WriteComponentToString(b), text);
  EXPECT_EQ(b.Width(), 400);
  EXPECT_EQ(b.MarginTop(), 64);
  EXPECT_EQ(b.MarginRight(), 10);
  EXPECT_EQ(b.ScalePropsY(1).CaptionPosY(), 0);
  EXPECT_EQ(b.ScalePropsX(2).CaptionPosX(), 0);
  EXPECT_EQ(b.CrossHair(2).Layer(), 1);
  EXPECT_EQ(b.AllocSize(), 64);
  EXPECT_EQ(b.MinDupMarkDist(), 2);
  EXPECT_EQ(b.ShadowWidth(), 6);
  EXPECT_EQ(b.GridDx(), -2);
  EXPECT_EQ(b.Caption(), "Spectrum");
  EXPECT_EQ(b.TextFontStyle(), TFontStyles{TFontStyle::fsBold});
  EXPECT_FALSE(b.AutoRedraw());
  EXPECT_EQ(b.CrossHair(3).Mode(), TCrossHMode::chBoth);
  EXPECT_EQ(b.CrossHair(3).PosY(), -2);
  EXPECT_EQ(b.CrossHair(3).LineType(), TPenStyle::psDashDotDot);
  EXPECT_TRUE(b.ScalePropsX(1).Logarithmic());
  EXPECT_EQ(b.ScalePropsX(1).RangeLow(), 1);
  EXPECT_EQ(b.ScalePropsX(1).RangeHigh(), 1000);
  EXPECT_EQ(b.ScalePropsX(1).MinRange(), 0.5);
  EXPECT_EQ(b.ScalePropsX(1).DateFormat().DateSeparator(), '/');
  EXPECT_FALSE(b.ScalePropsX(1).NotYetLoaded());
  EXPECT_EQ(b.ScalePropsY(2).ScaleLocation(), TScaleLocationVert::slRight);
  EXPECT_EQ(b.ScalePropsY(2).ScalePos(), 40);
  EXPECT_EQ(b.ScalePropsY(2).DecPlaces(), -2);  // the stored value survives the label type
  EXPECT_EQ(b.JointLayers().L02xControlledBy(), 1);
  EXPECT_EQ(b.ScalePropsX(2).RangeHigh(), 1000);
  EXPECT_EQ(b.BackGroundImg().Name(), "/images/back.bmp");
  EXPECT_EQ(b.BackGroundImg().AreaMode(), TBGAreaMode::bamRectInv);
  // Loaded recomputed the mapping and copied the settings into the scales.
  EXPECT_DOUBLE_EQ(double(b.Cpkx(1)), double(a.Cpkx(1)));
  EXPECT_DOUBLE_EQ(double(b.Cpdy(2)), double(a.Cpdy(2)));
  EXPECT_TRUE(b.ScaleX(1).Logarithmic());
  EXPECT_EQ(b.ScaleX(1).Caption(), "f [Hz]");
}

TEST(RChartProperties, IsometricSurvivesLoading) {
  TCustomRChart a;
  a.SetRange(1, 0, 0, 100, 10);
  a.SetIsoMetric(true);
  TCustomRChart b;
  ReadComponentFromString(b, WriteComponentToString(a));
  EXPECT_TRUE(b.Isometric());
  EXPECT_NEAR(b.ScalePropsY(1).RangeLow(), a.ScalePropsY(1).RangeLow(), 1e-12);
  EXPECT_NEAR(b.ScalePropsY(1).RangeHigh(), a.ScalePropsY(1).RangeHigh(), 1e-12);
}

TEST(RChartProperties, LoadingALogarithmicAxisOverZeroRaises) {
  TCustomRChart c;
  const std::string form =
      R"({"class": "TCustomRChart", "name": "C", "properties": {"Scale1Y": {"Logarithmic": true}}})";
  try {
    ReadComponentFromString(c, form);
    FAIL() << "no error";
  } catch (const EMivoRChartError& e) {
    EXPECT_STREQ(e.what(), "Logarithmic axis must not be negative.");
  }
  // Invalid stored joins are refused by the reader's range check.
  TCustomRChart d;
  EXPECT_THROW(ReadComponentFromString(
                   d, R"({"class": "TCustomRChart", "name": "D", "properties": {"JointLayers": {"L01xControlledBy": 3}}})"),
               EMivoError);
  EXPECT_EQ(d.JointLayers().L01xControlledBy(), 1);
}

// A refused read leaves the chart exactly as it was and able to paint.
TEST(RChartProperties, RefusedReadLeavesTheChartAsItWas) {
  test::TCountingChart c;
  test::UsePaintingTestChart(c);
  c.SetRange(1, -1, 0, 3, 10);
  c.SetMarginLeft(60);
  const TJson before = PropertiesToJson(c);
  try {
    ReadComponentFromString(c, R"({"class": "TCustomRChart", "properties": {"MarginLeft": 70,)"
                               R"( "Scale1X": {"Logarithmic": true, "Caption": "t"}}})");
    ADD_FAILURE() << "no error";
  } catch (const EMivoRChartError& e) {
    EXPECT_STREQ(e.what(), "Logarithmic axis must not be negative.");
  }
  EXPECT_EQ(PropertiesToJson(c), before);
  EXPECT_FALSE(c.ScalePropsX(1).Logarithmic());
  EXPECT_EQ(c.ScalePropsX(1).RangeLow(), -1);
  c.Paints = 0;
  EXPECT_NO_THROW(c.Paint());
  EXPECT_EQ(c.Paints, 1);
}

}  // namespace
}  // namespace mivo
