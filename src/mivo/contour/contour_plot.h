#pragma once
// TContourPlot: a 2D chart that shows a scalar field z(x, y) as iso-level
// dots or as a colour-coded surface, with a byte mask that colours or inverts
// parts of the plane.
//
// The field is sampled on a regular grid of pivots spanning the primary x and
// y ranges; each value is asked of the host through OnEstimateZVal
// (contour_pivots.cpp). The data area's picture is rendered from the pivots
// into a cached image (contour_render.cpp) that is rebuilt only when it has
// been invalidated or when the mapping, the data area or its colours changed
// since it was built; zooming, panning and resizing therefore resample the
// field whatever the host does with OnZoomPan and OnResize. Every paint draws
// the cached image, then the text labels, OnDataRendered and the frame over
// it: labels are not part of the image, so moving or editing one repaints
// without asking the host for the pivots again.
//
// Values without data (NaN, +-Inf from the host) are kept in the grid but
// left out of MaxPivot / MinPivot, and the cells and blocks that touch them
// are not painted (the chart colour shows through).
//
// Names: the chart's ScaleX / ScaleY are its internal scales, so the primary
// scales' settings are Scale1X / Scale1Y here as in every chart; the control's
// Enabled stays the platform's (mouse input), and whether the host is asked
// for values is EstimateEnabled.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "mivo/base/color_array.h"
#include "mivo/base/enums.h"
#include "mivo/base/matrix.h"
#include "mivo/colorscale/colorscale.h"
#include "mivo/contour/contour_levels.h"
#include "mivo/platform/export.h"
#include "mivo/rchart/rchart.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

enum class TContourPlotMode : std::uint8_t { cpmDots, cpmMonoDots, cpmColorSurface, cpmColorSurfNoIp };

// Asks the host for the value at pivot (pivx, pivy), which lies at world (x, y).
// z comes in as 0 and mask as the pivot's current mask byte.
using TEstimateZValEvent = std::function<void(TObject& sender, double x, double y, std::int32_t pivx,
                                              std::int32_t pivy, double& z, std::uint8_t& mask)>;

// Rows of a 32-bit bitmap for the cell writers: pixel (x, y) is
// Base[y * Stride + x] for 0 <= x < Width, 0 <= y < Height (Stride may be
// negative for bottom-up rows).
struct TPixelRows {
  TRGB32* Base = nullptr;
  std::ptrdiff_t Stride = 0;
  std::int32_t Width = 0, Height = 0;
};

namespace detail {
// The pixel ends of a cell along one axis and of its at most five sub-cells
// (contour_render.cpp).
struct TCellSpan {
  std::int32_t A = 0, B = 0, N = 1;
  std::array<std::int32_t, 5> Lo{}, Hi{};
};
}  // namespace detail

// The number of entries of the default IsoColors ramp (blue, cyan, green,
// yellow, red, spread evenly).
inline constexpr std::int32_t kDefaultIsoColors = 64;

class TContourPlot : public TCustomRChart {
 public:
  explicit TContourPlot(TComponent* owner = nullptr);
  ~TContourPlot() override;
  std::string ClassName() const override { return "TContourPlot"; }

  // Every setting to its default (painting left to the caller): the chart's
  // reset, then pivots from the control size, levels -1, 1, 0.1, ranges
  // -5.2 ... 5.2, point grid, the mask palette and the IsoColors ramp.
  void ResetComp() override;
  // From another contour plot: plot mode, pivots and mask, grid size, levels,
  // extremes and both events; the copied pivots are shown at the next rebuild
  // without asking the host. Then the chart's assignment and a repaint.
  void Assign(const TPersistent& source) override;
  void SetSuppressPaint(bool on) override;
  void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) override;

  // ---- Settings (contour_plot.cpp) ------------------------------------------
  TContourPlotMode PlotMode() const { return FPlotMode; }
  void SetPlotMode(TContourPlotMode m);
  // The colour range and the levels. Non-finite values are ignored. Raising
  // IsoLow to or above IsoHigh moves IsoHigh to IsoLow + 1; lowering IsoHigh
  // to or below IsoLow moves IsoLow to IsoHigh - 1.
  double IsoLow() const { return FIsoLow; }
  void SetIsoLow(double v);
  double IsoHigh() const { return FIsoHigh; }
  void SetIsoHigh(double v);
  // The level spacing. Stored as given; a spacing that is not positive (or
  // not finite) draws no levels, the surface modes are unaffected.
  double IsoDist() const { return FIsoDist; }
  void SetIsoDist(double v);
  void SetIsoParams(double iLow, double iHigh, double iDist);
  // Number of levels a dot picture draws (see IsoLevelCount).
  std::int32_t NumIsoLevels() const { return IsoLevelCount(FIsoLow, FIsoHigh, FIsoDist); }
  // Whether OnEstimateZVal is asked for values (otherwise every pivot is 0).
  bool EstimateEnabled() const { return FEnabled; }
  void SetEstimateEnabled(bool b);
  // The colour bar that shows IsoColors over IsoLow ... IsoHigh (not owned; it
  // must outlive the attachment). Attaching copies the colours at once.
  TColorScale* AttachedColorScale() const { return FExtColScale; }
  void SetAttachedColorScale(TColorScale* cs);
  // Copies IsoColors and the range IsoLow ... IsoHigh into the attached colour bar.
  void IsoColorsChanged();
  void ChangedIsoColorsEvent();
  // Invalidates the cached image and repaints.
  void DrawPlot();
  // Marks the cached image for a rebuild (which asks for the pivots again).
  void InvalidateDataBmp();
  bool InvalidDataBmp() const { return FInvalidDataBmp; }
  void FeedbackProgress(std::int32_t percent);

  // ---- Pivot grid (contour_pivots.cpp) --------------------------------------
  std::int32_t NumPivotsX() const { return FNumPivotX; }
  std::int32_t NumPivotsY() const { return FNumPivotY; }
  // Raised to at least 2. A grid of more than kMaxPivots pivots raises
  // EMivoError and keeps the old grid. A new grid is all 0 with mask 0.
  void SetNumPivotsX(std::int32_t n);
  void SetNumPivotsY(std::int32_t n);
  // 5 * max(NumPivotsX, NumPivotsY); setting it sizes the grid to the data
  // area's aspect (PivotCountsForResolution).
  std::int32_t PivotResolution() const;
  void SetPivotResolution(std::int32_t r);
  // Each argument clamped to 10 ... 5000, then NumPivotsX = nx div 5 and
  // NumPivotsY = ny div 5 in one rebuild.
  void ResizePivotMatrix(std::int32_t nx, std::int32_t ny);
  // Asks the host for every pivot (with progress 0 ... 100 and message
  // processing once per step of columns). With preCalcFlag the values serve
  // the next rebuild, which then does not ask again; the rebuild after that
  // does. A call while a calculation runs (from a handler) does nothing.
  void CalculatePivotPoints(bool preCalcFlag);
  void ClearPivotPoints(bool preCalcFlag);
  double PercentilePivots(double prob) const { return FPivotMat.Percentile(prob); }
  double MaxPivot() const { return FMaximum; }
  double MinPivot() const { return FMinimum; }
  // Element access; 0 outside the grid, writes outside ignored. Mask writes
  // invalidate the image without repainting.
  std::uint8_t GetMaskVal(std::int32_t ix, std::int32_t iy) const { return FMaskMat.Elem(ix, iy); }
  void SetMaskVal(std::int32_t ix, std::int32_t iy, std::uint8_t v);
  std::uint8_t Mask(std::int32_t ix, std::int32_t iy) const { return GetMaskVal(ix, iy); }
  void SetMask(std::int32_t ix, std::int32_t iy, std::uint8_t v) { SetMaskVal(ix, iy, v); }
  void FillMask(std::uint8_t v);
  double GetPivotVal(std::int32_t ix, std::int32_t iy) const { return FPivotMat.Elem(ix, iy); }
  double PivotMat(std::int32_t ix, std::int32_t iy) const { return GetPivotVal(ix, iy); }
  const TMatrix& PivotMatrix() const { return FPivotMat; }
  const TByteMatrix& MaskMatrix() const { return FMaskMat; }

  // ---- Rendering (contour_render.cpp) ---------------------------------------
  // The cached image (rebuilt when needed) drawn with its top-left corner at
  // (offsetX, offsetY), then the text labels, OnDataRendered and the frame.
  // On a vector or printer canvas the image goes over as one bitmap.
  void ConstructDataBmpCanvas(TCanvas& canvas, std::int32_t offsetX, std::int32_t offsetY, bool mono,
                              std::int32_t startItem) override;
  // Cell pass and mask pass from the current pivots into the bitmap; a chart
  // pixel (X, Y) lands on (X - MarginLeft + dx, Y - MarginTop + dy).
  void RenderFromPivotPoints(TBitmap& bmp, std::int32_t dx, std::int32_t dy);
  // The text labels onto the canvas (the chart's label drawing).
  void RenderLabels(TCanvas& canvas, std::int32_t dx, std::int32_t dy);
  // One grid cell: iso-level dots along nx vertical and ny + 1 horizontal
  // sample lines (IsoQuadSL), or the interpolated colour surface in at most
  // nx x ny sub-cells (IsoColQuadSL); into bitmap rows or through a canvas.
  void IsoQuadSL(const TPixelRows& rows, std::int32_t dx, std::int32_t dy, double zLL, double zLR, double zUL,
                 double zUR, double x0, double y0, double cdx, double cdy, std::int32_t nx, std::int32_t ny);
  void IsoColQuadSL(const TPixelRows& rows, std::int32_t dx, std::int32_t dy, double zLL, double zLR, double zUL,
                    double zUR, double x0, double y0, double cdx, double cdy, std::int32_t nx, std::int32_t ny);
  void IsoQuad(TCanvas& canvas, std::int32_t dx, std::int32_t dy, double zLL, double zLR, double zUL, double zUR,
               double x0, double y0, double cdx, double cdy, std::int32_t nx, std::int32_t ny);
  void IsoColQuad(TCanvas& canvas, std::int32_t dx, std::int32_t dy, double zLL, double zLR, double zUL,
                  double zUR, double x0, double y0, double cdx, double cdy, std::int32_t nx, std::int32_t ny);
  // The cached data image as the last rebuild left it.
  const TBitmap& DataImage() const { return FDataImage; }

  // ---- Forwarders to the primary scale pair ---------------------------------
  using TCustomRChart::CrossHairSetPos;
  using TCustomRChart::M2R;
  using TCustomRChart::R2M;
  using TCustomRChart::SetRange;
  void M2R(std::int32_t xin, std::int32_t yin, double& xout, double& yout) const { M2R(1, xin, yin, xout, yout); }
  void R2M(double xin, double yin, std::int32_t& xout, std::int32_t& yout) const { R2M(1, xin, yin, xout, yout); }
  void SetRange(double xLo, double yLo, double xHi, double yHi);
  void CrossHairSetPos(double x, double y) { CrossHairSetPos(1, x, y); }

  // ---- Export and print: the image is rebuilt (pivots asked again) first ----
  void PrintIt(double scaleF, bool blkWhite);
  void CopyToBMP(const std::string& fName, bool blkWhite);
  void CopyToBitmap(TBitmap& bmp, bool blkWhite) { CopyToBitmap(bmp, blkWhite, true); }
  void CopyToBitmap(TBitmap& bmp, bool blkWhite, bool includeCrossHairs);
  void CopyToBitmapDAOnly(TBitmap& bmp, bool blkWhite) { CopyToBitmapDAOnly(bmp, blkWhite, true); }
  void CopyToBitmapDAOnly(TBitmap& bmp, bool blkWhite, bool includeCrossHairs);
  void CopyToClipboard(bool blkWhite) { CopyToClipboard(blkWhite, true); }
  void CopyToClipboard(bool blkWhite, bool includeCrossHairs);
  void CopyToClipboardDAOnly(bool blkWhite) { CopyToClipboardDAOnly(blkWhite, true); }
  void CopyToClipboardDAOnly(bool blkWhite, bool includeCrossHairs);
  void CopyToClipboardWMF(bool blkWhite);
  void CopyToClipBoardWMF(bool blkWhite) { CopyToClipboardWMF(blkWhite); }
  void CopyToWMF(const std::string& fName, bool blkWhite);

  // Registers the published properties and the palette entry (once; the
  // constructor calls it).
  static void RegisterProperties();

  // Colours of the values (entries 1 ... N; see ValueColorIndex). Empty: one
  // colour, black. Default: a ramp of kDefaultIsoColors entries.
  TColorArray IsoColors;
  // Colours of mask values 1 ... 254 (255 entries; 255 inverts instead).
  TColorArray MaskPalette;

  TEstimateZValEvent OnEstimateZVal;
  TOnPercentDoneEvent OnProgress;

 protected:
  // Another contour plot given this one: its Assign.
  void AssignTo(TPersistent& dest) const override;
  void CreateWnd() override;
  // The cached image copied into the data bitmap, then labels, the hook, the
  // frame and the mouse trace.
  void PaintDataArea(TBitmap& grafBmp) override;
  void DataAreaChanged() override;

 private:
  // What the cached image was built for: the mapping, the data area and the
  // colours drawn under the surface.
  struct TImageKey {
    double XL = 0, XH = 0, YL = 0, YH = 0;
    long double Kx = 0, Dx = 0, Ky = 0, Dy = 0;
    bool LogX = false, LogY = false;
    std::int32_t Width = -1, Height = -1;
    TColor ChartColor = 0, FrameColor = 0;
    bool operator==(const TImageKey&) const = default;
  };
  TImageKey CurrentImageKey() const;
  // Builds the cached image when it is invalid or its key changed.
  void EnsureDataImage();
  void RebuildGrid(std::int32_t nx, std::int32_t ny);
  void Changed();  // invalidate and repaint
  void BackgroundChanged(TObject& sender);
  // The mask pass (contour_render.cpp).
  void RenderMask(TBitmap& bmp, std::int32_t dx, std::int32_t dy);
  // Colour lookup tables of one rebuild.
  void PrepareColors();

  TContourPlotMode FPlotMode = TContourPlotMode::cpmColorSurface;
  TMatrix FPivotMat;
  TByteMatrix FMaskMat;
  std::int32_t FNumPivotX = 2, FNumPivotY = 2;
  double FIsoLow = -1, FIsoHigh = 1, FIsoDist = 0.1;
  double FMaximum = 0, FMinimum = 0;
  bool FEnabled = true;
  bool FPivotPreCalc = false;
  bool FInvalidDataBmp = true;
  TColorScale* FExtColScale = nullptr;

  TBitmap FDataImage;
  TImageKey FImageKey;
  // Re-entry through the host's message processing during a calculation.
  bool FCalculating = false;
  bool FCalcAborted = false;
  std::uint64_t FGridGeneration = 0;
  std::uint64_t FInvalidations = 0;
  // Scratch of the renderer, kept between rebuilds.
  std::vector<TColor> FValueLut, FLevelLut;
  std::vector<std::uint32_t> FKeepBits, FColorBits, FInvertBits;
  std::vector<std::int32_t> FPivotEntries;
  std::vector<detail::TCellSpan> FRowSpans;
};

}  // namespace mivo
MIVO_PUBLIC_END
