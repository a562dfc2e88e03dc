// WordCounts: the frequency of every word type of a corpus, looked up by the
// word (a hash table over one block of text), as the association measures
// and keyword lists need it. Made from a WordFrequencyList or filled word by
// word; read-only once made, so several threads may read one at once.
//
// WordCountsCache keeps the counts of the corpora counted so far in a run,
// each with the corpus settings (and the sizes and times of the files) it
// was counted for, so that a second table over the same corpus costs no
// second scan. Thread-safe.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstring>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "corpus/corpus_settings.h"
#include "frequency/word_frequency_list.h"
#include "text/encoding.h"
#include "text/progress.h"

namespace lexvane::frequency {

class WordCounts {
 public:
  explicit WordCounts(text::Encoding encoding = text::Encoding::Windows1252)
      : encoding_(encoding) {}
  // The types and frequencies of `list`, its TotalWords and encoding.
  static WordCounts FromList(const WordFrequencyList& list);

 public:  // queries
  // 0 for a word that is not counted.
  std::int64_t Frequency(std::string_view word) const;
  // The same with the word's Hash computed before. Many lookups go faster
  // when each word's slot is fetched (PrefetchSlot) and then its entry
  // (PrefetchEntry) some lookups before its own.
  std::int64_t Frequency(std::string_view word, std::uint64_t hash) const;
  static std::uint64_t Hash(std::string_view word);
  void PrefetchSlot(std::uint64_t hash) const;
  void PrefetchEntry(std::uint64_t hash) const;
  std::size_t Types() const { return offsets_.size(); }
  // Type i (0-based, in the order the types were added).
  std::string_view Word(std::size_t i) const { return wordAt(offsets_[i]); }
  std::int64_t FrequencyAt(std::size_t i) const { return frequencyAt(offsets_[i]); }
  // The words of the corpus (for a word list, its TotalWords).
  std::int64_t TotalWords() const { return totalWords_; }
  text::Encoding TextEncoding() const { return encoding_; }
  // The types are in ascending order of the list comparison: made from a
  // word list in alphabetical order, with no type added since.
  bool InCollationOrder() const { return inCollationOrder_; }

 public:  // commands
  // Adds `frequency` to the word's count, making the type when it is new.
  void Add(std::string_view word, std::int64_t frequency);
  void SetTotalWords(std::int64_t words) { totalWords_ = words; }
  void Reserve(std::size_t types, std::size_t chars);

 private:
  // An entry of the arena: the frequency (8 bytes), the word's length (4)
  // and its bytes, so that a lookup reads one place after its slot.
  static constexpr std::size_t kEntryHeader = 12;
  std::int64_t frequencyAt(std::uint64_t offset) const;
  std::string_view wordAt(std::uint64_t offset) const;
  // The slot of `word`: its own, or the empty one where it would go.
  std::size_t find(std::string_view word, std::uint64_t hash) const;
  void grow();
  // A slot holds the top 24 bits of its word's hash and the entry's offset
  // + 1 (40 bits); 0 is an empty slot.
  static constexpr int kOffsetBits = 40;
  static constexpr std::uint64_t kOffsetMask = (std::uint64_t{1} << kOffsetBits) - 1;
  static std::uint64_t tagOf(std::uint64_t hash) { return hash >> kOffsetBits << kOffsetBits; }
  void place(std::uint64_t hash, std::uint64_t offset);

  text::Encoding encoding_;
  std::string arena_;
  std::vector<std::uint64_t> offsets_;  // of type i's entry
  std::vector<std::uint64_t> slots_;    // open addressing, a power of two
  std::int64_t totalWords_ = 0;
  bool inCollationOrder_ = false;
};

class WordCountsCache {
 public:
  // Keeps the counts of at most `capacity` corpora, dropping the one used
  // least recently.
  explicit WordCountsCache(std::size_t capacity = 4) : capacity_(capacity) {}

  // The counts kept for exactly these settings and files unchanged since;
  // null when there are none.
  std::shared_ptr<const WordCounts> Find(const corpus::CorpusSettings& settings);
  void Store(const corpus::CorpusSettings& settings, std::shared_ptr<const WordCounts> counts);
  // Find, or else the word list of the corpus built under host.search
  // ("Types:") and kept; null when the build was cancelled (nothing kept).
  std::shared_ptr<const WordCounts> Obtain(const corpus::CorpusSettings& settings,
                                           const text::Collator& collator,
                                           text::OperationHost& host);
  // How many corpora were counted (not found) by Obtain; for tests.
  int Builds() const { return builds_; }

 private:
  struct Key {
    std::vector<std::string> files;
    std::vector<std::int64_t> stamps;  // size and modification time of each
    std::string wordSeparators, sentenceSeparators;
    text::Encoding encoding;
    bool crlf, ignoreCapital, tagged;
    bool operator==(const Key&) const = default;
  };
  static Key keyOf(const corpus::CorpusSettings& settings);
  std::shared_ptr<const WordCounts> find(const Key& key);
  void store(Key key, std::shared_ptr<const WordCounts> counts);

  std::mutex mutex_;
  std::size_t capacity_;
  std::list<std::pair<Key, std::shared_ptr<const WordCounts>>> entries_;  // most recent first
  std::atomic<int> builds_{0};
};

}  // namespace lexvane::frequency
