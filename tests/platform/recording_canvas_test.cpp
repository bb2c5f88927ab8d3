#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/fonts.h"
#include "mivo/platform/raster_canvas.h"
#include "mivo/platform/recording_canvas.h"

namespace mivo {
namespace {

TEST(RecordingCanvas, RecordsLinesWithThePenInForce) {
  TRecordingCanvas c;
  c.Pen.Color = clRed;
  c.Pen.Width = 2;
  c.MoveTo(1, 2);
  c.LineTo(5, 2);
  EXPECT_EQ(c.PenPos, (TPoint{5, 2}));
  c.Pen.Color = clBlue;
  c.Pen.Style = TPenStyle::psDot;
  const TPoint pts[] = {{0, 0}, {3, 4}, {6, 0}};
  c.Polyline(pts);
  EXPECT_EQ(c.PenPos, (TPoint{5, 2}));  // Polyline leaves the pen where it was

  const std::vector<TRecordedLine> lines = c.Lines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].From, (TPoint{1, 2}));
  EXPECT_EQ(lines[0].To, (TPoint{5, 2}));
  EXPECT_EQ(lines[0].Pen, (TPen{clRed, 2, TPenStyle::psSolid, TPenMode::pmCopy}));
  EXPECT_EQ(lines[2].From, (TPoint{3, 4}));
  EXPECT_EQ(lines[2].Pen.Style, TPenStyle::psDot);
  EXPECT_TRUE(c.HasLine({1, 2}, {5, 2}, clRed));
  EXPECT_FALSE(c.HasLine({1, 2}, {5, 2}, clBlue));
  EXPECT_FALSE(c.HasLine({5, 2}, {1, 2}));
  EXPECT_TRUE(c.HasLine({0, 0}, {3, 4}));
  EXPECT_EQ(c.Count(TPrimitiveKind::pkMoveTo), 1u);
  EXPECT_EQ(c.OfKind(TPrimitiveKind::pkPolyline).size(), 1u);
  EXPECT_EQ(c.Primitives()[1].State.PenPos, (TPoint{1, 2}));
  EXPECT_NE(c.Dump().find("LineTo (1,2)-(5,2) pen $000000FF w2"), std::string::npos) << c.Dump();
}

TEST(RecordingCanvas, RecordsShapesTextAndTheirState) {
  TRecordingCanvas c(TSize{300, 200});
  EXPECT_EQ(c.SurfaceSize(), (TSize{300, 200}));
  EXPECT_EQ(TRecordingCanvas().SurfaceSize(), (TSize{0, 0}));
  c.Brush.Style = TBrushStyle::bsClear;
  c.Rectangle(10, 20, 5, 8);
  c.Brush = {clYellow, TBrushStyle::bsSolid};
  c.Ellipse(0, 0, 9, 9);
  c.Arc(0, 0, 10, 10, 10, 5, 5, 0);
  c.FillRect(Rect(1, 1, 2, 2));
  c.SetPixel(7, 8, clLime);
  c.Font.Style = {TFontStyle::fsBold};
  c.Font.Color = clNavy;
  c.TextAlign = {TTextHAlign::taRight, TTextVAlign::taBaseline};
  c.TextOut(100, 50, "12.5");
  c.CopyMode = TCopyMode::cmSrcInvert;

  const auto& prims = c.Primitives();
  ASSERT_EQ(prims.size(), 6u);
  EXPECT_EQ(prims[0].Rect, Rect(10, 20, 5, 8));  // as given, not normalised
  EXPECT_EQ(prims[0].State.Brush.Style, TBrushStyle::bsClear);
  EXPECT_EQ(prims[1].State.Brush.Color, clYellow);
  EXPECT_EQ(prims[2].Points, (std::vector<TPoint>{{10, 5}, {5, 0}}));
  EXPECT_EQ(prims[4].Color, clLime);
  const auto text = c.FindText("12.5");
  ASSERT_TRUE(text);
  EXPECT_EQ(text->Pos, (TPoint{100, 50}));
  EXPECT_EQ(text->Font.Color, clNavy);
  EXPECT_TRUE(text->Font.Style.Contains(TFontStyle::fsBold));
  EXPECT_EQ(text->Align.Horz, TTextHAlign::taRight);
  EXPECT_EQ(text->Index, 5u);
  EXPECT_FALSE(c.FindText("12"));
  EXPECT_EQ(c.Texts().size(), 1u);

  // Measurement uses the real fonts; pixels read as 0.
  EXPECT_EQ(c.TextWidth("12.5"), MeasureTextWidth(c.Font, "12.5"));
  EXPECT_EQ(c.TextHeight("x"), GetFontMetrics(c.Font).Height);
  EXPECT_EQ(c.Pixel(7, 8), 0u);
  c.Clear();
  EXPECT_EQ(c.Size(), 0u);
}

TEST(RecordingCanvas, BitmapCopiesKeepASnapshot) {
  TBitmap src(4, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) src.ScanLine(y)[x] = ToRGB32(RGB(std::uint8_t(x), std::uint8_t(y), 9));
  TRecordingCanvas c;
  c.Draw(5, 6, src);
  c.CopyRect(Rect(0, 0, 10, 10), src, Rect(2, 1, 8, 9));        // reaches beyond the source
  c.CopyRect(Rect(0, 0, 10, 10), src, Rect(INT_MIN, 0, INT_MAX, 2));
  c.CopyRect(Rect(0, 0, 10, 10), src, Rect(3, 2, 1, 0));         // reversed
  src.Clear(clWhite);  // later changes do not reach the recording

  const auto& prims = c.Primitives();
  EXPECT_EQ(FromRGB32(prims[0].Bitmap->ScanLine(2)[3]), RGB(3, 2, 9));
  const TPrimitive& part = prims[1];
  ASSERT_EQ(part.Bitmap->Width(), 2);
  ASSERT_EQ(part.Bitmap->Height(), 2);
  EXPECT_EQ(FromRGB32(part.Bitmap->ScanLine(0)[0]), RGB(2, 1, 9));
  EXPECT_EQ(part.SourceRect, Rect(0, 0, 6, 8));
  EXPECT_EQ(prims[2].Bitmap->Width(), 4);
  EXPECT_EQ(prims[2].SourceRect, Rect(INT_MIN, 0, INT_MAX, 2));
  EXPECT_EQ(prims[3].SourceRect, Rect(2, 2, 0, 0));
  EXPECT_EQ(FromRGB32(prims[3].Bitmap->ScanLine(0)[0]), RGB(1, 0, 9));
}

// Draws a bit of everything with changing state (no pixel reads).
void DrawScene(TCanvas& c) {
  c.Brush = {RGB(230, 240, 250), TBrushStyle::bsSolid};
  c.FillRect(Rect(0, 0, 120, 80));
  c.Pen = {clRed, 1, TPenStyle::psSolid, TPenMode::pmCopy};
  c.MoveTo(5, 5);
  c.LineTo(100, 60);
  c.Pen.Style = TPenStyle::psDash;
  c.LineTo(10, 70);
  c.Pen = {clBlue, 3, TPenStyle::psSolid, TPenMode::pmCopy};
  const TPoint poly[] = {{20, 10}, {60, 15}, {40, 50}, {25, 30}};
  c.Polyline(poly);
  c.Brush = {clYellow, TBrushStyle::bsSolid};
  c.Pen = {clBlack, 1, TPenStyle::psSolid, TPenMode::pmCopy};
  c.Polygon(poly);
  c.Brush.Style = TBrushStyle::bsClear;
  c.Rectangle(70, 5, 110, 30);
  c.Ellipse(65, 35, 115, 75);
  c.Arc(60, 30, 118, 78, 118, 54, 89, 30);
  c.Pen.Mode = TPenMode::pmXor;
  c.Pen.Color = clWhite;
  c.Rectangle(2, 2, 50, 40);
  c.SetPixel(1, 1, clGreen);
  c.Font.Color = clMaroon;
  c.TextAlign = {TTextHAlign::taCenter, TTextVAlign::taBottom};
  c.TextOut(60, 78, "12.5 Hz");
  c.Brush = {clAqua, TBrushStyle::bsSolid};
  c.FrameRect(Rect(3, 60, 30, 75));
  TBitmap tile(6, 4);
  tile.Clear(clFuchsia);
  tile.ScanLine(1)[2] = ToRGB32(clBlack);
  c.Draw(90, 70, tile);
  c.StretchDraw(Rect(100, 0, 118, 12), tile);
  c.CopyMode = TCopyMode::cmSrcAnd;
  c.CopyRect(Rect(0, 40, 12, 48), tile, Rect(-2, -1, 10, 7));
}

TEST(RecordingCanvas, ReplayRepeatsTheRecording) {
  TRecordingCanvas rec;
  DrawScene(rec);
  TRecordingCanvas copy;
  rec.Replay(copy);
  ASSERT_EQ(copy.Size(), rec.Size());
  for (std::size_t i = 0; i < rec.Size(); ++i) {
    const TPrimitive& a = rec.Primitives()[i];
    const TPrimitive& b = copy.Primitives()[i];
    EXPECT_EQ(DescribePrimitive(a), DescribePrimitive(b));
    EXPECT_EQ(a.State, b.State) << i;
    EXPECT_EQ(a.Points, b.Points) << i;
    EXPECT_EQ(a.SourceRect, b.SourceRect) << i;
  }
}

TEST(RecordingCanvas, ReplayOnARasterCanvasEqualsDrawingDirectly) {
  TBitmap direct(120, 80), replayed(120, 80);
  DrawScene(direct.Canvas());
  TRecordingCanvas rec;
  DrawScene(rec);
  rec.Replay(replayed.Canvas());
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 120; ++x)
      ASSERT_EQ(direct.ScanLine(y)[x], replayed.ScanLine(y)[x]) << "first difference at " << x << "," << y;
}

}  // namespace
}  // namespace mivo
