// lexvane-cli ngrams and clusters: the n-gram list of the corpus and the
// cluster list of a concordance, written as their windows' copy writes them
// to a file: n-gram|frequency|range, CR LF line ends.
#include <map>
#include <memory>

#include "cli/commands.h"
#include "cli/concord_options.h"
#include "cli/console.h"
#include "cli/corpus_options.h"
#include "cli/export_options.h"
#include "cli/frequency_output.h"
#include "ngrams/cluster_build.h"
#include "ngrams/ngram_copy.h"
#include "ngrams/ngram_export.h"
#include "ngrams/ngram_list.h"

namespace lexvane::cli {

namespace {

// The options both commands share.
struct ListOptions {
  std::string lengths = "2";
  std::int64_t minFrequency = 1;
  std::int64_t minRange = 1;
  std::string sort = "freq";
  bool wordsOnly = false;
  std::string delimiter = "|";
  std::string outputFile;
  ExportChoice exportChoice;
};

struct NGramsCommand {
  CorpusOptions corpus;
  ListOptions list;
  bool crossSentences = false;
};

struct ClustersCommand {
  CorpusOptions corpus;
  ConcordOptions concord;
  ListOptions list;
  std::string side = "left";
};

const std::map<std::string, ngrams::NGramSort> kSorts = {{"freq", ngrams::NGramSort::ByFrequency},
                                                         {"alpha", ngrams::NGramSort::Alphabetical},
                                                         {"range", ngrams::NGramSort::ByRange}};

void addListOptions(CLI::App& sub, ListOptions& options) {
  sub.add_option("-n,--length", options.lengths,
                 "the number of words: N or a range N-M, from 2 to 5 (default 2)");
  sub.add_option("--min-freq", options.minFrequency, "keep those of at least this frequency")
      ->check(CLI::PositiveNumber);
  sub.add_option("--min-range", options.minRange,
                 "keep those found in at least this many corpus files")
      ->check(CLI::PositiveNumber);
  sub.add_option("--sort", options.sort,
                 "freq (the default: by frequency, then alphabetically), alpha or range")
      ->check(CLI::IsMember({"freq", "alpha", "range"}));
  sub.add_flag("--words-only", options.wordsOnly, "write the words without their figures");
  sub.add_option("--delimiter", options.delimiter,
                 "the field delimiter (its first character; default |, empty: none)");
  sub.add_option("-o,--output", options.outputFile, "write to FILE instead of standard output");
  AddExportOptions(sub, options.exportChoice, {"--words-only", "--delimiter"});
}

ngrams::NGramOptions optionsOf(const ListOptions& list) {
  ngrams::NGramOptions options;
  if (!ngrams::ParseLengthRange(list.lengths, options.minLength, options.maxLength))
    throw CLI::ValidationError("-n",
                               "a length from 2 to 5 or a range such as 2-4: " + list.lengths);
  options.minFrequency = list.minFrequency;
  options.minRange = list.minRange;
  options.sort = kSorts.at(list.sort);
  return options;
}

// Writes the list as the copy writes it to a file, or as the export chosen;
// the status of the writing.
int writeList(const ngrams::NGramList& list, const ListOptions& options, Streams& streams,
              Console& console, text::OperationHost host) {
  if (options.exportChoice.Chosen())
    return WriteExport(ngrams::NGramExportTable(list), options.exportChoice, options.outputFile,
                       streams, console);
  frequency::CopyOptions copy;
  copy.ToFile = true;
  copy.SaveWordListOnly = options.wordsOnly;
  copy.Delimiter = options.delimiter;
  FrequencyOutput output(options.outputFile, streams);
  ngrams::CopyNGrams(list, 0, list.Count() - 1, copy, frequency::CopyDestination::File, output,
                     host);
  output.Close();
  return kExitOk;
}

int runNGrams(const NGramsCommand& command, Streams& streams, const text::Collator& collator) {
  CheckExportTarget(command.list.exportChoice, command.list.outputFile);
  ngrams::NGramOptions options = optionsOf(command.list);
  options.crossSentences = command.crossSentences;
  Console console(streams.err, streams.errIsTerminal);
  ErrorNotingUi ui(console.ui);
  const corpus::CorpusSettings settings = command.corpus.Build(ui, collator);
  if (settings.Files.Empty()) throw CLI::ValidationError(command.corpus.NoFilesMessage());
  text::OperationHost host{ui, console.search, console.progress};
  ngrams::NGramList list;
  list.Build(settings, options, collator, host);
  ReportCutWords(list.CutWordFiles(), ui);
  const int written = writeList(list, command.list, streams, console, host);
  return ui.errors > 0 || written != kExitOk ? kExitError : kExitOk;
}

int runClusters(const ClustersCommand& command, Streams& streams, const text::Collator& collator) {
  CheckExportTarget(command.list.exportChoice, command.list.outputFile);
  const ngrams::NGramOptions options = optionsOf(command.list);
  Console console(streams.err, streams.errIsTerminal);
  text::LatestScanSets latest;
  corpus::CorpusSettings settings;
  const auto table =
      BuildConcordTable(command.corpus, command.concord, console, latest, collator, &settings);
  ngrams::NGramList list(ngrams::ListKind::Clusters);
  text::OperationHost host = console.Host();
  ngrams::BuildClusters(
      *table, options,
      command.side == "right" ? ngrams::ClusterSide::Right : ngrams::ClusterSide::Left,
      settings.IgnoreCapital, list, collator, host);
  const int written = writeList(list, command.list, streams, console, host);
  return console.ui.Errors() > 0 || written != kExitOk ? kExitError : kExitOk;
}

}  // namespace

void AddNGramsCommand(CLI::App& app, Streams& streams, const text::Collator& collator,
                      int& status) {
  CLI::App* sub = app.add_subcommand(
      "ngrams",
      "The n-gram list of the corpus: every sequence of N words (or of N to M words) with its "
      "frequency and its range (the number of files it occurs in), one line each: "
      "n-gram|frequency|range, CR LF line ends.");
  sub->footer(
      "Words are those of the word list: lower-cased unless --case-sensitive, tags taken off "
      "with --tagged, joined by one blank. An n-gram never runs across two files, nor across a "
      "sentence end unless --cross-sentences. A file that cannot be opened is reported, the "
      "others are counted, and the exit status is 1.");
  auto command = std::make_shared<NGramsCommand>();
  command->corpus.AddTo(*sub);
  addListOptions(*sub, command->list);
  sub->add_flag("--cross-sentences", command->crossSentences,
                "count sequences that run across a sentence end");
  sub->callback(
      [command, &streams, &collator, &status] { status = runNGrams(*command, streams, collator); });
}

void AddClustersCommand(CLI::App& app, Streams& streams, const text::Collator& collator,
                        int& status) {
  CLI::App* sub = app.add_subcommand(
      "clusters",
      "The clusters of a concordance: the sequences of N words (or of N to M words) that start "
      "with the keyword of a row and go on into its right context (--side left, the default: "
      "the keyword on the left) or come from its left context and end with the keyword (--side "
      "right), with frequency and range, one line each: cluster|frequency|range, CR LF line "
      "ends.");
  sub->footer(
      "The concordance is built from the query options; its contexts end with the keyword's "
      "sentence. Words are lower-cased unless --case-sensitive. A file that cannot be opened "
      "is reported, the others are used, and the exit status is 1.");
  auto command = std::make_shared<ClustersCommand>();
  command->corpus.AddTo(*sub);
  AddQueryOptions(*sub, command->concord);
  addListOptions(*sub, command->list);
  sub->add_option("--side", command->side,
                  "left: the keyword starts each cluster (default); right: it ends each")
      ->check(CLI::IsMember({"left", "right"}));
  sub->callback([command, &streams, &collator, &status] {
    status = runClusters(*command, streams, collator);
  });
}

}  // namespace lexvane::cli
