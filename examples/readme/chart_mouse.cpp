#include "mivo/platform/host.h"
#include "mivo/rchart/rchart.h"

int main() {
  mivo::TCustomRChart chart;
  chart.SetBounds(0, 0, 500, 300);
  for (int i = 0; i <= 200; ++i) chart.DrawTo(i, (i % 20) * (i % 7));
  chart.SetSuppressPaint(false);
  chart.AutoRange(1, 5);  // fits layer 1 and records the view on the zoom history
  chart.SetMouseAction(mivo::TMouseActMode::maPan);

  // The input a window system would deliver: press, drag with the left button, release.
  mivo::THeadlessHost& host = *mivo::HeadlessHost();
  const auto post = [&](mivo::TMessageKind kind, int x, int y, std::uint32_t keys) {
    mivo::TMessage m;
    m.Kind = kind;
    m.X = x;
    m.Y = y;
    m.Keys = keys;
    host.PostMessage(chart, m);
  };
  post(mivo::TMessageKind::mkMouseDown, 300, 150, mivo::MK_LBUTTON);
  post(mivo::TMessageKind::mkMouseMove, 300, 150, mivo::MK_LBUTTON);  // picks the drag up
  post(mivo::TMessageKind::mkMouseMove, 200, 120, mivo::MK_LBUTTON);  // the content follows
  post(mivo::TMessageKind::mkMouseUp, 200, 120, 0);                   // one history entry
  host.ProcessMessages();
  chart.Surface().SaveToFile("chart_pan.png");
  chart.ZoomHistory(-1);  // back to the fitted view
}
