#include "mivo/base/text_label.h"

#include <cmath>

namespace mivo {

namespace {

template <typename T>
bool Store(T& field, const T& value) {
  if (field == value) return false;
  field = value;
  return true;
}

bool StoreDouble(double& field, double value) {
  if (field == value || (std::isnan(field) && std::isnan(value))) return false;
  field = value;
  return true;
}

}  // namespace

void TCustomTextLabel::SetCaption(const std::string& v) {
  if (Store(FCaption, v)) Changed();
}
void TCustomTextLabel::SetFont(const TFont& v) {
  if (Store(FFont, v)) Changed();
}
void TCustomTextLabel::SetFontColor(TColor v) {
  if (Store(FFont.Color, v)) Changed();
}
void TCustomTextLabel::SetPosX(double v) {
  if (StoreDouble(FPosX, v)) Changed();
}
void TCustomTextLabel::SetPosY(double v) {
  if (StoreDouble(FPosY, v)) Changed();
}
void TCustomTextLabel::SetPos(double x, double y) {
  const bool cx = StoreDouble(FPosX, x);
  const bool cy = StoreDouble(FPosY, y);
  if (cx || cy) Changed();
}
void TCustomTextLabel::SetAttachToData(TTxtLblAttachMode v) {
  if (Store(FAttachToData, v)) Changed();
}
void TCustomTextLabel::SetLayer(std::int32_t v) {
  if (Store(FLayer, v)) Changed();
}
void TCustomTextLabel::SetAlignment(TAlignment v) {
  if (Store(FAlignment, v)) Changed();
}
void TCustomTextLabel::SetVerticalAlignment(TVerticalAlignment v) {
  if (Store(FVerticalAlignment, v)) Changed();
}
void TCustomTextLabel::SetColorBkg(TColor v) {
  if (Store(FColorBkg, v)) Changed();
}
void TCustomTextLabel::SetColorBorder(TColor v) {
  if (Store(FColorBorder, v)) Changed();
}
void TCustomTextLabel::SetColorShadow(TColor v) {
  if (Store(FColorShadow, v)) Changed();
}
void TCustomTextLabel::SetShadowDx(std::int32_t v) {
  if (Store(FShadowDx, v)) Changed();
}
void TCustomTextLabel::SetShadowDy(std::int32_t v) {
  if (Store(FShadowDy, v)) Changed();
}
void TCustomTextLabel::SetTransparent(bool v) {
  if (Store(FTransparent, v)) Changed();
}
void TCustomTextLabel::SetVisible(bool v) {
  if (Store(FVisible, v)) Changed();
}
void TCustomTextLabel::SetMode(TTxtLblMode v) {
  if (Store(FMode, v)) Changed();
}

bool TCustomTextLabel::AssignLabelSettings(const TCustomTextLabel& s) {
  bool changed = Store(FCaption, s.FCaption);
  changed |= Store(FFont, s.FFont);
  changed |= StoreDouble(FPosX, s.FPosX);
  changed |= StoreDouble(FPosY, s.FPosY);
  changed |= Store(FAttachToData, s.FAttachToData);
  changed |= Store(FLayer, s.FLayer);
  changed |= Store(FAlignment, s.FAlignment);
  changed |= Store(FVerticalAlignment, s.FVerticalAlignment);
  changed |= Store(FColorBkg, s.FColorBkg);
  changed |= Store(FColorBorder, s.FColorBorder);
  changed |= Store(FColorShadow, s.FColorShadow);
  changed |= Store(FShadowDx, s.FShadowDx);
  changed |= Store(FShadowDy, s.FShadowDy);
  changed |= Store(FTransparent, s.FTransparent);
  changed |= Store(FVisible, s.FVisible);
  changed |= Store(FMode, s.FMode);
  return changed;
}

void TCustomTextLabel::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TCustomTextLabel*>(&source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  if (other != this && AssignLabelSettings(*other)) Changed();
}

void TCustomTextLabel::AssignTo(TPersistent& dest) const {
  if (auto* target = dynamic_cast<TCustomTextLabel*>(&dest)) {
    target->Assign(*this);
    return;
  }
  TPersistent::AssignTo(dest);
}

}  // namespace mivo
