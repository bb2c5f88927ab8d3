// The raster canvas against simple per-pixel references on seeded random
// shapes: thin lines against a plain Bresenham walk with bounds checks,
// polygons against an even-odd crossing count at every pixel centre, and
// lines with 32-bit end points against the closed form of the same walk.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/raster_canvas.h"
#include "support/image_compare.h"

namespace mivo {
namespace {

using i128 = __int128;

void Plot(TBitmap& b, std::int64_t x, std::int64_t y, TColor c) {
  if (x >= 0 && y >= 0 && x < b.Width() && y < b.Height()) b.ScanLine(std::int32_t(y))[x] = ToRGB32(c);
}

// Plain Bresenham: every pixel from the start, error term from the start,
// end pixel left out, ties of the minor step rounded away from the start.
void ReferenceLine(TBitmap& b, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, TColor c) {
  const std::int64_t dx = x1 - x0, dy = y1 - y0;
  const std::int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  const int sx = dx > 0 ? 1 : -1, sy = dy > 0 ? 1 : -1;
  std::int64_t x = x0, y = y0;
  if (adx >= ady) {
    std::int64_t err = adx;  // 2*i*ady + adx - 2*adx*m
    for (std::int64_t i = 0; i < adx; ++i) {
      Plot(b, x, y, c);
      x += sx;
      err += 2 * ady;
      if (err >= 2 * adx) {
        err -= 2 * adx;
        y += sy;
      }
    }
  } else {
    std::int64_t err = ady;
    for (std::int64_t i = 0; i < ady; ++i) {
      Plot(b, x, y, c);
      y += sy;
      err += 2 * adx;
      if (err >= 2 * ady) {
        err -= 2 * ady;
        x += sx;
      }
    }
  }
}

// The same line evaluated pixel by pixel over the surface (for end points far
// outside it): the pixel on the major coordinate of each column or row.
void ReferenceLineClosedForm(TBitmap& b, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                             TColor c) {
  const std::int64_t dx = x1 - x0, dy = y1 - y0;
  const std::int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  const bool xMajor = adx >= ady;
  const std::int64_t n = xMajor ? adx : ady, dm = xMajor ? ady : adx;
  if (n == 0) return;
  const int sM = (xMajor ? dx : dy) > 0 ? 1 : -1, sm = (xMajor ? dy : dx) > 0 ? 1 : -1;
  const std::int64_t lim = xMajor ? b.Width() : b.Height();
  for (std::int64_t M = 0; M < lim; ++M) {
    const std::int64_t i = (M - (xMajor ? x0 : y0)) * sM;
    if (i < 0 || i >= n) continue;
    const std::int64_t m = std::int64_t((i128(2) * i * dm + n) / (i128(2) * n));
    const std::int64_t minor = (xMajor ? y0 : x0) + sm * m;
    if (xMajor)
      Plot(b, M, minor, c);
    else
      Plot(b, minor, M, c);
  }
}

TEST(RasterReference, RandomThinLinesMatchPlainBresenham) {
  std::mt19937 rng(12345);
  for (int seed = 0; seed < 400; ++seed) {
    const int w = 40 + int(rng() % 40), h = 30 + int(rng() % 40);
    const int spread = seed < 200 ? 3 : 3000;  // near the surface, then far around it
    std::uniform_int_distribution<int> dx(-spread * w, spread * w + w), dy(-spread * h, spread * h + h);
    TBitmap actual(w, h), expected(w, h);
    actual.Clear(clWhite);
    expected.Clear(clWhite);
    std::vector<TPoint> pts;
    for (int k = 0; k < 6; ++k) pts.push_back({dx(rng), dy(rng)});
    for (std::size_t k = 0; k + 1 < pts.size(); ++k)
      ReferenceLine(expected, pts[k].x, pts[k].y, pts[k + 1].x, pts[k + 1].y, clBlack);
    actual.Canvas().Polyline(pts);
    ASSERT_TRUE(test::ImagesEqual(expected, actual, "random_lines_" + std::to_string(seed))) << "seed " << seed;
  }
}

TEST(RasterReference, LinesWithThirtyTwoBitEndPointsMatchTheUnclippedWalk) {
  struct Case { std::int32_t x0, y0, x1, y1; };
  const std::int32_t mn = INT32_MIN, mx = INT32_MAX;
  std::vector<Case> cases = {
      {-2000000000, 5, 2000000000, 7}, {2000000000, 7, -2000000000, 5}, {mn, mn, mx, mx},
      {mx, mn, mn, mx},                {mn, 20, mx, 21},                {30, mn, 31, mx},
      {-7, -1000000007, 40, 1000000003}, {mx, 17, 0, 17},             {mn, mn, 10, 10},
  };
  std::mt19937 rng(99);
  std::uniform_int_distribution<std::int32_t> any(mn, mx), near(-100, 200);
  for (int k = 0; k < 150; ++k) {
    // One end far away, the other near: the line crosses the surface often.
    if (k % 2)
      cases.push_back({any(rng), any(rng), near(rng), near(rng)});
    else
      cases.push_back({near(rng), near(rng), any(rng), any(rng)});
  }
  for (const Case& c : cases) {
    TBitmap actual(100, 64), expected(100, 64);
    actual.Clear(clWhite);
    expected.Clear(clWhite);
    ReferenceLineClosedForm(expected, c.x0, c.y0, c.x1, c.y1, clBlack);
    actual.Canvas().MoveTo(c.x0, c.y0);
    actual.Canvas().LineTo(c.x1, c.y1);
    ASSERT_TRUE(test::ImagesEqual(expected, actual, "huge_line"))
        << c.x0 << "," << c.y0 << " -> " << c.x1 << "," << c.y1;
  }
  // The first case by hand: every visible pixel of row 6, nothing else.
  TBitmap b(50, 10);
  b.Clear(clWhite);
  b.Canvas().MoveTo(-2000000000, 5);
  b.Canvas().LineTo(2000000000, 7);
  for (int x = 0; x < 50; ++x) {
    EXPECT_EQ(b.Canvas().Pixel(x, 6), clBlack) << x;
    EXPECT_EQ(b.Canvas().Pixel(x, 5), clWhite) << x;
    EXPECT_EQ(b.Canvas().Pixel(x, 7), clWhite) << x;
  }
}

TEST(RasterReference, ClippedLinesMatchTheSameLinesOnABigSurface) {
  std::mt19937 rng(7);
  TBitmap big(1200, 900);
  for (int k = 0; k < 60; ++k) {
    big.Clear(clWhite);
    std::uniform_int_distribution<int> x(0, 1199), y(0, 899);
    const TPoint a{x(rng), y(rng)}, b{x(rng), y(rng)};
    big.Canvas().MoveTo(a.x, a.y);
    big.Canvas().LineTo(b.x, b.y);
    // A window of the big surface, drawn with the line shifted.
    const int ox = 500, oy = 400;
    TBitmap win(80, 60), cut(80, 60);
    win.Clear(clWhite);
    win.Canvas().MoveTo(a.x - ox, a.y - oy);
    win.Canvas().LineTo(b.x - ox, b.y - oy);
    cut.Canvas().CopyRect(Rect(0, 0, 80, 60), big, Rect(ox, oy, ox + 80, oy + 60));
    ASSERT_TRUE(test::ImagesEqual(cut, win, "window_line")) << k;
  }
}

// Even-odd rule at pixel centres, exact rational comparison.
void ReferencePolygon(TBitmap& b, const std::vector<TPoint>& p, TColor c) {
  const std::size_t n = p.size();
  for (std::int32_t py = 0; py < b.Height(); ++py)
    for (std::int32_t px = 0; px < b.Width(); ++px) {
      int crossings = 0;
      for (std::size_t i = 0; i < n; ++i) {
        TPoint a = p[i], q = p[(i + 1) % n];
        if (a.y == q.y) continue;
        if (a.y > q.y) std::swap(a, q);
        if (py < a.y || py >= q.y) continue;
        const i128 dy = i128(q.y) - a.y, dx = i128(q.x) - a.x;
        // crossing x < px + 1/2  <=>  2*xa*dy + dx*(2py + 1 - 2ya) < (2px + 1)*dy
        if (2 * i128(a.x) * dy + dx * (2 * i128(py) + 1 - 2 * i128(a.y)) < (2 * i128(px) + 1) * dy) ++crossings;
      }
      if (crossings % 2) b.ScanLine(py)[px] = ToRGB32(c);
    }
}

TEST(RasterReference, RandomPolygonFillsMatchThePerPixelEvenOddRule) {
  std::mt19937 rng(2024);
  for (int seed = 0; seed < 300; ++seed) {
    const int w = 30 + int(rng() % 30), h = 20 + int(rng() % 30);
    const int spread = seed < 150 ? 1 : (seed < 250 ? 40 : 20000000);
    std::uniform_int_distribution<int> dx(-spread * w / 2, w + spread * w / 2), dy(-spread * h / 2, h + spread * h / 2);
    std::vector<TPoint> pts(3 + rng() % 9);
    for (TPoint& q : pts) q = {dx(rng), dy(rng)};
    TBitmap actual(w, h), expected(w, h);
    actual.Clear(clWhite);
    expected.Clear(clWhite);
    ReferencePolygon(expected, pts, clRed);
    TCanvas& c = actual.Canvas();
    c.Pen.Style = TPenStyle::psClear;
    c.Brush.Color = clRed;
    c.Polygon(pts);
    ASSERT_TRUE(test::ImagesEqual(expected, actual, "random_polygon_" + std::to_string(seed))) << "seed " << seed;
  }
}

TEST(RasterReference, PolygonOutlineIsTheClosedPolylineOverTheFill) {
  std::mt19937 rng(5);
  for (int seed = 0; seed < 100; ++seed) {
    std::uniform_int_distribution<int> d(-10, 60);
    std::vector<TPoint> pts(3 + rng() % 6);
    for (TPoint& q : pts) q = {d(rng), d(rng)};
    TBitmap actual(50, 50), expected(50, 50);
    actual.Clear(clWhite);
    expected.Clear(clWhite);
    ReferencePolygon(expected, pts, clYellow);
    for (std::size_t k = 0; k < pts.size(); ++k) {
      const TPoint a = pts[k], b = pts[(k + 1) % pts.size()];
      ReferenceLine(expected, a.x, a.y, b.x, b.y, clNavy);
    }
    TCanvas& c = actual.Canvas();
    c.Pen.Color = clNavy;
    c.Brush.Color = clYellow;
    c.Polygon(pts);
    ASSERT_TRUE(test::ImagesEqual(expected, actual, "polygon_outline_" + std::to_string(seed))) << seed;
  }
}

}  // namespace
}  // namespace mivo

namespace mivo {
namespace {

// Wide pens: a pixel is covered when its centre lies within w/2 of a segment
// (even widths run through the pixel corner up-left of the points); exact
// integer arithmetic in doubled coordinates.
bool NearSegment(std::int64_t px, std::int64_t py, TPoint a, TPoint b, std::int64_t w) {
  const std::int64_t sh = w % 2 == 0 ? -1 : 0;
  const i128 ax = 2 * i128(a.x) + sh, ay = 2 * i128(a.y) + sh, bx = 2 * i128(b.x) + sh, by = 2 * i128(b.y) + sh;
  const i128 x = 2 * i128(px), y = 2 * i128(py), dx = bx - ax, dy = by - ay;
  const i128 r2 = i128(w) * w;
  const i128 dot = (x - ax) * dx + (y - ay) * dy, len2 = dx * dx + dy * dy;
  if (len2 == 0 || dot <= 0) return (x - ax) * (x - ax) + (y - ay) * (y - ay) <= r2;
  if (dot >= len2) return (x - bx) * (x - bx) + (y - by) * (y - by) <= r2;
  const i128 cross = (x - ax) * dy - (y - ay) * dx;
  return cross * cross <= r2 * len2;
}

TEST(RasterReference, WidePolylinesMatchThePerPixelDistanceRule) {
  std::mt19937 rng(77);
  for (int seed = 0; seed < 150; ++seed) {
    std::uniform_int_distribution<int> d(-20, 80);
    std::vector<TPoint> pts(2 + rng() % 5);
    for (TPoint& p : pts) p = {d(rng), d(rng)};
    const int w = 2 + int(rng() % 11);
    TBitmap actual(64, 64), expected(64, 64);
    actual.Clear(clWhite);
    expected.Clear(clWhite);
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x)
        for (std::size_t k = 0; k + 1 < pts.size(); ++k)
          if (NearSegment(x, y, pts[k], pts[k + 1], w)) {
            expected.ScanLine(y)[x] = ToRGB32(clBlack);
            break;
          }
    actual.Canvas().Pen.Width = w;
    actual.Canvas().Polyline(pts);
    ASSERT_TRUE(test::ImagesEqual(expected, actual, "wide_polyline_" + std::to_string(seed)))
        << "seed " << seed << " width " << w;
  }
}

}  // namespace
}  // namespace mivo

namespace mivo {
namespace {

// Unscaled copies take whole rows; checked against the per-pixel rule on
// random offsets that reach past every edge of the source and the surface.
TEST(RasterReference, UnscaledCopiesMatchThePerPixelRuleInEveryCopyMode) {
  std::mt19937 rng(11);
  std::uniform_int_distribution<int> off(-40, 60), size(0, 50), byte(0, 255);
  const TCopyMode modes[] = {TCopyMode::cmSrcCopy, TCopyMode::cmSrcAnd, TCopyMode::cmSrcPaint,
                             TCopyMode::cmSrcInvert};
  for (int k = 0; k < 200; ++k) {
    TBitmap src(size(rng) + 1, size(rng) + 1), dst(48, 36), expected(48, 36);
    for (std::int32_t y = 0; y < src.Height(); ++y)
      for (std::int32_t x = 0; x < src.Width(); ++x)
        src.ScanLine(y)[x] = TRGB32{std::uint8_t(byte(rng)), std::uint8_t(byte(rng)), std::uint8_t(byte(rng)), 255};
    dst.Clear(TColor(0x3C5A78));
    expected.Clear(TColor(0x3C5A78));
    const TCopyMode mode = modes[k % 4];
    const std::int32_t dl = off(rng), dt = off(rng), sl = off(rng) / 2, st = off(rng) / 2, w = size(rng),
                       h = size(rng);
    dst.Canvas().CopyMode = mode;
    dst.Canvas().CopyRect(Rect(dl, dt, dl + w, dt + h), src, Rect(sl, st, sl + w, st + h));
    for (std::int32_t y = std::max(dt, 0); y < std::min(dt + h, expected.Height()); ++y)
      for (std::int32_t x = std::max(dl, 0); x < std::min(dl + w, expected.Width()); ++x) {
        const std::int32_t sx = sl + x - dl, sy = st + y - dt;
        if (sx < 0 || sy < 0 || sx >= src.Width() || sy >= src.Height()) continue;
        TRGB32& d = expected.ScanLine(y)[x];
        const TRGB32 s = src.ScanLine(sy)[sx];
        auto op = [mode](std::uint8_t a, std::uint8_t b) {
          switch (mode) {
            case TCopyMode::cmSrcAnd: return std::uint8_t(a & b);
            case TCopyMode::cmSrcPaint: return std::uint8_t(a | b);
            case TCopyMode::cmSrcInvert: return std::uint8_t(a ^ b);
            default: return b;
          }
        };
        d = TRGB32{op(d.B, s.B), op(d.G, s.G), op(d.R, s.R), d.A};
      }
    ASSERT_TRUE(test::ImagesEqual(expected, dst, "unscaled_copy")) << k;
  }
}

}  // namespace
}  // namespace mivo
