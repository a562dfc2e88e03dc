// How the word frequency list counts one token the scanner delivered: the
// tag (read per token in tagged corpora) gives the word class, capitals are
// folded when asked, a non-empty token counts as a word, and the token's
// sentence end counts also when the token came out empty.
#pragma once

#include <cstdint>
#include <string_view>

#include "frequency/word_counter.h"

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
};

void CountToken(CorpusCounts& counts, std::string_view token, bool simpleEnd,
                const TokenRules& rules);

// The fast path for untagged text, inlined into the scanning loop.
inline void CountPlainToken(CorpusCounts& counts, std::string_view token, bool simpleEnd) {
  if (!token.empty()) {
    ++counts.words;
    counts.counter.Add(token);
  }
  if (simpleEnd) ++counts.sentences;
}

}  // namespace lexvane::frequency
