#pragma once
// The 2D chart page of the Qt demo: a noisy signal on layer 1 and marks on
// layer 2 (its own y axis on the right, the x axis shared with layer 1), two
// crosshairs and three text labels to drag, a selector for every mouse mode
// of the chart, a zoom-back button over the zoom history, the wheel-zoom
// switch and a status line with the mouse position and the last mouse event.
#include <QWidget>

QWidget* MakeChartPage(QWidget* parent);
