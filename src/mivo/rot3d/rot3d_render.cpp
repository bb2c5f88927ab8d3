// TRot3D rendering: the box faces seen from the viewer's side, the axes, the
// hidden box edges, the rendering objects in insertion order (no depth
// sorting), the front edges and the axis names.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "mivo/base/frames.h"
#include "mivo/base/marks.h"
#include "mivo/base/unit_cube.h"
#include "mivo/rot3d/rot3d.h"

namespace mivo {

namespace {

constexpr TColor kFrameHighlight = 0xFFFFFF;
constexpr TColor kFrameLight = 0xC0C0C0;
constexpr TColor kFrameShadow = 0x808080;
constexpr TColor kFrameDark = 0x000000;
constexpr TColor kBlack = 0x000000;
constexpr TColor kWhite = 0xFFFFFF;
// Axis names stand this far (model units) beyond the axis ends.
constexpr std::int32_t kAxisNameGap = 50;
constexpr std::uint8_t kDigitMarks = 10;

void CentredText(TCanvas& canvas, const std::string& text, TPoint at) {
  canvas.TextOut(at.x - canvas.TextWidth(text) / 2, at.y - canvas.TextHeight(text) / 2, text);
}

// A character mark's text: the single-byte code as UTF-8 (codes from 128 on
// are taken as Latin-1).
std::string CharMarkText(std::uint8_t m) {
  if (m < 0x80) return std::string(1, char(m));
  return {char(0xC0 | (m >> 6)), char(0x80 | (m & 0x3F))};
}

}  // namespace

void TRot3D::Paint() {
  const TAntialiasScope antialias(Antialiased());
  if (!Visible() || FPainting) return;
  FPainting = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } reset{FPainting};
  TCanvas& c = FGrafBmp.Canvas();
  InitGraf(c, false);
  c.Font = Font();
  ConstructDataBmp(c, false);
  DrawFrame(c, FFrameStyle, 0, 0, FWidth - 1, FHeight - 1, kFrameHighlight, kFrameLight, kFrameShadow, kFrameDark,
            FFrameCol);
  Canvas().Draw(0, 0, FGrafBmp);
}

void TRot3D::InitGraf(TCanvas& canvas, bool blkWhite) {
  if (&canvas == &FGrafBmp.Canvas())
    FGrafBmp.SetSize(std::clamp(FWidth, 0, MaxSurfaceSide), std::clamp(FHeight, 0, MaxSurfaceSide));
  const TColor bg = blkWhite ? kWhite : FChartCol;
  canvas.Pen.Style = TPenStyle::psSolid;
  canvas.Pen.Mode = TPenMode::pmCopy;
  canvas.Pen.Width = 1;
  canvas.Brush.Style = TBrushStyle::bsSolid;
  canvas.Pen.Color = bg;
  canvas.Brush.Color = bg;
  canvas.FillRect(Rect(0, 0, FWidth, FHeight));
}

TPoint TRot3D::AxisPoint(std::size_t column, std::int32_t length) const {
  return ProjectClamped(FRotMat, FMagnify, FCentX, FCentY, column == 0 ? length : 0, column == 1 ? length : 0,
                        column == 2 ? length : 0);
}

void TRot3D::DrawBoxEdges(TCanvas& canvas, std::int32_t corner, TColor color) {
  canvas.Pen.Color = color;
  const auto& from = FCubeCorners[std::size_t(corner)];
  const TPoint a = ProjectModel(from[0], from[1], from[2]);
  for (std::uint8_t n : CubeCornerNeighbours[std::size_t(corner)]) {
    const auto& to = FCubeCorners[n];
    canvas.MoveTo(a.x, a.y);
    const TPoint b = ProjectModel(to[0], to[1], to[2]);
    canvas.LineTo(b.x, b.y);
  }
}

// Leaves the canvas font as `label.DataFont`, which it must be on entry.
void TRot3D::DrawMark(TCanvas& canvas, std::int32_t obj, TPoint at, TColor color, TLabelScratch& label) {
  const TFont& dataFont = label.DataFont;
  const std::uint8_t m = FObjects.FRotMark[std::size_t(obj)];
  canvas.Pen.Color = color;
  canvas.Brush.Color = color;
  canvas.Brush.Style = TBrushStyle::bsSolid;
  if (m < kFirstCharMark) {
    DrawMarkOnCanvas(canvas, m, at.x, at.y);
    if (!OnLblRequest) return;
    // Text and font reuse their storage from mark to mark.
    std::string& text = label.Text;
    TFont& font = label.Font;
    text.clear();
    font = dataFont;
    std::int32_t dx = 0, dy = 0;
    TAlignment hAlign = TAlignment::taCenter;
    TVerticalAlignment vAlign = TVerticalAlignment::vaCenter;
    OnLblRequest(*this, obj, text, dx, dy, hAlign, vAlign, font);
    if (text.empty()) return;
    canvas.Font = font;
    canvas.Brush.Style = TBrushStyle::bsClear;
    const std::int32_t w = canvas.TextWidth(text), h = canvas.TextHeight(text);
    if (hAlign == TAlignment::taRightJustify) dx -= w;
    if (hAlign == TAlignment::taCenter) dx -= w / 2;
    if (vAlign == TVerticalAlignment::vaCenter) dy -= h / 2;
    if (vAlign == TVerticalAlignment::vaBottom) dy -= h;
    canvas.TextOut(at.x + dx, at.y + dy, text);
    canvas.Font = dataFont;
    canvas.Brush.Style = TBrushStyle::bsSolid;
    return;
  }
  const bool digit = m >= kFirstDigitMark && m < kFirstDigitMark + kDigitMarks;
  const std::string text = digit ? std::string(1, char('0' + (m - kFirstDigitMark))) : CharMarkText(m);
  canvas.Font.Name = Font().Name;
  canvas.Font.Style = FTextFontStyle;
  canvas.Font.Size = FTextMarkSize;
  canvas.Font.Color = color;
  canvas.Brush.Style = TBrushStyle::bsClear;
  CentredText(canvas, text, at);
  canvas.Font = dataFont;
  canvas.Brush.Style = TBrushStyle::bsSolid;
}

void TRot3D::ConstructDataBmp(TCanvas& canvas, bool blkWhite) {
  if (OnBeforeRenderData) OnBeforeRenderData(*this, canvas);
  const bool box = FBoundBox != TBoundingBox::bbNone;
  const std::int32_t near = NearestBoxCorner(FRotMat);
  const std::int32_t far = kCubeCorners - 1 - near;
  canvas.Pen.Width = 1;

  if (box) {
    canvas.Pen.Color = FColorCubeFrame;
    canvas.Brush.Style = FBoundBox == TBoundingBox::bbFrame ? TBrushStyle::bsClear : TBrushStyle::bsSolid;
    for (std::uint8_t face : CubeCornerFaces[std::size_t(near)]) {
      std::array<TPoint, 4> pts;
      for (std::size_t k = 0; k < 4; ++k) {
        const auto& c = FCubeCorners[CubeFaceCorners[face][k]];
        pts[k] = ProjectModel(c[0], c[1], c[2]);
      }
      canvas.Brush.Color = BoxFaceColor(FColorCubeFaceLo, FColorCubeFaceHi, BoxFaceShade(FRotMat, face));
      canvas.Polygon(pts);
    }
  }

  if (FShowAxes) {
    const std::int32_t inside = std::min(FAxSize, FBBSize);
    for (std::size_t col : {std::size_t(2), std::size_t(1), std::size_t(0)}) {
      canvas.Pen.Color = FColorCubeHidLin;
      canvas.MoveTo(FCentX, FCentY);
      const TPoint a = AxisPoint(col, inside);
      canvas.LineTo(a.x, a.y);
      canvas.Pen.Color = FColorCubeFrame;
      const TPoint b = AxisPoint(col, FAxSize);
      canvas.LineTo(b.x, b.y);
    }
  }

  if (box) DrawBoxEdges(canvas, far, FColorCubeHidLin);

  canvas.Brush.Style = TBrushStyle::bsSolid;
  TLabelScratch label{canvas.Font, {}, {}};
  for (std::int32_t i = 0; i < FObjects.NRotObj; ++i) {
    const std::size_t o = std::size_t(i);
    const std::uint8_t prop = FObjects.FRotProp[o];
    const TColor h = blkWhite ? kBlack : FItemColors[prop & kR3ColorMask];
    const TPoint at = ProjectModel(FObjects.FRotDataX[o], FObjects.FRotDataY[o], FObjects.FRotDataZ[o]);
    switch (prop & kR3ActionMask) {
      case kR3MoveTo:
        canvas.MoveTo(at.x, at.y);
        break;
      case kR3DrawTo:
        // Compared with the pen itself, so marks drawn in between cannot
        // leave a line in their colour.
        if (canvas.Pen.Color != h) canvas.Pen.Color = h;
        canvas.Pen.Width = FObjects.FLineWid[o];
        canvas.LineTo(at.x, at.y);
        break;
      case kR3Mark:
        DrawMark(canvas, i, at, h, label);
        break;
      default:
        break;
    }
  }

  canvas.Pen.Width = 1;
  if (box) DrawBoxEdges(canvas, near, FColorCubeFrame);

  if (FShowAxes) {
    canvas.Font = Font();
    canvas.Brush.Style = TBrushStyle::bsClear;
    for (std::size_t col : {std::size_t(2), std::size_t(1), std::size_t(0)})
      CentredText(canvas, FAxName[col], AxisPoint(col, FAxSize + kAxisNameGap));
    canvas.Brush.Style = TBrushStyle::bsSolid;
  }
  if (OnDataRendered) OnDataRendered(*this, canvas);
}

}  // namespace mivo
