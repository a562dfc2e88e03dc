#include "text/quiet_windows.h"

#include <bit>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define LEXVANE_HAS_X86 1
#endif

namespace lexvane::text {

namespace {

// How far ahead the text is fetched into the cache: the processor's own
// prefetcher stops at the end of each page of a mapped file.
constexpr std::size_t kAhead = 2048;

using Masks = QuietWindows::Masks;
using Tables = QuietWindows::Tables;

#ifdef LEXVANE_HAS_X86
bool extractsAndCountsBits() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("bmi2") && __builtin_cpu_supports("popcnt");
}

// Whether the window at p with these masks needs the general path: no
// separator, a lead byte of a wide character of the sets, or a word start
// that may be a candidate (its first byte one, its second one of the
// candidates' second bytes). `previous`: the separators of the window
// before.
struct Stops {
  std::uint64_t wideLeads, candidates, seconds;
};
[[gnu::always_inline]] inline bool needsMore(const Tables& tables, const unsigned char* p,
                                             std::uint64_t separators, std::uint64_t previous,
                                             const Stops& stops) {
  if (separators == 0 || stops.wideLeads != 0) return true;
  const std::uint64_t starts = WordStarts(separators, ShiftIn(separators, previous, 1));
  const std::uint64_t candidates = stops.candidates & starts;
  if (candidates == 0) return false;
  // The second byte of a word starting at the window's end is the next
  // window's first.
  const std::uint64_t next = (tables.bytes[p[64]] & Tables::kSecond) != 0;
  return (candidates & ((stops.seconds >> 1) | next << 63)) != 0;
}

// The classifiers: the windows from p into out while they are quiet, at
// most `most`; return how many. `previous`: the separators of the window
// before p.
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) std::size_t classifyAvx512(
    const Tables& tables, const unsigned char* p, std::size_t most, std::uint64_t previous,
    Masks* out) {
  const unsigned char* table = tables.bytes;
  const __m512i t0 = _mm512_loadu_si512(table);
  const __m512i t1 = _mm512_loadu_si512(table + 64);
  const __m512i t2 = _mm512_loadu_si512(table + 128);
  const __m512i t3 = _mm512_loadu_si512(table + 192);
  for (std::size_t k = 0; k < most; ++k, p += 64) {
    _mm_prefetch(reinterpret_cast<const char*>(p + kAhead), _MM_HINT_T0);
    const __m512i v = _mm512_loadu_si512(p);
    const __m512i classes =
        _mm512_mask_blend_epi8(_mm512_movepi8_mask(v), _mm512_permutex2var_epi8(t0, v, t1),
                               _mm512_permutex2var_epi8(t2, v, t3));
    const std::uint64_t separators =
        _mm512_test_epi8_mask(classes, _mm512_set1_epi8(Tables::kSeparator));
    // Candidate and wide lead bytes are rare: one test for both first.
    if (separators == 0 ||
        _mm512_test_epi8_mask(classes, _mm512_set1_epi8(Tables::kCandidate | Tables::kWideLead))) {
      const Stops stops{_mm512_test_epi8_mask(classes, _mm512_set1_epi8(Tables::kWideLead)),
                        _mm512_test_epi8_mask(classes, _mm512_set1_epi8(Tables::kCandidate)),
                        _mm512_test_epi8_mask(classes, _mm512_set1_epi8(Tables::kSecond))};
      if (needsMore(tables, p, separators, previous, stops)) return k;
    }
    out[k] = {separators, _mm512_test_epi8_mask(classes, _mm512_set1_epi8(Tables::kSimple))};
    previous = separators;
  }
  return most;
}

__attribute__((target("avx2"))) std::size_t classifyAvx2(const Tables& tables,
                                                         const unsigned char* p, std::size_t most,
                                                         std::uint64_t previous, Masks* out) {
  for (std::size_t k = 0; k < most; ++k, p += 64) {
    _mm_prefetch(reinterpret_cast<const char*>(p + kAhead), _MM_HINT_T0);
    std::uint64_t separators = 0, simple = 0, stop = 0;
    for (int half = 0; half < 2; ++half) {
      const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32 * half));
      __m256i lo, bit;
      NibbleBits(v, lo, bit);
      separators |= std::uint64_t{Member32(v, lo, bit, tables.separators)} << (32 * half);
      simple |= std::uint64_t{Member32(v, lo, bit, tables.simple)} << (32 * half);
      stop |= std::uint64_t{Member32(v, lo, bit, tables.stops)} << (32 * half);
    }
    if (separators == 0 || stop != 0) {
      Stops stops{0, 0, 0};
      for (int half = 0; half < 2; ++half) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32 * half));
        __m256i lo, bit;
        NibbleBits(v, lo, bit);
        stops.wideLeads |= std::uint64_t{Member32(v, lo, bit, tables.wideLeads)} << (32 * half);
        stops.candidates |= std::uint64_t{Member32(v, lo, bit, tables.candidates)} << (32 * half);
        stops.seconds |= std::uint64_t{Member32(v, lo, bit, tables.seconds)} << (32 * half);
      }
      if (needsMore(tables, p, separators, previous, stops)) return k;
    }
    out[k] = {separators, simple};
    previous = separators;
  }
  return most;
}

// The sentence ends at the word starts, by their rank among the starts.
__attribute__((target("bmi2,popcnt"), always_inline)) inline std::uint64_t endsByExtraction(
    std::uint64_t simple, std::uint64_t starts) {
  return _pext_u64(simple, starts);
}
__attribute__((target("bmi2,popcnt"), always_inline)) inline std::uint64_t endsOneByOne(
    std::uint64_t simple, std::uint64_t starts) {
  std::uint64_t ends = 0;
  for (std::uint64_t e = simple & starts; e != 0; e &= e - 1)
    ends |= std::uint64_t{1} << _mm_popcnt_u64(starts & ((e & -e) - 1));
  return ends;
}

// Counts the words of the quiet windows m[0 .. n) at p.
template <bool kExtract>
__attribute__((target("bmi2,popcnt"), always_inline)) inline void countWords(
    const Masks* m, std::size_t n, const unsigned char* p, std::int64_t offset,
    QuietWindows::State& state, std::uint64_t* full, std::size_t& fullCount) {
  // The state in locals, and of the word in hand only where it starts: its
  // text follows from that.
  std::uint64_t lastSeparators = state.separators, simpleGap = state.simpleGap;
  std::uint64_t runEnds = state.runEnds;
  unsigned runCount = state.runCount;
  std::int64_t handStart = state.handStart, handEnd = state.handEnd;
  std::size_t filledRuns = fullCount;
  const std::int64_t first = offset;
  for (std::size_t k = 0; k < n; ++k, offset += 64) {
    const std::uint64_t separators = m[k].separators;
    const std::uint64_t behind = ShiftIn(separators, lastSeparators, 1);
    const std::uint64_t starts = WordStarts(separators, behind);
    lastSeparators = separators;
    const std::uint64_t simple = EndsBehindGaps(separators, m[k].simple, simpleGap);
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
    std::uint64_t ends;
    if constexpr (kExtract)
      ends = endsByExtraction(simple, starts);
    else
      ends = endsOneByOne(simple, starts);
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
}

// Classifies and counts in batches while the windows are quiet.
template <bool kExtract, class Classify>
__attribute__((target("bmi2,popcnt"), always_inline)) inline std::size_t read(
    Classify classify, const unsigned char* p, std::size_t most, std::int64_t offset,
    QuietWindows::State& state, std::uint64_t* full, std::size_t& fullCount) {
  constexpr std::size_t kBatch = 16;
  Masks masks[kBatch];
  std::size_t done = 0;
  while (done < most) {
    const std::size_t asked = most - done < kBatch ? most - done : kBatch;
    const std::size_t quiet = classify(p + 64 * done, asked, state.separators, masks);
    countWords<kExtract>(masks, quiet, p + 64 * done, offset + static_cast<std::int64_t>(64 * done),
                         state, full, fullCount);
    done += quiet;
    if (quiet < asked) break;
  }
  return done;
}

__attribute__((target("avx512f,avx512bw,avx512vbmi,bmi2,popcnt"))) std::size_t readAvx512(
    const Tables& tables, const unsigned char* p, std::size_t most, std::int64_t offset,
    QuietWindows::State& state, std::uint64_t* full, std::size_t& fullCount) {
  return read<true>([&tables](const unsigned char* q, std::size_t n, std::uint64_t previous,
                              Masks* out) { return classifyAvx512(tables, q, n, previous, out); },
                    p, most, offset, state, full, fullCount);
}

// On AVX2 the sentence ends are ranked one by one where bit extraction is
// slow (some processors of AVX2 alone), and extracted elsewhere.
template <bool kExtract>
__attribute__((target("avx2,bmi2,popcnt"))) std::size_t readAvx2(
    const Tables& tables, const unsigned char* p, std::size_t most, std::int64_t offset,
    QuietWindows::State& state, std::uint64_t* full, std::size_t& fullCount) {
  return read<kExtract>([&tables](const unsigned char* q, std::size_t n, std::uint64_t previous,
                                  Masks* out) { return classifyAvx2(tables, q, n, previous, out); },
                        p, most, offset, state, full, fullCount);
}
#endif

}  // namespace

QuietWindows::QuietWindows(const ScanSetup& setup) : tables_{}, level_(Level::None) {
  const ScanOptions& options = setup.Options();
  const bool serves = !setup.ByCharacters() && options.detail == WordDetail::Candidates &&
                      !options.enhanced && options.runRule == SentenceRule::Simple;
#ifdef LEXVANE_HAS_X86
  if (serves && setup.Classifier().Used() == ByteClassifier::Level::Avx512 &&
      extractsAndCountsBits())
    level_ = Level::Avx512;
  else if (serves && setup.Classifier().Used() == ByteClassifier::Level::Avx2 &&
           extractsAndCountsBits())
    level_ = options.bitExtraction ? Level::Avx2Extract : Level::Avx2;
#else
  (void)serves;
#endif
  const auto& scan = setup.Table();
  std::array<std::uint8_t, 256> classes{};
  for (int c = 0; c < 256; ++c) {
    const auto has = [&](int k) { return (scan[c] & (1u << k)) != 0; };
    classes[c] = static_cast<std::uint8_t>(
        (has(kScanSeparator) ? Tables::kSeparator : 0) | (has(kScanSimple) ? Tables::kSimple : 0) |
        (has(kScanCandidate) ? Tables::kCandidate : 0) |
        (has(kScanWideLead) ? Tables::kWideLead : 0) |
        (has(kScanSeparator) || options.candidateSeconds[c] ? Tables::kSecond : 0));
    tables_.bytes[c] = classes[c];
  }
  tables_.separators = NibblesOf(classes, Tables::kSeparator);
  tables_.simple = NibblesOf(classes, Tables::kSimple);
  tables_.candidates = NibblesOf(classes, Tables::kCandidate);
  tables_.wideLeads = NibblesOf(classes, Tables::kWideLead);
  tables_.seconds = NibblesOf(classes, Tables::kSecond);
  tables_.stops = NibblesOf(classes, Tables::kCandidate | Tables::kWideLead);
}

std::size_t QuietWindows::Read(const unsigned char* p, std::size_t most, std::int64_t offset,
                               State& state, std::uint64_t* full, std::size_t& fullCount) const {
  most = most < kMostWindows ? most : kMostWindows;
#ifdef LEXVANE_HAS_X86
  switch (level_) {
    case Level::Avx512:
      return readAvx512(tables_, p, most, offset, state, full, fullCount);
    case Level::Avx2:
      return readAvx2<false>(tables_, p, most, offset, state, full, fullCount);
    case Level::Avx2Extract:
      return readAvx2<true>(tables_, p, most, offset, state, full, fullCount);
    case Level::None:
      break;
  }
#else
  (void)p, (void)offset, (void)state, (void)full, (void)fullCount;
#endif
  return 0;
}

}  // namespace lexvane::text
