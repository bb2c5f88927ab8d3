// The published box plot: defaults against a new chart, the form-file round
// trip (settings, orientation, ranges and picture), garbage forms and the
// palette entry.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "box_plot_test_util.h"
#include "mivo/charts/box_plot.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/errors.h"
#include "mivo/platform/properties.h"
#include "support/image_compare.h"

namespace mivo {
namespace {

TEST(BoxPlotProps, PublishedDefaultsAreThoseOfANewChart) {
  TBoxPlot::RegisterProperties();
  std::map<std::string, TPropInfo> props;
  for (auto& p : ClassProperties("TBoxPlot")) props[p.Name] = p;
  const std::vector<std::pair<const char*, TJson>> table = {
      {"Orientation", 1},     {"BoxWidth", 0.5},         {"SymbolMin", 26},        {"SymbolMax", 26},
      {"SymbolMean", 5},      {"SymbolMedian", 0},       {"Symbol90Perc", 0},      {"ColorBody", 0xE9E9E9},
      {"ColorLines", 0},      {"ColorMedian", 0},        {"ColorMean", 0xFF0000},  {"Color90Perc", 0xFF0000},
      {"ColorMinMax", 0},     {"Show90Perc", false},     {"ShowMedian", true},     {"ShowMean", true},
      {"ShowMinMax", true},   {"GridStyle", 0},          {"MarginBottom", 24},     {"Caption", "BoxPlot"},
  };
  for (const auto& [name, value] : table) {
    ASSERT_TRUE(props.count(name)) << name;
    EXPECT_EQ(props[name].Default, value) << name;
  }
  EXPECT_EQ(props["GridStyle"].MaxValue, 2);  // the box plot's grid setting, not the chart's
  std::map<std::string, TPropInfo> label;
  for (auto& p : ClassProperties("TBoxPlotLabel")) label[p.Name] = p;
  EXPECT_EQ(label["Position"].Default, 8);
  EXPECT_EQ(label["ColorBkg"].Default, 0xC0C0C0);
  EXPECT_EQ(label["ShadowDy"].Default, 2);
  // A new chart stores nothing but what differs per instance.
  TBoxPlot b;
  for (const std::string& name : CheckDefaults(b)) {
    const bool perInstance = name.rfind("Scale", 0) == 0 || name.rfind("CrossHair", 0) == 0 ||
                             name.rfind("TextLabel", 0) == 0 || name.rfind("Range", 0) == 0;
    EXPECT_TRUE(perInstance) << name;
  }
  EXPECT_TRUE(CheckDefaults(b.Labels()).empty());
}

TEST(BoxPlotProps, FormRoundTripGivesEqualSettingsAndPicture) {
  TBoxPlot a;
  a.SetName("Box1");
  test::ShowBoxPlot(a);
  test::FillColumns(a.Data(), {{1, 4, 9, 16}, {2, 3, 5, 7, 11}, {0, 10}});
  a.SetOrientation(TBoxPlotOrientation::bpltHorizontal);
  a.AutoRange(5);
  a.SetBoxWidth(0.8);
  a.SetSymbolMean(12);
  a.SetSymbolMedian(3);
  a.SetSymbol90Perc(9);
  a.SetShow90Perc(true);
  a.SetShowMinMax(false);
  a.SetColorBody(0xCCFFCC);
  a.SetColorLines(0x400000);
  a.SetColorMedian(0x0000C0);
  a.SetColorMean(0x00C000);
  a.SetColor90Perc(0x808000);
  a.SetColorMinMax(0x404040);
  a.SetGridStyle(TBoxPlotGridStyle::bpgsDotLines);
  a.Labels().SetPosition(-6);
  a.Labels().SetColorBkg(0xFFFFE0);
  a.SetChartCaption("Spread");
  const std::string form = WriteComponentToString(a);

  test::TCountingBoxPlot b;
  test::ShowBoxPlot(b);
  test::FillColumns(b.Data(), {{1, 4, 9, 16}, {2, 3, 5, 7, 11}, {0, 10}});
  b.Paints = 0;
  ReadComponentFromString(b, form);
  EXPECT_EQ(b.Paints, 1);  // once, with the boxes in place
  EXPECT_EQ(WriteComponentToString(b), form);
  EXPECT_EQ(b.Orientation(), TBoxPlotOrientation::bpltHorizontal);
  EXPECT_EQ(b.GridStyle(), TBoxPlotGridStyle::bpgsDotLines);
  EXPECT_EQ(b.ChartGridStyle(), GridStyleType::gsVertDotLines);
  EXPECT_EQ(b.Labels().Position(), -6);
  EXPECT_EQ(b.Scale1X().RangeLow(), a.Scale1X().RangeLow());  // not swapped by the loading
  EXPECT_EQ(b.Scale1Y().RangeHigh(), 4);
  EXPECT_TRUE(b.Scale1X().Visible());
  EXPECT_FALSE(b.Scale1Y().Visible());
  TBitmap pa, pb;
  a.CopyToBitmap(pa, false);
  b.CopyToBitmap(pb, false);
  EXPECT_TRUE(test::ImagesEqual(pa, pb));
}

TEST(BoxPlotProps, GarbageFormsRaiseAndChangeNothing) {
  TBoxPlot b;
  const std::string before = WriteComponentToString(b);
  for (const char* props : {R"({"Orientation": 2})", R"({"GridStyle": 3})", R"({"BoxWidth": "wide"})",
                            R"({"SymbolMin": 300})", R"({"Labels": {"Position": "x"}})", R"({"NoSuch": 1})"}) {
    const std::string form = std::string(R"({"class": "TBoxPlot", "name": "", "properties": )") + props + "}";
    EXPECT_THROW(ReadComponentFromString(b, form), EMivoError) << props;
    EXPECT_EQ(WriteComponentToString(b), before) << props;
  }
}

TEST(BoxPlotProps, TheBoxPlotIsOnTheMivoPaletteAndFormsCreateIt) {
  TBoxPlot::RegisterProperties();
  const auto page = PaletteComponents("Mivo");
  EXPECT_NE(std::find(page.begin(), page.end(), "TBoxPlot"), page.end());
  const std::string form = R"({"components": [{"class": "TBoxPlot", "name": "B", "properties": {"BoxWidth": 0.25}}]})";
  const auto made = ReadForm(form);
  ASSERT_EQ(made.size(), 1u);
  auto* box = dynamic_cast<TBoxPlot*>(made[0].get());
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->BoxWidth(), 0.25);
}

}  // namespace
}  // namespace mivo
