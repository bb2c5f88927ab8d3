#pragma once
// TPlot3D: a matrix of values drawn as a shaded surface inside an optional
// bounding box, seen from two view angles, with three labelled axes; the mouse
// rotates, zooms and pans the view and reports the cell under the pointer.
//
// The application fills the public matrix GridMat (element [column, row],
// 1-based: column = x, row = y, value = z) and sets ranges, colours and the
// view. Every property setter repaints at once; callers that change many
// things set SuppressPaint first and clear it at the end, which refreshes the
// grid statistics and repaints once.
//
// Stages: the model and its setters (plot3d.cpp); the pure geometry and colour
// rules (plot3d_projection.h); rendering into the off-screen bitmap
// (plot3d_render.cpp, plot3d_axes.cpp); mouse interaction (plot3d_mouse.cpp);
// published properties (plot3d_props.cpp); export and print (plot3d_export.cpp).
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "mivo/base/color_array.h"
#include "mivo/base/enums.h"
#include "mivo/base/matrix.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/controls.h"
#include "mivo/platform/export.h"
#include "mivo/plot3d/plot3d_projection.h"
#include "mivo/plot3d/plot3d_settings.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

// Before each cell is drawn: the handler may change its colour, or draw the
// cell itself and set `handled`.
using TBeforeRenderPolygonEvent = std::function<void(TObject& sender, TCanvas& canvas, bool& handled,
                                                     std::int32_t cellX, std::int32_t cellY, TQuad quad,
                                                     TColor& color)>;
// Before each tick label is drawn; may change the label.
using Tp3BeforeDrawScaleLabelEvent =
    std::function<void(TObject& sender, TCanvas& canvas, TP3ScaleKind scaleType, std::string& currentTickLabel,
                       std::int32_t chartX, std::int32_t chartY)>;
// During every drag step; whatever the handler leaves in the references is
// used for the repaint that follows.
using TMouseActionEvent =
    std::function<void(TObject& sender, std::int32_t& centerX, std::int32_t& centerY, double& rotXAngle,
                       double& rotZAngle, double& magnification, TShiftState shift)>;
// After every mouse move: whether a cell lies under the pointer, and which.
using TMouseMoveOverPlotEvent = std::function<void(TObject& sender, bool overPlot, TShiftState shift,
                                                   std::int32_t mouseCellX, std::int32_t mouseCellY)>;

struct TPoint3DDouble {
  double x = 0, y = 0, z = 0;
};

// The settings (TPlot3DSettings) are a private base: the plot reads them as
// its own fields, Assign copies them as one value.
class TPlot3D : public TCustomControl, private TPlot3DSettings {
 public:
  explicit TPlot3D(TComponent* owner = nullptr);
  ~TPlot3D() override;
  std::string ClassName() const override { return "TPlot3D"; }

  // ---- Data ------------------------------------------------------------------
  TMatrix GridMat;
  TColorArray IsoColors;
  TIntMatrix ProjMapX, ProjMapY, ProjMapZ;

  // Fills GridMat with 0 and repaints.
  void Clear();
  // Centre to the middle, scale factors 1, view angles 66 and 135, magnification 1.
  void Reset();
  // Scale factors from the grid shape and the data spread.
  void AutoScale();
  // All six ranges; an axis whose ends are equal is widened by 0.5 each way.
  void SetRange(double xLow, double xHigh, double yLow, double yHigh, double zLow, double zHigh);
  void SetViewAngles(double vax, double vaz);
  // Element (ix, iy) of the rotation matrix, 1 <= ix, iy <= 3; 0 outside.
  double GetRotMat(std::int32_t ix, std::int32_t iy) const;
  double RotMat(std::int32_t ix, std::int32_t iy) const { return GetRotMat(ix, iy); }
  void CalcRotMatrix();
  void SetCubeCorners();
  void AdjustScaling();
  // Model z of a data value.
  double CalcIntZ(double value) const { return FCalibZk * value + FCalibZd; }
  // Change notification of GridMat: box corners, statistics and node-map sizes.
  void GridMatChanged(TObject& sender);
  void ProcessResize(TObject& sender);
  // Renders the data picture (no background, no frame) onto `cv`.
  void DrawOnForeignCanvas(TCanvas& cv);

  // ---- Rendering (plot3d_render.cpp, plot3d_axes.cpp) --------------------------
  void Paint() override;
  // At a device scale: the picture a file saved at that scale shows.
  void PaintScaled(TBitmap& bmp, double f) override;
  void InitGraf(TCanvas& canvas);
  void ConstructDataBmp(TCanvas& canvas, bool flag = false);
  TColor CalcColorCoding(double value) const;
  void DrawAxis(TCanvas& canvas, TP3ScaleKind scaleKind, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                std::int32_t y2, double low, double high);
  static void DrawCenteredText(TCanvas& canvas, const std::string& text, std::int32_t x, std::int32_t y);
  const TBitmap& GrafBmp() const { return FGrafBmp; }
  // Corners of the bounding box in model units.
  const std::array<TPoint3DDouble, 8>& CubeCorners() const { return FCubeCorners; }
  // Pixel of a model point under the current view.
  TPoint ProjectModel(double x, double y, double z) const;

  // ---- Export and print (plot3d_export.cpp) ------------------------------------
  // The picture as it stands on the control; with `includeFrame` false the
  // frame is left out (drawn in the background colour).
  void CopyToBitmap(TBitmap& bmp, bool includeFrame) const;
  void CopyToClipboard(bool includeFrame);
  void CopyToBMP(const std::string& fName, bool includeFrame);
  void CopyToPNG(const std::string& fName, bool includeFrame);
  // A vector copy through the recording canvas: SVG or PDF by the name's
  // extension (.svg, .pdf); any other raises EMivoError naming the supported
  // ones and writes nothing.
  void CopyToWMF(const std::string& fName, bool includeFrame);
  // The picture as the control shows it (with its frame), in the format the
  // extension names: .png, .bmp, .svg or .pdf; any other raises EMivoError
  // naming the supported ones and writes nothing.
  void SaveToFile(const std::string& fileName);
  // The same at the resolution `dpi`: PNG and BMP are the picture enlarged
  // dpi / 96 times (96 is the screen picture, PNG records the dpi); SVG and
  // PDF are as without it. A dpi that is not positive or too large for a
  // bitmap raises EMivoError and writes nothing.
  void SaveToFile(const std::string& fileName, double dpi);
  void CopyToClipboardWMF(bool includeFrame);
  // Prints on a new page of the host's printer, scaled by scaleF (of the
  // printable width), optionally in black and white.
  void PrintIt(double scaleF, bool blkWhite, bool includeFrame);
  // Draws at (x, y) on the printer's page that is already open; returns in
  // x, y the pixel just below-right of the picture.
  void CopyToOpenPrinter(std::int32_t& x, std::int32_t& y, double scaleF, bool blkWhite, bool includeFrame);

  // ---- Published properties ------------------------------------------------------
  bool AutoCenter() const { return FAutoCenter; }
  void SetAutoCenter(bool b);
  TBoundingBox BoundBoxStyle() const { return FBoundBox; }
  void SetBoundBoxStyle(TBoundingBox b);
  const std::string& CaptionX() const { return FCaptX; }
  const std::string& CaptionY() const { return FCaptY; }
  const std::string& CaptionZ() const { return FCaptZ; }
  void SetCaptionX(const std::string& s);
  void SetCaptionY(const std::string& s);
  void SetCaptionZ(const std::string& s);
  std::int32_t CentX() const { return FCentX; }
  std::int32_t CentY() const { return FCentY; }
  void SetCentX(std::int32_t v);
  void SetCentY(std::int32_t v);
  TColor ColorFrame() const { return FFrameCol; }
  void SetColorFrame(TColor c);
  TColor ColorBakGnd() const { return FColorBakGnd; }
  void SetColorBakGnd(TColor c);
  bool ColorCodeAvg() const { return FColorCodeAvg; }
  void SetColorCodeAvg(bool b);
  TColor ColorCubeFrame() const { return FColorCubeFrame; }
  void SetColorCubeFrame(TColor c);
  TColor ColorCubeHidLin() const { return FColorCubeHidLin; }
  void SetColorCubeHidLin(TColor c);
  TColor ColorCubeFaceLow() const { return FColorCubeFaceLo; }
  void SetColorCubeFaceLow(TColor c);
  TColor ColorCubeFaceHigh() const { return FColorCubeFaceHi; }
  void SetColorCubeFaceHigh(TColor c);
  TColor ColorXCoords() const { return FColorXAx; }
  TColor ColorYCoords() const { return FColorYAx; }
  TColor ColorZCoords() const { return FColorZAx; }
  void SetColorXCoords(TColor c);
  void SetColorYCoords(TColor c);
  void SetColorZCoords(TColor c);
  TColor ColorMesh() const { return FColorMesh; }
  void SetColorMesh(TColor c);
  TColor ColorHigh() const { return FColorFillHigh; }
  TColor ColorMid() const { return FColorFillMid; }
  TColor ColorLow() const { return FColorFillLow; }
  void SetColorHigh(TColor c);
  void SetColorMid(TColor c);
  void SetColorLow(TColor c);
  double ColorScaleHigh() const { return FColorScaleHigh; }
  double ColorScaleLow() const { return FColorScaleLow; }
  // Accepted only when above (resp. below) the other end.
  void SetColorScaleHigh(double v);
  void SetColorScaleLow(double v);
  TColorCodingMode ColorCodingMode() const { return FColorCodingMode; }
  void SetColorCodingMode(TColorCodingMode m);
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme s);
  std::int32_t DecPlaceX() const { return FDecPlaceX; }
  std::int32_t DecPlaceY() const { return FDecPlaceY; }
  std::int32_t DecPlaceZ() const { return FDecPlaceZ; }
  // Clamped to -2 ... 12; -2 chooses the decimals from the range.
  void SetDecPlaceX(std::int32_t n);
  void SetDecPlaceY(std::int32_t n);
  void SetDecPlaceZ(std::int32_t n);
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle s);
  std::int32_t LabDistX() const { return FLabDistX; }
  std::int32_t LabDistY() const { return FLabDistY; }
  std::int32_t LabDistZ() const { return FLabDistZ; }
  void SetLabDistX(std::int32_t v);
  void SetLabDistY(std::int32_t v);
  void SetLabDistZ(std::int32_t v);
  bool MeshVisible() const { return FMeshVisible; }
  void SetMeshVisible(bool b);
  TMeshKind MeshKind() const { return FMeshKind; }
  void SetMeshKind(TMeshKind k);
  double Magnification() const { return FMagnify; }
  // Clamped to 0.1 ... 5.0.
  void SetMagnification(double m);
  TMouseActMode MouseAction() const { return FMouseAction; }
  void SetMouseAction(TMouseActMode m) { FMouseAction = m; }
  std::int32_t MinTickX() const { return FNTicks[0]; }
  std::int32_t MinTickY() const { return FNTicks[1]; }
  std::int32_t MinTickZ() const { return FNTicks[2]; }
  // Clamped to 2 ... 20.
  void SetNTicksX(std::int32_t n);
  void SetNTicksY(std::int32_t n);
  void SetNTicksZ(std::int32_t n);
  void SetMinTickX(std::int32_t n) { SetNTicksX(n); }
  void SetMinTickY(std::int32_t n) { SetNTicksY(n); }
  void SetMinTickZ(std::int32_t n) { SetNTicksZ(n); }
  double RangeXLow() const { return FRangeLowX; }
  double RangeXHigh() const { return FRangeHighX; }
  double RangeYLow() const { return FRangeLowY; }
  double RangeYHigh() const { return FRangeHighY; }
  double RangeZLow() const { return FRangeLowZ; }
  double RangeZHigh() const { return FRangeHighZ; }
  // A low end equal to the high end is stored one below it, a high end equal
  // to the low end one above it. Values that are not finite are ignored.
  void SetRangeXLow(double v);
  void SetRangeXHigh(double v);
  void SetRangeYLow(double v);
  void SetRangeYHigh(double v);
  void SetRangeZLow(double v);
  void SetRangeZHigh(double v);
  double ScaleFactX() const { return FSclXIntern; }
  double ScaleFactY() const { return FSclYIntern; }
  double ScaleFactZ() const { return FSclZIntern; }
  void SetScaleFactX(double v);
  void SetScaleFactY(double v);
  void SetScaleFactZ(double v);
  double ViewAngleX() const { return FViewAngle[0]; }
  double ViewAngleZ() const { return FViewAngle[2]; }
  // Normalised to 0 ... 360 (see NormalizeViewAngle).
  void SetViewAngleX(double v);
  void SetViewAngleZ(double v);
  bool VisibleXCoords() const { return FVisibleXax; }
  bool VisibleYCoords() const { return FVisibleYax; }
  bool VisibleZCoords() const { return FVisibleZax; }
  void SetVisibleXCoords(bool b);
  void SetVisibleYCoords(bool b);
  void SetVisibleZCoords(bool b);

  bool SuppressPaint() const { return FSuppressPaint; }
  // Clearing it refreshes the grid statistics (GridMatChanged) and repaints.
  void SetSuppressPaint(bool b);

  // The smallest and largest element of GridMat, brought up to date after
  // a change that GridMatChanged sees (while SuppressPaint is on it sees
  // none; clearing it counts as one). Computed on the first query after such
  // a change, not on every change: filling the grid element by element stays
  // linear.
  double MinZ() const;
  double MaxZ() const;
  double CalibZk() const { return FCalibZk; }
  double CalibZd() const { return FCalibZd; }

  void Loaded() override;
  void Assign(const TPersistent& source) override;
  // Registers the published properties and the palette entry (once).
  static void RegisterProperties();

  TRenderEvent OnDataRendered;
  TBeforeRenderPolygonEvent OnBeforeRenderPolygon;
  Tp3BeforeDrawScaleLabelEvent OnBeforeDrawScaleLabel;
  TMouseActionEvent OnMouseAction;
  TMouseMoveOverPlotEvent OnMouseMoveOverPlot;
  TZoomPanEvent OnZoomPan;

  // ---- Mouse (plot3d_mouse.cpp) --------------------------------------------------
  void Dispatch(const TMessage& msg) override;
  void MouseActionMove(std::int32_t& centerX, std::int32_t& centerY, double& rotXAngle, double& rotZAngle,
                       double& magnification, TShiftState shift);
  void DoZoomPanEvent();
  void MouseMoveOverPlot(bool overPlot, TShiftState shift, std::int32_t mouseCellX, std::int32_t mouseCellY);

 protected:
  void AssignTo(TPersistent& dest) const override;
  void MouseMove(TShiftState shift, std::int32_t x, std::int32_t y) override;
  // The cell search under the pointer, after the framework's mouse-move handling.
  void WMMouseMoveOverPlot(const TMessage& msg);

 private:
  bool IsLoading() const;
  bool IsDesigning() const;
  // Repaints now unless painting is suppressed or a form is loading.
  void Redraw();
  TProjection Projection() const;
  TColorCoding ColorCoding() const;
  // Range setter shared by the six ends.
  void SetRangeEnd(double& field, double other, double v, bool low);
  void CopySettingsFrom(const TPlot3D& source);
  // Draws the visible axes; a tick label that would overlap one already drawn
  // is left out, and the z caption moves up off the labels.
  void DrawAxes(TCanvas& canvas, std::int32_t nearCorner);
  void RenderCells(TCanvas& canvas);
  // Renders the whole picture (background, data, frame) onto `canvas` of the
  // control's size.
  void RenderPicture(TCanvas& canvas, bool includeFrame, bool withData);
  void SetIntClamped(std::int32_t& field, std::int32_t v, std::int32_t lo, std::int32_t hi);
  template <typename T>
  void SetAndRedraw(T& field, const T& v);

  std::array<TPoint3DDouble, 8> FCubeCorners{};
  TBitmap FGrafBmp;
  // The boxes of the labels drawn so far by DrawAxes (null outside it).
  std::vector<TRect>* FPlacedLabels = nullptr;
  std::array<double, 3> FViewAngLimLow{0, 0, 0};
  std::array<double, 3> FViewAngLimHigh{360, 360, 360};
  double FMagAnchor = 1;
  double FCalibZk = 150, FCalibZd = 0;
  std::int32_t FCentXAnchor = 0, FCentYAnchor = 0;
  std::array<double, 3> FAngleAnchor{60, 0, 15};
  // The cached MinZ and MaxZ, recomputed on the next query once stale.
  void RefreshStatistics() const;
  mutable double FMinZ = 0, FMaxZ = 0;
  mutable bool FStatisticsStale = false;
  bool FSuppressPaint = true;
  TRotMatrix FRotMat{};
  std::int32_t MouseAnchorX = 0, MouseAnchorY = 0;
  // Cells left out of the last rendering (a corner not a number), one flag per
  // cell, row-major; the cell search passes over them.
  std::vector<std::uint8_t> FCellSkipped;
  bool FPainting = false;
};

}  // namespace mivo
MIVO_PUBLIC_END
