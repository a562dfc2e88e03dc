// TFormSourceStripped: the stripped source text window: a corpus file's text
// around a hit with its word-class tags removed.
// The frame routes its tool bar commands to these handlers by class; the
// window's own Edit menu and pop-up menu call the same handlers.
#pragma once

#include "gui/app/child_window.h"

namespace lexvane::gui {

class TFormSourceStripped : public ChildWindow {
  Q_OBJECT

 public:
  explicit TFormSourceStripped(QWidget* parent = nullptr) : ChildWindow(parent) {}

 public Q_SLOTS:  // commands
  virtual void Copy1Click() {}
};

}  // namespace lexvane::gui
