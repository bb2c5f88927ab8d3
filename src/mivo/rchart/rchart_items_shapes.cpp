// The item renderer's shapes and texts: rectangles, ellipses, arcs, 3D bars,
// arrows, rectangle frames and text items. Every routine takes canvas pixels
// that are already clamped and does its own arithmetic in 64 bits.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <string_view>

#include "mivo/platform/colors.h"
#include "mivo/rchart/rchart_items_painter_internal.h"

namespace mivo::detail {

namespace {

// Font sizes of text items are limited to this many points.
constexpr std::int32_t kMaxTextPoints = 500;
// Distance of the radial points of arcs from the centre.
constexpr double kArcRadial = 100000000.0;

TPoint Pt(std::int64_t x, std::int64_t y) { return {Sat32(x), Sat32(y)}; }

// The two corners sorted: left <= right, top <= bottom.
struct TBox {
  std::int64_t Left, Top, Right, Bottom;
};
TBox Sorted(TPoint a, TPoint b) {
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

// Pen and brush of a shape that honours Transp; when both points meet, the
// one pixel is set in V and true is given.
bool StartTranspShape(TItemPainter& p, const TrcChartItem& it, TPoint a, TPoint b, TItemInk ink) {
  p.SetPen(ink.V, it.PenStyle);
  p.SetBrushColor(ink.F);
  p.SetBrushStyle(it.Transp ? TBrushStyle::bsClear : TBrushStyle::bsSolid);
  if (a != b) return false;
  p.Canvas().SetPixel(a.x, a.y, ink.V);
  return true;
}

}  // namespace

void DrawSegment(TCanvas& canvas, TPoint a, TPoint b, TColor v) {
  if (a == b) {
    canvas.SetPixel(a.x, a.y, v);
    return;
  }
  canvas.MoveTo(a.x, a.y);
  canvas.LineTo(b.x, b.y);
}

void DrawRectItem(TItemPainter& p, const TrcChartItem& it, TPoint a, TPoint b, TItemInk ink, bool ellipse) {
  TCanvas& canvas = p.Canvas();
  if (StartTranspShape(p, it, a, b, ink)) return;
  // Both corner pixels covered.
  const TBox r = Sorted(a, b);
  const TPoint lt = Pt(r.Left, r.Top), rb = Pt(r.Right + 1, r.Bottom + 1);
  if (ellipse)
    canvas.Ellipse(lt.x, lt.y, rb.x, rb.y);
  else
    canvas.Rectangle(lt.x, lt.y, rb.x, rb.y);
}

void DrawArcItem(TItemPainter& p, const TrcChartItem& it, TPoint a, TPoint b, TColor v) {
  TCanvas& canvas = p.Canvas();
  p.SetPen(v, it.PenStyle);
  if (a == b) {
    canvas.SetPixel(a.x, a.y, v);
    return;
  }
  const TBox r = Sorted(a, b);
  const std::int64_t right = r.Right + 1, bottom = r.Bottom + 1;
  const std::int64_t cx = (r.Left + right) / 2, cy = (r.Top + bottom) / 2;
  // Angles count counter-clockwise from the positive x axis, as in the world
  // (y up): the radial of angle a points to (cos a, -sin a) on the screen.
  auto radial = [&](std::int32_t stored) {
    const double ang = double(stored) / kArcAngleFactor;
    return Pt(cx + RoundToInt(std::cos(ang) * kArcRadial), cy - RoundToInt(std::sin(ang) * kArcRadial));
  };
  const TPoint s = radial(it.SizeOrAngle), e = radial(it.DepthOrAngle);
  const TPoint lt = Pt(r.Left, r.Top), rb = Pt(right, bottom);
  canvas.Arc(lt.x, lt.y, rb.x, rb.y, s.x, s.y, e.x, e.y);
}

void DrawBar3DItem(TItemPainter& p, const TrcChartItem& it, TPoint a, TPoint b, TItemInk ink) {
  TCanvas& canvas = p.Canvas();
  p.SetPen(ink.V, it.PenStyle);
  p.SetBrushColor(ink.F);
  // Bars have no transparency of their own: always filled.
  p.SetBrushStyle(TBrushStyle::bsSolid);
  TBox r = Sorted(a, b);
  const double alpha = double(std::clamp(it.SizeOrAngle, 0, 180)) * std::numbers::pi / 180.0;
  const std::int64_t t = it.DepthOrAngle;
  const std::int64_t dx = RoundToInt(std::cos(alpha) * double(t)), dy = -std::int64_t(RoundToInt(std::sin(alpha) * double(t)));
  if (it.SizeOrAngle > 90) std::swap(r.Left, r.Right);
  const TPoint top[4] = {Pt(r.Left, r.Top), Pt(r.Left + dx, r.Top + dy), Pt(r.Right + dx, r.Top + dy),
                         Pt(r.Right, r.Top)};
  canvas.Polygon(top);
  const TPoint side[4] = {Pt(r.Right + dx, r.Top + dy), Pt(r.Right, r.Top), Pt(r.Right, r.Bottom),
                          Pt(r.Right + dx, r.Bottom + dy)};
  canvas.Polygon(side);
  const TPoint lt = Pt(std::min(r.Left, r.Right), r.Top), rb = Pt(std::max(r.Left, r.Right) + 1, r.Bottom + 1);
  canvas.Rectangle(lt.x, lt.y, rb.x, rb.y);
}

void DrawArrowItem(TItemPainter& p, const TrcChartItem& it, TPoint tail, TPoint tip, TItemInk ink) {
  TCanvas& canvas = p.Canvas();
  if (StartTranspShape(p, it, tail, tip, ink)) return;
  canvas.MoveTo(tail.x, tail.y);
  canvas.LineTo(tip.x, tip.y);
  const std::int32_t h = it.SizeOrAngle;
  if (h < 1) return;
  const double ddx = double(std::int64_t(tip.x) - tail.x), ddy = double(std::int64_t(tip.y) - tail.y);
  constexpr double pi = std::numbers::pi;
  double phi;
  if (ddx == 0)
    phi = ddy < 0 ? 2 * pi : pi;
  else
    phi = std::atan(ddy / ddx) + (ddx > 0 ? pi / 2 : 3 * pi / 2);
  constexpr double beta = pi / 9;
  auto barb = [&](double ang) {
    return Pt(std::int64_t(tip.x) - RoundToInt(std::sin(ang) * h), std::int64_t(tip.y) + RoundToInt(std::cos(ang) * h));
  };
  const TPoint b1 = barb(phi + beta), b2 = barb(phi - beta);
  if (it.Transp) {
    canvas.MoveTo(tip.x, tip.y);
    canvas.LineTo(b1.x, b1.y);
    canvas.MoveTo(tip.x, tip.y);
    canvas.LineTo(b2.x, b2.y);
  } else {
    const TPoint head[3] = {tip, b1, b2};
    canvas.Polygon(head);
  }
}

void DrawRectFrameItem(TItemPainter& p, const TrcChartItem& it, TPoint a, TPoint b, TItemInk ink) {
  TCanvas& canvas = p.Canvas();
  p.SetPen(ink.F, it.PenStyle);
  p.SetBrushColor(ink.F);
  // Frames have no transparency of their own: always filled.
  p.SetBrushStyle(TBrushStyle::bsSolid);
  if (a == b) {
    canvas.SetPixel(a.x, a.y, ink.V);
    return;
  }
  const TBox r = Sorted(a, b);
  const std::int32_t l = Sat32(r.Left), t = Sat32(r.Top), rr = Sat32(r.Right), bt = Sat32(r.Bottom);
  canvas.Rectangle(l, bt, rr, t);
  const TColor s = it.ShadowColor, hl = it.HiLightColor;
  auto lines = [&](TColor c, std::span<const TPoint> pts) {
    p.SetPen(c, it.PenStyle);
    canvas.Polyline(pts);
  };
  const auto style = std::uint8_t(it.FrameStyle);
  if (style == 2 || style == 3) {
    const TPoint upper[3] = {{l, bt}, {l, t}, {rr, t}};
    const TPoint lower[3] = {{rr, t}, {rr, bt}, {l, bt}};
    lines(style == 2 ? s : hl, upper);
    lines(style == 2 ? hl : s, lower);
  } else if (style == 4 || style == 5) {
    const std::int32_t l1 = Sat32(r.Left + 1), t1 = Sat32(r.Top + 1), r1 = Sat32(r.Right - 1),
                       b1 = Sat32(r.Bottom - 1);
    const TPoint inner[5] = {{l1, bt}, {l1, t1}, {rr, t1}, {rr, bt}, {l1, bt}};
    const TPoint outer[5] = {{l, b1}, {l, t}, {r1, t}, {r1, b1}, {l, b1}};
    lines(style == 4 ? s : hl, inner);
    lines(style == 4 ? hl : s, outer);
  }
}

void DrawTextItem(TItemPainter& p, const TrcChartItem& it, TPoint anchor, TColor v, const TItemTextStyle& style) {
  TCanvas& canvas = p.Canvas();
  p.SetFont(v, style.FontStyle, std::clamp(it.SizeOrAngle, 1, kMaxTextPoints));
  p.SetBrushColor(style.BkColor);
  p.SetBrushStyle(style.BkStyle == TTextBkg::tbSolid ? TBrushStyle::bsSolid : TBrushStyle::bsClear);
  char buf[3 * kItemTextMax + 1];
  const std::string_view text(buf, ItemTextToUtf8(it.Text, buf));
  const std::int64_t w = canvas.TextWidth(text), h = canvas.TextHeight(text);
  std::int64_t x = anchor.x;
  if (it.MarkOrAlign == std::uint8_t(TAlignment::taRightJustify))
    x -= w;
  else if (it.MarkOrAlign == std::uint8_t(TAlignment::taCenter))
    x -= w / 2;
  canvas.TextAlign = TTextAlign{};
  canvas.TextOut(Sat32(x), Sat32(std::int64_t(anchor.y) - h / 2), text);
}

}  // namespace mivo::detail
