// The display list: growth by AllocSize, what each adder stamps into its
// record, text conversion, angle clamping and the store accessors.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "mivo/rchart/rchart.h"
#include "rchart_test_util.h"

namespace mivo {
namespace {

TEST(RChartStore, GrowsByAllocSizeAndKeepsItems) {
  TCustomRChart c;
  EXPECT_EQ(c.NumItems(), 0);
  EXPECT_EQ(c.NumAllocated(), 0);
  EXPECT_EQ(c.AllocSize(), 1000);
  for (int i = 0; i < 1000; ++i) c.MarkAt(i, -i, 1);
  EXPECT_EQ(c.NumAllocated(), 1000);
  c.MarkAt(1000, -1000, 1);  // the 1001st item
  EXPECT_EQ(c.NumAllocated(), 2000);
  EXPECT_EQ(c.NumItems(), 1001);
  for (int i = 0; i < 1001; ++i) {
    const TrcChartItem it = c.GetChartItem(i);
    ASSERT_EQ(it.x, i);
    ASSERT_EQ(it.y, -i);
  }
  c.ClearGraf();
  EXPECT_EQ(c.NumItems(), 0);
  EXPECT_EQ(c.NumAllocated(), 0);
  EXPECT_EQ(c.GetItemCount(TrcItem::tkMarkAt), 0);
  c.DrawTo(1, 1);
  EXPECT_EQ(c.NumAllocated(), 1000);
}

TEST(RChartStore, AllocSizeAcceptsOneToAMillion) {
  TCustomRChart c;
  for (std::int32_t bad : {0, -5, 1000001, std::numeric_limits<std::int32_t>::min()}) {
    c.SetAllocSize(bad);
    EXPECT_EQ(c.AllocSize(), 1000) << bad;
  }
  c.SetAllocSize(1000000);
  EXPECT_EQ(c.AllocSize(), 1000000);
  c.SetAllocSize(3);
  for (int i = 0; i < 7; ++i) c.MoveTo(i, i);
  EXPECT_EQ(c.NumAllocated(), 9);
  // A large run with step 1: every append grows the logical size by one.
  c.SetAllocSize(1);
  for (int i = 0; i < 20000; ++i) c.DrawTo(i, i);
  EXPECT_EQ(c.NumAllocated(), 20007);
  EXPECT_EQ(c.GetChartItem(20006).x, 19999);
}

// The record each adder appends, compared field by field with the expected one.
struct TAdderCase {
  const char* Name;
  std::function<void(TCustomRChart&)> Add;
  std::function<void(TrcChartItem&)> Expect;  // fields beyond the common stamp
};

TEST(RChartStore, EveryAdderStampsItsRecord) {
  const std::vector<TAdderCase> cases = {
      {"MarkAt", [](TCustomRChart& c) { c.MarkAt(1, 2, 7); },
       [](TrcChartItem& e) {
         e.ItemKind = TrcItem::tkMarkAt;
         e.x = 1;
         e.y = 2;
         e.MarkOrAlign = 7;
       }},
      {"MarkErrorBar", [](TCustomRChart& c) { c.MarkErrorBar(1, 2, -0.5, 0.7, TOrientation::orHorizontal, 4); },
       [](TrcChartItem& e) {
         e.ItemKind = TrcItem::tkMarkEBar;
         e.x = 1;
         e.y = 2;
         e.x2 = -0.5;
         e.y2 = 0.7;
         e.SizeOrAngle = 1;
         e.MarkOrAlign = 4;
       }},
      {"Text", [](TCustomRChart& c) { c.Text(1, 2, 12, "Hi"); },
       [](TrcChartItem& e) {
         e.ItemKind = TrcItem::tkText;
         e.x = 1;
         e.y = 2;
         e.SizeOrAngle = 12;
         e.MarkOrAlign = std::uint8_t(TAlignment::taRightJustify);
         e.Text = ToItemText("Hi");
       }},
      {"TextOfs", [](TCustomRChart& c) { c.Text(1, 2, 9, "Ofs", -3, 4, TAlignment::taLeftJustify); },
       [](TrcChartItem& e) {
         e.ItemKind = TrcItem::tkTextOfs;
         e.x = 1;
         e.y = 2;
         e.x2 = -3;
         e.y2 = 4;
         e.SizeOrAngle = 9;
         e.MarkOrAlign = 0;
         e.Text = ToItemText("Ofs");
       }},
      {"MoveTo", [](TCustomRChart& c) { c.MoveTo(1, 2); },
       [](TrcChartItem& e) {
         e.ItemKind = TrcItem::tkMoveTo;
         e.x = 1;
         e.y = 2;
       }},
      {"MoveToRelPix", [](TCustomRChart& c) { c.MoveToRelPix(-5, 6); },
       [](TrcChartItem& e) {
         e.ItemKind = TrcItem::tkMoveRelPix;
         e.x = -5;
         e.y = 6;
       }},
      {"DrawTo", [](TCustomRChart& c) { c.DrawTo(1, 2); },
       [](TrcChartItem& e) {
         e.ItemKind = TrcItem::tkLineto;
         e.x = 1;
         e.y = 2;
         e.FillColor = 0x112233;
       }},
      {"DrawToRelPix", [](TCustomRChart& c) { c.DrawToRelPix(5, -6); },
       [](TrcChartItem& e) {
         e.ItemKind = TrcItem::tkLineRelPix;
         e.x = 5;
         e.y = -6;
         e.FillColor = 0x112233;
       }},
      {"Line", [](TCustomRChart& c) { c.Line(1, 2, 3, 4); },
       [](TrcChartItem& e) {
         e.ItemKind = TrcItem::tkLine;
         e.x = 1;
         e.y = 2;
         e.x2 = 3;
         e.y2 = 4;
         e.FillColor = 0x112233;
       }},
      {"LineOffset", [](TCustomRChart& c) { c.LineOffset(1, 2, 3, 4, -7, 8); },
       [](TrcChartItem& e) {
         e.ItemKind = TrcItem::tkLineOffs;
         e.x = 1;
         e.y = 2;
         e.x2 = 3;
         e.y2 = 4;
         e.SizeOrAngle = -7;
         e.DepthOrAngle = 8;
         e.FillColor = 0x112233;
       }},
      {"Rectangle", [](TCustomRChart& c) { c.Rectangle(1, 2, 3, 4); },
       [](TrcChartItem& e) {
         e.ItemKind = TrcItem::tkRect;
         e.x = 1;
         e.y = 2;
         e.x2 = 3;
         e.y2 = 4;
         e.FillColor = 0x112233;
         e.Transp = true;
       }},
      {"RectangleRelPix", [](TCustomRChart& c) { c.RectangleRelPix(1, 2, 5, 6); },
       [](TrcChartItem& e) {
         e.ItemKind = TrcItem::tkRectRelPix;
         e.x = 1;
         e.y = 2;
         e.x2 = 5;
         e.y2 = 6;
         e.FillColor = 0x112233;
         e.Transp = true;
       }},
      {"RectFrame",
       [](TCustomRChart& c) { c.RectFrame(1, 2, 3, 4, TFrameStyle::fsEmbossed, 0x808080, 0xFFFFFF); },
       [](TrcChartItem& e) {
         e.ItemKind = TrcItem::tkRectFrame;
         e.x = 1;
         e.y = 2;
         e.x2 = 3;
         e.y2 = 4;
         e.FillColor = 0x112233;
         e.FrameStyle = TFrameStyle::fsEmbossed;
         e.ShadowColor = 0x808080;
         e.HiLightColor = 0xFFFFFF;
         e.LWid = 1;  // regardless of LineWidth
       }},
      {"Bar3D", [](TCustomRChart& c) { c.Bar3D(1, 2, 3, 4, 10, 45); },
       [](TrcChartItem& e) {
         e.ItemKind = TrcItem::tk3DBar;
         e.x = 1;
         e.y = 2;
         e.x2 = 3;
         e.y2 = 4;
         e.SizeOrAngle = 45;
         e.DepthOrAngle = 10;
         e.FillColor = 0x112233;
       }},
      {"Ellipse", [](TCustomRChart& c) { c.Ellipse(1, 2, 3, 4); },
       [](TrcChartItem& e) {
         e.ItemKind = TrcItem::tkEllipse;
         e.x = 1;
         e.y = 2;
         e.x2 = 3;
         e.y2 = 4;
         e.FillColor = 0x112233;
         e.Transp = true;
       }},
      {"Arc", [](TCustomRChart& c) { c.Arc(1, 2, 3, 4, 0.5, -1.25); },
       [](TrcChartItem& e) {
         e.ItemKind = TrcItem::tkArc;
         e.x = 1;
         e.y = 2;
         e.x2 = 3;
         e.y2 = 4;
         e.SizeOrAngle = 50000000;
         e.DepthOrAngle = -125000000;
         e.FillColor = 0x112233;
         e.Transp = true;
       }},
      {"Arrow", [](TCustomRChart& c) { c.Arrow(1, 2, 3, 4, 11); },
       [](TrcChartItem& e) {
         e.ItemKind = TrcItem::tkArrow;
         e.x = 1;
         e.y = 2;
         e.x2 = 3;
         e.y2 = 4;
         e.SizeOrAngle = 11;
         e.FillColor = 0x112233;
         e.Transp = true;
       }},
  };
  for (const auto& tc : cases) {
    TCustomRChart c;
    c.SetDataCol(0x0000FF);
    c.SetPenStyle(TPenStyle::psDot);
    c.SetLineWid(3);
    c.SetFillCol(0x112233);
    c.SetTransparentItems(true);
    c.SetClassDefault(17);
    c.SetDataTag(-42);
    c.SetActiveLayer(2);
    c.SetTextAlignment(TAlignment::taRightJustify);
    // A stale record in the slot must not leak into the new item's unused fields.
    c.Line(9, 9, 9, 9);
    c.RemoveLastItem();
    c.Line(8, 8, 8, 8);
    c.RemoveItemsByLayer(2);
    tc.Add(c);
    TrcChartItem expected;
    expected.Layer = 2;
    expected.ItemClass = 17;
    expected.Color = 0x0000FF;
    expected.PenStyle = TPenStyle::psDot;
    expected.Tag = -42;
    expected.LWid = 3;
    tc.Expect(expected);
    ASSERT_EQ(c.NumItems(), 1) << tc.Name;
    EXPECT_TRUE(c.GetChartItem(0) == expected) << tc.Name;
    EXPECT_EQ(c.GetItemCount(expected.ItemKind), 1) << tc.Name;
  }
}

TEST(RChartStore, TextIsConvertedToWindows1252AndCutTo15Characters) {
  struct Row {
    std::string In;
    std::string Bytes;
  };
  std::string sixteenEAcute;
  for (int i = 0; i < 16; ++i) sixteenEAcute += "\xC3\xA9";
  const std::vector<Row> rows = {
      {"", ""},
      {"abcdefghijklmnopqrst", "abcdefghijklmno"},
      {"\xC3\xA9\xE2\x82\xAC x", "\xE9\x80 x"},                 // e acute, euro sign
      {"\xE4\xB8\xAD", "?"},                                    // not in the code page
      {"a\xFF" "b", "a?b"},                                     // invalid UTF-8
      {"\xC3", "?"},                                            // truncated sequence
      {sixteenEAcute, std::string(15, '\xE9')},
  };
  for (const auto& r : rows) {
    TCustomRChart c;
    c.Text(0, 0, 10, r.In);
    const TrcChartItem it = c.GetChartItem(0);
    EXPECT_EQ(it.Text.Length, r.Bytes.size()) << r.In;
    EXPECT_EQ(it.Text.Bytes(), r.Bytes) << r.In;
  }
}

TEST(RChartStore, AnglesAreClamped) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Row {
    double Start, End;
    std::int32_t S, E;
  };
  for (const Row& r : {Row{4.0, -4.0, 314159265, -314159265}, Row{0, std::numbers::pi / 2, 0, 157079633},
                       Row{nan, HUGE_VAL, 0, 314159265}, Row{-HUGE_VAL, 1e300, -314159265, 314159265}}) {
    TCustomRChart c;
    c.Arc(0, 0, 1, 1, r.Start, r.End);
    EXPECT_EQ(c.GetChartItem(0).SizeOrAngle, r.S);
    EXPECT_EQ(c.GetChartItem(0).DepthOrAngle, r.E);
  }
  TCustomRChart c;
  c.Bar3D(0, 0, 1, 1, 5, 200);
  c.Bar3D(0, 0, 1, 1, 5, -5);
  EXPECT_EQ(c.GetChartItem(0).SizeOrAngle, 180);
  EXPECT_EQ(c.GetChartItem(1).SizeOrAngle, 0);
}

TEST(RChartStore, OutOfRangeArgumentsAreIgnored) {
  TCustomRChart c;
  c.MarkAt(1, 1, 0);
  EXPECT_EQ(c.GetChartItem(-1).ItemKind, TrcItem::tkNone);
  EXPECT_EQ(c.GetChartItem(1).ItemKind, TrcItem::tkNone);
  TrcChartItem other = c.GetChartItem(0);
  other.x = 99;
  c.SetChartitem(1, other);
  c.SetChartitem(-1, other);
  EXPECT_EQ(c.GetChartItem(0).x, 1);
  c.SetChartitem(0, other);
  EXPECT_EQ(c.GetChartItem(0).x, 99);

  c.SetActiveLayer(3);
  EXPECT_EQ(c.ActiveLayer(), 1);
  c.MarkAt(0, 0, 0);
  EXPECT_EQ(c.GetChartItem(1).Layer, 1);
  c.SetClassDefault(9);
  c.SetClassDefault(255);
  EXPECT_EQ(c.ClassDefault(), 9);
  EXPECT_FALSE(c.GetMAffLayer(0));
  EXPECT_FALSE(c.GetMAffLayer(3));
  c.SetMAffLayer(3, true);
  EXPECT_TRUE(c.GetMAffLayer(1));
  EXPECT_FALSE(c.GetMAffLayer(2));
  EXPECT_FALSE(c.GetLayerVisib(0));
  EXPECT_EQ(c.GetItemCount(TrcItem(200)), 0);
}

TEST(RChartStore, DuplicateMarkDistanceIsClampedToOneToThree) {
  TCustomRChart c;
  c.SetDupMarksMinD(10);
  EXPECT_EQ(c.MinDupMarkDist(), 3);
  c.SetDupMarksMinD(0);
  EXPECT_EQ(c.MinDupMarkDist(), 1);
  c.SetDupMarksMinD(2);
  EXPECT_EQ(c.MinDupMarkDist(), 2);
}

TEST(RChartStore, DrawingStateAffectsOnlyLaterItems) {
  TCustomRChart c;
  c.MarkAt(0, 0, 1);
  c.SetDataCol(0x00FF00);
  c.SetFillCol(0x0000FF);
  c.MarkAt(0, 0, 1);
  EXPECT_EQ(c.GetChartItem(0).Color, 0u);
  EXPECT_EQ(c.GetChartItem(1).Color, 0x00FF00u);
}

TEST(RChartStore, SettersRepaintByTheRedrawRule) {
  test::TCountingChart c;
  c.SetSuppressPaint(false);
  c.Paints = 0;
  c.MarkAt(1, 1, 1);
  c.SetDataCol(5);
  c.ClearGraf();
  EXPECT_EQ(c.Paints, 0);  // adders, drawing state and ClearGraf never paint
  c.SetLayerVisib(2, true);
  c.SetClassVisib(7, true);
  EXPECT_EQ(c.Paints, 0);  // unchanged values
  c.SetLayerVisib(2, false);
  c.SetClassVisib(7, false);
  c.SetAvoidDupMarks(true);
  c.SetActiveLayer(2);
  EXPECT_EQ(c.Paints, 4);
  c.SetAutoRedraw(false);
  c.SetClassVisib(7, true);
  EXPECT_EQ(c.Paints, 4);
  c.SetDesigning(true);
  c.SetClassVisib(7, false);
  EXPECT_EQ(c.Paints, 5);
  c.ClearMouseTrace();  // repaints whatever AutoRedraw says
  EXPECT_EQ(c.Paints, 6);
}

}  // namespace
}  // namespace mivo
