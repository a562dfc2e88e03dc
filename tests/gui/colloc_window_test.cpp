// The collocate road from a concordance of the sample corpus: the sort
// question (No ends it, Yes sorts first), the query dialog, the window with
// the engine's table, its grid texts and widths, each sort kind of the
// dialog, clear, copy, and the window closing with its concordance window.
#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include "concordance/concordance_builder.h"
#include "concordance/concordance_sort.h"
#include "corpus/corpus_settings.h"
#include "frequency/colloc_table.h"
#include "frequency/frequency_copy.h"
#include "frequency_test_support.h"
#include "gui/base/text_codec.h"
#include "gui/common/form_copy_freq.h"
#include "gui/common/frequency_copy_command.h"
#include "gui/frequency/colloc_freq_model.h"
#include "gui/frequency/collocate_command.h"
#include "gui/frequency/form_colloc_freq.h"
#include "gui/frequency/form_find_col_freq.h"
#include "gui/frequency/form_sort_collocates.h"
#include "gui/help/help.h"
#include "gui/runner/form_progress_ind.h"
#include "gui/runner/operation_runner.h"
#include "search/search_query.h"
#include "tools/root_collator.h"

using namespace lexvane;
using namespace lexvane::gui;
using namespace lexvane::gui::testing;

namespace {

struct Road {
  FrequencyFixture f;
  QuietHost quiet;
  std::unique_ptr<QWidget> concordanceWindow = std::make_unique<QWidget>();
  std::shared_ptr<concordance::ConcordanceTable> table;
  QStringList asked;
  int sorts = 0;
  QPointer<TFormCollocFreq> window;

  explicit Road(text::Answer sortAnswer) {
    search::SearchQuery query;
    query.Masks[0] = {search::TypedMask("th*")};
    table = concordance::BuildConcordance(query, f.workspace->Corpus(), quiet.host);
    f.workspace->Ui().setAnswerer([this, sortAnswer](const Question& q) {
      asked << q.caption + QLatin1Char(':') + q.text;
      return sortAnswer;
    });
  }

  // The concordance window's command, its sort standing in for the window's.
  void run() {
    CollocateSource source{concordanceWindow.get(), table, QStringLiteral("Concordance: th*"),
                           [this](std::function<void(bool)> next) {
                             ++sorts;
                             concordance::SortConcordance(
                                 *table, {}, corpus::ScannerSets(f.workspace->Corpus()),
                                 RootCollator(), quiet.progress);
                             next(table->TableSorted);
                           }};
    RunCollocateCommand(*f.workspace, source, [this](TFormCollocFreq* made) {
      made->setAttribute(Qt::WA_DeleteOnClose);
      window = made;
    });
    f.workspace->Runner().waitForIdle();
  }

  // The engine's table of the same concordance and query.
  std::unique_ptr<frequency::CollocTable> expected() {
    const frequency::CollocQuery& query = f.workspace->FormFindColFreq()->Query();
    auto built = std::make_unique<frequency::CollocTable>(query.LeftUsed(), query.RightUsed());
    built->BuildCollocTable(table->WordSeparators, table->LeftContexts(), table->Keywords(),
                            table->RightContexts(), query.ListBox1, RootCollator(), quiet.host);
    return built;
  }

  // Confirms the query dialog the way a user does: OK adds the typed "*",
  // a second OK confirms.
  void confirmQueryWithDefaults() {
    TFormFindColFreq* dialog = f.workspace->FormFindColFreq();
    WhenShown(dialog, [dialog] {
      dialog->ButtonOK->click();
      QVERIFY(dialog->isVisible());
      QCOMPARE(dialog->Edit1->text(), QString());
      dialog->ButtonOK->click();
    });
  }
};

void compareGrid(const TFormCollocFreq& window, const frequency::CollocTable& expected) {
  const CollocFreqModel& model = *window.Model();
  QCOMPARE(model.rowCount(), expected.Count());
  QCOMPARE(model.columnCount(), frequency::kCollocColumns - 1);
  for (int c = 1; c < frequency::kCollocColumns; ++c)
    QCOMPARE(model.headerData(c - 1, Qt::Horizontal).toString(), FromAnsi(expected.CellText(c, 0)));
  for (int r = 1; r <= expected.Count(); ++r)
    for (int c = 1; c < frequency::kCollocColumns; ++c)
      QCOMPARE(model.index(r - 1, c - 1).data().toString(), FromAnsi(expected.CellText(c, r)));
}

}  // namespace

class CollocWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init() { InitGuiResources(); }

  void anUnsortedConcordanceAnsweredNoMakesNoWindow() {
    Road road(text::Answer::No);
    road.run();
    QCOMPARE(road.asked,
             QStringList{QStringLiteral(":Concordance table must be sorted first. Sort it now?")});
    QCOMPARE(road.sorts, 0);
    QVERIFY(road.window.isNull());
    QVERIFY(!road.f.workspace->FormFindColFreq()->isVisible());
  }

  void answeredYesSortsFirstAndShowsTheEngineTable() {
    Road road(text::Answer::Yes);
    road.confirmQueryWithDefaults();
    road.run();
    QCOMPARE(road.sorts, 1);
    QVERIFY(road.table->TableSorted);
    QVERIFY(!road.window.isNull());
    TFormCollocFreq& window = *road.window;
    QAbstractItemModelTester tester(window.Model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(window.windowTitle(), QStringLiteral("Collocate frequency in theConcordance: th*"));
    QCOMPARE(HelpContextOf(&window), 20);
    QCOMPARE(road.f.workspace->FormProgressInd()->windowTitle(),
             QStringLiteral("Extracting and sorting words"));
    auto expected = road.expected();
    QVERIFY(expected->Count() > 50);
    compareGrid(window, *expected);

    // Widths: positions 1 to 3 selected (35), the others nearly hidden (4).
    QTableView* grid = window.DrawGrid1;
    QCOMPARE(grid->verticalHeader()->width(), 52);
    QCOMPARE(grid->columnWidth(0), 117);
    QCOMPARE(grid->columnWidth(10), 120);
    QCOMPARE(grid->columnWidth(20), 47);
    for (int p = 1; p <= 9; ++p) {
      QCOMPARE(grid->columnWidth(frequency::LeftColumn(p) - 1), p <= 3 ? 35 : 4);
      QCOMPARE(grid->columnWidth(frequency::RightColumn(p) - 1), p <= 3 ? 35 : 4);
    }
    // Counts of 0 are empty cells; the node column is centred.
    QCOMPARE(window.Model()->index(0, frequency::RightColumn(5) - 1).data().toString(), QString());
    QVERIFY(window.Model()->index(0, 10).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
            Qt::AlignHCenter);

    // A second command on the now sorted table asks nothing.
    road.asked.clear();
    QPointer<TFormCollocFreq> first = road.window;
    TFormFindColFreq* query = road.f.workspace->FormFindColFreq();
    WhenShown(query, [query] {
      QCOMPARE(query->Edit1->text(), QString());  // the masks stay from the last use
      query->ButtonOK->click();
    });
    road.run();
    QVERIFY(road.asked.isEmpty());
    QVERIFY(road.window != first);

    // Both close with their concordance window.
    road.concordanceWindow.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first.isNull());
    QVERIFY(road.window.isNull());
  }

  void eachSortKindOfTheDialog() {
    Road road(text::Answer::Yes);
    road.confirmQueryWithDefaults();
    road.run();
    TFormCollocFreq& window = *road.window;
    auto expected = road.expected();
    TFormSortCollocates* dialog = road.f.workspace->FormSortCollocates();
    QAbstractItemModelTester tester(window.Model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    // Each choice: what the user does in the dialog, and the column it sorts.
    const std::vector<std::pair<std::function<void()>, int>> choices = {
        {[dialog] { dialog->SpinEdit1->setValue(2); }, frequency::LeftColumn(2)},
        {[dialog] { dialog->RadioButtonMiddleCol->setChecked(true); }, frequency::kNodeColumn},
        {[dialog] { dialog->SpinEdit2->setValue(4); }, frequency::RightColumn(4)},
        {[dialog] { dialog->RadioButtonTotals->setChecked(true); }, frequency::kTotalColumn},
        {[dialog] { dialog->RadioButtonLeftWord->setChecked(true); }, frequency::kCollocateColumn},
        {[dialog] { dialog->SpinEdit2->setValue(1); }, frequency::RightColumn(1)},
    };
    for (const auto& [choose, column] : choices) {
      WhenShown(dialog, [dialog, choose = choose, column = column] {
        choose();
        QCOMPARE(dialog->Column(), column);
        dialog->ButtonOK->click();
      });
      window.MenuSortClick();
      road.f.workspace->Runner().waitForIdle();
      expected->Sort(column, road.quiet.progress);
      compareGrid(window, *expected);
    }
    QVERIFY(dialog->RadioButtonRightCol->isChecked());  // the last choice stays
    QCOMPARE(road.f.workspace->FormProgressInd()->windowTitle(), QStringLiteral("Sorting..."));
  }

  void clearAndCopyToAFile() {
    Road road(text::Answer::Yes);
    road.confirmQueryWithDefaults();
    road.run();
    TFormCollocFreq& window = *road.window;
    auto expected = road.expected();
    QAbstractItemModelTester tester(window.Model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    window.DrawGrid1->selectionModel()->select(
        QItemSelection(window.Model()->index(2, 3), window.Model()->index(4, 3)),
        QItemSelectionModel::ClearAndSelect);
    window.MenuClearClick();
    expected->ClearRows(3, 5);
    compareGrid(window, *expected);
    QCOMPARE(window.DrawGrid1->currentIndex(), window.Model()->index(2, 3));

    TFormCopyFreq* dialog = road.f.workspace->FormCopyFreq();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("collocates.txt"));
    road.f.workspace->Choosers().SaveCopy = [&](QWidget*) { return path; };
    bool onlyItsOwnOption = false;
    WhenShown(dialog, [&] {
      onlyItsOwnOption =
          dialog->CheckBoxZeroToSpace->isVisible() && !dialog->SaveWordListOnly->isVisible();
      dialog->CheckBoxToFile->setChecked(true);
      dialog->Button1->click();
    });
    window.MenuCopyClick();
    road.f.workspace->Runner().waitForIdle();
    QVERIFY(onlyItsOwnOption);
    std::string lines;
    for (int i = 0; i < expected->Count(); ++i)
      lines += frequency::CollocateLine(*expected, i, dialog->Options());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().toStdString(), lines);
    QVERIFY(lines.find("| |") != std::string::npos);  // zero counts as a space
    dialog->CheckBoxToFile->setChecked(false);
  }

  void queryDialogButtons() {
    FrequencyFixture f;
    TFormFindColFreq& dialog = *f.workspace->FormFindColFreq();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Find frequency of collogate words"));
    QCOMPARE(dialog.Edit1->text(), QStringLiteral("*"));
    for (int k = 1; k <= 18; ++k)
      QCOMPARE(dialog.CheckBoxes[k - 1]->isChecked(), (k >= 7 && k <= 12));
    // Enter on a typed mask adds it lower-cased and keeps the dialog open.
    dialog.show();
    dialog.Edit1->setText(QStringLiteral("The*"));
    QTest::keyClick(dialog.Edit1, Qt::Key_Return);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.Query().ListBox1, (std::vector<std::string>{"the*"}));
    dialog.ButtonClearAllClick();
    QVERIFY(dialog.Query().ListBox1.empty());
    QCOMPARE(dialog.Edit1->text(), QString());
    for (QCheckBox* box : dialog.CheckBoxes) QVERIFY(!box->isChecked());
    // An OK without any mask closes as Cancel.
    dialog.ButtonOKClick();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
  }
};

QTEST_MAIN(CollocWindowTest)
#include "colloc_window_test.moc"
