// WordFrequencyList: the word types of a whole corpus with their frequencies
// and first word classes, and the build, sort and clear commands of a word
// frequency window. The window (or the command line) owns one instance; after
// the build it depends on nothing but itself.
//
// WordList is the quick list the views read: one entry per type, entry text =
// the sort key of the current SortMode, attached object = the type's
// TOneWordInfo. Not thread-safe: one caller at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "corpus/corpus_settings.h"
#include "frequency/word_info.h"
#include "text/collation.h"
#include "text/progress.h"
#include "text/quick_list.h"

namespace lexvane::frequency {

class FileSpread;

enum WordSortMode : std::uint8_t {
  kSortAlphabetical = 0,
  kSortByFrequency = 1,
  kSortRetrograde = 2,
  kSortByWordClass = 3,
};

// The list's starting capacity and its growth when full (x 1.3).
inline constexpr std::int32_t kInitialWordListCapacity = 32768;
// The capacity a list grown one type at a time has after `types` types.
std::int32_t WordListCapacityFor(std::int64_t types);

// "Sorting alphabetically", "Sorting by frequency", ... of a mode.
std::string_view SortCaption(int mode);

// Frequency / total x 100 with `decimals` decimals, padded in front with
// blanks to `width` characters ("F %": 3 and 5, "CF %": 2 and 4).
std::string FormatPercent(std::int64_t count, std::int64_t total, int decimals, int width);

class WordFrequencyList {
 public:
  // The list orders its words with `collator`, which must outlive it.
  explicit WordFrequencyList(const text::Collator& collator);
  ~WordFrequencyList();
  WordFrequencyList(const WordFrequencyList&) = delete;
  WordFrequencyList& operator=(const WordFrequencyList&) = delete;

 public:  // queries
  const text::TQStringList& WordList() const { return *wordList_; }
  std::int32_t Count() const { return wordList_->GetCount(); }
  // The record of entry `index` (0-based).
  TOneWordInfo& Info(std::int32_t index) const;
  int SortMode() const { return sortMode_; }
  const text::Collator& Collator() const { return *collator_; }

  const std::vector<std::string>& CorpusFiles() const { return corpusFiles_; }
  std::int32_t FileCount() const { return static_cast<std::int32_t>(corpusFiles_.size()); }
  std::int64_t TotalWords() const { return totalWords_; }
  std::int64_t TotalSentences() const { return totalSentences_; }
  std::int64_t TotalSizeKB() const { return totalSizeKB_; }
  bool ListComplete() const { return listComplete_; }
  // The encoding of the corpus the list was counted from.
  text::Encoding TextEncoding() const { return encoding_; }
  // The corpus files in which a word longer than 255 characters was cut to
  // its first 255 by the last build, in corpus order: the build's report.
  const std::vector<std::string>& CutWordFiles() const { return cutWordFiles_; }

 public:  // grid
  // 5 columns, 7 after a sort by frequency.
  int ColumnCount() const { return sortMode_ == kSortByFrequency ? 7 : 5; }
  // Heading row plus one row per entry.
  std::int32_t RowCount() const { return Count() + 1; }
  // Row 0 is the heading; row r shows entry r - 1; rows beyond the list are
  // empty.
  std::string CellText(int column, std::int32_t row) const;
  // The heading of a column, which no list's rows change (CellText(column, 0)).
  static std::string Heading(int column);
  // Columns 1 and 2 (word, class) are left-aligned, the others right-aligned.
  static bool LeftAligned(int column) { return column == 1 || column == 2; }

 public:  // the columns added to the grid: Range and DP
  // Whether the next Build counts each type's spread over the files (off
  // by default: the build then takes its usual path, no slower).
  void SetCountSpread(bool count) { countSpread_ = count; }
  bool CountsSpread() const { return countSpread_; }
  // The last build counted the spread: every record is a TWordSpreadInfo.
  bool HasSpread() const { return hasSpread_; }
  enum class SpreadColumn { Range, DP };
  // Row 0: the heading ("Range", "DP"); row r: entry r - 1's range (files)
  // or DP (four decimals); empty without the spread or beyond the list.
  std::string SpreadCellText(SpreadColumn column, std::int32_t row) const;

 public:  // commands
  // Counts every word of the corpus (replacing what the list held). The
  // search indicator shows "Types:"; a cancel keeps what was counted and
  // clears ListComplete. Cuts the text with corpus::ScannerSets(settings),
  // which the caller records in its LatestScanSets when the build starts.
  void Build(const corpus::CorpusSettings& settings, text::OperationHost& host);
  // Same result, by the one-token-at-a-time procedure on a TextScanner with
  // a binary insertion per new type: the reference the fast build is checked
  // against. Slow on large corpora.
  void BuildByInsertion(const corpus::CorpusSettings& settings, text::OperationHost& host);
  // Corpora of at least this many bytes are counted on two threads (files,
  // or one file, split in two halves of the text); smaller ones on the
  // calling thread with an indicator update every 1000 words.
  void SetParallelThreshold(std::int64_t bytes) { parallelThreshold_ = bytes; }
  static constexpr std::int64_t kDefaultParallelThreshold = 4 << 20;

  // SortWordList: reorders the list in `mode` under the progress indicator.
  // A cancelled sort keeps the rows in their order, but SortMode (and with it
  // the columns and cumulative figures) follows the new mode.
  void SortWordList(int mode, std::string_view caption, text::ProgressIndicator& progress);
  // Deletes the entries of grid rows top..bottom (1-based, bottom cut to the
  // last row); nothing when the list is empty or top lies beyond it.
  // TotalWords and the other rows' cumulative figures stay as they were.
  void ClearRows(std::int32_t topRow, std::int32_t bottomRow);

 private:
  friend class WordFrequencyBuilder;
  void start(const corpus::CorpusSettings& settings);
  void recomputeCumulative();
  // Makes every record a TWordSpreadInfo with the spread of its word.
  void attachSpread(const FileSpread& spread);
  std::string entryKey(const TOneWordInfo& info) const;
  void appendEntryKey(std::string& out, const TOneWordInfo& info) const;
  // Orders the rows by a key that holds only the frequency (by frequency)
  // or nothing (alphabetically) before the word, with the words' ranks
  // standing in for their collation keys. False when cancelled or when a
  // word too long for the frequency key's cut asks for the full keys.
  bool orderByWordRanks(std::vector<std::uint32_t>& order, text::ProgressIndicator& progress,
                        bool& cancelled);
  // Fetches the record of a row a few rows after row i into the cache.
  void prefetchInfo(std::size_t i, std::size_t n) const;

  std::uint8_t sortMode_ = kSortAlphabetical;
  const text::Collator* collator_;
  std::unique_ptr<text::TQStringList> wordList_;
  // Per row, the rank of its word in the words' alphabetical order (equal
  // words, equal ranks); it moves with the rows, so that later sorts by
  // word or frequency need no collator. Empty until a sort asks for it.
  std::vector<std::uint32_t> wordRanks_;
  // The rows stand in the alphabetical order of their words (as a build
  // leaves them): the ranks are then the row numbers.
  bool wordOrdered_ = true;
  std::vector<std::string> corpusFiles_;
  std::vector<std::string> cutWordFiles_;
  std::int64_t totalWords_ = 0;
  std::int64_t totalSentences_ = 0;
  std::int64_t totalSizeKB_ = 0;
  bool listComplete_ = true;
  text::Encoding encoding_ = text::Encoding::Windows1252;
  std::int64_t parallelThreshold_ = kDefaultParallelThreshold;
  bool countSpread_ = false;
  bool hasSpread_ = false;
};

}  // namespace lexvane::frequency
