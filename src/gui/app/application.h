// Application: the desktop program's QApplication. Its one addition is the
// top level of every command: an error that a command does not handle
// abandons the command and is shown in a message box with OK ("Error"), and
// the program goes on, instead of ending. Created once, in main.
#pragma once

#include <QApplication>

namespace lexvane::gui {

class Application : public QApplication {
  Q_OBJECT

 public:
  Application(int& argc, char** argv);

  // Delivers the event; an exception out of its handler is shown and the
  // event counts as not handled.
  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace lexvane::gui
