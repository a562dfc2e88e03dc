#include "frequency/word_frequency_list.h"

#include <charconv>

#include "text/collation.h"
#include "text/encoding.h"
#include "text/key_order.h"
#include "text/tags.h"
#include "text/text_scanner.h"
#include "text/text_utils.h"

namespace lexvane::frequency {

namespace {

std::unique_ptr<text::TQStringList> makeSortedList(const text::Collator& collator,
                                                   text::Encoding encoding) {
  auto list = std::make_unique<text::TQStringList>(collator, encoding);
  list->SetDuplicates(text::Duplicates::Accept);
  list->SetSorted(true);
  return list;
}

// What an entry text of twelve digits and a word keeps of the word.
constexpr std::size_t kNumberedKeyWordLength = text::kMaxTextLength - 12;

}  // namespace

std::int32_t WordListCapacityFor(std::int64_t types) {
  std::int64_t capacity = kInitialWordListCapacity;
  while (types > capacity) capacity = capacity * 13 / 10;
  return static_cast<std::int32_t>(std::min<std::int64_t>(capacity, text::kMaxListCapacity));
}

std::string_view SortCaption(int mode) {
  switch (mode) {
    case kSortByFrequency:
      return "Sorting by frequency";
    case kSortRetrograde:
      return "Sorting in retrograde order";
    case kSortByWordClass:
      return "Sorting by word class";
    default:
      return "Sorting alphabetically";
  }
}

std::string FormatPercent(std::int64_t count, std::int64_t total, int decimals, int width) {
  double value = total == 0 ? 0.0 : static_cast<double>(count) / static_cast<double>(total) * 100.0;
  // to_chars rounds exactly as printf's "%.*f" does, only faster.
  char buffer[64];
  auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  std::string text(buffer, error == std::errc() ? end : buffer);
  if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), ' ');
  return text;
}

WordFrequencyList::WordFrequencyList(const text::Collator& collator)
    : collator_(&collator), wordList_(makeSortedList(collator, text::Encoding::Windows1252)) {}
WordFrequencyList::~WordFrequencyList() = default;

TOneWordInfo& WordFrequencyList::Info(std::int32_t index) const {
  return *static_cast<TOneWordInfo*>(wordList_->GetObject(index));
}

void WordFrequencyList::start(const corpus::CorpusSettings& settings) {
  corpusFiles_ = settings.Files.Paths();
  cutWordFiles_.clear();
  totalSizeKB_ = (settings.TotalBytes + 1023) / 1024;
  totalWords_ = 0;
  totalSentences_ = 0;
  listComplete_ = true;
  hasSpread_ = false;
  encoding_ = settings.TextEncoding;
  sortMode_ = kSortAlphabetical;
  wordRanks_.clear();
  wordOrdered_ = true;
  wordList_ = makeSortedList(*collator_, encoding_);
  wordList_->SetCapacity(kInitialWordListCapacity);
}

std::string WordFrequencyList::Heading(int column) {
  static const char* const kHeadings[] = {"", "Word", "Word Class", "F", "F %", "CF", "CF %"};
  if (column < 0 || column > 6) return {};
  return kHeadings[column];
}

std::string WordFrequencyList::CellText(int column, std::int32_t row) const {
  if (column < 0 || column > 6) return {};
  if (row == 0) return Heading(column);
  if (row < 0 || row > Count()) return {};
  const TOneWordInfo& info = Info(row - 1);
  switch (column) {
    case 0:
      return std::to_string(row) + ".";
    case 1:
      return info.Word;
    case 2:
      return info.WordClass;
    case 3:
      return std::to_string(info.Frequency);
    case 4:
      return FormatPercent(info.Frequency, totalWords_, 3, 5);
    case 5:
      return std::to_string(info.CumFrequency);
    default:
      return FormatPercent(info.CumFrequency, totalWords_, 2, 4);
  }
}

std::string WordFrequencyList::entryKey(const TOneWordInfo& info) const {
  std::string key;
  appendEntryKey(key, info);
  return key;
}

void WordFrequencyList::appendEntryKey(std::string& out, const TOneWordInfo& info) const {
  switch (sortMode_) {
    case kSortByFrequency:
      text::AppendDescendingNumber(out, info.Frequency);
      out += info.Word;
      return;
    case kSortRetrograde:
      out += text::ReverseString(info.Word, encoding_);
      return;
    case kSortByWordClass:
      out += info.WordClass;
      return;
    default:
      out += info.Word;
  }
}

void WordFrequencyList::prefetchInfo(std::size_t i, std::size_t n) const {
  // Entries and records lie scattered in memory: fetch the entry of a row
  // some rows ahead, and the record of a row half as far ahead, whose entry
  // is in the cache by then.
  constexpr std::size_t kAhead = 8;
  if (i + 2 * kAhead < n) wordList_->Prefetch(static_cast<std::int32_t>(i + 2 * kAhead));
  if (i + kAhead < n)
    __builtin_prefetch(wordList_->GetObject(static_cast<std::int32_t>(i + kAhead)));
}

bool WordFrequencyList::orderByWordRanks(std::vector<std::uint32_t>& order,
                                         text::ProgressIndicator& progress, bool& cancelled) {
  const std::size_t n = static_cast<std::size_t>(Count());
  bool keyed = false;
  if (wordRanks_.size() != n && !wordOrdered_) {
    // The words' collation keys, once: the ranks then move with the rows.
    text::KeyArena words;
    const text::Encoding encoding = encoding_;
    const bool done = text::ComputeKeys(
        n,
        [this, encoding](std::size_t i) {
          return collator_->Key(Info(static_cast<std::int32_t>(i)).Word, encoding);
        },
        [&](std::size_t c) {
          progress.SetGauge(static_cast<int>(c * 100 / n));
          return !progress.Cancelled();
        },
        words);
    if (!done) {
      cancelled = true;
      return false;
    }
    wordRanks_ = text::RanksOf(words);
    keyed = true;
  }
  // Rows in the order of their words rank by their row number (equal
  // words, which a build never leaves, by the first of them).
  const bool rankByRow = wordRanks_.size() != n;
  const bool byFrequency = sortMode_ == kSortByFrequency;
  std::vector<text::NumberKey> keys(n);
  const TOneWordInfo* previous = nullptr;
  for (std::size_t i = 0; i < n; ++i) {
    if (!keyed && (i + 1) % 100 == 0) {
      progress.SetGauge(static_cast<int>((i + 1) * 100 / n));
      if (progress.Cancelled()) {
        cancelled = true;
        return false;
      }
    }
    prefetchInfo(i, n);
    const TOneWordInfo& info = Info(static_cast<std::int32_t>(i));
    // The frequency key keeps only the word's first characters: a longer
    // word needs its cut key, which no rank stands for.
    if (byFrequency && info.Word.size() > kNumberedKeyWordLength) return false;
    keys[i].first = byFrequency ? ~static_cast<std::uint64_t>(info.Frequency) : 0;
    keys[i].index = static_cast<std::uint32_t>(i);
    if (!rankByRow) {
      keys[i].second = wordRanks_[i];
    } else {
      keys[i].second = previous != nullptr && previous->Word == info.Word
                           ? keys[i - 1].second
                           : static_cast<std::uint32_t>(i);
    }
    previous = &info;
  }
  if (rankByRow) {
    wordRanks_.resize(n);
    for (std::size_t i = 0; i < n; ++i) wordRanks_[i] = keys[i].second;
  }
  order = text::OrderByNumbers(std::move(keys));
  return true;
}

void WordFrequencyList::SortWordList(int mode, std::string_view caption,
                                     text::ProgressIndicator& progress) {
  progress.Start(caption);
  sortMode_ = static_cast<std::uint8_t>(mode >= 0 && mode <= 3 ? mode : 0);
  std::size_t n = static_cast<std::size_t>(Count());
  // The byte order of these keys is the list comparison's order of the
  // entry texts: a frequency prefix of equal length only orders by number.
  // The entry text is cut to 255 characters, so of the word behind the
  // twelve digits only the first 243 count.
  const text::Encoding encoding = encoding_;
  auto key = [this, encoding](std::size_t i) -> std::string {
    const TOneWordInfo& info = Info(static_cast<std::int32_t>(i));
    switch (sortMode_) {
      case kSortByFrequency:
        return text::DescendingPrefix(info.Frequency) +
               collator_->Key(text::keepFirst(info.Word, kNumberedKeyWordLength, encoding),
                              encoding);
      case kSortRetrograde:
        return collator_->Key(text::ReverseString(info.Word, encoding), encoding);
      case kSortByWordClass:
        return collator_->Key(info.WordClass, encoding);
      default:
        return collator_->Key(info.Word, encoding);
    }
  };
  std::vector<std::uint32_t> order;
  bool cancelled = false;
  bool done = (sortMode_ == kSortAlphabetical || sortMode_ == kSortByFrequency) &&
              orderByWordRanks(order, progress, cancelled);
  if (!done && !cancelled) done = text::OrderRows(n, key, progress, order);
  if (done) {
    auto sorted = makeSortedList(*collator_, encoding_);
    sorted->SetCapacity(static_cast<std::int32_t>(n));
    std::string entry;
    std::int64_t cumulative = 0;
    constexpr std::size_t kAhead = 8;
    for (std::size_t k = 0; k < n; ++k) {
      if (k + 2 * kAhead < n) wordList_->Prefetch(static_cast<std::int32_t>(order[k + 2 * kAhead]));
      if (k + kAhead < n)
        __builtin_prefetch(wordList_->GetObject(static_cast<std::int32_t>(order[k + kAhead])));
      auto* info =
          static_cast<TOneWordInfo*>(wordList_->TakeObject(static_cast<std::int32_t>(order[k])));
      // The running sum of a sort by frequency, in the same pass.
      cumulative += info->Frequency;
      info->CumFrequency = sortMode_ == kSortByFrequency ? cumulative : 0;
      entry.clear();
      appendEntryKey(entry, *info);
      sorted->Append(entry, info);
    }
    wordList_ = std::move(sorted);
    if (wordRanks_.size() == n) {
      std::vector<std::uint32_t> ranks(n);
      for (std::size_t k = 0; k < n; ++k) ranks[k] = wordRanks_[order[k]];
      wordRanks_ = std::move(ranks);
    }
    wordOrdered_ = sortMode_ == kSortAlphabetical;
  }
  if (!done && sortMode_ == kSortByFrequency) recomputeCumulative();
  progress.Finish();
}

void WordFrequencyList::recomputeCumulative() {
  std::int64_t sum = 0;
  for (std::int32_t i = 0; i < Count(); ++i) {
    TOneWordInfo& info = Info(i);
    sum += info.Frequency;
    info.CumFrequency = sum;
  }
}

void WordFrequencyList::ClearRows(std::int32_t topRow, std::int32_t bottomRow) {
  std::int32_t count = Count();
  if (count == 0 || topRow < 1 || topRow > count) return;
  std::int32_t last = std::min(bottomRow, count);
  if (last < topRow) return;
  std::int32_t removed = last - topRow + 1;
  if (wordRanks_.size() == static_cast<std::size_t>(count))
    wordRanks_.erase(wordRanks_.begin() + (topRow - 1), wordRanks_.begin() + last);
  if (removed <= 16 || last == count) {
    for (std::int32_t row = last; row >= topRow; --row) wordList_->Delete(row - 1);
    return;
  }
  // A large range: rebuild once instead of moving the tail per deleted row.
  auto kept = makeSortedList(*collator_, encoding_);
  kept->SetCapacity(wordList_->Capacity());
  for (std::int32_t i = 0; i < count; ++i) {
    if (i >= topRow - 1 && i < last) continue;
    kept->Append(wordList_->View(i), wordList_->TakeObject(i));
  }
  wordList_ = std::move(kept);
}

void WordFrequencyList::BuildByInsertion(const corpus::CorpusSettings& settings,
                                         text::OperationHost& host) {
  start(settings);
  host.search.Start("Types:");
  text::TextScanner scanner(corpus::ScannerSets(settings));
  text::TQStringList& list = *wordList_;
  for (const std::string& path : corpusFiles_) {
    if (host.search.Cancelled()) continue;
    host.search.SetFile(path.substr(path.find_last_of('/') + 1));
    bool crlf = settings.CRLFAsSeparator, ignoreCapital = settings.IgnoreCapital;
    if (scanner.OpenFile(path, host.ui)) {
      text::ScannedWord scanned;
      while (!host.search.Cancelled() && scanner.ReadWord(scanned, crlf)) {
        std::string token(scanned.word), wordClass;
        if (settings.TaggedText) {
          wordClass = text::ExtractTag(token);
          if (!wordClass.empty()) token = text::StripTag(token, encoding_);
        }
        if (ignoreCapital) text::lowerInPlace(token, encoding_);
        if (!token.empty()) {
          ++totalWords_;
          std::int32_t index;
          if (list.Find(token, index)) {
            ++Info(index).Frequency;
          } else {
            if (list.GetCount() == list.Capacity())
              list.SetCapacity(
                  static_cast<std::int32_t>(static_cast<std::int64_t>(list.Capacity()) * 13 / 10));
            index = list.Add(token);
            list.PutObject(index, new TOneWordInfo(token, wordClass, 1));
          }
        }
        if (scanned.simpleEnd) ++totalSentences_;
        if (scanned.cut && (cutWordFiles_.empty() || cutWordFiles_.back() != path))
          cutWordFiles_.push_back(path);
        if (totalWords_ % 1000 == 0)
          host.search.SetCounts(totalWords_, totalSentences_, list.GetCount());
      }
      scanner.CloseFile();
    }
    host.search.SetFile("");
    host.search.SetCounts(totalWords_, totalSentences_, list.GetCount());
  }
  if (host.search.Cancelled()) listComplete_ = false;
  // The list's own comparison reads 8-bit text: UTF-8 words, all distinct,
  // are put in the order of their decoded text once counted.
  if (text::IsUtf8(encoding_)) {
    text::KeyArena keys;
    for (std::int32_t i = 0; i < Count(); ++i) keys.Add(collator_->Key(Info(i).Word, encoding_));
    auto sorted = makeSortedList(*collator_, encoding_);
    sorted->SetCapacity(list.Capacity());
    for (std::uint32_t i : text::OrderByKeys(keys))
      sorted->Append(list.View(static_cast<std::int32_t>(i)),
                     list.TakeObject(static_cast<std::int32_t>(i)));
    wordList_ = std::move(sorted);
  }
  host.search.Finish();
}

}  // namespace lexvane::frequency
