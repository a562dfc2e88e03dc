#include "text/string_words.h"

#include <algorithm>

namespace lexvane::text {

StringWords::StringWords(const CharacterSets& sets)
    : encoding_(sets.encoding), bytes_(sets.inWordSet), wide_(sets.wideWordSet) {}

StringWords::StringWords(std::string_view separators, Encoding encoding) : encoding_(encoding) {
  FillMembers(separators, encoding, bytes_, wide_);
}

std::size_t StringWords::wideAt(std::string_view s, std::size_t i, bool& separator) const {
  const Utf8Char c = nextUtf8Char(s, i);
  separator = c.valid && std::binary_search(wide_.begin(), wide_.end(), c.codePoint);
  return c.length;
}

std::size_t StringWords::RunEnd(std::string_view s, std::size_t i, bool separators) const {
  while (i < s.size()) {
    bool separator;
    const std::size_t length = At(s, i, separator);
    if (separator != separators) break;
    i += length;
  }
  return i;
}

std::size_t StringWords::RunStart(std::string_view s, std::size_t end, bool separators) const {
  while (end > 0) {
    const std::size_t start = Before(s, end);
    bool separator;
    At(s, start, separator);
    if (separator != separators) break;
    end = start;
  }
  return end;
}

std::size_t StringWords::SkipWords(std::string_view s, int n) const {
  std::size_t i = RunEnd(s, 0, true);
  for (int k = 0; k < n; ++k) i = RunEnd(s, RunEnd(s, i, false), true);
  return i;
}

std::size_t StringWords::SkipWordsFromEnd(std::string_view s, int n) const {
  std::size_t end = RunStart(s, s.size(), true);
  for (int k = 0; k < n; ++k) end = RunStart(s, RunStart(s, end, false), true);
  return end;
}

WordSpan StringWords::NthWord(std::string_view s, int n) const {
  if (n < 1) return {};
  const std::size_t first = SkipWords(s, n - 1);
  const std::size_t end = RunEnd(s, first, false);
  if (end == first) return {};
  return {first, end - first};
}

WordSpan StringWords::NthWordFromEnd(std::string_view s, int n) const {
  if (n < 1) return {};
  const std::size_t end = SkipWordsFromEnd(s, n - 1);
  const std::size_t first = RunStart(s, end, false);
  if (end == first) return {};
  return {first, end - first};
}

std::string StringWords::WithoutSeparators(std::string_view s) const {
  std::string out;
  for (std::size_t i = 0; i < s.size();) {
    bool separator;
    const std::size_t length = At(s, i, separator);
    if (!separator) out.append(s.substr(i, length));
    i += length;
  }
  return out;
}

}  // namespace lexvane::text
