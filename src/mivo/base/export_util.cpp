#include "mivo/base/export_util.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/raster_canvas.h"

namespace mivo {

namespace {

constexpr double kScreenPixelsPerInch = 96;
constexpr double kMinPrintScale = 0.01;
constexpr double kMaxPrintScale = 100;

std::int32_t ToInt32(std::int64_t v) {
  return std::int32_t(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

double ClampPrintScale(double scaleF) {
  return std::isfinite(scaleF) ? std::clamp(scaleF, kMinPrintScale, kMaxPrintScale) : 1.0;
}

double PrinterPixelScale(const TPrinter& printer, double scaleF) {
  return ClampPrintScale(scaleF) * printer.PixelsPerInch() / kScreenPixelsPerInch;
}

void PrintAsJob(TPrinter& printer, const std::function<void(std::int32_t& x, std::int32_t& y)>& draw) {
  printer.BeginDoc();
  std::int32_t x = 0, y = 0;
  try {
    draw(x, y);
  } catch (...) {
    printer.Abort();
    throw;
  }
  printer.EndDoc();
}

void StretchOntoPrinter(TPrinter& printer, const TBitmap& bmp, double f, std::int32_t& x, std::int32_t& y) {
  const std::int64_t right = std::int64_t(x) + RoundToInt(bmp.Width() * f);
  const std::int64_t bottom = std::int64_t(y) + RoundToInt(bmp.Height() * f);
  printer.Canvas().StretchDraw(Rect(x, y, ToInt32(right), ToInt32(bottom)), bmp);
  x = ToInt32(right);
  y = ToInt32(bottom);
}

void PrepareScaledBitmap(TBitmap& bmp, TSize size, double f, double dpi) {
  // Rounded as the size check of a picture file rounds (halves away from 0).
  bmp.SetSize(ToInt32(std::llround(std::max(size.cx, 0) * f)), ToInt32(std::llround(std::max(size.cy, 0) * f)));
  bmp.RasterCanvas().SetPixelsPerInch(std::max(1, RoundToInt(dpi)));
  bmp.Clear(clWhite);
}

}  // namespace mivo
