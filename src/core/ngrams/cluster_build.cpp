#include "ngrams/cluster_build.h"

#include <cstdint>
#include <unordered_map>
#include <unordered_set>

#include "text/encoding.h"
#include "text/string_words.h"

namespace lexvane::ngrams {

namespace {

struct ClusterCount {
  std::int64_t frequency = 0;
  std::int64_t range = 0;
  int words = 0;
};

// Whether a text of the list may have been cut at 255 characters.
bool atLimit(std::string_view text, text::Encoding encoding) {
  return text::characterCount(text, encoding) >= text::kMaxTextLength;
}

}  // namespace

std::vector<std::string> ContextWords(std::string_view text, const text::CharacterSets& sets,
                                      bool lowerCase, bool cutAtFront, bool cutAtBack) {
  const text::StringWords cutter(sets);
  std::vector<std::string> words;
  std::size_t i = cutter.RunEnd(text, 0, true);
  // Whether the first word begins the text, and the last one ends it.
  const bool touchesFront = i == 0 && !text.empty();
  bool touchesBack = false;
  while (i < text.size()) {
    const std::size_t end = cutter.RunEnd(text, i, false);
    std::string word(text.substr(i, end - i));
    if (lowerCase) text::lowerInPlace(word, sets.encoding);
    words.push_back(std::move(word));
    touchesBack = end == text.size();
    i = cutter.RunEnd(text, end, true);
  }
  if (cutAtBack && touchesBack && !words.empty()) words.pop_back();
  if (cutAtFront && touchesFront && !words.empty()) words.erase(words.begin());
  return words;
}

void BuildClusters(const concordance::ConcordanceTable& table, const NGramOptions& options,
                   ClusterSide side, bool lowerCase, NGramList& list,
                   const text::Collator& collator, text::OperationHost& host) {
  ListSource source;
  source.corpusFiles = table.CorpusFiles;
  source.totalSizeKB = table.TotalSizeKB;
  source.totalWords = table.TotalWords;
  source.totalSentences = table.TotalSentences;
  source.encoding = table.TextEncoding;
  list.Start(std::move(source), options, collator);
  const text::CharacterSets& sets = table.ScanSets;
  const text::Encoding encoding = table.TextEncoding;
  std::unordered_map<std::string, ClusterCount> counts;
  std::unordered_set<std::string> seenInFile;  // cluster text, NUL, file index
  std::vector<std::string> order;              // the clusters in the order found
  host.progress.Start(kExtractingClusters);
  const std::int32_t n = table.RowCount();
  bool complete = true;
  for (std::int32_t i = 1; i <= n; ++i) {
    if (i % 100 == 0) host.progress.SetGauge(static_cast<int>(std::int64_t{i} * 100 / n));
    if (host.progress.Cancelled()) {
      complete = false;
      break;
    }
    const std::int32_t row = i - 1;
    const std::string_view keyword = table.Keywords().View(row);
    std::vector<std::string> words;
    if (side == ClusterSide::Left) {
      words = ContextWords(keyword, sets, lowerCase, false, false);
      if (words.size() != 1) continue;
      const std::string_view right = table.RightContexts().View(row);
      for (std::string& w : ContextWords(right, sets, lowerCase, false, atLimit(right, encoding)))
        words.push_back(std::move(w));
    } else {
      const std::string_view left = table.LeftContexts().View(row);
      words = ContextWords(left, sets, lowerCase, atLimit(left, encoding), false);
      std::vector<std::string> key = ContextWords(keyword, sets, lowerCase, false, false);
      if (key.size() != 1) continue;
      words.push_back(std::move(key.front()));
    }
    const auto fileIndex = static_cast<std::uint32_t>(table.Info(row).FileIndex);
    for (int length = options.minLength; length <= options.maxLength; ++length) {
      if (static_cast<std::size_t>(length) > words.size()) break;
      const std::size_t begin = side == ClusterSide::Left ? 0 : words.size() - length;
      std::string cluster;
      for (std::size_t k = begin; k < begin + length; ++k) {
        if (k > begin) cluster += ' ';
        cluster += words[k];
      }
      auto [it, added] = counts.try_emplace(cluster);
      if (added) order.push_back(cluster);
      ClusterCount& c = it->second;
      ++c.frequency;
      c.words = length;
      std::string fileKey = cluster;
      fileKey += '\0';
      fileKey += std::to_string(fileIndex);
      if (seenInFile.insert(std::move(fileKey)).second) ++c.range;
    }
  }
  host.progress.Finish();
  for (const std::string& cluster : order) {
    const ClusterCount& c = counts.at(cluster);
    if (options.Keeps(c.frequency, c.range)) list.Append(cluster, c.words, c.frequency, c.range);
  }
  list.SetComplete(complete);
  list.Order(options.sort);
}

}  // namespace lexvane::ngrams
