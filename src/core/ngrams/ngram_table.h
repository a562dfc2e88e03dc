// NGramTable<N>: exact counts of n-grams of N words, each kept as N word ids
// of one Vocabulary, with its frequency and its range (the files it occurs
// in). Open addressing: a slot holds the low 32 bits of the n-gram's content
// hash, which are also where it belongs, so the table grows without hashing
// again. Memory grows with the n-grams held (32 to 48 bytes each, at most
// 70 % of the slots used). One per counting thread; not thread-safe.
#pragma once

#include <cstdint>
#include <cstring>

#include "ngrams/zeroed_array.h"

namespace lexvane::ngrams {

template <int N>
class NGramTable {
 public:
  struct Slot {
    std::uint32_t tag;  // the low 32 bits of the content hash
    std::uint32_t ids[N];
    std::uint32_t lastFile;  // the file of the latest occurrence
    // The number of files; kSharedFlag set when the n-gram occurs in the
    // first file of the counter's stretch of corpus, which the stretch
    // before may have counted too.
    std::uint32_t range;
    std::uint64_t count;  // 0: a free slot
  };
  static constexpr std::uint32_t kSharedFlag = 0x80000000u;

  NGramTable() : slots_(kFirstSlots), mask_(kFirstSlots - 1), growAt_(kFirstSlots * 7 / 10) {}

 public:  // queries
  std::size_t Size() const { return size_; }
  std::size_t MemoryBytes() const { return slots_.bytes(); }
  // Calls f(slot) for every n-gram held, in no particular order.
  template <class F>
  void ForEach(F&& f) const {
    for (std::size_t i = 0; i < slots_.size(); ++i)
      if (slots_[i].count != 0) f(slots_[i]);
  }

 public:  // commands
  // One occurrence of the n-gram `ids` with content hash `hash` in `file`;
  // `firstFile`: the file is the first of the counter's stretch.
  void Add(const std::uint32_t* ids, std::uint64_t hash, std::uint32_t file, bool firstFile) {
    Slot& slot = find(ids, static_cast<std::uint32_t>(hash));
    if (slot.count == 0) {
      slot.range = 1;
      slot.lastFile = file;
      ++size_;
    } else if (slot.lastFile != file) {
      ++slot.range;
      slot.lastFile = file;
    }
    ++slot.count;
    if (firstFile) slot.range |= kSharedFlag;
    if (size_ >= growAt_) grow();
  }
  // The counts of `later` (a slot of the table of the stretch of corpus
  // that follows this one, its ids translated to this table's vocabulary):
  // frequencies and ranges add up; a file both stretches counted (the last
  // of this one, `sharedFile`, when the later slot is flagged) counts once.
  void AddLater(const Slot& later, const std::uint32_t* ids, std::uint32_t sharedFile) {
    Slot& slot = find(ids, later.tag);
    const std::uint32_t range = later.range & ~kSharedFlag;
    if (slot.count == 0) {
      slot.range = range;
      ++size_;
    } else {
      const bool shared = (later.range & kSharedFlag) != 0 && slot.lastFile == sharedFile;
      slot.range = (slot.range & ~kSharedFlag) + range - (shared ? 1 : 0);
    }
    slot.lastFile = later.lastFile;
    slot.count += later.count;
    if (size_ >= growAt_) grow();
  }
  void Prefetch(std::uint64_t hash) const { __builtin_prefetch(&slots_[hash & mask_]); }
  void Clear() { *this = NGramTable(); }

 private:
  static constexpr std::size_t kFirstSlots = 1 << 10;

  Slot& find(const std::uint32_t* ids, std::uint32_t tag) {
    for (std::uint64_t i = tag & mask_;; i = (i + 1) & mask_) {
      Slot& slot = slots_[i];
      if (slot.count == 0) {
        slot.tag = tag;
        std::memcpy(slot.ids, ids, sizeof slot.ids);
        return slot;
      }
      if (slot.tag == tag && std::memcmp(slot.ids, ids, sizeof slot.ids) == 0) return slot;
    }
  }
  void grow() {
    ZeroedArray<Slot> old(slots_.size() * 2);
    old.swap(slots_);
    mask_ = slots_.size() - 1;
    growAt_ = slots_.size() * 7 / 10;
    for (std::size_t k = 0; k < old.size(); ++k) {
      const Slot& slot = old[k];
      if (slot.count == 0) continue;
      std::uint64_t i = slot.tag & mask_;
      while (slots_[i].count != 0) i = (i + 1) & mask_;
      slots_[i] = slot;
    }
  }

  ZeroedArray<Slot> slots_;
  std::uint64_t mask_;
  std::size_t growAt_;
  std::size_t size_ = 0;
};

}  // namespace lexvane::ngrams
