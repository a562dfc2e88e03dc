// The table sorts of the desktop program at scale, each beside a baseline of
// the same run: std::sort of the same texts by byte comparison, which knows
// nothing of collation. A generated Windows-1252 corpus of prose-like
// sentences (accented words, capitals, punctuation) is searched for a
// frequent word; then
//   - the concordance of ROWS hits (default 100 000) is sorted by the first
//     word to the right (baseline: the rows' sort texts);
//   - the collocate table of the first 10 000 rows, sorted, is built with
//     every position and the mask "*" (baseline: the context words);
// Prints seconds (medians of RUNS runs, default 3) and the ratios.
//   table_sorts [ROWS] [RUNS]
#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "concordance/concordance_builder.h"
#include "concordance/concordance_sort.h"
#include "concordance/corpus_scan.h"
#include "frequency/colloc_command.h"
#include "text/progress.h"
#include "text/string_words.h"
#include "text/text_utils.h"

namespace {

using namespace lexvane;

class StderrUi : public text::UserInterface {
 public:
  text::Answer Ask(std::string_view, std::string_view text, text::Buttons, text::Icon) override {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    return text::Answer::Ok;
  }
};

double seconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Sentences of words from a vocabulary with accents and capitals, "und"
// about every eighth word.
std::string corpusText(std::size_t words) {
  const char* const stems[] = {"f\xE4hr", "str\xF6m", "m\xFCll",  "gro\xDF", "\xE9l\xE8v",
                               "c\xF4t",  "na\xEFv",  "r\xE9sum", "a\xF1o",  "ma\xF1\x61n",
                               "haus",    "wasser",   "licht",    "abend",   "boot",
                               "stille",  "kirche",   "tier",     "pla",     "vent"};
  const char* const endings[] = {"", "e", "en", "er", "es", "ung", "ig", "lich", "s", "a"};
  std::mt19937 random(2026);
  std::string text;
  text.reserve(words * 9);
  bool sentenceStart = true;
  for (std::size_t i = 0; i < words; ++i) {
    std::string word;
    if (random() % 8 == 0) {
      word = "und";
    } else {
      word = std::string(stems[random() % 20]) + endings[random() % 10];
      if (random() % 7 == 0) word += std::string(stems[random() % 20]);
    }
    if (sentenceStart || random() % 9 == 0) word[0] = static_cast<char>(std::toupper(word[0]));
    text += word;
    sentenceStart = random() % 14 == 0;
    text += sentenceStart ? ". " : (random() % 10 == 0 ? ", " : " ");
    if (i % 12 == 11) text += "\r\n";
  }
  return text;
}

struct Concordance {
  concordance::ConcordanceTable table;
  text::CharacterSets sets;
};

void build(Concordance& c, const corpus::CorpusSettings& settings, std::int32_t rows,
           text::OperationHost& host) {
  search::SearchQuery query;
  query.Masks[0] = {"und"};
  query.MaxListSize = std::to_string(rows);
  c.table.FileCount = static_cast<std::int32_t>(settings.Files.Count());
  c.table.MaxListSize = concordance::MaxListSizeOf(query);
  c.table.CorpusFiles = settings.Files.Paths();
  c.sets = corpus::ScannerSets(settings);
  concordance::ScanCorpus(query, settings, c.sets, c.table, host, {});
  concordance::RetrieveSentences(c.table, c.sets, host.progress);
}

}  // namespace

int main(int argc, char** argv) {
  // Resolved once, as the programs do.
  const text::Collator collator = text::Collator::FromEnvironment();
  const std::int32_t rows = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("lexvane-table-sorts-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const std::filesystem::path path = dir / "prose.txt";
  const std::string text = corpusText(static_cast<std::size_t>(rows) * 10);
  std::ofstream(path, std::ios::binary) << text;
  corpus::CorpusSettings settings;
  settings.Files.Add(path.string(), collator);
  settings.TotalBytes = static_cast<std::int64_t>(text.size());

  StderrUi ui;
  text::SilentSearchIndicator search;
  text::SilentProgressIndicator progress;
  text::OperationHost host{ui, search, progress};
  const concordance::SortOptions options{false, true, 1};

  std::vector<double> sortTimes, sortBase, collocTimes, collocBase;
  std::int32_t concordanceRows = 0, collocRows = 0, collocSource = 0;
  for (int run = 0; run < runs; ++run) {
    Concordance big;
    build(big, settings, rows, host);
    concordanceRows = big.table.RowCount();
    std::vector<std::string> texts;
    for (std::int32_t i = 0; i < big.table.RowCount(); ++i)
      texts.push_back(concordance::SortKey(big.table.Keywords().View(i),
                                           big.table.LeftContexts().View(i),
                                           big.table.RightContexts().View(i), options, big.sets));
    double start = seconds();
    std::sort(texts.begin(), texts.end());
    sortBase.push_back(seconds() - start);
    start = seconds();
    concordance::SortConcordance(big.table, options, big.sets, collator, progress);
    sortTimes.push_back(seconds() - start);

    Concordance small;
    build(small, settings, 10000, host);
    concordance::SortConcordance(small.table, options, small.sets, collator, progress);
    collocSource = small.table.RowCount();
    std::vector<std::string> words;
    const text::StringWords cut(small.table.WordSeparators, small.table.TextEncoding);
    for (std::int32_t i = 0; i < small.table.RowCount(); ++i)
      for (std::string_view context :
           {small.table.LeftContexts().View(i), small.table.RightContexts().View(i)})
        for (int n = 1; n <= 9; ++n) {
          const text::WordSpan span = cut.NthWord(context, n);
          if (span.length > 0) words.emplace_back(context.substr(span.first, span.length));
        }
    start = seconds();
    std::sort(words.begin(), words.end());
    collocBase.push_back(seconds() - start);
    frequency::CollocQuery query;
    query.Edit1.clear();
    query.ListBox1 = {"*"};
    for (int p = 1; p <= 9; ++p) {
      query.SetLeftChecked(p, true);
      query.SetRightChecked(p, true);
    }
    query.ButtonOKClick();
    const frequency::CollocCommandSteps steps{[] {}, [](frequency::CollocQuery&) { return true; }};
    start = seconds();
    frequency::CollocCommandResult result =
        frequency::MenuFrequenciesClick(small.table, "", query, steps, collator, host);
    collocTimes.push_back(seconds() - start);
    collocRows = result.table != nullptr ? result.table->Count() : 0;
  }
  std::filesystem::remove_all(dir);
  std::printf("concordance sort: %d rows, %.3f s; std::sort of the texts %.3f s; ratio %.1f\n",
              concordanceRows, median(sortTimes), median(sortBase),
              median(sortTimes) / median(sortBase));
  std::printf(
      "collocate table: %d rows from %d, %.3f s; std::sort of the context words %.3f s; "
      "ratio %.1f\n",
      collocRows, collocSource, median(collocTimes), median(collocBase),
      median(collocTimes) / median(collocBase));
  return 0;
}
