// The whole keyword list of a study corpus against a reference file: the
// study corpus's word counts (from the cache, or counted under the search
// indicator), the reference (reference_corpus.h), then the comparison. May
// run on a worker thread: it reads only what it is given and the cache.
#pragma once

#include <memory>
#include <string>

#include "corpus/corpus_settings.h"
#include "frequency/word_counts.h"
#include "keywords/keyword_list.h"
#include "keywords/reference_corpus.h"
#include "text/progress.h"

namespace lexvane::keywords {

struct KeywordRequest {
  corpus::CorpusSettings Study;
  std::string ReferencePath;
  KeywordOptions Options;
};

struct KeywordResult {
  // Null when the user cancelled.
  std::unique_ptr<KeywordList> List;
  ReferenceKind Kind = ReferenceKind::FrequencyText;
  // Reference types the study corpus's encoding cannot hold.
  std::int64_t DroppedTypes = 0;
};

// Throws text::Error when the reference cannot be read, holds no word or the
// study corpus has no word.
KeywordResult BuildKeywordList(const KeywordRequest& request, frequency::WordCountsCache& cache,
                               const text::Collator& collator, text::OperationHost& host);

// The caption of a keyword window: "Keyword list against " and the
// reference file's name without its folder.
std::string KeywordCaption(const std::string& referencePath);

}  // namespace lexvane::keywords
