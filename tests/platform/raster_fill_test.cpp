// Polygon fill of the raster canvas against the row-by-row fill it replaced,
// kept here as the slow reference: same edge set-up, crossings collected per
// row and insertion-sorted, spans paired from the sorted list. The fast fill
// must give the same pixels for every input, so the shapes are the hard ones:
// thousands of self-crossing edges, vertices two billion pixels away,
// horizontal edges, crossings on the last column of 64-column words, and
// degenerate outlines; each with copy and XOR pens, solid and clear brushes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
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

using i128 = __int128;

std::int64_t FloorDiv64(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return (a % b != 0 && a < 0) ? q - 1 : q;
}

i128 FloorDiv128(i128 a, i128 b) {
  const i128 q = a / b;
  return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

// The fill as it was: marks the filled pixels of a W x H mask with 1.
void ReferenceFill(std::vector<std::uint8_t>& mask, std::int32_t W, std::int32_t H, const std::vector<TPoint>& pts) {
  struct TEdge {
    std::int64_t Y0, Y1, Q, R, QStep, RStep, Den;
  };
  std::vector<TEdge> edges;
  const std::size_t n = pts.size();
  std::int64_t yFirst = INT64_MAX, yLast = -1;
  for (std::size_t i = 0; i < n; ++i) {
    TPoint a = pts[i], b = pts[(i + 1) % n];
    if (a.y == b.y) continue;
    if (a.y > b.y) std::swap(a, b);
    const std::int64_t y0 = std::max<std::int64_t>(a.y, 0), y1 = std::min<std::int64_t>(std::int64_t(b.y) - 1, H - 1);
    if (y0 > y1) continue;
    const std::int64_t dx = std::int64_t(b.x) - a.x, dy = std::int64_t(b.y) - a.y;
    const i128 num = i128(2) * a.x * dy + i128(dx) * (2 * y0 + 1 - 2 * std::int64_t(a.y)) - dy;
    TEdge e;
    e.Y0 = y0;
    e.Y1 = y1;
    e.Den = 2 * dy;
    const i128 q = FloorDiv128(num, e.Den);
    e.Q = std::int64_t(q);
    e.R = std::int64_t(num - q * e.Den);
    e.QStep = FloorDiv64(dx, dy);
    e.RStep = 2 * (dx - e.QStep * dy);
    edges.push_back(e);
    yFirst = std::min(yFirst, y0);
    yLast = std::max(yLast, y1);
  }
  if (edges.empty()) return;
  std::sort(edges.begin(), edges.end(), [](const TEdge& a, const TEdge& b) { return a.Y0 < b.Y0; });
  std::vector<std::size_t> active;
  std::vector<std::int64_t> c;
  std::size_t next = 0;
  for (std::int64_t y = yFirst; y <= yLast; ++y) {
    while (next < edges.size() && edges[next].Y0 == y) active.push_back(next++);
    c.clear();
    std::size_t keep = 0;
    for (std::size_t k = 0; k < active.size(); ++k) {
      TEdge& e = edges[active[k]];
      c.push_back(e.Q + 1);
      if (e.Y1 == y) continue;
      e.Q += e.QStep;
      e.R += e.RStep;
      if (e.R >= e.Den) {
        e.R -= e.Den;
        ++e.Q;
      }
      active[keep++] = active[k];
    }
    active.resize(keep);
    for (std::size_t i = 1; i < c.size(); ++i) {
      const std::int64_t v = c[i];
      std::size_t j = i;
      for (; j > 0 && c[j - 1] > v; --j) c[j] = c[j - 1];
      c[j] = v;
    }
    for (std::size_t i = 0; i + 1 < c.size(); i += 2) {
      const std::int64_t l = std::max<std::int64_t>(c[i], 0), r = std::min<std::int64_t>(c[i + 1], W);
      for (std::int64_t x = l; x < r; ++x) mask[std::size_t(y) * std::size_t(W) + std::size_t(x)] = 1;
    }
  }
}

// How a polygon is drawn.
struct TStyle {
  const char* Name;
  bool Brush;  // solid brush, else clear
  TPenMode Mode;
  TPenStyle PenStyle;
  std::int32_t PenWidth;
};

const TStyle Styles[] = {
    {"fill_copy", true, TPenMode::pmCopy, TPenStyle::psClear, 1},
    {"fill_outline_copy", true, TPenMode::pmCopy, TPenStyle::psSolid, 1},
    {"fill_outline_xor", true, TPenMode::pmXor, TPenStyle::psSolid, 1},
    {"fill_xor", true, TPenMode::pmXor, TPenStyle::psClear, 1},
    {"fill_wide_outline_xor", true, TPenMode::pmXor, TPenStyle::psSolid, 3},
    {"outline_xor", false, TPenMode::pmXor, TPenStyle::psSolid, 1},
};

constexpr TColor PenColor = 0x00336699, BrushColor = 0x00C0A050;

void Noise(TBitmap& b, std::uint32_t seed) {
  std::mt19937 rng(seed);
  for (std::int32_t y = 0; y < b.Height(); ++y)
    for (std::int32_t x = 0; x < b.Width(); ++x) b.Canvas().SetPixel(x, y, rng() & 0x00FFFFFFu);
}

// The expected picture: the outline (the closed polyline with the same pen,
// whose drawing is not under test) over the reference fill, each pixel
// changed once by the pen or else by the brush.
TBitmap Expected(const TBitmap& background, const std::vector<TPoint>& pts, const TStyle& st) {
  const std::int32_t W = background.Width(), H = background.Height();
  std::vector<std::uint8_t> fill(std::size_t(W) * std::size_t(H), 0);
  TBitmap outline(W, H);
  outline.Clear(clBlack);
  if (pts.size() >= 2) {
    if (st.Brush) ReferenceFill(fill, W, H, pts);
    std::vector<TPoint> closed = pts;
    closed.push_back(pts[0]);
    TCanvas& oc = outline.Canvas();
    oc.Pen.Color = clWhite;
    oc.Pen.Style = st.PenStyle;
    oc.Pen.Width = st.PenWidth;
    oc.Polyline(closed);
  }
  TBitmap out = background;
  for (std::int32_t y = 0; y < H; ++y)
    for (std::int32_t x = 0; x < W; ++x) {
      TColor c;
      if (outline.Canvas().Pixel(x, y) == clWhite)
        c = PenColor;
      else if (fill[std::size_t(y) * std::size_t(W) + std::size_t(x)])
        c = BrushColor;
      else
        continue;
      if (st.Mode == TPenMode::pmXor) c ^= out.Canvas().Pixel(x, y);
      out.Canvas().SetPixel(x, y, c);
    }
  return out;
}

void ExpectSamePixels(std::int32_t W, std::int32_t H, const std::vector<TPoint>& pts, const std::string& name) {
  TBitmap background(W, H);
  Noise(background, std::uint32_t(pts.size() * 31 + std::size_t(W)));
  for (const TStyle& st : Styles) {
    TBitmap actual = background;
    TCanvas& c = actual.Canvas();
    c.Pen.Color = PenColor;
    c.Pen.Mode = st.Mode;
    c.Pen.Style = st.PenStyle;
    c.Pen.Width = st.PenWidth;
    c.Brush.Color = BrushColor;
    c.Brush.Style = st.Brush ? TBrushStyle::bsSolid : TBrushStyle::bsClear;
    c.Polygon(pts);
    ASSERT_TRUE(test::ImagesEqual(Expected(background, pts, st), actual, name + "_" + st.Name))
        << name << " drawn " << st.Name << " on " << W << " x " << H;
  }
}

struct TShapeCase {
  const char* Name;
  std::int32_t W, H;
  int Count;  // shapes drawn from the seed
  std::function<std::vector<TPoint>(std::mt19937&, std::int32_t, std::int32_t)> Make;
};

std::vector<TPoint> RandomPoints(std::mt19937& rng, std::size_t n, std::int64_t lo, std::int64_t hiX, std::int64_t hiY) {
  std::uniform_int_distribution<std::int64_t> x(lo, hiX), y(lo, hiY);
  std::vector<TPoint> p(n);
  for (TPoint& q : p) q = {std::int32_t(x(rng)), std::int32_t(y(rng))};
  return p;
}

TEST(RasterFill, PolygonPixelsMatchTheRowByRowReference) {
  const std::vector<TShapeCase> cases = {
      {"small_near", 61, 43, 60,
       [](std::mt19937& r, std::int32_t w, std::int32_t h) { return RandomPoints(r, 3 + r() % 10, -8, w + 8, h + 8); }},
      {"small_word_edge", 64, 20, 40,
       [](std::mt19937& r, std::int32_t w, std::int32_t h) { return RandomPoints(r, 3 + r() % 6, -3, w + 3, h + 3); }},
      {"small_past_word_edge", 129, 9, 40,
       [](std::mt19937& r, std::int32_t w, std::int32_t h) { return RandomPoints(r, 3 + r() % 6, -3, w + 3, h + 3); }},
      {"one_column", 1, 30, 30,
       [](std::mt19937& r, std::int32_t, std::int32_t h) { return RandomPoints(r, 3 + r() % 6, -2, 3, h + 2); }},
      {"large_self_crossing", 200, 150, 2,
       [](std::mt19937& r, std::int32_t w, std::int32_t h) { return RandomPoints(r, 2000, -20, w + 20, h + 20); }},
      {"far_off_surface", 70, 50, 60,
       [](std::mt19937& r, std::int32_t w, std::int32_t h) {
         auto p = RandomPoints(r, 3 + r() % 8, -2000000000, 2000000000, 2000000000);
         // Some vertices near the surface, so edges cross it at steep and flat angles.
         for (TPoint& q : p)
           if (r() % 3 == 0) q = {std::int32_t(r() % std::uint32_t(w)), std::int32_t(r() % std::uint32_t(h))};
         return p;
       }},
      {"int32_extremes", 66, 40, 30,
       [](std::mt19937& r, std::int32_t w, std::int32_t h) {
         const std::int32_t v[] = {INT32_MIN, INT32_MAX, -1, 0, w, h, w / 2, INT32_MIN + 1, INT32_MAX - 1};
         std::vector<TPoint> p(3 + r() % 5);
         for (TPoint& q : p) q = {v[r() % 9], v[r() % 9]};
         return p;
       }},
      {"horizontal_edges", 90, 60, 60,
       [](std::mt19937& r, std::int32_t w, std::int32_t h) {
         // Few distinct rows: many edges lie along a row or meet at one.
         const std::int32_t rowsAt[] = {-5, 0, h / 3, h / 2, h - 1, h};
         std::vector<TPoint> p(4 + r() % 12);
         for (TPoint& q : p) q = {std::int32_t(r() % std::uint32_t(w + 20)) - 10, rowsAt[r() % 6]};
         return p;
       }},
      {"series_area", 257, 80, 3,
       [](std::mt19937& r, std::int32_t w, std::int32_t h) {
         std::vector<TPoint> p;
         std::int32_t walk = h / 2;
         for (std::int32_t i = 0; i < 4000; ++i) {
           walk = std::clamp<std::int32_t>(walk + std::int32_t(r() % 7) - 3, 5, h - 5);
           p.push_back({i * (w - 1) / 3999, walk + std::int32_t(r() % 21) - 10});
         }
         p.push_back({w - 1, h - 1});
         p.push_back({0, h - 1});
         return p;
       }},
  };
  for (const TShapeCase& sc : cases) {
    std::mt19937 rng(std::uint32_t(sc.W * 1000 + sc.H));
    for (int k = 0; k < sc.Count; ++k) {
      const std::vector<TPoint> pts = sc.Make(rng, sc.W, sc.H);
      ExpectSamePixels(sc.W, sc.H, pts, std::string(sc.Name) + "_" + std::to_string(k));
      if (HasFatalFailure()) return;
    }
  }
}

TEST(RasterFill, DegenerateAndBoundaryPolygonsMatchTheReference) {
  struct TCase {
    const char* Name;
    std::int32_t W, H;
    std::vector<TPoint> Pts;
  };
  const TCase cases[] = {
      {"no_points", 20, 10, {}},
      {"one_point", 20, 10, {{5, 5}}},
      {"two_points", 20, 10, {{2, 1}, {15, 8}}},
      {"all_equal", 20, 10, {{4, 4}, {4, 4}, {4, 4}, {4, 4}}},
      {"collinear", 20, 10, {{0, 0}, {5, 2}, {10, 4}, {15, 6}}},
      {"one_row", 20, 10, {{-5, 3}, {30, 3}, {8, 3}}},
      {"covers_64_wide_surface", 64, 8, {{-5, -5}, {64, -5}, {64, 8}, {-5, 8}}},
      {"covers_128_wide_surface", 128, 5, {{0, 0}, {128, 0}, {128, 5}, {0, 5}}},
      {"ends_on_word_edges", 130, 6, {{63, 0}, {64, 0}, {128, 6}, {127, 6}}},
      {"twice_around", 40, 30, {{5, 5}, {35, 5}, {35, 25}, {5, 25}, {5, 5}, {35, 5}, {35, 25}, {5, 25}}},
      {"huge_triangle", 50, 40, {{-2000000000, -2000000000}, {2000000000, 20}, {-2000000000, 2000000000}}},
      {"zero_width_surface", 0, 10, {{0, 0}, {5, 5}, {0, 9}}},
      {"zero_height_surface", 10, 0, {{0, 0}, {5, 5}, {0, 9}}},
  };
  for (const TCase& c : cases) {
    ExpectSamePixels(c.W, c.H, c.Pts, c.Name);
    if (HasFatalFailure()) return;
  }
}

}  // namespace
}  // namespace mivo
