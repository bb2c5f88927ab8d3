#include "mivo/gauge/gauge.h"
#include "mivo/platform/host.h"

int main() {
  mivo::TScaleGauge gauge;                      // 300 x 75, dial -10 ... 10
  gauge.SetIndexMode(mivo::TGaugeIndexMode::gimBand);
  gauge.SetCaption("Pressure (bar)");
  gauge.SetCaptionPosY(55);                     // on the cover below the window
  gauge.SetValue(6.5);
  gauge.HandleNeeded();                         // gets its window, which asks for a first paint
  mivo::Host().ProcessMessages();               // paints it
  gauge.Surface().SaveToFile("gauge.png");
}
