#include "concordance/corpus_scan.h"

#include <unistd.h>

#include <array>
#include <bitset>
#include <filesystem>

#include "concordance/fast_scan.h"
#include "search/word_mask.h"
#include "text/encoding.h"
#include "text/error.h"
#include "text/open_file.h"
#include "text/tags.h"
#include "text/text_scanner.h"
#include "text/utf8_classes.h"

namespace lexvane::concordance {

namespace {

bool mayStartWith(const std::string& mask, char loweredFirst) {
  if (mask.empty()) return false;
  return mask[0] == '*' || mask[0] == '?' || mask[0] == loweredFirst;
}

// For each first byte of a UTF-8 word, the first bytes its lower-cased form
// may have: the lower case of a character may have another lead byte, or be
// ASCII (the Kelvin sign, the capital I with dot). An invalid byte stays.
using LeadSet = std::array<std::bitset<256>, 256>;
const LeadSet& loweredLeads() {
  static const LeadSet table = [] {
    LeadSet leads{};
    for (int b = 0; b < 256; ++b)
      leads[static_cast<std::size_t>(b)].set(
          static_cast<std::size_t>(b >= 'A' && b <= 'Z' ? b + 0x20 : b));
    char bytes[4], lowered[4];
    for (char32_t ch = 0x80; ch <= 0x10FFFF; ++ch) {
      if (ch >= 0xD800 && ch <= 0xDFFF) continue;
      text::EncodeCodePoint(ch, bytes);
      text::EncodeCodePoint(text::LowerCodePoint(ch), lowered);
      leads[static_cast<unsigned char>(bytes[0])].set(static_cast<unsigned char>(lowered[0]));
    }
    return leads;
  }();
  return table;
}

// The reference scan: the word loop of the building, one ReadWord at a time.
class ReferenceScan {
 public:
  ReferenceScan(const search::SearchQuery& query, const corpus::CorpusSettings& settings,
                const text::CharacterSets& sets, ConcordanceTable& table, text::OperationHost& host)
      : query_(query),
        settings_(settings),
        table_(table),
        host_(host),
        matcher_(query, sets.encoding),
        slots_(query),
        scanner_(sets) {}

  // False when Cancel or a full table stopped the scan before the file's end.
  bool ScanFile(const std::string& path, std::int32_t d);

 private:
  bool tableFull() const { return table_.Keywords().GetCount() >= table_.MaxListSize; }
  void showCounts() {
    host_.search.SetCounts(table_.TotalWords, table_.TotalSentences, table_.Keywords().GetCount());
  }

  const search::SearchQuery& query_;
  const corpus::CorpusSettings& settings_;
  ConcordanceTable& table_;
  text::OperationHost& host_;
  QueryMatcher matcher_;
  HitSlots slots_;
  text::TextScanner scanner_;
};

bool ReferenceScan::ScanFile(const std::string& path, std::int32_t d) {
  if (host_.search.Cancelled()) return false;
  bool toEnd = true;
  std::int64_t sentenceNo = 0;
  std::int64_t wordPosition = 1;
  slots_.Clear();
  host_.search.SetFile(std::filesystem::path(path).filename().string());
  const bool crlf = settings_.CRLFAsSeparator;
  const bool simple = query_.Kind == search::QueryKind::Simple;
  // Hits are re-read for their sentences: a pipe cannot serve.
  if (scanner_.OpenFile(path, host_.ui, text::FileAccess::Seek)) {
    text::ScannedWord scanned;
    char lowered[text::kMaxTextLength];
    const bool utf8 = text::IsUtf8(settings_.TextEncoding);
    std::string loweredUtf8;
    while ((toEnd = !tableFull() && !host_.search.Cancelled()) &&
           scanner_.ReadWord(scanned, crlf)) {
      const bool sentenceEnd = settings_.EnhSentDetect ? scanned.enhancedEnd : scanned.simpleEnd;
      ++table_.TotalWords;
      std::string_view word = scanned.word;
      std::string stripped;
      if (settings_.TaggedText && !text::ExtractTag(word).empty()) {
        stripped = text::StripTag(word, settings_.TextEncoding);
        word = stripped;
      }
      std::string_view w;
      if (utf8) {
        loweredUtf8 = text::lowered(word, text::Encoding::Utf8);
        w = loweredUtf8;
      } else {
        const std::size_t length = std::min(word.size(), text::kMaxTextLength);
        for (std::size_t i = 0; i < length; ++i) lowered[i] = text::lowerChar(word[i]);
        w = std::string_view(lowered, length);
      }
      std::int64_t offset = scanned.offset;
      bool hit = false;
      if (simple) {
        hit = matcher_.MatchesSimple(w);
      } else {
        const unsigned columns = matcher_.MatchingColumns(w);
        for (int c = 0; c < query_.ColumnCount; ++c)
          if (columns & (1u << c)) slots_.RecordSlot(c + 1, wordPosition, offset);
        if (sentenceEnd && slots_.Complete()) hit = slots_.FindCombination(offset);
      }
      if (scanned.cut && (table_.CutWordFiles.empty() || table_.CutWordFiles.back() != path))
        table_.CutWordFiles.push_back(path);
      if (hit)
        table_.Keywords().AddObject(kKeywordPlaceholder, new TOneWordInfo(d, sentenceNo, offset));
      if (sentenceEnd) {
        wordPosition = 0;
        slots_.Clear();
        ++sentenceNo;
        ++table_.TotalSentences;
      }
      ++wordPosition;
      if (table_.TotalWords % 1000 == 0) showCounts();
    }
    // A stop after the file's last word still read the whole file. (Only a
    // look ahead: a read error there is no error of the build.)
    if (!toEnd) {
      try {
        toEnd = !scanner_.ReadWord(scanned, crlf);
      } catch (const text::Error&) {
      }
    }
    scanner_.CloseFile();
  }
  host_.search.SetFile("");
  showCounts();
  return toEnd;
}

}  // namespace

QueryMatcher::QueryMatcher(const search::SearchQuery& query, text::Encoding encoding)
    : query_(query), encoding_(text::IsUtf8(encoding) ? text::Encoding::Utf8 : encoding) {
  for (std::size_t c = 0; c < literal_.size(); ++c)
    for (const std::string& mask : query.Masks[c])
      literal_[c].push_back(mask.find_first_of("*?") == std::string::npos);
  for (int b = 0; b < 256; ++b)
    lowerByte_[b] = encoding_ != text::Encoding::Utf8 ? text::lowerChar(static_cast<char>(b))
                    : b < 0x80 ? static_cast<char>(text::LowerCodePoint(static_cast<char32_t>(b)))
                               : static_cast<char>(b);
  for (int b = 0; b < 256; ++b) {
    const char first = lowerByte_[b];
    bool may = false;
    if (encoding_ == text::Encoding::Utf8) {
      const std::bitset<256>& leads = loweredLeads()[static_cast<std::size_t>(b)];
      for (const auto& column : query.Masks)
        for (const std::string& mask : column)
          may = may || (!mask.empty() && (mask[0] == '*' || mask[0] == '?' ||
                                          leads.test(static_cast<unsigned char>(mask[0]))));
    } else {
      for (const auto& column : query.Masks)
        for (const std::string& mask : column) may = may || mayStartWith(mask, first);
    }
    mayMatch_[b] = may;
  }
  findSeconds(query);
  if (encoding_ != text::Encoding::Utf8) return;
  // A literal first character of a mask must be the word's first character
  // lower-cased, byte for byte.
  char lowered[4];
  for (char32_t ch = 0; ch < 0x800; ++ch) {
    const std::string_view first(lowered, text::EncodeCodePoint(text::LowerCodePoint(ch), lowered));
    bool may = false;
    for (const auto& column : query.Masks)
      for (const std::string& mask : column)
        may =
            may || (!mask.empty() && (mask[0] == '*' || mask[0] == '?' || mask.starts_with(first)));
    mayMatchChar_[ch] = may;
  }
}

void QueryMatcher::findSeconds(const search::SearchQuery& query) {
  const bool utf8 = encoding_ == text::Encoding::Utf8;
  for (int b = 0; b < 256; ++b) mayHaveSecond_[b] = utf8 && b >= 0x80;
  for (const auto& column : query.Masks)
    for (const std::string& mask : column) {
      if (mask.empty()) continue;
      const auto first = static_cast<unsigned char>(mask[0]);
      const bool any =
          first == '*' || first == '?' || (mask.size() > 1 && (mask[1] == '*' || mask[1] == '?'));
      // A word of one character needs no second byte; in UTF-8 a first
      // character beyond ASCII is followed by a byte from 0x80 on.
      if (!any && (mask.size() == 1 || (utf8 && first >= 0x80))) continue;
      for (int b = 0; b < 256; ++b)
        if (any || lowerByte_[b] == mask[1]) mayHaveSecond_[b] = true;
    }
}

inline bool QueryMatcher::matches(std::string_view lowered, int column, std::size_t mask) const {
  const std::string& m = query_.Masks[static_cast<std::size_t>(column)][mask];
  return literal_[static_cast<std::size_t>(column)][mask]
             ? lowered == m
             : search::MatchMask(lowered, m, encoding_);
}

bool QueryMatcher::MatchesSimple(std::string_view lowered) const {
  for (std::size_t i = 0; i < query_.Masks[0].size(); ++i)
    if (matches(lowered, 0, i)) return true;
  return false;
}

unsigned QueryMatcher::MatchingColumns(std::string_view lowered) const {
  unsigned columns = 0;
  for (int c = 0; c < query_.ColumnCount; ++c)
    for (std::size_t i = 0; i < query_.Masks[static_cast<std::size_t>(c)].size(); ++i)
      if (matches(lowered, c, i)) {
        columns |= 1u << c;
        break;
      }
  return columns;
}

void ScanCorpus(const search::SearchQuery& query, const corpus::CorpusSettings& settings,
                const text::CharacterSets& sets, ConcordanceTable& table, text::OperationHost& host,
                const BuildOptions& options) {
  if (options.Mode == ScanMode::Fast && FastScanApplies(settings)) {
    FastScanCorpus(query, settings, sets, table, host, options);
    return;
  }
  ReferenceScan scan(query, settings, sets, table, host);
  table.FileWords.assign(static_cast<std::size_t>(table.FileCount), 0);
  table.ScanReachedEnd = true;
  for (std::int32_t d = 0; d < table.FileCount; ++d) {
    if (table.Keywords().GetCount() >= table.MaxListSize || host.search.Cancelled()) {
      table.ScanReachedEnd = false;
      continue;
    }
    const std::int64_t before = table.TotalWords;
    if (!scan.ScanFile(table.CorpusFiles[static_cast<std::size_t>(d)], d))
      table.ScanReachedEnd = false;
    table.FileWords[static_cast<std::size_t>(d)] = table.TotalWords - before;
  }
}

HitWindowReader::~HitWindowReader() {
  if (fd_ >= 0) ::close(fd_);
}

void HitWindowReader::Retrieve(const std::string& path, std::int64_t offset, bool crlf,
                               bool enhanced, text::Sentence& sentence) {
  if (offset < 0) return;
  if (fd_ < 0 || path != path_) {
    if (fd_ >= 0) ::close(fd_);
    path_ = path;
    int error = 0;
    fd_ = text::OpenCorpusFile(path, text::FileAccess::Seek, error);
    if (fd_ < 0) throw text::Error(text::OpenErrorMessage(path, error));
  }
  char window[text::kUtf8WindowBytes];
  std::int64_t start = 0;
  const std::size_t got =
      text::ReadSentenceWindow(fd_, path, offset, window, start, sets_.encoding);
  if (got == 0) return;
  if (!cutter_ || cutter_->Crlf() != crlf) cutter_.emplace(sets_, crlf);
  cutter_->Cut(window, got, start, offset, enhanced, sentence);
}

}  // namespace lexvane::concordance
