// The raster canvas test card: every primitive, pen style, pen mode, wide
// pens, polygon fill, arcs, copy modes and font styles, each labelled.
#include <cmath>
#include <string>
#include <vector>

#include "gallery.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"

namespace mivo {
namespace {

constexpr int CardW = 960, CardH = 830;

void Label(TCanvas& c, int x, int y, const std::string& text) {
  c.Brush.Style = TBrushStyle::bsClear;
  c.Font.Style = {};
  c.Font.Size = 8;
  c.Font.Color = clBlack;
  c.TextAlign = {};
  c.TextOut(x, y, text);
  c.Brush.Style = TBrushStyle::bsSolid;
}

void Panel(TCanvas& c, int x, int y, int w, int h, const std::string& title) {
  c.Pen = TPen{};
  c.Pen.Color = clGray;
  c.Brush.Color = clWhite;
  c.Brush.Style = TBrushStyle::bsSolid;
  c.Rectangle(x, y, x + w, y + h);
  c.Font.Style = {TFontStyle::fsBold};
  c.Font.Color = clNavy;
  c.Brush.Style = TBrushStyle::bsClear;
  c.TextAlign = {};
  c.TextOut(x + 6, y + 4, title);
  c.Font.Style = {};
  c.Brush.Style = TBrushStyle::bsSolid;
}

void Reset(TCanvas& c) {
  c.Pen = TPen{};
  c.Brush = TBrush{};
  c.CopyMode = TCopyMode::cmSrcCopy;
  c.TextAlign = {};
}

void Primitives(TCanvas& c, int x0, int y0) {
  Panel(c, x0, y0, 460, 170, "Primitives");
  const int y = y0 + 30;
  Reset(c);
  c.Pen.Color = clBlue;
  c.MoveTo(x0 + 10, y + 10);
  c.LineTo(x0 + 60, y + 90);
  Label(c, x0 + 10, y + 110, "LineTo");
  const TPoint poly[] = {{x0 + 75, y + 90}, {x0 + 90, y + 10}, {x0 + 105, y + 70}, {x0 + 120, y + 20}, {x0 + 130, y + 90}};
  Reset(c);
  c.Pen.Color = clMaroon;
  c.Polyline(poly);
  Label(c, x0 + 75, y + 110, "Polyline");
  Reset(c);
  c.Brush.Color = clAqua;
  c.Rectangle(x0 + 145, y + 10, x0 + 205, y + 90);
  Label(c, x0 + 145, y + 110, "Rectangle");
  c.Brush.Color = clYellow;
  c.Ellipse(x0 + 220, y + 10, x0 + 290, y + 90);
  Label(c, x0 + 220, y + 110, "Ellipse");
  c.Brush.Color = clLime;
  c.FillRect(Rect(x0 + 305, y + 10, x0 + 345, y + 45));
  c.Brush.Color = clRed;
  c.FrameRect(Rect(x0 + 305, y + 55, x0 + 345, y + 90));
  Label(c, x0 + 300, y + 110, "Fill/FrameRect");
  for (int i = 0; i < 20; ++i) c.SetPixel(x0 + 390 + (i % 5) * 4, y + 10 + (i / 5) * 4, clPurple);
  Reset(c);
  c.Arc(x0 + 380, y + 40, x0 + 450, y + 100, x0 + 450, y + 70, x0 + 380, y + 70);
  Label(c, x0 + 385, y + 110, "Pixels, Arc");
}

void PenStyles(TCanvas& c, int x0, int y0) {
  Panel(c, x0, y0, 460, 170, "Pen styles (solid brush: yellow gaps | clear brush)");
  const struct { TPenStyle s; const char* name; } styles[] = {
      {TPenStyle::psSolid, "psSolid"},           {TPenStyle::psDash, "psDash"},
      {TPenStyle::psDot, "psDot"},               {TPenStyle::psDashDot, "psDashDot"},
      {TPenStyle::psDashDotDot, "psDashDotDot"}, {TPenStyle::psClear, "psClear"},
      {TPenStyle::psInsideFrame, "psInsideFrame"},
  };
  int y = y0 + 28;
  for (const auto& st : styles) {
    Label(c, x0 + 10, y - 6, st.name);
    Reset(c);
    c.Pen.Style = st.s;
    c.Brush.Color = clYellow;
    c.MoveTo(x0 + 110, y);
    c.LineTo(x0 + 280, y);
    c.Brush.Style = TBrushStyle::bsClear;
    c.MoveTo(x0 + 290, y);
    c.LineTo(x0 + 450, y);
    y += 20;
  }
}

void PenModes(TCanvas& c, int x0, int y0) {
  Panel(c, x0, y0, 460, 170, "Pen modes over colour bands (pen and brush $0080FF)");
  // Background bands.
  const TColor bands[] = {clRed, clLime, clBlue, clWhite, clBlack, clYellow};
  for (int i = 0; i < 6; ++i) {
    Reset(c);
    c.Brush.Color = bands[i];
    c.FillRect(Rect(x0 + 10, y0 + 30 + i * 16, x0 + 450, y0 + 46 + i * 16));
  }
  const struct { TPenMode m; const char* name; } modes[] = {
      {TPenMode::pmCopy, "Copy"},   {TPenMode::pmXor, "Xor"},     {TPenMode::pmNot, "Not"},
      {TPenMode::pmNotCopy, "NotCopy"}, {TPenMode::pmMerge, "Merge"}, {TPenMode::pmMask, "Mask"},
      {TPenMode::pmNotXor, "NotXor"}, {TPenMode::pmBlack, "Black"}, {TPenMode::pmWhite, "White"},
      {TPenMode::pmNop, "Nop"},
  };
  int x = x0 + 14;
  for (const auto& m : modes) {
    Reset(c);
    c.Pen.Mode = m.m;
    c.Pen.Color = 0xFF8000;
    c.Brush.Color = 0xFF8000;
    c.Rectangle(x, y0 + 36, x + 30, y0 + 120);
    c.Pen.Width = 3;
    c.MoveTo(x, y0 + 130);
    c.LineTo(x + 30, y0 + 22);
    Label(c, x - 2, y0 + 146, m.name);
    x += 44;
  }
}

void WidePens(TCanvas& c, int x0, int y0) {
  Panel(c, x0, y0, 460, 170, "Wide pens: round ends and joins, inside frame");
  for (int w = 2; w <= 8; ++w) {
    Reset(c);
    c.Pen.Width = w;
    c.Pen.Color = clTeal;
    c.MoveTo(x0 + 20, y0 + 20 + w * 16);
    c.LineTo(x0 + 120, y0 + 20 + w * 16 - 20);
    Label(c, x0 + 130, y0 + 10 + w * 16 - 16, std::string("w").append(std::to_string(w)));
  }
  Reset(c);
  c.Pen.Width = 9;
  c.Pen.Color = clMaroon;
  const TPoint zig[] = {{x0 + 180, y0 + 140}, {x0 + 210, y0 + 50}, {x0 + 240, y0 + 140}, {x0 + 270, y0 + 60}};
  c.Polyline(zig);
  c.Pen.Width = 7;
  c.Pen.Color = clNavy;
  c.Brush.Color = clSilver;
  c.Rectangle(x0 + 300, y0 + 40, x0 + 370, y0 + 100);
  Label(c, x0 + 300, y0 + 104, "centred");
  c.Pen.Style = TPenStyle::psInsideFrame;
  c.Rectangle(x0 + 380, y0 + 40, x0 + 450, y0 + 100);
  Label(c, x0 + 380, y0 + 104, "inside");
  c.Ellipse(x0 + 300, y0 + 122, x0 + 450, y0 + 165);
}

void Polygons(TCanvas& c, int x0, int y0) {
  Panel(c, x0, y0, 460, 170, "Polygon fill: alternate (even-odd) rule");
  Reset(c);
  c.Brush.Color = clFuchsia;
  c.Pen.Color = clPurple;
  std::vector<TPoint> star;
  for (int k = 0; k < 5; ++k) {
    const double a = -M_PI / 2 + k * 4 * M_PI / 5;
    star.push_back({x0 + 90 + int(std::lround(70 * std::cos(a))), y0 + 100 + int(std::lround(65 * std::sin(a)))});
  }
  c.Polygon(star);
  Label(c, x0 + 60, y0 + 150, "pentagram");
  c.Brush.Color = clLime;
  const TPoint loops[] = {{x0 + 200, y0 + 40}, {x0 + 330, y0 + 40}, {x0 + 330, y0 + 140},
                          {x0 + 230, y0 + 140}, {x0 + 230, y0 + 70}, {x0 + 300, y0 + 70},
                          {x0 + 300, y0 + 110}, {x0 + 200, y0 + 110}};
  c.Polygon(loops);
  Label(c, x0 + 215, y0 + 150, "overlapping loops");
  c.Brush.Color = clSilver;
  c.Pen.Style = TPenStyle::psDot;
  const TPoint tri[] = {{x0 + 360, y0 + 140}, {x0 + 405, y0 + 40}, {x0 + 450, y0 + 140}};
  c.Polygon(tri);
}

void Arcs(TCanvas& c, int x0, int y0) {
  Panel(c, x0, y0, 460, 170, "Arc: counter-clockwise, four quadrants");
  const char* names[] = {"E to N", "N to W", "W to S", "S to E"};
  for (int q = 0; q < 4; ++q) {
    const int l = x0 + 15 + q * 110, t = y0 + 35, r = l + 90, b = t + 90;
    const int cx = (l + r) / 2, cy = (t + b) / 2;
    const TPoint dirs[] = {{r, cy}, {cx, t}, {l, cy}, {cx, b}, {r, cy}};
    Reset(c);
    c.Pen.Color = clSilver;
    c.Brush.Style = TBrushStyle::bsClear;
    c.Ellipse(l, t, r, b);
    c.Pen.Color = clRed;
    c.Pen.Width = 3;
    c.Arc(l, t, r, b, dirs[q].x, dirs[q].y, dirs[q + 1].x, dirs[q + 1].y);
    Label(c, l + 25, b + 10, names[q]);
  }
}

void CopyModes(TCanvas& c, int x0, int y0) {
  Panel(c, x0, y0, 460, 170, "CopyRect modes onto a striped background");
  TBitmap src(60, 60);
  TCanvas& s = src.Canvas();
  s.Brush.Color = clWhite;
  s.FillRect(Rect(0, 0, 60, 60));
  s.Brush.Color = clRed;
  s.Pen.Color = clBlue;
  s.Ellipse(5, 5, 55, 55);
  const struct { TCopyMode m; const char* name; } modes[] = {
      {TCopyMode::cmSrcCopy, "SrcCopy"}, {TCopyMode::cmSrcAnd, "SrcAnd"},
      {TCopyMode::cmSrcPaint, "SrcPaint"}, {TCopyMode::cmSrcInvert, "SrcInvert"}};
  for (int i = 0; i < 4; ++i) {
    const int l = x0 + 20 + i * 108, t = y0 + 35;
    Reset(c);
    for (int k = 0; k < 6; ++k) {
      c.Brush.Color = k % 2 ? clYellow : clTeal;
      c.FillRect(Rect(l - 5, t - 5 + k * 12, l + 75, t + 7 + k * 12));
    }
    c.CopyMode = modes[i].m;
    c.CopyRect(Rect(l + 5, t + 5, l + 65, t + 65), src, Rect(0, 0, 60, 60));
    Label(c, l + 5, t + 90, modes[i].name);
  }
  Reset(c);
  c.StretchDraw(Rect(x0 + 20, y0 + 140, x0 + 300, y0 + 165), src);
  Label(c, x0 + 310, y0 + 146, "StretchDraw 60x60 to 280x25");
}

void XorTwice(TCanvas& c, int x0, int y0) {
  Panel(c, x0, y0, 460, 170, "XOR pen (white): drawn once | drawn twice");
  for (int half = 0; half < 2; ++half) {
    const int l = x0 + 10 + half * 225;
    for (int k = 0; k < 6; ++k) {
      Reset(c);
      c.Brush.Color = k % 2 ? clNavy : clOlive;
      c.FillRect(Rect(l, y0 + 28 + k * 22, l + 215, y0 + 50 + k * 22));
    }
    for (int times = 0; times <= half; ++times) {
      Reset(c);
      c.Pen.Mode = TPenMode::pmXor;
      c.Pen.Color = clWhite;
      c.Brush.Style = TBrushStyle::bsClear;
      const TPoint bow[] = {{l + 10, y0 + 40}, {l + 110, y0 + 150}, {l + 10, y0 + 150}, {l + 110, y0 + 40}, {l + 10, y0 + 40}};
      c.Polyline(bow);
      c.Pen.Width = 5;
      c.Rectangle(l + 130, y0 + 40, l + 205, y0 + 110);
      c.Pen.Width = 1;
      c.Pen.Style = TPenStyle::psDash;
      c.Ellipse(l + 125, y0 + 115, l + 210, y0 + 155);
    }
  }
}

void Fonts(TCanvas& c, int x0, int y0) {
  Panel(c, x0, y0, 940, 95, "TextOut: font styles, brush cell, alignment");
  const struct { TFontStyles st; const char* name; } styles[] = {
      {{}, "Regular"},
      {{TFontStyle::fsBold}, "Bold"},
      {{TFontStyle::fsItalic}, "Italic"},
      {{TFontStyle::fsUnderline}, "Underline"},
      {{TFontStyle::fsStrikeOut}, "StrikeOut"},
      {{TFontStyle::fsBold, TFontStyle::fsItalic}, "Bold Italic"},
  };
  int x = x0 + 12;
  for (const auto& st : styles) {
    Reset(c);
    c.Brush.Style = TBrushStyle::bsClear;
    c.Font.Size = 12;
    c.Font.Color = clBlack;
    c.Font.Style = st.st;
    c.TextOut(x, y0 + 28, st.name);
    x += c.TextWidth(st.name) + 28;
  }
  Reset(c);
  c.Font.Size = 10;
  c.Font.Style = {};
  c.Brush.Color = clYellow;
  c.TextOut(x0 + 12, y0 + 62, "Solid brush paints the text cell");
  // Alignment around one point, marked with a cross.
  const int px = x0 + 640, py = y0 + 70;
  c.Pen.Color = clRed;
  c.MoveTo(px - 200, py);
  c.LineTo(px + 200, py);
  c.MoveTo(px, py - 20);
  c.LineTo(px, py + 20);
  c.Brush.Style = TBrushStyle::bsClear;
  c.Font.Color = clNavy;
  c.TextAlign = {TTextHAlign::taRight, TTextVAlign::taBottom};
  c.TextOut(px, py, "right/bottom");
  c.TextAlign = {TTextHAlign::taLeft, TTextVAlign::taTop};
  c.TextOut(px, py, "left/top");
  c.TextAlign = {TTextHAlign::taCenter, TTextVAlign::taBaseline};
  c.TextOut(px + 130, py, "center/baseline");
}

void RenderCanvasCard(TBitmap& bmp) {
  bmp.SetSize(CardW, CardH);
  TCanvas& c = bmp.Canvas();
  bmp.Clear(RGB(236, 236, 236));
  Primitives(c, 10, 10);
  PenStyles(c, 490, 10);
  PenModes(c, 10, 190);
  WidePens(c, 490, 190);
  Polygons(c, 10, 370);
  Arcs(c, 490, 370);
  CopyModes(c, 10, 550);
  XorTwice(c, 490, 550);
  Fonts(c, 10, 730);
}

}  // namespace
}  // namespace mivo

MIVO_GALLERY_SCENE("canvas.png", mivo::RenderCanvasCard);
