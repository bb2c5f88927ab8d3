// The data area and the world <-> pixel mapping, extents, resizing, margins,
// isometric correction and the standard layouts.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "mivo/rchart/rchart.h"
#include "rchart_test_util.h"

namespace mivo {
namespace {

using test::UseTestGeometry;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::int32_t PixX(const TCustomRChart& c, double x, std::int32_t layer = 1) {
  std::int32_t px = 0, py = 0;
  c.R2M(layer, x, 1, px, py);
  return px;
}

std::int32_t PixY(const TCustomRChart& c, double y, std::int32_t layer = 1) {
  std::int32_t px = 0, py = 0;
  c.R2M(layer, 1, y, px, py);
  return py;
}

TEST(RChartMapping, LinearAxesMapTheRangeOntoTheDataArea) {
  TCustomRChart c;
  UseTestGeometry(c);
  c.SetRange(1, 0, 0, 100, 10);
  EXPECT_EQ(PixX(c, 0), 50);
  EXPECT_EQ(PixX(c, 100), 270);
  EXPECT_EQ(PixY(c, 0), 168);
  EXPECT_EQ(PixY(c, 10), 16);
  EXPECT_EQ(PixX(c, 50), 160);
  // Layer numbers are clamped: 0 reads layer 1, 7 layer 2 (still 0 ... 1).
  EXPECT_EQ(PixX(c, 100, 0), 270);
  EXPECT_EQ(PixX(c, 1, 7), 270);
  double x = 0, y = 0;
  c.M2R(1, 160, 92, x, y);
  EXPECT_DOUBLE_EQ(x, 50);
  EXPECT_DOUBLE_EQ(y, 5);
  // A descending range maps its low end to the left.
  c.SetRange(1, 100, 10, 0, 0);
  EXPECT_EQ(PixX(c, 100), 50);
  EXPECT_EQ(PixY(c, 10), 168);
}

TEST(RChartMapping, ExtremeAndNonFiniteValuesGiveDefinedPixels) {
  TCustomRChart c;
  UseTestGeometry(c);
  struct Row {
    double X;
    std::int32_t Pix;
  };
  for (const Row& r : {Row{1e300, 2147483647}, Row{-1e300, -2147483647}, Row{HUGE_VAL, 2147483647},
                       Row{-HUGE_VAL, -2147483647}, Row{kNaN, 2147483647}, Row{0.5, 160}})
    EXPECT_EQ(PixX(c, r.X), r.Pix) << r.X;
}

TEST(RChartMapping, LogarithmicAxes) {
  TCustomRChart c;
  UseTestGeometry(c);
  c.SetRange(1, 1, 1, 1000, 100);
  c.ScalePropsX(1).SetLogAx(true);
  c.ScalePropsY(1).SetLogAx(true);
  ASSERT_TRUE(c.ScalePropsX(1).Logarithmic());
  EXPECT_EQ(PixX(c, 10), 123);  // 50 + 220/3
  EXPECT_EQ(PixX(c, 1000), 270);
  EXPECT_EQ(PixX(c, 0), 0);
  EXPECT_EQ(PixX(c, -5), 0);
  EXPECT_EQ(PixX(c, kNaN), 0);
  EXPECT_EQ(PixY(c, 10), 92);
  EXPECT_EQ(PixY(c, 0), 200);  // below the low end: the control's bottom
  double x = 0, y = 0;
  c.M2R(1, 270, 16, x, y);
  EXPECT_NEAR(x, 1000, 1e-9);
  EXPECT_NEAR(y, 100, 1e-9);
  // Descending: non-positive values go to the other edge.
  c.SetRange(1, 1000, 100, 1, 1);
  EXPECT_EQ(PixX(c, 0), 280);
  EXPECT_EQ(PixY(c, 0), 0);
  EXPECT_EQ(PixX(c, 1000), 50);
}

TEST(RChartMapping, LogarithmicAxisOverANonPositiveRangeRaises) {
  TCustomRChart c;
  c.BeginLoading();
  c.ScalePropsX(2).SetLogAx(true);  // unchecked while loading; the range is 0 ... 1
  c.ScalePropsX(1).SetRangeLow(-4);
  try {
    c.Loaded();
    FAIL() << "no error";
  } catch (const EMivoRChartError& e) {
    EXPECT_STREQ(e.what(), "Logarithmic axis must not be negative.");
  }
  // Layer 1 was handled before the failure and has its new mapping.
  EXPECT_EQ(PixX(c, -4), 50);
}

TEST(RChartMapping, ZeroSizedDataAreaMapsToTheCentre) {
  TCustomRChart c;
  UseTestGeometry(c);
  c.SetLRim(400);
  c.SetTRim(300);
  EXPECT_EQ(c.Cpkx(1), 0);
  EXPECT_EQ(PixX(c, 0.7), 140);
  EXPECT_EQ(PixY(c, 0.7), 100);
  EXPECT_EQ(c.GrafBmp().Width(), 0);
  EXPECT_EQ(c.GrafBmp().Height(), 0);
  // Margins are not range-checked; extreme ones must not overflow anything.
  c.SetLRim(std::numeric_limits<std::int32_t>::max());
  c.SetRRim(std::numeric_limits<std::int32_t>::min());
  c.SetBRim(std::numeric_limits<std::int32_t>::max());
  c.SetBounds(0, 0, 300, 200);
  std::int32_t px = 0, py = 0;
  c.R2M(1, 0.5, 0.5, px, py);
  EXPECT_LE(c.GrafBmp().Width(), TCustomControl::MaxSurfaceSide);
}

TEST(RChartMapping, SetBoundsKeepsTheMinimumSize) {
  TCustomRChart c;
  UseTestGeometry(c);
  c.SetBounds(3, 4, 10, 10);
  EXPECT_EQ(c.Left(), 3);
  EXPECT_EQ(c.Top(), 4);
  EXPECT_EQ(c.Width(), 140);   // 50 + 10 + 0 + 80
  EXPECT_EQ(c.Height(), 68);   // 16 + 32 + 0 + 20
  c.SetF3DRim(5);
  c.SetBounds(0, 0, -100, 0);
  EXPECT_EQ(c.Width(), 145);
  EXPECT_EQ(c.Height(), 73);
  // The scales cover the control and the mapping follows the new size.
  c.SetBounds(0, 0, 400, 300);
  EXPECT_EQ(c.ScaleX(1).Width(), 400);
  EXPECT_EQ(c.ScaleY(2).Height(), 300);
  EXPECT_EQ(c.ScaleX(1).MarginRight(), 14);  // RRim + shadow - 1
  EXPECT_EQ(PixX(c, 1), 400 - 10 - 5);
}

TEST(RChartMapping, ShadowWidthIsClamped) {
  TCustomRChart c;
  c.SetF3DRim(40);
  EXPECT_EQ(c.ShadowWidth(), 32);
  c.SetF3DRim(-1);
  EXPECT_EQ(c.ShadowWidth(), 0);
}

TEST(RChartMapping, MarginSettersMoveScalesAndRedraw) {
  test::TCountingChart c;
  UseTestGeometry(c);
  c.SetSuppressPaint(false);
  c.Paints = 0;
  c.SetLRim(60);
  c.SetRRim(12);
  c.SetTRim(18);
  c.SetBRim(30);
  c.SetF3DRim(4);
  EXPECT_EQ(c.Paints, 5);
  EXPECT_EQ(c.ScaleX(1).MarginLeft(), 60);
  EXPECT_EQ(c.ScaleX(2).MarginRight(), 15);
  EXPECT_EQ(c.ScaleY(1).MarginTop(), 18);
  EXPECT_EQ(c.ScaleY(1).MarginBottom(), 33);
  // Scale 1X sits below the data area, scale 1Y left of it.
  EXPECT_EQ(c.ScaleX(1).MarginTop(), 200 - 30 - 4);
  EXPECT_EQ(c.ScaleY(1).MarginRight(), 280 - 60 - 1);
  EXPECT_EQ(c.GrafBmp().Width(), 280 - 60 - 12 - 4 + 1);
  EXPECT_EQ(c.GrafBmp().Height(), 200 - 18 - 30 - 4 + 1);
}

TEST(RChartExtents, ExtentsOfOneLayer) {
  TCustomRChart c;
  double x0, y0, x1, y1;
  c.LLCalcExtents(1, 10, 0, x0, y0, x1, y1);
  EXPECT_EQ((std::vector<double>{x0, y0, x1, y1}), (std::vector<double>{0, 0, 0, 0}));
  c.MarkAt(2, 3, 1);
  c.LLCalcExtents(1, 10, 0, x0, y0, x1, y1);
  EXPECT_EQ((std::vector<double>{x0, y0, x1, y1}), (std::vector<double>{2, 3, 2, 3}));
  c.LLCalcExtents(1, 10, 10, x0, y0, x1, y1);
  EXPECT_DOUBLE_EQ(x0, 1.8);
  EXPECT_DOUBLE_EQ(x1, 2.2);
  EXPECT_DOUBLE_EQ(y0, 2.7);
  EXPECT_DOUBLE_EQ(y1, 3.3);

  TCustomRChart e;
  e.Ellipse(0, 0, 2, 1);
  e.LLCalcExtents(1, 0, 0, x0, y0, x1, y1);
  EXPECT_EQ((std::vector<double>{x0, y0, x1, y1}), (std::vector<double>{-2, -1, 2, 1}));
}

TEST(RChartExtents, KindsContributeTheirPoints) {
  TCustomRChart c;
  c.Line(0, 0, 10, 20);
  c.MoveToRelPix(500, 500);           // pixel offsets do not count
  c.MarkErrorBar(1, 1, 100, 100, TOrientation::orVertical, 1);  // errors do not count
  c.Text(-5, 1, 10, "wide text");
  c.SetActiveLayer(2);
  c.MarkAt(1000, 1000, 1);             // other layer
  double x0, y0, x1, y1;
  c.LLCalcExtents(1, 10, 0, x0, y0, x1, y1);
  EXPECT_DOUBLE_EQ(x0, -5 - 1.5);
  EXPECT_DOUBLE_EQ(x1, 10 + 1.5);
  EXPECT_DOUBLE_EQ(y0, 0 - 2);
  EXPECT_DOUBLE_EQ(y1, 20 + 2);
  // A negative centre never applies the minimum range.
  TCustomRChart n;
  n.MarkAt(-2, -3, 1);
  n.LLCalcExtents(1, 0, 50, x0, y0, x1, y1);
  EXPECT_EQ(x0, -2);
  EXPECT_EQ(x1, -2);
}

TEST(RChartExtents, LogarithmicMarginWidensTheLogSpan) {
  TCustomRChart c;
  c.SetRange(1, 1, 1, 100, 100);
  c.ScalePropsX(1).SetLogAx(true);
  c.MarkAt(1, 5, 1);
  c.MarkAt(100, 5, 1);
  double x0, y0, x1, y1;
  c.LLCalcExtents(1, 50, 0, x0, y0, x1, y1);
  EXPECT_NEAR(x0, 0.1, 1e-12);
  EXPECT_NEAR(x1, 1000, 1e-9);
}

TEST(RChartExtents, NonFiniteCoordinatesAreSkipped) {
  TCustomRChart c;
  c.MarkAt(kNaN, 4, 1);
  c.MarkAt(HUGE_VAL, kNaN, 1);
  double x0, y0, x1, y1;
  c.LLCalcExtents(1, 10, 0, x0, y0, x1, y1);
  EXPECT_EQ((std::vector<double>{x0, y0, x1, y1}), (std::vector<double>{0, 4, 0, 4}));
  c.MarkAt(1, 2, 1);
  c.Ellipse(1e308, 0, 1e308, 1);  // x + x2 overflows
  c.LLCalcExtents(1, 0, 0, x0, y0, x1, y1);
  EXPECT_EQ(x0, 0);
  EXPECT_EQ(x1, 1e308);
  EXPECT_EQ(y0, -1);
  EXPECT_EQ(y1, 4);
}

TEST(RChartExtents, MinMaxInsideAnOpenWindow) {
  TCustomRChart c;
  c.MarkAt(10, 5, 1);   // on the border: excluded
  c.MarkAt(3, 4, 1);
  c.Line(1, 1, 9, 9);
  c.SetActiveLayer(2);
  c.MarkAt(2, 2, 1);
  double x0, y0, x1, y1;
  c.FindMinMax(1, 0, 0, 10, 10, x0, y0, x1, y1);
  EXPECT_EQ((std::vector<double>{x0, y0, x1, y1}), (std::vector<double>{1, 1, 9, 9}));
  c.LLCalcMinMax(0, 1.5, 1.5, 8, 8, x0, y0, x1, y1);
  EXPECT_EQ((std::vector<double>{x0, y0, x1, y1}), (std::vector<double>{2, 2, 3, 4}));
  c.LLCalcMinMax(1, 0, 0, 0.5, 0.5, x0, y0, x1, y1);
  EXPECT_EQ(x0, uc_MaxDouble);
  EXPECT_EQ(x1, -uc_MaxDouble);
}

TEST(RChartLayout, IsometricCorrectionKeepsUnitsEqual) {
  TCustomRChart c;
  UseTestGeometry(c);
  c.SetRange(1, 0, 0, 100, 10);
  const std::int32_t stack = c.ZoomStackPointer();
  c.SetIsoMetric(true);
  EXPECT_EQ(c.ZoomStackPointer(), stack % 16 + 1);  // the corrected state is recorded
  const double half = 100.0 * 153 / 221 / 2;        // data area 221 x 153
  EXPECT_NEAR(c.ScalePropsY(1).RangeLow(), 5 - half, 1e-9);
  EXPECT_NEAR(c.ScalePropsY(1).RangeHigh(), 5 + half, 1e-9);
  EXPECT_EQ(c.ScalePropsX(1).RangeHigh(), 100);
  // One world unit has the same length on both axes.
  EXPECT_NEAR(double(c.Cpkx(1)) * 221.0 / 220, -double(c.Cpky(1)) * 153.0 / 152, 1e-9);
  // While isometric, resizing re-centres the y range.
  c.SetBounds(0, 0, 280, 300);
  EXPECT_NEAR(c.ScalePropsY(1).RangeHigh() - c.ScalePropsY(1).RangeLow(), 100.0 * 253 / 221, 1e-9);
  c.SetIsoMetric(false);
  EXPECT_FALSE(c.Isometric());
}

struct TScaleExpect {
  TScaleType Type;
  std::int32_t CapX, CapY;
  TAlignment Align;
  TScaleUnitAnchor Anchor;
  std::int32_t Pos;
  bool Visible;
};

void CheckScale(const TScaleProps& p, const TScaleExpect& e, const std::string& what) {
  EXPECT_EQ(p.ScaleType(), e.Type) << what;
  EXPECT_EQ(p.CaptionPosX(), e.CapX) << what;
  EXPECT_EQ(p.CaptionPosY(), e.CapY) << what;
  EXPECT_EQ(p.CaptionAlignment(), e.Align) << what;
  EXPECT_EQ(p.CaptionAnchor(), e.Anchor) << what;
  EXPECT_EQ(p.ScalePos(), e.Pos) << what;
  EXPECT_EQ(p.Visible(), e.Visible) << what;
}

TEST(RChartLayout, EveryStandardLayout) {
  constexpr auto Bot = TScaleType::sctHorzDown, Top = TScaleType::sctHorzUp;
  constexpr auto Lft = TScaleType::sctVertLeft, Rgt = TScaleType::sctVertRight;
  constexpr auto L = TAlignment::taLeftJustify, R = TAlignment::taRightJustify, C = TAlignment::taCenter;
  constexpr auto A0 = TScaleUnitAnchor::uaSclTopLft, A1 = TScaleUnitAnchor::uaSclCenter;
  struct Row {
    TrcLayout Layout;
    std::int32_t Rims[4];
    std::int32_t CapY;
    TAlignment Align;
    TCaptionAnchorHoriz AnchorX;
    TScaleExpect X1, X2, Y1, Y2;
  };
  const Row rows[] = {
      {TrcLayout::rcl_X1Bottom_Y1Left, {50, 20, 20, 40}, -16, R, TCaptionAnchorHoriz::cahChartRight,
       {Bot, 0, 22, C, A1, 0, true}, {Bot, 10, 100, C, A1, 0, false}, {Lft, 0, -16, L, A0, 0, true},
       {Lft, 10, 100, R, A0, 0, false}},
      {TrcLayout::rcl_X1Bottom_Y2Left, {100, 20, 24, 40}, -16, R, TCaptionAnchorHoriz::cahChartRight,
       {Bot, 0, 22, C, A1, 0, true}, {Bot, 10, 100, C, A1, 0, false}, {Lft, 0, -23, R, A0, 0, true},
       {Lft, 0, -23, R, A0, 50, true}},
      {TrcLayout::rcl_X1Bottom_Y2Both, {50, 50, 24, 40}, -20, C, TCaptionAnchorHoriz::cahChartCenter,
       {Bot, 0, 22, C, A1, 0, true}, {Bot, 10, 100, C, A1, 0, false}, {Lft, 0, -23, R, A0, 0, true},
       {Rgt, 0, -23, L, A0, 0, true}},
      {TrcLayout::rcl_X2Bottom_Y2Left, {100, 20, 24, 70}, -16, R, TCaptionAnchorHoriz::cahChartRight,
       {Bot, -20, 7, R, A0, 0, true}, {Bot, -20, 7, R, A0, 30, true}, {Lft, 0, -23, R, A0, 0, true},
       {Lft, 0, -23, R, A0, 50, true}},
      {TrcLayout::rcl_X2Both_Y2Both, {50, 50, 64, 40}, -60, C, TCaptionAnchorHoriz::cahChartCenter,
       {Bot, 0, 20, C, A1, 0, true}, {Top, 0, -40, C, A1, 0, true}, {Lft, 0, -40, R, A0, 0, true},
       {Rgt, 0, -40, L, A0, 0, true}},
  };
  for (const Row& r : rows) {
    test::TCountingChart c;
    c.SetSuppressPaint(false);
    c.SetStdLayout(TrcLayout::rcl_X2Both_Y2Both);  // start from another layout
    c.SetStdLayout(TrcLayout::rcl_X1Bottom_Y2Left);
    c.Paints = 0;
    c.SetStdLayout(r.Layout);
    const std::string what = "layout " + std::to_string(int(r.Layout));
    EXPECT_EQ(c.Paints, 1) << what;  // painting is held until the end
    EXPECT_EQ(c.StandardLayout(), r.Layout) << what;
    EXPECT_EQ(c.MarginLeft(), r.Rims[0]) << what;
    EXPECT_EQ(c.MarginRight(), r.Rims[1]) << what;
    EXPECT_EQ(c.MarginTop(), r.Rims[2]) << what;
    EXPECT_EQ(c.MarginBottom(), r.Rims[3]) << what;
    EXPECT_EQ(c.CaptionPosX(), 0) << what;
    EXPECT_EQ(c.CaptionPosY(), r.CapY) << what;
    EXPECT_EQ(c.CaptionAlignment(), r.Align) << what;
    EXPECT_EQ(c.CaptionAnchorHoriz(), r.AnchorX) << what;
    EXPECT_EQ(c.CaptionAnchorVert(), TCaptionAnchorVert::cavChartTop) << what;
    CheckScale(c.ScalePropsX(1), r.X1, what + " X1");
    CheckScale(c.ScalePropsX(2), r.X2, what + " X2");
    CheckScale(c.ScalePropsY(1), r.Y1, what + " Y1");
    CheckScale(c.ScalePropsY(2), r.Y2, what + " Y2");
    // The scales follow their settings.
    EXPECT_EQ(c.ScaleX(2).ScaleType(), r.X2.Type) << what;
    EXPECT_EQ(c.ScaleY(2).ScaleType(), r.Y2.Type) << what;
    EXPECT_EQ(c.ScaleY(2).Visible(), r.Y2.Visible) << what;
  }
}

TEST(RChartLayout, ScalePositionMovesAScaleAwayFromTheDataArea) {
  TCustomRChart c;
  c.SetStdLayout(TrcLayout::rcl_X1Bottom_Y2Left);
  // A second left scale at position 50 stands 50 pixels further left.
  EXPECT_EQ(c.ScaleY(1).MarginRight(), 280 - 100 - 1);
  EXPECT_EQ(c.ScaleY(2).MarginRight(), 50 + 280 - 100 - 1);
  c.SetStdLayout(TrcLayout::rcl_X2Both_Y2Both);
  EXPECT_EQ(c.ScaleX(2).ScaleType(), TScaleType::sctHorzUp);
  EXPECT_EQ(c.ScaleX(2).MarginBottom(), 200 - 64 - 1);
  EXPECT_EQ(c.ScaleY(2).MarginLeft(), 280 - 50);
}

}  // namespace
}  // namespace mivo
