// An XLSX workbook of any Table, written with libxlsxwriter: the heading row
// in bold and frozen, numbers as numbers (decimals shown with their fixed
// decimals), text as text (never a formula), columns as wide as their
// longest entry up to a limit. A table longer than a worksheet goes on into
// further sheets, each with the heading row.
#pragma once

#include <cstdint>
#include <string>

#include "table_export/table.h"
#include "text/progress.h"

namespace lexvane::table_export {

// The most data rows one worksheet holds (its rows less the heading row).
inline constexpr std::int64_t kSheetDataRows = 1048575;
// The widest column, in characters.
inline constexpr double kMaxColumnWidth = 60;

// Writes `table` to the file `path` (created or emptied) under the progress
// indicator "Exporting...". A cancel stops before the next row, leaves
// `path` incomplete and returns false. A failure of the library throws
// text::Error naming `displayPath`.
bool WriteXlsx(const Table& table, const std::string& path, const std::string& displayPath,
               text::ProgressIndicator& progress, std::int64_t sheetDataRows = kSheetDataRows);

// The sheet names of a table: `name` for the first sheet, then "name 2",
// "name 3", ...; characters a sheet name may not hold become '_', and the
// name is cut to 31 characters (its number kept).
std::string SheetName(const std::string& name, int sheet);

// How many characters wide a text looks in a workbook column: its UTF-8
// characters.
std::size_t DisplayWidth(std::string_view utf8);

// A text cell's UTF-8 made safe for the workbook: text that reads like an
// escaped character ("_x0041_") has its underscore escaped, so that it reads
// back as it stands, and the two characters XML cannot hold (U+FFFE,
// U+FFFF) become U+FFFD. Control characters the library escapes itself.
std::string WorkbookText(std::string_view utf8);

}  // namespace lexvane::table_export
