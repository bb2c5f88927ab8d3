// libFuzzer target: reading a form file into each of the library's
// components (TScale, TColorScale, TScaleGauge, TRChart, TSmithChart, TBoxPlot,
// TContourPlot, TPlot3D, TRot3D).
// A read either succeeds or raises EMivoError and leaves the component
// exactly as it was (every published property) and out of the loading state;
// after a refused read the component still paints. A successful read paints
// and writes back to a text that reads again to the same values. The same
// text read as a form creates whichever of these classes it names and paints
// them.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "mivo/charts/box_plot.h"
#include "mivo/charts/smith_chart.h"
#include "mivo/colorscale/colorscale.h"
#include "mivo/contour/contour_plot.h"
#include "mivo/gauge/gauge.h"
#include "mivo/platform/errors.h"
#include "mivo/platform/properties.h"
#include "mivo/plot3d/plot3d.h"
#include "mivo/rchart/trchart.h"
#include "mivo/rot3d/rot3d.h"
#include "mivo/scale/scale.h"

#include "form_fuzz_util.h"

namespace {

using namespace mivo;

using TMake = std::function<std::unique_ptr<TComponent>()>;

template <typename T>
TMake Maker() {
  return [] { return std::make_unique<T>(); };
}

const std::vector<TMake>& Makers() {
  static const std::vector<TMake> makers = {Maker<TScale>(),      Maker<TColorScale>(), Maker<TScaleGauge>(),
                                            Maker<TRChart>(),     Maker<TSmithChart>(), Maker<TBoxPlot>(),
                                            Maker<TContourPlot>(), Maker<TPlot3D>(),    Maker<TRot3D>()};
  return makers;
}

void ReadInto(const TMake& make, std::string_view text) {
  const std::unique_ptr<TComponent> c = make();
  const TJson before = PropertiesToJson(*c);
  try {
    ReadComponentFromString(*c, text, "fuzz.json");
  } catch (const EMivoError&) {
    if (PropertiesToJson(*c) != before || fuzz::Loading(*c)) std::abort();
    fuzz::PaintControl(*c);
    return;
  }
  if (fuzz::Loading(*c)) std::abort();
  const std::string written = WriteComponentToString(*c);
  const std::unique_ptr<TComponent> again = make();
  ReadComponentFromString(*again, written, "again.json");
  if (WriteComponentToString(*again) != written) std::abort();
  fuzz::PaintControl(*c);
}


}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool registered = [] {
    for (const TMake& make : Makers()) (void)make();  // each class registers itself once made
    return true;
  }();
  (void)registered;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const TMake& make : Makers()) ReadInto(make, text);
  fuzz::ReadFormAndPaint(text);
  return 0;
}
