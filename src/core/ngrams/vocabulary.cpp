#include "ngrams/vocabulary.h"

#include <algorithm>

namespace lexvane::ngrams {

namespace {

constexpr std::size_t kInitialSlots = 1 << 12;

}  // namespace

Vocabulary::Vocabulary() : slots_(kInitialSlots), mask_(kInitialSlots - 1) {}

std::uint32_t Vocabulary::add(std::string_view word, std::uint64_t hash, std::uint64_t at) {
  const auto id = static_cast<std::uint32_t>(hashes_.size());
  Slot& slot = slots_[at];
  slot.hash = hash;
  slot.idPlusOne = id + 1;
  slot.length = static_cast<std::uint32_t>(word.size());
  std::memcpy(slot.chars, word.data(), std::min(word.size(), kInline));
  hashes_.push_back(hash);
  arena_.append(word);
  ends_.push_back(arena_.size());
  // At most half full, so that a miss ends soon.
  if (hashes_.size() * 2 > slots_.size()) grow();
  return id;
}

void Vocabulary::grow() {
  ZeroedArray<Slot> old(slots_.size() * 2);
  old.swap(slots_);
  mask_ = slots_.size() - 1;
  for (std::size_t k = 0; k < old.size(); ++k) {
    const Slot& slot = old[k];
    if (slot.idPlusOne == 0) continue;
    std::uint64_t i = slot.hash & mask_;
    while (slots_[i].idPlusOne != 0) i = (i + 1) & mask_;
    slots_[i] = slot;
  }
}

std::size_t Vocabulary::MemoryBytes() const {
  return slots_.bytes() + hashes_.capacity() * 8 + ends_.capacity() * 8 + arena_.capacity();
}

}  // namespace lexvane::ngrams
