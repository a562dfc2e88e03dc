// Vocabulary: the words an n-gram counter has met, each under a dense id
// (0, 1, 2, ... in the order they came), with its text and its content hash
// (WordHash), so that n-grams can be kept as short rows of ids. A word of up
// to 16 bytes is held in its slot too, so that finding it touches one cache
// line. Memory grows with the number of distinct words. One per counting
// thread; ids of two vocabularies are translated through Intern.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "ngrams/zeroed_array.h"

namespace lexvane::ngrams {

// The content hash of a word: the same in every counter, pass and thread.
// Short words are read with a few loads that may overlap, never a byte
// beyond the word.
inline std::uint64_t WordHash(std::string_view word) {
  const char* p = word.data();
  const std::size_t n = word.size();
  std::uint64_t a = 0, b = 0;
  if (n >= 8) {
    std::uint64_t h = 0;
    std::size_t i = 0;
    for (; i + 16 < n; i += 8) {
      std::memcpy(&a, p + i, 8);
      h = (h ^ a) * 0x9E3779B97F4A7C15ull;
      h ^= h >> 29;
    }
    std::memcpy(&a, p + i, 8);
    std::memcpy(&b, p + n - 8, 8);
    a ^= h;
  } else if (n >= 4) {
    std::uint32_t x, y;
    std::memcpy(&x, p, 4);
    std::memcpy(&y, p + n - 4, 4);
    a = x;
    b = y;
  } else if (n > 0) {
    a = static_cast<unsigned char>(p[0]) |
        static_cast<std::uint64_t>(static_cast<unsigned char>(p[n / 2])) << 8 |
        static_cast<std::uint64_t>(static_cast<unsigned char>(p[n - 1])) << 16;
  }
  std::uint64_t h = (a * 0xC2B2AE3D27D4EB4Full) ^ ((b * 0x165667B19E3779F9ull) >> 7) ^
                    (n * 0x27D4EB2F165667C5ull);
  h ^= h >> 33;
  h *= 0xFF51AFD7ED558CCDull;
  h ^= h >> 33;
  h *= 0xC4CEB9FE1A85EC53ull;
  h ^= h >> 33;
  return h;
}

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
  // The id of `word`, whose WordHash is `hash`; a new word gets the next id.
  std::uint32_t Intern(std::string_view word, std::uint64_t hash) {
    for (std::uint64_t i = hash & mask_;; i = (i + 1) & mask_) {
      const Slot& slot = slots_[i];
      if (slot.idPlusOne == 0) return add(word, hash, i);
      if (slot.hash == hash && slot.length == word.size() && same(slot, word))
        return slot.idPlusOne - 1;
    }
  }
  // Hints that the word of this hash comes soon.
  void Prefetch(std::uint64_t hash) const { __builtin_prefetch(&slots_[hash & mask_]); }

 private:
  static constexpr std::size_t kInline = 16;
  struct Slot {
    std::uint64_t hash;
    std::uint32_t idPlusOne;  // 0: a free slot
    std::uint32_t length;
    char chars[kInline];  // the word, when it is no longer
  };
  static_assert(sizeof(Slot) == 32);

  // Whether the slot holds `word` (of the slot's length).
  bool same(const Slot& slot, std::string_view word) const {
    const char* p = word.data();
    const std::size_t n = word.size();
    if (n > kInline) return Word(slot.idPlusOne - 1) == word;
    const char* q = slot.chars;
    std::uint64_t x, y, u, v;
    if (n >= 8) {
      std::memcpy(&x, p, 8);
      std::memcpy(&u, q, 8);
      std::memcpy(&y, p + n - 8, 8);
      std::memcpy(&v, q + n - 8, 8);
      return x == u && y == v;
    }
    if (n >= 4) {
      std::uint32_t a, b, c, d;
      std::memcpy(&a, p, 4);
      std::memcpy(&c, q, 4);
      std::memcpy(&b, p + n - 4, 4);
      std::memcpy(&d, q + n - 4, 4);
      return a == c && b == d;
    }
    for (std::size_t k = 0; k < n; ++k)
      if (p[k] != q[k]) return false;
    return true;
  }
  std::uint32_t add(std::string_view word, std::uint64_t hash, std::uint64_t at);
  void grow();

  ZeroedArray<Slot> slots_;
  std::uint64_t mask_ = 0;
  std::vector<std::uint64_t> hashes_;  // by id
  std::vector<std::uint64_t> ends_;    // by id: the end of its text in arena_
  std::string arena_;
};

}  // namespace lexvane::ngrams
