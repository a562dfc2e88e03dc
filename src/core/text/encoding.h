// Everything that depends on the text encoding of corpus text lives behind
// these names: corpus text is 8-bit Windows-1252 in std::string (DOS text is
// code page 850 converted byte for byte on reading). A second encoding is
// added here, and only here.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lexvane::text {

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
inline bool isControl(char c) { return static_cast<unsigned char>(c) < 32; }

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
