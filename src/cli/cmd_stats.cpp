// `lexvane-cli stats --of concord|wordfreq`: the text that "&Copy" of the
// statistics dialog puts on the clipboard, for a concordance built from the
// concord options or for a word frequency list.
#include <fstream>

#include "cli/commands.h"
#include "cli/concord_options.h"
#include "cli/export_options.h"
#include "cli/output_text.h"
#include "concordance/concordance_export.h"
#include "concordance/concordance_statistics.h"
#include "text/error.h"

namespace lexvane::cli {

namespace {

struct StatsCommand {
  std::string of = "concord";
  CorpusOptions corpus;
  ConcordOptions options;
  ExportChoice exportChoice;
};

int runStats(const StatsCommand& command, Streams& streams, const text::Collator& collator) {
  CheckExportTarget(command.exportChoice, command.options.outputFile);
  if (command.of == "wordfreq")
    return RunWordfreqStats(command.corpus, command.options.outputFile, command.exportChoice,
                            streams, collator);
  Console console(streams.err, streams.errIsTerminal);
  text::LatestScanSets latest;
  const auto table = BuildConcordTable(command.corpus, command.options, console, latest, collator);
  if (command.exportChoice.Chosen()) {
    const concordance::Statistics statistics = concordance::ConcordanceStatistics(*table);
    const int written =
        WriteExport(concordance::StatisticsExportTable(statistics), command.exportChoice,
                    command.options.outputFile, streams, console);
    return console.ui.Errors() > 0 || written != kExitOk ? kExitError : kExitOk;
  }
  const std::string text =
      OutputText(concordance::ConcordanceStatistics(*table).CopyText(), streams);
  const int done = console.ui.Errors() > 0 ? kExitError : kExitOk;
  if (command.options.outputFile.empty()) {
    streams.out << text;
    streams.out.flush();
    return done;
  }
  std::ofstream file(command.options.outputFile, std::ios::binary | std::ios::trunc);
  if (!file) {
    console.ui.ShowError("Cannot create file " + command.options.outputFile);
    return kExitError;
  }
  file << text;
  file.close();
  if (!file) throw text::Error("Unable to write to " + command.options.outputFile);
  return done;
}

}  // namespace

void AddStatsCommand(CLI::App& app, Streams& streams, const text::Collator& collator, int& status) {
  CLI::App* sub =
      app.add_subcommand("stats", "the statistics of a concordance or of a word frequency list");
  auto command = std::make_shared<StatsCommand>();
  sub->add_option("--of", command->of, "concord (default) or wordfreq")
      ->check(CLI::IsMember({"concord", "wordfreq"}));
  command->corpus.AddTo(*sub);
  AddQueryOptions(*sub, command->options);
  AddSortOptions(*sub, command->options);
  AddOutputOptions(*sub, command->options);
  AddExportOptions(*sub, command->exportChoice,
                   {"--format", "--width", "--source", "--delimiters", "--around"});
  sub->footer(
      "With --export the figures are one row: files, total size (kB), total words, total "
      "sentences, sentences (or types) found, and whether the build completed (yes or no).");
  sub->callback(
      [command, &streams, &collator, &status] { status = runStats(*command, streams, collator); });
}

}  // namespace lexvane::cli
