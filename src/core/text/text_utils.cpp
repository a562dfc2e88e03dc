#include "text/text_utils.h"

#include <sys/stat.h>

#include <algorithm>

#include "text/encoding.h"

namespace lexvane::text {

std::string TrimSpaces(std::string_view s) {
  const std::size_t first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::size_t last = s.find_last_not_of(' ');
  return std::string(s.substr(first, last - first + 1));
}

void CleanLine(std::string& s) {
  std::size_t out = 0;
  bool pendingBlank = false;
  for (const char c : s) {
    const bool blank = c == ' ' || text::isControl(c);
    if (blank) {
      pendingBlank = out > 0;
      continue;
    }
    if (pendingBlank) s[out++] = ' ';
    pendingBlank = false;
    s[out++] = c;
  }
  s.resize(out);
}

std::string ReverseString(std::string_view s) {
  return text::reverseCharacters(s);
}

std::string FitToWidth(std::string_view s, bool leftAligned, int width) {
  const std::size_t w = static_cast<std::size_t>(std::clamp(width, 0, 255));
  if (s.size() >= w) return leftAligned ? text::keepFirst(s, w) : text::keepLast(s, w);
  const std::string padding(w - s.size(), ' ');
  return leftAligned ? std::string(s) + padding : padding + std::string(s);
}

std::string ReverseString(std::string_view s, Encoding encoding) {
  return text::reverseCharacters(s, encoding);
}

std::string FitToWidth(std::string_view s, bool leftAligned, int width, Encoding encoding) {
  if (!IsUtf8(encoding)) return FitToWidth(s, leftAligned, width);
  const std::size_t w = static_cast<std::size_t>(std::clamp(width, 0, 255));
  const std::size_t count = text::characterCount(s, encoding);
  if (count >= w)
    return leftAligned ? text::keepFirst(s, w, encoding) : text::keepLast(s, w, encoding);
  const std::string padding(w - count, ' ');
  return leftAligned ? std::string(s) + padding : padding + std::string(s);
}

std::string FormatThousands(std::int64_t n) {
  std::string text = std::to_string(n);
  if (text.size() > 3) text.insert(text.size() - 3, 1, ' ');
  if (text.size() > 7) text.insert(text.size() - 7, 1, ' ');
  return text;
}

std::int64_t FileSizeOf(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return -1;
  if (!S_ISREG(info.st_mode)) return -1;
  return static_cast<std::int64_t>(info.st_size);
}

}  // namespace lexvane::text
