// The concordance window's cluster command: a cluster list of its rows, in a
// window the host makes.
#include "gui/common/concordance_sources.h"
#include "gui/common/window_host.h"
#include "gui/concordance/form_concordance.h"

namespace lexvane::gui {

void TFormConcordance::MenuClustersClick() {
  if (workspace_ == nullptr || table_ == nullptr) return;
  workspace_->OpenClusters({this, table_, windowTitle()});
}

}  // namespace lexvane::gui
