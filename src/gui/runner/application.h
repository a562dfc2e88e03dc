// Application: the desktop program's QApplication. Its one addition is the
// top level of every command: an error that a command does not handle
// abandons the command and is shown in a message box with OK ("Error"), and
// the program goes on, instead of ending. Created once, in main.
#pragma once

#include <QApplication>
#include <QPointer>

#include "gui/runner/gui_user_interface.h"

namespace lexvane::gui {

class Application : public QApplication {
  Q_OBJECT

 public:
  Application(int& argc, char** argv);

  // Delivers the event; an exception out of its handler is shown and the
  // event counts as not handled.
  bool notify(QObject* receiver, QEvent* event) override;
  // The user interface the error boxes are asked through (the workspace's,
  // with its answerer); while none is set, or once it is gone, a plain box.
  void setUserInterface(GuiUserInterface* ui) { ui_ = ui; }

 private:
  void showError(const char* message);

  QPointer<GuiUserInterface> ui_;
};

}  // namespace lexvane::gui
