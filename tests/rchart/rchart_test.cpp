// Construction and ResetComp: every default, the painting guards and the
// sub-objects' change notifications.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "mivo/base/color_array.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/host.h"
#include "mivo/platform/properties.h"
#include "mivo/rchart/rchart.h"
#include "rchart_test_util.h"

namespace mivo {
namespace {

TEST(RChartDefaults, ConstructorAndResetCompSetEveryDefault) {
  TCustomRChart c;
  // Size and the margins of the first standard layout.
  EXPECT_EQ(c.Width(), 280);
  EXPECT_EQ(c.Height(), 200);
  EXPECT_EQ(c.MarginLeft(), 50);
  EXPECT_EQ(c.MarginRight(), 20);
  EXPECT_EQ(c.MarginTop(), 20);
  EXPECT_EQ(c.MarginBottom(), 40);
  EXPECT_EQ(c.ShadowWidth(), 0);
  EXPECT_EQ(c.StandardLayout(), TrcLayout::rcl_X1Bottom_Y1Left);
  EXPECT_EQ(c.GrafBmp().Width(), 211);
  EXPECT_EQ(c.GrafBmp().Height(), 141);
  // Drawing state.
  EXPECT_EQ(c.DataColor(), 0u);
  EXPECT_EQ(c.PenStyle(), TPenStyle::psSolid);
  EXPECT_EQ(c.LineWidth(), 1);
  EXPECT_EQ(c.FillColor(), 0xC0C0C0u);
  EXPECT_FALSE(c.TransparentItems());
  EXPECT_EQ(c.ClassDefault(), 0);
  EXPECT_EQ(c.DataTag(), 0);
  EXPECT_EQ(c.ActiveLayer(), 1);
  EXPECT_EQ(c.TextAlignment(), TAlignment::taCenter);
  EXPECT_EQ(c.TextBkStyle(), TTextBkg::tbClear);
  EXPECT_EQ(c.TextBkColor(), clWhite);
  EXPECT_TRUE(c.TextFontStyle().Empty());
  EXPECT_TRUE(c.GetLayerVisib(1));
  EXPECT_TRUE(c.GetLayerVisib(2));
  for (int cls = 0; cls < 256; ++cls) ASSERT_TRUE(c.GetClassVisib(std::uint8_t(cls)));
  EXPECT_TRUE(c.GetMAffLayer(1));
  EXPECT_FALSE(c.GetMAffLayer(2));
  EXPECT_FALSE(c.AvoidDuplicateMarks());
  EXPECT_EQ(c.MinDupMarkDist(), 1);
  // Frame.
  EXPECT_EQ(c.WindColor(), 0xFF00000Fu);
  EXPECT_EQ(c.ChartColor(), 0xFFFFFFu);
  EXPECT_EQ(c.ChartFrameColor(), 0u);
  EXPECT_EQ(c.ShadowColor(), 0xFF000011u);
  EXPECT_EQ(c.ShadowBakColor(), 0xFF00000Fu);
  EXPECT_EQ(c.ShadowStyle(), TShadowStyle::ssFlying);
  EXPECT_EQ(c.Caption(), "");
  EXPECT_EQ(c.CaptionPosX(), 0);
  EXPECT_EQ(c.CaptionPosY(), -16);
  EXPECT_EQ(c.CaptionAlignment(), TAlignment::taRightJustify);
  EXPECT_EQ(c.CaptionAnchorHoriz(), TCaptionAnchorHoriz::cahChartRight);
  EXPECT_EQ(c.CaptionAnchorVert(), TCaptionAnchorVert::cavChartTop);
  EXPECT_EQ(c.GridStyle(), GridStyleType::gsNone);
  EXPECT_EQ(c.GridDx(), 0);
  EXPECT_EQ(c.GridDy(), 0);
  EXPECT_EQ(c.GridColor(), 0u);
  EXPECT_TRUE(c.AutoRedraw());
  EXPECT_FALSE(c.Isometric());
  // Mouse.
  EXPECT_EQ(c.MouseAction(), TMouseActMode::maNone);
  EXPECT_TRUE(c.MouseCursorFixed());
  EXPECT_EQ(c.PanGridDx(), 1.0);
  EXPECT_EQ(c.PanGridDy(), 1.0);
  EXPECT_EQ(c.ZoomState(), TZoomState::zsIdle);
  EXPECT_EQ(c.MouseBoxState(), TMouseBoxState::mbsIdle);
  EXPECT_EQ(c.NumMTracePoints(), 0);
  EXPECT_EQ(c.MouseTraceColor(), clWhite);
  EXPECT_TRUE(c.MouseTraceInvert());
  // Crosshairs and text labels.
  for (int i = 1; i <= 4; ++i) {
    const TCrossHair& ch = c.CrossHair(i);
    EXPECT_EQ(ch.Layer(), i);
    EXPECT_EQ(ch.Color(), 255u);
    EXPECT_EQ(ch.Mode(), TCrossHMode::chOff);
    EXPECT_EQ(ch.LineType(), TPenStyle::psDashDotDot);
    EXPECT_EQ(ch.LineWidth(), 1);
    EXPECT_EQ(ch.PosX(), 0);
  }
  for (int i = 1; i <= 30; ++i) {
    const TTextLabel& tl = c.TextLabels(i);
    EXPECT_EQ(tl.Layer(), 1);
    EXPECT_EQ(tl.Alignment(), TAlignment::taCenter);
    EXPECT_EQ(tl.VerticalAlignment(), TVerticalAlignment::vaBottom);
    EXPECT_EQ(tl.ColorShadow(), 0x808080u);
    EXPECT_EQ(tl.ShadowDx(), 3);
    EXPECT_FALSE(tl.Visible());
    EXPECT_EQ(tl.Mode(), TTxtLblMode::tlOff);
  }
  // Scales: ranges 0 ... 1, X1 and Y1 visible, colours from the predefined table.
  for (int i = 1; i <= 2; ++i) {
    EXPECT_EQ(c.ScalePropsX(i).RangeLow(), 0);
    EXPECT_EQ(c.ScalePropsX(i).RangeHigh(), 1);
    EXPECT_EQ(c.ScalePropsY(i).MinRange(), 1e-10);
    EXPECT_EQ(c.ScalePropsX(i).ColorScale(), PredefinedColors[std::size_t(i - 1)]);
    EXPECT_EQ(c.ScalePropsY(i).ColorScale(), PredefinedColors[std::size_t(i - 1)]);
    EXPECT_EQ(c.ScalePropsX(i).Visible(), i == 1);
    EXPECT_EQ(c.ScalePropsY(i).Visible(), i == 1);
    EXPECT_EQ(c.ScaleX(i).Name(), "RC_FScale_X_" + std::to_string(i));
    EXPECT_EQ(c.ScaleY(i).Name(), "RC_FScale_Y_" + std::to_string(i));
    EXPECT_TRUE(c.ScaleX(i).IsHelper());
    EXPECT_TRUE(c.ScaleX(i).Transparent());
    EXPECT_EQ(c.JointLayers().GetControlledLayerX(i), i);
    EXPECT_EQ(c.JointLayers().GetControlledLayerY(i), i);
  }
  EXPECT_EQ(c.BackGroundImg().FillMode(), TBkgFill::bfStretch);
  EXPECT_EQ(c.BackGroundImg().AreaColor(), 0xDDDDDDu);
  EXPECT_EQ(c.BackGroundImg().AreaLeft(), -1);
  // Zoom history: the current state in slot 1.
  EXPECT_EQ(c.ZoomStackPointer(), 2);
  EXPECT_EQ(c.GetZoomStackEntry(1, 0), (TRectDouble{0, 1, 1, 0}));
  // The panning and zooming cursors are registered as application cursors 1 ... 4.
  for (int id = 1; id <= 4; ++id) EXPECT_NE(Host().RegisteredCursor(id), nullptr) << id;
  // The chart starts drawing only once it has a window.
  EXPECT_TRUE(c.SuppressPaint());
  c.HandleNeeded();
  EXPECT_FALSE(c.SuppressPaint());
}

TEST(RChartDefaults, ResetCompRestoresChangedSettings) {
  test::TCountingChart c;
  c.SetSuppressPaint(false);
  c.MarkAt(1, 2, 3);
  c.SetDataCol(7);
  c.SetLRim(5);
  c.SetGridStyle(GridStyleType::gsLines);
  c.CrossHair(2).SetColor(0x00FF00);
  c.ScalePropsX(1).SetRangeHigh(50);
  c.JointLayers().SetControlledLayerX(2, 1);
  const std::int32_t paints = c.Paints;
  c.ResetComp();
  EXPECT_EQ(c.Paints, paints);  // painting is left to the caller
  EXPECT_FALSE(c.SuppressPaint());
  EXPECT_EQ(c.NumItems(), 0);
  EXPECT_EQ(c.DataColor(), 0u);
  EXPECT_EQ(c.MarginLeft(), 50);
  EXPECT_EQ(c.GridStyle(), GridStyleType::gsNone);
  EXPECT_EQ(c.CrossHair(2).Color(), 255u);
  EXPECT_EQ(c.ScalePropsX(1).RangeHigh(), 1);
  EXPECT_EQ(c.JointLayers().GetControlledLayerX(2), 2);
  // Sub-objects still notify the chart after a reset.
  c.Paints = 0;
  c.CrossHair(1).SetPosX(5);
  c.TextLabels(3).SetCaption("x");
  c.BackGroundImg().SetAreaColor(1);
  EXPECT_EQ(c.Paints, 3);
}

// A new chart, and a chart reset after its settings were changed, holds the
// registered default of every published property and the default layer and
// class settings: the defaults have one home.
TEST(RChartDefaults, NewAndResetChartsHoldTheRegisteredDefaults) {
  const std::vector<std::pair<std::string, std::function<void(TCustomRChart&)>>> changes{
      {"nothing", [](TCustomRChart&) {}},
      {"frame colours",
       [](TCustomRChart& c) {
         c.SetWindColor(1);
         c.SetChartColor(2);
         c.SetChartFrameColor(3);
         c.SetShadowColor(4);
         c.SetShadowBakColor(5);
         c.SetShadowStyle(TShadowStyle::ssDrop);
       }},
      {"margins and shadow",
       [](TCustomRChart& c) {
         c.SetMarginRight(3);
         c.SetMarginBottom(7);
         c.SetShadowWidth(5);
         c.SetIsometric(true);
       }},
      {"caption and grid",
       [](TCustomRChart& c) {
         c.SetCaption("x");
         c.SetCaptionPosY(3);
         c.SetCaptionAlignment(TAlignment::taLeftJustify);
         c.SetGridStyle(GridStyleType::gsLines);
         c.SetGridColor(5);
         c.SetGridDx(2);
       }},
      {"drawing state",
       [](TCustomRChart& c) {
         c.SetDataColor(5);
         c.SetPenStyle(TPenStyle::psDot);
         c.SetLineWidth(3);
         c.SetFillColor(1);
         c.SetTextBkColor(2);
         c.SetTextAlignment(TAlignment::taLeftJustify);
         c.SetClassDefault(9);
       }},
      {"mouse",
       [](TCustomRChart& c) {
         c.SetMouseAction(TMouseActMode::maPan);
         c.SetMouseCursorFixed(false);
         c.SetPanGridDx(3);
         c.SetMouseTraceColor(7);
         c.SetMouseTraceInvert(false);
         c.SetMouseWheelZoom(true);
       }},
      {"layers and classes",
       [](TCustomRChart& c) {
         c.SetActiveLayer(2);
         c.SetLayerVisible(1, false);
         c.SetMouseAffectsLayer(2, true);
         c.SetClassVisible(7, false);
         c.SetAvoidDuplicateMarks(true);
         c.SetMinDupMarkDist(3);
         c.SetAutoRedraw(false);
       }},
  };
  for (const auto& [what, change] : changes) {
    SCOPED_TRACE(what);
    TCustomRChart c;
    change(c);
    c.ResetComp();
    // The chart's own properties (its sub-objects have defaults of their own).
    std::vector<std::string> changed;
    for (const std::string& name : CheckDefaults(c))
      if (name.find('.') == std::string::npos) changed.push_back(name);
    EXPECT_TRUE(changed.empty()) << ::testing::PrintToString(changed);
    EXPECT_EQ(c.ActiveLayer(), 1);
    EXPECT_TRUE(c.LayerVisible(1) && c.LayerVisible(2));
    EXPECT_TRUE(c.MouseAffectsLayer(1));
    EXPECT_FALSE(c.MouseAffectsLayer(2));
    for (int cls = 0; cls < 256; ++cls) EXPECT_TRUE(c.ClassVisible(std::uint8_t(cls))) << cls;
  }
}

TEST(RChartDefaults, PaintIsGuarded) {
  test::TCountingChart c;
  c.Paint();
  EXPECT_EQ(c.Paints, 0);  // suppressed after construction
  c.SetSuppressPaint(false);
  EXPECT_EQ(c.Paints, 1);  // enabling paints once
  c.SetSuppressPaint(false);
  EXPECT_EQ(c.Paints, 1);
  c.SetVisible(false);
  c.Paint();
  EXPECT_EQ(c.Paints, 1);
  c.SetDesigning(true);
  c.Paint();
  EXPECT_EQ(c.Paints, 2);  // designing paints even when invisible
  c.BeginLoading();
  c.Paint();
  EXPECT_EQ(c.Paints, 2);
}

TEST(RChartDefaults, FrameSettersStoreAndRedraw) {
  test::TCountingChart c;
  c.SetSuppressPaint(false);
  c.Paints = 0;
  c.SetWindCol(1);
  c.SetChartCol(2);
  c.SetScaleCol(3);
  c.SetShadowStyle(TShadowStyle::ssDrop);
  c.SetShadowColor(4);
  c.SetShadowBakColor(5);
  c.SetChartCaption("Title");
  c.SetCaptPosX(6);
  c.SetCaptPosY(7);
  c.SetCaptAlignment(TAlignment::taCenter);
  c.SetCaptAnchorX(TCaptionAnchorHoriz::cahControlLeft);
  c.SetCaptAnchorY(TCaptionAnchorVert::cavControlBottom);
  c.SetGridStyle(GridStyleType::gsDotLines);
  c.SetGridCol(8);
  c.SetGridDx(0.5);
  c.SetGridDy(-3);
  EXPECT_EQ(c.Paints, 16);
  // Grid steps below -3 and non-finite ones are ignored without a repaint.
  c.SetGridDx(-3.5);
  c.SetGridDy(std::nan(""));
  EXPECT_EQ(c.Paints, 16);
  EXPECT_EQ(c.GridDx(), 0.5);
  EXPECT_EQ(c.GridDy(), -3);
  EXPECT_EQ(c.Caption(), "Title");
  EXPECT_EQ(c.CaptionAnchorVert(), TCaptionAnchorVert::cavControlBottom);
}

TEST(RChartDefaults, HelpersForwardScaleEventsAndTexts) {
  TCustomRChart c;
  TObject* sender = nullptr;
  double pos = 0;
  c.OnBeforeTickLabel = [&](TObject& s, TScaleType, double p, std::string& label) {
    sender = &s;
    pos = p;
    label = "changed";
  };
  std::string label = "x";
  c.DoOnBeforeTickLabel(c.ScaleX(1), TScaleType::sctHorzDown, 2.5, label);
  EXPECT_EQ(sender, &c);
  EXPECT_EQ(pos, 2.5);
  EXPECT_EQ(label, "changed");

  EXPECT_EQ(TCustomRChart::ExtractUserText("a|b|c", 2), "b");
  EXPECT_EQ(TCustomRChart::ExtractUserText("a|b|c", 4), "c");
  EXPECT_EQ(TCustomRChart::ExtractUserText("a|b|c", 0), "");
  EXPECT_EQ(TCustomRChart::ExtractUserText("a|b|c", -1), "");
  EXPECT_EQ(TCustomRChart::ExtractUserText("a|", 2), "");
  EXPECT_EQ(TCustomRChart::AddScaleInscription("x1000", "Voltage [&V]"), "Voltage [x1000V]");
  EXPECT_EQ(TCustomRChart::AddScaleInscription("", "Voltage"), "");
  EXPECT_EQ(TCustomRChart::AddScaleInscription("k", "Ohm "), "Ohm k");
  EXPECT_EQ(RCSpecStrf(1234.6, 10, -1), " 1.235E+03");
  EXPECT_EQ(RCSpecStrf(-2.5, 8, 2), "   -2.50");
}

}  // namespace
}  // namespace mivo
