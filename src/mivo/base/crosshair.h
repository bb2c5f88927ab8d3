#pragma once
// TCrossHair: position and look of one crosshair. Every setter that changes a
// value raises OnChange once, after the change; storing the value already
// there raises nothing (NaN positions compare equal to NaN).

#include <cstdint>
#include <string>

#include "mivo/base/enums.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/controls.h"
#include "mivo/platform/export.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

class TCrossHair : public TPersistent {
 public:
  std::string ClassName() const override { return "TCrossHair"; }

  // Position in world units of the crosshair's layer.
  double PosX() const { return FPosX; }
  double PosY() const { return FPosY; }
  // Layer whose scales map the position (the chart clamps it to its layers).
  std::int32_t Layer() const { return FLayer; }
  TColor Color() const { return FColor; }
  TCrossHMode Mode() const { return FMode; }
  TPenStyle LineType() const { return FLineType; }
  // Pen width in pixels, at least 1 (smaller values are stored as 1).
  std::int32_t LineWidth() const { return FLineWidth; }

  void SetPosX(double v);
  void SetPosY(double v);
  // Sets both coordinates; one notification when either changed.
  void SetPos(double x, double y);
  void SetLayer(std::int32_t v);
  void SetColor(TColor v);
  void SetMode(TCrossHMode v);
  void SetLineType(TPenStyle v);
  void SetLineWidth(std::int32_t v);

  // Copies every setting from another TCrossHair; one notification when
  // anything changed. OnChange itself is not copied.
  void Assign(const TPersistent& source) override;

  TNotifyEvent OnChange;

 protected:
  void AssignTo(TPersistent& dest) const override;
  void Changed() {
    if (OnChange) OnChange(*this);
  }

 private:
  double FPosX = 0;
  double FPosY = 0;
  std::int32_t FLayer = 1;
  TColor FColor = clRed;
  TCrossHMode FMode = TCrossHMode::chOff;
  TPenStyle FLineType = TPenStyle::psSolid;
  std::int32_t FLineWidth = 1;
};

}  // namespace mivo
MIVO_PUBLIC_END
