#include "chart_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QVBoxLayout>

#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>
#include <random>

#include "mivo/platform/colors.h"
#include "mivo/qt/qt_control_widget.h"
#include "mivo/rchart/rchart.h"

namespace {

using mivo::TCustomRChart;
using mivo::TMouseActMode;

constexpr std::int32_t kSignalPoints = 4000;
constexpr std::int32_t kEventMarks = 1500;
constexpr double kDuration = 40.0;  // seconds on the shared x axis

struct TModeEntry {
  const char* Name;
  TMouseActMode Mode;
  const char* Hint;
};

// Every mode the 2D chart honours, in the order of their values.
constexpr TModeEntry kModes[] = {
    {"None", TMouseActMode::maNone, "The mouse only reports its position."},
    {"Pan", TMouseActMode::maPan, "Drag: the content follows the mouse on both axes."},
    {"Pan horizontally", TMouseActMode::maPanHoriz, "Drag: x only."},
    {"Pan vertically", TMouseActMode::maPanVert, "Drag: y only (both y axes)."},
    {"Pan on a grid", TMouseActMode::maPanGrid, "Drag: the low bounds snap to multiples of 1."},
    {"Rubber band", TMouseActMode::maRubberBand, "Drag a line; its ends are reported on release."},
    {"Zoom window (as dragged)", TMouseActMode::maZoomWind,
     "Drag a rectangle; corners taken as dragged, so a drag to the left or down flips that axis."},
    {"Zoom window (aligned)", TMouseActMode::maZoomWindAligned, "Drag a rectangle; the axes keep their direction."},
    {"Zoom by dragging", TMouseActMode::maZoomDrag, "Drag right or up to zoom in, left or down to zoom out."},
    {"Move crosshair", TMouseActMode::maMoveCrossHair, "Drag the nearest crosshair."},
    {"Move text label", TMouseActMode::maMoveTextLabel, "Drag the nearest text label."},
    {"Select rectangle", TMouseActMode::maSelectRect, "Drag a rectangle; its corners are reported on release."},
    {"Mouse trace", TMouseActMode::maMouseTrace, "Draw freehand; each press starts a new stroke."},
};

QString Num(double v) { return QString::number(v, 'g', 5); }

QString RangesText(const TCustomRChart& c) {
  return QString("x %1 ... %2,  y1 %3 ... %4,  y2 %5 ... %6")
      .arg(Num(c.ScalePropsX(1).RangeLow()), Num(c.ScalePropsX(1).RangeHigh()), Num(c.ScalePropsY(1).RangeLow()),
           Num(c.ScalePropsY(1).RangeHigh()), Num(c.ScalePropsY(2).RangeLow()), Num(c.ScalePropsY(2).RangeHigh()));
}

// Layer 2: event marks whose height follows the envelope, on their own y
// axis. Layer 1: a damped oscillation with noise as one line, drawn over them.
void FillChart(TCustomRChart& c) {
  std::mt19937 rng(7);
  std::normal_distribution<double> noise(0.0, 0.08);
  c.SetActiveLayer(2);
  c.SetDataColor(mivo::RGBToColor(200, 60, 30));
  std::uniform_real_distribution<double> when(0.0, kDuration);
  std::normal_distribution<double> spread(0.0, 4.0);
  for (std::int32_t i = 0; i < kEventMarks; ++i) {
    const double t = when(rng);
    c.MarkAt(t, 60 * std::exp(-t / 30) + 25 + spread(rng), i % 7 == 0 ? 13 : 8);
  }
  c.SetActiveLayer(1);
  c.SetDataColor(mivo::RGBToColor(20, 70, 170));
  for (std::int32_t i = 0; i < kSignalPoints; ++i) {
    const double t = kDuration * i / (kSignalPoints - 1);
    const double w = 2 * std::numbers::pi * t;
    const double y = std::sin(w / 6.5) * std::exp(-t / 30) + 0.3 * std::sin(w / 1.3) + noise(rng);
    if (i == 0)
      c.MoveTo(t, y);
    else
      c.DrawTo(t, y);
  }
}

void SetUpChart(TCustomRChart& c) {
  c.SetSuppressPaint(true);
  c.SetBounds(0, 0, 760, 440);
  c.SetStdLayout(mivo::TrcLayout::rcl_X1Bottom_Y2Both);
  c.ScalePropsX(1).SetCaption("time [s]");
  c.ScalePropsY(1).SetCaption("signal");
  c.ScalePropsY(2).SetCaption("events");
  c.ScalePropsY(2).SetColorScale(mivo::RGBToColor(200, 60, 30));
  c.SetGridStyle(mivo::GridStyleType::gsDotLines);
  c.SetGridColor(mivo::RGBToColor(170, 170, 170));
  c.SetCaption("Signal and events");
  c.JointLayers().SetControlledLayerX(2, 1);  // one time axis for both layers
  c.SetMouseAffectsLayer(2, true);
  c.SetMouseCursorFixed(false);
  c.SetMouseTraceColor(mivo::RGBToColor(0, 160, 0));
  c.SetMouseTraceInvert(false);
  FillChart(c);
  c.AutoRange(1, 4);
  c.AutoRange(2, 8);

  // Two crosshairs: both lines on the signal, a small cross on an event.
  mivo::TCrossHair& ch1 = c.CrossHair(1);
  ch1.SetLayer(1);
  ch1.SetColor(mivo::RGBToColor(220, 0, 0));
  ch1.SetLineType(mivo::TPenStyle::psDash);
  ch1.SetPos(12, 0.5);
  ch1.SetMode(mivo::TCrossHMode::chBoth);
  mivo::TCrossHair& ch2 = c.CrossHair(2);
  ch2.SetLayer(2);
  ch2.SetColor(mivo::RGBToColor(0, 120, 0));
  ch2.SetPos(28, 60);
  ch2.SetMode(mivo::TCrossHMode::chSmallCross);

  // Three labels: one pinned to the data, one to x only, one to the pixels.
  const auto label = [&c](std::int32_t ix, const char* text, mivo::TTxtLblAttachMode attach, mivo::TTxtLblMode mode,
                          double x, double y) {
    mivo::TTextLabel& l = c.TextLabels(ix);
    l.SetCaption(text);
    l.SetAttachToData(attach);
    l.SetLayer(1);
    l.SetPos(x, y);
    l.SetColorBkg(mivo::RGBToColor(255, 255, 225));
    l.SetMode(mode);
    l.SetVisible(true);
  };
  label(1, "first peak", mivo::TTxtLblAttachMode::tamBoth, mivo::TTxtLblMode::tlBox, 2, 1.1);
  label(2, "x in seconds, y in pixels", mivo::TTxtLblAttachMode::tamXOnly, mivo::TTxtLblMode::tlUnderline, 20, 60);
  label(3, "pinned to pixels", mivo::TTxtLblAttachMode::tamNone, mivo::TTxtLblMode::tlShadow, 600, 290);

  c.ClearZoomHistory();  // the history starts at the fitted view
  c.SetSuppressPaint(false);
}

// Steps back through the zoom history. A new zoom or pan (the history pointer
// moved) starts again from the newest entry. Every change of this page moves
// layer 1, while a zoom window records a state per layer it changes (layer 1
// zoomed, then layer 2 following): entries whose layer 1 equals what is shown
// are passed over, so every click goes back one whole view while there is one.
class TZoomBack {
 public:
  // False when no older entry differs from the current view.
  bool Step(TCustomRChart& c) {
    if (c.ZoomStackPointer() != FPointer) {
      FPointer = c.ZoomStackPointer();
      FBack = 0;
    }
    for (std::int32_t ix = FBack + 1; ix < mivo::kZoomStackSize; ++ix) {
      const mivo::TRectDouble e = c.ZoomStack(1, -ix);
      if (e == mivo::TRectDouble{} && c.ZoomStack(2, -ix) == mivo::TRectDouble{}) return false;  // never written
      if (e.Left == c.ScalePropsX(1).RangeLow() && e.Right == c.ScalePropsX(1).RangeHigh() &&
          e.Top == c.ScalePropsY(1).RangeHigh() && e.Bottom == c.ScalePropsY(1).RangeLow())
        continue;
      c.ZoomHistory(-ix);
      FBack = ix;
      return true;
    }
    return false;
  }

 private:
  std::int32_t FPointer = -1;
  std::int32_t FBack = 0;
};

}  // namespace

QWidget* MakeChartPage(QWidget* parent) {
  auto* page = new QWidget(parent);
  auto* layout = new QVBoxLayout(page);

  auto* controls = new QHBoxLayout;
  auto* mode = new QComboBox(page);
  for (const TModeEntry& m : kModes) mode->addItem(m.Name, int(m.Mode));
  auto* back = new QPushButton("Zoom back", page);
  auto* fit = new QPushButton("Fit data", page);
  auto* clearTrace = new QPushButton("Clear trace", page);
  auto* wheel = new QCheckBox("Wheel zoom", page);
  controls->addWidget(new QLabel("Mouse:", page));
  controls->addWidget(mode);
  controls->addWidget(back);
  controls->addWidget(fit);
  controls->addWidget(clearTrace);
  controls->addWidget(wheel);
  controls->addStretch();
  layout->addLayout(controls);

  auto* hint = new QLabel(kModes[0].Hint, page);
  layout->addWidget(hint);

  auto chartOwned = std::make_unique<TCustomRChart>();
  TCustomRChart* chart = chartOwned.get();
  SetUpChart(*chart);
  auto* view = new mivo::TQtControlWidget(std::move(chartOwned), page);
  view->setMinimumSize(420, 280);
  layout->addWidget(view, 1);

  auto* position = new QLabel("Move the pointer over the chart.", page);
  auto* event = new QLabel(RangesText(*chart), page);
  layout->addWidget(position);
  layout->addWidget(event);

  // The chart lives as long as the widget; the handlers only touch labels.
  chart->OnMouseMoveInChart = [position](mivo::TObject&, bool inChart, mivo::TShiftState, double x, double y) {
    position->setText(inChart ? QString("x = %1 s,  y = %2 (layer 1)").arg(Num(x), Num(y))
                              : QString("outside the data area"));
  };
  chart->OnZoomPan = [event](mivo::TObject& sender) {
    event->setText(RangesText(static_cast<TCustomRChart&>(sender)));
  };
  const auto report = [event](const char* what) {
    return [event, what](mivo::TObject&, std::int32_t layer, double x1, double y1, double x2, double y2) {
      event->setText(QString("%1 in layer %2: (%3, %4) to (%5, %6)")
                         .arg(what)
                         .arg(layer)
                         .arg(Num(x1), Num(y1), Num(x2), Num(y2)));
    };
  };
  chart->OnRubberBand = report("Rubber band");
  chart->OnSelectRect = report("Selected rectangle");
  chart->OnCrossHairMove = [event, chart](mivo::TObject&, mivo::TCrossHair& ch) {
    const std::int32_t n = &ch == &chart->CrossHair(1) ? 1 : &ch == &chart->CrossHair(2) ? 2 : 0;
    event->setText(QString("Crosshair %1 at (%2, %3)").arg(n).arg(Num(ch.PosX()), Num(ch.PosY())));
  };
  chart->OnTextLabelMove = [event](mivo::TObject&, mivo::TTextLabel& l) {
    event->setText(QString("\"%1\" at (%2, %3)")
                       .arg(QString::fromStdString(l.Caption()))
                       .arg(Num(l.PosX()), Num(l.PosY())));
  };

  QObject::connect(mode, &QComboBox::currentIndexChanged, page, [view, hint](int i) {
    if (i < 0 || i >= int(std::size(kModes))) return;
    hint->setText(kModes[i].Hint);
    if (auto* c = view->ControlAs<TCustomRChart>()) c->SetMouseAction(kModes[i].Mode);
  });
  auto zoomBack = std::make_shared<TZoomBack>();
  QObject::connect(back, &QPushButton::clicked, page, [view, event, zoomBack] {
    auto* c = view->ControlAs<TCustomRChart>();
    if (!c) return;
    event->setText(zoomBack->Step(*c) ? RangesText(*c) : QString("No older view in the zoom history"));
  });
  QObject::connect(fit, &QPushButton::clicked, page, [view, event] {
    if (auto* c = view->ControlAs<TCustomRChart>()) {
      c->SetSuppressPaint(true);
      c->AutoRange(1, 4);
      c->AutoRange(2, 8);
      c->SetSuppressPaint(false);
      event->setText(RangesText(*c));
    }
  });
  QObject::connect(clearTrace, &QPushButton::clicked, page, [view] {
    if (auto* c = view->ControlAs<TCustomRChart>()) c->ClearMouseTrace();
  });
  QObject::connect(wheel, &QCheckBox::toggled, page, [view](bool on) {
    if (auto* c = view->ControlAs<TCustomRChart>()) c->SetMouseWheelZoom(on);
  });
  return page;
}
