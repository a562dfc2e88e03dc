// GuiUserInterface: the engine's questions as modal message boxes on the GUI
// thread. A question asked from a worker thread is carried to the GUI thread
// and the worker waits for the answer. Help in a box opens the help topic and
// asks again (through the workspace's HelpDesk). Tests install an answerer
// on the instance instead of clicking.
#pragma once

#include <functional>
#include <string_view>

#include <QObject>
#include <QPointer>
#include <QString>

#include "text/user_interface.h"

class QWidget;

namespace lexvane::gui {

class HelpDesk;

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
  // `help` shows the topic of a box's Help button; it outlives this.
  explicit GuiUserInterface(HelpDesk& help, QObject* parent = nullptr);
  ~GuiUserInterface() override;

  // Any thread: shows the box on the GUI thread and returns the button.
  text::Answer Ask(std::string_view caption, std::string_view text, text::Buttons buttons,
                   text::Icon icon) override;

 public:  // configuration
  // Parent window of the boxes when no modal dialog is up (the main window);
  // may stay null. The window and every widget in it then find this through
  // Of (the error boxes of the command boundary).
  void setParentWindow(QWidget* parent);
  // The help context a box's Help button opens (0: contents).
  void setHelpContext(int context) { helpContext_ = context; }

  // Replaces the message boxes of this instance (Ask and ShowMessage) until
  // reset with an empty function.
  void setAnswerer(Answerer answerer) { answerer_ = std::move(answerer); }
  // GUI thread: shows the error box ("Error", OK) over `window` (over the
  // dialog that is up, if any) instead of the parent window.
  void ShowErrorOver(QWidget* window, std::string_view text);
  // Asks on the GUI thread with a box over `parent`, or the installed
  // answerer.
  text::Answer ShowMessage(QWidget* parent, const Question& question, int helpContext);
  // GUI thread: the error box over `window`, asked through Of(window), or a
  // plain box when `window` lies in no window that has a user interface.
  static void ShowErrorIn(QWidget* window, std::string_view text);
  // The user interface of the nearest window, up from `widget`, that one was
  // given to with setParentWindow; null when none was.
  static GuiUserInterface* Of(const QWidget* widget);
  // Where the boxes' Help buttons, and the windows that ask through this,
  // open help.
  HelpDesk& Help() const { return help_; }

 private:
  text::Answer askHere(const Question& question, QWidget* window);

  HelpDesk& help_;
  Answerer answerer_;
  QWidget* parent_ = nullptr;
  QPointer<QObject> anchor_;
  int helpContext_ = 0;
};

}  // namespace lexvane::gui
