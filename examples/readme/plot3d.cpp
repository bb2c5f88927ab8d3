#include <cmath>

#include "mivo/plot3d/plot3d.h"

int main() {
  mivo::TPlot3D plot;
  plot.SetSuppressPaint(true);  // one paint at the end instead of one per setter
  plot.SetBounds(0, 0, 500, 400);
  plot.GridMat.Resize(40, 40);  // columns run along x, rows along y
  for (int c = 1; c <= 40; ++c)
    for (int r = 1; r <= 40; ++r)
      plot.GridMat.SetElem(c, r, std::sin(c / 6.0) * std::cos(r / 8.0));
  plot.SetRange(0, 40, 0, 40, -1, 1);
  plot.SetColorScaleLow(-1);
  plot.SetColorScaleHigh(1);
  plot.SetMagnification(0.6);
  plot.SetSuppressPaint(false);  // paints the surface
  plot.Surface().SaveToFile("plot3d.png");
}
