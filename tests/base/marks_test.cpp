#include "mivo/base/marks.h"

#include <gtest/gtest.h>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"
#include "support/image_compare.h"

namespace mivo {
namespace {

constexpr std::int32_t kSize = 41;
constexpr std::int32_t kCentre = 20;

struct TBox {
  std::int32_t L = kSize, T = kSize, R = -1, B = -1;
  bool Empty() const { return R < 0; }
};

TBox InkBox(const TBitmap& bmp, TColor background) {
  TBox box;
  for (std::int32_t y = 0; y < bmp.Height(); ++y)
    for (std::int32_t x = 0; x < bmp.Width(); ++x)
      if (FromRGB32(bmp.ScanLine(y)[x]) != background) {
        box.L = std::min(box.L, x);
        box.R = std::max(box.R, x);
        box.T = std::min(box.T, y);
        box.B = std::max(box.B, y);
      }
  return box;
}

TBitmap DrawOne(std::uint8_t kind, std::int32_t penWidth) {
  TBitmap bmp(kSize, kSize);
  bmp.Clear(clWhite);
  TCanvas& c = bmp.Canvas();
  c.Pen.Color = clBlack;
  c.Pen.Width = penWidth;
  c.Brush.Color = clRed;
  c.Brush.Style = TBrushStyle::bsSolid;
  DrawMarkOnCanvas(c, kind, kCentre, kCentre);
  return bmp;
}

TEST(MarksTest, EveryKindIsCentredOnItsPixel) {
  for (std::int32_t width : {1, 3}) {
    for (int kind = 0; kind <= kMaxMarkKind; ++kind) {
      SCOPED_TRACE(testing::Message() << "kind " << kind << " (" << MarkKindName(std::uint8_t(kind))
                                      << "), pen width " << width);
      const TBitmap bmp = DrawOne(std::uint8_t(kind), width);
      const TBox box = InkBox(bmp, clWhite);
      ASSERT_FALSE(box.Empty());
      EXPECT_EQ(kCentre - box.L, box.R - kCentre);
      EXPECT_EQ(kCentre - box.T, box.B - kCentre);
      EXPECT_LE(box.R - box.L, 2 * 6 + width);  // within 96 dpi mark sizes
      if (HasFailure()) test::WriteTestImage(bmp, "mark_" + std::to_string(kind) + "_w" + std::to_string(width));
    }
  }
}

TEST(MarksTest, SizesFilledAndOpenKinds) {
  struct Row {
    std::uint8_t kind;
    std::int32_t half;
    bool filled;
  };
  const Row rows[] = {{0, 0, false},  {1, 1, false},  {5, 4, false},  {8, 3, false},  {9, 3, true},
                      {11, 5, true},  {14, 5, false}, {15, 5, true},  {17, 3, true},  {26, 5, false},
                      {27, 5, true},  {37, 6, false}, {39, 6, false}, {45, 3, true},  {47, 5, true}};
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << "kind " << int(r.kind));
    const TBitmap bmp = DrawOne(r.kind, 1);
    const TBox box = InkBox(bmp, clWhite);
    EXPECT_EQ(std::max(box.R - kCentre, box.B - kCentre), r.half);
    // Filled shapes show the brush inside; open ones leave the inside alone.
    const TColor inside = FromRGB32(bmp.ScanLine(kCentre + 1)[kCentre + 1]);
    if (r.half >= 3 && r.kind >= 8) {
      EXPECT_EQ(inside, r.filled ? clRed : clWhite);
    }
  }
}

TEST(MarksTest, XorTwiceRestoresAndStateIsKept) {
  for (int kind = 0; kind <= kMaxMarkKind + 3; ++kind) {
    TBitmap bmp(kSize, kSize);
    bmp.Clear(RGB(30, 200, 90));
    const TBitmap before = bmp;
    TCanvas& c = bmp.Canvas();
    c.Pen.Mode = TPenMode::pmXor;
    c.Pen.Color = clWhite;
    c.Brush.Style = TBrushStyle::bsClear;
    c.MoveTo(3, 4);
    DrawMarkOnCanvas(c, std::uint8_t(kind), kCentre, kCentre);
    if (kind <= kMaxMarkKind) {
      EXPECT_FALSE(InkBox(bmp, RGB(30, 200, 90)).Empty()) << kind;
    }
    DrawMarkOnCanvas(c, std::uint8_t(kind), kCentre, kCentre);
    EXPECT_TRUE(test::ImagesEqual(before, bmp, "mark_xor_" + std::to_string(kind))) << kind;
    EXPECT_EQ(c.Brush.Style, TBrushStyle::bsClear);
    EXPECT_EQ(c.PenPos, (TPoint{3, 4}));
  }
}

TEST(MarksTest, FarAwayCentresAreHarmless) {
  TBitmap bmp(8, 8);
  bmp.Clear(clWhite);
  for (int kind = 0; kind <= kMaxMarkKind; ++kind)
    for (std::int32_t v : {-2147483647 - 1, -40000, 2147483647})
      DrawMarkOnCanvas(bmp.Canvas(), std::uint8_t(kind), v, 3);
  EXPECT_TRUE(InkBox(bmp, clWhite).Empty());
  EXPECT_STREQ(MarkKindName(52), "");
}

}  // namespace
}  // namespace mivo
