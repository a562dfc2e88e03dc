// Concordance building: turns a SearchQuery into the ConcordanceTable of a
// new concordance window. Scans every corpus file word by word, tests each
// lowered word against the masks, records hits with their location only, and
// afterwards retrieves the sentence of every hit. Runs long: reports through
// the host's search indicator (every 1000 words and at each file's end) and
// progress indicator ("Retrieving sentences", every 100 hits), and stops
// where the indicators' cancel flags say. May run on a worker thread: it
// reads only what it is given. The caller records the build's sets
// (corpus::ScannerSets of the settings) in its LatestScanSets when the build
// starts, once MaxListSizeOf accepted the query.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "concordance/concordance_table.h"
#include "corpus/corpus_settings.h"
#include "search/search_query.h"
#include "text/progress.h"

namespace lexvane::concordance {

// "Concordance: " followed by the masks, as many as fit: masks are taken
// while the text is below 50 characters (of the masks' `encoding`), "..."
// marks the ones left out. An advanced query lists its columns' masks in
// column order.
std::string ConcordanceCaption(const search::SearchQuery& query,
                               text::Encoding encoding = text::Encoding::Windows1252);

// The "Max. list size" as building takes it: the field converted (text::Error
// "'<text>' is not a valid integer value" when it is not a number), raised to
// 100 when smaller.
std::int32_t MaxListSizeOf(const search::SearchQuery& query);

enum class ScanMode {
  Reference,  // one word at a time through the TextScanner
  Fast,       // whole blocks, both cores; identical results
};

struct BuildOptions {
  ScanMode Mode = ScanMode::Fast;
  // Scanning threads of the fast mode (0: one per core, at most 4).
  int Threads = 0;
  // The fast mode's unit and read block sizes (0: the defaults, 8 MB and
  // 256 kB); tests make them tiny to cut files everywhere.
  std::int64_t UnitBytes = 0;
  std::int64_t BlockBytes = 0;
  // Reads every word one by one (for the tests of the bulk skip).
  bool NoBulkSkip = false;
};

// The whole build (the dialog already confirmed): set-up, scan, retrieval,
// all with corpus::ScannerSets(settings). The table's TableSorted is false.
// Throws text::Error on an invalid "Max. list size" (before anything is
// scanned) and on a read error.
std::unique_ptr<ConcordanceTable> BuildConcordance(const search::SearchQuery& query,
                                                   const corpus::CorpusSettings& settings,
                                                   text::OperationHost& host,
                                                   const BuildOptions& options = {});

// The per-sentence matching of an advanced query: for each column up to 30
// matched words (position in the sentence, offset), and the search for the
// combination that fits the order and distance limits.
class HitSlots {
 public:
  static constexpr int kSlots = 30;
  explicit HitSlots(const search::SearchQuery& query) : query_(query) {}

  // Clears the counts (start of a file, end of a sentence).
  void Clear() { counts_.fill(0); }
  // Stores one matched word of column `column` (1..5); the 31st and later
  // matches of a column in one sentence are dropped.
  void RecordSlot(int column, std::int64_t position, std::int64_t offset);
  // True when every used column holds a slot.
  bool Complete() const;
  // Tries every choice of one slot per column, column 1 slowest; after a fit
  // the remaining choices of column 5 are skipped. True when one fits; then
  // `offset` is that of the middle column's slot of the last fitting choice.
  bool FindCombination(std::int64_t& offset) const;
  // One word cannot serve two columns; order and distance limits per pair.
  bool CombinationFits(const std::array<std::int64_t, 5>& p) const;

  // The slots of column 1..5.
  int Count(int column) const { return counts_[column - 1]; }
  std::int64_t Position(int column, int i) const { return positions_[column - 1][i]; }
  std::int64_t Offset(int column, int i) const { return offsets_[column - 1][i]; }

 private:
  bool search(int k, std::array<int, 5>& chosen, std::array<std::int64_t, 5>& p,
              std::int64_t& offset) const;
  // The limits among the columns 1 to k + 1 chosen so far.
  bool partialFits(const std::array<std::int64_t, 5>& p, int k) const;

  const search::SearchQuery& query_;
  std::array<int, 5> counts_{};
  std::array<std::array<std::int64_t, kSlots>, 5> positions_{};
  std::array<std::array<std::int64_t, kSlots>, 5> offsets_{};
};

// Fills the contexts of every recorded hit (Keywords holding placeholders):
// the keyword tag-stripped replaces the placeholder, the contexts (context
// tag strip) and the file name are appended. Cancel on the progress
// indicator keeps the first i complete rows, i being the hit in hand.
// `sets` are those the hits were scanned with.
void RetrieveSentences(ConcordanceTable& table, const text::CharacterSets& sets,
                       text::ProgressIndicator& progress);

}  // namespace lexvane::concordance
