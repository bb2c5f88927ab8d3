#include <cmath>

#include "mivo/contour/contour_plot.h"
#include "mivo/platform/host.h"

int main() {
  mivo::TContourPlot plot;
  plot.SetBounds(0, 0, 400, 300);
  plot.SetRange(-3.0, -3.0, 3.0, 3.0);  // the field is sampled over this window
  plot.SetPivotResolution(200);         // about 40 pivots along the longer side
  plot.OnEstimateZVal = [](mivo::TObject&, double x, double y, int, int, double& z, std::uint8_t& mask) {
    z = std::sin(x) * std::cos(y);
    if (x * x + y * y < 0.5) mask = 255;  // the centre shown inverted
  };
  plot.SetIsoParams(-1, 1, 0.1);        // colour range and dot levels
  plot.HandleNeeded();                  // gets its window, which asks for a first paint
  mivo::Host().ProcessMessages();       // asks for every pivot and paints
  plot.Surface().SaveToFile("contour.png");
}
