#include "mivo/base/color_array.h"

#include <gtest/gtest.h>

#include <vector>

#include "mivo/platform/errors.h"

namespace mivo {
namespace {

TEST(ColorArrayTest, InterpolateColorPerChannel) {
  EXPECT_EQ(InterpolateColor(clBlack, clWhite, 0.5), RGB(128, 128, 128));  // 127.5 rounds to even 128
  EXPECT_EQ(InterpolateColor(RGB(10, 20, 30), RGB(20, 40, 60), 0.25), RGB(12, 25, 38));  // 12.5 -> 12
  EXPECT_EQ(InterpolateColor(clRed, clBlue, 0), clRed);
  EXPECT_EQ(InterpolateColor(clRed, clBlue, 1), clBlue);
  EXPECT_EQ(InterpolateColor(clRed, clBlue, -3), clRed);
  EXPECT_EQ(InterpolateColor(clRed, clBlue, 9), clBlue);
  EXPECT_EQ(InterpolateColor(clRed, clBlue, std::numeric_limits<double>::quiet_NaN()), clRed);
  // System colours are resolved first.
  EXPECT_EQ(InterpolateColor(clBtnFace, clBtnFace, 0.5), ColorToRGB(clBtnFace));
}

TEST(ColorArrayTest, OneBasedEntriesAndSizeLimits) {
  TColorArray a(3);
  a.SetColorElem(1, clRed);
  a.SetColorElem(3, clBlue);
  a.SetColorElem(0, clLime);
  a.SetColorElem(4, clLime);
  EXPECT_EQ(a.GetColorElem(1), clRed);
  EXPECT_EQ(a.GetColorElem(2), clBlack);
  EXPECT_EQ(a.GetColorElem(0), clBlack);
  EXPECT_EQ(a.GetColorElem(4), clBlack);
  EXPECT_THROW(a.SetSize(TColorArray::kMaxColorArraySize + 1), EMivoError);
  EXPECT_EQ(a.Size(), 3);
  a.SetSize(-1);
  EXPECT_EQ(a.Size(), 0);
  EXPECT_EQ(a.ColorToIndex(clRed), 0);
}

TEST(ColorArrayTest, FillByInterpolationSpreadsEvenly) {
  TColorArray a(5);
  a.FillByInterpolation(kColorModelRGB, {clBlack, clWhite});
  const std::vector<TColor> expected = {RGB(0, 0, 0), RGB(64, 64, 64), RGB(128, 128, 128), RGB(191, 191, 191),
                                        RGB(255, 255, 255)};  // 63.75, 127.5, 191.25 rounded
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(a.GetColorElem(i), expected[std::size_t(i - 1)]) << i;

  // Three colours over 5 entries: anchors at 1, 3, 5.
  a.FillByInterpolation(kColorModelRGB, {clRed, clLime, clBlue});
  EXPECT_EQ(a.GetColorElem(1), clRed);
  EXPECT_EQ(a.GetColorElem(3), clLime);
  EXPECT_EQ(a.GetColorElem(5), clBlue);
  EXPECT_EQ(a.GetColorElem(2), RGB(128, 128, 0));

  // The contour's mask palette: 255 entries over six colours.
  TColorArray p(255);
  p.FillByInterpolation(0, {clBlack, clBlue, clGreen, clRed, clYellow, clWhite});
  EXPECT_EQ(p.GetColorElem(1), clBlack);
  EXPECT_EQ(p.GetColorElem(52), clBlue);  // 1 + round(254 / 5)
  EXPECT_EQ(p.GetColorElem(255), clWhite);

  // HSV: red to blue runs through magenta, not through grey-purple.
  TColorArray h(3);
  h.FillByInterpolation(kColorModelHSV, {clRed, clBlue});
  EXPECT_EQ(h.GetColorElem(2), clFuchsia);

  // One colour fills everything; an empty list changes nothing.
  a.FillByInterpolation(kColorModelRGB, {clTeal});
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(a.GetColorElem(i), clTeal);
  a.FillByInterpolation(kColorModelRGB, std::span<const TColor>{});
  EXPECT_EQ(a.GetColorElem(3), clTeal);
}

TEST(ColorArrayTest, FillByInterpolationAtGivenIndices) {
  TColorArray a(10);
  const std::int32_t idx[] = {8, 3, 99};
  const TColor col[] = {clWhite, clBlack, clRed};
  a.FillByInterpolation(idx, col);
  EXPECT_EQ(a.GetColorElem(1), clBlack);  // before the first anchor
  EXPECT_EQ(a.GetColorElem(3), clBlack);
  EXPECT_EQ(a.GetColorElem(4), RGB(51, 51, 51));
  EXPECT_EQ(a.GetColorElem(8), clWhite);
  EXPECT_EQ(a.GetColorElem(10), clWhite);  // 99 dropped: white continues
}

TEST(ColorArrayTest, ColorToIndexFindsNearest) {
  TColorArray a(4);
  a.FillByInterpolation(kColorModelRGB, {clBlack, RGB(90, 90, 90)});  // 0, 30, 60, 90
  EXPECT_EQ(a.ColorToIndex(RGB(30, 30, 30)), 2);
  EXPECT_EQ(a.ColorToIndex(RGB(44, 44, 44)), 2);
  EXPECT_EQ(a.ColorToIndex(RGB(46, 46, 46)), 3);
  EXPECT_EQ(a.ColorToIndex(RGB(45, 45, 45)), 2);  // tie: lowest index
  EXPECT_EQ(a.ColorToIndex(clWhite), 4);
  EXPECT_EQ(a.ColorToIndex(RGB(200, 0, 0)), 3);  // 140^2 + 2 * 60^2 is the least of the four
}

TEST(ColorArrayTest, CopyFromAndNotifications) {
  TColorArray a(2), b(5);
  int count = 0;
  a.OnChange = [&](TObject& s) {
    EXPECT_EQ(&s, &a);
    ++count;
  };
  a.SetColorElem(1, clBlack);  // unchanged
  a.SetSize(2);
  EXPECT_EQ(count, 0);
  b.FillByInterpolation(kColorModelRGB, {clRed, clBlue});
  a.CopyFrom(b);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(a.Size(), 5);
  EXPECT_EQ(a.GetColorElem(5), clBlue);
  a.CopyFrom(b);  // same content
  a.FillByInterpolation(kColorModelRGB, {clRed, clBlue});
  EXPECT_EQ(count, 1);
  a.BeginUpdate();
  a.SetColorElem(1, clLime);
  a.SetColorElem(2, clLime);
  a.EndUpdate();
  EXPECT_EQ(count, 2);
  EXPECT_EQ(PredefinedColors[0], clBlack);
  EXPECT_GE(PredefinedColors.size(), 16u);
}

}  // namespace
}  // namespace mivo
