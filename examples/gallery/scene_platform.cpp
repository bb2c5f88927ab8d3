// The platform sheet: the four chart cursors magnified (hot spot marked in
// red) on light and dark ground, and the date/time formatter on the formats
// that date/time axes use.
#include <string>

#include "gallery.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/datetime.h"
#include "mivo/platform/host.h"

namespace mivo {
namespace {

constexpr int SheetW = 760, SheetH = 560, Zoom = 5;

void Text(TCanvas& c, int x, int y, const std::string& s, bool bold = false) {
  c.Brush.Style = TBrushStyle::bsClear;
  c.Font.Size = 9;
  c.Font.Style = bold ? TFontStyles{TFontStyle::fsBold} : TFontStyles{};
  c.Font.Color = bold ? clNavy : clBlack;
  c.TextOut(x, y, s);
  c.Brush.Style = TBrushStyle::bsSolid;
}

void DrawCursor(TCanvas& c, const TCursorImage& img, int x0, int y0, TColor ground) {
  c.Pen = TPen{};
  c.Pen.Color = clGray;
  c.Brush.Color = ground;
  c.Rectangle(x0 - 1, y0 - 1, x0 + 32 * Zoom + 1, y0 + 32 * Zoom + 1);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const auto p = img.Pixel(x, y);
      if (p == TCursorImage::TPixel::Transparent) continue;
      c.Brush.Color = p == TCursorImage::TPixel::Black ? clBlack : clWhite;
      c.FillRect(Rect(x0 + x * Zoom, y0 + y * Zoom, x0 + (x + 1) * Zoom, y0 + (y + 1) * Zoom));
    }
  c.Brush.Color = clRed;
  c.FrameRect(Rect(x0 + img.HotX * Zoom, y0 + img.HotY * Zoom, x0 + (img.HotX + 1) * Zoom, y0 + (img.HotY + 1) * Zoom));
}

void Render(TBitmap& bmp) {
  bmp.SetSize(SheetW, SheetH);
  bmp.Clear(clWhite);
  TCanvas& c = bmp.Canvas();
  Text(c, 12, 8, "Chart cursors 1-4 (hot spot in red)", true);
  const auto& images = ChartCursorImages();
  for (int i = 0; i < 4; ++i) {
    const TCursorImage& img = images[std::size_t(i)];
    const int x0 = 12 + i * (32 * Zoom + 24);
    Text(c, x0, 30, std::to_string(i + 1) + "  " + img.Name + "  (" + std::to_string(img.HotX) + "," +
                        std::to_string(img.HotY) + ")");
    DrawCursor(c, img, x0, 50, RGB(230, 236, 242));
    DrawCursor(c, img, x0, 50 + 32 * Zoom + 10, RGB(40, 48, 64));
  }

  const int y0 = 50 + 2 * (32 * Zoom + 10) + 10;
  Text(c, 12, y0, "FormatDateTime", true);
  const TDateTime t = EncodeDate(2024, 2, 29) + EncodeTime(14, 5, 7, 250);
  const char* formats[] = {"hh\":\"nn",         "h\"h\"nn",         "h\":\"nn\".\"ssam/pm",
                           "hh\":\"nn\":\"ss.zz", "dd\"-\"mmm\"-\"yyyy", "yyyy\"/\"mm\"/\"dd",
                           "mmmm d, yyyy",       "ham/pm"};
  for (int i = 0; i < 8; ++i) {
    const int x = 12 + (i % 2) * 370, y = y0 + 22 + (i / 2) * 20;
    Text(c, x, y, formats[i]);
    Text(c, x + 190, y, FormatDateTime(formats[i], t));
  }
  Text(c, 12, y0 + 110, "day -1.25:  " + FormatDateTime("dd mmm yyyy hh:nn", -1.25) +
                            "     day 0:  " + FormatDateTime("dd mmm yyyy", 0) +
                            "     year 950:  " + FormatDateTime("yyyy-mm-dd", EncodeDate(950, 6, 1)));
}

}  // namespace
}  // namespace mivo

MIVO_GALLERY_SCENE("platform.png", mivo::Render);
