// The Smith chart: the input impedance of a series RLC circuit swept over
// frequency, plotted as reflection coefficients (marks and a line); the same
// zoomed in, where more labels appear; and the black-and-white rendering.

#include <complex>
#include <string>

#include "gallery.h"
#include "mivo/charts/smith_chart.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"

namespace {

using namespace mivo;

constexpr std::int32_t kTitleHeight = 18, kGap = 12;
constexpr std::int32_t kSide = 420;
constexpr double kPi = 3.14159265358979323846;

// 30 ohm, 10 nH and 4 pF in series on a 50 ohm line, 200 MHz ... 3 GHz:
// resonance near 800 MHz, where the curve crosses the real axis at r = 0.6.
std::complex<double> NormalisedImpedance(double hz) {
  const double w = 2 * kPi * hz;
  return std::complex<double>(30, w * 10e-9 - 1 / (w * 4e-12)) / 50.0;
}

void PlotSweep(TSmithChart& c) {
  c.SetBounds(0, 0, kSide, kSide);
  c.SetChartCaption("Series RLC, 0.2 ... 3 GHz, marks every 400 MHz");
  c.SetCaptAnchorX(TCaptionAnchorHoriz::cahChartCenter);
  c.SetCaptAlignment(TAlignment::taCenter);
  c.SetDataCol(clBlue);
  c.SetLineWid(2);
  for (std::int32_t i = 0; i <= 140; ++i) {
    const std::complex<double> z = NormalisedImpedance(200e6 + i * 20e6);
    const double re = c.CalcReflectionReal(z.real(), z.imag()), im = c.CalcReflectionImag(z.real(), z.imag());
    if (i == 0) c.MoveTo(re, im);
    else c.DrawTo(re, im);
  }
  c.SetLineWid(1);
  c.SetDataCol(clRed);
  for (std::int32_t i = 0; i <= 140; i += 20) {
    const std::complex<double> z = NormalisedImpedance(200e6 + i * 20e6);
    c.MarkAt(c.CalcReflectionReal(z.real(), z.imag()), c.CalcReflectionImag(z.real(), z.imag()), 3);
  }
  c.SetSuppressPaint(false);
}

void Place(TBitmap& sheet, std::int32_t x, std::int32_t y, const std::string& title, const TBitmap& picture) {
  TCanvas& c = sheet.Canvas();
  c.Brush.Style = TBrushStyle::bsClear;
  c.Font = TFont{};
  c.Font.Color = clNavy;
  c.TextOut(x, y, title);
  c.Draw(x, y + kTitleHeight, picture);
}

void RenderSmith(TBitmap& bmp) {
  TSmithChart whole, zoomed, mono;
  PlotSweep(whole);
  PlotSweep(zoomed);
  // Around the resonance: the unit circle now spans about 1000 pixels.
  zoomed.SetRange(-0.6, -0.5, 0.8, 0.5);
  PlotSweep(mono);
  TBitmap a, b, m;
  whole.CopyToBitmap(a, false);
  zoomed.CopyToBitmap(b, false);
  mono.CopyToBitmap(m, true);
  bmp.SetSize(kGap + 3 * (kSide + kGap), kGap + kSide + kTitleHeight + kGap);
  bmp.Clear(clWhite);
  Place(bmp, kGap, kGap, "TSmithChart: impedance sweep as reflection coefficients", a);
  Place(bmp, 2 * kGap + kSide, kGap, "SetRange around the resonance: more labels", b);
  Place(bmp, 3 * kGap + 2 * kSide, kGap, "CopyToBitmap, black and white", m);
}

MIVO_GALLERY_SCENE("smith.png", RenderSmith);

}  // namespace
