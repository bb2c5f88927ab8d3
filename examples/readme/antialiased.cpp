#include <cmath>

#include "mivo/platform/colors.h"
#include "mivo/rchart/trchart.h"

int main() {
  mivo::TRChart chart;
  chart.SetBounds(0, 0, 480, 320);
  chart.SetAntialiased(true);                     // smooth edges; off (the default) draws the exact pixels
  chart.SetRange(1, 0, -1.2, 10, 1.2);
  chart.SetDataCol(mivo::clNavy);
  for (int i = 0; i <= 500; ++i) {
    const double t = i * 0.02;
    if (i == 0) chart.MoveTo(t, std::sin(3 * t) * std::exp(-t / 6));
    else chart.DrawTo(t, std::sin(3 * t) * std::exp(-t / 6));
  }
  chart.SetDataCol(mivo::clRed);
  for (int k = 1; k <= 9; ++k) chart.MarkAt(k, std::sin(3.0 * k) * std::exp(-k / 6.0), 3);
  chart.SaveToFile("antialiased.png");            // exports, prints and 300 dpi files follow it too
}
