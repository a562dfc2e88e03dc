#include "cli/export_options.h"

#include "table_export/delimited_writer.h"
#include "table_export/export_file.h"
#include "text/error.h"

namespace lexvane::cli {

void AddExportOptions(CLI::App& command, ExportChoice& choice,
                      std::initializer_list<const char*> layoutOptions) {
  CLI::Option* format =
      command
          .add_option("--export", choice.format,
                      "write the table as csv, tsv or xlsx (UTF-8, a heading row; xlsx needs "
                      "-o) instead of the layout above")
          ->check(CLI::IsMember({"csv", "tsv", "xlsx"}));
  command
      .add_flag("--bom", choice.bom,
                "with --export csv or tsv: begin with a UTF-8 byte-order mark (for spreadsheet "
                "programs on Windows)")
      ->needs(format);
  for (const char* name : layoutOptions) format->excludes(command.get_option(name));
}

void CheckExportTarget(const ExportChoice& choice, const std::string& outputFile) {
  if (choice.format == "xlsx" && outputFile.empty())
    throw CLI::ValidationError("--export",
                               "xlsx needs -o FILE: a workbook cannot go to standard output");
}

int WriteExport(const table_export::Table& table, const ExportChoice& choice,
                const std::string& outputFile, Streams& streams, Console& console) {
  table_export::ExportOptions options;
  options.Format = *table_export::ParseFormat(choice.format);
  options.ByteOrderMark = choice.bom;
  if (!outputFile.empty()) {
    text::OperationHost host = console.Host();
    const table_export::Outcome outcome =
        table_export::ExportToFile(table, options, outputFile, host);
    return outcome == table_export::Outcome::Written ? kExitOk : kExitError;
  }
  table_export::WriteDelimited(
      table, options.Format, options.ByteOrderMark,
      [&streams](std::string_view bytes) {
        streams.out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!streams.out) throw text::Error("standard output: write failed");
      },
      console.progress);
  streams.out.flush();
  return kExitOk;
}

}  // namespace lexvane::cli
