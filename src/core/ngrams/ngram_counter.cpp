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
  length_ = 0;
  afterStretch_ = -1;
}

void NGramCounter::Word(std::string_view word, bool sentenceEnd) {
  const std::uint64_t hash = WordHash(word);
  const std::uint32_t id = mode_ == Mode::Sketch ? 0 : vocabulary_.Intern(word, hash);
  const int longest = options_.maxLength;
  if (length_ == longest) {
    std::copy(ids_ + 1, ids_ + longest, ids_);
    std::copy(hashes_ + 1, hashes_ + longest, hashes_);
    --length_;
  }
  ids_[length_] = id;
  hashes_[length_] = hash;
  ++length_;
  if (afterStretch_ >= 0) ++afterStretch_;
  // Past the stretch's end an n-gram must reach back into it.
  const int shortest = std::max(options_.minLength, afterStretch_ + 1);
  for (int n = shortest; n <= length_; ++n) count(n, NGramHash(hashes_ + length_ - n, n));
  if (sentenceEnd && !options_.crossSentences) length_ = 0;
}

void NGramCounter::count(int n, std::uint64_t hash) {
  if (mode_ == Mode::Sketch) {
    sketch_->Add(hash);
    return;
  }
  if (mode_ == Mode::Filtered && !sketch_->Reaches(hash, floor_)) return;
  const std::uint32_t* ids = ids_ + length_ - n;
  switch (n) {
    case 2:
      table<2>().Add(ids, hash, file_, firstFile_);
      break;
    case 3:
      table<3>().Add(ids, hash, file_, firstFile_);
      break;
    case 4:
      table<4>().Add(ids, hash, file_, firstFile_);
      break;
    default:
      table<5>().Add(ids, hash, file_, firstFile_);
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
