#pragma once
// TRasterCanvas: the canvas that paints into a TBitmap. The hot path of the
// library: clipping happens once per primitive in 64-bit (and, where products
// need it, 128-bit) arithmetic, filling works on spans of contiguous 32-bit
// rows, and nothing is allocated per primitive after the first use.
//
// The exact pixel rules, beyond those of TCanvas:
//   - thin lines are Bresenham lines: along the major axis (x when |dx| =
//     |dy|) pixel i sits floor((2*i*|dminor| + n) / (2*n)) minor steps from
//     the start, n = max(|dx|, |dy|); clipping keeps exactly these pixels;
//   - a pen wider than 1 covers the pixels whose centre lies within width/2 of
//     a segment (even widths: of the segment through the pixel corner up-left
//     of the given points, so a horizontal line covers exactly `width` rows);
//   - Polygon fills the pixels whose centre (x + 1/2, y + 1/2) is inside by the
//     even-odd rule; the outline is the closed polyline drawn over it;
//   - Ellipse fills the midpoint ellipse of the pixel box [x1, x2-1] x
//     [y1, y2-1] (see raster_arc.cpp); a thin outline is the filled pixels
//     with a 4-neighbour outside; Arc draws the outline pixels whose
//     direction from the centre lies in the counter-clockwise sweep;
//   - dash patterns run along lines and polylines from the first point, and
//     along ellipse outlines counter-clockwise from the east point (for arcs
//     from the start radial); parts outside the surface of an ellipse do not
//     advance its pattern;
//   - in XOR, NOT and NOT-XOR pen modes each pixel of a primitive changes at
//     most once (the pen wins over the brush where both touch a pixel).
//
// Antialiased (see raster_aa.cpp) strokes and fills the same geometry with
// coverage: thin lines run between pixel centres (width 1, flat ends), wide
// ones along the spines above with round ends and joins, polygons fill the
// area whose pixel-centre test the exact mode makes, ellipses and arcs follow
// the outline pixels' centres. Dash patterns run along the path in pixels.

#include <memory>

#include "mivo/platform/canvas.h"
#include "mivo/platform/export.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

class TBitmap;

namespace detail {
struct TRasterScratch;
struct TPixelOp;
struct TResolvedPen;
struct TAaContext;
struct TAaContextDelete {
  void operator()(TAaContext* c) const;
};
}  // namespace detail

class TRasterCanvas : public TCanvas {
 public:
  explicit TRasterCanvas(TBitmap& target);
  ~TRasterCanvas() override;

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
  TColor Pixel(std::int32_t x, std::int32_t y) const override;
  void SetPixel(std::int32_t x, std::int32_t y, TColor c) override;
  void TextOut(std::int32_t x, std::int32_t y, std::string_view text) override;
  void Draw(std::int32_t x, std::int32_t y, const TBitmap& src) override;
  void StretchDraw(const TRect& dest, const TBitmap& src) override;
  void CopyRect(const TRect& dest, const TBitmap& src, const TRect& srcRect) override;
  TSize SurfaceSize() const override;

  // Device settings; a printer canvas (see host.h) reports its own.
  std::int32_t PixelsPerInch() const override { return FPixelsPerInch; }
  void SetPixelsPerInch(std::int32_t ppi) { FPixelsPerInch = ppi > 0 ? ppi : 96; }
  bool IsPrinter() const override { return FIsPrinter; }
  void SetIsPrinter(bool b) { FIsPrinter = b; }

  TBitmap& Target() { return FTarget; }

 private:
  // The pen as it draws now (style resolved against width and brush).
  detail::TResolvedPen ResolvedPen() const;
  // Pen and brush operations of the current pen mode (system colours resolved).
  detail::TPixelOp PenOp() const;
  detail::TPixelOp BrushOp() const;
  // Antialiased drawing of the primitives; false when the primitive is left
  // to the exact rasteriser (antialiasing off, a pen mode that does not blend,
  // geometry too far out for the blending stage).
  bool AaPath(std::span<const TPoint> points, bool closed, bool fill);
  bool AaEllipse(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b, const TPoint* radials);
  // Copies with the current CopyMode, nearest-neighbour when sizes differ.
  void Blit(const TRect& dest, const TBitmap& src, const TRect& srcRect);
  // Blit without scaling or mirroring: whole rows copied or combined.
  void BlitUnscaled(std::int32_t cl, std::int32_t ct, std::int32_t cr, std::int32_t cb, const TRGB32* srcData,
                    std::int32_t srcWidth, std::int32_t srcHeight, std::int64_t shiftX, std::int64_t shiftY);

  TBitmap& FTarget;
  std::int32_t FPixelsPerInch = 96;
  bool FIsPrinter = false;
  // Scratch storage reused across primitives (edge lists, spans, XOR masks).
  std::unique_ptr<detail::TRasterScratch> FScratch;
  // The blending stage of antialiased drawing, made on first use.
  std::unique_ptr<detail::TAaContext, detail::TAaContextDelete> FAa;
};

}  // namespace mivo
MIVO_PUBLIC_END
