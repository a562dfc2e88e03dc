#include "frequency/word_frequency_statistics.h"

namespace lexvane::frequency {

concordance::Statistics WordFrequencyStatistics(const WordFrequencyList& list) {
  return concordance::MakeStatistics(list.FileCount(), list.TotalSizeKB(), list.TotalWords(),
                                     list.TotalSentences(), "Types found:", list.Count(),
                                     list.ListComplete());
}

}  // namespace lexvane::frequency
