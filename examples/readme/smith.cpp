#include <complex>

#include "mivo/charts/smith_chart.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/host.h"

int main() {
  mivo::TSmithChart smith;                        // x: real part, y: imaginary part of G
  smith.SetBounds(0, 0, 420, 420);
  smith.SetChartCaption("Load 25 + j(w*8nH) ohm on 50 ohm");
  smith.SetMouseAction(mivo::TMouseActMode::maZoomDrag);
  smith.SetDataCol(mivo::clBlue);
  smith.SetLineWid(2);
  for (int i = 0; i <= 100; ++i) {                // 0 ... 2 GHz
    const std::complex<double> z(25.0 / 50, 2 * 3.14159265 * i * 20e6 * 8e-9 / 50);
    const double re = smith.CalcReflectionReal(z.real(), z.imag());  // G = (z - 1)/(z + 1)
    const double im = smith.CalcReflectionImag(z.real(), z.imag());
    if (i == 0) smith.MoveTo(re, im);
    else smith.DrawTo(re, im);
  }
  smith.SetRangeXLow(-1.1);                       // the y range follows: x and y stay isometric
  smith.HandleNeeded();                           // gets its window, which asks for a first paint
  mivo::Host().ProcessMessages();                 // paints grid, labels and the curve
  const double r = smith.CalcResistance(0.2, 0.4);  // back from G: z = 1 + j1
  (void)r;
  smith.Surface().SaveToFile("smith.png");
}
