#include "frequency/token_count.h"

#include <string>

#include "text/encoding.h"
#include "text/tags.h"

namespace lexvane::frequency {

TokenFolding TokenFoldingOf(const corpus::CorpusSettings& settings) {
  TokenFolding folding;
  folding.rules.tagged = settings.TaggedText;
  folding.rules.lowerAfterTag = settings.TaggedText && settings.IgnoreCapital;
  folding.rules.encoding = settings.TextEncoding;
  folding.lowerInTokenizer = settings.IgnoreCapital && !settings.TaggedText;
  return folding;
}

void CountToken(CorpusCounts& counts, std::string_view token, bool simpleEnd,
                const TokenRules& rules) {
  if (!rules.tagged) {
    CountPlainToken(counts, token, simpleEnd);
    return;
  }
  std::string wordClass, buffer;
  const std::string_view word = WordOfToken(token, rules, buffer, &wordClass);
  if (!word.empty()) {
    ++counts.words;
    counts.counter.Add(word, 1, wordClass);
  }
  if (simpleEnd) ++counts.sentences;
}

std::string_view WordOfToken(std::string_view token, const TokenRules& rules, std::string& buffer,
                             std::string* wordClass) {
  if (!rules.tagged) return token;
  std::string tag = text::ExtractTag(token);
  buffer = tag.empty() ? std::string(token) : text::StripTag(token, rules.encoding);
  if (rules.lowerAfterTag) text::lowerInPlace(buffer, rules.encoding);
  if (wordClass != nullptr) *wordClass = std::move(tag);
  return buffer;
}

}  // namespace lexvane::frequency
