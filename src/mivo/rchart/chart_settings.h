#pragma once
// The settings of a chart as one value with its defaults: what a new chart
// and ResetComp start from, what Assign copies from another chart. The
// published properties take their defaults from here as well.
//
// The chart derives from it privately, so its code reads these as its own
// fields (hence the field-style names); nothing outside the chart sees them.

#include <array>
#include <cstdint>
#include <string>

#include "mivo/base/enums.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/export.h"
#include "mivo/rchart/rchart_types.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

inline constexpr TColor kDefaultFillColor = 0xC0C0C0;

namespace detail {

constexpr std::array<bool, 256> AllClassesVisible() {
  std::array<bool, 256> a{};
  a.fill(true);
  return a;
}

}  // namespace detail

struct TChartSettings {
  // Layers and item classes.
  std::int32_t FActiveLayer = 1;
  std::array<bool, 2> FLayerVisib{true, true};
  std::array<bool, 256> FItClassVisib = detail::AllClassesVisible();
  std::array<bool, 2> FMouseAffLayer{true, false};
  bool FAvoidDupMarks = false;
  std::int32_t FDupMarksMinD = 1;

  // Drawing state stamped into new items.
  TColor RcDataCol = clBlack;
  TPenStyle RcPenStyle = TPenStyle::psSolid;
  std::uint8_t RcLineWid = 1;
  TColor RcFillCol = kDefaultFillColor;
  bool FTranspItems = false;
  std::uint8_t RcClassDefault = 0;
  std::int32_t FDataTag = 0;
  TAlignment FTextAlignment = TAlignment::taCenter;
  TFontStyles FTextFontStyle;
  TTextBkg FTextBkStyle = TTextBkg::tbClear;
  TColor FTextBkColor = clWhite;

  // Geometry: the margins and caption of the first standard layout, which a
  // new chart has.
  std::int32_t RcLRim = 50, RcRRim = 20, RcTRim = 20, RcBRim = 40;
  std::int32_t F3DRim = 0;
  bool FIsometric = false;
  TrcLayout FStdLayout = TrcLayout::rcl_X1Bottom_Y1Left;

  // Frame, caption and grid.
  TColor RcWindCol = clBtnFace, RcChartCol = clWhite, FChartFrameCol = clBlack, FShadowColor = clGrayText,
         RcShadowBakCol = clBtnFace;
  TShadowStyle RcShadowStyle = TShadowStyle::ssFlying;
  std::string FChartCaption;
  std::int32_t FCaptPosX = 0, FCaptPosY = -16;
  TAlignment FCaptAlignment = TAlignment::taRightJustify;
  TCaptionAnchorHoriz FCaptAnchorX = TCaptionAnchorHoriz::cahChartRight;
  TCaptionAnchorVert FCaptAnchorY = TCaptionAnchorVert::cavChartTop;
  GridStyleType RcGridStyle = GridStyleType::gsNone;
  TColor RcGridCol = clBlack;
  double RcGridDx = 0, RcGridDy = 0;
  bool FAutoRedraw = true;

  // Mouse.
  TMouseActMode RcMouseAction = TMouseActMode::maNone;
  bool FMCurFixed = true;
  double FPanGridDx = 1, FPanGridDy = 1;
  TColor FMTraceColor = clWhite;
  bool FMTraceInvert = true;
  bool FMouseWheelZoom = false;

  // The zoom confinement window (x low, y low, x high, y high); all zero: none.
  std::array<long double, 4> FZoomRange{};
};

}  // namespace mivo
MIVO_PUBLIC_END
