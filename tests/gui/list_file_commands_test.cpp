// The File menu's list commands through the frame: the save prompt before
// New, Open and closing the program with each answer, the file dialogs, and
// the messages of failed reads and writes. Dialogs are answered by injected
// answerers, never by the user.
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMdiArea>
#include <QTemporaryDir>
#include <QtTest>

#include "gui/app/form_main.h"
#include "gui/app/list_file_commands.h"
#include "gui/app/workspace.h"
#include "gui/corpus/form_file_list.h"
#include "gui/help/help.h"
#include "gui/runner/gui_user_interface.h"
#include "stand_in_windows.h"
#include "tools/root_collator.h"

using namespace lexvane;
using namespace lexvane::gui;

namespace {
const QString kPrompt = QStringLiteral("Current list is not saved. Save it?");
}

class ListFileCommandsTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<Workspace> workspace_;
  std::unique_ptr<TFormMain> frame_;
  QTemporaryDir dir_;
  QList<Question> asked_;
  text::Answer promptAnswer_ = text::Answer::Cancel;
  std::optional<QString> openPath_, savePath_;
  int openDialogs_ = 0, saveDialogs_ = 0;

  corpus::CorpusSettings& corpus() { return workspace_->Corpus(); }
  QString file(const QString& name) { return dir_.filePath(name); }
  void writeFile(const QString& name, const QByteArray& bytes) {
    QFile f(file(name));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  // A corpus with unsaved changes.
  void modifiedCorpus() {
    writeFile("a.txt", "Some words here.");
    corpus().Files.Add(file("a.txt").toStdString(), RootCollator());
    corpus().Modified = true;
  }
  int prompts() {
    int n = 0;
    for (const Question& q : asked_) n += q.text == kPrompt;
    return n;
  }

 private Q_SLOTS:
  void init() {
    asked_.clear();
    openDialogs_ = saveDialogs_ = 0;
    openPath_.reset();
    savePath_.reset();
    workspace_ = std::make_unique<Workspace>(text::Collator("root"));
    workspace_->Help().SetObserver([](int) {});
    workspace_->Ui().setAnswerer([this](const Question& q) {
      asked_ << q;
      return q.text == kPrompt ? promptAnswer_ : text::Answer::Ok;
    });
    frame_ = std::make_unique<TFormMain>(*workspace_);
    frame_->listFiles().setDialogs({[this] {
                                      ++openDialogs_;
                                      return openPath_;
                                    },
                                    [this] {
                                      ++saveDialogs_;
                                      return savePath_;
                                    }});
    frame_->show();
  }
  void cleanup() {
    frame_.reset();
    workspace_.reset();
  }

  void fileDialogsTitlesFiltersAndSuffixes() {
    std::unique_ptr<QFileDialog> open = ListFileCommands::MakeOpenDialog(nullptr);
    QCOMPARE(open->windowTitle(), QStringLiteral("Open List File"));
    QCOMPARE(open->fileMode(), QFileDialog::ExistingFile);
    QCOMPARE(open->nameFilters().size(), 4);
    QVERIFY(open->nameFilters()[0].startsWith("Text or File List (*.CTL;*.CFL)"));
    QVERIFY(open->nameFilters()[3].startsWith("All files (*.*)"));
    QCOMPARE(open->defaultSuffix(), QStringLiteral("CFL"));

    std::unique_ptr<QFileDialog> save = ListFileCommands::MakeSaveDialog(nullptr);
    QCOMPARE(save->windowTitle(), QStringLiteral("Save List File As"));
    QCOMPARE(save->acceptMode(), QFileDialog::AcceptSave);
    QVERIFY(!save->testOption(QFileDialog::DontConfirmOverwrite));
    QCOMPARE(save->nameFilters().size(), 3);
    QVERIFY(save->nameFilters()[0].startsWith("Text List (*.CTL)"));
    QVERIFY(save->nameFilters()[1].startsWith("File List (*.CFL) - older type"));
    // A name typed without extension gets "CFL", even under the Text List filter.
    save->setDirectory(dir_.path());
    save->selectNameFilter(save->nameFilters()[0]);
    save->selectFile(QStringLiteral("corpus"));
    QCOMPARE(save->selectedFiles().value(0), file("corpus.CFL"));
    save->selectFile(QStringLiteral("corpus.CTL"));
    QCOMPARE(save->selectedFiles().value(0), file("corpus.CTL"));

    std::unique_ptr<QFileDialog> add = workspace_->FormFileList()->MakeFileSelectDialog();
    QCOMPARE(add->windowTitle(), QStringLiteral("Add file(s)"));
    QCOMPARE(add->fileMode(), QFileDialog::ExistingFiles);
    QCOMPARE(add->nameFilters(),
             QStringList({QStringLiteral("Text files (*.txt)"), QStringLiteral("All files (*)")}));
  }

  void savePromptCaptionButtonsAndIcon() {
    modifiedCorpus();
    promptAnswer_ = text::Answer::Cancel;
    QVERIFY(!frame_->listFiles().QuerySaveList());
    QCOMPARE(asked_.size(), 1);
    QCOMPARE(asked_[0].caption, QStringLiteral("Confirm"));
    QCOMPARE(asked_[0].buttons, text::Buttons::YesNoCancel);
    QCOMPARE(asked_[0].icon, text::Icon::None);
  }

  void unmodifiedCorpusIsNeverPromptedFor() {
    corpus().Files.Add("/x/a.txt", RootCollator());
    QVERIFY(frame_->listFiles().QuerySaveList());
    QVERIFY(frame_->close());
    QCOMPARE(prompts(), 0);
  }

  void newListAnswers_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("reset");
    QTest::newRow("cancel keeps the corpus") << int(text::Answer::Cancel) << false;
    QTest::newRow("no drops it") << int(text::Answer::No) << true;
    QTest::newRow("yes, save dialog cancelled") << int(text::Answer::Yes) << false;
  }
  void newListAnswers() {
    QFETCH(int, answer);
    QFETCH(bool, reset);
    modifiedCorpus();
    corpus().WordSeparators = " ,";
    promptAnswer_ = text::Answer(answer);
    const bool editorOpened = frame_->listFiles().NewList();
    QCOMPARE(prompts(), 1);
    QCOMPARE(editorOpened, reset);
    QCOMPARE(corpus().Files.Empty(), reset);
    QCOMPARE(corpus().Modified, !reset);
    QCOMPARE(corpus().WordSeparators == " ,", !reset);
    QCOMPARE(saveDialogs_, answer == int(text::Answer::Yes) ? 1 : 0);
  }

  void openListAnswers_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("openDialogs");
    QTest::newRow("cancel") << int(text::Answer::Cancel) << 0;
    QTest::newRow("no") << int(text::Answer::No) << 1;
    QTest::newRow("yes, save dialog cancelled") << int(text::Answer::Yes) << 0;
  }
  void openListAnswers() {
    QFETCH(int, answer);
    QFETCH(int, openDialogs);
    modifiedCorpus();
    promptAnswer_ = text::Answer(answer);
    frame_->listFiles().OpenList();  // the open dialog answers Cancel
    QCOMPARE(prompts(), 1);
    QCOMPARE(openDialogs_, openDialogs);
    QVERIFY(corpus().Modified);  // nothing was opened
  }

  void closeAnswers_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closes");
    QTest::newRow("cancel keeps the program open") << int(text::Answer::Cancel) << false;
    QTest::newRow("no closes") << int(text::Answer::No) << true;
    QTest::newRow("yes, save dialog cancelled") << int(text::Answer::Yes) << false;
  }
  void closeAnswers() {
    QFETCH(int, answer);
    QFETCH(bool, closes);
    modifiedCorpus();
    frame_->AddChildWindow(new testing::StandInConcordance);
    promptAnswer_ = text::Answer(answer);
    QCOMPARE(frame_->close(), closes);
    QCOMPARE(frame_->isVisible(), !closes);
    // A close that goes on closes the child windows; one that is stopped
    // keeps them all.
    QCOMPARE(frame_->mdiArea()->subWindowList().size(), closes ? 0 : 1);
    QCOMPARE(prompts(), 1);
  }

  void yesSavesUnderTheChosenNameAndGoesOn() {
    modifiedCorpus();
    promptAnswer_ = text::Answer::Yes;
    savePath_ = file("corpus.CTL");
    QVERIFY(frame_->close());
    QVERIFY(QFile::exists(file("corpus.CTL")));
    QVERIFY(!corpus().Modified);
    QCOMPARE(QString::fromStdString(corpus().ListPath), file("corpus.CTL"));
  }

  void yesWithASuccessfulSaveGoesOnWithNewAndOpen() {
    modifiedCorpus();
    promptAnswer_ = text::Answer::Yes;
    savePath_ = file("first.CFL");
    QVERIFY(frame_->listFiles().NewList());
    QVERIFY(QFile::exists(file("first.CFL")) && QFile::exists(file("first.INI")));
    QVERIFY(corpus().Files.Empty());
    QVERIFY(!corpus().Modified);

    modifiedCorpus();
    savePath_ = file("second.CTL");
    openPath_ = file("first.CFL");
    frame_->MenuOpenlistClick();
    QVERIFY(QFile::exists(file("second.CTL")));
    QCOMPARE(openDialogs_, 1);
    QCOMPARE(QString::fromStdString(corpus().ListPath), file("first.CFL"));
    QCOMPARE(corpus().Files.Count(), std::size_t(1));
  }

  void uncreatablePlainListIsReportedAndKeepsTheCorpusModified() {
    modifiedCorpus();
    corpus().ListPath = file("no/such/folder/list.CFL").toStdString();
    frame_->MenuSavelistClick();
    QCOMPARE(asked_.size(), 1);
    QCOMPARE(asked_[0].caption, QStringLiteral("Error"));
    QCOMPARE(asked_[0].text,
             QStringLiteral("Cannot create file ") + file("no/such/folder/list.CFL"));
    QVERIFY(corpus().Modified);
  }

  void saveAsCancelledKeepsTheListPath() {
    modifiedCorpus();
    corpus().ListPath = file("old.CTL").toStdString();
    frame_->listFiles().SaveListAs();
    QCOMPARE(saveDialogs_, 1);
    QCOMPARE(QString::fromStdString(corpus().ListPath), file("old.CTL"));
    QVERIFY(corpus().Modified);
  }

  void openedListShowsInTheToolBarLabel() {
    writeFile("a.txt", QByteArray(1025, 'x'));
    writeFile("list.CTL", "[File list]\r\nFile1=" + file("a.txt").toUtf8() + "\r\n");
    openPath_ = file("list.CTL");
    frame_->MenuOpenlistClick();
    QCOMPARE(corpus().Files.Count(), std::size_t(1));
    QCOMPARE(frame_->toolBarLabel()->text(), file("list.CTL") + QStringLiteral(": 1 (2 kB)"));
    QVERIFY(frame_->action("MenuSearch")->isEnabled());
  }

  void unreadableListIsReported() {
    openPath_ = file("missing.CFL");
    frame_->listFiles().OpenList();
    QCOMPARE(asked_.size(), 1);
    QCOMPARE(asked_[0].caption, QStringLiteral("Error"));
    QCOMPARE(asked_[0].text, QStringLiteral("Cannot open file ") + file("missing.CFL"));
  }

  void unwritableListIsReportedAndStopsTheClose() {
    modifiedCorpus();
    promptAnswer_ = text::Answer::Yes;
    savePath_ = file("no/such/folder/list.CTL");
    QVERIFY(!frame_->close());
    QVERIFY(corpus().Modified);
    bool reported = false;
    for (const Question& q : asked_) reported |= q.text.startsWith("Unable to write to ");
    QVERIFY(reported);
  }
};

QTEST_MAIN(ListFileCommandsTest)
#include "list_file_commands_test.moc"
