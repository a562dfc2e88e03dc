// The concordance plot's files as an exportable table (table_export/): one
// row per corpus file, in corpus order, with the figures the plot shows
// beside each bar: "File" (the name without its folder), "Words", "Hits" and
// "Per 1000 words" (two decimals). The table shares the plot, which never
// changes once made.
#pragma once

#include <memory>

#include "concordance/concordance_plot.h"
#include "table_export/table.h"

namespace lexvane::concordance {

table_export::FunctionTable PlotFilesTable(std::shared_ptr<const ConcordancePlot> plot);

}  // namespace lexvane::concordance
