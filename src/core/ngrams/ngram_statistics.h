// The statistics dialog's figures of an n-gram or cluster list: those of the
// corpus (or concordance) it was built from, then "N-grams found:" or
// "Clusters found:" (the rows it holds now).
#pragma once

#include "concordance/concordance_statistics.h"
#include "ngrams/ngram_list.h"

namespace lexvane::ngrams {

concordance::Statistics NGramStatistics(const NGramList& list);

}  // namespace lexvane::ngrams
