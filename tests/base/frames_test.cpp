#include "mivo/base/frames.h"

#include <gtest/gtest.h>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/raster_canvas.h"

namespace mivo {
namespace {

constexpr TColor kHi = RGB(255, 255, 255), kLight = RGB(192, 192, 192), kShadow = RGB(128, 128, 128),
                 kDark = RGB(10, 10, 10), kPlain = RGB(200, 0, 0), kBack = RGB(0, 90, 0);

TColor At(TBitmap& b, std::int32_t x, std::int32_t y) { return b.Canvas().Pixel(x, y); }

// The frame over (2, 3) - (11, 10) on a 14 x 14 bitmap: outer ring, inner
// ring, and everything else untouched.
TEST(DrawFrameTest, PixelColoursPerStyle) {
  struct Row {
    TFrameStyle style;
    TColor outerTL, outerBR, innerTL, innerBR;
  };
  const Row rows[] = {
      {TFrameStyle::fsSimple, kPlain, kPlain, kBack, kBack},
      {TFrameStyle::fsLowered, kShadow, kHi, kDark, kLight},
      {TFrameStyle::fsRaised, kLight, kDark, kHi, kShadow},
      {TFrameStyle::fsEmbossed, kHi, kShadow, kShadow, kHi},
      {TFrameStyle::fsEngraved, kShadow, kHi, kHi, kShadow},
      {TFrameStyle::fsNone, kBack, kBack, kBack, kBack},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << "style " << int(r.style));
    TBitmap b(14, 14);
    b.Clear(kBack);
    TCanvas& c = b.Canvas();
    c.Pen.Color = clBlue;
    c.Pen.Width = 4;
    c.Brush.Style = TBrushStyle::bsClear;
    DrawFrame(c, r.style, 2, 3, 11, 10, kHi, kLight, kShadow, kDark, kPlain);
    // Outer ring: top-left corner, edges, and the corners owned by the bottom/right edges.
    EXPECT_EQ(At(b, 2, 3), r.outerTL);
    EXPECT_EQ(At(b, 6, 3), r.outerTL);
    EXPECT_EQ(At(b, 2, 7), r.outerTL);
    EXPECT_EQ(At(b, 10, 3), r.outerTL);
    EXPECT_EQ(At(b, 11, 3), r.outerBR);  // top-right corner
    EXPECT_EQ(At(b, 2, 10), r.outerBR);  // bottom-left corner
    EXPECT_EQ(At(b, 11, 10), r.outerBR);
    EXPECT_EQ(At(b, 6, 10), r.outerBR);
    EXPECT_EQ(At(b, 11, 6), r.outerBR);
    // Inner ring.
    EXPECT_EQ(At(b, 3, 4), r.innerTL);
    EXPECT_EQ(At(b, 6, 4), r.innerTL);
    EXPECT_EQ(At(b, 10, 4), r.innerBR);
    EXPECT_EQ(At(b, 6, 9), r.innerBR);
    EXPECT_EQ(At(b, 10, 9), r.innerBR);
    // Inside and outside untouched.
    EXPECT_EQ(At(b, 6, 6), kBack);
    for (std::int32_t x = 0; x < 14; ++x) {
      EXPECT_EQ(At(b, x, 2), kBack);
      EXPECT_EQ(At(b, x, 11), kBack);
    }
    for (std::int32_t y = 0; y < 14; ++y) {
      EXPECT_EQ(At(b, 1, y), kBack);
      EXPECT_EQ(At(b, 12, y), kBack);
    }
    // Pen and brush are restored.
    EXPECT_EQ(c.Pen.Color, clBlue);
    EXPECT_EQ(c.Pen.Width, 4);
    EXPECT_EQ(c.Brush.Style, TBrushStyle::bsClear);
  }
}

TEST(DrawFrameTest, ReversedCornersAndDegenerateBoxes) {
  TBitmap a(10, 10), b(10, 10);
  a.Clear(kBack);
  b.Clear(kBack);
  DrawFrame(a.Canvas(), TFrameStyle::fsLowered, 1, 1, 8, 8, kHi, kLight, kShadow, kDark, kPlain);
  DrawFrame(b.Canvas(), TFrameStyle::fsLowered, 8, 8, 1, 1, kHi, kLight, kShadow, kDark, kPlain);
  for (std::int32_t y = 0; y < 10; ++y)
    for (std::int32_t x = 0; x < 10; ++x) ASSERT_EQ(At(a, x, y), At(b, x, y)) << x << "," << y;
  // A one-pixel box and a box over the whole 32-bit range draw without trouble.
  DrawFrame(a.Canvas(), TFrameStyle::fsRaised, 5, 5, 5, 5, kHi, kLight, kShadow, kDark, kPlain);
  EXPECT_EQ(At(a, 5, 5), kDark);
  DrawFrame(a.Canvas(), TFrameStyle::fsEngraved, -2147483647 - 1, -2147483647 - 1, 2147483647, 2147483647, kHi,
            kLight, kShadow, kDark, kPlain);
  EXPECT_EQ(At(a, 5, 5), kDark);
}

TEST(FontScalingTest, SizeFollowsTheDevice) {
  TBitmap b(4, 4);
  TRasterCanvas& c = b.RasterCanvas();
  SetCanvasFontSizeScaled(c, 8);
  EXPECT_EQ(c.Font.Size, 8);
  EXPECT_EQ(c.Font.PixelSize(), 11);  // 8 pt at 96 ppi
  c.SetPixelsPerInch(600);
  SetCanvasFontSizeScaled(c, 8);
  EXPECT_EQ(c.Font.PixelsPerInch, 600);
  EXPECT_EQ(c.Font.PixelSize(), 67);
  SetCanvasFontSizeScaled(c, -5);
  EXPECT_EQ(c.Font.Size, 1);
}

}  // namespace
}  // namespace mivo
