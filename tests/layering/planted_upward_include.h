// Checked as if it were part of the base package by the layering test's own
// test: the chart lies above the base package, so the check must refuse it.
#include "mivo/rchart/rchart.h"
