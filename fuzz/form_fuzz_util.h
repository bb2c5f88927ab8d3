#pragma once
// Helpers of the form-file fuzz targets.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <vector>

#include "mivo/platform/controls.h"
#include "mivo/platform/errors.h"
#include "mivo/platform/properties.h"

namespace mivo::fuzz {

inline bool Loading(const TComponent& c) { return c.ComponentState().Contains(TComponentStateItem::csLoading); }

// Paints one control as a window system would, on a surface of at most
// MaxSide pixels a side (a stored size may ask for 8192 x 8192).
inline void PaintControl(TComponent& c) {
  constexpr std::int32_t MaxSide = 256;
  auto* control = dynamic_cast<TControl*>(&c);
  if (!control) return;
  if (control->Width() > MaxSide || control->Height() > MaxSide)
    control->SetBounds(control->Left(), control->Top(), std::min(control->Width(), MaxSide),
                       std::min(control->Height(), MaxSide));
  TMessage paint;
  paint.Kind = TMessageKind::mkPaint;
  control->Dispatch(paint);
}

inline void PaintAll(const std::vector<std::unique_ptr<TComponent>>& components) {
  for (const auto& c : components) PaintControl(*c);
}

// The text as a form whose components are created from their classes and
// painted; none may be left in the loading state.
inline void ReadFormAndPaint(std::string_view text) {
  std::vector<std::unique_ptr<TComponent>> components;
  try {
    components = ReadForm(text, nullptr, "fuzz.json");
  } catch (const EMivoError&) {
    return;
  }
  for (const auto& c : components)
    if (Loading(*c)) std::abort();
  PaintAll(components);
}

}  // namespace mivo::fuzz
