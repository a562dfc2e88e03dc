// `lexvane-cli concord`: a concordance of the corpus, written exactly as the
// concordance window's copy writes it to a file.
#include "cli/commands.h"
#include "cli/concord_options.h"
#include "concordance/concordance_copy.h"

namespace lexvane::cli {

namespace {

struct ConcordCommand {
  CorpusOptions corpus;
  ConcordOptions options;
};

int runConcord(const ConcordCommand& command, Streams& streams) {
  const concordance::CopyOptions copy = CopyOptionsOf(command.options);
  if (!command.options.around.empty() && command.options.delimiters.empty())
    streams.err << "lexvane-cli: --around has no effect without --delimiters\n";
  Console console(streams.err, streams.errIsTerminal);
  text::LatestScanSets latest;
  const auto table = BuildConcordTable(command.corpus, command.options, console, latest);
  const std::int32_t last = table->RowCount() - 1;
  // A corpus file that could not be opened was reported and the work went
  // on; the status still says that the result lacks it.
  const int done = console.ui.Errors() > 0 ? kExitError : kExitOk;
  if (!command.options.outputFile.empty())
    return concordance::CopyRowsToFile(*table, 0, last, copy, latest.Sets(),
                                       command.options.outputFile, console.ui)
               ? done
               : kExitError;
  concordance::WriteRows(
      *table, 0, last, copy, latest.Sets(), true, [&streams](std::string_view piece) {
        streams.out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
      });
  streams.out.flush();
  return done;
}

}  // namespace

void AddConcordCommand(CLI::App& app, Streams& streams, int& status) {
  CLI::App* sub = app.add_subcommand("concord", "a keyword-in-context concordance of the corpus");
  auto command = std::make_shared<ConcordCommand>();
  command->corpus.AddTo(*sub);
  AddQueryOptions(*sub, command->options);
  AddSortOptions(*sub, command->options);
  AddOutputOptions(*sub, command->options);
  sub->footer(
      "Rows are written exactly as the concordance window's copy writes them to a file "
      "(Windows-1252, CR LF). A corpus file that cannot be opened is reported, the others are "
      "searched, and the exit status is 1.");
  sub->callback([command, &streams, &status] { status = runConcord(*command, streams); });
}

}  // namespace lexvane::cli
