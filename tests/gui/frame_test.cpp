// The main window: the enabled state of every menu item and tool bar button
// for each kind of active window and corpus, routing of the tool bar commands
// to the active child window by its class, the window menu and the merge of a
// child window's menus.
#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include <atomic>
#include <vector>

#include "gui/app/form_main.h"
#include "gui/app/workspace.h"
#include "gui/corpus/form_file_list.h"
#include "gui/help/help.h"
#include "gui/runner/form_search_ind.h"
#include "gui/runner/gui_user_interface.h"
#include "gui/runner/operation_runner.h"
#include "stand_in_windows.h"
#include "tools/root_collator.h"

using namespace lexvane;
using namespace lexvane::gui;
using namespace lexvane::gui::testing;

namespace {

const QStringList kMenuRules = {"MenuSavelist", "MenuSavelistas", "MenuSearch",
                                "MenuAdvancedSearch", "MenuBuildfrequencylist"};
const QStringList kAlways = {"MenuNewlist",
                             "MenuOpenlist",
                             "MenuExit",
                             "MenuEditFileList",
                             "MenuTile",
                             "MenuCascade",
                             "MenuArrangeicons",
                             "Contents1",
                             "MenuAbout",
                             "SpeedButtonFileNew",
                             "SpeedButtonFileOpen",
                             "SpeedButtonEditList"};
const QStringList kRouted = {
    "SpeedButtonCFreq",  "SpeedButtonCopy",    "SpeedButtonClear",           "SpeedButtonSort",
    "SpeedButtonDelDup", "SpeedButtonShowSrc", "SpeedButtonShowScrStripped", "SpeedButtonStat"};

ChildWindow* makeWindow(const QString& kind) {
  if (kind == "concordance") return new StandInConcordance;
  if (kind == "source") return new StandInSource;
  if (kind == "stripped") return new StandInSourceStripped;
  if (kind == "wordfreq") return new StandInWordFreq;
  if (kind == "colloc") return new StandInCollocFreq;
  if (kind == "other") return new OtherWindow;
  return nullptr;
}

}  // namespace

class FrameTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<Workspace> workspace_;
  std::unique_ptr<TFormMain> frame_;

  bool enabled(const QString& name) {
    QAction* a = frame_->action(name);
    if (a == nullptr) qFatal("no action %s", qPrintable(name));
    return a->isEnabled();
  }
  void activate(ChildWindow* w) {
    QMdiSubWindow* sub = frame_->AddChildWindow(w);
    frame_->mdiArea()->setActiveSubWindow(sub);
    frame_->UpdateButtons();
  }
  void setFiles(int n) {
    workspace_->Corpus().Files.Clear();
    for (int i = 0; i < n; ++i)
      workspace_->Corpus().Files.Add("/corpus/f" + std::to_string(i), RootCollator());
  }

 private Q_SLOTS:
  void init() {
    workspace_ = std::make_unique<Workspace>(text::Collator("root"));
    workspace_->Help().SetObserver([](int) {});
    workspace_->Ui().setAnswerer([](const Question&) { return text::Answer::Ok; });
    frame_ = std::make_unique<TFormMain>(*workspace_);
    frame_->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
    calls().clear();
  }
  void cleanup() {
    frame_.reset();
    workspace_.reset();
  }

  void mainWindowTitleSizeMenusAndHints() {
    QCOMPARE(frame_->windowTitle(), QStringLiteral("Lexvane"));
    QCOMPARE(frame_->size(), QSize(640, 400));
    QStringList captions;
    for (QAction* a : frame_->menuBar()->actions()) captions << a->text();
    QCOMPARE(captions, QStringList({"&File", "&Tools", "&Window", "&Help"}));
    for (QAction* a : frame_->findChildren<QAction*>())
      QVERIFY2(a->shortcut().isEmpty() || a->objectName().isEmpty(), qPrintable(a->objectName()));
    // The first buttons, then the later ones.
    const QStringList hints = {
        "New file list", "Open file list...", "Save file list...", "Edit file list...",
        "Word search...", "Advanced word search...", "Build collocate frequency list.",
        "Build word frequency list.", "Copy...", "Clear", "Sort...", "Delete duplicate sentences",
        "Display source text", "Display stripped source text", "Statistics...",
        // Added after the first buttons.
        "Keyword list...", "Concordance plot..."};
    QStringList got;
    for (QAction* a : frame_->findChild<QToolBar*>("ToolBar")->actions())
      if (!a->isSeparator() && a->objectName().startsWith("SpeedButton")) got << a->toolTip();
    QCOMPARE(got, hints);
  }

  void everyMenuItemWithItsCaptionGroupAndHelpContext() {
    // name, caption ("-" for a separator), help context; the top level with
    // its group index.
    struct Item {
      const char* name;
      const char* caption;
      int context;
    };
    struct Menu {
      const char* name;
      const char* caption;
      int group;
      int context;
      std::vector<Item> items;
    };
    const std::vector<Menu> menus = {
        {"MenuFile",
         "&File",
         0,
         10,
         {{"MenuNewlist", "&New list", 10},
          {"MenuOpenlist", "&Open list...", 10},
          {"MenuSavelist", "&Save list", 10},
          {"MenuSavelistas", "Sav&e list as...", 10},
          {"MenuSeparator1", "-", 0},
          {"MenuExit", "Exit", 10}}},
        {"MenuBuild",
         "&Tools",
         3,
         12,
         {{"MenuEditFileList", "Edit file list...", 12},
          {"N2", "-", 0},
          {"MenuSearch", "Word search...", 12},
          {"MenuAdvancedSearch", "Advanced word search...", 0},
          {"N1", "-", 0},
          {"MenuBuildfrequencylist", "Build word frequency list", 0},
          // Later commands, after the first items.
          {"MenuNGramList", "N-gram list...", 120},
          {"MenuKeywordList", "Keyword list...", 101}}},
        {"MenuWindow",
         "&Window",
         4,
         13,
         {{"MenuTile", "&Tile", 13},
          {"MenuCascade", "&Cascade", 13},
          {"MenuArrangeicons", "&Arrange icons", 13}}},
        {"MenuHelp",
         "&Help",
         5,
         0,
         {{"Contents1", "Contents", 0}, {"MenuSeparator2", "-", 0}, {"MenuAbout", "&About", 0}}},
    };
    const QList<QAction*> bar = frame_->menuBar()->actions();
    QCOMPARE(bar.size(), qsizetype(menus.size()));
    for (std::size_t m = 0; m < menus.size(); ++m) {
      QAction* top = bar[static_cast<qsizetype>(m)];
      QCOMPARE(top->objectName(), QString(menus[m].name));
      QCOMPARE(top->text(), QString(menus[m].caption));
      QCOMPARE(top->property(kMenuGroupProperty).toInt(), menus[m].group);
      QCOMPARE(top->property(kHelpContextProperty).toInt(), menus[m].context);
      const QList<QAction*> items = top->menu()->actions();
      // Entries appended after these are tested with their commands.
      QVERIFY(items.size() >= qsizetype(menus[m].items.size()));
      for (std::size_t i = 0; i < menus[m].items.size(); ++i) {
        const Item& want = menus[m].items[i];
        QAction* a = items[static_cast<qsizetype>(i)];
        QCOMPARE(a->objectName(), QString(want.name));
        QCOMPARE(a->isSeparator(), QString(want.caption) == "-");
        if (a->isSeparator()) continue;
        QCOMPARE(a->text(), QString(want.caption));
        QCOMPARE(a->property(kHelpContextProperty).toInt(), want.context);
        QVERIFY2(a->shortcut().isEmpty(), want.name);
      }
    }
    // An empty corpus at start: the save items are disabled.
    QVERIFY(!enabled("MenuSavelist"));
    QVERIFY(!enabled("MenuSavelistas"));
  }

  void openingAMenuRecomputesItsItems() {
    QMenu* file = frame_->findChild<QMenu*>("MenuFile");
    QMenu* tools = frame_->findChild<QMenu*>("MenuBuild");
    setFiles(1);  // no idle pass has run yet
    QVERIFY(!enabled("MenuSavelist"));
    Q_EMIT file->aboutToShow();
    QVERIFY(enabled("MenuSavelist") && enabled("MenuSavelistas"));
    setFiles(0);
    Q_EMIT tools->aboutToShow();
    QVERIFY(!enabled("MenuSearch") && !enabled("MenuAdvancedSearch"));
    QVERIFY(!enabled("MenuBuildfrequencylist"));
  }

  void closingTheProgramStopsARunningOperationWithoutFurtherPrompts() {
    QStringList asked;
    workspace_->Ui().setAnswerer([&](const Question& q) {
      asked << q.text;
      return text::Answer::Ok;
    });
    activate(new StandInConcordance);
    std::atomic<bool> started{false};
    bool done = false;
    workspace_->Runner().start(
        [&](text::OperationHost& host) {
          host.search.Start("Words found:");
          started = true;
          while (!host.search.Cancelled()) QThread::msleep(1);
          host.ui.Ask("Error", "/corpus/f1: No such file or directory", text::Buttons::Ok,
                      text::Icon::Error);
        },
        [&](bool) { done = true; });
    QTRY_VERIFY(started.load());
    QVERIFY(frame_->close());
    QVERIFY(!workspace_->Runner().busy());
    QVERIFY(done);
    QVERIFY(asked.isEmpty());
    QTRY_VERIFY(frame_->mdiArea()->subWindowList().isEmpty());
    QVERIFY(!workspace_->FormSearchInd()->isVisible());
  }

  void enabledStates_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("files");
    QTest::addColumn<bool>("tagged");
    QTest::addColumn<QStringList>("routedOn");
    for (int files : {0, 2}) {
      for (bool tagged : {false, true}) {
        auto row = [&](const char* kind, QStringList on) {
          QTest::addRow("%s files=%d tagged=%d", kind, files, tagged)
              << QString(kind) << files << tagged << on;
        };
        row("none", {});
        row("other", {});
        QStringList conc = {"SpeedButtonCFreq", "SpeedButtonCopy",   "SpeedButtonClear",
                            "SpeedButtonSort",  "SpeedButtonDelDup", "SpeedButtonShowSrc",
                            "SpeedButtonStat"};
        if (tagged) conc << "SpeedButtonShowScrStripped";
        row("concordance", conc);
        row("source", {"SpeedButtonCopy"});
        row("stripped", {"SpeedButtonCopy"});
        row("wordfreq",
            {"SpeedButtonCopy", "SpeedButtonClear", "SpeedButtonSort", "SpeedButtonStat"});
        row("colloc", {"SpeedButtonCopy", "SpeedButtonClear", "SpeedButtonSort"});
      }
    }
  }
  void enabledStates() {
    QFETCH(QString, kind);
    QFETCH(int, files);
    QFETCH(bool, tagged);
    QFETCH(QStringList, routedOn);
    setFiles(files);
    workspace_->Corpus().TaggedText = tagged;
    if (ChildWindow* w = makeWindow(kind)) activate(w);
    frame_->UpdateButtons();
    for (const QString& name : kAlways) QVERIFY2(enabled(name), qPrintable(name));
    for (const QString& name : kMenuRules) QCOMPARE(enabled(name), files > 0);
    for (const char* name : {"SpeedButtonFileSave", "SpeedButtonSearch", "SpeedButtonAdvSearch",
                             "SpeedButtonFreqList"})
      QCOMPARE(enabled(name), files > 0);
    for (const QString& name : kRouted)
      QVERIFY2(enabled(name) == routedOn.contains(name), qPrintable(name));
  }

  void modalDialogDisablesRoutedButtons() {
    setFiles(1);
    activate(new StandInConcordance);
    QVERIFY(enabled("SpeedButtonSort"));
    QDialog modal(frame_.get());
    bool checked = false;
    QTimer::singleShot(0, &modal, [&] {
      frame_->UpdateButtons();
      for (const QString& name : kRouted) QVERIFY2(!enabled(name), qPrintable(name));
      checked = true;
      modal.reject();
    });
    modal.exec();
    QVERIFY(checked);
    // The focus comes back to the frame through the window system.
    QTRY_VERIFY((frame_->UpdateButtons(), enabled("SpeedButtonSort")));
  }

  void taggedOffDisablesStrippedSourceAtOnce() {
    setFiles(1);
    workspace_->Corpus().TaggedText = true;
    activate(new StandInConcordance);
    QVERIFY(enabled("SpeedButtonShowScrStripped"));
    workspace_->FormFileList()->WhenShow();
    workspace_->FormFileList()->TaggedText->click();  // the check box, not the model
    QVERIFY(!workspace_->Corpus().TaggedText);
    QVERIFY(!enabled("SpeedButtonShowScrStripped"));
  }

  void runningOperationDisablesScansAndTablePasses() {
    setFiles(1);
    activate(new StandInConcordance);
    std::atomic<bool> release{false};
    workspace_->Runner().start([&](text::OperationHost& host) {
      while (!release.load() && !host.search.Cancelled()) QThread::msleep(1);
    });
    for (const char* name : {"MenuSearch", "MenuAdvancedSearch", "MenuBuildfrequencylist",
                             "SpeedButtonSearch", "SpeedButtonCFreq", "SpeedButtonSort",
                             "SpeedButtonClear", "SpeedButtonDelDup", "SpeedButtonCopy"})
      QVERIFY2(!enabled(name), name);
    QVERIFY(enabled("SpeedButtonShowSrc"));
    QVERIFY(enabled("SpeedButtonStat"));
    release.store(true);
    workspace_->Runner().waitForIdle();
    QVERIFY(enabled("SpeedButtonSort"));
    QVERIFY(enabled("MenuSearch"));
  }

  void routing_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("concordance") << "concordance"
                                 << QStringList{"TFormConcordance::MenuCopyClick",
                                                "TFormConcordance::MenuClearClick",
                                                "TFormConcordance::MenuSortClick",
                                                "TFormConcordance::MenuStatisticsClick",
                                                "TFormConcordance::MenuDeleteDuplicateClick",
                                                "TFormConcordance::MenuDisplaySourceClick",
                                                "TFormConcordance::MenuDisplaystrippedsourceClick",
                                                "TFormConcordance::MenuFrequenciesClick"};
    QTest::newRow("source") << "source" << QStringList{"TFormSource::Copy1Click"};
    QTest::newRow("stripped") << "stripped" << QStringList{"TFormSourceStripped::Copy1Click"};
    QTest::newRow("wordfreq") << "wordfreq"
                              << QStringList{"TFormWordFreq::MenuCopyClick",
                                             "TFormWordFreq::MenuClearClick",
                                             "TFormWordFreq::MenuSortClick",
                                             "TFormWordFreq::MenuStatisticsClick"};
    QTest::newRow("colloc") << "colloc"
                            << QStringList{"TFormCollocFreq::MenuCopyClick",
                                           "TFormCollocFreq::MenuClearClick",
                                           "TFormCollocFreq::MenuSortClick"};
    QTest::newRow("other") << "other" << QStringList{};
  }
  void routing() {
    QFETCH(QString, kind);
    QFETCH(QStringList, expected);
    // An older window of another kind stays behind the active one.
    activate(new StandInConcordance);
    activate(makeWindow(kind));
    calls().clear();
    // The handlers called directly, as a disabled button never fires.
    frame_->SpeedButtonCopyClick();
    frame_->SpeedButtonClearClick();
    frame_->MenuSortClick();
    frame_->SpeedButtonStatClick();
    frame_->SpeedButtonDelDupClick();
    frame_->SpeedButtonShowSrcClick();
    frame_->SpeedButtonShowScrStrippedClick();
    frame_->SpeedButtonCFreqClick();
    QCOMPARE(calls(), expected);
  }

  void toolBarButtonReachesTheActiveWindow() {
    setFiles(1);
    activate(new StandInWordFreq);
    activate(new StandInConcordance);
    calls().clear();
    QTest::mouseClick(frame_->findChild<QToolButton*>("SpeedButtonSort"), Qt::LeftButton);
    QCOMPARE(calls(), QStringList{"TFormConcordance::MenuSortClick"});
  }

  void windowMenuListsAndActivatesChildWindows() {
    auto* first = new StandInConcordance;
    auto* second = new StandInWordFreq;
    activate(first);
    activate(second);
    QMenu* menu = frame_->findChild<QMenu*>("MenuWindow");
    Q_EMIT menu->aboutToShow();
    QStringList items;
    QAction* firstItem = nullptr;
    for (QAction* a : menu->actions()) {
      if (a->isSeparator()) continue;
      items << a->text();
      if (a->text().contains("Concordance")) firstItem = a;
    }
    QCOMPARE(items, QStringList({"&Tile", "&Cascade", "&Arrange icons", "&1 Concordance: walk*",
                                 "&2 Word frequencies"}));
    QVERIFY(firstItem->isCheckable() && !firstItem->isChecked());
    firstItem->trigger();
    QCOMPARE(frame_->mdiArea()->currentSubWindow()->widget(), first);
    // A window that closed while the menu was open is not activated.
    QAction* secondItem = menu->actions().last();
    QPointer<QMdiSubWindow> sub = frame_->mdiArea()->subWindowList().last();
    sub->close();
    QTRY_VERIFY(sub.isNull());
    secondItem->trigger();
    QCOMPARE(frame_->mdiArea()->currentSubWindow()->widget(), first);
  }

  void tileStacksWindowsFullWidth() {
    activate(new StandInConcordance);
    activate(new StandInWordFreq);
    frame_->MenuTileClick();
    const QList<QMdiSubWindow*> subs = frame_->mdiArea()->subWindowList();
    const int width = frame_->mdiArea()->viewport()->width();
    QCOMPARE(subs[0]->geometry().width(), width);
    QCOMPARE(subs[1]->geometry().width(), width);
    QCOMPARE(subs[0]->geometry().top(), 0);
    QCOMPARE(subs[1]->geometry().top(), subs[0]->geometry().bottom() + 1);
  }

  void arrangeIconsLinesUpMinimisedWindowsAtTheBottom() {
    activate(new StandInConcordance);
    activate(new StandInWordFreq);
    for (QMdiSubWindow* sub : frame_->mdiArea()->subWindowList()) sub->showMinimized();
    frame_->MenuArrangeiconsClick();
    const QList<QMdiSubWindow*> subs = frame_->mdiArea()->subWindowList();
    const int bottom = frame_->mdiArea()->viewport()->rect().bottom();
    QCOMPARE(subs[0]->geometry().bottom(), bottom);
    QCOMPARE(subs[1]->geometry().bottom(), bottom);
    QCOMPARE(subs[0]->geometry().left(), 0);
    QCOMPARE(subs[1]->geometry().left(), subs[0]->geometry().right() + 1);
  }

  void childEditMenuStandsBetweenFileAndTools() {
    class WithEdit : public StandInConcordance {
     public:
      WithEdit() : edit_(new QMenu(QStringLiteral("&Edit"), this)) {
        edit_->menuAction()->setProperty(kMenuGroupProperty, 1);
      }
      QList<QMenu*> MergedMenus() const override { return {edit_}; }
      QMenu* edit_;
    };
    activate(new WithEdit);
    auto captions = [&] {
      QStringList c;
      for (QAction* a : frame_->menuBar()->actions())
        if (a->isVisible()) c << a->text();
      return c;
    };
    QCOMPARE(captions(), QStringList({"&File", "&Edit", "&Tools", "&Window", "&Help"}));
    activate(new StandInWordFreq);
    QCOMPARE(captions(), QStringList({"&File", "&Tools", "&Window", "&Help"}));
    frame_->mdiArea()->closeAllSubWindows();
    QCOMPARE(captions(), QStringList({"&File", "&Tools", "&Window", "&Help"}));
  }

  void f1OnAHighlightedMenuItemOpensItsContext() {
    QList<int> opened;
    workspace_->Help().SetObserver([&](int c) { opened << c; });
    workspace_->Help().InstallKey();
    QMenu* tools = frame_->findChild<QMenu*>("MenuBuild");
    tools->popup(frame_->mapToGlobal(QPoint(20, 20)));
    QVERIFY(QTest::qWaitForWindowExposed(tools));
    tools->setActiveAction(frame_->action("MenuSearch"));
    QTest::keyClick(tools, Qt::Key_F1);
    tools->setActiveAction(frame_->action("MenuAdvancedSearch"));  // no context of its own
    QTest::keyClick(tools, Qt::Key_F1);
    tools->close();
    QCOMPARE(opened, QList<int>({12, 12}));
  }

  void toolBarLabelShowsTheListInfo() {
    workspace_->Corpus().ListPath = "/data/novels.CTL";
    frame_->ShowListInfo();
    QCOMPARE(frame_->toolBarLabel()->text(),
             QString::fromStdString(workspace_->Corpus().ListInfo()));
    workspace_->Corpus().TextEncoding = text::Encoding::Utf8;
    frame_->ShowListInfo();
    QVERIFY(frame_->toolBarLabel()->text().startsWith(QStringLiteral("/data/novels.CTL: ")));
    QVERIFY(frame_->toolBarLabel()->text().endsWith(QStringLiteral(" kB, UTF-8)")));
  }
};

QTEST_MAIN(FrameTest)
#include "frame_test.moc"
