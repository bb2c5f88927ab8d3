// TScaleGauge as a model: the inner dial's set-up and placement, value
// limiting, the refusals of logarithmic gauges, margins, repaint triggers and
// Assign.
#include "mivo/gauge/gauge.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <cfloat>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "mivo/platform/colors.h"
#include "mivo/platform/errors.h"
#include "mivo/platform/host.h"
#include "support/picture_files.h"

namespace mivo {
namespace {

const double kNaN = std::nan("");
const double kInf = INFINITY;

TEST(GaugeModel, InnerDialSetUp) {
  TScaleGauge g;
  const TScale& s = g.Scale();
  EXPECT_EQ(g.Width(), 300);
  EXPECT_EQ(g.Height(), 75);
  EXPECT_EQ(s.Name(), "GaugeScale");
  EXPECT_TRUE(s.IsHelper());
  EXPECT_TRUE(s.Transparent());
  EXPECT_TRUE(s.SuppressPaint());
  EXPECT_EQ(s.FrameStyle(), TFrameStyle::fsNone);
  EXPECT_EQ(s.Width(), 300);
  EXPECT_EQ(s.Height(), 75);
  EXPECT_EQ(s.RangeLow(), -10);
  EXPECT_EQ(s.RangeHigh(), 10);
  EXPECT_FALSE(s.Logarithmic());
  // The gauge's tick settings agree with the dial's from the start.
  EXPECT_EQ(g.MinTicks(), 3);
  EXPECT_EQ(s.MinTicks(), 3);
  EXPECT_TRUE(g.ShortTicks());
  EXPECT_TRUE(s.ShortTicks());
  // Placed for a horizontal gauge: ticks up, ten rows for the index below.
  EXPECT_EQ(s.ScaleType(), TScaleType::sctHorzUp);
  EXPECT_EQ(s.MarginLeft(), 20);
  EXPECT_EQ(s.MarginRight(), 10);
  EXPECT_EQ(s.MarginTop(), 10);
  EXPECT_EQ(s.MarginBottom(), 30);
  EXPECT_EQ(g.ColGrayLine(), 0x808080u);
  EXPECT_EQ(g.ColWhiteLine(), 0xFFFFFFu);
  EXPECT_EQ(g.ColBlackLine(), 0u);
  EXPECT_FALSE(g.HandleAllocated());  // no window until one is needed
}

TEST(GaugeModel, DialPlacementFollowsOrientationMarginsAndSize) {
  TScaleGauge g;
  g.SetOrientation(TGaugeOrientation::goVertical);
  g.SetBounds(0, 0, 80, 300);
  const TScale& s = g.Scale();
  EXPECT_EQ(s.ScaleType(), TScaleType::sctVertLeft);
  EXPECT_EQ(s.Width(), 80);
  EXPECT_EQ(s.Height(), 300);
  EXPECT_EQ(s.MarginRight(), 20);  // cover margin + 10
  EXPECT_EQ(s.MarginBottom(), 20);
  g.SetMarginTop(30);
  EXPECT_EQ(s.MarginTop(), 30);
  // The dial maps Max to the window's top row and Min to its bottom row.
  EXPECT_EQ(s.R2M(10), 30);
  EXPECT_EQ(s.R2M(-10), 300 - 20 - 1);
  g.SetOrientation(TGaugeOrientation::goHorizontal);
  EXPECT_EQ(s.ScaleType(), TScaleType::sctHorzUp);
  EXPECT_EQ(s.MarginBottom(), 30);
  EXPECT_EQ(s.MarginRight(), 10);
  g.SetOrientation(TGaugeOrientation(7));  // not an orientation: ignored
  EXPECT_EQ(g.Orientation(), TGaugeOrientation::goHorizontal);
}

TEST(GaugeModel, ValueIsLimitedToTheRange) {
  struct Row {
    double Min, Max, In, Out;
  };
  for (const Row& r : std::vector<Row>{{-10, 10, 25, 10}, {-10, 10, -25, -10}, {10, -10, 25, 10}, {10, -10, -25, -10},
                                       {-10, 10, 3.5, 3.5}, {-10, 10, DBL_MAX, 10}}) {
    TScaleGauge g;
    g.SetMin(r.Min);
    g.SetMax(r.Max);
    g.SetValue(r.In);
    EXPECT_EQ(g.Value(), r.Out) << r.In << " in " << r.Min << " ... " << r.Max;
  }
}

TEST(GaugeModel, NonFiniteNumbersAreIgnored) {
  TScaleGauge g;
  g.SetValue(4);
  g.SetGaugeZero(1);
  for (double bad : {kNaN, kInf, -kInf}) {
    g.SetValue(bad);
    g.SetMin(bad);
    g.SetMax(bad);
    g.SetGaugeZero(bad);
  }
  EXPECT_EQ(g.Value(), 4);
  EXPECT_EQ(g.Min(), -10);
  EXPECT_EQ(g.Max(), 10);
  EXPECT_EQ(g.GaugeZero(), 1);
  // Limits whose distance overflows cannot be mapped by the dial: refused too.
  g.SetMin(-DBL_MAX);
  g.SetMax(DBL_MAX);
  EXPECT_EQ(g.Min(), -DBL_MAX);
  EXPECT_EQ(g.Max(), 10);
  EXPECT_EQ(g.Scale().RangeLow(), -DBL_MAX);
}

TEST(GaugeModel, LimitsGoToTheDialAndLeaveTheValue) {
  TScaleGauge g;
  g.SetValue(8);
  g.SetMax(5);
  EXPECT_EQ(g.Scale().RangeHigh(), 5);
  EXPECT_EQ(g.Value(), 8);  // not limited anew
  g.SetMin(-2);
  EXPECT_EQ(g.Scale().RangeLow(), -2);
  g.SetValue(9);
  EXPECT_EQ(g.Value(), 5);
}

TEST(GaugeModel, LogarithmicRefusals) {
  TScaleGauge g;
  g.SetLogarithmic(true);  // Min -10: refused
  EXPECT_FALSE(g.Logarithmic());
  EXPECT_FALSE(g.Scale().Logarithmic());
  g.SetMin(1);
  g.SetMax(1000);
  g.SetLogarithmic(true);
  EXPECT_TRUE(g.Logarithmic());
  EXPECT_TRUE(g.Scale().Logarithmic());
  // Non-positive limits are refused on a logarithmic gauge.
  for (double bad : {0.0, -1.0, -1e300}) {
    g.SetMin(bad);
    g.SetMax(bad);
  }
  EXPECT_EQ(g.Min(), 1);
  EXPECT_EQ(g.Max(), 1000);
  g.SetMin(0.5);
  EXPECT_EQ(g.Min(), 0.5);
  g.SetLogarithmic(false);
  EXPECT_FALSE(g.Scale().Logarithmic());
  g.SetMin(-3);  // linear again: taken
  EXPECT_EQ(g.Min(), -3);
  // Positive, but below what the dial's logarithm maps: the gauge stays linear
  // with its dial instead of claiming a logarithmic dial it does not have.
  g.SetMin(1e-200);
  g.SetLogarithmic(true);
  EXPECT_FALSE(g.Logarithmic());
  EXPECT_FALSE(g.Scale().Logarithmic());
}

TEST(GaugeModel, LogarithmicMovingDialCentredOnAValueBelowZero) {
  TScaleGauge g;
  g.SetFixedDial(false);
  g.SetValue(-5);
  g.Paint();  // the moving dial is centred on -5
  g.SetMin(1);
  g.SetMax(100);
  g.SetLogarithmic(true);  // Min and Max are positive: taken, whatever the dial showed
  EXPECT_TRUE(g.Logarithmic());
  g.Paint();  // a value the logarithm cannot centre on paints without a fault
}

TEST(GaugeModel, FixedDialSwitchedOnRestoresTheRange) {
  TScaleGauge g;
  g.SetFixedDial(false);
  g.SetValue(3);
  g.Paint();
  EXPECT_EQ(g.Scale().RangeLow(), -7);
  EXPECT_EQ(g.Scale().RangeHigh(), 13);
  g.SetFixedDial(true);
  EXPECT_EQ(g.Scale().RangeLow(), -10);
  EXPECT_EQ(g.Scale().RangeHigh(), 10);
}

TEST(GaugeModel, MarginsKeepATwentyPixelWindow) {
  struct Row {
    std::function<void(TScaleGauge&, std::int32_t)> Set;
    std::function<std::int32_t(const TScaleGauge&)> Get;
    std::int32_t In, Out;
  };
  auto left = [](TScaleGauge& g, std::int32_t v) { g.SetMarginLeft(v); };
  auto right = [](TScaleGauge& g, std::int32_t v) { g.SetMarginRight(v); };
  auto top = [](TScaleGauge& g, std::int32_t v) { g.SetMarginTop(v); };
  auto bottom = [](TScaleGauge& g, std::int32_t v) { g.SetMarginBottom(v); };
  auto gl = [](const TScaleGauge& g) { return g.MarginLeft(); };
  auto gr = [](const TScaleGauge& g) { return g.MarginRight(); };
  auto gt = [](const TScaleGauge& g) { return g.MarginTop(); };
  auto gb = [](const TScaleGauge& g) { return g.MarginBottom(); };
  for (const Row& r : std::vector<Row>{{left, gl, 1000, 300 - 10 - 20},
                                       {left, gl, 271, 270},
                                       {left, gl, 270, 270},
                                       {right, gr, 1000, 300 - 20 - 20},
                                       {top, gt, 1000, 75 - 20 - 20},
                                       {bottom, gb, 46, 45},
                                       {left, gl, -5, 0},
                                       {bottom, gb, INT32_MIN, 0}}) {
    TScaleGauge g;
    r.Set(g, r.In);
    EXPECT_EQ(r.Get(g), r.Out) << r.In;
  }
  TScaleGauge g;
  g.SetMarginLeft(100);
  EXPECT_EQ(g.Scale().MarginLeft(), 100);
  g.SetMarginBottom(5);
  EXPECT_EQ(g.Scale().MarginBottom(), 15);
}

TEST(GaugeModel, TickSettingsPassToTheDial) {
  TScaleGauge g;
  g.SetMinTicks(50);
  EXPECT_EQ(g.MinTicks(), 50);  // the value given
  EXPECT_EQ(g.Scale().MinTicks(), 10);  // clamped by the dial
  g.SetShortTicks(false);
  EXPECT_FALSE(g.Scale().ShortTicks());
}

TEST(GaugeModel, ColorSchemeKeepsShades) {
  TScaleGauge g;
  g.SetColorScheme(TColorScheme::csSystem);
  EXPECT_EQ(g.ColGrayLine(), clBtnShadow);
  EXPECT_EQ(g.ColWhiteLine(), clBtnHighlight);
  g.SetColorScheme(TColorScheme::csBWG);
  EXPECT_EQ(g.ColGrayLine(), 0x808080u);
  g.SetColorScheme(TColorScheme(9));
  EXPECT_EQ(g.ColorScheme(), TColorScheme::csBWG);
}

// Repaints counted as presentations of the window.
struct Presented {
  TScaleGauge G;
  std::int32_t Base = 0;
  Presented() {
    G.HandleNeeded();
    HeadlessHost()->ProcessMessages();
    Base = HeadlessHost()->PresentCount(G);
  }
  std::int32_t Count() const { return HeadlessHost()->PresentCount(G) - Base; }
};

TEST(GaugeModel, SettersRepaintOnlyOnChange) {
  ASSERT_NE(HeadlessHost(), nullptr);
  struct Row {
    const char* Name;
    std::function<void(TScaleGauge&)> Same, Changed;
  };
  const std::vector<Row> rows{
      {"Value", [](TScaleGauge& g) { g.SetValue(0); }, [](TScaleGauge& g) { g.SetValue(1); }},
      {"Min", [](TScaleGauge& g) { g.SetMin(-10); }, [](TScaleGauge& g) { g.SetMin(-11); }},
      {"Max", [](TScaleGauge& g) { g.SetMax(10); }, [](TScaleGauge& g) { g.SetMax(11); }},
      {"GaugeZero", [](TScaleGauge& g) { g.SetGaugeZero(0); }, [](TScaleGauge& g) { g.SetGaugeZero(2); }},
      {"FixedDial", [](TScaleGauge& g) { g.SetFixedDial(true); }, [](TScaleGauge& g) { g.SetFixedDial(false); }},
      {"MinTicks", [](TScaleGauge& g) { g.SetMinTicks(3); }, [](TScaleGauge& g) { g.SetMinTicks(5); }},
      {"ShortTicks", [](TScaleGauge& g) { g.SetShortTicks(true); }, [](TScaleGauge& g) { g.SetShortTicks(false); }},
      {"Background", [](TScaleGauge& g) { g.SetBackground(TGaugeBackground::gbVertGrad); },
       [](TScaleGauge& g) { g.SetBackground(TGaugeBackground::gbPlain); }},
      {"IndexMode", [](TScaleGauge& g) { g.SetIndexMode(TGaugeIndexMode::gimTriangle); },
       [](TScaleGauge& g) { g.SetIndexMode(TGaugeIndexMode::gimBar); }},
      {"ColorBg1", [](TScaleGauge& g) { g.SetColorBg1(0x808080); }, [](TScaleGauge& g) { g.SetColorBg1(1); }},
      {"ColorCover", [](TScaleGauge& g) { g.SetColorCover(0xC0C0C0); }, [](TScaleGauge& g) { g.SetColorCover(1); }},
      {"ColorScale", [](TScaleGauge& g) { g.SetColorScale(0); }, [](TScaleGauge& g) { g.SetColorScale(1); }},
      {"ColorScheme", [](TScaleGauge& g) { g.SetColorScheme(TColorScheme::csBWG); },
       [](TScaleGauge& g) { g.SetColorScheme(TColorScheme::csSystem); }},
      {"FrameStyleOuter", [](TScaleGauge& g) { g.SetFrameStyleOuter(TFrameStyle::fsRaised); },
       [](TScaleGauge& g) { g.SetFrameStyleOuter(TFrameStyle::fsNone); }},
      {"MarginLeft", [](TScaleGauge& g) { g.SetMarginLeft(20); }, [](TScaleGauge& g) { g.SetMarginLeft(21); }},
      {"Caption", [](TScaleGauge& g) { g.SetCaption(""); }, [](TScaleGauge& g) { g.SetCaption("V"); }},
      {"CaptionStyle", [](TScaleGauge& g) { g.SetCaptionStyle(TFontStyles{TFontStyle::fsBold}); },
       [](TScaleGauge& g) { g.SetCaptionStyle(TFontStyles{}); }},
  };
  for (const Row& r : rows) {
    Presented p;
    r.Same(p.G);
    EXPECT_EQ(p.Count(), 0) << r.Name;
    r.Changed(p.G);
    EXPECT_EQ(p.Count(), 1) << r.Name;
  }
  // Orientation and Enabled repaint whenever set.
  Presented p;
  p.G.SetOrientation(TGaugeOrientation::goHorizontal);
  p.G.SetEnabled(true);
  EXPECT_EQ(p.Count(), 2);
}

TEST(GaugeModel, NoWindowNoPaint) {
  TScaleGauge g;
  g.SetValue(5);
  g.SetCaption("x");
  EXPECT_FALSE(g.HandleAllocated());
  EXPECT_EQ(g.GrafBmp().Width(), 300);
}

TEST(GaugeModel, AssignCopiesTheLookAndTheValue) {
  TScaleGauge a;
  a.SetFrameStyleOuter(TFrameStyle::fsEngraved);
  a.SetFrameStyleInner(TFrameStyle::fsSimple);
  a.SetEnabled(false);
  a.SetValue(7);
  a.SetColorBg1(0x111111);
  a.SetColorBg2(0x222222);
  a.SetColorScheme(TColorScheme::csWindows);
  a.SetCaption("not copied");
  a.SetMax(100);

  TScaleGauge b;
  b.Assign(a);
  EXPECT_EQ(b.FrameStyleOuter(), TFrameStyle::fsEngraved);
  EXPECT_EQ(b.FrameStyleInner(), TFrameStyle::fsSimple);
  EXPECT_FALSE(b.Enabled());
  EXPECT_EQ(b.Value(), 7);
  EXPECT_EQ(b.ColorBg1(), 0x111111u);
  EXPECT_EQ(b.ColorBg2(), 0x222222u);
  EXPECT_EQ(b.ColorScheme(), TColorScheme::csWindows);
  EXPECT_EQ(b.ColGrayLine(), clBtnShadow);
  EXPECT_EQ(b.Caption(), "");
  EXPECT_EQ(b.Max(), 10);

  // AssignTo a gauge is the target's Assign.
  struct TProbe : TScaleGauge {
    using TScaleGauge::AssignTo;
  } probe;
  probe.SetValue(-4);
  TScaleGauge c;
  probe.AssignTo(c);
  EXPECT_EQ(c.Value(), -4);
  TScale notAGauge;
  EXPECT_THROW(c.Assign(notAGauge), EMivoError);
  EXPECT_THROW(notAGauge.Assign(c), EMivoError);
}

// The picture as the control shows it, in the format the extension names.
TEST(GaugeFiles, SaveToFileTakesTheFormatTheExtensionNames) {
  TScaleGauge s;
  s.SetBounds(0, 0, 240, 90);
  test::ExpectSavesByExtension([&](const std::string& n) { s.SaveToFile(n); },
                               (std::filesystem::temp_directory_path() / "TScaleGauge_saved").string(), 240, 90, "TScaleGauge");
}

}  // namespace
}  // namespace mivo
