// Pixel rules of ellipses, arcs, dash patterns, wide pens, and XOR drawing
// that a second identical drawing removes.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/raster_canvas.h"
#include "support/image_compare.h"

namespace mivo {
namespace {

bool Set(const TBitmap& b, int x, int y, TColor bg = clWhite) {
  return FromRGB32(b.ScanLine(y)[x]) != bg;
}

// Bounding box of the non-background pixels: {l, t, r, b} exclusive.
TRect Extent(const TBitmap& b, TColor bg = clWhite) {
  TRect r{INT32_MAX, INT32_MAX, -1, -1};
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (Set(b, x, y, bg)) r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1), std::max(r.Bottom, y + 1)};
  return r;
}

TEST(RasterShapes, EllipseTouchesEveryBoxEdgeAndStaysInside) {
  for (int w = 1; w <= 13; ++w)
    for (int h = 1; h <= 13; ++h)
      for (int pw : {1, 3, 4}) {
        TBitmap b(20, 20);
        b.Clear(clWhite);
        TCanvas& c = b.Canvas();
        c.Pen.Width = pw;
        c.Pen.Style = TPenStyle::psInsideFrame;
        c.Brush.Color = clRed;
        c.Ellipse(3 + w, 4 + h, 3, 4);  // corners in any order
        EXPECT_EQ(Extent(b), Rect(3, 4, 3 + w, 4 + h)) << w << "x" << h << " pen " << pw;
        // Mirror symmetric about the box centre.
        for (int y = 4; y < 4 + h; ++y)
          for (int x = 3; x < 3 + w; ++x)
            ASSERT_EQ(b.ScanLine(y)[x], b.ScanLine(4 + h - 1 - (y - 4))[3 + w - 1 - (x - 3)]) << w << "x" << h;
      }
}

TEST(RasterShapes, SmallEllipsesByPixel) {
  struct Case { int w, h; std::vector<std::string> want; };
  const Case cases[] = {
      {1, 1, {"#"}},
      {2, 2, {"##", "##"}},
      {3, 3, {".#.", "#.#", ".#."}},
      {5, 3, {".###.", "#...#", ".###."}},
      {4, 4, {".##.", "#..#", "#..#", ".##."}},
      {1, 4, {"#", "#", "#", "#"}},
      {4, 1, {"####"}},
      {7, 7, {"..###..", ".#...#.", "#.....#", "#.....#", "#.....#", ".#...#.", "..###.."}},
  };
  for (const Case& c : cases) {
    TBitmap b(c.w, c.h);
    b.Clear(clWhite);
    b.Canvas().Brush.Style = TBrushStyle::bsClear;
    b.Canvas().Ellipse(0, 0, c.w, c.h);
    std::vector<std::string> got;
    for (int y = 0; y < c.h; ++y) {
      std::string s;
      for (int x = 0; x < c.w; ++x) s += Set(b, x, y) ? '#' : '.';
      got.push_back(s);
    }
    EXPECT_EQ(got, c.want) << c.w << "x" << c.h;
  }
}

TEST(RasterShapes, ArcRunsCounterClockwiseOnTheScreen) {
  // Circle in the box (0,0)-(41,41), centre (20,20). Radials east, north, west, south.
  const TPoint E{40, 20}, N{20, 0}, W{0, 20}, S{20, 40};
  struct Case { TPoint from, to; bool quad[4]; };  // quadrants: upper right, upper left, lower left, lower right
  const Case cases[] = {
      {E, N, {true, false, false, false}},
      {N, W, {false, true, false, false}},
      {W, S, {false, false, true, false}},
      {S, E, {false, false, false, true}},
      {N, E, {false, true, true, true}},   // the long way round
      {E, W, {true, true, false, false}},  // half circle over the top
      {E, E, {true, true, true, true}},    // equal radials: the full ellipse
  };
  for (const Case& c : cases) {
    TBitmap b(41, 41);
    b.Clear(clWhite);
    b.Canvas().Arc(0, 0, 41, 41, c.from.x, c.from.y, c.to.x, c.to.y);
    int count[4] = {};
    for (int y = 0; y < 41; ++y)
      for (int x = 0; x < 41; ++x) {
        if (!Set(b, x, y) || x == 20 || y == 20) continue;
        count[(y < 20) ? (x > 20 ? 0 : 1) : (x < 20 ? 2 : 3)]++;
      }
    for (int q = 0; q < 4; ++q)
      EXPECT_EQ(count[q] > 0, c.quad[q]) << "quadrant " << q << " of " << c.from.x << "," << c.from.y << " -> "
                                         << c.to.x << "," << c.to.y;
  }
  // Every arc pixel lies on the full ellipse outline.
  TBitmap full(41, 41), arc(41, 41);
  full.Clear(clWhite);
  arc.Clear(clWhite);
  full.Canvas().Brush.Style = TBrushStyle::bsClear;
  full.Canvas().Ellipse(0, 0, 41, 41);
  arc.Canvas().Arc(0, 0, 41, 41, 3, 7, 30, 39);
  for (int y = 0; y < 41; ++y)
    for (int x = 0; x < 41; ++x)
      if (Set(arc, x, y)) {
        EXPECT_TRUE(Set(full, x, y)) << x << "," << y;
      }
}

// Runs along row 1 of a line from (0, 1) drawn with `style`: 'P' pen, 'B' brush, '.' untouched.
std::string DashRow(TPenStyle style, bool solidBrush, const std::vector<TPoint>& pts) {
  TBitmap b(100, 3);
  b.Clear(clWhite);
  TCanvas& c = b.Canvas();
  c.Pen.Style = style;
  c.Pen.Color = clBlack;
  c.Brush.Color = clYellow;
  c.Brush.Style = solidBrush ? TBrushStyle::bsSolid : TBrushStyle::bsClear;
  c.Polyline(pts);
  std::string s;
  for (int x = 0; x < 100; ++x) {
    const TColor p = c.Pixel(x, 1);
    s += p == clBlack ? 'P' : (p == clYellow ? 'B' : '.');
  }
  return s;
}

std::string Runs(std::initializer_list<std::pair<char, int>> runs, int total) {
  std::string s;
  while (int(s.size()) < total)
    for (auto [ch, n] : runs) s += std::string(std::size_t(n), ch);
  return s.substr(0, std::size_t(total));
}

TEST(RasterShapes, DashPatternsHaveExactRunsAndBrushColouredGaps) {
  struct Case { TPenStyle style; std::initializer_list<std::pair<char, int>> runs; };
  const Case cases[] = {
      {TPenStyle::psDash, {{'P', 18}, {'B', 6}}},
      {TPenStyle::psDot, {{'P', 3}, {'B', 3}}},
      {TPenStyle::psDashDot, {{'P', 9}, {'B', 6}, {'P', 3}, {'B', 6}}},
      {TPenStyle::psDashDotDot, {{'P', 9}, {'B', 3}, {'P', 3}, {'B', 3}, {'P', 3}, {'B', 3}}},
      {TPenStyle::psSolid, {{'P', 1}}},
      {TPenStyle::psInsideFrame, {{'P', 1}}},
  };
  for (const Case& c : cases) {
    const std::string want = Runs(c.runs, 90) + std::string(10, '.');
    EXPECT_EQ(DashRow(c.style, true, {{0, 1}, {90, 1}}), want) << int(c.style);
    std::string clearGaps = want;
    for (char& ch : clearGaps)
      if (ch == 'B') ch = '.';
    EXPECT_EQ(DashRow(c.style, false, {{0, 1}, {90, 1}}), clearGaps) << int(c.style);
    // The pattern continues across the segments of a polyline.
    EXPECT_EQ(DashRow(c.style, true, {{0, 1}, {7, 1}, {40, 1}, {41, 1}, {90, 1}}), want) << int(c.style);
  }
  EXPECT_EQ(DashRow(TPenStyle::psClear, true, {{0, 1}, {90, 1}}), std::string(100, '.'));
  // Right to left: the pattern starts at the first point.
  TBitmap b(40, 1);
  b.Clear(clWhite);
  b.Canvas().Pen.Style = TPenStyle::psDot;
  b.Canvas().Brush.Style = TBrushStyle::bsClear;
  b.Canvas().MoveTo(39, 0);
  b.Canvas().LineTo(0, 0);
  for (int x = 39, i = 0; x >= 1; --x, ++i) EXPECT_EQ(Set(b, x, 0), (i % 6) < 3) << x;
}

TEST(RasterShapes, WidePensCoverTheirWidthWithRoundEnds) {
  for (int w = 2; w <= 9; ++w) {
    TBitmap b(60, 40);
    b.Clear(clWhite);
    TCanvas& c = b.Canvas();
    c.Pen.Width = w;
    c.Pen.Style = TPenStyle::psDash;  // wide pens are always solid
    c.MoveTo(10, 20);
    c.LineTo(50, 20);
    const TRect e = Extent(b);
    EXPECT_EQ(e.Height(), w) << w;
    EXPECT_EQ(e.Width(), 40 + w) << w;  // round caps reach half the width beyond both ends
    for (int x = 10; x < 50; ++x) EXPECT_TRUE(Set(b, x, e.Top) && Set(b, x, e.Bottom - 1)) << w << " " << x;
    if (w >= 4) {
      EXPECT_FALSE(Set(b, e.Left, e.Top)) << "round end, width " << w;
    }
    // A dot: the pen's disc, as wide as high.
    TBitmap d(20, 20);
    d.Clear(clWhite);
    d.Canvas().Pen.Width = w;
    d.Canvas().MoveTo(10, 10);
    d.Canvas().LineTo(10, 10);
    EXPECT_EQ(Extent(d).Width(), w);
    EXPECT_EQ(Extent(d).Height(), w);
  }
}

TEST(RasterShapes, InsideFramePenStaysInTheBox) {
  for (int w = 1; w <= 7; ++w) {
    TBitmap b(40, 40);
    b.Clear(clWhite);
    TCanvas& c = b.Canvas();
    c.Pen.Width = w;
    c.Pen.Style = TPenStyle::psInsideFrame;
    c.Brush.Color = clRed;
    c.Rectangle(5, 6, 30, 33);
    EXPECT_EQ(Extent(b), Rect(5, 6, 30, 33)) << w;
    EXPECT_EQ(c.Pixel(5 + w - 1, 20), clBlack) << w;
    EXPECT_EQ(c.Pixel(5 + w, 20), clRed) << w;
    EXPECT_EQ(c.Pixel(30 - w, 20), clBlack) << w;
    EXPECT_EQ(c.Pixel(30 - w - 1, 20), clRed) << w;
    EXPECT_EQ(c.Pixel(17, 33 - w), clBlack) << w;
  }
}

TEST(RasterShapes, PentagramHasAnEmptyCentre) {
  TBitmap b(101, 101);
  b.Clear(clWhite);
  TCanvas& c = b.Canvas();
  c.Brush.Color = clRed;
  c.Pen.Color = clBlue;
  const TPoint star[] = {{50, 0}, {79, 90}, {2, 34}, {98, 34}, {21, 90}};
  c.Polygon(star);
  EXPECT_EQ(c.Pixel(50, 50), clWhite);  // the pentagon in the middle: crossed twice
  EXPECT_EQ(c.Pixel(50, 20), clRed);    // a point of the star
  EXPECT_EQ(c.Pixel(50, 0), clBlue);    // the outline
  EXPECT_EQ(c.Pixel(5, 5), clWhite);
}

// ---- XOR ----------------------------------------------------------------------

void Noise(TBitmap& b, unsigned seed) {
  std::mt19937 rng(seed);
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) b.ScanLine(y)[x] = ToRGB32(rng() & 0xFFFFFF);
}

using Figure = std::function<void(TCanvas&)>;

std::vector<std::pair<std::string, Figure>> Figures(std::mt19937& rng) {
  std::uniform_int_distribution<int> d(-20, 90);
  std::vector<TPoint> pts(12);
  for (TPoint& p : pts) p = {d(rng), d(rng)};
  const int a = d(rng), b = d(rng), e = d(rng), f = d(rng);
  return {
      {"polyline", [pts](TCanvas& c) { c.Polyline(pts); }},
      {"line", [a, b, e, f](TCanvas& c) { c.MoveTo(a, b); c.LineTo(e, f); }},
      {"polygon", [pts](TCanvas& c) { c.Polygon(pts); }},
      {"rectangle", [a, b, e, f](TCanvas& c) { c.Rectangle(a, b, e, f); }},
      {"ellipse", [a, b, e, f](TCanvas& c) { c.Ellipse(a, b, e, f); }},
      {"arc", [a, b, e, f, pts](TCanvas& c) { c.Arc(a, b, e, f, pts[0].x, pts[0].y, pts[1].x, pts[1].y); }},
  };
}

TEST(RasterShapes, XorTwiceRestoresEveryPixelAndTouchesEachPixelOnce) {
  std::mt19937 rng(31);
  const TPenStyle styles[] = {TPenStyle::psSolid, TPenStyle::psDash, TPenStyle::psDashDotDot,
                              TPenStyle::psInsideFrame};
  for (int round = 0; round < 40; ++round) {
    for (auto& [name, draw] : Figures(rng)) {
      const int width = (round % 4 == 3) ? 1 + round % 7 : 1;
      const TPenStyle style = styles[round % 4];
      const bool brush = round % 3 != 0;
      // Which pixels the figure covers with pen (black) and brush (grey).
      TBitmap cover(70, 70);
      cover.Clear(clWhite);
      auto setup = [&](TCanvas& c, TPenMode mode, TColor pen, TColor fill) {
        c.Pen.Mode = mode;
        c.Pen.Width = width;
        c.Pen.Style = style;
        c.Pen.Color = pen;
        c.Brush.Color = fill;
        c.Brush.Style = brush ? TBrushStyle::bsSolid : TBrushStyle::bsClear;
      };
      setup(cover.Canvas(), TPenMode::pmCopy, clBlack, clGray);
      draw(cover.Canvas());

      TBitmap original(70, 70);
      Noise(original, unsigned(round));
      TBitmap img = original;
      const TColor pen = RGB(0x5A, 0xC3, 0x0F), fill = RGB(0x11, 0x22, 0x88);
      setup(img.Canvas(), TPenMode::pmXor, pen, fill);
      draw(img.Canvas());
      for (int y = 0; y < 70; ++y)
        for (int x = 0; x < 70; ++x) {
          const TColor c = FromRGB32(cover.ScanLine(y)[x]), o = FromRGB32(original.ScanLine(y)[x]);
          const TColor want = c == clBlack ? (o ^ pen) : (c == clGray ? (o ^ fill) : o);
          ASSERT_EQ(FromRGB32(img.ScanLine(y)[x]), want)
              << name << " round " << round << " at " << x << "," << y << " width " << width;
        }
      draw(img.Canvas());
      ASSERT_TRUE(test::ImagesEqual(original, img, "xor_twice_" + name)) << name << " round " << round;
    }
  }
}

TEST(RasterShapes, SelfCrossingXorPolylineKeepsItsCrossing) {
  TBitmap b(20, 20);
  b.Clear(clBlack);
  TCanvas& c = b.Canvas();
  c.Pen.Mode = TPenMode::pmXor;
  c.Pen.Color = clWhite;
  const TPoint x[] = {{0, 0}, {10, 10}, {0, 10}, {10, 0}, {11, 0}};
  c.Polyline(x);
  EXPECT_EQ(c.Pixel(5, 5), clWhite);  // both diagonals pass here: toggled once
  c.Polyline(x);
  EXPECT_EQ(Extent(b, clBlack).Right, -1);
}

TEST(RasterShapes, HugeShapesClipPerSpan) {
  // These would take hours pixel by pixel.
  TBitmap b(64, 48);
  b.Clear(clWhite);
  TCanvas& c = b.Canvas();
  c.Brush.Color = clRed;
  c.Ellipse(-2000000000, -2000000000, 2000000000, 2000000000);
  EXPECT_EQ(c.Pixel(0, 0), clRed);
  EXPECT_EQ(c.Pixel(63, 47), clRed);
  c.Pen.Width = 5;
  c.Ellipse(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
  c.Arc(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 0, 0, 5, 5);
  const TPoint tri[] = {{INT32_MIN, INT32_MIN}, {INT32_MAX, 0}, {INT32_MIN, INT32_MAX}};
  c.Brush.Color = clBlue;
  c.Polygon(tri);
  EXPECT_EQ(c.Pixel(10, 10), clBlue);
  c.Rectangle(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
  c.Pen.Width = INT32_MAX;
  c.MoveTo(INT32_MIN, 3);
  c.LineTo(INT32_MAX, -7);
  EXPECT_EQ(c.Pixel(30, 30), clBlack);
  c.Pen.Width = 1;
  c.Pen.Mode = TPenMode::pmXor;
  c.Pen.Style = TPenStyle::psDashDot;
  c.Polygon(tri);
  SUCCEED();
}

}  // namespace
}  // namespace mivo

namespace mivo {
namespace {

TEST(RasterShapes, DashedEllipsesAndArcsFollowTheCurve) {
  // A dotted circle: along the curve, runs of 3 on and 3 off. Count the pen
  // pixels and the brush-coloured gaps: equal shares, and the outline is the
  // solid circle's outline.
  TBitmap solid(61, 61), dotted(61, 61);
  solid.Clear(clWhite);
  dotted.Clear(clWhite);
  solid.Canvas().Brush.Style = TBrushStyle::bsClear;
  solid.Canvas().Ellipse(0, 0, 61, 61);
  TCanvas& c = dotted.Canvas();
  c.Pen.Style = TPenStyle::psDot;
  c.Brush.Color = clYellow;
  c.Ellipse(0, 0, 61, 61);
  int on = 0, gap = 0;
  for (int y = 0; y < 61; ++y)
    for (int x = 0; x < 61; ++x) {
      const TColor p = c.Pixel(x, y);
      const bool outline = solid.Canvas().Pixel(x, y) == clBlack;
      if (outline) {
        EXPECT_TRUE(p == clBlack || p == clYellow) << x << "," << y;
        (p == clBlack ? on : gap)++;
      } else if (x > 30 - 20 && x < 30 + 20 && y > 30 - 20 && y < 30 + 20) {
        EXPECT_EQ(p, clYellow);  // the interior is brushed
      }
    }
  EXPECT_GT(on, 0);
  EXPECT_LE(std::abs(on - gap), 3);
  // The east point starts a dash; walking up from it the runs are 3 long.
  EXPECT_EQ(c.Pixel(60, 30), clBlack);
  EXPECT_EQ(c.Pixel(60, 29), clBlack);
  EXPECT_EQ(c.Pixel(60, 28), clBlack);
  EXPECT_EQ(c.Pixel(60, 27), clYellow);

  // An arc's pattern starts at the arc's start: here the north point.
  TBitmap a(61, 61);
  a.Clear(clWhite);
  a.Canvas().Pen.Style = TPenStyle::psDash;
  a.Canvas().Brush.Style = TBrushStyle::bsClear;
  a.Canvas().Arc(0, 0, 61, 61, 30, 0, 0, 30);
  for (int x = 30, i = 0; i < 5; --x, ++i) EXPECT_EQ(a.Canvas().Pixel(x, 0), clBlack) << x;
}

}  // namespace
}  // namespace mivo
