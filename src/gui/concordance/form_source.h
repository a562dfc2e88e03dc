// TFormSource: the source text window: the text of a corpus file around a
// concordance hit.
// The frame routes its tool bar commands to these handlers by class; the
// window's own Edit menu and pop-up menu call the same handlers.
#pragma once

#include "gui/app/child_window.h"

namespace lexvane::gui {

class TFormSource : public ChildWindow {
  Q_OBJECT

 public:
  explicit TFormSource(QWidget* parent = nullptr) : ChildWindow(parent) {}

 public Q_SLOTS:  // commands
  virtual void Copy1Click() {}
};

}  // namespace lexvane::gui
