// What the frequency windows' tests share: a workspace with its long-lived
// dialogs over the sample corpus, an engine host that shows nothing, and
// answering the next modal dialog.
#pragma once

#include <functional>
#include <memory>

#include <QDialog>
#include <QTimer>
#include <QWidget>

#include "corpus/list_files.h"
#include "gui/app/workspace.h"
#include "gui/help/help_desk.h"
#include "gui/runner/gui_user_interface.h"
#include "text/progress.h"
#include "tools/root_collator.h"

namespace lexvane::gui::testing {

class QuietUi : public text::UserInterface {
 public:
  text::Answer Ask(std::string_view, std::string_view, text::Buttons, text::Icon) override {
    return text::Answer::Ok;
  }
};

// An engine host for building reference tables on the test's thread.
struct QuietHost {
  QuietUi ui;
  text::SilentSearchIndicator search;
  text::SilentProgressIndicator progress;
  text::OperationHost host{ui, search, progress};
};

struct FrequencyFixture {
  FrequencyFixture() {
    workspace = std::make_unique<Workspace>(text::Collator("root"));
    mainWindow = std::make_unique<QWidget>();
    workspace->CreateDialogs(mainWindow.get());
    HelpDesk helpDesk;
    GuiUserInterface ui(helpDesk);
    corpus::OpenListFile(LEXVANE_SAMPLES_DIR "/sample.CTL", workspace->Corpus(), RootCollator(),
                         ui);
  }
  ~FrequencyFixture() { workspace->StopOperations(); }

  std::unique_ptr<Workspace> workspace;
  std::unique_ptr<QWidget> mainWindow;
};

// Runs `answer` on `dialog` as soon as it shows modally (it must close it).
inline void WhenShown(QDialog* dialog, std::function<void()> answer) {
  auto* timer = new QTimer(dialog);
  timer->setInterval(0);
  QObject::connect(timer, &QTimer::timeout, dialog, [dialog, timer, answer] {
    if (!dialog->isVisible()) return;
    timer->deleteLater();
    answer();
  });
  timer->start();
}

}  // namespace lexvane::gui::testing
