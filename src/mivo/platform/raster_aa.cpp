// TRasterCanvas: antialiased lines, polylines, polygons, ellipses and arcs.
//
// cairo blends straight into the canvas's bitmap: an RGB24 image surface over
// the same rows (its pixel word is our 0x00RRGGBB word), so nothing is copied
// and the exact primitives, text and bitmap copies keep drawing on the same
// pixels in between. The surface and its context are made once per bitmap
// and reused; a primitive allocates nothing of its own beyond cairo's path.
// cairo costs some 10 to 20 us a primitive whatever its size, so small whole
// ellipses and shapes of up to 16 points (chart marks) are drawn by cairo
// once per shape and pen into coverage masks, which are blended from then on.
//
// cairo computes in 24.8 fixed point, so geometry is handed over only within
// +-kSafe pixels: paths with points beyond are clipped first (segments and
// polygons against the surface grown by the pen's reach, in doubles), and
// ellipses that large are left to the exact rasteriser. The blending writes
// 0xFF into the pixels' unused top byte; it is cleared again over the box the
// primitive can reach, so pictures compare equal however they were drawn.
#include <cairo.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <cmath>
#include <numbers>
#include <vector>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/raster_canvas.h"
#include "mivo/platform/raster_internal.h"

namespace mivo {

namespace detail {

namespace {

constexpr double kSafe = double(1 << 20);

// Clears the top byte cairo sets, over [l, r) x [t, b) cut to the surface.
void ClearTopByte(TBitmap& bmp, double l, double t, double r, double b) {
  const std::int32_t W = bmp.Width(), H = bmp.Height();
  const std::int32_t x0 = std::int32_t(std::clamp(std::floor(l), 0.0, double(W)));
  const std::int32_t x1 = std::int32_t(std::clamp(std::ceil(r), 0.0, double(W)));
  const std::int32_t y0 = std::int32_t(std::clamp(std::floor(t), 0.0, double(H)));
  const std::int32_t y1 = std::int32_t(std::clamp(std::ceil(b), 0.0, double(H)));
  for (std::int32_t y = y0; y < y1; ++y) {
    TRGB32* row = bmp.ScanLine(y);
    for (std::int32_t x = x0; x < x1; ++x) row[x].A = 0;
  }
}

}  // namespace

struct TAaPoint {
  double x, y;
};

struct TAaContext {
  cairo_surface_t* Surface = nullptr;
  cairo_t* Cr = nullptr;
  const TRGB32* Data = nullptr;
  std::int32_t W = 0, H = 0;
  // Polygon clipping buffers, reused.
  std::vector<TAaPoint> ClipA, ClipB;

  // Coverage of the parts of small whole ellipses (see AaEllipse), by box
  // size, pen width, pen style and which parts draw.
  static constexpr std::int64_t kMaskSide = 64;
  // Kind (1 ellipse, 2 path), then what tells the shape apart; the parts
  // that draw are bits 0 ... 2 of element 4.
  using TMaskKey = std::vector<std::int32_t>;
  struct TMasks {
    std::int32_t W = 0, H = 0;
    std::vector<std::uint8_t> Part[3];
  };
  std::map<TMaskKey, TMasks> Masks;
  TMaskKey Key;  // reused for look-ups

  // The masks of `key` (W x H each), drawn by `draw`(context, part) into
  // alpha surfaces the first time; null when cairo cannot make them.
  template <typename Draw>
  const TMasks* MasksFor(const TMaskKey& key, std::int32_t w, std::int32_t h, Draw&& draw) {
    if (const auto it = Masks.find(key); it != Masks.end()) return &it->second;
    if (Masks.size() >= 1024) Masks.clear();
    TMasks masks;
    masks.W = w;
    masks.H = h;
    for (int role = 0; role < 3; ++role) {
      if (!(key[4] & (1 << role))) continue;
      cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_A8, w, h);
      cairo_t* c = cairo_create(s);
      draw(c, role);
      cairo_surface_flush(s);
      const bool ok = cairo_status(c) == CAIRO_STATUS_SUCCESS && cairo_surface_status(s) == CAIRO_STATUS_SUCCESS;
      if (ok) {
        const unsigned char* data = cairo_image_surface_get_data(s);
        const int stride = cairo_image_surface_get_stride(s);
        masks.Part[role].resize(std::size_t(w) * std::size_t(h));
        for (std::int32_t y = 0; y < h; ++y)
          std::memcpy(masks.Part[role].data() + std::size_t(y) * std::size_t(w), data + std::ptrdiff_t(y) * stride,
                      std::size_t(w));
      }
      cairo_destroy(c);
      cairo_surface_destroy(s);
      if (!ok) return nullptr;
    }
    return &Masks.emplace(key, std::move(masks)).first->second;
  }

  ~TAaContext() { Release(); }
  void Release() {
    if (Cr) cairo_destroy(Cr);
    if (Surface) cairo_surface_destroy(Surface);
    Cr = nullptr;
    Surface = nullptr;
    Data = nullptr;
  }
  // Ends a primitive: the pixels are handed back (the top byte cleared over
  // the box it can reach), and a context that failed is made anew next time.
  void Finish(TBitmap& bmp, double l, double t, double r, double b) {
    cairo_surface_flush(Surface);
    if (cairo_status(Cr) != CAIRO_STATUS_SUCCESS) Release();
    ClearTopByte(bmp, l, t, r, b);
  }
  // Ready to draw on `bmp`; false when cairo cannot draw there.
  bool Bind(TBitmap& bmp) {
    const std::int32_t w = bmp.Width(), h = bmp.Height();
    if (w <= 0 || h <= 0) return false;
    if (Cr && Data == bmp.Data() && W == w && H == h && cairo_status(Cr) == CAIRO_STATUS_SUCCESS) {
      // Pixels may have changed outside cairo since the last primitive.
      cairo_surface_mark_dirty(Surface);
      cairo_new_path(Cr);
      return true;
    }
    Release();
    if (cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, w) != w * 4) return false;
    Surface = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(bmp.Data()), CAIRO_FORMAT_RGB24,
                                                  w, h, w * 4);
    if (cairo_surface_status(Surface) != CAIRO_STATUS_SUCCESS) {
      Release();
      return false;
    }
    Cr = cairo_create(Surface);
    if (cairo_status(Cr) != CAIRO_STATUS_SUCCESS) {
      Release();
      return false;
    }
    Data = bmp.Data();
    W = w;
    H = h;
    return true;
  }
};

void TAaContextDelete::operator()(TAaContext* c) const { delete c; }

namespace {

// The colour a copy-like pen mode paints with; false for the modes that
// combine with the pixel (those stay exact).
bool BlendColor(TPenMode mode, TColor c, TColor& rgb) {
  switch (mode) {
    case TPenMode::pmCopy: rgb = ColorToRGB(c); return true;
    case TPenMode::pmNotCopy: rgb = ~ColorToRGB(c) & 0xFFFFFFu; return true;
    case TPenMode::pmBlack: rgb = 0; return true;
    case TPenMode::pmWhite: rgb = 0xFFFFFFu; return true;
    default: return false;
  }
}

void SetSource(cairo_t* cr, TColor rgb) {
  cairo_set_source_rgb(cr, GetRValue(rgb) / 255.0, GetGValue(rgb) / 255.0, GetBValue(rgb) / 255.0);
}

// Line settings of the pen; `dashed` false strokes solid (the brush-coloured
// gaps under a styled pen).
void SetPen(cairo_t* cr, const TResolvedPen& pen, bool dashed) {
  cairo_set_line_width(cr, double(pen.Width));
  cairo_set_line_cap(cr, pen.Wide ? CAIRO_LINE_CAP_ROUND : CAIRO_LINE_CAP_BUTT);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  if (dashed && pen.Dash.Count > 0) {
    double runs[6];
    for (std::int32_t i = 0; i < pen.Dash.Count; ++i) runs[i] = pen.Dash.Runs[i];
    cairo_set_dash(cr, runs, pen.Dash.Count, 0);
  } else {
    cairo_set_dash(cr, nullptr, 0, 0);
  }
}

// Strokes the current path with the pen: a styled pen over its gaps in the
// brush colour when the brush is solid.
void StrokeWithPen(cairo_t* cr, const TResolvedPen& pen, TColor penRGB, TColor brushRGB) {
  if (pen.GapsInBrush) {
    SetPen(cr, pen, false);
    SetSource(cr, brushRGB);
    cairo_stroke_preserve(cr);
  }
  SetPen(cr, pen, true);
  SetSource(cr, penRGB);
  cairo_stroke(cr);
}

// Blends `rgb` by part `role` of the masks placed at (x0, y0).
void BlendMask(TBitmap& bmp, const TAaContext::TMasks& masks, int role, std::int64_t x0, std::int64_t y0,
               TColor rgb) {
  const std::vector<std::uint8_t>& mask = masks.Part[role];
  if (mask.empty()) return;
  const std::int64_t cl = std::max<std::int64_t>(x0, 0), cr = std::min<std::int64_t>(x0 + masks.W, bmp.Width());
  const std::int64_t ct = std::max<std::int64_t>(y0, 0), cb = std::min<std::int64_t>(y0 + masks.H, bmp.Height());
  const int R = int(GetRValue(rgb)), G = int(GetGValue(rgb)), B = int(GetBValue(rgb));
  for (std::int64_t y = ct; y < cb; ++y) {
    const std::uint8_t* m = mask.data() + std::size_t(y - y0) * std::size_t(masks.W) - x0;
    TRGB32* row = bmp.ScanLine(std::int32_t(y));
    for (std::int64_t x = cl; x < cr; ++x) {
      const int a = m[x];
      if (a == 0) continue;
      TRGB32& p = row[x];
      p.R = std::uint8_t((p.R * (255 - a) + R * a + 127) / 255);
      p.G = std::uint8_t((p.G * (255 - a) + G * a + 127) / 255);
      p.B = std::uint8_t((p.B * (255 - a) + B * a + 127) / 255);
    }
  }
}

// Liang-Barsky: the part of a -> b inside [lo, hi]^2 box; false when none.
bool ClipSegment(TAaPoint& a, TAaPoint& b, double x0, double y0, double x1, double y1) {
  double t0 = 0.0, t1 = 1.0;
  const double dx = b.x - a.x, dy = b.y - a.y;
  auto clip = [&](double p, double q) {  // p * t <= q
    if (p == 0.0) return q >= 0.0;
    const double r = q / p;
    if (p < 0.0) {
      if (r > t1) return false;
      t0 = std::max(t0, r);
    } else {
      if (r < t0) return false;
      t1 = std::min(t1, r);
    }
    return true;
  };
  if (!clip(-dx, a.x - x0) || !clip(dx, x1 - a.x) || !clip(-dy, a.y - y0) || !clip(dy, y1 - a.y)) return false;
  const TAaPoint s{a.x + t0 * dx, a.y + t0 * dy}, e{a.x + t1 * dx, a.y + t1 * dy};
  a = s;
  b = e;
  return true;
}

// Sutherland-Hodgman against one side (keep: inside test, cut: crossing).
template <typename Inside, typename Cut>
void ClipPolygonSide(const std::vector<TAaPoint>& in, std::vector<TAaPoint>& out, Inside inside, Cut cut) {
  out.clear();
  for (std::size_t i = 0; i < in.size(); ++i) {
    const TAaPoint p = in[i], q = in[(i + 1) % in.size()];
    const bool pi = inside(p), qi = inside(q);
    if (pi) out.push_back(p);
    if (pi != qi) out.push_back(cut(p, q));
  }
}

// Clips the closed polygon in `a` to the box (even-odd fill inside the box is
// kept: the added edges run along its sides); the result is in `a`.
void ClipPolygon(std::vector<TAaPoint>& a, std::vector<TAaPoint>& b, double x0, double y0, double x1, double y1) {
  auto atX = [](double x) {
    return [x](TAaPoint p, TAaPoint q) { return TAaPoint{x, p.y + (q.y - p.y) * (x - p.x) / (q.x - p.x)}; };
  };
  auto atY = [](double y) {
    return [y](TAaPoint p, TAaPoint q) { return TAaPoint{p.x + (q.x - p.x) * (y - p.y) / (q.y - p.y), y}; };
  };
  ClipPolygonSide(a, b, [=](TAaPoint p) { return p.x >= x0; }, atX(x0));
  ClipPolygonSide(b, a, [=](TAaPoint p) { return p.x <= x1; }, atX(x1));
  ClipPolygonSide(a, b, [=](TAaPoint p) { return p.y >= y0; }, atY(y0));
  ClipPolygonSide(b, a, [=](TAaPoint p) { return p.y <= y1; }, atY(y1));
}


}  // namespace

}  // namespace detail

using namespace detail;

bool TRasterCanvas::AaPath(std::span<const TPoint> points, bool closed, bool fill) {
  if (!AntialiasedNow(Antialiased) || points.empty()) return false;
  TColor penRGB = 0, brushRGB = 0;
  if (!BlendColor(Pen.Mode, Pen.Color, penRGB)) return false;
  BlendColor(Pen.Mode, Brush.Color, brushRGB);
  const TResolvedPen pen = ResolvedPen();
  fill = fill && Brush.Style == TBrushStyle::bsSolid && points.size() >= 3;
  if (pen.Clear && !fill) return true;
  if (!FAa) FAa.reset(new TAaContext);
  const double W = FTarget.Width(), H = FTarget.Height();

  double minX = points[0].x, maxX = minX, minY = points[0].y, maxY = minY;
  for (const TPoint& p : points) {
    minX = std::min(minX, double(p.x));
    maxX = std::max(maxX, double(p.x));
    minY = std::min(minY, double(p.y));
    maxY = std::max(maxY, double(p.y));
  }
  const double reach = pen.Width / 2.0 + 2.0;
  if (maxX + reach < 0 || maxY + reach < 0 || minX - reach > W || minY - reach > H) return true;
  const bool far = minX < -kSafe || minY < -kSafe || maxX > kSafe || maxY > kSafe;
  // Clipping box: the surface grown beyond what the pen reaches.
  const double bx0 = -reach - 2, by0 = -reach - 2, bx1 = W + reach + 2, by1 = H + reach + 2;
  // Thin and odd-width pens run through pixel centres, even widths through
  // the pixel corner up-left of them.
  const double off = pen.Wide && pen.Width % 2 == 0 ? 0.0 : 0.5;
  const std::size_t n = points.size();

  // Small shapes of a few points (chart marks, drawn by the thousand) are
  // made once per shape and pen as coverage, then blended at each place.
  constexpr std::int64_t side = TAaContext::kMaskSide;
  if (!far && n <= 16 && maxX - minX <= side && maxY - minY <= side && pen.Width <= side) {
    const bool parts[3] = {fill, !pen.Clear && pen.GapsInBrush, !pen.Clear};
    const TColor colors[3] = {brushRGB, brushRGB, penRGB};
    TAaContext::TMaskKey& key = FAa->Key;
    key.assign({2, closed ? 1 : 0, pen.Width, std::int32_t(Pen.Style),
                (parts[0] ? 1 : 0) | (parts[1] ? 2 : 0) | (parts[2] ? 4 : 0)});
    for (const TPoint& p : points) {
      key.push_back(std::int32_t(p.x - minX));
      key.push_back(std::int32_t(p.y - minY));
    }
    const double m = std::ceil(reach), ox = minX - m, oy = minY - m;
    const TAaContext::TMasks* masks = FAa->MasksFor(
        key, std::int32_t(maxX - minX + 2 * m + 1), std::int32_t(maxY - minY + 2 * m + 1), [&](cairo_t* c, int role) {
          cairo_translate(c, -ox, -oy);
          if (role == 0) {
            for (const TPoint& p : points) cairo_line_to(c, p.x, p.y);
            cairo_close_path(c);
            cairo_set_fill_rule(c, CAIRO_FILL_RULE_EVEN_ODD);
            cairo_fill(c);
            return;
          }
          for (const TPoint& p : points) cairo_line_to(c, p.x + off, p.y + off);
          if (closed && n > 2) cairo_close_path(c);
          else if (closed && n == 2) cairo_line_to(c, points[0].x + off, points[0].y + off);
          SetPen(c, pen, role == 2);
          cairo_stroke(c);
        });
    if (masks) {
      for (int role = 0; role < 3; ++role)
        if (parts[role]) BlendMask(FTarget, *masks, role, std::int64_t(ox), std::int64_t(oy), colors[role]);
      return true;
    }
  }
  if (!FAa->Bind(FTarget)) return false;
  cairo_t* cr = FAa->Cr;

  if (fill) {
    // The area whose pixel-centre test the exact fill makes: vertices as given.
    auto& poly = FAa->ClipA;
    poly.clear();
    for (const TPoint& p : points) poly.push_back({double(p.x), double(p.y)});
    if (far) ClipPolygon(poly, FAa->ClipB, bx0, by0, bx1, by1);
    if (poly.size() >= 3) {
      for (const TAaPoint& p : poly) cairo_line_to(cr, p.x, p.y);
      cairo_close_path(cr);
      cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
      SetSource(cr, brushRGB);
      cairo_fill(cr);
    }
  }
  if (!pen.Clear) {
    if (!far) {
      for (const TPoint& p : points) cairo_line_to(cr, p.x + off, p.y + off);
      if (closed && n > 2) cairo_close_path(cr);
      else if (closed && n == 2) cairo_line_to(cr, points[0].x + off, points[0].y + off);
    } else {
      const std::size_t segs = closed ? n : n - 1;
      bool open = false;
      TAaPoint last{};
      for (std::size_t i = 0; i < segs; ++i) {
        const TPoint pa = points[i], pb = points[(i + 1) % n];
        TAaPoint a{pa.x + off, pa.y + off}, b{pb.x + off, pb.y + off};
        if (!ClipSegment(a, b, bx0, by0, bx1, by1)) {
          open = false;
          continue;
        }
        if (!open || a.x != last.x || a.y != last.y) cairo_move_to(cr, a.x, a.y);
        cairo_line_to(cr, b.x, b.y);
        last = b;
        open = true;
      }
    }
    StrokeWithPen(cr, pen, penRGB, brushRGB);
  }
  FAa->Finish(FTarget, minX - reach, minY - reach, maxX + reach + 1, maxY + reach + 1);
  return true;
}

bool TRasterCanvas::AaEllipse(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b,
                              const TPoint* radials) {
  if (!AntialiasedNow(Antialiased)) return false;
  TColor penRGB = 0, brushRGB = 0;
  if (!BlendColor(Pen.Mode, Pen.Color, penRGB)) return false;
  BlendColor(Pen.Mode, Brush.Color, brushRGB);
  // A box one pixel thin is a line the exact rasteriser already draws as
  // such; a box this far out is beyond what the blending stage computes.
  if (r - l < 2 || b - t < 2) return false;
  if (l < -kSafe || t < -kSafe || r > kSafe || b > kSafe) return false;
  const TResolvedPen pen = ResolvedPen();
  const bool fill = radials == nullptr && Brush.Style == TBrushStyle::bsSolid;
  if (pen.Clear && !fill) return true;
  const double W = FTarget.Width(), H = FTarget.Height();
  const double reach = pen.Width / 2.0 + 2.0;
  if (r + reach < 0 || b + reach < 0 || l - reach > W || t - reach > H) return true;
  if (!FAa) FAa.reset(new TAaContext);

  // The outline runs through the centres of the exact outline pixels.
  const double cx = double(l + r) / 2.0, cy = double(t + b) / 2.0;
  double rx = double(r - l - 1) / 2.0, ry = double(b - t - 1) / 2.0;
  if (pen.Wide && Pen.Style == TPenStyle::psInsideFrame) {
    rx = std::max(rx - (pen.Width - 1) / 2.0, 0.5);
    ry = std::max(ry - (pen.Width - 1) / 2.0, 0.5);
  }
  // Angles of the path on the unit circle the ellipse is scaled from,
  // counter-clockwise on the screen.
  double a0 = 0.0, a1 = 2.0 * std::numbers::pi;
  if (radials) {
    auto angle = [&](TPoint p) {
      double dx = (p.x + 0.5 - cx) / rx, dy = -(p.y + 0.5 - cy) / ry;
      if (dx == 0.0 && dy == 0.0) dx = 1.0;
      return std::atan2(dy, dx);
    };
    a0 = angle(radials[0]);
    double sweep = angle(radials[1]) - a0;
    while (sweep <= 0.0) sweep += 2.0 * std::numbers::pi;  // equal radials: the full ellipse
    a1 = a0 + sweep;
  }
  // One part of the picture drawn on `c`: 0 the fill, 1 the gaps of a styled
  // pen in the brush colour, 2 the pen; each blends over the one before.
  const bool parts[3] = {fill, !pen.Clear && pen.GapsInBrush, !pen.Clear};
  auto part = [&](cairo_t* c, int role) {
    auto path = [&](double ex, double ey) {
      cairo_new_path(c);
      cairo_save(c);
      cairo_translate(c, cx, cy);
      cairo_scale(c, ex, ey);
      // Screen y grows downwards: counter-clockwise on the screen is cairo's negative direction.
      cairo_arc_negative(c, 0.0, 0.0, 1.0, -a0, -a1);
      cairo_restore(c);
    };
    if (role == 0) {
      // Without a pen the fill covers the whole box, as the exact interior does.
      if (pen.Clear) path(rx + 0.5, ry + 0.5);
      else path(rx, ry);
      cairo_close_path(c);
      cairo_fill(c);
      return;
    }
    path(rx, ry);
    if (!radials) cairo_close_path(c);
    SetPen(c, pen, role == 2);
    cairo_stroke(c);
  };
  const TColor colors[3] = {brushRGB, brushRGB, penRGB};
  // Marks are small whole ellipses drawn by the thousand: their coverage is
  // made once per size and pen, then blended at each place.
  const std::int64_t m = std::int64_t(std::ceil(reach));
  if (!radials && r - l <= TAaContext::kMaskSide && b - t <= TAaContext::kMaskSide && pen.Width <= TAaContext::kMaskSide) {
    TAaContext::TMaskKey& key = FAa->Key;
    key.assign({1, std::int32_t(r - l), pen.Width, std::int32_t(Pen.Style),
                (parts[0] ? 1 : 0) | (parts[1] ? 2 : 0) | (parts[2] ? 4 : 0) | (pen.Clear ? 8 : 0),
                std::int32_t(b - t)});
    const TAaContext::TMasks* masks = FAa->MasksFor(key, std::int32_t(r - l + 2 * m), std::int32_t(b - t + 2 * m),
                                                    [&](cairo_t* c, int role) {
                                                      cairo_translate(c, double(m - l), double(m - t));
                                                      part(c, role);
                                                    });
    if (masks) {
      for (int role = 0; role < 3; ++role)
        if (parts[role]) BlendMask(FTarget, *masks, role, l - m, t - m, colors[role]);
      return true;
    }
  }
  if (!FAa->Bind(FTarget)) return false;
  cairo_t* cr = FAa->Cr;
  for (int role = 0; role < 3; ++role) {
    if (!parts[role]) continue;
    SetSource(cr, colors[role]);
    part(cr, role);
  }
  FAa->Finish(FTarget, double(l) - reach, double(t) - reach, double(r) + reach, double(b) + reach);
  return true;
}

}  // namespace mivo
