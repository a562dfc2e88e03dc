// "Export..." of every table window: the save dialog ("Export table") with
// one filter per format (CSV, TSV, each also with a byte-order mark, and
// Excel workbook), then the export on the worker thread under "Exporting...".
// The rows are those the window shows, in its order. GUI thread only.
#pragma once

#include <functional>
#include <memory>

#include <QString>
#include <QStringList>

#include "gui/common/file_choosers.h"
#include "table_export/export_format.h"
#include "table_export/table.h"

class QWidget;

namespace lexvane::gui {

class WindowHost;

// The save dialog's filters, in the order shown; the index of one is its
// entry in ExportFilterOptions.
QStringList ExportFilters();
table_export::ExportOptions ExportFilterOptions(int filter);

// Makes the table to export; runs on the worker thread, so it may only read
// what the window shares with it (the window's commands wait meanwhile).
using ExportTableMaker = std::function<std::unique_ptr<table_export::Table>()>;

// MenuExportClick of every table window: asks for the file (the save dialog,
// or the workspace's FileChoosers::Export when set) and starts the
// export with `window` as the owner (closing it stops the export and leaves
// no file). Returns whether an export was started.
bool RunTableExport(WindowHost& workspace, QWidget* window, const QString& suggestedName,
                    ExportTableMaker makeTable);

}  // namespace lexvane::gui
