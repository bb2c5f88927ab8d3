// The chart's crosshairs: what each mode draws, where it stops at the edges of
// the data area, moving them over the cached picture, and the vector output.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "mivo/platform/colors.h"
#include "mivo/platform/recording_canvas.h"
#include "mivo/rchart/rchart.h"
#include "support/image_compare.h"
#include "rchart_test_util.h"

namespace mivo {
namespace {

using test::TCountingChart;

void Ready(TCustomRChart& c) { test::UsePaintingTestChart(c); }

TColor At(const TBitmap& bmp, std::int32_t x, std::int32_t y) { return FromRGB32(bmp.ScanLine(y)[x]); }

std::vector<TRect> Rects(const TRecordingCanvas& rec) {
  std::vector<TRect> out;
  for (const TPrimitive* p : rec.OfKind(TPrimitiveKind::pkRectangle)) out.push_back(p->Rect);
  return out;
}

TEST(RChartCrossHairs, EachModeDrawsItsLinesAndSquares) {
  struct Case {
    TCrossHMode Mode;
    std::int32_t Width;
    std::vector<std::pair<TPoint, TPoint>> Lines;
    std::vector<TRect> Rects;
  };
  const Case cases[] = {
      {TCrossHMode::chHoriz, 1, {{{51, 92}, {270, 92}}}, {}},
      {TCrossHMode::chVert, 1, {{{160, 17}, {160, 168}}}, {}},
      {TCrossHMode::chBoth, 1, {{{51, 92}, {270, 92}}, {{160, 17}, {160, 168}}}, {}},
      // A wider pen stays inside the data area by half its width.
      {TCrossHMode::chBoth, 3, {{{52, 92}, {269, 92}}, {{160, 18}, {160, 167}}}, {}},
      {TCrossHMode::chSmallCross,
       1,
       {{{147, 92}, {174, 92}}, {{160, 79}, {160, 106}}},
       {{157, 89, 164, 96}, {158, 90, 163, 95}}},
      {TCrossHMode::chMarkSquare, 1, {}, {{156, 88, 165, 97}}},
  };
  for (const Case& k : cases) {
    TCustomRChart c;
    Ready(c);
    c.CrossHairSetup(2, 0x00AA00, k.Mode, TPenStyle::psSolid, k.Width);
    c.CrossHairSetPos(2, 50, 5);
    TRecordingCanvas rec;
    c.DrawCrossHairs(0, 0, rec);
    const auto lines = rec.Lines();
    ASSERT_EQ(lines.size(), k.Lines.size()) << rec.Dump();
    for (std::size_t i = 0; i < lines.size(); ++i) {
      EXPECT_EQ(lines[i].From, k.Lines[i].first) << int(k.Mode);
      EXPECT_EQ(lines[i].To, k.Lines[i].second) << int(k.Mode);
      EXPECT_EQ(lines[i].Pen.Color, 0x00AA00u);
      EXPECT_EQ(lines[i].Pen.Width, k.Width);
    }
    EXPECT_EQ(Rects(rec), k.Rects) << rec.Dump();
    if (k.Mode == TCrossHMode::chSmallCross) {  // a white square around a black one
      EXPECT_EQ(rec.OfKind(TPrimitiveKind::pkRectangle)[0]->State.Pen.Color, clWhite);
      EXPECT_EQ(rec.OfKind(TPrimitiveKind::pkRectangle)[1]->State.Pen.Color, clBlack);
    }
  }
}

TEST(RChartCrossHairs, EdgesOrderOffsetsAndCanvasState) {
  TCustomRChart c;
  Ready(c);
  TRecordingCanvas rec;
  rec.Pen.Color = 0x123456;
  rec.Pen.Style = TPenStyle::psDot;
  rec.Brush.Style = TBrushStyle::bsClear;
  // All off: nothing drawn, nothing changed.
  c.DrawCrossHairs(0, 0, rec);
  EXPECT_EQ(rec.Size(), 0u);

  // Below the data area only the vertical line remains; outside both ways none.
  c.CrossHairSetup(1, clBlue, TCrossHMode::chBoth, TPenStyle::psSolid, 1);
  c.CrossHairSetPos(1, 50, -3);
  c.DrawCrossHairs(0, 0, rec);
  ASSERT_EQ(rec.Lines().size(), 1u);
  EXPECT_EQ(rec.Lines()[0].From, (TPoint{160, 17}));
  rec.Clear();
  c.CrossHairSetPos(1, 150, -3);
  c.DrawCrossHairs(0, 0, rec);
  EXPECT_EQ(rec.Lines().size(), 0u);
  // On the first row of the data area a line is not drawn (it would lie on the frame).
  rec.Clear();
  c.CrossHairSetPos(1, 50, 10);
  c.DrawCrossHairs(0, 0, rec);
  ASSERT_EQ(rec.Lines().size(), 1u);
  EXPECT_EQ(rec.Lines()[0].From.x, 160);

  // Crosshair 1 ends on top; the layer maps the position; the offset shifts.
  rec.Clear();
  c.SetRange(2, 0, 0, 200, 10);
  c.CrossHairSetPos(1, 50, 5);
  c.CrossHairSetup(4, clRed, TCrossHMode::chVert, TPenStyle::psSolid, 1);
  c.CrossHair(4).SetLayer(2);
  c.CrossHairSetPos(4, 50, 5);
  c.DrawCrossHairs(50, 16, rec);
  const auto lines = rec.Lines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].Pen.Color, clRed);
  EXPECT_EQ(lines[0].From, (TPoint{105 - 50, 17 - 16}));  // x 50 of 0 ... 200
  EXPECT_EQ(lines[2].Pen.Color, clBlue);
  EXPECT_EQ(rec.Pen.Color, 0x123456u);
  EXPECT_EQ(rec.Pen.Style, TPenStyle::psDot);
  EXPECT_EQ(rec.Brush.Style, TBrushStyle::bsClear);
}

TEST(RChartCrossHairs, NonFiniteAndHugeInputsDrawNothingOutside) {
  const double inf = std::numeric_limits<double>::infinity();
  const double values[] = {std::nan(""), inf, -inf, 1e308, -1e308};
  for (double v : values) {
    TCustomRChart c;
    Ready(c);
    c.CrossHairSetup(1, clRed, TCrossHMode::chSmallCross, TPenStyle::psSolid, 1);
    c.CrossHairSetPos(1, v, v);
    c.CrossHairSetup(2, clRed, TCrossHMode::chBoth, TPenStyle::psSolid, std::numeric_limits<std::int32_t>::max());
    TRecordingCanvas rec;
    c.DrawCrossHairs(std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(), rec);
    EXPECT_EQ(rec.Lines().size(), 0u) << v;
    c.Paint();
  }
  // A data area of no size: everything maps to the centre, nothing breaks.
  TCustomRChart c;
  Ready(c);
  c.CrossHairSetup(1, clRed, TCrossHMode::chBoth, TPenStyle::psDash, 1);
  c.SetLRim(400);
  c.CrossHairSetPos(1, 5, 5);
  c.Paint();
  TRecordingCanvas rec;
  c.PaintTo(rec);
}

TEST(RChartCrossHairs, MovingRecomposesTheCachedPictureWithoutRenderingItems) {
  TCountingChart c;
  Ready(c);
  std::int32_t renders = 0;
  c.OnDataRendered = [&](TObject&, TCanvas&, std::int32_t, std::int32_t) { ++renders; };
  c.MoveTo(0, 0);
  c.DrawTo(100, 10);
  const std::int32_t paints = c.Paints, rendered = renders;
  c.CrossHairSetup(1, clRed, TCrossHMode::chHoriz, TPenStyle::psSolid, 1);
  c.CrossHairSetPos(1, 50, 5);
  EXPECT_EQ(At(c.Surface(), 100, 92), clRed);

  c.CrossHairSetPos(1, 50, 7.5);  // row 54
  c.SetCHPosX(1, 20);
  EXPECT_EQ(c.Paints, paints);
  EXPECT_EQ(renders, rendered);
  EXPECT_EQ(At(c.Surface(), 100, 54), clRed);
  EXPECT_EQ(At(c.Surface(), 100, 92), clWhite);
  // The cached bitmaps stay free of crosshairs.
  EXPECT_EQ(At(c.ChartBmp(), 100, 54), clWhite);

  // A crosshair that is off only stores its position; numbers outside 1 ... 4 are ignored.
  const TBitmap before = c.Surface();
  c.SetCrossHairPosY(3, 4);
  c.SetCHPosX(5, 1);
  EXPECT_EQ(c.GetCHPosY(3), 4);
  EXPECT_EQ(c.GetCHPosX(5), 0);
  EXPECT_TRUE(test::ImagesEqual(c.Surface(), before));
  EXPECT_EQ(c.Paints, paints);

  // Data shown without the frame, then new items over it, then a move: no
  // crosshair is left behind where it was.
  c.ShowGraf();
  c.DrawTo(50, 0);
  c.ShowGrafNewOnly();
  c.CrossHairSetPos(1, 50, 2.5);  // row 130
  EXPECT_EQ(At(c.Surface(), 60, 54), clWhite);
  EXPECT_EQ(At(c.Surface(), 60, 130), clRed);
  EXPECT_EQ(At(c.GrafBmp(), 60 - 50, 54 - 16), clWhite);

  // Switching a crosshair off takes it from the screen.
  c.CrossHairSetup(1, clRed, TCrossHMode::chOff, TPenStyle::psSolid, 1);
  EXPECT_EQ(At(c.Surface(), 60, 130), clWhite);
}

TEST(RChartCrossHairs, RefreshAfterALayoutChangePaintsAnew) {
  TCountingChart c;
  Ready(c);
  c.SetAutoRedraw(false);
  c.CrossHairSetup(1, clRed, TCrossHMode::chVert, TPenStyle::psSolid, 1);
  c.SetLRim(80);  // no repaint: the cached data bitmap no longer fits
  const std::int32_t paints = c.Paints;
  c.CrossHairSetPos(1, 50, 5);  // column 80 + 190 / 2
  EXPECT_EQ(c.Paints, paints + 1);
  EXPECT_EQ(At(c.Surface(), 175, 100), clRed);
}

TEST(RChartCrossHairs, VectorOutputReplaysToTheScreenPicture) {
  TCustomRChart c;
  Ready(c);
  c.SetCaption("Cross");
  c.MoveTo(10, 1);
  c.DrawTo(90, 9);
  c.CrossHairSetup(1, clRed, TCrossHMode::chBoth, TPenStyle::psDashDotDot, 1);
  c.CrossHairSetup(2, 0x008000, TCrossHMode::chSmallCross, TPenStyle::psSolid, 1);
  c.CrossHairSetup(3, 0x800000, TCrossHMode::chMarkSquare, TPenStyle::psSolid, 2);
  c.CrossHairSetPos(1, 30, 3);
  c.CrossHairSetPos(2, 2, 9.8);  // the small cross reaches over the frame
  c.CrossHairSetPos(3, 70, 6);
  c.AddTextLabel(60, 7, clBlue, "two\nlines", 0);
  c.SetTextLabel(2, 20, 4, clBlack, "shadow", 0);
  c.TextLabels(2).SetMode(TTxtLblMode::tlShadow);
  c.TextLabels(2).SetShadowDx(2);
  c.Paint();
  TRecordingCanvas rec(TSize{c.Width(), c.Height()});
  c.PaintTo(rec);
  EXPECT_EQ(rec.Count(TPrimitiveKind::pkDraw), 0u);
  TBitmap replay(c.Width(), c.Height());
  rec.Replay(replay.Canvas());
  EXPECT_TRUE(test::ImagesEqual(replay, c.Surface()));
}

}  // namespace
}  // namespace mivo
