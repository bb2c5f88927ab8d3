#pragma once
// TRot3D: marks and polylines in 3D space, seen through a rotation the user
// can change with the mouse.
//
// The application adds items (MarkAt, Moveto, Drawto, Line) and then calls
// MakeVisible, which centres and scales them into the integer model space and
// takes a snapshot of rendering objects; painting shows the last snapshot, so
// items added later appear only after the next MakeVisible. Origin and
// scale-factor changes repaint without a new snapshot.
//
// Stages: the item list (rot3d_items.h); the pure rotation, projection and
// snapshot rules (rot3d_projection.h); the control with its model and setters
// (rot3d.cpp).
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "mivo/base/enums.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/controls.h"
#include "mivo/platform/export.h"
#include "mivo/rot3d/rot3d_items.h"
#include "mivo/rot3d/rot3d_projection.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

// Asked once per symbol mark (kinds below 52) while painting: the handler may
// set a label, move it by (dx, dy) from the mark, align it and change its font.
// `obj` is the 0-based index of the rendering object.
using TLblRequestEvent =
    std::function<void(TObject& sender, std::int32_t obj, std::string& lblText, std::int32_t& dx, std::int32_t& dy,
                       TAlignment& hAlign, TVerticalAlignment& vAlign, TFont& lblFont)>;

// Mark kinds from this on are characters; kFirstDigitMark ... + 9 give the
// digits 0 ... 9, the others their character code.
inline constexpr std::uint8_t kFirstCharMark = 52;
inline constexpr std::uint8_t kFirstDigitMark = 200;

class TRot3D : public TCustomControl {
 public:
  explicit TRot3D(TComponent* owner = nullptr);
  std::string ClassName() const override { return "TRot3D"; }

  // ---- Items ---------------------------------------------------------------------
  void MarkAt(double x, double y, double z, std::uint8_t mk) { FItems.MarkAt(x, y, z, mk); }
  void Moveto(double x, double y, double z) { FItems.Moveto(x, y, z); }
  void Drawto(double x, double y, double z) { FItems.Drawto(x, y, z); }
  void Line(double x1, double y1, double z1, double x2, double y2, double z2) {
    FItems.Line(x1, y1, z1, x2, y2, z2);
  }
  void RemoveItem(std::int32_t index) { FItems.RemoveItem(index); }
  void RemoveFirstItem() { FItems.RemoveFirstItem(); }
  void RemoveLastItem() { FItems.RemoveLastItem(); }
  // No items and storage released; the image is cleared to the background
  // (and shown so when the control has its window) without a repaint. The
  // last snapshot stays: the next paint shows it again until MakeVisible runs.
  void Clear();
  Tr3ChartItem GetChartItem(std::int32_t idx) const { return FItems.GetChartItem(idx); }
  void SetChartitem(std::int32_t idx, const Tr3ChartItem& item) { FItems.SetChartitem(idx, item); }
  Tr3ChartItem DataContainer(std::int32_t idx) const { return GetChartItem(idx); }
  void SetDataContainer(std::int32_t idx, const Tr3ChartItem& item) { SetChartitem(idx, item); }
  Tr3ChartItem GetItemParams(std::int32_t item) const { return FItems.GetItemParams(item); }
  void SetItemParams(std::int32_t item, const Tr3ChartItem& params) { FItems.SetItemParams(item, params); }
  std::int32_t NumItems() const { return FItems.NumItems(); }
  Tr3Item TypeOfFirstItem() const { return FItems.TypeOfFirstItem(); }
  Tr3Item TypeOfLastItem() const { return FItems.TypeOfLastItem(); }
  // Items refused by the adders and by SetChartitem for a non-finite
  // coordinate, and items the last MakeVisible left out for the same reason.
  std::int32_t NumRefusedItems() const { return FItems.NumRefused(); }
  std::int32_t NumSkippedItems() const { return FNumSkipped; }
  std::int32_t FindNearestItemReal(double mx, double my, double mz, Tr3Item itemID, double& dist) const {
    return FItems.FindNearestItemReal(mx, my, mz, itemID, dist);
  }
  // The item whose rendering object lies nearest to pixel (mx, my) under the
  // current view (no clamping), among items of kind itemID (every kind for
  // tkEverything); -1 if none. Objects of items removed since the last
  // MakeVisible are passed over. `dist` in pixels.
  std::int32_t FindNearestItemScreen(std::int32_t mx, std::int32_t my, Tr3Item itemID, double& dist) const;

  // Centres and scales the items into model space and takes the snapshot of
  // rendering objects; nothing happens without items. Raises EMivoRot3DError
  // when the snapshot cannot be allocated.
  void MakeVisible();
  void CalcRotMatrix();
  void SetViewAngles(double vax, double vay, double vaz);
  void SetOrigins(double x, double y, double z);
  void SetScaleFactors(double sfx, double sfy, double sfz);
  // Element (ix, iy), 1-based, of the rotation matrix; 0 outside 1 ... 3.
  double GetRotMat(std::int32_t ix, std::int32_t iy) const { return RotMatElement(FRotMat, ix, iy); }
  double RotMat(std::int32_t ix, std::int32_t iy) const { return GetRotMat(ix, iy); }
  const TR3RotMatrix& RotMatrix() const { return FRotMat; }
  const TR3RenderObjects& RenderObjects() const { return FObjects; }
  const TR3ItemColors& ItemColors() const { return FItemColors; }
  const TR3CubeCorners& CubeCorners() const { return FCubeCorners; }
  std::int32_t Magnify() const { return FMagnify; }
  const std::array<std::int32_t, 3>& MinCoord() const { return FPlace.MinCoord; }
  const std::array<std::int32_t, 3>& MaxCoord() const { return FPlace.MaxCoord; }
  // Pixel of a model point under the current view, clamped to +/- kMaxScreenCoord.
  TPoint ProjectModel(std::int32_t x, std::int32_t y, std::int32_t z) const {
    return ProjectClamped(FRotMat, FMagnify, FCentX, FCentY, x, y, z);
  }

  // ---- Rendering (rot3d_render.cpp) ------------------------------------------------
  // Background, data picture and frame into the off-screen bitmap, then onto
  // the control.
  void Paint() override;
  // At a device scale: the picture a file saved at that scale shows.
  void PaintScaled(TBitmap& bmp, double f) override;
  // Sizes the bitmap when `canvas` is its own and fills the control's area in
  // ColorChart (white when `blkWhite`).
  void InitGraf(TCanvas& canvas, bool blkWhite = false);
  // Box faces, axes, hidden edges, the rendering objects in order, front
  // edges and axis names; with `blkWhite` every object is drawn black.
  void ConstructDataBmp(TCanvas& canvas, bool blkWhite = false);
  const TBitmap& GrafBmp() const { return FGrafBmp; }

  TRenderEvent OnBeforeRenderData;
  TRenderEvent OnDataRendered;
  TLblRequestEvent OnLblRequest;

  // ---- Export and print (rot3d_export.cpp) ------------------------------------------
  // The picture as painting makes it; with `includeFrame` false the frame is
  // left out. `blkWhite` draws on white with every object black.
  void CopyToBitmap(TBitmap& bmp, bool includeFrame, bool blkWhite = false);
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
  // Prints on a new page of the host's printer, scaled by scaleF (1 = the
  // screen size at the printer's resolution).
  void PrintIt(double scaleF, bool blkWhite, bool includeFrame);
  // Draws at (x, y) on the printer's page that is already open; returns in
  // x, y the pixel just below-right of the picture.
  void CopyToOpenPrinter(std::int32_t& x, std::int32_t& y, double scaleF, bool blkWhite, bool includeFrame);

  // ---- Mouse (rot3d_mouse.cpp) ------------------------------------------------------
  // With no button down the drag anchors follow the pointer; with a button
  // down inside the control the drag rotates, zooms or pans by MouseAction.
  void MouseMove(TShiftState shift, std::int32_t x, std::int32_t y) override;
  // A press takes the anchors too, so a drag that begins without a hover
  // move before it (a touch, or a pointer entering with a button held) starts
  // where it is pressed instead of jumping.
  void MouseDown(TMouseButton button, TShiftState shift, std::int32_t x, std::int32_t y) override;

  // ---- Properties ----------------------------------------------------------------
  std::int32_t AllocSize() const { return FItems.AllocSize(); }
  void SetAllocSize(std::int32_t v) { FItems.SetAllocSize(v); }
  TColor ColorData() const { return FItems.ColorData(); }
  void SetColorData(TColor c) { FItems.SetColorData(c); }
  std::int32_t DataTag() const { return FItems.DataTag(); }
  void SetDataTag(std::int32_t t) { FItems.SetDataTag(t); }
  std::int32_t LineWidth() const { return FItems.LineWidth(); }
  void SetLineWidth(std::int32_t w) { FItems.SetLineWidth(w); }

  std::int32_t CentX() const { return FCentX; }
  std::int32_t CentY() const { return FCentY; }
  void SetCentX(std::int32_t v);
  void SetCentY(std::int32_t v);
  TColor ColorFrame() const { return FFrameCol; }
  TColor ColorChart() const { return FChartCol; }
  TColor ColorCubeFrame() const { return FColorCubeFrame; }
  TColor ColorCubeHidLin() const { return FColorCubeHidLin; }
  TColor ColorCubeFaceLow() const { return FColorCubeFaceLo; }
  TColor ColorCubeFaceHigh() const { return FColorCubeFaceHi; }
  void SetColorFrame(TColor c) { SetAndRedraw(FFrameCol, c); }
  void SetColorChart(TColor c) { SetAndRedraw(FChartCol, c); }
  void SetColorCubeFrame(TColor c) { SetAndRedraw(FColorCubeFrame, c); }
  void SetColorCubeHidLin(TColor c) { SetAndRedraw(FColorCubeHidLin, c); }
  void SetColorCubeFaceLow(TColor c) { SetAndRedraw(FColorCubeFaceLo, c); }
  void SetColorCubeFaceHigh(TColor c) { SetAndRedraw(FColorCubeFaceHi, c); }
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme v) { SetIfChanged(FColorScheme, v); }
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle v) { SetIfChanged(FFrameStyle, v); }
  TBoundingBox BoundBoxStyle() const { return FBoundBox; }
  void SetBoundBoxStyle(TBoundingBox v) { SetIfChanged(FBoundBox, v); }
  bool ShowAxes() const { return FShowAxes; }
  void SetShowAxes(bool v) { SetIfChanged(FShowAxes, v); }
  bool IsoMetric() const { return FPlace.IsoMetric; }
  bool AutoOrigin() const { return FPlace.AutoOrigin; }
  bool AutoScale() const { return FPlace.AutoScale; }
  void SetIsoMetric(bool v);
  void SetAutoOrigin(bool v);
  void SetAutoScale(bool v);
  // 0.1 ... 5.0; read back as 4000 / the projection divisor.
  double Magnification() const { return MagnificationOf(FMagnify); }
  void SetMagnification(double v);
  TMouseActMode MouseAction() const { return FMouseAction; }
  void SetMouseAction(TMouseActMode v) { FMouseAction = v; }
  bool MouseRot3Axes() const { return FRotMat3D; }
  void SetMouseRot3Axes(bool v);
  // The full box edge, 2 * FBBSize.
  std::int32_t BoundBoxSize() const { return 2 * FBBSize; }
  void SetBoundBoxSize(std::int32_t v);
  TAxDir AxDir() const { return FAxDir; }
  void SetAxDir(TAxDir v);
  std::int32_t AxSize() const { return FAxSize; }
  void SetAxSize(std::int32_t v);
  const std::string& AxNameX() const { return FAxName[0]; }
  const std::string& AxNameY() const { return FAxName[1]; }
  const std::string& AxNameZ() const { return FAxName[2]; }
  void SetAxNameX(const std::string& s) { SetIfChanged(FAxName[0], s); }
  void SetAxNameY(const std::string& s) { SetIfChanged(FAxName[1], s); }
  void SetAxNameZ(const std::string& s) { SetIfChanged(FAxName[2], s); }
  TFontStyles TextFontStyle() const { return FTextFontStyle; }
  void SetTextFontStyle(TFontStyles v) { SetAndRedraw(FTextFontStyle, v); }
  std::uint8_t TextMarkSize() const { return FTextMarkSize; }
  void SetTextMarkSize(std::uint8_t v) { SetAndRedraw(FTextMarkSize, v); }
  // Angles are stored as given (no normalisation); a value that is not finite
  // is ignored.
  double ViewAngleX() const { return FViewAngle[0]; }
  double ViewAngleY() const { return FViewAngle[1]; }
  double ViewAngleZ() const { return FViewAngle[2]; }
  void SetViewAngleX(double v) { SetViewAngle(0, v); }
  void SetViewAngleY(double v) { SetViewAngle(1, v); }
  void SetViewAngleZ(double v) { SetViewAngle(2, v); }
  // Origin and scale factors: a value that is not finite is ignored.
  double OriginX() const { return FPlace.Origin[0]; }
  double OriginY() const { return FPlace.Origin[1]; }
  double OriginZ() const { return FPlace.Origin[2]; }
  void SetOriginX(double v) { SetOrigins(v, OriginY(), OriginZ()); }
  void SetOriginY(double v) { SetOrigins(OriginX(), v, OriginZ()); }
  void SetOriginZ(double v) { SetOrigins(OriginX(), OriginY(), v); }
  double ScaleFactX() const { return FPlace.ScaleFact[0]; }
  double ScaleFactY() const { return FPlace.ScaleFact[1]; }
  double ScaleFactZ() const { return FPlace.ScaleFact[2]; }
  void SetScaleFactX(double v) { SetScaleFactors(v, ScaleFactY(), ScaleFactZ()); }
  void SetScaleFactY(double v) { SetScaleFactors(ScaleFactX(), v, ScaleFactZ()); }
  void SetScaleFactZ(double v) { SetScaleFactors(ScaleFactX(), ScaleFactY(), v); }

 private:
  static void RegisterProperties();
  void Redraw();
  template <typename T>
  void SetAndRedraw(T& field, const T& v) {
    field = v;
    Redraw();
  }
  template <typename T>
  void SetIfChanged(T& field, const T& v) {
    if (field != v) SetAndRedraw(field, v);
  }
  void SetViewAngle(std::size_t k, double v);
  void DrawBoxEdges(TCanvas& canvas, std::int32_t corner, TColor color);
  // The font of the data objects and the label request's text and font, kept
  // over one rendering.
  struct TLabelScratch {
    TFont DataFont;
    std::string Text;
    TFont Font;
  };
  void DrawMark(TCanvas& canvas, std::int32_t obj, TPoint at, TColor color, TLabelScratch& label);
  TPoint AxisPoint(std::size_t column, std::int32_t length) const;
  void RenderPicture(TCanvas& canvas, bool includeFrame, bool blkWhite);
  void DragRotate(std::int32_t x, std::int32_t y);
  void DragZoom(std::int32_t y);
  void TakeDragAnchors(std::int32_t x, std::int32_t y);

  TR3ItemStore FItems;
  TR3CubeCorners FCubeCorners{};
  std::array<double, 3> FViewAngle{110, 150, 210};
  TBitmap FGrafBmp;
  TMouseActMode FMouseAction = TMouseActMode::maRotate;
  TAxDir FAxDir = TAxDir::adLeftHanded;
  TColor FFrameCol = 0x000000, FChartCol = 0xFFFFFF;
  TColorScheme FColorScheme = TColorScheme::csSystem;
  TColor FColorCubeFrame = 0x404040, FColorCubeHidLin = 0xB0B0B0, FColorCubeFaceHi = 0xEEEEEE,
         FColorCubeFaceLo = 0xC0C0C0;
  TBoundingBox FBoundBox = TBoundingBox::bbFaces;
  std::int32_t FBBSize = 400;
  std::int32_t FAxSize = 700;
  bool FShowAxes = true;
  TFrameStyle FFrameStyle = TFrameStyle::fsLowered;
  TR3Placement FPlace;  // iso/auto flags, origin, scale factors, model extent
  std::array<std::string, 3> FAxName{"X", "Y", "Z"};
  std::int32_t FMagnify = kDefaultMagnify;
  double FMagAnchor = 0;
  std::array<double, 3> FAngleAnchor{110, 150, 210};
  TR3ItemColors FItemColors = InitialItemColors();
  std::int32_t FCentX = 0, FCentY = 0;
  std::int32_t FCentXAnchor = 0, FCentYAnchor = 0;
  TR3RotMatrix FRotMat{};
  TR3RenderObjects FObjects;
  bool FRotMat3D = false;
  TFontStyles FTextFontStyle;
  std::uint8_t FTextMarkSize = 8;
  std::int32_t MouseAnchorX = 0, MouseAnchorY = 0;
  std::int32_t FNumSkipped = 0;
  bool FPainting = false;
};

}  // namespace mivo
MIVO_PUBLIC_END
