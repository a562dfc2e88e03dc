#include "ngrams/ngram_counter.h"

#include <algorithm>
#include <vector>

namespace lexvane::ngrams {

NGramCounter::NGramCounter(const NGramOptions& options, Mode mode, NGramSketch* sketch)
    : options_(options),
      mode_(mode),
      sketch_(sketch),
      floor_(static_cast<std::uint32_t>(
          std::min<std::int64_t>(options.FrequencyFloor(), NGramSketch::kCap))) {}

void NGramCounter::BeginFile(std::uint32_t file, bool firstOfStretch) {
  file_ = file;
  firstFile_ = firstOfStretch;
  runStart_ = position_;
  afterStretch_ = -1;
}

void NGramCounter::Word(std::string_view word, bool sentenceEnd) {
  const std::uint64_t hash = WordHash(word);
  const std::uint64_t place = position_;
  // The slot of this word is the one of the word kRing places back: the
  // n-grams that may need that one (those that end less than the longest
  // length after it) are counted first.
  while (tail_ != head_) {
    const Pending& oldest = pending_[tail_ % kDepth];
    if (oldest.last + kRing >= place + kLongestLength) break;
    process(oldest);
    ++tail_;
  }
  const std::size_t slot = place % kRing;
  hashes_[slot] = hash;
  ids_[slot] = mode_ == Mode::Exact ? vocabulary_.Intern(word, hash) : kNoId;
  if (mode_ == Mode::Filtered) texts_[slot].assign(word);
  ++position_;
  if (afterStretch_ >= 0) ++afterStretch_;
  // Past the stretch's end an n-gram must reach back into it.
  const int shortest = std::max(options_.minLength, afterStretch_ + 1);
  const int run =
      static_cast<int>(std::min<std::uint64_t>(position_ - runStart_, options_.maxLength));
  std::uint64_t hashes[kLongestLength];
  for (int n = shortest; n <= run; ++n) {
    for (int k = 0; k < n; ++k) hashes[k] = hashes_[(place + 1 - n + k) % kRing];
    enqueue({place, NGramHash(hashes, n), file_, static_cast<std::uint8_t>(n), firstFile_});
  }
  if (sentenceEnd && !options_.crossSentences) runStart_ = position_;
}

void NGramCounter::enqueue(const Pending& pending) {
  if (head_ - tail_ == kDepth) process(pending_[tail_++ % kDepth]);
  pending_[head_++ % kDepth] = pending;
  if (mode_ != Mode::Exact) {
    sketch_->Prefetch(pending.hash);
    return;
  }
  switch (pending.n) {
    case 2:
      table<2>().Prefetch(pending.hash);
      break;
    case 3:
      table<3>().Prefetch(pending.hash);
      break;
    case 4:
      table<4>().Prefetch(pending.hash);
      break;
    default:
      table<5>().Prefetch(pending.hash);
      break;
  }
}

void NGramCounter::process(const Pending& pending) {
  if (mode_ == Mode::Sketch) {
    sketch_->Add(pending.hash);
    return;
  }
  if (mode_ == Mode::Filtered && !sketch_->Reaches(pending.hash, floor_)) return;
  std::uint32_t ids[kLongestLength];
  for (int k = 0; k < pending.n; ++k) {
    const std::size_t slot = (pending.last + 1 - pending.n + k) % kRing;
    if (ids_[slot] == kNoId) ids_[slot] = vocabulary_.Intern(texts_[slot], hashes_[slot]);
    ids[k] = ids_[slot];
  }
  switch (pending.n) {
    case 2:
      table<2>().Add(ids, pending.hash, pending.file, pending.firstFile);
      break;
    case 3:
      table<3>().Add(ids, pending.hash, pending.file, pending.firstFile);
      break;
    case 4:
      table<4>().Add(ids, pending.hash, pending.file, pending.firstFile);
      break;
    default:
      table<5>().Add(ids, pending.hash, pending.file, pending.firstFile);
      break;
  }
}

std::size_t NGramCounter::NGrams() const {
  return table<2>().Size() + table<3>().Size() + table<4>().Size() + table<5>().Size();
}

std::size_t NGramCounter::MemoryBytes() const {
  return vocabulary_.MemoryBytes() + table<2>().MemoryBytes() + table<3>().MemoryBytes() +
         table<4>().MemoryBytes() + table<5>().MemoryBytes();
}

template <int N>
void NGramCounter::addToSketch(NGramSketch& sketch) {
  table<N>().ForEach([&](const typename NGramTable<N>::Slot& slot) {
    std::uint64_t hashes[N];
    for (int i = 0; i < N; ++i) hashes[i] = vocabulary_.Hash(slot.ids[i]);
    sketch.Add(NGramHash(hashes, N), slot.count);
  });
  table<N>().Clear();
}

void NGramCounter::SwitchToSketch(NGramSketch& sketch) {
  Flush();
  addToSketch<2>(sketch);
  addToSketch<3>(sketch);
  addToSketch<4>(sketch);
  addToSketch<5>(sketch);
  vocabulary_ = Vocabulary();
  sketch_ = &sketch;
  mode_ = Mode::Sketch;
}

template <int N>
void NGramCounter::absorb(const NGramCounter& later, const std::uint32_t* translate,
                          std::uint32_t sharedFile) {
  later.table<N>().ForEach([&](const typename NGramTable<N>::Slot& slot) {
    std::uint32_t ids[N];
    for (int i = 0; i < N; ++i) ids[i] = translate[slot.ids[i]];
    table<N>().AddLater(slot, ids, sharedFile);
  });
}

void NGramCounter::AbsorbLater(NGramCounter& later, std::uint32_t sharedFile) {
  Flush();
  later.Flush();
  std::vector<std::uint32_t> translate(later.vocabulary_.Size());
  for (std::uint32_t id = 0; id < translate.size(); ++id)
    translate[id] = vocabulary_.Intern(later.vocabulary_.Word(id), later.vocabulary_.Hash(id));
  absorb<2>(later, translate.data(), sharedFile);
  absorb<3>(later, translate.data(), sharedFile);
  absorb<4>(later, translate.data(), sharedFile);
  absorb<5>(later, translate.data(), sharedFile);
  later = NGramCounter(later.options_, later.mode_, later.sketch_);
}

}  // namespace lexvane::ngrams
