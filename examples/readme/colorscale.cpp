#include "mivo/colorscale/colorscale.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/host.h"

int main() {
  mivo::TColorScale bar;
  bar.SetBounds(0, 0, 320, 75);
  bar.ColorArray.SetSize(64);
  bar.ColorArray.FillByInterpolation(mivo::kColorModelRGB, {mivo::clBlue, mivo::clLime, mivo::clRed});
  bar.SetScaleRange(0, 100);           // axis and colours: 0 ... 100
  bar.SetMarginTop(28);                // room for the caption above the bar
  bar.SetCaptionPosY(6);
  bar.SetCaption("Temperature");
  mivo::TColor hot = bar.ValueToColor(87.5);  // the colour a value gets
  (void)hot;
  bar.CrossHair().SetPosX(87.5);       // marks it on the bar
  bar.HandleNeeded();                  // gets its window, which asks for a first paint
  mivo::Host().ProcessMessages();      // paints it
  bar.Surface().SaveToFile("colorscale.png");
}
