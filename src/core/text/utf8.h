// The rules of UTF-8 text, each defined here once: which bytes lead and
// continue a character, decoding one character and encoding a code point
// (in UTF-8 and in UTF-16), lower-casing a code point, the byte-order mark,
// and where characters begin at the edges of bytes cut out of a file (a
// character cut by the end of a buffer, continuation bytes at its start, the
// character before a position, the start of a thread's byte range). Every
// path that reads, cuts, counts or writes UTF-8 text uses these: the
// scanners, sentence retrieval, sort, copy, the collocate table, the source
// display, the rule preview and the desktop program.
//
// A byte that does not start a valid sequence (a stray continuation byte, an
// overlong form, a surrogate, a sequence cut short) is one character by
// itself, so no byte is ever lost or shifted; forwards and backwards, the
// characters of a text are the same.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lexvane::text {

// One character of UTF-8 text. An invalid byte has `valid` false, the
// replacement character U+FFFD as `codePoint` (for display) and `length` 1.
struct Utf8Char {
  char32_t codePoint;
  std::uint8_t length;
  bool valid;
};
inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// The UTF-8 byte-order mark, left out at the start of a file.
inline constexpr unsigned char kByteOrderMark[3] = {0xEF, 0xBB, 0xBF};
// The same three bytes as text, for writers that put it in front.
inline constexpr std::string_view kByteOrderMarkText{"\xEF\xBB\xBF", 3};
inline bool startsWithByteOrderMark(std::string_view s) {
  return s.substr(0, 3) == kByteOrderMarkText;
}

// A byte 10xxxxxx: never the first byte of a character.
constexpr bool isContinuationByte(unsigned char b) {
  return (b & 0xC0) == 0x80;
}
// The length of the character whose lead byte is `lead`, or 0 for a byte that
// cannot lead one (ASCII: 1). Whether the rest of it is valid needs
// nextUtf8Char.
std::size_t utf8SequenceLength(unsigned char lead);

// The character at s[i] (i < s.size()).
Utf8Char nextUtf8Char(std::string_view s, std::size_t i);
// A character of two bytes (U+0080 to U+07FF: Latin, Greek, Cyrillic,
// Hebrew, Arabic), decoded inline for the scanners' loops: whether the bytes
// `lead` and `next` form one, and its code point.
constexpr bool isTwoByteChar(unsigned char lead, unsigned char next) {
  return lead >= 0xC2 && lead <= 0xDF && isContinuationByte(next);
}
constexpr char32_t twoByteCodePoint(unsigned char lead, unsigned char next) {
  return (static_cast<char32_t>(lead & 0x1F) << 6) | (next & 0x3F);
}
// The code point of the sequence at s[i] (i < s.size()), or -1 for a
// malformed one. Returns the bytes it takes: a valid sequence whole, a
// malformed one its longest valid prefix (at least 1), so that typed text
// turns each broken sequence into one unknown character.
std::size_t decodeUtf8Prefix(std::string_view s, std::size_t i, std::int32_t& cp);
// The start of the character that ends at s[end - 1] (0 < end <= s.size()):
// a valid sequence of up to four bytes ending there, else the last byte.
std::size_t previousUtf8Char(std::string_view s, std::size_t end);

// The UTF-8 bytes of a code point: written to out (room for four), returning
// their number; or appended. Inline: the word loops encode every character.
inline std::size_t EncodeCodePoint(char32_t ch, char* out) {
  if (ch < 0x80) {
    out[0] = static_cast<char>(ch);
    return 1;
  }
  if (ch < 0x800) {
    out[0] = static_cast<char>(0xC0 | (ch >> 6));
    out[1] = static_cast<char>(0x80 | (ch & 0x3F));
    return 2;
  }
  if (ch < 0x10000) {
    out[0] = static_cast<char>(0xE0 | (ch >> 12));
    out[1] = static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    out[2] = static_cast<char>(0x80 | (ch & 0x3F));
    return 3;
  }
  out[0] = static_cast<char>(0xF0 | (ch >> 18));
  out[1] = static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
  out[2] = static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
  out[3] = static_cast<char>(0x80 | (ch & 0x3F));
  return 4;
}
void appendCodePoint(std::string& out, char32_t cp);
// The UTF-16 units of a code point (a surrogate pair from U+10000 on).
void appendUtf16(std::u16string& out, char32_t cp);

// Lower-cases a code point by Unicode's simple mapping (one code point to
// one).
char32_t LowerCodePoint(char32_t ch);

// The number of bytes at the end of data[0, size) that begin a character
// whose remaining bytes may still follow (a lead byte and the continuation
// bytes after it, short of its length): 0 to 3. A buffer that ends so keeps
// them for the next read, or leaves them out of what it shows.
std::size_t IncompleteTail(const unsigned char* data, std::size_t size);
inline std::size_t IncompleteTail(std::string_view s) {
  return IncompleteTail(reinterpret_cast<const unsigned char*>(s.data()), s.size());
}
// Whether s begins a character that its end cut short: a lead byte followed
// only by continuation bytes, fewer than it needs (s not empty).
inline bool cutByEnd(std::string_view s) {
  return IncompleteTail(s) == s.size();
}

// The continuation bytes at the start of bytes read from a file's middle,
// at most `most`: the rest of a character begun before them, left out.
std::size_t leadingContinuationBytes(std::string_view s, std::size_t most = 3);

// Where a range of UTF-8 text that begins at a given byte starts: `data`
// holds `back` (1 to 4) bytes before that byte and the bytes from it on
// (`size` in all). Returns the index of the first character starting at or
// after it (past a character that runs across it) and sets `previous` to
// the index of the character before that one. A byte that can lead a
// character always starts one, so these few bytes decide.
std::size_t RangeStart(const unsigned char* data, std::size_t size, std::size_t back,
                       std::size_t& previous);

}  // namespace lexvane::text
