#include <cmath>

#include "mivo/platform/colors.h"
#include "mivo/rot3d/rot3d.h"

int main() {
  mivo::TRot3D plot;  // 450 x 300; adding items does not repaint
  plot.SetColorData(mivo::clNavy);
  plot.SetLineWidth(2);
  for (int i = 0; i <= 400; ++i) {  // a helix of four turns
    const double t = i * 0.0628;
    if (i == 0) plot.Moveto(std::cos(t), std::sin(t), t);
    else plot.Drawto(std::cos(t), std::sin(t), t);
  }
  plot.SetColorData(mivo::clRed);  // filled circles on the axis
  for (int k = 0; k <= 5; ++k) plot.MarkAt(0, 0, 5.0 * k, 13);
  plot.MakeVisible();  // centres and scales the items, then paints
  plot.SetViewAngles(100, 0, 200);  // rotation about x and z; the mouse drags these
  plot.SetMagnification(0.6);
  plot.CopyToPNG("rot3d.png", true);
}
