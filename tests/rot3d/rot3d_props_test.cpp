// TRot3D published properties: defaults against the registry, form-file round
// trip and the palette entry.
#include <gtest/gtest.h>

#include <algorithm>

#include "mivo/platform/properties.h"
#include "mivo/rot3d/rot3d.h"

namespace mivo {
namespace {

TEST(Rot3DProps, ConstructorMatchesTheRegisteredDefaults) {
  TRot3D p;
  EXPECT_TRUE(CheckDefaults(p).empty());
  EXPECT_TRUE(PropertiesToJson(p).empty()) << PropertiesToJson(p).dump();
  const auto props = ClassProperties("TRot3D");
  auto find = [&](const std::string& name) {
    return std::find_if(props.begin(), props.end(), [&](const TPropInfo& i) { return i.Name == name; });
  };
  ASSERT_NE(find("ViewAngleZ"), props.end());
  EXPECT_EQ(find("ViewAngleZ")->Default, 210.0);
  EXPECT_EQ(find("BoundBoxSize")->Default, 800);
  EXPECT_EQ(find("MouseAction")->Default, 12);
  EXPECT_EQ(find("Width")->Default, 450);
}

TEST(Rot3DProps, FormFileRoundTrip) {
  TRot3D a;
  a.SetName("Rot1");
  a.SetCentX(100);
  a.SetCentY(20);
  a.SetAxNameX("Time [s]");
  a.SetColorCubeFrame(0x123456);
  a.SetBoundBoxStyle(TBoundingBox::bbFrame);
  a.SetBoundBoxSize(1200);
  a.SetAxSize(900);
  a.SetViewAngleX(725);
  a.SetViewAngleY(-30);
  a.SetMagnification(2.5);
  a.SetMouseRot3Axes(true);
  a.SetAxDir(TAxDir::adRightHanded);
  a.SetIsoMetric(true);
  a.SetAutoOrigin(false);
  a.SetOriginX(-3.5);
  a.SetTextMarkSize(14);
  a.SetTextFontStyle(TFontStyles{TFontStyle::fsBold});
  a.SetMouseAction(TMouseActMode::maPan);
  const std::string text = WriteComponentToString(a);
  TRot3D b;
  ReadComponentFromString(b, text);
  EXPECT_EQ(WriteComponentToString(b), text);
  EXPECT_EQ(b.CentX(), 100);
  EXPECT_EQ(b.BoundBoxSize(), 1200);
  EXPECT_EQ(b.ViewAngleX(), 725);
  EXPECT_EQ(b.Magnify(), 1600);
  EXPECT_EQ(b.OriginX(), -3.5);
  EXPECT_EQ(b.RotMatrix(), a.RotMatrix());
  EXPECT_EQ(b.TextMarkSize(), 14);
}

TEST(Rot3DProps, PaletteEntry) {
  TRot3D p;
  const auto page = PaletteComponents("Mivo");
  EXPECT_NE(std::find(page.begin(), page.end(), "TRot3D"), page.end());
}

}  // namespace
}  // namespace mivo
