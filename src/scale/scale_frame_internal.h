#pragma once
// The border of an opaque scale. Stands in for the base package's frame
// drawing until that is available to this module; same arguments: style, the
// corners (inclusive) and the five colours highlight, light, shadow, dark and
// plain frame.

#include "base/enums.h"
#include "platform/canvas.h"

namespace mivo::detail {

void DrawScaleFrame(TCanvas& canvas, TFrameStyle style, std::int32_t left, std::int32_t top, std::int32_t right,
                    std::int32_t bottom, TColor highlight, TColor light, TColor shadow, TColor dark, TColor plain);

}  // namespace mivo::detail
