// TScaleGauge: construction, the inner dial's placement, setters and Assign.
#include "mivo/gauge/gauge.h"

#include <cmath>

#include "mivo/platform/colors.h"

namespace mivo {

namespace {
constexpr std::int32_t kDefaultWidth = 300, kDefaultHeight = 75;
constexpr TColor kGrayShade = 0x808080, kWhiteShade = 0xFFFFFF;
}  // namespace

TScaleGauge::TScaleGauge(TComponent* owner) : TCustomControl(owner), FScale(std::make_unique<TScale>(this)) {
  RegisterProperties();
  FGrafBmp.SetSize(kDefaultWidth, kDefaultHeight);
  TScale& s = *FScale;
  s.SetSuppressPaint(true);
  s.SetIsHelper(true);
  s.UseForeignCanvas(&FGrafBmp.Canvas(), 0, 0);
  s.SetName("GaugeScale");
  s.SetBounds(0, 0, kDefaultWidth, kDefaultHeight);
  s.SetFrameStyle(TFrameStyle::fsNone);
  s.SetTransparent(true);
  s.SetScaleType(TScaleType::sctHorzDown);
  s.SetRange(FGaugeMin, FGaugeMax);
  s.SetLogarithmic(false);
  // The gauge's tick settings start as the dial's own.
  s.SetMinTicks(FMinTicks);
  s.SetShortTicks(FShortTicks);
  TCustomControl::SetBounds(FLeft, FTop, kDefaultWidth, kDefaultHeight);
  SetScaleDims();
}

TScaleGauge::~TScaleGauge() = default;

bool TScaleGauge::IsLoading() const { return ComponentState().Contains(TComponentStateItem::csLoading); }

void TScaleGauge::TriggerPaint() {
  if (IsLoading() || !HandleAllocated()) return;
  Repaint();
}

// ---------------------------------------------------------------- value and range

void TScaleGauge::SetValue(double v) {
  if (!std::isfinite(v) || v == FGaugeValue) return;
  FGaugeValue = IsLoading() ? v : LimitGaugeValue(v, FGaugeMin, FGaugeMax);
  TriggerPaint();
}

bool TScaleGauge::AcceptsLimit(double v, double other) const {
  if (!std::isfinite(v) || !std::isfinite(v - other)) return false;
  return !FLogarithmic || v > 0;
}

void TScaleGauge::SetMin(double v) {
  if (v == FGaugeMin || !AcceptsLimit(v, FGaugeMax)) return;
  FGaugeMin = v;
  FScale->SetRangeLow(v);
  TriggerPaint();
}

void TScaleGauge::SetMax(double v) {
  if (v == FGaugeMax || !AcceptsLimit(v, FGaugeMin)) return;
  FGaugeMax = v;
  FScale->SetRangeHigh(v);
  TriggerPaint();
}

void TScaleGauge::SetGaugeZero(double v) {
  if (!std::isfinite(v)) return;
  SetAndPaint(FGaugeZero, v);
}

void TScaleGauge::SetLogarithmic(bool b) {
  if (b == FLogarithmic || !(FGaugeMin > 0 && FGaugeMax > 0)) return;
  // A moving dial may be centred on a value the logarithm cannot take.
  if (!FScaleFixed) FScale->SetRange(FGaugeMin, FGaugeMax);
  FScale->SetLogarithmic(b);
  // The dial maps positive values down to a limit of its own; the gauge
  // follows what the dial took.
  if (FScale->Logarithmic() != b) return;
  FLogarithmic = b;
  TriggerPaint();
}

void TScaleGauge::SetFixedDial(bool b) {
  if (b == FScaleFixed) return;
  FScaleFixed = b;
  FScale->SetLabelsWithinMargins(b);
  if (b) {
    FScale->SetRange(FGaugeMin, FGaugeMax);
    SetScaleDims();
  }
  TriggerPaint();
}

double TScaleGauge::ConvertPixelToScale(std::int32_t pixelCoord) const { return FScale->ConvertPixelToScale(pixelCoord); }

// ---------------------------------------------------------------- dial

void TScaleGauge::SetMinTicks(std::int32_t n) {
  if (n == FMinTicks) return;
  FMinTicks = n;
  FScale->SetMinTicks(n);
  TriggerPaint();
}

void TScaleGauge::SetShortTicks(bool b) {
  if (b == FShortTicks) return;
  FShortTicks = b;
  FScale->SetShortTicks(b);
  TriggerPaint();
}

void TScaleGauge::SetOrientation(TGaugeOrientation o) {
  if (std::uint8_t(o) > std::uint8_t(TGaugeOrientation::goVertical)) return;
  FGaugeOrient = o;
  SetScaleDims();
  TriggerPaint();
}

void TScaleGauge::SetScaleDims() {
  TScale& s = *FScale;
  s.SetBounds(0, 0, FWidth, FHeight);
  // A fixed dial's end labels stay in the window rather than under the cover.
  s.SetLabelsWithinMargins(FScaleFixed);
  s.SetMarginLeft(FCovMargLeft);
  s.SetMarginTop(FCovMargTop);
  if (FGaugeOrient == TGaugeOrientation::goHorizontal) {
    s.SetScaleType(TScaleType::sctHorzUp);
    s.SetMarginRight(FCovMargRight);
    s.SetMarginBottom(FCovMargBottom + kGaugeIndexRoom);
  } else {
    s.SetScaleType(TScaleType::sctVertLeft);
    s.SetMarginRight(FCovMargRight + kGaugeIndexRoom);
    s.SetMarginBottom(FCovMargBottom);
  }
}

// ---------------------------------------------------------------- look

void TScaleGauge::SetBackground(TGaugeBackground b) {
  if (std::uint8_t(b) > std::uint8_t(TGaugeBackground::gbHorizMidBand)) return;
  SetAndPaint(FGaugeBG, b);
}

void TScaleGauge::SetIndexMode(TGaugeIndexMode m) {
  if (std::uint8_t(m) > std::uint8_t(TGaugeIndexMode::gimBar)) return;
  SetAndPaint(FGaugeIdxMode, m);
}

void TScaleGauge::SetColorBg1(TColor c) { SetAndPaint(FColorSclBG1, c); }
void TScaleGauge::SetColorBg2(TColor c) { SetAndPaint(FColorSclBG2, c); }
void TScaleGauge::SetColorIndex1(TColor c) { SetAndPaint(FColorIndex1, c); }
void TScaleGauge::SetColorIndex2(TColor c) { SetAndPaint(FColorIndex2, c); }
void TScaleGauge::SetColorCover(TColor c) { SetAndPaint(FColorCover, c); }
void TScaleGauge::SetColorScale(TColor c) { SetAndPaint(FColorScale, c); }

void TScaleGauge::SetColorScheme(TColorScheme s) {
  if (s == FColorScheme || std::uint8_t(s) > std::uint8_t(TColorScheme::csWindows)) return;
  FColorScheme = s;
  const bool fixed = s == TColorScheme::csBWG;
  FColGrayLine = fixed ? kGrayShade : clBtnShadow;
  FColWhiteLine = fixed ? kWhiteShade : clBtnHighlight;
  TriggerPaint();
}

void TScaleGauge::SetFrameStyleOuter(TFrameStyle s) {
  if (std::uint8_t(s) > std::uint8_t(TFrameStyle::fsEngraved)) return;
  SetAndPaint(FOuterFrameSt, s);
}

void TScaleGauge::SetFrameStyleInner(TFrameStyle s) {
  if (std::uint8_t(s) > std::uint8_t(TFrameStyle::fsEngraved)) return;
  SetAndPaint(FInnerFrameSt, s);
}

// ---------------------------------------------------------------- margins

void TScaleGauge::SetMargin(std::int32_t& field, std::int32_t v, std::int32_t size, std::int32_t opposite) {
  if (v == field) return;
  // A form stores margins that fitted together; while it loads, the opposite
  // margin may still hold its default.
  field = IsLoading() ? std::max(v, 0) : LimitGaugeMargin(v, size, opposite);
  SetScaleDims();
  TriggerPaint();
}

void TScaleGauge::SetMarginLeft(std::int32_t v) { SetMargin(FCovMargLeft, v, FWidth, FCovMargRight); }
void TScaleGauge::SetMarginRight(std::int32_t v) { SetMargin(FCovMargRight, v, FWidth, FCovMargLeft); }
void TScaleGauge::SetMarginTop(std::int32_t v) { SetMargin(FCovMargTop, v, FHeight, FCovMargBottom); }
void TScaleGauge::SetMarginBottom(std::int32_t v) { SetMargin(FCovMargBottom, v, FHeight, FCovMargTop); }

// ---------------------------------------------------------------- caption

void TScaleGauge::SetCaption(const std::string& s) { SetAndPaint(FCaption, s); }
void TScaleGauge::SetCaptionColor(TColor c) { SetAndPaint(FCaptColor, c); }
void TScaleGauge::SetCaptionPosX(std::int32_t v) { SetAndPaint(FCaptPosX, v); }
void TScaleGauge::SetCaptionPosY(std::int32_t v) { SetAndPaint(FCaptPosY, v); }
void TScaleGauge::SetCaptionSize(std::int32_t v) { SetAndPaint(FCaptSize, v); }
void TScaleGauge::SetCaptionStyle(TFontStyles s) { SetAndPaint(FCaptStyle, s); }

// ---------------------------------------------------------------- control

void TScaleGauge::SetEnabled(bool b) {
  TCustomControl::SetEnabled(b);
  if (!IsLoading() && HandleAllocated()) Refresh();
}

void TScaleGauge::SetFont(const TFont& f) {
  TCustomControl::SetFont(f);
  TriggerPaint();
}

void TScaleGauge::SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
  TCustomControl::SetBounds(left, top, width, height);
  SetScaleDims();
  TriggerPaint();
}

void TScaleGauge::Loaded() {
  TCustomControl::Loaded();
  SetScaleDims();
  TriggerPaint();
}

void TScaleGauge::MouseMoveInGauge(bool inGauge, TShiftState shift, double rMousePos) {
  if (OnMouseMoveInGauge) OnMouseMoveInGauge(*this, inGauge, shift, rMousePos);
}

// ---------------------------------------------------------------- assignment

void TScaleGauge::Assign(const TPersistent& source) {
  const auto* g = dynamic_cast<const TScaleGauge*>(&source);
  if (!g) {
    TCustomControl::Assign(source);
    return;
  }
  if (g == this) return;
  FOuterFrameSt = g->FOuterFrameSt;
  SetAntialiased(g->Antialiased());
  FInnerFrameSt = g->FInnerFrameSt;
  FEnabled = g->FEnabled;
  FGaugeValue = g->FGaugeValue;
  FColorSclBG1 = g->FColorSclBG1;
  FColorSclBG2 = g->FColorSclBG2;
  FColBlackLine = g->FColBlackLine;
  FColGrayLine = g->FColGrayLine;
  FColWhiteLine = g->FColWhiteLine;
  FColorScheme = g->FColorScheme;
  TriggerPaint();
}

void TScaleGauge::AssignTo(TPersistent& dest) const {
  if (auto* target = dynamic_cast<TScaleGauge*>(&dest)) {
    target->Assign(*this);
    return;
  }
  TCustomControl::AssignTo(dest);
}

}  // namespace mivo
