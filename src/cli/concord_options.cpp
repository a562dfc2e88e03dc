#include "cli/concord_options.h"

#include "cli/commands.h"
#include "concordance/concordance_builder.h"
#include "concordance/concordance_edit.h"
#include "io/file_content.h"
#include "search/search_dialogs.h"
#include "text/error.h"

namespace lexvane::cli {

namespace {

// "K<sep>REST" with K a column (or pair) number from 1 to `highest`.
std::pair<int, std::string> splitNumbered(const std::string& value, char sep, int highest,
                                          const std::string& option) {
  const std::size_t at = value.find(sep);
  const auto k =
      at == std::string::npos ? std::nullopt : search::ParseIntegerField(value.substr(0, at));
  if (!k || *k < 1 || *k > highest)
    throw CLI::ValidationError(option, "expected K" + std::string(1, sep) + "..., K from 1 to " +
                                           std::to_string(highest) + ": " + value);
  return {*k, value.substr(at + 1)};
}

// A query file that cannot be read is an error, not an empty query.
void loadableOrThrow(const std::string& path) {
  if (!io::ReadFileContent(path)) throw text::Error("Cannot open file " + path);
}

std::string noMaskMessage(const ConcordOptions& options) {
  if (options.queryFile.empty()) return "no mask to search for: give -m, --column or -q";
  return "no mask to search for: " + options.queryFile + " holds none; give -m or --column";
}

}  // namespace

bool ConcordOptions::Advanced() const {
  return advanced || !columns.empty() || !orders.empty() || !gaps.empty() || middle != 0;
}

bool ConcordOptions::SortRequested() const {
  return !sortSide.empty() || retrograde || (wordOption && wordOption->count() > 0);
}

void AddQueryOptions(CLI::App& command, ConcordOptions& options) {
  command.add_option("-m,--mask", options.masks, "a word mask (* and ?), repeatable")
      ->allow_extra_args(false);
  command.add_option("-q,--query", options.queryFile, "a word search file (.cws)");
  command.add_flag("--advanced", options.advanced,
                   "an advanced query: load -q as the advanced dialog does");
  command.add_option("--column", options.columns, "advanced: a mask of column K (K:M)")
      ->allow_extra_args(false);
  command
      .add_option("--order", options.orders,
                  "advanced: K=1 (default) the words of columns K and K+1 in this order")
      ->allow_extra_args(false);
  command
      .add_option("--gap", options.gaps,
                  "advanced: K=N at most N words between columns K and K+1, K=x any")
      ->allow_extra_args(false);
  command.add_option("--middle", options.middle, "advanced: the keyword's column")
      ->check(CLI::Range(1, 5));
  options.maxOption = command.add_option("--max", options.maxListSize,
                                         "Max. list size: the most rows (default 10000)");
}

void AddSortOptions(CLI::App& command, ConcordOptions& options) {
  command.add_option("--sort", options.sortSide, "sort by the keyword, then this side")
      ->check(CLI::IsMember({"left", "right"}));
  options.wordOption =
      command.add_option("--word", options.wordNumber, "sort from this word of the side (1-10)")
          ->check(CLI::Range(1, 10));
  command.add_flag("--retrograde", options.retrograde, "sort the keywords backwards");
  command.add_flag("--dedupe", options.dedupe, "delete duplicate sentences after sorting");
}

void AddOutputOptions(CLI::App& command, ConcordOptions& options) {
  command.add_option("--format", options.format, "para, lines (default) or justify")
      ->check(CLI::IsMember({"para", "lines", "justify"}));
  command.add_option("--width", options.width, "justify: width of each context (default 40)");
  command.add_flag("--source", options.source, "add the source file name");
  command.add_option("--delimiters", options.delimiters,
                     "mark the keyword with these two characters (left, right)");
  command.add_option("--around", options.around,
                     "with --delimiters: mark also M words left and N right (M,N)");
  command.add_option("-o,--output", options.outputFile, "write to this file");
}

search::SearchQuery BuildQuery(const ConcordOptions& options, text::UserInterface& ui,
                               text::Encoding encoding) {
  if (!options.Advanced()) {
    search::SimpleSearchModel model;
    model.TextEncoding = encoding;
    if (!options.queryFile.empty()) {
      loadableOrThrow(options.queryFile);
      model.LoadFrom(options.queryFile);
    }
    for (const std::string& mask : options.masks) {
      model.Edit = mask;
      model.MoveTyped();
    }
    if (options.maxOption->count() > 0) model.MaxListSize = options.maxListSize;
    if (model.Ok() != search::DialogOutcome::Search)
      throw CLI::ValidationError(noMaskMessage(options));
    return model.Query();
  }
  search::AdvancedSearchModel model;
  model.TextEncoding = encoding;
  if (!options.queryFile.empty()) {
    loadableOrThrow(options.queryFile);
    model.LoadFrom(options.queryFile);
  }
  for (const std::string& mask : options.masks) {
    model.Edits[0] = mask;
    model.MoveTyped(0);
  }
  for (const std::string& column : options.columns) {
    const auto [k, mask] = splitNumbered(column, ':', search::kColumns, "--column");
    model.Edits[k - 1] = mask;
    model.MoveTyped(k - 1);
  }
  for (const std::string& order : options.orders) {
    const auto [k, flag] = splitNumbered(order, '=', search::kColumnPairs, "--order");
    if (flag != "0" && flag != "1") throw CLI::ValidationError("--order", "expected K=0 or K=1");
    model.InOrder[k - 1] = flag == "1";
  }
  for (const std::string& gap : options.gaps) {
    const auto [k, distance] = splitNumbered(gap, '=', search::kColumnPairs, "--gap");
    const auto value =
        distance == "x" ? std::optional<std::int32_t>(-1) : search::ParseIntegerField(distance);
    if (!value || *value < -1) throw CLI::ValidationError("--gap", "expected K=N or K=x");
    model.Distances[k - 1] = *value;
  }
  if (options.middle != 0) model.MiddleRadio = options.middle;
  if (options.maxOption->count() > 0) model.MaxListSize = options.maxListSize;
  bool any = false;
  for (const auto& list : model.Masks) any = any || !list.empty();
  if (!any) throw CLI::ValidationError(noMaskMessage(options));
  if (search::HasColumnGap(model.Query()))
    throw text::Error(std::string(search::kColumnGapMessage));
  model.Validate(ui);
  return model.Query();
}

concordance::SortOptions SortOptionsOf(const ConcordOptions& options) {
  concordance::SortOptions sort;
  sort.Retrograde = options.retrograde;
  sort.RightPart = options.sortSide == "right";
  sort.WordNumber = options.wordNumber;
  return sort;
}

concordance::CopyOptions CopyOptionsOf(const ConcordOptions& options, text::Encoding encoding) {
  concordance::CopyOptions copy;
  copy.Format = options.format == "para"      ? concordance::CopyFormat::OneParagraph
                : options.format == "justify" ? concordance::CopyFormat::Justify
                                              : concordance::CopyFormat::EachParagraph;
  copy.Width = options.width;
  copy.ToFile = true;
  copy.IncludeSource = options.source;
  copy.SelectedOnly = false;
  if (!options.delimiters.empty()) {
    if (text::characterCount(options.delimiters, encoding) != 2)
      throw CLI::ValidationError("--delimiters", "expected two characters, left and right");
    copy.SaveWithDelimiters = true;
    const std::size_t split = text::prefixBytes(options.delimiters, 1, encoding);
    copy.LeftDelimiter = options.delimiters.substr(0, split);
    copy.RightDelimiter = options.delimiters.substr(split);
  }
  if (!options.around.empty()) {
    const std::size_t comma = options.around.find(',');
    const auto m = comma == std::string::npos
                       ? std::nullopt
                       : search::ParseIntegerField(options.around.substr(0, comma));
    const auto n = comma == std::string::npos
                       ? std::nullopt
                       : search::ParseIntegerField(options.around.substr(comma + 1));
    if (!m || !n || *m < 0 || *m > 10 || *n < 0 || *n > 10)
      throw CLI::ValidationError("--around", "expected M,N with M and N from 0 to 10");
    copy.DelimAround = true;
    copy.M = *m;
    copy.N = *n;
  }
  return copy;
}

std::unique_ptr<concordance::ConcordanceTable> BuildConcordTable(
    const CorpusOptions& corpus, const ConcordOptions& options, Console& console,
    text::LatestScanSets& latest, const text::Collator& collator,
    corpus::CorpusSettings* settingsOut) {
  const search::SearchQuery query = BuildQuery(options, console.ui, corpus.Encoding());
  const corpus::CorpusSettings settings = corpus.Build(console.ui, collator);
  if (settingsOut != nullptr) *settingsOut = settings;
  if (settings.Files.Empty()) throw CLI::ValidationError(corpus.NoFilesMessage());
  text::OperationHost host = console.Host();
  latest.Record(corpus::ScannerSets(settings));
  auto table = concordance::BuildConcordance(query, settings, host);
  ReportCutWords(table->CutWordFiles, console.ui);
  if (options.SortRequested())
    concordance::SortConcordance(*table, SortOptionsOf(options), latest.Sets(), collator,
                                 host.progress);
  if (options.dedupe) concordance::DeleteDuplicateSentences(*table, host);
  return table;
}

}  // namespace lexvane::cli
