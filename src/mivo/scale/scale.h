#pragma once
// TScale: one axis - base line, long and short ticks, tick labels and a caption.
// A control of its own and the axis engine of the other components, which drive
// it as a helper drawing on their canvas (UseForeignCanvas, SetIsHelper).
//
// Stages: AdjustScalePars (range -> mapping) ; BuildTickLayout (tick walk ->
// list of ticks with label texts, scale_ticks.h / scale_labels.h /
// scale_datetime.h) ; DrawXScale / DrawYScale (list -> lines and texts) ; Paint
// (target choice, opaque bitmap or transparent drawing, frame).
//
// Values are mapped to pixels relative to the scale's own area. On a foreign
// canvas only the coordinate across the scale is shifted by the foreign
// position: a horizontal scale keeps its own x coordinates, a vertical one its
// own y coordinates, so the host aligns the scale's margins with its drawing.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "mivo/base/dt_label.h"
#include "mivo/base/enums.h"
#include "mivo/platform/controls.h"
#include "mivo/platform/export.h"
#include "mivo/scale/scale_ticks.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

class TScale;

// Where the caption is anchored along the scale.
enum class TScaleUnitAnchor : std::uint8_t { uaSclTopLft, uaSclCenter, uaSclBotRgt };

// After each tick line: the tick's value and its pixel on the base line.
using TScaleTickDrawnEvent = std::function<void(TObject& sender, TCanvas& canvas, TScaleType scaleType,
                                                double currentTickPos, std::int32_t chartX, std::int32_t chartY)>;
// Before each label (and date row) is measured and drawn; may replace the text.
using TBeforeTickLabelEvent =
    std::function<void(TObject& sender, TScaleType scaleType, double currentTickPos, std::string& tickLabel)>;
// Before and after a rendering, with the canvas drawn on.
using TScaleRenderedEvent = std::function<void(TObject& sender, TCanvas& canvas)>;

// Fixed geometry in pixels.
inline constexpr std::int32_t kLongTickHorz = 7;
inline constexpr std::int32_t kLongTickVert = 6;
inline constexpr std::int32_t kShortTick = 4;
inline constexpr std::int32_t kLabelDistHorz = 7;
inline constexpr std::int32_t kLabelDistVert = 8;
inline constexpr std::int32_t kLabelEdgeHorz = 2;
// The on-scale messages of date/time scales.
inline constexpr std::int32_t kMessageDistHorz = 7;
inline constexpr std::int32_t kMessageDistVert = 2;

class TScale : public TCustomControl {
 public:
  explicit TScale(TComponent* owner = nullptr);
  ~TScale() override;
  std::string ClassName() const override { return "TScale"; }

  // ---- Range and mapping -------------------------------------------------
  double RangeLow() const { return FRangeLow; }
  double RangeHigh() const { return FRangeHigh; }
  // Equal ends move the other end by one; non-finite values are ignored.
  void SetRangeLow(double x);
  void SetRangeHigh(double x);
  void SetRange(double low, double high);
  double GetScaleCenter() const { return (FRangeLow + FRangeHigh) / 2; }
  bool Logarithmic() const { return FAxLog; }
  // Switching on is refused (Logarithmic stays false) over a range with an
  // end below 1e-100 and for date/time labels, except while loading.
  // LogRefusal() then tells why, in a sentence; it is "" after a switch that
  // succeeded and after any SetLogarithmic(false).
  void SetLogarithmic(bool b);
  const std::string& LogRefusal() const { return FLogRefusal; }
  // Slope and offset of the value-to-pixel mapping.
  double Transf_k() const { return FTransf_k; }
  double Transf_d() const { return FTransf_d; }
  void AdjustScalePars();
  // Value to pixel (relative to the scale's own area), clamped and rounded
  // half to even. On a logarithmic scale values <= 1e-100 go to the control's
  // edge beyond the low end.
  std::int32_t R2M(double x) const;
  // Pixel to value; with slope 0 (a control no larger than its margins) the
  // scale's centre.
  double M2R(std::int32_t p) const;
  std::int32_t ConvertToPixelCoords(double value) const { return R2M(value); }
  double ConvertPixelToScale(std::int32_t pixelCoord) const { return M2R(pixelCoord); }

  // ---- Ticks ---------------------------------------------------------------
  std::int32_t MinTicks() const { return FNumTicks; }
  void SetMinTicks(std::int32_t n);
  // Number of tick values recorded by the last drawing.
  std::int32_t NumTicks() const { return FTickCount; }
  // Value of the ix-th recorded tick (1-based); 0 outside 1 ... NumTicks.
  double GetTickPos(std::int32_t ix) const;
  bool ShortTicks() const { return FShortTicks; }
  void SetShortTicks(bool b);

  // ---- Labels --------------------------------------------------------------
  std::int32_t DecPlaces() const { return FDecPlaces; }
  void SetDecPlaces(std::int32_t n);
  TFigType LabelType() const { return FLabelType; }
  void SetLabelType(TFigType t);
  TDTLabel& DateFormat() { return *FDTFormat; }
  const TDTLabel& DateFormat() const { return *FDTFormat; }
  void SetDateFormat(const TDTLabel& f);
  const std::string& UserTickText() const { return FUserTicktext; }
  void SetUserTickText(const std::string& s);
  const std::string& ScaleInscript() const { return FScaleInscript; }
  void SetScaleInscript(const std::string& s);
  static std::string ExtractUserText(const std::string& text, std::int32_t index);
  static std::string AddScaleInscription(const std::string& label, const std::string& inscription);

  // ---- Caption -------------------------------------------------------------
  const std::string& Caption() const { return FUnitLabel; }
  void SetCaption(const std::string& s);
  std::int32_t CaptionPosX() const { return FLblPosX; }
  void SetCaptionPosX(std::int32_t v);
  std::int32_t CaptionPosY() const { return FLblPosY; }
  void SetCaptionPosY(std::int32_t v);
  TAlignment CaptionAlignment() const { return FLblAlign; }
  void SetCaptionAlignment(TAlignment a);
  TScaleUnitAnchor CaptionAnchor() const { return FLblAnchor; }
  void SetCaptionAnchor(TScaleUnitAnchor a);

  // ---- Geometry and look ---------------------------------------------------
  TScaleType ScaleType() const { return FScaleType; }
  void SetScaleType(TScaleType t);
  std::int32_t MarginTop() const { return FMarginTop; }
  std::int32_t MarginBottom() const { return FMarginBottom; }
  std::int32_t MarginLeft() const { return FMarginLeft; }
  std::int32_t MarginRight() const { return FMarginRight; }
  void SetMarginTop(std::int32_t v);
  void SetMarginBottom(std::int32_t v);
  void SetMarginLeft(std::int32_t v);
  void SetMarginRight(std::int32_t v);
  // Tick labels are kept inside the control (2 pixels from its edges); with
  // LabelsWithinMargins they are kept between the margins instead, as a dial
  // seen through a window needs (the scale gauge's fixed dial).
  bool LabelsWithinMargins() const { return FLabelsWithinMargins; }
  void SetLabelsWithinMargins(bool b);
  bool ShowBaseLine() const { return FDrawBaseLine; }
  void SetShowBaseLine(bool b);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool b);
  TColor ColorScale() const { return FColorFG; }
  void SetColorScale(TColor c);
  TColor ColorBackGnd() const { return FColorBG; }
  void SetColorBackGnd(TColor c);
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme s);
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle s);
  // The three frame shades (black, gray, white).
  TColor ColBlackLine() const { return FColBlackLine; }
  TColor ColGrayLine() const { return FColGrayLine; }
  TColor ColWhiteLine() const { return FColWhiteLine; }

  // ---- Drawing -------------------------------------------------------------
  // Draws onto `foreignCv` (not owned) with the scale's top-left corner at
  // (x, y) from now on; null returns to the scale's own canvas.
  void UseForeignCanvas(TCanvas* foreignCv, std::int32_t x, std::int32_t y);
  TCanvas* ForeignCanvas() const { return FForeignCv; }
  std::int32_t ForCvPosX() const { return FForCvPosX; }
  std::int32_t ForCvPosY() const { return FForCvPosY; }
  void SetForCvPosX(std::int32_t x);
  void SetForCvPosY(std::int32_t y);
  bool IsHelper() const { return FIsHelper; }
  void SetIsHelper(bool b);
  bool SuppressPaint() const { return FSuppressPaint; }
  void SetSuppressPaint(bool b);
  // Paints once even while suppressed.
  void ForcePaint();
  // Opaque or helper scales paint at once; a transparent stand-alone scale
  // only invalidates its window.
  void TriggerPaint();
  // Ticks, labels and caption of a horizontal scale whose base line is row y,
  // or of a vertical one whose base line is column x. No base line,
  // background or frame.
  void DrawXScale(TCanvas& canvas, std::int32_t y);
  void DrawYScale(TCanvas& canvas, std::int32_t x);
  // The tick list the current settings give, labels filled in (no events).
  TTickLayout BuildTickLayout() const;

  // Sets every property to its default.
  void ResetComp();
  // Change notification of DateFormat.
  void Changed(TObject& sender);

  void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) override;
  void Loaded() override;
  void Assign(const TPersistent& source) override;
  void Paint() override;

  // Registers the published properties (once; called by the constructor).
  static void RegisterProperties();

  TScaleTickDrawnEvent OnScaleTickDrawn;
  TBeforeTickLabelEvent OnBeforeTickLabel;
  // The rendering events (FOnBeforeSclRend / FOnAfterSclRend).
  TScaleRenderedEvent OnBeforeScaleRendered;
  TScaleRenderedEvent OnAfterScaleRendered;

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
  void MouseMove(TShiftState shift, std::int32_t x, std::int32_t y) override;

 private:
  bool IsLoading() const;
  // Draws the scale (ticks, labels, caption and, when `baseLine`, the base
  // line) with the origin at (ox, oy).
  void DrawScaleAt(TCanvas& canvas, std::int32_t ox, std::int32_t oy);
  void DrawTicks(TCanvas& canvas, std::int32_t base, bool horizontal);
  void DrawCaption(TCanvas& canvas, std::int32_t base, bool horizontal);
  void DrawMessage(TCanvas& canvas, const std::string& message, std::int32_t base, bool horizontal);
  void PrepareCanvas(TCanvas& canvas);
  void RecordTick(double value);
  void SetMargin(std::int32_t& field, std::int32_t v);

  TFrameStyle FFrameStyle = TFrameStyle::fsLowered;
  TColor FColorFG = 0;
  TColor FColorBG = 0xFF00000F;
  TColor FColBlackLine = 0, FColGrayLine = 0x808080, FColWhiteLine = 0xFFFFFF;
  TColorScheme FColorScheme = TColorScheme::csBWG;
  bool FAxLog = false;
  std::string FLogRefusal;
  double FTransf_k = 1, FTransf_d = 0;
  double FRangeHigh = 100, FRangeLow = 0;
  bool FShortTicks = true;
  std::int32_t FTickCount = 0;
  std::int32_t FNumTicks = 3;
  std::int32_t FDecPlaces = -2;
  bool FNotYetLoaded = true;
  bool FDrawBaseLine = true;
  bool FTransparent = false;
  TFigType FLabelType = TFigType::ftNum;
  std::unique_ptr<TDTLabel> FDTFormat;
  std::int32_t FMarginTop = 20, FMarginBottom = 20, FMarginRight = 20, FMarginLeft = 20;
  bool FLabelsWithinMargins = false;
  bool FIsHelper = false;
  std::int32_t FLblPosX = 4, FLblPosY = 4;
  TAlignment FLblAlign = TAlignment::taCenter;
  TScaleUnitAnchor FLblAnchor = TScaleUnitAnchor::uaSclTopLft;
  std::string FUserTicktext;
  std::string FScaleInscript;
  std::vector<double> FScaleTickPos;
  std::string FUnitLabel;
  TCanvas* FForeignCv = nullptr;
  std::int32_t FForCvPosX = 0, FForCvPosY = 0;
  TScaleType FScaleType = TScaleType::sctHorzUp;
  bool FSuppressPaint = true;
  bool FPainting = false;  // guards against re-entry from event handlers
};

}  // namespace mivo
MIVO_PUBLIC_END
