#pragma once
// What the chart's mouse handlers remember between a press, the moves and
// the release: the window, mouse-box, pan and drag-zoom drags, the crosshair
// or label being dragged, the wheel burst and the pointer's last place. A
// chart forgets all of it with `= {}`.

#include <array>
#include <cstddef>
#include <cstdint>

#include "mivo/base/enums.h"
#include "mivo/platform/export.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

struct TMouseDragState {
  static constexpr std::size_t kLayers = 2;

  // Zoom, selection and rubber-band windows: the anchor is where the button
  // went down, the old corner where the figure now ends.
  TZoomState ZoomState = TZoomState::zsIdle;
  std::int32_t WindAnchorX = 0, WindAnchorY = 0, WindOldCornerX = 0, WindOldCornerY = 0;
  // Set while the window figure is on the control's canvas; a line for the
  // rubber band, else a rectangle.
  bool WindFigureShown = false;
  bool WindFigureLine = false;

  // The box of a waiting MouseBox, in control pixels.
  TMouseBoxState MouseBoxState = TMouseBoxState::mbsIdle;
  std::int32_t MouseBoxX1 = 0, MouseBoxY1 = 0, MouseBoxX2 = 0, MouseBoxY2 = 0;
  bool BoxFigureShown = false;

  // Pan, drag zoom, crosshair and label drags are picked up on the first
  // move with the left button down; every step starts from the pointer and
  // the ranges (per layer) taken then.
  bool LButtonWasDown = false;
  std::array<std::int32_t, kLayers> AnchorScrX{}, AnchorScrY{};
  std::array<double, kLayers> AnchorLoX{}, AnchorLoY{}, AnchorHiX{}, AnchorHiY{};
  // The crosshair (1 ... 4) and the text label (1 ... 30) being dragged.
  std::int32_t CrossHairNext = 1, TextLabelNext = 1;

  // A burst of wheel turns keeps one zoom-history entry: the history pointer
  // after its first turn.
  bool WheelBurst = false;
  std::int32_t WheelStackPoi = 0;

  // The pointer: its last control pixel, its last world position inside the
  // data area, and whether the last click was a double click.
  std::int32_t LastMouseX = 0, LastMouseY = 0;
  double MousePosX = 0, MousePosY = 0;
  bool WasDblClk = false;
};

}  // namespace mivo
MIVO_PUBLIC_END
