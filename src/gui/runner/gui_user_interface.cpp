#include "gui/runner/gui_user_interface.h"

#include <vector>

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QThread>

#include "gui/base/text_codec.h"
#include "gui/base/thread_handover.h"
#include "gui/help/help.h"
#include "gui/help/help_desk.h"

namespace lexvane::gui {

namespace {

// Messages join fixed texts with corpus text (Windows-1252) and file paths
// (UTF-8 on this platform); a message that is valid UTF-8 is taken as such,
// since Windows-1252 text with accented letters practically never is.
QString decode(std::string_view message) {
  QString utf8 = QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size()));
  if (!utf8.contains(QChar::ReplacementCharacter)) return utf8;
  return FromAnsi(message);
}

QMessageBox::Icon boxIcon(text::Icon icon) {
  switch (icon) {
    case text::Icon::Information:
      return QMessageBox::Information;
    case text::Icon::Warning:
      return QMessageBox::Warning;
    case text::Icon::Error:
      return QMessageBox::Critical;
    case text::Icon::Question:
      return QMessageBox::Question;
    case text::Icon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

// Marks the parent window of a GuiUserInterface; a child of that window, so
// it goes with it, and it forgets an interface that went first.
class Anchor : public QObject {
 public:
  Anchor(GuiUserInterface* ui, QWidget* window) : QObject(window), ui_(ui) {}
  GuiUserInterface* ui() const { return ui_.data(); }

 private:
  QPointer<GuiUserInterface> ui_;
};

}  // namespace

GuiUserInterface::GuiUserInterface(HelpDesk& help, QObject* parent)
    : QObject(parent), help_(help) {}

GuiUserInterface::~GuiUserInterface() {
  delete anchor_.data();
}

void GuiUserInterface::setParentWindow(QWidget* parent) {
  parent_ = parent;
  delete anchor_.data();
  if (parent != nullptr) anchor_ = new Anchor(this, parent);
}

GuiUserInterface* GuiUserInterface::Of(const QWidget* widget) {
  for (; widget != nullptr; widget = widget->parentWidget())
    for (QObject* child : widget->children())
      if (auto* anchor = dynamic_cast<Anchor*>(child); anchor != nullptr && anchor->ui() != nullptr)
        return anchor->ui();
  return nullptr;
}

void GuiUserInterface::ShowErrorIn(QWidget* window, std::string_view text) {
  if (GuiUserInterface* ui = Of(window)) {
    ui->ShowErrorOver(window, text);
    return;
  }
  HelpDesk help;
  GuiUserInterface ui(help);
  ui.ShowErrorOver(window, text);
}

text::Answer GuiUserInterface::Ask(std::string_view caption, std::string_view text,
                                   text::Buttons buttons, text::Icon icon) {
  Question question{decode(caption), decode(text), buttons, icon};
  if (QThread::currentThread() == thread()) return askHere(question, parent_);
  text::Answer answer = text::Answer::Cancel;
  QMetaObject::invokeMethod(this, Hand([&] { answer = askHere(question, parent_); }),
                            Qt::BlockingQueuedConnection);
  TakeOver();
  return answer;
}

text::Answer GuiUserInterface::askHere(const Question& question, QWidget* window) {
  // Over the dialog that is up (the file-list editor's missing-file warning),
  // else over the window (the main window).
  QWidget* parent = QApplication::activeModalWidget();
  return ShowMessage(parent != nullptr ? parent : window, question, helpContext_);
}

void GuiUserInterface::ShowErrorOver(QWidget* window, std::string_view text) {
  askHere({decode("Error"), decode(text), text::Buttons::Ok, text::Icon::Error}, window);
}

text::Answer GuiUserInterface::ShowMessage(QWidget* parent, const Question& question,
                                           int helpContext) {
  if (answerer_) return answerer_(question);

  QMessageBox box(boxIcon(question.icon), question.caption, question.text, QMessageBox::NoButton,
                  parent);
  SetModalBesideHelp(&box);
  struct Choice {
    QAbstractButton* button;
    text::Answer answer;
  };
  std::vector<Choice> choices;
  auto add = [&](QMessageBox::StandardButton b, text::Answer a) {
    choices.push_back({box.addButton(b), a});
  };
  QAbstractButton* help = nullptr;
  switch (question.buttons) {
    case text::Buttons::Ok:
      add(QMessageBox::Ok, text::Answer::Ok);
      break;
    case text::Buttons::OkCancel:
    case text::Buttons::OkCancelHelp:
      add(QMessageBox::Ok, text::Answer::Ok);
      add(QMessageBox::Cancel, text::Answer::Cancel);
      if (question.buttons == text::Buttons::OkCancelHelp) {
        help = box.addButton(QMessageBox::Help);
        SetHelpContext(&box, helpContext);  // F1 as the Help button
      }
      break;
    case text::Buttons::YesNo:
      add(QMessageBox::Yes, text::Answer::Yes);
      add(QMessageBox::No, text::Answer::No);
      break;
    case text::Buttons::YesNoCancel:
      add(QMessageBox::Yes, text::Answer::Yes);
      add(QMessageBox::No, text::Answer::No);
      add(QMessageBox::Cancel, text::Answer::Cancel);
      break;
  }
  box.setDefaultButton(static_cast<QPushButton*>(choices.front().button));
  for (;;) {
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    if (help != nullptr && clicked == help) {
      help_.Show(helpContext);
      continue;
    }
    for (const Choice& c : choices)
      if (c.button == clicked) return c.answer;
    // Closed by Esc or the close box.
    return text::EscapeAnswer(question.buttons);
  }
}

}  // namespace lexvane::gui
