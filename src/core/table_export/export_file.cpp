#include "table_export/export_file.h"

#include "io/file_content.h"
#include "table_export/delimited_writer.h"
#include "table_export/xlsx_writer.h"
#include "text/error.h"

namespace lexvane::table_export {

Outcome ExportToFile(const Table& table, const ExportOptions& options, const std::string& path,
                     text::OperationHost& host) {
  io::ReplacementFile file(path);
  if (!file.Ok()) {
    host.ui.ShowError("Cannot create file " + path);
    return Outcome::Failed;
  }
  const std::string unwritable = "Unable to write to " + path;
  bool complete = false;
  if (options.Format == Format::Xlsx) {
    if (!file.CloseForWriter()) throw text::Error(unwritable);
    complete = WriteXlsx(table, file.TempPath(), path, host.progress);
  } else {
    complete = WriteDelimited(
        table, options.Format, options.ByteOrderMark,
        [&](std::string_view bytes) {
          if (!file.Write(bytes)) throw text::Error(unwritable);
        },
        host.progress);
  }
  if (!complete) return Outcome::Cancelled;
  if (!file.Commit()) throw text::Error(unwritable);
  return Outcome::Written;
}

}  // namespace lexvane::table_export
