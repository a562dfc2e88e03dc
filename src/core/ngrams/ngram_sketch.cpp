#include "ngrams/ngram_sketch.h"

#include <algorithm>

namespace lexvane::ngrams {

namespace {

constexpr int kFewestBits = 20;
constexpr int kMostBits = 30;

int bitsFor(std::uint64_t occurrences) {
  int bits = kFewestBits;
  while (bits < kMostBits && (std::uint64_t{1} << bits) < occurrences) ++bits;
  return bits;
}

}  // namespace

NGramSketch::NGramSketch(std::uint64_t occurrences)
    : buckets_(std::size_t{1} << bitsFor(occurrences)), shift_(64 - bitsFor(occurrences)) {}

void NGramSketch::Add(std::uint64_t hash, std::uint64_t count) {
  std::atomic_ref<std::uint8_t> bucket(buckets_[index(hash)]);
  std::uint8_t now = bucket.load(std::memory_order_relaxed);
  for (;;) {
    if (now >= kCap) return;
    const auto next = static_cast<std::uint8_t>(std::min<std::uint64_t>(kCap, now + count));
    if (bucket.compare_exchange_weak(now, next, std::memory_order_relaxed)) return;
  }
}

}  // namespace lexvane::ngrams
