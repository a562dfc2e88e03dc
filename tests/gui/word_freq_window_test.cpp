// The word frequency window on the sample corpus: the rows the engine counts
// in each of the four orders, the grid's layout, clear, copy to both targets,
// Cancel during a build and during a sort.
#include <fstream>

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include "frequency/frequency_copy.h"
#include "frequency/word_frequency_list.h"
#include "frequency_test_support.h"
#include "gui/base/text_codec.h"
#include "gui/common/form_copy_freq.h"
#include "gui/common/form_stat.h"
#include "gui/common/frequency_copy_command.h"
#include "gui/frequency/form_sort_word_freq.h"
#include "gui/frequency/form_word_freq.h"
#include "gui/frequency/word_freq_factory.h"
#include "gui/frequency/word_freq_model.h"
#include "gui/help/help.h"
#include "gui/runner/form_progress_ind.h"
#include "gui/runner/form_search_ind.h"
#include "gui/runner/operation_runner.h"
#include "gui/search/form_search.h"
#include "tools/root_collator.h"

using namespace lexvane;
using namespace lexvane::gui;
using namespace lexvane::gui::testing;

namespace {

// Every cell and heading of the window's grid equals the engine's grid text.
void compareGrid(const TFormWordFreq& window, const frequency::WordFrequencyList& expected) {
  const WordFreqModel& model = *window.Model();
  QCOMPARE(model.rowCount(), expected.Count());
  QCOMPARE(model.columnCount() + 1, expected.ColumnCount());
  for (int c = 1; c < expected.ColumnCount(); ++c)
    QCOMPARE(model.headerData(c - 1, Qt::Horizontal).toString(), FromAnsi(expected.CellText(c, 0)));
  for (int r = 1; r <= expected.Count(); ++r) {
    QCOMPARE(model.headerData(r - 1, Qt::Vertical).toString(), QStringLiteral("%1.").arg(r));
    for (int c = 1; c < expected.ColumnCount(); ++c)
      QCOMPARE(model.index(r - 1, c - 1).data().toString(), FromAnsi(expected.CellText(c, r)));
  }
}

void sortThroughTheDialog(Workspace& workspace, TFormWordFreq& window, int mode) {
  TFormSortWordFreq* dialog = workspace.FormSortWordFreq();
  WhenShown(dialog, [dialog, mode] {
    dialog->SetItemIndex(mode);
    dialog->Button1->click();
  });
  window.MenuSortClick();
  workspace.Runner().waitForIdle();
}

std::string copyLines(const frequency::WordFrequencyList& list, const frequency::CopyOptions& o) {
  std::string text;
  for (int i = 0; i < list.Count(); ++i) text += frequency::WordFrequencyLine(list, i, o);
  return text;
}

}  // namespace

class WordFreqWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init() { InitGuiResources(); }

  void showsTheEngineListInEachOrder() {
    FrequencyFixture f;
    QuietHost quiet;
    frequency::WordFrequencyList expected{RootCollator()};
    expected.Build(f.workspace->Corpus(), quiet.host);

    std::unique_ptr<ChildWindow> made(CreateWordFreqWindow(*f.workspace, nullptr));
    auto* window = qobject_cast<TFormWordFreq*>(made.get());
    QVERIFY(window);
    QAbstractItemModelTester tester(window->Model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    f.workspace->Runner().waitForIdle();
    QCOMPARE(window->windowTitle(), QStringLiteral("Word Frequency"));
    QCOMPARE(HelpContextOf(window), 21);
    // The Edit menu merges between the frame's File (0) and Tools (3).
    QCOMPARE(window->MergedMenus().size(), 1);
    QCOMPARE(window->MergedMenus()[0]->menuAction()->property(kMenuGroupProperty).toInt(), 1);
    QCOMPARE(f.workspace->FormSearchInd()->Label4->text(), QStringLiteral("Types:"));
    QCOMPARE(f.workspace->FormSearchInd()->LabelFoundWords->text(),
             QString::number(expected.Count()));
    QVERIFY(window->List()->ListComplete());
    QVERIFY(expected.Count() > 100);
    compareGrid(*window, expected);

    // Widths: number column 64, word 148, the others 64; alignment.
    QCOMPARE(window->DrawGrid1->verticalHeader()->width(), 64);
    QCOMPARE(window->DrawGrid1->columnWidth(0), 148);
    for (int c = 1; c < 4; ++c) QCOMPARE(window->DrawGrid1->columnWidth(c), 64);
    const auto alignment = [&](int column) {
      return window->Model()->index(0, column).data(Qt::TextAlignmentRole).value<Qt::Alignment>();
    };
    QVERIFY(alignment(0) & Qt::AlignLeft);
    QVERIFY(alignment(2) & Qt::AlignRight);

    for (int mode : {1, 2, 3, 0}) {
      sortThroughTheDialog(*f.workspace, *window, mode);
      expected.SortWordList(mode, frequency::SortCaption(mode), quiet.progress);
      QCOMPARE(window->List()->SortMode(), mode);
      compareGrid(*window, expected);
      if (mode == 1) QCOMPARE(window->DrawGrid1->columnWidth(5), 64);
    }
    QCOMPARE(f.workspace->FormProgressInd()->windowTitle(),
             QStringLiteral("Sorting alphabetically"));
    // The dialog keeps the last choice.
    QCOMPARE(f.workspace->FormSortWordFreq()->ItemIndex(), 0);
  }

  // Two workspaces of different locales side by side: each window's list
  // takes the order of its own workspace's collator.
  void listsSortWithTheCollatorOfTheirWorkspace() {
    QTemporaryDir dir;
    const std::string path = ToPath(dir.filePath(QStringLiteral("swedish.txt")));
    std::ofstream(path, std::ios::binary) << "Zebran och \xF6l. Ost p\xE5 \xE5kern.";
    auto wordsOf = [&path](Workspace& workspace, QWidget& mainWindow) {
      workspace.CreateDialogs(&mainWindow);
      workspace.Corpus().Files.Add(path, workspace.Collator());
      std::unique_ptr<ChildWindow> made(CreateWordFreqWindow(workspace, nullptr));
      auto* window = qobject_cast<TFormWordFreq*>(made.get());
      workspace.Runner().waitForIdle();
      std::vector<std::string> words;
      for (std::int32_t i = 0; window != nullptr && i < window->List()->Count(); ++i)
        words.push_back(window->List()->Info(i).Word);
      workspace.StopOperations();
      return words;
    };
    Workspace swedish{text::Collator("sv")}, root{text::Collator("root")};
    QWidget swedishMain, rootMain;
    const std::vector<std::string> swedishWords = wordsOf(swedish, swedishMain);
    const std::vector<std::string> rootWords = wordsOf(root, rootMain);
    QCOMPARE(swedishWords,
             (std::vector<std::string>{"och", "ost", "p\xE5", "zebran", "\xE5kern", "\xF6l"}));
    QCOMPARE(rootWords,
             (std::vector<std::string>{"\xE5kern", "och", "\xF6l", "ost", "p\xE5", "zebran"}));
  }

  void clearDeletesTheSelectedRowsAndKeepsThePercentages() {
    FrequencyFixture f;
    std::unique_ptr<ChildWindow> made(CreateWordFreqWindow(*f.workspace, nullptr));
    auto* window = static_cast<TFormWordFreq*>(made.get());
    QAbstractItemModelTester tester(window->Model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    f.workspace->Runner().waitForIdle();
    const int count = window->List()->Count();
    const QString fourth = window->Model()->index(3, 0).data().toString();
    const QString fourthPercent = window->Model()->index(3, 3).data().toString();
    // Rows 2 to 3 (grid rows), from the second column.
    QTableView* grid = window->DrawGrid1;
    grid->selectionModel()->select(
        QItemSelection(window->Model()->index(1, 1), window->Model()->index(2, 2)),
        QItemSelectionModel::ClearAndSelect);
    window->MenuClearClick();
    QCOMPARE(window->List()->Count(), count - 2);
    QCOMPARE(window->Model()->rowCount(), count - 2);
    QCOMPARE(window->Model()->index(1, 0).data().toString(), fourth);
    QCOMPARE(window->Model()->index(1, 3).data().toString(), fourthPercent);
    QCOMPARE(grid->selectionModel()->currentIndex(), window->Model()->index(1, 1));
    QCOMPARE(grid->selectionModel()->selectedIndexes().size(), 1);
    // The last rows: the selection moves to the new last row.
    grid->selectionModel()->select(
        QItemSelection(window->Model()->index(count - 4, 0), window->Model()->index(count - 3, 0)),
        QItemSelectionModel::ClearAndSelect);
    window->MenuClearClick();
    QCOMPARE(window->List()->Count(), count - 4);
    QCOMPARE(grid->selectionModel()->currentIndex().row(), count - 5);

    // Statistics count the types left; the build's figures stay.
    TFormStat* stat = f.workspace->FormStat();
    QString types, words;
    WhenShown(stat, [&] {
      types = stat->CaptionLabels[4]->text() + stat->ValueLabels[4]->text();
      words = stat->ValueLabels[2]->text();
      stat->ButtonOK->click();
    });
    window->MenuStatisticsClick();
    QCOMPARE(types, QStringLiteral("Types found:") + QString::number(count - 4));
    QCOMPARE(words.remove(QLatin1Char(' ')), QString::number(window->List()->TotalWords()));
  }

  void doubleClickAppendsTheWordToTheWordSearchList() {
    FrequencyFixture f;
    std::unique_ptr<ChildWindow> made(CreateWordFreqWindow(*f.workspace, nullptr));
    auto* window = static_cast<TFormWordFreq*>(made.get());
    f.workspace->Runner().waitForIdle();
    TFormSearch* search = f.workspace->FormSearch();
    search->Model().Masks = {"walk*"};
    search->ListBox1->clear();
    search->ListBox1->addItem(QStringLiteral("walk*"));
    // The grid's double click, on the word and on another column of its row.
    Q_EMIT window->DrawGrid1->doubleClicked(window->Model()->index(2, 0));
    window->DrawGrid1DblClick(window->Model()->index(2, 3));  // any column of the row
    const std::string word = window->List()->Info(2).Word;
    QCOMPARE(search->Model().Masks, (std::vector<std::string>{"walk*", word, word}));
    QCOMPARE(search->ListBox1->count(), 3);
    QCOMPARE(search->ListBox1->item(2)->text(), FromAnsi(word));
    QVERIFY(!search->isVisible());
  }

  void copiesToAFileAndToTheClipboard() {
    FrequencyFixture f;
    std::unique_ptr<ChildWindow> made(CreateWordFreqWindow(*f.workspace, nullptr));
    auto* window = static_cast<TFormWordFreq*>(made.get());
    f.workspace->Runner().waitForIdle();
    TFormCopyFreq* dialog = f.workspace->FormCopyFreq();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("words.txt"));
    f.workspace->Choosers().SaveCopy = [&](QWidget*) { return path; };

    // To a file, all rows, word list only.
    bool onlyItsOwnOption = false;
    WhenShown(dialog, [&] {
      onlyItsOwnOption =
          dialog->SaveWordListOnly->isVisible() && !dialog->CheckBoxZeroToSpace->isVisible();
      dialog->CheckBoxToFile->setChecked(true);
      dialog->SaveWordListOnly->setChecked(true);
      dialog->Button1->click();
    });
    window->MenuCopyClick();
    f.workspace->Runner().waitForIdle();
    QVERIFY(onlyItsOwnOption);
    QCOMPARE(f.workspace->FormProgressInd()->windowTitle(), QStringLiteral("Copying..."));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().toStdString(), copyLines(*window->List(), dialog->Options()));

    // To the clipboard, the selected row only, with another delimiter.
    window->DrawGrid1->setCurrentIndex(window->Model()->index(4, 1));
    WhenShown(dialog, [&] {
      dialog->CheckBoxToFile->setChecked(false);
      dialog->SaveWordListOnly->setChecked(false);
      dialog->CheckBoxSelectedOnly->setChecked(true);
      dialog->EditDelimiter->setText(QStringLiteral(";"));
      dialog->Button1->click();
    });
    window->MenuCopyClick();
    f.workspace->Runner().waitForIdle();
    const frequency::CopyOptions options = dialog->Options();
    QCOMPARE(options.Delimiter, std::string(";"));
    QCOMPARE(QGuiApplication::clipboard()->text(),
             FromAnsi(frequency::WordFrequencyLine(*window->List(), 4, options)));
    dialog->CheckBoxSelectedOnly->setChecked(false);
    dialog->EditDelimiter->setText(QStringLiteral("|"));
  }

  void cancelDuringTheBuildKeepsWhatWasCounted() {
    FrequencyFixture f;
    // A file that cannot be opened sits between the first and the last two:
    // Cancel pressed while its message is up stops the build after it.
    f.workspace->Corpus().Files.Add(LEXVANE_SAMPLES_DIR "/m_missing.txt", RootCollator());
    QStringList asked;
    f.workspace->Ui().setAnswerer([&](const Question& q) {
      asked << q.text;
      f.workspace->FormSearchInd()->ButtonCancelClick();
      return text::Answer::Ok;
    });
    std::unique_ptr<ChildWindow> made(CreateWordFreqWindow(*f.workspace, nullptr));
    auto* window = static_cast<TFormWordFreq*>(made.get());
    f.workspace->Runner().waitForIdle();
    QCOMPARE(asked.size(), 1);
    QVERIFY(!window->List()->ListComplete());

    corpus::CorpusSettings first = f.workspace->Corpus();
    first.Files.Clear();
    first.Files.Add(LEXVANE_SAMPLES_DIR "/letters_from_the_coast.txt", RootCollator());
    QuietHost quiet;
    frequency::WordFrequencyList expected{RootCollator()};
    expected.Build(first, quiet.host);
    QCOMPARE(window->List()->Count(), expected.Count());
    QCOMPARE(window->List()->TotalWords(), expected.TotalWords());
    QCOMPARE(window->Model()->rowCount(), expected.Count());
  }

  void cancelDuringASortKeepsTheOrder() {
    FrequencyFixture f;
    // A vocabulary large enough that the sort is still running when its
    // progress window shows.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vocabulary.txt"));
    {
      QFile file(path);
      QVERIFY(file.open(QIODevice::WriteOnly));
      std::string text;
      for (int i = 0; i < 200000; ++i) {
        unsigned v = static_cast<unsigned>(i) * 2654435761u;
        for (int k = 0; k < 7; ++k, v /= 26) text += static_cast<char>('a' + v % 26);
        text += i % 9 == 0 ? ". " : " ";
      }
      file.write(text.data(), static_cast<qint64>(text.size()));
    }
    f.workspace->Corpus().Files.Clear();
    f.workspace->Corpus().Files.Add(ToPath(path), RootCollator());
    std::unique_ptr<ChildWindow> made(CreateWordFreqWindow(*f.workspace, nullptr));
    auto* window = static_cast<TFormWordFreq*>(made.get());
    f.workspace->Runner().waitForIdle();
    const int count = window->List()->Count();
    QVERIFY(count > 150000);
    const QString first = window->Model()->index(0, 0).data().toString();
    const QString last = window->Model()->index(count - 1, 0).data().toString();

    TFormProgressInd* progress = f.workspace->FormProgressInd();
    struct CancelOnShow : QObject {
      TFormProgressInd* p;
      bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Show) p->ButtonCancelClick();
        return false;
      }
    } cancel;
    cancel.p = progress;
    progress->installEventFilter(&cancel);
    sortThroughTheDialog(*f.workspace, *window, 2);
    progress->removeEventFilter(&cancel);
    QCOMPARE(window->Model()->rowCount(), count);
    QCOMPARE(window->Model()->index(0, 0).data().toString(), first);
    QCOMPARE(window->Model()->index(count - 1, 0).data().toString(), last);

    // Too many lines for the clipboard: the warning, and the lines that fit.
    QStringList asked;
    f.workspace->Ui().setAnswerer([&](const Question& q) {
      asked << q.caption + QLatin1Char(':') + q.text;
      return text::Answer::Ok;
    });
    TFormCopyFreq* dialog = f.workspace->FormCopyFreq();
    WhenShown(dialog, [dialog] { dialog->Button1->click(); });
    window->MenuCopyClick();
    f.workspace->Runner().waitForIdle();
    QCOMPARE(asked, QStringList{QStringLiteral(
                        "Warning:Data too large - only a part copied to the Clipboard.")});
    const QString copied = QGuiApplication::clipboard()->text();
    QVERIFY(copied.size() <= 65520);
    QVERIFY(copied.size() > 65000);
    QVERIFY(copied.startsWith(first + QLatin1Char('|')));
  }
};

QTEST_MAIN(WordFreqWindowTest)
#include "word_freq_window_test.moc"
