#include "mivo/scale/scale.h"

#include <algorithm>
#include <cmath>

#include "mivo/platform/colors.h"
#include "mivo/scale/scale_labels.h"

namespace mivo {

namespace {

constexpr std::int32_t kMinTicksLow = 2;
constexpr std::int32_t kMinTicksHigh = 10;
constexpr std::int32_t kDecPlacesLow = -3;
constexpr std::int32_t kDecPlacesHigh = 12;
constexpr std::int32_t kDefaultSize = 400;
constexpr TColor kGrayShade = 0x808080;
constexpr TColor kWhiteShade = 0xFFFFFF;
constexpr double kPixelLimit = 2147483647.0;

// The end one above x: x + 1, or the next representable step up when x is so
// large that adding 1 changes nothing. NaN when no finite value lies above.
double OneAbove(double x) {
  double r = x + 1;
  if (r == x) r = x + std::fabs(x) * 1e-12;
  return std::isfinite(r) && r != x ? r : std::nan("");
}

// A range is accepted only when its width is a finite double too: -1e308 ...
// 1e308 has finite ends, but no slope can map it. Non-finite ends fail as well.
bool MappableRange(double low, double high) { return std::isfinite(high - low); }

}  // namespace

TScale::TScale(TComponent* owner) : TCustomControl(owner), FDTFormat(std::make_unique<TDTLabel>()) {
  RegisterProperties();
  FScaleTickPos.assign(std::size_t(kMaxRecordedTicks), 0.0);
  TCustomControl::SetBounds(FLeft, FTop, kDefaultSize, kDefaultSize);
  ResetComp();
}

TScale::~TScale() {
  if (FDTFormat) FDTFormat->OnChange = nullptr;
}

bool TScale::IsLoading() const { return ComponentState().Contains(TComponentStateItem::csLoading); }

void TScale::ResetComp() {
  FSuppressPaint = true;
  FNotYetLoaded = true;
  FRangeLow = 0;
  FRangeHigh = 100;
  FAxLog = false;
  FNumTicks = 3;
  FShortTicks = true;
  FDecPlaces = -2;
  FLabelType = TFigType::ftNum;
  FScaleType = TScaleType::sctHorzUp;
  FUserTicktext.clear();
  FScaleInscript.clear();
  FUnitLabel.clear();
  FLblPosX = 4;
  FLblPosY = 4;
  FLblAlign = TAlignment::taCenter;
  FLblAnchor = TScaleUnitAnchor::uaSclTopLft;
  FMarginTop = FMarginBottom = FMarginLeft = FMarginRight = 20;
  FDrawBaseLine = true;
  FTransparent = false;
  FColorFG = clBlack;
  FColorBG = clBtnFace;
  FColorScheme = TColorScheme::csBWG;
  FFrameStyle = TFrameStyle::fsLowered;
  FColBlackLine = 0;
  FColGrayLine = kGrayShade;
  FColWhiteLine = kWhiteShade;
  FTransf_k = 1;
  FTransf_d = 0;
  FForeignCv = nullptr;
  FForCvPosX = FForCvPosY = 0;
  FIsHelper = false;
  OnScaleTickDrawn = nullptr;
  OnBeforeTickLabel = nullptr;
  OnBeforeScaleRendered = nullptr;
  OnAfterScaleRendered = nullptr;
  FDTFormat->OnChange = nullptr;
  FDTFormat->SetTimeFormat(TTimeFormat::tfHHMM);
  FDTFormat->SetDateSeparator('-');
  FDTFormat->SetTimeSeparator(':');
  FDTFormat->SetYearLength(TYearLength::ylYYYY);
  FDTFormat->SetMonthName(true);
  FDTFormat->SetDateForTime(TDateForTime::dtOnDayChange);
  FDTFormat->SetDAteOrder(TDateOrder::doDMY);
  FDTFormat->OnChange = [this](TObject& sender) { Changed(sender); };
  AdjustScalePars();
}

// ---------------------------------------------------------------- mapping

void TScale::AdjustScalePars() {
  if (IsLoading() || FRangeHigh == FRangeLow) return;
  const bool horizontal = IsHorizontal(FScaleType);
  const double n = horizontal ? double(FWidth) - FMarginLeft - FMarginRight - 1
                              : double(FHeight) - FMarginTop - FMarginBottom - 1;
  const double middle = double((horizontal ? FWidth : FHeight) / 2);
  if (n <= 0) {
    FTransf_k = 0;
    FTransf_d = middle;
    return;
  }
  double k = FTransf_k, d = FTransf_d;
  if (!FAxLog) {
    if (horizontal) {
      k = n / (FRangeHigh - FRangeLow);
      d = FMarginLeft - FRangeLow * k;
    } else {
      k = n / (FRangeLow - FRangeHigh);
      d = FMarginTop - FRangeHigh * k;
    }
  } else if (FRangeLow > 0 && FRangeHigh > 0) {
    if (horizontal) {
      k = n / (std::log(FRangeHigh) - std::log(FRangeLow));
      d = FMarginLeft - std::log(FRangeLow) * k;
    } else {
      k = n / (std::log(FRangeLow) - std::log(FRangeHigh));
      d = FMarginTop - std::log(FRangeHigh) * k;
    }
  }
  // A range the doubles cannot map (wider than the double range, or so narrow
  // that the slope overflows) maps everything to the middle.
  if (!std::isfinite(k) || !std::isfinite(d)) {
    k = 0;
    d = middle;
  }
  FTransf_k = k;
  FTransf_d = d;
}

std::int32_t TScale::R2M(double x) const {
  double p;
  if (FAxLog) {
    // Values a logarithmic scale cannot show go to the edge beyond its low
    // end: left (or, reversed, right) on horizontal scales; bottom (or,
    // reversed, top) on vertical ones, whose high end is at the top.
    if (x <= kLogMinPositive) {
      const bool ascending = FRangeHigh >= FRangeLow;
      if (IsVertical(FScaleType)) return ascending ? FHeight : 0;
      return ascending ? 0 : FWidth;
    }
    p = FTransf_k * std::log(x) + FTransf_d;
  } else {
    p = FTransf_k * x + FTransf_d;
  }
  // Clamped symmetrically to +-2147483647; NaN maps to 0.
  if (std::isnan(p)) return 0;
  return RoundToInt(std::fmax(-kPixelLimit, std::fmin(kPixelLimit, p)));
}

double TScale::M2R(std::int32_t p) const {
  if (FTransf_k == 0) return GetScaleCenter();
  const double v = (double(p) - FTransf_d) / FTransf_k;
  return FAxLog ? std::exp(v) : v;
}

// ---------------------------------------------------------------- range setters

void TScale::SetRangeLow(double x) {
  if (!MappableRange(x, FRangeHigh)) return;
  if (x == FRangeHigh) {
    const double above = OneAbove(x);
    if (std::isnan(above)) return;
    FRangeHigh = above;
  }
  FRangeLow = x;
  AdjustScalePars();
  TriggerPaint();
}

void TScale::SetRangeHigh(double x) {
  if (!MappableRange(FRangeLow, x)) return;
  if (x == FRangeLow) {
    const double above = OneAbove(x);
    if (std::isnan(above)) return;
    FRangeLow = above;
  }
  FRangeHigh = x;
  AdjustScalePars();
  TriggerPaint();
}

void TScale::SetRange(double low, double high) {
  if (!MappableRange(low, high)) return;
  if (low == high) {
    high = OneAbove(low);
    if (std::isnan(high)) return;
  }
  FRangeLow = low;
  FRangeHigh = high;
  AdjustScalePars();
  TriggerPaint();
}

void TScale::SetLogarithmic(bool b) {
  FLogRefusal.clear();
  if (!b)
    FAxLog = false;
  else if (IsLoading())
    FAxLog = true;
  else if (FLogRefusal = LogAxisRefusal(FRangeLow, FRangeHigh, FLabelType == TFigType::ftDateTime); FLogRefusal.empty())
    FAxLog = true;
  AdjustScalePars();
  TriggerPaint();
}

// ---------------------------------------------------------------- other setters

void TScale::SetLabelsWithinMargins(bool b) {
  if (b == FLabelsWithinMargins) return;
  FLabelsWithinMargins = b;
  TriggerPaint();
}

void TScale::SetMinTicks(std::int32_t n) {
  FNumTicks = n == 0 ? 0 : std::clamp(n, kMinTicksLow, kMinTicksHigh);
  TriggerPaint();
}

double TScale::GetTickPos(std::int32_t ix) const {
  if (ix < 1 || ix > FTickCount || std::size_t(ix) > FScaleTickPos.size()) return 0;
  return FScaleTickPos[std::size_t(ix - 1)];
}

void TScale::SetShortTicks(bool b) {
  if (b == FShortTicks) return;
  FShortTicks = b;
  TriggerPaint();
}

void TScale::SetDecPlaces(std::int32_t n) {
  FDecPlaces = std::clamp(n, kDecPlacesLow, kDecPlacesHigh);
  AdjustScalePars();
  TriggerPaint();
}

void TScale::SetLabelType(TFigType t) {
  if (std::uint8_t(t) > std::uint8_t(TFigType::ftUserText)) return;
  FLabelType = t;
  if (t == TFigType::ftDateTime) FAxLog = false;
  // While loading, the stored DecPlaces is the truth (a default -2 is not stored).
  if (t == TFigType::ftTime && !IsLoading()) FDecPlaces = 4;
  AdjustScalePars();
  TriggerPaint();
}

void TScale::SetScaleType(TScaleType t) {
  if (t == FScaleType) return;
  FScaleType = t;
  AdjustScalePars();
  TriggerPaint();
}

void TScale::SetDateFormat(const TDTLabel& f) {
  FDTFormat->Assign(f);
  TriggerPaint();
}

void TScale::SetUserTickText(const std::string& s) {
  FUserTicktext = s;
  TriggerPaint();
}

void TScale::SetScaleInscript(const std::string& s) {
  FScaleInscript = s;
  TriggerPaint();
}

std::string TScale::ExtractUserText(const std::string& text, std::int32_t index) {
  return mivo::ExtractUserText(text, index);
}

std::string TScale::AddScaleInscription(const std::string& label, const std::string& inscription) {
  return mivo::AddScaleInscription(label, inscription);
}

void TScale::SetCaption(const std::string& s) {
  FUnitLabel = s;
  TriggerPaint();
}

void TScale::SetCaptionPosX(std::int32_t v) {
  FLblPosX = v;
  TriggerPaint();
}

void TScale::SetCaptionPosY(std::int32_t v) {
  FLblPosY = v;
  TriggerPaint();
}

void TScale::SetCaptionAlignment(TAlignment a) {
  FLblAlign = a;
  TriggerPaint();
}

void TScale::SetCaptionAnchor(TScaleUnitAnchor a) {
  FLblAnchor = a;
  TriggerPaint();
}

void TScale::SetMargin(std::int32_t& field, std::int32_t v) {
  field = std::max(v, 0);
  AdjustScalePars();
  TriggerPaint();
}

void TScale::SetMarginTop(std::int32_t v) { SetMargin(FMarginTop, v); }
void TScale::SetMarginBottom(std::int32_t v) { SetMargin(FMarginBottom, v); }
void TScale::SetMarginLeft(std::int32_t v) { SetMargin(FMarginLeft, v); }
void TScale::SetMarginRight(std::int32_t v) { SetMargin(FMarginRight, v); }

void TScale::SetShowBaseLine(bool b) {
  FDrawBaseLine = b;
  TriggerPaint();
}

void TScale::SetTransparent(bool b) {
  FTransparent = b;
  TriggerPaint();
}

void TScale::SetColorScale(TColor c) {
  if (c == FColorFG) return;
  FColorFG = c;
  TriggerPaint();
}

void TScale::SetColorBackGnd(TColor c) {
  if (c == FColorBG) return;
  FColorBG = c;
  TriggerPaint();
}

void TScale::SetColorScheme(TColorScheme s) {
  if (s == FColorScheme) return;
  FColorScheme = s;
  if (s == TColorScheme::csBWG) {
    FColGrayLine = kGrayShade;
    FColWhiteLine = kWhiteShade;
  } else {
    FColGrayLine = clBtnShadow;
    FColWhiteLine = clBtnHighlight;
  }
  TriggerPaint();
}

void TScale::SetFrameStyle(TFrameStyle s) {
  if (s == FFrameStyle) return;
  FFrameStyle = s;
  TriggerPaint();
}

// ---------------------------------------------------------------- painting control

void TScale::UseForeignCanvas(TCanvas* foreignCv, std::int32_t x, std::int32_t y) {
  FForeignCv = foreignCv;
  FForCvPosX = foreignCv ? x : 0;
  FForCvPosY = foreignCv ? y : 0;
}

void TScale::SetForCvPosX(std::int32_t x) {
  FForCvPosX = x;
  TriggerPaint();
}

void TScale::SetForCvPosY(std::int32_t y) {
  FForCvPosY = y;
  TriggerPaint();
}

void TScale::SetIsHelper(bool b) {
  if (b == FIsHelper) return;
  FIsHelper = b;
  TriggerPaint();
}

void TScale::SetSuppressPaint(bool b) {
  FSuppressPaint = b;
  if (!b) TriggerPaint();
}

void TScale::ForcePaint() {
  const bool saved = FSuppressPaint;
  FSuppressPaint = false;
  Paint();
  FSuppressPaint = saved;
}

void TScale::TriggerPaint() {
  // Paint would draw nothing now; do not create a window for it.
  if (FSuppressPaint || IsLoading()) return;
  if (!FTransparent || FIsHelper) {
    if (FForeignCv || FIsHelper)
      Paint();
    else
      Repaint();  // creates the window when needed, paints and presents
  } else if (HandleAllocated()) {
    Invalidate();
  }
}

void TScale::Changed(TObject&) { TriggerPaint(); }

void TScale::CreateWnd() {
  TCustomControl::CreateWnd();
  FSuppressPaint = false;
}

void TScale::SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
  TCustomControl::SetBounds(left, top, width, height);
  AdjustScalePars();
  TriggerPaint();
}

void TScale::Loaded() {
  TCustomControl::Loaded();
  FNotYetLoaded = false;
  AdjustScalePars();
  TriggerPaint();
}

void TScale::MouseMove(TShiftState shift, std::int32_t x, std::int32_t y) { TCustomControl::MouseMove(shift, x, y); }

// ---------------------------------------------------------------- assignment

void TScale::Assign(const TPersistent& source) {
  const auto* s = dynamic_cast<const TScale*>(&source);
  if (!s) {
    TCustomControl::Assign(source);
    return;
  }
  if (s == this) return;
  FFrameStyle = s->FFrameStyle;
  SetAntialiased(s->Antialiased());
  FColorFG = s->FColorFG;
  FColorBG = s->FColorBG;
  FColBlackLine = s->FColBlackLine;
  FColGrayLine = s->FColGrayLine;
  FColWhiteLine = s->FColWhiteLine;
  FColorScheme = s->FColorScheme;
  OnScaleTickDrawn = s->OnScaleTickDrawn;
  OnBeforeTickLabel = s->OnBeforeTickLabel;
  FAxLog = s->FAxLog;
  FTransf_k = s->FTransf_k;
  FTransf_d = s->FTransf_d;
  FRangeHigh = s->FRangeHigh;
  FRangeLow = s->FRangeLow;
  FShortTicks = s->FShortTicks;
  FTickCount = s->FTickCount;
  FNumTicks = s->FNumTicks;
  FDecPlaces = s->FDecPlaces;
  FDrawBaseLine = s->FDrawBaseLine;
  FTransparent = s->FTransparent;
  FLabelType = s->FLabelType;
  FMarginTop = s->FMarginTop;
  FMarginBottom = s->FMarginBottom;
  FMarginRight = s->FMarginRight;
  FMarginLeft = s->FMarginLeft;
  FIsHelper = s->FIsHelper;
  FLblPosX = s->FLblPosX;
  FLblPosY = s->FLblPosY;
  FLblAlign = s->FLblAlign;
  FLblAnchor = s->FLblAnchor;
  FUserTicktext = s->FUserTicktext;
  FScaleInscript = s->FScaleInscript;
  FScaleTickPos = s->FScaleTickPos;
  FUnitLabel = s->FUnitLabel;
  FForCvPosX = s->FForCvPosX;
  FForCvPosY = s->FForCvPosY;
  FScaleType = s->FScaleType;
  OnBeforeScaleRendered = s->OnBeforeScaleRendered;
  OnAfterScaleRendered = s->OnAfterScaleRendered;
  // The date settings notify at most once; hold painting until all is copied.
  const bool suppress = s->FSuppressPaint;
  FSuppressPaint = true;
  FDTFormat->Assign(*s->FDTFormat);
  FSuppressPaint = suppress;
  TriggerPaint();
}

void TScale::AssignTo(TPersistent& dest) const {
  if (auto* target = dynamic_cast<TScale*>(&dest)) {
    target->Assign(*this);
    return;
  }
  TCustomControl::AssignTo(dest);
}

}  // namespace mivo
