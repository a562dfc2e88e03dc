// `lexvane-cli concord`: a concordance of the corpus, written exactly as the
// concordance window's copy writes it to a file.
#include <fstream>

#include "cli/commands.h"
#include "cli/concord_options.h"
#include "cli/export_options.h"
#include "concordance/concordance_copy.h"
#include "concordance/concordance_export.h"
#include "text/encoding.h"
#include "text/error.h"

namespace lexvane::cli {

namespace {

struct ConcordCommand {
  CorpusOptions corpus;
  ConcordOptions options;
  ExportChoice exportChoice;
};

// The rows decoded to UTF-8, row by row: the source file name of a row
// (--source) is a name of the file system, already in the locale's encoding,
// and keeps its bytes.
void writeRowsUtf8(const concordance::ConcordanceTable& table, const concordance::CopyOptions& copy,
                   const text::CharacterSets& sets, std::ostream& out) {
  std::string row;
  std::string encoded;
  for (std::int32_t r = 0; r < table.RowCount(); ++r) {
    row.clear();
    concordance::WriteRows(table, r, r, copy, sets, false,
                           [&row](std::string_view piece) { row += piece; });
    std::string source;
    if (copy.IncludeSource) {
      source = '[' + std::string(table.FileNames().View(r)) + "] ";
      if (copy.Format != concordance::CopyFormat::OneParagraph) source += "\r\n";
    }
    const bool sourceAtEnd = !source.empty() && row.ends_with(source);
    encoded = text::ansiToUtf8(
        std::string_view(row).substr(0, row.size() - (sourceAtEnd ? source.size() : 0)));
    if (sourceAtEnd) encoded += source;
    out.write(encoded.data(), static_cast<std::streamsize>(encoded.size()));
  }
}

// The -o file as CopyRowsToFile writes it, decoded to UTF-8.
bool writeUtf8File(const concordance::ConcordanceTable& table, const concordance::CopyOptions& copy,
                   const text::CharacterSets& sets, const std::string& path,
                   text::UserInterface& ui) {
  concordance::CopyWidth(copy);  // an invalid width stops the command before the file is made
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) {
    ui.ShowError("Cannot create file " + path);
    return false;
  }
  writeRowsUtf8(table, copy, sets, file);
  file.close();
  if (!file) throw text::Error("Unable to write to " + path);
  return true;
}

int runConcord(const ConcordCommand& command, Streams& streams, const text::Collator& collator) {
  CheckExportTarget(command.exportChoice, command.options.outputFile);
  const concordance::CopyOptions copy = CopyOptionsOf(command.options, command.corpus.Encoding());
  if (!command.options.around.empty() && command.options.delimiters.empty())
    streams.err << "lexvane-cli: --around has no effect without --delimiters\n";
  Console console(streams.err, streams.errIsTerminal);
  text::LatestScanSets latest;
  const auto table = BuildConcordTable(command.corpus, command.options, console, latest, collator);
  const std::int32_t last = table->RowCount() - 1;
  // A corpus file that could not be opened was reported and the work went
  // on; the status still says that the result lacks it.
  const int done = console.ui.Errors() > 0 ? kExitError : kExitOk;
  if (command.exportChoice.Chosen())
    return WriteExport(concordance::ConcordanceExportTable(*table), command.exportChoice,
                       command.options.outputFile, streams, console) == kExitOk
               ? done
               : kExitError;
  if (!command.options.outputFile.empty() && !streams.Utf8Output())
    return concordance::CopyRowsToFile(*table, 0, last, copy, latest.Sets(),
                                       command.options.outputFile, console.ui)
               ? done
               : kExitError;
  if (!command.options.outputFile.empty())
    return writeUtf8File(*table, copy, latest.Sets(), command.options.outputFile, console.ui)
               ? done
               : kExitError;
  if (streams.Utf8Output())
    writeRowsUtf8(*table, copy, latest.Sets(), streams.out);
  else
    concordance::WriteRows(
        *table, 0, last, copy, latest.Sets(), true, [&streams](std::string_view piece) {
          streams.out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
        });
  streams.out.flush();
  return done;
}

}  // namespace

void AddConcordCommand(CLI::App& app, Streams& streams, const text::Collator& collator,
                       int& status) {
  CLI::App* sub = app.add_subcommand("concord", "a keyword-in-context concordance of the corpus");
  auto command = std::make_shared<ConcordCommand>();
  command->corpus.AddTo(*sub);
  AddQueryOptions(*sub, command->options);
  AddSortOptions(*sub, command->options);
  AddOutputOptions(*sub, command->options);
  AddExportOptions(*sub, command->exportChoice,
                   {"--format", "--width", "--source", "--delimiters", "--around"});
  sub->footer(
      "Rows are written exactly as the concordance window's copy writes them to a file "
      "(in the corpus's encoding, CR LF; an 8-bit corpus as UTF-8 with --output-encoding "
      "utf-8). With --export the columns are left context, keyword, right context, file, "
      "full path, byte offset and sentence number (both from 0). A corpus file that cannot be "
      "opened is reported, the others are "
      "searched, and the exit status is 1.");
  sub->callback([command, &streams, &collator, &status] {
    status = runConcord(*command, streams, collator);
  });
}

}  // namespace lexvane::cli
