#include "text/utf8_classes.h"

#include <algorithm>
#include <string_view>

#include "text/encoding.h"

namespace lexvane::text {

namespace {

bool in(const std::vector<char32_t>& set, char32_t ch) {
  return std::binary_search(set.begin(), set.end(), ch);
}

}  // namespace

Utf8Classes::Utf8Classes(const CharacterSets& sets)
    : word_(sets.wideWordSet),
      sentence_(sets.wideSentenceSet),
      plain_(sets.widePlain),
      closing_(sets.wideClosing) {
  anyWide_ = !word_.empty() || !sentence_.empty() || !plain_.empty() || !closing_.empty();
  for (char32_t ch = 0x80; ch < kTabled; ++ch) table_[ch - 0x80] = lookUp(ch);
  lower_.resize(kTabled);
  for (char32_t ch = 0; ch < kTabled; ++ch) lower_[ch] = LowerCodePoint(ch);
}

std::uint8_t Utf8Classes::lookUp(char32_t ch) const {
  std::uint8_t bits = 0;
  if (in(word_, ch)) bits |= kSeparatorByte;
  if (in(sentence_, ch)) bits |= kSentenceByte;
  if (in(plain_, ch)) bits |= kPlainByte;
  if (in(closing_, ch)) bits |= kClosingByte;
  return bits;
}

ClassedChar Utf8Classes::wideAt(const unsigned char* data, std::size_t size, std::size_t i) const {
  const Utf8Char c = nextUtf8Char(std::string_view(reinterpret_cast<const char*>(data), size), i);
  if (!c.valid) return {kReplacementCharacter, 0, 1};
  return {c.codePoint, WideBits(c.codePoint), c.length};
}

}  // namespace lexvane::text
