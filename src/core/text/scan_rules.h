// The rules that cut corpus text into words and sentences: which byte ends a
// word, which bytes of the gap behind a word end its sentence, and the
// enhanced rule at a blank. The text scanner, the fast concordance scan, the
// word frequency tokenizer and sentence retrieval all decide through these
// definitions (inline: they sit in the inner loops), so that the reference
// scanner and the fast paths cannot drift apart.
#pragma once

#include <array>
#include <cstdint>

#include "text/character_sets.h"

namespace lexvane::text {

// The classes of one byte, one bit each.
enum : std::uint8_t {
  kSeparatorByte = 1,   // ends a word: a control character or a word separator
  kSentenceByte = 2,    // a sentence separator
  kPlainByte = 4,       // a plain separator (no sentence separator, no quote)
  kClosingByte = 8,     // a closing mark
  kLineBreakByte = 16,  // a carriage return or a line feed
};
// The lowest bit no class uses: a caller may keep a mark of its own there.
inline constexpr std::uint8_t kFirstCallerByteBit = 32;

// The class bits of byte `c` under a set of separators.
inline std::uint8_t ClassOf(const CharacterSets& sets, unsigned char c) {
  std::uint8_t bits = 0;
  if (sets.isSeparator[c]) bits |= kSeparatorByte;
  if (sets.inSentenceSet[c]) bits |= kSentenceByte;
  if (sets.inPlain[c]) bits |= kPlainByte;
  if (sets.inClosing[c]) bits |= kClosingByte;
  if (c == '\r' || c == '\n') bits |= kLineBreakByte;
  return bits;
}

// ClassOf of every byte, indexed by the unsigned byte: the table of the
// inner loops.
using ByteClassTable = std::array<std::uint8_t, 256>;
inline ByteClassTable ClassifyBytes(const CharacterSets& sets) {
  ByteClassTable classes{};
  for (int c = 0; c < 256; ++c) classes[c] = ClassOf(sets, static_cast<unsigned char>(c));
  return classes;
}

// Whether a byte of the gap behind a word ends the word's sentence by the
// simple rule: a sentence separator, or a line break while crlf is on.
constexpr bool EndsSimpleSentence(std::uint8_t bits, bool crlf) {
  return (bits & kSentenceByte) != 0 || (crlf && (bits & kLineBreakByte) != 0);
}

// Whether a byte ends the sentence by both rules whatever stands around it:
// a line break while crlf is on.
constexpr bool BreaksLine(std::uint8_t bits, bool crlf) {
  return crlf && (bits & kLineBreakByte) != 0;
}

// What the enhanced rule counts as a word character in front of a sentence
// separator.
enum class WordCharacter {
  // Anything but a control character or a plain separator: for raw bytes,
  // where a control character is always a separator.
  NoControlNoPlain,
  // Anything but a plain separator: for a window whose control characters
  // were made blanks and line breaks and whose positions beyond its edges
  // read as zero, which then counts as part of a word cut off by the edge.
  NoPlain,
};

// The enhanced rule at a blank whose two preceding characters are `before`
// (with class bits `beforeBits`) and then one with class bits `lastBits`:
// the blank ends a sentence behind a sentence separator that follows a word
// character ("word. "), or behind a sentence separator and a closing mark
// (".\" ", "!' ").
constexpr bool EnhancedEndAtBlank(unsigned before, std::uint8_t beforeBits, std::uint8_t lastBits,
                                  WordCharacter wordCharacter) {
  const bool wordBefore =
      (beforeBits & kPlainByte) == 0 && (wordCharacter == WordCharacter::NoPlain || before >= 32);
  return (wordBefore && (lastBits & kSentenceByte) != 0) ||
         ((beforeBits & kSentenceByte) != 0 && (lastBits & kClosingByte) != 0);
}

// The same rules on 64 bytes at once, for the block scanner: bit i of a
// mask stands for byte i of a window, bits shifted in from the window before
// stand for the bytes in front of it. The classes a window is sorted into
// (bit k of the classifier's table, byte_classifier.h):
enum ScanClass : int {
  kScanSeparator = 0,  // ends a word
  kScanSimple,         // ends the sentence of the word before it when it stands in its gap
  kScanSentence,       // a sentence separator, wherever it stands
  kScanNotWord,        // a plain separator or a control character: no word character
                       // in front of a sentence separator for the enhanced rule
  kScanClosing,        // a closing mark
  kScanLineBreak,      // a line break that ends sentences (crlf on)
  kScanCandidate,      // a first byte of the words a scan wants to see whole
  kScanWideLead,       // UTF-8: the lead byte of a character of the sets beyond ASCII
};

// The classifier's table: the scanning classes of each byte under `classes`.
// `candidates` and `wideLeads` as the scan asks.
inline std::array<std::uint8_t, 256> ScanClassTable(const ByteClassTable& classes, bool crlf,
                                                    const std::array<bool, 256>& candidates,
                                                    const std::array<bool, 256>& wideLeads) {
  std::array<std::uint8_t, 256> table{};
  for (int c = 0; c < 256; ++c) {
    const std::uint8_t bits = classes[c];
    const auto put = [&](int k, bool on) {
      if (on) table[c] |= static_cast<std::uint8_t>(1u << k);
    };
    const bool separator = (bits & kSeparatorByte) != 0;
    put(kScanSeparator, separator);
    put(kScanSimple, separator && EndsSimpleSentence(bits, crlf));
    put(kScanSentence, (bits & kSentenceByte) != 0);
    put(kScanNotWord, (bits & kPlainByte) != 0 || c < 32);
    put(kScanClosing, (bits & kClosingByte) != 0);
    put(kScanLineBreak, BreaksLine(bits, crlf));
    put(kScanCandidate, !separator && candidates[c]);
    put(kScanWideLead, wideLeads[c]);
  }
  return table;
}

// The number of bits set in x, without a library call where the build's
// baseline lacks the processor's instruction.
constexpr int CountBits(std::uint64_t x) {
#ifdef __POPCNT__
  return __builtin_popcountll(x);
#else
  x = x - ((x >> 1) & 0x5555555555555555ull);
  x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
  x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Full;
  return static_cast<int>((x * 0x0101010101010101ull) >> 56);
#endif
}

// Bit i of x moved to bit i + n, the top n bits of `before` (the window in
// front) coming in at the bottom.
constexpr std::uint64_t ShiftIn(std::uint64_t x, std::uint64_t before, int n) {
  return (x << n) | (before >> (64 - n));
}

// The word starts of a window: word bytes behind a separator.
// `separatorsBehind`: the separators shifted by one (ShiftIn).
constexpr std::uint64_t WordStarts(std::uint64_t separators, std::uint64_t separatorsBehind) {
  return ~separators & separatorsBehind;
}

// The bytes of a window that end the sentence of the word in front of them
// by the enhanced rule (a subset of the separators): a blank behind a
// sentence separator that follows a word character, or behind a sentence
// separator and a closing mark; a line break while crlf is on. Each mask
// comes shifted as its name says (1: the byte before, 2: the one before
// that). When the byte before the blank starts a word, the window of the
// rule holds the zero character in front of it: `zeroIsSentence` tells
// whether that one is a sentence separator.
constexpr std::uint64_t EnhancedTriggers(std::uint64_t blanks, std::uint64_t lineBreaks,
                                         std::uint64_t sentence1, std::uint64_t sentence2,
                                         std::uint64_t notWord2, std::uint64_t closing1,
                                         std::uint64_t wordStart1, bool zeroIsSentence) {
  const std::uint64_t afterWord = sentence1 & ~wordStart1 & ~notWord2;
  const std::uint64_t afterMark =
      closing1 & ((~wordStart1 & sentence2) | (zeroIsSentence ? wordStart1 : 0));
  return (blanks & (afterWord | afterMark)) | lineBreaks;
}

// The word starts behind a gap that held a trigger: bit i set when byte i
// starts a word and the run of separators before it held a byte of
// `triggers` (a subset of the separators). `carry` holds the run that goes
// on from the window before (1: it held a trigger) and is left for the next.
inline std::uint64_t EndsBehindGaps(std::uint64_t separators, std::uint64_t triggers,
                                    std::uint64_t& carry) {
  // A trigger added to its run of separators carries out of the run's top
  // onto the byte behind it; a second trigger of the run only fills a place
  // the first one's carry has emptied.
  unsigned long long sum;
  const bool out = __builtin_uaddll_overflow(separators, triggers, &sum);
  unsigned long long total;
  const bool out2 = __builtin_uaddll_overflow(sum, carry, &total);
  carry = (out || out2) ? 1 : 0;
  return total & ~separators;
}

// The sentence ends of the gap behind one word, taken one byte at a time.
// The window of the last three characters spans the end of the word and the
// gap; it starts empty at each word (the word's first characters shift the
// zeros out). The end of the file ends the sentence by both rules.
class GapSentenceEnds {
 public:
  // The window holding the last characters of a word (zero where the word
  // was shorter), flags cleared.
  constexpr GapSentenceEnds(unsigned c0, unsigned c1, unsigned c2) : c0_(c0), c1_(c1), c2_(c2) {}
  constexpr GapSentenceEnds() = default;

  // A character of the word: only the window moves.
  constexpr void WordByte(unsigned ch) { shift(ch); }
  // A byte of the gap, with its class bits.
  constexpr void GapByte(unsigned ch, std::uint8_t bits, const ByteClassTable& classes, bool crlf) {
    if (bits & kSentenceByte) simple_ = true;
    shift(ch);
    if (BreaksLine(bits, crlf)) simple_ = enhanced_ = true;
    if (ch == ' ' &&
        EnhancedEndAtBlank(c0_, classes[c0_], classes[c1_], WordCharacter::NoControlNoPlain))
      enhanced_ = true;
  }
  // A blank of the gap: GapByte(' ', classes[' '], classes, crlf) without
  // the line-break test, for the scanner's path of one blank between words.
  constexpr void GapBlank(const ByteClassTable& classes) {
    if (classes[' '] & kSentenceByte) simple_ = true;
    shift(' ');
    if (EnhancedEndAtBlank(c0_, classes[c0_], classes[c1_], WordCharacter::NoControlNoPlain))
      enhanced_ = true;
  }
  constexpr void EndOfFile() { simple_ = enhanced_ = true; }

  constexpr bool Simple() const { return simple_; }
  constexpr bool Enhanced() const { return enhanced_; }
  constexpr bool Ends(bool enhancedRule) const { return enhancedRule ? enhanced_ : simple_; }

 private:
  constexpr void shift(unsigned ch) {
    c0_ = c1_;
    c1_ = c2_;
    c2_ = ch;
  }

  unsigned c0_ = 0, c1_ = 0, c2_ = 0;
  bool simple_ = false;
  bool enhanced_ = false;
};

}  // namespace lexvane::text
