#pragma once
// Colours between Mivo and Qt. TColor is $00BBGGRR (red in the low byte) where
// QRgb is 0xAARRGGBB, so a colour must never be passed from one to the other
// as a plain integer: convert it here.

#include <QColor>

#include "mivo/platform/export.h"
#include "mivo/platform/mivo_types.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

// An opaque QColor; system colours are resolved through the active colour table.
QColor ToQColor(TColor c);
// The colour's red, green and blue; alpha is dropped (Mivo's colours are opaque).
// An invalid QColor gives black.
TColor FromQColor(const QColor& c);

}  // namespace mivo
MIVO_PUBLIC_END
