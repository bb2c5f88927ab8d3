#include "contour_page.h"

#include <chrono>
#include <cmath>
#include <memory>
#include <thread>

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

#include "mivo/colorscale/colorscale.h"
#include "mivo/contour/contour_plot.h"
#include "mivo/platform/colors.h"
#include "mivo/qt/qt_control_widget.h"

namespace {

using namespace mivo;

double Field(double x, double y) {
  return std::sin(x) * std::cos(y) + 1.2 * std::exp(-std::pow((x - y) / 0.8, 2)) - 0.4;
}

}  // namespace

QWidget* MakeContourPage(QWidget* parent) {
  auto* page = new QWidget(parent);
  auto* layout = new QVBoxLayout(page);
  auto* help = new QLabel(
      "Drag to pan and turn the wheel to zoom about the pointer: both resample the field. "
      "Tick 'Slow field' to see the progress while the pivots are computed.");
  help->setWordWrap(true);
  layout->addWidget(help);

  auto* progress = new QProgressBar;
  progress->setRange(0, 100);
  auto* slow = new QCheckBox("Slow field (20 us per pivot)");
  auto* mode = new QComboBox;
  mode->addItems({"Iso-level dots", "Mono dots", "Colour surface", "Blocks without interpolation"});
  mode->setCurrentIndex(2);
  auto* masked = new QCheckBox("Mask: blue box, inverted disc");

  auto bar = std::make_unique<TColorScale>();
  TColorScale* cs = bar.get();
  cs->SetBounds(0, 0, 110, 420);
  cs->SetOrientation(TColScaleOrientation::csoVertical);
  cs->SetMarginRight(50);
  cs->CrossHair().SetMode(TCrossHMode::chOff);

  auto plot = std::make_unique<TContourPlot>();
  TContourPlot* p = plot.get();
  p->SetBounds(0, 0, 620, 420);
  p->SetPivotResolution(400);
  p->SetIsoParams(-1.2, 1.6, 0.2);
  p->SetMouseAction(TMouseActMode::maPan);
  p->SetMouseWheelZoom(true);
  p->SetAttachedColorScale(cs);
  p->OnEstimateZVal = [slow, masked](TObject&, double x, double y, std::int32_t, std::int32_t, double& z,
                                     std::uint8_t& mask) {
    if (slow->isChecked()) std::this_thread::sleep_for(std::chrono::microseconds(20));
    z = Field(x, y);
    mask = 0;
    if (masked->isChecked()) {
      if (x > -4 && x < -2 && y > 1 && y < 3) mask = 3;
      if (std::hypot(x - 2, y + 2) < 1.2) mask = 255;
    }
  };
  p->OnProgress = [progress](TObject&, std::int32_t percent) { progress->setValue(percent); };
  auto* plotWidget = new TQtControlWidget(std::move(plot));
  auto* barWidget = new TQtControlWidget(std::move(bar));

  QObject::connect(mode, &QComboBox::currentIndexChanged, page,
                   [p](int index) { p->SetPlotMode(static_cast<TContourPlotMode>(index)); });
  QObject::connect(masked, &QCheckBox::toggled, page, [p] { p->DrawPlot(); });
  auto* reset = new QPushButton("Reset view");
  QObject::connect(reset, &QPushButton::clicked, page, [p] { p->SetRange(-5.2, -5.2, 5.2, 5.2); });

  auto* controls = new QHBoxLayout;
  controls->addWidget(new QLabel("Plot mode:"));
  controls->addWidget(mode);
  controls->addWidget(masked);
  controls->addWidget(slow);
  controls->addWidget(reset);
  controls->addStretch(1);
  layout->addLayout(controls);
  auto* row = new QHBoxLayout;
  row->addWidget(plotWidget, 1);
  row->addWidget(barWidget);
  layout->addLayout(row, 1);
  layout->addWidget(progress);
  return page;
}
