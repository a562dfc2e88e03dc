#include "concordance/hit_sink.h"

#include <algorithm>

#include "text/encoding.h"
#include "text/utf8_classes.h"

namespace lexvane::concordance {

namespace {

constexpr std::int64_t kUnitBytes = std::int64_t{8} << 20;

text::ScanOptions scanOptions(const text::CharacterSets& sets, bool crlf, bool enhanced,
                              const QueryMatcher& matcher, const BuildOptions& options) {
  text::ScanOptions scan;
  scan.crlf = crlf;
  scan.simple = !enhanced;
  scan.enhanced = enhanced;
  scan.runRule = enhanced ? text::SentenceRule::Enhanced : text::SentenceRule::Simple;
  scan.detail = options.NoBulkSkip ? text::WordDetail::All : text::WordDetail::Candidates;
  const text::ByteClassTable classes = text::ClassifyBytes(sets);
  for (int c = 0; c < 256; ++c) {
    scan.candidates[c] =
        !(classes[c] & text::kSeparatorByte) && matcher.MayMatch(static_cast<unsigned char>(c));
    scan.candidateSeconds[c] = matcher.MayHaveSecond(static_cast<unsigned char>(c));
  }
  scan.blockBytes = options.BlockBytes > 0 ? static_cast<std::size_t>(options.BlockBytes) : 0;
  return scan;
}

}  // namespace

std::int64_t UnitResult::CountEnds(std::uint64_t from, std::uint64_t to) const {
  // Bits from .. to - 1, a word of bits at a time.
  const std::uint64_t limit = std::min<std::uint64_t>(to, ends.size() * 64);
  if (from >= limit) return 0;
  const std::uint64_t first = from / 64, last = (limit - 1) / 64;
  const std::uint64_t low = ~std::uint64_t{0} << (from % 64);
  const std::uint64_t high = ~std::uint64_t{0} >> (63 - (limit - 1) % 64);
  if (first == last) return text::CountBits(ends[first] & low & high);
  std::int64_t count = text::CountBits(ends[first] & low) + text::CountBits(ends[last] & high);
  for (std::uint64_t i = first + 1; i < last; ++i) count += text::CountBits(ends[i]);
  return count;
}

HitScan::HitScan(const text::CharacterSets& sets, bool crlf, bool enhanced,
                 const search::SearchQuery& query, const QueryMatcher& matcher,
                 std::int32_t maxHits, const BuildOptions& options)
    : query_(query),
      matcher_(matcher),
      enhanced_(enhanced),
      utf8_(text::IsUtf8(sets.encoding)),
      maxHits_(maxHits),
      unitBytes_(options.UnitBytes > 0 ? options.UnitBytes : kUnitBytes),
      setup_(sets, scanOptions(sets, crlf, enhanced, matcher, options)),
      wide_(utf8_ ? text::Utf8Classes(sets) : text::Utf8Classes()),
      candidates_(setup_.Options().candidates) {
  for (int c = 0; c < 256; ++c) lower_[c] = matcher.LowerByte(static_cast<unsigned char>(c));
}

HitSink::HitSink(const HitScan& scan, Handover handover)
    : scan_(scan), handover_(std::move(handover)), slots_(scan.query_) {}

void HitSink::Run(text::BlockScanner<HitSink>& scanner, int fd, std::int64_t from,
                  std::int64_t until) {
  position_ = 0;
  slots_.Clear();
  unitStart_ = from;
  handedOver_ = false;
  const text::ScanEnd end = scanner.ScanFile(*this, fd, from, until);
  if (handedOver_) return;
  unit_.readError = end.readError;
  flush(true);
}

bool HitSink::flush(bool last) {
  UnitResult unit = std::move(unit_);
  unit_ = UnitResult();
  sentences_ = 0;
  if (!handover_(std::move(unit), last)) handedOver_ = true;
  return !handedOver_;
}

bool HitSink::mayStartUtf8(const unsigned char* p, std::size_t available) const {
  if (*p < 0x80) return true;
  const text::ClassedChar c = scan_.wide_.At(p, available, 0, scan_.setup_.Classes());
  return c.length != 2 || scan_.matcher_.MayMatchChar(c.ch);
}

bool HitSink::Candidate(const unsigned char* first, std::size_t available) const {
  return !scan_.utf8_ || mayStartUtf8(first, available);
}

bool HitSink::Word(const text::ScanWord& scanned) {
  const std::uint64_t word = unit_.words + 1;
  const bool end = scan_.enhanced_ ? scanned.enhancedEnd : scanned.simpleEnd;
  unit_.AddWords(1, end ? 1 : 0);
  if (scanned.cut && unit_.firstCutWord == 0) unit_.firstCutWord = word;
  const auto* first = reinterpret_cast<const unsigned char*>(scanned.text.data());
  // Words that no mask can match come here too when they ran long.
  const bool candidate =
      !scanned.text.empty() && scan_.candidates_[*first] && Candidate(first, scanned.text.size());
  char lowered[text::kMaxTextLength * 4 + 4];
  std::string_view w;
  unsigned seen = 0;  // the bits of every byte of the word
  if (candidate) {
    for (std::size_t i = 0; i < scanned.text.size(); ++i) {
      const auto b = static_cast<unsigned char>(scanned.text[i]);
      seen |= b;
      lowered[i] = scan_.lower_[b];
    }
    w = std::string_view(lowered, scanned.text.size());
  }
  if (candidate && scan_.utf8_ && seen >= 0x80) {
    // Beyond ASCII: Unicode's simple lower case per character; an invalid
    // byte stays.
    const std::string_view text = scanned.text;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const text::ByteClassTable& classes = scan_.setup_.Classes();
    std::size_t out = 0;
    for (std::size_t i = 0; i < text.size();) {
      if (bytes[i] < 0x80) {
        const unsigned char b = bytes[i++];
        lowered[out++] = static_cast<char>(b >= 'A' && b <= 'Z' ? b + 0x20 : b);
        continue;
      }
      const text::ClassedChar c = scan_.wide_.At(bytes, text.size(), i, classes);
      if (c.length == 1)
        lowered[out++] = text[i];
      else
        out += text::EncodeCodePoint(scan_.wide_.Lower(c.ch), lowered + out);
      i += c.length;
    }
    w = std::string_view(lowered, out);
  }
  if (scan_.query_.Kind == search::QueryKind::Simple) {
    if (candidate && scan_.matcher_.MatchesSimple(w))
      unit_.hits.push_back({word, sentences_, scanned.offset});
  } else {
    ++position_;
    if (candidate) {
      const unsigned columns = scan_.matcher_.MatchingColumns(w);
      for (int c = 0; c < scan_.query_.ColumnCount; ++c)
        if (columns & (1u << c)) slots_.RecordSlot(c + 1, position_, scanned.offset);
    }
    std::int64_t keyword = scanned.offset;
    if (end && slots_.Complete() && slots_.FindCombination(keyword))
      unit_.hits.push_back({word, sentences_, keyword});
  }
  if (end) {
    ++sentences_;
    position_ = 0;
    slots_.Clear();
  }
  return unit_.hits.size() < static_cast<std::size_t>(scan_.maxHits_);
}

void HitSink::closeSentences(unsigned count, std::uint64_t ends, std::uint64_t before) {
  // None of these words matched: the first sentence end among them closes
  // the sentence in hand, whose matches may combine; later ends close
  // sentences without matches.
  unsigned done = 0;
  for (std::uint64_t e = ends; e != 0; e &= e - 1) {
    const auto k = static_cast<unsigned>(std::countr_zero(e));
    position_ += k - done + 1;
    std::int64_t keyword = 0;
    if (slots_.Complete() && slots_.FindCombination(keyword))
      unit_.hits.push_back({before + k + 1, sentences_, keyword});
    ++sentences_;
    position_ = 0;
    slots_.Clear();
    done = k + 1;
  }
  position_ += count - done;
}

bool HitSink::AfterBlock(std::int64_t reached) {
  if (unit_.hits.size() >= static_cast<std::size_t>(scan_.maxHits_)) return false;
  if (scan_.query_.Kind != search::QueryKind::Advanced || reached - unitStart_ < scan_.unitBytes_)
    return true;
  unitStart_ = reached;
  return flush(false);
}

}  // namespace lexvane::concordance
