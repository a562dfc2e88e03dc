#include "keywords/keyword_command.h"

#include "text/error.h"

namespace lexvane::keywords {

KeywordResult BuildKeywordList(const KeywordRequest& request, frequency::WordCountsCache& cache,
                               const text::Collator& collator, text::OperationHost& host) {
  KeywordResult result;
  const StudyForm form{request.Study.TextEncoding, request.Study.IgnoreCapital};
  // The reference first: a file that is no reference fails before the
  // study corpus is counted.
  Reference reference = LoadReference(request.ReferencePath, form, cache, collator, host);
  if (reference.counts == nullptr) return result;
  if (reference.words <= 0)
    throw text::Error("The reference corpus " + request.ReferencePath + " has no words.");
  auto study = cache.Obtain(request.Study, collator, host);
  if (study == nullptr) return result;
  if (study->TotalWords() <= 0) throw text::Error("The corpus has no words.");
  auto list = std::make_unique<KeywordList>();
  if (!list->Build(*study, *reference.counts, reference.words, request.Options, collator,
                   host.progress))
    return result;
  result.List = std::move(list);
  result.Kind = reference.kind;
  result.DroppedTypes = reference.droppedTypes;
  return result;
}

std::string KeywordCaption(const std::string& referencePath) {
  const std::size_t slash = referencePath.find_last_of('/');
  return "Keyword list against " +
         (slash == std::string::npos ? referencePath : referencePath.substr(slash + 1));
}

}  // namespace lexvane::keywords
