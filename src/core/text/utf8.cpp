#include "text/utf8.h"

#include <unicode/uchar.h>

namespace lexvane::text {

std::size_t decodeUtf8Prefix(std::string_view s, std::size_t i, std::int32_t& cp) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char lead = byte(i);
  if (lead < 0x80) {
    cp = lead;
    return 1;
  }
  std::size_t length;
  std::uint32_t value;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    cp = -1;
    return 1;
  }
  for (std::size_t k = 1; k < length; ++k) {
    if (i + k >= s.size()) {
      cp = -1;
      return k;
    }
    const unsigned char b = byte(i + k);
    const unsigned char lo = k == 1 ? low : 0x80;
    const unsigned char hi = k == 1 ? high : 0xBF;
    if (b < lo || b > hi) {
      cp = -1;
      return k;
    }
    value = (value << 6) | (b & 0x3F);
  }
  cp = static_cast<std::int32_t>(value);
  return length;
}

std::size_t utf8SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

Utf8Char nextUtf8Char(std::string_view s, std::size_t i) {
  const auto lead = static_cast<unsigned char>(s[i]);
  if (lead < 0x80) return {lead, 1, true};
  std::int32_t cp;
  const std::size_t length = decodeUtf8Prefix(s, i, cp);
  if (cp < 0) return {kReplacementCharacter, 1, false};
  return {static_cast<char32_t>(cp), static_cast<std::uint8_t>(length), true};
}

std::size_t previousUtf8Char(std::string_view s, std::size_t end) {
  if (static_cast<unsigned char>(s[end - 1]) < 0x80) return end - 1;
  // Valid sequences never overlap (a continuation byte leads none), so the
  // one ending here is the character that forward decoding finds.
  for (std::size_t back = 2; back <= 4 && back <= end; ++back) {
    const Utf8Char c = nextUtf8Char(s, end - back);
    if (c.valid && c.length == back) return end - back;
  }
  return end - 1;
}

void appendCodePoint(std::string& out, char32_t cp) {
  char bytes[4];
  out.append(bytes, EncodeCodePoint(cp, bytes));
}

void appendUtf16(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out += static_cast<char16_t>(cp);
    return;
  }
  out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
  out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
}

char32_t LowerCodePoint(char32_t ch) {
  return static_cast<char32_t>(u_tolower(static_cast<UChar32>(ch)));
}

std::size_t IncompleteTail(const unsigned char* data, std::size_t size) {
  for (std::size_t k = 1; k <= 3 && k <= size; ++k) {
    const unsigned char b = data[size - k];
    if (isContinuationByte(b)) continue;
    // The lead byte of the last character begun: incomplete when it needs
    // more bytes than stand behind it.
    return utf8SequenceLength(b) > k ? k : 0;
  }
  return 0;
}

std::size_t leadingContinuationBytes(std::string_view s, std::size_t most) {
  std::size_t n = 0;
  while (n < s.size() && n < most && isContinuationByte(static_cast<unsigned char>(s[n]))) ++n;
  return n;
}

std::size_t RangeStart(const unsigned char* data, std::size_t size, std::size_t back,
                       std::size_t& previous) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  // A character running across: its lead byte is the last one before.
  for (std::size_t k = 1; k <= back && k <= 3; ++k) {
    if (isContinuationByte(data[back - k])) continue;
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
    if (isContinuationByte(data[back - k])) continue;
    const Utf8Char c = nextUtf8Char(text, back - k);
    if (c.valid && c.length == k) previous = back - k;
    break;
  }
  return back;
}

}  // namespace lexvane::text
