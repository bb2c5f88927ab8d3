#pragma once
// TColorScale: a colour bar - a strip filled with the colours of a colour
// array, laid along a value axis drawn by an inner TScale - that converts
// between values and colours and lets the user move a crosshair along the bar
// or pan and zoom its colour range with the mouse.
//
// Stages: the setters keep the model (axis range, colour range, margins,
// orientation) and place the inner scale (SetScaleDims); colorscale_map.h
// turns the model into a bar layout and colour entries without a canvas;
// Paint (colorscale_render.cpp) composes the picture in an off-screen bitmap -
// background, bar, extension strips, outline, axis, caption, crosshair, frame -
// and copies it to the window in one operation; colorscale_mouse.cpp handles
// the crosshair drag and the anchored pan/zoom of the colour range.
//
// Non-finite values given to the range, colour-range and crosshair setters
// are ignored, as are ranges whose width is not a finite double.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "mivo/base/color_array.h"
#include "mivo/base/crosshair.h"
#include "mivo/base/enums.h"
#include "mivo/colorscale/colorscale_map.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/controls.h"
#include "mivo/platform/export.h"
#include "mivo/scale/scale.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

// Every mouse move: whether the pointer is over the bar, the shift state and
// the axis value under the pointer.
using TMouseMoveInColorScaleEvent =
    std::function<void(TObject& sender, bool inScale, TShiftState shift, double rMousePos)>;

class TColorScale : public TCustomControl {
 public:
  explicit TColorScale(TComponent* owner = nullptr);
  ~TColorScale() override;
  std::string ClassName() const override { return "TColorScale"; }

  // ---- Axis range and colour range ----------------------------------------
  // Sets the axis range and the colour range to low ... high; equal ends are
  // moved apart by one on each side. Non-finite or unmappable ranges are ignored.
  void SetScaleRange(double low, double high);
  double ScaleRangeLow() const { return FColSclMin; }
  double ScaleRangeHigh() const { return FColSclMax; }
  // One end of the axis range, with the inner scale's rule for equal ends; the
  // colour range stays.
  void SetScaleRangeLow(double v);
  void SetScaleRangeHigh(double v);
  double ColorLow() const { return FColorLow; }
  double ColorHigh() const { return FColorHigh; }
  // The colour range stays ordered: ColorLow above ColorHigh lifts ColorHigh
  // to it, ColorHigh below ColorLow lowers ColorLow to it (not while loading,
  // so a stored reversed range survives).
  void SetColorLow(double v);
  void SetColorHigh(double v);

  // ---- Conversions ---------------------------------------------------------
  // The colour array's entry for v; the background colour when the array is
  // empty or v is NaN.
  TColor ValueToColor(double v) const;
  // The value of the entry nearest to cl; ColorLow for an empty array.
  double ColorToValue(TColor cl) const;
  // The pixel of v along the axis (the inner scale's mapping).
  std::int32_t ValueToPixel(double v) const;

  // ---- Look ----------------------------------------------------------------
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& s);
  TColor CaptionColor() const { return FCaptColor; }
  void SetCaptionColor(TColor c);
  std::int32_t CaptionPosX() const { return FCaptPosX; }
  void SetCaptionPosX(std::int32_t v);
  std::int32_t CaptionPosY() const { return FCaptPosY; }
  void SetCaptionPosY(std::int32_t v);
  std::int32_t CaptionSize() const { return FCaptSize; }
  void SetCaptionSize(std::int32_t v);
  TFontStyles CaptionStyle() const { return FCaptStyle; }
  void SetCaptionStyle(TFontStyles s);
  TColor ColorSclBkgd() const { return FColorSclBkgd; }
  void SetColorSclBkgd(TColor c);
  // Colour of the axis and of the bar's outline.
  TColor ColorOfScale() const { return FColorScale; }
  void SetColorOfScale(TColor c);
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme s);
  // The frame shades kept per colour scheme (the frame itself uses fixed colours).
  TColor ColBlackLine() const { return FColBlackLine; }
  TColor ColGrayLine() const { return FColGrayLine; }
  TColor ColWhiteLine() const { return FColWhiteLine; }
  TFrameStyle FrameStyle() const { return FFrameSt; }
  void SetFrameStyle(TFrameStyle s);
  bool ExtendColors() const { return FExtendColors; }
  void SetExtendColors(bool b);
  bool FramedColorScale() const { return FFramedColors; }
  void SetFramedColorScale(bool b);
  TColScaleOrientation Orientation() const { return FColScaleOrient; }
  void SetOrientation(TColScaleOrientation o);
  // Minimum number of ticks of the axis, 2 ... 10 (held by the inner scale).
  std::int32_t MinTicks() const;
  void SetMinTicks(std::int32_t n);

  // ---- Margins between the control's edges and the bar ---------------------
  std::int32_t MarginTop() const { return FMarginTop; }
  std::int32_t MarginBottom() const { return FMarginBottom; }
  std::int32_t MarginLeft() const { return FMarginLeft; }
  std::int32_t MarginRight() const { return FMarginRight; }
  // Each leaves at least one pixel between itself and the opposite margin.
  void SetMarginTop(std::int32_t v);
  void SetMarginBottom(std::int32_t v);
  void SetMarginLeft(std::int32_t v);
  void SetMarginRight(std::int32_t v);
  // Places the inner scale along the bar's lower (horizontal) or right
  // (vertical) edge.
  void SetScaleDims();

  // ---- Crosshair and mouse -------------------------------------------------
  TCrossHair& CrossHair() { return *FCrossHair; }
  const TCrossHair& CrossHair() const { return *FCrossHair; }
  TCrossHair& GetCrossHair() { return *FCrossHair; }
  // Copies the given crosshair's settings (non-finite positions are not taken).
  void SetCrossHair(const TCrossHair& c);
  TMouseActMode MouseAction() const { return FMouseAction; }
  void SetMouseAction(TMouseActMode m) { FMouseAction = m; }
  TZoomPanMode ZoomPanMode() const { return FZoomPanMode; }

  // ---- Painting ------------------------------------------------------------
  bool SuppressPaint() const { return FSuppressPaint; }
  // Clearing the flag repaints.
  void SetSuppPaint(bool b);
  void SetSuppressPaint(bool b) { SetSuppPaint(b); }
  // Copies the current picture into `bmp` with its top-left corner at
  // (posX, posY); a negative position first sizes `bmp` to the picture and
  // copies to (0, 0). A null bitmap does nothing.
  void CopyToBitMap(TBitmap* bmp, std::int32_t posX, std::int32_t posY) const;
  // The off-screen picture of the last paint.
  const TBitmap& GrafBmp() const { return *FGrafBmp; }
  // The inner axis (named "ColorScale"); its label settings may be changed
  // directly. Its range, type, margins and size follow the colour scale.
  TScale& Scale() { return *FScale; }
  const TScale& Scale() const { return *FScale; }

  // Change notification of the colour array: repaints.
  void ColorArrayChange(TObject& sender);
  void DoCrossHMoveEvent();
  void DoZoomPanEvent();
  void MouseMoveInScale(bool inScale, TShiftState shift, double rMousePos);

  void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) override;
  void Loaded() override;
  // Copies every setting, the crosshair, the colour array, the inner scale's
  // settings and the event handlers from another TColorScale, then repaints.
  void Assign(const TPersistent& source) override;
  void Paint() override;

  // Registers the published properties (once; called by the constructor).
  static void RegisterProperties();

  // The colour array, entries 1 ... N; changing it repaints.
  TColorArray ColorArray;

  TNotifyEvent OnCrossHairMove;
  // The picture is complete except crosshair and frame; the canvas draws on it.
  TRenderEvent OnDataRendered;
  TMouseMoveInColorScaleEvent OnMouseMoveInScale;
  TZoomPanEvent OnZoomPan;

  // The picture as the control shows it, in the format the extension names:
  // .png, .bmp, .svg or .pdf (the vector files hold the picture as an
  // embedded image); any other raises EMivoError naming the supported ones
  // and writes nothing.
  void SaveToFile(const std::string& fileName);
  // The same at the resolution `dpi`: PNG and BMP are the picture enlarged
  // dpi / 96 times (96 is the screen picture, PNG records the dpi); SVG and
  // PDF are as without it. A dpi that is not positive or too large for a
  // bitmap raises EMivoError and writes nothing.
  void SaveToFile(const std::string& fileName, double dpi);
 protected:
  void AssignTo(TPersistent& dest) const override;
  void CreateWnd() override;
  void MouseDown(TMouseButton button, TShiftState shift, std::int32_t x, std::int32_t y) override;
  void MouseMove(TShiftState shift, std::int32_t x, std::int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, std::int32_t x, std::int32_t y) override;

 private:
  bool IsLoading() const;
  bool Horizontal() const { return FColScaleOrient == TColScaleOrientation::csoHorizontal; }
  // Repaints unless painting is suppressed or the control is loading.
  void TriggerPaint();
  void SetMargin(std::int32_t& field, std::int32_t v, std::int32_t size, std::int32_t opposite);
  // Takes the inner scale's range as the axis range.
  void ReadBackRange();
  // The bar along its axis and the colour range on it.
  TColorBarLayout BarLayout() const;
  // Bar length along the axis (may be 0 or negative for a tiny control).
  std::int32_t BarLength() const;
  void DrawBar(TCanvas& c);
  void DrawCrossHair(TCanvas& c);

  TFrameStyle FFrameSt = TFrameStyle::fsLowered;
  std::string FCaption;
  TColor FCaptColor = 0;
  std::int32_t FCaptPosX = 10, FCaptPosY = 10;
  std::int32_t FCaptSize = 12;
  TFontStyles FCaptStyle;
  bool FSuppressPaint = true;
  double FColSclMin = -10, FColSclMax = 10;
  std::unique_ptr<TCrossHair> FCrossHair;
  bool FExtendColors = false;
  bool FLeftButWasDown = false;
  std::int32_t FMarginTop = 8, FMarginBottom = 22, FMarginLeft = 16, FMarginRight = 16;
  TMouseActMode FMouseAction = TMouseActMode::maNone;
  std::int32_t FMouseAnchorX = 0, FMouseAnchorY = 0;
  double FAnchorSclLow = -10, FAnchorSclHigh = 10;
  TZoomPanMode FZoomPanMode = TZoomPanMode::zpmPan;
  bool FFramedColors = true;
  double FColorLow = -10, FColorHigh = 10;
  TColScaleOrientation FColScaleOrient = TColScaleOrientation::csoHorizontal;
  TColor FColorSclBkgd = 0xC0C0C0;
  TColor FColorScale = 0;
  TColor FColBlackLine = 0, FColGrayLine = 0x808080, FColWhiteLine = 0xFFFFFF;
  TColorScheme FColorScheme = TColorScheme::csBWG;
  // The bitmap outlives the scale that draws on its canvas.
  std::unique_ptr<TBitmap> FGrafBmp;
  std::unique_ptr<TScale> FScale;
  bool FPainting = false;  // guards against re-entry from event handlers
};

// Places TColorScale on the component palette page "Mivo".
void RegisterColorScale();

}  // namespace mivo
MIVO_PUBLIC_END
