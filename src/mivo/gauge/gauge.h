#pragma once
// TScaleGauge: one value on a linear or logarithmic dial, like the window of a
// meter. A background (plain, graded or a mid band), an inner TScale drawing
// the dial, an index marking the value (thread, triangles, band or bar), a
// cover over the margins around the window, a caption and two frames.
//
// The dial is fixed (the index moves along it) or moving (the index stands in
// the middle of the window and the dial's range is centred on the value).
// Paint rebuilds the whole picture in an off-screen bitmap and copies it to
// the window: colours, background, dial, index, cover, caption, frames
// (gauge_render.cpp). The geometry is computed in gauge_layout.h.
//
// Setters that change the picture repaint at once when the gauge has its
// window; before that, creating the window asks for the first paint.
// Non-finite numbers are ignored by every setter.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "mivo/base/enums.h"
#include "mivo/gauge/gauge_layout.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/controls.h"
#include "mivo/platform/export.h"
#include "mivo/scale/scale.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

// Every mouse move over the gauge: whether the pointer lies within the dial's
// margins, and the dial's value under it.
using TMouseMoveInGaugeEvent =
    std::function<void(TObject& sender, bool inGauge, TShiftState shift, double rMousePos)>;

class TScaleGauge : public TCustomControl {
 public:
  explicit TScaleGauge(TComponent* owner = nullptr);
  ~TScaleGauge() override;
  std::string ClassName() const override { return "TScaleGauge"; }

  // ---- Value and range ---------------------------------------------------
  double Value() const { return FGaugeValue; }
  // Limited to the range between Min and Max (not while loading a form).
  void SetValue(double v);
  double Min() const { return FGaugeMin; }
  double Max() const { return FGaugeMax; }
  // On a logarithmic gauge only positive limits are taken. A limit whose
  // distance to the other one is not a finite double is refused, as the dial
  // refuses it. Value is not limited anew.
  void SetMin(double v);
  void SetMax(double v);
  double GaugeZero() const { return FGaugeZero; }
  void SetGaugeZero(double v);
  bool Logarithmic() const { return FLogarithmic; }
  // Taken only when both Min and Max are positive (and the dial can map them).
  void SetLogarithmic(bool b);
  bool FixedDial() const { return FScaleFixed; }
  void SetFixedDial(bool b);
  // The dial's pixel-to-value conversion.
  double ConvertPixelToScale(std::int32_t pixelCoord) const;

  // ---- Dial ---------------------------------------------------------------
  // The value last given; the dial clamps it (0, or 2 ... 10).
  std::int32_t MinTicks() const { return FMinTicks; }
  void SetMinTicks(std::int32_t n);
  bool ShortTicks() const { return FShortTicks; }
  void SetShortTicks(bool b);
  TGaugeOrientation Orientation() const { return FGaugeOrient; }
  void SetOrientation(TGaugeOrientation o);
  // Places the dial: ticks up with the index below it (horizontal) or ticks
  // left with the index right of it (vertical), kGaugeIndexRoom pixels for
  // the index between the base line and the cover.
  void SetScaleDims();
  // The inner dial (named "GaugeScale"); for reading its state.
  const TScale& Scale() const { return *FScale; }

  // ---- Look ----------------------------------------------------------------
  TGaugeBackground Background() const { return FGaugeBG; }
  void SetBackground(TGaugeBackground b);
  TGaugeIndexMode IndexMode() const { return FGaugeIdxMode; }
  void SetIndexMode(TGaugeIndexMode m);
  TColor ColorBg1() const { return FColorSclBG1; }
  void SetColorBg1(TColor c);
  TColor ColorBg2() const { return FColorSclBG2; }
  void SetColorBg2(TColor c);
  TColor ColorIndex1() const { return FColorIndex1; }
  void SetColorIndex1(TColor c);
  TColor ColorIndex2() const { return FColorIndex2; }
  void SetColorIndex2(TColor c);
  TColor ColorCover() const { return FColorCover; }
  void SetColorCover(TColor c);
  TColor ColorScale() const { return FColorScale; }
  void SetColorScale(TColor c);
  // Frame shades kept per scheme (ordinal 0 fixed grey and white, the others
  // the system's button colours); the frames themselves use fixed colours.
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme s);
  TColor ColBlackLine() const { return FColBlackLine; }
  TColor ColGrayLine() const { return FColGrayLine; }
  TColor ColWhiteLine() const { return FColWhiteLine; }
  TFrameStyle FrameStyleOuter() const { return FOuterFrameSt; }
  void SetFrameStyleOuter(TFrameStyle s);
  TFrameStyle FrameStyleInner() const { return FInnerFrameSt; }
  void SetFrameStyleInner(TFrameStyle s);

  // ---- Cover margins -------------------------------------------------------
  // Limited so that the window stays kGaugeMinWindow pixels wide and high
  // (not while loading a form), and not below 0.
  std::int32_t MarginLeft() const { return FCovMargLeft; }
  std::int32_t MarginRight() const { return FCovMargRight; }
  std::int32_t MarginTop() const { return FCovMargTop; }
  std::int32_t MarginBottom() const { return FCovMargBottom; }
  void SetMarginLeft(std::int32_t v);
  void SetMarginRight(std::int32_t v);
  void SetMarginTop(std::int32_t v);
  void SetMarginBottom(std::int32_t v);

  // ---- Caption -------------------------------------------------------------
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

  // ---- Control ---------------------------------------------------------------
  // A disabled gauge is drawn in grey.
  void SetEnabled(bool b) override;
  void SetFont(const TFont& f) override;
  void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) override;
  void Loaded() override;
  void Assign(const TPersistent& source) override;
  // Rebuilds the picture and copies it to the window (creating it if needed).
  void Paint() override;
  // The picture of the last paint.
  const TBitmap& GrafBmp() const { return FGrafBmp; }

  // Fires OnMouseMoveInGauge.
  void MouseMoveInGauge(bool inGauge, TShiftState shift, double rMousePos);

  // Registers the published properties (once; called by the constructor).
  static void RegisterProperties();

  TMouseMoveInGaugeEvent OnMouseMoveInGauge;

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
  void MouseMove(TShiftState shift, std::int32_t x, std::int32_t y) override;

 private:
  bool IsLoading() const;
  // Repaints when the window exists and no form is loading.
  void TriggerPaint();
  void SetMargin(std::int32_t& field, std::int32_t v, std::int32_t size, std::int32_t opposite);
  // Refuses a range end the gauge cannot take.
  bool AcceptsLimit(double v, double other) const;
  template <typename T>
  void SetAndPaint(T& field, T v) {
    if (field == v) return;
    field = v;
    TriggerPaint();
  }

  TFrameStyle FInnerFrameSt = TFrameStyle::fsLowered;
  TFrameStyle FOuterFrameSt = TFrameStyle::fsRaised;
  std::string FCaption;
  TColor FCaptColor = 0;
  std::int32_t FCaptPosX = 10, FCaptPosY = 10;
  std::int32_t FCaptSize = 12;
  TFontStyles FCaptStyle{TFontStyle::fsBold};
  double FGaugeMin = -10, FGaugeMax = 10;
  double FGaugeValue = 0;
  TGaugeOrientation FGaugeOrient = TGaugeOrientation::goHorizontal;
  TGaugeBackground FGaugeBG = TGaugeBackground::gbVertGrad;
  TGaugeIndexMode FGaugeIdxMode = TGaugeIndexMode::gimTriangle;
  double FGaugeZero = 0;
  std::int32_t FCovMargLeft = 20, FCovMargRight = 10, FCovMargTop = 10, FCovMargBottom = 20;
  bool FLogarithmic = false;
  std::int32_t FMinTicks = 3;
  bool FShortTicks = true;
  TColor FColorIndex1 = 0, FColorIndex2 = 0x0000FF;
  TColor FColorSclBG1 = 0x808080, FColorSclBG2 = 0xFFFFFF;
  TColor FColorCover = 0xC0C0C0;
  TColor FColorScale = 0;
  TColor FColBlackLine = 0, FColGrayLine = 0x808080, FColWhiteLine = 0xFFFFFF;
  TColorScheme FColorScheme = TColorScheme::csBWG;
  std::unique_ptr<TScale> FScale;
  bool FScaleFixed = true;
  TBitmap FGrafBmp;
  bool FPainting = false;  // guards against re-entry from event handlers
  TGaugeBoxes FBoxes;      // scratch of one paint, kept to spare allocations
  TBitmap FRowBmp;         // one row of a vertical gradient, likewise
};

// Places TScaleGauge on the component palette page "Mivo".
void RegisterGauge();

}  // namespace mivo
MIVO_PUBLIC_END
