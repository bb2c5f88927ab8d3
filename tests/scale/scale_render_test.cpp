// Rendering: tick lines, label and caption placement, date rows, on-scale
// messages and the three paint paths, asserted on a recording canvas.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/recording_canvas.h"
#include "mivo/scale/scale.h"

namespace mivo {
namespace {

using T = TScaleType;

// A transparent scale drawing onto a recording canvas at `pos`.
struct Rec {
  TScale S;
  TRecordingCanvas C;
  explicit Rec(T type = T::sctHorzUp, TPoint pos = {0, 0}) {
    S.SetTransparent(true);
    S.SetScaleType(type);
    S.UseForeignCanvas(&C, pos.x, pos.y);
  }
  void Paint() {
    C.Clear();
    S.ForcePaint();
  }
  std::int32_t W(const std::string& s) { return C.TextWidth(s); }
  std::int32_t H() { return C.TextHeight("0"); }
  TPoint TextPos(const std::string& text) {
    auto t = C.FindText(text);
    EXPECT_TRUE(t.has_value()) << "no text '" << text << "' in\n" << C.Dump();
    return t ? t->Pos : TPoint{-99999, -99999};
  }
};

TEST(ScaleRender, TickLinesAndBaseLinePerScaleType) {
  struct Row {
    T Type;
    TPoint LongFrom, LongTo, ShortFrom, ShortTo, BaseFrom, BaseTo;
  };
  // Value 0 gets a long tick, value 5 a short one (R2M(5) = 38, or 361 vertically).
  for (const Row& r : std::vector<Row>{
           {T::sctHorzUp, {20, 379}, {20, 372}, {38, 379}, {38, 375}, {20, 379}, {379, 379}},
           {T::sctHorzDown, {20, 20}, {20, 27}, {38, 20}, {38, 24}, {20, 20}, {379, 20}},
           {T::sctVertRight, {20, 379}, {26, 379}, {20, 361}, {24, 361}, {20, 20}, {20, 379}},
           {T::sctVertLeft, {379, 379}, {373, 379}, {379, 361}, {375, 361}, {379, 20}, {379, 379}}}) {
    Rec r2(r.Type);
    r2.Paint();
    EXPECT_TRUE(r2.C.HasLine(r.LongFrom, r.LongTo, 0u)) << int(r.Type) << "\n" << r2.C.Dump();
    EXPECT_TRUE(r2.C.HasLine(r.ShortFrom, r.ShortTo)) << int(r.Type);
    EXPECT_TRUE(r2.C.HasLine(r.BaseFrom, r.BaseTo)) << int(r.Type);
    EXPECT_EQ(r2.C.Lines().size(), 21u + 6u + 1u);
  }
}

TEST(ScaleRender, BaseLineOffAndForeignOrigin) {
  Rec r(T::sctHorzDown, {50, 100});
  r.S.SetShowBaseLine(false);
  r.Paint();
  EXPECT_EQ(r.C.Lines().size(), 27u);
  // Only the coordinate across the scale is shifted.
  EXPECT_TRUE(r.C.HasLine({20, 120}, {20, 127}));
  Rec v(T::sctVertRight, {50, 100});
  v.Paint();
  EXPECT_TRUE(v.C.HasLine({70, 379}, {76, 379}));
  EXPECT_TRUE(v.C.HasLine({70, 20}, {70, 379}));
}

TEST(ScaleRender, LabelPlacementPerScaleType) {
  for (T type : {T::sctHorzUp, T::sctHorzDown, T::sctVertRight, T::sctVertLeft}) {
    Rec r(type);
    r.Paint();
    const std::int32_t w = r.W("20"), h = r.H();
    const TPoint p = r.TextPos("20");
    switch (type) {
      case T::sctHorzUp: EXPECT_EQ(p, (TPoint{92 - w / 2, 379 - h - 7})); break;
      case T::sctHorzDown: EXPECT_EQ(p, (TPoint{92 - w / 2, 27})); break;
      case T::sctVertRight: EXPECT_EQ(p, (TPoint{28, 307 - h / 2})); break;
      default: EXPECT_EQ(p, (TPoint{379 - w - 8, 307 - h / 2})); break;
    }
    // Transparent scales draw their labels with a clear brush.
    EXPECT_EQ(r.C.FindText("20")->Brush.Style, TBrushStyle::bsClear);
  }
}

TEST(ScaleRender, LabelsStayInsideTheControl) {
  Rec r(T::sctHorzDown);
  r.S.SetMarginLeft(0);
  r.S.SetMarginRight(0);
  r.S.SetRange(1000, 1100);  // wide labels at both ends
  r.Paint();
  const std::int32_t half = r.W("1100") / 2;
  EXPECT_EQ(r.TextPos("1000").x, 2);
  EXPECT_EQ(r.TextPos("1100").x, 400 - 2 * half - 2);
}

// A dial seen through a window (the gauge's fixed dial) keeps its end labels
// between the margins, horizontally and vertically; the labels in between
// stay centred on their ticks.
TEST(ScaleRender, LabelsWithinMarginsStayInTheWindow) {
  Rec h(T::sctHorzUp);
  h.S.SetRange(1000, 1100);
  h.S.SetLabelsWithinMargins(true);
  h.Paint();
  EXPECT_EQ(h.TextPos("1000").x, 20 + 2);
  EXPECT_EQ(h.TextPos("1100").x, 400 - 20 - 2 - 2 * (h.W("1100") / 2));
  EXPECT_EQ(h.TextPos("1020").x, 92 - h.W("1020") / 2);

  Rec v(T::sctVertLeft);
  v.S.SetRange(0, 100);
  v.S.SetLabelsWithinMargins(true);
  v.Paint();
  EXPECT_EQ(v.TextPos("0").y, 400 - 20 - v.H());  // the low end is at the bottom
  EXPECT_EQ(v.TextPos("100").y, 20);
  EXPECT_EQ(v.TextPos("20").y, 307 - v.H() / 2);
}

TEST(ScaleRender, CaptionAnchorsAndAlignment) {
  struct Row {
    TScaleUnitAnchor Anchor;
    std::int32_t Along;  // anchor point along the scale
  };
  for (T type : {T::sctHorzUp, T::sctHorzDown, T::sctVertRight, T::sctVertLeft})
    for (const Row& a : {Row{TScaleUnitAnchor::uaSclTopLft, 24}, Row{TScaleUnitAnchor::uaSclCenter, 204},
                         Row{TScaleUnitAnchor::uaSclBotRgt, 384}})
      for (TAlignment align : {TAlignment::taLeftJustify, TAlignment::taRightJustify, TAlignment::taCenter}) {
        Rec r(type);
        r.S.SetCaption("Volt");
        r.S.SetCaptionAnchor(a.Anchor);
        r.S.SetCaptionAlignment(align);
        r.Paint();
        const std::int32_t w = r.W("Volt");
        const std::int32_t shift = align == TAlignment::taLeftJustify ? 0 : (align == TAlignment::taCenter ? w / 2 : w);
        // Across the scale: the base line (20, or 379 for types 0 and 3) + 4.
        const std::int32_t across = (type == T::sctHorzUp || type == T::sctVertLeft) ? 383 : 24;
        const TPoint expected = IsHorizontal(type) ? TPoint{a.Along - shift, across} : TPoint{across - shift, a.Along};
        EXPECT_EQ(r.TextPos("Volt"), expected) << int(type) << " anchor " << int(a.Anchor) << " align " << int(align);
      }
}

TEST(ScaleRender, EventsAndLabelReplacement) {
  Rec r(T::sctHorzDown);
  std::vector<TPoint> ticks;
  r.S.OnScaleTickDrawn = [&](TObject&, TCanvas& c, TScaleType st, double, std::int32_t x, std::int32_t y) {
    EXPECT_EQ(&c, &r.C);
    EXPECT_EQ(st, T::sctHorzDown);
    ticks.push_back({x, y});
  };
  r.S.OnBeforeTickLabel = [](TObject&, TScaleType, double v, std::string& label) {
    if (v == 20) label = "twenty";
  };
  r.Paint();
  EXPECT_EQ(ticks.size(), 27u);
  EXPECT_EQ(ticks.front(), (TPoint{20, 20}));
  EXPECT_TRUE(r.C.FindText("twenty").has_value());
  EXPECT_FALSE(r.C.FindText("20").has_value());
}

TEST(ScaleRender, LogarithmicIntermediateTicksAreLongOnVerticalScales) {
  for (T type : {T::sctHorzDown, T::sctVertRight}) {
    Rec r(type);
    r.S.SetRange(1, 100);
    r.S.SetMinTicks(5);
    r.S.SetLogarithmic(true);
    r.Paint();
    const std::int32_t p3 = r.S.R2M(3);
    if (type == T::sctHorzDown)
      EXPECT_TRUE(r.C.HasLine({p3, 20}, {p3, 24}));
    else
      EXPECT_TRUE(r.C.HasLine({20, p3}, {26, p3}));
    EXPECT_EQ(r.S.NumTicks(), 19);
  }
}

TEST(ScaleRender, DateRowPlacement) {
  for (T type : {T::sctHorzUp, T::sctHorzDown, T::sctVertRight, T::sctVertLeft}) {
    Rec r(type);
    r.S.SetLabelType(TFigType::ftDateTime);
    r.S.SetRange(0.75, 1.25);
    r.Paint();
    const std::int32_t h = r.H(), w = r.W("30-Dec-1899"), lw = r.W("18:00");
    const std::int32_t pix = r.S.R2M(0.75);
    const TPoint row = r.TextPos("30-Dec-1899");
    const TPoint lbl = r.TextPos("18:00");
    switch (type) {
      case T::sctHorzUp:
        EXPECT_EQ(row, (TPoint{std::max(2, pix - w / 2), 379 - 2 * h - 7}));
        EXPECT_EQ(lbl, (TPoint{std::max(2, pix - lw / 2), 379 - h - 7}));
        break;
      case T::sctHorzDown: EXPECT_EQ(row, (TPoint{std::max(2, pix - w / 2), 20 + h + 7})); break;
      case T::sctVertRight:
        EXPECT_EQ(row, (TPoint{28, pix - 3 * (h / 2)}));
        EXPECT_EQ(lbl, (TPoint{28, pix - h / 2}));
        break;
      default: EXPECT_EQ(row, (TPoint{379 - w - 8, pix - 3 * (h / 2)})); break;
    }
    EXPECT_TRUE(r.C.FindText("31-Dec-1899").has_value());
  }
}

TEST(ScaleRender, OnScaleMessages) {
  const std::string below = "DateTime range is below 1 second";
  Rec h(T::sctHorzDown);
  h.S.SetLabelType(TFigType::ftDateTime);
  h.S.SetRange(0.5, 0.50001);
  h.Paint();
  EXPECT_EQ(h.TextPos(below), (TPoint{h.S.R2M(0.500005) - h.W(below) / 2, 27}));
  EXPECT_EQ(h.S.NumTicks(), 0);
  EXPECT_TRUE(h.C.Lines().size() == 1u);  // the base line only

  Rec v(T::sctVertRight);
  v.S.SetLabelType(TFigType::ftDateTime);
  v.S.SetRange(0.5, 0.50001);
  v.Paint();  // hundredths of a second on vertical scales
  EXPECT_FALSE(v.C.FindText("DateTime").has_value());
  EXPECT_GT(v.S.NumTicks(), 0);

  for (T type : {T::sctVertRight, T::sctVertLeft}) {
    Rec r(type);
    r.S.SetLabelType(TFigType::ftDateTime);
    r.S.SetRange(2, 1);  // reversed: invalid
    r.Paint();
    const std::int32_t th = r.C.TextHeight("T"), mid = r.S.R2M(1.5);
    std::int32_t top = mid - th;
    for (const char* line : {"invalid", "DateTime", "scale"}) {
      const std::int32_t left = type == T::sctVertRight ? 22 : 379 - 2 - r.W(line);
      EXPECT_EQ(r.TextPos(line), (TPoint{left, top})) << line;
      top += th;
    }
  }
  Rec hb(T::sctHorzUp);
  hb.S.SetLabelType(TFigType::ftDateTime);
  hb.S.SetRange(0, 3000001);
  hb.Paint();
  EXPECT_EQ(hb.TextPos("invalid DateTime scale").y, 379 + 7);
}

TEST(ScaleRender, OpaqueAndTransparentPaths) {
  Rec r(T::sctHorzDown, {5, 6});
  TCanvas* before = nullptr;
  TCanvas* after = nullptr;
  r.S.OnBeforeScaleRendered = [&](TObject&, TCanvas& c) { before = &c; };
  r.S.OnAfterScaleRendered = [&](TObject&, TCanvas& c) { after = &c; };
  r.Paint();
  EXPECT_EQ(before, &r.C);
  EXPECT_EQ(after, &r.C);
  EXPECT_EQ(r.C.Count(TPrimitiveKind::pkDraw), 0u);
  EXPECT_EQ(r.C.Count(TPrimitiveKind::pkFillRect), 0u);

  r.S.SetTransparent(false);
  r.Paint();
  EXPECT_EQ(before, &r.C);
  EXPECT_NE(after, &r.C);  // the off-screen bitmap's canvas
  ASSERT_EQ(r.C.Count(TPrimitiveKind::pkDraw), 1u);
  EXPECT_EQ(r.C.Lines().size(), 0u);
  const TPrimitive* draw = r.C.OfKind(TPrimitiveKind::pkDraw).front();
  EXPECT_EQ(draw->Points.front(), (TPoint{5, 6}));
  ASSERT_TRUE(draw->Bitmap);
  EXPECT_EQ(draw->Bitmap->Width(), 400);
}

TEST(ScaleRender, OpaqueBitmapBackgroundFrameAndTicks) {
  for (TFrameStyle fs : {TFrameStyle::fsNone, TFrameStyle::fsLowered}) {
    TScale s;
    TBitmap target(400, 400);
    target.Clear(clRed);
    s.SetScaleType(T::sctHorzDown);
    s.SetFrameStyle(fs);
    s.SetColorBackGnd(clAqua);
    s.UseForeignCanvas(&target.Canvas(), 0, 0);
    s.ForcePaint();
    EXPECT_EQ(target.Canvas().Pixel(200, 300), clAqua);
    EXPECT_EQ(target.Canvas().Pixel(20, 25), clBlack);  // long tick at value 0
    if (fs == TFrameStyle::fsNone) {
      EXPECT_EQ(target.Canvas().Pixel(0, 0), clAqua);
    } else {
      EXPECT_EQ(target.Canvas().Pixel(0, 0), 0x808080u);
      EXPECT_EQ(target.Canvas().Pixel(399, 399), 0xFFFFFFu);
    }
  }
}

TEST(ScaleRender, AfterRenderedHandlerDrawsUnderTheFrame) {
  TScale s;
  TBitmap target(400, 400);
  s.SetScaleType(T::sctHorzDown);
  s.SetFrameStyle(TFrameStyle::fsLowered);
  s.UseForeignCanvas(&target.Canvas(), 0, 0);
  s.OnAfterScaleRendered = [](TObject&, TCanvas& c) {
    c.Brush.Style = TBrushStyle::bsSolid;
    c.Brush.Color = clRed;
    c.FillRect(Rect(0, 0, 400, 400));
  };
  s.ForcePaint();
  // The frame is drawn after the handler, the handler after the ticks.
  EXPECT_EQ(target.Canvas().Pixel(0, 0), 0x808080u);
  EXPECT_EQ(target.Canvas().Pixel(399, 399), 0xFFFFFFu);
  EXPECT_EQ(target.Canvas().Pixel(200, 200), clRed);
  EXPECT_EQ(target.Canvas().Pixel(20, 25), clRed);
}

TEST(ScaleRender, InvisibleScaleDrawsOnlyStandAloneAtDesignTime) {
  struct Row {
    bool Helper, Designing, Draws;
  };
  for (Row row : {Row{true, false, false}, Row{true, true, false}, Row{false, false, false}, Row{false, true, true}}) {
    Rec r;
    r.S.SetIsHelper(row.Helper);
    r.S.SetDesigning(row.Designing);
    r.S.SetVisible(false);
    r.Paint();
    EXPECT_EQ(r.C.Size() > 0, row.Draws) << row.Helper << " " << row.Designing;
  }
}

TEST(ScaleRender, PrinterCanvasKeepsPointSizes) {
  Rec r(T::sctHorzDown);
  r.C.SetIsPrinter(true);
  r.C.SetPixelsPerInch(300);
  r.Paint();
  const auto texts = r.C.Texts();
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.front().Font.PixelsPerInch, 300);
  EXPECT_EQ(texts.front().Font.Size, r.S.Font().Size);
}

}  // namespace
}  // namespace mivo
