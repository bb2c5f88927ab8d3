#pragma once
// Turns a recording into a one-page PDF document with cairo. Geometry follows
// the SVG writer's pixel rules (one-pixel strokes through pixel centres,
// boxes without their right column and bottom row, arcs counter-clockwise);
// text stays text, set in the face the platform's font engine draws with.
// One pixel is 0.75 pt, so the page has the picture's size on a 96 dpi screen.
// Pen modes other than copy draw in the pen colour (a "no operation" pen
// draws nothing); bitmaps are embedded as images.

#include <optional>
#include <string>
#include <vector>

#include "mivo/platform/export.h"
#include "mivo/platform/recording_canvas.h"
#include "mivo/platform/svg_writer.h"  // TClipRun

MIVO_PUBLIC_BEGIN
namespace mivo {

struct TPdfOptions {
  // Page size in pixels; 0 x 0 takes the canvas's surface size, and when that
  // is unbounded too, the extent of the drawing.
  TSize Size;
  // Painted over the whole page first when set.
  std::optional<TColor> Background;
  // Runs of primitives drawn only inside a rectangle; runs must not overlap.
  std::vector<TClipRun> Clips;
};

// The document's bytes; raises EMivoError when cairo fails.
std::string RecordingToPdf(const TRecordingCanvas& canvas, const TPdfOptions& options = {});

// Writes the document through a temporary file renamed into place; raises
// EMivoError naming the file when that fails (any previous file stays).
void SaveRecordingToPdf(const TRecordingCanvas& canvas, const std::string& fileName, const TPdfOptions& options = {});

}  // namespace mivo
MIVO_PUBLIC_END
