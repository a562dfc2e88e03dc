// NGramList: the rows of an n-gram list of a whole corpus or of a cluster
// list of a concordance, each a sequence of words (joined by single blanks)
// with its frequency and its range (the number of corpus files it occurs
// in), and the commands of their windows: sort, clear, grid texts. A window
// (or the command line) owns one; after its build it depends on nothing but
// itself. Not thread-safe: one caller at a time.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "corpus/corpus_settings.h"
#include "ngrams/ngram_options.h"
#include "text/collation.h"
#include "text/encoding.h"
#include "text/progress.h"

namespace lexvane::ngrams {

enum class ListKind : std::uint8_t { NGrams, Clusters };

// The figures of the corpus or concordance a list was built from.
struct ListSource {
  std::vector<std::string> corpusFiles;
  std::int64_t totalSizeKB = 0;
  std::int64_t totalWords = 0;
  std::int64_t totalSentences = 0;
  text::Encoding encoding = text::Encoding::Windows1252;
};

class NGramList {
 public:
  explicit NGramList(ListKind kind = ListKind::NGrams) : kind_(kind) {}

 public:  // queries
  ListKind Kind() const { return kind_; }
  std::int32_t Count() const { return static_cast<std::int32_t>(rows_.size()); }
  // The words of row `index` (0-based), joined by single blanks.
  std::string_view Text(std::int32_t index) const {
    const Row& row = rows_[static_cast<std::size_t>(index)];
    return {text_.data() + row.offset, row.length};
  }
  // The number of words of row `index`.
  int Words(std::int32_t index) const { return rows_[static_cast<std::size_t>(index)].words; }
  std::int64_t Frequency(std::int32_t index) const {
    return rows_[static_cast<std::size_t>(index)].frequency;
  }
  std::int64_t Range(std::int32_t index) const {
    return rows_[static_cast<std::size_t>(index)].range;
  }
  NGramSort SortMode() const { return sortMode_; }
  // The options the list was built with.
  const NGramOptions& Options() const { return options_; }
  const ListSource& Source() const { return source_; }
  std::int32_t FileCount() const { return static_cast<std::int32_t>(source_.corpusFiles.size()); }
  text::Encoding TextEncoding() const { return source_.encoding; }
  // False when the build was cancelled: the list holds what was counted.
  bool ListComplete() const { return complete_; }
  // The corpus files in which a word longer than 255 characters was cut to
  // its first 255, in corpus order: the build's report.
  const std::vector<std::string>& CutWordFiles() const { return cutWordFiles_; }

 public:  // grid
  // Row numbers, the n-gram (or cluster), "F", "Range".
  static constexpr int kColumnCount = 4;
  // Heading row plus one row per entry.
  std::int32_t RowCount() const { return Count() + 1; }
  // Row 0 is the heading; row r shows entry r - 1; rows beyond are empty.
  std::string CellText(int column, std::int32_t row) const;
  // The n-gram column is left-aligned, the others right-aligned.
  static bool LeftAligned(int column) { return column == 1; }

 public:  // commands
  // Counts the n-grams of the corpus (replacing what the list held) as
  // `options` say, under the search indicator ("N-grams:"); then orders
  // them by options.sort. A cancel keeps what was counted (nothing when it
  // comes in the first of two passes) and clears ListComplete. Words and
  // sentence ends are those of the word list: cut with
  // corpus::ScannerSets(settings), the simple sentence ends, tags taken
  // off, capitals folded when IgnoreCapital is on.
  // The rows are ordered with `collator`, here and in every later sort.
  void Build(const corpus::CorpusSettings& settings, const NGramOptions& options,
             const text::Collator& collator, text::OperationHost& host);
  // Reorders the rows under the progress indicator (SortCaption(mode)); a
  // cancelled sort keeps the rows and their order and the old mode.
  void Sort(NGramSort mode, text::ProgressIndicator& progress);
  // Deletes the entries of grid rows top..bottom (1-based, bottom cut to
  // the last row); nothing when the list is empty or top lies beyond it.
  void ClearRows(std::int32_t topRow, std::int32_t bottomRow);

  // Tuning of Build, for tests and measurements. Corpora of at least
  // `bytes` are counted on two threads (as the word list is).
  void SetParallelThreshold(std::int64_t bytes) { parallelThreshold_ = bytes; }
  // The memory the exact count of a one-pass build may take before it
  // gives way to two passes (a hashed count, then an exact count of the
  // n-grams that may pass the filters). Only with a floor above 1, and
  // only when every corpus file is a regular file (a pipe is read once).
  void SetMemoryBudget(std::size_t bytes) { memoryBudget_ = bytes; }
  static constexpr std::int64_t kDefaultParallelThreshold = 4 << 20;
  static constexpr std::size_t kDefaultMemoryBudget = std::size_t{512} << 20;
  // Whether the last Build took two passes.
  bool TookTwoPasses() const { return twoPasses_; }

 public:  // filling, for the builders
  // Empties the list for a build from `source` with `options`; `collator`
  // (which must outlive the list) orders the rows from now on.
  void Start(ListSource source, const NGramOptions& options, const text::Collator& collator);
  void Append(std::string_view text, int words, std::int64_t frequency, std::int64_t range);
  void SetComplete(bool complete) { complete_ = complete; }
  void SetTotals(std::int64_t words, std::int64_t sentences) {
    source_.totalWords = words;
    source_.totalSentences = sentences;
  }
  void SetCutWordFiles(std::vector<std::string> files) { cutWordFiles_ = std::move(files); }
  void SetTwoPasses(bool twoPasses) { twoPasses_ = twoPasses; }
  // Orders the rows by `mode` without an indicator (after a build).
  void Order(NGramSort mode);

 private:
  struct Row {
    std::uint64_t offset;  // into text_
    std::uint32_t length;
    std::uint32_t words;
    std::int64_t frequency;
    std::int64_t range;
  };
  std::string sortKey(const Row& row, NGramSort mode) const;
  void reorder(const std::vector<std::uint32_t>& order);

  ListKind kind_;
  const text::Collator* collator_ = nullptr;  // of the last Start
  std::vector<Row> rows_;
  std::string text_;
  NGramSort sortMode_ = NGramSort::ByFrequency;
  NGramOptions options_;
  ListSource source_;
  std::vector<std::string> cutWordFiles_;
  bool complete_ = true;
  bool twoPasses_ = false;
  std::int64_t parallelThreshold_ = kDefaultParallelThreshold;
  std::size_t memoryBudget_ = kDefaultMemoryBudget;
};

}  // namespace lexvane::ngrams
