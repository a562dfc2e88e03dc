// An error that a command does not handle is shown at the command's own
// boundary (menu entry, tool bar button, dialog button, an operation's
// completion) and goes no further: nothing unwinds into Qt's event dispatch,
// and the program goes on. The test runs under a plain QApplication, which
// has no last guard: an error that got past a boundary would end it.
#include <QAction>
#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QtTest>

#include "gui/app/form_main.h"
#include "gui/app/workspace.h"
#include "gui/help/help.h"
#include "gui/runner/command_boundary.h"
#include "gui/runner/gui_user_interface.h"
#include "gui/runner/operation_runner.h"
#include "stand_in_windows.h"
#include "text/error.h"

using namespace lexvane;
using namespace lexvane::gui;

namespace {

class FailingConcordance : public testing::StandInConcordance {
 public:
  void MenuSortClick() override { throw text::Error("The sort failed"); }
  void MenuCopyClick() override { throw 42; }
};

}  // namespace

class CommandBoundaryTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<Workspace> workspace_;
  std::unique_ptr<TFormMain> frame_;
  QList<Question> asked_;

 private Q_SLOTS:
  void init() {
    asked_.clear();
    workspace_ = std::make_unique<Workspace>(text::Collator("root"));
    workspace_->Help().SetObserver([](int) {});
    workspace_->Ui().setAnswerer([this](const Question& q) {
      asked_ << q;
      return text::Answer::Ok;
    });
    frame_ = std::make_unique<TFormMain>(*workspace_);
    frame_->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
  }
  void cleanup() {
    frame_.reset();
    workspace_.reset();
  }

  void aToolBarCommandShowsItsErrorAndTheFrameGoesOn() {
    QMdiSubWindow* sub = frame_->AddChildWindow(new FailingConcordance);
    frame_->mdiArea()->setActiveSubWindow(sub);
    frame_->UpdateButtons();
    frame_->action("SpeedButtonSort")->trigger();
    QCOMPARE(asked_.size(), 1);
    QCOMPARE(asked_[0].caption, QStringLiteral("Error"));
    QCOMPARE(asked_[0].text, QStringLiteral("The sort failed"));
    QCOMPARE(asked_[0].buttons, text::Buttons::Ok);
    QCOMPARE(asked_[0].icon, text::Icon::Error);
    // An error of no known type gets a general text.
    frame_->action("SpeedButtonCopy")->trigger();
    QCOMPARE(asked_.size(), 2);
    QCOMPARE(asked_[1].text, QStringLiteral("The command failed."));
    QVERIFY(frame_->isVisible());
  }

  void anOperationsCompletionShowsItsErrorAndTheRunnerIsIdleAgain() {
    auto* owner = new FailingConcordance;
    frame_->AddChildWindow(owner);
    bool ran = false;
    workspace_->Runner().start([&](text::OperationHost&) { ran = true; },
                               [](bool) { throw text::Error("The table could not be shown"); },
                               owner);
    workspace_->Runner().waitForIdle();
    QVERIFY(ran);
    QCOMPARE(asked_.size(), 1);
    QCOMPARE(asked_[0].text, QStringLiteral("The table could not be shown"));
    QVERIFY(!workspace_->Runner().busy());
  }

  void aSlotOfAnyWindowCanUseTheBoundary() {
    // A button of a dialog of the frame: its error goes to the frame's
    // workspace, as every window's does.
    QDialog dialog(frame_.get());
    QPushButton button(QStringLiteral("Go"), &dialog);
    bool after = false;
    connect(&button, &QPushButton::clicked, &button, [&] {
      after = RunCommand(&button, [] { throw text::Error("Cannot open file x.cws"); });
    });
    button.click();
    QVERIFY(!after);
    QCOMPARE(asked_.size(), 1);
    QCOMPARE(asked_[0].text, QStringLiteral("Cannot open file x.cws"));
    QVERIFY(RunCommand(&button, [] {}));
    QCOMPARE(asked_.size(), 1);
  }
};

QTEST_MAIN(CommandBoundaryTest)
#include "command_boundary_test.moc"
