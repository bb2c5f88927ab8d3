// TPlot3D published properties: defaults against the registry, form-file round
// trip (also of values whose order of arrival matters), Assign and the palette.
#include <gtest/gtest.h>

#include <algorithm>

#include "mivo/platform/colors.h"
#include "mivo/platform/errors.h"
#include "mivo/platform/properties.h"
#include "mivo/plot3d/plot3d.h"

namespace mivo {
namespace {

TEST(Plot3DProps, ConstructorMatchesTheRegisteredDefaults) {
  TPlot3D p;
  EXPECT_TRUE(CheckDefaults(p).empty());
  EXPECT_TRUE(PropertiesToJson(p).empty()) << PropertiesToJson(p).dump();
  const auto props = ClassProperties("TPlot3D");
  auto find = [&](const std::string& name) {
    return std::find_if(props.begin(), props.end(), [&](const TPropInfo& i) { return i.Name == name; });
  };
  ASSERT_NE(find("ViewAngleX"), props.end());
  EXPECT_EQ(find("ViewAngleX")->Default, 60.0);
  EXPECT_EQ(find("ColorCubeFaceHigh")->Default, 0xFEEFEE);
  EXPECT_EQ(find("DecPlaceZ")->Default, -2);
  EXPECT_EQ(find("MouseAction")->Default, 12);
  EXPECT_EQ(find("BoundBoxStyle")->Default, 2);
  EXPECT_EQ(find("CaptionY")->Default, "Y");
  EXPECT_EQ(find("Width")->Default, 650);
}

TEST(Plot3DProps, FormFileRoundTrip) {
  TPlot3D a;
  a.SetSuppressPaint(true);
  a.SetName("Plot1");
  a.SetAutoCenter(false);
  a.SetCentX(100);
  a.SetCentY(-20);
  a.SetCaptionX("Time [s]");
  a.SetColorMesh(0x123456);
  a.SetMeshKind(TMeshKind::mkWaterfallDiag);
  a.SetColorCodingMode(TColorCodingMode::ccmThreeColors);
  a.SetViewAngleX(200);
  a.SetMagnification(2.5);
  a.SetMinTickY(7);
  a.SetDecPlaceX(-2);
  a.SetBoundBoxStyle(TBoundingBox::bbNone);
  // Ends that would be corrected if they arrived one by one against the defaults.
  a.SetRangeZHigh(5);
  a.SetRangeZLow(1);
  a.SetRangeXLow(-10);
  a.SetRangeXHigh(-5);
  a.SetColorScaleLow(-50);
  a.SetColorScaleHigh(-10);
  const std::string text = WriteComponentToString(a);
  TPlot3D b;
  ReadComponentFromString(b, text);
  EXPECT_EQ(WriteComponentToString(b), text);
  EXPECT_EQ(b.CentX(), 100);
  EXPECT_EQ(b.CentY(), -20);
  EXPECT_EQ(b.CaptionX(), "Time [s]");
  EXPECT_EQ(b.RangeZLow(), 1);
  EXPECT_EQ(b.RangeZHigh(), 5);
  EXPECT_EQ(b.RangeXLow(), -10);
  EXPECT_EQ(b.RangeXHigh(), -5);
  EXPECT_EQ(b.ColorScaleLow(), -50);
  EXPECT_EQ(b.ColorScaleHigh(), -10);
  EXPECT_DOUBLE_EQ(b.CalibZk(), 75);
  EXPECT_DOUBLE_EQ(b.GetRotMat(2, 2), CalcRotMatrix(200, 15)[1][1]);
}

TEST(Plot3DProps, LoadedRepairsPairsThatCannotStand) {
  TPlot3D p;
  ReadComponentFromString(
      p, R"({"class": "TPlot3D", "name": "P", "properties": {"RangeYLow": 3, "RangeYHigh": 3,
            "ColorScaleHigh": 1, "ColorScaleLow": 2}})");
  EXPECT_EQ(p.RangeYLow(), 2);
  EXPECT_EQ(p.RangeYHigh(), 3);
  EXPECT_EQ(p.ColorScaleLow(), 0);
  EXPECT_EQ(p.ColorScaleHigh(), 100);
  EXPECT_THROW(ReadComponentFromString(p, R"({"class": "TPlot3D", "properties": {"MeshKind": 9}})"), EMivoError);
  EXPECT_EQ(p.MeshKind(), TMeshKind::mkMesh);
}

TEST(Plot3DProps, AssignCopiesSettingsNotData) {
  TPlot3D a, b;
  a.SetSuppressPaint(true);
  a.SetCaptionZ("Height");
  a.SetRange(0, 10, 0, 20, 0, 30);
  a.SetViewAngles(100, 200);
  a.SetColorLow(clRed);
  a.IsoColors.SetSize(3);
  a.IsoColors.SetColorElem(2, clLime);
  a.GridMat.Resize(2, 2);
  b.Assign(a);
  EXPECT_EQ(b.CaptionZ(), "Height");
  EXPECT_EQ(b.RangeZHigh(), 30);
  EXPECT_DOUBLE_EQ(b.CalibZk(), 10);
  EXPECT_EQ(b.ViewAngleZ(), 200);
  EXPECT_DOUBLE_EQ(b.GetRotMat(1, 1), CalcRotMatrix(100, 200)[0][0]);
  EXPECT_EQ(b.ColorLow(), TColor(clRed));
  EXPECT_EQ(b.IsoColors.GetColorElem(2), TColor(clLime));
  EXPECT_EQ(b.GridMat.NrOfColumns(), 0);
  EXPECT_FALSE(b.SuppressPaint());
  TPersistent other;
  EXPECT_THROW(b.Assign(other), EMivoError);
}

TEST(Plot3DProps, OnThePalette) {
  TPlot3D p;
  const auto page = PaletteComponents("Mivo");
  EXPECT_NE(std::find(page.begin(), page.end(), "TPlot3D"), page.end());
}

}  // namespace
}  // namespace mivo
