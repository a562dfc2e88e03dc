// The "&Frequency of collocates..." command of a concordance window as an
// operation: the sorted-table check with its question, the query dialog, and
// the build of a new collocate table from the concordance. The front end
// supplies the two dialogs it owns (the concordance sort and the query).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "concordance/concordance_table.h"
#include "frequency/colloc_query.h"
#include "frequency/colloc_table.h"
#include "text/progress.h"

namespace lexvane::frequency {

inline constexpr std::string_view kSortFirstQuestion =
    "Concordance table must be sorted first. Sort it now?";
inline constexpr std::string_view kCollocCaptionPrefix = "Collocate frequency in the";

struct CollocCommandSteps {
  // The concordance window's sort command (dialog and sort); it sets the
  // table's TableSorted when it sorted.
  std::function<void()> sortConcordance;
  // Shows the query dialog modally; true when it closed with OK.
  std::function<bool(CollocQuery&)> showQueryDialog;
};

struct CollocCommandResult {
  std::unique_ptr<CollocTable> table;  // null when the command ended early
  std::string caption;                 // "Collocate frequency in the" + the concordance's caption
};

// MenuFrequenciesClick: an unsorted table first asks kSortFirstQuestion (no
// title, Yes and No) and, on Yes, runs the sort; without a sorted table, or
// when the query dialog is cancelled, no table is made.
CollocCommandResult MenuFrequenciesClick(const concordance::ConcordanceTable& concordance,
                                         std::string_view concordanceCaption, CollocQuery& query,
                                         const CollocCommandSteps& steps,
                                         const text::Collator& collator, text::OperationHost& host);

}  // namespace lexvane::frequency
