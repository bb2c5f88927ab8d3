// The published chart: its defaults, its form-file round trip (settings and
// picture), garbage forms, its palette entry, the window's first paint and
// the indexed scale settings.
#include "mivo/rchart/trchart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/properties.h"
#include "rchart_test_util.h"
#include "support/image_compare.h"

namespace mivo {
namespace {

std::map<std::string, TPropInfo> PropsByName() {
  TRChart::RegisterProperties();
  std::map<std::string, TPropInfo> m;
  for (auto& p : ClassProperties("TRChart")) m[p.Name] = p;
  return m;
}

TEST(TRChart, PublishedDefaultsAreThoseOfANewChart) {
  struct TRow {
    const char* Name;
    TJson Value;
  };
  // Enumerations and sets as ordinals and bits, colours as numbers.
  const std::vector<TRow> table = {
      {"Width", 280},
      {"Height", 200},
      {"AvoidDuplicateMarks", false},
      {"AllocSize", 1000},
      {"AutoRedraw", true},
      // The margins of a new chart (its standard layout), not those the
      // constructor sets before it: a margin of 10, 16 or 32 must survive a
      // round trip.
      {"MarginLeft", 50},
      {"MarginRight", 20},
      {"MarginTop", 20},
      {"MarginBottom", 40},
      {"LRim", 50},
      {"RRim", 20},
      {"TRim", 20},
      {"BRim", 40},
      {"MinDupMarkDist", 1},
      {"ClassDefault", 0},
      {"GridStyle", 0},
      {"GridDx", 0.0},
      {"GridDy", 0.0},
      {"Isometric", false},
      {"DataColor", 0},
      {"PenStyle", 0},
      {"ChartFrameColor", 0},
      {"FillColor", 0xC0C0C0},
      {"ChartColor", 0xFFFFFF},
      {"WindColor", 0xFF00000Fu},
      {"GridColor", 0},
      {"LineWidth", 1},
      {"Caption", ""},
      {"CaptionPosX", 0},
      {"CaptionPosY", -16},
      {"CaptionAlignment", 1},    // right-justified
      {"CaptionAnchorHoriz", 3},  // cahChartRight
      {"CaptionAnchorVert", 1},   // cavChartTop
      {"MouseTraceColor", 0xFFFFFF},
      {"MouseTraceInvert", true},
      {"MouseAction", 0},
      {"MouseCursorFixed", true},
      {"PanGridDx", 1.0},
      {"PanGridDy", 1.0},
      {"ShadowWidth", 0},
      {"ShadowStyle", 0},
      {"ShadowColor", 0xFF000011u},
      {"ShadowBakColor", 0xFF00000Fu},
      {"TextFontStyle", 0},
      {"TextBkStyle", 0},  // tbClear
      {"TextBkColor", 0xFFFFFF},
      {"TextAlignment", 2},  // centred
  };
  const auto props = PropsByName();
  TRChart c;
  for (const auto& row : table) {
    SCOPED_TRACE(row.Name);
    const auto it = props.find(row.Name);
    ASSERT_NE(it, props.end());
    EXPECT_EQ(it->second.Default, row.Value);
    EXPECT_EQ(it->second.Get(c), row.Value);
  }
  // The nested groups are published; the layout, the run-time state and the
  // sharing link are not stored as such.
  for (const char* name : {"CrossHair1", "CrossHair4", "Scale1X", "Scale2X", "Scale1Y", "Scale2Y", "JointLayers",
                           "BackGroundImg", "TextLabel1", "TextLabel30"}) {
    ASSERT_TRUE(props.count(name)) << name;
    EXPECT_EQ(props.at(name).Kind, TPropKind::pkObject) << name;
  }
  for (const char* name : {"StandardLayout", "ActiveLayer", "SuppressPaint", "DataTag", "TransparentItems"})
    EXPECT_FALSE(props.count(name)) << name;
  // A new chart writes only the nested settings that differ between its
  // scales and crosshairs, never a plain property.
  for (const std::string& d : CheckDefaults(c)) EXPECT_NE(d.find('.'), std::string::npos) << d;
}

// Items are not part of a form: both charts get the same ones.
void AddData(TRChart& c) {
  c.SetDataCol(clNavy);
  c.SetLineWid(2);
  for (int i = 0; i <= 60; ++i) {
    const double x = 1 + i * 0.15;
    if (i == 0) c.MoveTo(x, std::sin(x));
    else c.DrawTo(x, std::sin(x));
  }
  c.SetDataCol(clRed);
  for (int i = 0; i <= 8; ++i) c.MarkAt(1 + i, std::cos(i), 3);
  c.SetActiveLayer(2);
  c.SetFillCol(clYellow);
  c.Rectangle(2, 20, 4, 60);
  c.Text(6, 50, 10, "layer 2");
  c.SetActiveLayer(1);
}

std::string WriteBackgroundImage() {
  TBitmap img;
  img.SetSize(12, 9);
  for (std::int32_t y = 0; y < img.Height(); ++y)
    for (std::int32_t x = 0; x < img.Width(); ++x)
      img.ScanLine(y)[x] = TRGB32{std::uint8_t(20 * x), std::uint8_t(25 * y), 200, 255};
  const std::string path = test::TempPath("trchart_tile.bmp");
  img.SaveToBMP(path);
  return path;
}

TEST(TRChart, FormRoundTripGivesEqualSettingsAndPicture) {
  TRChart a;
  a.SetName("Chart1");
  a.SetBounds(0, 0, 420, 320);
  a.SetStdLayout(TrcLayout::rcl_X2Both_Y2Both);
  a.SetLRim(70);
  a.SetRRim(10);  // equal to a constructor margin, still stored
  a.SetF3DRim(4);
  a.SetShadowStyle(TShadowStyle::ssDrop);
  a.SetShadowColor(0x404040);
  a.SetShadowBakColor(0xE0E0E0);
  a.SetWindColor(0xF0F0F0);
  a.SetChartColor(0xFFFFF0);
  a.SetChartFrameColor(0x800000);
  a.SetGridStyle(GridStyleType::gsDotLines);
  a.SetGridColor(0x808080);
  a.SetGridDx(0.5);
  a.SetChartCaption("Response");
  a.SetCaptAnchorX(TCaptionAnchorHoriz::cahChartCenter);
  a.SetCaptAlignment(TAlignment::taCenter);
  a.SetCaptPosY(-20);
  a.SetTextBkStyle(TTextBkg::tbSolid);
  a.SetTextBkColor(0xCCFFCC);
  a.SetMouseAction(TMouseActMode::maPanGrid);
  a.SetPanGridDx(0.5);
  a.SetMouseTraceColor(clLime);
  a.SetClassDefault(7);
  a.SetAllocSize(256);
  // All four axes.
  a.SetRange(1, 1, -1.5, 10, 1.5);
  a.SetRange(2, 1, 1, 10, 100);
  a.ScalePropsX(1).SetCaption("t [s]");
  a.ScalePropsX(1).SetDecPlaces(1);
  a.ScalePropsX(2).SetLabelType(TFigType::ftNoFigs);
  a.ScalePropsX(2).SetScalePos(6);
  a.ScalePropsY(1).SetMinTicks(6);
  a.ScalePropsY(1).SetShortTicks(false);
  a.ScalePropsY(2).SetLogAx(true);
  a.ScalePropsY(2).SetCaption("gain");
  a.ScalePropsY(2).SetColorScale(clGreen);
  a.ScalePropsY(2).SetScaleInscript("x&");
  // Layer 2 follows layer 1 in x.
  a.JointLayers().SetControlledLayerX(2, 1);
  // A tiled background image.
  a.BackGroundImg().SetIncldPath(true);
  a.BackGroundImg().SetName(WriteBackgroundImage());
  a.BackGroundImg().SetFillMode(TBkgFill::bfTile);
  // Crosshairs and text labels.
  a.CrossHairSetup(1, clBlue, TCrossHMode::chBoth, TPenStyle::psDot, 1);
  a.CrossHairSetPos(1, 4, 0.5);
  a.CrossHairSetup(3, clFuchsia, TCrossHMode::chSmallCross, TPenStyle::psSolid, 2);
  a.CrossHairSetPos(3, 7, -0.5);
  a.CrossHair(3).SetLayer(2);
  ASSERT_EQ(a.AddTextLabel(5, 1, clBlack, "peak", 0), 1);
  a.TextLabels(1).SetMode(TTxtLblMode::tlShadow);
  a.TextLabels(1).SetAttachToData(TTxtLblAttachMode::tamBoth);
  a.SetTextLabel(12, 30, 40, clMaroon, "fixed", 1);
  a.TextLabels(12).SetAttachToData(TTxtLblAttachMode::tamNone);
  a.TextLabels(12).SetTransparent(true);

  const std::string form = WriteFormToString({&a});
  auto loaded = ReadForm(form);
  ASSERT_EQ(loaded.size(), 1u);
  auto* b = dynamic_cast<TRChart*>(loaded[0].get());
  ASSERT_NE(b, nullptr);  // created from the registered class
  EXPECT_EQ(b->Name(), "Chart1");
  EXPECT_EQ(WriteFormToString({b}), form);
  EXPECT_EQ(b->MarginRight(), 10);  // stored although the constructor uses it too
  // The loaded chart's mapping is that of the original.
  for (std::int32_t layer = 1; layer <= 2; ++layer) {
    std::int32_t ax = 0, ay = 0, bx = 0, by = 0;
    a.R2M(layer, 5, 2, ax, ay);
    b->R2M(layer, 5, 2, bx, by);
    EXPECT_EQ(ax, bx);
    EXPECT_EQ(ay, by);
  }

  AddData(a);
  AddData(*b);
  a.Dispatch(TMessage{});  // the first paint message creates the window
  b->Dispatch(TMessage{});
  ASSERT_TRUE(b->HandleAllocated());
  EXPECT_TRUE(test::ImagesEqual(a.Surface(), b->Surface(), "trchart_roundtrip"));
  // Equal pictures prove little when both are empty: the line and the tiled
  // image are on them.
  std::int64_t navy = 0, tile = 0;
  const TBitmap& s = b->Surface();
  for (std::int32_t y = 0; y < s.Height(); ++y)
    for (std::int32_t x = 0; x < s.Width(); ++x) {
      const TRGB32 p = s.ScanLine(y)[x];
      navy += p.R == 0 && p.G == 0 && p.B == 128;
      tile += p.R == 200 && p.G % 25 == 0 && p.B % 20 == 0;
    }
  EXPECT_GT(navy, 50);
  EXPECT_GT(tile, 1000);
}

TEST(TRChart, GarbageFormsAreRefusedOrClamped) {
  const auto form = [](const std::string& props) {
    return R"({"class": "TRChart", "name": "C", "properties": )" + props + "}";
  };
  // Refused by the reader: the chart is left exactly as it was.
  for (const char* props : {
           R"({"GridStyle": 8})",
           R"({"ShadowStyle": -1})",
           R"({"AllocSize": "many"})",
           R"({"MarginLeft": 1e300})",
           R"({"MarginTop": 3000000000})",
           R"({"LineWidth": 300})",
           R"({"ClassDefault": -1})",
           R"({"Caption": 5})",
           R"({"GridDx": "lots"})",
           R"({"NoSuchProperty": 1})",
           R"({"TextLabel31": {}})",
           R"({"Scale1X": {"LabelType": 7}})",
           R"({"Scale2Y": {"RangeLow": [1, 2]}})",
           R"({"CrossHair1": {"Mode": 200}})",
           R"({"JointLayers": {"L02xControlledBy": 0}})",
           R"({"BackGroundImg": {"AreaMode": 11}})",
           R"({"ChartColor": 1, "MouseAction": 19})",
       }) {
    SCOPED_TRACE(props);
    TRChart c;
    c.SetChartCaption("kept");
    const std::string before = WriteComponentToString(c);
    EXPECT_THROW(ReadComponentFromString(c, form(props)), EMivoError);
    EXPECT_EQ(WriteComponentToString(c), before);
    EXPECT_FALSE(c.ComponentState().Contains(TComponentStateItem::csLoading));
  }
  // Accepted, with the values confined or ignored by the setters; the chart
  // paints afterwards.
  TRChart c;
  c.SetName("C");
  ReadComponentFromString(c, form(R"({
      "Width": 100000, "Height": -5, "ShadowWidth": 1000000, "MinDupMarkDist": 99, "AllocSize": 0,
      "GridDx": "NaN", "GridDy": -7, "PanGridDx": "-Inf", "CaptionPosX": -2147483648,
      "MarginRight": 100000, "MarginBottom": -2000000000,
      "Scale1X": {"RangeLow": "NaN", "RangeHigh": "Inf", "MinRange": "-Inf", "DecPlaces": 1000},
      "Scale1Y": {"RangeLow": -1e308, "RangeHigh": 1e308, "MinTicks": 2147483647},
      "CrossHair2": {"PosX": "Inf", "PosY": "NaN", "Mode": 3, "LineWidth": 2147483647},
      "TextLabel3": {"PosX": 1e308, "PosY": "-Inf", "Mode": 2, "Visible": true, "Caption": "far"},
      "BackGroundImg": {"Name": "/no/such/image.bmp", "AreaMode": 7, "AreaLeft": "NaN", "AreaRight": 1e308}
  })"));
  EXPECT_EQ(c.ShadowWidth(), 32);
  EXPECT_EQ(c.MinDupMarkDist(), 3);
  EXPECT_EQ(c.AllocSize(), 1000);
  EXPECT_EQ(c.GridDx(), 0);
  EXPECT_EQ(c.GridDy(), 0);
  EXPECT_EQ(c.ScalePropsX(1).DecPlaces(), 12);
  EXPECT_TRUE(std::isfinite(c.ScalePropsX(1).RangeLow()));
  EXPECT_TRUE(std::isfinite(c.ScalePropsX(1).RangeHigh()));
  EXPECT_GE(c.Height(), 0);
  c.SetBounds(0, 0, 300, 200);
  c.Dispatch(TMessage{});
  EXPECT_TRUE(c.HandleAllocated());
  EXPECT_EQ(c.BackGroundImg().Name(), "");  // the unreadable image is dropped
  // A form that nests deeper than any real one is refused without recursion.
  TRChart d;
  std::string deep = form(std::string(5000, '[') + std::string(5000, ']'));
  EXPECT_THROW(ReadComponentFromString(d, deep), EMivoError);
}

TEST(TRChart, PaintsOnlyOnceItHasAWindow) {
  TRChart c;
  std::int32_t paints = 0;  // every paint that gets past the guards renders the scales
  c.OnScalesRendered = [&](TObject&, TCanvas&, std::int32_t, std::int32_t) { ++paints; };
  // Setters and showing items do not paint before the window exists.
  c.SetChartCol(0x00FFFF);
  c.SetChartCaption("no window");
  c.MarkAt(0.5, 0.5, 3);
  c.ShowGraf();
  c.SetRange(1, 0, 0, 1, 1);
  EXPECT_EQ(paints, 0);
  EXPECT_FALSE(c.HandleAllocated());
  EXPECT_TRUE(c.SuppressPaint());
  // The window's creation itself does not paint; the first paint message does.
  c.HandleNeeded();
  EXPECT_FALSE(c.SuppressPaint());
  EXPECT_EQ(paints, 0);
  c.Dispatch(TMessage{});
  EXPECT_EQ(paints, 1);
  const TRGB32 p = c.Surface().ScanLine(100)[150];  // inside the data area
  EXPECT_EQ(TColor(p.R | p.G << 8 | p.B << 16), 0x00FFFFu);
  // From now on setters repaint.
  c.SetChartCol(clWhite);
  EXPECT_EQ(paints, 2);
  // SetBounds forwards: the chart and its bitmaps follow the size.
  c.SetBounds(0, 0, 360, 240);
  EXPECT_EQ(c.Width(), 360);
  EXPECT_EQ(c.DataAreaWidth(), 360 - c.MarginLeft() - c.MarginRight() + 1);
  c.Dispatch(TMessage{});
  EXPECT_EQ(c.ChartBmp().Width(), 360);
  EXPECT_EQ(c.Surface().Height(), 240);
}

TEST(TRChart, IndexedScaleSettingsAndPalette) {
  TRChart c;
  TScalePropsHoriz hx;
  hx.SetRangeLow(-4);
  hx.SetRangeHigh(4);
  hx.SetCaption("x2");
  TScalePropsVert vy;
  vy.SetRangeLow(10);
  vy.SetRangeHigh(20);
  // Outside 1 ... 2 the getters give scale 1 and the setters do nothing.
  for (std::int32_t ix : {0, 3, -1, 1000}) {
    EXPECT_EQ(&c.ScalePropsX(ix), &c.Scale1X());
    EXPECT_EQ(&c.GetScalePropsY(ix), &c.Scale1Y());
    c.SetScalePropsX(ix, hx);
    c.SetScalePropsY(ix, vy);
  }
  EXPECT_EQ(&c.ScalePropsX(2), &c.Scale2X());
  EXPECT_EQ(c.Scale1X().RangeHigh(), 1);
  EXPECT_EQ(c.Scale2X().RangeHigh(), 1);
  EXPECT_EQ(c.Scale1Y().RangeHigh(), 1);
  // Inside they copy the settings (not the object) and the chart follows.
  c.SetScalePropsX2(hx);
  c.SetScalePropsY(1, vy);
  EXPECT_NE(&c.GetScalePropsX2(), &hx);
  EXPECT_EQ(c.Scale2X().Caption(), "x2");
  EXPECT_EQ(c.ScaleX(2).Caption(), "x2");
  EXPECT_EQ(c.ScalePropsY(1).RangeLow(), 10);
  std::int32_t px = 0, py = 0;
  c.R2M(1, 0, 20, px, py);
  EXPECT_EQ(py, c.MarginTop());  // the top of the y range at the top of the data area
  // The class sits on the palette page once however many charts exist.
  TRChart more;
  const auto page = PaletteComponents("Mivo");
  EXPECT_EQ(std::count(page.begin(), page.end(), "TRChart"), 1);
}

}  // namespace
}  // namespace mivo
