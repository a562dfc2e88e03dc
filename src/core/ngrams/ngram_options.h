// What an n-gram or cluster list counts and how it is ordered: the range of
// lengths, the sentence rule, the filters and the sort. A value the dialogs,
// the command line and the builds share.
#pragma once

#include <cstdint>
#include <string_view>

namespace lexvane::ngrams {

// The lengths a list may count, in words.
inline constexpr int kShortestLength = 2;
inline constexpr int kLongestLength = 5;

enum class NGramSort : std::uint8_t {
  ByFrequency = 0,   // descending frequency, equal ones alphabetically
  Alphabetical = 1,  // the locale's comparison of the n-gram texts
  ByRange = 2,       // descending range, then descending frequency, then alphabetically
};

// "Sorting by frequency", "Sorting alphabetically", "Sorting by range".
std::string_view SortCaption(NGramSort sort);

struct NGramOptions {
  int minLength = 2;
  int maxLength = 2;
  // Count sequences that run across a sentence end (never across files).
  bool crossSentences = false;
  // Keep the n-grams of at least this frequency and of at least this range
  // (the number of corpus files they occur in).
  std::int64_t minFrequency = 1;
  std::int64_t minRange = 1;
  NGramSort sort = NGramSort::ByFrequency;

  // The lengths lie in 2..5 with minLength <= maxLength, the filters >= 1.
  bool Valid() const;
  // The lowest frequency a kept n-gram can have: the range counts files
  // with at least one occurrence each, so it bounds the frequency too.
  std::int64_t FrequencyFloor() const { return minFrequency > minRange ? minFrequency : minRange; }
  bool Keeps(std::int64_t frequency, std::int64_t range) const {
    return frequency >= minFrequency && range >= minRange;
  }
};

// Reads a length or range of lengths as typed: "3" or "2-4" (blanks
// around the numbers allowed). False, leaving both unchanged, for anything
// else or lengths outside 2..5 or in the wrong order.
bool ParseLengthRange(std::string_view text, int& minLength, int& maxLength);

}  // namespace lexvane::ngrams
