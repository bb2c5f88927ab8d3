#pragma once
// What the components' print operations share: the print scale, a print job
// around one drawing, and a picture stretched onto the printer's page.

#include <cstdint>
#include <functional>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/export.h"
#include "mivo/platform/host.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

// The print scale as the components take it: NaN and infinities print at 1,
// other values are held to 0.01 ... 100.
double ClampPrintScale(double scaleF);

// Printer pixels per screen pixel (96 per inch) at the print scale `scaleF`,
// which is clamped as above.
double PrinterPixelScale(const TPrinter& printer, double scaleF);

// Runs `draw` with the position (0, 0) as a print job of its own: the job is
// ended when `draw` returns and aborted when it raises, and the error goes on.
void PrintAsJob(TPrinter& printer, const std::function<void(std::int32_t& x, std::int32_t& y)>& draw);

// Stretches `bmp` by `f` onto the printer's page with its top-left corner at
// (x, y); x and y move to its bottom-right corner (held to 32 bits).
void StretchOntoPrinter(TPrinter& printer, const TBitmap& bmp, double f, std::int32_t& x, std::int32_t& y);

// Sizes `bmp` for a picture of `size` screen pixels drawn `f` times larger at
// the resolution `dpi` (text on its canvas takes its point size there) and
// clears it to white, as a printer's page starts.
void PrepareScaledBitmap(TBitmap& bmp, TSize size, double f, double dpi);

}  // namespace mivo
MIVO_PUBLIC_END
