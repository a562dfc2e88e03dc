#include "text/character_sets.h"

#include <algorithm>

namespace lexvane::text {

const std::string kDefaultWordSeparators = " _,;:/-+=^\"<>()[]{}*@&%$#\\|~`'0123456789.?!";
const std::string kDefaultUtf8WordSeparators =
    kDefaultWordSeparators +
    "\u201C\u201D\u2018\u2019\u00AB\u00BB\u2014\u2013\u2026\u00A1\u00BF\u00A0";

const std::string& DefaultWordSeparators(Encoding encoding) {
  return IsUtf8(encoding) ? kDefaultUtf8WordSeparators : kDefaultWordSeparators;
}

namespace {

// The bytes of the first character of s that is `c` (one character of the
// encoding), erased.
void eraseFirst(std::string& s, std::string_view c, Encoding encoding) {
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t length = IsUtf8(encoding) ? nextUtf8Char(s, i).length : 1;
    if (std::string_view(s).substr(i, length) == c) {
      s.erase(i, length);
      return;
    }
    i += length;
  }
}

// Calls f with the bytes of each character of s.
template <typename F>
void forEachCharacter(std::string_view s, Encoding encoding, F f) {
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t length = IsUtf8(encoding) ? nextUtf8Char(s, i).length : 1;
    f(s.substr(i, length));
    i += length;
  }
}

void fillTables(CharacterSets& sets) {
  const Encoding e = sets.encoding;
  FillMembers(sets.wordSeparatorSet, e, sets.inWordSet, sets.wideWordSet);
  FillMembers(sets.sentenceSeparatorSet, e, sets.inSentenceSet, sets.wideSentenceSet);
  FillMembers(sets.plainSeparators, e, sets.inPlain, sets.widePlain);
  FillMembers(sets.closingMarks, e, sets.inClosing, sets.wideClosing);
  for (int c = 0; c < 256; ++c) sets.isSeparator[c] = c < 32 || sets.inWordSet[c];
}

}  // namespace

void FillMembers(std::string_view members, Encoding encoding, std::array<bool, 256>& table,
                 std::vector<char32_t>& wide) {
  table.fill(false);
  wide.clear();
  if (!IsUtf8(encoding)) {
    for (const char c : members) table[static_cast<unsigned char>(c)] = true;
    return;
  }
  // Invalid bytes in a separator text match no character of the text.
  for (std::size_t i = 0; i < members.size();) {
    const Utf8Char c = nextUtf8Char(members, i);
    if (c.codePoint < 0x80)
      table[c.codePoint] = true;
    else if (c.valid)
      wide.push_back(c.codePoint);
    i += c.length;
  }
  std::sort(wide.begin(), wide.end());
  wide.erase(std::unique(wide.begin(), wide.end()), wide.end());
}

CharacterSets CharacterSets::Derive(std::string_view wordSeparators,
                                    std::string_view sentenceSeparators, Encoding encoding) {
  CharacterSets sets;
  sets.encoding = encoding;
  sets.oemToAnsi = encoding == Encoding::Dos850;
  sets.sentenceSeparatorSet = keepFirst(sentenceSeparators, kMaxTextLength, encoding);
  sets.wordSeparatorSet = keepFirst(wordSeparators, kMaxTextLength, encoding);
  // The blank always separates words, also when the user left it out; the
  // set stays within 255 characters.
  if (sets.wordSeparatorSet.find(' ') == std::string::npos)
    sets.wordSeparatorSet = keepFirst(" " + sets.wordSeparatorSet, kMaxTextLength, encoding);
  // One deletion per character: a separator typed twice keeps one copy.
  sets.plainSeparators = sets.wordSeparatorSet;
  forEachCharacter(sets.sentenceSeparatorSet, encoding,
                   [&](std::string_view c) { eraseFirst(sets.plainSeparators, c, encoding); });
  eraseFirst(sets.plainSeparators, "\"", encoding);
  eraseFirst(sets.plainSeparators, "'", encoding);
  sets.closingMarks = keepFirst(sets.sentenceSeparatorSet + "\"'", kMaxTextLength, encoding);
  fillTables(sets);
  return sets;
}

bool CharacterSets::member(char32_t c, const std::array<bool, 256>& table,
                           const std::vector<char32_t>& wide) const {
  if (c < 0x80 || !IsUtf8(encoding)) return c < 256 && table[c];
  return std::binary_search(wide.begin(), wide.end(), c);
}

CharacterSets CharacterSets::Initial() {
  CharacterSets sets;
  sets.wordSeparatorSet = kDefaultWordSeparators;
  sets.sentenceSeparatorSet = std::string(kDefaultSentenceSeparators);
  fillTables(sets);
  return sets;
}

}  // namespace lexvane::text
