// Small stateless helpers over short strings shared by several windows and
// commands.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "text/encoding.h"

namespace lexvane::text {

// Removes blanks (code 32 only) from both ends.
std::string TrimSpaces(std::string_view s);
// In place: control characters to blanks, blanks trimmed, runs of blanks
// collapsed to one.
void CleanLine(std::string& s);
std::string ReverseString(std::string_view s);
// Fits s to exactly `width` characters: left-aligned pads or cuts at the end,
// right-aligned pads in front or keeps the last `width` characters.
std::string FitToWidth(std::string_view s, bool leftAligned, int width);
// The same over text of the given encoding: UTF-8 characters are reversed as
// wholes, and the width counts characters (never cutting one in half).
std::string ReverseString(std::string_view s, Encoding encoding);
std::string FitToWidth(std::string_view s, bool leftAligned, int width, Encoding encoding);
// Decimal with a blank before the last three digits and another before the
// last seven (no third): 1234567 gives "1 234 567".
std::string FormatThousands(std::int64_t n);
// The size of a regular file (following links), or -1 for a directory, a
// missing path or anything else.
std::int64_t FileSizeOf(const std::string& path);

}  // namespace lexvane::text
