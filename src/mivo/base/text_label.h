#pragma once
// TCustomTextLabel: a movable text label - caption, font, anchor position,
// alignment, colours and drawing style. The chart draws it; this class holds
// the settings and tells its owner about changes.
//
// Every setter that changes a value calls Changed (which raises OnChange);
// storing the value already there raises nothing. Defaults: position (0, 0),
// layer 1, attached to data in both directions (tamBoth), centred
// (taCenter) with the anchor at the block's bottom (vaBottom), white
// background, black border, grey ($808080) shadow offset by (3, 3), opaque,
// empty caption, the default font, invisible, mode tlOff (free slot).

#include <cstdint>
#include <string>

#include "mivo/base/enums.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/controls.h"
#include "mivo/platform/export.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

class TCustomTextLabel : public TPersistent {
 public:
  std::string ClassName() const override { return "TCustomTextLabel"; }

  // The text; line feeds (code 10) separate lines.
  const std::string& Caption() const { return FCaption; }
  const TFont& Font() const { return FFont; }
  // Anchor position: pixels or world units by AttachToData.
  double PosX() const { return FPosX; }
  double PosY() const { return FPosY; }
  TTxtLblAttachMode AttachToData() const { return FAttachToData; }
  std::int32_t Layer() const { return FLayer; }
  // Horizontal placement relative to the anchor: 0 the anchor is the left
  // edge, 1 the right edge, 2 the centre.
  TAlignment Alignment() const { return FAlignment; }
  TVerticalAlignment VerticalAlignment() const { return FVerticalAlignment; }
  TColor ColorBkg() const { return FColorBkg; }
  TColor ColorBorder() const { return FColorBorder; }
  TColor ColorShadow() const { return FColorShadow; }
  std::int32_t ShadowDx() const { return FShadowDx; }
  std::int32_t ShadowDy() const { return FShadowDy; }
  bool Transparent() const { return FTransparent; }
  bool Visible() const { return FVisible; }
  TTxtLblMode Mode() const { return FMode; }

  void SetCaption(const std::string& v);
  void SetFont(const TFont& v);
  void SetFontColor(TColor v);
  void SetPosX(double v);
  void SetPosY(double v);
  // Both coordinates; one notification.
  void SetPos(double x, double y);
  void SetAttachToData(TTxtLblAttachMode v);
  void SetLayer(std::int32_t v);
  void SetAlignment(TAlignment v);
  void SetVerticalAlignment(TVerticalAlignment v);
  void SetColorBkg(TColor v);
  void SetColorBorder(TColor v);
  void SetColorShadow(TColor v);
  void SetShadowDx(std::int32_t v);
  void SetShadowDy(std::int32_t v);
  void SetTransparent(bool v);
  void SetVisible(bool v);
  void SetMode(TTxtLblMode v);

  // Copies every setting (not OnChange) from another TCustomTextLabel; one
  // notification when anything changed. Descendants with settings of their own
  // override Assign, combine AssignLabelSettings with their own fields and
  // call Changed once.
  void Assign(const TPersistent& source) override;

  // Raises OnChange.
  void Changed() {
    if (OnChange) OnChange(*this);
  }

  TNotifyEvent OnChange;

 protected:
  void AssignTo(TPersistent& dest) const override;
  // Copies the settings of this class from `source`; true when any changed.
  bool AssignLabelSettings(const TCustomTextLabel& source);

 private:
  std::string FCaption;
  TFont FFont;
  double FPosX = 0;
  double FPosY = 0;
  TTxtLblAttachMode FAttachToData = TTxtLblAttachMode::tamBoth;
  std::int32_t FLayer = 1;
  TAlignment FAlignment = TAlignment::taCenter;
  TVerticalAlignment FVerticalAlignment = TVerticalAlignment::vaBottom;
  TColor FColorBkg = clWhite;
  TColor FColorBorder = clBlack;
  TColor FColorShadow = clGray;
  std::int32_t FShadowDx = 3;
  std::int32_t FShadowDy = 3;
  bool FTransparent = false;
  bool FVisible = false;
  TTxtLblMode FMode = TTxtLblMode::tlOff;
};

// The chart's text label: a TCustomTextLabel with nothing added.
class TTextLabel : public TCustomTextLabel {
 public:
  std::string ClassName() const override { return "TTextLabel"; }
};

}  // namespace mivo
MIVO_PUBLIC_END
