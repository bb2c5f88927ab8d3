// The black-and-white colour set of exports and printouts: the chart's own
// colours are saved, replaced by black on white and written back afterwards.
// Fields and settings are written directly: nothing repaints.
#include "mivo/platform/colors.h"
#include "mivo/rchart/rchart.h"
#include "mivo/rchart/rchart_internal.h"

namespace mivo {

namespace {

constexpr TColor kBWShadow = 0xC0C0C0;

// Writes the colour and the font colour of one scale's settings without a
// change notification (which would repaint and re-apply the ranges).
void WriteScaleColors(TScaleProps& props, TColor color, TColor fontColor) {
  detail::TMuted muted(props.OnChange);
  props.SetColorScale(color);
  TFont f = props.Font();
  f.Color = fontColor;
  props.SetScaleFont(f);
}

}  // namespace

void TCustomRChart::BackupColorsAndMakeBW() {
  ColBakWindow = RcWindCol;
  ColBakFrame = FChartFrameCol;
  ColBakChart = RcChartCol;
  ColBakFont = Font().Color;
  ColBakShadow = FShadowColor;
  ColBakShadowBgnd = RcShadowBakCol;
  for (std::int32_t i = 1; i <= kNumLayers; ++i) {
    const std::size_t k = LayerIx(i);
    ColBakScalesX[k] = ScalePropsX(i).ColorScale();
    ColBakScalesY[k] = ScalePropsY(i).ColorScale();
    ColBakSclFontX[k] = ScalePropsX(i).Font().Color;
    ColBakSclFontY[k] = ScalePropsY(i).Font().Color;
  }
  RcWindCol = clWhite;
  RcChartCol = clWhite;
  FChartFrameCol = clBlack;
  Font().Color = clBlack;
  FShadowColor = kBWShadow;
  RcShadowBakCol = clWhite;
  for (std::int32_t i = 1; i <= kNumLayers; ++i) {
    WriteScaleColors(ScalePropsX(i), clBlack, clBlack);
    WriteScaleColors(ScalePropsY(i), clBlack, clBlack);
    ScalesFollowSettings(i);
  }
}

void TCustomRChart::ReloadBackupColors() {
  RcWindCol = ColBakWindow;
  FChartFrameCol = ColBakFrame;
  RcChartCol = ColBakChart;
  Font().Color = ColBakFont;
  FShadowColor = ColBakShadow;
  RcShadowBakCol = ColBakShadowBgnd;
  for (std::int32_t i = 1; i <= kNumLayers; ++i) {
    const std::size_t k = LayerIx(i);
    WriteScaleColors(ScalePropsX(i), ColBakScalesX[k], ColBakSclFontX[k]);
    WriteScaleColors(ScalePropsY(i), ColBakScalesY[k], ColBakSclFontY[k]);
    ScalesFollowSettings(i);
  }
}

}  // namespace mivo
