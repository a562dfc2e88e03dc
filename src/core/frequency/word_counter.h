// WordCounter: counts word types in an open-addressing hash table, keeping
// each type's first word class and the order in which types were first met.
// Words live in one arena, so memory grows with the number of types, not with
// the corpus. One instance per scanning thread; merge them in corpus order.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lexvane::frequency {

class WordCounter {
 public:
  WordCounter();

 public:  // queries
  std::size_t Types() const { return types_.size(); }
  std::string_view Word(std::size_t type) const {
    return {arena_.data() + types_[type].offset, types_[type].length};
  }
  std::int64_t Frequency(std::size_t type) const { return types_[type].frequency; }
  const std::string& WordClass(std::size_t type) const { return classes_[types_[type].wordClass]; }
  // Bytes held, for measurements.
  std::size_t MemoryBytes() const;

 public:  // commands
  // Adds `count` occurrences of word; a new type records wordClass.
  void Add(std::string_view word, std::int64_t count = 1, std::string_view wordClass = {});
  // Adds every type of `later`, whose text comes after this counter's text in
  // corpus order: frequencies add up, classes of types already here stay.
  void Merge(const WordCounter& later);
  void Clear();

  static std::uint64_t Hash(std::string_view word);

 private:
  struct Type {
    std::uint64_t offset;
    std::int64_t frequency;
    std::uint32_t length;
    std::uint32_t wordClass;
  };
  std::uint32_t classIndex(std::string_view wordClass);
  void grow();

  // Slot: high 32 bits of the hash, low 32 bits type index + 1 (0 = empty).
  std::vector<std::uint64_t> slots_;
  std::uint64_t mask_ = 0;
  std::vector<Type> types_;
  std::vector<char> arena_;
  std::vector<std::string> classes_;  // index 0 is the empty class
};

}  // namespace lexvane::frequency
