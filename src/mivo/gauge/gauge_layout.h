#pragma once
// The geometry of a gauge picture as plain data, free of drawing: value
// limiting, the moving dial's range, margin limits, the dial's base line, and
// the boxes that the background, the index and the cover fill. Rendering
// (gauge_render.cpp) fills the boxes in the order they come.
//
// Pixel arithmetic runs in 64 bits and every box is clipped to the picture, so
// an index pixel anywhere in the 32-bit range, a huge control or margins wider
// than the control give bounded work and no overflow.

#include <cstdint>
#include <vector>

#include "mivo/platform/export.h"
#include "mivo/platform/mivo_types.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

enum class TGaugeOrientation : std::uint8_t { goHorizontal, goVertical };
enum class TGaugeBackground : std::uint8_t { gbPlain, gbVertGrad, gbHorizGrad, gbVertMidBand, gbHorizMidBand };
enum class TGaugeIndexMode : std::uint8_t {
  gimThread,
  gimTriangle,
  gimThreadTriangle,
  gimThreadTwoTriangles,
  gimBand,
  gimDualColorBand,
  gimBar,
};

// Rows (horizontal gauge) or columns (vertical gauge) between the dial's base
// line and the lower (right) cover, where the index is drawn.
inline constexpr std::int32_t kGaugeIndexRoom = 10;
// The narrowest window the margin setters leave between two opposite margins.
inline constexpr std::int32_t kGaugeMinWindow = 20;

// The control, its cover margins and the picture the boxes are clipped to.
struct TGaugeFrame {
  std::int32_t Width = 0, Height = 0;
  std::int32_t MarginLeft = 0, MarginRight = 0, MarginTop = 0, MarginBottom = 0;
  std::int32_t ClipWidth = 0, ClipHeight = 0;  // the picture's size (at most the control's)
  // Window extents w and h (negative when the margins overlap).
  std::int64_t WindowWidth() const { return std::int64_t(Width) - MarginLeft - MarginRight; }
  std::int64_t WindowHeight() const { return std::int64_t(Height) - MarginTop - MarginBottom; }
};

// A filled box, corners inclusive: columns X1 ... X2, rows Y1 ... Y2.
struct TGaugeBox {
  std::int32_t X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  TColor Color = 0;
  friend bool operator==(const TGaugeBox&, const TGaugeBox&) = default;
};
using TGaugeBoxes = std::vector<TGaugeBox>;

// `value` limited to the range between `min` and `max`, whichever is smaller
// being the lower limit.
double LimitGaugeValue(double value, double min, double max);

// A margin limited so that the window between it and the opposite margin
// stays kGaugeMinWindow wide (at most size - opposite - 20), and not below 0.
std::int32_t LimitGaugeMargin(std::int32_t margin, std::int32_t size, std::int32_t opposite);

// The range of a moving dial, centred on `value`: logarithmic value / r ...
// value * r with r = sqrt(max / min), linear value -+ |max - min| / 2. False
// (lo and hi untouched) when that range has a non-finite end.
bool MovingDialRange(double value, double min, double max, bool logarithmic, double& lo, double& hi);

// The dial's base line: row Height - MarginBottom - 11 of a horizontal gauge,
// column Width - MarginRight - 11 of a vertical one.
std::int64_t GaugeBaseLine(const TGaugeFrame& f, TGaugeOrientation o);
// The middle of the window, where a moving dial's index stands: MarginLeft +
// w / 2 (horizontal) or MarginTop + h / 2 (vertical), halves truncated.
std::int64_t GaugeWindowMiddle(const TGaugeFrame& f, TGaugeOrientation o);

// Background boxes: gbPlain fills the picture with c1; the gradients draw one
// full line per pixel of the window from c1 (fraction 0) to c2 (fraction 1);
// the mid bands run from c1 at both sides to c2 in the middle. A window of
// zero or negative extent along the gradient gets no gradient.
void GaugeBackgroundBoxes(TGaugeBackground kind, const TGaugeFrame& f, TColor c1, TColor c2, TGaugeBoxes& out);

struct TGaugeIndexInput {
  TGaugeIndexMode Mode = TGaugeIndexMode::gimTriangle;
  TGaugeOrientation Orientation = TGaugeOrientation::goHorizontal;
  std::int32_t P = 0;  // pixel of the value (or the window middle with a moving dial)
  std::int32_t Z = 0;  // pixel of GaugeZero (dual-colour band)
  bool AtOrAboveZero = true;  // Value >= GaugeZero
  TColor Color1 = 0, Color2 = 0;
};
// The boxes of the index, in drawing order.
void GaugeIndexBoxes(const TGaugeIndexInput& in, const TGaugeFrame& f, TGaugeBoxes& out);

// The four cover strips over the margins: left, right, top, bottom.
void GaugeCoverBoxes(const TGaugeFrame& f, TColor color, TGaugeBoxes& out);

// Whether (x, y) lies within the dial's margins: dialLeft <= x <= dialWidth -
// dialRight and dialTop <= y <= height - dialBottom.
bool PointInGaugeDial(std::int32_t x, std::int32_t y, std::int32_t dialLeft, std::int32_t dialRight,
                      std::int32_t dialTop, std::int32_t dialBottom, std::int32_t width, std::int32_t height);

}  // namespace mivo
MIVO_PUBLIC_END
