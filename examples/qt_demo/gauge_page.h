#pragma once
// A demo page with gauges: a horizontal and a vertical TScaleGauge driven by a
// slider, with the index kind, background and fixed or moving dial chosen
// live, and the value under the mouse shown as it moves over a gauge.

#include <QWidget>

QWidget* MakeGaugePage(QWidget* parent);
