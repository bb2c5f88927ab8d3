#pragma once
// Private to the colorscale module.

#include <string>

#include "mivo/base/crosshair.h"

namespace mivo::detail {

// The colour scale's crosshair: a TCrossHair whose published defaults are the
// colour scale's (mode 3, dotted), so a fresh control stores nothing for it.
class TColorScaleCrossHair : public TCrossHair {
 public:
  std::string ClassName() const override { return "TColorScaleCrossHair"; }
};

}  // namespace mivo::detail
