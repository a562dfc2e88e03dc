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
  for (int c = 0; c < 256; ++c) table_[c] = text::lowerChar(static_cast<char>(c));
}

std::size_t TokenFold::Fold(std::string_view token, char* out) const {
  const auto* bytes = reinterpret_cast<const unsigned char*>(token.data());
  const std::size_t size = token.size();
  std::size_t i = 0, put = 0;
  // Runs of ASCII eight bytes at a time; the same table maps them in both
  // encodings.
  while (i < size) {
    for (; i + 8 <= size; i += 8, put += 8) {
      std::uint64_t chunk;
      std::memcpy(&chunk, bytes + i, 8);
      if (chunk & 0x8080808080808080ull) break;
      chunk = lowerAscii8(chunk);
      std::memcpy(out + put, &chunk, 8);
    }
    if (i >= size) break;
    const unsigned char b = bytes[i];
    if (b < 0x80 || !utf8_) {
      out[put++] = table_[b];
      ++i;
      continue;
    }
    // An invalid byte stays as it is.
    const text::ClassedChar c = wide_.At(bytes, size, i, classes_);
    if (c.length > 1)
      put += text::EncodeCodePoint(wide_.Lower(c.ch), out + put);
    else
      out[put++] = token[i];
    i += c.length;
  }
  return put;
}

}  // namespace lexvane::frequency
