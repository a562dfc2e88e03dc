// Vocabulary: the words an n-gram counter has met, each under a dense id
// (0, 1, 2, ... in the order they came), with its text and its content hash
// (frequency::WordCounter::Hash), so that n-grams can be kept as short rows
// of ids. Memory grows with the number of distinct words. One per counting
// thread; ids of two vocabularies are translated through Intern.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lexvane::ngrams {

class Vocabulary {
 public:
  Vocabulary();

 public:  // queries
  std::uint32_t Size() const { return static_cast<std::uint32_t>(hashes_.size()); }
  std::string_view Word(std::uint32_t id) const {
    const std::uint64_t begin = id == 0 ? 0 : ends_[id - 1];
    return {arena_.data() + begin, static_cast<std::size_t>(ends_[id] - begin)};
  }
  std::uint64_t Hash(std::uint32_t id) const { return hashes_[id]; }
  std::size_t MemoryBytes() const;

 public:  // commands
  // The id of `word`, whose content hash is `hash`; a new word gets the
  // next id.
  std::uint32_t Intern(std::string_view word, std::uint64_t hash);
  // Hints that a word of this hash comes soon.
  void Prefetch(std::uint64_t hash) const { __builtin_prefetch(&slots_[hash & mask_]); }

 private:
  struct Slot {
    std::uint64_t hash;
    std::uint32_t id;  // kEmpty: a free slot
    std::uint32_t unused;
  };
  static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;
  void grow();

  std::vector<Slot> slots_;
  std::uint64_t mask_ = 0;
  std::vector<std::uint64_t> hashes_;  // by id
  std::vector<std::uint64_t> ends_;    // by id: the end of its text in arena_
  std::string arena_;
};

}  // namespace lexvane::ngrams
