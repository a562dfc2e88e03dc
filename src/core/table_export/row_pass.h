// The one pass over a table's rows that every writer makes: the heading row,
// then each row in order, under the progress indicator "Exporting...".
#pragma once

#include <cstdint>
#include <functional>

#include "table_export/table.h"
#include "text/progress.h"

namespace lexvane::table_export {

// Calls `each` with row -1 and the headings (as Utf8 cells), then with every
// row 0..RowCount()-1 and its cells. The gauge is set and the cancel flag
// tested every 100 rows; a cancel stops before the next row and returns
// false. A row whose cell count differs from the heading's throws
// text::Error. The indicator is finished in every case.
bool PassRows(const Table& table, text::ProgressIndicator& progress,
              const std::function<void(std::int64_t row, const RowCells& cells)>& each);

}  // namespace lexvane::table_export
