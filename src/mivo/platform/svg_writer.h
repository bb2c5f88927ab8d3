#pragma once
// Turns a recording into an SVG document. Pixel geometry follows the canvas
// rules as far as vector graphics allow: one-pixel strokes run through pixel
// centres, boxes leave out their right column and bottom row, arcs run
// counter-clockwise. Pen modes other than copy have no vector equivalent and
// draw in the pen colour (a "no operation" pen draws nothing). Bitmaps are
// embedded as PNG data.

#include <optional>
#include <string>
#include <vector>

#include "mivo/platform/export.h"
#include "mivo/platform/recording_canvas.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

// Primitives First ... Last - 1 of a recording, cut to Clip when written out.
struct TClipRun {
  std::size_t First = 0;
  std::size_t Last = 0;
  TRect Clip;
};

struct TSvgOptions {
  // Document size; 0 x 0 takes the canvas's surface size, and when that is
  // unbounded too, the extent of the drawing.
  TSize Size;
  // Painted over the whole document first when set.
  std::optional<TColor> Background;
  // Embed bitmaps as PNG data; otherwise a comment stands in for each.
  bool EmbedBitmaps = true;
  // Runs of primitives drawn only inside a rectangle (as a bitmap of that
  // size would cut them off); runs must not overlap.
  std::vector<TClipRun> Clips;
};

std::string RecordingToSvg(const TRecordingCanvas& canvas, const TSvgOptions& options = {});

// Writes the document; raises EMivoError naming the file when that fails.
void SaveRecordingToSvg(const TRecordingCanvas& canvas, const std::string& fileName, const TSvgOptions& options = {});

}  // namespace mivo
MIVO_PUBLIC_END
