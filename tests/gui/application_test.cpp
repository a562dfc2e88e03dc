// The program's top level: an error that a command does not handle is shown
// in a box and the program goes on.
#include <stdexcept>

#include <QPushButton>
#include <QtTest>

#include "gui/app/application.h"
#include "gui/app/gui_user_interface.h"
#include "text/error.h"

using namespace lexvane;
using namespace lexvane::gui;

class ApplicationTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void anUnhandledErrorIsShownAndTheProgramGoesOn() {
    QList<Question> shown;
    GuiUserInterface::setAnswerer([&](const Question& q) {
      shown << q;
      return text::Answer::Ok;
    });
    QPushButton button(QStringLiteral("Go"));
    int clicks = 0;
    connect(&button, &QPushButton::clicked, this, [&] {
      ++clicks;
      throw text::Error("Unable to write to /corpus/list.INI");
    });
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);  // still alive, still working
    GuiUserInterface::setAnswerer({});
    QCOMPARE(clicks, 2);
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
