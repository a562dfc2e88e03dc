// Windows-1252 text: the lower-case table, the code page 850 to Windows-1252
// table, and decoding to and encoding from Unicode.
#include "text/encoding.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace lexvane::text {

namespace {

using ByteTable = std::array<unsigned char, 256>;

constexpr ByteTable makeLowerTable() {
  ByteTable table{};
  for (int i = 0; i < 256; ++i) table[i] = static_cast<unsigned char>(i);
  for (int c = 'A'; c <= 'Z'; ++c) table[c] = static_cast<unsigned char>(c + 0x20);
  // Latin-1 capitals; 0xD7 is the multiplication sign, 0xDF (sharp s) has no capital.
  for (int c = 0xC0; c <= 0xDE; ++c) {
    if (c != 0xD7) table[c] = static_cast<unsigned char>(c + 0x20);
  }
  table[0x8A] = 0x9A;  // S caron
  table[0x8C] = 0x9C;  // OE ligature
  table[0x8E] = 0x9E;  // Z caron
  table[0x9F] = 0xFF;  // Y diaeresis
  return table;
}

constexpr ByteTable kLowerTable = makeLowerTable();

// Code page 850 bytes 128-255 to Windows-1252. Characters both pages hold map
// to themselves; the rest get a look-alike: box drawing to + - | =, shade and
// block characters to #, the dotless i to i, the double low line to _.
constexpr std::array<unsigned char, 128> kDosHighToAnsi = {
    0xC7, 0xFC, 0xE9, 0xE2, 0xE4, 0xE0, 0xE5, 0xE7,  // 80-87
    0xEA, 0xEB, 0xE8, 0xEF, 0xEE, 0xEC, 0xC4, 0xC5,  // 88-8F
    0xC9, 0xE6, 0xC6, 0xF4, 0xF6, 0xF2, 0xFB, 0xF9,  // 90-97
    0xFF, 0xD6, 0xDC, 0xF8, 0xA3, 0xD8, 0xD7, 0x83,  // 98-9F
    0xE1, 0xED, 0xF3, 0xFA, 0xF1, 0xD1, 0xAA, 0xBA,  // A0-A7
    0xBF, 0xAE, 0xAC, 0xBD, 0xBC, 0xA1, 0xAB, 0xBB,  // A8-AF
    '#',  '#',  '#',  '|',  '+',  0xC1, 0xC2, 0xC0,  // B0-B7
    0xA9, '+',  '|',  '+',  '+',  0xA2, 0xA5, '+',   // B8-BF
    '+',  '+',  '+',  '+',  '-',  '+',  0xE3, 0xC3,  // C0-C7
    '+',  '+',  '+',  '+',  '+',  '=',  '+',  0xA4,  // C8-CF
    0xF0, 0xD0, 0xCA, 0xCB, 0xC8, 'i',  0xCD, 0xCE,  // D0-D7
    0xCF, '+',  '+',  '#',  '#',  0xA6, 0xCC, '#',   // D8-DF
    0xD3, 0xDF, 0xD4, 0xD2, 0xF5, 0xD5, 0xB5, 0xFE,  // E0-E7
    0xDE, 0xDA, 0xDB, 0xD9, 0xFD, 0xDD, 0xAF, 0xB4,  // E8-EF
    0xAD, 0xB1, '_',  0xBE, 0xB6, 0xA7, 0xF7, 0xB8,  // F0-F7
    0xB0, 0xA8, 0xB7, 0xB9, 0xB3, 0xB2, '#',  0xA0,  // F8-FF
};

// Unicode of Windows-1252 bytes 0x80-0x9F. The five positions the code page
// leaves undefined decode to the C1 control of the same number, so decoding
// and encoding back are lossless.
constexpr std::array<char16_t, 32> kAnsiC1ToUnicode = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

inline char16_t decodeByte(unsigned char b) {
  if (b >= 0x80 && b < 0xA0) return kAnsiC1ToUnicode[b - 0x80];
  return b;
}

// The Windows-1252 byte of a code point, or -1 when the page lacks it.
int encodeCodePoint(std::uint32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (int i = 0; i < 32; ++i) {
    if (kAnsiC1ToUnicode[i] == cp) return 0x80 + i;
  }
  return -1;
}

}  // namespace

char lowerChar(char c) {
  return static_cast<char>(kLowerTable[static_cast<unsigned char>(c)]);
}

void lowerInPlace(std::string& s) {
  for (char& c : s) c = lowerChar(c);
}

std::string lowered(std::string_view s) {
  std::string result(s);
  lowerInPlace(result);
  return result;
}

char dosToAnsi(char c) {
  const auto b = static_cast<unsigned char>(c);
  if (b < 0x80) return c;
  return static_cast<char>(kDosHighToAnsi[b - 0x80]);
}

void dosToAnsiInPlace(char* data, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) data[i] = dosToAnsi(data[i]);
}

std::string keepFirst(std::string_view s, std::size_t limit) {
  return std::string(s.substr(0, limit));
}

std::string keepLast(std::string_view s, std::size_t limit) {
  return std::string(s.size() > limit ? s.substr(s.size() - limit) : s);
}

std::string reverseCharacters(std::string_view s) {
  return std::string(s.rbegin(), s.rend());
}

std::string ansiToUtf8(std::string_view ansi) {
  std::string out;
  out.reserve(ansi.size() + ansi.size() / 2);
  for (char c : ansi) appendCodePoint(out, decodeByte(static_cast<unsigned char>(c)));
  return out;
}

std::u16string ansiToUtf16(std::string_view ansi) {
  std::u16string out(ansi.size(), u'\0');
  ansiToUtf16(ansi, out.data());
  return out;
}

void ansiToUtf16(std::string_view ansi, char16_t* out) {
  for (char c : ansi) *out++ = decodeByte(static_cast<unsigned char>(c));
}

std::string utf8ToAnsi(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    std::int32_t cp;
    i += decodeUtf8Prefix(utf8, i, cp);
    const int b = cp < 0 ? -1 : encodeCodePoint(static_cast<std::uint32_t>(cp));
    out += b < 0 ? '?' : static_cast<char>(b);
  }
  return out;
}

std::string_view EncodingName(Encoding encoding) {
  switch (encoding) {
    case Encoding::Dos850:
      return "DOS";
    case Encoding::Utf8:
      return "UTF-8";
    case Encoding::Windows1252:
      break;
  }
  return "Windows-1252";
}

std::size_t characterCount(std::string_view s, Encoding encoding) {
  if (!IsUtf8(encoding)) return s.size();
  std::size_t count = 0;
  for (std::size_t i = 0; i < s.size(); i += nextUtf8Char(s, i).length) ++count;
  return count;
}

std::size_t prefixBytes(std::string_view s, std::size_t count, Encoding encoding) {
  if (!IsUtf8(encoding)) return std::min(count, s.size());
  std::size_t i = 0;
  for (; i < s.size() && count > 0; --count) i += nextUtf8Char(s, i).length;
  return i;
}

void lowerInPlace(std::string& s, Encoding encoding) {
  if (!IsUtf8(encoding)) return lowerInPlace(s);
  s = lowered(s, encoding);
}

std::string lowered(std::string_view s, Encoding encoding) {
  if (!IsUtf8(encoding)) return lowered(s);
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const Utf8Char c = nextUtf8Char(s, i);
    if (c.codePoint < 0x80) {
      out += static_cast<char>(c.codePoint >= 'A' && c.codePoint <= 'Z' ? c.codePoint + 0x20
                                                                        : c.codePoint);
    } else if (!c.valid) {
      out += s[i];
    } else {
      appendCodePoint(out, LowerCodePoint(c.codePoint));
    }
    i += c.length;
  }
  return out;
}

std::string keepFirst(std::string_view s, std::size_t limit, Encoding encoding) {
  return std::string(s.substr(0, prefixBytes(s, limit, encoding)));
}

std::string keepLast(std::string_view s, std::size_t limit, Encoding encoding) {
  if (!IsUtf8(encoding)) return keepLast(s, limit);
  const std::size_t count = characterCount(s, encoding);
  if (count <= limit) return std::string(s);
  return std::string(s.substr(prefixBytes(s, count - limit, encoding)));
}

std::string reverseCharacters(std::string_view s, Encoding encoding) {
  if (!IsUtf8(encoding)) return reverseCharacters(s);
  std::string out(s.size(), '\0');
  std::size_t end = s.size();
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t length = nextUtf8Char(s, i).length;
    end -= length;
    s.copy(out.data() + end, length, i);
    i += length;
  }
  return out;
}

std::string decodeToUtf8(std::string_view text, Encoding encoding) {
  if (!IsUtf8(encoding)) return ansiToUtf8(text);
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const Utf8Char c = nextUtf8Char(text, i);
    if (c.valid)
      out.append(text.substr(i, c.length));
    else
      appendCodePoint(out, kReplacementCharacter);
    i += c.length;
  }
  return out;
}

std::u16string decodeToUtf16(std::string_view text, Encoding encoding) {
  if (!IsUtf8(encoding)) return ansiToUtf16(text);
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const Utf8Char c = nextUtf8Char(text, i);
    appendUtf16(out, c.codePoint);
    i += c.length;
  }
  return out;
}

std::string encodeFromUtf8(std::string_view utf8, Encoding encoding) {
  if (!IsUtf8(encoding)) return utf8ToAnsi(utf8);
  return std::string(utf8);
}

}  // namespace lexvane::text
