// CharacterSets: the scanner configuration, a value. The character sets that
// cut text into words and sentences, derived from the corpus options, and
// the OEM flag of the scan. Every scan, retrieval, sort and copy receives
// the sets it works with; LatestScanSets (latest_scan_sets.h) keeps those of
// the most recent build for the sort and the copy.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace lexvane::text {

// The 43 default word separators: blank, underscore, punctuation, brackets,
// the ten digits, full stop, question and exclamation marks.
extern const std::string kDefaultWordSeparators;
inline constexpr std::string_view kDefaultSentenceSeparators = ".?!";

struct CharacterSets {
  std::string wordSeparatorSet;  // always holds the blank
  std::string sentenceSeparatorSet;
  std::string plainSeparators;  // word separators less sentence punctuation and quotes
  std::string closingMarks;     // sentence separators, double quote, apostrophe
  bool oemToAnsi = false;

  // Membership tables indexed by the unsigned byte.
  std::array<bool, 256> isSeparator{};    // below 32 or in wordSeparatorSet
  std::array<bool, 256> inWordSet{};      // in wordSeparatorSet
  std::array<bool, 256> inSentenceSet{};  // in sentenceSeparatorSet
  std::array<bool, 256> inPlain{};        // in plainSeparators
  std::array<bool, 256> inClosing{};      // in closingMarks

  // Builds the sets as Configure does: both texts cut to 255, a blank put in
  // front of word separators that lack one, PlainSeparators and ClosingMarks
  // derived.
  static CharacterSets Derive(std::string_view wordSeparators, std::string_view sentenceSeparators,
                              bool oemToAnsi);
  // The start-up sets: default separators, ".?!", no derived sets, OEM off.
  static CharacterSets Initial();

  bool separator(char c) const { return isSeparator[static_cast<unsigned char>(c)]; }
  bool wordSet(char c) const { return inWordSet[static_cast<unsigned char>(c)]; }
  bool sentence(char c) const { return inSentenceSet[static_cast<unsigned char>(c)]; }
  bool plain(char c) const { return inPlain[static_cast<unsigned char>(c)]; }
  bool closing(char c) const { return inClosing[static_cast<unsigned char>(c)]; }
};

}  // namespace lexvane::text
