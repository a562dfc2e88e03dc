#include "text/scan_setup.h"

#include <algorithm>
#include <bit>

#include "text/encoding.h"

namespace lexvane::text {

namespace {

// The bytes that lead a UTF-8 character of a set beyond ASCII. Any other
// byte from 0x80 on belongs to a character that is part of a word, or is an
// invalid byte, which is too.
std::array<bool, 256> wideLeadBytes(const CharacterSets& sets) {
  std::array<bool, 256> leads{};
  if (!IsUtf8(sets.encoding)) return leads;
  for (const auto* set :
       {&sets.wideWordSet, &sets.wideSentenceSet, &sets.widePlain, &sets.wideClosing})
    for (const char32_t ch : *set) {
      char bytes[4];
      EncodeCodePoint(ch, bytes);
      leads[static_cast<unsigned char>(bytes[0])] = true;
    }
  return leads;
}

// The classes the classifier must give: the others are never read.
std::uint8_t wantedClasses(const ScanOptions& options, bool utf8) {
  unsigned wanted = 1u << kScanSeparator | 1u << kScanSimple | 1u << kScanNotWord;
  if (options.enhanced || options.runRule == SentenceRule::Enhanced)
    wanted |= 1u << kScanSentence | 1u << kScanClosing | 1u << kScanLineBreak;
  if (options.detail == WordDetail::Candidates) wanted |= 1u << kScanCandidate;
  if (utf8) wanted |= 1u << kScanWideLead;
  return static_cast<std::uint8_t>(wanted);
}

std::string_view viewOf(const unsigned char* p, const unsigned char* end) {
  return {reinterpret_cast<const char*>(p), static_cast<std::size_t>(end - p)};
}

// The bits of a character of `length` bytes at byte i of a window: those in
// the window, and those of the next one.
void spanOf(int i, unsigned length, std::uint64_t& here, std::uint64_t& next) {
  const std::uint64_t bits = (std::uint64_t{1} << length) - 1;
  here = bits << i;
  next = i + static_cast<int>(length) > 64 ? bits >> (64 - i) : 0;
}

// A UTF-8 character of at least four readable bytes is decoded whole; the
// smallest block holds one and the window it is read with.
constexpr std::size_t kSmallestBlock = 64 + 4;

}  // namespace

ScanSetup::ScanSetup(const CharacterSets& sets, const ScanOptions& options)
    : sets_(sets),
      options_(options),
      classes_(ClassifyBytes(sets)),
      wide_(IsUtf8(sets.encoding) ? Utf8Classes(sets) : Utf8Classes()),
      utf8_(IsUtf8(sets.encoding)),
      // The enhanced rule looks at characters; bytes serve while every
      // sentence separator (and so every closing mark) is ASCII.
      byCharacters_(options.byCharacters || (utf8_ && !sets.wideSentenceSet.empty())),
      countsBits_(options.level != ByteClassifier::Level::Portable && ByteClassifier::CountsBits()),
      blockBytes_(std::max(options.blockBytes > 0 ? options.blockBytes : kDefaultBlockBytes,
                           kSmallestBlock)),
      table_(ScanClassTable(classes_, options.crlf, options.candidates, wideLeadBytes(sets))),
      classifier_(table_, wantedClasses(options, utf8_), options.level) {}

WindowMasker::WindowMasker(const ScanSetup& setup)
    : setup_(setup),
      needSimple_(setup.Options().simple || setup.Options().runRule == SentenceRule::Simple),
      needEnhanced_(setup.Options().enhanced || setup.Options().runRule == SentenceRule::Enhanced),
      simpleRun_(setup.Options().runRule == SentenceRule::Simple) {}

void WindowMasker::Start(std::int64_t offset) {
  carry_ = Carry();
  carry_.separators = ~std::uint64_t{0};
  nextChar_ = offset;
  c0_ = c1_ = 0;
  b0_ = b1_ = 0;
  c1StartsWord_ = false;
  afterSeparator_ = true;
}

void WindowMasker::Read(const WindowMasks* raw, std::size_t count, const unsigned char* p,
                        std::int64_t offset, const unsigned char* end, WindowWords* out) {
#if defined(__x86_64__) || defined(__i386__)
  if (setup_.CountsBits()) {
    readCountingBits(raw, count, p, offset, end, out);
    return;
  }
#endif
  readAll<false>(raw, count, p, offset, end, out);
}

#if defined(__x86_64__) || defined(__i386__)
// The same loop with the processor's population count.
__attribute__((target("popcnt"))) void WindowMasker::readCountingBits(
    const WindowMasks* raw, std::size_t count, const unsigned char* p, std::int64_t offset,
    const unsigned char* end, WindowWords* out) {
  readAll<true>(raw, count, p, offset, end, out);
}
#else
void WindowMasker::readCountingBits(const WindowMasks* raw, std::size_t count,
                                    const unsigned char* p, std::int64_t offset,
                                    const unsigned char* end, WindowWords* out) {
  readAll<false>(raw, count, p, offset, end, out);
}
#endif

template <bool kCountsBits>
inline void WindowMasker::readAll(const WindowMasks* raw, std::size_t count, const unsigned char* p,
                                  std::int64_t offset, const unsigned char* end, WindowWords* out) {
  const auto bits = [](std::uint64_t x) {
    if constexpr (kCountsBits)
      return __builtin_popcountll(x);
    else
      return CountBits(x);
  };
  // The state in locals: the stores to `out` cannot alias them.
  Carry carry = carry_;
  const bool byCharacters = setup_.ByCharacters(), needSimple = needSimple_,
             needEnhanced = needEnhanced_, simpleRun = simpleRun_;
  for (std::size_t k = 0; k < count; ++k, p += 64, offset += 64) {
    const WordMasks m = byCharacters ? this->byCharacters(p, offset, end, carry)
                                     : byBytes(raw[k], p, offset, end, carry);
    const std::uint64_t s = m.separators;
    const std::uint64_t behind = ShiftIn(s, carry.separators, 1);
    carry.separators = s;
    WindowWords& w = out[k];
    const std::uint64_t starts = WordStarts(s, behind);
    w.starts = starts;
    w.wordEnds = s & ~behind;
    w.candidates = starts & m.candidates;
    w.noSeparator = s == 0;
    const std::uint64_t simple = needSimple ? EndsBehindGaps(s, m.simple, carry.simple) : 0;
    const std::uint64_t enhanced = needEnhanced ? EndsBehindGaps(s, m.enhanced, carry.enhanced) : 0;
    w.simple = simple;
    w.enhanced = enhanced;
    w.simpleOpen = carry.simple != 0;
    w.enhancedOpen = carry.enhanced != 0;
    w.words = static_cast<std::uint32_t>(bits(starts));
    // Each sentence end at a word start, by its rank among the starts.
    std::uint64_t ends = 0;
    for (std::uint64_t e = (simpleRun ? simple : enhanced) & starts; e != 0; e &= e - 1)
      ends |= std::uint64_t{1} << bits(starts & ((e & -e) - 1));
    w.runEnds = ends;
  }
  carry_ = carry;
}

inline WordMasks WindowMasker::byBytes(const WindowMasks& raw, const unsigned char* p,
                                       std::int64_t offset, const unsigned char* end,
                                       Carry& carry) const {
  std::uint64_t separators = raw.cls[kScanSeparator] | carry.nextSeparators;
  std::uint64_t notWord = raw.cls[kScanNotWord] | carry.nextNotWord;
  carry.nextSeparators = carry.nextNotWord = 0;
  if (raw.cls[kScanWideLead] && setup_.Utf8())
    markWide(p, end, raw.cls[kScanWideLead], separators, notWord, carry);
  // The byte-order mark is no character of the text: it counts as nothing
  // more than the separators that may stand before the first word.
  if (offset == 0 && setup_.Utf8() && startsWithByteOrderMark(viewOf(p, end))) separators |= 7;
  std::uint64_t valid = ~std::uint64_t{0};
  if (end - p < 64) {
    valid = (std::uint64_t{1} << (end - p)) - 1;
    separators |= ~valid;
  }
  WordMasks m;
  m.separators = separators;
  m.simple = raw.cls[kScanSimple] & valid;
  m.candidates = raw.cls[kScanCandidate] & valid;
  m.enhanced = 0;
  if (needEnhanced_) {
    const std::uint64_t starts = WordStarts(separators, ShiftIn(separators, carry.separators, 1));
    const std::uint64_t sentence = raw.cls[kScanSentence] & valid;
    const std::uint64_t closing = raw.cls[kScanClosing] & valid;
    m.enhanced =
        EnhancedTriggers(raw.blank & valid, raw.cls[kScanLineBreak] & valid,
                         ShiftIn(sentence, carry.sentence, 1), ShiftIn(sentence, carry.sentence, 2),
                         ShiftIn(notWord, carry.notWord, 2), ShiftIn(closing, carry.closing, 1),
                         ShiftIn(starts, carry.starts, 1), setup_.ZeroIsSentence());
    carry.sentence = sentence;
    carry.notWord = notWord;
    carry.closing = closing;
    carry.starts = starts;
  }
  return m;
}

void WindowMasker::markWide(const unsigned char* p, const unsigned char* end, std::uint64_t leads,
                            std::uint64_t& separators, std::uint64_t& notWord, Carry& carry) const {
  const Utf8Classes& wide = setup_.Wide();
  for (; leads != 0; leads &= leads - 1) {
    const int i = std::countr_zero(leads);
    const ClassedChar c =
        wide.At(p + i, static_cast<std::size_t>(end - (p + i)), 0, setup_.Classes());
    if (!(c.bits & (kSeparatorByte | kPlainByte))) continue;
    // The bytes of the character, those beyond the window kept for the next.
    std::uint64_t here, next;
    spanOf(i, c.length, here, next);
    if (c.bits & kSeparatorByte) {
      separators |= here;
      carry.nextSeparators |= next;
    }
    if (c.bits & kPlainByte) {
      notWord |= here;
      carry.nextNotWord |= next;
    }
  }
}

WordMasks WindowMasker::byCharacters(const unsigned char* p, std::int64_t offset,
                                     const unsigned char* end, Carry& carry) {
  const ScanOptions& options = setup_.Options();
  const ByteClassTable& classes = setup_.Classes();
  WordMasks m{carry.nextSeparators, 0, 0, 0};
  carry.nextSeparators = 0;
  const unsigned char* const stop = std::min(p + 64, end);
  const unsigned char* q = p + (nextChar_ - offset);
  // The byte-order mark is no character of the text; as on the byte way its
  // bytes count as separators in front of the first word.
  if (offset == 0 && q == p && setup_.Utf8() && startsWithByteOrderMark(viewOf(p, end))) {
    m.separators |= 7;
    q += 3;
  }
  while (q < stop) {
    const auto size = static_cast<std::size_t>(end - q);
    const ClassedChar c =
        setup_.Utf8() ? setup_.Wide().At(q, size, 0, classes) : ClassedChar{*q, classes[*q], 1};
    const int i = static_cast<int>(q - p);
    const bool separator = (c.bits & kSeparatorByte) != 0;
    const bool startsWord = !separator && afterSeparator_;
    if (separator) {
      std::uint64_t here, next;
      spanOf(i, c.length, here, next);
      m.separators |= here;
      carry.nextSeparators |= next;
      const std::uint64_t bit = std::uint64_t{1} << i;
      if (EndsSimpleSentence(c.bits, options.crlf)) m.simple |= bit;
      if (BreaksLine(c.bits, options.crlf)) m.enhanced |= bit;
      // The window of the rule starts at the word: a first character of a
      // word has the zero character before it.
      if (c.ch == ' ' &&
          EnhancedEndAtBlank(c1StartsWord_ ? 0 : c0_, c1StartsWord_ ? classes[0] : b0_, b1_,
                             WordCharacter::NoControlNoPlain))
        m.enhanced |= bit;
    } else if (setup_.Table()[*q] & (1u << kScanCandidate)) {
      m.candidates |= std::uint64_t{1} << i;
    }
    c0_ = c1_;
    b0_ = b1_;
    c1_ = c.ch;
    b1_ = c.bits;
    c1StartsWord_ = startsWord;
    afterSeparator_ = separator;
    q += c.length;
  }
  nextChar_ = offset + (q - p);
  if (end - p < 64) m.separators |= ~((std::uint64_t{1} << (end - p)) - 1);
  return m;
}

}  // namespace lexvane::text
