// Clusters of a concordance: the sequences of n words that start with the
// keyword of a row and go on into its right context (the keyword on the
// left), or that come from its left context and end with the keyword (the
// keyword on the right), counted over the rows of the table with their
// frequency and range (the files of the rows they came from).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "concordance/concordance_table.h"
#include "ngrams/ngram_list.h"
#include "ngrams/ngram_options.h"
#include "text/progress.h"

namespace lexvane::ngrams {

enum class ClusterSide {
  Left,   // the keyword on the left: it starts each cluster
  Right,  // the keyword on the right: it ends each cluster
};

// Caption of the progress indicator while the rows are read.
inline constexpr std::string_view kExtractingClusters = "Extracting clusters";

// The words of a context or keyword (text::StringWords of the table's own
// sets, those its build cut the corpus with); lower-cased when
// `lowerCase`. A context cut at 255 characters may have cut a word: such an
// edge word (the first of a left context, the last of a right context) is
// left out, as `cutAtFront` / `cutAtBack` ask.
std::vector<std::string> ContextWords(std::string_view text, const text::CharacterSets& sets,
                                      bool lowerCase, bool cutAtFront, bool cutAtBack);

// Builds `list` (kind Clusters) from every row of `table` under the progress
// indicator (kExtractingClusters; a cancel keeps the rows read so far and
// clears ListComplete). Lengths, filters and order come from `options`;
// its sentence rule is the concordance's own (the contexts end with the
// sentence). Words are lower-cased when `lowerCase` (the corpus option
// IgnoreCapital, as the word list folds).
void BuildClusters(const concordance::ConcordanceTable& table, const NGramOptions& options,
                   ClusterSide side, bool lowerCase, NGramList& list,
                   const text::Collator& collator, text::OperationHost& host);

}  // namespace lexvane::ngrams
