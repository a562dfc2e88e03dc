// KeywordList: the words whose frequency in a study corpus differs from their
// frequency in a reference corpus beyond chance, with their keyness figures
// (stats/keyness.h). Built once from the two corpora's word counts, then
// only sorted; the keyword window (or the command line) owns one instance.
// Not thread-safe.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "concordance/concordance_statistics.h"
#include "frequency/frequency_copy.h"
#include "frequency/word_counts.h"
#include "stats/keyness.h"
#include "text/progress.h"

namespace lexvane::keywords {

enum class KeywordSort { LogLikelihood, LogRatio, Word };

struct KeywordOptions {
  // A positive keyword needs at least this study frequency, a negative one
  // this reference frequency.
  std::int64_t MinFrequency = 1;
  // The least log-likelihood listed (a significance level's critical
  // value); none lists every keyword.
  std::optional<double> MinLogLikelihood = 3.84;
  bool Positive = true;
  bool Negative = false;
  KeywordSort Sort = KeywordSort::LogLikelihood;
};

struct KeywordRow {
  std::string Word;
  stats::KeynessCounts Counts;  // a, b, c, d
  stats::Direction Direction = stats::Direction::Positive;
  double LogLikelihood = 0;
  double LogRatio = 0;
  double PercentDiff = 0;
  // The row's place in the alphabetical order of the list's words: how
  // every sort orders equal figures.
  std::uint32_t Rank = 0;
};

inline constexpr int kKeywordColumns = 10;

class KeywordList {
 public:
 public:  // queries
  std::int32_t Count() const { return static_cast<std::int32_t>(rows_.size()); }
  const KeywordRow& Row(std::int32_t index) const { return rows_[static_cast<std::size_t>(index)]; }
  KeywordSort SortOrder() const { return sort_; }
  const KeywordOptions& Options() const { return options_; }
  text::Encoding TextEncoding() const { return encoding_; }
  std::int64_t StudyWords() const { return studyWords_; }
  std::int64_t ReferenceWords() const { return referenceWords_; }
  // The word types of either corpus.
  std::int64_t TypesCompared() const { return typesCompared_; }
  // The keywords of each direction that pass the filters, whether listed
  // or not.
  std::int64_t PositiveFound() const { return positiveFound_; }
  std::int64_t NegativeFound() const { return negativeFound_; }
  // "Study corpus words:", "Reference corpus words:", "Types compared:",
  // "Positive keywords:", "Negative keywords:".
  concordance::Statistics Statistics() const;

 public:  // grid
  static int ColumnCount() { return kKeywordColumns; }
  std::int32_t RowCount() const { return Count() + 1; }
  // Row 0 is the heading; row r shows entry r - 1; rows beyond are empty.
  // Columns: number, "Word", "Key" (+ or -), "F", "Ref. F", "F per million",
  // "Ref. F per million", "LL", "Log Ratio", "%DIFF"; figures with four
  // decimals.
  std::string CellText(int column, std::int32_t row) const;
  static bool LeftAligned(int column) { return column == 1 || column == 2; }

 public:  // commands
  // Compares every word type of `study` (c = its TotalWords) with
  // `reference` (d = `referenceWords`) under the progress indicator
  // "Comparing word lists", keeps the keywords the options ask for and
  // sorts them. False (and the list as it was) when cancelled.
  bool Build(const frequency::WordCounts& study, const frequency::WordCounts& reference,
             std::int64_t referenceWords, const KeywordOptions& options,
             const text::Collator& collator, text::ProgressIndicator& progress);
  // LL descending, Log Ratio by size descending, or the word ascending;
  // ties by the word. A cancel leaves the order as it was.
  void Sort(KeywordSort sort, text::ProgressIndicator& progress);
  // The row's fields separated by the delimiter, ended by CR LF, in the
  // columns' order.
  std::string Line(std::int32_t index, std::string_view delimiter) const;

 private:
  std::vector<KeywordRow> rows_;
  KeywordOptions options_;
  KeywordSort sort_ = KeywordSort::LogLikelihood;
  text::Encoding encoding_ = text::Encoding::Windows1252;
  std::int64_t studyWords_ = 0, referenceWords_ = 0, typesCompared_ = 0;
  std::int64_t positiveFound_ = 0, negativeFound_ = 0;
};

// The copy of entries first..last (0-based) as the frequency tables' copy
// makes it ("Copying...", the clipboard's limit): Line with the first
// character of the options' delimiter.
void CopyKeywords(const KeywordList& list, std::int32_t first, std::int32_t last,
                  const frequency::CopyOptions& options, frequency::CopyDestination destination,
                  frequency::CopySink& sink, text::OperationHost& host);

// "Sorting by log-likelihood", "Sorting by Log Ratio", "Sorting alphabetically".
std::string_view KeywordSortCaption(KeywordSort sort);

}  // namespace lexvane::keywords
