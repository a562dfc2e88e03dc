#include "ngrams/ngram_options.h"

#include <charconv>

namespace lexvane::ngrams {

namespace {

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

bool lengthOf(std::string_view s, int& value) {
  s = trimmed(s);
  if (s.empty()) return false;
  auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
  return error == std::errc() && end == s.data() + s.size() && value >= kShortestLength &&
         value <= kLongestLength;
}

}  // namespace

std::string_view SortCaption(NGramSort sort) {
  switch (sort) {
    case NGramSort::Alphabetical:
      return "Sorting alphabetically";
    case NGramSort::ByRange:
      return "Sorting by range";
    case NGramSort::ByFrequency:
      break;
  }
  return "Sorting by frequency";
}

bool NGramOptions::Valid() const {
  return minLength >= kShortestLength && maxLength <= kLongestLength && minLength <= maxLength &&
         minFrequency >= 1 && minRange >= 1;
}

bool ParseLengthRange(std::string_view text, int& minLength, int& maxLength) {
  int low = 0, high = 0;
  const std::size_t dash = text.find('-');
  if (dash == std::string_view::npos) {
    if (!lengthOf(text, low)) return false;
    high = low;
  } else if (!lengthOf(text.substr(0, dash), low) || !lengthOf(text.substr(dash + 1), high) ||
             low > high) {
    return false;
  }
  minLength = low;
  maxLength = high;
  return true;
}

}  // namespace lexvane::ngrams
