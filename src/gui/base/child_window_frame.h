// ChildWindowFrame: the frame a child window shows in, as the window
// libraries see it. A window that opens another (a plot, a source text, a
// collocate or cluster list) hands it to the frame that holds its own
// window, or shows it on its own outside one.
#pragma once

#include <QWidget>

class QMdiSubWindow;

namespace lexvane::gui {

class ChildWindow;

class ChildWindowFrame {
 public:
  // Adds a child window to the frame and shows it; the frame takes ownership.
  virtual QMdiSubWindow* AddChildWindow(ChildWindow* window) = 0;

 protected:
  ~ChildWindowFrame() = default;
};

// The frame that holds `widget`'s window; null outside one (or for null).
inline ChildWindowFrame* FrameOf(QWidget* widget) {
  return widget != nullptr ? dynamic_cast<ChildWindowFrame*>(widget->window()) : nullptr;
}

}  // namespace lexvane::gui
