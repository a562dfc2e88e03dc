// Files that come from the desktop: opening each kind of file from the
// command line (a Text List, an older File List, corpus texts, a word search
// file of either dialog, a lemma list, several at once), dropping files onto
// the main window and onto the file-list editor, and the "Recent lists"
// submenu (order, limit, missing files, the settings file it shares with the
// concordance window settings). Modal dialogs are answered by timers that
// act once the dialog shows; message boxes by an answerer.
#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

#include "concordance/window_settings.h"
#include "corpus/recent_lists.h"
#include "gui/app/form_main.h"
#include "gui/app/list_file_commands.h"
#include "gui/app/recent_lists_menu.h"
#include "gui/app/workspace.h"
#include "gui/base/file_kinds.h"
#include "gui/corpus/form_file_list.h"
#include "gui/help/help.h"
#include "gui/runner/gui_user_interface.h"
#include "gui/search/form_lemma_list.h"
#include "gui/search/form_search.h"
#include "gui/search/form_search_adv.h"
#include "tools/root_collator.h"

using namespace lexvane;
using namespace lexvane::gui;

namespace {

const QString kSamples = QStringLiteral(LEXVANE_SAMPLES_DIR);
const QString kPrompt = QStringLiteral("Current list is not saved. Save it?");

QString sample(const char* name) {
  return kSamples + QLatin1Char('/') + QLatin1String(name);
}

// Records the searches the frame starts, with the masks its dialogs hold
// then; makes no window (as if the dialog were cancelled).
class RecordingFactory : public ChildWindowFactory {
 public:
  ChildWindow* CreateConcordance(SearchKind kind, Workspace& workspace, QWidget*) override {
    searches << (kind == SearchKind::Simple ? QStringLiteral("simple")
                                            : QStringLiteral("advanced"));
    simpleMasks = workspace.FormSearch()->Model().Masks;
    advancedMasks = workspace.FormSearchAdv()->Model().Masks;
    return nullptr;
  }
  QStringList searches;
  std::vector<std::string> simpleMasks;
  std::array<std::vector<std::string>, 5> advancedMasks;
};

using Strings = std::vector<std::string>;

}  // namespace

class DesktopFilesTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<Workspace> workspace_;
  std::unique_ptr<TFormMain> frame_;
  RecordingFactory* factory_ = nullptr;
  QList<Question> asked_;
  text::Answer promptAnswer_ = text::Answer::No;

  corpus::CorpusSettings& corpus() { return workspace_->Corpus(); }
  QString file(const QString& name) const { return dir_->filePath(name); }
  QString settingsFile() const { return file(QStringLiteral("config/lexvane.ini")); }
  QString write(const QString& name, const QByteArray& bytes) {
    QFile f(file(name));
    if (!f.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(name));
    f.write(bytes);
    return file(name);
  }
  // A Text List of the three sample letters and walks, with full paths.
  QString textList(const QString& name) {
    return write(name, "[File list]\r\nFile1=" + sample("letters_from_the_coast.txt").toUtf8() +
                           "\r\nFile2=" + sample("morning_walks.txt").toUtf8() +
                           "\r\n[Scan]\r\nIgnoreCapital=1\r\n");
  }
  std::vector<std::string> files() { return corpus().Files.Paths(); }
  void makeFrame() {
    frame_.reset();
    workspace_ = std::make_unique<Workspace>(text::Collator("root"));
    workspace_->Help().SetObserver([](int) {});
    workspace_->Ui().setAnswerer([this](const Question& q) {
      asked_ << q;
      return q.text == kPrompt ? promptAnswer_ : text::Answer::Ok;
    });
    auto factory = std::make_unique<RecordingFactory>();
    factory_ = factory.get();
    workspace_->SetFactory(std::move(factory));
    frame_ = std::make_unique<TFormMain>(*workspace_);
    frame_->show();
  }
  // Runs `act` on `dialog` once it shows (and `ready` holds), from the event
  // loop of its exec().
  void whenShown(QWidget* dialog, std::function<bool()> ready, std::function<void()> act) {
    auto* timer = new QTimer(this);
    timer->setInterval(5);
    connect(timer, &QTimer::timeout, this, [=] {
      if (!dialog->isVisible() || !ready()) return;
      timer->stop();
      timer->deleteLater();
      act();
    });
    timer->start();
  }
  void whenEditorShows(std::size_t paths, std::function<void(TFormFileList&)> act) {
    TFormFileList* editor = workspace_->FormFileList();
    whenShown(
        editor, [=] { return editor->model().Paths().size() >= paths; }, [=] { act(*editor); });
  }
  QStringList recentPaths() {
    QStringList paths;
    for (QAction* a : frame_->recentLists()->actions())
      if (!a->data().toString().isEmpty()) paths << a->data().toString();
    return paths;
  }
  QAction* recentEntry(const QString& path) {
    for (QAction* a : frame_->recentLists()->actions())
      if (a->data().toString() == path) return a;
    return nullptr;
  }
  // Sends a drag carrying `urls` over `target` and drops it when accepted.
  bool drop(QWidget* target, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.ignore();
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent dropped(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    dropped.ignore();
    QApplication::sendEvent(target, &dropped);
    return dropped.isAccepted();
  }

 private Q_SLOTS:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    qputenv("LEXVANE_SETTINGS", settingsFile().toLocal8Bit());
    asked_.clear();
    promptAnswer_ = text::Answer::No;
    makeFrame();
  }
  void cleanup() {
    frame_.reset();
    workspace_.reset();
    qunsetenv("LEXVANE_SETTINGS");
    dir_.reset();
  }

  // ---- the kinds of file ----

  void filesAreToldApartByTheirExtensionInAnyCase() {
    QCOMPARE(KindOfFile("/c/NOVELS.CTL"), FileKind::List);
    QCOMPARE(KindOfFile("/c/novels.ctl"), FileKind::List);
    QCOMPARE(KindOfFile("/c/Letters.Cfl"), FileKind::List);
    QCOMPARE(KindOfFile("/c/LIST.CTL.bak"),
             FileKind::List);  // what the list reader calls a Text List
    QCOMPARE(KindOfFile("/c/walk.CWS"), FileKind::SearchFile);
    QCOMPARE(KindOfFile("/c/lemmas.cll"), FileKind::LemmaList);
    QCOMPARE(KindOfFile("/c/THE.CTL.d/chapter one.txt"), FileKind::Corpus);
    QCOMPARE(KindOfFile("/c/LIST.INI"), FileKind::Corpus);
    const FilesToOpen sorted = SortFilesToOpen(
        {"a.txt", "q.cws", "one.CTL", "l.cll", "two.CFL", "b.txt", "r.cws", "m.cll"});
    QCOMPARE(sorted.list, QStringLiteral("one.CTL"));
    QCOMPARE(sorted.searchFile, QStringLiteral("q.cws"));
    QCOMPARE(sorted.lemmaList, QStringLiteral("l.cll"));
    QCOMPARE(sorted.corpusFiles, QStringList({"a.txt", "b.txt"}));
  }

  // ---- the command line and the file manager ----

  void aTextListBecomesTheCorpus() {
    const QString list = textList(QStringLiteral("Coast and walks.CTL"));
    frame_->OpenFiles({list}, false);
    QCOMPARE(corpus().ListPath, list.toStdString());
    QCOMPARE(files(), (Strings{sample("letters_from_the_coast.txt").toStdString(),
                               sample("morning_walks.txt").toStdString()}));
    QVERIFY(!corpus().Modified);
    QVERIFY(frame_->toolBarLabel()->text().contains(QStringLiteral("Coast and walks.CTL")));
    QVERIFY(frame_->action(QStringLiteral("MenuSearch"))->isEnabled());
    QCOMPARE(recentPaths(), QStringList{list});
    QVERIFY(factory_->searches.isEmpty());
  }

  void anOlderFileListBecomesTheCorpusWithItsCompanionsOptions() {
    const QString list =
        write(QStringLiteral("tagged.CFL"), sample("tagged.txt").toUtf8() + "\r\n" +
                                                sample("the_old_house.txt").toUtf8() + "\r\n");
    write(QStringLiteral("tagged.INI"), "[Scan]\r\nTaggedText=1\r\nEnhSentDetect=0\r\n");
    frame_->OpenFiles({list}, false);
    QCOMPARE(corpus().Files.Count(), 2);
    QVERIFY(corpus().TaggedText);
    QVERIFY(!corpus().EnhSentDetect);
    QCOMPARE(recentPaths(), QStringList{list});
  }

  void aListThatCannotBeReadIsReportedAndNotRemembered() {
    frame_->OpenFiles({file(QStringLiteral("gone.CTL"))}, false);
    QCOMPARE(asked_.size(), 1);
    QCOMPARE(asked_[0].text,
             QStringLiteral("Cannot open file ") + file(QStringLiteral("gone.CTL")));
    QVERIFY(recentPaths().isEmpty());
  }

  void textFilesOpenTheEditorWithThemAddedAndOkKeepsThem() {
    const QStringList texts = {sample("the_old_house.txt"), sample("letters_from_the_coast.txt")};
    whenEditorShows(2, [](TFormFileList& editor) { editor.ButtonOKClick(); });
    frame_->OpenFiles(texts, false);
    QCOMPARE(files(), (Strings{sample("letters_from_the_coast.txt").toStdString(),
                               sample("the_old_house.txt").toStdString()}));
    QVERIFY(corpus().Modified);
    QVERIFY(factory_->searches.isEmpty());
  }

  void textFilesDroppedByCancelLeaveTheCorpusAsItWas() {
    frame_->OpenFiles({textList(QStringLiteral("walks.CTL"))}, false);
    whenEditorShows(3, [](TFormFileList& editor) { editor.ButtonCancelClick(); });
    frame_->OpenFiles({sample("the_old_house.txt")}, false);
    QCOMPARE(corpus().Files.Count(), 2);
    QVERIFY(!corpus().Modified);
  }

  void aSimpleSearchFileStartsTheWordSearchWithItsMasks() {
    frame_->OpenFiles({textList(QStringLiteral("walks.CTL"))}, false);
    frame_->OpenFiles({sample("walk.cws")}, false);
    QCOMPARE(factory_->searches, QStringList{"simple"});
    QCOMPARE(factory_->simpleMasks, (Strings{"walk*", "house"}));
    QCOMPARE(workspace_->FormSearch()->Model().MaxListSize, std::string("2000"));
  }

  void anAdvancedSearchFileStartsTheAdvancedSearchWithItsColumns() {
    search::AdvancedSearchModel saved;
    saved.Masks[0] = {"old"};
    saved.Masks[1] = {"house", "home"};
    saved.Distances[0] = 2;
    saved.MiddleRadio = 2;
    saved.SaveTo(file(QStringLiteral("old house.cws")).toStdString());
    frame_->OpenFiles({textList(QStringLiteral("walks.CTL"))}, false);
    frame_->OpenFiles({file(QStringLiteral("old house.cws"))}, false);
    QCOMPARE(factory_->searches, QStringList{"advanced"});
    QCOMPARE(factory_->advancedMasks[0], Strings{"old"});
    QCOMPARE(factory_->advancedMasks[1], (Strings{"house", "home"}));
    QCOMPARE(workspace_->FormSearchAdv()->Model().Distances[0], 2);
    QCOMPARE(workspace_->FormSearchAdv()->Model().MiddleRadio, 2);
  }

  void aListAndASearchFileTogetherSearchTheListsCorpus() {
    frame_->OpenFiles({sample("walk.cws"), textList(QStringLiteral("walks.CTL"))}, false);
    QCOMPARE(corpus().Files.Count(), 2);
    QCOMPARE(factory_->searches, QStringList{"simple"});
    QCOMPARE(factory_->simpleMasks, (Strings{"walk*", "house"}));
  }

  void aSearchWithoutCorpusFilesOpensTheEditorFirst() {
    whenEditorShows(0, [](TFormFileList& editor) {
      editor.AddFiles({sample("morning_walks.txt")});
      editor.ButtonOKClick();
    });
    frame_->OpenFiles({sample("walk.cws")}, false);
    QCOMPARE(corpus().Files.Count(), 1);
    QCOMPARE(factory_->searches, QStringList{"simple"});
  }

  void aSearchIsNotStartedWhenTheEditorLeavesTheCorpusEmpty() {
    whenEditorShows(0, [](TFormFileList& editor) { editor.ButtonCancelClick(); });
    frame_->OpenFiles({sample("walk.cws")}, false);
    QCOMPARE(corpus().Files.Count(), 0);
    QVERIFY(factory_->searches.isEmpty());
  }

  void aLemmaListOffersItsLexemesAndSearchesTheChosenForms() {
    frame_->OpenFiles({textList(QStringLiteral("walks.CTL"))}, false);
    TFormLemmaList* lemmas = workspace_->FormLemmaList();
    whenShown(
        lemmas, [=] { return lemmas->ListBox1->count() > 0; },
        [=] {
          const QList<QListWidgetItem*> walk =
              lemmas->ListBox1->findItems(QStringLiteral("walk"), Qt::MatchStartsWith);
          QVERIFY(!walk.isEmpty());
          lemmas->ListBox1->setCurrentItem(walk.front());
          lemmas->ButtonAddClick();
        });
    frame_->OpenFiles({sample("lemmas.cll")}, false);
    QCOMPARE(factory_->searches, QStringList{"simple"});
    QCOMPARE(factory_->simpleMasks, (Strings{"walk", "walks", "walked", "walking"}));
  }

  void aLemmaListClosedWithCancelStartsNoSearch() {
    frame_->OpenFiles({textList(QStringLiteral("walks.CTL"))}, false);
    TFormLemmaList* lemmas = workspace_->FormLemmaList();
    whenShown(
        lemmas, [] { return true; }, [=] { lemmas->reject(); });
    frame_->OpenFiles({sample("lemmas.cll")}, false);
    QVERIFY(factory_->searches.isEmpty());
  }

  void aMissingSearchOrLemmaFileIsReported() {
    frame_->OpenFiles({textList(QStringLiteral("walks.CTL"))}, false);
    for (const char* name : {"no such query.cws", "no such lemmas.cll"}) {
      asked_.clear();
      frame_->OpenFiles({file(QLatin1String(name))}, false);
      QCOMPARE(asked_.size(), 1);
      QCOMPARE(asked_[0].caption, QStringLiteral("Error"));
      QCOMPARE(asked_[0].text, QStringLiteral("Cannot open file ") + file(QLatin1String(name)));
    }
    QVERIFY(factory_->searches.isEmpty());
  }

  // ---- drops ----

  void aListDroppedOntoTheWindowAsksToSaveFirst() {
    corpus().Files.Add(sample("the_waves.txt").toStdString(), RootCollator());
    corpus().Modified = true;
    const QString list = textList(QStringLiteral("walks.CTL"));

    promptAnswer_ = text::Answer::Cancel;
    QVERIFY(drop(frame_.get(), {QUrl::fromLocalFile(list)}));
    QTRY_COMPARE(asked_.size(), 1);
    QCOMPARE(asked_[0].text, kPrompt);
    QTest::qWait(20);
    QCOMPARE(corpus().Files.Count(), 1);  // Cancel kept the corpus

    promptAnswer_ = text::Answer::No;
    QVERIFY(drop(frame_.get(), {QUrl::fromLocalFile(list)}));
    QTRY_COMPARE(corpus().Files.Count(), 2);
    QCOMPARE(corpus().ListPath, list.toStdString());
    QCOMPARE(recentPaths(), QStringList{list});
  }

  void textFilesDroppedOntoTheWindowOpenTheEditorWithThem() {
    whenEditorShows(2, [](TFormFileList& editor) { editor.ButtonOKClick(); });
    QVERIFY(drop(frame_.get(), {QUrl::fromLocalFile(sample("the_old_house.txt")),
                                QUrl::fromLocalFile(sample("morning_walks.txt"))}));
    QTRY_COMPARE(corpus().Files.Count(), 2);
    QVERIFY(asked_.isEmpty());  // nothing to save was dropped
  }

  void onlyLocalFilesAreTakenFromADrag() {
    QVERIFY(!drop(frame_.get(), {QUrl(QStringLiteral("https://example.org/novel.txt"))}));
    QVERIFY(!drop(frame_.get(), {QUrl::fromLocalFile(kSamples)}));  // a folder
    QVERIFY(!drop(frame_.get(), {QUrl::fromLocalFile(file(QStringLiteral("gone.txt")))}));
    QVERIFY(!drop(frame_.get(), {}));
    QTest::qWait(20);
    QVERIFY(asked_.isEmpty());
    QCOMPARE(corpus().Files.Count(), 0);
  }

  void filesDroppedOntoTheEditorJoinItsListButNotListsOrQueries() {
    TFormFileList* editor = workspace_->FormFileList();
    editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(editor));
    QVERIFY(drop(
        editor, {QUrl::fromLocalFile(sample("the_old_house.txt")),
                 QUrl::fromLocalFile(sample("sample.CTL")), QUrl::fromLocalFile(sample("walk.cws")),
                 QUrl::fromLocalFile(sample("letters_from_the_coast.txt"))}));
    QCOMPARE(editor->model().Paths(), (Strings{sample("letters_from_the_coast.txt").toStdString(),
                                               sample("the_old_house.txt").toStdString()}));
    QVERIFY(editor->EditedInDialog());
    // Lists, queries, folders and remote files alone are refused.
    QVERIFY(!drop(editor, {QUrl::fromLocalFile(sample("sample.CTL")),
                           QUrl::fromLocalFile(sample("lemmas.cll"))}));
    QVERIFY(!drop(editor, {QUrl::fromLocalFile(kSamples)}));
    editor->ButtonOKClick();
    QCOMPARE(corpus().Files.Count(), 2);
    QVERIFY(corpus().Modified);
  }

  // ---- recent lists ----

  void theRecentListsFollowTheFileMenusOwnItems() {
    QMenu* fileMenu = frame_->findChild<QMenu*>(QStringLiteral("MenuFile"));
    const QList<QAction*> items = fileMenu->actions();
    QCOMPARE(items.size(), 8);
    QCOMPARE(items[5]->objectName(), QStringLiteral("MenuExit"));
    QVERIFY(items[6]->isSeparator());
    QCOMPARE(items[7]->menu(), frame_->recentLists());
    QCOMPARE(items[7]->text(), QStringLiteral("&Recent lists"));
    QCOMPARE(HelpContextOf(items[7]), 140);
    QVERIFY(!items[7]->isEnabled());  // nothing opened yet
    frame_->OpenFiles({textList(QStringLiteral("walks.CTL"))}, false);
    QVERIFY(items[7]->isEnabled());
  }

  void theMostRecentComesFirstAndOnlyEightStay() {
    QStringList lists;
    for (int i = 1; i <= 10; ++i)
      lists << textList(QStringLiteral("Coast letters, part %1.CTL").arg(i));
    for (const QString& list : lists) frame_->OpenFiles({list}, false);
    // Opened again: to the front, not twice.
    frame_->OpenFiles({lists[5]}, false);
    const QStringList expected = {lists[5], lists[9], lists[8], lists[7],
                                  lists[6], lists[4], lists[3], lists[2]};
    QCOMPARE(recentPaths(), expected);
    const QList<QAction*> entries = frame_->recentLists()->actions();
    QVERIFY(entries[0]->text().startsWith(QStringLiteral("&1 ")));
    QVERIFY(entries[7]->text().startsWith(QStringLiteral("&8 ")));
    QCOMPARE(entries[0]->toolTip(), lists[5]);
    QVERIFY(entries[8]->isSeparator());
    QCOMPARE(entries[9]->objectName(), QStringLiteral("MenuClearrecentlists"));
  }

  void aMissingListIsShownDisabledAndKept() {
    const QString kept = textList(QStringLiteral("kept.CTL"));
    const QString moved = textList(QStringLiteral("moved away.CTL"));
    frame_->OpenFiles({kept}, false);
    frame_->OpenFiles({moved}, false);
    QVERIFY(QFile::remove(moved));
    Q_EMIT frame_->findChild<QMenu*>(QStringLiteral("MenuFile"))->aboutToShow();
    QCOMPARE(recentPaths(), QStringList({moved, kept}));
    QVERIFY(!recentEntry(moved)->isEnabled());
    QVERIFY(recentEntry(kept)->isEnabled());
  }

  void choosingAnEntryOpensItAfterTheSavePrompt() {
    const QString first = textList(QStringLiteral("first.CTL"));
    const QString second =
        write(QStringLiteral("second.CFL"), sample("the_old_house.txt").toUtf8() + "\r\n");
    frame_->OpenFiles({first}, false);
    frame_->OpenFiles({second}, false);
    corpus().Modified = true;
    promptAnswer_ = text::Answer::Cancel;
    recentEntry(first)->trigger();
    QCOMPARE(corpus().ListPath, second.toStdString());
    promptAnswer_ = text::Answer::No;
    recentEntry(first)->trigger();
    QCOMPARE(corpus().ListPath, first.toStdString());
    QCOMPARE(corpus().Files.Count(), 2);
    QCOMPARE(recentPaths(), QStringList({first, second}));
  }

  void savingUnderANewNameIsRemembered() {
    corpus().Files.Add(sample("the_waves.txt").toStdString(), RootCollator());
    const QString saved = file(QStringLiteral("waves.CTL"));
    frame_->listFiles().setDialogs({[] { return std::nullopt; }, [=] { return saved; }});
    frame_->MenuSavelistasClick();
    QCOMPARE(recentPaths(), QStringList{saved});
  }

  void theEntriesLiveInTheSettingsFileBesideTheWindowSettings() {
    concordance::ConcordanceWindowSettings window;
    window.ColWidths = {48, 230, 96, 230, 140};
    window.Maximized = true;
    concordance::SaveConcordanceWindowSettings(window, settingsFile().toStdString());
    QFile settings(settingsFile());
    QVERIFY(settings.open(QIODevice::ReadOnly));
    const QByteArray windowSection = settings.readAll();
    settings.close();

    const QString list = textList(QStringLiteral("Briefe aus Übersee.CTL"));
    frame_->OpenFiles({list}, false);
    QVERIFY(settings.open(QIODevice::ReadOnly));
    const QByteArray both = settings.readAll();
    settings.close();
    QVERIFY(both.startsWith(windowSection));
    QCOMPARE(both.mid(windowSection.size()),
             QByteArray("[Recent lists]\r\nFile1=") + list.toUtf8() + "\r\n");

    // The next start shows them.
    makeFrame();
    QCOMPARE(recentPaths(), QStringList{list});
    QCOMPARE(concordance::LoadConcordanceWindowSettings(settingsFile().toStdString()).ColWidths,
             window.ColWidths);

    // Clear empties the submenu and the section, and nothing else.
    frame_->recentLists()->findChild<QAction*>(QStringLiteral("MenuClearrecentlists"))->trigger();
    QVERIFY(recentPaths().isEmpty());
    QVERIFY(!frame_->recentLists()->menuAction()->isEnabled());
    QVERIFY(settings.open(QIODevice::ReadOnly));
    QCOMPARE(settings.readAll(), windowSection);
  }

  void entriesOfAnotherRunningProgramShowWhenTheMenuOpens() {
    const QString mine = textList(QStringLiteral("mine.CTL"));
    frame_->OpenFiles({mine}, false);
    const QString theirs = textList(QStringLiteral("theirs.CTL"));
    corpus::RecordRecentList(settingsFile().toStdString(), theirs.toStdString());
    QCOMPARE(recentPaths(), QStringList{mine});
    Q_EMIT frame_->findChild<QMenu*>(QStringLiteral("MenuFile"))->aboutToShow();
    QCOMPARE(recentPaths(), QStringList({theirs, mine}));
  }
};

QTEST_MAIN(DesktopFilesTest)
#include "desktop_files_test.moc"
