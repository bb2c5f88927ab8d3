#include "mivo/platform/controls.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "mivo/platform/bitmap.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/errors.h"
#include "mivo/platform/host.h"

namespace mivo {
namespace {

std::string ShiftText(TShiftState s) {
  std::string t;
  const char* names[] = {"Shift", "Alt", "Ctrl", "Left", "Right", "Middle", "Double"};
  for (int i = 0; i < 7; ++i)
    if (s.Contains(TShiftStateItem(i))) t += std::string(t.empty() ? "" : "+") + names[i];
  return t;
}

// Logs every handler the dispatch interface reaches.
class TLogControl : public TCustomControl {
 public:
  std::vector<std::string> Log;
  std::int32_t CreateWndCalls = 0;
  std::string ClassName() const override { return "TLogControl"; }

 protected:
  void CreateWnd() override { ++CreateWndCalls; }
  void MouseDown(TMouseButton b, TShiftState s, std::int32_t x, std::int32_t y) override {
    Log.push_back("down " + std::to_string(int(b)) + " " + ShiftText(s) + " " + std::to_string(x) + "," +
                  std::to_string(y));
    TCustomControl::MouseDown(b, s, x, y);
  }
  void MouseUp(TMouseButton b, TShiftState s, std::int32_t x, std::int32_t y) override {
    Log.push_back("up " + std::to_string(int(b)) + " " + ShiftText(s));
    TCustomControl::MouseUp(b, s, x, y);
  }
  void MouseMove(TShiftState s, std::int32_t x, std::int32_t y) override {
    Log.push_back("move " + ShiftText(s) + " " + std::to_string(x) + "," + std::to_string(y));
    TCustomControl::MouseMove(s, x, y);
  }
  void Click() override {
    Log.push_back("click");
    TCustomControl::Click();
  }
  void DblClick() override {
    Log.push_back("dblclick");
    TCustomControl::DblClick();
  }
  void Paint() override {
    Log.push_back("paint " + std::to_string(Surface().Width()) + "x" + std::to_string(Surface().Height()));
    TCustomControl::Paint();
  }
  void Resize() override {
    Log.push_back("resize " + std::to_string(Width()) + "x" + std::to_string(Height()));
    TCustomControl::Resize();
  }
};

TMessage Mouse(TMessageKind k, std::int32_t x, std::int32_t y, std::uint32_t keys = 0,
               TMouseButton b = TMouseButton::mbLeft) {
  TMessage m;
  m.Kind = k;
  m.X = x;
  m.Y = y;
  m.Keys = keys;
  m.Button = b;
  return m;
}

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override { FOld = SetHost(nullptr); }
  void TearDown() override { SetHost(std::move(FOld)); }
  THeadlessHost& H() { return *HeadlessHost(); }
  std::unique_ptr<THost> FOld;
};

TEST_F(ControlsTest, KeysToShiftState) {
  EXPECT_EQ(KeysToShiftState(0), TShiftState{});
  EXPECT_EQ(KeysToShiftState(MK_LBUTTON | MK_SHIFT),
            (TShiftState{TShiftStateItem::ssLeft, TShiftStateItem::ssShift}));
  EXPECT_EQ(KeysToShiftState(MK_RBUTTON | MK_CONTROL | MK_MBUTTON | MK_ALT),
            (TShiftState{TShiftStateItem::ssRight, TShiftStateItem::ssCtrl, TShiftStateItem::ssMiddle,
                         TShiftStateItem::ssAlt}));
}

TEST_F(ControlsTest, AssignRaisesNamingBothClasses) {
  TLogControl a;
  TComponent b;
  try {
    b.Assign(a);
    FAIL() << "no exception";
  } catch (const EMivoError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a TLogControl to a TComponent");
  }
}

TEST_F(ControlsTest, ClickNeedsDownAndUpInside) {
  TLogControl c;
  c.SetBounds(0, 0, 50, 40);
  c.Log.clear();
  int clicks = 0;
  c.OnClick = [&](TObject&) { ++clicks; };
  c.Dispatch(Mouse(TMessageKind::mkMouseDown, 5, 5, MK_LBUTTON));
  c.Dispatch(Mouse(TMessageKind::mkMouseUp, 6, 6));
  EXPECT_EQ(clicks, 1);
  c.Dispatch(Mouse(TMessageKind::mkMouseUp, 6, 6));  // no down before
  c.Dispatch(Mouse(TMessageKind::mkMouseDown, 5, 5, MK_LBUTTON));
  c.Dispatch(Mouse(TMessageKind::mkMouseUp, 60, 6));  // released outside
  c.Dispatch(Mouse(TMessageKind::mkMouseDown, 5, 5, MK_RBUTTON, TMouseButton::mbRight));
  c.Dispatch(Mouse(TMessageKind::mkMouseUp, 5, 5, 0, TMouseButton::mbRight));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(c.Log[0], "down 0 Left 5,5");
  EXPECT_EQ(c.Log[1], "click");
  EXPECT_EQ(c.Log[2], "up 0 ");
  EXPECT_EQ(c.Log[6], "down 1 Right 5,5");
}

TEST_F(ControlsTest, DoubleClickOrder) {
  TLogControl c;
  c.SetBounds(0, 0, 50, 40);
  c.Log.clear();
  std::vector<std::string> events;
  c.OnDblClick = [&](TObject&) { events.push_back("OnDblClick"); };
  c.OnMouseDown = [&](TObject&, TMouseButton, TShiftState s, std::int32_t, std::int32_t) {
    events.push_back("OnMouseDown " + ShiftText(s));
  };
  c.Dispatch(Mouse(TMessageKind::mkMouseDown, 3, 4, MK_LBUTTON));
  c.Dispatch(Mouse(TMessageKind::mkMouseUp, 3, 4));
  c.Dispatch(Mouse(TMessageKind::mkDoubleClick, 3, 4, MK_LBUTTON));
  c.Dispatch(Mouse(TMessageKind::mkMouseUp, 3, 4));
  const std::vector<std::string> expected = {"down 0 Left 3,4", "click", "up 0 ", "dblclick", "down 0 Left+Double 3,4",
                                             "up 0 "};
  EXPECT_EQ(c.Log, expected);
  EXPECT_EQ(events, (std::vector<std::string>{"OnMouseDown Left", "OnDblClick", "OnMouseDown Left+Double"}));
}

TEST_F(ControlsTest, MoveEnterLeaveWheelAndKeys) {
  TLogControl c;
  c.SetBounds(0, 0, 20, 20);
  std::vector<std::string> ev;
  c.OnMouseEnter = [&](TObject&) { ev.push_back("enter"); };
  c.OnMouseLeave = [&](TObject&) { ev.push_back("leave"); };
  c.OnMouseMove = [&](TObject&, TShiftState s, std::int32_t x, std::int32_t y) {
    ev.push_back("move " + ShiftText(s) + " " + std::to_string(x) + "," + std::to_string(y));
  };
  c.OnMouseWheel = [&](TObject&, TShiftState s, std::int32_t d, TPoint p, bool& handled) {
    ev.push_back("wheel " + ShiftText(s) + " " + std::to_string(d) + " " + std::to_string(p.x) + "," +
                 std::to_string(p.y));
    handled = true;
  };
  c.OnKeyDown = [&](TObject&, std::uint16_t& k, TShiftState s) {
    ev.push_back("keydown " + std::to_string(k) + " " + ShiftText(s));
  };
  c.OnKeyUp = [&](TObject&, std::uint16_t& k, TShiftState) { ev.push_back("keyup " + std::to_string(k)); };
  c.OnKeyPress = [&](TObject&, char& ch) { ev.push_back(std::string("press ") + ch); };

  c.Dispatch(TMessage{TMessageKind::mkMouseEnter});
  c.Dispatch(Mouse(TMessageKind::mkMouseMove, 7, 8, MK_SHIFT));
  TMessage w = Mouse(TMessageKind::mkMouseWheel, 1, 2, MK_CONTROL);
  w.WheelDelta = -120;
  c.Dispatch(w);
  TMessage k{TMessageKind::mkKeyDown};
  k.Key = VK_LEFT;
  k.Keys = MK_SHIFT;
  c.Dispatch(k);
  k.Kind = TMessageKind::mkKeyUp;
  c.Dispatch(k);
  TMessage ch{TMessageKind::mkChar};
  ch.Char = 'q';
  c.Dispatch(ch);
  c.Dispatch(TMessage{TMessageKind::mkMouseLeave});
  const std::vector<std::string> expected = {"enter",         "move Shift 7,8", "wheel Ctrl -120 1,2", "keydown 37 Shift",
                                             "keyup 37",      "press q",        "leave"};
  EXPECT_EQ(ev, expected);

  // Disabled or hidden controls get no input.
  ev.clear();
  c.SetEnabled(false);
  c.Dispatch(TMessage{TMessageKind::mkMouseEnter});
  c.SetEnabled(true);
  c.SetVisible(false);
  c.Dispatch(Mouse(TMessageKind::mkMouseMove, 1, 1));
  EXPECT_TRUE(ev.empty());
}

TEST_F(ControlsTest, BoundsResizeAndSurface) {
  TLogControl c;
  int resizes = 0;
  c.OnResize = [&](TObject&) { ++resizes; };
  c.SetBounds(10, 20, -5, 30);
  EXPECT_EQ(c.Width(), 0);
  EXPECT_EQ(c.Height(), 30);
  EXPECT_EQ(resizes, 1);
  c.SetBounds(11, 21, 0, 30);  // moved, not resized
  EXPECT_EQ(resizes, 1);
  EXPECT_EQ(c.Left(), 11);
  EXPECT_FALSE(c.HandleAllocated());
  EXPECT_EQ(c.CreateWndCalls, 0);

  c.SetBounds(0, 0, 40, 30);
  c.Canvas();  // creates the window
  EXPECT_TRUE(c.HandleAllocated());
  EXPECT_EQ(c.CreateWndCalls, 1);
  EXPECT_EQ(c.Surface().Width(), 40);
  TMessage size{TMessageKind::mkSize};
  size.X = 64;
  size.Y = 48;
  c.Dispatch(size);
  EXPECT_EQ(c.Width(), 64);
  EXPECT_EQ(c.Surface().Width(), 64);
  EXPECT_EQ(c.Surface().Height(), 48);
  EXPECT_EQ(c.CreateWndCalls, 1);
  // Huge sizes keep the control's numbers but cap the surface.
  c.SetBounds(0, 0, 2000000000, 3);
  EXPECT_EQ(c.Width(), 2000000000);
  EXPECT_EQ(c.Surface().Width(), TCustomControl::MaxSurfaceSide);
}

TEST_F(ControlsTest, InvalidateFlushPaints) {
  TLogControl a, b;
  a.SetBounds(0, 0, 8, 6);
  b.SetBounds(0, 0, 3, 2);
  a.SetColor(clRed);
  a.Log.clear();
  b.Log.clear();
  a.Invalidate();
  b.Invalidate();
  a.Invalidate();
  EXPECT_TRUE(H().IsInvalidated(a));
  EXPECT_EQ(H().PendingInvalidations(), 2u);
  EXPECT_TRUE(a.Log.empty());
  EXPECT_EQ(H().FlushInvalidations(), 2u);
  EXPECT_EQ(a.Log, std::vector<std::string>{"paint 8x6"});
  EXPECT_EQ(b.Log, std::vector<std::string>{"paint 3x2"});
  EXPECT_EQ(H().PresentCount(a), 1);
  EXPECT_EQ(a.Surface().Canvas().Pixel(7, 5), clRed);  // default Paint fills with Color
  EXPECT_EQ(H().FlushInvalidations(), 0u);

  a.Repaint();
  EXPECT_EQ(a.Log.size(), 2u);
  EXPECT_EQ(H().PresentCount(a), 2);
  a.SetVisible(false);
  a.Repaint();
  EXPECT_EQ(H().PresentCount(a), 2);
}

// A headless program that creates a control and gives it a window gets the
// first paint a window system would send, at the next ProcessMessages.
TEST_F(ControlsTest, NewWindowGetsItsFirstPaint) {
  TLogControl c;
  c.SetBounds(0, 0, 5, 4);
  c.SetColor(clLime);
  c.Log.clear();
  c.HandleNeeded();
  EXPECT_TRUE(H().IsInvalidated(c));
  EXPECT_TRUE(c.Log.empty());
  H().ProcessMessages();
  EXPECT_EQ(c.Log, std::vector<std::string>{"paint 5x4"});
  EXPECT_EQ(c.Surface().Canvas().Pixel(4, 3), clLime);
  H().ProcessMessages();
  EXPECT_EQ(c.Log.size(), 1u);

  // Hidden, it waits until it is shown; showing it asks for a paint again.
  TLogControl hidden;
  hidden.SetBounds(0, 0, 2, 2);
  hidden.SetVisible(false);
  hidden.Log.clear();
  hidden.HandleNeeded();
  EXPECT_FALSE(H().IsInvalidated(hidden));
  hidden.SetVisible(true);
  EXPECT_TRUE(H().IsInvalidated(hidden));
  hidden.SetVisible(true);  // already shown: nothing more
  H().ProcessMessages();
  EXPECT_EQ(hidden.Log, std::vector<std::string>{"paint 2x2"});

  // A control painted directly (a paint message or Repaint) asks for no second one.
  TLogControl direct;
  direct.SetBounds(0, 0, 3, 3);
  direct.Repaint();
  EXPECT_FALSE(H().IsInvalidated(direct));
}

// Drawing on a control's canvas outside a paint message (a chart showing new
// data, a range change) reaches the screen: the host presents the surface at
// its next frame, once however often the control drew meanwhile. A paint
// presents on its own and answers a pending request.
TEST_F(ControlsTest, DrawingOutsideAPaintIsPresentedOncePerFrame) {
  TLogControl c;
  c.SetBounds(0, 0, 6, 4);
  c.HandleNeeded();
  H().ProcessMessages();  // the first paint
  c.Log.clear();
  const std::int32_t shown = H().PresentCount(c);
  for (int i = 0; i < 50; ++i) c.Canvas().SetPixel(i % 6, 1, clRed);
  EXPECT_TRUE(H().IsPresentRequested(c));
  EXPECT_EQ(H().PresentCount(c), shown);  // nothing reaches the screen before the frame
  EXPECT_EQ(H().FlushInvalidations(), 0u);  // presented, not painted again
  EXPECT_EQ(H().PresentCount(c), shown + 1);
  EXPECT_TRUE(c.Log.empty()) << c.Log.front();
  H().ProcessMessages();
  EXPECT_EQ(H().PresentCount(c), shown + 1);

  // Painting itself asks for nothing more; a request before a paint is answered by it.
  c.Repaint();
  EXPECT_FALSE(H().IsPresentRequested(c));
  c.Canvas().SetPixel(0, 0, clBlue);
  c.Repaint();
  EXPECT_FALSE(H().IsPresentRequested(c));
  EXPECT_EQ(H().PresentCount(c), shown + 3);

  // A hidden control draws unseen; a destroyed one leaves no request behind.
  c.SetVisible(false);
  c.Canvas().SetPixel(0, 0, clBlue);
  EXPECT_FALSE(H().IsPresentRequested(c));
  auto gone = std::make_unique<TLogControl>();
  gone->SetBounds(0, 0, 2, 2);
  gone->Canvas().SetPixel(0, 0, clRed);
  gone.reset();
  H().FlushInvalidations();
}

TEST_F(ControlsTest, DestroyedControlsLeaveNoTraces) {
  auto c = std::make_unique<TLogControl>();
  const std::uint64_t id = c->ControlId();
  EXPECT_EQ(FindControl(id), c.get());
  c->Invalidate();
  H().PostMessage(*c, Mouse(TMessageKind::mkMouseMove, 1, 1));
  c.reset();
  EXPECT_EQ(FindControl(id), nullptr);
  EXPECT_EQ(H().PendingInvalidations(), 0u);
  EXPECT_EQ(H().PendingMessages(), 0u);
  H().ProcessMessages();

  // A control destroyed while an old host still holds its id: the old host skips it.
  auto d = std::make_unique<TLogControl>();
  d->Invalidate();
  std::unique_ptr<THost> old = SetHost(nullptr);
  d.reset();
  EXPECT_EQ(static_cast<THeadlessHost&>(*old).FlushInvalidations(), 0u);
}

}  // namespace
}  // namespace mivo

namespace mivo {
namespace {

// The device scale: which values count, the size of the scaled picture (a
// fractional scale rounds, a huge control is cut to the largest surface),
// that a scaled paint leaves the surface alone and drawing outside a paint
// makes the scaled picture out of date, and that scale 1 paints as before.
TEST_F(ControlsTest, DeviceScaleSizesAndKeepsTheScaledPicture) {
  TLogControl c;
  c.SetBounds(0, 0, 41, 30);
  c.SetColor(clRed);
  const TBitmap atOne = c.PaintedSurface();
  const struct {
    double Set, Want;
  } kScales[] = {{2, 2},   {1.5, 1.5},           {1.25, 1.25}, {0, 1},  {-2, 1}, {std::nan(""), 1},
                 {1e300, TCustomControl::MaxDeviceScale},      {0.01, TCustomControl::MinDeviceScale},
                 {INFINITY, 1}};
  for (const auto& k : kScales) {
    SCOPED_TRACE(k.Set);
    c.SetDeviceScale(k.Set);
    EXPECT_EQ(c.DeviceScale(), k.Want);
  }

  c.SetDeviceScale(1.5);
  H().FlushInvalidations();
  c.Log.clear();
  c.Dispatch(TMessage{TMessageKind::mkPaint});
  EXPECT_TRUE(c.ScaledSurfaceCurrent());
  EXPECT_EQ(c.ScaledSurface().Width(), 62);  // 61.5 rounded
  EXPECT_EQ(c.ScaledSurface().Height(), 45);
  EXPECT_EQ(FromRGB32(c.ScaledSurface().ScanLine(44)[61]), clRed);
  c.Canvas().SetPixel(0, 0, clBlue);
  EXPECT_FALSE(c.ScaledSurfaceCurrent());
  // The picture of a file stays the screen picture.
  EXPECT_EQ(c.PaintedSurface().Width(), 41);

  c.SetBounds(0, 0, 2000000000, 3);
  c.Repaint();
  EXPECT_EQ(c.ScaledSurface().Width(), TCustomControl::MaxSurfaceSide);
  EXPECT_EQ(c.ScaledSurface().Height(), 5);  // 4.5 rounded
  c.SetBounds(0, 0, 0, 0);
  c.Repaint();
  EXPECT_EQ(c.ScaledSurface().Width(), 0);

  c.SetBounds(0, 0, 41, 30);
  c.SetDeviceScale(1);
  EXPECT_EQ(c.ScaledSurface().Width(), 0);
  c.Dispatch(TMessage{TMessageKind::mkPaint});
  EXPECT_EQ(c.Surface().Width(), atOne.Width());
  EXPECT_EQ(std::vector<TRGB32>(c.Surface().Data(), c.Surface().Data() + 41 * 30),
            std::vector<TRGB32>(atOne.Data(), atOne.Data() + 41 * 30));
}

}  // namespace
}  // namespace mivo
