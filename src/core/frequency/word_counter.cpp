#include "frequency/word_counter.h"

#include <sys/mman.h>

#include <new>

#include "text/error.h"

namespace lexvane::frequency {

namespace {

constexpr std::size_t kFirstSlots = 1 << 12;

}  // namespace

WordCounter::SlotTable::SlotTable(std::size_t size) : size_(size) {
  const std::size_t bytes = size * sizeof(Slot);
  constexpr std::size_t kHugePage = std::size_t{2} << 20;
  if (bytes >= kHugePage) {
    void* p = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    ::madvise(p, bytes, MADV_HUGEPAGE);
    data_ = static_cast<Slot*>(p);
    mapped_ = true;
  } else {
    data_ = new Slot[size]();
  }
}

WordCounter::SlotTable::~SlotTable() {
  if (mapped_)
    ::munmap(data_, size_ * sizeof(Slot));
  else
    delete[] data_;
}

WordCounter::WordCounter() {
  Clear();
}

void WordCounter::Clear() {
  slots_ = SlotTable(kFirstSlots);
  mask_ = kFirstSlots - 1;
  types_ = 0;
  growAt_ = kFirstSlots * 7 / 10;
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
  return finish(h);
}

std::uint32_t WordCounter::classIndex(std::string_view wordClass) {
  if (wordClass.empty()) return 0;
  for (std::size_t i = 1; i < classes_.size(); ++i)
    if (classes_[i] == wordClass) return static_cast<std::uint32_t>(i);
  classes_.emplace_back(wordClass);
  return static_cast<std::uint32_t>(classes_.size() - 1);
}

void WordCounter::AddHashed(std::string_view word, std::uint64_t hash, std::int64_t count,
                            std::string_view wordClass) {
  const std::uint32_t tag = tagOf(hash);
  std::uint64_t i = hash & mask_;
  for (;;) {
    Slot& slot = slots_[i];
    if (slot.tag == 0) break;
    if (slot.tag == tag && slot.length == word.size() &&
        std::memcmp(wordOf(slot).data(), word.data(), word.size()) == 0) {
      slot.frequency += static_cast<std::uint64_t>(count);
      return;
    }
    i = (i + 1) & mask_;
  }
  Slot& slot = slots_[i];
  slot.tag = tag;
  slot.length = word.size();
  slot.wordClass = classIndex(wordClass);
  slot.frequency = static_cast<std::uint64_t>(count);
  if (word.size() <= kInline) {
    std::memcpy(slot.word.chars, word.data(), word.size());
  } else {
    slot.word.offset = arena_.size();
    arena_.insert(arena_.end(), word.begin(), word.end());
  }
  if (++types_ > growAt_) grow();
}

void WordCounter::AddPadded(const char* padded, std::size_t length, std::uint64_t hash) {
  if (length > kInline) {
    AddHashed({padded, length}, hash);
    return;
  }
  std::uint64_t a, b;
  std::memcpy(&a, padded, 8);
  std::memcpy(&b, padded + 8, 8);
  const std::uint32_t tag = tagOf(hash);
  for (std::uint64_t i = hash & mask_;; i = (i + 1) & mask_) {
    Slot& slot = slots_[i];
    if (slot.tag == 0) break;
    if (slot.tag != tag || slot.length != length) continue;
    // Inline words are stored zero-padded, so 16 bytes compare at once.
    std::uint64_t x, y;
    std::memcpy(&x, slot.word.chars, 8);
    std::memcpy(&y, slot.word.chars + 8, 8);
    if (x == a && y == b) {
      slot.frequency += 1;
      return;
    }
  }
  AddHashed({padded, length}, hash);
}

void WordCounter::grow() {
  if (slots_.size() >= (std::size_t{1} << 31)) throw text::Error("Too many word types.");
  SlotTable old(slots_.size() * 2);
  old.swap(slots_);
  mask_ = slots_.size() - 1;
  growAt_ = slots_.size() * 7 / 10;
  for (const Slot& slot : old) {
    if (slot.tag == 0) continue;
    std::uint64_t i = Hash(wordOf(slot)) & mask_;
    while (slots_[i].tag != 0) i = (i + 1) & mask_;
    slots_[i] = slot;
  }
}

std::vector<std::uint32_t> WordCounter::Handles() const {
  std::vector<std::uint32_t> handles;
  handles.reserve(types_);
  for (std::size_t i = 0; i < slots_.size(); ++i)
    if (slots_[i].tag != 0) handles.push_back(static_cast<std::uint32_t>(i));
  return handles;
}

void WordCounter::Merge(const WordCounter& later) {
  for (const Slot& slot : later.slots_)
    if (slot.tag != 0)
      Add(later.wordOf(slot), static_cast<std::int64_t>(slot.frequency),
          later.classes_[slot.wordClass]);
}

std::size_t WordCounter::MemoryBytes() const {
  return slots_.size() * sizeof(Slot) + arena_.capacity();
}

}  // namespace lexvane::frequency
