// Exporting a table to a file: the one entry point of the desktop program's
// "Export..." and of the command line's --export with -o.
#pragma once

#include <string>

#include "table_export/export_format.h"
#include "table_export/table.h"
#include "text/progress.h"

namespace lexvane::table_export {

// Writes `table` to `path` as `options` say, under the progress indicator
// "Exporting...". The file is replaced only once the whole table is written:
// a cancel or a failure leaves a file that was there as it was, and makes
// none. A file that cannot be created (a folder that is missing or not
// writable, a path naming a folder) is reported through host.ui as "Cannot
// create file " and the path (Failed); a write that fails throws text::Error
// "Unable to write to " and the path.
Outcome ExportToFile(const Table& table, const ExportOptions& options, const std::string& path,
                     text::OperationHost& host);

}  // namespace lexvane::table_export
