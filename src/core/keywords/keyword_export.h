// The keyword list as an exported table (table_export/table.h), with the
// rows in their current order: "Word", "Key", "F", "Ref. F", "F per
// million", "Ref. F per million", "LL", "Log Ratio", "%DIFF" (figures with
// four decimals). Sheet "Keywords". Reads the list, which must outlive the
// table and stay unchanged while it is exported.
#pragma once

#include "keywords/keyword_list.h"
#include "table_export/table.h"

namespace lexvane::keywords {

table_export::FunctionTable KeywordExportTable(const KeywordList& list);

}  // namespace lexvane::keywords
