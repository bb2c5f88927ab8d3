#pragma once
// The 3D surface page of the Qt demo: a surface that the mouse rotates, zooms
// and pans (the mode is chosen above it), with the cell under the pointer and
// its value shown below.
#include <QWidget>

QWidget* MakePlot3dPage(QWidget* parent);
