// The statistics of a concordance window: the figures of its build and the
// rows it holds now, for the shared statistics dialog (statistics_text.h).
#pragma once

#include "concordance/concordance_table.h"
#include "concordance/statistics_text.h"

namespace lexvane::concordance {

// Files, size, words and sentences of the build; "Sentences found:" the rows
// now; incomplete when the search was cancelled.
StatisticsFigures ConcordanceFigures(const ConcordanceTable& table);

}  // namespace lexvane::concordance
