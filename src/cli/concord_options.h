// The options of `lexvane-cli concord` that other commands reuse: the query
// (-m, -q, --advanced, --column, --order, --gap, --middle, --max), the sort
// and duplicate deletion after building (--sort, --word, --retrograde,
// --dedupe), and the copy layout (--format, --width, --source, --delimiters,
// --around, -o). BuildConcordTable runs the whole build as the concordance
// window's creation, sort and "Delete duplicate sentences" would.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/console.h"
#include "cli/corpus_options.h"
#include "concordance/concordance_copy.h"
#include "concordance/concordance_sort.h"
#include "concordance/concordance_table.h"
#include "search/search_query.h"
#include "text/latest_scan_sets.h"

namespace lexvane::cli {

struct ConcordOptions {
  // The query.
  std::vector<std::string> masks;    // -m: typed masks (lowered, cut)
  std::string queryFile;             // -q: a ".cws" search file
  bool advanced = false;             // --advanced: load -q as the advanced dialog does
  std::vector<std::string> columns;  // --column K:M
  std::vector<std::string> orders;   // --order K=0|1
  std::vector<std::string> gaps;     // --gap K=N|x
  int middle = 0;                    // --middle K (0: not given)
  std::string maxListSize = std::string(search::kDefaultMaxListSize);  // --max
  CLI::Option* maxOption = nullptr;
  // After building.
  std::string sortSide;  // --sort left|right ("" : not given)
  int wordNumber = 1;    // --word
  CLI::Option* wordOption = nullptr;
  bool retrograde = false;
  bool dedupe = false;
  // Output.
  std::string format = "lines";  // --format para|lines|justify
  std::string width = "40";      // --width (the field's text)
  bool source = false;
  std::string delimiters;  // --delimiters LR
  std::string around;      // --around M,N
  std::string outputFile;  // -o

  // Whether the query is an advanced one (--advanced or any column option).
  bool Advanced() const;
  // Any of --sort, --word, --retrograde given.
  bool SortRequested() const;
};

void AddQueryOptions(CLI::App& command, ConcordOptions& options);
void AddSortOptions(CLI::App& command, ConcordOptions& options);
void AddOutputOptions(CLI::App& command, ConcordOptions& options);

// The query from the options: -q's masks first, then -m and --column masks.
// Throws CLI::ValidationError when there is no mask at all or an option is
// malformed, text::Error for a column gap.
// Typed masks are lowered and cut in the corpus's `encoding`.
search::SearchQuery BuildQuery(const ConcordOptions& options, text::UserInterface& ui,
                               text::Encoding encoding = text::Encoding::Windows1252);

concordance::SortOptions SortOptionsOf(const ConcordOptions& options);
// The copy options of a file export of all rows (throws CLI::ValidationError
// on malformed --delimiters or --around); the delimiters are two characters
// of the corpus's `encoding`.
concordance::CopyOptions CopyOptionsOf(const ConcordOptions& options,
                                       text::Encoding encoding = text::Encoding::Windows1252);

// The corpus (absolute paths; text::Error when it has no file), the query,
// the build under the console's indicators (its sets recorded in `latest`),
// then the sort and the deletion of duplicate sentences when asked for.
// The corpus goes to `settings` when given.
std::unique_ptr<concordance::ConcordanceTable> BuildConcordTable(
    const CorpusOptions& corpus, const ConcordOptions& options, Console& console,
    text::LatestScanSets& latest, const text::Collator& collator,
    corpus::CorpusSettings* settings = nullptr);

}  // namespace lexvane::cli
