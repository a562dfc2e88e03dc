#include "keywords/reference_corpus.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <vector>

#include "corpus/corpus_settings.h"
#include "corpus/list_files.h"
#include "io/file_content.h"
#include "text/error.h"

namespace lexvane::keywords {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool endsWithIgnoringCase(std::string_view s, std::string_view suffix) {
  if (s.size() < suffix.size()) return false;
  return std::equal(s.end() - suffix.size(), s.end(), suffix.begin(), [](char a, char b) {
    return (a >= 'A' && a <= 'Z' ? a + ('a' - 'A') : a) == b;
  });
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

std::optional<std::int64_t> wholeNumber(std::string_view s) {
  if (s.empty() || !std::all_of(s.begin(), s.end(), isDigit)) return std::nullopt;
  std::int64_t n = 0;
  auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), n);
  if (error != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return n;
}

std::string_view trimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

struct Entry {
  std::string_view word;
  std::int64_t frequency;
};

// word<TAB>frequency: exactly one tab, a whole number after it.
std::optional<Entry> parseTabLine(std::string_view line) {
  const std::size_t tab = line.find('\t');
  if (tab == std::string_view::npos || line.find('\t', tab + 1) != std::string_view::npos)
    return std::nullopt;
  const std::string_view word = trimBlanks(line.substr(0, tab));
  const auto frequency = wholeNumber(trimBlanks(line.substr(tab + 1)));
  if (word.empty() || !frequency) return std::nullopt;
  return Entry{word, *frequency};
}

// A line of the frequency copy, read from its end: the fields of numbers
// cannot hold the delimiter, the word may.
class SavedLineParser {
 public:
  explicit SavedLineParser(bool utf8) : utf8_(utf8) {}

  // word D frequency D percent(3), optionally followed by D cumulative D
  // percent(2). The delimiter is learnt from the first line and must stay.
  std::optional<Entry> Parse(std::string_view line) {
    if (auto e = parse(line, true)) return e;
    return parse(line, false);
  }

 private:
  // The number fields from the right, as decimals of a percentage (0: a
  // whole number). With `cumulative`: percent(2), cumulative, percent(3),
  // frequency; else percent(3), frequency.
  std::optional<Entry> parse(std::string_view line, bool cumulative) {
    const int fields = cumulative ? 4 : 2;
    const std::array<int, 4> decimals =
        cumulative ? std::array<int, 4>{2, 0, 3, 0} : std::array<int, 4>{3, 0, 0, 0};
    std::size_t end = line.size();
    std::int64_t frequency = 0;
    std::string delimiter = delimiter_;
    for (int f = 0; f < fields; ++f) {
      const std::size_t start = numberStart(line, end, decimals[f]);
      if (start == std::string_view::npos || start == 0) return std::nullopt;
      if (f == fields - 1) {
        auto n = wholeNumber(line.substr(start, end - start));
        if (!n) return std::nullopt;
        frequency = *n;
      }
      const std::size_t d = characterBefore(line, start);
      const std::string_view found = line.substr(d, start - d);
      if (found.size() == 1 && (isDigit(found[0]) || found[0] == ' ' || found[0] == '.'))
        return std::nullopt;
      if (delimiter.empty()) delimiter = std::string(found);
      if (found != delimiter) return std::nullopt;
      end = d;
    }
    if (end == 0) return std::nullopt;
    delimiter_ = delimiter;
    return Entry{line.substr(0, end), frequency};
  }

  // The start of a number field ending at `end`: digits, or blanks, digits,
  // a point and `decimals` digits; npos when there is none.
  static std::size_t numberStart(std::string_view s, std::size_t end, int decimals) {
    std::size_t i = end;
    if (decimals > 0) {
      for (int k = 0; k < decimals; ++k)
        if (i == 0 || !isDigit(s[--i])) return std::string_view::npos;
      if (i == 0 || s[--i] != '.') return std::string_view::npos;
    }
    const std::size_t digitsEnd = i;
    while (i > 0 && isDigit(s[i - 1])) --i;
    if (i == digitsEnd) return std::string_view::npos;
    if (decimals > 0)
      while (i > 0 && s[i - 1] == ' ') --i;
    return i;
  }

  // The start of the character that ends just before `end` (end > 0).
  std::size_t characterBefore(std::string_view s, std::size_t end) const {
    if (!utf8_ || static_cast<unsigned char>(s[end - 1]) < 0x80) return end - 1;
    for (std::size_t back = 2; back <= 4 && back <= end; ++back) {
      const text::Utf8Char c = text::nextUtf8Char(s, end - back);
      if (c.valid && c.length == back) return end - back;
    }
    return end - 1;
  }

  bool utf8_;
  std::string delimiter_;
};

// Puts words into the study's form and counts them.
class StudyFormWriter {
 public:
  StudyFormWriter(text::Encoding from, const StudyForm& study, bool fold)
      : from_(from), study_(study), fold_(fold), counts_(study.encoding) {}

  void Add(std::string_view word, std::int64_t frequency) {
    std::string w;
    if (text::IsUtf8(from_) == text::IsUtf8(study_.encoding)) {
      w = std::string(word);
    } else if (text::IsUtf8(study_.encoding)) {
      w = text::decodeToUtf8(word, from_);
    } else {
      w = text::encodeFromUtf8(word, study_.encoding);
      // A character Windows-1252 lacks became '?': such a word cannot occur
      // in the study corpus.
      if (text::decodeToUtf8(w, study_.encoding) != word) {
        ++dropped_;
        return;
      }
    }
    if (fold_) text::lowerInPlace(w, study_.encoding);
    counts_.Add(text::keepFirst(w, text::kMaxTextLength, study_.encoding), frequency);
  }

  frequency::WordCounts& Counts() { return counts_; }
  std::int64_t Dropped() const { return dropped_; }

 private:
  text::Encoding from_;
  StudyForm study_;
  bool fold_;
  frequency::WordCounts counts_;
  std::int64_t dropped_ = 0;
};

std::string lineError(std::size_t number, std::string_view path, std::string_view what) {
  return "Line " + std::to_string(number) + " of " + std::string(path) + " is not " +
         std::string(what) + ".";
}

}  // namespace

bool IsListFileName(std::string_view path) {
  return endsWithIgnoringCase(path, ".ctl") || endsWithIgnoringCase(path, ".cfl");
}

text::Encoding DetectTextEncoding(std::string_view bytes) {
  if (bytes.starts_with(kByteOrderMark)) return text::Encoding::Utf8;
  for (std::size_t i = 0; i < bytes.size();) {
    if (static_cast<unsigned char>(bytes[i]) < 0x80) {
      ++i;
      continue;
    }
    const text::Utf8Char c = text::nextUtf8Char(bytes, i);
    if (!c.valid) return text::Encoding::Windows1252;
    i += c.length;
  }
  return text::Encoding::Utf8;
}

Reference ReadReferenceText(std::string_view bytes, std::string_view path, const StudyForm& study) {
  const text::Encoding encoding = DetectTextEncoding(bytes);
  if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
  // The lines, without their line ends, numbered from 1.
  std::vector<std::pair<std::size_t, std::string_view>> lines;
  std::size_t number = 0;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!trimBlanks(line).empty()) lines.emplace_back(number, line);
  }
  Reference reference;
  if (lines.empty()) throw text::Error("The reference file " + std::string(path) + " is empty.");
  // The kind is that of the first line, or of the second after a heading.
  SavedLineParser saved(text::IsUtf8(encoding));
  std::size_t first = 0;
  if (parseTabLine(lines[0].second)) {
    reference.kind = ReferenceKind::FrequencyText;
  } else if (lines.size() > 1 && lines[0].second.find('\t') != std::string_view::npos &&
             parseTabLine(lines[1].second)) {
    reference.kind = ReferenceKind::FrequencyText;
    first = 1;
  } else if (SavedLineParser(text::IsUtf8(encoding)).Parse(lines[0].second)) {
    reference.kind = ReferenceKind::SavedFrequencyList;
  } else {
    throw text::Error("The reference file " + std::string(path) +
                      " is neither a list file, a saved word frequency list nor a text of "
                      "word<TAB>frequency lines.");
  }
  StudyFormWriter writer(encoding, study, study.ignoreCapital);
  for (std::size_t i = first; i < lines.size(); ++i) {
    const auto& [lineNumber, line] = lines[i];
    std::optional<Entry> entry;
    if (reference.kind == ReferenceKind::FrequencyText) {
      entry = parseTabLine(line);
      if (!entry) throw text::Error(lineError(lineNumber, path, "word<TAB>frequency"));
    } else {
      entry = saved.Parse(line);
      if (!entry)
        throw text::Error(lineError(lineNumber, path, "a line of a saved word frequency list"));
    }
    reference.words += entry->frequency;
    writer.Add(entry->word, entry->frequency);
  }
  reference.droppedTypes = writer.Dropped();
  auto counts = std::make_shared<frequency::WordCounts>(std::move(writer.Counts()));
  counts->SetTotalWords(reference.words);
  reference.counts = std::move(counts);
  return reference;
}

std::shared_ptr<const frequency::WordCounts> InStudyForm(
    std::shared_ptr<const frequency::WordCounts> counts, bool alreadyFolded, const StudyForm& study,
    std::int64_t& droppedTypes) {
  droppedTypes = 0;
  const bool fold = study.ignoreCapital && !alreadyFolded;
  if (text::IsUtf8(counts->TextEncoding()) == text::IsUtf8(study.encoding) && !fold) return counts;
  StudyFormWriter writer(counts->TextEncoding(), study, fold);
  for (std::size_t i = 0; i < counts->Types(); ++i)
    writer.Add(counts->Word(i), counts->FrequencyAt(i));
  droppedTypes = writer.Dropped();
  auto converted = std::make_shared<frequency::WordCounts>(std::move(writer.Counts()));
  converted->SetTotalWords(counts->TotalWords());
  return converted;
}

Reference LoadReference(const std::string& path, const StudyForm& study,
                        frequency::WordCountsCache& cache, const text::Collator& collator,
                        text::OperationHost& host) {
  if (!IsListFileName(path)) {
    const std::optional<std::string> bytes = io::ReadFileContent(path);
    if (!bytes) throw text::Error("Cannot open file " + path);
    return ReadReferenceText(*bytes, path, study);
  }
  Reference reference;
  reference.kind = ReferenceKind::ListFile;
  corpus::CorpusSettings settings;
  corpus::OpenListFile(path, settings, collator, host.ui);
  if (settings.Files.Empty())
    throw text::Error("The reference list " + path + " names no corpus file.");
  // Both sides count words by one capitals rule: the study corpus's.
  settings.IgnoreCapital = study.ignoreCapital;
  auto counts = cache.Obtain(settings, collator, host);
  if (counts == nullptr) return reference;
  reference.words = counts->TotalWords();
  reference.counts = InStudyForm(std::move(counts), true, study, reference.droppedTypes);
  return reference;
}

}  // namespace lexvane::keywords
