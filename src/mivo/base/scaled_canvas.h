#pragma once
// Drawing a control's picture at another resolution (a printer's page, an
// export at a chosen dpi) through the same drawing code as on the screen.

#include <algorithm>
#include <cstdint>
#include <span>
#include <limits>
#include <vector>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/export.h"
#include "mivo/platform/fonts.h"
#include "mivo/platform/mivo_types.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

// A canvas that draws a control's pixel coordinates, scaled by `f` and moved
// by (dx, dy), onto another canvas. Text keeps its point size at the target's
// resolution; it is measured there and the sizes handed back in the control's
// pixels, so layouts fit what the target draws.
class TScaledCanvas : public TCanvas {
 public:
  TScaledCanvas(TCanvas& target, double f, std::int32_t dx, std::int32_t dy)
      : FTarget(target), FF(f), FDx(dx), FDy(dy) {}

  void MoveTo(std::int32_t x, std::int32_t y) override { PenPos = {x, y}; }
  void LineTo(std::int32_t x, std::int32_t y) override {
    Sync();
    FTarget.MoveTo(X(PenPos.x), Y(PenPos.y));
    FTarget.LineTo(X(x), Y(y));
    PenPos = {x, y};
  }
  void Polyline(std::span<const TPoint> points) override {
    Sync();
    FTarget.Polyline(Scaled(points));
  }
  void Polygon(std::span<const TPoint> points) override {
    Sync();
    FTarget.Polygon(Scaled(points));
  }
  void Rectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) override {
    Sync();
    FTarget.Rectangle(X(x1), Y(y1), X(x2), Y(y2));
  }
  using TCanvas::Rectangle;
  void FillRect(const TRect& r) override {
    Sync();
    FTarget.FillRect(Scaled(r));
  }
  void FrameRect(const TRect& r) override {
    Sync();
    FTarget.FrameRect(Scaled(r));
  }
  void Ellipse(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) override {
    Sync();
    FTarget.Ellipse(X(x1), Y(y1), X(x2), Y(y2));
  }
  void Arc(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::int32_t x3, std::int32_t y3,
           std::int32_t x4, std::int32_t y4) override {
    Sync();
    FTarget.Arc(X(x1), Y(y1), X(x2), Y(y2), X(x3), Y(y3), X(x4), Y(y4));
  }
  TColor Pixel(std::int32_t x, std::int32_t y) const override { return FTarget.Pixel(X(x), Y(y)); }
  void SetPixel(std::int32_t x, std::int32_t y, TColor c) override {
    // A pixel becomes the block it covers on the target.
    const TBrush keep = FTarget.Brush;
    FTarget.Brush = TBrush{c, TBrushStyle::bsSolid};
    FTarget.FillRect(Rect(X(x), Y(y), std::max(X(x) + 1, X(x + 1)), std::max(Y(y) + 1, Y(y + 1))));
    FTarget.Brush = keep;
  }
  void TextOut(std::int32_t x, std::int32_t y, std::string_view text) override {
    Sync();
    FTarget.TextOut(X(x), Y(y), text);
  }
  std::int32_t TextWidth(std::string_view text) override {
    return RoundToInt(MeasureTextWidth(TargetFont(), text) / FF);
  }
  std::int32_t TextHeight(std::string_view) override { return RoundToInt(GetFontMetrics(TargetFont()).Height / FF); }
  void Draw(std::int32_t x, std::int32_t y, const TBitmap& src) override {
    Sync();
    FTarget.StretchDraw(Scaled(Rect(x, y, Clamp32(std::int64_t(x) + src.Width()), Clamp32(std::int64_t(y) + src.Height()))),
                        src);
  }
  void StretchDraw(const TRect& dest, const TBitmap& src) override {
    Sync();
    FTarget.StretchDraw(Scaled(dest), src);
  }
  void CopyRect(const TRect& dest, const TBitmap& src, const TRect& srcRect) override {
    Sync();
    FTarget.CopyRect(Scaled(dest), src, srcRect);
  }
  std::int32_t PixelsPerInch() const override {
    return std::max(1, RoundToInt(FTarget.PixelsPerInch() / FF));
  }
  std::int32_t AspectX() const override { return FTarget.AspectX(); }
  std::int32_t AspectY() const override { return FTarget.AspectY(); }
  bool IsPrinter() const override { return FTarget.IsPrinter(); }
  TSize SurfaceSize() const override {
    const TSize s = FTarget.SurfaceSize();
    return {std::int32_t(s.cx / FF), std::int32_t(s.cy / FF)};
  }

 private:
  static std::int32_t Clamp32(std::int64_t v) {
    return std::int32_t(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                  std::numeric_limits<std::int32_t>::max()));
  }
  std::int32_t X(std::int32_t x) const { return Clamp32(std::int64_t(RoundToInt(x * FF)) + FDx); }
  std::int32_t Y(std::int32_t y) const { return Clamp32(std::int64_t(RoundToInt(y * FF)) + FDy); }
  TRect Scaled(const TRect& r) const { return Rect(X(r.Left), Y(r.Top), X(r.Right), Y(r.Bottom)); }
  std::span<const TPoint> Scaled(std::span<const TPoint> points) {
    FPoints.resize(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) FPoints[i] = {X(points[i].x), Y(points[i].y)};
    return FPoints;
  }
  TFont TargetFont() const {
    TFont f = Font;
    f.PixelsPerInch = FTarget.PixelsPerInch();
    return f;
  }
  // The state goes over with the widths scaled: styled one-pixel pens stay
  // one pixel wide (wider pens are drawn solid).
  void Sync() {
    FTarget.Pen = Pen;
    if (Pen.Width > 1 || Pen.Style == TPenStyle::psSolid || Pen.Style == TPenStyle::psInsideFrame)
      FTarget.Pen.Width = std::max(1, RoundToInt(std::max(Pen.Width, 1) * FF));
    FTarget.Brush = Brush;
    FTarget.Font = TargetFont();
    FTarget.CopyMode = CopyMode;
    FTarget.TextAlign = TextAlign;
    FTarget.Antialiased = Antialiased;
  }

  TCanvas& FTarget;
  double FF;
  std::int32_t FDx, FDy;
  std::vector<TPoint> FPoints;
};

}  // namespace mivo
MIVO_PUBLIC_END
