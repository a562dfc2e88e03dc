// The concordance window's collocate command: a collocate frequency table
// built from the window's sorted concordance.
#include "gui/concordance/form_concordance.h"
#include "gui/frequency/collocate_command.h"

namespace lexvane::gui {

void TFormConcordance::MenuFrequenciesClick() {
  if (workspace_ == nullptr || table_ == nullptr) return;
  RunCollocateCommand(*workspace_,
                      {this, table_, windowTitle(),
                       [this](std::function<void(bool)> next) { SortThen(std::move(next)); }});
}

}  // namespace lexvane::gui
