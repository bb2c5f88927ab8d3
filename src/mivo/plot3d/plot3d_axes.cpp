// TPlot3D axes: the three axes along box edges, with tick lines, tick labels
// and captions placed according to the view. The tick values and label texts
// come from plot3d_projection.h; this file only places and draws them.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "mivo/base/frames.h"
#include "mivo/plot3d/plot3d.h"

namespace mivo {

namespace {

constexpr std::int32_t kAxisFontSize = 8;
constexpr std::int32_t kTickLength = 8;
constexpr std::int32_t kZLabelGap = 3;
constexpr std::int32_t kZCaptionRise = 8;

// a + b, kept inside the projected pixel range (caption distances are not
// bounded, so the sum could leave the 32-bit range).
std::int32_t Shifted(std::int32_t a, std::int64_t b) {
  return std::int32_t(std::clamp<std::int64_t>(std::int64_t(a) + b, -kMaxProjectedPixel, kMaxProjectedPixel));
}

bool Overlaps(const TRect& a, const TRect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

bool OverlapsAny(const std::vector<TRect>& placed, const TRect& r) {
  return std::any_of(placed.begin(), placed.end(), [&](const TRect& p) { return Overlaps(p, r); });
}

TRect TextBox(TCanvas& canvas, const std::string& text, std::int32_t x, std::int32_t y) {
  return TRect{x, y, Shifted(x, canvas.TextWidth(text)), Shifted(y, canvas.TextHeight(text))};
}

}  // namespace

void TPlot3D::DrawCenteredText(TCanvas& canvas, const std::string& text, std::int32_t x, std::int32_t y) {
  canvas.TextOut(x - canvas.TextWidth(text) / 2, y - canvas.TextHeight(text) / 2, text);
}

void TPlot3D::DrawAxes(TCanvas& canvas, std::int32_t nearCorner) {
  std::vector<TRect> placed;
  FPlacedLabels = &placed;
  struct TReset {
    std::vector<TRect>*& P;
    ~TReset() { P = nullptr; }
  } reset{FPlacedLabels};
  const TProjection proj = Projection();
  auto pixel = [&](std::int32_t i) {
    const TPoint3DDouble& p = FCubeCorners[std::size_t(i)];
    return proj.Project(p.x, p.y, p.z);
  };
  if (FVisibleXax) {
    std::int32_t a = nearCorner ^ 1, b = a ^ 4;
    if (FCubeCorners[std::size_t(a)].x > FCubeCorners[std::size_t(b)].x) std::swap(a, b);
    const TPoint pa = pixel(a), pb = pixel(b);
    DrawAxis(canvas, TP3ScaleKind::p3skX, pa.x, pa.y, pb.x, pb.y, FRangeLowX, FRangeHighX);
  }
  if (FVisibleYax) {
    std::int32_t a = nearCorner ^ 1, b = a ^ 2;
    if (FCubeCorners[std::size_t(a)].y > FCubeCorners[std::size_t(b)].y) std::swap(a, b);
    const TPoint pa = pixel(a), pb = pixel(b);
    DrawAxis(canvas, TP3ScaleKind::p3skY, pa.x, pa.y, pb.x, pb.y, FRangeLowY, FRangeHighY);
  }
  if (FVisibleZax) {
    const std::int32_t a = RightmostCorner(FRotMat), b = a ^ 1;
    const TPoint pa = pixel(a), pb = pixel(b);
    DrawAxis(canvas, TP3ScaleKind::p3skZ, pa.x, pa.y, pb.x, pb.y, FRangeLowZ, FRangeHighZ);
  }
}

void TPlot3D::DrawAxis(TCanvas& canvas, TP3ScaleKind scaleKind, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                       std::int32_t y2, double low, double high) {
  const std::size_t axis = std::size_t(scaleKind);
  const TColor colors[3] = {FColorXAx, FColorYAx, FColorZAx};
  const std::int32_t decPlaces[3] = {FDecPlaceX, FDecPlaceY, FDecPlaceZ};
  SetCanvasFontSizeScaled(canvas, kAxisFontSize);
  canvas.Pen.Color = colors[axis];
  canvas.Font.Color = colors[axis];
  canvas.Brush.Style = TBrushStyle::bsClear;
  const std::int32_t decimals = AxisDecimals(decPlaces[axis], low, high);
  const std::int32_t textHeight = canvas.TextHeight("0");
  const double angleX = FViewAngle[0], angleZ = FViewAngle[2];
  const bool ticksUp = (angleX > 90 && angleX <= 180) || angleX > 270;
  const std::int32_t sgn = angleX > 180 ? -1 : 1;
  const double az = angleZ * std::numbers::pi / 180;
  const double dx = double(x2) - x1, dy = double(y2) - y1;

  for (const TAxisTick& tick : AxisTicks(FNTicks[axis], low, high)) {
    const std::int32_t xt = x1 + RoundToInt(tick.Fraction * dx);
    const std::int32_t yt = y1 + RoundToInt(tick.Fraction * dy);
    canvas.MoveTo(xt, yt);
    std::int32_t ex = xt, ey = yt, offset = 0;
    if (scaleKind == TP3ScaleKind::p3skZ) {
      ex = xt + kTickLength;
      offset = -(textHeight / 2);
    } else if (ticksUp) {
      ey = yt - kTickLength;
      offset = -textHeight;
    } else {
      ey = yt + kTickLength;
    }
    canvas.LineTo(ex, ey);

    std::string label = AxisTickLabel(tick.Value, low, high, decimals);
    if (OnBeforeDrawScaleLabel) OnBeforeDrawScaleLabel(*this, canvas, scaleKind, label, xt, yt);
    const std::int32_t hw = canvas.TextWidth(label) / 2;
    // Labels of the axes meet at the box's corners: one that would cover a
    // label drawn before is left out.
    auto put = [&](std::int32_t x, std::int32_t y) {
      if (FPlacedLabels) {
        const TRect box = TextBox(canvas, label, x, y);
        if (OverlapsAny(*FPlacedLabels, box)) return;
        FPlacedLabels->push_back(box);
      }
      canvas.TextOut(x, y, label);
    };
    switch (scaleKind) {
      case TP3ScaleKind::p3skX: {
        const std::int32_t q = RoundToInt(std::sin(az) * hw);
        if (angleZ <= 90 || angleZ > 270)
          put(ex - hw - q * sgn, ey + offset);
        else
          put(ex - hw + q * sgn, ey + offset);
        break;
      }
      case TP3ScaleKind::p3skY: {
        const std::int32_t q = RoundToInt(std::cos(az) * hw);
        if (angleZ > 180)
          put(ex - hw - q * sgn, ey + offset);
        else
          put(ex - hw + q * sgn, ey + offset);
        break;
      }
      case TP3ScaleKind::p3skZ:
        put(ex + kZLabelGap, ey + offset);
        break;
    }
  }

  // Caption: beside the middle of the axis, away from the box.
  const double len = std::sqrt(dx * dx + dy * dy);
  if (len == 0) return;
  const std::int32_t mx = (x1 + x2) / 2, my = (y1 + y2) / 2;
  if (scaleKind == TP3ScaleKind::p3skZ) {
    // Beside the axis's middle, moved up above any tick label it would cover.
    const std::int32_t cx = Shifted(x1, FLabDistZ);
    std::int32_t cy = my - kZCaptionRise;
    if (FPlacedLabels && !FCaptZ.empty()) {
      for (std::size_t guard = 0; guard <= FPlacedLabels->size(); ++guard) {
        const TRect box = TextBox(canvas, FCaptZ, cx, cy);
        const auto hit = std::find_if(FPlacedLabels->begin(), FPlacedLabels->end(),
                                      [&](const TRect& p) { return Overlaps(p, box); });
        if (hit == FPlacedLabels->end()) break;
        cy = Shifted(hit->Top, -std::int64_t(box.Height()) - 1);
      }
    }
    canvas.TextOut(cx, cy, FCaptZ);
    return;
  }
  const std::int32_t sgn2 = (angleX <= 90 || (angleX > 180 && angleX <= 270)) ? -1 : 1;
  const double v = double(scaleKind == TP3ScaleKind::p3skX ? FLabDistX : FLabDistY) * sgn2;
  const std::int64_t p = RoundToInt(dy * v / len), q = RoundToInt(dx * v / len);
  const bool plus = scaleKind == TP3ScaleKind::p3skX ? (angleZ <= 90 || angleZ > 270) : angleZ > 180;
  const std::int64_t ox = plus ? p : -p, oy = plus ? -q : q;
  const std::string& caption = scaleKind == TP3ScaleKind::p3skX ? FCaptX : FCaptY;
  std::int32_t cx = Shifted(mx, ox), cy = Shifted(my, oy);
  // Moved on outwards, a text height at a time, while it would cover a label.
  if (FPlacedLabels && !caption.empty() && (ox != 0 || oy != 0)) {
    const double step = double(textHeight) / std::sqrt(double(ox) * double(ox) + double(oy) * double(oy));
    for (std::size_t guard = 0; guard <= FPlacedLabels->size(); ++guard) {
      const std::int32_t w = canvas.TextWidth(caption), h = canvas.TextHeight(caption);
      if (!OverlapsAny(*FPlacedLabels, TextBox(canvas, caption, cx - w / 2, cy - h / 2))) break;
      cx = Shifted(cx, RoundToInt(double(ox) * step));
      cy = Shifted(cy, RoundToInt(double(oy) * step));
    }
  }
  DrawCenteredText(canvas, caption, cx, cy);
}

}  // namespace mivo
