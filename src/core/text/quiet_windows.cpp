#include "text/quiet_windows.h"

#include <bit>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define LEXVANE_HAS_X86 1
#endif

namespace lexvane::text {

namespace {

// The classes of the quiet path's table.
enum : unsigned char {
  kSeparator = 1,
  kSimple = 2,
  kCandidate = 4,
  kWideLead = 8,
};

bool fastBitExtraction() {
#ifdef LEXVANE_HAS_X86
  __builtin_cpu_init();
  return __builtin_cpu_supports("bmi2") && __builtin_cpu_supports("popcnt");
#else
  return false;
#endif
}

#ifdef LEXVANE_HAS_X86
__attribute__((target("avx512f,avx512bw,avx512vbmi,bmi2,popcnt"))) std::size_t readAvx512(
    const unsigned char* table, const unsigned char* p, std::size_t most, std::int64_t offset,
    QuietWindows::State& state, std::uint64_t* full, std::size_t& fullCount) {
  const __m512i t0 = _mm512_loadu_si512(table);
  const __m512i t1 = _mm512_loadu_si512(table + 64);
  const __m512i t2 = _mm512_loadu_si512(table + 128);
  const __m512i t3 = _mm512_loadu_si512(table + 192);
  const __m512i separatorBit = _mm512_set1_epi8(kSeparator);
  const __m512i simpleBit = _mm512_set1_epi8(kSimple);
  const __m512i candidateBit = _mm512_set1_epi8(kCandidate);
  const __m512i wideLeadBit = _mm512_set1_epi8(kWideLead);
  QuietWindows::State s = state;
  std::size_t k = 0;
  for (; k < most; ++k, p += 64, offset += 64) {
    const __m512i v = _mm512_loadu_si512(p);
    const __m512i classes =
        _mm512_mask_blend_epi8(_mm512_movepi8_mask(v), _mm512_permutex2var_epi8(t0, v, t1),
                               _mm512_permutex2var_epi8(t2, v, t3));
    const std::uint64_t separators = _mm512_test_epi8_mask(classes, separatorBit);
    if (separators == 0 || _mm512_test_epi8_mask(classes, wideLeadBit) != 0) break;
    const std::uint64_t behind = ShiftIn(separators, s.separators, 1);
    const std::uint64_t starts = WordStarts(separators, behind);
    if ((_mm512_test_epi8_mask(classes, candidateBit) & starts) != 0) break;
    s.separators = separators;
    const std::uint64_t simple =
        EndsBehindGaps(separators, _mm512_test_epi8_mask(classes, simpleBit), s.simpleGap);
    const std::uint64_t wordEnds = separators & ~behind;
    if (s.handEnd < 0) s.handEnd = offset + std::countr_zero(wordEnds);
    if (starts == 0) continue;
    // The words before each start here are counted: the one in hand and
    // all that start here but the last, which is taken in hand.
    const auto words = static_cast<unsigned>(_mm_popcnt_u64(starts));
    const std::uint64_t ends = _pext_u64(simple, starts);
    s.runEnds |= ends << s.runCount;
    s.runCount += words;
    if (s.runCount >= 64) {
      full[fullCount++] = s.runEnds;
      s.runCount -= 64;
      s.runEnds = s.runCount == 0 ? 0 : ends >> (words - s.runCount);
    }
    const int last = 63 - std::countl_zero(starts);
    s.handStart = offset + last;
    s.handText = p + last;
    s.handKept = 0;
    const std::uint64_t after = wordEnds >> last;
    s.handEnd = after != 0 ? s.handStart + std::countr_zero(after) : -1;
  }
  state = s;
  return k;
}
#endif

}  // namespace

QuietWindows::QuietWindows(const ScanSetup& setup) : table_{} {
  const ScanOptions& options = setup.Options();
  applies_ = !setup.ByCharacters() && options.detail == WordDetail::Candidates &&
             !options.enhanced && options.runRule == SentenceRule::Simple &&
             setup.Classifier().Used() == ByteClassifier::Level::Avx512 && fastBitExtraction();
  const auto& scan = setup.Table();
  for (int c = 0; c < 256; ++c) {
    const auto has = [&](int k) { return (scan[c] & (1u << k)) != 0; };
    table_[c] = static_cast<unsigned char>(
        (has(kScanSeparator) ? kSeparator : 0) | (has(kScanSimple) ? kSimple : 0) |
        (has(kScanCandidate) ? kCandidate : 0) | (has(kScanWideLead) ? kWideLead : 0));
  }
}

std::size_t QuietWindows::Read(const unsigned char* p, std::size_t most, std::int64_t offset,
                               State& state, std::uint64_t* full, std::size_t& fullCount) const {
#ifdef LEXVANE_HAS_X86
  return readAvx512(table_, p, most < kMostWindows ? most : kMostWindows, offset, state, full,
                    fullCount);
#else
  (void)p, (void)most, (void)offset, (void)state, (void)full, (void)fullCount;
  return 0;
#endif
}

}  // namespace lexvane::text
