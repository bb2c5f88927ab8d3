// The interactive demo: pages of components in Qt widgets. The scales page has
// seven TScale controls and a panel that changes the selected scale live
// (click a scale to select it); range boxes take any double, 1e-3 and -2.5E6
// included, and say why a value was refused.
//
//   mivo_qt_demo                     opens the window
//   mivo_qt_demo --screenshot a.png  renders the window into a PNG and exits
//   mivo_qt_demo --select 3 ...      clicks scale 3 first (through the mouse events)
//   mivo_qt_demo --page 2 ...        opens on page 2 (0: scales)
//   mivo_qt_demo --antialiased ...   opens with the Antialiased box ticked

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "boxplot_page.h"
#include "chart_page.h"
#include "colorscale_page.h"
#include "contour_page.h"
#include "gauge_page.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/canvas.h"
#include "mivo/platform/colors.h"
#include "mivo/platform/datetime.h"
#include "mivo/platform/errors.h"
#include "mivo/qt/qt_control_widget.h"
#include "mivo/qt/qt_host.h"
#include "mivo/scale/scale.h"
#include "plot3d_page.h"
#include "rot3d_page.h"
#include "smith_page.h"

namespace {

using namespace mivo;

constexpr TColor kSelectedBack = 0xE0FFFF;  // light yellow
constexpr TColor kNormalBack = 0xFF00000F;  // button face

struct TScaleEntry {
  std::string Title;
  TQtControlWidget* Widget = nullptr;
  TScale* Scale = nullptr;
};

class TDemoWindow : public QMainWindow {
 public:
  TDemoWindow() {
    setWindowTitle("Mivo Charts on Qt");
    FPages = new QTabWidget(this);
    auto* central = new QWidget;
    auto* outer = new QHBoxLayout(central);

    // Horizontal scales in a column, the vertical ones beside them.
    auto* horz = new QVBoxLayout;
    auto* vert = new QHBoxLayout;
    const double day0 = EncodeDate(2026, 1, 1);
    AddScale(horz, "Numeric", 420, 64, [](TScale& s) {
      s.SetScaleType(TScaleType::sctHorzDown);
      s.SetRange(0, 100);
    });
    AddScale(horz, "Logarithmic", 420, 64, [](TScale& s) {
      s.SetScaleType(TScaleType::sctHorzDown);
      s.SetRange(1, 1e5);
      s.SetLogarithmic(true);
    });
    AddScale(horz, "Time span (seconds)", 420, 64, [](TScale& s) {
      s.SetScaleType(TScaleType::sctHorzDown);
      s.SetLabelType(TFigType::ftTime);
      s.SetRange(0, 7200);
    });
    AddScale(horz, "Calendar", 420, 80, [day0](TScale& s) {
      s.SetScaleType(TScaleType::sctHorzDown);
      s.SetLabelType(TFigType::ftDateTime);
      s.SetRange(day0, day0 + 90);
    });
    AddScale(horz, "Ticks up", 420, 64, [](TScale& s) {
      s.SetScaleType(TScaleType::sctHorzUp);
      s.SetRange(-1, 1);
    });
    AddScale(vert, "Vertical", 110, 340, [](TScale& s) {
      s.SetScaleType(TScaleType::sctVertLeft);
      s.SetRange(-5, 5);
    });
    AddScale(vert, "Vertical log", 110, 340, [](TScale& s) {
      s.SetScaleType(TScaleType::sctVertRight);
      s.SetRange(0.01, 1000);
      s.SetLogarithmic(true);
    });
    auto* scalesBox = new QHBoxLayout;
    scalesBox->addLayout(horz);
    scalesBox->addLayout(vert);
    outer->addLayout(scalesBox, 1);
    outer->addWidget(BuildPanel());
    FPages->addTab(central, "Scales");
    FPages->addTab(MakeColorscalePage(FPages), "Colour bar");
    FPages->addTab(MakeGaugePage(FPages), "Gauge");
    FPages->addTab(MakePlot3dPage(FPages), "3D surface");
    FPages->addTab(MakeRot3dPage(FPages), "3D scatter");
    FPages->addTab(MakeChartPage(FPages), "2D chart");
    FPages->addTab(MakeBoxPlotPage(FPages), "Box plot");
    FPages->addTab(MakeContourPage(FPages), "Contour");
    FPages->addTab(MakeSmithPage(FPages), "Smith chart");
    // One switch for every component of every page: coverage-based edges
    // instead of the exact pixels.
    auto* antialiased = FAntialiased = new QCheckBox("Antialiased");
    antialiased->setToolTip("Draw lines, curves, polygons and marks with smooth edges");
    QObject::connect(antialiased, &QCheckBox::toggled, this, [this](bool on) {
      // The control widgets have no meta-object of their own: found as widgets.
      for (QWidget* w : FPages->findChildren<QWidget*>())
        if (auto* host = dynamic_cast<TQtControlWidget*>(w))
          if (TCustomControl* c = host->Control()) c->SetAntialiased(on);
    });
    FPages->setCornerWidget(antialiased, Qt::TopRightCorner);
    setCentralWidget(FPages);
    BuildMenu();
    Select(0);
  }

 public:
  void ShowPage(int index) { FPages->setCurrentIndex(index); }
  void SetAntialiased(bool on) { FAntialiased->setChecked(on); }

  // Clicks the scale with this index as the user would: press and release on its widget.
  void ClickScale(std::size_t index) {
    if (index >= FScales.size()) return;
    QWidget* w = FScales[index].Widget;
    const QPointF p(w->width() / 2.0, w->height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, p, w->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, p, w->mapToGlobal(p), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(w, &press);
    QCoreApplication::sendEvent(w, &release);
  }

 private:
  template <class Setup>
  void AddScale(QBoxLayout* layout, const std::string& title, int w, int h, Setup setup) {
    auto scale = std::make_unique<TScale>();
    scale->SetBounds(0, 0, w, h);
    setup(*scale);
    TScaleEntry e{title, nullptr, scale.get()};
    e.Widget = new TQtControlWidget(std::move(scale));
    e.Widget->setMinimumSize(60, 40);
    const std::size_t index = FScales.size();
    e.Scale->OnMouseDown = [this, index](TObject&, TMouseButton, TShiftState, std::int32_t, std::int32_t) {
      // Selecting from inside the scale's own handler: defer the repaints.
      QTimer::singleShot(0, this, [this, index] { Select(index); });
    };
    auto* box = new QVBoxLayout;
    box->setSpacing(2);
    box->addWidget(new QLabel(QString::fromStdString(title)));
    box->addWidget(e.Widget, 1);
    layout->addLayout(box);
    FScales.push_back(e);
  }

  QWidget* BuildPanel() {
    auto* group = new QGroupBox("Selected scale");
    auto* form = new QFormLayout(group);
    FSelector = new QComboBox;
    for (const auto& e : FScales) FSelector->addItem(QString::fromStdString(e.Title));
    FLow = new QLineEdit;
    FHigh = new QLineEdit;
    FLow->setToolTip("Any number: 0.001, 1e-3, -2.5E6 ...");
    FHigh->setToolTip(FLow->toolTip());
    FMinTicks = new QSpinBox;
    FMinTicks->setRange(1, 30);
    FLog = new QCheckBox("Logarithmic");
    FLabelType = new QComboBox;
    FLabelType->addItems({"none", "numbers", "time span", "date/time", "user text"});
    FScaleType = new QComboBox;
    FScaleType->addItems({"0: horizontal, ticks up", "1: horizontal, ticks down", "2: vertical, ticks right",
                          "3: vertical, ticks left"});
    form->addRow("Scale", FSelector);
    form->addRow("Range low", FLow);
    form->addRow("Range high", FHigh);
    form->addRow("MinTicks", FMinTicks);
    form->addRow("", FLog);
    form->addRow("LabelType", FLabelType);
    form->addRow("ScaleType", FScaleType);

    QObject::connect(FSelector, &QComboBox::currentIndexChanged, this, [this](int i) {
      if (i >= 0) Select(std::size_t(i));
    });
    QObject::connect(FLow, &QLineEdit::editingFinished, this, [this] { ApplyRangeEnd(FLow, true); });
    QObject::connect(FHigh, &QLineEdit::editingFinished, this, [this] { ApplyRangeEnd(FHigh, false); });
    QObject::connect(FMinTicks, &QSpinBox::valueChanged, this, [this](int v) {
      Current().SetMinTicks(v);
      Sync();
    });
    QObject::connect(FLog, &QCheckBox::toggled, this, [this](bool b) {
      Current().SetLogarithmic(b);
      if (b && !Current().Logarithmic())
        statusBar()->showMessage(Current().LabelType() == TFigType::ftDateTime
                                     ? "A date/time scale cannot be logarithmic"
                                     : "A logarithmic scale needs both ends positive (1e-100 or more)",
                                 8000);
      Sync();
    });
    QObject::connect(FLabelType, &QComboBox::currentIndexChanged, this, [this](int i) {
      if (i < 0) return;
      Current().SetLabelType(TFigType(i));
      Sync();
    });
    QObject::connect(FScaleType, &QComboBox::currentIndexChanged, this, [this](int i) {
      if (i < 0) return;
      Current().SetScaleType(TScaleType(i));
      Sync();
    });
    group->setMinimumWidth(280);
    return group;
  }

  // Reads a range box and sets that end, or says in the status bar why the
  // value was not taken; the boxes then show what the scale holds.
  void ApplyRangeEnd(QLineEdit* box, bool low) {
    const QString text = box->text().trimmed();
    const QString why = RangeEndRefusal(text, low);
    if (!why.isEmpty()) {
      statusBar()->showMessage(why, 8000);
    } else {
      const double v = text.toDouble();
      low ? Current().SetRangeLow(v) : Current().SetRangeHigh(v);
      const double other = low ? Current().RangeHigh() : Current().RangeLow();
      if (other == v) statusBar()->showMessage("Equal ends: the other end moved one above", 5000);
    }
    Sync();
  }

  // Why the scale cannot take this text as an end (empty when it can).
  QString RangeEndRefusal(const QString& text, bool low) {
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok) return QString("\"%1\" is not a number (examples: 250, 0.001, 1e-3, -2.5E6)").arg(text);
    if (!std::isfinite(v)) return QString("\"%1\" is not finite").arg(text);
    TScale& s = Current();
    if (s.Logarithmic() && v <= 0)
      return QString("A logarithmic scale needs positive ends: \"%1\" refused (turn Logarithmic off first)").arg(text);
    const double other = low ? s.RangeHigh() : s.RangeLow();
    if (!std::isfinite(other - v)) return QString("The range from \"%1\" to the other end is wider than a double").arg(text);
    return {};
  }

  void BuildMenu() {
    QMenu* file = menuBar()->addMenu("&File");
    QAction* copy = file->addAction("Copy to clipboard");
    copy->setShortcut(QKeySequence::Copy);
    QObject::connect(copy, &QAction::triggered, this, [this] {
      Host().SetClipboardBitmap(Current().Surface());
      statusBar()->showMessage("The selected scale is on the clipboard", 3000);
    });
    QAction* print = file->addAction("Print…");
    print->setShortcut(QKeySequence::Print);
    QObject::connect(print, &QAction::triggered, this, [this] { PrintCurrent(); });
    file->addSeparator();
    QAction* quit = file->addAction("Quit");
    quit->setShortcut(QKeySequence::Quit);
    QObject::connect(quit, &QAction::triggered, this, [this] { close(); });
  }

  // Prints the selected scale at its screen size (scaled to the printer's resolution).
  void PrintCurrent() {
    TQtHost* host = QtHost();
    if (!host || !host->ExecPrintDialog(this)) return;
    try {
      TPrinter& printer = host->Printer();
      const TBitmap& surface = Current().Surface();
      const double f = double(printer.PixelsPerInch()) / host->ScreenPixelsPerInch();
      const std::int32_t margin = printer.PixelsPerInch() / 2;
      printer.Title = "Mivo Charts - " + FScales[FSelected].Title;
      printer.BeginDoc();
      printer.Canvas().StretchDraw(TRect{margin, margin, margin + RoundToInt(surface.Width() * f),
                                         margin + RoundToInt(surface.Height() * f)},
                                   surface);
      printer.EndDoc();
      statusBar()->showMessage("Printed", 3000);
    } catch (const EMivoError& e) {
      if (host->Printer().Printing()) host->Printer().Abort();
      Host().MessageDlg(e.what(), TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
    }
  }

  TScale& Current() { return *FScales[FSelected].Scale; }

  void Select(std::size_t index) {
    if (index >= FScales.size()) return;
    FScales[FSelected].Scale->SetColorBackGnd(kNormalBack);
    FSelected = index;
    Current().SetColorBackGnd(kSelectedBack);
    Sync();
  }

  // Shows the selected scale's settings in the panel.
  void Sync() {
    TScale& s = Current();
    const QSignalBlocker b1(FSelector), b2(FLow), b3(FHigh), b4(FMinTicks), b5(FLog), b6(FLabelType),
        b7(FScaleType);
    FSelector->setCurrentIndex(int(FSelected));
    FLow->setText(QString::number(s.RangeLow(), 'g', 15));
    FHigh->setText(QString::number(s.RangeHigh(), 'g', 15));
    FMinTicks->setValue(s.MinTicks());
    FLog->setChecked(s.Logarithmic());
    FLabelType->setCurrentIndex(int(s.LabelType()));
    FScaleType->setCurrentIndex(int(s.ScaleType()));
  }

  std::vector<TScaleEntry> FScales;
  std::size_t FSelected = 0;
  QComboBox* FSelector = nullptr;
  QTabWidget* FPages = nullptr;
  QLineEdit* FLow = nullptr;
  QLineEdit* FHigh = nullptr;
  QSpinBox* FMinTicks = nullptr;
  QCheckBox* FLog = nullptr;
  QCheckBox* FAntialiased = nullptr;
  QComboBox* FLabelType = nullptr;
  QComboBox* FScaleType = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
  std::string screenshot;
  int select = -1;
  int page = 0;
  bool antialiased = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc) {
      screenshot = argv[++i];
    } else if (std::strcmp(argv[i], "--select") == 0 && i + 1 < argc) {
      select = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--page") == 0 && i + 1 < argc) {
      page = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--antialiased") == 0) {
      antialiased = true;
    } else if (std::strcmp(argv[i], "--help") == 0) {
      std::printf("usage: mivo_qt_demo [--page index] [--select index] [--antialiased] [--screenshot file.png]\n");
      return 0;
    }
  }
  QApplication app(argc, argv);
  mivo::SetHost(std::make_unique<mivo::TQtHost>());
  mivo::LoadChartCursors();
  int rc = 0;
  {
    TDemoWindow window;
    window.resize(900, 560);
    window.ShowPage(page);
    window.SetAntialiased(antialiased);
    window.show();
    if (select >= 0) QTimer::singleShot(100, &window, [&window, select] { window.ClickScale(std::size_t(select)); });
    if (!screenshot.empty()) {
      QTimer::singleShot(300, &window, [&window, &screenshot, &rc] {
        if (!window.grab().save(QString::fromStdString(screenshot))) {
          std::fprintf(stderr, "mivo_qt_demo: cannot write %s\n", screenshot.c_str());
          rc = 1;
        }
        QApplication::quit();
      });
    }
    const int loop = app.exec();
    if (rc == 0) rc = loop;
  }
  // The controls are gone; the host goes before the application object.
  mivo::SetHost(nullptr);
  return rc;
}
