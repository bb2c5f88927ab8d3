// TColorScale's model: defaults, range and colour-range setters with their
// corrections, margins, the placement of the inner scale, conversions,
// painting triggers and Assign.
#include "mivo/colorscale/colorscale.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <cfloat>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "mivo/base/dt_label.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/errors.h"
#include "support/picture_files.h"

namespace mivo {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Entry i of a ten-colour array: distinct, neither black nor the background.
TColor Entry(std::int32_t i) { return RGB(std::uint8_t(20 * i), 100, 200); }

void FillTen(TColorScale& cs) {
  cs.ColorArray.SetSize(10);
  for (std::int32_t i = 1; i <= 10; ++i) cs.ColorArray.SetColorElem(i, Entry(i));
}

TEST(ColorScaleModel, ConstructorSetsUpInnerScaleAndCrossHair) {
  TColorScale cs;
  EXPECT_EQ(cs.Width(), 300);
  EXPECT_EQ(cs.Height(), 75);
  EXPECT_TRUE(cs.SuppressPaint());
  EXPECT_EQ(cs.ColorArray.Size(), 0);
  const TScale& s = cs.Scale();
  EXPECT_EQ(s.Name(), "ColorScale");
  EXPECT_TRUE(s.IsHelper());
  EXPECT_TRUE(s.Transparent());
  EXPECT_TRUE(s.SuppressPaint());
  EXPECT_EQ(s.FrameStyle(), TFrameStyle::fsNone);
  EXPECT_EQ(s.ScaleType(), TScaleType::sctHorzDown);
  EXPECT_EQ(s.Width(), 300);
  EXPECT_EQ(s.Height(), 75);
  EXPECT_EQ(s.RangeLow(), -10);
  EXPECT_EQ(s.RangeHigh(), 10);
  EXPECT_EQ(s.ForeignCanvas(), &const_cast<TBitmap&>(cs.GrafBmp()).Canvas());
  EXPECT_EQ(cs.CrossHair().Mode(), TCrossHMode::chBoth);
  EXPECT_EQ(cs.CrossHair().Color(), 0x0000FFu);
  EXPECT_EQ(cs.CrossHair().LineType(), TPenStyle::psDot);
  EXPECT_EQ(cs.CrossHair().LineWidth(), 1);
  EXPECT_EQ(cs.CaptionStyle(), TFontStyles{TFontStyle::fsBold});
  EXPECT_EQ(cs.ColGrayLine(), 0x808080u);
  EXPECT_EQ(cs.ColWhiteLine(), 0xFFFFFFu);
}

TEST(ColorScaleModel, SetScaleRangeSetsAxisAndColoursAndMovesEqualEndsApart) {
  TColorScale cs;
  struct Row {
    double Low, High, OutLow, OutHigh;
  };
  for (const Row& r : std::vector<Row>{{3, 3, 2, 4}, {-5, 20, -5, 20}, {20, -5, 20, -5}, {0, 0, -1, 1}}) {
    cs.SetScaleRange(r.Low, r.High);
    EXPECT_EQ(cs.ScaleRangeLow(), r.OutLow);
    EXPECT_EQ(cs.ScaleRangeHigh(), r.OutHigh);
    EXPECT_EQ(cs.ColorLow(), r.OutLow);
    EXPECT_EQ(cs.ColorHigh(), r.OutHigh);
    EXPECT_EQ(cs.Scale().RangeLow(), r.OutLow);
    EXPECT_EQ(cs.Scale().RangeHigh(), r.OutHigh);
  }
  // Adding 1 changes nothing at this size: the ends still move apart.
  cs.SetScaleRange(1e300, 1e300);
  EXPECT_LT(cs.ScaleRangeLow(), 1e300);
  EXPECT_GT(cs.ScaleRangeHigh(), 1e300);
  cs.SetScaleRange(-1, 1);
  for (auto [lo, hi] : std::vector<std::pair<double, double>>{
           {kNaN, 1}, {1, kNaN}, {-kInf, 1}, {0, kInf}, {-1e308, 1e308}, {DBL_MAX, DBL_MAX}}) {
    cs.SetScaleRange(lo, hi);
    EXPECT_EQ(cs.ScaleRangeLow(), -1) << lo << " " << hi;
    EXPECT_EQ(cs.ScaleRangeHigh(), 1);
    EXPECT_EQ(cs.ColorLow(), -1);
    EXPECT_EQ(cs.ColorHigh(), 1);
  }
}

TEST(ColorScaleModel, AxisEndsLeaveTheColourRange) {
  TColorScale cs;
  cs.SetScaleRangeLow(-4);
  cs.SetScaleRangeHigh(6);
  EXPECT_EQ(cs.ScaleRangeLow(), -4);
  EXPECT_EQ(cs.ScaleRangeHigh(), 6);
  EXPECT_EQ(cs.ColorLow(), -10);
  EXPECT_EQ(cs.ColorHigh(), 10);
  // The inner scale's rule for equal ends moves the other end; both are kept.
  cs.SetScaleRangeLow(6);
  EXPECT_EQ(cs.ScaleRangeLow(), 6);
  EXPECT_EQ(cs.ScaleRangeHigh(), 7);
  EXPECT_EQ(cs.Scale().RangeHigh(), 7);
  for (double bad : {kNaN, kInf, -kInf}) {
    cs.SetScaleRangeLow(bad);
    cs.SetScaleRangeHigh(bad);
  }
  EXPECT_EQ(cs.ScaleRangeLow(), 6);
  EXPECT_EQ(cs.ScaleRangeHigh(), 7);
}

TEST(ColorScaleModel, ColourRangeStaysOrdered) {
  TColorScale cs;
  cs.SetColorLow(15);  // above ColorHigh: ColorHigh follows
  EXPECT_EQ(cs.ColorLow(), 15);
  EXPECT_EQ(cs.ColorHigh(), 15);
  cs.SetColorHigh(-3);  // below ColorLow: ColorLow follows
  EXPECT_EQ(cs.ColorLow(), -3);
  EXPECT_EQ(cs.ColorHigh(), -3);
  cs.SetColorHigh(4);
  cs.SetColorLow(-2);
  EXPECT_EQ(cs.ColorLow(), -2);
  EXPECT_EQ(cs.ColorHigh(), 4);
  EXPECT_EQ(cs.ScaleRangeLow(), -10);  // the axis stays
  for (double bad : {kNaN, kInf, -kInf}) {
    cs.SetColorLow(bad);
    cs.SetColorHigh(bad);
  }
  cs.SetColorLow(-1e308);
  cs.SetColorHigh(1e308);  // the width would overflow
  EXPECT_EQ(cs.ColorLow(), -1e308);
  EXPECT_EQ(cs.ColorHigh(), 4);
}

TEST(ColorScaleModel, MinTicksClampedAndHeldByTheInnerScale) {
  TColorScale cs;
  struct Row {
    std::int32_t In, Out;
  };
  for (Row r : {Row{1, 2}, Row{0, 2}, Row{-7, 2}, Row{50, 10}, Row{6, 6}}) {
    cs.SetMinTicks(r.In);
    EXPECT_EQ(cs.MinTicks(), r.Out) << r.In;
    EXPECT_EQ(cs.Scale().MinTicks(), r.Out);
  }
}

TEST(ColorScaleModel, MarginsLimitedAndPassedToTheInnerScale) {
  TColorScale cs;
  cs.SetMarginLeft(500);  // at most 300 - 16 - 1
  EXPECT_EQ(cs.MarginLeft(), 283);
  EXPECT_EQ(cs.Scale().MarginLeft(), 283);
  cs.SetMarginLeft(-5);  // no lower limit
  EXPECT_EQ(cs.MarginLeft(), -5);
  cs.SetMarginLeft(16);
  cs.SetMarginBottom(100);  // at most 75 - 8 - 1
  EXPECT_EQ(cs.MarginBottom(), 66);
  EXPECT_EQ(cs.Scale().MarginTop(), 75 - 66);  // the axis runs along the bar's lower edge
  cs.SetMarginBottom(22);
  cs.SetMarginTop(70);
  EXPECT_EQ(cs.MarginTop(), 52);
  cs.SetMarginTop(8);
  cs.SetMarginRight(std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(cs.MarginRight(), 283);
  cs.SetMarginRight(20);
  EXPECT_EQ(cs.Scale().MarginRight(), 20);

  cs.SetOrientation(TColScaleOrientation::csoVertical);
  const TScale& s = cs.Scale();
  EXPECT_EQ(s.ScaleType(), TScaleType::sctVertRight);
  EXPECT_EQ(s.MarginLeft(), 300 - 20);  // the axis runs along the bar's right edge
  EXPECT_EQ(s.MarginTop(), 8);
  EXPECT_EQ(s.MarginBottom(), 22);
  cs.SetBounds(0, 0, 90, 400);
  EXPECT_EQ(s.Width(), 90);
  EXPECT_EQ(s.Height(), 400);
  EXPECT_EQ(s.MarginLeft(), 70);
  cs.SetOrientation(TColScaleOrientation::csoHorizontal);
  EXPECT_EQ(s.ScaleType(), TScaleType::sctHorzDown);
  EXPECT_EQ(s.MarginTop(), 400 - 22);
}

TEST(ColorScaleModel, ValueToColorAndBack) {
  TColorScale cs;
  EXPECT_EQ(cs.ValueToColor(0), cs.ColorSclBkgd());  // no colours yet
  EXPECT_EQ(cs.ColorToValue(clRed), -10);
  FillTen(cs);
  EXPECT_EQ(cs.ValueToColor(-50), Entry(1));
  EXPECT_EQ(cs.ValueToColor(50), Entry(10));
  EXPECT_EQ(cs.ValueToColor(0), Entry(5));
  EXPECT_EQ(cs.ValueToColor(kNaN), cs.ColorSclBkgd());
  EXPECT_EQ(cs.ValueToColor(kInf), Entry(10));
  cs.SetColorLow(2);
  cs.SetColorHigh(2);  // empty colour range: entry N / 2 for every value
  for (double v : {-100.0, 2.0, 100.0}) EXPECT_EQ(cs.ValueToColor(v), Entry(5)) << v;
  cs.SetColorHigh(12);
  EXPECT_DOUBLE_EQ(cs.ColorToValue(Entry(5)), 7);
  EXPECT_DOUBLE_EQ(cs.ColorToValue(Entry(10)), 12);
  EXPECT_DOUBLE_EQ(cs.ColorToValue(Entry(3) + 1), 5);  // nearest entry
  EXPECT_EQ(cs.ValueToPixel(-10), 16);
  EXPECT_EQ(cs.ValueToPixel(10), 283);
  EXPECT_EQ(cs.ValueToPixel(-1e300), -2147483647);
  EXPECT_EQ(cs.ValueToPixel(cs.Scale().ConvertPixelToScale(100)), 100);
}

TEST(ColorScaleModel, SettersRepaintOnlyWhenChanged) {
  struct Row {
    const char* Name;
    std::function<void(TColorScale&)> Set;
    bool Repaints;
  };
  const std::vector<Row> rows{
      {"Caption same", [](TColorScale& c) { c.SetCaption(c.Caption()); }, false},
      {"Caption", [](TColorScale& c) { c.SetCaption("T"); }, true},
      {"CaptionColor same", [](TColorScale& c) { c.SetCaptionColor(c.CaptionColor()); }, false},
      {"CaptionSize", [](TColorScale& c) { c.SetCaptionSize(20); }, true},
      {"ColorSclBkgd same", [](TColorScale& c) { c.SetColorSclBkgd(c.ColorSclBkgd()); }, false},
      {"ColorOfScale", [](TColorScale& c) { c.SetColorOfScale(clRed); }, true},
      {"ColorScheme same", [](TColorScale& c) { c.SetColorScheme(c.ColorScheme()); }, false},
      {"FrameStyle", [](TColorScale& c) { c.SetFrameStyle(TFrameStyle::fsRaised); }, true},
      {"ExtendColors same", [](TColorScale& c) { c.SetExtendColors(false); }, false},
      {"FramedColorScale", [](TColorScale& c) { c.SetFramedColorScale(false); }, true},
      {"MarginTop same", [](TColorScale& c) { c.SetMarginTop(8); }, false},
      {"MarginTop", [](TColorScale& c) { c.SetMarginTop(9); }, true},
      {"ColorLow", [](TColorScale& c) { c.SetColorLow(1); }, true},
      {"ScaleRange", [](TColorScale& c) { c.SetScaleRange(1, 2); }, true},
      {"ColorArray", [](TColorScale& c) { c.ColorArray.SetSize(3); }, true},
      {"CrossHair", [](TColorScale& c) { c.CrossHair().SetPosX(3); }, true},
      {"CrossHair same", [](TColorScale& c) { c.SetCrossHair(c.CrossHair()); }, false},
      {"MouseAction", [](TColorScale& c) { c.SetMouseAction(TMouseActMode::maColorScaleZoomPan); }, false},
  };
  for (const Row& r : rows) {
    TColorScale cs;
    cs.SetSuppPaint(false);  // paints once
    std::int32_t renders = 0;
    cs.OnDataRendered = [&](TObject&, TCanvas&) { ++renders; };
    r.Set(cs);
    EXPECT_EQ(renders, r.Repaints ? 1 : 0) << r.Name;
  }
}

TEST(ColorScaleModel, SuppressionLoadingAndTheWindow) {
  TColorScale cs;
  std::int32_t renders = 0;
  cs.OnDataRendered = [&](TObject&, TCanvas&) { ++renders; };
  cs.SetCaption("a");  // suppressed since construction
  EXPECT_EQ(renders, 0);
  cs.SetSuppPaint(false);
  EXPECT_EQ(renders, 1);
  EXPECT_TRUE(cs.HandleAllocated());
  cs.BeginLoading();
  cs.SetCaption("b");
  EXPECT_EQ(renders, 1);
  cs.Loaded();
  EXPECT_EQ(renders, 2);
  cs.SetVisible(false);
  cs.SetCaption("c");
  EXPECT_EQ(renders, 2);
  cs.SetVisible(true);

  TColorScale own;
  own.HandleNeeded();  // creating the window lifts the suppression
  EXPECT_FALSE(own.SuppressPaint());
}

TEST(ColorScaleModel, CrossHairSettingsAreCopiedWithoutNonFinitePositions) {
  TColorScale cs;
  TCrossHair c;
  c.SetPos(2.5, kNaN);
  c.SetColor(clLime);
  c.SetLineWidth(3);
  cs.SetCrossHair(c);
  EXPECT_EQ(cs.CrossHair().PosX(), 2.5);
  EXPECT_EQ(cs.CrossHair().PosY(), 0);
  EXPECT_EQ(cs.CrossHair().Color(), TColor(clLime));
  EXPECT_EQ(cs.CrossHair().LineWidth(), 3);
  EXPECT_NE(&cs.GetCrossHair(), &c);  // copied, not taken
}

TEST(ColorScaleModel, AssignCopiesSettingsCrossHairColoursAndInnerScale) {
  TColorScale a;
  FillTen(a);
  a.SetScaleRange(-3, 7);
  a.SetColorHigh(5);
  a.SetCaption("kelvin");
  a.SetCaptionStyle(TFontStyles{TFontStyle::fsItalic});
  a.SetExtendColors(true);
  a.SetMarginLeft(30);
  a.SetColorScheme(TColorScheme::csSystem);
  a.SetMouseAction(TMouseActMode::maMoveCrossHair);
  a.SetOrientation(TColScaleOrientation::csoVertical);
  a.CrossHair().SetPosY(4);
  a.Scale().SetDecPlaces(3);
  a.Scale().DateFormat().SetDateSeparator('/');
  std::int32_t zooms = 0;
  a.OnZoomPan = [&](TObject&) { ++zooms; };

  TColorScale b;
  b.SetBounds(0, 0, 80, 300);
  b.Assign(a);
  EXPECT_EQ(b.ScaleRangeLow(), -3);
  EXPECT_EQ(b.ScaleRangeHigh(), 7);
  EXPECT_EQ(b.ColorLow(), -3);
  EXPECT_EQ(b.ColorHigh(), 5);
  EXPECT_EQ(b.Caption(), "kelvin");
  EXPECT_EQ(b.CaptionStyle(), TFontStyles{TFontStyle::fsItalic});
  EXPECT_TRUE(b.ExtendColors());
  EXPECT_EQ(b.MarginLeft(), 30);
  EXPECT_EQ(b.ColGrayLine(), a.ColGrayLine());
  EXPECT_EQ(b.MouseAction(), TMouseActMode::maMoveCrossHair);
  EXPECT_EQ(b.Orientation(), TColScaleOrientation::csoVertical);
  EXPECT_EQ(b.CrossHair().PosY(), 4);
  EXPECT_EQ(b.ColorArray.Size(), 10);
  EXPECT_EQ(b.ColorArray.GetColorElem(7), Entry(7));
  EXPECT_EQ(b.Scale().DecPlaces(), 3);
  EXPECT_EQ(b.Scale().DateFormat().DateSeparator(), '/');
  // The inner scale keeps drawing on b's own bitmap at b's size.
  EXPECT_EQ(b.Scale().ForeignCanvas(), &const_cast<TBitmap&>(b.GrafBmp()).Canvas());
  EXPECT_EQ(b.Scale().Height(), 300);
  EXPECT_EQ(b.Scale().MarginLeft(), 80 - 16);
  EXPECT_EQ(b.Width(), 80);  // the size is b's own
  ASSERT_TRUE(bool(b.OnZoomPan));
  b.DoZoomPanEvent();
  EXPECT_EQ(zooms, 1);
  // Changes of the copy's colour array repaint the copy, not the source.
  b.SetSuppPaint(false);
  std::int32_t renders = 0;
  b.OnDataRendered = [&](TObject& sender, TCanvas&) {
    EXPECT_EQ(&sender, &b);
    ++renders;
  };
  b.ColorArray.SetColorElem(1, clWhite);
  EXPECT_EQ(renders, 1);
  EXPECT_EQ(a.ColorArray.GetColorElem(1), Entry(1));

  TColorScale c;
  TDTLabel notAColorScale;
  EXPECT_THROW(c.Assign(notAColorScale), EMivoError);
}

// The picture as the control shows it, in the format the extension names.
TEST(ColorScaleFiles, SaveToFileTakesTheFormatTheExtensionNames) {
  TColorScale s;
  s.SetBounds(0, 0, 80, 240);
  test::ExpectSavesByExtension([&](const std::string& n) { s.SaveToFile(n); },
                               (std::filesystem::temp_directory_path() / "TColorScale_saved").string(), 80, 240, "TColorScale");
}

}  // namespace
}  // namespace mivo
