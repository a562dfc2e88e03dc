// ConcordanceTable: the hits of one concordance window, one keyword-in-context
// row per hit spread over four parallel quick lists, with what the window
// remembers of its corpus and the counters of its build. Concordance building
// fills it; the window's commands (sort, clear, delete duplicates, paste,
// copy, statistics, source display) and the collocate builder read and
// change it. Each window owns one table; tables share nothing.
//
// Invariants once built: the four lists have the same count n (the hits),
// n <= MaxListSize, every Keywords entry carries one TOneWordInfo whose
// FileIndex indexes CorpusFiles, and any removal takes the same index out of
// all four lists. Not thread-safe.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "text/character_sets.h"
#include "text/encoding.h"
#include "text/quick_list.h"

namespace lexvane::concordance {

// Locates a hit in the corpus. (The word frequency list has a record of the
// same name in its own namespace.) FileIndex is 32 bits wide, so a corpus of
// more than 32 768 files keeps every hit on its own file.
class TOneWordInfo : public text::ListObject {
 public:
  TOneWordInfo() = default;
  TOneWordInfo(std::int32_t fileIndex, std::int64_t sentenceNo, std::int64_t offset)
      : FileIndex(fileIndex), SentenceNo(sentenceNo), Offset(offset) {}
  void Assign(const TOneWordInfo& other) { *this = other; }

  std::int32_t FileIndex = 0;   // index into the table's CorpusFiles
  std::int64_t SentenceNo = 0;  // sentence of the hit in its file, from 0
  std::int64_t Offset = 0;      // byte offset of the keyword's first character
};

// The position a row had before a sort; attached to temporary sort keys only.
class TRow : public text::ListObject {
 public:
  explicit TRow(std::int32_t index) : Index(index) {}
  std::int32_t Index;
};

// The text of a Keywords entry while the scan runs, before retrieval.
inline constexpr std::string_view kKeywordPlaceholder = "xxxxxxxxxxxxxxx";

class ConcordanceTable {
 public:
  ConcordanceTable();

 public:  // the four row lists (entry i belongs to grid row i + 1)
  text::TQStringList& LeftContexts() { return *lists_[0]; }
  text::TQStringList& Keywords() { return *lists_[1]; }
  text::TQStringList& RightContexts() { return *lists_[2]; }
  text::TQStringList& FileNames() { return *lists_[3]; }
  const text::TQStringList& LeftContexts() const { return *lists_[0]; }
  const text::TQStringList& Keywords() const { return *lists_[1]; }
  const text::TQStringList& RightContexts() const { return *lists_[2]; }
  const text::TQStringList& FileNames() const { return *lists_[3]; }

 public:  // queries
  // The number of rows (of Keywords, which alone grows during the scan).
  std::int32_t RowCount() const { return Keywords().GetCount(); }
  const TOneWordInfo& Info(std::int32_t row) const;
  // The full path of a row's file.
  const std::string& PathOf(std::int32_t row) const;
  // True when both rows are hits of one sentence.
  bool SameSentence(std::int32_t a, std::int32_t b) const;

 public:  // commands
  // Removes row `row` from the four lists, destroying its record.
  void DeleteRow(std::int32_t row);
  // Empties the four lists, each with room for `capacity` entries, holding
  // text of TextEncoding.
  void ResetLists(std::int32_t capacity);
  // Rebuilds the four lists in the order `order` (old row indices), moving
  // the texts and records; rows not named are dropped.
  void Reorder(const std::vector<std::int32_t>& order);

 public:  // what the window keeps of its corpus and its build
  std::int32_t FileCount = 0;
  std::int64_t TotalWords = 0;
  std::int64_t TotalSentences = 0;
  std::int64_t TotalSizeKB = 0;
  bool SearchComplete = true;
  std::vector<std::string> CorpusFiles;
  std::string WordSeparators;  // as the user entered them, cut to 255
  std::int32_t MaxListSize = 0;
  bool TableSorted = false;
  // The corpus was tagged: the window offers the stripped source display.
  bool TaggedText = false;
  // The options the hits were found with, for the source display.
  bool CRLFAsSeparator = false;
  bool EnhSentDetect = false;
  text::Encoding TextEncoding = text::Encoding::Windows1252;
  // The sets the build cut the corpus with: what a sort or copy falls back
  // on when the latest build read text of the other encoding
  // (text::LatestScanSets::SetsFor).
  text::CharacterSets ScanSets = text::CharacterSets::Initial();
  // The corpus files in which the scan cut a word longer than 255
  // characters to its first 255, in corpus order: the build's report.
  std::vector<std::string> CutWordFiles;
  // Per corpus file (indexed like CorpusFiles): the words the scan read in
  // it (0 for a file it never reached) and its size in bytes when the build
  // started (0 when it could not be read). The concordance plot and the
  // dispersion figures read them.
  std::vector<std::int64_t> FileWords;
  std::vector<std::int64_t> FileBytes;
  // The scan read every file to its end: neither Cancel nor a full table
  // stopped it (a file that could not be opened does not count as a stop).
  bool ScanReachedEnd = true;

 private:
  std::unique_ptr<text::TQStringList> lists_[4];
};

}  // namespace lexvane::concordance
