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
  std::size_t Types() const { return frequencies_.size(); }
  // Type i (0-based, in the order the types were added).
  std::string_view Word(std::size_t i) const {
    const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
    return {chars_.data() + begin, ends_[i] - begin};
  }
  std::int64_t FrequencyAt(std::size_t i) const { return frequencies_[i]; }
  // The words of the corpus (for a word list, its TotalWords).
  std::int64_t TotalWords() const { return totalWords_; }
  text::Encoding TextEncoding() const { return encoding_; }

 public:  // commands
  // Adds `frequency` to the word's count, making the type when it is new.
  void Add(std::string_view word, std::int64_t frequency);
  void SetTotalWords(std::int64_t words) { totalWords_ = words; }
  void Reserve(std::size_t types, std::size_t chars);

 private:
  std::size_t find(std::string_view word, std::uint64_t hash) const;
  void grow();

  text::Encoding encoding_;
  std::string chars_;
  std::vector<std::size_t> ends_;
  std::vector<std::int64_t> frequencies_;
  // Open addressing: type index + 1, 0 for an empty slot; a power of two.
  std::vector<std::uint32_t> slots_;
  std::int64_t totalWords_ = 0;
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
