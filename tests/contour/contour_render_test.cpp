// Rendering of TContourPlot: the cell pass against a per-pixel evaluation of
// its rules on random fields, blocks, dots, the mask, values without data, the
// cached image and its use by paints and exports.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "contour_test_util.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/host.h"
#include "mivo/platform/recording_canvas.h"

namespace mivo {
namespace {

using test::UsePaintingContour;

// ---- the slow reference: the rules evaluated pixel by pixel ----------------

struct TRefImage {
  std::int32_t W = 0, H = 0;
  std::vector<TColor> Px;
  void Put(std::int64_t x, std::int64_t y, TColor c) {
    if (x >= 0 && y >= 0 && x < W && y < H) Px[std::size_t(y * W + x)] = c;
  }
  void Box(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, TColor c) {
    for (std::int64_t y = std::min(y1, y2); y <= std::max(y1, y2); ++y)
      for (std::int64_t x = std::min(x1, x2); x <= std::max(x1, x2); ++x) Put(x, y, c);
  }
};

TRefImage StartImage(TContourPlot& p) {
  TBitmap b;
  b.SetSize(p.DataAreaWidth(), p.DataAreaHeight());
  p.InitGraf(b.Canvas(), 0, 0, b.Width(), b.Height());
  TRefImage r;
  r.W = b.Width();
  r.H = b.Height();
  for (std::int32_t y = 0; y < r.H; ++y)
    for (std::int32_t x = 0; x < r.W; ++x) r.Px.push_back(FromRGB32(b.ScanLine(y)[x]));
  return r;
}

// Data-bitmap pixel of a world point.
void Pix(TContourPlot& p, double x, double y, std::int64_t& px, std::int64_t& py) {
  std::int32_t cx = 0, cy = 0;
  p.R2M(x, y, cx, cy);
  px = std::int64_t(cx) - p.MarginLeft();
  py = std::int64_t(cy) - p.MarginTop();
}

TColor ValueColour(TContourPlot& p, double v) {
  const std::int32_t n = p.IsoColors.Size();
  if (v <= p.IsoLow()) return p.IsoColors.GetColorElem(1);
  const double f = std::min((v - p.IsoLow()) / (p.IsoHigh() - p.IsoLow()) * n, double(n));
  return p.IsoColors.GetColorElem(std::max(RoundToInt(f), 1));
}

TRefImage ReferenceSurface(TContourPlot& p) {
  TRefImage r = StartImage(p);
  const std::int32_t nx = p.NumPivotsX(), ny = p.NumPivotsY();
  const double xl = p.Scale1X().RangeLow(), xh = p.Scale1X().RangeHigh();
  const double yl = p.Scale1Y().RangeLow(), yh = p.Scale1Y().RangeHigh();
  const double dx = (xh - xl) / (nx - 1), dy = (yh - yl) / (ny - 1);
  for (std::int32_t s = 1; s < nx; ++s)
    for (std::int32_t l = 1; l < ny; ++l) {
      const double x0 = xl + (xh - xl) * (s - 1) / (nx - 1), y0 = yl + (yh - yl) * (l - 1) / (ny - 1);
      const double zLL = p.GetPivotVal(s, l), zLR = p.GetPivotVal(s + 1, l);
      const double zUL = p.GetPivotVal(s, l + 1), zUR = p.GetPivotVal(s + 1, l + 1);
      const TColor c = ValueColour(p, zLL);
      std::int64_t xa, ya, xb, yb;
      Pix(p, x0, y0, xa, ya);
      Pix(p, x0 + dx, y0 + dy, xb, yb);
      if (c == ValueColour(p, zLR) && c == ValueColour(p, zUL) && c == ValueColour(p, zUR)) {
        r.Box(xa, ya, xb, yb, c);
        continue;
      }
      const std::int64_t sx = std::clamp<std::int64_t>(std::min<std::int64_t>(5, std::abs(xb - xa)), 1, 5);
      const std::int64_t sy = std::clamp<std::int64_t>(std::min<std::int64_t>(5, std::abs(yb - ya)), 1, 5);
      for (std::int64_t i = 0; i < sx; ++i)
        for (std::int64_t j = 0; j < sy; ++j) {
          const double vb = zLL + (zLR - zLL) * i / sx, vt = zUL + (zUR - zUL) * i / sx;
          std::int64_t x1, y1, x2, y2;
          Pix(p, x0 + dx * i / sx, y0 + dy * j / sy, x1, y1);
          Pix(p, x0 + dx * i / sx + dx / sx, y0 + dy * j / sy + dy / sy, x2, y2);
          r.Box(x1, y1, x2, y2, ValueColour(p, vb + (vt - vb) * j / sy));
        }
    }
  return r;
}

TRefImage ReferenceDots(TContourPlot& p) {
  TRefImage r = StartImage(p);
  const std::int32_t nx = p.NumPivotsX(), ny = p.NumPivotsY(), n = p.IsoColors.Size();
  const double xl = p.Scale1X().RangeLow(), xh = p.Scale1X().RangeHigh();
  const double yl = p.Scale1Y().RangeLow(), yh = p.Scale1Y().RangeHigh();
  const double dx = (xh - xl) / (nx - 1), dy = (yh - yl) / (ny - 1);
  const std::int32_t nl = RoundToInt((p.IsoHigh() - p.IsoLow()) / p.IsoDist());
  auto levelColour = [&](double level) {
    if (p.PlotMode() == TContourPlotMode::cpmMonoDots) return p.IsoColors.GetColorElem(1);
    return p.IsoColors.GetColorElem(
        std::clamp(RoundToInt((level - p.IsoLow()) * n / (p.IsoHigh() - p.IsoLow())), 1, n));
  };
  for (std::int32_t s = 1; s < nx; ++s)
    for (std::int32_t l = 1; l < ny; ++l) {
      const double x0 = xl + (xh - xl) * (s - 1) / (nx - 1), y0 = yl + (yh - yl) * (l - 1) / (ny - 1);
      const double zLL = p.GetPivotVal(s, l), zLR = p.GetPivotVal(s + 1, l);
      const double zUL = p.GetPivotVal(s, l + 1), zUR = p.GetPivotVal(s + 1, l + 1);
      for (std::int32_t q = 0; q < 5; ++q) {
        const double vb = zLL + (zLR - zLL) * q / 5, vt = zUL + (zUR - zUL) * q / 5;
        for (std::int32_t k = 0; k < nl; ++k) {
          const double level = p.IsoLow() + k * p.IsoDist();
          if (!(std::min(vb, vt) < level && level < std::max(vb, vt))) continue;
          std::int64_t px, py;
          Pix(p, x0 + dx * q / 5, y0 + dy * (level - vb) / (vt - vb), px, py);
          r.Put(px, py, levelColour(level));
        }
      }
      for (std::int32_t q = 0; q <= 5; ++q) {
        const double vl = zLL + (zUL - zLL) * q / 5, vr = zLR + (zUR - zLR) * q / 5;
        for (std::int32_t k = 0; k < nl; ++k) {
          const double level = p.IsoLow() + k * p.IsoDist();
          if (!(std::min(vl, vr) < level && level < std::max(vl, vr))) continue;
          std::int64_t px, py;
          Pix(p, x0 + dx * (level - vl) / (vr - vl), y0 + dy * q / 5, px, py);
          r.Put(px, py, levelColour(level));
        }
      }
    }
  return r;
}

// Count of pixels where the plot's cached image differs from the reference,
// and the first of them.
std::string Differences(const TContourPlot& p, const TRefImage& r) {
  const TBitmap& b = p.DataImage();
  if (b.Width() != r.W || b.Height() != r.H) return "size differs";
  std::int64_t count = 0;
  std::string first;
  for (std::int32_t y = 0; y < r.H; ++y)
    for (std::int32_t x = 0; x < r.W; ++x) {
      const TColor got = FromRGB32(b.ScanLine(y)[x]), want = r.Px[std::size_t(y * r.W + x)];
      if (got != want && count++ == 0)
        first = " first at (" + std::to_string(x) + ", " + std::to_string(y) + "): " + std::to_string(got) +
                " instead of " + std::to_string(want);
    }
  return count == 0 ? "" : std::to_string(count) + " pixels differ;" + first;
}

// A random smooth field with a ridge, sampled through the handler.
void UseRandomField(TContourPlot& p, std::uint32_t seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> u(-1, 1);
  const double a = u(rng) * 2, b = u(rng) * 2, c = u(rng), d = u(rng) * 3;
  p.OnEstimateZVal = [=](TObject&, double x, double y, std::int32_t, std::int32_t, double& z, std::uint8_t&) {
    z = std::sin(a * x) * std::cos(b * y) + c * std::exp(-(x - d) * (x - d));
  };
}

TEST(ContourCells, SurfaceMatchesThePerPixelRulesOnRandomFields) {
  struct Row {
    std::int32_t NX, NY, Colours;
    double XL, XH, YL, YH;
  };
  // Wide and narrow cells (fewer pixels than sub-cells), reversed axes, a
  // colour array smaller and larger than the level count.
  const Row rows[] = {{11, 7, 64, -5, 5, -3, 3},  {200, 150, 64, 0, 10, 0, 5}, {57, 3, 7, -1, 1, 2, 9},
                      {31, 44, 300, 5, -5, 3, -3}, {3, 2, 1, 0, 1, 0, 1},       {401, 201, 20, 0, 400, 0, 200}};
  std::uint32_t seed = 1;
  for (const Row& r : rows) {
    TContourPlot p;
    UsePaintingContour(p);
    p.SetNumPivotsX(r.NX);
    p.SetNumPivotsY(r.NY);
    p.IsoColors.SetSize(r.Colours);
    p.IsoColors.FillByInterpolation(kColorModelRGB, {clBlue, clLime, clRed, clYellow});
    p.SetRange(r.XL, r.YL, r.XH, r.YH);
    UseRandomField(p, seed++);
    p.DrawPlot();
    EXPECT_EQ(Differences(p, ReferenceSurface(p)), "") << r.NX << " x " << r.NY;
  }
}

TEST(ContourCells, DotsMatchThePerPixelRulesOnRandomFields) {
  for (const TContourPlotMode mode : {TContourPlotMode::cpmDots, TContourPlotMode::cpmMonoDots}) {
    for (std::uint32_t seed : {7u, 8u, 9u}) {
      TContourPlot p;
      UsePaintingContour(p);
      p.SetNumPivotsX(9 + std::int32_t(seed) * 3);
      p.SetNumPivotsY(6 + std::int32_t(seed));
      p.SetPlotMode(mode);
      p.SetIsoParams(-1.3, 1.1, 0.07);
      UseRandomField(p, seed);
      p.DrawPlot();
      EXPECT_EQ(Differences(p, ReferenceDots(p)), "") << "seed " << seed;
    }
  }
}

TEST(ContourCells, OneCellThroughACanvasMatchesTheRowWriter) {
  TContourPlot p;
  UsePaintingContour(p);
  p.SetIsoParams(-1, 1, 0.05);
  struct Row {
    double zLL, zLR, zUL, zUR, x0, y0, dx, dy;
  };
  for (const Row& r : {Row{-1.5, 0.3, 0.9, 2, 1, 1, 3, 2}, Row{0.2, 0.2, 0.2, 0.2, 2, 0.5, 1, 1},
                       Row{0.9, -0.9, 0.1, 0.4, 9.9, 4.9, 0.04, 0.02}, Row{-0.3, 0.6, -0.8, 0.1, -2, -1, 14, 8}}) {
    TBitmap rows, canvas;
    rows.SetSize(p.DataAreaWidth(), p.DataAreaHeight());
    canvas.SetSize(p.DataAreaWidth(), p.DataAreaHeight());
    TPixelRows pr{rows.ScanLine(0), rows.ScanLine(1) - rows.ScanLine(0), rows.Width(), rows.Height()};
    p.IsoColQuadSL(pr, 0, 0, r.zLL, r.zLR, r.zUL, r.zUR, r.x0, r.y0, r.dx, r.dy, 5, 5);
    p.IsoQuadSL(pr, 0, 0, r.zLR, r.zUR, r.zLL, r.zUL, r.x0, r.y0, r.dx, r.dy, 5, 5);
    p.IsoColQuad(canvas.Canvas(), 0, 0, r.zLL, r.zLR, r.zUL, r.zUR, r.x0, r.y0, r.dx, r.dy, 5, 5);
    p.IsoQuad(canvas.Canvas(), 0, 0, r.zLR, r.zUR, r.zLL, r.zUL, r.x0, r.y0, r.dx, r.dy, 5, 5);
    std::int64_t differ = 0, painted = 0;
    for (std::int32_t y = 0; y < rows.Height(); ++y)
      for (std::int32_t x = 0; x < rows.Width(); ++x) {
        differ += FromRGB32(rows.ScanLine(y)[x]) != FromRGB32(canvas.ScanLine(y)[x]);
        painted += FromRGB32(rows.ScanLine(y)[x]) != 0;
      }
    EXPECT_EQ(differ, 0) << r.x0;
    EXPECT_GT(painted, 0) << r.x0;
  }
}

TEST(ContourCells, FlatCellsAreOneColour) {
  TContourPlot p;
  UsePaintingContour(p);
  p.SetNumPivotsX(11);
  p.SetNumPivotsY(6);
  p.OnEstimateZVal = [](TObject&, double x, double, std::int32_t, std::int32_t, double& z, std::uint8_t&) {
    z = x < 5 ? -7 : 0.01;  // below IsoLow on the left
  };
  p.DrawPlot();
  const TBitmap& b = p.DataImage();
  EXPECT_EQ(FromRGB32(b.ScanLine(100)[40]), ColorToRGB(p.IsoColors.GetColorElem(1)));
  EXPECT_EQ(FromRGB32(b.ScanLine(100)[360]), ColorToRGB(p.IsoColors.GetColorElem(32)));
}

TEST(ContourCells, EmptyColourArrayDrawsInBlack) {
  TContourPlot p;
  UsePaintingContour(p);
  p.SetNumPivotsX(5);
  p.SetNumPivotsY(5);
  p.OnEstimateZVal = [](TObject&, double x, double, std::int32_t, std::int32_t, double& z, std::uint8_t&) { z = x; };
  p.IsoColors.SetSize(0);
  for (const TContourPlotMode mode : {TContourPlotMode::cpmColorSurface, TContourPlotMode::cpmColorSurfNoIp}) {
    p.SetPlotMode(mode);
    p.DrawPlot();
    EXPECT_EQ(FromRGB32(p.DataImage().ScanLine(100)[200]), clBlack);
  }
}

TEST(ContourCells, BlocksWithoutInterpolationAreCentredOnTheirPivots) {
  TContourPlot p;
  UsePaintingContour(p);  // x 0 ... 10 over 400 pixels, y 0 ... 5 over 200
  p.SetNumPivotsX(6);     // pivots every 2 units = 80 pixels
  p.SetNumPivotsY(6);     // every unit = 40 pixels
  p.SetPlotMode(TContourPlotMode::cpmColorSurfNoIp);
  p.OnEstimateZVal = [](TObject&, double, double, std::int32_t a, std::int32_t b, double& z, std::uint8_t&) {
    z = (a == 3 && b == 3) ? 1 : -1;
  };
  p.DrawPlot();
  const TBitmap& b = p.DataImage();
  const TColor hi = ColorToRGB(p.IsoColors.GetColorElem(kDefaultIsoColors));
  const TColor lo = ColorToRGB(p.IsoColors.GetColorElem(1));
  // Pivot (3, 3) is world (4, 2): pixel (160, 120); its block spans x 3 ... 5, y 1.5 ... 2.5.
  std::int32_t x1, y1, x2, y2;
  p.R2M(3.0, 2.5, x1, y1);
  p.R2M(5.0, 1.5, x2, y2);
  x1 -= p.MarginLeft();
  x2 -= p.MarginLeft();
  y1 -= p.MarginTop();
  y2 -= p.MarginTop();
  EXPECT_EQ(x2 - x1, 80);
  EXPECT_EQ(y2 - y1, 40);
  // The neighbours come later and overwrite the shared edges.
  EXPECT_EQ(FromRGB32(b.ScanLine(120)[160]), hi);
  EXPECT_EQ(FromRGB32(b.ScanLine(y1 + 1)[x1 + 1]), hi);
  EXPECT_EQ(FromRGB32(b.ScanLine(y2 - 1)[x2 - 1]), hi);
  EXPECT_EQ(FromRGB32(b.ScanLine(y1 - 1)[160]), lo);
  EXPECT_EQ(FromRGB32(b.ScanLine(120)[x2 + 1]), lo);
}

TEST(ContourCells, PivotsWithoutDataLeaveTheirCellsUnpainted) {
  for (const TContourPlotMode mode : {TContourPlotMode::cpmColorSurface, TContourPlotMode::cpmColorSurfNoIp,
                                      TContourPlotMode::cpmDots}) {
    for (const double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
      TContourPlot p;
      UsePaintingContour(p);
      p.SetChartColor(0x123456);
      p.SetNumPivotsX(6);
      p.SetNumPivotsY(6);
      p.SetPlotMode(mode);
      p.OnEstimateZVal = [=](TObject&, double, double, std::int32_t a, std::int32_t b, double& z, std::uint8_t&) {
        z = (a == 3 && b == 3) ? bad : 0.5 * a - 1;
      };
      p.DrawPlot();
      EXPECT_EQ(FromRGB32(p.DataImage().ScanLine(120)[160]), 0x123456u) << int(mode) << " " << bad;
      EXPECT_EQ(p.MaxPivot(), 2.0);
    }
  }
}

TEST(ContourCells, LevelSpacingsWithoutLevelsDrawNoDots) {
  for (const double dist : {0.0, -0.5, std::nan(""), 1e-300}) {
    TContourPlot p;
    UsePaintingContour(p);
    p.SetNumPivotsX(30);
    p.SetNumPivotsY(30);
    p.SetPlotMode(TContourPlotMode::cpmDots);
    p.SetIsoDist(dist);
    UseRandomField(p, 3);
    p.DrawPlot();  // 1e-300: the lowest kMaxIsoLevels levels, in bounded time
    if (dist != 1e-300) {
      EXPECT_EQ(Differences(p, StartImage(p)), "") << dist;
    }
  }
}

// ---- the mask ----------------------------------------------------------------

TEST(ContourMask, PaletteColoursAndInversion) {
  TContourPlot p;
  UsePaintingContour(p);
  p.SetNumPivotsX(6);  // pivots every 80 pixels
  p.SetNumPivotsY(6);  // every 40 pixels
  p.SetPlotMode(TContourPlotMode::cpmColorSurfNoIp);
  p.OnEstimateZVal = [](TObject&, double, double, std::int32_t, std::int32_t, double& z, std::uint8_t&) { z = 0; };
  p.SetMaskVal(2, 2, 7);
  p.SetMaskVal(4, 4, 255);
  p.DrawPlot();
  const TBitmap& b = p.DataImage();
  const TColor plain = ColorToRGB(p.IsoColors.GetColorElem(32));
  EXPECT_EQ(p.MaskPalette.GetColorElem(7), PredefinedColors[6]);
  EXPECT_EQ(FromRGB32(b.ScanLine(160)[80]), PredefinedColors[6]);  // pivot (2, 2): world (2, 1)
  EXPECT_EQ(FromRGB32(b.ScanLine(80)[240]), plain ^ 0xFFFFFFu);     // pivot (4, 4): world (6, 3)
  EXPECT_EQ(FromRGB32(b.ScanLine(120)[160]), plain);
  // The rectangles reach half a pivot spacing each way, both ends included.
  EXPECT_EQ(FromRGB32(b.ScanLine(160)[40]), PredefinedColors[6]);
  EXPECT_EQ(FromRGB32(b.ScanLine(160)[39]), plain);
  EXPECT_EQ(FromRGB32(b.ScanLine(60)[280]), plain ^ 0xFFFFFFu);
  EXPECT_EQ(FromRGB32(b.ScanLine(59)[280]), plain);
}

TEST(ContourMask, DefaultPaletteSpreadsSixColoursUnderTheSixteenPredefined) {
  TContourPlot p;
  ASSERT_EQ(p.MaskPalette.Size(), 255);
  for (std::int32_t i = 0; i < 16; ++i) EXPECT_EQ(p.MaskPalette.GetColorElem(i + 1), PredefinedColors[std::size_t(i)]);
  EXPECT_EQ(p.MaskPalette.GetColorElem(255), clWhite);
  EXPECT_EQ(p.IsoColors.Size(), kDefaultIsoColors);
  EXPECT_EQ(p.IsoColors.GetColorElem(1), TColor(0xFF0000));
  EXPECT_EQ(p.IsoColors.GetColorElem(kDefaultIsoColors), TColor(0x0000FF));
}

// ---- the cached image --------------------------------------------------------

TEST(ContourCache, ReusedImageStillCallsOnDataRenderedAndDrawsTheFrame) {
  TContourPlot p;
  UsePaintingContour(p);
  p.SetNumPivotsX(10);
  p.SetNumPivotsY(10);
  p.SetChartFrameColor(0x00FF00);
  test::TCountingField f;
  p.OnEstimateZVal = f.Handler();
  std::int32_t rendered = 0;
  p.OnDataRendered = [&](TObject&, TCanvas& c, std::int32_t top, std::int32_t left) {
    ++rendered;
    EXPECT_EQ(top, 16);
    EXPECT_EQ(left, 50);
    c.SetPixel(5, 5, 0x123456);
  };
  p.DrawPlot();
  const std::int32_t calls = f.Calls;
  p.Paint();
  p.Paint();
  EXPECT_EQ(f.Calls, calls);
  EXPECT_EQ(rendered, 3);
  const TBitmap& g = p.GrafBmp();
  EXPECT_EQ(FromRGB32(g.ScanLine(0)[0]), 0x00FF00u);
  EXPECT_EQ(FromRGB32(g.ScanLine(200)[400]), 0x00FF00u);
  EXPECT_EQ(FromRGB32(g.ScanLine(5)[5]), 0x123456u);
  EXPECT_NE(FromRGB32(p.DataImage().ScanLine(5)[5]), 0x123456u);  // the hook draws over a copy
}

TEST(ContourCache, EverySettingOfThePictureRebuildsIt) {
  TContourPlot p;
  UsePaintingContour(p);
  p.SetNumPivotsX(4);
  p.SetNumPivotsY(4);
  // A rebuild reports 100 twice: pivots done, mask pass done.
  std::int32_t rebuilds = 0;
  p.OnProgress = [&](TObject&, std::int32_t pc) { rebuilds += pc == 100; };
  p.OnZoomPan = [](TObject&) {};  // the host's own handlers do not matter
  p.OnResize = [](TObject&) {};
  TCustomRChart& chart = p;
  const std::vector<std::pair<const char*, std::function<void()>>> changes = {
      {"margin", [&] { p.SetLRim(40); }},
      {"shadow", [&] { p.SetF3DRim(3); }},
      {"chart colour", [&] { p.SetChartColor(0xABCDEF); }},
      {"frame colour", [&] { p.SetChartFrameColor(0x0000FF); }},
      {"range through the chart", [&] { chart.SetRange(1, 0, 0, 3, 3); }},
      {"zoom history", [&] { chart.ZoomHistory(-1); }},
      {"size", [&] { p.SetBounds(0, 0, 300, 300); }},
      {"plot mode", [&] { p.SetPlotMode(TContourPlotMode::cpmDots); }},
      {"levels", [&] { p.SetIsoParams(-2, 3, 0.5); }},
      {"estimate switch", [&] { p.SetEstimateEnabled(false); }},
      {"iso colours", [&] { p.IsoColors.SetColorElem(1, 0x010203); }},
      {"mask palette", [&] { p.MaskPalette.SetColorElem(9, 0x010203); }},
      {"background", [&] { p.BackGroundImg().SetAreaColor(0x111111); }},
  };
  for (const auto& [name, change] : changes) {
    const std::int32_t before = rebuilds;
    change();
    p.Paint();
    EXPECT_GE(rebuilds, before + 2) << name;
    EXPECT_FALSE(p.InvalidDataBmp()) << name;
    const std::int32_t after = rebuilds;
    p.Paint();
    EXPECT_EQ(rebuilds, after) << name;
  }
}

TEST(ContourCache, TextLabelsAreDrawnOverTheImageWithoutARebuild) {
  TContourPlot p;
  UsePaintingContour(p);
  p.SetNumPivotsX(4);
  p.SetNumPivotsY(4);
  test::TCountingField f;
  p.OnEstimateZVal = f.Handler();
  p.DrawPlot();
  const std::int32_t calls = f.Calls;
  const TBitmap before = p.GrafBmp();
  const std::int32_t ix = p.AddTextLabel(5, 2.5, clBlack, "Label", 0);
  ASSERT_GT(ix, 0);
  p.TextLabels(ix).SetMode(TTxtLblMode::tlBox);
  p.TextLabels(ix).SetVisible(true);
  p.Paint();
  EXPECT_EQ(f.Calls, calls);
  std::int64_t changed = 0;
  for (std::int32_t y = 0; y < before.Height(); ++y)
    for (std::int32_t x = 0; x < before.Width(); ++x)
      changed += FromRGB32(before.ScanLine(y)[x]) != FromRGB32(p.GrafBmp().ScanLine(y)[x]);
  EXPECT_GT(changed, 100);
  p.TextLabels(ix).SetVisible(false);
  p.Paint();
  EXPECT_EQ(f.Calls, calls);
  EXPECT_EQ(FromRGB32(p.GrafBmp().ScanLine(100)[200]), FromRGB32(before.ScanLine(100)[200]));
}

TEST(ContourCache, ZeroSizeAndTinyControlsPaint) {
  for (const auto& [w, h] : {std::pair{0, 0}, std::pair{1, 1}, std::pair{30, 20}, std::pair{61, 49}}) {
    TContourPlot p;
    p.SetSuppressPaint(false);
    p.SetBounds(0, 0, w, h);
    UseRandomField(p, 5);
    p.SetMaskVal(1, 1, 255);
    for (const TContourPlotMode mode : {TContourPlotMode::cpmDots, TContourPlotMode::cpmColorSurface,
                                        TContourPlotMode::cpmColorSurfNoIp}) {
      p.SetPlotMode(mode);
      p.DrawPlot();
    }
    EXPECT_EQ(p.DataImage().Width(), p.DataAreaWidth());
  }
}

TEST(ContourCache, ExportsAskForThePivotsAgainAndKeepTheScreenImage) {
  TContourPlot p;
  UsePaintingContour(p);
  p.SetNumPivotsX(20);
  p.SetNumPivotsY(10);
  test::TCountingField f;
  p.OnEstimateZVal = f.Handler();
  p.DrawPlot();
  const TBitmap screen = p.DataImage();
  TBitmap out;
  p.CopyToBitmapDAOnly(out, false);
  EXPECT_EQ(f.Calls, 400);
  ASSERT_EQ(out.Width(), screen.Width());
  EXPECT_EQ(FromRGB32(out.ScanLine(100)[100]), FromRGB32(screen.ScanLine(100)[100]));
  // Black and white changes the chart colours for the export only.
  p.SetChartColor(0x00FFFF);
  p.SetPlotMode(TContourPlotMode::cpmDots);
  p.Paint();
  p.CopyToBitmap(out, true);
  p.Paint();
  EXPECT_EQ(FromRGB32(p.DataImage().ScanLine(1)[1]), 0x00FFFFu);
}

TEST(ContourCache, VectorOutputCarriesTheImageAsOneBitmap) {
  TContourPlot p;
  UsePaintingContour(p);
  p.SetNumPivotsX(20);
  p.SetNumPivotsY(10);
  UseRandomField(p, 11);
  TRecordingCanvas rc(TSize{p.Width(), p.Height()});
  p.ConstructDataBmpCanvas(rc, p.MarginLeft(), p.MarginTop(), false, 0);
  EXPECT_EQ(rc.Count(TPrimitiveKind::pkDraw), 1u);
  EXPECT_EQ(rc.Count(TPrimitiveKind::pkFillRect), 0u);
  // An SVG document of the whole plot embeds it as an image.
  const std::string file = testing::TempDir() + "contour_vector.svg";
  p.CopyToWMF(file, false);
  std::ifstream in(file);
  const std::string svg((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(svg.find("<image"), std::string::npos);
  std::remove(file.c_str());
}

}  // namespace
}  // namespace mivo
