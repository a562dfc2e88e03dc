// The export formats, their names on the command line and their file name
// extensions, and what a caller chooses when exporting.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace lexvane::table_export {

enum class Format : std::uint8_t { Csv, Tsv, Xlsx };

// "csv", "tsv", "xlsx" (exactly, lower case); nullopt for anything else.
std::optional<Format> ParseFormat(std::string_view name);
std::string_view FormatName(Format format);
// ".csv", ".tsv", ".xlsx".
std::string_view Extension(Format format);

struct ExportOptions {
  table_export::Format Format = table_export::Format::Csv;
  // CSV and TSV begin with the UTF-8 byte-order mark (EF BB BF), which
  // spreadsheet programs on Windows need to read the file as UTF-8. A
  // workbook has none.
  bool ByteOrderMark = false;
};

// How an export ended. Failed: the user was told why (the file could not
// be created); nothing was written.
enum class Outcome : std::uint8_t { Written, Cancelled, Failed };

// Where delimited text goes, in pieces as it is built. A sink that cannot
// write throws text::Error.
using ByteSink = std::function<void(std::string_view bytes)>;

// The caption of the progress indicator while a table is exported.
inline constexpr std::string_view kExportingCaption = "Exporting...";

}  // namespace lexvane::table_export
