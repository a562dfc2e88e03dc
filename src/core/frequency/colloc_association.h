// Association measures on a collocate table: how much more often than chance
// each collocate stands near its node. For every row the 2x2 table of
// stats/association.h is filled from counts the table and the corpus hold:
//
//   N    the words the concordance's build scanned (its TotalWords);
//   f    the node's frequency: the concordance rows of the node's group;
//   S    the positions chosen for the table (left plus right);
//   R1   f x S (window-adjusted), or f when each hit counts once;
//   C1   the collocate's frequency in the corpus, counted with capitals
//        kept as the collocates keep them;
//   O11  the row's Total, or, when each hit counts once, the rows of the
//        group in which the collocate stands at least once (a Total could
//        exceed f there and leave a negative cell).
//
// The figures are kept on the rows; the chosen measures become columns after
// Total. Rows below a minimum O11 or C1 are kept aside, not destroyed, so a
// lower minimum brings them back.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "concordance/concordance_table.h"
#include "corpus/corpus_settings.h"
#include "frequency/colloc_table.h"
#include "frequency/word_counts.h"
#include "stats/association.h"

namespace lexvane::frequency {

struct AssociationOptions {
  // The measure columns, in this order.
  std::vector<stats::Measure> Measures;
  bool OncePerHit = false;
  std::int64_t MinO11 = 0;
  std::int64_t MinC1 = 0;
  // Sorts the table by this measure (descending) when set; otherwise the
  // shown rows keep their order.
  std::optional<stats::Measure> SortBy;

  bool operator==(const AssociationOptions&) const = default;
};

// The association columns: R1, C1, O11 and E11 come first, then the measures.
inline constexpr int kFirstAssociationColumn = kCollocColumns;
inline constexpr int kFixedAssociationColumns = 4;
// The grid column of a measure among the options' measures; 0 when it is
// not one of them.
int MeasureColumn(const AssociationOptions& options, stats::Measure measure);

// The corpus whose word frequencies serve as C1 for tables of `concordance`:
// its files, separators, encoding and options as the build read them, with
// capitals kept.
corpus::CorpusSettings CollocateCorpusOf(const concordance::ConcordanceTable& concordance,
                                         const text::Collator& collator);

// The figures of one row under `options`, with C1 given.
CollocFigures FiguresOf(const TCollocFreqInfo& info, std::int64_t c1, int chosenPositions,
                        std::int64_t corpusWords, const AssociationOptions& options);

}  // namespace lexvane::frequency
