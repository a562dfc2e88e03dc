// The base of the QtTests that drive a whole desktop: each test gets a
// workspace of its own (settings in a temporary folder, the root collator,
// help shown to nobody, every question's text kept in messages_ and
// answered with the test's answer) and the main window, shown.
#pragma once

#include <QList>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QObject>
#include <QSize>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

#include "corpus/list_files.h"
#include "gui/app/form_main.h"
#include "gui/app/workspace.h"
#include "gui/concordance/form_concordance.h"
#include "gui/help/help.h"
#include "gui/runner/gui_user_interface.h"
#include "gui/runner/operation_runner.h"
#include "gui/search/form_search.h"
#include "tools/root_collator.h"
#include "when_shown.h"

namespace lexvane::gui::testing {

class DesktopTest : public QObject {
 protected:
  // Makes the desktop; false when the main window could not be shown.
  // `size`, when valid, is the main window's size.
  bool startDesktop(text::Answer answer = text::Answer::Ok, QSize size = {}) {
    dir_ = std::make_unique<QTemporaryDir>();
    qputenv("LEXVANE_SETTINGS", dir_->filePath(QStringLiteral("lexvane.ini")).toLocal8Bit());
    messages_.clear();
    workspace_ = std::make_unique<Workspace>(text::Collator("root"));
    workspace_->Help().SetObserver([](int) {});
    workspace_->Ui().setAnswerer([this, answer](const Question& q) {
      messages_ << q.text;
      return answer;
    });
    frame_ = std::make_unique<TFormMain>(*workspace_);
    if (size.isValid()) frame_->resize(size);
    frame_->show();
    return QTest::qWaitForWindowExposed(frame_.get());
  }
  // Opens the sample corpus, as the corpus dialog would.
  void openSampleCorpus() {
    corpus::OpenListFile(LEXVANE_SAMPLES_DIR "/sample.CTL", workspace_->Corpus(), ::RootCollator(),
                         workspace_->Ui());
    frame_->UpdateButtons();
  }
  // The frame's child windows of one kind, in the order of the frame's list.
  template <class Window>
  QList<Window*> windows() {
    QList<Window*> found;
    for (QMdiSubWindow* sub : frame_->mdiArea()->subWindowList())
      if (auto* w = qobject_cast<Window*>(sub->widget())) found << w;
    return found;
  }
  // A simple search for `mask` from the Search dialog, typed and entered
  // (Return takes the mask, a second one starts the search); the
  // concordance window it opened (the newest), or null.
  TFormConcordance* searchMask(const QString& mask) {
    TFormSearch* dialog = workspace_->FormSearch();
    WhenShown(dialog, [dialog, mask] {
      dialog->ButtonClearAllClick();
      QTest::keyClicks(dialog->Edit1, mask);
      QTest::keyClick(dialog->Edit1, Qt::Key_Return);
      QTest::keyClick(dialog->Edit1, Qt::Key_Return);
    });
    frame_->MenuSearchClick();
    workspace_->Runner().waitForIdle();
    const QList<TFormConcordance*> found = windows<TFormConcordance>();
    return found.isEmpty() ? nullptr : found.last();
  }
  void stopDesktop() {
    frame_.reset();
    workspace_.reset();
    qunsetenv("LEXVANE_SETTINGS");
  }

  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<Workspace> workspace_;
  std::unique_ptr<TFormMain> frame_;
  QStringList messages_;
};

}  // namespace lexvane::gui::testing
