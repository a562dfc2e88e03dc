// NGramSketch: the first pass of a build whose n-grams do not all fit in
// memory: one small counter per bucket of n-gram content hashes, saturating
// at 255. An n-gram's bucket holds at least its own frequency (capped), so
// every n-gram whose bucket stays below the floor of the filters is known to
// be dropped, and the second pass counts exactly only the others. Buckets
// are shared by all counting threads (atomic updates).
#pragma once

#include <atomic>
#include <cstdint>

#include "ngrams/zeroed_array.h"

namespace lexvane::ngrams {

class NGramSketch {
 public:
  static constexpr std::uint32_t kCap = 255;

  // `occurrences`: about how many n-grams will be counted; the sketch gets
  // about as many buckets (a power of two, 2^20 to 2^30), so that few
  // rare n-grams share a bucket with enough others to pass the floor.
  explicit NGramSketch(std::uint64_t occurrences);

 public:  // queries
  std::size_t MemoryBytes() const { return buckets_.bytes(); }
  // The bucket's count: at least the frequency of every n-gram in it, or
  // kCap.
  std::uint32_t Count(std::uint64_t hash) const {
    auto& bucket = const_cast<std::uint8_t&>(buckets_[index(hash)]);
    return std::atomic_ref<std::uint8_t>(bucket).load(std::memory_order_relaxed);
  }
  bool Reaches(std::uint64_t hash, std::uint32_t floor) const {
    const std::uint32_t c = Count(hash);
    return c >= floor || c == kCap;
  }
  void Prefetch(std::uint64_t hash) const { __builtin_prefetch(&buckets_[index(hash)]); }

 public:  // commands
  // Adds `count` occurrences to the bucket of `hash` (capped at kCap). Safe
  // from several threads at once.
  void Add(std::uint64_t hash, std::uint64_t count = 1);

 private:
  std::size_t index(std::uint64_t hash) const { return static_cast<std::size_t>(hash >> shift_); }

  // High bits of the hash choose the bucket: the tables use the low ones.
  ZeroedArray<std::uint8_t> buckets_;
  int shift_;
};

}  // namespace lexvane::ngrams
