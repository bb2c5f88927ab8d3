// The chart's text labels: set-up, the box and text of each mode, placement,
// order and visibility, bad positions and indices, and form files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "mivo/platform/colors.h"
#include "mivo/platform/properties.h"
#include "mivo/platform/recording_canvas.h"
#include "mivo/rchart/rchart.h"
#include "rchart_test_util.h"

namespace mivo {
namespace {

using test::TCountingChart;

void Ready(TCustomRChart& c) { test::UsePaintingTestChart(c); }

// Label ix placed in control pixels, left-justified, anchored at its top.
TTextLabel& PixelLabel(TCustomRChart& c, std::int32_t ix, double x, double y, const std::string& caption,
                       TTxtLblMode mode) {
  TTextLabel& tl = c.TextLabels(ix);
  tl.SetAttachToData(TTxtLblAttachMode::tamNone);
  tl.SetPos(x, y);
  tl.SetAlignment(TAlignment::taLeftJustify);
  tl.SetVerticalAlignment(TVerticalAlignment::vaTop);
  tl.SetCaption(caption);
  tl.SetMode(mode);
  tl.SetVisible(true);
  return tl;
}

// Labels drawn onto a recording canvas in control coordinates.
std::unique_ptr<TRecordingCanvas> Record(TCustomRChart& c) {
  auto rec = std::make_unique<TRecordingCanvas>();
  c.DrawTextLabels(*rec, c.MarginLeft(), c.MarginTop());
  return rec;
}

TSize Extent(const TTextLabel& tl, const std::string& text) {
  TRecordingCanvas m;
  m.Font = tl.Font();
  return {m.TextWidth(text), m.TextHeight(text)};
}

TEST(RChartTextLabels, BoxOfEachMode) {
  for (const bool transparent : {false, true}) {
    for (const TTxtLblMode mode :
         {TTxtLblMode::tlSimple, TTxtLblMode::tlBox, TTxtLblMode::tlUnderline, TTxtLblMode::tlShadow}) {
      TCustomRChart c;
      Ready(c);
      TTextLabel& tl = PixelLabel(c, 1, 100, 80, "Label", mode);
      tl.SetColorBkg(0x00FFFF);
      tl.SetColorBorder(0x0000FF);
      tl.SetColorShadow(0x808080);
      tl.SetShadowDx(3);
      tl.SetShadowDy(4);
      tl.SetTransparent(transparent);
      const TSize e = Extent(tl, "Label");
      const TRect box{96, 78, 100 + e.cx + 4, 80 + e.cy + 2};
      const auto recPtr = Record(c);
      const TRecordingCanvas& rec = *recPtr;
      const auto rects = rec.OfKind(TPrimitiveKind::pkRectangle);
      const std::string what = std::to_string(int(mode)) + (transparent ? " transparent" : "");
      const TBrushStyle fill = transparent ? TBrushStyle::bsClear : TBrushStyle::bsSolid;
      switch (mode) {
        case TTxtLblMode::tlSimple:
        case TTxtLblMode::tlUnderline:
          ASSERT_EQ(rects.size(), transparent ? 0u : 1u) << what;
          if (!transparent) {
            EXPECT_EQ(rects[0]->Rect, box);
            EXPECT_EQ(rects[0]->State.Pen.Color, 0x00FFFFu);  // outlined in the background colour
          }
          if (mode == TTxtLblMode::tlUnderline) {
            EXPECT_TRUE(rec.HasLine({100, 80 + e.cy}, {100 + e.cx, 80 + e.cy}, 0x0000FF)) << rec.Dump();
          } else {
            EXPECT_TRUE(rec.Lines().empty());
          }
          break;
        case TTxtLblMode::tlBox:
          ASSERT_EQ(rects.size(), 1u) << what;
          EXPECT_EQ(rects[0]->Rect, box);
          EXPECT_EQ(rects[0]->State.Pen.Color, 0x0000FFu);
          EXPECT_EQ(rects[0]->State.Brush.Style, fill);
          break;
        default:
          ASSERT_EQ(rects.size(), 2u) << what;
          EXPECT_EQ(rects[0]->Rect, (TRect{box.Left + 3, box.Top + 4, box.Right + 3, box.Bottom + 4}));
          EXPECT_EQ(rects[0]->State.Pen.Color, 0x808080u);
          EXPECT_EQ(rects[0]->State.Brush.Color, 0x808080u);
          EXPECT_EQ(rects[0]->State.Brush.Style, fill);
          EXPECT_EQ(rects[1]->Rect, box);
          EXPECT_EQ(rects[1]->State.Pen.Color, 0x0000FFu);
          EXPECT_EQ(rects[1]->State.Brush.Color, 0x00FFFFu);
          break;
      }
      const auto text = rec.FindText("Label");
      ASSERT_TRUE(text.has_value()) << what;
      EXPECT_EQ(text->Pos, (TPoint{100, 80}));
      EXPECT_EQ(text->Brush.Style, fill);
    }
  }
}

TEST(RChartTextLabels, MultiLineCaptionsAndAlignments) {
  const std::string lines[] = {"a", "longer line", "mid"};
  for (const TAlignment align : {TAlignment::taLeftJustify, TAlignment::taRightJustify, TAlignment::taCenter}) {
    for (const TVerticalAlignment va :
         {TVerticalAlignment::vaTop, TVerticalAlignment::vaCenter, TVerticalAlignment::vaBottom}) {
      TCustomRChart c;
      Ready(c);
      TTextLabel& tl = PixelLabel(c, 7, 150, 100, "a\nlonger line\nmid", TTxtLblMode::tlBox);
      tl.SetAlignment(align);
      tl.SetVerticalAlignment(va);
      const std::int32_t h = Extent(tl, "a").cy;
      std::int32_t w = 0;
      for (const auto& l : lines) w = std::max(w, Extent(tl, l).cx);
      std::int32_t y = 100;  // the block's bottom
      if (va == TVerticalAlignment::vaTop) y += 3 * h;
      if (va == TVerticalAlignment::vaCenter) y += 3 * h / 2;
      std::int32_t x = 150;  // the block's left edge
      if (align == TAlignment::taRightJustify) x -= w;
      if (align == TAlignment::taCenter) x -= w / 2;
      const auto recPtr = Record(c);
      const TRecordingCanvas& rec = *recPtr;
      const auto rects = rec.OfKind(TPrimitiveKind::pkRectangle);
      ASSERT_EQ(rects.size(), 1u);
      EXPECT_EQ(rects[0]->Rect, (TRect{x - 4, y - 3 * h - 2, x + w + 4, y + 2}));
      const auto texts = rec.Texts();
      ASSERT_EQ(texts.size(), 3u);
      for (std::int32_t k = 0; k < 3; ++k) {
        const std::int32_t lw = Extent(tl, lines[k]).cx;
        std::int32_t lx = x;
        if (align == TAlignment::taRightJustify) lx += w - lw;
        if (align == TAlignment::taCenter) lx += (w - lw) / 2;
        EXPECT_EQ(texts[std::size_t(k)].Text, lines[k]);
        EXPECT_EQ(texts[std::size_t(k)].Pos, (TPoint{lx, y - h * (3 - k)})) << int(align) << " " << int(va);
      }
    }
  }
}

TEST(RChartTextLabels, AttachModesOrderVisibilityAndOffsets) {
  TCustomRChart c;
  Ready(c);
  c.SetRange(2, 0, 0, 100, 10);
  const TTxtLblAttachMode modes[] = {TTxtLblAttachMode::tamNone, TTxtLblAttachMode::tamXOnly,
                                     TTxtLblAttachMode::tamYOnly, TTxtLblAttachMode::tamBoth};
  const TPoint anchors[] = {{50, 5}, {160, 5}, {50, 92}, {160, 92}};
  for (std::int32_t i = 0; i < 4; ++i) {
    TTextLabel& tl = PixelLabel(c, i + 1, 50, 5, "L" + std::to_string(i + 1), TTxtLblMode::tlSimple);
    tl.SetAttachToData(modes[i]);
    tl.SetVerticalAlignment(TVerticalAlignment::vaBottom);
  }
  const std::int32_t h = Extent(c.TextLabels(1), "L1").cy;
  // Not drawn: hidden, a free slot, a label on a hidden layer.
  PixelLabel(c, 5, 10, 10, "hidden", TTxtLblMode::tlBox).SetVisible(false);
  PixelLabel(c, 6, 10, 10, "free", TTxtLblMode::tlOff);
  PixelLabel(c, 7, 10, 10, "layer2", TTxtLblMode::tlBox).SetLayer(2);
  c.SetLayerVisib(2, false);

  const auto recPtr = Record(c);
  TRecordingCanvas& rec = *recPtr;
  auto texts = rec.Texts();
  ASSERT_EQ(texts.size(), 4u) << rec.Dump();
  for (std::int32_t i = 0; i < 4; ++i) {
    // Drawn from label 30 down, so label 1 comes last and lies on top.
    const auto& t = texts[std::size_t(3 - i)];
    EXPECT_EQ(t.Text, "L" + std::to_string(i + 1));
    EXPECT_EQ(t.Pos, (TPoint{anchors[i].x, anchors[i].y - h}));
  }
  // On the data bitmap itself (offset 0) everything moves by the margins.
  c.SetLayerVisib(2, true);
  rec.Clear();
  c.DrawTextLabels(rec, 0, 0);
  texts = rec.Texts();
  ASSERT_EQ(texts.size(), 5u);
  EXPECT_EQ(texts[0].Text, "layer2");
  EXPECT_EQ(texts.back().Pos, (TPoint{50 - 50, 5 - 16 - h}));
  // On a printer the fonts keep their point size at the printer's resolution.
  rec.Clear();
  rec.SetIsPrinter(true);
  rec.SetPixelsPerInch(300);
  c.DrawTextLabels(rec, 0, 0);
  EXPECT_EQ(rec.Texts()[0].Font.PixelsPerInch, 300);
  EXPECT_EQ(rec.Texts()[0].Font.Size, 8);
}

TEST(RChartTextLabels, BadPositionsAndSizesStayHarmless) {
  const double inf = std::numeric_limits<double>::infinity();
  for (const double v : {std::nan(""), inf, -inf, 1e308, -1e308}) {
    TCustomRChart c;
    Ready(c);
    for (std::int32_t i = 1; i <= 4; ++i) {
      TTextLabel& tl = PixelLabel(c, i, v, -v, "x\ny", TTxtLblMode::tlShadow);
      tl.SetAttachToData(TTxtLblAttachMode(i - 1));
      tl.SetShadowDx(std::numeric_limits<std::int32_t>::max());
      tl.SetShadowDy(std::numeric_limits<std::int32_t>::min());
    }
    const auto recPtr = Record(c);
    const TRecordingCanvas& rec = *recPtr;
    ASSERT_EQ(rec.Texts().size(), 8u);
    for (const auto& t : rec.Texts()) {
      EXPECT_LE(std::abs(std::int64_t(t.Pos.x)), 1 << 21) << v;
      EXPECT_LE(std::abs(std::int64_t(t.Pos.y)), 1 << 21) << v;
    }
    c.Paint();
  }
  // No data area at all.
  TCustomRChart c;
  Ready(c);
  c.SetTRim(300);
  c.AddTextLabel(50, 5, clBlack, "none", 0);
  c.Paint();
}

TEST(RChartTextLabels, AddingSettingAndClearingLabels) {
  TCountingChart c;
  Ready(c);
  c.SetChartCol(0x112233);
  c.SetScaleCol(0x445566);
  c.SetActiveLayer(2);
  std::int32_t paints = c.Paints;
  EXPECT_EQ(c.AddTextLabel(1, 2, clRed, "first", 0), 1);
  EXPECT_EQ(c.Paints, paints + 1);  // one repaint for the whole set-up
  const TTextLabel& first = c.TextLabels(1);
  EXPECT_EQ(first.Layer(), 2);
  EXPECT_EQ(first.Font().Color, clRed);
  EXPECT_EQ(first.ColorBkg(), 0x112233u);
  EXPECT_EQ(first.ColorBorder(), 0x445566u);
  EXPECT_EQ(first.Mode(), TTxtLblMode::tlSimple);
  EXPECT_TRUE(first.Visible());

  // Label 5 as a template: placed in pixels, framed with a shadow.
  TTextLabel& t = c.TextLabels(5);
  t.SetAttachToData(TTxtLblAttachMode::tamNone);
  t.SetMode(TTxtLblMode::tlShadow);
  t.SetColorBkg(0x00FF00);
  t.SetShadowDx(-2);
  t.SetVerticalAlignment(TVerticalAlignment::vaTop);
  EXPECT_EQ(c.AddTextLabel(3, 4, clBlue, "from 5", 5), 2);
  const TTextLabel& second = c.TextLabels(2);
  EXPECT_EQ(second.AttachToData(), TTxtLblAttachMode::tamNone);
  EXPECT_EQ(second.Mode(), TTxtLblMode::tlShadow);
  EXPECT_EQ(second.ShadowDx(), -2);
  EXPECT_EQ(second.VerticalAlignment(), TVerticalAlignment::vaBottom);  // not copied
  // A free template gives mode 1; a template may be the slot it fills.
  EXPECT_EQ(c.AddTextLabel(0, 0, clBlack, "self", 3), 3);
  EXPECT_EQ(c.TextLabels(3).Mode(), TTxtLblMode::tlSimple);

  // The free slots fill in order: 4 (label 5 is taken as a template), then 6 ... 30.
  std::vector<std::int32_t> got;
  for (std::int32_t i = 0; i < 26; ++i) got.push_back(c.AddTextLabel(i, i, clBlack, "n", 0));
  EXPECT_EQ(got[0], 4);
  EXPECT_EQ(got[1], 6);
  EXPECT_EQ(got[25], 30);
  EXPECT_EQ(c.AddTextLabel(0, 0, clBlack, "full", 0), 0);
  paints = c.Paints;
  c.HideAllTextLabels();
  EXPECT_EQ(c.Paints, paints + 1);
  for (std::int32_t i = 1; i <= 30; ++i) EXPECT_FALSE(c.TextLabels(i).Visible());
  paints = c.Paints;
  c.ClearAllTextLabels();
  EXPECT_EQ(c.Paints, paints + 1);
  EXPECT_EQ(c.AddTextLabel(0, 0, clBlack, "again", 0), 1);

  // SetTextLabel ignores numbers outside 1 ... 30.
  paints = c.Paints;
  c.SetTextLabel(31, 7, 8, clGreen, "x", 0);
  EXPECT_EQ(c.Paints, paints);
}

TEST(RChartTextLabels, IndicesOutsideTheArrayRaise) {
  TCountingChart c;
  c.SetName("RChart1");
  const std::string message = "Component \"RChart1\": invalid index into TextLabel array";
  for (const std::int32_t ix : {0, 31, std::numeric_limits<std::int32_t>::min()}) {
    try {
      c.TextLabels(ix);
      ADD_FAILURE() << ix;
    } catch (const EMivoRChartError& e) {
      EXPECT_EQ(e.what(), message);
    }
    EXPECT_THROW(c.SetFTextLabel(ix, c.TextLabels(1)), EMivoRChartError);
  }
  Ready(c);
  TTextLabel tl;
  tl.SetCaption("copied");
  tl.SetMode(TTxtLblMode::tlBox);
  const std::int32_t paints = c.Paints;
  c.SetTextLabels(30, tl);
  EXPECT_EQ(c.Paints, paints + 1);
  EXPECT_EQ(c.GetFTextLabel(30).Caption(), "copied");
  c.TextLabels(30).SetVisible(true);  // still reports to the chart
  EXPECT_EQ(c.Paints, paints + 2);
}

TEST(RChartTextLabels, FormFileRoundTrip) {
  TCustomRChart fresh;
  for (const auto& name : CheckDefaults(fresh)) EXPECT_EQ(name.find("TextLabel"), std::string::npos) << name;

  TCustomRChart a;
  a.SetName("Chart1");
  TTextLabel& tl = a.TextLabels(3);
  tl.SetCaption("two\nlines");
  tl.SetPos(1.5, -2.25);
  tl.SetAttachToData(TTxtLblAttachMode::tamXOnly);
  tl.SetVerticalAlignment(TVerticalAlignment::vaTop);
  tl.SetColorShadow(0x070809);
  tl.SetShadowDy(7);
  tl.SetTransparent(true);
  tl.SetMode(TTxtLblMode::tlShadow);
  tl.SetVisible(true);
  TFont f = tl.Font();
  f.Size = 12;
  f.Style = TFontStyles{TFontStyle::fsItalic};
  tl.SetFont(f);
  a.TextLabels(30).SetPosY(std::nan(""));
  a.CrossHairSetup(4, 0x00FF00, TCrossHMode::chSmallCross, TPenStyle::psDot, 3);
  a.CrossHairSetPos(4, -1, 2);
  a.SetTextBkColor(0x00AAAA);
  const std::string text = WriteComponentToString(a);

  TCustomRChart b;
  ReadComponentFromString(b, text);
  EXPECT_EQ(WriteComponentToString(b), text);
  const TTextLabel& r = b.TextLabels(3);
  EXPECT_EQ(r.Caption(), "two\nlines");
  EXPECT_EQ(r.VerticalAlignment(), TVerticalAlignment::vaTop);
  EXPECT_EQ(r.Mode(), TTxtLblMode::tlShadow);
  EXPECT_EQ(r.Font().Size, 12);
  EXPECT_TRUE(std::isnan(b.TextLabels(30).PosY()));
  EXPECT_EQ(b.CrossHair(4).LineWidth(), 3);
  EXPECT_EQ(b.CrossHairPosX(4), -1);
  EXPECT_EQ(b.TextBkColor(), 0x00AAAAu);
  // An out-of-range mode in a file is refused as a whole.
  EXPECT_THROW(ReadComponentFromString(b, R"({"class": "TCustomRChart", "name": "Chart1",
      "properties": {"TextLabel2": {"Mode": 9}}})"),
               EMivoError);
  EXPECT_EQ(b.TextLabels(2).Mode(), TTxtLblMode::tlOff);
}

}  // namespace
}  // namespace mivo
