// Painting of the frame and the data-area background: shadow, caption,
// grid, background image and area, the pipeline over the two bitmaps and the
// same picture drawn onto a recording canvas.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "mivo/platform/colors.h"
#include "mivo/platform/properties.h"
#include "mivo/platform/raster_canvas.h"
#include "mivo/platform/recording_canvas.h"
#include "mivo/rchart/rchart.h"
#include "support/image_compare.h"
#include "rchart_test_util.h"

namespace mivo {
namespace {

using test::UseTestGeometry;

TColor PixelOf(const TBitmap& bmp, std::int32_t x, std::int32_t y) {
  TBitmap copy(bmp);
  return copy.Canvas().Pixel(x, y);
}

// A chart of the test geometry that paints.
void Ready(TCustomRChart& c) {
  UseTestGeometry(c);
  c.SetSuppressPaint(false);
}

std::unique_ptr<TRecordingCanvas> Record(TCustomRChart& c) {
  auto rec = std::make_unique<TRecordingCanvas>(TSize{c.Width(), c.Height()});
  c.PaintTo(*rec);
  return rec;
}

TEST(RChartFrame, ShadowPolygonsOutlineAndCornerSquares) {
  struct Row {
    std::int32_t Width;
    TShadowStyle Style;
    std::size_t Polygons;
    std::vector<TPoint> Bottom, Right;
    TColor Outline;
  };
  const TColor shadow = 0x123456;
  const Row rows[] = {
      {0, TShadowStyle::ssFlying, 0, {}, {}, 0},
      {5, TShadowStyle::ssFlying, 2, {{4, 195}, {4, 199}, {279, 199}, {275, 195}},
       {{275, 195}, {279, 199}, {279, 4}, {275, 4}}, shadow},
      {5, TShadowStyle::ssDrop, 2, {{0, 195}, {4, 199}, {279, 199}, {275, 195}},
       {{275, 195}, {279, 199}, {279, 4}, {275, 0}}, 0},
  };
  for (const Row& r : rows) {
    TCustomRChart c;
    Ready(c);
    c.SetShadowColor(shadow);
    c.SetShadowStyle(r.Style);
    c.SetF3DRim(r.Width);
    const auto recPtr = Record(c);
  const TRecordingCanvas& rec = *recPtr;
    const auto polys = rec.OfKind(TPrimitiveKind::pkPolygon);
    ASSERT_EQ(polys.size(), r.Polygons) << r.Width;
    if (r.Polygons == 0) {
      EXPECT_FALSE(rec.HasLine({0, 0}, {275, 0}));
      continue;
    }
    EXPECT_EQ(polys[0]->Points, r.Bottom);
    EXPECT_EQ(polys[1]->Points, r.Right);
    EXPECT_EQ(polys[0]->State.Pen.Color, r.Outline);
    EXPECT_EQ(polys[0]->State.Brush.Color, shadow);
    // Black outline round the control less the shadow.
    EXPECT_TRUE(rec.HasLine({0, 0}, {275, 0}, 0u));
    EXPECT_TRUE(rec.HasLine({275, 0}, {275, 195}, 0u));
    EXPECT_TRUE(rec.HasLine({0, 195}, {0, 0}, 0u));
    // Corner squares in the shadow background colour, on the screen too.
    EXPECT_EQ(PixelOf(c.ChartBmp(), 278, 1), ColorToRGB(c.ShadowBakColor()));
    EXPECT_EQ(PixelOf(c.ChartBmp(), 1, 198), ColorToRGB(c.ShadowBakColor()));
    EXPECT_EQ(PixelOf(c.ChartBmp(), 200, 198), shadow);
  }
}

TEST(RChartFrame, CaptionAnchorsAndAlignment) {
  struct Row {
    TCaptionAnchorHoriz AX;
    TCaptionAnchorVert AY;
    TAlignment Align;
    std::int32_t Shadow;
    std::int32_t X;  // text start for a text width of tw: X - tw * TwFactor / 2
    std::int32_t TwHalves;
    std::int32_t Y;
  };
  // Geometry 280 x 200, margins 50, 10, 16, 32; offset (3, -16).
  const Row rows[] = {
      {TCaptionAnchorHoriz::cahChartRight, TCaptionAnchorVert::cavChartTop, TAlignment::taRightJustify, 0, 273, 2, 0},
      {TCaptionAnchorHoriz::cahChartRight, TCaptionAnchorVert::cavChartTop, TAlignment::taRightJustify, 5, 268, 2, 0},
      {TCaptionAnchorHoriz::cahControlLeft, TCaptionAnchorVert::cavControlTop, TAlignment::taLeftJustify, 5, 3, 0,
       -16},
      {TCaptionAnchorHoriz::cahChartLeft, TCaptionAnchorVert::cavChartBottom, TAlignment::taCenter, 5, 53, 1, 152},
      {TCaptionAnchorHoriz::cahChartCenter, TCaptionAnchorVert::cavChartCenter, TAlignment::taLeftJustify, 4,
       3 + 50 + 108, 0, -16 + 16 + 74},
      {TCaptionAnchorHoriz::cahControlRight, TCaptionAnchorVert::cavControlBottom, TAlignment::taRightJustify, 0,
       283, 2, 184},
  };
  for (const Row& r : rows) {
    TCustomRChart c;
    Ready(c);
    c.SetF3DRim(r.Shadow);
    c.SetCaption("Test");
    c.SetCaptPosX(3);
    c.SetCaptPosY(-16);
    c.SetCaptAnchorX(r.AX);
    c.SetCaptAnchorY(r.AY);
    c.SetCaptAlignment(r.Align);
    const auto recPtr = Record(c);
  const TRecordingCanvas& rec = *recPtr;
    const auto t = rec.FindText("Test");
    ASSERT_TRUE(t.has_value());
    TBitmap probe(1, 1);
    probe.Canvas().Font = c.Font();
    const std::int32_t tw = probe.Canvas().TextWidth("Test");
    EXPECT_EQ(t->Pos.x, r.X - tw * r.TwHalves / 2) << int(r.AX);
    EXPECT_EQ(t->Pos.y, r.Y) << int(r.AY);
    EXPECT_EQ(t->Align, TTextAlign{});
  }
}

TEST(RChartGrid, PositionsOfEverySpacingMode) {
  struct Row {
    double Lo, Hi;
    bool Log;
    double Dx;
    std::vector<double> Expect;
  };
  const Row rows[] = {
      {0, 1, false, 0.3, {0, 0.3, 0.6, 0.9}},
      {1, 0, false, 0.3, {0, 0.3, 0.6, 0.9}},  // reversed range
      {-1, 1, false, -0.5, {-1, -0.5, 0, 0.5}},  // negative on a linear axis steps by its size
      {1, 1000, true, -2, {2, 5, 10, 20, 50, 100, 200, 500}},
      {3, 5000, true, -1, {10, 100, 1000}},
      {1.5, 40, true, -3, {2, 3, 4, 5, 6, 7, 8, 9, 10, 20, 30}},
      {2, 30, true, 5, {5, 10, 15, 20, 25}},
  };
  for (const Row& r : rows) {
    TCustomRChart c;
    UseTestGeometry(c);
    c.SetRange(1, r.Lo, 0, r.Hi, 1);
    c.ScalePropsX(1).SetLogAx(r.Log);
    c.SetGridDx(r.Dx);
    const std::vector<double> got = c.GridPositionsX();
    ASSERT_EQ(got.size(), r.Expect.size()) << r.Dx;
    for (std::size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], r.Expect[i], 1e-9 * std::max(1.0, std::fabs(r.Hi))) << r.Dx << " " << i;
  }
}

TEST(RChartGrid, RunsStopAtAThousandAndSurviveNonFiniteRanges) {
  TCustomRChart c;
  UseTestGeometry(c);
  c.SetRange(1, 0, 0, 1, 1);
  c.SetGridDx(1e-9);
  EXPECT_EQ(c.GridPositionsX().size(), 1000u);
  c.SetGridDy(1e-300);
  EXPECT_EQ(c.GridPositionsY().size(), 1000u);
  c.ScalePropsX(1).SetRangeHigh(std::numeric_limits<double>::infinity());
  EXPECT_LE(c.GridPositionsX().size(), 1000u);
}

TEST(RChartGrid, LinesFollowTheTicksOfTheActiveScale) {
  TCustomRChart c;
  Ready(c);
  c.SetRange(1, 0, 0, 10, 10);
  c.SetGridStyle(GridStyleType::gsLines);
  c.SetGridCol(0x0000FF);
  const auto recPtr = Record(c);
  const TRecordingCanvas& rec = *recPtr;
  std::size_t vertical = 0, horizontal = 0;
  for (const TRecordedLine& l : rec.Lines()) {
    if (l.Pen.Color != 0x0000FFu) continue;
    if (l.From.x == l.To.x) ++vertical;
    else if (l.From.y == l.To.y) ++horizontal;
  }
  EXPECT_GT(c.TickNumX(), 1);
  // Ticks at the upper end lie on the edge and are left out (positions below hi).
  std::size_t ticksBelow = 0;
  for (std::int32_t i = 1; i <= c.TickNumX(); ++i)
    if (c.TickPosX(i) < 10) ++ticksBelow;
  EXPECT_EQ(vertical, ticksBelow);
  EXPECT_GT(horizontal, 0u);
  // The grid pixels are in the data bitmap: the line of x = 0 is column 0.
  EXPECT_EQ(PixelOf(c.GrafBmp(), 0, 40), 0x0000FFu);
}

TEST(RChartGrid, PointsAndDottedLinesOnTheRaster) {
  TCustomRChart c;
  Ready(c);
  c.SetRange(1, 0, 0, 10, 10);
  c.SetGridDx(5);
  c.SetGridDy(5);
  c.SetGridCol(0x00FF00);
  c.SetGridStyle(GridStyleType::gsPoints);
  const auto recPtr = Record(c);
  const TRecordingCanvas& rec = *recPtr;
  const auto pixels = rec.OfKind(TPrimitiveKind::pkSetPixel);
  // x = 0, 5 by y = 0, 5, columns outer.
  ASSERT_EQ(pixels.size(), 4u) << rec.Dump();
  EXPECT_EQ(pixels[0]->Points[0], (TPoint{50, 168}));
  EXPECT_EQ(pixels[1]->Points[0], (TPoint{50, 92}));
  EXPECT_EQ(pixels[2]->Points[0], (TPoint{160, 168}));
  c.SetGridStyle(GridStyleType::gsDotLines);
  const auto dotsPtr = Record(c);
  const TRecordingCanvas& dots = *dotsPtr;
  for (const TRecordedLine& l : dots.Lines()) {
    if (l.Pen.Color == 0x00FF00u) {
      EXPECT_EQ(l.Pen.Style, TPenStyle::psDot);
    }
  }
}

TEST(RChartBackground, AreaModesFillTheirRectangles) {
  struct Row {
    TBGAreaMode Mode;
    std::vector<TPoint> Inside, Outside;  // data-bitmap pixels
  };
  // x 0..10 over 220 columns, y 0..10 over 152 rows; area x 2..4, y 6..8 (top 8).
  // x = 2 -> column 44, x = 4 -> 88; y = 8 -> row 30, y = 6 -> 61.
  const Row rows[] = {
      {TBGAreaMode::bamNone, {}, {{60, 40}, {10, 10}}},
      {TBGAreaMode::bamVStripe, {{60, 5}, {60, 150}}, {{20, 40}, {100, 40}}},
      {TBGAreaMode::bamHStripe, {{5, 40}, {200, 40}}, {{5, 10}, {5, 100}}},
      {TBGAreaMode::bamRect, {{60, 40}}, {{60, 10}, {20, 40}}},
      {TBGAreaMode::bamRectInv, {{60, 10}, {20, 40}, {200, 140}}, {{60, 40}}},
      {TBGAreaMode::bamLeft, {{20, 100}}, {{60, 100}}},
      {TBGAreaMode::bamRight, {{100, 100}}, {{60, 100}}},
      {TBGAreaMode::bamTop, {{100, 10}}, {{100, 40}}},
      {TBGAreaMode::bamBottom, {{100, 100}}, {{100, 40}}},
      {TBGAreaMode::bamVStripeInv, {{20, 40}, {100, 40}}, {{60, 40}}},
      {TBGAreaMode::bamHStripeInv, {{60, 10}, {60, 100}}, {{60, 40}}},
  };
  const TColor area = 0x3366AA;
  for (const Row& r : rows) {
    TCustomRChart c;
    Ready(c);
    c.SetRange(1, 0, 0, 10, 10);
    c.BackGroundImg().SetAreaColor(area);
    c.BackGroundImg().SetAreaLeft(2);
    c.BackGroundImg().SetAreaRight(4);
    c.BackGroundImg().SetAreaTop(8);
    c.BackGroundImg().SetAreaBottom(6);
    c.BackGroundImg().SetAreaMode(r.Mode);
    for (const TPoint& p : r.Inside) EXPECT_EQ(PixelOf(c.GrafBmp(), p.x, p.y), area) << int(r.Mode) << " " << p.x;
    for (const TPoint& p : r.Outside)
      EXPECT_EQ(PixelOf(c.GrafBmp(), p.x, p.y), 0xFFFFFFu) << int(r.Mode) << " " << p.x;
  }
}

TEST(RChartBackground, ImageFillModesAndAnUnreadableImage) {
  TBitmap img(8, 6);
  img.Clear(0x0000FF);
  img.Canvas().SetPixel(0, 0, 0x00FF00);
  const std::string file = test::TempPath("bg.bmp");
  img.SaveToBMP(file);
  struct Row {
    TBkgFill Fill;
    TPoint P;
    TColor Expect;
  };
  const Row rows[] = {
      {TBkgFill::bfSimple, {0, 0}, 0x00FF00}, {TBkgFill::bfSimple, {5, 5}, 0x0000FF},
      {TBkgFill::bfSimple, {9, 9}, 0xFFFFFF},  // beyond the image: chart colour
      {TBkgFill::bfTile, {8, 6}, 0x00FF00},     {TBkgFill::bfTile, {219, 151}, 0x0000FF}, {TBkgFill::bfTile, {216, 150}, 0x00FF00},
      {TBkgFill::bfStretch, {219, 151}, 0x0000FF},
  };
  for (const Row& r : rows) {
    TCustomRChart c;
    Ready(c);
    c.BackGroundImg().SetAreaMode(TBGAreaMode::bamRect);  // not used with an image
    c.BackGroundImg().SetIncludePath(true);
    c.BackGroundImg().SetFillMode(r.Fill);
    c.BackGroundImg().SetName(file);
    EXPECT_EQ(PixelOf(c.GrafBmp(), r.P.x, r.P.y), r.Expect) << int(r.Fill) << " " << r.P.x;
    EXPECT_EQ(c.BackGroundImg().Name(), file);
  }
  std::remove(file.c_str());
  TCustomRChart c;
  Ready(c);
  c.BackGroundImg().SetIncludePath(true);
  c.BackGroundImg().SetName(test::TempPath("missing.png"));
  EXPECT_EQ(c.BackGroundImg().Name(), "");  // dropped, not retried
  EXPECT_EQ(PixelOf(c.GrafBmp(), 10, 10), 0xFFFFFFu);
}

TEST(RChartPipeline, ScreenShowsTheChartBitmapWithTheDataArea) {
  TCustomRChart c;
  Ready(c);
  c.SetWindColor(0x102030);
  c.SetChartColor(0xA0B0C0);
  c.Paint();
  EXPECT_TRUE(test::ImagesEqual(c.Surface(), c.ChartBmp()));
  EXPECT_EQ(PixelOf(c.ChartBmp(), 2, 2), 0x102030u);
  EXPECT_EQ(PixelOf(c.ChartBmp(), 100, 60), 0xA0B0C0u);
  EXPECT_EQ(c.GrafBmp().Width(), 221);
  EXPECT_EQ(c.GrafBmp().Height(), 153);

  // Items shown over the data area alone reach the chart bitmap too.
  c.SetRange(1, 0, 0, 10, 10);
  c.MoveTo(1, 1);
  c.DrawTo(9, 9);
  c.ShowGrafNewOnly();
  EXPECT_TRUE(test::ImagesEqual(c.Surface(), c.ChartBmp()));
  EXPECT_NE(PixelOf(c.ChartBmp(), c.MarginLeft() + c.GrafBmp().Width() / 2, c.MarginTop() + c.GrafBmp().Height() / 2),
            0xA0B0C0u);
  // A crosshair is on the screen, never in the chart bitmap.
  c.CrossHair(1).SetMode(TCrossHMode::chBoth);
  c.CrossHair(1).SetPos(5, 2);
  c.Paint();
  const TBitmap withCrossHair = c.Surface();
  c.CrossHair(1).SetMode(TCrossHMode::chOff);
  c.Paint();
  EXPECT_FALSE(test::ImagesEqual(withCrossHair, c.Surface()));
  EXPECT_TRUE(test::ImagesEqual(c.Surface(), c.ChartBmp()));
  // A new data area size clears the data bitmap; until the next paint the
  // picture keeps the data area it showed (the scales draw on it at once,
  // around it).
  c.Paint();
  const TBitmap shown = c.Surface();
  const std::int32_t l = c.MarginLeft(), t = c.MarginTop(), w = c.GrafBmp().Width(), h = c.GrafBmp().Height();
  c.SetSuppressPaint(true);
  c.SetMarginLeft(l + 7);
  ASSERT_EQ(c.GrafBmp().Width(), w - 7);
  std::int32_t differ = 0;
  for (std::int32_t y = t + 10; y < t + h - 10; ++y)
    differ += std::memcmp(c.ChartBmp().ScanLine(y) + l + 10, shown.ScanLine(y) + l + 10,
                          std::size_t(w - 20) * sizeof(*shown.ScanLine(y))) != 0;
  EXPECT_EQ(differ, 0);
}

TEST(RChartPipeline, VectorPaintHoldsNoBitmapAndReplaysToTheSamePixels) {
  TCustomRChart c;
  Ready(c);
  c.SetRange(1, 0, 0, 10, 10);
  c.SetF3DRim(4);
  c.SetCaption("Vectors");
  c.SetGridStyle(GridStyleType::gsDotLines);
  c.BackGroundImg().SetAreaMode(TBGAreaMode::bamRect);
  c.BackGroundImg().SetAreaRight(5);
  c.Paint();
  const auto recPtr = Record(c);
  const TRecordingCanvas& rec = *recPtr;
  EXPECT_EQ(rec.Count(TPrimitiveKind::pkDraw), 0u);
  EXPECT_EQ(rec.Count(TPrimitiveKind::pkCopyRect), 0u);
  EXPECT_EQ(rec.Count(TPrimitiveKind::pkStretchDraw), 0u);
  EXPECT_TRUE(rec.FindText("Vectors").has_value());
  EXPECT_GT(rec.Texts().size(), 3u);  // tick labels as text
  TBitmap replay(c.Width(), c.Height());
  rec.Replay(replay.Canvas());
  EXPECT_TRUE(test::ImagesEqual(replay, c.ChartBmp()));
  // The scales draw on the chart bitmap again afterwards.
  EXPECT_EQ(c.ScaleX(1).ForeignCanvas(), &const_cast<TBitmap&>(c.ChartBmp()).Canvas());
}

TEST(RChartPipeline, ARefusedLogarithmicRangeLeavesThePreviousPicture) {
  TCustomRChart c;
  Ready(c);
  c.SetRange(1, 0, 0, 10, 10);
  const TBitmap before = c.ChartBmp();
  const TBitmap screen = c.Surface();
  // A form file with a logarithmic axis over a non-positive range.
  c.BeginLoading();
  c.ScalePropsX(1).SetLogAx(true);
  c.ScalePropsX(1).SetRangeLow(-4);
  c.SetWindColor(0x00FF00);
  EXPECT_THROW(c.Loaded(), EMivoRChartError);
  EXPECT_THROW(c.Paint(), EMivoRChartError);
  EXPECT_TRUE(test::ImagesEqual(c.ChartBmp(), before));
  EXPECT_TRUE(test::ImagesEqual(c.Surface(), screen));
}

TEST(RChartPipeline, ShowGrafNewOnlyDrawsOverTheDataBitmap) {
  TCustomRChart c;
  Ready(c);
  c.SetRange(1, 0, 0, 10, 10);
  c.SetGridStyle(GridStyleType::gsLines);
  c.MoveTo(1, 1);
  c.DrawTo(2, 2);
  c.ShowGraf();
  EXPECT_EQ(c.LastElemOnShow(), 1);
  std::int32_t rendered = 0;
  c.OnDataRendered = [&](TObject&, TCanvas&, std::int32_t top, std::int32_t left) {
    ++rendered;
    EXPECT_EQ(top, 16);
    EXPECT_EQ(left, 50);
  };
  c.SetAutoRedraw(false);
  c.SetGridCol(0x0000FF);  // not painted: no auto-redraw
  for (int i = 0; i < 3; ++i) c.DrawTo(3 + i, 3);
  c.ShowGrafNewOnly();
  EXPECT_EQ(rendered, 1);
  EXPECT_EQ(c.LastElemOnShow(), 4);
  EXPECT_EQ(PixelOf(c.GrafBmp(), 0, 40), 0u);  // the old grid, not redrawn
  c.ShowGraf();  // without auto-redraw: a full paint
  EXPECT_EQ(PixelOf(c.GrafBmp(), 0, 40), 0x0000FFu);
  EXPECT_EQ(rendered, 2);
}

TEST(RChartPipeline, ExtremeSizesPaint) {
  const TSize sizes[] = {{1, 1}, {30, 20}, {60, 50}, {4000, 3000}};
  for (const TSize& s : sizes) {
    TCustomRChart c;
    c.SetSuppressPaint(false);
    c.SetF3DRim(32);
    c.SetCaption("Size");
    c.SetGridStyle(GridStyleType::gsPoints);
    c.SetBounds(0, 0, s.cx, s.cy);
    c.Paint();
    EXPECT_EQ(c.ChartBmp().Width(), c.Width());
    EXPECT_EQ(c.GrafBmp().Width(), c.DataAreaWidth());
  }
}

// A margin at the ends of 32 bits, set in code or read from a form file,
// with every grid style: painting (screen and vector) stays within defined
// arithmetic.
TEST(RChartPipeline, ExtremeMarginsPaintWithAGrid) {
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  for (std::int32_t margin : {kMin, kMax}) {
    for (int style = 1; style <= 7; ++style) {
      for (bool fromForm : {false, true}) {
        TCustomRChart c;
        test::UsePaintingTestChart(c);
        c.SetGridStyle(GridStyleType(style));
        if (fromForm) {
          const std::string m = std::to_string(margin);
          ReadComponentFromString(c, R"({"class": "TCustomRChart", "properties": {"MarginLeft": )" + m + "}}");
        } else {
          c.SetLRim(margin);
        }
        c.Paint();
        TRecordingCanvas vector(TSize{280, 200});
        c.PaintTo(vector);
      }
    }
  }
}

}  // namespace
}  // namespace mivo
