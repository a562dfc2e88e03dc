#include "concordance/byte_classes.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define LEXVANE_HAS_X86 1
#endif

namespace lexvane::concordance {

ByteClassifier::Tables ByteClassifier::makeTables(const std::array<bool, 256>& set) {
  Tables t{};
  for (int c = 0; c < 256; ++c) {
    if (!set[c]) continue;
    const int lo = c & 15, hi = c >> 4;
    if (hi < 8)
      t.low[lo] |= static_cast<std::uint8_t>(1u << hi);
    else
      t.high[lo] |= static_cast<std::uint8_t>(1u << (hi - 8));
  }
  for (int i = 0; i < 16; ++i) {  // both 128-bit lanes shuffle alike
    t.low[16 + i] = t.low[i];
    t.high[16 + i] = t.high[i];
  }
  return t;
}

ByteClassifier::ByteClassifier(const std::array<bool, 256>& separators,
                               const std::array<bool, 256>& triggers,
                               const std::array<bool, 256>& candidates, bool allowAvx2) {
  const std::array<bool, 256>* sets[3] = {&separators, &triggers, &candidates};
  for (int k = 0; k < 3; ++k) {
    tables_[k] = makeTables(*sets[k]);
    for (int c = 0; c < 256; ++c)
      if ((*sets[k])[c]) bits_[c] |= static_cast<std::uint8_t>(1u << k);
  }
#ifdef LEXVANE_HAS_X86
  avx2_ = allowAvx2 && __builtin_cpu_supports("avx2");
#else
  (void)allowAvx2;
  avx2_ = false;
#endif
}

ByteMasks ByteClassifier::Classify(const unsigned char* p) const {
  return avx2_ ? classifyAvx2(p) : classifyScalar(p);
}

ByteMasks ByteClassifier::classifyScalar(const unsigned char* p) const {
  ByteMasks m{0, 0, 0};
  for (int i = 0; i < 64; ++i) {
    const std::uint64_t b = bits_[p[i]];
    m.separators |= (b & 1) << i;
    m.triggers |= ((b >> 1) & 1) << i;
    m.candidates |= ((b >> 2) & 1) << i;
  }
  return m;
}

#ifdef LEXVANE_HAS_X86
namespace {

__attribute__((target("avx2"))) inline std::uint32_t member32(__m256i v, __m256i lo, __m256i bit,
                                                              const void* low, const void* high) {
  const __m256i rowLow =
      _mm256_shuffle_epi8(_mm256_load_si256(static_cast<const __m256i*>(low)), lo);
  const __m256i rowHigh =
      _mm256_shuffle_epi8(_mm256_load_si256(static_cast<const __m256i*>(high)), lo);
  const __m256i row = _mm256_blendv_epi8(rowLow, rowHigh, v);  // top bit: high table
  const __m256i none = _mm256_cmpeq_epi8(_mm256_and_si256(row, bit), _mm256_setzero_si256());
  return ~static_cast<std::uint32_t>(_mm256_movemask_epi8(none));
}

}  // namespace

__attribute__((target("avx2"))) ByteMasks ByteClassifier::classifyAvx2(
    const unsigned char* p) const {
  const __m256i bitTable =
      _mm256_setr_epi8(1, 2, 4, 8, 16, 32, 64, -128, 1, 2, 4, 8, 16, 32, 64, -128, 1, 2, 4, 8, 16,
                       32, 64, -128, 1, 2, 4, 8, 16, 32, 64, -128);
  const __m256i nibble = _mm256_set1_epi8(0x0F);
  std::uint64_t result[3] = {0, 0, 0};
  for (int half = 0; half < 2; ++half) {
    const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32 * half));
    const __m256i lo = _mm256_and_si256(v, nibble);
    const __m256i hi = _mm256_and_si256(_mm256_srli_epi16(v, 4), nibble);
    const __m256i bit = _mm256_shuffle_epi8(bitTable, hi);
    for (int k = 0; k < 3; ++k)
      result[k] |= static_cast<std::uint64_t>(member32(v, lo, bit, tables_[k].low, tables_[k].high))
                   << (32 * half);
  }
  return {result[0], result[1], result[2]};
}
#else
ByteMasks ByteClassifier::classifyAvx2(const unsigned char* p) const {
  return classifyScalar(p);
}
#endif

}  // namespace lexvane::concordance
