// ConcordanceWindowFactory: the frame's two search commands make real
// concordance windows; the word frequency window stays the base class's.
#pragma once

#include "gui/app/child_window_factory.h"

namespace lexvane::gui {

class ConcordanceWindowFactory : public ChildWindowFactory {
 public:
  // Runs the search dialog of `kind` in a new TFormConcordance and starts
  // its build; null (and no window) when the dialog was cancelled.
  ChildWindow* CreateConcordance(SearchKind kind, Workspace& workspace, QWidget* frame) override;
};

}  // namespace lexvane::gui
