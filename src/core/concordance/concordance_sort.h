// The concordance sort: one text key per row (the keyword, forwards or
// retrograde, then the chosen side from the chosen word on), lower-cased, and
// the rows put in ascending key order under the program's string comparison.
// Rows with equal keys come out in the reverse of their previous order (an
// equal key goes in front of its equals), so sorting twice with the same
// settings reverses each group of ties again. Words are cut with the sets
// LatestScanSets::SetsFor chooses: the most recent build's, unless those
// read text of the other encoding than the table's (8-bit or UTF-8): then
// the table's own ScanSets. Words are those of text/string_words.h. Keys of
// UTF-8 text count, reverse and lower-case characters, and collate the
// decoded text.
#pragma once

#include <string>
#include <string_view>

#include "concordance/concordance_table.h"
#include "text/character_sets.h"
#include "text/collation.h"
#include "text/progress.h"
#include "text/string_words.h"

namespace lexvane::concordance {

// The choices of the sort dialog ("Sort criteria"); kept by the caller.
struct SortOptions {
  bool Retrograde = false;  // "Retrograde sort"
  bool RightPart = false;   // "right part of sentence" (else left)
  int WordNumber = 1;       // 1 to 10
};

// s from the first character left after skipping separators and then n
// times a word and the separators behind it.
std::string SkipWords(std::string_view s, int n, const text::CharacterSets& sets);
// The characters before the first blank (empty when s starts with one).
std::string FirstToken(std::string_view s);
std::string StripSeparators(std::string_view s, const text::CharacterSets& sets);

// The SortKey of one row: at most 255 characters, lower-cased; the text is
// in the encoding of `sets`.
std::string SortKey(std::string_view keyword, std::string_view left, std::string_view right,
                    const SortOptions& options, const text::CharacterSets& sets);

// The bytes of a context that hold the word a sort with `options` orders
// its rows by, next to the keyword (for the desktop program's tint). Right
// side: the chosen word, where the compared text starts. Left side: the
// token up to the blank before the chosen word (with word 1, the context's
// last token), whose characters the key holds without separators; the span
// leaves out separators at its two ends. Length 0 when there is none.
text::WordSpan SortWordSpan(std::string_view context, const SortOptions& options,
                            const text::StringWords& words);

// MenuSortClick after the dialog's OK, `sets` being those of the most
// recent build (LatestScanSets::Sets): reorders the rows under the progress
// indicator "Sorting" (gauge and cancel test every 100 rows, key phase the
// first half, copy phase the second). Cancel leaves the table exactly as it
// was, TableSorted included. True when the sort ran to its end (TableSorted
// is then set). A table without rows is left alone (false).
// The keys are ordered with `collator`.
bool SortConcordance(ConcordanceTable& table, const SortOptions& options,
                     const text::CharacterSets& sets, const text::Collator& collator,
                     text::ProgressIndicator& progress);

}  // namespace lexvane::concordance
