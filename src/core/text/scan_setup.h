// What a block scan (block_scanner.h) works with, and the first two of its
// steps: ScanSetup, the immutable configuration every thread of one scan
// shares (sets, options, classifier), and WindowMasker, which turns each
// window of 64 bytes into the masks the word logic reads: where separators
// stand and which of them end the sentence of the word before them.
//
// Two ways lead there and give the same masks. The byte way classifies 64
// bytes at once (byte_classifier.h) and applies the rules of scan_rules.h to
// whole masks; in UTF-8 text a character of the sets beyond ASCII is decoded
// where its lead byte stands. The character way walks the characters one by
// one; it serves UTF-8 text whose sentence separators reach beyond ASCII
// (where the enhanced rule's window of characters is no window of bytes),
// and the tests hold the two against each other.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "text/byte_classifier.h"
#include "text/character_sets.h"
#include "text/scan_rules.h"
#include "text/utf8_classes.h"

namespace lexvane::text {

// Which words a scan hands over with their text.
enum class WordDetail {
  All,         // every word
  Candidates,  // words whose first byte is a candidate (and that the sink
               // accepts); the others are counted in runs
};

enum class SentenceRule { Simple, Enhanced };

struct ScanOptions {
  bool crlf = false;  // line breaks end sentences
  // The sentence ends a word carries (an end not asked for reads false).
  bool simple = true;
  bool enhanced = true;
  WordDetail detail = WordDetail::All;
  // WordDetail::Candidates: the first bytes (as handed over: DOS text
  // converted) of the words handed over with their text.
  std::array<bool, 256> candidates{};
  // The sentence ends reported for words counted in runs.
  SentenceRule runRule = SentenceRule::Simple;
  // Bytes per read (0: the default); the tests make it small.
  std::size_t blockBytes = 0;
  // The highest classifier level to use, and the character way everywhere
  // (the tests compare them).
  ByteClassifier::Level level = ByteClassifier::Best();
  bool byCharacters = false;
};

class ScanSetup {
 public:
  static constexpr std::size_t kDefaultBlockBytes = 256 * 1024;

  ScanSetup(const CharacterSets& sets, const ScanOptions& options);
  ScanSetup(const ScanSetup&) = delete;
  ScanSetup& operator=(const ScanSetup&) = delete;

  const CharacterSets& Sets() const { return sets_; }
  const ScanOptions& Options() const { return options_; }
  const ByteClassTable& Classes() const { return classes_; }
  const Utf8Classes& Wide() const { return wide_; }
  const ByteClassifier& Classifier() const { return classifier_; }
  bool Utf8() const { return utf8_; }
  bool ByCharacters() const { return byCharacters_; }
  std::size_t BlockBytes() const { return blockBytes_; }
  // Whether the zero character the enhanced rule's window starts with is a
  // sentence separator.
  bool ZeroIsSentence() const { return (classes_[0] & kSentenceByte) != 0; }
  // The scanning classes of each byte (ScanClassTable).
  const std::array<std::uint8_t, 256>& Table() const { return table_; }

 private:
  CharacterSets sets_;
  ScanOptions options_;
  ByteClassTable classes_;
  Utf8Classes wide_;
  bool utf8_;
  bool byCharacters_;
  std::size_t blockBytes_;
  std::array<std::uint8_t, 256> table_;
  ByteClassifier classifier_;
};

// The masks of one window for the word logic (bit i: byte i).
struct WordMasks {
  std::uint64_t separators;  // the bytes of separator characters
  std::uint64_t simple;      // separators that end the sentence of the word before
  std::uint64_t enhanced;    // the same by the enhanced rule
  std::uint64_t candidates;  // bytes that candidate words start with (not filtered by starts)
};

class WindowMasker {
 public:
  explicit WindowMasker(const ScanSetup& setup) : setup_(setup) {}

  // Starts a stretch of text: the byte before it counts as a separator
  // (the file's start, or the first byte read of a range, which owns no
  // word that starts there).
  void Start(std::int64_t offset);

  // The masks of the window at `p`, file offset `offset`, which the
  // classifier gave `raw` (byte way only). `end` is the end of the data
  // read (at least three bytes beyond the window unless the file ends
  // first); bytes of the window beyond `end` read as separators.
  WordMasks Next(const WindowMasks& raw, const unsigned char* p, std::int64_t offset,
                 const unsigned char* end) {
    return setup_.ByCharacters() ? byCharacters(p, offset, end) : byBytes(raw, p, offset, end);
  }

 private:
  inline WordMasks byBytes(const WindowMasks& raw, const unsigned char* p, std::int64_t offset,
                           const unsigned char* end);
  WordMasks byCharacters(const unsigned char* p, std::int64_t offset, const unsigned char* end);
  // UTF-8: the characters beyond ASCII whose lead byte is in `leads` that
  // belong to the sets, marked on every byte they span (bytes beyond the
  // window are kept for the next).
  void markWide(const unsigned char* p, const unsigned char* end, std::uint64_t leads,
                std::uint64_t& separators, std::uint64_t& notWord);

  const ScanSetup& setup_;
  // The masks of the window before, for the rules that look back.
  std::uint64_t separators_ = 0, sentence_ = 0, notWord_ = 0, closing_ = 0, starts_ = 0;
  // Bytes of the next window marked already by a character begun in this one.
  std::uint64_t nextSeparators_ = 0, nextNotWord_ = 0;
  // The character way: where the next character starts (file offset), and
  // the window of the last two characters with their classes.
  std::int64_t nextChar_ = 0;
  char32_t c1_ = 0;
  std::uint8_t b0_ = 0, b1_ = 0;
  char32_t c0_ = 0;
  bool c1StartsWord_ = false;
  bool afterSeparator_ = true;
};

inline WordMasks WindowMasker::byBytes(const WindowMasks& raw, const unsigned char* p,
                                       std::int64_t offset, const unsigned char* end) {
  std::uint64_t separators = raw.cls[kScanSeparator] | nextSeparators_;
  std::uint64_t notWord = raw.cls[kScanNotWord] | nextNotWord_;
  nextSeparators_ = nextNotWord_ = 0;
  if (raw.cls[kScanWideLead] && setup_.Utf8())
    markWide(p, end, raw.cls[kScanWideLead], separators, notWord);
  // The byte-order mark is no character of the text: it counts as nothing
  // more than the separators that may stand before the first word.
  if (offset == 0 && setup_.Utf8() && end - p >= 3 && p[0] == kByteOrderMark[0] &&
      p[1] == kByteOrderMark[1] && p[2] == kByteOrderMark[2])
    separators |= 7;
  std::uint64_t valid = ~std::uint64_t{0};
  if (end - p < 64) {
    valid = (std::uint64_t{1} << (end - p)) - 1;
    separators |= ~valid;
  }
  const std::uint64_t starts = WordStarts(separators, ShiftIn(separators, separators_, 1));
  WordMasks m;
  m.separators = separators;
  m.simple = raw.cls[kScanSimple] & valid;
  m.candidates = raw.cls[kScanCandidate] & valid;
  const std::uint64_t sentence = raw.cls[kScanSentence] & valid;
  const std::uint64_t closing = raw.cls[kScanClosing] & valid;
  m.enhanced = 0;
  if (setup_.Options().enhanced || setup_.Options().runRule == SentenceRule::Enhanced)
    m.enhanced = EnhancedTriggers(raw.blank & valid, raw.cls[kScanLineBreak] & valid,
                                  ShiftIn(sentence, sentence_, 1), ShiftIn(sentence, sentence_, 2),
                                  ShiftIn(notWord, notWord_, 2), ShiftIn(closing, closing_, 1),
                                  ShiftIn(starts, starts_, 1), setup_.ZeroIsSentence());
  separators_ = separators;
  sentence_ = sentence;
  notWord_ = notWord;
  closing_ = closing;
  starts_ = starts;
  return m;
}

}  // namespace lexvane::text
