// TColorScale painting: the picture is rebuilt in the off-screen bitmap -
// background, bar (with extension strips and outline), axis, caption, the
// OnDataRendered hook, crosshair, frame - and copied to the window at once.
#include <algorithm>
#include <cmath>
#include <limits>

#include "mivo/base/frames.h"
#include "mivo/colorscale/colorscale.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/picture_file.h"

namespace mivo {

namespace {

// The frame of the control keeps these fixed colours whatever the scheme.
constexpr TColor kFrameHighlight = 0xFFFFFF;
constexpr TColor kFrameLight = 0xC0C0C0;
constexpr TColor kFrameShadow = 0x808080;
constexpr TColor kFrameDark = 0x000000;

// Pixel arithmetic near the ends of the 32-bit range saturates instead of wrapping.
std::int32_t Sat(std::int64_t v) {
  return std::int32_t(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                               std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

TColorBarLayout TColorScale::BarLayout() const {
  const bool horizontal = Horizontal();
  const std::int32_t first = horizontal ? FMarginLeft : FMarginTop;
  const std::int32_t last = horizontal ? Sat(std::int64_t(FWidth) - FMarginRight - 1)
                                       : Sat(std::int64_t(FHeight) - FMarginBottom - 1);
  // Values grow to the right on a horizontal scale with a positive slope and
  // upwards on a vertical one (whose slope is negative then).
  const double k = FScale->Transf_k();
  const bool lowAtFirst = horizontal ? k >= 0 : k > 0;
  return ColorBarLayout(first, last, FScale->R2M(FColorLow), FScale->R2M(FColorHigh), ColorArray.Size(),
                        FExtendColors, lowAtFirst);
}

void TColorScale::DrawBar(TCanvas& c) {
  const TColorBarLayout l = BarLayout();
  const bool horizontal = Horizontal();
  const std::int32_t extent = horizontal ? FGrafBmp->Width() : FGrafBmp->Height();
  // Across the bar: rows MarginTop ... Height - MarginBottom - 1, or columns
  // MarginLeft ... Width - MarginRight - 1.
  const std::int32_t acrossFrom = horizontal ? FMarginTop : FMarginLeft;
  const std::int32_t acrossTo =
      horizontal ? Sat(std::int64_t(FHeight) - FMarginBottom) : Sat(std::int64_t(FWidth) - FMarginRight);
  if (acrossTo <= acrossFrom) return;
  auto fill = [&](std::int32_t from, std::int32_t to, std::int32_t entry) {
    if (entry == 0) return;
    c.Brush.Color = ColorArray.GetColorElem(entry);
    c.FillRect(horizontal ? Rect(from, acrossFrom, to + 1, acrossTo) : Rect(acrossFrom, from, acrossTo, to + 1));
  };
  // Only the pixels the bitmap holds are visited; runs of one entry are filled at once.
  const std::int32_t from = std::max(l.BarFirst, 0);
  const std::int32_t to = std::min(l.BarLast, extent - 1);
  c.Brush.Style = TBrushStyle::bsSolid;
  std::int32_t runStart = from, runEntry = 0;
  for (std::int32_t p = from; p <= to; ++p) {
    const std::int32_t e = ColorBarEntry(l, p);
    if (p == from) {
      runEntry = e;
    } else if (e != runEntry) {
      fill(runStart, p - 1, runEntry);
      runStart = p;
      runEntry = e;
    }
  }
  if (from <= to) fill(runStart, to, runEntry);

  if (FFramedColors) {
    // The outline's lower (horizontal) or right (vertical) edge lies on the axis line.
    c.Pen = TPen{};
    c.Pen.Color = FColorScale;
    c.Brush.Style = TBrushStyle::bsClear;
    if (horizontal)
      c.Rectangle(FMarginLeft, FMarginTop, Sat(std::int64_t(FWidth) - FMarginRight),
                  Sat(std::int64_t(FHeight) - FMarginBottom + 1));
    else
      c.Rectangle(FMarginLeft, FMarginTop, Sat(std::int64_t(FWidth) - FMarginRight + 1),
                  Sat(std::int64_t(FHeight) - FMarginBottom));
    c.Brush.Style = TBrushStyle::bsSolid;
  }
}

void TColorScale::DrawCrossHair(TCanvas& c) {
  const TCrossHair& ch = *FCrossHair;
  if (ch.Mode() == TCrossHMode::chOff) return;
  const double value = Horizontal() ? ch.PosX() : ch.PosY();
  if (!std::isfinite(value)) return;  // never map NaN to a pixel
  const std::int32_t p = FScale->R2M(value);
  const std::int32_t w = ch.LineWidth();
  c.Brush.Color = clWhite;
  c.Brush.Style = TBrushStyle::bsSolid;
  c.Pen.Color = ch.Color();
  c.Pen.Width = w;
  c.Pen.Style = ch.LineType();
  c.Pen.Mode = TPenMode::pmCopy;
  if (Horizontal()) {
    c.MoveTo(p, Sat(std::int64_t(FMarginTop) + 1 + w / 2));
    c.LineTo(p, Sat(std::int64_t(FHeight) - FMarginBottom - w / 2));
  } else {
    c.MoveTo(Sat(std::int64_t(FMarginLeft) + 1 + w / 2), p);
    c.LineTo(Sat(std::int64_t(FWidth) - FMarginRight - w / 2), p);
  }
  c.Pen.Width = 1;
  c.Pen.Style = TPenStyle::psSolid;
}

void TColorScale::Paint() {
  const TAntialiasScope antialias(Antialiased());
  if (FPainting || IsLoading()) return;
  const bool designing = ComponentState().Contains(TComponentStateItem::csDesigning);
  if ((!Visible() || FSuppressPaint) && !designing) return;
  FPainting = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } reset{FPainting};

  TBitmap& bmp = *FGrafBmp;
  bmp.SetSize(std::min(FWidth, MaxSurfaceSide), std::min(FHeight, MaxSurfaceSide));
  bmp.Clear(FColorSclBkgd);
  TCanvas& c = bmp.Canvas();
  c.Pen = TPen{};
  c.Brush = TBrush{};
  c.CopyMode = TCopyMode::cmSrcCopy;
  DrawBar(c);

  TScale& s = *FScale;
  s.SetFont(Font());
  s.SetColorScale(FColorScale);
  c.Pen = TPen{};
  s.ForcePaint();

  if (!FCaption.empty()) {
    c.Font = Font();
    SetCanvasFontSizeScaled(c, FCaptSize);
    c.Font.Style = FCaptStyle;
    c.Font.Color = FCaptColor;
    c.Brush.Style = TBrushStyle::bsClear;
    c.TextOut(FCaptPosX, FCaptPosY, FCaption);
    c.Brush.Style = TBrushStyle::bsSolid;
  }

  if (OnDataRendered) OnDataRendered(*this, c);
  DrawCrossHair(c);
  DrawFrame(c, FFrameSt, 0, 0, FWidth - 1, FHeight - 1, kFrameHighlight, kFrameLight, kFrameShadow, kFrameDark,
            kFrameDark);
  Canvas().Draw(0, 0, bmp);
}

void TColorScale::CopyToBitMap(TBitmap* bmp, std::int32_t posX, std::int32_t posY) const {
  if (!bmp) return;
  if (posX < 0 || posY < 0) {
    bmp->SetSize(FGrafBmp->Width(), FGrafBmp->Height());
    posX = posY = 0;
  }
  TCanvas& c = bmp->Canvas();
  const TCopyMode saved = c.CopyMode;
  c.CopyMode = TCopyMode::cmSrcCopy;
  c.Draw(posX, posY, *FGrafBmp);
  c.CopyMode = saved;
}

void TColorScale::SaveToFile(const std::string& fileName) { SaveToFile(fileName, ScreenDpi); }

void TColorScale::SaveToFile(const std::string& fileName, double dpi) {
  PictureFormatOf(fileName);  // refused before painting
  SavePictureFile(fileName, BitmapPictureSource([this](TBitmap& bmp) { bmp = PaintedSurface(); }), dpi);
}

}  // namespace mivo
