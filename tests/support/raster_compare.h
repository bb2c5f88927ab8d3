#pragma once
// Tolerant comparison of a rasterised document (SVG through rsvg-convert, PDF
// through pdftoppm, a printed page) with the chart's own bitmap: rasterisers
// antialias and round edges differently, so a pixel matches when a pixel of
// the other image within one pixel of the same place has nearly its colour.

#include <cstdint>
#include <string>

#include "mivo/platform/bitmap.h"

namespace mivo::test {

// True when the command-line tool is on the PATH.
bool HaveTool(const char* tool);

// Pixels of either image that no pixel of the other image matches within
// one pixel of the same place, to within `tolerance` in every channel, and
// that lie next to another such pixel: antialiasing and rounding move edges
// by a pixel, a missing item or text moved further does not match. Images
// of different sizes count as all pixels plus one.
std::int64_t RasterMismatches(const TBitmap& a, const TBitmap& b, std::int32_t tolerance = 80);

// Runs pdftoppm on the first page of `pdf` at `dpi` into a bitmap; false
// (with the command in `error`) when the tool fails.
bool RasterisePdf(const std::string& pdf, std::int32_t dpi, TBitmap& out, std::string& error);

// Runs rsvg-convert on `svg` at its own size into a bitmap.
bool RasteriseSvg(const std::string& svg, TBitmap& out, std::string& error);

}  // namespace mivo::test
