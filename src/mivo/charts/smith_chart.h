#pragma once
// TSmithChart: a 2D chart whose world plane is the plane of the complex
// reflection coefficient G (x its real, y its imaginary part). The data area
// shows the Smith grid - the filled unit circle, circles of constant
// normalised resistance, arcs of constant normalised reactance and their
// labels - under the ordinary display list, which the host fills in
// reflection coordinates. Only layer 1 is used, x and y stay isometric and
// the scales are hidden.
//
// Files: smith_math.cpp (conversions, tables, labels; no canvas),
// smith_grid.cpp (the grid drawn by InitGraf), smith_chart.cpp (the class),
// smith_props.cpp (published properties).

#include <cstdint>
#include <string>

#include "mivo/charts/smith_math.h"
#include "mivo/platform/export.h"
#include "mivo/rchart/rchart.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

inline constexpr TColor kSmithGridColorLight = 0xDBDBDB;
inline constexpr TColor kSmithGridColorDark = 0xA7A7A7;
inline constexpr TColor kSmithDiagramColor = 0xF8E8E8;
// The layer 1 range of a new chart in both axes (before the isometric correction of y).
inline constexpr double kSmithDefaultRange = 1.2;

class TSmithChart : public TCustomRChart {
 public:
  explicit TSmithChart(TComponent* owner = nullptr);
  std::string ClassName() const override { return "TSmithChart"; }

  // The chart's assignment; from another Smith chart also the three grid
  // colours, then the chart paints.
  void Assign(const TPersistent& source) override;

  // The Smith grid over the chart's background, into the rectangle of the
  // data area (left, top, width, height) on `canvas` (smith_grid.cpp).
  void InitGraf(TCanvas& canvas, std::int32_t left, std::int32_t top, std::int32_t width,
                std::int32_t height) override;

  // ---- Conversions (see smith_math.h for the limits and bad input) -------
  double CalcReflectionReal(double resistance, double reactance) const {
    return SmithReflectionReal(resistance, reactance);
  }
  double CalcReflectionImag(double resistance, double reactance) const {
    return SmithReflectionImag(resistance, reactance);
  }
  double CalcResistance(double reflReal, double reflImag) const { return SmithResistance(reflReal, reflImag); }
  double CalcReactance(double reflReal, double reflImag) const { return SmithReactance(reflReal, reflImag); }

  // ---- Grid colours: a changed value repaints ------------------------------
  TColor GridColorLight() const { return FGridColLight; }
  void SetGridColorLight(TColor c);
  TColor GridColorDark() const { return FGridColDark; }
  void SetGridColorDark(TColor c);
  TColor DiagramColor() const { return FDiagramColor; }
  void SetDiagramColor(TColor c);

  // ---- Ranges of layer 1 ---------------------------------------------------
  double RangeXLow() const { return ScalePropsX(1).RangeLow(); }
  double RangeXHigh() const { return ScalePropsX(1).RangeHigh(); }
  double RangeYLow() const { return ScalePropsY(1).RangeLow(); }
  double RangeYHigh() const { return ScalePropsY(1).RangeHigh(); }
  // Sets one x bound, switches Isometric on again (the y range is re-derived
  // around its centre and the zoom history records the result) and paints.
  // Non-finite values are ignored (the chart still paints).
  void SetRangeXLow(double v);
  void SetRangeXHigh(double v);
  // Sets the lower y bound; Isometric stays on with the height it asks for,
  // so the bound read back is the one given. Non-finite values are ignored.
  void SetRangeYLow(double v);
  // Keeps the half-spans of layer 1 and puts G = 0 in the middle.
  void CenterChart();

  // ---- Layer 1 forwarders ----------------------------------------------------
  void M2R(std::int32_t xin, std::int32_t yin, double& reflReal, double& reflImag) const {
    TCustomRChart::M2R(1, xin, yin, reflReal, reflImag);
  }
  void R2M(double reflReal, double reflImag, std::int32_t& xout, std::int32_t& yout) const {
    TCustomRChart::R2M(1, reflReal, reflImag, xout, yout);
  }
  void SetRange(double xLo, double yLo, double xHi, double yHi) { TCustomRChart::SetRange(1, xLo, yLo, xHi, yHi); }
  void AutoRange(double margin) { TCustomRChart::AutoRange(1, margin); }
  void AutoRange(double margin, double minRange) { TCustomRChart::AutoRange(1, margin, minRange); }
  void FindMinMax(double rangeLoX, double rangeLoY, double rangeHiX, double rangeHiY, double& minX, double& minY,
                  double& maxX, double& maxY) const {
    TCustomRChart::FindMinMax(1, rangeLoX, rangeLoY, rangeHiX, rangeHiY, minX, minY, maxX, maxY);
  }

  // ---- Crosshair 1 -------------------------------------------------------------
  using TCustomRChart::CrossHair;
  using TCustomRChart::CrossHairPosX;
  using TCustomRChart::CrossHairPosY;
  using TCustomRChart::CrossHairSetPos;
  using TCustomRChart::CrossHairSetup;
  using TCustomRChart::SetCrossHair;
  using TCustomRChart::SetCrossHairPosX;
  using TCustomRChart::SetCrossHairPosY;
  TCrossHair& CrossHair() { return TCustomRChart::CrossHair(1); }
  const TCrossHair& CrossHair() const { return TCustomRChart::CrossHair(1); }
  // Copies the settings of `ch` into crosshair 1 and redraws.
  void SetCrossHair(const TCrossHair& ch) { TCustomRChart::SetCrossHair(1, ch); }
  double CrossHairPosX() const { return GetCHPosX(1); }
  double CrossHairPosY() const { return GetCHPosY(1); }
  void SetCrossHairPosX(double v) { SetCHPosX(1, v); }
  void SetCrossHairPosY(double v) { SetCHPosY(1, v); }
  void CrossHairSetPos(double x, double y) { TCustomRChart::CrossHairSetPos(1, x, y); }
  void CrossHairSetup(TColor chColor, TCrossHMode mode, TPenStyle lineType, std::int32_t lineWidth) {
    TCustomRChart::CrossHairSetup(1, chColor, mode, lineType, lineWidth);
  }

  // Black and white also for the grid: black and grey circles on white.
  void BackupColorsAndMakeBW() override;
  void ReloadBackupColors() override;

  // Registers the published properties and places the class on the "Mivo"
  // palette page (once; the constructor calls it).
  static void RegisterProperties();

 protected:
  void AssignTo(TPersistent& dest) const override;
  // The window exists: painting is enabled (without a paint).
  void CreateWnd() override;
  // The data area without the mouse trace: background and grid, then the items.
  void PaintDataArea(TBitmap& grafBmp) override;

 private:
  void StoreColorAndPaint(TColor& field, TColor c);
  // Isometric on again from the current ranges, then one paint.
  void ReapplyIsometry();

  TColor FGridColLight = kSmithGridColorLight;
  TColor FColBakLight = 0, FColBakDark = 0, FColBakDiagram = 0;
  TColor FGridColDark = kSmithGridColorDark;
  TColor FDiagramColor = kSmithDiagramColor;
};

}  // namespace mivo
MIVO_PUBLIC_END
