// Published properties of TScaleGauge: the defaults as registered, a form-file
// round trip, garbage refused, and the palette registration.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "mivo/gauge/gauge.h"
#include "mivo/platform/errors.h"
#include "mivo/platform/properties.h"

namespace mivo {
namespace {

TEST(GaugeProperties, FreshGaugeHasEveryRegisteredDefault) {
  TScaleGauge g;
  EXPECT_TRUE(CheckDefaults(g).empty());
  const auto props = ClassProperties("TScaleGauge");
  auto defaultOf = [&](const std::string& name) {
    for (const auto& p : props)
      if (p.Name == name) return p.Default;
    ADD_FAILURE() << "no property " << name;
    return TJson();
  };
  struct Row {
    const char* Name;
    TJson Default;
  };
  for (const Row& r : std::vector<Row>{{"Value", 0.0},
                                       {"Min", -10.0},
                                       {"Max", 10.0},
                                       {"GaugeZero", 0.0},
                                       {"Logarithmic", false},
                                       {"FixedDial", true},
                                       {"MinTicks", 3},
                                       {"ShortTicks", true},
                                       {"Background", 1},
                                       {"IndexMode", 1},
                                       {"Orientation", 0},
                                       {"ColorBg1", 0x808080},
                                       {"ColorBg2", 0xFFFFFF},
                                       {"ColorIndex1", 0},
                                       {"ColorIndex2", 0x0000FF},
                                       {"ColorCover", 0xC0C0C0},
                                       {"ColorScale", 0},
                                       {"ColorScheme", 0},
                                       {"FrameStyleOuter", 3},
                                       {"FrameStyleInner", 2},
                                       {"MarginLeft", 20},
                                       {"MarginRight", 10},
                                       {"MarginTop", 10},
                                       {"MarginBottom", 20},
                                       {"Caption", ""},
                                       {"CaptionColor", 0},
                                       {"CaptionPosX", 10},
                                       {"CaptionPosY", 10},
                                       {"CaptionSize", 12},
                                       {"CaptionStyle", 1},
                                       {"Enabled", true},
                                       {"Width", 300},
                                       {"Height", 75}})
    EXPECT_EQ(defaultOf(r.Name), r.Default) << r.Name;
}

TEST(GaugeProperties, FormFileRoundTrip) {
  TScaleGauge a;
  a.SetName("Gauge1");
  a.SetBounds(0, 0, 400, 90);
  a.SetMin(1);
  a.SetMax(1000);
  a.SetLogarithmic(true);
  a.SetValue(250);
  a.SetGaugeZero(5);
  a.SetFixedDial(false);
  a.SetMinTicks(0);
  a.SetShortTicks(false);
  a.SetBackground(TGaugeBackground::gbHorizMidBand);
  a.SetIndexMode(TGaugeIndexMode::gimDualColorBand);
  a.SetOrientation(TGaugeOrientation::goVertical);
  a.SetColorIndex2(0x123456);
  a.SetColorScheme(TColorScheme::csSystem);
  a.SetFrameStyleOuter(TFrameStyle::fsEmbossed);
  // Margins that only fit together: the left one is above its limit while the
  // right one still holds its default.
  a.SetMarginRight(2);
  a.SetMarginLeft(378);
  a.SetCaption("Pressure");
  a.SetCaptionStyle(TFontStyles{TFontStyle::fsItalic});
  a.SetEnabled(false);
  const std::string text = WriteComponentToString(a);

  TScaleGauge b;
  ReadComponentFromString(b, text);
  EXPECT_EQ(b.Width(), 400);
  EXPECT_EQ(b.Min(), 1);
  EXPECT_EQ(b.Max(), 1000);
  EXPECT_TRUE(b.Logarithmic());
  EXPECT_TRUE(b.Scale().Logarithmic());
  EXPECT_EQ(b.Value(), 250);
  EXPECT_EQ(b.GaugeZero(), 5);
  EXPECT_FALSE(b.FixedDial());
  EXPECT_EQ(b.MinTicks(), 0);
  EXPECT_FALSE(b.Scale().ShortTicks());
  EXPECT_EQ(b.Background(), TGaugeBackground::gbHorizMidBand);
  EXPECT_EQ(b.IndexMode(), TGaugeIndexMode::gimDualColorBand);
  EXPECT_EQ(b.Orientation(), TGaugeOrientation::goVertical);
  EXPECT_EQ(b.Scale().ScaleType(), TScaleType::sctVertLeft);
  EXPECT_EQ(b.ColorIndex2(), 0x123456u);
  EXPECT_EQ(b.ColGrayLine(), a.ColGrayLine());
  EXPECT_EQ(b.FrameStyleOuter(), TFrameStyle::fsEmbossed);
  EXPECT_EQ(b.MarginLeft(), 378);
  EXPECT_EQ(b.MarginRight(), 2);
  EXPECT_EQ(b.Scale().MarginRight(), 12);
  EXPECT_EQ(b.Caption(), "Pressure");
  EXPECT_FALSE(b.Enabled());
  EXPECT_FALSE(b.ComponentState().Contains(TComponentStateItem::csLoading));
  EXPECT_EQ(WriteComponentToString(b), text);

  // A value outside a range changed after it was set survives the trip too.
  TScaleGauge c;
  c.SetValue(8);
  c.SetMax(5);
  TScaleGauge d;
  ReadComponentFromString(d, WriteComponentToString(c));
  EXPECT_EQ(d.Value(), 8);
}

TEST(GaugeProperties, GarbageIsRefusedAsAWhole) {
  TScaleGauge g;
  for (const char* bad :
       {R"({"class": "TScaleGauge", "name": "G", "properties": {"Value": 3, "IndexMode": 7}})",
        R"({"class": "TScaleGauge", "name": "G", "properties": {"Value": 3, "Background": -1}})",
        R"({"class": "TScaleGauge", "name": "G", "properties": {"Value": 3, "Orientation": 2}})",
        R"({"class": "TScaleGauge", "name": "G", "properties": {"Value": 3, "Min": "ten"}})",
        R"({"class": "TScaleGauge", "name": "G", "properties": {"Value": 3, "Bogus": 1}})"})
    EXPECT_THROW(ReadComponentFromString(g, bad), EMivoError) << bad;
  EXPECT_EQ(g.Value(), 0);
  // Non-finite numbers load as ignored settings.
  ReadComponentFromString(g, R"({"class": "TScaleGauge", "name": "G", "properties": {"Value": "NaN", "Max": "Inf"}})");
  EXPECT_EQ(g.Value(), 0);
  EXPECT_EQ(g.Max(), 10);
}

TEST(GaugeProperties, PaletteRegistration) {
  RegisterGauge();
  RegisterGauge();
  const auto page = PaletteComponents("Mivo");
  EXPECT_EQ(std::count(page.begin(), page.end(), "TScaleGauge"), 1);
  // The palette's class can be created from a form.
  auto made = ReadForm(R"({"components": [{"class": "TScaleGauge", "name": "G", "properties": {"Value": 2}}]})");
  ASSERT_EQ(made.size(), 1u);
  auto* g = dynamic_cast<TScaleGauge*>(made[0].get());
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->Value(), 2);
}

}  // namespace
}  // namespace mivo
