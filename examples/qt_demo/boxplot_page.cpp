// The box plot page of the Qt demo (see boxplot_page.h).
#include "boxplot_page.h"

#include <memory>

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QTableWidget>
#include <QVBoxLayout>

#include "mivo/charts/box_plot.h"
#include "mivo/qt/qt_control_widget.h"

namespace {

using namespace mivo;

constexpr int kRows = 9, kCols = 3;
const double kStart[kCols][kRows] = {
    {2.1, 2.4, 2.2, 2.9, 3.1, 2.6, 2.5, 2.8, 5.5},
    {4.0, 4.5, 3.2, 5.1, 4.8, 3.9, 4.4, 4.1, 4.6},
    {1.0, 1.2, 6.5, 1.1, 6.0, 1.4, 6.8, 1.3, 6.2},
};
const char* const kNames[kCols] = {"Line A", "Line B", "Line C"};

QString StatsText(const TBoxPlot& b, int col) {
  const TBoxStats s = b.ColumnStats(col);
  if (s.Count == 0) return QString("Column %1: no numbers").arg(col);
  return QString("Column %1: n %2, min %3, Q1 %4, median %5, Q3 %6, max %7, mean %8")
      .arg(col)
      .arg(s.Count)
      .arg(s.Min, 0, 'g', 4)
      .arg(s.Q1, 0, 'g', 4)
      .arg(s.Median, 0, 'g', 4)
      .arg(s.Q3, 0, 'g', 4)
      .arg(s.Max, 0, 'g', 4)
      .arg(s.Mean, 0, 'g', 4);
}

}  // namespace

QWidget* MakeBoxPlotPage(QWidget* parent) {
  auto* page = new QWidget(parent);
  auto* outer = new QHBoxLayout(page);

  // The page's own table, handed to the chart; it goes with the page (the
  // chart falls back to an empty table of its own should it outlive it).
  auto* table = new TDataTable(kCols, kRows);
  QObject::connect(page, &QObject::destroyed, [table] { delete table; });
  for (int c = 0; c < kCols; ++c) {
    table->SetColName(c + 1, kNames[c]);
    for (int r = 0; r < kRows; ++r) table->SetElem(c + 1, r + 1, kStart[c][r]);
  }

  auto box = std::make_unique<TBoxPlot>();
  box->SetBounds(0, 0, 520, 380);
  box->SetMarginLeft(60);
  box->AssignAnotherDataTable(*table);
  box->AutoRange(10);
  auto* chartWidget = new TQtControlWidget(std::move(box), page);
  const std::uint64_t id = chartWidget->ControlId();
  auto chart = [id]() { return dynamic_cast<TBoxPlot*>(FindControl(id)); };

  auto* grid = new QTableWidget(kRows, kCols, page);
  for (int c = 0; c < kCols; ++c) {
    grid->setHorizontalHeaderItem(c, new QTableWidgetItem(kNames[c]));
    for (int r = 0; r < kRows; ++r) grid->setItem(r, c, new QTableWidgetItem(QString::number(kStart[c][r])));
  }
  grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

  auto* left = new QVBoxLayout;
  left->addWidget(new QLabel("Edit a value and watch its box move:", page));
  left->addWidget(grid, 1);
  auto* form = new QFormLayout;
  auto* orientation = new QComboBox(page);
  orientation->addItems({"Vertical", "Horizontal"});
  form->addRow("Orientation", orientation);
  auto* gridStyle = new QComboBox(page);
  gridStyle->addItems({"None", "Lines", "Dotted lines"});
  form->addRow("Grid", gridStyle);
  auto* percentiles = new QCheckBox("10th and 90th percentile", page);
  form->addRow(percentiles);
  auto* mean = new QCheckBox("Mean", page);
  mean->setChecked(true);
  form->addRow(mean);
  auto* autoRange = new QPushButton("Fit the range to the data", page);
  form->addRow(autoRange);
  auto* readout = new QLabel(page);
  readout->setWordWrap(true);
  form->addRow(readout);
  left->addLayout(form);
  outer->addLayout(left, 1);
  outer->addWidget(chartWidget, 2);

  QObject::connect(grid, &QTableWidget::cellChanged, page, [table, grid, chart, readout](int r, int c) {
    bool ok = false;
    const QString text = grid->item(r, c)->text().trimmed();
    const double v = text.toDouble(&ok);
    if (ok) table->SetElem(c + 1, r + 1, v);
    else if (text.isEmpty()) table->ClearElem(c + 1, r + 1);
    else table->SetElem(c + 1, r + 1, text.toStdString());  // not a number: left out of the box
    if (TBoxPlot* b = chart()) readout->setText(StatsText(*b, c + 1));
  });
  QObject::connect(grid, &QTableWidget::currentCellChanged, page, [chart, readout](int, int c, int, int) {
    if (TBoxPlot* b = chart(); b && c >= 0) readout->setText(StatsText(*b, c + 1));
  });
  QObject::connect(orientation, qOverload<int>(&QComboBox::currentIndexChanged), page, [chart](int i) {
    if (TBoxPlot* b = chart())
      b->SetOrientation(i == 0 ? TBoxPlotOrientation::bpltVertical : TBoxPlotOrientation::bpltHorizontal);
  });
  QObject::connect(gridStyle, qOverload<int>(&QComboBox::currentIndexChanged), page, [chart](int i) {
    if (TBoxPlot* b = chart()) b->SetGridStyle(TBoxPlotGridStyle(i));
  });
  QObject::connect(percentiles, &QCheckBox::toggled, page, [chart](bool on) {
    if (TBoxPlot* b = chart()) b->SetShow90Perc(on);
  });
  QObject::connect(mean, &QCheckBox::toggled, page, [chart](bool on) {
    if (TBoxPlot* b = chart()) b->SetShowMean(on);
  });
  QObject::connect(autoRange, &QPushButton::clicked, page, [chart] {
    if (TBoxPlot* b = chart()) b->AutoRange(10);
  });
  readout->setText("Select a cell to see its column's figures");
  return page;
}
