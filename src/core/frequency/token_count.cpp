#include "frequency/token_count.h"

#include <string>

#include "text/encoding.h"
#include "text/tags.h"

namespace lexvane::frequency {

void CountToken(CorpusCounts& counts, std::string_view token, bool simpleEnd,
                const TokenRules& rules) {
  if (!rules.tagged) {
    CountPlainToken(counts, token, simpleEnd);
    return;
  }
  std::string wordClass = text::ExtractTag(token);
  std::string word = wordClass.empty() ? std::string(token) : text::StripTag(token, rules.encoding);
  if (rules.lowerAfterTag) text::lowerInPlace(word, rules.encoding);
  if (!word.empty()) {
    ++counts.words;
    counts.counter.Add(word, 1, wordClass);
  }
  if (simpleEnd) ++counts.sentences;
}

}  // namespace lexvane::frequency
