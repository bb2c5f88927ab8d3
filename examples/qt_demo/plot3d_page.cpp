#include "plot3d_page.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QVBoxLayout>

#include <cmath>
#include <memory>

#include "mivo/qt/qt_control_widget.h"
#include "mivo/plot3d/plot3d.h"

namespace {

constexpr int kGrid = 48;

void FillSurface(mivo::TPlot3D& p) {
  p.GridMat.BeginUpdate();
  p.GridMat.Resize(kGrid, kGrid);
  for (int c = 1; c <= kGrid; ++c)
    for (int r = 1; r <= kGrid; ++r) {
      const double x = 6.0 * (c - 1) / (kGrid - 1) - 3, y = 6.0 * (r - 1) / (kGrid - 1) - 3;
      const double d = std::sqrt(x * x + y * y);
      p.GridMat.SetElem(c, r, std::cos(2.2 * d) * std::exp(-0.35 * d));
    }
  p.GridMat.EndUpdate();
}

}  // namespace

QWidget* MakePlot3dPage(QWidget* parent) {
  auto* page = new QWidget(parent);
  auto* layout = new QVBoxLayout(page);

  auto* controls = new QHBoxLayout;
  auto* mode = new QComboBox(page);
  mode->addItem("Rotate (drag)", int(mivo::TMouseActMode::maRotate));
  mode->addItem("Rotate left, zoom right", int(mivo::TMouseActMode::maRotAndZoom));
  mode->addItem("Rotate about x only", int(mivo::TMouseActMode::maRotXOnly));
  mode->addItem("Rotate about z only", int(mivo::TMouseActMode::maRotZOnly));
  mode->addItem("Zoom (drag up and down)", int(mivo::TMouseActMode::maZoom));
  mode->addItem("Pan (drag)", int(mivo::TMouseActMode::maPan));
  auto* reset = new QPushButton("Reset view", page);
  controls->addWidget(new QLabel("Mouse:", page));
  controls->addWidget(mode);
  controls->addWidget(reset);
  controls->addStretch();
  layout->addLayout(controls);

  auto plotOwned = std::make_unique<mivo::TPlot3D>();
  mivo::TPlot3D* plot = plotOwned.get();
  plot->SetSuppressPaint(true);
  plot->SetRange(-3, 3, -3, 3, -1, 1);
  plot->SetColorScaleLow(-0.7);
  plot->SetColorScaleHigh(1);
  plot->SetColorCodingMode(mivo::TColorCodingMode::ccmThreeColors);
  plot->SetColorLow(mivo::RGBToColor(30, 60, 200));
  plot->SetColorMid(mivo::RGBToColor(240, 240, 240));
  plot->SetColorHigh(mivo::RGBToColor(220, 40, 30));
  plot->SetMagnification(0.8);
  FillSurface(*plot);
  plot->SetSuppressPaint(false);
  auto* view = new mivo::TQtControlWidget(std::move(plotOwned), page);
  view->setMinimumSize(400, 300);
  layout->addWidget(view, 1);

  auto* status = new QLabel("Move the pointer over the surface.", page);
  layout->addWidget(status);

  plot->OnMouseMoveOverPlot = [plot, status](mivo::TObject&, bool over, mivo::TShiftState, std::int32_t cx,
                                             std::int32_t cy) {
    if (!over) {
      status->setText("Not over the surface.");
      return;
    }
    status->setText(QString("Cell (%1, %2), value at its first corner %3;  view %4 deg, %5 deg, magnification %6")
                        .arg(cx)
                        .arg(cy)
                        .arg(plot->GridMat.Elem(cx, cy), 0, 'f', 3)
                        .arg(plot->ViewAngleX(), 0, 'f', 0)
                        .arg(plot->ViewAngleZ(), 0, 'f', 0)
                        .arg(plot->Magnification(), 0, 'f', 2));
  };
  QObject::connect(mode, &QComboBox::currentIndexChanged, page, [view, mode](int) {
    if (auto* p = view->ControlAs<mivo::TPlot3D>())
      p->SetMouseAction(mivo::TMouseActMode(mode->currentData().toInt()));
  });
  QObject::connect(reset, &QPushButton::clicked, page, [view] {
    if (auto* p = view->ControlAs<mivo::TPlot3D>()) {
      p->SetSuppressPaint(true);
      p->SetAutoCenter(true);
      p->SetMagnification(0.8);
      p->SetViewAngles(60, 15);
      p->SetSuppressPaint(false);
    }
  });
  return page;
}
