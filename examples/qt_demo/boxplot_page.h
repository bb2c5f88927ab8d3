#pragma once
// A demo page with a box plot of a small table the user edits: every edited
// cell moves its box at once (a text that is not a number leaves the cell out
// of the statistics), with the orientation, percentile marks, grid and
// autoranging chosen live and the figures of the selected column shown.

#include <QWidget>

QWidget* MakeBoxPlotPage(QWidget* parent);
