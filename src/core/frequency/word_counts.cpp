#include "frequency/word_counts.h"

#include <sys/stat.h>

#include <functional>

namespace lexvane::frequency {

namespace {

std::uint64_t hashOf(std::string_view word) {
  return std::hash<std::string_view>{}(word);
}

}  // namespace

WordCounts WordCounts::FromList(const WordFrequencyList& list) {
  WordCounts counts(list.TextEncoding());
  const std::int32_t n = list.Count();
  std::size_t chars = 0;
  for (std::int32_t i = 0; i < n; ++i) chars += list.Info(i).Word.size();
  counts.Reserve(static_cast<std::size_t>(n), chars);
  for (std::int32_t i = 0; i < n; ++i) {
    const TOneWordInfo& info = list.Info(i);
    counts.Add(info.Word, info.Frequency);
  }
  counts.SetTotalWords(list.TotalWords());
  return counts;
}

void WordCounts::Reserve(std::size_t types, std::size_t chars) {
  chars_.reserve(chars);
  ends_.reserve(types);
  frequencies_.reserve(types);
  std::size_t size = 16;
  while (size < types + types / 2) size *= 2;
  if (size > slots_.size()) {
    slots_.assign(size, 0);
    for (std::size_t i = 0; i < frequencies_.size(); ++i) {
      std::size_t slot = hashOf(Word(i)) & (slots_.size() - 1);
      while (slots_[slot] != 0) slot = (slot + 1) & (slots_.size() - 1);
      slots_[slot] = static_cast<std::uint32_t>(i + 1);
    }
  }
}

std::size_t WordCounts::find(std::string_view word, std::uint64_t hash) const {
  const std::size_t mask = slots_.size() - 1;
  std::size_t slot = hash & mask;
  while (slots_[slot] != 0 && Word(slots_[slot] - 1) != word) slot = (slot + 1) & mask;
  return slot;
}

void WordCounts::grow() {
  Reserve(slots_.empty() ? 8 : slots_.size(), chars_.size());
}

std::int64_t WordCounts::Frequency(std::string_view word) const {
  if (slots_.empty()) return 0;
  const std::uint32_t index = slots_[find(word, hashOf(word))];
  return index == 0 ? 0 : frequencies_[index - 1];
}

void WordCounts::Add(std::string_view word, std::int64_t frequency) {
  // At most two thirds of the slots are taken.
  if (3 * (frequencies_.size() + 1) > 2 * slots_.size()) grow();
  const std::size_t slot = find(word, hashOf(word));
  if (slots_[slot] != 0) {
    frequencies_[slots_[slot] - 1] += frequency;
    return;
  }
  chars_.append(word);
  ends_.push_back(chars_.size());
  frequencies_.push_back(frequency);
  slots_[slot] = static_cast<std::uint32_t>(frequencies_.size());
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
                                                          text::OperationHost& host) {
  // The files as they are before the scan: one changed meanwhile is not
  // mistaken for the one counted.
  Key key = keyOf(settings);
  if (auto found = find(key)) return found;
  std::shared_ptr<const WordCounts> counts;
  {
    WordFrequencyList list;
    list.Build(settings, host);
    if (!list.ListComplete()) return nullptr;
    counts = std::make_shared<const WordCounts>(WordCounts::FromList(list));
  }
  ++builds_;
  store(std::move(key), counts);
  return counts;
}

}  // namespace lexvane::frequency
