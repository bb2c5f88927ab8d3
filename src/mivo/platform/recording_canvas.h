#pragma once
// TRecordingCanvas: a canvas that paints nothing and remembers every primitive
// together with the complete state it was drawn with. Component tests assert
// on the recording ("a tick line from (x, y) to (x, y2) in pen colour C"),
// Replay redraws it on another canvas, and the SVG writer turns it into a
// vector document.
//
// Text is measured with the real fonts, so layouts computed on a recording
// canvas match those on a raster canvas. Pixel reads give 0.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/export.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

enum class TPrimitiveKind : std::uint8_t {
  pkMoveTo,
  pkLineTo,
  pkPolyline,
  pkPolygon,
  pkRectangle,
  pkFillRect,
  pkFrameRect,
  pkEllipse,
  pkArc,
  pkSetPixel,
  pkTextOut,
  pkDraw,
  pkStretchDraw,
  pkCopyRect,
};

// "LineTo", "Polygon", ... for messages.
const char* PrimitiveKindName(TPrimitiveKind kind);

// The canvas state in force when a primitive was drawn.
struct TCanvasState {
  TPen Pen;
  TBrush Brush;
  TFont Font;
  TCopyMode CopyMode = TCopyMode::cmSrcCopy;
  TTextAlign TextAlign;
  TPoint PenPos;  // before the primitive
  friend bool operator==(const TCanvasState&, const TCanvasState&) = default;
};

// One recorded call. Which fields carry the arguments depends on the kind:
//   MoveTo            Points = {to}
//   LineTo            Points = {from (the pen position), to}
//   Polyline, Polygon Points = the points as given
//   Rectangle, Ellipse Rect = (x1, y1, x2, y2) as given (not normalised)
//   FillRect, FrameRect Rect
//   Arc               Rect = (x1, y1, x2, y2), Points = {(x3, y3), (x4, y4)}
//   SetPixel          Points = {p}, Color
//   TextOut           Points = {p}, Text
//   Draw              Points = {p}, Bitmap = copy of the source
//   StretchDraw       Rect = destination, Bitmap = copy of the source
//   CopyRect          Rect = destination, Bitmap = copy of the part of the
//                     source that SourceRect covers, SourceRect = the source
//                     rectangle relative to that copy (it may reach beyond it
//                     exactly as it reached beyond the source)
struct TPrimitive {
  TPrimitiveKind Kind = TPrimitiveKind::pkMoveTo;
  std::vector<TPoint> Points;
  TRect Rect;
  TRect SourceRect;
  std::string Text;
  TColor Color = 0;
  std::shared_ptr<const TBitmap> Bitmap;
  TCanvasState State;
};

// A straight segment drawn with the pen (from LineTo or one leg of a Polyline).
struct TRecordedLine {
  TPoint From;
  TPoint To;
  TPen Pen;
  std::size_t Index = 0;  // of the primitive in the recording
};

// A TextOut call.
struct TRecordedText {
  TPoint Pos;
  std::string Text;
  TFont Font;
  TTextAlign Align;
  TBrush Brush;
  std::size_t Index = 0;
};

class TRecordingCanvas : public TCanvas {
 public:
  TRecordingCanvas() = default;
  explicit TRecordingCanvas(TSize surface) : FSurface(surface) {}

  void MoveTo(std::int32_t x, std::int32_t y) override;
  void LineTo(std::int32_t x, std::int32_t y) override;
  void Polyline(std::span<const TPoint> points) override;
  void Polygon(std::span<const TPoint> points) override;
  void Rectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) override;
  using TCanvas::Rectangle;
  void FillRect(const TRect& r) override;
  void FrameRect(const TRect& r) override;
  void Ellipse(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) override;
  void Arc(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::int32_t x3, std::int32_t y3,
           std::int32_t x4, std::int32_t y4) override;
  TColor Pixel(std::int32_t, std::int32_t) const override { return 0; }
  void SetPixel(std::int32_t x, std::int32_t y, TColor c) override;
  void TextOut(std::int32_t x, std::int32_t y, std::string_view text) override;
  void Draw(std::int32_t x, std::int32_t y, const TBitmap& src) override;
  void StretchDraw(const TRect& dest, const TBitmap& src) override;
  void CopyRect(const TRect& dest, const TBitmap& src, const TRect& srcRect) override;

  // 0 x 0 (unbounded) unless set.
  TSize SurfaceSize() const override { return FSurface; }
  void SetSurfaceSize(TSize size) { FSurface = size; }
  std::int32_t PixelsPerInch() const override { return FPixelsPerInch; }
  void SetPixelsPerInch(std::int32_t ppi) { FPixelsPerInch = ppi > 0 ? ppi : 96; }
  bool IsPrinter() const override { return FIsPrinter; }
  void SetIsPrinter(bool b) { FIsPrinter = b; }

  // The recording.
  const std::vector<TPrimitive>& Primitives() const { return FPrimitives; }
  std::size_t Size() const { return FPrimitives.size(); }
  void Clear() { FPrimitives.clear(); }

  // Queries for tests.
  std::vector<const TPrimitive*> OfKind(TPrimitiveKind kind) const;
  std::size_t Count(TPrimitiveKind kind) const;
  // Every pen segment of LineTo and Polyline calls in drawing order (Polygon
  // outlines are not included).
  std::vector<TRecordedLine> Lines() const;
  // Whether a segment from `from` to `to` (in that direction) was drawn, with
  // pen colour `color` when given.
  bool HasLine(TPoint from, TPoint to, std::optional<TColor> color = std::nullopt) const;
  std::vector<TRecordedText> Texts() const;
  // The first TextOut of exactly this text, if any.
  std::optional<TRecordedText> FindText(std::string_view text) const;
  // A readable listing, one primitive per line, for failure messages.
  std::string Dump() const;

  // Draws the recording on another canvas: each primitive with its recorded
  // state. The target keeps the state of the last primitive afterwards.
  void Replay(TCanvas& target) const;

 private:
  TPrimitive& Add(TPrimitiveKind kind);

  std::vector<TPrimitive> FPrimitives;
  TSize FSurface;
  std::int32_t FPixelsPerInch = 96;
  bool FIsPrinter = false;
};

// One line of TRecordingCanvas::Dump.
std::string DescribePrimitive(const TPrimitive& p);

}  // namespace mivo
MIVO_PUBLIC_END
