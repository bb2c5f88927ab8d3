#pragma once
// The contour page of the Qt demo: a field shown by TContourPlot that the
// user zooms and pans (which resamples it), a plot-mode selector, the
// attached colour bar beside it, and a progress bar while a deliberately slow
// handler computes the pivots.

class QWidget;

QWidget* MakeContourPage(QWidget* parent);
