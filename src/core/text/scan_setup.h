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

// How a scan gets at the bytes of a regular file (DOS text, converted as it
// is read, and pipes are always read).
enum class FileMapping {
  WhenLarge,  // mapped into memory from MappedFile::kWorthMapping bytes on
  Never,      // read in blocks
  Always,     // mapped whatever its size (the tests)
};

struct ScanOptions {
  static constexpr std::array<bool, 256> allBytes() {
    std::array<bool, 256> all{};
    all.fill(true);
    return all;
  }

  bool crlf = false;  // line breaks end sentences
  // The sentence ends a word carries (an end not asked for reads false).
  bool simple = true;
  bool enhanced = true;
  WordDetail detail = WordDetail::All;
  // WordDetail::Candidates: the first bytes (as handed over: DOS text
  // converted) of the words handed over with their text.
  std::array<bool, 256> candidates{};
  // Optional, a sharper filter for the windows where the scan only counts:
  // the bytes that may stand second in a candidate word. A separator there
  // (a word of one byte) always may.
  std::array<bool, 256> candidateSeconds = allBytes();
  // The sentence ends reported for words counted in runs.
  SentenceRule runRule = SentenceRule::Simple;
  // Bytes per read (0: the default); the tests make it small. A mapped
  // file is scanned in steps of as many bytes.
  std::size_t blockBytes = 0;
  FileMapping mapping = FileMapping::WhenLarge;
  // The highest classifier level to use, and the character way everywhere
  // (the tests compare them).
  ByteClassifier::Level level = ByteClassifier::Best();
  bool byCharacters = false;
  // Whether the quiet windows' count may extract bits, where the processor
  // does it fast (the tests take both ways).
  bool bitExtraction = ByteClassifier::ExtractsBitsFast();
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
  // Whether the processor counts bits with one instruction (and the
  // options allow more than portable code).
  bool CountsBits() const { return countsBits_; }
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
  bool countsBits_;
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

// One window as the scanner's word logic reads it (bit i: byte i).
struct WindowWords {
  std::uint64_t starts;      // word starts
  std::uint64_t wordEnds;    // the first separator behind each run of word bytes
  std::uint64_t simple;      // word starts behind a gap that ends a sentence by the simple rule
  std::uint64_t enhanced;    // the same by the enhanced rule
  std::uint64_t candidates;  // word starts whose first byte is a candidate
  std::uint64_t runEnds;     // bit k: the word before the k-th start ends a sentence (run rule)
  std::uint32_t words;       // the number of word starts
  bool noSeparator;          // a word runs across the whole window
  // The gap reaching the window's end holds a sentence end, by each rule.
  bool simpleOpen;
  bool enhancedOpen;
};

class WindowMasker {
 public:
  explicit WindowMasker(const ScanSetup& setup);

  // Starts a stretch of text: the byte before it counts as a separator
  // (the file's start, or the first byte read of a range, which owns no
  // word that starts there).
  void Start(std::int64_t offset);

  // Reads the `count` windows at p (file offset `offset`), which the
  // classifier gave raw[0 .. count) (the byte way), into out[0 .. count).
  // `end` is the end of the data read (at least three bytes beyond the
  // windows unless the file ends first); bytes beyond it read as
  // separators.
  void Read(const WindowMasks* raw, std::size_t count, const unsigned char* p, std::int64_t offset,
            const unsigned char* end, WindowWords* out);

  // What the block scanner's quiet path (quiet_windows.h) reads on from and
  // leaves behind: the separators of the window before and the open gap of
  // the simple rule. False while a character begun in the window before
  // reaches into the next, when only Read may go on.
  bool QuietCarry(std::uint64_t& separators, std::uint64_t& simpleGap) const {
    if (carry_.nextSeparators != 0 || carry_.nextNotWord != 0) return false;
    separators = carry_.separators;
    simpleGap = carry_.simple;
    return true;
  }
  void SetQuietCarry(std::uint64_t separators, std::uint64_t simpleGap) {
    carry_.separators = separators;
    carry_.simple = simpleGap;
  }

 private:
  // What each window hands on to the next, kept in locals while a batch is
  // read.
  struct Carry {
    // The masks of the window before, for the rules that look back.
    std::uint64_t separators = 0, sentence = 0, notWord = 0, closing = 0, starts = 0;
    // The gaps going on from the window before hold a trigger (1) or not.
    std::uint64_t simple = 0, enhanced = 0;
    // Bytes of the next window marked already by a character begun in this one.
    std::uint64_t nextSeparators = 0, nextNotWord = 0;
  };

  template <bool kCountsBits>
  [[gnu::always_inline]] inline void readAll(const WindowMasks* raw, std::size_t count,
                                             const unsigned char* p, std::int64_t offset,
                                             const unsigned char* end, WindowWords* out);
  void readCountingBits(const WindowMasks* raw, std::size_t count, const unsigned char* p,
                        std::int64_t offset, const unsigned char* end, WindowWords* out);
  [[gnu::always_inline]] inline WordMasks byBytes(const WindowMasks& raw, const unsigned char* p,
                                                  std::int64_t offset, const unsigned char* end,
                                                  Carry& carry) const;
  WordMasks byCharacters(const unsigned char* p, std::int64_t offset, const unsigned char* end,
                         Carry& carry);
  // UTF-8: the characters beyond ASCII whose lead byte is in `leads` that
  // belong to the sets, marked on every byte they span (bytes beyond the
  // window are kept for the next).
  void markWide(const unsigned char* p, const unsigned char* end, std::uint64_t leads,
                std::uint64_t& separators, std::uint64_t& notWord, Carry& carry) const;

  const ScanSetup& setup_;
  bool needSimple_, needEnhanced_, simpleRun_;
  Carry carry_;
  // The character way: where the next character starts (file offset), and
  // the window of the last two characters with their classes.
  std::int64_t nextChar_ = 0;
  char32_t c0_ = 0, c1_ = 0;
  std::uint8_t b0_ = 0, b1_ = 0;
  bool c1StartsWord_ = false;
  bool afterSeparator_ = true;
};

}  // namespace lexvane::text
