// The concordance window on the sample corpus, from the frame's search
// commands to a shown window: its rows against the engine's table, the grid's
// model, the sentence pane after the window's commands, paste enabling, the
// window settings and Cancel during a scan and a sort. Dialogs are answered
// from the event loop they run; message boxes by an answerer.
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSemaphore>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include "concordance/concordance_builder.h"
#include "concordance/concordance_sort.h"
#include "concordance/window_settings.h"
#include "corpus/list_files.h"
#include "desktop_test.h"
#include "gui/app/form_main.h"
#include "gui/app/workspace.h"
#include "gui/concordance/concordance_model.h"
#include "gui/concordance/form_concordance.h"
#include "gui/concordance/form_sort_concord.h"
#include "gui/help/help.h"
#include "gui/help/help_desk.h"
#include "gui/runner/form_search_ind.h"
#include "gui/runner/gui_user_interface.h"
#include "gui/runner/operation_runner.h"
#include "gui/search/form_search.h"
#include "gui/search/form_search_adv.h"
#include "tools/root_collator.h"

using namespace lexvane;
using namespace lexvane::gui;
using lexvane::gui::testing::WhenShown;

namespace {

std::unique_ptr<concordance::ConcordanceTable> engineTable(const search::SearchQuery& query,
                                                           const corpus::CorpusSettings& corpus) {
  HelpDesk helpDesk;
  GuiUserInterface ui(helpDesk);
  ui.setAnswerer([](const Question&) { return text::Answer::Ok; });
  text::SilentSearchIndicator search;
  text::SilentProgressIndicator progress;
  text::OperationHost host{ui, search, progress};
  return concordance::BuildConcordance(query, corpus, host);
}

QStringList rowsOf(const ConcordanceModel& model) {
  QStringList rows;
  for (int r = 0; r < model.rowCount(); ++r) {
    QStringList cells;
    for (int c = 0; c < model.columnCount(); ++c) cells << model.cellText(r, c);
    rows << cells.join(QLatin1Char('|'));
  }
  return rows;
}

QStringList rowsOf(const concordance::ConcordanceTable& table) {
  ConcordanceModel model;
  model.setTable(std::shared_ptr<const concordance::ConcordanceTable>(
                     &table, [](const concordance::ConcordanceTable*) {}),
                 TextCodec{});
  return rowsOf(model);
}

}  // namespace

class ConcordanceWindowTest : public lexvane::gui::testing::DesktopTest {
  Q_OBJECT

  TFormConcordance* lastWindow() {
    const QList<QMdiSubWindow*> subs = frame_->mdiArea()->subWindowList();
    return subs.isEmpty() ? nullptr : qobject_cast<TFormConcordance*>(subs.back()->widget());
  }
  // "Word search..." with `masks` typed, each followed by Enter, then Enter.
  TFormConcordance* simpleSearch(const QStringList& masks) {
    TFormSearch* dialog = workspace_->FormSearch();
    WhenShown(dialog, [dialog, masks] {
      dialog->ButtonClearAllClick();
      for (const QString& mask : masks) {
        QTest::keyClicks(dialog->Edit1, mask);
        QTest::keyClick(dialog->Edit1, Qt::Key_Return);
      }
      QTest::keyClick(dialog->Edit1, Qt::Key_Return);
    });
    frame_->MenuSearchClick();
    workspace_->Runner().waitForIdle();
    return lastWindow();
  }
  void sortWith(TFormConcordance* window, bool rightPart, int word) {
    TFormSortConcord* dialog = workspace_->FormSortConcord();
    WhenShown(dialog, [dialog, rightPart, word] {
      (rightPart ? dialog->RadioButtonRightPart : dialog->RadioButtonLeftPart)->setChecked(true);
      dialog->SpinEditWord->setValue(word);
      dialog->Button1->click();
    });
    window->MenuSortClick();
    workspace_->Runner().waitForIdle();
  }

 private Q_SLOTS:
  void init() {
    QVERIFY(startDesktop());
    openSampleCorpus();
  }
  void cleanup() { stopDesktop(); }

  void simpleSearchShowsTheEnginesRowsOnceBuilt() {
    TFormConcordance* window = simpleSearch({QStringLiteral("The")});
    QVERIFY(window != nullptr);
    QVERIFY(messages_.isEmpty());
    QCOMPARE(workspace_->FormSearch()->Model().Masks, std::vector<std::string>{"the"});
    QCOMPARE(window->windowTitle(), QStringLiteral("Concordance: the"));
    QVERIFY(window->Built());
    QVERIFY(window->isVisible());
    QVERIFY(window->parentWidget()->isVisible());

    auto expected = engineTable(workspace_->FormSearch()->Query(), workspace_->Corpus());
    QVERIFY(expected->RowCount() > 3);
    QCOMPARE(rowsOf(*window->Model()), rowsOf(*expected));
    QCOMPARE(window->CurrentRow(), 0);
    const concordance::ConcordanceTable& t = *window->Table();
    QCOMPARE(window->MemoCurSentence()->toPlainText(),
             QString::fromStdString(std::string(t.LeftContexts().View(0)) + " |" +
                                    std::string(t.Keywords().View(0)) + "| " +
                                    std::string(t.RightContexts().View(0))));
    // The dialog keeps its masks for the next search.
    QCOMPARE(workspace_->FormSearch()->ListBox1->count(), 1);
  }

  void overlongWordIsCutAndNamedOnceAfterTheBuild() {
    const QString path = dir_->filePath(QStringLiteral("long.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("A " + QByteArray(300, 'x') + " and then the walk. The walk went on.");
    file.close();
    workspace_->Corpus().Files.Clear();
    workspace_->Corpus().Files.Add(path.toStdString(), RootCollator());
    TFormConcordance* window = simpleSearch({QStringLiteral("walk")});
    QVERIFY(window != nullptr);
    // The words after the long one are still found.
    QCOMPARE(window->Table()->RowCount(), 2);
    QCOMPARE(messages_.size(), 1);
    QVERIFY(messages_[0].contains(path));
  }

  void advancedSearchShowsTheEnginesRows() {
    TFormSearchAdv* dialog = workspace_->FormSearchAdv();
    WhenShown(dialog, [dialog] {
      QTest::keyClicks(dialog->Edits[0], QStringLiteral("the"));
      QTest::keyClicks(dialog->Edits[1], QStringLiteral("*"));
      dialog->SpinButtonDownClick(0);
      QCOMPARE(dialog->LabelSpins[0]->text(), QStringLiteral("x"));
      dialog->SpinButtonUpClick(0);
      dialog->RadioButtons[1]->setChecked(true);
      dialog->ButtonOKClick();  // moves both masks
      QCOMPARE(dialog->ListBoxes[1]->count(), 1);
      dialog->ButtonOKClick();  // searches
    });
    frame_->MenuAdvancedSearchClick();
    workspace_->Runner().waitForIdle();
    TFormConcordance* window = lastWindow();
    QVERIFY(window != nullptr);
    QCOMPARE(window->windowTitle(), QStringLiteral("Concordance: the, *"));
    const search::SearchQuery query = dialog->Query();
    QCOMPARE(query.MiddleColumn, 2);
    auto expected = engineTable(query, workspace_->Corpus());
    QVERIFY(expected->RowCount() > 0);
    QCOMPARE(rowsOf(*window->Model()), rowsOf(*expected));
  }

  void cancelledOrEmptyDialogMakesNoWindow() {
    TFormSearch* dialog = workspace_->FormSearch();
    WhenShown(dialog, [dialog] { dialog->ButtonCancel->click(); });
    frame_->MenuSearchClick();
    WhenShown(dialog, [dialog] {
      dialog->ButtonClearAllClick();
      dialog->ButtonOKClick();  // nothing to search for
    });
    frame_->MenuSearchClick();
    QVERIFY(frame_->mdiArea()->subWindowList().isEmpty());
    QVERIFY(messages_.isEmpty());
    // A "Max. list size" that is no number: the message, and the window goes.
    WhenShown(dialog, [dialog] {
      QTest::keyClicks(dialog->Edit1, QStringLiteral("the"));
      dialog->ButtonOKClick();
      dialog->EditMaxListSize->setText(QStringLiteral("lots"));
      dialog->ButtonOKClick();
    });
    frame_->MenuSearchClick();
    workspace_->Runner().waitForIdle();
    QCOMPARE(messages_, QStringList{"'lots' is not a valid integer value"});
    QTRY_VERIFY(frame_->mdiArea()->subWindowList().isEmpty());
    dialog->EditMaxListSize->setText(QStringLiteral("10000"));
  }

  void modelFormatsCellsAndPassesTheTester() {
    TFormConcordance* window = simpleSearch({QStringLiteral("walk*")});
    ConcordanceModel* model = window->Model();
    QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(model->columnCount(), 5);
    QCOMPARE(model->data(model->index(0, 0)).toString(), QStringLiteral("1."));
    QCOMPARE(model->data(model->index(1, 0)).toString(), QStringLiteral("2."));
    auto align = [model](int c) {
      return model->data(model->index(0, c), Qt::TextAlignmentRole).value<Qt::Alignment>() &
             Qt::AlignHorizontal_Mask;
    };
    QCOMPARE(align(0), Qt::AlignRight);
    QCOMPARE(align(1), Qt::AlignRight);
    QCOMPARE(align(2), Qt::AlignHCenter);
    QCOMPARE(align(3), Qt::AlignLeft);
    QCOMPARE(align(4), Qt::AlignLeft);
    QVERIFY(model->data(model->index(0, 2), Qt::FontRole).value<QFont>().bold());
    QVERIFY(!model->headerData(0, Qt::Horizontal, Qt::DisplayRole).isValid());
    QVERIFY(!model->data(model->index(0, 3), ConcordanceModel::kTintedSpanRole).isValid());
    // A sort by the second word to the right tints that word.
    sortWith(window, true, 2);
    const QString right = model->cellText(0, 3);
    const QVariant span = model->data(model->index(0, 3), ConcordanceModel::kTintedSpanRole);
    if (span.isValid()) {
      const QPoint s = span.toPoint();
      QCOMPARE(s, QPoint(WordSpanFromKeyword(right, false, 2).first,
                         WordSpanFromKeyword(right, false, 2).second));
    }
    QCOMPARE(WordSpanFromKeyword(QStringLiteral("the quick, brown fox"), true, 2),
             std::make_pair(11, 5));
    QCOMPARE(WordSpanFromKeyword(QStringLiteral("over the lazy dog."), false, 3),
             std::make_pair(9, 4));
    QCOMPARE(WordSpanFromKeyword(QStringLiteral("over"), false, 2), std::make_pair(0, 0));
  }

  void sortClearPasteKeepPaneAndRowsInStep() {
    TFormConcordance* window = simpleSearch({QStringLiteral("the")});
    QAbstractItemModelTester tester(window->Model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    auto expected = engineTable(workspace_->FormSearch()->Query(), workspace_->Corpus());
    text::SilentProgressIndicator silent;
    concordance::SortConcordance(*expected, {false, false, 1},
                                 corpus::ScannerSets(workspace_->Corpus()), RootCollator(), silent);
    sortWith(window, false, 1);
    QVERIFY(window->Table()->TableSorted);
    QCOMPARE(rowsOf(*window->Model()), rowsOf(*expected));
    auto pane = [window](int row) {
      const concordance::ConcordanceTable& t = *window->Table();
      return QString::fromStdString(std::string(t.LeftContexts().View(row)) + " |" +
                                    std::string(t.Keywords().View(row)) + "| " +
                                    std::string(t.RightContexts().View(row)));
    };
    QCOMPARE(window->MemoCurSentence()->toPlainText(), pane(window->CurrentRow()));

    // Clear: rows 2 to 3 of any columns go; the old top row is selected.
    const int n = window->Table()->RowCount();
    QTableView* grid = window->Grid();
    grid->selectionModel()->select(
        QItemSelection(window->Model()->index(1, 2), window->Model()->index(2, 4)),
        QItemSelectionModel::ClearAndSelect);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Delete);
    QCOMPARE(window->Table()->RowCount(), n - 2);
    QCOMPARE(window->Model()->rowCount(), n - 2);
    QCOMPARE(window->SelectedRows(), std::make_pair(1, 1));
    QCOMPARE(window->MemoCurSentence()->toPlainText(), pane(1));

    // Paste: only one cell of a context column, and only with text.
    QApplication::clipboard()->setText(QStringLiteral("  a pasted\n  context "));
    grid->setCurrentIndex(window->Model()->index(1, 2));
    window->UpdateMenus();
    QVERIFY(!window->Action(QStringLiteral("MenuPaste"))->isEnabled());
    grid->setCurrentIndex(window->Model()->index(1, 1));
    QVERIFY(window->CanPaste());
    window->UpdateMenus();
    QVERIFY(window->Action(QStringLiteral("MenuPaste"))->isEnabled());
    QVERIFY(window->Action(QStringLiteral("MenuPopupPaste"))->isEnabled());
    QCOMPARE(window->Action(QStringLiteral("MenuPaste"))->shortcut(),
             QKeySequence(Qt::SHIFT | Qt::Key_Insert));
    window->Action(QStringLiteral("MenuPaste"))->trigger();
    QCOMPARE(window->Model()->cellText(1, 1), QStringLiteral("a pasted context"));
    QCOMPARE(window->MemoCurSentence()->toPlainText(), pane(1));
    QVERIFY(
        window->MemoCurSentence()->toPlainText().startsWith(QStringLiteral("a pasted context |")));
    QApplication::clipboard()->clear();
    QVERIFY(!window->CanPaste());

    // Clearing everything leaves an empty pane.
    grid->selectAll();
    window->MenuClearClick();
    QCOMPARE(window->Model()->rowCount(), 0);
    QCOMPARE(window->MemoCurSentence()->toPlainText(), QString());
  }

  void editMenuAndPopupHoldTheSameCommands() {
    TFormConcordance* window = simpleSearch({QStringLiteral("walk")});
    QCOMPARE(window->MergedMenus().size(), 1);
    QMenu* edit = window->MergedMenus().front();
    QCOMPARE(edit->title(), QStringLiteral("&Edit"));
    QCOMPARE(edit->property(kMenuGroupProperty).toInt(), 1);
    QCOMPARE(HelpContextOf(edit), 11);
    QStringList captions;
    for (QAction* a : edit->actions()) captions << (a->isSeparator() ? "-" : a->text());
    // The entries appended after these are tested with their commands.
    QCOMPARE(captions.mid(0, 13),
             (QStringList{
                 "Copy...", "Paste", "Clear", "&Sort...", "-", "&Delete duplicate sentences",
                 "Display s&ource text", "Display stripped source text", "S&tatistics...",
                 "&Frequency of collocates...", "-", "S&how current sentence", "S&ave settings"}));
    QCOMPARE(window->Action("MenuCopy")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Insert));
    QCOMPARE(window->Action("MenuClear")->shortcut(), QKeySequence(Qt::Key_Delete));
    for (const char* name : {"MenuCopy", "MenuClear", "MenuDeleteDuplicate", "MenuDisplaySource"})
      QCOMPARE(window->Action(name)->property(kHelpContextProperty).toInt(), 11);
    QCOMPARE(HelpContextOf(window->Grid()), 5);
    // The corpus is not tagged: no stripped source display.
    QVERIFY(!window->Action("MenuDisplaystrippedsource")->isVisible());
    QVERIFY(!window->Action("MenuDisplaystrippedtext")->isVisible());
    // Both check marks follow the pane.
    window->Action("MenuPopupCurrentSentence")->trigger();
    QVERIFY(!window->SentenceShown());
    QVERIFY(!window->Action("MenuCurrentSentence")->isChecked());
    window->Action("MenuCurrentSentence")->trigger();
    QVERIFY(window->SentenceShown());
    QVERIFY(window->Action("MenuPopupCurrentSentence")->isChecked());
    QVERIFY(!window->MemoCurSentence()->toPlainText().isEmpty());

    corpus::OpenListFile(LEXVANE_SAMPLES_DIR "/tagged.CTL", workspace_->Corpus(), RootCollator(),
                         workspace_->Ui());
    TFormConcordance* tagged = simpleSearch({QStringLiteral("*")});
    QVERIFY(tagged->Table()->TaggedText);
    QVERIFY(tagged->Action("MenuDisplaystrippedsource")->isVisible());
    QVERIFY(tagged->Action("MenuDisplaystrippedtext")->isVisible());
  }

  void deleteDuplicatesReportsAndKeepsOneRowPerSentence() {
    TFormConcordance* window = simpleSearch({QStringLiteral("t*")});
    const int n = window->Table()->RowCount();
    int rowsShownWithTheMessage = -1;
    workspace_->Ui().setAnswerer([&](const Question& q) {
      messages_ << q.text;
      rowsShownWithTheMessage = window->Model()->rowCount();
      return text::Answer::Ok;
    });
    window->MenuDeleteDuplicateClick();
    workspace_->Runner().waitForIdle();
    const int kept = window->Table()->RowCount();
    QVERIFY(kept < n);
    QCOMPARE(messages_, QStringList{QString::number(n - kept) +
                                    " duplicate sentences were found and deleted."});
    QCOMPARE(window->Model()->rowCount(), kept);
    QCOMPARE(rowsShownWithTheMessage, kept);  // the grid has the table back by then
    for (int a = 0; a < kept; ++a)
      for (int b = a + 1; b < kept; ++b) QVERIFY(!window->Table()->SameSentence(a, b));
  }

  void savedSettingsShapeLaterWindows() {
    TFormConcordance* first = simpleSearch({QStringLiteral("the")});
    QCOMPARE(first->Grid()->columnWidth(1), 185);
    QVERIFY(first->SentenceShown());
    first->Grid()->setColumnWidth(0, 40);
    first->Grid()->setColumnWidth(1, 300);
    first->MenuCurrentSentenceClick();
    QVERIFY(!first->Action(QStringLiteral("MenuPopupCurrentSentence"))->isChecked());
    first->parentWidget()->showMaximized();
    first->MenuSaveSettingsClick();
    QVERIFY(messages_.isEmpty());
    const auto saved = concordance::LoadConcordanceWindowSettings(concordance::SettingsFilePath());
    QCOMPARE(saved.ColWidths[0], 40);
    QCOMPARE(saved.ColWidths[1], 300);
    QVERIFY(!saved.ShowCurSent);
    QVERIFY(saved.Maximized);

    TFormConcordance* second = simpleSearch({QStringLiteral("house")});
    QVERIFY(second != first);
    QCOMPARE(second->Grid()->columnWidth(1), 300);
    QVERIFY(!second->SentenceShown());
    QVERIFY(!second->Action(QStringLiteral("MenuCurrentSentence"))->isChecked());
    QVERIFY(second->parentWidget()->isMaximized());
    QCOMPARE(second->MemoCurSentence()->toPlainText(), QString());

    // A settings file that cannot be written (a folder stands in its place).
    const QString blocked = dir_->filePath(QStringLiteral("folder.ini"));
    QVERIFY(QDir().mkpath(blocked));
    qputenv("LEXVANE_SETTINGS", blocked.toLocal8Bit());
    second->MenuSaveSettingsClick();
    QCOMPARE(messages_, QStringList{QStringLiteral("Unable to write to ") + blocked});
  }

  void cancelDuringScanOrSortLeavesAConsistentWindow() {
    // A file that cannot be opened stands between the second and the third;
    // Cancel is pressed while its message is up.
    const std::string missing = LEXVANE_SAMPLES_DIR "/n_missing.txt";
    workspace_->Corpus().Files.Add(missing, RootCollator());
    workspace_->Ui().setAnswerer([this](const Question& q) {
      messages_ << q.text;
      workspace_->FormSearchInd()->ButtonCancelClick();
      return text::Answer::Ok;
    });
    TFormConcordance* cancelled = simpleSearch({QStringLiteral("the")});
    QCOMPARE(messages_.size(), 1);
    QVERIFY(cancelled != nullptr && cancelled->Built());
    QVERIFY(!cancelled->Table()->SearchComplete);
    QCOMPARE(cancelled->Model()->rowCount(), cancelled->Table()->RowCount());
    QVERIFY(cancelled->Table()->RowCount() > 0);
    for (int r = 0; r < cancelled->Table()->RowCount(); ++r)
      QVERIFY(cancelled->Table()->Info(r).FileIndex < 2);
    const corpus::FileList files = workspace_->Corpus().Files;
    workspace_->Corpus().Files.Clear();
    for (const std::string& path : files.Paths())
      if (path != missing) workspace_->Corpus().Files.Add(path, RootCollator());
    workspace_->Ui().setAnswerer([this](const Question& q) {
      messages_ << q.text;
      return text::Answer::Ok;
    });

    TFormConcordance* window = simpleSearch({QStringLiteral("*")});
    QVERIFY(window->Table()->RowCount() > 200);
    const QStringList before = rowsOf(*window->Model());
    TFormSortConcord* sort = workspace_->FormSortConcord();
    WhenShown(sort, [sort] { sort->Button1->click(); });
    QSemaphore aborted;
    workspace_->SetOperationHook([&aborted] { aborted.acquire(); });
    bool nextCalled = false;
    window->SortThen([&](bool sorted) {
      nextCalled = true;
      QVERIFY(!sorted);
    });
    QCOMPARE(window->Model()->rowCount(), 0);  // the grid lets go meanwhile
    workspace_->Runner().abort();              // as Cancel does
    aborted.release();
    workspace_->Runner().waitForIdle();
    workspace_->SetOperationHook({});
    QVERIFY(nextCalled);
    QVERIFY(!window->Table()->TableSorted);
    QCOMPARE(rowsOf(*window->Model()), before);
  }
};

QTEST_MAIN(ConcordanceWindowTest)
#include "concordance_window_test.moc"
