#include "gui/app/application.h"

#include <exception>

#include <QThread>

#include "gui/app/gui_user_interface.h"

namespace lexvane::gui {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    // Boxes belong to the GUI thread; elsewhere the error goes on up.
    if (QThread::currentThread() != thread()) throw;
    GuiUserInterface ui;
    ui.setParentWindow(activeWindow());
    ui.ShowError(e.what());
  } catch (...) {
    if (QThread::currentThread() != thread()) throw;
    GuiUserInterface ui;
    ui.setParentWindow(activeWindow());
    ui.ShowError("The command failed.");
  }
  return false;
}

}  // namespace lexvane::gui
