// TPlot3D rendering: the bounding box (faces, hidden and front edges), the
// cells in painter's order with colour coding and mesh kinds, the axes with
// ticks, labels and captions, the node maps, and grids at the edges of what
// can be drawn. Recorded where the primitives are the point, raster pixels
// where the pixels are.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "mivo/base/unit_cube.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/recording_canvas.h"
#include "mivo/plot3d/plot3d.h"

namespace mivo {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TPoint Corner(const TPlot3D& p, std::int32_t i) {
  const auto& c = p.CubeCorners()[std::size_t(i)];
  return p.ProjectModel(c.x, c.y, c.z);
}

std::vector<const TPrimitive*> Polygons(const TRecordingCanvas& rc) { return rc.OfKind(TPrimitiveKind::pkPolygon); }

// A plot with an n x m grid of value `v`, not painting on its own.
void Fill(TPlot3D& p, std::int32_t nc, std::int32_t nr, double v = 0) {
  p.SetSuppressPaint(true);
  p.GridMat.Resize(nc, nr);
  p.GridMat.Fill(v);
  p.SetSuppressPaint(false);
}

TEST(Plot3DBox, DefaultViewFacesAndEdges) {
  TPlot3D p;
  TRecordingCanvas rc;
  p.ConstructDataBmp(rc);
  const auto polys = Polygons(rc);
  ASSERT_EQ(polys.size(), 3u);
  // The faces at corner 7: z = +150, x = +150, y = +150, in that order.
  const std::int32_t faces[3] = {0, 4, 1};
  for (std::size_t f = 0; f < 3; ++f) {
    const auto& corners = CubeFaceCorners[std::size_t(faces[f])];
    double h = 0;
    for (std::size_t k = 0; k < 4; ++k) {
      EXPECT_EQ(polys[f]->Points[k], Corner(p, corners[k])) << "face " << faces[f];
      h += CornerDepth(CalcRotMatrix(60, 15), corners[k]);
    }
    EXPECT_EQ(polys[f]->State.Brush.Color, FaceColor(0xC0C0C0, 0xFEEFEE, FaceShade(h)));
    EXPECT_EQ(polys[f]->State.Brush.Style, TBrushStyle::bsSolid);
    EXPECT_EQ(polys[f]->State.Pen.Color, 0x404040u);
  }
  // Hidden edges from corner 0, front edges from corner 7.
  for (std::int32_t n : {1, 2, 4}) EXPECT_TRUE(rc.HasLine(Corner(p, 0), Corner(p, n), 0xB0B0B0)) << n;
  for (std::int32_t n : {3, 5, 6}) EXPECT_TRUE(rc.HasLine(Corner(p, 7), Corner(p, n), 0x404040)) << n;
}

TEST(Plot3DBox, OutlinedAndNoBox) {
  TPlot3D p;
  p.SetBoundBoxStyle(TBoundingBox::bbFrame);
  TRecordingCanvas rc;
  p.ConstructDataBmp(rc);
  const auto polys = Polygons(rc);
  ASSERT_EQ(polys.size(), 3u);
  for (const TPrimitive* poly : polys) EXPECT_EQ(poly->State.Brush.Style, TBrushStyle::bsClear);
  p.SetBoundBoxStyle(TBoundingBox::bbNone);
  rc.Clear();
  p.ConstructDataBmp(rc);
  EXPECT_TRUE(Polygons(rc).empty());
  for (const TRecordedLine& l : rc.Lines()) {
    EXPECT_NE(l.Pen.Color, 0xB0B0B0u);
    EXPECT_NE(l.Pen.Color, 0x404040u);
  }
}

TEST(Plot3DBox, FaceSeenSquareOnIsHigh) {
  TPlot3D p;
  p.SetViewAngles(0, 0);  // from straight above: the top face fills the view
  TRecordingCanvas rc;
  p.ConstructDataBmp(rc);
  const auto polys = Polygons(rc);
  ASSERT_EQ(polys.size(), 3u);
  EXPECT_EQ(polys[0]->State.Brush.Color, 0xFEEFEEu);  // z = +150
  EXPECT_EQ(polys[1]->State.Brush.Color, 0xC0C0C0u);  // edge-on
  EXPECT_EQ(polys[2]->State.Brush.Color, 0xC0C0C0u);
}

struct OrderCase {
  double X, Z;
  std::vector<std::pair<std::int32_t, std::int32_t>> Cells;
};
class Plot3DPainterOrder : public ::testing::TestWithParam<OrderCase> {};
TEST_P(Plot3DPainterOrder, CellsFromBackToFront) {
  TPlot3D p;
  Fill(p, 3, 3);
  p.SetViewAngles(GetParam().X, GetParam().Z);
  std::vector<std::pair<std::int32_t, std::int32_t>> seen;
  p.OnBeforeRenderPolygon = [&](TObject&, TCanvas&, bool&, std::int32_t x, std::int32_t y, TQuad, TColor&) {
    seen.emplace_back(x, y);
  };
  TRecordingCanvas rc;
  p.ConstructDataBmp(rc);
  EXPECT_EQ(seen, GetParam().Cells);
}
INSTANTIATE_TEST_SUITE_P(
    Views, Plot3DPainterOrder,
    ::testing::Values(OrderCase{60, 15, {{1, 1}, {2, 1}, {1, 2}, {2, 2}}},
                      OrderCase{60, 135, {{1, 2}, {2, 2}, {1, 1}, {2, 1}}},
                      OrderCase{60, 225, {{2, 2}, {1, 2}, {2, 1}, {1, 1}}},
                      OrderCase{240, 15, {{2, 2}, {1, 2}, {2, 1}, {1, 1}}}));

TEST(Plot3DCells, NodeMapsAndRanks) {
  TPlot3D p;
  Fill(p, 3, 3, 0.5);
  TRecordingCanvas rc;
  p.ConstructDataBmp(rc);
  for (std::int32_t c = 1; c <= 3; ++c)
    for (std::int32_t r = 1; r <= 3; ++r) {
      const TPoint expected = p.ProjectModel(GridNodeCoord(c, 3), GridNodeCoord(r, 3), p.CalcIntZ(0.5));
      EXPECT_EQ(p.ProjMapX.Elem(c, r), expected.x);
      EXPECT_EQ(p.ProjMapY.Elem(c, r), expected.y);
      EXPECT_EQ(p.ProjMapZ.Elem(c, r), (r - 1) * 3 + c);  // the rank in drawing order
    }
  // Cell corners go P1 (L, K), P2 (L+1, K), P3 (L+1, K+1), P4 (L, K+1).
  const auto polys = Polygons(rc);
  ASSERT_EQ(polys.size(), 3u + 4u);
  const TPrimitive* first = polys[3];
  EXPECT_EQ(first->Points[0], (TPoint{p.ProjMapX.Elem(1, 1), p.ProjMapY.Elem(1, 1)}));
  EXPECT_EQ(first->Points[1], (TPoint{p.ProjMapX.Elem(2, 1), p.ProjMapY.Elem(2, 1)}));
  EXPECT_EQ(first->Points[2], (TPoint{p.ProjMapX.Elem(2, 2), p.ProjMapY.Elem(2, 2)}));
  EXPECT_EQ(first->Points[3], (TPoint{p.ProjMapX.Elem(1, 2), p.ProjMapY.Elem(1, 2)}));
  // Reversed rows: row 2 is walked first, row 1 last; ranks count the walk.
  p.SetViewAngleZ(135);
  p.ConstructDataBmp(rc);
  EXPECT_EQ(p.ProjMapZ.Elem(1, 1), 4);
  EXPECT_EQ(p.ProjMapZ.Elem(3, 1), 6);
  EXPECT_EQ(p.ProjMapZ.Elem(1, 2), 7);
}

TEST(Plot3DCells, ColourFromTheLargestCornerOrTheAverage) {
  TPlot3D p;
  Fill(p, 2, 2);
  p.GridMat.SetElem(2, 2, 100);
  std::vector<TColor> colors;
  p.OnBeforeRenderPolygon = [&](TObject&, TCanvas&, bool&, std::int32_t, std::int32_t, TQuad, TColor& c) {
    colors.push_back(c);
  };
  TRecordingCanvas rc;
  p.ConstructDataBmp(rc);
  p.SetColorCodeAvg(true);  // repaints, which asks for the colour too
  p.ConstructDataBmp(rc);
  ASSERT_EQ(colors.size(), 3u);
  EXPECT_EQ(colors[0], TColor(clYellow));  // largest corner 100 -> the high colour
  EXPECT_EQ(colors[2], p.CalcColorCoding(25));
  EXPECT_EQ(colors[2], 0x004040u);
}

TEST(Plot3DCells, HandledCellsStayUndrawnButMapped) {
  TPlot3D p;
  Fill(p, 3, 2);
  std::int32_t calls = 0;
  p.OnBeforeRenderPolygon = [&](TObject&, TCanvas&, bool& handled, std::int32_t, std::int32_t, TQuad q, TColor& c) {
    ++calls;
    handled = true;
    c = clRed;
    EXPECT_NE(q.P[0], q.P[2]);
  };
  TRecordingCanvas rc;
  p.ConstructDataBmp(rc);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(Polygons(rc).size(), 3u);  // the box faces only
  EXPECT_NE(p.ProjMapX.Elem(3, 2), 0);
  EXPECT_EQ(p.ProjMapZ.Elem(3, 2), 6);
  // A handler that only changes the colour gets its colour drawn.
  p.OnBeforeRenderPolygon = [](TObject&, TCanvas&, bool&, std::int32_t, std::int32_t, TQuad, TColor& c) {
    c = clRed;
  };
  rc.Clear();
  p.ConstructDataBmp(rc);
  EXPECT_EQ(Polygons(rc)[3]->State.Brush.Color, TColor(clRed));
}

TEST(Plot3DCells, MeshKinds) {
  TPlot3D p;
  Fill(p, 2, 2, 0.5);
  p.SetColorMesh(0x123456);
  p.SetBoundBoxStyle(TBoundingBox::bbNone);
  p.SetVisibleXCoords(false);
  p.SetVisibleYCoords(false);
  p.SetVisibleZCoords(false);
  auto render = [&](TMeshKind kind, bool meshVisible) {
    p.SetMeshKind(kind);
    p.SetMeshVisible(meshVisible);
    auto rc = std::make_unique<TRecordingCanvas>();
    p.ConstructDataBmp(*rc);
    return rc;
  };
  const TPoint p1{p.ProjMapX.Elem(1, 1), p.ProjMapY.Elem(1, 1)};
  const TColor fill = p.CalcColorCoding(0.5);
  {
    auto rc = render(TMeshKind::mkMesh, true);
    ASSERT_EQ(Polygons(*rc).size(), 1u);
    EXPECT_EQ(Polygons(*rc)[0]->State.Pen.Color, 0x123456u);
    EXPECT_TRUE(rc->Lines().empty());
  }
  {
    auto rc = render(TMeshKind::mkMesh, false);  // no visible outline
    EXPECT_EQ(Polygons(*rc)[0]->State.Pen.Color, fill);
  }
  // The other kinds draw their mesh lines whatever MeshVisible says.
  for (bool visible : {true, false}) {
    auto horz = render(TMeshKind::mkWaterfallHorz, visible);
    const TPoint p2{p.ProjMapX.Elem(2, 1), p.ProjMapY.Elem(2, 1)};
    const TPoint p3{p.ProjMapX.Elem(2, 2), p.ProjMapY.Elem(2, 2)};
    const TPoint p4{p.ProjMapX.Elem(1, 2), p.ProjMapY.Elem(1, 2)};
    EXPECT_EQ(Polygons(*horz)[0]->State.Pen.Color, fill);
    EXPECT_TRUE(horz->HasLine(p1, p4, 0x123456));
    EXPECT_TRUE(horz->HasLine(p3, p2, 0x123456));
    EXPECT_EQ(horz->Lines().size(), 2u);
    auto vert = render(TMeshKind::mkWaterfallVert, visible);
    EXPECT_TRUE(vert->HasLine(p1, p2, 0x123456));
    EXPECT_TRUE(vert->HasLine(p3, p4, 0x123456));
    auto diag = render(TMeshKind::mkWaterfallDiag, visible);
    EXPECT_TRUE(diag->HasLine(p1, p3, 0x123456));
    EXPECT_EQ(diag->Lines().size(), 1u);
    auto grid = render(TMeshKind::mkGrid, visible);
    const auto pixels = grid->OfKind(TPrimitiveKind::pkSetPixel);
    ASSERT_EQ(pixels.size(), 4u);
    EXPECT_EQ(pixels[0]->Points[0], p1);
    EXPECT_EQ(pixels[1]->Points[0], p2);
    EXPECT_EQ(pixels[2]->Points[0], p4);
    EXPECT_EQ(pixels[3]->Points[0], p3);
    EXPECT_EQ(pixels[3]->Color, 0x123456u);
  }
}

TEST(Plot3DAxes, DefaultViewAxesAlongTheNearEdges) {
  TPlot3D p;
  TRecordingCanvas rc;
  p.ConstructDataBmp(rc);
  // x: corner 2 to corner 6, ticks every 0.5 from -1 to 1, tick lines 8 down.
  const TPoint a = Corner(p, 2), b = Corner(p, 6);
  EXPECT_TRUE(rc.HasLine(a, {a.x, a.y + 8}, clRed));
  EXPECT_TRUE(rc.HasLine(b, {b.x, b.y + 8}, clRed));
  ASSERT_TRUE(rc.FindText("-1.0"));
  EXPECT_EQ(rc.FindText("-1.0")->Font.Color, TColor(clRed));
  EXPECT_EQ(rc.FindText("-1.0")->Font.Size, 8);
  // y: corner 4 to corner 6, in blue.
  const TPoint c = Corner(p, 4);
  EXPECT_TRUE(rc.HasLine(c, {c.x, c.y + 8}, clBlue));
  // z: at the rightmost corner 4, from z = -150 to +150, ticks 8 to the right,
  // automatic decimals (span 2: two).
  const TPoint z0 = Corner(p, 4), z1 = Corner(p, 5);
  EXPECT_TRUE(rc.HasLine(z0, {z0.x + 8, z0.y}, clBlack));
  EXPECT_TRUE(rc.HasLine(z1, {z1.x + 8, z1.y}, clBlack));
  ASSERT_TRUE(rc.FindText("-1.00"));
  const std::int32_t h = rc.TextHeight("0");
  EXPECT_EQ(rc.FindText("-1.00")->Pos, (TPoint{z0.x + 8 + 3, z0.y - h / 2}));
  // Captions: "Z" at the lower end's x plus LabDistZ, 8 above the middle,
  // and moved up off the "0.00" label it would cover there.
  ASSERT_TRUE(rc.FindText("Z"));
  ASSERT_TRUE(rc.FindText("0.00"));
  EXPECT_EQ(rc.FindText("Z")->Pos.x, z0.x + 20);
  EXPECT_EQ(rc.FindText("Z")->Pos.y, rc.FindText("0.00")->Pos.y - h - 1);
  // "X" beside the middle of its axis, on the side away from the box (below it here).
  ASSERT_TRUE(rc.FindText("X"));
  EXPECT_GT(rc.FindText("X")->Pos.y, (a.y + b.y) / 2);
}

// Where the axes meet at the box's corners, no label covers another: a tick
// label that would is left out, the z caption moves up off the labels and
// the x and y captions move further out. Rows:
// the default view and turned ones, a 100 x 100 grid and the default one.
TEST(Plot3DAxes, LabelsAndCaptionsNeverOverlap) {
  struct Row {
    double Vx, Vz;
    std::int32_t Nodes;
  };
  for (const Row r : {Row{60, 15, 0}, Row{60, 15, 100}, Row{30, 45, 100}, Row{120, 200, 100}, Row{80, 300, 40},
                      Row{10, 89, 100}}) {
    SCOPED_TRACE(testing::Message() << r.Vx << "/" << r.Vz << " grid " << r.Nodes);
    TPlot3D p;
    if (r.Nodes > 0) {
      p.SetSuppressPaint(true);
      p.GridMat.Resize(r.Nodes, r.Nodes);
      for (std::int32_t i = 1; i <= r.Nodes; ++i)
        for (std::int32_t j = 1; j <= r.Nodes; ++j) p.GridMat.SetElem(i, j, std::sin(i * 0.1) * j);
      p.SetSuppressPaint(false);
      p.AutoScale();
    }
    p.SetViewAngles(r.Vx, r.Vz);
    TRecordingCanvas rc;
    p.ConstructDataBmp(rc);
    std::vector<TRect> boxes;
    std::vector<std::string> texts;
    TBitmap measure(1, 1);
    for (const TRecordedText& t : rc.Texts()) {
      measure.Canvas().Font = t.Font;
      boxes.push_back(TRect{t.Pos.x, t.Pos.y, t.Pos.x + measure.Canvas().TextWidth(t.Text),
                            t.Pos.y + measure.Canvas().TextHeight(t.Text)});
      texts.push_back(t.Text);
    }
    ASSERT_GT(boxes.size(), 6u);
    for (std::size_t i = 0; i < boxes.size(); ++i)
      for (std::size_t j = i + 1; j < boxes.size(); ++j) {
        const TRect& a = boxes[i];
        const TRect& b = boxes[j];
        EXPECT_FALSE(a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom)
            << "'" << texts[i] << "' and '" << texts[j] << "'";
      }
  }
}

TEST(Plot3DAxes, TickLabelsAndEvents) {
  TPlot3D p;
  p.SetRange(0, 500, -1, 1, 0, 1);
  p.SetDecPlaceX(-2);
  std::vector<std::string> seen;
  p.OnBeforeDrawScaleLabel = [&](TObject&, TCanvas&, TP3ScaleKind kind, std::string& label, std::int32_t,
                                 std::int32_t) {
    if (kind == TP3ScaleKind::p3skZ) seen.push_back(label);
    if (label == "500") label = "end";
  };
  TRecordingCanvas rc;
  p.ConstructDataBmp(rc);
  EXPECT_TRUE(rc.FindText("200"));
  EXPECT_TRUE(rc.FindText("end"));
  EXPECT_FALSE(rc.FindText("500"));
  EXPECT_EQ(seen, (std::vector<std::string>{"0.00", "0.20", "0.40", "0.60", "0.80", "1.00"}));
}

TEST(Plot3DAxes, TicksFlipWithTheViewAndLabelsShift) {
  TPlot3D p;
  p.SetViewAngles(120, 15);  // 90 < x <= 180: ticks point up, labels above
  TRecordingCanvas rc;
  p.ConstructDataBmp(rc);
  const std::int32_t o = 7 - FarthestCorner(CalcRotMatrix(120, 15));
  std::int32_t a = o ^ 1, b = a ^ 4;
  if (p.CubeCorners()[std::size_t(a)].x > p.CubeCorners()[std::size_t(b)].x) std::swap(a, b);
  const TPoint pa = Corner(p, a);
  EXPECT_TRUE(rc.HasLine(pa, {pa.x, pa.y - 8}, clRed));
  const auto label = rc.FindText("-1.0");
  ASSERT_TRUE(label);
  const std::int32_t hw = rc.TextWidth("-1.0") / 2;
  const std::int32_t q = RoundToInt(std::sin(15 * 3.14159265358979323846 / 180) * hw);
  EXPECT_EQ(label->Pos, (TPoint{pa.x - hw - q, pa.y - 8 - rc.TextHeight("0")}));
}

TEST(Plot3DEdgeGrids, DrawWithoutFaults) {
  struct Case {
    std::int32_t Nc, Nr;
    double V;
    std::size_t Cells;
  };
  const Case cases[] = {{0, 0, 0, 0},      {1, 1, 0, 0},      {1, 5, 1, 0},     {5, 1, 1, 0},
                        {4, 4, kNaN, 0},   {4, 4, 7, 9},      {3, 3, 1e308, 4}, {3, 3, -1e308, 4},
                        {3, 3, INFINITY, 4}};
  for (const Case& c : cases) {
    TPlot3D p;
    Fill(p, c.Nc, c.Nr, c.V);
    TRecordingCanvas rc;
    p.ConstructDataBmp(rc);
    EXPECT_EQ(Polygons(rc).size(), 3 + c.Cells) << c.Nc << " x " << c.Nr << " of " << c.V;
    TBitmap bmp;
    p.CopyToBitmap(bmp, true);  // the raster path with the same data
    EXPECT_EQ(p.ProjMapX.NrOfColumns(), c.Nc);
  }
}

TEST(Plot3DAxes, ExtremeCaptionDistancesStayOnTheIntegerRange) {
  TPlot3D p;
  for (std::int32_t d : {2147483647, -2147483647 - 1}) {
    p.SetLabDistX(d);
    p.SetLabDistY(d);
    p.SetLabDistZ(d);
    TRecordingCanvas rc;
    p.ConstructDataBmp(rc);
    ASSERT_TRUE(rc.FindText("Z"));
    EXPECT_LE(std::abs(rc.FindText("Z")->Pos.x), kMaxProjectedPixel);
  }
}

TEST(Plot3DEdgeGrids, NaNNodesLeaveTheirCellsOut) {
  TPlot3D p;
  Fill(p, 3, 3, 0);
  p.GridMat.SetElem(1, 1, kNaN);
  TRecordingCanvas rc;
  p.ConstructDataBmp(rc);
  EXPECT_EQ(Polygons(rc).size(), 3u + 3u);
  p.GridMat.SetElem(2, 2, kNaN);  // shared by all four cells
  rc.Clear();
  p.ConstructDataBmp(rc);
  EXPECT_EQ(Polygons(rc).size(), 3u);
}

TEST(Plot3DEdgeGrids, LargeGridAndGridChangedWhileSuppressed) {
  TPlot3D p;
  p.SetBounds(0, 0, 160, 120);
  p.SetSuppressPaint(true);
  p.GridMat.Resize(2000, 2000);
  p.GridMat.Fill(0.25);
  // Drawing on a foreign canvas while suppressed still sizes the maps to the grid.
  TBitmap bmp(160, 120);
  p.DrawOnForeignCanvas(bmp.Canvas());
  EXPECT_FALSE(p.SuppressPaint());
  EXPECT_EQ(p.ProjMapX.NrOfColumns(), 2000);
  EXPECT_EQ(p.ProjMapZ.Elem(2000, 2000), 2000 * 2000);
  EXPECT_EQ(p.MaxZ(), 0.25);
}

TEST(Plot3DPixels, SurfaceBackgroundAndFrame) {
  TPlot3D p;
  p.SetRange(-1, 1, -1, 1, 0, 100);
  Fill(p, 4, 4, 50);
  p.Repaint();
  TBitmap& bmp = p.Surface();
  // The model origin lies inside cell (2, 2) at the centre of the control.
  EXPECT_EQ(ColorToRGB(bmp.Canvas().Pixel(325, 250)), 0x008080u);
  EXPECT_EQ(bmp.Canvas().Pixel(20, 20), TColor(clWhite));
  EXPECT_EQ(bmp.Canvas().Pixel(0, 0), 0x808080u);  // lowered frame: shadow outside, top left
  EXPECT_EQ(bmp.Canvas().Pixel(649, 499), TColor(clWhite));
}

TEST(Plot3DPixels, DesignModeShowsTheNameOnly) {
  TPlot3D p;
  Fill(p, 4, 4, 0.5);
  p.SetDesigning(true);
  p.SetColorBakGnd(clNavy);
  TBitmap bmp;
  p.CopyToBitmap(bmp, false);
  std::int32_t white = 0, other = 0;
  for (std::int32_t y = 0; y < bmp.Height(); ++y)
    for (std::int32_t x = 0; x < bmp.Width(); ++x) {
      const TColor c = bmp.Canvas().Pixel(x, y);
      if (c == TColor(clNavy)) continue;
      (x < 80 && y < 40 ? white : other)++;
    }
  EXPECT_GT(white, 0);  // the name, light on a dark background
  EXPECT_EQ(other, 0);  // and no data
}

}  // namespace
}  // namespace mivo
