// lexvane-cli keywords: the keyword list of the corpus against a reference
// corpus, one line per keyword as the keyword window's copy writes it.
#include <memory>

#include "cli/commands.h"
#include "cli/console.h"
#include "cli/corpus_options.h"
#include "cli/export_options.h"
#include "cli/frequency_output.h"
#include "frequency/word_counts.h"
#include "keywords/keyword_command.h"
#include "keywords/keyword_export.h"
#include "stats/keyness.h"

namespace lexvane::cli {

namespace {

struct KeywordsCommand {
  CorpusOptions corpus;
  std::string reference;
  std::int64_t minFrequency = 1;
  std::string p = "0.05";
  bool negative = false;
  bool both = false;
  std::string sort = "ll";
  std::string delimiter = "|";
  std::string outputFile;
  ExportChoice exportChoice;
};

keywords::KeywordOptions optionsOf(const KeywordsCommand& command) {
  keywords::KeywordOptions options;
  options.MinFrequency = command.minFrequency;
  if (command.p == "none") {
    options.MinLogLikelihood.reset();
  } else {
    const auto level = stats::SignificanceLevelOf(command.p);
    if (!level)
      throw CLI::ValidationError("--p", "0.05, 0.01, 0.001, 0.0001 or none: " + command.p);
    options.MinLogLikelihood = level->critical;
  }
  options.Positive = !command.negative || command.both;
  options.Negative = command.negative || command.both;
  options.Sort = command.sort == "word"       ? keywords::KeywordSort::Word
                 : command.sort == "logratio" ? keywords::KeywordSort::LogRatio
                                              : keywords::KeywordSort::LogLikelihood;
  return options;
}

int runKeywords(const KeywordsCommand& command, Streams& streams, const text::Collator& collator) {
  CheckExportTarget(command.exportChoice, command.outputFile);
  keywords::KeywordRequest request;
  request.Options = optionsOf(command);
  request.ReferencePath = command.reference;
  Console console(streams.err, streams.errIsTerminal);
  ErrorNotingUi ui(console.ui);
  request.Study = command.corpus.Build(ui, collator);
  if (request.Study.Files.Empty()) throw CLI::ValidationError(command.corpus.NoFilesMessage());
  text::OperationHost host{ui, console.search, console.progress};
  frequency::WordCountsCache cache;
  const keywords::KeywordResult result = keywords::BuildKeywordList(request, cache, collator, host);
  if (command.exportChoice.Chosen()) {
    // A cancelled build (never on the command line) exports the headings.
    const keywords::KeywordList none;
    const int written = WriteExport(keywords::KeywordExportTable(result.List ? *result.List : none),
                                    command.exportChoice, command.outputFile, streams, console);
    return ui.errors > 0 || written != kExitOk ? kExitError : kExitOk;
  }
  FrequencyOutput output(command.outputFile, streams);
  if (result.List != nullptr) {
    const keywords::KeywordList& list = *result.List;
    // The delimiter's first character.
    const std::string d =
        command.delimiter.substr(0, text::prefixBytes(command.delimiter, 1, list.TextEncoding()));
    for (std::int32_t i = 0; i < list.Count(); ++i) output.Write(list.Line(i, d));
  }
  output.Close();
  return ui.errors > 0 ? kExitError : kExitOk;
}

}  // namespace

void AddKeywordsCommand(CLI::App& app, Streams& streams, const text::Collator& collator,
                        int& status) {
  CLI::App* sub = app.add_subcommand(
      "keywords",
      "The keyword list of the corpus against a reference corpus: one line per keyword, "
      "word|key (+ or -)|frequency|reference frequency|per million|reference per million|"
      "log-likelihood|Log Ratio|%DIFF, figures with four decimals, CR LF line ends.");
  sub->footer(
      "The reference is a list file (.CTL or .CFL, counted with this corpus's capitals rule), "
      "a word frequency list saved by wordfreq or the desktop program's copy, or a text of "
      "word<TAB>frequency lines (the first may be a heading). A text is read as UTF-8 when it "
      "starts with a byte order mark or is valid UTF-8, otherwise as Windows-1252. Keywords "
      "are positive (relatively more frequent here) unless --negative or --both.");
  auto command = std::make_shared<KeywordsCommand>();
  command->corpus.AddTo(*sub);
  sub->add_option("--reference", command->reference, "the reference corpus's file")->required();
  sub->add_option("--min-freq", command->minFrequency,
                  "the least frequency of a keyword in the corpus where it is key (default 1)")
      ->check(CLI::NonNegativeNumber);
  sub->add_option("--p", command->p,
                  "the significance level: 0.05 (default; LL >= 3.84), 0.01 (6.63), 0.001 "
                  "(10.83), 0.0001 (15.13) or none");
  sub->add_flag("--negative", command->negative,
                "list the negative keywords (relatively less frequent here) instead");
  sub->add_flag("--both", command->both, "list positive and negative keywords");
  sub->add_option("--sort", command->sort,
                  "ll (log-likelihood, the default), logratio (its size) or word")
      ->check(CLI::IsMember({"ll", "logratio", "word"}));
  sub->add_option("--delimiter", command->delimiter,
                  "the field delimiter (its first character; default |, empty: none)");
  sub->add_option("-o,--output", command->outputFile, "write to FILE instead of standard output");
  AddExportOptions(*sub, command->exportChoice, {"--delimiter"});
  sub->callback([command, &streams, &collator, &status] {
    status = runKeywords(*command, streams, collator);
  });
}

}  // namespace lexvane::cli
