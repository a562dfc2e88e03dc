// lexvane-cli wordfreq: the word frequency list of the corpus, written as the
// list's copy writes it to a file.
#include <map>
#include <memory>

#include "cli/commands.h"
#include "cli/console.h"
#include "cli/corpus_options.h"
#include "cli/export_options.h"
#include "cli/frequency_output.h"
#include "concordance/concordance_export.h"
#include "frequency/frequency_copy.h"
#include "frequency/frequency_export.h"
#include "frequency/word_frequency_list.h"
#include "frequency/word_frequency_statistics.h"

namespace lexvane::cli {

namespace {

struct WordfreqCommand {
  CorpusOptions corpus;
  std::string sort;  // "" : the build's alphabetical order
  bool wordsOnly = false;
  std::string delimiter = "|";
  std::string outputFile;
  ExportChoice exportChoice;
  bool range = false;  // --range: files in which the word occurs
  bool dp = false;     // --dp: Gries's DP over the files
};

const std::map<std::string, int> kSortModes = {{"alpha", frequency::kSortAlphabetical},
                                               {"freq", frequency::kSortByFrequency},
                                               {"retro", frequency::kSortRetrograde},
                                               {"class", frequency::kSortByWordClass}};

// Builds the list of the corpus options; a usage error without files.
void buildList(const CorpusOptions& options, Console& console, ErrorNotingUi& ui,
               frequency::WordFrequencyList& list) {
  const corpus::CorpusSettings settings = options.Build(ui, list.Collator());
  if (settings.Files.Empty()) throw CLI::ValidationError(options.NoFilesMessage());
  text::OperationHost host{ui, console.search, console.progress};
  list.Build(settings, host);
  ReportCutWords(list.CutWordFiles(), ui);
}

int runWordfreq(const WordfreqCommand& command, Streams& streams, const text::Collator& collator) {
  CheckExportTarget(command.exportChoice, command.outputFile);
  Console console(streams.err, streams.errIsTerminal);
  ErrorNotingUi ui(console.ui);
  frequency::WordFrequencyList list(collator);
  list.SetCountSpread(command.range || command.dp);
  buildList(command.corpus, console, ui, list);
  if (!command.sort.empty()) {
    int mode = kSortModes.at(command.sort);
    list.SortWordList(mode, frequency::SortCaption(mode), console.progress);
  }
  if (command.exportChoice.Chosen()) {
    const int written =
        WriteExport(frequency::WordFrequencyExportTable(list, command.range, command.dp),
                    command.exportChoice, command.outputFile, streams, console);
    return ui.errors > 0 || written != kExitOk ? kExitError : kExitOk;
  }
  frequency::CopyOptions options;
  options.ToFile = true;
  options.SaveWordListOnly = command.wordsOnly;
  options.Delimiter = command.delimiter;
  options.WithRange = command.range;
  options.WithDP = command.dp;
  FrequencyOutput output(command.outputFile, streams);
  text::OperationHost host{ui, console.search, console.progress};
  frequency::CopyWordFrequencies(list, 0, list.Count() - 1, options,
                                 frequency::CopyDestination::File, output, host);
  output.Close();
  return ui.errors > 0 ? kExitError : kExitOk;
}

}  // namespace

void AddWordfreqCommand(CLI::App& app, Streams& streams, const text::Collator& collator,
                        int& status) {
  CLI::App* sub = app.add_subcommand(
      "wordfreq",
      "The word frequency list of the corpus: one line per word type, word|frequency|percent "
      "(with --sort freq also |cumulative frequency|cumulative percent), CR LF line ends.");
  sub->footer(
      "Words are lower-cased unless --case-sensitive; with --tagged the class of a type is that "
      "of its first occurrence. A file that cannot be opened is reported, the others are "
      "counted, and the exit status is 1.");
  auto command = std::make_shared<WordfreqCommand>();
  command->corpus.AddTo(*sub);
  sub->add_option("--sort", command->sort, "alpha (the default order), freq, retro or class")
      ->check(CLI::IsMember({"alpha", "freq", "retro", "class"}));
  sub->add_flag("--words-only", command->wordsOnly, "write the words without their frequencies");
  sub->add_option("--delimiter", command->delimiter,
                  "the field delimiter (its first character; default |, empty: none)");
  sub->add_option("-o,--output", command->outputFile, "write to FILE instead of standard output");
  AddExportOptions(*sub, command->exportChoice, {"--words-only", "--delimiter"});
  sub->add_flag("--range", command->range,
                "add a field: the number of files in which the word occurs");
  sub->add_flag("--dp", command->dp,
                "add a field: Gries's DP of the word over the files (four decimals)");
  sub->callback([command, &streams, &collator, &status] {
    status = runWordfreq(*command, streams, collator);
  });
}

int RunWordfreqStats(const CorpusOptions& corpus, Streams& streams,
                     const text::Collator& collator) {
  return RunWordfreqStats(corpus, std::string(), streams, collator);
}

int RunWordfreqStats(const CorpusOptions& corpus, const std::string& outputFile, Streams& streams,
                     const text::Collator& collator) {
  return RunWordfreqStats(corpus, outputFile, ExportChoice(), streams, collator);
}

int RunWordfreqStats(const CorpusOptions& corpus, const std::string& outputFile,
                     const ExportChoice& exportChoice, Streams& streams,
                     const text::Collator& collator) {
  Console console(streams.err, streams.errIsTerminal);
  ErrorNotingUi ui(console.ui);
  frequency::WordFrequencyList list(collator);
  buildList(corpus, console, ui, list);
  if (exportChoice.Chosen()) {
    const concordance::Statistics statistics = frequency::WordFrequencyStatistics(list);
    const int written = WriteExport(concordance::StatisticsExportTable(statistics), exportChoice,
                                    outputFile, streams, console);
    return ui.errors > 0 || written != kExitOk ? kExitError : kExitOk;
  }
  FrequencyOutput output(outputFile, streams);
  output.Write(frequency::WordFrequencyStatistics(list).CopyText());
  output.Close();
  return ui.errors > 0 ? kExitError : kExitOk;
}

}  // namespace lexvane::cli
