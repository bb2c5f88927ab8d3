// The chart's thirty text labels: access, set-up, and their drawing at the end
// of the data rendering.
#include <algorithm>
#include <string_view>

#include "mivo/platform/colors.h"
#include "mivo/rchart/rchart.h"
#include "mivo/rchart/rchart_internal.h"

namespace mivo {

using detail::Sat32;

namespace {

// Anchors further out than this are as good as off any surface; the limit
// keeps the box and text arithmetic far from the ends of the 32-bit range.
constexpr std::int64_t kLabelPixelLimit = 1 << 20;
// The box reaches this far left and right of the text, and above and below it.
constexpr std::int64_t kBoxPadX = 4;
constexpr std::int64_t kBoxPadY = 2;

bool ValidTextLabel(std::int32_t ix) { return ix >= 1 && ix <= kNumTextLabels; }

std::int64_t LimitLabelPixel(std::int64_t p) { return std::clamp(p, -kLabelPixelLimit, kLabelPixelLimit); }

// Calls f(line) for each line-feed separated line of text.
template <typename F>
void ForEachLine(std::string_view text, F f) {
  for (;;) {
    const std::size_t nl = text.find('\n');
    f(text.substr(0, nl));
    if (nl == std::string_view::npos) return;
    text.remove_prefix(nl + 1);
  }
}

}  // namespace

// ---------------------------------------------------------------- access

void TCustomRChart::RaiseTextLabelIndex() const {
  RaiseError<EMivoRChartError>("Component \"" + Name() + "\": invalid index into TextLabel array");
}

TTextLabel& TCustomRChart::TextLabels(std::int32_t ix) {
  if (!ValidTextLabel(ix)) RaiseTextLabelIndex();
  return *FTextLabels[std::size_t(ix - 1)];
}

const TTextLabel& TCustomRChart::TextLabels(std::int32_t ix) const {
  if (!ValidTextLabel(ix)) RaiseTextLabelIndex();
  return *FTextLabels[std::size_t(ix - 1)];
}

void TCustomRChart::SetFTextLabel(std::int32_t ix, const TTextLabel& value) {
  TTextLabel& own = TextLabels(ix);
  if (&own == &value) return;
  detail::AssignMuted(own, value);
  Redraw();
}

// ---------------------------------------------------------------- set-up

void TCustomRChart::SetupTextLabel(TTextLabel& tl, double posX, double posY, TColor txtColor, const std::string& txt,
                                   std::int32_t propertyTemplate) {
  tl.SetPos(posX, posY);
  tl.SetLayer(FActiveLayer);
  if (ValidTextLabel(propertyTemplate)) {
    // Copied before anything is written: the template may be the label itself.
    const TTextLabel& t = *FTextLabels[std::size_t(propertyTemplate - 1)];
    const TTxtLblAttachMode attach = t.AttachToData();
    const TAlignment align = t.Alignment();
    const std::int32_t sdx = t.ShadowDx(), sdy = t.ShadowDy();
    const TColor shadow = t.ColorShadow(), bkg = t.ColorBkg(), border = t.ColorBorder();
    const bool transparent = t.Transparent();
    const TTxtLblMode mode = t.Mode() == TTxtLblMode::tlOff ? TTxtLblMode::tlSimple : t.Mode();
    tl.SetAttachToData(attach);
    tl.SetAlignment(align);
    tl.SetShadowDx(sdx);
    tl.SetShadowDy(sdy);
    tl.SetColorShadow(shadow);
    tl.SetColorBkg(bkg);
    tl.SetColorBorder(border);
    tl.SetTransparent(transparent);
    tl.SetMode(mode);
  } else {
    tl.SetAttachToData(TTxtLblAttachMode::tamBoth);
    tl.SetAlignment(TAlignment::taCenter);
    tl.SetShadowDx(0);
    tl.SetShadowDy(0);
    tl.SetColorShadow(clGray);
    tl.SetColorBkg(RcChartCol);
    tl.SetColorBorder(FChartFrameCol);
    tl.SetTransparent(false);
    tl.SetMode(TTxtLblMode::tlSimple);
  }
  tl.SetCaption(txt);
  tl.SetFontColor(txtColor);
  tl.SetVisible(true);
}

std::int32_t TCustomRChart::AddTextLabel(double posX, double posY, TColor txtColor, const std::string& txt,
                                         std::int32_t propertyTemplate) {
  std::int32_t ix = 0;
  for (std::int32_t i = 1; i <= kNumTextLabels && ix == 0; ++i)
    if (FTextLabels[std::size_t(i - 1)]->Mode() == TTxtLblMode::tlOff) ix = i;
  if (ix == 0) return 0;
  {
    // One redraw for the whole set-up rather than one per setting.
    TPaintHold hold(FSuppressPaint);
    SetupTextLabel(*FTextLabels[std::size_t(ix - 1)], posX, posY, txtColor, txt, propertyTemplate);
  }
  Redraw();
  return ix;
}

void TCustomRChart::SetTextLabel(std::int32_t idx, double posX, double posY, TColor txtColor, const std::string& txt,
                                 std::int32_t propertyTemplate) {
  if (!ValidTextLabel(idx)) return;
  {
    TPaintHold hold(FSuppressPaint);
    SetupTextLabel(*FTextLabels[std::size_t(idx - 1)], posX, posY, txtColor, txt, propertyTemplate);
  }
  Redraw();
}

void TCustomRChart::HideAllTextLabels() {
  TPaintHold hold(FSuppressPaint);
  for (auto& tl : FTextLabels) tl->SetVisible(false);
  SetSuppressPaint(hold.Release());
}

void TCustomRChart::ClearAllTextLabels() {
  TPaintHold hold(FSuppressPaint);
  for (auto& tl : FTextLabels) tl->SetMode(TTxtLblMode::tlOff);
  SetSuppressPaint(hold.Release());
}

// ---------------------------------------------------------------- drawing

void TCustomRChart::DrawTextLabels(TCanvas& canvas, std::int32_t offsetX, std::int32_t offsetY) {
  // Control pixels to canvas pixels.
  const std::int64_t shiftX = std::int64_t(offsetX) - RcLRim;
  const std::int64_t shiftY = std::int64_t(offsetY) - RcTRim;
  const bool printer = canvas.IsPrinter();
  const std::int32_t ppi = canvas.PixelsPerInch();
  for (std::int32_t i = kNumTextLabels; i >= 1; --i) {
    const TTextLabel& tl = *FTextLabels[std::size_t(i - 1)];
    const TTxtLblMode mode = tl.Mode();
    // Layers are 1 and 2; other numbers stand for the nearer one, as in R2M.
    const std::int32_t layer = std::clamp(tl.Layer(), 1, kNumLayers);
    if (mode == TTxtLblMode::tlOff || !tl.Visible() || !FLayerVisib[LayerIx(layer)]) continue;
    if (mode > TTxtLblMode::tlShadow) continue;

    // The anchor in control pixels.
    std::int32_t wx = 0, wy = 0;
    const TTxtLblAttachMode attach = tl.AttachToData();
    if (attach != TTxtLblAttachMode::tamNone) R2M(layer, tl.PosX(), tl.PosY(), wx, wy);
    const bool worldX = attach == TTxtLblAttachMode::tamXOnly || attach == TTxtLblAttachMode::tamBoth;
    const bool worldY = attach == TTxtLblAttachMode::tamYOnly || attach == TTxtLblAttachMode::tamBoth;
    std::int64_t x = worldX ? wx : detail::ClampPixel(tl.PosX());
    std::int64_t y = worldY ? wy : detail::ClampPixel(tl.PosY());
    // From here on in canvas pixels.
    x = LimitLabelPixel(x) + shiftX;
    y = LimitLabelPixel(y) + shiftY;

    canvas.Font = tl.Font();
    if (printer) canvas.Font.PixelsPerInch = ppi;
    canvas.TextAlign = TTextAlign{};
    canvas.Pen = TPen{};
    canvas.Pen.Color = tl.ColorBorder();
    canvas.Brush.Color = tl.ColorBkg();
    canvas.Brush.Style = tl.Transparent() ? TBrushStyle::bsClear : TBrushStyle::bsSolid;

    const std::string_view caption = tl.Caption();
    std::int64_t n = 0, w = 0;
    ForEachLine(caption, [&](std::string_view line) {
      ++n;
      w = std::max<std::int64_t>(w, canvas.TextWidth(line));
    });
    if (w == 0) w = canvas.TextWidth(caption);
    const std::int64_t h = canvas.TextHeight(caption);
    const std::int64_t blockH = h * n;

    switch (tl.VerticalAlignment()) {
      case TVerticalAlignment::vaTop: y += blockH; break;
      case TVerticalAlignment::vaCenter: y += blockH / 2; break;
      default: break;
    }
    switch (tl.Alignment()) {
      case TAlignment::taRightJustify: x -= w; break;
      case TAlignment::taCenter: x -= w / 2; break;
      default: break;
    }

    auto box = [&](std::int64_t ddx, std::int64_t ddy) {
      canvas.Rectangle(Sat32(x - kBoxPadX + ddx), Sat32(y - blockH - kBoxPadY + ddy), Sat32(x + w + kBoxPadX + ddx),
                       Sat32(y + kBoxPadY + ddy));
    };
    switch (mode) {
      case TTxtLblMode::tlSimple:
      case TTxtLblMode::tlUnderline:
        if (!tl.Transparent()) {
          canvas.Pen.Color = tl.ColorBkg();
          box(0, 0);
          canvas.Pen.Color = tl.ColorBorder();
        }
        if (mode == TTxtLblMode::tlUnderline) {
          canvas.MoveTo(Sat32(x), Sat32(y));
          canvas.LineTo(Sat32(x + w), Sat32(y));
        }
        break;
      case TTxtLblMode::tlBox: box(0, 0); break;
      case TTxtLblMode::tlShadow:
        canvas.Pen.Color = tl.ColorShadow();
        canvas.Brush.Color = tl.ColorShadow();
        box(tl.ShadowDx(), tl.ShadowDy());
        canvas.Pen.Color = tl.ColorBorder();
        canvas.Brush.Color = tl.ColorBkg();
        box(0, 0);
        break;
      default: break;
    }

    std::int64_t k = 0;
    ForEachLine(caption, [&](std::string_view line) {
      std::int64_t lx = x;
      if (n > 1) {
        const std::int64_t lw = canvas.TextWidth(line);
        if (tl.Alignment() == TAlignment::taRightJustify)
          lx += w - lw;
        else if (tl.Alignment() == TAlignment::taCenter)
          lx += (w - lw) / 2;
      }
      canvas.TextOut(Sat32(lx), Sat32(y - h * (n - k)), line);
      ++k;
    });
  }
  canvas.Pen.Width = 1;
}

}  // namespace mivo
