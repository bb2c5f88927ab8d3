// The Smith chart page of the Qt demo (see smith_page.h).
#include "smith_page.h"

#include <cmath>
#include <complex>
#include <memory>

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QVBoxLayout>

#include "mivo/base/univconst.h"
#include "mivo/charts/smith_chart.h"
#include "mivo/platform/colors.h"
#include "mivo/qt/qt_control_widget.h"

namespace {

using namespace mivo;

struct TModeEntry {
  const char* Name;
  TMouseActMode Mode;
};

constexpr TModeEntry kModes[] = {
    {"Pan", TMouseActMode::maPan},
    {"Zoom by dragging", TMouseActMode::maZoomDrag},
    {"Zoom window", TMouseActMode::maZoomWindAligned},
    {"Move crosshair", TMouseActMode::maMoveCrossHair},
};

// 20 ohm, 12 nH and 3 pF in series on 50 ohm, 100 MHz ... 4 GHz.
void PlotSweep(TSmithChart& c) {
  constexpr double kPi = 3.14159265358979323846;
  c.SetDataCol(clBlue);
  c.SetLineWid(2);
  for (int i = 0; i <= 390; ++i) {
    const double w = 2 * kPi * (100e6 + i * 10e6);
    const std::complex<double> z(20.0 / 50, (w * 12e-9 - 1 / (w * 3e-12)) / 50);
    const double re = c.CalcReflectionReal(z.real(), z.imag()), im = c.CalcReflectionImag(z.real(), z.imag());
    if (i == 0) c.MoveTo(re, im);
    else c.DrawTo(re, im);
    if (i % 30 == 0) {
      c.SetDataCol(clRed);
      c.MarkAt(re, im, 3);
      c.SetDataCol(clBlue);
      c.MoveTo(re, im);
    }
  }
}

QString Impedance(double r, double x) {
  if (!std::isfinite(r) || !std::isfinite(x)) return "no impedance here";
  if (r >= uc_MaxReal) return "open circuit";
  return QString("z = %1 %2 j%3   (x 50 ohm: %4 %5 j%6 ohm)")
      .arg(r, 0, 'f', 3)
      .arg(x < 0 ? '-' : '+')
      .arg(std::fabs(x), 0, 'f', 3)
      .arg(50 * r, 0, 'f', 1)
      .arg(x < 0 ? '-' : '+')
      .arg(50 * std::fabs(x), 0, 'f', 1);
}

}  // namespace

QWidget* MakeSmithPage(QWidget* parent) {
  auto* page = new QWidget(parent);
  auto* outer = new QHBoxLayout(page);
  auto owned = std::make_unique<TSmithChart>();
  TSmithChart& chart = *owned;
  chart.SetBounds(0, 0, 520, 520);
  chart.SetChartCaption("Series RLC, 0.1 ... 4 GHz");
  chart.SetMouseAction(TMouseActMode::maPan);
  chart.SetMouseWheelZoom(true);
  chart.CrossHairSetup(clGreen, TCrossHMode::chSmallCross, TPenStyle::psSolid, 1);
  chart.CrossHairSetPos(-0.3, -0.3);
  PlotSweep(chart);
  auto* widget = new TQtControlWidget(std::move(owned), page);
  widget->setMinimumSize(240, 240);
  outer->addWidget(widget, 1);

  auto* side = new QVBoxLayout;
  auto* form = new QFormLayout;
  auto* mode = new QComboBox(page);
  for (const TModeEntry& m : kModes) mode->addItem(m.Name);
  form->addRow("Mouse", mode);
  side->addLayout(form);
  auto* centre = new QPushButton("Centre (CenterChart)", page);
  auto* back = new QPushButton("Back (zoom history)", page);
  auto* whole = new QPushButton("Whole chart", page);
  side->addWidget(centre);
  side->addWidget(back);
  side->addWidget(whole);
  auto* readout = new QLabel("Move the mouse over the chart", page);
  readout->setWordWrap(true);
  readout->setMinimumWidth(260);
  side->addWidget(readout);
  side->addStretch(1);
  outer->addLayout(side);

  // The widget owns the chart; the lambdas find it again by id.
  const std::uint64_t id = widget->ControlId();
  auto withChart = [id](auto&& fn) {
    if (auto* c = dynamic_cast<TSmithChart*>(FindControl(id))) fn(*c);
  };
  QObject::connect(mode, qOverload<int>(&QComboBox::currentIndexChanged), page, [withChart](int i) {
    if (i >= 0) withChart([i](TSmithChart& c) { c.SetMouseAction(kModes[i].Mode); });
  });
  QObject::connect(centre, &QPushButton::clicked, page, [withChart] { withChart([](TSmithChart& c) { c.CenterChart(); }); });
  QObject::connect(back, &QPushButton::clicked, page,
                   [withChart] { withChart([](TSmithChart& c) { c.ZoomHistory(-1); }); });
  QObject::connect(whole, &QPushButton::clicked, page, [withChart] {
    withChart([](TSmithChart& c) { c.SetRange(-kSmithDefaultRange, -kSmithDefaultRange, kSmithDefaultRange, kSmithDefaultRange); });
  });
  chart.OnMouseMoveInChart = [readout, withChart](TObject&, bool inChart, TShiftState, double re, double im) {
    if (!inChart) {
      readout->setText("Outside the chart");
      return;
    }
    withChart([&](TSmithChart& c) {
      readout->setText(QString("G = %1 %2 j%3\n").arg(re, 0, 'f', 4).arg(im < 0 ? '-' : '+').arg(std::fabs(im), 0, 'f', 4) +
                       Impedance(c.CalcResistance(re, im), c.CalcReactance(re, im)));
    });
  };
  return page;
}
