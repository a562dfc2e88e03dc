// The statistics figures of a word frequency list ("Types found:").
#pragma once

#include "concordance/statistics_text.h"
#include "frequency/word_frequency_list.h"

namespace lexvane::frequency {

concordance::StatisticsFigures WordFrequencyStatistics(const WordFrequencyList& list);

}  // namespace lexvane::frequency
