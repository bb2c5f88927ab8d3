#pragma once
// Private machinery of the raster canvas: pixel operations, the two pixel
// sinks every primitive draws through, and the scratch storage reused across
// primitives. Not included outside the platform module.
//
// Pipeline of every primitive: geometry -> clip (64/128-bit) -> spans or
// pixels -> sink. A sink applies one of two raster operations (slot 0: pen,
// slot 1: brush) to surface pixels:
//   - TDirectSink writes at once; used when the operations are idempotent
//     (copy, merge, mask, black, white ...), where touching a pixel twice is
//     the same as touching it once;
//   - TMaskSink records which slot touched each pixel last in a surface-sized
//     byte mask and applies the operations in one pass at the end; used for
//     the involutions (XOR, NOT, NOT XOR), so every pixel changes at most once
//     per primitive even where a polyline crosses itself.

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/pixel_fill_internal.h"

namespace mivo::detail {

using i128 = __int128;

// The four bytes of a TRGB32 read as one little-endian word: 0xAARRGGBB.
inline std::uint32_t Load32(const TRGB32* p) { return std::bit_cast<std::uint32_t>(*p); }
inline void Store32(TRGB32* p, std::uint32_t v) { *p = std::bit_cast<TRGB32>(v); }

// TColor ($00BBGGRR, already resolved) to the pixel word (alpha 0).
inline std::uint32_t PackRGB(TColor rgb) {
  return ((rgb & 0xFFu) << 16) | (rgb & 0xFF00u) | ((rgb >> 16) & 0xFFu);
}

// ColorToRGB without the call for plain colours.
inline TColor ResolveColor(TColor c) { return (c >> 24) == 0xFF ? ColorToRGB(c) : (c & 0x00FFFFFFu); }

// Every raster operation of the pen is pixel := (pixel and A) xor X.
struct TPixelOp {
  std::uint32_t A = 0;
  std::uint32_t X = 0;
  std::uint32_t Apply(std::uint32_t p) const { return (p & A) ^ X; }
  // Touching a pixel twice equals touching it once.
  bool Idempotent() const { return (A & X) == 0; }
  // The pixel is left as it is.
  bool IsNop() const { return A == 0xFFFFFFFFu && X == 0; }
};

TPixelOp MakePixelOp(TPenMode mode, TColor color);

// One polygon edge, stepped row by row: at row y its crossing starts the
// pixels px >= Q + 1 (see raster_fill.cpp).
struct TPolyEdge {
  std::int32_t Y1;      // last row (clipped to the surface)
  std::int64_t Q, R;    // floor and remainder of the crossing numerator
  std::int64_t QStep, RStep, Den;
};

// Scratch storage owned by the canvas, grown on demand and never shrunk.
struct TRasterScratch {
  std::vector<std::uint8_t> Mask;       // one byte per surface pixel: 0 or 1 + slot
  std::vector<std::int32_t> RowMin;     // per row: first touched column (or INT32_MAX)
  std::vector<std::int32_t> RowMax;     // per row: last touched column (or -1)
  std::int32_t MaskW = 0, MaskH = 0;
  std::vector<TPolyEdge> Edges;         // polygon edge table, ordered by first row
  std::vector<std::size_t> RowStart;    // per row of a polygon: where its edges end in Edges
  std::vector<TPolyEdge> Active;        // edges crossing the row, compact, stepped to the next row
  std::vector<std::uint64_t> Crossings; // bit per column of a row: odd number of crossings (0 between rows)
  std::vector<std::int32_t> Index;      // column map of stretched copies
  std::vector<TRGB32> Pixels;           // copy of a source that is the target itself
  std::vector<TPoint> Points;           // ellipse outlines in curve order
  std::vector<std::uint8_t> Flags;      // per outline pixel: on the arc
};

// Writes immediately.
struct TDirectSink {
  TRGB32* Base;
  std::int32_t Stride;
  TPixelOp Op[2];
  void Pixel(std::int32_t x, std::int32_t y, int slot) const {
    TRGB32* p = Base + std::size_t(y) * std::size_t(Stride) + std::size_t(x);
    Store32(p, Op[slot].Apply(Load32(p)));
  }
  // Columns [x0, x1) of row y; the caller has clipped them.
  void Span(std::int32_t y, std::int32_t x0, std::int32_t x1, int slot) const {
    TRGB32* p = Base + std::size_t(y) * std::size_t(Stride);
    const TPixelOp op = Op[slot];
    if (op.A == 0) {
      FillPixels(p + x0, std::size_t(x1 - x0), std::bit_cast<TRGB32>(op.X));
    } else {
      for (std::int32_t x = x0; x < x1; ++x) Store32(p + x, op.Apply(Load32(p + x)));
    }
  }
};

// Copy-like operations on both slots (pixel := X): plain stores.
struct TCopySink {
  TRGB32* Base;
  std::int32_t Stride;
  TRGB32 C[2];
  void Pixel(std::int32_t x, std::int32_t y, int slot) const {
    Base[std::size_t(y) * std::size_t(Stride) + std::size_t(x)] = C[slot];
  }
  void Span(std::int32_t y, std::int32_t x0, std::int32_t x1, int slot) const {
    TRGB32* p = Base + std::size_t(y) * std::size_t(Stride);
    FillPixels(p + x0, std::size_t(x1 - x0), C[slot]);
  }
};

// Collects, then applies once per pixel (last slot wins).
struct TMaskSink {
  TRasterScratch* S;
  TRGB32* Base;
  std::int32_t Stride;
  TPixelOp Op[2];
  std::int32_t YMin = INT32_MAX, YMax = -1;
  void Touch(std::int32_t y, std::int32_t x0, std::int32_t x1) {
    S->RowMin[y] = std::min(S->RowMin[y], x0);
    S->RowMax[y] = std::max(S->RowMax[y], x1);
    YMin = std::min(YMin, y);
    YMax = std::max(YMax, y);
  }
  void Pixel(std::int32_t x, std::int32_t y, int slot) {
    S->Mask[std::size_t(y) * std::size_t(Stride) + std::size_t(x)] = std::uint8_t(1 + slot);
    Touch(y, x, x);
  }
  void Span(std::int32_t y, std::int32_t x0, std::int32_t x1, int slot) {
    if (x1 <= x0) return;
    std::memset(S->Mask.data() + std::size_t(y) * std::size_t(Stride) + std::size_t(x0), 1 + slot,
                std::size_t(x1 - x0));
    Touch(y, x0, x1 - 1);
  }
  // Applies the collected pixels and leaves the mask clean.
  void Flush() {
    for (std::int32_t y = YMin; y <= YMax; ++y) {
      std::int32_t x0 = S->RowMin[y], x1 = S->RowMax[y];
      if (x1 < x0) continue;
      std::uint8_t* m = S->Mask.data() + std::size_t(y) * std::size_t(Stride);
      TRGB32* p = Base + std::size_t(y) * std::size_t(Stride);
      for (std::int32_t x = x0; x <= x1; ++x) {
        if (m[x]) {
          Store32(p + x, Op[m[x] - 1].Apply(Load32(p + x)));
          m[x] = 0;
        }
      }
      S->RowMin[y] = INT32_MAX;
      S->RowMax[y] = -1;
    }
    YMin = INT32_MAX;
    YMax = -1;
  }
};

// Runs `draw(sink)` with the sink the two operations need.
template <typename F>
void WithSink(TBitmap& bmp, TRasterScratch& s, const TPixelOp& pen, const TPixelOp& brush, F&& draw) {
  const std::int32_t w = bmp.Width(), h = bmp.Height();
  if (w <= 0 || h <= 0) return;
  if (pen.A == 0 && brush.A == 0) {
    TCopySink sink{bmp.Data(), w, {std::bit_cast<TRGB32>(pen.X), std::bit_cast<TRGB32>(brush.X)}};
    draw(sink);
    return;
  }
  if (pen.Idempotent() && brush.Idempotent()) {
    TDirectSink sink{bmp.Data(), w, {pen, brush}};
    draw(sink);
    return;
  }
  if (s.MaskW != w || s.MaskH != h) {
    s.Mask.assign(std::size_t(w) * std::size_t(h), 0);
    s.RowMin.assign(std::size_t(h), INT32_MAX);
    s.RowMax.assign(std::size_t(h), -1);
    s.MaskW = w;
    s.MaskH = h;
  }
  TMaskSink sink{&s, bmp.Data(), w, {pen, brush}};
  draw(sink);
  sink.Flush();
}

// ---- geometry helpers shared by the primitive files ------------------------

// floor(a / b) for b > 0.
inline std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  if ((a % b) != 0 && (a < 0)) --q;
  return q;
}
inline i128 FloorDiv128(i128 a, i128 b) {
  i128 q = a / b;
  if ((a % b) != 0 && ((a < 0) != (b < 0))) --q;
  return q;
}
inline i128 CeilDiv128(i128 a, i128 b) { return -FloorDiv128(-a, b); }

inline std::int64_t Clamp64(i128 v, std::int64_t lo, std::int64_t hi) {
  if (v < lo) return lo;
  if (v > hi) return hi;
  return std::int64_t(v);
}

// Dash patterns: on/off pixel counts, starting with "on".
struct TDashPattern {
  std::int32_t Runs[6] = {};
  std::int32_t Count = 0;   // 0: solid
  std::int32_t Period = 0;
  // Whether position `pos` (0 <= pos < Period) is "on".
  bool On(std::int64_t pos) const {
    for (std::int32_t i = 0; i < Count; ++i) {
      if (pos < Runs[i]) return (i & 1) == 0;
      pos -= Runs[i];
    }
    return false;
  }
};
TDashPattern DashPatternOf(TPenStyle style);

// How the pen of a primitive draws: style resolved against the width.
struct TResolvedPen {
  std::int32_t Width = 1;   // >= 1
  bool Clear = false;       // psClear: no outline at all
  bool Wide = false;        // width > 1: solid, round ends and joins
  TDashPattern Dash;        // for width 1
  bool GapsInBrush = false; // dash gaps painted with slot 1
};

}  // namespace mivo::detail
