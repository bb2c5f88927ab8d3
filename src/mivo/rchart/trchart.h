#pragma once
// TRChart: the 2D chart a host places on its forms. It holds nothing of its
// own beyond TCustomRChart: it publishes the chart's settings for form files
// (with their defaults), puts the chart on the component palette and adds the
// indexed scale-settings accessors. Every public method of TCustomRChart is
// public here with the same name and arguments.

#include <cstdint>
#include <string>

#include "mivo/platform/export.h"
#include "mivo/rchart/rchart.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

class TRChart : public TCustomRChart {
 public:
  explicit TRChart(TComponent* owner = nullptr);
  std::string ClassName() const override { return "TRChart"; }

  // Forwards to the chart: bitmaps, scales and mapping follow the new size.
  void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) override;

  // The settings of horizontal / vertical scale `sclix`: layer 1's for any
  // index outside 1 ... 2.
  TScalePropsHoriz& GetScalePropsX(std::int32_t sclix) { return TCustomRChart::ScalePropsX(ScaleIx(sclix)); }
  const TScalePropsHoriz& GetScalePropsX(std::int32_t sclix) const {
    return TCustomRChart::ScalePropsX(ScaleIx(sclix));
  }
  TScalePropsVert& GetScalePropsY(std::int32_t sclix) { return TCustomRChart::ScalePropsY(ScaleIx(sclix)); }
  const TScalePropsVert& GetScalePropsY(std::int32_t sclix) const {
    return TCustomRChart::ScalePropsY(ScaleIx(sclix));
  }
  // Copy the given settings into scale `sclix` (ignored outside 1 ... 2); the
  // scales and the mapping follow through the settings' change notification.
  void SetScalePropsX(std::int32_t sclix, const TScalePropsHoriz& props);
  void SetScalePropsY(std::int32_t sclix, const TScalePropsVert& props);
  // The indexed properties ScalePropsX[sclix] and ScalePropsY[sclix].
  TScalePropsHoriz& ScalePropsX(std::int32_t sclix) { return GetScalePropsX(sclix); }
  const TScalePropsHoriz& ScalePropsX(std::int32_t sclix) const { return GetScalePropsX(sclix); }
  TScalePropsVert& ScalePropsY(std::int32_t sclix) { return GetScalePropsY(sclix); }
  const TScalePropsVert& ScalePropsY(std::int32_t sclix) const { return GetScalePropsY(sclix); }
  // The same for a fixed scale.
  TScalePropsHoriz& GetScalePropsX1() { return GetScalePropsX(1); }
  TScalePropsHoriz& GetScalePropsX2() { return GetScalePropsX(2); }
  TScalePropsVert& GetScalePropsY1() { return GetScalePropsY(1); }
  TScalePropsVert& GetScalePropsY2() { return GetScalePropsY(2); }
  void SetScalePropsX1(const TScalePropsHoriz& p) { SetScalePropsX(1, p); }
  void SetScalePropsX2(const TScalePropsHoriz& p) { SetScalePropsX(2, p); }
  void SetScalePropsY1(const TScalePropsVert& p) { SetScalePropsY(1, p); }
  void SetScalePropsY2(const TScalePropsVert& p) { SetScalePropsY(2, p); }

  // Registers the published properties and places the class on the "Mivo"
  // palette page (once; the constructor calls it, a host that reads forms
  // before creating any chart calls it first).
  static void RegisterProperties();

 protected:
  // The window exists: the chart's window creation clears SuppressPaint
  // without painting, so the chart draws from the first paint message on.
  void CreateWnd() override;

 private:
  static std::int32_t ScaleIx(std::int32_t sclix) { return sclix == 2 ? 2 : 1; }
};

}  // namespace mivo
MIVO_PUBLIC_END
