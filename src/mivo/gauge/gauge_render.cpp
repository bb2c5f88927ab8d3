// TScaleGauge::Paint: colours, background, dial, index, cover, caption and
// frames, composed in the off-screen bitmap and copied to the window.
#include <algorithm>
#include <cstdint>

#include "mivo/base/frames.h"
#include "mivo/gauge/gauge.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/picture_file.h"

namespace mivo {

namespace {

// The disabled look: everything drawn in grey on a pale background.
constexpr TColor kDisabledInk = 0x808080;
constexpr TColor kDisabledBackground = 0xE9E9EE;
// Frame colours: highlight, light, shadow, dark, plain.
constexpr TColor kFrameHighlight = 0xFFFFFF, kFrameLight = 0xC0C0C0, kFrameShadow = 0x808080, kFrameDark = 0;

struct TPaintColors {
  TColor Caption, Font, Index1, Index2, Scale, Bg1, Bg2;
};

void FillBoxes(TCanvas& c, const TGaugeBoxes& boxes) {
  c.Brush.Style = TBrushStyle::bsSolid;
  for (const TGaugeBox& b : boxes) {
    c.Brush.Color = b.Color;
    c.FillRect(Rect(b.X1, b.Y1, b.X2 + 1, b.Y2 + 1));
  }
}

// The same pixels as FillBoxes for boxes that all cover rows 0 ... height - 1
// (the vertical gradients' columns), drawn row by row: the colours are set
// once in a one-row bitmap, whose covered columns are then copied to every
// row. A column of single pixels costs a fill call per row.
bool FullHeightColumns(const TGaugeBoxes& boxes, std::int32_t height) {
  for (const TGaugeBox& b : boxes)
    if (b.Y1 != 0 || b.Y2 != height - 1) return false;
  return !boxes.empty();
}

void FillColumns(TCanvas& c, const TGaugeBoxes& boxes, std::int32_t height, TBitmap& row) {
  std::int32_t lo = boxes.front().X1, hi = boxes.front().X2;
  for (const TGaugeBox& b : boxes) {
    lo = std::min(lo, b.X1);
    hi = std::max(hi, b.X2);
  }
  if (row.Width() <= hi || row.Height() != 1) row.SetSize(hi + 1, 1);
  TCanvas& rc = row.Canvas();
  rc.Brush.Style = TBrushStyle::bsSolid;
  for (const TGaugeBox& b : boxes) {
    rc.Brush.Color = b.Color;
    rc.FillRect(Rect(b.X1, 0, b.X2 + 1, 1));
  }
  const std::int32_t w = hi + 1 - lo;
  // One copy stretched over the height repeats the row on every row.
  c.CopyMode = TCopyMode::cmSrcCopy;
  c.CopyRect(Rect(lo, 0, lo + w, height), row, Rect(lo, 0, lo + w, 1));
}

}  // namespace

void TScaleGauge::Paint() {
  const TAntialiasScope antialias(Antialiased());
  if (FPainting) return;
  if (!Visible() && !ComponentState().Contains(TComponentStateItem::csDesigning)) return;
  FPainting = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } reset{FPainting};

  // 1. Colours.
  const TPaintColors col = FEnabled ? TPaintColors{FCaptColor, Font().Color, FColorIndex1, FColorIndex2, FColorScale,
                                                   FColorSclBG1, FColorSclBG2}
                                    : TPaintColors{kDisabledInk, kDisabledInk, kDisabledInk, kDisabledInk,
                                                   kDisabledInk, kDisabledBackground, kDisabledBackground};
  // 2. The bitmap takes the control's size (as far as a surface may be large).
  const std::int32_t bw = std::min(FWidth, MaxSurfaceSide), bh = std::min(FHeight, MaxSurfaceSide);
  if (FGrafBmp.Width() != bw || FGrafBmp.Height() != bh) FGrafBmp.SetSize(bw, bh);
  TCanvas& c = FGrafBmp.Canvas();
  c.Pen = TPen{};
  c.CopyMode = TCopyMode::cmSrcCopy;

  const TGaugeFrame frame{FWidth, FHeight, FCovMargLeft, FCovMargRight, FCovMargTop, FCovMargBottom, bw, bh};

  // 3. A moving dial is centred on the value.
  if (!FScaleFixed) {
    double lo = 0, hi = 0;
    if (MovingDialRange(FGaugeValue, FGaugeMin, FGaugeMax, FLogarithmic, lo, hi)) FScale->SetRange(lo, hi);
  }

  // 4. Background.
  FBoxes.clear();
  GaugeBackgroundBoxes(FGaugeBG, frame, col.Bg1, col.Bg2, FBoxes);
  if (FullHeightColumns(FBoxes, bh) && FBoxes.size() > 1)
    FillColumns(c, FBoxes, bh, FRowBmp);
  else
    FillBoxes(c, FBoxes);

  // 5. The dial.
  TFont dialFont = Font();
  dialFont.Color = col.Font;
  FScale->SetFont(dialFont);
  FScale->SetColorScale(col.Scale);
  FScale->UseForeignCanvas(&c, 0, 0);
  FScale->ForcePaint();

  // 6. Index.
  TGaugeIndexInput in;
  in.Mode = FGaugeIdxMode;
  in.Orientation = FGaugeOrient;
  in.P = FScaleFixed ? FScale->R2M(FGaugeValue)
                     : std::int32_t(std::clamp<std::int64_t>(GaugeWindowMiddle(frame, FGaugeOrient), std::int64_t(INT32_MIN), std::int64_t(INT32_MAX)));
  in.Z = FScale->R2M(FGaugeZero);
  in.AtOrAboveZero = FGaugeValue >= FGaugeZero;
  in.Color1 = col.Index1;
  in.Color2 = col.Index2;
  FBoxes.clear();
  GaugeIndexBoxes(in, frame, FBoxes);
  // 7. Cover.
  GaugeCoverBoxes(frame, FColorCover, FBoxes);
  FillBoxes(c, FBoxes);

  // 8. Caption, on top of the cover.
  if (!FCaption.empty()) {
    c.Font = Font();
    c.Font.Size = FCaptSize;
    c.Font.Style = FCaptStyle;
    c.Font.Color = col.Caption;
    c.Brush.Style = TBrushStyle::bsClear;
    c.TextAlign = TTextAlign{};
    c.TextOut(FCaptPosX, FCaptPosY, FCaption);
  }

  // 9. Frames around the window and around the control.
  if (FWidth > 0 && FHeight > 0) {
    DrawFrame(c, FInnerFrameSt, FCovMargLeft, FCovMargTop, FWidth - FCovMargRight - 1, FHeight - FCovMargBottom - 1,
              kFrameHighlight, kFrameLight, kFrameShadow, kFrameDark, kFrameDark);
    DrawFrame(c, FOuterFrameSt, 0, 0, FWidth - 1, FHeight - 1, kFrameHighlight, kFrameLight, kFrameShadow,
              kFrameDark, kFrameDark);
  }

  // 10. To the window.
  Canvas().Draw(0, 0, FGrafBmp);
}

void TScaleGauge::SaveToFile(const std::string& fileName) { SaveToFile(fileName, ScreenDpi); }

void TScaleGauge::SaveToFile(const std::string& fileName, double dpi) {
  PictureFormatOf(fileName);  // refused before painting
  SavePictureFile(fileName, BitmapPictureSource([this](TBitmap& bmp) { bmp = PaintedSurface(); }), dpi);
}

}  // namespace mivo
