// The gauge page of the Qt demo (see gauge_page.h).
#include "gauge_page.h"

#include <memory>

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QString>
#include <QVBoxLayout>

#include "mivo/gauge/gauge.h"
#include "mivo/qt/qt_control_widget.h"

namespace {

using namespace mivo;

// Slider steps per unit of the gauges' -10 ... 10 range.
constexpr int kSliderScale = 100;

const char* const kIndexNames[] = {"Thread", "Triangle", "Thread and triangle", "Thread and two triangles",
                                   "Band", "Dual-colour band", "Bar"};
const char* const kBackgroundNames[] = {"Plain", "Vertical gradient", "Horizontal gradient", "Vertical mid band",
                                        "Horizontal mid band"};

}  // namespace

QWidget* MakeGaugePage(QWidget* parent) {
  auto* page = new QWidget(parent);
  auto* outer = new QHBoxLayout(page);

  auto horzGauge = std::make_unique<TScaleGauge>();
  horzGauge->SetBounds(0, 0, 420, 90);
  horzGauge->SetCaption("Pressure");
  horzGauge->SetCaptionPosX(330);
  horzGauge->SetCaptionPosY(70);
  auto vertGauge = std::make_unique<TScaleGauge>();
  vertGauge->SetOrientation(TGaugeOrientation::goVertical);
  vertGauge->SetBounds(0, 0, 90, 320);
  vertGauge->SetBackground(TGaugeBackground::gbHorizGrad);
  TScaleGauge* gauges[] = {horzGauge.get(), vertGauge.get()};
  auto* horzWidget = new TQtControlWidget(std::move(horzGauge), page);
  auto* vertWidget = new TQtControlWidget(std::move(vertGauge), page);

  auto* left = new QVBoxLayout;
  left->addWidget(horzWidget);
  auto* slider = new QSlider(Qt::Horizontal, page);
  slider->setRange(-10 * kSliderScale, 10 * kSliderScale);
  slider->setValue(0);
  left->addWidget(slider);

  auto* form = new QFormLayout;
  auto* index = new QComboBox(page);
  for (const char* name : kIndexNames) index->addItem(name);
  index->setCurrentIndex(int(TGaugeIndexMode::gimTriangle));
  form->addRow("Index", index);
  auto* background = new QComboBox(page);
  for (const char* name : kBackgroundNames) background->addItem(name);
  background->setCurrentIndex(int(TGaugeBackground::gbVertGrad));
  form->addRow("Background (horizontal gauge)", background);
  auto* fixed = new QCheckBox("Fixed dial", page);
  fixed->setChecked(true);
  form->addRow(fixed);
  auto* enabled = new QCheckBox("Enabled", page);
  enabled->setChecked(true);
  form->addRow(enabled);
  auto* readout = new QLabel("Move the mouse over a gauge", page);
  form->addRow(readout);
  left->addLayout(form);
  left->addStretch(1);
  outer->addLayout(left, 1);
  outer->addWidget(vertWidget);

  // The widgets own the gauges; the lambdas find them again by id, so a gauge
  // destroyed with its widget is simply skipped.
  const std::uint64_t ids[] = {horzWidget->ControlId(), vertWidget->ControlId()};
  auto forEach = [ids](auto&& fn) {
    for (std::uint64_t id : ids)
      if (auto* g = dynamic_cast<TScaleGauge*>(FindControl(id))) fn(*g);
  };
  QObject::connect(slider, &QSlider::valueChanged, page, [forEach](int v) {
    forEach([v](TScaleGauge& g) { g.SetValue(double(v) / kSliderScale); });
  });
  QObject::connect(index, qOverload<int>(&QComboBox::currentIndexChanged), page, [forEach](int i) {
    forEach([i](TScaleGauge& g) { g.SetIndexMode(TGaugeIndexMode(i)); });
  });
  QObject::connect(background, qOverload<int>(&QComboBox::currentIndexChanged), page, [ids](int i) {
    if (auto* g = dynamic_cast<TScaleGauge*>(FindControl(ids[0]))) g->SetBackground(TGaugeBackground(i));
  });
  QObject::connect(fixed, &QCheckBox::toggled, page,
                   [forEach](bool on) { forEach([on](TScaleGauge& g) { g.SetFixedDial(on); }); });
  QObject::connect(enabled, &QCheckBox::toggled, page,
                   [forEach](bool on) { forEach([on](TScaleGauge& g) { g.SetEnabled(on); }); });
  for (TScaleGauge* g : gauges)
    g->OnMouseMoveInGauge = [readout](TObject&, bool inGauge, TShiftState, double pos) {
      readout->setText(inGauge ? QString("Value under the mouse: %1").arg(pos, 0, 'f', 2)
                               : QString("Outside the dial"));
    };
  return page;
}
