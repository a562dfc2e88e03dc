// The fast concordance scan's sink of the block scanner (text/
// block_scanner.h): counts the words of one stretch of a file and marks
// which end a sentence, tests the words that may match against the query
// (the others come counted in runs), and hands its counts and hits over in
// units. For fast_scan.cpp and the tests only.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "concordance/concordance_builder.h"
#include "concordance/corpus_scan.h"
#include "text/block_scanner.h"
#include "text/character_sets.h"
#include "text/scan_setup.h"

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

  // Adds `count` words (1 to 64), bit k of `endBits` set when the k-th ends a sentence.
  void AddWords(unsigned count, std::uint64_t endBits) {
    const std::uint64_t bit = words;
    words += count;
    if (endBits == 0) return;
    if ((words + 63) / 64 > ends.size()) ends.resize((words + 63) / 64 + 1024, 0);
    ends[bit / 64] |= endBits << (bit % 64);
    if (bit % 64 != 0 && bit % 64 + count > 64) ends[bit / 64 + 1] |= endBits >> (64 - bit % 64);
  }
  // The sentence ends among words from + 1 to to.
  std::int64_t CountEnds(std::uint64_t from, std::uint64_t to) const;
};

// What every thread of one fast concordance scan shares.
class HitScan {
 public:
  HitScan(const text::CharacterSets& sets, bool crlf, bool enhanced,
          const search::SearchQuery& query, const QueryMatcher& matcher, std::int32_t maxHits,
          const BuildOptions& options);

  const text::ScanSetup& Setup() const { return setup_; }
  std::int64_t UnitBytes() const { return unitBytes_; }

 private:
  friend class HitSink;
  const search::SearchQuery& query_;
  const QueryMatcher& matcher_;
  bool enhanced_;
  bool utf8_;
  std::int32_t maxHits_;  // a unit never needs more hits than the table holds
  std::int64_t unitBytes_;
  text::ScanSetup setup_;
  text::Utf8Classes wide_;
  std::array<bool, 256> candidates_{};
  std::array<char, 256> lower_{};  // the matcher's LowerByte, for the inner loop
};

class HitSink {
 public:
  // Receives each unit; `last` on the final one. Returns false to stop.
  using Handover = std::function<bool(UnitResult&&, bool last)>;

  HitSink(const HitScan& scan, Handover handover);
  HitSink(const HitSink&) = delete;
  HitSink& operator=(const HitSink&) = delete;

  // Scans the words of `fd` that start in [from, until) with `scanner` and
  // hands over their units. An advanced query is scanned from the file's
  // start to its end, handing over a unit about every 8 MB.
  void Run(text::BlockScanner<HitSink>& scanner, int fd, std::int64_t from, std::int64_t until);

 public:  // the block scanner's calls
  bool Word(const text::ScanWord& word);
  // Inlined into the scanner's loop.
  [[gnu::always_inline]] void Words(unsigned count, std::uint64_t ends) {
    const std::uint64_t before = unit_.words;
    unit_.AddWords(count, ends);
    if (scan_.query_.Kind == search::QueryKind::Advanced)
      closeSentences(count, ends, before);
    else
      sentences_ += text::CountBits(ends);
  }
  bool Candidate(const unsigned char* first, std::size_t available) const;
  bool AfterBlock(std::int64_t reached);

 private:
  // UTF-8 text: whether a word starting with these bytes may match. A
  // character of two bytes decides by itself, any other by its first byte.
  bool mayStartUtf8(const unsigned char* p, std::size_t available) const;
  bool flush(bool last);
  // Words(count, ends) of an advanced query, the first of them word before + 1.
  void closeSentences(unsigned count, std::uint64_t ends, std::uint64_t before);

  const HitScan& scan_;
  Handover handover_;
  UnitResult unit_;
  HitSlots slots_;
  std::int64_t position_ = 0;   // word position in the sentence (advanced)
  std::int64_t sentences_ = 0;  // sentence ends in the unit so far
  std::int64_t unitStart_ = 0;  // file offset where the unit's reading began
  bool handedOver_ = false;     // the receiver refused a unit: stop
};

}  // namespace lexvane::concordance
