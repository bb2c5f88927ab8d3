#include <QApplication>

#include "mivo/qt/qt_control_widget.h"
#include "mivo/qt/qt_host.h"
#include "mivo/scale/scale.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  mivo::SetHost(std::make_unique<mivo::TQtHost>());            // after the QApplication
  mivo::TQtControlWidget w(std::make_unique<mivo::TScale>());  // owns the scale
  w.ControlAs<mivo::TScale>()->SetRange(0, 250);
  w.resize(400, 64);
  w.show();
  const int rc = app.exec();
  mivo::SetHost(nullptr);                                      // before the QApplication goes
  return rc;
}
