// What the frequency windows' tests share: a workspace with its long-lived
// dialogs over the sample corpus, an engine host that shows nothing, and
// answering the next modal dialog (when_shown.h).
#pragma once

#include <memory>

#include <QWidget>

#include "corpus/list_files.h"
#include "gui/app/workspace.h"
#include "gui/help/help_desk.h"
#include "gui/runner/gui_user_interface.h"
#include "text/progress.h"
#include "tools/root_collator.h"
#include "when_shown.h"

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

}  // namespace lexvane::gui::testing
