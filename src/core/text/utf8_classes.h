// The characters of UTF-8 corpus text with their class bits (scan_rules.h),
// for the scanners' per-character paths. ASCII bytes are classified by the
// byte table; a byte from 0x80 on starts a character that is decoded, and a
// byte that starts no valid sequence is one word character by itself. The
// classes of the characters below U+0800 (Latin, Greek, Cyrillic, Hebrew,
// Arabic) come from a table made once; the others from the sorted sets.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "text/character_sets.h"
#include "text/scan_rules.h"
#include "text/utf8.h"

namespace lexvane::text {

struct ClassedChar {
  char32_t ch;  // the code point; kReplacementCharacter for an invalid byte
  std::uint8_t bits;
  std::uint8_t length;  // in bytes
};

class Utf8Classes {
 public:
  explicit Utf8Classes(const CharacterSets& sets);
  Utf8Classes() = default;

  // The class bits of a valid character from U+0080 on.
  std::uint8_t WideBits(char32_t ch) const { return ch < kTabled ? table_[ch - 0x80] : lookUp(ch); }
  // The character at data[i] (i < size), `bytes` being the byte table of the
  // same sets.
  ClassedChar At(const unsigned char* data, std::size_t size, std::size_t i,
                 const ByteClassTable& bytes) const {
    const unsigned char lead = data[i];
    if (lead < 0x80) return {lead, bytes[lead], 1};
    // Two bytes (Latin, Greek, Cyrillic) decoded here.
    if (i + 1 < size && isTwoByteChar(lead, data[i + 1])) {
      const char32_t ch = twoByteCodePoint(lead, data[i + 1]);
      return {ch, table_[ch - 0x80], 2};
    }
    return wideAt(data, size, i);
  }
  // LowerCodePoint, from a table below U+0800.
  char32_t Lower(char32_t ch) const { return ch < kTabled ? lower_[ch] : LowerCodePoint(ch); }
  // Whether any character from U+0080 on belongs to a set at all: when none
  // does, every byte from 0x80 on is part of a word and the byte table alone
  // decides.
  bool AnyWide() const { return anyWide_; }

 private:
  static constexpr char32_t kTabled = 0x800;
  ClassedChar wideAt(const unsigned char* data, std::size_t size, std::size_t i) const;
  std::uint8_t lookUp(char32_t ch) const;

  std::vector<char32_t> word_, sentence_, plain_, closing_;
  std::array<std::uint8_t, kTabled - 0x80> table_{};
  std::vector<char32_t> lower_;
  bool anyWide_ = false;
};

// The sentence ends of the gap behind one word of UTF-8 text, as
// GapSentenceEnds on characters: the window holds the last three characters
// with their class bits. It starts as three zero characters.
class CharSentenceEnds {
 public:
  explicit CharSentenceEnds(const ByteClassTable& bytes)
      : b0_(bytes[0]), b1_(bytes[0]), b2_(bytes[0]) {}
  CharSentenceEnds() = default;

  void WordChar(char32_t ch, std::uint8_t bits) { shift(ch, bits); }
  void GapChar(char32_t ch, std::uint8_t bits, bool crlf) {
    if (bits & kSentenceByte) simple_ = true;
    shift(ch, bits);
    if (BreaksLine(bits, crlf)) simple_ = enhanced_ = true;
    if (ch == ' ' && EnhancedEndAtBlank(c0_, b0_, b1_, WordCharacter::NoControlNoPlain))
      enhanced_ = true;
  }
  void EndOfFile() { simple_ = enhanced_ = true; }

  bool Simple() const { return simple_; }
  bool Enhanced() const { return enhanced_; }
  bool Ends(bool enhancedRule) const { return enhancedRule ? enhanced_ : simple_; }

 private:
  void shift(char32_t ch, std::uint8_t bits) {
    c0_ = c1_;
    b0_ = b1_;
    c1_ = c2_;
    b1_ = b2_;
    c2_ = ch;
    b2_ = bits;
  }

  char32_t c0_ = 0, c1_ = 0, c2_ = 0;
  std::uint8_t b0_ = 0, b1_ = 0, b2_ = 0;
  bool simple_ = false;
  bool enhanced_ = false;
};

}  // namespace lexvane::text
