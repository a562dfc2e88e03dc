// The boundary of every command the user starts (a menu entry, a tool bar
// button, a dialog button, a completion that swaps a table in): an error the
// command does not handle abandons it and is shown right there in the error
// box ("Error", OK), so that no exception ever unwinds into Qt's event
// dispatch, which does not support it. Application::notify stays only as the
// last guard. Any window may use it; GUI thread only.
#pragma once

#include <functional>

class QWidget;

namespace lexvane::gui {

// Runs `command`. An exception out of it is shown over `window` (may be null)
// with the error box and goes no further. True when the command ran to its
// end, false when it was abandoned.
bool RunCommand(QWidget* window, const std::function<void()>& command) noexcept;

// A slot for connect() that runs (receiver->*handler)(args...) through
// RunCommand, with the receiver's window as the box's parent:
//   connect(button, &QPushButton::clicked, this, CommandSlot(this, &Form::ButtonOKClick));
template <class Receiver, class Result, class... Args>
auto CommandSlot(Receiver* receiver, Result (Receiver::*handler)(Args...)) {
  return [receiver, handler](Args... args) {
    RunCommand(receiver, [&] { (receiver->*handler)(args...); });
  };
}

}  // namespace lexvane::gui
