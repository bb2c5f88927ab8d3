// The 2D chart sheets: every item kind, the two layers on four axes, the five
// standard layouts, the grid styles and spacings, shadows and captions, the
// data-area background (image fill modes and coloured areas), crosshairs,
// text labels and black-and-white rendering. Each panel is a TCustomRChart
// painted headless and copied onto the sheet under a title saying what it
// shows; panels set up through the public API only.

#include <cmath>
#include <filesystem>
#include <functional>
#include <numbers>
#include <string>

#include "gallery.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"
#include "mivo/rchart/rchart.h"

namespace {

using namespace mivo;

constexpr std::int32_t kTitleHeight = 18;
constexpr std::int32_t kGap = 10;

struct TSheet {
  TBitmap& Bmp;
  std::int32_t PanelW, PanelH;
};

TSheet Sheet(TBitmap& bmp, std::int32_t cols, std::int32_t rows, std::int32_t panelW = 300,
             std::int32_t panelH = 220) {
  bmp.SetSize(kGap + cols * (panelW + kGap), kGap + rows * (panelH + kTitleHeight + kGap));
  bmp.Clear(clWhite);
  return {bmp, panelW, panelH};
}

// One chart of the panel's size, set up with painting held, then painted
// once and copied (with its crosshairs) onto the sheet.
void Panel(TSheet& sheet, std::int32_t col, std::int32_t row, const std::string& title,
           const std::function<void(TCustomRChart&)>& setup) {
  const std::int32_t x = kGap + col * (sheet.PanelW + kGap);
  const std::int32_t y = kGap + row * (sheet.PanelH + kTitleHeight + kGap);
  TCanvas& c = sheet.Bmp.Canvas();
  c.Brush.Style = TBrushStyle::bsClear;
  c.Font = TFont{};
  c.Font.Color = clNavy;
  c.TextOut(x, y, title);
  TCustomRChart chart;
  chart.SetSuppressPaint(true);
  chart.SetBounds(0, 0, sheet.PanelW, sheet.PanelH);
  chart.SetRange(1, 0, 0, 10, 10);
  try {
    setup(chart);
    chart.SetSuppressPaint(false);
    chart.Paint();
    c.Draw(x, y + kTitleHeight, chart.Surface());
  } catch (const std::exception& e) {
    c.Font.Color = clRed;
    c.TextOut(x, y + kTitleHeight + 20, std::string("error: ") + e.what());
  }
}

// A damped wave as a line-to chain on the active layer.
void Wave(TCustomRChart& c, double x0, double x1, double y0, double amp, std::int32_t n = 120) {
  for (std::int32_t i = 0; i <= n; ++i) {
    const double x = x0 + (x1 - x0) * i / n;
    const double y = y0 + amp * std::sin(x * 1.7) * std::exp(-0.12 * (x - x0));
    if (i == 0) c.MoveTo(x, y);
    else c.DrawTo(x, y);
  }
}

// ---------------------------------------------------------------- item kinds

void RenderItems(TBitmap& bmp) {
  TSheet s = Sheet(bmp, 6, 3);
  Panel(s, 0, 0, "tkMarkAt: mark types 1 ... 24", [](TCustomRChart& c) {
    for (std::int32_t m = 1; m <= 24; ++m) {
      c.SetDataColor(m % 2 ? clNavy : clMaroon);
      c.SetFillColor(clYellow);
      c.MarkAt(1 + (m - 1) % 6 * 1.6, 8.5 - (m - 1) / 6 * 2.2, std::uint8_t(m));
    }
    c.MarkAt(11, 5, 1);  // outside the x range: not drawn
  });
  Panel(s, 1, 0, "tkLine: pen styles and widths", [](TCustomRChart& c) {
    const TPenStyle styles[] = {TPenStyle::psSolid, TPenStyle::psDash, TPenStyle::psDot, TPenStyle::psDashDot,
                                TPenStyle::psDashDotDot};
    for (std::int32_t i = 0; i < 5; ++i) {
      c.SetPenStyle(styles[i]);
      c.Line(1, 9 - i, 9, 9 - i);
    }
    c.SetPenStyle(TPenStyle::psSolid);
    c.SetDataColor(clRed);
    for (std::int32_t w = 1; w <= 4; ++w) {
      c.SetLineWidth(std::uint8_t(w));
      c.Line(1, 4.5 - w, 9, 4.5 - w);
    }
  });
  Panel(s, 2, 0, "tkLineto: chains, colour change mid-chain", [](TCustomRChart& c) {
    c.SetDataColor(clBlue);
    Wave(c, 0, 5, 6, 3);
    c.SetDataColor(clRed);
    for (std::int32_t i = 1; i <= 60; ++i) c.DrawTo(5 + i * 5.0 / 60, 6 + 3 * std::sin((5 + i * 5.0 / 60) * 1.7));
  });
  Panel(s, 3, 0, "tkMoveTo: gaps in a chain", [](TCustomRChart& c) {
    c.SetLineWidth(2);
    c.SetDataColor(clTeal);
    for (std::int32_t k = 0; k < 5; ++k) {
      c.MoveTo(0.5 + k * 2, 2);
      c.DrawTo(1.5 + k * 2, 8);
    }
  });
  Panel(s, 4, 0, "tkRect: solid, transparent, one pixel", [](TCustomRChart& c) {
    c.SetFillColor(clAqua);
    c.Rectangle(1, 1, 4, 5);
    c.SetDataColor(clRed);
    c.SetFillColor(clYellow);
    c.SetTransparentItems(true);
    c.Rectangle(3, 3, 8, 8);
    c.SetTransparentItems(false);
    c.Rectangle(9, 9, 9, 9);
  });
  Panel(s, 5, 0, "tkRectFrame: styles 2 lowered ... 5 engraved", [](TCustomRChart& c) {
    const TFrameStyle styles[] = {TFrameStyle::fsLowered, TFrameStyle::fsRaised, TFrameStyle::fsEmbossed,
                                  TFrameStyle::fsEngraved};
    c.SetFillColor(clSilver);
    for (std::int32_t i = 0; i < 4; ++i)
      c.RectFrame(0.5 + i * 2.4, 3, 2.4 + i * 2.4, 7, styles[i], clGray, clWhite);
  });
  Panel(s, 0, 1, "tk3DBar: angles 30, 45, 90, 135; depth 12", [](TCustomRChart& c) {
    const std::int32_t angles[] = {30, 45, 90, 135};
    const TColor fills[] = {clRed, clLime, clAqua, clYellow};
    for (std::int32_t i = 0; i < 4; ++i) {
      c.SetFillColor(fills[i]);
      c.Bar3D(1 + i * 2.2, 0, 2.4 + i * 2.2, 3 + i * 1.5, 12, angles[i]);
    }
  });
  Panel(s, 1, 1, "tkText: left, right, centred at the cross", [](TCustomRChart& c) {
    const TAlignment al[] = {TAlignment::taLeftJustify, TAlignment::taRightJustify, TAlignment::taCenter};
    for (std::int32_t i = 0; i < 3; ++i) {
      const double y = 8 - i * 3;
      c.SetDataColor(clGray);
      c.Line(4, y, 6, y);
      c.Line(5, y - 0.6, 5, y + 0.6);
      c.SetTextAlignment(al[i]);
      c.SetDataColor(clBlack);
      c.Text(5, y, 10 + i * 2, "Text " + std::to_string(i));
    }
  });
  Panel(s, 2, 1, "tkEllipse: filled, transparent, thick", [](TCustomRChart& c) {
    c.SetFillColor(clFuchsia);
    c.Ellipse(3, 5, 2.5, 4);
    c.SetTransparentItems(true);
    c.SetLineWidth(3);
    c.SetDataColor(clBlue);
    c.Ellipse(6.5, 5, 3, 2);
  });
  Panel(s, 3, 1, "tkMoveRelPix + tkLineRelPix: a pixel star", [](TCustomRChart& c) {
    c.SetDataColor(clPurple);
    for (std::int32_t k = 0; k < 12; ++k) {
      const double a = k * std::numbers::pi / 6;
      c.MoveTo(5, 5);
      c.DrawToRelPix(std::int32_t(std::lround(60 * std::cos(a))), std::int32_t(std::lround(-60 * std::sin(a))));
      c.MoveTo(5, 5);
      c.MoveToRelPix(std::int32_t(std::lround(70 * std::cos(a))), std::int32_t(std::lround(-70 * std::sin(a))));
      c.DrawToRelPix(3, 0);
    }
  });
  Panel(s, 4, 1, "tkArrow: heads 0, 8, 16; filled / open", [](TCustomRChart& c) {
    c.SetFillColor(clRed);
    c.Arrow(1, 1, 9, 2, 0);
    c.Arrow(1, 3, 8, 6, 8);
    c.Arrow(5, 5, 5, 9.5, 16);
    c.SetTransparentItems(true);
    c.Arrow(9, 9, 2, 6, 16);
    c.Arrow(3, 3, 3, 3, 10);  // tail on the tip: one pixel
  });
  Panel(s, 5, 1, "tkTextOfs: pixel offsets from marks", [](TCustomRChart& c) {
    const TAlignment al[] = {TAlignment::taLeftJustify, TAlignment::taRightJustify, TAlignment::taCenter};
    for (std::int32_t i = 0; i < 3; ++i) {
      const double x = 2 + i * 3, y = 3 + i * 2.5;
      c.SetDataColor(clRed);
      c.MarkAt(x, y, 1);
      c.SetDataColor(clBlack);
      c.Text(x, y, 9, "ofs " + std::to_string(i), 12, -14, al[i]);
    }
  });
  Panel(s, 0, 2, "tkRectRelPix: fixed pixel boxes", [](TCustomRChart& c) {
    c.SetFillColor(clLime);
    for (std::int32_t i = 0; i < 5; ++i) c.RectangleRelPix(1 + i * 2, 2 + i * 1.5, 3 + i * 2, 3 + i);
  });
  Panel(s, 1, 2, "tkMarkEBar: vertical and horizontal bars", [](TCustomRChart& c) {
    c.SetDataColor(clNavy);
    for (std::int32_t i = 0; i < 4; ++i) c.MarkErrorBar(1.5 + i * 2, 6, 1 + i * 0.4, -0.6, TOrientation::orVertical, 5);
    c.SetDataColor(clMaroon);
    for (std::int32_t i = 0; i < 3; ++i)
      c.MarkErrorBar(3 + i * 2, 2, 0.5, 0.8 + i * 0.3, TOrientation::orHorizontal, 8);
  });
  Panel(s, 2, 2, "tkLineOffs: one line, shifted by pixels", [](TCustomRChart& c) {
    for (std::int32_t k = 0; k < 6; ++k) {
      c.SetDataColor(k % 2 ? clRed : clBlue);
      c.LineOffset(1, 2, 9, 7, k * 6, -k * 3);
    }
  });
  Panel(s, 3, 2, "tkArc: quarter, half, full, reversed", [](TCustomRChart& c) {
    const double pi = std::numbers::pi;
    c.SetLineWidth(2);
    c.SetDataColor(clRed);
    c.Arc(2.5, 7.5, 2, 2, 0, pi / 2);
    c.SetDataColor(clBlue);
    c.Arc(7.5, 7.5, 2, 1.5, 0, pi);
    c.SetDataColor(clGreen);
    c.Arc(2.5, 2.5, 2, 2, -pi, pi);
    c.SetDataColor(clPurple);
    c.Arc(7.5, 2.5, 2, 2, pi / 2, -pi / 2);
  });
  Panel(s, 4, 2, "classes and layers: class 2 hidden", [](TCustomRChart& c) {
    for (std::int32_t cls = 0; cls < 3; ++cls) {
      c.SetClassDefault(std::uint8_t(cls));
      c.SetDataColor(cls == 0 ? clBlue : cls == 1 ? clGreen : clRed);
      Wave(c, 0, 10, 2.5 + cls * 2.5, 1);
    }
    c.SetClassVisib(2, false);
  });
  Panel(s, 5, 2, "AvoidDuplicateMarks on, distance 3", [](TCustomRChart& c) {
    c.SetAvoidDupMarks(true);
    c.SetDupMarksMinD(3);
    c.SetDataColor(clNavy);
    for (std::int32_t i = 0; i < 2000; ++i) {
      const double t = i * 0.005;
      c.MarkAt(t, 5 + 3 * std::sin(t * 2), 2);
    }
  });
}

// ---------------------------------------------------------------- layers and layouts

// Layer 1 and layer 2 with their own ranges and colours.
void TwoLayers(TCustomRChart& c) {
  c.SetRange(1, 0, -1, 10, 1);
  c.SetRange(2, 100, 0, 1000, 500);
  c.Scale1X().SetCaption("x1 [s]");
  c.Scale1Y().SetCaption("y1 [V]");
  c.Scale2X().SetCaption("x2 [Hz]");
  c.Scale2Y().SetCaption("y2 [mA]");
  c.Scale2X().SetColorScale(clRed);
  c.Scale2Y().SetColorScale(clRed);
  c.SetDataColor(clBlue);
  c.SetActiveLayer(1);
  for (std::int32_t i = 0; i <= 100; ++i) {
    const double x = i * 0.1;
    if (i == 0) c.MoveTo(x, std::sin(x));
    else c.DrawTo(x, std::sin(x));
  }
  c.SetActiveLayer(2);
  c.SetDataColor(clRed);
  for (std::int32_t i = 0; i <= 30; ++i) c.MarkAt(100 + i * 30, 250 + 200 * std::cos(i * 0.3), 3);
  c.SetActiveLayer(1);
}

void RenderLayers(TBitmap& bmp) {
  TSheet s = Sheet(bmp, 3, 1, 420, 320);
  Panel(s, 0, 0, "two layers, four axes (layer 2 red)", [](TCustomRChart& c) {
    c.SetStdLayout(TrcLayout::rcl_X2Both_Y2Both);
    c.SetCaption("rcl_X2Both_Y2Both");
    TwoLayers(c);
  });
  Panel(s, 1, 0, "layer 2 x controlled by layer 1", [](TCustomRChart& c) {
    c.SetStdLayout(TrcLayout::rcl_X2Both_Y2Both);
    TwoLayers(c);
    c.SetRange(2, 0, 0, 10, 500);
    c.JointLayers().SetL02xControlledBy(1);
    c.SetActiveLayer(2);
    c.SetDataColor(clRed);
    for (std::int32_t i = 0; i <= 20; ++i) c.MarkAt(i * 0.5, 250 + 200 * std::sin(i * 0.4), 4);
    c.SetActiveLayer(1);
    c.SetRange(1, 2, -1, 8, 1);  // layer 2 follows in x
    c.SetCaption("joined in x: both layers show x = 2 ... 8");
  });
  Panel(s, 2, 0, "layer 2 hidden", [](TCustomRChart& c) {
    c.SetStdLayout(TrcLayout::rcl_X2Both_Y2Both);
    TwoLayers(c);
    c.SetLayerVisib(2, false);
  });
}

void RenderLayouts(TBitmap& bmp) {
  TSheet s = Sheet(bmp, 3, 2, 420, 320);
  const std::pair<TrcLayout, const char*> layouts[] = {
      {TrcLayout::rcl_X1Bottom_Y1Left, "rcl_X1Bottom_Y1Left"}, {TrcLayout::rcl_X1Bottom_Y2Left, "rcl_X1Bottom_Y2Left"},
      {TrcLayout::rcl_X1Bottom_Y2Both, "rcl_X1Bottom_Y2Both"}, {TrcLayout::rcl_X2Bottom_Y2Left, "rcl_X2Bottom_Y2Left"},
      {TrcLayout::rcl_X2Both_Y2Both, "rcl_X2Both_Y2Both"}};
  for (std::int32_t i = 0; i < 5; ++i) {
    const auto [layout, name] = layouts[i];
    Panel(s, i % 3, i / 3, std::string("StandardLayout ") + name, [layout = layout, name = name](TCustomRChart& c) {
      c.SetStdLayout(layout);
      c.SetCaption(name);
      TwoLayers(c);
    });
  }
  Panel(s, 2, 1, "ScalePos: second left scale 50 px further out", [](TCustomRChart& c) {
    c.SetStdLayout(TrcLayout::rcl_X1Bottom_Y2Left);
    TwoLayers(c);
    c.Scale2Y().SetScalePos(50);
  });
}

// ---------------------------------------------------------------- grids

void RenderGrids(TBitmap& bmp) {
  TSheet s = Sheet(bmp, 4, 3);
  const std::pair<GridStyleType, const char*> styles[] = {
      {GridStyleType::gsNone, "gsNone"},
      {GridStyleType::gsPoints, "gsPoints"},
      {GridStyleType::gsVertLines, "gsVertLines"},
      {GridStyleType::gsHorizLines, "gsHorizLines"},
      {GridStyleType::gsLines, "gsLines"},
      {GridStyleType::gsHorizDotLines, "gsHorizDotLines"},
      {GridStyleType::gsVertDotLines, "gsVertDotLines"},
      {GridStyleType::gsDotLines, "gsDotLines"}};
  for (std::int32_t i = 0; i < 8; ++i) {
    const auto [style, name] = styles[i];
    Panel(s, i % 4, i / 4, std::string("GridStyle ") + name + ", at the ticks", [style = style](TCustomRChart& c) {
      c.SetGridStyle(style);
      c.SetGridColor(clGray);
      c.SetDataColor(clBlue);
      Wave(c, 0, 10, 5, 3);
    });
  }
  Panel(s, 0, 2, "GridDx 0.3, GridDy 2.5, blue grid", [](TCustomRChart& c) {
    c.SetGridStyle(GridStyleType::gsLines);
    c.SetGridColor(clBlue);
    c.SetGridDx(0.3);
    c.SetGridDy(2.5);
  });
  auto logGrid = [](double d) {
    return [d](TCustomRChart& c) {
      c.SetRange(1, 3, 0, 5000, 10);
      c.Scale1X().SetLogAx(true);
      c.SetGridStyle(GridStyleType::gsVertLines);
      c.SetGridColor(clGray);
      c.SetGridDx(d);
    };
  };
  Panel(s, 1, 2, "log x 3 ... 5000, GridDx -1 (decades)", logGrid(-1));
  Panel(s, 2, 2, "log x 3 ... 5000, GridDx -2 (1, 2, 5)", logGrid(-2));
  Panel(s, 3, 2, "log x 3 ... 5000, GridDx -3 (1 ... 9)", logGrid(-3));
}

// ---------------------------------------------------------------- frame

void RenderFrame(TBitmap& bmp) {
  TSheet s = Sheet(bmp, 3, 2);
  auto shadow = [](TShadowStyle style, std::int32_t w) {
    return [style, w](TCustomRChart& c) {
      c.SetShadowStyle(style);
      c.SetF3DRim(w);
      c.SetShadowColor(clGray);
      c.SetCaption("Shadow");
      Wave(c, 0, 10, 5, 3);
    };
  };
  Panel(s, 0, 0, "ShadowStyle 0 (slanted), width 6", shadow(TShadowStyle::ssFlying, 6));
  Panel(s, 1, 0, "ShadowStyle 1 (full, black outline), width 6", shadow(TShadowStyle::ssDrop, 6));
  Panel(s, 2, 0, "ShadowStyle 0, width 16, coloured", [](TCustomRChart& c) {
    c.SetF3DRim(16);
    c.SetShadowColor(clNavy);
    c.SetShadowBakColor(clYellow);
    c.SetWindColor(RGBToColor(230, 236, 245));
  });
  Panel(s, 0, 1, "caption centred over the chart", [](TCustomRChart& c) {
    c.SetCaption("Centred caption");
    c.SetCaptAnchorX(TCaptionAnchorHoriz::cahChartCenter);
    c.SetCaptAlignment(TAlignment::taCenter);
  });
  Panel(s, 1, 1, "caption left at the control, bottom", [](TCustomRChart& c) {
    c.SetCaption("Bottom left");
    c.SetCaptAnchorX(TCaptionAnchorHoriz::cahControlLeft);
    c.SetCaptAnchorY(TCaptionAnchorVert::cavControlBottom);
    c.SetCaptAlignment(TAlignment::taLeftJustify);
    c.SetCaptPosX(4);
    c.SetCaptPosY(-16);
  });
  Panel(s, 2, 1, "colours: window, chart, frame", [](TCustomRChart& c) {
    c.SetWindColor(RGBToColor(40, 44, 52));
    c.SetChartColor(RGBToColor(250, 250, 235));
    c.SetChartFrameColor(clYellow);
    c.Scale1X().SetColorScale(clYellow);
    c.Scale1Y().SetColorScale(clAqua);
    c.SetCaption("Dark window");
    c.Font().Color = clWhite;
    c.SetDataColor(clRed);
    Wave(c, 0, 10, 5, 3);
  });
}

// ---------------------------------------------------------------- background

// A small colour-ramp image written once for the image panels.
std::string BackgroundImage() {
  static const std::string name = [] {
    TBitmap img(48, 32);
    for (std::int32_t y = 0; y < 32; ++y)
      for (std::int32_t x = 0; x < 48; ++x)
        img.Canvas().SetPixel(x, y, (x / 8 + y / 8) % 2 ? RGBToColor(std::uint8_t(120 + 2 * x), 200, 255)
                                                        : RGBToColor(255, std::uint8_t(200 - 3 * y), 120));
    img.Canvas().Pen.Color = clNavy;
    img.Canvas().MoveTo(0, 0);
    img.Canvas().LineTo(47, 31);
    const std::string file = (std::filesystem::temp_directory_path() / "mivo_gallery_background.bmp").string();
    img.SaveToBMP(file);
    return file;
  }();
  return name;
}

void RenderBackground(TBitmap& bmp) {
  TSheet s = Sheet(bmp, 5, 3, 260, 200);
  const std::pair<TBkgFill, const char*> fills[] = {
      {TBkgFill::bfSimple, "image at natural size"}, {TBkgFill::bfStretch, "image stretched"},
      {TBkgFill::bfTile, "image tiled"}};
  for (std::int32_t i = 0; i < 3; ++i) {
    const auto [fill, name] = fills[i];
    Panel(s, i, 0, std::string("FillMode ") + std::to_string(i) + ": " + name, [fill = fill](TCustomRChart& c) {
      c.BackGroundImg().SetIncludePath(true);
      c.BackGroundImg().SetFillMode(fill);
      c.BackGroundImg().SetName(BackgroundImage());
      c.SetDataColor(clRed);
      c.SetLineWidth(2);
      Wave(c, 0, 10, 5, 3);
    });
  }
  Panel(s, 3, 0, "unreadable image: plain background", [](TCustomRChart& c) {
    c.BackGroundImg().SetIncludePath(true);
    c.BackGroundImg().SetName("/nonexistent/background.bmp");
    Wave(c, 0, 10, 5, 3);
  });
  const std::pair<TBGAreaMode, const char*> modes[] = {
      {TBGAreaMode::bamNone, "bamNone"},         {TBGAreaMode::bamLeft, "bamLeft"},
      {TBGAreaMode::bamRight, "bamRight"},       {TBGAreaMode::bamTop, "bamTop"},
      {TBGAreaMode::bamBottom, "bamBottom"},     {TBGAreaMode::bamVStripe, "bamVStripe"},
      {TBGAreaMode::bamHStripe, "bamHStripe"},   {TBGAreaMode::bamRect, "bamRect"},
      {TBGAreaMode::bamRectInv, "bamRectInv"},   {TBGAreaMode::bamVStripeInv, "bamVStripeInv"},
      {TBGAreaMode::bamHStripeInv, "bamHStripeInv"}};
  for (std::int32_t i = 0; i < 11; ++i) {
    const auto [mode, name] = modes[i];
    const std::int32_t slot = i + 4;
    Panel(s, slot % 5, slot / 5, std::string("AreaMode ") + name + ", area 3..7 x 2..6",
          [mode = mode](TCustomRChart& c) {
            TBakGndImg& b = c.BackGroundImg();
            b.SetAreaMode(mode);
            b.SetAreaColor(RGBToColor(255, 225, 170));
            b.SetAreaLeft(3);
            b.SetAreaRight(7);
            b.SetAreaTop(6);
            b.SetAreaBottom(2);
            c.SetGridStyle(GridStyleType::gsDotLines);
            c.SetGridColor(clSilver);
          });
  }
}

// ---------------------------------------------------------------- crosshairs and text labels

void RenderCrossHairs(TBitmap& bmp) {
  TSheet s = Sheet(bmp, 3, 2);
  const std::pair<TCrossHMode, const char*> modes[] = {
      {TCrossHMode::chHoriz, "1 horizontal line"},   {TCrossHMode::chVert, "2 vertical line"},
      {TCrossHMode::chBoth, "3 both lines"},         {TCrossHMode::chSmallCross, "4 small cross"},
      {TCrossHMode::chMarkSquare, "5 marker square"}};
  for (std::int32_t i = 0; i < 5; ++i) {
    const auto [mode, name] = modes[i];
    Panel(s, i % 3, i / 3, std::string("crosshair mode ") + name, [mode = mode](TCustomRChart& c) {
      c.SetDataColor(clBlue);
      Wave(c, 0, 10, 5, 3);
      TCrossHair& ch = c.CrossHair(1);
      ch.SetMode(mode);
      ch.SetPos(4, 5);
      ch.SetColor(clRed);
    });
  }
  Panel(s, 2, 1, "four crosshairs: colours, widths, layers", [](TCustomRChart& c) {
    c.SetDataColor(clBlue);
    Wave(c, 0, 10, 5, 3);
    const TColor colours[] = {clRed, clGreen, clPurple, clTeal};
    const TPenStyle styles[] = {TPenStyle::psSolid, TPenStyle::psDash, TPenStyle::psDot, TPenStyle::psDashDotDot};
    for (std::int32_t n = 1; n <= 4; ++n) {
      TCrossHair& ch = c.CrossHair(n);
      ch.SetLayer(1);
      ch.SetMode(n == 4 ? TCrossHMode::chSmallCross : TCrossHMode::chBoth);
      ch.SetColor(colours[n - 1]);
      ch.SetLineType(styles[n - 1]);
      ch.SetLineWidth(n == 1 ? 3 : 1);
      ch.SetPos(1.5 + 2 * n, 1.5 + 1.6 * n);
    }
  });
}

// Label ix with the given drawing mode and attachment.
TTextLabel& Label(TCustomRChart& c, std::int32_t ix, const std::string& text, double x, double y,
                  TTxtLblMode mode, TTxtLblAttachMode attach = TTxtLblAttachMode::tamBoth) {
  TTextLabel& l = c.TextLabels(ix);
  l.SetLayer(1);
  l.SetAttachToData(attach);
  l.SetPos(x, y);
  l.SetCaption(text);
  l.SetMode(mode);
  l.SetVisible(true);
  return l;
}

void RenderTextLabels(TBitmap& bmp) {
  TSheet s = Sheet(bmp, 3, 2);
  Panel(s, 0, 0, "label modes 1 plain, 2 box, 3 underlined, 4 shadow", [](TCustomRChart& c) {
    Label(c, 1, "mode 1", 3, 8, TTxtLblMode::tlSimple);
    Label(c, 2, "mode 2", 7, 8, TTxtLblMode::tlBox);
    Label(c, 3, "mode 3", 3, 3, TTxtLblMode::tlUnderline);
    Label(c, 4, "mode 4", 7, 3, TTxtLblMode::tlShadow).SetColorBkg(clYellow);
  });
  Panel(s, 1, 0, "attachment: pixels, x world, y world, both", [](TCustomRChart& c) {
    c.SetDataColor(clRed);
    c.MarkAt(5, 5, 1);
    Label(c, 1, "pixels (60, 30)", 60, 30, TTxtLblMode::tlBox, TTxtLblAttachMode::tamNone);
    Label(c, 2, "x = 5 world", 5, 60, TTxtLblMode::tlBox, TTxtLblAttachMode::tamXOnly);
    Label(c, 3, "y = 2 world", 200, 2, TTxtLblMode::tlBox, TTxtLblAttachMode::tamYOnly);
    Label(c, 4, "(5, 5) world", 5, 5, TTxtLblMode::tlBox);
  });
  Panel(s, 2, 0, "alignment left / centre / right at the marks", [](TCustomRChart& c) {
    const TAlignment al[] = {TAlignment::taLeftJustify, TAlignment::taCenter, TAlignment::taRightJustify};
    for (std::int32_t i = 0; i < 3; ++i) {
      const double y = 8 - i * 3;
      c.SetDataColor(clRed);
      c.MarkAt(5, y, 1);
      Label(c, i + 1, "aligned", 5, y, TTxtLblMode::tlBox).SetAlignment(al[i]);
    }
  });
  Panel(s, 0, 1, "vertical alignment top / centre / bottom", [](TCustomRChart& c) {
    const TVerticalAlignment va[] = {TVerticalAlignment::vaTop, TVerticalAlignment::vaCenter,
                                     TVerticalAlignment::vaBottom};
    for (std::int32_t i = 0; i < 3; ++i) {
      const double x = 2 + i * 3;
      c.SetDataColor(clRed);
      c.MarkAt(x, 5, 1);
      Label(c, i + 1, "va " + std::to_string(i), x, 5, TTxtLblMode::tlBox).SetVerticalAlignment(va[i]);
    }
  });
  Panel(s, 1, 1, "multi-line label, transparent label", [](TCustomRChart& c) {
    c.SetDataColor(clBlue);
    Wave(c, 0, 10, 5, 3);
    Label(c, 1, "first line\nsecond line\nthird", 5, 7, TTxtLblMode::tlShadow);
    Label(c, 2, "transparent", 5, 2, TTxtLblMode::tlBox).SetTransparent(true);
  });
  Panel(s, 2, 1, "fonts, colours; layer 2 label hidden with its layer", [](TCustomRChart& c) {
    TTextLabel& a = Label(c, 1, "Bold 12", 5, 7, TTxtLblMode::tlBox);
    TFont f = a.Font();
    f.Size = 12;
    f.Style = TFontStyles{TFontStyle::fsBold};
    f.Color = clMaroon;
    a.SetFont(f);
    a.SetColorBorder(clMaroon);
    Label(c, 2, "on layer 2 (hidden)", 5, 3, TTxtLblMode::tlBox).SetLayer(2);
    c.SetLayerVisib(2, false);
    Label(c, 3, "grey shadow 5 px", 5, 4.5, TTxtLblMode::tlShadow).SetShadowDx(5);
  });
}

// ---------------------------------------------------------------- black and white

void Colourful(TCustomRChart& c) {
  c.SetWindColor(RGBToColor(220, 235, 255));
  c.SetChartColor(RGBToColor(255, 250, 225));
  c.SetGridStyle(GridStyleType::gsDotLines);
  c.SetGridColor(clTeal);
  c.Scale1X().SetColorScale(clRed);
  c.Scale1Y().SetColorScale(clBlue);
  c.SetFillColor(clLime);
  c.Rectangle(1, 1, 3, 4);
  c.SetFillColor(clRed);
  c.Bar3D(4, 0, 5.5, 6, 10, 45);
  c.SetFillColor(clAqua);
  c.Ellipse(8, 7, 1.5, 1.5);
  c.SetDataColor(clBlue);
  c.SetLineWidth(2);
  Wave(c, 0, 10, 5, 3);
  c.SetDataColor(clPurple);
  c.MarkAt(7, 3, 3);
  c.Text(3, 8.5, 10, "colour");
}

void RenderMono(TBitmap& bmp) {
  TSheet s = Sheet(bmp, 3, 1, 360, 260);
  Panel(s, 0, 0, "colour rendering", [](TCustomRChart& c) { Colourful(c); });
  auto mono = [](bool whiteFrame) {
    return [whiteFrame](TCustomRChart& c) {
      Colourful(c);
      if (whiteFrame) {
        c.SetWindColor(clWhite);
        c.SetChartColor(clWhite);
        c.SetGridColor(clBlack);
        c.Scale1X().SetColorScale(clBlack);
        c.Scale1Y().SetColorScale(clBlack);
      }
    };
  };
  // Panels painted as usual, then their data area rendered again in
  // monochrome and laid over the copy on the sheet.
  const std::pair<bool, const char*> kinds[] = {{false, "monochrome items (Mono), colour frame"},
                                                {true, "monochrome items on a black-and-white frame"}};
  for (std::int32_t i = 0; i < 2; ++i) {
    const std::int32_t x = kGap + (i + 1) * (s.PanelW + kGap), y = kGap;
    TCanvas& cv = s.Bmp.Canvas();
    cv.Brush.Style = TBrushStyle::bsClear;
    cv.Font = TFont{};
    cv.Font.Color = clNavy;
    cv.TextOut(x, y, kinds[i].second);
    TCustomRChart c;
    c.SetSuppressPaint(true);
    c.SetBounds(0, 0, s.PanelW, s.PanelH);
    c.SetRange(1, 0, 0, 10, 10);
    mono(kinds[i].first)(c);
    c.SetSuppressPaint(false);
    c.Paint();
    TBitmap data(c.DataAreaWidth(), c.DataAreaHeight());
    c.InitGraf(data.Canvas(), 0, 0, data.Width(), data.Height());
    c.ConstructDataBmp(data, 0, 0, true, 0);
    TBitmap shot(c.Surface());
    shot.Canvas().Draw(c.MarginLeft(), c.MarginTop(), data);
    cv.Draw(x, y + kTitleHeight, shot);
  }
}

MIVO_GALLERY_SCENE("chart-items.png", RenderItems);
MIVO_GALLERY_SCENE("chart-layers.png", RenderLayers);
MIVO_GALLERY_SCENE("chart-layouts.png", RenderLayouts);
MIVO_GALLERY_SCENE("chart-grids.png", RenderGrids);
MIVO_GALLERY_SCENE("chart-frame.png", RenderFrame);
MIVO_GALLERY_SCENE("chart-background.png", RenderBackground);
MIVO_GALLERY_SCENE("chart-crosshairs.png", RenderCrossHairs);
MIVO_GALLERY_SCENE("chart-textlabels.png", RenderTextLabels);
MIVO_GALLERY_SCENE("chart-mono.png", RenderMono);

}  // namespace
