// The chart's four crosshairs: access, set-up, drawing, and moving them on the
// screen by recomposing the cached bitmaps.
#include <algorithm>

#include "mivo/platform/colors.h"
#include "mivo/rchart/rchart.h"
#include "mivo/rchart/rchart_internal.h"

namespace mivo {

using detail::Sat32;

namespace {

// Half the arm of the small cross and the sides of its marker squares.
constexpr std::int32_t kCrossArmLow = 13;
constexpr std::int32_t kCrossArmHigh = 14;

bool ValidCrossHair(std::int32_t n) { return n >= 1 && n <= kNumCrossHairs; }

}  // namespace

TCrossHair& TCustomRChart::CrossHair(std::int32_t n) {
  return *FCrossHair[std::size_t(std::clamp(n, 1, kNumCrossHairs) - 1)];
}

const TCrossHair& TCustomRChart::CrossHair(std::int32_t n) const {
  return *FCrossHair[std::size_t(std::clamp(n, 1, kNumCrossHairs) - 1)];
}

void TCustomRChart::SetCrossHair(std::int32_t n, const TCrossHair& ch) {
  TCrossHair& own = CrossHair(n);
  if (&own == &ch) return;
  detail::AssignMuted(own, ch);
  Redraw();
}

double TCustomRChart::GetCHPosX(std::int32_t chnum) const {
  return ValidCrossHair(chnum) ? CrossHair(chnum).PosX() : 0;
}

double TCustomRChart::GetCHPosY(std::int32_t chnum) const {
  return ValidCrossHair(chnum) ? CrossHair(chnum).PosY() : 0;
}

void TCustomRChart::SetCHPosX(std::int32_t chnum, double value) {
  if (!ValidCrossHair(chnum)) return;
  CrossHairSetPos(chnum, value, CrossHair(chnum).PosY());
}

void TCustomRChart::SetCHPosY(std::int32_t chnum, double value) {
  if (!ValidCrossHair(chnum)) return;
  CrossHairSetPos(chnum, CrossHair(chnum).PosX(), value);
}

void TCustomRChart::CrossHairSetPos(std::int32_t chnum, double x, double y) {
  if (!ValidCrossHair(chnum)) return;
  TCrossHair& ch = CrossHair(chnum);
  {
    // Moving a crosshair must not render the items again.
    detail::TMuted muted(ch.OnChange);
    ch.SetPos(x, y);
  }
  if (ch.Mode() != TCrossHMode::chOff) RefreshCrossHairs();
}

void TCustomRChart::CrossHairSetup(std::int32_t chnum, TColor chColor, TCrossHMode mode, TPenStyle lineType,
                                   std::int32_t lineWidth) {
  if (ValidCrossHair(chnum)) {
    TCrossHair& ch = CrossHair(chnum);
    detail::TMuted muted(ch.OnChange);
    ch.SetColor(chColor);
    ch.SetMode(mode);
    ch.SetLineType(lineType);
    ch.SetLineWidth(lineWidth);
  }
  RefreshCrossHairs();
}

bool TCustomRChart::AnyCrossHairOn() const {
  return std::any_of(FCrossHair.begin(), FCrossHair.end(),
                     [](const auto& ch) { return ch->Mode() != TCrossHMode::chOff; });
}

void TCustomRChart::DrawCrossHairs(std::int32_t dx, std::int32_t dy, TBitmap& bmp) {
  if (AnyCrossHairOn()) DrawCrossHairs(dx, dy, bmp.Canvas());
}

void TCustomRChart::DrawCrossHairs(std::int32_t dx, std::int32_t dy, TCanvas& canvas) {
  if (!AnyCrossHairOn()) return;
  const TPen savedPen = canvas.Pen;
  const TBrush savedBrush = canvas.Brush;
  const TPoint savedPos = canvas.PenPos;
  // The data area in control pixels, both ends included.
  const std::int64_t left = RcLRim, top = RcTRim;
  const std::int64_t right = std::int64_t(Width()) - RcRRim - F3DRim;
  const std::int64_t bottom = std::int64_t(Height()) - RcBRim - F3DRim;
  auto sx = [dx](std::int64_t x) { return Sat32(x - dx); };
  auto sy = [dy](std::int64_t y) { return Sat32(y - dy); };
  auto line = [&](std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
    canvas.MoveTo(sx(x1), sy(y1));
    canvas.LineTo(sx(x2), sy(y2));
  };
  auto box = [&](std::int64_t px, std::int64_t py, std::int32_t lo, std::int32_t hi) {
    canvas.Rectangle(sx(px - lo), sy(py - lo), sx(px + hi), sy(py + hi));
  };

  for (std::int32_t i = kNumCrossHairs; i >= 1; --i) {
    const TCrossHair& ch = CrossHair(i);
    const TCrossHMode mode = ch.Mode();
    if (mode == TCrossHMode::chOff) continue;
    std::int32_t px = 0, py = 0;
    R2M(ch.Layer(), ch.PosX(), ch.PosY(), px, py);
    canvas.Pen.Color = ch.Color();
    canvas.Pen.Width = ch.LineWidth();
    canvas.Pen.Style = ch.LineType();
    canvas.Pen.Mode = TPenMode::pmCopy;
    // The gaps of a styled line show the data-area background, whatever an
    // earlier crosshair or the caller left in the brush.
    canvas.Brush.Color = RcChartCol;
    canvas.Brush.Style = TBrushStyle::bsSolid;
    const std::int64_t h = ch.LineWidth() / 2;
    const bool insideY = top + h < py && py < bottom - h;
    const bool insideX = left + h < px && px < right - h;
    switch (mode) {
      case TCrossHMode::chHoriz:
      case TCrossHMode::chVert:
      case TCrossHMode::chBoth:
        if (mode != TCrossHMode::chVert && insideY) line(left + h + 1, py, right - h, py);
        if (mode != TCrossHMode::chHoriz && insideX) line(px, top + h + 1, px, bottom - h);
        break;
      case TCrossHMode::chSmallCross:
        if (!insideX || !insideY) break;
        line(std::int64_t(px) - kCrossArmLow, py, std::int64_t(px) + kCrossArmHigh, py);
        line(px, std::int64_t(py) - kCrossArmLow, px, std::int64_t(py) + kCrossArmHigh);
        canvas.Brush.Style = TBrushStyle::bsClear;
        canvas.Pen.Style = TPenStyle::psSolid;
        canvas.Pen.Color = clWhite;
        box(px, py, 3, 4);
        canvas.Pen.Color = clBlack;
        box(px, py, 2, 3);
        break;
      case TCrossHMode::chMarkSquare:
        if (!insideX || !insideY) break;
        canvas.Brush.Style = TBrushStyle::bsClear;
        box(px, py, 4, 5);
        break;
      default: break;
    }
  }
  canvas.Pen = savedPen;
  canvas.Brush = savedBrush;
  canvas.PenPos = savedPos;
}

std::array<std::int32_t, 7> TCustomRChart::PictureGeometry() const {
  return {Width(), Height(), RcLRim, RcRRim, RcTRim, RcBRim, F3DRim};
}

void TCustomRChart::RefreshCrossHairs() {
  if (!PaintAllowed()) return;
  // Bitmaps built for another size or layout (or never built) cannot be
  // recomposed: the whole picture is made anew.
  if (FPaintedGeometry != PictureGeometry() || FChartBmp.Width() != Width() || FChartBmp.Height() != Height() ||
      FGrafBmp.Width() != DataAreaWidth() || FGrafBmp.Height() != DataAreaHeight()) {
    Paint();
    return;
  }
  ShowComposedPicture();
}

}  // namespace mivo
