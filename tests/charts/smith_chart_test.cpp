// TSmithChart: what the constructor sets, the isometric range properties,
// CenterChart, painting without the mouse trace, assignment, the published
// set with its form-file round trip, and bad sizes.
#include "mivo/charts/smith_chart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "mivo/platform/colors.h"
#include "mivo/platform/host.h"
#include "mivo/platform/properties.h"
#include "mivo/rchart/trchart.h"
#include "../rchart/rchart_mouse_test_util.h"
#include "support/image_compare.h"

namespace mivo {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::int64_t CountColor(const TBitmap& b, TColor c, TRect r = {0, 0, 0, 0}) {
  if (r.IsEmpty()) r = Rect(0, 0, b.Width(), b.Height());
  std::int64_t n = 0;
  for (std::int32_t y = std::max(r.Top, 0); y < std::min(r.Bottom, b.Height()); ++y)
    for (std::int32_t x = std::max(r.Left, 0); x < std::min(r.Right, b.Width()); ++x) {
      const TRGB32 p = b.ScanLine(y)[x];
      n += (TColor(p.R) | TColor(p.G) << 8 | TColor(p.B) << 16) == c;
    }
  return n;
}

// A chart of 400 x 400 that paints; its data area is 331 x 341 pixels.
void Ready(TSmithChart& c) {
  c.SetBounds(0, 0, 400, 400);
  c.SetSuppressPaint(false);
}

// The ranges are isometric: equal world spans per data-area pixel.
void ExpectIsometric(const TSmithChart& c) {
  const double wd = c.DataAreaWidth(), hd = c.DataAreaHeight();
  EXPECT_NEAR((c.RangeYHigh() - c.RangeYLow()) / hd, (c.RangeXHigh() - c.RangeXLow()) / wd,
              1e-12 * std::fabs(c.RangeXHigh() - c.RangeXLow()));
}

TEST(TSmithChart, ConstructorSetsUpTheReflectionPlane) {
  TSmithChart c;
  EXPECT_TRUE(c.Isometric());
  EXPECT_EQ(c.GridStyle(), GridStyleType::gsPoints);
  EXPECT_EQ(c.GridDx(), 0);
  EXPECT_EQ(c.GridDy(), 0);
  EXPECT_EQ(c.PanGridDx(), 1.0);
  EXPECT_EQ(c.PanGridDy(), 1.0);
  EXPECT_EQ(c.RangeXLow(), -1.2);
  EXPECT_EQ(c.RangeXHigh(), 1.2);
  EXPECT_NEAR(c.RangeYLow() + c.RangeYHigh(), 0, 1e-15);
  ExpectIsometric(c);
  for (std::int32_t i = 1; i <= 2; ++i) {
    EXPECT_FALSE(c.ScalePropsX(i).Visible());
    EXPECT_FALSE(c.ScalePropsY(i).Visible());
  }
  EXPECT_EQ(c.GridColorLight(), 0xDBDBDBu);
  EXPECT_EQ(c.GridColorDark(), 0xA7A7A7u);
  EXPECT_EQ(c.DiagramColor(), 0xF8E8E8u);
  // The zoom history starts with the chart's own ranges.
  const TRectDouble z = c.ZoomStack(1, 0);
  EXPECT_EQ(z.Left, -1.2);
  EXPECT_EQ(z.Right, 1.2);
  // Nothing paints before the window exists; the first paint message creates it.
  EXPECT_TRUE(c.SuppressPaint());
  c.Dispatch(TMessage{});
  EXPECT_TRUE(c.HandleAllocated());
  EXPECT_FALSE(c.SuppressPaint());
  EXPECT_GT(CountColor(c.Surface(), kSmithDiagramColor), 5000);
}

TEST(TSmithChartRanges, EachBoundKeepsIsometryAndIsRecorded) {
  struct TRow {
    const char* Name;
    void (TSmithChart::*Set)(double);
    double Value;
  };
  const std::vector<TRow> rows = {
      {"RangeXLow", &TSmithChart::SetRangeXLow, -2},
      {"RangeXHigh", &TSmithChart::SetRangeXHigh, 3},
      {"RangeYLow", &TSmithChart::SetRangeYLow, -0.5},
  };
  for (const TRow& r : rows) {
    SCOPED_TRACE(r.Name);
    TSmithChart c;
    Ready(c);
    // Panned first, so that the y centre is not 0.
    c.SetRange(-1, -0.8, 1.4, 0.9);
    const double yMid = (c.RangeYLow() + c.RangeYHigh()) / 2;
    const std::int32_t poi = c.ZoomStackPointer();
    (c.*r.Set)(r.Value);
    ExpectIsometric(c);
    if (r.Set == &TSmithChart::SetRangeXLow) {
      EXPECT_EQ(c.RangeXLow(), -2);
      EXPECT_EQ(c.RangeXHigh(), 1.4);
      EXPECT_NEAR((c.RangeYLow() + c.RangeYHigh()) / 2, yMid, 1e-12);  // re-derived around its centre
    } else if (r.Set == &TSmithChart::SetRangeXHigh) {
      EXPECT_EQ(c.RangeXHigh(), 3);
      EXPECT_NEAR((c.RangeYLow() + c.RangeYHigh()) / 2, yMid, 1e-12);
    } else {
      EXPECT_NEAR(c.RangeYLow(), -0.5, 1e-12);  // the bound given is the bound read back
      EXPECT_EQ(c.RangeXLow(), -1);
      EXPECT_EQ(c.RangeXHigh(), 1.4);
    }
    EXPECT_NE(c.ZoomStackPointer(), poi);
    const TRectDouble z = c.ZoomStack(1, 0);
    EXPECT_EQ(z.Left, c.RangeXLow());
    EXPECT_EQ(z.Right, c.RangeXHigh());
    // Non-finite values change nothing.
    const double xl = c.RangeXLow(), xh = c.RangeXHigh(), yl = c.RangeYLow(), yh = c.RangeYHigh();
    for (double bad : {kNaN, kInf, -kInf}) {
      (c.*r.Set)(bad);
      EXPECT_EQ(c.RangeXLow(), xl);
      EXPECT_EQ(c.RangeXHigh(), xh);
      EXPECT_NEAR(c.RangeYLow(), yl, 1e-12);
      EXPECT_NEAR(c.RangeYHigh(), yh, 1e-12);
    }
  }
}

TEST(TSmithChartRanges, CenterChartAfterAPanPutsTheCentreInTheMiddle) {
  TSmithChart c;
  test::UseTestGeometry(c);
  c.SetSuppressPaint(false);
  c.SetMouseAction(TMouseActMode::maPan);
  const double spanX = c.RangeXHigh() - c.RangeXLow(), spanY = c.RangeYHigh() - c.RangeYLow();
  test::Down(c, 100, 100);
  test::Drag(c, 101, 101);  // the pick-up
  test::Drag(c, 160, 70);
  test::Up(c, 160, 70);
  std::int32_t x = 0, y = 0;
  c.R2M(0, 0, x, y);
  ASSERT_GT(std::abs(x - 160), 20);  // the pan moved the centre out of the middle
  c.CenterChart();
  c.R2M(0, 0, x, y);
  EXPECT_NEAR(x, (50 + 270) / 2, 1);
  EXPECT_NEAR(y, (16 + 168) / 2, 1);
  EXPECT_NEAR(c.RangeXHigh() - c.RangeXLow(), spanX, 1e-12);
  EXPECT_NEAR(c.RangeYHigh() - c.RangeYLow(), spanY, 1e-12);
  EXPECT_NEAR(c.RangeXLow(), -c.RangeXHigh(), 1e-15);
}

// A red stroke drawn with the mouse on a chart of the test geometry.
void DrawTrace(TCustomRChart& c) {
  test::UseTestGeometry(c);
  c.SetSuppressPaint(false);
  c.SetMouseAction(TMouseActMode::maMouseTrace);
  c.SetMouseTraceColor(clRed);
  c.SetMouseTraceInvert(false);
  test::Down(c, 100, 60);
  for (std::int32_t i = 1; i <= 10; ++i) test::Drag(c, 100 + 8 * i, 60 + 5 * i);
  test::Up(c, 180, 110);
  c.Paint();
}

TEST(TSmithChartPaint, TheMouseTraceIsRecordedButNotPainted) {
  TSmithChart c;
  DrawTrace(c);
  ASSERT_GT(c.NumMTracePoints(), 5);
  EXPECT_EQ(CountColor(c.Surface(), clRed), 0);
  // The same stroke on a TRChart is painted: the count above would see it.
  TRChart r;
  DrawTrace(r);
  EXPECT_GT(CountColor(r.Surface(), clRed), 20);
}

TEST(TSmithChartPaint, ColoursRepaintAndExportsShowTheGrid) {
  TSmithChart c;
  Ready(c);
  c.SetDiagramColor(0x00FFFF);
  EXPECT_GT(CountColor(c.Surface(), 0x00FFFF), 5000);
  c.SetGridColorDark(0x0000FF);
  c.SetGridColorLight(0x00FF00);
  EXPECT_GT(CountColor(c.Surface(), 0x0000FF), 500);
  EXPECT_GT(CountColor(c.Surface(), 0x00FF00), 500);
  TBitmap bmp;
  c.CopyToBitmap(bmp, false);
  EXPECT_TRUE(test::ImagesEqual(c.Surface(), bmp, "smith_export"));
  // Black and white: black circles on white, the colours back afterwards.
  c.CopyToBitmap(bmp, true);
  EXPECT_EQ(CountColor(bmp, 0x00FFFF) + CountColor(bmp, 0x0000FF) + CountColor(bmp, 0x00FF00), 0);
  EXPECT_GT(CountColor(bmp, clBlack), 1000);
  EXPECT_EQ(c.DiagramColor(), 0x00FFFFu);
  EXPECT_EQ(c.GridColorDark(), 0x0000FFu);
}

TEST(TSmithChartPaint, PrintedPageShowsTheScreenPictureAtThePrinterResolution) {
  TSmithChart c;
  Ready(c);
  c.MarkAt(0.3, 0.3, 5);
  TBitmap screen;
  c.CopyToBitmap(screen, false);
  HeadlessHost()->SetPrintFilePattern(test::TempPath("smith_page_%d.png"));
  TPrinter& printer = Host().Printer();
  printer.SetPixelsPerInch(192);
  printer.BeginDoc();
  std::int32_t x = 0, y = 0;
  c.CopyToOpenPrinter(x, y, 1.5, false);  // three page pixels per screen pixel
  const TBitmap& page = printer.Page();
  std::int32_t same = 0, total = 0;
  for (std::int32_t sy = 0; sy < screen.Height(); sy += 3)
    for (std::int32_t sx = 0; sx < screen.Width(); sx += 3) {
      const TRGB32 a = page.ScanLine(3 * sy + 1)[3 * sx + 1], b = screen.ScanLine(sy)[sx];
      ++total;
      same += a.R == b.R && a.G == b.G && a.B == b.B;
    }
  EXPECT_GT(same, total * 9 / 10);
  printer.Abort();
}

TEST(TSmithChartAssign, AnotherSmithChartBringsItsColoursAndItems) {
  TSmithChart a;
  Ready(a);
  a.SetGridColorDark(0x112233);
  a.SetGridColorLight(0x445566);
  a.SetDiagramColor(0x778899);
  a.SetDataCol(clRed);
  a.MarkAt(0.3, 0.2, 3);
  a.MoveTo(-0.5, 0);
  a.DrawTo(0.5, 0.5);
  a.SetRangeXLow(-1.5);
  TSmithChart b;
  Ready(b);
  b.Assign(a);
  EXPECT_EQ(b.GridColorDark(), 0x112233u);
  EXPECT_EQ(b.GridColorLight(), 0x445566u);
  EXPECT_EQ(b.DiagramColor(), 0x778899u);
  EXPECT_EQ(b.NumItems(), 3);
  a.Paint();
  EXPECT_TRUE(test::ImagesEqual(a.Surface(), b.Surface(), "smith_assign"));
  // A Smith chart assigned from a plain chart takes its items and keeps its colours.
  TRChart r;
  r.MarkAt(0.3, 0.2, 3);
  r.MarkAt(0.1, 0.2, 3);
  r.MarkAt(0.2, 0.2, 3);
  TSmithChart d;
  d.Assign(r);
  EXPECT_EQ(d.NumItems(), 3);
  EXPECT_EQ(d.DiagramColor(), kSmithDiagramColor);
}

TEST(TSmithChartPaint, ExtremeSizesPaintWithoutHarm) {
  struct TRow {
    std::int32_t W, H;
  };
  for (const TRow& r : {TRow{0, 0}, TRow{1, 1}, TRow{4000, 4000}}) {
    SCOPED_TRACE(testing::Message() << r.W << " x " << r.H);
    TSmithChart c;
    c.MarkAt(0.5, 0.5, 3);
    c.SetBounds(0, 0, r.W, r.H);
    c.SetSuppressPaint(false);
    c.SetRangeXLow(-1.1);
    ExpectIsometric(c);
    if (r.W >= 4000) {
      EXPECT_GT(CountColor(c.Surface(), kSmithDiagramColor), 1000000);
    }
  }
  // Margins that leave no data area at all.
  TSmithChart c;
  Ready(c);
  c.SetLRim(390);
  c.SetTRim(390);
  c.Paint();
  c.CenterChart();
  EXPECT_TRUE(std::isfinite(c.RangeXLow()) && std::isfinite(c.RangeYHigh()));
}

// ---------------------------------------------------------------- published set

std::map<std::string, TPropInfo> PropsByName() {
  TSmithChart::RegisterProperties();
  std::map<std::string, TPropInfo> m;
  for (auto& p : ClassProperties("TSmithChart")) m[p.Name] = p;
  return m;
}

TEST(TSmithChartProps, PublishedSetWithTheDefaultsOfANewChart) {
  const auto props = PropsByName();
  const std::set<std::string> own = {
      "AvoidDuplicateMarks", "MinDupMarkDist", "MarginLeft", "MarginRight", "MarginTop", "MarginBottom",
      "AllocSize", "AutoRedraw", "ClassDefault", "GridColorLight", "GridColorDark", "DataColor", "PenStyle",
      "FillColor", "ChartColor", "ChartFrameColor", "WindColor", "DiagramColor", "LineWidth", "CrossHair",
      "Caption", "CaptionPosX", "CaptionPosY", "CaptionAlignment", "CaptionAnchorHoriz", "CaptionAnchorVert",
      "MouseAction", "MouseCursorFixed", "ShadowWidth", "ShadowStyle", "ShadowColor", "ShadowBakColor",
      "TextFontStyle", "TextBkStyle", "TextBkColor", "TextAlignment", "TransparentItems", "RangeXLow",
      "RangeXHigh", "RangeYLow", "Font", "Align", "Visible", "ShowHint"};
  for (const std::string& name : own) EXPECT_TRUE(props.count(name)) << name;
  // The 2D chart's axes, layers and grid steps are the Smith chart's own business.
  for (const char* name : {"Scale1X", "Scale2Y", "GridStyle", "GridDx", "Isometric", "CrossHair2", "TextLabel1",
                           "JointLayers", "BackGroundImg", "RangeYHigh"})
    EXPECT_FALSE(props.count(name)) << name;
  TSmithChart c;
  for (const auto& [name, p] : props) {
    if (p.Kind == TPropKind::pkObject || p.Default.is_null()) continue;
    EXPECT_EQ(p.Get(c), p.Default) << name;
  }
  EXPECT_EQ(props.at("GridColorDark").Default, 0xA7A7A7);
  EXPECT_EQ(props.at("RangeXLow").Default, -1.2);
  // A new chart stores only its y bound (which follows from its size) and
  // the crosshair's settings that are always written.
  for (const std::string& d : CheckDefaults(c)) EXPECT_TRUE(d == "RangeYLow" || d.find('.') != std::string::npos) << d;
  const auto palette = PaletteComponents("Mivo");
  EXPECT_NE(std::find(palette.begin(), palette.end(), "TSmithChart"), palette.end());
}

TEST(TSmithChartProps, FormRoundTripGivesEqualSettingsAndPicture) {
  TSmithChart a;
  a.SetName("Smith1");
  a.SetBounds(0, 0, 420, 360);
  a.SetLRim(30);
  a.SetRRim(30);
  a.SetGridColorDark(0x404040);
  a.SetGridColorLight(0xC0C0C0);
  a.SetDiagramColor(0xF0FFF0);
  a.SetChartCaption("Input match");
  a.SetCaptAnchorX(TCaptionAnchorHoriz::cahChartCenter);
  a.SetMouseAction(TMouseActMode::maZoomDrag);
  a.SetTextBkStyle(TTextBkg::tbSolid);
  a.CrossHairSetup(clBlue, TCrossHMode::chSmallCross, TPenStyle::psSolid, 2);
  a.CrossHairSetPos(0.2, -0.3);
  // Zoomed and panned: the y range is off the centre.
  a.SetRangeXLow(-0.4);
  a.SetRangeXHigh(1.1);
  a.SetRangeYLow(-0.9);
  const std::string form = WriteFormToString({&a});
  auto loaded = ReadForm(form);
  ASSERT_EQ(loaded.size(), 1u);
  auto* b = dynamic_cast<TSmithChart*>(loaded[0].get());
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(WriteFormToString({b}), form);
  EXPECT_EQ(b->RangeXLow(), -0.4);
  EXPECT_EQ(b->RangeXHigh(), 1.1);
  EXPECT_NEAR(b->RangeYLow(), -0.9, 1e-15);
  EXPECT_NEAR(b->RangeYHigh(), a.RangeYHigh(), 1e-15);
  EXPECT_EQ(b->CrossHair().Mode(), TCrossHMode::chSmallCross);
  for (TSmithChart* c : {&a, b}) {
    c->MarkAt(0.3, 0.4, 5);
    c->MoveTo(0, 0);
    c->DrawTo(0.5, -0.5);
    c->Dispatch(TMessage{});
  }
  EXPECT_TRUE(test::ImagesEqual(a.Surface(), b->Surface(), "smith_roundtrip"));
  EXPECT_GT(CountColor(b->Surface(), 0xF0FFF0), 5000);
}

TEST(TSmithChartProps, GarbageFormsAreRefusedOrIgnored) {
  const auto form = [](const std::string& props) {
    return R"({"class": "TSmithChart", "name": "S", "properties": )" + props + "}";
  };
  for (const char* props : {R"({"GridColorDark": "grey"})", R"({"RangeXLow": [1]})", R"({"MouseAction": 19})",
                            R"({"Scale1X": {}})", R"({"RangeYHigh": 1})", R"({"CrossHair": {"Mode": 9}})",
                            R"({"MarginLeft": 1e300})"}) {
    SCOPED_TRACE(props);
    TSmithChart c;
    const std::string before = WriteComponentToString(c);
    EXPECT_THROW(ReadComponentFromString(c, form(props)), EMivoError);
    EXPECT_EQ(WriteComponentToString(c), before);
  }
  // Non-finite bounds are read but ignored: the chart keeps finite,
  // isometric ranges.
  TSmithChart c;
  ReadComponentFromString(c, form(R"({"RangeXLow": "NaN", "RangeXHigh": "Inf", "RangeYLow": "-Inf"})"));
  EXPECT_EQ(c.RangeXLow(), -1.2);
  EXPECT_EQ(c.RangeXHigh(), 1.2);
  EXPECT_TRUE(std::isfinite(c.RangeYLow()));
  ExpectIsometric(c);
}

}  // namespace
}  // namespace mivo
