// The chart's settings objects: axes, joint layers and the data-area background.
#include "mivo/rchart/rchart_settings.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "mivo/rchart/rchart.h"
#include "mivo/rchart/rchart_internal.h"
#include "mivo/scale/scale_ticks.h"

namespace mivo {

namespace {

// v + m, or the next double above v when m is lost in v's precision, so that
// the result always differs from v.
double Above(double v, double m) {
  const double r = v + m;
  return r != v ? r : std::nextafter(v, HUGE_VAL);
}

double Below(double v, double m) {
  const double r = v - m;
  return r != v ? r : std::nextafter(v, -HUGE_VAL);
}

}  // namespace

// ---------------------------------------------------------------- TScaleProps

TScaleProps::TScaleProps(TComponent* owner) : FDTFormat(std::make_unique<TDTLabel>()), FOwner(owner) {}

TScaleProps::~TScaleProps() { FDTFormat->OnChange = nullptr; }

void TScaleProps::Reset() {
  FCaption.clear();
  FCaptionPosX = FCaptionPosY = 0;
  FCaptAlign = TAlignment::taCenter;
  FCaptAnchor = TScaleUnitAnchor::uaSclTopLft;
  FColorScale = 0;
  detail::TMuted muted(FDTFormat->OnChange);
  FDTFormat->SetTimeFormat(TTimeFormat::tfHHMM);
  FDTFormat->SetDateSeparator('-');
  FDTFormat->SetTimeSeparator(':');
  FDTFormat->SetYearLength(TYearLength::ylYYYY);
  FDTFormat->SetMonthName(true);
  FDTFormat->SetDateForTime(TDateForTime::dtOnDayChange);
  FDTFormat->SetDAteOrder(TDateOrder::doDMY);
  muted.Restore();
  FDecPlaces = -2;
  FLogAx = false;
  FLabelType = TFigType::ftNum;
  FFont = TFont();
  FMinTicks = 3;
  FNotYetLoaded = true;
  FRangeLow = 0;
  FRangeHigh = 1;
  FShortTicks = true;
  FScaleInscript.clear();
  FScaleType = TScaleType::sctHorzDown;
  FScalePosX = FScalePosY = 0;
  FMinRngDiff = kDefaultMinRange;
  FUserTickText.clear();
  FVisible = false;
}

bool TScaleProps::Loading() const {
  // Checked always once loaded; before that only while the owner is being
  // read from its form file (a chart made in code is checked at once).
  if (!FNotYetLoaded) return false;
  return FOwner == nullptr || FOwner->ComponentState().Contains(TComponentStateItem::csLoading);
}

TScaleProps::TUndo::TUndo(TScaleProps& props) : FProps(props), FExceptions(std::uncaught_exceptions()) {
  FSaved.CopySettings(props);
}

TScaleProps::TUndo::~TUndo() {
  if (std::uncaught_exceptions() <= FExceptions) return;
  FProps.CopySettings(FSaved);
  // The owner saw the refused settings: let it see the old ones again.
  try {
    FProps.Changed();
  } catch (...) {
  }
}

void TScaleProps::Changed() {
  if (OnChange) OnChange(*this);
}

std::int32_t TScaleProps::GetScalePos() const { return IsHorizontal(FScaleType) ? FScalePosY : FScalePosX; }

void TScaleProps::SetCaption(const std::string& v) {
  const TUndo undo(*this);
  FCaption = v;
  Changed();
}

void TScaleProps::SetCaptionPosX(std::int32_t v) {
  const TUndo undo(*this);
  FCaptionPosX = v;
  Changed();
}

void TScaleProps::SetCaptionPosY(std::int32_t v) {
  const TUndo undo(*this);
  FCaptionPosY = v;
  Changed();
}

void TScaleProps::SetCaptionAlignment(TAlignment v) {
  const TUndo undo(*this);
  FCaptAlign = v;
  Changed();
}

void TScaleProps::SetCaptionAnchor(TScaleUnitAnchor v) {
  const TUndo undo(*this);
  FCaptAnchor = v;
  Changed();
}

void TScaleProps::SetColorScale(TColor v) {
  const TUndo undo(*this);
  FColorScale = v;
  Changed();
}

void TScaleProps::SetDTFormat(const TDTLabel& v) {
  const TUndo undo(*this);
  if (&v != FDTFormat.get()) {
    detail::AssignMuted(*FDTFormat, v);
  }
  Changed();
}

void TScaleProps::SetDecPlaces(std::int32_t v) {
  const TUndo undo(*this);
  FDecPlaces = std::clamp(v, kScalePropsDecLow, kScalePropsDecHigh);
  Changed();
}

void TScaleProps::SetLogAx(bool on) {
  const TUndo undo(*this);
  FLogRefusal.clear();
  if (on && !Loading()) FLogRefusal = LogAxisRefusal(FRangeLow, FRangeHigh, FLabelType == TFigType::ftDateTime);
  if (FLogRefusal.empty()) FLogAx = on;
  Changed();
}

void TScaleProps::SetLabelType(TFigType t) {
  const TUndo undo(*this);
  FLabelType = t;
  if (t == TFigType::ftDateTime) FLogAx = false;
  // While loading, the stored DecPlaces is the truth.
  if (t == TFigType::ftTime && !Loading()) FDecPlaces = 4;
  Changed();
}

void TScaleProps::SetScaleFont(const TFont& f) {
  const TUndo undo(*this);
  FFont = f;
  Changed();
}

void TScaleProps::SetMinTicks(std::int32_t v) {
  const TUndo undo(*this);
  FMinTicks = v;
  Changed();
}

void TScaleProps::SetRangeLow(double v) {
  const TUndo undo(*this);
  // A logarithmic axis takes no bound below kLogAxisMin, whichever rule
  // would set it.
  if (std::isfinite(v) && !(FLogAx && v < kLogAxisMin)) {
    if (std::fabs(FRangeHigh - v) < FMinRngDiff) {
      const double high = Above(v, FMinRngDiff);
      if (std::isfinite(high)) {
        FRangeLow = v;
        FRangeHigh = high;
      }
    } else {
      FRangeLow = v;
    }
  }
  Changed();
}

void TScaleProps::SetRangeHigh(double v) {
  const TUndo undo(*this);
  if (std::isfinite(v) && !(FLogAx && v < kLogAxisMin)) {
    if (std::fabs(FRangeLow - v) < FMinRngDiff) {
      // Keeping MinRange moves the low bound down; on a logarithmic axis it
      // must stay positive, or the value is not taken.
      const double low = Below(v, FMinRngDiff);
      if (std::isfinite(low) && !(FLogAx && low < kLogAxisMin)) {
        FRangeHigh = v;
        FRangeLow = low;
      }
    } else {
      FRangeHigh = v;
    }
  }
  Changed();
}

void TScaleProps::SetShortTicks(bool v) {
  const TUndo undo(*this);
  FShortTicks = v;
  Changed();
}

void TScaleProps::SetScaleInscript(const std::string& v) {
  const TUndo undo(*this);
  FScaleInscript = v;
  Changed();
}

void TScaleProps::SetScaleType(TScaleType t) {
  const TUndo undo(*this);
  FScaleType = t;
  Changed();
}

void TScaleProps::SetScalePos(std::int32_t p) {
  const TUndo undo(*this);
  if (IsHorizontal(FScaleType))
    FScalePosY = p;
  else
    FScalePosX = p;
  Changed();
}

void TScaleProps::SetMinRngDiff(double m) {
  const TUndo undo(*this);
  if (!(m > kLogAxisMin) || !std::isfinite(m)) return;
  FMinRngDiff = m;
  if (std::fabs(FRangeHigh - FRangeLow) < m) {
    const double c = (FRangeLow + FRangeHigh) / 2;
    double lo = c - m / 2, hi = c + m / 2;
    // A logarithmic range widens upwards from its low bound instead.
    if (FLogAx && lo < kLogAxisMin) {
      lo = FRangeLow;
      hi = Above(lo, m);
    }
    if (std::isfinite(lo) && std::isfinite(hi) && lo != hi) {
      FRangeLow = lo;
      FRangeHigh = hi;
    }
    Changed();
  }
}

void TScaleProps::SetUserTickText(const std::string& v) {
  const TUndo undo(*this);
  FUserTickText = v;
  Changed();
}

void TScaleProps::SetVisible(bool v) {
  const TUndo undo(*this);
  FVisible = v;
  Changed();
}

void TScaleProps::CopySettings(const TScaleProps& from) {
  const TScaleProps* s = &from;
  if (s == this) return;
  FCaption = s->FCaption;
  FCaptionPosX = s->FCaptionPosX;
  FCaptionPosY = s->FCaptionPosY;
  FCaptAlign = s->FCaptAlign;
  FCaptAnchor = s->FCaptAnchor;
  FColorScale = s->FColorScale;
  detail::AssignMuted(*FDTFormat, *s->FDTFormat);
  FDecPlaces = s->FDecPlaces;
  FLogAx = s->FLogAx;
  FLabelType = s->FLabelType;
  FFont = s->FFont;
  FMinTicks = s->FMinTicks;
  FNotYetLoaded = s->FNotYetLoaded;
  FRangeLow = s->FRangeLow;
  FRangeHigh = s->FRangeHigh;
  FShortTicks = s->FShortTicks;
  FScaleInscript = s->FScaleInscript;
  FScaleType = s->FScaleType;
  FScalePosX = s->FScalePosX;
  FScalePosY = s->FScalePosY;
  FMinRngDiff = s->FMinRngDiff;
  FUserTickText = s->FUserTickText;
  FVisible = s->FVisible;
}

void TScaleProps::Assign(const TPersistent& source) {
  const auto* s = dynamic_cast<const TScaleProps*>(&source);
  if (!s) {
    TPersistent::Assign(source);
    return;
  }
  if (s == this) return;
  const TUndo undo(*this);
  CopySettings(*s);
  Changed();
}

void TScaleProps::AssignTo(TPersistent& dest) const {
  if (auto* d = dynamic_cast<TScaleProps*>(&dest)) {
    d->Assign(*this);
    return;
  }
  TPersistent::AssignTo(dest);
}

void TScalePropsHoriz::Reset() {
  TScaleProps::Reset();
  FScaleLoc = TScaleLocationHoriz::slBottom;
  FScaleType = TScaleType::sctHorzDown;
}

void TScalePropsHoriz::SetScaleLoc(TScaleLocationHoriz loc) {
  const TScaleLocationHoriz old = FScaleLoc;
  try {
    const TUndo undo(*this);
    FScaleLoc = loc;
    FScaleType = loc == TScaleLocationHoriz::slTop ? TScaleType::sctHorzUp : TScaleType::sctHorzDown;
    Changed();
  } catch (...) {
    FScaleLoc = old;
    throw;
  }
}

void TScalePropsHoriz::Assign(const TPersistent& source) {
  const TScaleLocationHoriz old = FScaleLoc;
  if (const auto* s = dynamic_cast<const TScalePropsHoriz*>(&source)) FScaleLoc = s->FScaleLoc;
  try {
    TScaleProps::Assign(source);
  } catch (...) {
    FScaleLoc = old;
    throw;
  }
}

void TScalePropsVert::Reset() {
  TScaleProps::Reset();
  FScaleLoc = TScaleLocationVert::slLeft;
  FScaleType = TScaleType::sctVertLeft;
}

void TScalePropsVert::SetScaleLoc(TScaleLocationVert loc) {
  const TScaleLocationVert old = FScaleLoc;
  try {
    const TUndo undo(*this);
    FScaleLoc = loc;
    FScaleType = loc == TScaleLocationVert::slRight ? TScaleType::sctVertRight : TScaleType::sctVertLeft;
    Changed();
  } catch (...) {
    FScaleLoc = old;
    throw;
  }
}

void TScalePropsVert::Assign(const TPersistent& source) {
  const TScaleLocationVert old = FScaleLoc;
  if (const auto* s = dynamic_cast<const TScalePropsVert*>(&source)) FScaleLoc = s->FScaleLoc;
  try {
    TScaleProps::Assign(source);
  } catch (...) {
    FScaleLoc = old;
    throw;
  }
}

// ---------------------------------------------------------------- TJointLayers

void TJointLayers::Reset() {
  FMasterLayerX = {1, 2};
  FMasterLayerY = {1, 2};
}

std::int32_t TJointLayers::GetControlledLayerX(std::int32_t layer) const {
  return layer >= 1 && layer <= 2 ? FMasterLayerX[std::size_t(layer - 1)] : 0;
}

std::int32_t TJointLayers::GetControlledLayerY(std::int32_t layer) const {
  return layer >= 1 && layer <= 2 ? FMasterLayerY[std::size_t(layer - 1)] : 0;
}

void TJointLayers::SetControlled(std::array<std::int32_t, 2>& masters, bool xAxis, std::int32_t layer,
                                 std::int32_t master) {
  if (layer < 1 || layer > 2) return;
  if (master < 1 || master > 2)
    RaiseError<EMivoRChartError>("Destination layer " + std::to_string(master) + " is out of range");
  if (master == layer) {
    masters[std::size_t(layer - 1)] = layer;
    return;
  }
  if (masters[std::size_t(master - 1)] != master)
    RaiseError<EMivoRChartError>("Destination layer " + std::to_string(master) + " is already joined");
  std::string followers;
  for (std::int32_t j = 1; j <= 2; ++j) {
    if (j == layer || masters[std::size_t(j - 1)] != layer) continue;
    if (!followers.empty()) followers += ", ";
    followers += std::to_string(j);
  }
  if (!followers.empty())
    RaiseError<EMivoRChartError>("Layer " + std::to_string(layer) + " is joined by other layers (" + followers + ")");
  masters[std::size_t(layer - 1)] = master;
  if (FOwner) {
    // The layer takes its master's range on the joined axis and keeps the other.
    const TScaleProps& mx = xAxis ? FOwner->ScalePropsX(master) : FOwner->ScalePropsX(layer);
    const TScaleProps& my = xAxis ? FOwner->ScalePropsY(layer) : FOwner->ScalePropsY(master);
    FOwner->ForceRngIntern(layer, mx.RangeLow(), my.RangeLow(), mx.RangeHigh(), my.RangeHigh(), false, false);
  }
  Changed();
}

void TJointLayers::SetControlledLayerX(std::int32_t layer, std::int32_t master) {
  SetControlled(FMasterLayerX, true, layer, master);
}

void TJointLayers::SetControlledLayerY(std::int32_t layer, std::int32_t master) {
  SetControlled(FMasterLayerY, false, layer, master);
}

void TJointLayers::Assign(const TPersistent& source) {
  const auto* s = dynamic_cast<const TJointLayers*>(&source);
  if (!s) {
    TPersistent::Assign(source);
    return;
  }
  if (s == this) return;
  FMasterLayerX = s->FMasterLayerX;
  FMasterLayerY = s->FMasterLayerY;
  Changed();
}

void TJointLayers::AssignTo(TPersistent& dest) const {
  if (auto* d = dynamic_cast<TJointLayers*>(&dest)) {
    d->Assign(*this);
    return;
  }
  TPersistent::AssignTo(dest);
}

// ---------------------------------------------------------------- TBakGndImg

std::string ExtractFileNamePart(const std::string& path) {
  const std::size_t p = path.find_last_of("/\\");
  return p == std::string::npos ? path : path.substr(p + 1);
}

void TBakGndImg::Reset() {
  FName.clear();
  FIncldPath = false;
  FFillMode = TBkgFill::bfStretch;
  FBGAreaMode = TBGAreaMode::bamNone;
  FBGAreaColor = kDefaultAreaColor;
  FBGAreaLeft = -1;
  FBGAreaRight = 1;
  FBGAreaTop = 1;
  FBGAreaBottom = -1;
}

void TBakGndImg::SetName(const std::string& n) {
  FName = FIncldPath ? n : ExtractFileNamePart(n);
  Changed();
}

void TBakGndImg::SetIncldPath(bool b) {
  FIncldPath = b;
  if (!b) FName = ExtractFileNamePart(FName);
  Changed();
}

void TBakGndImg::SetFillMode(TBkgFill m) {
  FFillMode = m;
  Changed();
}

void TBakGndImg::SetAreaMode(TBGAreaMode m) {
  FBGAreaMode = m;
  Changed();
}

void TBakGndImg::SetAreaColor(TColor c) {
  FBGAreaColor = c;
  Changed();
}

void TBakGndImg::SetAreaLeft(double v) {
  FBGAreaLeft = v;
  Changed();
}

void TBakGndImg::SetAreaRight(double v) {
  FBGAreaRight = v;
  Changed();
}

void TBakGndImg::SetAreaTop(double v) {
  FBGAreaTop = v;
  Changed();
}

void TBakGndImg::SetAreaBottom(double v) {
  FBGAreaBottom = v;
  Changed();
}

void TBakGndImg::Assign(const TPersistent& source) {
  const auto* s = dynamic_cast<const TBakGndImg*>(&source);
  if (!s) {
    TPersistent::Assign(source);
    return;
  }
  if (s == this) return;
  FName = s->FName;
  FIncldPath = s->FIncldPath;
  FFillMode = s->FFillMode;
  FBGAreaMode = s->FBGAreaMode;
  FBGAreaColor = s->FBGAreaColor;
  FBGAreaLeft = s->FBGAreaLeft;
  FBGAreaRight = s->FBGAreaRight;
  FBGAreaTop = s->FBGAreaTop;
  FBGAreaBottom = s->FBGAreaBottom;
  Changed();
}

void TBakGndImg::AssignTo(TPersistent& dest) const {
  if (auto* d = dynamic_cast<TBakGndImg*>(&dest)) {
    d->Assign(*this);
    return;
  }
  TPersistent::AssignTo(dest);
}

}  // namespace mivo
