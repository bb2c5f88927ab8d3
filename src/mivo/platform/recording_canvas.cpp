#include "mivo/platform/recording_canvas.h"

#include <algorithm>
#include <cstdio>

namespace mivo {

const char* PrimitiveKindName(TPrimitiveKind kind) {
  switch (kind) {
    case TPrimitiveKind::pkMoveTo: return "MoveTo";
    case TPrimitiveKind::pkLineTo: return "LineTo";
    case TPrimitiveKind::pkPolyline: return "Polyline";
    case TPrimitiveKind::pkPolygon: return "Polygon";
    case TPrimitiveKind::pkRectangle: return "Rectangle";
    case TPrimitiveKind::pkFillRect: return "FillRect";
    case TPrimitiveKind::pkFrameRect: return "FrameRect";
    case TPrimitiveKind::pkEllipse: return "Ellipse";
    case TPrimitiveKind::pkArc: return "Arc";
    case TPrimitiveKind::pkSetPixel: return "SetPixel";
    case TPrimitiveKind::pkTextOut: return "TextOut";
    case TPrimitiveKind::pkDraw: return "Draw";
    case TPrimitiveKind::pkStretchDraw: return "StretchDraw";
    case TPrimitiveKind::pkCopyRect: return "CopyRect";
  }
  return "?";
}

TPrimitive& TRecordingCanvas::Add(TPrimitiveKind kind) {
  TPrimitive& p = FPrimitives.emplace_back();
  p.Kind = kind;
  p.State = TCanvasState{Pen, Brush, Font, CopyMode, TextAlign, PenPos};
  return p;
}

void TRecordingCanvas::MoveTo(std::int32_t x, std::int32_t y) {
  Add(TPrimitiveKind::pkMoveTo).Points = {{x, y}};
  PenPos = {x, y};
}

void TRecordingCanvas::LineTo(std::int32_t x, std::int32_t y) {
  Add(TPrimitiveKind::pkLineTo).Points = {PenPos, {x, y}};
  PenPos = {x, y};
}

void TRecordingCanvas::Polyline(std::span<const TPoint> points) {
  Add(TPrimitiveKind::pkPolyline).Points.assign(points.begin(), points.end());
}

void TRecordingCanvas::Polygon(std::span<const TPoint> points) {
  Add(TPrimitiveKind::pkPolygon).Points.assign(points.begin(), points.end());
}

void TRecordingCanvas::Rectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  Add(TPrimitiveKind::pkRectangle).Rect = {x1, y1, x2, y2};
}

void TRecordingCanvas::FillRect(const TRect& r) { Add(TPrimitiveKind::pkFillRect).Rect = r; }

void TRecordingCanvas::FrameRect(const TRect& r) { Add(TPrimitiveKind::pkFrameRect).Rect = r; }

void TRecordingCanvas::Ellipse(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  Add(TPrimitiveKind::pkEllipse).Rect = {x1, y1, x2, y2};
}

void TRecordingCanvas::Arc(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::int32_t x3,
                           std::int32_t y3, std::int32_t x4, std::int32_t y4) {
  TPrimitive& p = Add(TPrimitiveKind::pkArc);
  p.Rect = {x1, y1, x2, y2};
  p.Points = {{x3, y3}, {x4, y4}};
}

void TRecordingCanvas::SetPixel(std::int32_t x, std::int32_t y, TColor c) {
  TPrimitive& p = Add(TPrimitiveKind::pkSetPixel);
  p.Points = {{x, y}};
  p.Color = c;
}

void TRecordingCanvas::TextOut(std::int32_t x, std::int32_t y, std::string_view text) {
  TPrimitive& p = Add(TPrimitiveKind::pkTextOut);
  p.Points = {{x, y}};
  p.Text = std::string(text);
}

void TRecordingCanvas::Draw(std::int32_t x, std::int32_t y, const TBitmap& src) {
  TPrimitive& p = Add(TPrimitiveKind::pkDraw);
  p.Points = {{x, y}};
  p.Bitmap = std::make_shared<const TBitmap>(src);
}

void TRecordingCanvas::StretchDraw(const TRect& dest, const TBitmap& src) {
  TPrimitive& p = Add(TPrimitiveKind::pkStretchDraw);
  p.Rect = dest;
  p.Bitmap = std::make_shared<const TBitmap>(src);
}

void TRecordingCanvas::CopyRect(const TRect& dest, const TBitmap& src, const TRect& srcRect) {
  // Keep only the part of the source that the source rectangle covers.
  const std::int32_t left = std::clamp(std::min(srcRect.Left, srcRect.Right), 0, src.Width());
  const std::int32_t right = std::clamp(std::max(srcRect.Left, srcRect.Right), 0, src.Width());
  const std::int32_t top = std::clamp(std::min(srcRect.Top, srcRect.Bottom), 0, src.Height());
  const std::int32_t bottom = std::clamp(std::max(srcRect.Top, srcRect.Bottom), 0, src.Height());
  auto part = std::make_shared<TBitmap>(right - left, bottom - top);
  for (std::int32_t y = top; y < bottom; ++y)
    std::copy(src.ScanLine(y) + left, src.ScanLine(y) + right, part->ScanLine(y - top));
  TPrimitive& p = Add(TPrimitiveKind::pkCopyRect);
  p.Rect = dest;
  // left > 0 only when both horizontal edges are positive, so nothing overflows.
  p.SourceRect = {srcRect.Left - left, srcRect.Top - top, srcRect.Right - left, srcRect.Bottom - top};
  p.Bitmap = std::move(part);
}

std::vector<const TPrimitive*> TRecordingCanvas::OfKind(TPrimitiveKind kind) const {
  std::vector<const TPrimitive*> result;
  for (const TPrimitive& p : FPrimitives)
    if (p.Kind == kind) result.push_back(&p);
  return result;
}

std::size_t TRecordingCanvas::Count(TPrimitiveKind kind) const {
  return std::size_t(std::count_if(FPrimitives.begin(), FPrimitives.end(),
                                   [kind](const TPrimitive& p) { return p.Kind == kind; }));
}

std::vector<TRecordedLine> TRecordingCanvas::Lines() const {
  std::vector<TRecordedLine> lines;
  for (std::size_t i = 0; i < FPrimitives.size(); ++i) {
    const TPrimitive& p = FPrimitives[i];
    if (p.Kind != TPrimitiveKind::pkLineTo && p.Kind != TPrimitiveKind::pkPolyline) continue;
    for (std::size_t k = 1; k < p.Points.size(); ++k) lines.push_back({p.Points[k - 1], p.Points[k], p.State.Pen, i});
  }
  return lines;
}

bool TRecordingCanvas::HasLine(TPoint from, TPoint to, std::optional<TColor> color) const {
  for (const TRecordedLine& line : Lines())
    if (line.From == from && line.To == to && (!color || line.Pen.Color == *color)) return true;
  return false;
}

std::vector<TRecordedText> TRecordingCanvas::Texts() const {
  std::vector<TRecordedText> texts;
  for (std::size_t i = 0; i < FPrimitives.size(); ++i) {
    const TPrimitive& p = FPrimitives[i];
    if (p.Kind == TPrimitiveKind::pkTextOut)
      texts.push_back({p.Points[0], p.Text, p.State.Font, p.State.TextAlign, p.State.Brush, i});
  }
  return texts;
}

std::optional<TRecordedText> TRecordingCanvas::FindText(std::string_view text) const {
  for (const TRecordedText& t : Texts())
    if (t.Text == text) return t;
  return std::nullopt;
}

namespace {

std::string Hex(TColor c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "$%08X", unsigned(c));
  return buf;
}

std::string Pt(TPoint p) { return std::string("(") + std::to_string(p.x) + "," + std::to_string(p.y) + ")"; }

std::string Box(const TRect& r) {
  return std::string("(") + std::to_string(r.Left) + "," + std::to_string(r.Top) + ")-(" + std::to_string(r.Right) + "," +
         std::to_string(r.Bottom) + ")";
}

std::string PenText(const TPen& pen) {
  return " pen " + Hex(pen.Color) + " w" + std::to_string(pen.Width) + " s" + std::to_string(int(pen.Style)) + " m" +
         std::to_string(int(pen.Mode));
}

std::string BrushText(const TBrush& brush) {
  return brush.Style == TBrushStyle::bsClear ? " brush clear" : " brush " + Hex(brush.Color);
}

}  // namespace

std::string DescribePrimitive(const TPrimitive& p) {
  std::string s = PrimitiveKindName(p.Kind);
  const TCanvasState& st = p.State;
  switch (p.Kind) {
    case TPrimitiveKind::pkMoveTo:
      return s + " " + Pt(p.Points[0]);
    case TPrimitiveKind::pkLineTo:
      return s + " " + Pt(p.Points[0]) + "-" + Pt(p.Points[1]) + PenText(st.Pen);
    case TPrimitiveKind::pkPolyline:
    case TPrimitiveKind::pkPolygon:
      s += " [";
      for (std::size_t i = 0; i < p.Points.size(); ++i) {
        if (i) s += ' ';
        s += Pt(p.Points[i]);
      }
      s += ']';
      s += PenText(st.Pen);
      if (p.Kind == TPrimitiveKind::pkPolygon) s += BrushText(st.Brush);
      return s;
    case TPrimitiveKind::pkRectangle:
    case TPrimitiveKind::pkEllipse:
      return s + " " + Box(p.Rect) + PenText(st.Pen) + BrushText(st.Brush);
    case TPrimitiveKind::pkFillRect:
    case TPrimitiveKind::pkFrameRect:
      return s + " " + Box(p.Rect) + BrushText(st.Brush);
    case TPrimitiveKind::pkArc:
      return s + " " + Box(p.Rect) + " from " + Pt(p.Points[0]) + " to " + Pt(p.Points[1]) + PenText(st.Pen);
    case TPrimitiveKind::pkSetPixel:
      return s + " " + Pt(p.Points[0]) + " " + Hex(p.Color);
    case TPrimitiveKind::pkTextOut:
      return s + " " + Pt(p.Points[0]) + " \"" + p.Text + "\" font " + st.Font.Name + " " +
             std::to_string(st.Font.Size) + "pt " + Hex(st.Font.Color) + " align " +
             std::to_string(int(st.TextAlign.Horz)) + "/" + std::to_string(int(st.TextAlign.Vert)) +
             BrushText(st.Brush);
    case TPrimitiveKind::pkDraw:
      return s + " " + Pt(p.Points[0]) + " bitmap " + std::to_string(p.Bitmap->Width()) + "x" +
             std::to_string(p.Bitmap->Height());
    case TPrimitiveKind::pkStretchDraw:
      return s + " " + Box(p.Rect) + " bitmap " + std::to_string(p.Bitmap->Width()) + "x" +
             std::to_string(p.Bitmap->Height());
    case TPrimitiveKind::pkCopyRect:
      return s + " " + Box(p.Rect) + " from " + Box(p.SourceRect) + " of " + std::to_string(p.Bitmap->Width()) + "x" +
             std::to_string(p.Bitmap->Height()) + " mode " + std::to_string(int(st.CopyMode));
  }
  return s;
}

std::string TRecordingCanvas::Dump() const {
  std::string s;
  for (std::size_t i = 0; i < FPrimitives.size(); ++i)
    s += std::to_string(i) + ": " + DescribePrimitive(FPrimitives[i]) + "\n";
  return s;
}

void TRecordingCanvas::Replay(TCanvas& target) const {
  static const TBitmap empty;
  for (const TPrimitive& p : FPrimitives) {
    target.Pen = p.State.Pen;
    target.Brush = p.State.Brush;
    target.Font = p.State.Font;
    target.CopyMode = p.State.CopyMode;
    target.TextAlign = p.State.TextAlign;
    target.PenPos = p.State.PenPos;
    const TBitmap& bitmap = p.Bitmap ? *p.Bitmap : empty;
    const TRect& r = p.Rect;
    switch (p.Kind) {
      case TPrimitiveKind::pkMoveTo: target.MoveTo(p.Points[0].x, p.Points[0].y); break;
      case TPrimitiveKind::pkLineTo: target.LineTo(p.Points[1].x, p.Points[1].y); break;
      case TPrimitiveKind::pkPolyline: target.Polyline(p.Points); break;
      case TPrimitiveKind::pkPolygon: target.Polygon(p.Points); break;
      case TPrimitiveKind::pkRectangle: target.Rectangle(r.Left, r.Top, r.Right, r.Bottom); break;
      case TPrimitiveKind::pkFillRect: target.FillRect(r); break;
      case TPrimitiveKind::pkFrameRect: target.FrameRect(r); break;
      case TPrimitiveKind::pkEllipse: target.Ellipse(r.Left, r.Top, r.Right, r.Bottom); break;
      case TPrimitiveKind::pkArc:
        target.Arc(r.Left, r.Top, r.Right, r.Bottom, p.Points[0].x, p.Points[0].y, p.Points[1].x, p.Points[1].y);
        break;
      case TPrimitiveKind::pkSetPixel: target.SetPixel(p.Points[0].x, p.Points[0].y, p.Color); break;
      case TPrimitiveKind::pkTextOut: target.TextOut(p.Points[0].x, p.Points[0].y, p.Text); break;
      case TPrimitiveKind::pkDraw: target.Draw(p.Points[0].x, p.Points[0].y, bitmap); break;
      case TPrimitiveKind::pkStretchDraw: target.StretchDraw(r, bitmap); break;
      case TPrimitiveKind::pkCopyRect: target.CopyRect(r, bitmap, p.SourceRect); break;
    }
  }
}

}  // namespace mivo
