#include "text/tags.h"

#include "text/encoding.h"

namespace lexvane::text {

std::string ExtractTag(std::string_view word) {
  const std::size_t close = word.find('>');
  if (word.size() < 3 || close == std::string_view::npos || close == word.size() - 1) return {};
  if (word.find('<') == std::string_view::npos || close == 0) return {};
  return std::string(word.substr(1, close - 1));
}

std::string StripTag(std::string_view word) {
  const std::size_t close = word.find('>');
  if (close != std::string_view::npos && close == word.size() - 1 && word.size() > 1)
    return std::string(word.substr(0, word.size() - 1));
  if (word.size() > 3 && close != std::string_view::npos && close < word.size() - 1 &&
      word.find('<') != std::string_view::npos)
    return std::string(word.substr(close + 1));
  return std::string(word);
}

std::string StripTags(std::string_view text) {
  if (text.find(' ') == std::string_view::npos) return StripTag(text);
  std::string result;
  std::size_t blank;
  while ((blank = text.find(' ')) != std::string_view::npos) {
    result += StripTag(text.substr(0, blank));
    result += ' ';
    text.remove_prefix(blank + 1);
    if (result.size() > kMaxTextLength) result.resize(kMaxTextLength);
  }
  result += StripTag(text);
  if (result.size() > kMaxTextLength) result.resize(kMaxTextLength);
  return result;
}

}  // namespace lexvane::text
