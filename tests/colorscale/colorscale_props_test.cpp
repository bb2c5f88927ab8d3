// Published properties of TColorScale: the registered defaults, a form-file
// round trip, refusal of garbage and the palette registration.
#include <gtest/gtest.h>

#include <string>

#include "mivo/colorscale/colorscale.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/errors.h"
#include "mivo/platform/properties.h"

namespace mivo {
namespace {

TJson DefaultOf(const std::string& cls, const std::string& name) {
  for (const auto& p : ClassProperties(cls))
    if (p.Name == name) return p.Default;
  ADD_FAILURE() << "no property " << name;
  return TJson();
}

TEST(ColorScaleProperties, FreshControlHasEveryRegisteredDefault) {
  TColorScale cs;
  EXPECT_TRUE(CheckDefaults(cs).empty());
  struct Row {
    const char* Name;
    TJson Default;
  };
  for (const Row& r : {Row{"Width", 300}, Row{"Height", 75}, Row{"Caption", ""}, Row{"CaptionColor", 0},
                       Row{"CaptionPosX", 10}, Row{"CaptionPosY", 10}, Row{"CaptionSize", 12},
                       Row{"CaptionStyle", 1}, Row{"ColorSclBkgd", 0xC0C0C0}, Row{"ColorOfScale", 0},
                       Row{"ColorScheme", 0}, Row{"FrameStyle", 2}, Row{"ScaleRangeLow", -10.0},
                       Row{"ScaleRangeHigh", 10.0}, Row{"ColorLow", -10.0}, Row{"ColorHigh", 10.0},
                       Row{"ExtendColors", false}, Row{"FramedColorScale", true}, Row{"MarginTop", 8},
                       Row{"MarginBottom", 22}, Row{"MarginLeft", 16}, Row{"MarginRight", 16},
                       Row{"MinTicks", 3}, Row{"MouseAction", 0}, Row{"Orientation", 0}})
    EXPECT_EQ(DefaultOf("TColorScale", r.Name), r.Default) << r.Name;
  for (const Row& r : {Row{"PosX", 0.0}, Row{"PosY", 0.0}, Row{"Color", 0x0000FF}, Row{"Mode", 3},
                       Row{"LineType", 2}, Row{"LineWidth", 1}})
    EXPECT_EQ(DefaultOf("TColorScaleCrossHair", r.Name), r.Default) << r.Name;
}

TEST(ColorScaleProperties, FormFileRoundTrip) {
  TColorScale a;
  a.SetName("ColorScale1");
  a.SetBounds(0, 0, 90, 420);
  a.SetOrientation(TColScaleOrientation::csoVertical);
  a.SetScaleRange(-50, 150);
  a.SetColorLow(0);
  a.SetColorHigh(100);
  a.SetScaleRangeHigh(120);
  a.SetCaption("degC");
  a.SetCaptionStyle(TFontStyles{TFontStyle::fsItalic, TFontStyle::fsUnderline});
  a.SetCaptionSize(9);
  a.SetColorSclBkgd(clWhite);
  a.SetColorScheme(TColorScheme::csSystem);
  a.SetExtendColors(true);
  a.SetFramedColorScale(false);
  a.SetMarginTop(12);
  a.SetMarginRight(40);
  a.SetMinTicks(6);
  a.SetMouseAction(TMouseActMode::maColorScaleZoomPan);
  a.CrossHair().SetPos(25, 30);
  a.CrossHair().SetMode(TCrossHMode::chHoriz);
  const std::string text = WriteComponentToString(a);

  TColorScale b;
  ReadComponentFromString(b, text);
  EXPECT_EQ(b.Width(), 90);
  EXPECT_EQ(b.Height(), 420);
  EXPECT_EQ(b.Orientation(), TColScaleOrientation::csoVertical);
  EXPECT_EQ(b.ScaleRangeLow(), -50);
  EXPECT_EQ(b.ScaleRangeHigh(), 120);
  EXPECT_EQ(b.Scale().RangeHigh(), 120);
  EXPECT_EQ(b.ColorLow(), 0);
  EXPECT_EQ(b.ColorHigh(), 100);
  EXPECT_EQ(b.Caption(), "degC");
  EXPECT_EQ(b.CaptionStyle(), (TFontStyles{TFontStyle::fsItalic, TFontStyle::fsUnderline}));
  EXPECT_EQ(b.CaptionSize(), 9);
  EXPECT_EQ(b.ColorSclBkgd(), TColor(clWhite));
  EXPECT_EQ(b.ColGrayLine(), a.ColGrayLine());
  EXPECT_TRUE(b.ExtendColors());
  EXPECT_FALSE(b.FramedColorScale());
  EXPECT_EQ(b.MarginTop(), 12);
  EXPECT_EQ(b.MarginRight(), 40);
  EXPECT_EQ(b.Scale().MarginLeft(), 50);  // placed after loading
  EXPECT_EQ(b.Scale().ScaleType(), TScaleType::sctVertRight);
  EXPECT_EQ(b.MinTicks(), 6);
  EXPECT_EQ(b.MouseAction(), TMouseActMode::maColorScaleZoomPan);
  EXPECT_EQ(b.CrossHair().PosX(), 25);
  EXPECT_EQ(b.CrossHair().Mode(), TCrossHMode::chHoriz);
  EXPECT_FALSE(b.ComponentState().Contains(TComponentStateItem::csLoading));
  EXPECT_EQ(WriteComponentToString(b), text);
}

TEST(ColorScaleProperties, ReversedColourRangeSurvivesLoading) {
  // A drag may leave the colour range reversed; the file restores it as it was.
  TColorScale a;
  a.SetScaleRange(30, -20);
  TColorScale b;
  ReadComponentFromString(b, WriteComponentToString(a));
  EXPECT_EQ(b.ColorLow(), 30);
  EXPECT_EQ(b.ColorHigh(), -20);
  EXPECT_EQ(b.ScaleRangeLow(), 30);
  EXPECT_EQ(b.ScaleRangeHigh(), -20);
}

TEST(ColorScaleProperties, GarbageIsRefusedOrCorrected) {
  TColorScale cs;
  EXPECT_THROW(ReadComponentFromString(cs, R"({"class": "TColorScale", "name": "C", "properties": {"Orientation": 2}})"),
               EMivoError);
  EXPECT_THROW(ReadComponentFromString(cs, R"({"class": "TColorScale", "name": "C", "properties": {"ColorLow": "x"}})"),
               EMivoError);
  EXPECT_EQ(cs.Orientation(), TColScaleOrientation::csoHorizontal);
  // Values a setter corrects load corrected; non-finite ones are ignored.
  ReadComponentFromString(cs, R"({"class": "TColorScale", "name": "C", "properties":
      {"MinTicks": 40, "MarginLeft": 1000, "ColorHigh": "NaN", "ScaleRangeLow": "-Inf"}})");
  EXPECT_EQ(cs.MinTicks(), 10);
  EXPECT_EQ(cs.MarginLeft(), 300 - 16 - 1);
  EXPECT_EQ(cs.ColorHigh(), 10);
  EXPECT_EQ(cs.ScaleRangeLow(), -10);
  ReadComponentFromString(cs, R"({"class": "TColorScale", "name": "C", "properties":
      {"CrossHair": {"PosX": "NaN", "PosY": "Inf"}}})");
  EXPECT_EQ(cs.CrossHair().PosX(), 0);
  EXPECT_EQ(cs.CrossHair().PosY(), 0);
}

TEST(ColorScaleProperties, PaletteRegistration) {
  RegisterColorScale();
  RegisterColorScale();
  std::int32_t found = 0;
  for (const std::string& name : PaletteComponents("Mivo")) found += name == "TColorScale";
  EXPECT_EQ(found, 1);
  // A form file may create the control by its class name.
  const auto created = ReadForm(R"({"components": [{"class": "TColorScale", "name": "CS", "properties": {"Caption": "x"}}]})");
  ASSERT_EQ(created.size(), 1u);
  auto* cs = dynamic_cast<TColorScale*>(created[0].get());
  ASSERT_NE(cs, nullptr);
  EXPECT_EQ(cs->Caption(), "x");
}

}  // namespace
}  // namespace mivo
