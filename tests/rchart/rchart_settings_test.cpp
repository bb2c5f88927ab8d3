// Settings objects: axis range rules, joint layers, the background settings,
// and how the chart's internal scales follow them.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "mivo/platform/properties.h"

#include "mivo/rchart/rchart.h"
#include "mivo/rchart/rchart_settings.h"
#include "rchart_test_util.h"

namespace mivo {
namespace {

TEST(RChartScaleProps, RangeSettersKeepTheMinimumWidth) {
  TScaleProps p;
  p.SetRangeHigh(0.5);
  p.SetRangeLow(0.5);
  EXPECT_EQ(p.RangeLow(), 0.5);
  EXPECT_EQ(p.RangeHigh(), 0.5 + 1e-10);
  p.SetRangeHigh(p.RangeLow());
  EXPECT_EQ(p.RangeHigh(), 0.5);
  EXPECT_EQ(p.RangeLow(), 0.5 - 1e-10);
  // Where the minimum width is lost in the value's precision the other bound
  // still moves, so the range never becomes empty.
  p.SetRangeLow(1e10);
  p.SetRangeHigh(1e10);
  EXPECT_LT(p.RangeLow(), p.RangeHigh());
  // Non-finite values are ignored.
  p.SetRangeLow(NAN);
  p.SetRangeHigh(HUGE_VAL);
  EXPECT_EQ(p.RangeHigh(), 1e10);
  EXPECT_TRUE(std::isfinite(p.RangeLow()));
}

TEST(RChartScaleProps, LogarithmicRules) {
  TCustomRChart c;  // owned settings are checked at once for a chart made in code
  TScaleProps& p = c.ScalePropsX(1);
  p.SetRangeLow(-1);
  p.SetRangeHigh(10);
  p.SetLogAx(true);
  EXPECT_FALSE(p.Logarithmic());
  p.SetRangeLow(1);
  p.SetLogAx(true);
  EXPECT_TRUE(p.Logarithmic());
  p.SetRangeLow(0);
  EXPECT_EQ(p.RangeLow(), 1);
  p.SetRangeHigh(-3);
  EXPECT_EQ(p.RangeHigh(), 10);
  p.SetLabelType(TFigType::ftDateTime);
  EXPECT_FALSE(p.Logarithmic());
  p.SetLogAx(true);
  EXPECT_FALSE(p.Logarithmic());  // not for date/time labels
  p.SetLabelType(TFigType::ftTime);
  EXPECT_EQ(p.DecPlaces(), 4);

  EXPECT_EQ(p.LogRefusal(), "A date/time axis cannot be logarithmic.");
  // The chart's own axes tell the caller why a switch was refused.
  c.Scale1Y().SetRangeLow(-1.05);
  c.Scale1Y().SetRangeHigh(1.05);
  c.Scale1Y().SetLogarithmic(true);
  EXPECT_FALSE(c.Scale1Y().Logarithmic());
  EXPECT_EQ(c.Scale1Y().LogRefusal(),
            "A logarithmic axis needs both range ends >= 1e-100; the range is -1.05 ... 1.05.");
  c.Scale1Y().SetRangeLow(0.5);
  c.Scale1Y().SetLogarithmic(true);
  EXPECT_TRUE(c.Scale1Y().Logarithmic());
  EXPECT_EQ(c.Scale1Y().LogRefusal(), "");

  // While the owning chart reads its form file the value is stored unchecked.
  TCustomRChart loading;
  loading.BeginLoading();
  loading.ScalePropsY(1).SetRangeLow(-1);
  loading.ScalePropsY(1).SetLogAx(true);
  EXPECT_TRUE(loading.ScalePropsY(1).Logarithmic());
  // A settings object of its own is unchecked until it is marked loaded.
  TScaleProps free;
  free.SetRangeLow(-1);
  free.SetLogAx(true);
  EXPECT_TRUE(free.Logarithmic());
  free.SetLogAx(false);
  free.SetNotYetLoaded(false);
  free.SetLogAx(true);
  EXPECT_FALSE(free.Logarithmic());
}

// Keeping MinRange never takes a logarithmic bound to zero or below.
TEST(RChartScaleProps, MinimumWidthKeepsALogarithmicRangePositive) {
  struct Row {
    const char* What;
    std::function<void(TScaleProps&)> Change;
    double Low, High;
  };
  const std::vector<Row> rows = {
      {"high near the low bound", [](TScaleProps& p) { p.SetRangeHigh(50); }, 10, 1000},
      {"low below zero", [](TScaleProps& p) { p.SetRangeLow(-5); }, 10, 1000},
      {"low near the high bound", [](TScaleProps& p) { p.SetRangeLow(950); }, 950, 1050},
      {"MinRange wider than the range", [](TScaleProps& p) { p.SetMinRange(5000); }, 10, 5010},
  };
  for (const Row& r : rows) {
    test::TCountingChart c;
    test::UsePaintingTestChart(c);
    TScaleProps& p = c.ScalePropsY(1);
    p.SetRangeLow(10);
    p.SetRangeHigh(1000);
    p.SetLogAx(true);
    p.SetMinRange(100);
    ASSERT_TRUE(p.Logarithmic());
    EXPECT_NO_THROW(r.Change(p)) << r.What;
    EXPECT_TRUE(p.Logarithmic()) << r.What;
    EXPECT_EQ(p.RangeLow(), r.Low) << r.What;
    EXPECT_EQ(p.RangeHigh(), r.High) << r.What;
    EXPECT_NO_THROW(c.Paint()) << r.What;
  }
}

// A setter whose change the chart refuses (here a paint handler raises)
// leaves every setting as it was.
TEST(RChartScaleProps, SetterThatRaisesChangesNothing) {
  struct Row {
    const char* What;
    std::function<void(TCustomRChart&)> Change;
  };
  const std::vector<Row> rows = {
      {"SetRangeHigh", [](TCustomRChart& c) { c.ScalePropsY(1).SetRangeHigh(5); }},
      {"SetRangeLow near high", [](TCustomRChart& c) { c.ScalePropsY(1).SetRangeLow(10); }},
      {"SetMinRange", [](TCustomRChart& c) { c.ScalePropsX(1).SetMinRange(1000); }},
      {"SetCaption", [](TCustomRChart& c) { c.ScalePropsX(2).SetCaption("t"); }},
      {"SetScaleLoc", [](TCustomRChart& c) { c.ScalePropsX(1).SetScaleLoc(TScaleLocationHoriz::slTop); }},
      {"Assign", [](TCustomRChart& c) { c.ScalePropsY(2).Assign(TScalePropsVert()); }},
      {"SetIsoMetric", [](TCustomRChart& c) { c.SetIsoMetric(true); }},
      {"SetLRim", [](TCustomRChart& c) { c.SetLRim(70); }},
      {"SetBRim", [](TCustomRChart& c) { c.SetBRim(5); }},
      {"SetF3DRim", [](TCustomRChart& c) { c.SetF3DRim(8); }},
  };
  for (const Row& r : rows) {
    TCustomRChart c;
    test::UsePaintingTestChart(c);
    const TJson before = PropertiesToJson(c);
    c.OnDataRendered = [](TObject&, TCanvas&, std::int32_t, std::int32_t) {
      RaiseMivoError("refused by the host");
    };
    EXPECT_THROW(r.Change(c), EMivoError) << r.What;
    EXPECT_EQ(PropertiesToJson(c), before) << r.What;
    EXPECT_EQ(c.ScalePropsX(1).ScaleLocation(), TScaleLocationHoriz::slBottom) << r.What;
    c.OnDataRendered = nullptr;
    EXPECT_NO_THROW(c.Paint()) << r.What;
  }
}

TEST(RChartScaleProps, DecimalsAndMinimumRange) {
  TScaleProps p;
  int changes = 0;
  p.OnChange = [&](TObject&) { ++changes; };
  p.SetDecPlaces(20);
  EXPECT_EQ(p.DecPlaces(), 12);
  p.SetDecPlaces(-5);
  EXPECT_EQ(p.DecPlaces(), -3);
  EXPECT_EQ(changes, 2);
  p.SetMinRngDiff(4);
  EXPECT_EQ(p.RangeLow(), -1.5);
  EXPECT_EQ(p.RangeHigh(), 2.5);
  EXPECT_EQ(changes, 3);
  p.SetMinRngDiff(2);  // wide enough: stored, no notification
  EXPECT_EQ(p.MinRange(), 2);
  EXPECT_EQ(changes, 3);
  p.SetMinRngDiff(0);
  p.SetMinRngDiff(-1);
  p.SetMinRngDiff(NAN);
  EXPECT_EQ(p.MinRange(), 2);
}

TEST(RChartScaleProps, LocationSetsTheTypeAndPositionFollowsIt) {
  TScalePropsHoriz h;
  h.SetScaleLoc(TScaleLocationHoriz::slTop);
  EXPECT_EQ(h.ScaleType(), TScaleType::sctHorzUp);
  h.SetScalePos(30);
  EXPECT_EQ(h.ScalePosY(), 30);
  EXPECT_EQ(h.ScalePosX(), 0);
  TScalePropsVert v;
  v.SetScaleLoc(TScaleLocationVert::slRight);
  EXPECT_EQ(v.ScaleType(), TScaleType::sctVertRight);
  v.SetScalePos(50);
  EXPECT_EQ(v.ScalePosX(), 50);
  EXPECT_EQ(v.GetScalePos(), 50);
  v.SetScaleLoc(TScaleLocationVert::slLeft);
  EXPECT_EQ(v.ScaleType(), TScaleType::sctVertLeft);
}

TEST(RChartScaleProps, AssignCopiesSettingsButNotTheNotification) {
  TScalePropsVert a, b;
  int aChanges = 0, bChanges = 0;
  a.OnChange = [&](TObject&) { ++aChanges; };
  b.OnChange = [&](TObject&) { ++bChanges; };
  b.SetCaption("Volt");
  b.SetRangeLow(-3);
  b.SetMinRngDiff(0.5);
  b.SetScaleLoc(TScaleLocationVert::slRight);
  b.DateFormat().SetDateSeparator('/');
  b.SetUserTickText("a|b");
  bChanges = 0;
  a.Assign(b);
  EXPECT_EQ(aChanges, 1);
  EXPECT_EQ(bChanges, 0);
  EXPECT_EQ(a.Caption(), "Volt");
  EXPECT_EQ(a.RangeLow(), -3);
  EXPECT_EQ(a.MinRange(), 0.5);
  EXPECT_EQ(a.ScaleLocation(), TScaleLocationVert::slRight);
  EXPECT_EQ(a.ScaleType(), TScaleType::sctVertRight);
  EXPECT_EQ(a.DateFormat().DateSeparator(), '/');
  EXPECT_EQ(a.UserTickText(), "a|b");
  TBakGndImg img;
  EXPECT_THROW(a.Assign(img), EMivoError);
}

TEST(RChartJointLayers, JoiningCopiesTheMastersRange) {
  TCustomRChart c;
  c.SetRange(1, 0, 0, 100, 10);
  c.SetRange(2, -5, -50, 5, 50);
  c.JointLayers().SetL02xControlledBy(1);
  EXPECT_EQ(c.JointLayers().L02xControlledBy(), 1);
  EXPECT_EQ(c.ScalePropsX(2).RangeLow(), 0);
  EXPECT_EQ(c.ScalePropsX(2).RangeHigh(), 100);
  EXPECT_EQ(c.ScalePropsY(2).RangeLow(), -50);  // y is kept
  EXPECT_EQ(c.ScalePropsY(2).RangeHigh(), 50);
  EXPECT_EQ(c.ScaleX(2).RangeHigh(), 100);       // the scale follows
}

TEST(RChartJointLayers, InvalidJoinsRaiseAndChangeNothing) {
  TCustomRChart c;
  c.JointLayers().SetControlledLayerX(2, 1);
  struct Row {
    std::int32_t Layer, Master;
    bool X;
    const char* Message;
  };
  // With layer 2 following layer 1 in x, layer 1 cannot follow layer 2: the
  // check on the destination comes first, so its message is the one raised.
  for (const Row& r : {Row{1, 2, true, "Destination layer 2 is already joined"},
                       Row{1, 3, false, "Destination layer 3 is out of range"},
                       Row{2, 0, true, "Destination layer 0 is out of range"},
                       Row{1, -7, true, "Destination layer -7 is out of range"}}) {
    try {
      if (r.X)
        c.JointLayers().SetControlledLayerX(r.Layer, r.Master);
      else
        c.JointLayers().SetControlledLayerY(r.Layer, r.Master);
      ADD_FAILURE() << "no error for " << r.Message;
    } catch (const EMivoRChartError& e) {
      EXPECT_STREQ(e.what(), r.Message);
    }
    EXPECT_EQ(c.JointLayers().L01xControlledBy(), 1);
    EXPECT_EQ(c.JointLayers().L02xControlledBy(), 1);
    EXPECT_EQ(c.JointLayers().L01yControlledBy(), 1);
  }
  // Layers outside 1 ... 2 are ignored; a layer set to itself is released.
  c.JointLayers().SetControlledLayerX(3, 1);
  EXPECT_EQ(c.JointLayers().GetControlledLayerX(3), 0);
  c.JointLayers().SetControlledLayerX(2, 2);
  EXPECT_EQ(c.JointLayers().L02xControlledBy(), 2);
  c.JointLayers().SetControlledLayerX(1, 2);
  EXPECT_EQ(c.JointLayers().L01xControlledBy(), 2);
  // The follower's followers: layer 2 is the master of layer 1 now.
  try {
    c.JointLayers().SetControlledLayerX(2, 1);
    ADD_FAILURE() << "no error";
  } catch (const EMivoRChartError& e) {
    EXPECT_STREQ(e.what(), "Destination layer 1 is already joined");
  }
}

TEST(RChartBackground, NameKeepsItsPathOnlyWhenAsked) {
  TBakGndImg b;
  int changes = 0;
  b.OnChange = [&](TObject&) { ++changes; };
  b.SetName("/data/images/back.bmp");
  EXPECT_EQ(b.Name(), "back.bmp");
  b.SetName("C:\\images\\back.bmp");
  EXPECT_EQ(b.Name(), "back.bmp");
  b.SetIncldPath(true);
  b.SetName("/data/images/back.bmp");
  EXPECT_EQ(b.Name(), "/data/images/back.bmp");
  b.SetIncldPath(false);
  EXPECT_EQ(b.Name(), "back.bmp");
  b.SetAreaMode(TBGAreaMode::bamVStripe);
  b.SetAreaLeft(2);
  b.SetAreaRight(4);
  EXPECT_EQ(changes, 8);
  TBakGndImg copy;
  copy.Assign(b);
  EXPECT_EQ(copy.AreaMode(), TBGAreaMode::bamVStripe);
  EXPECT_EQ(copy.AreaRight(), 4);
  EXPECT_EQ(copy.Name(), "back.bmp");
}

TEST(RChartScales, SettingsReachTheInternalScales) {
  test::TCountingChart c;
  c.SetSuppressPaint(false);
  c.Paints = 0;
  TScalePropsHoriz& p = c.ScalePropsX(2);
  p.SetCaption("Hz");
  p.SetDecPlaces(3);
  p.SetMinTicks(5);
  p.SetUserTickText("a|b");
  p.DateFormat().SetTimeSeparator('.');
  p.SetRangeHigh(20);
  EXPECT_EQ(c.Paints, 6);  // one repaint per change
  TScale& s = c.ScaleX(2);
  EXPECT_EQ(s.Caption(), "Hz");
  EXPECT_EQ(s.DecPlaces(), 3);
  EXPECT_EQ(s.MinTicks(), 5);
  EXPECT_EQ(s.UserTickText(), "a|b");
  EXPECT_EQ(s.DateFormat().TimeSeparator(), '.');
  EXPECT_EQ(s.RangeHigh(), 20);
  EXPECT_EQ(s.ColorScale(), 255u);
  // The mapping follows the settings as well.
  std::int32_t px = 0, py = 0;
  c.R2M(2, 20, 0, px, py);
  EXPECT_EQ(px, 280 - 20);
  // Assigning settings copies them into the chart's own object.
  TScalePropsHoriz other;
  other.SetRangeLow(-8);
  other.SetRangeHigh(8);
  c.SetScale1X(other);
  EXPECT_EQ(c.ScalePropsX(1).RangeLow(), -8);
  EXPECT_EQ(c.ScaleX(1).RangeLow(), -8);
  EXPECT_NE(&c.Scale1X(), &other);
}

TEST(RChartScales, TickPositionsCountFromTheLowestValue) {
  TCustomRChart c;
  c.SetRange(1, 10, 0, 0, 1);  // descending x
  c.ScaleX(1).ForcePaint();
  const std::int32_t n = c.GetTickPosXCnt();
  ASSERT_GT(n, 2);
  EXPECT_EQ(c.GetTickPosX(1), 0);
  EXPECT_EQ(c.GetTickPosX(n), 10);
  EXPECT_LT(c.GetTickPosX(1), c.GetTickPosX(2));
  EXPECT_EQ(c.GetTickPosX(0), 0);
  EXPECT_EQ(c.GetTickPosX(n + 1), 0);
  c.SetRange(1, 0, 0, 10, 1);
  c.ScaleX(1).ForcePaint();
  EXPECT_EQ(c.GetTickPosX(1), 0);
  EXPECT_EQ(c.TickNumX(), c.GetTickPosXCnt());
}

TEST(RChartScales, TickEventsAreForwardedWithTheChartAsSender) {
  TCustomRChart c;
  int ticks = 0;
  TObject* sender = nullptr;
  c.OnScaleTickDrawn = [&](TObject& s, TCanvas&, TScaleType, double, std::int32_t, std::int32_t) {
    ++ticks;
    sender = &s;
  };
  c.ScaleX(1).ForcePaint();
  EXPECT_GT(ticks, 0);
  EXPECT_EQ(sender, &c);
}

}  // namespace
}  // namespace mivo
