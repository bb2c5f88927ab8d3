// TScale rendering: the paint paths (opaque through an off-screen bitmap,
// transparent straight onto the target, helper on a foreign canvas) and the
// drawing of a tick list (lines, events, labels, date rows, messages, caption).

#include <algorithm>
#include <cmath>
#include <limits>

#include "mivo/base/frames.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/host.h"
#include "mivo/scale/scale.h"
#include "mivo/scale/scale_datetime.h"
#include "mivo/scale/scale_labels.h"
#include "mivo/platform/picture_file.h"

namespace mivo {

namespace {

constexpr TColor kFrameLight = 0xC0C0C0;

// Pixel arithmetic near the ends of the 32-bit range saturates instead of wrapping.
std::int32_t Sat(std::int64_t v) {
  return std::int32_t(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                               std::numeric_limits<std::int32_t>::max()));
}

TDateLabelSettings DateSettingsOf(const TDTLabel& f) {
  TDateLabelSettings s;
  s.TimeFormat = std::int32_t(f.TimeFormat());
  s.DateSeparator = f.DateSeparator();
  s.TimeSeparator = f.TimeSeparator();
  s.YearLength = std::int32_t(f.YearLength());
  s.MonthName = f.MonthName();
  s.DateOrder = std::int32_t(f.DateOrder());
  s.DateForTime = std::int32_t(f.DateForTime());
  return s;
}

}  // namespace

TTickLayout TScale::BuildTickLayout() const {
  const bool vertical = IsVertical(FScaleType);
  if (FLabelType == TFigType::ftDateTime) {
    TDateTimeInput in;
    in.RangeLow = FRangeLow;
    in.RangeHigh = FRangeHigh;
    in.MinTicks = FNumTicks;
    in.ShortTicks = FShortTicks;
    in.Vertical = vertical;
    in.Format = DateSettingsOf(*FDTFormat);
    return DateTimeTicks(in);
  }
  TTickInput in;
  in.RangeLow = FRangeLow;
  in.RangeHigh = FRangeHigh;
  in.MinTicks = FNumTicks;
  in.ShortTicks = FShortTicks;
  in.Vertical = vertical;
  in.Labels = FLabelType != TFigType::ftNoFigs;
  TTickLayout layout;
  const bool timeSpan = FLabelType == TFigType::ftTime && TimeSpanTicks(in, layout);
  if (!timeSpan) layout = FAxLog ? LogTicks(in) : LinearTicks(in);
  TNumberLabelSettings s;
  s.RangeLow = FRangeLow;
  s.RangeHigh = FRangeHigh;
  s.DecPlaces = FDecPlaces;
  s.UserTexts = FLabelType == TFigType::ftUserText;
  s.UserTickText = FUserTicktext;
  s.ScaleInscript = FScaleInscript;
  LabelNumericTicks(layout, s);
  return layout;
}

void TScale::RecordTick(double value) {
  if (FScaleTickPos.size() != std::size_t(kMaxRecordedTicks)) FScaleTickPos.assign(std::size_t(kMaxRecordedTicks), 0);
  if (FTickCount >= kMaxRecordedTicks) return;
  FScaleTickPos[std::size_t(FTickCount)] = value;
  ++FTickCount;
}

void TScale::PrepareCanvas(TCanvas& canvas) {
  if (canvas.IsPrinter()) {
    // Labels keep their point size on paper: the size is taken at the
    // screen's density, then the density becomes the printer's.
    canvas.Font.PixelsPerInch = Host().ScreenPixelsPerInch();
    canvas.Font.Size = Font().Size;
    canvas.Font.PixelsPerInch = canvas.PixelsPerInch();
  }
  canvas.Brush.Style = FTransparent ? TBrushStyle::bsClear : TBrushStyle::bsSolid;
  canvas.TextAlign = TTextAlign{};
}

void TScale::DrawXScale(TCanvas& canvas, std::int32_t y) {
  PrepareCanvas(canvas);
  DrawTicks(canvas, y, true);
  DrawCaption(canvas, y, true);
}

void TScale::DrawYScale(TCanvas& canvas, std::int32_t x) {
  PrepareCanvas(canvas);
  DrawTicks(canvas, x, false);
  DrawCaption(canvas, x, false);
}

void TScale::DrawTicks(TCanvas& canvas, std::int32_t base, bool horizontal) {
  FTickCount = 0;
  FScaleTickPos.assign(std::size_t(kMaxRecordedTicks), 0.0);
  const TTickLayout layout = BuildTickLayout();
  if (!layout.Message.empty()) {
    DrawMessage(canvas, layout.Message, base, horizontal);
    return;
  }
  // Ticks point away from the area the scale borders.
  const std::int32_t dir =
      (FScaleType == TScaleType::sctHorzDown || FScaleType == TScaleType::sctVertRight) ? 1 : -1;
  const std::int32_t longLen = horizontal ? kLongTickHorz : kLongTickVert;
  const bool calendar = layout.Kind == TTickLayoutKind::tlkDateTime;
  const std::int32_t zeroHeight = horizontal ? 0 : canvas.TextHeight("0");

  // Left edge of a horizontal label centred on x, kept inside the control
  // (or between the margins).
  const std::int64_t edgeLo = kLabelEdgeHorz + (FLabelsWithinMargins ? std::int64_t(FMarginLeft) : 0);
  const std::int64_t edgeHi = std::int64_t(FWidth) - kLabelEdgeHorz - (FLabelsWithinMargins ? FMarginRight : 0);
  auto horzLeft = [&](std::int32_t x, std::int32_t w) {
    const std::int32_t half = w / 2;
    if (std::int64_t(x) + half < edgeHi) return Sat(std::max<std::int64_t>(edgeLo, std::int64_t(x) - half));
    return Sat(edgeHi - 2 * std::int64_t(half));
  };
  // Top of a vertical label: between the margins when asked to.
  auto vertTop = [&](std::int64_t top, std::int32_t h) {
    if (!FLabelsWithinMargins) return Sat(top);
    const std::int64_t hi = std::int64_t(FHeight) - FMarginBottom - h;
    return Sat(std::max<std::int64_t>(std::min(top, hi), FMarginTop));
  };
  auto vertLeft = [&](std::int32_t w) {
    return dir > 0 ? Sat(std::int64_t(base) + kLabelDistVert) : Sat(std::int64_t(base) - w - kLabelDistVert);
  };

  for (const TScaleTick& t : layout.Ticks) {
    const std::int32_t pix = R2M(t.Value);
    const std::int32_t tx = horizontal ? pix : base;
    const std::int32_t ty = horizontal ? base : pix;
    if (t.Drawn) {
      const std::int64_t len = t.Long ? longLen : kShortTick;
      canvas.MoveTo(tx, ty);
      if (horizontal)
        canvas.LineTo(tx, Sat(std::int64_t(ty) + dir * len));
      else
        canvas.LineTo(Sat(std::int64_t(tx) + dir * len), ty);
    }
    if (t.Recorded) RecordTick(t.Value);
    if (OnScaleTickDrawn) OnScaleTickDrawn(*this, canvas, FScaleType, t.Value, tx, ty);

    if (t.Labelled) {
      std::string label = t.Label;
      if (OnBeforeTickLabel) OnBeforeTickLabel(*this, FScaleType, t.Value, label);
      if (!label.empty()) {
        const std::int32_t w = canvas.TextWidth(label);
        const std::int32_t h = canvas.TextHeight(label);
        if (horizontal) {
          const std::int64_t top = dir > 0 ? std::int64_t(base) + kLabelDistHorz : std::int64_t(base) - h - kLabelDistHorz;
          canvas.TextOut(horzLeft(pix, w), Sat(top), label);
        } else {
          const std::int32_t hh = calendar ? h : zeroHeight;
          canvas.TextOut(vertLeft(w), vertTop(std::int64_t(pix) - hh / 2, h), label);
        }
      }
    }
    if (t.HasDateRow) {
      std::string row = t.DateRow;
      if (OnBeforeTickLabel) OnBeforeTickLabel(*this, FScaleType, t.Value, row);
      if (!row.empty()) {
        const std::int32_t w = canvas.TextWidth(row);
        const std::int32_t h = canvas.TextHeight(row);
        if (horizontal) {
          const std::int64_t top = dir > 0 ? std::int64_t(base) + h + kLabelDistHorz
                                           : std::int64_t(base) - 2 * std::int64_t(h) - kLabelDistHorz;
          canvas.TextOut(horzLeft(pix, w), Sat(top), row);
        } else {
          canvas.TextOut(vertLeft(w), Sat(std::int64_t(pix) - 3 * (h / 2)), row);
        }
      }
    }
  }
}

void TScale::DrawMessage(TCanvas& canvas, const std::string& message, std::int32_t base, bool horizontal) {
  const std::int32_t mid = R2M(GetScaleCenter());
  if (horizontal) {
    const std::int32_t w = canvas.TextWidth(message);
    canvas.TextOut(Sat(std::int64_t(mid) - w / 2), Sat(std::int64_t(base) + kMessageDistHorz), message);
    return;
  }
  const std::int32_t h = canvas.TextHeight("T");
  std::int64_t top = std::int64_t(mid) - h;
  for (const std::string& line : DateTimeMessageLines(message)) {
    const std::int64_t left = FScaleType == TScaleType::sctVertLeft
                                  ? std::int64_t(base) - kMessageDistVert - canvas.TextWidth(line)
                                  : std::int64_t(base) + kMessageDistVert;
    canvas.TextOut(Sat(left), Sat(top), line);
    top += h;
  }
}

void TScale::DrawCaption(TCanvas& canvas, std::int32_t base, bool horizontal) {
  if (FUnitLabel.empty()) return;
  std::int64_t along = 0;
  const std::int64_t lo = horizontal ? FMarginLeft : FMarginTop;
  const std::int64_t hiMargin = horizontal ? FMarginRight : FMarginBottom;
  const std::int64_t extent = horizontal ? FWidth : FHeight;
  const std::int64_t pos = horizontal ? FLblPosX : FLblPosY;
  switch (FLblAnchor) {
    case TScaleUnitAnchor::uaSclTopLft: along = lo + pos; break;
    case TScaleUnitAnchor::uaSclCenter: along = lo + (extent - lo - hiMargin) / 2 + pos; break;
    default: along = extent - hiMargin + pos; break;
  }
  const std::int64_t across = std::int64_t(base) + (horizontal ? FLblPosY : FLblPosX);
  std::int64_t x = horizontal ? along : across;
  const std::int64_t y = horizontal ? across : along;
  const std::int32_t w = canvas.TextWidth(FUnitLabel);
  if (FLblAlign == TAlignment::taRightJustify)
    x -= w;
  else if (FLblAlign == TAlignment::taCenter)
    x -= w / 2;
  canvas.TextOut(Sat(x), Sat(y), FUnitLabel);
}

void TScale::DrawScaleAt(TCanvas& canvas, std::int32_t ox, std::int32_t oy) {
  const std::int64_t w = FWidth, h = FHeight;
  switch (FScaleType) {
    case TScaleType::sctHorzUp:
    case TScaleType::sctHorzDown: {
      const std::int32_t y = Sat(FScaleType == TScaleType::sctHorzUp ? oy + h - FMarginBottom - 1 : oy + std::int64_t(FMarginTop));
      DrawXScale(canvas, y);
      if (FDrawBaseLine) {
        canvas.MoveTo(FMarginLeft, y);
        canvas.LineTo(Sat(w - FMarginRight - 1), y);
      }
      break;
    }
    case TScaleType::sctVertRight:
    case TScaleType::sctVertLeft: {
      const std::int32_t x =
          Sat(FScaleType == TScaleType::sctVertRight ? ox + std::int64_t(FMarginLeft) : ox + w - FMarginRight - 1);
      DrawYScale(canvas, x);
      if (FDrawBaseLine) {
        canvas.MoveTo(x, FMarginTop);
        canvas.LineTo(x, Sat(h - FMarginBottom - 1));
      }
      break;
    }
    default: break;  // no other kind is drawn
  }
}

void TScale::Paint() {
  const TAntialiasScope antialias(Antialiased());
  if (FPainting || IsLoading() || FSuppressPaint) return;
  if (!Visible() && (FIsHelper || !ComponentState().Contains(TComponentStateItem::csDesigning))) return;
  FPainting = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } reset{FPainting};

  TCanvas& target = FForeignCv ? *FForeignCv : Canvas();
  const std::int32_t ox = FForeignCv ? FForCvPosX : 0;
  const std::int32_t oy = FForeignCv ? FForCvPosY : 0;
  target.Font = Font();
  if (OnBeforeScaleRendered) OnBeforeScaleRendered(*this, target);

  if (FTransparent) {
    target.Pen.Color = FColorFG;
    DrawScaleAt(target, ox, oy);
    if (OnAfterScaleRendered) OnAfterScaleRendered(*this, target);
    return;
  }

  // The off-screen picture needs to cover only what the target can show.
  const TSize surface = target.SurfaceSize();
  auto fit = [](std::int64_t extent, std::int64_t surfaceExtent, std::int64_t origin) {
    if (surfaceExtent > 0) extent = std::min(extent, surfaceExtent - origin);
    return std::int32_t(std::clamp<std::int64_t>(extent, 0, TCustomControl::MaxSurfaceSide));
  };
  TBitmap bmp(fit(FWidth, surface.cx, ox), fit(FHeight, surface.cy, oy));
  TCanvas& bc = bmp.Canvas();
  bc.Font = Font();
  bc.Pen.Color = FColorBG;
  bc.Brush.Color = FColorBG;
  bc.Brush.Style = TBrushStyle::bsSolid;
  bc.FillRect(Rect(0, 0, bmp.Width(), bmp.Height()));
  bc.Pen.Color = FColorFG;
  DrawScaleAt(bc, 0, 0);
  if (OnAfterScaleRendered) OnAfterScaleRendered(*this, bc);
  DrawFrame(bc, FFrameStyle, 0, 0, FWidth - 1, FHeight - 1, FColWhiteLine, kFrameLight, FColGrayLine,
            FColBlackLine, FColBlackLine);
  target.Draw(ox, oy, bmp);
}

void TScale::SaveToFile(const std::string& fileName) { SaveToFile(fileName, ScreenDpi); }

void TScale::SaveToFile(const std::string& fileName, double dpi) {
  PictureFormatOf(fileName);  // refused before painting
  SavePictureFile(fileName, BitmapPictureSource([this](TBitmap& bmp) { bmp = PaintedSurface(); }), dpi);
}

}  // namespace mivo
