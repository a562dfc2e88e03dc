// The neutral form in which every table of the program is exported: a
// heading row of named columns, then rows of typed cells. A window's data
// (concordance, word list, collocate table, ...) presents itself through a
// Table; the writers (delimited_writer.h, xlsx_writer.h, export_file.h) turn
// any Table into CSV, TSV or an XLSX workbook without knowing what it holds.
//
// A Table is read on the thread that exports it and must not change while it
// is exported. Adapters live beside the data they present (concordance/,
// frequency/, ...); this folder knows none of them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "text/encoding.h"

namespace lexvane::table_export {

// Where a workbook aligns a column's text. Auto: numbers right, text left.
// Delimited text has no alignment.
enum class Alignment : std::uint8_t { Auto, Left, Centre, Right };

struct Column {
  std::string Heading;  // UTF-8, the program's own words
  Alignment Align = Alignment::Auto;
};

enum class CellKind : std::uint8_t {
  Empty,    // no value (an empty field, an empty workbook cell)
  Text,     // corpus text in the table's encoding: converted to UTF-8 on export
  Utf8,     // text already in UTF-8: file names and paths, the program's words
  Integer,  // a whole number
  Decimal,  // a number written with a fixed number of decimals
};

// One cell. Which fields count depends on Kind.
struct Cell {
  CellKind Kind = CellKind::Empty;
  std::string Chars;         // Text, Utf8
  std::int64_t Integer = 0;  // Integer
  double Value = 0;          // Decimal: the value before rounding
  int Decimals = 0;          // Decimal: digits after the point (0 to 15)
};

// The cells of one row, filled by Table::Row from left to right, one per
// column. The storage is reused from row to row.
class RowCells {
 public:
  void Text(std::string_view corpusText) { next(CellKind::Text).Chars.assign(corpusText); }
  void Utf8(std::string_view utf8) { next(CellKind::Utf8).Chars.assign(utf8); }
  void Integer(std::int64_t value) { next(CellKind::Integer).Integer = value; }
  // `value` as the grid shows it with `decimals` decimals (12.5 with 3: 12.500).
  void Decimal(double value, int decimals);
  void Empty() { next(CellKind::Empty); }

  std::size_t Size() const { return size_; }
  const Cell& operator[](std::size_t i) const { return cells_[i]; }
  // Forgets the cells (keeping their storage); the writers call it before
  // each row.
  void Clear() { size_ = 0; }

 private:
  Cell& next(CellKind kind);
  std::vector<Cell> cells_;
  std::size_t size_ = 0;
};

// What every exportable table presents. Rows are numbered from 0 in the
// order the window shows them.
class Table {
 public:
  virtual ~Table() = default;
  // The heading row; every row has exactly this many cells.
  virtual std::vector<Column> Columns() const = 0;
  virtual std::int64_t RowCount() const = 0;
  // Appends the cells of `row` (0 <= row < RowCount()) to `cells`.
  virtual void Row(std::int64_t row, RowCells& cells) const = 0;
  // The encoding of the Text cells.
  virtual text::Encoding TextEncoding() const = 0;
  // The workbook's sheet name ("Concordance"); at most 31 characters, none
  // of []:*?/\.
  virtual std::string Name() const = 0;
};

// A Table from a row function: what most adapters need.
//
//   table_export::FunctionTable table(
//       "Keywords", {{"Word"}, {"Frequency"}}, encoding, list.Count(),
//       [&list](std::int64_t row, table_export::RowCells& cells) {
//         cells.Text(list.Word(row));
//         cells.Integer(list.Frequency(row));
//       });
class FunctionTable : public Table {
 public:
  using RowFunction = std::function<void(std::int64_t row, RowCells& cells)>;
  FunctionTable(std::string name, std::vector<Column> columns, text::Encoding encoding,
                std::int64_t rowCount, RowFunction row);

  std::vector<Column> Columns() const override { return columns_; }
  std::int64_t RowCount() const override { return rowCount_; }
  void Row(std::int64_t row, RowCells& cells) const override { row_(row, cells); }
  text::Encoding TextEncoding() const override { return encoding_; }
  std::string Name() const override { return name_; }

 private:
  std::string name_;
  std::vector<Column> columns_;
  text::Encoding encoding_;
  std::int64_t rowCount_;
  RowFunction row_;
};

}  // namespace lexvane::table_export
