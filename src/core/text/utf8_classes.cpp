#include "text/utf8_classes.h"

#include <unicode/uchar.h>

#include <algorithm>
#include <string_view>

#include "text/encoding.h"

namespace lexvane::text {

namespace {

bool in(const std::vector<char32_t>& set, char32_t ch) {
  return std::binary_search(set.begin(), set.end(), ch);
}

bool continuation(unsigned char b) {
  return (b & 0xC0) == 0x80;
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

std::size_t IncompleteTail(const unsigned char* data, std::size_t size) {
  for (std::size_t k = 1; k <= 3 && k <= size; ++k) {
    const unsigned char b = data[size - k];
    if (continuation(b)) continue;
    // The lead byte of the last character begun: incomplete when it needs
    // more bytes than stand behind it.
    return utf8SequenceLength(b) > k ? k : 0;
  }
  return 0;
}

std::size_t RangeStart(const unsigned char* data, std::size_t size, std::size_t back,
                       std::size_t& previous) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  // A character running across: its lead byte is the last one before.
  for (std::size_t k = 1; k <= back && k <= 3; ++k) {
    if (continuation(data[back - k])) continue;
    const Utf8Char c = nextUtf8Char(text, back - k);
    if (c.valid && c.length > k) {
      previous = back - k;
      return back - k + c.length;
    }
    break;
  }
  // The character ending right before: a whole sequence, else one byte.
  previous = back - 1;
  for (std::size_t k = 1; k <= back && k <= 4; ++k) {
    if (continuation(data[back - k])) continue;
    const Utf8Char c = nextUtf8Char(text, back - k);
    if (c.valid && c.length == k) previous = back - k;
    break;
  }
  return back;
}

char32_t LowerCodePoint(char32_t ch) {
  return static_cast<char32_t>(u_tolower(static_cast<UChar32>(ch)));
}

std::size_t EncodeCodePoint(char32_t ch, char* out) {
  const auto put = [&](std::size_t k, char32_t bits) { out[k] = static_cast<char>(bits); };
  if (ch < 0x80) {
    put(0, ch);
    return 1;
  }
  if (ch < 0x800) {
    put(0, 0xC0 | (ch >> 6));
    put(1, 0x80 | (ch & 0x3F));
    return 2;
  }
  if (ch < 0x10000) {
    put(0, 0xE0 | (ch >> 12));
    put(1, 0x80 | ((ch >> 6) & 0x3F));
    put(2, 0x80 | (ch & 0x3F));
    return 3;
  }
  put(0, 0xF0 | (ch >> 18));
  put(1, 0x80 | ((ch >> 12) & 0x3F));
  put(2, 0x80 | ((ch >> 6) & 0x3F));
  put(3, 0x80 | (ch & 0x3F));
  return 4;
}

}  // namespace lexvane::text
