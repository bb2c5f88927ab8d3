// Pixel rules of the raster canvas: end pixels, box edges, single pixels,
// bitmap copies and the text cell.
#include <gtest/gtest.h>

#include <vector>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/fonts.h"
#include "mivo/platform/raster_canvas.h"

namespace mivo {
namespace {

// The covered pixels of a bitmap cleared to white, as a string per row.
std::vector<std::string> Picture(const TBitmap& b, TColor bg = clWhite) {
  std::vector<std::string> rows;
  for (std::int32_t y = 0; y < b.Height(); ++y) {
    std::string s;
    for (std::int32_t x = 0; x < b.Width(); ++x) s += FromRGB32(b.ScanLine(y)[x]) == bg ? '.' : '#';
    rows.push_back(s);
  }
  return rows;
}

struct Surface {
  TBitmap Bmp;
  TCanvas& C;
  explicit Surface(std::int32_t w = 8, std::int32_t h = 6, TColor bg = clWhite) : Bmp(w, h), C(Bmp.Canvas()) {
    Bmp.Clear(bg);
  }
};

TEST(RasterCanvas, LineToLeavesOutTheEndPixelAndMovesThePen) {
  struct Case { TPoint a, b; std::vector<std::string> want; };
  const Case cases[] = {
      {{1, 1}, {5, 1}, {"........", ".####...", "........", "........"}},
      {{5, 1}, {1, 1}, {"........", "..####..", "........", "........"}},
      {{0, 0}, {3, 3}, {"#.......", ".#......", "..#.....", "........"}},
      {{2, 0}, {2, 3}, {"..#.....", "..#.....", "..#.....", "........"}},
      {{2, 2}, {2, 2}, {"........", "........", "........", "........"}},
      // Shallow slope: ties round away from the start.
      {{0, 0}, {6, 2}, {"##......", "..###...", ".....#..", "........"}},
  };
  for (const Case& c : cases) {
    Surface s(8, 4);
    s.C.MoveTo(c.a.x, c.a.y);
    s.C.LineTo(c.b.x, c.b.y);
    EXPECT_EQ(Picture(s.Bmp), c.want) << c.a.x << "," << c.a.y << " -> " << c.b.x << "," << c.b.y;
    EXPECT_EQ(s.C.PenPos, c.b);
  }
}

TEST(RasterCanvas, PolylineDrawsJointsOnceAndLeavesOutTheLastPoint) {
  Surface s(6, 4);
  const TPoint pts[] = {{0, 0}, {3, 0}, {3, 3}, {0, 3}};
  s.C.Pen.Mode = TPenMode::pmXor;
  s.C.Pen.Color = clWhite;  // white xor white = black: each pixel once
  s.C.Polyline(pts);
  EXPECT_EQ(Picture(s.Bmp), (std::vector<std::string>{"####..", "...#..", "...#..", ".###.."}));
  EXPECT_EQ(s.C.PenPos, (TPoint{0, 0}));
}

TEST(RasterCanvas, BoxesLeaveOutRightColumnAndBottomRow) {
  auto run = [](Surface& s, const char* what) {
    s.C.Brush.Color = clRed;
    s.C.Pen.Color = clBlack;
    const std::string w = what;
    if (w == "FillRect") s.C.FillRect(Rect(5, 4, 1, 1));  // corners in any order
    if (w == "Rectangle") s.C.Rectangle(5, 4, 1, 1);
    if (w == "FrameRect") s.C.FrameRect(Rect(1, 1, 5, 4));
  };
  for (const char* what : {"FillRect", "Rectangle", "FrameRect"}) {
    Surface s(7, 6);
    run(s, what);
    const bool hollow = std::string(what) == "FrameRect";
    EXPECT_EQ(Picture(s.Bmp), (std::vector<std::string>{".......", ".####..", hollow ? ".#..#.." : ".####..",
                                                         ".####..", ".......", "......."}))
        << what;
  }
  Surface s(7, 6);
  run(s, "Rectangle");
  EXPECT_EQ(s.C.Pixel(1, 1), clBlack);
  EXPECT_EQ(s.C.Pixel(2, 2), clRed);
  EXPECT_EQ(s.C.Pixel(4, 3), clBlack);
  Surface f(7, 6);
  run(f, "FrameRect");
  EXPECT_EQ(f.C.Pixel(1, 1), clRed);
  EXPECT_EQ(f.C.Pixel(2, 2), clWhite);
}

TEST(RasterCanvas, RectangleWithClearPenOrBrush) {
  Surface a(6, 5);
  a.C.Pen.Style = TPenStyle::psClear;
  a.C.Brush.Color = clBlue;
  a.C.Rectangle(1, 1, 4, 4);
  EXPECT_EQ(Picture(a.Bmp), (std::vector<std::string>{"......", ".###..", ".###..", ".###..", "......"}));
  EXPECT_EQ(a.C.Pixel(1, 1), clBlue);

  Surface b(6, 5);
  b.C.Brush.Style = TBrushStyle::bsClear;
  b.C.Rectangle(0, 0, 5, 5);
  EXPECT_EQ(b.C.Pixel(2, 2), clWhite);
  EXPECT_EQ(b.C.Pixel(4, 4), clBlack);
  b.C.FillRect(Rect(0, 0, 6, 5));  // a clear brush fills nothing
  EXPECT_EQ(b.C.Pixel(2, 2), clWhite);
}

TEST(RasterCanvas, PixelsAndSystemColours) {
  Surface s(4, 4);
  s.C.SetPixel(1, 2, clRed);
  s.C.SetPixel(-1, 2, clRed);  // ignored
  s.C.SetPixel(1, 4, clRed);
  EXPECT_EQ(s.C.Pixel(1, 2), clRed);
  EXPECT_EQ(s.C.Pixel(-1, 0), 0u);
  EXPECT_EQ(s.C.Pixel(0, 99), 0u);
  s.C.SetPixel(2, 2, clBtnFace);
  EXPECT_EQ(s.C.Pixel(2, 2), ColorToRGB(clBtnFace));
  s.C.Brush.Color = clBtnShadow;
  s.C.FillRect(Rect(0, 0, 1, 1));
  EXPECT_EQ(s.C.Pixel(0, 0), ColorToRGB(clBtnShadow));
  s.C.Pen.Color = clHighlight;
  s.C.MoveTo(0, 3);
  s.C.LineTo(2, 3);
  EXPECT_EQ(s.C.Pixel(0, 3), ColorToRGB(clHighlight));
}

TEST(RasterCanvas, PenModesOnAColouredBackground) {
  const TColor bg = RGB(0x12, 0x34, 0x56), pen = RGB(0xF0, 0x0F, 0x55);
  struct Case { TPenMode mode; TColor want; };
  const Case cases[] = {
      {TPenMode::pmCopy, pen},
      {TPenMode::pmXor, bg ^ pen},
      {TPenMode::pmNot, ~bg & 0xFFFFFF},
      {TPenMode::pmNotCopy, ~pen & 0xFFFFFF},
      {TPenMode::pmMerge, bg | pen},
      {TPenMode::pmMask, bg & pen},
      {TPenMode::pmNotXor, ~(bg ^ pen) & 0xFFFFFF},
      {TPenMode::pmBlack, clBlack},
      {TPenMode::pmWhite, clWhite},
      {TPenMode::pmNop, bg},
  };
  for (const Case& c : cases) {
    Surface s(4, 4, bg);
    s.C.Pen.Mode = c.mode;
    s.C.Pen.Color = pen;
    s.C.Brush.Color = pen;
    s.C.MoveTo(0, 0);
    s.C.LineTo(3, 0);
    s.C.Rectangle(0, 1, 4, 4);  // brush drawing follows the pen mode too
    EXPECT_EQ(s.C.Pixel(1, 0), c.want) << int(c.mode);
    EXPECT_EQ(s.C.Pixel(1, 2), c.want) << int(c.mode);
    EXPECT_EQ(s.C.Pixel(3, 0), bg) << int(c.mode);
    s.C.FillRect(Rect(0, 0, 1, 1));  // FillRect always copies
    EXPECT_EQ(s.C.Pixel(0, 0), pen) << int(c.mode);
  }
}

TEST(RasterCanvas, CopyRectHonoursCopyModesAndClips) {
  TBitmap src(3, 2);
  src.Clear(RGB(0x0F, 0xF0, 0x33));
  src.ScanLine(1)[2] = ToRGB32(RGB(1, 2, 3));
  const TColor bg = RGB(0x55, 0x55, 0xAA);
  struct Case { TCopyMode mode; TColor want; };
  const Case cases[] = {
      {TCopyMode::cmSrcCopy, RGB(0x0F, 0xF0, 0x33)},
      {TCopyMode::cmSrcAnd, bg & RGB(0x0F, 0xF0, 0x33)},
      {TCopyMode::cmSrcPaint, bg | RGB(0x0F, 0xF0, 0x33)},
      {TCopyMode::cmSrcInvert, bg ^ RGB(0x0F, 0xF0, 0x33)},
  };
  for (const Case& c : cases) {
    Surface s(5, 4, bg);
    s.C.CopyMode = c.mode;
    s.C.Pen.Mode = TPenMode::pmXor;  // copies ignore the pen mode
    s.C.CopyRect(Rect(3, 2, 6, 4), src, Rect(0, 0, 3, 2));
    EXPECT_EQ(s.C.Pixel(3, 2), c.want);
    EXPECT_EQ(s.C.Pixel(4, 3), c.want);
    EXPECT_EQ(s.C.Pixel(2, 2), bg);
    s.C.Draw(-2, -1, src);  // src (2, 1) lands on (0, 0)
    if (c.mode == TCopyMode::cmSrcCopy) {
      EXPECT_EQ(s.C.Pixel(0, 0), RGB(1, 2, 3));
    }
  }
}

TEST(RasterCanvas, StretchAndMirroredCopiesUseNearestPixels) {
  TBitmap src(2, 1);
  src.ScanLine(0)[0] = ToRGB32(clRed);
  src.ScanLine(0)[1] = ToRGB32(clBlue);
  Surface s(4, 2);
  s.C.StretchDraw(Rect(0, 0, 4, 2), src);
  EXPECT_EQ(s.C.Pixel(0, 0), clRed);
  EXPECT_EQ(s.C.Pixel(1, 1), clRed);
  EXPECT_EQ(s.C.Pixel(2, 0), clBlue);
  EXPECT_EQ(s.C.Pixel(3, 1), clBlue);
  s.C.CopyRect(Rect(4, 0, 0, 1), src, Rect(0, 0, 2, 1));  // mirrored
  EXPECT_EQ(s.C.Pixel(0, 0), clBlue);
  EXPECT_EQ(s.C.Pixel(3, 0), clRed);
}

TEST(RasterCanvas, CopyFromItselfOverlapping) {
  TBitmap b(4, 1);
  for (int x = 0; x < 4; ++x) b.ScanLine(0)[x] = ToRGB32(RGB(std::uint8_t(x), 0, 0));
  b.Canvas().CopyRect(Rect(1, 0, 4, 1), b, Rect(0, 0, 3, 1));
  for (int x = 1; x < 4; ++x) EXPECT_EQ(b.Canvas().Pixel(x, 0), RGB(std::uint8_t(x - 1), 0, 0));
}

TEST(RasterCanvas, TextOutPaintsTheCellWhereTheAlignmentPutsIt) {
  TBitmap probe(1, 1);
  const TFont font;
  const TFontMetrics m = GetFontMetrics(font);
  const std::int32_t w = MeasureTextWidth(font, "  ");
  ASSERT_GT(w, 0);
  struct Case { TTextAlign align; std::int32_t left, top; };
  const std::int32_t x = 60, y = 40;
  const Case cases[] = {
      {{TTextHAlign::taLeft, TTextVAlign::taTop}, x, y},
      {{TTextHAlign::taCenter, TTextVAlign::taBaseline}, x - w / 2, y - m.Ascent},
      {{TTextHAlign::taRight, TTextVAlign::taBottom}, x - w, y - m.Height},
  };
  for (const Case& c : cases) {
    Surface s(120, 90);
    s.C.Brush.Color = clYellow;
    s.C.TextAlign = c.align;
    s.C.Pen.Mode = TPenMode::pmXor;  // text ignores the pen mode
    s.C.TextOut(x, y, "  ");
    EXPECT_EQ(s.C.Pixel(c.left, c.top), clYellow);
    EXPECT_EQ(s.C.Pixel(c.left + w - 1, c.top + m.Height - 1), clYellow);
    EXPECT_EQ(s.C.Pixel(c.left - 1, c.top), clWhite);
    EXPECT_EQ(s.C.Pixel(c.left + w, c.top), clWhite);
    EXPECT_EQ(s.C.Pixel(c.left, c.top + m.Height), clWhite);
    EXPECT_EQ(s.C.PenPos, (TPoint{0, 0}));
  }
  Surface clear(120, 90);
  clear.C.Brush.Style = TBrushStyle::bsClear;
  clear.C.TextOut(x, y, "  ");
  EXPECT_EQ(clear.C.Pixel(x, y), clWhite);
}

}  // namespace
}  // namespace mivo
