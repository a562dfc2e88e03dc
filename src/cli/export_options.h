// --export csv|tsv|xlsx and --bom of the table commands (concord, wordfreq,
// colloc, stats): the table written as a file for spreadsheets, R or pandas
// instead of the command's own layout, which stays the default.
#pragma once

#include <initializer_list>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "cli/console.h"
#include "table_export/table.h"

namespace lexvane::cli {

struct ExportChoice {
  std::string format;  // --export: "" (the command's own layout), csv, tsv or xlsx
  bool bom = false;    // --bom
  bool Chosen() const { return !format.empty(); }
};

// Adds --export and --bom to `command`. The options named in
// `layoutOptions` ("--format", ...) shape the command's own layout; giving
// one of them with --export is a usage error.
void AddExportOptions(CLI::App& command, ExportChoice& choice,
                      std::initializer_list<const char*> layoutOptions);

// The usage error of a workbook without -o, before any work is done.
void CheckExportTarget(const ExportChoice& choice, const std::string& outputFile);

// Writes `table` as chosen: to `outputFile` (replaced only once the whole
// table is written), or, for csv and tsv, to standard output when it is
// empty. kExitError when the file could not be created (reported through
// the console), otherwise kExitOk.
int WriteExport(const table_export::Table& table, const ExportChoice& choice,
                const std::string& outputFile, Streams& streams, Console& console);

}  // namespace lexvane::cli
