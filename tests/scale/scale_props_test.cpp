// Published properties of TScale: every default as registered, and a form-file
// round trip through the component streaming.
#include <gtest/gtest.h>

#include <string>

#include "mivo/platform/errors.h"
#include "mivo/platform/properties.h"
#include "mivo/scale/scale.h"

namespace mivo {
namespace {

TEST(ScaleProperties, FreshScaleHasEveryRegisteredDefault) {
  TScale s;
  EXPECT_TRUE(CheckDefaults(s).empty());
  const auto props = ClassProperties("TScale");
  auto defaultOf = [&](const std::string& name) {
    for (const auto& p : props)
      if (p.Name == name) return p.Default;
    ADD_FAILURE() << "no property " << name;
    return TJson();
  };
  EXPECT_EQ(defaultOf("RangeHigh"), 100.0);
  EXPECT_EQ(defaultOf("MinTicks"), 3);
  EXPECT_EQ(defaultOf("DecPlaces"), -2);
  EXPECT_EQ(defaultOf("LabelType"), 1);
  EXPECT_EQ(defaultOf("ColorBackGnd"), 0xFF00000Fu);
  EXPECT_EQ(defaultOf("FrameStyle"), 2);
  EXPECT_EQ(defaultOf("Width"), 400);
}

TEST(ScaleProperties, FormFileRoundTrip) {
  TScale a;
  a.SetName("Scale1");
  a.SetRange(100, 1);  // reversed
  a.SetLogarithmic(true);
  a.SetMinTicks(7);
  a.SetDecPlaces(-3);
  a.SetScaleType(TScaleType::sctVertLeft);
  a.SetCaption("Hz");
  a.SetCaptionAnchor(TScaleUnitAnchor::uaSclBotRgt);
  a.SetUserTickText("a|b");
  a.SetMarginLeft(3);
  a.SetColorScheme(TColorScheme::csSystem);
  a.DateFormat().SetDateSeparator('/');
  a.DateFormat().SetDateForTime(TDateForTime::dtAllTicks);
  const std::string text = WriteComponentToString(a);

  TScale b;
  ReadComponentFromString(b, text);
  EXPECT_EQ(b.RangeLow(), 100);
  EXPECT_EQ(b.RangeHigh(), 1);
  EXPECT_TRUE(b.Logarithmic());
  EXPECT_EQ(b.MinTicks(), 7);
  EXPECT_EQ(b.DecPlaces(), -3);
  EXPECT_EQ(b.ScaleType(), TScaleType::sctVertLeft);
  EXPECT_EQ(b.Caption(), "Hz");
  EXPECT_EQ(b.CaptionAnchor(), TScaleUnitAnchor::uaSclBotRgt);
  EXPECT_EQ(b.UserTickText(), "a|b");
  EXPECT_EQ(b.MarginLeft(), 3);
  EXPECT_EQ(b.ColGrayLine(), 0xFF000010u);
  EXPECT_EQ(b.DateFormat().DateSeparator(), '/');
  EXPECT_EQ(b.DateFormat().DateForTime(), TDateForTime::dtAllTicks);
  EXPECT_FALSE(b.ComponentState().Contains(TComponentStateItem::csLoading));
  EXPECT_DOUBLE_EQ(b.Transf_k(), a.Transf_k());  // Loaded recomputed the mapping
  EXPECT_EQ(WriteComponentToString(b), text);

  // Time-span labels force 4 decimals when set, but not while loading: a
  // stored (or default) DecPlaces survives the round trip.
  TScale c;
  c.SetLabelType(TFigType::ftTime);
  c.SetDecPlaces(-2);
  TScale d;
  ReadComponentFromString(d, WriteComponentToString(c));
  EXPECT_EQ(d.LabelType(), TFigType::ftTime);
  EXPECT_EQ(d.DecPlaces(), -2);

  // A logarithmic scale with a non-positive end loads (no range test while loading).
  ReadComponentFromString(b, R"({"class": "TScale", "name": "S", "properties": {"RangeLow": -1, "Logarithmic": true}})");
  EXPECT_TRUE(b.Logarithmic());
  // A garbage value is refused as a whole.
  EXPECT_THROW(ReadComponentFromString(b, R"({"class": "TScale", "name": "S", "properties": {"LabelType": 9}})"),
               EMivoError);
}

}  // namespace
}  // namespace mivo
