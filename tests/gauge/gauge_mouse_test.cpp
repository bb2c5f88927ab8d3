// TScaleGauge mouse moves delivered through the headless host's queue: the
// dial's value under the pointer and whether it lies within the dial.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "mivo/gauge/gauge.h"
#include "mivo/platform/host.h"

namespace mivo {
namespace {

struct Report {
  bool InGauge;
  TShiftState Shift;
  double Pos;
};

// Posts one mouse move and delivers it.
void Move(TScaleGauge& g, std::int32_t x, std::int32_t y, std::uint32_t keys = 0) {
  TMessage m;
  m.Kind = TMessageKind::mkMouseMove;
  m.X = x;
  m.Y = y;
  m.Keys = keys;
  HeadlessHost()->PostMessage(g, m);
  HeadlessHost()->ProcessMessages();
}

struct Recorded {
  TScaleGauge G;
  std::vector<Report> Reports;
  std::int32_t PlainMoves = 0;
  Recorded() {
    G.OnMouseMoveInGauge = [this](TObject& sender, bool in, TShiftState shift, double pos) {
      EXPECT_EQ(&sender, &G);
      Reports.push_back({in, shift, pos});
    };
    G.OnMouseMove = [this](TObject&, TShiftState, std::int32_t, std::int32_t) { ++PlainMoves; };
  }
};

TEST(GaugeMouse, HorizontalReportsTheValueAtXAndTheDialArea) {
  ASSERT_NE(HeadlessHost(), nullptr);
  Recorded r;
  // Dial margins 20, 10, 10 and 30 on 300 x 75: x 20 ... 290, y 10 ... 45.
  struct Row {
    std::int32_t X, Y;
    bool In;
  };
  const std::vector<Row> rows{{20, 10, true},  {290, 45, true},  {155, 30, true}, {19, 30, false},
                              {291, 30, false}, {155, 9, false}, {155, 46, false}, {-5, -5, false}};
  for (const Row& row : rows) Move(r.G, row.X, row.Y, MK_SHIFT);
  ASSERT_EQ(r.Reports.size(), rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(r.Reports[i].InGauge, rows[i].In) << rows[i].X << "," << rows[i].Y;
    EXPECT_DOUBLE_EQ(r.Reports[i].Pos, r.G.ConvertPixelToScale(rows[i].X));
    EXPECT_TRUE(r.Reports[i].Shift.Contains(TShiftStateItem::ssShift));
  }
  EXPECT_DOUBLE_EQ(r.Reports[0].Pos, -10);
  EXPECT_DOUBLE_EQ(r.Reports[1].Pos, 20 * 270 / 269.0 - 10);
  EXPECT_EQ(r.PlainMoves, std::int32_t(rows.size()));  // the inherited handling runs too
}

TEST(GaugeMouse, VerticalReportsTheValueAtY) {
  Recorded r;
  r.G.SetBounds(0, 0, 75, 300);
  r.G.SetOrientation(TGaugeOrientation::goVertical);
  Move(r.G, 40, 10);
  Move(r.G, 40, 279);
  Move(r.G, 56, 100);  // right of the dial: in the index room
  ASSERT_EQ(r.Reports.size(), 3u);
  EXPECT_TRUE(r.Reports[0].InGauge);
  EXPECT_DOUBLE_EQ(r.Reports[0].Pos, 10);
  EXPECT_DOUBLE_EQ(r.Reports[1].Pos, -10);
  EXPECT_FALSE(r.Reports[2].InGauge);
}

TEST(GaugeMouse, MovingDialReportsTheValueOfTheDialAsDrawn) {
  Recorded r;
  r.G.SetFixedDial(false);
  r.G.SetValue(3);
  r.G.Paint();  // dial -7 ... 13
  Move(r.G, 20, 20);
  ASSERT_EQ(r.Reports.size(), 1u);
  EXPECT_DOUBLE_EQ(r.Reports[0].Pos, -7);
}

}  // namespace
}  // namespace mivo
