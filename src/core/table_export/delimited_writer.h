// CSV and TSV of any Table: UTF-8 text, the heading row first, CR LF after
// every record (also the last), fields escaped by the rules of cell_text.h.
#pragma once

#include "table_export/export_format.h"
#include "table_export/table.h"
#include "text/progress.h"
#include "text/utf8.h"

namespace lexvane::table_export {

// Writes `table` as `format` (Csv or Tsv) to `sink`, the byte-order mark
// first when `byteOrderMark`, in pieces of about 64 kB. Runs under the
// progress indicator "Exporting..." with an update every 100 rows; a cancel
// stops after the current row and returns false (what was delivered stays
// delivered). A row whose cell count differs from the heading's throws
// text::Error.
bool WriteDelimited(const Table& table, Format format, bool byteOrderMark, const ByteSink& sink,
                    text::ProgressIndicator& progress);

// One record (without its line end): the fields of `cells`, escaped for
// `format` and joined by its delimiter.
void AppendRecord(std::string& out, const RowCells& cells, Format format, text::Encoding encoding);

}  // namespace lexvane::table_export
