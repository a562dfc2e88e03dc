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
#include "text/scan_rules.h"
#include "text/utf8_classes.h"

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
  text::ByteClassTable classes;  // with a bit of its own for the bytes a match may start with
  bool crlf;
  bool enhanced;
  bool oemToAnsi;
  const search::SearchQuery& query;
  const QueryMatcher& matcher;
  std::int32_t maxHits;  // a unit never needs more hits than the table holds
  std::int64_t unitBytes;
  std::size_t blockBytes;
  bool bulk;  // skip runs of words that cannot match nor end a sentence
  // UTF-8 text: the classes of its characters beyond ASCII.
  bool utf8;
  text::Utf8Classes wide;
  ByteClassifier classifier;

  // UTF-8 text: whether a word starting at p (a byte readable behind it)
  // may match. A character of two bytes decides by itself, any other by
  // its first byte.
  bool MayStartUtf8(const unsigned char* p) const {
    if (!(classes[*p] & text::kFirstCallerByteBit)) return false;
    if (*p < 0xC2 || *p > 0xDF || (p[1] & 0xC0) != 0x80) return true;
    return matcher.MayMatchChar((static_cast<char32_t>(*p & 0x1F) << 6) | (p[1] & 0x3F));
  }
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
  // What the scan of a range is in, between two bytes.
  enum class Mode {
    Prelude,    // before the range: the byte before it is not read yet
    SkipWord,   // in a word that began before the range
    GapNoWord,  // in separators, with no word in hand
    Word,       // in the word in hand
    Gap,        // in the separators behind the word in hand
  };
  // Where the scan of a range stands; carried from block to block.
  struct Cursor {
    Mode mode = Mode::GapNoWord;
    std::int64_t wordOffset = 0;      // of the word in hand
    text::GapSentenceEnds ends;       // of the word in hand
    text::CharSentenceEnds charEnds;  // the same in UTF-8 text
  };
  // The bytes of one block read at file offset `base`.
  struct Block {
    const unsigned char* start;
    const unsigned char* end;  // a separator stands here
    std::int64_t base;
    std::int64_t OffsetOf(const unsigned char* p) const { return base + (p - start); }
  };

  // The block of `got` bytes just read at `at`, converted and closed by a
  // separator.
  Block takeBlock(std::int64_t at, std::int64_t got);
  // Scans the block; true when the range is done (or the scan stopped).
  bool scanBlock(Cursor& cursor, const Block& block, std::int64_t until);
  // The steps of scanBlock: each goes on from p as far as its mode reaches
  // in the block and returns where it stopped. `stop` tells the range is
  // done. Inlined, so that the cursor stays in registers.
  [[gnu::always_inline]] const unsigned char* skipWord(Cursor& cursor, const Block& block,
                                                       const unsigned char* p);
  [[gnu::always_inline]] const unsigned char* gapBeforeWord(Cursor& cursor, const Block& block,
                                                            const unsigned char* p,
                                                            std::int64_t until, bool& stop);
  [[gnu::always_inline]] const unsigned char* wordPart(Cursor& cursor, const Block& block,
                                                       const unsigned char* p);
  [[gnu::always_inline]] const unsigned char* gapAfterWord(Cursor& cursor, const Block& block,
                                                           const unsigned char* p,
                                                           std::int64_t until, bool& stop);
  // Takes the word starting at p in hand, after skipping the words before
  // it that can neither match nor end a sentence; returns its start.
  [[gnu::always_inline]] const unsigned char* startWord(Cursor& cursor, const Block& block,
                                                        const unsigned char* p, std::int64_t until);
  // The end of the file hands over the word in hand.
  void endOfFile(Cursor& cursor);
  // scanBlock on UTF-8 text: ASCII bytes by the table, the other characters
  // decoded.
  bool scanBlockUtf8(Cursor& cursor, const Block& block, std::int64_t until);
  const unsigned char* startWordUtf8(Cursor& cursor, const Block& block, const unsigned char* p,
                                     std::int64_t until);
  // Where the range from `from` starts in UTF-8 text, past a character
  // running across `from` (and past the byte-order mark at the file's
  // start), and whether a word runs into it.
  std::int64_t startUtf8(int fd, std::int64_t from, Cursor& cursor);
  // Takes the characters [p, p + bytes) (`characters` of them) into the
  // word in hand.
  void keep(const unsigned char* p, std::size_t bytes, std::size_t characters);
  // The same for a run of ASCII bytes and two-byte characters.
  void keepRun(const unsigned char* p, std::size_t bytes, std::size_t characters);
  // Hands over one word (its hits and sentence end); false to stop.
  bool emit(std::int64_t offset, bool simpleEnd, bool enhancedEnd);
  // From the word start p (offset in the file), counts the words that
  // neither may match nor may end a sentence, in 64-byte views; returns the
  // next word start to read word by word.
  const unsigned char* skipPlainWords(const unsigned char* p, const unsigned char* end,
                                      std::int64_t offset, std::int64_t until);
  std::uint64_t firstCandidateUtf8(const unsigned char* p, std::uint64_t candidates) const;
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
  // The word being read: its first 255 characters (of up to four bytes).
  char word_[text::kMaxTextLength * 4 + 4];
  std::size_t length_ = 0;
  std::size_t characters_ = 0;  // UTF-8 text: characters seen in the word
  bool candidate_ = false;
};

}  // namespace lexvane::concordance
