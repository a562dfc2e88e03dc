// An n-gram or cluster list as an exported table (table_export/table.h),
// with the rows in their current order: "N-gram" (or "Cluster"), "F" and
// "Range", as the window shows them; sheet "N-grams" (or "Clusters"). It
// reads the list it is made from, which must outlive it and stay unchanged
// while it is exported.
#pragma once

#include "ngrams/ngram_list.h"
#include "table_export/table.h"

namespace lexvane::ngrams {

table_export::FunctionTable NGramExportTable(const NGramList& list);

}  // namespace lexvane::ngrams
