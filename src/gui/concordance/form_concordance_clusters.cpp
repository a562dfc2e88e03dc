// The concordance window's cluster command: a cluster list of its rows.
#include "gui/concordance/form_concordance.h"
#include "gui/ngrams/ngram_commands.h"

namespace lexvane::gui {

void TFormConcordance::MenuClustersClick() {
  if (workspace_ == nullptr || table_ == nullptr) return;
  RunClustersCommand(*workspace_, {this, table_, windowTitle()});
}

}  // namespace lexvane::gui
