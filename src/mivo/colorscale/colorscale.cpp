// TColorScale: construction, the model's setters, conversions and Assign.
#include "mivo/colorscale/colorscale.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "mivo/colorscale/colorscale_internal.h"

namespace mivo {

namespace {

constexpr std::int32_t kDefaultWidth = 300;
constexpr std::int32_t kDefaultHeight = 75;
constexpr double kDefaultRange = 10;
constexpr std::int32_t kMinTicksLow = 2;
constexpr std::int32_t kMinTicksHigh = 10;

// Ranges whose width is not a finite double cannot be mapped (as in TScale).
bool MappableRange(double low, double high) { return std::isfinite(high - low); }

// Ends one step apart on each side of x: x - 1 and x + 1, or a relative step
// where adding 1 changes nothing. False when no finite pair exists.
bool MoveApart(double x, double& low, double& high) {
  double step = 1;
  if (x + step == x) step = std::fabs(x) * 1e-12;
  low = x - step;
  high = x + step;
  return MappableRange(low, high) && low != high;
}

}  // namespace

TColorScale::TColorScale(TComponent* owner)
    : TCustomControl(owner),
      FCrossHair(std::make_unique<detail::TColorScaleCrossHair>()),
      FGrafBmp(std::make_unique<TBitmap>()),
      FScale(std::make_unique<TScale>(this)) {
  RegisterProperties();
  FSuppressPaint = true;
  FCaptStyle = TFontStyles{TFontStyle::fsBold};
  FCrossHair->SetPos(0, 0);
  FCrossHair->SetColor(0x0000FF);
  FCrossHair->SetMode(TCrossHMode::chBoth);
  FCrossHair->SetLineType(TPenStyle::psDot);
  FCrossHair->SetLineWidth(1);
  FCrossHair->OnChange = [this](TObject&) { TriggerPaint(); };
  ColorArray.OnChange = [this](TObject& sender) { ColorArrayChange(sender); };

  TScale& s = *FScale;
  s.SetSuppressPaint(true);
  s.SetIsHelper(true);
  s.UseForeignCanvas(&FGrafBmp->Canvas(), 0, 0);
  s.SetName("ColorScale");
  s.SetBounds(0, 0, kDefaultWidth, kDefaultHeight);
  s.SetFrameStyle(TFrameStyle::fsNone);
  s.SetTransparent(true);
  s.SetScaleType(TScaleType::sctHorzDown);
  s.SetRange(-kDefaultRange, kDefaultRange);

  TCustomControl::SetBounds(FLeft, FTop, kDefaultWidth, kDefaultHeight);
  SetScaleDims();
}

TColorScale::~TColorScale() {
  FCrossHair->OnChange = nullptr;
  ColorArray.OnChange = nullptr;
}

bool TColorScale::IsLoading() const { return ComponentState().Contains(TComponentStateItem::csLoading); }

void TColorScale::TriggerPaint() {
  if (FSuppressPaint || IsLoading()) return;
  Repaint();
}

void TColorScale::SetSuppPaint(bool b) {
  FSuppressPaint = b;
  if (!b) TriggerPaint();
}

void TColorScale::CreateWnd() {
  TCustomControl::CreateWnd();
  FSuppressPaint = false;
}

// ---------------------------------------------------------------- ranges

void TColorScale::ReadBackRange() {
  FColSclMin = FScale->RangeLow();
  FColSclMax = FScale->RangeHigh();
}

void TColorScale::SetScaleRange(double low, double high) {
  if (!MappableRange(low, high)) return;
  if (low == high && !MoveApart(low, low, high)) return;
  FScale->SetRange(low, high);
  ReadBackRange();
  FColorLow = low;
  FColorHigh = high;
  TriggerPaint();
}

void TColorScale::SetScaleRangeLow(double v) {
  FScale->SetRangeLow(v);
  // The scale may have moved the other end too (equal ends): keep both.
  ReadBackRange();
  TriggerPaint();
}

void TColorScale::SetScaleRangeHigh(double v) {
  FScale->SetRangeHigh(v);
  ReadBackRange();
  TriggerPaint();
}

void TColorScale::SetColorLow(double v) {
  const double high = IsLoading() || v <= FColorHigh ? FColorHigh : v;
  if (!std::isfinite(v) || !MappableRange(v, high)) return;
  FColorLow = v;
  FColorHigh = high;
  TriggerPaint();
}

void TColorScale::SetColorHigh(double v) {
  const double low = IsLoading() || v >= FColorLow ? FColorLow : v;
  if (!std::isfinite(v) || !MappableRange(low, v)) return;
  FColorHigh = v;
  FColorLow = low;
  TriggerPaint();
}

// ---------------------------------------------------------------- conversions

TColor TColorScale::ValueToColor(double v) const {
  const std::int32_t index = ValueToColorIndex(v, FColorLow, FColorHigh, ColorArray.Size());
  return index == 0 ? FColorSclBkgd : ColorArray.GetColorElem(index);
}

double TColorScale::ColorToValue(TColor cl) const {
  return ColorIndexToValue(ColorArray.ColorToIndex(cl), ColorArray.Size(), FColorLow, FColorHigh);
}

std::int32_t TColorScale::ValueToPixel(double v) const { return FScale->ConvertToPixelCoords(v); }

// ---------------------------------------------------------------- look

void TColorScale::SetCaption(const std::string& s) {
  if (s == FCaption) return;
  FCaption = s;
  TriggerPaint();
}

void TColorScale::SetCaptionColor(TColor c) {
  if (c == FCaptColor) return;
  FCaptColor = c;
  TriggerPaint();
}

void TColorScale::SetCaptionPosX(std::int32_t v) {
  if (v == FCaptPosX) return;
  FCaptPosX = v;
  TriggerPaint();
}

void TColorScale::SetCaptionPosY(std::int32_t v) {
  if (v == FCaptPosY) return;
  FCaptPosY = v;
  TriggerPaint();
}

void TColorScale::SetCaptionSize(std::int32_t v) {
  if (v == FCaptSize) return;
  FCaptSize = v;
  TriggerPaint();
}

void TColorScale::SetCaptionStyle(TFontStyles s) {
  if (s == FCaptStyle) return;
  FCaptStyle = s;
  TriggerPaint();
}

void TColorScale::SetColorSclBkgd(TColor c) {
  if (c == FColorSclBkgd) return;
  FColorSclBkgd = c;
  TriggerPaint();
}

void TColorScale::SetColorOfScale(TColor c) {
  if (c == FColorScale) return;
  FColorScale = c;
  TriggerPaint();
}

void TColorScale::SetColorScheme(TColorScheme s) {
  if (s == FColorScheme) return;
  FColorScheme = s;
  // The inner scale knows the shades of each scheme.
  FScale->SetColorScheme(s);
  FColBlackLine = FScale->ColBlackLine();
  FColGrayLine = FScale->ColGrayLine();
  FColWhiteLine = FScale->ColWhiteLine();
  TriggerPaint();
}

void TColorScale::SetFrameStyle(TFrameStyle s) {
  if (s == FFrameSt) return;
  FFrameSt = s;
  TriggerPaint();
}

void TColorScale::SetExtendColors(bool b) {
  if (b == FExtendColors) return;
  FExtendColors = b;
  TriggerPaint();
}

void TColorScale::SetFramedColorScale(bool b) {
  if (b == FFramedColors) return;
  FFramedColors = b;
  TriggerPaint();
}

void TColorScale::SetOrientation(TColScaleOrientation o) {
  FColScaleOrient = o;
  SetScaleDims();
  TriggerPaint();
}

std::int32_t TColorScale::MinTicks() const { return FScale->MinTicks(); }

void TColorScale::SetMinTicks(std::int32_t n) {
  FScale->SetMinTicks(std::clamp(n, kMinTicksLow, kMinTicksHigh));
  TriggerPaint();
}

// ---------------------------------------------------------------- geometry

void TColorScale::SetMargin(std::int32_t& field, std::int32_t v, std::int32_t size, std::int32_t opposite) {
  if (v == field) return;
  field = LimitMargin(v, size, opposite);
  SetScaleDims();
  TriggerPaint();
}

void TColorScale::SetMarginTop(std::int32_t v) { SetMargin(FMarginTop, v, FHeight, FMarginBottom); }
void TColorScale::SetMarginBottom(std::int32_t v) { SetMargin(FMarginBottom, v, FHeight, FMarginTop); }
void TColorScale::SetMarginLeft(std::int32_t v) { SetMargin(FMarginLeft, v, FWidth, FMarginRight); }
void TColorScale::SetMarginRight(std::int32_t v) { SetMargin(FMarginRight, v, FWidth, FMarginLeft); }

void TColorScale::SetScaleDims() {
  TScale& s = *FScale;
  // Pixels across the bar in 64 bits: margins have no lower limit.
  auto across = [](std::int64_t size, std::int64_t margin) {
    return std::int32_t(std::clamp<std::int64_t>(size - margin, 0, std::numeric_limits<std::int32_t>::max()));
  };
  s.SetBounds(0, 0, FWidth, FHeight);
  if (Horizontal()) {
    s.SetScaleType(TScaleType::sctHorzDown);
    s.SetMarginTop(across(FHeight, FMarginBottom));
    s.SetMarginLeft(FMarginLeft);
    s.SetMarginRight(FMarginRight);
  } else {
    s.SetScaleType(TScaleType::sctVertRight);
    s.SetMarginLeft(across(FWidth, FMarginRight));
    s.SetMarginTop(FMarginTop);
    s.SetMarginBottom(FMarginBottom);
  }
}

std::int32_t TColorScale::BarLength() const {
  const std::int64_t len = Horizontal() ? std::int64_t(FWidth) - FMarginLeft - FMarginRight
                                        : std::int64_t(FHeight) - FMarginTop - FMarginBottom;
  return std::int32_t(std::clamp<std::int64_t>(len, std::numeric_limits<std::int32_t>::min(),
                                               std::numeric_limits<std::int32_t>::max()));
}

void TColorScale::SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
  TCustomControl::SetBounds(left, top, width, height);
  SetScaleDims();
  TriggerPaint();
}

void TColorScale::Loaded() {
  TCustomControl::Loaded();
  SetScaleDims();
  ReadBackRange();
  TriggerPaint();
}

// ---------------------------------------------------------------- crosshair and events

void TColorScale::SetCrossHair(const TCrossHair& c) {
  TCrossHair copy;
  copy.Assign(c);
  if (!std::isfinite(copy.PosX())) copy.SetPosX(FCrossHair->PosX());
  if (!std::isfinite(copy.PosY())) copy.SetPosY(FCrossHair->PosY());
  FCrossHair->Assign(copy);  // notifies (and repaints) when anything changed
}

void TColorScale::ColorArrayChange(TObject&) { TriggerPaint(); }

void TColorScale::DoCrossHMoveEvent() {
  if (OnCrossHairMove) OnCrossHairMove(*this);
}

void TColorScale::DoZoomPanEvent() {
  if (OnZoomPan) OnZoomPan(*this);
}

void TColorScale::MouseMoveInScale(bool inScale, TShiftState shift, double rMousePos) {
  if (OnMouseMoveInScale) OnMouseMoveInScale(*this, inScale, shift, rMousePos);
}

// ---------------------------------------------------------------- assignment

void TColorScale::Assign(const TPersistent& source) {
  const auto* s = dynamic_cast<const TColorScale*>(&source);
  if (!s) {
    TCustomControl::Assign(source);
    return;
  }
  if (s == this) return;
  const bool suppress = s->FSuppressPaint;
  FSuppressPaint = true;  // one repaint at the end
  FFrameSt = s->FFrameSt;
  SetAntialiased(s->Antialiased());
  FCaption = s->FCaption;
  FCaptColor = s->FCaptColor;
  FCaptPosX = s->FCaptPosX;
  FCaptPosY = s->FCaptPosY;
  FCaptSize = s->FCaptSize;
  FCaptStyle = s->FCaptStyle;
  FExtendColors = s->FExtendColors;
  FLeftButWasDown = false;  // a drag of the source is not ours
  FMarginTop = s->FMarginTop;
  FMarginBottom = s->FMarginBottom;
  FMarginLeft = s->FMarginLeft;
  FMarginRight = s->FMarginRight;
  FMouseAction = s->FMouseAction;
  FMouseAnchorX = s->FMouseAnchorX;
  FMouseAnchorY = s->FMouseAnchorY;
  FAnchorSclLow = s->FAnchorSclLow;
  FAnchorSclHigh = s->FAnchorSclHigh;
  FZoomPanMode = s->FZoomPanMode;
  FFramedColors = s->FFramedColors;
  FColorLow = s->FColorLow;
  FColorHigh = s->FColorHigh;
  FColScaleOrient = s->FColScaleOrient;
  FColorSclBkgd = s->FColorSclBkgd;
  FColorScale = s->FColorScale;
  FColBlackLine = s->FColBlackLine;
  FColGrayLine = s->FColGrayLine;
  FColWhiteLine = s->FColWhiteLine;
  FColorScheme = s->FColorScheme;
  OnMouseMoveInScale = s->OnMouseMoveInScale;
  OnCrossHairMove = s->OnCrossHairMove;
  OnDataRendered = s->OnDataRendered;
  OnZoomPan = s->OnZoomPan;
  FCrossHair->Assign(*s->FCrossHair);
  ColorArray.CopyFrom(s->ColorArray);
  // The inner scale keeps drawing on our bitmap (Assign does not copy the
  // canvas) and follows our size.
  FScale->Assign(*s->FScale);
  FScale->SetSuppressPaint(true);
  SetScaleDims();
  ReadBackRange();
  FSuppressPaint = suppress;
  TriggerPaint();
}

void TColorScale::AssignTo(TPersistent& dest) const {
  if (auto* target = dynamic_cast<TColorScale*>(&dest)) {
    target->Assign(*this);
    return;
  }
  TCustomControl::AssignTo(dest);
}

}  // namespace mivo
