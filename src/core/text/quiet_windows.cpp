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

// How far ahead the text is fetched into the cache: the processor's own
// prefetcher stops at the end of each page of a mapped file.
constexpr std::size_t kAhead = 2048;

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
  const __m512i stopBits = _mm512_set1_epi8(kCandidate | kWideLead);
  // The state in locals, and of the word in hand only where it starts: its
  // text follows from that.
  std::uint64_t lastSeparators = state.separators, simpleGap = state.simpleGap;
  std::uint64_t runEnds = state.runEnds;
  unsigned runCount = state.runCount;
  std::int64_t handStart = state.handStart, handEnd = state.handEnd;
  std::size_t filledRuns = fullCount;
  const std::int64_t first = offset;
  std::size_t k = 0;
  for (; k < most; ++k, offset += 64) {
    _mm_prefetch(reinterpret_cast<const char*>(p + 64 * k + kAhead), _MM_HINT_T0);
    const __m512i v = _mm512_loadu_si512(p + 64 * k);
    const __m512i classes =
        _mm512_mask_blend_epi8(_mm512_movepi8_mask(v), _mm512_permutex2var_epi8(t0, v, t1),
                               _mm512_permutex2var_epi8(t2, v, t3));
    const std::uint64_t separators = _mm512_test_epi8_mask(classes, separatorBit);
    const std::uint64_t behind = ShiftIn(separators, lastSeparators, 1);
    const std::uint64_t starts = WordStarts(separators, behind);
    // Candidate and wide lead bytes are rare: one test for both first.
    if (separators == 0 || _mm512_test_epi8_mask(classes, stopBits) != 0) {
      if (separators == 0 || _mm512_test_epi8_mask(classes, wideLeadBit) != 0 ||
          (_mm512_test_epi8_mask(classes, candidateBit) & starts) != 0)
        break;
    }
    lastSeparators = separators;
    const std::uint64_t simple =
        EndsBehindGaps(separators, _mm512_test_epi8_mask(classes, simpleBit), simpleGap);
    const std::uint64_t wordEnds = separators & ~behind;
    // Without branches where the text decides (a word running on into the
    // next window, a run filling up): they would be mispredicted often.
    const std::int64_t firstEnd = offset + std::countr_zero(wordEnds);
    handEnd = handEnd < 0 ? firstEnd : handEnd;
    if (starts == 0) continue;
    // The words before each start here are counted: the one in hand and
    // all that start here but the last, which is taken in hand. A window
    // has at most 32 starts, so a run that fills up keeps at most 31 of
    // them for the next.
    const auto words = static_cast<unsigned>(_mm_popcnt_u64(starts));
    const std::uint64_t ends = _pext_u64(simple, starts);
    const std::uint64_t merged = runEnds | ends << runCount;
    const unsigned total = runCount + words;
    const std::uint64_t filled = std::uint64_t{0} - (total >> 6);  // all ones when total >= 64
    full[filledRuns] = merged;
    filledRuns += total >> 6;
    runCount = total & 63;
    runEnds = (merged & ~filled) | ((ends >> ((words - runCount) & 63)) & filled);
    const int last = 63 - std::countl_zero(starts);
    handStart = offset + last;
    const std::uint64_t after = wordEnds >> last;
    const std::int64_t open = -static_cast<std::int64_t>(after == 0);  // all ones: not ended here
    handEnd = ((handStart + std::countr_zero(after)) & ~open) | open;
  }
  state.separators = lastSeparators;
  state.simpleGap = simpleGap;
  state.runEnds = runEnds;
  state.runCount = runCount;
  state.handEnd = handEnd;
  if (handStart >= first) {  // a word taken in hand here
    state.handStart = handStart;
    state.handText = p + (handStart - first);
    state.handKept = 0;
  }
  fullCount = filledRuns;
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
