#pragma once
// TPixelStamp: a small drawing recorded once as the pixels it sets, then put
// down at many places - for marks and other glyphs drawn thousands of times
// with one pen and brush.
//
// On a bitmap drawn in copy mode without antialiasing and with a solid pen,
// every primitive sets each pixel it touches to the pen or the brush colour,
// and which pixels it touches does not depend on where it is drawn (integer
// geometry, no dash pattern carried over). So a drawing recorded around one
// centre sets exactly the same pixels, moved, around any other: putting the
// stamp down is a short copy per run of touched pixels instead of the
// primitives' set-up and clipping.

#include <cstdint>
#include <functional>
#include <vector>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/export.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

class TPixelStamp {
 public:
  using TDraw = std::function<void(TCanvas& canvas, std::int32_t x, std::int32_t y)>;

  // Whether drawings on `canvas`, with its pen, brush and modes as they are
  // now, can be stamped (a raster canvas in the conditions above).
  static bool Applies(const TCanvas& canvas);

  // Records draw(canvas, x, y) as drawn with the pen and brush of `like`,
  // with a box reaching `reach` pixels around the centre. A drawing that
  // reaches the box's edge is not recorded: Put then always refuses.
  void Record(const TCanvas& like, std::int32_t reach, const TDraw& draw);
  // Sets the recorded pixels around (x, y) of `target`; false, with nothing
  // drawn, when the box is not wholly inside the bitmap or nothing usable was
  // recorded (the caller then draws the ordinary way).
  bool Put(TBitmap& target, std::int32_t x, std::int32_t y) const;

 private:
  // Pixels Offset ... Offset + Length - 1 of FPixels go to row Dy, columns
  // Dx ... of the box around the centre.
  struct TRun {
    std::int32_t Dy, Dx, Length, Offset;
  };
  std::vector<TRun> FRuns;
  std::vector<TRGB32> FPixels;
  std::int32_t FReach = 0;
  bool FValid = false;
  TBitmap FScratch;
};

}  // namespace mivo
MIVO_PUBLIC_END
