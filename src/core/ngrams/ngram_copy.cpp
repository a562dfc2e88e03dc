#include "ngrams/ngram_copy.h"

#include "text/encoding.h"

namespace lexvane::ngrams {

namespace {

void buildLine(const NGramList& list, std::int32_t index, const frequency::CopyOptions& options,
               std::string& line) {
  // The delimiter is the option's first character (its bytes).
  const std::string d =
      options.Delimiter.substr(0, text::prefixBytes(options.Delimiter, 1, list.TextEncoding()));
  line.assign(list.Text(index));
  if (!options.SaveWordListOnly) {
    line += d;
    line += std::to_string(list.Frequency(index));
    line += d;
    line += std::to_string(list.Range(index));
  }
  line += "\r\n";
}

}  // namespace

std::string NGramLine(const NGramList& list, std::int32_t index,
                      const frequency::CopyOptions& options) {
  std::string line;
  buildLine(list, index, options, line);
  return line;
}

void CopyNGrams(const NGramList& list, std::int32_t first, std::int32_t last,
                const frequency::CopyOptions& options, frequency::CopyDestination destination,
                frequency::CopySink& sink, text::OperationHost& host) {
  frequency::CopyLines(
      list.Count(), first, last,
      [&](std::int32_t i, std::string& line) { buildLine(list, i, options, line); }, destination,
      sink, host);
}

}  // namespace lexvane::ngrams
