#include <cmath>

#include <QApplication>
#include <QTimer>

#include "mivo/qt/qt_control_widget.h"
#include "mivo/qt/qt_host.h"
#include "mivo/rchart/rchart.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  mivo::SetHost(std::make_unique<mivo::TQtHost>());
  mivo::TCustomRChart chart;
  chart.SetBounds(0, 0, 640, 360);
  chart.SetRange(1, 0, -1.2, 60, 1.2);           // 60 s of a signal in -1.2 ... 1.2
  mivo::TQtControlWidget w(chart);
  w.show();

  double t = 0;
  chart.MoveTo(t, 0);
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] {
    t += 0.02;
    if (t > chart.Scale1X().RangeHigh()) {       // scroll: start the next minute afresh
      chart.ClearGraf();
      chart.SetRange(1, t, -1.2, t + 60, 1.2);
      chart.MoveTo(t, std::sin(t));
    }
    chart.DrawTo(t, std::sin(t));
    chart.ShowGrafNewOnly();                     // draws the new point; the window follows
  });
  timer.start(20);                               // a point every 20 ms
  const int rc = app.exec();
  mivo::SetHost(nullptr);
  return rc;
}
