#include "concordance/unit_scanner.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "text/encoding.h"

namespace lexvane::concordance {

namespace {

constexpr std::size_t kBlock = 256 * 1024;
constexpr std::int64_t kUnitBytes = std::int64_t{8} << 20;

enum : std::uint8_t {
  kSep = 1,
  kSentence = 2,
  kPlain = 4,
  kClosing = 8,
  kBreak = 16,
  kCandidate = 32,
};

std::array<bool, 256> triggerSet(const text::CharacterSets& sets, bool crlf) {
  std::array<bool, 256> set = sets.inSentenceSet;
  if (crlf) set['\r'] = set['\n'] = true;
  return set;
}

std::array<bool, 256> candidateSet(const text::CharacterSets& sets, const QueryMatcher& matcher) {
  std::array<bool, 256> set{};
  for (int c = 0; c < 256; ++c)
    set[c] = !sets.isSeparator[c] && matcher.MayMatch(static_cast<unsigned char>(c));
  return set;
}

}  // namespace

std::int64_t UnitResult::CountEnds(std::uint64_t from, std::uint64_t to) const {
  // Bits from .. to - 1.
  std::int64_t count = 0;
  std::uint64_t bit = from;
  const std::uint64_t limit = std::min<std::uint64_t>(to, ends.size() * 64);
  while (bit < limit && bit % 64 != 0) {
    count += (ends[bit / 64] >> (bit % 64)) & 1;
    ++bit;
  }
  while (bit + 64 <= limit) {
    count += std::popcount(ends[bit / 64]);
    bit += 64;
  }
  while (bit < limit) {
    count += (ends[bit / 64] >> (bit % 64)) & 1;
    ++bit;
  }
  return count;
}

UnitScanParams::UnitScanParams(const text::CharacterSets& sets, bool crlf, bool enhanced,
                               const search::SearchQuery& query, const QueryMatcher& matcher,
                               std::int32_t maxHits, const BuildOptions& options)
    : crlf(crlf),
      enhanced(enhanced),
      oemToAnsi(sets.oemToAnsi),
      query(query),
      matcher(matcher),
      maxHits(maxHits),
      unitBytes(options.UnitBytes > 0 ? options.UnitBytes : kUnitBytes),
      blockBytes(options.BlockBytes > 0 ? static_cast<std::size_t>(options.BlockBytes) : kBlock),
      bulk(!options.NoBulkSkip),
      classifier(sets.isSeparator, triggerSet(sets, crlf), candidateSet(sets, matcher)) {
  for (int c = 0; c < 256; ++c) {
    std::uint8_t bits = 0;
    if (sets.isSeparator[c]) bits |= kSep;
    if (sets.inSentenceSet[c]) bits |= kSentence;
    if (sets.inPlain[c]) bits |= kPlain;
    if (sets.inClosing[c]) bits |= kClosing;
    if (c == '\r' || c == '\n') bits |= kBreak;
    if (!sets.isSeparator[c] && matcher.MayMatch(static_cast<unsigned char>(c))) bits |= kCandidate;
    classes[c] = bits;
  }
}

UnitScanner::UnitScanner(const UnitScanParams& params, Sink sink)
    : params_(params),
      sink_(std::move(sink)),
      buffer_(std::make_unique_for_overwrite<char[]>(params.blockBytes + 1)),
      slots_(params.query) {}

bool UnitScanner::flush(bool last) {
  UnitResult unit = std::move(unit_);
  unit_ = UnitResult();
  sentences_ = 0;
  unitBytes_ = 0;
  return sink_(std::move(unit), last);
}

bool UnitScanner::emit(std::int64_t offset, bool simpleEnd, bool enhancedEnd) {
  const std::uint64_t word = ++unit_.words;
  const bool end = params_.enhanced ? enhancedEnd : simpleEnd;
  char lowered[256];
  if (candidate_)
    for (std::size_t i = 0; i < length_; ++i) lowered[i] = text::lowerChar(word_[i]);
  const std::string_view w(lowered, candidate_ ? length_ : 0);
  if (params_.query.Kind == search::QueryKind::Simple) {
    if (candidate_ && params_.matcher.MatchesSimple(w))
      unit_.hits.push_back({word, sentences_, offset});
  } else {
    ++position_;
    if (candidate_) {
      const unsigned columns = params_.matcher.MatchingColumns(w);
      for (int c = 0; c < params_.query.ColumnCount; ++c)
        if (columns & (1u << c)) slots_.RecordSlot(c + 1, position_, offset);
    }
    std::int64_t keyword = offset;
    if (end && slots_.Complete() && slots_.FindCombination(keyword))
      unit_.hits.push_back({word, sentences_, keyword});
  }
  if (end) {
    unit_.MarkEnd(word);
    ++sentences_;
    position_ = 0;
    slots_.Clear();
  }
  if (unit_.hits.size() >= static_cast<std::size_t>(params_.maxHits)) return false;
  if (params_.query.Kind == search::QueryKind::Advanced && unitBytes_ >= params_.unitBytes)
    return flush(false);
  return true;
}

const unsigned char* UnitScanner::skipPlainWords(const unsigned char* p, const unsigned char* end,
                                                 std::int64_t offset, std::int64_t until) {
  if (!params_.bulk) return p;
  while (end - p >= 64 && offset + 64 <= until) {
    const ByteMasks m = params_.classifier.Classify(p);
    const std::uint64_t starts = ~m.separators & ((m.separators << 1) | 1);
    const std::uint64_t candidates = starts & m.candidates;
    const std::uint64_t later = starts & ~std::uint64_t{1};
    if (later == 0 || (candidates & 1)) break;
    // Up to the last word start in view, but not past a word that may match
    // nor into the word whose span holds the first byte that can end a
    // sentence.
    int limit = 63 - std::countl_zero(later);
    if (candidates) limit = std::min(limit, std::countr_zero(candidates));
    if (m.triggers) {
      const int t = std::countr_zero(m.triggers);
      const std::uint64_t upTo = t == 63 ? ~std::uint64_t{0} : (std::uint64_t{2} << t) - 1;
      limit = std::min(limit, 63 - std::countl_zero(starts & upTo));
    }
    if (limit == 0) break;
    const auto words =
        static_cast<std::uint64_t>(std::popcount(starts & ((std::uint64_t{1} << limit) - 1)));
    unit_.words += words;
    position_ += static_cast<std::int64_t>(words);
    p += limit;
    offset += limit;
  }
  return p;
}

void UnitScanner::Run(int fd, std::int64_t from, std::int64_t until) {
  const std::uint8_t* const cls = params_.classes.data();
  const bool crlf = params_.crlf;
  enum class Mode { Prelude, SkipWord, GapNoWord, Word, Gap };
  Mode mode = from > 0 ? Mode::Prelude : Mode::GapNoWord;
  std::int64_t readAt = from > 0 ? from - 1 : 0;
  std::int64_t wordOffset = 0;
  bool simpleEnd = false;
  bool enhancedEnd = false;
  unsigned c0 = 0, c1 = 0, c2 = 0;
  position_ = 0;
  slots_.Clear();
  for (;;) {
    ssize_t got;
    do {
      got = ::pread(fd, buffer_.get(), params_.blockBytes, static_cast<off_t>(readAt));
    } while (got < 0 && errno == EINTR);
    if (got < 0) {
      unit_.readError = errno;
      flush(true);
      return;
    }
    if (got == 0) {
      // The end of the file ends the word in hand and its sentence.
      if (mode == Mode::Word || mode == Mode::Gap) {
        if (!emit(wordOffset, true, true)) break;
      }
      break;
    }
    bytesRead_ += got;
    if (params_.oemToAnsi) text::dosToAnsiInPlace(buffer_.get(), static_cast<std::size_t>(got));
    buffer_[got] = '\0';  // a separator behind the data stops the word loop
    const auto* const start = reinterpret_cast<const unsigned char*>(buffer_.get());
    const unsigned char* p = start;
    const unsigned char* const end = start + got;
    const std::int64_t base = readAt;
    if (mode == Mode::Prelude) {
      // The byte before the range: inside a word, that word is the previous range's.
      mode = (cls[*p] & kSep) ? Mode::GapNoWord : Mode::SkipWord;
      ++p;
    }
    bool stop = false;
    while (p < end && !stop) {
      switch (mode) {
        case Mode::Prelude:
        case Mode::SkipWord:
          while (!(cls[*p] & kSep)) ++p;
          if (p < end) mode = Mode::GapNoWord;
          break;
        case Mode::GapNoWord:
          while (p < end && (cls[*p] & kSep)) ++p;
          // No word starts before the range's end: the rest of the run of
          // separators belongs to the ranges after it. Reading on to its
          // end would read a long run once per range inside it.
          if (p == end && base + (end - start) >= until) stop = true;
          if (p < end) {
            if (base + (p - start) >= until) {
              stop = true;
              break;
            }
            p = skipPlainWords(p, end, base + (p - start), until);
            wordOffset = base + (p - start);
            length_ = 0;
            candidate_ = (cls[*p] & kCandidate) != 0;
            c0 = c1 = c2 = 0;
            mode = Mode::Word;
          }
          break;
        case Mode::Word: {
          const unsigned char* q = p;
          while (!(cls[*q] & kSep)) ++q;
          const std::size_t run = static_cast<std::size_t>(q - p);
          // Characters beyond the 255th are skipped (the sentence rule still
          // sees the word's last three).
          const std::size_t kept = std::min(run, text::kMaxTextLength - length_);
          if (kept < run && unit_.firstCutWord == 0) unit_.firstCutWord = unit_.words + 1;
          if (candidate_) std::memcpy(word_ + length_, p, kept);
          if (run >= 3) {
            c0 = q[-3];
            c1 = q[-2];
            c2 = q[-1];
          } else {
            for (const unsigned char* r = p; r < q; ++r) {
              c0 = c1;
              c1 = c2;
              c2 = *r;
            }
          }
          length_ += kept;
          p = q;
          if (p < end) {
            mode = Mode::Gap;
            simpleEnd = enhancedEnd = false;
          }
          break;
        }
        case Mode::Gap:
          while (p < end) {
            const unsigned ch = *p;
            const std::uint8_t bits = cls[ch];
            if (!(bits & kSep)) {
              if (!emit(wordOffset, simpleEnd, enhancedEnd)) {
                stop = true;
                break;
              }
              if (base + (p - start) >= until) {
                stop = true;
                break;
              }
              p = skipPlainWords(p, end, base + (p - start), until);
              wordOffset = base + (p - start);
              length_ = 0;
              candidate_ = (cls[*p] & kCandidate) != 0;
              c0 = c1 = c2 = 0;
              mode = Mode::Word;
              break;
            }
            if (bits & kSentence) simpleEnd = true;
            c0 = c1;
            c1 = c2;
            c2 = ch;
            if (crlf && (bits & kBreak)) simpleEnd = enhancedEnd = true;
            if (ch == ' ') {
              if (!(cls[c0] & kPlain) && c0 >= 32 && (cls[c1] & kSentence))
                enhancedEnd = true;
              else if ((cls[c0] & kSentence) && (cls[c1] & kClosing))
                enhancedEnd = true;
            }
            ++p;
          }
          // Past the range's end with the word's sentence end already
          // decided, the rest of the gap changes nothing: the word is
          // handed over now instead of after the whole run.
          if (!stop && p == end && mode == Mode::Gap && base + (end - start) >= until &&
              (params_.enhanced ? enhancedEnd : simpleEnd)) {
            emit(wordOffset, simpleEnd, enhancedEnd);
            stop = true;
          }
          break;
      }
    }
    if (stop) break;
    readAt += got;
    unitBytes_ += got;
  }
  flush(true);
}

}  // namespace lexvane::concordance
