#pragma once
// A demo page with a Smith chart: a series RLC circuit swept over frequency,
// zoom and pan with the mouse (the wheel zooms too), and the impedance under
// the pointer shown as R + jX.

#include <QWidget>

QWidget* MakeSmithPage(QWidget* parent);
