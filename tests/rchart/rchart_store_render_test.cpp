// The chart's renderer against the record-by-record reference: random display
// lists of every kind, with drawing-state changes, non-finite and huge values,
// removals, hidden classes and layers, and zoomed views, must give the same
// pixels either way.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "mivo/platform/bitmap.h"
#include "mivo/rchart/rchart.h"
#include "rchart_reference_render.h"
#include "rchart_test_util.h"
#include "support/image_compare.h"

namespace mivo {
namespace {

constexpr TPenStyle kPens[] = {TPenStyle::psSolid, TPenStyle::psSolid, TPenStyle::psDash, TPenStyle::psDot};
constexpr TColor kColors[] = {0x000000, 0x0000FF, 0x00A000, 0xFF0000, 0x808080};

class TRandomList {
 public:
  explicit TRandomList(std::uint32_t seed) : FRng(seed) {}

  double Coord() {
    const int r = Pick(40);
    if (r == 0) return std::numeric_limits<double>::quiet_NaN();
    if (r == 1) return Pick(2) ? HUGE_VAL : -HUGE_VAL;
    if (r == 2) return Pick(2) ? 1e300 : -1e300;
    if (r == 3) return Pick(2) ? 3e9 : -3e9;
    return std::uniform_real_distribution<double>(-20, 120)(FRng);
  }
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(FRng); }

  // A sorted signal: a run of line-to items with rising x.
  void Signal(TCustomRChart& c) {
    double x = std::uniform_real_distribution<double>(-10, 50)(FRng);
    c.MoveTo(x, 5);
    const int n = 50 + Pick(3000);
    for (int i = 0; i < n; ++i) {
      x += std::uniform_real_distribution<double>(0, 0.2)(FRng);
      const double y = Pick(500) == 0 ? std::numeric_limits<double>::quiet_NaN()
                                      : std::normal_distribution<double>(5, 2)(FRng);
      c.DrawTo(x, y);
    }
  }

  // A scatter: a run of marks of one drawing state in two kinds, some near or
  // beyond the data area's edges (long enough to be stamped on a bitmap).
  void Scatter(TCustomRChart& c) {
    const std::uint8_t kinds[] = {std::uint8_t(Pick(52)), std::uint8_t(Pick(52))};
    const int n = 50 + Pick(2000);
    for (int i = 0; i < n; ++i) c.MarkAt(Coord(), Coord(), kinds[Pick(2)]);
  }

  void ChangeState(TCustomRChart& c) {
    c.SetDataCol(kColors[Pick(5)]);
    c.SetPenStyle(kPens[Pick(4)]);
    c.SetLineWid(std::uint8_t(Pick(4) == 0 ? 1 + Pick(4) : 1));
    c.SetFillCol(kColors[Pick(5)]);
    c.SetTransparentItems(Pick(2) == 0);
    c.SetClassDefault(std::uint8_t(Pick(4)));
    c.SetActiveLayer(1 + Pick(4) / 3);
    c.SetDataTag(Pick(3));
  }

  void AddOne(TCustomRChart& c) {
    const double x = Coord(), y = Coord(), a = Coord(), b = Coord();
    const double r = std::uniform_real_distribution<double>(0, 10)(FRng);
    switch (Pick(22)) {
      case 0: c.MarkAt(x, y, std::uint8_t(Pick(20))); break;
      case 1: c.MarkErrorBar(x, y, r, r / 2, Pick(2) ? TOrientation::orVertical : TOrientation::orHorizontal,
                             std::uint8_t(Pick(20))); break;
      case 2: c.Text(x, y, 6 + Pick(10), "T" + std::to_string(Pick(100))); break;
      case 3: c.Text(x, y, 8, "ofs", Pick(20) - 10, Pick(20) - 10, TAlignment(Pick(3))); break;
      case 4: case 5: c.MoveTo(x, y); break;
      case 6: c.MoveToRelPix(Pick(40) - 20, Pick(40) - 20); break;
      case 7: case 8: case 9: case 10: c.DrawTo(x, y); break;
      case 11: c.DrawToRelPix(Pick(40) - 20, Pick(40) - 20); break;
      case 12: c.Line(x, y, a, b); break;
      case 13: c.LineOffset(x, y, a, b, Pick(10), Pick(10)); break;
      case 14: c.Rectangle(x, y, a, b); break;
      case 15: c.RectangleRelPix(x, y, Pick(20), Pick(20)); break;
      case 16: c.RectFrame(x, y, a, b, TFrameStyle(Pick(6)), kColors[Pick(5)], kColors[Pick(5)]); break;
      case 17: c.Bar3D(x, y, a, b, Pick(20), Pick(90)); break;
      case 18: c.Ellipse(x, y, r, r * 2); break;
      case 19: c.Arc(x, y, r, r, -1 + Pick(3), 2); break;
      case 20: c.Arrow(x, y, a, b, Pick(20)); break;
      default: ChangeState(c); break;
    }
  }

  void Remove(TCustomRChart& c) {
    switch (Pick(4)) {
      case 0: c.RemoveItem(Pick(std::max(c.NumItems(), 1))); break;
      case 1: c.RemoveItemsByClass(std::uint8_t(Pick(4))); break;
      case 2: c.RemoveLastItem(); break;
      default: c.RemoveFirstItem(); break;
    }
  }

  // A list of a few hundred to a few thousand items.
  void Fill(TCustomRChart& c) {
    const int steps = 100 + Pick(400);
    for (int i = 0; i < steps; ++i) {
      const int r = Pick(100);
      if (r < 3)
        Signal(c);
      else if (r < 5)
        Scatter(c);
      else if (r < 8)
        Remove(c);
      else
        AddOne(c);
    }
  }

 private:
  std::mt19937 FRng;
};

std::vector<TrcChartItem> Records(const TCustomRChart& c) {
  std::vector<TrcChartItem> out;
  for (std::int32_t i = 0; i < c.NumItems(); ++i) out.push_back(c.GetChartItem(i));
  return out;
}

TBitmap Blank(const TCustomRChart& c) {
  TBitmap b(c.DataAreaWidth(), c.DataAreaHeight());
  b.Canvas().Brush.Color = 0xFFFFFF;
  b.Canvas().FillRect(Rect(0, 0, b.Width(), b.Height()));
  return b;
}

// The chart's picture and the reference's, of the items from `start` on.
::testing::AssertionResult SamePicture(TCustomRChart& c, bool mono, std::int32_t start, const std::string& name) {
  TBitmap chart = Blank(c), ref = Blank(c);
  c.ConstructDataBmpCanvas(chart.Canvas(), 0, 0, mono, start);
  test::ReferenceRenderItems(c, Records(c), ref.Canvas(), 0, 0, mono, start);
  return test::ImagesEqual(ref, chart, name);
}

// A record with every field drawn at random, of a kind the list may hold.
TrcChartItem RandomRecord(std::mt19937& rng) {
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_real_distribution<double> u(-1e6, 1e6);
  TrcChartItem it;
  constexpr TrcItem kinds[] = {TrcItem::tkMarkAt,  TrcItem::tkLine,      TrcItem::tkLineto,    TrcItem::tkRect,
                               TrcItem::tkText,    TrcItem::tkMoveTo,    TrcItem::tkEllipse,   TrcItem::tkArrow,
                               TrcItem::tkTextOfs, TrcItem::tkMarkEBar,  TrcItem::tkArc,       TrcItem::tkLineRelPix};
  it.ItemKind = kinds[std::size_t(byte(rng)) % std::size(kinds)];
  it.Layer = 1 + byte(rng) % 2;
  it.ItemClass = std::uint8_t(byte(rng));
  it.x = u(rng);
  it.y = byte(rng) < 20 ? std::numeric_limits<double>::quiet_NaN() : u(rng);
  // Half of them plain (as the adders of points leave them), the others not,
  // down to a negative zero or a byte behind the text's end.
  if (byte(rng) < 128) {
    switch (byte(rng) % 5) {
      case 0: it.x2 = -0.0; break;
      case 1: it.y2 = u(rng); break;
      case 2: it.Text.Chars[3] = 'q'; break;
      case 3: it.Text = ToItemText("abc"); break;
      default: it.DepthOrAngle = byte(rng) + 1; break;
    }
  }
  it.Color = TColor(byte(rng) % 3);
  it.FillColor = TColor(byte(rng) % 2) << 8;
  it.ShadowColor = TColor(byte(rng) % 2);
  it.HiLightColor = TColor(byte(rng) % 2);
  it.PenStyle = TPenStyle(byte(rng) % 3);
  it.Tag = byte(rng) % 3;
  it.LWid = 1 + byte(rng) % 2;
  it.Transp = byte(rng) % 2;
  it.FrameStyle = TFrameStyle(byte(rng) % 6);
  it.MarkOrAlign = std::uint8_t(byte(rng));
  it.SizeOrAngle = byte(rng) % 2 ? 0 : byte(rng);
  return it;
}

bool SameBits(const TrcChartItem& a, const TrcChartItem& b) {
  const auto bits = [](double d) { return std::bit_cast<std::uint64_t>(d); };
  return bits(a.x) == bits(b.x) && bits(a.y) == bits(b.y) && bits(a.x2) == bits(b.x2) && bits(a.y2) == bits(b.y2) &&
         a.Color == b.Color && a.FillColor == b.FillColor && a.ShadowColor == b.ShadowColor &&
         a.HiLightColor == b.HiLightColor && a.PenStyle == b.PenStyle && a.Tag == b.Tag && a.LWid == b.LWid &&
         a.ItemClass == b.ItemClass && a.ItemKind == b.ItemKind && a.Layer == b.Layer && a.Transp == b.Transp &&
         a.FrameStyle == b.FrameStyle && a.Text == b.Text && a.SizeOrAngle == b.SizeOrAngle &&
         a.DepthOrAngle == b.DepthOrAngle && a.MarkOrAlign == b.MarkOrAlign;
}

// Every record written reads back bit for bit, also after overwriting,
// removals, copies and across a shared list.
TEST(RChartStore, RecordsReadBackBitForBitThroughEditsCopiesAndSharing) {
  std::mt19937 rng(3);
  TCustomRChart c, copy, user;
  std::vector<TrcChartItem> expected;
  for (int i = 0; i < 3000; ++i) c.MoveTo(i, i);
  for (int i = 0; i < 3000; ++i) {
    expected.push_back(RandomRecord(rng));
    c.SetItemParams(i, expected.back());
  }
  // Overwrite a third again, then remove classes and single items.
  for (int i = 0; i < 3000; i += 3) {
    expected[std::size_t(i)] = RandomRecord(rng);
    c.SetChartitem(i, expected[std::size_t(i)]);
  }
  for (const std::uint8_t cls : {std::uint8_t(7), std::uint8_t(200)}) {
    c.RemoveItemsByClass(cls);
    std::erase_if(expected, [cls](const TrcChartItem& it) { return it.ItemClass == cls; });
  }
  for (int k = 0; k < 200; ++k) {
    const auto ix = std::int32_t(rng() % expected.size());
    c.RemoveItem(ix);
    expected.erase(expected.begin() + ix);
  }
  c.RemoveLastItem();
  expected.pop_back();
  copy.Assign(c);
  user.SetUseDataOf(&c);
  for (const TCustomRChart* chart : {&c, &copy, &user}) {
    ASSERT_EQ(chart->NumItems(), std::int32_t(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i)
      ASSERT_TRUE(SameBits(chart->GetChartItem(std::int32_t(i)), expected[i])) << "item " << i;
  }
  // Items added through the user land in the owner's list too.
  user.MarkAt(1, 2, 3);
  EXPECT_EQ(c.GetChartItem(c.NumItems() - 1).MarkOrAlign, 3);
  EXPECT_TRUE(SameBits(copy.GetChartItem(copy.NumItems() - 1), expected.back()));
}

TEST(RChartStoreRender, RandomListsDrawAsTheRecordByRecordReference) {
  for (std::uint32_t seed = 1; seed <= 24; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    TCustomRChart c;
    test::UseTestGeometry(c);
    c.SetBounds(0, 0, 420, 300);
    c.SetSuppressPaint(false);
    TRandomList gen(seed);
    gen.Fill(c);
    c.SetAvoidDupMarks(gen.Pick(3) == 0);
    for (int k = 0; k < 3; ++k) c.SetClassVisib(std::uint8_t(gen.Pick(4)), gen.Pick(3) != 0);
    c.SetLayerVisib(2, gen.Pick(4) != 0);
    const std::string name = "store_render_" + std::to_string(seed);
    // The whole range, a zoomed view, and the view of a reversed axis.
    c.SetRange(1, -20, -5, 120, 15);
    c.SetRange(2, 0, 0, 100, 10);
    EXPECT_TRUE(SamePicture(c, false, 0, name + "_full"));
    EXPECT_TRUE(SamePicture(c, true, 0, name + "_mono"));
    const double x0 = gen.Pick(100);
    c.SetRange(1, x0, 2, x0 + 1.5, 8);
    EXPECT_TRUE(SamePicture(c, false, 0, name + "_zoom"));
    c.SetRange(1, x0 + 3, 8, x0, 2);
    EXPECT_TRUE(SamePicture(c, false, 0, name + "_reversed"));
    EXPECT_TRUE(SamePicture(c, false, c.NumItems() / 2, name + "_tail"));
  }
}

TEST(RChartStoreRender, ZoomedSortedSignalsDrawAsTheReference) {
  // Long sorted runs whose visible part is a small window, with thick, dashed
  // and solid pens, gaps and hidden classes inside the run.
  const struct {
    std::uint8_t width;
    TPenStyle pen;
    bool hideClass;
  } cases[] = {{1, TPenStyle::psSolid, false}, {3, TPenStyle::psSolid, false}, {1, TPenStyle::psDash, false},
               {1, TPenStyle::psSolid, true}};
  for (const auto& cs : cases) {
    TCustomRChart c;
    test::UseTestGeometry(c);
    c.SetSuppressPaint(false);
    c.SetLineWid(cs.width);
    c.SetPenStyle(cs.pen);
    std::mt19937 rng(5);
    std::normal_distribution<double> step;
    double y = 0;
    c.MoveTo(0, 0);
    for (int i = 1; i < 20000; ++i) {
      y += step(rng);
      if (cs.hideClass) c.SetClassDefault(std::uint8_t(i % 97 == 0));
      c.DrawTo(i, i % 1777 == 0 ? std::numeric_limits<double>::quiet_NaN() : y);
    }
    c.SetClassVisib(1, false);
    for (const double x0 : {0.0, 3000.5, 9999.0, 19900.0, 25000.0, -500.0}) {
      SCOPED_TRACE("x0 " + std::to_string(x0));
      c.SetRange(1, x0, -150, x0 + 200, 150);
      EXPECT_TRUE(SamePicture(c, false, 0, "store_signal"));
    }
  }
}

TEST(RChartStoreRender, ANonFiniteYEndingADenseColumnBreaksTheLine) {
  // Columns of 40 sorted points on rows far apart, the last point of some of
  // them NaN or infinite: the line must not join them to the next column,
  // however the column's extremes are folded.
  const double breaks[] = {std::numeric_limits<double>::quiet_NaN(), HUGE_VAL, -HUGE_VAL};
  TCustomRChart c;
  test::UseTestGeometry(c);
  c.SetSuppressPaint(false);
  const int perColumn = 40, columns = 150;
  c.MoveTo(0, 0);
  for (int i = 1; i < perColumn * columns; ++i) {
    const int column = i / perColumn;
    const bool last = i % perColumn == perColumn - 1;
    const double y = last && column % 3 == 1 ? breaks[column % 9 / 3] : (column % 2 ? 80 : 20) + (i % 5);
    c.DrawTo(i, y);
  }
  c.SetRange(1, 0, 0, perColumn * c.DataAreaWidth(), 100);
  EXPECT_TRUE(SamePicture(c, false, 0, "store_column_breaks"));
}

TEST(RChartStoreRender, DenseColumnsDrawAsTheReference) {
  // Dozens of points per pixel column on few rows, so that columns end on
  // their extremes or on repeats of their last row, hold one point, or break
  // at a point that is not finite; on straight, reversed and logarithmic
  // axes, with huge values among the points and a logarithmic x.
  const struct {
    const char* name;
    double ylo, yhi;
    bool logY, logX;
    double huge;  // an occasional y of this size, both signs
  } axes[] = {{"linear", -3, 3, false, false, 0},     {"reversed", 3, -3, false, false, 0},
              {"huge", -3, 3, false, false, 1e300},  {"beyond pixels", -3, 3, false, false, 3e9},
              {"log", 0.01, 10, true, false, 0},     {"log reversed", 10, 0.01, true, false, 0},
              {"log x", -3, 3, false, true, 0}};
  for (const auto& ax : axes) {
    SCOPED_TRACE(ax.name);
    TCustomRChart c;
    test::UseTestGeometry(c);
    c.SetSuppressPaint(false);
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> pick(0, 999);
    const double lo = std::min(ax.ylo, ax.yhi), hi = std::max(ax.ylo, ax.yhi);
    double x = 1;
    c.MoveTo(x, lo);
    for (int i = 0; i < 12000; ++i) {
      const int r = pick(rng);
      x += r < 20 ? 40 : 1;  // now and then a column of one point
      // Five rows and a little jitter: many neighbours share a pixel.
      double y = lo + (hi - lo) * (pick(rng) % 5) / 4.0 + (pick(rng) % 3) * 1e-4;
      if ((r >= 20 && r < 28) || r >= 900) y = std::numeric_limits<double>::quiet_NaN();
      if (r >= 28 && r < 36 && ax.huge > 0) y = r % 2 ? ax.huge : -ax.huge;
      if (r >= 36 && r < 40 && ax.logY) y = r % 2 ? 0 : -1;
      c.DrawTo(x, y);
    }
    c.ScalePropsY(1).SetLogarithmic(ax.logY);
    c.ScalePropsX(1).SetLogarithmic(ax.logX);
    c.SetRange(1, 1, ax.ylo, x, ax.yhi);
    EXPECT_TRUE(SamePicture(c, false, 0, "store_dense"));
    EXPECT_TRUE(SamePicture(c, false, 7777, "store_dense_tail"));
    // Columns of a few points each.
    for (const double span : {400.0, 1500.0}) {
      c.SetRange(1, x / 3, ax.ylo, x / 3 + span, ax.yhi);
      EXPECT_TRUE(SamePicture(c, false, 0, "store_dense_zoom"));
    }
  }
}

}  // namespace
}  // namespace mivo
