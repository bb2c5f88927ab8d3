#include "mivo/base/crosshair.h"

#include <algorithm>
#include <cmath>

namespace mivo {

namespace {
bool SameDouble(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

template <typename T>
bool Store(T& field, T value) {
  if (field == value) return false;
  field = value;
  return true;
}

bool StoreDouble(double& field, double value) {
  if (SameDouble(field, value)) return false;
  field = value;
  return true;
}
}  // namespace

void TCrossHair::SetPosX(double v) {
  if (StoreDouble(FPosX, v)) Changed();
}

void TCrossHair::SetPosY(double v) {
  if (StoreDouble(FPosY, v)) Changed();
}

void TCrossHair::SetPos(double x, double y) {
  const bool cx = StoreDouble(FPosX, x);
  const bool cy = StoreDouble(FPosY, y);
  if (cx || cy) Changed();
}

void TCrossHair::SetLayer(std::int32_t v) {
  if (Store(FLayer, v)) Changed();
}

void TCrossHair::SetColor(TColor v) {
  if (Store(FColor, v)) Changed();
}

void TCrossHair::SetMode(TCrossHMode v) {
  if (Store(FMode, v)) Changed();
}

void TCrossHair::SetLineType(TPenStyle v) {
  if (Store(FLineType, v)) Changed();
}

void TCrossHair::SetLineWidth(std::int32_t v) {
  if (Store(FLineWidth, std::max(v, 1))) Changed();
}

void TCrossHair::Assign(const TPersistent& source) {
  const auto* o = dynamic_cast<const TCrossHair*>(&source);
  if (!o) {
    TPersistent::Assign(source);
    return;
  }
  bool changed = StoreDouble(FPosX, o->FPosX);
  changed |= StoreDouble(FPosY, o->FPosY);
  changed |= Store(FLayer, o->FLayer);
  changed |= Store(FColor, o->FColor);
  changed |= Store(FMode, o->FMode);
  changed |= Store(FLineType, o->FLineType);
  changed |= Store(FLineWidth, o->FLineWidth);
  if (changed) Changed();
}

void TCrossHair::AssignTo(TPersistent& dest) const {
  if (auto* target = dynamic_cast<TCrossHair*>(&dest)) {
    target->Assign(*this);
    return;
  }
  TPersistent::AssignTo(dest);
}

}  // namespace mivo
