#pragma once
// Private to the item renderer: the painter that keeps track of the canvas
// state and turns line-to chains into polylines, the duplicate-mark grid, and
// the drawing routines of the item kinds (rchart_items_shapes.cpp).

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "mivo/base/marks.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/pixel_stamp.h"
#include "mivo/rchart/rchart_internal.h"
#include "mivo/rchart/rchart_types.h"

namespace mivo::detail {

// Mapped item coordinates are limited to this many pixels either way.
inline constexpr std::int32_t kItemPixelLimit = 30000;
// Widest pen whose chain steps are culled; the cull rectangle reaches this
// far beyond the data area (and a little more).
inline constexpr std::int32_t kCullPenWidth = 255;
// Points per polyline call.
inline constexpr std::size_t kPolyBatch = 200;

inline std::int32_t ClampItemPixel(std::int64_t p) {
  return std::int32_t(std::clamp<std::int64_t>(p, -kItemPixelLimit, kItemPixelLimit));
}

// The canvas state as the renderer last set it, and the line-to chain being
// built. Chains go out as polylines of up to kPolyBatch points, each batch
// starting at the last point of the one before.
//
// On a raster canvas a chain drawn with a thin solid pen is reduced first:
// zero-length steps are dropped, and a run of consecutive points in one pixel
// column becomes at most four points (first, the two extremes, last). Thin
// lines there leave out their end pixel and a step of length zero draws
// nothing, so the pixels of a run are [lo, hi] of all its points but the last,
// plus the pixels from there towards the last point; the reduced walk keeps
// lo, hi and the last point, hence exactly the same pixels. A recording at
// the screen's pixels (a vector document of the chart) is reduced the same
// way; other canvases (unbounded recordings, printing) get every point.
//
// With a cull rectangle (vector documents), a solid chain step with both ends
// beyond one side of it is left out: the chain breaks there and goes on from
// the step's end, so the steps that can be seen keep their joins.
class TItemPainter {
 public:
  TItemPainter(TCanvas& canvas, TPoint start, bool reduceChains);
  // Leaves out solid chain steps wholly beyond one side of `r`.
  void SetCullRect(TRect r) {
    FCull = r;
    FCulling = true;
  }

  void Init(std::int32_t width, TColor color);

  // Draws what is pending of the chain; the chain's last point becomes the
  // current position and the canvas pen goes there.
  void Flush();
  // Adds a chain point.
  void Append(TPoint p);
  // Flushes and moves the current position and the canvas pen.
  void MoveTo(TPoint p);
  TPoint Current() const { return FCurrent; }

  void SetPen(TColor color, TPenStyle style);
  void SetBrushColor(TColor color);
  void SetBrushStyle(TBrushStyle style);
  void SetPenWidth(std::int32_t w);
  void SetFont(TColor color, TFontStyles style, std::int32_t points);
  bool PenDiffers(TColor color, TPenStyle style, TColor brush) const {
    return color != FPenColor || style != FPenStyle || brush != FBrushColor;
  }
  std::int32_t PenWidth() const { return FPenWidth; }
  TCanvas& Canvas() { return FCanvas; }
  // Whether chain points are reduced per pixel column with the pen as set now.
  bool Reducing() const {
    return FReduceChains && FPenWidth <= 1 && FPenStyle == TPenStyle::psSolid && FCanvas.Pen.Mode == TPenMode::pmCopy;
  }

 private:
  // Adds a point to the polyline buffer.
  void Emit(TPoint p);
  // Adds a point unless it repeats the last one emitted (reduced chains only).
  void EmitDistinct(TPoint p);
  void EmitRun();
  void DrawBuffer();

  // True when the step a -> b lies wholly beyond one side of the cull rectangle.
  bool Culled(TPoint a, TPoint b) const {
    if (!FCulling || FPenStyle != TPenStyle::psSolid || FPenWidth > kCullPenWidth) return false;
    return (a.x < FCull.Left && b.x < FCull.Left) || (a.x > FCull.Right && b.x > FCull.Right) ||
           (a.y < FCull.Top && b.y < FCull.Top) || (a.y > FCull.Bottom && b.y > FCull.Bottom);
  }

  TCanvas& FCanvas;
  TPoint FCurrent;
  bool FReduceChains;
  bool FCulling = false;
  TRect FCull;
  std::array<TPoint, kPolyBatch> FPoly{};
  std::size_t FCount = 0;
  // The column run of a reduced chain: points y0 ... yn at column FRunX;
  // FRunLo and FRunHi span y0 ... y(n-1) (valid for n >= 1).
  bool FRunActive = false;
  bool FRunSingle = true;  // n = 0
  std::int32_t FRunX = 0, FRunFirst = 0, FRunLo = 0, FRunHi = 0, FRunLast = 0;
  bool FChainOpen = false;

  TColor FPenColor = 0, FBrushColor = 0;
  TPenStyle FPenStyle = TPenStyle::psSolid;
  std::int32_t FPenWidth = 1;
  bool FFontSet = false;
  TColor FFontColor = 0;
  TFontStyles FFontStyle;
  std::int32_t FFontPoints = 0;
};

// Which mark type was last drawn over each pixel of the data area (plus a
// border of d pixels), for AvoidDuplicateMarks. Allocated once per rendering;
// a data area too large for the cell limit renders without the test.
class TDupMarkGrid {
 public:
  static constexpr std::int64_t kMaxCells = std::int64_t(1) << 24;

  TDupMarkGrid() = default;
  // Covers columns left - d ... left + width - 1 + d and the rows alike.
  void Allocate(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height, std::int32_t d);
  bool Active() const { return !FCells.empty(); }
  // False when a mark of this type already covers the pixel; otherwise marks
  // the square of d pixels around it and gives true.
  bool Admit(TPoint chartPixel, std::uint8_t kind);

 private:
  std::vector<std::int16_t> FCells;
  std::int64_t FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  std::int32_t FD = 1;
};

// The stamps of the mark kinds for the marks of one drawing state on a
// bitmap, each recorded when the run first draws its kind. Kept by the chart,
// so that their buffers grow once and not on every paint.
class TMarkStamps {
 public:
  // Forgets the stamps of the run before (its pen or brush may differ).
  void NewRun() { ++FRun; }
  // The stamp of `kind` (0 ... 51) drawn with the pen and brush of `canvas`.
  const TPixelStamp& For(std::uint8_t kind, const TCanvas& canvas);

 private:
  std::array<TPixelStamp, kMaxMarkKind + 1> FStamps;
  std::array<std::uint64_t, kMaxMarkKind + 1> FRecorded{};  // the run each was recorded in
  std::uint64_t FRun = 1;
};

// Colours of one item: V for pens, text and points, F for fills.
struct TItemInk {
  TColor V = 0;
  TColor F = 0;
};

// Settings of the chart that text items read at render time.
struct TItemTextStyle {
  TFontStyles FontStyle;
  TTextBkg BkStyle = TTextBkg::tbClear;
  TColor BkColor = 0;
};

// Drawing routines by kind. Points are canvas pixels, already clamped; `ink`
// holds the colours after the monochrome switch.
void DrawRectItem(TItemPainter& p, const TrcChartItem& it, TPoint a, TPoint b, TItemInk ink, bool ellipse);
void DrawArcItem(TItemPainter& p, const TrcChartItem& it, TPoint a, TPoint b, TColor v);
void DrawBar3DItem(TItemPainter& p, const TrcChartItem& it, TPoint a, TPoint b, TItemInk ink);
void DrawArrowItem(TItemPainter& p, const TrcChartItem& it, TPoint tail, TPoint tip, TItemInk ink);
void DrawRectFrameItem(TItemPainter& p, const TrcChartItem& it, TPoint a, TPoint b, TItemInk ink);
void DrawTextItem(TItemPainter& p, const TrcChartItem& it, TPoint anchor, TColor v, const TItemTextStyle& style);
// Segment or, when both ends meet, one pixel in v (pen already set).
void DrawSegment(TCanvas& canvas, TPoint a, TPoint b, TColor v);

// The item text as UTF-8 in `out` (at least 3 bytes per character); gives the
// number of bytes written.
std::size_t ItemTextToUtf8(const TrcItemText& text, char* out);

}  // namespace mivo::detail
