// TFormConcordance: the concordance window: one concordance table as a
// keyword-in-context grid with the current sentence above it.
// The frame routes its tool bar commands to these handlers by class; the
// window's own Edit menu and pop-up menu call the same handlers.
#pragma once

#include "gui/app/child_window.h"

namespace lexvane::gui {

class TFormConcordance : public ChildWindow {
  Q_OBJECT

 public:
  explicit TFormConcordance(QWidget* parent = nullptr) : ChildWindow(parent) {}

 public Q_SLOTS:  // commands
  virtual void MenuCopyClick() {}
  virtual void MenuClearClick() {}
  virtual void MenuSortClick() {}
  virtual void MenuStatisticsClick() {}
  virtual void MenuDeleteDuplicateClick() {}
  virtual void MenuDisplaySourceClick() {}
  virtual void MenuDisplaystrippedsourceClick() {}
  virtual void MenuFrequenciesClick() {}
};

}  // namespace lexvane::gui
