// The 2D chart's mouse interaction, frame by frame: one chart takes queued
// mouse messages on the headless host (the road a window system's input
// takes), and the sheet shows its screen surface after each stage: the fitted
// view, a zoom window while it is dragged (the XOR rectangle) and after the
// release, a pan, a freehand trace and a dragged crosshair.

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>

#include "gallery.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/host.h"
#include "mivo/rchart/rchart.h"

namespace {

using namespace mivo;

constexpr std::int32_t kFrameW = 420;
constexpr std::int32_t kFrameH = 300;
constexpr std::int32_t kTitleHeight = 18;
constexpr std::int32_t kGap = 10;
constexpr std::int32_t kCols = 3;

// Queued input, delivered as a window system would deliver it.
class TMouse {
 public:
  explicit TMouse(TCustomRChart& chart) : FChart(chart) {}
  void Down(std::int32_t x, std::int32_t y) { Send(TMessageKind::mkMouseDown, x, y, MK_LBUTTON); }
  void Drag(std::int32_t x, std::int32_t y) { Send(TMessageKind::mkMouseMove, x, y, MK_LBUTTON); }
  void Up(std::int32_t x, std::int32_t y) { Send(TMessageKind::mkMouseUp, x, y, 0); }
  // A straight drag in `steps` moves, the first of which picks the drag up.
  void DragAlong(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, std::int32_t steps) {
    for (std::int32_t i = 0; i <= steps; ++i) Drag(x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps);
  }

 private:
  void Send(TMessageKind kind, std::int32_t x, std::int32_t y, std::uint32_t keys) {
    THeadlessHost* host = HeadlessHost();
    if (!host) return;
    TMessage m;
    m.Kind = kind;
    m.X = x;
    m.Y = y;
    m.Keys = keys;
    host->PostMessage(FChart, m);
    host->ProcessMessages();
  }
  TCustomRChart& FChart;
};

void SetUpChart(TCustomRChart& c) {
  c.SetSuppressPaint(true);
  c.SetBounds(0, 0, kFrameW, kFrameH);
  c.SetGridStyle(GridStyleType::gsDotLines);
  c.SetGridColor(RGBToColor(180, 180, 180));
  c.ScalePropsX(1).SetCaption("t [s]");
  c.SetDataColor(RGBToColor(20, 70, 170));
  for (std::int32_t i = 0; i <= 2000; ++i) {
    const double t = 20.0 * i / 2000;
    const double y = std::sin(2 * std::numbers::pi * t / 5) * std::exp(-t / 25) + 0.2 * std::sin(7.3 * t);
    if (i == 0)
      c.MoveTo(t, y);
    else
      c.DrawTo(t, y);
  }
  c.SetDataColor(RGBToColor(200, 60, 30));
  for (std::int32_t i = 0; i < 40; ++i) c.MarkAt(0.5 * i, std::cos(0.9 * i) * 0.8, 13);
  c.SetMouseTraceColor(RGBToColor(0, 150, 0));
  c.SetMouseTraceInvert(false);
  TCrossHair& ch = c.CrossHair(1);
  ch.SetColor(RGBToColor(220, 0, 0));
  ch.SetPos(3, 0);
  ch.SetMode(TCrossHMode::chBoth);
  c.AutoRange(1, 5);
  c.ClearZoomHistory();
  c.SetSuppressPaint(false);
}

std::string Fmt(const char* format, double a, double b, double c = 0, double d = 0) {
  char buf[160];
  std::snprintf(buf, sizeof buf, format, a, b, c, d);
  return buf;
}

std::string RangeText(const TCustomRChart& c) {
  return Fmt("x %.3g ... %.3g, y %.3g ... %.3g", c.ScalePropsX(1).RangeLow(), c.ScalePropsX(1).RangeHigh(),
             c.ScalePropsY(1).RangeLow(), c.ScalePropsY(1).RangeHigh());
}

class TSheet {
 public:
  explicit TSheet(TBitmap& bmp) : FBmp(bmp) {
    const std::int32_t rows = 2;
    bmp.SetSize(kGap + kCols * (kFrameW + kGap), kGap + rows * (kFrameH + 2 * kTitleHeight + kGap));
    bmp.Clear(clWhite);
  }
  // The chart's screen surface as the next frame, under two title lines.
  void Frame(TCustomRChart& chart, const std::string& title, const std::string& detail) {
    const std::int32_t x = kGap + (FNext % kCols) * (kFrameW + kGap);
    const std::int32_t y = kGap + (FNext / kCols) * (kFrameH + 2 * kTitleHeight + kGap);
    ++FNext;
    TCanvas& c = FBmp.Canvas();
    c.Brush.Style = TBrushStyle::bsClear;
    c.Font.Color = clNavy;
    c.TextOut(x, y, title);
    c.Font.Color = clGray;
    c.TextOut(x, y + kTitleHeight, detail);
    c.Draw(x, y + 2 * kTitleHeight, chart.Surface());
  }

 private:
  TBitmap& FBmp;
  std::int32_t FNext = 0;
};

void RenderInteraction(TBitmap& bmp) {
  TSheet sheet(bmp);
  TCustomRChart chart;
  SetUpChart(chart);
  TMouse mouse(chart);
  sheet.Frame(chart, "1. AutoRange of the data", RangeText(chart));

  // A zoom window from the lower left to the upper right keeps both axes' direction.
  chart.SetMouseAction(TMouseActMode::maZoomWind);
  mouse.Down(120, 210);
  mouse.DragAlong(120, 210, 230, 90, 6);
  sheet.Frame(chart, "2. maZoomWind: dragging", "the XOR rectangle from the press to the pointer");
  mouse.Up(230, 90);
  sheet.Frame(chart, "3. maZoomWind: released", RangeText(chart));

  // A pan: the content follows the pointer, 80 pixels left and 40 up.
  chart.SetMouseAction(TMouseActMode::maPan);
  mouse.Down(300, 200);
  mouse.DragAlong(300, 200, 220, 160, 8);
  mouse.Up(220, 160);
  sheet.Frame(chart, "4. maPan: dragged 80 px left, 40 px up", RangeText(chart));

  // Two freehand strokes, stored in world units and drawn with every paint.
  chart.SetMouseAction(TMouseActMode::maMouseTrace);
  mouse.Down(90, 80);
  for (std::int32_t i = 0; i <= 40; ++i)
    mouse.Drag(90 + 6 * i, 80 + std::int32_t(std::lround(25 * std::sin(i / 4.0))));
  mouse.Up(330, 80);
  mouse.Down(100, 220);
  mouse.DragAlong(100, 220, 320, 170, 20);
  mouse.Up(320, 170);
  chart.Paint();
  sheet.Frame(chart, "5. maMouseTrace: two strokes",
              Fmt("%.0f points, the stroke ends flagged", chart.NumMTracePoints(), 0));

  // The nearest crosshair follows the pointer. It is first placed under
  // pixel (150, 200) of the present view.
  chart.SetMouseAction(TMouseActMode::maMoveCrossHair);
  double wx = 0, wy = 0;
  chart.M2R(1, 150, 200, wx, wy);
  chart.CrossHair(1).SetPos(wx, wy);
  mouse.Down(150, 200);
  mouse.DragAlong(150, 200, 300, 120, 6);
  mouse.Up(300, 120);
  sheet.Frame(chart, "6. maMoveCrossHair: crosshair 1 dragged",
              Fmt("from (%.3g, %.3g) to (%.3g, %.3g), pixel (150, 200) to (300, 120)", wx, wy,
                  chart.CrossHair(1).PosX(), chart.CrossHair(1).PosY()));
}

MIVO_GALLERY_SCENE("chart-interaction.png", RenderInteraction);

}  // namespace
