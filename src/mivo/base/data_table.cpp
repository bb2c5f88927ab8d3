#include "mivo/base/data_table.h"

#include <algorithm>
#include <cmath>

#include "mivo/base/number_format.h"
#include "mivo/base/statistics.h"
#include "mivo/base/string_utils.h"
#include "mivo/platform/errors.h"
#include "mivo/platform/file_replace.h"

namespace mivo {

namespace {
constexpr std::int32_t kExportCellWidth = 12;
}

bool TDataTable::TCell::operator==(const TCell& o) const {
  if (Kind != o.Kind) return false;
  switch (Kind) {
    case TCellKind::ckEmpty: return true;
    case TCellKind::ckNumber: return Number == o.Number || (std::isnan(Number) && std::isnan(o.Number));
    case TCellKind::ckText: return Text == o.Text;
  }
  return false;
}

void TDataTable::Resize(std::int32_t nc, std::int32_t nr) {
  nc = std::max(nc, 0);
  nr = std::max(nr, 0);
  if (nc == FNumCols && nr == FNumRows) return;
  if (std::int64_t(nc) * nr > kMaxCells)
    RaiseMivoError("Data table size " + std::to_string(nc) + " x " + std::to_string(nr) +
                   " exceeds the limit of " + std::to_string(kMaxCells) + " cells");
  std::vector<TCell> cells(std::size_t(nc) * std::size_t(nr));
  const std::int32_t keepCols = std::min(nc, FNumCols), keepRows = std::min(nr, FNumRows);
  for (std::int32_t r = 1; r <= keepRows; ++r)
    for (std::int32_t c = 1; c <= keepCols; ++c)
      cells[std::size_t(r - 1) * std::size_t(nc) + std::size_t(c - 1)] = std::move(FCells[Index(c, r)]);
  FCells.swap(cells);
  FColNames.resize(std::size_t(nc));
  FNumCols = nc;
  FNumRows = nr;
  Changed();
}

void TDataTable::Clear() {
  bool changed = false;
  for (TCell& cell : FCells) {
    if (cell.Kind != TCellKind::ckEmpty) {
      cell = TCell{};
      changed = true;
    }
  }
  if (changed) Changed();
}

void TDataTable::StoreCell(std::int32_t col, std::int32_t row, TCell&& cell) {
  if (!Inside(col, row)) return;
  TCell& target = FCells[Index(col, row)];
  if (target == cell) return;
  target = std::move(cell);
  Changed();
}

void TDataTable::SetElem(std::int32_t col, std::int32_t row, double value) {
  StoreCell(col, row, TCell{TCellKind::ckNumber, value, {}});
}

void TDataTable::SetElem(std::int32_t col, std::int32_t row, const std::string& text) {
  StoreCell(col, row, TCell{TCellKind::ckText, 0.0, text});
}

void TDataTable::ClearElem(std::int32_t col, std::int32_t row) { StoreCell(col, row, TCell{}); }

TCellKind TDataTable::CellKind(std::int32_t col, std::int32_t row) const {
  return Inside(col, row) ? FCells[Index(col, row)].Kind : TCellKind::ckEmpty;
}

bool TDataTable::IsNumber(std::int32_t col, std::int32_t row) const {
  if (!Inside(col, row)) return false;
  const TCell& cell = FCells[Index(col, row)];
  return cell.Kind == TCellKind::ckNumber && !std::isnan(cell.Number);
}

double TDataTable::GetElem(std::int32_t col, std::int32_t row) const {
  return CellKind(col, row) == TCellKind::ckNumber ? FCells[Index(col, row)].Number : 0.0;
}

std::string TDataTable::GetText(std::int32_t col, std::int32_t row) const {
  switch (CellKind(col, row)) {
    case TCellKind::ckNumber: return strff(FCells[Index(col, row)].Number, 1, -2);
    case TCellKind::ckText: return FCells[Index(col, row)].Text;
    case TCellKind::ckEmpty: break;
  }
  return {};
}

std::string TDataTable::GetColName(std::int32_t col) const {
  return col >= 1 && col <= FNumCols ? FColNames[std::size_t(col - 1)] : std::string();
}

void TDataTable::SetColName(std::int32_t col, const std::string& name) {
  if (col < 1 || col > FNumCols) return;
  std::string& target = FColNames[std::size_t(col - 1)];
  if (target == name) return;
  target = name;
  Changed();
}

std::vector<double> TDataTable::NumValues(std::int32_t c1, std::int32_t r1, std::int32_t c2, std::int32_t r2) const {
  std::vector<double> values;
  if (c1 > c2) std::swap(c1, c2);
  if (r1 > r2) std::swap(r1, r2);
  c1 = std::max(c1, 1);
  r1 = std::max(r1, 1);
  c2 = std::min(c2, FNumCols);
  r2 = std::min(r2, FNumRows);
  for (std::int32_t r = r1; r <= r2; ++r)
    for (std::int32_t c = c1; c <= c2; ++c)
      if (IsNumber(c, r)) values.push_back(FCells[Index(c, r)].Number);
  return values;
}

std::int32_t TDataTable::NumCellsOfColumn(std::int32_t col, std::vector<double>& values) const {
  values.clear();
  if (col < 1 || col > FNumCols) return 0;
  for (std::int32_t r = 1; r <= FNumRows; ++r) {
    const TCell& cell = FCells[Index(col, r)];
    if (cell.Kind == TCellKind::ckNumber && !std::isnan(cell.Number)) values.push_back(cell.Number);
  }
  return static_cast<std::int32_t>(values.size());
}

void TDataTable::NumCellsOfColumns(std::vector<std::vector<double>>& values) const {
  values.resize(std::size_t(FNumCols));
  for (std::vector<double>& v : values) v.clear();
  // Row by row: the cells are stored so, and each list grows at its end.
  const TCell* cell = FCells.data();
  for (std::int32_t r = 1; r <= FNumRows; ++r)
    for (std::size_t c = 0; c < values.size(); ++c, ++cell)
      if (cell->Kind == TCellKind::ckNumber && !std::isnan(cell->Number)) values[c].push_back(cell->Number);
}

std::int32_t TDataTable::CountNumCells(std::int32_t c1, std::int32_t r1, std::int32_t c2, std::int32_t r2) const {
  return static_cast<std::int32_t>(NumValues(c1, r1, c2, r2).size());
}

std::int32_t TDataTable::MinMaxOfNumCells(std::int32_t c1, std::int32_t r1, std::int32_t c2, std::int32_t r2,
                                          double& minimum, double& maximum) const {
  const std::vector<double> v = NumValues(c1, r1, c2, r2);
  minimum = maximum = 0.0;
  if (v.empty()) return 0;
  const auto [mn, mx] = std::minmax_element(v.begin(), v.end());
  minimum = *mn;
  maximum = *mx;
  return static_cast<std::int32_t>(v.size());
}

std::int32_t TDataTable::MeanVarOfNumCells(std::int32_t c1, std::int32_t r1, std::int32_t c2, std::int32_t r2,
                                           double& mean, double& variance) const {
  const std::vector<double> v = NumValues(c1, r1, c2, r2);
  mean = variance = 0.0;
  if (v.empty()) return 0;
  // Two passes: the mean first, then squared deviations (stable for large offsets).
  double sum = 0;
  for (double x : v) sum += x;
  mean = sum / double(v.size());
  if (v.size() > 1) {
    double ss = 0;
    for (double x : v) ss += (x - mean) * (x - mean);
    variance = ss / double(v.size() - 1);
  }
  return static_cast<std::int32_t>(v.size());
}

double TDataTable::PercentileOfNumCells(std::int32_t c1, std::int32_t r1, std::int32_t c2, std::int32_t r2,
                                        double percent) const {
  std::vector<double> v = NumValues(c1, r1, c2, r2);
  return PercentileInPlace(v, percent / 100.0);
}

std::int32_t TDataTable::QuartilesOfNumCells(std::int32_t c1, std::int32_t r1, std::int32_t c2, std::int32_t r2,
                                             double& q1, double& q2, double& q3) const {
  std::vector<double> v = NumValues(c1, r1, c2, r2);
  q1 = PercentileInPlace(v, 0.25);
  q2 = PercentileInPlace(v, 0.50);
  q3 = PercentileInPlace(v, 0.75);
  return static_cast<std::int32_t>(v.size());
}

std::string TDataTable::ExportAsText(std::int32_t decimals) const {
  std::string out(6, ' ');
  for (std::int32_t c = 1; c <= FNumCols; ++c)
    out.append(" ").append(CenterString(AbbrevString(GetColName(c), kExportCellWidth), kExportCellWidth));
  out += "\n";
  for (std::int32_t r = 1; r <= FNumRows; ++r) {
    out += detail::PadLeft(std::to_string(r), 4) + ": ";
    for (std::int32_t c = 1; c <= FNumCols; ++c) {
      out += ' ';
      const TCell& cell = FCells[Index(c, r)];
      std::string text;
      if (cell.Kind == TCellKind::ckNumber) text = strff(cell.Number, kExportCellWidth, decimals);
      if (cell.Kind == TCellKind::ckText) text = AbbrevString(cell.Text, kExportCellWidth);
      const std::size_t len = Utf8Length(text);
      if (len < std::size_t(kExportCellWidth)) text.insert(0, std::size_t(kExportCellWidth) - len, ' ');
      out += text;
    }
    out += "\n";
  }
  return out;
}

void TDataTable::ExportAsASC(const std::string& fileName, std::int32_t decimals) const {
  const std::string text = ExportAsText(decimals);
  WriteFileReplacing(fileName, reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), "Data table file");
}

void TDataTable::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TDataTable*>(&source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  if (FNumCols == other->FNumCols && FNumRows == other->FNumRows && FCells == other->FCells &&
      FColNames == other->FColNames)
    return;
  FCells = other->FCells;
  FColNames = other->FColNames;
  FNumCols = other->FNumCols;
  FNumRows = other->FNumRows;
  Changed();
}

void TDataTable::AssignTo(TPersistent& dest) const {
  if (auto* target = dynamic_cast<TDataTable*>(&dest)) {
    target->Assign(*this);
    return;
  }
  TPersistent::AssignTo(dest);
}

}  // namespace mivo
