#include "frequency/count_sink.h"

#include <cstring>

namespace lexvane::frequency {

namespace {

// Lower-cases eight ASCII bytes at once: 0x20 is added to each of 'A' to 'Z'.
// REQUIRES: no byte from 0x80 on.
inline std::uint64_t lowerAscii8(std::uint64_t bytes) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull;
  const std::uint64_t aboveA = bytes + kOnes * (0x80 - 'A');
  const std::uint64_t aboveZ = bytes + kOnes * (0x80 - 'Z' - 1);
  return bytes | ((aboveA & ~aboveZ & (kOnes * 0x80)) >> 2);
}

}  // namespace

TokenFold::TokenFold(const text::CharacterSets& sets, bool lowerCase)
    : lower_(lowerCase),
      utf8_(text::IsUtf8(sets.encoding)),
      classes_(text::ClassifyBytes(sets)),
      wide_(utf8_ && lowerCase ? text::Utf8Classes(sets) : text::Utf8Classes()) {
  for (int c = 0; c < 256; ++c) {
    table_[c] = text::lowerChar(static_cast<char>(c));
    same_[c] = static_cast<char>(c);
  }
  if (!utf8_ || !lowerCase) return;
  lowerTwo_.resize(0x800);
  for (char32_t ch = 0x80; ch < 0x800; ++ch) {
    char bytes[4] = {0, 0, 0, 0};
    const std::size_t length = text::EncodeCodePoint(wide_.Lower(ch), bytes);
    std::uint32_t packed = static_cast<std::uint32_t>(length) << 24;
    for (std::size_t k = 0; k < length && k < 3; ++k)
      packed |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[k])) << (8 * k);
    lowerTwo_[ch] = packed;  // a lower case of two bytes is at most three
  }
}

std::size_t TokenFold::foldUtf8(std::string_view token, char* out) const {
  const auto* bytes = reinterpret_cast<const unsigned char*>(token.data());
  const std::size_t size = token.size();
  // In a local: the stores to `out` could alias the vector's pointer.
  const std::uint32_t* const lowerTwo = lowerTwo_.data();
  std::size_t i = 0, put = 0;
  while (i < size) {
    if (bytes[i] < 0x80) {
      // A run of ASCII, eight bytes at a time.
      for (; i + 8 <= size; i += 8, put += 8) {
        std::uint64_t chunk;
        std::memcpy(&chunk, bytes + i, 8);
        if (chunk & 0x8080808080808080ull) break;
        chunk = lowerAscii8(chunk);
        std::memcpy(out + put, &chunk, 8);
      }
      for (; i < size && bytes[i] < 0x80; ++i) out[put++] = table_[bytes[i]];
      continue;
    }
    // A run of characters of two bytes, their lower case from the table.
    for (; i + 1 < size && text::isTwoByteChar(bytes[i], bytes[i + 1]); i += 2) {
      const std::uint32_t packed = lowerTwo[text::twoByteCodePoint(bytes[i], bytes[i + 1])];
      std::memcpy(out + put, &packed, 3);  // bytes beyond the character are 0
      put += packed >> 24;
    }
    if (i >= size || bytes[i] < 0x80) continue;
    // Any other character; an invalid byte stays as it is.
    const text::ClassedChar c = wide_.At(bytes, size, i, classes_);
    if (c.length > 1) {
      put += text::EncodeCodePoint(wide_.Lower(c.ch), out + put);
    } else {
      out[put++] = token[i];
    }
    i += c.length;
  }
  return put;
}

}  // namespace lexvane::frequency
