// The copy of n-gram and cluster lists as delimited lines, each ended by
// CR LF, through the frequency tables' copy (its options dialog, clipboard
// buffer and sinks): n-gram D frequency D range, or the n-gram alone when
// "Save the Word List only" is checked. Lines are not cut: an n-gram of
// five words may hold more than 255 characters.
#pragma once

#include <cstdint>
#include <string>

#include "frequency/frequency_copy.h"
#include "ngrams/ngram_list.h"
#include "text/progress.h"

namespace lexvane::ngrams {

std::string NGramLine(const NGramList& list, std::int32_t index,
                      const frequency::CopyOptions& options);

// Copies the entries first..last (0-based, inclusive) under "Copying...",
// as CopyWordFrequencies does.
void CopyNGrams(const NGramList& list, std::int32_t first, std::int32_t last,
                const frequency::CopyOptions& options, frequency::CopyDestination destination,
                frequency::CopySink& sink, text::OperationHost& host);

}  // namespace lexvane::ngrams
