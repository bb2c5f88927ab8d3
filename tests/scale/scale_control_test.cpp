// TScale as a control: defaults, setters and their corrections, the mapping,
// recorded ticks, painting triggers and Assign.
#include "mivo/scale/scale.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <cfloat>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/errors.h"
#include "mivo/platform/host.h"
#include "support/picture_files.h"

namespace mivo {
namespace {

// A scale drawing on a bitmap of its size through the foreign canvas.
struct ForeignScale {
  TScale Scale;
  TBitmap Target{400, 400};
  ForeignScale() {
    Scale.UseForeignCanvas(&Target.Canvas(), 0, 0);
    Scale.SetSuppressPaint(false);
  }
};

TEST(ScaleDefaults, ConstructorAndResetComp) {
  TScale s;
  // The published defaults are checked against the registry (scale_props_test).
  EXPECT_EQ(s.ColBlackLine(), 0u);
  EXPECT_EQ(s.ColGrayLine(), 0x808080u);
  EXPECT_EQ(s.ColWhiteLine(), 0xFFFFFFu);
  EXPECT_TRUE(s.SuppressPaint());
  EXPECT_EQ(s.DateFormat().TimeFormat(), TTimeFormat::tfHHMM);
  EXPECT_EQ(s.DateFormat().DateSeparator(), '-');
  EXPECT_EQ(s.DateFormat().TimeSeparator(), ':');
  EXPECT_EQ(s.DateFormat().YearLength(), TYearLength::ylYYYY);
  EXPECT_TRUE(s.DateFormat().MonthName());
  EXPECT_EQ(s.DateFormat().DateForTime(), TDateForTime::dtOnDayChange);
  EXPECT_EQ(s.DateFormat().DateOrder(), TDateOrder::doDMY);
  // Horizontal 400 wide, margins 20: 359 pixels for 100 units.
  EXPECT_DOUBLE_EQ(s.Transf_k(), 3.59);
  EXPECT_DOUBLE_EQ(s.Transf_d(), 20);

  s.SetRange(-5, 5);
  s.SetCaption("x");
  s.OnScaleTickDrawn = [](TObject&, TCanvas&, TScaleType, double, std::int32_t, std::int32_t) {};
  s.ResetComp();
  EXPECT_EQ(s.RangeLow(), 0);
  EXPECT_EQ(s.Caption(), "");
  EXPECT_FALSE(bool(s.OnScaleTickDrawn));
}

TEST(ScaleSetters, RangeCorrections) {
  TScale s;
  s.SetRange(5, 5);
  EXPECT_EQ(s.RangeLow(), 5);
  EXPECT_EQ(s.RangeHigh(), 6);
  s.SetRangeLow(6);  // equals the high end: the high end moves one above
  EXPECT_EQ(s.RangeLow(), 6);
  EXPECT_EQ(s.RangeHigh(), 7);
  s.SetRangeHigh(6);  // equals the low end: the low end moves one above, reversed
  EXPECT_EQ(s.RangeLow(), 7);
  EXPECT_EQ(s.RangeHigh(), 6);
  for (double bad : {std::nan(""), double(INFINITY), -double(INFINITY)}) {
    s.SetRangeLow(bad);
    s.SetRangeHigh(bad);
    s.SetRange(bad, 1);
    s.SetRange(1, bad);
    EXPECT_EQ(s.RangeLow(), 7);
    EXPECT_EQ(s.RangeHigh(), 6);
  }
  s.SetRange(1e300, 1e300);  // adding 1 changes nothing at this magnitude
  EXPECT_GT(s.RangeHigh(), s.RangeLow());
  s.SetRange(DBL_MAX, DBL_MAX);  // nothing finite above: ignored
  EXPECT_EQ(s.RangeLow(), 1e300);

  // Finite ends whose width overflows cannot be mapped: refused like
  // non-finite ends (before, every tick was stacked at the left margin as "0.0").
  s.SetRange(0, 1);
  s.SetRange(-1e308, 1e308);
  s.SetRange(DBL_MAX, -DBL_MAX);
  EXPECT_EQ(s.RangeLow(), 0);
  EXPECT_EQ(s.RangeHigh(), 1);
  s.SetRange(-1e308, 0);  // wide, but the width is finite
  EXPECT_EQ(s.RangeLow(), -1e308);
  s.SetRangeHigh(1e308);
  EXPECT_EQ(s.RangeHigh(), 0);
  s.SetRange(0, 1e308);
  s.SetRangeLow(-1e308);
  EXPECT_EQ(s.RangeLow(), 0);
}

TEST(ScaleSetters, ClampsAndForcedSettings) {
  TScale s;
  struct Row {
    std::int32_t In, Out;
  };
  for (Row r : {Row{1, 2}, Row{50, 10}, Row{0, 0}, Row{-4, 2}, Row{7, 7}}) {
    s.SetMinTicks(r.In);
    EXPECT_EQ(s.MinTicks(), r.Out) << r.In;
  }
  for (Row r : {Row{-7, -3}, Row{20, 12}, Row{-1, -1}, Row{5, 5}}) {
    s.SetDecPlaces(r.In);
    EXPECT_EQ(s.DecPlaces(), r.Out) << r.In;
  }
  s.SetMarginLeft(-5);
  s.SetMarginTop(-1);
  EXPECT_EQ(s.MarginLeft(), 0);
  EXPECT_EQ(s.MarginTop(), 0);
  s.SetLabelType(TFigType::ftTime);
  EXPECT_EQ(s.DecPlaces(), 4);
  s.SetColorScheme(TColorScheme::csSystem);
  EXPECT_EQ(s.ColGrayLine(), 0xFF000010u);
  EXPECT_EQ(s.ColWhiteLine(), 0xFF000014u);
  s.SetColorScheme(TColorScheme::csBWG);
  EXPECT_EQ(s.ColGrayLine(), 0x808080u);
}

TEST(ScaleSetters, LogarithmicAcceptance) {
  TScale s;
  s.SetLogarithmic(true);  // RangeLow 0 after loading: stays linear
  EXPECT_FALSE(s.Logarithmic());
  s.SetRange(1, 1000);
  s.SetLogarithmic(true);
  EXPECT_TRUE(s.Logarithmic());
  s.SetLabelType(TFigType::ftDateTime);  // calendar labels force linear
  EXPECT_FALSE(s.Logarithmic());
  s.SetLogarithmic(true);
  EXPECT_FALSE(s.Logarithmic());
  s.SetLabelType(TFigType::ftNum);
  s.SetRange(-1, 10);
  s.BeginLoading();  // while loading the range is not checked
  s.SetLogarithmic(true);
  EXPECT_TRUE(s.Logarithmic());
  s.Loaded();
  // A logarithmic scale with a non-positive end keeps its mapping and draws no ticks.
  EXPECT_TRUE(s.BuildTickLayout().Ticks.empty());
}

// A refused switch to a logarithmic axis says why; an accepted one, or a
// switch off, leaves no reason behind.
TEST(ScaleSetters, LogarithmicRefusalTellsWhy) {
  struct Row {
    double Low, High;
    TFigType Labels;
    const char* Reason;
  };
  const Row rows[] = {
      {-1.05, 1.05, TFigType::ftNum,
       "A logarithmic axis needs both range ends >= 1e-100; the range is -1.05 ... 1.05."},
      {0, 100, TFigType::ftNum, "A logarithmic axis needs both range ends >= 1e-100; the range is 0 ... 100."},
      {1e-101, 5, TFigType::ftNum, "A logarithmic axis needs both range ends >= 1e-100; the range is 1e-101 ... 5."},
      {1, 1000, TFigType::ftDateTime, "A date/time axis cannot be logarithmic."},
      {1, 1000, TFigType::ftNum, ""},
      {1e-100, 1e300, TFigType::ftTime, ""},
  };
  for (const Row& r : rows) {
    TScale s;
    s.SetRange(r.Low, r.High);
    s.SetLabelType(r.Labels);
    s.SetLogarithmic(true);
    EXPECT_EQ(s.LogRefusal(), r.Reason) << r.Low << " " << r.High;
    EXPECT_EQ(s.Logarithmic(), std::string(r.Reason).empty());
    s.SetLogarithmic(false);
    EXPECT_EQ(s.LogRefusal(), "");
  }
}

TEST(ScaleMapping, LinearAndLogarithmicBothKinds) {
  TScale s;
  struct Row {
    TScaleType Type;
    bool Log;
    double Lo, Hi, Value;
    std::int32_t Pixel;
  };
  using T = TScaleType;
  for (const Row& r : std::vector<Row>{{T::sctHorzUp, false, 0, 100, 0, 20},
                                       {T::sctHorzUp, false, 0, 100, 100, 379},
                                       {T::sctHorzDown, false, 0, 100, 50, 200},  // 199.5, ties to even
                                       {T::sctHorzUp, false, 100, 0, 100, 20},     // reversed
                                       {T::sctVertRight, false, 0, 100, 100, 20},  // high end at the top
                                       {T::sctVertLeft, false, 0, 100, 0, 379},
                                       {T::sctHorzUp, true, 1, 1000, 1, 20},
                                       {T::sctHorzUp, true, 1, 1000, 10, 140},  // 20 + 359/3
                                       {T::sctHorzUp, true, 1, 1000, 1e-200, 0},
                                       {T::sctHorzUp, true, 1000, 1, 1e-200, 400},
                                       {T::sctVertRight, true, 1, 1000, 1000, 20},
                                       {T::sctVertRight, true, 1, 1000, 10, 259},
                                       {T::sctVertRight, true, 1, 1000, 0, 400},  // beyond the low end
                                       {T::sctVertLeft, true, 1000, 1, -5, 0},
                                       {T::sctHorzUp, false, 0, 1e-300, 1, 2147483647},
                                       {T::sctHorzUp, false, 0, 1e-300, -1, -2147483647}}) {
    s.SetLogarithmic(false);
    s.SetScaleType(r.Type);
    s.SetRange(r.Lo, r.Hi);
    s.SetLogarithmic(r.Log);
    ASSERT_EQ(s.Logarithmic(), r.Log);
    EXPECT_EQ(s.R2M(r.Value), r.Pixel) << r.Value << " on " << r.Lo << ".." << r.Hi;
    EXPECT_EQ(s.ConvertToPixelCoords(r.Value), r.Pixel);
  }
  s.SetLogarithmic(false);
  s.SetScaleType(TScaleType::sctHorzUp);
  s.SetRange(0, 100);
  EXPECT_DOUBLE_EQ(s.M2R(20), 0);
  EXPECT_DOUBLE_EQ(s.ConvertPixelToScale(379), 100);
  s.SetRange(1, 1000);
  s.SetLogarithmic(true);
  EXPECT_NEAR(s.M2R(379), 1000, 1e-9);
  EXPECT_DOUBLE_EQ(s.GetScaleCenter(), 500.5);
}

TEST(ScaleMapping, SlopeZeroWhenNarrowerThanMargins) {
  TScale s;
  s.SetBounds(0, 0, 30, 400);  // 30 - 20 - 20 - 1 < 0
  EXPECT_EQ(s.Transf_k(), 0);
  for (double v : {-1e9, 0.0, 50.0, 1e9}) EXPECT_EQ(s.R2M(v), 15);
  EXPECT_EQ(s.M2R(3), s.GetScaleCenter());
  s.SetScaleType(TScaleType::sctVertLeft);  // the height is ample
  EXPECT_NE(s.Transf_k(), 0);
  s.SetBounds(0, 0, 30, 41);
  EXPECT_EQ(s.Transf_k(), 0);
  EXPECT_EQ(s.R2M(1), 20);
}

TEST(ScaleTicks, RecordedPositionsAndGetTickPos) {
  ForeignScale f;
  TScale& s = f.Scale;
  EXPECT_EQ(s.NumTicks(), 21);  // short ticks 0, 5, ... 100 on a horizontal scale
  EXPECT_EQ(s.GetTickPos(1), 0);
  EXPECT_EQ(s.GetTickPos(21), 100);
  EXPECT_EQ(s.GetTickPos(0), 0);
  EXPECT_EQ(s.GetTickPos(22), 0);
  s.SetScaleType(TScaleType::sctVertRight);
  EXPECT_EQ(s.NumTicks(), 27);  // long ticks recorded again
  EXPECT_EQ(s.GetTickPos(22), 0);
  EXPECT_EQ(s.GetTickPos(27), 100);
  s.SetShortTicks(false);
  EXPECT_EQ(s.NumTicks(), 6);
  // More than 250 positions: the first 250 are recorded.
  s.SetRange(1e-90, 1e300);
  s.SetLogarithmic(true);
  ASSERT_TRUE(s.Logarithmic());
  EXPECT_EQ(s.NumTicks(), 250);
  EXPECT_NEAR(std::log10(s.GetTickPos(250)), 159, 1e-6);
  EXPECT_EQ(s.GetTickPos(251), 0);
}

// Extreme settings never hang or crash a drawing.
TEST(ScaleTicks, ExtremeRangesPaint) {
  ForeignScale f;
  TScale& s = f.Scale;
  for (TFigType lt : {TFigType::ftNum, TFigType::ftTime, TFigType::ftDateTime, TFigType::ftUserText})
    for (TScaleType st : {TScaleType::sctHorzUp, TScaleType::sctVertLeft})
      for (auto [lo, hi] : std::vector<std::pair<double, double>>{{0, 1e-300},
                                                                  {-1e300, 1e300},
                                                                  {1e300, -1e300},
                                                                  {-DBL_MAX, DBL_MAX},
                                                                  {0, 2147483647.0 * 4},
                                                                  {5e-324, 1e-323},
                                                                  {-693593, 3000000},
                                                                  {2958000, 3000000},
                                                                  {1, 1 + 1e-12}}) {
        s.SetLabelType(lt);
        s.SetScaleType(st);
        s.SetRange(lo, hi);
        s.SetLogarithmic(true);
        s.SetMinTicks(10);
        s.ForcePaint();
        EXPECT_LE(s.NumTicks(), 250);
        s.SetLogarithmic(false);
        s.ForcePaint();
        EXPECT_LE(s.NumTicks(), 250);
      }
  s.SetBounds(0, 0, 0, 0);
  s.ForcePaint();
  s.SetBounds(0, 0, 100000, 100000);
  s.ForcePaint();
}

TEST(ScalePainting, SuppressionForcePaintAndTriggers) {
  TScale s;
  TBitmap target(400, 400);
  std::int32_t renders = 0;
  s.OnBeforeScaleRendered = [&](TObject&, TCanvas&) { ++renders; };
  s.UseForeignCanvas(&target.Canvas(), 0, 0);
  s.SetCaption("a");  // suppressed since construction
  EXPECT_EQ(renders, 0);
  s.ForcePaint();
  EXPECT_EQ(renders, 1);
  EXPECT_TRUE(s.SuppressPaint());
  s.SetSuppressPaint(false);  // clearing repaints
  EXPECT_EQ(renders, 2);
  s.SetShortTicks(true);  // unchanged: no repaint
  EXPECT_EQ(renders, 2);
  s.SetShortTicks(false);
  EXPECT_EQ(renders, 3);
  s.BeginLoading();
  s.SetCaption("b");
  EXPECT_EQ(renders, 3);
  s.Loaded();
  EXPECT_EQ(renders, 4);
  s.SetVisible(false);  // invisible helpers draw nothing
  s.SetIsHelper(true);
  s.ForcePaint();
  EXPECT_EQ(renders, 4);
}

TEST(ScalePainting, SettingAnUnchangedValueRepaintsOnlyWhereDocumented) {
  // Each setter is given the value the scale already has.
  struct Row {
    const char* Name;
    std::function<void(TScale&)> Set;
    bool Repaints;
  };
  const std::vector<Row> rows{
      {"ShortTicks", [](TScale& s) { s.SetShortTicks(s.ShortTicks()); }, false},
      {"ScaleType", [](TScale& s) { s.SetScaleType(s.ScaleType()); }, false},
      {"ColorScale", [](TScale& s) { s.SetColorScale(s.ColorScale()); }, false},
      {"ColorBackGnd", [](TScale& s) { s.SetColorBackGnd(s.ColorBackGnd()); }, false},
      {"ColorScheme", [](TScale& s) { s.SetColorScheme(s.ColorScheme()); }, false},
      {"FrameStyle", [](TScale& s) { s.SetFrameStyle(s.FrameStyle()); }, false},
      {"IsHelper", [](TScale& s) { s.SetIsHelper(s.IsHelper()); }, false},
      {"RangeLow", [](TScale& s) { s.SetRangeLow(s.RangeLow()); }, true},
      {"RangeHigh", [](TScale& s) { s.SetRangeHigh(s.RangeHigh()); }, true},
      {"Logarithmic", [](TScale& s) { s.SetLogarithmic(s.Logarithmic()); }, true},
      {"MinTicks", [](TScale& s) { s.SetMinTicks(s.MinTicks()); }, true},
      {"DecPlaces", [](TScale& s) { s.SetDecPlaces(s.DecPlaces()); }, true},
      {"LabelType", [](TScale& s) { s.SetLabelType(s.LabelType()); }, true},
      {"UserTickText", [](TScale& s) { s.SetUserTickText(s.UserTickText()); }, true},
      {"ScaleInscript", [](TScale& s) { s.SetScaleInscript(s.ScaleInscript()); }, true},
      {"Caption", [](TScale& s) { s.SetCaption(s.Caption()); }, true},
      {"CaptionPosX", [](TScale& s) { s.SetCaptionPosX(s.CaptionPosX()); }, true},
      {"CaptionAnchor", [](TScale& s) { s.SetCaptionAnchor(s.CaptionAnchor()); }, true},
      {"MarginLeft", [](TScale& s) { s.SetMarginLeft(s.MarginLeft()); }, true},
      {"ShowBaseLine", [](TScale& s) { s.SetShowBaseLine(s.ShowBaseLine()); }, true},
      {"Transparent", [](TScale& s) { s.SetTransparent(s.Transparent()); }, true},
      {"ForCvPosX", [](TScale& s) { s.SetForCvPosX(s.ForCvPosX()); }, true},
  };
  for (const Row& r : rows) {
    ForeignScale f;
    std::int32_t renders = 0;
    f.Scale.OnBeforeScaleRendered = [&](TObject&, TCanvas&) { ++renders; };
    r.Set(f.Scale);
    EXPECT_EQ(renders, r.Repaints ? 1 : 0) << r.Name;
  }
}

TEST(ScalePainting, OwnWindowTransparentOnlyInvalidates) {
  THeadlessHost* host = HeadlessHost();
  ASSERT_NE(host, nullptr);
  TScale s;
  s.HandleNeeded();  // creating the window lifts the suppression
  EXPECT_FALSE(s.SuppressPaint());
  const std::int32_t presents = host->PresentCount(s);
  s.SetCaption("opaque");
  EXPECT_EQ(host->PresentCount(s), presents + 1);
  host->FlushInvalidations();  // also delivers the first paint the new window asked for
  const std::int32_t flushed = host->PresentCount(s);
  s.SetTransparent(true);
  s.SetCaption("transparent");
  EXPECT_TRUE(host->IsInvalidated(s));
  EXPECT_EQ(host->PresentCount(s), flushed);
  host->FlushInvalidations();

  // Once painting is allowed, an opaque scale paints on its own window at once.
  TScale own;
  own.SetSuppressPaint(false);
  EXPECT_TRUE(own.HandleAllocated());
  EXPECT_EQ(own.NumTicks(), 21);
}

TEST(ScalePainting, TransparentHelperPaintsAtOnce) {
  TScale s;
  TBitmap target(400, 400);
  std::int32_t renders = 0;
  s.OnAfterScaleRendered = [&](TObject&, TCanvas& c) {
    EXPECT_EQ(&c, &target.Canvas());
    ++renders;
  };
  s.SetTransparent(true);
  s.SetIsHelper(true);
  s.UseForeignCanvas(&target.Canvas(), 0, 0);
  s.SetSuppressPaint(false);
  EXPECT_EQ(renders, 1);
  s.SetForCvPosY(30);  // moving on the foreign canvas repaints
  EXPECT_EQ(renders, 2);
  s.UseForeignCanvas(nullptr, 5, 5);  // back to the own canvas
  EXPECT_EQ(s.ForCvPosX(), 0);
}

TEST(ScaleAssign, CopiesSettingsTicksAndEvents) {
  ForeignScale src;
  TScale& a = src.Scale;
  a.SetRange(-3, 7);
  a.SetScaleType(TScaleType::sctVertLeft);
  a.SetCaption("volts");
  a.SetUserTickText("p|q");
  a.SetMarginLeft(33);
  a.DateFormat().SetTimeFormat(TTimeFormat::tfAMPM);
  a.UseForeignCanvas(&src.Target.Canvas(), 11, 12);
  std::int32_t labels = 0;
  a.OnBeforeTickLabel = [&](TObject&, TScaleType, double, std::string&) { ++labels; };
  a.ForcePaint();
  ASSERT_GT(a.NumTicks(), 0);

  TScale b;
  b.Assign(a);
  EXPECT_EQ(b.RangeLow(), -3);
  EXPECT_EQ(b.RangeHigh(), 7);
  EXPECT_EQ(b.ScaleType(), TScaleType::sctVertLeft);
  EXPECT_EQ(b.Caption(), "volts");
  EXPECT_EQ(b.UserTickText(), "p|q");
  EXPECT_EQ(b.MarginLeft(), 33);
  EXPECT_EQ(b.DateFormat().TimeFormat(), TTimeFormat::tfAMPM);
  EXPECT_EQ(b.NumTicks(), a.NumTicks());
  EXPECT_EQ(b.GetTickPos(2), a.GetTickPos(2));
  EXPECT_EQ(b.ForCvPosX(), 11);
  EXPECT_EQ(b.ForCvPosY(), 12);
  EXPECT_EQ(b.ForeignCanvas(), nullptr);  // the canvas reference is not copied
  EXPECT_DOUBLE_EQ(b.Transf_k(), a.Transf_k());
  ASSERT_TRUE(bool(b.OnBeforeTickLabel));
  const std::int32_t before = labels;
  TBitmap other(400, 400);
  b.UseForeignCanvas(&other.Canvas(), 0, 0);
  b.ForcePaint();
  EXPECT_GT(labels, before);

  TScale c;
  TDTLabel notAScale;
  EXPECT_THROW(c.Assign(notAScale), EMivoError);
}

// The picture as the control shows it, in the format the extension names.
TEST(ScaleFiles, SaveToFileTakesTheFormatTheExtensionNames) {
  TScale s;
  s.SetBounds(0, 0, 300, 60);
  test::ExpectSavesByExtension([&](const std::string& n) { s.SaveToFile(n); },
                               (std::filesystem::temp_directory_path() / "TScale_saved").string(), 300, 60, "TScale");
}

}  // namespace
}  // namespace mivo
