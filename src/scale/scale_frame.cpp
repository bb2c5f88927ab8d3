#include "scale/scale_frame_internal.h"

namespace mivo::detail {

namespace {

// Top and left edges in one colour, bottom and right in another (which owns
// the bottom-left and top-right corners); `inset` moves the box inwards.
void Bevel(TCanvas& c, std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b, std::int32_t inset,
           TColor topLeft, TColor bottomRight) {
  l += inset;
  t += inset;
  r -= inset;
  b -= inset;
  if (r < l || b < t) return;
  const TColor saved = c.Pen.Color;
  c.Pen.Color = topLeft;
  c.MoveTo(l, b);
  c.LineTo(l, t);
  c.LineTo(r, t);
  c.Pen.Color = bottomRight;
  c.MoveTo(r, t);
  c.LineTo(r, b);
  c.LineTo(l - 1, b);
  c.Pen.Color = saved;
}

}  // namespace

void DrawScaleFrame(TCanvas& canvas, TFrameStyle style, std::int32_t left, std::int32_t top, std::int32_t right,
                    std::int32_t bottom, TColor highlight, TColor light, TColor shadow, TColor dark, TColor plain) {
  switch (style) {
    case TFrameStyle::fsSimple: Bevel(canvas, left, top, right, bottom, 0, plain, plain); break;
    case TFrameStyle::fsLowered: Bevel(canvas, left, top, right, bottom, 0, shadow, highlight); break;
    case TFrameStyle::fsRaised: Bevel(canvas, left, top, right, bottom, 0, highlight, shadow); break;
    case TFrameStyle::fsEmbossed:
      Bevel(canvas, left, top, right, bottom, 0, highlight, dark);
      Bevel(canvas, left, top, right, bottom, 1, light, shadow);
      break;
    case TFrameStyle::fsEngraved:
      Bevel(canvas, left, top, right, bottom, 0, shadow, highlight);
      Bevel(canvas, left, top, right, bottom, 1, dark, light);
      break;
    default: break;
  }
}

}  // namespace mivo::detail
