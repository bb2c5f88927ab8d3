#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"

int main() {
  mivo::TBitmap bmp(200, 100);
  mivo::TCanvas& cv = bmp.Canvas();
  cv.Brush.Color = mivo::clWhite;
  cv.FillRect({0, 0, 200, 100});
  cv.Pen.Color = mivo::clBlue;
  cv.MoveTo(10, 90);
  cv.LineTo(190, 10);
  cv.TextOut(10, 10, "12.5");
  bmp.SaveToFile("line.png");  // the extension picks the format: .png or .bmp
}
