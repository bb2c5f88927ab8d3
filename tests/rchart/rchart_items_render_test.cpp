// The item renderer: line-to chains as polylines, marks tested against the
// range, lines drawn wherever they map, and incremental showing.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <random>
#include <vector>

#include "mivo/platform/recording_canvas.h"
#include "mivo/rchart/rchart.h"
#include "rchart_test_util.h"

namespace mivo {
namespace {

// A painting chart of the test geometry over 0 ... 10 on both axes of layer 1:
// x = 0 is column 0 of the data bitmap, 10 units are 220 columns and 152 rows.
void Ready(TCustomRChart& c) {
  test::UseTestGeometry(c);
  c.SetSuppressPaint(false);
  c.SetRange(1, 0, 0, 10, 10);
}

std::unique_ptr<TRecordingCanvas> RecordData(TCustomRChart& c) {
  auto rec = std::make_unique<TRecordingCanvas>();
  c.ConstructDataBmpCanvas(*rec, 0, 0, false, 0);
  return rec;
}

std::vector<std::vector<TPoint>> Polylines(const TRecordingCanvas& rec) {
  std::vector<std::vector<TPoint>> out;
  for (const TPrimitive* p : rec.OfKind(TPrimitiveKind::pkPolyline)) out.push_back(p->Points);
  return out;
}

bool SamePixels(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (std::int32_t y = 0; y < a.Height(); ++y)
    for (std::int32_t x = 0; x < a.Width(); ++x) {
      const TRGB32 p = a.ScanLine(y)[x], q = b.ScanLine(y)[x];
      if (p.R != q.R || p.G != q.G || p.B != q.B) return false;
    }
  return true;
}

TEST(RChartItemsRender, LongChainsAreBatchedIntoPolylinesOf200Points) {
  TCustomRChart c;
  Ready(c);
  c.MoveTo(0, 5);
  for (int i = 1; i <= 450; ++i) c.DrawTo(i * 0.02, 5 + (i % 2));
  const auto rec = RecordData(c);
  const auto polys = Polylines(*rec);
  ASSERT_EQ(polys.size(), 3u);
  EXPECT_EQ(polys[0].size(), 200u);
  EXPECT_EQ(polys[1].size(), 200u);
  EXPECT_EQ(polys[2].size(), 53u);
  EXPECT_EQ(polys[0].front(), (TPoint{0, 76}));
  EXPECT_EQ(polys[1].front(), polys[0].back());
  EXPECT_EQ(polys[2].front(), polys[1].back());
}

TEST(RChartItemsRender, AttributeChangesAndHiddenClassesKeepTheChain) {
  TCustomRChart c;
  Ready(c);
  c.MoveTo(0, 0);
  c.DrawTo(1, 0);
  c.DrawTo(2, 0);
  c.SetDataCol(0x0000FF);
  c.DrawTo(3, 0);
  c.SetClassDefault(7);
  c.DrawTo(4, 10);  // hidden below
  c.SetClassDefault(0);
  c.DrawTo(5, 0);
  c.SetClassVisib(7, false);
  const auto rec = RecordData(c);
  const auto polys = Polylines(*rec);
  ASSERT_EQ(polys.size(), 2u);
  EXPECT_EQ(polys[0], (std::vector<TPoint>{{0, 152}, {22, 152}, {44, 152}}));
  EXPECT_EQ(polys[1], (std::vector<TPoint>{{44, 152}, {66, 152}, {110, 152}}));
  EXPECT_EQ(rec->OfKind(TPrimitiveKind::pkPolyline)[1]->State.Pen.Color, 0x0000FFu);
}

TEST(RChartItemsRender, MarksAreTestedAgainstTheRangeLinesAreNot) {
  struct Row {
    double X, Y;
    bool Drawn;
  };
  const Row rows[] = {{5, 5, true}, {10, 0, true}, {10.001, 5, false}, {5, -1, false}, {std::numeric_limits<double>::quiet_NaN(), 5, false}};
  for (const Row& r : rows) {
    TCustomRChart c;
    Ready(c);
    c.MarkAt(r.X, r.Y, 1);
    const auto rec = RecordData(c);
    EXPECT_EQ(rec->Size() > 1, r.Drawn) << r.X << " " << r.Y << rec->Dump();
  }
  TCustomRChart c;
  Ready(c);
  c.Line(-20, 5, 30, 5);  // both ends outside: drawn, clamped
  c.Line(1e300, 1, -1e300, 1);
  c.Line(2, 2, 2, 2);  // one pixel
  const auto rec = RecordData(c);
  EXPECT_TRUE(rec->HasLine({-440, 76}, {660, 76}));
  EXPECT_TRUE(rec->HasLine({29950, 137}, {-30050, 137}));
  EXPECT_EQ(rec->Count(TPrimitiveKind::pkSetPixel), 1u);
}

TEST(RChartItemsRender, ShowGrafNewOnlyGivesTheSamePixelsAsShowGraf) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> d(-1, 11);
  TCustomRChart step, whole;
  Ready(step);
  Ready(whole);
  for (TCustomRChart* c : {&step, &whole}) c->SetGridStyle(GridStyleType::gsLines);
  step.ShowGraf();
  for (int batch = 0; batch < 20; ++batch) {
    for (int i = 0; i < 25; ++i) {
      const double x = d(rng), y = d(rng);
      for (TCustomRChart* c : {&step, &whole}) {
        c->SetDataCol(TColor(batch * 0x0A0B0C));
        if (i % 9 == 0) c->MoveTo(x, y);
        else if (i % 7 == 0) c->MarkAt(x, y, std::uint8_t(i % 5));
        else c->DrawTo(x, y);
      }
    }
    step.ShowGrafNewOnly();
    EXPECT_EQ(step.LastElemOnShow(), step.NumItems() - 1);
  }
  whole.ShowGraf();
  EXPECT_TRUE(SamePixels(step.GrafBmp(), whole.GrafBmp()));
}

TEST(RChartItemsRender, ALaterStartDrawsOnlyTheTailOfTheChain) {
  TCustomRChart c;
  Ready(c);
  c.SetGridStyle(GridStyleType::gsLines);
  c.MoveTo(0, 0);
  for (int i = 1; i <= 5000; ++i) c.DrawTo(i * 0.002, 1);
  c.DrawTo(10, 10);
  TRecordingCanvas rec;
  c.ConstructDataBmpCanvas(rec, 0, 0, false, c.NumItems() - 1);
  // No grid, one segment from the last shown point.
  EXPECT_EQ(rec.Lines().size(), 1u) << rec.Dump();
  EXPECT_TRUE(rec.HasLine({220, 137}, {220, 0}));
}

}  // namespace
}  // namespace mivo
