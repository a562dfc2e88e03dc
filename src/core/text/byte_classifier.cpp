#include "text/byte_classifier.h"

#include <cstring>
#include <string_view>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <immintrin.h>
#define LEXVANE_HAS_X86 1
#endif

namespace lexvane::text {

ByteClassifier::Level ByteClassifier::Best() {
#ifdef LEXVANE_HAS_X86
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vbmi"))
    return Level::Avx512;
  if (__builtin_cpu_supports("avx2")) return Level::Avx2;
#endif
  return Level::Portable;
}

bool ByteClassifier::CountsBits() {
#ifdef LEXVANE_HAS_X86
  __builtin_cpu_init();
  return __builtin_cpu_supports("popcnt");
#else
  return false;
#endif
}

bool ByteClassifier::ExtractsBitsFast() {
#ifdef LEXVANE_HAS_X86
  // Asked once: every scan's options ask, and cpuid is slow in a virtual
  // machine.
  static const bool fast = [] {
    __builtin_cpu_init();
    if (!__builtin_cpu_supports("bmi2")) return false;
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid(0, &eax, &ebx, &ecx, &edx) == 0) return true;
    char vendor[12];
    std::memcpy(vendor, &ebx, 4);
    std::memcpy(vendor + 4, &edx, 4);
    std::memcpy(vendor + 8, &ecx, 4);
    const std::string_view maker(vendor, 12);
    if (maker != "AuthenticAMD" && maker != "HygonGenuine") return true;
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) == 0) return false;
    const unsigned family = ((eax >> 8) & 0xF) + ((eax >> 20) & 0xFF);
    return family >= 0x19;
  }();
  return fast;
#else
  return false;
#endif
}

ByteClassifier::ByteClassifier(const std::array<std::uint8_t, 256>& table, std::uint8_t wanted,
                               Level most)
    : table_(table), nibbles_{}, wanted_(wanted) {
  const Level best = Best();
  level_ = static_cast<int>(most) < static_cast<int>(best) ? most : best;
  for (int k = 0; k < 8; ++k) nibbles_[k] = NibblesOf(table, static_cast<std::uint8_t>(1u << k));
}

void ByteClassifier::Classify(const unsigned char* p, std::size_t windows, WindowMasks* out) const {
  switch (level_) {
    case Level::Avx512:
      classifyAvx512(p, windows, out);
      return;
    case Level::Avx2:
      classifyAvx2(p, windows, out);
      return;
    case Level::Portable:
      classifyPortable(p, windows, out);
      return;
  }
}

void ByteClassifier::classifyPortable(const unsigned char* p, std::size_t windows,
                                      WindowMasks* out) const {
  // Eight bytes at a time: their classes in one word, and bit k of each
  // gathered into one byte by a multiplication (no two partial products
  // meet, so nothing carries).
  constexpr std::uint64_t kLowBits = 0x0101010101010101ull;
  constexpr std::uint64_t kGather = 0x0102040810204080ull;
  for (std::size_t w = 0; w < windows; ++w, p += 64) {
    WindowMasks m{};
    for (int part = 0; part < 8; ++part) {
      std::uint64_t classes = 0, blanks = 0;
      for (int i = 0; i < 8; ++i) {
        const unsigned char c = p[8 * part + i];
        classes |= std::uint64_t{table_[c]} << (8 * i);
        blanks |= std::uint64_t{c == ' '} << (8 * i);
      }
      for (int k = 0; k < 8; ++k)
        m.cls[k] |= (((classes >> k) & kLowBits) * kGather >> 56) << (8 * part);
      m.blank |= (blanks * kGather >> 56) << (8 * part);
    }
    out[w] = m;
  }
}

#ifdef LEXVANE_HAS_X86
__attribute__((target("avx2"))) void ByteClassifier::classifyAvx2(const unsigned char* p,
                                                                  std::size_t windows,
                                                                  WindowMasks* out) const {
  const __m256i blank = _mm256_set1_epi8(' ');
  for (std::size_t w = 0; w < windows; ++w, p += 64) {
    WindowMasks m{};
    for (int half = 0; half < 2; ++half) {
      const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32 * half));
      __m256i lo, bit;
      NibbleBits(v, lo, bit);
      for (int k = 0; k < 8; ++k) {
        if (!(wanted_ & (1u << k))) continue;
        m.cls[k] |= std::uint64_t{Member32(v, lo, bit, nibbles_[k])} << (32 * half);
      }
      const auto blanks =
          static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(v, blank)));
      m.blank |= std::uint64_t{blanks} << (32 * half);
    }
    out[w] = m;
  }
}

__attribute__((target("avx512f,avx512bw,avx512vbmi"))) void ByteClassifier::classifyAvx512(
    const unsigned char* p, std::size_t windows, WindowMasks* out) const {
  // The class byte of every byte at once: two lookups in 128-byte halves of
  // the table, chosen by the byte's top bit.
  const __m512i t0 = _mm512_loadu_si512(table_.data());
  const __m512i t1 = _mm512_loadu_si512(table_.data() + 64);
  const __m512i t2 = _mm512_loadu_si512(table_.data() + 128);
  const __m512i t3 = _mm512_loadu_si512(table_.data() + 192);
  const __m512i blank = _mm512_set1_epi8(' ');
  for (std::size_t w = 0; w < windows; ++w, p += 64) {
    const __m512i v = _mm512_loadu_si512(p);
    const __m512i low = _mm512_permutex2var_epi8(t0, v, t1);
    const __m512i high = _mm512_permutex2var_epi8(t2, v, t3);
    const __m512i classes = _mm512_mask_blend_epi8(_mm512_movepi8_mask(v), low, high);
    WindowMasks& m = out[w];
    for (int k = 0; k < 8; ++k)
      m.cls[k] = _mm512_test_epi8_mask(classes, _mm512_set1_epi8(static_cast<char>(1u << k)));
    m.blank = _mm512_cmpeq_epi8_mask(v, blank);
  }
}
#else
void ByteClassifier::classifyAvx2(const unsigned char* p, std::size_t windows,
                                  WindowMasks* out) const {
  classifyPortable(p, windows, out);
}
void ByteClassifier::classifyAvx512(const unsigned char* p, std::size_t windows,
                                    WindowMasks* out) const {
  classifyPortable(p, windows, out);
}
#endif

}  // namespace lexvane::text
