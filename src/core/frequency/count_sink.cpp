#include "frequency/count_sink.h"

#include <cstring>

namespace lexvane::frequency {

TokenFold::TokenFold(const text::CharacterSets& sets, bool lowerCase)
    : lower_(lowerCase),
      utf8_(text::IsUtf8(sets.encoding)),
      classes_(text::ClassifyBytes(sets)),
      wide_(utf8_ && lowerCase ? text::Utf8Classes(sets) : text::Utf8Classes()) {
  for (int c = 0; c < 256; ++c) table_[c] = text::lowerChar(static_cast<char>(c));
}

std::size_t TokenFold::Fold(std::string_view token, char* out) const {
  const auto* bytes = reinterpret_cast<const unsigned char*>(token.data());
  if (!utf8_) {
    for (std::size_t i = 0; i < token.size(); ++i) out[i] = table_[bytes[i]];
    return token.size();
  }
  std::size_t size = 0;
  for (std::size_t i = 0; i < token.size();) {
    if (bytes[i] < 0x80) {
      out[size++] = table_[bytes[i++]];
      continue;
    }
    const text::ClassedChar c = wide_.At(bytes, token.size(), i, classes_);
    if (c.length > 1) {
      size += text::EncodeCodePoint(wide_.Lower(c.ch), out + size);
    } else {
      out[size++] = token[i];  // an invalid byte stays as it is
    }
    i += c.length;
  }
  return size;
}

}  // namespace lexvane::frequency
