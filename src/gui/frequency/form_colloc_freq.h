// TFormCollocFreq: the collocate frequency window: the words at each
// distance around the keywords of a sorted concordance.
// The frame routes its tool bar commands to these handlers by class; the
// window's own Edit menu and pop-up menu call the same handlers.
#pragma once

#include "gui/app/child_window.h"

namespace lexvane::gui {

class TFormCollocFreq : public ChildWindow {
  Q_OBJECT

 public:
  explicit TFormCollocFreq(QWidget* parent = nullptr) : ChildWindow(parent) {}

 public Q_SLOTS:  // commands
  virtual void MenuCopyClick() {}
  virtual void MenuClearClick() {}
  virtual void MenuSortClick() {}
};

}  // namespace lexvane::gui
