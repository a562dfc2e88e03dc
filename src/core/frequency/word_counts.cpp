#include "frequency/word_counts.h"

#include <sys/stat.h>

#include <cstring>
#include <functional>

namespace lexvane::frequency {

WordCounts WordCounts::FromList(const WordFrequencyList& list) {
  WordCounts counts(list.TextEncoding());
  const std::int32_t n = list.Count();
  std::size_t chars = 0;
  for (std::int32_t i = 0; i < n; ++i) chars += list.Info(i).Word.size() + kEntryHeader;
  counts.Reserve(static_cast<std::size_t>(n), chars);
  for (std::int32_t i = 0; i < n; ++i) {
    const TOneWordInfo& info = list.Info(i);
    counts.Add(info.Word, info.Frequency);
  }
  counts.SetTotalWords(list.TotalWords());
  counts.inCollationOrder_ = list.SortMode() == kSortAlphabetical;
  return counts;
}

std::int64_t WordCounts::frequencyAt(std::uint64_t offset) const {
  std::int64_t frequency;
  std::memcpy(&frequency, arena_.data() + offset, sizeof frequency);
  return frequency;
}

std::string_view WordCounts::wordAt(std::uint64_t offset) const {
  std::uint32_t length;
  std::memcpy(&length, arena_.data() + offset + 8, sizeof length);
  return {arena_.data() + offset + kEntryHeader, length};
}

void WordCounts::place(std::uint64_t hash, std::uint64_t offset) {
  const std::size_t mask = slots_.size() - 1;
  std::size_t slot = hash & mask;
  while (slots_[slot] != 0) slot = (slot + 1) & mask;
  slots_[slot] = tagOf(hash) | (offset + 1);
}

void WordCounts::Reserve(std::size_t types, std::size_t chars) {
  arena_.reserve(chars);
  offsets_.reserve(types);
  std::size_t size = 16;
  while (size < types + types / 2) size *= 2;
  if (size > slots_.size()) {
    slots_.assign(size, 0);
    for (std::uint64_t offset : offsets_) place(Hash(wordAt(offset)), offset);
  }
}

std::uint64_t WordCounts::Hash(std::string_view word) {
  return std::hash<std::string_view>{}(word);
}

void WordCounts::PrefetchSlot(std::uint64_t hash) const {
  if (!slots_.empty()) __builtin_prefetch(&slots_[hash & (slots_.size() - 1)]);
}

void WordCounts::PrefetchEntry(std::uint64_t hash) const {
  if (slots_.empty()) return;
  const std::uint64_t v = slots_[hash & (slots_.size() - 1)];
  if (v != 0) __builtin_prefetch(arena_.data() + ((v & kOffsetMask) - 1));
}

std::size_t WordCounts::find(std::string_view word, std::uint64_t hash) const {
  const std::size_t mask = slots_.size() - 1;
  const std::uint64_t tag = tagOf(hash);
  std::size_t slot = hash & mask;
  // The tag spares reading the entries of other hashes.
  for (std::uint64_t v = slots_[slot]; v != 0; v = slots_[slot]) {
    if ((v & ~kOffsetMask) == tag && wordAt((v & kOffsetMask) - 1) == word) break;
    slot = (slot + 1) & mask;
  }
  return slot;
}

void WordCounts::grow() {
  Reserve(slots_.empty() ? 8 : slots_.size(), arena_.size());
}

std::int64_t WordCounts::Frequency(std::string_view word) const {
  return Frequency(word, Hash(word));
}

std::int64_t WordCounts::Frequency(std::string_view word, std::uint64_t hash) const {
  if (slots_.empty()) return 0;
  const std::uint64_t v = slots_[find(word, hash)];
  return v == 0 ? 0 : frequencyAt((v & kOffsetMask) - 1);
}

void WordCounts::Add(std::string_view word, std::int64_t frequency) {
  // At most two thirds of the slots are taken.
  if (3 * (offsets_.size() + 1) > 2 * slots_.size()) grow();
  const std::uint64_t hash = Hash(word);
  const std::size_t slot = find(word, hash);
  if (slots_[slot] != 0) {
    const std::uint64_t offset = (slots_[slot] & kOffsetMask) - 1;
    const std::int64_t sum = frequencyAt(offset) + frequency;
    std::memcpy(arena_.data() + offset, &sum, sizeof sum);
    return;
  }
  inCollationOrder_ = false;
  const std::uint64_t offset = arena_.size();
  const auto length = static_cast<std::uint32_t>(word.size());
  arena_.append(reinterpret_cast<const char*>(&frequency), sizeof frequency);
  arena_.append(reinterpret_cast<const char*>(&length), sizeof length);
  arena_.append(word);
  offsets_.push_back(offset);
  slots_[slot] = tagOf(hash) | (offset + 1);
}

WordCountsCache::Key WordCountsCache::keyOf(const corpus::CorpusSettings& settings) {
  Key key{settings.Files.Paths(),  {},
          settings.WordSeparators, settings.SentenceSeparators,
          settings.TextEncoding,   settings.CRLFAsSeparator,
          settings.IgnoreCapital,  settings.TaggedText};
  // A file changed on disk makes the counts stale.
  for (const std::string& path : key.files) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
      key.stamps.insert(key.stamps.end(), {-1, -1, -1});
      continue;
    }
    key.stamps.insert(key.stamps.end(), {static_cast<std::int64_t>(st.st_size),
                                         static_cast<std::int64_t>(st.st_mtim.tv_sec),
                                         static_cast<std::int64_t>(st.st_mtim.tv_nsec)});
  }
  return key;
}

std::shared_ptr<const WordCounts> WordCountsCache::Find(const corpus::CorpusSettings& settings) {
  return find(keyOf(settings));
}

std::shared_ptr<const WordCounts> WordCountsCache::find(const Key& key) {
  std::lock_guard lock(mutex_);
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (it->first == key) {
      entries_.splice(entries_.begin(), entries_, it);
      return entries_.front().second;
    }
  }
  return nullptr;
}

void WordCountsCache::Store(const corpus::CorpusSettings& settings,
                            std::shared_ptr<const WordCounts> counts) {
  store(keyOf(settings), std::move(counts));
}

void WordCountsCache::store(Key key, std::shared_ptr<const WordCounts> counts) {
  std::lock_guard lock(mutex_);
  entries_.remove_if([&key](const auto& entry) { return entry.first == key; });
  entries_.emplace_front(std::move(key), std::move(counts));
  while (entries_.size() > capacity_) entries_.pop_back();
}

std::shared_ptr<const WordCounts> WordCountsCache::Obtain(const corpus::CorpusSettings& settings,
                                                          const text::Collator& collator,
                                                          text::OperationHost& host) {
  // The files as they are before the scan: one changed meanwhile is not
  // mistaken for the one counted.
  Key key = keyOf(settings);
  if (auto found = find(key)) return found;
  std::shared_ptr<const WordCounts> counts;
  {
    WordFrequencyList list(collator);
    list.Build(settings, host);
    if (!list.ListComplete()) return nullptr;
    counts = std::make_shared<const WordCounts>(WordCounts::FromList(list));
  }
  ++builds_;
  store(std::move(key), counts);
  return counts;
}

}  // namespace lexvane::frequency
