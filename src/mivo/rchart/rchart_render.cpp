// Painting of the chart: the pipeline over the chart bitmap (frame, shadow,
// caption, scales) and the data bitmap (background, grid, items), and the
// same drawing straight onto any canvas for vector output.
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "mivo/base/scaled_canvas.h"
#include "mivo/platform/raster_canvas.h"
#include "mivo/rchart/rchart.h"
#include "mivo/rchart/rchart_internal.h"

namespace mivo {

using detail::Sat32;

namespace {

constexpr std::int32_t kMaxGridLines = 1000;
constexpr std::int32_t kMaxGridPoints = 1000;
constexpr std::int32_t kAreaPixelLimit = 30000;

// Points the scales at another canvas for a scope and back again.
class TScaleCanvasSwap {
 public:
  TScaleCanvasSwap(std::array<TScale*, 4> scales, TCanvas* canvas) : FScales(scales) {
    for (std::size_t i = 0; i < FScales.size(); ++i) {
      FSaved[i] = FScales[i]->ForeignCanvas();
      FScales[i]->UseForeignCanvas(canvas, 0, 0);
    }
  }
  TScaleCanvasSwap(const TScaleCanvasSwap&) = delete;
  TScaleCanvasSwap& operator=(const TScaleCanvasSwap&) = delete;
  ~TScaleCanvasSwap() {
    for (std::size_t i = 0; i < FScales.size(); ++i) FScales[i]->UseForeignCanvas(FSaved[i], 0, 0);
  }

 private:
  std::array<TScale*, 4> FScales;
  std::array<TCanvas*, 4> FSaved{};
};

// log10 snapped to the nearest integer when within 1e-14 of it.
double SnappedLog10(double x) {
  const double l = std::log10(x);
  const double r = std::round(l);
  return std::fabs(l - r) < 1e-14 ? r : l;
}

// The grid positions of one axis from lo up to (not including) hi. `tick(n)`
// gives the n-th tick of the axis' scale (1-based), `numTicks` their count.
template <typename Tick>
std::vector<double> GridPositions(double d, double lo, double hi, bool logarithmic, std::int32_t numTicks,
                                  Tick tick) {
  std::vector<double> out;
  if (!std::isfinite(lo) || !std::isfinite(hi) || !std::isfinite(d)) return out;
  if (lo > hi) std::swap(lo, hi);
  const bool logStep = logarithmic && d < 0;
  if (logStep && !(lo > 0)) return out;
  double x;
  if (d == 0) {
    x = numTicks > 0 ? tick(1) : lo;
  } else if (!logStep) {
    x = std::ceil(lo / d) * d;
  } else if (d == kGridLogDecades) {
    x = std::pow(10.0, std::ceil(SnappedLog10(lo)));
  } else if (d == kGridLog125 || d == kGridLogEveryDigit) {
    const double e = std::floor(SnappedLog10(lo));
    const double m = std::round(lo / std::pow(10.0, e));
    if (d == kGridLogEveryDigit) x = std::pow(10.0, e) * m;
    else x = std::pow(10.0, e) * (m <= 2 ? 2 : m <= 5 ? 5 : 10);
  } else {
    x = lo;
  }
  for (std::int32_t n = 2; std::isfinite(x) && x < hi && std::int32_t(out.size()) < kMaxGridLines; ++n) {
    out.push_back(x);
    if (d == 0) {
      if (n > numTicks) break;  // the run ends at the upper bound
      x = tick(n);
    } else if (!logStep) {
      x += std::fabs(d);
    } else if (d == kGridLogDecades) {
      x *= 10;
    } else {
      const double e = std::floor(SnappedLog10(x));
      const double p = std::pow(10.0, e);
      const double m = std::round(x / p);
      if (d == kGridLog125) x = p * (m < 2 ? 2 : m < 5 ? 5 : 10);
      else x = p * (m + 1);
    }
  }
  return out;
}

}  // namespace

// ---------------------------------------------------------------- pipeline

void TCustomRChart::Paint() {
  const TAntialiasScope antialias(Antialiased());
  if (!PaintAllowed()) return;
  // The mapping first: a range it refuses raises before either bitmap has
  // been touched, so the previous picture stays.
  AdjustScaling();
  // The picture of a control larger than any window surface is cut to it.
  FChartBmp.SetSize(std::min(Width(), MaxSurfaceSide), std::min(Height(), MaxSurfaceSide));
  ResizeGrafBmp();
  // The data area is copied over the frame's background: filling it first
  // would only cost a pass over its pixels.
  DrawChartFrame(FChartBmp.Canvas(), Rect(RcLRim, RcTRim, Sat32(std::int64_t(RcLRim) + FGrafBmp.Width()),
                                          Sat32(std::int64_t(RcTRim) + FGrafBmp.Height())));
  PaintDataArea(FGrafBmp);
  FPaintedGeometry = PictureGeometry();
  ShowComposedPicture();
}

void TCustomRChart::PaintDataArea(TBitmap& grafBmp) {
  InitGraf(grafBmp.Canvas(), 0, 0, grafBmp.Width(), grafBmp.Height());
  ConstructDataBmp(grafBmp, 0, 0, false, 0);
  DrawMouseTrace(0, 0, grafBmp);
}

void TCustomRChart::PaintTo(TCanvas& canvas) {
  const TAntialiasScope antialias(Antialiased());
  ConstructChartBmp(canvas);
  InitGraf(canvas, RcLRim, RcTRim, DataAreaWidth(), DataAreaHeight());
  ConstructDataBmpCanvas(canvas, RcLRim, RcTRim, false, 0);
  DrawCrossHairs(0, 0, canvas);
}

void TCustomRChart::ConstructChartBmp(TCanvas& canvas) {
  AdjustScaling();
  DrawChartFrame(canvas);
}

void TCustomRChart::DrawChartFrame(TCanvas& canvas, const TRect& covered) {
  const std::int32_t w = Width(), h = Height();
  canvas.Pen = TPen{};
  canvas.CopyMode = TCopyMode::cmSrcCopy;
  canvas.Brush = TBrush{RcWindCol, TBrushStyle::bsSolid};
  canvas.Pen.Color = RcWindCol;
  const std::int32_t cl = std::max(covered.Left, 0), ct = std::max(covered.Top, 0);
  const std::int32_t cr = std::min(covered.Right, w), cb = std::min(covered.Bottom, h);
  if (cl < cr && ct < cb) {
    // The four strips around the covered box, in the colour the whole
    // rectangle would have had (its pen and brush are one colour).
    canvas.FillRect(Rect(0, 0, w, ct));
    canvas.FillRect(Rect(0, cb, w, h));
    canvas.FillRect(Rect(0, ct, cl, cb));
    canvas.FillRect(Rect(cr, ct, w, cb));
  } else {
    canvas.Rectangle(0, 0, w, h);
  }

  if (F3DRim > 0) {
    const std::int32_t s = F3DRim;
    canvas.Brush.Color = RcShadowBakCol;
    canvas.Pen.Color = RcShadowBakCol;
    canvas.Rectangle(w - s, 0, w, s);
    canvas.Rectangle(0, h - s, s, h);
    canvas.Brush.Color = FShadowColor;
    std::int32_t d = 0;
    if (RcShadowStyle == TShadowStyle::ssFlying) {
      canvas.Pen.Color = FShadowColor;
      d = s - 1;
    } else {
      canvas.Pen.Color = 0;
    }
    const TPoint bottom[] = {{d, h - s}, {s - 1, h - 1}, {w - 1, h - 1}, {w - s, h - s}};
    canvas.Polygon(bottom);
    const TPoint right[] = {{w - s, h - s}, {w - 1, h - 1}, {w - 1, s - 1}, {w - s, d}};
    canvas.Polygon(right);
    canvas.Pen.Color = 0;
    canvas.MoveTo(0, 0);
    canvas.LineTo(w - s, 0);
    canvas.LineTo(w - s, h - s);
    canvas.LineTo(0, h - s);
    canvas.LineTo(0, 0);
  }

  canvas.Pen.Color = FChartFrameCol;
  canvas.Brush.Style = TBrushStyle::bsClear;
  const std::int32_t ppi = canvas.PixelsPerInch();
  canvas.Font = Font();
  if (canvas.IsPrinter()) canvas.Font.PixelsPerInch = ppi;

  if (!FChartCaption.empty()) {
    const std::int64_t tw = canvas.TextWidth(FChartCaption);
    std::int64_t x = FCaptPosX, y = FCaptPosY;
    switch (FCaptAnchorX) {
      case TCaptionAnchorHoriz::cahControlLeft: break;
      case TCaptionAnchorHoriz::cahChartLeft: x += RcLRim; break;
      case TCaptionAnchorHoriz::cahChartCenter: x += RcLRim + (std::int64_t(w) - RcLRim - RcRRim - F3DRim) / 2; break;
      case TCaptionAnchorHoriz::cahChartRight: x += std::int64_t(w) - RcRRim - F3DRim; break;
      case TCaptionAnchorHoriz::cahControlRight: x += w; break;
    }
    switch (FCaptAnchorY) {
      case TCaptionAnchorVert::cavControlTop: break;
      case TCaptionAnchorVert::cavChartTop: y += RcTRim; break;
      case TCaptionAnchorVert::cavChartCenter: y += RcTRim + (std::int64_t(h) - RcTRim - RcBRim - F3DRim) / 2; break;
      case TCaptionAnchorVert::cavChartBottom: y += std::int64_t(h) - RcBRim; break;
      case TCaptionAnchorVert::cavControlBottom: y += h; break;
    }
    if (FCaptAlignment == TAlignment::taRightJustify) x -= tw;
    else if (FCaptAlignment == TAlignment::taCenter) x -= tw / 2;
    canvas.TextAlign = TTextAlign{};
    canvas.TextOut(Sat32(x), Sat32(y), FChartCaption);
  }

  {
    // The scales draw where the frame goes: the chart bitmap, or the canvas
    // of a vector rendering.
    TScaleCanvasSwap swap({&ScaleX(1), &ScaleX(2), &ScaleY(1), &ScaleY(2)}, &canvas);
    for (std::int32_t i = 1; i <= kNumLayers; ++i) {
      SetScaleProps(ScaleX(i), ScalePropsX(i));
      ScaleX(i).ForcePaint();
    }
    for (std::int32_t i = 1; i <= kNumLayers; ++i) {
      SetScaleProps(ScaleY(i), ScalePropsY(i));
      ScaleY(i).ForcePaint();
    }
  }
  if (OnScalesRendered) OnScalesRendered(*this, canvas, 0, 0);
}

void TCustomRChart::InitGraf(TCanvas& canvas, std::int32_t left, std::int32_t top, std::int32_t width,
                             std::int32_t height) {
  canvas.Pen = TPen{};
  canvas.Pen.Color = FChartFrameCol;
  canvas.CopyMode = TCopyMode::cmSrcCopy;
  canvas.Brush = TBrush{RcChartCol, TBrushStyle::bsSolid};
  const std::int32_t right = Sat32(std::int64_t(left) + width);
  const std::int32_t bottom = Sat32(std::int64_t(top) + height);
  TBakGndImg& bg = *FBakGndImg;

  if (!bg.Name().empty()) {
    bool loaded = true;
    try {
      FAuxBmp.LoadFromFile(bg.Name());
    } catch (const std::exception&) {
      loaded = false;
    }
    if (!loaded || FAuxBmp.Width() <= 0 || FAuxBmp.Height() <= 0) {
      canvas.Rectangle(left, top, right, bottom);
      // Dropped so that the load is not retried; no repaint from the change.
      detail::TMuted muted(bg.OnChange);
      bg.SetName("");
      return;
    }
    const std::int32_t iw = FAuxBmp.Width(), ih = FAuxBmp.Height();
    switch (bg.FillMode()) {
      case TBkgFill::bfSimple:
        canvas.FillRect(Rect(left, top, right, bottom));
        canvas.CopyRect(Rect(left, top, std::min(right, Sat32(std::int64_t(left) + iw)),
                             std::min(bottom, Sat32(std::int64_t(top) + ih))),
                        FAuxBmp, Rect(0, 0, std::min(iw, width), std::min(ih, height)));
        break;
      case TBkgFill::bfStretch:
        canvas.StretchDraw(Rect(left, top, right, bottom), FAuxBmp);
        break;
      case TBkgFill::bfTile: {
        // Tiles are cut at the right and bottom edge of the area.
        for (std::int64_t ty = 0; ty < height; ty += ih)
          for (std::int64_t tx = 0; tx < width; tx += iw) {
            const std::int32_t cw = std::int32_t(std::min<std::int64_t>(iw, width - tx));
            const std::int32_t ch = std::int32_t(std::min<std::int64_t>(ih, height - ty));
            canvas.CopyRect(Rect(Sat32(left + tx), Sat32(top + ty), Sat32(left + tx + cw), Sat32(top + ty + ch)),
                            FAuxBmp, Rect(0, 0, cw, ch));
          }
        break;
      }
    }
    return;
  }

  canvas.Rectangle(left, top, right, bottom);
  if (bg.AreaMode() == TBGAreaMode::bamNone) return;
  canvas.Brush.Color = bg.AreaColor();
  canvas.Pen.Color = bg.AreaColor();
  std::int32_t xl = 0, yt = 0, xr = 0, yb = 0;
  R2M(FActiveLayer, bg.AreaLeft(), bg.AreaTop(), xl, yt);
  R2M(FActiveLayer, bg.AreaRight(), bg.AreaBottom(), xr, yb);
  auto shift = [](std::int32_t p, std::int32_t origin, std::int32_t rim) {
    return Sat32(std::int64_t(origin) + std::clamp(p, -kAreaPixelLimit, kAreaPixelLimit) - rim);
  };
  const std::int32_t XL = shift(xl, left, RcLRim), XR = shift(xr, left, RcLRim);
  const std::int32_t YT = shift(yt, top, RcTRim), YB = shift(yb, top, RcTRim);
  // Cut to the rectangle: a bitmap ends there, a vector canvas does not.
  auto box = [&](std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
    if (l > r) std::swap(l, r);
    if (t > b) std::swap(t, b);
    l = std::max(l, left);
    t = std::max(t, top);
    r = std::min(r, right);
    b = std::min(b, bottom);
    if (l < r && t < b) canvas.Rectangle(l, t, r, b);
  };
  switch (bg.AreaMode()) {
    case TBGAreaMode::bamNone: break;
    case TBGAreaMode::bamLeft: box(left, top, XL, bottom); break;
    case TBGAreaMode::bamRight: box(XR, top, right, bottom); break;
    case TBGAreaMode::bamTop: box(left, top, right, YT); break;
    case TBGAreaMode::bamBottom: box(left, YB, right, bottom); break;
    case TBGAreaMode::bamVStripe: box(XL, top, XR, bottom); break;
    case TBGAreaMode::bamHStripe: box(left, YT, right, YB); break;
    case TBGAreaMode::bamRect: box(XL, YT, XR, YB); break;
    case TBGAreaMode::bamRectInv:
      box(left, top, right, YT);
      box(left, YB, right, bottom);
      box(left, top, XL, bottom);
      box(XR, top, right, bottom);
      break;
    case TBGAreaMode::bamVStripeInv:
      box(left, top, XL, bottom);
      box(XR, top, right, bottom);
      break;
    case TBGAreaMode::bamHStripeInv:
      box(left, top, right, YT);
      box(left, YB, right, bottom);
      break;
  }
}

void TCustomRChart::ConstructDataBmp(TBitmap& bmp, std::int32_t offsetX, std::int32_t offsetY, bool mono,
                                     std::int32_t startItem) {
  ConstructDataBmpCanvas(bmp.Canvas(), offsetX, offsetY, mono, startItem);
}

void TCustomRChart::ConstructDataBmpCanvas(TCanvas& canvas, std::int32_t offsetX, std::int32_t offsetY, bool mono,
                                           std::int32_t startItem) {
  const std::int32_t left = Sat32(std::int64_t(RcLRim) - offsetX);
  const std::int32_t top = Sat32(std::int64_t(RcTRim) - offsetY);
  if (OnBeforeRenderData) {
    const TColor pen = canvas.Pen.Color, brush = canvas.Brush.Color;
    OnBeforeRenderData(*this, canvas, top, left);
    canvas.Pen.Color = pen;
    canvas.Brush.Color = brush;
  }
  if (RcGridStyle != GridStyleType::gsNone && startItem == 0 && !FSkipGrid) DrawGrid(canvas, Sat32(-std::int64_t(left)), Sat32(-std::int64_t(top)));
  RenderItems(canvas, offsetX, offsetY, mono, startItem);
  DrawTextLabels(canvas, offsetX, offsetY);
  if (OnDataRendered) OnDataRendered(*this, canvas, top, left);
}

void TCustomRChart::DrawFinish(std::int32_t x, std::int32_t y, TCanvas& canvas, TBitmap& bmp) {
  canvas.CopyMode = TCopyMode::cmSrcCopy;
  if (!AnyCrossHairOn()) {
    canvas.Draw(x, y, bmp);
  } else {
    // The crosshairs go onto a copy: drawn into the cached bitmap they would
    // stay behind when a crosshair moves or new items are drawn over it.
    FOverlayBmp = bmp;
    DrawCrossHairs(x, y, FOverlayBmp);
    canvas.Draw(x, y, FOverlayBmp);
  }
  if (&canvas == &Canvas()) RedrawDragFigures();
}

void TCustomRChart::ShowComposedPicture() {
  if (AnyCrossHairOn()) {
    NoteDataAreaShown(RcLRim, RcTRim);
    SyncChartBmp();
    DrawFinish(0, 0, Canvas(), FChartBmp);
    return;
  }
  // The four strips of the frame, then the data area: one pass over the
  // picture's pixels instead of two (data area into the chart bitmap, that
  // to the screen).
  TCanvas& screen = Canvas();
  screen.CopyMode = TCopyMode::cmSrcCopy;
  const std::int32_t w = FChartBmp.Width(), h = FChartBmp.Height();
  const std::int32_t l = std::clamp(RcLRim, 0, w), t = std::clamp(RcTRim, 0, h);
  const std::int32_t r = Sat32(std::clamp<std::int64_t>(std::int64_t(RcLRim) + FGrafBmp.Width(), l, w));
  const std::int32_t b = Sat32(std::clamp<std::int64_t>(std::int64_t(RcTRim) + FGrafBmp.Height(), t, h));
  const auto strip = [&](std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
    if (x0 < x1 && y0 < y1) screen.CopyRect(Rect(x0, y0, x1, y1), FChartBmp, Rect(x0, y0, x1, y1));
  };
  strip(0, 0, w, t);
  strip(0, b, w, h);
  strip(0, t, l, b);
  strip(r, t, w, b);
  screen.Draw(RcLRim, RcTRim, FGrafBmp);
  NoteDataAreaShown(RcLRim, RcTRim);
  RedrawDragFigures();
}

void TCustomRChart::NoteDataAreaShown(std::int32_t x, std::int32_t y) {
  FChartDataStale = true;
  FChartDataOrigin = TPoint{x, y};
}

void TCustomRChart::SyncChartBmp() const {
  if (!FChartDataStale) return;
  FChartDataStale = false;
  FChartBmp.Canvas().CopyMode = TCopyMode::cmSrcCopy;
  FChartBmp.Canvas().Draw(FChartDataOrigin.x, FChartDataOrigin.y, FGrafBmp);
}

const TBitmap& TCustomRChart::ChartBmp() const {
  SyncChartBmp();
  return FChartBmp;
}

void TCustomRChart::ShowGraf() {
  const TAntialiasScope antialias(Antialiased());
  // The paint runs the host's handlers, which may destroy this chart.
  const std::weak_ptr<const char> self = FLifeToken;
  if (Visible()) {
    FLastElemOnShow = FNumChartItems - 1;
    AdjustCanInfoOfSharedCharts();
    if (FAutoRedraw) {
      if (PaintAllowed()) {
        InitGraf(FGrafBmp.Canvas(), 0, 0, FGrafBmp.Width(), FGrafBmp.Height());
        ConstructDataBmp(FGrafBmp, 0, 0, false, 0);
        DrawFinish(RcLRim, RcTRim, Canvas(), FGrafBmp);
        NoteDataAreaShown(RcLRim, RcTRim);
      }
    } else {
      Paint();
    }
  }
  if (!self.expired()) RedrawSharingCharts();
}

void TCustomRChart::ShowGrafNewOnly() {
  const TAntialiasScope antialias(Antialiased());
  if (!Visible()) return;
  if (PaintAllowed()) {
    const bool scaledWasCurrent = ScaledSurfaceCurrent();
    // From the last item shown on (drawn again over itself), over the
    // picture; the line-to chain continues from the point before it. The
    // grid, which start item 0 would draw, stays under the items.
    const bool saved = FSkipGrid;
    FSkipGrid = true;
    try {
      ConstructDataBmp(FGrafBmp, 0, 0, false, std::max(FLastElemOnShow, 0));
      DrawFinish(RcLRim, RcTRim, Canvas(), FGrafBmp);
      NoteDataAreaShown(RcLRim, RcTRim);
      if (DeviceScale() != 1) ShowNewOnScaledPicture(scaledWasCurrent, std::max(FLastElemOnShow, 0));
    } catch (...) {
      FSkipGrid = saved;
      throw;
    }
    FSkipGrid = saved;
  }
  FLastElemOnShow = FNumChartItems - 1;
  AdjustCanInfoOfSharedCharts();
}

bool TCustomRChart::ShowNewOnScaledPicture(bool wasCurrent, std::int32_t startItem) {
  if (!wasCurrent || AnyCrossHairOn() || FDrag.WindFigureShown || FDrag.BoxFigureShown) return false;
  // The data area's part of the picture, where DrawScaledPicture puts it.
  TBitmap& pic = ScaledPicture();
  const double f = DeviceScale();
  const auto at = [f](std::int64_t v, std::int32_t limit) {
    return std::int32_t(std::clamp<std::int64_t>(RoundToInt(double(v) * f), 0, limit));
  };
  const std::int32_t l = at(RcLRim, pic.Width()), t = at(RcTRim, pic.Height());
  const std::int32_t r = at(std::int64_t(RcLRim) + DataAreaWidth(), pic.Width());
  const std::int32_t b = at(std::int64_t(RcTRim) + DataAreaHeight(), pic.Height());
  if (l < r && t < b) {
    TBitmap area(r - l, b - t);
    area.Canvas().CopyMode = TCopyMode::cmSrcCopy;
    area.Canvas().CopyRect(Rect(0, 0, r - l, b - t), pic, Rect(l, t, r, b));
    area.RasterCanvas().SetPixelsPerInch(pic.RasterCanvas().PixelsPerInch());
    TScaledCanvas scaled(area.Canvas(), f, -l, -t);
    scaled.Pen = TPen{};
    scaled.Pen.Color = FChartFrameCol;
    scaled.Brush = TBrush{RcChartCol, TBrushStyle::bsSolid};
    ConstructDataBmpCanvas(scaled, RcLRim, RcTRim, false, startItem);
    pic.Canvas().CopyMode = TCopyMode::cmSrcCopy;
    pic.Canvas().Draw(l, t, area);
  }
  ScaledPictureUpdated();
  return true;
}

// ---------------------------------------------------------------- grid

std::vector<double> TCustomRChart::GridPositionsX() const {
  const TScaleProps& p = ScalePropsX(FActiveLayer);
  return GridPositions(RcGridDx, p.RangeLow(), p.RangeHigh(), p.Logarithmic(), GetTickPosXCnt(),
                       [this](std::int32_t n) { return GetTickPosX(n); });
}

std::vector<double> TCustomRChart::GridPositionsY() const {
  const TScaleProps& p = ScalePropsY(FActiveLayer);
  return GridPositions(RcGridDy, p.RangeLow(), p.RangeHigh(), p.Logarithmic(), GetTickPosYCnt(),
                       [this](std::int32_t n) { return GetTickPosY(n); });
}

void TCustomRChart::DrawGrid(TCanvas& canvas, std::int32_t shiftX, std::int32_t shiftY) {
  const std::vector<double> xs = GridPositionsX(), ys = GridPositionsY();
  const TScaleProps& px = ScalePropsX(FActiveLayer);
  const TScaleProps& py = ScalePropsY(FActiveLayer);
  const double xlo = std::min(px.RangeLow(), px.RangeHigh()), xhi = std::max(px.RangeLow(), px.RangeHigh());
  const double ylo = std::min(py.RangeLow(), py.RangeHigh()), yhi = std::max(py.RangeLow(), py.RangeHigh());
  // Pixels outside the data area are left out, as the data bitmap would cut
  // them off; a canvas of vector output has no such edge.
  const std::int64_t ax0 = RcLRim, ax1 = std::int64_t(RcLRim) + DataAreaWidth();
  const std::int64_t ay0 = RcTRim, ay1 = std::int64_t(RcTRim) + DataAreaHeight();
  auto mapX = [&](double x) {
    std::int32_t xp = 0, yp = 0;
    R2M(FActiveLayer, x, ylo, xp, yp);
    return xp;
  };
  auto mapY = [&](double y) {
    std::int32_t xp = 0, yp = 0;
    R2M(FActiveLayer, xlo, y, xp, yp);
    return yp;
  };
  std::vector<std::int32_t> cols, rows;
  for (double x : xs)
    if (const std::int32_t p = mapX(x); p >= ax0 && p < ax1) cols.push_back(p);
  for (double y : ys)
    if (const std::int32_t p = mapY(y); p >= ay0 && p < ay1) rows.push_back(p);

  canvas.Brush.Color = RcChartCol;
  canvas.Pen = TPen{};
  canvas.Pen.Color = RcGridCol;
  // Line ends limited to the data area (one beyond it at the far end, which
  // LineTo leaves out), so both kinds of canvas get the same pixels.
  auto limit = [](std::int32_t p, std::int64_t lo, std::int64_t hi) {
    return std::int32_t(std::clamp<std::int64_t>(p, lo - 1, hi));
  };
  auto from = [](std::int32_t p, std::int64_t lo, std::int64_t hi) {
    return std::int32_t(std::clamp<std::int64_t>(p, lo, hi - 1));
  };
  const std::int32_t y0 = from(mapY(ylo), ay0, ay1), y1 = limit(mapY(yhi), ay0, ay1);
  const std::int32_t x0 = from(mapX(xlo), ax0, ax1), x1 = limit(mapX(xhi), ax0, ax1);
  auto vertical = [&] {
    for (std::int32_t c : cols) {
      canvas.MoveTo(Sat32(std::int64_t(c) + shiftX), Sat32(std::int64_t(y0) + shiftY));
      canvas.LineTo(Sat32(std::int64_t(c) + shiftX), Sat32(std::int64_t(y1) + shiftY));
    }
  };
  auto horizontal = [&] {
    for (std::int32_t r : rows) {
      canvas.MoveTo(Sat32(std::int64_t(x0) + shiftX), Sat32(std::int64_t(r) + shiftY));
      canvas.LineTo(Sat32(std::int64_t(x1) + shiftX), Sat32(std::int64_t(r) + shiftY));
    }
  };
  switch (RcGridStyle) {
    case GridStyleType::gsNone: break;
    case GridStyleType::gsPoints: {
      std::int32_t n = 0;
      for (std::size_t i = 0; i < cols.size() && n < kMaxGridPoints; ++i)
        for (std::size_t j = 0; j < rows.size() && n < kMaxGridPoints; ++j, ++n)
          canvas.SetPixel(Sat32(std::int64_t(cols[i]) + shiftX), Sat32(std::int64_t(rows[j]) + shiftY), RcGridCol);
      break;
    }
    case GridStyleType::gsVertLines: vertical(); break;
    case GridStyleType::gsHorizLines: horizontal(); break;
    case GridStyleType::gsLines:
      vertical();
      horizontal();
      break;
    case GridStyleType::gsVertDotLines:
      canvas.Pen.Style = TPenStyle::psDot;
      vertical();
      break;
    case GridStyleType::gsHorizDotLines:
      canvas.Pen.Style = TPenStyle::psDot;
      horizontal();
      break;
    case GridStyleType::gsDotLines:
      canvas.Pen.Style = TPenStyle::psDot;
      vertical();
      horizontal();
      break;
  }
  canvas.Pen.Style = TPenStyle::psSolid;
}

}  // namespace mivo
