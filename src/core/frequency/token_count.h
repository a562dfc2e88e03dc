// How the word frequency list counts one token the scanner delivered: the
// tag (read per token in tagged corpora) gives the word class, capitals are
// folded when asked, a non-empty token counts as a word, and the token's
// sentence end counts also when the token came out empty.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

#include "corpus/corpus_settings.h"
#include "frequency/word_counter.h"
#include "text/encoding.h"

namespace lexvane::frequency {

// The counts of one stretch of corpus text.
struct CorpusCounts {
  WordCounter counter;
  std::int64_t words = 0;
  std::int64_t sentences = 0;
};

struct TokenRules {
  bool tagged = false;
  // Lower-case after the tag is taken off (the class keeps its capitals).
  // Untagged text is lower-cased by the tokenizer already.
  bool lowerAfterTag = false;
  text::Encoding encoding = text::Encoding::Windows1252;  // of the tokens
};

// How the tokens of a corpus become words: capitals are folded by the
// tokenizer itself in untagged text, after the tag is taken off in tagged
// text (so the class keeps its capitals).
struct TokenFolding {
  TokenRules rules;
  bool lowerInTokenizer = false;
};
TokenFolding TokenFoldingOf(const corpus::CorpusSettings& settings);

void CountToken(CorpusCounts& counts, std::string_view token, bool simpleEnd,
                const TokenRules& rules);

// The word a token counts as under `rules`: in tagged corpora its tag taken
// off (into `wordClass`, when given) and then lower-cased when asked; else
// the token itself. `buffer` holds the word when it differs from the token.
// Every count of words (the word list, n-grams) goes through this rule.
std::string_view WordOfToken(std::string_view token, const TokenRules& rules, std::string& buffer,
                             std::string* wordClass = nullptr);

// The fast path for untagged text, inlined into the scanning loop.
inline void CountPlainToken(CorpusCounts& counts, std::string_view token, bool simpleEnd) {
  if (!token.empty()) {
    ++counts.words;
    counts.counter.Add(token);
  }
  if (simpleEnd) ++counts.sentences;
}

// Counts untagged tokens a few tokens behind the scan, so that the table slot
// of each is fetched from memory while the tokens before it are counted. The
// words and sentences are counted at once; the types lag by at most
// kDepth tokens until Flush, which the caller must call when done.
class PipelinedCounter {
 public:
  explicit PipelinedCounter(CorpusCounts& counts) : counts_(counts) {}
  PipelinedCounter(const PipelinedCounter&) = delete;
  PipelinedCounter& operator=(const PipelinedCounter&) = delete;

  // Count in two steps, the token written by the caller: Reserve gives room
  // for it (1024 bytes, the first 16 zero), Commit counts the `length`
  // bytes written there (not 0). The token is hashed at the next count (or
  // Flush), when the bytes just written can be read back without waiting.
  char* Reserve() {
    Pending& slot = next();
    std::memset(slot.chars, 0, 16);
    return slot.chars;
  }
  void Commit(std::size_t length, bool simpleEnd) {
    counted(simpleEnd);
    ring_[head_ % kDepth].length = length;
    ++head_;
    written_ = true;
  }
  // Count with the token given: each byte mapped through `map` (a byte
  // table: lower case, or the bytes themselves). The first 16 bytes are
  // gathered in registers and hashed from there, not read back from the
  // ring, where the processor would wait for the bytes just stored. With
  // `asciiOnly`, a token with a byte from 0x80 on is left uncounted and
  // false comes back. REQUIRES: a token that is not empty.
  bool CountMapped(std::string_view token, const char* map, bool asciiOnly, bool simpleEnd) {
    const auto* in = reinterpret_cast<const unsigned char*>(token.data());
    if (asciiOnly && in[0] >= 0x80) return false;
    const std::size_t length = token.size();
    std::uint64_t low = 0, high = 0;
    unsigned seen = 0;
    const std::size_t lowEnd = length < 8 ? length : 8, highEnd = length < 16 ? length : 16;
    for (std::size_t i = 0; i < lowEnd; ++i) {
      seen |= in[i];
      low |= std::uint64_t{static_cast<unsigned char>(map[in[i]])} << (8 * i);
    }
    for (std::size_t i = 8; i < highEnd; ++i) {
      seen |= in[i];
      high |= std::uint64_t{static_cast<unsigned char>(map[in[i]])} << (8 * (i - 8));
    }
    for (std::size_t i = 16; i < length; ++i) seen |= in[i];
    if (asciiOnly && seen >= 0x80) return false;
    Pending& slot = next();
    std::memcpy(slot.chars, &low, 8);
    std::memcpy(slot.chars + 8, &high, 8);
    for (std::size_t i = 16; i < length; ++i) slot.chars[i] = map[in[i]];
    counted(simpleEnd);
    slot.length = length;
    slot.hash = length <= 16 ? WordCounter::HashWords(low, high, length)
                             : WordCounter::Hash({slot.chars, length});
    counts_.counter.Prefetch(slot.hash);
    ++head_;
    return true;
  }
  void Flush() {
    hashWritten();
    for (; tail_ < head_; ++tail_) add(ring_[tail_ % kDepth]);
  }

 private:
  static constexpr std::size_t kDepth = 16;
  struct Pending {
    std::uint64_t hash;
    std::size_t length;
    char chars[1024];  // 255 characters of up to four bytes
  };
  void add(const Pending& p) { counts_.counter.AddPadded(p.chars, p.length, p.hash); }
  // The ring's slot for the next token, its oldest token counted first.
  Pending& next() {
    hashWritten();
    Pending& slot = ring_[head_ % kDepth];
    if (head_ - tail_ == kDepth) {
      add(slot);
      ++tail_;
    }
    return slot;
  }
  void counted(bool simpleEnd) {
    if (simpleEnd) ++counts_.sentences;
    ++counts_.words;
  }
  // Hashes the token last written by the caller, if not done yet.
  void hashWritten() {
    if (!written_) return;
    written_ = false;
    Pending& slot = ring_[(head_ - 1) % kDepth];
    slot.hash = slot.length <= 16 ? WordCounter::HashPadded(slot.chars, slot.length)
                                  : WordCounter::Hash({slot.chars, slot.length});
    counts_.counter.Prefetch(slot.hash);
  }

  CorpusCounts& counts_;
  Pending ring_[kDepth];
  std::size_t head_ = 0, tail_ = 0;
  bool written_ = false;  // ring_[head_ - 1] is not hashed yet
};

}  // namespace lexvane::frequency
