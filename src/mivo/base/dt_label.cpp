#include "mivo/base/dt_label.h"

namespace mivo {

void TDTLabel::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TDTLabel*>(&source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  const bool changed = FTimeFormat != other->FTimeFormat || FDateSeparator != other->FDateSeparator ||
                       FTimeSeparator != other->FTimeSeparator || FYearLength != other->FYearLength ||
                       FMonthName != other->FMonthName || FDateOrder != other->FDateOrder ||
                       FDateForTime != other->FDateForTime;
  FTimeFormat = other->FTimeFormat;
  FDateSeparator = other->FDateSeparator;
  FTimeSeparator = other->FTimeSeparator;
  FYearLength = other->FYearLength;
  FMonthName = other->FMonthName;
  FDateOrder = other->FDateOrder;
  FDateForTime = other->FDateForTime;
  if (changed) Changed();
}

void TDTLabel::AssignTo(TPersistent& dest) const {
  if (auto* target = dynamic_cast<TDTLabel*>(&dest)) {
    target->Assign(*this);
    return;
  }
  TPersistent::AssignTo(dest);
}

}  // namespace mivo
