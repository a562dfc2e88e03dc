// Help: the program's own topics (HTML compiled into the program), one per
// help context number plus the contents topic "h_Contents", shown in a help
// window with contents and back/forward (a workspace's HelpDesk shows it).
// F1 opens the context of the focused widget or its nearest parent that has
// one (kHelpContextProperty), or of the highlighted menu item. GUI thread
// only.
#pragma once

#include <QMainWindow>
#include <QUrl>

class QTextBrowser;
class QWidget;

namespace lexvane::gui {

// Makes the compiled-in resources (help topics) available; call once, before
// any help is shown (main and tests).
void InitGuiResources();

// The topic of a context number; 0 and unknown numbers give the contents.
QUrl HelpTopicUrl(int context);
// The context numbers that have a topic of their own.
QList<int> HelpContexts();

// The context of w or of its nearest parent that has one, up to the window
// (top-level or child window) that w lies in; 0 when none has.
int HelpContextOf(const QObject* w);
// Gives a widget, menu or action its context number.
void SetHelpContext(QObject* object, int context);

// Makes a dialog modal to the program's windows but not to the help window,
// so that help opened from the dialog (Help button, F1) can be read and
// followed while the dialog waits. Every dialog that offers help uses it;
// with no parent the dialog is modal to the whole program.
void SetModalBesideHelp(QWidget* dialog);

class HelpWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* parent = nullptr);
  void showTopic(const QUrl& url);
  QTextBrowser* browser() const { return browser_; }

 private:
  QTextBrowser* browser_;
};

}  // namespace lexvane::gui
