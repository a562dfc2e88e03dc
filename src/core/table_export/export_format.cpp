#include "table_export/export_format.h"

namespace lexvane::table_export {

std::optional<Format> ParseFormat(std::string_view name) {
  if (name == "csv") return Format::Csv;
  if (name == "tsv") return Format::Tsv;
  if (name == "xlsx") return Format::Xlsx;
  return std::nullopt;
}

std::string_view FormatName(Format format) {
  switch (format) {
    case Format::Csv:
      return "csv";
    case Format::Tsv:
      return "tsv";
    default:
      return "xlsx";
  }
}

std::string_view Extension(Format format) {
  switch (format) {
    case Format::Csv:
      return ".csv";
    case Format::Tsv:
      return ".tsv";
    default:
      return ".xlsx";
  }
}

}  // namespace lexvane::table_export
