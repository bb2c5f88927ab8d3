// TRot3D mouse drags: rotation about two or three axes, zoom and pan, all
// measured from the anchors taken while no button is down.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "mivo/rot3d/rot3d.h"

namespace mivo {
namespace {

const TShiftState kNone{};
const TShiftState kLeft{TShiftStateItem::ssLeft};
const TShiftState kRight{TShiftStateItem::ssRight};

TEST(Rot3DMouse, RotationDrags) {
  TRot3D p;  // 450 x 300, angles 110, 150, 210
  p.MouseMove(kNone, 450, 100);
  p.MouseMove(kLeft, 0, 100);  // the full width to the left: +360
  EXPECT_DOUBLE_EQ(p.ViewAngleZ(), 210 + 360);
  EXPECT_DOUBLE_EQ(p.ViewAngleX(), 110 + 360);
  EXPECT_EQ(p.ViewAngleY(), 150);
  p.MouseMove(kLeft, 225, 250);  // still measured from the same anchor
  EXPECT_DOUBLE_EQ(p.ViewAngleZ(), 210 + 180);
  EXPECT_DOUBLE_EQ(p.ViewAngleX(), 110 + 360 + 180);
  EXPECT_EQ(p.RotMatrix(), CalcRotMatrix_2Ax(p.ViewAngleX(), p.ViewAngleZ(), TAxDir::adLeftHanded));

  TRot3D q;
  q.SetMouseRot3Axes(true);
  q.MouseMove(kNone, 100, 100);
  q.MouseMove(kLeft, 145, 130);
  EXPECT_DOUBLE_EQ(q.ViewAngleX(), 110 - 36);
  EXPECT_DOUBLE_EQ(q.ViewAngleY(), 150 + 360 + 36);
  EXPECT_EQ(q.ViewAngleZ(), 210);
  // Outside the control nothing moves.
  q.MouseMove(kLeft, 451, 130);
  q.MouseMove(kLeft, 100, -1);
  EXPECT_DOUBLE_EQ(q.ViewAngleX(), 110 - 36);
}

TEST(Rot3DMouse, APressWithoutAHoverFirstAnchorsTheDrag) {
  TRot3D p;
  p.MouseMove(kNone, 10, 10);  // the last hover, far from the press
  p.SetViewAngleZ(30);
  p.MouseDown(TMouseButton::mbLeft, kLeft, 300, 100);
  p.MouseMove(kLeft, 300, 100);
  EXPECT_DOUBLE_EQ(p.ViewAngleZ(), 30);
  EXPECT_DOUBLE_EQ(p.ViewAngleX(), 110 + 360);
  p.MouseMove(kLeft, 255, 100);
  EXPECT_DOUBLE_EQ(p.ViewAngleZ(), 30 + 36);
  // Panning from a press likewise starts at the current centre.
  p.SetMouseAction(TMouseActMode::maPan);
  p.SetCentX(200);
  p.MouseDown(TMouseButton::mbLeft, kLeft, 50, 50);
  p.MouseMove(kLeft, 60, 55);
  EXPECT_EQ(p.CentX(), 210);
  EXPECT_EQ(p.CentY(), 155);
}

TEST(Rot3DMouse, ZoomAndPan) {
  TRot3D p;
  p.SetMouseAction(TMouseActMode::maZoom);
  p.MouseMove(kNone, 10, 300);
  p.MouseMove(kLeft, 10, 0);  // dragging up the full height: 0.8 + 4.9, clamped
  EXPECT_EQ(p.Magnify(), 800);
  p.MouseMove(kLeft, 10, 240);  // 0.8 + 4.9 * 60 / 300 = 1.78
  EXPECT_EQ(p.Magnify(), 2247);
  p.MouseMove(kRight, 10, 0);  // the right button does not zoom here
  EXPECT_EQ(p.Magnify(), 2247);

  p.SetMouseAction(TMouseActMode::maRotAndZoom);
  p.MouseMove(kNone, 10, 300);
  p.MouseMove(kRight, 10, 300);
  EXPECT_EQ(p.Magnify(), 2247);
  p.MouseMove(kRight, 10, 0);
  EXPECT_EQ(p.Magnify(), 800);

  p.SetMouseAction(TMouseActMode::maPan);
  p.MouseMove(kNone, 100, 100);
  p.MouseMove(kLeft, 130, 80);
  EXPECT_EQ(p.CentX(), 225 + 30);
  EXPECT_EQ(p.CentY(), 150 - 20);

  p.SetMouseAction(TMouseActMode::maNone);
  p.MouseMove(kNone, 0, 0);
  p.MouseMove(kLeft, 400, 300);
  EXPECT_EQ(p.CentX(), 255);
  EXPECT_EQ(p.ViewAngleX(), 110);
}

// A press far outside the control (anchors anywhere in 32 bits) followed by a
// drag inside: every mode computes its distance in 64 bits.
TEST(Rot3DMouse, DragsAnchoredFarOutsideStayDefined) {
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  for (TMouseActMode mode : {TMouseActMode::maRotate, TMouseActMode::maRotXOnly, TMouseActMode::maRotZOnly,
                             TMouseActMode::maZoom, TMouseActMode::maPan, TMouseActMode::maRotAndZoom}) {
    for (bool threeAxes : {false, true}) {
      for (std::int32_t far : {kMin, kMax}) {
        TRot3D p;
        p.SetMouseAction(mode);
        p.SetMouseRot3Axes(threeAxes);
        p.MouseMove(kNone, far, far);
        p.MouseMove(kLeft, 10, 10);
        p.MouseMove(kRight, 20, 20);
        for (double a : {p.ViewAngleX(), p.ViewAngleY(), p.ViewAngleZ(), p.Magnification()})
          EXPECT_TRUE(std::isfinite(a));
      }
    }
  }
}

TEST(Rot3DMouse, ZeroSizedControlIgnoresDrags) {
  TRot3D p;
  p.SetBounds(0, 0, 0, 0);
  p.MouseMove(kNone, 0, 0);
  p.MouseMove(kLeft, 0, 0);
  EXPECT_EQ(p.ViewAngleX(), 110);
  EXPECT_EQ(p.ViewAngleZ(), 210);
}

}  // namespace
}  // namespace mivo
