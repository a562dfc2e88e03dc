#include "ngrams/ngram_statistics.h"

namespace lexvane::ngrams {

concordance::Statistics NGramStatistics(const NGramList& list) {
  const ListSource& source = list.Source();
  return concordance::MakeStatistics(
      list.FileCount(), source.totalSizeKB, source.totalWords, source.totalSentences,
      list.Kind() == ListKind::Clusters ? "Clusters found:" : "N-grams found:", list.Count(),
      list.ListComplete());
}

}  // namespace lexvane::ngrams
