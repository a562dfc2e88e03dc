#include "gui/app/ngram_screenshots.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

#include "gui/app/form_main.h"
#include "gui/app/screenshots.h"
#include "gui/app/workspace.h"
#include "gui/ngrams/form_ngrams.h"
#include "gui/runner/operation_runner.h"

namespace lexvane::gui {

void TakeNGramScreenshots(TFormMain& mainWindow, const QString& folder,
                          std::function<void()> then) {
  Workspace& workspace = mainWindow.workspace();
  ngrams::NGramOptions options;
  options.minLength = 2;
  options.maxLength = 3;
  options.minFrequency = 2;
  auto* window = new TFormNGrams(workspace, nullptr);
  window->Build(options);
  workspace.Runner().waitForIdle();
  QMdiSubWindow* sub = mainWindow.AddChildWindow(window);
  sub->resize(mainWindow.mdiArea()->size() * 0.9);
  sub->move(20, 16);
  QTimer::singleShot(1200, &mainWindow, [&mainWindow, folder, then] {
    SaveScreen(mainWindow, nullptr, folder + QStringLiteral("/ngrams.png"));
    then();
  });
}

}  // namespace lexvane::gui
