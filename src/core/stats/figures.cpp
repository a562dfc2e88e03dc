#include "stats/figures.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace lexvane::stats {

std::string FormatFigure(double value, int decimals) {
  if (std::isnan(value)) return "n/a";
  if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  std::string text = buffer;
  // A tiny negative figure rounds to zero: print it without a sign.
  if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

std::string DescendingFigureKey(double value) {
  std::uint64_t key;
  if (std::isnan(value)) {
    key = ~std::uint64_t{0};
  } else {
    if (value == 0) value = 0;  // -0 orders as 0
    // The IEEE bits made to order ascending as unsigned numbers, then
    // inverted for a descending order.
    std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    bits = (bits & (std::uint64_t{1} << 63)) ? ~bits : bits | (std::uint64_t{1} << 63);
    key = ~bits;
    // NaN keeps the very last key for itself.
    if (key == ~std::uint64_t{0}) key -= 1;
  }
  std::string s(8, '\0');
  for (int i = 7; i >= 0; --i) {
    s[i] = static_cast<char>(key & 0xFF);
    key >>= 8;
  }
  return s;
}

}  // namespace lexvane::stats
