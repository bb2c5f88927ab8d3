// The Qt adapter from an installed package: a scale in a widget, grabbed once.
#include <QApplication>
#include <QPixmap>

#include "mivo/platform/colors.h"
#include "mivo/qt/qt_color.h"
#include "mivo/qt/qt_control_widget.h"
#include "mivo/qt/qt_host.h"
#include "mivo/scale/scale.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  mivo::SetHost(std::make_unique<mivo::TQtHost>());
  int rc = 0;
  {
    mivo::TQtControlWidget w(std::make_unique<mivo::TScale>());
    w.ControlAs<mivo::TScale>()->SetRange(0, 250);
    w.resize(400, 64);
    w.show();
    const QImage img = w.grab().toImage();
    rc = img.width() == 400 && mivo::FromQColor(mivo::ToQColor(mivo::clRed)) == mivo::clRed ? 0 : 1;
  }
  mivo::SetHost(nullptr);
  return rc;
}
