#include "support/raster_compare.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "mivo/platform/errors.h"

namespace mivo::test {

bool HaveTool(const char* tool) {
  return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

std::int64_t RasterMismatches(const TBitmap& a, const TBitmap& b, std::int32_t tolerance) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return std::int64_t(a.Width()) * a.Height() + 1;
  const auto unmatched = [&](const TBitmap& s, const TBitmap& t, std::int32_t x, std::int32_t y) {
    const TRGB32 p = s.ScanLine(y)[x];
    for (std::int32_t dy = -1; dy <= 1; ++dy)
      for (std::int32_t dx = -1; dx <= 1; ++dx) {
        const std::int32_t xx = x + dx, yy = y + dy;
        if (xx < 0 || yy < 0 || xx >= t.Width() || yy >= t.Height()) continue;
        const TRGB32 q = t.ScanLine(yy)[xx];
        if (std::abs(p.R - q.R) <= tolerance && std::abs(p.G - q.G) <= tolerance && std::abs(p.B - q.B) <= tolerance)
          return false;
      }
    return true;
  };
  const std::int32_t w = a.Width(), h = a.Height();
  std::vector<std::uint8_t> miss(std::size_t(w) * std::size_t(h));
  for (std::int32_t y = 0; y < h; ++y)
    for (std::int32_t x = 0; x < w; ++x)
      miss[std::size_t(y) * std::size_t(w) + std::size_t(x)] = unmatched(a, b, x, y) || unmatched(b, a, x, y);
  // Edges that rasterisers place differently leave single pixels; what is
  // missing or moved leaves clusters. Only pixels with a neighbour count.
  const auto at = [&](std::int32_t x, std::int32_t y) {
    return x >= 0 && y >= 0 && x < w && y < h && miss[std::size_t(y) * std::size_t(w) + std::size_t(x)];
  };
  std::int64_t bad = 0;
  for (std::int32_t y = 0; y < h; ++y)
    for (std::int32_t x = 0; x < w; ++x)
      if (at(x, y))
        bad += at(x - 1, y) || at(x + 1, y) || at(x, y - 1) || at(x, y + 1) || at(x - 1, y - 1) ||
               at(x + 1, y + 1) || at(x - 1, y + 1) || at(x + 1, y - 1);
  return bad;
}

namespace {

bool RunAndLoad(const std::string& cmd, const std::string& png, TBitmap& out, std::string& error) {
  error.clear();
  if (std::system(cmd.c_str()) != 0) {
    error = "failed: " + cmd;
    return false;
  }
  try {
    out.LoadFromPNG(png);
  } catch (const EMivoError& e) {
    error = e.what();
  }
  std::error_code ec;
  std::filesystem::remove(png, ec);
  return error.empty();
}

}  // namespace

bool RasterisePdf(const std::string& pdf, std::int32_t dpi, TBitmap& out, std::string& error) {
  const std::string stem = pdf + "_raster";
  return RunAndLoad("pdftoppm -r " + std::to_string(dpi) + " -aaVector no -png -singlefile '" + pdf + "' '" + stem + "'",
                    stem + ".png", out, error);
}

bool RasteriseSvg(const std::string& svg, TBitmap& out, std::string& error) {
  const std::string png = svg + "_raster.png";
  return RunAndLoad("rsvg-convert -o '" + png + "' '" + svg + "'", png, out, error);
}

}  // namespace mivo::test
