#pragma once
// TCanvas: the drawing surface every component paints on.
//
// Plain-data state (Pen, Brush, Font, PenPos, CopyMode, TextAlign) and virtual
// primitives with the pixel rules of the classic desktop GDI, because the
// components' pixel arithmetic relies on them:
//   - integer pixels, origin top-left, y down; everything is clipped to the
//     surface, and coordinates anywhere in the 32-bit range are accepted;
//   - LineTo and Polyline leave out the last pixel;
//   - Rectangle, Ellipse and FillRect leave out the right column and the bottom
//     row of the given box (a box from (0,0) to (3,3) covers 3 x 3 pixels);
//   - Polygon fills with the alternate (even-odd) rule with the brush, then
//     outlines with the pen (closed);
//   - Arc draws counter-clockwise on the screen from the radial through the
//     start point to the radial through the end point;
//   - pens wider than 1 are solid with round ends and joins; styled pens of
//     width <= 1 use the dash patterns (on/off pixels) dash 18/6, dot 3/3,
//     dash-dot 9/6/3/6, dash-dot-dot 9/3/3/3/3/3; with a solid brush the gaps
//     are painted in the brush colour, with a clear brush they are left alone;
//   - pen mode XOR sets every touched pixel to pixel xor pen colour (each pixel
//     at most once per primitive), so drawing a figure twice restores the image;
//     pen modes apply to pen and brush drawing, never to text or bitmap copies;
//   - CopyRect honours the copy, AND, OR and XOR copy modes.
// With Antialiased set (or inside a TAntialiasScope) a canvas that can draws
// lines, polylines, arcs, ellipses and polygons with coverage-based edges on
// the same geometry; the rules above are then those of the exact mode.
// Colours with a top byte of $FF are system colours, resolved by ColorToRGB.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "mivo/platform/export.h"
#include "mivo/platform/mivo_types.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

class TBitmap;

enum class TPenStyle : std::uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

// Binary raster operations of the pen (and of brush fills drawn with it).
enum class TPenMode : std::uint8_t {
  pmCopy,     // pixel := pen
  pmXor,      // pixel := pixel xor pen
  pmNot,      // pixel := not pixel
  pmNotCopy,  // pixel := not pen
  pmMerge,    // pixel := pixel or pen
  pmMask,     // pixel := pixel and pen
  pmNotXor,   // pixel := not (pixel xor pen)
  pmBlack,    // pixel := black
  pmWhite,    // pixel := white
  pmNop,      // unchanged
};

enum class TBrushStyle : std::uint8_t { bsSolid, bsClear };

// Raster operations of CopyRect, Draw and StretchDraw.
enum class TCopyMode : std::uint8_t {
  cmSrcCopy,    // dest := src
  cmSrcAnd,     // dest := dest and src
  cmSrcPaint,   // dest := dest or src
  cmSrcInvert,  // dest := dest xor src
};

enum class TFontStyle : std::uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

struct TPen {
  TColor Color = 0x000000;
  std::int32_t Width = 1;  // 0 draws like 1
  TPenStyle Style = TPenStyle::psSolid;
  TPenMode Mode = TPenMode::pmCopy;
  friend bool operator==(const TPen&, const TPen&) = default;
};

struct TBrush {
  TColor Color = 0xFFFFFF;
  TBrushStyle Style = TBrushStyle::bsSolid;
  friend bool operator==(const TBrush&, const TBrush&) = default;
};

struct TFont {
  std::string Name = "DejaVu Sans";
  std::int32_t Size = 8;  // points; pixels = Size * PixelsPerInch / 72
  TFontStyles Style;
  TColor Color = 0x000000;
  std::int32_t PixelsPerInch = 96;
  // Em size in pixels, rounded.
  std::int32_t PixelSize() const;
  friend bool operator==(const TFont&, const TFont&) = default;
};

// Where TextOut's point lies on the text cell (SetTextAlign).
enum class TTextHAlign : std::uint8_t { taLeft, taCenter, taRight };
enum class TTextVAlign : std::uint8_t { taTop, taBaseline, taBottom };
struct TTextAlign {
  TTextHAlign Horz = TTextHAlign::taLeft;
  TTextVAlign Vert = TTextVAlign::taTop;
  friend bool operator==(const TTextAlign&, const TTextAlign&) = default;
};

class TCanvas {
 public:
  TPen Pen;
  TBrush Brush;
  TFont Font;
  TPoint PenPos;
  TCopyMode CopyMode = TCopyMode::cmSrcCopy;
  TTextAlign TextAlign;
  // Coverage-based edges for lines, polylines, arcs, ellipses and polygons
  // drawn with the copy-like pen modes (copy, not-copy, black, white); the
  // other modes, rectangles and text draw as always. Canvases that cannot
  // blend (recordings keep geometry, not pixels) ignore it.
  bool Antialiased = false;

  TCanvas() = default;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;
  virtual ~TCanvas() = default;

  // Moves the pen without drawing.
  virtual void MoveTo(std::int32_t x, std::int32_t y);
  // Line from PenPos to (x, y) without its last pixel; PenPos becomes (x, y).
  virtual void LineTo(std::int32_t x, std::int32_t y) = 0;
  // Connected lines; the very last point is left out, inner joints are drawn
  // once. PenPos is not changed (as on the desktop platform).
  virtual void Polyline(std::span<const TPoint> points) = 0;
  // Closed polygon: alternate-rule fill with the brush, outline with the pen.
  virtual void Polygon(std::span<const TPoint> points) = 0;
  // Box outline with the pen, interior with the brush; right column and
  // bottom row left out. Corners may be given in any order.
  virtual void Rectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) = 0;
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  // Fills [Left, Right) x [Top, Bottom) with the brush (copy mode, no pen).
  virtual void FillRect(const TRect& r) = 0;
  // Outline of the rectangle in the brush colour, one pixel wide.
  virtual void FrameRect(const TRect& r) = 0;
  // Ellipse inscribed in the box, same box rule as Rectangle.
  virtual void Ellipse(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) = 0;
  // Arc of the ellipse inscribed in (x1,y1)-(x2,y2), counter-clockwise from the
  // radial through (x3,y3) to the radial through (x4,y4). Equal radials draw
  // the full ellipse.
  virtual void Arc(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::int32_t x3,
                   std::int32_t y3, std::int32_t x4, std::int32_t y4) = 0;

  // Pixel colour (RGB); off-surface reads give 0 (a recording canvas gives 0).
  virtual TColor Pixel(std::int32_t x, std::int32_t y) const = 0;
  // Sets one pixel in copy mode; off-surface writes are ignored.
  virtual void SetPixel(std::int32_t x, std::int32_t y, TColor c) = 0;

  // Antialiased text in Font.Color at (x, y) placed by TextAlign. With a solid
  // brush the text cell (TextWidth x TextHeight) is first painted in the brush
  // colour. PenPos is unchanged. Text is UTF-8.
  virtual void TextOut(std::int32_t x, std::int32_t y, std::string_view text) = 0;
  // Advance width of the text in pixels; full cell height of the font.
  virtual std::int32_t TextWidth(std::string_view text);
  virtual std::int32_t TextHeight(std::string_view text);
  TSize TextExtent(std::string_view text) { return {TextWidth(text), TextHeight(text)}; }

  // Bitmap copies. They ignore the pen mode; CopyRect and Draw honour CopyMode.
  virtual void Draw(std::int32_t x, std::int32_t y, const TBitmap& src) = 0;
  virtual void StretchDraw(const TRect& dest, const TBitmap& src) = 0;
  virtual void CopyRect(const TRect& dest, const TBitmap& src, const TRect& srcRect) = 0;

  // Device capabilities.
  virtual std::int32_t PixelsPerInch() const { return 96; }
  // Horizontal : vertical pixel aspect (the desktop's ASPECTX / ASPECTY).
  virtual std::int32_t AspectX() const { return 36; }
  virtual std::int32_t AspectY() const { return 36; }
  virtual bool IsPrinter() const { return false; }
  // Size of the drawing surface (0 x 0 when unbounded, as a recording canvas).
  virtual TSize SurfaceSize() const = 0;
};

// While one is alive, the canvases of this thread draw as if Antialiased were
// `on`, whatever their own setting says (a component paints inside one, so the
// bitmaps it draws on follow its Antialiased property). Scopes nest; each
// gives back the setting it found.
class TAntialiasScope {
 public:
  explicit TAntialiasScope(bool on);
  ~TAntialiasScope();
  TAntialiasScope(const TAntialiasScope&) = delete;
  TAntialiasScope& operator=(const TAntialiasScope&) = delete;
  // The setting of the innermost scope: -1 none, 0 off, 1 on.
  static int Current();

 private:
  int FSaved;
};

// Whether a canvas with this Antialiased setting draws antialiased now.
inline bool AntialiasedNow(bool canvasSetting) {
  const int scope = TAntialiasScope::Current();
  return scope < 0 ? canvasSetting : scope > 0;
}

}  // namespace mivo
MIVO_PUBLIC_END
