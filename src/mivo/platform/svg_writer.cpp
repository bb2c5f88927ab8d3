#include "mivo/platform/svg_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "mivo/platform/colors.h"
#include "mivo/platform/errors.h"
#include "mivo/platform/fonts.h"
#include "mivo/platform/file_replace.h"
#include "mivo/platform/fonts_internal.h"
#include "mivo/platform/png_internal.h"

namespace mivo {
namespace {

// Extent used for an unbounded canvas whose drawing reaches very far.
constexpr std::int64_t MaxAutoExtent = 100000;

std::string Num(double v) {
  if (!std::isfinite(v)) v = 0;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.12g", v);
  return buf;
}

std::string ColorText(TColor c) {
  const TColor rgb = ColorToRGB(c);
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02x%02x%02x", GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
  return buf;
}

// XML text or attribute content: the five special characters escaped, and
// what XML cannot carry (malformed UTF-8, control characters, U+FFFE/FFFF)
// replaced by U+FFFD.
std::string EscapeXml(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const char32_t cp = detail::DecodeUtf8(text, pos);
    switch (cp) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      default:
        if ((cp < 0x20 && cp != '\t' && cp != '\n' && cp != '\r') || cp == 0xFFFE || cp == 0xFFFF)
          detail::AppendUtf8(out, detail::ReplacementChar);
        else
          detail::AppendUtf8(out, cp);
    }
  }
  return out;
}

std::string Base64(const std::vector<std::uint8_t>& data) {
  static constexpr char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((data.size() + 2) / 3 * 4);
  std::size_t i = 0;
  for (; i + 2 < data.size(); i += 3) {
    const std::uint32_t v = (std::uint32_t(data[i]) << 16) | (std::uint32_t(data[i + 1]) << 8) | data[i + 2];
    out += digits[v >> 18];
    out += digits[(v >> 12) & 63];
    out += digits[(v >> 6) & 63];
    out += digits[v & 63];
  }
  if (i < data.size()) {
    std::uint32_t v = std::uint32_t(data[i]) << 16;
    if (i + 1 < data.size()) v |= std::uint32_t(data[i + 1]) << 8;
    out += digits[v >> 18];
    out += digits[(v >> 12) & 63];
    out += i + 1 < data.size() ? digits[(v >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

struct TBox {
  double Left, Top, Right, Bottom;  // normalised, Right/Bottom exclusive
};

TBox Normalised(const TRect& r) {
  return {double(std::min(r.Left, r.Right)), double(std::min(r.Top, r.Bottom)), double(std::max(r.Left, r.Right)),
          double(std::max(r.Top, r.Bottom))};
}

class TSvgBuilder {
 public:
  TSvgBuilder(const TSvgOptions& options) : FOptions(options) {}

  std::string Build(const TRecordingCanvas& canvas) {
    TSize size = FOptions.Size;
    if (size.cx <= 0 || size.cy <= 0) size = canvas.SurfaceSize();
    if (size.cx <= 0 || size.cy <= 0) size = Extent(canvas);
    FOut = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    FOut += "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\"";
    FOut += " width=\"" + Num(size.cx) + "\" height=\"" + Num(size.cy) + "\" viewBox=\"0 0 " + Num(size.cx) + " " +
            Num(size.cy) + "\">\n";
    if (FOptions.Background)
      FOut += "<rect x=\"0\" y=\"0\" width=\"" + Num(size.cx) + "\" height=\"" + Num(size.cy) + "\" fill=\"" +
              ColorText(*FOptions.Background) + "\"/>\n";
    FOut += "<g shape-rendering=\"crispEdges\">\n";
    const auto& prims = canvas.Primitives();
    for (std::size_t i = 0; i < prims.size(); ++i) {
      for (std::size_t k = 0; k < FOptions.Clips.size(); ++k)
        if (FOptions.Clips[k].First == i && FOptions.Clips[k].Last > i) OpenClip(k);
      Emit(prims[i]);
      for (const TClipRun& run : FOptions.Clips)
        if (run.Last == i + 1 && run.First <= i) FOut += "</g>\n";
    }
    FOut += "</g>\n</svg>\n";
    return std::move(FOut);
  }

 private:
  static TSize Extent(const TRecordingCanvas& canvas) {
    std::int64_t w = 1, h = 1;
    const auto grow = [&](std::int64_t x, std::int64_t y) {
      w = std::max(w, x);
      h = std::max(h, y);
    };
    for (const TPrimitive& p : canvas.Primitives()) {
      // The radial points of an arc give directions only.
      if (p.Kind != TPrimitiveKind::pkArc)
        for (TPoint pt : p.Points) grow(std::int64_t(pt.x) + 1, std::int64_t(pt.y) + 1);
      if (p.Kind != TPrimitiveKind::pkTextOut && p.Kind != TPrimitiveKind::pkSetPixel &&
          p.Kind != TPrimitiveKind::pkMoveTo && p.Kind != TPrimitiveKind::pkLineTo &&
          p.Kind != TPrimitiveKind::pkPolyline && p.Kind != TPrimitiveKind::pkPolygon &&
          p.Kind != TPrimitiveKind::pkDraw) {
        grow(std::max(p.Rect.Left, p.Rect.Right), std::max(p.Rect.Top, p.Rect.Bottom));
      }
      if (p.Kind == TPrimitiveKind::pkDraw && p.Bitmap)
        grow(std::int64_t(p.Points[0].x) + p.Bitmap->Width(), std::int64_t(p.Points[0].y) + p.Bitmap->Height());
    }
    return {std::int32_t(std::min(w, MaxAutoExtent)), std::int32_t(std::min(h, MaxAutoExtent))};
  }

  void OpenClip(std::size_t k) {
    const TBox b = Normalised(FOptions.Clips[k].Clip);
    const std::string id = "clip" + Num(double(k));
    FOut += "<clipPath id=\"" + id + "\"><rect x=\"" + Num(b.Left) + "\" y=\"" + Num(b.Top) + "\" width=\"" +
            Num(b.Right - b.Left) + "\" height=\"" + Num(b.Bottom - b.Top) + "\"/></clipPath>\n<g clip-path=\"url(#" +
            id + ")\">\n";
  }

  // Stroke attributes of a pen, or empty when the pen draws nothing.
  static std::string Stroke(const TPen& pen) {
    if (pen.Style == TPenStyle::psClear || pen.Mode == TPenMode::pmNop) return {};
    TColor color = pen.Color;
    if (pen.Mode == TPenMode::pmBlack) color = clBlack;
    if (pen.Mode == TPenMode::pmWhite) color = clWhite;
    if (pen.Mode == TPenMode::pmNotCopy) color = ~ColorToRGB(pen.Color) & 0xFFFFFF;
    const std::int32_t width = std::max(pen.Width, 1);
    std::string s = " stroke=\"" + ColorText(color) + "\" stroke-width=\"" + Num(width) + "\"";
    if (width > 1) {
      s += " stroke-linecap=\"round\" stroke-linejoin=\"round\"";
    } else {
      const char* dashes = nullptr;
      switch (pen.Style) {
        case TPenStyle::psDash: dashes = "18,6"; break;
        case TPenStyle::psDot: dashes = "3,3"; break;
        case TPenStyle::psDashDot: dashes = "9,6,3,6"; break;
        case TPenStyle::psDashDotDot: dashes = "9,3,3,3,3,3"; break;
        default: break;
      }
      if (dashes) s += std::string(" stroke-dasharray=\"") + dashes + "\"";
    }
    return s;
  }

  static std::string Fill(const TBrush& brush, const TPen& pen) {
    if (brush.Style == TBrushStyle::bsClear || pen.Mode == TPenMode::pmNop) return " fill=\"none\"";
    return " fill=\"" + ColorText(brush.Color) + "\"";
  }

  static std::string Points(const std::vector<TPoint>& points) {
    std::string s;
    for (std::size_t i = 0; i < points.size(); ++i)
{
      if (i) s += ' ';
      s += Num(points[i].x + 0.5);
      s += ',';
      s += Num(points[i].y + 0.5);
    }
    return s;
  }

  void Emit(const TPrimitive& p) {
    const TCanvasState& st = p.State;
    const std::string stroke = Stroke(st.Pen);
    switch (p.Kind) {
      case TPrimitiveKind::pkMoveTo:
        break;
      case TPrimitiveKind::pkLineTo:
        if (stroke.empty()) break;
        FOut += "<line x1=\"" + Num(p.Points[0].x + 0.5) + "\" y1=\"" + Num(p.Points[0].y + 0.5) + "\" x2=\"" +
                Num(p.Points[1].x + 0.5) + "\" y2=\"" + Num(p.Points[1].y + 0.5) + "\"" + stroke + "/>\n";
        break;
      case TPrimitiveKind::pkPolyline:
        if (stroke.empty() || p.Points.size() < 2) break;
        FOut += "<polyline points=\"" + Points(p.Points) + "\" fill=\"none\"" + stroke + "/>\n";
        break;
      case TPrimitiveKind::pkPolygon:
        if (p.Points.size() < 2) break;
        FOut += "<polygon points=\"" + Points(p.Points) + "\" fill-rule=\"evenodd\"" + Fill(st.Brush, st.Pen) +
                (stroke.empty() ? std::string(" stroke=\"none\"") : stroke) + "/>\n";
        break;
      case TPrimitiveKind::pkRectangle: {
        const TBox b = Normalised(p.Rect);
        if (b.Right - b.Left < 1 || b.Bottom - b.Top < 1) break;
        FOut += "<rect x=\"" + Num(b.Left + 0.5) + "\" y=\"" + Num(b.Top + 0.5) + "\" width=\"" +
                Num(b.Right - b.Left - 1) + "\" height=\"" + Num(b.Bottom - b.Top - 1) + "\"" + Fill(st.Brush, st.Pen) +
                (stroke.empty() ? std::string(" stroke=\"none\"") : stroke) + "/>\n";
        break;
      }
      case TPrimitiveKind::pkFillRect: {
        if (p.Rect.IsEmpty()) break;
        const TBox b = Normalised(p.Rect);
        FOut += "<rect x=\"" + Num(b.Left) + "\" y=\"" + Num(b.Top) + "\" width=\"" + Num(b.Right - b.Left) +
                "\" height=\"" + Num(b.Bottom - b.Top) + "\" fill=\"" + ColorText(st.Brush.Color) + "\"/>\n";
        break;
      }
      case TPrimitiveKind::pkFrameRect: {
        if (p.Rect.IsEmpty()) break;
        const TBox b = Normalised(p.Rect);
        FOut += "<rect x=\"" + Num(b.Left + 0.5) + "\" y=\"" + Num(b.Top + 0.5) + "\" width=\"" +
                Num(b.Right - b.Left - 1) + "\" height=\"" + Num(b.Bottom - b.Top - 1) + "\" fill=\"none\" stroke=\"" +
                ColorText(st.Brush.Color) + "\" stroke-width=\"1\"/>\n";
        break;
      }
      case TPrimitiveKind::pkEllipse: {
        const TBox b = Normalised(p.Rect);
        if (b.Right - b.Left < 1 || b.Bottom - b.Top < 1) break;
        FOut += "<ellipse cx=\"" + Num((b.Left + b.Right) / 2) + "\" cy=\"" + Num((b.Top + b.Bottom) / 2) + "\" rx=\"" +
                Num((b.Right - b.Left - 1) / 2) + "\" ry=\"" + Num((b.Bottom - b.Top - 1) / 2) + "\"" +
                Fill(st.Brush, st.Pen) + (stroke.empty() ? std::string(" stroke=\"none\"") : stroke) + "/>\n";
        break;
      }
      case TPrimitiveKind::pkArc:
        if (!stroke.empty()) EmitArc(p, stroke);
        break;
      case TPrimitiveKind::pkSetPixel:
        FOut += "<rect x=\"" + Num(p.Points[0].x) + "\" y=\"" + Num(p.Points[0].y) +
                "\" width=\"1\" height=\"1\" fill=\"" + ColorText(p.Color) + "\"/>\n";
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

  void EmitArc(const TPrimitive& p, const std::string& stroke) {
    const TBox b = Normalised(p.Rect);
    if (b.Right - b.Left < 1 || b.Bottom - b.Top < 1) return;
    const double cx = (b.Left + b.Right) / 2, cy = (b.Top + b.Bottom) / 2;
    const double rx = (b.Right - b.Left - 1) / 2, ry = (b.Bottom - b.Top - 1) / 2;
    // Angles measured counter-clockwise on the screen (y grows downwards).
    const double a0 = std::atan2(-(p.Points[0].y + 0.5 - cy), p.Points[0].x + 0.5 - cx);
    const double a1 = std::atan2(-(p.Points[1].y + 0.5 - cy), p.Points[1].x + 0.5 - cx);
    double sweep = a1 - a0;
    while (sweep <= 0) sweep += 2 * std::numbers::pi;  // equal radials: the full ellipse
    const auto at = [&](double a) { return Num(cx + rx * std::cos(a)) + "," + Num(cy - ry * std::sin(a)); };
    std::string d = std::string("M") + at(a0);
    // Sweep flag 0 runs counter-clockwise on the screen; a full turn takes two halves.
    if (sweep >= 2 * std::numbers::pi - 1e-12) {
      d += " A" + Num(rx) + "," + Num(ry) + " 0 0 0 " + at(a0 + std::numbers::pi);
      d += " A" + Num(rx) + "," + Num(ry) + " 0 0 0 " + at(a0);
    } else {
      d += " A" + Num(rx) + "," + Num(ry) + " 0 " + (sweep > std::numbers::pi ? "1" : "0") + " 0 " + at(a0 + sweep);
    }
    FOut += "<path d=\"" + d + "\" fill=\"none\"" + stroke + "/>\n";
  }

  void EmitText(const TPrimitive& p) {
    const TCanvasState& st = p.State;
    const TFont& font = st.Font;
    const TFontMetrics m = GetFontMetrics(font);
    const std::int64_t width = MeasureTextWidth(font, p.Text);
    const std::int64_t x = p.Points[0].x, y = p.Points[0].y;
    std::int64_t left = x;
    const char* anchor = "start";
    if (st.TextAlign.Horz == TTextHAlign::taCenter) {
      left = x - width / 2;
      anchor = "middle";
    } else if (st.TextAlign.Horz == TTextHAlign::taRight) {
      left = x - width;
      anchor = "end";
    }
    std::int64_t top = y;
    if (st.TextAlign.Vert == TTextVAlign::taBaseline) top = y - m.Ascent;
    if (st.TextAlign.Vert == TTextVAlign::taBottom) top = y - m.Height;
    if (st.Brush.Style == TBrushStyle::bsSolid && width > 0)
      FOut += "<rect x=\"" + Num(double(left)) + "\" y=\"" + Num(double(top)) + "\" width=\"" + Num(double(width)) +
              "\" height=\"" + Num(m.Height) + "\" fill=\"" + ColorText(st.Brush.Color) + "\"/>\n";
    if (p.Text.empty()) return;
    std::string family;
    for (char c : font.Name)
      if (c != '\'' && c != '"' && c != ',' && c != ';' && c != '\\' && std::uint8_t(c) >= 0x20) family += c;
    FOut += "<text x=\"" + Num(double(x)) + "\" y=\"" + Num(double(top + m.Ascent)) + "\" text-anchor=\"" + anchor +
            "\" font-family=\"" + EscapeXml(family.empty() ? std::string("sans-serif") : "'" + family + "', sans-serif") +
            "\" font-size=\"" + Num(std::clamp(font.PixelSize(), 1, 2048)) + "px\"";
    if (font.Style.Contains(TFontStyle::fsBold)) FOut += " font-weight=\"bold\"";
    if (font.Style.Contains(TFontStyle::fsItalic)) FOut += " font-style=\"italic\"";
    const bool under = font.Style.Contains(TFontStyle::fsUnderline);
    const bool strike = font.Style.Contains(TFontStyle::fsStrikeOut);
    if (under || strike)
      FOut += std::string(" text-decoration=\"") + (under ? "underline" : "") + (under && strike ? " " : "") +
              (strike ? "line-through" : "") + "\"";
    FOut += " fill=\"" + ColorText(font.Color) + "\" xml:space=\"preserve\">" + EscapeXml(p.Text) + "</text>\n";
  }

  // The bitmap scaled into the box; with a source rectangle only that part of
  // it (relative to the bitmap) fills the box.
  void EmitImage(const TBitmap& bmp, double x, double y, double w, double h, const TRect* source) {
    if (w <= 0 || h <= 0) return;
    if (bmp.Width() <= 0 || bmp.Height() <= 0) {
      FOut += "<!-- empty bitmap -->\n";
      return;
    }
    if (!FOptions.EmbedBitmaps) {
      FOut += "<!-- bitmap " + Num(bmp.Width()) + "x" + Num(bmp.Height()) + " at " + Num(x) + "," + Num(y) + " -->\n";
      return;
    }
    const std::string image = "<image x=\"0\" y=\"0\" width=\"" + Num(bmp.Width()) + "\" height=\"" +
                              Num(bmp.Height()) +
                              "\" preserveAspectRatio=\"none\" image-rendering=\"pixelated\" xlink:href=\"data:image/png;base64," +
                              Base64(detail::EncodePng(bmp)) + "\"/>";
    const TBox src = source ? Normalised(*source) : TBox{0, 0, double(bmp.Width()), double(bmp.Height())};
    if (src.Right - src.Left <= 0 || src.Bottom - src.Top <= 0) return;
    FOut += "<svg x=\"" + Num(x) + "\" y=\"" + Num(y) + "\" width=\"" + Num(w) + "\" height=\"" + Num(h) +
            "\" viewBox=\"" + Num(src.Left) + " " + Num(src.Top) + " " + Num(src.Right - src.Left) + " " +
            Num(src.Bottom - src.Top) + "\" preserveAspectRatio=\"none\">" + image + "</svg>\n";
  }

  const TSvgOptions& FOptions;
  std::string FOut;
};

}  // namespace

std::string RecordingToSvg(const TRecordingCanvas& canvas, const TSvgOptions& options) {
  return TSvgBuilder(options).Build(canvas);
}

void SaveRecordingToSvg(const TRecordingCanvas& canvas, const std::string& fileName, const TSvgOptions& options) {
  const std::string svg = RecordingToSvg(canvas, options);
  WriteFileReplacing(fileName, reinterpret_cast<const std::uint8_t*>(svg.data()), svg.size(), "SVG file");
}

}  // namespace mivo
