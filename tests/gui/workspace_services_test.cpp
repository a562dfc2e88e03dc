// The services a workspace owns (its message boxes, help desk and file
// choosers) belong to that workspace alone: two workspaces, each with its own
// frame, never answer each other's questions, open each other's help or use
// each other's file dialogs, and what a workspace leaves behind when it goes
// is never reached again.
#include <optional>

#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QtTest>

#include "gui/app/form_main.h"
#include "gui/app/workspace.h"
#include "gui/common/export_command.h"
#include "gui/common/form_stat.h"
#include "gui/help/help.h"
#include "gui/help/help_desk.h"
#include "gui/runner/command_boundary.h"
#include "gui/runner/gui_user_interface.h"
#include "gui/runner/operation_runner.h"
#include "text/error.h"

using namespace lexvane;
using namespace lexvane::gui;

namespace {

// A workspace with its frame, whose questions and help requests are recorded.
struct Desk {
  Workspace workspace{text::Collator("root")};
  QStringList asked;
  QList<int> help;
  std::unique_ptr<TFormMain> frame;

  explicit Desk(text::Answer answer) {
    workspace.Ui().setAnswerer([this, answer](const Question& q) {
      asked << q.text;
      return answer;
    });
    workspace.Help().SetObserver([this](int context) { help << context; });
    frame = std::make_unique<TFormMain>(workspace);
  }
};

}  // namespace

class WorkspaceServicesTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { InitGuiResources(); }

  void twoWorkspacesAnswerTheirOwnQuestions() {
    Desk a(text::Answer::Yes);
    Desk b(text::Answer::No);
    QCOMPARE(a.workspace.Ui().Ask("", "Sort the concordance first?", text::Buttons::YesNo,
                                  text::Icon::Question),
             text::Answer::Yes);
    QCOMPARE(b.workspace.Ui().Ask("Warning", "The file \xC2\xABm\xC3\xA4rz.txt\xC2\xBB is empty.",
                                  text::Buttons::YesNo, text::Icon::Warning),
             text::Answer::No);
    QCOMPARE(a.asked, QStringList({"Sort the concordance first?"}));
    QCOMPARE(b.asked,
             QStringList({QStringLiteral("The file \u00ABm\u00E4rz.txt\u00BB is empty.")}));
  }

  void aCommandsErrorGoesToTheWorkspaceOfItsWindow() {
    Desk a(text::Answer::Ok);
    Desk b(text::Answer::Ok);
    // A control of a dialog of b's frame, and a's frame itself.
    QDialog dialog(b.frame.get());
    QLineEdit edit(&dialog);
    QVERIFY(!RunCommand(&edit, [] { throw text::Error("Cannot open file notes.cws"); }));
    QVERIFY(!RunCommand(a.frame.get(), [] { throw text::Error("Unable to write to list.INI"); }));
    QCOMPARE(a.asked, QStringList({"Unable to write to list.INI"}));
    QCOMPARE(b.asked, QStringList({"Cannot open file notes.cws"}));
    QCOMPARE(GuiUserInterface::Of(&edit), &b.workspace.Ui());
    QCOMPARE(GuiUserInterface::Of(b.workspace.FormStat()), &b.workspace.Ui());
  }

  void aUserInterfaceThatWentIsNotFoundAgain() {
    QWidget window;
    auto* child = new QLineEdit(&window);
    QCOMPARE(GuiUserInterface::Of(child), nullptr);
    {
      HelpDesk help;
      GuiUserInterface ui(help);
      ui.setParentWindow(&window);
      QCOMPARE(GuiUserInterface::Of(child), &ui);
      QCOMPARE(GuiUserInterface::Of(&window), &ui);
      // Given to another window, it leaves the first.
      QWidget other;
      ui.setParentWindow(&other);
      QCOMPARE(GuiUserInterface::Of(child), nullptr);
      ui.setParentWindow(&window);
    }
    QCOMPARE(GuiUserInterface::Of(child), nullptr);
    QCOMPARE(window.children().size(), 1);  // nothing of it stays behind
  }

  void helpGoesToTheDeskOfTheWorkspace() {
    Desk a(text::Answer::Ok);
    Desk b(text::Answer::Ok);
    a.frame->Contents1Click();
    b.workspace.FormStat()->ButtonHelpClick();
    QCOMPARE(a.help, QList<int>({0}));
    QCOMPARE(b.help, QList<int>({HelpContextOf(b.workspace.FormStat())}));
    // A box's Help button asks the desk of its own user interface.
    QCOMPARE(&a.workspace.Ui().Help(), &a.workspace.Help());
  }

  void theHelpWindowIsTheDesksAndGoesWithIt() {
    QPointer<HelpWindow> shown;
    {
      HelpDesk desk;
      QCOMPARE(desk.Window(), nullptr);
      desk.Show(3);
      shown = desk.Window();
      QVERIFY(shown);
      QCOMPARE(shown->browser()->source(), HelpTopicUrl(3));
      desk.Show(0);  // the same window, at the contents
      QCOMPARE(desk.Window(), shown.data());
      QCOMPARE(shown->browser()->source(), HelpTopicUrl(0));
      HelpDesk other;
      other.Show(3);
      QVERIFY(other.Window() != shown.data());
    }
    QVERIFY(shown.isNull());
  }

  void f1IsAnsweredByTheLastDeskThatIsStillThere() {
    QWidget window;
    SetHelpContext(&window, 7);
    auto* edit = new QLineEdit(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    edit->setFocus();
    QList<int> outerOpened, innerOpened;
    HelpDesk outer;
    outer.SetObserver([&](int c) { outerOpened << c; });
    outer.InstallKey();
    {
      HelpDesk inner;
      inner.SetObserver([&](int c) { innerOpened << c; });
      inner.InstallKey();
      QTest::keyClick(edit, Qt::Key_F1);
    }
    QTest::keyClick(edit, Qt::Key_F1);  // the inner desk is gone: the outer one answers
    QCOMPARE(innerOpened, QList<int>({7}));
    QCOMPARE(outerOpened, QList<int>({7}));
  }

  void fileChoosersBelongToTheirWorkspace() {
    Workspace a{text::Collator("root")};
    Workspace b{text::Collator("root")};
    QWidget mainA;
    QWidget mainB;
    a.CreateDialogs(&mainA);
    b.CreateDialogs(&mainB);
    QStringList offeredA, offeredB;
    a.Choosers().Export = [&](QWidget*, const QString& name) {
      offeredA << name;
      return std::optional<ExportTarget>();  // cancelled
    };
    b.Choosers().Export = [&](QWidget*, const QString& name) {
      offeredB << name;
      return std::optional<ExportTarget>();
    };
    QVERIFY(!RunTableExport(a, &mainA, QStringLiteral("Collocates of harbour"), {}));
    QVERIFY(!RunTableExport(b, &mainB, QStringLiteral("Word list"), {}));
    QCOMPARE(offeredA, QStringList({"Collocates of harbour"}));
    QCOMPARE(offeredB, QStringList({"Word list"}));
    QVERIFY(!a.Runner().busy() && !b.Runner().busy());
  }
};

QTEST_MAIN(WorkspaceServicesTest)
#include "workspace_services_test.moc"
