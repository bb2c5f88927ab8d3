// TPlot3D rendering: background, bounding box with shaded faces and hidden
// edges, the cells in painter's order, the front edges, then the axes
// (plot3d_axes.cpp). No depth buffer: what is nearer is drawn later.
#include <algorithm>
#include <cmath>
#include <vector>

#include "mivo/base/frames.h"
#include "mivo/base/unit_cube.h"
#include "mivo/platform/colors.h"
#include "mivo/plot3d/plot3d.h"

namespace mivo {

namespace {

constexpr TColor kFrameHighlight = 0xFFFFFF;
constexpr TColor kFrameLight = 0xC0C0C0;
constexpr TColor kFrameShadow = 0x808080;
constexpr TColor kFrameDark = 0x000000;
constexpr std::int32_t kDesignTextPos = 10;
// Above this r^2 + g^2 + b^2 the background counts as light.
constexpr std::int32_t kLightBackground = 50000;

}  // namespace

void TPlot3D::Paint() {
  const TAntialiasScope antialias(Antialiased());
  if (FSuppressPaint || IsLoading() || !Visible() || FPainting) return;
  FPainting = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } reset{FPainting};
  FGrafBmp.SetSize(std::clamp(FWidth, 0, MaxSurfaceSide), std::clamp(FHeight, 0, MaxSurfaceSide));
  TCanvas& c = FGrafBmp.Canvas();
  c.Font = Font();
  InitGraf(c);
  if (!IsDesigning()) ConstructDataBmp(c);
  DrawFrame(c, FFrameStyle, 0, 0, FWidth - 1, FHeight - 1, kFrameHighlight, kFrameLight, kFrameShadow, kFrameDark,
            FFrameCol);
  Canvas().Draw(0, 0, FGrafBmp);
}

void TPlot3D::InitGraf(TCanvas& canvas) {
  if (&canvas == &FGrafBmp.Canvas())
    FGrafBmp.SetSize(std::clamp(FWidth, 0, MaxSurfaceSide), std::clamp(FHeight, 0, MaxSurfaceSide));
  canvas.Pen.Style = TPenStyle::psSolid;
  canvas.Pen.Mode = TPenMode::pmCopy;
  canvas.Pen.Width = 1;
  canvas.Brush.Style = TBrushStyle::bsSolid;
  canvas.Pen.Color = FColorBakGnd;
  canvas.Brush.Color = FColorBakGnd;
  canvas.FillRect(Rect(0, 0, FWidth, FHeight));
  if (IsDesigning()) {
    const TColor bg = ColorToRGB(FColorBakGnd);
    const std::int32_t r = GetRValue(bg), g = GetGValue(bg), b = GetBValue(bg);
    canvas.Font.Color = r * r + g * g + b * b > kLightBackground ? clBlack : clWhite;
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.TextOut(kDesignTextPos, kDesignTextPos, "Plot3D");
    canvas.Brush.Style = TBrushStyle::bsSolid;
  }
}

TColorCoding TPlot3D::ColorCoding() const {
  TColorCoding coding;
  coding.Mode = FColorCodingMode;
  coding.Low = FColorScaleLow;
  coding.High = FColorScaleHigh;
  coding.ColorLow = FColorFillLow;
  coding.ColorMid = FColorFillMid;
  coding.ColorHigh = FColorFillHigh;
  coding.IsoColors = &IsoColors;
  return coding;
}

TColor TPlot3D::CalcColorCoding(double value) const { return ColorCoding().Calc(value); }

void TPlot3D::ConstructDataBmp(TCanvas& canvas, bool) {
  const TProjection proj = Projection();
  const std::int32_t s = FarthestCorner(FRotMat);
  const std::int32_t o = 7 - s;
  auto cornerPixel = [&](std::int32_t i) {
    const TPoint3DDouble& p = FCubeCorners[std::size_t(i)];
    return proj.Project(p.x, p.y, p.z);
  };
  canvas.Pen.Style = TPenStyle::psSolid;
  canvas.Pen.Mode = TPenMode::pmCopy;
  canvas.Pen.Width = 1;

  // Box faces behind the surface, then its hidden edges.
  if (FBoundBox != TBoundingBox::bbNone) {
    canvas.Pen.Color = FColorCubeFrame;
    for (std::uint8_t face : CubeCornerFaces[std::size_t(o)]) {
      TPoint pts[4];
      double h = 0;
      for (std::size_t k = 0; k < 4; ++k) {
        const std::int32_t corner = CubeFaceCorners[face][k];
        pts[k] = cornerPixel(corner);
        h += CornerDepth(FRotMat, corner);
      }
      canvas.Brush.Color = FaceColor(FColorCubeFaceLo, FColorCubeFaceHi, FaceShade(h));
      canvas.Brush.Style = FBoundBox == TBoundingBox::bbFrame ? TBrushStyle::bsClear : TBrushStyle::bsSolid;
      canvas.Polygon(pts);
    }
    canvas.Pen.Color = FColorCubeHidLin;
    const TPoint ps = cornerPixel(s);
    for (std::uint8_t n : CubeCornerNeighbours[std::size_t(s)]) {
      canvas.MoveTo(ps.x, ps.y);
      const TPoint pn = cornerPixel(n);
      canvas.LineTo(pn.x, pn.y);
    }
  }

  RenderCells(canvas);

  // Front edges over the surface.
  if (FBoundBox != TBoundingBox::bbNone) {
    canvas.Pen.Color = FColorCubeFrame;
    const TPoint po = cornerPixel(o);
    for (std::uint8_t n : CubeCornerNeighbours[std::size_t(o)]) {
      canvas.MoveTo(po.x, po.y);
      const TPoint pn = cornerPixel(n);
      canvas.LineTo(pn.x, pn.y);
    }
  }

  DrawAxes(canvas, o);
  if (OnDataRendered) OnDataRendered(*this, canvas);
}

void TPlot3D::RenderCells(TCanvas& canvas) {
  const std::int32_t nc = GridMat.NrOfColumns(), nr = GridMat.NrOfRows();
  // The maps follow the grid even when it changed while painting was suppressed.
  if (ProjMapX.NrOfColumns() != nc || ProjMapX.NrOfRows() != nr) ProjMapX.Resize(nc, nr);
  if (ProjMapY.NrOfColumns() != nc || ProjMapY.NrOfRows() != nr) ProjMapY.Resize(nc, nr);
  if (ProjMapZ.NrOfColumns() != nc || ProjMapZ.NrOfRows() != nr) ProjMapZ.Resize(nc, nr);
  canvas.Brush.Color = FColorFillHigh;
  canvas.Brush.Style = TBrushStyle::bsSolid;
  canvas.Pen.Color = FColorMesh;
  FCellSkipped.clear();
  if (nc < 2 || nr < 2) return;
  FCellSkipped.assign(std::size_t(nc - 1) * std::size_t(nr - 1), 0);

  const TProjection proj = Projection();
  const TCellOrder order = CellDrawOrder(FViewAngle[0], FViewAngle[2]);
  std::vector<double> xs(std::size_t(nc) + 1), ys(std::size_t(nr) + 1);
  for (std::int32_t c = 1; c <= nc; ++c) xs[std::size_t(c)] = GridNodeCoord(c, nc);
  for (std::int32_t r = 1; r <= nr; ++r) ys[std::size_t(r)] = GridNodeCoord(r, nr);

  // Every node's pixel, projected once; cells share their corners.
  const auto values = GridMat.Data();
  std::vector<TPoint> pix(std::size_t(nc) * std::size_t(nr));
  for (std::int32_t r = 1; r <= nr; ++r)
    for (std::int32_t c = 1; c <= nc; ++c) {
      const std::size_t idx = std::size_t(r - 1) * std::size_t(nc) + std::size_t(c - 1);
      pix[idx] = proj.Project(xs[std::size_t(c)], ys[std::size_t(r)], CalcIntZ(values[idx]));
    }

  const TColorCoding coding = ColorCoding();

  for (std::int32_t m = 1; m <= nr - 1; ++m) {
    const std::int32_t k = order.RowsAscending ? m : nr - m;
    for (std::int32_t r = 1; r <= nc - 1; ++r) {
      const std::int32_t l = order.ColumnsAscending ? r : nc - r;
      // P1 (L, K), P2 (L+1, K), P3 (L+1, K+1), P4 (L, K+1).
      const std::int32_t cols[4] = {l, l + 1, l + 1, l};
      const std::int32_t rows[4] = {k, k, k + 1, k + 1};
      const std::int32_t ranks[4] = {(m - 1) * nc + r, (m - 1) * nc + r + 1, m * nc + r + 1, m * nc + r};
      TQuad quad;
      double maxv = 0, sum = 0;
      bool missing = false;
      for (std::int32_t q = 0; q < 4; ++q) {
        const std::size_t idx = std::size_t(rows[q] - 1) * std::size_t(nc) + std::size_t(cols[q] - 1);
        quad.P[q] = pix[idx];
        ProjMapX.SetElem(cols[q], rows[q], pix[idx].x);
        ProjMapY.SetElem(cols[q], rows[q], pix[idx].y);
        ProjMapZ.SetElem(cols[q], rows[q], ranks[q]);
        const double v = values[idx];
        if (std::isnan(v)) missing = true;
        if (q == 0 || v > maxv) maxv = v;
        sum += v;
      }
      // A corner without a value leaves the cell out.
      if (missing) {
        FCellSkipped[std::size_t(k - 1) * std::size_t(nc - 1) + std::size_t(l - 1)] = 1;
        continue;
      }
      TColor color = coding.Calc(FColorCodeAvg ? sum / 4 : maxv);
      bool handled = false;
      if (OnBeforeRenderPolygon) OnBeforeRenderPolygon(*this, canvas, handled, l, k, quad, color);
      if (handled) continue;
      canvas.Brush.Color = color;
      if (!FMeshVisible) canvas.Pen.Color = color;
      const TPoint* p = quad.P;
      if (FMeshKind == TMeshKind::mkMesh) {
        canvas.Polygon(quad.P);
        continue;
      }
      // The other kinds fill in the cell's colour and draw their mesh lines
      // (or node pixels) whatever MeshVisible says.
      canvas.Pen.Color = color;
      canvas.Polygon(quad.P);
      canvas.Pen.Color = FColorMesh;
      auto line = [&canvas](TPoint a, TPoint b) {
        canvas.MoveTo(a.x, a.y);
        canvas.LineTo(b.x, b.y);
      };
      switch (FMeshKind) {
        case TMeshKind::mkWaterfallHorz:
          line(p[0], p[3]);
          line(p[2], p[1]);
          break;
        case TMeshKind::mkWaterfallVert:
          line(p[0], p[1]);
          line(p[2], p[3]);
          break;
        case TMeshKind::mkWaterfallDiag:
          line(p[0], p[2]);
          break;
        default:  // mkGrid
          for (std::size_t q : {0u, 1u, 3u, 2u}) canvas.SetPixel(p[q].x, p[q].y, FColorMesh);
          break;
      }
    }
  }
}

void TPlot3D::DrawOnForeignCanvas(TCanvas& cv) {
  FSuppressPaint = true;
  const TAntialiasScope antialias(Antialiased());
  cv.Font = Font();
  ConstructDataBmp(cv);
  SetSuppressPaint(false);
}

}  // namespace mivo
