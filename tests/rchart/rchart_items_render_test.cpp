// The item renderer: line-to chains as polylines, marks tested against the
// range, lines drawn wherever they map, and incremental showing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <memory>
#include <numbers>
#include <string>
#include <random>
#include <vector>

#include "mivo/platform/colors.h"
#include "mivo/platform/raster_canvas.h"
#include "mivo/platform/recording_canvas.h"
#include "mivo/rchart/rchart.h"
#include "mivo/rchart/rchart_items_painter_internal.h"
#include "support/image_compare.h"
#include "rchart_test_util.h"

namespace mivo {
namespace {

// A painting chart of the test geometry over 0 ... 10 on both axes of layer 1:
// x = 0 is column 0 of the data bitmap, 10 units are 220 columns and 152 rows.
void Ready(TCustomRChart& c) {
  test::UseTestGeometry(c);
  c.SetSuppressPaint(false);
  c.SetRange(1, 0, 0, 10, 10);
}

std::unique_ptr<TRecordingCanvas> RecordData(TCustomRChart& c) {
  auto rec = std::make_unique<TRecordingCanvas>();
  c.ConstructDataBmpCanvas(*rec, 0, 0, false, 0);
  return rec;
}

std::vector<std::vector<TPoint>> Polylines(const TRecordingCanvas& rec) {
  std::vector<std::vector<TPoint>> out;
  for (const TPrimitive* p : rec.OfKind(TPrimitiveKind::pkPolyline)) out.push_back(p->Points);
  return out;
}

TEST(RChartItemsRender, LongChainsAreBatchedIntoPolylinesOf200Points) {
  TCustomRChart c;
  Ready(c);
  c.MoveTo(0, 5);
  for (int i = 1; i <= 450; ++i) c.DrawTo(i * 0.02, 5 + (i % 2));
  const auto rec = RecordData(c);
  const auto polys = Polylines(*rec);
  ASSERT_EQ(polys.size(), 3u);
  EXPECT_EQ(polys[0].size(), 200u);
  EXPECT_EQ(polys[1].size(), 200u);
  EXPECT_EQ(polys[2].size(), 53u);
  EXPECT_EQ(polys[0].front(), (TPoint{0, 76}));
  EXPECT_EQ(polys[1].front(), polys[0].back());
  EXPECT_EQ(polys[2].front(), polys[1].back());
}

TEST(RChartItemsRender, AttributeChangesAndHiddenClassesKeepTheChain) {
  TCustomRChart c;
  Ready(c);
  c.MoveTo(0, 0);
  c.DrawTo(1, 0);
  c.DrawTo(2, 0);
  c.SetDataCol(0x0000FF);
  c.DrawTo(3, 0);
  c.SetClassDefault(7);
  c.DrawTo(4, 10);  // hidden below
  c.SetClassDefault(0);
  c.DrawTo(5, 0);
  c.SetClassVisib(7, false);
  const auto rec = RecordData(c);
  const auto polys = Polylines(*rec);
  ASSERT_EQ(polys.size(), 2u);
  EXPECT_EQ(polys[0], (std::vector<TPoint>{{0, 152}, {22, 152}, {44, 152}}));
  EXPECT_EQ(polys[1], (std::vector<TPoint>{{44, 152}, {66, 152}, {110, 152}}));
  EXPECT_EQ(rec->OfKind(TPrimitiveKind::pkPolyline)[1]->State.Pen.Color, 0x0000FFu);
}

TEST(RChartItemsRender, MarksAreTestedAgainstTheRangeLinesAreNot) {
  struct Row {
    double X, Y;
    bool Drawn;
  };
  const Row rows[] = {{5, 5, true}, {10, 0, true}, {10.001, 5, false}, {5, -1, false}, {std::numeric_limits<double>::quiet_NaN(), 5, false}};
  for (const Row& r : rows) {
    TCustomRChart c;
    Ready(c);
    c.MarkAt(r.X, r.Y, 1);
    const auto rec = RecordData(c);
    EXPECT_EQ(rec->Size() > 1, r.Drawn) << r.X << " " << r.Y << rec->Dump();
  }
  TCustomRChart c;
  Ready(c);
  c.Line(-20, 5, 30, 5);  // both ends outside: drawn, clamped
  c.Line(1e300, 1, -1e300, 1);
  c.Line(2, 2, 2, 2);  // one pixel
  const auto rec = RecordData(c);
  EXPECT_TRUE(rec->HasLine({-440, 76}, {660, 76}));
  EXPECT_TRUE(rec->HasLine({29950, 137}, {-30050, 137}));
  EXPECT_EQ(rec->Count(TPrimitiveKind::pkSetPixel), 1u);
}

TEST(RChartItemsRender, ShowGrafNewOnlyGivesTheSamePixelsAsShowGraf) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> d(-1, 11);
  TCustomRChart step, whole;
  Ready(step);
  Ready(whole);
  for (TCustomRChart* c : {&step, &whole}) c->SetGridStyle(GridStyleType::gsLines);
  step.ShowGraf();
  for (int batch = 0; batch < 20; ++batch) {
    for (int i = 0; i < 25; ++i) {
      const double x = d(rng), y = d(rng);
      for (TCustomRChart* c : {&step, &whole}) {
        c->SetDataCol(TColor(batch * 0x0A0B0C));
        if (i % 9 == 0) c->MoveTo(x, y);
        else if (i % 7 == 0) c->MarkAt(x, y, std::uint8_t(i % 5));
        else c->DrawTo(x, y);
      }
    }
    step.ShowGrafNewOnly();
    EXPECT_EQ(step.LastElemOnShow(), step.NumItems() - 1);
  }
  whole.ShowGraf();
  EXPECT_TRUE(test::ImagesEqual(step.GrafBmp(), whole.GrafBmp()));
}

TEST(RChartItemsRender, ALaterStartDrawsOnlyTheTailOfTheChain) {
  TCustomRChart c;
  Ready(c);
  c.SetGridStyle(GridStyleType::gsLines);
  c.MoveTo(0, 0);
  for (int i = 1; i <= 5000; ++i) c.DrawTo(i * 0.002, 1);
  c.DrawTo(10, 10);
  TRecordingCanvas rec;
  c.ConstructDataBmpCanvas(rec, 0, 0, false, c.NumItems() - 1);
  // No grid, one segment from the last shown point.
  EXPECT_EQ(rec.Lines().size(), 1u) << rec.Dump();
  EXPECT_TRUE(rec.HasLine({220, 137}, {220, 0}));
}

// ---------------------------------------------------------------- the other kinds

// World units that are pixels: x is the data bitmap column, y = 152 - row.
void PixelWorld(TCustomRChart& c) {
  test::UseTestGeometry(c);
  c.SetSuppressPaint(false);
  c.SetRange(1, 0, 0, 220, 152);
}
double Y(double row) { return 152 - row; }

std::unique_ptr<TRecordingCanvas> Record(TCustomRChart& c, bool mono = false) {
  auto rec = std::make_unique<TRecordingCanvas>();
  c.ConstructDataBmpCanvas(*rec, 0, 0, mono, 0);
  return rec;
}

// A white bitmap of the data area's size.
TBitmap White(const TCustomRChart& c) {
  TBitmap b(c.GrafBmp().Width(), c.GrafBmp().Height());
  b.Canvas().Brush = TBrush{clWhite, TBrushStyle::bsSolid};
  b.Canvas().FillRect({0, 0, b.Width(), b.Height()});
  return b;
}

TBitmap Raster(TCustomRChart& c, bool mono = false) {
  TBitmap b = White(c);
  c.ConstructDataBmp(b, 0, 0, mono, 0);
  return b;
}

TColor PixelAt(TBitmap& b, std::int32_t x, std::int32_t y) { return b.Canvas().Pixel(x, y); }

const TPrimitive& Only(const TRecordingCanvas& rec, TPrimitiveKind kind) {
  const auto all = rec.OfKind(kind);
  EXPECT_EQ(all.size(), 1u) << rec.Dump();
  static const TPrimitive none;
  return all.empty() ? none : *all.front();
}

TEST(RChartItemsRender, RectanglesAndEllipsesCoverBothCornerPixels) {
  TCustomRChart c;
  PixelWorld(c);
  c.SetDataCol(0x0000FF);
  c.SetFillCol(0x00FF00);
  c.Rectangle(30, Y(40), 10, Y(20));  // corners in any order
  c.SetTransparentItems(true);
  c.RectangleRelPix(50, Y(50), 4, 3);
  c.Ellipse(100, Y(60), 10, 5);
  c.Rectangle(5, Y(5), 5.2, Y(5.1));  // one pixel
  const auto rec = Record(c);
  const auto rects = rec->OfKind(TPrimitiveKind::pkRectangle);
  ASSERT_EQ(rects.size(), 2u) << rec->Dump();
  EXPECT_EQ(rects[0]->Rect, (TRect{10, 20, 31, 41}));
  EXPECT_EQ(rects[0]->State.Pen.Color, 0x0000FFu);
  EXPECT_EQ(rects[0]->State.Brush, (TBrush{0x00FF00, TBrushStyle::bsSolid}));
  EXPECT_EQ(rects[1]->Rect, (TRect{46, 47, 55, 54}));
  EXPECT_EQ(rects[1]->State.Brush.Style, TBrushStyle::bsClear);
  const TPrimitive& e = Only(*rec, TPrimitiveKind::pkEllipse);
  EXPECT_EQ(e.Rect, (TRect{90, 55, 111, 66}));
  EXPECT_EQ(e.State.Brush.Style, TBrushStyle::bsClear);
  const TPrimitive& px = Only(*rec, TPrimitiveKind::pkSetPixel);
  EXPECT_EQ(px.Points, (std::vector<TPoint>{{5, 5}}));
  EXPECT_EQ(px.Color, 0x0000FFu);
}

TEST(RChartItemsRender, MonochromeDrawsBlackOutlinesSilverFillsAndBlackText) {
  TCustomRChart c;
  PixelWorld(c);
  c.SetDataCol(0x0000FF);
  c.SetFillCol(0x00FFFF);
  c.Rectangle(10, Y(10), 40, Y(30));
  c.Text(100, Y(100), 10, "Mono");
  TBitmap mono = Raster(c, true);
  EXPECT_EQ(PixelAt(mono, 10, 20), 0u);       // outline
  EXPECT_EQ(PixelAt(mono, 40, 30), 0u);
  EXPECT_EQ(PixelAt(mono, 25, 20), clSilver);  // fill
  TBitmap colour = Raster(c);
  EXPECT_EQ(PixelAt(colour, 10, 20), 0x0000FFu);
  EXPECT_EQ(PixelAt(colour, 25, 20), 0x00FFFFu);
  const auto rec = Record(c, true);
  const auto text = rec->FindText("Mono");
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(text->Font.Color, 0u);
}

TEST(RChartItemsRender, Bars3DOffsetTheirFacesAndAreAlwaysFilled) {
  TCustomRChart c;
  PixelWorld(c);
  c.SetTransparentItems(true);
  c.Rectangle(0, Y(0), 2, Y(2));  // leaves a clear brush behind
  c.Bar3D(10, Y(100), 30, Y(60), 10, 45);
  c.Bar3D(10, Y(100), 30, Y(60), 10, 135);
  const auto rec = Record(c);
  const auto polys = rec->OfKind(TPrimitiveKind::pkPolygon);
  ASSERT_EQ(polys.size(), 4u) << rec->Dump();
  EXPECT_EQ(polys[0]->Points, (std::vector<TPoint>{{10, 60}, {17, 53}, {37, 53}, {30, 60}}));
  EXPECT_EQ(polys[1]->Points, (std::vector<TPoint>{{37, 53}, {30, 60}, {30, 100}, {37, 93}}));
  EXPECT_EQ(polys[0]->State.Brush.Style, TBrushStyle::bsSolid);
  // Past 90 degrees the depth goes left and the side face is on the left.
  EXPECT_EQ(polys[2]->Points, (std::vector<TPoint>{{30, 60}, {23, 53}, {3, 53}, {10, 60}}));
  EXPECT_EQ(polys[3]->Points, (std::vector<TPoint>{{3, 53}, {10, 60}, {10, 100}, {3, 93}}));
  const auto rects = rec->OfKind(TPrimitiveKind::pkRectangle);
  ASSERT_EQ(rects.size(), 3u);
  EXPECT_EQ(rects[1]->Rect, (TRect{10, 60, 31, 101}));
  EXPECT_EQ(rects[2]->Rect, (TRect{10, 60, 31, 101}));
  EXPECT_EQ(rects[2]->State.Brush.Style, TBrushStyle::bsSolid);
}

TEST(RChartItemsRender, ArrowsHaveBarbsBehindTheTip) {
  TCustomRChart c;
  PixelWorld(c);
  c.Arrow(10, Y(50), 50, Y(50), 10);     // pointing right
  c.Arrow(100, Y(100), 100, Y(50), 10);  // pointing up
  c.Arrow(150, Y(50), 150, Y(100), 10);  // pointing down
  c.Arrow(60, Y(10), 80, Y(10), 0);      // no head
  c.Arrow(5, Y(5), 5, Y(5), 10);         // one pixel
  c.SetTransparentItems(true);
  c.Arrow(200, Y(50), 180, Y(50), 10);   // pointing left, open head
  const auto rec = Record(c);
  const auto polys = rec->OfKind(TPrimitiveKind::pkPolygon);
  ASSERT_EQ(polys.size(), 3u) << rec->Dump();
  EXPECT_EQ(polys[0]->Points, (std::vector<TPoint>{{50, 50}, {41, 47}, {41, 53}}));
  EXPECT_EQ(polys[1]->Points, (std::vector<TPoint>{{100, 50}, {97, 59}, {103, 59}}));
  EXPECT_EQ(polys[2]->Points, (std::vector<TPoint>{{150, 100}, {153, 91}, {147, 91}}));
  EXPECT_TRUE(rec->HasLine({10, 50}, {50, 50}));
  EXPECT_TRUE(rec->HasLine({60, 10}, {80, 10}));
  EXPECT_TRUE(rec->HasLine({180, 50}, {189, 53}));
  EXPECT_TRUE(rec->HasLine({180, 50}, {189, 47}));
  EXPECT_EQ(rec->Lines().size(), 7u);
  EXPECT_EQ(Only(*rec, TPrimitiveKind::pkSetPixel).Points, (std::vector<TPoint>{{5, 5}}));
}

TEST(RChartItemsRender, ArcsRunCounterClockwiseFromStartToEnd) {
  TCustomRChart c;
  PixelWorld(c);
  c.Arc(100, Y(70), 20, 20, 0, std::numbers::pi / 2);
  c.Arc(5, Y(5), 0.1, 0.1, 0, 1);  // one pixel
  const auto rec = Record(c);
  const TPrimitive& a = Only(*rec, TPrimitiveKind::pkArc);
  EXPECT_EQ(a.Rect, (TRect{80, 50, 121, 91}));
  EXPECT_EQ(a.Points, (std::vector<TPoint>{{100 + 100000000, 70}, {100, 70 - 100000000}}));
  EXPECT_EQ(rec->Count(TPrimitiveKind::pkSetPixel), 1u);
  // The quarter from east to north (upper right), nothing elsewhere.
  TBitmap b = Raster(c);
  int upperRight = 0, elsewhere = 0;
  for (std::int32_t y = 45; y <= 95; ++y)
    for (std::int32_t x = 75; x <= 125; ++x) {
      if (PixelAt(b, x, y) == clWhite) continue;
      if (x > 101 && y < 69) ++upperRight;
      if (x < 98 || y > 72) ++elsewhere;
    }
  EXPECT_GT(upperRight, 20);
  EXPECT_EQ(elsewhere, 0);
}

TEST(RChartItemsRender, RectFramesDrawTheirBevelByStyle) {
  struct Row {
    TFrameStyle Style;
    TColor Left, Top, Right, Bottom, InnerLeft, InnerBottom;
  };
  const TColor S = 0x0000FF, L = 0x00FF00, F = clSilver;
  const Row rows[] = {
      {TFrameStyle::fsLowered, S, S, L, L, F, F},
      {TFrameStyle::fsRaised, L, L, S, S, F, F},
      {TFrameStyle::fsEmbossed, L, L, S, S, S, L},
      {TFrameStyle::fsEngraved, S, S, L, L, L, S},
      {TFrameStyle::fsSimple, F, F, clWhite, clWhite, F, F},
  };
  for (const Row& r : rows) {
    TCustomRChart c;
    PixelWorld(c);
    c.SetLineWid(3);
    c.RectFrame(60, Y(50), 20, Y(20), r.Style, S, L);
    TBitmap b = Raster(c);
    const auto style = int(r.Style);
    EXPECT_EQ(PixelAt(b, 20, 35), r.Left) << style;
    EXPECT_EQ(PixelAt(b, 40, 20), r.Top) << style;
    EXPECT_EQ(PixelAt(b, 60, 35), r.Right) << style;
    EXPECT_EQ(PixelAt(b, 40, 50), r.Bottom) << style;
    EXPECT_EQ(PixelAt(b, 21, 35), r.InnerLeft) << style;
    EXPECT_EQ(PixelAt(b, 40, 49), r.InnerBottom) << style;
    EXPECT_EQ(PixelAt(b, 40, 35), F) << style;
  }
}

// A canvas whose texts are 40 x 14 pixels.
class TFixedTextCanvas : public TRecordingCanvas {
 public:
  std::int32_t TextWidth(std::string_view) override { return 40; }
  std::int32_t TextHeight(std::string_view) override { return 14; }
};

TEST(RChartItemsRender, TextsArePlacedByAlignmentWithTheChartsTextSettings) {
  TCustomRChart c;
  PixelWorld(c);
  c.SetDataCol(0x123456);
  c.SetTextFontStyle(TFontStyles{TFontStyle::fsBold});
  c.SetTextBkStyle(TTextBkg::tbSolid);
  c.SetTextBkColor(0x00FFFF);
  c.Text(100, Y(50), 12, "centre");
  c.SetTextAlignment(TAlignment::taRightJustify);
  c.Text(100, Y(50), 0, "right");
  c.SetTextAlignment(TAlignment::taLeftJustify);
  c.Text(100, Y(50), 100000, "left");
  c.Text(100, Y(50), 9, "offset", 5, -7, TAlignment::taLeftJustify);
  c.Text(100, Y(50), 9, "\xC3\xA9\xE2\x82\xAC!");  // two Windows-1252 characters and '!'
  TFixedTextCanvas rec;
  c.ConstructDataBmpCanvas(rec, 0, 0, false, 0);
  const auto centre = rec.FindText("centre"), right = rec.FindText("right"), left = rec.FindText("left");
  const auto offset = rec.FindText("offset"), special = rec.FindText("\xC3\xA9\xE2\x82\xAC!");
  ASSERT_TRUE(centre && right && left && offset && special) << rec.Dump();
  EXPECT_EQ(centre->Pos, (TPoint{80, 43}));
  EXPECT_EQ(right->Pos, (TPoint{60, 43}));
  EXPECT_EQ(left->Pos, (TPoint{100, 43}));
  EXPECT_EQ(offset->Pos, (TPoint{105, 36}));
  EXPECT_EQ(centre->Font.Color, 0x123456u);
  EXPECT_EQ(centre->Font.Size, 12);
  EXPECT_TRUE(centre->Font.Style.Contains(TFontStyle::fsBold));
  EXPECT_EQ(centre->Brush, (TBrush{0x00FFFF, TBrushStyle::bsSolid}));
  EXPECT_EQ(centre->Align, TTextAlign{});
  EXPECT_EQ(right->Font.Size, 1);  // sizes are limited to 1 ... 500 points
  EXPECT_EQ(left->Font.Size, 500);
  c.SetTextBkStyle(TTextBkg::tbClear);
  const auto clear = Record(c);
  EXPECT_EQ(clear->FindText("centre")->Brush.Style, TBrushStyle::bsClear);
}

TEST(RChartItemsRender, ErrorBarsSpanBothErrorsWithCapsAndAreTestedAgainstTheRange) {
  TCustomRChart c;
  PixelWorld(c);
  c.MarkErrorBar(50, 10, -2, 3, TOrientation::orVertical, 1);
  c.MarkErrorBar(50, 100, 4, 6, TOrientation::orHorizontal, 1);
  c.MarkErrorBar(-5, 50, 0.5, 0.5, TOrientation::orVertical, 1);  // no overlap: not drawn
  c.MarkErrorBar(-1, 60, 0, 2, TOrientation::orVertical, 1);      // overlaps: drawn
  c.MarkErrorBar(std::numeric_limits<double>::quiet_NaN(), 60, 1, 1, TOrientation::orVertical, 1);
  const auto rec = Record(c);
  // Vertical: from y = 8 to y = 13, caps of 7 pixels.
  EXPECT_TRUE(rec->HasLine({50, 142}, {50, 144})) << rec->Dump();
  EXPECT_TRUE(rec->HasLine({50, 142}, {50, 139}));
  EXPECT_TRUE(rec->HasLine({47, 144}, {54, 144}));
  EXPECT_TRUE(rec->HasLine({47, 139}, {54, 139}));
  EXPECT_TRUE(rec->HasLine({50, 52}, {46, 52}));
  EXPECT_TRUE(rec->HasLine({50, 52}, {56, 52}));
  EXPECT_TRUE(rec->HasLine({46, 49}, {46, 56}));
  EXPECT_TRUE(rec->HasLine({56, 49}, {56, 56}));
  EXPECT_TRUE(rec->HasLine({-1, 92}, {-1, 90}));
  for (const TRecordedLine& l : rec->Lines()) EXPECT_GE(l.From.x, -4) << rec->Dump();  // nothing at x = -5
}

TEST(RChartItemsRender, RelativeAndOffsetItemsMoveFromThePen) {
  TCustomRChart c;
  PixelWorld(c);
  c.SetDataCol(0x0000FF);
  c.MoveTo(10, Y(10));
  c.MoveToRelPix(5, -3);
  c.DrawToRelPix(10, 0);
  c.DrawTo(40, Y(10));  // the chain goes on from the end of the relative line
  c.LineOffset(10, Y(20), 30, Y(20), 2, 3);
  c.LineOffset(10, Y(30), 10, Y(30), -1, 0);
  const auto rec = Record(c);
  EXPECT_TRUE(rec->HasLine({15, 7}, {25, 7}, 0x0000FFu)) << rec->Dump();
  EXPECT_TRUE(rec->HasLine({25, 7}, {40, 10}));
  EXPECT_TRUE(rec->HasLine({12, 23}, {32, 23}));
  const auto px = rec->OfKind(TPrimitiveKind::pkSetPixel);
  ASSERT_EQ(px.size(), 2u);
  EXPECT_EQ(px[0]->Points, (std::vector<TPoint>{{25, 7}}));
  EXPECT_EQ(px[1]->Points, (std::vector<TPoint>{{9, 30}}));
}

// Primitives a rendering of the chart adds to an empty one.
std::size_t Drawn(TCustomRChart& c) { return Record(c)->Size(); }

TEST(RChartItemsRender, DuplicateMarksAreSkippedWithinTheDistance) {
  auto marks = [](bool avoid, std::int32_t d, std::initializer_list<std::pair<double, std::uint8_t>> at) {
    TCustomRChart c;
    PixelWorld(c);
    c.SetAvoidDupMarks(avoid);
    c.SetDupMarksMinD(d);
    for (const auto& [x, kind] : at) c.MarkAt(x, Y(50), kind);
    return Drawn(c);
  };
  const std::size_t none = marks(false, 1, {});
  const std::size_t one = marks(false, 1, {{50, 2}}) - none;
  const std::size_t other = marks(false, 1, {{50, 3}}) - none;
  EXPECT_EQ(marks(true, 1, {{50, 2}, {51, 2}}), none + one);
  EXPECT_EQ(marks(true, 1, {{50, 2}, {51, 3}}), none + one + other);
  EXPECT_EQ(marks(true, 1, {{50, 2}, {52, 2}}), none + 2 * one);
  EXPECT_EQ(marks(true, 3, {{50, 2}, {53, 2}}), none + one);
  EXPECT_EQ(marks(false, 3, {{50, 2}, {51, 2}}), none + 2 * one);
  // A mark over a cell that another type took last is drawn again.
  EXPECT_EQ(marks(true, 1, {{50, 2}, {51, 3}, {50, 2}}), none + 2 * one + other);
  // Marks at the edges of the data area.
  EXPECT_EQ(marks(true, 3, {{0, 2}, {220, 2}, {1, 2}}), none + 2 * one);

  // A data area too large for the grid draws every mark.
  detail::TDupMarkGrid huge;
  huge.Allocate(0, 0, 1 << 20, 1 << 20, 1);
  EXPECT_FALSE(huge.Active());
  detail::TDupMarkGrid empty;
  empty.Allocate(50, 16, -5, 0, 7);
  ASSERT_TRUE(empty.Active());
  EXPECT_TRUE(empty.Admit({50, 16}, 1));
  EXPECT_FALSE(empty.Admit({50 + 2, 16 - 2}, 1));
  EXPECT_TRUE(empty.Admit({-2000000000, 2000000000}, 1));
  EXPECT_TRUE(empty.Admit({-2000000000, 2000000000}, 1));
}

TEST(RChartItemsRender, GarbageItemsOfEveryKindRenderWithinTheClamp) {
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  const double values[] = {nan, inf, -inf, 1e300, -1e300, 0, 5};
  const std::int32_t ints[] = {std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(),
                               0, -1, 7};
  TCustomRChart c;
  PixelWorld(c);
  c.SetAvoidDupMarks(true);
  std::mt19937 rng(3);
  auto pickD = [&] { return values[rng() % std::size(values)]; };
  auto pickI = [&] { return ints[rng() % std::size(ints)]; };
  for (int kind = 0; kind < 20; ++kind)
    for (int n = 0; n < 40; ++n) {
      c.MoveTo(0, 0);
      TrcChartItem it = c.GetChartItem(c.NumItems() - 1);
      it.ItemKind = TrcItem(kind);
      it.x = pickD();
      it.y = pickD();
      it.x2 = pickD();
      it.y2 = pickD();
      it.SizeOrAngle = pickI();
      it.DepthOrAngle = pickI();
      it.MarkOrAlign = std::uint8_t(rng());
      it.FrameStyle = TFrameStyle(rng() % 8);
      it.Transp = (rng() & 1) != 0;
      it.Layer = pickI();
      it.LWid = std::int32_t(rng() % 4) - 1;
      it.Text.Length = std::uint8_t(rng());
      for (char& ch : it.Text.Chars) ch = char(rng());
      c.SetChartitem(c.NumItems() - 1, it);
    }
  TBitmap b = Raster(c);
  const auto rec = Record(c, true);
  // Rectangles from world corners stay within the clamp (shifted into the
  // data bitmap); only relative sizes reach beyond it.
  for (const TPrimitive& p : rec->Primitives())
    if (p.Kind == TPrimitiveKind::pkRectangle && p.Rect.Width() < 100000 && p.Rect.Height() < 100000) {
      EXPECT_LE(std::abs(p.Rect.Left), 30100);
      EXPECT_LE(std::abs(p.Rect.Bottom), 30100);
    }
  EXPECT_GT(rec->Size(), 100u);
  // Canvas offsets at the ends of the 32-bit range.
  for (const std::int32_t off : {std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()}) {
    TRecordingCanvas far;
    c.ConstructDataBmpCanvas(far, off, off, false, 0);
    EXPECT_GT(far.Size(), 100u);
  }
}

// A point that is not finite has no place on the chart: it ends the line and
// the next finite line-to starts a new one, a mark there is not drawn, and the
// stored items keep their values. The same on a raster (the screen, PNG) and
// on a recording (SVG, PDF), and when the items are shown piece by piece.
TEST(RChartItemsRender, NonFinitePointsLeaveAGapNotASpike) {
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  struct Row {
    const char* Name;
    double X, Y;
  };
  for (const Row& bad : {Row{"NaN x", nan, 5}, Row{"NaN y", 4, nan}, Row{"+Inf y", 4, inf}, Row{"-Inf x", -inf, 5}}) {
    SCOPED_TRACE(bad.Name);
    // A line, the bad point, and a line after it (the second half may be
    // added after the first has been shown).
    auto firstHalf = [&](TCustomRChart& ch) {
      PixelWorld(ch);
      ch.SetDataCol(clBlack);
      ch.MoveTo(20, Y(50));
      ch.DrawTo(60, Y(50));
      ch.DrawTo(bad.X, bad.Y);
    };
    auto secondHalf = [&](TCustomRChart& ch) {
      ch.DrawTo(100, Y(50));  // starts the next line
      ch.DrawTo(140, Y(50));
    };
    TCustomRChart c;
    firstHalf(c);
    secondHalf(c);
    c.MarkAt(bad.X, bad.Y, 1);
    const auto polys = Polylines(*Record(c));
    ASSERT_EQ(polys.size(), 2u);
    EXPECT_EQ(polys[0], (std::vector<TPoint>{{20, 50}, {60, 50}}));
    EXPECT_EQ(polys[1], (std::vector<TPoint>{{100, 50}, {140, 50}}));
    TBitmap b = Raster(c);
    std::int32_t dark = 0;
    for (std::int32_t y = 0; y < b.Height(); ++y)
      for (std::int32_t x = 0; x < b.Width(); ++x) dark += b.Canvas().Pixel(x, y) != clWhite;
    EXPECT_EQ(dark, 40 + 40);  // two lines of 40 pixels, nothing else
    EXPECT_EQ(b.Canvas().Pixel(80, 50), clWhite);
    const TrcChartItem kept = c.GetChartItem(2);
    EXPECT_FALSE(std::isfinite(kept.x) && std::isfinite(kept.y));

    // Shown piece by piece, with the gap at the seam, the same picture.
    TCustomRChart step;
    firstHalf(step);
    step.ShowGraf();
    secondHalf(step);
    step.ShowGrafNewOnly();
    c.ShowGraf();
    EXPECT_TRUE(test::ImagesEqual(step.GrafBmp(), c.GrafBmp()));
  }
}

// A vector document of the chart (a recording at the screen's pixels) leaves
// out chain steps wholly beyond one side of the data area, keeps the steps
// that can be seen with their joins, and reduces runs within a pixel column
// as the screen does; an unbounded recording keeps every point.
TEST(RChartItemsRender, VectorDocumentsDropWhatCannotBeSeen) {
  TCustomRChart c;
  PixelWorld(c);  // x 0 ... 220, a unit a pixel
  c.MoveTo(10, Y(50));
  c.DrawTo(100, Y(60));
  c.DrawTo(5000, Y(60));   // out to the right
  c.DrawTo(9000, Y(20));   // beyond the right edge all along: left out
  c.DrawTo(9000, Y(-80));  // still beyond it, and beyond the bottom
  c.DrawTo(120, Y(30));    // back in
  c.DrawTo(150, Y(30));
  TRecordingCanvas doc(TSize{c.DataAreaWidth(), c.DataAreaHeight()});
  c.ConstructDataBmpCanvas(doc, 0, 0, false, 0);
  const auto polys = Polylines(doc);
  ASSERT_EQ(polys.size(), 2u);
  EXPECT_EQ(polys[0], (std::vector<TPoint>{{10, 50}, {100, 60}, {5000, 60}}));
  EXPECT_EQ(polys[1], (std::vector<TPoint>{{9000, -80}, {120, 30}, {150, 30}}));
  // Replayed, the document gives the screen's pixels.
  TBitmap replayed = White(c);
  TRasterCanvas target(replayed);
  doc.Replay(target);
  EXPECT_TRUE(test::ImagesEqual(replayed, Raster(c)));
  EXPECT_EQ(Polylines(*Record(c)).size(), 1u);  // unbounded: every point, one chain

  // A zoomed view of a long series: a few points a column (up to the cull
  // margin beyond the data area), not the series.
  TCustomRChart zoomed;
  PixelWorld(zoomed);
  zoomed.MoveTo(0, 0);
  for (int i = 1; i <= 100000; ++i) zoomed.DrawTo(i * 0.01, 76 + 60 * std::sin(i * 0.37));
  TRecordingCanvas view(TSize{zoomed.DataAreaWidth(), zoomed.DataAreaHeight()});
  zoomed.ConstructDataBmpCanvas(view, 0, 0, false, 0);
  std::size_t points = 0;
  for (const auto& poly : Polylines(view)) points += poly.size();
  EXPECT_LT(points, 4u * 800);
  // The SVG file of that view stays small (all 100,000 points would not).
  const std::string svg = test::TempPath("zoomed.svg");
  zoomed.SaveToFile(svg);
  const auto bytes = std::filesystem::file_size(svg);
  RecordProperty("zoomed_svg_bytes", std::to_string(bytes));
  EXPECT_LT(bytes, 200u * 1024);
  std::filesystem::remove(svg);
}

// ---------------------------------------------------------------- column reduction

// A raster canvas that counts the points it is given as polylines.
class TCountingRaster : public TRasterCanvas {
 public:
  using TRasterCanvas::TRasterCanvas;
  void Polyline(std::span<const TPoint> points) override {
    Points += points.size();
    TRasterCanvas::Polyline(points);
  }
  std::size_t Points = 0;
};

TEST(RChartItemsRender, ColumnReductionOfChainsGivesTheSamePixelsAsEveryPoint) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (std::uint32_t seed = 1; seed <= 12; ++seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> u(0, 1);
    TCustomRChart c;
    Ready(c);
    // Steep (many points per column), flat, and wild data with jumps far
    // outside, NaN, repeats, moves, colour and width changes.
    const int n = 3000;
    const double step = seed % 3 == 0 ? 0.2 : (seed % 3 == 1 ? 0.0005 : 0.01);
    double x = -0.5, y = 5;
    c.MoveTo(x, y);
    for (int i = 0; i < n; ++i) {
      const double r = u(rng);
      x += step * u(rng) * (r < 0.05 ? -3 : 1);
      if (seed % 2 == 0) y += (u(rng) - 0.5) * 0.2;
      else y = 10 * u(rng);
      if (r < 0.002) c.MoveTo(x, y);
      else if (r < 0.004) c.DrawTo(nan, y);
      else if (r < 0.006) c.DrawTo(x, 1e300);
      else if (r < 0.008) c.SetDataCol(TColor(rng() & 0xFFFFFF));
      else if (r < 0.009) c.SetLineWid(std::uint8_t(rng() % 3));
      else if (r < 0.03) {
        c.DrawTo(x, y);
        c.DrawTo(x, y);  // a repeated point
      } else {
        c.DrawTo(x, y);
      }
    }
    TRecordingCanvas rec;
    c.ConstructDataBmpCanvas(rec, 0, 0, false, 0);
    TBitmap every = White(c), reduced = White(c);
    TRasterCanvas replay(every);
    rec.Replay(replay);
    TCountingRaster counting(reduced);
    c.ConstructDataBmpCanvas(counting, 0, 0, false, 0);
    EXPECT_TRUE(test::ImagesEqual(every, reduced)) << "seed " << seed;
    std::size_t given = 0;
    for (const TPrimitive* p : rec.OfKind(TPrimitiveKind::pkPolyline)) given += p->Points.size();
    EXPECT_LE(counting.Points, given);
    if (step < 0.001) {
      EXPECT_LT(counting.Points, given / 4) << "seed " << seed;  // about 90 points a column
    }
  }
}

TEST(RChartItemsRender, ColumnReductionKeepsTheEndPixelOfEveryRunShape) {
  // Every walk of five steps over four rows of one column, entered from
  // another column or starting there, ending the chain there or leaving.
  TCustomRChart c;
  PixelWorld(c);
  for (int code = 0; code < 4 * 4 * 4 * 4 * 4; ++code) {
    for (int variant = 0; variant < 4; ++variant) {
      const bool leave = variant & 1, fromInside = variant & 2;
      c.ClearGraf();
      c.MoveTo(fromInside ? 20 : 10, Y(10));
      int k = code;
      for (int s = 0; s < 5; ++s, k /= 4) c.DrawTo(20, Y(10 + k % 4));
      if (leave) c.DrawTo(30, Y(12));
      TRecordingCanvas rec;
      c.ConstructDataBmpCanvas(rec, 0, 0, false, 0);
      TBitmap every = White(c), reduced = White(c);
      TRasterCanvas replay(every);
      rec.Replay(replay);
      c.ConstructDataBmp(reduced, 0, 0, false, 0);
      ASSERT_TRUE(test::ImagesEqual(every, reduced)) << code << " " << variant;
    }
  }
}

}  // namespace
}  // namespace mivo
