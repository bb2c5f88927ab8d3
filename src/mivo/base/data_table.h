#pragma once
// TDataTable: a table of cells that hold a number, a text or nothing, with
// named columns and statistics over the numeric cells of a block.
//
// Indices are 1-based: columns 1 ... NrOfColumns(), rows 1 ... NrOfRows().
// Reading outside the table gives an empty cell (number 0, text ""); writing
// outside is ignored. Block arguments (c1, r1, c2, r2) are clamped to the table
// and may be given in either order.
//
// Statistics use the numeric cells of the block; NaN cells count as not
// numeric. Percentiles interpolate linearly between order statistics (the
// "R-7" / spreadsheet PERCENTILE.INC rule, see statistics.h): sorted values
// x(1) <= ... <= x(n), h = (n - 1) p + 1, result x(floor h) + frac(h)
// (x(floor h + 1) - x(floor h)); quartiles are the percentiles at 25, 50 and
// 75 %. A block without numeric cells gives 0 for every statistic, and the
// functions that return a count return 0.
//
// Notifications (TChangeNotifier): OnChange after every change of size, cell
// or column name (not when a setter stores what is already there); use
// BeginUpdate / EndUpdate around bulk writes for a single notification.

#include <cstdint>
#include <string>
#include <vector>

#include "mivo/base/change_notify.h"
#include "mivo/platform/controls.h"
#include "mivo/platform/export.h"

MIVO_PUBLIC_BEGIN
namespace mivo {

enum class TCellKind : std::uint8_t { ckEmpty, ckNumber, ckText };

class TDataTable : public TPersistent, public TChangeNotifier {
 public:
  // Largest number of cells; larger sizes raise EMivoError (table unchanged).
  static constexpr std::int64_t kMaxCells = std::int64_t(1) << 26;

  TDataTable() = default;
  TDataTable(std::int32_t nc, std::int32_t nr) { Resize(nc, nr); }
  TDataTable(const TDataTable&) = delete;
  TDataTable& operator=(const TDataTable&) = delete;
  std::string ClassName() const override { return "TDataTable"; }

  std::int32_t NrOfColumns() const { return FNumCols; }
  std::int32_t NrOfRows() const { return FNumRows; }
  // Resizes (negative sizes count as 0), keeping the cells and column names
  // inside both sizes; new cells are empty, new column names "".
  void Resize(std::int32_t nc, std::int32_t nr);
  // Empties every cell (names stay).
  void Clear();

  void SetElem(std::int32_t col, std::int32_t row, double value);
  void SetElem(std::int32_t col, std::int32_t row, const std::string& text);
  void SetElem(std::int32_t col, std::int32_t row, const char* text) { SetElem(col, row, std::string(text)); }
  void ClearElem(std::int32_t col, std::int32_t row);

  TCellKind CellKind(std::int32_t col, std::int32_t row) const;
  bool IsNumber(std::int32_t col, std::int32_t row) const;  // numeric and not NaN
  // The number of a numeric cell; 0 for text, empty and outside cells.
  double GetElem(std::int32_t col, std::int32_t row) const;
  // The text of a text cell, the strff(x, 1, -2) form of a numeric one, "" else.
  std::string GetText(std::int32_t col, std::int32_t row) const;

  std::string GetColName(std::int32_t col) const;  // "" outside
  void SetColName(std::int32_t col, const std::string& name);

  // Statistics over the numeric cells of the block (c1, r1) ... (c2, r2).
  std::int32_t CountNumCells(std::int32_t c1, std::int32_t r1, std::int32_t c2, std::int32_t r2) const;
  // Returns the number of numeric cells; min and max 0 when there are none.
  std::int32_t MinMaxOfNumCells(std::int32_t c1, std::int32_t r1, std::int32_t c2, std::int32_t r2, double& minimum,
                                double& maximum) const;
  // Mean and sample variance (divisor n - 1; 0 for a single cell). Returns n.
  std::int32_t MeanVarOfNumCells(std::int32_t c1, std::int32_t r1, std::int32_t c2, std::int32_t r2, double& mean,
                                 double& variance) const;
  // Percentile at `percent` (0 ... 100, clamped).
  double PercentileOfNumCells(std::int32_t c1, std::int32_t r1, std::int32_t c2, std::int32_t r2,
                              double percent) const;
  // First quartile, median and third quartile. Returns the number of numeric cells.
  std::int32_t QuartilesOfNumCells(std::int32_t c1, std::int32_t r1, std::int32_t c2, std::int32_t r2, double& q1,
                                   double& q2, double& q3) const;

  // The numeric cells of one column (rows 1 ... NrOfRows, top down) into
  // `values`, which is emptied first and keeps its capacity, so that a caller
  // that reuses it allocates nothing once it is large enough. Returns their
  // number; 0 for a column outside the table.
  std::int32_t NumCellsOfColumn(std::int32_t col, std::vector<double>& values) const;
  // The same for every column in one pass over the table (faster than one
  // column after the other): values[c - 1] for column c. `values` gets one
  // list per column; the lists are emptied first and keep their capacity.
  void NumCellsOfColumns(std::vector<std::vector<double>>& values) const;

  // The table as text, as ExportAsASC writes it (lines end in "\n"):
  //   line 1: 6 blanks, then per column one blank and the column name cut to
  //           12 characters (AbbrevString) and centred in 12 (CenterString);
  //   then one line per row: the row number right-aligned in 4 characters and
  //           ": ", then per column one blank and the cell in 12 characters:
  //           numbers by strff(x, 12, decimals), texts cut to 12 characters and
  //           right-aligned, empty cells as 12 blanks.
  // The columns line up with the "Mean: ... Max: " block that the box plot
  // appends to the same file.
  std::string ExportAsText(std::int32_t decimals) const;
  // Writes ExportAsText(decimals) to a file (replacing it). Raises EMivoError
  // naming the file when it cannot be written.
  void ExportAsASC(const std::string& fileName, std::int32_t decimals) const;

  void Assign(const TPersistent& source) override;
  void EndUpdate() { TChangeNotifier::EndUpdate(*this); }

 protected:
  void AssignTo(TPersistent& dest) const override;
  void Changed() { Notify(*this); }

 private:
  struct TCell {
    TCellKind Kind = TCellKind::ckEmpty;
    double Number = 0;
    std::string Text;
    bool operator==(const TCell& o) const;
  };
  bool Inside(std::int32_t col, std::int32_t row) const {
    return col >= 1 && col <= FNumCols && row >= 1 && row <= FNumRows;
  }
  std::size_t Index(std::int32_t col, std::int32_t row) const {
    return std::size_t(row - 1) * std::size_t(FNumCols) + std::size_t(col - 1);
  }
  void StoreCell(std::int32_t col, std::int32_t row, TCell&& cell);
  // Numeric (non-NaN) values of the block (clamped, either order).
  std::vector<double> NumValues(std::int32_t c1, std::int32_t r1, std::int32_t c2, std::int32_t r2) const;

  std::int32_t FNumCols = 0;
  std::int32_t FNumRows = 0;
  std::vector<TCell> FCells;  // row-major
  std::vector<std::string> FColNames;
};

}  // namespace mivo
MIVO_PUBLIC_END
