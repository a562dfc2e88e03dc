// WordCounter: counts word types in an open-addressing hash table, keeping
// each type's first word class. A type's slot holds its count and, for words
// of up to 16 characters, the word itself, so that a lookup touches one cache
// line; longer words live in an arena. Memory grows with the number of types,
// not with the corpus. One instance per scanning thread; merge them in corpus
// order.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lexvane::frequency {

class WordCounter {
 public:
  WordCounter();

 public:  // queries
  std::size_t Types() const { return types_; }
  // The occupied slots, in no particular order: the handles of the types.
  std::vector<std::uint32_t> Handles() const;
  std::string_view Word(std::uint32_t handle) const { return wordOf(slots_[handle]); }
  std::int64_t Frequency(std::uint32_t handle) const {
    return static_cast<std::int64_t>(slots_[handle].frequency);
  }
  const std::string& WordClass(std::uint32_t handle) const {
    return classes_[slots_[handle].wordClass];
  }
  // Hints that the type of `handle` is read soon.
  void PrefetchSlot(std::uint32_t handle) const { __builtin_prefetch(&slots_[handle]); }
  // Bytes held, for measurements.
  std::size_t MemoryBytes() const;

 public:  // commands
  // Adds `count` occurrences of word; a new type records wordClass.
  void Add(std::string_view word, std::int64_t count = 1, std::string_view wordClass = {}) {
    AddHashed(word, Hash(word), count, wordClass);
  }
  // Add with the word's Hash computed by the caller.
  void AddHashed(std::string_view word, std::uint64_t hash, std::int64_t count = 1,
                 std::string_view wordClass = {});
  // AddHashed of one occurrence of a word of `length` characters at `padded`,
  // which holds at least 16 readable bytes, zero after the word.
  void AddPadded(const char* padded, std::size_t length, std::uint64_t hash);
  // Hints that a word of this hash comes soon.
  void Prefetch(std::uint64_t hash) const { __builtin_prefetch(&slots_[hash & mask_], 1); }
  // Adds every type of `later`, whose text comes after this counter's text in
  // corpus order: frequencies add up, classes of types already here stay.
  void Merge(const WordCounter& later);
  void Clear();

  static std::uint64_t Hash(std::string_view word);
  // Hash of a word of at most 16 characters at `padded`, which holds 16
  // readable bytes, zero after the word.
  static std::uint64_t HashPadded(const char* padded, std::size_t length) {
    std::uint64_t low, high;
    std::memcpy(&low, padded, 8);
    std::memcpy(&high, padded + 8, 8);
    return HashWords(low, high, length);
  }
  // The same of the word's 16 padded bytes as two words (first byte lowest).
  static std::uint64_t HashWords(std::uint64_t low, std::uint64_t high, std::size_t length) {
    std::uint64_t h = length * kMul;
    if (length >= 8) {
      h = (h ^ low) * kMul;
      h ^= h >> 29;
      if (length > 8) {
        h = (h ^ high) * kMul;
        if (length == 16) h ^= h >> 29;
      }
    } else if (length > 0) {
      h = (h ^ low) * kMul;
    }
    return finish(h);
  }

 private:
  static constexpr std::size_t kInline = 16;
  static constexpr std::uint64_t kMul = 0x9E3779B97F4A7C15ull;
  static std::uint64_t finish(std::uint64_t h) {
    h ^= h >> 32;
    h *= 0xD6E8FEB86659FD93ull;
    h ^= h >> 32;
    return h;
  }
  struct Slot {
    std::uint32_t tag;  // high hash bits, never 0; 0 marks an empty slot
    std::uint32_t wordClass;
    std::uint64_t frequency : 54;
    std::uint64_t length : 10;  // bytes: up to 255 characters of up to four
    union {
      char chars[kInline];
      std::uint64_t offset;  // into arena_, when length > kInline
    } word;
  };
  static_assert(sizeof(Slot) == 32);

  std::string_view wordOf(const Slot& slot) const {
    return {slot.length <= kInline ? slot.word.chars : arena_.data() + slot.word.offset,
            slot.length};
  }
  static std::uint32_t tagOf(std::uint64_t hash) {
    return static_cast<std::uint32_t>(hash >> 32) | 1u;
  }
  std::uint32_t classIndex(std::string_view wordClass);
  void grow();

  // The slot table: zeroed memory, on huge pages when large, so that random
  // lookups miss the address translation caches less often.
  class SlotTable {
   public:
    SlotTable() = default;
    explicit SlotTable(std::size_t size);
    ~SlotTable();
    SlotTable(SlotTable&& other) noexcept { swap(other); }
    SlotTable& operator=(SlotTable&& other) noexcept {
      swap(other);
      return *this;
    }
    void swap(SlotTable& other) noexcept {
      std::swap(data_, other.data_);
      std::swap(size_, other.size_);
      std::swap(mapped_, other.mapped_);
    }
    Slot& operator[](std::size_t i) { return data_[i]; }
    const Slot& operator[](std::size_t i) const { return data_[i]; }
    std::size_t size() const { return size_; }
    const Slot* begin() const { return data_; }
    const Slot* end() const { return data_ + size_; }

   private:
    Slot* data_ = nullptr;
    std::size_t size_ = 0;
    bool mapped_ = false;
  };

  SlotTable slots_;
  std::uint64_t mask_ = 0;
  std::size_t types_ = 0;
  std::size_t growAt_ = 0;
  std::vector<char> arena_;
  std::vector<std::string> classes_;  // index 0 is the empty class
};

}  // namespace lexvane::frequency
