// NGramCounter: counts the n-grams of a stream of words, file by file: the
// consumer a corpus pass feeds with each word (already cut, its tag taken
// off and folded as the word list folds) and each sentence end. No n-gram
// runs across two files, nor across a sentence end unless the options say
// so.
//
// A pass may cut the corpus into stretches (whole files, or a file cut in
// two at a byte offset) counted by several counters; each counts the
// n-grams that start in its stretch, reading past its end only to complete
// them (EndStretch), and AbsorbLater joins them in corpus order.
//
// Modes: Exact counts every n-gram; Sketch only adds each to the shared
// NGramSketch; Filtered counts exactly those whose sketch bucket reaches
// the options' floor. Memory grows with the distinct words and the n-grams
// held. One per thread.
//
// An n-gram is counted a few n-grams after it was read, so that its table
// slot or sketch bucket is fetched from memory while the ones before it are
// counted: Flush() counts what waits, and every query expects it done.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>

#include "ngrams/ngram_options.h"
#include "ngrams/ngram_sketch.h"
#include "ngrams/ngram_table.h"
#include "ngrams/vocabulary.h"

namespace lexvane::ngrams {

// The content hash of the n-gram of words with these content hashes: the
// same in every counter, pass and thread.
inline std::uint64_t NGramHash(const std::uint64_t* wordHashes, int n) {
  std::uint64_t h = 0x9E3779B97F4A7C15ull * static_cast<std::uint64_t>(n + 1);
  for (int i = 0; i < n; ++i) {
    h ^= wordHashes[i];
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 32;
  }
  return h;
}

class NGramCounter {
 public:
  enum class Mode { Exact, Sketch, Filtered };

  // `sketch` is needed by the Sketch and Filtered modes; it outlives the
  // counter.
  NGramCounter(const NGramOptions& options, Mode mode, NGramSketch* sketch = nullptr);

 public:  // the stream
  // A new file (its index in the corpus); `firstOfStretch`: the first file
  // of this counter's stretch, which may have begun inside it.
  void BeginFile(std::uint32_t file, bool firstOfStretch);
  // The next word (not empty); `sentenceEnd`: its sentence ends behind it.
  void Word(std::string_view word, bool sentenceEnd);
  // A sentence end behind a token that made no word.
  void SentenceEnd() {
    if (!options_.crossSentences) runStart_ = position_;
  }
  // The stretch ends here: the words that follow complete only the n-grams
  // that began inside it.
  void EndStretch() { afterStretch_ = 0; }
  // After EndStretch: no n-gram that began inside the stretch can still be
  // completed, so the pass may stop reading.
  bool StretchDone() const {
    return afterStretch_ >= 0 && (position_ - runStart_ <= std::uint64_t(afterStretch_) ||
                                  afterStretch_ >= options_.maxLength - 1);
  }
  // Counts the n-grams that wait.
  void Flush() {
    while (tail_ != head_) process(pending_[tail_++ % kDepth]);
  }

 public:  // queries
  Mode CurrentMode() const { return mode_; }
  // The distinct n-grams held.
  std::size_t NGrams() const;
  std::size_t MemoryBytes() const;
  // Calls f(text, words, frequency, range) for every n-gram held that the
  // options keep; the text is its words joined by single blanks.
  // REQUIRES: Flush() since the last word.
  template <class F>
  void ForEachKept(F&& f) const;

 public:  // commands
  // Exact mode only: adds every n-gram held to `sketch`, lets them go and
  // goes on in Sketch mode.
  void SwitchToSketch(NGramSketch& sketch);
  // Joins the counts of `later`, the counter of the stretch that follows
  // this one in corpus order (`sharedFile`: the file both stretches read
  // part of, or any index neither read when they share none); `later` is
  // emptied.
  void AbsorbLater(NGramCounter& later, std::uint32_t sharedFile);

 private:
  template <int N>
  NGramTable<N>& table() {
    return std::get<N - kShortestLength>(tables_);
  }
  template <int N>
  const NGramTable<N>& table() const {
    return std::get<N - kShortestLength>(tables_);
  }
  // An n-gram read, waiting to be counted: its last word's place in the
  // stream, its content hash, its length and its file.
  struct Pending {
    std::uint64_t last;
    std::uint64_t hash;
    std::uint32_t file;
    std::uint8_t n;
    bool firstFile;
  };
  static constexpr std::size_t kDepth = 16;
  // The words kept by their place in the stream, modulo kRing: enough for
  // the longest n-gram of every pending one.
  static constexpr std::uint64_t kRing = 32;
  static constexpr std::uint32_t kNoId = 0xFFFFFFFFu;

  void enqueue(const Pending& pending);
  void process(const Pending& pending);
  template <int N>
  void addToSketch(NGramSketch& sketch);
  template <int N>
  void absorb(const NGramCounter& later, const std::uint32_t* translate, std::uint32_t sharedFile);
  template <int N, class F>
  void forEachKept(F& f, std::string& text) const;

  NGramOptions options_;
  Mode mode_;
  NGramSketch* sketch_;
  std::uint32_t floor_;
  Vocabulary vocabulary_;
  std::tuple<NGramTable<2>, NGramTable<3>, NGramTable<4>, NGramTable<5>> tables_;
  // The stream's latest words by their place in it: ids (in Filtered mode
  // kNoId until an n-gram of the word is counted; its text waits in texts_),
  // content hashes; the place of the next word and of the run's first.
  std::uint32_t ids_[kRing] = {};
  std::uint64_t hashes_[kRing] = {};
  std::string texts_[kRing];
  std::uint64_t position_ = 0;
  std::uint64_t runStart_ = 0;
  Pending pending_[kDepth] = {};
  std::size_t head_ = 0, tail_ = 0;
  int afterStretch_ = -1;  // words read past the stretch's end; -1 inside it
  std::uint32_t file_ = 0;
  bool firstFile_ = false;
};

template <int N, class F>
void NGramCounter::forEachKept(F& f, std::string& text) const {
  if (N < options_.minLength || N > options_.maxLength) return;
  table<N>().ForEach([&](const typename NGramTable<N>::Slot& slot) {
    const std::uint32_t range = slot.range & ~NGramTable<N>::kSharedFlag;
    if (!options_.Keeps(static_cast<std::int64_t>(slot.count), range)) return;
    text.clear();
    for (int i = 0; i < N; ++i) {
      if (i > 0) text += ' ';
      text += vocabulary_.Word(slot.ids[i]);
    }
    f(std::string_view(text), N, static_cast<std::int64_t>(slot.count),
      static_cast<std::int64_t>(range));
  });
}

template <class F>
void NGramCounter::ForEachKept(F&& f) const {
  std::string text;
  forEachKept<2>(f, text);
  forEachKept<3>(f, text);
  forEachKept<4>(f, text);
  forEachKept<5>(f, text);
}

}  // namespace lexvane::ngrams
