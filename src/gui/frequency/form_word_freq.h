// TFormWordFreq: the word frequency window: the word types of the corpus
// with their frequencies.
// The frame routes its tool bar commands to these handlers by class; the
// window's own Edit menu and pop-up menu call the same handlers.
#pragma once

#include "gui/app/child_window.h"

namespace lexvane::gui {

class TFormWordFreq : public ChildWindow {
  Q_OBJECT

 public:
  explicit TFormWordFreq(QWidget* parent = nullptr) : ChildWindow(parent) {}

 public Q_SLOTS:  // commands
  virtual void MenuCopyClick() {}
  virtual void MenuClearClick() {}
  virtual void MenuSortClick() {}
  virtual void MenuStatisticsClick() {}
};

}  // namespace lexvane::gui
