// The concordance window's table and the statistics figures as exported
// tables (table_export/table.h). Each reads the object it is made from,
// which must outlive it and stay unchanged while it is exported.
#pragma once

#include "concordance/concordance_statistics.h"
#include "concordance/concordance_table.h"
#include "table_export/table.h"

namespace lexvane::concordance {

// One row per hit in the table's current order: "Left context" (right
// aligned in a workbook), "Keyword" (centred), "Right context", "File", and
// what finds the hit again: "Full path" of its file, "Byte offset" of the
// keyword in the file and "Sentence number" in the file, both counted from
// 0. Sheet "Concordance".
table_export::FunctionTable ConcordanceExportTable(const ConcordanceTable& table);

// One row of the statistics figures: "Files", "Total size (kB)", "Total
// words", "Total sentences", "Sentences found" or "Types found" (the last
// caption without its colon), and "Completed" ("yes", or "no" when the
// build was cancelled). Sheet "Statistics".
table_export::FunctionTable StatisticsExportTable(const Statistics& statistics);

}  // namespace lexvane::concordance
