// The word frequency window's Range and DP columns on the sample corpus:
// chosen in the "Word Frequency Columns" dialog, counted again for a list
// built without them (keeping its order), counted at once by later builds,
// hidden again without a count, and copied with the list.
#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

#include "frequency/word_frequency_list.h"
#include "frequency_test_support.h"
#include "gui/common/form_copy_freq.h"
#include "gui/frequency/form_sort_word_freq.h"
#include "gui/frequency/form_word_freq.h"
#include "gui/frequency/form_word_freq_columns.h"
#include "gui/frequency/word_freq_factory.h"
#include "gui/frequency/word_freq_model.h"
#include "gui/help/help.h"
#include "gui/runner/operation_runner.h"

using namespace lexvane;
using namespace lexvane::gui;
using namespace lexvane::gui::testing;

namespace {

// The model row of `word`, -1 when the list lacks it.
int rowOf(const TFormWordFreq& window, const QString& word) {
  const WordFreqModel& model = *window.Model();
  for (int r = 0; r < model.rowCount(); ++r)
    if (model.index(r, 0).data().toString() == word) return r;
  return -1;
}

QStringList headings(const WordFreqModel& model) {
  QStringList h;
  for (int c = 0; c < model.columnCount(); ++c) h << model.headerData(c, Qt::Horizontal).toString();
  return h;
}

void choose(Workspace& workspace, TFormWordFreq& window, bool range, bool dp, bool ok = true) {
  TFormWordFreqColumns* dialog = workspace.FormWordFreqColumns();
  WhenShown(dialog, [dialog, range, dp, ok] {
    dialog->CheckBoxRange->setChecked(range);
    dialog->CheckBoxDP->setChecked(dp);
    (ok ? dialog->ButtonOK : dialog->ButtonCancel)->click();
  });
  window.MenuColumnsClick();
  workspace.Runner().waitForIdle();
}

}  // namespace

class WordFreqColumnsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init() { InitGuiResources(); }

  void choosingTheColumnsCountsTheListAgainInItsOrder() {
    FrequencyFixture f;
    std::unique_ptr<ChildWindow> made(CreateWordFreqWindow(*f.workspace, nullptr));
    auto* window = static_cast<TFormWordFreq*>(made.get());
    QAbstractItemModelTester tester(window->Model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    f.workspace->Runner().waitForIdle();
    QVERIFY(!window->List()->HasSpread());  // not chosen: the usual build
    QCOMPARE(window->Model()->columnCount(), 4);
    // The entry comes after the window's own commands.
    const QList<QAction*> edit = window->MenuEdit->actions();
    QCOMPARE(edit.last()->text(), QStringLiteral("Co&lumns..."));
    QVERIFY(edit[edit.size() - 2]->isSeparator());
    QCOMPARE(HelpContextOf(edit.last()), 112);
    QCOMPARE(window->PopupMenu1->actions().last()->objectName(),
             QStringLiteral("MenuPopupColumns"));

    // Sorted by frequency, then the columns: the list is counted again and
    // sorted as it was.
    TFormSortWordFreq* sort = f.workspace->FormSortWordFreq();
    WhenShown(sort, [sort] {
      sort->SetItemIndex(frequency::kSortByFrequency);
      sort->Button1->click();
    });
    window->MenuSortClick();
    f.workspace->Runner().waitForIdle();
    const frequency::WordFrequencyList* before = window->List().get();
    choose(*f.workspace, *window, true, true);
    QVERIFY(window->List().get() != before);
    QVERIFY(window->List()->HasSpread());
    QCOMPARE(window->List()->SortMode(), int(frequency::kSortByFrequency));
    QCOMPARE(headings(*window->Model()),
             (QStringList{"Word", "Word Class", "F", "F %", "CF", "CF %", "Range", "DP"}));
    // house: 2, 3 and 10 of 15 in files of 391, 455 and 470 words: DP =
    // (.1638 + .1457 + .3095) / 2 = .3095.
    const int house = rowOf(*window, QStringLiteral("house"));
    QVERIFY(house >= 0);
    QCOMPARE(window->Model()->index(house, 6).data().toString(), QStringLiteral("3"));
    QCOMPARE(window->Model()->index(house, 7).data().toString(), QStringLiteral("0.3095"));
    QCOMPARE(window->Model()->index(house, 7).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
                 Qt::AlignRight,
             Qt::AlignRight);

    // Only DP: no count again, the Range column goes.
    const frequency::WordFrequencyList* counted = window->List().get();
    choose(*f.workspace, *window, false, true);
    QCOMPARE(window->List().get(), counted);
    QCOMPARE(headings(*window->Model()).last(), QStringLiteral("DP"));
    QCOMPARE(window->Model()->columnCount(), 7);
    // Cancel keeps the choice as it was.
    choose(*f.workspace, *window, true, false, false);
    QVERIFY(!f.workspace->FormWordFreqColumns()->Range());
    QVERIFY(f.workspace->FormWordFreqColumns()->DP());
  }

  void laterBuildsCountTheColumnsAndCopyThem() {
    FrequencyFixture f;
    f.workspace->FormWordFreqColumns()->CheckBoxRange->setChecked(true);
    std::unique_ptr<ChildWindow> made(CreateWordFreqWindow(*f.workspace, nullptr));
    auto* window = static_cast<TFormWordFreq*>(made.get());
    f.workspace->Runner().waitForIdle();
    QVERIFY(window->List()->HasSpread());
    QCOMPARE(headings(*window->Model()).last(), QStringLiteral("Range"));
    const int walked = rowOf(*window, QStringLiteral("walked"));
    QVERIFY(walked >= 0);

    // The copy writes the columns shown after the others.
    window->DrawGrid1->setCurrentIndex(window->Model()->index(walked, 0));
    TFormCopyFreq* dialog = f.workspace->FormCopyFreq();
    WhenShown(dialog, [dialog] {
      dialog->CheckBoxToFile->setChecked(false);
      dialog->SaveWordListOnly->setChecked(false);
      dialog->CheckBoxSelectedOnly->setChecked(true);
      dialog->Button1->click();
    });
    window->MenuCopyClick();
    f.workspace->Runner().waitForIdle();
    const QString copied = QGuiApplication::clipboard()->text();
    QVERIFY2(copied.startsWith(QStringLiteral("walked|")), qPrintable(copied));
    QVERIFY2(
        copied.endsWith(QStringLiteral("|") + window->Model()->index(walked, 4).data().toString() +
                        QStringLiteral("\r\n")),
        qPrintable(copied));
  }
};

QTEST_MAIN(WordFreqColumnsTest)
#include "word_freq_columns_test.moc"
