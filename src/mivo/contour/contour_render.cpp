// Rendering of TContourPlot: the cached data image built from the pivots
// (cell pass, mask pass), and its use by paints, exports and printing.
//
// Stages of a rebuild: pivots (contour_pivots.cpp) -> colour tables ->
// cells mapped to pixels (the chart's own layer mapping) -> clipped spans
// written into the image's rows -> the mask combined over them.
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>

#include "mivo/contour/contour_plot.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"
#include "mivo/rchart/rchart_layer_mapping.h"

namespace mivo {

namespace {

std::int32_t Sat(std::int64_t v) {
  return std::int32_t(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

// What one rebuild needs to turn cells into pixels.
struct TCellContext {
  detail::TLayerMapping Map;
  std::int64_t ShiftX = 0, ShiftY = 0;  // chart pixel -> target pixel
  double Low = 0, High = 1, Dist = 0;
  std::int32_t NumLevels = 0;
  std::int32_t NumColors = 0;
  const TColor* ValueLut = nullptr;  // entries 0 ... max(NumColors, 1)
  const TColor* LevelLut = nullptr;  // per level

  std::int32_t X(double x) const { return Sat(Map.MapX(x) + ShiftX); }
  std::int32_t Y(double y) const { return Sat(Map.MapY(y) + ShiftY); }
};

// Orders a box given by two inclusive corners and cuts it to w x h pixels;
// false when nothing of it is left.
bool ClipBox(std::int32_t& x1, std::int32_t& y1, std::int32_t& x2, std::int32_t& y2, std::int32_t w, std::int32_t h) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  x1 = std::max(x1, 0);
  y1 = std::max(y1, 0);
  x2 = std::min(x2, w - 1);
  y2 = std::min(y2, h - 1);
  return x1 <= x2 && y1 <= y2;
}

// Pixels into 32-bit rows, clipped to the bitmap.
struct TRowSink {
  TPixelRows Rows;
  void Set(std::int32_t x, std::int32_t y, TColor c) const {
    if (x < 0 || y < 0 || x >= Rows.Width || y >= Rows.Height) return;
    Rows.Base[y * Rows.Stride + x] = ToRGB32(c);
  }
  // Both corners inclusive, in either order.
  void Fill(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, TColor c) const {
    if (!ClipBox(x1, y1, x2, y2, Rows.Width, Rows.Height)) return;
    const TRGB32 p = ToRGB32(c);
    for (std::int32_t y = y1; y <= y2; ++y) std::fill_n(Rows.Base + y * Rows.Stride + x1, x2 - x1 + 1, p);
  }
};

// The same through a canvas (pixel set and filled rectangles).
struct TCanvasSink {
  TCanvas& Canvas;
  void Set(std::int32_t x, std::int32_t y, TColor c) const { Canvas.SetPixel(x, y, c); }
  void Fill(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, TColor c) const {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    Canvas.Brush = TBrush{c, TBrushStyle::bsSolid};
    Canvas.FillRect(Rect(x1, y1, Sat(std::int64_t(x2) + 1), Sat(std::int64_t(y2) + 1)));
  }
};

bool AllFinite(double a, double b, double c, double d) {
  return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

// Calls f(k, level) for every level strictly between a and b, lowest first.
// Only the levels that can lie in the interval are visited.
template <typename F>
void ForLevelsBetween(const TCellContext& c, double a, double b, F f) {
  const double lo = std::min(a, b), hi = std::max(a, b);
  if (!(hi > lo) || c.NumLevels <= 0) return;
  const double last = c.NumLevels - 1;
  const double k0 = std::clamp(std::floor((lo - c.Low) / c.Dist), 0.0, last);
  const double k1 = std::clamp(std::ceil((hi - c.Low) / c.Dist), 0.0, last);
  if (!(k0 <= k1)) return;  // NaN from an overflowing quotient
  for (std::int32_t k = std::int32_t(k0); k <= std::int32_t(k1); ++k) {
    const double level = IsoLevel(c.Low, c.Dist, k);
    if (lo < level && level < hi) f(k, level);
  }
}

template <typename Sink>
void DotCell(const TCellContext& c, const Sink& sink, double zLL, double zLR, double zUL, double zUR, double x0,
             double y0, double dx, double dy, std::int32_t nx, std::int32_t ny) {
  if (!AllFinite(zLL, zLR, zUL, zUR) || c.NumLevels <= 0) return;
  nx = std::max(nx, 1);
  ny = std::max(ny, 1);
  for (std::int32_t p = 0; p < nx; ++p) {
    const double x = x0 + dx * p / nx;
    const double vb = zLL + (zLR - zLL) * p / nx;
    const double vt = zUL + (zUR - zUL) * p / nx;
    const std::int32_t px = c.X(x);
    ForLevelsBetween(c, vb, vt, [&](std::int32_t k, double level) {
      sink.Set(px, c.Y(y0 + dy * (level - vb) / (vt - vb)), c.LevelLut[k]);
    });
  }
  for (std::int32_t p = 0; p <= ny; ++p) {
    const double y = y0 + dy * p / ny;
    const double vl = zLL + (zUL - zLL) * p / ny;
    const double vr = zLR + (zUR - zLR) * p / ny;
    const std::int32_t py = c.Y(y);
    ForLevelsBetween(c, vl, vr, [&](std::int32_t k, double level) {
      sink.Set(c.X(x0 + dx * (level - vl) / (vr - vl)), py, c.LevelLut[k]);
    });
  }
}

// Value of sub-cell (i, j) of n x m: bilinear, sampled at its low corner.
inline double SubCellValue(double zLL, double zLR, double zUL, double zUR, std::int32_t i, std::int32_t j,
                           std::int32_t n, std::int32_t m) {
  const double vb = zLL + (zLR - zLL) * i / n;
  const double vt = zUL + (zUR - zUL) * i / n;
  return vb + (vt - vb) * j / m;
}

// The pixel ends of a cell along one axis and of its sub-cells: the cell spans
// map(v0) ... map(v0 + d); n = min(5, its pixel extent), at least 1; sub-cell i
// spans map(v0 + d i / n) ... map(v0 + d i / n + d / n). Depends only on the
// column (or row), so the surface pass computes it once per column and row.
using detail::TCellSpan;

template <typename Map>
TCellSpan SpanOf(double v0, double d, std::int32_t maxN, Map map) {
  TCellSpan s;
  s.A = map(v0);
  s.B = map(v0 + d);
  const std::int64_t extent = std::abs(std::int64_t(s.B) - s.A);
  s.N = std::int32_t(std::clamp<std::int64_t>(std::min<std::int64_t>(maxN, extent), 1, std::max(maxN, 1)));
  for (std::int32_t i = 0; i < s.N; ++i) {
    const double lo = v0 + d * i / s.N;
    s.Lo[std::size_t(i)] = map(lo);
    s.Hi[std::size_t(i)] = map(lo + d / s.N);
  }
  return s;
}

// A colour cell whose spans are known; corner entries iLL ... iUR (0: no data).
template <typename Sink>
void ColourCellSpans(const TCellContext& c, const Sink& sink, double zLL, double zLR, double zUL, double zUR,
                     std::int32_t iLL, std::int32_t iLR, std::int32_t iUL, std::int32_t iUR, const TCellSpan& sx,
                     const TCellSpan& sy) {
  if (iLL == 0 || iLR == 0 || iUL == 0 || iUR == 0) return;
  if (iLL == iLR && iLL == iUL && iLL == iUR) {
    sink.Fill(sx.A, sy.A, sx.B, sy.B, c.ValueLut[iLL]);
    return;
  }
  for (std::int32_t i = 0; i < sx.N; ++i)
    for (std::int32_t j = 0; j < sy.N; ++j) {
      const std::int32_t idx = ValueColorIndex(SubCellValue(zLL, zLR, zUL, zUR, i, j, sx.N, sy.N), c.Low, c.High,
                                               c.NumColors);
      if (idx == 0) continue;  // a sample without data (overflowing corners)
      sink.Fill(sx.Lo[std::size_t(i)], sy.Lo[std::size_t(j)], sx.Hi[std::size_t(i)], sy.Hi[std::size_t(j)],
                c.ValueLut[idx]);
    }
}

template <typename Sink>
void ColourCell(const TCellContext& c, const Sink& sink, double zLL, double zLR, double zUL, double zUR, double x0,
                double y0, double dx, double dy, std::int32_t nx, std::int32_t ny) {
  auto entry = [&](double z) { return ValueColorIndex(z, c.Low, c.High, c.NumColors); };
  ColourCellSpans(c, sink, zLL, zLR, zUL, zUR, entry(zLL), entry(zLR), entry(zUL), entry(zUR),
                  SpanOf(x0, dx, nx, [&](double v) { return c.X(v); }),
                  SpanOf(y0, dy, ny, [&](double v) { return c.Y(v); }));
}

TPixelRows RowsOf(TBitmap& bmp) {
  TPixelRows rows;
  rows.Width = bmp.Width();
  rows.Height = bmp.Height();
  if (rows.Width <= 0 || rows.Height <= 0) return TPixelRows{};
  rows.Base = bmp.ScanLine(0);
  rows.Stride = rows.Height > 1 ? bmp.ScanLine(1) - bmp.ScanLine(0) : rows.Width;
  return rows;
}

bool MaskedCorner(std::uint8_t m) { return m >= 1 && m <= 254; }

}  // namespace

// ---------------------------------------------------------------- colour tables

void TContourPlot::PrepareColors() {
  const std::int32_t n = IsoColors.Size();
  FValueLut.assign(std::size_t(std::max(n, 1)) + 1, clBlack);
  for (std::int32_t i = 1; i <= n; ++i) FValueLut[std::size_t(i)] = ColorToRGB(IsoColors.GetColorElem(i));
  const std::int32_t nl = NumIsoLevels();
  FLevelLut.resize(std::size_t(nl));
  for (std::int32_t k = 0; k < nl; ++k) {
    const std::int32_t entry = FPlotMode == TContourPlotMode::cpmMonoDots
                                   ? 1
                                   : LevelColorIndex(IsoLevel(FIsoLow, FIsoDist, k), FIsoLow, FIsoHigh, n);
    FLevelLut[std::size_t(k)] = ColorToRGB(IsoColors.GetColorElem(entry));
  }
}

// ---------------------------------------------------------------- one cell

namespace {

TCellContext MakeContext(const TContourPlot& p, std::int32_t dx, std::int32_t dy, const std::vector<TColor>& values,
                         const std::vector<TColor>& levels) {
  TCellContext c;
  c.Map = detail::LayerMapping(p, 1);
  c.ShiftX = std::int64_t(dx) - p.MarginLeft();
  c.ShiftY = std::int64_t(dy) - p.MarginTop();
  c.Low = p.IsoLow();
  c.High = p.IsoHigh();
  c.Dist = p.IsoDist();
  c.NumLevels = std::min<std::int32_t>(p.NumIsoLevels(), std::int32_t(levels.size()));
  c.NumColors = p.IsoColors.Size();
  c.ValueLut = values.data();
  c.LevelLut = levels.data();
  return c;
}

}  // namespace

void TContourPlot::IsoQuadSL(const TPixelRows& rows, std::int32_t dx, std::int32_t dy, double zLL, double zLR,
                             double zUL, double zUR, double x0, double y0, double cdx, double cdy, std::int32_t nx,
                             std::int32_t ny) {
  PrepareColors();
  DotCell(MakeContext(*this, dx, dy, FValueLut, FLevelLut), TRowSink{rows}, zLL, zLR, zUL, zUR, x0, y0, cdx, cdy, nx,
          ny);
}

void TContourPlot::IsoColQuadSL(const TPixelRows& rows, std::int32_t dx, std::int32_t dy, double zLL, double zLR,
                                double zUL, double zUR, double x0, double y0, double cdx, double cdy, std::int32_t nx,
                                std::int32_t ny) {
  PrepareColors();
  ColourCell(MakeContext(*this, dx, dy, FValueLut, FLevelLut), TRowSink{rows}, zLL, zLR, zUL, zUR, x0, y0, cdx, cdy,
             nx, ny);
}

void TContourPlot::IsoQuad(TCanvas& canvas, std::int32_t dx, std::int32_t dy, double zLL, double zLR, double zUL,
                           double zUR, double x0, double y0, double cdx, double cdy, std::int32_t nx, std::int32_t ny) {
  PrepareColors();
  DotCell(MakeContext(*this, dx, dy, FValueLut, FLevelLut), TCanvasSink{canvas}, zLL, zLR, zUL, zUR, x0, y0, cdx, cdy,
          nx, ny);
}

void TContourPlot::IsoColQuad(TCanvas& canvas, std::int32_t dx, std::int32_t dy, double zLL, double zLR, double zUL,
                              double zUR, double x0, double y0, double cdx, double cdy, std::int32_t nx,
                              std::int32_t ny) {
  PrepareColors();
  ColourCell(MakeContext(*this, dx, dy, FValueLut, FLevelLut), TCanvasSink{canvas}, zLL, zLR, zUL, zUR, x0, y0, cdx,
             cdy, nx, ny);
}

// ---------------------------------------------------------------- the passes

void TContourPlot::RenderFromPivotPoints(TBitmap& bmp, std::int32_t dx, std::int32_t dy) {
  const TPixelRows rows = RowsOf(bmp);
  const std::int32_t nx = FPivotMat.NrOfColumns(), ny = FPivotMat.NrOfRows();
  if (nx < 2 || ny < 2) return;
  PrepareColors();
  const TCellContext c = MakeContext(*this, dx, dy, FValueLut, FLevelLut);
  const TRowSink sink{rows};
  const double xl = ScalePropsX(1).RangeLow(), xh = ScalePropsX(1).RangeHigh();
  const double yl = ScalePropsY(1).RangeLow(), yh = ScalePropsY(1).RangeHigh();
  const double cdx = (xh - xl) / (nx - 1), cdy = (yh - yl) / (ny - 1);
  const std::span<const double> z = FPivotMat.Data();
  auto at = [&](std::int32_t a, std::int32_t b) { return z[std::size_t(b - 1) * std::size_t(nx) + std::size_t(a - 1)]; };
  const bool noIp = FPlotMode == TContourPlotMode::cpmColorSurfNoIp;
  const bool dots = FPlotMode == TContourPlotMode::cpmDots || FPlotMode == TContourPlotMode::cpmMonoDots;
  const std::int32_t ip = noIp ? 0 : 1;
  const std::int32_t step = std::max(nx / 100, 1);

  const bool surface = FPlotMode == TContourPlotMode::cpmColorSurface;
  const std::span<const std::uint8_t> masks = FMaskMat.Data();
  const bool anyMasked = std::any_of(masks.begin(), masks.end(), MaskedCorner);
  auto skipped = [&](std::int32_t a, std::int32_t b) {
    return anyMasked && MaskedCorner(FMaskMat.Elem(a, b)) && MaskedCorner(FMaskMat.Elem(a + 1, b)) &&
           MaskedCorner(FMaskMat.Elem(a, b + 1)) && MaskedCorner(FMaskMat.Elem(a + 1, b + 1));
  };
  if (surface) {
    // The colour entry of every pivot and the spans of every row, once.
    FPivotEntries.resize(z.size());
    for (std::size_t i = 0; i < z.size(); ++i) FPivotEntries[i] = ValueColorIndex(z[i], FIsoLow, FIsoHigh, c.NumColors);
    FRowSpans.resize(std::size_t(ny));
    for (std::int32_t l = 1; l < ny; ++l)
      FRowSpans[std::size_t(l - 1)] = SpanOf(PivotPosition(yl, yh, l, ny), cdy, 5, [&](double v) { return c.Y(v); });
  }
  auto entry = [&](std::int32_t a, std::int32_t b) {
    return FPivotEntries[std::size_t(b - 1) * std::size_t(nx) + std::size_t(a - 1)];
  };
  for (std::int32_t s = 1; s <= nx - ip; ++s) {
    if (s % step == 0) FeedbackProgress(70 + RoundToInt(s * 15.0 / nx));
    if (surface) {
      const TCellSpan sx = SpanOf(PivotPosition(xl, xh, s, nx), cdx, 5, [&](double v) { return c.X(v); });
      for (std::int32_t l = 1; l < ny; ++l) {
        if (skipped(s, l)) continue;
        ColourCellSpans(c, sink, at(s, l), at(s + 1, l), at(s, l + 1), at(s + 1, l + 1), entry(s, l),
                        entry(s + 1, l), entry(s, l + 1), entry(s + 1, l + 1), sx, FRowSpans[std::size_t(l - 1)]);
      }
      continue;
    }
    const double x0 = PivotPosition(xl, xh, s, nx);
    std::int32_t bx1 = 0, bx2 = 0;
    if (noIp) {
      bx1 = c.X(x0 - cdx / 2);
      bx2 = c.X(x0 + cdx / 2);
    }
    for (std::int32_t l = 1; l <= ny - ip; ++l) {
      if (skipped(s, l)) continue;
      const double y0 = PivotPosition(yl, yh, l, ny);
      if (noIp) {
        const std::int32_t idx = ValueColorIndex(at(s, l), FIsoLow, FIsoHigh, c.NumColors);
        if (idx != 0) sink.Fill(bx1, c.Y(y0 - cdy / 2), bx2, c.Y(y0 + cdy / 2), c.ValueLut[idx]);
      } else if (dots) {
        DotCell(c, sink, at(s, l), at(s + 1, l), at(s, l + 1), at(s + 1, l + 1), x0, y0, cdx, cdy, 5, 5);
      }
    }
  }
  RenderMask(bmp, dx, dy);
}

void TContourPlot::RenderMask(TBitmap& bmp, std::int32_t dx, std::int32_t dy) {
  const std::int32_t nx = FMaskMat.NrOfColumns(), ny = FMaskMat.NrOfRows();
  const std::span<const std::uint8_t> mask = FMaskMat.Data();
  const bool any = std::any_of(mask.begin(), mask.end(), [](std::uint8_t m) { return m != 0; });
  const TPixelRows rows = RowsOf(bmp);
  const std::size_t area = std::size_t(rows.Width) * std::size_t(rows.Height);
  if (any && area > 0) {
    // The three layers: what is kept (AND), the palette colours (OR) and the
    // inverted areas (XOR).
    FKeepBits.assign(area, 0xFFFFFFFFu);
    FColorBits.assign(area, 0u);
    FInvertBits.assign(area, 0u);
  }
  const TCellContext c = MakeContext(*this, dx, dy, FValueLut, FLevelLut);
  const double xl = ScalePropsX(1).RangeLow(), xh = ScalePropsX(1).RangeHigh();
  const double yl = ScalePropsY(1).RangeLow(), yh = ScalePropsY(1).RangeHigh();
  const double cdx = (xh - xl) / std::max(nx - 1, 1), cdy = (yh - yl) / std::max(ny - 1, 1);
  const std::int32_t step = std::max(nx / 100, 1);
  auto fill = [&](std::vector<std::uint32_t>& layer, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                  std::int32_t y2, std::uint32_t v) {
    if (!ClipBox(x1, y1, x2, y2, rows.Width, rows.Height)) return;
    for (std::int32_t y = y1; y <= y2; ++y)
      std::fill_n(layer.begin() + std::ptrdiff_t(std::size_t(y) * std::size_t(rows.Width) + std::size_t(x1)),
                  x2 - x1 + 1, v);
  };
  for (std::int32_t s = 1; s <= nx; ++s) {
    if (s % step == 0) FeedbackProgress(85 + RoundToInt(s * 15.0 / nx));
    if (!any || area == 0) continue;
    const double x = PivotPosition(xl, xh, s, nx);
    const std::int32_t x1 = c.X(x - cdx / 2), x2 = c.X(x + cdx / 2);
    for (std::int32_t u = 1; u <= ny; ++u) {
      const std::uint8_t m = mask[std::size_t(u - 1) * std::size_t(nx) + std::size_t(s - 1)];
      if (m == 0) continue;
      const double y = PivotPosition(yl, yh, u, ny);
      const std::int32_t y1 = c.Y(y - cdy / 2), y2 = c.Y(y + cdy / 2);
      if (m == 255) {
        fill(FInvertBits, x1, y1, x2, y2, std::bit_cast<std::uint32_t>(ToRGB32(clWhite)));
      } else {
        fill(FKeepBits, x1, y1, x2, y2, 0u);
        fill(FColorBits, x1, y1, x2, y2, std::bit_cast<std::uint32_t>(ToRGB32(ColorToRGB(MaskPalette.GetColorElem(m)))));
      }
    }
  }
  if (!any || area == 0) return;
  for (std::int32_t y = 0; y < rows.Height; ++y) {
    TRGB32* row = rows.Base + y * rows.Stride;
    const std::size_t base = std::size_t(y) * std::size_t(rows.Width);
    for (std::int32_t x = 0; x < rows.Width; ++x) {
      const std::size_t i = base + std::size_t(x);
      const std::uint32_t p = std::bit_cast<std::uint32_t>(row[x]);
      row[x] = std::bit_cast<TRGB32>(((p & FKeepBits[i]) | FColorBits[i]) ^ FInvertBits[i]);
    }
  }
}

void TContourPlot::RenderLabels(TCanvas& canvas, std::int32_t dx, std::int32_t dy) { DrawTextLabels(canvas, dx, dy); }

// ---------------------------------------------------------------- the cached image

TContourPlot::TImageKey TContourPlot::CurrentImageKey() const {
  TImageKey k;
  k.XL = ScalePropsX(1).RangeLow();
  k.XH = ScalePropsX(1).RangeHigh();
  k.YL = ScalePropsY(1).RangeLow();
  k.YH = ScalePropsY(1).RangeHigh();
  k.Kx = Cpkx(1);
  k.Dx = Cpdx(1);
  k.Ky = Cpky(1);
  k.Dy = Cpdy(1);
  k.LogX = ScalePropsX(1).Logarithmic();
  k.LogY = ScalePropsY(1).Logarithmic();
  k.Width = DataAreaWidth();
  k.Height = DataAreaHeight();
  k.ChartColor = ChartColor();
  k.FrameColor = ChartFrameColor();
  return k;
}

void TContourPlot::EnsureDataImage() {
  // A paint that arrives while the pivots are being asked for shows the image
  // as it is; the calculation's own paint follows.
  if (FCalculating) return;
  const TImageKey key = CurrentImageKey();
  if (!FInvalidDataBmp && key == FImageKey && FDataImage.Width() == key.Width && FDataImage.Height() == key.Height)
    return;
  const std::uint64_t stamp = FInvalidations;
  FDataImage.SetSize(key.Width, key.Height);
  InitGraf(FDataImage.Canvas(), 0, 0, key.Width, key.Height);
  CalculatePivotPoints(false);
  const bool aborted = FCalcAborted;
  RenderFromPivotPoints(FDataImage, 0, 0);
  FImageKey = CurrentImageKey();
  if (aborted || stamp != FInvalidations) {
    // Changed while it was built: rebuilt at the next paint, which is queued.
    FInvalidDataBmp = true;
    Invalidate();
  } else {
    FInvalidDataBmp = false;
  }
}

void TContourPlot::ConstructDataBmpCanvas(TCanvas& canvas, std::int32_t offsetX, std::int32_t offsetY, bool,
                                          std::int32_t) {
  EnsureDataImage();
  canvas.CopyMode = TCopyMode::cmSrcCopy;
  if (FDataImage.Width() > 0 && FDataImage.Height() > 0) canvas.Draw(offsetX, offsetY, FDataImage);
  RenderLabels(canvas, offsetX, offsetY);
  if (OnDataRendered)
    OnDataRendered(*this, canvas, Sat(std::int64_t(MarginTop()) - offsetY), Sat(std::int64_t(MarginLeft()) - offsetX));
  const std::int64_t w = std::int64_t(Width()) - MarginLeft() - MarginRight() - ShadowWidth();
  const std::int64_t h = std::int64_t(Height()) - MarginTop() - MarginBottom() - ShadowWidth();
  if (w < 0 || h < 0) return;
  const std::int32_t x1 = offsetX, y1 = offsetY;
  const std::int32_t x2 = Sat(offsetX + w), y2 = Sat(offsetY + h);
  canvas.Pen = TPen{};
  canvas.Pen.Color = ChartFrameColor();
  canvas.MoveTo(x1, y1);
  canvas.LineTo(x2, y1);
  canvas.LineTo(x2, y2);
  canvas.LineTo(x1, y2);
  canvas.LineTo(x1, y1);
}

void TContourPlot::PaintDataArea(TBitmap& grafBmp) {
  ConstructDataBmp(grafBmp, 0, 0, false, 0);
  DrawMouseTrace(0, 0, grafBmp);
}

}  // namespace mivo
