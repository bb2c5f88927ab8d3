#include "mivo/base/frames.h"

#include <algorithm>
#include <utility>

namespace mivo {

namespace {

// Restores pen and brush when the drawing is done.
class TPenBrushSaver {
 public:
  explicit TPenBrushSaver(TCanvas& c) : FCanvas(c), FPen(c.Pen), FBrush(c.Brush), FPenPos(c.PenPos) {}
  ~TPenBrushSaver() {
    FCanvas.Pen = FPen;
    FCanvas.Brush = FBrush;
    FCanvas.PenPos = FPenPos;
  }
  TPenBrushSaver(const TPenBrushSaver&) = delete;
  TPenBrushSaver& operator=(const TPenBrushSaver&) = delete;

 private:
  TCanvas& FCanvas;
  TPen FPen;
  TBrush FBrush;
  TPoint FPenPos;
};

// Inclusive horizontal and vertical runs of pixels in one colour.
void HLine(TCanvas& c, std::int64_t x1, std::int64_t x2, std::int64_t y, TColor color) {
  if (x2 < x1) return;
  c.Pen.Color = color;
  c.MoveTo(std::int32_t(x1), std::int32_t(y));
  c.LineTo(std::int32_t(std::min<std::int64_t>(x2 + 1, INT32_MAX)), std::int32_t(y));
  if (x2 == INT32_MAX) c.SetPixel(std::int32_t(x2), std::int32_t(y), color);
}

void VLine(TCanvas& c, std::int64_t x, std::int64_t y1, std::int64_t y2, TColor color) {
  if (y2 < y1) return;
  c.Pen.Color = color;
  c.MoveTo(std::int32_t(x), std::int32_t(y1));
  c.LineTo(std::int32_t(x), std::int32_t(std::min<std::int64_t>(y2 + 1, INT32_MAX)));
  if (y2 == INT32_MAX) c.SetPixel(std::int32_t(x), std::int32_t(y2), color);
}

// One ring: top and left edges in `topLeft` (without the top-right and
// bottom-left corners), bottom and right edges in `bottomRight`.
void Ring(TCanvas& c, std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b, TColor topLeft,
          TColor bottomRight) {
  if (r < l || b < t) return;
  HLine(c, l, r - 1, t, topLeft);
  VLine(c, l, t, b - 1, topLeft);
  HLine(c, l, r, b, bottomRight);
  VLine(c, r, t, b, bottomRight);
}

}  // namespace

void DrawFrame(TCanvas& canvas, TFrameStyle style, std::int32_t left, std::int32_t top, std::int32_t right,
               std::int32_t bottom, TColor highlight, TColor light, TColor shadow, TColor dark, TColor plainFrame) {
  if (style == TFrameStyle::fsNone) return;
  std::int64_t l = left, t = top, r = right, b = bottom;
  if (r < l) std::swap(l, r);
  if (b < t) std::swap(t, b);
  TPenBrushSaver saver(canvas);
  canvas.Pen.Width = 1;
  canvas.Pen.Style = TPenStyle::psSolid;
  canvas.Pen.Mode = TPenMode::pmCopy;
  const bool inner = r - l >= 2 && b - t >= 2;
  switch (style) {
    case TFrameStyle::fsNone:
      break;
    case TFrameStyle::fsSimple:
      Ring(canvas, l, t, r, b, plainFrame, plainFrame);
      break;
    case TFrameStyle::fsLowered:
      Ring(canvas, l, t, r, b, shadow, highlight);
      if (inner) Ring(canvas, l + 1, t + 1, r - 1, b - 1, dark, light);
      break;
    case TFrameStyle::fsRaised:
      Ring(canvas, l, t, r, b, light, dark);
      if (inner) Ring(canvas, l + 1, t + 1, r - 1, b - 1, highlight, shadow);
      break;
    case TFrameStyle::fsEmbossed:
      Ring(canvas, l, t, r, b, highlight, shadow);
      if (inner) Ring(canvas, l + 1, t + 1, r - 1, b - 1, shadow, highlight);
      break;
    case TFrameStyle::fsEngraved:
      Ring(canvas, l, t, r, b, shadow, highlight);
      if (inner) Ring(canvas, l + 1, t + 1, r - 1, b - 1, highlight, shadow);
      break;
  }
}

void SetCanvasFontSizeScaled(TCanvas& canvas, std::int32_t points) {
  canvas.Font.PixelsPerInch = canvas.PixelsPerInch() > 0 ? canvas.PixelsPerInch() : 96;
  canvas.Font.Size = std::max(points, 1);
}

}  // namespace mivo
