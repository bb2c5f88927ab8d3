#pragma once
// The unit cube of the 3D components: corner numbering, the six faces and, for
// every corner, the faces and edges that meet there.
//
// Corner i has its x on the positive side when bit 2 of i is set, y when bit 1
// is set and z when bit 0 is set: corner 0 is (-, -, -), corner 7 is (+, +, +),
// and corners i and 7 - i are opposite. Face and edge lists are in drawing
// order; a caller that draws them in this order gets the same picture on every
// platform.
#include <array>
#include <cstdint>

#include "mivo/platform/export.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

inline constexpr std::int32_t kCubeCorners = 8;
inline constexpr std::int32_t kCubeFaces = 6;

// +1 or -1: the side of corner `corner` along axis `axis` (0 x, 1 y, 2 z).
constexpr std::int32_t CubeCornerSign(std::int32_t corner, std::int32_t axis) {
  return ((corner >> (2 - axis)) & 1) ? 1 : -1;
}

// The four corners of each face, in polygon order:
//   0 z = +, 1 y = +, 2 z = -, 3 y = -, 4 x = +, 5 x = -.
inline constexpr std::array<std::array<std::uint8_t, 4>, kCubeFaces> CubeFaceCorners{{
    {1, 5, 7, 3},
    {2, 3, 7, 6},
    {2, 6, 4, 0},
    {0, 4, 5, 1},
    {4, 5, 7, 6},
    {0, 1, 3, 2},
}};

// The three faces meeting at each corner.
inline constexpr std::array<std::array<std::uint8_t, 3>, kCubeCorners> CubeCornerFaces{{
    {5, 3, 2},
    {0, 3, 5},
    {1, 2, 5},
    {0, 1, 5},
    {3, 4, 2},
    {0, 3, 4},
    {1, 2, 4},
    {0, 4, 1},
}};

// The three corners joined to each corner by an edge.
inline constexpr std::array<std::array<std::uint8_t, 3>, kCubeCorners> CubeCornerNeighbours{{
    {1, 2, 4},
    {0, 3, 5},
    {0, 3, 6},
    {1, 2, 7},
    {0, 5, 6},
    {1, 4, 7},
    {2, 4, 7},
    {3, 5, 6},
}};

}  // namespace mivo
MIVO_PUBLIC_END
