// A real engine operation through the runner and the indicator windows: a
// concordance of the sample corpus built on the worker thread, the indicator
// showing the scan's final counts, and the finished table handed over on the
// GUI thread.
#include <QLabel>
#include <QThread>
#include <QtTest>

#include "concordance/concordance_builder.h"
#include "corpus/list_files.h"
#include "gui/help/help_desk.h"
#include "gui/runner/form_progress_ind.h"
#include "gui/runner/form_search_ind.h"
#include "gui/runner/gui_user_interface.h"
#include "gui/runner/operation_runner.h"
#include "tools/root_collator.h"

using namespace lexvane;
using namespace lexvane::gui;

class EngineRunTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void concordanceOfTheSampleCorpusIsHandedOverOnTheGuiThread() {
    QStringList asked;
    HelpDesk helpDesk;
    GuiUserInterface ui(helpDesk);
    ui.setAnswerer([&](const Question& q) {
      asked << q.text;
      return text::Answer::Ok;
    });
    corpus::CorpusSettings corpus;
    corpus::OpenListFile(LEXVANE_SAMPLES_DIR "/sample.CTL", corpus, RootCollator(), ui);
    QCOMPARE(corpus.Files.Count(), std::size_t(3));

    TFormSearchInd search;
    TFormProgressInd progress;
    OperationRunner runner(ui, search, progress);
    search::SearchQuery query;
    query.Masks[0] = {search::TypedMask("the")};

    std::unique_ptr<concordance::ConcordanceTable> built;  // what a window would own
    std::unique_ptr<concordance::ConcordanceTable> window;
    bool handedOverOnGuiThread = false;
    // The work gets copies: the corpus may be edited while it runs.
    QVERIFY(runner.start(
        [&built, query, corpus](text::OperationHost& host) {
          built = concordance::BuildConcordance(query, corpus, host);
        },
        [&](bool completed) {
          QVERIFY(completed);
          handedOverOnGuiThread = QThread::currentThread() == qApp->thread();
          window = std::move(built);
        }));
    runner.waitForIdle();

    QVERIFY(asked.isEmpty());
    QVERIFY(handedOverOnGuiThread);
    QVERIFY(window);
    QVERIFY(window->RowCount() > 0);
    QVERIFY(window->SearchComplete);
    QCOMPARE(search.Label4->text(), QStringLiteral("Words found:"));
    QCOMPARE(search.LabelWords->text(), QString::number(window->TotalWords));
    QCOMPARE(search.LabelFoundWords->text(), QString::number(window->RowCount()));
    QVERIFY(!search.isVisible());
    QVERIFY(!progress.isVisible());
  }
};

QTEST_MAIN(EngineRunTest)
#include "engine_run_test.moc"
