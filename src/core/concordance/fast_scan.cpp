#include "concordance/fast_scan.h"

namespace lexvane::concordance {

bool FastScanApplies(const corpus::CorpusSettings&) { return false; }

void FastScanCorpus(const search::SearchQuery&, const corpus::CorpusSettings&, ConcordanceTable&,
                    text::OperationHost&, const BuildOptions&) {}

}  // namespace lexvane::concordance
