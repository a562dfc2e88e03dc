#include "frequency/word_frequency_statistics.h"

namespace lexvane::frequency {

concordance::StatisticsFigures WordFrequencyStatistics(const WordFrequencyList& list) {
  concordance::StatisticsFigures figures;
  figures.FileCount = list.FileCount();
  figures.TotalSizeKB = list.TotalSizeKB();
  figures.TotalWords = list.TotalWords();
  figures.TotalSentences = list.TotalSentences();
  figures.Found = list.Count();
  figures.FoundCaption = concordance::kTypesFound;
  figures.Complete = list.ListComplete();
  return figures;
}

}  // namespace lexvane::frequency
