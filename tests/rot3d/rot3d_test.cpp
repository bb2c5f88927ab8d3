// TRot3D model: defaults, setter corrections, the snapshot taken by
// MakeVisible and the searches over items and rendering objects.
#include "mivo/rot3d/rot3d.h"
#include "mivo/rot3d/rot3d_internal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace mivo {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(Rot3DModel, ConstructorState) {
  TRot3D p;
  EXPECT_EQ(p.Width(), 450);
  EXPECT_EQ(p.Height(), 300);
  EXPECT_EQ(p.CentX(), 225);
  EXPECT_EQ(p.CentY(), 150);
  EXPECT_EQ(p.ViewAngleX(), 110);
  EXPECT_EQ(p.ViewAngleY(), 150);
  EXPECT_EQ(p.ViewAngleZ(), 210);
  EXPECT_DOUBLE_EQ(p.Magnification(), 0.8);
  EXPECT_EQ(p.BoundBoxSize(), 800);
  EXPECT_EQ(p.AxSize(), 700);
  EXPECT_EQ(p.MouseAction(), TMouseActMode::maRotate);
  EXPECT_EQ(p.BoundBoxStyle(), TBoundingBox::bbFaces);
  EXPECT_EQ(p.FrameStyle(), TFrameStyle::fsLowered);
  EXPECT_EQ(p.ColorScheme(), TColorScheme::csSystem);
  EXPECT_EQ(p.ColorCubeFrame(), 0x404040u);
  EXPECT_EQ(p.ColorCubeHidLin(), 0xB0B0B0u);
  EXPECT_EQ(p.ColorCubeFaceHigh(), 0xEEEEEEu);
  EXPECT_EQ(p.ColorCubeFaceLow(), 0xC0C0C0u);
  EXPECT_EQ(p.ColorChart(), 0xFFFFFFu);
  EXPECT_TRUE(p.AutoOrigin());
  EXPECT_TRUE(p.AutoScale());
  EXPECT_FALSE(p.IsoMetric());
  EXPECT_FALSE(p.MouseRot3Axes());
  EXPECT_EQ(p.AxNameZ(), "Z");
  EXPECT_EQ(p.TextMarkSize(), 8);
  EXPECT_EQ(p.AllocSize(), 1000);
  EXPECT_EQ(p.LineWidth(), 1);
  EXPECT_DOUBLE_EQ(p.GetRotMat(3, 1), -0.470);
  EXPECT_DOUBLE_EQ(p.GetRotMat(3, 2), -0.814);
  EXPECT_EQ(p.CubeCorners()[7], (std::array<std::int32_t, 3>{400, 400, 400}));
  EXPECT_EQ(p.TypeOfFirstItem(), Tr3Item::tkNone);
}

TEST(Rot3DModel, SetterCorrections) {
  TRot3D p;
  p.SetMagnification(2);
  EXPECT_EQ(p.Magnify(), 2000);
  p.SetMagnification(0.05);
  EXPECT_EQ(p.Magnify(), 40000);
  EXPECT_DOUBLE_EQ(p.Magnification(), 0.1);
  p.SetMagnification(kNaN);
  EXPECT_EQ(p.Magnify(), 40000);

  p.SetBoundBoxSize(801);
  EXPECT_EQ(p.BoundBoxSize(), 800);
  p.SetBoundBoxSize(9000);
  EXPECT_EQ(p.BoundBoxSize(), 4000);
  EXPECT_EQ(p.CubeCorners()[0], (std::array<std::int32_t, 3>{-2000, -2000, -2000}));
  p.SetAxSize(-3);
  EXPECT_EQ(p.AxSize(), 0);

  p.SetCentX(-5);
  EXPECT_EQ(p.CentX(), 0);
  p.SetCentX(1000);
  EXPECT_EQ(p.CentX(), 450);
  p.SetCentY(301);
  EXPECT_EQ(p.CentY(), 300);

  // View angles are kept as given; values that are not finite are ignored.
  p.SetViewAngleX(725);
  EXPECT_EQ(p.ViewAngleX(), 725);
  p.SetViewAngleZ(kNaN);
  EXPECT_EQ(p.ViewAngleZ(), 210);
  p.SetViewAngles(0, 0, 90);
  EXPECT_EQ(p.RotMatrix()[0], (std::array<std::int32_t, 3>{0, -1000, 0}));
  p.SetAxDir(TAxDir::adRightHanded);
  EXPECT_EQ(p.RotMatrix()[0], (std::array<std::int32_t, 3>{-1000, 0, 0}));
  p.SetMouseRot3Axes(true);
  p.SetViewAngles(0, 90, 0);
  EXPECT_EQ(p.RotMatrix()[2], (std::array<std::int32_t, 3>{0, -1000, 0}));

  p.SetOrigins(1, kInf, 2);
  EXPECT_EQ(p.OriginX(), 0);
  p.SetOriginY(5);
  EXPECT_EQ(p.OriginY(), 5);
  p.SetScaleFactors(kNaN, 1, 1);
  EXPECT_EQ(p.ScaleFactX(), 1);
  p.SetScaleFactZ(3);
  EXPECT_EQ(p.ScaleFactZ(), 3);
}

TEST(Rot3DModel, MakeVisibleTakesASnapshot) {
  TRot3D p;
  p.MakeVisible();  // no items: nothing changes
  EXPECT_EQ(p.RenderObjects().NRotObj, 0);
  for (int i = 0; i < 10; ++i) p.MarkAt(i, 0, 0, 1);
  p.MakeVisible();
  EXPECT_EQ(p.RenderObjects().NRotObj, 10);
  EXPECT_EQ(p.OriginX(), 4.5);
  EXPECT_DOUBLE_EQ(p.ScaleFactX(), 1000.0 / 9);
  EXPECT_EQ(p.MinCoord()[0], -500);
  EXPECT_EQ(p.MaxCoord()[0], 500);
  // Items added or removed later wait for the next snapshot.
  p.MarkAt(20, 0, 0, 1);
  p.Clear();
  EXPECT_EQ(p.NumItems(), 0);
  EXPECT_EQ(p.RenderObjects().NRotObj, 10);
  // Switching AutoScale off keeps the factors of the last snapshot.
  p.MarkAt(0, 0, 0, 1);
  p.MarkAt(2, 4, 8, 1);
  p.SetAutoScale(false);
  EXPECT_EQ(p.RenderObjects().NRotObj, 2);
  EXPECT_DOUBLE_EQ(p.ScaleFactX(), 1000.0 / 9);
  p.SetAutoScale(true);
  EXPECT_EQ(p.ScaleFactX(), 500);
  p.SetIsoMetric(true);
  EXPECT_EQ(p.ScaleFactY(), 125);
  p.MarkAt(kNaN, 0, 0, 1);
  EXPECT_EQ(p.NumRefusedItems(), 1);
  EXPECT_EQ(p.NumItems(), 2);
}

// Lowers the snapshot's allocation limit for one test.
struct TObjectLimit {
  explicit TObjectLimit(std::int64_t n) : Saved(detail::R3RenderObjectLimit()) {
    detail::SetR3RenderObjectLimit(n);
  }
  ~TObjectLimit() { detail::SetR3RenderObjectLimit(Saved); }
  std::int64_t Saved;
};

TEST(Rot3DModel, MakeVisibleOutOfMemoryRaisesAndKeepsTheLastSnapshot) {
  TRot3D p;
  p.SetName("Cloud");
  p.SetColorData(0x123456);
  p.MarkAt(0, 0, 0, 1);
  p.MarkAt(2, 0, 0, 1);
  p.MakeVisible();
  ASSERT_EQ(p.RenderObjects().NRotObj, 2);
  const auto xs = p.RenderObjects().FRotDataX;
  p.SetColorData(0x654321);
  p.Line(10, 10, 10, 20, 20, 20);  // three items, four objects
  {
    const TObjectLimit limit(3);
    try {
      p.MakeVisible();
      ADD_FAILURE() << "no error raised";
    } catch (const EMivoRot3DError& e) {
      EXPECT_STREQ(e.what(), "Component \"Cloud\": insufficient memory");
    }
    // Nothing of the failed snapshot is kept: objects, origin, factors, colours.
    EXPECT_EQ(p.RenderObjects().NRotObj, 2);
    EXPECT_EQ(p.RenderObjects().FRotDataX, xs);
    EXPECT_EQ(p.OriginX(), 1);
    EXPECT_EQ(p.ScaleFactX(), 500);
    EXPECT_EQ(p.ItemColors()[17], 0u);
    // Switching a snapshot setting raises the same way.
    EXPECT_THROW(p.SetIsoMetric(true), EMivoRot3DError);
  }
  p.MakeVisible();
  EXPECT_EQ(p.RenderObjects().NRotObj, 4);
  EXPECT_EQ(p.ItemColors()[17], 0x654321u);
}

TEST(Rot3DModel, FindNearestItemScreen) {
  TRot3D p;
  double dist = 0;
  EXPECT_EQ(p.FindNearestItemScreen(0, 0, Tr3Item::tkEverything, dist), -1);
  p.SetViewAngles(0, 0, 0);  // screen x = model x, screen y = model y
  p.SetAutoOrigin(false);
  p.MarkAt(-1, -1, 0, 1);
  p.Line(1, -1, 0, 1, 1, 0);
  p.MakeVisible();
  // Model: mark (-500, -500), line (500, -500) -> (500, 500); divisor 5000.
  const TPoint mark = p.ProjectModel(-500, -500, 0);
  EXPECT_EQ(mark, (TPoint{225 - 100, 150 - 100}));
  EXPECT_EQ(p.FindNearestItemScreen(125, 50, Tr3Item::tkEverything, dist), 0);
  EXPECT_EQ(dist, 0);
  EXPECT_EQ(p.FindNearestItemScreen(325, 260, Tr3Item::tkEverything, dist), 1);
  EXPECT_DOUBLE_EQ(dist, 10);
  EXPECT_EQ(p.FindNearestItemScreen(125, 50, Tr3Item::tkLine, dist), 1);
  EXPECT_DOUBLE_EQ(dist, 200);
  EXPECT_EQ(p.FindNearestItemScreen(125, 50, Tr3Item::tkMoveto, dist), -1);
  EXPECT_EQ(p.FindNearestItemScreen(INT32_MAX, INT32_MIN, Tr3Item::tkEverything, dist), 1);
  // Items removed after the snapshot are never named, though still shown.
  p.RemoveLastItem();
  EXPECT_EQ(p.FindNearestItemScreen(325, 260, Tr3Item::tkEverything, dist), 0);
  p.Clear();
  EXPECT_EQ(p.RenderObjects().NRotObj, 3);
  EXPECT_EQ(p.FindNearestItemScreen(125, 50, Tr3Item::tkEverything, dist), -1);
}

}  // namespace
}  // namespace mivo
