#include "search/search_query.h"

#include <limits>

#include "text/encoding.h"
#include "text/error.h"

namespace lexvane::search {

bool SearchQuery::Empty() const {
  if (Kind == QueryKind::Simple) return Masks[0].empty();
  for (const auto& list : Masks)
    if (!list.empty()) return false;
  return true;
}

std::string TypedMask(std::string_view typed) {
  return text::keepFirst(text::lowered(typed));
}

std::string TypedMask(std::string_view typed, text::Encoding encoding) {
  return text::keepFirst(text::lowered(typed, encoding), text::kMaxTextLength, encoding);
}

std::string DistanceLabel(int distance) {
  return distance == -1 ? std::string("x") : std::to_string(distance);
}

std::optional<std::int32_t> ParseIntegerField(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == text.size()) return std::nullopt;
  std::int64_t value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      return std::nullopt;
    value = value * base + digit;
    if (value > std::int64_t{1} << 32) return std::nullopt;
  }
  if (negative) value = -value;
  if (base == 16 && !negative && value <= std::numeric_limits<std::uint32_t>::max())
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));  // $FFFFFFFF is -1
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max())
    return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::int32_t IntegerFieldValue(std::string_view text) {
  const auto value = ParseIntegerField(text);
  if (!value) throw text::Error("'" + std::string(text) + "' is not a valid integer value");
  return *value;
}

bool HasColumnGap(const SearchQuery& query) {
  for (int k = 1; k < kColumns; ++k)
    if (!query.Masks[k].empty() && query.Masks[k - 1].empty()) return true;
  return false;
}

}  // namespace lexvane::search
