// The scanning half of concordance building, shared by its two modes: the
// reference scan (one word at a time through the TextScanner) and the fast
// scan (whole blocks, files in parallel). Both leave the table, its counters
// and the indicator calls exactly alike. For concordance_builder.cpp and the
// tests only.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "concordance/concordance_builder.h"
#include "text/character_sets.h"
#include "text/sentence_retrieval.h"

namespace lexvane::concordance {

// Tells whether a lowered word is a hit of a simple query or matches a
// column of an advanced one. The first-character test rejects quickly the
// words that no mask can match.
class QueryMatcher {
 public:
  // Words and masks are text of `encoding`.
  explicit QueryMatcher(const search::SearchQuery& query,
                        text::Encoding encoding = text::Encoding::Windows1252);
  // Whether a word starting with (raw, not lowered) byte `first` may match.
  bool MayMatch(unsigned char first) const { return mayMatch_[first]; }
  // Whether a word of two bytes or more whose second byte (raw) is `second`
  // may match, whatever its first. In UTF-8 text every byte from 0x80 on
  // may (it may belong to the first character).
  bool MayHaveSecond(unsigned char second) const { return mayHaveSecond_[second]; }
  // The lower case of a raw byte as words are lowered before matching: the
  // 8-bit one, or in UTF-8 text that of an ASCII letter (a byte from 0x80
  // on is left as it is, for its character's lower case).
  char LowerByte(unsigned char b) const { return lowerByte_[b]; }
  // UTF-8 text: whether a word whose first character (raw, not lowered) is
  // `first`, below U+0800, may match. Sharper than MayMatch on its lead
  // byte, which Greek or Cyrillic letters mostly share.
  bool MayMatchChar(char32_t first) const { return mayMatchChar_[first]; }
  bool MatchesSimple(std::string_view lowered) const;
  // The columns (bit c for column c + 1) with a mask matching the word.
  unsigned MatchingColumns(std::string_view lowered) const;

 private:
  bool matches(std::string_view lowered, int column, std::size_t mask) const;
  void findSeconds(const search::SearchQuery& query);

  const search::SearchQuery& query_;
  text::Encoding encoding_;
  // Per column, whether each mask has no wildcard: only the equal word
  // matches it.
  std::array<std::vector<bool>, 5> literal_;
  bool mayMatch_[256];
  bool mayHaveSecond_[256];
  char lowerByte_[256];
  std::array<bool, 0x800> mayMatchChar_{};
};

// Records the hits of the corpus into table.Keywords (placeholders with
// their TOneWordInfo) and counts words and sentences, file by file, cutting
// the text with `sets`.
void ScanCorpus(const search::SearchQuery& query, const corpus::CorpusSettings& settings,
                const text::CharacterSets& sets, ConcordanceTable& table, text::OperationHost& host,
                const BuildOptions& options);

// Reads the 1024-byte windows of hits, keeping the file of the previous hit
// open while the next hit is in the same file.
class HitWindowReader {
 public:
  explicit HitWindowReader(const text::CharacterSets& sets) : sets_(sets) {}
  ~HitWindowReader();
  HitWindowReader(const HitWindowReader&) = delete;
  HitWindowReader& operator=(const HitWindowReader&) = delete;
  // As RetrieveSentence: an offset at or beyond the end leaves `sentence`;
  // throws text::Error when the file cannot be opened or read.
  void Retrieve(const std::string& path, std::int64_t offset, bool crlf, bool enhanced,
                text::Sentence& sentence);

 private:
  const text::CharacterSets& sets_;
  std::optional<text::SentenceCutter> cutter_;  // for the crlf setting of the last hit
  std::string path_;
  int fd_ = -1;
};

}  // namespace lexvane::concordance
