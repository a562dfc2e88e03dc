#include "gui/runner/command_boundary.h"

#include <exception>

#include <QWidget>

#include "gui/runner/gui_user_interface.h"

namespace lexvane::gui {

namespace {

void showError(QWidget* window, const char* message) noexcept {
  try {
    GuiUserInterface::ShowErrorIn(window != nullptr ? window->window() : nullptr, message);
  } catch (...) {
    // Not even the box could be shown; the command is abandoned all the same.
  }
}

}  // namespace

bool RunCommand(QWidget* window, const std::function<void()>& command) noexcept {
  try {
    command();
    return true;
  } catch (const std::exception& e) {  // text::Error, or a failure of the system
    showError(window, e.what());
  } catch (...) {
    showError(window, "The command failed.");
  }
  return false;
}

}  // namespace lexvane::gui
