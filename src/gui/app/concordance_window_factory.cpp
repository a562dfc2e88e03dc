#include "gui/app/concordance_window_factory.h"

#include "gui/app/workspace.h"
#include "gui/concordance/form_concordance.h"

namespace lexvane::gui {

ChildWindow* ConcordanceWindowFactory::CreateConcordance(SearchKind kind, Workspace& workspace,
                                                         QWidget*) {
  auto* window = new TFormConcordance(workspace);
  if (!window->Start(kind)) {
    delete window;
    return nullptr;
  }
  return window;
}

}  // namespace lexvane::gui
