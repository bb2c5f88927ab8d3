// Draws a line and a scale and saves them as PNG: the smallest program that
// uses the installed headers and library.
#include <cstdio>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"
#include "mivo/scale/scale.h"

int main(int argc, char** argv) {
  const char* out = argc > 1 ? argv[1] : "consumer.png";
  mivo::TBitmap bmp(400, 120);
  bmp.Clear(mivo::clWhite);
  mivo::TCanvas& cv = bmp.Canvas();
  cv.Pen.Color = mivo::RGBToColor(200, 0, 0);
  cv.MoveTo(10, 50);
  cv.LineTo(390, 10);
  mivo::TScale scale;
  scale.SetBounds(0, 0, 400, 60);
  scale.SetRange(0, 250);
  scale.UseForeignCanvas(&cv, 0, 60);
  scale.ForcePaint();
  bmp.SaveToFile(out);
  std::printf("wrote %s\n", out);
  return 0;
}
