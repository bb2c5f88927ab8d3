// TRot3D rendering on a recording canvas: which box faces and edges are drawn
// for a view, the axes, marks with labels, character marks, clamping of far
// objects and black-and-white output.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "mivo/base/unit_cube.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/recording_canvas.h"
#include "mivo/rot3d/rot3d.h"

namespace mivo {
namespace {

std::unique_ptr<TRecordingCanvas> Render(TRot3D& p, bool blkWhite = false) {
  auto c = std::make_unique<TRecordingCanvas>(TSize{450, 300});
  p.ConstructDataBmp(*c, blkWhite);
  return c;
}

TPoint Corner(const TRot3D& p, std::int32_t i) {
  const auto& c = p.CubeCorners()[std::size_t(i)];
  return p.ProjectModel(c[0], c[1], c[2]);
}

TEST(Rot3DRender, DefaultViewDrawsTheFacesAtCornerSevenAndItsEdges) {
  TRot3D p;
  const auto c = Render(p);
  const auto polys = c->OfKind(TPrimitiveKind::pkPolygon);
  ASSERT_EQ(polys.size(), 3u);
  const std::uint8_t faces[3] = {0, 4, 1};
  for (std::size_t k = 0; k < 3; ++k) {
    for (std::size_t j = 0; j < 4; ++j)
      EXPECT_EQ(polys[k]->Points[j], Corner(p, CubeFaceCorners[faces[k]][j])) << "face " << int(faces[k]);
    EXPECT_EQ(polys[k]->State.Brush.Color,
              BoxFaceColor(0xC0C0C0, 0xEEEEEE, BoxFaceShade(p.RotMatrix(), faces[k])));
    EXPECT_EQ(polys[k]->State.Pen.Color, 0x404040u);
  }
  for (std::int32_t n : {1, 2, 4}) EXPECT_TRUE(c->HasLine(Corner(p, 0), Corner(p, n), 0xB0B0B0)) << n;
  for (std::int32_t n : {3, 5, 6}) EXPECT_TRUE(c->HasLine(Corner(p, 7), Corner(p, n), 0x404040)) << n;
  // Axes: the part inside the box in the hidden-line colour, then on to 700.
  const TPoint centre{p.CentX(), p.CentY()};
  const TPoint zIn = p.ProjectModel(0, 0, 400), zEnd = p.ProjectModel(0, 0, 700);
  EXPECT_TRUE(c->HasLine(centre, zIn, 0xB0B0B0));
  EXPECT_TRUE(c->HasLine(zIn, zEnd, 0x404040));
  for (const char* name : {"X", "Y", "Z"}) EXPECT_TRUE(c->FindText(name).has_value()) << name;
}

TEST(Rot3DRender, BoxStyles) {
  TRot3D p;
  p.SetBoundBoxStyle(TBoundingBox::bbFrame);
  auto c = Render(p);
  const auto polys = c->OfKind(TPrimitiveKind::pkPolygon);
  ASSERT_EQ(polys.size(), 3u);
  EXPECT_EQ(polys[0]->State.Brush.Style, TBrushStyle::bsClear);
  p.SetBoundBoxStyle(TBoundingBox::bbNone);
  c = Render(p);
  EXPECT_EQ(c->Count(TPrimitiveKind::pkPolygon), 0u);
  EXPECT_FALSE(c->HasLine(Corner(p, 7), Corner(p, 3)));
  EXPECT_FALSE(c->HasLine(Corner(p, 0), Corner(p, 1)));
  EXPECT_TRUE(c->HasLine({p.CentX(), p.CentY()}, p.ProjectModel(0, 0, 400)));
  p.SetShowAxes(false);
  c = Render(p);
  EXPECT_EQ(c->Size(), 0u);
}

TEST(Rot3DRender, MarksLabelsAndCharacters) {
  TRot3D p;
  p.SetBoundBoxStyle(TBoundingBox::bbNone);
  p.SetShowAxes(false);
  p.SetColorData(0x0000FF);
  p.MarkAt(0, 0, 0, 1);
  p.MarkAt(1, 0, 0, 65);
  p.MarkAt(2, 0, 0, 203);
  p.MarkAt(3, 0, 0, 2);
  p.MakeVisible();
  std::vector<std::int32_t> asked;
  p.OnLblRequest = [&](TObject&, std::int32_t obj, std::string& text, std::int32_t& dx, std::int32_t&,
                       TAlignment& h, TVerticalAlignment& v, TFont& font) {
    EXPECT_EQ(text, "");
    EXPECT_EQ(dx, 0);
    EXPECT_EQ(h, TAlignment::taCenter);
    EXPECT_EQ(v, TVerticalAlignment::vaCenter);
    asked.push_back(obj);
    if (obj == 3) {
      text = "P3";
      dx = 5;
      h = TAlignment::taLeftJustify;
      v = TVerticalAlignment::vaTop;
      font.Color = 0x00FF00;
    }
  };
  const auto c = Render(p);
  EXPECT_EQ(asked, (std::vector<std::int32_t>{0, 3}));
  const auto a = c->FindText("A");
  ASSERT_TRUE(a.has_value());
  EXPECT_EQ(a->Font.Color, 0x0000FFu);
  EXPECT_EQ(a->Font.Size, 8);
  ASSERT_TRUE(c->FindText("3").has_value());
  const auto lbl = c->FindText("P3");
  ASSERT_TRUE(lbl.has_value());
  const TPoint at = p.ProjectModel(p.RenderObjects().FRotDataX[3], 0, 0);
  EXPECT_EQ(lbl->Pos, (TPoint{at.x + 5, at.y}));
  EXPECT_EQ(lbl->Font.Color, 0x00FF00u);
  EXPECT_EQ(lbl->Brush.Style, TBrushStyle::bsClear);
}

TEST(Rot3DRender, FarObjectsAreClampedAndBlackAndWhiteIsBlack) {
  TRot3D p;
  p.SetBoundBoxStyle(TBoundingBox::bbNone);
  p.SetShowAxes(false);
  p.SetAutoScale(false);
  p.SetScaleFactors(1e6, 1e6, 1e6);
  p.SetViewAngles(0, 0, 0);
  p.SetColorData(0x0000FF);
  p.SetLineWidth(3);
  p.Moveto(0, 0, 0);
  p.Drawto(1, 1, 0);
  p.MakeVisible();
  auto c = Render(p);
  auto lines = c->Lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].To, (TPoint{30000, 30000}));
  EXPECT_EQ(lines[0].Pen.Color, 0x0000FFu);
  EXPECT_EQ(lines[0].Pen.Width, 3);
  c = Render(p, true);
  lines = c->Lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].Pen.Color, 0u);
}

TEST(Rot3DRender, LinesKeepTheirColourAcrossMarksAndLabelsTheirFont) {
  TRot3D p;
  p.SetBoundBoxStyle(TBoundingBox::bbNone);
  p.SetShowAxes(false);
  p.SetViewAngles(0, 0, 0);
  constexpr TColor kBlue = 0xFF0000, kRed = 0x0000FF;
  p.SetColorData(kBlue);
  p.Moveto(0, 0, 0);
  p.Drawto(1, 0, 0);
  p.SetColorData(kRed);
  p.MarkAt(1, 1, 0, 9);
  p.SetColorData(kBlue);
  p.Drawto(0, 1, 0);  // object 3: blue again after the red mark
  p.MarkAt(0.5, 0.5, 0, 9);
  p.MakeVisible();
  std::vector<std::int32_t> sizes;
  p.OnLblRequest = [&](TObject&, std::int32_t, std::string& text, std::int32_t&, std::int32_t&, TAlignment&,
                       TVerticalAlignment&, TFont& font) {
    sizes.push_back(font.Size);
    text = "L";
    font.Size = 20;
  };
  const auto c = Render(p);
  const auto& o = p.RenderObjects();
  const TPoint end = p.ProjectModel(o.FRotDataX[3], o.FRotDataY[3], o.FRotDataZ[3]);
  std::size_t found = 0;
  for (const auto& line : c->Lines())
    if (line.To == end) {
      ++found;
      EXPECT_EQ(line.Pen.Color, kBlue);
    }
  EXPECT_EQ(found, 1u);
  // The first label's font does not carry over to the second request.
  EXPECT_EQ(sizes, (std::vector<std::int32_t>{8, 8}));
}

std::size_t PixelsNotOf(const TBitmap& bmp, TColor c) {
  std::size_t n = 0;
  for (std::int32_t y = 0; y < bmp.Height(); ++y)
    for (std::int32_t x = 0; x < bmp.Width(); ++x) n += FromRGB32(bmp.ScanLine(y)[x]) != c;
  return n;
}

TEST(Rot3DRender, ClearBlanksTheImageButKeepsTheSnapshot) {
  TRot3D p;
  p.SetColorChart(0x00FFFF);
  for (int i = 0; i < 12; ++i) p.MarkAt(i, i % 3, i % 4, 11);
  p.MakeVisible();  // paints, which gives the control its window
  ASSERT_TRUE(p.HandleAllocated());
  EXPECT_GT(PixelsNotOf(p.GrafBmp(), 0x00FFFF), 1000u);
  p.Clear();
  EXPECT_EQ(p.NumItems(), 0);
  EXPECT_EQ(PixelsNotOf(p.GrafBmp(), 0x00FFFF), 0u);
  EXPECT_EQ(PixelsNotOf(p.Surface(), 0x00FFFF), 0u);
  // The snapshot stays: the next paint shows it again.
  EXPECT_EQ(p.RenderObjects().NRotObj, 12);
  p.Repaint();
  EXPECT_GT(PixelsNotOf(p.Surface(), 0x00FFFF), 1000u);

  // Without area there is nothing to clear or paint, and nothing breaks.
  TRot3D empty;
  empty.SetBounds(0, 0, 0, 0);
  empty.MarkAt(1, 2, 3, 11);
  empty.MakeVisible();
  empty.Clear();
  empty.Repaint();
  EXPECT_EQ(empty.GrafBmp().Width(), 0);
}

TEST(Rot3DRender, PaintFillsTheBitmapAndCallsTheEvents) {
  TRot3D p;
  std::vector<std::string> order;
  p.OnBeforeRenderData = [&](TObject&, TCanvas&) { order.push_back("before"); };
  p.OnDataRendered = [&](TObject&, TCanvas&) { order.push_back("after"); };
  p.SetColorChart(0x123456);  // repaints
  EXPECT_EQ(order, (std::vector<std::string>{"before", "after"}));
  ASSERT_EQ(p.GrafBmp().Width(), 450);
  EXPECT_EQ(p.GrafBmp().Height(), 300);
}

}  // namespace
}  // namespace mivo
