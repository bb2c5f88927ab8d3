#include "rot3d_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <random>

#include "mivo/platform/colors.h"
#include "mivo/qt/qt_control_widget.h"
#include "mivo/rot3d/rot3d.h"

namespace {

constexpr double kStartMagnification = 0.9;
constexpr double kWheelStep = 1.1;  // magnification factor per wheel notch

// An angle shown in 0 ... 360 (the plot keeps every turn a drag adds).
double Shown(double degrees) { return std::fmod(std::fmod(degrees, 360.0) + 360.0, 360.0); }

// Three clusters of 2000 marks in red, green and blue.
void FillClusters(mivo::TRot3D& p) {
  std::mt19937 rng(7);
  std::normal_distribution<double> g;
  const struct {
    double x, y, z, spread;
    mivo::TColor color;
  } clusters[] = {{-2, -1, 0, 0.6, mivo::clRed}, {1.5, 1, 1, 0.8, mivo::clGreen}, {0.5, -1.5, -1.5, 0.5, mivo::clBlue}};
  for (const auto& k : clusters) {
    p.SetColorData(k.color);
    for (int i = 0; i < 2000; ++i)
      p.MarkAt(k.x + k.spread * g(rng), k.y + k.spread * g(rng), k.z + k.spread * g(rng), 1);
  }
}

// A helix of six turns with a mark every half turn.
void FillHelix(mivo::TRot3D& p) {
  const int n = 720;
  p.SetLineWidth(2);
  for (int i = 0; i <= n; ++i) {
    const double t = 12 * std::numbers::pi * i / n;
    const double x = std::cos(t), y = std::sin(t), z = t / (2 * std::numbers::pi);
    p.SetColorData(mivo::clNavy);
    if (i == 0)
      p.Moveto(x, y, z);
    else
      p.Drawto(x, y, z);
    if (i % 60 == 0) {
      p.SetColorData(mivo::clRed);
      p.MarkAt(x, y, z, 13);
      p.Moveto(x, y, z);
    }
  }
}

void Fill(mivo::TRot3D& p, int data) {
  p.Clear();
  if (data == 0)
    FillClusters(p);
  else
    FillHelix(p);
  p.MakeVisible();
}

}  // namespace

QWidget* MakeRot3dPage(QWidget* parent) {
  auto* page = new QWidget(parent);
  auto* layout = new QVBoxLayout(page);

  auto* controls = new QHBoxLayout;
  auto* data = new QComboBox(page);
  data->addItems({"6000 marks in three clusters", "helix with marks"});
  auto* mode = new QComboBox(page);
  mode->addItem("Rotate (drag)", int(mivo::TMouseActMode::maRotate));
  mode->addItem("Rotate left, zoom right", int(mivo::TMouseActMode::maRotAndZoom));
  mode->addItem("Zoom (drag up and down)", int(mivo::TMouseActMode::maZoom));
  mode->addItem("Pan (drag)", int(mivo::TMouseActMode::maPan));
  auto* threeAxes = new QCheckBox("Three-axis rotation", page);
  auto* box = new QComboBox(page);
  box->addItems({"No box", "Outlined box", "Shaded box"});
  box->setCurrentIndex(int(mivo::TBoundingBox::bbFaces));
  auto* reset = new QPushButton("Reset view", page);
  controls->addWidget(data);
  controls->addWidget(new QLabel("Mouse:", page));
  controls->addWidget(mode);
  controls->addWidget(threeAxes);
  controls->addWidget(box);
  controls->addWidget(reset);
  controls->addStretch();
  layout->addLayout(controls);

  auto plotOwned = std::make_unique<mivo::TRot3D>();
  mivo::TRot3D* plot = plotOwned.get();
  plot->SetMagnification(kStartMagnification);
  plot->SetAxNameX("x");
  plot->SetAxNameY("y");
  plot->SetAxNameZ("z");
  Fill(*plot, 0);
  auto* view = new mivo::TQtControlWidget(std::move(plotOwned), page);
  view->setMinimumSize(400, 300);
  layout->addWidget(view, 1);

  auto* status = new QLabel("Drag to rotate; the wheel zooms.", page);
  layout->addWidget(status);

  // The plot keeps its centre in pixels: follow the widget's size, keeping a pan.
  auto size = std::make_shared<mivo::TSize>(mivo::TSize{plot->Width(), plot->Height()});
  plot->OnResize = [plot, size](mivo::TObject&) {
    const std::int32_t dx = (plot->Width() - size->cx) / 2, dy = (plot->Height() - size->cy) / 2;
    *size = {plot->Width(), plot->Height()};
    plot->SetCentX(plot->CentX() + dx);
    plot->SetCentY(plot->CentY() + dy);
  };
  // The mark nearest the pointer and the view.
  plot->OnMouseMove = [plot, status](mivo::TObject&, mivo::TShiftState, std::int32_t x, std::int32_t y) {
    double dist = 0;
    const std::int32_t item = plot->FindNearestItemScreen(x, y, mivo::Tr3Item::tkMarkAt, dist);
    QString near = "no mark";
    if (item >= 0) {
      const mivo::Tr3ChartItem it = plot->GetChartItem(item);
      near = QString("mark %1 at (%2, %3, %4), %5 px away")
                 .arg(item)
                 .arg(it.x, 0, 'f', 2)
                 .arg(it.y, 0, 'f', 2)
                 .arg(it.z, 0, 'f', 2)
                 .arg(dist, 0, 'f', 0);
    }
    status->setText(QString("Nearest %1;  view %2, %3, %4 deg, magnification %5")
                        .arg(near)
                        .arg(Shown(plot->ViewAngleX()), 0, 'f', 0)
                        .arg(Shown(plot->ViewAngleY()), 0, 'f', 0)
                        .arg(Shown(plot->ViewAngleZ()), 0, 'f', 0)
                        .arg(plot->Magnification(), 0, 'f', 2));
  };
  plot->OnMouseWheel = [plot](mivo::TObject&, mivo::TShiftState, std::int32_t delta, mivo::TPoint, bool& handled) {
    plot->SetMagnification(plot->Magnification() * std::pow(kWheelStep, delta / 120.0));
    handled = true;
  };

  QObject::connect(data, &QComboBox::currentIndexChanged, page, [view](int i) {
    if (auto* p = view->ControlAs<mivo::TRot3D>()) Fill(*p, i);
  });
  QObject::connect(mode, &QComboBox::currentIndexChanged, page, [view, mode](int) {
    if (auto* p = view->ControlAs<mivo::TRot3D>()) p->SetMouseAction(mivo::TMouseActMode(mode->currentData().toInt()));
  });
  QObject::connect(threeAxes, &QCheckBox::toggled, page, [view](bool on) {
    if (auto* p = view->ControlAs<mivo::TRot3D>()) p->SetMouseRot3Axes(on);
  });
  QObject::connect(box, &QComboBox::currentIndexChanged, page, [view](int i) {
    if (auto* p = view->ControlAs<mivo::TRot3D>()) p->SetBoundBoxStyle(mivo::TBoundingBox(i));
  });
  QObject::connect(reset, &QPushButton::clicked, page, [view] {
    if (auto* p = view->ControlAs<mivo::TRot3D>()) {
      p->SetViewAngles(110, 150, 210);
      p->SetMagnification(kStartMagnification);
      p->SetCentX(p->Width() / 2);
      p->SetCentY(p->Height() / 2);
    }
  });
  return page;
}
