#pragma once
// The colour-bar page of the Qt demo: a horizontal colour bar whose colour
// range the user pans and zooms with the mouse, and a vertical one with a
// crosshair to drag, with a read-out of the value under the pointer.

class QWidget;

QWidget* MakeColorscalePage(QWidget* parent);
