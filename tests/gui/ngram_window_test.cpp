// The n-gram and cluster windows on the sample corpus: the options dialog,
// the rows the engine counts in each order, the grid's model, clear, copy,
// statistics, the double click into the advanced word search, the menu
// entries that make them, and Cancel during a build.
#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include "concordance/concordance_builder.h"
#include "frequency_test_support.h"
#include "gui/app/command_state.h"
#include "gui/base/text_codec.h"
#include "gui/common/export_command.h"
#include "gui/common/form_copy_freq.h"
#include "gui/common/form_stat.h"
#include "gui/help/help.h"
#include "gui/ngrams/form_ngram_options.h"
#include "gui/ngrams/form_ngrams.h"
#include "gui/ngrams/form_sort_ngrams.h"
#include "gui/ngrams/ngram_commands.h"
#include "gui/ngrams/ngram_model.h"
#include "gui/runner/form_progress_ind.h"
#include "gui/runner/form_search_ind.h"
#include "gui/runner/operation_runner.h"
#include "gui/search/form_search_adv.h"
#include "ngrams/cluster_build.h"
#include "ngrams/ngram_copy.h"
#include "ngrams/ngram_list.h"
#include "search/search_query.h"
#include "tools/root_collator.h"

using namespace lexvane;
using namespace lexvane::gui;
using namespace lexvane::gui::testing;

namespace {

// Every cell and heading of the window's grid equals the engine's grid text.
void compareGrid(const TFormNGrams& window, const ngrams::NGramList& expected) {
  const NGramModel& model = *window.Model();
  QCOMPARE(model.rowCount(), expected.Count());
  QCOMPARE(model.columnCount(), 3);
  for (int c = 1; c < ngrams::NGramList::kColumnCount; ++c)
    QCOMPARE(model.headerData(c - 1, Qt::Horizontal).toString(), FromAnsi(expected.CellText(c, 0)));
  for (int r = 1; r <= expected.Count(); ++r) {
    QCOMPARE(model.headerData(r - 1, Qt::Vertical).toString(), QStringLiteral("%1.").arg(r));
    for (int c = 1; c < ngrams::NGramList::kColumnCount; ++c)
      QCOMPARE(model.index(r - 1, c - 1).data().toString(), FromAnsi(expected.CellText(c, r)));
  }
}

// Runs "N-gram list..." with the dialog set to `options`.
TFormNGrams* makeNGramWindow(Workspace& workspace, const ngrams::NGramOptions& options) {
  TFormNGramOptions* dialog = workspace.FormNGramOptions();
  WhenShown(dialog, [dialog, options] {
    dialog->SetOptions(options);
    dialog->ButtonOK->click();
  });
  return qobject_cast<TFormNGrams*>(CreateNGramWindow(workspace, nullptr));
}

ngrams::NGramOptions bigramsAndTrigrams(std::int64_t minFrequency) {
  ngrams::NGramOptions options;
  options.minLength = 2;
  options.maxLength = 3;
  options.minFrequency = minFrequency;
  return options;
}

}  // namespace

class NGramWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init() { InitGuiResources(); }

  void showsTheEngineListInEachOrder() {
    FrequencyFixture f;
    QuietHost quiet;
    const ngrams::NGramOptions options = bigramsAndTrigrams(2);
    ngrams::NGramList expected;
    expected.Build(f.workspace->Corpus(), options, f.workspace->Collator(), quiet.host);
    QVERIFY(expected.Count() > 50);

    std::unique_ptr<TFormNGrams> window(makeNGramWindow(*f.workspace, options));
    QVERIFY(window);
    QAbstractItemModelTester tester(window->Model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    f.workspace->Runner().waitForIdle();
    QCOMPARE(window->windowTitle(), QStringLiteral("N-gram List"));
    QCOMPARE(HelpContextOf(window.get()), 120);
    QCOMPARE(window->MergedMenus().size(), 1);
    QCOMPARE(window->MergedMenus()[0]->menuAction()->property(kMenuGroupProperty).toInt(), 1);
    QCOMPARE(f.workspace->FormSearchInd()->Label4->text(), QStringLiteral("N-grams:"));
    QCOMPARE(window->Model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("N-gram"));
    QCOMPARE(window->DrawGrid1->accessibleName(), QStringLiteral("N-grams"));
    QCOMPARE(window->List()->Options().minFrequency, 2);
    compareGrid(*window, expected);

    for (ngrams::NGramSort order : {ngrams::NGramSort::Alphabetical, ngrams::NGramSort::ByRange,
                                    ngrams::NGramSort::ByFrequency}) {
      TFormSortNGrams* dialog = f.workspace->FormSortNGrams();
      WhenShown(dialog, [dialog, order] {
        dialog->SetOrder(order);
        dialog->Button1->click();
      });
      window->MenuSortClick();
      f.workspace->Runner().waitForIdle();
      expected.Sort(order, quiet.progress);
      QCOMPARE(window->List()->SortMode(), order);
      compareGrid(*window, expected);
      QCOMPARE(f.workspace->FormProgressInd()->windowTitle(),
               QString::fromUtf8(ngrams::SortCaption(order)));
    }
  }

  void clearCopyAndStatistics() {
    FrequencyFixture f;
    std::unique_ptr<TFormNGrams> window(makeNGramWindow(*f.workspace, bigramsAndTrigrams(1)));
    f.workspace->Runner().waitForIdle();
    const int count = window->List()->Count();
    const QString fourth = window->Model()->index(3, 0).data().toString();
    QTableView* grid = window->DrawGrid1;
    grid->selectionModel()->select(
        QItemSelection(window->Model()->index(1, 0), window->Model()->index(2, 2)),
        QItemSelectionModel::ClearAndSelect);
    window->MenuClearClick();
    QCOMPARE(window->List()->Count(), count - 2);
    QCOMPARE(window->Model()->index(1, 0).data().toString(), fourth);

    TFormStat* stat = f.workspace->FormStat();
    QString found;
    WhenShown(stat, [&] {
      found = stat->CaptionLabels[4]->text() + stat->ValueLabels[4]->text();
      stat->ButtonOK->click();
    });
    window->MenuStatisticsClick();
    QCOMPARE(found, QStringLiteral("N-grams found:") +
                        QString::number(count - 2).insert(QString::number(count - 2).size() - 3,
                                                          QLatin1Char(' ')));

    TFormCopyFreq* dialog = f.workspace->FormCopyFreq();
    window->DrawGrid1->setCurrentIndex(window->Model()->index(0, 1));
    WhenShown(dialog, [&] {
      dialog->CheckBoxToFile->setChecked(false);
      dialog->SaveWordListOnly->setChecked(false);
      dialog->CheckBoxSelectedOnly->setChecked(true);
      dialog->Button1->click();
    });
    window->MenuCopyClick();
    f.workspace->Runner().waitForIdle();
    QCOMPARE(QGuiApplication::clipboard()->text(),
             FromAnsi(ngrams::NGramLine(*window->List(), 0, dialog->Options())));
    QVERIFY(QGuiApplication::clipboard()->text().endsWith(QStringLiteral("\r\n")));
    dialog->CheckBoxSelectedOnly->setChecked(false);
  }

  void exportWritesTheRowsAsShown() {
    FrequencyFixture f;
    std::unique_ptr<TFormNGrams> window(makeNGramWindow(*f.workspace, bigramsAndTrigrams(8)));
    f.workspace->Runner().waitForIdle();
    QCOMPARE(window->MenuEdit->actions().last()->text(), QStringLiteral("Export..."));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ngrams.csv"));
    f.workspace->Choosers().Export = [path](QWidget*, const QString& name) {
      return name == QStringLiteral("ngrams")
                 ? std::optional<ExportTarget>(ExportTarget{path, ExportFilterOptions(0)})
                 : std::nullopt;
    };
    window->MenuExportClick();
    f.workspace->Runner().waitForIdle();
    f.workspace->Choosers().Export = {};
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("N-gram,F,Range\r\nthe house,12,3\r\nin the,9,3\r\n"
                                        "on the,8,3\r\nto the,8,3\r\n"));
  }

  void doubleClickPutsTheWordsIntoTheAdvancedSearch() {
    FrequencyFixture f;
    ngrams::NGramOptions options = bigramsAndTrigrams(3);
    options.minLength = 3;
    std::unique_ptr<TFormNGrams> window(makeNGramWindow(*f.workspace, options));
    f.workspace->Runner().waitForIdle();
    TFormSearchAdv* search = f.workspace->FormSearchAdv();
    search->Model().Masks[4] = {"walk*"};
    search->Model().Distances[0] = 3;
    QCOMPARE(window->List()->Text(0), std::string_view("the house of"));
    Q_EMIT window->DrawGrid1->doubleClicked(window->Model()->index(0, 2));
    const search::AdvancedSearchModel& model = search->Model();
    QCOMPARE(model.Masks[0], std::vector<std::string>{"the"});
    QCOMPARE(model.Masks[1], std::vector<std::string>{"house"});
    QCOMPARE(model.Masks[2], std::vector<std::string>{"of"});
    QVERIFY(model.Masks[3].empty() && model.Masks[4].empty());
    QCOMPARE(model.Distances[0], 0);
    QVERIFY(model.InOrder[0] && model.InOrder[1]);
    QCOMPARE(search->ListBoxes[1]->count(), 1);
    QCOMPARE(search->ListBoxes[1]->item(0)->text(), QStringLiteral("house"));
    QVERIFY(!search->isVisible());
  }

  void cancelDuringTheBuildKeepsWhatWasCounted() {
    FrequencyFixture f;
    f.workspace->Corpus().Files.Add(LEXVANE_SAMPLES_DIR "/m_missing.txt", RootCollator());
    QStringList asked;
    f.workspace->Ui().setAnswerer([&](const Question& q) {
      asked << q.text;
      f.workspace->FormSearchInd()->ButtonCancelClick();
      return text::Answer::Ok;
    });
    std::unique_ptr<TFormNGrams> window(makeNGramWindow(*f.workspace, bigramsAndTrigrams(1)));
    f.workspace->Runner().waitForIdle();
    QCOMPARE(asked.size(), 1);
    QVERIFY(window->List() != nullptr);
    QCOMPARE(window->Model()->rowCount(), window->List()->Count());
  }

  void theToolBarRoutesTableCommandsToAnNGramWindow() {
    const CommandState idle = ComputeCommandState({ActiveKind::NGrams, 1, false, false});
    QVERIFY(idle.copy && idle.clear && idle.sort && idle.statistics && idle.ngramList);
    QVERIFY(!idle.collocates && !idle.deleteDuplicates && !idle.displaySource);
    const CommandState busy = ComputeCommandState({ActiveKind::NGrams, 1, false, true});
    QVERIFY(!busy.copy && !busy.sort && !busy.ngramList);
    QVERIFY(!ComputeCommandState({ActiveKind::None, 0, false, false}).ngramList);
  }

  void cancelledOptionsDialogMakesNoWindow() {
    FrequencyFixture f;
    TFormNGramOptions* dialog = f.workspace->FormNGramOptions();
    QVERIFY(dialog->CheckBoxCrossSentences != nullptr);
    QVERIFY(dialog->RadioGroupSide == nullptr);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("N-gram List"));
    // The two ends of the length range stay in order.
    dialog->SpinMinLength->setValue(4);
    dialog->SpinMaxLength->setValue(3);
    QCOMPARE(dialog->SpinMinLength->value(), 3);
    QCOMPARE(dialog->Options().minLength, 3);
    WhenShown(dialog, [dialog] { dialog->ButtonCancel->click(); });
    QVERIFY(CreateNGramWindow(*f.workspace, nullptr) == nullptr);
    QVERIFY(!f.workspace->Runner().busy());
  }

  void clustersOfAConcordance() {
    FrequencyFixture f;
    QuietHost quiet;
    search::SearchQuery query;
    query.Masks[0] = {search::TypedMask("house")};
    std::shared_ptr<concordance::ConcordanceTable> table =
        concordance::BuildConcordance(query, f.workspace->Corpus(), quiet.host);
    TFormNGramOptions* dialog = f.workspace->FormClusterOptions();
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Clusters"));
    QVERIFY(dialog->CheckBoxCrossSentences == nullptr);
    WhenShown(dialog, [dialog] {
      dialog->SpinMinLength->setValue(2);
      dialog->SpinMaxLength->setValue(3);
      dialog->SpinMinFrequency->setValue(2);
      dialog->RadioRight->setChecked(true);
      dialog->ButtonOK->click();
    });
    auto owner = std::make_unique<QWidget>();
    QPointer<TFormNGrams> window;
    RunClustersCommand(*f.workspace, {owner.get(), table, QStringLiteral("Concordance: house")},
                       [&](TFormNGrams* made) {
                         made->setAttribute(Qt::WA_DeleteOnClose);
                         window = made;
                       });
    f.workspace->Runner().waitForIdle();
    QVERIFY(window);
    QAbstractItemModelTester tester(window->Model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(window->windowTitle(), QStringLiteral("Clusters - Concordance: house"));
    QCOMPARE(HelpContextOf(window.data()), 122);
    QCOMPARE(window->Model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Cluster"));
    QCOMPARE(f.workspace->FormProgressInd()->windowTitle(), QStringLiteral("Extracting clusters"));
    ngrams::NGramOptions options = bigramsAndTrigrams(2);
    ngrams::NGramList expected(ngrams::ListKind::Clusters);
    ngrams::BuildClusters(*table, options, ngrams::ClusterSide::Right, true, expected,
                          RootCollator(), quiet.host);
    compareGrid(*window, expected);
    QCOMPARE(window->Model()->index(0, 0).data().toString(), QStringLiteral("the house"));
    // The cluster window stays when its concordance window goes.
    owner.reset();
    QVERIFY(window);
    delete window.data();
  }
};

QTEST_MAIN(NGramWindowTest)
#include "ngram_window_test.moc"
