#include "gui/runner/application.h"

#include <exception>

#include <QThread>

#include "gui/help/help_desk.h"
#include "gui/runner/gui_user_interface.h"

namespace lexvane::gui {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    // Boxes belong to the GUI thread; elsewhere the error goes on up.
    if (QThread::currentThread() != thread()) throw;
    showError(e.what());
  } catch (...) {
    if (QThread::currentThread() != thread()) throw;
    showError("The command failed.");
  }
  return false;
}

void Application::showError(const char* message) {
  if (!ui_.isNull()) {
    ui_->ShowErrorOver(activeWindow(), message);
    return;
  }
  HelpDesk help;
  GuiUserInterface ui(help);
  ui.ShowErrorOver(activeWindow(), message);
}

}  // namespace lexvane::gui
