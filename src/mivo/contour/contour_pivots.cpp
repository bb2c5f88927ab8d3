// The pivot grid of TContourPlot: sizing, the calculation through
// OnEstimateZVal, the pre-calculation rule and the mask accessors.
#include <algorithm>
#include <cmath>
#include <string>

#include "mivo/contour/contour_plot.h"
#include "mivo/platform/errors.h"
#include "mivo/platform/host.h"

namespace mivo {

void TContourPlot::RebuildGrid(std::int32_t nx, std::int32_t ny) {
  nx = std::max(nx, 2);
  ny = std::max(ny, 2);
  if (std::int64_t(nx) * ny > kMaxPivots)
    RaiseMivoError("Contour plot: a grid of " + std::to_string(nx) + " x " + std::to_string(ny) +
                   " pivots is too large (at most " + std::to_string(kMaxPivots) + " pivots)");
  // Sized in full before anything is committed: a failure keeps the old grid.
  TMatrix pivots(nx, ny);
  TByteMatrix mask(nx, ny);
  FPivotMat.Assign(pivots);
  FMaskMat.Assign(mask);
  FNumPivotX = nx;
  FNumPivotY = ny;
  ++FGridGeneration;
  InvalidateDataBmp();
}

void TContourPlot::SetNumPivotsX(std::int32_t n) {
  RebuildGrid(n, FNumPivotY);
  Redraw();
}

void TContourPlot::SetNumPivotsY(std::int32_t n) {
  RebuildGrid(FNumPivotX, n);
  Redraw();
}

std::int32_t TContourPlot::PivotResolution() const { return 5 * std::max(FNumPivotX, FNumPivotY); }

void TContourPlot::SetPivotResolution(std::int32_t r) {
  const std::int64_t w = std::int64_t(Width()) - MarginLeft() - MarginRight();
  const std::int64_t h = std::int64_t(Height()) - MarginTop() - MarginBottom();
  std::int32_t nx = 2, ny = 2;
  PivotCountsForResolution(r, std::int32_t(std::clamp<std::int64_t>(w, 0, 1 << 30)),
                           std::int32_t(std::clamp<std::int64_t>(h, 0, 1 << 30)), nx, ny);
  RebuildGrid(nx, ny);
  Redraw();
}

void TContourPlot::ResizePivotMatrix(std::int32_t nx, std::int32_t ny) {
  RebuildGrid(std::clamp(nx, 10, 5000) / 5, std::clamp(ny, 10, 5000) / 5);
  Paint();
}

void TContourPlot::CalculatePivotPoints(bool preCalcFlag) {
  if (FCalculating) return;
  FCalcAborted = false;
  if (!preCalcFlag && FPivotPreCalc) {
    // The values calculated ahead serve this one rebuild.
    FPivotPreCalc = false;
    return;
  }
  FCalculating = true;
  const std::uint64_t generation = FGridGeneration;
  const std::int32_t nx = FNumPivotX, ny = FNumPivotY;
  const double xl = ScalePropsX(1).RangeLow(), xh = ScalePropsX(1).RangeHigh();
  const double yl = ScalePropsY(1).RangeLow(), yh = ScalePropsY(1).RangeHigh();
  const bool ask = OnEstimateZVal && FEnabled;
  const std::int32_t step = std::max(nx / 100, 1);
  double hi = -uc_MaxDouble, lo = uc_MaxDouble;
  bool any = false;
  FPivotMat.BeginUpdate();
  FMaskMat.BeginUpdate();
  try {
    for (std::int32_t a = 1; a <= nx && !FCalcAborted; ++a) {
      if (a % step == 0) {
        FeedbackProgress(RoundToInt(a * 100.0 / nx));
        Host().ProcessMessages();
        // A handler rebuilt the grid: these columns no longer fit it.
        if (FGridGeneration != generation) {
          FCalcAborted = true;
          break;
        }
      }
      const double x = PivotPosition(xl, xh, a, nx);
      for (std::int32_t b = 1; b <= ny; ++b) {
        double z = 0;
        std::uint8_t mask = FMaskMat.Elem(a, b);
        if (ask) OnEstimateZVal(*this, x, PivotPosition(yl, yh, b, ny), a, b, z, mask);
        if (FGridGeneration != generation) {
          FCalcAborted = true;
          break;
        }
        FPivotMat.SetElem(a, b, z);
        FMaskMat.SetElem(a, b, mask);
        if (std::isfinite(z)) {
          any = true;
          hi = std::max(hi, z);
          lo = std::min(lo, z);
        }
      }
    }
  } catch (...) {
    FCalculating = false;
    FPivotMat.EndUpdate();
    FMaskMat.EndUpdate();
    throw;
  }
  FCalculating = false;
  FPivotMat.EndUpdate();
  FMaskMat.EndUpdate();
  // No value with data: both extremes 0.
  FMaximum = any ? hi : 0;
  FMinimum = any ? lo : 0;
  FPivotPreCalc = preCalcFlag && !FCalcAborted;
  // Values calculated ahead are the next picture's.
  if (preCalcFlag) InvalidateDataBmp();
}

void TContourPlot::ClearPivotPoints(bool preCalcFlag) {
  if (preCalcFlag || !FPivotPreCalc) FPivotMat.Fill(0);
  FPivotPreCalc = preCalcFlag;
}

void TContourPlot::SetMaskVal(std::int32_t ix, std::int32_t iy, std::uint8_t v) {
  if (ix < 1 || ix > FNumPivotX || iy < 1 || iy > FNumPivotY) return;
  FMaskMat.SetElem(ix, iy, v);
  InvalidateDataBmp();
}

void TContourPlot::FillMask(std::uint8_t v) {
  FMaskMat.Fill(v);
  InvalidateDataBmp();
}

}  // namespace mivo
