#include "text/tags.h"

#include "text/encoding.h"

namespace lexvane::text {

std::string ExtractTag(std::string_view word) {
  const std::size_t close = word.find('>');
  if (word.size() < 3 || close == std::string_view::npos || close == word.size() - 1) return {};
  if (word.find('<') == std::string_view::npos || close == 0) return {};
  return std::string(word.substr(1, close - 1));
}

std::string StripTag(std::string_view word, Encoding encoding) {
  const std::size_t close = word.find('>');
  if (close != std::string_view::npos && close == word.size() - 1 && word.size() > 1)
    return std::string(word.substr(0, word.size() - 1));
  // More than three characters, not bytes: "<>é" keeps its brackets in
  // UTF-8 as in 8-bit text.
  if (word.size() > 3 && close != std::string_view::npos && close < word.size() - 1 &&
      word.find('<') != std::string_view::npos && characterCount(word, encoding) > 3)
    return std::string(word.substr(close + 1));
  return std::string(word);
}

std::string StripTags(std::string_view text, Encoding encoding) {
  if (text.find(' ') == std::string_view::npos) return StripTag(text, encoding);
  // The first 255 characters are kept, never part of one: a UTF-8 context
  // of 255 characters may take four times as many bytes.
  const auto cut = [encoding](std::string& s) {
    if (s.size() > kMaxTextLength) s.resize(prefixBytes(s, kMaxTextLength, encoding));
  };
  std::string result;
  std::size_t blank;
  while ((blank = text.find(' ')) != std::string_view::npos) {
    result += StripTag(text.substr(0, blank), encoding);
    result += ' ';
    text.remove_prefix(blank + 1);
    cut(result);
  }
  result += StripTag(text, encoding);
  cut(result);
  return result;
}

}  // namespace lexvane::text
