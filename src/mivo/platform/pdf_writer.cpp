#include "mivo/platform/pdf_writer.h"

#include <cairo-ft.h>
#include <cairo-pdf.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <tuple>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/errors.h"
#include "mivo/platform/file_replace.h"
#include "mivo/platform/fonts.h"
#include "mivo/platform/fonts_internal.h"

namespace mivo {
namespace {

constexpr double kPointsPerPixel = 0.75;  // 72 pt per inch over 96 pixels per inch
constexpr std::int64_t kMaxAutoExtent = 100000;
constexpr std::int32_t kMaxFontPixels = 2048;

struct TBox {
  double Left, Top, Right, Bottom;  // normalised, Right/Bottom exclusive
};

TBox Normalised(const TRect& r) {
  return {double(std::min(r.Left, r.Right)), double(std::min(r.Top, r.Bottom)), double(std::max(r.Left, r.Right)),
          double(std::max(r.Top, r.Bottom))};
}

// Text cairo accepts: valid UTF-8 without control characters.
std::string CleanText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const char32_t cp = detail::DecodeUtf8(text, pos);
    detail::AppendUtf8(out, cp < 0x20 || cp == 0x7F ? detail::ReplacementChar : cp);
  }
  return out;
}

// The drawing's extent when the canvas has no size of its own.
TSize DrawingExtent(const TRecordingCanvas& canvas) {
  std::int64_t w = 1, h = 1;
  for (const TPrimitive& p : canvas.Primitives()) {
    if (p.Kind != TPrimitiveKind::pkArc)
      for (TPoint pt : p.Points) {
        w = std::max(w, std::int64_t(pt.x) + 1);
        h = std::max(h, std::int64_t(pt.y) + 1);
      }
    const bool boxed = p.Kind == TPrimitiveKind::pkRectangle || p.Kind == TPrimitiveKind::pkFillRect ||
                       p.Kind == TPrimitiveKind::pkFrameRect || p.Kind == TPrimitiveKind::pkEllipse ||
                       p.Kind == TPrimitiveKind::pkArc || p.Kind == TPrimitiveKind::pkStretchDraw ||
                       p.Kind == TPrimitiveKind::pkCopyRect;
    if (boxed) {
      w = std::max<std::int64_t>(w, std::max(p.Rect.Left, p.Rect.Right));
      h = std::max<std::int64_t>(h, std::max(p.Rect.Top, p.Rect.Bottom));
    }
    if (p.Kind == TPrimitiveKind::pkDraw && p.Bitmap) {
      w = std::max(w, std::int64_t(p.Points[0].x) + p.Bitmap->Width());
      h = std::max(h, std::int64_t(p.Points[0].y) + p.Bitmap->Height());
    }
  }
  return {std::int32_t(std::min(w, kMaxAutoExtent)), std::int32_t(std::min(h, kMaxAutoExtent))};
}

cairo_status_t AppendToString(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

class TPdfBuilder {
 public:
  explicit TPdfBuilder(const TPdfOptions& options) : FOptions(options) {}
  TPdfBuilder(const TPdfBuilder&) = delete;
  TPdfBuilder& operator=(const TPdfBuilder&) = delete;
  ~TPdfBuilder() {
    if (FCr) cairo_destroy(FCr);
    if (FSurface) cairo_surface_destroy(FSurface);
    for (auto& [key, face] : FFaces) cairo_font_face_destroy(face);
  }

  std::string Build(const TRecordingCanvas& canvas) {
    TSize size = FOptions.Size;
    if (size.cx <= 0 || size.cy <= 0) size = canvas.SurfaceSize();
    if (size.cx <= 0 || size.cy <= 0) size = DrawingExtent(canvas);
    size.cx = std::clamp<std::int32_t>(size.cx, 1, std::int32_t(kMaxAutoExtent));
    size.cy = std::clamp<std::int32_t>(size.cy, 1, std::int32_t(kMaxAutoExtent));
    std::string out;
    FSurface = cairo_pdf_surface_create_for_stream(AppendToString, &out, size.cx * kPointsPerPixel,
                                                   size.cy * kPointsPerPixel);
    FCr = cairo_create(FSurface);
    cairo_scale(FCr, kPointsPerPixel, kPointsPerPixel);
    if (FOptions.Background) {
      SetColor(*FOptions.Background);
      cairo_rectangle(FCr, 0, 0, size.cx, size.cy);
      cairo_fill(FCr);
    }
    const auto& prims = canvas.Primitives();
    for (std::size_t i = 0; i < prims.size(); ++i) {
      for (const TClipRun& run : FOptions.Clips)
        if (run.First == i && run.Last > i) {
          const TBox b = Normalised(run.Clip);
          cairo_save(FCr);
          cairo_new_path(FCr);
          cairo_rectangle(FCr, b.Left, b.Top, b.Right - b.Left, b.Bottom - b.Top);
          cairo_clip(FCr);
        }
      Emit(prims[i]);
      for (const TClipRun& run : FOptions.Clips)
        if (run.Last == i + 1 && run.First <= i) cairo_restore(FCr);
    }
    cairo_show_page(FCr);
    cairo_status_t status = cairo_status(FCr);
    cairo_destroy(FCr);
    FCr = nullptr;
    cairo_surface_finish(FSurface);
    if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_status(FSurface);
    cairo_surface_destroy(FSurface);
    FSurface = nullptr;
    if (status != CAIRO_STATUS_SUCCESS)
      RaiseMivoError(std::string("PDF document: cairo failed: ") + cairo_status_to_string(status));
    return out;
  }

 private:
  void SetColor(TColor c) {
    const TColor rgb = ColorToRGB(c);
    cairo_set_source_rgb(FCr, GetRValue(rgb) / 255.0, GetGValue(rgb) / 255.0, GetBValue(rgb) / 255.0);
  }

  // Sets up the pen; false when it draws nothing.
  bool UsePen(const TPen& pen) {
    if (pen.Style == TPenStyle::psClear || pen.Mode == TPenMode::pmNop) return false;
    TColor color = pen.Color;
    if (pen.Mode == TPenMode::pmBlack) color = clBlack;
    if (pen.Mode == TPenMode::pmWhite) color = clWhite;
    if (pen.Mode == TPenMode::pmNotCopy) color = ~ColorToRGB(pen.Color) & 0xFFFFFF;
    SetColor(color);
    const std::int32_t width = std::clamp(pen.Width, 1, 10000);
    cairo_set_line_width(FCr, width);
    if (width > 1) {
      cairo_set_line_cap(FCr, CAIRO_LINE_CAP_ROUND);
      cairo_set_line_join(FCr, CAIRO_LINE_JOIN_ROUND);
      cairo_set_dash(FCr, nullptr, 0, 0);
      return true;
    }
    cairo_set_line_cap(FCr, CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(FCr, CAIRO_LINE_JOIN_MITER);
    static constexpr double dash[] = {18, 6}, dot[] = {3, 3}, dashDot[] = {9, 6, 3, 6},
                            dashDotDot[] = {9, 3, 3, 3, 3, 3};
    switch (pen.Style) {
      case TPenStyle::psDash: cairo_set_dash(FCr, dash, 2, 0); break;
      case TPenStyle::psDot: cairo_set_dash(FCr, dot, 2, 0); break;
      case TPenStyle::psDashDot: cairo_set_dash(FCr, dashDot, 4, 0); break;
      case TPenStyle::psDashDotDot: cairo_set_dash(FCr, dashDotDot, 6, 0); break;
      default: cairo_set_dash(FCr, nullptr, 0, 0); break;
    }
    return true;
  }

  // Fills the current path with the brush (when it paints), then strokes it
  // with the pen (when it draws); the path is consumed.
  void FillAndStroke(const TCanvasState& st) {
    if (st.Brush.Style == TBrushStyle::bsSolid && st.Pen.Mode != TPenMode::pmNop) {
      SetColor(st.Brush.Color);
      cairo_fill_preserve(FCr);
    }
    if (UsePen(st.Pen)) cairo_stroke(FCr);
    cairo_new_path(FCr);
  }

  void PathThroughCentres(const std::vector<TPoint>& points) {
    cairo_new_path(FCr);
    for (const TPoint& pt : points) cairo_line_to(FCr, pt.x + 0.5, pt.y + 0.5);
  }

  void Emit(const TPrimitive& p) {
    const TCanvasState& st = p.State;
    switch (p.Kind) {
      case TPrimitiveKind::pkMoveTo:
        break;
      case TPrimitiveKind::pkLineTo:
        if (!UsePen(st.Pen)) break;
        PathThroughCentres(p.Points);
        cairo_stroke(FCr);
        break;
      case TPrimitiveKind::pkPolyline:
        if (p.Points.size() < 2 || !UsePen(st.Pen)) break;
        PathThroughCentres(p.Points);
        cairo_stroke(FCr);
        break;
      case TPrimitiveKind::pkPolygon:
        if (p.Points.size() < 2) break;
        PathThroughCentres(p.Points);
        cairo_close_path(FCr);
        cairo_set_fill_rule(FCr, CAIRO_FILL_RULE_EVEN_ODD);
        FillAndStroke(st);
        break;
      case TPrimitiveKind::pkRectangle: {
        const TBox b = Normalised(p.Rect);
        if (b.Right - b.Left < 1 || b.Bottom - b.Top < 1) break;
        cairo_new_path(FCr);
        cairo_rectangle(FCr, b.Left + 0.5, b.Top + 0.5, b.Right - b.Left - 1, b.Bottom - b.Top - 1);
        FillAndStroke(st);
        break;
      }
      case TPrimitiveKind::pkFillRect: {
        if (p.Rect.IsEmpty()) break;
        const TBox b = Normalised(p.Rect);
        SetColor(st.Brush.Color);
        cairo_rectangle(FCr, b.Left, b.Top, b.Right - b.Left, b.Bottom - b.Top);
        cairo_fill(FCr);
        break;
      }
      case TPrimitiveKind::pkFrameRect: {
        if (p.Rect.IsEmpty()) break;
        const TBox b = Normalised(p.Rect);
        SetColor(st.Brush.Color);
        cairo_set_line_width(FCr, 1);
        cairo_set_dash(FCr, nullptr, 0, 0);
        cairo_rectangle(FCr, b.Left + 0.5, b.Top + 0.5, b.Right - b.Left - 1, b.Bottom - b.Top - 1);
        cairo_stroke(FCr);
        break;
      }
      case TPrimitiveKind::pkEllipse: {
        const TBox b = Normalised(p.Rect);
        if (b.Right - b.Left < 1 || b.Bottom - b.Top < 1) break;
        EllipsePath((b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2, (b.Right - b.Left - 1) / 2,
                    (b.Bottom - b.Top - 1) / 2, 0, 2 * std::numbers::pi);
        cairo_close_path(FCr);
        FillAndStroke(st);
        break;
      }
      case TPrimitiveKind::pkArc:
        EmitArc(p);
        break;
      case TPrimitiveKind::pkSetPixel:
        SetColor(p.Color);
        cairo_rectangle(FCr, p.Points[0].x, p.Points[0].y, 1, 1);
        cairo_fill(FCr);
        break;
      case TPrimitiveKind::pkTextOut:
        EmitText(p);
        break;
      case TPrimitiveKind::pkDraw:
        if (p.Bitmap)
          EmitImage(*p.Bitmap, p.Points[0].x, p.Points[0].y, p.Bitmap->Width(), p.Bitmap->Height(), nullptr);
        break;
      case TPrimitiveKind::pkStretchDraw: {
        const TBox b = Normalised(p.Rect);
        if (p.Bitmap) EmitImage(*p.Bitmap, b.Left, b.Top, b.Right - b.Left, b.Bottom - b.Top, nullptr);
        break;
      }
      case TPrimitiveKind::pkCopyRect: {
        const TBox b = Normalised(p.Rect);
        if (p.Bitmap) EmitImage(*p.Bitmap, b.Left, b.Top, b.Right - b.Left, b.Bottom - b.Top, &p.SourceRect);
        break;
      }
    }
  }

  // An elliptic path from angle a0 to a1, both measured counter-clockwise on
  // the screen, drawn in that direction. A zero radius gives a straight path.
  void EllipsePath(double cx, double cy, double rx, double ry, double a0, double a1) {
    cairo_new_path(FCr);
    cairo_save(FCr);
    cairo_translate(FCr, cx, cy);
    cairo_scale(FCr, std::max(rx, 1e-6), std::max(ry, 1e-6));
    // Screen y grows downwards: counter-clockwise on the screen is cairo's negative direction.
    cairo_arc_negative(FCr, 0, 0, 1, -a0, -a1);
    cairo_restore(FCr);
  }

  void EmitArc(const TPrimitive& p) {
    const TBox b = Normalised(p.Rect);
    if (b.Right - b.Left < 1 || b.Bottom - b.Top < 1 || !UsePen(p.State.Pen)) return;
    const double cx = (b.Left + b.Right) / 2, cy = (b.Top + b.Bottom) / 2;
    const double a0 = std::atan2(-(p.Points[0].y + 0.5 - cy), p.Points[0].x + 0.5 - cx);
    const double a1 = std::atan2(-(p.Points[1].y + 0.5 - cy), p.Points[1].x + 0.5 - cx);
    double sweep = a1 - a0;
    while (sweep <= 0) sweep += 2 * std::numbers::pi;  // equal radials: the full ellipse
    EllipsePath(cx, cy, (b.Right - b.Left - 1) / 2, (b.Bottom - b.Top - 1) / 2, a0, a0 + sweep);
    UsePen(p.State.Pen);
    cairo_stroke(FCr);
  }

  cairo_font_face_t* Face(const TFont& font) {
    const detail::TResolvedFont r = detail::ResolveFont(font.Name, font.Style.Contains(TFontStyle::fsBold),
                                                        font.Style.Contains(TFontStyle::fsItalic));
    const auto key = std::make_tuple(r.Path, r.Index, r.SyntheticBold, r.SyntheticItalic);
    if (const auto it = FFaces.find(key); it != FFaces.end()) return it->second;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FILE, reinterpret_cast<const FcChar8*>(r.Path.c_str()));
    FcPatternAddInteger(pattern, FC_INDEX, r.Index);
    cairo_font_face_t* face = cairo_ft_font_face_create_for_pattern(pattern);
    FcPatternDestroy(pattern);
    unsigned int synth = 0;
    if (r.SyntheticBold) synth |= CAIRO_FT_SYNTHESIZE_BOLD;
    if (r.SyntheticItalic) synth |= CAIRO_FT_SYNTHESIZE_OBLIQUE;
    if (synth) cairo_ft_font_face_set_synthesize(face, synth);
    FFaces.emplace(key, face);
    return face;
  }

  void EmitText(const TPrimitive& p) {
    const TCanvasState& st = p.State;
    const TFont& font = st.Font;
    const TFontMetrics m = GetFontMetrics(font);
    const double width = MeasureTextWidth(font, p.Text);
    const double x = p.Points[0].x, y = p.Points[0].y;
    double left = x;
    if (st.TextAlign.Horz == TTextHAlign::taCenter) left = x - std::floor(width / 2);
    else if (st.TextAlign.Horz == TTextHAlign::taRight) left = x - width;
    double top = y;
    if (st.TextAlign.Vert == TTextVAlign::taBaseline) top = y - m.Ascent;
    if (st.TextAlign.Vert == TTextVAlign::taBottom) top = y - m.Height;
    if (st.Brush.Style == TBrushStyle::bsSolid && width > 0) {
      SetColor(st.Brush.Color);
      cairo_rectangle(FCr, left, top, width, m.Height);
      cairo_fill(FCr);
    }
    if (p.Text.empty()) return;
    const double baseline = top + m.Ascent;
    SetColor(font.Color);
    cairo_set_font_face(FCr, Face(font));
    cairo_set_font_size(FCr, std::clamp(font.PixelSize(), 1, kMaxFontPixels));
    cairo_move_to(FCr, left, baseline);
    cairo_show_text(FCr, CleanText(p.Text).c_str());
    cairo_new_path(FCr);
    const bool under = font.Style.Contains(TFontStyle::fsUnderline);
    const bool strike = font.Style.Contains(TFontStyle::fsStrikeOut);
    if (under || strike) {
      const detail::TFontDecorations d = detail::GetFontDecorations(font);
      if (under) cairo_rectangle(FCr, left, baseline + d.UnderlineOffset, width, std::max(d.UnderlineThickness, 1));
      if (strike) cairo_rectangle(FCr, left, baseline + d.StrikeOffset, width, std::max(d.StrikeThickness, 1));
      cairo_fill(FCr);
    }
  }

  // The bitmap scaled into the box; with a source rectangle only that part of
  // it (relative to the bitmap) fills the box.
  void EmitImage(const TBitmap& bmp, double x, double y, double w, double h, const TRect* source) {
    if (w <= 0 || h <= 0 || bmp.Width() <= 0 || bmp.Height() <= 0) return;
    const TBox src = source ? Normalised(*source) : TBox{0, 0, double(bmp.Width()), double(bmp.Height())};
    if (src.Right - src.Left <= 0 || src.Bottom - src.Top <= 0) return;
    cairo_surface_t* img = cairo_image_surface_create(CAIRO_FORMAT_RGB24, bmp.Width(), bmp.Height());
    if (cairo_surface_status(img) != CAIRO_STATUS_SUCCESS) {
      cairo_surface_destroy(img);
      return;
    }
    cairo_surface_flush(img);
    unsigned char* data = cairo_image_surface_get_data(img);
    const int stride = cairo_image_surface_get_stride(img);
    for (std::int32_t row = 0; row < bmp.Height(); ++row) {
      auto* out = reinterpret_cast<std::uint32_t*>(data + std::ptrdiff_t(row) * stride);
      const TRGB32* in = bmp.ScanLine(row);
      for (std::int32_t col = 0; col < bmp.Width(); ++col)
        out[col] = (std::uint32_t(in[col].R) << 16) | (std::uint32_t(in[col].G) << 8) | in[col].B;
    }
    cairo_surface_mark_dirty(img);
    cairo_save(FCr);
    cairo_rectangle(FCr, x, y, w, h);
    cairo_clip(FCr);
    cairo_translate(FCr, x, y);
    cairo_scale(FCr, w / (src.Right - src.Left), h / (src.Bottom - src.Top));
    cairo_set_source_surface(FCr, img, -src.Left, -src.Top);
    cairo_pattern_set_filter(cairo_get_source(FCr), CAIRO_FILTER_NEAREST);
    cairo_paint(FCr);
    cairo_restore(FCr);
    cairo_surface_destroy(img);
  }

  const TPdfOptions& FOptions;
  cairo_surface_t* FSurface = nullptr;
  cairo_t* FCr = nullptr;
  std::map<std::tuple<std::string, int, bool, bool>, cairo_font_face_t*> FFaces;
};

}  // namespace

std::string RecordingToPdf(const TRecordingCanvas& canvas, const TPdfOptions& options) {
  return TPdfBuilder(options).Build(canvas);
}

void SaveRecordingToPdf(const TRecordingCanvas& canvas, const std::string& fileName, const TPdfOptions& options) {
  const std::string pdf = RecordingToPdf(canvas, options);
  WriteFileReplacing(fileName, reinterpret_cast<const std::uint8_t*>(pdf.data()), pdf.size(), "PDF file");
}

}  // namespace mivo
