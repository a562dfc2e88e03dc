// A concordance window opens windows of another kind through its host: in
// the frame, "Clusters..." and "Frequency of collocates..." of a concordance
// of the sample letters and walks make their windows beside it (the
// collocates after the sort the command asks for), and the collocate window
// goes with its concordance window while the cluster window stays.
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include "corpus/list_files.h"
#include "desktop_test.h"
#include "frequency_test_support.h"
#include "gui/app/form_main.h"
#include "gui/app/workspace.h"
#include "gui/concordance/form_concordance.h"
#include "gui/concordance/form_sort_concord.h"
#include "gui/frequency/form_colloc_freq.h"
#include "gui/frequency/form_find_col_freq.h"
#include "gui/help/help.h"
#include "gui/ngrams/form_ngram_options.h"
#include "gui/ngrams/form_ngrams.h"
#include "gui/ngrams/ngram_model.h"
#include "gui/runner/gui_user_interface.h"
#include "gui/runner/operation_runner.h"
#include "gui/search/form_search.h"
#include "tools/root_collator.h"

using namespace lexvane;
using namespace lexvane::gui;
using lexvane::gui::testing::WhenShown;

class WindowHostTest : public lexvane::gui::testing::DesktopTest {
  Q_OBJECT

 private Q_SLOTS:
  void init() {
    InitGuiResources();
    QVERIFY(startDesktop(text::Answer::Yes, QSize(1000, 700)));
    openSampleCorpus();
  }
  void cleanup() { stopDesktop(); }

  void clustersOfAConcordanceJoinTheFrame() {
    TFormConcordance* window = searchMask(QStringLiteral("house"));
    QVERIFY(window != nullptr);
    TFormNGramOptions* options = workspace_->FormClusterOptions();
    WhenShown(options, [options] {
      options->SpinMinLength->setValue(2);
      options->SpinMaxLength->setValue(3);
      options->SpinMinFrequency->setValue(2);
      options->ButtonOK->click();
    });
    window->Action(QStringLiteral("MenuClusters"))->trigger();
    workspace_->Runner().waitForIdle();
    QTRY_COMPARE(windows<TFormNGrams>().size(), 1);
    QPointer<TFormNGrams> clusters = windows<TFormNGrams>().front();
    QCOMPARE(clusters->windowTitle(), QStringLiteral("Clusters - ") + window->windowTitle());
    QVERIFY(clusters->Model()->rowCount() > 0);
    QCOMPARE(frame_->mdiArea()->subWindowList().size(), 2);
    // The cluster list stays when its concordance window goes.
    qobject_cast<QMdiSubWindow*>(window->parentWidget())->close();
    QTRY_COMPARE(windows<TFormConcordance>().size(), 0);
    QVERIFY(clusters);
    QVERIFY(messages_.isEmpty());
  }

  void collocatesOfAnUnsortedConcordanceSortFirstAndJoinTheFrame() {
    TFormConcordance* window = searchMask(QStringLiteral("walk*"));
    QVERIFY(window != nullptr);
    QVERIFY(!window->Table()->TableSorted);
    TFormSortConcord* sort = workspace_->FormSortConcord();
    WhenShown(sort, [sort] { sort->Button1->click(); });
    TFormFindColFreq* query = workspace_->FormFindColFreq();
    // The dialog's defaults: the first OK takes the listed "*" into the
    // masks and stays, the second runs the query.
    WhenShown(query, [query] {
      query->ButtonOK->click();
      query->ButtonOK->click();
    });
    window->Action(QStringLiteral("MenuFrequencies"))->trigger();
    QTRY_COMPARE(windows<TFormCollocFreq>().size(), 1);
    workspace_->Runner().waitForIdle();
    QCOMPARE(messages_,
             QStringList{QStringLiteral("Concordance table must be sorted first. Sort it now?")});
    QVERIFY(window->Table()->TableSorted);
    QPointer<TFormCollocFreq> collocates = windows<TFormCollocFreq>().front();
    QVERIFY(collocates->windowTitle().endsWith(window->windowTitle()));
    QCOMPARE(frame_->mdiArea()->subWindowList().size(), 2);
    // The collocate window goes with its concordance window.
    qobject_cast<QMdiSubWindow*>(window->parentWidget())->close();
    QTRY_VERIFY(collocates.isNull());
    QTRY_COMPARE(frame_->mdiArea()->subWindowList().size(), 0);
  }
};

QTEST_MAIN(WindowHostTest)
#include "window_host_test.moc"
