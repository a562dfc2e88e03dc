// `lexvane-cli dispersion`: how the hits of a concordance (built, sorted and
// thinned as `concord` does) spread over the corpus files: the figures the
// concordance plot window shows and copies.
#include <fstream>

#include "cli/commands.h"
#include "cli/concord_options.h"
#include "cli/export_options.h"
#include "concordance/concordance_plot.h"
#include "concordance/plot_export.h"
#include "text/error.h"

namespace lexvane::cli {

namespace {

struct DispersionCommand {
  CorpusOptions corpus;
  ConcordOptions options;
  bool perFile = false;
  ExportChoice exportChoice;
};

int runDispersion(const DispersionCommand& command, Streams& streams,
                  const text::Collator& collator) {
  CheckExportTarget(command.exportChoice, command.options.outputFile);
  Console console(streams.err, streams.errIsTerminal);
  text::LatestScanSets latest;
  const auto table = BuildConcordTable(command.corpus, command.options, console, latest, collator);
  if (command.exportChoice.Chosen()) {
    const int written = WriteExport(
        concordance::PlotFilesTable(std::make_shared<const concordance::ConcordancePlot>(*table)),
        command.exportChoice, command.options.outputFile, streams, console);
    return console.ui.Errors() > 0 || written != kExitOk ? kExitError : kExitOk;
  }
  // File names are names of the file system and keep their bytes.
  const std::string text =
      concordance::PlotFiguresText(concordance::ConcordancePlot(*table), command.perFile);
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

void AddDispersionCommand(CLI::App& app, Streams& streams, const text::Collator& collator,
                          int& status) {
  CLI::App* sub = app.add_subcommand("dispersion",
                                     "how the hits of a concordance spread over the corpus files");
  auto command = std::make_shared<DispersionCommand>();
  command->corpus.AddTo(*sub);
  AddQueryOptions(*sub, command->options);
  AddSortOptions(*sub, command->options);
  sub->add_flag("--files", command->perFile,
                "also a table of the files: words, hits, hits per 1000 words");
  sub->add_option("-o,--output", command->options.outputFile,
                  "write to FILE instead of standard output");
  AddExportOptions(*sub, command->exportChoice, {"--files"});
  sub->footer(
      "Prints caption, tab, value lines (CR LF): files, files with words, words, hits, range "
      "(files with a hit) and its share of all files, Juilland's D, Gries's DP and DPnorm, "
      "four decimals; n/a where a measure is undefined (D needs two files with words, all "
      "measures a hit). Each file is one part, sized by the words the search read in it. "
      "The figures follow --dedupe; a search stopped by --max covers the text searched. With "
      "--export the table of the files is written: file, words, hits, per 1000 words.");
  sub->callback([command, &streams, &collator, &status] {
    status = runDispersion(*command, streams, collator);
  });
}

}  // namespace lexvane::cli
