// The keyword window over the sample corpus: the Tools menu entry and tool
// bar button after the first ones, the dialog, the window's grid (the
// engine's list, cell for cell), sort, statistics, copy, the double click,
// and a reference that is no reference closing the window with a message.
#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include "frequency_test_support.h"
#include "gui/app/form_main.h"
#include "gui/base/text_codec.h"
#include "gui/common/export_command.h"
#include "gui/common/form_copy_freq.h"
#include "gui/common/form_stat.h"
#include "gui/common/frequency_copy_command.h"
#include "gui/help/help.h"
#include "gui/keywords/form_keyword_query.h"
#include "gui/keywords/form_keywords.h"
#include "gui/keywords/form_sort_keywords.h"
#include "gui/keywords/keyword_model.h"
#include "gui/runner/operation_runner.h"
#include "gui/search/form_search.h"
#include "keywords/keyword_command.h"
#include "tools/root_collator.h"

using namespace lexvane;
using namespace lexvane::gui;
using namespace lexvane::gui::testing;

namespace {

// A published list of a seaside corpus, with a heading.
constexpr char kReference[] =
    "word\tfrequency\n"
    "the\t500\nsea\t40\nhouse\t1\nA\t10\nharbour\t22\nboats\t9\ntide\t7\n";

struct Fixture {
  FrequencyFixture f;
  QTemporaryDir dir;
  QString reference = dir.filePath(QStringLiteral("seaside.txt"));

  Fixture() {
    QFile file(reference);
    file.open(QIODevice::WriteOnly);
    file.write(kReference);
  }
  // The dialog confirmed with `choose` run first.
  TFormKeywords* make(const std::function<void(TFormKeywordQuery*)>& choose = {}) {
    TFormKeywordQuery* dialog = f.workspace->FormKeywordQuery();
    WhenShown(dialog, [this, dialog, choose] {
      dialog->EditReference->setText(reference);
      if (choose) choose(dialog);
      dialog->ButtonOK->click();
    });
    auto* window = static_cast<TFormKeywords*>(CreateKeywordWindow(*f.workspace, nullptr));
    f.workspace->Runner().waitForIdle();
    return window;
  }
  std::unique_ptr<keywords::KeywordList> expected(const keywords::KeywordOptions& options) {
    QuietHost quiet;
    frequency::WordCountsCache cache;
    keywords::KeywordRequest request{f.workspace->Corpus(), ToPath(reference), options};
    return keywords::BuildKeywordList(request, cache, RootCollator(), quiet.host).List;
  }
};

}  // namespace

class KeywordWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init() { InitGuiResources(); }

  void theToolsEntryAndButtonFollowTheFirstOnes() {
    Workspace workspace{text::Collator("root")};
    TFormMain frame(workspace);
    QMenu* tools = frame.findChild<QMenu*>("MenuBuild");
    QCOMPARE(tools->actions().last()->text(), QStringLiteral("Keyword list..."));
    QCOMPARE(tools->actions().last()->property(kHelpContextProperty).toInt(), 101);
    QStringList buttons;
    for (QAction* a : frame.findChild<QToolBar*>("ToolBar")->actions())
      if (!a->isSeparator() && !a->objectName().isEmpty()) buttons << a->objectName();
    QCOMPARE(buttons.indexOf("SpeedButtonKeywordList"), buttons.indexOf("SpeedButtonStat") + 1);
    // Enabled as "Build word frequency list" is: with corpus files.
    frame.UpdateButtons();
    QVERIFY(!frame.action("SpeedButtonKeywordList")->isEnabled());
    workspace.Corpus().Files.Add("/corpus/a.txt", RootCollator());
    frame.UpdateButtons();
    QVERIFY(frame.action("SpeedButtonKeywordList")->isEnabled());
    QVERIFY(frame.action("MenuKeywordList")->isEnabled());
  }

  void theDialogNeedsAReferenceAndBrowsesForOne() {
    FrequencyFixture f;
    TFormKeywordQuery* dialog = f.workspace->FormKeywordQuery();
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Keyword list"));
    QCOMPARE(HelpContextOf(dialog), 101);
    QVERIFY(!dialog->ButtonOK->isEnabled());
    f.workspace->Choosers().Reference = [](QWidget*) { return QStringLiteral("/refs/bnc.txt"); };
    dialog->ButtonBrowse->click();
    QCOMPARE(dialog->EditReference->text(), QStringLiteral("/refs/bnc.txt"));
    QVERIFY(dialog->ButtonOK->isEnabled());
    QCOMPARE(dialog->ReferencePath(), std::string("/refs/bnc.txt"));
    // The defaults: positive keywords at p < 0.05, frequency 1, by LL.
    const keywords::KeywordOptions options = dialog->Options();
    QVERIFY(options.Positive && !options.Negative);
    QCOMPARE(*options.MinLogLikelihood, 3.84);
    QCOMPARE(options.MinFrequency, std::int64_t{1});
    dialog->RadioBoth->setChecked(true);
    dialog->ComboSignificance->setCurrentIndex(dialog->ComboSignificance->count() - 1);
    QVERIFY(dialog->Options().Positive && dialog->Options().Negative);
    QVERIFY(!dialog->Options().MinLogLikelihood.has_value());
    for (QWidget* w : std::initializer_list<QWidget*>{
             dialog->EditReference, dialog->ButtonBrowse, dialog->RadioPositive,
             dialog->RadioNegative, dialog->RadioBoth, dialog->ComboSignificance,
             dialog->SpinMinFrequency, dialog->ComboSort, dialog->ButtonOK, dialog->ButtonCancel,
             dialog->ButtonHelp})
      QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
  }

  void theWindowShowsTheEnginesList() {
    Fixture x;
    std::unique_ptr<TFormKeywords> window(x.make([](TFormKeywordQuery* d) {
      d->RadioBoth->setChecked(true);
      d->SpinMinFrequency->setValue(2);
    }));
    QVERIFY(window != nullptr);
    QVERIFY(window->List() != nullptr);
    QCOMPARE(window->windowTitle(), QStringLiteral("Keyword list against seaside.txt"));
    QAbstractItemModelTester tester(window->Model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    keywords::KeywordOptions options = x.f.workspace->FormKeywordQuery()->Options();
    const auto expected = x.expected(options);
    const KeywordModel& model = *window->Model();
    QCOMPARE(model.rowCount(), expected->Count());
    QVERIFY(model.rowCount() > 10);
    QCOMPARE(model.columnCount(), keywords::kKeywordColumns - 1);
    for (int c = 1; c < keywords::kKeywordColumns; ++c)
      QCOMPARE(model.headerData(c - 1, Qt::Horizontal).toString(),
               FromAnsi(expected->CellText(c, 0)));
    for (int r = 1; r <= expected->Count(); ++r)
      for (int c = 1; c < keywords::kKeywordColumns; ++c)
        QCOMPARE(model.index(r - 1, c - 1).data().toString(), FromAnsi(expected->CellText(c, r)));
    // The reference's 'the' (500 of 589 words) makes it the strongest
    // negative keyword.
    QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("the"));
    QCOMPARE(model.index(0, 1).data().toString(), QStringLiteral("-"));

    // Sort alphabetically through the dialog.
    TFormSortKeywords* sort = x.f.workspace->FormSortKeywords();
    WhenShown(sort, [sort] {
      sort->Items[2]->setChecked(true);
      sort->Button1->click();
    });
    window->MenuSortClick();
    x.f.workspace->Runner().waitForIdle();
    expected->Sort(keywords::KeywordSort::Word, *std::make_unique<text::SilentProgressIndicator>());
    for (int r = 1; r <= expected->Count(); ++r)
      QCOMPARE(model.index(r - 1, 0).data().toString(), FromAnsi(expected->CellText(1, r)));

    // Statistics: both sizes, the types compared and the keywords found.
    TFormStat* stat = x.f.workspace->FormStat();
    QStringList rows;
    WhenShown(stat, [&] {
      for (int i = 0; i < 5; ++i)
        rows << stat->CaptionLabels[i]->text() + stat->ValueLabels[i]->text().remove(' ');
      stat->ButtonOK->click();
    });
    window->MenuStatisticsClick();
    QCOMPARE(rows[1], QStringLiteral("Reference corpus words:589"));
    QCOMPARE(rows[2].left(15), QStringLiteral("Types compared:"));

    // A double click puts the word into the word search list.
    TFormSearch* search = x.f.workspace->FormSearch();
    search->Model().Masks.clear();
    search->ListBox1->clear();
    window->DrawGrid1DblClick(model.index(3, 5));
    QCOMPARE(search->ListBox1->count(), 1);
    QCOMPARE(search->ListBox1->item(0)->text(), model.index(3, 0).data().toString());
  }

  void copiesTheLinesWithoutTheFrequencyTablesOptions() {
    Fixture x;
    std::unique_ptr<TFormKeywords> window(x.make());
    TFormCopyFreq* dialog = x.f.workspace->FormCopyFreq();
    bool noTableOption = false;
    WhenShown(dialog, [&] {
      noTableOption =
          !dialog->SaveWordListOnly->isVisible() && !dialog->CheckBoxZeroToSpace->isVisible();
      dialog->CheckBoxToFile->setChecked(false);
      dialog->CheckBoxSelectedOnly->setChecked(false);
      dialog->EditDelimiter->setText(QStringLiteral("\t"));
      dialog->Button1->click();
    });
    window->MenuCopyClick();
    x.f.workspace->Runner().waitForIdle();
    QVERIFY(noTableOption);
    std::string lines;
    for (std::int32_t i = 0; i < window->List()->Count(); ++i)
      lines += window->List()->Line(i, "\t");
    QCOMPARE(QGuiApplication::clipboard()->text(), FromAnsi(lines));
    dialog->EditDelimiter->setText(QStringLiteral("|"));
  }

  void exportsTheRowsAsShownFromItsLastEditEntry() {
    Fixture x;
    std::unique_ptr<TFormKeywords> window(x.make());
    QCOMPARE(window->MenuEdit->actions().last()->text(), QStringLiteral("Export..."));
    const QString file = x.dir.filePath(QStringLiteral("keywords.csv"));
    x.f.workspace->Choosers().Export = [file](QWidget*, const QString& suggested) {
      return std::optional<ExportTarget>(ExportTarget{
          suggested == QStringLiteral("keywords") ? file : QString(), ExportFilterOptions(0)});
    };
    window->MenuEdit->actions().last()->trigger();
    x.f.workspace->Runner().waitForIdle();
    QFile written(file);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(written.readAll()).split(QStringLiteral("\r\n"));
    QCOMPARE(
        lines[0],
        QStringLiteral("Word,Key,F,Ref. F,F per million,Ref. F per million,LL,Log Ratio,%DIFF"));
    QCOMPARE(lines.size(), window->List()->Count() + 2);  // and the empty end
    const std::string first = window->List()->Line(0, ",");
    QCOMPARE(lines[1], FromAnsi(first.substr(0, first.size() - 2)));
  }

  void aFileThatIsNoReferenceClosesTheWindowWithAMessage() {
    Fixture x;
    QFile file(x.reference);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write("Dear Anna, the boats came in late tonight.\n");
    file.close();
    QStringList shown;
    x.f.workspace->Ui().setAnswerer([&](const Question& q) {
      shown << q.text;
      return text::Answer::Ok;
    });
    QPointer<TFormKeywords> window(x.make());
    QVERIFY(!window.isNull());
    QTRY_VERIFY(window.isNull() || !window->isVisible());
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown[0].contains(QStringLiteral("is neither a list file")));
    QVERIFY(window.isNull() || window->List() == nullptr);
    delete window.data();
  }

  void theActiveKeywordWindowTakesTheRoutedCopySortAndStatistics() {
    Fixture x;
    TFormMain frame(*x.f.workspace);
    std::unique_ptr<TFormKeywords> made(x.make());
    QMdiSubWindow* sub = frame.AddChildWindow(made.release());
    frame.mdiArea()->setActiveSubWindow(sub);
    frame.UpdateButtons();
    QCOMPARE(frame.activeKind(), ActiveKind::Keywords);
    QVERIFY(frame.action("SpeedButtonCopy")->isEnabled());
    QVERIFY(frame.action("SpeedButtonSort")->isEnabled());
    QVERIFY(frame.action("SpeedButtonStat")->isEnabled());
    QVERIFY(!frame.action("SpeedButtonClear")->isEnabled());
  }
};

QTEST_MAIN(KeywordWindowTest)
#include "keyword_window_test.moc"
