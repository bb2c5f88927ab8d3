#include "mivo/platform/canvas.h"

#include "mivo/platform/fonts.h"

namespace mivo {

std::int32_t TFont::PixelSize() const { return RoundToInt(double(Size) * PixelsPerInch / 72.0); }

void TCanvas::MoveTo(std::int32_t x, std::int32_t y) { PenPos = {x, y}; }

std::int32_t TCanvas::TextWidth(std::string_view text) { return MeasureTextWidth(Font, text); }

std::int32_t TCanvas::TextHeight(std::string_view) { return GetFontMetrics(Font).Height; }

namespace {
thread_local int tAntialiasScope = -1;
}

TAntialiasScope::TAntialiasScope(bool on) : FSaved(tAntialiasScope) { tAntialiasScope = on ? 1 : 0; }

TAntialiasScope::~TAntialiasScope() { tAntialiasScope = FSaved; }

int TAntialiasScope::Current() { return tAntialiasScope; }

}  // namespace mivo
