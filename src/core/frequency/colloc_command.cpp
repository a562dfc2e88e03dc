#include "frequency/colloc_command.h"

#include "frequency/colloc_association.h"

namespace lexvane::frequency {

CollocCommandResult MenuFrequenciesClick(const concordance::ConcordanceTable& concordance,
                                         std::string_view concordanceCaption, CollocQuery& query,
                                         const CollocCommandSteps& steps,
                                         const text::Collator& collator,
                                         text::OperationHost& host) {
  CollocCommandResult result;
  if (!concordance.TableSorted) {
    text::Answer answer =
        host.ui.Ask("", kSortFirstQuestion, text::Buttons::YesNo, text::Icon::Question);
    if (answer != text::Answer::Yes) return result;
    steps.sortConcordance();
    if (!concordance.TableSorted) return result;
  }
  if (!steps.showQueryDialog(query)) return result;
  result.table = std::make_unique<CollocTable>(query.LeftUsed(), query.RightUsed());
  result.table->SetTextEncoding(concordance.TextEncoding);
  result.table->SetSourceCorpus(CollocateCorpusOf(concordance, collator), concordance.TotalWords);
  result.caption = std::string(kCollocCaptionPrefix) + std::string(concordanceCaption);
  result.table->BuildCollocTable(concordance.WordSeparators, concordance.LeftContexts(),
                                 concordance.Keywords(), concordance.RightContexts(),
                                 query.ListBox1, collator, host);
  return result;
}

}  // namespace lexvane::frequency
