// The four internal scales: setting them up, copying the settings into them,
// their ticks and events, and the small text helpers of the chart.
#include <algorithm>
#include <cmath>
#include <string>

#include "mivo/base/color_array.h"
#include "mivo/rchart/rchart.h"
#include "mivo/rchart/rchart_internal.h"
#include "mivo/scale/scale_labels.h"

namespace mivo {

using detail::Sat32;

void TCustomRChart::SetupScales() {
  for (std::int32_t i = 1; i <= kNumLayers; ++i) {
    SetupScale(ScaleX(i), ScalePropsX(i), true, i);
    SetupScale(ScaleY(i), ScalePropsY(i), false, i);
  }
}

void TCustomRChart::SetupScale(TScale& scale, TScaleProps& props, bool horizontal, std::int32_t i) {
  {
    detail::TMuted muted(props.OnChange), mutedDate(props.DateFormat().OnChange);
    props.Reset();
    props.SetColorScale(PredefinedColors[std::size_t(i - 1)]);
    if (horizontal)
      static_cast<TScalePropsHoriz&>(props).SetScaleLoc(i == 1 ? TScaleLocationHoriz::slBottom
                                                               : TScaleLocationHoriz::slTop);
    else
      static_cast<TScalePropsVert&>(props).SetScaleLoc(i == 1 ? TScaleLocationVert::slLeft
                                                              : TScaleLocationVert::slRight);
    props.SetScalePos(0);
  }

  scale.ResetComp();
  scale.OnScaleTickDrawn = [this](TObject& sender, TCanvas& canvas, TScaleType type, double pos, std::int32_t x,
                                  std::int32_t y) { DoOnScaleTickDrawn(sender, canvas, type, pos, x, y); };
  scale.OnBeforeTickLabel = [this](TObject& sender, TScaleType type, double pos, std::string& label) {
    DoOnBeforeTickLabel(sender, type, pos, label);
  };
  const TNotifyEvent changed = [this](TObject& sender) { ScalePropsChanged(sender); };
  props.OnChange = changed;
  props.DateFormat().OnChange = changed;

  scale.SetTransparent(true);
  scale.SetColorBackGnd(RcWindCol);
  scale.SetFrameStyle(TFrameStyle::fsNone);
  scale.SetBounds(0, 0, Width(), Height());
  SetScaleProps(scale, props);
  if (horizontal) {
    scale.SetMarginLeft(RcLRim);
    scale.SetMarginRight(Sat32(std::int64_t(RcRRim) + F3DRim - 1));
  } else {
    scale.SetMarginTop(RcTRim);
    scale.SetMarginBottom(Sat32(std::int64_t(RcBRim) + F3DRim - 1));
  }
  scale.SetSuppressPaint(true);
  scale.SetIsHelper(true);
  scale.UseForeignCanvas(&FChartBmp.Canvas(), 0, 0);
  scale.SetName(std::string(horizontal ? "RC_FScale_X_" : "RC_FScale_Y_") + std::to_string(i));
}

// The settings objects hold the truth and the internal scales follow them:
// every change of the settings (their OnChange, the range pipeline, margins,
// bounds, layouts, the black-and-white switch) ends here before the scales
// draw, and nothing copies a scale's values back into the settings.
void TCustomRChart::ScalesFollowSettings(std::int32_t layer) {
  SetScaleProps(ScaleX(layer), ScalePropsX(layer));
  SetScaleProps(ScaleY(layer), ScalePropsY(layer));
}

void TCustomRChart::ScalesFollowSettings() {
  for (std::int32_t layer = 1; layer <= kNumLayers; ++layer) ScalesFollowSettings(layer);
}

void TCustomRChart::SetScaleProps(TScale& scale, const TScaleProps& props) {
  const TScaleType type = props.ScaleType();
  scale.SetScaleType(type);
  const std::int64_t pos = props.GetScalePos();
  switch (type) {
    case TScaleType::sctHorzUp:
      scale.SetMarginBottom(Sat32(pos + Height() - RcTRim - 1));
      break;
    case TScaleType::sctHorzDown:
      scale.SetMarginTop(Sat32(pos + Height() - RcBRim - F3DRim));
      break;
    case TScaleType::sctVertRight:
      scale.SetMarginLeft(Sat32(pos + Width() - RcRRim - F3DRim));
      break;
    case TScaleType::sctVertLeft:
      scale.SetMarginRight(Sat32(pos + Width() - RcLRim - 1));
      break;
  }
  scale.SetRange(props.RangeLow(), props.RangeHigh());
  scale.SetVisible(props.Visible());
  scale.SetCaption(props.Caption());
  scale.SetCaptionPosX(props.CaptionPosX());
  scale.SetCaptionPosY(props.CaptionPosY());
  scale.SetCaptionAlignment(props.CaptionAlignment());
  scale.SetCaptionAnchor(props.CaptionAnchor());
  scale.SetColorScale(props.ColorScale());
  // The label type goes first: on the scale, time-span labels would otherwise
  // overwrite the decimals, and date/time labels switch the logarithm off.
  scale.SetLabelType(props.LabelType());
  scale.SetDecPlaces(props.DecPlaces());
  scale.SetLogarithmic(props.Logarithmic());
  scale.SetShortTicks(props.ShortTicks());
  scale.SetMinTicks(props.MinTicks());
  scale.SetScaleInscript(props.ScaleInscript());
  scale.SetUserTickText(props.UserTickText());
  scale.SetFont(props.Font());
  scale.SetDateFormat(props.DateFormat());
}

void TCustomRChart::ScalePropsChanged(TObject&) {
  if (!FConstructed) return;
  TPaintHold hold(FSuppressPaint);
  ScalesFollowSettings();
  for (std::int32_t layer = 1; layer <= kNumLayers; ++layer)
    ForceRange(layer, ScalePropsX(layer).RangeLow(), ScalePropsY(layer).RangeLow(), ScalePropsX(layer).RangeHigh(),
               ScalePropsY(layer).RangeHigh(), false, false);
  SetSuppressPaint(hold.Release());
}

// ---------------------------------------------------------------- ticks and events

namespace {

double TickPos(const TScale& scale, std::int32_t ix) {
  const std::int32_t n = scale.NumTicks();
  if (ix < 1 || ix > n) return 0;
  return scale.RangeHigh() < scale.RangeLow() ? scale.GetTickPos(n - ix + 1) : scale.GetTickPos(ix);
}

}  // namespace

double TCustomRChart::GetTickPosX(std::int32_t ix) const { return TickPos(ScaleX(FActiveLayer), ix); }
double TCustomRChart::GetTickPosY(std::int32_t ix) const { return TickPos(ScaleY(FActiveLayer), ix); }
std::int32_t TCustomRChart::GetTickPosXCnt() const { return ScaleX(FActiveLayer).NumTicks(); }
std::int32_t TCustomRChart::GetTickPosYCnt() const { return ScaleY(FActiveLayer).NumTicks(); }

void TCustomRChart::DoOnScaleTickDrawn(TObject&, TCanvas& canvas, TScaleType scaleType, double currentTickPos,
                                       std::int32_t chartX, std::int32_t chartY) {
  if (OnScaleTickDrawn) OnScaleTickDrawn(*this, canvas, scaleType, currentTickPos, chartX, chartY);
}

void TCustomRChart::DoOnBeforeTickLabel(TObject&, TScaleType scaleType, double currentTickPos,
                                        std::string& tickLabel) {
  if (OnBeforeTickLabel) OnBeforeTickLabel(*this, scaleType, currentTickPos, tickLabel);
}

std::string TCustomRChart::ExtractUserText(const std::string& text, std::int32_t index) {
  if (index <= 0) return std::string();
  return mivo::ExtractUserText(text, index);
}

std::string TCustomRChart::AddScaleInscription(const std::string& a, const std::string& b) {
  return mivo::AddScaleInscription(a, b);
}

}  // namespace mivo
