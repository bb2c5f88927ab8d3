// Marks put down as stamps set the pixels drawing them sets, for every kind,
// pen width and brush; where stamping cannot be exact it refuses.
#include <gtest/gtest.h>

#include "mivo/base/marks.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/pixel_stamp.h"
#include "support/image_compare.h"

namespace mivo {
namespace {

void PreparePen(TCanvas& c, std::int32_t penWidth, TBrushStyle brush) {
  c.Pen.Color = clNavy;
  c.Pen.Width = penWidth;
  c.Brush.Color = clYellow;
  c.Brush.Style = brush;
}

TPixelStamp::TDraw Mark(std::uint8_t kind) {
  return [kind](TCanvas& c, std::int32_t x, std::int32_t y) { DrawMarkOnCanvas(c, kind, x, y); };
}

TEST(MarkStampTest, EveryKindWidthAndBrushSetsTheDrawnPixels) {
  // Centres of either parity, the widest box (reach 13) just inside the bitmap.
  const TPoint centres[] = {{20, 20}, {33, 27}, {13, 50}};
  for (const TBrushStyle brush : {TBrushStyle::bsSolid, TBrushStyle::bsClear})
    for (const std::int32_t width : {1, 2, 3, 6})
      for (int kind = 0; kind <= kMaxMarkKind; ++kind) {
        SCOPED_TRACE(testing::Message() << "kind " << kind << ", pen width " << width << ", brush "
                                        << int(brush));
        TBitmap drawn(64, 64), stamped(64, 64);
        drawn.Clear(clWhite);
        stamped.Clear(clWhite);
        PreparePen(drawn.Canvas(), width, brush);
        PreparePen(stamped.Canvas(), width, brush);
        ASSERT_TRUE(TPixelStamp::Applies(stamped.Canvas()));
        TPixelStamp stamp;
        stamp.Record(stamped.Canvas(), MarkReach(std::uint8_t(kind)) + width + 1, Mark(std::uint8_t(kind)));
        for (const TPoint p : centres) {
          DrawMarkOnCanvas(drawn.Canvas(), std::uint8_t(kind), p.x, p.y);
          EXPECT_TRUE(stamp.Put(stamped, p.x, p.y));
        }
        EXPECT_TRUE(test::ImagesEqual(drawn, stamped, "stamp_" + std::to_string(kind)));
      }
}

TEST(MarkStampTest, RefusesWhatItCannotPutExactly) {
  TBitmap bmp(30, 30);
  bmp.Clear(clWhite);
  TCanvas& c = bmp.Canvas();
  PreparePen(c, 1, TBrushStyle::bsSolid);
  TPixelStamp stamp;
  EXPECT_FALSE(stamp.Put(bmp, 15, 15));  // nothing recorded yet
  // A box too small for the drawing: never put.
  stamp.Record(c, 2, Mark(11));
  EXPECT_FALSE(stamp.Put(bmp, 15, 15));
  // A box that would cross the bitmap's edge, or a centre far outside it.
  stamp.Record(c, 7, Mark(11));
  EXPECT_TRUE(stamp.Put(bmp, 15, 15));
  for (const TPoint p : {TPoint{6, 15}, TPoint{15, 23}, TPoint{-2000000000, 5}, TPoint{5, 2000000000}})
    EXPECT_FALSE(stamp.Put(bmp, p.x, p.y)) << p.x << ", " << p.y;
  // Modes whose pixels depend on what is there or where it is drawn.
  const auto applies = [&](auto change) {
    TBitmap b(4, 4);
    PreparePen(b.Canvas(), 1, TBrushStyle::bsSolid);
    change(b.Canvas());
    return TPixelStamp::Applies(b.Canvas());
  };
  EXPECT_FALSE(applies([](TCanvas& k) { k.Pen.Mode = TPenMode::pmXor; }));
  EXPECT_FALSE(applies([](TCanvas& k) { k.Pen.Style = TPenStyle::psDot; }));
  EXPECT_FALSE(applies([](TCanvas& k) { k.Antialiased = true; }));
}

}  // namespace
}  // namespace mivo
