// The concordance window's collocate command: a collocate frequency table
// built from the window's sorted concordance, in a window the host makes.
#include "gui/common/concordance_sources.h"
#include "gui/common/window_host.h"
#include "gui/concordance/form_concordance.h"

namespace lexvane::gui {

void TFormConcordance::MenuFrequenciesClick() {
  if (workspace_ == nullptr || table_ == nullptr) return;
  workspace_->OpenCollocates({this, table_, windowTitle(), [this](std::function<void(bool)> next) {
                                SortThen(std::move(next));
                              }});
}

}  // namespace lexvane::gui
