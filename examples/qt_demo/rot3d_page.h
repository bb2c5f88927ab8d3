#pragma once
// The 3D scatter page of the Qt demo: a cloud of marks or a helix that the
// mouse rotates, zooms and pans (the mode is chosen above it; the wheel zooms
// too), with the item nearest the pointer and the view shown below.
#include <QWidget>

QWidget* MakeRot3dPage(QWidget* parent);
