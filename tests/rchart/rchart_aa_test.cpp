// The chart's antialiased mode: column reduction of line chains keeps the
// antialiased picture of every point, and hostile data draws safely with it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/raster_canvas.h"
#include "mivo/platform/recording_canvas.h"
#include "mivo/rchart/rchart.h"
#include "rchart_test_util.h"

namespace mivo {
namespace {

TBitmap Paper(const TCustomRChart& c) {
  TBitmap b(c.GrafBmp().Width(), c.GrafBmp().Height());
  b.Canvas().Brush = TBrush{clWhite, TBrushStyle::bsSolid};
  b.Canvas().FillRect({0, 0, b.Width(), b.Height()});
  return b;
}

// Mean absolute difference per channel over the pixels either picture
// inked, and the largest difference of one channel anywhere.
struct TDiff {
  double Mean = 0;
  int Max = 0;
};
TDiff Compare(const TBitmap& a, const TBitmap& b) {
  TDiff d;
  double sum = 0;
  std::int64_t n = 0;
  const TRGB32 white = ToRGB32(clWhite);
  for (std::int32_t y = 0; y < a.Height(); ++y) {
    for (std::int32_t x = 0; x < a.Width(); ++x) {
      const TRGB32 p = a.ScanLine(y)[x], q = b.ScanLine(y)[x];
      if (p == white && q == white) continue;
      ++n;
      for (int k : {std::abs(p.R - q.R), std::abs(p.G - q.G), std::abs(p.B - q.B)}) {
        sum += k;
        d.Max = std::max(d.Max, k);
      }
    }
  }
  d.Mean = n ? sum / (3.0 * double(n)) : 0.0;
  return d;
}

// Dense data reduced to at most four points a pixel column against the same
// chains drawn point by point (an unbounded recording keeps every point),
// both antialiased. The reduced chain covers the same union of strokes; what
// differs is where the point-by-point drawing blends the overlaps of its many
// separate polylines twice. Measured: means of 0.1 to 4.3 levels of 255 over
// the inked pixels for these data (single pixels up to 87, where a batch of
// the point-by-point drawing ends); the bound is about twice the worst mean.
TEST(RChartAntialiased, ColumnReductionKeepsTheAntialiasedPicture) {
  for (std::uint32_t seed = 1; seed <= 6; ++seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> u(0, 1);
    TCustomRChart c;
    test::UseTestGeometry(c);
    c.SetSuppressPaint(false);
    c.SetRange(1, 0, 0, 10, 10);
    c.SetAntialiased(true);
    // Steep noise (hundreds of points a column), a slow random walk, a sine.
    const int n = 20000;
    c.MoveTo(0, 5);
    double y = 5;
    for (int i = 1; i <= n; ++i) {
      const double x = 10.0 * i / n;
      if (seed % 3 == 0) y = 5 + 4 * u(rng) - 2;
      else if (seed % 3 == 1) y = std::clamp(y + (u(rng) - 0.5) * 0.05, 0.5, 9.5);
      else y = 5 + 4 * std::sin(x * (seed + 1));
      c.DrawTo(x, y);
    }
    TRecordingCanvas rec;
    c.ConstructDataBmpCanvas(rec, 0, 0, false, 0);
    TBitmap every = Paper(c), reduced = Paper(c);
    TRasterCanvas replay(every);
    {
      const TAntialiasScope on(true);
      rec.Replay(replay);
      c.ConstructDataBmp(reduced, 0, 0, false, 0);
    }
    const TDiff d = Compare(every, reduced);
    EXPECT_LE(d.Mean, 8.0) << "seed " << seed;
    RecordProperty("seed" + std::to_string(seed) + "_mean", std::to_string(d.Mean));
    RecordProperty("seed" + std::to_string(seed) + "_max", std::to_string(d.Max));
  }
}

TEST(RChartAntialiased, HostileDataPaintsSafely) {
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  for (std::int32_t side : {0, 1, 280}) {
    TCustomRChart c;
    test::UseTestGeometry(c);
    c.SetBounds(0, 0, side, side);
    c.SetSuppressPaint(false);
    c.SetAntialiased(true);
    c.SetRange(1, 0, 0, 10, 10);
    c.MoveTo(nan, 1);
    for (double v : {1.0, nan, inf, -inf, 1e300, -1e300, 5.0, 1e-300})
      for (double w : {2.0, nan, inf, -1e300, 7.0}) c.DrawTo(v, w);
    for (std::uint8_t wid : {0, 1, 7, 255}) {
      c.SetLineWid(wid);
      c.DrawTo(1e12, -1e12);
      c.DrawTo(3, 3);
    }
    c.MoveTo(5, 5);
    c.DrawTo(5, 5);
    const TBitmap& b = c.PaintedSurface();
    for (std::int32_t y = 0; y < b.Height(); ++y)
      for (std::int32_t x = 0; x < b.Width(); ++x) ASSERT_EQ(b.ScanLine(y)[x].A, 0);
  }
}

}  // namespace
}  // namespace mivo
