// The fast mode of the concordance scan: each file read in large blocks and
// cut into words and sentences in bulk, words that no mask can match skipped
// on their first character, files scanned on several threads and their hits
// merged in corpus order. Gives the table, counters and stop behaviour of the
// reference scan. For corpus_scan.cpp and the tests only.
#pragma once

#include "concordance/corpus_scan.h"

namespace lexvane::concordance {

// False where only the reference scan is exact (see the definition).
bool FastScanApplies(const corpus::CorpusSettings& settings);

void FastScanCorpus(const search::SearchQuery& query, const corpus::CorpusSettings& settings,
                    const text::CharacterSets& sets, ConcordanceTable& table,
                    text::OperationHost& host, const BuildOptions& options);

}  // namespace lexvane::concordance
