#include <cmath>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/host.h"
#include "mivo/rchart/trchart.h"

int main() {
  mivo::TRChart chart;                            // 280 x 200; draws once it has a window
  chart.SetBounds(0, 0, 480, 320);
  chart.SetChartCaption("Damped oscillation");
  chart.Scale1X().SetCaption("t [s]");
  chart.SetGridStyle(mivo::GridStyleType::gsDotLines);
  chart.SetMouseAction(mivo::TMouseActMode::maZoomDrag);  // in a window, dragging zooms
  chart.SetDataCol(mivo::clNavy);                 // items take the drawing state when added
  chart.SetLineWid(2);
  for (int i = 0; i <= 400; ++i) {                // world units; adders do not repaint
    const double t = i * 0.05;
    const double y = std::exp(-t / 8) * std::sin(2 * t);
    if (i == 0) chart.MoveTo(t, y);
    else chart.DrawTo(t, y);
  }
  chart.SetDataCol(mivo::clRed);
  for (int k = 0; k <= 20; ++k) chart.MarkAt(k, std::exp(-k / 8.0) * std::sin(2.0 * k), 3);
  chart.AutoRange(1, 5);                          // the items' extents plus 5 %
  chart.SetRange(1, 0, -1, 8, 1);                 // zoom in; ZoomHistory(-1) would step back
  chart.HandleNeeded();                           // gets its window, which asks for a first paint
  mivo::Host().ProcessMessages();                 // paints it
  mivo::TBitmap picture;
  chart.CopyToBitmap(picture, false);             // the whole control; true would give black and white
  picture.SaveToFile("trchart.png");
  chart.CopyToWMF("trchart.svg", false);          // vector output, text stays text ...
  chart.CopyToWMF("trchart.pdf", false);          // ... as PDF when the name ends in .pdf
}
