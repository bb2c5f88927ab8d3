// The base package sheet: all 52 data marks (thin and wide pens), every frame
// style and colour arrays filled by interpolation, each labelled.
#include <string>

#include "mivo/base/color_array.h"
#include "mivo/base/frames.h"
#include "mivo/base/marks.h"
#include "gallery.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"

namespace mivo {
namespace {

constexpr int SheetW = 940, SheetH = 740;
constexpr int Cols = 13, CellW = 68, CellH = 52;

void Text(TCanvas& c, int x, int y, const std::string& s, TTextHAlign h = TTextHAlign::taLeft, bool bold = false) {
  c.Brush.Style = TBrushStyle::bsClear;
  c.Font.Size = 8;
  c.Font.Style = bold ? TFontStyles{TFontStyle::fsBold} : TFontStyles{};
  c.Font.Color = bold ? clNavy : clBlack;
  c.TextAlign = {h, TTextVAlign::taTop};
  c.TextOut(x, y, s);
  c.TextAlign = {};
  c.Brush.Style = TBrushStyle::bsSolid;
}

void Panel(TCanvas& c, int x, int y, int w, int h, const std::string& title) {
  c.Pen = TPen{};
  c.Pen.Color = clGray;
  c.Brush = TBrush{};
  c.Rectangle(x, y, x + w, y + h);
  Text(c, x + 6, y + 4, title, TTextHAlign::taLeft, true);
}

// The 52 marks in a grid, kind number under each.
void MarkGrid(TCanvas& c, int x0, int y0, int penWidth, const std::string& title) {
  const int rows = (kMaxMarkKind + Cols) / Cols;
  Panel(c, x0, y0, Cols * CellW + 12, rows * CellH + 30, title);
  const TColor pens[] = {clNavy, clMaroon, clGreen, clPurple, clBlack, clTeal};
  const TColor brushes[] = {RGB(255, 210, 80), RGB(120, 200, 255), RGB(255, 150, 150), RGB(170, 240, 170)};
  for (int kind = 0; kind <= kMaxMarkKind; ++kind) {
    const int cx = x0 + 6 + (kind % Cols) * CellW + CellW / 2;
    const int cy = y0 + 26 + (kind / Cols) * CellH + 16;
    c.Pen = TPen{};
    c.Pen.Color = pens[kind % 6];
    c.Pen.Width = penWidth;
    c.Brush.Color = brushes[kind % 4];
    c.Brush.Style = TBrushStyle::bsSolid;
    DrawMarkOnCanvas(c, static_cast<std::uint8_t>(kind), cx, cy);
    Text(c, cx, cy + 14, std::to_string(kind), TTextHAlign::taCenter);
  }
}

void Frames(TCanvas& c, int x0, int y0) {
  Panel(c, x0, y0, 6 * 150 + 12, 120, "DrawFrame styles (highlight white, light silver, shadow gray, dark and plain black)");
  const char* names[] = {"fsNone", "fsSimple", "fsLowered", "fsRaised", "fsEmbossed", "fsEngraved"};
  for (int s = 0; s < 6; ++s) {
    const int l = x0 + 16 + s * 150, t = y0 + 30;
    c.Pen = TPen{};
    c.Pen.Color = ColorToRGB(clBtnFace);
    c.Brush.Color = ColorToRGB(clBtnFace);
    c.Rectangle(l, t, l + 134, t + 74);
    DrawFrame(c, static_cast<TFrameStyle>(s), l + 8, t + 8, l + 125, t + 65, clWhite, clSilver, clGray, clBlack,
              clBlack);
    Text(c, l + 67, t + 30, names[s], TTextHAlign::taCenter);
  }
}

void ColorArrays(TCanvas& c, int x0, int y0) {
  Panel(c, x0, y0, 6 * 150 + 12, 92, "TColorArray.FillByInterpolation: 255 entries, RGB (top) and HSV (bottom)");
  TColorArray a(255);
  const TColor anchors[] = {clBlack, clBlue, clGreen, clRed, clYellow, clWhite};
  // A mid-grey backdrop, so that both the black and the white ends show.
  c.Pen = TPen{};
  c.Pen.Color = clGray;
  c.Brush.Color = clGray;
  c.Rectangle(x0 + 8, y0 + 22, x0 + 16 + 255 * 3 + 8, y0 + 88);
  for (int model = 0; model < 2; ++model) {
    a.FillByInterpolation(model, anchors);
    const int top = y0 + 28 + model * 30;
    for (int i = 1; i <= a.Size(); ++i) {
      c.Pen = TPen{};
      c.Pen.Color = a.GetColorElem(i);
      const int x = x0 + 16 + (i - 1) * 3;
      for (int k = 0; k < 3; ++k) {
        c.MoveTo(x + k, top);
        c.LineTo(x + k, top + 24);
      }
    }
  }
  Text(c, x0 + 16 + 255 * 3 + 12, y0 + 34, "anchors: black,", TTextHAlign::taLeft);
  Text(c, x0 + 16 + 255 * 3 + 12, y0 + 52, "blue, green, red,", TTextHAlign::taLeft);
  Text(c, x0 + 16 + 255 * 3 + 12, y0 + 70, "yellow, white", TTextHAlign::taLeft);
}

void RenderMarksSheet(TBitmap& bmp) {
  bmp.SetSize(SheetW, SheetH);
  bmp.Clear(RGB(244, 244, 240));
  TCanvas& c = bmp.Canvas();
  MarkGrid(c, 10, 10, 1, "DrawMarkOnCanvas: kinds 0 ... 51, one-pixel pen, coloured brush");
  MarkGrid(c, 10, 258, 3, "The same marks with a 3-pixel pen");
  Frames(c, 10, 506);
  ColorArrays(c, 10, 636);
}

}  // namespace
}  // namespace mivo

MIVO_GALLERY_SCENE("marks.png", mivo::RenderMarksSheet);
