// The statistics figures of a word frequency list: the build's files, size,
// words and sentences, and the types it holds now ("Types found:").
#pragma once

#include "concordance/concordance_statistics.h"
#include "frequency/word_frequency_list.h"

namespace lexvane::frequency {

concordance::Statistics WordFrequencyStatistics(const WordFrequencyList& list);

}  // namespace lexvane::frequency
