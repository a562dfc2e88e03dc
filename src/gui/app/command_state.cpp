#include "gui/app/command_state.h"

namespace lexvane::gui {

CommandState ComputeCommandState(const CommandInputs& in) {
  const bool corpus = in.fileCount > 0;
  const bool concordance = in.active == ActiveKind::Concordance;
  const bool table = concordance || in.active == ActiveKind::WordFreq ||
                     in.active == ActiveKind::CollocFreq || in.active == ActiveKind::NGrams;
  // A keyword window copies, sorts and shows statistics; it has no Clear.
  const bool keywords = in.active == ActiveKind::Keywords;
  const bool source = in.active == ActiveKind::Source || in.active == ActiveKind::SourceStripped;
  const bool idle = !in.busy;

  CommandState s;
  s.saveList = corpus;
  s.search = corpus && idle;
  s.advancedSearch = corpus && idle;
  s.frequencyList = corpus && idle;
  s.collocates = concordance && idle;
  // Copying a table is a pass under the progress indicator; copying a source
  // window is not.
  s.copy = ((table || keywords) && idle) || source;
  s.clear = table && idle;
  s.sort = (table || keywords) && idle;
  s.deleteDuplicates = concordance && idle;
  s.displaySource = concordance;
  s.displayStrippedSource = concordance && in.taggedText;
  s.statistics = concordance || in.active == ActiveKind::WordFreq ||
                 in.active == ActiveKind::NGrams || keywords;
  s.ngramList = corpus && idle;
  // The plot reads the table, which an operation may be changing.
  s.plot = concordance && idle;
  return s;
}

}  // namespace lexvane::gui
