#include "ngrams/vocabulary.h"

namespace lexvane::ngrams {

namespace {

constexpr std::size_t kInitialSlots = 1 << 12;

}  // namespace

Vocabulary::Vocabulary() : slots_(kInitialSlots, Slot{0, kEmpty, 0}), mask_(kInitialSlots - 1) {}

std::uint32_t Vocabulary::Intern(std::string_view word, std::uint64_t hash) {
  for (std::uint64_t i = hash & mask_;; i = (i + 1) & mask_) {
    Slot& slot = slots_[i];
    if (slot.id == kEmpty) {
      const auto id = static_cast<std::uint32_t>(hashes_.size());
      slot = {hash, id, 0};
      hashes_.push_back(hash);
      arena_.append(word);
      ends_.push_back(arena_.size());
      // At most half full, so that a miss ends soon.
      if (hashes_.size() * 2 > slots_.size()) grow();
      return id;
    }
    if (slot.hash == hash && Word(slot.id) == word) return slot.id;
  }
}

void Vocabulary::grow() {
  std::vector<Slot> old(slots_.size() * 2, Slot{0, kEmpty, 0});
  old.swap(slots_);
  mask_ = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.id == kEmpty) continue;
    std::uint64_t i = slot.hash & mask_;
    while (slots_[i].id != kEmpty) i = (i + 1) & mask_;
    slots_[i] = slot;
  }
}

std::size_t Vocabulary::MemoryBytes() const {
  return slots_.capacity() * sizeof(Slot) + hashes_.capacity() * 8 + ends_.capacity() * 8 +
         arena_.capacity();
}

}  // namespace lexvane::ngrams
