#pragma once
// Runs of one pixel value at the speed of memory. TRGB32 is four separate
// bytes, so std::fill over it stores a byte at a time (a 1000 x 700 clear took
// ten times as long as memset); these store whole words.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "mivo/platform/mivo_types.h"

namespace mivo::detail {

// Below this many pixels a plain loop beats the start-up cost of a string store.
inline constexpr std::size_t kStringStoreMinPixels = 512;

// Copies n pixels from src to dst (not overlapping). Runs of up to 16 pixels
// (marks, outlines) are two copies that may overlap: no loop whose trip count
// the processor would have to guess per run.
inline void CopyPixels(TRGB32* dst, const TRGB32* src, std::size_t n) {
  unsigned char* d = reinterpret_cast<unsigned char*>(dst);
  const unsigned char* s = reinterpret_cast<const unsigned char*>(src);
  unsigned char head[32], tail[32];
  if (n >= 8 && n <= 16) {
    std::memcpy(head, s, 32);
    std::memcpy(tail, s + 4 * n - 32, 32);
    std::memcpy(d, head, 32);
    std::memcpy(d + 4 * n - 32, tail, 32);
  } else if (n >= 4 && n < 8) {
    std::memcpy(head, s, 16);
    std::memcpy(tail, s + 4 * n - 16, 16);
    std::memcpy(d, head, 16);
    std::memcpy(d + 4 * n - 16, tail, 16);
  } else if (n >= 2 && n < 4) {
    std::memcpy(head, s, 8);
    std::memcpy(tail, s + 4 * n - 8, 8);
    std::memcpy(d, head, 8);
    std::memcpy(d + 4 * n - 8, tail, 8);
  } else if (n == 1) {
    std::memcpy(d, s, 4);
  } else if (n > 16) {
    std::memcpy(d, s, 4 * n);
  }
}

inline void FillPixels(TRGB32* p, std::size_t n, TRGB32 c) {
  std::uint32_t v = std::bit_cast<std::uint32_t>(c);
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
  if (n >= kStringStoreMinPixels) {
    // rep stosd: the processor's own fill, as fast as memset.
    asm volatile("rep stosl" : "+D"(p), "+c"(n) : "a"(v) : "memory");
    return;
  }
#endif
  const TRGB32 block[16] = {c, c, c, c, c, c, c, c, c, c, c, c, c, c, c, c};
  if (n <= 16) {
    CopyPixels(p, block, n);
    return;
  }
  unsigned char* b = reinterpret_cast<unsigned char*>(p);
  std::size_t i = 0;
  for (; n - i >= 8; i += 8) std::memcpy(b + 4 * i, block, 32);
  for (; i < n; ++i) std::memcpy(b + 4 * i, &v, 4);
}

}  // namespace mivo::detail
