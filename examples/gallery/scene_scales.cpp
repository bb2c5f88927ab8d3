// The scale sheet: the four scale types, logarithmic scales, time spans,
// calendar scales from hundredths of a second to centuries, user texts,
// inscriptions and the three caption anchors. Each scale paints opaque onto
// the sheet through the foreign canvas, under a title saying what it shows.

#include <functional>
#include <string>

#include "gallery.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/datetime.h"
#include "mivo/scale/scale.h"

namespace {

using namespace mivo;

constexpr std::int32_t kTitleHeight = 16;

void Panel(TBitmap& sheet, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, const std::string& title,
           const std::function<void(TScale&)>& setup) {
  TCanvas& c = sheet.Canvas();
  c.Brush.Style = TBrushStyle::bsClear;
  c.Font.Color = clNavy;
  c.TextOut(x, y, title);
  TScale s;
  s.SetBounds(0, 0, w, h);
  s.SetMarginLeft(30);
  s.SetMarginRight(30);
  s.UseForeignCanvas(&c, x, y + kTitleHeight);
  setup(s);
  s.ForcePaint();
}

// A horizontal scale with its labels below the base line.
void Horz(TBitmap& sheet, std::int32_t x, std::int32_t y, const std::string& title,
          const std::function<void(TScale&)>& setup) {
  Panel(sheet, x, y, 400, 64, title, [&](TScale& s) {
    s.SetScaleType(TScaleType::sctHorzDown);
    s.SetMarginTop(12);
    setup(s);
  });
}

void Calendar(TBitmap& sheet, std::int32_t x, std::int32_t y, const std::string& title, double lo, double hi,
              const std::function<void(TScale&)>& extra = {}) {
  Horz(sheet, x, y, title, [&](TScale& s) {
    s.SetLabelType(TFigType::ftDateTime);
    s.SetRange(lo, hi);
    if (extra) extra(s);
  });
}

void RenderScales(TBitmap& bmp) {
  bmp.SetSize(1290, 960);
  bmp.Clear(clWhite);
  const std::int32_t c1 = 10, c2 = 440, c3 = 870;
  std::int32_t y = 10;
  const std::int32_t row = 90;

  // The four scale types.
  Panel(bmp, c1, y, 400, 64, "ScaleType 0: ticks up, caption anchored top-left", [](TScale& s) {
    s.SetScaleType(TScaleType::sctHorzUp);
    s.SetMarginBottom(24);
    s.SetCaption("type 0");
    s.SetCaptionAlignment(TAlignment::taLeftJustify);
  });
  Horz(bmp, c2, y, "ScaleType 1: ticks down, -1 ... 1", [](TScale& s) { s.SetRange(-1, 1); });
  Horz(bmp, c3, y, "Reversed range 100 ... 0, no short ticks", [](TScale& s) {
    s.SetRange(100, 0);
    s.SetShortTicks(false);
  });
  y += row;
  Panel(bmp, c1, y, 130, 300, "ScaleType 2", [](TScale& s) {
    s.SetScaleType(TScaleType::sctVertRight);
    s.SetMarginLeft(10);
    s.SetCaption("type 2");
    s.SetCaptionAnchor(TScaleUnitAnchor::uaSclBotRgt);
    s.SetCaptionAlignment(TAlignment::taLeftJustify);
    s.SetMarginBottom(34);  // room under the axis: the caption sits below the "0" label
    s.SetCaptionPosY(14);
  });
  Panel(bmp, c1 + 140, y, 130, 300, "ScaleType 3", [](TScale& s) {
    s.SetScaleType(TScaleType::sctVertLeft);
    s.SetMarginRight(10);
    s.SetRange(-5e6, 5e6);
  });
  Panel(bmp, c1 + 280, y, 130, 300, "vertical log", [](TScale& s) {
    s.SetScaleType(TScaleType::sctVertRight);
    s.SetMarginLeft(10);
    s.SetRange(1, 1000);
    s.SetMinTicks(5);
    s.SetLogarithmic(true);
  });
  Panel(bmp, c2, y, 130, 300, "vertical 1/100 s", [](TScale& s) {
    s.SetScaleType(TScaleType::sctVertRight);
    s.SetMarginLeft(10);
    s.SetLabelType(TFigType::ftDateTime);
    s.SetRange(0.5, 0.5 + 0.8 / 86400);
  });
  Panel(bmp, c2 + 140, y, 130, 300, "vertical message", [](TScale& s) {
    s.SetScaleType(TScaleType::sctVertLeft);
    s.SetMarginRight(10);
    s.SetLabelType(TFigType::ftDateTime);
    s.SetRange(2, 1);
  });
  Panel(bmp, c2 + 280, y, 130, 300, "vertical days", [](TScale& s) {
    s.SetScaleType(TScaleType::sctVertRight);
    s.SetMarginLeft(10);
    s.SetLabelType(TFigType::ftDateTime);
    s.SetRange(EncodeDate(2026, 12, 1), EncodeDate(2026, 12, 24));
  });
  // Captions: the three anchors on horizontal scales.
  std::int32_t cy = y;
  for (auto [anchor, name] : {std::pair{TScaleUnitAnchor::uaSclTopLft, "uaSclTopLft"},
                              std::pair{TScaleUnitAnchor::uaSclCenter, "uaSclCenter"},
                              std::pair{TScaleUnitAnchor::uaSclBotRgt, "uaSclBotRgt"}}) {
    Horz(bmp, c3, cy, std::string("Caption anchored ") + name + ", centred",
         [anchor = anchor](TScale& s) {
           s.SetCaption("metres");
           s.SetCaptionAnchor(anchor);
           s.SetCaptionPosY(32);
           s.SetCaptionPosX(0);
         });
    cy += 100;
  }
  y += 320;

  // Logarithmic scales.
  Horz(bmp, c1, y, "log 1 ... 1e5, automatic decimals", [](TScale& s) {
    s.SetRange(1, 1e5);
    s.SetLogarithmic(true);
  });
  Horz(bmp, c2, y, "log 0.01 ... 10 with intermediate ticks", [](TScale& s) {
    s.SetRange(0.01, 10);
    s.SetMinTicks(6);
    s.SetLogarithmic(true);
  });
  Horz(bmp, c3, y, "log 1 ... 1e8, DecPlaces -3 (exponents)", [](TScale& s) {
    s.SetRange(1, 1e8);
    s.SetDecPlaces(-3);
    s.SetLogarithmic(true);
  });
  y += row;

  // Time spans, user texts, inscriptions, exponent labels.
  Horz(bmp, c1, y, "time span -90 ... 90 s", [](TScale& s) {
    s.SetLabelType(TFigType::ftTime);
    s.SetRange(-90, 90);
  });
  Horz(bmp, c2, y, "time span 0 ... 0.5 s (milliseconds)", [](TScale& s) {
    s.SetLabelType(TFigType::ftTime);
    s.SetMinTicks(2);
    s.SetRange(0, 0.5);
  });
  Horz(bmp, c3, y, "time span 0 ... 10 h", [](TScale& s) {
    s.SetLabelType(TFigType::ftTime);
    s.SetRange(0, 36000);
  });
  y += row;
  Horz(bmp, c1, y, "user texts \"Mon|Tue|Wed|Thu|Fri\"", [](TScale& s) {
    s.SetLabelType(TFigType::ftUserText);
    s.SetUserTickText("Mon|Tue|Wed|Thu|Fri");
    s.SetRange(0, 4);
  });
  Horz(bmp, c2, y, "inscription \"& V\"", [](TScale& s) {
    s.SetScaleInscript("& V");
    s.SetRange(0, 50);
  });
  Horz(bmp, c3, y, "0 ... 2e6: exponent labels", [](TScale& s) { s.SetRange(0, 2e6); });
  y += row;

  // Calendar scales from seconds to centuries.
  const double day = EncodeDate(2026, 12, 7);
  Calendar(bmp, c1, y, "horizontal 0.86 s: below one second", 0.5, 0.50001);
  Calendar(bmp, c2, y, "seconds (30 s)", day + 0.5, day + 0.5 + 30.0 / 86400);
  Calendar(bmp, c3, y, "minutes (1 h), 12-hour clock", day + 0.5, day + 0.5 + 1.0 / 24,
           [](TScale& s) { s.DateFormat().SetTimeFormat(TTimeFormat::tfAMPM); });
  y += row;
  Calendar(bmp, c1, y, "hours across midnight, date at day change", day + 0.6, day + 1.4);
  Calendar(bmp, c2, y, "days (30), year-month-day", day, day + 30,
           [](TScale& s) { s.DateFormat().SetDateOrder(TDateOrder::doYMD); });
  Calendar(bmp, c3, y, "months (1 year)", EncodeDate(2026, 1, 1), EncodeDate(2027, 1, 1));
  y += row;
  Calendar(bmp, c1, y, "years (30)", EncodeDate(2000, 1, 1), EncodeDate(2030, 1, 1));
  Calendar(bmp, c2, y, "centuries (1000 ... 2600)", EncodeDate(1000, 1, 1), EncodeDate(2600, 1, 1));
  Calendar(bmp, c3, y, "hours, \"h\" format, date under every label", day, day + 1, [](TScale& s) {
    s.DateFormat().SetTimeFormat(TTimeFormat::tfHHh);
    s.DateFormat().SetDateForTime(TDateForTime::dtAllTicks);
    s.SetMinTicks(4);
  });
}

MIVO_GALLERY_SCENE("scales.png", RenderScales);

}  // namespace
