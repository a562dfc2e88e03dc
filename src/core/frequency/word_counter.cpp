#include "frequency/word_counter.h"

#include <cstring>

#include "text/error.h"

namespace lexvane::frequency {

namespace {

constexpr std::uint64_t kMul = 0x9E3779B97F4A7C15ull;

inline std::uint64_t mix(std::uint64_t h) {
  h ^= h >> 32;
  h *= 0xD6E8FEB86659FD93ull;
  h ^= h >> 32;
  return h;
}

}  // namespace

WordCounter::WordCounter() {
  Clear();
}

void WordCounter::Clear() {
  slots_.assign(1 << 12, 0);
  mask_ = slots_.size() - 1;
  types_.clear();
  arena_.clear();
  classes_.assign(1, std::string());
}

std::uint64_t WordCounter::Hash(std::string_view word) {
  const char* p = word.data();
  std::size_t n = word.size();
  std::uint64_t h = n * kMul;
  while (n >= 8) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    h = (h ^ v) * kMul;
    h ^= h >> 29;
    p += 8;
    n -= 8;
  }
  if (n > 0) {
    std::uint64_t v = 0;
    std::memcpy(&v, p, n);
    h = (h ^ v) * kMul;
  }
  return mix(h);
}

std::uint32_t WordCounter::classIndex(std::string_view wordClass) {
  if (wordClass.empty()) return 0;
  for (std::size_t i = 1; i < classes_.size(); ++i)
    if (classes_[i] == wordClass) return static_cast<std::uint32_t>(i);
  classes_.emplace_back(wordClass);
  return static_cast<std::uint32_t>(classes_.size() - 1);
}

void WordCounter::Add(std::string_view word, std::int64_t count, std::string_view wordClass) {
  std::uint64_t h = Hash(word);
  std::uint64_t tag = h >> 32;
  std::uint64_t i = h & mask_;
  for (;;) {
    std::uint64_t slot = slots_[i];
    if (slot == 0) break;
    if ((slot >> 32) == tag) {
      Type& t = types_[(slot & 0xFFFFFFFFu) - 1];
      if (t.length == word.size() &&
          std::memcmp(arena_.data() + t.offset, word.data(), t.length) == 0) {
        t.frequency += count;
        return;
      }
    }
    i = (i + 1) & mask_;
  }
  if (types_.size() >= 0xFFFFFFFEu) throw text::Error("Too many word types.");
  std::uint64_t offset = arena_.size();
  arena_.insert(arena_.end(), word.begin(), word.end());
  types_.push_back(
      Type{offset, count, static_cast<std::uint32_t>(word.size()), classIndex(wordClass)});
  slots_[i] = (tag << 32) | types_.size();
  if (types_.size() * 2 > slots_.size()) grow();
}

void WordCounter::grow() {
  std::vector<std::uint64_t> old(slots_.size() * 2, 0);
  old.swap(slots_);
  mask_ = slots_.size() - 1;
  for (std::uint64_t slot : old) {
    if (slot == 0) continue;
    const Type& t = types_[(slot & 0xFFFFFFFFu) - 1];
    std::uint64_t i = Hash({arena_.data() + t.offset, t.length}) & mask_;
    while (slots_[i] != 0) i = (i + 1) & mask_;
    slots_[i] = slot;
  }
}

void WordCounter::Merge(const WordCounter& later) {
  for (std::size_t k = 0; k < later.types_.size(); ++k)
    Add(later.Word(k), later.Frequency(k), later.WordClass(k));
}

std::size_t WordCounter::MemoryBytes() const {
  return slots_.capacity() * sizeof(std::uint64_t) + types_.capacity() * sizeof(Type) +
         arena_.capacity();
}

}  // namespace lexvane::frequency
