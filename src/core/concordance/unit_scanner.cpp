#include "concordance/unit_scanner.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "text/encoding.h"
#include "text/read_file.h"

namespace lexvane::concordance {

namespace {

constexpr std::size_t kBlock = 256 * 1024;
constexpr std::int64_t kUnitBytes = std::int64_t{8} << 20;

constexpr std::uint8_t kSep = text::kSeparatorByte;
// A word starting with the byte may match a mask.
constexpr std::uint8_t kCandidate = text::kFirstCallerByteBit;

// The bytes of the class table that have `bit`.
std::array<bool, 256> membersOf(const text::ByteClassTable& classes, std::uint8_t bit) {
  std::array<bool, 256> set{};
  for (int c = 0; c < 256; ++c) set[c] = (classes[c] & bit) != 0;
  return set;
}

// The bytes whose presence in a word's span (the word and its gap) may let
// that word end a sentence: those that end one by the simple rule, which
// also cover every enhanced end but one. The enhanced rule's window starts as
// three zero characters, so when the zero character is a sentence separator,
// a word of one closing mark followed by a blank ends a sentence with no
// other help: its closing mark is a trigger too.
// `wideLeads`: in UTF-8 text, the lead bytes of the set members beyond
// ASCII; they stop the bulk skip.
std::array<bool, 256> triggerSet(const text::ByteClassTable& classes, bool crlf, bool enhanced,
                                 const std::array<bool, 256>& wideLeads) {
  const bool zeroEnds = enhanced && (classes[0] & text::kSentenceByte) != 0;
  std::array<bool, 256> set{};
  for (int c = 0; c < 256; ++c)
    set[c] = text::EndsSimpleSentence(classes[c], crlf) ||
             (zeroEnds && (classes[c] & text::kClosingByte) != 0) || wideLeads[c];
  return set;
}

// The separators for the bulk skip: the lead bytes of set members beyond
// ASCII as well, so that no word start is seen at one (the skip stops in
// front of them anyway).
std::array<bool, 256> separatorSet(const text::ByteClassTable& classes,
                                   const std::array<bool, 256>& wideLeads) {
  std::array<bool, 256> set = membersOf(classes, text::kSeparatorByte);
  for (int c = 0x80; c < 256; ++c) set[c] = set[c] || wideLeads[c];
  return set;
}

// The bytes that lead a UTF-8 character of a set (a separator, a sentence
// separator or a closing mark beyond ASCII). Any other byte from 0x80 on
// belongs to a character that is part of a word, or is an invalid byte,
// which is too.
std::array<bool, 256> wideLeadBytes(const text::CharacterSets& sets) {
  std::array<bool, 256> leads{};
  if (!text::IsUtf8(sets.encoding)) return leads;
  for (const auto* set : {&sets.wideWordSet, &sets.wideSentenceSet, &sets.wideClosing})
    for (const char32_t ch : *set) {
      char bytes[4];
      text::EncodeCodePoint(ch, bytes);
      leads[static_cast<unsigned char>(bytes[0])] = true;
    }
  return leads;
}

// The code point of the valid two-byte UTF-8 character at p.
inline char32_t twoByteChar(const unsigned char* p) {
  return (static_cast<char32_t>(p[0] & 0x1F) << 6) | (p[1] & 0x3F);
}

// The smallest read block of UTF-8 text: a character of four bytes and
// more fits.
constexpr std::size_t kSmallestUtf8Block = 8;

text::ByteClassTable classesWithCandidates(const text::CharacterSets& sets,
                                           const QueryMatcher& matcher) {
  text::ByteClassTable classes = text::ClassifyBytes(sets);
  for (int c = 0; c < 256; ++c)
    if (!(classes[c] & kSep) && matcher.MayMatch(static_cast<unsigned char>(c)))
      classes[c] |= kCandidate;
  return classes;
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
    : classes(classesWithCandidates(sets, matcher)),
      crlf(crlf),
      enhanced(enhanced),
      oemToAnsi(sets.oemToAnsi),
      query(query),
      matcher(matcher),
      maxHits(maxHits),
      unitBytes(options.UnitBytes > 0 ? options.UnitBytes : kUnitBytes),
      blockBytes(options.BlockBytes > 0 ? static_cast<std::size_t>(options.BlockBytes) : kBlock),
      bulk(!options.NoBulkSkip),
      utf8(text::IsUtf8(sets.encoding)),
      wide(utf8 ? text::Utf8Classes(sets) : text::Utf8Classes()),
      classifier(separatorSet(classes, wideLeadBytes(sets)),
                 triggerSet(classes, crlf, enhanced, wideLeadBytes(sets)),
                 membersOf(classes, kCandidate)) {
  if (utf8) blockBytes = std::max(blockBytes, kSmallestUtf8Block);
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
  char lowered[text::kMaxTextLength * 4 + 4];
  std::string_view w;
  if (candidate_ && params_.utf8) {
    // Unicode's simple lower case per character; an invalid byte stays.
    const auto* word = reinterpret_cast<const unsigned char*>(word_);
    std::size_t out = 0;
    for (std::size_t i = 0; i < length_;) {
      const text::ClassedChar c = params_.wide.At(word, length_, i, params_.classes);
      if (c.ch < 0x80)
        lowered[out++] = static_cast<char>(c.ch >= 'A' && c.ch <= 'Z' ? c.ch + 0x20 : c.ch);
      else if (c.length == 1)
        lowered[out++] = word_[i];
      else
        out += text::EncodeCodePoint(params_.wide.Lower(c.ch), lowered + out);
      i += c.length;
    }
    w = std::string_view(lowered, out);
  } else if (candidate_) {
    for (std::size_t i = 0; i < length_; ++i) lowered[i] = text::lowerChar(word_[i]);
    w = std::string_view(lowered, length_);
  }
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

// The lowest of the word starts `candidates` (bit i for p[i]) at which a
// word may match, by its first character; 0 when none.
inline std::uint64_t UnitScanner::firstCandidateUtf8(const unsigned char* p,
                                                     std::uint64_t candidates) const {
  for (; candidates != 0; candidates &= candidates - 1) {
    const int i = std::countr_zero(candidates);
    if (params_.MayStartUtf8(p + i)) return candidates & -candidates;
  }
  return 0;
}

const unsigned char* UnitScanner::skipPlainWords(const unsigned char* p, const unsigned char* end,
                                                 std::int64_t offset, std::int64_t until) {
  if (!params_.bulk) return p;
  while (end - p >= 64 && offset + 64 <= until) {
    const ByteMasks m = params_.classifier.Classify(p);
    const std::uint64_t starts = ~m.separators & ((m.separators << 1) | 1);
    std::uint64_t candidates = starts & m.candidates;
    const std::uint64_t later = starts & ~std::uint64_t{1};
    if (later == 0) break;
    // Up to the last word start in view, but not past a word that may match
    // nor into the word whose span holds the first byte that can end a
    // sentence.
    int limit = 63 - std::countl_zero(later);
    if (m.triggers) {
      const int t = std::countr_zero(m.triggers);
      const std::uint64_t upTo = t == 63 ? ~std::uint64_t{0} : (std::uint64_t{2} << t) - 1;
      limit = std::min(limit, 63 - std::countl_zero(starts & upTo));
    }
    // Most Greek or Cyrillic letters share their lead byte: the first
    // character decides, for the words before the limit.
    if (params_.utf8 && limit > 0)
      candidates = firstCandidateUtf8(p, candidates & ((std::uint64_t{1} << limit) - 1));
    if (candidates & 1) break;
    if (candidates) limit = std::min(limit, std::countr_zero(candidates));
    // Nothing to skip (in UTF-8 text a word may start with a byte that stops
    // the skip).
    if (limit <= 0) break;
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
  Cursor cursor;
  cursor.mode = from > 0 ? Mode::Prelude : Mode::GapNoWord;
  std::int64_t readAt = from > 0 ? from - 1 : 0;
  position_ = 0;
  slots_.Clear();
  if (params_.utf8) {
    readAt = startUtf8(fd, from, cursor);
    if (readAt < 0) {
      unit_.readError = errno;
      flush(true);
      return;
    }
  }
  for (;;) {
    std::int64_t got = text::ReadSomeAt(fd, buffer_.get(), params_.blockBytes, readAt);
    if (got < 0) {
      unit_.readError = errno;
      flush(true);
      return;
    }
    if (got == 0) {
      endOfFile(cursor);
      break;
    }
    if (params_.utf8) {
      // A character begun at the block's end is read again with the next.
      const std::size_t tail = text::IncompleteTail(
          reinterpret_cast<const unsigned char*>(buffer_.get()), static_cast<std::size_t>(got));
      if (tail > 0 && static_cast<std::int64_t>(tail) < got) got -= static_cast<std::int64_t>(tail);
      if (scanBlockUtf8(cursor, takeBlock(readAt, got), until)) break;
    } else if (scanBlock(cursor, takeBlock(readAt, got), until)) {
      break;
    }
    readAt += got;
    unitBytes_ += got;
  }
  flush(true);
}

std::int64_t UnitScanner::startUtf8(int fd, std::int64_t from, Cursor& cursor) {
  unsigned char bytes[8];
  const std::int64_t back = std::min<std::int64_t>(from, 4);
  const std::int64_t got =
      text::ReadSomeAt(fd, reinterpret_cast<char*>(bytes), sizeof bytes, from - back);
  if (got < 0) return -1;
  cursor.mode = Mode::GapNoWord;
  if (from == 0) {
    // The byte-order mark is no character of the text.
    return got >= 3 && std::memcmp(bytes, text::kByteOrderMark, 3) == 0 ? 3 : 0;
  }
  if (got <= back) return from;  // nothing from `from` on
  std::size_t previous = 0;
  const std::size_t start = text::RangeStart(bytes, static_cast<std::size_t>(got),
                                             static_cast<std::size_t>(back), previous);
  // Inside a word, that word is the previous range's. The byte-order mark
  // at the file's start is no character of one.
  const text::ClassedChar before =
      params_.wide.At(bytes, static_cast<std::size_t>(got), previous, params_.classes);
  const bool mark = from - back + static_cast<std::int64_t>(previous) == 0 && got >= 3 &&
                    std::memcmp(bytes, text::kByteOrderMark, 3) == 0;
  if (!mark && !(before.bits & kSep)) cursor.mode = Mode::SkipWord;
  return from - back + static_cast<std::int64_t>(start);
}

UnitScanner::Block UnitScanner::takeBlock(std::int64_t at, std::int64_t got) {
  bytesRead_ += got;
  if (params_.oemToAnsi) text::dosToAnsiInPlace(buffer_.get(), static_cast<std::size_t>(got));
  buffer_[got] = '\0';  // a separator behind the data stops the word loop
  const auto* const start = reinterpret_cast<const unsigned char*>(buffer_.get());
  return {start, start + got, at};
}

void UnitScanner::endOfFile(Cursor& cursor) {
  // The end of the file ends the word in hand and its sentence.
  if (cursor.mode != Mode::Word && cursor.mode != Mode::Gap) return;
  emit(cursor.wordOffset, true, true);
}

void UnitScanner::keep(const unsigned char* p, std::size_t bytes, std::size_t characters) {
  // Characters beyond the 255th are skipped (the sentence rule still sees
  // the word's last three).
  if (characters_ + characters > text::kMaxTextLength && unit_.firstCutWord == 0)
    unit_.firstCutWord = unit_.words + 1;
  if (characters_ < text::kMaxTextLength && candidate_) {
    // An ASCII run is cut at the 255th character; a wider character comes
    // alone.
    const std::size_t room = text::kMaxTextLength - characters_;
    const std::size_t taken = characters == bytes ? std::min(bytes, room) : bytes;
    std::memcpy(word_ + length_, p, taken);
    length_ += taken;
  }
  characters_ += characters;
}

void UnitScanner::keepRun(const unsigned char* p, std::size_t bytes, std::size_t characters) {
  if (characters == bytes || characters_ + characters <= text::kMaxTextLength || !candidate_) {
    keep(p, bytes, characters);
    return;
  }
  // Cut at the 255th character: the characters in room, and the rest
  // counted.
  std::size_t taken = 0, kept = 0;
  while (characters_ + kept < text::kMaxTextLength) {
    taken += p[taken] < 0x80 ? 1 : 2;
    ++kept;
  }
  keep(p, taken, kept);
  keep(p + taken, bytes - taken, characters - kept);
}

const unsigned char* UnitScanner::startWordUtf8(Cursor& cursor, const Block& block,
                                                const unsigned char* p, std::int64_t until) {
  p = skipPlainWords(p, block.end, block.OffsetOf(p), until);
  cursor.wordOffset = block.OffsetOf(p);
  cursor.charEnds = text::CharSentenceEnds(params_.classes);
  cursor.mode = Mode::Word;
  length_ = 0;
  characters_ = 0;
  candidate_ = params_.MayStartUtf8(p);
  return p;
}

bool UnitScanner::scanBlockUtf8(Cursor& cursor, const Block& block, std::int64_t until) {
  const text::ByteClassTable& cls = params_.classes;
  const std::size_t size = static_cast<std::size_t>(block.end - block.start);
  const auto at = [&](const unsigned char* q) {
    return params_.wide.At(block.start, size, static_cast<std::size_t>(q - block.start), cls);
  };
  const unsigned char* p = block.start;
  while (p < block.end) {
    switch (cursor.mode) {
      case Mode::Prelude:
      case Mode::SkipWord:
        for (;;) {
          // The sentinel behind the data stops the ASCII loop.
          while (*p < 0x80 && !(cls[*p] & kSep)) ++p;
          if (p >= block.end) return false;
          const text::ClassedChar c = at(p);
          if (c.bits & kSep) break;
          p += c.length;
        }
        cursor.mode = Mode::GapNoWord;
        break;
      case Mode::GapNoWord:
        for (;;) {
          while (p < block.end && *p < 0x80 && (cls[*p] & kSep)) ++p;
          if (p >= block.end) {
            // No word starts before the range's end: the rest of the run of
            // separators belongs to the ranges after it.
            return block.OffsetOf(block.end) >= until;
          }
          const text::ClassedChar c = at(p);
          if (!(c.bits & kSep)) break;
          p += c.length;
        }
        if (block.OffsetOf(p) >= until) return true;
        p = startWordUtf8(cursor, block, p, until);
        break;
      case Mode::Word:
        for (;;) {
          // A run of ASCII word bytes and valid two-byte word characters
          // (Latin, Greek, Cyrillic) goes at once; only its last three
          // characters matter to the sentence rules.
          const unsigned char* q = p;
          std::size_t characters = 0;
          for (;; ++characters) {
            if (*q < 0x80) {
              if (cls[*q] & kSep) break;
              ++q;
            } else if (*q >= 0xC2 && *q <= 0xDF && (q[1] & 0xC0) == 0x80 &&
                       !(params_.wide.WideBits(twoByteChar(q)) & kSep)) {
              q += 2;
            } else {
              break;
            }
          }
          if (q > p) {
            keepRun(p, static_cast<std::size_t>(q - p), characters);
            const unsigned char* last[3];
            int n = 0;
            for (const unsigned char* r = q; n < 3 && r > p; ++n) {
              r -= r[-1] < 0x80 ? 1 : 2;
              last[n] = r;
            }
            while (n > 0) {
              const unsigned char* r = last[--n];
              if (*r < 0x80)
                cursor.charEnds.WordChar(*r, cls[*r]);
              else
                cursor.charEnds.WordChar(twoByteChar(r), params_.wide.WideBits(twoByteChar(r)));
            }
            p = q;
          }
          if (p >= block.end) return false;
          const text::ClassedChar c = at(p);
          if (c.bits & kSep) break;
          keep(p, c.length, 1);
          cursor.charEnds.WordChar(c.ch, c.bits);
          p += c.length;
        }
        cursor.mode = Mode::Gap;
        break;
      case Mode::Gap: {
        text::CharSentenceEnds& ends = cursor.charEnds;
        while (p < block.end) {
          const text::ClassedChar c = at(p);
          if (!(c.bits & kSep)) {
            // The next word hands this one over.
            if (!emit(cursor.wordOffset, ends.Simple(), ends.Enhanced()) ||
                block.OffsetOf(p) >= until)
              return true;
            p = startWordUtf8(cursor, block, p, until);
            break;
          }
          ends.GapChar(c.ch, c.bits, params_.crlf);
          p += c.length;
        }
        // Past the range's end with the word's sentence end already decided,
        // the rest of the gap changes nothing.
        if (p >= block.end && cursor.mode == Mode::Gap && block.OffsetOf(block.end) >= until &&
            ends.Ends(params_.enhanced)) {
          emit(cursor.wordOffset, ends.Simple(), ends.Enhanced());
          return true;
        }
        break;
      }
    }
  }
  return false;
}

bool UnitScanner::scanBlock(Cursor& kept, const Block& block, std::int64_t until) {
  Cursor cursor = kept;  // a local copy the compiler keeps in registers
  const unsigned char* p = block.start;
  if (cursor.mode == Mode::Prelude) {
    // The byte before the range: inside a word, that word is the previous range's.
    cursor.mode = (params_.classes[*p] & kSep) ? Mode::GapNoWord : Mode::SkipWord;
    ++p;
  }
  bool stop = false;
  while (p < block.end && !stop) {
    switch (cursor.mode) {
      case Mode::Prelude:
      case Mode::SkipWord:
        p = skipWord(cursor, block, p);
        break;
      case Mode::GapNoWord:
        p = gapBeforeWord(cursor, block, p, until, stop);
        break;
      case Mode::Word:
        p = wordPart(cursor, block, p);
        break;
      case Mode::Gap:
        p = gapAfterWord(cursor, block, p, until, stop);
        break;
    }
  }
  kept = cursor;
  return stop;
}

inline const unsigned char* UnitScanner::skipWord(Cursor& cursor, const Block& block,
                                                  const unsigned char* p) {
  const text::ByteClassTable& cls = params_.classes;
  while (!(cls[*p] & kSep)) ++p;
  if (p < block.end) cursor.mode = Mode::GapNoWord;
  return p;
}

inline const unsigned char* UnitScanner::gapBeforeWord(Cursor& cursor, const Block& block,
                                                       const unsigned char* p, std::int64_t until,
                                                       bool& stop) {
  const text::ByteClassTable& cls = params_.classes;
  while (p < block.end && (cls[*p] & kSep)) ++p;
  if (p == block.end) {
    // No word starts before the range's end: the rest of the run of
    // separators belongs to the ranges after it. Reading on to its end would
    // read a long run once per range inside it.
    if (block.OffsetOf(block.end) >= until) stop = true;
    return p;
  }
  if (block.OffsetOf(p) >= until) {
    stop = true;
    return p;
  }
  return startWord(cursor, block, p, until);
}

inline const unsigned char* UnitScanner::startWord(Cursor& cursor, const Block& block,
                                                   const unsigned char* p, std::int64_t until) {
  p = skipPlainWords(p, block.end, block.OffsetOf(p), until);
  cursor.wordOffset = block.OffsetOf(p);
  cursor.ends = text::GapSentenceEnds();
  cursor.mode = Mode::Word;
  length_ = 0;
  candidate_ = (params_.classes[*p] & kCandidate) != 0;
  return p;
}

inline const unsigned char* UnitScanner::wordPart(Cursor& cursor, const Block& block,
                                                  const unsigned char* p) {
  const text::ByteClassTable& cls = params_.classes;
  const unsigned char* q = p;
  while (!(cls[*q] & kSep)) ++q;
  const std::size_t run = static_cast<std::size_t>(q - p);
  // Characters beyond the 255th are skipped (the sentence rule still sees
  // the word's last three).
  const std::size_t kept = std::min(run, text::kMaxTextLength - length_);
  if (kept < run && unit_.firstCutWord == 0) unit_.firstCutWord = unit_.words + 1;
  if (candidate_) std::memcpy(word_ + length_, p, kept);
  text::GapSentenceEnds ends = cursor.ends;
  for (const unsigned char* r = run >= 3 ? q - 3 : p; r < q; ++r) ends.WordByte(*r);
  cursor.ends = ends;
  length_ += kept;
  if (q < block.end) cursor.mode = Mode::Gap;
  return q;
}

inline const unsigned char* UnitScanner::gapAfterWord(Cursor& cursor, const Block& block,
                                                      const unsigned char* p, std::int64_t until,
                                                      bool& stop) {
  const text::ByteClassTable& cls = params_.classes;
  const bool crlf = params_.crlf;
  text::GapSentenceEnds ends = cursor.ends;
  while (p < block.end) {
    const unsigned ch = *p;
    const std::uint8_t bits = cls[ch];
    if (!(bits & kSep)) {
      // The next word hands this one over.
      if (!emit(cursor.wordOffset, ends.Simple(), ends.Enhanced()) || block.OffsetOf(p) >= until) {
        stop = true;
        return p;
      }
      return startWord(cursor, block, p, until);
    }
    ends.GapByte(ch, bits, cls, crlf);
    ++p;
  }
  cursor.ends = ends;
  // Past the range's end with the word's sentence end already decided, the
  // rest of the gap changes nothing: the word is handed over now instead of
  // after the whole run.
  if (block.OffsetOf(block.end) >= until && ends.Ends(params_.enhanced)) {
    emit(cursor.wordOffset, ends.Simple(), ends.Enhanced());
    stop = true;
  }
  return p;
}

}  // namespace lexvane::concordance
