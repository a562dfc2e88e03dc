#include "table_export/delimited_writer.h"

#include "table_export/cell_text.h"
#include "table_export/row_pass.h"
#include "text/error.h"

namespace lexvane::table_export {

namespace {

constexpr std::size_t kPieceSize = 64 * 1024;

}  // namespace

void AppendRecord(std::string& out, const RowCells& cells, Format format, text::Encoding encoding) {
  const char delimiter = format == Format::Tsv ? '\t' : ',';
  std::string field;
  for (std::size_t i = 0; i < cells.Size(); ++i) {
    if (i > 0) out += delimiter;
    const Cell& cell = cells[i];
    if (cell.Kind == CellKind::Integer || cell.Kind == CellKind::Decimal) {
      // Digits, a sign and a point need no escape.
      AppendCellText(out, cell, encoding);
      continue;
    }
    field.clear();
    AppendCellText(field, cell, encoding);
    if (format == Format::Tsv)
      AppendTsvField(out, field);
    else
      AppendCsvField(out, field);
  }
}

bool WriteDelimited(const Table& table, Format format, bool byteOrderMark, const ByteSink& sink,
                    text::ProgressIndicator& progress) {
  std::string pending;
  pending.reserve(kPieceSize + 4096);
  if (byteOrderMark) pending += text::kByteOrderMarkText;
  const text::Encoding encoding = table.TextEncoding();
  const bool done = PassRows(table, progress, [&](std::int64_t, const RowCells& cells) {
    AppendRecord(pending, cells, format, encoding);
    pending += "\r\n";
    if (pending.size() >= kPieceSize) {
      sink(pending);
      pending.clear();
    }
  });
  if (!pending.empty()) sink(pending);
  return done;
}

}  // namespace lexvane::table_export
