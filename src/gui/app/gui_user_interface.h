// GuiUserInterface: the engine's questions as modal message boxes on the GUI
// thread. A question asked from a worker thread is carried to the GUI thread
// and the worker waits for the answer. Help in a box opens the help topic and
// asks again. Tests install an answerer instead of clicking.
#pragma once

#include <functional>
#include <string_view>

#include <QObject>
#include <QString>

#include "text/user_interface.h"

class QWidget;

namespace lexvane::gui {

// One question as the answerer sees it (texts already decoded).
struct Question {
  QString caption;
  QString text;
  text::Buttons buttons;
  text::Icon icon;
};

using Answerer = std::function<text::Answer(const Question&)>;

class GuiUserInterface : public QObject, public text::UserInterface {
  Q_OBJECT

 public:
  explicit GuiUserInterface(QObject* parent = nullptr);

  // Any thread: shows the box on the GUI thread and returns the button.
  text::Answer Ask(std::string_view caption, std::string_view text, text::Buttons buttons,
                   text::Icon icon) override;

 public:  // configuration
  // Parent window of the boxes when no modal dialog is up (the main window);
  // may stay null.
  void setParentWindow(QWidget* parent) { parent_ = parent; }
  // The help context a box's Help button opens (0: contents).
  void setHelpContext(int context) { helpContext_ = context; }

  // Replaces every message box of the program (all GuiUserInterface
  // instances and ShowMessage) until reset with an empty function.
  static void setAnswerer(Answerer answerer);
  // Asks on the GUI thread with a box, or the installed answerer.
  static text::Answer ShowMessage(QWidget* parent, const Question& question, int helpContext);

 private:
  text::Answer askHere(const Question& question);

  QWidget* parent_ = nullptr;
  int helpContext_ = 0;
};

}  // namespace lexvane::gui
