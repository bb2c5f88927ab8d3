#pragma once
// Mouse input for the chart tests: messages are queued on the headless host
// and delivered by ProcessMessages, the road a real window system takes.

#include <cstdint>

#include "mivo/platform/host.h"
#include "mivo/rchart/rchart.h"
#include "support/image_compare.h"
#include "rchart_test_util.h"

namespace mivo::test {

// The data area of the test geometry: x 50 ... 270, y 16 ... 168 (220 x 152).
inline constexpr std::int32_t kDataL = 50, kDataR = 270, kDataT = 16, kDataB = 168;

inline THeadlessHost& Headless() { return *HeadlessHost(); }

// A chart of the test geometry that paints, layer 1 showing 0 ... 220 by
// 0 ... 152, with an empty history holding that state.
inline void MouseReady(TCustomRChart& c) {
  UseTestGeometry(c);
  c.SetSuppressPaint(false);
  c.SetRange(1, 0, 0, 220, 152);
  c.ClearZoomHistory();
  Headless().ProcessMessages();
}

inline void Post(TControl& c, TMessageKind kind, std::int32_t x, std::int32_t y, std::uint32_t keys = 0,
                 TMouseButton button = TMouseButton::mbLeft) {
  TMessage m;
  m.Kind = kind;
  m.X = x;
  m.Y = y;
  m.Keys = keys;
  m.Button = button;
  Headless().PostMessage(c, m);
}

inline void Deliver() { Headless().ProcessMessages(); }

inline void Down(TControl& c, std::int32_t x, std::int32_t y, TMouseButton b = TMouseButton::mbLeft) {
  Post(c, TMessageKind::mkMouseDown, x, y, b == TMouseButton::mbLeft ? MK_LBUTTON : MK_RBUTTON, b);
  Deliver();
}

inline void Drag(TControl& c, std::int32_t x, std::int32_t y, std::uint32_t keys = MK_LBUTTON) {
  Post(c, TMessageKind::mkMouseMove, x, y, keys);
  Deliver();
}

inline void Up(TControl& c, std::int32_t x, std::int32_t y, TMouseButton b = TMouseButton::mbLeft) {
  Post(c, TMessageKind::mkMouseUp, x, y, 0, b);
  Deliver();
}

inline void Wheel(TControl& c, std::int32_t x, std::int32_t y, std::int32_t delta) {
  TMessage m;
  m.Kind = TMessageKind::mkMouseWheel;
  m.X = x;
  m.Y = y;
  m.WheelDelta = delta;
  Headless().PostMessage(c, m);
  Deliver();
}

// The ranges of one layer as (x low, y low, x high, y high).
struct TRanges {
  double xLo, yLo, xHi, yHi;
};
inline TRanges RangesOf(const TCustomRChart& c, std::int32_t layer) {
  return {c.ScalePropsX(layer).RangeLow(), c.ScalePropsY(layer).RangeLow(), c.ScalePropsX(layer).RangeHigh(),
          c.ScalePropsY(layer).RangeHigh()};
}

// Same colour channels everywhere.
}  // namespace mivo::test
