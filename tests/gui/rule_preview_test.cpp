// The preview of the word and sentence rules in the file-list editor: it
// follows the typed separators, the options and the selected file, shows a
// note for a file it cannot read, and leaves OK, Cancel and the typed-into
// marks as they were.
#include <sys/stat.h>
#include <unistd.h>

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

#include "gui/corpus/form_file_list.h"
#include "gui/corpus/rule_preview_view.h"
#include "gui/help/help_desk.h"
#include "gui/runner/gui_user_interface.h"
#include "tools/root_collator.h"

using namespace lexvane;
using namespace lexvane::gui;

class RulePreviewTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  std::unique_ptr<corpus::CorpusSettings> corpus_;
  HelpDesk helpDesk_;
  std::unique_ptr<GuiUserInterface> ui_;
  std::unique_ptr<TFormFileList> editor_;

  std::string write(const QString& name, const std::string& content) {
    const std::string path = dir_.filePath(name).toStdString();
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }
  RulePreviewView& preview() { return *editor_->Preview; }
  // The text shown, with the sentence marks.
  QString shown() { return preview().toPlainText(); }
  // Opens the editor on `files` and waits for the preview.
  void open(const std::vector<std::string>& files) {
    for (const std::string& f : files) corpus_->Files.Add(f, RootCollator());
    editor_ = std::make_unique<TFormFileList>(*corpus_, RootCollator(), *ui_);
    editor_->show();
    QTRY_VERIFY(!preview().Reading());
  }
  void select(int row) {
    QAbstractItemModel* model = editor_->ListOfFiles->model();
    editor_->ListOfFiles->selectionModel()->select(model->index(row, 0),
                                                   QItemSelectionModel::ClearAndSelect);
  }

 private Q_SLOTS:
  void init() {
    QVERIFY(dir_.isValid());
    corpus_ = std::make_unique<corpus::CorpusSettings>();
    ui_ = std::make_unique<GuiUserInterface>(helpDesk_);
    ui_->setAnswerer([](const Question&) { return text::Answer::Ok; });
  }
  void cleanup() { editor_.reset(); }

  void previewHasAnAccessibleName() {
    open({write("a.txt", "One.")});
    QVERIFY(!preview().accessibleName().isEmpty());
    QVERIFY(preview().isReadOnly());
  }

  void typingASeparatorCutsThePreviewAgain() {
    open({write("a.txt", "banana split. Next one")});
    QCOMPARE(preview().Words().size(), std::size_t{4});
    const QString mark = QString(RulePreviewView::SentenceMark());
    QCOMPARE(shown(), QStringLiteral("banana split. ") + mark + QStringLiteral("Next one") + mark);
    editor_->EditWordSepar->setFocus();
    editor_->EditWordSepar->end(false);
    QTest::keyClicks(editor_->EditWordSepar, "n");
    // ba|a|a split Next o|e
    QCOMPARE(preview().Words().size(), std::size_t{7});
    QCOMPARE(preview().Words()[1].begin, std::size_t{3});
    // Taking the full stop out of the sentence separators ends no sentence there.
    editor_->EditSentSepar->selectAll();
    QTest::keyClicks(editor_->EditSentSepar, "?");
    QCOMPARE(shown(), QStringLiteral("banana split. Next one") + mark);
  }

  void sentenceMarksFollowTheOptions() {
    // "was" ends a sentence by the simple rule only (a digit before the full stop).
    open({write("a.txt", "It was 3. May. He\r\nwent")});
    const QString mark = QString(RulePreviewView::SentenceMark());
    QCOMPARE(shown().count(mark), 3);  // was, May, went
    editor_->CheckBoxEnhSentEnd->click();
    QCOMPARE(shown().count(mark), 2);  // May, went
    editor_->CheckBoxCRLF->click();
    QCOMPARE(shown().count(mark), 3);  // May, He, went
    QVERIFY(preview().Words()[3].enhancedEnd);
  }

  void dosTextIsShownConverted() {
    open({write("dos.txt", "gr\x81n")});
    QCOMPARE(shown(), QStringLiteral("gr\u0081n") + RulePreviewView::SentenceMark());
    editor_->CheckBoxOEMtoANSI->click();
    QCOMPARE(shown(), QStringLiteral("gr\u00FCn") + RulePreviewView::SentenceMark());
  }

  void utf8TextIsShownDecodedOnceChosen() {
    ui_->setAnswerer([](const Question&) { return text::Answer::No; });
    open({write("utf8.txt", "caf\xC3\xA9 \xFF")});
    QCOMPARE(shown(), QStringLiteral("caf\u00C3\u00A9 \u00FF") + RulePreviewView::SentenceMark());
    editor_->RadioButtonUtf8->click();
    QCOMPARE(shown(), QStringLiteral("caf\u00E9 \uFFFD") + RulePreviewView::SentenceMark());
    editor_->RadioButtonAnsi->click();
    QCOMPARE(shown(), QStringLiteral("caf\u00C3\u00A9 \u00FF") + RulePreviewView::SentenceMark());
  }

  void previewShowsTheSelectedFileElseTheFirst() {
    open({write("a.txt", "first"), write("b.txt", "second")});
    QVERIFY(shown().startsWith(QStringLiteral("first")));
    select(1);
    QTRY_VERIFY(shown().startsWith(QStringLiteral("second")));
    editor_->ButtonRemoveClick();
    QTRY_VERIFY(shown().startsWith(QStringLiteral("first")));
  }

  void longFileShowsItsStartOnly() {
    std::string text;
    while (text.size() < 10000) text += "word ";
    open({write("long.txt", text)});
    QCOMPARE(preview().Words().size(), text::kPreviewCharacters / 5);
    QVERIFY(shown().endsWith(QStringLiteral("\u2026")));
    QVERIFY(!shown().contains(RulePreviewView::SentenceMark()));
  }

  void unreadableFilesShowANote() {
    const std::string fifo = dir_.filePath("pipe").toStdString();
    QCOMPARE(::mkfifo(fifo.c_str(), 0600), 0);
    open({dir_.filePath("gone.txt").toStdString(), fifo});
    QCOMPARE(preview().Note(), QStringLiteral("gone.txt: No such file or directory"));
    QCOMPARE(shown(), preview().Note());
    // A FIFO without a writer is refused at once: the dialog never waits.
    select(1);
    QTRY_COMPARE(preview().Note(), QStringLiteral("pipe: not a regular file"));
    QVERIFY(preview().Words().empty());
  }

  void closingTheDialogWhileTheFileIsReadIsSafe() {
    corpus_->Files.Add(write("a.txt", "One two."), RootCollator());
    editor_ = std::make_unique<TFormFileList>(*corpus_, RootCollator(), *ui_);
    editor_->show();
    editor_.reset();  // the read may still run: its end must find nothing gone
    QTest::qWait(200);
  }

  void okCancelAndTypedMarksAreAsWithoutThePreview() {
    const std::string path = write("a.txt", "One two.");
    open({path});
    select(0);
    editor_->EditWordSepar->setFocus();
    QTest::keyClicks(editor_->EditWordSepar, "o");
    QCOMPARE(preview().Words().size(), std::size_t{2});
    QCOMPARE(preview().Words()[1].end, std::size_t{6});  // tw|o.
    editor_->ButtonCancel->click();
    QCOMPARE(editor_->result(), int(QDialog::Rejected));
    QVERIFY(!corpus_->Modified);
    QVERIFY(corpus_->WordSeparators.ends_with("o"));  // the typed separator stays in force
    editor_->show();
    QTRY_VERIFY(!preview().Reading());
    QVERIFY(!editor_->EditedInDialog());
    editor_->ButtonOK->click();
    QCOMPARE(editor_->result(), int(QDialog::Accepted));
    QVERIFY(corpus_->Modified);  // the typed-into mark survived Cancel
    QCOMPARE(corpus_->Files.Count(), std::size_t{1});
    // Toggling an option that does not count as an edit leaves Modified off.
    corpus_->Modified = false;
    editor_->show();
    editor_->CheckBoxCRLF->click();
    editor_->ButtonOK->click();
    QVERIFY(!corpus_->Modified);
  }
};

QTEST_MAIN(RulePreviewTest)
#include "rule_preview_test.moc"
