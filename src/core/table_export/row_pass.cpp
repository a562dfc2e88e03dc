#include "table_export/row_pass.h"

#include "table_export/export_format.h"
#include "text/error.h"

namespace lexvane::table_export {

namespace {

constexpr std::int64_t kUpdateEvery = 100;

// Finishes the indicator however the pass ends.
class Started {
 public:
  explicit Started(text::ProgressIndicator& progress) : progress_(progress) {
    progress_.Start(kExportingCaption);
  }
  ~Started() { progress_.Finish(); }
  Started(const Started&) = delete;
  Started& operator=(const Started&) = delete;

 private:
  text::ProgressIndicator& progress_;
};

}  // namespace

bool PassRows(const Table& table, text::ProgressIndicator& progress,
              const std::function<void(std::int64_t row, const RowCells& cells)>& each) {
  Started started(progress);
  RowCells cells;
  const std::vector<Column> columns = table.Columns();
  for (const Column& column : columns) cells.Utf8(column.Heading);
  each(-1, cells);
  const std::int64_t rows = table.RowCount();
  for (std::int64_t row = 0; row < rows; ++row) {
    if (row % kUpdateEvery == 0 && row > 0) {
      progress.SetGauge(static_cast<int>(row * 100 / rows));
      if (progress.Cancelled()) return false;
    }
    cells.Clear();
    table.Row(row, cells);
    if (cells.Size() != columns.size())
      throw text::Error("Row " + std::to_string(row + 1) + " of the table \"" + table.Name() +
                        "\" has " + std::to_string(cells.Size()) + " cells instead of " +
                        std::to_string(columns.size()) + ".");
    each(row, cells);
  }
  progress.SetGauge(100);
  return true;
}

}  // namespace lexvane::table_export
