#include "table_export/table.h"

#include <algorithm>

namespace lexvane::table_export {

void RowCells::Decimal(double value, int decimals) {
  Cell& cell = next(CellKind::Decimal);
  cell.Value = value;
  cell.Decimals = std::clamp(decimals, 0, 15);
}

Cell& RowCells::next(CellKind kind) {
  if (size_ == cells_.size()) cells_.emplace_back();
  Cell& cell = cells_[size_++];
  cell.Kind = kind;
  cell.Chars.clear();
  return cell;
}

FunctionTable::FunctionTable(std::string name, std::vector<Column> columns, text::Encoding encoding,
                             std::int64_t rowCount, RowFunction row)
    : name_(std::move(name)),
      columns_(std::move(columns)),
      encoding_(encoding),
      rowCount_(rowCount),
      row_(std::move(row)) {}

}  // namespace lexvane::table_export
