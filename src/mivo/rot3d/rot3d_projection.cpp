#include "mivo/rot3d/rot3d_projection.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <numbers>

#include "mivo/base/unit_cube.h"
#include "mivo/rot3d/rot3d_internal.h"

namespace mivo {

namespace {

constexpr double kDegToRad = std::numbers::pi * (1.0 / 180);
constexpr std::int32_t kFullFaceShade = 400;
constexpr std::int32_t kDepthPerShade = 10;
// Model coordinates are computed in long double and clamped to this before the
// conversion, so no data value or hand-set scale factor can overflow it.
constexpr long double kMaxModelValue = 2147483647.0L;

std::int64_t gRenderObjectLimit = std::numeric_limits<std::int32_t>::max();

std::int32_t Milli(double v) { return RoundToInt(1000 * v); }

// Places the x part in column p and the y part in column q.
TR3RotMatrix Arrange(const double (&m)[3][3], TAxDir dir) {
  const std::size_t p = dir == TAxDir::adLeftHanded ? 0 : 1;
  const std::size_t q = 1 - p;
  TR3RotMatrix r{};
  for (std::size_t row = 0; row < 3; ++row) {
    r[row][p] = Milli(m[row][0]);
    r[row][q] = Milli(m[row][1]);
    r[row][2] = Milli(m[row][2]);
  }
  return r;
}

std::int32_t ModelCoord(double v, double centre, double scale) {
  // The common case in double; a difference that overflows, or a result out
  // of range or not a number, takes the careful path.
  const double d = v - centre, md = d * scale;
  if (std::fabs(md) < 2147483647.0 && std::isfinite(d)) return std::int32_t(std::nearbyint(md));
  const long double m = (static_cast<long double>(v) - centre) * scale;
  if (std::isnan(m)) return 0;
  return RoundToInt(double(std::clamp(m, -kMaxModelValue, kMaxModelValue)));
}

std::int32_t ClampScreen(std::int64_t v) {
  return std::int32_t(std::clamp<std::int64_t>(v, -kMaxScreenCoord, kMaxScreenCoord));
}

}  // namespace

namespace detail {

std::int64_t R3RenderObjectLimit() { return gRenderObjectLimit; }

void SetR3RenderObjectLimit(std::int64_t limit) {
  gRenderObjectLimit = std::clamp<std::int64_t>(limit, 0, std::numeric_limits<std::int32_t>::max());
}

}  // namespace detail

TR3RotMatrix CalcRotMatrix_2Ax(double a, double c, TAxDir dir) {
  const double sa = std::sin(a * kDegToRad), ca = std::cos(a * kDegToRad);
  const double sc = std::sin(c * kDegToRad), cc = std::cos(c * kDegToRad);
  const double m[3][3] = {{cc, -sc, 0}, {ca * sc, cc * ca, -sa}, {sa * sc, sa * cc, ca}};
  return Arrange(m, dir);
}

TR3RotMatrix CalcRotMatrix_3Ax(double a, double b, double c, TAxDir dir) {
  const double sa = std::sin(a * kDegToRad), ca = std::cos(a * kDegToRad);
  const double sb = std::sin(b * kDegToRad), cb = std::cos(b * kDegToRad);
  const double sc = std::sin(c * kDegToRad), cc = std::cos(c * kDegToRad);
  const double m[3][3] = {
      {cb * cc, sa * sb * cc - ca * sc, ca * sb * cc + sa * sc},
      {cb * sc, sa * sb * sc + ca * cc, ca * sb * sc - sa * cc},
      {-sb, sa * cb, ca * cb},
  };
  return Arrange(m, dir);
}

double RotMatElement(const TR3RotMatrix& r, std::int32_t ix, std::int32_t iy) {
  if (ix < 1 || ix > 3 || iy < 1 || iy > 3) return 0;
  return r[std::size_t(ix - 1)][std::size_t(iy - 1)] / 1000.0;
}

TR3ScreenPoint ProjectModelPoint(const TR3RotMatrix& r, std::int32_t magnify, std::int32_t centX,
                                 std::int32_t centY, std::int32_t x, std::int32_t y, std::int32_t z) {
  const std::int64_t div = std::max<std::int32_t>(magnify, 1);
  const std::int64_t X = x, Y = y, Z = z;
  return {(X * r[0][0] + Y * r[0][1] + Z * r[0][2]) / div + centX,
          (X * r[1][0] + Y * r[1][1] + Z * r[1][2]) / div + centY};
}

TPoint ProjectClamped(const TR3RotMatrix& r, std::int32_t magnify, std::int32_t centX, std::int32_t centY,
                      std::int32_t x, std::int32_t y, std::int32_t z) {
  const TR3ScreenPoint p = ProjectModelPoint(r, magnify, centX, centY, x, y, z);
  return {ClampScreen(p.X), ClampScreen(p.Y)};
}

std::int32_t MagnifyDivisor(double m, std::int32_t current) {
  if (std::isnan(m)) return current;
  return RoundToInt(kMagnifyScale / std::clamp(m, kMinMagnification, kMaxMagnification));
}

double MagnificationOf(std::int32_t magnify) { return kMagnifyScale / std::max<std::int32_t>(magnify, 1); }

std::int32_t BoxHalfEdge(std::int32_t size, std::int32_t currentHalf) {
  if (std::int64_t(size) == 2 * std::int64_t(currentHalf)) return currentHalf;
  return std::clamp(size, 0, kMaxBoxSize) / 2;
}

std::int32_t ClampAxSize(std::int32_t size) { return std::clamp(size, 0, kMaxAxSize); }

TR3CubeCorners BoxCorners(std::int32_t half) {
  TR3CubeCorners c{};
  for (std::int32_t i = 0; i < kCubeCorners; ++i)
    for (std::int32_t k = 0; k < 3; ++k) c[std::size_t(i)][std::size_t(k)] = CubeCornerSign(i, k) * half;
  return c;
}

std::int32_t CornerDepth(const TR3RotMatrix& r, std::int32_t corner) {
  return CubeCornerSign(corner, 0) * r[2][0] + CubeCornerSign(corner, 1) * r[2][1] +
         CubeCornerSign(corner, 2) * r[2][2];
}

std::int32_t NearestBoxCorner(const TR3RotMatrix& r) {
  std::int32_t best = 0;
  std::int32_t smallest = std::numeric_limits<std::int32_t>::max();
  for (std::int32_t i = 0; i < kCubeCorners; ++i) {
    const std::int32_t d = CornerDepth(r, i);
    if (d < smallest) {
      smallest = d;
      best = i;
    }
  }
  return best;
}

std::int32_t BoxFaceShade(const TR3RotMatrix& r, std::int32_t face) {
  if (face < 0 || face >= kCubeFaces) return 0;
  std::int32_t sum = 0;
  for (std::uint8_t c : CubeFaceCorners[std::size_t(face)]) sum += CornerDepth(r, c);
  // Faces turned away from the viewer would come out negative; they are
  // never drawn, but the shade stays within its range regardless.
  return std::clamp(-sum / kDepthPerShade, 0, kFullFaceShade);
}

TColor BoxFaceColor(TColor low, TColor high, std::int32_t shade) {
  shade = std::clamp(shade, 0, kFullFaceShade);
  TColor out = 0;
  for (std::int32_t shift = 0; shift < 24; shift += 8) {
    const std::int32_t lo = std::int32_t((low >> shift) & 0xFF);
    const std::int32_t hi = std::int32_t((high >> shift) & 0xFF);
    out |= TColor(lo + shade * (hi - lo) / kFullFaceShade) << shift;
  }
  return out;
}

TR3ItemColors InitialItemColors() {
  return {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
          0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
}

std::uint8_t TR3ColorAllocator::IndexOf(TColor c) {
  // A colour once found keeps its index for the rest of the snapshot (only
  // colours not in the table are added), so a run of one colour asks once.
  if (FCachedIndex >= 0 && c == FCachedColor) return std::uint8_t(FCachedIndex);
  FCachedColor = c;
  FCachedIndex = Find(c);
  return std::uint8_t(FCachedIndex);
}

std::int32_t TR3ColorAllocator::Find(TColor c) {
  for (std::int32_t i = FLast; i >= 0; --i)
    if (FColors[std::size_t(i)] == c) return i;
  if (FLast < kItemColorCount - 1) {
    ++FLast;
    FColors[std::size_t(FLast)] = c;
    return FLast;
  }
  return kItemColorCount - 1;
}

bool BuildRenderObjects(const Tr3ChartItem* items, std::int32_t count, TR3Placement& place,
                        TR3ItemColors& colors, TR3RenderObjects& objects, std::int32_t& skipped,
                        const std::string& componentName) {
  // 1. Scan: objects, point sums and extents. Sums in long double, so huge
  //    finite data cannot overflow to infinity.
  std::int64_t numObj = 0, numPoints = 0;
  std::int32_t numSkipped = 0;
  long double sum[3] = {0, 0, 0};
  constexpr double kInf = std::numeric_limits<double>::infinity();
  double lo[3] = {kInf, kInf, kInf}, hi[3] = {-kInf, -kInf, -kInf};
  auto extend = [&](double x, double y, double z) {
    lo[0] = std::min(lo[0], x), hi[0] = std::max(hi[0], x), sum[0] += x;
    lo[1] = std::min(lo[1], y), hi[1] = std::max(hi[1], y), sum[1] += y;
    lo[2] = std::min(lo[2], z), hi[2] = std::max(hi[2], z), sum[2] += z;
    ++numPoints;
  };
  for (std::int32_t i = 0; i < std::max(count, 0); ++i) {
    const Tr3ChartItem& it = items[i];
    if (!ItemIsFinite(it)) {
      ++numSkipped;
      continue;
    }
    extend(it.x, it.y, it.z);
    ++numObj;
    if (it.ItemKind == Tr3Item::tkLine) {
      extend(it.x2, it.y2, it.z2);
      ++numObj;
    }
  }
  skipped = numSkipped;
  if (numObj == 0) return false;

  // 2. Centre: the centroid of every point (both ends of lines).
  TR3Placement next = place;
  double centre[3];
  for (int k = 0; k < 3; ++k) centre[k] = place.AutoOrigin ? double(sum[k] / numPoints) : place.Origin[k];
  if (place.AutoOrigin) next.Origin = {centre[0], centre[1], centre[2]};

  // 3. Scale factors.
  double s[3];
  for (int k = 0; k < 3; ++k) {
    const long double span = static_cast<long double>(hi[k]) - lo[k];
    s[k] = span > kEmptySpan ? double(kModelSpan / span) : 1.0;
  }
  if (place.IsoMetric) s[0] = s[1] = s[2] = std::min({s[0], s[1], s[2]});
  if (!place.AutoScale) {
    for (int k = 0; k < 3; ++k) s[k] = place.IsoMetric ? place.ScaleFact[0] : place.ScaleFact[k];
  }
  next.ScaleFact = {s[0], s[1], s[2]};
  for (int k = 0; k < 3; ++k) {
    next.MaxCoord[std::size_t(k)] = ModelCoord(hi[k], centre[k], s[k]);
    next.MinCoord[std::size_t(k)] = ModelCoord(lo[k], centre[k], s[k]);
  }

  // 4. The arrays, allocated before anything is changed.
  TR3RenderObjects built;
  try {
    if (numObj > detail::R3RenderObjectLimit()) throw std::bad_alloc();
    const std::size_t n = std::size_t(numObj);
    built.FRotDataX.resize(n);
    built.FRotDataY.resize(n);
    built.FRotDataZ.resize(n);
    built.FBackLink.resize(n);
    built.FRotProp.resize(n);
    built.FRotMark.resize(n);
    built.FLineWid.resize(n);
  } catch (const std::bad_alloc&) {
    RaiseError<EMivoRot3DError>("Component \"" + componentName + "\": insufficient memory");
  }
  built.NRotObj = std::int32_t(numObj);

  // 5. The objects in item order.
  TR3ItemColors table = colors;
  TR3ColorAllocator alloc(table);
  std::size_t o = 0;
  auto add = [&](std::int32_t item, double x, double y, double z, std::uint8_t colorIndex, std::uint8_t action) {
    built.FRotDataX[o] = ModelCoord(x, centre[0], s[0]);
    built.FRotDataY[o] = ModelCoord(y, centre[1], s[1]);
    built.FRotDataZ[o] = ModelCoord(z, centre[2], s[2]);
    built.FBackLink[o] = item;
    built.FRotProp[o] = std::uint8_t(colorIndex | action);
    return o++;
  };
  for (std::int32_t i = 0; i < count; ++i) {
    const Tr3ChartItem& it = items[i];
    if (!ItemIsFinite(it)) continue;
    const std::uint8_t ci = alloc.IndexOf(it.color);
    switch (it.ItemKind) {
      case Tr3Item::tkMarkAt:
        built.FRotMark[add(i, it.x, it.y, it.z, ci, kR3Mark)] = it.marklw;
        break;
      case Tr3Item::tkLineto:
        built.FLineWid[add(i, it.x, it.y, it.z, ci, kR3DrawTo)] = it.marklw;
        break;
      case Tr3Item::tkLine:
        add(i, it.x, it.y, it.z, ci, kR3MoveTo);
        built.FLineWid[add(i, it.x2, it.y2, it.z2, ci, kR3DrawTo)] = it.marklw;
        break;
      case Tr3Item::tkMoveto:
        add(i, it.x, it.y, it.z, ci, kR3MoveTo);
        break;
      default:
        // A record of no drawable kind, stored by hand: an object without action.
        add(i, it.x, it.y, it.z, ci, 0);
        break;
    }
  }
  colors = table;
  objects = std::move(built);
  place = next;
  return true;
}

}  // namespace mivo
