#include "colorscale_page.h"

#include <cstdio>
#include <memory>

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

#include "mivo/colorscale/colorscale.h"
#include "mivo/platform/colors.h"
#include "mivo/qt/qt_control_widget.h"

namespace {

using namespace mivo;

void Rainbow(TColorScale& cs) {
  cs.ColorArray.SetSize(128);
  cs.ColorArray.FillByInterpolation(kColorModelRGB, {clNavy, clBlue, clAqua, clLime, clYellow, clRed, clMaroon});
}

QString Format(const char* fmt, double a) {
  char buf[128];
  std::snprintf(buf, sizeof buf, fmt, a);
  return QString::fromUtf8(buf);
}

QString Format(const char* fmt, double a, double b) {
  char buf[128];
  std::snprintf(buf, sizeof buf, fmt, a, b);
  return QString::fromUtf8(buf);
}

}  // namespace

QWidget* MakeColorscalePage(QWidget* parent) {
  auto* page = new QWidget(parent);
  auto* layout = new QVBoxLayout(page);
  auto* help = new QLabel(
      "Drag on the bar: the left part moves the low end of the colour range, the right part the high end, "
      "the middle pans it. On the vertical bar, drag the crosshair.");
  help->setWordWrap(true);
  layout->addWidget(help);

  auto* readout = new QLabel("Move the pointer over a bar.");
  auto* range = new QLabel;

  auto horz = std::make_unique<TColorScale>();
  TColorScale* h = horz.get();
  h->SetBounds(0, 0, 560, 90);
  Rainbow(*h);
  h->SetScaleRange(0, 100);
  h->SetMarginTop(30);
  h->SetCaptionPosY(6);
  h->SetCaptionSize(10);
  h->SetCaption("Temperature / degC");
  h->SetExtendColors(true);
  h->CrossHair().SetMode(TCrossHMode::chOff);
  h->SetMouseAction(TMouseActMode::maColorScaleZoomPan);
  auto showRange = [range, h] {
    range->setText(Format("Colour range %.2f ... %.2f", h->ColorLow(), h->ColorHigh()));
  };
  showRange();
  h->OnMouseMoveInScale = [readout, showRange](TObject&, bool inScale, TShiftState, double value) {
    readout->setText(inScale ? Format("Value under the pointer: %.3f", value) : QString("Pointer outside the bar"));
    showRange();
  };
  h->OnZoomPan = [showRange](TObject&) { showRange(); };
  auto* horzWidget = new TQtControlWidget(std::move(horz));

  auto vert = std::make_unique<TColorScale>();
  TColorScale* v = vert.get();
  v->SetBounds(0, 0, 110, 360);
  v->SetOrientation(TColScaleOrientation::csoVertical);
  v->SetMarginRight(50);
  Rainbow(*v);
  v->SetScaleRange(-40, 40);
  v->SetMouseAction(TMouseActMode::maMoveCrossHair);
  v->CrossHair().SetPos(10, 10);
  v->OnCrossHairMove = [readout, v](TObject&) {
    readout->setText(Format("Crosshair at %.2f", v->CrossHair().PosY()));
  };
  auto* vertWidget = new TQtControlWidget(std::move(vert));

  auto* reset = new QPushButton("Reset colour range");
  QObject::connect(reset, &QPushButton::clicked, page, [h, showRange] {
    h->SetScaleRange(0, 100);
    showRange();
  });

  auto* row = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  left->addWidget(horzWidget);
  left->addWidget(range);
  left->addWidget(readout);
  left->addWidget(reset);
  left->addStretch(1);
  row->addLayout(left, 1);
  row->addWidget(vertWidget);
  layout->addLayout(row, 1);
  return page;
}
