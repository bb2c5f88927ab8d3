#include <cmath>

#include "mivo/charts/box_plot.h"
#include "mivo/platform/bitmap.h"
#include "mivo/platform/host.h"

int main() {
  mivo::TDataTable table(3, 50);                  // the host's table: 3 columns of 50 rows
  const char* names[] = {"Mon", "Tue", "Wed"};
  for (int c = 1; c <= 3; ++c) {
    table.SetColName(c, names[c - 1]);
    for (int r = 1; r <= 50; ++r) table.SetElem(c, r, c + std::pow(r / 25.0, c));  // skewed columns
  }
  mivo::TBoxPlot box;                             // owns 100 Gaussian values until given a table
  box.SetBounds(0, 0, 420, 300);
  box.AssignAnotherDataTable(table);              // listens to the table; the host keeps it
  box.SetShow90Perc(true);                        // 10th and 90th percentile ticks
  box.SetGridStyle(mivo::TBoxPlotGridStyle::bpgsDotLines);
  box.HandleNeeded();                             // gets its window: statistics, boxes, first paint
  box.AutoRange(5);                               // x 0 ... 4, y over the values plus 5 %
  table.SetElem(2, 1, 9.0);                       // an edit moves its box at once
  mivo::TBitmap picture;
  box.CopyToBitmap(picture, false);
  picture.SaveToFile("boxplot.png");
}
