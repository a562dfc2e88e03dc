// The words of a short string (a context, a sort key, a piece of a copy) as
// the concordance sort, the copy's word delimiters, the collocate table and
// the desktop program's sort tint cut it: runs of characters that are not
// word separators, between runs that are. A word separator is a character of
// one separator text; a control character separates only when it is listed.
// In UTF-8 text an invalid byte is a word character. Positions are byte
// indices that always stand on character boundaries.
//
// The one definition of "the n-th word of a string"; the file scanners cut
// corpus text by the rules of scan_rules.h instead.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "text/character_sets.h"
#include "text/encoding.h"

namespace lexvane::text {

// A word's bytes: [first, first + length). Length 0: no such word.
struct WordSpan {
  std::size_t first = 0;
  std::size_t length = 0;
  bool operator==(const WordSpan&) const = default;
};

class StringWords {
 public:
  // The word separator set of scan sets (WordSeparatorSet, which always
  // holds the blank), in their encoding.
  explicit StringWords(const CharacterSets& sets);
  // The characters of a separator text of `encoding`, exactly as given.
  StringWords(std::string_view separators, Encoding encoding);

 public:  // one character
  Encoding TextEncoding() const { return encoding_; }
  // The length of the character at s[i] (i < s.size()), and whether it
  // separates words.
  std::size_t At(std::string_view s, std::size_t i, bool& separator) const {
    const auto byte = static_cast<unsigned char>(s[i]);
    if (byte < 0x80 || !IsUtf8(encoding_)) {
      separator = bytes_[byte];
      return 1;
    }
    return wideAt(s, i, separator);
  }
  // The start of the character that ends at s[end - 1] (end > 0).
  std::size_t Before(std::string_view s, std::size_t end) const {
    if (!IsUtf8(encoding_) || static_cast<unsigned char>(s[end - 1]) < 0x80) return end - 1;
    return previousUtf8Char(s, end);
  }

 public:  // runs and words
  // The end of the run of separators (`separators` true) or of word
  // characters that begins at i.
  std::size_t RunEnd(std::string_view s, std::size_t i, bool separators) const;
  // The start of the run of separators or word characters that ends at
  // `end`.
  std::size_t RunStart(std::string_view s, std::size_t end, bool separators) const;
  // Where s goes on after its leading separators and then n words, each
  // with the separators behind it (s.size() when they take all of it).
  std::size_t SkipWords(std::string_view s, int n) const;
  // The same from the end: where the part of s ends that is left before its
  // trailing separators and n words, each with the separators before it.
  std::size_t SkipWordsFromEnd(std::string_view s, int n) const;
  // The n-th word (n >= 1) counted from the start of s, or from its end.
  WordSpan NthWord(std::string_view s, int n) const;
  WordSpan NthWordFromEnd(std::string_view s, int n) const;
  // s without its separator characters.
  std::string WithoutSeparators(std::string_view s) const;

 private:
  std::size_t wideAt(std::string_view s, std::size_t i, bool& separator) const;

  Encoding encoding_;
  std::array<bool, 256> bytes_{};
  std::vector<char32_t> wide_;  // sorted
};

}  // namespace lexvane::text
