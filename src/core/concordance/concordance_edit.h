// The concordance window's commands that change rows by hand: clear of a
// range of grid rows, deletion of duplicate sentences and paste of a context.
// None touches TableSorted or the build's counters.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "concordance/concordance_table.h"
#include "text/progress.h"

namespace lexvane::concordance {

// "Clear": removes grid rows top..bottom (1-based; bottom cut to the row
// count) from the four lists. Returns the grid row to select afterwards (the
// old top row, or the last row when it is gone; 0 when none is left).
// Nothing happens when the table is empty or top is beyond its rows.
std::int32_t ClearRows(ConcordanceTable& table, std::int32_t top, std::int32_t bottom);

// "&Delete duplicate sentences": keeps the highest row of every sentence
// (equal FileIndex and SentenceNo), every pair compared, under the progress
// indicator "Deleting duplicate sentences" (gauge every 500 comparisons,
// cancel test after each). Shows "<d> duplicate sentences were found and
// deleted." as information, also after Cancel and for 0. Returns d. Does
// nothing, and shows nothing, on a table without rows.
std::int32_t DeleteDuplicateSentences(ConcordanceTable& table, text::OperationHost& host);

// The text a paste stores: the first 255 characters, control characters to
// blanks, blanks trimmed and collapsed.
// In a UTF-8 table the 255 count characters and no character is cut.
std::string PastedContext(std::string_view clipboardText,
                          text::Encoding encoding = text::Encoding::Windows1252);

// "Paste" into grid row `row` (1-based), column 1 (left context) or 3
// (right context); other columns and rows beyond the table do nothing.
// Returns true when a context was replaced.
bool PasteContext(ConcordanceTable& table, std::int32_t row, int column,
                  std::string_view clipboardText);

}  // namespace lexvane::concordance
