#include "mivo/base/marks.h"

#include <array>
#include <cstdlib>

namespace mivo {

namespace {

enum class TShape : std::uint8_t {
  Pixel, Dot, Plus, Cross, Star, Square, Circle, TriUp, TriDown, Diamond, TriLeft, TriRight, VBar, HBar,
  SquareX, CirclePlus, Hexagon, CircleDot, SquareDot,
};

struct TMarkKindRow {
  TShape Shape;
  std::int32_t Half;  // half-size in pixels
  bool Filled;
  const char* Name;
};

constexpr std::int32_t S = kSmallMarkHalfSize;
constexpr std::int32_t L = kLargeMarkHalfSize;

// The table of kinds, in kind order (documented in marks.h).
constexpr std::array<TMarkKindRow, kMaxMarkKind + 1> kMarks{{
    {TShape::Pixel, 0, false, "pixel"},
    {TShape::Dot, 1, false, "dot"},
    {TShape::Plus, 2, false, "plus, small"},
    {TShape::Plus, 4, false, "plus, large"},
    {TShape::Cross, 2, false, "cross, small"},
    {TShape::Cross, 4, false, "cross, large"},
    {TShape::Star, 2, false, "star, small"},
    {TShape::Star, 4, false, "star, large"},
    {TShape::Square, S, false, "square, open, small"},
    {TShape::Square, S, true, "square, filled, small"},
    {TShape::Square, L, false, "square, open, large"},
    {TShape::Square, L, true, "square, filled, large"},
    {TShape::Circle, S, false, "circle, open, small"},
    {TShape::Circle, S, true, "circle, filled, small"},
    {TShape::Circle, L, false, "circle, open, large"},
    {TShape::Circle, L, true, "circle, filled, large"},
    {TShape::TriUp, S, false, "triangle up, open, small"},
    {TShape::TriUp, S, true, "triangle up, filled, small"},
    {TShape::TriUp, L, false, "triangle up, open, large"},
    {TShape::TriUp, L, true, "triangle up, filled, large"},
    {TShape::TriDown, S, false, "triangle down, open, small"},
    {TShape::TriDown, S, true, "triangle down, filled, small"},
    {TShape::TriDown, L, false, "triangle down, open, large"},
    {TShape::TriDown, L, true, "triangle down, filled, large"},
    {TShape::Diamond, S, false, "diamond, open, small"},
    {TShape::Diamond, S, true, "diamond, filled, small"},
    {TShape::Diamond, L, false, "diamond, open, large"},
    {TShape::Diamond, L, true, "diamond, filled, large"},
    {TShape::TriLeft, S, false, "triangle left, open, small"},
    {TShape::TriLeft, S, true, "triangle left, filled, small"},
    {TShape::TriLeft, L, false, "triangle left, open, large"},
    {TShape::TriLeft, L, true, "triangle left, filled, large"},
    {TShape::TriRight, S, false, "triangle right, open, small"},
    {TShape::TriRight, S, true, "triangle right, filled, small"},
    {TShape::TriRight, L, false, "triangle right, open, large"},
    {TShape::TriRight, L, true, "triangle right, filled, large"},
    {TShape::VBar, 3, false, "vertical bar, short"},
    {TShape::VBar, 6, false, "vertical bar, long"},
    {TShape::HBar, 3, false, "horizontal bar, short"},
    {TShape::HBar, 6, false, "horizontal bar, long"},
    {TShape::SquareX, S, false, "square with x, small"},
    {TShape::SquareX, L, false, "square with x, large"},
    {TShape::CirclePlus, S, false, "circle with plus, small"},
    {TShape::CirclePlus, L, false, "circle with plus, large"},
    {TShape::Hexagon, S, false, "hexagon, open, small"},
    {TShape::Hexagon, S, true, "hexagon, filled, small"},
    {TShape::Hexagon, L, false, "hexagon, open, large"},
    {TShape::Hexagon, L, true, "hexagon, filled, large"},
    {TShape::CircleDot, S, false, "circle with dot, small"},
    {TShape::CircleDot, L, false, "circle with dot, large"},
    {TShape::SquareDot, S, false, "square with dot, small"},
    {TShape::SquareDot, L, false, "square with dot, large"},
}};

// Centres farther out than this are off every surface; skipping them keeps
// x +/- size inside the 32-bit range.
constexpr std::int32_t kMaxCentre = 1 << 30;

// Straight segment covering both end pixels (0, 45 or 90 degrees). A thin
// pen's LineTo leaves out the last pixel, so the end is pushed one step on; a
// wide pen already covers both ends with its round caps.
void Seg(TCanvas& c, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  c.MoveTo(x1, y1);
  if (c.Pen.Width > 1) {
    c.LineTo(x2, y2);
    return;
  }
  const std::int32_t sx = x2 > x1 ? 1 : (x2 < x1 ? -1 : 0);
  const std::int32_t sy = y2 > y1 ? 1 : (y2 < y1 ? -1 : 0);
  if (sx == 0 && sy == 0) {
    c.LineTo(x1 + 1, y1);  // one pixel
    return;
  }
  c.LineTo(x2 + sx, y2 + sy);
}

// "+" of half-size h; the vertical arms leave the centre out so that XOR
// drawing does not cancel it.
void Plus(TCanvas& c, std::int32_t x, std::int32_t y, std::int32_t h) {
  Seg(c, x - h, y, x + h, y);
  if (h < 1) return;
  Seg(c, x, y - h, x, y - 1);
  Seg(c, x, y + 1, x, y + h);
}

// "x" of half-size h; `withCentre` false leaves the centre pixel out entirely.
void Cross(TCanvas& c, std::int32_t x, std::int32_t y, std::int32_t h, bool withCentre) {
  if (withCentre)
    Seg(c, x - h, y - h, x + h, y + h);
  else if (h >= 1) {
    Seg(c, x - h, y - h, x - 1, y - 1);
    Seg(c, x + 1, y + 1, x + h, y + h);
  }
  if (h < 1) return;
  Seg(c, x - h, y + h, x - 1, y + 1);
  Seg(c, x + 1, y - 1, x + h, y - h);
}

void Dot(TCanvas& c, std::int32_t x, std::int32_t y) {
  for (std::int32_t dy = -1; dy <= 1; ++dy) Seg(c, x - 1, y + dy, x + 1, y + dy);
}

// Runs `draw` with a clear brush unless the mark is filled.
template <typename F>
void WithBrush(TCanvas& c, bool filled, F draw) {
  if (filled) {
    draw();
    return;
  }
  const TBrushStyle saved = c.Brush.Style;
  c.Brush.Style = TBrushStyle::bsClear;
  draw();
  c.Brush.Style = saved;
}

template <std::size_t N>
void Poly(TCanvas& c, bool filled, const std::array<TPoint, N>& pts) {
  WithBrush(c, filled, [&] { c.Polygon(pts); });
}

}  // namespace

std::int32_t MarkReach(std::uint8_t kind) { return kind <= kMaxMarkKind ? kMarks[kind].Half : 0; }

const char* MarkKindName(std::uint8_t kind) { return kind <= kMaxMarkKind ? kMarks[kind].Name : ""; }

void DrawMarkOnCanvas(TCanvas& canvas, std::uint8_t kind, std::int32_t x, std::int32_t y) {
  if (kind > kMaxMarkKind) return;
  if (x > kMaxCentre || x < -kMaxCentre || y > kMaxCentre || y < -kMaxCentre) return;
  const TMarkKindRow& m = kMarks[kind];
  const std::int32_t r = m.Half;
  const TPoint penPos = canvas.PenPos;
  TCanvas& c = canvas;
  switch (m.Shape) {
    case TShape::Pixel: Seg(c, x, y, x, y); break;
    case TShape::Dot: Dot(c, x, y); break;
    case TShape::Plus: Plus(c, x, y, r); break;
    case TShape::Cross: Cross(c, x, y, r, true); break;
    case TShape::Star:
      Plus(c, x, y, r);
      Cross(c, x, y, r, false);
      break;
    case TShape::Square:
      WithBrush(c, m.Filled, [&] { c.Rectangle(x - r, y - r, x + r + 1, y + r + 1); });
      break;
    case TShape::Circle:
      WithBrush(c, m.Filled, [&] { c.Ellipse(x - r, y - r, x + r + 1, y + r + 1); });
      break;
    case TShape::TriUp: Poly<3>(c, m.Filled, {{{x, y - r}, {x + r, y + r}, {x - r, y + r}}}); break;
    case TShape::TriDown: Poly<3>(c, m.Filled, {{{x, y + r}, {x - r, y - r}, {x + r, y - r}}}); break;
    case TShape::TriLeft: Poly<3>(c, m.Filled, {{{x - r, y}, {x + r, y + r}, {x + r, y - r}}}); break;
    case TShape::TriRight: Poly<3>(c, m.Filled, {{{x + r, y}, {x - r, y - r}, {x - r, y + r}}}); break;
    case TShape::Diamond: Poly<4>(c, m.Filled, {{{x, y - r}, {x + r, y}, {x, y + r}, {x - r, y}}}); break;
    case TShape::Hexagon: {
      const std::int32_t h = r / 2;
      Poly<6>(c, m.Filled,
              {{{x - r, y}, {x - h, y - r}, {x + h, y - r}, {x + r, y}, {x + h, y + r}, {x - h, y + r}}});
      break;
    }
    case TShape::VBar: Seg(c, x, y - r, x, y + r); break;
    case TShape::HBar: Seg(c, x - r, y, x + r, y); break;
    case TShape::SquareX:
      WithBrush(c, false, [&] { c.Rectangle(x - r, y - r, x + r + 1, y + r + 1); });
      Cross(c, x, y, r - 2, true);
      break;
    case TShape::CirclePlus:
      WithBrush(c, false, [&] { c.Ellipse(x - r, y - r, x + r + 1, y + r + 1); });
      Plus(c, x, y, r - 2);
      break;
    case TShape::CircleDot:
    case TShape::SquareDot:
      WithBrush(c, false, [&] {
        if (m.Shape == TShape::CircleDot)
          c.Ellipse(x - r, y - r, x + r + 1, y + r + 1);
        else
          c.Rectangle(x - r, y - r, x + r + 1, y + r + 1);
      });
      if (r >= L)
        Dot(c, x, y);
      else
        Seg(c, x, y, x, y);
      break;
  }
  canvas.PenPos = penPos;
}

}  // namespace mivo
