// TPlot3D mouse interaction through the host's message queue: rotation, zoom
// and pan drags by MouseAction, the OnMouseAction and OnZoomPan events, and
// the cell search under the pointer.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "mivo/platform/host.h"
#include "mivo/plot3d/plot3d.h"

namespace mivo {
namespace {

struct Mouse {
  TPlot3D& Plot;
  THeadlessHost* Host = HeadlessHost();
  explicit Mouse(TPlot3D& p) : Plot(p) {}
  void Move(std::int32_t x, std::int32_t y, std::uint32_t keys = 0) {
    TMessage m;
    m.Kind = TMessageKind::mkMouseMove;
    m.X = x;
    m.Y = y;
    m.Keys = keys;
    Host->PostMessage(Plot, m);
    Host->ProcessMessages();
  }
};

TEST(Plot3DMouse, RotateDragTurnsBothAngles) {
  TPlot3D p;
  p.SetViewAngleZ(200);
  Mouse m(p);
  m.Move(400, 300);  // anchors
  m.Move(300, 300, MK_LBUTTON);
  m.Move(75, 300, MK_LBUTTON);  // half the width to the left in all: +180, past 360
  EXPECT_DOUBLE_EQ(p.ViewAngleZ(), 20);
  EXPECT_DOUBLE_EQ(p.ViewAngleX(), 60);
  EXPECT_DOUBLE_EQ(p.GetRotMat(1, 1), CalcRotMatrix(60, 20)[0][0]);
  m.Move(75, 200, MK_LBUTTON);  // up by a fifth of the height: +72 about x
  EXPECT_DOUBLE_EQ(p.ViewAngleX(), 132);
  // Without buttons the anchors follow the pointer again.
  m.Move(100, 100);
  m.Move(100, 150, MK_LBUTTON);
  EXPECT_DOUBLE_EQ(p.ViewAngleX(), 132 - 36);
  // Outside the control nothing turns.
  m.Move(700, 150, MK_LBUTTON);
  EXPECT_DOUBLE_EQ(p.ViewAngleZ(), 20);
}

TEST(Plot3DMouse, SingleAxisRotations) {
  TPlot3D p;
  Mouse m(p);
  p.SetMouseAction(TMouseActMode::maRotXOnly);
  m.Move(100, 100);
  m.Move(300, 150, MK_LBUTTON);  // the opposite vertical sense; x movement ignored
  EXPECT_DOUBLE_EQ(p.ViewAngleX(), 60 + 36);
  EXPECT_DOUBLE_EQ(p.ViewAngleZ(), 15);
  p.SetMouseAction(TMouseActMode::maRotZOnly);
  m.Move(100, 100);
  m.Move(165, 400, MK_LBUTTON);
  EXPECT_DOUBLE_EQ(p.ViewAngleZ(), 15 - 36 + 360);
  EXPECT_DOUBLE_EQ(p.ViewAngleX(), 96);
  // The right button alone does nothing here.
  m.Move(100, 100);
  m.Move(200, 100, MK_RBUTTON);
  EXPECT_DOUBLE_EQ(p.ViewAngleZ(), 339);
}

TEST(Plot3DMouse, ZoomStopsAtFiveAndRaisesZoomPan) {
  TPlot3D p;
  p.SetMouseAction(TMouseActMode::maZoom);
  std::int32_t zoomPans = 0;
  p.OnZoomPan = [&](TObject&) { ++zoomPans; };
  Mouse m(p);
  m.Move(10, 500);
  m.Move(10, 0, MK_LBUTTON);  // the full height upward adds 2.45
  EXPECT_DOUBLE_EQ(p.Magnification(), 3.45);
  m.Move(10, 500);
  m.Move(10, 0, MK_LBUTTON);
  EXPECT_DOUBLE_EQ(p.Magnification(), 5);
  m.Move(10, 0);
  m.Move(10, 500, MK_LBUTTON);
  EXPECT_DOUBLE_EQ(p.Magnification(), 2.55);
  EXPECT_EQ(zoomPans, 3);
  // Rotation never raises it.
  p.SetMouseAction(TMouseActMode::maRotate);
  m.Move(10, 10);
  m.Move(50, 50, MK_LBUTTON);
  EXPECT_EQ(zoomPans, 3);
}

TEST(Plot3DMouse, PanMovesTheCentre) {
  TPlot3D p;
  p.SetMouseAction(TMouseActMode::maPan);
  std::int32_t zoomPans = 0;
  p.OnZoomPan = [&](TObject&) { ++zoomPans; };
  Mouse m(p);
  m.Move(100, 100);
  m.Move(130, 80, MK_LBUTTON);
  m.Move(150, 90, MK_LBUTTON);
  EXPECT_EQ(p.CentX(), 325 + 50);
  EXPECT_EQ(p.CentY(), 250 - 10);
  EXPECT_EQ(zoomPans, 2);
}

TEST(Plot3DMouse, RotateLeftZoomRight) {
  TPlot3D p;
  p.SetMouseAction(TMouseActMode::maRotAndZoom);
  Mouse m(p);
  m.Move(0, 250);
  m.Move(0, 0, MK_RBUTTON);  // half the height up with the right button: +1.225
  EXPECT_DOUBLE_EQ(p.Magnification(), 2.225);
  m.Move(325, 250);
  m.Move(0, 250, MK_LBUTTON);
  EXPECT_DOUBLE_EQ(p.ViewAngleZ(), 195);
}

TEST(Plot3DMouse, ActionHandlerCanPinTheView) {
  TPlot3D p;
  std::vector<double> seenZ;
  p.OnMouseAction = [&](TObject&, std::int32_t&, std::int32_t&, double& rotX, double& rotZ, double&, TShiftState s) {
    EXPECT_TRUE(s.Contains(TShiftStateItem::ssLeft));
    seenZ.push_back(rotZ);
    rotX = 30;
  };
  Mouse m(p);
  m.Move(300, 300);
  m.Move(300, 100, MK_LBUTTON);
  EXPECT_DOUBLE_EQ(p.ViewAngleX(), 30);
  EXPECT_DOUBLE_EQ(p.GetRotMat(2, 3), CalcRotMatrix(30, 15)[1][2]);
  EXPECT_EQ(seenZ, std::vector<double>{15});
  // A handler leaving values no view can use is overruled.
  p.OnMouseAction = [](TObject&, std::int32_t&, std::int32_t&, double& rotX, double&, double& mag, TShiftState) {
    rotX = std::numeric_limits<double>::quiet_NaN();
    mag = -1;
  };
  m.Move(300, 150, MK_LBUTTON);
  EXPECT_DOUBLE_EQ(p.ViewAngleX(), 60 + 108);  // the angle before the handler ran
  EXPECT_EQ(p.Magnification(), 1);
}

struct Hit {
  bool Over = false;
  std::int32_t X = -1, Y = -1;
  std::int32_t Calls = 0;
};

TEST(Plot3DMouse, CellUnderThePointer) {
  TPlot3D p;
  p.SetMouseAction(TMouseActMode::maNone);
  Hit hit;
  p.OnMouseMoveOverPlot = [&](TObject&, bool over, TShiftState, std::int32_t x, std::int32_t y) {
    hit = {over, x, y, hit.Calls + 1};
  };
  Mouse m(p);
  // Before any rendering of a grid the maps hold zeros: nothing is found.
  p.SetSuppressPaint(true);
  p.GridMat.Resize(4, 3);
  m.Move(325, 250);
  EXPECT_EQ(hit.Calls, 1);
  EXPECT_FALSE(hit.Over);
  p.SetSuppressPaint(false);  // paints
  for (std::int32_t i = 1; i <= 3; ++i)
    for (std::int32_t j = 1; j <= 2; ++j) {
      const std::int32_t cx = (p.ProjMapX.Elem(i, j) + p.ProjMapX.Elem(i + 1, j) + p.ProjMapX.Elem(i, j + 1) +
                               p.ProjMapX.Elem(i + 1, j + 1)) / 4;
      const std::int32_t cy = (p.ProjMapY.Elem(i, j) + p.ProjMapY.Elem(i + 1, j) + p.ProjMapY.Elem(i, j + 1) +
                               p.ProjMapY.Elem(i + 1, j + 1)) / 4;
      m.Move(cx, cy);
      EXPECT_TRUE(hit.Over) << i << "," << j;
      EXPECT_EQ(hit.X, i);
      EXPECT_EQ(hit.Y, j);
    }
  m.Move(5, 5);
  EXPECT_FALSE(hit.Over);
  EXPECT_EQ(hit.X, 0);
  EXPECT_EQ(hit.Y, 0);
  // Cells left out for a missing value are not found.
  p.GridMat.SetElem(1, 1, std::numeric_limits<double>::quiet_NaN());
  p.Repaint();
  // The middle of its diagonal between two nodes with values.
  const std::int32_t cx = (p.ProjMapX.Elem(2, 1) + p.ProjMapX.Elem(1, 2)) / 2;
  const std::int32_t cy = (p.ProjMapY.Elem(2, 1) + p.ProjMapY.Elem(1, 2)) / 2;
  p.GridMat.SetElem(1, 1, 0);
  p.Repaint();
  m.Move(cx, cy);
  EXPECT_TRUE(hit.Over);
  p.GridMat.SetElem(1, 1, std::numeric_limits<double>::quiet_NaN());
  p.Repaint();
  m.Move(cx, cy);
  EXPECT_FALSE(hit.Over);
  // A disabled control hears nothing.
  p.SetEnabled(false);
  const std::int32_t calls = hit.Calls;
  m.Move(cx, cy);
  EXPECT_EQ(hit.Calls, calls);
}

// A press far outside the control (anchors anywhere in 32 bits) followed by a
// drag inside: every mode computes its distance in 64 bits.
TEST(Plot3DMouse, DragsAnchoredFarOutsideStayDefined) {
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  for (TMouseActMode mode : {TMouseActMode::maRotate, TMouseActMode::maRotXOnly, TMouseActMode::maRotZOnly,
                             TMouseActMode::maZoom, TMouseActMode::maPan, TMouseActMode::maRotAndZoom}) {
    for (std::int32_t far : {kMin, kMax}) {
      TPlot3D p;
      p.SetMouseAction(mode);
      Mouse m(p);
      m.Move(far, far);
      m.Move(10, 10, MK_LBUTTON);
      m.Move(20, 20, MK_RBUTTON);
      for (double a : {p.ViewAngleX(), p.ViewAngleZ(), p.Magnification()}) EXPECT_TRUE(std::isfinite(a));
    }
  }
}

TEST(Plot3DMouse, ZeroSizedControlIgnoresDrags) {
  TPlot3D p;
  p.SetBounds(0, 0, 0, 0);
  Mouse m(p);
  m.Move(0, 0);
  m.Move(0, 0, MK_LBUTTON);
  EXPECT_DOUBLE_EQ(p.ViewAngleZ(), 15);
}

}  // namespace
}  // namespace mivo
