// CharacterSets: the scanner configuration, a value. The character sets that
// cut text into words and sentences, derived from the corpus options, and
// the OEM flag of the scan. Every scan, retrieval, sort and copy receives
// the sets it works with; LatestScanSets (latest_scan_sets.h) keeps those of
// the most recent build for the sort and the copy.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "text/encoding.h"

namespace lexvane::text {

// The 43 default word separators: blank, underscore, punctuation, brackets,
// the ten digits, full stop, question and exclamation marks.
extern const std::string kDefaultWordSeparators;
// The defaults of a new UTF-8 corpus (in UTF-8): the 43, then the typographic
// quotes, guillemets, dashes, ellipsis, inverted marks and the no-break space.
extern const std::string kDefaultUtf8WordSeparators;
// kDefaultUtf8WordSeparators for UTF-8, else kDefaultWordSeparators.
const std::string& DefaultWordSeparators(Encoding encoding);
inline constexpr std::string_view kDefaultSentenceSeparators = ".?!";

// The members of a set text of `encoding`: its bytes (8-bit text) or its
// ASCII characters (UTF-8) marked in `table`, its other UTF-8 characters
// sorted in `wide`. Invalid UTF-8 bytes in the text are no members.
void FillMembers(std::string_view members, Encoding encoding, std::array<bool, 256>& table,
                 std::vector<char32_t>& wide);

struct CharacterSets {
  std::string wordSeparatorSet;  // always holds the blank
  std::string sentenceSeparatorSet;
  std::string plainSeparators;  // word separators less sentence punctuation and quotes
  std::string closingMarks;     // sentence separators, double quote, apostrophe
  Encoding encoding = Encoding::Windows1252;
  bool oemToAnsi = false;  // encoding == Encoding::Dos850

  // Membership tables indexed by the unsigned byte.
  std::array<bool, 256> isSeparator{};    // below 32 or in wordSeparatorSet
  std::array<bool, 256> inWordSet{};      // in wordSeparatorSet
  std::array<bool, 256> inSentenceSet{};  // in sentenceSeparatorSet
  std::array<bool, 256> inPlain{};        // in plainSeparators
  std::array<bool, 256> inClosing{};      // in closingMarks
  // UTF-8 only: the non-ASCII characters of each set, sorted. The byte
  // tables above then hold the ASCII members alone (no byte from 0x80 on is
  // a member); a character from U+0080 on is looked up here.
  std::vector<char32_t> wideWordSet, wideSentenceSet, widePlain, wideClosing;

  // Builds the sets as Configure does: both texts cut to 255, a blank put in
  // front of word separators that lack one, PlainSeparators and ClosingMarks
  // derived.
  // The texts are in the given encoding; the 255 limit counts its characters.
  static CharacterSets Derive(std::string_view wordSeparators, std::string_view sentenceSeparators,
                              Encoding encoding);
  static CharacterSets Derive(std::string_view wordSeparators, std::string_view sentenceSeparators,
                              bool oemToAnsi) {
    return Derive(wordSeparators, sentenceSeparators,
                  oemToAnsi ? Encoding::Dos850 : Encoding::Windows1252);
  }
  // The start-up sets: default separators, ".?!", no derived sets, OEM off.
  static CharacterSets Initial();

  bool separator(char c) const { return isSeparator[static_cast<unsigned char>(c)]; }
  bool wordSet(char c) const { return inWordSet[static_cast<unsigned char>(c)]; }
  bool sentence(char c) const { return inSentenceSet[static_cast<unsigned char>(c)]; }
  bool plain(char c) const { return inPlain[static_cast<unsigned char>(c)]; }
  bool closing(char c) const { return inClosing[static_cast<unsigned char>(c)]; }

  // Membership of a character (UTF-8 code point, or an 8-bit byte's value).
  // An invalid UTF-8 byte is a word character: pass it as the byte's value
  // only in 8-bit text, never in UTF-8.
  bool separatorChar(char32_t c) const { return c < 32 || member(c, inWordSet, wideWordSet); }
  bool wordSetChar(char32_t c) const { return member(c, inWordSet, wideWordSet); }
  bool sentenceChar(char32_t c) const { return member(c, inSentenceSet, wideSentenceSet); }
  bool plainChar(char32_t c) const { return member(c, inPlain, widePlain); }
  bool closingChar(char32_t c) const { return member(c, inClosing, wideClosing); }

 private:
  bool member(char32_t c, const std::array<bool, 256>& table,
              const std::vector<char32_t>& wide) const;
};

}  // namespace lexvane::text
