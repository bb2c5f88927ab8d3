// Assign: one chart takes over everything another chart shows and how.
#include <algorithm>

#include "mivo/rchart/rchart.h"
#include "mivo/rchart/rchart_internal.h"

namespace mivo {

namespace {

// Copies scale settings without a change notification reaching the owner;
// their date format notifies as well.
template <typename T>
void AssignScalePropsMuted(T& to, const T& from) {
  detail::TMuted muted(to.OnChange), mutedDate(to.DateFormat().OnChange);
  to.Assign(from);
}

}  // namespace

void TCustomRChart::Assign(const TPersistent& source) {
  const auto* src = dynamic_cast<const TCustomRChart*>(&source);
  if (!src) {
    TCustomControl::Assign(source);
    return;
  }
  if (src == this) return;
  const TCustomRChart& s = *src;
  {
    TPaintHold hold(FSuppressPaint);

    // The display list: the whole list in storage of this chart's own. The
    // new storage is taken first, so running out of memory changes nothing.
    {
      detail::TItemBuffer items;
      const std::int64_t slots = std::max<std::int64_t>(s.FNumAllocated, s.FNumChartItems);
      if (slots > 0) {
        items.ShareWith(s.FDataContainer);
        items.MakeOwn(std::size_t(std::max(s.FNumChartItems, 0)), std::size_t(slots));
      }
      FDataContainer.Swap(items);
    }
    FNumChartItems = s.FNumChartItems;
    FNumAllocated = s.FNumAllocated;
    FItemCount = s.FItemCount;
    FLastElemOnShow = s.FLastElemOnShow;
    FAllocSize = s.FAllocSize;

    // The settings, and the mapping (recomputed below all the same).
    Settings() = s.Settings();
    SetFont(s.Font());
    SetAntialiased(s.Antialiased());
    Fxasp = s.Fxasp;
    Fyasp = s.Fyasp;
    FCpkx = s.FCpkx;
    FCpdx = s.FCpdx;
    FCpky = s.FCpky;
    FCpdy = s.FCpdy;

    // The zoom history (not the state of a drag under way).
    FZoomHistory = s.FZoomHistory;

    // Sub-objects: copied into this chart's own, which keep notifying it.
    for (std::size_t i = 0; i < FCrossHair.size(); ++i) detail::AssignMuted(*FCrossHair[i], *s.FCrossHair[i]);
    for (std::size_t i = 0; i < FTextLabels.size(); ++i) detail::AssignMuted(*FTextLabels[i], *s.FTextLabels[i]);
    detail::AssignMuted(*FJointLayers, *s.FJointLayers);
    detail::AssignMuted(*FBakGndImg, *s.FBakGndImg);
    for (std::size_t i = 0; i < 2; ++i) {
      AssignScalePropsMuted(*FScalePropsX[i], *s.FScalePropsX[i]);
      AssignScalePropsMuted(*FScalePropsY[i], *s.FScalePropsY[i]);
    }

    // The host's callbacks.
    OnScalesRendered = s.OnScalesRendered;
    OnBeforeRenderData = s.OnBeforeRenderData;
    OnDataRendered = s.OnDataRendered;
    OnScaleTickDrawn = s.OnScaleTickDrawn;
    OnBeforeTickLabel = s.OnBeforeTickLabel;
    OnZoomPan = s.OnZoomPan;
    OnRubberBand = s.OnRubberBand;
    OnSelectRect = s.OnSelectRect;
    OnBeforeCrossHairMove = s.OnBeforeCrossHairMove;
    OnCrossHairMove = s.OnCrossHairMove;
    OnTextLabelMove = s.OnTextLabelMove;
    OnMouseMoveInChart = s.OnMouseMoveInChart;

    // The scales keep drawing onto this chart's bitmap, at the new margins.
    for (std::size_t i = 0; i < 2; ++i) {
      FScalesX[i]->UseForeignCanvas(&FChartBmp.Canvas(), 0, 0);
      FScalesY[i]->UseForeignCanvas(&FChartBmp.Canvas(), 0, 0);
    }
    ApplyScaleMargins(true, true, true, true);
    ResizeGrafBmp();
    AdjustCanInfoOfSharedCharts();
  }
  // Painting stays held through both; the one paint comes last.
  {
    TPaintHold hold(FSuppressPaint);
    ScalePropsChanged(*this);
    AdjustScaling();
  }
  Paint();
}

}  // namespace mivo
