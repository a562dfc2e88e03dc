// Whether bytes belong to a set, 32 at a time on AVX2 (the nibble method):
// the set as two tables indexed by a byte's low nibble, in which bit h of
// an entry says whether the byte with high nibble h (the low table: 0 to 7,
// the high table: 8 to 15, as h - 8) is in the set. The byte classifier and
// the scanner's quiet path look their classes up this way.
#pragma once

#include <array>
#include <cstdint>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace lexvane::text {

struct NibbleTables {
  alignas(32) std::uint8_t low[32];  // both 128-bit lanes alike
  alignas(32) std::uint8_t high[32];
};

// The set of the bytes c with table[c] & bits.
inline NibbleTables NibblesOf(const std::array<std::uint8_t, 256>& table, std::uint8_t bits) {
  NibbleTables t{};
  for (int c = 0; c < 256; ++c) {
    if (!(table[c] & bits)) continue;
    const int lo = c & 15, hi = c >> 4;
    if (hi < 8)
      t.low[lo] |= static_cast<std::uint8_t>(1u << hi);
    else
      t.high[lo] |= static_cast<std::uint8_t>(1u << (hi - 8));
  }
  for (int i = 0; i < 16; ++i) {
    t.low[16 + i] = t.low[i];
    t.high[16 + i] = t.high[i];
  }
  return t;
}

#if defined(__x86_64__) || defined(__i386__)
// The bytes of v (bit i: byte i) in the set. `lo`: the low nibbles of v;
// `bit`: for each byte the bit of its high nibble within its table
// (NibbleBits).
__attribute__((target("avx2"), always_inline)) inline std::uint32_t Member32(
    __m256i v, __m256i lo, __m256i bit, const NibbleTables& t) {
  const __m256i rowLow =
      _mm256_shuffle_epi8(_mm256_load_si256(reinterpret_cast<const __m256i*>(t.low)), lo);
  const __m256i rowHigh =
      _mm256_shuffle_epi8(_mm256_load_si256(reinterpret_cast<const __m256i*>(t.high)), lo);
  const __m256i row = _mm256_blendv_epi8(rowLow, rowHigh, v);  // top bit: high table
  const __m256i none = _mm256_cmpeq_epi8(_mm256_and_si256(row, bit), _mm256_setzero_si256());
  return ~static_cast<std::uint32_t>(_mm256_movemask_epi8(none));
}

// The low nibbles of v, and the bit of each byte's high nibble.
__attribute__((target("avx2"), always_inline)) inline void NibbleBits(__m256i v, __m256i& lo,
                                                                      __m256i& bit) {
  const __m256i nibble = _mm256_set1_epi8(0x0F);
  const __m256i bitTable =
      _mm256_setr_epi8(1, 2, 4, 8, 16, 32, 64, -128, 1, 2, 4, 8, 16, 32, 64, -128, 1, 2, 4, 8, 16,
                       32, 64, -128, 1, 2, 4, 8, 16, 32, 64, -128);
  lo = _mm256_and_si256(v, nibble);
  bit = _mm256_shuffle_epi8(bitTable, _mm256_and_si256(_mm256_srli_epi16(v, 4), nibble));
}
#endif

}  // namespace lexvane::text
