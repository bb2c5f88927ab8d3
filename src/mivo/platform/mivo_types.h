#pragma once
// Value types shared by every module: colours, pixel points and rectangles,
// small bit sets, and the one safe real-to-pixel rounding helper.

#include <cmath>
#include <cstdint>
#include <limits>

#include "mivo/platform/export.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

// A colour as one 32-bit value, $00BBGGRR: red in the low byte, then green,
// then blue; the top byte is 0 for a plain colour. This is the reverse of
// Qt's QRgb and of HTML's #RRGGBB, so pure red is 0x000000FF, not 0xFF0000:
// build colours with RGBToColor(r, g, b) (or RGB) and take them apart with
// GetRValue / GetGValue / GetBValue or ColorToRGBA (colors.h). A top byte of
// $FF names a system colour (clBtnFace ...), resolved through the active
// colour table by ColorToRGB.
using TColor = std::uint32_t;

// One pixel of a 32-bit bitmap, in memory order; also a colour's components.
struct TRGB32 {
  std::uint8_t B = 0;
  std::uint8_t G = 0;
  std::uint8_t R = 0;
  std::uint8_t A = 0;
  friend bool operator==(const TRGB32&, const TRGB32&) = default;
};
static_assert(sizeof(TRGB32) == 4);

struct TPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  std::int32_t cx = 0;
  std::int32_t cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

// Right and Bottom are exclusive, as on the classic desktop platform.
struct TRect {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;
  std::int64_t Width() const { return std::int64_t(Right) - Left; }
  std::int64_t Height() const { return std::int64_t(Bottom) - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect Rect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) { return {l, t, r, b}; }

// A set of enumeration members stored as bits (Pascal's "set of").
template <typename E>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> items) {
    for (E e : items) Include(e);
  }
  constexpr bool Contains(E e) const { return (FBits >> Bit(e)) & 1u; }
  constexpr TSet& Include(E e) { FBits |= 1ull << Bit(e); return *this; }
  constexpr TSet& Exclude(E e) { FBits &= ~(1ull << Bit(e)); return *this; }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr std::uint64_t Bits() const { return FBits; }
  static constexpr TSet FromBits(std::uint64_t bits) { TSet s; s.FBits = bits; return s; }
  friend constexpr bool operator==(const TSet&, const TSet&) = default;
  friend constexpr TSet operator+(TSet a, TSet b) { a.FBits |= b.FBits; return a; }
  friend constexpr TSet operator-(TSet a, TSet b) { a.FBits &= ~b.FBits; return a; }
  friend constexpr TSet operator*(TSet a, TSet b) { a.FBits &= b.FBits; return a; }

 private:
  static constexpr unsigned Bit(E e) { return static_cast<unsigned>(e); }
  std::uint64_t FBits = 0;
};

// Round half to even under the default rounding mode, clamped to the 32-bit
// range; NaN maps to `nanValue`. Every real-to-pixel conversion goes through
// here: a raw cast of NaN or of a huge double to int is undefined behaviour.
inline std::int32_t RoundToInt(double x, std::int32_t nanValue = 0) {
  if (std::isnan(x)) return nanValue;
  double r = std::nearbyint(x);
  if (r >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
  if (r <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(r);
}

// Truncation toward zero with the same clamping and NaN handling.
inline std::int32_t TruncToInt(double x, std::int32_t nanValue = 0) {
  if (std::isnan(x)) return nanValue;
  double r = std::trunc(x);
  if (r >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
  if (r <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(r);
}

// 64-bit variants for intermediate arithmetic (counts, loop bounds).
inline std::int64_t TruncToInt64(double x, std::int64_t nanValue = 0) {
  if (std::isnan(x)) return nanValue;
  double r = std::trunc(x);
  if (r >= 9.2233720368547748e18) return std::numeric_limits<std::int64_t>::max();
  if (r <= -9.2233720368547758e18) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(r);
}

}  // namespace mivo
MIVO_PUBLIC_END
