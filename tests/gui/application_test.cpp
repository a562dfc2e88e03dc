// The program's top level: an error that a command does not handle is shown
// in a box and the program goes on.
#include <stdexcept>

#include <QEvent>
#include <QtTest>

#include "gui/help/help_desk.h"
#include "gui/runner/application.h"
#include "gui/runner/gui_user_interface.h"
#include "text/error.h"

using namespace lexvane;
using namespace lexvane::gui;

// Throws from every event it is sent, as a command that fails would.
class Thrower : public QObject {
 public:
  int calls = 0;
  bool event(QEvent*) override {
    ++calls;
    throw text::Error("Unable to write to /corpus/list.INI");
  }
};

class ApplicationTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void anUnhandledErrorIsShownAndTheProgramGoesOn() {
    QList<Question> shown;
    HelpDesk help;
    GuiUserInterface ui(help);
    ui.setAnswerer([&](const Question& q) {
      shown << q;
      return text::Answer::Ok;
    });
    static_cast<Application*>(qApp)->setUserInterface(&ui);
    // A plain event rather than a mouse click: Qt keeps copies of input
    // events that an exception unwinding through its dispatch would leak.
    Thrower thrower;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&thrower, &event);
    QCoreApplication::sendEvent(&thrower, &event);  // still alive, still working
    static_cast<Application*>(qApp)->setUserInterface(nullptr);
    QCOMPARE(thrower.calls, 2);
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown[0].caption, QStringLiteral("Error"));
    QCOMPARE(shown[0].text, QStringLiteral("Unable to write to /corpus/list.INI"));
    QCOMPARE(shown[0].buttons, text::Buttons::Ok);
  }
};

int main(int argc, char** argv) {
  Application app(argc, argv);
  ApplicationTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "application_test.moc"
