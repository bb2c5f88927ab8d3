// The Smith grid: its pixels against a slow per-pixel reference of the
// circles, the labels by density level and where they go, and huge zooms.
#include "mivo/charts/smith_grid_internal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "mivo/charts/smith_chart.h"
#include "mivo/charts/smith_math.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/recording_canvas.h"

namespace mivo {
namespace {

using detail::DrawSmithGrid;
using detail::TSmithGridMap;
using detail::TSmithGridStyle;

constexpr TColor kLight = 0xDBDBDB, kDark = 0xA7A7A7, kDiagram = 0xF8E8E8, kWhite = 0xFFFFFF;
constexpr double kPi = 3.14159265358979323846;

TColor At(const TBitmap& b, std::int32_t x, std::int32_t y) {
  const TRGB32 p = b.ScanLine(y)[x];
  return TColor(p.R) | TColor(p.G) << 8 | TColor(p.B) << 16;
}

// The reference: a pixel belongs to the grid when its centre lies within half
// a pixel of a circle, on the part the circle is drawn for, or on the real axis.
class TReference {
 public:
  explicit TReference(const TSmithGridMap& m) : M(m) {}

  bool OnGrid(std::int32_t i, std::int32_t j) const {
    const double px = i, py = j;
    if (j == std::lround(double(M.Dy)) && px >= X(-1) - 0.5 && px <= X(1) + 0.5) return true;
    for (const TSmithGridRow& row : kSmithGrid) {
      const double r = row.Value, c = r / (r + 1), rad = 1 / (r + 1);
      if (Near(px, py, c, 0, rad)) {
        // The gap of +-gap around G = 1, seen from the circle's centre.
        const double angle = std::fabs(std::atan2(Wy(py), Wx(px) - c));
        if (row.Gap >= kPi || angle >= row.Gap) return true;
      }
    }
    for (std::size_t k = 1; k < kSmithGrid.size(); ++k) {
      const double v = 1 / kSmithGrid[k].Value, stop = kSmithGrid[k].Stop;
      for (double sv : {v, -v}) {
        if (!Near(px, py, 1, sv, v)) continue;
        // Inside the unit circle, on the side of the stop ray where the arc
        // meets the unit circle.
        const double wx = Wx(px), wy = Wy(py);
        if (std::hypot(wx, wy) > 1 + 0.5 / std::fabs(double(M.Kx))) continue;
        const double q = 1 + v * v, pX = (1 - v * v) / q, pY = (sv > 0 ? 2 : -2) * v / q;
        const double sx = stop - 1, sy = -sv;  // the stop ray from the centre (1, sv)
        const double sideP = sx * (pY - sv) - sy * (pX - 1), sideQ = sx * (wy - sv) - sy * (wx - 1);
        if (sideQ * sideP >= 0) return true;
      }
    }
    return false;
  }

 private:
  double X(double re) const { return double(M.Kx * re + M.Dx); }
  double Wx(double px) const { return double((px - M.Dx) / M.Kx); }
  double Wy(double py) const { return double((py - M.Dy) / M.Ky); }
  bool Near(double px, double py, double cu, double cv, double rad) const {
    const double cx = double(M.Kx * cu + M.Dx), cy = double(M.Ky * cv + M.Dy);
    return std::fabs(std::hypot(px - cx, py - cy) - std::fabs(double(M.Kx)) * rad) <= 0.5;
  }
  const TSmithGridMap& M;
};

struct TMapRow {
  const char* Name;
  TSmithGridMap Map;
};

TEST(SmithGridPixels, MatchASlowReferenceOfTheCirclesWithinTheBoxRounding) {
  const std::vector<TMapRow> maps = {
      {"plain", {170, 210, -170, 210}},
      {"off-centre", {170, 210.3L, -170, 209.6L}},
      {"small", {60, 210, -60, 210}},
      // The y axis reversed: the picture is the mirror image.
      {"mirrored", {170, 210, 170, 210}},
  };
  for (const auto& row : maps) {
    SCOPED_TRACE(row.Name);
    TBitmap bmp;
    bmp.SetSize(421, 421);
    bmp.Canvas().Brush = TBrush{kWhite, TBrushStyle::bsSolid};
    bmp.Canvas().FillRect(Rect(0, 0, 421, 421));
    DrawSmithGrid(bmp.Canvas(), row.Map, Rect(0, 0, 421, 421), TSmithGridStyle{kLight, kDark, kDiagram, false});
    const TReference ref(row.Map);
    std::vector<char> drawn(421 * 421), want(421 * 421);
    std::int64_t nDrawn = 0, nWant = 0;
    for (std::int32_t y = 0; y < 421; ++y)
      for (std::int32_t x = 0; x < 421; ++x) {
        const TColor c = At(bmp, x, y);
        nDrawn += drawn[std::size_t(y * 421 + x)] = c == kLight || c == kDark;
        nWant += want[std::size_t(y * 421 + x)] = ref.OnGrid(x, y);
      }
    // Every drawn pixel has a reference pixel near it and the other way
    // round. The canvas' box leaves out its last column and row (half a pixel
    // off the circle's centre and radius) and both box edges are rounded (half
    // a pixel each), so a drawn circle may lie up to 1.5 pixels off the true one.
    constexpr std::int32_t kSlack = 2;
    const auto nearby = [](const std::vector<char>& set, std::int32_t x, std::int32_t y) {
      for (std::int32_t dy = -kSlack; dy <= kSlack; ++dy)
        for (std::int32_t dx = -kSlack; dx <= kSlack; ++dx) {
          const std::int32_t u = x + dx, v = y + dy;
          if (u >= 0 && v >= 0 && u < 421 && v < 421 && set[std::size_t(v * 421 + u)]) return true;
        }
      return false;
    };
    std::int64_t stray = 0, missing = 0;
    for (std::int32_t y = 0; y < 421; ++y)
      for (std::int32_t x = 0; x < 421; ++x) {
        if (drawn[std::size_t(y * 421 + x)] && !nearby(want, x, y)) {
          if (stray++ < 5) ADD_FAILURE() << "stray grid pixel " << x << "," << y;
        }
        if (want[std::size_t(y * 421 + x)] && !nearby(drawn, x, y)) {
          if (missing++ < 5) ADD_FAILURE() << "missing grid pixel " << x << "," << y;
        }
      }
    EXPECT_EQ(stray, 0);
    EXPECT_EQ(missing, 0);
    // And the line is one pixel thin, as the reference's.
    EXPECT_GT(nDrawn, nWant * 8 / 10);
    EXPECT_LT(nDrawn, nWant * 12 / 10);
    // The unit circle is filled with the diagram colour and nothing lies outside it.
    std::int64_t outsideMarks = 0, insideBlank = 0;
    for (std::int32_t y = 0; y < 421; ++y)
      for (std::int32_t x = 0; x < 421; ++x) {
        const double d = std::hypot(x - double(row.Map.Dx), y - double(row.Map.Dy)) / std::fabs(double(row.Map.Kx));
        const TColor c = At(bmp, x, y);
        outsideMarks += d > 1.03 && c != kWhite;
        insideBlank += d < 0.97 && c == kWhite;
      }
    EXPECT_EQ(outsideMarks, 0);
    EXPECT_EQ(insideBlank, 0);
  }
}

// The texts drawn for a unit circle `span` pixels wide.
std::multiset<std::string> LabelsAt(std::int32_t span) {
  TRecordingCanvas rc;
  // The centre a quarter pixel off the grid, so that both ends round inwards.
  const TSmithGridMap m{span / 2.0L, 500.25L, -span / 2.0L, 500.25L};
  DrawSmithGrid(rc, m, Rect(0, 0, 1000, 1000), TSmithGridStyle{kLight, kDark, kDiagram, true});
  std::multiset<std::string> out;
  for (const TRecordedText& t : rc.Texts()) out.insert(t.Text);
  return out;
}

TEST(SmithGridLabels, DensityLevelDecidesWhichLabelsAppear) {
  const std::multiset<std::string> level1 = {"0", "0.2", "0.5", "1", "2", "10", "5",  // resistances
                                             "0.2", "0.5", "1", "2", "10", "5",       // reactances
                                             "-0.2", "-0.5", "-1", "-2", "-10", "-5"};
  EXPECT_EQ(LabelsAt(300), level1);
  EXPECT_EQ(LabelsAt(120), level1);
  // Each level adds its rows, as resistances and as reactances of both signs.
  const std::map<std::int32_t, std::vector<std::string>> added = {
      {301, {"0.7", "1.5"}},
      {500, {"0.7", "1.5"}},
      {750, {"0.7", "1.5", "0.1", "0.3", "0.4", "1.2", "3"}},
      {900, {"0.7", "1.5", "0.1", "0.3", "0.4", "1.2", "3", "2.5", "4", "7"}},
      {901, {"0.7", "1.5", "0.1", "0.3", "0.4", "1.2", "3", "2.5", "4", "7", "0.6", "0.8", "0.9"}},
  };
  for (const auto& [span, extra] : added) {
    std::multiset<std::string> want = level1;
    for (const std::string& v : extra) {
      want.insert(v);
      want.insert(v);
      want.insert("-" + v);
    }
    EXPECT_EQ(LabelsAt(span), want) << span;
  }
}

TEST(SmithGridLabels, LabelsSitOnTheirPointsTenPixelsOutOrOnTheAxis) {
  TRecordingCanvas rc;
  const TSmithGridMap m{200, 300, -200, 250};
  DrawSmithGrid(rc, m, Rect(0, 0, 600, 500), TSmithGridStyle{kLight, kDark, kDiagram, true});
  std::map<std::string, TRecordedText> first;
  for (const TRecordedText& t : rc.Texts()) first.emplace(t.Text, t);
  const auto centreOf = [&](const std::string& text) {
    const TRecordedText& t = first.at(text);
    const std::int32_t w = rc.TextWidth(text), h = rc.TextHeight(text);
    return TPoint{t.Pos.x + w / 2, t.Pos.y + h / 2};
  };
  // Reactance 1 meets the unit circle straight above the centre at (0, 1),
  // -1 straight below (the reactance labels come before the resistance ones).
  EXPECT_EQ(centreOf("1"), (TPoint{300, 50 - 10}));
  EXPECT_EQ(centreOf("-1"), (TPoint{300, 450 + 10}));
  // Reactance -0.5 meets it at (-0.6, -0.8): 10 pixels out along that direction.
  EXPECT_EQ(centreOf("-0.5"), (TPoint{300 - 120 - 6, 250 + 160 + 8}));
  EXPECT_EQ(first.at("-0.5").Brush.Style, TBrushStyle::bsClear);
  // Resistance 0 sits on G = -1 with the diagram colour behind it.
  EXPECT_EQ(centreOf("0"), (TPoint{100, 250}));
  EXPECT_EQ(first.at("0").Brush.Style, TBrushStyle::bsSolid);
  EXPECT_EQ(first.at("0").Brush.Color, kDiagram);
}

TEST(SmithGridLabels, ATinyAreaLevelWithTheCentreDividesNothingByZero) {
  // A unit circle a few pixels wide: several points map onto the centre row
  // or onto the centre itself.
  for (long double k : {0.4L, 1.0L, 2.0L, 3.5L}) {
    TRecordingCanvas rc;
    DrawSmithGrid(rc, TSmithGridMap{k, 5, -k, 5}, Rect(0, 0, 10, 10), TSmithGridStyle{kLight, kDark, kDiagram, true});
    for (const TRecordedText& t : rc.Texts()) {
      EXPECT_LE(std::abs(t.Pos.x), 40) << t.Text;
      EXPECT_LE(std::abs(t.Pos.y), 40) << t.Text;
    }
  }
  // No data area at all: nothing is drawn.
  TRecordingCanvas rc;
  DrawSmithGrid(rc, TSmithGridMap{0, 5, 0, 5}, Rect(0, 0, 10, 10), TSmithGridStyle{});
  EXPECT_EQ(rc.Size(), 0u);
}

// A painting chart of 400 x 400 zoomed onto a point.
void ZoomOnto(TSmithChart& c, double re, double im, double halfSpan) {
  c.SetBounds(0, 0, 400, 400);
  c.SetSuppressPaint(false);
  c.SetRange(re - halfSpan, im - halfSpan, re + halfSpan, im + halfSpan);
}

TEST(SmithGridZoom, HugeZoomsDrawTheVisibleCirclesWithinBounds) {
  struct TRow {
    double Re, Im, Half;
  };
  // 10^6 around G = 1 (every circle passes near it) and 10^7 onto a point of
  // the unit circle, whose radius then exceeds any canvas coordinate.
  for (const TRow& r : {TRow{1, 0, 1.2e-6}, TRow{0.6, 0.8, 1.2e-7}, TRow{-0.8, -0.6, 1e-9}}) {
    SCOPED_TRACE(testing::Message() << r.Re << " " << r.Im << " " << r.Half);
    TSmithChart c;
    ZoomOnto(c, r.Re, r.Im, r.Half);
    ASSERT_NEAR(c.RangeXHigh() - c.RangeXLow(), 2 * r.Half, r.Half * 1e-6);
    const TBitmap& s = c.Surface();
    // Just inside the unit circle the diagram colour, just outside the
    // chart's; both a little aside along the circle, off the lines that
    // meet it there at right angles.
    const double d = r.Half / 4, len = std::hypot(r.Re, r.Im);
    const double ux = r.Re / len, uy = r.Im / len;
    std::int32_t xi = 0, yi = 0, xo = 0, yo = 0;
    c.R2M(r.Re - d * ux - d * uy, r.Im - d * uy + d * ux, xi, yi);
    c.R2M(r.Re + d * ux - d * uy, r.Im + d * uy + d * ux, xo, yo);
    EXPECT_EQ(At(s, xi, yi), kDiagram);
    EXPECT_EQ(At(s, xo, yo), kWhite);
    // The unit circle's outline crosses the middle of the picture.
    std::int32_t xm = 0, ym = 0;
    c.R2M(r.Re, r.Im, xm, ym);
    bool dark = false;
    for (std::int32_t dy = -2; dy <= 2; ++dy)
      for (std::int32_t dx = -2; dx <= 2; ++dx) dark = dark || At(s, xm + dx, ym + dy) == kDark;
    EXPECT_TRUE(dark);
  }
}

}  // namespace
}  // namespace mivo
