#include "mivo/platform/pixel_stamp.h"

#include <algorithm>

#include "mivo/platform/colors.h"
#include "mivo/platform/pixel_fill_internal.h"
#include "mivo/platform/raster_canvas.h"

namespace mivo {

namespace {

// Stand-ins for the pen and brush while recording, and the untouched
// background: three values no primitive mixes in copy mode.
constexpr TColor kPenMark = 0x0000FF, kBrushMark = 0x00FF00, kUntouched = 0x000000;

}  // namespace

bool TPixelStamp::Applies(const TCanvas& canvas) {
  return dynamic_cast<const TRasterCanvas*>(&canvas) != nullptr && canvas.Pen.Mode == TPenMode::pmCopy &&
         canvas.Pen.Style == TPenStyle::psSolid && !AntialiasedNow(canvas.Antialiased);
}

void TPixelStamp::Record(const TCanvas& like, std::int32_t reach, const TDraw& draw) {
  FRuns.clear();
  FPixels.clear();
  FValid = false;
  FReach = std::clamp(reach, 0, 255);
  const std::int32_t side = 2 * FReach + 1;
  FScratch.SetSize(side, side);
  FScratch.Clear(kUntouched);
  TCanvas& c = FScratch.Canvas();
  c.Pen = like.Pen;
  c.Pen.Color = kPenMark;
  c.Brush = like.Brush;
  c.Brush.Color = kBrushMark;
  c.Antialiased = false;
  draw(c, FReach, FReach);
  const TRGB32 pen = ToRGB32(ColorToRGB(like.Pen.Color)), brush = ToRGB32(ColorToRGB(like.Brush.Color));
  for (std::int32_t y = 0; y < side; ++y) {
    const TRGB32* row = FScratch.ScanLine(y);
    for (std::int32_t x = 0; x < side;) {
      if (FromRGB32(row[x]) == kUntouched) {
        ++x;
        continue;
      }
      // The box's edge must stay clear: what reaches it may reach beyond.
      if (y == 0 || y == side - 1 || x == 0) return;
      // A run of touched pixels, pen and brush alike, copied as one.
      std::int32_t e = x;
      const std::int32_t offset = std::int32_t(FPixels.size());
      for (; e < side && FromRGB32(row[e]) != kUntouched; ++e) {
        const TColor u = FromRGB32(row[e]);
        if (u != kPenMark && u != kBrushMark) return;
        FPixels.push_back(u == kPenMark ? pen : brush);
      }
      if (e == side) return;
      FRuns.push_back({y - FReach, x - FReach, e - x, offset});
      x = e;
    }
  }
  FValid = true;
}

bool TPixelStamp::Put(TBitmap& target, std::int32_t x, std::int32_t y) const {
  if (!FValid) return false;
  const std::int64_t r = FReach;
  if (x - r < 0 || y - r < 0 || x + r >= target.Width() || y + r >= target.Height()) return false;
  TRGB32* const centre = target.ScanLine(y) + x;
  const std::ptrdiff_t stride = target.Width();
  const TRGB32* const pixels = FPixels.data();
  for (const TRun& run : FRuns)
    detail::CopyPixels(centre + run.Dy * stride + run.Dx, pixels + run.Offset, std::size_t(run.Length));
  return true;
}

}  // namespace mivo
