// Everything that depends on the text encoding of corpus text lives behind
// these names. Corpus text in std::string is either 8-bit Windows-1252 (DOS
// text is code page 850 converted byte for byte on reading) or UTF-8. The
// functions without an Encoding parameter are the 8-bit ones; the rules of
// UTF-8 itself are those of utf8.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "text/utf8.h"

namespace lexvane::text {

// The encoding of a corpus's files. Dos850 text is held as Windows-1252 once
// read, so in memory there are two: 8-bit and UTF-8.
enum class Encoding : std::uint8_t { Windows1252, Dos850, Utf8 };

// "Windows-1252", "DOS", "UTF-8".
std::string_view EncodingName(Encoding encoding);
inline bool IsUtf8(Encoding encoding) {
  return encoding == Encoding::Utf8;
}

// The number of characters of s.
std::size_t characterCount(std::string_view s, Encoding encoding);
// The byte length of the first `count` characters of s (all of s when it has
// fewer): where a cut keeps whole characters.
std::size_t prefixBytes(std::string_view s, std::size_t count, Encoding encoding);

// Lower-cases: 8-bit text with the fixed Windows-1252 table, UTF-8 text per
// code point with Unicode's simple lower-case mapping (invalid bytes stay).
void lowerInPlace(std::string& s, Encoding encoding);
std::string lowered(std::string_view s, Encoding encoding);

// keepFirst, keepLast and reverseCharacters by characters of the encoding.
std::string keepFirst(std::string_view s, std::size_t limit, Encoding encoding);
std::string keepLast(std::string_view s, std::size_t limit, Encoding encoding);
std::string reverseCharacters(std::string_view s, Encoding encoding);

// Corpus text decoded for display and collation (invalid UTF-8 bytes become
// U+FFFD, one each), and typed or pasted text encoded back (8-bit: characters
// Windows-1252 cannot hold become '?'; UTF-8: unchanged).
std::string decodeToUtf8(std::string_view text, Encoding encoding);
std::u16string decodeToUtf16(std::string_view text, Encoding encoding);
std::string encodeFromUtf8(std::string_view utf8, Encoding encoding);

// The longest text a word, mask, context, list entry or caption part may hold.
inline constexpr std::size_t kMaxTextLength = 255;

// Lower-cases one character with the fixed Windows-1252 table (one byte to one
// byte; characters without a lower-case form stay).
char lowerChar(char c);
void lowerInPlace(std::string& s);
std::string lowered(std::string_view s);

// Converts DOS text (code page 850) to Windows-1252 in place, one byte to one
// byte, so offsets stay valid. Characters Windows-1252 lacks (box drawing and
// the like) get their best fit.
void dosToAnsiInPlace(char* data, std::size_t size);
char dosToAnsi(char c);

// True for the control characters (codes below 32), which always separate.
inline bool isControl(char c) {
  return static_cast<unsigned char>(c) < 32;
}

// Keeps the first (or last) `limit` characters of s.
std::string keepFirst(std::string_view s, std::size_t limit = kMaxTextLength);
std::string keepLast(std::string_view s, std::size_t limit = kMaxTextLength);

// The characters of s in reverse order.
std::string reverseCharacters(std::string_view s);

// Decoding for display and collation, and encoding back (paste, typed text).
// Characters that Windows-1252 cannot hold become '?'.
std::string ansiToUtf8(std::string_view ansi);
std::u16string ansiToUtf16(std::string_view ansi);
// Decodes into out, which has room for ansi.size() units (one per character).
void ansiToUtf16(std::string_view ansi, char16_t* out);
std::string utf8ToAnsi(std::string_view utf8);

}  // namespace lexvane::text
