// The word loop of the fast scan over one range of a corpus file: cuts the
// bytes into words and sentence ends by the scanner's rules (same words,
// offsets and flags as TextScanner::ReadWord), looks closer only at words
// whose first character a mask can match, and hands over its counts and
// hits in units. For fast_scan.cpp and the tests only.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "concordance/byte_classes.h"
#include "concordance/concordance_builder.h"
#include "concordance/corpus_scan.h"
#include "text/character_sets.h"

namespace lexvane::concordance {

struct UnitHit {
  std::uint64_t word;     // 1-based number of the hit's word in its unit
  std::int64_t sentence;  // sentence ends in the unit before the hit's word
  std::int64_t offset;    // the keyword's byte offset
};

struct UnitResult {
  int openError = 0;    // the file could not be opened (errno)
  int readError = 0;    // reading failed after the words counted here (errno)
  std::string failure;  // an unexpected error of the scanning thread
  std::uint64_t words = 0;
  // Bit w - 1 set: word w of the unit ends a sentence.
  std::vector<std::uint64_t> ends;
  std::vector<UnitHit> hits;
  // The number (1-based) of the unit's first word that was longer than 255
  // characters and was cut; 0 when none was.
  std::uint64_t firstCutWord = 0;

  void MarkEnd(std::uint64_t word) {
    const std::uint64_t bit = word - 1;
    if (bit / 64 >= ends.size()) ends.resize(bit / 64 + 1024, 0);
    ends[bit / 64] |= std::uint64_t{1} << (bit % 64);
  }
  // The sentence ends among words from + 1 to to.
  std::int64_t CountEnds(std::uint64_t from, std::uint64_t to) const;
};

struct UnitScanParams {
  UnitScanParams(const text::CharacterSets& sets, bool crlf, bool enhanced,
                 const search::SearchQuery& query, const QueryMatcher& matcher,
                 std::int32_t maxHits, const BuildOptions& options);
  std::array<std::uint8_t, 256> classes;
  bool crlf;
  bool enhanced;
  bool oemToAnsi;
  const search::SearchQuery& query;
  const QueryMatcher& matcher;
  std::int32_t maxHits;  // a unit never needs more hits than the table holds
  std::int64_t unitBytes;
  std::size_t blockBytes;
  bool bulk;  // skip runs of words that cannot match nor end a sentence
  ByteClassifier classifier;
};

class UnitScanner {
 public:
  // Receives each unit; `last` on the final one. Returns false to stop.
  using Sink = std::function<bool(UnitResult&&, bool last)>;

  UnitScanner(const UnitScanParams& params, Sink sink);
  UnitScanner(const UnitScanner&) = delete;
  UnitScanner& operator=(const UnitScanner&) = delete;

  // Scans the words that start at or after `from` and before `until` (the
  // first word starting at or after `until` ends the range), with the gaps
  // behind them. An advanced query is scanned from the file's start to its
  // end, handing over a unit about every 8 MB.
  void Run(int fd, std::int64_t from, std::int64_t until);
  // The bytes read from the file by all runs so far: about the range, and
  // the gap behind its last word (a range inside a long run of separators
  // reads only its own bytes).
  std::int64_t BytesRead() const { return bytesRead_; }

 private:
  bool emit(std::int64_t offset, bool simpleEnd, bool enhancedEnd);
  // From the word start p (offset in the file), counts the words that
  // neither may match nor may end a sentence, in 64-byte views; returns the
  // next word start to read word by word.
  const unsigned char* skipPlainWords(const unsigned char* p, const unsigned char* end,
                                      std::int64_t offset, std::int64_t until);
  bool flush(bool last);

  const UnitScanParams& params_;
  Sink sink_;
  std::unique_ptr<char[]> buffer_;  // blockBytes + 1 bytes
  UnitResult unit_;
  HitSlots slots_;
  std::int64_t position_ = 0;   // word position in the sentence (advanced)
  std::int64_t sentences_ = 0;  // sentence ends in the unit so far
  std::int64_t unitBytes_ = 0;
  std::int64_t bytesRead_ = 0;
  // The word being read.
  char word_[256];
  std::size_t length_ = 0;
  bool candidate_ = false;
};

}  // namespace lexvane::concordance
