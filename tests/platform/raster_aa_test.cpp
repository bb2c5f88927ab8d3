// Antialiased drawing of the raster canvas: every shape against a reference
// computed here from the same geometry by 16 x 16 point sampling per pixel
// (independent of the blending library the canvas uses), the exact pixels
// wherever a pen mode combines with the pixel, the scope that components
// paint in, and hostile geometry with antialiasing on.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <numbers>
#include <string_view>
#include <vector>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/raster_canvas.h"
#include "support/image_compare.h"

namespace mivo {
namespace {

constexpr std::int32_t kW = 96, kH = 72;
constexpr TColor kPaper = 0xFFFFFF, kInk = 0x803020;

using TInside = std::function<bool(double x, double y)>;

// The picture of a shape from its coverage: ink over paper by the fraction
// of 16 x 16 sample points of each pixel that lie inside.
TBitmap Reference(const TInside& inside, TColor ink = kInk) {
  TBitmap b;
  b.SetSize(kW, kH);
  constexpr int n = 16;
  for (std::int32_t y = 0; y < kH; ++y) {
    for (std::int32_t x = 0; x < kW; ++x) {
      int hits = 0;
      for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) hits += inside(x + (i + 0.5) / n, y + (j + 0.5) / n) ? 1 : 0;
      const double c = hits / double(n * n);
      auto mix = [c](int a, int p) { return std::uint8_t(std::lround(a * c + p * (1 - c))); };
      b.ScanLine(y)[x] = TRGB32{mix(GetBValue(ink), 255), mix(GetGValue(ink), 255), mix(GetRValue(ink), 255), 0};
    }
  }
  return b;
}

// Distance from p to the segment a-b; with flat ends, infinite beyond them.
double SegmentDistance(double px, double py, double ax, double ay, double bx, double by, bool flat) {
  const double dx = bx - ax, dy = by - ay, len2 = dx * dx + dy * dy;
  double t = len2 > 0 ? ((px - ax) * dx + (py - ay) * dy) / len2 : 0.0;
  if (flat && (t < 0 || t > 1)) return std::numeric_limits<double>::infinity();
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

// Stroke of connected points at pixel centres: flat ends, round joins.
TInside ThinPath(std::vector<TPoint> pts) {
  return [pts](double x, double y) {
    for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
      const double ax = pts[i].x + 0.5, ay = pts[i].y + 0.5, bx = pts[i + 1].x + 0.5, by = pts[i + 1].y + 0.5;
      if (SegmentDistance(x, y, ax, ay, bx, by, true) <= 0.5) return true;
      if (i > 0 && std::hypot(x - ax, y - ay) <= 0.5) return true;
    }
    return false;
  };
}

bool EvenOdd(const std::vector<TPoint>& pts, double x, double y) {
  bool in = false;
  for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
    const double xi = pts[i].x, yi = pts[i].y, xj = pts[j].x, yj = pts[j].y;
    if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) in = !in;
  }
  return in;
}

// Mean absolute difference per channel over the pixels either picture
// changed from the paper, and whether any pixel lies strictly between paper
// and ink (an edge that was blended).
struct TDiff {
  double Mean = 0;
  std::int64_t Pixels = 0;
  bool Blended = false;
  bool TopByteClear = true;
};
TDiff Compare(const TBitmap& got, const TBitmap& want) {
  TDiff d;
  double sum = 0;
  const TRGB32 paper = ToRGB32(kPaper), ink = ToRGB32(kInk);
  for (std::int32_t y = 0; y < kH; ++y) {
    for (std::int32_t x = 0; x < kW; ++x) {
      TRGB32 g = got.ScanLine(y)[x], w = want.ScanLine(y)[x];
      d.TopByteClear = d.TopByteClear && g.A == 0;
      g.A = 0;
      if (g == paper && w == paper) continue;
      if (g != paper && g != ink) d.Blended = true;
      ++d.Pixels;
      sum += std::abs(g.R - w.R) + std::abs(g.G - w.G) + std::abs(g.B - w.B);
    }
  }
  d.Mean = d.Pixels ? sum / (3.0 * double(d.Pixels)) : 0.0;
  return d;
}

TBitmap Paper() {
  TBitmap b;
  b.SetSize(kW, kH);
  b.Canvas().Brush.Color = kPaper;
  b.Canvas().FillRect(Rect(0, 0, kW, kH));
  return b;
}

void Ink(TCanvas& c, std::int32_t width, bool brush) {
  c.Antialiased = true;
  c.Pen = TPen{kInk, width, TPenStyle::psSolid, TPenMode::pmCopy};
  c.Brush = TBrush{kInk, brush ? TBrushStyle::bsSolid : TBrushStyle::bsClear};
}

struct TShapeCase {
  const char* Name;
  std::function<void(TCanvas&)> Draw;
  TInside Inside;
};

std::vector<TShapeCase> ShapeCases() {
  const std::vector<TPoint> zigzag{{4, 60}, {20, 10}, {40, 50}, {60, 14}, {90, 30}};
  const std::vector<TPoint> star{{48, 2}, {62, 68}, {6, 24}, {90, 24}, {34, 68}};
  const std::int32_t far = std::numeric_limits<std::int32_t>::max();
  return {
      {"thin line",
       [](TCanvas& c) {
         Ink(c, 1, false);
         c.MoveTo(3, 5);
         c.LineTo(80, 41);
       },
       ThinPath({{3, 5}, {80, 41}})},
      {"thin polyline",
       [zigzag](TCanvas& c) {
         Ink(c, 1, false);
         c.Polyline(zigzag);
       },
       ThinPath(zigzag)},
      {"odd wide line, round ends",
       [](TCanvas& c) {
         Ink(c, 5, false);
         c.MoveTo(8, 60);
         c.LineTo(80, 12);
       },
       [](double x, double y) { return SegmentDistance(x, y, 8.5, 60.5, 80.5, 12.5, false) <= 2.5; }},
      {"even wide line through pixel corners",
       [](TCanvas& c) {
         Ink(c, 6, false);
         c.MoveTo(10, 10);
         c.LineTo(70, 60);
       },
       [](double x, double y) { return SegmentDistance(x, y, 10, 10, 70, 60, false) <= 3; }},
      {"polygon fill, even-odd",
       [star](TCanvas& c) {
         Ink(c, 1, true);
         c.Pen.Style = TPenStyle::psClear;
         c.Polygon(star);
       },
       [star](double x, double y) { return EvenOdd(star, x, y); }},
      {"ellipse fill",
       [](TCanvas& c) {
         Ink(c, 1, true);
         c.Pen.Style = TPenStyle::psClear;
         c.Ellipse(10, 8, 71, 47);
       },
       [](double x, double y) { return std::pow((x - 40.5) / 30.5, 2) + std::pow((y - 27.5) / 19.5, 2) <= 1; }},
      {"thin circle outline",
       [](TCanvas& c) {
         Ink(c, 1, false);
         c.Ellipse(10, 10, 61, 61);
       },
       [](double x, double y) { return std::abs(std::hypot(x - 35.5, y - 35.5) - 25) <= 0.5; }},
      {"wide circle outline, beyond the size of cached marks",
       [](TCanvas& c) {
         Ink(c, 3, false);
         c.Ellipse(12, 1, 83, 72);
       },
       [](double x, double y) { return std::abs(std::hypot(x - 47.5, y - 36.5) - 35) <= 1.5; }},
      {"wide arc, counter-clockwise from east to north",
       [](TCanvas& c) {
         Ink(c, 3, false);
         c.Arc(10, 10, 61, 61, 90, 35, 35, 0);
       },
       [](double x, double y) {
         const double a = std::atan2(-(y - 35.5), x - 35.5);
         const bool ring = std::abs(std::hypot(x - 35.5, y - 35.5) - 25) <= 1.5 && a >= 0 &&
                           a <= std::numbers::pi / 2;
         return ring || std::hypot(x - 60.5, y - 35.5) <= 1.5 || std::hypot(x - 35.5, y - 10.5) <= 1.5;
       }},
      {"line with 32-bit end points",
       [far](TCanvas& c) {
         Ink(c, 1, false);
         c.MoveTo(-far, -far / 2);
         c.LineTo(far, far / 2);
       },
       [](double x, double y) {
         // Through the pixel centres of (-m, -m/2) and (m, m/2): y - 0.5 = (x - 0.5) * (m/2) / m.
         const double m = std::numeric_limits<std::int32_t>::max();
         const double k = std::floor(m / 2) / m;
         return std::abs((y - 0.5) - (x - 0.5) * k) / std::hypot(1.0, k) <= 0.5;
       }},
      {"polygon with 32-bit vertices",
       [far](TCanvas& c) {
         Ink(c, 1, true);
         c.Pen.Style = TPenStyle::psClear;
         const std::vector<TPoint> big{{-far, 30}, {far, 30}, {far, far}, {-far, far}};
         c.Polygon(big);
       },
       [](double, double y) { return y >= 30; }},
  };
}

// Mean absolute difference per channel, over the pixels the shape touches,
// between the canvas and the sampled coverage. Measured 0.0 (fills) to 3.5
// (thin lines) levels of 255: the blending samples coverage more coarsely and
// flattens curves. The bound of 6 is well below what the exact pixels of the
// same line (19) or the line moved by one pixel (82) give.
constexpr double kMeanBound = 6.0;

TEST(RasterAntialiased, MatchesSampledCoverageOfTheSameGeometry) {
  for (const TShapeCase& k : ShapeCases()) {
    SCOPED_TRACE(k.Name);
    TBitmap got = Paper();
    k.Draw(got.Canvas());
    const TDiff d = Compare(got, Reference(k.Inside));
    EXPECT_GT(d.Pixels, 0);
    EXPECT_LE(d.Mean, kMeanBound);
    EXPECT_TRUE(d.TopByteClear);
    if (std::string_view(k.Name).find("32-bit vertices") == std::string_view::npos) {
      EXPECT_TRUE(d.Blended);
    }
  }
}

TEST(RasterAntialiased, BoundTellsExactAndMovedLinesApart) {
  // The exact drawing of a thin diagonal, and the antialiased one moved by a
  // pixel, both exceed the bound.
  const TShapeCase k = ShapeCases()[0];
  TBitmap exact = Paper(), moved = Paper();
  Ink(exact.Canvas(), 1, false);
  exact.Canvas().Antialiased = false;
  exact.Canvas().MoveTo(3, 5);
  exact.Canvas().LineTo(80, 41);
  Ink(moved.Canvas(), 1, false);
  moved.Canvas().MoveTo(3, 6);
  moved.Canvas().LineTo(80, 42);
  const TBitmap want = Reference(k.Inside);
  EXPECT_GT(Compare(exact, want).Mean, kMeanBound);
  EXPECT_GT(Compare(moved, want).Mean, kMeanBound);
}

// Pen modes that combine with the pixel keep their exact rules (a figure
// drawn twice in XOR restores the picture), so they draw the same pixels with
// antialiasing on as off.
TEST(RasterAntialiased, CombiningPenModesDrawExactly) {
  const std::vector<TPoint> tri{{5, 5}, {80, 20}, {30, 66}};
  for (TPenMode mode : {TPenMode::pmXor, TPenMode::pmNot, TPenMode::pmMerge, TPenMode::pmMask, TPenMode::pmNotXor,
                        TPenMode::pmNop}) {
    SCOPED_TRACE(int(mode));
    TBitmap on = Paper(), off = Paper();
    for (TBitmap* b : {&on, &off}) {
      TCanvas& c = b->Canvas();
      c.Antialiased = b == &on;
      c.Pen = TPen{0x3366CC, 3, TPenStyle::psSolid, mode};
      c.Brush.Color = 0x22AA44;
      c.Polygon(tri);
      c.Polyline(tri);
      c.Ellipse(20, 10, 70, 50);
      c.Arc(5, 5, 90, 70, 90, 5, 5, 70);
      c.MoveTo(0, 71);
      c.LineTo(95, 0);
    }
    EXPECT_TRUE(test::ImagesEqual(off, on));
  }
}

TEST(RasterAntialiased, ScopeDecidesOverTheCanvasAndNests) {
  auto blended = [](bool canvasSetting) {
    TBitmap b = Paper();
    Ink(b.Canvas(), 1, false);
    b.Canvas().Antialiased = canvasSetting;
    b.Canvas().MoveTo(0, 0);
    b.Canvas().LineTo(90, 31);
    return Compare(b, Paper()).Blended;
  };
  EXPECT_FALSE(blended(false));
  EXPECT_TRUE(blended(true));
  {
    const TAntialiasScope on(true);
    EXPECT_TRUE(blended(false));
    {
      const TAntialiasScope off(false);
      EXPECT_FALSE(blended(true));
    }
    EXPECT_TRUE(blended(false));
  }
  EXPECT_EQ(TAntialiasScope::Current(), -1);
  EXPECT_TRUE(blended(true));
}

TEST(RasterAntialiased, HostileGeometryDrawsSafely) {
  constexpr std::int32_t lo = std::numeric_limits<std::int32_t>::min(), hi = std::numeric_limits<std::int32_t>::max();
  const std::vector<std::function<void(TCanvas&)>> draws{
      [](TCanvas& c) { c.Ellipse(lo, lo, hi, hi); },
      [](TCanvas& c) { c.Ellipse(-5, 30, hi, 40); },
      [](TCanvas& c) { c.Arc(lo, lo, hi, hi, 0, 0, 0, 0); },
      [](TCanvas& c) { c.Arc(10, 10, 40, 40, 25, 25, 25, 25); },
      [](TCanvas& c) { c.Ellipse(10, 10, 11, 60); },
      [](TCanvas& c) { c.Ellipse(10, 10, 10, 60); },
      [](TCanvas& c) { c.Polyline(std::vector<TPoint>{{lo, lo}, {hi, hi}, {lo, hi}, {hi, lo}}); },
      [](TCanvas& c) { c.Polygon(std::vector<TPoint>{{lo, lo}, {hi, lo}, {lo, hi}, {hi, hi}, {0, 0}}); },
      [](TCanvas& c) { c.Polygon(std::vector<TPoint>{{5, 5}, {5, 5}, {5, 5}}); },
      [](TCanvas& c) { c.Polygon(std::vector<TPoint>{{-1000, -1000}, {-900, -1000}, {-900, -900}}); },
      [](TCanvas& c) {
        c.Pen.Width = std::numeric_limits<std::int32_t>::max();
        c.MoveTo(10, 10);
        c.LineTo(20, 20);
      },
      [](TCanvas& c) {
        c.Pen.Style = TPenStyle::psDashDot;
        c.Polyline(std::vector<TPoint>{{lo, 3}, {hi, 3}});
      },
  };
  for (std::size_t i = 0; i < draws.size(); ++i) {
    SCOPED_TRACE(i);
    for (std::int32_t side : {0, 1, kW}) {
      TBitmap b;
      b.SetSize(side, side == 1 ? 1 : kH);
      Ink(b.Canvas(), 2, true);
      draws[i](b.Canvas());
      for (std::int32_t y = 0; y < b.Height(); ++y)
        for (std::int32_t x = 0; x < b.Width(); ++x) ASSERT_EQ(b.ScanLine(y)[x].A, 0);
    }
  }
  // A horizontal line with far end points is the line across the surface.
  TBitmap far = Paper(), near = Paper();
  Ink(far.Canvas(), 1, false);
  far.Canvas().MoveTo(lo, 20);
  far.Canvas().LineTo(hi, 20);
  Ink(near.Canvas(), 1, false);
  near.Canvas().MoveTo(-10, 20);
  near.Canvas().LineTo(kW + 10, 20);
  EXPECT_TRUE(test::ImagesEqual(near, far));
}

}  // namespace
}  // namespace mivo
