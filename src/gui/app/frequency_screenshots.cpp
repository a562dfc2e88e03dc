#include "gui/app/frequency_screenshots.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

#include "concordance/concordance_builder.h"
#include "concordance/concordance_sort.h"
#include "corpus/corpus_settings.h"
#include "frequency/colloc_command.h"
#include "frequency/word_frequency_list.h"
#include "gui/app/form_main.h"
#include "gui/app/screenshots.h"
#include "gui/app/workspace.h"
#include "gui/base/text_codec.h"
#include "gui/frequency/form_colloc_freq.h"
#include "gui/frequency/form_word_freq.h"
#include "gui/frequency/word_freq_model.h"
#include "gui/runner/form_progress_ind.h"
#include "gui/runner/gui_user_interface.h"
#include "gui/runner/operation_runner.h"
#include "search/search_query.h"

namespace lexvane::gui {

namespace {

// The collocates of a concordance of "th*" with the query's defaults (the
// mask "*", three words on either side), built as the command builds them.
TFormCollocFreq* collocateWindow(Workspace& workspace) {
  search::SearchQuery query;
  query.Masks[0] = {search::TypedMask("th*")};
  text::SilentSearchIndicator search;
  text::SilentProgressIndicator progress;
  text::OperationHost host{workspace.Ui(), search, progress};
  auto table = concordance::BuildConcordance(query, workspace.Corpus(), host);
  concordance::SortConcordance(*table, {}, corpus::ScannerSets(workspace.Corpus()),
                               workspace.Collator(), progress);
  frequency::CollocQuery masks;
  masks.ButtonOKClick();  // adds "*"
  masks.ButtonOKClick();  // confirms
  const frequency::CollocCommandSteps steps{[] {}, [](frequency::CollocQuery&) { return true; }};
  frequency::CollocCommandResult result = frequency::MenuFrequenciesClick(
      *table, "Concordance: th*", masks, steps, workspace.Collator(), host);
  return new TFormCollocFreq(workspace, std::move(result.table), FromAnsi(result.caption));
}

}  // namespace

void TakeFrequencyScreenshots(TFormMain& mainWindow, const QString& folder,
                              std::function<void()> then) {
  Workspace& workspace = mainWindow.workspace();
  mainWindow.MenuBuildfrequencylistClick();
  workspace.Runner().waitForIdle();
  auto* words = qobject_cast<TFormWordFreq*>(mainWindow.activeChild());
  if (words != nullptr && words->List() != nullptr) {
    words->Model()->Detach();
    words->List()->SortWordList(frequency::kSortByFrequency,
                                frequency::SortCaption(frequency::kSortByFrequency),
                                *workspace.FormProgressInd());
    workspace.FormProgressInd()->hide();
    words->Model()->SetList(words->List().get());
  }
  QTimer::singleShot(1200, &mainWindow, [&mainWindow, &workspace, words, folder, then] {
    if (words != nullptr) words->parentWidget()->resize(mainWindow.mdiArea()->size() * 0.9);
    QTimer::singleShot(600, &mainWindow, [&mainWindow, &workspace, folder, then] {
      SaveScreen(mainWindow, nullptr, folder + QStringLiteral("/word_frequency.png"));
      QMdiSubWindow* sub = mainWindow.AddChildWindow(collocateWindow(workspace));
      sub->resize(mainWindow.mdiArea()->size() * 0.95);
      sub->move(10, 10);
      QTimer::singleShot(1200, &mainWindow, [&mainWindow, folder, then] {
        SaveScreen(mainWindow, nullptr, folder + QStringLiteral("/collocate_frequency.png"));
        then();
      });
    });
  });
}

}  // namespace lexvane::gui
