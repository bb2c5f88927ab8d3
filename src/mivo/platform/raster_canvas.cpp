// TRasterCanvas: state, single pixels, rectangles filled with the brush,
// bitmap copies and text. Lines, fills and arcs live in raster_lines.cpp,
// raster_fill.cpp and raster_arc.cpp.
#include "mivo/platform/raster_canvas.h"

#include <algorithm>
#include <cstring>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/fonts.h"
#include "mivo/platform/raster_internal.h"

namespace mivo {

namespace detail {

TPixelOp MakePixelOp(TPenMode mode, TColor color) {
  const std::uint32_t p = PackRGB(ColorToRGB(color));
  constexpr std::uint32_t all = 0xFFFFFFFFu, rgb = 0x00FFFFFFu;
  switch (mode) {
    case TPenMode::pmCopy: return {0, p};
    case TPenMode::pmXor: return {all, p};
    case TPenMode::pmNot: return {all, rgb};
    case TPenMode::pmNotCopy: return {0, ~p & rgb};
    case TPenMode::pmMerge: return {~p, p};
    case TPenMode::pmMask: return {p | 0xFF000000u, 0};
    case TPenMode::pmNotXor: return {all, p ^ rgb};
    case TPenMode::pmBlack: return {0, 0};
    case TPenMode::pmWhite: return {0, rgb};
    case TPenMode::pmNop: return {all, 0};
  }
  return {all, 0};
}

TDashPattern DashPatternOf(TPenStyle style) {
  TDashPattern d;
  auto set = [&d](std::initializer_list<std::int32_t> runs) {
    for (std::int32_t r : runs) {
      d.Runs[d.Count++] = r;
      d.Period += r;
    }
  };
  switch (style) {
    case TPenStyle::psDash: set({18, 6}); break;
    case TPenStyle::psDot: set({3, 3}); break;
    case TPenStyle::psDashDot: set({9, 6, 3, 6}); break;
    case TPenStyle::psDashDotDot: set({9, 3, 3, 3, 3, 3}); break;
    default: break;
  }
  return d;
}

}  // namespace detail

using namespace detail;

TRasterCanvas::TRasterCanvas(TBitmap& target) : FTarget(target), FScratch(std::make_unique<TRasterScratch>()) {}

TRasterCanvas::~TRasterCanvas() = default;

TResolvedPen TRasterCanvas::ResolvedPen() const {
  TResolvedPen s;
  s.Width = std::max<std::int32_t>(Pen.Width, 1);
  s.Clear = Pen.Style == TPenStyle::psClear;
  s.Wide = s.Width > 1;
  if (!s.Wide) {
    s.Dash = DashPatternOf(Pen.Style);
    s.GapsInBrush = s.Dash.Count > 0 && Brush.Style == TBrushStyle::bsSolid;
  }
  return s;
}

TPixelOp TRasterCanvas::PenOp() const { return MakePixelOp(Pen.Mode, Pen.Color); }

TPixelOp TRasterCanvas::BrushOp() const { return MakePixelOp(Pen.Mode, Brush.Color); }

TSize TRasterCanvas::SurfaceSize() const { return {FTarget.Width(), FTarget.Height()}; }

TColor TRasterCanvas::Pixel(std::int32_t x, std::int32_t y) const {
  if (x < 0 || y < 0 || x >= FTarget.Width() || y >= FTarget.Height()) return 0;
  const TBitmap& b = FTarget;
  return FromRGB32(b.ScanLine(y)[x]);
}

void TRasterCanvas::SetPixel(std::int32_t x, std::int32_t y, TColor c) {
  if (x < 0 || y < 0 || x >= FTarget.Width() || y >= FTarget.Height()) return;
  FTarget.ScanLine(y)[x] = ToRGB32(ColorToRGB(c));
}

namespace {

// The part of [l, r) x [t, b) on a w x h surface; false when empty.
bool ClipBox(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b, std::int32_t w, std::int32_t h,
             std::int32_t& cl, std::int32_t& ct, std::int32_t& cr, std::int32_t& cb) {
  cl = std::int32_t(std::clamp<std::int64_t>(l, 0, w));
  cr = std::int32_t(std::clamp<std::int64_t>(r, 0, w));
  ct = std::int32_t(std::clamp<std::int64_t>(t, 0, h));
  cb = std::int32_t(std::clamp<std::int64_t>(b, 0, h));
  return cl < cr && ct < cb;
}

void FillSolid(TBitmap& bmp, std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b, TColor rgb) {
  std::int32_t cl, ct, cr, cb;
  if (!ClipBox(l, t, r, b, bmp.Width(), bmp.Height(), cl, ct, cr, cb)) return;
  const TRGB32 c = ToRGB32(rgb);
  if (cl == 0 && cr == bmp.Width()) {
    // Whole rows are one contiguous run.
    FillPixels(bmp.ScanLine(ct), std::size_t(cr) * std::size_t(cb - ct), c);
    return;
  }
  for (std::int32_t y = ct; y < cb; ++y) FillPixels(bmp.ScanLine(y) + cl, std::size_t(cr - cl), c);
}

}  // namespace

void TRasterCanvas::FillRect(const TRect& r) {
  if (Brush.Style == TBrushStyle::bsClear) return;
  FillSolid(FTarget, std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
            std::max(r.Top, r.Bottom), ColorToRGB(Brush.Color));
}

void TRasterCanvas::FrameRect(const TRect& r) {
  if (Brush.Style == TBrushStyle::bsClear) return;
  const std::int64_t l = std::min(r.Left, r.Right), rr = std::max(r.Left, r.Right);
  const std::int64_t t = std::min(r.Top, r.Bottom), b = std::max(r.Top, r.Bottom);
  if (l >= rr || t >= b) return;
  const TColor c = ColorToRGB(Brush.Color);
  FillSolid(FTarget, l, t, rr, t + 1, c);
  FillSolid(FTarget, l, b - 1, rr, b, c);
  FillSolid(FTarget, l, t, l + 1, b, c);
  FillSolid(FTarget, rr - 1, t, rr, b, c);
}

// ---- text -------------------------------------------------------------------

void TRasterCanvas::TextOut(std::int32_t x, std::int32_t y, std::string_view text) {
  const TFontMetrics m = GetFontMetrics(Font);
  const std::int32_t w = MeasureTextWidth(Font, text);
  std::int64_t left = x, top = y;
  switch (TextAlign.Horz) {
    case TTextHAlign::taLeft: break;
    case TTextHAlign::taCenter: left -= w / 2; break;
    case TTextHAlign::taRight: left -= w; break;
  }
  switch (TextAlign.Vert) {
    case TTextVAlign::taTop: break;
    case TTextVAlign::taBaseline: top -= m.Ascent; break;
    case TTextVAlign::taBottom: top -= m.Height; break;
  }
  if (Brush.Style == TBrushStyle::bsSolid)
    FillSolid(FTarget, left, top, left + w, top + m.Height, ColorToRGB(Brush.Color));
  const std::int32_t cx = std::int32_t(std::clamp<std::int64_t>(left, INT32_MIN, INT32_MAX));
  const std::int32_t cy = std::int32_t(std::clamp<std::int64_t>(top, INT32_MIN, INT32_MAX));
  RenderText(FTarget, Rect(0, 0, FTarget.Width(), FTarget.Height()), cx, cy, Font, text);
}

// ---- bitmap copies ----------------------------------------------------------

namespace {

// Source coordinate of destination offset `rel` in a stretch of `dn` onto `sn`
// pixels (both > 0): the source pixel under the destination pixel's centre.
std::int64_t StretchMap(std::int64_t rel, std::int64_t dn, std::int64_t sn, bool mirror) {
  if (mirror) rel = dn - 1 - rel;
  if (dn == sn) return rel;
  return std::int64_t(FloorDiv128(i128(2 * rel + 1) * sn, i128(2) * dn));
}

template <int Mode>
void CombineRow(TRGB32* d, const TRGB32* srcRow, const std::int32_t* map, std::int32_t n) {
  for (std::int32_t i = 0; i < n; ++i) {
    const std::int32_t sx = map[i];
    if (sx < 0) continue;
    const std::uint32_t s = Load32(srcRow + sx);
    if constexpr (Mode == 0) Store32(d + i, s);
    if constexpr (Mode == 1) Store32(d + i, Load32(d + i) & s);
    if constexpr (Mode == 2) Store32(d + i, Load32(d + i) | s);
    if constexpr (Mode == 3) Store32(d + i, Load32(d + i) ^ s);
  }
}

// The same for an unscaled copy: source pixel i under destination pixel i.
template <int Mode>
void CombineSpan(TRGB32* d, const TRGB32* src, std::int32_t n) {
  for (std::int32_t i = 0; i < n; ++i) {
    const std::uint32_t v = Load32(src + i);
    if constexpr (Mode == 1) Store32(d + i, Load32(d + i) & v);
    if constexpr (Mode == 2) Store32(d + i, Load32(d + i) | v);
    if constexpr (Mode == 3) Store32(d + i, Load32(d + i) ^ v);
  }
}

}  // namespace

void TRasterCanvas::Blit(const TRect& dest, const TBitmap& src, const TRect& srcRect) {
  const std::int64_t dw = dest.Width(), dh = dest.Height(), sw = srcRect.Width(), sh = srcRect.Height();
  if (dw == 0 || dh == 0 || sw == 0 || sh == 0 || src.Width() <= 0 || src.Height() <= 0) return;
  const bool mirrorX = (dw < 0) != (sw < 0), mirrorY = (dh < 0) != (sh < 0);
  const std::int64_t dl = std::min(dest.Left, dest.Right), dt = std::min(dest.Top, dest.Bottom);
  const std::int64_t sl = std::min(srcRect.Left, srcRect.Right), st = std::min(srcRect.Top, srcRect.Bottom);
  const std::int64_t adw = dw < 0 ? -dw : dw, adh = dh < 0 ? -dh : dh;
  const std::int64_t asw = sw < 0 ? -sw : sw, ash = sh < 0 ? -sh : sh;
  std::int32_t cl, ct, cr, cb;
  if (!ClipBox(dl, dt, dl + adw, dt + adh, FTarget.Width(), FTarget.Height(), cl, ct, cr, cb)) return;

  TRasterScratch& s = *FScratch;
  // Reading from the surface being written: work from a copy.
  const TRGB32* srcData = src.Data();
  if (&src == &FTarget) {
    s.Pixels.assign(src.Data(), src.Data() + std::size_t(src.Width()) * std::size_t(src.Height()));
    srcData = s.Pixels.data();
  }
  if (adw == asw && adh == ash && !mirrorX && !mirrorY) {
    BlitUnscaled(cl, ct, cr, cb, srcData, src.Width(), src.Height(), sl - dl, st - dt);
    return;
  }
  const std::int32_t n = cr - cl;
  s.Index.resize(std::size_t(n));
  bool anyColumn = false;
  for (std::int32_t i = 0; i < n; ++i) {
    const std::int64_t sx = sl + StretchMap(cl + i - dl, adw, asw, mirrorX);
    s.Index[std::size_t(i)] = (sx >= 0 && sx < src.Width()) ? std::int32_t(sx) : -1;
    anyColumn |= s.Index[std::size_t(i)] >= 0;
  }
  if (!anyColumn) return;
  for (std::int32_t y = ct; y < cb; ++y) {
    const std::int64_t sy = st + StretchMap(y - dt, adh, ash, mirrorY);
    if (sy < 0 || sy >= src.Height()) continue;
    const TRGB32* srcRow = srcData + std::size_t(sy) * std::size_t(src.Width());
    TRGB32* d = FTarget.ScanLine(y) + cl;
    switch (CopyMode) {
      case TCopyMode::cmSrcCopy: CombineRow<0>(d, srcRow, s.Index.data(), n); break;
      case TCopyMode::cmSrcAnd: CombineRow<1>(d, srcRow, s.Index.data(), n); break;
      case TCopyMode::cmSrcPaint: CombineRow<2>(d, srcRow, s.Index.data(), n); break;
      case TCopyMode::cmSrcInvert: CombineRow<3>(d, srcRow, s.Index.data(), n); break;
    }
  }
}

void TRasterCanvas::BlitUnscaled(std::int32_t cl, std::int32_t ct, std::int32_t cr, std::int32_t cb,
                                 const TRGB32* srcData, std::int32_t srcWidth, std::int32_t srcHeight,
                                 std::int64_t shiftX, std::int64_t shiftY) {
  // Destination (x, y) reads source (x + shiftX, y + shiftY): whole rows of
  // contiguous pixels, cut to the part of the source that exists.
  const std::int64_t x0 = std::max<std::int64_t>(cl, -shiftX), x1 = std::min<std::int64_t>(cr, srcWidth - shiftX);
  const std::int64_t y0 = std::max<std::int64_t>(ct, -shiftY), y1 = std::min<std::int64_t>(cb, srcHeight - shiftY);
  if (x0 >= x1 || y0 >= y1) return;
  const std::int32_t n = std::int32_t(x1 - x0);
  for (std::int64_t y = y0; y < y1; ++y) {
    const TRGB32* srcRow = srcData + std::size_t(y + shiftY) * std::size_t(srcWidth) + std::size_t(x0 + shiftX);
    TRGB32* d = FTarget.ScanLine(std::int32_t(y)) + x0;
    switch (CopyMode) {
      case TCopyMode::cmSrcCopy: std::memcpy(d, srcRow, std::size_t(n) * sizeof(TRGB32)); break;
      case TCopyMode::cmSrcAnd: CombineSpan<1>(d, srcRow, n); break;
      case TCopyMode::cmSrcPaint: CombineSpan<2>(d, srcRow, n); break;
      case TCopyMode::cmSrcInvert: CombineSpan<3>(d, srcRow, n); break;
    }
  }
}

void TRasterCanvas::Draw(std::int32_t x, std::int32_t y, const TBitmap& src) {
  const std::int64_t r = std::int64_t(x) + src.Width(), b = std::int64_t(y) + src.Height();
  // Keep the far corner representable; what lies beyond it is off-surface anyway.
  TRect dest = Rect(x, y, std::int32_t(std::min<std::int64_t>(r, INT32_MAX)),
                    std::int32_t(std::min<std::int64_t>(b, INT32_MAX)));
  Blit(dest, src, Rect(0, 0, std::int32_t(dest.Width()), std::int32_t(dest.Height())));
}

void TRasterCanvas::StretchDraw(const TRect& dest, const TBitmap& src) {
  Blit(dest, src, Rect(0, 0, src.Width(), src.Height()));
}

void TRasterCanvas::CopyRect(const TRect& dest, const TBitmap& src, const TRect& srcRect) {
  Blit(dest, src, srcRect);
}

}  // namespace mivo
