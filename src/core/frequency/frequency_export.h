// The word frequency list and the collocate table as exported tables
// (table_export/table.h), with the rows in their current order. Each reads
// the object it is made from, which must outlive it and stay unchanged
// while it is exported.
#pragma once

#include "frequency/colloc_table.h"
#include "frequency/word_frequency_list.h"
#include "table_export/table.h"

namespace lexvane::frequency {

// "Word", "Word Class", "F" and "F %" (3 decimals); after a sort by
// frequency also "CF" and "CF %" (2 decimals), as the window shows them.
// Percentages are of the build's TotalWords. Sheet "Word frequency". Of a
// list counted with its spread, the added columns asked for follow: "Range"
// (files) and "DP" (4 decimals).
table_export::FunctionTable WordFrequencyExportTable(const WordFrequencyList& list,
                                                     bool range = false, bool dp = false);

// "Collocate", the selected left positions from the farthest ("L9" ...
// "L1"), "Node", the selected right positions ("R1" ... "R9"), "Total";
// positions not selected for the table are left out, a count of 0 is the
// number 0; after association measures were applied also "R1", "C1", "O11",
// "E11" and the measures (4 decimals). Sheet "Collocates".
table_export::FunctionTable CollocateExportTable(const CollocTable& table);

}  // namespace lexvane::frequency
